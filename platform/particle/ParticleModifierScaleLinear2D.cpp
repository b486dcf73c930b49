// The "ScaleLinear" particle modifier and its factory.
#include "platform/particle/ParticleModifierScaleLinear2D.h"

#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "platform/particle/ParticleEffectEmitter2D.h"
#include "platform/particle/ParticleEffectParticle2D.h"

namespace Corvale
{
namespace
{
struct ScaleRanges
{
   Point2F beginMin;
   Point2F beginMax;
   Point2F endMin;
   Point2F endMax;
   const Progression* progression;
};

bool ModifierAttach(ParticleEffectParticle2D* particle, const ScaleRanges& ranges, i32 heapId)
{
   auto* modifier = MemoryNew<ParticleModifierScaleLinear2D>(heapId, particle);
   if (!modifier)
   {
      WarningPrintf("ParticleModifierScaleLinear2D::Create -- out of memory.\n");
      return false;
   }
   modifier->beginMin = ranges.beginMin;
   modifier->beginMax = ranges.beginMax;
   modifier->endMin = ranges.endMin;
   modifier->endMax = ranges.endMax;
   modifier->progression = ranges.progression;
   if (!particle->modifiers.Insert(modifier, particle->modifiers.count))
   {
      MemoryDelete(modifier);
      return false;
   }
   return true;
}
} // namespace

void ParticleModifierScaleLinear2D::Update(u32 elapsed)
{
   (void)elapsed;
   float t;
   if (!particle || !particle->LifeProgressGet(progression, &t))
   {
      return;
   }
   particle->scale.x = begin.x * (1.0f - t) + end.x * t;
   particle->scale.y = begin.y * (1.0f - t) + end.y * t;
}

void ParticleModifierScaleLinear2D::Start()
{
   if (!particle)
   {
      return;
   }
   ParticleEmitter2D* source = particle->emitter;
   if (source)
   {
      begin.x = source->RandomRangeGet(beginMin.x, beginMax.x);
      begin.y = source->RandomRangeGet(beginMin.y, beginMax.y);
      end.x = source->RandomRangeGet(endMin.x, endMax.x);
      end.y = source->RandomRangeGet(endMin.y, endMax.y);
   }
   particle->scale = begin;
}

void ParticleModifierScaleLinear2D::Create(const char* typeName, ParticleEffectEmitter2D* emitter,
                                           const JSONValue* specification, i32 heapId, u32 effectFlag,
                                           const char* fileName)
{
   (void)typeName;
   (void)effectFlag;
   if (!emitter || !specification)
   {
      WarningPrintf("ParticleModifierScaleLinear2D::Create -- no emitter or no specification.\n");
      return;
   }
   ScaleRanges ranges;
   // Reading ScaleBeginMin reports a malformed text; the ranges are used only when all four read.
   bool rangesGiven = false;
   if (specification->ItemStringCheck("ScaleBeginMin"))
   {
      specification->Point2FGet(&ranges.beginMin, "ScaleBeginMin", nullptr, "ScaleLinear", fileName, false);
      rangesGiven = specification->ItemPoint2FCheck("ScaleBeginMin") &&
                    specification->ItemPoint2FCheck("ScaleBeginMax") &&
                    specification->ItemPoint2FCheck("ScaleEndMin") &&
                    specification->ItemPoint2FCheck("ScaleEndMax");
   }
   if (rangesGiven)
   {
      ranges.beginMax = specification->ItemGet("ScaleBeginMax")->Point2FValueGet();
      ranges.endMin = specification->ItemGet("ScaleEndMin")->Point2FValueGet();
      ranges.endMax = specification->ItemGet("ScaleEndMax")->Point2FValueGet();
   }
   else
   {
      const Point2F unit{1.0f, 1.0f};
      specification->Point2FGet(&ranges.beginMin, "ScaleBegin", &unit, "ScaleLinear", fileName, false);
      specification->Point2FGet(&ranges.endMin, "ScaleEnd", &unit, "ScaleLinear", fileName, false);
      ranges.beginMax = ranges.beginMin;
      ranges.endMax = ranges.endMin;
   }
   ranges.progression = ParticleEffectEmitter2D::ProgressionRead(specification, "Progression");

   List<Particle2D*>* pools[2] = {&emitter->free, &emitter->live};
   for (List<Particle2D*>* pool : pools)
   {
      for (auto* node = pool->First(); node != pool->End(); node = node->next)
      {
         if (!ModifierAttach(static_cast<ParticleEffectParticle2D*>(node->value), ranges, heapId))
         {
            return;
         }
      }
   }
}
} // namespace Corvale
