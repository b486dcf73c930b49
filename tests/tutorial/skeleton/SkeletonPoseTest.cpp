// Posed skeletons: creation in the setup pose, world transforms against matrix products worked
// out here, the update passes around IK constraints, slots and skin switching.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "tests/tutorial/skeleton/SkeletonBuilder.h"
#include "tests/tutorial/skeleton/SkeletonTestSupport.h"
#include "tutorial/skeleton/skBone.h"
#include "tutorial/skeleton/skRegionAttachment.h"
#include "tutorial/skeleton/skSkeleton.h"
#include "tutorial/skeleton/skSkin.h"
#include "tutorial/skeleton/skSlot.h"

namespace Corvale
{
namespace
{
using skeleton_test_support::BoneSpec;
using skeleton_test_support::DataBuild;
using skeleton_test_support::HookedTest;
using skeleton_test_support::IkSpec;
using skeleton_test_support::SlotSpec;
using skeleton_test_support::State;

// A 2D affine transform: [a b tx; c d ty; 0 0 1].
struct Affine
{
   double a, b, c, d, tx, ty;
};

Affine Multiply(const Affine& p, const Affine& l)
{
   return {p.a * l.a + p.b * l.c, p.a * l.b + p.b * l.d,          p.c * l.a + p.d * l.c,
           p.c * l.b + p.d * l.d, p.a * l.tx + p.b * l.ty + p.tx, p.c * l.tx + p.d * l.ty + p.ty};
}

// Mirror (-1 or 1 per axis) × rotation × scale, moved to (x, y).
Affine Local(double x, double y, double degrees, double scaleX, double scaleY, int mirrorX = 1,
             int mirrorY = 1)
{
   const double r = degrees * M_PI / 180;
   return {mirrorX * std::cos(r) * scaleX,
           -mirrorX * std::sin(r) * scaleY,
           mirrorY * std::sin(r) * scaleX,
           mirrorY * std::cos(r) * scaleY,
           x,
           y};
}

void ExpectWorld(const skBone* bone, const Affine& expected, const char* what)
{
   SCOPED_TRACE(what);
   EXPECT_NEAR(bone->m00, expected.a, 1e-4);
   EXPECT_NEAR(bone->m01, expected.b, 1e-4);
   EXPECT_NEAR(bone->m10, expected.c, 1e-4);
   EXPECT_NEAR(bone->m11, expected.d, 1e-4);
   EXPECT_NEAR(bone->worldX, expected.tx, 1e-3);
   EXPECT_NEAR(bone->worldY, expected.ty, 1e-3);
}

using SkeletonPoseTest = HookedTest;

TEST_F(SkeletonPoseTest, AChainOfInheritingBonesIsTheProductOfItsLocalTransforms)
{
   // Uniform scales, where inheriting rotation and scale is exactly a matrix product.
   std::mt19937 random(41);
   std::uniform_real_distribution<float> position(-50, 50), angle(-180, 180), scale(0.5f, 2);
   std::vector<BoneSpec> bones;
   for (int i = 0; i < 6; ++i)
   {
      const float s = scale(random);
      bones.push_back({"bone", i - 1, position(random), position(random), angle(random), s, s});
   }
   skSkeletonData* data = DataBuild(bones);
   ASSERT_NE(data, nullptr);
   skSkeleton* skeleton = skSkeleton_create(data);
   ASSERT_NE(skeleton, nullptr);
   skSkeleton_updateWorldTransform(skeleton);
   Affine world{1, 0, 0, 1, 0, 0};
   for (int i = 0; i < 6; ++i)
   {
      const BoneSpec& b = bones[i];
      world = Multiply(world, Local(b.x, b.y, b.rotation, b.scaleX, b.scaleY));
      ExpectWorld(skeleton->bones[i], world, "chain");
   }
   skSkeleton_dispose(skeleton);
   skSkeletonData_dispose(data);
}

TEST_F(SkeletonPoseTest, InheritFlagsAndFlipsShapeTheWorldTransform)
{
   // Parent at (3, 4), turned 90 degrees and scaled (2, 3); the child sits at (1, 2) turned 30
   // degrees and scaled (1.5, 0.5).
   const Affine parent = Local(3, 4, 90, 2, 3);
   struct Case
   {
      const char* what;
      int inheritRotation, inheritScale, parentFlipX, childFlipX, childFlipY;
      double rotation, scaleX, scaleY;
      int mirrorX, mirrorY;
   } cases[] = {
       {"inherits both", 1, 1, 0, 0, 0, 120, 3, 1.5, 1, 1},
       {"own rotation", 0, 1, 0, 0, 0, 30, 3, 1.5, 1, 1},
       {"own scale", 1, 0, 0, 0, 0, 120, 1.5, 0.5, 1, 1},
       {"own both", 0, 0, 0, 0, 0, 30, 1.5, 0.5, 1, 1},
       {"child flips x", 1, 1, 0, 1, 0, 120, 3, 1.5, -1, 1},
       {"child flips y", 1, 1, 0, 0, 1, 120, 3, 1.5, 1, -1},
       {"flips cancel", 1, 1, 1, 1, 0, 120, 3, 1.5, 1, 1},
       // Any flag but 0 is set, also where it meets the parent's.
       {"a flag of 2 cancels the parent's", 1, 1, 1, 2, 0, 120, 3, 1.5, 1, 1},
       {"a flag of -1 alone", 1, 1, 0, -1, 0, 120, 3, 1.5, -1, 1},
   };
   for (const Case& c : cases)
   {
      skSkeletonData* data = DataBuild({{"parent", -1, 3, 4, 90, 2, 3}, {"child", 0, 1, 2, 30, 1.5f, 0.5f}});
      ASSERT_NE(data, nullptr);
      data->bones[1]->inheritRotation = c.inheritRotation;
      data->bones[1]->inheritScale = c.inheritScale;
      data->bones[0]->flipX = c.parentFlipX;
      data->bones[1]->flipX = c.childFlipX;
      data->bones[1]->flipY = c.childFlipY;
      skSkeleton* skeleton = skSkeleton_create(data);
      ASSERT_NE(skeleton, nullptr);
      skSkeleton_updateWorldTransform(skeleton);
      // The child's origin always goes through the parent's matrix.
      const double x = c.parentFlipX ? -parent.a * 1 + -parent.b * 2 + 3 : parent.a * 1 + parent.b * 2 + 3;
      const double y = parent.c * 1 + parent.d * 2 + 4;
      Affine expected = Local(x, y, c.rotation, c.scaleX, c.scaleY, c.mirrorX, c.mirrorY);
      ExpectWorld(skeleton->bones[1], expected, c.what);
      EXPECT_NEAR(skeleton->bones[1]->worldRotation, c.rotation, 1e-4) << c.what;
      skSkeleton_dispose(skeleton);
      skSkeletonData_dispose(data);
   }
}

TEST_F(SkeletonPoseTest, TheSkeletonsFlipsMirrorTheRoot)
{
   skSkeletonData* data = DataBuild({{"root", -1, 5, 7, 0}, {"child", 0, 2, 0, 0}});
   ASSERT_NE(data, nullptr);
   skSkeleton* skeleton = skSkeleton_create(data);
   ASSERT_NE(skeleton, nullptr);
   skeleton->flipX = 1;
   skSkeleton_updateWorldTransform(skeleton);
   const skBone* root = skeleton->root;
   EXPECT_EQ(root->worldX, -5.0f);
   EXPECT_EQ(root->worldY, 7.0f);
   EXPECT_FLOAT_EQ(root->m00, -1.0f);
   EXPECT_FLOAT_EQ(root->m11, 1.0f);
   EXPECT_FLOAT_EQ(skeleton->bones[1]->worldX, -7.0f); // its x axis points left
   skeleton->flipX = 0;
   skeleton->flipY = 1;
   skSkeleton_updateWorldTransform(skeleton);
   EXPECT_EQ(root->worldY, -7.0f);
   EXPECT_FLOAT_EQ(root->m11, -1.0f);
   EXPECT_EQ(yDown, 0);
   skSkeleton_dispose(skeleton);
   skSkeletonData_dispose(data);
}

TEST_F(SkeletonPoseTest, WorldToLocalUndoesLocalToWorld)
{
   // Unequal scales and flips included: the inverse must undo the whole matrix.
   struct Case
   {
      float scaleX, scaleY;
      int flipX, flipY;
   } cases[] = {{1, 1, 0, 0}, {1.5f, 0.75f, 0, 0}, {2, 0.5f, 1, 0}, {0.5f, 3, 0, 1}, {1.25f, 1.25f, 1, 1}};
   for (const Case& c : cases)
   {
      skSkeletonData* data =
          DataBuild({{"root", -1, 3, -2, 37, c.scaleX, c.scaleY}, {"child", 0, 4, 1, -110, 2, 0.5f}});
      ASSERT_NE(data, nullptr);
      data->bones[1]->flipX = c.flipX;
      data->bones[1]->flipY = c.flipY;
      skSkeleton* skeleton = skSkeleton_create(data);
      ASSERT_NE(skeleton, nullptr);
      skSkeleton_updateWorldTransform(skeleton);
      for (const skBone* bone : {skeleton->bones[0], skeleton->bones[1]})
      {
         float worldX, worldY, localX, localY;
         skBone_localToWorld(bone, 2.5f, -1.25f, &worldX, &worldY);
         skBone_worldToLocal(bone, worldX, worldY, &localX, &localY);
         EXPECT_NEAR(localX, 2.5f, 1e-4) << c.scaleX << " " << c.flipX << c.flipY;
         EXPECT_NEAR(localY, -1.25f, 1e-4) << c.scaleX << " " << c.flipX << c.flipY;
      }
      skSkeleton_dispose(skeleton);
      skSkeletonData_dispose(data);
   }
}

TEST_F(SkeletonPoseTest, BonesAreUpdatedAgainInThePassAfterTheirConstraint)
{
   // root, a under root, b under a, c under b, d under root.
   const std::vector<BoneSpec> bones = {
       {"root", -1, 0, 0, 0}, {"a", 0, 1, 0, 0}, {"b", 1, 1, 0, 0}, {"c", 2, 1, 0, 0}, {"d", 0, 0, 1, 0}};
   struct Case
   {
      const char* what;
      std::vector<IkSpec> iks;
      std::vector<std::vector<const char*>> passes;
   } cases[] = {
       {"no constraint", {}, {{"root", "a", "b", "c", "d"}}},
       {"one bone", {{"ik", {1}, 4}}, {{"root", "a", "b", "c", "d"}, {"a", "b", "c"}}},
       {"two bones", {{"ik", {1, 2}, 4}}, {{"root", "a", "b", "c", "d"}, {"a", "b", "c"}}},
       {"two constraints",
        {{"ik0", {2}, 0}, {"ik1", {4}, 0}},
        {{"root", "a", "b", "c"}, {"b", "c", "d"}, {"d"}}},
       // A first bone that is no ancestor of the last: the walk ends at the root.
       {"broken chain", {{"ik", {3, 1}, 4}}, {{"root", "a", "b", "c", "d"}, {"root", "a", "b", "c", "d"}}},
       {"no bones", {{"ik", {}, 4}}, {{"root", "a", "b", "c", "d"}, {}}},
   };
   for (const Case& c : cases)
   {
      SCOPED_TRACE(c.what);
      skSkeletonData* data = DataBuild(bones, {}, c.iks);
      ASSERT_NE(data, nullptr);
      skSkeleton* skeleton = skSkeleton_create(data);
      ASSERT_NE(skeleton, nullptr);
      ASSERT_EQ(skeleton->boneCacheCount, static_cast<i32>(c.passes.size()));
      for (size_t pass = 0; pass < c.passes.size(); ++pass)
      {
         std::vector<std::string> names;
         for (i32 i = 0; i < skeleton->boneCacheCounts[pass]; ++i)
         {
            names.push_back(skeleton->boneCache[pass][i]->data->name);
         }
         EXPECT_EQ(names, std::vector<std::string>(c.passes[pass].begin(), c.passes[pass].end())) << pass;
      }
      skSkeleton_updateWorldTransform(skeleton);
      for (i32 i = 0; i < skeleton->bonesCount; ++i)
      {
         EXPECT_TRUE(std::isfinite(skeleton->bones[i]->worldX) && std::isfinite(skeleton->bones[i]->m00))
             << i;
      }
      skSkeleton_dispose(skeleton);
      skSkeletonData_dispose(data);
   }
}

// Data with two slots and skins "default" and "English", each holding region attachments.
struct SkinnedData
{
   skSkeletonData* data = nullptr;
   skAttachment* defaultFace = nullptr;
   skAttachment* defaultHat = nullptr;
   skAttachment* englishFace = nullptr;
   skAttachment* englishOnly = nullptr;

