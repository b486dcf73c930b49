// Labels: the three text sources and language changes, alignment names, shrinking to fit, the
// bounce timeline, and where the text is drawn.
#include "gui/widgets/LabelWidget.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "tests/gui/LabelTestSupport.h"
#include "core/Event.h"
#include "core/FileManagerStdio.h"
#include "core/TextManager.h"

using namespace WidgetTest;
using LabelTest::FixedFont;

namespace
{
// Labels under a container that lends them the fixed font; English and French texts on disk.
class LabelWidgetTest : public GUITest
{
 protected:
   void SetUp() override
   {
      GUITest::SetUp();
      Event::SystemInit(HEAP_DEFAULT);
      char pattern[] = "/tmp/corvale-label-XXXXXX";
      ASSERT_NE(mkdtemp(pattern), nullptr);
      folder = pattern;
      Write("Text/English/Text.json", R"({"Greeting": "Hello", "Farewell": "Bye"})");
      Write("Text/French/Text.json", R"({"Greeting": "Bonjour"})");
      ASSERT_TRUE(files.BaseFolderSet(folder.c_str()));
      savedResource = fileManagerResource;
      fileManagerResource = &files;
      textManager.LanguageSet(&language);
      textManager.FileNameAppend("Text");
      textManager.OnLanguageChange();
      holder = Make<ContainerWidget>("{}", nullptr, "Holder");
      holder->FontSet(&font);
   }

   void TearDown() override
   {
      WidgetDestroy(holder);
      textManager.Deinit();
      Event::SystemDeinit();
      fileManagerResource = savedResource;
      std::filesystem::remove_all(folder);
      GUITest::TearDown();
   }

   void Write(const std::string& path, const char* text)
   {
      std::filesystem::create_directories(std::filesystem::path(folder + "/" + path).parent_path());
      std::ofstream(folder + "/" + path) << text;
   }

   LabelWidget* Label(const std::string& json) { return Make<LabelWidget>(json, holder); }

   static std::string Text(LabelWidget* label) { return label->TextGet() ? label->TextGet() : "<null>"; }

