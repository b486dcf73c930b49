// Attachments from an atlas: the loader's kinds and errors, region corner geometry and its world
// pose on a hand-filled bone, and mesh texture coordinates.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "tests/tutorial/skeleton/SkeletonTestSupport.h"
#include "tutorial/skeleton/skAtlas.h"
#include "tutorial/skeleton/skAtlasAttachmentLoader.h"
#include "tutorial/skeleton/skBone.h"
#include "tutorial/skeleton/skBoundingBoxAttachment.h"
#include "tutorial/skeleton/skMeshAttachment.h"
#include "tutorial/skeleton/skRegionAttachment.h"
#include "tutorial/skeleton/skSkeleton.h"
#include "tutorial/skeleton/skSkinnedMeshAttachment.h"

namespace Corvale
{
namespace
{
using skeleton_test_support::HookedTest;
using skeleton_test_support::State;

// A 64 by 32 page (the texture hook's size) with a plain and a rotated region.
const char* const atlasText = "page.png\n"
                              "format: RGBA8888\n"
                              "filter: Linear,Linear\n"
                              "repeat: none\n"
                              "plain\n"
                              "  rotate: false\n"
                              "  xy: 16, 8\n"
                              "  size: 32, 16\n"
                              "  orig: 40, 20\n"
                              "  offset: 3, 2\n"
                              "  index: -1\n"
                              "turned\n"
                              "  rotate: true\n"
                              "  xy: 0, 0\n"
                              "  size: 16, 8\n"
                              "  orig: 16, 8\n"
                              "  offset: 0, 0\n"
                              "  index: -1\n";

class AttachmentTest : public HookedTest
{
 protected:
   void SetUp() override
   {
      HookedTest::SetUp();
      const std::string text = atlasText;
      atlas = skAtlas_create(text.data(), static_cast<i32>(text.size()), "");
      ASSERT_NE(atlas, nullptr);
      loader = skAtlasAttachmentLoader_create(atlas);
      ASSERT_NE(loader, nullptr);
   }

   void TearDown() override
   {
      skAttachmentLoader_dispose(loader);
      skAtlas_dispose(atlas);
      HookedTest::TearDown();
   }

   skAttachment* New(skAttachmentType type, const char* name, const char* path)
   {
      return skAttachmentLoader_newAttachment(loader, nullptr, type, name, path);
   }

