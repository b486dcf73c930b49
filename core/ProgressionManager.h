// Easing curves by name, for the "Progression" key of particle modifiers and transitions; an
// unknown name falls back to the linear curve with a warning.
#pragma once

#include "core/Types.h"

namespace Corvale
{
class Progression;
template <class K, class V> class Map;

class ProgressionManager
{
 public:
   // Registers the six curves; later calls do nothing.
   static void Init();
   static void Deinit();
   static bool InitialisedCheck() { return initialised != 0; }
   // The first registration of a name wins.
   static void Register(const char* name, Progression* progression);
   // The curve of that name (case matters), or the linear curve.
   static Progression* Get(const char* name);

 private:
   static u8 initialised;
   static Map<char*, Progression*>* progressions;
};
} // namespace Corvale
