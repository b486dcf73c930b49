// The base of modifiers that belong to one particle and keep state of their own for it.
#pragma once

#include "core/Types.h"

namespace Corvale
{
class ParticleEffectParticle2D;

class ParticleModifier2D
{
 public:
   explicit ParticleModifier2D(ParticleEffectParticle2D* owner) : particle(owner) {}
   virtual ~ParticleModifier2D() = default;

   virtual void Deinit() { particle = nullptr; }
   virtual void Update(u32 elapsed) { (void)elapsed; }
   // Runs when the particle is emitted.
   virtual void Start() {}

   ParticleEffectParticle2D* particle;
};
} // namespace Corvale
