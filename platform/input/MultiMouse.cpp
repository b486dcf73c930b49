// Multi-mouse reader state shared by every back end: the bounded device table, the event ring
// under its lock, and the back-end table. On Linux the back end reads XInput2; where it finds no
// pointers (Wayland, offscreen) the system pointer drives the game.
#include "platform/input/MultiMouse.h"

#include "platform/input/MultiMouseXInput.h"

#include <cstring>
#include <mutex>

namespace Corvale
{
namespace
{
struct MultiMouseDevice
{
   u64 handle; // 0 once the device has gone
   char name[MULTI_MOUSE_DEVICE_NAME_SIZE];
};

MultiMouseDevice devices[MULTI_MOUSE_DEVICES_MAX];
i32 deviceCount = 0;
i32 disconnectIndex = 0;

std::mutex ringLock;
MultiMouseEvent ring[MULTI_MOUSE_RING_SIZE];
i32 ringWrite = 0;
i32 ringRead = 0;

const MultiMouseDriver* driverSlots[MULTI_MOUSE_DRIVER_SLOTS] = {nullptr, nullptr, &multiMouseDriverXInput,
                                                                 nullptr, nullptr};

void EventPush(u32 type, u32 device, u32 item, i32 value)
{
   MultiMouseEvent event = {type, device, item, value, 0, 0};
   MultiMouseRingPush(event);
}
} // namespace

const MultiMouseDriver* multiMouseDriver = nullptr;

i32 MultiMouseOpen()
{
   if (multiMouseDriver)
   {
      return -1;
   }
   i32 result = -1;
   for (const MultiMouseDriver* driver : driverSlots)
   {
      if (!driver)
      {
         continue;
      }
      const i32 count = driver->Open();
      if (count > result)
      {
         result = count;
      }
      if (count > 0)
      {
         multiMouseDriver = driver;
         break;
      }
   }
   return result;
}

void MultiMouseDriverSlotSet(i32 slot, const MultiMouseDriver* driver)
{
   if (slot >= 0 && slot < MULTI_MOUSE_DRIVER_SLOTS)
   {
      driverSlots[slot] = driver;
   }
}

const MultiMouseDriver* MultiMouseDriverSlotGet(i32 slot)
{
   return slot >= 0 && slot < MULTI_MOUSE_DRIVER_SLOTS ? driverSlots[slot] : nullptr;
}

void MultiMouseDevicesClear()
{
   std::memset(devices, 0, sizeof(devices));
   deviceCount = 0;
   disconnectIndex = 0;
}

i32 MultiMouseDeviceAdd(u64 handle, const char* name)
{
   if (deviceCount >= MULTI_MOUSE_DEVICES_MAX)
   {
      return -1;
   }
   MultiMouseDevice& device = devices[deviceCount];
   std::memset(&device, 0, sizeof(device));
   std::strncpy(device.name, name ? name : "Unidentified input device", sizeof(device.name) - 1);
   device.handle = handle;
   return deviceCount++;
}

i32 MultiMouseDeviceFind(u64 handle)
{
   for (i32 i = 0; i < deviceCount; ++i)
   {
      if (devices[i].handle == handle)
      {
         return i;
      }
   }
   return -1;
}

i32 MultiMouseDeviceCountGet()
{
   return deviceCount;
}

const char* MultiMouseDeviceNameGet(u32 index)
{
   return index < static_cast<u32>(deviceCount) ? devices[index].name : nullptr;
}

u64 MultiMouseDeviceHandleGet(u32 index)
{
   return index < static_cast<u32>(deviceCount) ? devices[index].handle : 0;
}

void MultiMouseDeviceHandleClear(u32 index)
{
   if (index < static_cast<u32>(deviceCount))
   {
      devices[index].handle = 0;
   }
}

void MultiMouseRingClear()
{
   std::lock_guard<std::mutex> hold(ringLock);
   std::memset(ring, 0, sizeof(ring));
   ringWrite = 0;
   ringRead = 0;
}

void MultiMouseRingPush(const MultiMouseEvent& event)
{
   std::lock_guard<std::mutex> hold(ringLock);
   ring[ringWrite] = event;
   ringWrite = (ringWrite + 1) % MULTI_MOUSE_RING_SIZE;
   if (ringWrite == ringRead)
   {
      ringRead = (ringRead + 1) % MULTI_MOUSE_RING_SIZE;
   }
}

bool MultiMouseRingPop(MultiMouseEvent* event)
{
   std::lock_guard<std::mutex> hold(ringLock);
   if (ringRead == ringWrite)
   {
      return false;
   }
   *event = ring[ringRead];
   ringRead = (ringRead + 1) % MULTI_MOUSE_RING_SIZE;
   return true;
}

void MultiMouseReportPush(u32 device, const MultiMouseReport& report, bool buttonsSwapped)
{
   if (report.absolute)
   {
      EventPush(MULTI_MOUSE_EVENT_ABSOLUTE_MOTION, device, 0, report.x);
      EventPush(MULTI_MOUSE_EVENT_ABSOLUTE_MOTION, device, 1, report.y);
   }
   else
   {
      if (report.x != 0)
      {
         EventPush(MULTI_MOUSE_EVENT_RELATIVE_MOTION, device, 0, report.x);
      }
      if (report.y != 0)
      {
         EventPush(MULTI_MOUSE_EVENT_RELATIVE_MOTION, device, 1, report.y);
      }
   }
   const u32 left = buttonsSwapped ? 1 : 0;
   const u32 right = buttonsSwapped ? 0 : 1;
   const struct
   {
      u32 flag;
      u32 item;
      i32 value;
   } buttons[] = {{MULTI_MOUSE_REPORT_LEFT_DOWN, left, 1},   {MULTI_MOUSE_REPORT_LEFT_UP, left, 0},
                  {MULTI_MOUSE_REPORT_RIGHT_DOWN, right, 1}, {MULTI_MOUSE_REPORT_RIGHT_UP, right, 0},
                  {MULTI_MOUSE_REPORT_MIDDLE_DOWN, 2, 1},    {MULTI_MOUSE_REPORT_MIDDLE_UP, 2, 0},
                  {MULTI_MOUSE_REPORT_BUTTON4_DOWN, 3, 1},   {MULTI_MOUSE_REPORT_BUTTON4_UP, 3, 0},
                  {MULTI_MOUSE_REPORT_BUTTON5_DOWN, 4, 1},   {MULTI_MOUSE_REPORT_BUTTON5_UP, 4, 0}};
   for (const auto& button : buttons)
   {
      if ((report.buttonFlags & button.flag) != 0)
      {
         EventPush(MULTI_MOUSE_EVENT_BUTTON, device, button.item, button.value);
      }
   }
   // Only the direction of a wheel turn is kept.
   if ((report.buttonFlags & MULTI_MOUSE_REPORT_WHEEL) != 0 && report.wheel != 0)
   {
      EventPush(MULTI_MOUSE_EVENT_WHEEL, device, 0, report.wheel > 0 ? 1 : -1);
   }
}

bool MultiMouseDisconnectCheck(bool (*deviceGoneCheck)(u64 handle), MultiMouseEvent* event)
{
   if (deviceCount == 0)
   {
      return false;
   }
   disconnectIndex = (disconnectIndex + 1) % deviceCount;
   MultiMouseDevice& device = devices[disconnectIndex];
   if (device.handle == 0 || !deviceGoneCheck(device.handle))
   {
      return false;
   }
   device.handle = 0;
   *event = MultiMouseEvent{MULTI_MOUSE_EVENT_DISCONNECT, static_cast<u32>(disconnectIndex), 0, 0, 0, 0};
   return true;
}
} // namespace Corvale
