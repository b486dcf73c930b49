// Seeded games of Slide and Triplets played by a random player through the row buttons, drops,
// clicks and now and then an Undo. Oracles written from the rules check every slide, every triple
// or run that leaves, the score and the end; no card is lost or doubled in any frame. One game in
// ten is also saved at an idle point, loaded into a fresh game and played on to the same document.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <map>
#include <random>
#include <regex>
#include <set>
#include <string>
#include <type_traits>
#include <vector>

#include "gui/widgets/PressButtonWidget.h"
#include "tests/games/solitaire/SlideTripletsHarness.h"

namespace Corvale
{
namespace TestSupport
{
namespace
{
// About five CPU seconds for Slide and eight for Triplets in the normal build.
#ifdef __SANITIZE_ADDRESS__
constexpr i32 SLIDE_GAMES = 100;
constexpr i32 TRIPLETS_GAMES = 50;
#else
constexpr i32 SLIDE_GAMES = 1000;
constexpr i32 TRIPLETS_GAMES = 500;
#endif
constexpr i32 MOVES_MAX = 300;

std::string TimersCleared(const std::string& text)
{
   return std::regex_replace(text, std::regex("\"(gameTimer|gameTimeFrozen)\": [0-9]+"), "\"$1\": 0");
}

// Three ranks that follow one another round the corner (King, Ace, Two is a run).
bool RunOracle(i32 a, i32 b, i32 c)
{
   std::array<i32, 3> ranks = {a, b, c};
   std::sort(ranks.begin(), ranks.end());
   for (i32 low = 1; low <= 13; ++low)
   {
      std::array<i32, 3> run = {low, low % 13 + 1, (low + 1) % 13 + 1};
      std::sort(run.begin(), run.end());
      if (run == ranks)
      {
         return true;
      }
   }
   return false;
}

struct SoakCounts
{
   i32 games = 0;
   i32 ended = 0;
   i32 capped = 0;
   i32 roundTrips = 0;
};

class SoakBase
{
 public:
   explicit SoakBase(TraditionalSolitaireHarness& h) : harness(h)
   {
      harness.afterFrame = [this]()
      {
         EXPECT_TRUE(harness.CardsConservedCheck()) << "after frame " << harness.frames;
         FrameCheck();
      };
   }
   virtual ~SoakBase() { harness.afterFrame = nullptr; }

   TraditionalSolitaireGame* Game() { return harness.solitaire; }

   // Frames until idle, checking every frame; false at the cap.
   bool Settle()
   {
      for (i32 i = 0; i < 4000; ++i)
      {
         if (harness.IdleCheck() && Game()->actionQueue.count == 0 && !Game()->CardsAnimatingCheck())
         {
            return true;
         }
         harness.Frame();
      }
      ADD_FAILURE() << "no idle frame within the cap";
      return false;
   }

   // Called after every frame: cards conserved and what the game's own oracle follows.
   virtual void FrameCheck() = 0;
   // One move of the random player; false when it has nothing to do.
   virtual void MoveMake(bool undoAllowed) = 0;
   // The checks at an idle point.
   virtual void IdleCheck() = 0;
   // A game just loaded: the removals on its Foundation were checked before the save.
   void Loaded() { checked = harness.Typed(CARD_PILE_TYPE_FOUNDATION)->cards.count / 3 * 3; }

   // Plays from move first until the end or the cap; at move stopAt the game is saved into saved.
   void Play(i32 first, i32 stopAt, JSONTest::ValuePointer* saved, i32 undoBefore)
   {
      for (moves = first; moves < MOVES_MAX; ++moves)
      {
         if (!Settle())
         {
            return;
         }
         IdleCheck();
         if (Game()->gameResult != MINIGAME_RESULT_RUNNING || ::testing::Test::HasFailure())
         {
            return;
         }
         if (moves == stopAt)
         {
            saved->reset(JSONValue::New(HEAP_DEFAULT));
            ASSERT_TRUE(Game()->Save(saved->get()));
            return;
         }
         MoveMake(moves < undoBefore);
      }
   }

   TraditionalSolitaireHarness& harness;
   std::mt19937 random;
   i32 moves = 0;
   // Foundation cards whose removal has been checked, in groups of three.
   i32 checked = 0;
};

// ---- Slide ----

class SlideSoak : public SoakBase
{
 public:
   using SoakBase::SoakBase;

   SlideSolitaire* Slide() { return static_cast<SlideSolitaire*>(Game()); }
   CardPile* Typed(i32 type) { return harness.Typed(type); }

