// The particle modifier registry: names are the map's own copies, factories are plain functions.
#include "platform/particle/ParticleManager2D.h"

#include "core/Allocator.h"
#include "core/Log.h"
#include "core/Map.h"
#include "core/Memory.h"
#include "platform/particle/ParticleEmitterModifierAdditiveBlendingLinear2D.h"
#include "platform/particle/ParticleEmitterModifierColorLinear2D.h"
#include "platform/particle/ParticleModifierScaleLinear2D.h"

namespace Corvale
{
u8 ParticleManager2D::initialised = 0;
Map<char*, ParticleModifierInitializer>* ParticleManager2D::registry = nullptr;

void ParticleManager2D::Init()
{
   if (initialised)
   {
      return;
   }
   registry = MemoryNew<Map<char*, ParticleModifierInitializer>>(HEAP_DEFAULT, allocatorDefault);
   if (!registry)
   {
      WarningPrintf("ParticleManager2D::Init -- out of memory.\n");
      return;
   }
   initialised = 1;
   ModifierInitializerRegister("ColorLinear", &ParticleEmitterModifierColorLinear2D::Create);
   ModifierInitializerRegister("AdditiveBlendingLinear",
                               &ParticleEmitterModifierAdditiveBlendingLinear2D::Create);
   ModifierInitializerRegister("ScaleLinear", &ParticleModifierScaleLinear2D::Create);
}

void ParticleManager2D::Deinit()
{
   if (!initialised)
   {
      return;
   }
   for (auto* node = registry->First(); node != registry->End(); node = registry->Next(node))
   {
      MemoryFree(node->key);
   }
   registry->Clear();
   registry->NodePoolSizeSet(0);
   MemoryDelete(registry);
   registry = nullptr;
   initialised = 0;
}

void ParticleManager2D::ModifierInitializerRegister(const char* name, ParticleModifierInitializer initializer)
{
   if (!initialised)
   {
      WarningPrintf("ParticleManager2D::ModifierInitializerRegister -- Not initialized.\n");
      return;
   }
   if (!name || !initializer)
   {
      WarningPrintf("ParticleManager2D::ModifierInitializerRegister -- no name or no initializer.\n");
      return;
   }
   if (registry->Find(const_cast<char*>(name)) != registry->End())
   {
      WarningPrintf("ParticleManager2D::ModifierInitializerRegister -- There is already an initializer "
                    "registered with the name %s\n.",
                    name);
      return;
   }
   char* copy = StringDuplicate(name, HEAP_DEFAULT);
   if (!copy || !registry->Insert(copy, initializer))
   {
      WarningPrintf("ParticleManager2D::ModifierInitializerRegister -- unable to register \"%s\".\n", name);
      MemoryFree(copy);
   }
}

ParticleModifierInitializer ParticleManager2D::ModifierInitializerGet(const char* name)
{
   if (!initialised)
   {
      WarningPrintf("ParticleManager2D::ModifierInitializerGet::Get -- Not initialized.");
      return nullptr;
   }
   if (name)
   {
      auto* node = registry->Find(const_cast<char*>(name));
      if (node != registry->End())
      {
         return node->value;
      }
   }
   WarningPrintf("ParticleManager2D::Get -- Unrecognized ModifierInitializer name: %s.",
                 name ? name : "(null)");
   return nullptr;
}
} // namespace Corvale
