// The joystick and its nub: values with and without a dead zone, the drag kept on the travel
// circle, the glide home at any frame length, and a nub with no room to travel.
#include "tests/gui/WidgetTestSupport.h"

#include <cmath>

#include "gui/widgets/JoystickNubWidget.h"
#include "gui/widgets/JoystickWidget.h"

using namespace WidgetTest;

namespace
{
// A 100 × 100 joystick whose 20 × 20 nub rests at its centre: travel radius 40.
constexpr float RADIUS = 40.0f;
const Point2F HOME{50.0f, 50.0f};

class JoystickWidgetTest : public GUITest
{
 protected:
   JoystickWidget* Build(const std::string& extra, const char* bounds = "0|0|100|100")
   {
      return Make<JoystickWidget>(
          std::string(R"({"Bounds": ")") + bounds + R"(", )" + extra +
          R"("Nub": {"Position": "50|50", "Bounds": "-10|-10|20|20", "ReturnSpeed": 2}})");
   }

   static void NubAt(JoystickWidget* joystick, float dx, float dy)
   {
      joystick->nub->PositionSet(Point2F{HOME.x + dx, HOME.y + dy});
   }
};

TEST_F(JoystickWidgetTest, ValuesWithAndWithoutDeadZone)
{
   struct Case
   {
      const char* deadZone;
      float dx, dy;
      float x, y;
   };
   const Case cases[] = {
       {"", 2 * RADIUS, 0, 1.0f, 0.0f},
       {"", 0, -RADIUS / 2, 0.0f, 0.5f},
       {"", -RADIUS * 0.6f, RADIUS * 0.8f, -0.6f, -0.8f},
       {R"("DeadZone": 0.2, )", RADIUS * 0.1f, 0, 0.0f, 0.0f},
       {R"("DeadZone": 0.2, )", RADIUS * 0.6f, 0, 0.5f, 0.0f},
       {R"("DeadZone": 0.2, )", 3 * RADIUS, 0, 1.0f, 0.0f},
       {R"("DeadZone": 3, )", RADIUS * 0.99f, 0, 0.0f, 0.0f},
       {R"("DeadZone": -1, )", RADIUS * 0.25f, 0, 0.25f, 0.0f},
   };
   for (const Case& c : cases)
   {
      JoystickWidget* joystick = Build(c.deadZone);
      ASSERT_NE(joystick->nub, nullptr);
      EXPECT_FLOAT_EQ(joystick->nub->TravelRadiusGet(), RADIUS);
      NubAt(joystick, c.dx, c.dy);
      Point2F v = joystick->ValueGet();
      EXPECT_NEAR(v.x, c.x, 1e-5f) << c.deadZone << c.dx << "," << c.dy;
      EXPECT_NEAR(v.y, c.y, 1e-5f) << c.deadZone << c.dx << "," << c.dy;
      WidgetDestroy(joystick);
   }
   JoystickWidget* joystick = Build(R"("DeadZone": 3, )");
   EXPECT_FLOAT_EQ(joystick->DeadZoneGet(), 1.0f);
   NubAt(joystick, 5 * RADIUS, 0);
   EXPECT_FLOAT_EQ(joystick->ValueGet().x, 0.0f) << "a dead zone of 1 reads nothing, even at the rim";
   WidgetDestroy(joystick);
}

TEST_F(JoystickWidgetTest, DragKeepsTheNubOnItsCircleAndRestsItInTheDeadZone)
{
   JoystickWidget* joystick = Build(R"("DeadZone": 0.25, )");
   JoystickNubWidget* nub = joystick->nub;
   nub->leftPressRecord = Record();
   PointerSet(50, 50, true, false);
   nub->OnPress();
   ASSERT_TRUE(nub->dragging);

   struct Step
   {
      i32 x, y;
      float nubX, nubY;
   };
   const Step steps[] = {
       {250, 50, 90.0f, 50.0f},  // far right: on the rim
       {50, -100, 50.0f, 10.0f}, // far up: on the rim
       {55, 50, 50.0f, 50.0f},   // inside the dead zone: at home
       {50, 50 + 30, 50.0f, 50.0f + 30.0f * (0.75f - 0.25f) / 0.75f / 0.75f},
   };
   for (const Step& s : steps)
   {
      PointerSet(s.x, s.y, true, true);
      nub->OnDrag();
      EXPECT_NEAR(nub->PositionGet().x, s.nubX, 1e-3f) << s.x << "," << s.y;
      EXPECT_NEAR(nub->PositionGet().y, s.nubY, 1e-3f) << s.x << "," << s.y;
   }
   WidgetDestroy(joystick);
}

TEST_F(JoystickWidgetTest, ReleasedNubGlidesHomeInHalfASecondAtAnyFrameLength)
{
   for (u32 frame : {7u, 16u, 33u, 50u, 100u, 500u, 1000u})
   {
      JoystickWidget* joystick = Build("");
      JoystickNubWidget* nub = joystick->nub;
      NubAt(joystick, RADIUS, 0);
      u32 t = 0;
      while (t < 500)
      {
         nub->Update(frame);
         t += frame;
         float x = nub->PositionGet().x;
         EXPECT_GE(x, HOME.x) << frame << " ms frames overshoot";
         EXPECT_FLOAT_EQ(nub->PositionGet().y, HOME.y);
         if (t < 500)
         {
            EXPECT_GT(x, HOME.x) << frame << " ms frames: home before " << t << " ms";
         }
      }
      EXPECT_FLOAT_EQ(nub->PositionGet().x, HOME.x) << frame << " ms frames";
      WidgetDestroy(joystick);
   }
}

TEST_F(JoystickWidgetTest, NubWithoutRoomReadsNothing)
{
   // The joystick is exactly the nub's size around its home, so it cannot move.
   JoystickWidget* joystick = Build("", "40|40|20|20");
   EXPECT_FLOAT_EQ(joystick->nub->TravelRadiusGet(), 0.0f);
   NubAt(joystick, 30, -30);
   EXPECT_FLOAT_EQ(joystick->ValueGet().x, 0.0f);
   EXPECT_FLOAT_EQ(joystick->ValueGet().y, 0.0f);
   WidgetDestroy(joystick);

   // And without a nub there is nothing to read.
   JoystickWidget* bare = Make<JoystickWidget>(R"({"Bounds": "0|0|10|10"})");
   EXPECT_EQ(bare->nub, nullptr);
   EXPECT_FLOAT_EQ(bare->ValueGet().x, 0.0f);
   WidgetDestroy(bare);
}
} // namespace
