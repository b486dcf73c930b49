// One entry of the resource archive opened for reading: its own handle on resource.dat, kept
// within the entry's bytes and unscrambled as it is read.
#pragma once

#include "core/File.h"

namespace Corvale
{
class FileManagerDat;

class FileDat : public File
{
 public:
   u32 Read(void* buffer, u32 count) override;
   i64 SizeGet() override;
   i64 PositionGet() override;
   bool PositionSet(i64 offset, i32 origin) override;
   bool EndCheck() override;

   // Owned handle on the archive, closed through the owner's source manager.
   File* archiveFile = nullptr;
   // 1-based index into the owner's entries; 0 = none.
   u32 entryNumber = 0;
   FileManagerDat* owner = nullptr;
};

// XORs every byte with key; the archive's scrambling for names and contents alike.
void FileDatUnscramble(u8* bytes, u32 count, u8 key);
} // namespace Corvale
