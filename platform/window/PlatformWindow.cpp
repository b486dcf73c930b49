// SDL2 window, OpenGL context and event pump. This and the other platform files are the only
// places that see SDL; everything above talks in window messages and virtual-key codes.
#include "platform/window/PlatformWindow.h"

#include <SDL.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "core/Log.h"
#include "platform/input/PlatformKeys.h"

namespace Corvale
{
namespace
{
u32 messageExtraInfo = 0;

// Holds a video reference for a query made before (or without) a window.
struct VideoReference
{
   bool held;
   VideoReference() : held(SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {}
   ~VideoReference()
   {
      if (held)
      {
         SDL_QuitSubSystem(SDL_INIT_VIDEO);
      }
   }
};

SDL_Window* WindowOf(void* handle)
{
   return static_cast<SDL_Window*>(handle);
}

// Decodes one UTF-8 character; returns its length, 0 at the end or on a malformed byte.
i32 CharacterDecode(const char* text, u32* codePoint)
{
   const u8 first = static_cast<u8>(text[0]);
   i32 length;
   if (first == 0)
   {
      return 0;
   }
   if (first < 0x80)
   {
      *codePoint = first;
      return 1;
   }
   if ((first & 0xE0) == 0xC0)
   {
      length = 2;
      *codePoint = first & 0x1F;
   }
   else if ((first & 0xF0) == 0xE0)
   {
      length = 3;
      *codePoint = first & 0x0F;
   }
   else if ((first & 0xF8) == 0xF0)
   {
      length = 4;
      *codePoint = first & 0x07;
   }
   else
   {
      return 0;
   }
   for (i32 i = 1; i < length; ++i)
   {
      const u8 next = static_cast<u8>(text[i]);
      if ((next & 0xC0) != 0x80)
      {
         return 0;
      }
      *codePoint = (*codePoint << 6) | (next & 0x3F);
   }
   return length;
}

u8 MouseButtonKey(u8 button)
{
   switch (button)
   {
   case SDL_BUTTON_LEFT:
      return VK_LBUTTON;
   case SDL_BUTTON_RIGHT:
      return VK_RBUTTON;
   case SDL_BUTTON_MIDDLE:
      return VK_MBUTTON;
   default:
      return 0;
   }
}
} // namespace

u32 MessageExtraInfoGet()
{
   return messageExtraInfo;
}

void MessageExtraInfoSet(u32 info)
{
   messageExtraInfo = info;
}

bool TouchInputInfoGet(uptr handle, u32 count, TouchInput* inputs)
{
   if (handle == 0 || !inputs)
   {
      return false;
   }
   const TouchInput* source = reinterpret_cast<const TouchInput*>(handle);
   for (u32 i = 0; i < count; ++i)
   {
      inputs[i] = source[i];
   }
   return true;
}

PlatformWindow::~PlatformWindow()
{
   Destroy();
}

bool PlatformWindow::Create(const char* title, bool popup, i32 width, i32 height, i32 samples,
                            WindowProcedure windowProcedure)
{
   Destroy();
   if (!videoInitialised)
   {
      if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
      {
         WarningPrintf("PlatformWindow::Create -- SDL video failed: %s\n", SDL_GetError());
         return false;
      }
      videoInitialised = true;
   }
   // The screen minimises the window itself when full screen loses the focus.
   SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
   SDL_GL_ResetAttributes();
   SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
   SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
   SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
   SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
   SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
   SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
   SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
   SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
   SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, samples > 0 ? 1 : 0);
   SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, samples > 0 ? samples : 0);
   Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
   if (popup)
   {
      flags |= SDL_WINDOW_BORDERLESS;
   }
   window = SDL_CreateWindow(title ? title : "", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                             width > 0 ? width : 1, height > 0 ? height : 1, flags);
   if (!window)
   {
      WarningPrintf("PlatformWindow::Create -- %s\n", SDL_GetError());
      return false;
   }
   procedure = windowProcedure;
   primaryFinger = -1;
   fingersDown = 0;
   SDL_StartTextInput();
   return true;
}

void PlatformWindow::Destroy()
{
   ContextDestroy();
   if (window)
   {
      SDL_DestroyWindow(WindowOf(window));
      window = nullptr;
   }
   if (videoInitialised)
   {
      SDL_QuitSubSystem(SDL_INIT_VIDEO);
      videoInitialised = false;
   }
   PlatformKeyStateClear();
}

bool PlatformWindow::ContextCreate()
{
   if (!window)
   {
      return false;
   }
   ContextDestroy();
   context = SDL_GL_CreateContext(WindowOf(window));
   if (!context)
   {
      WarningPrintf("PlatformWindow::ContextCreate -- %s\n", SDL_GetError());
      return false;
   }
   SDL_GL_MakeCurrent(WindowOf(window), context);
   return true;
}

