// The screen under a real window and OpenGL context (run under Xvfb): pixels read back after
// flat boxes, premultiplied and additive textured quads, odd-width RGB textures and the letterbox,
// shader failures, and input reaching the frame's records through the event pump.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "core/Event.h"
#include "core/Memory.h"
#include "platform/input/Keyboard.h"
#include "platform/input/MouseManager.h"
#include "platform/input/PlatformKeys.h"
#include "platform/window/Screen.h"
#include "platform/window/ShaderProgramGLSL.h"
#include "platform/image/Texture.h"
#include "tests/platform/ScreenTestSupport.h"

namespace Corvale
{
namespace
{
class EngineEnvironment : public ::testing::Environment
{
 public:
   void SetUp() override
   {
      if (!Memory::InitialisedCheck())
      {
         Memory::Init();
      }
      Event::SystemInit();
   }
};
const ::testing::Environment* const engineEnvironment =
    ::testing::AddGlobalTestEnvironment(new EngineEnvironment);

// Stands in for the application's window procedure: the mouse manager first, then typed
// characters, then the screen.
uptr WindowProcedureTest(PlatformWindow* window, u32 message, uptr wParam, uptr lParam)
{
   uptr result = 0;
   if (mouseManager.WindowMessageHandle(window, message, wParam, lParam, &result))
   {
      return result;
   }
   if (message == MESSAGE_CHAR)
   {
      KeyboardCharacterAdd(static_cast<u32>(wParam));
   }
   screen.WindowMessageHandle(window, message, wParam, lParam, &result);
   return result;
}

ScreenSettings WindowedSettings()
{
   return TestSupport::WindowSettingsGet(WindowProcedureTest);
}

using TestSupport::Pixel;

class ScreenGLTest : public ::testing::Test
{
 protected:
   void Open(const ScreenSettings& settings)
   {
      ASSERT_TRUE(screen.Init(settings));
      screen.clearedThisFrame = 0;
      screen.ClearColorSet(ColorRGBA8{0, 0, 0, 255});
      screen.Clear();
   }
   void TearDown() override
   {
      for (Texture& texture : textures)
      {
         texture.Deinit();
      }
      screen.Deinit();
   }
   std::vector<u8> Frame() { return TestSupport::FrameRead(); }
   Pixel At(const std::vector<u8>& frame, int x, int y) { return TestSupport::PixelAt(frame, x, y); }
   Texture* TextureMake(const u8* pixels, i32 width, i32 height, i32 format)
   {
      textures.emplace_back();
      Texture* texture = &textures.back();
      EXPECT_TRUE(texture->NameCreate());
      EXPECT_TRUE(texture->PixelsUpload(pixels, width, height, format, 0));
      return texture;
   }
   void Quad(Texture* texture, float x, float y, float w, float h, ColorRGBA8 color, float additive)
   {
      const float vertices[20] = {x, y, 0, 0, 0, x, y + h, 0, 0, 1, x + w, y, 0, 1, 0, x + w, y + h, 0, 1, 1};
      screen.TexturedQuadDraw(texture, vertices, color, additive);
   }
   std::vector<Texture> textures = std::vector<Texture>();

