// The engine heaps brought up once per test program, for tests whose containers and screens
// take their memory from them.
#pragma once

#include <gtest/gtest.h>

#include "core/Memory.h"

namespace Corvale
{
namespace TestSupport
{
// Registered once per test program with ::testing::AddGlobalTestEnvironment.
class MemoryEnvironment : public ::testing::Environment
{
 public:
   void SetUp() override
   {
      if (!Memory::InitialisedCheck())
      {
         Memory::Init();
      }
   }
};
} // namespace TestSupport
} // namespace Corvale
