// Cribbage hand scoring: points and lines for a table of hands, the translated formats that are
// refused, and the line-free points agreeing with the scored ones over many random hands.
#include "cardgame/CribbageHandScorer.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/Event.h"
#include "core/FileManagerStdio.h"
#include "core/Log.h"
#include "core/TextManager.h"
#include "tests/TestSupport.h"
#include "tests/cardgame/CardTestSupport.h"

using namespace Corvale;

namespace
{
const char* const EnglishTexts = R"({
   "Flush4InHand": "Flush of four: 4",
   "Flush5InHand": "Flush of five: 5",
   "NobInHand": "His nobs: 1",
   "FifteenInHand": "Fifteens: %d",
   "RunInHand": "Runs: %d",
   "TwoOfKindInHand": "Pair: 2",
   "ThreeOfKindInHand": "Three of a kind: 6",
   "FourOfKindInHand": "Four of a kind: 12"
})";

class CribbageHandScorerTest : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      LogFileSet(&log);
      Event::SystemInit(HEAP_DEFAULT);
      TextsWrite(EnglishTexts);
   }

   void TearDown() override
   {
      textManager.Deinit();
      Event::SystemDeinit();
      fileManagerResource = nullptr;
      LogFileSet(nullptr);
   }

   void TextsWrite(const std::string& json)
   {
      ASSERT_TRUE(folder.FileWrite("Text/English/Text.json", json));
      ASSERT_TRUE(manager.BaseFolderSet(folder.Base().c_str()));
      fileManagerResource = &manager;
      textManager.Deinit();
      textManager.LanguageSet(&language);
      textManager.FileNameAppend("Text");
      textManager.Init();
      textManager.OnLanguageChange();
   }

   // Hand and starter as "5H 5S 5D JC" and "5C"; "--" is a missing card.
   i32 Score(const std::string& handText, const std::string& starterText)
   {
      std::vector<std::string> names;
      for (std::size_t at = 0; at < handText.size(); at += 3)
      {
         names.push_back(handText.substr(at, 2));
      }
      for (u32 i = 0; i < CRIBBAGE_HAND_SIZE; i++)
      {
         scorer.hand[i] = i < names.size() ? Make(names[i]) : nullptr;
      }
      scorer.starter = Make(starterText);
      return scorer.Score();
   }

   Card* Make(const std::string& name)
   {
      if (name.size() != 2 || name[0] == '-')
      {
         return nullptr;
      }
      return cards.Make(CardTest::RankOf(name[0]), static_cast<i32>(std::string("HSDC").find(name[1])));
   }

   std::vector<std::string> Lines() const
   {
      std::vector<std::string> filled;
      for (const char* line : scorer.lines)
      {
         if (line[0])
         {
            filled.push_back(line);
         }
      }
      return filled;
   }

   TestSupport::MemoryFile log;
   TestSupport::TempFolder folder{"cribbage"};
   FileManagerStdio manager;
   u32 language = 0;
   CardTest::LooseCards cards;
   CribbageHandScorer scorer;
};

