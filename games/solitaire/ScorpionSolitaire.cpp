// Scorpion's deal, its last three cards, move rules, the runs that win and its score.
#include "games/solitaire/ScorpionSolitaire.h"

#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/CardQueries.h"
#include "cardgame/RecordSupport.h"

namespace Corvale
{
ScorpionSolitaire ScorpionSolitaire::instance;

void ScorpionSolitaire::ReflectionRegister()
{
   auto* record =
       ReflectionRecordCreate<ReflectionTypeObjectTyped<ScorpionSolitaire>>("Corvale::ScorpionSolitaire");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(TraditionalSolitaireGame).name());
   ReflectionManager::TypeRegister(record);
}

namespace
{
constexpr i32 COLUMNS = 7;
constexpr i32 COLUMN_LIMIT = 22;
const BuildRule COLUMN_BUILD = {BUILD_DOWN, BUILD_SAME_SUIT, false};
} // namespace

void ScorpionSolitaire::Deal()
{
   CardPile* stock = StockGet();
   // Three or two backs under the first four columns; every column ends with seven cards.
   const i32 backs = SettingBoolGet("ThreeCardsFaceDown") ? 3 : 2;
   for (i32 i = 0; i < backs; ++i)
   {
      CardsDeal(CARD_PILE_TYPE_TABLEAU, stock, 4, false, 0);
   }
   CardsDeal(CARD_PILE_TYPE_TABLEAU, stock, (7 - backs) * COLUMNS, true, 0);
   for (i32 i = 0; i < backs; ++i)
   {
      CardsDeal(CARD_PILE_TYPE_TABLEAU, stock, 3, true, 4);
   }
}

bool ScorpionSolitaire::CardStackPickUpCheck(Card* card)
{
   (void)card;
   return true;
}

bool ScorpionSolitaire::CardPickUpCheck(Card* card)
{
   const CardPile* pile = card ? card->pile : nullptr;
   return pile && card->faceUp && pile->type == CARD_PILE_TYPE_TABLEAU;
}

bool ScorpionSolitaire::CardDropCheck(CardPile* pile, Card* card)
{
   // No foundation: the runs stay in the columns.
   if (!pile || !card || pile->type != CARD_PILE_TYPE_TABLEAU || !CountLimitCheck(pile, card, COLUMN_LIMIT))
   {
      return false;
   }
   if (pile->cards.count == 0)
   {
      return card->rank == RANK_KING || !SettingBoolGet("OnlyKingsInEmpty");
   }
   return BuildsOnCheck(pile, card, COLUMN_BUILD);
}

bool ScorpionSolitaire::StockClickActsCheck()
{
   const CardPile* stock = StockGet();
   return stock && stock->cards.count > 0;
}

void ScorpionSolitaire::StockClick()
{
   // One card to each column from the first while they last: the last three reach columns 0 to 2.
   CardPile* stock = StockGet();
   CardsDeal(CARD_PILE_TYPE_TABLEAU, stock, stock->cards.count < COLUMNS ? stock->cards.count : COLUMNS, true,
             0);
}

bool ScorpionSolitaire::RunsCompleteCheck()
{
   for (i32 column = 0; column < COLUMNS; ++column)
   {
      const CardPile* pile = ColumnGet(column);
      if (!pile || pile->cards.count == 0)
      {
         continue;
      }
      const Card* bottom = pile->cards[0];
      if (pile->cards.count != 13 || !bottom->faceUp ||
          !CardsFullRunCheck(pile->cards, bottom, BUILD_SAME_SUIT))
      {
         return false;
      }
   }
   return true;
}

i32 ScorpionSolitaire::ScoreGet()
{
   i32 score = TraditionalSolitaireGame::ScoreGet();
   for (i32 column = 0; column < COLUMNS; ++column)
   {
      const CardPile* pile = ColumnGet(column);
      bool inRun = false;
      for (i32 i = 1; pile && i < pile->cards.count; ++i)
      {
         const bool follows =
             pile->cards[i - 1]->FollowsCheck(pile->cards[i], BUILD_DOWN, BUILD_SAME_SUIT, false, false, 1);
         // The pair that opens a run counts both its cards.
         score += follows ? (inRun ? 1 : 2) : 0;
         inRun = follows;
      }
   }
   return score;
}

void ScorpionSolitaire::RefreshSteps()
{
   if (ColumnTopsTurn(COLUMNS))
   {
      return;
   }
   const CardPile* stock = StockGet();
   if (RunsCompleteCheck())
   {
      GameWin();
   }
   else if ((!stock || stock->cards.count == 0) && !MoveExists())
   {
      GameLose();
   }
}
} // namespace Corvale
