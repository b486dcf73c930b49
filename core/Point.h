// Points of two or three coordinates; in JSON a two-coordinate point is written "x|y".
#pragma once

#include "core/Types.h"

namespace Corvale
{
struct Point2I
{
   i32 x = 0;
   i32 y = 0;
};

struct Point2F
{
   float x = 0.0f;
   float y = 0.0f;
};

struct Point3F
{
   float x = 0.0f;
   float y = 0.0f;
   float z = 0.0f;
};
} // namespace Corvale
