// Flower Garden's deal, its move rules and end of game.
#include "games/solitaire/FlowerGardenSolitaire.h"

#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/RecordSupport.h"

namespace Corvale
{
FlowerGardenSolitaire FlowerGardenSolitaire::instance;

void FlowerGardenSolitaire::ReflectionRegister()
{
   auto* record = ReflectionRecordCreate<ReflectionTypeObjectTyped<FlowerGardenSolitaire>>(
       "Corvale::FlowerGardenSolitaire");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(TraditionalSolitaireGame).name());
   ReflectionManager::TypeRegister(record);
}

namespace
{
constexpr i32 COLUMNS = 6;
constexpr i32 COLUMN_CARDS_MAX = 14;
const BuildRule COLUMN_BUILD = {BUILD_DOWN, BUILD_ANY_SUIT, false};
const BuildRule FOUNDATION_BUILD = {BUILD_UP, BUILD_SAME_SUIT, false};
} // namespace

void FlowerGardenSolitaire::Deal()
{
   CardPile* stock = StockGet();
   const i32 columnCards = SettingBoolGet("SixteenCardReserve") ? 6 : 5;
   CardsDeal(CARD_PILE_TYPE_TABLEAU, stock, columnCards * COLUMNS, true, -1);
   CardsDealToPile(ReserveGet(-1), stock, 52 - columnCards * COLUMNS, true);
}

bool FlowerGardenSolitaire::CardPickUpCheck(Card* card)
{
   const CardPile* pile = card ? card->pile : nullptr;
   if (!pile || !card->faceUp || !pile->visible)
   {
      return false;
   }
   switch (pile->type)
   {
   case CARD_PILE_TYPE_RESERVE:
      return true;
   case CARD_PILE_TYPE_TABLEAU:
   // A card from within a foundation would leave it broken for good.
   case CARD_PILE_TYPE_FOUNDATION:
      return pile->CardTopGet() == card;
   default:
      return false;
   }
}

bool FlowerGardenSolitaire::CardDropCheck(CardPile* pile, Card* card)
{
   if (!pile || !card || !card->pile)
   {
      return false;
   }
   const bool empty = pile->cards.count == 0;
   switch (pile->type)
   {
   case CARD_PILE_TYPE_TABLEAU:
      return CountLimitCheck(pile, card, COLUMN_CARDS_MAX) &&
             (empty || BuildsOnCheck(pile, card, COLUMN_BUILD));
   case CARD_PILE_TYPE_FOUNDATION:
      return empty ? card->rank == RANK_ACE : BuildsOnCheck(pile, card, FOUNDATION_BUILD);
   default:
      return false;
   }
}

bool FlowerGardenSolitaire::FlowerGardenMoveExistsCheck()
{
   for (i32 i = 0; i < cards.count; ++i)
   {
      Card* card = cards[i];
      if (!CardPickUpCheck(card))
      {
         continue;
      }
      const bool free = card->pile->CardTopGet() == card || card->pile->type == CARD_PILE_TYPE_RESERVE ||
                        CardStackPickUpCheck(card);
      for (i32 p = 0; free && p < cardPiles.count; ++p)
      {
         if (cardPiles[p] != card->pile && CardDropCheck(cardPiles[p], card))
         {
            return true;
         }
      }
   }
   return false;
}

void FlowerGardenSolitaire::RefreshSteps()
{
   if (PilesEmptyCheck(CARD_PILE_TYPE_TABLEAU, COLUMNS) && CardPilesOfTypeEmpty(CARD_PILE_TYPE_RESERVE))
   {
      GameWin();
   }
   else if (!FlowerGardenMoveExistsCheck())
   {
      GameLose();
   }
}
} // namespace Corvale
