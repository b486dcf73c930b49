// Radio buttons: which buttons form a set (radio containers, group names across containers of a
// layer, no scope at all), clicks that only turn on, and "On" given in a layer file.
#include "gui/widgets/RadioButtonWidget.h"

#include <string>

#include "tests/gui/WidgetTestSupport.h"

using namespace WidgetTest;

namespace
{
// Stands in for the layer root, which is what a grouped button's set reaches up to.
class TestLayer : public ContainerWidget
{
 public:
   const char* TypeNameGet() override { return "LayerWidget"; }
};

class RadioButtonWidgetTest : public GUITest
{
 protected:
   void SetUp() override
   {
      GUITest::SetUp();
      GUIManager::WidgetTypeRegister("RadioButton", &WidgetCreate<RadioButtonWidget>);
      GUIManager::WidgetTypeRegister("RadioButtonContainer", &WidgetCreate<RadioButtonContainerWidget>);
   }

   void TearDown() override
   {
      WidgetDestroy(layer);
      GUITest::TearDown();
   }

   void LayerBuild(const std::string& children)
   {
      layer = Make<TestLayer>(R"({"Children": [)" + children + "]}", nullptr, "Layer");
   }

   RadioButtonWidget* Radio(const char* path)
   {
      return dynamic_cast<RadioButtonWidget*>(layer->DescendantGetByPath(path));
   }

   // The on-states of the buttons at the paths, as a string of 1 and 0.
   std::string On(std::initializer_list<const char*> paths)
   {
      std::string result;
      for (const char* path : paths)
      {
         RadioButtonWidget* radio = Radio(path);
         result += !radio ? '?' : (radio->OnGet() ? '1' : '0');
      }
      return result;
   }

   TestLayer* layer = nullptr;
};

struct ClickRecord
{
   int calls = 0;
   u8 on = 255;
};

void ClickCount(u8 on, ToggleButtonWidget*, void* data)
{
   static_cast<ClickRecord*>(data)->calls++;
   static_cast<ClickRecord*>(data)->on = on;
}

TEST_F(RadioButtonWidgetTest, ClicksTurnOnAndTheRestOfTheContainerOff)
{
   LayerBuild(R"({"Type": "RadioButtonContainer", "Name": "Set", "Children": [
      {"Type": "RadioButton", "Name": "A", "On": true}, {"Type": "RadioButton", "Name": "B"},
      {"Type": "RadioButton", "Name": "C"}]})");
   ClickRecord record;
   Radio("Set.B")->onClick = &ClickCount;
   Radio("Set.B")->onClickUserData = &record;
   Radio("Set.B")->OnClick();
   EXPECT_EQ(On({"Set.A", "Set.B", "Set.C"}), "010");
   // Clicking the button that is on leaves it on and still reports it.
   Radio("Set.B")->OnClick();
   EXPECT_EQ(On({"Set.A", "Set.B", "Set.C"}), "010");
   EXPECT_EQ(record.calls, 2);
   EXPECT_EQ(record.on, 1);
   Radio("Set.C")->OnNavigationClick();
   EXPECT_EQ(On({"Set.A", "Set.B", "Set.C"}), "001");
   // Turning one off touches nobody else.
   Radio("Set.C")->OnSet(false);
   EXPECT_EQ(On({"Set.A", "Set.B", "Set.C"}), "000");
}

TEST_F(RadioButtonWidgetTest, HiddenOrDisabledButtonsIgnoreClicks)
{
   LayerBuild(R"({"Type": "RadioButtonContainer", "Name": "Set", "Children": [
      {"Type": "RadioButton", "Name": "A", "On": true}, {"Type": "RadioButton", "Name": "B", "Enabled": false},
      {"Type": "RadioButton", "Name": "C", "Visible": false}]})");
   Radio("Set.B")->OnClick();
   Radio("Set.C")->OnClick();
   Radio("Set.C")->OnNavigationClick();
   EXPECT_EQ(On({"Set.A", "Set.B", "Set.C"}), "100");
}

TEST_F(RadioButtonWidgetTest, SetsAreContainersOrGroupNamesAcrossTheLayer)
{
   LayerBuild(R"(
      {"Type": "RadioButtonContainer", "Name": "Left", "Children": [
         {"Type": "RadioButton", "Name": "Plain", "On": true},
         {"Type": "RadioButton", "Name": "A", "RadioButtonGroupName": "A"},
         {"Type": "RadioButton", "Name": "B", "RadioButtonGroupName": "B"}]},
      {"Type": "RadioButtonContainer", "Name": "Right", "Children": [
         {"Type": "RadioButton", "Name": "Plain", "On": true},
         {"Type": "Container", "Name": "Inner", "Children": [
            {"Type": "RadioButton", "Name": "A", "RadioButtonGroupName": "A"}]}]},
      {"Type": "RadioButton", "Name": "Loose", "On": true},
      {"Type": "RadioButton", "Name": "Loose2", "On": true})");
   const auto all = {"Left.Plain", "Left.A", "Left.B", "Right.Plain", "Right.Inner.A", "Loose", "Loose2"};
   // Two containers keep separate ungrouped sets; loose buttons have no set at all.
   EXPECT_EQ(On(all), "1001011");

   Radio("Left.A")->OnClick();
   Radio("Left.B")->OnClick();
   EXPECT_EQ(On(all), "1111011");
   // Group "A" spans both containers and leaves group "B" and the ungrouped buttons alone.
   Radio("Right.Inner.A")->OnClick();
   EXPECT_EQ(On(all), "1011111");
   Radio("Left.A")->OnClick();
   EXPECT_EQ(On(all), "1111011");
}

TEST_F(RadioButtonWidgetTest, OnInTheLayerFileLeavesTheLastOneOn)
{
   LayerBuild(R"({"Type": "RadioButtonContainer", "Name": "Set", "Children": [
      {"Type": "RadioButton", "Name": "A", "On": true}, {"Type": "RadioButton", "Name": "B"},
      {"Type": "RadioButton", "Name": "C", "On": true, "ToggleOnClick": true}]})");
   EXPECT_EQ(On({"Set.A", "Set.B", "Set.C"}), "001");
   // "ToggleOnClick" never makes a radio button flip itself off.
   EXPECT_FALSE(Radio("Set.C")->ToggleOnClickGet());
   Radio("Set.C")->OnClick();
   EXPECT_EQ(On({"Set.A", "Set.B", "Set.C"}), "001");
}

TEST_F(RadioButtonWidgetTest, GroupNamesAreOwnedCopies)
{
   LayerBuild(R"({"Type": "RadioButton", "Name": "R", "RadioButtonGroupName": "Speed"})");
   RadioButtonWidget* radio = Radio("R");
   EXPECT_STREQ(radio->GroupNameGet(), "Speed");
   std::string name = "Colour";
   radio->GroupNameSet(name.c_str());
   name[0] = 'X';
   EXPECT_STREQ(radio->GroupNameGet(), "Colour");
   radio->GroupNameSet(nullptr);
   EXPECT_EQ(radio->GroupNameGet(), nullptr);
}
} // namespace
