// The joystick's nub: its travel radius, the drag kept on the travel circle and the glide home.
#include "gui/widgets/JoystickNubWidget.h"

#include <algorithm>
#include <cmath>

#include "core/JSONValue.h"
#include "gui/GUIManager.h"
#include "gui/widgets/JoystickWidget.h"
#include "platform/input/MouseState.h"

namespace Corvale
{
void JoystickNubWidget::Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification)
{
   PressButtonWidget::Init(widgetName, parentWidget, specification);
   CanDragSet(true);
   home = PositionGet();
   if (!specification)
   {
      specification = &JSONValue::nullValue;
   }
   specification->FloatGet(&returnSpeed, "ReturnSpeed", 0.0f);
}

float JoystickNubWidget::TravelRadiusGet()
{
   Box2F area = dragAreaInForce ? DragAreaGet() : (parent ? parent->BoundsGet() : Box2F());
   Box2F buffer = DragBufferAreaGet();
   float minX = area.x - buffer.x;
   float maxX = minX + area.width - buffer.width;
   float minY = area.y - buffer.y;
   float maxY = minY + area.height - buffer.height;
   float radius = std::min(std::min(home.x - minX, home.y - minY), std::min(maxX - home.x, maxY - home.y));
   return std::max(0.0f, radius);
}

void JoystickNubWidget::OnDrag()
{
   PressButtonWidget::OnDrag();
   auto* joystick = dynamic_cast<JoystickWidget*>(parent);
   MouseState* pointer = leftPressRecord ? leftPressRecord->mouseState : nullptr;
   if (!joystick || !pointer || !(pointer->frameButtons & MOUSE_BUTTON_LEFT))
   {
      return;
   }
   // Unclamped first, so that the value sees the whole pull; then back onto the circle.
   PositionAbsoluteSet(static_cast<float>(pointer->x) + dragGrabOffset.x,
                       static_cast<float>(pointer->y) + dragGrabOffset.y);
   Point2F v = joystick->ValueGet();
   float radius = TravelRadiusGet();
   PositionSet(Point2F{home.x + v.x * radius, home.y - v.y * radius});
}

void JoystickNubWidget::Update(u32 elapsed)
{
   PressButtonWidget::Update(elapsed);
   Point2F p = PositionGet();
   if (dragging || (p.x == home.x && p.y == home.y))
   {
      return;
   }
   float dx = home.x - p.x;
   float dy = home.y - p.y;
   float distance = std::sqrt(dx * dx + dy * dy);
   Point2F u;
   if (distance != 0.0f)
   {
      u = Point2F{dx / distance, dy / distance};
   }
   float step = TravelRadiusGet() * returnSpeed * (static_cast<float>(elapsed) / 1000.0f);
   // A step that reaches home (within float rounding of whole frames) lands exactly there.
   if (step >= distance - 0.001f)
   {
      PositionSet(home);
      return;
   }
   Point2F q{p.x + u.x * step, p.y + u.y * step};
   // Per axis: a step that passes home stops there, so the nub never overshoots.
   if ((p.x - home.x) * (q.x - home.x) < 0.0f)
   {
      q.x = home.x;
   }
   if ((p.y - home.y) * (q.y - home.y) < 0.0f)
   {
      q.y = home.y;
   }
   PositionSet(q);
}
} // namespace Corvale
