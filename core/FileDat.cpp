// Reading one archive entry: bounded to the entry's bytes and unscrambled in the caller's buffer.
#include "core/FileDat.h"

#include <cstring>

#include "core/FileManagerDat.h"

namespace Corvale
{
void FileDatUnscramble(u8* bytes, u32 count, u8 key)
{
   if (key == 0)
   {
      return;
   }
   // Four 64-bit words a step: the contents of a large entry are unscrambled at memory speed.
   const u64 wideKey = 0x0101010101010101ull * key;
   while (count >= 32)
   {
      u64 words[4];
      memcpy(words, bytes, sizeof(words));
      words[0] ^= wideKey;
      words[1] ^= wideKey;
      words[2] ^= wideKey;
      words[3] ^= wideKey;
      memcpy(bytes, words, sizeof(words));
      bytes += 32;
      count -= 32;
   }
   while (count > 0)
   {
      *bytes++ ^= key;
      --count;
   }
}

namespace
{
const FileDatEntry& EntryGet(const FileDat& file)
{
   return file.owner->entries[file.entryNumber - 1];
}
} // namespace

u32 FileDat::Read(void* buffer, u32 count)
{
   if (count == 0 || entryNumber == 0 || !buffer)
   {
      return 0;
   }
   const i64 position = PositionGet();
   // Before the entry's start lie other entries' bytes: nothing there belongs to this file.
   if (position < 0)
   {
      return 0;
   }
   const i64 remaining = static_cast<i64>(EntryGet(*this).DataSizeGet()) - position;
   if (remaining <= 0)
   {
      return 0;
   }
   const u32 wanted = remaining < count ? static_cast<u32>(remaining) : count;
   const u32 bytesRead = archiveFile->Read(buffer, wanted);
   FileDatUnscramble(static_cast<u8*>(buffer), bytesRead, EntryGet(*this).ContentKeyGet());
   return bytesRead;
}

i64 FileDat::SizeGet()
{
   if (entryNumber == 0)
   {
      return 0;
   }
   return EntryGet(*this).DataSizeGet();
}

i64 FileDat::PositionGet()
{
   if (entryNumber == 0)
   {
      return -1;
   }
   const i64 position = archiveFile->PositionGet();
   if (position < 0)
   {
      return -1;
   }
   return position - EntryGet(*this).DataOffsetGet();
}

bool FileDat::PositionSet(i64 offset, i32 origin)
{
   if (entryNumber == 0)
   {
      return false;
   }
   const FileDatEntry& entry = EntryGet(*this);
   switch (origin)
   {
   case FILE_ORIGIN_START:
      return archiveFile->PositionSet(entry.DataOffsetGet() + offset, FILE_ORIGIN_START);
   case FILE_ORIGIN_CURRENT:
      return archiveFile->PositionSet(offset, FILE_ORIGIN_CURRENT);
   case FILE_ORIGIN_END:
      return archiveFile->PositionSet(static_cast<i64>(entry.DataOffsetGet()) + entry.DataSizeGet() + offset,
                                      FILE_ORIGIN_START);
   default:
      return archiveFile->PositionSet(offset, origin);
   }
}

bool FileDat::EndCheck()
{
   if (entryNumber == 0)
   {
      return true;
   }
   const i64 position = PositionGet();
   if (position < 0)
   {
      return false;
   }
   return position >= static_cast<i64>(EntryGet(*this).DataSizeGet());
}
} // namespace Corvale
