// The message and frame loop: each pass drains the window's messages, steps the clock and the
// input while the window is active, runs one frame, and sleeps while it is not.
#pragma once

#include "core/Types.h"
#include "platform/window/WindowMessages.h"

namespace Corvale
{
// The window procedure: a close request sets quitRequested instead of closing, so that
// shutdown always runs in order.
uptr ApplicationWindowProcedure(PlatformWindow* window, u32 message, uptr wParam, uptr lParam);

// Queues a quit message for the next pass: it gives the program's exit code, but only
// quitRequested ends the loop.
void QuitMessagePost(i32 exitCode);

// What one pass needs of the world outside the loop.
class FrameLoopHost
{
 public:
   virtual ~FrameLoopHost() = default;
   // Hands every pending message to the window procedure.
   virtual void MessagesPump() = 0;
   virtual bool ActiveCheck() = 0;
   virtual u32 TimeGet() = 0;
   // Keyboard, shortcuts (when active), cursor and mouse, every pass.
   virtual void InputUpdate(bool active) = 0;
   // One active frame.
   virtual void FrameRun() = 0;
   virtual void Sleep(u32 milliseconds) = 0;
   // Whether the last frame's swap waited for the display.
   virtual bool SwapWaitedCheck() = 0;
   // A fine clock for pacing frames, and a sleep by it.
   virtual u64 MicrosecondsGet() = 0;
   virtual void MicrosecondsSleep(u32 microseconds) = 0;
};

// The program's own host: the screen's window, the frame clock and the input managers.
class ScreenFrameLoopHost : public FrameLoopHost
{
 public:
   void MessagesPump() override;
   bool ActiveCheck() override;
   u32 TimeGet() override;
   void InputUpdate(bool active) override;
   // Lua's incremental collection step, the events' sorting and ApplicationUpdate.
   void FrameRun() override;
   void Sleep(u32 milliseconds) override;
   bool SwapWaitedCheck() override;
   u64 MicrosecondsGet() override;
   void MicrosecondsSleep(u32 microseconds) override;
};

// Where the swap does not wait for the display, a pass with a frame lasts at least this long: 60
// frames a second.
constexpr u32 FRAME_PACE_MICROSECONDS = 16667;

class FrameLoop
{
 public:
   // Runs passes until quitRequested is set; the exit code of the last quit message, else 0.
   i32 Run(FrameLoopHost* host);
   // One pass; false (having done nothing more) once quitRequested is set.
   bool PassRun(FrameLoopHost* host);

   u8 wasActive = 0;
   i32 exitCode = 0;
};
} // namespace Corvale
