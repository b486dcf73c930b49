// Turns the current profile's settings (or the constants' defaults) into volumes, music, game
// speed and messy cards.
#include "app/profile/SettingsApply.h"

#include <cstring>

#include "app/profile/ProfileStore.h"
#include "app/profile/Unlockables.h"
#include "core/Event.h"
#include "core/JSONValue.h"
#include "core/Random.h"
#include "core/StringHelpers.h"
#include "platform/sound/Sound.h"
#include "platform/sound/SoundManagerOpenAL.h"

namespace Corvale
{
i32 gameSpeed = 50;
bool cardsMessy = false;

namespace
{
SettingsSoundTarget soundManagerTarget;

// The song setting of the last apply, and the profile load it belonged to.
bool songApplied = false;
char songLast[PROFILE_PATH_SIZE];
u32 songProfileLoadCount = 0;

// 0 to 100; anything not above 0 (NaN included) is 0.
i32 VolumeLimit(float value)
{
   if (!(value > 0.0f))
   {
      return 0;
   }
   return value < 100.0f ? static_cast<i32>(value) : 100;
}

// Plays "Music/<name>"; false when the text does not fit or the stream is missing.
bool SongPlay(SettingsSoundTarget* sound, const char* name, bool loop)
{
   char path[PROFILE_PATH_SIZE];
   if (!name || !NultSnprintf(path, sizeof(path), "Music/%s", name) || !sound->StreamExistsCheck(path))
   {
      return false;
   }
   sound->MusicPlay(path, loop);
   return true;
}

bool SongEligibleCheck(const JSONValue* song, bool unlockable, const JSONValue* unlocked)
{
   const char* name = song->StringValueGet();
   return name && (!unlockable || unlocked->ElementStringFind(name) >= 0 || SongUnlockedCheck(name));
}

// The k-th of the eligible songs for a draw in [0, 1]; false when there is none to play.
bool SongRandomPlay(SettingsSoundTarget* sound)
{
   if (!consts)
   {
      return false;
   }
   const JSONValue* songs = consts->ItemGet("Songs");
   const JSONValue* unlocked = consts->ItemGet("SongsUnlocked");
   const bool unlockable = consts->ItemGet("SongsUnlockable")->BoolValueGet();
   if (songs->TypeGet() != JSONValue::TYPE_ARRAY ||
       (unlockable && unlocked->TypeGet() != JSONValue::TYPE_ARRAY))
   {
      return false;
   }
   i32 count = 0;
   for (i32 i = 0; i < songs->CountGet(); i++)
   {
      count += SongEligibleCheck(songs->ElementGet(i), unlockable, unlocked) ? 1 : 0;
   }
   const double fraction = static_cast<double>(RandomNumberGet()) / 65535.0;
   const i32 index = static_cast<i32>(fraction * count);
   for (i32 i = 0, eligible = 0; i < songs->CountGet(); i++)
   {
      const JSONValue* song = songs->ElementGet(i);
      if (SongEligibleCheck(song, unlockable, unlocked) && eligible++ == index)
      {
         return SongPlay(sound, song->StringValueGet(), false);
      }
   }
   return false;
}

void MusicApply(SettingsSoundTarget* sound)
{
   const char* songDefault = consts ? consts->ItemGet("SongDefault")->StringValueGet() : nullptr;
   const char* song = profileCurrent ? profileCurrent->ItemGet("Song")->StringValueGet() : nullptr;
   if (!song)
   {
      song = songDefault;
   }
   // Without a song name there is nothing to compare or play: the music stays.
   if (!song)
   {
      songApplied = false;
      return;
   }
   const bool changed =
       !songApplied || std::strcmp(songLast, song) != 0 || songProfileLoadCount != ProfileLoadCountGet();
   songApplied = NultStrncpy(songLast, song, sizeof(songLast));
   songProfileLoadCount = ProfileLoadCountGet();
   if (std::strcmp(song, "Random") == 0)
   {
      // The song drawn before keeps playing while only other settings move.
      if (!changed || SongRandomPlay(sound))
      {
         return;
      }
   }
   else if (SongPlay(sound, song, true))
   {
      return;
   }
   SongPlay(sound, songDefault, true);
}
} // namespace

SettingsSoundTarget* settingsSoundTarget = &soundManagerTarget;

bool SettingsSoundTarget::InitialisedCheck()
{
   return soundManager.initialised != 0;
}

void SettingsSoundTarget::VolumeSet(i32 usage, i32 volume)
{
   soundManager.VolumeSet(usage, volume);
}

bool SettingsSoundTarget::StreamExistsCheck(const char* path)
{
   return soundManager.StreamExistsCheck(path);
}

void SettingsSoundTarget::MusicPlay(const char* path, bool loop)
{
   soundManager.MusicPlay(path, loop);
}

i32 SettingsSoundTarget::VolumeGet(i32 usage)
{
   return soundManager.UsageVolumeGet(usage);
}

Sound* SettingsSoundTarget::EffectLoad(const char* name)
{
   return soundManager.initialised && name ? soundManager.Load(name) : nullptr;
}

void SettingsSoundTarget::EffectUnload(Sound* sound)
{
   if (sound)
   {
      soundManager.Unload(sound);
   }
}

bool SettingsSoundTarget::EffectPlayingCheck(Sound* sound)
{
   return sound && sound->UseCountGet() > 0;
}

void SettingsSoundTarget::EffectPlay(Sound* sound)
{
   Sound::Play(sound, nullptr, false, SOUND_USAGE_EFFECTS);
}

void SettingsApply()
{
   SettingsSoundTarget* sound = settingsSoundTarget;
   if (sound && sound->InitialisedCheck())
   {
      struct Volume
      {
         const char* key;
         const char* defaultKey;
         i32 usage;
      };
      const Volume volumes[] = {{"SFXVolume", "SoundVolumeDefault", 0},
                                {"MusicVolume", "MusicVolumeDefault", 1},
                                {"SpeechVolume", "SpeechVolumeDefault", 2}};
      for (const Volume& volume : volumes)
      {
         const JSONValue* stored =
             profileCurrent ? profileCurrent->ItemGet(volume.key) : &JSONValue::nullValue;
         const JSONValue* value = stored->TypeGet() == JSONValue::TYPE_NUMBER ? stored
                                  : consts ? consts->ItemGet(volume.defaultKey)
                                           : &JSONValue::nullValue;
         sound->VolumeSet(volume.usage, VolumeLimit(value->FloatValueGet()));
      }
      MusicApply(sound);
   }

   const JSONValue* speed = profileCurrent ? profileCurrent->ItemGet("GameSpeed") : &JSONValue::nullValue;
   if (speed->TypeGet() != JSONValue::TYPE_NUMBER)
   {
      speed = consts ? consts->ItemGet("GameSpeedDefault") : &JSONValue::nullValue;
   }
   gameSpeed = speed->IntValueGet();

   const bool messyOld = cardsMessy;
   cardsMessy = consts && consts->ItemGet("CardsMessyDefault")->BoolValueGet();
   if (profileCurrent && profileCurrent->MemberIsBool("CardsMessy"))
   {
      cardsMessy = profileCurrent->ItemGet("CardsMessy")->BoolValueGet();
   }
   // Re-drawing the offsets at every slider step would shake the cards for nothing.
   if (cardsMessy != messyOld)
   {
      Event::Trigger(SETTINGS_CARDS_MESSY_CHANGE_EVENT, nullptr);
   }
}
} // namespace Corvale
