// Betsy Ross's deal of the base and first foundation cards, its stepped foundations and its end.
#include "games/solitaire/BetsyRossSolitaire.h"

#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/CardQueries.h"
#include "cardgame/RecordSupport.h"

namespace Corvale
{
BetsyRossSolitaire betsyRossSolitaire;

void BetsyRossSolitaire::ReflectionRegister()
{
   auto* record =
       ReflectionRecordCreate<ReflectionTypeObjectTyped<BetsyRossSolitaire>>("Corvale::BetsyRossSolitaire");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(TalonSolitaire).name());
   ReflectionManager::TypeRegister(record);
}

CardPile* BetsyRossSolitaire::StockGet()
{
   return CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
}

void BetsyRossSolitaire::Init()
{
   TalonSolitaire::Init();
   GameNew();
}

void BetsyRossSolitaire::GameNew()
{
   undoMoveBegins = true;
   UndoHistoryClear();
   TalonSolitaire::GameNew();
   ResetButtonShow(false);
   resetNum = 0;
   maxResets = BETSY_ROSS_MAX_RESETS;

   CardPile* stock = StockGet();
   if (!stock || !CardPileGet(CARD_PILE_TYPE_TALON, -1, -1))
   {
      WarningPrintf("BetsyRossSolitaire::GameNew -- the constants lack the stock or the talon\n");
      return;
   }
   stock->DecksAdd(1);
   CardPileShuffle(stock);

   // Where the first and second card of each rank go from the top of the stock down; a null
   // entry leaves that card in the stock.
   struct Placement
   {
      i32 type;
      i32 secondaryID;
   };
   const Placement none = {CARD_PILE_TYPE_INVALID, -1};
   const Placement placements[RANK_KING + 1][2] = {
       {none, none},
       {{CARD_PILE_TYPE_RESERVE, 0}, none},
       {{CARD_PILE_TYPE_FOUNDATION, 0}, {CARD_PILE_TYPE_RESERVE, 1}},
       {{CARD_PILE_TYPE_RESERVE, 2}, none},
       {{CARD_PILE_TYPE_FOUNDATION, 1}, {CARD_PILE_TYPE_RESERVE, 3}},
       {none, none},
       {{CARD_PILE_TYPE_FOUNDATION, 2}, none},
       {none, none},
       {{CARD_PILE_TYPE_FOUNDATION, 3}, none},
       {none, none},
       {none, none},
       {none, none},
       {none, none},
       {none, none},
   };
   i32 seen[RANK_KING + 1] = {};
   const u32 delay = static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0);
   for (i32 i = stock->cards.count - 1; i >= 0; --i)
   {
      Card* card = stock->cards[i];
      if (card->rank < RANK_ACE || card->rank > RANK_KING || seen[card->rank] >= 2)
      {
         continue;
      }
      const Placement& placement = placements[card->rank][seen[card->rank]++];
      CardPile* pile = CardPileGet(placement.type, placement.secondaryID, -1);
      if (pile)
      {
         CardMoveQueue(pile, card, delay, true);
      }
   }
   ActionTurnBeginPost();
}

bool BetsyRossSolitaire::CardChooseOnClickCheck(Card* card)
{
   return card && card->pile && card->pile == StockGet();
}

void BetsyRossSolitaire::CardChoose(Card* card)
{
   undoMoveBegins = true;
   if (card && card->pile && card->pile == StockGet())
   {
      StockCardsTurn(1, CARD_PILE_TYPE_TALON);
      return;
   }
   TalonSolitaire::CardChoose(card);
}

bool BetsyRossSolitaire::CardPickUpCheck(Card* card)
{
   const CardPile* pile = card ? card->pile : nullptr;
   return pile && card->faceUp && pile->type == CARD_PILE_TYPE_TALON && pile->CardTopGet() == card;
}

bool BetsyRossSolitaire::CardDropCheck(CardPile* pile, Card* card)
{
   if (!pile || !card || !card->pile || card->pile->CardTopGet() != card ||
       pile->type != CARD_PILE_TYPE_FOUNDATION || pile->secondaryID < 0 ||
       pile->secondaryID >= BETSY_ROSS_FOUNDATION_COUNT)
   {
      return false;
   }
   const Card* top = pile->CardTopGet();
   return top && CardRankStepFollowsCheck(top->rank, card->rank, pile->secondaryID + 1);
}

void BetsyRossSolitaire::Refresh()
{
   PlayableCardsHighlight();
   if (!MayActCheck())
   {
      return;
   }
   bool turnedUp = false;
   for (i32 i = 0; i < cardPiles.count; ++i)
   {
      CardPile* pile = cardPiles[i];
      Card* top = pile->type == CARD_PILE_TYPE_TABLEAU ? pile->CardTopGet() : nullptr;
      if (top && !top->faceUp)
      {
         CardFaceUpSet(top, true, true);
         turnedUp = true;
      }
   }
   if (turnedUp)
   {
      return;
   }
   const CardPile* stock = StockGet();
   const CardPile* talon = CardPileGet(CARD_PILE_TYPE_TALON, -1, -1);
   const bool stockHolds = stock && stock->cards.count > 0;
   if (!stockHolds && (!talon || talon->cards.count == 0))
   {
      GameWin();
   }
   else if (!stockHolds && resetNum >= maxResets && !MoveExists())
   {
      GameLose();
   }
}
} // namespace Corvale
