// Chooses and starts the next song whenever the music stops.
#include "app/MusicPlaylist.h"

#include "app/profile/Unlockables.h"

#include "core/FileManager.h"
#include "core/JSONValue.h"
#include "core/Random.h"
#include "core/StringHelpers.h"
#include "platform/sound/SoundManagerOpenAL.h"

namespace Corvale
{
MusicPlaylist musicPlaylist;

namespace
{
bool SongEligibleCheck(MusicPlaylist* playlist, const JSONValue* song, bool unlockable,
                       const JSONValue* unlocked)
{
   const char* name = song->StringValueGet();
   if (!name)
   {
      return false;
   }
   return !unlockable || unlocked->ElementStringFind(name) >= 0 || playlist->SongUnlockedCheck(name);
}
} // namespace

void MusicPlaylist::Update(const JSONValue* constants)
{
   if (!constants || !IdleCheck())
   {
      return;
   }
   const bool unlockable = constants->ItemGet("SongsUnlockable")->BoolValueGet();
   const JSONValue* songs = constants->ItemGet("Songs");
   const JSONValue* unlocked = constants->ItemGet("SongsUnlocked");
   if (songs->TypeGet() != JSONValue::TYPE_ARRAY ||
       (unlockable && unlocked->TypeGet() != JSONValue::TYPE_ARRAY))
   {
      return;
   }
   const i32 songCount = songs->CountGet();
   i32 count = 0;
   for (i32 i = 0; i < songCount; ++i)
   {
      count += SongEligibleCheck(this, songs->ElementGet(i), unlockable, unlocked) ? 1 : 0;
   }
   // A fraction of exactly 1 gives index == count, and nothing plays this frame.
   const u32 draw = RandomNumberGet();
   const i32 index = static_cast<i32>(static_cast<double>(draw) / 65535.0 * count);
   for (i32 i = 0, eligible = 0; i < songCount; ++i)
   {
      const JSONValue* song = songs->ElementGet(i);
      if (!SongEligibleCheck(this, song, unlockable, unlocked))
      {
         continue;
      }
      if (eligible++ != index)
      {
         continue;
      }
      char path[259];
      char streamPath[260];
      if (NultSnprintf(path, sizeof(path), "Music/%s", song->StringValueGet()) &&
          NultSnprintf(streamPath, sizeof(streamPath), "%s%s", path, ".snd") && StreamExistsCheck(streamPath))
      {
         Play(path);
      }
      break;
   }
}

bool MusicPlaylist::IdleCheck()
{
   return soundManager.initialised && !soundManager.musicSource.StreamActiveCheck();
}

bool MusicPlaylist::StreamExistsCheck(const char* streamPath)
{
   return fileManagerResource && fileManagerResource->Exists(streamPath);
}

void MusicPlaylist::Play(const char* path)
{
   soundManager.MusicPlay(path, false);
}

bool MusicPlaylist::SongUnlockedCheck(const char* name)
{
   return Corvale::SongUnlockedCheck(name);
}
} // namespace Corvale
