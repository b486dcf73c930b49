// The shared sine table: its entries, the degree-to-index rule and the cosine's quarter turn.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/SineTable.h"

using namespace Corvale;

TEST(SineTable, EntriesAreOneTurnOfSingleFloats)
{
   for (i32 k = 0; k < SineTable::SIZE; k++)
   {
      ASSERT_EQ(SineTable::ValueGet(k), static_cast<float>(std::sin(6.283185307179586 * k / 4096)))
          << "entry " << k;
   }
   EXPECT_EQ(SineTable::ValueGet(4096 + 1024), 1.0f);
   EXPECT_EQ(SineTable::ValueGet(-1024), -1.0f);
}

TEST(SineTable, DegreesTruncateAndWrap)
{
   struct Case
   {
      float degrees;
      i32 index;
      float sine;
      float cosine;
   };
   const float nan = std::numeric_limits<float>::quiet_NaN();
   const Case cases[] = {
       {0.0f, 0, 0.0f, 1.0f},
       {90.0f, 1024, 1.0f, SineTable::ValueGet(2048)},
       {-90.0f, 3072, -1.0f, SineTable::ValueGet(0)},
       {450.0f, 1024, 1.0f, SineTable::ValueGet(2048)},
       // 0.05° is 0.57 entries: truncated to 0, and toward zero on the negative side too.
       {0.05f, 0, 0.0f, 1.0f},
       {-0.05f, 0, 0.0f, 1.0f},
       {-0.1f, 4095, SineTable::ValueGet(4095), SineTable::ValueGet(1023)},
       {1e30f, 0, 0.0f, 1.0f},
       {nan, 0, 0.0f, 1.0f},
   };
   for (const Case& c : cases)
   {
      EXPECT_EQ(SineTable::DegreesIndexGet(c.degrees), c.index) << c.degrees;
      EXPECT_EQ(SineTable::SineGet(c.degrees), c.sine) << c.degrees;
      EXPECT_EQ(SineTable::CosineGet(c.degrees), c.cosine) << c.degrees;
   }
}
