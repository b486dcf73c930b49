// The speech balloon: layout of font runs and word wrap, the reveal one character per step,
// paging and the click states, and hostile texts that must neither crash nor overrun a run.
#include "tests/gui/DialogTestSupport.h"
#include "tests/gui/WidgetTestSupport.h"

#include "core/FileManager.h"
#include "platform/sprite/FontManager.h"

using namespace DialogTest;
using WidgetTest::GUITest;

namespace
{
class DialogWidgetTest : public GUITest
{
 protected:
   void SetUp() override
   {
      GUITest::SetUp();
      SystemClickSet(false);
      FontManager::cache.Add("Big", fileManagerResource, &big);
   }

   void TearDown() override
   {
      for (DialogWidget* balloon : balloons)
      {
         WidgetTest::WidgetDestroy(balloon);
      }
      FontManager::cache.Release("Big", fileManagerResource);
      GUITest::TearDown();
   }

   // A balloon with the base font whose text rectangle is width by height at (x, y).
   DialogWidget* Balloon(float width, float height, const std::string& extra = "", float x = 0, float y = 0)
   {
      char bounds[96];
      std::snprintf(bounds, sizeof(bounds), "\"TextBounds\": \"%g|%g|%g|%g\"", x, y, width, height);
      DialogWidget* balloon = Make<DialogWidget>("{" + std::string(bounds) + extra + "}");
      balloon->FontSet(&base);
      balloons.push_back(balloon);
      return balloon;
   }

