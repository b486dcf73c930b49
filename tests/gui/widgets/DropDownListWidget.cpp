// Drop-down lists: opening and closing, the keyboard highlight with hold repeat and page size,
// Enter with and without Alt, mouse and touch over items, selection notices in code and in Lua,
// removing items, and the fatal missing parts.
#include "gui/widgets/DropDownListWidget.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tests/gui/WidgetTestSupport.h"
#include "core/Log.h"
#include "core/ScriptManager.h"
#include "gui/widgets/ScrollBoxWidget.h"
#include "platform/input/Keyboard.h"
#include "platform/input/PlatformKeys.h"

using namespace WidgetTest;

namespace
{
// A list whose scroll box shows 100 units of items of the given height.
std::string ListSpec(int itemHeight, const std::string& extra = "")
{
   return R"({"Bounds": "0|0|100|30", )" + extra + R"(
      "ScrollBox": {"Position": "0|30", "Bounds": "0|0|100|100",
                    "ClipContainer": {"ClipArea": "0|0|100|100"}},
      "OpenButton": {"Bounds": "0|0|100|30"},
      "ItemTemplate": {"Bounds": "0|0|100|)" +
          std::to_string(itemHeight) + R"("}})";
}

struct Notice
{
   std::string event;
   std::string newName;
   std::string oldName;
   bool byUser;
};

std::string NameOf(Widget* widget)
{
   return widget ? widget->NameGet() : "-";
}

void SelectionHeard(DropDownListItemButtonWidget* newItem, DropDownListItemButtonWidget* oldItem, bool byUser,
                    DropDownListWidget*, void* data)
{
   static_cast<std::vector<Notice>*>(data)->push_back(
       {"OnSelection", NameOf(newItem), NameOf(oldItem), byUser});
}

void SelectionChangeHeard(DropDownListItemButtonWidget* newItem, DropDownListItemButtonWidget* oldItem,
                          bool byUser, DropDownListWidget*, void* data)
{
   static_cast<std::vector<Notice>*>(data)->push_back(
       {"OnSelectionChange", NameOf(newItem), NameOf(oldItem), byUser});
}

void OpenHeard(bool open, DropDownListWidget*, void* data)
{
   static_cast<std::vector<bool>*>(data)->push_back(open);
}

class DropDownListTest : public GUITest
{
 protected:
   void SetUp() override
   {
      GUITest::SetUp();
      std::memset(&keyboardState, 0, sizeof(keyboardState));
   }

   void TearDown() override
   {
      GUIManager::focus = nullptr;
      WidgetDestroy(list);
      std::memset(&keyboardState, 0, sizeof(keyboardState));
      GUITest::TearDown();
   }

   // A focused list with the items "a", "b", ... of the given height.
   void Build(int itemCount, int itemHeight, const std::string& extra = "")
   {
      list = Make<DropDownListWidget>(ListSpec(itemHeight, extra), nullptr, "List");
      for (int i = 0; i < itemCount; i++)
      {
         std::string name(1, static_cast<char>('a' + i));
         ASSERT_TRUE(list->ItemAdd(name.c_str(), ("Item " + name).c_str(), DROP_DOWN_LIST_TEXT_PLAIN));
      }
      list->onSelection = &SelectionHeard;
      list->onSelectionUserData = &notices;
      list->onSelectionChange = &SelectionChangeHeard;
      list->onSelectionChangeUserData = &notices;
      GUIManager::focus = list;
   }

   DropDownListItemButtonWidget* Item(const char* name)
   {
      return dynamic_cast<DropDownListItemButtonWidget*>(
          list->scrollBox->ClipContainerGet()->ChildGetByName(name));
   }

   // Only the given key is down this frame; pressed says it was up the frame before.
   void KeyDown(u8 key, bool pressed = false)
   {
      std::memset(keyboardState.current, 0, sizeof(keyboardState.current));
      std::memset(keyboardState.previous, 0, sizeof(keyboardState.previous));
      keyboardState.current[key] = 1;
      keyboardState.previous[key] = pressed ? 0 : 1;
   }

