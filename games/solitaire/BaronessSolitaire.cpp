// Baroness's deal, its play by clicks and the end of game.
#include "games/solitaire/BaronessSolitaire.h"

#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/RecordSupport.h"

namespace Corvale
{
BaronessSolitaire BaronessSolitaire::instance;

void BaronessSolitaire::ReflectionRegister()
{
   auto* record =
       ReflectionRecordCreate<ReflectionTypeObjectTyped<BaronessSolitaire>>("Corvale::BaronessSolitaire");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(TraditionalSolitaireGame).name());
   record->FieldAdd(&BaronessSolitaire::firstClicked, "firstClicked");
   ReflectionManager::TypeRegister(record);
}

namespace
{
constexpr i32 COLUMNS = 7;
// Columns 0-4 take the rows; the last two cards of the stock go to columns 5 and 6.
constexpr i32 ROW_COLUMNS = 5;
constexpr i32 PAIR_SUM = 13;
} // namespace

void BaronessSolitaire::Deal()
{
   firstClicked = -1;
   StockClick();
}

bool BaronessSolitaire::StockClickActsCheck()
{
   const CardPile* stock = StockGet();
   return stock && stock->cards.count > 0;
}

void BaronessSolitaire::StockClick()
{
   CardPile* stock = StockGet();
   const u32 delay = static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0);
   if (stock->cards.count == 2)
   {
      CardPileTopCardMoveQueue(ColumnGet(ROW_COLUMNS), stock, delay, true);
      CardPileTopCardMoveQueue(ColumnGet(ROW_COLUMNS + 1), stock, delay, true);
   }
   else
   {
      for (i32 column = 0; column < ROW_COLUMNS && column < stock->cards.count; ++column)
      {
         CardPileTopCardMoveQueue(ColumnGet(column), stock, delay, true);
      }
   }
   SelectionClear();
}

void BaronessSolitaire::SelectionClear()
{
   Card* selected = firstClicked >= 0 ? CardGet(firstClicked) : nullptr;
   if (selected)
   {
      CardSelectedSet(selected, false);
   }
   firstClicked = -1;
}

bool BaronessSolitaire::ColumnTopCheck(const Card* card)
{
   const CardPile* pile = card ? card->pile : nullptr;
   return pile && pile->type == CARD_PILE_TYPE_TABLEAU && pile->CardTopGet() == card;
}

bool BaronessSolitaire::CardChooseOnClickCheck(Card* card)
{
   return card && card->pile &&
          (card->pile->type == CARD_PILE_TYPE_TABLEAU || OpenTableauSolitaire::CardChooseOnClickCheck(card));
}

void BaronessSolitaire::CardChoose(Card* card)
{
   if (!card || !card->pile)
   {
      return;
   }
   if (card->pile == StockGet())
   {
      OpenTableauSolitaire::CardChoose(card);
      return;
   }
   if (!ColumnTopCheck(card))
   {
      return;
   }
   CardPile* discard = FoundationGet(-1);
   const u32 delay = static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0);
   if (card->rank == RANK_KING)
   {
      SelectionClear();
      undoMoveBegins = true;
      CardMoveQueue(discard, card, delay, true);
      return;
   }
   if (card->id == firstClicked)
   {
      SelectionClear();
      return;
   }
   Card* first = firstClicked >= 0 ? CardGet(firstClicked) : nullptr;
   if (first && !ColumnTopCheck(first))
   {
      // A choice that is no longer a column top (a stale one) is no choice.
      SelectionClear();
      first = nullptr;
   }
   if (first && first->rank + card->rank == PAIR_SUM)
   {
      SelectionClear();
      undoMoveBegins = true;
      CardMoveQueue(discard, first, delay, true);
      CardMoveQueue(discard, card, delay, true);
      return;
   }
   SelectionClear();
   firstClicked = card->id;
   CardSelectedSet(card, true);
}

bool BaronessSolitaire::CardPickUpCheck(Card* card)
{
   (void)card;
   return false;
}

bool BaronessSolitaire::CardDropCheck(CardPile* pile, Card* card)
{
   (void)pile;
   (void)card;
   return false;
}

bool BaronessSolitaire::CardPlayableCheck(Card* card)
{
   if (!ColumnTopCheck(card))
   {
      return false;
   }
   if (card->rank == RANK_KING)
   {
      return true;
   }
   for (i32 column = 0; column < COLUMNS; ++column)
   {
      const CardPile* pile = ColumnGet(column);
      const Card* top = pile ? pile->CardTopGet() : nullptr;
      if (top && top != card && top->rank + card->rank == PAIR_SUM)
      {
         return true;
      }
   }
   return false;
}

bool BaronessSolitaire::RemovalExistsCheck()
{
   for (i32 column = 0; column < COLUMNS; ++column)
   {
      const CardPile* pile = ColumnGet(column);
      Card* top = pile ? pile->CardTopGet() : nullptr;
      if (top && CardPlayableCheck(top))
      {
         return true;
      }
   }
   return false;
}

void BaronessSolitaire::RefreshSteps()
{
   const CardPile* stock = StockGet();
   if (stock && stock->cards.count > 0)
   {
      return;
   }
   if (PilesEmptyCheck(CARD_PILE_TYPE_TABLEAU, COLUMNS))
   {
      GameWin();
   }
   else if (!RemovalExistsCheck())
   {
      GameLose();
   }
}

void BaronessSolitaire::Undo()
{
   OpenTableauSolitaire::Undo();
   firstClicked = -1;
}
} // namespace Corvale