void PlatformWindow::ContextDestroy()
{
   if (context)
   {
      SDL_GL_MakeCurrent(WindowOf(window), nullptr);
      SDL_GL_DeleteContext(context);
      context = nullptr;
   }
}

void PlatformWindow::PopupSet(bool popup)
{
   if (window)
   {
      SDL_SetWindowBordered(WindowOf(window), popup ? SDL_FALSE : SDL_TRUE);
   }
}

void PlatformWindow::TitleSet(const char* title)
{
   if (window)
   {
      SDL_SetWindowTitle(WindowOf(window), title ? title : "");
   }
}

void PlatformWindow::IconSet(const u8* pixels, i32 width, i32 height)
{
   if (!window || !pixels || width <= 0 || height <= 0)
   {
      return;
   }
   // SDL copies the pixels; the surface only borrows them for the call.
   SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<u8*>(pixels), width, height, 32,
                                                             width * 4, SDL_PIXELFORMAT_RGBA32);
   if (!surface)
   {
      WarningPrintf("PlatformWindow::IconSet -- %s\n", SDL_GetError());
      return;
   }
   SDL_SetWindowIcon(WindowOf(window), surface);
   SDL_FreeSurface(surface);
}

void PlatformWindow::ClientSizeSet(i32 width, i32 height)
{
   if (window)
   {
      SDL_SetWindowSize(WindowOf(window), width > 0 ? width : 1, height > 0 ? height : 1);
   }
}

bool PlatformWindow::ClientSizeGet(i32* width, i32* height) const
{
   if (!window)
   {
      return false;
   }
   int w = 0, h = 0;
   SDL_GL_GetDrawableSize(WindowOf(window), &w, &h);
   *width = w;
   *height = h;
   return true;
}

void PlatformWindow::PositionSet(i32 x, i32 y)
{
   if (window)
   {
      SDL_SetWindowPosition(WindowOf(window), x, y);
   }
}

void PlatformWindow::Show()
{
   if (window)
   {
      SDL_ShowWindow(WindowOf(window));
      SDL_RestoreWindow(WindowOf(window));
   }
}

void PlatformWindow::Minimise()
{
   if (window)
   {
      SDL_MinimizeWindow(WindowOf(window));
   }
}

bool PlatformWindow::FocusCheck() const
{
   return window && (SDL_GetWindowFlags(WindowOf(window)) & SDL_WINDOW_INPUT_FOCUS) != 0;
}

bool PlatformWindow::MinimisedCheck() const
{
   return window && (SDL_GetWindowFlags(WindowOf(window)) & SDL_WINDOW_MINIMIZED) != 0;
}

bool PlatformWindow::FullscreenModeSet(const PlatformDisplayMode* mode)
{
   if (!window)
   {
      return false;
   }
   if (!mode)
   {
      return SDL_SetWindowFullscreen(WindowOf(window), 0) == 0;
   }
   SDL_DisplayMode wanted = {};
   wanted.w = mode->width;
   wanted.h = mode->height;
   wanted.refresh_rate = mode->refreshRate;
   if (SDL_SetWindowDisplayMode(WindowOf(window), &wanted) != 0)
   {
      return false;
   }
   return SDL_SetWindowFullscreen(WindowOf(window), SDL_WINDOW_FULLSCREEN) == 0;
}

void PlatformWindow::SwapIntervalSet(i32 interval)
{
   if (context)
   {
      SDL_GL_SetSwapInterval(interval);
   }
}

void PlatformWindow::BuffersSwap()
{
   if (window)
   {
      SDL_GL_SwapWindow(WindowOf(window));
   }
}

bool PlatformWindow::MessagesPump()
{
   if (!window)
   {
      return false;
   }
   SDL_Event event;
   while (window && SDL_PollEvent(&event))
   {
      EventDispatch(&event);
   }
   return window != nullptr;
}

void PlatformWindow::MessageSend(u32 message, uptr wParam, uptr lParam)
{
   if (procedure)
   {
      procedure(this, message, wParam, lParam);
   }
}

void PlatformWindow::TouchSend(u32 flags, i64 fingerId, float x, float y)
{
   i32 width = 0, height = 0;
   ClientSizeGet(&width, &height);
   TouchInput input;
   input.x = static_cast<i32>(std::lround(x * static_cast<float>(width) * 100.0f));
   input.y = static_cast<i32>(std::lround(y * static_cast<float>(height) * 100.0f));
   input.id = static_cast<u32>(fingerId);
   input.flags = flags | (fingerId == primaryFinger ? TOUCH_FLAG_PRIMARY : 0u);
   MessageSend(MESSAGE_TOUCH, 1, reinterpret_cast<uptr>(&input));
}

