// The atlas reader: pages, regions and their texture coordinates, the prefix-matched names,
// malformed and truncated texts, page paths, and failed allocations, with every block and page
// texture given back.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "tests/tutorial/skeleton/SkeletonTestSupport.h"
#include "tutorial/skeleton/skAtlas.h"

namespace Corvale
{
namespace
{
using skeleton_test_support::HookedTest;
using skeleton_test_support::State;

const char* const atlasText = "\n"
                              "page.png\n"
                              "size: 64,32\n"
                              "format: RGBA8888\n"
                              "filter: Linear,MipMap\n"
                              "repeat: none\n"
                              "head\n"
                              "  rotate: false\n"
                              "  xy: 2, 4\n"
                              "  size: 16, 8\n"
                              "  orig: 20, 10\n"
                              "  offset: 1, 2\n"
                              "  index: -1\n"
                              "arm\n"
                              "  rotate: true\n"
                              "  xy: 32, 0\n"
                              "  size: 8, 16\n"
                              "  split: 1, 2, 3, 4\n"
                              "  orig: 9, 17\n"
                              "  offset: 0, 1\n"
                              "  index: 3\n"
                              "\n"
                              "second.png\n"
                              "format: Alpha\n"
                              "filter: Nearest,Nearest\n"
                              "repeat: xy\n"
                              "leg\n"
                              "  rotate: false\n"
                              "  xy: 0, 0\n"
                              "  size: 64, 32\n"
                              "  split: 1, 1, 1, 1\n"
                              "  pad: 2, 2, 2, 2\n"
                              "  orig: 64, 32\n"
                              "  offset: 0, 0\n"
                              "  index: 0\n";

class AtlasTest : public HookedTest
{
 protected:
   static skAtlas* Read(const std::string& text, const char* dir = "")
   {
      std::vector<char> exact = Exact(text);
      return skAtlas_create(exact.data(), static_cast<i32>(exact.size()), dir);
   }

