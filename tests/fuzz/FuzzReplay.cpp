// Replays every seed and minimized reproducer of every fuzz target through the targets' own
// entry points. Each target runs in a child process, so that a crash, a hang or a runaway
// allocation names its target and input instead of taking the whole suite down.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "tests/fuzz/harness/FuzzEnvironment.h"
#include "tests/fuzz/harness/FuzzTargets.h"

using namespace Corvale;
using namespace Corvale::Fuzz;

// Under AddressSanitizer a single allocation beyond this ends the child: no input may make the
// readers ask for gigabytes.
extern "C" const char* __asan_default_options()
{
   return "max_allocation_size_mb=1024";
}

namespace
{
// The inputs of a target: its seed corpus and its reproducers, in name order.
std::vector<std::filesystem::path> InputsGet(const std::string& target)
{
   std::vector<std::filesystem::path> inputs;
   for (const char* kind : {"corpus", "reproducers"})
   {
      const std::filesystem::path folder =
          std::filesystem::path(CORVALE_SOURCE_DIR) / "tests/fuzz" / kind / target;
      std::error_code ignored;
      for (const auto& entry : std::filesystem::directory_iterator(folder, ignored))
      {
         if (entry.is_regular_file())
         {
            inputs.push_back(entry.path());
         }
      }
   }
   std::sort(inputs.begin(), inputs.end());
   return inputs;
}

[[noreturn]] void ChildRun(const FuzzTarget* target, const std::vector<std::filesystem::path>& inputs)
{
   for (const auto& path : inputs)
   {
      std::fprintf(stderr, "replay %s: %s\n", target->name, path.filename().c_str());
      std::ifstream stream(path, std::ios::binary);
      const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(stream)),
                                             std::istreambuf_iterator<char>());
      FuzzInputRun(target, bytes.data(), bytes.size());
   }
   // Straight out: the sound targets leave the manager's threads running.
   FuzzEnvironment::Deinit();
   std::fflush(nullptr);
   _exit(0);
}

// The child's exit status, or -1 when it outlived the deadline (it is killed then).
int ChildWait(pid_t child, std::chrono::seconds deadline)
{
   const auto end = std::chrono::steady_clock::now() + deadline;
   int status = 0;
   while (waitpid(child, &status, WNOHANG) == 0)
   {
      if (std::chrono::steady_clock::now() > end)
      {
         kill(child, SIGKILL);
         waitpid(child, &status, 0);
         return -1;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
   }
   return status;
}
} // namespace

TEST(FuzzReplay, EverySeedAndReproducerIsHandled)
{
   for (const FuzzTarget* target = fuzzTargets; target->name; target++)
   {
      SCOPED_TRACE(target->name);
      const std::vector<std::filesystem::path> inputs = InputsGet(target->name);
      EXPECT_FALSE(inputs.empty()) << "no seeds for " << target->name;
      std::fflush(nullptr);
      const pid_t child = fork();
      ASSERT_GE(child, 0);
      if (child == 0)
      {
         ChildRun(target, inputs);
      }
      // Generous: a hang is an input that never ends, not a slow machine.
      const int status = ChildWait(child, std::chrono::seconds(300));
      EXPECT_NE(status, -1) << target->name << " did not finish (see the last input named above)";
      EXPECT_TRUE(status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0)
          << target->name << " failed on the last input named above";
   }
}
