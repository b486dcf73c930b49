// Poker square's deal, its one movable card, the cell and discard rules, the turn of the next card
// and the score of the full grid.
#include "games/solitaire/PokerSquareSolitaire.h"

#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/PokerHandEvaluator.h"
#include "cardgame/RecordSupport.h"
#include "core/Log.h"

namespace Corvale
{
PokerSquareSolitaire PokerSquareSolitaire::instance;

void PokerSquareSolitaire::ReflectionRegister()
{
   auto* record = ReflectionRecordCreate<ReflectionTypeObjectTyped<PokerSquareSolitaire>>(
       "Corvale::PokerSquareSolitaire");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(TraditionalSolitaireGame).name());
   ReflectionManager::TypeRegister(record);
}

i32 PokerSquareSolitaire::HandPointsGet(i32 handType)
{
   switch (handType)
   {
   case POKER_HAND_TYPE_PAIR:
      return 2;
   case POKER_HAND_TYPE_TWO_PAIR:
      return 5;
   case POKER_HAND_TYPE_THREE_OF_A_KIND:
      return 15;
   case POKER_HAND_TYPE_STRAIGHT:
      return 25;
   case POKER_HAND_TYPE_FLUSH:
      return 10;
   case POKER_HAND_TYPE_FULL_HOUSE:
      return 20;
   case POKER_HAND_TYPE_FOUR_OF_A_KIND:
      return 30;
   case POKER_HAND_TYPE_STRAIGHT_FLUSH:
      return 60;
   case POKER_HAND_TYPE_ROYAL_FLUSH:
      return 100;
   default:
      return 0;
   }
}

void PokerSquareSolitaire::Init()
{
   if (scratch.capacity < POKER_SQUARE_SIZE)
   {
      scratch.Reserve(POKER_SQUARE_SIZE);
   }
   TraditionalSolitaireGame::Init();
   GameNew();
}

void PokerSquareSolitaire::Deinit()
{
   scratch = Table<Card*>();
   TraditionalSolitaireGame::Deinit();
}

void PokerSquareSolitaire::GameNew()
{
   UndoHistoryClear();
   undoMoveBegins = true;
   TraditionalSolitaireGame::GameNew();
   CardPile* waste = CardPileGet(CARD_PILE_TYPE_WASTE, -1, -1);
   if (waste)
   {
      waste->VisibleSet(!SettingBoolGet("NoWastePile"));
   }
   CardPile* stock = CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
   if (!stock)
   {
      WarningPrintf("PokerSquareSolitaire::GameNew -- the constants declare no stock pile\n");
      return;
   }
   stock->DecksAdd(1);
   CardPileShuffle(stock);
   CardsDealToEachPile(CARD_PILE_TYPE_FLIP, stock, 1, true);
   ActionTurnBeginPost();
}

bool PokerSquareSolitaire::CardPickUpCheck(Card* card)
{
   const CardPile* pile = card ? card->pile : nullptr;
   return pile && pile->type == CARD_PILE_TYPE_FLIP && pile->CardTopGet() == card;
}

bool PokerSquareSolitaire::CardDropCheck(CardPile* pile, Card* card)
{
   if (!pile || !card)
   {
      return false;
   }
   switch (pile->type)
   {
   case CARD_PILE_TYPE_TABLEAU:
      return pile->cards.count == 0;
   case CARD_PILE_TYPE_WASTE:
      return !SettingBoolGet("NoWastePile") && pile->cards.count < POKER_SQUARE_DISCARDS_MAX;
   default:
      return false;
   }
}

i32 PokerSquareSolitaire::LinePointsGet(i32 firstCell, i32 step)
{
   scratch.Clear();
   for (i32 i = 0; i < POKER_SQUARE_SIZE; ++i)
   {
      const CardPile* cell = CardPileGet(CARD_PILE_TYPE_TABLEAU, firstCell + i * step, -1);
      Card* card = cell ? cell->CardTopGet() : nullptr;
      if (!card)
      {
         break;
      }
      scratch.Insert(card, scratch.count);
   }
   return HandPointsGet(pokerHandEvaluator.HandRankGet(scratch));
}

i32 PokerSquareSolitaire::ScoreGet()
{
   i32 score = 0;
   for (i32 line = 0; line < POKER_SQUARE_SIZE; ++line)
   {
      score += LinePointsGet(line * POKER_SQUARE_SIZE, 1);
      score += LinePointsGet(line, POKER_SQUARE_SIZE);
   }
   return score;
}

void PokerSquareSolitaire::Refresh()
{
   PlayableCardsHighlight();
   if (!MayActCheck() || gameResult != MINIGAME_RESULT_RUNNING)
   {
      return;
   }
   for (i32 id = 0; id < POKER_SQUARE_CELL_COUNT; ++id)
   {
      const CardPile* cell = CardPileGet(CARD_PILE_TYPE_TABLEAU, id, -1);
      if (!cell || cell->cards.count > 0)
      {
         continue;
      }
      const CardPile* flip = CardPileGet(CARD_PILE_TYPE_FLIP, -1, -1);
      CardPile* stock = CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
      // The turned card waits for its place; the stock outlasts any grid (25 cells and 5 discards).
      if ((flip && flip->cards.count > 0) || !stock || stock->cards.count == 0)
      {
         return;
      }
      CardsDealToEachPile(CARD_PILE_TYPE_FLIP, stock, 1, true);
      return;
   }
   if (ScoreGet() >= POKER_SQUARE_WIN_SCORE)
   {
      GameWin();
   }
   else
   {
      GameLose();
   }
}
} // namespace Corvale
