// Fixtures shared by the file, archive and graphics-path tests: a temporary folder that removes
// itself, and a log sink that keeps every line written.
#pragma once

#include <string>
#include <vector>

#include "core/Types.h"
#include "tests/TestSupport.h"

namespace CorvaleTest
{
using namespace Corvale;

using TestSupport::LogCapture;
using TestSupport::TempFolder;

// Bytes that look like noise, the same every run.
inline std::string PatternBytes(size_t size, u32 seed)
{
   std::string bytes(size, '\0');
   for (size_t i = 0; i < size; ++i)
   {
      seed = seed * 1664525u + 1013904223u;
      bytes[i] = static_cast<char>(seed >> 24);
   }
   return bytes;
}
} // namespace CorvaleTest
