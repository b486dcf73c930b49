// The timed linear transition: JSON defaults, the track timing and the eased values.
#include "platform/particle/TimedTransitionLinear2D.h"

#include <gtest/gtest.h>

#include "core/Memory.h"
#include "core/Progression.h"
#include "core/ProgressionManager.h"
#include "tests/core/JSONTestSupport.h"

using namespace Corvale;

namespace
{
class TimedTransitionLinear2DTest : public ::testing::Test
{
 protected:
   static void SetUpTestSuite()
   {
      Memory::Init();
      ProgressionManager::Init();
   }

   static bool AllFinished(const TimedTransitionLinear2D& transition)
   {
      return transition.positionTrack.finished && transition.scaleTrack.finished &&
             transition.rotationTrack.finished && transition.colorTrack.finished;
   }

   JSONTest::LogCapture log;
};

TEST_F(TimedTransitionLinear2DTest, TracksFinishAfterTheDelayAndDuration)
{
   struct Case
   {
      const char* text;
      u32 notYet;
      u32 done;
   };
   const Case cases[] = {
       {"{}", 0, 0},
       {R"({"StartDelay": 500, "Duration": 1000})", 1499, 1500},
       {R"({"Duration": true})", 0, 1},
       {R"({"StartDelay": 40.9})", 39, 40},
   };
   for (const Case& c : cases)
   {
      JSONTest::ValuePointer spec = JSONTest::TextParse(c.text);
      TimedTransitionLinear2D transition;
      transition.Init(spec.get());
      EXPECT_TRUE(transition.positionTrack.active);
      if (c.done == 0)
      {
         EXPECT_TRUE(AllFinished(transition)) << c.text;
         continue;
      }
      transition.Update(c.notYet);
      EXPECT_FALSE(transition.colorTrack.finished) << c.text;
      transition.Update(c.done - c.notYet);
      EXPECT_TRUE(AllFinished(transition)) << c.text;
   }
}

TEST_F(TimedTransitionLinear2DTest, ValuesRunFromBeginToEndThroughEachCurve)
{
   JSONTest::ValuePointer spec = JSONTest::TextParse(
       R"({"StartDelay": 100, "Duration": 1000, "PositionBegin": "0|10", "PositionEnd": "100|-10", )"
       R"("ScaleEnd": "3|0", "ScaleProgression": "SmoothStop", "RotationBegin": 90, "RotationEnd": 0, )"
       R"("ColorBegin": "255|0|255|255", "ColorEnd": "0|0|255|0", "ColorProgression": 7})");
   TimedTransitionLinear2D transition;
   transition.Init(spec.get());
   // Before the delay has passed every track is at its begin value.
   transition.Update(50);
   EXPECT_FLOAT_EQ(transition.PositionGet().y, 10.0f);
   EXPECT_FLOAT_EQ(transition.ScaleGet().x, 1.0f);
   EXPECT_EQ(transition.ColorGet().r, 255);

   transition.Update(300);
   EXPECT_FLOAT_EQ(transition.PositionGet().x, 25.0f);
   EXPECT_FLOAT_EQ(transition.PositionGet().y, 5.0f);
   EXPECT_FLOAT_EQ(transition.ScaleGet().x, 1.0f + 2.0f * progressionSmoothStop.ValueGet(0.25f));
   EXPECT_FLOAT_EQ(transition.RotationGet(), 67.5f);
   // A curve key that is not a name gives the linear curve.
   EXPECT_TRUE(log.Contains("ProgressionManager::Get -- Unrecognized progression name"));
   EXPECT_EQ(transition.ColorGet().r, 191);
   EXPECT_EQ(transition.ColorGet().b, 255);
   EXPECT_EQ(transition.ColorGet().a, 191);

   transition.Update(5000);
   EXPECT_FLOAT_EQ(transition.PositionGet().x, 100.0f);
   EXPECT_FLOAT_EQ(transition.ScaleGet().y, 0.0f);
   EXPECT_FLOAT_EQ(transition.RotationGet(), 0.0f);
   EXPECT_EQ(transition.ColorGet().a, 0);
   EXPECT_EQ(transition.positionTrack.elapsed, 5350u);

   // An empty specification: no motion, unit scale, opaque white.
   TimedTransitionLinear2D plain;
   plain.Init(nullptr);
   EXPECT_FLOAT_EQ(plain.PositionGet().x, 0.0f);
   EXPECT_FLOAT_EQ(plain.ScaleGet().y, 1.0f);
   EXPECT_EQ(plain.ColorGet().g, 255);
   EXPECT_EQ(plain.ColorGet().a, 255);
}
} // namespace
