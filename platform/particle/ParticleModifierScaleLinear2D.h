// Blends one particle's scale from a begin to an end value over its life, both drawn at random
// for that particle when it is emitted ("ScaleLinear" in effect files).
#pragma once

#include "core/Point.h"
#include "core/Types.h"
#include "platform/particle/ParticleModifier2D.h"

namespace Corvale
{
class JSONValue;
class ParticleEffectEmitter2D;
class Progression;

class ParticleModifierScaleLinear2D : public ParticleModifier2D
{
 public:
   explicit ParticleModifierScaleLinear2D(ParticleEffectParticle2D* owner) : ParticleModifier2D(owner) {}

   void Update(u32 elapsed) override;
   void Start() override;

   // The registry's factory: one modifier for every particle of the emitter's pool, so the pool
   // must exist before the emitter reads its modifiers.
   static void Create(const char* typeName, ParticleEffectEmitter2D* emitter, const JSONValue* specification,
                      i32 heapId, u32 effectFlag, const char* fileName);

   Point2F beginMin{1.0f, 1.0f};
   Point2F beginMax{1.0f, 1.0f};
   Point2F endMin{1.0f, 1.0f};
   Point2F endMax{1.0f, 1.0f};
   const Progression* progression = nullptr;
   Point2F begin{1.0f, 1.0f};
   Point2F end{1.0f, 1.0f};
};
} // namespace Corvale
