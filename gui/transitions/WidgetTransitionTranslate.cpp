// Screen-edge slides: the off-screen place of each edge follows the GUI's screen box, so a
// started slide is recomputed when the window changes.
#include "gui/transitions/WidgetTransitionTranslate.h"

#include <cstring>

#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/Progression.h"
#include "core/ProgressionManager.h"
#include "gui/GUIManager.h"
#include "gui/widgets/Widget.h"

namespace Corvale
{
namespace
{
const char* const movementNames[WIDGET_TRANSITION_MOVEMENT_COUNT] = {
    "FromLeft", "FromRight", "FromTop", "FromBottom", "ToLeft", "ToRight", "ToTop", "ToBottom"};

bool ToMovementCheck(i32 movement)
{
   return movement >= WIDGET_TRANSITION_TO_LEFT;
}
} // namespace

i32 WidgetTransitionTranslate::MovementGet(const char* movementName)
{
   for (i32 i = 0; movementName && i < WIDGET_TRANSITION_MOVEMENT_COUNT; i++)
   {
      if (std::strcmp(movementName, movementNames[i]) == 0)
      {
         return i;
      }
   }
   WarningPrintf("WidgetTransitionTranslate::MovementGet -- invalid movement type: %s\n",
                 movementName ? movementName : "(null)");
   return 0;
}

WidgetTransition* WidgetTransitionTranslate::Create(Widget* widget, const char* typeName,
                                                    const JSONValue* specification, i32 heapId)
{
   WidgetTransitionTranslate* created = MemoryNew<WidgetTransitionTranslate>(heapId, widget);
   if (!created)
   {
      return nullptr;
   }
   if (!specification)
   {
      specification = &JSONValue::nullValue;
   }
   created->movement = MovementGet(typeName);
   double number;
   specification->DoubleGet(&number, "StartDelay", 0.0);
   created->startDelay = static_cast<i32>(number);
   specification->DoubleGet(&number, "Duration", 500.0);
   created->duration = static_cast<i32>(number);
   const char* curveName = specification->ItemGet("Progression")->StringValueGet();
   if (curveName)
   {
      created->progression = ProgressionManager::Get(curveName);
   }
   else if (ToMovementCheck(created->movement))
   {
      created->progression = &progressionSmoothStart;
   }
   else
   {
      created->progression = &progressionSmoothStop;
   }
   created->remainAfterFinished = ToMovementCheck(created->movement) ? 1 : 0;
   created->started = 0;
   return created;
}

void WidgetTransitionTranslate::OffsetsCompute()
{
   Box2F b = widget ? widget->BoundsGet() : Box2F();
   const Box2F& s = GUIManager::screenArea;
   const Point2F& p = parentPosition;
   Point2F outside = restPosition;
   switch (movement % 4)
   {
   case 0: // left
      outside.x = s.x - (b.width + b.x + p.x);
      break;
   case 1: // right
      outside.x = s.x + s.width - b.x - p.x;
      break;
   case 2: // top
      outside.y = s.y - (b.height + b.y + p.y);
      break;
   default: // bottom
      outside.y = s.y + s.height - p.y - b.y;
      break;
   }
   Point2F from = ToMovementCheck(movement) ? restPosition : outside;
   Point2F to = ToMovementCheck(movement) ? outside : restPosition;
   fromOffset = Point2F{from.x - restPosition.x, from.y - restPosition.y};
   toOffset = Point2F{to.x - restPosition.x, to.y - restPosition.y};
}

void WidgetTransitionTranslate::Start()
{
   started = 1;
   parentPosition = Point2F{0.0f, 0.0f};
   Widget* parent = widget ? widget->ParentGet() : nullptr;
   if (parent)
   {
      parentPosition = parent->PositionAbsoluteGet();
   }
   restPosition = widget ? widget->PositionGet() : Point2F{0.0f, 0.0f};
   OffsetsCompute();
   // Negative times in a layer file count as none.
   u32 delay = startDelay > 0 ? static_cast<u32>(startDelay) : 0u;
   u32 length = duration > 0 ? static_cast<u32>(duration) : 0u;
   track.MotionStart(delay, length, fromOffset, toOffset, progression);
}

void WidgetTransitionTranslate::Update(u32 elapsed)
{
   if (!track.active || track.finished)
   {
      return;
   }
   u32 next = track.elapsed + elapsed;
   track.elapsed = next < track.elapsed ? 0xFFFFFFFFu : next;
   if (track.elapsed >= track.end)
   {
      track.finished = 1;
   }
}

Point2F WidgetTransitionTranslate::PositionOffsetGet()
{
   float t = track.ProgressGet();
   return Point2F{fromOffset.x * (1.0f - t) + toOffset.x * t, fromOffset.y * (1.0f - t) + toOffset.y * t};
}

void WidgetTransitionTranslate::Refresh()
{
   if (started)
   {
      OffsetsCompute();
      track.from = fromOffset;
      track.to = toOffset;
   }
}
} // namespace Corvale
