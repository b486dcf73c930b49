// Button state sprites: the per-state text settings read from JSON and the font each one holds.
#include "gui/widgets/ButtonWidgetChildSprite.h"

#include "core/JSONValue.h"
#include "core/Log.h"
#include "gui/widgets/Widget.h"
#include "platform/sprite/FontManager.h"

namespace Corvale
{
ButtonWidgetChildSprite::~ButtonWidgetChildSprite()
{
   // Only a sprite destroyed without its Deinit still holds its font here.
   FontRelease();
}

void ButtonWidgetChildSprite::FontRelease()
{
   if (fontOwned && font)
   {
      FontManager::Release(font);
   }
   font = nullptr;
   fontOwned = 0;
}

void ButtonWidgetChildSprite::TextSettingsReset()
{
   FontRelease();
   textPositionOffset = Point2F();
   textScale = Point2F{1.0f, 1.0f};
   textScaleGiven = 0;
   textColor = ColorRGBA8{255, 255, 255, 255};
   textColorGiven = 0;
   boundsFilledColor = ColorRGBA8{58, 58, 58, 255};
   boundsFilledColorGiven = 0;
}

void ButtonWidgetChildSprite::Deinit()
{
   FontRelease();
   WidgetChildSprite::Deinit();
}

void ButtonWidgetChildSprite::InitWithAnimation(const char* fileName, const char* animationName,
                                                Widget* ownerWidget)
{
   TextSettingsReset();
   WidgetChildSprite::InitWithAnimation(fileName, animationName, ownerWidget);
}

void ButtonWidgetChildSprite::Init(const char* stateName, const JSONValue* specification, Widget* ownerWidget)
{
   TextSettingsReset();
   WidgetChildSprite::Init(stateName, specification, ownerWidget);
   if (!specification)
   {
      specification = &JSONValue::nullValue;
   }
   const char* typeName = ownerWidget ? ownerWidget->TypeNameGet() : "ButtonWidgetChildSprite";
   const char* widgetName = ownerWidget ? ownerWidget->NameGet() : nullptr;
   auto present = [specification](const char* key)
   {
      JSONValue* item = specification->ItemFind(key);
      return item && item->TypeGet() != JSONValue::TYPE_NULL;
   };

   const Point2F origin{0.0f, 0.0f};
   specification->Point2FGet(&textPositionOffset, "TextPositionOffset", &origin, typeName, widgetName, false);
   const Point2F one{1.0f, 1.0f};
   specification->Point2FGet(&textScale, "TextScale", &one, typeName, widgetName, false);
   textScaleGiven = present("TextScale") ? 1 : 0;
   const ColorRGBA8 white{255, 255, 255, 255};
   specification->ColorRGBA8Get(&textColor, "TextColor", &white, typeName, widgetName, false);
   textColorGiven = present("TextColor") ? 1 : 0;
   const ColorRGBA8 filled{58, 58, 58, 255};
   specification->ColorRGBA8Get(&boundsFilledColor, "BoundsFilledColor", &filled, typeName, widgetName,
                                false);
   boundsFilledColorGiven = present("BoundsFilledColor") ? 1 : 0;

   if (present("Font"))
   {
      const char* fontName = specification->ItemGet("Font")->StringValueGet();
      Font* loaded = fontName ? FontManager::Load(fontName) : nullptr;
      if (loaded)
      {
         font = loaded;
         fontOwned = 1;
      }
      else
      {
         WarningPrintf("%s::Init -- In Widget \"%s\", font \"%s\" not found in button sprite: \"%s\"\n",
                       typeName, widgetName ? widgetName : "", fontName ? fontName : "",
                       stateName ? stateName : "");
      }
   }
}
} // namespace Corvale
