// Shares sprite resource files by name and hands out their animations with reference counts.
#pragma once

#include "core/Table.h"
#include "core/Types.h"

namespace Corvale
{
class SpriteAnimation;
class SpriteResourceFile;

class SpriteManager
{
 public:
   // The loaded file of exactly that name, or null.
   static SpriteResourceFile* ResourceFileGet(const char* name);
   // One more reference on a loaded file, or a new file; null when it can't be loaded.
   static SpriteResourceFile* ResourceFileLoad(const char* name);
   // Destroys a file whose count fell below 1 and forgets it.
   static void ResourceFileRemove(SpriteResourceFile* file);
   // The animation with a reference held on it and two on its file; null (logged) when missing.
   static SpriteAnimation* AnimationGet(const char* fileName, const char* animationName);
   static void AnimationRelease(SpriteAnimation* animation);
   static bool AnimationExistsCheck(const char* fileName, const char* animationName);
   static void UndoPreload(const char* name);
   // At shutdown: every file goes, whatever its count.
   static void Deinit();

   static Table<SpriteResourceFile*> resourceFiles;

 private:
   // Drops one count of the file, removing it below 1.
   static void ResourceFileReferenceDrop(SpriteResourceFile* file);
};
} // namespace Corvale
