// A drawable that plays sprite animations: a current animation and a queue of the next ones,
// advanced by elapsed time according to the play type, drawn through the matrix stack.
#pragma once

#include "core/Box.h"
#include "core/Color.h"
#include "core/Point.h"
#include "core/Table.h"
#include "core/Types.h"

namespace Corvale
{
class SpriteAnimation;

class Sprite
{
 public:
   virtual ~Sprite() = default;

   virtual void Deinit();
   // Switches to another animation of the current animation's resource file.
   virtual void AnimationSetByName(const char* animationName);
   virtual void Init(const char* fileName, const char* animationName);
   virtual void AnimationRelease();
   virtual void Update(u32 elapsed);
   virtual void Draw();
   virtual bool PausedCheck() { return paused != 0; }
   virtual bool VisibleCheck() { return visible != 0; }
   virtual Point2F PositionGet() { return position; }
   virtual float DepthGet() { return depth; }
   // Takes the animation as current without releasing the previous one.
   virtual void AnimationSet(SpriteAnimation* newAnimation);

   void Reset();
   // Queues an animation after the current one (or plays it at once when there is none).
   void AnimationAdd(const char* fileName, const char* animationName);
   void AnimationsClear();
   void AnimationRemove(const char* fileName, const char* animationName);

   SpriteAnimation* animation = nullptr;
   Point2F position;
   float depth = 0.0f;
   float rotation = 0.0f;
   Point2F scale{1.0f, 1.0f};
   ColorRGBA8 color{255, 255, 255, 255};
   float additive = 0.0f;
   u32 time = 0;
   u8 visible = 1;
   u8 paused = 0;
   u32 playType = 0;
   u8 clipEnabled = 0;
   Box2F clip;
   // Next to play is the last entry; entries may be null for animations that were missing.
   Table<SpriteAnimation*> queue;
};
} // namespace Corvale
