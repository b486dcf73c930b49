// One betting chip: its denomination, where it rests in its pile and its move and turn there.
#pragma once

#include "core/Point.h"
#include "core/ProgressionTrack.h"
#include "core/Types.h"

namespace Corvale
{
class ChipPile;
class ChipWidget;
class Minigame;

class Chip
{
 public:
   // Advances the move and the turn; a finished move asks the game to re-stack its chip widgets.
   void Update(u32 elapsed);
   void PositionSet(const Point2F& target, bool animate);
   // Always animated.
   void RotationSet(float degrees);
   void AnimationsFinish();
   // Along a running move, else the target.
   Point2F PositionGet() const;
   bool MovingCheck() const { return moveTrack.active && !moveTrack.finished; }
   void WidgetCreate();
   void SpriteUpdate();

   // Process-wide motion constants, read once at start-up.
   static float angularSpeed;
   static float linearSpeed;
   static u32 linearMoveDurationMax;

   i32 denomination = 1;
   Point2F position;
   Point2F randomOffset;
   float rotation = 0.0f;
   ChipWidget* widget = nullptr;
   ChipPile* pile = nullptr;
   Minigame* game = nullptr;
   ProgressionTrack moveTrack;
   ProgressionTrack rotationTrack;
   float rotationFrom = 0.0f;
   float rotationTo = 0.0f;

 private:
   void RestackMark();
};
} // namespace Corvale
