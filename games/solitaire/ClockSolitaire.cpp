// Clock's deal (plain or arranged to be winnable), its carrying rules and its end.
#include "games/solitaire/ClockSolitaire.h"

#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/RecordSupport.h"

namespace Corvale
{
ClockSolitaire clockSolitaire;

void ClockSolitaire::ReflectionRegister()
{
   auto* record =
       ReflectionRecordCreate<ReflectionTypeObjectTyped<ClockSolitaire>>("Corvale::ClockSolitaire");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(TraditionalSolitaireGame).name());
   ReflectionManager::TypeRegister(record);
}

CardPile* ClockSolitaire::StockGet()
{
   return CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
}

CardPile* ClockSolitaire::HourGet(i32 hour)
{
   return CardPileGet(CARD_PILE_TYPE_TABLEAU, hour, -1);
}

void ClockSolitaire::Init()
{
   TraditionalSolitaireGame::Init();
   GameNew();
}

void ClockSolitaire::GameNew()
{
   undoMoveBegins = true;
   UndoHistoryClear();
   TraditionalSolitaireGame::GameNew();
   CardPile* stock = StockGet();
   bool hoursFound = true;
   for (i32 hour = 0; hour < CLOCK_HOUR_COUNT; ++hour)
   {
      hoursFound = hoursFound && HourGet(hour);
   }
   if (!stock || !hoursFound || !CardPileGet(CARD_PILE_TYPE_FLIP, CLOCK_FLIP_PILE_ID, -1) ||
       !CardPileGet(CARD_PILE_TYPE_WASTE, CLOCK_KING_PILE_ID, -1) ||
       !CardPileGet(CARD_PILE_TYPE_WASTE, CLOCK_FINISHED_PILE_ID, -1))
   {
      WarningPrintf("ClockSolitaire::GameNew -- the constants lack the stock, an hour or the turned, King "
                    "or finished pile\n");
      return;
   }
   stock->DecksAdd(1);
   if (SettingBoolGet("DealWinnableHand"))
   {
      WinnableArrange(stock);
   }
   else
   {
      CardPileShuffle(stock);
   }
   CardsDeal(CARD_PILE_TYPE_TABLEAU, stock, CLOCK_HOUR_COUNT * CLOCK_CARDS_PER_HOUR, false, 0);
   ActionTurnBeginPost();
}

void ClockSolitaire::WinnableArrange(CardPile* stock)
{
   CardPileShuffle(stock);
   // The play built backwards: each card laid on an hour asks for the next card of that hour.
   Table<Card*> remaining;
   Card* king = nullptr;
   for (i32 i = 0; i < stock->cards.count; ++i)
   {
      Card* card = stock->cards[i];
      if (card->rank != RANK_KING)
      {
         remaining.Insert(card, remaining.count);
      }
      else if (!king)
      {
         king = card;
      }
   }
   Table<CardPile*> open;
   for (i32 hour = 0; hour < CLOCK_HOUR_COUNT; ++hour)
   {
      open.Insert(HourGet(hour), open.count);
   }
   const auto place = [&](Card* card) -> CardPile*
   {
      const i32 index = static_cast<i32>(RandomIntGet(static_cast<u32>(open.count)));
      CardPile* pile = open[index];
      CardAdd(pile, card);
      if (pile->cards.count >= CLOCK_CARDS_PER_HOUR)
      {
         open.RemoveAt(index);
      }
      return pile;
   };
   CardPile* last = place(king);
   const i32 placements = CLOCK_HOUR_COUNT * CLOCK_CARDS_PER_HOUR - 1;
   for (i32 placed = 0; placed <= placements; ++placed)
   {
      Card* wanted = nullptr;
      for (i32 i = 0; i < remaining.count && !wanted; ++i)
      {
         if (remaining[i]->rank == last->secondaryID + 1)
         {
            wanted = remaining[i];
            remaining.RemoveAt(i);
         }
      }
      if (!wanted)
      {
         break;
      }
      if (placed == placements)
      {
         // The card for the last hour is the first one turned in play.
         CardAdd(stock, wanted);
         break;
      }
      last = place(wanted);
   }
   TableauCardsCollect(stock, CLOCK_HOUR_COUNT * CLOCK_CARDS_PER_HOUR);
}

