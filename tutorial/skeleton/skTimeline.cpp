// The timeline kinds: their frames, curves and how each poses a skeleton.
#include "tutorial/skeleton/skTimeline.h"

#include <cmath>
#include <cstring>

#include "tutorial/skeleton/skBone.h"
#include "tutorial/skeleton/skBoneData.h"
#include "tutorial/skeleton/skEvent.h"
#include "tutorial/skeleton/skHooks.h"
#include "tutorial/skeleton/skIkConstraint.h"
#include "tutorial/skeleton/skSkeleton.h"
#include "tutorial/skeleton/skSlot.h"
#include "tutorial/skeleton/skSlotData.h"

namespace Corvale
{
namespace
{
// Past any key: a wrapped loop first plays out the keys after lastTime.
const float END_OF_TIME = 2147483648.0f;

const i32 ROTATE_ENTRIES = 2;
const i32 TRANSLATE_ENTRIES = 3;
const i32 COLOR_ENTRIES = 5;
const i32 IK_ENTRIES = 3;
const i32 FLIP_ENTRIES = 2;

bool FrameInRange(i32 framesCount, i32 frameIndex)
{
   return frameIndex >= 0 && frameIndex < framesCount;
}

template <class T>
T* TimelineAlloc(skTimelineType type, void (*dispose)(skTimeline*),
                 void (*apply)(const skTimeline*, skSkeleton*, float, float, skEvent**, i32*, float))
{
   T* self = SK_ALLOC(T, 1);
   if (self)
   {
      self->type = type;
      self->_dispose = dispose;
      self->_apply = apply;
   }
   return self;
}

void CurveTimelineDispose(skTimeline* timeline)
{
   skCurveTimeline* self = static_cast<skCurveTimeline*>(timeline);
   SK_FREE(self->curves);
   SK_FREE(self->frames);
   SK_FREE(self);
}

// A curve kind with entries floats per frame; no frames keep no curve table.
template <class T>
T* CurveTimelineCreate(skTimelineType type, i32 framesCount, i32 entries,
                       void (*apply)(const skTimeline*, skSkeleton*, float, float, skEvent**, i32*, float))
{
   if (framesCount < 0)
   {
      return nullptr;
   }
   T* self = TimelineAlloc<T>(type, CurveTimelineDispose, apply);
   if (!self)
   {
      return nullptr;
   }
   self->framesCount = framesCount;
   const bool framesMade = framesCount == 0 || (self->frames = SK_ALLOC(float, i64(framesCount) * entries));
   const bool curvesMade =
       framesCount <= 1 || (self->curves = SK_ALLOC(float, (i64(framesCount) - 1) * SK_CURVE_GAP_SIZE));
   if (!framesMade || !curvesMade)
   {
      CurveTimelineDispose(self);
      return nullptr;
   }
   return self;
}

// The frame record (a position in frames) at whose start the interpolation across the gap
// before it lands, and the curved percent across that gap. Call with time inside the frames.
i32 CurvedFrame(const skCurveTimeline* self, i32 entries, float time, float* percent)
{
   const i32 frame = frameSearch(self->frames, self->framesCount * entries, entries, time);
   const float previousTime = self->frames[frame - entries];
   const float frameTime = self->frames[frame];
   float linear = 1 - (time - frameTime) / (previousTime - frameTime);
   linear = linear < 0 ? 0 : (linear > 1 ? 1 : linear);
   *percent = skCurveTimeline_getCurvePercent(self, frame / entries - 1, linear);
   return frame;
}

// Whether the timeline keys anything at time: false before its first frame or with none.
bool Started(i32 framesCount, const float* frames, float time)
{
   return framesCount > 0 && time >= frames[0];
}

float LastTime(i32 framesCount, const float* frames, i32 entries)
{
   return frames[(framesCount - 1) * entries];
}

void RotateApply(const skTimeline* timeline, skSkeleton* skeleton, float, float time, skEvent**, i32*,
                 float alpha)
{
   const skRotateTimeline* self = static_cast<const skRotateTimeline*>(timeline);
   if (!Started(self->framesCount, self->frames, time) ||
       !FrameInRange(skeleton->bonesCount, self->boneIndex))
   {
      return;
   }
   skBone* bone = skeleton->bones[self->boneIndex];
   float angle;
   if (time >= LastTime(self->framesCount, self->frames, ROTATE_ENTRIES))
   {
      angle = self->frames[(self->framesCount - 1) * ROTATE_ENTRIES + 1];
   }
   else
   {
      float percent;
      const i32 frame = CurvedFrame(self, ROTATE_ENTRIES, time, &percent);
      const float previous = self->frames[frame - 1];
      angle = previous + _skWrapDegrees(self->frames[frame + 1] - previous) * percent;
   }
   const float amount = _skWrapDegrees(bone->data->rotation + angle - bone->rotation);
   bone->rotation += amount * alpha;
}

// The two values of a translate or scale frame at time; false before the first frame.
bool PairAt(const skTranslateTimeline* self, float time, float* x, float* y)
{
   if (!Started(self->framesCount, self->frames, time))
   {
      return false;
   }
   if (time >= LastTime(self->framesCount, self->frames, TRANSLATE_ENTRIES))
   {
      *x = self->frames[(self->framesCount - 1) * TRANSLATE_ENTRIES + 1];
      *y = self->frames[(self->framesCount - 1) * TRANSLATE_ENTRIES + 2];
      return true;
   }
   float percent;
   const i32 frame = CurvedFrame(self, TRANSLATE_ENTRIES, time, &percent);
   const float* previous = self->frames + frame - TRANSLATE_ENTRIES;
   *x = previous[1] + (self->frames[frame + 1] - previous[1]) * percent;
   *y = previous[2] + (self->frames[frame + 2] - previous[2]) * percent;
   return true;
}

void TranslateApply(const skTimeline* timeline, skSkeleton* skeleton, float, float time, skEvent**, i32*,
                    float alpha)
{
   const skTranslateTimeline* self = static_cast<const skTranslateTimeline*>(timeline);
   float x;
   float y;
   if (!FrameInRange(skeleton->bonesCount, self->boneIndex) || !PairAt(self, time, &x, &y))
   {
      return;
   }
   skBone* bone = skeleton->bones[self->boneIndex];
   bone->x += (bone->data->x + x - bone->x) * alpha;
   bone->y += (bone->data->y + y - bone->y) * alpha;
}

void ScaleApply(const skTimeline* timeline, skSkeleton* skeleton, float, float time, skEvent**, i32*,
                float alpha)
{
   const skScaleTimeline* self = static_cast<const skScaleTimeline*>(timeline);
   float x;
   float y;
   if (!FrameInRange(skeleton->bonesCount, self->boneIndex) || !PairAt(self, time, &x, &y))
   {
      return;
   }
   skBone* bone = skeleton->bones[self->boneIndex];
   bone->scaleX += (bone->data->scaleX * x - bone->scaleX) * alpha;
   bone->scaleY += (bone->data->scaleY * y - bone->scaleY) * alpha;
}

void ColorApply(const skTimeline* timeline, skSkeleton* skeleton, float, float time, skEvent**, i32*,
                float alpha)
{
   const skColorTimeline* self = static_cast<const skColorTimeline*>(timeline);
   if (!Started(self->framesCount, self->frames, time) ||
       !FrameInRange(skeleton->slotsCount, self->slotIndex))
   {
      return;
   }
   float color[4];
   if (time >= LastTime(self->framesCount, self->frames, COLOR_ENTRIES))
   {
      std::memcpy(color, self->frames + (self->framesCount - 1) * COLOR_ENTRIES + 1, sizeof color);
   }
   else
   {
      float percent;
      const i32 frame = CurvedFrame(self, COLOR_ENTRIES, time, &percent);
      for (i32 i = 0; i < 4; ++i)
      {
         const float previous = self->frames[frame - COLOR_ENTRIES + 1 + i];
         color[i] = previous + (self->frames[frame + 1 + i] - previous) * percent;
      }
   }
   skSlot* slot = skeleton->slots[self->slotIndex];
   float* channels[4] = {&slot->r, &slot->g, &slot->b, &slot->a};
   for (i32 i = 0; i < 4; ++i)
   {
      *channels[i] = alpha < 1 ? *channels[i] + (color[i] - *channels[i]) * alpha : color[i];
   }
}

void IkConstraintApply(const skTimeline* timeline, skSkeleton* skeleton, float, float time, skEvent**, i32*,
                       float alpha)
{
   const skIkConstraintTimeline* self = static_cast<const skIkConstraintTimeline*>(timeline);
   if (!Started(self->framesCount, self->frames, time) ||
       !FrameInRange(skeleton->ikConstraintsCount, self->ikConstraintIndex))
   {
      return;
   }
   skIkConstraint* constraint = skeleton->ikConstraints[self->ikConstraintIndex];
   if (time >= LastTime(self->framesCount, self->frames, IK_ENTRIES))
   {
      const float* last = self->frames + (self->framesCount - 1) * IK_ENTRIES;
      constraint->mix += (last[1] - constraint->mix) * alpha;
      constraint->bendDirection = static_cast<i32>(last[2]);
      return;
   }
   float percent;
   const i32 frame = CurvedFrame(self, IK_ENTRIES, time, &percent);
   const float* previous = self->frames + frame - IK_ENTRIES;
   const float mix = previous[1] + (self->frames[frame + 1] - previous[1]) * percent;
   constraint->mix += (mix - constraint->mix) * alpha;
   constraint->bendDirection = static_cast<i32>(previous[2]);
}

void FFDDispose(skTimeline* timeline)
{
   skFFDTimeline* self = static_cast<skFFDTimeline*>(timeline);
   for (i32 i = 0; self->frameVertices && i < self->framesCount; ++i)
   {
      SK_FREE(self->frameVertices[i]);
   }
   SK_FREE(self->frameVertices);
   CurveTimelineDispose(self);
}

void FFDApply(const skTimeline* timeline, skSkeleton* skeleton, float, float time, skEvent**, i32*,
              float alpha)
{
   const skFFDTimeline* self = static_cast<const skFFDTimeline*>(timeline);
   if (!FrameInRange(skeleton->slotsCount, self->slotIndex) ||
       !Started(self->framesCount, self->frames, time))
   {
      return;
   }
   skSlot* slot = skeleton->slots[self->slotIndex];
   if (slot->attachment != self->attachment)
   {
      return;
   }
   const float* previous;
   const float* next = nullptr;
   float percent = 0;
   if (time >= LastTime(self->framesCount, self->frames, 1))
   {
      previous = self->frameVertices[self->framesCount - 1];
   }
   else
   {
      const i32 frame = CurvedFrame(self, 1, time, &percent);
      previous = self->frameVertices[frame - 1];
      next = self->frameVertices[frame];
      if (!next)
      {
         return; // a frame whose vertices were never set
      }
   }
   if (!previous)
   {
      return;
   }
   const i32 count = self->frameVerticesCount;
   if (slot->attachmentVerticesCount != count)
   {
      alpha = 1; // nothing of this shape to blend with
   }
   if (slot->attachmentVerticesCapacity < count)
   {
      SK_FREE(slot->attachmentVertices);
      slot->attachmentVertices = SK_ALLOC(float, count);
      slot->attachmentVerticesCapacity = slot->attachmentVertices ? count : 0;
      if (!slot->attachmentVertices)
      {
         slot->attachmentVerticesCount = 0;
         return;
      }
   }
   slot->attachmentVerticesCount = count;
   float* vertices = slot->attachmentVertices;
   for (i32 i = 0; i < count; ++i)
   {
      const float value = next ? previous[i] + (next[i] - previous[i]) * percent : previous[i];
      vertices[i] = alpha < 1 ? vertices[i] + (value - vertices[i]) * alpha : value;
   }
}

// The frame a stepped kind shows at time, or -1 when nothing changes: before the first frame
// (unless a loop wrapped, when the last frame is shown again) and for a frame before lastTime.
i32 SteppedFrame(i32 framesCount, const float* frames, i32 entries, float lastTime, float time)
{
   if (framesCount <= 0)
   {
      return -1;
   }
   if (time < frames[0])
   {
      return lastTime > time ? SteppedFrame(framesCount, frames, entries, lastTime, END_OF_TIME) : -1;
   }
   if (lastTime > time)
   {
      lastTime = -1;
   }
   const i32 frame = time >= LastTime(framesCount, frames, entries)
                         ? framesCount - 1
                         : frameSearch(frames, framesCount * entries, entries, time) / entries - 1;
   return frames[frame * entries] < lastTime ? -1 : frame;
}

void AttachmentDispose(skTimeline* timeline)
{
   skAttachmentTimeline* self = static_cast<skAttachmentTimeline*>(timeline);
   for (i32 i = 0; self->attachmentNames && i < self->framesCount; ++i)
   {
      SK_FREE(self->attachmentNames[i]);
   }
   SK_FREE(self->attachmentNames);
   SK_FREE(self->frames);
   SK_FREE(self);
}

void AttachmentApply(const skTimeline* timeline, skSkeleton* skeleton, float lastTime, float time, skEvent**,
                     i32*, float)
{
   const skAttachmentTimeline* self = static_cast<const skAttachmentTimeline*>(timeline);
   if (!FrameInRange(skeleton->slotsCount, self->slotIndex))
   {
      return;
   }
   const i32 frame = SteppedFrame(self->framesCount, self->frames, 1, lastTime, time);
   if (frame < 0)
   {
      return;
   }
   const char* name = self->attachmentNames[frame];
   skSlot_setAttachment(skeleton->slots[self->slotIndex],
                        name ? skSkeleton_getAttachmentForSlotIndex(skeleton, self->slotIndex, name)
                             : nullptr);
}

void FlipDispose(skTimeline* timeline)
{
   skFlipTimeline* self = static_cast<skFlipTimeline*>(timeline);
   SK_FREE(self->frames);
   SK_FREE(self);
}

void FlipApply(const skTimeline* timeline, skSkeleton* skeleton, float lastTime, float time, skEvent**, i32*,
               float)
{
   const skFlipTimeline* self = static_cast<const skFlipTimeline*>(timeline);
   if (!FrameInRange(skeleton->bonesCount, self->boneIndex))
   {
      return;
   }
   const i32 frame = SteppedFrame(self->framesCount, self->frames, FLIP_ENTRIES, lastTime, time);
   if (frame < 0)
   {
      return;
   }
   skBone* bone = skeleton->bones[self->boneIndex];
   // Kept as a float, the flag may lie beyond int's range: only whether it is set counts.
   const i32 flip = self->frames[frame * FLIP_ENTRIES + 1] != 0 ? 1 : 0;
   if (self->x)
   {
      bone->flipX = flip;
   }
   else
   {
      bone->flipY = flip;
   }
}

void DrawOrderDispose(skTimeline* timeline)
{
   skDrawOrderTimeline* self = static_cast<skDrawOrderTimeline*>(timeline);
   for (i32 i = 0; self->drawOrders && i < self->framesCount; ++i)
   {
      SK_FREE(self->drawOrders[i]);
   }
   SK_FREE(self->drawOrders);
   SK_FREE(self->frames);
   SK_FREE(self);
}

void DrawOrderApply(const skTimeline* timeline, skSkeleton* skeleton, float, float time, skEvent**, i32*,
                    float)
{
   const skDrawOrderTimeline* self = static_cast<const skDrawOrderTimeline*>(timeline);
   if (!Started(self->framesCount, self->frames, time) || self->slotsCount != skeleton->slotsCount)
   {
      return;
   }
   const i32 frame = time >= LastTime(self->framesCount, self->frames, 1)
                         ? self->framesCount - 1
                         : frameSearch1(self->frames, self->framesCount, time) - 1;
   const i32* order = self->drawOrders[frame];
   if (!order)
   {
      std::memcpy(skeleton->drawOrder, skeleton->slots, sizeof(skSlot*) * self->slotsCount);
      return;
   }
   for (i32 i = 0; i < self->slotsCount; ++i)
   {
      if (FrameInRange(skeleton->slotsCount, order[i]))
      {
         skeleton->drawOrder[i] = skeleton->slots[order[i]];
      }
   }
}

void EventDispose(skTimeline* timeline)
{
   skEventTimeline* self = static_cast<skEventTimeline*>(timeline);
   for (i32 i = 0; self->events && i < self->framesCount; ++i)
   {
      if (self->events[i])
      {
         skEvent_dispose(self->events[i]);
      }
   }
   SK_FREE(self->events);
   SK_FREE(self->frames);
   SK_FREE(self);
}

void EventFire(skEvent* event, skEvent** events, i32* eventsCount)
{
   if (*eventsCount >= SK_EVENTS_CAPACITY)
   {
      std::memmove(events, events + 1, sizeof(skEvent*) * (SK_EVENTS_CAPACITY - 1));
      *eventsCount = SK_EVENTS_CAPACITY - 1;
   }
   events[(*eventsCount)++] = event;
}

void EventApply(const skTimeline* timeline, skSkeleton* skeleton, float lastTime, float time,
                skEvent** events, i32* eventsCount, float alpha)
{
   const skEventTimeline* self = static_cast<const skEventTimeline*>(timeline);
   if (!events || !eventsCount || self->framesCount == 0)
   {
      return;
   }
   const float* frames = self->frames;
   if (lastTime > time)
   {
      // A loop wrapped: the keys after lastTime first, then those from the start.
      EventApply(timeline, skeleton, lastTime, END_OF_TIME, events, eventsCount, alpha);
      lastTime = -1;
   }
   else if (lastTime >= frames[self->framesCount - 1])
   {
      return;
   }
   if (time < frames[0])
   {
      return;
   }
   i32 frame = 0;
   if (lastTime >= frames[0])
   {
      frame = frameSearch1(frames, self->framesCount, lastTime);
      const float frameTime = frames[frame];
      while (frame > 0 && frames[frame - 1] == frameTime)
      {
         frame--;
      }
   }
   for (; frame < self->framesCount && time >= frames[frame]; ++frame)
   {
      if (self->events[frame])
      {
         EventFire(self->events[frame], events, eventsCount);
      }
   }
}

// A stepped kind's records: times (and any per-frame floats) plus one pointer per frame.
template <class T>
T* SteppedTimelineCreate(skTimelineType type, i32 framesCount, i32 entries, void (*dispose)(skTimeline*),
                         void (*apply)(const skTimeline*, skSkeleton*, float, float, skEvent**, i32*, float))
{
   if (framesCount < 0)
   {
      return nullptr;
   }
   T* self = TimelineAlloc<T>(type, dispose, apply);
   if (!self)
   {
      return nullptr;
   }
   self->framesCount = framesCount;
   if (framesCount > 0 && !(self->frames = SK_ALLOC(float, i64(framesCount) * entries)))
   {
      dispose(self);
      return nullptr;
   }
   return self;
}
} // namespace

void skTimeline_dispose(skTimeline* self)
{
   self->_dispose(self);
}

void skTimeline_apply(const skTimeline* self, skSkeleton* skeleton, float lastTime, float time,
                      skEvent** events, i32* eventsCount, float alpha)
{
   self->_apply(self, skeleton, lastTime, time, events, eventsCount, alpha);
}

void skCurveTimeline_setLinear(skCurveTimeline* self, i32 frameIndex)
{
   if (FrameInRange(self->framesCount - 1, frameIndex))
   {
      self->curves[frameIndex * SK_CURVE_GAP_SIZE] = SK_CURVE_LINEAR;
   }
}

void skCurveTimeline_setStepped(skCurveTimeline* self, i32 frameIndex)
{
   if (FrameInRange(self->framesCount - 1, frameIndex))
   {
      self->curves[frameIndex * SK_CURVE_GAP_SIZE] = SK_CURVE_STEPPED;
   }
}

void skCurveTimeline_setCurve(skCurveTimeline* self, i32 frameIndex, float cx1, float cy1, float cx2,
                              float cy2)
{
   if (!FrameInRange(self->framesCount - 1, frameIndex))
   {
      return;
   }
   // Forward differences of the cubic from (0, 0) to (1, 1) in ten even steps of t.
   const float subdiv1 = 1.0f / SK_CURVE_SEGMENTS;
   const float subdiv2 = subdiv1 * subdiv1;
   const float subdiv3 = subdiv2 * subdiv1;
   const float pre1 = 3 * subdiv1;
   const float pre2 = 3 * subdiv2;
   const float pre4 = 6 * subdiv2;
   const float pre5 = 6 * subdiv3;
   const float tmp1x = -cx1 * 2 + cx2;
   const float tmp1y = -cy1 * 2 + cy2;
   const float tmp2x = (cx1 - cx2) * 3 + 1;
   const float tmp2y = (cy1 - cy2) * 3 + 1;
   float dfx = cx1 * pre1 + tmp1x * pre2 + tmp2x * subdiv3;
   float dfy = cy1 * pre1 + tmp1y * pre2 + tmp2y * subdiv3;
   float ddfx = tmp1x * pre4 + tmp2x * pre5;
   float ddfy = tmp1y * pre4 + tmp2y * pre5;
   const float dddfx = tmp2x * pre5;
   const float dddfy = tmp2y * pre5;
   float x = dfx;
   float y = dfy;
   float* curve = self->curves + frameIndex * SK_CURVE_GAP_SIZE;
   curve[0] = SK_CURVE_BEZIER;
   for (i32 i = 1; i < SK_CURVE_GAP_SIZE; i += 2)
   {
      curve[i] = x;
      curve[i + 1] = y;
      dfx += ddfx;
      dfy += ddfy;
      ddfx += dddfx;
      ddfy += dddfy;
      x += dfx;
      y += dfy;
   }
}

float skCurveTimeline_getCurvePercent(const skCurveTimeline* self, i32 frameIndex, float percent)
{
   if (!FrameInRange(self->framesCount - 1, frameIndex))
   {
      return percent;
   }
   const float* curve = self->curves + frameIndex * SK_CURVE_GAP_SIZE;
   const float type = curve[0];
   if (type == SK_CURVE_LINEAR)
   {
      return percent;
   }
   if (type == SK_CURVE_STEPPED)
   {
      return 0;
   }
   float x = 0;
   for (i32 i = 1; i < SK_CURVE_GAP_SIZE; i += 2)
   {
      x = curve[i];
      if (x >= percent)
      {
         if (i == 1)
         {
            // Control points outside 0..1 can put the first sample at x = 0; 0/0 would stick.
            return x == 0 ? 0 : curve[i + 1] * percent / x;
         }
         const float previousX = curve[i - 2];
         const float previousY = curve[i - 1];
         return previousY + (curve[i + 1] - previousY) * (percent - previousX) / (x - previousX);
      }
   }
   const float y = curve[SK_CURVE_GAP_SIZE - 1];
   return y + (1 - y) * (percent - x) / (1 - x);
}

i32 frameSearch(const float* values, i32 valuesLength, i32 step, float target)
{
   // Searches record indices low..high for the one just before the answer.
   i32 low = 0;
   i32 high = valuesLength / step - 2;
   if (high <= 0)
   {
      return step;
   }
   i32 current = high / 2;
   while (true)
   {
      if (values[(current + 1) * step] <= target)
      {
         low = current + 1;
      }
      else
      {
         high = current;
      }
      if (low == high)
      {
         return (low + 1) * step;
      }
      current = (low + high) / 2;
   }
}

i32 frameSearch1(const float* values, i32 valuesLength, float target)
{
   return frameSearch(values, valuesLength, 1, target);
}

float _skWrapDegrees(float degrees)
{
   if (!std::isfinite(degrees))
   {
      return degrees;
   }
   if (degrees > 180 || degrees < -180)
   {
      degrees = std::fmod(degrees, 360.0f);
      if (degrees > 180)
      {
         degrees -= 360;
      }
      else if (degrees < -180)
      {
         degrees += 360;
      }
   }
   return degrees;
}

skRotateTimeline* skRotateTimeline_create(i32 framesCount)
{
   return CurveTimelineCreate<skRotateTimeline>(SK_TIMELINE_ROTATE, framesCount, ROTATE_ENTRIES, RotateApply);
}

void skRotateTimeline_setFrame(skRotateTimeline* self, i32 frameIndex, float time, float angle)
{
   if (FrameInRange(self->framesCount, frameIndex))
   {
      self->frames[frameIndex * ROTATE_ENTRIES] = time;
      self->frames[frameIndex * ROTATE_ENTRIES + 1] = angle;
   }
}

skTranslateTimeline* skTranslateTimeline_create(i32 framesCount)
{
   return CurveTimelineCreate<skTranslateTimeline>(SK_TIMELINE_TRANSLATE, framesCount, TRANSLATE_ENTRIES,
                                                   TranslateApply);
}

void skTranslateTimeline_setFrame(skTranslateTimeline* self, i32 frameIndex, float time, float x, float y)
{
   if (FrameInRange(self->framesCount, frameIndex))
   {
      float* frame = self->frames + frameIndex * TRANSLATE_ENTRIES;
      frame[0] = time;
      frame[1] = x;
      frame[2] = y;
   }
}

skScaleTimeline* skScaleTimeline_create(i32 framesCount)
{
   return CurveTimelineCreate<skScaleTimeline>(SK_TIMELINE_SCALE, framesCount, TRANSLATE_ENTRIES, ScaleApply);
}

void skScaleTimeline_setFrame(skScaleTimeline* self, i32 frameIndex, float time, float x, float y)
{
   skTranslateTimeline_setFrame(self, frameIndex, time, x, y);
}

skColorTimeline* skColorTimeline_create(i32 framesCount)
{
   return CurveTimelineCreate<skColorTimeline>(SK_TIMELINE_COLOR, framesCount, COLOR_ENTRIES, ColorApply);
}

void skColorTimeline_setFrame(skColorTimeline* self, i32 frameIndex, float time, float r, float g, float b,
                              float a)
{
   if (FrameInRange(self->framesCount, frameIndex))
   {
      float* frame = self->frames + frameIndex * COLOR_ENTRIES;
      frame[0] = time;
      frame[1] = r;
      frame[2] = g;
      frame[3] = b;
      frame[4] = a;
   }
}

skIkConstraintTimeline* skIkConstraintTimeline_create(i32 framesCount)
{
   return CurveTimelineCreate<skIkConstraintTimeline>(SK_TIMELINE_IKCONSTRAINT, framesCount, IK_ENTRIES,
                                                      IkConstraintApply);
}

void skIkConstraintTimeline_setFrame(skIkConstraintTimeline* self, i32 frameIndex, float time, float mix,
                                     i32 bendDirection)
{
   if (FrameInRange(self->framesCount, frameIndex))
   {
      float* frame = self->frames + frameIndex * IK_ENTRIES;
      frame[0] = time;
      frame[1] = mix;
      frame[2] = static_cast<float>(bendDirection);
   }
}

skFFDTimeline* skFFDTimeline_create(i32 framesCount, i32 frameVerticesCount)
{
   if (frameVerticesCount < 0)
   {
      return nullptr;
   }
   skFFDTimeline* self = CurveTimelineCreate<skFFDTimeline>(SK_TIMELINE_FFD, framesCount, 1, FFDApply);
   if (!self)
   {
      return nullptr;
   }
   self->_dispose = FFDDispose;
   self->frameVerticesCount = frameVerticesCount;
   if (framesCount > 0 && !(self->frameVertices = SK_ALLOC(float*, framesCount)))
   {
      FFDDispose(self);
      return nullptr;
   }
   return self;
}

i32 skFFDTimeline_setFrame(skFFDTimeline* self, i32 frameIndex, float time, const float* vertices)
{
   if (!FrameInRange(self->framesCount, frameIndex))
   {
      return 0;
   }
   self->frames[frameIndex] = time;
   float* copy = SK_ALLOC(float, self->frameVerticesCount > 0 ? self->frameVerticesCount : 1);
   if (!copy)
   {
      return 0;
   }
   if (self->frameVerticesCount > 0)
   {
      std::memcpy(copy, vertices, sizeof(float) * self->frameVerticesCount);
   }
   SK_FREE(self->frameVertices[frameIndex]);
   self->frameVertices[frameIndex] = copy;
   return 1;
}

skAttachmentTimeline* skAttachmentTimeline_create(i32 framesCount)
{
   skAttachmentTimeline* self = SteppedTimelineCreate<skAttachmentTimeline>(
       SK_TIMELINE_ATTACHMENT, framesCount, 1, AttachmentDispose, AttachmentApply);
   if (self && framesCount > 0 && !(self->attachmentNames = SK_ALLOC(char*, framesCount)))
   {
      AttachmentDispose(self);
      return nullptr;
   }
   return self;
}

i32 skAttachmentTimeline_setFrame(skAttachmentTimeline* self, i32 frameIndex, float time,
                                  const char* attachmentName)
{
   if (!FrameInRange(self->framesCount, frameIndex))
   {
      return 0;
   }
   self->frames[frameIndex] = time;
   SK_FREE(self->attachmentNames[frameIndex]);
   self->attachmentNames[frameIndex] = _skCopyString(attachmentName);
   return !attachmentName || self->attachmentNames[frameIndex];
}

skEventTimeline* skEventTimeline_create(i32 framesCount)
{
   skEventTimeline* self =
       SteppedTimelineCreate<skEventTimeline>(SK_TIMELINE_EVENT, framesCount, 1, EventDispose, EventApply);
   if (self && framesCount > 0 && !(self->events = SK_ALLOC(skEvent*, framesCount)))
   {
      EventDispose(self);
      return nullptr;
   }
   return self;
}

void skEventTimeline_setFrame(skEventTimeline* self, i32 frameIndex, float time, skEvent* event)
{
   if (!FrameInRange(self->framesCount, frameIndex))
   {
      if (event)
      {
         skEvent_dispose(event); // the timeline owns what it is given
      }
      return;
   }
   self->frames[frameIndex] = time;
   if (self->events[frameIndex])
   {
      skEvent_dispose(self->events[frameIndex]);
   }
   self->events[frameIndex] = event;
}

skDrawOrderTimeline* skDrawOrderTimeline_create(i32 framesCount, i32 slotsCount)
{
   if (slotsCount < 0)
   {
      return nullptr;
   }
   skDrawOrderTimeline* self = SteppedTimelineCreate<skDrawOrderTimeline>(
       SK_TIMELINE_DRAWORDER, framesCount, 1, DrawOrderDispose, DrawOrderApply);
   if (!self)
   {
      return nullptr;
   }
   self->slotsCount = slotsCount;
   if (framesCount > 0 && !(self->drawOrders = SK_ALLOC(i32*, framesCount)))
   {
      DrawOrderDispose(self);
      return nullptr;
   }
   return self;
}

i32 skDrawOrderTimeline_setFrame(skDrawOrderTimeline* self, i32 frameIndex, float time, const i32* drawOrder)
{
   if (!FrameInRange(self->framesCount, frameIndex))
   {
      return 0;
   }
   self->frames[frameIndex] = time;
   SK_FREE(self->drawOrders[frameIndex]);
   self->drawOrders[frameIndex] = nullptr;
   if (!drawOrder)
   {
      return 1;
   }
   i32* copy = SK_ALLOC(i32, self->slotsCount > 0 ? self->slotsCount : 1);
   if (!copy)
   {
      return 0;
   }
   if (self->slotsCount > 0)
   {
      std::memcpy(copy, drawOrder, sizeof(i32) * self->slotsCount);
   }
   self->drawOrders[frameIndex] = copy;
   return 1;
}

skFlipTimeline* skFlipTimeline_create(i32 framesCount, i32 x)
{
   skFlipTimeline* self = SteppedTimelineCreate<skFlipTimeline>(SK_TIMELINE_FLIP, framesCount, FLIP_ENTRIES,
                                                                FlipDispose, FlipApply);
   if (self)
   {
      self->x = x != 0;
   }
   return self;
}

void skFlipTimeline_setFrame(skFlipTimeline* self, i32 frameIndex, float time, i32 flip)
{
   if (FrameInRange(self->framesCount, frameIndex))
   {
      self->frames[frameIndex * FLIP_ENTRIES] = time;
      self->frames[frameIndex * FLIP_ENTRIES + 1] = static_cast<float>(flip);
   }
}
} // namespace Corvale
