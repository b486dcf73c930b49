// A file of the operating system over a C stream.
#include "core/FileStdio.h"

#include <sys/types.h>
#include <unistd.h>

namespace Corvale
{
u32 FileStdio::Read(void* buffer, u32 count)
{
   if (!stream || !buffer || count == 0)
   {
      return 0;
   }
   return static_cast<u32>(fread(buffer, 1, count, stream));
}

u32 FileStdio::Write(const void* buffer, u32 count)
{
   if (!stream || !buffer || count == 0)
   {
      return 0;
   }
   return static_cast<u32>(fwrite(buffer, 1, count, stream));
}

bool FileStdio::Flush()
{
   return stream && fflush(stream) == 0;
}

bool FileStdio::Sync()
{
   return stream && fflush(stream) == 0 && fsync(fileno(stream)) == 0;
}

i64 FileStdio::SizeGet()
{
   const i64 remembered = PositionGet();
   if (remembered < 0 || !PositionSet(0, FILE_ORIGIN_END))
   {
      return -1;
   }
   const i64 size = PositionGet();
   if (size < 0)
   {
      return -1;
   }
   return PositionSet(remembered, FILE_ORIGIN_START) ? size : -1;
}

i64 FileStdio::PositionGet()
{
   if (!stream)
   {
      return -1;
   }
   return static_cast<i64>(ftello(stream));
}

bool FileStdio::PositionSet(i64 offset, i32 origin)
{
   if (!stream)
   {
      return false;
   }
   const int whence = origin == FILE_ORIGIN_START     ? SEEK_SET
                      : origin == FILE_ORIGIN_CURRENT ? SEEK_CUR
                                                      : SEEK_END;
   return fseeko(stream, static_cast<off_t>(offset), whence) == 0;
}

bool FileStdio::EndCheck()
{
   return !stream || feof(stream) != 0;
}
} // namespace Corvale
