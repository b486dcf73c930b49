// Text entries typed through real window text and key events: multi-byte letters and backspace,
// the character limit, Enter, the allowed characters, the password mask and caret timing, the
// buffer bound of TextSet, the owner callbacks, and no typing while input is held back.
#include "gui/widgets/TextEntryWidget.h"

#include <cstring>
#include <string>

#include "tests/gui/WidgetTestSupport.h"
#include "tests/platform/ScreenTestSupport.h"
#include "core/Event.h"
#include "core/ScriptManager.h"
#include "gui/state/FadeManager.h"
#include "gui/state/GameStateManager.h"
#include "platform/input/Keyboard.h"
#include "platform/input/PlatformKeys.h"
#include "platform/window/PlatformWindow.h"
#include "platform/window/Screen.h"
#include "platform/window/WindowMessages.h"

using namespace WidgetTest;

namespace
{

void Heard(TextEntryWidget*, void* userData)
{
   ++*static_cast<int*>(userData);
}

class TextEntryTest : public GUITest
{
 protected:
   static void SetUpTestSuite()
   {
      if (!Memory::InitialisedCheck())
      {
         Memory::Init();
      }
      Event::SystemInit();
      ASSERT_TRUE(screen.Init(TestSupport::WindowSettingsGet(&TestSupport::WindowProcedureTyping)))
          << "needs a display (run under xvfb-run)";
   }

   static void TearDownTestSuite()
   {
      screen.Deinit();
      Event::SystemDeinit();
   }

   void SetUp() override
   {
      GUITest::SetUp();
      KeyboardStateInit();
      // Nothing left over from an earlier test reaches this one.
      screen.MessagesPump();
      KeyboardStateUpdate(true);
      KeyboardStateUpdate(true);
   }

   void TearDown() override
   {
      GUIManager::focus = nullptr;
      WidgetDestroy(entry);
      PlatformKeyStateClear();
      FadeManager::fading = 0;
      GameStateManager::switchPending = 0;
      GUITest::TearDown();
   }

   // A focused entry from the given keys.
   void Build(const std::string& keys = "")
   {
      // Layer files let an entry take the focus; the entry itself does not ask for it.
      entry = Make<TextEntryWidget>(
          R"({"CanHaveFocus": true)" + std::string(keys.empty() ? "" : ", ") + keys + "}", nullptr, "Entry");
      GUIManager::focus = entry;
   }

   // One frame in which the text was typed: "\b" and "\r" are the Backspace and Enter keys, the rest
   // arrives as text input. Then the entry updates.
   void Type(const std::string& typed, u32 elapsed = 16)
   {
      std::string run;
      auto flush = [&run]()
      {
         if (!run.empty())
         {
            EXPECT_TRUE(PlatformTextEventPush(run.c_str()));
            run.clear();
         }
      };
      for (char c : typed)
      {
         if (c == '\b' || c == '\r')
         {
            flush();
            const u8 key = c == '\b' ? VK_BACK : VK_RETURN;
            EXPECT_TRUE(PlatformKeyEventPush(key, true));
            EXPECT_TRUE(PlatformKeyEventPush(key, false));
         }
         else
         {
            run += c;
         }
      }
      flush();
      screen.MessagesPump();
      KeyboardStateUpdate(true);
      entry->Update(elapsed);
   }

   std::string Text() { return entry->TextGet() ? entry->TextGet() : "(null)"; }
   std::string Shown() { return entry->TextDrawnGet() ? entry->TextDrawnGet() : "(null)"; }

