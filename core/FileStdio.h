// A file of the operating system, opened by FileManagerStdio.
#pragma once

#include <cstdio>

#include "core/File.h"

namespace Corvale
{
class FileStdio : public File
{
 public:
   explicit FileStdio(FILE* stream = nullptr) : stream(stream) {}

   u32 Read(void* buffer, u32 count) override;
   u32 Write(const void* buffer, u32 count) override;
   bool Flush() override;
   bool Sync() override;
   i64 SizeGet() override;
   i64 PositionGet() override;
   bool PositionSet(i64 offset, i32 origin) override;
   bool EndCheck() override;

   // Null once closed.
   FILE* stream;
};
} // namespace Corvale
