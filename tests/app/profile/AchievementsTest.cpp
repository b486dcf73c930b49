// Achievements over the statistics: a threshold reached grants once and unlocks its reward once;
// conditions that can't be evaluated never grant; rewards that name no item still record.
#include "app/profile/Achievements.h"

#include "app/profile/StatisticsStore.h"
#include "tests/app/profile/ProfileTestSupport.h"

using namespace ProfileTest;

namespace
{
class Achievements : public ProfileFixture
{
 protected:
   void SetUp() override
   {
      ProfileFixture::SetUp();
      ConstsSet(
          R"({"ItemTypeUnlockMessages": {"Song": "SongUnlocked"}, "ItemNameTextKeyPrefixes": {"Song": "Song"},
         "Achievements": {
            "TenWins": {"ConditionType": "Stat", "ConditionStatType": "General", "ConditionStatName": "GamesWon",
               "ConditionStatThresholdMin": 10.9, "RewardType": "Song", "RewardID": "Dusk"},
            "KlondikeWin": {"ConditionType": "Stat", "ConditionStatType": "Game", "ConditionStatName": "GamesWon",
               "ConditionStatGameName": "Klondike", "ConditionStatThresholdMin": 1, "RewardType": "Song", "RewardID": 3},
            "NoGame": {"ConditionType": "Stat", "ConditionStatType": "Game", "ConditionStatName": "GamesWon",
               "ConditionStatThresholdMin": 0, "RewardType": "Song", "RewardID": "Never"},
            "NotStat": {"ConditionType": "Played", "ConditionStatType": "General", "ConditionStatName": "GamesWon",
               "ConditionStatThresholdMin": 0, "RewardType": "Song", "RewardID": "Never"},
            "OtherType": {"ConditionType": "Stat", "ConditionStatType": "Profile", "ConditionStatName": "GamesWon",
               "ConditionStatThresholdMin": 0, "RewardType": "Song", "RewardID": "Never"},
            "TextThreshold": {"ConditionType": "Stat", "ConditionStatType": "General", "ConditionStatName": "GamesWon",
               "ConditionStatThresholdMin": "0", "RewardType": "Song", "RewardID": "Never"},
            "Played": {"ConditionType": "Stat", "ConditionStatType": "General", "ConditionStatName": "GamesPlayed",
               "ConditionStatThresholdMin": 1, "RewardType": "Song", "RewardID": true},
            "Broken": 5}})");
      ProfileLoad("Ada");
   }

   std::string Granted() const { return TextWrite(profileCurrent->ItemGet("Achievements")); }
};
} // namespace

TEST_F(Achievements, TheTenthWinGrantsItsRewardOnce)
{
   for (int win = 1; win <= 9; win++)
   {
      StatisticGeneralAdd(1, "GamesWon", "Ada");
      AchievementsUpdate();
   }
   EXPECT_EQ(Granted(), Canonical("{}"));
   EXPECT_EQ(unlockMessages.count, 0);
   StatisticGeneralAdd(1, "GamesWon", "Ada");
   AchievementsUpdate();
   EXPECT_EQ(Granted(), Canonical(R"({"TenWins": true})"));
   ASSERT_EQ(unlockMessages.count, 1);
   EXPECT_STREQ(unlockMessages[0].itemNameKey, "SongDusk");
   StatisticGeneralAdd(1, "GamesWon", "Ada");
   AchievementsUpdate();
   EXPECT_EQ(unlockMessages.count, 1) << "the eleventh win shows nothing";
}

TEST_F(Achievements, GameConditionsNumberedRewardsAndRewardsThatNameNoItem)
{
   StatisticGameAdd(1, "GamesWon", "Klondike", "Ada");
   StatisticGeneralAdd(1, "GamesPlayed", "Ada");
   AchievementsUpdate();
   EXPECT_EQ(Granted(), Canonical(R"({"KlondikeWin": true, "Played": true})"));
   EXPECT_EQ(TextWrite(profileCurrent->ItemGet("Unlockables")), Canonical(R"({"Song": {"3": true}})"));
   ASSERT_EQ(unlockMessages.count, 1);
   EXPECT_FALSE(unlockMessages[0].itemNameKey);

   AchievementGrant("Broken");
   AchievementGrant("Missing");
   AchievementGrant(nullptr);
   EXPECT_EQ(Granted(), Canonical(R"({"KlondikeWin": true, "Played": true})"));
}

TEST_F(Achievements, NothingIsEvaluatedWithoutAProfileOrAList)
{
   StatisticGeneralAdd(20, "GamesWon", "Ada");
   ProfileSet(R"({"Achievements": 4})");
   ConstsSet(R"({"Achievements": []})");
   AchievementsUpdate();
   EXPECT_EQ(TextWrite(profileCurrent), Canonical(R"({"Achievements": 4})"));
   ConstsSet(R"({"Achievements": {"TenWins": {"ConditionType": "Stat", "ConditionStatType": "General",
      "ConditionStatName": "GamesWon", "ConditionStatThresholdMin": 10}}})");
   AchievementsUpdate();
   EXPECT_EQ(TextWrite(profileCurrent), Canonical(R"({"Achievements": {"TenWins": true}})"));
   ProfileLoad(nullptr);
   AchievementsUpdate();
   AchievementGrant("TenWins");
   EXPECT_EQ(unlockMessages.count, 0);
}
