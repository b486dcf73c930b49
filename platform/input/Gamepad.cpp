// The unused gamepad singletons.
#include "platform/input/Gamepad.h"

#include <cstring>

namespace Corvale
{
CTRGamepad ctrGamepad;
Xbox360PlatformManager xbox360PlatformManager;

void CTRGamepad::Reset()
{
   std::memset(state, 0, sizeof(state));
   std::memset(table, 0, sizeof(table));
}
} // namespace Corvale
