// The fuzz entry points, one for every reader of data from outside the program. libFuzzer and
// the replay test hand inputs to the same functions, so a reproducer replays what was fuzzed.
#pragma once

#include <cstddef>

#include "core/Types.h"

namespace Corvale
{
namespace Fuzz
{
// Hands one input to a reader and drops whatever it made; never keeps state between inputs
// beyond the environment's caches, which it leaves as it found them.
typedef void (*FuzzFunction)(const u8* data, size_t size);

struct FuzzTarget
{
   const char* name;
   FuzzFunction function;
};

// Every target; the list ends with a null name.
extern const FuzzTarget fuzzTargets[];
const FuzzTarget* FuzzTargetFind(const char* name);

// Runs one input. An intended fatal exit of the engine (a damaged archive, a widget missing a
// required key) comes back here as false instead of ending the process: only real faults count.
bool FuzzInputRun(const FuzzTarget* target, const u8* data, size_t size);
} // namespace Fuzz
} // namespace Corvale
