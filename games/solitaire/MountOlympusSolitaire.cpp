// Mount Olympus' deal of the Aces and Twos, its runs by twos, the refill of empty columns from the
// stock, and end of game.
#include "games/solitaire/MountOlympusSolitaire.h"

#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/CardQueries.h"
#include "cardgame/RecordSupport.h"

namespace Corvale
{
MountOlympusSolitaire MountOlympusSolitaire::instance;

void MountOlympusSolitaire::ReflectionRegister()
{
   auto* record = ReflectionRecordCreate<ReflectionTypeObjectTyped<MountOlympusSolitaire>>(
       "Corvale::MountOlympusSolitaire");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(TraditionalSolitaireGame).name());
   ReflectionManager::TypeRegister(record);
}

namespace
{
constexpr i32 COLUMNS = 9;
// Each suit s owns foundations 4s to 4s + 3: the Twos' at 4s and 4s + 2, the Aces' between them.
constexpr i32 SUIT_FOUNDATIONS = 4;
constexpr i32 STEP = 2;

u32 DealDelayGet(i32 delay)
{
   return static_cast<u32>(delay > 0 ? delay : 0);
}
} // namespace

void MountOlympusSolitaire::Deal()
{
   CardPile* stock = StockGet();
   const u32 delay = DealDelayGet(delayCardDeal);
   // Which of a suit's two Ace (Two) piles the next one takes, counted as the deal is queued.
   i32 placed[4][2] = {{0, 0}, {0, 0}, {0, 0}, {0, 0}};
   i32 column = 0;
   for (i32 i = 0; i < stock->cards.count; ++i)
   {
      Card* card = stock->cards[i];
      const bool ace = card->rank == RANK_ACE;
      if ((ace || card->rank == RANK_TWO) && card->suit >= 0 && card->suit < 4)
      {
         i32& count = placed[card->suit][ace ? 0 : 1];
         CardPile* foundation = FoundationGet(SUIT_FOUNDATIONS * card->suit + (ace ? 1 : 0) + 2 * count);
         count = 1;
         if (foundation)
         {
            CardMoveQueue(foundation, card, delay, true);
         }
      }
      else if (column < COLUMNS && ColumnGet(column))
      {
         CardMoveQueue(ColumnGet(column), card, delay, true);
         column++;
      }
   }
}

bool MountOlympusSolitaire::CardStackPickUpCheck(Card* card)
{
   (void)card;
   return true;
}

bool MountOlympusSolitaire::CardPickUpCheck(Card* card)
{
   const CardPile* pile = card ? card->pile : nullptr;
   return pile && pile->type == CARD_PILE_TYPE_TABLEAU && card->faceUp &&
          CardsSequenceCheck(pile->cards, card, BUILD_DOWN, BUILD_SAME_SUIT, false, false, STEP, -1);
}

bool MountOlympusSolitaire::CardDropCheck(CardPile* pile, Card* card)
{
   if (!pile || !card)
   {
      return false;
   }
   const Card* top = pile->CardTopGet();
   switch (pile->type)
   {
   case CARD_PILE_TYPE_TABLEAU:
      return !top || top->FollowsCheck(card, BUILD_DOWN, BUILD_SAME_SUIT, false, false, STEP);
   case CARD_PILE_TYPE_FOUNDATION:
      // One card at a time, of the foundation's own suit; its Ace or Two was laid by the deal.
      return top && MovingCountGet(card) == 1 && card->suit == pile->secondaryID / SUIT_FOUNDATIONS &&
             top->FollowsCheck(card, BUILD_UP, BUILD_SAME_SUIT, false, false, STEP);
   default:
      return false;
   }
}

void MountOlympusSolitaire::RefreshSteps()
{
   CardPile* stock = StockGet();
   i32 left = stock->cards.count;
   for (i32 column = 0; column < COLUMNS; ++column)
   {
      CardPile* pile = ColumnGet(column);
      if (pile && pile->cards.count == 0 && left > 0)
      {
         // Queued, so the stock's top is read when the move runs: each column gets the next card.
         CardPileTopCardMoveQueue(pile, stock, DealDelayGet(delayCardDeal), true);
         left--;
      }
   }
   if (left != stock->cards.count)
   {
      return;
   }
   if (stock->cards.count == 0 && PilesEmptyCheck(CARD_PILE_TYPE_TABLEAU, COLUMNS))
   {
      GameWin();
   }
   // The stock only reaches a column through a gap, and every gap is filled at once: a table with
   // no move never changes again, stock or no stock.
   else if (!MoveExists())
   {
      GameLose();
   }
}
} // namespace Corvale
