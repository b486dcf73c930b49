// The registry of easing curves by name. The curves are static and never owned by the map; the
// names are the map's own copies.
#include "core/ProgressionManager.h"

#include "core/Allocator.h"
#include "core/Log.h"
#include "core/Map.h"
#include "core/Memory.h"
#include "core/Progression.h"

namespace Corvale
{
u8 ProgressionManager::initialised = 0;
Map<char*, Progression*>* ProgressionManager::progressions = nullptr;

void ProgressionManager::Init()
{
   if (initialised)
   {
      return;
   }
   progressions = MemoryNew<Map<char*, Progression*>>(HEAP_DEFAULT, allocatorDefault);
   if (!progressions)
   {
      WarningPrintf("ProgressionManager::Init -- out of memory.\n");
      return;
   }
   initialised = 1;
   Register("Linear", &progressionLinear);
   Register("Smooth", &progressionSmooth);
   Register("SmoothStart", &progressionSmoothStart);
   Register("SmoothStop", &progressionSmoothStop);
   Register("ElasticStop", &progressionElasticStop);
   Register("BounceStop", &progressionBounceStop);
}

void ProgressionManager::Deinit()
{
   if (!initialised)
   {
      return;
   }
   for (auto* node = progressions->First(); node != progressions->End();)
   {
      auto* next = progressions->Next(node);
      MemoryFree(node->key);
      node = next;
   }
   progressions->Clear();
   progressions->NodePoolSizeSet(0);
   MemoryDelete(progressions);
   progressions = nullptr;
   initialised = 0;
}

void ProgressionManager::Register(const char* name, Progression* progression)
{
   if (!initialised)
   {
      WarningPrintf("ProgressionManager::Register -- Not initialized.\n");
      return;
   }
   if (!name || !progression)
   {
      WarningPrintf("ProgressionManager::Register -- no name or no progression.\n");
      return;
   }
   char* key = const_cast<char*>(name);
   if (progressions->Find(key) != progressions->End())
   {
      return;
   }
   char* copy = StringDuplicate(name, HEAP_DEFAULT);
   if (!copy || !progressions->Insert(copy, progression))
   {
      WarningPrintf("ProgressionManager::Register -- unable to register \"%s\".\n", name);
      MemoryFree(copy);
   }
}

Progression* ProgressionManager::Get(const char* name)
{
   if (!initialised)
   {
      WarningPrintf("ProgressionManager::Get -- Not initialized.  Defaulting to linear.\n");
      return &progressionLinear;
   }
   if (name)
   {
      auto* node = progressions->Find(const_cast<char*>(name));
      if (node != progressions->End())
      {
         return node->value;
      }
   }
   WarningPrintf("ProgressionManager::Get -- Unrecognized progression name: %s.  Defaulting to linear.\n",
                 name ? name : "(null)");
   return &progressionLinear;
}
} // namespace Corvale
