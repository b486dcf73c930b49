// Text documents: line breaks, wrapping and blanks, the markup switches and their faults, long
// multi-byte words, alignment, the text sources, and drawing only the children near the view.
#include "gui/widgets/TextDocumentWidget.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/gui/LabelTestSupport.h"
#include "core/Event.h"
#include "core/FileManagerStdio.h"
#include "core/TextManager.h"
#include "gui/widgets/LabelWidget.h"
#include "platform/sprite/FontManager.h"

using namespace WidgetTest;
using LabelTest::FixedFont;

namespace
{
// Documents under a holder that lends them a font of 10 units a byte, 16 above and 4 below the
// baseline, 20 between lines; the fonts "A" and "B" are loaded.
class TextDocumentTest : public GUITest
{
 protected:
   void SetUp() override
   {
      GUITest::SetUp();
      GUIManager::WidgetTypeRegister("Label", &WidgetCreate<LabelWidget>);
      for (FixedFont* f : {&font, &fontA, &fontB})
      {
         f->lineSpacing = 20.0f;
      }
      FontManager::cache.Add("A", fileManagerResource, &fontA);
      FontManager::cache.Add("B", fileManagerResource, &fontB);
      holder = Make<ContainerWidget>("{}", nullptr, "Holder");
      holder->FontSet(&font);
   }

   void TearDown() override
   {
      WidgetDestroy(holder);
      FontManager::cache.Clear();
      GUITest::TearDown();
   }

   // A document whose visible window is width × 60.
   TextDocumentWidget* Document(int width, const std::string& extra = "")
   {
      return Make<TextDocumentWidget>(R"({"ClipContainer": {"ClipArea": "0|0|)" + std::to_string(width) +
                                          R"(|60"})" + extra + "}",
                                      holder, "Doc");
   }

   // Each line's label texts joined by '|'.
   static std::vector<std::string> Lines(TextDocumentWidget* document)
   {
      std::vector<std::string> result;
      for (i32 i = 0; i < document->lines.count; i++)
      {
         std::string line;
         for (i32 j = 0; j < document->lines[i]->items.count; j++)
         {
            auto* label = dynamic_cast<LabelWidget*>(document->lines[i]->items[j]);
            line += (j ? "|" : "") + std::string(label && label->TextGet() ? label->TextGet() : "<sprite>");
         }
         result.push_back(line);
      }
      return result;
   }

   static LabelWidget* Label(TextDocumentWidget* document, i32 line, i32 item)
   {
      return dynamic_cast<LabelWidget*>(document->lines[line]->items[item]);
   }

   FixedFont font;
   FixedFont fontA;
   FixedFont fontB;
   ContainerWidget* holder = nullptr;
};

using LineList = std::vector<std::string>;

TEST_F(TextDocumentTest, LineBreaksAndWrapping)
{
   struct Case
   {
      const char* text;
      LineList expected;
   } cases[] = {
       {"A\r\nB", {"A", "B"}},
       {"A\nB", {"A", "B"}},
       {"A\rB", {"A", "B"}},
       {"A\n\rB", {"A", "", "B"}},
       {"Hello world again", {"Hello", "world", "again"}},
       {"  A\n\tB", {"  A", "\tB"}},            // blanks kept at the start and after a break
       {"ABCDEFGH  IJK", {"ABCDEFGH ", "IJK"}}, // cut at the last blank that fits; the rest drops its blanks
       {"<TextColor=1|2|3|4>  C", {"C"}},       // and after a tag
       {"Hello <Font=A>world</Font>", {"Hello ", "world"}}, // a word that no longer fits moves on
       {" \t ", {}},
   };
   TextDocumentWidget* document = Document(100);
   for (const Case& c : cases)
   {
      document->TextSet(c.text);
      EXPECT_EQ(Lines(document), c.expected) << c.text;
   }
   document->TextSet(" \t ");
   EXPECT_EQ(document->contentContainer->ChildCountGet(), 0);
   EXPECT_FLOAT_EQ(document->contentHeight, 0.0f);
   WidgetDestroy(document);
}

