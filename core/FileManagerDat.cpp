// The resource archive: its table is read and unscrambled once at start-up and only read after,
// so the main thread and the sound thread can look entries up and open them at the same time.
#include "core/FileManagerDat.h"

#include <cstring>

#include "core/FileDat.h"
#include "core/FileManagerStdio.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/StringHelpers.h"

namespace Corvale
{
FileManagerDat fileManagerDatResource;

namespace
{
u32 U32LittleEndianGet(const u8* bytes)
{
   return static_cast<u32>(bytes[0]) | static_cast<u32>(bytes[1]) << 8 | static_cast<u32>(bytes[2]) << 16 |
          static_cast<u32>(bytes[3]) << 24;
}

// Smallest record: two empty names and the data bytes. It bounds the entry count a table of a
// given length can hold, before anything is allocated for it.
constexpr u64 FILE_DAT_RECORD_SIZE_MIN = 2 + FILE_DAT_RECORD_DATA_SIZE;
} // namespace

u32 FileDatEntry::DataOffsetGet() const
{
   return U32LittleEndianGet(data);
}

u32 FileDatEntry::DataSizeGet() const
{
   return U32LittleEndianGet(data + 4);
}

FileManagerDat::FileManagerDat()
    : sourceManager(nullptr), nameBlock(nullptr), entries(nullptr), entryCount(0), archiveFileName{}
{
}

bool FileManagerDat::Init()
{
   Deinit();
   sourceManager = &fileManagerStdioResource;
   if (!NultStrncpy(archiveFileName, "resource.dat", FILE_PATH_SIZE))
   {
      return false;
   }
   baseFolder[0] = '\0';
   File* file = sourceManager->Open(archiveFileName, FILE_OPEN_READ, HEAP_TEMP);
   if (!file)
   {
      ErrorPrintf("FileManagerDat::Init -- Unable to open resource file: %s\n", archiveFileName);
   }
   const bool read = TableRead(file);
   sourceManager->Close(file);
   if (!read)
   {
      Deinit();
      ErrorPrintf("FileManagerDat::Init -- Failed to initialize using resource file: %s\n", archiveFileName);
   }
   return true;
}

bool FileManagerDat::TableRead(File* file)
{
   if (!file->PositionSet(0, FILE_ORIGIN_END))
   {
      return false;
   }
   const i64 fileSize = file->PositionGet();
   u8 trailer[FILE_DAT_TRAILER_SIZE];
   if (fileSize < static_cast<i64>(FILE_DAT_TRAILER_SIZE) ||
       !file->PositionSet(fileSize - FILE_DAT_TRAILER_SIZE, FILE_ORIGIN_START) ||
       file->Read(trailer, FILE_DAT_TRAILER_SIZE) != FILE_DAT_TRAILER_SIZE)
   {
      return false;
   }
   const u32 magic = U32LittleEndianGet(trailer);
   if (magic == FILE_DAT_MAGIC_NO_TABLE)
   {
      return true;
   }
   if (magic != FILE_DAT_MAGIC)
   {
      return false;
   }
   const u64 tableOffset = U32LittleEndianGet(trailer + 4);
   const u64 count = U32LittleEndianGet(trailer + 8);
   const u8 tableKey = trailer[12];
   const u64 tableEnd = static_cast<u64>(fileSize) - FILE_DAT_TRAILER_SIZE;
   if (tableOffset >= tableEnd)
   {
      return false;
   }
   const u64 tableLength = tableEnd - tableOffset;
   if (tableLength > 0xFFFFFFFFull || count > tableLength / FILE_DAT_RECORD_SIZE_MIN)
   {
      return false;
   }
   const u64 entriesSize = (count + 1) * sizeof(FileDatEntry);
   nameBlock = static_cast<u8*>(MemoryAllocate(static_cast<u32>(tableLength), HEAP_DEFAULT, 4));
   entries = entriesSize <= 0xFFFFFFFFull
                 ? static_cast<FileDatEntry*>(
                       MemoryAllocate(static_cast<u32>(entriesSize), HEAP_DEFAULT, MEMORY_ALIGNMENT_MIN))
                 : nullptr;
   if (!nameBlock || !entries)
   {
      Deinit();
      ErrorPrintf("FileManagerDat::Init -- Failed to allocate memory for FAT.\n");
   }
   if (!file->PositionSet(static_cast<i64>(tableOffset), FILE_ORIGIN_START) ||
       file->Read(nameBlock, static_cast<u32>(tableLength)) != tableLength)
   {
      return false;
   }
   FileDatUnscramble(nameBlock, static_cast<u32>(tableLength), tableKey);
   memset(entries, 0, static_cast<size_t>(entriesSize));

   // Every name must end inside the block and every entry's contents inside the file, so that no
   // later lookup or read can leave either.
   u8* const blockEnd = nameBlock + tableLength;
   u8* cursor = nameBlock;
   for (u64 i = 0; i < count; ++i)
   {
      const char* names[2];
      for (const char*& name : names)
      {
         u8* terminator = static_cast<u8*>(memchr(cursor, '\0', static_cast<size_t>(blockEnd - cursor)));
         if (!terminator)
         {
            return false;
         }
         name = StringUpperCaseASCII(reinterpret_cast<char*>(cursor));
         cursor = terminator + 1;
      }
      if (static_cast<u64>(blockEnd - cursor) < FILE_DAT_RECORD_DATA_SIZE)
      {
         return false;
      }
      FileDatEntry& entry = entries[i];
      entry.firstName = names[0];
      entry.secondName = names[1];
      entry.data = cursor;
      if (static_cast<u64>(entry.DataOffsetGet()) + entry.DataSizeGet() > static_cast<u64>(fileSize))
      {
         return false;
      }
      cursor += FILE_DAT_RECORD_DATA_SIZE;
   }
   entryCount = static_cast<u32>(count);
   return true;
}

void FileManagerDat::Deinit()
{
   MemoryFree(nameBlock);
   MemoryFree(entries);
   nameBlock = nullptr;
   entries = nullptr;
   entryCount = 0;
}

i32 FileManagerDat::EntryFind(const char* path) const
{
   char key[FILE_PATH_SIZE];
   if (!path || !entries || !FullPathForm(key, FILE_PATH_SIZE, path))
   {
      return -1;
   }
   StringUpperCaseASCII(key);
   if (strchr(path, '/'))
   {
      for (char* c = key; *c; ++c)
      {
         if (*c == '/')
         {
            *c = '\\';
         }
      }
   }
   // A linear scan: the first record whose either name matches wins.
   for (u32 i = 0; i < entryCount; ++i)
   {
      if (strcmp(key, entries[i].firstName) == 0 || strcmp(key, entries[i].secondName) == 0)
      {
         return static_cast<i32>(i);
      }
   }
   return -1;
}

File* FileManagerDat::Open(const char* path, i32 options, i32 heapId)
{
   if (options != FILE_OPEN_READ)
   {
      WarningPrintf("FileManagerDat::Open -- invalid options (%d) for file \"%s\"\n", options,
                    path ? path : "");
      return nullptr;
   }
   if (!path || path[0] == '\0')
   {
      WarningPrintf("FileManagerDat::Open -- filename not specified\n");
      return nullptr;
   }
   const i32 index = EntryFind(path);
   if (index < 0)
   {
      WarningPrintf("FileManagerDat::Open -- Unable to open file for reading: \"%s\"\n", path);
      return nullptr;
   }
   // Each open entry has its own handle, so a seek in one never moves another.
   File* handle = sourceManager->Open(archiveFileName, FILE_OPEN_READ, HEAP_TEMP);
   if (!handle)
   {
      ErrorPrintf("FileManagerDat::Open -- Failed to open resource file.\n");
   }
   FileDat* file = MemoryNew<FileDat>(heapId);
   if (!file)
   {
      sourceManager->Close(handle);
      return nullptr;
   }
   file->archiveFile = handle;
   file->entryNumber = static_cast<u32>(index) + 1;
   file->owner = this;
   handle->PositionSet(entries[index].DataOffsetGet(), FILE_ORIGIN_START);
   return file;
}

bool FileManagerDat::Close(File* file)
{
   FileDat* fileDat = dynamic_cast<FileDat*>(file);
   if (!fileDat)
   {
      return false;
   }
   bool result = true;
   if (fileDat->archiveFile)
   {
      result = sourceManager->Close(fileDat->archiveFile);
      fileDat->archiveFile = nullptr;
   }
   MemoryDelete(fileDat);
   return result;
}

bool FileManagerDat::Exists(const char* path)
{
   return EntryFind(path) >= 0;
}
} // namespace Corvale
