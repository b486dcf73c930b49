// A test layer of a screen-fill backdrop, a particle effect and a joystick, drawn in a real window
// over pictures our code paints: the backdrop covers the screen, the particles start at their
// widget and stop drawing while it is hidden, and the nub follows a drag and glides home. With
// CORVALE_SNAPSHOT_DIR set the frames are also written there as PNG files.
#include <cmath>
#include <cstdlib>

#include "tests/platform/BitmapTestSupport.h"
#include "tests/gui/LayerDrawingTestSupport.h"
#include "core/GraphicsPathManager.h"
#include "core/ProgressionManager.h"
#include "gui/GUIManager.h"
#include "gui/widgets/JoystickNubWidget.h"
#include "gui/widgets/JoystickWidget.h"
#include "gui/widgets/ParticleEffectWidget.h"
#include "gui/widgets/ScreenFillSpriteWidget.h"
#include "platform/input/MouseManager.h"
#include "platform/input/MouseState.h"
#include "platform/particle/ParticleEffect2D.h"
#include "platform/particle/ParticleEffectEmitter2D.h"
#include "platform/sprite/SpriteManager.h"

using namespace Corvale;
using layer_drawing_test_support::LayerDrawingTest;
using sprite_test_support::Pixel;
using testing_support::LogCapture;

namespace
{
// Disc pictures with a soft edge.
void Disc(int x, int y, u8* rgba, float radius, u8 r, u8 g, u8 b)
{
   float dx = static_cast<float>(x) + 0.5f - radius;
   float dy = static_cast<float>(y) + 0.5f - radius;
   float coverage = std::fmin(1.0f, std::fmax(0.0f, radius - std::sqrt(dx * dx + dy * dy)));
   rgba[0] = r;
   rgba[1] = g;
   rgba[2] = b;
   rgba[3] = static_cast<u8>(coverage * 255.0f);
}

class WidgetsLayerTest : public LayerDrawingTest
{
 protected:
   void SetUp() override
   {
      DrawingTest::SetUp();
      const std::string source = std::string(CORVALE_SOURCE_DIR) + "/tests/gui/widgets/WidgetsLayer";
      const std::string layer = folder + "/Graphics/GUI/WidgetsLayer";
      std::filesystem::create_directories(layer);
      for (const char* file : {"Widgets.json", "Sprites.json", "Sparks.json"})
      {
         std::filesystem::copy_file(source + "/" + file, layer + "/" + file);
      }
      // A dark blue 100 × 50 backdrop with a lighter top half, a grey base disc, a red nub and a
      // white dot.
      PNGWrite("Graphics/GUI/WidgetsLayer/Backdrop.png", 100, 50,
               [](int, int y, u8* p)
               {
                  p[0] = 20;
                  p[1] = 30;
                  p[2] = y < 25 ? 140 : 90;
                  p[3] = 255;
               });
      PNGWrite("Graphics/GUI/WidgetsLayer/Base.png", 160, 160,
               [](int x, int y, u8* p) { Disc(x, y, p, 80.0f, 150, 150, 150); });
      PNGWrite("Graphics/GUI/WidgetsLayer/Nub.png", 48, 48,
               [](int x, int y, u8* p) { Disc(x, y, p, 24.0f, 220, 40, 40); });
      PNGWrite("Graphics/GUI/WidgetsLayer/Dot.png", 8, 8,
               [](int x, int y, u8* p) { Disc(x, y, p, 4.0f, 255, 255, 255); });
      GUIStart();
   }

   // The system pointer at (x, y), the left button down now and before as given.
   static void PointerFrame(i32 x, i32 y, bool down, bool downBefore)
   {
      mouseStateSystem.present = 1;
      mouseStateSystem.previousX = mouseStateSystem.x;
      mouseStateSystem.previousY = mouseStateSystem.y;
      mouseStateSystem.x = x;
      mouseStateSystem.y = y;
      mouseStateSystem.frameButtons = down ? static_cast<u32>(MOUSE_BUTTON_LEFT) : 0u;
      mouseStateSystem.previousButtons = downBefore ? static_cast<u32>(MOUSE_BUTTON_LEFT) : 0u;
      GUIManager::Update(16);
   }

   // Bright, nearly white pixels in a box around (x, y).
   static int SparkCount(const std::vector<u8>& frame, int x, int y, int half)
   {
      int count = 0;
      for (int j = y - half; j <= y + half; j++)
      {
         for (int i = x - half; i <= x + half; i++)
         {
            Pixel p = At(frame, i, j);
            count += (p.r > 200 && p.g > 200 && p.b > 200) ? 1 : 0;
         }
      }
      return count;
   }

