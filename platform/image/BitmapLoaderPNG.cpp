// PNG reading and writing for the art and the screenshots. Only what the art uses is read:
// 8-bit RGB and RGBA, plain or Adam7, and the "CgBI" variant with its raw deflate stream.
#include "platform/image/BitmapLoaderPNG.h"

#include <cstring>

#include <zlib.h>

#include "core/File.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "platform/image/Bitmap.h"
#include "platform/image/BitmapManagerDefault.h"

namespace Corvale
{
BitmapLoaderPNG bitmapLoaderPNG;

namespace
{
constexpr u8 pngSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};
// PNG caps chunk lengths at 2^31 - 1.
constexpr u32 chunkLengthMax = 0x7FFFFFFFu;
// The largest image we agree to decode; a forged IHDR must not make us allocate gigabytes.
constexpr u64 decodeBytesMax = 256ull * 1024 * 1024;
// Deflate never expands by more than 1032:1 (a 258-byte match in two bits); the allowance covers
// the streams too short for the ratio to mean anything.
constexpr u64 deflateExpansionMax = 1032;
constexpr u64 deflateExpansionAllowance = 1024;

// Whether compressed bytes of deflate data can possibly hold the filtered image.
bool CompressedSizeHolds(u64 compressed, u64 inflatedSize)
{
   return inflatedSize <= compressed * deflateExpansionMax + deflateExpansionAllowance;
}

struct Adam7Pass
{
   u32 startX, startY, stepX, stepY;
};
constexpr Adam7Pass adam7Passes[7] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                      {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};

struct PNGHeader
{
   u32 width = 0;
   u32 height = 0;
   u8 bitDepth = 0;
   u8 colorType = 0;
   u8 compressionMethod = 0;
   u8 filterMethod = 0;
   u8 interlaceMethod = 0;
};

void CompressedSizeWarn(u64 compressed, const PNGHeader& header)
{
   WarningPrintf("BitmapLoaderPNG::Load -- %llu bytes of image data cannot hold %ux%u pixels\n",
                 static_cast<unsigned long long>(compressed), header.width, header.height);
}

u32 BigEndian32Read(const u8* p)
{
   return (static_cast<u32>(p[0]) << 24) | (static_cast<u32>(p[1]) << 16) | (static_cast<u32>(p[2]) << 8) |
          p[3];
}

void BigEndian32Write(u8* p, u32 value)
{
   p[0] = static_cast<u8>(value >> 24);
   p[1] = static_cast<u8>(value >> 16);
   p[2] = static_cast<u8>(value >> 8);
   p[3] = static_cast<u8>(value);
}

u32 ChannelsGet(u8 colorType)
{
   switch (colorType)
   {
   case 2:
      return 3;
   case 4:
      return 2;
   case 6:
      return 4;
   default:
      return 1;
   }
}

u64 RowBytesGet(u64 width, const PNGHeader& header)
{
   return (width * header.bitDepth * ChannelsGet(header.colorType) + 7) / 8;
}

u64 PassSizeGet(u32 extent, u32 start, u32 step)
{
   return extent > start ? (static_cast<u64>(extent) - start + step - 1) / step : 0;
}

// Bytes of filtered data the header promises: one filter byte per row of every pass.
u64 InflatedSizeGet(const PNGHeader& header)
{
   if (header.interlaceMethod != 1)
   {
      return static_cast<u64>(header.height) * (1 + RowBytesGet(header.width, header));
   }
   u64 total = 0;
   for (const Adam7Pass& pass : adam7Passes)
   {
      u64 passWidth = PassSizeGet(header.width, pass.startX, pass.stepX);
      u64 passHeight = PassSizeGet(header.height, pass.startY, pass.stepY);
      if (passWidth && passHeight)
      {
         total += passHeight * (1 + RowBytesGet(passWidth, header));
      }
   }
   return total;
}

inline u8 PaethPredict(i32 left, i32 up, i32 upLeft)
{
   i32 p = left + up - upLeft;
   i32 pa = p > left ? p - left : left - p;
   i32 pb = p > up ? p - up : up - p;
   i32 pc = p > upLeft ? p - upLeft : upLeft - p;
   if (pa <= pb && pa <= pc)
   {
      return static_cast<u8>(left);
   }
   return static_cast<u8>(pb <= pc ? up : upLeft);
}

// Undoes one row's filter from source into destination; prior is the unfiltered row above.
void RowUnfilter(u8 filter, const u8* source, u8* destination, const u8* prior, size_t rowBytes, size_t bpp)
{
   size_t head = bpp < rowBytes ? bpp : rowBytes;
   switch (filter)
   {
   case 1:
      std::memcpy(destination, source, head);
      for (size_t i = bpp; i < rowBytes; ++i)
      {
         destination[i] = static_cast<u8>(source[i] + destination[i - bpp]);
      }
      break;
   case 2:
      for (size_t i = 0; i < rowBytes; ++i)
      {
         destination[i] = static_cast<u8>(source[i] + prior[i]);
      }
      break;
   case 3:
      for (size_t i = 0; i < head; ++i)
      {
         destination[i] = static_cast<u8>(source[i] + (prior[i] >> 1));
      }
      for (size_t i = bpp; i < rowBytes; ++i)
      {
         destination[i] = static_cast<u8>(source[i] + ((destination[i - bpp] + prior[i]) >> 1));
      }
      break;
   case 4:
      for (size_t i = 0; i < head; ++i)
      {
         destination[i] = static_cast<u8>(source[i] + prior[i]);
      }
      for (size_t i = bpp; i < rowBytes; ++i)
      {
         destination[i] =
             static_cast<u8>(source[i] + PaethPredict(destination[i - bpp], prior[i], prior[i - bpp]));
      }
      break;
   default:
      // None, and unknown filter types, which leave the row as it came.
      std::memcpy(destination, source, rowBytes);
      break;
   }
}

// Frees what the reader holds on every way out.
struct PNGLoadState
{
   i32 heapId = HEAP_TEMP;
   u8* chunkData = nullptr;
   u32 chunkCapacity = 0;
   u8* inflated = nullptr;
   u64 inflatedSize = 0;
   u64 inflatedCount = 0;
   // Bytes of every IDAT chunk read so far.
   u64 compressedCount = 0;
   u8* gathered = nullptr;
   u64 gatheredCount = 0;
   u64 gatheredCapacity = 0;
   z_stream stream{};
   bool streamOpen = false;
   bool streamDone = false;

