// Plays animations on numbered tracks: advances their times, cross-fades from the entry a track
// played before, poses a skeleton and tells listeners of starts, ends, completions and events.
#pragma once

#include "core/Types.h"
#include "tutorial/skeleton/skEvent.h"

namespace Corvale
{
struct skAnimation;
struct skAnimationState;
struct skAnimationStateData;
struct skSkeleton;

// Called with the event for SK_ANIMATION_EVENT (else null) and the loop count for
// SK_ANIMATION_COMPLETE. It may set or clear the track's animation.
typedef void (*skAnimationStateListener)(skAnimationState* state, i32 trackIndex, skEventType type,
                                         skEvent* event, i32 loopCount);

struct skTrackEntry
{
   skAnimationState* state;
   skTrackEntry* next;     // queued after this one
   skTrackEntry* previous; // mixing out
   skAnimation* animation;
   i32 loop;
   float delay, time, lastTime, endTime, timeScale;
   skAnimationStateListener listener;
   float mixTime, mixDuration, mix;
   void* rendererObject;

   // Unique within its state: tells an entry from a new one at the same address.
   i64 _serial;
};

struct skAnimationState
{
   skAnimationStateData* data; // not owned
   float timeScale;
   skAnimationStateListener listener;
   i32 tracksCount;
   skTrackEntry** tracks; // null for an empty track
   void* rendererObject;

   skEvent** _events; // SK_EVENTS_CAPACITY, filled by each track's apply
   i64 _entriesMade;
   skTrackEntry* (*_createTrackEntry)(skAnimationState* self);
   void (*_disposeTrackEntry)(skTrackEntry* entry);
};

// No tracks, time scale 1; null when an allocation fails.
skAnimationState* skAnimationState_create(skAnimationStateData* data);
// Disposes every track's entries with it.
void skAnimationState_dispose(skAnimationState* self);

// Plays the animation once on track 0, ending what played there. The entry; null when an
// allocation fails or a listener already replaced it.
skTrackEntry* skAnimationState_setAnimation(skAnimationState* self, skAnimation* animation);
// Ends and empties the track, when it has an entry.
void skAnimationState_clearTrack(skAnimationState* self, i32 trackIndex);
void skAnimationState_update(skAnimationState* self, float delta);
void skAnimationState_apply(skAnimationState* self, skSkeleton* skeleton);
} // namespace Corvale
