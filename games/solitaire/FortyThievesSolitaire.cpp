// Forty Thieves' deal, its stock and waste, move rules and end of game.
#include "games/solitaire/FortyThievesSolitaire.h"

#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/RecordSupport.h"

namespace Corvale
{
FortyThievesSolitaire FortyThievesSolitaire::instance;

void FortyThievesSolitaire::ReflectionRegister()
{
   auto* record = ReflectionRecordCreate<ReflectionTypeObjectTyped<FortyThievesSolitaire>>(
       "Corvale::FortyThievesSolitaire");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(TraditionalSolitaireGame).name());
   ReflectionManager::TypeRegister(record);
}

namespace
{
constexpr i32 COLUMNS = 10;
// A column holds at most this many cards, and one that holds as many stops the stock.
constexpr i32 COLUMN_LIMIT = 15;
const BuildRule COLUMN_BUILD = {BUILD_DOWN, BUILD_SAME_SUIT, false};
const BuildRule FOUNDATION_BUILD = {BUILD_UP, BUILD_SAME_SUIT, false};
} // namespace

void FortyThievesSolitaire::Deal()
{
   CardsDeal(CARD_PILE_TYPE_TABLEAU, StockGet(), 4 * COLUMNS, true, -1);
}

bool FortyThievesSolitaire::CardPickUpCheck(Card* card)
{
   const CardPile* pile = card ? card->pile : nullptr;
   if (!pile || !card->faceUp || !pile->visible)
   {
      return false;
   }
   // The waste is fanned out and all of it is in play.
   return pile->type == CARD_PILE_TYPE_RESERVE ||
          (pile->type == CARD_PILE_TYPE_TABLEAU && pile->CardTopGet() == card);
}

bool FortyThievesSolitaire::CardDropCheck(CardPile* pile, Card* card)
{
   if (!pile || !card)
   {
      return false;
   }
   const bool empty = pile->cards.count == 0;
   switch (pile->type)
   {
   case CARD_PILE_TYPE_TABLEAU:
      return CountLimitCheck(pile, card, COLUMN_LIMIT) && (empty || BuildsOnCheck(pile, card, COLUMN_BUILD));
   case CARD_PILE_TYPE_FOUNDATION:
      return empty ? card->rank == RANK_ACE : BuildsOnCheck(pile, card, FOUNDATION_BUILD);
   default:
      return false;
   }
}

bool FortyThievesSolitaire::StockClickActsCheck()
{
   const CardPile* stock = StockGet();
   for (i32 column = 0; column < COLUMNS; ++column)
   {
      const CardPile* pile = ColumnGet(column);
      if (pile && pile->cards.count >= COLUMN_LIMIT)
      {
         return false;
      }
   }
   return stock && stock->cards.count > 0;
}

void FortyThievesSolitaire::StockClick()
{
   CardsDealToEachPile(CARD_PILE_TYPE_RESERVE, StockGet(), 1, true);
}

bool FortyThievesSolitaire::MoveAnyCheck()
{
   if (MoveExists())
   {
      return true;
   }
   const CardPile* waste = CardPileGet(CARD_PILE_TYPE_RESERVE, -1, -1);
   for (i32 i = 0; waste && i + 1 < waste->cards.count; ++i)
   {
      for (i32 p = 0; p < cardPiles.count; ++p)
      {
         if (cardPiles[p] != waste && CardDropCheck(cardPiles[p], waste->cards[i]))
         {
            return true;
         }
      }
   }
   return false;
}

void FortyThievesSolitaire::RefreshSteps()
{
   if (ColumnTopsTurn(COLUMNS))
   {
      return;
   }
   const CardPile* stock = StockGet();
   const CardPile* waste = CardPileGet(CARD_PILE_TYPE_RESERVE, -1, -1);
   const bool stockEmpty = !stock || stock->cards.count == 0;
   if (stockEmpty && (!waste || waste->cards.count == 0) && PilesEmptyCheck(CARD_PILE_TYPE_TABLEAU, COLUMNS))
   {
      GameWin();
   }
   // A full column stops the stock as surely as an empty one: with no move either, the game is over.
   else if (!StockClickActsCheck() && !MoveAnyCheck())
   {
      GameLose();
   }
}
} // namespace Corvale
