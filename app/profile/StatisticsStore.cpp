// Per-profile statistics in the profile's entry of the settings document.
#include "app/profile/StatisticsStore.h"

#include "app/profile/ProfileStore.h"
#include "core/JSONValue.h"

namespace Corvale
{
namespace
{
// The member as an object: none without create, else a fresh object in place of anything else.
JSONValue* ObjectMemberGet(JSONValue* parent, const char* key, bool create)
{
   if (!parent || !key)
   {
      return nullptr;
   }
   JSONValue* member = parent->ItemFind(key);
   if (member && member->TypeGet() == JSONValue::TYPE_OBJECT)
   {
      return member;
   }
   return create ? parent->ItemObjectSet(key) : nullptr;
}

i32 StatisticRead(const JSONValue* object, const char* key)
{
   if (!object || !key)
   {
      return 0;
   }
   const JSONValue* value = object->ItemGet(key);
   if (value->TypeGet() == JSONValue::TYPE_BOOL || value->TypeGet() == JSONValue::TYPE_NUMBER)
   {
      return value->IntValueGet();
   }
   return 0;
}

void StatisticAdd(JSONValue* object, const char* key, i32 amount)
{
   if (!object || !key)
   {
      return;
   }
   // Added in 64 bits: a sum outside the 32-bit range leaves the statistic as it was.
   const i64 sum = static_cast<i64>(StatisticRead(object, key)) + amount;
   if (sum > INT32_MAX || sum < INT32_MIN)
   {
      return;
   }
   object->ItemNumberSet(key, static_cast<i32>(sum));
}
} // namespace

JSONValue* ProfileStatisticsGeneralGet(const char* profileName, bool create)
{
   JSONValue* entry = ProfileEntryGet(profileName);
   return ObjectMemberGet(ObjectMemberGet(entry, "Statistics", create), "General", create);
}

JSONValue* ProfileStatisticsGameGet(const char* game, const char* profileName, bool create)
{
   if (!game)
   {
      return nullptr;
   }
   JSONValue* games = ObjectMemberGet(ObjectMemberGet(ProfileEntryGet(profileName), "Statistics", create), "Games", create);
   return ObjectMemberGet(games, game, create);
}

void StatisticGeneralAdd(i32 amount, const char* key, const char* profileName)
{
   StatisticAdd(ProfileStatisticsGeneralGet(profileName, true), key, amount);
}

i32 StatisticGeneralGet(const char* key, const char* profileName)
{
   return StatisticRead(ProfileStatisticsGeneralGet(profileName, false), key);
}

void StatisticGameAdd(i32 amount, const char* key, const char* game, const char* profileName)
{
   StatisticAdd(ProfileStatisticsGameGet(game, profileName, true), key, amount);
}

void StatisticGameSet(i32 value, const char* key, const char* game, const char* profileName)
{
   JSONValue* object = key ? ProfileStatisticsGameGet(game, profileName, true) : nullptr;
   if (object)
   {
      object->ItemNumberSet(key, value);
   }
}

i32 StatisticGameGet(const char* key, const char* game, const char* profileName)
{
   return StatisticRead(ProfileStatisticsGameGet(game, profileName, false), key);
}

void StatisticGameFlagSet(const char* key, const char* game, const char* profileName)
{
   JSONValue* object = key ? ProfileStatisticsGameGet(game, profileName, true) : nullptr;
   if (object)
   {
      object->ItemBoolSet(key, true);
   }
}

bool StatisticGameCheck(const char* key, const char* game, const char* profileName)
{
   const JSONValue* object = ProfileStatisticsGameGet(game, profileName, false);
   return object && key && object->ItemGet(key)->BoolValueGet();
}
} // namespace Corvale
