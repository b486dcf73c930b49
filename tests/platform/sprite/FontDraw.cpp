// Fonts loaded from files under a GL context: glyph boxes found from a sheet's alpha, the map,
// duplicates, load failures, clipped drawing, and a font made by our generator drawn centred.
#include "tests/platform/SpriteTestSupport.h"

#include "platform/sprite/FontBitmapDefault.h"
#include "platform/sprite/FontManager.h"
#include "tests/platform/BitmapTestSupport.h"

using namespace Corvale;
using sprite_test_support::DrawingTest;
using sprite_test_support::Pixel;
using testing_support::LogCapture;

namespace
{
// The data fonts the build generated: <build>/data/Graphics/Fonts beside <build>/tests.
std::string GeneratedFontsFolderGet()
{
   return sprite_test_support::BuildDataFolderGet() + "/Graphics/Fonts";
}

class FontDrawTest : public DrawingTest
{
 protected:
   void SetUp() override
   {
      DrawingTest::SetUp();
      // Cells of 8 x 8, baseline 6 below each row's top. Row 0: 'A' (1,1)-(5,6), 'B' (9,3)-(11,8),
      // '?' (17,0)-(20,6), and 'A' again filling its whole cell; row 1: an empty 'C'.
      PNGWrite("Graphics/Fonts/Tiny.png", 32, 16,
               [](int x, int y, u8* p)
               {
                  bool on = (x >= 1 && x < 5 && y >= 1 && y < 6) || (x >= 9 && x < 11 && y >= 3 && y < 8) ||
                            (x >= 17 && x < 20 && y >= 0 && y < 6) || (x >= 24 && y < 8);
                  if (on)
                  {
                     p[0] = p[1] = p[2] = p[3] = 255;
                  }
               });
   }
   void TearDown() override
   {
      EXPECT_EQ(FontManager::cache.map.count, 0) << "a font reference was left";
      FontManager::Deinit();
      DrawingTest::TearDown();
   }

