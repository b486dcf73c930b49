// The sprite widget: its sprite is made by either Init, sized from the animation unless "Bounds"
// says otherwise, and hit per pixel where the widget asks for it.
#include "gui/widgets/SpriteWidget.h"

#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "gui/widgets/WidgetChildSprite.h"
#include "platform/sprite/SpriteAnimation.h"

namespace Corvale
{
SpriteWidget::~SpriteWidget()
{
   // Only a widget destroyed without its Deinit still owns a sprite here.
   if (sprite)
   {
      sprite->Deinit();
      MemoryDelete(sprite);
      sprite = nullptr;
   }
}

void SpriteWidget::SpriteCreate()
{
   if (sprite)
   {
      sprite->Deinit();
      MemoryDelete(sprite);
   }
   sprite = MemoryNew<WidgetChildSprite>(HEAP_DEFAULT);
   if (!sprite)
   {
      WarningPrintf("SpriteWidget::SpriteCreate -- unable to allocate the sprite of \"%s\"\n",
                    name ? name : "");
      return;
   }
   sprite->InitEmpty(this);
}

void SpriteWidget::InitWithoutSpecification(const char* widgetName, Widget* parentWidget)
{
   Widget::InitWithoutSpecification(widgetName, parentWidget);
   SpriteCreate();
   clippingAffectsDrawing = 1;
}

void SpriteWidget::Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification)
{
   Widget::Init(widgetName, parentWidget, specification);
   SpriteCreate();
   if (!specification)
   {
      specification = &JSONValue::nullValue;
   }
   const char* animationName = specification->ItemGet("Animation")->StringValueGet();
   if (animationName && sprite)
   {
      sprite->Sprite::Init(SpriteResourceFilenameGet(), animationName);
      if (!specification->Box2FTryGet("Bounds", nullptr) && sprite->animation)
      {
         Box2F box = sprite->animation->BoundsGet();
         Point2F at = sprite->PositionGet();
         BoundsSet(Box2F{at.x + box.x, at.y + box.y, box.width, box.height});
      }
   }
   bool flag;
   specification->BoolGet(&flag, "ClippingAffectsDrawing", true);
   ClippingAffectsDrawingSet(flag);
}

void SpriteWidget::Deinit()
{
   if (sprite)
   {
      sprite->Deinit();
      MemoryDelete(sprite);
      sprite = nullptr;
   }
   Widget::Deinit();
}

void SpriteWidget::Update(u32 elapsed)
{
   Widget::Update(elapsed);
   if (sprite)
   {
      sprite->Update(elapsed);
   }
}

void SpriteWidget::Draw()
{
   if (!VisibleCheck())
   {
      return;
   }
   Widget::Draw();
   if (sprite)
   {
      sprite->Draw();
   }
}

bool SpriteWidget::PixelTest(const Point2F& point)
{
   return VisibleCheck() && sprite && sprite->PointTest(point);
}

void SpriteWidget::AnimationSet(const char* fileName, const char* animationName)
{
   if (!sprite)
   {
      return;
   }
   sprite->Sprite::Init(fileName ? fileName : SpriteResourceFilenameGet(), animationName);
}

void SpriteWidget::AnimationClear()
{
   if (sprite)
   {
      sprite->AnimationRelease();
   }
}

Box2F SpriteWidget::AnimationBoundsGet()
{
   if (!sprite || !sprite->animation)
   {
      return Box2F();
   }
   return sprite->animation->BoundsGet();
}
} // namespace Corvale
