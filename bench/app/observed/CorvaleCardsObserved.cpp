// corvale-cards with a start-up observer: it reports the first swap, the time spent in each of
// the loading screen's loader updates, the splash state's span and the end of loading, one line
// each on the descriptor named by CORVALE_STARTUP_REPORT_FD, then quits once loading is done.
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "app/Application.h"
#include "app/Program.h"
#include "app/StartupObserver.h"

namespace
{
// Nanoseconds on the monotonic clock, which the benchmark reads too.
long long NowGet()
{
   timespec now;
   clock_gettime(CLOCK_MONOTONIC, &now);
   return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

class ReportingObserver : public Corvale::StartupObserver
{
 public:
   explicit ReportingObserver(int descriptor) : report(descriptor) {}

   void FrameSwapped() override
   {
      if (!swapped)
      {
         swapped = true;
         Line("swap %lld\n", NowGet());
      }
   }
   void LoaderUpdated(double seconds) override { Line("loader %.9f\n", seconds); }
   void LoadingFinished() override
   {
      Line("loaded %lld\n", NowGet());
      Corvale::quitRequested = true;
   }
   void SplashBegan() override { Line("splash-begin %lld\n", NowGet()); }
   void SplashEnded() override { Line("splash-end %lld\n", NowGet()); }

 private:
   void Line(const char* format, long long value) { dprintf(report, format, value); }
   void Line(const char* format, double value) { dprintf(report, format, value); }

   int report;
   bool swapped = false;
};
} // namespace

int main()
{
   const char* descriptor = std::getenv("CORVALE_STARTUP_REPORT_FD");
   ReportingObserver observer(descriptor ? std::atoi(descriptor) : STDOUT_FILENO);
   Corvale::startupObserver = &observer;
   const int code = Corvale::ProgramRun();
   Corvale::startupObserver = nullptr;
   return code;
}
