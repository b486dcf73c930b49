// Animations and timelines: curves against the exact cubic, the frame search, angle wraps, and
// every timeline kind applied, mixed and looped, with events gathered into the caller's buffer.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "tests/tutorial/skeleton/SkeletonBuilder.h"
#include "tests/tutorial/skeleton/SkeletonTestSupport.h"
#include "tutorial/skeleton/skAnimation.h"
#include "tutorial/skeleton/skBone.h"
#include "tutorial/skeleton/skEvent.h"
#include "tutorial/skeleton/skEventData.h"
#include "tutorial/skeleton/skIkConstraint.h"
#include "tutorial/skeleton/skMeshAttachment.h"
#include "tutorial/skeleton/skRegionAttachment.h"
#include "tutorial/skeleton/skSkeleton.h"
#include "tutorial/skeleton/skSkin.h"
#include "tutorial/skeleton/skSlot.h"

namespace Corvale
{
namespace
{
using skeleton_test_support::DataBuild;
using skeleton_test_support::HookedTest;
using skeleton_test_support::State;

// The cubic from (0, 0) through the control points to (1, 1) at t.
double Cubic(double c1, double c2, double t)
{
   const double u = 1 - t;
   return 3 * u * u * t * c1 + 3 * u * t * t * c2 + t * t * t;
}

// A skeleton of data the test owns, with one animation of the given timelines.
class AnimationTest : public HookedTest
{
 protected:
   skSkeletonData* data = nullptr;
   skSkeleton* skeleton = nullptr;
   skAnimation* animation = nullptr;

   // Bones "root" (rotation 10, at (1, 2), scale (2, 1)) and "target"; slots "body", "hat",
   // "feet" on the root; IK "aim" on the root.
   void SetUp() override
   {
      HookedTest::SetUp();
      data = DataBuild({{"root", -1, 1, 2, 10, 2, 1, 1}, {"target", -1, 5, 5, 0}},
                       {{"body", 0}, {"hat", 0}, {"feet", 0}}, {{"aim", {0}, 1}});
      ASSERT_NE(data, nullptr);
      skeleton = skSkeleton_create(data);
      ASSERT_NE(skeleton, nullptr);
   }

   void TearDown() override
   {
      if (animation)
      {
         skAnimation_dispose(animation);
      }
      if (skeleton)
      {
         skSkeleton_dispose(skeleton);
      }
      if (data)
      {
         skSkeletonData_dispose(data);
      }
      HookedTest::TearDown();
   }

   // Takes the timelines into a fresh animation.
   void Animate(float duration, std::initializer_list<skTimeline*> timelines)
   {
      if (animation)
      {
         skAnimation_dispose(animation);
      }
      animation = skAnimation_create("animation", static_cast<i32>(timelines.size()));
      ASSERT_NE(animation, nullptr);
      animation->duration = duration;
      i32 i = 0;
      for (skTimeline* timeline : timelines)
      {
         ASSERT_NE(timeline, nullptr);
         animation->timelines[i++] = timeline;
      }
   }

