// Beleaguered Castle's deal with or without the Aces first, its move rules and end of game.
#include "games/solitaire/BeleagueredCastleSolitaire.h"

#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/RecordSupport.h"

namespace Corvale
{
BeleagueredCastleSolitaire BeleagueredCastleSolitaire::instance;

void BeleagueredCastleSolitaire::ReflectionRegister()
{
   auto* record = ReflectionRecordCreate<ReflectionTypeObjectTyped<BeleagueredCastleSolitaire>>(
       "Corvale::BeleagueredCastleSolitaire");
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
constexpr i32 FOUNDATIONS = 4;
const BuildRule COLUMN_BUILD = {BUILD_DOWN, BUILD_ANY_SUIT, true};
} // namespace

void BeleagueredCastleSolitaire::Deal()
{
   CardPile* stock = StockGet();
   const u32 delay = static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0);
   if (!SettingBoolGet("StreetsAndAlleys"))
   {
      for (i32 i = stock->cards.count - 1, next = 0; i >= 0 && next < FOUNDATIONS; --i)
      {
         if (stock->cards[i]->rank == RANK_ACE)
         {
            CardMoveQueue(FoundationGet(next++), stock->cards[i], delay, true);
         }
      }
   }
   CardPile* cell = ReserveGet(-1);
   if (cell)
   {
      cell->VisibleSet(SettingBoolGet("Siegecraft"));
      cardPilesLayoutPending = true;
   }
   CardsDealToEachPile(CARD_PILE_TYPE_TABLEAU, stock, 6, true);
   if (SettingBoolGet("StreetsAndAlleys"))
   {
      // The four cards left over go one each to the first columns, so no card stays out of reach.
      CardsDeal(CARD_PILE_TYPE_TABLEAU, stock, 4, true, -1);
   }
}

bool BeleagueredCastleSolitaire::CardDropCheck(CardPile* pile, Card* card)
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
      return empty ? card->rank == RANK_KING : BuildsOnCheck(pile, card, COLUMN_BUILD);
   case CARD_PILE_TYPE_FOUNDATION:
   {
      if (!CountLimitCheck(pile, card, 13))
      {
         return false;
      }
      const BuildRule rule = {BUILD_UP, SettingBoolGet("BuildInSuit") ? BUILD_SAME_SUIT : BUILD_ANY_SUIT,
                              true};
      return empty ? card->rank == RANK_ACE : BuildsOnCheck(pile, card, rule);
   }
   case CARD_PILE_TYPE_RESERVE:
      return empty && pile->visible && SettingBoolGet("Siegecraft");
   default:
      return false;
   }
}

void BeleagueredCastleSolitaire::RefreshSteps()
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