   // Lines 16 high (12 above the baseline, 4 below); characters 10 wide.
   FixedFont base{10.0f, 12.0f, 4.0f};
   FixedFont big{20.0f, 20.0f, 6.0f};
   std::vector<DialogWidget*> balloons;
   WidgetTest::LogCapture log;
};

TEST_F(DialogWidgetTest, AFontRunSharesTheLineAndRaisesItsHeight)
{
   DialogWidget* balloon = Balloon(300, 64);
   balloon->TextAppend("one <font=Big>two</font> three", nullptr);

   ASSERT_EQ(balloon->LineCountGet(), 1);
   DialogLine* line = balloon->LineGet(0);
   ASSERT_EQ(line->runCount, 3);
   EXPECT_STREQ(line->runs[0]->text, "one ");
   EXPECT_STREQ(line->runs[1]->text, "two");
   EXPECT_STREQ(line->runs[2]->text, " three");
   EXPECT_EQ(line->runs[0]->font, &base);
   EXPECT_EQ(line->runs[1]->font, &big);
   EXPECT_EQ(line->runs[2]->font, &base);
   EXPECT_FLOAT_EQ(line->runs[1]->width, 60.0f);
   EXPECT_FLOAT_EQ(line->height, 20.0f);
   EXPECT_FLOAT_EQ(line->gap, 6.0f);
   EXPECT_EQ(balloon->StateGet(), DIALOG_STATE_REVEALING);
}

TEST_F(DialogWidgetTest, WordWrapCutsAtBlanksThenAtCharacterBoundaries)
{
   const struct
   {
      const char* text;
      std::vector<std::string> lines;
   } cases[] = {
       // A word wider than the box on a line of its own is cut.
       {"abcdefgh", {"abcde", "fgh"}},
       // ... but on a line that holds text already it moves on whole.
       {"ab abcdefgh", {"ab", "abcde", "fgh"}},
       {"one two three", {"one", "two", "three"}},
       // Two-byte characters are never split.
       {"\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9",
        {"\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9", "\xC3\xA9\xC3\xA9"}},
       {"ab<font=Big>cdef</font>", {"ab", "cd", "ef"}},
       {"   lead", {"lead"}},
       {"A\n\nB", {"A", "", "B"}},
       {"A\n", {"A", ""}},
   };
   for (const auto& test : cases)
   {
      DialogWidget* balloon = Balloon(50, 640);
      balloon->TextAppend(test.text, nullptr);
      EXPECT_EQ(LinesText(balloon), test.lines) << test.text;
   }
}

TEST_F(DialogWidgetTest, LinesAreStackedFromTheTopOfTheTextRectangle)
{
   DialogWidget* balloon = Balloon(300, 200, "", 5, 30);
   balloon->TextAppend("a\n<font=Big>b</font>\n\nc", nullptr);
   ASSERT_EQ(balloon->LineCountGet(), 4);
   EXPECT_FLOAT_EQ(balloon->LineGet(0)->y, 30.0f);
   EXPECT_FLOAT_EQ(balloon->LineGet(1)->y, 46.0f);
   // The Big line is 26 high; the empty line keeps the base font's 16.
   EXPECT_FLOAT_EQ(balloon->LineGet(2)->y, 72.0f);
   EXPECT_FLOAT_EQ(balloon->LineGet(3)->y, 88.0f);
}

TEST_F(DialogWidgetTest, APieceLongerThanARunIsSplitWithoutLosingText)
{
   DialogWidget* balloon = Balloon(2000, 64);
   std::string text;
   for (int i = 0; i < 12; i++)
   {
      text += i ? " abcdefghi" : "abcdefghi";
   }
   balloon->TextAppend(text.c_str(), nullptr);
   ASSERT_EQ(balloon->LineCountGet(), 1);
   EXPECT_EQ(LineText(balloon, 0), text);
   DialogLine* line = balloon->LineGet(0);
   EXPECT_GT(line->runCount, 1);
   for (i32 i = 0; i < line->runCount; i++)
   {
      EXPECT_LT(line->runs[i]->length, DIALOG_RUN_TEXT_SIZE);
      EXPECT_EQ(static_cast<i32>(std::strlen(line->runs[i]->text)), line->runs[i]->length);
   }
}

TEST_F(DialogWidgetTest, RevealTakesOneCharacterPerStepAndAtMostOnePerFrame)
{
   DialogWidget* balloon = Balloon(300, 64);
   // a, é (2 bytes), € (3 bytes), b.
   balloon->TextAppend("a\xC3\xA9\xE2\x82\xAC"
                       "b",
                       nullptr);
   ASSERT_EQ(balloon->revealBytes, 0);
   balloon->Update(20);
   EXPECT_EQ(balloon->revealBytes, 1);
   balloon->Update(20);
   EXPECT_EQ(balloon->revealBytes, 3) << "the two-byte character comes in one step";
   balloon->Update(1000);
   EXPECT_EQ(balloon->revealBytes, 6) << "a long frame still reveals one character";
   balloon->Update(5);
   EXPECT_EQ(balloon->revealBytes, 6);
   EXPECT_EQ(balloon->revealTimer, 15u);

   base.draws.clear();
   balloon->TextDraw();
   ASSERT_EQ(base.draws.size(), 1u);
   EXPECT_EQ(base.draws[0].text, "a\xC3\xA9\xE2\x82\xAC");

   balloon->Update(15);
   EXPECT_EQ(balloon->StateGet(), DIALOG_STATE_TEXT_COMPLETE);
}

TEST_F(DialogWidgetTest, RunsAreDrawnAtTheBaselineInTheirFontsAndColour)
{
   DialogWidget* balloon = Balloon(300, 64, ", \"TextColor\": \"10|20|30|255\"", 10, 20);
   balloon->TextDraw();
   EXPECT_TRUE(base.draws.empty()) << "nothing to draw while empty";
   balloon->TextAppend("ab<font=Big>cd</font>", nullptr);
   balloon->Update(20);
   balloon->TextDraw();
   ASSERT_EQ(base.draws.size(), 1u);
   EXPECT_EQ(base.draws[0].text, "a");
   EXPECT_TRUE(big.draws.empty());

   RevealToRest(balloon);
   base.draws.clear();
   balloon->TextDraw();
   ASSERT_EQ(base.draws.size(), 1u);
   ASSERT_EQ(big.draws.size(), 1u);
   // The line's baseline lies the Big font's ascent below the rectangle's top.
   EXPECT_EQ(base.draws[0].text, "ab");
   EXPECT_FLOAT_EQ(base.draws[0].position.x, 10.0f);
   EXPECT_FLOAT_EQ(base.draws[0].position.y, 40.0f);
   EXPECT_EQ(big.draws[0].text, "cd");
   EXPECT_FLOAT_EQ(big.draws[0].position.x, 30.0f);
   EXPECT_FLOAT_EQ(big.draws[0].position.y, 40.0f);
   EXPECT_EQ(big.draws[0].color.r, 10);
   EXPECT_EQ(big.draws[0].color.g, 20);
   EXPECT_EQ(big.draws[0].color.b, 30);
}

TEST_F(DialogWidgetTest, TenLinesInAFourLineBoxPageWithTheIndicator)
{
   DialogWidget* balloon =
       Balloon(100, 64, ", \"BackgroundSprite\": {}, \"ContinueIndicatorSprite\": {\"Position\": \"90|60\"}");
   ASSERT_NE(balloon->continueIndicator, nullptr);
   ASSERT_NE(balloon->backgroundSprite, nullptr);
   // Background, text, indicator: the text draws between the two sprites.
   ASSERT_EQ(balloon->ChildCountGet(), 3);
   EXPECT_STREQ(balloon->ChildGetAt(1)->TypeNameGet(), "DialogText");
   balloon->Update(0);
   EXPECT_FALSE(balloon->backgroundSprite->visible);

   balloon->TextAppend("L0\nL1\nL2\nL3\nL4\nL5\nL6\nL7\nL8\nL9", nullptr);
   ASSERT_EQ(balloon->LineCountGet(), 10);
   RevealToRest(balloon);
   EXPECT_EQ(balloon->StateGet(), DIALOG_STATE_PAGE_COMPLETE);
   EXPECT_EQ(balloon->revealLine, 3);
   EXPECT_TRUE(balloon->continueIndicator->visible);
   EXPECT_TRUE(balloon->backgroundSprite->visible);
   base.draws.clear();
   balloon->TextDraw();
   ASSERT_EQ(base.draws.size(), 4u);
   EXPECT_EQ(base.draws[3].text, "L3");

   // The click turns the page: the next lines start at the top.
   ClickFrame(balloon);
   EXPECT_EQ(balloon->StateGet(), DIALOG_STATE_REVEALING);
   EXPECT_EQ(LineText(balloon, 0), "L4");
   EXPECT_FLOAT_EQ(balloon->LineGet(0)->y, 0.0f);
   EXPECT_FALSE(balloon->continueIndicator->visible);

   // A click while revealing shows the whole page at once.
   balloon->Update(20);
   ClickFrame(balloon);
   EXPECT_EQ(balloon->StateGet(), DIALOG_STATE_PAGE_COMPLETE);
   EXPECT_EQ(balloon->revealLine, 3);
   EXPECT_EQ(balloon->revealBytes, 2);

   ClickFrame(balloon);
   EXPECT_EQ(LinesText(balloon), (std::vector<std::string>{"L8", "L9"}));
   RevealToRest(balloon);
   EXPECT_EQ(balloon->StateGet(), DIALOG_STATE_TEXT_COMPLETE);
   EXPECT_TRUE(balloon->continueIndicator->visible);

   // On the last page a click closes the balloon.
   ClickFrame(balloon);
   EXPECT_EQ(balloon->StateGet(), DIALOG_STATE_EMPTY);
   EXPECT_EQ(balloon->LineCountGet(), 0);
   EXPECT_FALSE(balloon->continueIndicator->visible);
   EXPECT_FALSE(balloon->backgroundSprite->visible);
}

TEST_F(DialogWidgetTest, AClickIsIgnoredWhileTheBalloonIsDisabled)
{
   DialogWidget* balloon = Balloon(100, 64);
   balloon->TextAppend("Hello", nullptr);
   balloon->EnabledSet(false);
   ClickFrame(balloon);
   EXPECT_EQ(balloon->StateGet(), DIALOG_STATE_REVEALING);
   balloon->EnabledSet(true);
   ClickFrame(balloon);
   EXPECT_EQ(balloon->StateGet(), DIALOG_STATE_TEXT_COMPLETE);
}

TEST_F(DialogWidgetTest, BlankLinesAtTheTopOfANewPageAreDropped)
{
   DialogWidget* balloon = Balloon(100, 64);
   balloon->TextAppend("A\nB\nC\nD\n\n\nE", nullptr);
   RevealToRest(balloon);
   ASSERT_EQ(balloon->StateGet(), DIALOG_STATE_PAGE_COMPLETE);
   ClickFrame(balloon);
   EXPECT_EQ(LinesText(balloon), (std::vector<std::string>{"", "", "E"}));
   balloon->Update(20);
   EXPECT_EQ(LinesText(balloon), (std::vector<std::string>{"E"}));
   RevealToRest(balloon);
   EXPECT_EQ(balloon->StateGet(), DIALOG_STATE_TEXT_COMPLETE);
}

TEST_F(DialogWidgetTest, TextAppendedAfterAFullPageScrollsTheOldLinesAway)
{
   DialogWidget* balloon = Balloon(100, 64);
   balloon->TextAppend("A\nB\nC\nD", nullptr);
   RevealToRest(balloon);
   ASSERT_EQ(balloon->StateGet(), DIALOG_STATE_TEXT_COMPLETE);
   balloon->TextAppend("E", nullptr);
   EXPECT_EQ(balloon->StateGet(), DIALOG_STATE_REVEALING);
   EXPECT_EQ(LinesText(balloon), (std::vector<std::string>{"E"}));
   EXPECT_EQ(balloon->revealBytes, 0);

   // Room left below: the old text stays and the reveal carries on after it.
   DialogWidget* roomy = Balloon(100, 64);
   roomy->TextAppend("A", nullptr);
   RevealToRest(roomy);
   roomy->TextAppend("B", nullptr);
   EXPECT_EQ(LinesText(roomy), (std::vector<std::string>{"A", "B"}));
   roomy->Update(20);
   EXPECT_EQ(roomy->revealLine, 1);
}

TEST_F(DialogWidgetTest, TheLastPageEndsWithItsLastLineVisible)
{
   DialogWidget* balloon = Balloon(100, 64);
   balloon->TextAppend("0\n1\n2\n3\n4\n5", nullptr);
   balloon->Update(20);
   balloon->TextFinish();
   EXPECT_EQ(balloon->StateGet(), DIALOG_STATE_TEXT_COMPLETE);
   EXPECT_EQ(LinesText(balloon), (std::vector<std::string>{"4", "5"}));
   EXPECT_EQ(balloon->revealLine, 1);
}

TEST_F(DialogWidgetTest, BlankTextAddsOneEmptyLineAndFinishes)
{
   for (const char* text : {static_cast<const char*>(nullptr), "", " \t "})
   {
      DialogWidget* balloon = Balloon(100, 64);
      balloon->TextAppend(text, nullptr);
      ASSERT_EQ(balloon->LineCountGet(), 1);
      EXPECT_FLOAT_EQ(balloon->LineGet(0)->height, 12.0f);
      EXPECT_FLOAT_EQ(balloon->LineGet(0)->gap, 4.0f);
      balloon->Update(20);
      EXPECT_EQ(balloon->StateGet(), DIALOG_STATE_TEXT_COMPLETE);
   }
}

TEST_F(DialogWidgetTest, WithoutAFontNothingIsLaidOut)
{
   DialogWidget* balloon = Make<DialogWidget>(R"({"TextBounds": "0|0|100|64"})");
   balloons.push_back(balloon);
   balloon->TextAppend("Hello", nullptr);
   EXPECT_EQ(balloon->LineCountGet(), 0);
   EXPECT_EQ(balloon->StateGet(), DIALOG_STATE_EMPTY);
}

// Texts that overflow every fixed limit; each is laid out, revealed, drawn and clicked away
// while the reveal is checked never to pass the end of its run.
TEST_F(DialogWidgetTest, HostileTextsNeitherCrashNorOverrunARun)
{
   auto repeat = [](const std::string& piece, int count)
   {
      std::string text;
      for (int i = 0; i < count; i++)
      {
         text += piece;
      }
      return text;
   };
   const struct
   {
      const char* what;
      std::string text;
      float width;
      const char* logged;
   } cases[] = {
       {"font name of 40 bytes", "a<font=" + std::string(40, 'N') + ">b", 2000, nullptr},
       {"font tag without its end", "a<font=Big", 2000, nullptr},
       {"unknown font", "a<font=Nope>b</font>c", 2000,
        "DialogWidget::TextAppend -- font \"Nope\" is not loaded\n"},
       {"unclosed font tag", "a<font=Big>b c d", 2000, nullptr},
       {"segment of 1500 bytes", std::string(1500, 'x'), 1000,
        "DialogWidget::TextAppend -- a stretch of 1500 bytes was cut to 1023\n"},
       {"segment of 1500 bytes of three-byte characters", repeat("\xE2\x82\xAC", 500), 1000, nullptr},
       {"200 lines", repeat("x\n", 200), 100, "out of lines or runs"},
       {"100 runs on one line", repeat("a<font=Big>b</font>", 50), 100000, "out of lines or runs"},
       {"150 runs on three lines", repeat(repeat("a<font=Big>b</font>", 25) + "\n", 3), 100000,
        "out of lines or runs"},
       {"box narrower than a character", "abc def", 5, nullptr},
       {"stray continuation bytes",
        "\x80\x80"
        "ab\xC3",
        100, nullptr},
       {"long words", repeat(std::string(150, 'w') + " ", 5), 1000, nullptr},
       {"79 continuation bytes", std::string(79, '\x80'), 2000, nullptr},
       {"a lead byte and 200 continuation bytes", "\xE2" + std::string(200, '\xBF'), 2000, nullptr},
       {"continuation bytes in a narrow box", std::string(100, '\xA0'), 5, nullptr},
   };
   for (const auto& test : cases)
   {
      SCOPED_TRACE(test.what);
      log.text.clear();
      DialogWidget* balloon = Balloon(test.width, 64);
      balloon->TextAppend(test.text.c_str(), nullptr);
      EXPECT_LE(balloon->LineCountGet(), DIALOG_LINE_COUNT);
      if (test.logged)
      {
         EXPECT_TRUE(log.Has(test.logged)) << log.text;
      }
      for (int frame = 0; frame < 20000 && balloon->StateGet() != DIALOG_STATE_EMPTY; frame++)
      {
         if (balloon->StateGet() == DIALOG_STATE_REVEALING)
         {
            balloon->Update(20);
         }
         else
         {
            ClickFrame(balloon);
         }
         DialogLine* line = balloon->LineGet(balloon->revealLine);
         if (line && balloon->revealRun < line->runCount)
         {
            ASSERT_LE(balloon->revealBytes, line->runs[balloon->revealRun]->length);
         }
         balloon->TextDraw();
      }
      EXPECT_EQ(balloon->StateGet(), DIALOG_STATE_EMPTY);
      EXPECT_EQ(balloon->freeRuns.count, DIALOG_RUN_COUNT) << "every run went back to the pool";
      EXPECT_EQ(balloon->freeLines.count, DIALOG_LINE_COUNT);
   }
}

TEST_F(DialogWidgetTest, LongRunsOfContinuationBytesAreCutAndKeptWhole)
{
   // A character is at most four bytes: beyond that each stray byte counts as one.
   for (const std::string& text :
        {std::string(79, '\x80'), std::string(160, '\xBF'), "a" + std::string(100, '\x9F')})
   {
      DialogWidget* balloon = Balloon(2000, 64);
      balloon->TextAppend(text.c_str(), nullptr);
      std::string joined;
      for (const std::string& line : LinesText(balloon))
      {
         joined += line;
      }
      EXPECT_EQ(joined, text);
      EXPECT_LT(RevealToRest(balloon), 1000);
      EXPECT_EQ(balloon->StateGet(), DIALOG_STATE_TEXT_COMPLETE);
   }
}

TEST_F(DialogWidgetTest, BadTagsAreTextAndAnUnknownFontIsTheBalloonsOwn)
{
   const std::string longName = "a<font=" + std::string(40, 'N') + ">b";
   DialogWidget* balloon = Balloon(2000, 64);
   balloon->TextAppend(longName.c_str(), nullptr);
   EXPECT_EQ(LineText(balloon, 0), longName);

   DialogWidget* unknown = Balloon(2000, 64);
   unknown->TextAppend("a<font=Nope>b</font>c", nullptr);
   EXPECT_EQ(LineText(unknown, 0), "abc");
   DialogLine* line = unknown->LineGet(0);
   for (i32 i = 0; i < line->runCount; i++)
   {
      EXPECT_EQ(line->runs[i]->font, &base);
   }
}
} // namespace
