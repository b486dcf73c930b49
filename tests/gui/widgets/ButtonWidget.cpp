// Buttons: state sprites and their fallbacks, the current state of press and toggle buttons, the
// pointer state, per-state text settings, bounds, clicks and callbacks, and the "On" key.
#include "gui/widgets/ButtonWidget.h"

#include "tests/gui/LabelTestSupport.h"
#include "gui/widgets/ButtonWidgetChildSprite.h"
#include "gui/widgets/PressButtonWidget.h"
#include "gui/widgets/ToggleButtonWidget.h"

using namespace WidgetTest;
using LabelTest::FakeSpriteFile;
using LabelTest::FixedFont;

namespace
{
class ButtonWidgetTest : public GUITest
{
 protected:
   void SetUp() override
   {
      GUITest::SetUp();
      sprites.Build();
      holder = Make<ContainerWidget>(R"({"SpriteResourceFilename": "Buttons"})", nullptr, "Holder");
      holder->FontSet(&font);
   }

   void TearDown() override
   {
      WidgetDestroy(holder);
      sprites.Destroy();
      GUITest::TearDown();
   }

   template <class T> T* Button(const std::string& json) { return Make<T>(json, holder); }

   FakeSpriteFile sprites;
   FixedFont font;
   ContainerWidget* holder = nullptr;
};

struct Counter
{
   int calls = 0;
   u32 lastCount = 0;
   u8 lastOn = 255;
};

void PressCount(PressButtonWidget*, void* data)
{
   static_cast<Counter*>(data)->calls++;
}

void HoldCount(u32 count, PressButtonWidget*, void* data)
{
   static_cast<Counter*>(data)->calls++;
   static_cast<Counter*>(data)->lastCount = count;
}

void ToggleCount(u8 on, ToggleButtonWidget*, void* data)
{
   static_cast<Counter*>(data)->calls++;
   static_cast<Counter*>(data)->lastOn = on;
}

TEST_F(ButtonWidgetTest, StatesWithoutSpriteFallBackWithinTheirRow)
{
   const struct
   {
      const char* json;
      i32 shown[5];
   } pressCases[] = {
       {R"({"UpOutState": "Up"})", {0, 0, 0, 0, 0}},
       // A pressed button that lost the pointer looks pressed first.
       {R"({"UpOutState": "Up", "DownOverState": "Down"})", {0, 0, 3, 3, 0}},
       {R"({"UpOutState": {}, "UpOverState": {}})", {0, 1, 0, 1, 0}},
       {R"({"UpOutState": 7, "DisabledState": null})", {0, 1, 2, 3, 4}},
   };
   for (const auto& c : pressCases)
   {
      PressButtonWidget* button = Button<PressButtonWidget>(c.json);
      for (i32 state = 0; state < 5; state++)
      {
         EXPECT_EQ(button->StateResolve(state), c.shown[state]) << c.json << " state " << state;
      }
      WidgetDestroy(button);
   }

   // The two halves of a toggle button never stand in for each other: an "on" state without a
   // sprite in its own half stays itself, and shows only its text.
   ToggleButtonWidget* toggle =
       Button<ToggleButtonWidget>(R"({"OffUpOutState": "Up", "OnDownOverState": "Down"})");
   const i32 shown[10] = {0, 0, 0, 0, 0, 5, 6, 8, 8, 9};
   for (i32 state = 0; state < 10; state++)
   {
      EXPECT_EQ(toggle->StateResolve(state), shown[state]) << "state " << state;
   }
   EXPECT_EQ(toggle->StateResolve(42), 42);
   WidgetDestroy(toggle);
}

TEST_F(ButtonWidgetTest, CurrentStateFromPointerEnabledOnAndOverride)
{
   PressButtonWidget* press = Button<PressButtonWidget>("{}");
   ToggleButtonWidget* toggle = Button<ToggleButtonWidget>("{}");
   const struct
   {
      i32 pointer;
      bool enabled;
      bool on;
      i32 override;
      i32 pressState;
      i32 toggleState;
   } cases[] = {
       {0, true, false, -1, 0, 0}, {1, true, false, -1, 1, 1}, {2, true, false, -1, 2, 2},
       {3, true, false, -1, 3, 3}, {0, true, true, -1, 0, 5},  {1, true, true, -1, 1, 6},
       {2, true, true, -1, 2, 7},  {3, true, true, -1, 3, 8},  {3, false, false, -1, 4, 4},
       {1, false, true, -1, 4, 9}, {0, true, false, 2, 2, 2},  {3, false, true, 2, 2, 2},
   };
   for (const auto& c : cases)
   {
      for (ButtonWidget* button : {static_cast<ButtonWidget*>(press), static_cast<ButtonWidget*>(toggle)})
      {
         button->pointerState = c.pointer;
         button->EnabledSet(c.enabled);
         button->StateOverrideSet(c.override);
      }
      toggle->OnSet(c.on);
      EXPECT_EQ(press->StateCurrentGet(), c.pressState)
          << "pointer " << c.pointer << " enabled " << c.enabled << " override " << c.override;
      EXPECT_EQ(toggle->StateCurrentGet(), c.toggleState)
          << "pointer " << c.pointer << " enabled " << c.enabled << " on " << c.on << " override "
          << c.override;
   }
   WidgetDestroy(press);
   WidgetDestroy(toggle);
}

TEST_F(ButtonWidgetTest, PointerStateFollowsThePressAndTheHover)
{
   PressButtonWidget* button = Button<PressButtonWidget>(R"({"Bounds": "0|0|100|40"})");
   const struct
   {
      bool pressedHere;
      bool held;
      bool hoveredHere;
      bool touch;
      i32 state;
   } cases[] = {
       {false, false, false, false, 0},
       {false, false, true, false, 1},
       {true, true, true, false, 3},
       {true, true, false, false, 2},
       {true, false, true, false, 1},
       {false, true, true, false, 1},
       // A finger resting over the button is not a hover; a press with it is.
       {false, false, true, true, 0},
       {true, true, true, true, 3},
   };
   for (const auto& c : cases)
   {
      Record()->pressed = c.pressedHere ? button : nullptr;
      Record()->hovered = c.hoveredHere ? button : nullptr;
      pointer.frameButtons = c.held ? static_cast<u32>(MOUSE_BUTTON_LEFT) : 0u;
      pointer.touchActive = c.touch ? 1 : 0;
      button->Update(16);
      EXPECT_EQ(button->pointerState, c.state) << c.pressedHere << c.held << c.hoveredHere << c.touch;
   }

   // A disabled button, or one while input is not accepted, shows no pointer state.
   Record()->pressed = button;
   Record()->hovered = button;
   pointer.frameButtons = MOUSE_BUTTON_LEFT;
   pointer.touchActive = 0;
   button->EnabledSet(false);
   button->Update(16);
   EXPECT_EQ(button->pointerState, 0);
   EXPECT_EQ(button->StateCurrentGet(), PRESS_BUTTON_DISABLED);
   Record()->pressed = nullptr;
   Record()->hovered = nullptr;
   WidgetDestroy(button);
}

TEST_F(ButtonWidgetTest, ShownStateOverridesTextColourScaleAndPlacement)
{
   PressButtonWidget* button = Button<PressButtonWidget>(R"({
      "Bounds": "0|0|100|40", "Text": "ABCDE", "TextColor": "0|255|0|255", "TextPositionOffset": "1|2",
      "UpOutState": {},
      "DownOverState": {"TextColor": "255|0|0|255", "TextScale": "0.5|0.5", "TextPositionOffset": "5|7"}})");
   EXPECT_EQ(button->TextAlignmentGet(), TEXT_ALIGNMENT_CENTER);

