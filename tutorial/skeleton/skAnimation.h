// A named list of timelines that pose a skeleton over time. The timeline kinds build on the
// base here, each supplying its own dispose operation.
#pragma once

#include "core/Types.h"

namespace Corvale
{
struct skTimeline
{
   i32 type;
   void (*_dispose)(skTimeline* self);
};

void skTimeline_dispose(skTimeline* self);

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
} // namespace Corvale
