// Eliminator's deal, its foundations that go either way, its score and end of game.
#include "games/solitaire/EliminatorSolitaire.h"

#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/RecordSupport.h"

namespace Corvale
{
EliminatorSolitaire EliminatorSolitaire::instance;

void EliminatorSolitaire::ReflectionRegister()
{
   auto* record =
       ReflectionRecordCreate<ReflectionTypeObjectTyped<EliminatorSolitaire>>("Corvale::EliminatorSolitaire");
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
constexpr i32 FOUNDATIONS = 8;
// Foundations 6 and 7 sit out with "6Foundations".
constexpr i32 FOUNDATIONS_SIX = 6;
} // namespace

void EliminatorSolitaire::Deal()
{
   CardPile* stock = StockGet();
   CardsDealToEachPile(CARD_PILE_TYPE_TABLEAU, stock, 13, true);
   CardPile* cell = ReserveGet(-1);
   if (cell)
   {
      cell->VisibleSet(SettingBoolGet("OneCardReserve"));
   }
   const bool six = SettingBoolGet("6Foundations");
   for (i32 id = FOUNDATIONS_SIX; id < FOUNDATIONS; ++id)
   {
      CardPile* foundation = FoundationGet(id);
      if (foundation)
      {
         foundation->VisibleSet(!six);
      }
   }
   cardPilesLayoutPending = true;
}

bool EliminatorSolitaire::CardDropCheck(CardPile* pile, Card* card)
{
   if (!pile || !card)
   {
      return false;
   }
   switch (pile->type)
   {
   case CARD_PILE_TYPE_FOUNDATION:
   {
      if (pile->secondaryID >= FOUNDATIONS_SIX && SettingBoolGet("6Foundations"))
      {
         return false;
      }
      const BuildRule rule = {
          BUILD_EITHER, SettingBoolGet("FoundationsInAlternatingColors") ? BUILD_OTHER_COLOR : BUILD_ANY_SUIT,
          true};
      return pile->cards.count == 0 || BuildsOnCheck(pile, card, rule);
   }
   case CARD_PILE_TYPE_RESERVE:
      return pile->cards.count == 0 && pile->visible && SettingBoolGet("OneCardReserve");
   default:
      return false;
   }
}

i32 EliminatorSolitaire::ScoreGet()
{
   i32 score = 0;
   for (i32 id = 0; id < FOUNDATIONS; ++id)
   {
      const CardPile* foundation = FoundationGet(id);
      const i32 held = foundation ? foundation->cards.count : 0;
      score += held > 0 ? held : 10;
   }
   return score;
}

void EliminatorSolitaire::RefreshSteps()
{
   // A card parked in the cell may fit no foundation: the game is won only once it is played too.
   const i32 columns = PilesOfTypeCountGet(CARD_PILE_TYPE_TABLEAU);
   const CardPile* cell = ReserveGet(-1);
   if (PilesEmptyCheck(CARD_PILE_TYPE_TABLEAU, columns) && (!cell || cell->cards.count == 0))
   {
      GameWin();
   }
   else if (!MoveExists())
   {
      GameLose();
   }
}
} // namespace Corvale
