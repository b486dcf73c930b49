// The engine's hooks for the skeletal runtime, on a real window: memory from the engine heaps,
// files along the graphics paths, and page textures shared through the texture cache.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/GraphicsPathManager.h"
#include "platform/image/Texture.h"
#include "tests/tutorial/TutorialTestSupport.h"
#include "tutorial/SkeletonHooks.h"
#include "tutorial/skeleton/skAtlas.h"
#include "tutorial/skeleton/skHooks.h"

namespace Corvale
{
namespace
{
class SkeletonHooksTest : public tutorial_test_support::TutorialDrawingTest
{
 protected:
   void PagePNGWrite(const std::string& path)
   {
      PNGWrite("Graphics/" + path, 64, 32,
               [](int x, int, u8* rgba)
               {
                  rgba[0] = static_cast<u8>(x * 4);
                  rgba[3] = 255;
               });
   }

   void AtlasWrite(const std::string& path, const std::string& page)
   {
      TextWrite("Graphics/" + path, page + "\nformat: RGBA8888\nfilter: Linear,Linear\nrepeat: none\n"
                                           "r\n  rotate: false\n  xy: 32, 16\n  size: 16, 16\n"
                                           "  orig: 16, 16\n  offset: 0, 0\n  index: -1\n");
   }
};

TEST_F(SkeletonHooksTest, MemoryComesFromTheEngineHeaps)
{
   void* block = SkeletonAllocate(100);
   ASSERT_NE(block, nullptr);
   EXPECT_EQ(reinterpret_cast<uptr>(block) % 4, 0u);
   std::memset(block, 0xAB, 100);
   SkeletonFree(block);
   SkeletonFree(nullptr);
   EXPECT_EQ(SkeletonAllocate(static_cast<size_t>(UINT32_MAX) + 1), nullptr);
}

TEST_F(SkeletonHooksTest, FilesAreReadWholeWithoutATerminator)
{
   const std::string contents("{\"a\":1}\0tail", 12);
   TextWrite("Graphics/Tutorials/t/skeleton.json", contents);
   i32 length = -1;
   char* text = _skUtil_readFile("Tutorials/t/skeleton.json", &length);
   ASSERT_NE(text, nullptr);
   ASSERT_EQ(length, 12);
   EXPECT_EQ(std::string(text, 12), contents);
   _skFree(text);

   length = -1;
   EXPECT_EQ(_skUtil_readFile("Tutorials/t/missing.json", &length), nullptr);
   EXPECT_EQ(length, 0);
   TextWrite("Graphics/Tutorials/t/empty.json", "");
   EXPECT_EQ(_skUtil_readFile("Tutorials/t/empty.json", &length), nullptr);
   EXPECT_EQ(length, 0);
}

TEST_F(SkeletonHooksTest, APageTakesItsSizeFromItsTexture)
{
   PagePNGWrite("Tutorials/t/page.png");
   AtlasWrite("Tutorials/t/t.atlas", "page.png");
   skAtlas* atlas = skAtlas_createFromFile("Tutorials/t/t.atlas");
   ASSERT_NE(atlas, nullptr);
   const skAtlasPage* page = atlas->pages;
   ASSERT_NE(page->rendererObject, nullptr);
   EXPECT_NE(static_cast<Texture*>(page->rendererObject)->name, 0u);
   EXPECT_EQ(page->width, 64);
   EXPECT_EQ(page->height, 32);
   EXPECT_FLOAT_EQ(atlas->regions->u, 0.5f);
   EXPECT_FLOAT_EQ(atlas->regions->vEnd, 1.0f);
   skAtlas_dispose(atlas);
}

TEST_F(SkeletonHooksTest, AtlasesSharingAPageImageKeepItsTextureUntilBothAreGone)
{
   PagePNGWrite("Tutorials/t/page.png");
   AtlasWrite("Tutorials/t/one.atlas", "page.png");
   AtlasWrite("Tutorials/t/two.atlas", "page.png");
   skAtlas* one = skAtlas_createFromFile("Tutorials/t/one.atlas");
   skAtlas* two = skAtlas_createFromFile("Tutorials/t/two.atlas");
   ASSERT_NE(one, nullptr);
   ASSERT_NE(two, nullptr);
   Texture* texture = static_cast<Texture*>(one->pages->rendererObject);
   ASSERT_NE(texture, nullptr);
   EXPECT_EQ(two->pages->rendererObject, texture);
   skAtlas_dispose(one);
   EXPECT_TRUE(textureManager.cache.ResourceFind(texture, nullptr));
   skAtlas_dispose(two);
   EXPECT_FALSE(textureManager.cache.ResourceFind(texture, nullptr));
}

TEST_F(SkeletonHooksTest, APageWithoutTextureKeepsNullAndZeroSize)
{
   AtlasWrite("Tutorials/t/t.atlas", "missing.png");
   const std::string longName = std::string(300, 'p') + ".png";
   AtlasWrite("Tutorials/t/long.atlas", longName);
   for (const char* path : {"Tutorials/t/t.atlas", "Tutorials/t/long.atlas"})
   {
      skAtlas* atlas = skAtlas_createFromFile(path);
      ASSERT_NE(atlas, nullptr) << path;
      EXPECT_EQ(atlas->pages->rendererObject, nullptr) << path;
      EXPECT_EQ(atlas->pages->width, 0) << path;
      EXPECT_EQ(atlas->pages->height, 0) << path;
      EXPECT_EQ(atlas->regions->u, 0.0f) << path;
      skAtlas_dispose(atlas);
   }
   EXPECT_EQ(skAtlas_createFromFile("Tutorials/t/none.atlas"), nullptr);
}

TEST_F(SkeletonHooksTest, ADotInAFolderNameIsNotAnExtension)
{
   PagePNGWrite("Tutorials/a.b/page.png");
   AtlasWrite("Tutorials/a.b/t.atlas", "page");
   skAtlas* atlas = skAtlas_createFromFile("Tutorials/a.b/t.atlas");
   ASSERT_NE(atlas, nullptr);
   EXPECT_NE(atlas->pages->rendererObject, nullptr);
   EXPECT_EQ(atlas->pages->width, 64);
   skAtlas_dispose(atlas);
}
} // namespace
} // namespace Corvale
