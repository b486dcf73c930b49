// The "ColorLinear" particle modifier and its factory.
#include "platform/particle/ParticleEmitterModifierColorLinear2D.h"

#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/Progression.h"
#include "platform/particle/ParticleEffectEmitter2D.h"
#include "platform/particle/ParticleEffectParticle2D.h"

namespace Corvale
{
namespace
{
u8 ChannelBlend(u8 begin, u8 end, float t)
{
   return static_cast<u8>(static_cast<float>(begin) * (1.0f - t) + static_cast<float>(end) * t);
}
} // namespace

void ParticleEmitterModifierColorLinear2D::Update(u32 elapsed)
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
      if (!particle->LifeProgressGet(progression, &t))
      {
         continue;
      }
      particle->color.r = ChannelBlend(colorBegin.r, colorEnd.r, t);
      particle->color.g = ChannelBlend(colorBegin.g, colorEnd.g, t);
      particle->color.b = ChannelBlend(colorBegin.b, colorEnd.b, t);
      particle->color.a = ChannelBlend(colorBegin.a, colorEnd.a, t);
   }
}

void ParticleEmitterModifierColorLinear2D::Start(ParticleEffectParticle2D* particle)
{
   particle->color = colorBegin;
}

void ParticleEmitterModifierColorLinear2D::Create(const char* typeName, ParticleEffectEmitter2D* emitter,
                                                  const JSONValue* specification, i32 heapId, u32 effectFlag,
                                                  const char* fileName)
{
   (void)typeName;
   (void)effectFlag;
   if (!emitter || !specification)
   {
      WarningPrintf("ParticleEmitterModifierColorLinear2D::Create -- no emitter or no specification.\n");
      return;
   }
   auto* modifier = MemoryNew<ParticleEmitterModifierColorLinear2D>(heapId, emitter);
   if (!modifier)
   {
      WarningPrintf("ParticleEmitterModifierColorLinear2D::Create -- out of memory.\n");
      return;
   }
   const ColorRGBA8 white{255, 255, 255, 255};
   specification->ColorRGBA8Get(&modifier->colorBegin, "ColorBegin", &white, "ColorLinear", fileName, false);
   specification->ColorRGBA8Get(&modifier->colorEnd, "ColorEnd", &white, "ColorLinear", fileName, false);
   modifier->progression = ParticleEffectEmitter2D::ProgressionRead(specification, "Progression");
   if (!emitter->emitterModifiers.Insert(modifier, emitter->emitterModifiers.count))
   {
      MemoryDelete(modifier);
   }
}
} // namespace Corvale