   // The text with one line replaced (line numbers from 0).
   static std::string LineReplace(const std::string& text, int line, const std::string& replacement)
   {
      size_t begin = 0;
      for (int i = 0; i < line; ++i)
      {
         begin = text.find('\n', begin) + 1;
      }
      const size_t end = text.find('\n', begin);
      return text.substr(0, begin) + replacement + text.substr(end);
   }
};

TEST_F(AtlasTest, PagesAndRegionsAreReadInFileOrder)
{
   skAtlas* atlas = Read(atlasText, "dir");
   ASSERT_NE(atlas, nullptr);
   ASSERT_EQ(State().texturePaths.size(), 2u);
   EXPECT_EQ(State().texturePaths[0], "dir/page.png");
   EXPECT_EQ(State().texturePaths[1], "dir/second.png");

   skAtlasPage* page = atlas->pages;
   ASSERT_NE(page, nullptr);
   EXPECT_STREQ(page->name, "page.png");
   EXPECT_EQ(page->atlas, atlas);
   EXPECT_EQ(page->format, SK_ATLAS_RGBA8888);
   EXPECT_EQ(page->minFilter, SK_ATLAS_LINEAR);
   EXPECT_EQ(page->magFilter, SK_ATLAS_MIPMAP);
   EXPECT_EQ(page->uWrap, SK_ATLAS_WRAP_UNSET);
   EXPECT_EQ(page->vWrap, SK_ATLAS_WRAP_UNSET);
   EXPECT_NE(page->rendererObject, nullptr);
   EXPECT_EQ(page->width, 64);
   EXPECT_EQ(page->height, 32);
   skAtlasPage* second = page->next;
   ASSERT_NE(second, nullptr);
   EXPECT_EQ(second->next, nullptr);
   EXPECT_EQ(second->format, SK_ATLAS_ALPHA);
   EXPECT_EQ(second->uWrap, SK_ATLAS_REPEAT);
   EXPECT_EQ(second->vWrap, SK_ATLAS_REPEAT);

   skAtlasRegion* head = atlas->regions;
   ASSERT_NE(head, nullptr);
   EXPECT_STREQ(head->name, "head");
   EXPECT_EQ(head->page, page);
   EXPECT_EQ(head->rotate, 0);
   EXPECT_EQ(head->x, 2);
   EXPECT_EQ(head->y, 4);
   EXPECT_EQ(head->width, 16);
   EXPECT_EQ(head->height, 8);
   EXPECT_FLOAT_EQ(head->u, 2.0f / 64);
   EXPECT_FLOAT_EQ(head->v, 4.0f / 32);
   EXPECT_FLOAT_EQ(head->uEnd, 18.0f / 64);
   EXPECT_FLOAT_EQ(head->vEnd, 12.0f / 32);
   EXPECT_EQ(head->splits, nullptr);
   EXPECT_EQ(head->pads, nullptr);
   EXPECT_EQ(head->origWidth, 20);
   EXPECT_EQ(head->origHeight, 10);
   EXPECT_EQ(head->offsetX, 1);
   EXPECT_EQ(head->offsetY, 2);
   EXPECT_EQ(head->index, -1);

   // Rotated: the packed rectangle is height wide and width tall. Split without pad: the line
   // after the split line is the untrimmed size.
   skAtlasRegion* arm = head->next;
   ASSERT_NE(arm, nullptr);
   EXPECT_EQ(arm->rotate, 1);
   EXPECT_FLOAT_EQ(arm->u, 32.0f / 64);
   EXPECT_FLOAT_EQ(arm->v, 0.0f);
   EXPECT_FLOAT_EQ(arm->uEnd, (32.0f + 16) / 64);
   EXPECT_FLOAT_EQ(arm->vEnd, 8.0f / 32);
   ASSERT_NE(arm->splits, nullptr);
   EXPECT_EQ(arm->splits[0], 1);
   EXPECT_EQ(arm->splits[3], 4);
   EXPECT_EQ(arm->pads, nullptr);
   EXPECT_EQ(arm->origWidth, 9);
   EXPECT_EQ(arm->origHeight, 17);
   EXPECT_EQ(arm->offsetY, 1);
   EXPECT_EQ(arm->index, 3);

   skAtlasRegion* leg = arm->next;
   ASSERT_NE(leg, nullptr);
   EXPECT_EQ(leg->page, second);
   ASSERT_NE(leg->pads, nullptr);
   EXPECT_EQ(leg->pads[2], 2);
   EXPECT_EQ(leg->origWidth, 64);
   EXPECT_EQ(leg->next, nullptr);

   EXPECT_EQ(skAtlas_findRegion(atlas, "arm"), arm);
   EXPECT_EQ(skAtlas_findRegion(atlas, "Arm"), nullptr);
   skAtlas_dispose(atlas);
}

TEST_F(AtlasTest, PageHeaderValuesAreMatchedAsPrefixes)
{
   struct Case
   {
      int line; // of atlasText
      const char* text;
      i32 format, minFilter, magFilter, uWrap, vWrap, rotate;
   };
   const Case cases[] = {
       {3, "format: RGB", SK_ATLAS_RGBA8888, 1, 2, 0, 0, 0},
       {3, "format: RGB565", SK_ATLAS_RGB565, 1, 2, 0, 0, 0},
       {3, "format: Lum", SK_ATLAS_LUMINANCE_ALPHA, 1, 2, 0, 0, 0},
       {3, "format: rgba8888", SK_ATLAS_FORMAT_UNKNOWN, 1, 2, 0, 0, 0},
       {4, "filter: MipMapLinearLinear, Near", 3 + 3, 6, 0, 0, 0, 0},
       {4, "filter: Bilinear, Linear", 6, -1, 1, 0, 0, 0},
       {5, "repeat: x", 6, 1, 2, 2, 1, 0},
       {5, "repeat: y", 6, 1, 2, 1, 2, 0},
       {5, "repeat: xy", 6, 1, 2, 2, 2, 0},
       {5, "repeat: no", 6, 1, 2, 0, 0, 0},
       {7, "rotate:", 6, 1, 2, 0, 0, 1},
       {7, "rotate: tr", 6, 1, 2, 0, 0, 1},
       {7, "rotate: True", 6, 1, 2, 0, 0, 0},
   };
   for (const Case& c : cases)
   {
      skAtlas* atlas = Read(LineReplace(atlasText, c.line, c.text));
      ASSERT_NE(atlas, nullptr) << c.text;
      const skAtlasPage* page = atlas->pages;
      EXPECT_EQ(page->format, c.format) << c.text;
      EXPECT_EQ(page->minFilter, c.minFilter) << c.text;
      EXPECT_EQ(page->magFilter, c.magFilter) << c.text;
      EXPECT_EQ(page->uWrap, c.uWrap) << c.text;
      EXPECT_EQ(page->vWrap, c.vWrap) << c.text;
      EXPECT_EQ(atlas->regions->rotate, c.rotate) << c.text;
      skAtlas_dispose(atlas);
   }
}

TEST_F(AtlasTest, LineFormsThatAreAccepted)
{
   // No size line: the page keeps the texture's size.
   State().textureWidth = 128;
   std::string noSize = atlasText;
   noSize.replace(noSize.find("size: 64,32\nformat: RGBA8888"), 28, "format: Alpha");
   skAtlas* atlas = Read(noSize);
   ASSERT_NE(atlas, nullptr);
   EXPECT_EQ(atlas->pages->format, SK_ATLAS_ALPHA);
   EXPECT_EQ(atlas->pages->width, 128);
   EXPECT_FLOAT_EQ(atlas->regions->u, 2.0f / 128);
   skAtlas_dispose(atlas);

   // CRLF line ends, tabs and no final line end.
   std::string crlf;
   for (const char* p = atlasText; *p; ++p)
   {
      crlf += *p == '\n' ? std::string("\r\n") : std::string(1, *p == ' ' ? '\t' : *p);
   }
   crlf.erase(crlf.size() - 2);
   atlas = Read(crlf);
   ASSERT_NE(atlas, nullptr);
   EXPECT_STREQ(atlas->pages->name, "page.png");
   EXPECT_STREQ(atlas->regions->next->next->name, "leg");
   EXPECT_EQ(atlas->regions->next->next->index, 0);
   skAtlas_dispose(atlas);

   // The offset line is read without a check: missing values read 0.
   atlas = Read(LineReplace(atlasText, 11, "offset"));
   ASSERT_NE(atlas, nullptr);
   EXPECT_EQ(atlas->regions->offsetX, 0);
   EXPECT_EQ(atlas->regions->offsetY, 0);
   skAtlas_dispose(atlas);

   // Numbers beyond the int range clamp.
   atlas = Read(LineReplace(atlasText, 8, "xy: 99999999999999999999, -99999999999"));
   ASSERT_NE(atlas, nullptr);
   EXPECT_EQ(atlas->regions->x, INT_MAX);
   EXPECT_EQ(atlas->regions->y, INT_MIN);
   skAtlas_dispose(atlas);

   atlas = Read("");
   ASSERT_NE(atlas, nullptr);
   EXPECT_EQ(atlas->pages, nullptr);
   skAtlas_dispose(atlas);
}

TEST_F(AtlasTest, AFailedPageTextureGivesZeroCoordinates)
{
   State().textureFails = true;
   skAtlas* atlas = Read(atlasText);
   ASSERT_NE(atlas, nullptr);
   EXPECT_EQ(atlas->pages->rendererObject, nullptr);
   EXPECT_EQ(atlas->pages->width, 0);
   EXPECT_EQ(atlas->pages->height, 0);
   for (const skAtlasRegion* region = atlas->regions; region; region = region->next)
   {
      EXPECT_EQ(region->u, 0.0f);
      EXPECT_EQ(region->v, 0.0f);
      EXPECT_EQ(region->uEnd, 0.0f);
      EXPECT_EQ(region->vEnd, 0.0f);
   }
   skAtlas_dispose(atlas);
}

TEST_F(AtlasTest, MalformedTextsGiveNull)
{
   struct Case
   {
      int line;
      const char* text;
   };
   const Case cases[] = {
       {2, "size 64,32"},                                        // no ':'
       {4, "filter: Linear"},                                    // one filter
       {5, "repeat"},         {7, "rotate false"}, {8, "xy: 2"}, // one position value
       {8, "xy 2, 4"},        {9, "size: 16"},     {10, "orig: 20"}, {10, "orig"}, {12, "index"},
   };
   for (const Case& c : cases)
   {
      EXPECT_EQ(Read(LineReplace(atlasText, c.line, c.text)), nullptr) << c.text;
      EXPECT_EQ(State().live, 0) << c.text;
      EXPECT_EQ(State().texturesLive, 0) << c.text;
   }
   // Texts cut anywhere: within a page header or a region they fail, between blocks they read.
   const std::string text = atlasText;
   for (size_t length = 0; length <= text.size(); ++length)
   {
      skAtlas* atlas = Read(text.substr(0, length));
      if (atlas)
      {
         skAtlas_dispose(atlas);
      }
      EXPECT_EQ(State().live, 0) << "length " << length;
   }
   // A missing position line: the size line is taken as position, the next as size, and so on
   // until the index line is missing.
   std::string noPosition = atlasText;
   noPosition.erase(noPosition.find("  xy: 2, 4\n"), 11);
   EXPECT_EQ(Read(noPosition), nullptr);
}

TEST_F(AtlasTest, PagePathsLieBesideTheAtlasFile)
{
   struct Case
   {
      const char* path;
      const char* page;
   };
   const Case cases[] = {
       {"a/b.atlas", "a/page.png"},
       {"b.atlas", "page.png"},
       {"/x.atlas", "/page.png"},
       {"a\\b.atlas", "a/page.png"},
       {"c\\d/e\\f.atlas", "c\\d/e/page.png"},
       {"a//b.atlas", "a/page.png"},
       {"\\x.atlas", "\\page.png"},
   };
   for (const Case& c : cases)
   {
      State().files[c.path] = "page.png\nformat: RGBA8888\nfilter: Linear,Linear\nrepeat: none\n";
      State().texturePaths.clear();
      skAtlas* atlas = skAtlas_createFromFile(c.path);
      ASSERT_NE(atlas, nullptr) << c.path;
      ASSERT_EQ(State().texturePaths.size(), 1u);
      EXPECT_EQ(State().texturePaths[0], c.page) << c.path;
      skAtlas_dispose(atlas);
   }
   EXPECT_EQ(skAtlas_createFromFile("missing.atlas"), nullptr);
   State().files["bad.atlas"] = "page.png\nformat";
   EXPECT_EQ(skAtlas_createFromFile("bad.atlas"), nullptr);
}

TEST_F(AtlasTest, AFailedAllocationFailsTheReadCleanly)
{
   State().files["a/b.atlas"] = atlasText;
   for (long k = 0;; ++k)
   {
      State().allocations = 0;
      State().failAt = k;
      skAtlas* atlas = skAtlas_createFromFile("a/b.atlas");
      if (atlas)
      {
         EXPECT_EQ(State().allocations, k);
         skAtlas_dispose(atlas);
         break;
      }
      EXPECT_EQ(State().live, 0) << "allocation " << k;
      EXPECT_EQ(State().texturesLive, 0) << "allocation " << k;
   }
}
} // namespace
} // namespace Corvale
