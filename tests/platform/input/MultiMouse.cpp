// The multi-mouse reader's ring, device table and report conversion, and the mouse manager's
// raw-input mode, through a fake back end.
#include <gtest/gtest.h>

#include "core/Memory.h"

#include <vector>

#include "platform/input/MouseManager.h"
#include "platform/input/MultiMouse.h"
#include "platform/window/Screen.h"
#include "tests/MemoryEnvironment.h"

namespace Corvale
{
namespace
{
// Containers and screens take their memory from the engine's heaps.
const ::testing::Environment* const memoryEnvironment =
    ::testing::AddGlobalTestEnvironment(new TestSupport::MemoryEnvironment);

i32 fakeDevices = 2;
i32 FakeOpen()
{
   MultiMouseDevicesClear();
   MultiMouseRingClear();
   for (i32 i = 0; i < fakeDevices; ++i)
   {
      MultiMouseDeviceAdd(100 + i, "Fake mouse");
   }
   return fakeDevices;
}
void FakeClose()
{
   MultiMouseDevicesClear();
}
i32 FakePoll(MultiMouseEvent* event)
{
   return MultiMouseRingPop(event) ? 1 : 0;
}
const MultiMouseDriver fakeDriver = {"fake", FakeOpen, FakeClose, MultiMouseDeviceNameGet, FakePoll};

class MultiMouseTest : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      MultiMouseDriverSlotSet(0, &fakeDriver);
      multiMouseDriver = nullptr;
      fakeDevices = 2;
   }
   void TearDown() override
   {
      if (multiMouseDriver)
      {
         multiMouseDriver->Close();
         multiMouseDriver = nullptr;
      }
      MultiMouseDriverSlotSet(0, nullptr);
      MultiMouseRingClear();
   }
   std::vector<MultiMouseEvent> Drain()
   {
      std::vector<MultiMouseEvent> events;
      MultiMouseEvent event;
      while (MultiMouseRingPop(&event))
      {
         events.push_back(event);
      }
      return events;
   }
};
} // namespace

TEST_F(MultiMouseTest, OpenTakesTheFirstBackEndWithDevicesAndRefusesASecondOpen)
{
   EXPECT_EQ(MultiMouseOpen(), 2);
   EXPECT_EQ(multiMouseDriver, &fakeDriver);
   EXPECT_STREQ(multiMouseDriver->DeviceNameGet(1), "Fake mouse");
   EXPECT_EQ(multiMouseDriver->DeviceNameGet(2), nullptr);
   EXPECT_EQ(MultiMouseOpen(), -1);
   multiMouseDriver->Close();
   multiMouseDriver = nullptr;
   // When no back end has devices nothing is opened (the platform's own is set aside here: under
   // X it finds the server's pointers).
   const MultiMouseDriver* platform = MultiMouseDriverSlotGet(2);
   MultiMouseDriverSlotSet(2, nullptr);
   fakeDevices = 0;
   EXPECT_EQ(MultiMouseOpen(), 0);
   EXPECT_EQ(multiMouseDriver, nullptr);
   MultiMouseDriverSlotSet(0, nullptr);
   EXPECT_EQ(MultiMouseOpen(), -1);
   MultiMouseDriverSlotSet(2, platform);
}

TEST_F(MultiMouseTest, AFullRingKeepsTheNewest1023Events)
{
   for (i32 i = 0; i < 1100; ++i)
   {
      MultiMouseRingPush(MultiMouseEvent{MULTI_MOUSE_EVENT_RELATIVE_MOTION, 0, 0, i, 0, 0});
   }
   const std::vector<MultiMouseEvent> events = Drain();
   ASSERT_EQ(events.size(), 1023u);
   EXPECT_EQ(events.front().value, 1100 - 1023);
   EXPECT_EQ(events.back().value, 1099);
}

TEST_F(MultiMouseTest, DeviceTableIsBounded)
{
   MultiMouseDevicesClear();
   for (i32 i = 0; i < MULTI_MOUSE_DEVICES_MAX; ++i)
   {
      EXPECT_EQ(MultiMouseDeviceAdd(i + 1, nullptr), i);
   }
   EXPECT_EQ(MultiMouseDeviceAdd(999, "one too many"), -1);
   EXPECT_EQ(MultiMouseDeviceCountGet(), MULTI_MOUSE_DEVICES_MAX);
   EXPECT_STREQ(MultiMouseDeviceNameGet(0), "Unidentified input device");
   MultiMouseDevicesClear();
}

