// The global generator: exact steps from a known state, the mappings to ranges, and box union.
#include <gtest/gtest.h>

#include <cmath>

#include "core/Box.h"
#include "core/Random.h"

using namespace Corvale;

namespace
{
void Seed(u32 s0, u32 s1)
{
   randomState0 = s0;
   randomState1 = s1;
}

// The step written out plainly, with the 32-bit product of the original mapping.
u32 ReferenceStep(u32& s0, u32& s1)
{
   s0 = (s0 + 46906481u) ^ s1;
   s1 = (((s1 << 3) | (s1 >> 29)) + 103995407u) ^ s0;
   return (s0 - s1) & 0xFFFFu;
}
} // namespace

TEST(RandomTest, FirstStepFromZero)
{
   Seed(0, 0);
   EXPECT_EQ(RandomNumberGet(), 0x57F3u);
   EXPECT_EQ(randomState0, 0x02CBBC71u);
   EXPECT_EQ(randomState1, 0x04F9647Eu);
}

TEST(RandomTest, IntegerDrawsMatchThe32BitMappingUpTo65536)
{
   const u32 ranges[] = {0, 1, 2, 4, 13, 52, 104, 1000, 65535, 65536};
   for (u32 range : ranges)
   {
      Seed(0x12345678u, 0x9ABCDEF0u);
      u32 s0 = 0x12345678u;
      u32 s1 = 0x9ABCDEF0u;
      for (i32 i = 0; i < 500; i++)
      {
         u32 expected = static_cast<u32>(ReferenceStep(s0, s1) * range) >> 16;
         u32 drawn = RandomIntegerGet(range);
         ASSERT_EQ(drawn, expected) << "range " << range << " draw " << i;
         if (range > 0)
         {
            ASSERT_LT(drawn, range);
         }
      }
      EXPECT_EQ(randomState0, s0);
      EXPECT_EQ(randomState1, s1);
   }
}

TEST(RandomTest, LargeRangesAreSpreadOverTheWholeRange)
{
   Seed(1, 2);
   const u32 range = 3000000;
   u32 largest = 0;
   for (i32 i = 0; i < 2000; i++)
   {
      u32 drawn = RandomIntegerGet(range);
      ASSERT_LT(drawn, range);
      largest = std::max(largest, drawn);
   }
   // A product wrapped at 32 bits never reaches past 65536.
   EXPECT_GT(largest, range / 2);
}

TEST(RandomTest, FloatMappings)
{
   u32 s0 = 7;
   u32 s1 = 11;
   Seed(s0, s1);
   for (i32 i = 0; i < 200; i++)
   {
      u32 r = ReferenceStep(s0, s1);
      float unit = RandomUnitFloatGet();
      ASSERT_EQ(unit, static_cast<float>(static_cast<double>(r)) / 65535.0f);
      ASSERT_GE(unit, 0.0f);
      ASSERT_LE(unit, 1.0f);
   }
   for (i32 i = 0; i < 200; i++)
   {
      u32 r = ReferenceStep(s0, s1);
      float value = RandomFloatGet(10.0f, 2.5f);
      float expected = (10.0f - 2.5f) + (static_cast<float>(r) / 65535.0f) * 2.0f * 2.5f;
      ASSERT_EQ(value, expected);
      ASSERT_GE(value, 7.5f);
      ASSERT_LE(value, 12.5f);
   }
}

TEST(BoxTest, IncludeTable)
{
   struct Case
   {
      Box2F box;
      Box2F other;
      Box2F expected;
   };
   const float nan = std::nanf("");
   const Case cases[] = {
       {{0, 0, 10, 10}, {5, 5, 10, 10}, {0, 0, 15, 15}}, {{5, 5, 2, 2}, {-1, 6, 1, 10}, {-1, 5, 8, 11}},
       {{1, 2, 3, 4}, {9, 9, 0, 5}, {1, 2, 3, 4}}, // other empty: unchanged
       {{1, 2, 3, 0}, {9, 9, 2, 5}, {9, 9, 2, 5}}, // this empty: takes the other
       {{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}},
   };
   for (const Case& c : cases)
   {
      Box2F box = c.box;
      box.Include(c.other);
      EXPECT_EQ(box.x, c.expected.x);
      EXPECT_EQ(box.y, c.expected.y);
      EXPECT_EQ(box.width, c.expected.width);
      EXPECT_EQ(box.height, c.expected.height);
   }
   // NaN is not 0, so a NaN-sized box counts as non-empty and is not replaced.
   Box2F odd{0, 0, nan, 1};
   odd.Include({2, 2, 1, 1});
   EXPECT_EQ(odd.x, 0.0f);
}
