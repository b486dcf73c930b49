// Runs the real corvale-cards from folders that hold no usable resources: it must say why on
// standard error, make no save folder and end, instead of opening an empty window.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace
{
std::string ProgramPathGet()
{
   char path[PATH_MAX] = {};
   const ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
   if (length <= 0)
   {
      return "";
   }
   // <build>/tests/test_app_...
   std::filesystem::path exe(std::string(path, static_cast<size_t>(length)));
   return (exe.parent_path().parent_path() / "app" / "corvale-cards").string();
}

struct ProgramOutcome
{
   int status = -1;
   std::string errors;
};

// Starts the program in folder with its save data under home; stops it if it is still running
// at the deadline, as a program that opened its window would be.
ProgramOutcome ProgramRunIn(const std::string& folder, const std::string& home)
{
   ProgramOutcome run;
   const std::string program = ProgramPathGet();
   const std::string errorsPath = home + "/stderr.txt";
   const pid_t child = fork();
   if (child < 0)
   {
      return run;
   }
   if (child == 0)
   {
      const int errors = open(errorsPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      if (errors < 0 || dup2(errors, 2) < 0 || chdir(folder.c_str()) != 0)
      {
         _exit(126);
      }
      setenv("XDG_DATA_HOME", (home + "/data").c_str(), 1);
      setenv("ALSOFT_DRIVERS", "null", 1);
      setenv("CORVALE_HEADLESS", "1", 1);
      execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
      _exit(127);
   }
   const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
   while (waitpid(child, &run.status, WNOHANG) == 0)
   {
      if (std::chrono::steady_clock::now() > deadline)
      {
         kill(child, SIGKILL);
         waitpid(child, &run.status, 0);
         break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
   }
   std::ifstream in(errorsPath);
   run.errors.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
   return run;
}

class ProgramStartTest : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      char pattern[] = "/tmp/corvale-start-XXXXXX";
      ASSERT_NE(mkdtemp(pattern), nullptr);
      home = pattern;
      folder = home + "/work";
      std::filesystem::create_directories(folder);
      ASSERT_TRUE(std::filesystem::exists(ProgramPathGet())) << ProgramPathGet();
   }
   void TearDown() override { std::filesystem::remove_all(home); }

   std::string home;
   std::string folder;
};

TEST_F(ProgramStartTest, AnEmptyFolderEndsWithOneLineAndStatusOne)
{
   // A tree without its constants is no tree either.
   std::filesystem::create_directories(folder + "/Graphics");
   ProgramOutcome run = ProgramRunIn(folder, home);
   ASSERT_TRUE(WIFEXITED(run.status)) << "status " << run.status << ": " << run.errors;
   EXPECT_EQ(WEXITSTATUS(run.status), 1);
   EXPECT_EQ(run.errors, "ProgramRun -- no resources in the working folder \"" + folder +
                             "\": neither a usable resource.dat nor a readable Scripts/BuildConsts.json\n");
   EXPECT_FALSE(std::filesystem::exists(home + "/data")) << "no save folder for a start that never ran";
}

TEST_F(ProgramStartTest, ADamagedArchiveSaysWhyOnStandardError)
{
   std::ofstream(folder + "/resource.dat") << "not an archive at all, only a few bytes of text";
   ProgramOutcome run = ProgramRunIn(folder, home);
   EXPECT_FALSE(WIFEXITED(run.status) && WEXITSTATUS(run.status) == 0) << "status " << run.status;
   EXPECT_NE(
       run.errors.find("FileManagerDat::Init -- Failed to initialize using resource file: resource.dat\n"),
       std::string::npos)
       << run.errors;
}
} // namespace
