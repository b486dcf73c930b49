// texconv: packs a PNG into a ".tex" file (one texture) or an ".img" file (power-of-two tiles
// of at most 1024 pixels), both a u32 uncompressed size and a raw deflate stream. Colours are
// stored premultiplied by alpha, as the program draws them.
//
//   corvale-texconv tex <input.png> <output.tex>
//   corvale-texconv img <input.png> <output.img>
#include <cstdio>
#include <cstring>
#include <vector>

#include <zlib.h>

#include "core/Allocator.h"
#include "core/FileStdio.h"
#include "core/Memory.h"
#include "core/Table.h"
#include "platform/image/Bitmap.h"
#include "platform/image/BitmapLoaderPNG.h"
#include "platform/image/BitmapSplit.h"

using namespace Corvale;

namespace
{
void U32Append(std::vector<u8>& out, u32 value)
{
   for (int i = 0; i < 4; ++i)
   {
      out.push_back(static_cast<u8>(value >> (8 * i)));
   }
}

void FloatAppend(std::vector<u8>& out, float value)
{
   u32 bits;
   std::memcpy(&bits, &value, sizeof(bits));
   U32Append(out, bits);
}

void PixelsAppend(std::vector<u8>& out, const Bitmap* bitmap)
{
   out.insert(out.end(), bitmap->pixels, bitmap->pixels + bitmap->ByteSizeGet());
}

bool PackedWrite(const char* path, const std::vector<u8>& block)
{
   std::vector<u8> out;
   U32Append(out, static_cast<u32>(block.size()));
   z_stream stream{};
   if (deflateInit2(&stream, 9, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
   {
      return false;
   }
   std::vector<u8> compressed(deflateBound(&stream, static_cast<uLong>(block.size())));
   stream.next_in = const_cast<Bytef*>(block.data());
   stream.avail_in = static_cast<uInt>(block.size());
   stream.next_out = compressed.data();
   stream.avail_out = static_cast<uInt>(compressed.size());
   int result = deflate(&stream, Z_FINISH);
   out.insert(out.end(), compressed.begin(), compressed.begin() + static_cast<long>(stream.total_out));
   deflateEnd(&stream);
   if (result != Z_STREAM_END)
   {
      return false;
   }
   FILE* file = std::fopen(path, "wb");
   if (!file)
   {
      return false;
   }
   bool ok = std::fwrite(out.data(), 1, out.size(), file) == out.size();
   return std::fclose(file) == 0 && ok;
}

void EntryAppend(std::vector<u8>& block, const Bitmap* texture, float offsetX, float offsetY, float sourceX,
                 float sourceY, float sourceWidth, float sourceHeight)
{
   while (block.size() % 4 != 0)
   {
      block.push_back(0);
   }
   U32Append(block, static_cast<u32>(texture->width));
   U32Append(block, static_cast<u32>(texture->height));
   FloatAppend(block, offsetX);
   FloatAppend(block, offsetY);
   FloatAppend(block, sourceX);
   FloatAppend(block, sourceY);
   FloatAppend(block, sourceWidth);
   FloatAppend(block, sourceHeight);
   U32Append(block, static_cast<u32>(texture->ByteSizeGet()));
   PixelsAppend(block, texture);
}
} // namespace

int main(int argc, char** argv)
{
   if (argc != 4 || (std::strcmp(argv[1], "tex") != 0 && std::strcmp(argv[1], "img") != 0))
   {
      std::fprintf(stderr, "usage: %s tex|img <input.png> <output>\n", argv[0]);
      return 2;
   }
   Memory::Init();
   FileStdio input(std::fopen(argv[2], "rb"));
   if (!input.stream)
   {
      std::fprintf(stderr, "texconv: cannot open %s\n", argv[2]);
      return 1;
   }
   Bitmap* bitmap = bitmapLoaderPNG.Load(&input, allocatorDefault, HEAP_DEFAULT, HEAP_TEMP);
   std::fclose(input.stream);
   input.stream = nullptr;
   if (!bitmap)
   {
      std::fprintf(stderr, "texconv: cannot read %s as an 8-bit RGB or RGBA PNG\n", argv[2]);
      return 1;
   }
   bitmap->PremultiplyAlpha();

   std::vector<u8> block;
   bool ok = true;
   if (std::strcmp(argv[1], "tex") == 0)
   {
      U32Append(block, static_cast<u32>(bitmap->format));
      U32Append(block, static_cast<u32>(bitmap->width));
      U32Append(block, static_cast<u32>(bitmap->height));
      PixelsAppend(block, bitmap);
   }
   else
   {
      Table<BitmapTile> tiles(allocatorDefault);
      BitmapSplitResult split = BitmapSplit(bitmap, allocatorDefault, &tiles);
      U32Append(block, split == BITMAP_SPLIT_TILES ? static_cast<u32>(tiles.count) : 1);
      U32Append(block, static_cast<u32>(bitmap->format));
      if (split == BITMAP_SPLIT_NONE)
      {
         EntryAppend(block, bitmap, 0, 0, 0, 0, static_cast<float>(bitmap->width),
                     static_cast<float>(bitmap->height));
      }
      else if (split == BITMAP_SPLIT_TILES)
      {
         for (i32 i = 0; i < tiles.count; ++i)
         {
            const BitmapTile& tile = tiles[i];
            EntryAppend(block, tile.bitmap, static_cast<float>(tile.tileX), static_cast<float>(tile.tileY),
                        static_cast<float>(tile.sourceX), static_cast<float>(tile.sourceY),
                        static_cast<float>(tile.usedWidth), static_cast<float>(tile.usedHeight));
         }
      }
      else
      {
         ok = false;
      }
      BitmapTilesDestroy(&tiles);
   }
   Bitmap::Destroy(bitmap);
   if (!ok || !PackedWrite(argv[3], block))
   {
      std::fprintf(stderr, "texconv: cannot write %s\n", argv[3]);
      return 1;
   }
   return 0;
}