   // Adds an attachment to the default skin (made on first use) under slot and name.
   skAttachment* SkinAdd(i32 slot, skAttachment* attachment)
   {
      if (!data->skins)
      {
         data->skins = SK_ALLOC(skSkin*, 1);
         data->skins[0] = skSkin_create("default");
         data->skinsCount = 1;
         data->defaultSkin = data->skins[0];
      }
      EXPECT_TRUE(skSkin_addAttachment(data->defaultSkin, slot, attachment->name, attachment));
      return attachment;
   }
};

TEST_F(AnimationTest, CurvesSampleTheCubicAndMapPercents)
{
   skRotateTimeline* timeline = skRotateTimeline_create(3);
   ASSERT_NE(timeline, nullptr);
   Animate(1, {timeline});
   EXPECT_EQ(timeline->curves[0], SK_CURVE_LINEAR); // zero-filled: linear
   skCurveTimeline_setCurve(timeline, 0, 0.25f, 0.1f, 0.75f, 0.9f);
   skCurveTimeline_setStepped(timeline, 1);
   const float* curve = timeline->curves;
   EXPECT_EQ(curve[0], SK_CURVE_BEZIER);
   for (int i = 0; i < 9; ++i)
   {
      const double t = 0.1 * (i + 1);
      EXPECT_NEAR(curve[1 + 2 * i], Cubic(0.25, 0.75, t), 1e-5) << t;
      EXPECT_NEAR(curve[2 + 2 * i], Cubic(0.1, 0.9, t), 1e-5) << t;
      // At a sample's x the percent is exactly its y.
      EXPECT_NEAR(skCurveTimeline_getCurvePercent(timeline, 0, curve[1 + 2 * i]), curve[2 + 2 * i], 1e-6);
   }
   // Between samples, and past the last one towards (1, 1), the percent runs straight.
   const float between = (curve[3] + curve[5]) / 2;
   EXPECT_NEAR(skCurveTimeline_getCurvePercent(timeline, 0, between), (curve[4] + curve[6]) / 2, 1e-6);
   EXPECT_NEAR(skCurveTimeline_getCurvePercent(timeline, 0, (curve[17] + 1) / 2), (curve[18] + 1) / 2, 1e-6);
   EXPECT_NEAR(skCurveTimeline_getCurvePercent(timeline, 0, curve[1] / 2), curve[2] / 2, 1e-6);
   for (float percent : {0.0f, 0.3f, 0.99f, 1.0f})
   {
      EXPECT_EQ(skCurveTimeline_getCurvePercent(timeline, 1, percent), 0.0f);
   }
   skCurveTimeline_setLinear(timeline, 1);
   EXPECT_EQ(skCurveTimeline_getCurvePercent(timeline, 1, 0.3f), 0.3f);

   // A stepped gap holds the earlier key until the next.
   skRotateTimeline_setFrame(timeline, 0, 0, 0);
   skRotateTimeline_setFrame(timeline, 1, 1, 40);
   skRotateTimeline_setFrame(timeline, 2, 2, 80);
   skCurveTimeline_setStepped(timeline, 1);
   skAnimation_apply(animation, skeleton, 0, 1.9f, 0, nullptr, nullptr);
   EXPECT_FLOAT_EQ(skeleton->bones[0]->rotation, 50.0f);

   // A first sample at x = 0 (control points outside 0..1) gives percent 0 there, not 0/0.
   timeline->curves[1] = 0;
   timeline->curves[2] = 0.5f;
   EXPECT_EQ(skCurveTimeline_getCurvePercent(timeline, 0, 0), 0.0f);
   skCurveTimeline_setCurve(timeline, 1, 0, 0, 0, 0); // keep the second gap out of the way
   skAnimation_apply(animation, skeleton, 0, 0, 0, nullptr, nullptr);
   EXPECT_FLOAT_EQ(skeleton->bones[0]->rotation, 10.0f);
}

TEST_F(AnimationTest, FrameSearchFindsTheFirstLaterRecord)
{
   const float times[] = {0, 1, 1, 2, 3, 5, 8};
   const i32 count = sizeof times / sizeof *times;
   float pairs[2 * count];
   for (i32 i = 0; i < count; ++i)
   {
      pairs[2 * i] = times[i];
      pairs[2 * i + 1] = -1; // values must not be taken for times
   }
   for (float target : {0.0f, 0.5f, 1.0f, 1.5f, 2.0f, 4.99f, 5.0f, 7.9f})
   {
      i32 expected = 0;
      while (times[expected] <= target)
      {
         expected++;
      }
      EXPECT_EQ(frameSearch1(times, count, target), expected) << target;
      EXPECT_EQ(frameSearch(pairs, 2 * count, 2, target), 2 * expected) << target;
   }
   const float two[] = {0, 7, 1, 9};
   EXPECT_EQ(frameSearch(two, 4, 2, 0.5f), 2);
}

TEST_F(AnimationTest, WrapsMatchRepeatedTurnsAndReturnAtOnceOnHugeOrBadAngles)
{
   for (float degrees = -1080; degrees <= 1080; degrees += 7.25f)
   {
      float looped = degrees;
      while (looped > 180)
      {
         looped -= 360;
      }
      while (looped < -180)
      {
         looped += 360;
      }
      EXPECT_NEAR(_skWrapDegrees(degrees), looped, 1e-4) << degrees;
   }
   for (float degrees : {180.0f, -180.0f, 540.0f, -540.0f})
   {
      EXPECT_EQ(std::fabs(_skWrapDegrees(degrees)), 180.0f) << degrees;
   }
   const float huge = _skWrapDegrees(1e12f);
   EXPECT_TRUE(huge >= -180 && huge <= 180) << huge;
   const float inf = std::numeric_limits<float>::infinity();
   EXPECT_EQ(_skWrapDegrees(inf), inf);
   EXPECT_EQ(_skWrapDegrees(-inf), -inf);
   EXPECT_TRUE(std::isnan(_skWrapDegrees(std::nanf(""))));

   // A key of 1e12 degrees poses a bone instead of hanging the frame.
   skRotateTimeline* timeline = skRotateTimeline_create(2);
   Animate(1, {timeline});
   skRotateTimeline_setFrame(timeline, 0, 0, 0);
   skRotateTimeline_setFrame(timeline, 1, 1, 1e12f);
   skAnimation_apply(animation, skeleton, 0, 0.5f, 0, nullptr, nullptr);
   EXPECT_TRUE(std::isfinite(skeleton->bones[0]->rotation));
}

TEST_F(AnimationTest, RotationTakesTheShortWayRound)
{
   skRotateTimeline* timeline = skRotateTimeline_create(2);
   Animate(1, {timeline});
   skRotateTimeline_setFrame(timeline, 0, 0, 170);
   skRotateTimeline_setFrame(timeline, 1, 1, -170);
   skBone* bone = skeleton->bones[0];
   data->bones[0]->rotation = 0;
   struct Case
   {
      float time, rotation;
   } cases[] = {{0.25f, 175}, {0.5f, 180}, {0.75f, -175}, {2, -170}};
   for (const Case& c : cases)
   {
      bone->rotation = 0;
      skAnimation_apply(animation, skeleton, 0, c.time, 0, nullptr, nullptr);
      EXPECT_NEAR(std::remainder(bone->rotation - c.rotation, 360.0f), 0, 1e-3) << c.time;
   }
   bone->rotation = 5;
   skAnimation_apply(animation, skeleton, 0, -0.5f, 0, nullptr, nullptr); // before the first key
   EXPECT_EQ(bone->rotation, 5.0f);
}

TEST_F(AnimationTest, EachInterpolatedKindMixesTowardItsKeyByAlpha)
{
   skRotateTimeline* rotate = skRotateTimeline_create(2);
   skTranslateTimeline* translate = skTranslateTimeline_create(2);
   skScaleTimeline* scale = skScaleTimeline_create(2);
   skColorTimeline* color = skColorTimeline_create(2);
   skIkConstraintTimeline* ik = skIkConstraintTimeline_create(2);
   Animate(1, {rotate, translate, scale, color, ik});
   skRotateTimeline_setFrame(rotate, 0, 0, 0);
   skRotateTimeline_setFrame(rotate, 1, 1, 40);
   skTranslateTimeline_setFrame(translate, 0, 0, 0, 0);
   skTranslateTimeline_setFrame(translate, 1, 1, 4, 8);
   skScaleTimeline_setFrame(scale, 0, 0, 1, 1);
   skScaleTimeline_setFrame(scale, 1, 1, 3, 5);
   skColorTimeline_setFrame(color, 0, 0, 0, 0, 0, 0);
   skColorTimeline_setFrame(color, 1, 1, 1, 0.5f, 0, 1);
   skIkConstraintTimeline_setFrame(ik, 0, 0, 0, 1);
   skIkConstraintTimeline_setFrame(ik, 1, 1, 1, -1);

   // At 0.5 the keys give rotation 10 + 20, x 1 + 2, y 2 + 4, scale (2 × 2, 1 × 3), colour
   // (0.5, 0.25, 0, 0.5) and IK mix 0.5; a quarter of the way there from the setup pose.
   skAnimation_mix(animation, skeleton, 0, 0.5f, 0, nullptr, nullptr, 0.25f);
   const skBone* bone = skeleton->bones[0];
   const skSlot* slot = skeleton->slots[0];
   const skIkConstraint* constraint = skeleton->ikConstraints[0];
   const float expected[] = {15, 1.5f, 3, 2.5f, 1.5f, 0.875f, 0.8125f, 0.75f, 0.875f, 0.875f};
   const float actual[] = {bone->rotation, bone->x, bone->y, bone->scaleX, bone->scaleY,
                           slot->r,        slot->g, slot->b, slot->a,      constraint->mix};
   for (int i = 0; i < 10; ++i)
   {
      EXPECT_NEAR(actual[i], expected[i], 1e-5) << i;
   }
   EXPECT_EQ(constraint->bendDirection, 1); // the earlier key's

   // With full weight after the last key every value is the last key's.
   skAnimation_apply(animation, skeleton, 0.5f, 3, 0, nullptr, nullptr);
   const float last[] = {50, 5, 10, 6, 5, 1, 0.5f, 0, 1, 1};
   const float now[] = {bone->rotation, bone->x, bone->y, bone->scaleX, bone->scaleY,
                        slot->r,        slot->g, slot->b, slot->a,      constraint->mix};
   for (int i = 0; i < 10; ++i)
   {
      EXPECT_NEAR(now[i], last[i], 1e-5) << i;
   }
   EXPECT_EQ(constraint->bendDirection, -1);
}

TEST_F(AnimationTest, LoopsTakeTimesModuloTheDurationUnlessItIsZero)
{
   skTranslateTimeline* timeline = skTranslateTimeline_create(2);
   Animate(2, {timeline});
   skTranslateTimeline_setFrame(timeline, 0, 0, 0, 0);
   skTranslateTimeline_setFrame(timeline, 1, 2, 8, 0);
   skBone* bone = skeleton->bones[0];
   skAnimation_apply(animation, skeleton, 0, 5, 1, nullptr, nullptr);
   EXPECT_FLOAT_EQ(bone->x, 1 + 4.0f);
   skAnimation_apply(animation, skeleton, 0, 5, 0, nullptr, nullptr);
   EXPECT_FLOAT_EQ(bone->x, 1 + 8.0f);
   animation->duration = 0;
   skAnimation_apply(animation, skeleton, 0, 1, 1, nullptr, nullptr);
   EXPECT_FLOAT_EQ(bone->x, 1 + 4.0f);
}

TEST_F(AnimationTest, AttachmentKeysApplyOnceAndAgainWhenALoopWraps)
{
   skAttachment* open = SkinAdd(0, skRegionAttachment_create("open"));
   skAttachment* shut = SkinAdd(0, skRegionAttachment_create("shut"));
   skAttachmentTimeline* timeline = skAttachmentTimeline_create(3);
   Animate(2, {timeline});
   timeline->slotIndex = 0;
   ASSERT_TRUE(skAttachmentTimeline_setFrame(timeline, 0, 0, "open"));
   ASSERT_TRUE(skAttachmentTimeline_setFrame(timeline, 1, 1, "shut"));
   ASSERT_TRUE(skAttachmentTimeline_setFrame(timeline, 2, 1.5f, nullptr));
   skSlot* slot = skeleton->slots[0];
   skeleton->time = 4;
   struct Step
   {
      float lastTime, time;
      skAttachment* before;
      skAttachment* after;
   } steps[] = {
       {0, 0.5f, nullptr, open},    {0.5f, 1.2f, open, shut}, {1.2f, 1.4f, open, open}, // passed keys stay
       {1.4f, 1.8f, open, nullptr}, {1.8f, 2.1f, shut, open}, // the key at 0 again after the wrap
   };
   for (const Step& s : steps)
   {
      skSlot_setAttachment(slot, s.before);
      skAnimation_apply(animation, skeleton, s.lastTime, s.time, 1, nullptr, nullptr);
      EXPECT_EQ(slot->attachment, s.after) << s.lastTime << " -> " << s.time;
   }
   EXPECT_EQ(slot->_attachmentTime, 4.0f);

   // Keys starting later: a wrap before the first key shows the last key once more.
   skAttachmentTimeline_setFrame(timeline, 0, 0.5f, "open");
   skAttachmentTimeline_setFrame(timeline, 2, 1.5f, "shut");
   skSlot_setAttachment(slot, open);
   skAnimation_apply(animation, skeleton, 1.4f, 2.2f, 1, nullptr, nullptr);
   EXPECT_EQ(slot->attachment, shut);
   skSlot_setAttachment(slot, open);
   skAnimation_apply(animation, skeleton, 0, 0.2f, 1, nullptr, nullptr);
   EXPECT_EQ(slot->attachment, open);
}

TEST_F(AnimationTest, EventsFireOnceEachAndAWrappedLoopFiresTheTailThenTheHead)
{
   ASSERT_TRUE(data->events = SK_ALLOC(skEventData*, 1));
   ASSERT_TRUE(data->events[0] = skEventData_create("talk"));
   data->eventsCount = 1;
   skEventTimeline* timeline = skEventTimeline_create(4);
   Animate(2, {timeline});
   const float times[] = {0.2f, 0.8f, 0.8f, 1.5f};
   for (i32 i = 0; i < 4; ++i)
   {
      skEvent* event = skEvent_create(data->events[0]);
      ASSERT_NE(event, nullptr);
      event->intValue = i;
      skEventTimeline_setFrame(timeline, i, times[i], event);
   }
   struct Case
   {
      float lastTime, time;
      std::vector<int> fired;
   } cases[] = {
       {-1, 0.1f, {}},
       {-1, 0.2f, {0}},
       {0.2f, 0.8f, {1, 2}}, // keys at the time fire
       {0.1f, 1.6f, {0, 1, 2, 3}},
       {1.5f, 1.9f, {}},
       {1.0f, 2.3f, {3, 0}}, // tail, then head
       {1.6f, 2.1f, {}},
   };
   for (const Case& c : cases)
   {
      skEvent* events[SK_EVENTS_CAPACITY];
      i32 count = 0;
      skAnimation_apply(animation, skeleton, c.lastTime, c.time, 1, events, &count);
      std::vector<int> fired;
      for (i32 i = 0; i < count; ++i)
      {
         fired.push_back(events[i]->intValue);
         EXPECT_EQ(events[i]->data, data->events[0]);
      }
      EXPECT_EQ(fired, c.fired) << c.lastTime << " -> " << c.time;
   }
   skAnimation_apply(animation, skeleton, 0, 1, 0, nullptr, nullptr); // no buffer: nothing to fire into

   // Seventy keys in one apply: the buffer keeps the last 64.
   skEventTimeline* many = skEventTimeline_create(70);
   Animate(1, {many});
   for (i32 i = 0; i < 70; ++i)
   {
      skEvent* event = skEvent_create(data->events[0]);
      ASSERT_NE(event, nullptr);
      event->intValue = i;
      skEventTimeline_setFrame(many, i, i * 0.01f, event);
   }
   skEvent* events[SK_EVENTS_CAPACITY + 1];
   events[SK_EVENTS_CAPACITY] = nullptr;
   i32 count = 0;
   skAnimation_apply(animation, skeleton, -1, 1, 0, events, &count);
   ASSERT_EQ(count, SK_EVENTS_CAPACITY);
   EXPECT_EQ(events[0]->intValue, 6);
   EXPECT_EQ(events[63]->intValue, 69);
   EXPECT_EQ(events[SK_EVENTS_CAPACITY], nullptr);
}

TEST_F(AnimationTest, DrawOrderKeysReorderOrRestoreTheSlots)
{
   skDrawOrderTimeline* timeline = skDrawOrderTimeline_create(2, 3);
   Animate(2, {timeline});
   const i32 order[] = {2, 0, 1};
   ASSERT_TRUE(skDrawOrderTimeline_setFrame(timeline, 0, 0.5f, order));
   ASSERT_TRUE(skDrawOrderTimeline_setFrame(timeline, 1, 1, nullptr));
   skSlot** slots = skeleton->slots;
   skSlot** drawn = skeleton->drawOrder;
   skAnimation_apply(animation, skeleton, 0, 0.2f, 0, nullptr, nullptr);
   EXPECT_EQ(drawn[0], slots[0]); // before the first key
   skAnimation_apply(animation, skeleton, 0, 0.7f, 0, nullptr, nullptr);
   EXPECT_EQ(drawn[0], slots[2]);
   EXPECT_EQ(drawn[1], slots[0]);
   EXPECT_EQ(drawn[2], slots[1]);
   skAnimation_apply(animation, skeleton, 0, 1.5f, 0, nullptr, nullptr);
   EXPECT_EQ(drawn[0], slots[0]);
   EXPECT_EQ(drawn[2], slots[2]);
}

TEST_F(AnimationTest, DeformKeysShapeOnlyTheirOwnAttachment)
{
   skMeshAttachment* mesh = skMeshAttachment_create("cloth");
   ASSERT_NE(mesh, nullptr);
   SkinAdd(1, mesh);
   skAttachment* other = SkinAdd(1, skRegionAttachment_create("hat"));
   skFFDTimeline* small = skFFDTimeline_create(2, 4);
   skFFDTimeline* large = skFFDTimeline_create(1, 6);
   Animate(1, {small});
   small->slotIndex = 1;
   small->attachment = mesh;
   const float flat[] = {0, 0, 0, 0};
   const float raised[] = {4, 8, 12, 16};
   ASSERT_TRUE(skFFDTimeline_setFrame(small, 0, 0, flat));
   ASSERT_TRUE(skFFDTimeline_setFrame(small, 1, 1, raised));
   skSlot* slot = skeleton->slots[1];

   skSlot_setAttachment(slot, other);
   skAnimation_apply(animation, skeleton, 0, 0.5f, 0, nullptr, nullptr);
   EXPECT_EQ(slot->attachmentVerticesCount, 0);

   skSlot_setAttachment(slot, mesh);
   skAnimation_mix(animation, skeleton, 0, 0.5f, 0, nullptr, nullptr, 0.5f); // a new shape: full weight
   ASSERT_EQ(slot->attachmentVerticesCount, 4);
   EXPECT_EQ(std::vector<float>(slot->attachmentVertices, slot->attachmentVertices + 4),
             (std::vector<float>{2, 4, 6, 8}));
   skAnimation_mix(animation, skeleton, 0, 1, 0, nullptr, nullptr, 0.5f); // now blended by half
   EXPECT_EQ(std::vector<float>(slot->attachmentVertices, slot->attachmentVertices + 4),
             (std::vector<float>{3, 6, 9, 12}));

   // A longer shape grows the array and is taken whole.
   animation->timelines[0] = large;
   large->slotIndex = 1;
   large->attachment = mesh;
   const float six[] = {1, 2, 3, 4, 5, 6};
   ASSERT_TRUE(skFFDTimeline_setFrame(large, 0, 0, six));
   skAnimation_mix(animation, skeleton, 0, 0.3f, 0, nullptr, nullptr, 0.25f);
   ASSERT_EQ(slot->attachmentVerticesCount, 6);
   EXPECT_GE(slot->attachmentVerticesCapacity, 6);
   EXPECT_EQ(std::vector<float>(slot->attachmentVertices, slot->attachmentVertices + 6),
             (std::vector<float>(six, six + 6)));
   animation->timelines[0] = small;
   skTimeline_dispose(large);
}

TEST_F(AnimationTest, FlipKeysSetTheirAxisAndIkKeysTheirConstraint)
{
   skFlipTimeline* flipX = skFlipTimeline_create(2, 1);
   skFlipTimeline* flipY = skFlipTimeline_create(1, 0);
   Animate(2, {flipX, flipY});
   skFlipTimeline_setFrame(flipX, 0, 0, 1);
   skFlipTimeline_setFrame(flipX, 1, 1, 0);
   skFlipTimeline_setFrame(flipY, 0, 0.5f, 1);
   flipY->boneIndex = 1;
   skAnimation_apply(animation, skeleton, 0, 0.4f, 0, nullptr, nullptr);
   EXPECT_EQ(skeleton->bones[0]->flipX, 1);
   EXPECT_EQ(skeleton->bones[1]->flipY, 0);
   skAnimation_apply(animation, skeleton, 0.4f, 1.2f, 0, nullptr, nullptr);
   EXPECT_EQ(skeleton->bones[0]->flipX, 0);
   EXPECT_EQ(skeleton->bones[0]->flipY, 0);
   EXPECT_EQ(skeleton->bones[1]->flipY, 1);
}

TEST_F(AnimationTest, TimelinesWithoutFramesApplyNothing)
{
   Animate(1, {skRotateTimeline_create(0), skTranslateTimeline_create(0), skScaleTimeline_create(0),
               skColorTimeline_create(0), skAttachmentTimeline_create(0), skEventTimeline_create(0),
               skDrawOrderTimeline_create(0, 3), skFFDTimeline_create(0, 4), skIkConstraintTimeline_create(0),
               skFlipTimeline_create(0, 1)});
   EXPECT_EQ(static_cast<skCurveTimeline*>(animation->timelines[0])->curves, nullptr);
   skSlot_setAttachment(skeleton->slots[0], nullptr);
   skEvent* events[SK_EVENTS_CAPACITY];
   i32 count = 0;
   skAnimation_apply(animation, skeleton, 1.5f, 0.5f, 1, events, &count);
   EXPECT_EQ(count, 0);
   EXPECT_EQ(skeleton->bones[0]->rotation, 10.0f);
   EXPECT_EQ(skeleton->bones[0]->x, 1.0f);
   EXPECT_EQ(skeleton->slots[0]->r, 1.0f);
   EXPECT_EQ(skeleton->drawOrder[0], skeleton->slots[0]);
   EXPECT_EQ(skeleton->ikConstraints[0]->mix, 1.0f);
   EXPECT_EQ(skRotateTimeline_create(-1), nullptr);
}

TEST_F(AnimationTest, FailedAllocationsInTimelinesLeaveNothingBehind)
{
   const long live = State().live;
   for (long k = 0;; ++k)
   {
      State().allocations = 0;
      State().failAt = k;
      skTimeline* made[] = {skRotateTimeline_create(3),       skFFDTimeline_create(2, 4),
                            skAttachmentTimeline_create(2),   skEventTimeline_create(2),
                            skDrawOrderTimeline_create(2, 3), skFlipTimeline_create(2, 0)};
      const float vertices[] = {1, 2, 3, 4};
      const i32 order[] = {2, 1, 0};
      bool all = true;
      for (skTimeline* timeline : made)
      {
         all = all && timeline;
      }
      if (all)
      {
         all = skFFDTimeline_setFrame(static_cast<skFFDTimeline*>(made[1]), 1, 1, vertices) &&
               skAttachmentTimeline_setFrame(static_cast<skAttachmentTimeline*>(made[2]), 0, 0, "a") &&
               skDrawOrderTimeline_setFrame(static_cast<skDrawOrderTimeline*>(made[4]), 1, 1, order);
      }
      State().failAt = -1;
      for (skTimeline* timeline : made)
      {
         if (timeline)
         {
            skTimeline_dispose(timeline);
         }
      }
      EXPECT_EQ(State().live, live) << "failing allocation " << k;
      if (all)
      {
         EXPECT_GT(k, 10);
         break;
      }
   }
}
} // namespace
} // namespace Corvale
