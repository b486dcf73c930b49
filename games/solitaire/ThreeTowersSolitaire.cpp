// Three Towers' rounds: the towers dealt face down and turned up as they are uncovered, runs onto
// the current card, the stock turn that costs 100 and ends the run, the peak bonuses, and the
// gates after rounds two and three.
#include "games/solitaire/ThreeTowersSolitaire.h"

#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/RecordSupport.h"
#include "gui/widgets/NumberLabelWidget.h"

namespace Corvale
{
ThreeTowersSolitaire ThreeTowersSolitaire::instance;

const i32 ThreeTowersSolitaire::coveringTable[THREE_TOWERS_WALL_POSITIONS][2] = {
    {0, 0},   {0, 0},   {0, 0},   {0, 0},   {0, 0},   {0, 0},   {0, 0},   {0, 0},   {0, 0}, {0, 0}, // 1-10
    {1, 2},   {2, 3},   {3, 4},   {4, 5},   {5, 6},   {6, 7},   {7, 8},   {8, 9},   {9, 10},        // 11-19
    {11, 12}, {12, 13}, {14, 15}, {15, 16}, {17, 18}, {18, 19},                                   // 20-25
    {20, 21}, {22, 23}, {24, 25},                                                                 // 26-28
};

void ThreeTowersSolitaire::ReflectionRegister()
{
   auto* record =
       ReflectionRecordCreate<ReflectionTypeObjectTyped<ThreeTowersSolitaire>>("Corvale::ThreeTowersSolitaire");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(ArcadeSolitaireGame).name());
   record->FieldAdd(&ThreeTowersSolitaire::CurrentRun, "CurrentRun");
   record->FieldAdd(&ThreeTowersSolitaire::towerClear, "towerClear");
   record->FieldAdd(&ThreeTowersSolitaire::twentyOneCount, "twentyOneCount");
   record->FieldAdd(&ThreeTowersSolitaire::selected, "selected");
   ReflectionManager::TypeRegister(record);
}

void ThreeTowersSolitaire::Init()
{
   CurrentRun = 0;
   twentyOneCount = 0;
   ArcadeSolitaireGame::Init();
   // Entering deals, so the table is never empty before New Game.
   GameNew();
}

void ThreeTowersSolitaire::MiscNumberShow()
{
   if (misc2Number)
   {
      misc2Number->ValueSet(CurrentRun);
   }
}

void ThreeTowersSolitaire::SubgameNew()
{
   CurrentRun = 0;
   twentyOneCount = 0;
   MiscNumberShow();
   towerClear = 0;
   ArcadeSolitaireGame::SubgameNew();
   RoundCardsGather();
   WallDeal(false);
   ControlsRefresh();
   selected = -1;
   PileValuesRefresh();
   ActionTurnBeginPost();
}

bool ThreeTowersSolitaire::Load(JSONValue* document)
{
   const bool loaded = ArcadeSolitaireGame::Load(document);
   MiscNumberShow();
   return loaded;
}

void ThreeTowersSolitaire::Refresh()
{
   PlayableCardsHighlight();
   if (!MayActCheck() || roundOver)
   {
      return;
   }
   MiscNumberShow();
   for (i32 i = 0; i < cardPiles.count; ++i)
   {
      const CardPile* pile = cardPiles[i];
      Card* card = pile->type == CARD_PILE_TYPE_TABLEAU ? pile->CardTopGet() : nullptr;
      if (card && !card->faceUp && !CardCoveredCheck(card))
      {
         CardFaceUpSet(card, true, true);
      }
   }
   if (WallEmptyCheck())
   {
      ScoreTakeOnce();
   }
}

bool ThreeTowersSolitaire::CardChooseOnClickCheck(Card* card)
{
   (void)card;
   return true;
}

void ThreeTowersSolitaire::CardCoveringPilesGet(Card* card, i32* first, i32* second)
{
   WallCoveringPilesGet(card, coveringTable, THREE_TOWERS_WALL_POSITIONS, first, second);
}

bool ThreeTowersSolitaire::CardPlaysCheck(Card* card)
{
   const CardPile* pile = card ? card->pile : nullptr;
   const CardPile* current = CurrentPileGet();
   const Card* top = current ? current->CardTopGet() : nullptr;
   return pile && top && top != card && pile->type == CARD_PILE_TYPE_TABLEAU && pile->CardTopGet() == card &&
          !CardCoveredCheck(card) && CardRanksNeighbourCheck(card->rank, top->rank);
}

void ThreeTowersSolitaire::CardChoose(Card* card)
{
   if (!card || !card->pile || !RoundRunningCheck() || roundOver)
   {
      return;
   }
   CountdownStart();
   CardPile* stock = StockGet();
   CardPile* current = CurrentPileGet();
   if (card->pile == stock)
   {
      CurrentRun = 0;
      MiscNumberShow();
      ScoreAdd(THREE_TOWERS_TURN_POINTS);
      CardPileTopCardMoveQueue(current, stock, 0, true);
      return;
   }
   if (!CardPlaysCheck(card))
   {
      return;
   }
   ++CurrentRun;
   MiscNumberShow();
   ScoreAdd(CurrentRun * THREE_TOWERS_RUN_POINTS);
   const bool peak = card->pile->secondaryID >= THREE_TOWERS_FIRST_PEAK;
   CardMoveQueue(current, card, 0, true);
   if (peak)
   {
      ++towerClear;
      ScoreAdd(towerClear * THREE_TOWERS_PEAK_POINTS);
   }
}

bool ThreeTowersSolitaire::CardPlayableCheck(Card* card)
{
   return CardPlaysCheck(card);
}

void ThreeTowersSolitaire::ScoreTake()
{
   ScoreAdd(TimeBonusGet());
   RoundOutcomePost(THREE_TOWERS_ROUND_COUNT, THREE_TOWERS_GATE_SCORE, THREE_TOWERS_WIN_SCORE);
}
} // namespace Corvale
