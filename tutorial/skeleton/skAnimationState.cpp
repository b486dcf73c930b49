// The animation state. Listeners may change a track from any notification, so the state never
// touches an entry after a listener ran without first checking, by its serial, that the track
// still holds it; an entry leaves its track before its end is told, so whatever a listener puts
// there is kept.
#include "tutorial/skeleton/skAnimationState.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "tutorial/skeleton/skAnimation.h"
#include "tutorial/skeleton/skAnimationStateData.h"
#include "tutorial/skeleton/skHooks.h"
#include "tutorial/skeleton/skTimeline.h"

namespace Corvale
{
namespace
{
skTrackEntry* TrackEntryCreate(skAnimationState* state)
{
   skTrackEntry* self = SK_ALLOC(skTrackEntry, 1);
   if (self)
   {
      self->state = state;
      self->lastTime = -1;
      self->timeScale = 1;
      self->mix = 1;
      self->_serial = ++state->_entriesMade;
   }
   return self;
}

void TrackEntryDispose(skTrackEntry* self)
{
   SK_FREE(self);
}

// The entry, the entry it mixes out and the entries queued after it.
void EntriesDispose(skAnimationState* self, skTrackEntry* entry)
{
   while (entry)
   {
      skTrackEntry* next = entry->next;
      if (entry->previous)
      {
         EntriesDispose(self, entry->previous);
      }
      self->_disposeTrackEntry(entry);
      entry = next;
   }
}

bool TrackHolds(const skAnimationState* self, i32 index, i64 serial)
{
   return index < self->tracksCount && self->tracks[index] && self->tracks[index]->_serial == serial;
}

// The entry's listener, then the state's, each only while the track still holds the entry;
// false once a listener replaced it.
bool Notify(skAnimationState* self, i32 index, skTrackEntry* entry, skEventType type, skEvent* event,
            i32 loopCount)
{
   const i64 serial = entry->_serial;
   if (entry->listener)
   {
      entry->listener(self, index, type, event, loopCount);
      if (!TrackHolds(self, index, serial))
      {
         return false;
      }
   }
   if (self->listener)
   {
      self->listener(self, index, type, event, loopCount);
      if (!TrackHolds(self, index, serial))
      {
         return false;
      }
   }
   return true;
}

// For an entry already off its track: both listeners hear of its end.
void NotifyEnd(skAnimationState* self, i32 index, skTrackEntry* entry)
{
   if (entry->listener)
   {
      entry->listener(self, index, SK_ANIMATION_END, nullptr, 0);
   }
   if (self->listener)
   {
      self->listener(self, index, SK_ANIMATION_END, nullptr, 0);
   }
}

bool TrackExpand(skAnimationState* self, i32 index)
{
   if (index < self->tracksCount)
   {
      return true;
   }
   skTrackEntry** tracks = SK_ALLOC(skTrackEntry*, i64(index) + 1);
   if (!tracks)
   {
      return false;
   }
   if (self->tracksCount > 0)
   {
      std::memcpy(tracks, self->tracks, sizeof(skTrackEntry*) * static_cast<size_t>(self->tracksCount));
   }
   SK_FREE(self->tracks);
   self->tracks = tracks;
   self->tracksCount = index + 1;
   return true;
}

// Makes the entry current on an existing track, ending the entry there. When a listener puts
// another entry on the track during that end, the listener's choice stands and the entry is
// disposed unplayed.
void SetCurrent(skAnimationState* self, i32 index, skTrackEntry* entry)
{
   skTrackEntry* current = self->tracks[index];
   if (current)
   {
      self->tracks[index] = nullptr;
      skTrackEntry* previous = current->previous;
      current->previous = nullptr;
      NotifyEnd(self, index, current);
      if (self->tracks[index])
      {
         EntriesDispose(self, previous);
         EntriesDispose(self, current);
         EntriesDispose(self, entry);
         return;
      }
      entry->mixDuration = skAnimationStateData_getMix(self->data, current->animation, entry->animation);
      if (entry->mixDuration > 0)
      {
         entry->mixTime = 0;
         // An entry still early in its own mix hands on the entry it was mixing from.
         if (previous && current->mixTime / current->mixDuration < 0.5f)
         {
            entry->previous = previous;
            previous = nullptr;
            EntriesDispose(self, current);
         }
         else
         {
            entry->previous = current;
         }
      }
      else
      {
         EntriesDispose(self, current);
      }
      EntriesDispose(self, previous);
   }
   self->tracks[index] = entry;
   Notify(self, index, entry, SK_ANIMATION_START, nullptr, 0);
}

// Whole loops played at time; 0 for an end time of 0.
i32 LoopCount(float time, float endTime)
{
   const float loops = endTime != 0 ? time / endTime : 0;
   if (!(loops > -2147483648.0f))
   {
      return loops < 0 ? INT32_MIN : 0;
   }
   return loops < 2147483648.0f ? static_cast<i32>(loops) : INT32_MAX;
}
} // namespace

skAnimationState* skAnimationState_create(skAnimationStateData* data)
{
   skAnimationState* self = SK_ALLOC(skAnimationState, 1);
   if (!self)
   {
      return nullptr;
   }
   if (!(self->_events = SK_ALLOC(skEvent*, SK_EVENTS_CAPACITY)))
   {
      SK_FREE(self);
      return nullptr;
   }
   self->data = data;
   self->timeScale = 1;
   self->_createTrackEntry = TrackEntryCreate;
   self->_disposeTrackEntry = TrackEntryDispose;
   return self;
}

void skAnimationState_dispose(skAnimationState* self)
{
   for (i32 i = 0; i < self->tracksCount; ++i)
   {
      EntriesDispose(self, self->tracks[i]);
   }
   SK_FREE(self->tracks);
   SK_FREE(self->_events);
   SK_FREE(self);
}

skTrackEntry* skAnimationState_setAnimation(skAnimationState* self, skAnimation* animation)
{
   if (!TrackExpand(self, 0))
   {
      return nullptr;
   }
   skTrackEntry* current = self->tracks[0];
   if (current)
   {
      EntriesDispose(self, current->next);
      current->next = nullptr;
   }
   skTrackEntry* entry = self->_createTrackEntry(self);
   if (!entry)
   {
      return nullptr;
   }
   entry->animation = animation;
   entry->loop = 0;
   entry->endTime = animation->duration;
   const i64 serial = entry->_serial;
   SetCurrent(self, 0, entry);
   return TrackHolds(self, 0, serial) ? self->tracks[0] : nullptr;
}

void skAnimationState_clearTrack(skAnimationState* self, i32 trackIndex)
{
   if (trackIndex < 0 || trackIndex >= self->tracksCount || !self->tracks[trackIndex])
   {
      return;
   }
   skTrackEntry* current = self->tracks[trackIndex];
   self->tracks[trackIndex] = nullptr;
   NotifyEnd(self, trackIndex, current);
   EntriesDispose(self, current);
}

void skAnimationState_update(skAnimationState* self, float delta)
{
   delta *= self->timeScale;
   for (i32 i = 0; i < self->tracksCount; ++i)
   {
      skTrackEntry* current = self->tracks[i];
      if (!current)
      {
         continue;
      }
      current->time += delta * current->timeScale;
      if (current->previous)
      {
         const float previousDelta = delta * current->previous->timeScale;
         current->previous->time += previousDelta;
         current->mixTime += previousDelta;
      }
      skTrackEntry* next = current->next;
      if (next)
      {
         next->time = current->lastTime - next->delay;
         if (next->time >= 0)
         {
            current->next = nullptr;
            SetCurrent(self, i, next);
         }
      }
      else if (!current->loop && current->lastTime >= current->endTime)
      {
         skAnimationState_clearTrack(self, i);
      }
   }
}

void skAnimationState_apply(skAnimationState* self, skSkeleton* skeleton)
{
   for (i32 i = 0; i < self->tracksCount; ++i)
   {
      skTrackEntry* current = self->tracks[i];
      if (!current)
      {
         continue;
      }
      i32 eventsCount = 0;
      float time = current->time;
      if (!current->loop && time > current->endTime)
      {
         time = current->endTime;
      }
      skTrackEntry* previous = current->previous;
      if (!previous)
      {
         if (current->mix == 1)
         {
            skAnimation_apply(current->animation, skeleton, current->lastTime, time, current->loop,
                              self->_events, &eventsCount);
         }
         else
         {
            skAnimation_mix(current->animation, skeleton, current->lastTime, time, current->loop,
                            self->_events, &eventsCount, current->mix);
         }
      }
      else
      {
         float alpha = current->mixTime / current->mixDuration * current->mix;
         float previousTime = previous->time;
         if (!previous->loop && previousTime > previous->endTime)
         {
            previousTime = previous->endTime;
         }
         skAnimation_apply(previous->animation, skeleton, previousTime, previousTime, previous->loop, nullptr,
                           nullptr);
         if (alpha >= 1)
         {
            alpha = 1;
            EntriesDispose(self, previous);
            current->previous = nullptr;
         }
         skAnimation_mix(current->animation, skeleton, current->lastTime, time, current->loop, self->_events,
                         &eventsCount, alpha);
      }

      // A listener may apply again into the shared buffer: tell from a copy.
      skEvent* events[SK_EVENTS_CAPACITY];
      std::memcpy(events, self->_events, sizeof(skEvent*) * static_cast<size_t>(eventsCount));
      bool held = true;
      for (i32 e = 0; held && e < eventsCount; ++e)
      {
         held = Notify(self, i, current, SK_ANIMATION_EVENT, events[e], 0);
      }
      if (!held)
      {
         continue;
      }

      const float lastTime = current->lastTime;
      const float endTime = current->endTime;
      const bool complete = current->loop ? std::fmod(lastTime, endTime) > std::fmod(time, endTime)
                                          : lastTime < endTime && time >= endTime;
      if (complete && !Notify(self, i, current, SK_ANIMATION_COMPLETE, nullptr, LoopCount(time, endTime)))
      {
         continue;
      }
      current->lastTime = current->time;
   }
}
} // namespace Corvale
