// Fixtures every test folder uses: a file over a string, a log sink that keeps every line, a
// temporary folder that removes itself, an allocator that counts, and where the build put its files. No test
// framework here: the benchmarks use these too.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/Allocator.h"
#include "core/File.h"
#include "core/Log.h"

namespace Corvale
{
namespace TestSupport
{
// A file over a string: reads from the start, appends what is written. writeLimit bytes are
// accepted in all; later writes write nothing, so that tests can make a write fail.
class MemoryFile : public File
{
 public:
   explicit MemoryFile(std::string contents = std::string()) : text(std::move(contents)) {}

   u32 Read(void* buffer, u32 count) override
   {
      size_t left = text.size() - position;
      size_t got = left < count ? left : count;
      text.copy(static_cast<char*>(buffer), got, position);
      position += got;
      reads++;
      return static_cast<u32>(got);
   }
   u32 Write(const void* buffer, u32 count) override
   {
      size_t room = writeLimit > text.size() ? writeLimit - text.size() : 0;
      size_t written = room < count ? room : count;
      text.append(static_cast<const char*>(buffer), written);
      return static_cast<u32>(written);
   }
   i64 SizeGet() override { return static_cast<i64>(text.size()); }
   i64 PositionGet() override { return static_cast<i64>(position); }
   bool PositionSet(i64 offset, i32) override
   {
      position = static_cast<size_t>(offset);
      return true;
   }
   bool EndCheck() override { return position >= text.size(); }

   std::string text;
   size_t position = 0;
   size_t writeLimit = static_cast<size_t>(-1);
   int reads = 0;
};

// Installed as the log file while it lives, so that a test sees the exact lines.
class LogCapture : public MemoryFile
{
 public:
   LogCapture() { LogFileSet(this); }
   ~LogCapture() override { LogFileSet(nullptr); }
   bool Contains(const std::string& line) const { return text.find(line) != std::string::npos; }
};

// A fresh folder under /tmp named after label, removed with everything in it.
class TempFolder
{
 public:
   explicit TempFolder(const std::string& label = "test")
   {
      std::string pattern = "/tmp/corvale-" + label + "-XXXXXX";
      const char* made = mkdtemp(pattern.data());
      path = made ? made : "";
   }
   ~TempFolder()
   {
      std::error_code ignored;
      std::filesystem::remove_all(path, ignored);
   }
   TempFolder(const TempFolder&) = delete;
   TempFolder& operator=(const TempFolder&) = delete;

   // The folder with a final '/', as a base folder is stored.
   std::string Base() const { return path + "/"; }
   std::string Join(const std::string& name) const { return path + "/" + name; }

   // Writes name (making its folders); false when the file can't be opened or written whole.
   bool FileWrite(const std::string& name, const std::string& contents) const
   {
      const std::filesystem::path full = Join(name);
      std::error_code ignored;
      std::filesystem::create_directories(full.parent_path(), ignored);
      FILE* stream = std::fopen(full.c_str(), "wb");
      if (!stream)
      {
         return false;
      }
      const size_t written = std::fwrite(contents.data(), 1, contents.size(), stream);
      std::fclose(stream);
      return written == contents.size();
   }
   std::string FileRead(const std::string& name) const
   {
      std::string contents;
      FILE* stream = std::fopen(Join(name).c_str(), "rb");
      if (stream)
      {
         char piece[4096];
         size_t got;
         while ((got = std::fread(piece, 1, sizeof(piece), stream)) > 0)
         {
            contents.append(piece, got);
         }
         std::fclose(stream);
      }
      return contents;
   }

   std::string path;
};

// Counts the allocations and frees that pass through it, so that a test can see a container's
// buffer move or its node pool keep nodes.
class CountingAllocator : public Allocator
{
 public:
   i32 allocations = 0;
   i32 frees = 0;
   void* Allocate(u32 size) override
   {
      allocations++;
      return allocatorDefault->Allocate(size);
   }
   void Free(void* p) override
   {
      frees++;
      allocatorDefault->Free(p);
   }
};

// The folder of the running test program.
inline std::string ProgramFolderGet()
{
   char exe[4096] = {};
   const ssize_t length = readlink("/proc/self/exe", exe, sizeof(exe) - 1);
   return length > 0 ? std::filesystem::path(exe).parent_path().string() : std::string(".");
}

// The resource tree the build assembled: <build>/data beside <build>/tests.
inline std::string BuildDataFolderGet()
{
   return (std::filesystem::path(ProgramFolderGet()).parent_path() / "data").string();
}
} // namespace TestSupport
} // namespace Corvale
