// One parsed sprite resource file: a JSON document of named animations, each created on first
// request and shared with a reference count.
#pragma once

#include "core/Map.h"
#include "core/Types.h"

namespace Corvale
{
class JSONValue;
class SpriteAnimation;

class SpriteResourceFile
{
 public:
   typedef Map<const char*, SpriteAnimation*> AnimationMap;

   virtual ~SpriteResourceFile() = default;

   // Loads "<name>.json" along the graphics paths; false (and a log line) when it can't.
   bool Init(const char* fileName);
   void Deinit();

   // The animation with one more reference on it and on this file; null when the document
   // has no such member.
   SpriteAnimation* AnimationGet(const char* animationName);
   // The animation if somebody holds it already; takes no reference.
   SpriteAnimation* AnimationLoadedGet(const char* animationName);
   // Drops one reference of the animation and one of this file.
   void AnimationRelease(SpriteAnimation* animation);
   // Every animation of the document held once more, each with two counts on this file.
   void Preload();
   void UndoPreload();

   i32 referenceCount = 0;
   char* name = nullptr;
   JSONValue* document = nullptr;
   AnimationMap animations;

 private:
   void AnimationDestroy(AnimationMap::Node* node);
};
} // namespace Corvale
