// A widget that shows one sprite animation through a sprite it owns.
#pragma once

#include "gui/widgets/Widget.h"

namespace Corvale
{
class WidgetChildSprite;

class SpriteWidget : public Widget
{
 public:
   SpriteWidget() = default;
   ~SpriteWidget() override;

   void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification) override;
   void InitWithoutSpecification(const char* widgetName, Widget* parentWidget) override;
   void Deinit() override;
   void Update(u32 elapsed) override;
   void Draw() override;
   const char* TypeNameGet() override { return "SpriteWidget"; }
   bool PixelTest(const Point2F& point) override;

   // A null file name means the widget's own (or an ancestor's) sprite resource file.
   virtual void AnimationSet(const char* fileName, const char* animationName);
   virtual void AnimationClear();
   virtual bool ClippingAffectsDrawingGet() { return clippingAffectsDrawing != 0; }
   virtual void ClippingAffectsDrawingSet(bool on) { clippingAffectsDrawing = on ? 1 : 0; }
   virtual WidgetChildSprite* SpriteGet() { return sprite; }

   // The current animation's bounding box, 0|0|0|0 without one.
   Box2F AnimationBoundsGet();

   WidgetChildSprite* sprite = nullptr;
   u8 clippingAffectsDrawing = 1;

 private:
   void SpriteCreate();
};
} // namespace Corvale
