// Widget-owned sprites: placement from JSON, clipped drawing with the owner's colour, point tests.
#include "gui/widgets/WidgetChildSprite.h"

#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "gui/widgets/SpriteWidget.h"
#include "gui/widgets/Widget.h"
#include "platform/window/Screen.h"
#include "platform/sprite/SpriteAnimation.h"

namespace Corvale
{
void WidgetChildSprite::Draw()
{
   if (!animation || !VisibleCheck() || !owner)
   {
      return;
   }
   bool clipping = true;
   SpriteWidget* spriteWidget = dynamic_cast<SpriteWidget*>(owner);
   if (spriteWidget)
   {
      clipping = spriteWidget->ClippingAffectsDrawingGet();
   }
   Point2F at = PositionGet();
   ColorRGBA8 tint = owner->ColorGet();
   if (!clipping)
   {
      animation->Draw(time, nullptr, tint, 0.0f, 0.0f, at.x, at.y);
      return;
   }
   Box2F clipBox = owner->ClipAreaEffectiveGet(false);
   clipBox.x -= at.x;
   clipBox.y -= at.y;
   screen.MatrixPush();
   screen.MatrixTranslate(at.x, at.y);
   animation->Draw(time, &clipBox, tint, 0.0f, 0.0f, clipBox.x, clipBox.y);
   screen.MatrixPop();
}

void WidgetChildSprite::InitWithAnimation(const char* fileName, const char* animationName,
                                          Widget* ownerWidget)
{
   owner = ownerWidget;
   Reset();
   Sprite::Init(fileName, animationName);
   position = Point2F{0.0f, 0.0f};
}

void WidgetChildSprite::InitEmpty(Widget* ownerWidget)
{
   owner = ownerWidget;
   Reset();
   position = Point2F{0.0f, 0.0f};
}

void WidgetChildSprite::Init(const char* spriteName, const JSONValue* specification, Widget* ownerWidget)
{
   (void)spriteName;
   if (!specification)
   {
      specification = &JSONValue::nullValue;
   }
   const char* animationName = specification->ItemGet("Animation")->StringValueGet();
   const char* fileName = ownerWidget ? ownerWidget->SpriteResourceFilenameGet() : nullptr;
   owner = ownerWidget;
   Reset();
   Sprite::Init(fileName, animationName);
   position = Point2F{0.0f, 0.0f};

   const char* context = ownerWidget ? ownerWidget->TypeNameGet() : "WidgetChildSprite";
   const char* itemName = ownerWidget ? ownerWidget->NameGet() : nullptr;
   const Point2F origin{0.0f, 0.0f};
   JSONValue* absolute = specification->ItemFind("Position");
   if (absolute && absolute->TypeGet() != JSONValue::TYPE_NULL)
   {
      Point2F point;
      specification->Point2FGet(&point, "Position", &origin, context, itemName, false);
      Point2F ownerAt = ownerWidget ? ownerWidget->PositionAbsoluteGet() : origin;
      position = Point2F{point.x - ownerAt.x, point.y - ownerAt.y};
   }
   else
   {
      specification->Point2FGet(&position, "PositionOffset", &origin, context, itemName, false);
   }
}

bool WidgetChildSprite::PointTest(const Point2F& point)
{
   if (!animation || !VisibleCheck() || !owner)
   {
      return false;
   }
   Point2F at = PositionGet();
   return animation->PointTest(Point2F{point.x - at.x, point.y - at.y});
}

WidgetChildSprite* WidgetChildSprite::Create(const char* key, const JSONValue* specification,
                                             Widget* ownerWidget)
{
   const JSONValue* item = specification ? specification->ItemGet(key) : &JSONValue::nullValue;
   if (item->TypeGet() == JSONValue::TYPE_NULL)
   {
      return nullptr;
   }
   WidgetChildSprite* sprite = MemoryNew<WidgetChildSprite>(HEAP_DEFAULT);
   if (!sprite)
   {
      WarningPrintf("WidgetChildSprite::Create -- unable to allocate \"%s\"\n", key);
      return nullptr;
   }
   sprite->Init(key, item, ownerWidget);
   return sprite;
}

void WidgetChildSprite::Destroy(WidgetChildSprite** sprite)
{
   if (!sprite || !*sprite)
   {
      return;
   }
   (*sprite)->Deinit();
   MemoryDelete(*sprite);
   *sprite = nullptr;
}
} // namespace Corvale
