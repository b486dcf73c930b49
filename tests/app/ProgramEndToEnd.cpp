// Runs the real corvale-cards under the test's X display (Xvfb): it must open its window, run
// frames, save Snap0000.png of the window on F9, and on SIGTERM shut down with status 0, leaving
// Log.txt and Settings.json in the save-data folder; and it must show its splash, skip it on
// Escape and fill the loading screen's bar, then reach the main menu under the profile menu, whose
// Close uncovers it, and whose menu bar closes the program; and its menu bar's settings menu must
// change the music volume and the window for good.
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
#include <filesystem>
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

namespace
{
std::string BuildFolderGet()
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

std::string FileRead(const std::string& path)
{
   std::ifstream in(path, std::ios::binary);
   return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool FileExists(const std::string& path)
{
   return access(path.c_str(), F_OK) == 0;
}

u_int32_t BigEndianRead(const std::string& bytes, size_t at)
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
pid_t ProgramStart(const char* home)
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

// The menu bar over the main menu: the top of its blue Back button at the top right; dx is where
// the virtual area starts in the window.
bool MainMenuCheck(const Snapshot& shot, int dx = 0)
{
   const Rgb back = shot.At(724 + dx, 20);
   return back.b > back.r + 40 && back.b > 120;
}

// A first run offers the languages over the profile menu: English is the top button, blue.
bool LanguageMenuCheck(const Snapshot& shot)
{
   const Rgb english = shot.At(380, 178);
   return english.b > english.r + 40 && english.b > 120;
}

// The profile menu that every start opens over the main menu: its blue Close button at the top
// right and its gold Sign In tab left of the Statistics one.
bool ProfileMenuCheck(const Snapshot& shot)
{
   const Rgb close = shot.At(860, 56);
   const Rgb tab = shot.At(478, 62);
   return close.b > close.r + 40 && close.b > 120 && tab.r > 150 && tab.g > 100 && tab.b < 90;
}

// The built data's widget files, read to find where a widget sits on the screen.
struct LayerFiles
{
   // The centre of the widget at the dotted path from the layer's root, in virtual units: its
   // "Bounds", else the size of its "UpOutState" or "OffUpOutState" picture, else its
   // "TextBounds". A last component that names no child names an object member (a slider's
   // "IncreaseButton"). False when the path or a size is not found.
   static bool CentreGet(const char* layer, const char* path, int* x, int* y)
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
      float box[4] = {};
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
      *x = static_cast<int>(left + box[0] + box[2] / 2.0f);
      *y = static_cast<int>(top + box[1] + box[3] / 2.0f);
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
bool ManyColoursCheck(const Snapshot& shot, int width)
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
class ProgramEndToEnd : public ::testing::Test
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

   // Answers the first run's language menu with English and closes the profile menu that every
   // start opens, which uncovers the main menu; the profile menu's screenshot is kept.
   void MainMenuReach()
   {
      std::unique_ptr<Snapshot> shot;
      bool languageMenu = false;
      while (!languageMenu && window && std::chrono::steady_clock::now() < deadline)
      {
         x11.KeyTap(window, XK_Escape);
         shot = Snap();
         ASSERT_NE(shot->bitmap, nullptr);
         languageMenu = LanguageMenuCheck(*shot);
      }
      ASSERT_TRUE(languageMenu) << "the first run offered no language";
      // A click that lands while the menus still move is lost: while a menu stays, its button is
      // clicked again every few looks.
      std::this_thread::sleep_for(std::chrono::milliseconds(600));
      bool profileMenu = false;
      for (int look = 0; !profileMenu && window && std::chrono::steady_clock::now() < deadline; ++look)
      {
         if (look % 10 == 0 && (look == 0 || LanguageMenuCheck(*shot)))
         {
            x11.Click(window, 480, 180);
         }
         shot = Snap();
         ASSERT_NE(shot->bitmap, nullptr);
         profileMenu = ProfileMenuCheck(*shot) && !LanguageMenuCheck(*shot);
      }
      ASSERT_TRUE(profileMenu) << "the profile menu did not show once English was chosen";
      profileMenuShot = lastShot;
      // Its Close leaves the default profile signed in and uncovers the main menu.
      std::this_thread::sleep_for(std::chrono::milliseconds(600));
      bool mainMenu = false;
      for (int look = 0; !mainMenu && window && std::chrono::steady_clock::now() < deadline; ++look)
      {
         if (look % 10 == 0 && (look == 0 || ProfileMenuCheck(*shot)))
         {
            x11.Click(window, 840, 63);
         }
         shot = Snap();
         ASSERT_NE(shot->bitmap, nullptr);
         mainMenu = MainMenuCheck(*shot);
      }
      ASSERT_TRUE(mainMenu) << "the main menu never showed once the profile menu was closed";
   }

   // Back at the root menu asks "ConfirmCloseProgram" (its screenshot kept at keptAs when given);
   // its Yes ends the program with status 0 and nothing logged. dx: where the virtual area starts.
   void CloseThroughTheMenuBar(int dx, const std::string& keptAs = "")
   {
      int x = 0, y = 0;
      ASSERT_TRUE(LayerFiles::CentreGet("MenuBar", "Panel.Back", &x, &y));
      x11.Click(window, x + dx, y);
      std::this_thread::sleep_for(std::chrono::milliseconds(1000));
      if (!keptAs.empty())
      {
         ASSERT_NE(Snap()->bitmap, nullptr);
         ScreenKeep(lastShot, keptAs, 960 + 2 * dx);
      }
      ASSERT_TRUE(LayerFiles::CentreGet("MessageBoxYesNo", "Panel.Yes", &x, &y));
      x11.Click(window, x + dx, y);
      int status = -1;
      pid_t ended = 0;
      while (ended == 0 && std::chrono::steady_clock::now() < deadline)
      {
         std::this_thread::sleep_for(std::chrono::milliseconds(100));
         ended = waitpid(child, &status, WNOHANG);
      }
      ASSERT_GT(ended, 0) << "the program did not close after Yes";
      child = -1;
      ASSERT_TRUE(WIFEXITED(status));
      EXPECT_EQ(WEXITSTATUS(status), 0);
      EXPECT_EQ(FileRead(saveFolder + "/Log.txt"), "") << "the run logged a problem";
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
   const std::chrono::steady_clock::time_point deadline =
       std::chrono::steady_clock::now() + std::chrono::seconds(60);
   Window window = 0;
   int taken = 0;
};

TEST_F(ProgramEndToEnd, RunsFramesTakesAScreenshotAndShutsDownCleanly)
{
   const std::string snapshot = saveFolder + "/Snap0000.png";
   while (window && !FileExists(snapshot) && std::chrono::steady_clock::now() < deadline)
   {
      x11.KeyTap(window, XK_F9);
      std::this_thread::sleep_for(std::chrono::milliseconds(400));
   }
   Stop();

   const std::string png = FileRead(snapshot);
   ASSERT_GE(png.size(), 33u) << "no valid " << snapshot;
   EXPECT_EQ(png.compare(0, 8, "\x89PNG\r\n\x1a\n", 8), 0);
   EXPECT_EQ(png.compare(12, 4, "IHDR"), 0);
   EXPECT_EQ(BigEndianRead(png, 16), 960u);
   EXPECT_EQ(BigEndianRead(png, 20), 720u);

   EXPECT_TRUE(FileExists(saveFolder + "/Log.txt"));
   const std::string settingsText = FileRead(saveFolder + "/Settings.json");
   EXPECT_NE(settingsText.find("\"Fullscreen\": false"), std::string::npos) << settingsText;
   EXPECT_NE(settingsText.find("\"PreparedAreaWindowedEnabled\""), std::string::npos) << settingsText;
   // The first start signs in the default profile and saves it at the end.
   EXPECT_NE(settingsText.find("\"Profile\": \"Player\""), std::string::npos) << settingsText;
   EXPECT_NE(settingsText.find("\"FolderNumber\": 0"), std::string::npos) << settingsText;
   EXPECT_TRUE(FileExists(saveFolder + "/Profiles/0/Profile.json"));
}

// The title card first; Escape skips it; the loading screen's bar fills over its felt and the panel leaves
// for the main menu; the program then ends cleanly with nothing logged.
TEST_F(ProgramEndToEnd, SplashSkipsToTheLoadingScreenWhoseBarFills)
{
   if (!x11.fakeKeyEvent)
   {
      GTEST_SKIP() << "XTest is not available to press keys";
   }

   // The title card's felt: green at the centre of the screen, the rest black.
   bool titleSeen = false;
   while (!titleSeen && window && std::chrono::steady_clock::now() < deadline)
   {
      std::unique_ptr<Snapshot> shotRead = Snap();
      ASSERT_NE(shotRead->bitmap, nullptr);
      const Snapshot& shot = *shotRead;
      const Rgb centre = shot.At(480, 600);
      const Rgb felt = shot.At(480, 560);
      titleSeen = centre.r + centre.g + centre.b < 10 && felt.g > felt.r + 20 && felt.g > 40;
   }
   EXPECT_TRUE(titleSeen) << "the splash's title card never showed";

   x11.KeyTap(window, XK_Escape);
   // The splash is black under its title card, which alone reaches x 120; the loading screen's
   // felt fills the whole screen. The loading panel's gold border runs down x 261, and its bar's
   // gold fill reaches x 650 only once everything is loaded.
   bool panelSeen = false, barFull = false, ended = false;
   while (!ended && window && std::chrono::steady_clock::now() < deadline)
   {
      std::unique_ptr<Snapshot> shotRead = Snap();
      ASSERT_NE(shotRead->bitmap, nullptr);
      const Snapshot& shot = *shotRead;
      if (MainMenuCheck(shot) || ProfileMenuCheck(shot) || LanguageMenuCheck(shot))
      {
         ended = panelSeen;
         EXPECT_TRUE(panelSeen) << "the main menu came before the loading screen";
         break;
      }
      const Rgb side = shot.At(120, 360);
      const Rgb below = shot.At(480, 600);
      const bool felt = below.g > below.r + 15 && below.g > 30;
      if (!felt && side.r + side.g + side.b > 30)
      {
         // The title card, or the main menu's backdrop fading in before its menu bar shows.
         continue;
      }
      bool panel = false;
      for (int y = 0; y < 720; y += 2)
      {
         const Rgb fill = shot.At(650, y);
         barFull = barFull || (fill.r > 180 && fill.g > 130 && fill.b < 120);
         const Rgb border = shot.At(261, y);
         panel = panel || (border.r > 150 && border.g > 120);
      }
      panelSeen = panelSeen || panel;
   }
   EXPECT_TRUE(panelSeen) << "the loading screen never showed";
   EXPECT_TRUE(barFull) << "the loading bar never filled";
   EXPECT_TRUE(ended) << "the loading screen never left for the main menu";

   Stop();
   EXPECT_EQ(FileRead(saveFolder + "/Log.txt"), "") << "the run logged a problem";
}
// Past splash and loading the main menu shows under the profile menu; once that is closed, the
// menu bar's Back asks to close the program, and Yes ends it with status 0.
TEST_F(ProgramEndToEnd, ReachesTheMainMenuAndClosesThroughTheMenuBar)
{
   if (!x11.fakeKeyEvent || !x11.fakeButtonEvent)
   {
      GTEST_SKIP() << "XTest is not available to press keys and buttons";
   }
   ASSERT_NO_FATAL_FAILURE(MainMenuReach());
   // Let the entry transitions end, then look again: the panel, the preview and the buttons
   // make far more than one colour.
   std::this_thread::sleep_for(std::chrono::milliseconds(1200));
   std::unique_ptr<Snapshot> shot = Snap();
   ASSERT_NE(shot->bitmap, nullptr);
   EXPECT_TRUE(ManyColoursCheck(*shot, 960)) << "the main menu is nearly one flat colour";

   ASSERT_NO_FATAL_FAILURE(CloseThroughTheMenuBar(0));
   const std::string settingsText = FileRead(saveFolder + "/Settings.json");
   EXPECT_NE(settingsText.find("\"Language\": \"English\""), std::string::npos) << settingsText;
}

// The menu bar's Settings opens the settings menu; the music volume slider's increase button
// raises the volume, the wide window shows the whole prepared area, Play closes the menu, and
// both stay when the program ends. Each screen on the way is kept in "test-screens".
TEST_F(ProgramEndToEnd, TheSettingsMenuRaisesTheMusicAndWidensTheWindowForGood)
{
   if (!x11.fakeKeyEvent || !x11.fakeButtonEvent)
   {
      GTEST_SKIP() << "XTest is not available to press keys and buttons";
   }
   const std::string screens = BuildFolderGet() + "/test-screens";
   std::filesystem::create_directories(screens);
   ASSERT_NO_FATAL_FAILURE(MainMenuReach());
   ScreenKeep(profileMenuShot, screens + "/ProfileMenu.png", 960);
   std::this_thread::sleep_for(std::chrono::milliseconds(1200));
   ASSERT_NE(Snap()->bitmap, nullptr);
   ScreenKeep(lastShot, screens + "/MainMenu.png", 960);

   int x = 0, y = 0;
   ASSERT_TRUE(LayerFiles::CentreGet("MenuBar", "Panel.Settings", &x, &y));
   int tabX = 0, tabY = 0;
   ASSERT_TRUE(LayerFiles::CentreGet("SettingsMenu", "Panel.SubmenuButtons.Environment", &tabX, &tabY));
   // Above the tab's caption.
   tabY -= 14;
   // The settings menu: the environment page's gold tab, where the profile menu has none; clicked
   // again every few looks, as above.
   bool settingsMenu = false;
   for (int attempt = 0; !settingsMenu && window && std::chrono::steady_clock::now() < deadline; ++attempt)
   {
      if (attempt % 10 == 0)
      {
         x11.Click(window, x, y);
      }
      std::unique_ptr<Snapshot> shot = Snap();
      ASSERT_NE(shot->bitmap, nullptr);
      const Rgb tab = shot->At(tabX, tabY);
      settingsMenu = tab.r > 150 && tab.g > 100 && tab.b < 90 && !ProfileMenuCheck(*shot);
   }
   ASSERT_TRUE(settingsMenu) << "the menu bar's Settings opened no settings menu";
   std::this_thread::sleep_for(std::chrono::milliseconds(800));
   ASSERT_NE(Snap()->bitmap, nullptr);
   ScreenKeep(lastShot, screens + "/SettingsMenu.png", 960);

   ASSERT_TRUE(LayerFiles::CentreGet("SettingsMenu", "Panel.Submenus.Environment.MusicVolume.IncreaseButton",
                                     &x, &y));
   x11.Click(window, x, y);
   std::this_thread::sleep_for(std::chrono::milliseconds(300));
   ASSERT_TRUE(LayerFiles::CentreGet("SettingsMenu", "Panel.Submenus.Environment.WideWindow", &x, &y));
   x11.Click(window, x, y);
   // The wide window shows the prepared area from x -160: the virtual area moves right by 160.
   const int wide = 160;
   Window widened = 0;
   while (!widened && std::chrono::steady_clock::now() < deadline)
   {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      widened = x11.WindowFind(1280, 720);
   }
   ASSERT_EQ(widened, window) << "the window did not widen to 1280 x 720";
   std::this_thread::sleep_for(std::chrono::milliseconds(400));
   ASSERT_NE(Snap()->bitmap, nullptr);
   ScreenKeep(lastShot, screens + "/SettingsMenuWide.png", 1280);

   ASSERT_TRUE(LayerFiles::CentreGet("SettingsMenu", "Panel.Submenus.Environment.Play", &x, &y));
   x11.Click(window, x + wide, y);
   bool mainMenu = false;
   while (!mainMenu && std::chrono::steady_clock::now() < deadline)
   {
      std::unique_ptr<Snapshot> shot = Snap();
      ASSERT_NE(shot->bitmap, nullptr);
      const Rgb tab = shot->At(tabX + wide, tabY);
      mainMenu = MainMenuCheck(*shot, wide) && !(tab.r > 150 && tab.g > 100 && tab.b < 90);
   }
   ASSERT_TRUE(mainMenu) << "Play did not close the settings menu";
   std::this_thread::sleep_for(std::chrono::milliseconds(600));

   ASSERT_NO_FATAL_FAILURE(CloseThroughTheMenuBar(wide, screens + "/ConfirmCloseProgram.png"));
   const std::string profileText = FileRead(saveFolder + "/Profiles/0/Profile.json");
   EXPECT_NE(profileText.find("\"MusicVolume\": 71"), std::string::npos) << profileText;
   const std::string settingsText = FileRead(saveFolder + "/Settings.json");
   EXPECT_NE(settingsText.find("\"PreparedAreaWindowedEnabled\": true"), std::string::npos) << settingsText;
   EXPECT_NE(settingsText.find("\"Profile\": \"Player\""), std::string::npos) << settingsText;
}
// Hearts from the main menu: the selector steps down from Solitaire to Hearts, Play starts it, and the
// human's fanned hand lies face up at the bottom of the table; the screen is kept in
// "test-screens".
TEST_F(ProgramEndToEnd, HeartsStartsFromTheMainMenuWithTheHumansHandDealt)
{
   if (!x11.fakeKeyEvent || !x11.fakeButtonEvent)
   {
      GTEST_SKIP() << "XTest is not available to press keys and buttons";
   }
   const std::string screens = BuildFolderGet() + "/test-screens";
   std::filesystem::create_directories(screens);
   ASSERT_NO_FATAL_FAILURE(MainMenuReach());
   std::this_thread::sleep_for(std::chrono::milliseconds(1200));
   // Hearts is the fourteenth entry of the main menu's games.
   for (int step = 0; step < 13; ++step)
   {
      x11.KeyTap(window, XK_Down);
      std::this_thread::sleep_for(std::chrono::milliseconds(150));
   }
   std::this_thread::sleep_for(std::chrono::milliseconds(600));
   int x = 0, y = 0;
   ASSERT_TRUE(LayerFiles::CentreGet("MainMenu", "MenuPanel.Play", &x, &y));
   // A game entered the first time opens the settings on its own page; its Play closes them.
   int playX = 0, playY = 0;
   ASSERT_TRUE(LayerFiles::CentreGet("SettingsMenu", "Panel.Submenus.Game.Play", &playX, &playY));
   // The hand: thirteen cards from x 330 on, their white faces along y 690, where the main menu
   // shows only felt.
   bool dealt = false;
   for (int look = 0; !dealt && window && std::chrono::steady_clock::now() < deadline; ++look)
   {
      if (look % 20 == 0)
      {
         x11.Click(window, x, y);
      }
      else if (look % 20 == 10)
      {
         // Left of the centre, well clear of the main menu's Exit below it.
         x11.Click(window, playX - 50, playY);
      }
      std::unique_ptr<Snapshot> shot = Snap();
      ASSERT_NE(shot->bitmap, nullptr);
      int white = 0;
      for (int px = 330; px < 720; ++px)
      {
         const Rgb colour = shot->At(px, 690);
         white += colour.r > 225 && colour.g > 225 && colour.b > 225 ? 1 : 0;
      }
      dealt = white > 250;
   }
   ScreenKeep(lastShot, screens + "/Hearts.png", 960);
   ASSERT_TRUE(dealt) << "no hand dealt face up at the bottom of the table";
   Stop();
}
} // namespace
