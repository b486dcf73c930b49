// Drives the real corvale-cards under the test's X display (Xvfb): starts it in the build's data
// folder with a private save folder, finds its window, plays the player's keys and clicks through
// XTest, and reads the F9 screenshots back.
#pragma once

#include <algorithm>
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <dlfcn.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <thread>

#include "core/Allocator.h"
#include "core/FileStdio.h"
#include "core/Memory.h"
#include "platform/image/Bitmap.h"
#include "platform/image/BitmapLoaderPNG.h"
#include "tests/core/JSONTestSupport.h"

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
      // A window the program destroys between our look at the tree and at its attributes must not
      // end the test: Xlib's default handler exits on the BadWindow; the call fails instead.
      auto errorHandlerSet =
          reinterpret_cast<decltype(&XSetErrorHandler)>(dlsym(library, "XSetErrorHandler"));
      if (errorHandlerSet)
      {
         errorHandlerSet([](Display*, XErrorEvent*) { return 0; });
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

// A point of the window.
struct Point
{
   int x;
   int y;
};

// The build's "test-screens" folder, made when missing, where the tests keep the screens they saw.
inline std::string ScreensFolderGet()
{
   const std::string screens = BuildFolderGet() + "/test-screens";
   mkdir(screens.c_str(), 0755);
   return screens;
}

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

// The blue of a button.
inline bool BlueCheck(const Rgb& c)
{
   return c.b > c.r + 40 && c.b > 120;
}

// A blue button shown with its centre at (x, y): sampled in its upper left, clear of the caption.
inline bool ButtonCheck(const Snapshot& shot, int x, int y)
{
   return BlueCheck(shot.At(x - 50, y - 14));
}

// The menu bar over the main menu: the top of its blue Back button at the top right; dx is where
// the virtual area starts in the window.
inline bool MainMenuCheck(const Snapshot& shot, int dx = 0)
{
   return BlueCheck(shot.At(724 + dx, 20));
}

// The gold of a chosen tab.
inline bool GoldCheck(const Rgb& c)
{
   return c.r > 150 && c.g > 100 && c.b < 90;
}

// A first run offers the languages over the profile menu: English is the top button, blue.
inline bool LanguageMenuCheck(const Snapshot& shot)
{
   return BlueCheck(shot.At(380, 178));
}

// The profile menu that every start opens over the main menu: its blue Close button at the top
// right and its gold Sign In tab left of the Statistics one.
inline bool ProfileMenuCheck(const Snapshot& shot)
{
   const Rgb close = shot.At(860, 56);
   const Rgb tab = shot.At(478, 62);
   return BlueCheck(close) && GoldCheck(tab);
}

// The built data's widget files, read to find where a widget sits on the screen.
struct LayerFiles
{
   // The centre of the widget at the dotted path from the layer's root, in virtual units.
   static bool CentreGet(const char* layer, const char* path, int* x, int* y)
   {
      float box[4] = {};
      const bool found = BoxGet(layer, path, box);
      *x = static_cast<int>(box[0] + box[2] / 2.0f);
      *y = static_cast<int>(box[1] + box[3] / 2.0f);
      return found;
   }

   // The box (left, top, width, height) of the widget at the dotted path, in virtual units: its
   // "Bounds", else the size of its "UpOutState" or "OffUpOutState" picture, else its
   // "TextBounds". A last component that names no child names an object member (a slider's
   // "IncreaseButton"). False when the path or a size is not found.
   static bool BoxGet(const char* layer, const char* path, float box[4])
   {
      if (!Corvale::Memory::InitialisedCheck())
      {
         Corvale::Memory::Init();
      }
      const std::string gui = BuildFolderGet() + "/data/Graphics/GUI/" + layer;
      JSONTest::ValuePointer widgets = JSONTest::TextParse(FileRead(gui + "/Widgets.json"));
      const Corvale::JSONValue* widget = widgets.get();
      float left = 0.0f, top = 0.0f;
      std::string rest = path;
      while (widget && !rest.empty())
      {
         const size_t dot = rest.find('.');
         const std::string name = rest.substr(0, dot);
         rest = dot == std::string::npos ? "" : rest.substr(dot + 1);
         const Corvale::JSONValue* children = widget->ItemGet("Children");
         const Corvale::JSONValue* found = nullptr;
         for (Corvale::i32 i = 0; i < children->CountGet() && !found; ++i)
         {
            const char* childName = children->ElementGet(i)->ItemGet("Name")->StringValueGet();
            found = childName && name == childName ? children->ElementGet(i) : nullptr;
         }
         widget = found ? found : widget->ItemFind(name.c_str());
         float dx = 0.0f, dy = 0.0f;
         if (widget && std::sscanf(Text(widget, "PositionOffset"), "%f|%f", &dx, &dy) == 2)
         {
            left += dx;
            top += dy;
         }
      }
      if (!widget)
      {
         return false;
      }
      bool sized =
          std::sscanf(Text(widget, "Bounds"), "%f|%f|%f|%f", &box[0], &box[1], &box[2], &box[3]) == 4;
      for (const char* state : {"UpOutState", "OffUpOutState"})
      {
         int width = 0, height = 0;
         if (!sized && PictureSizeGet(gui, Text(widget, state), &width, &height))
         {
            box[2] = static_cast<float>(width);
            box[3] = static_cast<float>(height);
            sized = true;
         }
      }
      sized = sized ||
              std::sscanf(Text(widget, "TextBounds"), "%f|%f|%f|%f", &box[0], &box[1], &box[2], &box[3]) == 4;
      box[0] += left;
      box[1] += top;
      return sized;
   }

   static const char* Text(const Corvale::JSONValue* widget, const char* key)
   {
      const char* text = widget->ItemGet(key)->StringValueGet();
      return text ? text : "";
   }

   // The size of a state's picture, named by the layer's sprite file, from its PNG header.
   static bool PictureSizeGet(const std::string& gui, const char* state, int* width, int* height)
   {
      JSONTest::ValuePointer sprites = JSONTest::TextParse(FileRead(gui + "/Sprites.json"));
      const char* picture = sprites ? sprites->ItemGet(state)->StringValueGet() : nullptr;
      const std::string png =
          picture ? FileRead(BuildFolderGet() + "/data/Graphics/" + picture + ".png") : "";
      if (png.size() < 24 || png.compare(12, 4, "IHDR") != 0)
      {
         return false;
      }
      *width = static_cast<int>(BigEndianRead(png, 16));
      *height = static_cast<int>(BigEndianRead(png, 20));
      return true;
   }
};

// A picture of many colours, not one flat fill.
inline bool ManyColoursCheck(const Snapshot& shot, int width)
{
   std::set<int> colours;
   for (int y = 0; y < 720; y += 8)
   {
      for (int x = 0; x < width; x += 8)
      {
         const Rgb c = shot.At(x, y);
         colours.insert((c.r / 16) << 8 | (c.g / 16) << 4 | (c.b / 16));
      }
   }
   return colours.size() > 20;
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
      lastShot = path;
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

   // Looks until the screen passes the check; the last look in shot. False by the deadline.
   template <typename Check> bool ScreenWait(Check check, std::unique_ptr<Snapshot>* shot = nullptr)
   {
      std::unique_ptr<Snapshot> look;
      bool passed = false;
      while (!passed && window && std::chrono::steady_clock::now() < deadline)
      {
         look = Snap();
         passed = look->bitmap && check(*look);
      }
      if (passed)
      {
         // Each step passed renews the time left, so that a long walk through several games on a
         // loaded machine fails only on a step that never comes.
         deadline = std::max(deadline, std::chrono::steady_clock::now() + STEP_TIME);
      }
      if (!passed && !lastShot.empty())
      {
         // The screen that never passed, kept to look at.
         const std::string kept = ScreensFolderGet() + "/" +
                                  ::testing::UnitTest::GetInstance()->current_test_info()->name() +
                                  ".Failed.png";
         std::ofstream(kept, std::ios::binary) << FileRead(lastShot);
         // What the program said, and whether it still runs: a wait that never passes is often a
         // program that went.
         std::ofstream(kept + ".Log.txt", std::ios::binary) << FileRead(saveFolder + "/Log.txt");
         int status = 0;
         if (child > 0 && waitpid(child, &status, WNOHANG) == child)
         {
            child = -1;
            ADD_FAILURE() << "the program ended during the wait: "
                          << (WIFSIGNALED(status) ? "signal " + std::to_string(WTERMSIG(status))
                                                  : "status " + std::to_string(WEXITSTATUS(status)));
         }
      }
      if (shot)
      {
         *shot = std::move(look);
      }
      return passed;
   }

   // Clicks at (x, y) until the screen passes the check. A click that lands while a menu still
   // moves in is lost: while the screen still shows what the click needs (the "waiting" check),
   // the click is repeated every few looks.
   template <typename Check, typename Waiting>
   bool ClickUntil(int x, int y, Check check, Waiting waiting, std::unique_ptr<Snapshot>* shot = nullptr)
   {
      int look = 0;
      return ScreenWait(
          [&](const Snapshot& seen)
          {
             if (check(seen))
             {
                return true;
             }
             if (look++ % 10 == 0 && waiting(seen))
             {
                x11.Click(window, x, y);
             }
             return false;
          },
          shot);
   }

   // Answers the first run's language menu with English and closes the profile menu that every
   // start opens, which uncovers the main menu; the profile menu's screenshot is kept.
   void MainMenuReach()
   {
      bool languageMenu = false;
      while (!languageMenu && window && std::chrono::steady_clock::now() < deadline)
      {
         x11.KeyTap(window, XK_Escape);
         std::unique_ptr<Snapshot> shot = Snap();
         ASSERT_NE(shot->bitmap, nullptr);
         languageMenu = LanguageMenuCheck(*shot);
      }
      ASSERT_TRUE(languageMenu) << "the first run offered no language";
      ASSERT_TRUE(ClickUntil(
          480, 180, [](const Snapshot& shot) { return ProfileMenuCheck(shot) && !LanguageMenuCheck(shot); },
          LanguageMenuCheck))
          << "the profile menu did not show once English was chosen";
      profileMenuShot = lastShot;
      // Its Close leaves the default profile signed in and uncovers the main menu.
      ASSERT_TRUE(ClickUntil(
          840, 63, [](const Snapshot& shot) { return MainMenuCheck(shot); }, ProfileMenuCheck))
          << "the main menu never showed once the profile menu was closed";
   }

   // The program's own end, with status 0 and nothing logged.
   void EndWait()
   {
      int status = -1;
      pid_t ended = 0;
      while (ended == 0 && std::chrono::steady_clock::now() < deadline)
      {
         std::this_thread::sleep_for(std::chrono::milliseconds(100));
         ended = waitpid(child, &status, WNOHANG);
      }
      ASSERT_GT(ended, 0) << "the program did not close";
      child = -1;
      ASSERT_TRUE(WIFEXITED(status));
      EXPECT_EQ(WEXITSTATUS(status), 0);
      EXPECT_EQ(FileRead(saveFolder + "/Log.txt"), "") << "the run logged a problem";
   }

   // Back at the root menu asks "ConfirmCloseProgram" (its screenshot kept at keptAs when given);
   // its Yes ends the program with status 0 and nothing logged. dx: where the virtual area starts.
   void CloseThroughTheMenuBar(int dx, const std::string& keptAs = "")
   {
      int x = 0, y = 0;
      ASSERT_TRUE(LayerFiles::CentreGet("MenuBar", "Panel.Back", &x, &y));
      int yesX = 0, yesY = 0;
      ASSERT_TRUE(LayerFiles::CentreGet("MessageBoxYesNo", "Panel.Yes", &yesX, &yesY));
      int noX = 0, noY = 0;
      ASSERT_TRUE(LayerFiles::CentreGet("MessageBoxYesNo", "Panel.No", &noX, &noY));
      ASSERT_TRUE(ClickUntil(
          x + dx, y,
          [&](const Snapshot& shot)
          { return ButtonCheck(shot, yesX + dx, yesY) && ButtonCheck(shot, noX + dx, noY); },
          [dx](const Snapshot& shot) { return MainMenuCheck(shot, dx); }))
          << "Back asked nothing";
      std::this_thread::sleep_for(std::chrono::milliseconds(1000));
      if (!keptAs.empty())
      {
         ASSERT_NE(Snap()->bitmap, nullptr);
         ScreenKeep(lastShot, keptAs, 960 + 2 * dx);
      }
      x11.Click(window, yesX + dx, yesY);
      EndWait();
   }

   // Copies a screenshot out of the save folder; it must be a PNG of the window's size, 720 high,
   // and of many colours.
   void ScreenKeep(const std::string& shotPath, const std::string& keptAs, int width)
   {
      const std::string png = FileRead(shotPath);
      ASSERT_GE(png.size(), 24u) << shotPath;
      EXPECT_EQ(png.compare(0, 8, "\x89PNG\r\n\x1a\n", 8), 0) << shotPath;
      EXPECT_EQ(BigEndianRead(png, 16), static_cast<u_int32_t>(width)) << keptAs;
      EXPECT_EQ(BigEndianRead(png, 20), 720u) << keptAs;
      Snapshot shot(shotPath);
      ASSERT_NE(shot.bitmap, nullptr) << shotPath;
      EXPECT_TRUE(ManyColoursCheck(shot, width)) << keptAs << " is nearly one flat colour";
      std::ofstream(keptAs, std::ios::binary) << png;
   }

   X11 x11;
   // The path of the snapshot taken last, and of the profile menu's.
   std::string lastShot;
   std::string profileMenuShot;
   char home[32] = "/tmp/corvale-e2e-XXXXXX";
   std::string saveFolder;
   pid_t child = -1;
   // Generous: it only runs out when a test fails, and a loaded sanitizer run is slow.
   static constexpr std::chrono::seconds STEP_TIME{240};
   std::chrono::steady_clock::time_point deadline = std::chrono::steady_clock::now() + STEP_TIME;
   Window window = 0;
   int taken = 0;
};
} // namespace ProgramTestSupport
