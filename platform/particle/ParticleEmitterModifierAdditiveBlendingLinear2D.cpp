// The "AdditiveBlendingLinear" particle modifier and its factory.
#include "platform/particle/ParticleEmitterModifierAdditiveBlendingLinear2D.h"

#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/Progression.h"
#include "platform/particle/ParticleEffectEmitter2D.h"
#include "platform/particle/ParticleEffectParticle2D.h"

namespace Corvale
{
void ParticleEmitterModifierAdditiveBlendingLinear2D::Update(u32 elapsed)
{
   (void)elapsed;
   if (!emitter)
   {
      return;
   }
   List<Particle2D*>& live = emitter->live;
   for (auto* node = live.First(); node != live.End(); node = node->next)
   {
      auto* particle = static_cast<ParticleEffectParticle2D*>(node->value);
      float t;
      if (particle->LifeProgressGet(progression, &t))
      {
         particle->additive = (1.0f - t) * additiveBegin + t * additiveEnd;
      }
   }
}

void ParticleEmitterModifierAdditiveBlendingLinear2D::Start(ParticleEffectParticle2D* particle)
{
   particle->additive = additiveBegin;
}

void ParticleEmitterModifierAdditiveBlendingLinear2D::Create(const char* typeName,
                                                             ParticleEffectEmitter2D* emitter,
                                                             const JSONValue* specification, i32 heapId,
                                                             u32 effectFlag, const char* fileName)
{
   (void)typeName;
   (void)effectFlag;
   (void)fileName;
   if (!emitter || !specification)
   {
      WarningPrintf(
          "ParticleEmitterModifierAdditiveBlendingLinear2D::Create -- no emitter or no specification.\n");
      return;
   }
   auto* modifier = MemoryNew<ParticleEmitterModifierAdditiveBlendingLinear2D>(heapId, emitter);
   if (!modifier)
   {
      WarningPrintf("ParticleEmitterModifierAdditiveBlendingLinear2D::Create -- out of memory.\n");
      return;
   }
   specification->FloatGet(&modifier->additiveBegin, "AdditiveBlendingBegin", 0.0f);
   specification->FloatGet(&modifier->additiveEnd, "AdditiveBlendingEnd", 0.0f);
   modifier->progression = ParticleEffectEmitter2D::ProgressionRead(specification, "Progression");
   if (!emitter->emitterModifiers.Insert(modifier, emitter->emitterModifiers.count))
   {
      MemoryDelete(modifier);
   }
}
} // namespace Corvale
