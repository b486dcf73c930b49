// On-screen keyboards: keys found by name in the key sets, the byte limit, backspace, clear and
// caps lock, buttons that are not keys, a display that never takes the focus, and keyboards
// without a display or specification.
#include "gui/widgets/KeyboardWidget.h"

#include <string>

#include "tests/gui/WidgetTestSupport.h"
#include "gui/widgets/PressButtonWidget.h"
#include "gui/widgets/StateContainerWidget.h"
#include "gui/widgets/TextEntryWidget.h"

using namespace WidgetTest;

namespace
{
// Letters A to D in both cases, the four command keys, a digit button and the display.
std::string KeyboardSpec(const std::string& extra, bool withDisplay = true)
{
   std::string keys;
   for (const char* letter : {"A", "B", "C", "D"})
   {
      keys += std::string(R"({"Type": "PressButton", "Name": ")") + letter + R"("},)";
   }
   std::string lower;
   for (const char* letter : {"a", "b"})
   {
      lower += std::string(R"({"Type": "PressButton", "Name": ")") + letter + R"("},)";
   }
   return "{" + extra + R"("Children": [)" +
          (withDisplay ? R"({"Type": "TextEntry", "Name": "TextDisplay", "CanHaveFocus": true},)" : "") +
          R"({"Type": "StateContainer", "Name": "KeySet", "Children": [
               {"Type": "Container", "Name": "Uppercase", "Children": [)" +
          keys + R"({"Type": "PressButton", "Name": "7"}]},
               {"Type": "Container", "Name": "Lowercase", "Children": [)" +
          lower + R"({"Type": "Container", "Name": "Other"}]},
               {"Type": "Container", "Name": "Symbols"}]},
           {"Type": "PressButton", "Name": "Space"},
           {"Type": "PressButton", "Name": "Backspace"},
           {"Type": "PressButton", "Name": "Clear"},
           {"Type": "PressButton", "Name": "CapsLock"}]})";
}

class KeyboardTest : public GUITest
{
 protected:
   void SetUp() override
   {
      GUITest::SetUp();
      GUIManager::WidgetTypeRegister("Container", &WidgetCreate<ContainerWidget>);
      PressButtonWidget::TypeRegister();
      StateContainerWidget::TypeRegister();
      TextEntryWidget::TypeRegister();
   }

   void TearDown() override
   {
      WidgetDestroy(keyboard);
      GUITest::TearDown();
   }

   void Build(const std::string& extra = "", bool withDisplay = true)
   {
      keyboard = Make<KeyboardWidget>(KeyboardSpec(extra, withDisplay), nullptr, "Keyboard");
   }

   PressButtonWidget* Key(const std::string& path)
   {
      return dynamic_cast<PressButtonWidget*>(keyboard->DescendantGetByPath(path.c_str()));
   }

   // Clicks the keys named in order, through the GUI's own click call.
   void Press(std::initializer_list<const char*> paths)
   {
      for (const char* path : paths)
      {
         PressButtonWidget* key = Key(path);
         ASSERT_NE(key, nullptr) << path;
         key->OnClick();
      }
   }

   std::string Shown() { return keyboard->textDisplay->TextGet(); }

   KeyboardWidget* keyboard = nullptr;
};

TEST_F(KeyboardTest, KeysTypeIntoTheDisplayUpToTheLimitInBytes)
{
   Build(R"("TextLengthMax": 3,)");
   ASSERT_NE(keyboard->textDisplay, nullptr);
   EXPECT_EQ(keyboard->textDisplay->TextLengthMaxGet(), 3);
   Press({"KeySet.Uppercase.A", "KeySet.Uppercase.B", "KeySet.Uppercase.C", "KeySet.Uppercase.D"});
   EXPECT_EQ(Shown(), "ABC");
   EXPECT_STREQ(keyboard->text, "ABC");
   Press({"Backspace", "Space"});
   EXPECT_EQ(Shown(), "AB ");
   Press({"Clear", "CapsLock", "KeySet.Lowercase.a", "CapsLock", "KeySet.Uppercase.7"});
   EXPECT_EQ(Shown(), "a") << "a button named with a digit is not a key";
   EXPECT_EQ(Key("KeySet.Uppercase.7")->onClick, nullptr);
   Press({"Backspace", "Backspace"});
   EXPECT_EQ(Shown(), "") << "backspace on an empty text shows the empty text";
}