TEST_F(TextDocumentTest, LinesStackByAscentDescentAndSpacing)
{
   TextDocumentWidget* document = Document(100, R"(, "Text": "A\nB\n")");
   ASSERT_EQ(Lines(document), (LineList{"A", "B", ""}));
   EXPECT_FLOAT_EQ(Label(document, 0, 0)->PositionGet().y, 16.0f);
   EXPECT_FLOAT_EQ(Label(document, 1, 0)->PositionGet().y, 36.0f);
   // The trailing empty line advances by its own line height and has no descent.
   EXPECT_FLOAT_EQ(document->contentHeight, 56.0f);
   Box2F content = document->ClipContainerGet()->BoundsGet();
   EXPECT_FLOAT_EQ(content.width, 100.0f);
   EXPECT_FLOAT_EQ(content.height, 56.0f);
   WidgetDestroy(document);
}

TEST_F(TextDocumentTest, MarkupSwitchesAndTheirFaults)
{
   LogCapture log;
   TextDocumentWidget* document = Document(400);

   document->TextSet("<Font=A>x <Font=B>y</Font> z");
   ASSERT_EQ(Lines(document), (LineList{"x <Font=B>y| z"}));
   EXPECT_EQ(Label(document, 0, 0)->FontGet(), &fontA);
   EXPECT_EQ(Label(document, 0, 1)->FontGet(), &font);

   document->TextSet("a</TextColor>b<Sprite=Nothing");
   EXPECT_EQ(Lines(document), (LineList{"a</TextColor>b<Sprite=Nothing"}))
       << "stray closers and open tags are text";

   document->TextSet("<TextColor=10|20|30|40>c</TextColor>d<TextColor=red>e");
   ASSERT_EQ(Lines(document), (LineList{"c|d|e"}));
   EXPECT_EQ(Label(document, 0, 0)->TextColorGet().g, 20);
   EXPECT_EQ(Label(document, 0, 1)->TextColorGet().g, 255);
   EXPECT_EQ(Label(document, 0, 2)->TextColorGet().g, 255);
   EXPECT_TRUE(log.Has("TextDocumentWidget::TextProcess -- Incorrectly formatted text color: red\n   Correct "
                       "format is red|green|blue|alpha."));

   document->TextSet("<Font=Missing>f");
   EXPECT_EQ(Label(document, 0, 0)->FontGet(), &font);
   EXPECT_TRUE(log.Has("TextDocumentWidget::TextProcess -- Font not loaded: Missing\n"));

   document->TextSet(("<Font=" + std::string(300, 'n') + ">g").c_str());
   EXPECT_TRUE(log.Has("Font name \"" + std::string(255, 'n') + "\" is longer than the maximum (256)\n"));
   WidgetDestroy(document);
}

TEST_F(TextDocumentTest, ScaleTagsMultiplyTheFactorAndCloseToTheBase)
{
   LogCapture log;
   TextDocumentWidget* document = Document(400, R"(, "TextScale": "0.5|0.5")");
   document->TextSet("<TextScale=2|2>big</TextScale>small<TextScale=2>odd");
   ASSERT_EQ(Lines(document), (LineList{"big|small|odd"}));
   EXPECT_FLOAT_EQ(Label(document, 0, 0)->TextScaleGet().x, 2.0f);
   EXPECT_FLOAT_EQ(Label(document, 0, 0)->BoundsGet().width, 60.0f);
   EXPECT_FLOAT_EQ(Label(document, 0, 1)->TextScaleGet().y, 0.5f);
   EXPECT_FLOAT_EQ(Label(document, 0, 2)->TextScaleGet().y, 0.5f);
   EXPECT_TRUE(log.Has("TextDocumentWidget::TextProcess -- Incorrectly formatted text scale: 2\n   Correct "
                       "format is x|y."));
   document->TextScaleFactorSet(Point2F{2.0f, 2.0f});
   EXPECT_FLOAT_EQ(Label(document, 0, 0)->TextScaleGet().x, 4.0f);
   EXPECT_FLOAT_EQ(Label(document, 0, 1)->TextScaleGet().x, 1.0f);
   WidgetDestroy(document);
}

