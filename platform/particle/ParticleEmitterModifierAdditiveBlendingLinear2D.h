// Blends the additive-blending amount of every live particle of an emitter from a begin to an
// end value over each particle's life ("AdditiveBlendingLinear" in effect files).
#pragma once

#include "core/Types.h"
#include "platform/particle/ParticleEmitterModifier2D.h"

namespace Corvale
{
class JSONValue;
class Progression;

class ParticleEmitterModifierAdditiveBlendingLinear2D : public ParticleEmitterModifier2D
{
 public:
   explicit ParticleEmitterModifierAdditiveBlendingLinear2D(ParticleEffectEmitter2D* owner)
       : ParticleEmitterModifier2D(owner)
   {
   }

   void Update(u32 elapsed) override;
   void Start(ParticleEffectParticle2D* particle) override;

   // The registry's factory: one modifier appended to the emitter's own modifiers.
   static void Create(const char* typeName, ParticleEffectEmitter2D* emitter, const JSONValue* specification,
                      i32 heapId, u32 effectFlag, const char* fileName);

   float additiveBegin = 0.0f;
   float additiveEnd = 0.0f;
   const Progression* progression = nullptr;
};
} // namespace Corvale
