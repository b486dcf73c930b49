// Start-up of the whole program under Xvfb: corvale-cards (with its start-up observer) is started
// from the built data folder several times, and the medians of three figures are printed with
// their ratio to target: exec to the first frame, the time spent in the loader's updates, and
// exec to the end of loading less the splash state's time.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

namespace
{
constexpr int RUNS = 5;
constexpr double FIRST_FRAME_TARGET = 0.15;
constexpr double LOADING_WORK_TARGET = 0.5;

long long NowGet()
{
   timespec now;
   clock_gettime(CLOCK_MONOTONIC, &now);
   return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

struct Run
{
   double firstFrame = -1.0;
   double loadingWork = 0.0;
   double loadedLessSplash = -1.0;
};

// One start of the program; false when it did not report the end of loading.
bool ProgramMeasure(Run* run, std::string* error)
{
   char home[] = "/tmp/corvale-startup-XXXXXX";
   int report[2];
   if (!mkdtemp(home) || pipe(report) != 0)
   {
      *error = "no temporary folder or pipe";
      return false;
   }
   const long long start = NowGet();
   const pid_t child = fork();
   if (child == 0)
   {
      close(report[0]);
      if (chdir(CORVALE_BENCH_DATA) != 0)
      {
         _exit(126);
      }
      setenv("XDG_DATA_HOME", home, 1);
      setenv("ALSOFT_DRIVERS", "null", 1);
      setenv("CORVALE_HEADLESS", "1", 1);
      setenv("CORVALE_STARTUP_REPORT_FD", std::to_string(report[1]).c_str(), 1);
      execl(CORVALE_BENCH_PROGRAM, CORVALE_BENCH_PROGRAM, static_cast<char*>(nullptr));
      _exit(127);
   }
   close(report[1]);
   std::string text;
   char buffer[4096];
   ssize_t got;
   while ((got = read(report[0], buffer, sizeof(buffer))) > 0)
   {
      text.append(buffer, static_cast<size_t>(got));
   }
   close(report[0]);
   int status = -1;
   waitpid(child, &status, 0);
   std::system((std::string("rm -rf '") + home + "'").c_str());

   long long swap = -1, loaded = -1, splashBegin = -1, splashEnd = -1;
   std::istringstream lines(text);
   std::string key;
   while (lines >> key)
   {
      if (key == "loader")
      {
         double seconds = 0.0;
         lines >> seconds;
         run->loadingWork += seconds;
         continue;
      }
      long long value = 0;
      lines >> value;
      (key == "swap"           ? swap
       : key == "loaded"       ? loaded
       : key == "splash-begin" ? splashBegin
                               : splashEnd) = value;
   }
   if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || swap < 0 || loaded < 0)
   {
      *error = "the program did not report its first frame and the end of loading (status " +
               std::to_string(status) + ")";
      return false;
   }
   const double splash = splashBegin >= 0 && splashEnd >= splashBegin ? (splashEnd - splashBegin) / 1e9 : 0.0;
   run->firstFrame = (swap - start) / 1e9;
   run->loadedLessSplash = (loaded - start) / 1e9 - splash;
   return true;
}

double Median(std::vector<double> values)
{
   std::sort(values.begin(), values.end());
   return values[values.size() / 2];
}

void StartUp(benchmark::State& state)
{
   if (!std::getenv("DISPLAY"))
   {
      state.SkipWithError("needs an X display (run under scripts/with-display.sh)");
      return;
   }
   std::vector<double> firstFrames, loadingWork, loaded;
   for (auto _ : state)
   {
      for (int i = 0; i < RUNS; i++)
      {
         Run run;
         std::string error;
         if (!ProgramMeasure(&run, &error))
         {
            state.SkipWithError(error.c_str());
            return;
         }
         firstFrames.push_back(run.firstFrame);
         loadingWork.push_back(run.loadingWork);
         loaded.push_back(run.loadedLessSplash);
      }
   }
   const double firstFrame = Median(firstFrames);
   const double work = Median(loadingWork);
   const double total = Median(loaded);
   state.counters["first_frame_s"] = firstFrame;
   state.counters["first_frame_ratio"] = firstFrame / FIRST_FRAME_TARGET;
   state.counters["loading_work_s"] = work;
   state.counters["loading_work_ratio"] = work / LOADING_WORK_TARGET;
   state.counters["loaded_less_splash_s"] = total;
   std::printf("start-up, median of %d runs:\n", RUNS);
   std::printf("  exec to first frame          %.3f s  (target %.2f s, ratio %.2f)\n", firstFrame,
               FIRST_FRAME_TARGET, firstFrame / FIRST_FRAME_TARGET);
   std::printf("  loading work                 %.3f s  (target %.2f s, ratio %.2f)\n", work,
               LOADING_WORK_TARGET, work / LOADING_WORK_TARGET);
   std::printf("  exec to loaded, less splash  %.3f s\n", total);
}
BENCHMARK(StartUp)->Iterations(1)->Unit(benchmark::kSecond);
} // namespace
