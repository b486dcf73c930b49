// The value range: snapping to the step grid, clamping, and which setters re-apply the value.
#include <gtest/gtest.h>

#include "gui/widgets/FloatRange.h"

namespace
{
using Corvale::FloatRange;

FloatRange RangeMake(float minimum, float maximum, float step)
{
   FloatRange range;
   range.MaximumSet(maximum);
   range.MinimumSet(minimum);
   range.StepMinimumSet(step);
   return range;
}

TEST(FloatRange, SnapsThenClamps)
{
   struct Case
   {
      float minimum, maximum, step, input, expected;
   } cases[] = {
       {0.0f, 10.0f, 0.0f, 3.7f, 3.7f},     // no step: unchanged
       {0.0f, 10.0f, 0.0f, -1.0f, 0.0f},    // below the minimum
       {0.0f, 10.0f, 0.0f, 11.0f, 10.0f},   // above the maximum
       {0.25f, 100.0f, 0.5f, 1.0f, 1.25f},  // grid anchored at the minimum
       {-10.0f, 10.0f, 1.0f, -2.5f, -2.0f}, // halfway below zero goes up
       {-10.0f, 10.0f, 1.0f, 2.5f, 3.0f},   // halfway above zero goes up
       {-10.0f, 10.0f, 1.0f, -2.6f, -3.0f},
       {0.0f, 10.0f, 3.0f, 10.0f, 9.0f},  // snaps to the nearer grid point
       {0.0f, 10.0f, 3.0f, 11.0f, 10.0f}, // snaps past the maximum: the maximum, off the grid
       {10.0f, 0.0f, 0.0f, 5.0f, 0.0f},   // inverted: always the maximum
       {10.0f, 0.0f, 0.0f, 20.0f, 0.0f},
       {5.0f, 5.0f, 1.0f, 7.0f, 5.0f}, // empty range: the bound
   };
   for (const Case& c : cases)
   {
      FloatRange range = RangeMake(c.minimum, c.maximum, c.step);
      range.ValueSet(c.input);
      EXPECT_FLOAT_EQ(range.ValueGet(), c.expected)
          << "min " << c.minimum << " max " << c.maximum << " step " << c.step << " in " << c.input;
   }
}

TEST(FloatRange, WhichSettersReapplyTheValue)
{
   FloatRange range;
   EXPECT_FLOAT_EQ(range.RangeGet(), 100.0f);
   range.MaximumSet(10.0f);
   range.ValueSet(3.7f);
   range.MinimumSet(5.0f);
   EXPECT_FLOAT_EQ(range.ValueGet(), 3.7f) << "without a step the minimum does not touch the value";
   range.ValueSet(3.7f);
   EXPECT_FLOAT_EQ(range.ValueGet(), 5.0f);

   range.MaximumSet(100.0f);
   range.ValueSet(7.0f);
   range.MaximumSet(2.0f);
   EXPECT_FLOAT_EQ(range.ValueGet(), 7.0f) << "the maximum is stored only";
   EXPECT_FLOAT_EQ(range.RangeGet(), -3.0f);

   FloatRange stepped = RangeMake(0.0f, 100.0f, 0.0f);
   stepped.ValueSet(7.0f);
   stepped.StepMinimumSet(0.0f);
   EXPECT_FLOAT_EQ(stepped.ValueGet(), 7.0f);
   stepped.StepMinimumSet(2.0f);
   EXPECT_FLOAT_EQ(stepped.ValueGet(), 8.0f) << "a new step snaps at once";
   stepped.MinimumSet(1.0f);
   EXPECT_FLOAT_EQ(stepped.ValueGet(), 9.0f) << "with a step the grid follows the minimum";
}

// Owners override ValueSet; the range's own setters must reach that override.
class RangeSpy : public FloatRange
{
 public:
   void ValueSet(float newValue) override
   {
      calls++;
      FloatRange::ValueSet(newValue);
   }
   int calls = 0;
};

TEST(FloatRange, InternalCallsReachOverrides)
{
   RangeSpy spy;
   FloatRange* range = &spy;
   range->MinimumSet(1.0f);
   EXPECT_EQ(spy.calls, 0);
   range->StepMinimumSet(2.0f);
   EXPECT_EQ(spy.calls, 1);
   range->MinimumSet(0.5f);
   EXPECT_EQ(spy.calls, 2);
   range->MaximumSet(50.0f);
   EXPECT_EQ(spy.calls, 2);
}
} // namespace
