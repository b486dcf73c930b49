// Strategy's deal, the reserve fed from the stock, the move rules and the end.
#include "games/solitaire/StrategySolitaire.h"

#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/RecordSupport.h"

namespace Corvale
{
StrategySolitaire StrategySolitaire::instance;

void StrategySolitaire::ReflectionRegister()
{
   auto* record =
       ReflectionRecordCreate<ReflectionTypeObjectTyped<StrategySolitaire>>("Corvale::StrategySolitaire");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(TraditionalSolitaireGame).name());
   ReflectionManager::TypeRegister(record);
}

void StrategySolitaire::Init()
{
   TraditionalSolitaireGame::Init();
   GameNew();
}

void StrategySolitaire::ColumnsShownSet()
{
   const bool six = SettingBoolGet("SixTableaus");
   for (i32 column = 6; column < STRATEGY_COLUMN_COUNT; ++column)
   {
      CardPile* pile = CardPileGet(CARD_PILE_TYPE_TABLEAU, column, -1);
      if (pile)
      {
         pile->VisibleSet(!six);
      }
   }
}

void StrategySolitaire::GameNew()
{
   undoMoveBegins = true;
   UndoHistoryClear();
   TraditionalSolitaireGame::GameNew();
   CardPile* stock = StockGet();
   CardPile* reserve = ReserveGet();
   if (!stock || !reserve)
   {
      WarningPrintf("StrategySolitaire::GameNew -- the constants lack the stock or the reserve\n");
      return;
   }
   stock->DecksAdd(1);
   CardPileShuffle(stock);

   // From the top down: the first card that is not an Ace to the reserve, the Aces to the
   // foundations in the order found.
   const u32 delay = static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0);
   i32 aces = 0;
   bool reserved = false;
   for (i32 i = stock->cards.count - 1; i >= 0 && aces < STRATEGY_FOUNDATION_COUNT; --i)
   {
      Card* card = stock->cards[i];
      if (card->rank == RANK_ACE)
      {
         CardMoveQueue(CardPileGet(CARD_PILE_TYPE_FOUNDATION, aces++, -1), card, delay, true);
      }
      else if (!reserved)
      {
         reserved = true;
         CardMoveQueue(reserve, card, delay, true);
      }
   }
   ColumnsShownSet();
   ActionTurnBeginPost();
}

bool StrategySolitaire::Load(JSONValue* document)
{
   const bool loaded = TraditionalSolitaireGame::Load(document);
   if (loaded)
   {
      ColumnsShownSet();
   }
   return loaded;
}

bool StrategySolitaire::CardChooseOnClickCheck(Card* card)
{
   return card && card->pile && card->pile == StockGet();
}

void StrategySolitaire::CardChoose(Card* card)
{
   undoMoveBegins = true;
   CardPile* stock = StockGet();
   CardPile* reserve = ReserveGet();
   if (card && stock && card->pile == stock)
   {
      if (reserve && reserve->cards.count == 0)
      {
         CardsDealToPile(reserve, stock, 1, true);
      }
      return;
   }
   TraditionalSolitaireGame::CardChoose(card);
}

bool StrategySolitaire::CardPickUpCheck(Card* card)
{
   const CardPile* pile = card ? card->pile : nullptr;
   return pile && card->faceUp && pile->CardTopGet() == card &&
          (pile->type == CARD_PILE_TYPE_TABLEAU || pile->type == CARD_PILE_TYPE_RESERVE);
}

bool StrategySolitaire::CardDropCheck(CardPile* pile, Card* card)
{
   if (!pile || !card || !card->pile || pile->type == card->pile->type)
   {
      return false;
   }
   if (card->pile->type == CARD_PILE_TYPE_RESERVE)
   {
      // A hidden column would hold a card the player can neither see nor play.
      return pile->type == CARD_PILE_TYPE_TABLEAU && pile->visible &&
             pile->cards.count < STRATEGY_COLUMN_CARDS_LIMIT;
   }
   const CardPile* stock = StockGet();
   const Card* top = pile->CardTopGet();
   return card->pile->type == CARD_PILE_TYPE_TABLEAU && pile->type == CARD_PILE_TYPE_FOUNDATION &&
          (!stock || stock->cards.count == 0) && top && top->suit == card->suit &&
          card->rank == top->rank + 1;
}

void StrategySolitaire::Refresh()
{
   PlayableCardsHighlight();
   if (!MayActCheck())
   {
      return;
   }
   CardPile* stock = StockGet();
   CardPile* reserve = ReserveGet();
   if (!stock || !reserve)
   {
      return;
   }
   if (reserve->cards.count == 0)
   {
      if (stock->cards.count > 0)
      {
         const u32 delay = static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0);
         CardPileTopCardMoveQueue(reserve, stock, delay, true);
         return;
      }
      if (CardPilesOfTypeEmpty(CARD_PILE_TYPE_TABLEAU))
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
