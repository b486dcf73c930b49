// Drives the real corvale-cards under the test's X display (Xvfb): starts it in the build's data
// folder with a private save folder, finds its window, plays the player's keys and clicks through
// XTest, and reads the F9 screenshots back.
#pragma once

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <dlfcn.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <thread>

#include "core/Allocator.h"
#include "core/FileStdio.h"
#include "core/Memory.h"
#include "platform/image/Bitmap.h"
#include "platform/image/BitmapLoaderPNG.h"

namespace ProgramTestSupport
{
inline std::string BuildFolderGet()
{
   char path[PATH_MAX] = {};
   const ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
   if (length <= 0)
   {
      return "";
   }
   std::string exe(path, static_cast<size_t>(length));
   // <build>/tests/test_app_ProgramEndToEnd
   exe = exe.substr(0, exe.rfind('/'));
   return exe.substr(0, exe.rfind('/'));
}

inline std::string FileRead(const std::string& path)
{
   std::ifstream in(path, std::ios::binary);
   return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline bool FileExists(const std::string& path)
{
   return access(path.c_str(), F_OK) == 0;
}

inline u_int32_t BigEndianRead(const std::string& bytes, size_t at)
{
   return (static_cast<u_int32_t>(static_cast<unsigned char>(bytes[at])) << 24) |
          (static_cast<u_int32_t>(static_cast<unsigned char>(bytes[at + 1])) << 16) |
          (static_cast<u_int32_t>(static_cast<unsigned char>(bytes[at + 2])) << 8) |
          static_cast<u_int32_t>(static_cast<unsigned char>(bytes[at + 3]));
}

// Xlib and XTest are loaded at run time: the test needs them only to play the player's part.
struct X11
{
   void* library = nullptr;
   void* testLibrary = nullptr;
   Display* display = nullptr;
   decltype(&XOpenDisplay) openDisplay = nullptr;
   decltype(&XCloseDisplay) closeDisplay = nullptr;
   decltype(&XQueryTree) queryTree = nullptr;
   decltype(&XGetWindowAttributes) windowAttributesGet = nullptr;
   decltype(&XSetInputFocus) inputFocusSet = nullptr;
   decltype(&XKeysymToKeycode) keycodeGet = nullptr;
   decltype(&XSendEvent) eventSend = nullptr;
   decltype(&XFlush) flush = nullptr;
   decltype(&XFree) free = nullptr;
   int (*fakeKeyEvent)(Display*, unsigned int, int, unsigned long) = nullptr;
   int (*fakeMotionEvent)(Display*, int, int, int, unsigned long) = nullptr;
   int (*fakeButtonEvent)(Display*, unsigned int, int, unsigned long) = nullptr;

   bool Open()
   {
      library = dlopen("libX11.so.6", RTLD_NOW);
      if (!library)
      {
         return false;
      }
      openDisplay = reinterpret_cast<decltype(openDisplay)>(dlsym(library, "XOpenDisplay"));
      closeDisplay = reinterpret_cast<decltype(closeDisplay)>(dlsym(library, "XCloseDisplay"));
      queryTree = reinterpret_cast<decltype(queryTree)>(dlsym(library, "XQueryTree"));
      windowAttributesGet =
          reinterpret_cast<decltype(windowAttributesGet)>(dlsym(library, "XGetWindowAttributes"));
      inputFocusSet = reinterpret_cast<decltype(inputFocusSet)>(dlsym(library, "XSetInputFocus"));
      keycodeGet = reinterpret_cast<decltype(keycodeGet)>(dlsym(library, "XKeysymToKeycode"));
      eventSend = reinterpret_cast<decltype(eventSend)>(dlsym(library, "XSendEvent"));
      flush = reinterpret_cast<decltype(flush)>(dlsym(library, "XFlush"));
      free = reinterpret_cast<decltype(free)>(dlsym(library, "XFree"));
      testLibrary = dlopen("libXtst.so.6", RTLD_NOW);
      if (testLibrary)
      {
         fakeKeyEvent = reinterpret_cast<decltype(fakeKeyEvent)>(dlsym(testLibrary, "XTestFakeKeyEvent"));
         fakeMotionEvent =
             reinterpret_cast<decltype(fakeMotionEvent)>(dlsym(testLibrary, "XTestFakeMotionEvent"));
         fakeButtonEvent =
             reinterpret_cast<decltype(fakeButtonEvent)>(dlsym(testLibrary, "XTestFakeButtonEvent"));
      }
      if (!openDisplay || !closeDisplay || !queryTree || !windowAttributesGet || !inputFocusSet ||
          !keycodeGet || !eventSend || !flush || !free)
      {
         return false;
      }
      display = openDisplay(nullptr);
      return display != nullptr;
   }

   ~X11()
   {
      if (display)
      {
         closeDisplay(display);
      }
      if (testLibrary)
      {
         dlclose(testLibrary);
      }
      if (library)
      {
         dlclose(library);
      }
   }

   // The program's window: the viewable top-level window of the given client size.
   Window WindowFind(int width, int height)
   {
      Window root = DefaultRootWindow(display);
      Window rootOut = 0, parent = 0, *children = nullptr;
      unsigned int count = 0;
      Window found = 0;
      if (!queryTree(display, root, &rootOut, &parent, &children, &count))
      {
         return 0;
      }
      for (unsigned int i = 0; i < count && !found; ++i)
      {
         XWindowAttributes attributes;
         if (windowAttributesGet(display, children[i], &attributes) && attributes.map_state == IsViewable &&
             attributes.width == width && attributes.height == height)
         {
            found = children[i];
         }
      }
      if (children)
      {
         free(children);
      }
      return found;
   }

   // Waits for the program's 960 x 720 window; 0 when it has not appeared by the deadline.
   Window WindowWait(std::chrono::steady_clock::time_point deadline)
   {
      Window window = 0;
      while (!window && std::chrono::steady_clock::now() < deadline)
      {
         std::this_thread::sleep_for(std::chrono::milliseconds(100));
         window = WindowFind(960, 720);
      }
      return window;
   }

   // A left click at a point of the window's client area (no window manager: the window's
   // position is its place on the screen).
   void Click(Window window, int x, int y)
   {
      XWindowAttributes attributes;
      if (!fakeMotionEvent || !fakeButtonEvent || !windowAttributesGet(display, window, &attributes))
      {
         return;
      }
      fakeMotionEvent(display, -1, attributes.x + x, attributes.y + y, 0);
      flush(display);
      std::this_thread::sleep_for(std::chrono::milliseconds(150));
      fakeButtonEvent(display, 1, True, 0);
      flush(display);
      std::this_thread::sleep_for(std::chrono::milliseconds(80));
      fakeButtonEvent(display, 1, False, 0);
      flush(display);
   }

   void KeyTap(Window window, KeySym symbol)
   {
      const KeyCode code = keycodeGet(display, symbol);
      inputFocusSet(display, window, RevertToParent, CurrentTime);
      if (fakeKeyEvent)
      {
         fakeKeyEvent(display, code, True, 0);
         flush(display);
         std::this_thread::sleep_for(std::chrono::milliseconds(60));
         fakeKeyEvent(display, code, False, 0);
         flush(display);
         return;
      }
      for (int type : {KeyPress, KeyRelease})
      {
         XEvent event;
         std::memset(&event, 0, sizeof(event));
         event.xkey.type = type;
         event.xkey.display = display;
         event.xkey.window = window;
         event.xkey.root = DefaultRootWindow(display);
         event.xkey.keycode = code;
         event.xkey.same_screen = True;
         eventSend(display, window, True, type == KeyPress ? KeyPressMask : KeyReleaseMask, &event);
         flush(display);
         std::this_thread::sleep_for(std::chrono::milliseconds(60));
      }
   }
};

// Starts corvale-cards in the build's data folder with its save data under home; the child's
// process id, or -1 when the program or its data is missing.
inline pid_t ProgramStart(const char* home)
{
   const std::string build = BuildFolderGet();
   const std::string program = build + "/app/corvale-cards";
   const std::string dataFolder = build + "/data";
   if (!FileExists(program) || !FileExists(dataFolder + "/Scripts/BuildConsts.json"))
   {
      ADD_FAILURE() << program << " or its data is missing";
      return -1;
   }
   const pid_t child = fork();
   if (child == 0)
   {
      if (chdir(dataFolder.c_str()) != 0)
      {
         _exit(126);
      }
      setenv("XDG_DATA_HOME", home, 1);
      setenv("ALSOFT_DRIVERS", "null", 1);
      setenv("CORVALE_HEADLESS", "1", 1);
      execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
      _exit(127);
   }
   return child;
}

struct Rgb
{
   int r, g, b;
};

// A screenshot's pixels, read with our own PNG reader; empty when it does not read.
struct Snapshot
{
   explicit Snapshot(const std::string& path)
   {
      if (!Corvale::Memory::InitialisedCheck())
      {
         Corvale::Memory::Init();
      }
      Corvale::FileStdio file(std::fopen(path.c_str(), "rb"));
      if (file.stream)
      {
         bitmap = Corvale::bitmapLoaderPNG.Load(&file, Corvale::allocatorDefault, Corvale::HEAP_DEFAULT,
                                                Corvale::HEAP_TEMP);
         std::fclose(file.stream);
         file.stream = nullptr;
      }
   }
   ~Snapshot()
   {
      if (bitmap)
      {
         bitmap->Free();
         Corvale::MemoryDelete(bitmap);
      }
   }
   Rgb At(int x, int y) const
   {
      const Corvale::u8* p = bitmap->PixelAddressGet(x, y);
      return Rgb{p[0], p[1], p[2]};
   }

   Corvale::Bitmap* bitmap = nullptr;
};

// The menu bar over the main menu: the top of its blue Back button at the top right.
inline bool MainMenuCheck(const Snapshot& shot)
{
   const Rgb back = shot.At(724, 20);
   return back.b > back.r + 40 && back.b > 120;
}

// A first run offers the languages over the profile menu: English is the top button, blue.
inline bool LanguageMenuCheck(const Snapshot& shot)
{
   const Rgb english = shot.At(380, 178);
   return english.b > english.r + 40 && english.b > 120;
}

// The profile menu that every start opens over the main menu: its blue Close button at the top
// right and its gold Sign In tab left of the Statistics one.
inline bool ProfileMenuCheck(const Snapshot& shot)
{
   const Rgb close = shot.At(860, 56);
   const Rgb tab = shot.At(478, 62);
   return close.b > close.r + 40 && close.b > 120 && tab.r > 150 && tab.g > 100 && tab.b < 90;
}

// The program started in a fresh save-data folder, its window found.
class ProgramFixture : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      if (!std::getenv("DISPLAY"))
      {
         GTEST_SKIP() << "needs an X display (run under xvfb-run)";
      }
      if (!x11.Open())
      {
         GTEST_SKIP() << "Xlib is not available to press keys";
      }
      ASSERT_NE(mkdtemp(home), nullptr);
      saveFolder = std::string(home) + "/Corvale/CardGames";
      child = ProgramStart(home);
      ASSERT_GT(child, 0);
      window = x11.WindowWait(deadline);
      EXPECT_NE(window, 0u) << "the 960 x 720 window never appeared";
   }

