// Containers: children from JSON and their messages, the bounds union, dotted paths, point tests in
// draw order, stable sorting, and removal through the removed chain, also from inside a walk.
#include "tests/gui/WidgetTestSupport.h"

#include <vector>

using namespace WidgetTest;

namespace
{
class ContainerTest : public GUITest
{
};

TEST_F(ContainerTest, ChildrenAreCreatedByTypeAndBadEntriesAreReported)
{
   struct Case
   {
      const char* json;
      i32 children;
      const char* message;
   };
   const Case cases[] = {
       {R"({"Children": [{"Type": "Container", "Name": "A"}, {"Type": "Sprite"}]})", 2, ""},
       {R"({"Children": {"A": {"Type": "Container"}, "B": {"Type": "Container"}}})", 0,
        "ContainerWidget -- Missing type for widget\nContainerWidget -- Missing type for widget\n"},
       {R"({"Children": [{"Type": "Gizmo"}]})", 0,
        "ContainerWidget -- Unrecognized widget type name: \"Gizmo\"\n"},
       {R"({"Children": [{"Name": "X"}]})", 0,
        "ContainerWidget -- Missing type for widget \"X\" in: Panel\n"},
       {R"({"Children": [{"Name": "X", "Type": 4}]})", 0,
        "ContainerWidget -- Missing type for widget \"X\" in: Panel\n"},
   };
   for (const Case& c : cases)
   {
      LogCapture log;
      ContainerWidget* panel = Make<ContainerWidget>(c.json, nullptr, "Panel");
      EXPECT_EQ(panel->ChildCountGet(), c.children) << c.json;
      EXPECT_EQ(log.text, c.message) << c.json;
      WidgetDestroy(panel);
      GUIManager::RemovedWidgetsDestroy();
   }
}

TEST_F(ContainerTest, PathsFindChildrenByExactNamesAndUnnamedChildrenByTheirTypeName)
{
   ContainerWidget* layer = Make<ContainerWidget>(R"({"Children": [
       {"Type": "Container", "Name": "Panel", "Children": [{"Type": "Container", "Name": "OK"}]},
       {"Type": "Sprite", "Name": "Plain"}, {"Type": "Sprite"}]})");
   Widget* ok = layer->DescendantGetByPath("Panel.OK");
   ASSERT_NE(ok, nullptr);
   EXPECT_STREQ(ok->NameGet(), "OK");
   EXPECT_EQ(ok->ParentGet(), layer->ChildGetByName("Panel"));
   EXPECT_EQ(layer->DescendantGetByPath("Panel."), nullptr);
   EXPECT_EQ(layer->DescendantGetByPath("panel.OK"), nullptr);
   EXPECT_EQ(layer->DescendantGetByPath("Plain.OK"), nullptr) << "a sprite is not a container";
   EXPECT_EQ(layer->DescendantGetByPath(".OK"), nullptr);
   EXPECT_EQ(layer->DescendantGetByPath("SpriteWidget"), layer->ChildGetAt(2));
   WidgetDestroy(layer);
}

TEST_F(ContainerTest, BoundsWithoutBoundsKeyAreTheUnionOfTheChildren)
{
   ContainerWidget* panel = Make<ContainerWidget>(R"({"Children": [
       {"Type": "Container", "Bounds": "0|0|0|0"},
       {"Type": "Container", "PositionOffset": "5|5", "Bounds": "10|10|20|20"},
       {"Type": "Container", "PositionOffset": "100|0", "Bounds": "0|0|0|5"}]})");
   Box2F box = panel->BoundsGet();
   EXPECT_FLOAT_EQ(box.x, 15.0f);
   EXPECT_FLOAT_EQ(box.y, 15.0f);
   EXPECT_FLOAT_EQ(box.width, 20.0f);
   EXPECT_FLOAT_EQ(box.height, 20.0f);

   // The children's own children count too, moved by each child's position.
   ContainerWidget* nested = Make<ContainerWidget>(R"({"Bounds": "0|0|1|1", "Children": [
       {"Type": "Container", "PositionOffset": "10|0", "Bounds": "0|0|5|5",
        "Children": [{"Type": "Container", "PositionOffset": "20|20", "Bounds": "0|0|5|5"}]},
       {"Type": "Container", "PositionOffset": "-5|0", "Bounds": "0|0|2|2"}]})");
   box = nested->ChildrenBoundsGet();
   EXPECT_FLOAT_EQ(box.x, -5.0f);
   EXPECT_FLOAT_EQ(box.y, 0.0f);
   EXPECT_FLOAT_EQ(box.width, 40.0f);
   EXPECT_FLOAT_EQ(box.height, 25.0f);
   EXPECT_FLOAT_EQ(nested->BoundsGet().width, 1.0f) << "explicit bounds are kept";
   WidgetDestroy(panel);
   WidgetDestroy(nested);
}

