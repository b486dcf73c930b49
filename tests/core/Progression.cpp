// Easing curves against values worked out by hand from the rounded sine table and float
// arithmetic, and the timed track that runs them.
#include "core/Progression.h"
#include "core/ProgressionTrack.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

using namespace Corvale;

namespace
{
struct CurveCase
{
   const char* name;
   const Progression* curve;
   float t;
   float expected;
};

// Expected values come from the six-decimal table with truncated indices, e.g. Smooth(0.7):
// 0.7 * 180 * 11.377778 + 3072 = 4505.6 -> entry 409 = 0.58704, so 0.5 * 0.58704 + 0.5.
// A version with cos(), or with rounded indices, misses these by several float steps.
const CurveCase curveCases[] = {
    {"Linear", &progressionLinear, 0.0f, 0.0f},
    {"Linear", &progressionLinear, 0.3f, 0.3f},
    {"Linear", &progressionLinear, 1.0f, 1.0f},
    {"Smooth", &progressionSmooth, 0.0f, 0.0f},
    {"Smooth", &progressionSmooth, 0.1f, 0.0242824852f},
    {"Smooth", &progressionSmooth, 0.3f, 0.205859005f},
    {"Smooth", &progressionSmooth, 0.7f, 0.793519974f},
    {"Smooth", &progressionSmooth, 0.9f, 0.975481033f},
    {"Smooth", &progressionSmooth, 1.0f, 1.0f},
    {"SmoothStart", &progressionSmoothStart, 0.0f, 0.0f},
    {"SmoothStart", &progressionSmoothStart, 0.3f, 0.108853996f},
    {"SmoothStart", &progressionSmoothStart, 0.5f, 0.292892992f},
    {"SmoothStart", &progressionSmoothStart, 0.7f, 0.544916034f},
    {"SmoothStart", &progressionSmoothStart, 1.0f, 1.0f},
    {"SmoothStop", &progressionSmoothStop, 0.0f, 0.0f},
    {"SmoothStop", &progressionSmoothStop, 0.1f, 0.155827999f},
    {"SmoothStop", &progressionSmoothStop, 0.25f, 0.382683009f},
    {"SmoothStop", &progressionSmoothStop, 0.5f, 0.707107008f},
    {"SmoothStop", &progressionSmoothStop, 0.9f, 0.987544f},
    {"SmoothStop", &progressionSmoothStop, 1.0f, 1.0f},
    {"ElasticStop", &progressionElasticStop, 0.0f, 0.0f},
    {"ElasticStop", &progressionElasticStop, 0.2f, 1.16895962f},
    {"ElasticStop", &progressionElasticStop, 0.5f, 0.90625f},
    {"ElasticStop", &progressionElasticStop, 0.9f, 1.0235672f},
    {"ElasticStop", &progressionElasticStop, 1.0f, 1.0f},
    {"BounceStop", &progressionBounceStop, 0.0f, 0.0f},
    {"BounceStop", &progressionBounceStop, 0.2f, 0.30250001f},
    {"BounceStop", &progressionBounceStop, 0.5f, 0.765625f},
    {"BounceStop", &progressionBounceStop, 0.8f, 0.939999998f},
    {"BounceStop", &progressionBounceStop, 0.95f, 0.984531224f},
    {"BounceStop", &progressionBounceStop, 1.0f, 1.0f},
};

const Progression* const allCurves[] = {&progressionLinear,      &progressionSmooth,
                                        &progressionSmoothStart, &progressionSmoothStop,
                                        &progressionElasticStop, &progressionBounceStop};
} // namespace

TEST(Progression, CurvesFollowTheRoundedTableAndFloatArithmetic)
{
   for (const CurveCase& c : curveCases)
   {
      EXPECT_FLOAT_EQ(c.curve->ValueGet(c.t), c.expected) << c.name << "(" << c.t << ")";
   }
}

TEST(Progression, SmoothAtHalfWrapsToTheFirstEntryExactly)
{
   // 90 degrees lands on index 4096, which wraps to entry 0 (sine 0).
   EXPECT_EQ(progressionSmooth.ValueGet(0.5f), 0.5f);
}

TEST(Progression, InputOutsideZeroToOneIsClamped)
{
   const float nan = std::numeric_limits<float>::quiet_NaN();
   for (const Progression* curve : allCurves)
   {
      EXPECT_EQ(curve->ValueGet(-1.0f), curve->ValueGet(0.0f));
      EXPECT_EQ(curve->ValueGet(2.0f), curve->ValueGet(1.0f));
      EXPECT_EQ(curve->ValueGet(-std::numeric_limits<float>::infinity()), curve->ValueGet(0.0f));
      // NaN must not reach the table index: it counts as the start.
      EXPECT_EQ(curve->ValueGet(nan), curve->ValueGet(0.0f));
   }
}

TEST(ProgressionTrack, DelayedTrackWaitsThenRunsThroughTheCurve)
{
   ProgressionTrack track;
   track.MotionStart(200, 100, Point2F{1.0f, 2.0f}, Point2F{3.0f, 4.0f}, &progressionSmoothStop);
   EXPECT_EQ(track.active, 1);
   EXPECT_EQ(track.finished, 0);
   EXPECT_EQ(track.start, 200u);
   EXPECT_EQ(track.end, 300u);
   EXPECT_EQ(track.to.y, 4.0f);

   const struct
   {
      u32 elapsed;
      float t;
   } steps[] = {{0, 0.0f}, {199, 0.0f}, {200, 0.0f}, {250, 0.5f}, {300, 1.0f}, {450, 1.0f}};
   for (const auto& step : steps)
   {
      track.elapsed = step.elapsed;
      EXPECT_EQ(track.ProgressGet(), progressionSmoothStop.ValueGet(step.t)) << step.elapsed;
   }
}

TEST(ProgressionTrack, ZeroLengthAndInactiveTracks)
{
   ProgressionTrack immediate;
   immediate.MotionStart(0, 0, Point2F{}, Point2F{}, &progressionSmooth);
   EXPECT_EQ(immediate.finished, 1);
   EXPECT_EQ(immediate.ProgressGet(), 1.0f);

   // A zero duration after a delay jumps to the end once the delay has passed.
   ProgressionTrack delayed;
   delayed.MotionStart(50, 0, Point2F{}, Point2F{}, &progressionLinear);
   EXPECT_EQ(delayed.finished, 0);
   delayed.elapsed = 49;
   EXPECT_EQ(delayed.ProgressGet(), 0.0f);
   delayed.elapsed = 50;
   EXPECT_EQ(delayed.ProgressGet(), 1.0f);

   ProgressionTrack idle;
   idle.elapsed = 1000;
   idle.end = 10;
   EXPECT_EQ(idle.ProgressGet(), 0.0f);

   // Without a curve the track still answers, linearly.
   ProgressionTrack bare;
   bare.MotionStart(0, 10, Point2F{}, Point2F{}, nullptr);
   bare.elapsed = 5;
   EXPECT_EQ(bare.ProgressGet(), 0.5f);
}