   void KeysUp()
   {
      std::memset(keyboardState.current, 0, sizeof(keyboardState.current));
      std::memset(keyboardState.previous, 0, sizeof(keyboardState.previous));
   }

   std::string Highlighted() { return NameOf(list->highlight); }

   DropDownListWidget* list = nullptr;
   std::vector<Notice> notices;
};

TEST_F(DropDownListTest, StartsClosedAndTheButtonOpensAndCloses)
{
   Build(3, 30);
   std::vector<bool> heard;
   list->onOpenChange = &OpenHeard;
   list->onOpenChangeUserData = &heard;
   EXPECT_FALSE(list->OpenCheck());
   EXPECT_FALSE(list->scrollBox->visible);
   EXPECT_FALSE(list->scrollBox->enabled);
   EXPECT_FALSE(list->openButton->OnGet());
   EXPECT_EQ(list->ChildGetAt(0), list->scrollBox) << "the button is drawn over the items";
   EXPECT_EQ(list->ChildGetAt(1), list->openButton);
   EXPECT_STREQ(list->openButton->TextGet(), "");

   list->openButton->OnClick();
   EXPECT_TRUE(list->OpenCheck());
   EXPECT_TRUE(list->scrollBox->visible);
   EXPECT_TRUE(list->scrollBox->enabled);
   EXPECT_TRUE(list->openButton->OnGet());
   list->OpenSet(true);
   list->openButton->OnClick();
   EXPECT_FALSE(list->OpenCheck());
   EXPECT_FALSE(list->scrollBox->visible);
   EXPECT_EQ(heard, (std::vector<bool>{true, false})) << "an unchanged state is not reported";

   DropDownListWidget* over = Make<DropDownListWidget>(ListSpec(30, R"("ItemsOverOpenButton": true,)"));
   EXPECT_EQ(over->ChildGetAt(0), over->openButton);
   EXPECT_EQ(over->ChildGetAt(1), over->scrollBox);
   WidgetDestroy(over);
}

TEST_F(DropDownListTest, ItemsStackFromTheTop)
{
   Build(3, 30);
   EXPECT_EQ(list->ItemCountGet(), 3);
   EXPECT_EQ(Item("b")->list, list);
   EXPECT_STREQ(Item("b")->TextGet(), "Item b");
   Item("a")->BoundsSet(Box2F{0.0f, 0.0f, 120.0f, 50.0f});
   list->ItemsLayout();
   EXPECT_FLOAT_EQ(Item("a")->PositionGet().y, 0.0f);
   EXPECT_FLOAT_EQ(Item("b")->PositionGet().y, 50.0f);
   EXPECT_FLOAT_EQ(Item("c")->PositionGet().y, 80.0f);
   Box2F content = list->scrollBox->ClipContainerGet()->BoundsGet();
   EXPECT_FLOAT_EQ(content.width, 120.0f) << "as wide as the first item";
   EXPECT_FLOAT_EQ(content.height, 110.0f);

   list->ItemAdd("k", "Key.Name", DROP_DOWN_LIST_TEXT_KEY);
   list->ItemAdd("x", "1 + 1", DROP_DOWN_LIST_TEXT_EXPRESSION);
   EXPECT_STREQ(Item("k")->TextKeyGet(), "Key.Name");
   EXPECT_STREQ(Item("x")->TextExpressionGet(), "1 + 1");
   EXPECT_FLOAT_EQ(Item("x")->PositionGet().y, 140.0f);
}

