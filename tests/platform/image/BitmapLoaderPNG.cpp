// The PNG reader against files from an independent encoder, refused and damaged files, and the
// writer's round trip.
#include "platform/image/BitmapLoaderPNG.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "core/Allocator.h"
#include "core/Memory.h"
#include "platform/image/Bitmap.h"
#include "tests/platform/BitmapTestSupport.h"

using namespace Corvale;
using namespace Corvale::testing_support;

namespace
{
class BitmapLoaderPNGTest : public ::testing::Test
{
 protected:
   static void SetUpTestSuite() { Memory::Init(); }

   void SetUp() override
   {
      folder = PNGFixtureFolder();
      ASSERT_FALSE(folder.empty()) << "python3 could not write the PNG fixtures";
   }

   Bitmap* Decode(const std::vector<u8>& bytes)
   {
      MemoryFile file(bytes);
      return bitmapLoaderPNG.Load(file.Get(), allocatorDefault, HEAP_DEFAULT, HEAP_TEMP);
   }

   Bitmap* DecodeFixture(const std::string& name) { return Decode(BytesRead(folder + "/" + name + ".png")); }

   std::vector<u8> Pixels(const Bitmap* bitmap)
   {
      return std::vector<u8>(bitmap->pixels, bitmap->pixels + bitmap->ByteSizeGet());
   }

