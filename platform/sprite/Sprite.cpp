// Sprite playback: queue handling, time advance by play type, and drawing with position,
// rotation and scale.
#include "platform/sprite/Sprite.h"

#include <cmath>
#include <cstring>

#include "core/StringHelpers.h"
#include "platform/window/Screen.h"
#include "platform/sprite/SpriteAnimation.h"
#include "platform/sprite/SpriteManager.h"
#include "platform/sprite/SpriteResourceFile.h"

namespace Corvale
{
void Sprite::Deinit()
{
   AnimationRelease();
   AnimationsClear();
   queue = Table<SpriteAnimation*>();
}

void Sprite::AnimationSetByName(const char* animationName)
{
   if (!animation || !animation->resourceFile || !animation->resourceFile->name)
   {
      return;
   }
   // Init releases the animation that owns the name, so the name is copied first.
   char fileName[261];
   if (!NultStrncpy(fileName, animation->resourceFile->name, sizeof(fileName)))
   {
      return;
   }
   Init(fileName, animationName);
}

void Sprite::Init(const char* fileName, const char* animationName)
{
   AnimationRelease();
   AnimationsClear();
   if (fileName && animationName)
   {
      AnimationSet(SpriteManager::AnimationGet(fileName, animationName));
   }
}

void Sprite::AnimationRelease()
{
   if (!animation)
   {
      return;
   }
   SpriteManager::AnimationRelease(animation);
   animation = nullptr;
}

void Sprite::AnimationSet(SpriteAnimation* newAnimation)
{
   animation = newAnimation;
   if (newAnimation)
   {
      playType = newAnimation->playType;
   }
   time = 0;
}

void Sprite::Reset()
{
   position = Point2F();
   depth = 0.0f;
   rotation = 0.0f;
   scale = Point2F{1.0f, 1.0f};
   color = ColorRGBA8{255, 255, 255, 255};
   additive = 0.0f;
   time = 0;
   visible = 1;
   paused = 0;
   playType = SPRITE_PLAY_LOOP;
   clipEnabled = 0;
   clip = Box2F();
   if (queue.capacity < 2)
   {
      queue.Reserve(2);
   }
}

void Sprite::AnimationAdd(const char* fileName, const char* animationName)
{
   if (!animation)
   {
      Init(fileName, animationName);
      return;
   }
   queue.Insert(SpriteManager::AnimationGet(fileName, animationName), 0);
}

void Sprite::AnimationsClear()
{
   for (i32 i = 0; i < queue.count; ++i)
   {
      SpriteManager::AnimationRelease(queue[i]);
   }
   queue.SizeSet(0);
}

void Sprite::AnimationRemove(const char* fileName, const char* animationName)
{
   if (!fileName || !animationName)
   {
      return;
   }
   for (i32 i = queue.count - 1; i >= 0; --i)
   {
      SpriteAnimation* entry = queue[i];
      if (!entry || !entry->name || !entry->resourceFile || !entry->resourceFile->name ||
          std::strcmp(entry->name, animationName) != 0 ||
          std::strcmp(entry->resourceFile->name, fileName) != 0)
      {
         continue;
      }
      for (i32 j = i; j < queue.count - 1; ++j)
      {
         queue[j] = queue[j + 1];
      }
      queue.SizeSet(queue.count - 1);
      SpriteManager::AnimationRelease(entry);
   }
}

void Sprite::Update(u32 elapsed)
{
   if (!animation || PausedCheck())
   {
      return;
   }
   u32 length = animation->duration ? animation->duration : 1;
   u32 t = time + elapsed;
   bool ended;
   switch (playType)
   {
   case SPRITE_PLAY_ONE_SHOT:
      ended = length <= t;
      time = t < length ? t : length;
      break;
   case SPRITE_PLAY_PING_PONG_LOOP:
      ended = 2 * length <= t;
      time = t % (2 * length);
      break;
   default:
      ended = length <= t;
      time = t % length;
      break;
   }
   if (ended && queue.count > 0)
   {
      AnimationRelease();
      SpriteAnimation* next = queue[queue.count - 1];
      queue.SizeSet(queue.count - 1);
      AnimationSet(next);
   }
}

void Sprite::Draw()
{
   if (!VisibleCheck() || !animation)
   {
      return;
   }
   screen.MatrixPush();
   Point2F at = PositionGet();
   screen.MatrixTranslate(at.x, at.y);
   if (rotation != 0.0f)
   {
      float half = rotation * 0.5f * 0.0174532924f;
      // About the z axis by -rotation degrees: scalar part first, then x, y, z.
      const float quaternion[4] = {std::cos(half), 0.0f, 0.0f, -std::sin(half)};
      screen.MatrixRotate(quaternion);
   }
   if (scale.x != 1.0f || scale.y != 1.0f)
   {
      screen.MatrixScale(scale.x, scale.y);
   }
   // A clipped draw places the clip box's corner at the given point; handing over the corner
   // keeps the visible part where the whole frame would have drawn it.
   if (clipEnabled)
   {
      animation->Draw(time, &clip, color, DepthGet(), additive, clip.x, clip.y);
   }
   else
   {
      animation->Draw(time, nullptr, color, DepthGet(), additive, 0.0f, 0.0f);
   }
   screen.MatrixPop();
}
} // namespace Corvale