TEST_F(DropDownListTest, PageSizeComesFromTheClipAndTheFirstItem)
{
   const struct
   {
      int itemHeight;
      i32 pageSize;
   } cases[] = {{30, 2}, {60, 1}, {20, 4}, {100, 1}, {200, 1}};
   for (const auto& c : cases)
   {
      Build(2, c.itemHeight);
      EXPECT_EQ(list->PageSizeGet(), c.pageSize) << c.itemHeight;
      WidgetDestroy(list);
      list = nullptr;
   }

   Build(0, 30);
   EXPECT_EQ(list->PageSizeGet(), 0) << "no items";
   list->ItemAdd("a", "A", DROP_DOWN_LIST_TEXT_PLAIN);
   list->scrollBox->ClipContainerGet()->ClipAreaSet(Box2F{0.0f, 0.0f, 100.0f, 0.5f});
   EXPECT_EQ(list->PageSizeGet(), 0) << "no clip height";
   // An item without height must not divide by zero.
   list->scrollBox->ClipContainerGet()->ClipAreaSet(Box2F{0.0f, 0.0f, 100.0f, 100.0f});
   Item("a")->BoundsSet(Box2F{0.0f, 0.0f, 100.0f, 0.5f});
   EXPECT_EQ(list->PageSizeGet(), 1);
}

TEST_F(DropDownListTest, HoldingDownWalksToTheLastItemAndStays)
{
   Build(5, 30, R"("HoldStartDelay": 200, "HoldIntervalDuration": 100,)");
   list->OpenSet(true);
   EXPECT_EQ(Highlighted(), "-");
   KeyDown(VK_DOWN, true);
   list->Update(16);
   EXPECT_EQ(Highlighted(), "a") << "with nothing highlighted, down takes the first item";
   EXPECT_TRUE(Item("a")->OnGet());
   KeyDown(VK_DOWN);
   list->Update(199);
   EXPECT_EQ(Highlighted(), "a") << "the repeat waits for the list's own start delay";
   list->Update(1);
   EXPECT_EQ(Highlighted(), "b");
   EXPECT_FALSE(Item("a")->OnGet());
   EXPECT_TRUE(Item("b")->OnGet());
   const char* walk[] = {"b", "c", "c", "d", "d", "e", "e", "e", "e"};
   for (const char* expected : walk)
   {
      list->Update(50);
      EXPECT_EQ(Highlighted(), expected);
   }
   EXPECT_FLOAT_EQ(list->scrollBox->ContentOffsetGet().y, 50.0f) << "the last item is scrolled into view";

   const struct
   {
      u8 key;
      const char* highlighted;
   } taps[] = {{VK_UP, "d"}, {VK_PRIOR, "b"}, {VK_PRIOR, "a"}, {VK_NEXT, "c"}, {VK_NEXT, "e"}};
   for (const auto& tap : taps)
   {
      KeysUp();
      list->Update(16);
      KeyDown(tap.key, true);
      list->Update(16);
      EXPECT_EQ(Highlighted(), tap.highlighted) << "a page is two items here; key " << int(tap.key);
   }
   EXPECT_TRUE(notices.empty()) << "moving the highlight chooses nothing";
}

TEST_F(DropDownListTest, KeysNeedTheFocusAndAnOpenList)
{
   Build(3, 30);
   KeyDown(VK_DOWN, true);
   list->Update(16);
   EXPECT_EQ(Highlighted(), "-") << "closed";
   list->OpenSet(true);
   GUIManager::focus = nullptr;
   KeyDown(VK_DOWN, true);
   list->Update(16);
   EXPECT_EQ(Highlighted(), "-") << "without the focus";
   GUIManager::focus = list;
   KeyDown(VK_DOWN, true);
   list->Update(16);
   EXPECT_EQ(Highlighted(), "a");
}

