// Fixtures of the JSON tests: parse/write helpers over texts and a log that death tests read on
// stderr, beside the shared files in memory, log sink and temporary folder.
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
#include "tests/TestSupport.h"

namespace JSONTest
{
using namespace Corvale;

using TestSupport::LogCapture;
using TestSupport::MemoryFile;
using TestSupport::TempFolder;

// Writes the log to stderr: death tests match the fatal message there.
class LogToStderr : public MemoryFile
{
 public:
   u32 Write(const void* buffer, u32 count) override
   {
      return static_cast<u32>(std::fwrite(buffer, 1, count, stderr));
   }
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