   button->Draw();
   EXPECT_EQ(font.drawnColor.g, 255);
   EXPECT_FLOAT_EQ(font.drawnScale.x, 1.0f);
   // Centred in the text box moved by the widget's offset, which the sprite without its own took.
   EXPECT_FLOAT_EQ(font.drawnAt.x, 26.0f);
   EXPECT_FLOAT_EQ(font.drawnAt.y, 28.0f);

   button->StateOverrideSet(PRESS_BUTTON_DOWN_OVER);
   button->Draw();
   EXPECT_EQ(font.drawnColor.r, 255);
   EXPECT_EQ(font.drawnColor.g, 0);
   EXPECT_FLOAT_EQ(font.drawnScale.x, 0.5f);
   // 25 wide centred in 100 from x 5 is 42.5, drawn on the whole pixel.
   EXPECT_FLOAT_EQ(font.drawnAt.x, 43.0f);

   // Hidden, the label's own settings answer.
   button->VisibleSet(false);
   EXPECT_EQ(button->TextColorGet().g, 255);
   WidgetDestroy(button);
}

TEST_F(ButtonWidgetTest, BoundsCoverEveryStateUnlessGiven)
{
   PressButtonWidget* button = Button<PressButtonWidget>(R"({"UpOutState": "Up", "DownOverState": "Wide"})");
   Box2F bounds = button->BoundsGet();
   EXPECT_FLOAT_EQ(bounds.x, -50.0f);
   EXPECT_FLOAT_EQ(bounds.y, 0.0f);
   EXPECT_FLOAT_EQ(bounds.width, 200.0f);
   EXPECT_FLOAT_EQ(bounds.height, 40.0f);
   WidgetDestroy(button);

   button =
       Button<PressButtonWidget>(R"({"Bounds": "1|2|3|4", "UpOutState": "Up", "DownOverState": "Wide"})");
   bounds = button->BoundsGet();
   EXPECT_FLOAT_EQ(bounds.x, 1.0f);
   EXPECT_FLOAT_EQ(bounds.width, 3.0f);
   WidgetDestroy(button);
}

