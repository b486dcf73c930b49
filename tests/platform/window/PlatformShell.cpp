// Opening links: the address reaches xdg-open as one argument, never through a shell.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "platform/window/PlatformShell.h"

namespace Corvale
{
namespace
{
// Puts a fake xdg-open first on PATH that writes its arguments to a file.
class URLOpenTest : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      char pattern[] = "/tmp/corvale-urlopen-XXXXXX";
      ASSERT_NE(mkdtemp(pattern), nullptr);
      folder = pattern;
      output = folder + "/arguments";
      const std::string script = folder + "/xdg-open";
      std::ofstream(script) << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" << output
                            << ".part\"\nmv \"" << output << ".part\" \"" << output << "\"\n";
      chmod(script.c_str(), 0755);
      const char* path = std::getenv("PATH");
      oldPath = path ? path : "";
      setenv("PATH", (folder + ":" + oldPath).c_str(), 1);
   }
   void TearDown() override
   {
      setenv("PATH", oldPath.c_str(), 1);
      std::system(("rm -rf '" + folder + "'").c_str());
   }
   // The fake runs detached: wait for its file.
   std::string ArgumentsRead()
   {
      for (int i = 0; i < 200; ++i)
      {
         std::ifstream in(output);
         if (in)
         {
            return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
         }
         std::this_thread::sleep_for(std::chrono::milliseconds(10));
      }
      return "(no output)";
   }
   std::string folder, output, oldPath;
};

// Children of this process that have ended but were never waited for.
int ZombieChildrenCount()
{
   int count = 0;
   const std::string parent = "PPid:\t" + std::to_string(getpid());
   for (const auto& entry : std::filesystem::directory_iterator("/proc"))
   {
      std::ifstream status(entry.path() / "status");
      std::string line;
      bool zombie = false;
      bool ours = false;
      while (std::getline(status, line))
      {
         zombie = zombie || line.rfind("State:\tZ", 0) == 0;
         ours = ours || line == parent;
      }
      count += zombie && ours ? 1 : 0;
   }
   return count;
}
} // namespace

TEST_F(URLOpenTest, AddressIsOneArgumentWithShellCharactersKept)
{
   const char* address = "https://example.invalid/a b?x=1;touch /tmp/corvale-pwned&y=$(id)";
   ASSERT_TRUE(URLOpen(address));
   EXPECT_EQ(ArgumentsRead(), std::string(address) + "\n");
   EXPECT_NE(access("/tmp/corvale-pwned", F_OK), 0);
}

TEST_F(URLOpenTest, MissingAddressOrProgramIsRefused)
{
   EXPECT_FALSE(URLOpen(nullptr));
   EXPECT_FALSE(URLOpen(""));
   // Without xdg-open on the path the failure is the caller's to see, not a silent success.
   setenv("PATH", (folder + "/nothing-here").c_str(), 1);
   EXPECT_FALSE(URLOpen("https://example.invalid/"));
}

// The started program is collected when it ends: no zombie children pile up over a session.
TEST_F(URLOpenTest, EndedProgramsLeaveNoZombie)
{
   for (int i = 0; i < 3; ++i)
   {
      ASSERT_TRUE(URLOpen("https://example.invalid/"));
   }
   EXPECT_EQ(ArgumentsRead(), "https://example.invalid/\n");
   const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
   int zombies = -1;
   while (zombies != 0 && std::chrono::steady_clock::now() < deadline)
   {
      zombies = ZombieChildrenCount();
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
   }
   EXPECT_EQ(zombies, 0);
}
} // namespace Corvale
