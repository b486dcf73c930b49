// Slides a widget in from a screen edge to its rest position, or out from rest to an edge.
#pragma once

#include "core/ProgressionTrack.h"
#include "gui/transitions/WidgetTransition.h"

namespace Corvale
{
class JSONValue;
class Progression;

enum WidgetTransitionMovement : i32
{
   WIDGET_TRANSITION_FROM_LEFT = 0,
   WIDGET_TRANSITION_FROM_RIGHT = 1,
   WIDGET_TRANSITION_FROM_TOP = 2,
   WIDGET_TRANSITION_FROM_BOTTOM = 3,
   WIDGET_TRANSITION_TO_LEFT = 4,
   WIDGET_TRANSITION_TO_RIGHT = 5,
   WIDGET_TRANSITION_TO_TOP = 6,
   WIDGET_TRANSITION_TO_BOTTOM = 7,
   WIDGET_TRANSITION_MOVEMENT_COUNT = 8
};

class WidgetTransitionTranslate : public WidgetTransition
{
 public:
   explicit WidgetTransitionTranslate(Widget* owner) : WidgetTransition(owner) {}

   // The creation function registered for the eight movement names.
   static WidgetTransition* Create(Widget* widget, const char* typeName, const JSONValue* specification,
                                   i32 heapId);
   // The index of a movement name; an unknown name is logged and gives 0.
   static i32 MovementGet(const char* movementName);

   void Start() override;
   void Update(u32 elapsed) override;
   bool FinishedCheck() override { return track.finished != 0; }
   void Finish() override { track.finished = 1; }
   Point2F PositionOffsetGet() override;
   void Refresh() override;

   i32 movement = 0;
   i32 startDelay = 0;
   i32 duration = 500;
   const Progression* progression = nullptr;
   u8 started = 0;
   Point2F parentPosition;
   Point2F restPosition;
   ProgressionTrack track;
   Point2F fromOffset;
   Point2F toOffset;

 private:
   // The from and to offsets against the present screen box and bounds.
   void OffsetsCompute();
};
} // namespace Corvale
