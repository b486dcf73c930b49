// Compares the current profile's statistics with the constants' "Achievements" and grants the
// ones that hold.
#include "app/profile/Achievements.h"

#include <string_view>

#include "app/profile/ProfileStore.h"
#include "app/profile/StatisticsStore.h"
#include "app/profile/Unlockables.h"
#include "core/JSONValue.h"

namespace Corvale
{
namespace
{
JSONValue* ProfileAchievementsGetOrAdd()
{
   JSONValue* achievements = profileCurrent->ItemFind("Achievements");
   if (!achievements || achievements->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      achievements = profileCurrent->ItemObjectSet("Achievements");
   }
   return achievements;
}

bool ProfileObjectCheck()
{
   return profileCurrent && profileCurrent->TypeGet() == JSONValue::TYPE_OBJECT;
}

// Whether the achievement's condition holds for the current profile.
bool ConditionCheck(const JSONValue* achievement)
{
   const char* conditionType = achievement->ItemGet("ConditionType")->StringValueGet();
   const char* statType = achievement->ItemGet("ConditionStatType")->StringValueGet();
   const char* statName = achievement->ItemGet("ConditionStatName")->StringValueGet();
   const JSONValue* threshold = achievement->ItemGet("ConditionStatThresholdMin");
   if (achievement->TypeGet() != JSONValue::TYPE_OBJECT || !conditionType ||
       std::string_view(conditionType) != "Stat" || threshold->TypeGet() != JSONValue::TYPE_NUMBER ||
       !statType || !statName)
   {
      return false;
   }
   i32 value = 0;
   if (std::string_view(statType) == "General")
   {
      value = StatisticGeneralGet(statName, profileCurrentName);
   }
   else if (std::string_view(statType) == "Game" && achievement->ItemStringCheck("ConditionStatGameName"))
   {
      value = StatisticGameGet(statName, achievement->ItemGet("ConditionStatGameName")->StringValueGet(),
                               profileCurrentName);
   }
   else
   {
      return false;
   }
   return value >= threshold->IntValueGet();
}
} // namespace

void AchievementsUpdate()
{
   const JSONValue* achievements = consts ? consts->ItemGet("Achievements") : &JSONValue::nullValue;
   if (achievements->TypeGet() != JSONValue::TYPE_OBJECT || !ProfileObjectCheck())
   {
      return;
   }
   ProfileAchievementsGetOrAdd();
   for (JSONValue::Iterator it = achievements->ItemsBegin(); it.ValidCheck(); it.Next())
   {
      if (ConditionCheck(it.node->value))
      {
         AchievementGrant(it.node->key);
      }
   }
}

void AchievementGrant(const char* name)
{
   const JSONValue* achievement =
       consts && name ? consts->ItemGet("Achievements")->ItemGet(name) : &JSONValue::nullValue;
   if (achievement->TypeGet() != JSONValue::TYPE_OBJECT || !ProfileObjectCheck())
   {
      return;
   }
   ProfileAchievementsGetOrAdd()->ItemBoolSet(name, true);
   const char* rewardType = achievement->ItemGet("RewardType")->StringValueGet();
   const JSONValue* rewardID = achievement->ItemGet("RewardID");
   if (!rewardType)
   {
      return;
   }
   if (rewardID->TypeGet() == JSONValue::TYPE_NUMBER)
   {
      ItemUnlockByNumber(rewardType, rewardID->IntValueGet());
   }
   else if (rewardID->TypeGet() == JSONValue::TYPE_STRING)
   {
      ItemUnlock(rewardType, rewardID->StringValueGet());
   }
}
} // namespace Corvale
