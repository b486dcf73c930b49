// A begin-to-end transition of a whole object over time: four eased tracks (position, scale,
// rotation, colour) read from JSON and advanced by the frame's elapsed milliseconds.
#pragma once

#include "core/Color.h"
#include "core/Point.h"
#include "core/ProgressionTrack.h"
#include "core/Types.h"

namespace Corvale
{
class JSONValue;

class TimedTransitionLinear2D
{
 public:
   // Restarts all four tracks from the specification; missing keys take their defaults.
   void Init(const JSONValue* specification);
   void Update(u32 elapsed);

   // The current values: begin + (end - begin) × the track's eased progress.
   Point2F PositionGet() const;
   Point2F ScaleGet() const;
   float RotationGet() const;
   ColorRGBA8 ColorGet() const;

   // The tracks carry their own from and to for the two point tracks; rotation and colour keep
   // theirs beside them because a track holds points only.
   ProgressionTrack positionTrack;
   ProgressionTrack scaleTrack;
   ProgressionTrack rotationTrack;
   ProgressionTrack colorTrack;
   float rotationBegin = 0.0f;
   float rotationEnd = 0.0f;
   ColorRGBA8 colorBegin{255, 255, 255, 255};
   ColorRGBA8 colorEnd{255, 255, 255, 255};
};
} // namespace Corvale
