// Keyboard state polled once a frame: key tables by virtual-key code for this frame and the one
// before, and the characters typed during the frame.
#pragma once

#include "core/Types.h"

namespace Corvale
{
constexpr i32 KEYBOARD_CHARACTERS_MAX = 256;
constexpr i32 KEYBOARD_CHARACTER_SIZE = 5;

struct KeyboardState
{
   u8 initialised;
   // 1 for a key that is down, 0 for one that is up.
   u8 raw[256];
   u8 current[256];
   u8 previous[256];
   // Presses and releases still to show, so that a key tapped within one frame is not lost.
   u8 pressesLatched[256];
   u8 releasesLatched[256];
   // Two queues of NUL-terminated UTF-8 characters, swapped each frame.
   char buffers[2][KEYBOARD_CHARACTERS_MAX][KEYBOARD_CHARACTER_SIZE];
   char (*filling)[KEYBOARD_CHARACTER_SIZE];
   i32 fillingCount;
   char (*readable)[KEYBOARD_CHARACTER_SIZE];
   i32 readableCount;
};

extern KeyboardState keyboardState;

void KeyboardStateInit();
// While inactive the tables stay as they were, so no press or release is seen; typed characters
// still move on to the next frame.
void KeyboardStateUpdate(bool active);
// The key is down in this frame.
bool KeyHeldCheck(u32 key);
bool KeyPressedCheck(u32 key);
bool KeyReleaseCheck(u32 key);
// Adds a typed character (a Unicode code point) to the frame being filled; the window procedure
// calls it for MESSAGE_CHAR. False when the frame's queue is full or the character is invalid.
bool KeyboardCharacterAdd(u32 codePoint);
} // namespace Corvale
