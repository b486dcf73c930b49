// The background music: whenever the music source falls idle, a song is drawn at random from the
// constants' "Songs" (only unlocked ones when "SongsUnlockable" is set) and started.
#pragma once

#include "core/Types.h"

namespace Corvale
{
class JSONValue;

class MusicPlaylist
{
 public:
   virtual ~MusicPlaylist() = default;

   // Once a frame. Draws from the shared random generator only when the music is idle and some
   // songs are listed.
   void Update(const JSONValue* constants);

   // Whether no song streams on the music source.
   virtual bool IdleCheck();
   // Whether the stream file (with its ".snd") exists in the resource tree.
   virtual bool StreamExistsCheck(const char* streamPath);
   // Starts the song at path (without ".snd") on the music source.
   virtual void Play(const char* path);
   // Whether the current profile has unlocked the song.
   virtual bool SongUnlockedCheck(const char* name);
};

extern MusicPlaylist musicPlaylist;
} // namespace Corvale
