// A named list of timelines that pose a skeleton over time.
#pragma once

#include "core/Types.h"
#include "tutorial/skeleton/skTimeline.h"

namespace Corvale
{
struct skEvent;
struct skSkeleton;

struct skAnimation
{
   char* name;
   float duration;
   i32 timelinesCount;
   skTimeline** timelines;
};

// Room for timelinesCount timelines, all null; null when an allocation fails.
skAnimation* skAnimation_create(const char* name, i32 timelinesCount);
// Disposes every timeline that was set through its own operation.
void skAnimation_dispose(skAnimation* self);
// Poses the skeleton at time with full weight. A looped animation takes both times modulo its
// duration; events (room for SK_EVENTS_CAPACITY) may be null.
void skAnimation_apply(const skAnimation* self, skSkeleton* skeleton, float lastTime, float time, i32 loop,
                       skEvent** events, i32* eventsCount);
// The same, blended into the current pose by alpha.
void skAnimation_mix(const skAnimation* self, skSkeleton* skeleton, float lastTime, float time, i32 loop,
                     skEvent** events, i32* eventsCount, float alpha);
} // namespace Corvale
