// The read-only file manager over the resource archive resource.dat: a 13-byte trailer at the
// end points at a scrambled name table whose records locate each entry's scrambled contents.
#pragma once

#include "core/FileManager.h"

namespace Corvale
{
// Magic of an archive with a name table, and of one shipped without a usable table.
constexpr u32 FILE_DAT_MAGIC = 0xBABEFACE;
constexpr u32 FILE_DAT_MAGIC_NO_TABLE = 0xCDCEDECD;
constexpr u32 FILE_DAT_TRAILER_SIZE = 13;
// Data offset, data size, an unused word and the content key follow each record's two names.
constexpr u32 FILE_DAT_RECORD_DATA_SIZE = 13;

struct FileDatEntry
{
   // Both point into the name block, upper-cased; either matches a lookup.
   const char* firstName;
   const char* secondName;
   // The record's 13 data bytes.
   const u8* data;

   u32 DataOffsetGet() const;
   u32 DataSizeGet() const;
   u8 ContentKeyGet() const { return data[12]; }
};

class FileManagerDat : public FileManager
{
 public:
   FileManagerDat();

   // Reads the archive's table through the resource folder manager. Any fault in the archive
   // ends the program; false only when the archive name can't be stored.
   bool Init();
   void Deinit() override;
   File* Open(const char* path, i32 options, i32 heapId) override;
   bool Close(File* file) override;
   bool Exists(const char* path) override;

   // The entry for path, or -1.
   i32 EntryFind(const char* path) const;

   FileManager* sourceManager;
   // The unscrambled name table, owned.
   u8* nameBlock;
   // entryCount records and a null one, owned; null for an archive without a table.
   FileDatEntry* entries;
   u32 entryCount;
   char archiveFileName[FILE_PATH_SIZE];

 private:
   // Reads, unscrambles and checks the table of an open archive; false for a damaged archive.
   bool TableRead(File* file);
};

extern FileManagerDat fileManagerDatResource;
} // namespace Corvale