TEST_F(KeyboardTest, StartsFromItsTextAndReadsTheDisplayBeforeEachLetter)
{
   Build(R"("TextLengthMax": 4, "Text": "Abcdef",)");
   EXPECT_EQ(Shown(), "Abcd");
   keyboard->textDisplay->TextSet("Z");
   Press({"KeySet.Uppercase.B"});
   EXPECT_EQ(Shown(), "ZB");
   WidgetDestroy(keyboard);

   Build(R"("Text": 12,)");
   EXPECT_EQ(Shown(), "") << "a text that is not a string counts as empty";
}

TEST_F(KeyboardTest, CapsLockSwitchesTheKeySet)
{
   Build();
   ASSERT_NE(keyboard->keySet, nullptr);
   EXPECT_STREQ(keyboard->keySet->StateNameGet(), "Uppercase");
   Press({"CapsLock"});
   EXPECT_STREQ(keyboard->keySet->StateNameGet(), "Lowercase");
   Press({"CapsLock"});
   EXPECT_STREQ(keyboard->keySet->StateNameGet(), "Uppercase");
   keyboard->keySet->StateSetByName("Symbols");
   Press({"CapsLock"});
   EXPECT_STREQ(keyboard->keySet->StateNameGet(), "Uppercase") << "from a third state";
}

TEST_F(KeyboardTest, TheDisplayNeverTakesTheFocus)
{
   Build();
   EXPECT_FALSE(keyboard->textDisplay->CanHaveFocusGet());
   EXPECT_TRUE(keyboard->textDisplay->VisibleCheck());
   GUIManager::FocusSet(keyboard->textDisplay);
   EXPECT_NE(GUIManager::focus, keyboard->textDisplay);
}

TEST_F(KeyboardTest, WithoutDisplayOrSpecificationTheKeysDoNothing)
{
   LogCapture log;
   Build("", false);
   EXPECT_TRUE(log.Has("KeyboardWidget::Init -- Keyboard No TextEntryWidget was given.\n"));
   EXPECT_EQ(keyboard->text, nullptr);
   EXPECT_NE(Key("KeySet.Uppercase.A")->onClick, nullptr) << "the keys are bound all the same";
   Press({"KeySet.Uppercase.A", "Space", "Backspace", "Clear", "CapsLock"});
   EXPECT_STREQ(keyboard->keySet->StateNameGet(), "Lowercase");
   WidgetDestroy(keyboard);

   keyboard = MemoryNew<KeyboardWidget>(HEAP_DEFAULT);
   keyboard->Init("Bare", nullptr, nullptr);
   EXPECT_TRUE(log.Has("KeyboardWidget::Init -- Bare No specifications were given.\n"));
   EXPECT_EQ(keyboard->ChildCountGet(), 0);
}

TEST_F(KeyboardTest, LayerFilesMakeKeyboardsByTypeName)
{
   KeyboardWidget::TypeRegister();
   ContainerWidget* holder = Make<ContainerWidget>(
       R"({"Children": [)" +
       KeyboardSpec(R"("Type": "Keyboard", "Name": "Keys", "TextLengthMax": 99999999,)") + "]}");
   KeyboardWidget* made = dynamic_cast<KeyboardWidget*>(holder->ChildGetByName("Keys"));
   ASSERT_NE(made, nullptr);
   EXPECT_EQ(made->textLengthMax, TEXT_ENTRY_LENGTH_MAX_LIMIT) << "a huge limit is capped";
   WidgetDestroy(holder);
}
} // namespace
