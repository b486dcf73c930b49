// Eight Off's deal, its move rules and end of game.
#include "games/solitaire/EightOffSolitaire.h"

#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/RecordSupport.h"

namespace Corvale
{
EightOffSolitaire EightOffSolitaire::instance;

void EightOffSolitaire::ReflectionRegister()
{
   auto* record =
       ReflectionRecordCreate<ReflectionTypeObjectTyped<EightOffSolitaire>>("Corvale::EightOffSolitaire");
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
const BuildRule COLUMN_BUILD = {BUILD_DOWN, BUILD_SAME_SUIT, false};
const BuildRule FOUNDATION_BUILD = {BUILD_UP, BUILD_SAME_SUIT, false};
} // namespace

void EightOffSolitaire::Deal()
{
   CardPile* stock = StockGet();
   i32 left = 52;
   if (SettingBoolGet("FourCardsDealtToReserve"))
   {
      CardsDeal(CARD_PILE_TYPE_RESERVE, stock, 4, true, -1);
      left -= 4;
   }
   CardsDeal(CARD_PILE_TYPE_TABLEAU, stock, left, true, -1);
}

bool EightOffSolitaire::CardDropCheck(CardPile* pile, Card* card)
{
   if (!pile || !card)
   {
      return false;
   }
   const bool empty = pile->cards.count == 0;
   switch (pile->type)
   {
   case CARD_PILE_TYPE_TABLEAU:
      if (!CountLimitCheck(pile, card, 11))
      {
         return false;
      }
      return empty ? card->rank == RANK_KING || !SettingBoolGet("OnlyKingsInEmpty")
                   : BuildsOnCheck(pile, card, COLUMN_BUILD);
   case CARD_PILE_TYPE_FOUNDATION:
      if (!CountLimitCheck(pile, card, 13))
      {
         return false;
      }
      return empty ? card->rank == RANK_ACE : BuildsOnCheck(pile, card, FOUNDATION_BUILD);
   case CARD_PILE_TYPE_RESERVE:
      return empty;
   default:
      return false;
   }
}

void EightOffSolitaire::RefreshSteps()
{
   if (PilesEmptyCheck(CARD_PILE_TYPE_TABLEAU, COLUMNS))
   {
      GameWin();
   }
   else if (!MoveExists())
   {
      GameLose();
   }
}
} // namespace Corvale
