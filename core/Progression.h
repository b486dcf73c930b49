// Easing curves: everything that moves or fades maps its elapsed fraction through one of these.
// The six curves are stateless singletons, found by name through ProgressionManager.
#pragma once

#include "core/Types.h"

namespace Corvale
{
class Progression
{
 public:
   constexpr Progression() = default;
   virtual ~Progression() = default;
   // Eased value of t; every curve clamps t to [0, 1] first.
   virtual float ValueGet(float t) const = 0;
};

class ProgressionLinear : public Progression
{
 public:
   float ValueGet(float t) const override;
};

class ProgressionSmooth : public Progression
{
 public:
   float ValueGet(float t) const override;
};

class ProgressionSmoothStart : public Progression
{
 public:
   float ValueGet(float t) const override;
};

class ProgressionSmoothStop : public Progression
{
 public:
   float ValueGet(float t) const override;
};

class ProgressionElasticStop : public Progression
{
 public:
   float ValueGet(float t) const override;
};

class ProgressionBounceStop : public Progression
{
 public:
   float ValueGet(float t) const override;
};

// The shared 4096-entry sine table over one turn (index i is sin(i × 360° / 4096)); cosines read it
// 1024 entries on. Curves, card flips and rotations all use it, never a library call.
constexpr i32 SINE_TABLE_SIZE = 4096;
const float* SineTableGet();

extern ProgressionLinear progressionLinear;
extern ProgressionSmooth progressionSmooth;
extern ProgressionSmoothStart progressionSmoothStart;
extern ProgressionSmoothStop progressionSmoothStop;
extern ProgressionElasticStop progressionElasticStop;
extern ProgressionBounceStop progressionBounceStop;
} // namespace Corvale
