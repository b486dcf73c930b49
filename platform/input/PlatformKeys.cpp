// SDL key and button events turned into the virtual-key table that the keyboard state reads.
// SDL's own keyboard state is not used: it ignores injected events and knows no mouse buttons.
#include "platform/input/PlatformKeys.h"

#include <SDL.h>

#include <cstring>

namespace Corvale
{
namespace
{
u8 keyTable[VIRTUAL_KEY_COUNT];
// Presses and releases since the keyboard state last took them.
u8 keyPresses[VIRTUAL_KEY_COUNT];
u8 keyReleases[VIRTUAL_KEY_COUNT];

struct ScancodeKey
{
   SDL_Scancode scancode;
   u8 key;
};

const ScancodeKey scancodeKeys[] = {
    {SDL_SCANCODE_BACKSPACE, VK_BACK},
    {SDL_SCANCODE_TAB, VK_TAB},
    {SDL_SCANCODE_RETURN, VK_RETURN},
    {SDL_SCANCODE_RETURN2, VK_RETURN},
    {SDL_SCANCODE_KP_ENTER, VK_RETURN},
    {SDL_SCANCODE_PAUSE, VK_PAUSE},
    {SDL_SCANCODE_CAPSLOCK, VK_CAPITAL},
    {SDL_SCANCODE_ESCAPE, VK_ESCAPE},
    {SDL_SCANCODE_SPACE, VK_SPACE},
    {SDL_SCANCODE_PAGEUP, VK_PRIOR},
    {SDL_SCANCODE_PAGEDOWN, VK_NEXT},
    {SDL_SCANCODE_END, VK_END},
    {SDL_SCANCODE_HOME, VK_HOME},
    {SDL_SCANCODE_LEFT, VK_LEFT},
    {SDL_SCANCODE_UP, VK_UP},
    {SDL_SCANCODE_RIGHT, VK_RIGHT},
    {SDL_SCANCODE_DOWN, VK_DOWN},
    {SDL_SCANCODE_PRINTSCREEN, VK_SNAPSHOT},
    {SDL_SCANCODE_INSERT, VK_INSERT},
    {SDL_SCANCODE_DELETE, VK_DELETE},
    {SDL_SCANCODE_LGUI, 0x5B},
    {SDL_SCANCODE_RGUI, 0x5C},
    {SDL_SCANCODE_APPLICATION, 0x5D},
    {SDL_SCANCODE_KP_MULTIPLY, 0x6A},
    {SDL_SCANCODE_KP_PLUS, 0x6B},
    {SDL_SCANCODE_KP_MINUS, 0x6D},
    {SDL_SCANCODE_KP_PERIOD, 0x6E},
    {SDL_SCANCODE_KP_DIVIDE, 0x6F},
    {SDL_SCANCODE_NUMLOCKCLEAR, 0x90},
    {SDL_SCANCODE_SCROLLLOCK, 0x91},
    {SDL_SCANCODE_LSHIFT, VK_LSHIFT},
    {SDL_SCANCODE_RSHIFT, VK_RSHIFT},
    {SDL_SCANCODE_LCTRL, VK_LCONTROL},
    {SDL_SCANCODE_RCTRL, VK_RCONTROL},
    {SDL_SCANCODE_LALT, VK_LMENU},
    {SDL_SCANCODE_RALT, VK_RMENU},
    {SDL_SCANCODE_SEMICOLON, 0xBA},
    {SDL_SCANCODE_EQUALS, 0xBB},
    {SDL_SCANCODE_COMMA, 0xBC},
    {SDL_SCANCODE_MINUS, 0xBD},
    {SDL_SCANCODE_PERIOD, 0xBE},
    {SDL_SCANCODE_SLASH, 0xBF},
    {SDL_SCANCODE_GRAVE, 0xC0},
    {SDL_SCANCODE_LEFTBRACKET, 0xDB},
    {SDL_SCANCODE_BACKSLASH, 0xDC},
    {SDL_SCANCODE_RIGHTBRACKET, 0xDD},
    {SDL_SCANCODE_APOSTROPHE, 0xDE},
};

void KeyTransitionNote(u8 key, u8 before)
{
   if (!before && keyTable[key])
   {
      keyPresses[key] = 1;
   }
   else if (before && !keyTable[key])
   {
      keyReleases[key] = 1;
   }
}

void GenericKeysUpdate()
{
   keyTable[VK_SHIFT] = keyTable[VK_LSHIFT] | keyTable[VK_RSHIFT];
   keyTable[VK_CONTROL] = keyTable[VK_LCONTROL] | keyTable[VK_RCONTROL];
   keyTable[VK_MENU] = keyTable[VK_LMENU] | keyTable[VK_RMENU];
}
} // namespace

u8 VirtualKeyFromSDL(i32 scancode, i32 keycode)
{
   // Letters follow the keyboard layout, as the player reads them on the keys.
   if (keycode >= 'a' && keycode <= 'z')
   {
      return static_cast<u8>(keycode - 'a' + 'A');
   }
   if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
   {
      return static_cast<u8>(scancode - SDL_SCANCODE_A + 'A');
   }
   if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9)
   {
      return static_cast<u8>(scancode - SDL_SCANCODE_1 + '1');
   }
   if (scancode == SDL_SCANCODE_0)
   {
      return '0';
   }
   if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12)
   {
      return static_cast<u8>(scancode - SDL_SCANCODE_F1 + VK_F1);
   }
   if (scancode >= SDL_SCANCODE_KP_1 && scancode <= SDL_SCANCODE_KP_9)
   {
      return static_cast<u8>(scancode - SDL_SCANCODE_KP_1 + VK_NUMPAD0 + 1);
   }
   if (scancode == SDL_SCANCODE_KP_0)
   {
      return VK_NUMPAD0;
   }
   for (const ScancodeKey& entry : scancodeKeys)
   {
      if (entry.scancode == scancode)
      {
         return entry.key;
      }
   }
   return 0;
}

