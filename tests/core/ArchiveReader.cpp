// Tests of the resource archive: archives written by the packer's writer read back the same, name
// lookup, entry reads and seeks, and damaged archives refused before any read outside the file.
#include "core/FileManagerDat.h"

#include <gtest/gtest.h>

#include <cstring>
#include <unistd.h>

#include "core/FileDat.h"
#include "core/FileDatWriter.h"
#include "core/FileManagerStdio.h"
#include "core/FileStdio.h"
#include "core/Memory.h"
#include "tests/core/FileTestSupport.h"

using namespace Corvale;
using namespace CorvaleTest;

namespace
{
struct EntrySpec
{
   std::string name;
   std::string secondName;
   std::string contents;
   u8 key;
};

// Shows fatal messages on stderr, where the death tests look for them.
void StderrBox(const char*, const char* text, bool)
{
   fputs(text, stderr);
}

void LittleEndianAppend(std::string& bytes, u32 value)
{
   for (i32 i = 0; i < 4; ++i)
   {
      bytes.push_back(static_cast<char>(value >> (8 * i)));
   }
}

class ArchiveTest : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      ::testing::FLAGS_gtest_death_test_style = "threadsafe";
      // The archive is opened through the resource folder manager, here rooted in the fixture.
      ASSERT_TRUE(fileManagerStdioResource.BaseFolderSet(folder.path.c_str()));
   }
   void TearDown() override
   {
      archive.Deinit();
      fileManagerStdioResource.BaseFolderSet(nullptr);
   }

   void ArchiveWrite(const std::vector<EntrySpec>& entries, u8 tableKey)
   {
      FileManagerStdio output;
      output.BaseFolderSet(folder.path.c_str());
      File* file = output.Open("resource.dat", FILE_OPEN_WRITE, HEAP_TEMP);
      ASSERT_NE(file, nullptr);
      FileDatWriter writer(file, tableKey);
      for (const EntrySpec& entry : entries)
      {
         ASSERT_TRUE(writer.EntryAdd(entry.name.c_str(), entry.secondName.c_str(), entry.contents.data(),
                                     static_cast<u32>(entry.contents.size()), entry.key));
      }
      ASSERT_TRUE(writer.End());
      ASSERT_TRUE(output.Close(file));
   }

   std::string EntryRead(const char* path)
   {
      u32 size = 0;
      void* contents = archive.FileContentsGet(path, &size, 4, HEAP_DEFAULT, 0);
      if (!contents)
      {
         return "<null>";
      }
      std::string result(static_cast<const char*>(contents), size);
      archive.FileContentsFree(contents);
      return result;
   }

   TempFolder folder;
   LogCapture log;
   FileManagerDat archive;
};

TEST_F(ArchiveTest, PackedEntriesReadBackWithAnyKeys)
{
   // Sizes around the unscrambler's 32-byte step, and one large entry.
   const size_t sizes[] = {1, 31, 32, 33, 64, 100, 300000};
   for (u8 key : {u8{0}, u8{0xFF}, u8{0x5A}})
   {
      std::vector<EntrySpec> entries;
      for (size_t i = 0; i < sizeof(sizes) / sizeof(sizes[0]); ++i)
      {
         const std::string name = "Folder/Entry" + std::to_string(i) + ".bin";
         entries.push_back(
             {name, name, PatternBytes(sizes[i], static_cast<u32>(i) + key), static_cast<u8>(key ^ i)});
      }
      entries.push_back({"Empty.txt", "Empty.txt", "", key});
      ArchiveWrite(entries, key);
      ASSERT_TRUE(archive.Init());
      EXPECT_EQ(archive.entryCount, entries.size());
      for (const EntrySpec& entry : entries)
      {
         EXPECT_TRUE(archive.Exists(entry.name.c_str())) << entry.name;
         if (!entry.contents.empty())
         {
            EXPECT_EQ(EntryRead(entry.name.c_str()), entry.contents) << entry.name << " key " << int(key);
         }
      }
      // An empty entry exists but, like an empty file, can't be read whole.
      EXPECT_EQ(EntryRead("Empty.txt"), "<null>");
      EXPECT_FALSE(archive.Exists("Folder/Entry"));
      EXPECT_FALSE(archive.Exists(""));
      archive.Deinit();
   }
}

TEST_F(ArchiveTest, LookupIgnoresCaseAndSlashesAndTakesTheFirstMatch)
{
   ArchiveWrite({{"Fonts/Main", "Fonts/Main", "main font", 1},
                 {"Primary/Name.json", "alias.json", "by either name", 2},
                 {"twice.txt", "twice.txt", "first", 3},
                 {"twice.txt", "twice.txt", "second", 4},
                 {"other.txt", "TWICE.TXT", "third", 5}},
                0x21);
   ASSERT_TRUE(archive.Init());
   for (const char* request : {"Fonts/Main", "fonts/main", "FONTS\\MAIN", "fonts\\main", "fOnTs/MaIn"})
   {
      EXPECT_EQ(EntryRead(request), "main font") << request;
   }
   EXPECT_FALSE(archive.Exists("Fonts/Mai"));
   EXPECT_FALSE(archive.Exists("Fonts//Main"));
   EXPECT_EQ(EntryRead("Alias.JSON"), "by either name");
   EXPECT_EQ(EntryRead("primary/name.json"), "by either name");
   EXPECT_EQ(EntryRead("twice.txt"), "first");
   EXPECT_FALSE(archive.Exists(nullptr));
}

