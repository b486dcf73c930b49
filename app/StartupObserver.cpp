// The start-up observer's slot, empty in the shipped program.
#include "app/StartupObserver.h"

namespace Corvale
{
StartupObserver* startupObserver = nullptr;
} // namespace Corvale
