// Golf's deal, its one drop rule, the stock and the end once the stock is used up.
#include "games/solitaire/GolfSolitaire.h"

#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/RecordSupport.h"

namespace Corvale
{
GolfSolitaire golfSolitaire;

void GolfSolitaire::ReflectionRegister()
{
   auto* record = ReflectionRecordCreate<ReflectionTypeObjectTyped<GolfSolitaire>>("Corvale::GolfSolitaire");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(TraditionalSolitaireGame).name());
   ReflectionManager::TypeRegister(record);
}

CardPile* GolfSolitaire::StockGet()
{
   return CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
}

CardPile* GolfSolitaire::FoundationGet()
{
   return CardPileGet(CARD_PILE_TYPE_FOUNDATION, -1, -1);
}

void GolfSolitaire::Init()
{
   TraditionalSolitaireGame::Init();
   GameNew();
}

void GolfSolitaire::GameNew()
{
   UndoHistoryClear();
   TraditionalSolitaireGame::GameNew();
   CardPile* stock = StockGet();
   if (!stock)
   {
      WarningPrintf("GolfSolitaire::GameNew -- the constants declare no stock pile\n");
      return;
   }
   stock->DecksAdd(1);
   CardPileShuffle(stock);

   const bool six = SettingBoolGet("SixTableaus");
   CardPile* lastColumn = CardPileGet(CARD_PILE_TYPE_TABLEAU, GOLF_COLUMN_COUNT - 1, -1);
   if (lastColumn)
   {
      lastColumn->VisibleSet(!six);
   }
   const i32 columns = six ? GOLF_COLUMN_COUNT - 1 : GOLF_COLUMN_COUNT;
   const i32 rounds = six ? 6 : 5;
   const u32 delay = static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0);
   for (i32 round = 0; round < rounds; ++round)
   {
      for (i32 column = 0; column < columns; ++column)
      {
         CardPileTopCardMoveQueue(CardPileGet(CARD_PILE_TYPE_TABLEAU, column, -1), stock, delay, true);
      }
   }
   ActionTurnBeginPost();
}

bool GolfSolitaire::CardChooseOnClickCheck(Card* card)
{
   return card && card->pile && card->pile == StockGet();
}

void GolfSolitaire::CardChoose(Card* card)
{
   CardPile* stock = StockGet();
   if (card && stock && card->pile == stock)
   {
      undoMoveBegins = true;
      CardsDealToEachPile(CARD_PILE_TYPE_FOUNDATION, stock, 1, true);
      return;
   }
   TraditionalSolitaireGame::CardChoose(card);
}

bool GolfSolitaire::CardPickUpCheck(Card* card)
{
   return card && card->pile && card->pile->type == CARD_PILE_TYPE_TABLEAU &&
          card->pile->CardTopGet() == card;
}

bool GolfSolitaire::CardDropCheck(CardPile* pile, Card* card)
{
   if (!pile || !card || pile->type != CARD_PILE_TYPE_FOUNDATION || !card->pile ||
       card->pile->CardTopGet() != card)
   {
      return false;
   }
   const Card* top = pile->CardTopGet();
   if (!top)
   {
      return true;
   }
   if (top->rank == RANK_KING && SettingBoolGet("CantPlayOnKings"))
   {
      return false;
   }
   // No wrap: an Ace and a King are not neighbours.
   return card->rank == top->rank + 1 || card->rank + 1 == top->rank;
}

i32 GolfSolitaire::ScoreGet()
{
   i32 left = 0;
   for (i32 column = 0; column < GOLF_COLUMN_COUNT; ++column)
   {
      const CardPile* pile = CardPileGet(CARD_PILE_TYPE_TABLEAU, column, -1);
      left += pile ? pile->cards.count : 0;
   }
   return left;
}

void GolfSolitaire::Refresh()
{
   PlayableCardsHighlight();
   if (!MayActCheck())
   {
      return;
   }
   const CardPile* stock = StockGet();
   if (stock && stock->cards.count > 0)
   {
      return;
   }
   if (ScoreGet() == 0)
   {
      GameWin();
   }
   else if (!MoveExists())
   {
      GameLose();
   }
}
} // namespace Corvale
