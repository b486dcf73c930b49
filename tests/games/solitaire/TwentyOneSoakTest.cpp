// Seeded games of Best 21 and Fast 21 played by a random player: drops the rules take and refuse,
// take-score presses (twice at times) and waits. An account kept from the rules checks every score
// change, every round's single end and the gate it leads to; no card is lost or doubled in any frame.
// One game in ten is also saved at an idle frame, loaded into a fresh game and played on to the
// same final document.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "cardgame/CardQueries.h"
#include "tests/games/solitaire/TwentyOneHarness.h"

namespace Corvale
{
namespace TestSupport
{
namespace
{
// The rules' account of a game, independent of the game's own sums.
struct Account
{
   bool fast = false;
   i64 expected = 0;
   i64 roundBegin = 0;
   i32 roundEnds = 0;
   i32 rounds = 0;
   bool wasRoundOver = false;
   ArcadeSolitaireGame::RoundOutcome outcome = ArcadeSolitaireGame::ROUND_OUTCOME_NEXT;
   i32 idleFrames = 0;
};

i32 HandsValueGet(TwentyOneHarness& harness, i32 hands, bool scored)
{
   i32 total = 0;
   for (i32 i = 0; i < hands; ++i)
   {
      const i32 value = CardsTwentyOneValueGet(harness.Hand(i)->cards);
      total += scored ? value * 100 + (value == 21 ? 10000 : 0) : value;
   }
   return total;
}

// A round that has just ended: the bonus, Fast 21's hands and deck, and the gate that follows.
void RoundEndAccount(TwentyOneHarness& harness, ArcadeSolitaireGame& game, Account& account, bool pressed)
{
   if (account.wasRoundOver || !game.roundOver)
   {
      return;
   }
   account.wasRoundOver = true;
   account.roundEnds++;
   const i64 seconds = (game.countdownTimer + 999) / 1000;
   if (account.fast)
   {
      const bool deckUsed = !pressed && game.countdownTimer > 0 && harness.Stock()->cards.count == 0 &&
                            harness.Flip()->cards.count == 0;
      account.expected += deckUsed && harness.Waste()->cards.count == 0 ? 10000 : 0;
      account.expected += HandsValueGet(harness, FAST21_HAND_COUNT, false) + seconds * 10;
      account.outcome =
          ArcadeSolitaireGame::RoundOutcomeGet(game.roundIndex, static_cast<i32>(account.expected),
                                               FAST21_ROUND_COUNT, FAST21_GATE_SCORE, FAST21_WIN_SCORE);
   }
   else
   {
      account.expected = account.roundBegin + HandsValueGet(harness, BEST21_HAND_COUNT, true) + seconds * 100;
      account.outcome =
          ArcadeSolitaireGame::RoundOutcomeGet(game.roundIndex, static_cast<i32>(account.expected),
                                               BEST21_ROUND_COUNT, BEST21_GATE_SCORE, BEST21_WIN_SCORE);
   }
}

// What the account says the score is now; Best 21 counts its hands while the round runs.
i64 ExpectedGet(TwentyOneHarness& harness, ArcadeSolitaireGame& game, const Account& account)
{
   if (!account.fast && !game.roundOver)
   {
      return account.roundBegin + HandsValueGet(harness, BEST21_HAND_COUNT, true);
   }
   return account.expected;
}

// The hand's blackjack value with the card added; 0 over 21.
i32 ValueWithGet(const CardPile* hand, Card* card)
{
   Table<Card*> cards(allocatorTemp);
   hand->CardsGet(cards);
   cards.Insert(card, cards.count);
   return CardsTwentyOneValueGet(cards);
}

// Fast 21's points for the turned card joining the hand.
i32 Fast21PlacementPointsGet(const CardPile* hand, Card* card)
{
   if (ValueWithGet(hand, card) == 21)
   {
      return FAST21_TWENTY_ONE_POINTS;
   }
   return hand->cards.count + 1 < FAST21_HAND_CARDS_MAX ? FAST21_CARD_POINTS : FAST21_FIVE_CARDS_POINTS;
}

// A fair player's pile for the turned card: a hand it makes 21 (or, in Fast 21, clears at five
// cards), else the hand it takes highest without going over, else the discard or waste, else a hand.
CardPile* PileBestGet(ArcadeSolitaireGame& game, Card* turned, bool fast)
{
   CardPile* best = nullptr;
   i32 bestValue = -1;
   CardPile* waste = nullptr;
   CardPile* anyHand = nullptr;
   for (i32 i = 0; i < game.cardPiles.count; ++i)
   {
      CardPile* pile = game.cardPiles[i];
      if (!game.CardDropCheck(pile, turned))
      {
         continue;
      }
      if (pile->type == CARD_PILE_TYPE_WASTE)
      {
         waste = pile;
         continue;
      }
      if (pile->type != CARD_PILE_TYPE_TABLEAU)
      {
         continue;
      }
      anyHand = pile;
      const i32 value = ValueWithGet(pile, turned);
      const i32 rank = value == 21 || (fast && pile->cards.count + 1 >= FAST21_HAND_CARDS_MAX) ? 100 : value;
      if (value > 0 && rank > bestValue)
      {
         best = pile;
         bestValue = rank;
      }
   }
   return best ? best : (waste ? waste : anyHand);
}

// Plays on until the game ends (true), the idle frame numbered stopAt is reached (true, stopped
// set) or the frame cap (false).
bool GamePlay(TwentyOneHarness& harness, ArcadeSolitaireGame& game, Account& account, std::mt19937& random,
              i32 maxFrames, i32 stopAt = -1, bool* stopped = nullptr)
{
   std::vector<CardPile*> piles;
   for (i32 frame = 0; frame < maxFrames; ++frame)
   {
      if (TwentyOneHarness::ResultsOpenCount() > 1)
      {
         ADD_FAILURE() << "the results are open twice";
         return false;
      }
      if (TwentyOneHarness::ResultsOpenCount() == 1 && game.actionQueue.count == 0)
      {
         if (account.roundEnds != 1)
         {
            ADD_FAILURE() << "round " << game.roundIndex << " ended " << account.roundEnds << " times";
            return false;
         }
         const i32 result =
             account.outcome == ArcadeSolitaireGame::ROUND_OUTCOME_NEXT  ? MINIGAME_RESULT_RUNNING
             : account.outcome == ArcadeSolitaireGame::ROUND_OUTCOME_WIN ? MINIGAME_RESULT_WON
                                                                         : MINIGAME_RESULT_DRAWN;
         EXPECT_EQ(game.gameResult, result) << "round " << game.roundIndex << " score " << account.expected;
         EXPECT_EQ(game.subgameOver, result == MINIGAME_RESULT_RUNNING);
         account.rounds++;
         if (game.gameResult != MINIGAME_RESULT_RUNNING)
         {
            return true;
         }
         const i32 round = game.roundIndex;
         harness.ResultsContinue();
         EXPECT_EQ(game.roundIndex, round + 1);
         account.roundBegin = account.expected;
         account.roundEnds = 0;
         account.wasRoundOver = false;
      }

      bool pressed = false;
      i32 wait = 1;
      Card* turned = harness.Flip()->CardTopGet();
      // Idle: nothing queued or moving; a refresh still marked (as after a load) finds nothing to do.
      if (game.MayActCheck() && !game.roundOver && turned)
      {
         if (account.idleFrames++ == stopAt)
         {
            *stopped = true;
            return true;
         }
         const i32 choice = static_cast<i32>(random() % 100);
         CardPile* target = nullptr;
         if (choice < 60)
         {
            target = PileBestGet(game, turned, account.fast);
         }
         else if (choice < 85)
         {
            // Any pile but the card's own: the rules take it or refuse it.
            piles.clear();
            for (i32 i = 0; i < game.cardPiles.count; ++i)
            {
               CardPile* pile = game.cardPiles[i];
               if (pile != turned->pile && (choice >= 75 || game.CardDropCheck(pile, turned)))
               {
                  piles.push_back(pile);
               }
            }
            target = piles.empty() ? nullptr : piles[random() % piles.size()];
         }
         if (target)
         {
            const bool taken = game.CardDropCheck(target, turned);
            if (account.fast && target->type == CARD_PILE_TYPE_TABLEAU)
            {
               account.expected += taken ? Fast21PlacementPointsGet(target, turned) : FAST21_REFUSAL_POINTS;
            }
            EXPECT_EQ(harness.Drop(turned, target), taken);
         }
         else if (choice >= 85 && choice < 89)
         {
            pressed = true;
            game.ScoreTakeOnce();
            if (choice == 85)
            {
               game.ScoreTakeOnce();
            }
         }
         else
         {
            wait = 1 + static_cast<i32>(random() % 20);
         }
      }
      RoundEndAccount(harness, game, account, pressed);
      for (i32 i = 0; i < wait; ++i)
      {
         // Presses while a round's end waits change nothing.
         if (game.roundOver && random() % 4 == 0)
         {
            game.ScoreTakeOnce();
         }
         harness.Frame();
         RoundEndAccount(harness, game, account, false);
         if (game.actionQueue.count == 0 || game.roundOver)
         {
            const i64 expected = ExpectedGet(harness, game, account);
            if (game.players[0]->minigameScore != expected)
            {
               ADD_FAILURE() << "score " << game.players[0]->minigameScore << ", the rules give " << expected
                             << " (round " << game.roundIndex << ")";
               return false;
            }
         }
      }
   }
   return false;
}

// The finished game's document without its clock, which a load's shorter run changes.
std::string FinalDocument(ArcadeSolitaireGame& game)
{
   JSONTest::ValuePointer document(JSONValue::New(HEAP_DEFAULT));
   if (!game.Save(document.get()))
   {
      return "<failed>";
   }
   document->ItemGet("Frontend")->ItemGet("Minigame")->ItemRemove("gameTimer");
   return JSONTest::TextWrite(document.get());
}

template <class Game> void SeededGamesPlay(bool fast)
{
   // The game outlives the harness, which leaves it.
   Game game;
   TwentyOneHarness harness;
   ASSERT_NO_FATAL_FAILURE(harness.GameEnter(&game));
   harness.ConservedEveryFrame();
   // Long frames: the countdown runs on elapsed time, and a card's move ends within one.
   harness.frameMilliseconds = 250;
#ifdef __SANITIZE_ADDRESS__
   // The sanitizer is some twenty times slower; its share still reaches ten reloads.
   const i32 games = 100;
#else
   const i32 games = 1000;
#endif
   i32 wins = 0;
   i32 rounds = 0;
   i64 scores = 0;
   i32 reloads = 0;
   const auto start = std::chrono::steady_clock::now();
   for (i32 seed = 1; seed <= games; ++seed)
   {
      SCOPED_TRACE(seed);
      auto begin = [&](Game& which, Account& account, std::mt19937& random)
      {
         which.seed1 = static_cast<u32>(seed) * 7919u;
         which.seed2 = static_cast<u32>(seed) * 104729u;
         which.GameNew();
         account = Account();
         account.fast = fast;
         random.seed(static_cast<u32>(seed));
         // A head start in one game of three, so that the last round and its win are played too.
         const i32 head = seed % 3 == 0 ? (fast ? FAST21_GATE_SCORE : BEST21_GATE_SCORE) - 5000 : 0;
         which.players[0]->minigameScore = head;
         which.players[0]->minigameScoreSubgameBegin = head;
         account.expected = head;
         account.roundBegin = head;
      };
      Account account;
      std::mt19937 random;
      begin(game, account, random);
      ASSERT_TRUE(GamePlay(harness, game, account, random, 40000)) << "the game hung";
      wins += game.gameResult == MINIGAME_RESULT_WON;
      rounds += account.rounds;
      scores += game.players[0]->minigameScore;
      if (seed % 10 != 0)
      {
         continue;
      }
      // Again, saved at an idle frame drawn from the seed and loaded into a freshly entered game.
      const std::string uninterrupted = FinalDocument(game);
      begin(game, account, random);
      bool stopped = false;
      const i32 stop = 1 + (seed * 7919) % (account.fast ? 120 : 60);
      ASSERT_TRUE(GamePlay(harness, game, account, random, 40000, stop, &stopped));
      if (!stopped)
      {
         continue;
      }
      JSONTest::ValuePointer saved(JSONValue::New(HEAP_DEFAULT));
      ASSERT_TRUE(game.Save(saved.get()));
      Game fresh;
      ASSERT_NO_FATAL_FAILURE(harness.GameEnter(&fresh, 99, 98));
      ASSERT_TRUE(fresh.Load(saved.get()));
      ASSERT_TRUE(GamePlay(harness, fresh, account, random, 40000)) << "the loaded game hung";
      EXPECT_EQ(FinalDocument(fresh), uninterrupted);
      reloads++;
      ASSERT_NO_FATAL_FAILURE(harness.GameEnter(&game));
   }
   EXPECT_GE(reloads, games / 20);
   const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
   std::printf("%d games, %d won, %d rounds, mean score %lld, %d reloads, %.1f games per second\n", games,
               wins, rounds, static_cast<long long>(scores / games), reloads, games / seconds);
}

TEST(TwentyOneSoakTest, SeededGamesOfBest21)
{
   SeededGamesPlay<Best21Solitaire>(false);
}

TEST(TwentyOneSoakTest, SeededGamesOfFast21)
{
   SeededGamesPlay<Fast21Solitaire>(true);
}
} // namespace
} // namespace TestSupport
} // namespace Corvale
