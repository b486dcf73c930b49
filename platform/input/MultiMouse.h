// The multi-mouse reader: tells several physical mice apart, queues their device-tagged events in a
// ring of 1024 under a lock and hands them out one at a time.
#pragma once

#include "core/Types.h"

namespace Corvale
{
enum MultiMouseEventType : u32
{
   MULTI_MOUSE_EVENT_ABSOLUTE_MOTION = 0,
   MULTI_MOUSE_EVENT_RELATIVE_MOTION = 1,
   MULTI_MOUSE_EVENT_BUTTON = 2,
   MULTI_MOUSE_EVENT_WHEEL = 3,
   MULTI_MOUSE_EVENT_DISCONNECT = 4
};

struct MultiMouseEvent
{
   u32 type;
   u32 device;
   // Axis for motion (0 x, 1 y), button number (0 left, 1 right, 2 middle, 3, 4), 0 for the wheel.
   u32 item;
   i32 value;
   // Never filled by this reader, never read by the mouse manager.
   i32 minValue;
   i32 maxValue;
};

// One back end.
struct MultiMouseDriver
{
   const char* description;
   // Devices found, 0 when none, -1 when the back end cannot work here.
   i32 (*Open)();
   void (*Close)();
   const char* (*DeviceNameGet)(u32 index);
   // 1 when an event was written, 0 when none.
   i32 (*Poll)(MultiMouseEvent* event);
};

// One input report of a device, as the back ends hand it over.
struct MultiMouseReport
{
   bool absolute;
   i32 x;
   i32 y;
   u32 buttonFlags; // MULTI_MOUSE_REPORT_* bits below
   i32 wheel;
};

enum : u32
{
   MULTI_MOUSE_REPORT_LEFT_DOWN = 0x1,
   MULTI_MOUSE_REPORT_LEFT_UP = 0x2,
   MULTI_MOUSE_REPORT_RIGHT_DOWN = 0x4,
   MULTI_MOUSE_REPORT_RIGHT_UP = 0x8,
   MULTI_MOUSE_REPORT_MIDDLE_DOWN = 0x10,
   MULTI_MOUSE_REPORT_MIDDLE_UP = 0x20,
   MULTI_MOUSE_REPORT_BUTTON4_DOWN = 0x40,
   MULTI_MOUSE_REPORT_BUTTON4_UP = 0x80,
   MULTI_MOUSE_REPORT_BUTTON5_DOWN = 0x100,
   MULTI_MOUSE_REPORT_BUTTON5_UP = 0x200,
   MULTI_MOUSE_REPORT_WHEEL = 0x400
};

constexpr i32 MULTI_MOUSE_RING_SIZE = 1024;
constexpr i32 MULTI_MOUSE_DEVICES_MAX = 32;
constexpr i32 MULTI_MOUSE_DRIVER_SLOTS = 5;
constexpr i32 MULTI_MOUSE_DEVICE_NAME_SIZE = 256;

// The open driver, null while closed; the mouse manager clears it when it closes the reader.
extern const MultiMouseDriver* multiMouseDriver;

// Asks each back end in slot order; the first reporting devices becomes the open driver. Returns
// the largest count reported, -1 when none answered or a driver is already open.
i32 MultiMouseOpen();
// Replaces a back-end slot (null empties it); lets tests put a fake back end in place.
void MultiMouseDriverSlotSet(i32 slot, const MultiMouseDriver* driver);
const MultiMouseDriver* MultiMouseDriverSlotGet(i32 slot);

// Shared state for back ends: the device table and the event ring.
void MultiMouseDevicesClear();
// Index of the new device, or -1 when the table is full (further devices are ignored).
i32 MultiMouseDeviceAdd(u64 handle, const char* name);
i32 MultiMouseDeviceFind(u64 handle);
i32 MultiMouseDeviceCountGet();
const char* MultiMouseDeviceNameGet(u32 index);
u64 MultiMouseDeviceHandleGet(u32 index);
void MultiMouseDeviceHandleClear(u32 index);

void MultiMouseRingClear();
// A full ring drops its oldest event, keeping the newest 1023.
void MultiMouseRingPush(const MultiMouseEvent& event);
bool MultiMouseRingPop(MultiMouseEvent* event);
// Turns one report of a device into events, in the reader's fixed order.
void MultiMouseReportPush(u32 device, const MultiMouseReport& report, bool buttonsSwapped);
// The empty-poll disconnection check: tests one device per call, rotating; true with a
// disconnect event when that device has gone.
bool MultiMouseDisconnectCheck(bool (*deviceGoneCheck)(u64 handle), MultiMouseEvent* event);
} // namespace Corvale
