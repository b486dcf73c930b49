// Mix durations between pairs of animations for the animation state; pairs without an entry
// mix for the default duration.
#pragma once

#include "core/Types.h"

namespace Corvale
{
struct skAnimation;
struct skSkeletonData;

struct _skToEntry
{
   skAnimation* animation;
   float duration;
   _skToEntry* next;
};

struct _skFromEntry
{
   skAnimation* animation;
   _skToEntry* toEntries;
   _skFromEntry* next;
};

struct skAnimationStateData
{
   skSkeletonData* skeletonData; // not owned
   float defaultMix;
   _skFromEntry* entries;
};

// Default mix 0 and no entries; null when the allocation fails.
skAnimationStateData* skAnimationStateData_create(skSkeletonData* skeletonData);
void skAnimationStateData_dispose(skAnimationStateData* self);
// The entry's duration for the pair, else defaultMix.
float skAnimationStateData_getMix(const skAnimationStateData* self, const skAnimation* from,
                                  const skAnimation* to);
} // namespace Corvale
