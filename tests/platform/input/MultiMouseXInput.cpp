// The X11 back end of the multi-mouse reader against a real X server (Xvfb): the XTEST pointer is
// one of its slave pointers, so motion, buttons and the wheel faked through it come back from the
// reader as events of that device; a pointer that leaves is reported as disconnected.
#include "platform/input/MultiMouseXInput.h"

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

using namespace Corvale;

namespace
{
struct Seen
{
   u32 type;
   u32 item;
   i32 value;
   bool operator==(const Seen& other) const
   {
      return type == other.type && item == other.item && value == other.value;
   }
};

std::ostream& operator<<(std::ostream& out, const Seen& seen)
{
   return out << "{" << seen.type << ", " << seen.item << ", " << seen.value << "}";
}

class MultiMouseXInputTest : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      if (!std::getenv("DISPLAY"))
      {
         GTEST_SKIP() << "needs an X display";
      }
      display = XOpenDisplay(nullptr);
      ASSERT_NE(display, nullptr);
   }
   void TearDown() override
   {
      multiMouseDriverXInput.Close();
      if (display)
      {
         XCloseDisplay(display);
      }
   }

   i32 DeviceIndexFind(const std::string& name)
   {
      for (u32 i = 0; multiMouseDriverXInput.DeviceNameGet(i); i++)
      {
         if (name == multiMouseDriverXInput.DeviceNameGet(i))
         {
            return static_cast<i32>(i);
         }
      }
      return -1;
   }

   // Polls until count events of the device have come (other devices' events are dropped), or a
   // generous deadline passes.
   std::vector<Seen> EventsWait(i32 device, size_t count)
   {
      std::vector<Seen> seen;
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
      while (seen.size() < count && std::chrono::steady_clock::now() < deadline)
      {
         MultiMouseEvent event;
         if (multiMouseDriverXInput.Poll(&event) == 0)
         {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            continue;
         }
         if (static_cast<i32>(event.device) == device)
         {
            seen.push_back(Seen{event.type, event.item, event.value});
         }
      }
      return seen;
   }

   Display* display = nullptr;
};

TEST_F(MultiMouseXInputTest, TheXTestPointerMovesClicksAndTurnsTheWheel)
{
   EXPECT_EQ(MultiMouseDriverSlotGet(2), &multiMouseDriverXInput);
   const i32 count = multiMouseDriverXInput.Open();
   ASSERT_GT(count, 0);
   const i32 device = DeviceIndexFind("Virtual core XTEST pointer");
   ASSERT_GE(device, 0) << "the XTEST pointer is a slave pointer of every X server";
   EXPECT_EQ(multiMouseDriverXInput.DeviceNameGet(static_cast<u32>(count)), nullptr);

   XTestFakeRelativeMotionEvent(display, 7, -3, CurrentTime);
   XTestFakeButtonEvent(display, 1, True, CurrentTime);
   XTestFakeButtonEvent(display, 1, False, CurrentTime);
   XTestFakeButtonEvent(display, 3, True, CurrentTime);
   XTestFakeButtonEvent(display, 3, False, CurrentTime);
   // One notch toward the user: the wheel's press and release give a single step.
   XTestFakeButtonEvent(display, 5, True, CurrentTime);
   XTestFakeButtonEvent(display, 5, False, CurrentTime);
   XSync(display, False);

   const std::vector<Seen> expected = {
       {MULTI_MOUSE_EVENT_RELATIVE_MOTION, 0, 7}, {MULTI_MOUSE_EVENT_RELATIVE_MOTION, 1, -3},
       {MULTI_MOUSE_EVENT_BUTTON, 0, 1},          {MULTI_MOUSE_EVENT_BUTTON, 0, 0},
       {MULTI_MOUSE_EVENT_BUTTON, 1, 1},          {MULTI_MOUSE_EVENT_BUTTON, 1, 0},
       {MULTI_MOUSE_EVENT_WHEEL, 0, -1}};
   EXPECT_EQ(EventsWait(device, expected.size()), expected);
}

TEST_F(MultiMouseXInputTest, APointerThatLeavesIsReportedOnce)
{
   // A new master pointer brings its own XTEST slave pointer: a device that can come and go.
   XIAddMasterInfo add = {};
   add.type = XIAddMaster;
   add.name = const_cast<char*>("Corvale test");
   add.send_core = True;
   add.enable = True;
   XIAnyHierarchyChangeInfo change;
   change.add = add;
   ASSERT_EQ(XIChangeHierarchy(display, &change, 1), Success);
   XSync(display, False);

   const i32 count = multiMouseDriverXInput.Open();
   const i32 device = DeviceIndexFind("Corvale test XTEST pointer");
   ASSERT_GE(device, 0);

   int masterId = -1;
   int devices = 0;
   XIDeviceInfo* infos = XIQueryDevice(display, XIAllMasterDevices, &devices);
   for (int i = 0; i < devices; i++)
   {
      if (infos[i].use == XIMasterPointer && std::string(infos[i].name) == "Corvale test pointer")
      {
         masterId = infos[i].deviceid;
      }
   }
   XIFreeDeviceInfo(infos);
   ASSERT_GE(masterId, 0);
   XIRemoveMasterInfo remove = {};
   remove.type = XIRemoveMaster;
   remove.deviceid = masterId;
   remove.return_mode = XIFloating;
   change.remove = remove;
   ASSERT_EQ(XIChangeHierarchy(display, &change, 1), Success);
   XSync(display, False);

   EXPECT_EQ(EventsWait(device, 1), (std::vector<Seen>{{MULTI_MOUSE_EVENT_DISCONNECT, 0, 0}}));
   // Reported once: the device stays in the table with no handle until the reader reopens.
   for (i32 i = 0; i < 2 * count; i++)
   {
      MultiMouseEvent event;
      while (multiMouseDriverXInput.Poll(&event) > 0)
      {
         EXPECT_FALSE(event.type == MULTI_MOUSE_EVENT_DISCONNECT && static_cast<i32>(event.device) == device);
      }
   }
   EXPECT_EQ(MultiMouseDeviceHandleGet(static_cast<u32>(device)), 0u);
}
} // namespace
