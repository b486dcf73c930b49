// An open file: the one interface through which every byte of a resource, a save or the log is
// read or written, whether it lives in a folder or inside the resource archive.
#pragma once

#include "core/Types.h"

namespace Corvale
{
// Open options of FileManager::Open.
enum FileOpenOption : i32
{
   FILE_OPEN_READ = 1,
   // Creates the file or empties an existing one.
   FILE_OPEN_WRITE = 2,
   // Reads and writes an existing file.
   FILE_OPEN_READ_WRITE = 3
};

// Origins of File::PositionSet; any value other than the first two counts from the end.
enum FileOrigin : i32
{
   FILE_ORIGIN_START = 0,
   FILE_ORIGIN_CURRENT = 1,
   FILE_ORIGIN_END = 2
};

class File
{
 public:
   virtual ~File() = default;

   // Returns the number of bytes read.
   virtual u32 Read(void* buffer, u32 count) = 0;
   // Returns the number of bytes written; read-only files write nothing.
   virtual u32 Write(const void* buffer, u32 count);
   virtual bool Flush();
   // Flushes, then has the system put the bytes on the disk before it returns; files with nowhere
   // further to go only flush.
   virtual bool Sync();
   // -1 when the size can't be had.
   virtual i64 SizeGet() = 0;
   virtual i64 PositionGet() = 0;
   virtual bool PositionSet(i64 offset, i32 origin) = 0;
   virtual bool EndCheck() = 0;
   // Reads count bytes at offset and puts the position back; true only when every byte came
   // and the position was restored.
   virtual bool ReadAt(void* buffer, u32 count, i64 offset);
};
} // namespace Corvale
