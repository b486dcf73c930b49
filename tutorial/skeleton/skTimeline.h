// Timelines: each keys one property of a bone, slot or IK constraint (or the draw order, or
// events) at frame times; the curve kinds interpolate between frames along a per-gap curve.
#pragma once

#include "core/Types.h"

namespace Corvale
{
struct skAttachment;
struct skEvent;
struct skSkeleton;

// Events one apply can hand back; a full buffer drops its oldest event.
const i32 SK_EVENTS_CAPACITY = 64;

enum skTimelineType
{
   SK_TIMELINE_ROTATE,
   SK_TIMELINE_TRANSLATE,
   SK_TIMELINE_SCALE,
   SK_TIMELINE_COLOR,
   SK_TIMELINE_ATTACHMENT,
   SK_TIMELINE_EVENT,
   SK_TIMELINE_DRAWORDER,
   SK_TIMELINE_FFD,
   SK_TIMELINE_IKCONSTRAINT,
   SK_TIMELINE_FLIP
};

struct skTimeline
{
   skTimelineType type;
   void (*_dispose)(skTimeline* self);
   // Poses the skeleton at time, blended by alpha; lastTime bounds which keys fire. events
   // (room for SK_EVENTS_CAPACITY) may be null.
   void (*_apply)(const skTimeline* self, skSkeleton* skeleton, float lastTime, float time, skEvent** events,
                  i32* eventsCount, float alpha);
};

void skTimeline_dispose(skTimeline* self);
void skTimeline_apply(const skTimeline* self, skSkeleton* skeleton, float lastTime, float time,
                      skEvent** events, i32* eventsCount, float alpha);

// Per gap between frames: a curve type (0 linear, 1 stepped, 2 Bezier) and nine sampled points.
const i32 SK_CURVE_LINEAR = 0;
const i32 SK_CURVE_STEPPED = 1;
const i32 SK_CURVE_BEZIER = 2;
const i32 SK_CURVE_SEGMENTS = 10;
const i32 SK_CURVE_GAP_SIZE = 19;

struct skCurveTimeline : skTimeline
{
   i32 framesCount;
   float* frames; // framesCount records of the kind's floats, time first
   float* curves; // (framesCount - 1) gaps; null without gaps
};

// frameIndex is the gap's first frame; gaps out of range are ignored.
void skCurveTimeline_setLinear(skCurveTimeline* self, i32 frameIndex);
void skCurveTimeline_setStepped(skCurveTimeline* self, i32 frameIndex);
void skCurveTimeline_setCurve(skCurveTimeline* self, i32 frameIndex, float cx1, float cy1, float cx2,
                              float cy2);
// Maps the linear percent across the gap through its curve.
float skCurveTimeline_getCurvePercent(const skCurveTimeline* self, i32 frameIndex, float percent);

// The position in values of the first record of step floats whose time is greater than target;
// target lies at or after the first time and before the last.
i32 frameSearch(const float* values, i32 valuesLength, i32 step, float target);
i32 frameSearch1(const float* values, i32 valuesLength, float target);

// Wraps into -180..180 by a remainder; a non-finite angle comes back as it is.
float _skWrapDegrees(float degrees);

struct skRotateTimeline : skCurveTimeline
{
   i32 boneIndex;
};
struct skTranslateTimeline : skCurveTimeline
{
   i32 boneIndex;
};
struct skScaleTimeline : skTranslateTimeline
{
};
struct skColorTimeline : skCurveTimeline
{
   i32 slotIndex;
};
struct skIkConstraintTimeline : skCurveTimeline
{
   i32 ikConstraintIndex;
};
struct skFFDTimeline : skCurveTimeline
{
   i32 slotIndex;
   skAttachment* attachment;
   i32 frameVerticesCount;
   float** frameVertices; // one owned array of frameVerticesCount floats per frame
};

struct skAttachmentTimeline : skTimeline
{
   i32 framesCount;
   float* frames;          // times
   char** attachmentNames; // owned copies; null for no attachment
   i32 slotIndex;
};
struct skEventTimeline : skTimeline
{
   i32 framesCount;
   float* frames;
   skEvent** events; // owned
};
struct skDrawOrderTimeline : skTimeline
{
   i32 framesCount;
   float* frames;
   i32** drawOrders; // per frame slotsCount slot indices, or null for the setup order
   i32 slotsCount;
};
struct skFlipTimeline : skTimeline
{
   i32 x; // 1 flips x, 0 flips y
   i32 framesCount;
   float* frames; // time, flip
   i32 boneIndex;
};

// Each _create returns null for a negative count or a failed allocation. Frame indices out of
// range are ignored; the setters that copy return false when the copy fails.
skRotateTimeline* skRotateTimeline_create(i32 framesCount);
void skRotateTimeline_setFrame(skRotateTimeline* self, i32 frameIndex, float time, float angle);
skTranslateTimeline* skTranslateTimeline_create(i32 framesCount);
void skTranslateTimeline_setFrame(skTranslateTimeline* self, i32 frameIndex, float time, float x, float y);
skScaleTimeline* skScaleTimeline_create(i32 framesCount);
void skScaleTimeline_setFrame(skScaleTimeline* self, i32 frameIndex, float time, float x, float y);
skColorTimeline* skColorTimeline_create(i32 framesCount);
void skColorTimeline_setFrame(skColorTimeline* self, i32 frameIndex, float time, float r, float g, float b,
                              float a);
skIkConstraintTimeline* skIkConstraintTimeline_create(i32 framesCount);
void skIkConstraintTimeline_setFrame(skIkConstraintTimeline* self, i32 frameIndex, float time, float mix,
                                     i32 bendDirection);
skFFDTimeline* skFFDTimeline_create(i32 framesCount, i32 frameVerticesCount);
i32 skFFDTimeline_setFrame(skFFDTimeline* self, i32 frameIndex, float time, const float* vertices);
skAttachmentTimeline* skAttachmentTimeline_create(i32 framesCount);
i32 skAttachmentTimeline_setFrame(skAttachmentTimeline* self, i32 frameIndex, float time,
                                  const char* attachmentName);
skEventTimeline* skEventTimeline_create(i32 framesCount);
// The timeline takes the event, replacing any earlier one of the frame.
void skEventTimeline_setFrame(skEventTimeline* self, i32 frameIndex, float time, skEvent* event);
skDrawOrderTimeline* skDrawOrderTimeline_create(i32 framesCount, i32 slotsCount);
// drawOrder holds slotsCount slot indices, or is null for the setup order.
i32 skDrawOrderTimeline_setFrame(skDrawOrderTimeline* self, i32 frameIndex, float time, const i32* drawOrder);
skFlipTimeline* skFlipTimeline_create(i32 framesCount, i32 x);
void skFlipTimeline_setFrame(skFlipTimeline* self, i32 frameIndex, float time, i32 flip);
} // namespace Corvale
