// Tutorial fixtures written by the tests: a window over a fresh resource tree, the runtime's
// hooks installed, and a small page image, atlas and skeleton file under "Tutorials/<name>/".
#pragma once

#include <string>

#include "core/GraphicsPathManager.h"
#include "tests/gui/LayerDrawingTestSupport.h"
#include "tutorial/SkeletonHooks.h"
#include "tutorial/SkeletonManager.h"

namespace Corvale
{
namespace tutorial_test_support
{
// A page of 32 by 16: white on the left half, green on the right.
inline const char* AtlasText(const std::string& page)
{
   static std::string text;
   text = page +
          "\nformat: RGBA8888\nfilter: Linear,Linear\nrepeat: none\n"
          "white\n  rotate: false\n  xy: 0, 0\n  size: 16, 16\n  orig: 16, 16\n  offset: 0, 0\n  index: -1\n"
          "green\n  rotate: false\n  xy: 16, 0\n  size: 16, 16\n  orig: 16, 16\n  offset: 0, 0\n"
          "  index: -1\n";
   return text.c_str();
}

class TutorialDrawingTest : public layer_drawing_test_support::LayerDrawingTest
{
 protected:
   void SetUp() override
   {
      LayerDrawingTest::SetUp();
      GraphicsPathManager::Set(0, "Graphics");
      SkeletonHooksInstall();
   }

   void TearDown() override
   {
      SkeletonManagerCommon::Deinit();
      EXPECT_EQ(textureManager.cache.map.count, 0) << "a page texture was left";
      LayerDrawingTest::TearDown();
   }

   // "Tutorials/<name>/skeleton.png", ".atlas" (on pageName) and ".json" (when given).
   void TutorialFilesWrite(const std::string& name, const std::string& skeleton,
                           const std::string& pageName = "skeleton.png")
   {
      const std::string folderName = "Graphics/Tutorials/" + name + "/";
      PNGWrite(folderName + "skeleton.png", 32, 16,
               [](int x, int, u8* rgba)
               {
                  rgba[0] = rgba[2] = x < 16 ? 255 : 0;
                  rgba[1] = 255;
                  rgba[3] = 255;
               });
      TextWrite(folderName + "skeleton.atlas", AtlasText(pageName));
      if (!skeleton.empty())
      {
         TextWrite(folderName + "skeleton.json", skeleton);
      }
   }
};
} // namespace tutorial_test_support
} // namespace Corvale
