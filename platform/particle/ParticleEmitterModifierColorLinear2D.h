// Blends the colour of every live particle of an emitter from a begin to an end colour over
// each particle's life ("ColorLinear" in effect files).
#pragma once

#include "core/Color.h"
#include "core/Types.h"
#include "platform/particle/ParticleEmitterModifier2D.h"

namespace Corvale
{
class JSONValue;
class Progression;

class ParticleEmitterModifierColorLinear2D : public ParticleEmitterModifier2D
{
 public:
   explicit ParticleEmitterModifierColorLinear2D(ParticleEffectEmitter2D* owner)
       : ParticleEmitterModifier2D(owner)
   {
   }

   void Update(u32 elapsed) override;
   void Start(ParticleEffectParticle2D* particle) override;

   // The registry's factory: one modifier appended to the emitter's own modifiers.
   static void Create(const char* typeName, ParticleEffectEmitter2D* emitter, const JSONValue* specification,
                      i32 heapId, u32 effectFlag, const char* fileName);

   ColorRGBA8 colorBegin{255, 255, 255, 255};
   ColorRGBA8 colorEnd{255, 255, 255, 255};
   const Progression* progression = nullptr;
};
} // namespace Corvale
