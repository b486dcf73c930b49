// What the fuzz targets run in: the memory manager and events, a resource folder whose graphics
// paths search the fuzzed files first and the generated art second, and a window with a GL
// context for the readers that make textures.
#pragma once

#include <cstddef>
#include <string>

#include "core/Types.h"

namespace Corvale
{
namespace Fuzz
{
class FuzzEnvironment
{
 public:
   // Sets up memory, events, the log hook and the resource folder once; later calls do nothing.
   static void Init();
   // Opens the window once; false without a display (the target then skips its input).
   static bool ScreenInit();
   // Writes the input as path under the fuzzed graphics path ("Fuzz/"), making its folders.
   static bool InputWrite(const char* path, const u8* data, size_t size);
   // Writes the input at the root of the resource folder.
   static bool RootFileWrite(const char* path, const u8* data, size_t size);
   // Closes the window and removes the resource folder (also done at exit).
   static void Deinit();
   // The input as a NUL-terminated text.
   static std::string TextGet(const u8* data, size_t size);
};
} // namespace Fuzz
} // namespace Corvale
