// Fortress's deal, its move rules, the foundations' common start rank and the end of game.
#include "games/solitaire/FortressSolitaire.h"

#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/RecordSupport.h"

namespace Corvale
{
FortressSolitaire FortressSolitaire::instance;

void FortressSolitaire::ReflectionRegister()
{
   auto* record =
       ReflectionRecordCreate<ReflectionTypeObjectTyped<FortressSolitaire>>("Corvale::FortressSolitaire");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(TraditionalSolitaireGame).name());
   ReflectionManager::TypeRegister(record);
}

namespace
{
constexpr i32 COLUMNS = 10;
constexpr i32 FOUNDATIONS = 4;
constexpr i32 COLUMN_CARDS_MAX = 13;
// The two columns that take the last two cards.
constexpr i32 LONG_COLUMN_FIRST = 0;
constexpr i32 LONG_COLUMN_SECOND = 5;
const BuildRule COLUMN_BUILD = {BUILD_EITHER, BUILD_ANY_SUIT, true};
const BuildRule FOUNDATION_BUILD = {BUILD_UP, BUILD_SAME_SUIT, true};
} // namespace

void FortressSolitaire::Deal()
{
   CardPile* stock = StockGet();
   CardsDeal(CARD_PILE_TYPE_TABLEAU, stock, 50, true, -1);
   const u32 delay = static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0);
   CardPileTopCardMoveQueue(ColumnGet(LONG_COLUMN_FIRST), stock, delay, true);
   CardPileTopCardMoveQueue(ColumnGet(LONG_COLUMN_SECOND), stock, delay, true);
}

bool FortressSolitaire::FoundationStartCheck(const Card* card)
{
   if (SettingBoolGet("AcesStartFoundations"))
   {
      return card->rank == RANK_ACE;
   }
   for (i32 id = 0; id < FOUNDATIONS; ++id)
   {
      const CardPile* pile = FoundationGet(id);
      if (!pile || pile->cards.count == 0)
      {
         continue;
      }
      if (pile->CardTopGet()->suit == card->suit || pile->cards[0]->rank != card->rank)
      {
         return false;
      }
   }
   return true;
}

bool FortressSolitaire::CardDropCheck(CardPile* pile, Card* card)
{
   if (!pile || !card || !card->pile)
   {
      return false;
   }
   const bool empty = pile->cards.count == 0;
   switch (pile->type)
   {
   case CARD_PILE_TYPE_TABLEAU:
      if (!CountLimitCheck(pile, card, COLUMN_CARDS_MAX))
      {
         return false;
      }
      return empty ? card->rank == RANK_KING || !SettingBoolGet("OnlyKingsInEmpty")
                   : BuildsOnCheck(pile, card, COLUMN_BUILD);
   case CARD_PILE_TYPE_FOUNDATION:
      if (card->pile->CardTopGet() != card)
      {
         return false;
      }
      return empty ? FoundationStartCheck(card) : BuildsOnCheck(pile, card, FOUNDATION_BUILD);
   default:
      return false;
   }
}

void FortressSolitaire::RefreshSteps()
{
   if (ColumnTopsTurn(COLUMNS))
   {
      return;
   }
   const CardPile* stock = StockGet();
   if ((!stock || stock->cards.count == 0) && PilesEmptyCheck(CARD_PILE_TYPE_TABLEAU, COLUMNS))
   {
      GameWin();
   }
   else if (!MoveExists())
   {
      GameLose();
   }
}
} // namespace Corvale
