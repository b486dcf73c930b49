// The statistics accessors: adds at both ends of the 32-bit range, bools read and replaced as
// numbers, mistyped objects replaced only by writers, and getters that change nothing.
#include "app/profile/StatisticsStore.h"

#include "tests/app/profile/ProfileTestSupport.h"

using namespace ProfileTest;

namespace
{
class StatisticsStore : public ProfileFixture
{
 protected:
   void SetUp() override
   {
      ProfileFixture::SetUp();
      Reset();
   }
   void Reset()
   {
      SettingsSet(R"({"Profiles": [{"Name": "Ada", "FolderNumber": 0, "Statistics": {
         "General": {"GamesWon": 2147483647, "MoneyLost": -2147483648, "Flag": true, "Text": "12"},
         "Games": {"Klondike": {"GamesWon": 9, "BestScoreDefined": 2, "Half": 7.9}}}},
         {"Name": "Bea", "Statistics": "lost"}, "stray"]})");
   }
};
} // namespace

TEST_F(StatisticsStore, AddsStayInsideTheThirtyTwoBitRange)
{
   struct Case
   {
      const char* key;
      i32 amount;
      i32 expected;
   };
   const Case cases[] = {
       {"GamesWon", 1, 2147483647},
       {"GamesWon", -2147483647 - 1, -1},
       {"MoneyLost", -1, -2147483647 - 1},
       {"MoneyLost", 2147483647, -1},
       {"Flag", 1, 2},
       {"Text", 5, 5},
       {"Missing", 0, 0},
   };
   for (const Case& c : cases)
   {
      SCOPED_TRACE(c.key + std::string(" ") + std::to_string(c.amount));
      Reset();
      StatisticGeneralAdd(c.amount, c.key, "Ada");
      EXPECT_EQ(StatisticGeneralGet(c.key, "Ada"), c.expected);
      EXPECT_EQ(ProfileStatisticsGeneralGet("Ada", false)->ItemGet(c.key)->TypeGet(), JSONValue::TYPE_NUMBER);
   }
   StatisticGameAdd(2147483647, "GamesWon", "Klondike", "Ada");
   EXPECT_EQ(StatisticGameGet("GamesWon", "Klondike", "Ada"), 9) << "a sum past the top stays unchanged";
   StatisticGameAdd(1, "GamesWon", "Klondike", "Ada");
   EXPECT_EQ(StatisticGameGet("GamesWon", "Klondike", "Ada"), 10);
}

TEST_F(StatisticsStore, ReadsAsIntegersAndFlags)
{
   EXPECT_EQ(StatisticGeneralGet("Flag", "Ada"), 1);
   EXPECT_EQ(StatisticGeneralGet("Text", "Ada"), 0);
   EXPECT_EQ(StatisticGameGet("Half", "Klondike", "Ada"), 7);
   EXPECT_TRUE(StatisticGameCheck("BestScoreDefined", "Klondike", "Ada"));
   EXPECT_FALSE(StatisticGameCheck("Missing", "Klondike", "Ada"));
   StatisticGameSet(125, "BestWinTimeSeconds", "Spider", "Ada");
   StatisticGameFlagSet("BestWinTimeSecondsDefined", "Spider", "Ada");
   EXPECT_EQ(TextWrite(ProfileStatisticsGameGet("Spider", "Ada", false)),
             Canonical(R"({"BestWinTimeSeconds": 125, "BestWinTimeSecondsDefined": true})"));
}

TEST_F(StatisticsStore, GettersChangeNothingAndWritersReplaceMistypedObjects)
{
   const std::string before = TextWrite(settings);
   EXPECT_EQ(StatisticGeneralGet("GamesWon", "Bea"), 0);
   EXPECT_EQ(StatisticGameGet("GamesWon", "Klondike", "Cid"), 0);
   EXPECT_FALSE(StatisticGameCheck("GamesWon", "Spider", "Ada"));
   EXPECT_FALSE(ProfileStatisticsGeneralGet("Bea", false));
   EXPECT_FALSE(ProfileStatisticsGameGet("Spider", "Ada", false));
   EXPECT_EQ(StatisticGeneralGet(nullptr, "Ada"), 0);
   EXPECT_EQ(TextWrite(settings), before);

   // Nothing to write to: no key, no game, no profile or no entry of that name.
   StatisticGeneralAdd(1, nullptr, "Ada");
   StatisticGameAdd(1, "GamesWon", nullptr, "Ada");
   StatisticGameSet(1, "GamesWon", "Klondike", nullptr);
   StatisticGameFlagSet("Defined", "Klondike", "Cid");
   EXPECT_EQ(TextWrite(settings), before);

   StatisticGeneralAdd(1, "GamesPlayed", "Bea");
   EXPECT_EQ(TextWrite(ProfileEntryGet("Bea")),
             Canonical(R"({"Name": "Bea", "Statistics": {"General": {"GamesPlayed": 1}}})"));
}
