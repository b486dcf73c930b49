// The graphics paths: up to three folder prefixes under which art files are searched, in order.
// The screen sets them at start-up; they are only read afterwards.
#pragma once

#include "core/Types.h"

namespace Corvale
{
constexpr i32 GRAPHICS_PATHS_COUNT_MAX = 3;
constexpr u32 GRAPHICS_PATH_SIZE = 260;

class GraphicsPathManager
{
 public:
   // Stores path followed by '/' as the prefix pathIndex (0 to 2); an over-long path leaves an
   // empty prefix. Slots below the index that were never set are searched as empty prefixes.
   static void Set(i32 pathIndex, const char* path);
   static i32 CountGet();
   // The prefix at pathIndex, "" when out of range.
   static const char* Get(i32 pathIndex);
};
} // namespace Corvale
