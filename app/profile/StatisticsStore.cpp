// The statistics accessors over the profile entries of the settings document. Getters never
// create anything; nothing reaches the disk until the settings are next written.
#include "app/profile/StatisticsStore.h"

#include "app/profile/ProfileStore.h"
#include "core/JSONValue.h"

namespace Corvale
{
namespace
{
// The object under key, entered when it is one; with create anything else is replaced by an
// empty object.
JSONValue* ObjectEnter(JSONValue* parent, const char* key, bool create)
{
   if (!parent || !key)
   {
      return nullptr;
   }
   JSONValue* child = parent->ItemFind(key);
   if (child && child->TypeGet() == JSONValue::TYPE_OBJECT)
   {
      return child;
   }
   if (!create)
   {
      return nullptr;
   }
   child = parent->ItemObjectSet(key);
   return child->TypeGet() == JSONValue::TYPE_OBJECT ? child : nullptr;
}

JSONValue* StatisticsGet(const char* profileName, bool create)
{
   JSONValue* entry = ProfileEntryGet(profileName);
   return entry ? ObjectEnter(entry, "Statistics", create) : nullptr;
}

void StatisticAdd(JSONValue* statistics, i32 amount, const char* key)
{
   if (!statistics || !key)
   {
      return;
   }
   const i64 sum = static_cast<i64>(statistics->ItemGet(key)->IntValueGet()) + amount;
   if (sum > 2147483647ll || sum < -2147483648ll)
   {
      return;
   }
   statistics->ItemNumberSet(key, static_cast<i32>(sum));
}
} // namespace

JSONValue* ProfileStatisticsGeneralGet(const char* profileName, bool create)
{
   return ObjectEnter(StatisticsGet(profileName, create), "General", create);
}

JSONValue* ProfileStatisticsGameGet(const char* game, const char* profileName, bool create)
{
   if (!game)
   {
      return nullptr;
   }
   return ObjectEnter(ObjectEnter(StatisticsGet(profileName, create), "Games", create), game, create);
}

void StatisticGeneralAdd(i32 amount, const char* key, const char* profileName)
{
   StatisticAdd(key ? ProfileStatisticsGeneralGet(profileName, true) : nullptr, amount, key);
}

i32 StatisticGeneralGet(const char* key, const char* profileName)
{
   const JSONValue* general = key ? ProfileStatisticsGeneralGet(profileName, false) : nullptr;
   return general ? general->ItemGet(key)->IntValueGet() : 0;
}

void StatisticGameAdd(i32 amount, const char* key, const char* game, const char* profileName)
{
   StatisticAdd(key ? ProfileStatisticsGameGet(game, profileName, true) : nullptr, amount, key);
}

void StatisticGameSet(i32 value, const char* key, const char* game, const char* profileName)
{
   JSONValue* statistics = key ? ProfileStatisticsGameGet(game, profileName, true) : nullptr;
   if (statistics)
   {
      statistics->ItemNumberSet(key, value);
   }
}

i32 StatisticGameGet(const char* key, const char* game, const char* profileName)
{
   const JSONValue* statistics = key ? ProfileStatisticsGameGet(game, profileName, false) : nullptr;
   return statistics ? statistics->ItemGet(key)->IntValueGet() : 0;
}

void StatisticGameFlagSet(const char* key, const char* game, const char* profileName)
{
   JSONValue* statistics = key ? ProfileStatisticsGameGet(game, profileName, true) : nullptr;
   if (statistics)
   {
      statistics->ItemBoolSet(key, true);
   }
}

bool StatisticGameCheck(const char* key, const char* game, const char* profileName)
{
   const JSONValue* statistics = key ? ProfileStatisticsGameGet(game, profileName, false) : nullptr;
   return statistics && statistics->ItemGet(key)->BoolValueGet();
}
} // namespace Corvale
