// Alhambra's deal of the Aces and Kings, its foundation and talon rules, and its end.
#include "games/solitaire/AlhambraSolitaire.h"

#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/RecordSupport.h"

namespace Corvale
{
AlhambraSolitaire alhambraSolitaire;

void AlhambraSolitaire::ReflectionRegister()
{
   auto* record =
       ReflectionRecordCreate<ReflectionTypeObjectTyped<AlhambraSolitaire>>("Corvale::AlhambraSolitaire");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(TalonSolitaire).name());
   ReflectionManager::TypeRegister(record);
}

CardPile* AlhambraSolitaire::StockGet()
{
   return CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
}

CardPile* AlhambraSolitaire::FlipGet()
{
   return CardPileGet(CARD_PILE_TYPE_FLIP, -1, -1);
}

void AlhambraSolitaire::Init()
{
   TalonSolitaire::Init();
   GameNew();
}

void AlhambraSolitaire::GameNew()
{
   undoMoveBegins = true;
   UndoHistoryClear();
   TalonSolitaire::GameNew();
   ResetButtonShow(false);
   resetNum = 0;
   maxResets = -1;

   CardPile* stock = StockGet();
   if (!stock || !FlipGet() || !CardPileGet(CARD_PILE_TYPE_TALON, -1, -1))
   {
      WarningPrintf(
          "AlhambraSolitaire::GameNew -- the constants lack the stock, the flip pile or the talon\n");
      return;
   }
   stock->DecksAdd(2);
   CardPileShuffle(stock);

   // From the bottom up, the first Ace and the first King of each suit start its two foundations.
   Card* starters[2 * ALHAMBRA_SUIT_COUNT] = {};
   for (i32 i = 0; i < stock->cards.count; ++i)
   {
      Card* card = stock->cards[i];
      if (card->suit < 0 || card->suit >= ALHAMBRA_SUIT_COUNT)
      {
         continue;
      }
      const i32 slot = card->rank == RANK_ACE ? card->suit : card->rank == RANK_KING ? card->suit + 4 : -1;
      if (slot >= 0 && !starters[slot])
      {
         starters[slot] = card;
      }
   }
   for (i32 slot = 0; slot < 2 * ALHAMBRA_SUIT_COUNT; ++slot)
   {
      CardPile* foundation = CardPileGet(CARD_PILE_TYPE_FOUNDATION, slot, -1);
      if (foundation && starters[slot])
      {
         CardAdd(foundation, starters[slot]);
         CardFaceUpSet(starters[slot], true, false);
      }
   }
   CardAnimationsFinish();
   CardsDealToEachPile(CARD_PILE_TYPE_RESERVE, stock, ALHAMBRA_RESERVE_SIZE, true);
   maxResets = ALHAMBRA_MAX_RESETS;
   ActionTurnBeginPost();
}

bool AlhambraSolitaire::CardChooseOnClickCheck(Card* card)
{
   const CardPile* flip = FlipGet();
   return card && card->pile && card->pile == StockGet() && flip && flip->cards.count == 0;
}

void AlhambraSolitaire::CardChoose(Card* card)
{
   undoMoveBegins = true;
   if (card && card->pile && card->pile == StockGet())
   {
      // One turned card waits at a time.
      const CardPile* flip = FlipGet();
      if (flip && flip->cards.count == 0)
      {
         StockCardsTurn(1, CARD_PILE_TYPE_FLIP);
      }
      return;
   }
   TalonSolitaire::CardChoose(card);
}

bool AlhambraSolitaire::CardPickUpCheck(Card* card)
{
   const CardPile* pile = card ? card->pile : nullptr;
   if (!pile || !card->faceUp || pile->CardTopGet() != card)
   {
      return false;
   }
   return pile->type == CARD_PILE_TYPE_TALON || pile->type == CARD_PILE_TYPE_RESERVE ||
          pile->type == CARD_PILE_TYPE_FLIP;
}

bool AlhambraSolitaire::CardDropCheck(CardPile* pile, Card* card)
{
   if (!pile || !card || !card->pile || card->pile->CardTopGet() != card)
   {
      return false;
   }
   const Card* top = pile->CardTopGet();
   switch (pile->type)
   {
   case CARD_PILE_TYPE_FOUNDATION:
      if (!top || top->suit != card->suit || pile->secondaryID < 0 ||
          pile->secondaryID >= 2 * ALHAMBRA_SUIT_COUNT)
      {
         return false;
      }
      // The Aces' foundations climb to the King, the Kings' descend to the Ace; neither wraps.
      return pile->secondaryID < ALHAMBRA_SUIT_COUNT ? card->rank == top->rank + 1 && top->rank < RANK_KING
                                                     : card->rank + 1 == top->rank && top->rank > RANK_ACE;
   case CARD_PILE_TYPE_TALON:
      if (card->pile->type == CARD_PILE_TYPE_FLIP)
      {
         return true;
      }
      // King and Ace are neighbours here.
      return top && top->suit == card->suit &&
             (card->rank == CardRankAdd(top->rank, 1, false, nullptr) ||
              card->rank == CardRankAdd(top->rank, -1, false, nullptr));
   default:
      return false;
   }
}

void AlhambraSolitaire::Refresh()
{
   PlayableCardsHighlight();
   if (!MayActCheck())
   {
      return;
   }
   bool tableHolds = false;
   for (i32 i = 0; i < cardPiles.count; ++i)
   {
      const CardPile* pile = cardPiles[i];
      if (pile->type == CARD_PILE_TYPE_DRAW || pile->type == CARD_PILE_TYPE_TALON ||
          pile->type == CARD_PILE_TYPE_RESERVE || pile->type == CARD_PILE_TYPE_TABLEAU ||
          pile->type == CARD_PILE_TYPE_FLIP)
      {
         tableHolds = tableHolds || pile->cards.count > 0;
      }
   }
   if (!tableHolds)
   {
      GameWin();
      return;
   }
   const CardPile* stock = StockGet();
   const CardPile* talon = CardPileGet(CARD_PILE_TYPE_TALON, -1, -1);
   const bool stockEmpty = !stock || stock->cards.count == 0;
   // With the stock and the talon both empty a reset would bring nothing back.
   const bool resetsUseless = resetNum >= maxResets || !talon || talon->cards.count == 0;
   if (stockEmpty && resetsUseless && !MoveExists())
   {
      GameLose();
   }
}
} // namespace Corvale
