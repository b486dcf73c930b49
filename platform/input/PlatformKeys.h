// Key state by virtual-key code as the platform layer sees it: the event pump keeps the table,
// and the keyboard state copies it once a frame.
#pragma once

#include "core/Types.h"

namespace Corvale
{
enum VirtualKey : u8
{
   VK_LBUTTON = 0x01,
   VK_RBUTTON = 0x02,
   VK_MBUTTON = 0x04,
   VK_BACK = 0x08,
   VK_TAB = 0x09,
   VK_RETURN = 0x0D,
   VK_SHIFT = 0x10,
   VK_CONTROL = 0x11,
   VK_MENU = 0x12,
   VK_PAUSE = 0x13,
   VK_CAPITAL = 0x14,
   VK_ESCAPE = 0x1B,
   VK_SPACE = 0x20,
   VK_PRIOR = 0x21,
   VK_NEXT = 0x22,
   VK_END = 0x23,
   VK_HOME = 0x24,
   VK_LEFT = 0x25,
   VK_UP = 0x26,
   VK_RIGHT = 0x27,
   VK_DOWN = 0x28,
   VK_SNAPSHOT = 0x2C,
   VK_INSERT = 0x2D,
   VK_DELETE = 0x2E,
   VK_NUMPAD0 = 0x60,
   VK_F1 = 0x70,
   VK_F9 = 0x78,
   VK_F12 = 0x7B,
   VK_LSHIFT = 0xA0,
   VK_RSHIFT = 0xA1,
   VK_LCONTROL = 0xA2,
   VK_RCONTROL = 0xA3,
   VK_LMENU = 0xA4,
   VK_RMENU = 0xA5
};

constexpr i32 VIRTUAL_KEY_COUNT = 256;

// The virtual-key code of an SDL scancode with its key symbol; 0 when it has none.
u8 VirtualKeyFromSDL(i32 scancode, i32 keycode);
// Records a key or mouse button change; the generic Shift, Control and Alt follow their sides.
void PlatformKeyStateSet(u8 virtualKey, bool down);
// Every key up: focus went elsewhere, and key-ups then no longer reach us.
void PlatformKeyStateClear();
// 256 bytes, bit 7 set for a key that is down.
void PlatformKeyboardStateGet(u8* table);
// Adds 1 to presses and releases (256 bytes each) for every key pressed or released since the last
// call, and forgets them.
void PlatformKeyTransitionsTake(u8* presses, u8* releases);
// The live state of mouse buttons as virtual keys 1, 2 and 4 (bit 15 when down).
u16 PlatformAsyncKeyStateGet(u8 virtualKey);
} // namespace Corvale