   std::string folder;
};

TEST_F(BitmapLoaderPNGTest, DecodesEveryFilterSizeAndInterlaceLikeTheReferenceEncoder)
{
   const std::pair<int, int> sizes[] = {{1, 1}, {3, 5}, {33, 17}, {257, 1}};
   const char* filters[] = {"0", "1", "2", "3", "4", "mixed"};
   for (int channels : {3, 4})
   {
      for (auto [width, height] : sizes)
      {
         for (int interlace : {0, 1})
         {
            for (const char* filter : filters)
            {
               char name[64];
               std::snprintf(name, sizeof(name), "m_%d_%dx%d_i%d_f%s", channels, width, height, interlace,
                             filter);
               SCOPED_TRACE(name);
               Bitmap* bitmap = DecodeFixture(name);
               ASSERT_NE(bitmap, nullptr);
               EXPECT_EQ(bitmap->width, width);
               EXPECT_EQ(bitmap->height, height);
               EXPECT_EQ(bitmap->format, channels == 3 ? BITMAP_FORMAT_RGB8 : BITMAP_FORMAT_RGBA8);
               EXPECT_EQ(Pixels(bitmap), BytesRead(folder + "/" + name + ".raw"));
               Bitmap::Destroy(bitmap);
            }
         }
      }
   }
}

TEST_F(BitmapLoaderPNGTest, SkipsUnknownChunksAndSwapsCgBIPixelsToRGBA)
{
   for (const char* name : {"chunks_skipped", "cgbi_rgba"})
   {
      SCOPED_TRACE(name);
      Bitmap* bitmap = DecodeFixture(name);
      ASSERT_NE(bitmap, nullptr);
      EXPECT_EQ(Pixels(bitmap), BytesRead(folder + "/" + name + ".raw"));
      Bitmap::Destroy(bitmap);
   }
}

TEST_F(BitmapLoaderPNGTest, RefusesWhatTheArtNeverUsesWithItsMessage)
{
   const struct
   {
      const char* name;
      const char* message;
   } cases[] = {
       {"refuse_grey", "BitmapLoaderPNG::Load -- Unsupported color type: 0\n"},
       {"refuse_grey_alpha", "BitmapLoaderPNG::Load -- Unsupported color type: 4\n"},
       {"refuse_palette", "BitmapLoaderPNG::Load -- Paletes not currently supported.\n"},
       {"refuse_trns_rgb", "BitmapLoaderPNG::Load -- Paletes not currently supported.\n"},
       {"refuse_rgb16", "BitmapLoaderPNG::Load -- Unsupported bit depth: 16\n"},
       {"refuse_interlace2", "BitmapLoaderPNG::Load -- Unsupported interlace method: 2\n"},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(c.name);
      LogCapture log;
      EXPECT_EQ(DecodeFixture(c.name), nullptr);
      EXPECT_TRUE(log.Has(c.message)) << log.text;
   }
}

TEST_F(BitmapLoaderPNGTest, RefusesAWrongSignatureAndNullArguments)
{
   std::vector<u8> bytes = BytesRead(folder + "/m_3_3x5_i0_f0.png");
   bytes[1] = 'Q';
   EXPECT_EQ(Decode(bytes), nullptr);
   EXPECT_EQ(Decode(std::vector<u8>{137, 80, 78}), nullptr);
   EXPECT_EQ(Decode(std::vector<u8>{}), nullptr);
   MemoryFile file(BytesRead(folder + "/m_3_3x5_i0_f0.png"));
   EXPECT_EQ(bitmapLoaderPNG.Load(file.Get(), nullptr, HEAP_DEFAULT, HEAP_TEMP), nullptr);
   EXPECT_EQ(bitmapLoaderPNG.Load(nullptr, allocatorDefault, HEAP_DEFAULT, HEAP_TEMP), nullptr);
}

TEST_F(BitmapLoaderPNGTest, ATruncatedFileDecodesWhatArrivedAndNeverReadsPastIt)
{
   std::vector<u8> whole = BytesRead(folder + "/damage_base.png");
   std::vector<u8> expected = BytesRead(folder + "/damage_base.raw");
   int decoded = 0;
   for (size_t length = 0; length < whole.size(); ++length)
   {
      std::vector<u8> cut(whole.begin(), whole.begin() + static_cast<long>(length));
      Bitmap* bitmap = Decode(cut);
      if (bitmap)
      {
         ++decoded;
         ASSERT_EQ(bitmap->width, 64);
         ASSERT_EQ(bitmap->height, 48);
         // The first row arrives early; the rows that never came read as zeros, not garbage.
         if (length > whole.size() - 20)
         {
            EXPECT_TRUE(std::equal(expected.begin(), expected.begin() + 64 * 4, bitmap->pixels));
         }
         Bitmap::Destroy(bitmap);
      }
   }
   EXPECT_GT(decoded, 0);
}

TEST_F(BitmapLoaderPNGTest, CorruptedBytesAnywhereNeverCrashTheReader)
{
   std::vector<u8> whole = BytesRead(folder + "/damage_base.png");
   LogCapture quiet;
   for (size_t position = 8; position < whole.size(); ++position)
   {
      for (u8 mask : {0xFF, 0x80, 0x01})
      {
         std::vector<u8> damaged = whole;
         damaged[position] ^= mask;
         Bitmap::Destroy(Decode(damaged));
      }
   }
}

TEST_F(BitmapLoaderPNGTest, ForgedSizesAreRefusedBeforeAnyLargeAllocation)
{
   std::vector<u8> whole = BytesRead(folder + "/m_4_3x5_i0_f0.png");
   // IHDR data starts at 16: width, then height.
   const u32 forged[][2] = {{0, 5}, {3, 0}, {0x7FFFFFFF, 0x7FFFFFFF}, {0xFFFFFFFF, 1}, {100000, 100000}};
   for (const auto& size : forged)
   {
      std::vector<u8> damaged = whole;
      for (int i = 0; i < 4; ++i)
      {
         damaged[16 + i] = static_cast<u8>(size[0] >> (24 - 8 * i));
         damaged[20 + i] = static_cast<u8>(size[1] >> (24 - 8 * i));
      }
      LogCapture log;
      EXPECT_EQ(Decode(damaged), nullptr) << size[0] << "x" << size[1];
      EXPECT_TRUE(log.Has("Unsupported image size")) << log.text;
   }
   // A chunk length beyond the end of the file ends the chunk loop.
   std::vector<u8> damaged = whole;
   damaged[33] = 0x7F;
   EXPECT_EQ(Decode(damaged), nullptr);
}

TEST_F(BitmapLoaderPNGTest, EmptyDataChunksAddNothing)
{
   Bitmap* bitmap = DecodeFixture("cgbi_empty_idat");
   ASSERT_NE(bitmap, nullptr);
   EXPECT_EQ(Pixels(bitmap), BytesRead(folder + "/cgbi_empty_idat.raw"));
   Bitmap::Destroy(bitmap);
   LogCapture quiet;
   EXPECT_EQ(DecodeFixture("cgbi_only_empty_idat"), nullptr);
}

TEST_F(BitmapLoaderPNGTest, DataTooShortForTheHeaderIsRefusedBeforeDecoding)
{
   for (const char* name : {"forged_tall", "forged_tall_cgbi", "forged_tall_padded"})
   {
      SCOPED_TRACE(name);
      LogCapture log;
      EXPECT_EQ(DecodeFixture(name), nullptr);
      EXPECT_TRUE(log.Has("bytes of image data cannot hold 3x16777221 pixels\n")) << log.text;
   }
   // As compressible as deflate gets (over 1000:1), and still decoded.
   Bitmap* zeros = DecodeFixture("zeros_1024");
   ASSERT_NE(zeros, nullptr);
   ASSERT_EQ(zeros->width, 1024);
   EXPECT_EQ(std::count(zeros->pixels, zeros->pixels + zeros->ByteSizeGet(), 0),
             static_cast<long>(zeros->ByteSizeGet()));
   Bitmap::Destroy(zeros);
}

class BitmapSaveTest : public BitmapLoaderPNGTest
{
 protected:
   std::vector<u8> SaveToBytes(const Bitmap& bitmap)
   {
      std::string path = folder + "/saved.png";
      FileStdio file(std::fopen(path.c_str(), "wb"));
      bool saved = bitmapLoaderPNG.Save(&bitmap, &file, HEAP_TEMP);
      std::fclose(file.stream);
      file.stream = nullptr;
      EXPECT_TRUE(saved);
      return BytesRead(path);
   }