void PlatformKeyStateSet(u8 virtualKey, bool down)
{
   if (virtualKey == 0)
   {
      return;
   }
   const u8 keys[4] = {virtualKey, VK_SHIFT, VK_CONTROL, VK_MENU};
   u8 before[4];
   for (i32 i = 0; i < 4; ++i)
   {
      before[i] = keyTable[keys[i]];
   }
   keyTable[virtualKey] = down ? 0x80 : 0;
   GenericKeysUpdate();
   for (i32 i = 0; i < 4; ++i)
   {
      KeyTransitionNote(keys[i], before[i]);
   }
}

void PlatformKeyStateClear()
{
   std::memset(keyTable, 0, sizeof(keyTable));
   std::memset(keyPresses, 0, sizeof(keyPresses));
   std::memset(keyReleases, 0, sizeof(keyReleases));
}

void PlatformKeyboardStateGet(u8* table)
{
   std::memcpy(table, keyTable, sizeof(keyTable));
}

void PlatformKeyTransitionsTake(u8* presses, u8* releases)
{
   for (i32 key = 0; key < VIRTUAL_KEY_COUNT; ++key)
   {
      presses[key] |= keyPresses[key];
      releases[key] |= keyReleases[key];
   }
   std::memset(keyPresses, 0, sizeof(keyPresses));
   std::memset(keyReleases, 0, sizeof(keyReleases));
}

u16 PlatformAsyncKeyStateGet(u8 virtualKey)
{
   u32 mask = 0;
   switch (virtualKey)
   {
   case VK_LBUTTON:
      mask = SDL_BUTTON_LMASK;
      break;
   case VK_RBUTTON:
      mask = SDL_BUTTON_RMASK;
      break;
   case VK_MBUTTON:
      mask = SDL_BUTTON_MMASK;
      break;
   default:
      return keyTable[virtualKey] ? 0x8000 : 0;
   }
   // Buttons pressed while the pointer was elsewhere are seen here too, unlike in the table.
   if (SDL_WasInit(SDL_INIT_VIDEO) && (SDL_GetGlobalMouseState(nullptr, nullptr) & mask) != 0)
   {
      return 0x8000;
   }
   return keyTable[virtualKey] ? 0x8000 : 0;
}
} // namespace Corvale
