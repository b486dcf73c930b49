// The program's one top-level window over SDL2: an OpenGL 2.x compatibility context, the event
// pump that turns SDL events into window messages, full-screen modes, and the system cursor.
#pragma once

#include "core/Types.h"
#include "platform/window/WindowMessages.h"

namespace Corvale
{
struct PlatformRect
{
   i32 x = 0;
   i32 y = 0;
   i32 width = 0;
   i32 height = 0;
};

// One display setting of the monitor; orientation is unknown on Linux and reads 0.
struct PlatformDisplayMode
{
   i32 width = 0;
   i32 height = 0;
   i32 refreshRate = 0;
   i32 bitsPerPixel = 0;
   i32 orientation = 0;
};

class PlatformWindow
{
 public:
   PlatformWindow() = default;
   ~PlatformWindow();
   PlatformWindow(const PlatformWindow&) = delete;
   PlatformWindow& operator=(const PlatformWindow&) = delete;

   // A hidden window of the given client size; popup = no frame (full screen). samples 0 turns
   // multisampling off. False when SDL or the window's visual is not to be had.
   bool Create(const char* title, bool popup, i32 width, i32 height, i32 samples, WindowProcedure procedure);
   void Destroy();
   bool ContextCreate();
   void ContextDestroy();
   bool CreatedCheck() const { return window != nullptr; }

   void PopupSet(bool popup);
   void TitleSet(const char* title);
   // The picture the desktop shows for the window: rows of RGBA bytes, top-down.
   void IconSet(const u8* pixels, i32 width, i32 height);
   void ClientSizeSet(i32 width, i32 height);
   bool ClientSizeGet(i32* width, i32* height) const;
   void PositionSet(i32 x, i32 y);
   void Show();
   void Minimise();
   bool FocusCheck() const;
   bool MinimisedCheck() const;
   // Covers the monitor in the given mode; null leaves full screen for the desktop's mode.
   bool FullscreenModeSet(const PlatformDisplayMode* mode);

   void SwapIntervalSet(i32 interval);
   void BuffersSwap();
   // Dispatches every pending event to the window procedure; false once the window is gone.
   bool MessagesPump();
   // Hands one SDL event (an SDL_Event*) to the window procedure as messages.
   void EventDispatch(const void* sdlEvent);

   // System pointer in client pixels; false when it cannot be read.
   bool CursorPositionGet(i32* x, i32* y) const;
   // Confines the pointer to a client rectangle; null releases it.
   void CursorClipSet(const PlatformRect* clientRect);
   // The system arrow's visibility (global).
   static void CursorShow(bool shown);

   void* HandleGet() const { return window; }

 private:
   void MessageSend(u32 message, uptr wParam, uptr lParam);
   void TouchSend(u32 flags, i64 fingerId, float x, float y);

   void* window = nullptr;
   void* context = nullptr;
   WindowProcedure procedure = nullptr;
   bool videoInitialised = false;
   i64 primaryFinger = -1;
   i32 fingersDown = 0;
};

// The desktop's own mode; false when it cannot be read.
bool PlatformDesktopModeGet(PlatformDisplayMode* mode);
// Display setting number index of the first monitor; false past the last one.
bool PlatformDisplayModeGet(i32 index, PlatformDisplayMode* mode);
// The desktop area that windows may use (without panels).
bool PlatformWorkAreaGet(PlatformRect* area);
// Whether a display can be shown to the player at all.
bool PlatformDisplayAvailableCheck();

// Synthetic input queued as if it came from the devices, for the next pump (tests, automation).
bool PlatformKeyEventPush(u8 virtualKey, bool down);
bool PlatformTextEventPush(const char* text);
bool PlatformWheelEventPush(float notches);
} // namespace Corvale
