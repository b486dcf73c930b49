// A listener for the start-up measurement: told of the first frames, the loading screen's loader
// work and the splash. The shipped program has none; the start-up benchmark installs one.
#pragma once

#include "core/Types.h"

namespace Corvale
{
class StartupObserver
{
 public:
   virtual ~StartupObserver() = default;
   // After each swap of the back buffer.
   virtual void FrameSwapped() {}
   // One update of the loading screen's loader took this many seconds.
   virtual void LoaderUpdated(double seconds) { (void)seconds; }
   // The loading screen has everything loaded.
   virtual void LoadingFinished() {}
   virtual void SplashBegan() {}
   virtual void SplashEnded() {}
};

// Null unless a measurement runs.
extern StartupObserver* startupObserver;
} // namespace Corvale
