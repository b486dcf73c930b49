// Batsford's staircase deal, runs carried as a whole, the talon and the King reserve, and the
// end of game once no useful move is left.
#include "games/solitaire/BatsfordSolitaire.h"

#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/CardQueries.h"
#include "cardgame/RecordSupport.h"

namespace Corvale
{
BatsfordSolitaire BatsfordSolitaire::instance;

void BatsfordSolitaire::ReflectionRegister()
{
   auto* record =
       ReflectionRecordCreate<ReflectionTypeObjectTyped<BatsfordSolitaire>>("Corvale::BatsfordSolitaire");
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
constexpr i32 COLUMNS = 10;
constexpr i32 PILE_CARDS_MAX = 23;
constexpr i32 KING_RESERVE_MAX = 3;
const BuildRule COLUMN_BUILD = {BUILD_DOWN, BUILD_OTHER_COLOR, false};
const BuildRule FOUNDATION_BUILD = {BUILD_UP, BUILD_SAME_SUIT, false};
} // namespace

void BatsfordSolitaire::Deal()
{
   CardPile* stock = StockGet();
   const u32 delay = static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0);
   // Column k ends with k cards face down under one face up.
   for (i32 row = 0; row < COLUMNS; ++row)
   {
      CardPileTopCardMoveQueue(ColumnGet(row), stock, delay, true);
      for (i32 column = row + 1; column < COLUMNS; ++column)
      {
         CardPileTopCardMoveQueue(ColumnGet(column), stock, delay, false);
      }
   }
}

void BatsfordSolitaire::StockClick()
{
   CardPile* stock = StockGet();
   if (stock->cards.count > 0)
   {
      CardPileTopCardMoveQueue(CardPileGet(CARD_PILE_TYPE_TALON, -1, -1), stock, 0, true);
   }
}

bool BatsfordSolitaire::CardStackPickUpCheck(Card* card)
{
   (void)card;
   return true;
}

bool BatsfordSolitaire::CardPickUpCheck(Card* card)
{
   const CardPile* pile = card ? card->pile : nullptr;
   if (!pile || !card->faceUp)
   {
      return false;
   }
   switch (pile->type)
   {
   case CARD_PILE_TYPE_TABLEAU:
   case CARD_PILE_TYPE_TALON:
      return CardsSequenceCheck(pile->cards, card, 1, 4, false, false, 1, -1);
   case CARD_PILE_TYPE_RESERVE:
      return pile->CardTopGet() == card;
   default:
      return false;
   }
}

bool BatsfordSolitaire::CardDropCheck(CardPile* pile, Card* card)
{
   if (!pile || !card || !card->pile)
   {
      return false;
   }
   const bool empty = pile->cards.count == 0;
   switch (pile->type)
   {
   case CARD_PILE_TYPE_TABLEAU:
      if (!CountLimitCheck(pile, card, PILE_CARDS_MAX))
      {
         return false;
      }
      return empty ? card->rank == RANK_KING : BuildsOnCheck(pile, card, COLUMN_BUILD);
   case CARD_PILE_TYPE_FOUNDATION:
      if (card->pile->CardTopGet() != card || !CountLimitCheck(pile, card, PILE_CARDS_MAX))
      {
         return false;
      }
      return empty ? card->rank == RANK_ACE : BuildsOnCheck(pile, card, FOUNDATION_BUILD);
   case CARD_PILE_TYPE_RESERVE:
      return card->rank == RANK_KING && card->pile->CardTopGet() == card &&
             pile->cards.count < KING_RESERVE_MAX;
   default:
      return false;
   }
}

void BatsfordSolitaire::RefreshSteps()
{
   if (ColumnTopsTurn(COLUMNS))
   {
      return;
   }
   const CardPile* stock = StockGet();
   if (stock && stock->cards.count > 0)
   {
      return;
   }
   const CardPile* talon = CardPileGet(CARD_PILE_TYPE_TALON, -1, -1);
   const CardPile* kings = ReserveGet(-1);
   if (PilesEmptyCheck(CARD_PILE_TYPE_TABLEAU, COLUMNS) && (!talon || talon->cards.count == 0) &&
       (!kings || kings->cards.count == 0))
   {
      GameWin();
   }
   else if (!UsefulMoveExistsCheck())
   {
      GameLose();
   }
}
} // namespace Corvale