   ~PNGLoadState()
   {
      if (streamOpen)
      {
         inflateEnd(&stream);
      }
      MemoryFree(chunkData);
      MemoryFree(inflated);
      MemoryFree(gathered);
   }

   bool ChunkBufferReserve(u32 size)
   {
      if (size <= chunkCapacity)
      {
         return true;
      }
      MemoryFree(chunkData);
      chunkData = static_cast<u8*>(Memory::Allocate(size, heapId, MEMORY_ALIGNMENT_MIN));
      chunkCapacity = chunkData ? size : 0;
      return chunkData != nullptr;
   }

   bool GatheredAppend(const u8* data, u32 size)
   {
      // An empty chunk adds nothing, and the buffer may not exist yet.
      if (size == 0)
      {
         return true;
      }
      if (gatheredCount + size > gatheredCapacity)
      {
         u64 capacity = gatheredCapacity ? gatheredCapacity * 2 : 65536;
         while (capacity < gatheredCount + size)
         {
            capacity *= 2;
         }
         if (capacity > 0xFFFFFFFFull)
         {
            return false;
         }
         u8* grown = static_cast<u8*>(
             Memory::Reallocate(gathered, static_cast<u32>(capacity), heapId, MEMORY_ALIGNMENT_MIN));
         if (!grown)
         {
            return false;
         }
         gathered = grown;
         gatheredCapacity = capacity;
      }
      std::memcpy(gathered + gatheredCount, data, size);
      gatheredCount += size;
      return true;
   }

   // Inflates one IDAT chunk of an ordinary file straight into the buffer sized from IHDR.
   void IDATInflate(const u8* data, u32 size)
   {
      if (!streamOpen || streamDone || size == 0)
      {
         return;
      }
      stream.next_in = const_cast<Bytef*>(data);
      stream.avail_in = size;
      while (stream.avail_in > 0 && stream.avail_out > 0)
      {
         int result = inflate(&stream, Z_NO_FLUSH);
         if (result != Z_OK)
         {
            // The end of the stream, or damage: what came so far is decoded.
            streamDone = true;
            break;
         }
      }
      inflatedCount = inflatedSize - stream.avail_out;
   }
};

bool FileWrite(File* file, const void* data, u32 size)
{
   return size == 0 || file->Write(data, size) == size;
}

bool ChunkWrite(File* file, const char* type, const u8* data, u32 length)
{
   u8 head[8];
   BigEndian32Write(head, length);
   std::memcpy(head + 4, type, 4);
   uLong crc = crc32(0L, head + 4, 4);
   if (length)
   {
      crc = crc32(crc, data, length);
   }
   u8 tail[4];
   BigEndian32Write(tail, static_cast<u32>(crc));
   return FileWrite(file, head, 8) && FileWrite(file, data, length) && FileWrite(file, tail, 4);
}
} // namespace

