// The particle of a particle effect: a Particle2D that also runs its own modifiers (those that
// keep per-particle state, such as a scale drawn at random for each particle).
#pragma once

#include "core/Table.h"
#include "core/Types.h"
#include "platform/particle/Particle2D.h"

namespace Corvale
{
class Allocator;
class ParticleModifier2D;

class ParticleEffectParticle2D : public Particle2D
{
 public:
   // The modifier table takes its memory from the effect's heap.
   explicit ParticleEffectParticle2D(Allocator* allocator) : modifiers(allocator) {}
   ~ParticleEffectParticle2D() override;

   // Destroys the modifiers, forgets the emitter, then releases the animations as a sprite does.
   void Deinit() override;
   // The particle's own motion, then each modifier.
   void Update(u32 elapsed) override;

   // Alive from age 0 with the animation restarted; the modifiers pick their starting values.
   void Start() override;
   void Die() override;

   Table<ParticleModifier2D*> modifiers;

 private:
   void ModifiersDestroy();
};
} // namespace Corvale