TEST_F(DropDownListTest, EnterChoosesTheHighlightUnlessAltIsDown)
{
   const struct
   {
      u8 alt;
      bool chosen;
   } cases[] = {{0, true}, {VK_LMENU, false}, {VK_RMENU, false}};
   for (const auto& c : cases)
   {
      Build(3, 30);
      list->OpenSet(true);
      list->HighlightSet(Item("b"));
      KeyDown(VK_RETURN, true);
      if (c.alt)
      {
         keyboardState.current[c.alt] = 1;
         keyboardState.previous[c.alt] = 1;
      }
      list->Update(16);
      EXPECT_EQ(list->OpenCheck(), !c.chosen) << int(c.alt);
      EXPECT_EQ(NameOf(list->SelectionGet()), c.chosen ? "b" : "-") << int(c.alt);
      if (c.chosen)
      {
         ASSERT_EQ(notices.size(), 2u);
         EXPECT_TRUE(notices[1].byUser);
         EXPECT_STREQ(list->openButton->TextGet(), "Item b");
      }
      KeysUp();
      notices.clear();
      WidgetDestroy(list);
      list = nullptr;
   }

   Build(3, 30);
   list->OpenSet(true);
   KeyDown(VK_RETURN, true);
   list->Update(16);
   EXPECT_FALSE(list->OpenCheck()) << "Enter closes even with nothing highlighted";
   EXPECT_TRUE(notices.empty());
}

TEST_F(DropDownListTest, SelectionNotifiesAndTheButtonTakesTheItemsTextForm)
{
   Build(3, 30);
   list->ItemAdd("k", "Key.Name", DROP_DOWN_LIST_TEXT_KEY);
   list->ItemAdd("x", "1 + 1", DROP_DOWN_LIST_TEXT_EXPRESSION);
   EXPECT_TRUE(list->SelectionSetByName("b", true));
   EXPECT_STREQ(list->openButton->TextGet(), "Item b");
   EXPECT_EQ(list->SelectionIndexGet(), 1);
   EXPECT_STREQ(list->SelectionNameGet(), "b");
   list->SelectionSet(Item("b"), true);
   EXPECT_TRUE(list->SelectionSetByIndex(3, false));
   EXPECT_STREQ(list->openButton->TextKeyGet(), "Key.Name");
   EXPECT_TRUE(list->SelectionSetByName("x", false));
   EXPECT_STREQ(list->openButton->TextExpressionGet(), "1 + 1");
   EXPECT_EQ(list->openButton->TextKeyGet(), nullptr);
   list->SelectionClear();
   EXPECT_STREQ(list->openButton->TextGet(), "");
   EXPECT_EQ(list->SelectionIndexGet(), -1);
   EXPECT_EQ(list->SelectionNameGet(), nullptr);
   EXPECT_FALSE(list->SelectionSetByName("missing", true));
   EXPECT_FALSE(list->SelectionSetByIndex(5, true));
   EXPECT_FALSE(list->SelectionSetByIndex(-1, true));

   const Notice expected[] = {
       {"OnSelectionChange", "b", "-", true},  {"OnSelection", "b", "-", true},
       {"OnSelection", "b", "b", true}, // the same item again: no change notice
       {"OnSelectionChange", "k", "b", false}, {"OnSelection", "k", "b", false},
       {"OnSelectionChange", "x", "k", false}, {"OnSelection", "x", "k", false},
       {"OnSelectionChange", "-", "x", false}, {"OnSelection", "-", "x", false},
   };
   ASSERT_EQ(notices.size(), std::size(expected));
   for (size_t i = 0; i < notices.size(); i++)
   {
      EXPECT_EQ(notices[i].event, expected[i].event) << i;
      EXPECT_EQ(notices[i].newName, expected[i].newName) << i;
      EXPECT_EQ(notices[i].oldName, expected[i].oldName) << i;
      EXPECT_EQ(notices[i].byUser, expected[i].byUser) << i;
   }
}

TEST_F(DropDownListTest, OpeningHighlightsTheSelectionAndScrollsToIt)
{
   Build(5, 50);
   list->SelectionSetByName("c", false);
   list->OpenSet(true);
   EXPECT_EQ(Highlighted(), "c");
   EXPECT_TRUE(Item("c")->OnGet());
   EXPECT_FLOAT_EQ(list->scrollBox->ContentOffsetGet().y, 50.0f);
   KeyDown(VK_DOWN, true);
   list->Update(16);
   EXPECT_EQ(Highlighted(), "d") << "the keys go on from the selection";
}

