// Window messages: what the platform layer's event pump hands to the program's window procedure.
// The numbers follow the classic desktop message numbers, so handlers keep their familiar shape.
#pragma once

#include "core/Types.h"

namespace Corvale
{
class PlatformWindow;

enum WindowMessage : u32
{
   MESSAGE_SIZE = 5, // wParam 0, lParam = ParamPack(client width, client height)
   MESSAGE_SETFOCUS = 7,
   MESSAGE_KILLFOCUS = 8,
   MESSAGE_CLOSE = 16,
   MESSAGE_KEYDOWN = 256, // wParam = virtual-key code, lParam 1 for a repeat
   MESSAGE_KEYUP = 257,
   MESSAGE_CHAR = 258, // wParam = one Unicode code point
   MESSAGE_SYSCOMMAND = 274,
   MESSAGE_MOUSEMOVE = 512, // lParam = ParamPack(client x, client y)
   MESSAGE_LBUTTONDOWN = 513,
   MESSAGE_LBUTTONUP = 514,
   MESSAGE_LBUTTONDBLCLK = 515,
   MESSAGE_RBUTTONDOWN = 516,
   MESSAGE_RBUTTONUP = 517,
   MESSAGE_RBUTTONDBLCLK = 518,
   MESSAGE_MBUTTONDOWN = 519,
   MESSAGE_MBUTTONUP = 520,
   MESSAGE_MBUTTONDBLCLK = 521,
   MESSAGE_MOUSEWHEEL = 522, // wParam = ParamPack(0, delta in 120ths of a notch)
   MESSAGE_DEVICECHANGE = 537,
   MESSAGE_TOUCH = 576 // wParam = input count, lParam = touch handle (TouchInputInfoGet)
};

// System commands (MESSAGE_SYSCOMMAND wParam) that the screen refuses.
constexpr uptr SYSCOMMAND_SCREENSAVE = 0xF140;
constexpr uptr SYSCOMMAND_MONITORPOWER = 0xF170;

// Returns the message's result; the pump ignores it.
typedef uptr (*WindowProcedure)(PlatformWindow* window, u32 message, uptr wParam, uptr lParam);

inline uptr ParamPack(i32 low, i32 high)
{
   return (static_cast<uptr>(static_cast<u16>(high)) << 16) | static_cast<u16>(low);
}
inline i32 ParamLowSigned(uptr param)
{
   return static_cast<i16>(static_cast<u16>(param & 0xFFFF));
}
inline i32 ParamHighSigned(uptr param)
{
   return static_cast<i16>(static_cast<u16>((param >> 16) & 0xFFFF));
}

// One touch point; coordinates are in hundredths of a client pixel.
struct TouchInput
{
   i32 x;
   i32 y;
   u32 id;
   u32 flags;
};

enum : u32
{
   TOUCH_FLAG_MOVE = 1,
   TOUCH_FLAG_DOWN = 2,
   TOUCH_FLAG_UP = 4,
   TOUCH_FLAG_PRIMARY = 16
};

// Marks mouse messages that were synthesised from touch (see MessageExtraInfoGet).
constexpr u32 MESSAGE_EXTRA_INFO_TOUCH_MASK = 0xFF515700;

// Extra information of the message being dispatched: MESSAGE_EXTRA_INFO_TOUCH_MASK for mouse
// messages made from touch, else 0.
u32 MessageExtraInfoGet();
void MessageExtraInfoSet(u32 info);
// Copies at most count inputs of a MESSAGE_TOUCH handle; false for a null handle.
bool TouchInputInfoGet(uptr handle, u32 count, TouchInput* inputs);
} // namespace Corvale