   void FontWrite(const char* name, const std::string& members, bool width = true)
   {
      TextWrite(std::string("Graphics/Fonts/") + name + ".json",
                std::string(width ? "{\"Width\": 8, " : "{") +
                    "\"Height\": 8, \"Ascent\": 6, \"LineSpacing\": 10, \"CharacterSpacing\": 1,"
                    " \"BlankSpaceWidth\": 4" +
                    members + "}");
   }
};

void ExpectBox(const Box2F& box, float x, float y, float w, float h)
{
   EXPECT_FLOAT_EQ(box.x, x);
   EXPECT_FLOAT_EQ(box.y, y);
   EXPECT_FLOAT_EQ(box.width, w);
   EXPECT_FLOAT_EQ(box.height, h);
}

TEST_F(FontDrawTest, GlyphBoxesComeFromTheSheetAndTheFirstCellOfACharacterWins)
{
   FontWrite("Tiny", R"(, "MapSrc": "ab", "MapDst": "AB",
                      "Bitmaps": [{"Name": "Tiny", "Lines": ["AB?A", "C"]}])");
   Font* font = FontManager::Load("Tiny");
   ASSERT_NE(font, nullptr);
   EXPECT_EQ(FontManager::Load("Tiny"), font);
   EXPECT_EQ(FontManager::Get("Tiny"), font);
   EXPECT_EQ(FontManager::cache.map.First()->value->referenceCount, 2);
   FontManager::Release(font);

   FontBitmapDefault* bitmapFont = static_cast<FontBitmapDefault*>(font);
   EXPECT_EQ(bitmapFont->glyphs.count, 4);
   EXPECT_EQ(bitmapFont->bitmaps.count, 1);
   EXPECT_FLOAT_EQ(bitmapFont->tabWidth, 12) << "three blanks without TabWidth";
   const Glyph& a = bitmapFont->glyphs.Find('A')->value;
   ExpectBox(a.sourceBox, 1, 1, 4, 5);
   EXPECT_FLOAT_EQ(a.yOffset, 5);
   const Glyph& c = bitmapFont->glyphs.Find('C')->value;
   EXPECT_FLOAT_EQ(c.sourceBox.height, 0);
   EXPECT_FLOAT_EQ(c.yOffset, 0);
   EXPECT_FLOAT_EQ(font->ascent, 6);
   EXPECT_FLOAT_EQ(font->descent, 2);

   // a and b are drawn as A and B, c has an empty glyph, z falls back to '?'.
   Box2F box;
   font->TextBoundsGet(&box, "abz", false);
   ExpectBox(box, 0, -6, 4 + 1 + 2 + 1 + 3, 8);

   font->TextDraw("AB", Point2F{10, 20}, ColorRGBA8{255, 255, 255, 255}, Point2F{1, 1}, 0, 0);
   const Box2F clip{50, 0, 2, 100};
   font->TextDraw("AB", Point2F{50, 20}, &clip, ColorRGBA8{255, 255, 255, 255}, Point2F{1, 1}, 0, 0);
   font->TextDraw("AB", Point2F{100, 20}, ColorRGBA8{255, 0, 0, 255}, Point2F{2, 2}, 0, 0);
   const std::vector<u8> frame = Frame();
   EXPECT_GT(At(frame, 11, 16).r, 200) << "A sits 5 above the baseline";
   EXPECT_LT(At(frame, 14, 16).r, 50) << "the spacing after A";
   EXPECT_GT(At(frame, 15, 21).g, 200) << "B hangs 2 below the baseline";
   EXPECT_GT(At(frame, 51, 16).r, 200) << "the clip keeps the first two columns";
   EXPECT_LT(At(frame, 53, 16).r, 50) << "and cuts the rest";
   EXPECT_LT(At(frame, 56, 21).r, 50) << "B lies wholly outside the clip";
   EXPECT_GT(At(frame, 104, 14).r, 200) << "scaled A";
   EXPECT_LT(At(frame, 104, 14).g, 50);
   EXPECT_EQ(screen.matrixStack.count, 1);
   FontManager::Release(font);
}

TEST_F(FontDrawTest, BrokenFontFilesLeaveNoFont)
{
   const struct
   {
      const char* members;
      const char* message;
      bool widthLeftOut = false;
   } cases[] = {
       {R"(, "Bitmaps": [{"Name": "Tiny", "Lines": ["A"]}])",
        "unable to get width from font file: \"Fonts/Broken\"", true},
       {R"(, "MapSrc": "ab", "Bitmaps": [{"Name": "Tiny", "Lines": ["A"]}])",
        "found MapSrc, but not MapDst in font file"},
       {R"(, "MapSrc": "ab", "MapDst": "A", "Bitmaps": [{"Name": "Tiny", "Lines": ["A"]}])",
        "problem occurred when setting the character replacements"},
       {R"(, "Bitmaps": {})", "unable to get Bitmaps array"},
       {R"(, "Bitmaps": [])", "Bitmaps array is empty"},
       {R"(, "Bitmaps": [{"Lines": ["A"]}])", "Unable to get bitmap name"},
       {R"(, "Bitmaps": [{"Name": "Nowhere", "Lines": ["A"]}])",
        "Unable to get load image \"Fonts/Nowhere\" from file: \"Fonts/Broken\""},
       {R"(, "Bitmaps": [{"Name": "Tiny", "Lines": []}])", "Unable to get the Lines table"},
       {R"(, "Bitmaps": [{"Name": "Tiny", "Lines": ["A", 5]}])", "Unable to get line of characters"},
       {R"(, "Bitmaps": [{"Name": "Tiny", "Lines": ["A\u00ff"]}])", nullptr},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(c.members);
      FontWrite("Broken", c.members, !c.widthLeftOut);
      LogCapture log;
      Font* font = FontManager::Load("Broken");
      if (!c.message)
      {
         // A well-formed file for contrast.
         ASSERT_NE(font, nullptr);
         FontManager::Release(font);
         continue;
      }
      EXPECT_EQ(font, nullptr);
      EXPECT_TRUE(log.Has(c.message)) << log.text;
   }
   LogCapture log;
   EXPECT_EQ(FontManager::Load("Absent"), nullptr);
   EXPECT_TRUE(log.Has("FontManager::Load -- unable to load font file: \"Absent\""));

   // Characters beyond the sheet's edge are reported and left out.
   FontWrite("Wide", R"(, "Bitmaps": [{"Name": "Tiny", "Lines": ["AB?AC"]}])");
   Font* wide = FontManager::Load("Wide");
   ASSERT_NE(wide, nullptr);
   EXPECT_TRUE(log.Has("Character 67 specified outside the bitmap in font: \"Fonts/Wide\""));
   EXPECT_EQ(static_cast<FontBitmapDefault*>(wide)->glyphs.count, 3);
   FontManager::Release(wide);
}

TEST_F(FontDrawTest, GeneratedFontsDrawTextCentredWhereItWasPlaced)
{
   const std::string generated = GeneratedFontsFolderGet();
   ASSERT_TRUE(std::filesystem::exists(generated + "/SansRegular.json"))
       << "build the corvale_fonts target first: " << generated;
   std::filesystem::copy(generated, folder + "/Graphics/Fonts",
                         std::filesystem::copy_options::recursive |
                             std::filesystem::copy_options::overwrite_existing);

   LogCapture log;
   Font* outlined = FontManager::Load("AauxProBOutlined");
   ASSERT_NE(outlined, nullptr) << log.text;
   FontBitmapDefault* outlinedBitmap = static_cast<FontBitmapDefault*>(outlined);
   for (u32 code : {u32('A'), u32('z'), 0xE9u, 0x416u, 0x2026u, 0x2660u})
   {
      EXPECT_NE(outlinedBitmap->glyphs.Find(code), outlinedBitmap->glyphs.End()) << code;
   }
   // The no-break space is mapped to a plain one.
   Box2F spaced;
   Box2F mapped;
   outlined->TextBoundsGet(&spaced, "A A", false);
   outlined->TextBoundsGet(&mapped,
                           "A\xC2\xA0"
                           "A",
                           false);
   EXPECT_FLOAT_EQ(spaced.width, mapped.width);
   EXPECT_GT(outlined->ascent, 10);
   FontManager::Release(outlined);

   Font* font = FontManager::Load("SansRegular");
   ASSERT_NE(font, nullptr);
   const char* text = "Klondike \xE2\x99\xA0 Ag";
   const Box2F box{200, 200, 500, 120};
   Point2F at;
   font->TextPositionGet(&at, text, box, FONT_ALIGN_CENTER_X | FONT_ALIGN_CENTER_Y, false, Point2F{1, 1});
   Box2F measured;
   font->TextBoundsGet(&measured, text, true);
   font->TextDraw(text, at, ColorRGBA8{255, 255, 255, 255}, Point2F{1, 1}, 0, 0);
   const Box2F lit = LitBoxGet(Frame(), 0);
   // Where the ink should be: the measured box moved to the pen position.
   EXPECT_NEAR(lit.x, at.x + measured.x, 1.0f);
   EXPECT_NEAR(lit.y, at.y + measured.y, 1.0f);
   EXPECT_NEAR(lit.x + lit.width, at.x + measured.x + measured.width, 1.0f);
   EXPECT_NEAR(lit.y + lit.height, at.y + measured.y + measured.height, 1.0f);
   // And that box is centred in the target.
   EXPECT_NEAR(lit.x + lit.width / 2, box.x + box.width / 2, 1.0f);
   EXPECT_NEAR(lit.y + lit.height / 2, box.y + box.height / 2, 1.0f);

   // A second line sits one line spacing lower.
   Box2F twoLines;
   font->TextBoundsGet(&twoLines, "A\nA", false);
   Box2F oneLine;
   font->TextBoundsGet(&oneLine, "A", false);
   EXPECT_FLOAT_EQ(twoLines.height, oneLine.height + font->lineSpacing);
   FontManager::Release(font);
}
} // namespace
