// Opening links: the address reaches xdg-open as one argument, never through a shell.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
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
} // namespace

TEST_F(URLOpenTest, AddressIsOneArgumentWithShellCharactersKept)
{
   const char* address = "https://example.invalid/a b?x=1;touch /tmp/corvale-pwned&y=$(id)";
   ASSERT_TRUE(URLOpen(address));
   EXPECT_EQ(ArgumentsRead(), std::string(address) + "\n");
   EXPECT_NE(access("/tmp/corvale-pwned", F_OK), 0);
}

TEST_F(URLOpenTest, MissingAddressIsRefused)
{
   EXPECT_FALSE(URLOpen(nullptr));
   EXPECT_FALSE(URLOpen(""));
}
} // namespace Corvale
