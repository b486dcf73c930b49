// Loading a particle effect file into its emitters.
#include "platform/particle/ParticleEffect2D.h"

#include "core/Allocator.h"
#include "core/FileManager.h"
#include "core/JSONParser.h"
#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/StringHelpers.h"
#include "platform/particle/ParticleEffectEmitter2D.h"

namespace Corvale
{
ParticleEffect2D::ParticleEffect2D()
{
   Memory::FirstUse();
   allocator = allocatorHeaps[heap] ? allocatorHeaps[heap] : allocatorDefault;
   emitters.allocator = allocator;
}

ParticleEffect2D::~ParticleEffect2D()
{
   Deinit();
}

bool ParticleEffect2D::Init(const char* name)
{
   if (!fileManagerResource)
   {
      WarningPrintf("ParticleEffect2D::Init -- no resource file manager\n");
      return false;
   }
   if (!name)
   {
      WarningPrintf("ParticleEffect2D::Init -- no particle effect name\n");
      return false;
   }
   char path[FILE_PATH_SIZE];
   if (!NultSnprintf(path, FILE_PATH_SIZE, "%s.json", name) ||
       !fileManagerResource->GraphicsPathSearch(path, nullptr, 0))
   {
      WarningPrintf("ParticleEffect2D::Init -- unable to find particle effect: \"%s\"\n", name);
      return false;
   }
   JSONParser parser;
   JSONValue* document = parser.GraphicsPathLoad(name, fileManagerResource, heap);
   if (!document)
   {
      WarningPrintf("ParticleEffect2D::Init -- failed to load particle effect: \"%s\"\n", name);
      return false;
   }
   SpecificationInit(document, name);
   MemoryDelete(document);
   return true;
}

void ParticleEffect2D::SpecificationInit(const JSONValue* specification, const char* fileName)
{
   if (!specification || specification->TypeGet() != JSONValue::TYPE_ARRAY)
   {
      if (fileName)
      {
         WarningPrintf("ParticleEffect2D::Init -- Particle effect specifications needs to be an array of "
                       "emitters.  filename: %s\n",
                       fileName);
      }
      else
      {
         WarningPrintf("ParticleEffect2D::Init -- Particle effect specifications needs to be an array of "
                       "emitters.\n");
      }
      return;
   }
   i32 count = specification->CountGet();
   emitters.Reserve(emitters.count + count);
   for (i32 i = 0; i < count; i++)
   {
      JSONValue* element = specification->ElementGet(i);
      if (element->TypeGet() != JSONValue::TYPE_OBJECT)
      {
         if (fileName)
         {
            WarningPrintf(
                "ParticleEffect2D::Init -- Emitters must be specified as JSON objects.  filename: %s\n",
                fileName);
         }
         else
         {
            WarningPrintf("ParticleEffect2D::Init -- Emitters must be specified as JSON objects.\n");
         }
         continue;
      }
      auto* emitter = MemoryNew<ParticleEffectEmitter2D>(heap);
      if (!emitter)
      {
         WarningPrintf("ParticleEffect2D::SpecificationInit -- out of memory.\n");
         return;
      }
      emitter->Init(element, this, heap, flag, fileName);
      if (!emitters.Insert(emitter, emitters.count))
      {
         emitter->Deinit();
         MemoryDelete(emitter);
         continue;
      }
      if (emitter->preSimulateOnInit)
      {
         emitter->PreSimulate();
      }
   }
}

void ParticleEffect2D::Deinit()
{
   for (i32 i = 0; i < emitters.count; i++)
   {
      emitters[i]->Deinit();
      MemoryDelete(emitters[i]);
   }
   emitters.SizeSet(0);
}
} // namespace Corvale
