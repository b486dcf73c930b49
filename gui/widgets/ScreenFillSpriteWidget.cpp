// The screen-fill sprite: fitting the animation's box to the screen's fill area in either mode.
#include "gui/widgets/ScreenFillSpriteWidget.h"

#include <cstring>

#include "core/Event.h"
#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "gui/GUIManager.h"
#include "gui/state/FadeManager.h"

namespace Corvale
{
void ScreenFillSpriteWidget::TypeRegister()
{
   GUIManager::WidgetTypeRegister("ScreenFillSprite", &WidgetCreate<ScreenFillSpriteWidget>);
}

ScreenFillSpriteWidget::~ScreenFillSpriteWidget()
{
   // A widget destroyed without its Deinit must not stay registered with a dangling owner.
   if (windowEventsRegistered)
   {
      Event::OwnerUnregister(this);
   }
}

void ScreenFillSpriteWidget::Init(const char* widgetName, Widget* parentWidget,
                                  const JSONValue* specification)
{
   boundsGiven = 0;
   SpriteWidget::Init(widgetName, parentWidget, specification);
   if (!specification)
   {
      specification = &JSONValue::nullValue;
   }
   fillMode = SCREEN_FILL_FULL_KEEP_ASPECT_RATIO;
   const JSONValue* item = specification->ItemFind("FillMode");
   if (item)
   {
      const char* text = item->StringValueGet();
      if (text && std::strcmp(text, "Full") == 0)
      {
         fillMode = SCREEN_FILL_FULL;
      }
      else if (!text || std::strcmp(text, "FullKeepAspectRatio") != 0)
      {
         WarningPrintf("ScreenFillSpriteWidget::Init -- Unrecognized fill mode: %s\n",
                       text ? text : "(null)");
      }
   }
   // The base's own BoundsSet calls (from the animation) do not count as given bounds.
   boundsGiven = specification->Box2FTryGet("Bounds", nullptr) ? 1 : 0;
   if (!windowEventsRegistered)
   {
      // Without a running event system the widget simply stays fitted to the area it met.
      auto* registration =
          EventMethodRegister<ScreenFillSpriteWidget>(this, nullptr, &ScreenFillSpriteWidget::OnWindowChange);
      if (registration && Event::Register("OnWindowChange", registration, this))
      {
         windowEventsRegistered = 1;
      }
      else
      {
         MemoryDelete(registration);
      }
   }
   Refit();
}

void ScreenFillSpriteWidget::Deinit()
{
   if (windowEventsRegistered)
   {
      Event::OwnerUnregister(this);
      windowEventsRegistered = 0;
   }
   SpriteWidget::Deinit();
}

void ScreenFillSpriteWidget::BoundsSet(const Box2F& box)
{
   SpriteWidget::BoundsSet(box);
   boundsGiven = 1;
}

void ScreenFillSpriteWidget::AnimationSet(const char* fileName, const char* animationName)
{
   SpriteWidget::AnimationSet(fileName, animationName);
   Refit();
}

void ScreenFillSpriteWidget::AnimationClear()
{
   SpriteWidget::AnimationClear();
   Refit();
}

void ScreenFillSpriteWidget::Refit()
{
   Box2F a = AnimationBoundsGet();
   Box2F s = ScreenCoverAreaGet();
   if (a.width != 0.0f && a.height != 0.0f && s.width != 0.0f && s.height != 0.0f)
   {
      if (fillMode == SCREEN_FILL_FULL)
      {
         float sx = s.width / a.width;
         float sy = s.height / a.height;
         ScaleSet(sx, sy);
         PositionSet(Point2F{s.x - a.x * sx, s.y - a.y * sy});
      }
      else
      {
         // The larger ratio, so that the area is covered and the overflow falls outside.
         float k = s.width / s.height <= a.width / a.height ? s.height / a.height : s.width / a.width;
         ScaleSet(k, k);
         PositionSet(Point2F{s.width * 0.5f + s.x - (a.width * 0.5f + a.x) * k,
                             s.height * 0.5f + s.y - (a.height * 0.5f + a.y) * k});
      }
   }
   if (boundsGiven)
   {
      return;
   }
   Point2F factor = ScaleGet();
   Point2F at = PositionAbsoluteGet();
   Box2F area;
   if (factor.x != 0.0f && factor.y != 0.0f && s.width != 0.0f && s.height != 0.0f)
   {
      area = Box2F{(s.x - at.x) / factor.x, (s.y - at.y) / factor.y, s.width / factor.x, s.height / factor.y};
   }
   // Straight to the field: automatic bounds are not given bounds.
   bounds = area;
}
} // namespace Corvale
