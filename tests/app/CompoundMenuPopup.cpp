// The compound menus' shared behaviour on a fixture popup of three submenus: unavailable buttons
// leave the column and it closes up, the first available page shows first, the page shown last
// shows again on reopening, and Close waits while a state switch is pending.
#include "app/CompoundMenuPopup.h"

#include <set>

#include "gui/widgets/PressButtonWidget.h"
#include "gui/widgets/RadioButtonWidget.h"
#include "gui/widgets/StateContainerWidget.h"
#include "tests/app/MenuTestSupport.h"

namespace MenuTest
{
namespace
{
class FixturePopup : public CompoundMenuPopup
{
 public:
   FixturePopup()
   {
      NultSnprintf(layerName, sizeof(layerName), "%s", "Compound");
      hasLayer = 1;
   }
   void LayerInit(LayerWidget* pushedLayer) override
   {
      (void)pushedLayer;
      SubmenusInit();
   }
   bool SubmenuAvailableCheck(const char* name) override { return unavailable.count(name) == 0; }

   std::set<std::string> unavailable;
};

class CompoundMenuTest : public MenuFixture
{
 protected:
   void SetUp() override
   {
      MenuFixture::SetUp();
      LayerWrite("Compound", R"({"Children": [{"Type": "Container", "Name": "Panel", "Children": [
         {"Type": "PressButton", "Name": "Close", "Bounds": "0|0|40|40"},
         {"Type": "RadioButtonContainer", "Name": "SubmenuButtons", "Children": [
            {"Type": "RadioButton", "Name": "A", "PositionOffset": "0|0", "Bounds": "0|0|40|40"},
            {"Type": "RadioButton", "Name": "B", "PositionOffset": "0|50", "Bounds": "0|0|40|40"},
            {"Type": "RadioButton", "Name": "C", "PositionOffset": "0|100", "Bounds": "0|0|40|40"}]},
         {"Type": "StateContainer", "Name": "Submenus", "Children": [
            {"Type": "Container", "Name": "A"}, {"Type": "Container", "Name": "B"},
            {"Type": "Container", "Name": "C"}]}]}]})");
   }

   void TearDown() override
   {
      PopupManager::CloseAll();
      MenuFixture::TearDown();
   }

   void Open() { PopupManager::Open(&popup); }
   void Close()
   {
      PopupManager::Close(&popup);
      GUIManager::Update(0);
   }
   ContainerWidget* Buttons() { return WidgetAt<ContainerWidget>("Compound.Panel.SubmenuButtons"); }
   RadioButtonWidget* Button(const char* name)
   {
      return dynamic_cast<RadioButtonWidget*>(Buttons()->ChildGetByName(name));
   }
   const char* PageShownGet()
   {
      StateContainerWidget* pages = WidgetAt<StateContainerWidget>("Compound.Panel.Submenus");
      return pages ? pages->StateNameGet() : "<none>";
   }

   FixturePopup popup;
};

TEST_F(CompoundMenuTest, TheFirstOfThreeRemovedLetsTheOthersMoveUp)
{
   popup.unavailable = {"A"};
   Open();
   EXPECT_FALSE(Button("A")->VisibleCheck());
   EXPECT_EQ(Buttons()->ChildIndexGet(Button("A")), 2) << "the hidden button goes last";
   EXPECT_EQ(Button("B")->PositionGet().y, 0.0f);
   EXPECT_EQ(Button("C")->PositionGet().y, 50.0f);
   EXPECT_EQ(Button("A")->PositionGet().y, 100.0f);
   EXPECT_STREQ(PageShownGet(), "B");
   EXPECT_TRUE(Button("B")->OnGet());
}

TEST_F(CompoundMenuTest, ARadioButtonShowsItsPageAndTheLastPageShowsAgainOnReopening)
{
   Open();
   EXPECT_STREQ(PageShownGet(), "A");
   ASSERT_NE(Button("C")->onClick, nullptr);
   Button("C")->OnSet(true);
   Button("C")->onClick(1, Button("C"), Button("C")->onClickUserData);
   EXPECT_STREQ(PageShownGet(), "C");
   EXPECT_FALSE(Button("A")->OnGet());
   Close();
   Open();
   EXPECT_STREQ(PageShownGet(), "C");
   EXPECT_TRUE(Button("C")->OnGet());
   Close();
   // No longer offered: the first available page instead.
   popup.unavailable = {"C"};
   Open();
   EXPECT_STREQ(PageShownGet(), "A");
}

TEST_F(CompoundMenuTest, NoAvailablePageShowsNothing)
{
   popup.unavailable = {"A", "B", "C"};
   Open();
   EXPECT_EQ(PageShownGet(), nullptr);
   for (const char* name : {"A", "B", "C"})
   {
      EXPECT_FALSE(Button(name)->VisibleCheck()) << name;
   }
}

TEST_F(CompoundMenuTest, NoRememberedPageLeavesTheChoiceToTheMenu)
{
   popup.submenuIndex = -1;
   Open();
   for (const char* name : {"A", "B", "C"})
   {
      EXPECT_FALSE(Button(name)->OnGet()) << name;
   }
   popup.SubmenuShow("B");
   EXPECT_STREQ(PageShownGet(), "B");
   EXPECT_EQ(popup.submenuIndex, 1);
}

TEST_F(CompoundMenuTest, CloseWaitsWhileASwitchIsPending)
{
   Open();
   PressButtonWidget* close = WidgetAt<PressButtonWidget>("Compound.Panel.Close");
   ASSERT_TRUE(close && close->onClick);
   GameStateManager::switchPending = 1;
   close->onClick(close, close->onClickUserData);
   EXPECT_FALSE(popup.ClosingCheck());
   GameStateManager::switchPending = 0;
   close->onClick(close, close->onClickUserData);
   EXPECT_TRUE(popup.ClosingCheck());
}
} // namespace
} // namespace MenuTest
