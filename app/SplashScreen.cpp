// The splash screen: loading the named images, their fade-in, hold and fade-out, skipping, and
// handing over to the state below.
#include "app/SplashScreen.h"

#include "app/StartupObserver.h"
#include "core/Color.h"
#include "core/Memory.h"
#include "core/StringHelpers.h"
#include "gui/state/FadeManager.h"
#include "gui/state/GameStateManager.h"
#include "platform/image/Image.h"
#include "platform/image/ImageManagerOpenGL.h"
#include "platform/input/Keyboard.h"
#include "platform/input/MouseManager.h"
#include "platform/input/PlatformKeys.h"
#include "platform/window/Screen.h"

namespace Corvale
{
SplashScreen splashScreen;

namespace
{
// A press in this frame, not a held key: holding a key down skips one image only. Alt+Enter
// belongs to the window (full screen).
bool SkipPressedCheck()
{
   return mouseStateSystem.PressedCheck(MOUSE_BUTTON_LEFT) || KeyPressedCheck(VK_SPACE) ||
          KeyPressedCheck(VK_ESCAPE) ||
          (KeyPressedCheck(VK_RETURN) && !KeyHeldCheck(VK_LMENU) && !KeyHeldCheck(VK_RMENU));
}
} // namespace

SplashScreen::~SplashScreen()
{
   MemoryFree(imageNames);
   imageNames = nullptr;
}

void SplashScreen::ImageNamesSet(const char* names)
{
   MemoryFree(imageNames);
   imageNames = names ? StringDuplicate(names, HEAP_DEFAULT) : nullptr;
}

void SplashScreen::Init()
{
   if (startupObserver)
   {
      startupObserver->SplashBegan();
   }
   imageIndex = 0;
   imageTime = 0;
   images = Table<Image*>(allocatorDefault);
   char name[UTF8_STRTOK_TOKEN_SIZE];
   const char* at = imageNames;
   while (at)
   {
      bool whole = false;
      const char* end = UTF8Strtok(at, name, "|", &whole);
      // A name cut short or one that does not load ends the list.
      if (!end || !whole)
      {
         break;
      }
      Image* image = imageManager.Load(name, 0);
      if (!image)
      {
         break;
      }
      images.Insert(image, images.count);
      at = end;
   }
   MemoryFree(imageNames);
   imageNames = nullptr;
   holdEnd = holdDuration + fadeDuration;
   totalDuration = holdEnd + fadeDuration;
   // Nothing covers the splash.
   FadeManager::fading = 0;
   FadeManager::endColor = ColorRGBA8{0, 0, 0, 0};
}

void SplashScreen::Deinit()
{
   for (i32 i = 0; i < images.count; i++)
   {
      imageManager.Release(images[i]);
   }
   images = Table<Image*>(allocatorDefault);
   // The next state fades in from black.
   FadeManager::fading = 0;
   FadeManager::endColor = ColorRGBA8{0, 0, 0, 255};
   if (startupObserver)
   {
      startupObserver->SplashEnded();
   }
}

void SplashScreen::Update(u32 elapsed)
{
   if (imageIndex < images.count)
   {
      if (SkipPressedCheck())
      {
         imageIndex++;
         imageTime = 0;
      }
      else
      {
         imageTime += elapsed;
         if (imageTime > totalDuration)
         {
            imageIndex++;
            imageTime = 0;
         }
      }
   }
   if (imageIndex >= images.count && !GameStateManager::switchPending)
   {
      Finish();
   }
}

u8 SplashScreen::AlphaGet() const
{
   float fraction;
   if (imageTime < fadeDuration)
   {
      fraction = static_cast<float>(imageTime) / static_cast<float>(fadeDuration);
   }
   else if (imageTime < holdEnd)
   {
      fraction = 1.0f;
   }
   else
   {
      // Without a fade the image stays opaque to the end.
      float out = fadeDuration != 0
                      ? static_cast<float>(imageTime - holdEnd) / static_cast<float>(fadeDuration)
                      : 0.0f;
      fraction = 1.0f - out;
   }
   if (fraction <= 0.0f)
   {
      return 0;
   }
   return fraction >= 1.0f ? 255 : static_cast<u8>(fraction * 255.0f);
}

void SplashScreen::Draw()
{
   screen.BoxFilledDraw(ScreenCoverAreaGet(), ColorRGBA8{0, 0, 0, 255}, 0.0f, nullptr);
   if (imageIndex >= images.count)
   {
      return;
   }
   Image* image = images[imageIndex];
   Box2F box = image->BoundsGet();
   Point2F at{(static_cast<float>(screen.virtualWidth) - box.width) * 0.5f,
              (static_cast<float>(screen.virtualHeight) - box.height) * 0.5f};
   image->Draw(at, ColorRGBA8{255, 255, 255, AlphaGet()}, 0.0f, 0.0f);
}

void SplashScreen::Finish()
{
   GameStateManager::Pop();
}
} // namespace Corvale