void* ZlibAllocate(void* opaque, unsigned int items, unsigned int size)
{
   u64 total = static_cast<u64>(items) * size;
   if (total == 0 || total > 0xFFFFFFFFull)
   {
      return nullptr;
   }
   return Memory::Allocate(static_cast<u32>(total), static_cast<i32>(reinterpret_cast<uptr>(opaque)),
                           MEMORY_ALIGNMENT_MIN);
}

void ZlibFree(void*, void* address)
{
   MemoryFree(address);
}

Bitmap* BitmapLoaderPNG::Load(File* file, Allocator* pixelAllocator, i32 bitmapHeapId, i32 tempHeapId)
{
   if (!file || !pixelAllocator)
   {
      return nullptr;
   }
   u8 start[16];
   u32 startCount = file->Read(start, 16);
   if (startCount < 8 || std::memcmp(start, pngSignature, 8) != 0)
   {
      return nullptr;
   }
   bool cgbi = false;
   if (startCount == 16 && BigEndian32Read(start + 8) == 4 && std::memcmp(start + 12, "CgBI", 4) == 0)
   {
      u8 skipped[8];
      if (file->Read(skipped, 8) != 8)
      {
         return nullptr;
      }
      cgbi = true;
   }
   else if (startCount > 8 && !file->PositionSet(-static_cast<i64>(startCount - 8), FILE_ORIGIN_CURRENT))
   {
      return nullptr;
   }

   PNGLoadState state;
   state.heapId = tempHeapId;
   PNGHeader header;
   bool headerRead = false;
   i64 fileSize = file->SizeGet();

   while (!file->EndCheck())
   {
      u8 chunkHead[8];
      if (file->Read(chunkHead, 8) != 8)
      {
         break;
      }
      u32 length = BigEndian32Read(chunkHead);
      const u8* type = chunkHead + 4;
      if (length > chunkLengthMax)
      {
         break;
      }
      // A chunk that claims more than the file holds is a truncated (or forged) file.
      if (fileSize >= 0)
      {
         i64 position = file->PositionGet();
         if (position < 0 || static_cast<i64>(length) + 4 > fileSize - position)
         {
            break;
         }
      }

      if (std::memcmp(type, "PLTE", 4) == 0 || std::memcmp(type, "tRNS", 4) == 0)
      {
         WarningPrintf("BitmapLoaderPNG::Load -- Paletes not currently supported.\n");
         return nullptr;
      }
      bool isHeader = std::memcmp(type, "IHDR", 4) == 0;
      bool isData = std::memcmp(type, "IDAT", 4) == 0;
      if (!isHeader && !isData)
      {
         if (!file->PositionSet(static_cast<i64>(length) + 4, FILE_ORIGIN_CURRENT))
         {
            break;
         }
         if (std::memcmp(type, "IEND", 4) == 0)
         {
            break;
         }
         continue;
      }

      if (!state.ChunkBufferReserve(length ? length : 1))
      {
         WarningPrintf("BitmapLoaderPNG::Load -- Out of memory for a chunk of %u bytes\n", length);
         return nullptr;
      }
      u8 crc[4];
      if (file->Read(state.chunkData, length) != length || file->Read(crc, 4) != 4)
      {
         break;
      }

      if (isHeader)
      {
         if (headerRead || length < 13)
         {
            WarningPrintf("BitmapLoaderPNG::Load -- Bad or repeated IHDR chunk\n");
            return nullptr;
         }
         const u8* d = state.chunkData;
         header.width = BigEndian32Read(d);
         header.height = BigEndian32Read(d + 4);
         header.bitDepth = d[8];
         header.colorType = d[9];
         header.compressionMethod = d[10];
         header.filterMethod = d[11];
         header.interlaceMethod = d[12];
         headerRead = true;
         u64 needed = InflatedSizeGet(header);
         if (header.width == 0 || header.height == 0 || header.width > 0x7FFFFFFFu ||
             header.height > 0x7FFFFFFFu || needed > decodeBytesMax ||
             static_cast<u64>(header.width) * header.height * 4 > decodeBytesMax)
         {
            WarningPrintf("BitmapLoaderPNG::Load -- Unsupported image size: %ux%u\n", header.width,
                          header.height);
            return nullptr;
         }
         // A file too short for its header's promise is forged or truncated: refused before the
         // buffer is made and a mostly empty stream is decoded at full size.
         i64 position = file->PositionGet();
         if (fileSize >= 0 && position >= 0 && position <= fileSize &&
             !CompressedSizeHolds(static_cast<u64>(fileSize - position), needed))
         {
            CompressedSizeWarn(static_cast<u64>(fileSize - position), header);
            return nullptr;
         }
         state.inflatedSize = needed;
         state.inflated =
             static_cast<u8*>(Memory::Allocate(static_cast<u32>(needed), tempHeapId, MEMORY_ALIGNMENT_MIN));
         if (!state.inflated)
         {
            WarningPrintf("BitmapLoaderPNG::Load -- Out of memory for %ux%u pixels\n", header.width,
                          header.height);
            return nullptr;
         }
         if (!cgbi)
         {
            state.stream.zalloc = ZlibAllocate;
            state.stream.zfree = ZlibFree;
            state.stream.opaque = ZlibHeapOpaque(tempHeapId);
            if (inflateInit2(&state.stream, 15) != Z_OK)
            {
               WarningPrintf("BitmapLoaderPNG::Load -- Unable to start inflating\n");
               return nullptr;
            }
            state.streamOpen = true;
            state.stream.next_out = state.inflated;
            state.stream.avail_out = static_cast<uInt>(needed);
         }
      }
      else if (cgbi)
      {
         state.compressedCount += length;
         if (!state.GatheredAppend(state.chunkData, length))
         {
            WarningPrintf("BitmapLoaderPNG::Load -- Out of memory for the image data\n");
            return nullptr;
         }
      }
      else
      {
         state.compressedCount += length;
         state.IDATInflate(state.chunkData, length);
      }
   }

   // The same promise against the data that really came, for files of unknown size.
   if (headerRead && state.inflated && !CompressedSizeHolds(state.compressedCount, state.inflatedSize))
   {
      CompressedSizeWarn(state.compressedCount, header);
      return nullptr;
   }

   if (cgbi && state.inflated && state.gatheredCount > 0)
   {
      z_stream& stream = state.stream;
      stream.zalloc = ZlibAllocate;
      stream.zfree = ZlibFree;
      stream.opaque = ZlibHeapOpaque(tempHeapId);
      // Raw deflate without the zlib header; the whole output is one buffer, so the widest window
      // accepts any stream.
      if (inflateInit2(&stream, -15) == Z_OK)
      {
         state.streamOpen = true;
         stream.next_in = state.gathered;
         stream.avail_in = static_cast<uInt>(state.gatheredCount);
         stream.next_out = state.inflated;
         stream.avail_out = static_cast<uInt>(state.inflatedSize);
         int result = inflate(&stream, Z_FINISH);
         if (result == Z_MEM_ERROR || result == Z_DATA_ERROR)
         {
            WarningPrintf("ZLib error! %d\n", result);
         }
         else if (result == Z_NEED_DICT)
         {
            WarningPrintf("ZLib error! %d\n", Z_DATA_ERROR);
         }
         state.inflatedCount = state.inflatedSize - stream.avail_out;
      }
   }

   if (state.inflatedCount == 0)
   {
      return nullptr;
   }
   if (!headerRead || header.filterMethod != 0)
   {
      return nullptr;
   }
   i32 format;
   if (header.colorType == 2)
   {
      format = BITMAP_FORMAT_RGB8;
   }
   else if (header.colorType == 6)
   {
      format = BITMAP_FORMAT_RGBA8;
   }
   else
   {
      WarningPrintf("BitmapLoaderPNG::Load -- Unsupported color type: %d\n", header.colorType);
      return nullptr;
   }
   if (header.bitDepth != 8)
   {
      WarningPrintf("BitmapLoaderPNG::Load -- Unsupported bit depth: %d\n", header.bitDepth);
      return nullptr;
   }
   if (header.interlaceMethod > 1)
   {
      WarningPrintf("BitmapLoaderPNG::Load -- Unsupported interlace method: %d\n", header.interlaceMethod);
      return nullptr;
   }

   // A truncated stream decodes as far as it came; the rest reads as zero bytes.
   std::memset(state.inflated + state.inflatedCount, 0,
               static_cast<size_t>(state.inflatedSize - state.inflatedCount));

   Bitmap* bitmap = BitmapManagerDefault::BitmapCreate(format, bitmapHeapId);
   if (!bitmap)
   {
      return nullptr;
   }
   if (!bitmap->Init(static_cast<i32>(header.width), static_cast<i32>(header.height), format, pixelAllocator))
   {
      Bitmap::Destroy(bitmap);
      return nullptr;
   }

   const size_t bpp = format == BITMAP_FORMAT_RGB8 ? 3 : 4;
   const size_t rowBytes = static_cast<size_t>(header.width) * bpp;
   // Two working rows: the first row of an image or a pass is predicted from zeros.
   u8* rows =
       static_cast<u8*>(Memory::Allocate(static_cast<u32>(rowBytes * 2), tempHeapId, MEMORY_ALIGNMENT_MIN));
   if (!rows)
   {
      Bitmap::Destroy(bitmap);
      return nullptr;
   }
   std::memset(rows, 0, rowBytes);
   const u8* source = state.inflated;
   if (header.interlaceMethod == 0)
   {
      const u8* prior = rows;
      for (u32 y = 0; y < header.height; ++y)
      {
         u8* destination = bitmap->pixels + y * rowBytes;
         RowUnfilter(source[0], source + 1, destination, prior, rowBytes, bpp);
         prior = destination;
         source += 1 + rowBytes;
      }
   }
   else
   {
      for (const Adam7Pass& pass : adam7Passes)
      {
         u32 passWidth = static_cast<u32>(PassSizeGet(header.width, pass.startX, pass.stepX));
         u32 passHeight = static_cast<u32>(PassSizeGet(header.height, pass.startY, pass.stepY));
         if (passWidth == 0 || passHeight == 0)
         {
            continue;
         }
         size_t passRowBytes = passWidth * bpp;
         u8* prior = rows;
         u8* current = rows + rowBytes;
         std::memset(prior, 0, passRowBytes);
         for (u32 r = 0; r < passHeight; ++r)
         {
            RowUnfilter(source[0], source + 1, current, prior, passRowBytes, bpp);
            source += 1 + passRowBytes;
            u8* target = bitmap->pixels + (static_cast<size_t>(pass.startY) + r * pass.stepY) * rowBytes;
            for (u32 i = 0; i < passWidth; ++i)
            {
               std::memcpy(target + (static_cast<size_t>(pass.startX) + i * pass.stepX) * bpp,
                           current + i * bpp, bpp);
            }
            u8* swap = prior;
            prior = current;
            current = swap;
         }
      }
   }
   MemoryFree(rows);

   if (cgbi)
   {
      // These files keep blue, green, red: swap each pixel's first and third bytes. Their colours
      // are premultiplied already and stay as they are.
      size_t count = static_cast<size_t>(header.width) * header.height;
      u8* p = bitmap->pixels;
      for (size_t i = 0; i < count; ++i, p += bpp)
      {
         u8 blue = p[0];
         p[0] = p[2];
         p[2] = blue;
      }
   }
   return bitmap;
}

