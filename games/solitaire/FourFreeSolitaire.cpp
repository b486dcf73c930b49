// Four Free's deal, its move rules and end of game.
#include "games/solitaire/FourFreeSolitaire.h"

#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/RecordSupport.h"

namespace Corvale
{
FourFreeSolitaire FourFreeSolitaire::instance;

void FourFreeSolitaire::ReflectionRegister()
{
   auto* record =
       ReflectionRecordCreate<ReflectionTypeObjectTyped<FourFreeSolitaire>>("Corvale::FourFreeSolitaire");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(TraditionalSolitaireGame).name());
   ReflectionManager::TypeRegister(record);
}

namespace
{
constexpr i32 COLUMNS = 8;
constexpr i32 COLUMN_CARDS_MAX = 18;
const BuildRule COLUMN_BUILD = {BUILD_DOWN, BUILD_OTHER_COLOR, false};
const BuildRule FOUNDATION_BUILD = {BUILD_UP, BUILD_SAME_SUIT, false};
} // namespace

void FourFreeSolitaire::Deal()
{
   CardsDeal(CARD_PILE_TYPE_TABLEAU, StockGet(), 52, true, -1);
}

bool FourFreeSolitaire::CardDropCheck(CardPile* pile, Card* card)
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
   case CARD_PILE_TYPE_RESERVE:
      return empty;
   default:
      return false;
   }
}

void FourFreeSolitaire::RefreshSteps()
{
   if (PilesEmptyCheck(CARD_PILE_TYPE_TABLEAU, COLUMNS) && CardPilesOfTypeEmpty(CARD_PILE_TYPE_RESERVE))
   {
      GameWin();
   }
   else if (!FourFreeMoveExistsCheck())
   {
      GameLose();
   }
}
} // namespace Corvale
