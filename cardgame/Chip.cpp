// A chip's motion: moves and turns eased like a card's, without the flip.
#include "cardgame/Chip.h"

#include <cmath>

#include "cardgame/ChipPile.h"
#include "cardgame/ChipWidget.h"
#include "cardgame/Minigame.h"
#include "core/Memory.h"
#include "core/Progression.h"
#include "core/StringHelpers.h"
#include "core/ProgressionManager.h"
#include "gui/widgets/ContainerWidget.h"
#include "platform/sprite/SpriteManager.h"

namespace Corvale
{
float Chip::angularSpeed = 0.0f;
float Chip::linearSpeed = 0.0f;
u32 Chip::linearMoveDurationMax = 0;

namespace
{
// Milliseconds to cover distance at speed units a second; no speed (or a bad one) is instant.
u32 MotionDurationGet(float distance, float speed, bool capped, u32 cap)
{
   if (!(speed > 0.0f) || !std::isfinite(speed))
   {
      return 0;
   }
   const double milliseconds = static_cast<double>(distance) / speed * 1000.0;
   if (!(milliseconds > 0.0))
   {
      return 0;
   }
   if (capped && milliseconds >= static_cast<double>(cap))
   {
      return cap;
   }
   return milliseconds >= 4294967295.0 ? 0xFFFFFFFFu : static_cast<u32>(milliseconds);
}

// Starts the track over duration with the curve; finished at once for a duration of 0.
void TrackStart(ProgressionTrack* track, u32 duration, const char* curveName)
{
   track->active = 1;
   track->finished = duration == 0 ? 1 : 0;
   track->start = 0;
   track->end = duration;
   track->elapsed = 0;
   track->curve = ProgressionManager::Get(curveName);
}

// Advances a running track; true when it ends now.
bool TrackAdvance(ProgressionTrack* track, u32 elapsed)
{
   if (!track->active || track->finished)
   {
      return false;
   }
   track->elapsed = track->elapsed + elapsed < track->elapsed ? 0xFFFFFFFFu : track->elapsed + elapsed;
   if (track->elapsed >= track->end)
   {
      track->finished = 1;
      return true;
   }
   return false;
}
} // namespace

void Chip::RestackMark()
{
   if (game)
   {
      game->chipsReparentPending = true;
   }
}

void Chip::Update(u32 elapsed)
{
   if (moveTrack.active && !moveTrack.finished)
   {
      if (TrackAdvance(&moveTrack, elapsed))
      {
         RestackMark();
      }
      if (widget)
      {
         widget->PositionSet(PositionGet());
      }
   }
   if (rotationTrack.active && !rotationTrack.finished)
   {
      TrackAdvance(&rotationTrack, elapsed);
      if (widget)
      {
         const float t = rotationTrack.ProgressGet();
         widget->RotationSet(rotationFrom * (1.0f - t) + rotationTo * t);
      }
   }
}

void Chip::PositionSet(const Point2F& target, bool animate)
{
   const Point2F old = position;
   position = target;
   if (!animate)
   {
      moveTrack = ProgressionTrack();
      moveTrack.curve = ProgressionManager::Get("ProgressionLinear");
      RestackMark();
      if (widget)
      {
         widget->PositionSet(PositionGet());
      }
      return;
   }
   const Point2F from = widget ? widget->PositionAbsoluteGet() : old;
   if (from.x == target.x && from.y == target.y)
   {
      return;
   }
   const float dx = target.x - from.x;
   const float dy = target.y - from.y;
   TrackStart(&moveTrack, MotionDurationGet(std::sqrt(dx * dx + dy * dy), linearSpeed, true, linearMoveDurationMax),
              "ProgressionSmoothStop");
   moveTrack.from = from;
   moveTrack.to = target;
   RestackMark();
}

void Chip::RotationSet(float degrees)
{
   const float from = widget ? widget->RotationGet() : rotation;
   rotation = degrees;
   rotationFrom = from;
   rotationTo = degrees;
   TrackStart(&rotationTrack, MotionDurationGet(std::fabs(degrees - from), angularSpeed, false, 0),
              "ProgressionSmooth");
}

void Chip::AnimationsFinish()
{
   if (moveTrack.active && !moveTrack.finished)
   {
      moveTrack.finished = 1;
      if (widget)
      {
         widget->PositionSet(PositionGet());
      }
      RestackMark();
   }
   if (rotationTrack.active && !rotationTrack.finished)
   {
      rotationTrack.finished = 1;
      if (widget)
      {
         widget->RotationSet(rotation);
      }
   }
}

Point2F Chip::PositionGet() const
{
   if (MovingCheck())
   {
      const float t = moveTrack.ProgressGet();
      return Point2F{moveTrack.from.x * (1.0f - t) + moveTrack.to.x * t,
                     moveTrack.from.y * (1.0f - t) + moveTrack.to.y * t};
   }
   return position;
}

void Chip::WidgetCreate()
{
   if (widget || !game)
   {
      return;
   }
   ContainerWidget* container = MovingCheck() ? game->chipContainerTop : game->chipContainerBottom;
   if (!container)
   {
      return;
   }
   ChipWidget* created = MemoryNew<ChipWidget>(HEAP_DEFAULT);
   if (!created)
   {
      return;
   }
   created->InitWithoutSpecification(nullptr, container);
   created->chip = this;
   widget = created;
   container->ChildAddLast(created);
   SpriteUpdate();
   created->PositionSet(PositionGet());
   created->RotationSet(rotation);
}

void Chip::SpriteUpdate()
{
   if (!widget || !game || !pile || !pile->chipStyle || !pile->chipSize)
   {
      return;
   }
   char path[CHIP_PILE_PATH_SIZE];
   char animation[16];
   if (NultSnprintf(path, sizeof(path), "Sprites/Chips/%s/%s", pile->chipStyle, pile->chipSize) &&
       NultSnprintf(animation, sizeof(animation), "%d", denomination) &&
       SpriteManager::AnimationExistsCheck(path, animation))
   {
      widget->AnimationSet(path, animation);
   }
   widget->BoundsSet(widget->AnimationBoundsGet());
}
} // namespace Corvale