TEST_F(MultiMouseTest, ReportsBecomeEventsInOrder)
{
   struct Case
   {
      const char* name;
      MultiMouseReport report;
      bool swapped;
      std::vector<std::vector<i32>> expected; // type, item, value
   };
   const std::vector<Case> cases = {
       {"relative x only", {false, 5, 0, 0, 0}, false, {{1, 0, 5}}},
       {"absolute always both", {true, 0, 0, 0, 0}, false, {{0, 0, 0}, {0, 1, 0}}},
       {"swapped left press is item 1", {false, 0, 0, MULTI_MOUSE_REPORT_LEFT_DOWN, 0}, true, {{2, 1, 1}}},
       {"right up then middle down",
        {false, 0, 0, MULTI_MOUSE_REPORT_RIGHT_UP | MULTI_MOUSE_REPORT_MIDDLE_DOWN, 0},
        false,
        {{2, 1, 0}, {2, 2, 1}}},
       {"three notches give one +1", {false, 0, 0, MULTI_MOUSE_REPORT_WHEEL, 360}, false, {{3, 0, 1}}},
       {"wheel back", {false, 0, -2, MULTI_MOUSE_REPORT_WHEEL, -120}, false, {{1, 1, -2}, {3, 0, -1}}},
   };
   for (const Case& c : cases)
   {
      MultiMouseReportPush(3, c.report, c.swapped);
      const std::vector<MultiMouseEvent> events = Drain();
      ASSERT_EQ(events.size(), c.expected.size()) << c.name;
      for (size_t i = 0; i < events.size(); ++i)
      {
         EXPECT_EQ(static_cast<i32>(events[i].type), c.expected[i][0]) << c.name;
         EXPECT_EQ(events[i].device, 3u) << c.name;
         EXPECT_EQ(static_cast<i32>(events[i].item), c.expected[i][1]) << c.name;
         EXPECT_EQ(events[i].value, c.expected[i][2]) << c.name;
      }
   }
}

TEST_F(MultiMouseTest, AGoneDeviceIsReportedOnceWithinOneRoundOfEmptyPolls)
{
   FakeOpen();
   auto gone = [](u64 handle) { return handle == 100; };
   MultiMouseEvent event;
   std::vector<u32> reported;
   for (i32 poll = 0; poll < 4; ++poll)
   {
      if (MultiMouseDisconnectCheck(gone, &event))
      {
         EXPECT_EQ(event.type, static_cast<u32>(MULTI_MOUSE_EVENT_DISCONNECT));
         reported.push_back(event.device);
      }
   }
   EXPECT_EQ(reported, (std::vector<u32>{0}));
}

TEST_F(MultiMouseTest, RawModeSumsEveryMouseIntoTheSystemPointer)
{
   screen.virtualWidth = 960;
   screen.virtualHeight = 720;
   screen.mouseScale[0] = screen.mouseScale[1] = 1.0f;
   mouseManager.systemMouseMode = 0;
   ASSERT_EQ(MultiMouseOpen(), 2);
   const PlatformRect area{0, 0, 960, 720};
   for (MouseState* record : {&mouseStateSystem, &mouseStates[0], &mouseStates[1]})
   {
      record->Init(Point2I{100, 100}, area, false);
   }
   MultiMouseReportPush(0, {false, 3, 0, MULTI_MOUSE_REPORT_LEFT_DOWN, 0}, false);
   MultiMouseReportPush(1, {false, 4, 2, 0, 0}, false);
   // A device index past the eight records moves only the system pointer.
   MultiMouseReportPush(9, {false, 1, 0, 0, 0}, false);
   mouseManager.Update(true);
   EXPECT_EQ(mouseStateSystem.x, 108);
   EXPECT_EQ(mouseStateSystem.y, 102);
   EXPECT_EQ(mouseStates[0].x, 103);
   EXPECT_EQ(mouseStates[1].x, 104);
   EXPECT_TRUE(mouseStateSystem.PressedCheck(MOUSE_BUTTON_LEFT));
   EXPECT_TRUE(mouseStates[0].PressedCheck(MOUSE_BUTTON_LEFT));
   EXPECT_FALSE(mouseStates[1].PressedCheck(MOUSE_BUTTON_LEFT));

   // Buttons follow while inactive; motion does not.
   MultiMouseReportPush(0, {false, 50, 0, MULTI_MOUSE_REPORT_LEFT_UP, 0}, false);
   mouseManager.Update(false);
   EXPECT_EQ(mouseStateSystem.buttons, 0u);
   mouseManager.Update(true);
   EXPECT_EQ(mouseStateSystem.x, 108);

   MultiMouseRingPush(MultiMouseEvent{MULTI_MOUSE_EVENT_DISCONNECT, 1, 0, 0, 0, 0});
   mouseManager.Update(true);
   EXPECT_EQ(mouseStates[1].present, 0);
   mouseManager.systemMouseMode = 1;
}
} // namespace Corvale