TEST_F(ButtonWidgetTest, StateAnimationSetFillsAndSwitchesStates)
{
   PressButtonWidget* button = Button<PressButtonWidget>(R"({"UpOutState": "Up", "UpOverState": {}})");
   button->StateAnimationSet(PRESS_BUTTON_DOWN_OVER, "Down");
   ASSERT_NE(button->StateSpriteGet(PRESS_BUTTON_DOWN_OVER), nullptr);
   EXPECT_EQ(button->StateSpriteGet(PRESS_BUTTON_DOWN_OVER)->animation, sprites.Get(1));
   EXPECT_EQ(button->StateResolve(PRESS_BUTTON_DOWN_OUT), PRESS_BUTTON_DOWN_OVER);
   button->StateAnimationSet(PRESS_BUTTON_UP_OUT, "Wide");
   EXPECT_EQ(button->StateSpriteGet(PRESS_BUTTON_UP_OUT)->animation, sprites.Get(2));
   button->StateAnimationSet(PRESS_BUTTON_UP_OVER, "Up");
   EXPECT_EQ(button->StateSpriteGet(PRESS_BUTTON_UP_OVER)->animation, sprites.Get(0));
   button->StateAnimationSet(PRESS_BUTTON_STATE_COUNT, "Up");
   button->StateAnimationSet(-1, "Up");
   EXPECT_EQ(button->stateSprites.count, PRESS_BUTTON_STATE_COUNT);
   WidgetDestroy(button);
}

TEST_F(ButtonWidgetTest, AStateFontThatDoesNotLoadIsReported)
{
   LogCapture log;
   PressButtonWidget* button = Button<PressButtonWidget>(R"({"UpOutState": {"Font": "NoSuchFont"}})");
   EXPECT_TRUE(log.Has("PressButtonWidget::Init -- In Widget \"W\", font \"NoSuchFont\" not found in button "
                       "sprite: \"UpOutState\"\n"))
       << log.text;
   EXPECT_EQ(button->FontGet(), &font);
   WidgetDestroy(button);
}

TEST_F(ButtonWidgetTest, PressButtonCallbacksOnlyWhileVisibleAndEnabled)
{
   PressButtonWidget* button = Button<PressButtonWidget>("{}");
   Counter clicks, presses, holds;
   button->onClick = &PressCount;
   button->onClickUserData = &clicks;
   button->onPress = &PressCount;
   button->onPressUserData = &presses;
   button->onHold = &HoldCount;
   button->onHoldUserData = &holds;
   button->OnPress();
   button->OnClick();
   button->OnHold(3);
   EXPECT_EQ(presses.calls, 1);
   EXPECT_EQ(clicks.calls, 1);
   EXPECT_EQ(holds.lastCount, 3u);

   button->EnabledSet(false);
   button->OnPress();
   button->OnClick();
   button->OnHold(4);
   button->EnabledSet(true);
   holder->VisibleSet(false);
   button->OnClick();
   holder->VisibleSet(true);
   EXPECT_EQ(presses.calls, 1);
   EXPECT_EQ(clicks.calls, 1);
   EXPECT_EQ(holds.calls, 1);

   // A new Init forgets the owner's callbacks.
   ValuePointer spec = TextParse("{}");
   button->Deinit();
   button->Init("W", holder, spec.get());
   button->OnClick();
   EXPECT_EQ(clicks.calls, 1);
   WidgetDestroy(button);
}

