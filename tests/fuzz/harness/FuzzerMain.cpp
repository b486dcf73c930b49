// The libFuzzer entry of one target, chosen when the fuzzer is built (CORVALE_FUZZ_TARGET).
#include <cstdlib>

#include "tests/fuzz/harness/FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
   static const Corvale::Fuzz::FuzzTarget* target = Corvale::Fuzz::FuzzTargetFind(CORVALE_FUZZ_TARGET);
   if (!target)
   {
      std::abort();
   }
   Corvale::Fuzz::FuzzInputRun(target, data, size);
   return 0;
}