TEST_F(ArchiveTest, OpenRefusesWritesEmptyNamesAndMissingEntries)
{
   ArchiveWrite({{"a.txt", "a.txt", "a", 0}}, 0);
   ASSERT_TRUE(archive.Init());
   EXPECT_EQ(archive.Open("a.txt", FILE_OPEN_WRITE, HEAP_TEMP), nullptr);
   EXPECT_TRUE(log.Contains("FileManagerDat::Open -- invalid options (2) for file \"a.txt\"\n"));
   EXPECT_EQ(archive.Open("", FILE_OPEN_READ, HEAP_TEMP), nullptr);
   EXPECT_EQ(archive.Open(nullptr, FILE_OPEN_READ, HEAP_TEMP), nullptr);
   EXPECT_TRUE(log.Contains("FileManagerDat::Open -- filename not specified\n"));
   EXPECT_EQ(archive.Open("b.txt", FILE_OPEN_READ, HEAP_TEMP), nullptr);
   EXPECT_TRUE(log.Contains("FileManagerDat::Open -- Unable to open file for reading: \"b.txt\"\n"));

   // The archive is read-only: every folder operation answers no.
   EXPECT_FALSE(archive.FileCheck("a.txt"));
   EXPECT_FALSE(archive.FileDelete("a.txt"));
   EXPECT_FALSE(archive.FileCopy("b.txt", "a.txt", HEAP_TEMP));
   EXPECT_EQ(archive.FolderContentsGet("", HEAP_TEMP, 0), nullptr);

   EXPECT_FALSE(archive.Close(nullptr));
   LogCapture other;
   EXPECT_FALSE(archive.Close(&other));
   FileStdio* foreign = MemoryNew<FileStdio>(HEAP_TEMP);
   EXPECT_FALSE(archive.Close(foreign));
   EXPECT_FALSE(fileManagerStdioResource.Close(foreign));
}

TEST_F(ArchiveTest, EntryReadsStayInsideTheEntry)
{
   const std::string before = PatternBytes(50, 1);
   const std::string middle = PatternBytes(100, 2);
   const std::string after = PatternBytes(50, 3);
   ArchiveWrite(
       {{"before", "before", before, 9}, {"middle", "middle", middle, 0x77}, {"after", "after", after, 8}},
       0x13);
   ASSERT_TRUE(archive.Init());
   File* file = archive.Open("middle", FILE_OPEN_READ, HEAP_DEFAULT);
   File* other = archive.Open("middle", FILE_OPEN_READ, HEAP_DEFAULT);
   ASSERT_NE(file, nullptr);
   ASSERT_NE(other, nullptr);
   EXPECT_EQ(file->SizeGet(), 100);
   EXPECT_EQ(file->PositionGet(), 0);
   EXPECT_FALSE(file->EndCheck());

   char buffer[256];
   ASSERT_TRUE(file->PositionSet(90, FILE_ORIGIN_START));
   EXPECT_EQ(file->Read(buffer, sizeof(buffer)), 10u);
   EXPECT_EQ(std::string(buffer, 10), middle.substr(90));
   EXPECT_TRUE(file->EndCheck());
   EXPECT_EQ(file->Read(buffer, sizeof(buffer)), 0u);

   // Each open entry has its own handle.
   EXPECT_EQ(other->PositionGet(), 0);
   EXPECT_EQ(other->Read(buffer, 4), 4u);
   EXPECT_EQ(std::string(buffer, 4), middle.substr(0, 4));

   ASSERT_TRUE(file->PositionSet(0, FILE_ORIGIN_END));
   EXPECT_EQ(file->PositionGet(), 100);
   ASSERT_TRUE(file->PositionSet(-30, FILE_ORIGIN_CURRENT));
   EXPECT_EQ(file->PositionGet(), 70);
   EXPECT_TRUE(file->ReadAt(buffer, 20, 10));
   EXPECT_EQ(std::string(buffer, 20), middle.substr(10, 20));
   EXPECT_EQ(file->PositionGet(), 70);
   EXPECT_FALSE(file->ReadAt(buffer, 20, 95));

   // Before the entry lie the bytes of another one: nothing is read there.
   ASSERT_TRUE(file->PositionSet(-5, FILE_ORIGIN_START));
   EXPECT_FALSE(file->EndCheck());
   EXPECT_EQ(file->Read(buffer, 10), 0u);

   EXPECT_EQ(file->Write("x", 1), 0u);
   EXPECT_TRUE(file->Flush());
   EXPECT_TRUE(archive.Close(file));
   EXPECT_TRUE(archive.Close(other));
}

