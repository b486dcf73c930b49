// A timed change of how one widget is placed: an offset from its rest position, a rotation and a
// scale. Widgets hold theirs by name and make one current at a time.
#pragma once

#include "core/Point.h"
#include "core/Types.h"

namespace Corvale
{
class Widget;

class WidgetTransition
{
 public:
   explicit WidgetTransition(Widget* owner) : widget(owner) {}
   virtual ~WidgetTransition() = default;
   // Runs before destruction; nothing to release here.
   virtual void Deinit() {}
   // Starts or restarts from the beginning.
   virtual void Start() {}
   virtual void Update(u32 elapsed) { (void)elapsed; }
   virtual bool FinishedCheck() { return true; }
   // Jumps to the end.
   virtual void Finish() {}
   // Added to the widget's position.
   virtual Point2F PositionOffsetGet() { return Point2F{0.0f, 0.0f}; }
   // Added to the widget's rotation.
   virtual float RotationGet() { return 0.0f; }
   // Multiplies the widget's scale.
   virtual Point2F ScaleGet() { return Point2F{1.0f, 1.0f}; }
   // True: the finished transition stays current, so its end state keeps applying.
   virtual bool RemainAfterFinishedCheck() { return remainAfterFinished != 0; }
   // Recomputes what depends on the layout or the screen box.
   virtual void Refresh() {}

   Widget* widget;
   u8 remainAfterFinished = 0;
};
} // namespace Corvale