   skAtlas* atlas = nullptr;
   skAtlasAttachmentLoader* loader = nullptr;
};

void CornersExpect(const float* actual, const float (&expected)[8], const char* label)
{
   for (int i = 0; i < 8; ++i)
   {
      EXPECT_NEAR(actual[i], expected[i], 1e-4f) << label << " [" << i << "]";
   }
}

TEST_F(AttachmentTest, RegionAttachmentsTakeTheRegionsCoordinatesAndTrim)
{
   skAttachment* attachment = New(SK_ATTACHMENT_REGION, "name", "plain");
   ASSERT_NE(attachment, nullptr);
   EXPECT_EQ(loader->error1, nullptr);
   EXPECT_EQ(attachment->type, SK_ATTACHMENT_REGION);
   EXPECT_STREQ(attachment->name, "name");
   skRegionAttachment* region = static_cast<skRegionAttachment*>(attachment);
   EXPECT_EQ(region->rendererObject, skAtlas_findRegion(atlas, "plain"));
   EXPECT_EQ(region->regionOffsetX, 3);
   EXPECT_EQ(region->regionOffsetY, 2);
   EXPECT_EQ(region->regionWidth, 32);
   EXPECT_EQ(region->regionHeight, 16);
   EXPECT_EQ(region->regionOrigWidth, 40);
   EXPECT_EQ(region->regionOrigHeight, 20);
   EXPECT_EQ(region->scaleX, 1.0f);
   EXPECT_EQ(region->a, 1.0f);
   // u 0.25..0.75, v 0.25..0.75; corners bottom left, top left, top right, bottom right.
   CornersExpect(region->uvs, {0.25f, 0.75f, 0.25f, 0.25f, 0.75f, 0.25f, 0.75f, 0.75f}, "plain");
   skAttachment_dispose(attachment);

   attachment = New(SK_ATTACHMENT_REGION, "turned", "turned");
   ASSERT_NE(attachment, nullptr);
   // u 0..0.125, v 0..0.5: the corners turn by one place.
   CornersExpect(static_cast<skRegionAttachment*>(attachment)->uvs,
                 {0.125f, 0.5f, 0.0f, 0.5f, 0.0f, 0.0f, 0.125f, 0.0f}, "turned");
   skAttachment_dispose(attachment);
}

TEST_F(AttachmentTest, TheLoadersErrorsAndBoundingBoxes)
{
   for (skAttachmentType type : {SK_ATTACHMENT_REGION, SK_ATTACHMENT_MESH, SK_ATTACHMENT_SKINNED_MESH})
   {
      EXPECT_EQ(New(type, "name", "nowhere"), nullptr);
      EXPECT_STREQ(loader->error1, "Region not found: ");
      EXPECT_STREQ(loader->error2, "nowhere");
   }
   EXPECT_EQ(New(static_cast<skAttachmentType>(7), "name", "plain"), nullptr);
   EXPECT_STREQ(loader->error1, "Unknown attachment type: ");
   EXPECT_STREQ(loader->error2, "7");
   EXPECT_EQ(New(static_cast<skAttachmentType>(-2), "name", "plain"), nullptr);
   EXPECT_STREQ(loader->error2, "-2");

   _skAttachmentLoader_setError(loader, nullptr, nullptr);
   skAttachment* box = New(SK_ATTACHMENT_BOUNDING_BOX, "hit", "nowhere");
   ASSERT_NE(box, nullptr);
   EXPECT_EQ(loader->error1, nullptr);
   EXPECT_EQ(box->type, SK_ATTACHMENT_BOUNDING_BOX);
   EXPECT_EQ(static_cast<skBoundingBoxAttachment*>(box)->vertices, nullptr);
   skAttachment_dispose(box);
}

TEST_F(AttachmentTest, RegionCornersFromPlacementAndTrim)
{
   skRegionAttachment* region = skRegionAttachment_create("r");
   ASSERT_NE(region, nullptr);
   region->width = region->height = 32;
   region->regionWidth = region->regionHeight = region->regionOrigWidth = region->regionOrigHeight = 32;
   skRegionAttachment_updateOffset(region);
   CornersExpect(region->offset, {-16, -16, -16, 16, 16, 16, 16, -16}, "square");

   region->rotation = 90;
   region->x = 5;
   region->y = -1;
   skRegionAttachment_updateOffset(region);
   // (a, b) turns to (-b, a), then moves by (5, -1).
   CornersExpect(region->offset, {21, -17, -11, -17, -11, 15, 21, 15}, "turned");

   // A 40 by 20 image trimmed to 32 by 16, 3 right and 2 up, shown 80 by 40 at scale 0.5.
   region->rotation = 0;
   region->x = region->y = 0;
   region->width = 80;
   region->height = 40;
   region->scaleX = region->scaleY = 0.5f;
   region->regionOffsetX = 3;
   region->regionOffsetY = 2;
   region->regionWidth = 32;
   region->regionHeight = 16;
   region->regionOrigWidth = 40;
   region->regionOrigHeight = 20;
   skRegionAttachment_updateOffset(region);
   // Region scale 80 / 40 × 0.5 = 1: local corners -20 + 3, -10 + 2, then + 32, + 16.
   CornersExpect(region->offset, {-17, -8, -17, 8, 15, 8, 15, -8}, "trimmed");

   // An untrimmed size of 0 collapses the trim instead of dividing by zero.
   region->regionOrigWidth = 0;
   region->regionOrigHeight = 0;
   skRegionAttachment_updateOffset(region);
   CornersExpect(region->offset, {-20, -10, -20, -10, -20, -10, -20, -10}, "no size");
   skAttachment_dispose(region);
}

TEST_F(AttachmentTest, WorldCornersFollowTheBoneAndSkeleton)
{
   skRegionAttachment* region = skRegionAttachment_create("r");
   ASSERT_NE(region, nullptr);
   region->width = region->height = 2;
   region->regionWidth = region->regionHeight = region->regionOrigWidth = region->regionOrigHeight = 2;
   skRegionAttachment_updateOffset(region);

   skSkeleton skeleton{};
   skeleton.x = 100;
   skeleton.y = 50;
   skBone bone{};
   bone.skeleton = &skeleton;
   // Turned 90 degrees and scaled 2: (a, b) -> (-2b, 2a), then moved.
   bone.m00 = 0;
   bone.m01 = -2;
   bone.m10 = 2;
   bone.m11 = 0;
   bone.worldX = 10;
   bone.worldY = 20;
   float vertices[8];
   skRegionAttachment_computeWorldVertices(region, &bone, vertices);
   // Corners (-1, -1), (-1, 1), (1, 1), (1, -1).
   CornersExpect(vertices, {112, 68, 108, 68, 108, 72, 112, 72}, "posed");
   skAttachment_dispose(region);
}

TEST_F(AttachmentTest, MeshesMapTheirCoordinatesIntoTheRegion)
{
   const float regionUVs[] = {0, 0, 1, 0, 1, 1, 0.5f, 0.25f};
   struct Case
   {
      const char* path;
      float expected[8];
   };
   // plain: u 0.25..0.75, v 0.25..0.75. turned: u 0..0.125, v 0..0.5, (s, t) -> (u + t w, v + h - s h).
   const Case cases[] = {
       {"plain", {0.25f, 0.25f, 0.75f, 0.25f, 0.75f, 0.75f, 0.5f, 0.375f}},
       {"turned", {0, 0.5f, 0, 0, 0.125f, 0, 0.03125f, 0.25f}},
   };
   for (const Case& c : cases)
   {
      skMeshAttachment* mesh = static_cast<skMeshAttachment*>(New(SK_ATTACHMENT_MESH, "m", c.path));
      ASSERT_NE(mesh, nullptr);
      EXPECT_EQ(mesh->type, SK_ATTACHMENT_MESH);
      EXPECT_EQ(mesh->rendererObject, skAtlas_findRegion(atlas, c.path));
      mesh->verticesCount = 8;
      mesh->regionUVs = SK_ALLOC(float, 8);
      ASSERT_NE(mesh->regionUVs, nullptr);
      std::copy(regionUVs, regionUVs + 8, mesh->regionUVs);
      ASSERT_TRUE(skMeshAttachment_updateUVs(mesh));
      for (int i = 0; i < 8; ++i)
      {
         EXPECT_NEAR(mesh->uvs[i], c.expected[i], 1e-6f) << c.path << " mesh [" << i << "]";
      }
      skAttachment_dispose(mesh);

      skSkinnedMeshAttachment* skinned =
          static_cast<skSkinnedMeshAttachment*>(New(SK_ATTACHMENT_SKINNED_MESH, "s", c.path));
      ASSERT_NE(skinned, nullptr);
      EXPECT_EQ(skinned->type, SK_ATTACHMENT_SKINNED_MESH);
      EXPECT_EQ(skinned->regionRotate, skAtlas_findRegion(atlas, c.path)->rotate);
      EXPECT_EQ(skinned->regionOrigWidth, skAtlas_findRegion(atlas, c.path)->origWidth);
      skinned->uvsCount = 8;
      skinned->regionUVs = SK_ALLOC(float, 8);
      ASSERT_NE(skinned->regionUVs, nullptr);
      std::copy(regionUVs, regionUVs + 8, skinned->regionUVs);
      ASSERT_TRUE(skSkinnedMeshAttachment_updateUVs(skinned));
      for (int i = 0; i < 8; ++i)
      {
         EXPECT_NEAR(skinned->uvs[i], c.expected[i], 1e-6f) << c.path << " skinned [" << i << "]";
      }
      skAttachment_dispose(skinned);
   }
}
} // namespace
} // namespace Corvale
