// Yukon's deal, its moves of any face-up card with the cards above it, and end of game.
#include "games/solitaire/YukonSolitaire.h"

#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/RecordSupport.h"

namespace Corvale
{
YukonSolitaire YukonSolitaire::instance;

void YukonSolitaire::ReflectionRegister()
{
   auto* record =
       ReflectionRecordCreate<ReflectionTypeObjectTyped<YukonSolitaire>>("Corvale::YukonSolitaire");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(TraditionalSolitaireGame).name());
   ReflectionManager::TypeRegister(record);
}

namespace
{
constexpr i32 COLUMNS = 7;
constexpr i32 COLUMN_LIMIT = 25;
const BuildRule FOUNDATION_BUILD = {BUILD_UP, BUILD_SAME_SUIT, false};
} // namespace

void YukonSolitaire::Deal()
{
   CardPile* stock = StockGet();
   // Klondike's staircase of backs, each column then topped up to five faces.
   CardsDeal(CARD_PILE_TYPE_TABLEAU, stock, 1, true, 0);
   for (i32 i = 0; i < COLUMNS - 1; ++i)
   {
      CardsDeal(CARD_PILE_TYPE_TABLEAU, stock, i, true, 1);
      CardsDeal(CARD_PILE_TYPE_TABLEAU, stock, COLUMNS - 1 - i, false, i + 1);
   }
   for (i32 i = 2; i < COLUMNS; ++i)
   {
      CardsDeal(CARD_PILE_TYPE_TABLEAU, stock, COLUMNS - i, true, i);
   }
}

bool YukonSolitaire::CardStackPickUpCheck(Card* card)
{
   (void)card;
   return true;
}

bool YukonSolitaire::CardPickUpCheck(Card* card)
{
   const CardPile* pile = card ? card->pile : nullptr;
   return pile && card->faceUp && pile->type == CARD_PILE_TYPE_TABLEAU;
}

bool YukonSolitaire::CardDropCheck(CardPile* pile, Card* card)
{
   if (!pile || !card)
   {
      return false;
   }
   const bool empty = pile->cards.count == 0;
   switch (pile->type)
   {
   case CARD_PILE_TYPE_TABLEAU:
   {
      if (empty)
      {
         return card->rank == RANK_KING;
      }
      const BuildRule rule = {
          BUILD_DOWN, SettingBoolGet("ColumnsInAlternatingColors") ? BUILD_OTHER_COLOR : BUILD_OTHER_SUIT,
          false};
      return CountLimitCheck(pile, card, COLUMN_LIMIT) && BuildsOnCheck(pile, card, rule);
   }
   case CARD_PILE_TYPE_FOUNDATION:
      return MovingCountGet(card) == 1 &&
             (empty ? card->rank == RANK_ACE : BuildsOnCheck(pile, card, FOUNDATION_BUILD));
   default:
      return false;
   }
}

void YukonSolitaire::RefreshSteps()
{
   if (ColumnTopsTurn(COLUMNS))
   {
      return;
   }
   const CardPile* stock = StockGet();
   if ((!stock || stock->cards.count == 0) && PilesEmptyCheck(CARD_PILE_TYPE_TABLEAU, COLUMNS))
   {
      GameWin();
   }
   else if (!MoveExists())
   {
      GameLose();
   }
}
} // namespace Corvale
