// Aces and Kings' deal, its foundations in both directions, the refilled columns and the end.
#include "games/solitaire/AcesAndKingSolitaire.h"

#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/RecordSupport.h"

namespace Corvale
{
AcesAndKingSolitaire AcesAndKingSolitaire::instance;

void AcesAndKingSolitaire::ReflectionRegister()
{
   auto* record = ReflectionRecordCreate<ReflectionTypeObjectTyped<AcesAndKingSolitaire>>(
       "Corvale::AcesAndKingSolitaire");
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
constexpr i32 RESERVES = 2;
constexpr i32 RESERVE_CARDS = 13;
// Foundations 0-3 rise from the Aces, 4-7 fall from the Kings.
constexpr i32 FOUNDATIONS_UP = 4;
const BuildRule UP_ANY_SUIT = {BUILD_UP, BUILD_ANY_SUIT, false};
const BuildRule DOWN_ANY_SUIT = {BUILD_DOWN, BUILD_ANY_SUIT, false};
} // namespace

void AcesAndKingSolitaire::Deal()
{
   CardPile* stock = StockGet();
   CardsDealToEachPile(CARD_PILE_TYPE_TABLEAU, stock, 1, true);
   const u32 delay = static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0);
   for (i32 reserve = 0; reserve < RESERVES; ++reserve)
   {
      for (i32 i = 0; i < RESERVE_CARDS; ++i)
      {
         CardPileTopCardMoveQueue(ReserveGet(reserve), stock, delay, true);
      }
   }
}

bool AcesAndKingSolitaire::StockClickActsCheck()
{
   const CardPile* stock = StockGet();
   return stock && stock->cards.count > 0;
}

void AcesAndKingSolitaire::StockClick()
{
   CardPileTopCardMoveQueue(CardPileGet(CARD_PILE_TYPE_TALON, -1, -1), StockGet(), 0, true);
}

bool AcesAndKingSolitaire::PilePickUpCheck(const CardPile* pile)
{
   return pile->type != CARD_PILE_TYPE_DRAW;
}

bool AcesAndKingSolitaire::CardDropCheck(CardPile* pile, Card* card)
{
   if (!pile || !card || !card->pile)
   {
      return false;
   }
   const bool empty = pile->cards.count == 0;
   switch (pile->type)
   {
   case CARD_PILE_TYPE_TABLEAU:
      return empty && card->pile->type != CARD_PILE_TYPE_FOUNDATION;
   case CARD_PILE_TYPE_FOUNDATION:
      if (pile->secondaryID < FOUNDATIONS_UP)
      {
         return empty ? card->rank == RANK_ACE : BuildsOnCheck(pile, card, UP_ANY_SUIT);
      }
      return empty ? card->rank == RANK_KING : BuildsOnCheck(pile, card, DOWN_ANY_SUIT);
   default:
      return false;
   }
}

bool AcesAndKingSolitaire::ColumnsRefill()
{
   CardPile* talon = CardPileGet(CARD_PILE_TYPE_TALON, -1, -1);
   CardPile* stock = StockGet();
   CardPile* source = talon && talon->cards.count > 0 ? talon : stock;
   i32 left = source ? source->cards.count : 0;
   const u32 delay = static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0);
   bool sent = false;
   for (i32 column = 0; column < COLUMNS && left > 0; ++column)
   {
      CardPile* pile = ColumnGet(column);
      if (pile && pile->cards.count == 0)
      {
         CardPileTopCardMoveQueue(pile, source, delay, true);
         --left;
         sent = true;
      }
   }
   return sent;
}

void AcesAndKingSolitaire::RefreshSteps()
{
   if (ColumnsRefill())
   {
      return;
   }
   const CardPile* stock = StockGet();
   const bool stockHolds = stock && stock->cards.count > 0;
   if (stockHolds)
   {
      return;
   }
   if (PilesEmptyCheck(CARD_PILE_TYPE_TABLEAU, COLUMNS))
   {
      const CardPile* talon = CardPileGet(CARD_PILE_TYPE_TALON, -1, -1);
      if (PilesEmptyCheck(CARD_PILE_TYPE_RESERVE, RESERVES) && (!talon || talon->cards.count == 0))
      {
         GameWin();
         return;
      }
   }
   if (!MoveExists())
   {
      GameLose();
   }
}
} // namespace Corvale
