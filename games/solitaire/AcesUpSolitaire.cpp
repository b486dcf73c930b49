// Aces Up's deal, its discard rule, the waste of five and the end of game.
#include "games/solitaire/AcesUpSolitaire.h"

#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/RecordSupport.h"
#include "gui/widgets/PressButtonWidget.h"

namespace Corvale
{
AcesUpSolitaire AcesUpSolitaire::instance;

void AcesUpSolitaire::ReflectionRegister()
{
   auto* record =
       ReflectionRecordCreate<ReflectionTypeObjectTyped<AcesUpSolitaire>>("Corvale::AcesUpSolitaire");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(TraditionalSolitaireGame).name());
   ReflectionManager::TypeRegister(record);
}

namespace
{
constexpr i32 COLUMNS = 4;
constexpr i32 WASTE_CARDS_MAX = 5;

// The Ace ranks above the King here.
i32 RankHighGet(const Card* card)
{
   return card->rank == RANK_ACE ? RANK_ACE_HIGH : card->rank;
}
} // namespace

void AcesUpSolitaire::Deal()
{
   CardPile* waste = CardPileGet(CARD_PILE_TYPE_WASTE, -1, -1);
   if (waste)
   {
      waste->VisibleSet(!SettingBoolGet("NoWastePile"));
   }
   if (undoButton)
   {
      undoButton->VisibleSet(SettingBoolGet("AllowUndo"));
   }
   CardsDealToEachPile(CARD_PILE_TYPE_TABLEAU, StockGet(), 1, true);
}

bool AcesUpSolitaire::StockClickActsCheck()
{
   const CardPile* stock = StockGet();
   return stock && stock->cards.count > 0;
}

void AcesUpSolitaire::StockClick()
{
   CardsDealToEachPile(CARD_PILE_TYPE_TABLEAU, StockGet(), 1, true);
}

bool AcesUpSolitaire::PilePickUpCheck(const CardPile* pile)
{
   // Cards on the waste stay there.
   return pile->type == CARD_PILE_TYPE_TABLEAU;
}

bool AcesUpSolitaire::CardDropCheck(CardPile* pile, Card* card)
{
   if (!pile || !card || !card->pile || !pile->visible)
   {
      return false;
   }
   switch (pile->type)
   {
   case CARD_PILE_TYPE_TABLEAU:
      return pile->cards.count == 0;
   case CARD_PILE_TYPE_FOUNDATION:
      if (card->rank == RANK_ACE)
      {
         return false;
      }
      for (i32 column = 0; column < COLUMNS; ++column)
      {
         const CardPile* other = ColumnGet(column);
         const Card* top = other && other != card->pile ? other->CardTopGet() : nullptr;
         if (top && top->suit == card->suit && RankHighGet(top) > RankHighGet(card))
         {
            return true;
         }
      }
      return false;
   case CARD_PILE_TYPE_WASTE:
      return card->rank != RANK_ACE && pile->cards.count < WASTE_CARDS_MAX;
   default:
      return false;
   }
}

bool AcesUpSolitaire::FourAcesCheck()
{
   for (i32 column = 0; column < COLUMNS; ++column)
   {
      const CardPile* pile = ColumnGet(column);
      if (!pile || pile->cards.count != 1 || pile->cards[0]->rank != RANK_ACE)
      {
         return false;
      }
   }
   return true;
}

void AcesUpSolitaire::RefreshSteps()
{
   const CardPile* stock = StockGet();
   if (stock && stock->cards.count > 0)
   {
      return;
   }
   if (FourAcesCheck())
   {
      GameWin();
   }
   else if (!MoveExists())
   {
      GameLose();
   }
}

void AcesUpSolitaire::Undo()
{
   if (SettingBoolGet("AllowUndo"))
   {
      OpenTableauSolitaire::Undo();
   }
}

i32 AcesUpSolitaire::ScoreGet()
{
   i32 score = 0;
   const CardPile* discard = FoundationGet(-1);
   score += discard ? discard->cards.count : 0;
   for (i32 column = 0; column < COLUMNS; ++column)
   {
      const CardPile* pile = ColumnGet(column);
      score += pile && pile->cards.count == 1 && pile->cards[0]->rank == RANK_ACE ? 1 : 0;
   }
   return score;
}
} // namespace Corvale
