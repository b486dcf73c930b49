// Seeded deals of Aces Up, Aces and Kings, Baroness and the open-layout builders, options drawn per
// seed, played by a random player over the moves the rules allow (drops through the pointer's path,
// clicks, redeals, now and then an Undo). At every still table the game's own move questions agree
// with the rules' oracle and the game ends exactly when the oracle says; no card is lost or doubled
// in any frame. One deal in ten is saved at a random move, loaded into a fresh instance and played
// on to the same document.
#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>
#include <memory>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "tests/games/solitaire/OpenLayoutHarness.h"

namespace Corvale
{
namespace TestSupport
{
namespace
{
constexpr i32 STEPS_MAX = 250;

enum StepKind
{
   STEP_DROP,
   STEP_CLICK,
   STEP_REDEAL
};

struct Step
{
   StepKind kind;
   i32 cardID;
   i32 pileID;
};

std::string TimersCleared(const std::string& text)
{
   return std::regex_replace(text, std::regex("\"(gameTimer|gameTimeFrozen)\": [0-9]+"), "\"$1\": 0");
}

void OptionsDraw(OpenLayoutHarness& harness, std::mt19937& random)
{
   auto coin = [&]() { return (random() & 1u) != 0; };
   if (harness.Is("AcesUpSolitaire"))
   {
      harness.OptionSet("NoWastePile", coin());
      harness.OptionSet("AllowUndo", coin());
   }
   else if (harness.Is("FortressSolitaire"))
   {
      harness.OptionSet("OnlyKingsInEmpty", coin());
      harness.OptionSet("AcesStartFoundations", coin());
   }
   else if (harness.Is("FlowerGardenSolitaire"))
   {
      harness.OptionSet("SixteenCardReserve", coin());
   }
   else if (harness.Is("PenguinSolitaire"))
   {
      harness.OptionSet("FillEmptyRestricted", coin());
      harness.OptionSet("FourthStarterDealtFirst", coin());
   }
   else if (harness.Is("LaBelleLucieSolitaire"))
   {
      harness.OptionSet("TwoRedeals", coin());
   }
   harness.OptionSet("ShowPlayableCards", coin());
}

// The game's pick-up and drop answers against the oracle's, for every card and pile.
void MoveQuestionsAgree(OpenLayoutHarness& harness)
{
   TraditionalSolitaireGame* game = harness.game;
   for (i32 i = 0; i < game->cards.count; ++i)
   {
      Card* card = game->cards[i];
      const bool takes = harness.OracleTakes(card);
      ASSERT_EQ(game->CardPickUpCheck(card), takes) << CardGameHarness::PileText(card->pile) << " card " << i;
      for (i32 p = 0; takes && p < game->cardPiles.count; ++p)
      {
         CardPile* pile = game->cardPiles[p];
         if (pile != card->pile)
         {
            ASSERT_EQ(game->CardDropCheck(pile, card), harness.OracleAccepts(pile, card))
                << CardGameHarness::PileText(card->pile) << " onto type " << pile->type << " #"
                << pile->secondaryID << ": " << CardGameHarness::PileText(pile);
         }
      }
   }
}

i32 ResultGet(const Minigame* game)
{
   return game->gameResult == MINIGAME_RESULT_WON ? 1 : game->gameResult == MINIGAME_RESULT_LOST ? 2 : 0;
}

void StepPlay(OpenLayoutHarness& harness, const Step& step)
{
   TraditionalSolitaireGame* game = harness.game;
   if (step.kind == STEP_REDEAL)
   {
      TalonSolitaire::ResetButtonHandler(nullptr, game);
      harness.redeals++;
      harness.Settle();
      return;
   }
   Card* card = game->CardGet(step.cardID);
   ASSERT_NE(card, nullptr);
   if (step.kind == STEP_CLICK)
   {
      ASSERT_TRUE(game->CardChooseOnClickCheck(card));
      harness.ChoosePost(card);
   }
   else
   {
      ASSERT_TRUE(harness.Drop(card, game->CardPileByIDGet(step.pileID)));
   }
   harness.Settle();
}

// Baroness by clicks: what a click on a column top does, by the rules, given the card chosen
// before it. Returns the cards expected on the discard afterwards.
i32 BaronessDiscardAfter(OpenLayoutHarness& harness, const Card* clicked)
{
   const auto* baroness = static_cast<BaronessSolitaire*>(harness.game);
   const i32 discarded = harness.Foundation(-1)->cards.count;
   if (clicked->rank == RANK_KING)
   {
      return discarded + 1;
   }
   const Card* chosen = baroness->firstClicked >= 0 ? harness.game->CardGet(baroness->firstClicked) : nullptr;
   return chosen && chosen != clicked && chosen->rank + clicked->rank == 13 ? discarded + 2 : discarded;
}

// Plays the deal to its end or the step cap. With undos off the steps are kept in steps, and the
// game is saved into saved after step saveAt.
void DealPlay(OpenLayoutHarness& harness, std::mt19937& random, bool undos, std::vector<Step>* steps,
              i32 saveAt, JSONTest::ValuePointer* saved)
{
   TraditionalSolitaireGame* game = harness.game;
   const bool baroness = harness.Is("BaronessSolitaire");
   const bool lucie = harness.Is("LaBelleLucieSolitaire");
   for (i32 step = 0; step < STEPS_MAX; ++step)
   {
      MoveQuestionsAgree(harness);
      if (::testing::Test::HasFatalFailure())
      {
         return;
      }
      const i32 end = harness.OracleEnd();
      ASSERT_EQ(ResultGet(game), end) << "step " << step;
      if (lucie)
      {
         ASSERT_EQ(static_cast<TalonSolitaire*>(game)->resetNum, harness.redeals);
      }
      if (end != 0)
      {
         const bool undoAllowed = !harness.Is("AcesUpSolitaire") || harness.OptionGet("AllowUndo");
         if (!undos || !undoAllowed || game->undoHistory.count == 0 || random() % 4 != 0)
         {
            return;
         }
         // Taking back the move that ended the game opens it again.
         game->Undo();
         harness.Settle();
         ASSERT_EQ(ResultGet(game), 0);
         continue;
      }
      if (step == saveAt && saved)
      {
         saved->reset(JSONValue::New(HEAP_DEFAULT));
         ASSERT_TRUE(game->Save(saved->get()));
      }
      if (undos && game->undoHistory.count > 0 && random() % 16 == 0)
      {
         const std::string before = TimersCleared(harness.SavedText(game));
         game->Undo();
         harness.Settle();
         if (harness.Is("AcesUpSolitaire") && !harness.OptionGet("AllowUndo"))
         {
            ASSERT_EQ(TimersCleared(harness.SavedText(game)), before) << "an undo with undo not allowed";
         }
         continue;
      }
      std::vector<Step> choices;
      for (const auto& move : harness.OracleMoves())
      {
         choices.push_back({STEP_DROP, move.first->id, move.second->id});
      }
      if (harness.OracleStockActs())
      {
         choices.push_back({STEP_CLICK, harness.Stock()->CardTopGet()->id, -1});
      }
      if (baroness)
      {
         for (Card* top : harness.ColumnTops())
         {
            choices.push_back({STEP_CLICK, top->id, -1});
         }
      }
      if (lucie && harness.redeals < harness.RedealsAllowed())
      {
         choices.push_back({STEP_REDEAL, -1, -1});
      }
      ASSERT_FALSE(choices.empty());
      const Step chosen = choices[random() % choices.size()];
      if (steps)
      {
         steps->push_back(chosen);
      }
      const bool columnClick = baroness && chosen.kind == STEP_CLICK && chosen.pileID < 0 &&
                               game->CardGet(chosen.cardID)->pile != harness.Stock();
      const i32 discardExpected =
          columnClick ? BaronessDiscardAfter(harness, game->CardGet(chosen.cardID)) : 0;
      StepPlay(harness, chosen);
      if (columnClick)
      {
         ASSERT_EQ(harness.Foundation(-1)->cards.count, discardExpected);
      }
   }
}

class OpenLayoutSoakTest : public ::testing::TestWithParam<const char*>
{
};

TEST_P(OpenLayoutSoakTest, RandomPlayKeepsToTheRulesAndEndsWhenTheyDo)
{
   OpenLayoutHarness::fastDeal = true;
   std::unique_ptr<TraditionalSolitaireGame> game(OpenLayoutCreate(GetParam()));
   std::unique_ptr<TraditionalSolitaireGame> fresh(OpenLayoutCreate(GetParam()));
   OpenLayoutHarness harness;
   OpenLayoutHarness::fastDeal = false;
   harness.LayoutEnter(game.get());
   harness.ConservedEveryFrame();
   // Sized to some ten CPU seconds a game: the long two-deck game and the games whose random play
   // wanders longest between columns play fewer deals.
   const std::string key = GetParam();
   u32 deals = key == "AcesAndKingsSolitaire"   ? 250
               : key == "FlowerGardenSolitaire" ? 400
               : key == "FortressSolitaire"     ? 600
                                                : 1000;
#ifdef __SANITIZE_ADDRESS__
   deals /= 10;
#endif
   const std::clock_t begun = std::clock();
   i32 ends[3] = {0, 0, 0};
   u32 roundTrips = 0;
   for (u32 seed = 1; seed <= deals && !::testing::Test::HasFatalFailure(); ++seed)
   {
      SCOPED_TRACE(seed);
      std::mt19937 random(seed);
      OptionsDraw(harness, random);
      harness.Deal(seed);
      if (seed % 10 != 0)
      {
         DealPlay(harness, random, true, nullptr, -1, nullptr);
         ends[ResultGet(game.get())]++;
         continue;
      }
      // The round trip: the whole deal first, then its second half once more from the save.
      std::vector<Step> steps;
      JSONTest::ValuePointer saved;
      const i32 saveAt = static_cast<i32>(random() % 16u);
      DealPlay(harness, random, false, &steps, saveAt, &saved);
      ends[ResultGet(game.get())]++;
      if (!saved)
      {
         continue;
      }
      const std::string finished = TimersCleared(harness.SavedText(game.get()));
      const i32 redealsAtSave = [&]()
      {
         i32 made = 0;
         for (i32 i = 0; i < saveAt && i < static_cast<i32>(steps.size()); ++i)
            made += steps[i].kind == STEP_REDEAL ? 1 : 0;
         return made;
      }();
      harness.LayoutEnter(fresh.get(), 999, 1000);
      ASSERT_TRUE(fresh->Load(saved.get()));
      harness.redeals = redealsAtSave;
      harness.Settle();
      for (size_t i = static_cast<size_t>(saveAt); i < steps.size(); ++i)
      {
         StepPlay(harness, steps[i]);
         ASSERT_FALSE(::testing::Test::HasFatalFailure());
      }
      EXPECT_EQ(TimersCleared(harness.SavedText(fresh.get())), finished);
      roundTrips++;
      harness.LayoutEnter(game.get());
   }
   const double seconds = static_cast<double>(std::clock() - begun) / CLOCKS_PER_SEC;
   std::printf("%s: %u deals (%d on at the cap, %d won, %d lost), %u saved and loaded, %.1f CPU s\n",
               GetParam(), deals, ends[0], ends[1], ends[2], roundTrips, seconds);
   EXPECT_GE(roundTrips, deals / 20);
}

INSTANTIATE_TEST_SUITE_P(Games, OpenLayoutSoakTest, ::testing::ValuesIn(OPEN_LAYOUT_KEYS),
                         [](const ::testing::TestParamInfo<const char*>& info)
                         { return std::string(info.param); });
} // namespace
} // namespace TestSupport
} // namespace Corvale