TEST_F(TextDocumentTest, LongWordsAreCutBetweenCharacters)
{
   // Twelve two-byte characters, 20 units each: five to a line of 100.
   std::string word;
   for (int i = 0; i < 12; i++)
   {
      word += "\xC3\xA9";
   }
   TextDocumentWidget* document = Document(100);
   document->TextSet(word.c_str());
   ASSERT_EQ(Lines(document), (LineList{word.substr(0, 10), word.substr(10, 10), word.substr(20)}));

   // Narrower than one character: still one character a line, and the text ends.
   document->AreaSet(Box2F{0.0f, 0.0f, 5.0f, 60.0f});
   document->TextSet("abc");
   EXPECT_EQ(Lines(document), (LineList{"a", "b", "c"}));
   document->TextSet(word.substr(0, 4).c_str());
   EXPECT_EQ(Lines(document), (LineList{word.substr(0, 2), word.substr(2, 2)}));
   WidgetDestroy(document);
}

TEST_F(TextDocumentTest, AlignmentPlacesLinesInTheView)
{
   LogCapture log;
   TextDocumentWidget* document = Document(100, R"(, "TextAlignment": "Center", "Text": "AB\nABCD")");
   // Two lines 40 high in a view 60 high: moved down by 10, centred across.
   EXPECT_FLOAT_EQ(Label(document, 0, 0)->PositionGet().x, 40.0f);
   EXPECT_FLOAT_EQ(Label(document, 0, 0)->PositionGet().y, 26.0f);
   EXPECT_FLOAT_EQ(Label(document, 1, 0)->PositionGet().x, 30.0f);
   EXPECT_FLOAT_EQ(document->contentHeight, 50.0f);
   document->TextAlignmentSet(TEXT_DOCUMENT_ALIGN_RIGHT | TEXT_DOCUMENT_ALIGN_BOTTOM);
   EXPECT_FLOAT_EQ(Label(document, 0, 0)->PositionGet().x, 80.0f);
   EXPECT_FLOAT_EQ(Label(document, 1, 0)->PositionGet().y, 56.0f);
   WidgetDestroy(document);

   document = Document(100, R"(, "TextAlignment": "Middle")");
   EXPECT_EQ(document->TextAlignmentGet(), 0);
   EXPECT_TRUE(log.Has("TextDocumentWidget::Init -- Invalid text alignment \"Middle\" in widget \"Doc\"\n"));
   WidgetDestroy(document);
}

TEST_F(TextDocumentTest, SourcesFollowTheLanguageUntilPlainTextReplacesThem)
{
   Event::SystemInit(HEAP_DEFAULT);
   char pattern[] = "/tmp/corvale-document-XXXXXX";
   ASSERT_NE(mkdtemp(pattern), nullptr);
   std::string folder = pattern;
   std::filesystem::create_directories(folder + "/Text/English");
   std::ofstream(folder + "/Text/English/Text.json") << R"({"Greeting": "Hello there"})";
   std::ofstream(folder + "/Text/English/Help.txt") << "Rules\nof play";
   std::filesystem::create_directories(folder + "/Text/French");
   std::ofstream(folder + "/Text/French/Help.txt") << "Regles du jeu";
   FileManagerStdio files;
   ASSERT_TRUE(files.BaseFolderSet(folder.c_str()));
   FileManager* savedResource = fileManagerResource;
   fileManagerResource = &files;
   u32 language = 0;
   textManager.LanguageSet(&language);
   textManager.FileNameAppend("Text");
   textManager.OnLanguageChange();

   TextDocumentWidget* document = Document(400, R"(, "Text": "plain", "TextKey": "Greeting")");
   EXPECT_EQ(Lines(document), (LineList{"Hello there"}));
   document->TextFilenameSet("Help");
   EXPECT_EQ(Lines(document), (LineList{"Rules", "of play"}));
   // The text file is read from the current language's folder.
   language = 1;
   document->TextsRefresh();
   EXPECT_EQ(Lines(document), (LineList{"Regles du jeu"}));
   // Spanish has no translation of it: the English one stands in.
   language = 2;
   document->TextsRefresh();
   EXPECT_EQ(Lines(document), (LineList{"Rules", "of play"}));
   // A document that exists in no language shows nothing, not the one before it.
   document->TextFilenameSet("Nowhere");
   EXPECT_EQ(document->TextGet(), nullptr);
   document->TextsRefresh();
   EXPECT_EQ(document->lines.count, 0);
   document->TextFilenameSet("Help");
   language = 0;
   document->TextsRefresh();
   EXPECT_EQ(Lines(document), (LineList{"Rules", "of play"}));
   EXPECT_EQ(document->TextKeyGet(), nullptr);
   document->TextKeySet("Missing");
   EXPECT_EQ(document->TextGet(), nullptr);
   EXPECT_EQ(document->lines.count, 0);
   document->TextKeySet("Greeting");
   document->TextSet("Mine");
   EXPECT_EQ(document->TextKeyGet(), nullptr);
   document->TextsRefresh();
   EXPECT_EQ(Lines(document), (LineList{"Mine"})) << "plain text does not follow the language";
   WidgetDestroy(document);

   textManager.Deinit();
   textManager.LanguageSet(nullptr);
   Event::SystemDeinit();
   fileManagerResource = savedResource;
   std::filesystem::remove_all(folder);
}

