// Skeleton data built by hand for the pose, IK and timeline tests: bones, slots and IK
// constraints described by small tables and made through the data model's create functions.
#pragma once

#include <vector>

#include "tutorial/skeleton/skBoneData.h"
#include "tutorial/skeleton/skHooks.h"
#include "tutorial/skeleton/skIkConstraintData.h"
#include "tutorial/skeleton/skSkeletonData.h"
#include "tutorial/skeleton/skSlotData.h"

namespace Corvale
{
namespace skeleton_test_support
{
struct BoneSpec
{
   const char* name;
   int parent; // index of an earlier bone, or -1
   float x, y, rotation;
   float scaleX = 1, scaleY = 1;
   float length = 0;
};

struct SlotSpec
{
   const char* name;
   int bone;
   const char* attachmentName = nullptr;
};

struct IkSpec
{
   const char* name;
   std::vector<int> bones;
   int target;
   int bendDirection = 1;
};

// Null when an allocation fails; what was made is then disposed.
inline skSkeletonData* DataBuild(const std::vector<BoneSpec>& bones, const std::vector<SlotSpec>& slots = {},
                                 const std::vector<IkSpec>& iks = {})
{
   skSkeletonData* data = skSkeletonData_create();
   if (!data)
   {
      return nullptr;
   }
   bool built = (bones.empty() || (data->bones = SK_ALLOC(skBoneData*, bones.size()))) &&
                (slots.empty() || (data->slots = SK_ALLOC(skSlotData*, slots.size()))) &&
                (iks.empty() || (data->ikConstraints = SK_ALLOC(skIkConstraintData*, iks.size())));
   for (size_t i = 0; built && i < bones.size(); ++i)
   {
      const BoneSpec& spec = bones[i];
      skBoneData* bone = skBoneData_create(spec.name, spec.parent >= 0 ? data->bones[spec.parent] : nullptr);
      built = bone != nullptr;
      if (bone)
      {
         bone->x = spec.x;
         bone->y = spec.y;
         bone->rotation = spec.rotation;
         bone->scaleX = spec.scaleX;
         bone->scaleY = spec.scaleY;
         bone->length = spec.length;
         data->bones[data->bonesCount++] = bone;
      }
   }
   for (size_t i = 0; built && i < slots.size(); ++i)
   {
      skSlotData* slot = skSlotData_create(slots[i].name, data->bones[slots[i].bone]);
      built = slot != nullptr;
      if (slot)
      {
         data->slots[data->slotsCount++] = slot;
         built = skSlotData_setAttachmentName(slot, slots[i].attachmentName);
      }
   }
   for (size_t i = 0; built && i < iks.size(); ++i)
   {
      skIkConstraintData* ik = skIkConstraintData_create(iks[i].name);
      built = ik != nullptr;
      if (!ik)
      {
         break;
      }
      data->ikConstraints[data->ikConstraintsCount++] = ik;
      ik->target = data->bones[iks[i].target];
      ik->bendDirection = iks[i].bendDirection;
      if (!iks[i].bones.empty())
      {
         built = (ik->bones = SK_ALLOC(skBoneData*, iks[i].bones.size())) != nullptr;
         for (size_t b = 0; built && b < iks[i].bones.size(); ++b)
         {
            ik->bones[ik->bonesCount++] = data->bones[iks[i].bones[b]];
         }
      }
   }
   if (!built)
   {
      skSkeletonData_dispose(data);
      return nullptr;
   }
   return data;
}
} // namespace skeleton_test_support
} // namespace Corvale