   static std::vector<std::string> ChunkTypes(const std::vector<u8>& bytes)
   {
      std::vector<std::string> types;
      size_t at = 8;
      while (at + 12 <= bytes.size())
      {
         u32 length =
             (u32(bytes[at]) << 24) | (u32(bytes[at + 1]) << 16) | (u32(bytes[at + 2]) << 8) | bytes[at + 3];
         types.emplace_back(reinterpret_cast<const char*>(&bytes[at + 4]), 4);
         at += 12 + length;
      }
      EXPECT_EQ(at, bytes.size());
      return types;
   }
};

TEST_F(BitmapSaveTest, RoundTripsRGBAndRGBAThroughExactlyThreeChunks)
{
   const struct
   {
      i32 format, width, height;
   } cases[] = {{BITMAP_FORMAT_RGBA8, 2, 2}, {BITMAP_FORMAT_RGB8, 33, 17}, {BITMAP_FORMAT_RGBA8_ALT, 300, 3}};
   for (const auto& c : cases)
   {
      SCOPED_TRACE(c.width);
      Bitmap bitmap;
      ASSERT_TRUE(bitmap.Init(c.width, c.height, c.format, allocatorDefault));
      for (u64 i = 0; i < bitmap.ByteSizeGet(); ++i)
      {
         bitmap.pixels[i] = static_cast<u8>(i * 7 + i / 5);
      }
      std::vector<u8> bytes = SaveToBytes(bitmap);
      EXPECT_EQ(ChunkTypes(bytes), (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
      if (std::system("command -v pngcheck > /dev/null") == 0)
      {
         std::string command = "pngcheck -q \"" + folder + "/saved.png\" > /dev/null";
         EXPECT_EQ(std::system(command.c_str()), 0) << "pngcheck refused the file";
      }
      Bitmap* back = Decode(bytes);
      ASSERT_NE(back, nullptr);
      EXPECT_EQ(back->width, c.width);
      EXPECT_EQ(back->height, c.height);
      EXPECT_EQ(back->PixelSizeGet(), bitmap.PixelSizeGet());
      EXPECT_EQ(Pixels(back), Pixels(&bitmap));
      Bitmap::Destroy(back);
      bitmap.Free();
   }
}

TEST_F(BitmapSaveTest, RefusesOtherFormatsAndReportsAFailedWrite)
{
   Bitmap bitmap;
   ASSERT_TRUE(bitmap.Init(4, 4, BITMAP_FORMAT_RGBA4444, allocatorDefault));
   std::string path = folder + "/refused.png";
   {
      LogCapture log;
      FileStdio file(std::fopen(path.c_str(), "wb"));
      EXPECT_FALSE(bitmapLoaderPNG.Save(&bitmap, &file, HEAP_TEMP));
      EXPECT_TRUE(log.Has("BimapLoaderPNG::Save -- Format not supported: 2\n")) << log.text;
      std::fclose(file.stream);
      file.stream = nullptr;
   }
   ASSERT_TRUE(bitmap.Init(4, 4, BITMAP_FORMAT_RGB8, allocatorDefault));
   bitmap.Clear();
   {
      // A file that takes no bytes must not count as saved.
      FileStdio file(std::fopen(path.c_str(), "rb"));
      EXPECT_FALSE(bitmapLoaderPNG.Save(&bitmap, &file, HEAP_TEMP));
      std::fclose(file.stream);
      file.stream = nullptr;
   }
   EXPECT_FALSE(bitmapLoaderPNG.Save(nullptr, nullptr, HEAP_TEMP));
   bitmap.Free();
}
} // namespace