TEST_F(ContainerTest, PointTestsAskTheTopmostChildFirstAndFollowReverseDrawOrder)
{
   const char* children = R"("Bounds": "0|0|100|100", "Children": [
       {"Type": "Container", "Name": "Under", "Bounds": "0|0|50|50"},
       {"Type": "Container", "Name": "Over", "Bounds": "0|0|50|50"}])";
   ContainerWidget* normal = Make<ContainerWidget>(std::string("{") + children + "}");
   ContainerWidget* reverse =
       Make<ContainerWidget>(std::string("{\"ChildrenDrawOrderReverse\": true, ") + children + "}");
   EXPECT_STREQ(normal->WidgetAtPointGet(Point2F{10, 10})->NameGet(), "Over");
   EXPECT_STREQ(reverse->WidgetAtPointGet(Point2F{10, 10})->NameGet(), "Under");
   EXPECT_EQ(normal->WidgetAtPointGet(Point2F{70, 70}), normal);
   EXPECT_EQ(normal->WidgetAtPointGet(Point2F{100, 70}), nullptr);
   WidgetDestroy(normal);
   WidgetDestroy(reverse);
}

class ByX : public WidgetComparator
{
 public:
   bool LessCheck(Widget* a, Widget* b) override { return a->PositionGet().x < b->PositionGet().x; }
};

TEST_F(ContainerTest, SortIsStableAndInsertionsKeepOrder)
{
   ContainerWidget* panel = Make<ContainerWidget>(R"({"Children": [
       {"Type": "Container", "Name": "A", "PositionOffset": "2|0"},
       {"Type": "Container", "Name": "B", "PositionOffset": "1|0"},
       {"Type": "Container", "Name": "C", "PositionOffset": "2|0"},
       {"Type": "Container", "Name": "D", "PositionOffset": "1|0"}]})");
   ByX byX;
   panel->ChildrenSort(&byX);
   std::string order;
   for (i32 i = 0; i < panel->ChildCountGet(); i++)
   {
      order += panel->ChildGetAt(i)->NameGet();
   }
   EXPECT_EQ(order, "BDAC");

   Widget* extra = MemoryNew<Widget>(HEAP_DEFAULT);
   extra->InitWithoutSpecification("E", panel);
   EXPECT_TRUE(panel->ChildInsertAfter("D", extra));
   EXPECT_EQ(panel->ChildIndexGet(extra), 2);
   EXPECT_TRUE(panel->ChildDetach(extra));
   EXPECT_FALSE(panel->ChildInsertBefore("Nobody", extra));
   panel->ChildInsert(9, extra);
   EXPECT_EQ(panel->ChildIndexGet(extra), -1) << "an index past the end is ignored";
   panel->ChildAddFirst(extra);
   EXPECT_EQ(panel->ChildFirstGet(), extra);
   WidgetDestroy(panel);
}

// Records the order of removal notices and can remove widgets from inside its update.
class Probe : public ContainerWidget
{
 public:
   void Update(u32 elapsed) override
   {
      ContainerWidget::Update(elapsed);
      updates++;
      if (victim)
      {
         ContainerWidget* from = static_cast<ContainerWidget*>(victim->ParentGet());
         Widget* target = victim;
         victim = nullptr;
         from->ChildRemove(target);
      }
   }
   void OnRemoveBegin() override
   {
      ContainerWidget::OnRemoveBegin();
      log->push_back(std::string("begin ") + NameGet());
   }
   void OnRemoved() override
   {
      ContainerWidget::OnRemoved();
      log->push_back(std::string("removed ") + NameGet());
   }
   Widget* victim = nullptr;
   int updates = 0;
   std::vector<std::string>* log = nullptr;
};

