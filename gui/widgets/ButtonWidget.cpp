// Buttons: state sprites read from JSON, fallbacks between states, bounds made from sprites and
// text, the shown state's overrides of the label's font, scale and colours, and the pointer state.
#include "gui/widgets/ButtonWidget.h"

#include <cstdio>

#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "gui/widgets/ButtonWidgetChildSprite.h"
#include "gui/GUIManager.h"
#include "platform/input/MouseState.h"
#include "platform/sprite/SpriteAnimation.h"

namespace Corvale
{
namespace
{
// A member that is a string reading as "x|y"; anything else leaves out alone.
bool PointRead(const JSONValue* specification, const char* key, Point2F* out)
{
   const char* value = specification->ItemGet(key)->StringValueGet();
   Point2F point;
   if (!value || std::sscanf(value, "%g|%g", &point.x, &point.y) != 2)
   {
      return false;
   }
   *out = point;
   return true;
}
} // namespace

ButtonWidget::~ButtonWidget()
{
   StateSpritesDestroy();
}

void ButtonWidget::StateSpritesDestroy()
{
   for (i32 i = 0; i < stateSprites.count; i++)
   {
      if (stateSprites[i])
      {
         stateSprites[i]->Deinit();
         MemoryDelete(stateSprites[i]);
         stateSprites[i] = nullptr;
      }
   }
   stateSprites = Table<ButtonWidgetChildSprite*>();
}

void ButtonWidget::StateSpritesSize()
{
   i32 count = StateCountGet();
   i32 old = stateSprites.count;
   if (count <= old || !stateSprites.SizeSet(count))
   {
      return;
   }
   // The table leaves new pointer entries unset.
   for (i32 i = old; i < count; i++)
   {
      stateSprites[i] = nullptr;
   }
}

void ButtonWidget::Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification)
{
   stateOverride = -1;
   pointerState = BUTTON_POINTER_UP_OUT;
   StateSpritesDestroy();
   LabelWidget::Init(widgetName, parentWidget, specification);
   if (!specification)
   {
      specification = &JSONValue::nullValue;
   }

   textPositionOffset = Point2F();
   PointRead(specification, "TextPositionOffset", &textPositionOffset);
   textOffsetCurrent = textPositionOffset;

   StateSpritesSize();
   const char* const* names = StateNamesGet();
   for (i32 state = 0; state < stateSprites.count; state++)
   {
      const JSONValue* item = specification->ItemGet(names[state]);
      bool animationOnly = item->TypeGet() == JSONValue::TYPE_STRING;
      if (!animationOnly && item->TypeGet() != JSONValue::TYPE_OBJECT)
      {
         continue;
      }
      ButtonWidgetChildSprite* sprite = MemoryNew<ButtonWidgetChildSprite>(HEAP_DEFAULT);
      if (!sprite)
      {
         WarningPrintf("ButtonWidget::Init -- unable to allocate the sprite of state \"%s\"\n", names[state]);
         continue;
      }
      if (animationOnly)
      {
         sprite->InitWithAnimation(SpriteResourceFilenameGet(), item->StringValueGet(), this);
         sprite->TextPositionOffsetSet(textPositionOffset);
      }
      else
      {
         sprite->Init(names[state], item, this);
         Point2F own;
         if (!PointRead(item, "TextPositionOffset", &own))
         {
            sprite->TextPositionOffsetSet(textPositionOffset);
         }
      }
      stateSprites[state] = sprite;
   }

   if (specification->Box2FTryGet("Bounds", nullptr))
   {
      return;
   }
   // Without given bounds the button covers every state's picture and text box.
   Box2F total;
   bool first = true;
   for (i32 state = 0; state < stateSprites.count; state++)
   {
      ButtonWidgetChildSprite* sprite = stateSprites[state];
      if (!sprite || !sprite->animation)
      {
         continue;
      }
      Box2F box = sprite->animation->BoundsGet();
      Point2F at = sprite->PositionGet();
      box.x += at.x;
      box.y += at.y;
      BoxUnionAdd(&total, box, first);
      first = false;
   }
   if (!first)
   {
      BoundsSet(total);
   }
   for (i32 state = 0; state < stateSprites.count; state++)
   {
      ButtonWidgetChildSprite* sprite = stateSprites[state];
      if (!sprite)
      {
         continue;
      }
      Box2F box = TextBoundsGet();
      Point2F offset = sprite->TextPositionOffsetGet();
      box.x += offset.x;
      box.y += offset.y;
      BoxUnionAdd(&total, box, first);
      first = false;
   }
   if (!first)
   {
      // BoundsSet also renews the bounce when it is on.
      BoundsSet(total);
   }
}

void ButtonWidget::Deinit()
{
   StateSpritesDestroy();
   LabelWidget::Deinit();
}

void ButtonWidget::Update(u32 elapsed)
{
   LabelWidget::Update(elapsed);
   // Every state animates, so that a state shown later is in step with the others.
   for (i32 i = 0; i < stateSprites.count; i++)
   {
      if (stateSprites[i])
      {
         stateSprites[i]->Update(elapsed);
      }
   }
}

ButtonWidgetChildSprite* ButtonWidget::StateSpriteGet(i32 state)
{
   return state >= 0 && state < stateSprites.count ? stateSprites[state] : nullptr;
}

i32 ButtonWidget::StateResolve(i32 state)
{
   if (StateSpriteGet(state))
   {
      return state;
   }
   i32 count = StateCountGet();
   const i32* fallbacks = StateFallbacksGet();
   if (state < 0 || state >= count || !fallbacks || count < 2)
   {
      return state;
   }
   const i32* row = fallbacks + state * (count - 1);
   for (i32 i = 0; i < count - 1 && row[i] != -1; i++)
   {
      if (StateSpriteGet(row[i]))
      {
         return row[i];
      }
   }
   return state;
}

