// Colorado's deal, the stock refilling empty columns, foundations up from the Aces and down from
// the Kings, and its end of game.
#include "games/solitaire/ColoradoSolitaire.h"

#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/RecordSupport.h"

namespace Corvale
{
ColoradoSolitaire ColoradoSolitaire::instance;

void ColoradoSolitaire::ReflectionRegister()
{
   auto* record =
       ReflectionRecordCreate<ReflectionTypeObjectTyped<ColoradoSolitaire>>("Corvale::ColoradoSolitaire");
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
constexpr i32 COLUMNS = 20;
// Foundations 0-3 build up from the Aces, 4-7 down from the Kings.
constexpr i32 FOUNDATIONS_DOWN_FIRST = 4;
const BuildRule UP_BUILD = {BUILD_UP, BUILD_SAME_SUIT, false};
const BuildRule DOWN_BUILD = {BUILD_DOWN, BUILD_SAME_SUIT, false};
} // namespace

void ColoradoSolitaire::Deal()
{
   CardsDealToEachPile(CARD_PILE_TYPE_TABLEAU, StockGet(), 1, true);
}

bool ColoradoSolitaire::StockClickActsCheck()
{
   const CardPile* turned = ReserveGet(-1);
   return turned && turned->cards.count == 0;
}

void ColoradoSolitaire::StockClick()
{
   CardPile* stock = StockGet();
   if (stock->cards.count > 0)
   {
      CardPileTopCardMoveQueue(ReserveGet(-1), stock, 0, true);
   }
}

bool ColoradoSolitaire::SuitFreeCheck(const CardPile* pile, i32 suit, i32 first)
{
   for (i32 id = first; id < first + FOUNDATIONS_DOWN_FIRST; ++id)
   {
      const CardPile* other = FoundationGet(id);
      const Card* top = other && other != pile ? other->CardTopGet() : nullptr;
      if (top && top->suit == suit)
      {
         return false;
      }
   }
   return true;
}

bool ColoradoSolitaire::CardDropCheck(CardPile* pile, Card* card)
{
   if (!pile || !card || !card->pile)
   {
      return false;
   }
   switch (pile->type)
   {
   case CARD_PILE_TYPE_TABLEAU:
      return card->pile->type == CARD_PILE_TYPE_RESERVE;
   case CARD_PILE_TYPE_FOUNDATION:
   {
      if (card->pile->type != CARD_PILE_TYPE_TABLEAU && card->pile->type != CARD_PILE_TYPE_RESERVE)
      {
         return false;
      }
      const bool down = pile->secondaryID >= FOUNDATIONS_DOWN_FIRST;
      if (pile->cards.count > 0)
      {
         return BuildsOnCheck(pile, card, down ? DOWN_BUILD : UP_BUILD);
      }
      return card->rank == (down ? RANK_KING : RANK_ACE) &&
             SuitFreeCheck(pile, card->suit, down ? FOUNDATIONS_DOWN_FIRST : 0);
   }
   default:
      return false;
   }
}

void ColoradoSolitaire::RefreshSteps()
{
   CardPile* stock = StockGet();
   i32 left = stock ? stock->cards.count : 0;
   const u32 delay = static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0);
   for (i32 column = 0; column < COLUMNS && left > 0; ++column)
   {
      CardPile* pile = ColumnGet(column);
      if (pile && pile->cards.count == 0)
      {
         CardPileTopCardMoveQueue(pile, stock, delay, true);
         left--;
      }
   }
   if (stock && stock->cards.count > 0)
   {
      return;
   }
   const CardPile* turned = ReserveGet(-1);
   if (turned && turned->cards.count == 0 && PilesEmptyCheck(CARD_PILE_TYPE_TABLEAU, COLUMNS))
   {
      GameWin();
   }
   else if (!MoveExists())
   {
      GameLose();
   }
}
} // namespace Corvale