TEST_F(CribbageHandScorerTest, HandsScoreTheirPointsWithLinesInOrder)
{
   struct Case
   {
      const char* hand;
      const char* starter;
      i32 points;
      std::vector<std::string> lines;
   };
   const Case cases[] = {
       {"5H 5S 5D JC", "5C", 29, {"His nobs: 1", "Fifteens: 16", "Four of a kind: 12"}},
       {"5H 5S 5D 5C", "JD", 28, {"Fifteens: 16", "Four of a kind: 12"}},
       {"3H 3S 4D 5C", "5H", 20, {"Fifteens: 4", "Runs: 12", "Pair: 2", "Pair: 2"}},
       {"7H 7S 8D 8C", "9H", 24, {"Fifteens: 8", "Runs: 12", "Pair: 2", "Pair: 2"}},
       // Queen-King-Ace is no run: ace is low.
       {"AH 2S 3D QC", "KH", 7, {"Fifteens: 4", "Runs: 3"}},
       {"AH 2S 3D 4C", "5H", 7, {"Fifteens: 2", "Runs: 5"}},
       {"2H 3S 4D 4C", "5H", 12, {"Fifteens: 2", "Runs: 8", "Pair: 2"}},
       {"6H 6S 6D 7C", "8H", 17, {"Fifteens: 2", "Runs: 9", "Three of a kind: 6"}},
       {"2H 4H 6H 8H", "KS", 4, {"Flush of four: 4"}},
       {"2H 4H 6H 8H", "KH", 5, {"Flush of five: 5"}},
       // The starter's suit alone does not make a flush of a mixed hand.
       {"2H 4H 6H 8S", "KH", 0, {}},
       // No starter: a computer player judging what to keep. Flush, but no nobs.
       {"2H 4H 6H JH", "-", 4, {"Flush of four: 4"}},
       // A missing hand card: the rest score, and no flush of three cards.
       {"5H 5S -- JH", "KD", 10, {"Fifteens: 8", "Pair: 2"}},
       {"9H TS QD KC", "AH", 0, {}},
   };
   for (const Case& c : cases)
   {
      SCOPED_TRACE(std::string(c.hand) + " + " + c.starter);
      EXPECT_EQ(Score(c.hand, c.starter), c.points);
      EXPECT_EQ(Lines(), c.lines);
      EXPECT_EQ(scorer.PointsGet(), c.points);
   }
}

TEST_F(CribbageHandScorerTest, TextsThatAreNoSafeFormatLeaveTheirLineOutButCount)
{
   TextsWrite(R"({"FifteenInHand": "Fifteens %s", "RunInHand": "%d run %d", "TwoOfKindInHand": "Pair"})");
   EXPECT_EQ(Score("3H 3S 4D 5C", "5H"), 20);
   EXPECT_EQ(Lines(), (std::vector<std::string>{"Pair", "Pair"}));
   EXPECT_NE(
       log.text.find("CribbageHandScorer::Score -- text \"FifteenInHand\" is not a format with one %d\n"),
       std::string::npos);

   struct FormatCase
   {
      const char* format;
      bool accepted;
   };
   for (const FormatCase& c : std::vector<FormatCase>{{"%d", true},
                                                      {"100%% sure: %d", true},
                                                      {"none", false},
                                                      {"%d and %d", false},
                                                      {"%ld", false},
                                                      {"%5d", false},
                                                      {"%", false},
                                                      {"%n%d", false}})
   {
      EXPECT_EQ(CribbageLineFormatCheck(c.format), c.accepted) << c.format;
   }
}

TEST_F(CribbageHandScorerTest, LinesLongerThanTheirSlotAreLeftOut)
{
   TextsWrite(std::string(R"({"TwoOfKindInHand": ")") + std::string(200, 'x') +
              R"(", "RunInHand": "Runs: %d"})");
   EXPECT_EQ(Score("2H 3S 4D 4C", "9H"), 12);
   EXPECT_EQ(Lines(), (std::vector<std::string>{"Runs: 6"}));
}

// The sorted walk that writes the lines and the rank counts agree on every kind of hand.
TEST_F(CribbageHandScorerTest, PointsAgreeWithTheScoredHandOverRandomDeals)
{
   std::vector<Card*> deck;
   for (i32 suit = 0; suit < 4; suit++)
   {
      for (i32 rank = 1; rank <= 13; rank++)
      {
         deck.push_back(cards.Make(rank, suit));
      }
   }
   std::mt19937 generator(20261210);
   std::vector<int> totals(30, 0);
   int distinct = 0;
   for (int deal = 0; deal < 20000; deal++)
   {
      std::shuffle(deck.begin(), deck.end(), generator);
      for (u32 i = 0; i < CRIBBAGE_HAND_SIZE; i++)
      {
         scorer.hand[i] = deck[i];
      }
      scorer.starter = deal % 10 ? deck[4] : nullptr;
      const i32 points = scorer.Score();
      ASSERT_EQ(scorer.PointsGet(), points) << deal;
      ASSERT_GE(points, 0);
      ASSERT_LE(points, 29);
      distinct += totals[points]++ == 0;
   }
   // The deals reach flushes, nobs, long runs and pairs alike.
   EXPECT_GE(distinct, 18);
}
} // namespace
