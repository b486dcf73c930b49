// Seeded deals of each open tableau solitaire, options drawn per seed, played by a random player
// over the moves the rules allow (drops through the pointer's path, stock clicks, now and then an
// Undo). At every still table the game's own move questions agree with the rules' oracle and the
// game ends exactly when the oracle says; no card is lost or doubled in any frame. One deal in ten
// is saved at a random move, loaded into a fresh instance and played on to the same document.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <memory>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "tests/games/solitaire/OpenTableauHarness.h"

namespace Corvale
{
namespace TestSupport
{
namespace
{
constexpr i32 STEPS_MAX = 250;

struct Step
{
   i32 cardID;
   // -1: the stock's card is clicked.
   i32 pileID;
};

std::string TimersCleared(const std::string& text)
{
   return std::regex_replace(text, std::regex("\"(gameTimer|gameTimeFrozen)\": [0-9]+"), "\"$1\": 0");
}

void OptionsDraw(OpenTableauHarness& harness, std::mt19937& random)
{
   auto coin = [&]() { return (random() & 1u) != 0; };
   const std::string& key = harness.key;
   if (key == "BakersDozenSolitaire")
   {
      static const char* const values[] = {"None", "One", "Two", "Several"};
      harness.OptionSet("CardsFaceDown", values[random() % 4]);
   }
   else if (key == "BeleagueredCastleSolitaire")
   {
      harness.OptionSet("StreetsAndAlleys", coin());
      harness.OptionSet("Siegecraft", coin());
      harness.OptionSet("BuildInSuit", coin());
   }
   else if (key == "BristolSolitaire")
   {
      harness.OptionSet("BuildInSuit", coin());
      harness.OptionSet("KingsInEmpty", coin());
   }
   else if (key == "EightOffSolitaire")
   {
      harness.OptionSet("FourCardsDealtToReserve", coin());
      harness.OptionSet("OnlyKingsInEmpty", coin());
   }
   else if (key == "EliminatorSolitaire")
   {
      harness.OptionSet("OneCardReserve", coin());
      harness.OptionSet("6Foundations", coin());
      harness.OptionSet("FoundationsInAlternatingColors", coin());
   }
   harness.OptionSet("ShowPlayableCards", coin());
}

// The game's pick-up and drop answers against the oracle's, for every card and pile.
void MoveQuestionsAgree(OpenTableauHarness& harness)
{
   OpenTableauSolitaire* game = harness.tableau;
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

void StepPlay(OpenTableauHarness& harness, const Step& step)
{
   OpenTableauSolitaire* game = harness.tableau;
   Card* card = game->CardGet(step.cardID);
   ASSERT_NE(card, nullptr);
   if (step.pileID < 0)
   {
      harness.ChoosePost(card);
   }
   else
   {
      ASSERT_TRUE(harness.Drop(card, game->CardPileByIDGet(step.pileID)));
   }
   harness.Settle();
}

// Plays the deal to its end or the step cap. With undos off the steps are kept in steps, and the
// game is saved into saved after step saveAt.
void DealPlay(OpenTableauHarness& harness, std::mt19937& random, bool undos, std::vector<Step>* steps,
              i32 saveAt, JSONTest::ValuePointer* saved)
{
   OpenTableauSolitaire* game = harness.tableau;
   for (i32 step = 0; step < STEPS_MAX; ++step)
   {
      MoveQuestionsAgree(harness);
      if (::testing::Test::HasFatalFailure())
      {
         return;
      }
      const i32 end = harness.OracleEnd();
      ASSERT_EQ(ResultGet(game), end) << "step " << step;
      if (end != 0)
      {
         if (!undos || random() % 4 != 0)
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
         game->Undo();
         harness.Settle();
         continue;
      }
      const auto moves = harness.OracleMoves();
      const bool stock = harness.OracleStockActs();
      ASSERT_TRUE(!moves.empty() || stock);
      const u32 choice = random() % static_cast<u32>(moves.size() + (stock ? 1 : 0));
      Step chosen;
      if (choice < moves.size())
      {
         chosen = {moves[choice].first->id, moves[choice].second->id};
      }
      else
      {
         chosen = {harness.Pile(CARD_PILE_TYPE_DRAW, -1)->CardTopGet()->id, -1};
      }
      if (steps)
      {
         steps->push_back(chosen);
      }
      StepPlay(harness, chosen);
   }
}

class OpenTableauSoakTest : public ::testing::TestWithParam<const char*>
{
};

TEST_P(OpenTableauSoakTest, RandomPlayKeepsToTheRulesAndEndsWhenTheyDo)
{
   OpenTableauHarness::fastDeal = true;
   std::unique_ptr<OpenTableauSolitaire> game(OpenTableauCreate(GetParam()));
   std::unique_ptr<OpenTableauSolitaire> fresh(OpenTableauCreate(GetParam()));
   OpenTableauHarness harness;
   OpenTableauHarness::fastDeal = false;
   harness.TableauEnter(game.get());
   harness.ConservedEveryFrame();
   // Sized to some seven CPU seconds a game: the long two-deck games play fewer deals.
   const std::string key = GetParam();
   u32 deals = key == "ColoradoSolitaire" || key == "BatsfordSolitaire"     ? 200
               : key == "EightOffSolitaire" || key == "EliminatorSolitaire" ? 1000
                                                                            : 500;
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
      harness.TableauEnter(fresh.get(), 999, 1000);
      ASSERT_TRUE(fresh->Load(saved.get()));
      harness.Settle();
      for (size_t i = static_cast<size_t>(saveAt); i < steps.size(); ++i)
      {
         StepPlay(harness, steps[i]);
         ASSERT_FALSE(::testing::Test::HasFatalFailure());
      }
      EXPECT_EQ(TimersCleared(harness.SavedText(fresh.get())), finished);
      roundTrips++;
      harness.TableauEnter(game.get());
   }
   const double seconds = static_cast<double>(std::clock() - begun) / CLOCKS_PER_SEC;
   std::printf("%s: %u deals (%d on at the cap, %d won, %d lost), %u saved and loaded, %.1f CPU s\n",
               GetParam(), deals, ends[0], ends[1], ends[2], roundTrips, seconds);
   EXPECT_GE(roundTrips, deals / 20);
}

INSTANTIATE_TEST_SUITE_P(Games, OpenTableauSoakTest, ::testing::ValuesIn(OPEN_TABLEAU_KEYS),
                         [](const ::testing::TestParamInfo<const char*>& info)
                         { return std::string(info.param); });
} // namespace
} // namespace TestSupport
} // namespace Corvale