void PlatformWindow::EventDispatch(const void* sdlEvent)
{
   const SDL_Event& event = *static_cast<const SDL_Event*>(sdlEvent);
   switch (event.type)
   {
   case SDL_QUIT:
      MessageSend(MESSAGE_CLOSE, 0, 0);
      break;
   case SDL_WINDOWEVENT:
      switch (event.window.event)
      {
      case SDL_WINDOWEVENT_CLOSE:
         MessageSend(MESSAGE_CLOSE, 0, 0);
         break;
      case SDL_WINDOWEVENT_FOCUS_GAINED:
         MessageSend(MESSAGE_SETFOCUS, 0, 0);
         break;
      case SDL_WINDOWEVENT_FOCUS_LOST:
         PlatformKeyStateClear();
         MessageSend(MESSAGE_KILLFOCUS, 0, 0);
         break;
      case SDL_WINDOWEVENT_SIZE_CHANGED:
         MessageSend(MESSAGE_SIZE, 0, ParamPack(event.window.data1, event.window.data2));
         break;
      default:
         break;
      }
      break;
   case SDL_KEYDOWN:
   case SDL_KEYUP:
   {
      const bool down = event.type == SDL_KEYDOWN;
      const u8 key = VirtualKeyFromSDL(event.key.keysym.scancode, event.key.keysym.sym);
      PlatformKeyStateSet(key, down);
      if (key != 0)
      {
         MessageSend(down ? MESSAGE_KEYDOWN : MESSAGE_KEYUP, key, event.key.repeat ? 1 : 0);
      }
      // Text input never carries control characters, yet text entry needs these three.
      if (down && (key == VK_BACK || key == VK_RETURN || key == VK_TAB))
      {
         MessageSend(MESSAGE_CHAR, key, 0);
      }
      break;
   }
   case SDL_TEXTINPUT:
   {
      const char* text = event.text.text;
      u32 codePoint = 0;
      i32 length;
      while ((length = CharacterDecode(text, &codePoint)) > 0)
      {
         MessageSend(MESSAGE_CHAR, codePoint, 0);
         text += length;
      }
      break;
   }
   case SDL_MOUSEMOTION:
      messageExtraInfo = event.motion.which == SDL_TOUCH_MOUSEID ? MESSAGE_EXTRA_INFO_TOUCH_MASK : 0;
      MessageSend(MESSAGE_MOUSEMOVE, 0, ParamPack(event.motion.x, event.motion.y));
      messageExtraInfo = 0;
      break;
   case SDL_MOUSEBUTTONDOWN:
   case SDL_MOUSEBUTTONUP:
   {
      const bool down = event.type == SDL_MOUSEBUTTONDOWN;
      const u8 key = MouseButtonKey(event.button.button);
      u32 message = 0;
      if (key == VK_LBUTTON)
      {
         message = down ? MESSAGE_LBUTTONDOWN : MESSAGE_LBUTTONUP;
      }
      else if (key == VK_RBUTTON)
      {
         message = down ? MESSAGE_RBUTTONDOWN : MESSAGE_RBUTTONUP;
      }
      else if (key == VK_MBUTTON)
      {
         message = down ? MESSAGE_MBUTTONDOWN : MESSAGE_MBUTTONUP;
      }
      if (message == 0)
      {
         break;
      }
      PlatformKeyStateSet(key, down);
      messageExtraInfo = event.button.which == SDL_TOUCH_MOUSEID ? MESSAGE_EXTRA_INFO_TOUCH_MASK : 0;
      MessageSend(message, 0, ParamPack(event.button.x, event.button.y));
      messageExtraInfo = 0;
      break;
   }
   case SDL_MOUSEWHEEL:
   {
      float notches = event.wheel.preciseY;
      if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED)
      {
         notches = -notches;
      }
      MessageSend(MESSAGE_MOUSEWHEEL, ParamPack(0, static_cast<i32>(std::lround(notches * 120.0f))), 0);
      break;
   }
   case SDL_FINGERDOWN:
      // The first finger of a touch is the primary pointer until every finger has left.
      if (fingersDown == 0)
      {
         primaryFinger = event.tfinger.fingerId;
      }
      ++fingersDown;
      TouchSend(TOUCH_FLAG_DOWN, event.tfinger.fingerId, event.tfinger.x, event.tfinger.y);
      break;
   case SDL_FINGERMOTION:
      TouchSend(TOUCH_FLAG_MOVE, event.tfinger.fingerId, event.tfinger.x, event.tfinger.y);
      break;
   case SDL_FINGERUP:
      TouchSend(TOUCH_FLAG_UP, event.tfinger.fingerId, event.tfinger.x, event.tfinger.y);
      if (fingersDown > 0 && --fingersDown == 0)
      {
         primaryFinger = -1;
      }
      break;
   default:
      break;
   }
}

