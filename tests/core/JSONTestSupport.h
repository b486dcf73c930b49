// Fixtures of the JSON tests: files in memory (with a write that can be made to fail), a log sink
// that keeps every line, a temporary folder, and parse/write helpers over texts.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "core/File.h"
#include "core/JSONParser.h"
#include "core/JSONValue.h"
#include "core/JSONWriter.h"
#include "core/Log.h"

namespace JSONTest
{
using namespace Corvale;

// A file over a string: reads from the start, appends what is written. writeLimit bytes are
// accepted in all; later writes write nothing.
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

// Writes the log to stderr: death tests match the fatal message there.
class LogToStderr : public MemoryFile
{
 public:
   u32 Write(const void* buffer, u32 count) override
   {
      return static_cast<u32>(std::fwrite(buffer, 1, count, stderr));
   }
};

class TempFolder
{
 public:
   TempFolder()
   {
      char pattern[] = "/tmp/corvale-json-XXXXXX";
      const char* made = mkdtemp(pattern);
      path = made ? made : "";
   }
   ~TempFolder()
   {
      std::error_code ignored;
      std::filesystem::remove_all(path, ignored);
   }
   std::string Base() const { return path + "/"; }
   std::string Join(const std::string& name) const { return path + "/" + name; }
   void FileWrite(const std::string& name, const std::string& contents) const
   {
      FILE* stream = std::fopen(Join(name).c_str(), "wb");
      if (stream)
      {
         std::fwrite(contents.data(), 1, contents.size(), stream);
         std::fclose(stream);
      }
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

// Frees a tree the way its owners do.
struct ValueDeleter
{
   void operator()(JSONValue* value) const { MemoryDelete(value); }
};
typedef std::unique_ptr<JSONValue, ValueDeleter> ValuePointer;

inline ValuePointer TextParse(const std::string& text, i32 heapId = HEAP_DEFAULT)
{
   MemoryFile file(text);
   JSONParser parser;
   return ValuePointer(parser.Parse(&file, heapId));
}

// The written text, or "<failed>" when the writer reported failure.
inline std::string TextWrite(const JSONValue* value)
{
   MemoryFile file;
   JSONWriter writer;
   return writer.Write(&file, value, nullptr) ? file.text : std::string("<failed>");
}
} // namespace JSONTest
