// Runs the real corvale-cards under the test's X display (Xvfb): it must open its window, run
// frames, save Snap0000.png of the window on F9, and on SIGTERM shut down with status 0, leaving
// Log.txt and Settings.json in the save-data folder.
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
#include <string>
#include <thread>

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

TEST(ProgramEndToEnd, RunsFramesTakesAScreenshotAndShutsDownCleanly)
{
   if (!std::getenv("DISPLAY"))
   {
      GTEST_SKIP() << "needs an X display (run under xvfb-run)";
   }
   X11 x11;
   if (!x11.Open())
   {
      GTEST_SKIP() << "Xlib is not available to press keys";
   }
   const std::string build = BuildFolderGet();
   const std::string program = build + "/app/corvale-cards";
   const std::string dataFolder = build + "/data";
   ASSERT_TRUE(FileExists(program)) << program;
   ASSERT_TRUE(FileExists(dataFolder + "/Scripts/BuildConsts.json"));

   char home[] = "/tmp/corvale-e2e-XXXXXX";
   ASSERT_NE(mkdtemp(home), nullptr);
   const std::string saveFolder = std::string(home) + "/Corvale/CardGames";

   const pid_t child = fork();
   ASSERT_GE(child, 0);
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

   const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(40);
   Window window = 0;
   while (!window && std::chrono::steady_clock::now() < deadline)
   {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      window = x11.WindowFind(960, 720);
   }
   EXPECT_NE(window, 0u) << "the 960 x 720 window never appeared";
   const std::string snapshot = saveFolder + "/Snap0000.png";
   while (window && !FileExists(snapshot) && std::chrono::steady_clock::now() < deadline)
   {
      x11.KeyTap(window, XK_F9);
      std::this_thread::sleep_for(std::chrono::milliseconds(400));
   }

   kill(child, SIGTERM);
   int status = -1;
   ASSERT_EQ(waitpid(child, &status, 0), child);
   ASSERT_TRUE(WIFEXITED(status)) << "the program did not end by itself (status " << status << ")";
   EXPECT_EQ(WEXITSTATUS(status), 0);

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

   std::string command = std::string("rm -rf '") + home + "'";
   EXPECT_EQ(std::system(command.c_str()), 0);
}
} // namespace
