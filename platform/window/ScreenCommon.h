// The platform-neutral half of the screen: the window, the virtual area and how it maps onto the
// window or the monitor (display-mode choice, letterbox, prepared area), focus, full screen,
// the system cursor and screenshots.
#pragma once

#include "core/Box.h"
#include "core/Table.h"
#include "core/Types.h"
#include "platform/window/PlatformWindow.h"
#include "platform/window/ScreenSettings.h"

namespace Corvale
{
struct ColorRGBA8;

// Set by the screen on full-screen switches, focus loss and screenshots (and by the front end):
// the frame loop takes a 0 ms step for the next frame and clears it.
extern u8 deltaResetFlag;

// An entry of the display-mode list: the platform's setting number (-2 for the desktop's own).
struct DisplayMode
{
   i32 index = 0;
   i32 width = 0;
   i32 height = 0;
};

constexpr i32 DISPLAY_MODE_DESKTOP = -2;

class ScreenCommon
{
 public:
   virtual ~ScreenCommon() = default;

   virtual void BoxFilledDraw(const Box2F& box, const ColorRGBA8& color, float additive,
                              const Box2F* clip) = 0;
   virtual bool PreparedAreaEnabledCheck() const;
   virtual bool AspectCorrectionCheck() const;
   virtual PlatformRect VirtualAreaGet() const;
   virtual void DesktopSizeGet(i32* width, i32* height);
   virtual void DisplayModesGet(Table<DisplayMode>* modes);
   virtual void VisibleAreaUpdate();
   // Projection, viewport and scissor for the present window (the renderer's).
   virtual void ViewportUpdate() = 0;
   // Copies the finished frame's back buffer, top row first; format 0 RGB or 1 RGBA.
   virtual void FrameRead(u8* pixels, i32 width, i32 height, i32 format) = 0;
   // Once a frame, before the swap: a frame that was cleared gets its mark reset and its drawing
   // finished, so that the next Clear clears again.
   virtual void FrameEnd() = 0;

   // Steps of Init that need no window: copies the settings, grows the prepared area, finds the
   // desktop and chooses the display mode and the client sizes.
   void SettingsApply(const ScreenSettings& settings);

   bool WindowMessageHandle(PlatformWindow* window, u32 message, uptr wParam, uptr lParam, uptr* result);
   void KeyboardShortcutsUpdate();
   void FullscreenSet(bool on);
   void WindowSizeSet(i32 width, i32 height);
   void WindowTitleSet(const char* title);
   void CursorInsideSet(bool inside);
   void CursorVisibilityUpdate();
   void CursorClipUpdate();
   void VisibleAreaCompute();
   void AspectScaleGet(float* sx, float* sy);
   Box2F PreparedAreaVisibleGet() const;
   PlatformRect PreparedAreaVisibleBoxGet() const;
   bool DisplayModeChoose(DisplayMode* mode);
   // Neither a changed display mode nor a desktop override: the plain windowed case.
   bool WindowedCheck() const { return !displayModeChanged && !desktopOverride; }
   bool DisplayModeApply();
   void DisplayModeRestore();
   // Saves the frame just drawn as the first free "Snap%04d.png" of the save-data folder; the
   // frame loop calls it after drawing and before the swap while screenshotRequested is set.
   bool ScreenshotSave();

   i32 focusCount = 0;
   i32 heapId = 0;
   u8 clearedThisFrame = 0;
   i32 virtualWidth = 0;
   i32 virtualHeight = 0;
   i32 clientWidth = 0;
   i32 clientHeight = 0;
   i32 aspectMode = 1;
   u8 scissorDisabled = 0;
   PlatformRect visibleAreaBox;
   Box2F visibleArea;
   PlatformRect preparedArea;

   PlatformWindow window;
   WindowProcedure windowProcedure = nullptr;
   u8 fullscreen = 0;
   i32 multisampleLevel = 0;
   u8 displayModeChanged = 0;
   i32 displayModeIndex = -1;
   u8 displayModeFound = 0;
   i32 windowedWidth = 0;
   i32 windowedHeight = 0;
   i32 fullscreenWidth = 0;
   i32 fullscreenHeight = 0;
   i32 desktopWidth = 0;
   i32 desktopHeight = 0;
   u8 desktopSizeKnown = 0;
   u8 desktopOverride = 0;
   u8 preparedAreaWindowedEnabled = 0;
   u8 preparedAreaFullscreenEnabled = 0;
   i32 screenshotKey = 120;
   u8 screenshotRequested = 0;
   // Client pixels to virtual units, read by the mouse manager.
   float mouseScale[2] = {1.0f, 1.0f};
   u8 cursorHide = 0;
   u8 cursorShown = 1;
   i32 cursorClipMode = 0;
   u8 cursorInside = 1;
   u8 cursorClipped = 0;
   u8 initialised = 0;
};
} // namespace Corvale
