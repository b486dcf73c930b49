// Colour of four 8-bit channels; in JSON written "red|green|blue|alpha" (each 0-255).
#pragma once

#include "core/Types.h"

namespace Corvale
{
struct ColorRGBA8
{
   u8 r = 0;
   u8 g = 0;
   u8 b = 0;
   u8 a = 0;
};
} // namespace Corvale
