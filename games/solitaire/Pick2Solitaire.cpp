// Pick 2's rounds: the wall dealt face up, pairs chosen card by card, the current card turned from
// the stock (the old one refilling the wall's highest gap), and the gates after rounds two and three.
#include "games/solitaire/Pick2Solitaire.h"

#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/RecordSupport.h"
#include "gui/widgets/NumberLabelWidget.h"

namespace Corvale
{
Pick2Solitaire Pick2Solitaire::instance;

const i32 Pick2Solitaire::coveringTable[PICK2_WALL_POSITIONS][2] = {
    {0, 0},   {0, 0},   {0, 0},   {0, 0},   {0, 0},   {0, 0},                       // 1-6
    {1, 2},   {2, 3},   {3, 4},   {4, 5},   {5, 6},                                 // 7-11
    {7, 0},   {7, 8},   {8, 9},   {9, 10},  {10, 11}, {11, 0},                      // 12-17
    {12, 13}, {13, 14}, {14, 15}, {15, 16}, {16, 17},                               // 18-22
    {18, 0},  {18, 19}, {19, 20}, {20, 21}, {21, 22}, {22, 0},                      // 23-28
    {23, 24}, {24, 25}, {25, 26}, {26, 27}, {27, 28},                               // 29-33
};

void Pick2Solitaire::ReflectionRegister()
{
   auto* record = ReflectionRecordCreate<ReflectionTypeObjectTyped<Pick2Solitaire>>("Corvale::Pick2Solitaire");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(ArcadeSolitaireGame).name());
   record->FieldAdd(&Pick2Solitaire::charlieCount, "charlieCount");
   record->FieldAdd(&Pick2Solitaire::twentyOneCount, "twentyOneCount");
   record->FieldAdd(&Pick2Solitaire::selected, "selected");
   ReflectionManager::TypeRegister(record);
}

void Pick2Solitaire::Init()
{
   charlieCount = 0;
   twentyOneCount = 0;
   selected = -1;
   ArcadeSolitaireGame::Init();
   GameNew();
}

void Pick2Solitaire::MiscNumberShow()
{
   if (miscNumber)
   {
      miscNumber->ValueSet(charlieCount);
   }
}

void Pick2Solitaire::Misc2NumberShow()
{
   if (misc2Number)
   {
      misc2Number->ValueSet(twentyOneCount);
   }
}

void Pick2Solitaire::SubgameNew()
{
   charlieCount = 0;
   twentyOneCount = 0;
   MiscNumberShow();
   Misc2NumberShow();
   ArcadeSolitaireGame::SubgameNew();
   for (i32 i = 0; i < cards.count; ++i)
   {
      CardSelectedSet(cards[i], false);
   }
   selected = -1;
   RoundCardsGather();
   WallDeal(true);
   ControlsRefresh();
   PileValuesRefresh();
   ActionTurnBeginPost();
}

bool Pick2Solitaire::Load(JSONValue* document)
{
   const bool loaded = ArcadeSolitaireGame::Load(document);
   MiscNumberShow();
   Misc2NumberShow();
   return loaded;
}

void Pick2Solitaire::Refresh()
{
   PlayableCardsHighlight();
   if (!MayActCheck() || roundOver)
   {
      return;
   }
   MiscNumberShow();
   Misc2NumberShow();
   CardPile* current = CurrentPileGet();
   CardPile* stock = StockGet();
   if (current && current->cards.count == 0 && stock && stock->cards.count > 0)
   {
      CardPileTopCardMoveQueue(current, stock, 0, true);
   }
   if (WallEmptyCheck())
   {
      ScoreAdd(PICK2_WALL_CLEARED_POINTS);
      ScoreTakeOnce();
   }
}

bool Pick2Solitaire::CardChooseOnClickCheck(Card* card)
{
   (void)card;
   return true;
}

void Pick2Solitaire::CardCoveringPilesGet(Card* card, i32* first, i32* second)
{
   WallCoveringPilesGet(card, coveringTable, PICK2_WALL_POSITIONS, first, second);
}

bool Pick2Solitaire::CardPairableCheck(Card* card)
{
   const CardPile* pile = card ? card->pile : nullptr;
   if (!pile || pile->CardTopGet() != card)
   {
      return false;
   }
   return pile->type == CARD_PILE_TYPE_FOUNDATION || (pile->type == CARD_PILE_TYPE_TABLEAU && !CardCoveredCheck(card));
}

void Pick2Solitaire::CardChoose(Card* card)
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
      Card* turned = stock->CardTopGet();
      Card* old = CardGet(selected);
      if (old)
      {
         CardSelectedSet(old, false);
      }
      selected = -1;
      CurrentCardReturn(PICK2_WALL_POSITIONS);
      CardMoveQueue(current, turned, 0, true);
      return;
   }
   if (!CardPairableCheck(card))
   {
      return;
   }
   CardSelectedSet(card, true);
   Card* old = selected >= 0 ? CardGet(selected) : nullptr;
   if (!old)
   {
      selected = card->id;
      return;
   }
   if (old == card)
   {
      CardSelectedSet(card, false);
      selected = -1;
      return;
   }
   const bool equal = old->rank == card->rank;
   if (!equal && !CardRanksNeighbourCheck(old->rank, card->rank))
   {
      CardSelectedSet(old, false);
      selected = card->id;
      return;
   }
   if (equal)
   {
      ++twentyOneCount;
      ScoreAdd(PICK2_EQUAL_PAIR_POINTS);
   }
   else
   {
      ++charlieCount;
      ScoreAdd(PICK2_NEIGHBOUR_PAIR_POINTS);
   }
   MiscNumberShow();
   Misc2NumberShow();
   CardSelectedSet(old, false);
   CardSelectedSet(card, false);
   selected = -1;
   CardPile* discard = CardPileGet(CARD_PILE_TYPE_DISCARD, -1, -1);
   CardMoveQueue(discard, old, 0, true);
   CardMoveQueue(discard, card, 0, true);
}

bool Pick2Solitaire::CardPlayableCheck(Card* card)
{
   if (!CardPairableCheck(card))
   {
      return false;
   }
   for (i32 i = 0; i < cardPiles.count; ++i)
   {
      Card* other = cardPiles[i]->CardTopGet();
      if (other && other != card && CardPairableCheck(other) &&
          (other->rank == card->rank || CardRanksNeighbourCheck(other->rank, card->rank)))
      {
         return true;
      }
   }
   return false;
}

void Pick2Solitaire::ScoreTake()
{
   ScoreAdd(TimeBonusGet());
   RoundOutcomePost(PICK2_ROUND_COUNT, PICK2_GATE_SCORE, PICK2_WIN_SCORE);
}
} // namespace Corvale