   void FrameCheck() override
   {
      // Where each card last lay in the grid, for the triples that leave it.
      for (i32 p = 0; p < 24; ++p)
      {
         const CardPile* pile = harness.Typed(CARD_PILE_TYPE_TABLEAU, p);
         for (i32 i = 0; i < pile->cards.count; ++i)
         {
            gridPlace[pile->cards[i]->id] = p;
         }
      }
      const CardPile* foundation = Typed(CARD_PILE_TYPE_FOUNDATION);
      checked = std::min(checked, foundation->cards.count / 3 * 3);
      for (; checked + 3 <= foundation->cards.count; checked += 3)
      {
         const Card* cards[3] = {foundation->cards[checked], foundation->cards[checked + 1],
                                 foundation->cards[checked + 2]};
         const i32 place = gridPlace[cards[0]->id];
         EXPECT_TRUE(cards[1]->rank == cards[0]->rank && cards[2]->rank == cards[0]->rank)
             << "a triple of mixed ranks";
         EXPECT_TRUE(gridPlace[cards[1]->id] == place + 6 && gridPlace[cards[2]->id] == place + 12)
             << "a triple not in consecutive rows of one column: " << place << " " << gridPlace[cards[1]->id]
             << " " << gridPlace[cards[2]->id];
      }
   }

   void IdleCheck() override
   {
      const CardPile* foundation = Typed(CARD_PILE_TYPE_FOUNDATION);
      i32 score = 0;
      for (i32 i = 0; i + 2 < foundation->cards.count; i += 3)
      {
         score += (i / 3 + 1) * foundation->cards[i]->rank;
      }
      EXPECT_EQ(foundation->cards.count % 3, 0);
      EXPECT_EQ(Slide()->score, score) << "score against the Foundation";
      EXPECT_EQ(Slide()->timesScored, foundation->cards.count / 3);
      const bool usedUp =
          Typed(CARD_PILE_TYPE_DRAW)->cards.count == 0 && Typed(CARD_PILE_TYPE_TALON)->cards.count == 0;
      if (Game()->gameResult == MINIGAME_RESULT_RUNNING)
      {
         EXPECT_FALSE(usedUp) << "the stock and the Talon are used up and the game runs on";
      }
      else
      {
         EXPECT_TRUE(usedUp);
         EXPECT_EQ(Game()->gameResult, score >= 300 ? MINIGAME_RESULT_WON : MINIGAME_RESULT_LOST);
      }
   }

   // The row from the entry side, card IDs or -1; the expected row after the slide and where the
   // pushed-off card must go, from the rules alone.
   void SlideCheck(i32 row, bool right)
   {
      std::vector<i32> before(6);
      auto pileAt = [&](i32 i) { return Slide()->GridPileGet(row, right ? i : 5 - i); };
      for (i32 i = 0; i < 6; ++i)
      {
         const Card* card = pileAt(i)->CardTopGet();
         before[i] = card ? card->id : -1;
      }
      const Card* talonCard = Typed(CARD_PILE_TYPE_TALON)->CardTopGet();
      const i32 talon = talonCard ? talonCard->id : -1;
      std::vector<i32> after = before;
      i32 pushed = -1;
      i32 gap = -1;
      for (i32 i = 0; i < 5 && gap < 0; ++i)
      {
         if (before[i + 1] < 0 || (i == 0 && before[0] < 0))
         {
            gap = i;
         }
      }
      // An empty entry moves nothing along: only the Talon's card comes in.
      const i32 last = before[0] < 0 ? -1 : (gap < 0 ? 4 : gap);
      for (i32 i = last; i >= 0; --i)
      {
         after[i + 1] = before[i];
      }
      after[0] = talon;
      if (gap < 0)
      {
         pushed = before[5];
      }
      const i32 stockCount = Typed(CARD_PILE_TYPE_DRAW)->cards.count;
      const bool allToWaste = Game()->SettingBoolGet("AllSlideToWaste");

      PressButtonWidget button;
      const char name[3] = {right ? 'R' : 'L', static_cast<char>('1' + row), 0};
      button.InitWithoutSpecification(name, nullptr);
      SlideSolitaire::SlideButtonClick(&button, Slide());

      for (i32 i = 0; i < 6; ++i)
      {
         const Card* card = pileAt(i)->CardTopGet();
         EXPECT_EQ(card ? card->id : -1, after[i]) << name << " place " << i;
         EXPECT_LE(pileAt(i)->cards.count, 1);
      }
      if (pushed < 0)
      {
         EXPECT_EQ(Typed(CARD_PILE_TYPE_DRAW)->cards.count, stockCount);
         return;
      }
      bool stays = false;
      for (i32 i = 0; i < 6; ++i)
      {
         stays = stays || (after[i] >= 0 && Game()->CardGet(after[i])->rank == Game()->CardGet(pushed)->rank);
      }
      const Card* card = Game()->CardGet(pushed);
      if (!stays || allToWaste)
      {
         EXPECT_EQ(card->pile, Typed(CARD_PILE_TYPE_WASTE));
         EXPECT_EQ(card->pile->CardTopGet(), card);
      }
      else
      {
         EXPECT_EQ(card->pile, Typed(CARD_PILE_TYPE_DRAW));
         EXPECT_EQ(card->pile->CardIndexGet(card), 0);
         EXPECT_FALSE(card->faceUp);
      }
   }

