// The atlas cache and skeleton drawing on a real window: shared atlases and their release, and
// the quads that reach the screen for each slot.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/window/Screen.h"
#include "tests/tutorial/LoadedSkeleton.h"
#include "tests/tutorial/TutorialTestSupport.h"
#include "tutorial/skeleton/skAtlas.h"
#include "tutorial/skeleton/skSkeleton.h"
#include "tutorial/skeleton/skSkeletonData.h"
#include "tutorial/skeleton/skSkeletonJson.h"
#include "tutorial/skeleton/skSlot.h"

namespace Corvale
{
namespace
{
using tutorial_test_support::TutorialDrawingTest;

// Two 40 by 40 quads: "a" on the root at (100, 100), "b" 200 units right of it on "arm@0.5".
const char* const skeletonText = R"({
"bones": [ { "name": "root", "x": 100, "y": 100 }, { "name": "arm@0.5", "parent": "root", "x": 200 } ],
"slots": [ { "name": "a", "bone": "root", "attachment": "white" },
           { "name": "b", "bone": "arm@0.5", "attachment": "green" },
           { "name": "m", "bone": "root", "attachment": "mesh" } ],
"skins": { "default": {
  "a": { "white": { "width": 40, "height": 40 } },
  "b": { "green": { "width": 40, "height": 40 } },
  "m": { "mesh": { "type": "mesh", "path": "white", "vertices": [ 0, 0, 90, 0, 90, 90 ],
                   "uvs": [ 0, 0, 1, 0, 1, 1 ], "triangles": [ 0, 1, 2 ], "hull": 3 } } } }
})";

class SkeletonManagerTest : public TutorialDrawingTest
{
 protected:
   void TearDown() override
   {
      loaded.reset();
      TutorialDrawingTest::TearDown();
   }

   void Load(const std::string& pageName = "skeleton.png")
   {
      TutorialFilesWrite("t", skeletonText, pageName);
      loaded = std::make_unique<tutorial_test_support::LoadedSkeleton>();
      loaded->Load("Tutorials/t/skeleton", "Tutorials/t/skeleton.json", false);
      atlas = loaded->atlas;
      skeleton = loaded->skeleton;
      ASSERT_NE(atlas, nullptr);
      ASSERT_NE(skeleton, nullptr) << (loaded->json && loaded->json->error ? loaded->json->error : "");
   }

   skSlot* Slot(int index) { return skeleton->slots[index]; }

   std::unique_ptr<tutorial_test_support::LoadedSkeleton> loaded;
   skAtlas* atlas = nullptr;
   skSkeleton* skeleton = nullptr;
};

TEST_F(SkeletonManagerTest, QuadsLandWhereTheirCornersSayInTheirSlotColours)
{
   Load();
   Slot(0)->g = 0.5f;
   Slot(0)->b = 0.0f;
   screen.trianglesThisFrame = 0;
   SkeletonManager::SkeletonDraw(skeleton);
   // Two regions; the mesh is not drawn.
   EXPECT_EQ(screen.trianglesThisFrame, 4);
   const std::vector<u8> frame = Frame();
   const TestSupport::Pixel white = At(frame, 100, 100);
   EXPECT_EQ(white.r, 255);
   EXPECT_NEAR(white.g, 127, 2);
   EXPECT_EQ(white.b, 0);
   const TestSupport::Pixel green = At(frame, 300, 100);
   EXPECT_EQ(green.r, 0);
   EXPECT_EQ(green.g, 255);
   const Box2F lit = LitBoxGet(frame, 20);
   EXPECT_NEAR(lit.x, 80, 1);
   EXPECT_NEAR(lit.y, 80, 1);
   EXPECT_NEAR(lit.x + lit.width, 320, 1);
   EXPECT_NEAR(lit.y + lit.height, 120, 1);
   EXPECT_EQ(At(frame, 200, 100).g, 0) << "nothing between the two quads";
}

TEST_F(SkeletonManagerTest, SlotsFainterThanOneStepOfAByteAreSkipped)
{
   Load();
   struct Case
   {
      float alpha;
      i32 triangles;
   };
   for (const Case& c : {Case{0.003f, 0}, Case{0.004f, 2}, Case{-1.0f, 0}, Case{1.0f, 2}})
   {
      Slot(0)->a = c.alpha;
      Slot(1)->attachment = nullptr;
      screen.trianglesThisFrame = 0;
      SkeletonManager::SkeletonDraw(skeleton);
      EXPECT_EQ(screen.trianglesThisFrame, c.triangles) << c.alpha;
   }
   screen.trianglesThisFrame = 0;
   SkeletonManager::SkeletonDraw(nullptr);
   EXPECT_EQ(screen.trianglesThisFrame, 0);
}

TEST_F(SkeletonManagerTest, APageWithoutItsTextureDrawsNothing)
{
   Load("missing.png");
   ASSERT_EQ(atlas->pages->rendererObject, nullptr);
   screen.trianglesThisFrame = 0;
   SkeletonManager::SkeletonDraw(skeleton);
   EXPECT_EQ(screen.trianglesThisFrame, 0);
   EXPECT_EQ(LitBoxGet(Frame(), 0).width, 0.0f);
}

TEST(SkeletonManagerDepth, TheNumberAfterTheFirstAtSignIsTheDepth)
{
   struct Case
   {
      const char* name;
      float depth;
   };
   for (const Case& c : {Case{"arm@2.5", 2.5f}, Case{"arm", 0.0f}, Case{"arm@", 0.0f}, Case{"arm@x1", 0.0f},
                         Case{"a@-1.25@3", -1.25f}, Case{"@4", 4.0f}, Case{nullptr, 0.0f}})
   {
      EXPECT_FLOAT_EQ(SkeletonManager::BoneDepthGet(c.name), c.depth) << (c.name ? c.name : "null");
   }
}

TEST_F(SkeletonManagerTest, OneNameSharesOneAtlasUntilItsLastRelease)
{
   TutorialFilesWrite("t", "");
   TutorialFilesWrite("u", "");
   skAtlas* first = SkeletonManager::AtlasLoad("Tutorials/t/skeleton");
   skAtlas* second = SkeletonManager::AtlasLoad("Tutorials/t/skeleton");
   ASSERT_NE(first, nullptr);
   EXPECT_EQ(second, first);
   EXPECT_EQ(SkeletonManager::atlasCache.map.count, 1);
   skAtlas* other = SkeletonManager::AtlasLoad("Tutorials/u/skeleton");
   ASSERT_NE(other, nullptr);
   EXPECT_NE(other, first);
   EXPECT_EQ(SkeletonManager::AtlasLoad("Tutorials/none/skeleton"), nullptr);
   EXPECT_EQ(SkeletonManager::atlasCache.map.count, 2);

   SkeletonManager::AtlasRelease(first);
   EXPECT_TRUE(SkeletonManager::atlasCache.ResourceFind(first, nullptr));
   SkeletonManager::AtlasRelease(second);
   EXPECT_FALSE(SkeletonManager::atlasCache.ResourceFind(first, nullptr));

   // Shutdown disposes what is left, however many references it has.
   EXPECT_EQ(SkeletonManager::AtlasLoad("Tutorials/u/skeleton"), other);
   SkeletonManagerCommon::Deinit();
   EXPECT_EQ(SkeletonManager::atlasCache.map.count, 0);
   EXPECT_EQ(textureManager.cache.map.count, 0);
}
} // namespace
} // namespace Corvale
