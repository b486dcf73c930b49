// Message boxes through SDL and link opening through xdg-open.
#include "platform/window/PlatformShell.h"

#include <SDL.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "core/Log.h"
#include "platform/window/PlatformWindow.h"

namespace Corvale
{
namespace
{
bool BoxesShownCheck()
{
   const char* headless = std::getenv("CORVALE_HEADLESS");
   if (headless && headless[0])
   {
      return false;
   }
   return PlatformDisplayAvailableCheck();
}

void MessageBoxShow(const char* title, const char* text, bool error)
{
   if (!BoxesShownCheck())
   {
      return;
   }
   SDL_ShowSimpleMessageBox(error ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_WARNING, title ? title : "",
                            text ? text : "", nullptr);
}
} // namespace

void PlatformMessageBoxInstall()
{
   LogMessageBoxFunctionSet(MessageBoxShow);
}

void PlatformMessageBox(const char* title, const char* text, bool error)
{
   MessageBoxShow(title, text, error);
}

bool URLOpen(const char* address)
{
   if (!address || !address[0])
   {
      WarningPrintf("URLOpen -- no address\n");
      return false;
   }
   // posix_spawnp, not fork: the sound threads are running, and a forked copy of a threaded
   // program may only call what is safe in a signal handler. The address is one argument of an
   // argument vector, never seen by a shell.
   char program[] = "xdg-open";
   char* const arguments[] = {program, const_cast<char*>(address), nullptr};
   pid_t child = 0;
   const int result = posix_spawnp(&child, program, nullptr, nullptr, arguments, environ);
   if (result != 0)
   {
      WarningPrintf("URLOpen -- unable to start xdg-open: %s\n", std::strerror(result));
      return false;
   }
   // A detached waiter collects the child whenever it ends, so no zombie stays behind and the
   // caller never waits on the browser.
   std::thread(
       [child]()
       {
          int status = 0;
          while (waitpid(child, &status, 0) < 0 && errno == EINTR)
          {
          }
       })
       .detach();
   return true;
}
} // namespace Corvale
