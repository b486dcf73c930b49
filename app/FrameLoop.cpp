// The window procedure and the loop that drives every frame of the program.
#include "app/FrameLoop.h"

#include <chrono>
#include <thread>

#include <lua5.1/lua.hpp>

#include "app/Application.h"
#include "app/FrameClock.h"
#include "core/Event.h"
#include "core/ScriptManager.h"
#include "platform/input/Keyboard.h"
#include "platform/input/MouseManager.h"
#include "platform/window/Screen.h"

namespace Corvale
{
namespace
{
bool quitMessagePending = false;
i32 quitMessageExitCode = 0;
} // namespace

uptr ApplicationWindowProcedure(PlatformWindow* window, u32 message, uptr wParam, uptr lParam)
{
   if (message == MESSAGE_CLOSE)
   {
      quitRequested = true;
      return 0;
   }
   uptr result = 0;
   if (mouseManager.WindowMessageHandle(window, message, wParam, lParam, &result))
   {
      return result;
   }
   if (message == MESSAGE_CHAR)
   {
      // A full queue (256 this frame) drops the character.
      KeyboardCharacterAdd(static_cast<u32>(wParam));
   }
   if (screen.WindowMessageHandle(window, message, wParam, lParam, &result))
   {
      return result;
   }
   return 0;
}

void QuitMessagePost(i32 exitCode)
{
   quitMessagePending = true;
   quitMessageExitCode = exitCode;
}

void ScreenFrameLoopHost::MessagesPump()
{
   // The window only goes in shutdown; should it vanish anyway, nothing could ever close it.
   if (!screen.MessagesPump())
   {
      quitRequested = true;
   }
}

bool ScreenFrameLoopHost::ActiveCheck()
{
   return screen.focusCount > 0;
}

u32 ScreenFrameLoopHost::TimeGet()
{
   return frameClock.TimeGet();
}

void ScreenFrameLoopHost::InputUpdate(bool active)
{
   KeyboardStateUpdate(active);
   if (active)
   {
      screen.KeyboardShortcutsUpdate();
   }
   mouseManager.CursorCheck();
   if (mouseManager.systemMouseMode)
   {
      mouseManager.SystemMouseUpdate(active);
   }
   else
   {
      mouseManager.Update(active);
   }
}

void ScreenFrameLoopHost::FrameRun()
{
   if (lua_State* state = ScriptManager::StateGet())
   {
      lua_gc(state, LUA_GCSTEP, 2);
   }
   Event::SystemUpdate();
   ApplicationUpdate();
}

void ScreenFrameLoopHost::Sleep(u32 milliseconds)
{
   std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

bool ScreenFrameLoopHost::SwapWaitedCheck()
{
   return screen.swapWaited != 0;
}

u64 ScreenFrameLoopHost::MicrosecondsGet()
{
   return static_cast<u64>(std::chrono::duration_cast<std::chrono::microseconds>(
                               std::chrono::steady_clock::now().time_since_epoch())
                               .count());
}

void ScreenFrameLoopHost::MicrosecondsSleep(u32 microseconds)
{
   std::this_thread::sleep_for(std::chrono::microseconds(microseconds));
}

i32 FrameLoop::Run(FrameLoopHost* host)
{
   wasActive = host->ActiveCheck() ? 1 : 0;
   while (PassRun(host))
   {
   }
   return exitCode;
}

bool FrameLoop::PassRun(FrameLoopHost* host)
{
   const u64 passStart = host->MicrosecondsGet();
   host->MessagesPump();
   if (quitMessagePending)
   {
      quitMessagePending = false;
      exitCode = quitMessageExitCode;
   }
   if (quitRequested)
   {
      return false;
   }

   const bool active = host->ActiveCheck();
   if (active)
   {
      // Time spent without the focus never reaches the animations.
      if (!wasActive)
      {
         frameClock.resetPending = 1;
      }
      frameClock.Step(host->TimeGet());
   }
   host->InputUpdate(active);
   if (active)
   {
      host->FrameRun();
      // A swap that returns at once leaves nothing to hold the loop back: it would redraw a still
      // screen as fast as it can. The sleep stays within the pass, so the next frame's elapsed
      // time still counts it.
      if (!host->SwapWaitedCheck())
      {
         const u64 spent = host->MicrosecondsGet() - passStart;
         if (spent < FRAME_PACE_MICROSECONDS)
         {
            host->MicrosecondsSleep(static_cast<u32>(FRAME_PACE_MICROSECONDS - spent));
         }
      }
   }
   else
   {
      host->Sleep(250);
   }
   wasActive = active ? 1 : 0;
   return true;
}
} // namespace Corvale
