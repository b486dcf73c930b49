// The base of particle emitters: a fixed pool of particles split between a free and a live list,
// the emission clock (rate, chance, active duration) and the emitter's random draws.
#pragma once

#include "core/Table.h"
#include "core/Types.h"

namespace Corvale
{
class Allocator;
class Particle2D;

class ParticleEmitter2D
{
 public:
   ParticleEmitter2D() = default;
   virtual ~ParticleEmitter2D();
   ParticleEmitter2D(const ParticleEmitter2D&) = delete;
   ParticleEmitter2D& operator=(const ParticleEmitter2D&) = delete;

   virtual void Deinit();
   // Advances the live particles, returns the dead ones to the free list, then emits.
   virtual void Update(u32 elapsed);
   // The live particles, oldest first.
   virtual void Draw();
   // Into the free list; the particle now belongs to this emitter.
   virtual void ParticleAdd(Particle2D* particle);
   // Out of whichever list holds it; false when neither does.
   virtual bool ParticleRemove(Particle2D* particle);
   // Deinitialises and deletes every particle of both lists.
   virtual void ParticlesDestroy();
   // Emits again for the active duration, after the pre-simulation.
   virtual void Restart();
   virtual void Stop();
   virtual bool ActiveCheck();
   virtual void Emit() = 0;

   // Defaults, with both lists' nodes made now for a pool of poolSize: the free list gets the
   // particles at load time and the live list takes them over while running, so neither may
   // allocate later.
   void Reset(i32 poolSize, Allocator* allocator);
   // One step of the generator as a fraction 0..1. A seeded emitter runs its own sequence through
   // the shared generator's words (which keep its latest state); an unseeded one steps them.
   float RandomUnitFloatGet();
   // (1 - r) × low + r × high with a fresh draw r.
   float RandomRangeGet(float low, float high);
   // Runs Update (step) while the remaining pre-simulation time covers a whole step.
   void PreSimulate();

   u8 initialised = 0;
   i32 remaining = -1;
   i32 activeDuration = -1;
   float frequency = 0.0f;
   float accumulator = 0.0f;
   float chance = 1.0f;
   u32 preSimulateDuration = 0;
   u32 preSimulateStep = 33;
   u8 seeded = 0;
   u32 seed0 = 0;
   u32 seed1 = 0;
   // The emitter whose pool is used.
   ParticleEmitter2D* root = this;
   List<Particle2D*> live;
   List<Particle2D*> free;
};
} // namespace Corvale