TEST_F(ArchiveTest, ArchiveWithoutTableStartsButHoldsNothing)
{
   std::string bytes = "leading bytes";
   LittleEndianAppend(bytes, FILE_DAT_MAGIC_NO_TABLE);
   LittleEndianAppend(bytes, 0);
   LittleEndianAppend(bytes, 0);
   bytes.push_back(0);
   folder.FileWrite("resource.dat", bytes);
   ASSERT_TRUE(archive.Init());
   EXPECT_FALSE(archive.Exists("leading"));
   EXPECT_EQ(archive.Open("leading", FILE_OPEN_READ, HEAP_TEMP), nullptr);
   EXPECT_TRUE(log.Contains("FileManagerDat::Open -- Unable to open file for reading: \"leading\"\n"));
}

// A table of raw records, scrambled with key, and the trailer that points at it.
std::string ArchiveBytes(const std::string& contents, const std::string& table, u32 tableOffset, u32 count,
                         u32 magic = FILE_DAT_MAGIC, u8 key = 0x44)
{
   std::string bytes = contents;
   for (char c : table)
   {
      bytes.push_back(static_cast<char>(c ^ key));
   }
   LittleEndianAppend(bytes, magic);
   LittleEndianAppend(bytes, tableOffset);
   LittleEndianAppend(bytes, count);
   bytes.push_back(static_cast<char>(key));
   return bytes;
}

std::string Record(const std::string& name, u32 offset, u32 size)
{
   std::string record = name + '\0' + name + '\0';
   LittleEndianAppend(record, offset);
   LittleEndianAppend(record, size);
   LittleEndianAppend(record, 0);
   record.push_back(0);
   return record;
}

TEST_F(ArchiveTest, HandMadeArchiveMatchesTheWriter)
{
   // The layout written by hand reads the same as the writer's: the format is fixed, not shared code.
   const std::string contents = "0123456789";
   folder.FileWrite("resource.dat", ArchiveBytes(contents, Record("Dir\\File", 2, 5), 10, 1));
   ASSERT_TRUE(archive.Init());
   EXPECT_EQ(EntryRead("dir/file"), "23456");
}

TEST_F(ArchiveTest, DamagedArchivesEndTheProgramBeforeReadingOutsideTheFile)
{
   const std::string contents = "0123456789";
   const std::string good = Record("a", 0, 10);
   struct Case
   {
      const char* what;
      std::string bytes;
   };
   std::string trailerOnly;
   LittleEndianAppend(trailerOnly, FILE_DAT_MAGIC);
   const Case cases[] = {
       {"empty file", ""},
       {"shorter than the trailer", trailerOnly + "12345678"},
       {"unknown magic", ArchiveBytes(contents, good, 10, 1, 0x12345678)},
       {"table offset past the end", ArchiveBytes(contents, good, 1000, 1)},
       {"table offset at the trailer", ArchiveBytes(contents, good, 10 + static_cast<u32>(good.size()), 1)},
       {"records running past the table",
        ArchiveBytes(contents, good + Record("b", 0, 1).substr(0, 10), 10, 2)},
       {"name without its end", ArchiveBytes(contents, std::string("abc"), 10, 1)},
       {"huge count", ArchiveBytes(contents, good, 10, 0xFFFFFFFFu)},
       {"data beyond the file", ArchiveBytes(contents, Record("a", 5, 1000), 10, 1)},
       {"data offset beyond the file", ArchiveBytes(contents, Record("a", 0xFFFFFFF0u, 16), 10, 1)},
   };
   for (const Case& c : cases)
   {
      folder.FileWrite("resource.dat", c.bytes);
      EXPECT_DEATH(
          {
             LogMessageBoxFunctionSet(StderrBox);
             archive.Init();
          },
          "FileManagerDat::Init -- Failed to initialize using resource file: resource.dat")
          << c.what;
   }
   unlink(folder.Join("resource.dat").c_str());
   EXPECT_DEATH(
       {
          LogMessageBoxFunctionSet(StderrBox);
          archive.Init();
       },
       "FileManagerDat::Init -- Unable to open resource file: resource.dat");
}

TEST_F(ArchiveTest, StartUpPrefersTheArchiveInTheWorkingFolder)
{
   char previous[4096];
   ASSERT_NE(getcwd(previous, sizeof(previous)), nullptr);
   ASSERT_EQ(chdir(folder.path.c_str()), 0);
   fileManagerStdioResource.BaseFolderSet(nullptr);

   FileManagersInit();
   EXPECT_EQ(fileManagerResource, &fileManagerStdioResource);
   FileManagersDeinit();

   ArchiveWrite({{"Scripts/BuildConsts.json", "Scripts/BuildConsts.json", "{}", 7}}, 7);
   FileManagersInit();
   EXPECT_EQ(fileManagerResource, &fileManagerDatResource);
   EXPECT_TRUE(fileManagerResource->Exists("Scripts/BuildConsts.json"));
   FileManagersDeinit();
   EXPECT_EQ(fileManagerResource, nullptr);
   EXPECT_EQ(fileManagerDatResource.entries, nullptr);
   ASSERT_EQ(chdir(previous), 0);
}
} // namespace
