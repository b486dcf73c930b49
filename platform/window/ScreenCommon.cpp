// Window, display-mode and virtual-area logic of the screen, independent of the renderer.
#include "platform/window/ScreenCommon.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/Allocator.h"
#include "core/Event.h"
#include "core/FileManager.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/StringHelpers.h"
#include "platform/input/Keyboard.h"
#include "platform/input/MouseManager.h"
#include "platform/input/PlatformKeys.h"
#include "platform/window/ScreenshotWriter.h"

namespace Corvale
{
u8 deltaResetFlag = 0;

namespace
{
// Intersection of two boxes when they overlap strictly.
template <class Box> bool BoxesIntersect(const Box& a, const Box& b, Box* out)
{
   const auto left = std::max(a.x, b.x);
   const auto top = std::max(a.y, b.y);
   const auto right = std::min(a.x + a.width, b.x + b.width);
   const auto bottom = std::min(a.y + a.height, b.y + b.height);
   if (right <= left || bottom <= top)
   {
      return false;
   }
   out->x = left;
   out->y = top;
   out->width = right - left;
   out->height = bottom - top;
   return true;
}
} // namespace

bool ScreenCommon::PreparedAreaEnabledCheck() const
{
   return WindowedCheck() ? preparedAreaWindowedEnabled != 0 : preparedAreaFullscreenEnabled != 0;
}

bool ScreenCommon::AspectCorrectionCheck() const
{
   return aspectMode == 1 && !WindowedCheck();
}

PlatformRect ScreenCommon::VirtualAreaGet() const
{
   if (WindowedCheck() && preparedAreaWindowedEnabled)
   {
      return preparedArea;
   }
   PlatformRect area;
   area.width = virtualWidth;
   area.height = virtualHeight;
   return area;
}

void ScreenCommon::DesktopSizeGet(i32* width, i32* height)
{
   if (!desktopSizeKnown)
   {
      PlatformDisplayMode desktop;
      if (!PlatformDesktopModeGet(&desktop))
      {
         ErrorPrintf("Failed to get desktop display settings.\n");
      }
      if (desktop.width == 0 || desktop.height == 0)
      {
         ErrorPrintf("Invalid desktop resolution: %dx%d.\n", desktop.width, desktop.height);
      }
      desktopWidth = desktop.width;
      desktopHeight = desktop.height;
      desktopSizeKnown = 1;
   }
   *width = desktopWidth;
   *height = desktopHeight;
}

void ScreenCommon::DisplayModesGet(Table<DisplayMode>* modes)
{
   PlatformDisplayMode desktop;
   if (!PlatformDesktopModeGet(&desktop))
   {
      ErrorPrintf("Failed to get desktop display settings.\n");
   }
   PlatformDisplayMode setting;
   for (i32 index = 0; PlatformDisplayModeGet(index, &setting); ++index)
   {
      if (setting.bitsPerPixel != 32 || setting.refreshRate == 0 || desktop.refreshRate == 0 ||
          setting.refreshRate != desktop.refreshRate || setting.orientation != desktop.orientation)
      {
         continue;
      }
      DisplayMode mode;
      mode.index = index;
      mode.width = setting.width;
      mode.height = setting.height;
      modes->Insert(mode, modes->count);
   }
   if (desktop.bitsPerPixel == 32)
   {
      DisplayMode mode;
      mode.index = DISPLAY_MODE_DESKTOP;
      mode.width = desktop.width;
      mode.height = desktop.height;
      modes->Insert(mode, modes->count);
   }
}

void ScreenCommon::VisibleAreaUpdate()
{
   if (WindowedCheck() && preparedAreaWindowedEnabled)
   {
      visibleAreaBox = preparedArea;
      visibleArea = Box2F{static_cast<float>(preparedArea.x), static_cast<float>(preparedArea.y),
                          static_cast<float>(preparedArea.width), static_cast<float>(preparedArea.height)};
      return;
   }
   VisibleAreaCompute();
}

void ScreenCommon::SettingsApply(const ScreenSettings& settings)
{
   heapId = settings.heapId;
   focusCount = 1;
   virtualWidth = settings.width;
   virtualHeight = settings.height;
   aspectMode = settings.aspectMode;
   scissorDisabled = settings.scissorDisabled;
   windowProcedure = settings.windowProcedure;
   fullscreen = settings.fullscreen;
   desktopOverride = settings.desktopOverride;
   preparedAreaWindowedEnabled = settings.preparedAreaWindowedEnabled;
   preparedAreaFullscreenEnabled = settings.preparedAreaFullscreenEnabled;
   screenshotKey = settings.screenshotKey;
   cursorHide = settings.cursorHide;
   cursorClipMode = settings.cursorClipMode;
   displayModeChanged = 0;
   displayModeIndex = -1;
   displayModeFound = 0;
   multisampleLevel = 0;
   cursorShown = 1;
   cursorInside = 1;
   cursorClipped = 0;
   screenshotRequested = 0;

   // The prepared area always holds the whole virtual area.
   const i32 x = std::min(settings.preparedArea[0], 0);
   const i32 y = std::min(settings.preparedArea[1], 0);
   preparedArea.x = x;
   preparedArea.y = y;
   preparedArea.width = std::max(x + settings.preparedArea[2], virtualWidth) - x;
   preparedArea.height = std::max(y + settings.preparedArea[3], virtualHeight) - y;

   if (desktopOverride)
   {
      desktopWidth = settings.desktopOverrideSize[0];
      desktopHeight = settings.desktopOverrideSize[1];
      desktopSizeKnown = 1;
      fullscreen = 0;
   }
   else
   {
      // Display orientation cannot be preferred on Linux; the desktop is taken as it is.
      DesktopSizeGet(&desktopWidth, &desktopHeight);
   }

   if (desktopOverride)
   {
      windowedWidth = settings.desktopOverrideSize[0];
      windowedHeight = settings.desktopOverrideSize[1];
      fullscreenWidth = windowedWidth;
      fullscreenHeight = windowedHeight;
   }
   else
   {
      windowedWidth = preparedAreaWindowedEnabled ? settings.preparedArea[2] : virtualWidth;
      windowedHeight = preparedAreaWindowedEnabled ? settings.preparedArea[3] : virtualHeight;
      fullscreenWidth = virtualWidth;
      fullscreenHeight = virtualHeight;
   }

   DisplayMode mode;
   if (DisplayModeChoose(&mode))
   {
      displayModeIndex = mode.index;
      displayModeFound = 1;
      fullscreenWidth = mode.width;
      fullscreenHeight = mode.height;
      clientWidth = fullscreen ? fullscreenWidth : windowedWidth;
      clientHeight = fullscreen ? fullscreenHeight : windowedHeight;
   }
   else
   {
      if (fullscreen)
      {
         WarningPrintf("Unable to find suitable display mode\n");
         fullscreen = 0;
      }
      clientWidth = windowedWidth;
      clientHeight = windowedHeight;
   }
}

void ScreenCommon::AspectScaleGet(float* sx, float* sy)
{
   *sx = 1.0f;
   *sy = 1.0f;
   i32 width = 0, height = 0;
   DesktopSizeGet(&width, &height);
   if (virtualHeight == 0 || width == 0 || height == 0)
   {
      return;
   }
   const float r = (static_cast<float>(virtualWidth) / static_cast<float>(virtualHeight)) /
                   (static_cast<float>(width) / static_cast<float>(height));
   const float s = std::max(1.0f, r);
   *sx = r / s;
   *sy = 1.0f / s;
}

bool ScreenCommon::DisplayModeChoose(DisplayMode* chosen)
{
   i32 wantedWidth = virtualWidth;
   i32 wantedHeight = virtualHeight;
   i32 width = 0, height = 0;
   DesktopSizeGet(&width, &height);
   if (aspectMode == 1)
   {
      float sx, sy;
      AspectScaleGet(&sx, &sy);
      if (sx != 0.0f && sy != 0.0f)
      {
         wantedWidth = static_cast<i32>(static_cast<float>(virtualWidth) / sx);
         wantedHeight = static_cast<i32>(static_cast<float>(virtualHeight) / sy);
      }
   }
   Table<DisplayMode> modes(allocatorTemp);
   DisplayModesGet(&modes);
   const DisplayMode* smallest = nullptr;
   const DisplayMode* largest = nullptr;
   for (i32 i = 0; i < modes.count; ++i)
   {
      const DisplayMode& mode = modes[i];
      if (mode.width > width || mode.height > height)
      {
         continue;
      }
      const i64 area = static_cast<i64>(mode.width) * mode.height;
      if (!largest || area > static_cast<i64>(largest->width) * largest->height)
      {
         largest = &mode;
      }
      if (mode.width >= wantedWidth && mode.height >= wantedHeight &&
          (!smallest || area < static_cast<i64>(smallest->width) * smallest->height))
      {
         smallest = &mode;
      }
   }
   const DisplayMode* result = smallest ? smallest : largest;
   if (!result)
   {
      return false;
   }
   *chosen = *result;
   return true;
}

bool ScreenCommon::DisplayModeApply()
{
   if (displayModeChanged || !displayModeFound)
   {
      return false;
   }
   PlatformDisplayMode mode;
   if (displayModeIndex == DISPLAY_MODE_DESKTOP)
   {
      if (!PlatformDesktopModeGet(&mode))
      {
         ErrorPrintf("Failed to get selected display settings.\n");
      }
   }
   else if (!PlatformDisplayModeGet(displayModeIndex, &mode))
   {
      ErrorPrintf("Failed to get selected display settings.\n");
   }
   if (window.CreatedCheck() && !window.FullscreenModeSet(&mode))
   {
      ErrorPrintf("Failed to change display settings.  Error code: %d\n", -1);
   }
   displayModeChanged = 1;
   return true;
}

void ScreenCommon::DisplayModeRestore()
{
   if (displayModeChanged)
   {
      window.FullscreenModeSet(nullptr);
      displayModeChanged = 0;
   }
}

void ScreenCommon::VisibleAreaCompute()
{
   float w = static_cast<float>(virtualWidth);
   float h = static_cast<float>(virtualHeight);
   if (AspectCorrectionCheck())
   {
      float sx, sy;
      AspectScaleGet(&sx, &sy);
      if (sx != 0.0f && sy != 0.0f)
      {
         w = static_cast<float>(virtualWidth) / sx;
         h = static_cast<float>(virtualHeight) / sy;
      }
   }
   visibleArea.x = (static_cast<float>(virtualWidth) - w) / 2.0f;
   visibleArea.y = (static_cast<float>(virtualHeight) - h) / 2.0f;
   visibleArea.width = w;
   visibleArea.height = h;
   visibleAreaBox.x = static_cast<i32>(std::ceil(visibleArea.x));
   visibleAreaBox.y = static_cast<i32>(std::ceil(visibleArea.y));
   visibleAreaBox.width = static_cast<i32>(std::floor(visibleArea.x + visibleArea.width)) - visibleAreaBox.x;
   visibleAreaBox.height =
       static_cast<i32>(std::floor(visibleArea.y + visibleArea.height)) - visibleAreaBox.y;
}

Box2F ScreenCommon::PreparedAreaVisibleGet() const
{
   const Box2F prepared{static_cast<float>(preparedArea.x), static_cast<float>(preparedArea.y),
                        static_cast<float>(preparedArea.width), static_cast<float>(preparedArea.height)};
   Box2F result;
   if (!BoxesIntersect(prepared, visibleArea, &result))
   {
      result = Box2F{0.0f, 0.0f, static_cast<float>(virtualWidth), static_cast<float>(virtualHeight)};
   }
   return result;
}

PlatformRect ScreenCommon::PreparedAreaVisibleBoxGet() const
{
   PlatformRect result;
   if (!BoxesIntersect(preparedArea, visibleAreaBox, &result))
   {
      result = PlatformRect{0, 0, virtualWidth, virtualHeight};
   }
   return result;
}

void ScreenCommon::WindowSizeSet(i32 width, i32 height)
{
   clientWidth = width;
   clientHeight = height;
   if (window.CreatedCheck() && !displayModeChanged)
   {
      window.ClientSizeSet(width, height);
      PlatformRect work;
      if (PlatformWorkAreaGet(&work))
      {
         window.PositionSet(std::max(0, work.x + (work.width - width) / 2),
                            std::max(0, work.y + (work.height - height) / 2));
      }
   }
   if (window.CreatedCheck())
   {
      window.Show();
      window.ClientSizeGet(&clientWidth, &clientHeight);
   }
   if (displayModeChanged)
   {
      VisibleAreaCompute();
   }
   else if (!desktopOverride && preparedAreaWindowedEnabled)
   {
      VisibleAreaUpdate();
   }
   else
   {
      VisibleAreaCompute();
   }
   CursorInsideSet(mouseManager.CursorInsideCheck());
   CursorClipUpdate();
   CursorVisibilityUpdate();

   mouseScale[0] = 1.0f;
   mouseScale[1] = 1.0f;
   if (fullscreen && desktopWidth != 0 && desktopHeight != 0)
   {
      mouseScale[0] = static_cast<float>(virtualWidth) / static_cast<float>(desktopWidth);
      mouseScale[1] = static_cast<float>(virtualHeight) / static_cast<float>(desktopHeight);
      if (AspectCorrectionCheck())
      {
         float sx, sy;
         AspectScaleGet(&sx, &sy);
         mouseScale[0] /= sx;
         mouseScale[1] /= sy;
      }
   }
}

void ScreenCommon::WindowTitleSet(const char* title)
{
   // A text that is not valid UTF-8 gives the empty title.
   const i32 size = title ? UTF8ToUTF16Size(title) : -1;
   window.TitleSet(size > 0 ? title : "");
}

void ScreenCommon::FullscreenSet(bool on)
{
   if ((fullscreen != 0) == on || (on && !displayModeFound))
   {
      return;
   }
   deltaResetFlag = 1;
   if (!on)
   {
      DisplayModeRestore();
   }
   fullscreen = on ? 1 : 0;
   if (on && window.FocusCheck())
   {
      DisplayModeApply();
   }
   window.PopupSet(on);
   WindowSizeSet(on ? fullscreenWidth : windowedWidth, on ? fullscreenHeight : windowedHeight);
   ViewportUpdate();
   Event::Trigger("OnWindowChange", 0);
}

bool ScreenCommon::WindowMessageHandle(PlatformWindow*, u32 message, uptr wParam, uptr lParam, uptr* result)
{
   switch (message)
   {
   case MESSAGE_SETFOCUS:
      if (initialised)
      {
         if (fullscreen)
         {
            DisplayModeApply();
         }
         if (++focusCount == 1)
         {
            Event::Trigger("OnOSFocusGain", 0);
         }
         CursorInsideSet(mouseManager.CursorInsideCheck());
         CursorClipUpdate();
         CursorVisibilityUpdate();
      }
      *result = 0;
      return true;
   case MESSAGE_KILLFOCUS:
      if (initialised)
      {
         if (focusCount-- == 1)
         {
            Event::Trigger("OnOSFocusLose", 0);
            deltaResetFlag = 1;
         }
         if (fullscreen)
         {
            window.Minimise();
            DisplayModeRestore();
         }
         CursorClipUpdate();
         CursorVisibilityUpdate();
      }
      *result = 0;
      return true;
   case MESSAGE_SIZE:
   {
      // The window system may settle on another size than asked (full screen, a tiling manager).
      const i32 width = ParamLowSigned(lParam) & 0xFFFF;
      const i32 height = ParamHighSigned(lParam) & 0xFFFF;
      if (initialised && (width != clientWidth || height != clientHeight))
      {
         clientWidth = width;
         clientHeight = height;
         ViewportUpdate();
      }
      return false;
   }
   case MESSAGE_SYSCOMMAND:
      if (wParam == SYSCOMMAND_SCREENSAVE || wParam == SYSCOMMAND_MONITORPOWER)
      {
         *result = 0;
         return true;
      }
      return false;
   default:
      return false;
   }
}

void ScreenCommon::KeyboardShortcutsUpdate()
{
   const u8* current = keyboardState.current;
   const u8* previous = keyboardState.previous;
   if (screenshotKey >= 0 && screenshotKey < VIRTUAL_KEY_COUNT && current[screenshotKey] &&
       !previous[screenshotKey] && fileManagerPersistence)
   {
      // Taken by the frame loop once the frame is drawn, from the back buffer.
      screenshotRequested = 1;
   }
   if ((current[VK_LMENU] || current[VK_RMENU]) && current[VK_RETURN] && !previous[VK_RETURN])
   {
      FullscreenSet(!fullscreen);
   }
}

bool ScreenCommon::ScreenshotSave()
{
   screenshotRequested = 0;
   deltaResetFlag = 1;
   if (!fileManagerPersistence)
   {
      WarningPrintf("ScreenCommon::ScreenshotSave -- no save-data folder\n");
      return false;
   }
   if (clientWidth <= 0 || clientHeight <= 0 || window.MinimisedCheck())
   {
      WarningPrintf("ScreenCommon::ScreenshotSave -- the window has no area; no screenshot taken\n");
      return false;
   }
   const u32 size = static_cast<u32>(clientWidth) * static_cast<u32>(clientHeight) * 3u;
   u8* pixels = static_cast<u8*>(MemoryAllocate(size, HEAP_TEMP, MEMORY_ALIGNMENT_MIN));
   if (!pixels)
   {
      WarningPrintf("ScreenCommon::ScreenshotSave -- unable to allocate %u bytes\n", size);
      return false;
   }
   FrameRead(pixels, clientWidth, clientHeight, 0);
   char name[32];
   for (i32 number = 0;; ++number)
   {
      NultSnprintf(name, sizeof(name), "Snap%04d.png", number);
      if (!fileManagerPersistence->FileCheck(name))
      {
         break;
      }
   }
   const bool saved = ScreenshotWrite(fileManagerPersistence, name, pixels, clientWidth, clientHeight);
   MemoryFree(pixels);
   return saved;
}

void ScreenCommon::CursorInsideSet(bool inside)
{
   if ((cursorInside != 0) == inside)
   {
      return;
   }
   cursorInside = inside ? 1 : 0;
   CursorVisibilityUpdate();
   if (inside)
   {
      CursorClipUpdate();
   }
}

void ScreenCommon::CursorVisibilityUpdate()
{
   const bool hidden = cursorHide && focusCount >= 1 && cursorInside;
   if ((cursorShown != 0) == !hidden)
   {
      return;
   }
   cursorShown = hidden ? 0 : 1;
   PlatformWindow::CursorShow(!hidden);
}

void ScreenCommon::CursorClipUpdate()
{
   bool active = focusCount > 0 && cursorClipMode != 0;
   if (cursorClipMode == 3 && !fullscreen)
   {
      active = false;
   }
   if (active && window.CreatedCheck())
   {
      PlatformRect clip;
      if (cursorClipMode == 2)
      {
         clip = PlatformRect{0, 0, clientWidth, clientHeight};
      }
      else
      {
         clip = PlatformRect{clientWidth / 2, clientHeight / 2, 1, 1};
      }
      window.CursorClipSet(&clip);
      cursorClipped = 1;
   }
   else if (cursorClipped)
   {
      window.CursorClipSet(nullptr);
      cursorClipped = 0;
   }
}
} // namespace Corvale
