// The resource archive's writer: the exact counterpart of FileManagerDat's reader.
#include "core/FileDatWriter.h"

#include <cstring>

#include "core/File.h"
#include "core/FileDat.h"
#include "core/FileManagerDat.h"
#include "core/Log.h"

namespace Corvale
{
namespace
{
void U32LittleEndianPut(u8* bytes, u32 value)
{
   bytes[0] = static_cast<u8>(value);
   bytes[1] = static_cast<u8>(value >> 8);
   bytes[2] = static_cast<u8>(value >> 16);
   bytes[3] = static_cast<u8>(value >> 24);
}
} // namespace

FileDatWriter::FileDatWriter(File* file, u8 tableKey)
    : file(file), tableKey(tableKey), offset(0), entryCount(0), failed(file == nullptr)
{
}

bool FileDatWriter::BytesWrite(const u8* bytes, u32 count, u8 key)
{
   // Scrambled through a small buffer so that the caller's contents stay as they are.
   u8 piece[8192];
   while (count > 0)
   {
      const u32 size = count < sizeof(piece) ? count : static_cast<u32>(sizeof(piece));
      memcpy(piece, bytes, size);
      FileDatUnscramble(piece, size, key);
      if (file->Write(piece, size) != size)
      {
         return false;
      }
      bytes += size;
      count -= size;
      offset += size;
   }
   return true;
}

bool FileDatWriter::NameAppend(const char* name)
{
   for (const char* c = name; *c; ++c)
   {
      if (!table.Insert(static_cast<u8>(*c == '/' ? '\\' : *c), table.count))
      {
         return false;
      }
   }
   return table.Insert(0, table.count);
}

bool FileDatWriter::EntryAdd(const char* name, const char* secondName, const void* contents, u32 size,
                             u8 contentKey)
{
   if (failed)
   {
      return false;
   }
   if (!name || !secondName || (size != 0 && !contents))
   {
      WarningPrintf("FileDatWriter::EntryAdd -- missing name or contents\n");
      return false;
   }
   // Offsets and sizes are 32-bit in the table.
   if (offset + size > 0xFFFFFFFFull)
   {
      WarningPrintf("FileDatWriter::EntryAdd -- archive would pass 4 GiB at \"%s\"\n", name);
      failed = true;
      return false;
   }
   const u32 dataOffset = static_cast<u32>(offset);
   if (!BytesWrite(static_cast<const u8*>(contents), size, contentKey))
   {
      WarningPrintf("FileDatWriter::EntryAdd -- unable to write \"%s\"\n", name);
      failed = true;
      return false;
   }
   u8 data[FILE_DAT_RECORD_DATA_SIZE];
   U32LittleEndianPut(data, dataOffset);
   U32LittleEndianPut(data + 4, size);
   // The reader skips this word.
   U32LittleEndianPut(data + 8, 0);
   data[12] = contentKey;
   if (!NameAppend(name) || !NameAppend(secondName))
   {
      failed = true;
      return false;
   }
   for (u8 byte : data)
   {
      if (!table.Insert(byte, table.count))
      {
         failed = true;
         return false;
      }
   }
   ++entryCount;
   return true;
}

bool FileDatWriter::End()
{
   if (failed)
   {
      return false;
   }
   // The reader needs at least one table byte even for an archive without entries.
   if (table.count == 0 && !table.Insert(0, 0))
   {
      return false;
   }
   if (offset + static_cast<u64>(table.count) > 0xFFFFFFFFull)
   {
      WarningPrintf("FileDatWriter::End -- archive would pass 4 GiB\n");
      return false;
   }
   const u32 tableOffset = static_cast<u32>(offset);
   if (!BytesWrite(table.data, static_cast<u32>(table.count), tableKey))
   {
      WarningPrintf("FileDatWriter::End -- unable to write the table\n");
      return false;
   }
   u8 trailer[FILE_DAT_TRAILER_SIZE];
   U32LittleEndianPut(trailer, FILE_DAT_MAGIC);
   U32LittleEndianPut(trailer + 4, tableOffset);
   U32LittleEndianPut(trailer + 8, entryCount);
   trailer[12] = tableKey;
   if (file->Write(trailer, FILE_DAT_TRAILER_SIZE) != FILE_DAT_TRAILER_SIZE || !file->Flush())
   {
      WarningPrintf("FileDatWriter::End -- unable to write the trailer\n");
      return false;
   }
   return true;
}
} // namespace Corvale
