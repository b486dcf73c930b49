// Latching live button and key states at the frame boundary so that a press and release that both
// fall between two frames still show: down in one frame, up in the next.
#pragma once

#include "core/Types.h"

namespace Corvale
{
// The bits shown down this frame, from the bits shown last frame, the live bits and the presses and
// releases seen since; both latches carry over what only a later frame can show. A live state
// written without a transition (a read of the system's buttons) is taken as it is.
inline u32 InputLatchAdvance(u32 shown, u32 live, u32* pressed, u32* released)
{
   // Held all along, or pressed at some point since the last frame.
   const u32 down = (shown & ~*released & live) | (~shown & (live | *pressed));
   // Released and pressed again since the last frame: up now, the new press shows next frame.
   *pressed = shown & *released & *pressed;
   // Shown down but no longer held: the release shows next frame.
   *released = down & ~live;
   return down;
}
} // namespace Corvale
