// Axis-aligned boxes; in JSON a two-dimensional box is written "x|y|width|height".
#pragma once

#include "core/Types.h"

namespace Corvale
{
struct Box2F
{
   float x = 0.0f;
   float y = 0.0f;
   float width = 0.0f;
   float height = 0.0f;

   // Empty when the width or the height equals 0 (NaN is not 0).
   bool EmptyCheck() const { return width == 0.0f || height == 0.0f; }
   // Grows this box to hold the other one; an empty box takes the other whole.
   void Include(const Box2F& other);
};

struct Box3F
{
   float x = 0.0f;
   float y = 0.0f;
   float z = 0.0f;
   float width = 0.0f;
   float height = 0.0f;
   float depth = 0.0f;
};
} // namespace Corvale
