// Every profile's counters and records of play, general and per game, kept in the profile's entry
// of Settings.json so that the statistics of all profiles can be shown without loading them.
#pragma once

#include "core/Types.h"

namespace Corvale
{
class JSONValue;

// Adds in 64 bits; a sum outside the 32-bit range leaves the statistic as it was.
void StatisticGeneralAdd(i32 amount, const char* key, const char* profileName);
i32 StatisticGeneralGet(const char* key, const char* profileName);
void StatisticGameAdd(i32 amount, const char* key, const char* game, const char* profileName);
void StatisticGameSet(i32 value, const char* key, const char* game, const char* profileName);
i32 StatisticGameGet(const char* key, const char* game, const char* profileName);
void StatisticGameFlagSet(const char* key, const char* game, const char* profileName);
bool StatisticGameCheck(const char* key, const char* game, const char* profileName);

// The profile's "General" object, or one game's; with create they and the objects above them are
// made (replacing other values), without it none is returned where one is missing.
JSONValue* ProfileStatisticsGeneralGet(const char* profileName, bool create);
JSONValue* ProfileStatisticsGameGet(const char* game, const char* profileName, bool create);
} // namespace Corvale
