// Behaviour shared by every kind of open file.
#include "core/File.h"

namespace Corvale
{
u32 File::Write(const void* /*buffer*/, u32 /*count*/)
{
   return 0;
}

bool File::Flush()
{
   return true;
}

bool File::Sync()
{
   return Flush();
}

bool File::ReadAt(void* buffer, u32 count, i64 offset)
{
   const i64 remembered = PositionGet();
   if (remembered < 0 || !PositionSet(offset, FILE_ORIGIN_START))
   {
      return false;
   }
   const u32 bytesRead = Read(buffer, count);
   // The position goes back even after a short read, so callers may go on reading in order.
   const bool restored = PositionSet(remembered, FILE_ORIGIN_START);
   return restored && bytesRead == count;
}
} // namespace Corvale