bool ClockSolitaire::CardPickUpCheck(Card* card)
{
   const CardPile* pile = card ? card->pile : nullptr;
   if (!pile || !card->faceUp || pile->CardTopGet() != card)
   {
      return false;
   }
   return pile->type == CARD_PILE_TYPE_TABLEAU || pile->type == CARD_PILE_TYPE_FLIP;
}

bool ClockSolitaire::CardDropCheck(CardPile* pile, Card* card)
{
   if (!pile || !card)
   {
      return false;
   }
   if (pile->type == CARD_PILE_TYPE_WASTE && pile->secondaryID == CLOCK_KING_PILE_ID)
   {
      return card->rank == RANK_KING;
   }
   return pile->type == CARD_PILE_TYPE_TABLEAU && pile->secondaryID == card->rank - 1;
}

bool ClockSolitaire::CardPlayableCheck(Card* card)
{
   if (!card || !CardPickUpCheck(card))
   {
      return false;
   }
   for (i32 i = 0; i < cardPiles.count; ++i)
   {
      CardPile* pile = cardPiles[i];
      if (pile != card->pile && CardDropCheck(pile, card))
      {
         return true;
      }
   }
   return false;
}

i32 ClockSolitaire::ScoreGet()
{
   i32 onHours = 0;
   for (i32 hour = 0; hour < CLOCK_HOUR_COUNT; ++hour)
   {
      const CardPile* pile = HourGet(hour);
      onHours += pile ? pile->cards.count : 0;
   }
   return cards.count - onHours;
}

void ClockSolitaire::Refresh()
{
   PlayableCardsHighlight();
   if (!MayActCheck())
   {
      return;
   }
   CardPile* finished = CardPileGet(CARD_PILE_TYPE_WASTE, CLOCK_FINISHED_PILE_ID, -1);
   CardPile* flip = CardPileGet(CARD_PILE_TYPE_FLIP, CLOCK_FLIP_PILE_ID, -1);
   CardPile* stock = StockGet();
   const u32 delay = static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0);
   bool faceUpTop = false;
   bool hoursEmpty = true;
   for (i32 hour = 0; hour < CLOCK_HOUR_COUNT; ++hour)
   {
      CardPile* pile = HourGet(hour);
      const Card* top = pile ? pile->CardTopGet() : nullptr;
      hoursEmpty = hoursEmpty && !top;
      if (!top || !top->faceUp)
      {
         continue;
      }
      faceUpTop = true;
      // A card that reached its hour leaves for the finished pile and uncovers the next.
      if (top->rank == hour + 1 && finished)
      {
         ActionAnimationsWaitPost();
         CardPileTopCardMoveQueue(finished, pile, delay, true);
         ActionAnimationsWaitPost();
         CardPileTopCardFaceUpQueue(pile, 0);
      }
   }
   if (!faceUpTop && flip && flip->cards.count == 0 && stock && stock->cards.count > 0 && !hoursEmpty)
   {
      // The turn after the deal is part of the deal: nothing before it to take back.
      const bool dealt = undoHistory.count == 0;
      CardsDealToPile(flip, stock, 1, true);
      if (dealt)
      {
         UndoHistoryClearPost();
      }
   }
   if (hoursEmpty)
   {
      GameWin();
      return;
   }
   const CardPile* kings = CardPileGet(CARD_PILE_TYPE_WASTE, CLOCK_KING_PILE_ID, -1);
   if (kings && kings->cards.count >= 4)
   {
      GameLose();
   }
}
} // namespace Corvale
