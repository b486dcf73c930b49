// The mouse manager: feeds the system pointer's record and the eight per-mouse records from
// window messages (system mouse and touch) or from the multi-mouse reader, once a frame.
#pragma once

#include "core/Point.h"
#include "core/Types.h"
#include "platform/input/MouseState.h"
#include "platform/window/PlatformWindow.h"

namespace Corvale
{
constexpr i32 MOUSE_DEVICES_MAX = 8;

class MouseManager
{
 public:
   void Init();
   void Deinit();
   // True only when the message was consumed (touch); the window procedure then returns result.
   bool WindowMessageHandle(PlatformWindow* window, u32 message, uptr wParam, uptr lParam, uptr* result);
   bool CursorInsideCheck();
   // The main loop's check before the mouse update: follows the cursor in and out of the window.
   void CursorCheck();
   // Raw-input mode, once a frame.
   void Update(bool active);
   // System-mouse mode, once a frame.
   void SystemMouseUpdate(bool active);
   void SystemButtonsRead();
   // Window client pixels to virtual units.
   void ClientToVirtual(Point2F* out, const Point2F* in);
   void OnOSFocusGain();
   void OnWindowChange();
   // Registers one of the manager's methods on a named event (order value 0).
   void EventRegister(const char* key, void (MouseManager::*method)());

   // The input area of the present screen state: where positions are clamped.
   PlatformRect AreaGet() const;
   // The automatic rule: window messages drive the pointer unless the cursor is pinned or confined.
   bool AutomaticSystemModeCheck() const;

   u8 initialisedFlag = 0;
   u8 deviceChangePending = 0;
   u8 systemMouseMode = 1;
   // 0 always system mouse, 2 automatic, any other value always raw input.
   i32 inputMode = 2;
   u8 areaLocked = 0;
   u8 cursorInside = 0;
   u8 touchAvailable = 0;

 private:
   void FrameBegin(bool active);
   void ReaderClose();
};

extern MouseManager mouseManager;
// The system pointer's record, and the records of the eight individual mice.
extern MouseState mouseStateSystem;
extern MouseState mouseStates[MOUSE_DEVICES_MAX];
// The record of device index 0-7; null for any other index.
MouseState* MouseStateGet(i32 index);
} // namespace Corvale
