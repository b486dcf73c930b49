// Interpolates a widget's position offset, scale and rotation between given begin and end values.
#pragma once

#include "gui/transitions/WidgetTransition.h"
#include "platform/particle/TimedTransitionLinear2D.h"

namespace Corvale
{
class JSONValue;

class WidgetTransitionLinear : public WidgetTransition
{
 public:
   explicit WidgetTransitionLinear(Widget* owner) : WidgetTransition(owner) {}

   // The creation function registered for "Linear".
   static WidgetTransition* Create(Widget* widget, const char* typeName, const JSONValue* specification,
                                   i32 heapId);

   void Start() override;
   void Update(u32 elapsed) override { timed.Update(elapsed); }
   bool FinishedCheck() override;
   void Finish() override;
   Point2F PositionOffsetGet() override { return timed.PositionGet(); }
   float RotationGet() override { return timed.RotationGet(); }
   Point2F ScaleGet() override { return timed.ScaleGet(); }

   TimedTransitionLinear2D timed;
};
} // namespace Corvale
