// The model-view stack's specialised products against the general product, and the stack's
// own rules (never empty, in-place translate and scale).
#include <gtest/gtest.h>

#include "core/Memory.h"

#include <cmath>

#include "platform/window/MatrixEntry.h"
#include "platform/window/Screen.h"
#include "tests/MemoryEnvironment.h"

namespace Corvale
{
namespace
{
// Containers and screens take their memory from the engine's heaps.
const ::testing::Environment* const memoryEnvironment =
    ::testing::AddGlobalTestEnvironment(new TestSupport::MemoryEnvironment);

// A matrix that keeps exactly the promises of its kind, filled from a small generator.
MatrixEntry MatrixOfKind(u32 kind, u32 seed)
{
   auto next = [&seed]()
   {
      seed = seed * 1103515245u + 12345u;
      return static_cast<float>((seed >> 16) % 1000) / 100.0f - 5.0f;
   };
   MatrixEntry m;
   MatrixIdentitySet(&m);
   const bool unitScale = kind & MATRIX_KIND_UNIT_SCALE;
   const bool noRotation = kind & MATRIX_KIND_NO_ROTATION;
   if (noRotation && !unitScale)
   {
      m.e[0] = next();
      m.e[4] = next();
      m.e[8] = next();
   }
   else if (!noRotation && unitScale)
   {
      const float angle = next();
      const float q[4] = {std::cos(angle / 2), 0.0f, 0.0f, std::sin(angle / 2)};
      MatrixFromQuaternion(&m, q);
   }
   else if (!noRotation)
   {
      for (int i = 0; i < 9; ++i)
      {
         m.e[i] = next();
      }
   }
   if (!(kind & MATRIX_KIND_NO_TRANSLATION))
   {
      m.e[9] = next();
      m.e[10] = next();
      m.e[11] = next();
   }
   m.kind = kind;
   return m;
}
} // namespace

TEST(MatrixEntry, EverySpecialisedProductMatchesTheGeneralOne)
{
   for (u32 kindA = 0; kindA < 8; ++kindA)
   {
      for (u32 kindB = 0; kindB < 8; ++kindB)
      {
         const MatrixEntry a = MatrixOfKind(kindA, 17 + kindA * 8 + kindB);
         const MatrixEntry b = MatrixOfKind(kindB, 991 + kindA * 8 + kindB);
         MatrixEntry fast, slow;
         MatrixMultiply(&fast, a, b);
         MatrixMultiplyGeneral(&slow, a, b);
         EXPECT_EQ(fast.kind, kindA & kindB);
         for (int i = 0; i < 12; ++i)
         {
            EXPECT_NEAR(fast.e[i], slow.e[i], 1e-4f)
                << "kinds " << kindA << " x " << kindB << " element " << i;
         }
      }
   }
}

TEST(MatrixEntry, QuaternionTurnsXIntoY)
{
   // A quarter turn about z: (1, 0, 0) goes to (0, 1, 0).
   const float half = std::sqrt(0.5f);
   const float q[4] = {half, 0.0f, 0.0f, half};
   MatrixEntry m;
   MatrixFromQuaternion(&m, q);
   EXPECT_NEAR(m.e[0], 0.0f, 1e-6f);
   EXPECT_NEAR(m.e[1], 1.0f, 1e-6f);
   EXPECT_NEAR(m.e[3], -1.0f, 1e-6f);
   EXPECT_EQ(m.kind, 0u);
}

TEST(MatrixStack, PoppingTheLastEntryLeavesTheIdentity)
{
   Screen stackOwner;
   stackOwner.MatrixStackInit();
   stackOwner.MatrixTranslate(5.0f, 7.0f);
   stackOwner.MatrixPop();
   ASSERT_EQ(stackOwner.matrixStack.count, 1);
   MatrixEntry identity;
   MatrixIdentitySet(&identity);
   for (int i = 0; i < 12; ++i)
   {
      EXPECT_EQ(stackOwner.MatrixTopGet().e[i], identity.e[i]);
   }
   EXPECT_EQ(stackOwner.MatrixTopGet().kind, 0u);
   EXPECT_EQ(stackOwner.matricesChanged, 1);
   stackOwner.MatrixStackDeinit();
}

TEST(MatrixStack, PushKeepsTheOuterEntryAndTranslateFollowsTheScale)
{
   Screen stackOwner;
   stackOwner.MatrixStackInit();
   stackOwner.MatrixTopGet().kind = MATRIX_KIND_IDENTITY;
   stackOwner.MatrixPush();
   stackOwner.MatrixScale(2.0f, 3.0f);
   stackOwner.MatrixTranslate(1.0f, 1.0f);
   const MatrixEntry& top = stackOwner.MatrixTopGet();
   EXPECT_FLOAT_EQ(top.e[9], 2.0f);
   EXPECT_FLOAT_EQ(top.e[10], 3.0f);
   // Scaling drops the unit-scale promise, translating the no-translation one.
   EXPECT_EQ(top.kind, static_cast<u32>(MATRIX_KIND_NO_ROTATION));
   stackOwner.MatrixPop();
   EXPECT_EQ(stackOwner.MatrixTopGet().kind, static_cast<u32>(MATRIX_KIND_IDENTITY));
   EXPECT_FLOAT_EQ(stackOwner.MatrixTopGet().e[9], 0.0f);
   stackOwner.MatrixStackDeinit();
}
} // namespace Corvale