 public:
   ScreenGLTest() { textures.reserve(8); }
};

void ExpectPixel(const Pixel& seen, const Pixel& wanted, const char* what)
{
   EXPECT_NEAR(seen.r, wanted.r, 2) << what;
   EXPECT_NEAR(seen.g, wanted.g, 2) << what;
   EXPECT_NEAR(seen.b, wanted.b, 2) << what;
}
} // namespace

TEST_F(ScreenGLTest, FlatBoxesDrawWhereTheyAreAndEmptyOrClippedOnesDrawNothing)
{
   Open(WindowedSettings());
   ASSERT_EQ(screen.clientWidth, 960);
   ASSERT_EQ(screen.clientHeight, 720);
   screen.BoxFilledDraw(Box2F{10, 20, 100, 50}, ColorRGBA8{255, 0, 0, 255}, 0.0f, nullptr);
   EXPECT_EQ(screen.trianglesThisFrame, 2);
   const Box2F clip{500, 500, 10, 10};
   screen.BoxFilledDraw(Box2F{0, 0, 100, 100}, ColorRGBA8{0, 255, 0, 255}, 0.0f, &clip);
   screen.BoxFilledDraw(Box2F{300, 300, 0, 100}, ColorRGBA8{0, 255, 0, 255}, 0.0f, nullptr);
   EXPECT_EQ(screen.trianglesThisFrame, 2);
   const std::vector<u8> frame = Frame();
   ExpectPixel(At(frame, 10, 20), Pixel{255, 0, 0}, "top-left corner inside");
   ExpectPixel(At(frame, 109, 69), Pixel{255, 0, 0}, "bottom-right corner inside");
   ExpectPixel(At(frame, 110, 40), Pixel{0, 0, 0}, "right of the box");
   ExpectPixel(At(frame, 50, 19), Pixel{0, 0, 0}, "above the box (y grows downwards)");
}

TEST_F(ScreenGLTest, OnlyTheFrameEndLetsTheNextClearClearAgain)
{
   Open(WindowedSettings());
   screen.BoxFilledDraw(Box2F{10, 10, 50, 50}, ColorRGBA8{255, 0, 0, 255}, 0.0f, nullptr);
   screen.Clear();
   ExpectPixel(At(Frame(), 20, 20), Pixel{255, 0, 0}, "a second clear in the same frame does nothing");

   screen.FrameEnd();
   EXPECT_EQ(screen.clearedThisFrame, 0);
   screen.Clear();
   EXPECT_EQ(screen.clearedThisFrame, 1);
   ExpectPixel(At(Frame(), 20, 20), Pixel{0, 0, 0}, "the next frame's clear");
   screen.FrameEnd();
   screen.FrameEnd();
   EXPECT_EQ(screen.clearedThisFrame, 0);
}

TEST_F(ScreenGLTest, TexturedQuadsBlendPremultipliedAndAdditive)
{
   Open(WindowedSettings());
   const u8 white[4 * 4] = {255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255};
   Texture* texture = TextureMake(white, 2, 2, 1);
   screen.BoxFilledDraw(Box2F{0, 0, 400, 100}, ColorRGBA8{0, 0, 255, 255}, 0.0f, nullptr);
   // Half-transparent red over blue: the colour arrives premultiplied by its alpha.
   Quad(texture, 0, 0, 100, 100, ColorRGBA8{255, 0, 0, 128}, 0.0f);
   // Additive 1: green is added to the blue below.
   Quad(texture, 200, 0, 100, 100, ColorRGBA8{0, 255, 0, 255}, 1.0f);
   // Additive 0.5 of white at half alpha: half premultiplied, so blue keeps three quarters.
   Quad(texture, 300, 0, 100, 100, ColorRGBA8{255, 255, 255, 128}, 0.5f);
   EXPECT_EQ(screen.trianglesThisFrame, 8);
   const std::vector<u8> frame = Frame();
   ExpectPixel(At(frame, 50, 50), Pixel{128, 0, 127}, "premultiplied half red over blue");
   ExpectPixel(At(frame, 250, 50), Pixel{0, 255, 255}, "additive green over blue");
   ExpectPixel(At(frame, 350, 50), Pixel{128, 128, 255}, "half additive");
}

TEST_F(ScreenGLTest, OpaqueDrawsCoverWhatLiesBelowAndLeaveBlendingOnForTheNext)
{
   Open(WindowedSettings());
   // Which uploads count as opaque: every alpha at its top, or a format without alpha.
   const u8 rgba[8] = {9, 9, 9, 255, 9, 9, 9, 255};
   const u8 rgbaOneClear[8] = {9, 9, 9, 255, 9, 9, 9, 254};
   const u8 rgb[6] = {255, 0, 0, 255, 0, 0};
   const u8 luminanceAlpha[4] = {200, 255, 100, 0};
   const struct
   {
      const u8* pixels;
      i32 format;
      u8 opaque;
   } uploads[] = {{rgba, 1, 1}, {rgbaOneClear, 1, 0}, {rgb, 0, 1}, {luminanceAlpha, 4, 0}};
   for (const auto& c : uploads)
   {
      EXPECT_EQ(TextureMake(c.pixels, 2, 1, c.format)->opaque, c.opaque) << "format " << c.format;
   }

   // Red over blue, then a half-transparent green box over each: blending is back on after the
   // opaque draws.
   Texture* red = TextureMake(rgb, 2, 1, 0);
   screen.BoxFilledDraw(Box2F{0, 0, 400, 100}, ColorRGBA8{0, 0, 255, 255}, 0.0f, nullptr);
   Quad(red, 0, 0, 100, 100, ColorRGBA8{255, 255, 255, 255}, 0.0f);
   screen.BoxFilledDraw(Box2F{0, 0, 200, 100}, ColorRGBA8{0, 255, 0, 128}, 0.0f, nullptr);
   // An opaque texture in a translucent colour still blends.
   Quad(red, 300, 0, 100, 100, ColorRGBA8{255, 255, 255, 128}, 0.0f);
   const std::vector<u8> frame = Frame();
   ExpectPixel(At(frame, 50, 50), Pixel{127, 128, 0}, "half green over the opaque red");
   ExpectPixel(At(frame, 150, 50), Pixel{0, 128, 127}, "half green over the opaque blue");
   ExpectPixel(At(frame, 350, 50), Pixel{128, 0, 127}, "half red over blue");
}

TEST_F(ScreenGLTest, RgbTextureOfOddWidthIsNotSkewed)
{
   Open(WindowedSettings());
   // 13 x 2 RGB texels: rows are 39 bytes, not a multiple of four.
   u8 texels[13 * 2 * 3];
   for (int y = 0; y < 2; ++y)
   {
      for (int x = 0; x < 13; ++x)
      {
         u8* p = &texels[(y * 13 + x) * 3];
         p[0] = static_cast<u8>(x * 19);
         p[1] = static_cast<u8>(y * 200);
         p[2] = 77;
      }
   }
   Texture* texture = TextureMake(texels, 13, 2, 0);
   Quad(texture, 200, 200, 13, 2, ColorRGBA8{255, 255, 255, 255}, 0.0f);
   const std::vector<u8> frame = Frame();
   for (int x : {0, 6, 12})
   {
      ExpectPixel(At(frame, 200 + x, 200), Pixel{x * 19, 0, 77}, "first row");
      ExpectPixel(At(frame, 200 + x, 201), Pixel{x * 19, 200, 77}, "second row");
   }
}

TEST_F(ScreenGLTest, MipmapsOnlyForSquarePowerOfTwoBitmaps)
{
   Open(WindowedSettings());
   struct Case
   {
      i32 width, height;
      u32 flags;
      i32 levels;
   };
   std::vector<u8> pixels(512 * 256 * 4, 255);
   for (const Case& c : {Case{512, 256, TEXTURE_FLAG_MIPMAPS, 1}, Case{256, 256, TEXTURE_FLAG_MIPMAPS, 9},
                         Case{256, 256, 0, 1}, Case{100, 100, TEXTURE_FLAG_MIPMAPS, 1}})
   {
      Texture texture;
      ASSERT_TRUE(texture.NameCreate());
      EXPECT_TRUE(texture.PixelsUpload(pixels.data(), c.width, c.height, 1, c.flags));
      EXPECT_EQ(texture.levelCount, c.levels) << c.width << "x" << c.height;
      texture.Deinit();
   }
   Texture unsupported;
   EXPECT_FALSE(unsupported.PixelsUpload(pixels.data(), 4, 4, 7, 0));
   EXPECT_FALSE(unsupported.Upload(nullptr, 0));
}

TEST_F(ScreenGLTest, LetterboxLeavesEqualBars)
{
   // A 4:3 virtual area on a 16:9 desktop-sized client: bars of 160 pixels on both sides.
   ScreenSettings settings = WindowedSettings();
   settings.desktopOverride = 1;
   settings.desktopOverrideSize[0] = 1280;
   settings.desktopOverrideSize[1] = 720;
   Open(settings);
   ASSERT_EQ(screen.clientWidth, 1280);
   // Wider than the area: the scissor keeps the bars clear.
   screen.BoxFilledDraw(Box2F{-500, 0, 2000, 720}, ColorRGBA8{255, 255, 255, 255}, 0.0f, nullptr);
   const std::vector<u8> frame = Frame();
   ExpectPixel(At(frame, 159, 360), Pixel{0, 0, 0}, "left bar");
   ExpectPixel(At(frame, 160, 360), Pixel{255, 255, 255}, "left edge of the picture");
   ExpectPixel(At(frame, 1119, 360), Pixel{255, 255, 255}, "right edge of the picture");
   ExpectPixel(At(frame, 1120, 360), Pixel{0, 0, 0}, "right bar");
}

TEST_F(ScreenGLTest, BadShaderIsLoggedAndDrawingGoesOn)
{
   ScreenSettings settings = WindowedSettings();
   // GLSL 1.10 has no implicit int to vec4.
   settings.shaderSources[3] = "#version 110\nvoid main()\n{\n   gl_FragColor = 1;\n}";
   Open(settings);
   ShaderProgramGLSL program;
   program.Init();
   program.SourceAdd(SHADER_STAGE_FRAGMENT, settings.shaderSources[3]);
   EXPECT_FALSE(program.Compile());
   program.Deinit();
   screen.BoxFilledDraw(Box2F{0, 0, 10, 10}, ColorRGBA8{255, 255, 255, 255}, 0.0f, nullptr);
   const u8 white[4] = {255, 255, 255, 255};
   Quad(TextureMake(white, 1, 1, 1), 20, 0, 10, 10, ColorRGBA8{255, 255, 255, 255}, 0.0f);
   const std::vector<u8> frame = Frame();
   ExpectPixel(At(frame, 25, 5), Pixel{255, 255, 255}, "textured program still works");
}

TEST_F(ScreenGLTest, PumpedKeysAndTextReachTheFrame)
{
   Open(WindowedSettings());
   mouseManager.Init();
   KeyboardStateInit();
   ASSERT_TRUE(PlatformKeyEventPush(VK_BACK, true));
   ASSERT_TRUE(PlatformTextEventPush("a\xC3\xA9\xF0\x9F\x98\x80"));
   ASSERT_TRUE(PlatformWheelEventPush(1.0f));
   EXPECT_TRUE(screen.MessagesPump());
   KeyboardStateUpdate(true);
   mouseManager.SystemMouseUpdate(true);
   EXPECT_TRUE(KeyPressedCheck(VK_BACK));
   ASSERT_EQ(keyboardState.readableCount, 4);
   EXPECT_STREQ(keyboardState.readable[0], "\b");
   EXPECT_STREQ(keyboardState.readable[1], "a");
   EXPECT_STREQ(keyboardState.readable[2], "\xC3\xA9");
   EXPECT_STREQ(keyboardState.readable[3], "\xF0\x9F\x98\x80");
   EXPECT_EQ(mouseStateSystem.wheel, 1);
   mouseManager.Deinit();
   PlatformKeyStateClear();
}

namespace
{
struct WindowChangeCounter
{
   int count = 0;
   void OnWindowChange() { ++count; }
};
} // namespace

TEST_F(ScreenGLTest, AltEnterTogglesFullScreenOncePerPress)
{
   Open(WindowedSettings());
   ASSERT_EQ(screen.displayModeFound, 1);
   WindowChangeCounter counter;
   EventMethodRegister(&counter, "OnWindowChange", &WindowChangeCounter::OnWindowChange);
   KeyboardStateInit();
   PlatformKeyStateSet(VK_LMENU, true);
   PlatformKeyStateSet(VK_RETURN, true);
   KeyboardStateUpdate(true);
   screen.KeyboardShortcutsUpdate();
   EXPECT_EQ(screen.fullscreen, 1);
   EXPECT_EQ(deltaResetFlag, 1);
   KeyboardStateUpdate(true);
   screen.KeyboardShortcutsUpdate();
   EXPECT_EQ(screen.fullscreen, 1);
   PlatformKeyStateSet(VK_RETURN, false);
   KeyboardStateUpdate(true);
   PlatformKeyStateSet(VK_RETURN, true);
   KeyboardStateUpdate(true);
   screen.KeyboardShortcutsUpdate();
   EXPECT_EQ(screen.fullscreen, 0);
   EXPECT_EQ(counter.count, 2);
   Event::OwnerUnregister(&counter);
   PlatformKeyStateClear();
}
} // namespace Corvale
