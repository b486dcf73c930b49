// The effect particle's life cycle and its per-particle modifiers.
#include "platform/particle/ParticleEffectParticle2D.h"

#include "core/Memory.h"
#include "platform/particle/ParticleModifier2D.h"

namespace Corvale
{
ParticleEffectParticle2D::~ParticleEffectParticle2D()
{
   ModifiersDestroy();
}

void ParticleEffectParticle2D::ModifiersDestroy()
{
   for (i32 i = 0; i < modifiers.count; i++)
   {
      modifiers[i]->Deinit();
      MemoryDelete(modifiers[i]);
   }
   modifiers.SizeSet(0);
}

void ParticleEffectParticle2D::Deinit()
{
   ModifiersDestroy();
   emitter = nullptr;
   Sprite::Deinit();
}

void ParticleEffectParticle2D::Update(u32 elapsed)
{
   ParticleUpdate(elapsed);
   for (i32 i = 0; i < modifiers.count; i++)
   {
      modifiers[i]->Update(elapsed);
   }
}

void ParticleEffectParticle2D::Start()
{
   alive = 1;
   age = 0;
   time = 0;
   for (i32 i = 0; i < modifiers.count; i++)
   {
      modifiers[i]->Start();
   }
}

void ParticleEffectParticle2D::Die()
{
   alive = 0;
}
} // namespace Corvale
