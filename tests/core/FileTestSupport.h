// Fixtures shared by the file, archive and graphics-path tests: a temporary folder that removes
// itself, and a log sink that keeps every line written.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/File.h"
#include "core/Log.h"

namespace CorvaleTest
{
using namespace Corvale;

class TempFolder
{
 public:
   TempFolder()
   {
      char pattern[] = "/tmp/corvale-files-XXXXXX";
      const char* made = mkdtemp(pattern);
      path = made ? made : "";
   }
   ~TempFolder()
   {
      std::error_code ignored;
      std::filesystem::remove_all(path, ignored);
   }
   // The folder with a final '/', as a base folder is stored.
   std::string Base() const { return path + "/"; }
   std::string Join(const std::string& name) const { return path + "/" + name; }

   void FileWrite(const std::string& name, const std::string& contents) const
   {
      const std::filesystem::path full = Join(name);
      std::filesystem::create_directories(full.parent_path());
      FILE* stream = fopen(full.c_str(), "wb");
      if (stream)
      {
         fwrite(contents.data(), 1, contents.size(), stream);
         fclose(stream);
      }
   }
   std::string FileRead(const std::string& name) const
   {
      std::string contents;
      FILE* stream = fopen(Join(name).c_str(), "rb");
      if (stream)
      {
         char piece[4096];
         size_t got;
         while ((got = fread(piece, 1, sizeof(piece), stream)) > 0)
         {
            contents.append(piece, got);
         }
         fclose(stream);
      }
      return contents;
   }

   std::string path;
};

// Installed as the log file so that tests see the exact warning lines.
class LogCapture : public File
{
 public:
   LogCapture() { LogFileSet(this); }
   ~LogCapture() override { LogFileSet(nullptr); }

   u32 Read(void*, u32) override { return 0; }
   u32 Write(const void* buffer, u32 count) override
   {
      text.append(static_cast<const char*>(buffer), count);
      return count;
   }
   i64 SizeGet() override { return static_cast<i64>(text.size()); }
   i64 PositionGet() override { return static_cast<i64>(text.size()); }
   bool PositionSet(i64, i32) override { return false; }
   bool EndCheck() override { return true; }

   bool Contains(const std::string& line) const { return text.find(line) != std::string::npos; }

   std::string text;
};

// Bytes that look like noise, the same every run.
inline std::string PatternBytes(size_t size, u32 seed)
{
   std::string bytes(size, '\0');
   for (size_t i = 0; i < size; ++i)
   {
      seed = seed * 1664525u + 1013904223u;
      bytes[i] = static_cast<char>(seed >> 24);
   }
   return bytes;
}
} // namespace CorvaleTest
