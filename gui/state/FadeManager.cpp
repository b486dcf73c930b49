// The fade overlay's state, its colour blend and the screen box it covers.
#include "gui/state/FadeManager.h"

#include "core/Event.h"
#include "platform/window/Screen.h"

namespace Corvale
{
Box2F FadeManager::bounds;
u8 FadeManager::boundsLocked = 0;
u8 FadeManager::fading = 0;
u32 FadeManager::duration = 0;
u32 FadeManager::elapsed = 0;
ColorRGBA8 FadeManager::startColor;
ColorRGBA8 FadeManager::endColor;

namespace
{
// The registrations need an owner object; the manager's state is static, so this stands in.
class FadeEvents
{
 public:
   void WindowChanged() { FadeManager::OnWindowChange(); }
};
FadeEvents fadeEvents;
} // namespace

Box2F ScreenCoverAreaGet()
{
   if (screen.scissorDisabled)
   {
      return screen.visibleArea;
   }
   bool changedMode = screen.displayModeChanged || screen.desktopOverride;
   if ((changedMode && screen.preparedAreaFullscreenEnabled) ||
       (!changedMode && screen.preparedAreaWindowedEnabled))
   {
      return screen.PreparedAreaVisibleGet();
   }
   return Box2F{0.0f, 0.0f, static_cast<float>(screen.virtualWidth),
                static_cast<float>(screen.virtualHeight)};
}

void FadeManager::Reset()
{
   fading = 0;
   duration = 0;
   elapsed = 0;
   startColor = ColorRGBA8{0, 0, 0, 0};
   endColor = ColorRGBA8{0, 0, 0, 0};
}

void FadeManager::BoundsUpdate()
{
   boundsLocked = 0;
   bounds = ScreenCoverAreaGet();
}

ColorRGBA8 FadeManager::ColorGet()
{
   if (!fading)
   {
      return endColor;
   }
   float t = static_cast<float>(elapsed) / static_cast<float>(duration);
   if (!(t > 0.0f))
   {
      t = 0.0f;
   }
   if (!(t < 1.0f))
   {
      t = 1.0f;
   }
   auto mix = [t](u8 from, u8 to)
   { return static_cast<u8>(static_cast<float>(from) * (1.0f - t) + static_cast<float>(to) * t); };
   return ColorRGBA8{mix(startColor.r, endColor.r), mix(startColor.g, endColor.g),
                     mix(startColor.b, endColor.b), mix(startColor.a, endColor.a)};
}

void FadeManager::FadeStart(const ColorRGBA8& color)
{
   startColor = ColorGet();
   endColor = color;
   fading = 1;
   elapsed = 0;
   duration = FADE_DURATION;
}

void FadeManager::Update(u32 elapsedMilliseconds)
{
   if (!fading)
   {
      return;
   }
   elapsed += elapsedMilliseconds;
   if (elapsed >= duration)
   {
      fading = 0;
   }
}

void FadeManager::Draw()
{
   ColorRGBA8 color = ColorGet();
   if (color.a != 0)
   {
      screen.BoxFilledDraw(bounds, color, 0.0f, nullptr);
   }
}

void FadeManager::OnWindowChange()
{
   if (!boundsLocked)
   {
      BoundsUpdate();
   }
}

void FadeManager::EventRegister()
{
   EventMethodRegister(&fadeEvents, "OnWindowChange", &FadeEvents::WindowChanged, 0);
}

void FadeManager::EventUnregister()
{
   Event::OwnerEventUnregister("OnWindowChange", &fadeEvents);
}
} // namespace Corvale