   void TearDown() override
   {
      if (child > 0)
      {
         kill(child, SIGKILL);
         waitpid(child, nullptr, 0);
      }
      if (home[0] && std::string(home).find("XXXXXX") == std::string::npos)
      {
         std::string command = std::string("rm -rf '") + home + "'";
         EXPECT_EQ(std::system(command.c_str()), 0);
      }
   }

   // SIGTERM: the program must shut down by itself with status 0.
   void Stop()
   {
      kill(child, SIGTERM);
      int status = -1;
      const pid_t ended = waitpid(child, &status, 0);
      child = -1;
      ASSERT_GT(ended, 0);
      ASSERT_TRUE(WIFEXITED(status)) << "the program did not end by itself (status " << status << ")";
      EXPECT_EQ(WEXITSTATUS(status), 0);
   }

   // Snapshots one after another: each is "Snap%04d.png" of the next free number, read once the
   // program has written it whole.
   std::unique_ptr<Snapshot> Snap()
   {
      char name[32];
      std::snprintf(name, sizeof(name), "/Snap%04d.png", taken++);
      const std::string path = saveFolder + name;
      while (window && !FileExists(path) && std::chrono::steady_clock::now() < deadline)
      {
         x11.KeyTap(window, XK_F9);
         std::this_thread::sleep_for(std::chrono::milliseconds(40));
      }
      auto shot = std::make_unique<Snapshot>(path);
      while (!shot->bitmap && std::chrono::steady_clock::now() < deadline)
      {
         std::this_thread::sleep_for(std::chrono::milliseconds(50));
         shot = std::make_unique<Snapshot>(path);
      }
      return shot;
   }

