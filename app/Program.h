// The whole run of the program: the engine's start-up in order, the frame loop, and shutdown in
// reverse order.
#pragma once

#include "core/Types.h"

namespace Corvale
{
// The exit code: that of a quit message if one arrived, 1 when no window could be opened, else 0.
i32 ProgramRun();
} // namespace Corvale