bool BitmapLoaderPNG::Save(const Bitmap* bitmap, File* file, i32 tempHeapId)
{
   if (!bitmap || !file)
   {
      return false;
   }
   u8 colorType;
   u32 pixelSize;
   if (bitmap->format == 0 || bitmap->format == 5)
   {
      colorType = 2;
      pixelSize = 3;
   }
   else if (bitmap->format == 1 || bitmap->format == 6)
   {
      colorType = 6;
      pixelSize = 4;
   }
   else
   {
      WarningPrintf("BimapLoaderPNG::Save -- Format not supported: %d\n", bitmap->format);
      return false;
   }
   if (!bitmap->pixels || bitmap->width <= 0 || bitmap->height <= 0)
   {
      WarningPrintf("BitmapLoaderPNG::Save -- Bitmap has no pixels\n");
      return false;
   }

   u8 ihdr[13];
   BigEndian32Write(ihdr, static_cast<u32>(bitmap->width));
   BigEndian32Write(ihdr + 4, static_cast<u32>(bitmap->height));
   ihdr[8] = 8;
   ihdr[9] = colorType;
   ihdr[10] = 0;
   ihdr[11] = 0;
   ihdr[12] = 0;
   if (!FileWrite(file, pngSignature, 8) || !ChunkWrite(file, "IHDR", ihdr, 13))
   {
      WarningPrintf("BitmapLoaderPNG::Save -- Unable to write the header\n");
      return false;
   }

   // The IDAT length is known only at the end: write a placeholder and come back for it.
   i64 dataChunkPosition = file->PositionGet();
   u8 dataHead[8] = {0, 0, 0, 0, 'I', 'D', 'A', 'T'};
   if (dataChunkPosition < 0 || !FileWrite(file, dataHead, 8))
   {
      WarningPrintf("BitmapLoaderPNG::Save -- Unable to write the data chunk\n");
      return false;
   }

   u64 rowBytes = static_cast<u64>(bitmap->width) * pixelSize;
   u64 outputSize = static_cast<u64>(bitmap->width) * 8;
   if (outputSize < 64)
   {
      outputSize = 64;
   }
   if (rowBytes + 1 > 0xFFFFFFFFull || outputSize > 0xFFFFFFFFull)
   {
      WarningPrintf("BitmapLoaderPNG::Save -- Bitmap too wide: %d\n", bitmap->width);
      return false;
   }
   u8* row =
       static_cast<u8*>(Memory::Allocate(static_cast<u32>(rowBytes + 1), tempHeapId, MEMORY_ALIGNMENT_MIN));
   u8* output =
       static_cast<u8*>(Memory::Allocate(static_cast<u32>(outputSize), tempHeapId, MEMORY_ALIGNMENT_MIN));
   z_stream stream{};
   stream.zalloc = ZlibAllocate;
   stream.zfree = ZlibFree;
   stream.opaque = ZlibHeapOpaque(tempHeapId);
   bool streamOpen = row && output && deflateInit(&stream, 6) == Z_OK;
   bool ok = streamOpen;
   u64 written = 0;
   uLong crc = crc32(0L, reinterpret_cast<const Bytef*>("IDAT"), 4);
   for (i32 y = 0; ok && y < bitmap->height; ++y)
   {
      bool last = y == bitmap->height - 1;
      row[0] = 0;
      std::memcpy(row + 1, bitmap->PixelAddressGet(0, y), static_cast<size_t>(rowBytes));
      stream.next_in = row;
      stream.avail_in = static_cast<uInt>(rowBytes + 1);
      int result;
      do
      {
         stream.next_out = output;
         stream.avail_out = static_cast<uInt>(outputSize);
         result = deflate(&stream, last ? Z_FINISH : Z_NO_FLUSH);
         if (result == Z_STREAM_ERROR)
         {
            ok = false;
            break;
         }
         u32 produced = static_cast<u32>(outputSize - stream.avail_out);
         if (!FileWrite(file, output, produced))
         {
            ok = false;
            break;
         }
         crc = crc32(crc, output, produced);
         written += produced;
      } while (stream.avail_out == 0 || (last && result != Z_STREAM_END));
   }
   if (streamOpen)
   {
      deflateEnd(&stream);
   }
   MemoryFree(row);
   MemoryFree(output);
   if (!ok || written > chunkLengthMax)
   {
      WarningPrintf("BitmapLoaderPNG::Save -- Unable to write the image data\n");
      return false;
   }

   BigEndian32Write(dataHead, static_cast<u32>(written));
   u8 crcBytes[4];
   BigEndian32Write(crcBytes, static_cast<u32>(crc));
   static const u8 iend[12] = {0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};
   if (!file->PositionSet(dataChunkPosition, FILE_ORIGIN_START) || !FileWrite(file, dataHead, 8) ||
       !file->PositionSet(static_cast<i64>(written), FILE_ORIGIN_CURRENT) || !FileWrite(file, crcBytes, 4) ||
       !FileWrite(file, iend, 12))
   {
      WarningPrintf("BitmapLoaderPNG::Save -- Unable to finish the file\n");
      return false;
   }
   return true;
}
} // namespace Corvale