TEST_F(ContainerTest, RemovingASubtreeQueuesItDeepestFirstAndClearsReferences)
{
   std::vector<std::string> log;
   ContainerWidget* root = Make<ContainerWidget>("{}");
   Probe* panel = MemoryNew<Probe>(HEAP_DEFAULT);
   panel->InitWithoutSpecification("Panel", root);
   root->ChildAdd(panel);
   Probe* button = MemoryNew<Probe>(HEAP_DEFAULT);
   button->InitWithoutSpecification("Button", panel);
   panel->ChildAdd(button);
   panel->log = &log;
   button->log = &log;
   Record()->pressed = button;
   Record()->hovered = panel;
   GUIManager::focus = button;

   ASSERT_TRUE(root->ChildRemove(panel));
   EXPECT_EQ(log,
             (std::vector<std::string>{"begin Button", "removed Button", "begin Panel", "removed Panel"}));
   EXPECT_EQ(Record()->pressed, nullptr);
   EXPECT_EQ(Record()->hovered, nullptr);
   EXPECT_EQ(GUIManager::focus, nullptr);
   EXPECT_EQ(GUIManager::removedChain, panel);
   EXPECT_EQ(panel->nextRemoved, button);
   EXPECT_TRUE(button->RemovedCheck());
   EXPECT_EQ(button->ParentGet(), nullptr);
   EXPECT_EQ(root->ChildCountGet(), 0);
   EXPECT_FALSE(root->ChildRemove(panel));
   GUIManager::RemovedWidgetsDestroy();
   EXPECT_EQ(GUIManager::removedChain, nullptr);
   WidgetDestroy(root);
}

// Under AddressSanitizer this shows that a walk never meets a freed child, whichever widget the
// update removes: itself, a later sibling, or its own container.
TEST_F(ContainerTest, RemovalDuringAnUpdateWalkTouchesNoFreedMemory)
{
   for (int which = 0; which < 3; which++)
   {
      ContainerWidget* root = Make<ContainerWidget>("{}");
      Probe* panel = MemoryNew<Probe>(HEAP_DEFAULT);
      panel->InitWithoutSpecification("Panel", root);
      root->ChildAdd(panel);
      std::vector<std::string> log;
      panel->log = &log;
      Probe* children[3];
      for (Probe*& child : children)
      {
         child = MemoryNew<Probe>(HEAP_DEFAULT);
         child->InitWithoutSpecification("Child", panel);
         child->log = &log;
         panel->ChildAdd(child);
      }
      children[0]->victim = which == 0   ? static_cast<Widget*>(children[0])
                            : which == 1 ? static_cast<Widget*>(children[1])
                                         : static_cast<Widget*>(panel);
      // A nested destroy request, as an event handler might make, must wait for the walk.
      root->Update(16);
      GUIManager::RemovedWidgetsDestroy();
      if (which != 1)
      {
         EXPECT_EQ(root->ChildCountGet(), which == 2 ? 0 : 1);
      }
      EXPECT_EQ(GUIManager::removedChain, nullptr);
      WidgetDestroy(root);
   }
}

class DestroyingProbe : public Widget
{
 public:
   void Update(u32 elapsed) override
   {
      Widget::Update(elapsed);
      static_cast<ContainerWidget*>(parent)->ChildRemove(sibling);
      GUIManager::RemovedWidgetsDestroy();
      updated = true;
   }
   Widget* sibling = nullptr;
   bool updated = false;
};

TEST_F(ContainerTest, TheRemovedChainWaitsWhileAWalkIsRunning)
{
   ContainerWidget* root = Make<ContainerWidget>("{}");
   DestroyingProbe* first = MemoryNew<DestroyingProbe>(HEAP_DEFAULT);
   first->InitWithoutSpecification("First", root);
   root->ChildAdd(first);
   Widget* second = MemoryNew<Widget>(HEAP_DEFAULT);
   second->InitWithoutSpecification("Second", root);
   root->ChildAdd(second);
   first->sibling = second;
   root->Update(16);
   EXPECT_TRUE(first->updated);
   EXPECT_EQ(GUIManager::removedChain, second) << "destroyed only after the walk";
   GUIManager::RemovedWidgetsDestroy();
   EXPECT_EQ(GUIManager::removedChain, nullptr);
   WidgetDestroy(root);
}

TEST_F(ContainerTest, TransitionsStartAcrossTheSubtree)
{
   ContainerWidget* panel =
       Make<ContainerWidget>(R"({"Bounds": "0|0|10|10", "Transitions": {"Enter": "FromLeft"},
       "Children": [{"Type": "Container", "Bounds": "0|0|10|10", "Transitions": {"Enter": "FromTop"}},
                    {"Type": "Container"}]})");
   panel->TransitionStart("Enter");
   EXPECT_EQ(GUIManager::transitionsRunning, 2);
   EXPECT_TRUE(panel->TransitionRunningCheck());
   // A child under a running transition ignores input even when its own is done.
   panel->ChildGetAt(0)->TransitionFinish();
   EXPECT_FALSE(panel->ChildGetAt(0)->InputAcceptableCheck());
   panel->TransitionFinish();
   EXPECT_EQ(GUIManager::transitionsRunning, 0);
   EXPECT_FALSE(panel->TransitionRunningCheck());
   WidgetDestroy(panel);
}
} // namespace