   // A first run up to the main menu: the splash skipped, English chosen in the language menu and
   // the profile menu closed. False, with a failure added, when a step never shows.
   bool MainMenuReach()
   {
      std::unique_ptr<Snapshot> shot;
      bool languageMenu = false;
      while (!languageMenu && window && std::chrono::steady_clock::now() < deadline)
      {
         x11.KeyTap(window, XK_Escape);
         shot = Snap();
         languageMenu = shot->bitmap && LanguageMenuCheck(*shot);
      }
      if (!languageMenu)
      {
         ADD_FAILURE() << "the first run offered no language";
         return false;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(600));
      x11.Click(window, 480, 180);
      bool profileMenu = false;
      while (!profileMenu && window && std::chrono::steady_clock::now() < deadline)
      {
         shot = Snap();
         profileMenu = shot->bitmap && ProfileMenuCheck(*shot) && !LanguageMenuCheck(*shot);
      }
      if (!profileMenu)
      {
         ADD_FAILURE() << "the profile menu did not show once English was chosen";
         return false;
      }
      // Its Close leaves the default profile signed in and uncovers the main menu.
      std::this_thread::sleep_for(std::chrono::milliseconds(600));
      x11.Click(window, 840, 63);
      bool mainMenu = false;
      while (!mainMenu && window && std::chrono::steady_clock::now() < deadline)
      {
         shot = Snap();
         mainMenu = shot->bitmap && MainMenuCheck(*shot);
      }
      if (!mainMenu)
      {
         ADD_FAILURE() << "the main menu never showed once the profile menu was closed";
      }
      return mainMenu;
   }

   X11 x11;
   char home[32] = "/tmp/corvale-e2e-XXXXXX";
   std::string saveFolder;
   pid_t child = -1;
   std::chrono::steady_clock::time_point deadline =
       std::chrono::steady_clock::now() + std::chrono::seconds(60);
   Window window = 0;
   int taken = 0;
};
} // namespace ProgramTestSupport
