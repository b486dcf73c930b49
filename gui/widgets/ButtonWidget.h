// The base of every button: a label drawn over one sprite per visual state, with fallbacks for
// states that have no sprite; the subclasses name the states and decide which one is current.
#pragma once

#include "core/Table.h"
#include "gui/widgets/LabelWidget.h"

namespace Corvale
{
class ButtonWidgetChildSprite;

// Pointer states kept by the subclasses.
enum ButtonPointerState : i32
{
   BUTTON_POINTER_UP_OUT = 0,
   BUTTON_POINTER_UP_OVER = 1,
   BUTTON_POINTER_DOWN_OUT = 2,
   BUTTON_POINTER_DOWN_OVER = 3
};

class ButtonWidget : public LabelWidget
{
 public:
   ButtonWidget() = default;
   ~ButtonWidget() override;

   void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification) override;
   void Deinit() override;
   void Update(u32 elapsed) override;
   void Draw() override;
   const char* TypeNameGet() override { return "ButtonWidget"; }
   bool PixelTest(const Point2F& point) override;
   Font* FontGet() override;
   ColorRGBA8 BoundsFilledColorGet() override;
   Box2F TextBoundsGet() override;
   Point2F TextScaleGet() override;
   ColorRGBA8 TextColorGet() override;
   i32 TextAlignmentDefaultGet() override { return TEXT_ALIGNMENT_CENTER; }

   // -1 lets the subclass decide the state again.
   virtual void StateOverrideSet(i32 state) { stateOverride = state; }
   virtual i32 StateOverrideGet() { return stateOverride; }
   virtual i32 StateCountGet() = 0;
   // StateCountGet names; each is also the JSON key of that state's sprite.
   virtual const char* const* StateNamesGet() = 0;
   // One row of StateCountGet - 1 entries per state: the states whose sprite stands in, in order
   // of preference; -1 ends a row early.
   virtual const i32* StateFallbacksGet() = 0;
   virtual i32 StateCurrentGet() = 0;

   // The state whose sprite is shown for the given state; the state itself when no sprite fits.
   i32 StateResolve(i32 state);
   // Plays the named animation of the widget's sprite resource file in that state, making the
   // state's sprite when it has none.
   void StateAnimationSet(i32 state, const char* animationName);
   // The sprite of a state, null for none or out of range.
   ButtonWidgetChildSprite* StateSpriteGet(i32 state);

   i32 stateOverride = -1;
   i32 pointerState = BUTTON_POINTER_UP_OUT;
   // Where the text box is drawn this frame.
   Point2F textOffsetCurrent;
   Point2F textPositionOffset;
   // Indexed by state; null for a state without sprite.
   Table<ButtonWidgetChildSprite*> stateSprites;

 protected:
   // The pointer state from the GUI manager's pointer records and navigators, at the end of a subclass's
   // Update.
   void PointerStateUpdate();

 private:
   // The shown state's sprite while the widget is visible, else null.
   ButtonWidgetChildSprite* ShownSpriteGet();
   void StateSpritesDestroy();
   // Room for every state, each entry null.
   void StateSpritesSize();
};
} // namespace Corvale