   TextEntryWidget* entry = nullptr;
};

TEST_F(TextEntryTest, TypedLettersOfAnyWidthAndBackspaceRemoveWholeCharacters)
{
   const struct
   {
      const char* typed;
      const char* expected;
   } cases[] = {
       {"Zo\xC3\xAB\b", "Zo"},             // Zoë, then Backspace: both bytes go
       {"J\xC3\xBCrgen", "J\xC3\xBCrgen"}, // Jürgen
       {"\xD0\x81\xD0\xB6\xD0\xB8\xD0\xBA", "\xD0\x81\xD0\xB6\xD0\xB8\xD0\xBA"}, // Ёжик
       {"\b\bab", "ab"}, // backspace on an empty entry
       {"\xF0\x9F\x98\x80"
        "a\b\b",
        ""}, // a 4-byte character too
   };
   for (const auto& c : cases)
   {
      Build(R"("AllCharactersAllowed": true)");
      Type(c.typed);
      EXPECT_EQ(Text(), c.expected) << c.typed;
      WidgetDestroy(entry);
      entry = nullptr;
   }
}

TEST_F(TextEntryTest, TheLimitAndEnterDropTheRestOfTheFrame)
{
   Build(R"("TextLengthMax": 3)");
   Type("abcd");
   EXPECT_EQ(Text(), "abc");
   Type("\bxy");
   EXPECT_EQ(Text(), "abx") << "the fourth letter of a frame and all after it are dropped";
   WidgetDestroy(entry);

   Build();
   int enters = 0;
   entry->onEnterPress = &Heard;
   entry->onEnterPressUserData = &enters;
   Type("ab\rcd\r");
   EXPECT_EQ(Text(), "ab");
   EXPECT_EQ(enters, 1);
   WidgetDestroy(entry);

   Build(R"("TextLengthMax": 0)");
   EXPECT_EQ(entry->bufferSize, 2);
   Type("a");
   EXPECT_EQ(Text(), "");
}

TEST_F(TextEntryTest, AllowedCharacters)
{
   const struct
   {
      const char* keys;
      const char* typed;
      const char* expected;
   } cases[] = {
       {"", "a \xC3\xA9!Z9-", "a Z9"}, // the default: ASCII letters, digits and space
       {R"("AllCharactersAllowed": true)", "\xC3\xA9!-", "\xC3\xA9!-"},
       {R"("AllCharactersAllowed": true, "CharactersAllowed": "0123456789")", "a1 2", "12"},
       {R"("CharactersAllowed": "\u00e9\u0416-")", "e\xC3\xA9\xD0\x96-\xD0\xB6", "\xC3\xA9\xD0\x96-"},
   };
   for (const auto& c : cases)
   {
      Build(c.keys);
      Type(c.typed);
      EXPECT_EQ(Text(), c.expected) << c.keys;
      WidgetDestroy(entry);
      entry = nullptr;
   }

   Build();
   entry->AllCharactersAllowedSet(true);
   entry->CharactersAllowedSet("0123456789");
   EXPECT_FALSE(entry->AllCharactersAllowedGet()) << "a list overrides every character";
   EXPECT_FALSE(entry->CharacterAllowedCheck("a"));
   EXPECT_FALSE(entry->CharacterAllowedCheck(nullptr));
   entry->CharactersAllowedSet("1\xC3"
                               "2");
   EXPECT_FALSE(entry->CharacterAllowedCheck("2")) << "nothing after a malformed byte is allowed";
}

TEST_F(TextEntryTest, PasswordAndCaret)
{
   Build(R"("Password": true, "Text": "s3cr\u00e9")");
   EXPECT_EQ(Text(), "s3cr\xC3\xA9");
   entry->DisplayUpdate(0);
   EXPECT_EQ(Shown(), "*****") << "hidden for the first 250 ms";
   entry->DisplayUpdate(249);
   EXPECT_EQ(Shown(), "*****");
   entry->DisplayUpdate(1);
   EXPECT_EQ(Shown(), "*****|");
   entry->DisplayUpdate(249);
   EXPECT_EQ(Shown(), "*****|");
   entry->DisplayUpdate(1);
   EXPECT_EQ(Shown(), "*****") << "then a 500 ms blink";
   entry->DisplayUpdate(250);
   EXPECT_EQ(Shown(), "*****|");

   GUIManager::focus = nullptr;
   entry->DisplayUpdate(0);
   EXPECT_EQ(Shown(), "*****") << "no caret without the focus";
   GUIManager::focus = entry;
   entry->DisplayUpdate(300);
   EXPECT_EQ(Shown(), "*****") << "the caret time restarts when the focus comes back";

   entry->PasswordSet(false);
   EXPECT_EQ(Shown(), "s3cr\xC3\xA9");
   entry->TextSet("");
   entry->PasswordSet(true);
   EXPECT_EQ(Shown(), "");
}

TEST_F(TextEntryTest, TextSetKeepsWhatTheBufferHoldsAndWholeCharacters)
{
   Build(R"("TextLengthMax": 2)");
   ASSERT_EQ(entry->bufferSize, 10);
   entry->TextSet("abcdefghijkl");
   EXPECT_EQ(Text(), "abcdefgh") << "buffer size - 2 bytes, beyond the character limit";
   entry->TextSet("abcdef\xD0\x96\xD0\x96");
   EXPECT_EQ(Text(), "abcdef\xD0\x96") << "never half a character";
   entry->TextSet(nullptr);
   EXPECT_EQ(Text(), "");
   entry->TextSet("xy");
   entry->TextLengthMaxSet(1);
   EXPECT_EQ(Text(), "xy") << "the text moves into the new buffer";
   entry->TextKeySet("OK");
   entry->TextExpressionSet("'x'");
   EXPECT_EQ(Text(), "xy");
   EXPECT_EQ(entry->TextKeyGet(), nullptr);
}

TEST_F(TextEntryTest, AHugeLayerLimitIsCapped)
{
   LogCapture log;
   Build(R"("TextLengthMax": 1073741824)");
   EXPECT_EQ(entry->TextLengthMaxGet(), TEXT_ENTRY_LENGTH_MAX_LIMIT);
   EXPECT_EQ(entry->bufferSize, TEXT_ENTRY_LENGTH_MAX_LIMIT * 4 + 2);
   EXPECT_TRUE(
       log.Has("TextEntryWidget::Init -- \"TextLengthMax\" 1073741824 of widget \"Entry\" is too large"));
   Type("abc");
   EXPECT_EQ(Text(), "abc");
}

TEST_F(TextEntryTest, NoTypingWithoutFocusOrWhileInputIsHeldBack)
{
   Build(R"("Transitions": {"Enter": {"Type": "FromLeft", "Duration": 1000}})");
   const struct
   {
      const char* why;
      void (*hold)(TextEntryWidget*);
      void (*release)(TextEntryWidget*);
   } cases[] = {
       {"no focus", [](TextEntryWidget*) { GUIManager::focus = nullptr; },
        [](TextEntryWidget* e) { GUIManager::focus = e; }},
       {"fade", [](TextEntryWidget*) { FadeManager::fading = 1; },
        [](TextEntryWidget*) { FadeManager::fading = 0; }},
       {"switch pending", [](TextEntryWidget*) { GameStateManager::switchPending = 1; },
        [](TextEntryWidget*) { GameStateManager::switchPending = 0; }},
       {"transition", [](TextEntryWidget* e) { e->TransitionStart("Enter"); },
        [](TextEntryWidget* e) { e->TransitionFinish(); }},
       {"disabled", [](TextEntryWidget* e) { e->EnabledSet(false); },
        [](TextEntryWidget* e) { e->EnabledSet(true); }},
   };
   for (const auto& c : cases)
   {
      c.hold(entry);
      Type("a");
      EXPECT_EQ(Text(), "") << c.why;
      c.release(entry);
   }
   Type("b");
   EXPECT_EQ(Text(), "b");
}

TEST_F(TextEntryTest, FocusAndEnterReachTheOwnerAndLua)
{
   ASSERT_TRUE(ScriptManager::Init());
   ASSERT_TRUE(ScriptManager::Execute("GUI = {}"));
   GUIManager::scriptingEnabled = 1;
   Build();
   GUIManager::focus = nullptr;
   ASSERT_TRUE(
       ScriptManager::Execute("LuaVar.heard = '' "
                              "function GUI.Entry.OnEnterPress() LuaVar.heard = LuaVar.heard .. 'E' end "
                              "function GUI.Entry.OnFocusGain() LuaVar.heard = LuaVar.heard .. 'G' end "
                              "function GUI.Entry.OnFocusLose() LuaVar.heard = LuaVar.heard .. 'L' end"));
   int gains = 0;
   int losses = 0;
   entry->onFocusGain = &Heard;
   entry->onFocusGainUserData = &gains;
   entry->onFocusLose = &Heard;
   entry->onFocusLoseUserData = &losses;
   GUIManager::FocusSet(entry);
   Type("x\r");
   GUIManager::FocusSet(nullptr);
   EXPECT_STREQ(ScriptManager::LuaVarGet("heard"), "GEL");
   EXPECT_EQ(gains, 1);
   EXPECT_EQ(losses, 1);
   WidgetDestroy(entry);
   entry = nullptr;
   GUIManager::scriptingEnabled = 0;
   ScriptManager::Deinit();
}

TEST_F(TextEntryTest, WhileEditedTheTextIsLeftAlignedWithoutBounceAndAFontIsMissedOnce)
{
   Build(R"("TextAlignment": "Right", "TextBounceX": true)");
   EXPECT_EQ(entry->TextAlignmentDrawnGet(), TEXT_ALIGNMENT_LEFT) << "the vertical part is kept";
   EXPECT_FALSE(entry->TextBounceXDrawnCheck());
   LogCapture log;
   entry->TextOffsetDisplayGet();
   entry->TextOffsetDisplayGet();
   EXPECT_EQ(log.text, "TextEntryWidget::TextOffsetDisplayGet -- font is NULL for widget: Entry\n");
   GUIManager::focus = nullptr;
   EXPECT_EQ(entry->TextAlignmentDrawnGet(), TEXT_ALIGNMENT_RIGHT);
   EXPECT_TRUE(entry->TextBounceXDrawnCheck());
}

TEST_F(TextEntryTest, LayerFilesMakeEntriesByTypeName)
{
   TextEntryWidget::TypeRegister();
   ContainerWidget* holder =
       Make<ContainerWidget>(R"({"Children": [{"Type": "TextEntry", "Name": "Name", "Text": "Ann"}]})");
   TextEntryWidget* made = dynamic_cast<TextEntryWidget*>(holder->ChildGetByName("Name"));
   ASSERT_NE(made, nullptr);
   EXPECT_STREQ(made->TextGet(), "Ann");
   EXPECT_EQ(made->bufferSize, 64 * 4 + 2);
   WidgetDestroy(holder);
}
} // namespace