TEST_F(ButtonWidgetTest, OnClickCallbackSetFindsOnlyPressButtons)
{
   GUIManager::WidgetTypeRegister("PressButton", &WidgetCreate<PressButtonWidget>);
   GUIManager::WidgetTypeRegister("ToggleButton", &WidgetCreate<ToggleButtonWidget>);
   ContainerWidget* layer = Make<ContainerWidget>(R"({"Children": [
      {"Type": "PressButton", "Name": "OK"}, {"Type": "ToggleButton", "Name": "Sound"}]})",
                                                  nullptr, "Menu");
   ContainerWidget* root = Make<ContainerWidget>("{}", nullptr, "Root");
   root->ChildAdd(layer);
   layer->ParentSet(root);
   GUIManager::root = root;
   Counter clicks;
   EXPECT_TRUE(PressButtonWidget::OnClickCallbackSet("Menu.OK", &PressCount, &clicks));
   EXPECT_FALSE(PressButtonWidget::OnClickCallbackSet("Menu.Sound", &PressCount, &clicks));
   EXPECT_FALSE(PressButtonWidget::OnClickCallbackSet("Menu.Nothing", &PressCount, &clicks));
   static_cast<PressButtonWidget*>(layer->ChildGetByName("OK"))->OnClick();
   EXPECT_EQ(clicks.calls, 1);
   GUIManager::root = nullptr;
   WidgetDestroy(root);
}

TEST_F(ButtonWidgetTest, ToggleOnKeyAcceptsBoolsAndNumbersOnly)
{
   const struct
   {
      const char* json;
      bool on;
   } cases[] = {
       {R"({"On": true})", true}, {R"({"On": 1})", true},       {R"({"On": 0})", false},
       {R"({"On": 2.5})", true},  {R"({"On": "true"})", false}, {R"({})", false},
   };
   for (const auto& c : cases)
   {
      ToggleButtonWidget* toggle = Button<ToggleButtonWidget>(c.json);
      EXPECT_EQ(toggle->OnGet(), c.on) << c.json;
      WidgetDestroy(toggle);
   }
}

TEST_F(ButtonWidgetTest, ToggleClicksFlipOnlyWhenAskedAndAlwaysReport)
{
   ToggleButtonWidget* toggle = Button<ToggleButtonWidget>("{}");
   EXPECT_TRUE(toggle->ToggleOnClickGet());
   Counter clicks, navigation;
   toggle->onClick = &ToggleCount;
   toggle->onClickUserData = &clicks;
   toggle->onNavigationClick = &ToggleCount;
   toggle->onNavigationClickUserData = &navigation;
   toggle->OnClick();
   EXPECT_TRUE(toggle->OnGet());
   EXPECT_EQ(clicks.lastOn, 1);
   toggle->OnNavigationClick();
   EXPECT_FALSE(toggle->OnGet());
   EXPECT_EQ(navigation.lastOn, 0);
   WidgetDestroy(toggle);

   toggle = Button<ToggleButtonWidget>(R"({"On": true, "ToggleOnClick": false})");
   toggle->onClick = &ToggleCount;
   toggle->onClickUserData = &clicks;
   toggle->OnClick();
   EXPECT_TRUE(toggle->OnGet());
   EXPECT_EQ(clicks.calls, 2);
   EXPECT_EQ(clicks.lastOn, 1);

   toggle->EnabledSet(false);
   toggle->OnClick();
   EXPECT_EQ(clicks.calls, 2);
   EXPECT_EQ(toggle->StateCurrentGet(), TOGGLE_BUTTON_ON_DISABLED);
   WidgetDestroy(toggle);
}
} // namespace
