// Seahaven Towers' deal, its move rules and end of game.
#include "games/solitaire/SeahavenTowersSolitaire.h"

#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/RecordSupport.h"

namespace Corvale
{
SeahavenTowersSolitaire SeahavenTowersSolitaire::instance;

void SeahavenTowersSolitaire::ReflectionRegister()
{
   auto* record = ReflectionRecordCreate<ReflectionTypeObjectTyped<SeahavenTowersSolitaire>>(
       "Corvale::SeahavenTowersSolitaire");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(TraditionalSolitaireGame).name());
   ReflectionManager::TypeRegister(record);
}

namespace
{
constexpr i32 COLUMN_LIMIT = 18;
const BuildRule COLUMN_BUILD = {BUILD_DOWN, BUILD_SAME_SUIT, false};
const BuildRule FOUNDATION_BUILD = {BUILD_UP, BUILD_SAME_SUIT, false};
} // namespace

void SeahavenTowersSolitaire::Deal()
{
   CardPile* stock = StockGet();
   CardsDeal(CARD_PILE_TYPE_RESERVE, stock, 2, true, 0);
   // Fifty cards over however many columns the table has.
   CardsDeal(CARD_PILE_TYPE_TABLEAU, stock, 50, true, 0);
}

bool SeahavenTowersSolitaire::CardDropCheck(CardPile* pile, Card* card)
{
   if (!pile || !card)
   {
      return false;
   }
   const bool empty = pile->cards.count == 0;
   switch (pile->type)
   {
   case CARD_PILE_TYPE_TABLEAU:
      return CountLimitCheck(pile, card, COLUMN_LIMIT) &&
             (empty ? card->rank == RANK_KING : BuildsOnCheck(pile, card, COLUMN_BUILD));
   case CARD_PILE_TYPE_FOUNDATION:
      return empty ? card->rank == RANK_ACE : BuildsOnCheck(pile, card, FOUNDATION_BUILD);
   case CARD_PILE_TYPE_RESERVE:
      return empty;
   default:
      return false;
   }
}

void SeahavenTowersSolitaire::RefreshSteps()
{
   if (PilesEmptyCheck(CARD_PILE_TYPE_TABLEAU, PilesOfTypeCountGet(CARD_PILE_TYPE_TABLEAU)) &&
       PilesEmptyCheck(CARD_PILE_TYPE_RESERVE, PilesOfTypeCountGet(CARD_PILE_TYPE_RESERVE)))
   {
      GameWin();
   }
   else if (!MoveExists())
   {
      GameLose();
   }
}
} // namespace Corvale
