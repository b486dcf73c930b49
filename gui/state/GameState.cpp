// The game-state protocol's one out-of-line member, which gives the class its vtable here.
#include "gui/state/GameState.h"

namespace Corvale
{
GameState::~GameState() = default;
} // namespace Corvale