   std::string folder;
   FileManagerStdio files;
   FileManager* savedResource = nullptr;
   u32 language = 0;
   FixedFont font;
   ContainerWidget* holder = nullptr;
};

TEST_F(LabelWidgetTest, TextSourcesFromJSONKeepOnlyTheLastForm)
{
   const struct
   {
      const char* json;
      const char* text;
      const char* key;
      const char* expression;
   } cases[] = {
       {R"({"Text": "Plain"})", "Plain", nullptr, nullptr},
       {R"({"Text": "Plain", "TextKey": "Greeting"})", "Hello", "Greeting", nullptr},
       {R"({"TextKey": "Missing"})", "<null>", "Missing", nullptr},
       // GUI scripting is off, so an expression yields no text, and it drops the key.
       {R"({"Text": "Plain", "TextKey": "Greeting", "TextExpression": "'x'"})", "<null>", nullptr, "'x'"},
       {R"({"Text": 5})", "<null>", nullptr, nullptr},
   };
   for (const auto& c : cases)
   {
      LabelWidget* label = Label(c.json);
      EXPECT_EQ(Text(label), c.text) << c.json;
      EXPECT_STREQ(label->TextKeyGet(), c.key) << c.json;
      EXPECT_STREQ(label->TextExpressionGet(), c.expression) << c.json;
      WidgetDestroy(label);
   }
}

TEST_F(LabelWidgetTest, SettersDropTheOtherFormsAndKeysFollowTheLanguage)
{
   LabelWidget* label = Label(R"({"TextKey": "Greeting"})");
   EXPECT_EQ(Text(label), "Hello");

   language = 1;
   textManager.OnLanguageChange();
   holder->ChildAdd(label);
   holder->TextsRefresh();
   EXPECT_EQ(Text(label), "Bonjour");

   // A key the new language lacks shows its English text; one no language has leaves no stale
   // text behind.
   label->TextKeySet("Farewell");
   EXPECT_EQ(Text(label), "Bye");
   label->TextKeySet("Missing");
   EXPECT_EQ(Text(label), "<null>");

   label->TextSet("Literal");
   EXPECT_EQ(label->TextKeyGet(), nullptr);
   holder->TextsRefresh();
   EXPECT_EQ(Text(label), "Literal");

   // Handing a label its own text back must not read freed memory.
   label->TextSet(label->TextGet());
   EXPECT_EQ(Text(label), "Literal");

   label->TextKeySet(nullptr);
   EXPECT_EQ(Text(label), "<null>");
}

TEST_F(LabelWidgetTest, AlignmentNamesAndUnknownNames)
{
   LogCapture log;
   const struct
   {
      const char* json;
      i32 alignment;
   } cases[] = {
       {R"({})", TEXT_ALIGNMENT_TOP_LEFT},
       {R"({"TextAlignment": "BottomRight"})", TEXT_ALIGNMENT_BOTTOM_RIGHT},
       {R"({"TextAlignment": "Center"})", TEXT_ALIGNMENT_CENTER},
       {R"({"TextAlignment": ""})", TEXT_ALIGNMENT_TOP_LEFT},
       {R"({"TextAlignment": "Sideways"})", TEXT_ALIGNMENT_TOP_LEFT},
   };
   for (const auto& c : cases)
   {
      LabelWidget* label = Label(c.json);
      EXPECT_EQ(label->TextAlignmentGet(), c.alignment) << c.json;
      WidgetDestroy(label);
   }
   EXPECT_TRUE(log.Has("LabelWidget::Init -- Invalid text alignment \"Sideways\" in widget \"W\"\n"))
       << log.text;
}

TEST_F(LabelWidgetTest, ScaleDownToFitShrinksButNeverGrowsAndKeepsTheAspect)
{
   const struct
   {
      const char* json;
      float x, y;
   } cases[] = {
       // 200 wide in a box of 100: half size.
       {R"({"Bounds": "0|0|100|40", "Text": "ABCDEFGHIJKLMNOPQRST"})", 0.5f, 0.5f},
       {R"({"Bounds": "0|0|100|40", "Text": "ABCDE"})", 1.0f, 1.0f},
       {R"({"Bounds": "0|0|100|40", "Text": "ABCDE", "TextScale": "2|2"})", 2.0f, 2.0f},
       // Only x is too big: both shrink by the same factor.
       {R"({"Bounds": "0|0|100|40", "Text": "ABCDE", "TextScale": "3|1"})", 2.0f, 2.0f / 3.0f},
       // Only the height is too big.
       {R"({"Bounds": "0|0|100|10", "Text": "AB"})", 0.5f, 0.5f},
       // Both too big: the tighter axis decides.
       {R"({"Bounds": "0|0|100|10", "Text": "ABCDEFGHIJKLMNOPQRST"})", 0.5f, 0.5f},
       {R"({"Bounds": "0|0|100|40", "Text": "ABCDEFGHIJKLMNOPQRST", "TextScaleDownToFit": false})", 1.0f,
        1.0f},
       {R"({"TextBounds": "0|0|50|40", "Bounds": "0|0|400|40", "Text": "ABCDEFGHIJ"})", 0.5f, 0.5f},
   };
   for (const auto& c : cases)
   {
      LabelWidget* label = Label(c.json);
      Point2F scale = label->TextScaleEffectiveGet();
      EXPECT_FLOAT_EQ(scale.x, c.x) << c.json;
      EXPECT_FLOAT_EQ(scale.y, c.y) << c.json;
      WidgetDestroy(label);
   }
}

TEST_F(LabelWidgetTest, BounceWaitsScrollsWaitsAndScrollsBack)
{
   // 200 wide in 100: distance 100, at 50 per second a 2 s travel, with 2 s pauses: an 8 s cycle.
   LabelWidget* label =
       Label(R"({"Bounds": "0|0|100|40", "Text": "ABCDEFGHIJKLMNOPQRST", "TextBounceX": true})");
   ASSERT_TRUE(label->bouncing);
   EXPECT_EQ(label->bouncePhaseEnds[2], 8000);
   const struct
   {
      u32 at;
      i32 offset;
   } timeline[] = {{1000, 0},   {2000, 0},  {3000, -50}, {4000, -100}, {5500, -100},
                   {7000, -50}, {7900, -5}, {8500, 0},   {10500, -25}};
   u32 now = 0;
   for (const auto& point : timeline)
   {
      label->Update(point.at - now);
      now = point.at;
      EXPECT_EQ(label->bounceOffset, point.offset) << "at " << point.at << " ms";
   }
   WidgetDestroy(label);
}

TEST_F(LabelWidgetTest, BounceFollowsTheBoundsOfALabelWithoutTextBounds)
{
   LabelWidget* label =
       Label(R"({"Bounds": "0|0|100|40", "Text": "ABCDEFGHIJKLMNOPQRST", "TextBounceX": true})");
   ASSERT_TRUE(label->bouncing);
   label->BoundsSet(Box2F{0.0f, 0.0f, 300.0f, 40.0f});
   EXPECT_FALSE(label->bouncing);
   EXPECT_FLOAT_EQ(label->TextBoundsGet().width, 300.0f);
   label->BoundsSet(Box2F{0.0f, 0.0f, 150.0f, 40.0f});
   EXPECT_TRUE(label->bouncing);
   EXPECT_EQ(label->bounceDistance, 50);
   WidgetDestroy(label);
}

TEST_F(LabelWidgetTest, DrawPlacesTintsAndClipsTheText)
{
   LabelWidget* label = Label(R"({"Bounds": "10|0|100|40", "Text": "ABCDE", "TextAlignment": "Center",
                                  "TextColor": "255|128|0|255"})");
   label->ColorSet(ColorRGBA8{255, 255, 255, 128});
   label->Draw();
   ASSERT_EQ(font.draws, 1);
   EXPECT_EQ(font.drawnText, "ABCDE");
   // 50 wide centred in 100 from x 10; 20 high centred in 40 with the top 16 above the baseline.
   EXPECT_FLOAT_EQ(font.drawnAt.x, 35.0f);
   EXPECT_FLOAT_EQ(font.drawnAt.y, 26.0f);
   EXPECT_FLOAT_EQ(font.drawnClip.x, 10.0f);
   EXPECT_FLOAT_EQ(font.drawnClip.width, 100.0f);
   EXPECT_EQ(font.drawnColor.r, 255);
   EXPECT_EQ(font.drawnColor.g, 128);
   EXPECT_EQ(font.drawnColor.a, 128);

