// Seeded games of Pick 2, Sum 11 and Three Towers played by a random player: choices of free,
// covered and discarded cards, stock turns, take-score presses (twice at times) and waits. An
// account kept from the rules (covering by its own tables) checks every score change, where every
// chosen card goes, the selection, every round's single end and the gate it leads to; no card is
// lost or doubled in any frame. One game in ten is also saved at an idle frame, loaded into a
// freshly entered game and played on to the same final document.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "cardgame/CardQueries.h"
#include "tests/games/solitaire/WallRules.h"

namespace Corvale
{
namespace TestSupport
{
namespace
{
enum class Kind
{
   PICK2,
   SUM11,
   TOWERS
};

struct Rules
{
   Kind kind;
   const Coverers* table;
   i32 positions;
   i32 gate;
   i32 win;
};

const Rules PICK2_RULES = {Kind::PICK2, &PICK2, PICK2_WALL_POSITIONS, PICK2_GATE_SCORE, PICK2_WIN_SCORE};
const Rules SUM11_RULES = {Kind::SUM11, &SUM11, SUM11_WALL_POSITIONS, SUM11_GATE_SCORE, SUM11_WIN_SCORE};
const Rules TOWERS_RULES = {Kind::TOWERS, &TOWERS, THREE_TOWERS_WALL_POSITIONS, THREE_TOWERS_GATE_SCORE,
                            THREE_TOWERS_WIN_SCORE};

// The rules' account of a game, independent of the game's own sums and questions.
struct Account
{
   i64 expected = 0;
   i32 roundEnds = 0;
   i32 rounds = 0;
   bool wasRoundOver = false;
   ArcadeSolitaireGame::RoundOutcome outcome = ArcadeSolitaireGame::ROUND_OUTCOME_NEXT;
   i32 idleFrames = 0;
   u32 timerBefore = 0;
   // Pick 2's selected card, Sum 11's selected cards, Three Towers' run and peaks.
   i32 selected = -1;
   std::set<i32> selection;
   i32 run = 0;
   i32 peaks = 0;
   // Where chosen cards must lie once the table settles: card ID, pile (null: the stock's bottom).
   std::vector<std::pair<i32, CardPile*>> destinations;
};

bool WallEmptyCheck(WallHarness& harness, const Rules& rules)
{
   for (i32 position = 1; position <= rules.positions; ++position)
   {
      if (harness.Wall(position)->cards.count > 0)
      {
         return false;
      }
   }
   return true;
}

// A free wall card or the current card.
bool AvailableCheck(WallHarness& harness, const Rules& rules, const Card* card)
{
   return card && (card == harness.Current()->CardTopGet() || WallFreeCheck(harness, *rules.table, card));
}

i32 SelectionSumGet(ArcadeSolitaireGame& game, const Account& account)
{
   i32 sum = 0;
   for (const i32 id : account.selection)
   {
      sum += game.CardGet(id)->rank;
   }
   return sum;
}

// The stock turn's old current card: into the highest empty wall position, else under the stock.
void CurrentReturnExpect(WallHarness& harness, const Rules& rules, Account& account)
{
   const Card* old = harness.Current()->CardTopGet();
   if (!old)
   {
      return;
   }
   for (i32 position = rules.positions; position >= 1; --position)
   {
      if (harness.Wall(position)->cards.count == 0)
      {
         account.destinations.push_back({old->id, harness.Wall(position)});
         return;
      }
   }
   account.destinations.push_back({old->id, nullptr});
}

// What choosing the card does by the rules, entered in the account before the game acts.
void ChoiceAccount(WallHarness& harness, ArcadeSolitaireGame& game, const Rules& rules, Account& account,
                   Card* card)
{
   const bool stock = card->pile == harness.Stock();
   CardPile* current = harness.Current();
   switch (rules.kind)
   {
   case Kind::PICK2:
      if (stock)
      {
         account.selected = -1;
         CurrentReturnExpect(harness, rules, account);
         account.destinations.push_back({card->id, current});
      }
      else if (AvailableCheck(harness, rules, card))
      {
         Card* old = account.selected >= 0 ? game.CardGet(account.selected) : nullptr;
         if (!old)
         {
            account.selected = card->id;
         }
         else if (old == card)
         {
            account.selected = -1;
         }
         else if (old->rank == card->rank || NeighboursCheck(old->rank, card->rank))
         {
            account.expected += old->rank == card->rank ? 3000 : 500;
            account.destinations.push_back({old->id, harness.Discard()});
            account.destinations.push_back({card->id, harness.Discard()});
            account.selected = -1;
         }
         else
         {
            account.selected = card->id;
         }
      }
      break;
   case Kind::SUM11:
      if (stock)
      {
         account.selection.clear();
         if (current->cards.count > 0)
         {
            account.expected -= 200;
         }
         CurrentReturnExpect(harness, rules, account);
         account.destinations.push_back({card->id, current});
      }
      else if (AvailableCheck(harness, rules, card))
      {
         if (!account.selection.erase(card->id))
         {
            account.selection.insert(card->id);
         }
         if (SelectionSumGet(game, account) == 11)
         {
            account.expected += 1500;
            for (const i32 id : account.selection)
            {
               const CardPile* pile = game.CardGet(id)->pile;
               account.expected += pile->type == CARD_PILE_TYPE_TABLEAU ? Sum11RowPointsGet(pile->secondaryID) : 0;
               account.destinations.push_back({id, harness.Discard()});
            }
            account.selection.clear();
         }
      }
      break;
   case Kind::TOWERS:
      if (stock)
      {
         account.run = 0;
         account.expected -= 100;
         account.destinations.push_back({card->id, current});
      }
      else if (WallFreeCheck(harness, *rules.table, card) && current->CardTopGet() &&
               NeighboursCheck(card->rank, current->CardTopGet()->rank))
      {
         account.run++;
         account.expected += account.run * 100;
         if (card->pile->secondaryID >= 26)
         {
            account.peaks++;
            account.expected += account.peaks * 5000;
         }
         account.destinations.push_back({card->id, current});
      }
      break;
   }
}

// Once the table settles: every chosen card where the rules put it, and the selection and run.
bool SettledCheck(WallHarness& harness, ArcadeSolitaireGame& game, const Rules& rules, Account& account)
{
   for (const auto& destination : account.destinations)
   {
      const Card* card = game.CardGet(destination.first);
      const bool placed = destination.second ? card->pile == destination.second
                                             : card->pile == harness.Stock() && harness.Stock()->cards[0] == card;
      if (!placed)
      {
         ADD_FAILURE() << "card " << destination.first << " is not where the rules put it";
         return false;
      }
   }
   account.destinations.clear();
   bool agrees = true;
   if (rules.kind == Kind::PICK2)
   {
      agrees = static_cast<Pick2Solitaire&>(game).selected == account.selected;
   }
   else if (rules.kind == Kind::SUM11)
   {
      std::set<i32> selection;
      for (i32 i = 0; i < game.cards.count; ++i)
      {
         if (game.cards[i]->selected)
         {
            selection.insert(game.cards[i]->id);
         }
      }
      agrees = selection == account.selection;
   }
   else
   {
      agrees = static_cast<ThreeTowersSolitaire&>(game).CurrentRun == account.run;
   }
   if (!agrees)
   {
      ADD_FAILURE() << "the selection or the run differs from the rules'";
   }
   return agrees;
}

// A round that has just ended: by a cleared wall, the clock or a press, and the gate that follows.
// When the wall emptied in the frame the clock ran out, either end is the rules'.
void RoundEndAccount(WallHarness& harness, ArcadeSolitaireGame& game, const Rules& rules, Account& account,
                     bool pressed)
{
   if (account.wasRoundOver || !game.roundOver)
   {
      return;
   }
   account.wasRoundOver = true;
   account.roundEnds++;
   const i64 bonus = (game.countdownTimer + 999) / 1000 * 100;
   i64 take = account.expected + bonus;
   if (rules.kind == Kind::SUM11)
   {
      for (i32 position = 1; position <= 3; ++position)
      {
         take += CardsTwentyOneValueGet(harness.Wall(position)->cards);
      }
   }
   const i64 clear = account.expected + (rules.kind == Kind::PICK2 ? 10000 + bonus
                                         : rules.kind == Kind::SUM11 ? 10000
                                                                      : bonus);
   const bool canClear = !pressed && WallEmptyCheck(harness, rules);
   const bool canTake = !canClear || account.timerBefore <= harness.frameMilliseconds;
   const bool cleared = canClear && (!canTake || game.players[0]->minigameScore == clear);
   account.expected = cleared ? clear : take;
   account.outcome =
       cleared && rules.kind == Kind::SUM11
           ? ArcadeSolitaireGame::ROUND_OUTCOME_NEXT
           : ArcadeSolitaireGame::RoundOutcomeGet(game.roundIndex, static_cast<i32>(account.expected), 3,
                                                  rules.gate, rules.win);
}

// The card the random player chooses: one the rules make useful, any top card, or the stock.
Card* ChoiceGet(WallHarness& harness, ArcadeSolitaireGame& game, const Rules& rules, Account& account,
                std::mt19937& random, i32 choice)
{
   std::vector<Card*> candidates;
   if (choice < 45)
   {
      Card* current = harness.Current()->CardTopGet();
      for (i32 i = 0; i < game.cardPiles.count; ++i)
      {
         Card* card = game.cardPiles[i]->CardTopGet();
         if (!AvailableCheck(harness, rules, card))
         {
            continue;
         }
         bool useful = false;
         if (rules.kind == Kind::PICK2)
         {
            Card* old = account.selected >= 0 ? game.CardGet(account.selected) : nullptr;
            useful = !old || old == card || old->rank == card->rank || NeighboursCheck(old->rank, card->rank);
         }
         else if (rules.kind == Kind::SUM11)
         {
            useful = account.selection.count(card->id) == 0 &&
                     SelectionSumGet(game, account) + card->rank <= 11;
         }
         else
         {
            useful = card != current && current && NeighboursCheck(card->rank, current->rank);
         }
         if (useful)
         {
            candidates.push_back(card);
         }
      }
      if (!candidates.empty())
      {
         return candidates[random() % candidates.size()];
      }
      return harness.Stock()->CardTopGet();
   }
   if (choice < 70)
   {
      for (i32 i = 0; i < game.cardPiles.count; ++i)
      {
         if (game.cardPiles[i]->cards.count > 0)
         {
            candidates.push_back(game.cardPiles[i]->CardTopGet());
         }
      }
      return candidates.empty() ? nullptr : candidates[random() % candidates.size()];
   }
   return choice < 78 ? harness.Stock()->CardTopGet() : nullptr;
}

// Plays on until the game ends (true), the idle frame numbered stopAt is reached (true, stopped
// set) or the frame cap (false).
bool GamePlay(WallHarness& harness, ArcadeSolitaireGame& game, const Rules& rules, Account& account,
              std::mt19937& random, i32 maxFrames, i32 stopAt = -1, bool* stopped = nullptr)
{
   for (i32 frame = 0; frame < maxFrames; ++frame)
   {
      if (WallHarness::ResultsOpenCount() > 1)
      {
         ADD_FAILURE() << "the results are open twice";
         return false;
      }
      if (WallHarness::ResultsOpenCount() == 1 && game.actionQueue.count == 0)
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
         if (!game.CardsAnimatingCheck() && !SettledCheck(harness, game, rules, account))
         {
            return false;
         }
         account.rounds++;
         if (game.gameResult != MINIGAME_RESULT_RUNNING)
         {
            return true;
         }
         const i32 round = game.roundIndex;
         harness.ResultsContinue();
         EXPECT_EQ(game.roundIndex, round + 1);
         account.roundEnds = 0;
         account.wasRoundOver = false;
         account.selected = -1;
         account.selection.clear();
         account.run = 0;
         account.peaks = 0;
         account.destinations.clear();
      }

      bool pressed = false;
      i32 wait = 1;
      // Idle: nothing queued or moving; a refresh still marked (as after a load) finds nothing to do.
      if (game.MayActCheck() && !game.roundOver && game.gameResult == MINIGAME_RESULT_RUNNING && !game.subgameOver)
      {
         if (!SettledCheck(harness, game, rules, account))
         {
            return false;
         }
         if (account.idleFrames++ == stopAt)
         {
            *stopped = true;
            return true;
         }
         const i32 choice = static_cast<i32>(random() % 100);
         Card* card = ChoiceGet(harness, game, rules, account, random, choice);
         if (card)
         {
            ChoiceAccount(harness, game, rules, account, card);
            harness.ChoosePost(card);
         }
         else if (choice >= 78 && choice < 81)
         {
            pressed = true;
            game.ScoreTakeOnce();
            if (choice == 78)
            {
               game.ScoreTakeOnce();
            }
         }
         else if (choice >= 81)
         {
            wait = 1 + static_cast<i32>(random() % 20);
         }
      }
      RoundEndAccount(harness, game, rules, account, pressed);
      for (i32 i = 0; i < wait; ++i)
      {
         // Presses while a round's end waits change nothing.
         if (game.roundOver && random() % 4 == 0)
         {
            game.ScoreTakeOnce();
         }
         account.timerBefore = game.countdownTimer;
         harness.Frame();
         RoundEndAccount(harness, game, rules, account, false);
         if (game.actionQueue.count == 0 || game.roundOver)
         {
            if (game.players[0]->minigameScore != account.expected)
            {
               ADD_FAILURE() << "score " << game.players[0]->minigameScore << ", the rules give "
                             << account.expected << " (round " << game.roundIndex << ")";
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

template <class Game> void SeededGamesPlay(const Rules& rules)
{
   // The game outlives the harness, which leaves it.
   Game game;
   WallHarness harness;
   ASSERT_NO_FATAL_FAILURE(harness.GameEnter(&game));
   harness.ConservedEveryFrame();
   // Long frames: the countdown runs on elapsed time, and a card's move ends within one.
   harness.frameMilliseconds = 250;
#ifdef __SANITIZE_ADDRESS__
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
         random.seed(static_cast<u32>(seed));
         // Head starts in two games of three: near the gate, and near the win, so that the gate
         // goes both ways and the last round and its win are played too.
         const i32 head = seed % 3 == 0 ? rules.win - 6000 : seed % 3 == 1 ? rules.gate - 3000 : 0;
         which.players[0]->minigameScore = head;
         which.players[0]->minigameScoreSubgameBegin = head;
         account.expected = head;
      };
      Account account;
      std::mt19937 random;
      begin(game, account, random);
      ASSERT_TRUE(GamePlay(harness, game, rules, account, random, 40000)) << "the game hung";
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
      const i32 stop = 1 + (seed * 7919) % 60;
      ASSERT_TRUE(GamePlay(harness, game, rules, account, random, 40000, stop, &stopped));
      if (!stopped)
      {
         continue;
      }
      JSONTest::ValuePointer saved(JSONValue::New(HEAP_DEFAULT));
      ASSERT_TRUE(game.Save(saved.get()));
      Game fresh;
      ASSERT_NO_FATAL_FAILURE(harness.GameEnter(&fresh, 99, 98));
      ASSERT_TRUE(fresh.Load(saved.get()));
      ASSERT_TRUE(GamePlay(harness, fresh, rules, account, random, 40000)) << "the loaded game hung";
      EXPECT_EQ(FinalDocument(fresh), uninterrupted);
      reloads++;
      ASSERT_NO_FATAL_FAILURE(harness.GameEnter(&game));
   }
   EXPECT_GE(reloads, games / 20);
   const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
   std::printf("%d games, %d won, %d rounds, mean score %lld, %d reloads, %.1f games per second\n", games,
               wins, rounds, static_cast<long long>(scores / games), reloads, games / seconds);
}

TEST(WallSoakTest, SeededGamesOfPick2)
{
   SeededGamesPlay<Pick2Solitaire>(PICK2_RULES);
}

TEST(WallSoakTest, SeededGamesOfSum11)
{
   SeededGamesPlay<Sum11Solitaire>(SUM11_RULES);
}

TEST(WallSoakTest, SeededGamesOfThreeTowers)
{
   SeededGamesPlay<ThreeTowersSolitaire>(TOWERS_RULES);
}
} // namespace
} // namespace TestSupport
} // namespace Corvale
