// XInput2 back end of the multi-mouse reader. It keeps a connection of its own to the window's X
// server, so that SDL's event pump never takes its raw events; raw motion, button and wheel
// events of each slave pointer become events of that pointer's device index, and hierarchy
// events mark removed pointers for the reader's disconnection check.
#include "platform/input/MultiMouseXInput.h"

#include <cmath>
#include <cstring>

#include <SDL.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

namespace Corvale
{
namespace
{
struct XInputState
{
   Display* display = nullptr;
   int opcode = 0;
   bool buttonsSwapped = false;
   // Per device index: absolute axes (tablets, touch screens) and removal seen.
   bool absolute[MULTI_MOUSE_DEVICES_MAX] = {};
   bool removed[MULTI_MOUSE_DEVICES_MAX] = {};
   // Sub-pixel motion carried to the next event, so slow movements are not lost to rounding.
   double remainder[MULTI_MOUSE_DEVICES_MAX][2] = {};
};

XInputState state;

bool X11VideoCheck()
{
   // Without SDL video up (tests, tools) the DISPLAY variable decides; with it, only X11 has one.
   const char* driver = SDL_WasInit(SDL_INIT_VIDEO) ? SDL_GetCurrentVideoDriver() : nullptr;
   return !driver || std::strcmp(driver, "x11") == 0;
}

bool AbsoluteAxesCheck(const XIDeviceInfo& info)
{
   for (int i = 0; i < info.num_classes; i++)
   {
      const XIAnyClassInfo* any = info.classes[i];
      if (any->type == XIValuatorClass)
      {
         const XIValuatorClassInfo* valuator = reinterpret_cast<const XIValuatorClassInfo*>(any);
         if (valuator->number == 0)
         {
            return valuator->mode == XIModeAbsolute;
         }
      }
   }
   return false;
}

void DevicesEnumerate()
{
   int count = 0;
   XIDeviceInfo* infos = XIQueryDevice(state.display, XIAllDevices, &count);
   for (int i = 0; infos && i < count; i++)
   {
      if (infos[i].use != XISlavePointer)
      {
         continue;
      }
      const i32 index = MultiMouseDeviceAdd(static_cast<u64>(infos[i].deviceid), infos[i].name);
      if (index >= 0)
      {
         state.absolute[index] = AbsoluteAxesCheck(infos[i]);
      }
   }
   if (infos)
   {
      XIFreeDeviceInfo(infos);
   }
}

bool ButtonsSwappedCheck()
{
   unsigned char map[8] = {};
   const int count = XGetPointerMapping(state.display, map, sizeof(map));
   return count >= 3 && map[0] == 3;
}

bool EventsSelect()
{
   unsigned char rawBits[XIMaskLen(XI_LASTEVENT)] = {};
   XISetMask(rawBits, XI_RawMotion);
   XISetMask(rawBits, XI_RawButtonPress);
   XISetMask(rawBits, XI_RawButtonRelease);
   unsigned char hierarchyBits[XIMaskLen(XI_LASTEVENT)] = {};
   XISetMask(hierarchyBits, XI_HierarchyChanged);
   // Raw events through the masters name their slave as the source, once each.
   XIEventMask masks[2] = {{XIAllMasterDevices, static_cast<int>(sizeof(rawBits)), rawBits},
                           {XIAllDevices, static_cast<int>(sizeof(hierarchyBits)), hierarchyBits}};
   const Status status = XISelectEvents(state.display, DefaultRootWindow(state.display), masks, 2);
   XSync(state.display, False);
   return status == Success;
}

void RawMotionPush(i32 device, const XIRawEvent* raw)
{
   MultiMouseReport report = {};
   report.absolute = state.absolute[device];
   const double* value = raw->raw_values;
   double axes[2] = {0.0, 0.0};
   bool moved = false;
   for (int axis = 0; axis < raw->valuators.mask_len * 8; axis++)
   {
      if (!XIMaskIsSet(raw->valuators.mask, axis))
      {
         continue;
      }
      if (axis < 2)
      {
         axes[axis] = *value;
         moved = true;
      }
      value++;
   }
   if (!moved)
   {
      return;
   }
   i32 whole[2];
   for (int axis = 0; axis < 2; axis++)
   {
      if (report.absolute)
      {
         whole[axis] = static_cast<i32>(std::lround(axes[axis]));
         continue;
      }
      const double total = axes[axis] + state.remainder[device][axis];
      whole[axis] = static_cast<i32>(std::trunc(total));
      state.remainder[device][axis] = total - whole[axis];
   }
   report.x = whole[0];
   report.y = whole[1];
   if (report.absolute || report.x != 0 || report.y != 0)
   {
      MultiMouseReportPush(static_cast<u32>(device), report, false);
   }
}

void RawButtonPush(i32 device, int button, bool pressed)
{
   MultiMouseReport report = {};
   switch (button)
   {
   case 1:
      report.buttonFlags = pressed ? MULTI_MOUSE_REPORT_LEFT_DOWN : MULTI_MOUSE_REPORT_LEFT_UP;
      break;
   case 2:
      report.buttonFlags = pressed ? MULTI_MOUSE_REPORT_MIDDLE_DOWN : MULTI_MOUSE_REPORT_MIDDLE_UP;
      break;
   case 3:
      report.buttonFlags = pressed ? MULTI_MOUSE_REPORT_RIGHT_DOWN : MULTI_MOUSE_REPORT_RIGHT_UP;
      break;
   case 4:
   case 5:
      // X reports the vertical wheel as buttons 4 (away) and 5 (toward): one step per press.
      if (!pressed)
      {
         return;
      }
      report.buttonFlags = MULTI_MOUSE_REPORT_WHEEL;
      report.wheel = button == 4 ? 1 : -1;
      break;
   case 8:
      report.buttonFlags = pressed ? MULTI_MOUSE_REPORT_BUTTON4_DOWN : MULTI_MOUSE_REPORT_BUTTON4_UP;
      break;
   case 9:
      report.buttonFlags = pressed ? MULTI_MOUSE_REPORT_BUTTON5_DOWN : MULTI_MOUSE_REPORT_BUTTON5_UP;
      break;
   default:
      // Horizontal wheel (6, 7) and extra buttons are not part of the reader's events.
      return;
   }
   MultiMouseReportPush(static_cast<u32>(device), report, state.buttonsSwapped);
}

void HierarchyApply(const XIHierarchyEvent* hierarchy)
{
   for (int i = 0; i < hierarchy->num_info; i++)
   {
      const XIHierarchyInfo& info = hierarchy->info[i];
      if ((info.flags & (XISlaveRemoved | XIDeviceDisabled)) == 0)
      {
         continue;
      }
      const i32 index = MultiMouseDeviceFind(static_cast<u64>(info.deviceid));
      if (index >= 0)
      {
         state.removed[index] = true;
      }
   }
}

// Turns every queued X event into ring events.
void EventsPump()
{
   while (XPending(state.display) > 0)
   {
      XEvent event;
      XNextEvent(state.display, &event);
      XGenericEventCookie* cookie = &event.xcookie;
      if (cookie->type != GenericEvent || cookie->extension != state.opcode ||
          !XGetEventData(state.display, cookie))
      {
         continue;
      }
      if (cookie->evtype == XI_HierarchyChanged)
      {
         HierarchyApply(static_cast<const XIHierarchyEvent*>(cookie->data));
      }
      else
      {
         const XIRawEvent* raw = static_cast<const XIRawEvent*>(cookie->data);
         const i32 device = MultiMouseDeviceFind(static_cast<u64>(raw->sourceid));
         if (device >= 0)
         {
            if (cookie->evtype == XI_RawMotion)
            {
               RawMotionPush(device, raw);
            }
            else
            {
               RawButtonPush(device, raw->detail, cookie->evtype == XI_RawButtonPress);
            }
         }
      }
      XFreeEventData(state.display, cookie);
   }
}

bool DeviceGoneCheck(u64 handle)
{
   const i32 index = MultiMouseDeviceFind(handle);
   return index >= 0 && state.removed[index];
}

void XInputClose()
{
   if (state.display)
   {
      XCloseDisplay(state.display);
   }
   state = XInputState();
   MultiMouseDevicesClear();
}

i32 XInputOpen()
{
   XInputClose();
   MultiMouseRingClear();
   if (!X11VideoCheck())
   {
      return -1;
   }
   state.display = XOpenDisplay(nullptr);
   if (!state.display)
   {
      return -1;
   }
   int event = 0;
   int error = 0;
   int major = 2;
   int minor = 0;
   if (!XQueryExtension(state.display, "XInputExtension", &state.opcode, &event, &error) ||
       XIQueryVersion(state.display, &major, &minor) != Success || major < 2)
   {
      XInputClose();
      return -1;
   }
   state.buttonsSwapped = ButtonsSwappedCheck();
   DevicesEnumerate();
   if (MultiMouseDeviceCountGet() == 0 || !EventsSelect())
   {
      XInputClose();
      return 0;
   }
   return MultiMouseDeviceCountGet();
}

i32 XInputPoll(MultiMouseEvent* event)
{
   if (MultiMouseRingPop(event))
   {
      return 1;
   }
   if (!state.display)
   {
      return 0;
   }
   EventsPump();
   if (MultiMouseRingPop(event))
   {
      return 1;
   }
   return MultiMouseDisconnectCheck(DeviceGoneCheck, event) ? 1 : 0;
}
} // namespace

const MultiMouseDriver multiMouseDriverXInput = {"X11 XInput2 raw events", XInputOpen, XInputClose,
                                                 MultiMouseDeviceNameGet, XInputPoll};
} // namespace Corvale
