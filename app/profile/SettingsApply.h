// Applies the current profile's settings: the three volumes and the music through the sound
// manager, the game speed and the messy-cards flag of the card games.
#pragma once

#include "core/Types.h"

namespace Corvale
{
class Sound;

// Scales every game's action delays; 50 from start-up until the first apply.
extern i32 gameSpeed;
// Whether cards lie with random offsets on their piles.
extern bool cardsMessy;

// Raised by SettingsApply when the messy-cards flag changed, so that a running card game
// re-draws its cards' offsets at once. No argument.
constexpr const char* SETTINGS_CARDS_MESSY_CHANGE_EVENT = "OnCardsMessyChange";

// What applying the settings asks of the sound side; tests put a fake in its place.
class SettingsSoundTarget
{
 public:
   virtual ~SettingsSoundTarget() = default;
   virtual bool InitialisedCheck();
   // usage: 0 effects, 1 music, 2 speech; volume 0 to 100.
   virtual void VolumeSet(i32 usage, i32 volume);
   // Whether "<path>.snd" exists in the resources.
   virtual bool StreamExistsCheck(const char* path);
   // Nothing when that very song plays already.
   virtual void MusicPlay(const char* path, bool loop);
   // The settings menu's volume sliders and their test sound.
   virtual i32 VolumeGet(i32 usage);
   virtual Sound* EffectLoad(const char* name);
   virtual void EffectUnload(Sound* sound);
   // Queued or still sounding.
   virtual bool EffectPlayingCheck(Sound* sound);
   virtual void EffectPlay(Sound* sound);
};

// The program's sound manager unless a test replaced it.
extern SettingsSoundTarget* settingsSoundTarget;

// Runs at start-up, after sign-in and at every step of a settings control. A "Random" song is
// drawn only at the first apply, when the song setting changed or when another profile was
// loaded, so that a volume drag does not skip songs.
void SettingsApply();
} // namespace Corvale
