// Writes a resource archive in the form FileManagerDat reads: the scrambled contents of every
// entry, then the scrambled name table, then the 13-byte trailer. Used by the packer and tests.
#pragma once

#include "core/Table.h"
#include "core/Types.h"

namespace Corvale
{
class File;

class FileDatWriter
{
 public:
   // file is open for writing and empty; the writer does not close it.
   FileDatWriter(File* file, u8 tableKey);

   // Appends one entry. Names may use '/' or '\\' and any case; they are stored with '\\'.
   bool EntryAdd(const char* name, const char* secondName, const void* contents, u32 size, u8 contentKey);
   // Writes the table and the trailer; false when anything could not be written.
   bool End();

 private:
   bool NameAppend(const char* name);
   bool BytesWrite(const u8* bytes, u32 count, u8 key);

   File* file;
   u8 tableKey;
   u64 offset;
   u32 entryCount;
   bool failed;
   Table<u8> table;
};
} // namespace Corvale
