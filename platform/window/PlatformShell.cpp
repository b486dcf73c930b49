// Message boxes through SDL and link opening through xdg-open.
#include "platform/window/PlatformShell.h"

#include <SDL.h>

#include <cerrno>
#include <cstdlib>
#include <sys/wait.h>
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
   // The child starts xdg-open from a grandchild and exits at once, so no zombie is left behind
   // and the caller never waits on the browser.
   const pid_t child = fork();
   if (child < 0)
   {
      WarningPrintf("URLOpen -- unable to start a process\n");
      return false;
   }
   if (child == 0)
   {
      const pid_t grandchild = fork();
      if (grandchild == 0)
      {
         char program[] = "xdg-open";
         char* const arguments[] = {program, const_cast<char*>(address), nullptr};
         execvp(program, arguments);
         _exit(127);
      }
      _exit(grandchild < 0 ? 1 : 0);
   }
   int status = 0;
   while (waitpid(child, &status, 0) < 0)
   {
      if (errno != EINTR)
      {
         WarningPrintf("URLOpen -- lost track of the started process\n");
         return false;
      }
   }
   if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
   {
      WarningPrintf("URLOpen -- unable to start xdg-open\n");
      return false;
   }
   return true;
}
} // namespace Corvale
