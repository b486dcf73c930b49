// What the fuzz targets run in: the memory manager and events, a resource folder whose graphics
// paths search the fuzzed files first and the generated art second, and a window with a GL
// context for the readers that make textures.
#pragma once

#include <cstddef>
#include <string>

#include "core/File.h"
#include "core/Types.h"

namespace Corvale
{
namespace Fuzz
{
// A read-only file over the input itself, for the readers that take an open file: seeks from
// any origin, as a file on disk does, without the disk.
class FuzzInputFile : public File
{
 public:
   FuzzInputFile(const u8* data, size_t size) : bytes(data), length(static_cast<i64>(size)) {}
   u32 Read(void* buffer, u32 count) override;
   u32 Write(const void*, u32) override { return 0; }
   i64 SizeGet() override { return length; }
   i64 PositionGet() override { return position; }
   bool PositionSet(i64 offset, i32 origin) override;
   bool EndCheck() override { return position >= length; }

 private:
   const u8* bytes;
   i64 length;
   i64 position = 0;
};

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
