// The base of modifiers that belong to an emitter and change all of its live particles alike.
#pragma once

#include "core/Types.h"

namespace Corvale
{
class ParticleEffectEmitter2D;
class ParticleEffectParticle2D;

class ParticleEmitterModifier2D
{
 public:
   explicit ParticleEmitterModifier2D(ParticleEffectEmitter2D* owner) : emitter(owner) {}
   virtual ~ParticleEmitterModifier2D() = default;

   virtual void Deinit() { emitter = nullptr; }
   virtual void Update(u32 elapsed) { (void)elapsed; }
   // Runs for each particle as it is emitted.
   virtual void Start(ParticleEffectParticle2D* particle) { (void)particle; }

   ParticleEffectEmitter2D* emitter;
};
} // namespace Corvale
