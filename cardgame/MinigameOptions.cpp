// The game's options, its own random numbers, the statistics written when a game or hand ends,
// and the table background.
#include "cardgame/Minigame.h"

#include <cstring>

#include "app/profile/Achievements.h"
#include "app/profile/ProfileStore.h"
#include "app/profile/StatisticsStore.h"
#include "app/profile/Unlockables.h"
#include "cardgame/Player.h"
#include "core/JSONValue.h"
#include "core/Random.h"

namespace Corvale
{
namespace
{
constexpr u32 RANDOM_STEP_ADD0 = 46906481u;
constexpr u32 RANDOM_STEP_ADD1 = 103995407u;

// The first "Settings" element whose "Name" is exactly key, or null.
const JSONValue* SettingDeclarationGet(const JSONValue* settings, const char* key)
{
   for (i32 i = 0; settings && i < settings->CountGet(); ++i)
   {
      const JSONValue* element = settings->ElementGet(i);
      const char* name = element->ItemGet("Name")->StringValueGet();
      if (element->TypeGet() == JSONValue::TYPE_OBJECT && name && std::strcmp(name, key) == 0)
      {
         return element;
      }
   }
   return nullptr;
}

} // namespace

const JSONValue* Minigame::SettingsGet()
{
   if (!constants)
   {
      return nullptr;
   }
   const JSONValue* settings = constants->ItemGet("Settings");
   return settings->TypeGet() == JSONValue::TYPE_ARRAY ? settings : nullptr;
}

bool Minigame::SettingBoolGet(const char* key)
{
   if (!key)
   {
      return false;
   }
   const JSONValue* chosen = ProfileMinigameSettingsGet(GameNameGet());
   if (!chosen || chosen->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      return false;
   }
   const JSONValue* value = chosen->ItemGet(key);
   if (value->TypeGet() == JSONValue::TYPE_BOOL)
   {
      return value->BoolValueGet();
   }
   const JSONValue* declaration = SettingDeclarationGet(SettingsGet(), key);
   if (!declaration)
   {
      return false;
   }
   const JSONValue* fallback = declaration->ItemGet("Default");
   if (fallback->TypeGet() == JSONValue::TYPE_BOOL || fallback->TypeGet() == JSONValue::TYPE_NUMBER)
   {
      return fallback->BoolValueGet();
   }
   return false;
}

const char* Minigame::SettingStringGet(const char* key)
{
   if (!key)
   {
      return nullptr;
   }
   const JSONValue* chosen = ProfileMinigameSettingsGet(GameNameGet());
   if (!chosen || chosen->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      return nullptr;
   }
   const char* value = chosen->ItemGet(key)->StringValueGet();
   if (value)
   {
      return value;
   }
   const JSONValue* declaration = SettingDeclarationGet(SettingsGet(), key);
   return declaration ? declaration->ItemGet("Default")->StringValueGet() : nullptr;
}

u32 Minigame::RandomDraw()
{
   // The game's words step in place of the engine's, which come back untouched.
   u32 s0 = seed1;
   u32 s1 = seed2;
   s0 = (s0 + RANDOM_STEP_ADD0) ^ s1;
   s1 = (((s1 << 3) | (s1 >> 29)) + RANDOM_STEP_ADD1) ^ s0;
   seed1 = s0;
   seed2 = s1;
   return (s0 - s1) & 0xFFFFu;
}

u32 Minigame::RandomIntGet(u32 n)
{
   return static_cast<u32>((static_cast<u64>(RandomDraw()) * n) >> 16);
}

float Minigame::RandomFloatGet()
{
   return static_cast<float>(RandomDraw()) / 65535.0f;
}

void Minigame::StatisticsUpdate()
{
   if (statisticsRecorded)
   {
      return;
   }
   statisticsRecorded = true;
   bool nobodyWon = true;
   for (i32 i = 0; i < players.count; ++i)
   {
      nobodyWon = nobodyWon && !players[i]->minigameWinner;
   }
   const char* name = StatisticsNameGet();
   for (i32 i = 0; i < players.count; ++i)
   {
      const Player* player = players[i];
      if (!player->local || !player->human || !player->name)
      {
         continue;
      }
      const char* profile = player->name;
      // The store refuses an add that would pass the 32-bit range, which is the guard wanted.
      if (player->minigameWinner)
      {
         if (GamesWonRecordCheck())
         {
            if (name)
            {
               StatisticGameAdd(1, "GamesWon", name, profile);
            }
            StatisticGeneralAdd(1, "GamesWon", profile);
         }
         if (BestWinTimeRecordCheck() && name)
         {
            const i32 seconds = static_cast<i32>(gameTimeFrozen / 1000u);
            if (!StatisticGameCheck("BestWinTimeSecondsDefined", name, profile))
            {
               StatisticGameSet(seconds, "BestWinTimeSeconds", name, profile);
               StatisticGameFlagSet("BestWinTimeSecondsDefined", name, profile);
            }
            else if (seconds < StatisticGameGet("BestWinTimeSeconds", name, profile))
            {
               StatisticGameSet(seconds, "BestWinTimeSeconds", name, profile);
            }
         }
      }
      else if ((!nobodyWon || players.count == 1) && GamesLostRecordCheck())
      {
         if (name)
         {
            StatisticGameAdd(1, "GamesLost", name, profile);
         }
         StatisticGeneralAdd(1, "GamesLost", profile);
      }
      if (name)
      {
         StatisticGameAdd(1, "GamesPlayed", name, profile);
      }
      StatisticGeneralAdd(1, "GamesPlayed", profile);
      if (BestScoreRecordCheck() && name)
      {
         const i32 score = player->minigameScore;
         if (StatisticGameCheck(BestScoreDefinedKeyGet(), name, profile))
         {
            const i32 best = StatisticGameGet(BestScoreKeyGet(), name, profile);
            if (BestScoreLowerCheck() ? score < best : score > best)
            {
               StatisticGameSet(score, BestScoreKeyGet(), name, profile);
            }
         }
         else
         {
            StatisticGameSet(score, BestScoreKeyGet(), name, profile);
            StatisticGameFlagSet(BestScoreDefinedKeyGet(), name, profile);
         }
      }
   }
   AchievementsUpdate();
}

void Minigame::MoneyStatisticsUpdate()
{
   if (moneyRecorded)
   {
      return;
   }
   moneyRecorded = true;
   const char* name = StatisticsNameGet();
   for (i32 i = 0; i < players.count; ++i)
   {
      const Player* player = players[i];
      if (!player->local || !player->human || !player->name)
      {
         continue;
      }
      // The change of a hand, in 64 bits, handed on clamped to what a statistic holds.
      i64 change = static_cast<i64>(player->minigameScore) - player->minigameScoreSubgameBegin;
      change = change > INT32_MAX ? INT32_MAX : (change < INT32_MIN ? INT32_MIN : change);
      if (change == 0)
      {
         continue;
      }
      const char* key = change > 0 ? "MoneyWon" : "MoneyLost";
      if (name)
      {
         StatisticGameAdd(static_cast<i32>(change), key, name, player->name);
      }
      StatisticGeneralAdd(static_cast<i32>(change), key, player->name);
   }
   AchievementsUpdate();
}

const char* Minigame::BackgroundGet()
{
   const JSONValue* chosen = profileCurrent ? profileCurrent->ItemGet("MinigameBackground") : &JSONValue::nullValue;
   const char* name = chosen->StringValueGet();
   if (!name && consts)
   {
      name = consts->ItemGet("MinigameBackgroundDefault")->StringValueGet();
   }
   if (!name || std::strcmp(name, "<Random>") != 0)
   {
      return name;
   }
   const JSONValue* all = consts ? consts->ItemGet("MinigameBackgrounds") : &JSONValue::nullValue;
   if (all->TypeGet() != JSONValue::TYPE_ARRAY || all->CountGet() == 0)
   {
      return nullptr;
   }
   const JSONValue* unlockable = consts->ItemGet("MinigameBackgroundsUnlockable");
   if (!unlockable->BoolValueGet())
   {
      return all->ElementGet(static_cast<i32>(RandomIntegerGet(static_cast<u32>(all->CountGet()))))->StringValueGet();
   }
   const JSONValue* unlocked = consts->ItemGet("MinigameBackgroundsUnlocked");
   Table<const char*> available(allocatorTemp);
   for (i32 i = 0; i < all->CountGet(); ++i)
   {
      const char* candidate = all->ElementGet(i)->StringValueGet();
      if (candidate && (unlocked->ElementStringFind(candidate) >= 0 || ItemUnlockedCheck("Background", candidate)))
      {
         available.Insert(candidate, available.count);
      }
   }
   if (available.count == 0)
   {
      return nullptr;
   }
   return available[static_cast<i32>(RandomIntegerGet(static_cast<u32>(available.count)))];
}
} // namespace Corvale