   void MoveMake(bool undoAllowed) override
   {
      const i32 choice = static_cast<i32>(random() % 100);
      Card* talon = Typed(CARD_PILE_TYPE_TALON)->CardTopGet();
      if (choice < 5 && undoAllowed)
      {
         Minigame::OnUndoClick(nullptr, Game());
         return;
      }
      if (choice < 55 || !talon)
      {
         SlideCheck(static_cast<i32>(random() % 4), random() % 2 == 0);
         return;
      }
      if (choice < 65)
      {
         // The double-click: the first gap takes it, if any.
         harness.ChoosePost(talon);
         return;
      }
      // A drop on any pile; the rules take or refuse it.
      CardPile* target =
          Game()->cardPiles[static_cast<i32>(random() % static_cast<u32>(Game()->cardPiles.count))];
      const bool empty = target->type == CARD_PILE_TYPE_TABLEAU && target->cards.count == 0;
      EXPECT_EQ(harness.Drop(talon, target), empty) << "drop on pile " << target->id;
   }

   std::map<i32, i32> gridPlace;
};

// ---- Triplets ----

class TripletsSoak : public SoakBase
{
 public:
   using SoakBase::SoakBase;

   TripletsSolitaire* Triplets() { return static_cast<TripletsSolitaire*>(Game()); }

   std::vector<Card*> TopsGet()
   {
      std::vector<Card*> tops;
      for (i32 p = 0; p < 18; ++p)
      {
         Card* top = harness.Typed(CARD_PILE_TYPE_TABLEAU, p)->CardTopGet();
         if (top)
         {
            tops.push_back(top);
         }
      }
      return tops;
   }

   bool Allowed(const Card* a, const Card* b, const Card* c)
   {
      if (!RunOracle(a->rank, b->rank, c->rank))
      {
         return false;
      }
      return !suits || (a->suit != b->suit && a->suit != c->suit && b->suit != c->suit);
   }

   std::vector<std::vector<Card*>> RunsGet()
   {
      const std::vector<Card*> tops = TopsGet();
      std::vector<std::vector<Card*>> runs;
      for (size_t i = 0; i < tops.size(); ++i)
      {
         for (size_t j = i + 1; j < tops.size(); ++j)
         {
            for (size_t k = j + 1; k < tops.size(); ++k)
            {
               if (Allowed(tops[i], tops[j], tops[k]))
               {
                  runs.push_back({tops[i], tops[j], tops[k]});
               }
            }
         }
      }
      return runs;
   }

   void FrameCheck() override
   {
      const CardPile* foundation = harness.Typed(CARD_PILE_TYPE_FOUNDATION);
      checked = std::min(checked, foundation->cards.count / 3 * 3);
      for (; checked + 3 <= foundation->cards.count; checked += 3)
      {
         const Card* cards[3] = {foundation->cards[checked], foundation->cards[checked + 1],
                                 foundation->cards[checked + 2]};
         EXPECT_TRUE(Allowed(cards[0], cards[1], cards[2])) << "a removal that is no run: " << cards[0]->rank
                                                            << " " << cards[1]->rank << " " << cards[2]->rank;
         for (const Card* card : cards)
         {
            EXPECT_TRUE(topsAtIdle.count(card->id)) << "a covered card left";
         }
      }
   }

   void IdleCheck() override
   {
      topsAtIdle.clear();
      for (const Card* top : TopsGet())
      {
         topsAtIdle.insert(top->id);
      }
      i32 left = 0;
      for (i32 p = 0; p < 18; ++p)
      {
         left += harness.Typed(CARD_PILE_TYPE_TABLEAU, p)->cards.count;
      }
      const i32 expected = left == 1           ? MINIGAME_RESULT_WON
                           : RunsGet().empty() ? MINIGAME_RESULT_LOST
                                               : MINIGAME_RESULT_RUNNING;
      EXPECT_EQ(Game()->gameResult, expected) << left << " cards left";
   }

