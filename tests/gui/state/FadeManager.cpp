// The fade overlay: its colour blend, when a fade ends, where a new fade starts from, and the box it
// covers.
#include <gtest/gtest.h>

#include "gui/state/FadeManager.h"
#include "platform/window/Screen.h"

using namespace Corvale;

namespace
{
void ExpectColor(const ColorRGBA8& got, u8 r, u8 g, u8 b, u8 a)
{
   EXPECT_EQ(got.r, r);
   EXPECT_EQ(got.g, g);
   EXPECT_EQ(got.b, b);
   EXPECT_EQ(got.a, a);
}

TEST(FadeManagerTest, TheColourBlendsFromStartToEndAndTheFadeEndsOnTime)
{
   FadeManager::Reset();
   FadeManager::endColor = ColorRGBA8{0, 0, 0, 255};
   ExpectColor(FadeManager::ColorGet(), 0, 0, 0, 255);
   FadeManager::FadeStart(ColorRGBA8{0, 0, 0, 0});
   EXPECT_EQ(FadeManager::duration, 500u);
   FadeManager::Update(250);
   ExpectColor(FadeManager::ColorGet(), 0, 0, 0, 127);
   EXPECT_TRUE(FadeManager::fading);

   // A new fade starts from the colour shown now.
   FadeManager::FadeStart(ColorRGBA8{200, 100, 50, 255});
   ExpectColor(FadeManager::startColor, 0, 0, 0, 127);
   FadeManager::Update(100);
   ExpectColor(FadeManager::ColorGet(), 40, 20, 10, 152);

   FadeManager::elapsed = 900;
   ExpectColor(FadeManager::ColorGet(), 200, 100, 50, 255);
   FadeManager::Update(0);
   EXPECT_FALSE(FadeManager::fading);
   FadeManager::Update(16);
   EXPECT_EQ(FadeManager::elapsed, 900u);
   FadeManager::Reset();
}

TEST(FadeManagerTest, WithoutAPreparedAreaTheOverlayCoversTheVirtualArea)
{
   screen.virtualWidth = 960;
   screen.virtualHeight = 720;
   screen.clientWidth = 1600;
   screen.scissorDisabled = 0;
   screen.preparedAreaWindowedEnabled = 0;
   FadeManager::boundsLocked = 1;
   FadeManager::BoundsUpdate();
   EXPECT_EQ(FadeManager::boundsLocked, 0);
   EXPECT_FLOAT_EQ(FadeManager::bounds.x, 0.0f);
   EXPECT_FLOAT_EQ(FadeManager::bounds.y, 0.0f);
   EXPECT_FLOAT_EQ(FadeManager::bounds.width, 960.0f);
   EXPECT_FLOAT_EQ(FadeManager::bounds.height, 720.0f);

   // Scissoring off: the whole visible window.
   screen.scissorDisabled = 1;
   screen.visibleArea = Box2F{-10.0f, 0.0f, 980.0f, 720.0f};
   FadeManager::BoundsUpdate();
   EXPECT_FLOAT_EQ(FadeManager::bounds.x, -10.0f);
   EXPECT_FLOAT_EQ(FadeManager::bounds.width, 980.0f);
   screen.scissorDisabled = 0;
}
} // namespace
