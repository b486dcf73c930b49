// Pointer input: window messages and touch in system-mouse mode, the multi-mouse reader in raw
// mode, and the mapping from window pixels to the virtual area.
#include "platform/input/MouseManager.h"

#include <cmath>
#include <cstring>

#include "core/Event.h"
#include "platform/input/MultiMouse.h"
#include "platform/input/PlatformKeys.h"
#include "platform/window/Screen.h"

namespace Corvale
{
MouseManager mouseManager;
MouseState mouseStateSystem;
MouseState mouseStates[MOUSE_DEVICES_MAX];

namespace
{
constexpr u32 TOUCH_INPUTS_MAX = 7;

void RecordsPresentSet(i32 count)
{
   for (i32 i = 0; i < MOUSE_DEVICES_MAX; ++i)
   {
      mouseStates[i].present = i < count ? 1 : 0;
   }
}

} // namespace

MouseState* MouseStateGet(i32 index)
{
   return index >= 0 && index < MOUSE_DEVICES_MAX ? &mouseStates[index] : nullptr;
}

bool MouseManager::AutomaticSystemModeCheck() const
{
   return screen.cursorClipMode == 0 || (screen.cursorClipMode == 3 && !screen.fullscreen);
}

PlatformRect MouseManager::AreaGet() const
{
   if (screen.scissorDisabled)
   {
      return screen.visibleAreaBox;
   }
   const bool changed = screen.displayModeChanged || screen.desktopOverride;
   const bool prepared = changed ? screen.preparedAreaFullscreenEnabled : screen.preparedAreaWindowedEnabled;
   if (prepared)
   {
      return screen.PreparedAreaVisibleBoxGet();
   }
   return PlatformRect{0, 0, screen.virtualWidth, screen.virtualHeight};
}

void MouseManager::Init()
{
   // SDL reports fingers wherever a touch device exists.
   touchAvailable = 1;
   inputMode = 2;
   initialisedFlag = 1;
   deviceChangePending = 0;
   areaLocked = 0;
   systemMouseMode = AutomaticSystemModeCheck() ? 1 : 0;

   const PlatformRect area = AreaGet();
   Point2I position{area.x + area.width / 2, area.y + area.height / 2};
   i32 count = 1;
   if (systemMouseMode)
   {
      i32 cx = 0, cy = 0;
      if (screen.window.CursorPositionGet(&cx, &cy))
      {
         const Point2F client{static_cast<float>(cx), static_cast<float>(cy)};
         Point2F mapped;
         ClientToVirtual(&mapped, &client);
         position = Point2I{static_cast<i32>(mapped.x), static_cast<i32>(mapped.y)};
      }
   }
   else
   {
      count = MultiMouseOpen();
   }

   // Nothing on Linux suppresses the cursor for touch, so no record starts as touch.
   mouseStateSystem.Init(position, area, false);
   mouseStateSystem.present = 1;
   for (i32 i = 0; i < MOUSE_DEVICES_MAX; ++i)
   {
      mouseStates[i].Init(position, area, false);
   }
   RecordsPresentSet(count);

   cursorInside = CursorInsideCheck() ? 1 : 0;
   screen.CursorInsideSet(cursorInside != 0);

   EventRegister("OnOSFocusGain", &MouseManager::OnOSFocusGain);
   EventRegister("OnWindowChange", &MouseManager::OnWindowChange);
}

void MouseManager::Deinit()
{
   Event::OwnerUnregister(this);
   touchAvailable = 0;
   if (!systemMouseMode)
   {
      ReaderClose();
   }
}

void MouseManager::EventRegister(const char* key, void (MouseManager::*method)())
{
   EventMethodRegister(this, key, method, 0);
}

void MouseManager::ReaderClose()
{
   if (multiMouseDriver)
   {
      multiMouseDriver->Close();
      multiMouseDriver = nullptr;
   }
}

bool MouseManager::WindowMessageHandle(PlatformWindow*, u32 message, uptr wParam, uptr lParam, uptr* result)
{
   if (message == MESSAGE_DEVICECHANGE)
   {
      deviceChangePending = 1;
      return false;
   }
   if (message == MESSAGE_TOUCH && touchAvailable)
   {
      TouchInput inputs[TOUCH_INPUTS_MAX];
      u32 count = static_cast<u32>(wParam & 0xFFFF);
      if (count > TOUCH_INPUTS_MAX)
      {
         count = TOUCH_INPUTS_MAX;
      }
      if (!TouchInputInfoGet(lParam, count, inputs))
      {
         return false;
      }
      for (u32 i = 0; i < count; ++i)
      {
         const TouchInput& input = inputs[i];
         if ((input.flags & TOUCH_FLAG_PRIMARY) == 0)
         {
            continue;
         }
         const Point2F client{static_cast<float>(input.x / 100), static_cast<float>(input.y / 100)};
         Point2F mapped;
         ClientToVirtual(&mapped, &client);
         const bool down = (input.flags & (TOUCH_FLAG_MOVE | TOUCH_FLAG_DOWN)) != 0;
         MouseState* records[2] = {&mouseStateSystem, systemMouseMode ? &mouseStates[0] : nullptr};
         for (MouseState* record : records)
         {
            if (!record)
            {
               continue;
            }
            record->pendingX = mapped.x - static_cast<float>(record->x);
            record->pendingY = mapped.y - static_cast<float>(record->y);
            record->ButtonSet(MOUSE_BUTTON_LEFT, down);
            record->pendingTouch = 1;
         }
      }
      *result = 0;
      return true;
   }
   if (message < MESSAGE_MOUSEMOVE || message > MESSAGE_MOUSEWHEEL || !systemMouseMode)
   {
      return false;
   }
   MouseState* records[2] = {&mouseStateSystem, &mouseStates[0]};
   switch (message)
   {
   case MESSAGE_MOUSEMOVE:
   case MESSAGE_LBUTTONDOWN:
   case MESSAGE_LBUTTONUP:
   {
      // Touch already moved the pointer through its own message.
      if (touchAvailable &&
          (MessageExtraInfoGet() & MESSAGE_EXTRA_INFO_TOUCH_MASK) == MESSAGE_EXTRA_INFO_TOUCH_MASK)
      {
         return false;
      }
      if (message == MESSAGE_MOUSEMOVE)
      {
         const Point2F client{static_cast<float>(ParamLowSigned(lParam)),
                              static_cast<float>(ParamHighSigned(lParam))};
         Point2F mapped;
         ClientToVirtual(&mapped, &client);
         for (MouseState* record : records)
         {
            record->pendingX = mapped.x - static_cast<float>(record->x);
            record->pendingY = mapped.y - static_cast<float>(record->y);
         }
      }
      else
      {
         for (MouseState* record : records)
         {
            record->ButtonSet(MOUSE_BUTTON_LEFT, message == MESSAGE_LBUTTONDOWN);
         }
      }
      break;
   }
   case MESSAGE_RBUTTONDOWN:
   case MESSAGE_RBUTTONUP:
      for (MouseState* record : records)
      {
         record->ButtonSet(MOUSE_BUTTON_RIGHT, message == MESSAGE_RBUTTONDOWN);
      }
      break;
   case MESSAGE_MBUTTONDOWN:
   case MESSAGE_MBUTTONUP:
      for (MouseState* record : records)
      {
         record->ButtonSet(MOUSE_BUTTON_MIDDLE, message == MESSAGE_MBUTTONDOWN);
      }
      break;
   case MESSAGE_MOUSEWHEEL:
      for (MouseState* record : records)
      {
         record->pendingWheel += static_cast<float>(ParamHighSigned(wParam)) / 120.0f;
      }
      break;
   default:
      return false;
   }
   for (MouseState* record : records)
   {
      record->pendingTouch = 0;
   }
   return false;
}

bool MouseManager::CursorInsideCheck()
{
   i32 x = 0, y = 0, width = 0, height = 0;
   if (!screen.window.CursorPositionGet(&x, &y) || !screen.window.ClientSizeGet(&width, &height))
   {
      return false;
   }
   return x >= 0 && x < width && y >= 0 && y < height;
}

void MouseManager::CursorCheck()
{
   const bool inside = CursorInsideCheck();
   if (systemMouseMode && inside && !cursorInside)
   {
      SystemButtonsRead();
   }
   screen.CursorInsideSet(inside);
   cursorInside = inside ? 1 : 0;
}

void MouseManager::FrameBegin(bool active)
{
   if (!active)
   {
      return;
   }
   MouseState* records[1 + MOUSE_DEVICES_MAX] = {&mouseStateSystem};
   for (i32 i = 0; i < MOUSE_DEVICES_MAX; ++i)
   {
      records[1 + i] = &mouseStates[i];
   }
   for (MouseState* record : records)
   {
      record->previousX = record->x;
      record->previousY = record->y;
      record->dx = 0;
      record->dy = 0;
      record->wheel = 0;
   }
}

void MouseManager::Update(bool active)
{
   FrameBegin(active);
   MultiMouseEvent event;
   while (multiMouseDriver && multiMouseDriver->Poll(&event) > 0)
   {
      MouseState* record =
          MouseStateGet(event.device < MOUSE_DEVICES_MAX ? static_cast<i32>(event.device) : -1);
      switch (event.type)
      {
      case MULTI_MOUSE_EVENT_RELATIVE_MOTION:
         if (active && event.item < 2)
         {
            const float step = static_cast<float>(event.value) * screen.mouseScale[event.item];
            (event.item == 0 ? mouseStateSystem.pendingX : mouseStateSystem.pendingY) += step;
            if (record)
            {
               (event.item == 0 ? record->pendingX : record->pendingY) += step;
            }
         }
         break;
      case MULTI_MOUSE_EVENT_ABSOLUTE_MOTION:
         if (active && event.item < 2)
         {
            const bool xAxis = event.item == 0;
            const i32 size = xAxis ? screen.virtualWidth : screen.virtualHeight;
            const i32 position = static_cast<i32>(static_cast<i64>(size) * event.value / 65535);
            const float pending =
                static_cast<float>(position - (xAxis ? mouseStateSystem.x : mouseStateSystem.y));
            (xAxis ? mouseStateSystem.pendingX : mouseStateSystem.pendingY) = pending;
            if (record)
            {
               (xAxis ? record->pendingX : record->pendingY) = pending;
            }
         }
         break;
      case MULTI_MOUSE_EVENT_WHEEL:
         if (active)
         {
            mouseStateSystem.pendingWheel += static_cast<float>(event.value);
            if (record)
            {
               record->pendingWheel += static_cast<float>(event.value);
            }
         }
         break;
      case MULTI_MOUSE_EVENT_BUTTON:
      {
         // Buttons are followed even while inactive, so none is left stuck down.
         const u32 bits[3] = {MOUSE_BUTTON_LEFT, MOUSE_BUTTON_RIGHT, MOUSE_BUTTON_MIDDLE};
         if (event.item < 3)
         {
            mouseStateSystem.ButtonSet(bits[event.item], event.value == 1);
            if (record)
            {
               record->ButtonSet(bits[event.item], event.value == 1);
            }
         }
         break;
      }
      case MULTI_MOUSE_EVENT_DISCONNECT:
         if (record)
         {
            record->present = 0;
         }
         break;
      default:
         break;
      }
      mouseStateSystem.pendingTouch = 0;
      if (record)
      {
         record->pendingTouch = 0;
      }
   }
   mouseStateSystem.FrameAdvance(active);
   for (MouseState& record : mouseStates)
   {
      record.FrameAdvance(active);
   }
   if (deviceChangePending)
   {
      deviceChangePending = 0;
      ReaderClose();
      RecordsPresentSet(MultiMouseOpen());
   }
}

void MouseManager::SystemMouseUpdate(bool active)
{
   FrameBegin(active);
   mouseStateSystem.FrameAdvance(active);
   for (MouseState& record : mouseStates)
   {
      record.FrameAdvance(active);
   }
   deviceChangePending = 0;
}

void MouseManager::SystemButtonsRead()
{
   // SDL applies a swapped-buttons setting itself, so the buttons are read as they come.
   u32 buttons = 0;
   if (PlatformAsyncKeyStateGet(VK_LBUTTON) & 0x8000)
   {
      buttons |= MOUSE_BUTTON_LEFT;
   }
   if (PlatformAsyncKeyStateGet(VK_RBUTTON) & 0x8000)
   {
      buttons |= MOUSE_BUTTON_RIGHT;
   }
   if (PlatformAsyncKeyStateGet(VK_MBUTTON) & 0x8000)
   {
      buttons |= MOUSE_BUTTON_MIDDLE;
   }
   mouseStateSystem.buttons = buttons;
}

void MouseManager::ClientToVirtual(Point2F* out, const Point2F* in)
{
   const PlatformRect area = screen.VirtualAreaGet();
   const float w = static_cast<float>(area.width);
   const float h = static_cast<float>(area.height);
   const float clientWidth = static_cast<float>(screen.clientWidth > 0 ? screen.clientWidth : 1);
   const float clientHeight = static_cast<float>(screen.clientHeight > 0 ? screen.clientHeight : 1);
   out->x = in->x * (w / clientWidth) + static_cast<float>(area.x);
   out->y = in->y * (h / clientHeight) + static_cast<float>(area.y);
   if (screen.AspectCorrectionCheck())
   {
      i32 desktopWidth = 0, desktopHeight = 0;
      screen.DesktopSizeGet(&desktopWidth, &desktopHeight);
      if (desktopWidth == 0 || desktopHeight == 0 || screen.virtualHeight == 0)
      {
         return;
      }
      const float cx = w / 2.0f;
      const float cy = h / 2.0f;
      const float r = (static_cast<float>(screen.virtualWidth) / static_cast<float>(screen.virtualHeight)) /
                      (static_cast<float>(desktopWidth) / static_cast<float>(desktopHeight));
      const float m = r > 1.0f ? r : 1.0f;
      out->x = (out->x - cx) / (r / m) + cx;
      out->y = (out->y - cy) / (1.0f / m) + cy;
   }
}

void MouseManager::OnOSFocusGain()
{
   if (systemMouseMode)
   {
      SystemButtonsRead();
   }
}

void MouseManager::OnWindowChange()
{
   bool system;
   if (inputMode == 0)
   {
      system = true;
   }
   else if (inputMode == 2)
   {
      system = AutomaticSystemModeCheck();
   }
   else
   {
      system = false;
   }
   if (system != (systemMouseMode != 0))
   {
      systemMouseMode = system ? 1 : 0;
      MouseState* records[1 + MOUSE_DEVICES_MAX] = {&mouseStateSystem};
      for (i32 i = 0; i < MOUSE_DEVICES_MAX; ++i)
      {
         records[1 + i] = &mouseStates[i];
      }
      for (MouseState* record : records)
      {
         record->frameMotionX = record->frameMotionY = 0.0f;
         record->pendingX = record->pendingY = record->pendingWheel = 0.0f;
      }
      i32 count = 1;
      if (system)
      {
         ReaderClose();
      }
      else
      {
         count = MultiMouseOpen();
      }
      RecordsPresentSet(count);
      deviceChangePending = 0;
   }
   if (!areaLocked)
   {
      const PlatformRect area = AreaGet();
      mouseStateSystem.area = area;
      for (MouseState& record : mouseStates)
      {
         record.area = area;
      }
   }
}
} // namespace Corvale
