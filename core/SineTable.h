// The shared 4096-entry sine table: curves and turning widgets look angles up instead of calling
// sin and cos, so they all land on the same values.
#pragma once

#include "core/Types.h"

namespace Corvale
{
constexpr i32 SINE_TABLE_SIZE = 4096;
// Entries per degree, as a float: 4096 / 360.
constexpr float SINE_TABLE_DEGREE_SCALE = 11.377778f;

// sin(2π i / 4096) for each entry i, to six decimals; built on first use.
const float* SineTableGet();
// A table position (degrees × 4096 / 360, plus any offset) truncated toward zero and wrapped into
// the table; a position too large to convert, or NaN, reads entry 0.
i32 SineTableIndexGet(float position);
} // namespace Corvale