   bool Build()
   {
      data = DataBuild({{"root", -1, 0, 0, 0}}, {{"head", 0, "face"}, {"top", 0, "hat"}});
      if (!data || !(data->skins = SK_ALLOC(skSkin*, 2)))
      {
         return false;
      }
      data->skins[0] = skSkin_create("default");
      data->skinsCount = data->skins[0] ? 1 : 0;
      data->skins[1] = data->skins[0] ? skSkin_create("English") : nullptr;
      data->skinsCount += data->skins[1] ? 1 : 0;
      data->defaultSkin = data->skins[0];
      return data->skinsCount == 2 && Add(data->skins[0], 0, "face", &defaultFace) &&
             Add(data->skins[0], 1, "hat", &defaultHat) && Add(data->skins[1], 0, "face", &englishFace) &&
             Add(data->skins[1], 1, "scarf", &englishOnly);
   }

   static bool Add(skSkin* skin, i32 slot, const char* name, skAttachment** made)
   {
      *made = skRegionAttachment_create(name);
      if (*made && skSkin_addAttachment(skin, slot, name, *made))
      {
         return true;
      }
      if (*made)
      {
         skAttachment_dispose(*made);
      }
      return false;
   }
};

TEST_F(SkeletonPoseTest, SlotsStartWithTheirSetupAttachmentAndSkinsSwapWhatTheyHold)
{
   SkinnedData skinned;
   ASSERT_TRUE(skinned.Build());
   skSkeletonData* data = skinned.data;
   skSkeleton* skeleton = skSkeleton_create(data);
   ASSERT_NE(skeleton, nullptr);
   skSlot* head = skeleton->slots[0];
   skSlot* top = skeleton->slots[1];
   EXPECT_EQ(skeleton->drawOrder[1], top);
   EXPECT_EQ(head->attachment, skinned.defaultFace); // from the default skin
   EXPECT_EQ(top->attachment, skinned.defaultHat);
   EXPECT_EQ(skSkeleton_getAttachmentForSlotIndex(skeleton, -1, "face"), nullptr);
   EXPECT_EQ(skSkeleton_getAttachmentForSlotIndex(skeleton, 1, "scarf"), nullptr);

   // Without an old skin, slots take the new skin's setup attachments where it has them.
   skSkeleton_setSkin(skeleton, data->skins[1]);
   EXPECT_EQ(head->attachment, skinned.englishFace);
   EXPECT_EQ(top->attachment, skinned.defaultHat);
   EXPECT_EQ(skSkeleton_getAttachmentForSlotIndex(skeleton, 1, "scarf"), skinned.englishOnly);
   EXPECT_EQ(skSkeleton_getAttachmentForSlotIndex(skeleton, 1, "hat"), skinned.defaultHat);

   // Back to default: the English face is an old-skin entry and is swapped; the scarf, which
   // default lacks, stays.
   skSlot_setAttachment(top, skinned.englishOnly);
   skSkeleton_setSkin(skeleton, data->skins[0]);
   EXPECT_EQ(head->attachment, skinned.defaultFace);
   EXPECT_EQ(top->attachment, skinned.englishOnly);

   // The setup pose restores colour and attachment and stamps the skeleton's time.
   skeleton->time = 2.5f;
   top->r = 0.25f;
   top->attachmentVerticesCount = 3;
   skSlot_setToSetupPose(top);
   EXPECT_EQ(top->r, 1.0f);
   EXPECT_EQ(top->attachment, skinned.defaultHat);
   EXPECT_EQ(top->_attachmentTime, 2.5f);
   EXPECT_EQ(top->attachmentVerticesCount, 0);
   skSkeleton_setSkin(skeleton, nullptr);
   EXPECT_EQ(skeleton->skin, nullptr);
   EXPECT_EQ(skSkeleton_findBone(skeleton, "root"), skeleton->root);
   EXPECT_EQ(skSkeleton_findBone(skeleton, "Root"), nullptr);
   skSkeleton_dispose(skeleton);
   skSkeletonData_dispose(data);
}

TEST_F(SkeletonPoseTest, FailedAllocationsInCreationLeaveNothingBehind)
{
   skSkeletonData* data = DataBuild({{"root", -1, 0, 0, 0}, {"arm", 0, 1, 0, 0}, {"hand", 1, 1, 0, 0}},
                                    {{"body", 0}, {"glove", 2}}, {{"reach", {1, 2}, 0}});
   ASSERT_NE(data, nullptr);
   const long live = State().live;
   for (long k = 0;; ++k)
   {
      State().allocations = 0;
      State().failAt = k;
      skSkeleton* skeleton = skSkeleton_create(data);
      State().failAt = -1;
      if (skeleton)
      {
         EXPECT_EQ(skeleton->boneCacheCount, 2);
         skSkeleton_dispose(skeleton);
         EXPECT_GT(k, 5);
         break;
      }
      EXPECT_EQ(State().live, live) << "failing allocation " << k;
   }
   skSkeletonData_dispose(data);
}
} // namespace
} // namespace Corvale