TEST_F(DropDownListTest, RemovingTheSelectionClearsItAsNotChosenByTheUser)
{
   Build(3, 30);
   list->SelectionSetByName("b", true);
   list->OpenSet(true);
   notices.clear();
   EXPECT_TRUE(list->ItemRemoveByName("b"));
   EXPECT_EQ(list->SelectionGet(), nullptr);
   EXPECT_EQ(list->highlight, nullptr);
   EXPECT_STREQ(list->openButton->TextGet(), "");
   ASSERT_EQ(notices.size(), 2u);
   EXPECT_EQ(notices[0].event, "OnSelectionChange");
   EXPECT_EQ(notices[1].event, "OnSelection");
   for (const Notice& notice : notices)
   {
      EXPECT_EQ(notice.newName, "-");
      EXPECT_EQ(notice.oldName, "b");
      EXPECT_FALSE(notice.byUser);
   }
   EXPECT_EQ(list->ItemCountGet(), 2);
   EXPECT_FLOAT_EQ(Item("c")->PositionGet().y, 30.0f) << "the rest close up";
   EXPECT_FALSE(list->ItemRemoveByName("b"));
   EXPECT_FALSE(list->ItemRemove(nullptr));

   notices.clear();
   EXPECT_TRUE(list->ItemRemoveByName("a"));
   EXPECT_TRUE(notices.empty()) << "an item that was not chosen goes quietly";
   list->ItemAdd("d", "D", DROP_DOWN_LIST_TEXT_PLAIN);
   list->ItemsRemoveAll();
   EXPECT_EQ(list->ItemCountGet(), 0);
   EXPECT_FLOAT_EQ(list->scrollBox->ClipContainerGet()->BoundsGet().height, 0.0f);
   KeyDown(VK_DOWN, true);
   list->Update(16);
   EXPECT_EQ(Highlighted(), "-") << "no items, nothing to move to";
}

TEST_F(DropDownListTest, MovingTheMouseHighlightsAndTouchDoesNot)
{
   Build(3, 30);
   list->OpenSet(true);
   const struct
   {
      bool moved;
      bool touch;
      const char* highlighted;
   } cases[] = {{false, false, "-"}, {true, true, "-"}, {true, false, "b"}};
   for (const auto& c : cases)
   {
      PointerSet(10, 40, false, false);
      PointerSet(10, c.moved ? 45 : 40, false, false);
      pointer.touchActive = c.touch ? 1 : 0;
      Record()->hovered = Item("b");
      list->Update(16);
      EXPECT_EQ(Highlighted(), c.highlighted) << c.moved << c.touch;
   }
   Record()->hovered = nullptr;
}

TEST_F(DropDownListTest, AClickOutsideClosesAndAReleaseOnAnItemChooses)
{
   Build(3, 30);
   list->OpenSet(true);
   PointerSet(10, 40, true, false);
   Record()->hovered = Item("a");
   list->Update(16);
   EXPECT_TRUE(list->OpenCheck()) << "a press on an item";
   Record()->hovered = list;
   list->Update(16);
   EXPECT_TRUE(list->OpenCheck()) << "a press on the list itself";
   PointerSet(500, 500, true, true);
   Record()->hovered = nullptr;
   list->Update(16);
   EXPECT_TRUE(list->OpenCheck()) << "a button held from before is no click";
   PointerSet(500, 500, true, false);
   list->Update(16);
   EXPECT_FALSE(list->OpenCheck());

   list->OpenSet(true);
   Item("c")->OnRelease();
   EXPECT_FALSE(list->OpenCheck());
   EXPECT_EQ(NameOf(list->SelectionGet()), "c");
   ASSERT_FALSE(notices.empty());
   EXPECT_TRUE(notices.back().byUser);

   notices.clear();
   Item("a")->OnRelease();
   EXPECT_TRUE(notices.empty()) << "a closed list's items are not usable";
}