// A child that notes that it was drawn.
class DrawProbe : public Widget
{
 public:
   void DrawBegin() override {}
   void Draw() override { drawn->push_back(index); }
   void DrawEnd() override {}
   std::vector<int>* drawn = nullptr;
   int index = 0;
};

TEST_F(TextDocumentTest, OnlyChildrenNearTheVisibleBandAreDrawn)
{
   TextDocumentWidget* document = Document(100);
   TextDocumentWidgetContentContainer* content = document->contentContainer;
   std::vector<int> drawn;
   for (int i = 0; i < 20; i++)
   {
      DrawProbe* probe = MemoryNew<DrawProbe>(HEAP_DEFAULT);
      probe->InitWithoutSpecification(nullptr, content);
      probe->BoundsSet(Box2F{0.0f, -16.0f, 10.0f, 20.0f});
      probe->PositionSet(Point2F{0.0f, 16.0f + 20.0f * static_cast<float>(i)});
      probe->drawn = &drawn;
      probe->index = i;
      content->ChildAdd(probe);
   }
   content->IndexBuild();
   document->ClipContainerGet()->BoundsSet(Box2F{0.0f, 0.0f, 100.0f, 400.0f});
   document->ContentOffsetSet(0.0f, 100.0f);
   content->Draw();
   // The band 100-160 meets children 4 (80-100, touching) to 8 (160-180, touching).
   EXPECT_EQ(drawn, (std::vector<int>{4, 5, 6, 7, 8}));

   drawn.clear();
   document->ContentOffsetSet(0.0f, 0.0f);
   content->Draw();
   EXPECT_EQ(drawn, (std::vector<int>{0, 1, 2, 3}));
   WidgetDestroy(document);
}
} // namespace

namespace
{
TEST_F(TextDocumentTest, SpritesSitBetweenWordsAndWrapWhenTooWide)
{
   LabelTest::FakeSpriteFile sprites;
   sprites.Build();
   holder->SpriteResourceFilenameSet("Buttons");
   TextDocumentWidget* document = Document(150);
   // "Up" is 100×40 from 0|0: after "ab" it fits, after "abcdef" it goes to the next line.
   document->TextSet("ab<Sprite=Up>c\nabcdef<Sprite=Up>g");
   ASSERT_EQ(Lines(document), (LineList{"ab|<sprite>|c", "abcdef", "<sprite>|g"}));
   Widget* sprite = document->lines[0]->items[1];
   EXPECT_FLOAT_EQ(sprite->BoundsGet().width, 100.0f);
   EXPECT_FLOAT_EQ(sprite->PositionGet().x, 20.0f);
   EXPECT_FLOAT_EQ(Label(document, 0, 2)->PositionGet().x, 120.0f);
   EXPECT_FLOAT_EQ(document->lines[0]->width, 130.0f);
   WidgetDestroy(document);
   GUIManager::RemovedWidgetsDestroy();
   sprites.Destroy();
}
} // namespace
