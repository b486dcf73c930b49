// The packed ".tex" and ".img" files: stored size against the real stream, and entries checked
// against the data, including entries whose pixel size is not a multiple of 4.
#include "platform/image/ImageFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include <zlib.h>

#include "core/Allocator.h"
#include "core/FileManagerStdio.h"
#include "core/GraphicsPathManager.h"
#include "core/Memory.h"
#include "tests/platform/BitmapTestSupport.h"

using namespace Corvale;
using namespace Corvale::testing_support;

namespace
{
void U32Put(std::vector<u8>& out, u32 value)
{
   for (int i = 0; i < 4; ++i)
   {
      out.push_back(static_cast<u8>(value >> (8 * i)));
   }
}

void FloatPut(std::vector<u8>& out, float value)
{
   u32 bits;
   std::memcpy(&bits, &value, 4);
   U32Put(out, bits);
}

// A stored size, then the block as a raw deflate stream.
std::vector<u8> Packed(const std::vector<u8>& block, u32 storedSize)
{
   std::vector<u8> out;
   U32Put(out, storedSize);
   z_stream stream{};
   deflateInit2(&stream, 9, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
   std::vector<u8> compressed(deflateBound(&stream, static_cast<uLong>(block.size())));
   stream.next_in = const_cast<Bytef*>(block.data());
   stream.avail_in = static_cast<uInt>(block.size());
   stream.next_out = compressed.data();
   stream.avail_out = static_cast<uInt>(compressed.size());
   deflate(&stream, Z_FINISH);
   out.insert(out.end(), compressed.begin(), compressed.begin() + static_cast<long>(stream.total_out));
   deflateEnd(&stream);
   return out;
}

class ImageFileTest : public ::testing::Test
{
 protected:
   static void SetUpTestSuite()
   {
      Memory::Init();
      GraphicsPathManager::Set(0, "Graphics");
   }

   void SetUp() override
   {
      char pattern[] = "/tmp/corvale-imagefile-XXXXXX";
      ASSERT_NE(mkdtemp(pattern), nullptr);
      folder = pattern;
      std::filesystem::create_directories(folder + "/Graphics");
      ASSERT_TRUE(files.BaseFolderSet(folder.c_str()));
   }

   void TearDown() override { std::filesystem::remove_all(folder); }

   void Put(const char* name, const std::vector<u8>& bytes)
   {
      BytesWrite(folder + "/Graphics/" + name, bytes);
   }

   // The block of a ".tex" file of format 1 with width x height pixels of value 9.
   static std::vector<u8> TexBlock(u32 width, u32 height)
   {
      std::vector<u8> block;
      U32Put(block, 1);
      U32Put(block, width);
      U32Put(block, height);
      block.insert(block.end(), width * height * 4, 9);
      return block;
   }

   std::string folder;
   FileManagerStdio files;
};

TEST_F(ImageFileTest, StoredSizeBoundsTheStreamButAShortStreamStillLoads)
{
   std::vector<u8> block = TexBlock(2, 2);
   const struct
   {
      const char* name;
      std::vector<u8> bytes;
      bool loads;
      u32 size;
   } cases[] = {
       {"exact.tex", Packed(block, static_cast<u32>(block.size())), true, 28},
       {"roomy.tex", Packed(block, static_cast<u32>(block.size()) + 100), true, 28},
       {"tight.tex", Packed(block, static_cast<u32>(block.size()) - 1), false, 0},
       {"trailing.tex",
        [&]
        {
           std::vector<u8> bytes = Packed(block, static_cast<u32>(block.size()));
           bytes.push_back(0);
           return bytes;
        }(),
        false, 0},
       {"cut.tex",
        [&]
        {
           std::vector<u8> bytes = Packed(block, static_cast<u32>(block.size()));
           bytes.resize(bytes.size() - 3);
           return bytes;
        }(),
        false, 0},
       {"tiny.tex", {1, 0}, false, 0},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(c.name);
      Put(c.name, c.bytes);
      u32 size = 0;
      u8* data = CompressedFileRead(c.name, allocatorTemp, &files, &size);
      EXPECT_EQ(data != nullptr, c.loads);
      if (data)
      {
         EXPECT_EQ(size, c.size);
         i32 format, width, height;
         u8* pixels;
         EXPECT_TRUE(TextureFileParse(data, size, &format, &width, &height, &pixels));
         EXPECT_EQ(width, 2);
         EXPECT_EQ(pixels[15], 9);
         allocatorTemp->Free(data);
      }
   }
   EXPECT_EQ(CompressedFileRead("missing.tex", allocatorTemp, &files, nullptr), nullptr);
}

TEST_F(ImageFileTest, TextureHeadersThatPromiseMoreThanTheDataAreRefused)
{
   const struct
   {
      u32 format, width, height;
      u32 pixelBytes;
   } cases[] = {
       {1, 2, 2, 15}, {13, 1, 1, 4}, {1, 0, 2, 16}, {1, 0x80000000u, 1, 16}, {1, 0xFFFF, 0xFFFF, 16}};
   for (const auto& c : cases)
   {
      std::vector<u8> block;
      U32Put(block, c.format);
      U32Put(block, c.width);
      U32Put(block, c.height);
      block.insert(block.end(), c.pixelBytes, 0);
      i32 format, width, height;
      u8* pixels;
      LogCapture log;
      EXPECT_FALSE(
          TextureFileParse(block.data(), static_cast<u32>(block.size()), &format, &width, &height, &pixels))
          << c.format << " " << c.width << "x" << c.height;
   }
}

TEST_F(ImageFileTest, EntriesStartAtMultiplesOfFourAndAreCheckedAgainstTheBlock)
{
   // Format 4 (two bytes a pixel): a 3x1 texture has 6 bytes, so the next entry is padded.
   std::vector<u8> block;
   U32Put(block, 2);
   U32Put(block, 4);
   const u32 sizes[][2] = {{3, 1}, {1, 2}};
   for (int e = 0; e < 2; ++e)
   {
      while (block.size() % 4)
      {
         block.push_back(0xEE);
      }
      U32Put(block, sizes[e][0]);
      U32Put(block, sizes[e][1]);
      FloatPut(block, 10.0f * e);
      FloatPut(block, 5.0f);
      FloatPut(block, 0.0f);
      FloatPut(block, 0.0f);
      FloatPut(block, static_cast<float>(sizes[e][0]));
      FloatPut(block, static_cast<float>(sizes[e][1]));
      u32 bytes = sizes[e][0] * sizes[e][1] * 2;
      U32Put(block, bytes);
      block.insert(block.end(), bytes, static_cast<u8>(e + 1));
   }
   ImageFileReader reader;
   ASSERT_TRUE(reader.Open(block.data(), static_cast<u32>(block.size())));
   EXPECT_EQ(reader.CountGet(), 2);
   EXPECT_EQ(reader.FormatGet(), 4);
   ImageFileEntry entry;
   ASSERT_TRUE(reader.Next(&entry));
   EXPECT_EQ(entry.pixelSize, 6u);
   EXPECT_EQ(entry.pixels[5], 1);
   ASSERT_TRUE(reader.Next(&entry));
   EXPECT_EQ(entry.textureHeight, 2u);
   EXPECT_EQ(entry.offsetX, 10.0f);
   EXPECT_EQ(entry.pixels - block.data(), 52 + 36);
   EXPECT_EQ(entry.pixels[3], 2);
   EXPECT_FALSE(reader.Next(&entry));

   // Every cut of the block is refused somewhere, never read past.
   LogCapture quiet;
   for (size_t length = 0; length < block.size(); ++length)
   {
      std::vector<u8> cut(block.begin(), block.begin() + static_cast<long>(length));
      ImageFileReader damaged;
      bool complete = damaged.Open(cut.data(), static_cast<u32>(cut.size()));
      for (int i = 0; complete && i < 2; ++i)
      {
         complete = damaged.Next(&entry);
      }
      EXPECT_FALSE(complete) << length;
   }
   // A forged part size past the block, and a count no block could hold.
   std::vector<u8> forged = block;
   forged[8 + 32] = 0xFF;
   ImageFileReader reader2;
   ASSERT_TRUE(reader2.Open(forged.data(), static_cast<u32>(forged.size())));
   EXPECT_FALSE(reader2.Next(&entry));
   forged = block;
   forged[3] = 0x10;
   EXPECT_FALSE(reader2.Open(forged.data(), static_cast<u32>(forged.size())));
}
TEST_F(ImageFileTest, StoredSizesTheStreamCannotProduceAreRefusedBeforeAnyAllocation)
{
   std::vector<u8> block = TexBlock(2, 2);
   std::vector<u8> stream = Packed(block, 0);
   const u32 compressed = static_cast<u32>(stream.size()) - 4;
   const struct
   {
      const char* name;
      std::vector<u8> bytes;
      u32 storedSize;
   } cases[] = {
       {"four-bytes.tex", {}, 0xF0000000u},
       {"one-past-expansion.tex", std::vector<u8>(stream.begin() + 4, stream.end()), compressed * 1032 + 1},
       {"beyond-any-image.tex", std::vector<u8>(400000, 0), 300u * 1024 * 1024},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(c.name);
      std::vector<u8> bytes;
      U32Put(bytes, c.storedSize);
      bytes.insert(bytes.end(), c.bytes.begin(), c.bytes.end());
      Put(c.name, bytes);
      TestSupport::CountingAllocator counting;
      LogCapture log;
      EXPECT_EQ(CompressedFileRead(c.name, &counting, &files, nullptr), nullptr);
      EXPECT_EQ(counting.allocations, 0);
      EXPECT_TRUE(
          log.Has("CompressedFileRead -- Stored size " + std::to_string(c.storedSize) + " is more than"))
          << log.text;
   }
}

TEST_F(ImageFileTest, PartsWhoseRectangleIsNotFiniteOrNotInsideTheTextureAreRefused)
{
   const float nan = std::numeric_limits<float>::quiet_NaN();
   const float inf = std::numeric_limits<float>::infinity();
   // Offset x and y, source x, y, width and height of one part on a 4x4 texture.
   const struct
   {
      float values[6];
      bool read;
   } cases[] = {
       {{0, 0, 0, 0, 4, 4}, true},      {{-16777216.0f, 3, 1, 1, 3, 3}, true},
       {{1e30f, 0, 0, 0, 4, 4}, false}, {{0, -inf, 0, 0, 4, 4}, false},
       {{0, 0, 1e30f, 0, 4, 4}, false}, {{0, 0, 0, 0, nan, 4}, false},
       {{0, 0, 0, 0, 4, -3}, false},    {{0, 0, -1, 0, 4, 4}, false},
       {{0, 0, 1, 0, 4, 4}, false},     {{0, 0, 0, 0.5f, 4, 3.75f}, false},
       {{nan, 0, 0, 0, 4, 4}, false},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(::testing::Message() << c.values[0] << " " << c.values[1] << " " << c.values[2] << " "
                                        << c.values[3] << " " << c.values[4] << " " << c.values[5]);
      std::vector<u8> block;
      U32Put(block, 1);
      U32Put(block, 1);
      U32Put(block, 4);
      U32Put(block, 4);
      for (float value : c.values)
      {
         FloatPut(block, value);
      }
      U32Put(block, 64);
      block.insert(block.end(), 64, 7);
      ImageFileReader reader;
      ASSERT_TRUE(reader.Open(block.data(), static_cast<u32>(block.size())));
      LogCapture log;
      ImageFileEntry entry;
      EXPECT_EQ(reader.Next(&entry), c.read);
      EXPECT_EQ(log.Has("ImageFileReader::Next -- Part 0 has a bad rectangle"), !c.read) << log.text;
   }
}

} // namespace
