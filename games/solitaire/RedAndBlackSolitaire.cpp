// Red and Black's deal, move rules, talon feed and win.
#include "games/solitaire/RedAndBlackSolitaire.h"

#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/RecordSupport.h"

namespace Corvale
{
RedAndBlackSolitaire RedAndBlackSolitaire::instance;

void RedAndBlackSolitaire::ReflectionRegister()
{
   auto* record = ReflectionRecordCreate<ReflectionTypeObjectTyped<RedAndBlackSolitaire>>(
       "Corvale::RedAndBlackSolitaire");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(TalonSolitaire).name());
   ReflectionManager::TypeRegister(record);
}

void RedAndBlackSolitaire::Init()
{
   TalonSolitaire::Init();
   GameNew();
}

void RedAndBlackSolitaire::GameNew()
{
   undoMoveBegins = true;
   UndoHistoryClear();
   TalonSolitaire::GameNew();
   ResetButtonShow(false);
   resetNum = 0;
   maxResets = -1;

   CardPile* stock = StockGet();
   CardPile* talon = TalonGet();
   if (!stock || !talon)
   {
      WarningPrintf("RedAndBlackSolitaire::GameNew -- the constants lack the stock or the talon\n");
      return;
   }
   stock->DecksAdd(2);
   CardPileShuffle(stock);

   // From the top down: the Aces to the foundations, the first eight other cards to the columns and
   // the ninth to the talon, until the last Ace is out.
   const u32 delay = static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0);
   i32 aces = 0;
   i32 others = 0;
   for (i32 i = stock->cards.count - 1; i >= 0 && aces < RED_AND_BLACK_FOUNDATION_COUNT; --i)
   {
      Card* card = stock->cards[i];
      CardPile* target = nullptr;
      if (card->rank == RANK_ACE)
      {
         target = CardPileGet(CARD_PILE_TYPE_FOUNDATION, aces++, -1);
      }
      else if (others < RED_AND_BLACK_COLUMN_COUNT)
      {
         target = CardPileGet(CARD_PILE_TYPE_TABLEAU, others++, -1);
      }
      else if (others++ == RED_AND_BLACK_COLUMN_COUNT)
      {
         target = talon;
      }
      if (target)
      {
         CardMoveQueue(target, card, delay, true);
      }
   }
   // Aces that came early leave columns empty: the cards after the last Ace fill them and the talon
   // now, as the talon would at once, so that the deal stays out of the undo history.
   for (i32 column = others; column < RED_AND_BLACK_COLUMN_COUNT; ++column)
   {
      CardPileTopCardMoveQueue(CardPileGet(CARD_PILE_TYPE_TABLEAU, column, -1), stock, delay, true);
   }
   if (others < RED_AND_BLACK_COLUMN_COUNT)
   {
      CardPileTopCardMoveQueue(talon, stock, delay, true);
   }
   ActionTurnBeginPost();
}

bool RedAndBlackSolitaire::CardChooseOnClickCheck(Card* card)
{
   return card && card->pile && card->pile == StockGet();
}

void RedAndBlackSolitaire::CardChoose(Card* card)
{
   undoMoveBegins = true;
   if (card && card->pile && card->pile == StockGet())
   {
      StockCardsTurn(1);
      return;
   }
   TalonSolitaire::CardChoose(card);
}

bool RedAndBlackSolitaire::CardPickUpCheck(Card* card)
{
   const CardPile* pile = card ? card->pile : nullptr;
   return pile && card->faceUp && pile->CardTopGet() == card &&
          (pile->type == CARD_PILE_TYPE_TABLEAU || pile->type == CARD_PILE_TYPE_TALON);
}

bool RedAndBlackSolitaire::CardDropCheck(CardPile* pile, Card* card)
{
   const Card* top = pile ? pile->CardTopGet() : nullptr;
   if (!top || !card || CardSuitColorsMatchCheck(card->suit, top->suit))
   {
      return false;
   }
   switch (pile->type)
   {
   case CARD_PILE_TYPE_FOUNDATION:
      return card->rank == top->rank + 1;
   case CARD_PILE_TYPE_TABLEAU:
      return SettingBoolGet("ReversePlay") ? card->rank == top->rank + 1 : card->rank + 1 == top->rank;
   default:
      return false;
   }
}

void RedAndBlackSolitaire::Refresh()
{
   PlayableCardsHighlight();
   if (!MayActCheck())
   {
      return;
   }
   CardPile* stock = StockGet();
   CardPile* talon = TalonGet();
   if (!stock || !talon)
   {
      return;
   }
   const u32 delay = static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0);
   // While the stock lasts the talon is never empty and an empty column takes its top card.
   if (stock->cards.count > 0)
   {
      if (talon->cards.count == 0)
      {
         CardPileTopCardMoveQueue(talon, stock, delay, true);
         return;
      }
      CardPile* empty = TableauEmptyPileGet();
      if (empty)
      {
         CardPileTopCardMoveQueue(empty, talon, delay, true);
      }
      return;
   }
   if (talon->cards.count > 0)
   {
      return;
   }
   for (i32 column = 0; column < RED_AND_BLACK_COLUMN_COUNT; ++column)
   {
      const CardPile* pile = CardPileGet(CARD_PILE_TYPE_TABLEAU, column, -1);
      if (pile && pile->cards.count > 0)
      {
         return;
      }
   }
   GameWin();
}
} // namespace Corvale
