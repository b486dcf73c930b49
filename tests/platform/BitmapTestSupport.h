// Shared pieces of the bitmap, PNG and texture tests: a log catcher, files in memory, and the
// PNG fixtures that an independent encoder (Python's zlib) writes once per test run.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

#include "core/File.h"
#include "core/FileStdio.h"
#include "core/Log.h"
#include "tests/TestSupport.h"

namespace Corvale
{
namespace testing_support
{
// Collects the log's lines while it is installed.
class LogCapture : public TestSupport::LogCapture
{
 public:
   bool Has(const std::string& part) const { return Contains(part); }
};

inline std::vector<u8> BytesRead(const std::string& path)
{
   std::ifstream stream(path, std::ios::binary);
   return std::vector<u8>(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

inline void BytesWrite(const std::string& path, const std::vector<u8>& bytes)
{
   std::ofstream stream(path, std::ios::binary | std::ios::trunc);
   stream.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A read-only File over a copy of some bytes (fmemopen keeps the C library's own semantics).
class MemoryFile
{
 public:
   explicit MemoryFile(const std::vector<u8>& bytes) : data(bytes)
   {
      FILE* stream = data.empty() ? std::fopen("/dev/null", "rb") : fmemopen(data.data(), data.size(), "rb");
      file.stream = stream;
   }
   ~MemoryFile()
   {
      if (file.stream)
      {
         std::fclose(file.stream);
      }
      file.stream = nullptr;
   }
   File* Get() { return &file; }

 private:
   std::vector<u8> data;
   FileStdio file;
};

// The folder of PNG fixtures, written by tests/platform/data/pngmake.py on first use.
inline const std::string& PNGFixtureFolder()
{
   static std::string folder;
   if (folder.empty())
   {
      char pattern[] = "/tmp/corvale-png-XXXXXX";
      const char* made = mkdtemp(pattern);
      std::string candidate = made ? made : "";
      std::string command =
          "python3 \"" CORVALE_SOURCE_DIR "/tests/platform/data/pngmake.py\" \"" + candidate + "\"";
      if (!candidate.empty() && std::system(command.c_str()) == 0)
      {
         folder = candidate;
         std::atexit([] { std::filesystem::remove_all(PNGFixtureFolder()); });
      }
   }
   return folder;
}
} // namespace testing_support
} // namespace Corvale
