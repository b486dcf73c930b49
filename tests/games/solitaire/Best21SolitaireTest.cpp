// Best 21: the hands' blackjack values and scores, the bust that ends the round, the discard's one
// card a round, the gates after the third and fourth rounds, and a round that ends only once.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cardgame/CardQueries.h"
#include "tests/games/solitaire/TwentyOneHarness.h"

namespace Corvale
{
namespace
{
using TestSupport::TwentyOneHarness;

class Best21Test : public ::testing::Test
{
 protected:
   void SetUp() override { ASSERT_NO_FATAL_FAILURE(harness.GameEnter(&game)); }

   // What a hand of these cards is worth, counted by the game's rule.
   i32 HandValueGet(const CardPile* pile) { return CardsTwentyOneValueGet(pile->cards); }

   // The game outlives the harness, which leaves it.
   Best21Solitaire game;
   TwentyOneHarness harness;
};

TEST_F(Best21Test, EachHandScoresItsValueAndTwentyOneMoreAndABustEndsTheRound)
{
   const struct
   {
      std::vector<std::string> hand;
      const char* turned;
      i32 value;
      bool bust;
   } cases[] = {
       {{"AH*"}, "KS", 21, false},
       {{"AH*", "AS*"}, "9C", 21, false},
       {{"5H*", "6S*"}, "TD", 21, false},
       {{"AH*", "AS*", "AD*"}, "AC", 14, false},
       {{}, "7H", 7, false},
       {{"KH*", "QS*"}, "2D", 0, true},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(c.turned);
      ASSERT_NO_FATAL_FAILURE(harness.GameEnter(&game));
      harness.TableClear();
      harness.CardsPlace(harness.Hand(0), c.hand);
      // Another hand counts alongside: 15 points.
      harness.CardsPlace(harness.Hand(3), {"TC*", "5C*"});
      harness.TurnedSet(c.turned);
      harness.ScoreSet(1000);
      ASSERT_TRUE(harness.TurnedDrop(harness.Hand(0)));
      EXPECT_EQ(HandValueGet(harness.Hand(0)), c.value);
      const i32 hands = Best21Solitaire::HandScoreGet(c.value) + 1500;
      EXPECT_EQ(game.roundOver, c.bust);
      if (!c.bust)
      {
         EXPECT_EQ(harness.First()->minigameScore, 1000 + hands);
         EXPECT_TRUE(game.countdownTimerStarted) << "the first placement starts the clock";
         continue;
      }
      // The round ended at once with its time bonus, the clock stopped where it was.
      EXPECT_FALSE(game.countdownTimerStarted);
      EXPECT_GT(game.countdownTimer, 0u);
      const i32 bonus = static_cast<i32>((game.countdownTimer + 999) / 1000) * 100;
      EXPECT_EQ(harness.First()->minigameScore, 1000 + hands + bonus);
      EXPECT_TRUE(game.subgameOver);
      EXPECT_EQ(TwentyOneHarness::ResultsOpenCount(), 1);
   }
   EXPECT_EQ(Best21Solitaire::HandScoreGet(21), 12100);
}

TEST_F(Best21Test, OnlyTheTurnedCardMovesAndTheDiscardTakesOneCardARound)
{
   harness.TableClear();
   harness.CardsPlace(harness.Hand(1), {"9H*"});
   Card* turned = harness.TurnedSet("4S");
   EXPECT_TRUE(game.CardPickUpCheck(turned));
   EXPECT_FALSE(game.CardPickUpCheck(harness.Stock()->CardTopGet()));
   EXPECT_FALSE(game.CardPickUpCheck(harness.Hand(1)->CardTopGet()));
   EXPECT_FALSE(game.CardDropCheck(harness.Stock(), turned));
   EXPECT_TRUE(game.CardDropCheck(harness.Hand(1), turned));

   ASSERT_TRUE(harness.TurnedDrop(harness.Waste()));
   EXPECT_EQ(harness.Waste()->cards.count, 1);
   ASSERT_EQ(harness.Flip()->cards.count, 1) << "the next card turns by itself";
   EXPECT_TRUE(harness.Flip()->CardTopGet()->faceUp);
   EXPECT_FALSE(harness.TurnedDrop(harness.Waste()));
   EXPECT_EQ(harness.Waste()->cards.count, 1);
   EXPECT_EQ(harness.First()->minigameScore, 0) << "a card on the discard scores nothing";

   // A double click sends the turned card to the first pile that takes it: now the first hand.
   Card* chosen = harness.Flip()->CardTopGet();
   harness.ChoosePost(chosen);
   ASSERT_TRUE(harness.RunUntilSettled(20000));
   EXPECT_EQ(chosen->pile, harness.Hand(0));
   // The Nine on the second hand counts too.
   EXPECT_EQ(harness.First()->minigameScore,
             Best21Solitaire::HandScoreGet(HandValueGet(harness.Hand(0))) + 900);
}

TEST(Best21GatesTest, TheThirdRoundNeeds120000AndTheFourth160000)
{
   const struct
   {
      i32 round;
      i32 score;
      ArcadeSolitaireGame::RoundOutcome outcome;
   } cases[] = {
       {0, 0, ArcadeSolitaireGame::ROUND_OUTCOME_NEXT},
       {1, 5, ArcadeSolitaireGame::ROUND_OUTCOME_NEXT},
       {2, 119999, ArcadeSolitaireGame::ROUND_OUTCOME_DRAW},
       {2, 120000, ArcadeSolitaireGame::ROUND_OUTCOME_NEXT},
       {3, 159999, ArcadeSolitaireGame::ROUND_OUTCOME_DRAW},
       {3, 160000, ArcadeSolitaireGame::ROUND_OUTCOME_WIN},
   };
   for (const auto& c : cases)
   {
      EXPECT_EQ(ArcadeSolitaireGame::RoundOutcomeGet(c.round, c.score, BEST21_ROUND_COUNT, BEST21_GATE_SCORE,
                                                     BEST21_WIN_SCORE),
                c.outcome)
          << c.round << " " << c.score;
   }
}

TEST_F(Best21Test, TheGatesLeadTheResultsToTheNextRoundOrANewGame)
{
   const struct
   {
      i32 round;
      i32 score;
      i32 result;
   } cases[] = {
       {2, 119999, MINIGAME_RESULT_DRAWN},
       {2, 120000, MINIGAME_RESULT_RUNNING},
       {3, 160000, MINIGAME_RESULT_WON},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(c.score);
      ASSERT_NO_FATAL_FAILURE(harness.GameEnter(&game));
      game.roundIndex = c.round;
      harness.ScoreSet(c.score);
      // No time left: no bonus.
      game.countdownTimer = 0;
      game.ScoreTakeOnce();
      ASSERT_TRUE(harness.RunUntilSettled(20000));
      EXPECT_EQ(game.gameResult, c.result);
      EXPECT_EQ(harness.First()->minigameScore, c.score);
      ASSERT_TRUE(harness.ResultsContinue());
      ASSERT_TRUE(harness.RunUntilSettled(20000));
      ASSERT_TRUE(harness.RunUntilIdle(2000));
      if (c.result == MINIGAME_RESULT_RUNNING)
      {
         EXPECT_EQ(game.roundIndex, c.round + 1);
         EXPECT_EQ(harness.First()->minigameScore, c.score);
      }
      else
      {
         EXPECT_EQ(game.gameResult, MINIGAME_RESULT_RUNNING);
         EXPECT_EQ(game.roundIndex, 0);
         EXPECT_EQ(harness.First()->minigameScore, 0);
      }
      EXPECT_EQ(harness.Flip()->cards.count, 1);
      EXPECT_TRUE(harness.CardsConservedCheck());
   }
}

TEST_F(Best21Test, ARoundEndsOnceWhateverPressesOrTheClockAdd)
{
   // A double press of the take-score button within the wait before the results, and the clock
   // running out after a bust: each gives one bonus, one round end, and the next round plays.
   for (const bool bust : {false, true})
   {
      SCOPED_TRACE(bust ? "bust" : "double press");
      ASSERT_NO_FATAL_FAILURE(harness.GameEnter(&game));
      harness.TableClear();
      harness.CardsPlace(harness.Hand(0), {"KH*", "QS*"});
      harness.TurnedSet(bust ? "5D" : "AD");
      harness.ScoreSet(0);
      ASSERT_TRUE(harness.Drop(harness.Flip()->CardTopGet(), harness.Hand(0)));
      harness.Frame();
      ASSERT_TRUE(game.countdownTimerStarted || game.roundOver);
      if (!bust)
      {
         game.ScoreTakeOnce();
      }
      ASSERT_TRUE(game.roundOver);
      const i32 taken = harness.First()->minigameScore;
      EXPECT_EQ(taken, (bust ? 0 : Best21Solitaire::HandScoreGet(21)) +
                           static_cast<i32>((game.countdownTimer + 999) / 1000) * 100);
      // Long frames while the round's end waits: more presses, and time enough to empty the clock.
      harness.frameMilliseconds = 1000;
      for (i32 i = 0; i < 60 && game.actionQueue.count > 0; ++i)
      {
         game.ScoreTakeOnce();
         harness.Frame();
      }
      harness.frameMilliseconds = 16;
      ASSERT_TRUE(game.subgameOver);
      EXPECT_EQ(harness.First()->minigameScore, taken);
      EXPECT_EQ(TwentyOneHarness::ResultsOpenCount(), 1);

      ASSERT_TRUE(harness.ResultsContinue());
      ASSERT_TRUE(harness.RunUntilSettled(20000));
      ASSERT_TRUE(harness.RunUntilIdle(2000));
      EXPECT_EQ(game.roundIndex, 1);
      EXPECT_FALSE(game.roundOver);
      EXPECT_FALSE(game.subgameOver);
      ASSERT_EQ(harness.Flip()->cards.count, 1);
      ASSERT_TRUE(harness.TurnedDrop(harness.Hand(2)));
      EXPECT_TRUE(game.countdownTimerStarted);
      EXPECT_FALSE(game.subgameOver);
      EXPECT_EQ(harness.First()->minigameScore,
                taken + Best21Solitaire::HandScoreGet(HandValueGet(harness.Hand(2))));
   }
}
} // namespace
} // namespace Corvale
