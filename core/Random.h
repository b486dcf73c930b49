// The global pseudo-random generator. Its two state words are saved with a game, so every draw
// anywhere must step it exactly the same way for a replayed deal to come out the same.
#pragma once

#include "core/Types.h"

namespace Corvale
{
extern u32 randomState0;
extern u32 randomState1;

// One step of the generator; returns the 16-bit draw.
u32 RandomNumberGet();
// In [0, range); 0 for a range of 0.
u32 RandomIntegerGet(u32 range);
// In [0, 1].
float RandomUnitFloatGet();
// In [center - deviation, center + deviation].
float RandomFloatGet(float center, float deviation);
} // namespace Corvale