   static bool RedCheck(const Pixel& p) { return p.r > 180 && p.g < 80 && p.b < 80; }
   static bool GreyCheck(const Pixel& p) { return p.r > 120 && p.r < 180 && p.g > 120 && p.g < 180; }
};

TEST_F(WidgetsLayerTest, BackdropSparksAndStick)
{
   LogCapture log;
   ASSERT_TRUE(GUIManager::Push("WidgetsLayer", nullptr, nullptr));
   auto* backdrop = Find<ScreenFillSpriteWidget>("WidgetsLayer.Backdrop");
   auto* sparks = Find<ParticleEffectWidget>("WidgetsLayer.Sparks");
   auto* stick = Find<JoystickWidget>("WidgetsLayer.Stick");
   ASSERT_TRUE(backdrop && sparks && stick && stick->nub);
   ASSERT_NE(sparks->effect, nullptr);
   ASSERT_EQ(sparks->effect->emitters.count, 1);
   EXPECT_EQ(log.text, "") << "the layer's data is not whole";
   EXPECT_FLOAT_EQ(stick->BoundsGet().width, 160.0f) << "bounds from the background";
   EXPECT_FLOAT_EQ(stick->nub->TravelRadiusGet(), 56.0f);
   for (int i = 0; i < 10; i++)
   {
      GUIManager::Update(16);
   }

   std::vector<u8> frame = Shot("Widgets1");
   // The stretched backdrop: its lighter top half over the upper half of the screen, the darker
   // half below, to the very corners.
   EXPECT_EQ(At(frame, 2, 2).b, 140);
   EXPECT_EQ(At(frame, 957, 340).b, 140);
   EXPECT_EQ(At(frame, 2, 717).b, 90);
   EXPECT_EQ(At(frame, 957, 717).b, 90);
   // The first particles at the widget, rising from it.
   EXPECT_GT(SparkCount(frame, 240, 360 - 3, 6), 4) << "no particles at the widget";
   EXPECT_EQ(SparkCount(frame, 600, 360, 40), 0);
   // The base with the nub at its centre.
   EXPECT_TRUE(GreyCheck(At(frame, 600 + 30, 280 + 80)));
   EXPECT_TRUE(RedCheck(At(frame, 600 + 80, 280 + 80)));

   // Dragged far right and up: the nub stops on its circle.
   PointerFrame(680, 360, true, false);
   PointerFrame(900, 360, true, true);
   PointerFrame(900, 100, true, true);
   Point2F v = stick->ValueGet();
   EXPECT_GT(v.x, 0.5f);
   EXPECT_GT(v.y, 0.5f);
   Point2F at = stick->nub->PositionGet();
   EXPECT_NEAR(std::hypot(at.x - 80.0f, at.y - 80.0f), 56.0f, 0.01f);
   // Hidden, the effect keeps running but draws nothing.
   sparks->VisibleSet(false);
   frame = Shot("Widgets2");
   EXPECT_TRUE(RedCheck(At(frame, static_cast<int>(600 + at.x), static_cast<int>(280 + at.y))));
   EXPECT_EQ(SparkCount(frame, 240, 340, 30), 0);
   i32 live = sparks->effect->emitters[0]->live.count;
   PointerFrame(900, 100, false, true);
   for (int i = 0; i < 10; i++)
   {
      GUIManager::Update(16);
   }
   EXPECT_GT(sparks->effect->emitters[0]->live.count, live) << "hidden emitters stopped";

   // Let go: home again within the return time.
   for (int i = 0; i < 30; i++)
   {
      GUIManager::Update(16);
   }
   EXPECT_FLOAT_EQ(stick->nub->PositionGet().x, 80.0f);
   EXPECT_FLOAT_EQ(stick->nub->PositionGet().y, 80.0f);
   sparks->VisibleSet(true);
   frame = Shot("Widgets3");
   EXPECT_TRUE(RedCheck(At(frame, 680, 360)));
   EXPECT_GT(SparkCount(frame, 240, 340, 30), 4);

   // Moved, the effect starts new particles at the widget; those in flight stay where they are.
   sparks->PositionSet(Point2F{400.0f, 500.0f});
   EXPECT_EQ(sparks->effect->position.x, 400.0f);
   EXPECT_EQ(sparks->effect->position.y, 500.0f);
   for (int i = 0; i < 10; i++)
   {
      GUIManager::Update(16);
   }
   frame = Shot("Widgets4");
   EXPECT_GT(SparkCount(frame, 400, 500 - 8, 8), 4);
   EXPECT_GT(SparkCount(frame, 240, 300, 30), 4);
   EXPECT_EQ(log.text, "");
}
} // namespace
