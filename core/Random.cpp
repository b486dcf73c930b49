// The global two-word generator and its mappings to ranges.
#include "core/Random.h"

namespace Corvale
{
u32 randomState0 = 0;
u32 randomState1 = 0;

u32 RandomNumberGet()
{
   randomState0 = (randomState0 + 0x02CBBC71u) ^ randomState1;
   u32 rotated = (randomState1 << 3) | (randomState1 >> 29);
   randomState1 = (rotated + 0x0632D80Fu) ^ randomState0;
   return (randomState0 - randomState1) & 0xFFFFu;
}

u32 RandomIntegerGet(u32 range)
{
   // The product needs 48 bits once the range passes 65536; for smaller ranges it is the same
   // value as a 32-bit product, so seeded deals are unchanged.
   u64 product = static_cast<u64>(RandomNumberGet()) * range;
   return static_cast<u32>(product >> 16);
}

float RandomUnitFloatGet()
{
   return static_cast<float>(static_cast<double>(RandomNumberGet())) / 65535.0f;
}

float RandomFloatGet(float center, float deviation)
{
   float unit = static_cast<float>(static_cast<double>(RandomNumberGet())) / 65535.0f;
   return (center - deviation) + unit * 2.0f * deviation;
}
} // namespace Corvale