   // Outside the clip area nothing is drawn.
   label->ClipAreaSet(Box2F{500.0f, 0.0f, 10.0f, 10.0f});
   label->Draw();
   EXPECT_EQ(font.draws, 1);
   WidgetDestroy(label);
}

TEST_F(LabelWidgetTest, BouncingTextIsDrawnFromTheLeftWhateverTheAlignment)
{
   LabelWidget* label = Label(R"({"Bounds": "0|0|100|40", "Text": "ABCDEFGHIJKLMNOPQRST",
                                  "TextAlignment": "Right", "TextBounceX": true, "TextScaleDownToFit": false})");
   label->Update(3000);
   label->Draw();
   EXPECT_FLOAT_EQ(font.drawnAt.x, -50.0f);

   // Text that fits is aligned as asked.
   label->TextSet("AB");
   label->Draw();
   EXPECT_FLOAT_EQ(font.drawnAt.x, 80.0f);
   WidgetDestroy(label);
}

TEST_F(LabelWidgetTest, AMissingFontIsReportedOncePerLabel)
{
   LogCapture log;
   LabelWidget* label = Make<LabelWidget>(R"({"Bounds": "0|0|100|40", "Text": "A"})", nullptr, "Lonely");
   label->Draw();
   label->Draw();
   const std::string line = "LabelWidget::Draw -- font is NULL for widget: Lonely\n";
   EXPECT_EQ(log.text.find(line), log.text.rfind(line));
   EXPECT_TRUE(log.Has(line));
   EXPECT_EQ(font.draws, 0);
   WidgetDestroy(label);
}
} // namespace
