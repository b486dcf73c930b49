// State containers: the first state from JSON, switching by child and by name, and what a switch
// reports to its callback.
#include "gui/widgets/StateContainerWidget.h"

#include <string>
#include <vector>

#include "tests/gui/WidgetTestSupport.h"

using namespace WidgetTest;

namespace
{
struct Change
{
   std::string entered;
   std::string left;
};

void ChangeRecord(Widget* newState, Widget* oldState, StateContainerWidget*, void* data)
{
   static_cast<std::vector<Change>*>(data)->push_back(
       Change{newState ? newState->NameGet() : "nil", oldState ? oldState->NameGet() : "nil"});
}

const char* const pages = R"("Children": [{"Type": "Container", "Name": "Main"},
                                          {"Type": "Container", "Name": "Options"},
                                          {"Type": "Container", "Name": "About"}])";

class StateContainerWidgetTest : public GUITest
{
 protected:
   StateContainerWidget* Pages(const std::string& extra, const char* name = "Pages")
   {
      return Make<StateContainerWidget>("{" + std::string(pages) + extra + "}", nullptr, name);
   }

   // Which children are shown and enabled, as a string of 1 and 0 pairs.
   static std::string Shown(StateContainerWidget* container)
   {
      std::string shown;
      for (i32 i = 0; i < container->ChildCountGet(); i++)
      {
         Widget* child = container->ChildGetAt(i);
         shown += child->visible ? '1' : '0';
         shown += child->enabled ? '1' : '0';
      }
      return shown;
   }
};

TEST_F(StateContainerWidgetTest, InitShowsTheNamedOrTheFirstChildOnly)
{
   LogCapture log;
   const struct
   {
      std::string extra;
      const char* name;
      const char* state;
      const char* shown;
      const char* warning;
   } cases[] = {
       {"", "Pages", "Main", "110000", nullptr},
       {R"(, "State": "Options")", "Pages", "Options", "001100", nullptr},
       {R"(, "State": "Help")", "Pages", "Main", "110000",
        "StateContainerWidget::Init -- Invalid \"State\" for widget \"Pages\".  \"Help\" is not a child.\n"},
   };
   for (const auto& c : cases)
   {
      log.text.clear();
      StateContainerWidget* container = Pages(c.extra, c.name);
      EXPECT_STREQ(container->StateNameGet(), c.state) << c.extra;
      EXPECT_EQ(Shown(container), c.shown) << c.extra;
      if (c.warning)
      {
         EXPECT_TRUE(log.Has(c.warning)) << log.text;
      }
      WidgetDestroy(container);
   }

   StateContainerWidget* empty = Make<StateContainerWidget>("{}");
   EXPECT_EQ(empty->StateGet(), nullptr);
   WidgetDestroy(empty);
}

TEST_F(StateContainerWidgetTest, SwitchesReportEnteredAndLeftStatesOnce)
{
   StateContainerWidget* container = Pages("");
   std::vector<Change> changes;
   container->stateChangeCallback = &ChangeRecord;
   container->stateChangeUserData = &changes;

   EXPECT_TRUE(container->StateSetByName("About"));
   EXPECT_EQ(Shown(container), "000011");
   // The same state again reports nothing.
   EXPECT_TRUE(container->StateSetByName("About"));
   EXPECT_FALSE(container->StateSetByName("Help"));
   EXPECT_STREQ(container->StateNameGet(), "About");
   container->StateSet(nullptr);
   EXPECT_EQ(Shown(container), "000000");
   EXPECT_EQ(container->StateNameGet(), nullptr);
   container->StateSet(container->ChildGetByName("Main"));

   ASSERT_EQ(changes.size(), 3u);
   EXPECT_EQ(changes[0].entered, "About");
   EXPECT_EQ(changes[0].left, "Main");
   EXPECT_EQ(changes[1].entered, "nil");
   EXPECT_EQ(changes[1].left, "About");
   EXPECT_EQ(changes[2].entered, "Main");
   EXPECT_EQ(changes[2].left, "nil");
   WidgetDestroy(container);
}

TEST_F(StateContainerWidgetTest, ARemovedStateIsForgotten)
{
   StateContainerWidget* container = Pages(R"(, "State": "Options")");
   ASSERT_TRUE(container->ChildRemove("Options"));
   GUIManager::RemovedWidgetsDestroy();
   EXPECT_EQ(container->StateGet(), nullptr);
   // The switch must not touch the freed child.
   EXPECT_TRUE(container->StateSetByName("Main"));
   EXPECT_EQ(Shown(container), "1100");
   WidgetDestroy(container);
}
} // namespace
