// A sprite owned by a widget: placed relative to it, drawn with the widget's colour and clipped to
// the widget's effective clip area.
#pragma once

#include "platform/sprite/Sprite.h"

namespace Corvale
{
class JSONValue;
class Widget;

class WidgetChildSprite : public Sprite
{
 public:
   using Sprite::Init;

   void Draw() override;
   virtual void InitWithAnimation(const char* fileName, const char* animationName, Widget* ownerWidget);
   virtual void InitEmpty(Widget* ownerWidget);
   // Reads "Animation" (from the owner's sprite resource file) and "Position" (absolute) or
   // "PositionOffset" (relative to the owner); spriteName names the sprite for subclasses' messages.
   virtual void Init(const char* spriteName, const JSONValue* specification, Widget* ownerWidget);
   // point is in the owner's space.
   virtual bool PointTest(const Point2F& point);

   // An owned sprite of the owner read from the specification's item under key; null when that
   // item is missing or null.
   static WidgetChildSprite* Create(const char* key, const JSONValue* specification, Widget* ownerWidget);
   // Deinitialises and frees an owned sprite, and clears the pointer; nothing for null.
   static void Destroy(WidgetChildSprite** sprite);

   Widget* owner = nullptr;
};
} // namespace Corvale