void ButtonWidget::StateAnimationSet(i32 state, const char* animationName)
{
   if (state < 0 || state >= StateCountGet())
   {
      return;
   }
   StateSpritesSize();
   if (state >= stateSprites.count)
   {
      return;
   }
   ButtonWidgetChildSprite* sprite = stateSprites[state];
   if (sprite && sprite->animation)
   {
      sprite->AnimationSetByName(animationName);
      return;
   }
   if (sprite)
   {
      sprite->Sprite::Init(SpriteResourceFilenameGet(), animationName);
      return;
   }
   sprite = MemoryNew<ButtonWidgetChildSprite>(HEAP_DEFAULT);
   if (!sprite)
   {
      WarningPrintf("ButtonWidget::StateAnimationSet -- unable to allocate the sprite of state %d\n", state);
      return;
   }
   sprite->InitWithAnimation(SpriteResourceFilenameGet(), animationName, this);
   sprite->TextPositionOffsetSet(textPositionOffset);
   stateSprites[state] = sprite;
}

ButtonWidgetChildSprite* ButtonWidget::ShownSpriteGet()
{
   if (!VisibleCheck())
   {
      return nullptr;
   }
   return StateSpriteGet(StateResolve(StateCurrentGet()));
}

void ButtonWidget::Draw()
{
   if (!VisibleCheck())
   {
      return;
   }
   ButtonWidgetChildSprite* sprite = StateSpriteGet(StateResolve(StateCurrentGet()));
   if (sprite)
   {
      sprite->Draw();
      textOffsetCurrent = sprite->TextPositionOffsetGet();
   }
   else
   {
      textOffsetCurrent = textPositionOffset;
   }
   LabelWidget::Draw();
}

bool ButtonWidget::PixelTest(const Point2F& point)
{
   ButtonWidgetChildSprite* sprite = ShownSpriteGet();
   return sprite && sprite->PointTest(point);
}

Font* ButtonWidget::FontGet()
{
   ButtonWidgetChildSprite* sprite = ShownSpriteGet();
   if (sprite && sprite->font)
   {
      return sprite->font;
   }
   return Widget::FontGet();
}

ColorRGBA8 ButtonWidget::BoundsFilledColorGet()
{
   ButtonWidgetChildSprite* sprite = ShownSpriteGet();
   if (sprite && sprite->boundsFilledColorGiven)
   {
      return sprite->boundsFilledColor;
   }
   return Widget::BoundsFilledColorGet();
}

Box2F ButtonWidget::TextBoundsGet()
{
   Box2F box = LabelWidget::TextBoundsGet();
   box.x += textOffsetCurrent.x;
   box.y += textOffsetCurrent.y;
   return box;
}

Point2F ButtonWidget::TextScaleGet()
{
   ButtonWidgetChildSprite* sprite = ShownSpriteGet();
   if (sprite && sprite->textScaleGiven)
   {
      return sprite->textScale;
   }
   return LabelWidget::TextScaleGet();
}

ColorRGBA8 ButtonWidget::TextColorGet()
{
   ButtonWidgetChildSprite* sprite = ShownSpriteGet();
   if (sprite && sprite->textColorGiven)
   {
      return sprite->textColor;
   }
   return LabelWidget::TextColorGet();
}

void ButtonWidget::PointerStateUpdate()
{
   if (!InputAcceptableCheck())
   {
      pointerState = BUTTON_POINTER_UP_OUT;
      return;
   }
   bool pressedHere = false;
   bool pressedOver = false;
   bool hovered = false;
   for (i32 i = 0; i < GUIManager::pointerRecords.count; i++)
   {
      const PointerRecord& record = GUIManager::pointerRecords[i];
      const MouseState* pointer = record.mouseState;
      if (!pointer || !pointer->present)
      {
         continue;
      }
      if ((pointer->frameButtons & MOUSE_BUTTON_LEFT) && record.pressed == this)
      {
         pressedHere = true;
         if (record.hovered == this)
         {
            pressedOver = true;
         }
      }
      // A resting finger is no hover: touch shows a button as over only while it presses.
      if (record.hovered == this && !pointer->touchActive)
      {
         hovered = true;
      }
   }
   bool navigatorPressed = false;
   bool navigatorPressedSelected = false;
   bool navigatorSelected = false;
   for (i32 i = 0; i < GUIManager::navigators.count; i++)
   {
      Navigator* navigator = GUIManager::navigators[i];
      if (!navigator)
      {
         continue;
      }
      // The last entry of the selection list is the selected widget.
      Widget* selected =
          navigator->selection.count > 0 ? navigator->selection.End()->previous->value : nullptr;
      if (navigator->activateDown && navigator->pressed == this)
      {
         navigatorPressed = true;
         if (selected == this)
         {
            navigatorPressedSelected = true;
         }
      }
      if (selected == this)
      {
         navigatorSelected = true;
      }
   }
   if (pressedOver || navigatorPressedSelected)
   {
      pointerState = BUTTON_POINTER_DOWN_OVER;
   }
   else if (pressedHere || navigatorPressed)
   {
      pointerState = BUTTON_POINTER_DOWN_OUT;
   }
   else if (hovered || navigatorSelected)
   {
      pointerState = BUTTON_POINTER_UP_OVER;
   }
   else
   {
      pointerState = BUTTON_POINTER_UP_OUT;
   }
}
} // namespace Corvale
