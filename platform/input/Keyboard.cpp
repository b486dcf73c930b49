// Per-frame keyboard tables and the typed-character queue.
#include "platform/input/Keyboard.h"

#include <cstring>

#include "core/StringHelpers.h"
#include "platform/input/InputLatch.h"
#include "platform/input/PlatformKeys.h"

namespace Corvale
{
KeyboardState keyboardState;

void KeyboardStateInit()
{
   KeyboardState& state = keyboardState;
   std::memset(state.raw, 0, sizeof(state.raw));
   std::memset(state.current, 0, sizeof(state.current));
   std::memset(state.previous, 0, sizeof(state.previous));
   std::memset(state.pressesLatched, 0, sizeof(state.pressesLatched));
   std::memset(state.releasesLatched, 0, sizeof(state.releasesLatched));
   std::memset(state.buffers, 0, sizeof(state.buffers));
   state.filling = state.buffers[0];
   state.readable = state.buffers[1];
   state.fillingCount = 0;
   state.readableCount = 0;
   state.initialised = 0;
}

void KeyboardStateUpdate(bool active)
{
   KeyboardState& state = keyboardState;
   PlatformKeyboardStateGet(state.raw);
   for (u8& key : state.raw)
   {
      key = static_cast<u8>(key >> 7);
   }
   PlatformKeyTransitionsTake(state.pressesLatched, state.releasesLatched);
   if (active)
   {
      std::memcpy(state.previous, state.current, sizeof(state.current));
      for (i32 key = 0; key < 256; ++key)
      {
         u32 pressed = state.pressesLatched[key];
         u32 released = state.releasesLatched[key];
         state.current[key] =
             static_cast<u8>(InputLatchAdvance(state.previous[key], state.raw[key], &pressed, &released));
         state.pressesLatched[key] = static_cast<u8>(pressed);
         state.releasesLatched[key] = static_cast<u8>(released);
      }
   }
   else
   {
      // Keys do not latch while inactive.
      std::memset(state.pressesLatched, 0, sizeof(state.pressesLatched));
      std::memset(state.releasesLatched, 0, sizeof(state.releasesLatched));
   }
   if (!state.filling)
   {
      return;
   }
   char(*swap)[KEYBOARD_CHARACTER_SIZE] = state.readable;
   state.readable = state.filling;
   state.filling = swap;
   state.readableCount = state.fillingCount;
   state.fillingCount = 0;
}

bool KeyHeldCheck(u32 key)
{
   return key < 256 && keyboardState.current[key];
}

bool KeyPressedCheck(u32 key)
{
   return key < 256 && keyboardState.current[key] && !keyboardState.previous[key];
}

bool KeyReleaseCheck(u32 key)
{
   return key < 256 && !keyboardState.current[key] && keyboardState.previous[key];
}

bool KeyboardCharacterAdd(u32 codePoint)
{
   KeyboardState& state = keyboardState;
   if (!state.filling || state.fillingCount >= KEYBOARD_CHARACTERS_MAX)
   {
      return false;
   }
   char* entry = state.filling[state.fillingCount];
   // Four bytes of room keep the terminator inside the 5-byte entry.
   const i32 length = UnicodeCharacterToUTF8(entry, codePoint, KEYBOARD_CHARACTER_SIZE - 1);
   if (length <= 0)
   {
      entry[0] = 0;
      return false;
   }
   entry[length] = 0;
   ++state.fillingCount;
   return true;
}
} // namespace Corvale