bool PlatformWindow::CursorPositionGet(i32* x, i32* y) const
{
   if (!window)
   {
      return false;
   }
   int globalX = 0, globalY = 0, windowX = 0, windowY = 0;
   SDL_GetGlobalMouseState(&globalX, &globalY);
   SDL_GetWindowPosition(WindowOf(window), &windowX, &windowY);
   *x = globalX - windowX;
   *y = globalY - windowY;
   return true;
}

void PlatformWindow::CursorClipSet(const PlatformRect* clientRect)
{
   if (!window)
   {
      return;
   }
   if (!clientRect)
   {
      SDL_SetWindowMouseRect(WindowOf(window), nullptr);
      return;
   }
   const SDL_Rect rect = {clientRect->x, clientRect->y, clientRect->width, clientRect->height};
   SDL_SetWindowMouseRect(WindowOf(window), &rect);
}

void PlatformWindow::CursorShow(bool shown)
{
   if (SDL_WasInit(SDL_INIT_VIDEO))
   {
      SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE);
   }
}

bool PlatformDesktopModeGet(PlatformDisplayMode* mode)
{
   VideoReference video;
   SDL_DisplayMode desktop;
   if (!video.held || SDL_GetDesktopDisplayMode(0, &desktop) != 0)
   {
      return false;
   }
   mode->width = desktop.w;
   mode->height = desktop.h;
   mode->refreshRate = desktop.refresh_rate;
   mode->bitsPerPixel = static_cast<i32>(SDL_BITSPERPIXEL(desktop.format));
   // 24-bit colour is stored in 32-bit pixels, as the desktop's own setting reports it.
   if (mode->bitsPerPixel == 24)
   {
      mode->bitsPerPixel = 32;
   }
   mode->orientation = 0;
   return true;
}

bool PlatformDisplayModeGet(i32 index, PlatformDisplayMode* mode)
{
   VideoReference video;
   SDL_DisplayMode setting;
   if (!video.held || index < 0 || index >= SDL_GetNumDisplayModes(0) ||
       SDL_GetDisplayMode(0, index, &setting) != 0)
   {
      return false;
   }
   mode->width = setting.w;
   mode->height = setting.h;
   mode->refreshRate = setting.refresh_rate;
   mode->bitsPerPixel = static_cast<i32>(SDL_BITSPERPIXEL(setting.format));
   if (mode->bitsPerPixel == 24)
   {
      mode->bitsPerPixel = 32;
   }
   mode->orientation = 0;
   return true;
}

bool PlatformWorkAreaGet(PlatformRect* area)
{
   VideoReference video;
   SDL_Rect bounds;
   if (!video.held || SDL_GetDisplayUsableBounds(0, &bounds) != 0)
   {
      return false;
   }
   area->x = bounds.x;
   area->y = bounds.y;
   area->width = bounds.w;
   area->height = bounds.h;
   return true;
}

bool PlatformKeyEventPush(u8 virtualKey, bool down)
{
   for (i32 scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode)
   {
      if (VirtualKeyFromSDL(scancode, 0) != virtualKey)
      {
         continue;
      }
      SDL_Event event = {};
      event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
      event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
      event.key.keysym.scancode = static_cast<SDL_Scancode>(scancode);
      event.key.keysym.sym = SDL_GetKeyFromScancode(event.key.keysym.scancode);
      return SDL_PushEvent(&event) == 1;
   }
   return false;
}

bool PlatformTextEventPush(const char* text)
{
   SDL_Event event = {};
   event.type = SDL_TEXTINPUT;
   if (!text || std::strlen(text) >= sizeof(event.text.text))
   {
      return false;
   }
   std::strcpy(event.text.text, text);
   return SDL_PushEvent(&event) == 1;
}

bool PlatformWheelEventPush(float notches)
{
   SDL_Event event = {};
   event.type = SDL_MOUSEWHEEL;
   event.wheel.y = static_cast<Sint32>(notches);
   event.wheel.preciseY = notches;
   event.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
   return SDL_PushEvent(&event) == 1;
}

bool PlatformDisplayAvailableCheck()
{
   const char* display = std::getenv("DISPLAY");
   const char* wayland = std::getenv("WAYLAND_DISPLAY");
   return (display && display[0]) || (wayland && wayland[0]);
}
} // namespace Corvale
