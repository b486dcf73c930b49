// Bristol's deal, the stock dealt one card to each reserve, its move rules and end of game.
#include "games/solitaire/BristolSolitaire.h"

#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/RecordSupport.h"

namespace Corvale
{
BristolSolitaire BristolSolitaire::instance;

void BristolSolitaire::ReflectionRegister()
{
   auto* record =
       ReflectionRecordCreate<ReflectionTypeObjectTyped<BristolSolitaire>>("Corvale::BristolSolitaire");
   if (!record)
   {
      return;
   }
   // The shared skeleton keeps nothing of its own in the document.
   record->BaseAdd(typeid(TraditionalSolitaireGame).name());
   ReflectionManager::TypeRegister(record);
}

namespace
{
constexpr i32 COLUMNS = 8;
const BuildRule COLUMN_BUILD = {BUILD_DOWN, BUILD_ANY_SUIT, false};
} // namespace

void BristolSolitaire::Deal()
{
   CardsDealToEachPile(CARD_PILE_TYPE_TABLEAU, StockGet(), 3, true);
}

void BristolSolitaire::StockClick()
{
   CardPile* stock = StockGet();
   const i32 reserves = PilesOfTypeCountGet(CARD_PILE_TYPE_RESERVE);
   // The last turn may hold fewer cards than there are reserves.
   CardsDeal(CARD_PILE_TYPE_RESERVE, stock, stock->cards.count < reserves ? stock->cards.count : reserves,
             true, -1);
}

bool BristolSolitaire::CardDropCheck(CardPile* pile, Card* card)
{
   if (!pile || !card)
   {
      return false;
   }
   const bool empty = pile->cards.count == 0;
   switch (pile->type)
   {
   case CARD_PILE_TYPE_TABLEAU:
      if (!CountLimitCheck(pile, card, 15))
      {
         return false;
      }
      return empty ? card->rank == RANK_KING && SettingBoolGet("KingsInEmpty")
                   : BuildsOnCheck(pile, card, COLUMN_BUILD);
   case CARD_PILE_TYPE_FOUNDATION:
   {
      if (!CountLimitCheck(pile, card, 13))
      {
         return false;
      }
      const BuildRule rule = {BUILD_UP, SettingBoolGet("BuildInSuit") ? BUILD_SAME_SUIT : BUILD_ANY_SUIT,
                              false};
      return empty ? card->rank == RANK_ACE : BuildsOnCheck(pile, card, rule);
   }
   default:
      return false;
   }
}

void BristolSolitaire::RefreshSteps()
{
   if (ColumnTopsTurn(COLUMNS))
   {
      return;
   }
   const CardPile* stock = StockGet();
   const bool stockEmpty = !stock || stock->cards.count == 0;
   if (stockEmpty && PilesEmptyCheck(CARD_PILE_TYPE_TABLEAU, COLUMNS) &&
       PilesEmptyCheck(CARD_PILE_TYPE_RESERVE, COLUMNS))
   {
      GameWin();
   }
   else if (stockEmpty && !MoveExists())
   {
      GameLose();
   }
}
} // namespace Corvale
