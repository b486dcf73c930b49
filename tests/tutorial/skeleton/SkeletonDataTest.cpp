// The setup data records: their defaults, skins with newest-first lookup, the data's lookups by
// name, and disposal of everything (timelines through their own dispose), under failed
// allocations too.
#include <gtest/gtest.h>

#include "tests/tutorial/skeleton/SkeletonTestSupport.h"
#include "tutorial/skeleton/skAnimation.h"
#include "tutorial/skeleton/skBoneData.h"
#include "tutorial/skeleton/skBoundingBoxAttachment.h"
#include "tutorial/skeleton/skEvent.h"
#include "tutorial/skeleton/skEventData.h"
#include "tutorial/skeleton/skIkConstraintData.h"
#include "tutorial/skeleton/skMeshAttachment.h"
#include "tutorial/skeleton/skRegionAttachment.h"
#include "tutorial/skeleton/skSkeletonData.h"
#include "tutorial/skeleton/skSkin.h"
#include "tutorial/skeleton/skSkinnedMeshAttachment.h"
#include "tutorial/skeleton/skSlotData.h"

namespace Corvale
{
namespace
{
using skeleton_test_support::HookedTest;
using skeleton_test_support::State;

// Fills data with two of everything through the create functions; false when one fails.
bool DataFill(skSkeletonData* data)
{
   data->version = _skCopyString("2.1");
   data->bones = SK_ALLOC(skBoneData*, 2);
   data->slots = SK_ALLOC(skSlotData*, 2);
   data->skins = SK_ALLOC(skSkin*, 2);
   data->events = SK_ALLOC(skEventData*, 2);
   data->animations = SK_ALLOC(skAnimation*, 2);
   data->ikConstraints = SK_ALLOC(skIkConstraintData*, 2);
   if (!data->version || !data->bones || !data->slots || !data->skins || !data->events || !data->animations ||
       !data->ikConstraints)
   {
      return false;
   }
   // Counts first: dispose must cope with the gaps a failure leaves.
   data->bonesCount = data->slotsCount = data->skinsCount = data->eventsCount = data->animationsCount =
       data->ikConstraintsCount = 2;
   data->bones[0] = skBoneData_create("root", nullptr);
   data->bones[1] = data->bones[0] ? skBoneData_create("arm", data->bones[0]) : nullptr;
   data->slots[0] = data->bones[1] ? skSlotData_create("body", data->bones[1]) : nullptr;
   data->slots[1] = data->slots[0] ? skSlotData_create("hand", data->bones[1]) : nullptr;
   data->skins[0] = skSkin_create("default");
   data->skins[1] = skSkin_create("English");
   data->defaultSkin = data->skins[0];
   data->events[0] = skEventData_create("talk");
   data->events[1] = skEventData_create("talk"); // a second of the same name is never found
   data->animations[0] = skAnimation_create("Animation", 0);
   data->animations[1] = skAnimation_create("animation", 2);
   data->ikConstraints[0] = skIkConstraintData_create("reach");
   data->ikConstraints[1] = skIkConstraintData_create("grab");
   for (int i = 0; i < 2; ++i)
   {
      if (!data->slots[i] || !data->skins[i] || !data->events[i] || !data->animations[i] ||
          !data->ikConstraints[i])
      {
         return false;
      }
   }
   if (!skSlotData_setAttachmentName(data->slots[0], "face"))
   {
      return false;
   }
   data->events[0]->stringValue = _skCopyString("hello");
   data->ikConstraints[0]->bones = SK_ALLOC(skBoneData*, 1);
   if (!data->events[0]->stringValue || !data->ikConstraints[0]->bones)
   {
      return false;
   }
   data->ikConstraints[0]->bonesCount = 1;
   data->ikConstraints[0]->bones[0] = data->bones[1];
   // Kinds that own more than their frames: curves, and an event with its own text.
   skRotateTimeline* rotate = skRotateTimeline_create(3);
   data->animations[1]->timelines[0] = rotate;
   skEventTimeline* events = skEventTimeline_create(1);
   data->animations[1]->timelines[1] = events;
   skEvent* event = skEvent_create(data->events[0]);
   if (!rotate || !events || !event)
   {
      if (event)
      {
         skEvent_dispose(event);
      }
      return false;
   }
   skCurveTimeline_setCurve(rotate, 1, 0.25f, 0, 0.75f, 1);
   skEventTimeline_setFrame(events, 0, 0.5f, event);
   event->stringValue = _skCopyString("hi");
   if (!event->stringValue)
   {
      return false;
   }
   skAttachment* attachments[] = {skRegionAttachment_create("face"), skMeshAttachment_create("face"),
                                  skSkinnedMeshAttachment_create("cloth"),
                                  skBoundingBoxAttachment_create("hit")};
   bool added = true;
   for (skAttachment* attachment : attachments)
   {
      if (attachment && added && skSkin_addAttachment(data->skins[0], 0, attachment->name, attachment))
      {
         continue;
      }
      added = false;
      if (attachment)
      {
         skAttachment_dispose(attachment);
      }
   }
   return added;
}

using SkeletonDataTest = HookedTest;

TEST_F(SkeletonDataTest, CreatedRecordsStartFromTheirDefaults)
{
   skBoneData* bone = skBoneData_create("root", nullptr);
   ASSERT_NE(bone, nullptr);
   EXPECT_STREQ(bone->name, "root");
   EXPECT_EQ(bone->scaleX, 1.0f);
   EXPECT_EQ(bone->scaleY, 1.0f);
   EXPECT_EQ(bone->inheritScale, 1);
   EXPECT_EQ(bone->inheritRotation, 1);
   EXPECT_EQ(bone->flipX, 0);
   skSlotData* slot = skSlotData_create("slot", bone);
   ASSERT_NE(slot, nullptr);
   EXPECT_EQ(slot->boneData, bone);
   EXPECT_EQ(slot->attachmentName, nullptr);
   EXPECT_EQ(slot->r + slot->g + slot->b + slot->a, 4.0f);
   EXPECT_EQ(slot->blendMode, SK_BLEND_MODE_NORMAL);
   skIkConstraintData* ik = skIkConstraintData_create("ik");
   ASSERT_NE(ik, nullptr);
   EXPECT_EQ(ik->bendDirection, 1);
   EXPECT_EQ(ik->mix, 1.0f);
   skMeshAttachment* mesh = skMeshAttachment_create("mesh");
   ASSERT_NE(mesh, nullptr);
   EXPECT_EQ(mesh->r + mesh->g + mesh->b + mesh->a, 4.0f);
   skAttachment_dispose(mesh);
   skIkConstraintData_dispose(ik);
   skSlotData_dispose(slot);
   skBoneData_dispose(bone);
}

TEST_F(SkeletonDataTest, SkinsFindTheNewestEntryForASlotAndName)
{
   skSkin* skin = skSkin_create("default");
   ASSERT_NE(skin, nullptr);
   skAttachment* first = skRegionAttachment_create("first");
   skAttachment* second = skRegionAttachment_create("second");
   skAttachment* other = skBoundingBoxAttachment_create("other");
   ASSERT_TRUE(skSkin_addAttachment(skin, 0, "face", first));
   ASSERT_TRUE(skSkin_addAttachment(skin, 1, "face", other));
   ASSERT_TRUE(skSkin_addAttachment(skin, 0, "face", second));
   EXPECT_EQ(skin->entries->attachment, second);
   EXPECT_EQ(skSkin_getAttachment(skin, 0, "face"), second);
   EXPECT_EQ(skSkin_getAttachment(skin, 1, "face"), other);
   EXPECT_EQ(skSkin_getAttachment(skin, 2, "face"), nullptr);
   EXPECT_EQ(skSkin_getAttachment(skin, 0, "Face"), nullptr);
   EXPECT_EQ(skSkin_getAttachment(skin, -1, "face"), nullptr);
   skSkin_dispose(skin); // disposes all three attachments
}

TEST_F(SkeletonDataTest, LookupsMatchNamesExactlyAndDisposeFreesEverything)
{
   skSkeletonData* data = skSkeletonData_create();
   ASSERT_NE(data, nullptr);
   ASSERT_TRUE(DataFill(data));
   EXPECT_EQ(skSkeletonData_findBone(data, "arm"), data->bones[1]);
   EXPECT_EQ(skSkeletonData_findBone(data, "Arm"), nullptr);
   EXPECT_EQ(skSkeletonData_findBoneIndex(data, "arm"), 1);
   EXPECT_EQ(skSkeletonData_findBoneIndex(data, "leg"), -1);
   EXPECT_EQ(skSkeletonData_findSlotIndex(data, "hand"), 1);
   EXPECT_EQ(skSkeletonData_findSlotIndex(data, ""), -1);
   EXPECT_EQ(skSkeletonData_findSkin(data, "English"), data->skins[1]);
   EXPECT_EQ(skSkeletonData_findSkin(data, "english"), nullptr);
   EXPECT_EQ(skSkeletonData_findEvent(data, "talk"), data->events[0]);
   EXPECT_EQ(skSkeletonData_findIkConstraint(data, "grab"), data->ikConstraints[1]);
   EXPECT_EQ(skSkeletonData_findIkConstraint(data, "reach "), nullptr);
   EXPECT_EQ(skSkeletonData_findAnimation(data), data->animations[1]);
   skAnimation* exact = data->animations[1];
   data->animations[1] = data->animations[0];
   data->animations[0] = exact;
   EXPECT_EQ(skSkeletonData_findAnimation(data), exact);
   skAnimation_dispose(data->animations[1]);
   data->animationsCount = 1;
   exact->name[0] = 'A';
   EXPECT_EQ(skSkeletonData_findAnimation(data), nullptr);
   skSkeletonData_dispose(data); // the fixture finds any block a timeline kept
}

TEST_F(SkeletonDataTest, FailedAllocationsLeaveNothingBehind)
{
   for (long k = 0;; ++k)
   {
      State().allocations = 0;
      State().failAt = k;
      skSkeletonData* data = skSkeletonData_create();
      const bool filled = data && DataFill(data);
      if (data)
      {
         skSkeletonData_dispose(data);
      }
      EXPECT_EQ(State().live, 0) << "allocation " << k;
      if (filled)
      {
         EXPECT_EQ(State().allocations, k);
         break;
      }
   }
}

TEST_F(SkeletonDataTest, TheDebuggingAllocationIsUsedWhileSet)
{
   static int debugCalls;
   static std::string firstFile;
   debugCalls = 0;
   skHooks_setDebugMalloc(
       [](size_t size, const char* file, int) -> void*
       {
          if (debugCalls++ == 0)
          {
             firstFile = file;
          }
          return skeleton_test_support::CountingMalloc(size);
       });
   skSkin* skin = skSkin_create("debug");
   skHooks_setDebugMalloc(nullptr);
   ASSERT_NE(skin, nullptr);
   EXPECT_EQ(debugCalls, 2); // the record and its name
   EXPECT_NE(firstFile.find("tutorial/skeleton/sk"), std::string::npos) << firstFile;
   const long before = State().allocations;
   skSkin_dispose(skin);
   skin = skSkin_create("plain");
   EXPECT_EQ(State().allocations, before + 2);
   EXPECT_EQ(debugCalls, 2);
   skSkin_dispose(skin);
}
} // namespace
} // namespace Corvale
