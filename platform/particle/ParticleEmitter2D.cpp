// Pooling, emission timing and random draws shared by every particle emitter.
#include "platform/particle/ParticleEmitter2D.h"

#include "core/Memory.h"
#include "core/Random.h"
#include "platform/particle/Particle2D.h"

namespace Corvale
{
namespace
{
// Beyond this the accumulator no longer steps down by whole emissions in float precision, and a
// frame would never finish its emission loop.
constexpr float accumulatorMax = 16777216.0f;

void ListNodesMake(List<Particle2D*>* list, i32 count)
{
   list->NodePoolSizeSet(count);
   for (i32 i = 0; i < count; i++)
   {
      if (!list->PushBack(nullptr))
      {
         break;
      }
   }
   list->Clear();
}
} // namespace

ParticleEmitter2D::~ParticleEmitter2D()
{
   ParticleEmitter2D::ParticlesDestroy();
}

void ParticleEmitter2D::Reset(i32 poolSize, Allocator* allocator)
{
   ParticleEmitter2D::ParticlesDestroy();
   live.Clear();
   free.Clear();
   live.NodePoolSizeSet(0);
   free.NodePoolSizeSet(0);
   if (allocator)
   {
      live.allocator = allocator;
      free.allocator = allocator;
   }
   initialised = 1;
   remaining = -1;
   activeDuration = -1;
   frequency = 0.0f;
   accumulator = 0.0f;
   chance = 1.0f;
   preSimulateDuration = 0;
   preSimulateStep = 33;
   seeded = 0;
   seed0 = 0;
   seed1 = 0;
   root = this;
   if (poolSize > 0)
   {
      ListNodesMake(&live, poolSize);
      ListNodesMake(&free, poolSize);
   }
}

void ParticleEmitter2D::Deinit()
{
   if (root == this)
   {
      ParticlesDestroy();
      live.Clear();
      free.Clear();
      live.NodePoolSizeSet(0);
      free.NodePoolSizeSet(0);
   }
   initialised = 0;
}

void ParticleEmitter2D::Update(u32 elapsed)
{
   if (root == this)
   {
      auto* node = live.First();
      while (node != live.End())
      {
         Particle2D* particle = node->value;
         if (particle->alive)
         {
            particle->Update(elapsed);
         }
         if (particle->alive)
         {
            node = node->next;
            continue;
         }
         node = live.Remove(node);
         free.PushBack(particle);
      }
   }

   if (remaining != 0 && remaining != -1)
   {
      i64 left = static_cast<i64>(remaining) - elapsed;
      remaining = left < 0 ? 0 : static_cast<i32>(left);
   }

   if (frequency != 0.0f && chance != 0.0f && remaining != 0)
   {
      accumulator += static_cast<float>(elapsed) / 1000.0f * frequency;
      if (accumulator != accumulator)
      {
         accumulator = 0.0f;
      }
      else if (accumulator > accumulatorMax)
      {
         accumulator = accumulatorMax;
      }
      while (accumulator > 1.0f)
      {
         float r = RandomUnitFloatGet();
         if (chance >= r)
         {
            Emit();
         }
         accumulator -= 1.0f;
      }
   }
}

void ParticleEmitter2D::Draw()
{
   if (root != this)
   {
      return;
   }
   for (auto* node = live.First(); node != live.End(); node = node->next)
   {
      if (node->value->alive)
      {
         node->value->Draw();
      }
   }
}

void ParticleEmitter2D::ParticleAdd(Particle2D* particle)
{
   if (!particle)
   {
      return;
   }
   particle->emitter = this;
   free.PushBack(particle);
}

bool ParticleEmitter2D::ParticleRemove(Particle2D* particle)
{
   auto* node = live.Find(particle);
   if (node)
   {
      live.Remove(node);
   }
   else
   {
      node = free.Find(particle);
      if (!node)
      {
         return false;
      }
      free.Remove(node);
   }
   particle->emitter = nullptr;
   return true;
}

void ParticleEmitter2D::ParticlesDestroy()
{
   List<Particle2D*>* lists[2] = {&live, &free};
   for (List<Particle2D*>* list : lists)
   {
      for (auto* node = list->First(); node != list->End(); node = node->next)
      {
         if (node->value)
         {
            node->value->Deinit();
            MemoryDelete(node->value);
            node->value = nullptr;
         }
      }
      list->Clear();
   }
}

void ParticleEmitter2D::Restart()
{
   remaining = activeDuration;
   PreSimulate();
}

void ParticleEmitter2D::PreSimulate()
{
   if (preSimulateDuration == 0 || preSimulateStep == 0)
   {
      return;
   }
   for (u32 left = preSimulateDuration; left >= preSimulateStep; left -= preSimulateStep)
   {
      Update(preSimulateStep);
   }
}

void ParticleEmitter2D::Stop()
{
   remaining = 0;
}

bool ParticleEmitter2D::ActiveCheck()
{
   return remaining != 0;
}

float ParticleEmitter2D::RandomUnitFloatGet()
{
   if (!seeded)
   {
      return Corvale::RandomUnitFloatGet();
   }
   randomState0 = seed0;
   randomState1 = seed1;
   float r = Corvale::RandomUnitFloatGet();
   seed0 = randomState0;
   seed1 = randomState1;
   return r;
}

float ParticleEmitter2D::RandomRangeGet(float low, float high)
{
   float r = RandomUnitFloatGet();
   if (r < 0.0f)
   {
      r = 0.0f;
   }
   else if (r > 1.0f)
   {
      r = 1.0f;
   }
   return (1.0f - r) * low + r * high;
}
} // namespace Corvale
