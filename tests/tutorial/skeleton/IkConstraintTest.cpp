// IK constraints: one- and two-bone chains checked by forward kinematics from the posed bones,
// the mix, unreachable targets and degenerate chains; events made from their data.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/tutorial/skeleton/SkeletonBuilder.h"
#include "tests/tutorial/skeleton/SkeletonTestSupport.h"
#include "tutorial/skeleton/skBone.h"
#include "tutorial/skeleton/skEvent.h"
#include "tutorial/skeleton/skEventData.h"
#include "tutorial/skeleton/skIkConstraint.h"
#include "tutorial/skeleton/skSkeleton.h"

namespace Corvale
{
namespace
{
using skeleton_test_support::BoneSpec;
using skeleton_test_support::DataBuild;
using skeleton_test_support::HookedTest;
using skeleton_test_support::IkSpec;

// Where the bone's tip lies: its world origin plus its length along its world rotation.
void Tip(const skBone* bone, double* x, double* y)
{
   const double r = bone->worldRotation * M_PI / 180;
   *x = bone->worldX + bone->data->length * std::cos(r);
   *y = bone->worldY + bone->data->length * std::sin(r);
}

double Turn(double degrees)
{
   return std::remainder(degrees, 360.0);
}

using IkConstraintTest = HookedTest;

TEST_F(IkConstraintTest, TwoBonesReachTheTargetBentEitherWay)
{
   // Two bones of length 1: the parent at the origin, the child at (1, 0), the target at (1, 1).
   struct Case
   {
      int bend;
      float parentRotation, childRotation;
   } cases[] = {{1, 0, 90}, {-1, 90, -90}};
   for (const Case& c : cases)
   {
      skSkeletonData* data = DataBuild(
          {{"parent", -1, 0, 0, 0, 1, 1, 1}, {"child", 0, 1, 0, 0, 1, 1, 1}, {"target", 0, 1, 1, 0}}, {},
          {{"reach", {0, 1}, 2, c.bend}});
      ASSERT_NE(data, nullptr);
      skSkeleton* skeleton = skSkeleton_create(data);
      ASSERT_NE(skeleton, nullptr);
      skSkeleton_updateWorldTransform(skeleton);
      const skBone* parent = skeleton->bones[0];
      const skBone* child = skeleton->bones[1];
      EXPECT_NEAR(Turn(parent->rotationIK - c.parentRotation), 0, 1e-3) << c.bend;
      EXPECT_NEAR(Turn(child->rotationIK - c.childRotation), 0, 1e-3) << c.bend;
      EXPECT_EQ(parent->rotation, 0.0f); // the animated pose is kept for the next frame
      EXPECT_EQ(child->rotation, 0.0f);
      double x, y;
      Tip(child, &x, &y);
      EXPECT_NEAR(x, 1, 1e-4) << c.bend;
      EXPECT_NEAR(y, 1, 1e-4) << c.bend;
      skSkeleton_dispose(skeleton);
      skSkeletonData_dispose(data);
   }
}

TEST_F(IkConstraintTest, AChainUnderATurnedGrandparentReachesItsTarget)
{
   // The chain hangs from a root turned 90 degrees and scaled 1.5, so the target is taken into
   // the grandparent's space first.
   skSkeletonData* data = DataBuild({{"root", -1, 0.5f, 0, 90, 1.5f, 1.5f},
                                     {"upper", 0, 1, 0, 20, 1, 1, 1},
                                     {"lower", 1, 1, 0, -35, 1, 1, 1},
                                     {"target", -1, -1.5f, 3, 0}},
                                    {}, {{"reach", {1, 2}, 3}});
   ASSERT_NE(data, nullptr);
   skSkeleton* skeleton = skSkeleton_create(data);
   ASSERT_NE(skeleton, nullptr);
   skSkeleton_updateWorldTransform(skeleton);
   // The tip in world space: lengths scale with the inherited 1.5.
   const skBone* lower = skeleton->bones[2];
   const double r = lower->worldRotation * M_PI / 180;
   EXPECT_NEAR(lower->worldX + 1.5 * std::cos(r), -1.5, 1e-3);
   EXPECT_NEAR(lower->worldY + 1.5 * std::sin(r), 3, 1e-3);
   skSkeleton_dispose(skeleton);
   skSkeletonData_dispose(data);
}

TEST_F(IkConstraintTest, AMirroredSkeletonsChainStillReachesItsTarget)
{
   // The drawn tip runs along the child's drawn x axis (m00, m10), whatever the flips.
   for (int grandparent = 0; grandparent < 2; ++grandparent)
   {
      for (int flips = 0; flips < 4; ++flips)
      {
         skSkeletonData* data = grandparent ? DataBuild({{"root", -1, 0.5f, 0, 30},
                                                         {"upper", 0, 1, 0, 0, 1, 1, 1},
                                                         {"lower", 1, 1, 0, 0, 1, 1, 1},
                                                         {"target", 0, 0.5f, 1.5f, 0}},
                                                        {}, {{"reach", {1, 2}, 3}})
                                            : DataBuild({{"upper", -1, 0.5f, 0, 0, 1, 1, 1},
                                                         {"lower", 0, 1, 0, 0, 1, 1, 1},
                                                         {"target", -1, 1.2f, 1.1f, 0}},
                                                        {}, {{"reach", {0, 1}, 2}});
         ASSERT_NE(data, nullptr);
         skSkeleton* skeleton = skSkeleton_create(data);
         ASSERT_NE(skeleton, nullptr);
         skeleton->flipX = flips & 1;
         skeleton->flipY = flips >> 1;
         skSkeleton_updateWorldTransform(skeleton);
         const skBone* lower = skSkeleton_findBone(skeleton, "lower");
         const skBone* target = skSkeleton_findBone(skeleton, "target");
         EXPECT_NEAR(lower->worldX + lower->m00, target->worldX, 1e-4) << grandparent << flips;
         EXPECT_NEAR(lower->worldY + lower->m10, target->worldY, 1e-4) << grandparent << flips;
         skSkeleton_dispose(skeleton);
         skSkeletonData_dispose(data);
      }
   }
}

TEST_F(IkConstraintTest, MixLengthAndReachShapeTheSolution)
{
   const std::vector<BoneSpec> bones = {
       {"parent", -1, 0, 0, 0, 1, 1, 1}, {"child", 0, 1, 0, 0, 1, 1, 1}, {"target", 0, 0, 5, 0}};
   skSkeletonData* data = DataBuild(bones, {}, {{"reach", {0, 1}, 2}});
   ASSERT_NE(data, nullptr);
   skSkeleton* skeleton = skSkeleton_create(data);
   ASSERT_NE(skeleton, nullptr);
   skBone* parent = skeleton->bones[0];
   skBone* child = skeleton->bones[1];

   // Out of reach: the chain straightens towards the target at (0, 5).
   skSkeleton_updateWorldTransform(skeleton);
   EXPECT_NEAR(parent->worldRotation, 90, 1e-3);
   EXPECT_NEAR(child->worldRotation, 90, 1e-3);
   double x, y;
   Tip(child, &x, &y);
   EXPECT_NEAR(x, 0, 1e-4);
   EXPECT_NEAR(y, 2, 1e-4);

   // Mix 0 keeps the animated rotations.
   parent->rotation = 10;
   child->rotation = 20;
   skeleton->ikConstraints[0]->mix = 0;
   skSkeleton_updateWorldTransform(skeleton);
   EXPECT_EQ(parent->rotationIK, 10.0f);
   EXPECT_EQ(child->rotationIK, 20.0f);
   EXPECT_NEAR(child->worldRotation, 30, 1e-4);

   // Half the mix goes half way from the animated rotation.
   parent->rotation = child->rotation = 0;
   skeleton->ikConstraints[0]->mix = 0.5f;
   skSkeleton_updateWorldTransform(skeleton);
   EXPECT_NEAR(parent->rotationIK, 45, 1e-3);

   // A child of length 0 only turns the child, aimed from the chain's base.
   data->bones[1]->length = 0;
   skeleton->ikConstraints[0]->mix = 1;
   skeleton->bones[2]->x = 1;
   skeleton->bones[2]->y = 1;
   skSkeleton_updateWorldTransform(skeleton);
   EXPECT_EQ(parent->rotationIK, 0.0f);
   EXPECT_NEAR(child->rotationIK, 45, 1e-3);
   skSkeleton_dispose(skeleton);
   skSkeletonData_dispose(data);
}

TEST_F(IkConstraintTest, OneBoneAimsAtTheTargetUnderATurnedParent)
{
   // The parent turned 90 puts the child at (0, 1); the target at (-1, 1) lies straight left.
   skSkeletonData* data =
       DataBuild({{"parent", -1, 0, 0, 90}, {"child", 0, 1, 0, 15, 1, 1, 2}, {"target", -1, -1, 1, 0}}, {},
                 {{"aim", {1}, 2}});
   ASSERT_NE(data, nullptr);
   skSkeleton* skeleton = skSkeleton_create(data);
   ASSERT_NE(skeleton, nullptr);
   skSkeleton_updateWorldTransform(skeleton);
   const skBone* child = skeleton->bones[1];
   EXPECT_NEAR(Turn(child->rotationIK - 90), 0, 1e-3);
   EXPECT_EQ(child->rotation, 15.0f);
   double x, y;
   Tip(child, &x, &y);
   EXPECT_NEAR(x, -2, 1e-4);
   EXPECT_NEAR(y, 1, 1e-4);

   // Mirrored, the bone's drawn x axis (m00, m10) must still run from it to the target.
   struct Case
   {
      int skeletonFlipX, skeletonFlipY;
   } cases[] = {{1, 0}, {0, 1}, {1, 1}};
   for (const Case& c : cases)
   {
      skeleton->flipX = c.skeletonFlipX;
      skeleton->flipY = c.skeletonFlipY;
      skSkeleton_updateWorldTransform(skeleton);
      const skBone* target = skeleton->bones[2];
      const double length = std::hypot(target->worldX - child->worldX, target->worldY - child->worldY);
      EXPECT_NEAR(child->worldX + child->m00 * length, target->worldX, 1e-4)
          << c.skeletonFlipX << c.skeletonFlipY;
      EXPECT_NEAR(child->worldY + child->m10 * length, target->worldY, 1e-4)
          << c.skeletonFlipX << c.skeletonFlipY;
   }
   skSkeleton_dispose(skeleton);
   skSkeletonData_dispose(data);
}

TEST_F(IkConstraintTest, ChainsOfOtherLengthsOrWithoutATargetDoNothing)
{
   skSkeletonData* data = DataBuild({{"a", -1, 0, 0, 10, 1, 1, 1},
                                     {"b", 0, 1, 0, 20, 1, 1, 1},
                                     {"c", 1, 1, 0, 30, 1, 1, 1},
                                     {"target", -1, 3, 3, 0}},
                                    {}, {{"three", {0, 1, 2}, 3}, {"none", {1}, 3}});
   ASSERT_NE(data, nullptr);
   data->ikConstraints[1]->target = nullptr;
   skSkeleton* skeleton = skSkeleton_create(data);
   ASSERT_NE(skeleton, nullptr);
   EXPECT_EQ(skeleton->ikConstraints[1]->target, nullptr);
   skSkeleton_updateWorldTransform(skeleton);
   EXPECT_EQ(skeleton->bones[0]->rotationIK, 10.0f);
   EXPECT_EQ(skeleton->bones[1]->rotationIK, 20.0f);
   EXPECT_EQ(skeleton->bones[2]->rotationIK, 30.0f);
   EXPECT_NEAR(skeleton->bones[2]->worldRotation, 60, 1e-4);
   skSkeleton_dispose(skeleton);
   skSkeletonData_dispose(data);
}

TEST_F(IkConstraintTest, EventsAreMadeFromTheirData)
{
   skEventData* data = skEventData_create("talk");
   ASSERT_NE(data, nullptr);
   skEvent* event = skEvent_create(data);
   ASSERT_NE(event, nullptr);
   EXPECT_EQ(event->data, data);
   EXPECT_EQ(event->intValue, 0);
   EXPECT_EQ(event->stringValue, nullptr);
   event->stringValue = _skCopyString("Hello");
   skEvent_dispose(event); // frees its text, not the data's
   EXPECT_STREQ(data->name, "talk");
   skEventData_dispose(data);
}
} // namespace
} // namespace Corvale