   void MoveMake(bool undoAllowed) override
   {
      const i32 choice = static_cast<i32>(random() % 100);
      if (choice < 4 && undoAllowed)
      {
         Minigame::OnUndoClick(nullptr, Game());
         return;
      }
      if (choice < 10)
      {
         // Any card of the game, covered or not: the game ignores what it must.
         harness.ChoosePost(Game()->CardGet(static_cast<i32>(random() % 52u)));
         return;
      }
      if (choice < 25)
      {
         const std::vector<Card*> tops = TopsGet();
         harness.ChoosePost(tops[random() % tops.size()]);
         return;
      }
      // Work towards a run, the same one while the choice lasts: its next card not chosen yet.
      const std::vector<std::vector<Card*>> runs = RunsGet();
      if (runs.empty())
      {
         return;
      }
      if (Triplets()->first < 0)
      {
         plan = static_cast<u32>(random());
      }
      const std::vector<Card*>& run = runs[plan % runs.size()];
      for (Card* card : run)
      {
         if (card->id != Triplets()->first && card->id != Triplets()->second)
         {
            harness.ChoosePost(card);
            return;
         }
      }
   }

   bool suits = false;
   u32 plan = 0;
   std::set<i32> topsAtIdle;
};

// Deals seeded games, the uninterrupted play of each and, one in ten, the save and load on the way.
template <typename Game, typename Soak>
void SoakRun(const char* key, const char* option, i32 games, SoakCounts& counts)
{
   const auto began = std::clock();
   Game game;
   Game fresh;
   TraditionalSolitaireHarness harness(key);
   harness.frameMilliseconds = 33;
   harness.SolitaireEnter(&game);
   for (i32 seed = 1; seed <= games && !::testing::Test::HasFailure(); ++seed)
   {
      SCOPED_TRACE(seed);
      const bool on = seed % 3 == 0;
      harness.OptionSet(option, on);
      Soak soak(harness);
      if constexpr (std::is_same_v<Soak, TripletsSoak>)
      {
         soak.suits = on;
      }
      auto deal = [&]()
      {
         harness.SolitaireEnter(&game);
         game.seed1 = static_cast<u32>(seed) * 7919u;
         game.seed2 = static_cast<u32>(seed) * 104729u;
         game.GameNew();
         soak.Settle();
         soak.random.seed(static_cast<u32>(seed));
      };
      deal();
      const bool roundTrip = seed % 10 == 0;
      const i32 stop = roundTrip ? 5 + static_cast<i32>(seed * 37 % 40) : -1;
      JSONTest::ValuePointer unused;
      soak.Play(0, -1, &unused, roundTrip ? stop : MOVES_MAX);
      counts.games++;
      counts.ended += game.gameResult != MINIGAME_RESULT_RUNNING ? 1 : 0;
      counts.capped += game.gameResult == MINIGAME_RESULT_RUNNING ? 1 : 0;
      if (!roundTrip)
      {
         continue;
      }
      const std::string uninterrupted = TimersCleared(harness.SavedText(&game));
      deal();
      JSONTest::ValuePointer saved;
      soak.Play(0, stop, &saved, stop);
      if (!saved)
      {
         continue;
      }
      harness.SolitaireEnter(&fresh, 999, 1000);
      ASSERT_TRUE(fresh.Load(saved.get()));
      soak.Loaded();
      EXPECT_EQ(harness.SavedText(&fresh), JSONTest::TextWrite(saved.get())) << "load, then save";
      soak.Play(stop, -1, &unused, stop);
      EXPECT_EQ(TimersCleared(harness.SavedText(&fresh)), uninterrupted);
      counts.roundTrips++;
   }
   std::printf("%s: %d games, %d ended, %d at the move cap, %d saved and loaded, %.1f CPU seconds\n", key,
               counts.games, counts.ended, counts.capped, counts.roundTrips,
               static_cast<double>(std::clock() - began) / CLOCKS_PER_SEC);
}

TEST(SlideTripletsSoakTest, SlidePlaysOnByTheRules)
{
   SoakCounts counts;
   SoakRun<SlideSolitaire, SlideSoak>("SlideSolitaire", "AllSlideToWaste", SLIDE_GAMES, counts);
   EXPECT_EQ(counts.games, SLIDE_GAMES);
   EXPECT_GE(counts.roundTrips, SLIDE_GAMES / 20);
   EXPECT_GT(counts.ended, 0);
}

TEST(SlideTripletsSoakTest, TripletsPlaysOnByTheRules)
{
   SoakCounts counts;
   SoakRun<TripletsSolitaire, TripletsSoak>("TripletsSolitaire", "ThreeDifferentSuits", TRIPLETS_GAMES,
                                            counts);
   EXPECT_EQ(counts.games, TRIPLETS_GAMES);
   EXPECT_GE(counts.roundTrips, TRIPLETS_GAMES / 20);
   EXPECT_GT(counts.ended, TRIPLETS_GAMES / 2);
}
} // namespace
} // namespace TestSupport
} // namespace Corvale
