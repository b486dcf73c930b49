// Reading and running the four tracks of a timed linear transition.
#include "platform/particle/TimedTransitionLinear2D.h"

#include "core/JSONValue.h"
#include "core/Progression.h"
#include "core/ProgressionManager.h"

namespace Corvale
{
namespace
{
// Without a file name to report, malformed texts get the value reader's own message.
const char* const contextName = "TimedTransitionLinear2D";

// A key present but not a string is looked up as no name, which also ends on the linear curve.
const Progression* CurveGet(const JSONValue* specification, const char* key)
{
   JSONValue* value = specification->ItemFind(key);
   if (!value)
   {
      return &progressionLinear;
   }
   return ProgressionManager::Get(value->StringValueGet());
}

void TrackAdvance(ProgressionTrack* track, u32 elapsed)
{
   if (!track->active || track->finished)
   {
      return;
   }
   // Saturating, so that a transition left running for weeks stays finished.
   u32 next = track->elapsed + elapsed;
   track->elapsed = next < track->elapsed ? 0xFFFFFFFFu : next;
   if (track->elapsed >= track->end)
   {
      track->finished = 1;
   }
}

u8 ChannelLerp(u8 from, u8 to, float t)
{
   float value = static_cast<float>(from) + (static_cast<float>(to) - static_cast<float>(from)) * t;
   // Overshooting curves (elastic, bounce) may leave the channel's range.
   if (!(value > 0.0f))
   {
      return 0;
   }
   if (value >= 255.0f)
   {
      return 255;
   }
   return static_cast<u8>(value);
}
} // namespace

void TimedTransitionLinear2D::Init(const JSONValue* specification)
{
   if (!specification)
   {
      specification = &JSONValue::nullValue;
   }
   u32 delay = specification->ItemGet("StartDelay")->UnsignedIntValueGet();
   u32 duration = specification->ItemGet("Duration")->UnsignedIntValueGet();

   const Point2F origin{0.0f, 0.0f};
   const Point2F unit{1.0f, 1.0f};
   const ColorRGBA8 white{255, 255, 255, 255};
   Point2F positionBegin;
   Point2F positionEnd;
   Point2F scaleBegin;
   Point2F scaleEnd;
   specification->Point2FGet(&positionBegin, "PositionBegin", &origin, contextName, nullptr, false);
   specification->Point2FGet(&positionEnd, "PositionEnd", &origin, contextName, nullptr, false);
   specification->Point2FGet(&scaleBegin, "ScaleBegin", &unit, contextName, nullptr, false);
   specification->Point2FGet(&scaleEnd, "ScaleEnd", &unit, contextName, nullptr, false);
   specification->FloatGet(&rotationBegin, "RotationBegin", 0.0f);
   specification->FloatGet(&rotationEnd, "RotationEnd", 0.0f);
   specification->ColorRGBA8Get(&colorBegin, "ColorBegin", &white, contextName, nullptr, false);
   specification->ColorRGBA8Get(&colorEnd, "ColorEnd", &white, contextName, nullptr, false);

   positionTrack.MotionStart(delay, duration, positionBegin, positionEnd,
                             CurveGet(specification, "PositionProgression"));
   scaleTrack.MotionStart(delay, duration, scaleBegin, scaleEnd, CurveGet(specification, "ScaleProgression"));
   rotationTrack.MotionStart(delay, duration, origin, origin, CurveGet(specification, "RotationProgression"));
   colorTrack.MotionStart(delay, duration, origin, origin, CurveGet(specification, "ColorProgression"));
}

void TimedTransitionLinear2D::Update(u32 elapsed)
{
   TrackAdvance(&positionTrack, elapsed);
   TrackAdvance(&scaleTrack, elapsed);
   TrackAdvance(&rotationTrack, elapsed);
   TrackAdvance(&colorTrack, elapsed);
}

Point2F TimedTransitionLinear2D::PositionGet() const
{
   float t = positionTrack.ProgressGet();
   return Point2F{positionTrack.from.x + (positionTrack.to.x - positionTrack.from.x) * t,
                  positionTrack.from.y + (positionTrack.to.y - positionTrack.from.y) * t};
}

Point2F TimedTransitionLinear2D::ScaleGet() const
{
   float t = scaleTrack.ProgressGet();
   return Point2F{scaleTrack.from.x + (scaleTrack.to.x - scaleTrack.from.x) * t,
                  scaleTrack.from.y + (scaleTrack.to.y - scaleTrack.from.y) * t};
}

float TimedTransitionLinear2D::RotationGet() const
{
   return rotationBegin + (rotationEnd - rotationBegin) * rotationTrack.ProgressGet();
}

ColorRGBA8 TimedTransitionLinear2D::ColorGet() const
{
   float t = colorTrack.ProgressGet();
   return ColorRGBA8{ChannelLerp(colorBegin.r, colorEnd.r, t), ChannelLerp(colorBegin.g, colorEnd.g, t),
                     ChannelLerp(colorBegin.b, colorEnd.b, t), ChannelLerp(colorBegin.a, colorEnd.a, t)};
}
} // namespace Corvale
