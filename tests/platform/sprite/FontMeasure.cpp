// Measuring and aligning text with a bitmap font built by hand, without a GL context.
#include <gtest/gtest.h>

#include "core/Memory.h"
#include "platform/sprite/FontBitmapDefault.h"

using namespace Corvale;

namespace
{
class FontMeasureTest : public ::testing::Test
{
 protected:
   static void SetUpTestSuite()
   {
      if (!Memory::InitialisedCheck())
      {
         Memory::Init();
      }
   }

   void SetUp() override
   {
      font.lineSpacing = 20.0f;
      font.characterSpacing = 1.0f;
      font.blankSpaceWidth = 4.0f;
      font.tabWidth = 12.0f;
      // 'A' 8 wide and 10 tall standing on the baseline; 'g' 6 wide dropping 3 below it.
      GlyphAdd('A', 8, 10, 10);
      GlyphAdd('g', 6, 10, 7);
      GlyphAdd('?', 5, 9, 9);
      font.ascent = 10.0f;
      font.descent = 3.0f;
   }
   void TearDown() override { font.Deinit(); }

   void GlyphAdd(u32 code, float width, float height, float yOffset)
   {
      Glyph glyph;
      glyph.sourceBox = Box2F{0, 0, width, height};
      glyph.yOffset = yOffset;
      font.glyphs.Insert(code, glyph);
   }

   Box2F Measure(const char* text, bool blanks = false)
   {
      Box2F box;
      font.TextBoundsGet(&box, text, blanks);
      return box;
   }

   FontBitmapDefault font;
};

void ExpectBox(const Box2F& box, float x, float y, float w, float h)
{
   EXPECT_FLOAT_EQ(box.x, x);
   EXPECT_FLOAT_EQ(box.y, y);
   EXPECT_FLOAT_EQ(box.width, w);
   EXPECT_FLOAT_EQ(box.height, h);
}

TEST_F(FontMeasureTest, GlyphsBlanksTabsAndLineFeedsAdvanceThePen)
{
   const struct
   {
      const char* text;
      bool blanks;
      Box2F box;
   } cases[] = {
       {"A", false, {0, -10, 8, 10}},
       // A, spacing, g: g starts at 9 and hangs 3 below the baseline.
       {"Ag", false, {0, -10, 15, 13}},
       // A space is 4 + 1; blanks count only when asked for.
       {"A A", false, {0, -10, 22, 10}},
       {"A\tA", false, {0, -10, 30, 10}},
       {"A ", true, {0, -10, 13, 10}},
       // Unknown characters draw as '?' (5 wide); a byte-order mark takes no room.
       {"A\xC3\xA9", false, {0, -10, 14, 10}},
       {"\xEF\xBB\xBF"
        "A\xEF\xBB\xBF"
        "A",
        false,
        {0, -10, 17, 10}},
       // The second line starts again at 0, one line spacing lower.
       {"A\ng", false, {0, -10, 8, 33}},
       {"", false, {0, 0, 0, 0}},
       // A malformed byte ends the walk.
       {"A\xFF"
        "AAAA",
        false,
        {0, -10, 8, 10}},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(c.text);
      ExpectBox(Measure(c.text, c.blanks), c.box.x, c.box.y, c.box.width, c.box.height);
   }
   Box2F limited;
   font.TextBoundsGet(&limited, "AgA", 2, false);
   ExpectBox(limited, 0, -10, 15, 13);
}

TEST_F(FontMeasureTest, ReplacementsMissingCharactersAndAQuestionMarkOfNoGlyph)
{
   font.replacements.Insert('a', 'A');
   font.replacements.Insert('b', 'g');
   ExpectBox(Measure("ab"), 0, -10, 15, 13);

   Font::missingCharacterRecording = 1;
   Measure("Az");
   Font::missingCharacterRecording = 0;
   Measure("Ay");
   EXPECT_EQ(font.missingCharacters.count, 1);
   EXPECT_NE(font.missingCharacters.Find('z'), font.missingCharacters.End());

   font.glyphs.Remove('?');
   ExpectBox(Measure("AzA"), 0, -10, 17, 10);
}

TEST_F(FontMeasureTest, PositionsAlignTheMeasuredTextOrTheFontMetrics)
{
   const Box2F box{100, 50, 200, 40};
   const Point2F one{1, 1};
   const struct
   {
      u32 flags;
      bool metrics;
      Point2F scale;
      Point2F at;
   } cases[] = {
       // "Ag" measures (0, -10, 15, 13).
       {0, false, one, {100, 60}},
       {FONT_ALIGN_CENTER_X | FONT_ALIGN_CENTER_Y, false, one, {100 + 92.5f, 50 + 13.5f + 10}},
       {FONT_ALIGN_RIGHT | FONT_ALIGN_BOTTOM, false, one, {285, 90 - 3}},
       {FONT_ALIGN_CENTER_X | FONT_ALIGN_CENTER_Y, false, {2, 2}, {100 + 85, 50 + 7 + 20}},
       // Font metrics: the line is ascent + descent tall whatever the text.
       {FONT_ALIGN_CENTER_Y, true, one, {100, 50 + 13.5f + 10}},
       {FONT_ALIGN_CENTER_X | FONT_ALIGN_BOTTOM, true, one, {192.5f, 90 - 3}},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(c.flags);
      Point2F at;
      font.TextPositionGet(&at, "Ag", box, c.flags, c.metrics, c.scale);
      EXPECT_FLOAT_EQ(at.x, c.at.x);
      EXPECT_FLOAT_EQ(at.y, c.at.y);
   }
}
} // namespace
