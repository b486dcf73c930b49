// A particle effect: the emitters listed by one effect file, all placed at the effect's
// position. Its owner updates and draws the emitters.
#pragma once

#include "core/Memory.h"
#include "core/Point.h"
#include "core/Table.h"
#include "core/Types.h"

namespace Corvale
{
class Allocator;
class JSONValue;
class ParticleEffectEmitter2D;

class ParticleEffect2D
{
 public:
   ParticleEffect2D();
   ~ParticleEffect2D();
   ParticleEffect2D(const ParticleEffect2D&) = delete;
   ParticleEffect2D& operator=(const ParticleEffect2D&) = delete;

   // Loads "<name>.json" found along the graphics paths through the resource file manager.
   bool Init(const char* name);
   // Makes one emitter for each object of the array; fileName (may be null) names the file in
   // messages.
   void SpecificationInit(const JSONValue* specification, const char* fileName);
   // Deinitialises and deletes every emitter.
   void Deinit();

   i32 heap = HEAP_DEFAULT;
   // Handed to the modifier factories.
   u32 flag = 1;
   // The origin of every emitter.
   Point2F position;
   Table<ParticleEffectEmitter2D*> emitters;
   Allocator* allocator;
};
} // namespace Corvale