TEST_F(DropDownListTest, ADisabledListCloses)
{
   Build(3, 30);
   list->OpenSet(true);
   list->EnabledSet(false);
   list->Update(16);
   EXPECT_FALSE(list->OpenCheck());
}

TEST_F(DropDownListTest, LuaHandlersHearQuotedNamesAndTheFlag)
{
   ASSERT_TRUE(ScriptManager::Init());
   ASSERT_TRUE(ScriptManager::Execute("GUI = {}"));
   GUIManager::scriptingEnabled = 1;
   Build(0, 30);
   list->ItemAdd("plain", "P", DROP_DOWN_LIST_TEXT_PLAIN);
   list->ItemAdd("it\"em", "Q", DROP_DOWN_LIST_TEXT_PLAIN);
   ASSERT_TRUE(ScriptManager::Execute(
       "LuaVar.heard = '' "
       "function GUI.List.OnSelection(new, old, byUser) "
       "LuaVar.heard = LuaVar.heard .. string.format('S(%s,%s,%s)', tostring(new), tostring(old), "
       "tostring(byUser)) end "
       "function GUI.List.OnSelectionChange(new, old, byUser) "
       "LuaVar.heard = LuaVar.heard .. string.format('C(%s,%s,%s)', tostring(new), tostring(old), "
       "tostring(byUser)) end"));
   list->SelectionSetByName("plain", true);
   list->SelectionSetByName("it\"em", false);
   list->SelectionSetByName("it\"em", true);
   list->SelectionClear();
   ASSERT_NE(ScriptManager::LuaVarGet("heard"), nullptr);
   EXPECT_STREQ(ScriptManager::LuaVarGet("heard"), "C(plain,nil,true)S(plain,nil,true)"
                                                   "C(it\"em,plain,false)S(it\"em,plain,false)"
                                                   "S(it\"em,it\"em,true)"
                                                   "C(nil,it\"em,false)S(nil,it\"em,false)");
   WidgetDestroy(list);
   list = nullptr;
   GUIManager::scriptingEnabled = 0;
   ScriptManager::Deinit();
}

TEST_F(DropDownListTest, LayerFilesMakeListsByTypeName)
{
   DropDownListWidget::TypeRegister();
   ContainerWidget* holder = Make<ContainerWidget>(
       R"({"Children": [)" + ListSpec(30, R"("Type": "DropDownList", "Name": "Games",)") + "]}");
   list = dynamic_cast<DropDownListWidget*>(holder->ChildGetByName("Games"));
   ASSERT_NE(list, nullptr);
   EXPECT_EQ(list->ParentGet(), holder);
   list = nullptr;
   WidgetDestroy(holder);
}

void StderrBox(const char* title, const char* text, bool error)
{
   (void)title;
   (void)error;
   std::fputs(text, stderr);
}

TEST_F(DropDownListTest, AMissingPartEndsTheProgram)
{
   GTEST_FLAG_SET(death_test_style, "threadsafe");
   const char* const parts[] = {"ScrollBox", "OpenButton", "ItemTemplate"};
   for (const char* part : parts)
   {
      ValuePointer spec = TextParse(ListSpec(30));
      spec->ItemStringSet(part, "not an object");
      std::string message =
          std::string("DropDownListWidget::Init -- Missing \"") + part + "\" for widget \"Broken\"";
      EXPECT_DEATH(
          {
             LogMessageBoxFunctionSet(&StderrBox);
             DropDownListWidget* broken = MemoryNew<DropDownListWidget>(HEAP_DEFAULT);
             broken->Init("Broken", nullptr, spec.get());
          },
          message)
          << part;
   }
}
} // namespace
