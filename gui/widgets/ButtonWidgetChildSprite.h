// The sprite of one button state, with the text placement, scale, colours and font that the
// button uses while that state is shown.
#pragma once

#include "gui/widgets/WidgetChildSprite.h"

namespace Corvale
{
class Font;

class ButtonWidgetChildSprite : public WidgetChildSprite
{
 public:
   using WidgetChildSprite::Init;

   ButtonWidgetChildSprite() = default;
   ~ButtonWidgetChildSprite() override;

   void Deinit() override;
   // A plain animation: every text setting back to its default.
   void InitWithAnimation(const char* fileName, const char* animationName, Widget* ownerWidget) override;
   // Reads the base keys, then "TextPositionOffset", "TextScale", "TextColor", "BoundsFilledColor"
   // and "Font"; stateName names the state in messages.
   void Init(const char* stateName, const JSONValue* specification, Widget* ownerWidget) override;
   virtual void TextPositionOffsetSet(const Point2F& offset) { textPositionOffset = offset; }
   virtual Point2F TextPositionOffsetGet() { return textPositionOffset; }

   Point2F textPositionOffset;
   Point2F textScale{1.0f, 1.0f};
   u8 textScaleGiven = 0;
   ColorRGBA8 textColor{255, 255, 255, 255};
   u8 textColorGiven = 0;
   ColorRGBA8 boundsFilledColor{58, 58, 58, 255};
   u8 boundsFilledColorGiven = 0;
   u8 fontOwned = 0;
   Font* font = nullptr;

 private:
   void TextSettingsReset();
   void FontRelease();
};
} // namespace Corvale
