// The joystick: its background, its one nub, and the nub's offset read as a value with a dead zone.
#include "gui/widgets/JoystickWidget.h"

#include <cmath>

#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "gui/GUIManager.h"
#include "gui/widgets/JoystickNubWidget.h"
#include "gui/widgets/WidgetChildSprite.h"
#include "platform/sprite/SpriteAnimation.h"

namespace Corvale
{
void JoystickWidget::TypeRegister()
{
   GUIManager::WidgetTypeRegister("Joystick", &WidgetCreate<JoystickWidget>);
}

JoystickWidget::~JoystickWidget()
{
   // Only a joystick destroyed without its Deinit still owns its background here.
   BackgroundDestroy();
}

void JoystickWidget::BackgroundDestroy()
{
   if (background)
   {
      background->Deinit();
      MemoryDelete(background);
      background = nullptr;
   }
}

void JoystickWidget::Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification)
{
   BackgroundDestroy();
   nub = nullptr;
   deadZone = 0.0f;
   ContainerWidget::Init(widgetName, parentWidget, specification);
   if (!specification)
   {
      specification = &JSONValue::nullValue;
   }
   const JSONValue* item = specification->ItemGet("BackgroundSprite");
   if (item->TypeGet() != JSONValue::TYPE_NULL)
   {
      background = MemoryNew<WidgetChildSprite>(HEAP_DEFAULT);
      if (background)
      {
         background->Init("BackgroundSprite", item, this);
      }
      else
      {
         WarningPrintf("JoystickWidget::Init -- unable to allocate \"BackgroundSprite\"\n");
      }
   }

   ChildrenCapacitySet(children.count + 1);
   item = specification->ItemGet("Nub");
   if (item->TypeGet() == JSONValue::TYPE_OBJECT)
   {
      nub = MemoryNew<JoystickNubWidget>(HEAP_DEFAULT);
      if (nub)
      {
         nub->Init("Nub", this, item);
         ChildAddLast(nub);
      }
      else
      {
         WarningPrintf("JoystickWidget::Init -- unable to allocate \"Nub\"\n");
      }
   }

   if (!specification->Box2FTryGet("Bounds", nullptr) && background && background->animation)
   {
      Box2F box = background->animation->BoundsGet();
      Point2F at = background->PositionGet();
      BoundsSet(Box2F{box.x + at.x, box.y + at.y, box.width, box.height});
   }
   float zone;
   specification->FloatGet(&zone, "DeadZone", 0.0f);
   DeadZoneSet(zone);
}

void JoystickWidget::Deinit()
{
   BackgroundDestroy();
   nub = nullptr;
   ContainerWidget::Deinit();
}

void JoystickWidget::DeadZoneSet(float value)
{
   // Written so that NaN ends at 0 too.
   deadZone = value > 1.0f ? 1.0f : (value >= 0.0f ? value : 0.0f);
}

void JoystickWidget::Update(u32 elapsed)
{
   if (background)
   {
      background->Update(elapsed);
   }
   ContainerWidget::Update(elapsed);
}

void JoystickWidget::Draw()
{
   if (!VisibleCheck())
   {
      return;
   }
   // The widget's own bounds drawing, the background, then the nub over it.
   Widget::Draw();
   if (background)
   {
      background->Draw();
   }
   ChildrenDraw();
}

bool JoystickWidget::PixelTest(const Point2F& point)
{
   return BackdropPixelTest(background, point);
}

Point2F JoystickWidget::ValueGet()
{
   float radius = nub ? nub->TravelRadiusGet() : 0.0f;
   if (!nub || !(radius > 0.0f))
   {
      return Point2F();
   }
   Point2F at = nub->PositionGet();
   Point2F home = nub->HomePositionGet();
   Point2F d{at.x - home.x, at.y - home.y};
   float length = std::sqrt(d.x * d.x + d.y * d.y);
   float divisor = length >= radius ? length : radius;
   Point2F v{d.x / divisor, -d.y / divisor};
   float m = std::sqrt(v.x * v.x + v.y * v.y);
   if (m <= deadZone)
   {
      return Point2F();
   }
   if (deadZone < 1.0f)
   {
      float factor = ((m - deadZone) / (1.0f - deadZone)) / m;
      v.x *= factor;
      v.y *= factor;
   }
   return v;
}
} // namespace Corvale
