// The Linux back end of the multi-mouse reader: XInput2 raw events of every slave pointer on the
// X server that the window is on.
#pragma once

#include "platform/input/MultiMouse.h"

namespace Corvale
{
// Open answers -1 away from X11 (Wayland, offscreen) or without XInput 2, and 0 without pointers.
extern const MultiMouseDriver multiMouseDriverXInput;
} // namespace Corvale
