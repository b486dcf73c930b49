// The registry of particle modifier types: effect files name a modifier by its "Type", and the
// registry hands back the factory that builds and attaches it.
#pragma once

#include "core/Types.h"

namespace Corvale
{
class JSONValue;
class ParticleEffectEmitter2D;
template <class K, class V> class Map;

// Creates the modifier objects of one "Modifiers" element on heapId and attaches them to the
// emitter or to its particles. fileName may be null.
typedef void (*ParticleModifierInitializer)(const char* typeName, ParticleEffectEmitter2D* emitter,
                                            const JSONValue* specification, i32 heapId, u32 effectFlag,
                                            const char* fileName);

class ParticleManager2D
{
 public:
   // Registers the three built-in types; later calls do nothing.
   static void Init();
   static void Deinit();
   static bool InitialisedCheck() { return initialised != 0; }
   // The first registration of a name wins.
   static void ModifierInitializerRegister(const char* name, ParticleModifierInitializer initializer);
   static ParticleModifierInitializer ModifierInitializerGet(const char* name);

 private:
   static u8 initialised;
   static Map<char*, ParticleModifierInitializer>* registry;
};
} // namespace Corvale
