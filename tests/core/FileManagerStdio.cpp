// Tests of the folder file manager: opening, whole-file reads, folder operations, copying and the
// save-data folder.
#include "core/FileManagerStdio.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <sys/stat.h>
#include <utime.h>

#include "core/FileStdio.h"
#include "core/Memory.h"
#include "tests/core/FileTestSupport.h"

using namespace Corvale;
using namespace CorvaleTest;

namespace
{
class FileManagerStdioTest : public ::testing::Test
{
 protected:
   void SetUp() override { ASSERT_TRUE(manager.BaseFolderSet(folder.path.c_str())); }

   TempFolder folder;
   FileManagerStdio manager;
   LogCapture log;
};

TEST_F(FileManagerStdioTest, BaseFolderSetAppendsOneSlashAndRefusesLongFolders)
{
   struct Case
   {
      const char* folder;
      bool result;
      const char* stored;
   };
   // The longest folder leaves room for the '/' and the terminator.
   const std::string longest(FILE_FULL_PATH_SIZE - 4, 'a');
   const std::string tooLong(FILE_FULL_PATH_SIZE - 3, 'a');
   const Case cases[] = {
       {nullptr, true, ""},
       {"", true, ""},
       {"Saves", true, "Saves/"},
       {"Saves/", true, "Saves/"},
       {longest.c_str(), true, nullptr},
   };
   for (const Case& c : cases)
   {
      FileManagerStdio other;
      other.BaseFolderSet("before");
      EXPECT_EQ(other.BaseFolderSet(c.folder), c.result) << (c.folder ? c.folder : "null");
      if (c.stored)
      {
         EXPECT_STREQ(other.BaseFolderGet(), c.stored);
      }
   }
   FileManagerStdio other;
   other.BaseFolderSet(longest.c_str());
   EXPECT_EQ(strlen(other.BaseFolderGet()), FILE_FULL_PATH_SIZE - 3);
   other.BaseFolderSet("kept");
   EXPECT_FALSE(other.BaseFolderSet(tooLong.c_str()));
   EXPECT_STREQ(other.BaseFolderGet(), "kept/");
}

TEST_F(FileManagerStdioTest, OpenRefusesBadOptionsAndReportsMissingFiles)
{
   EXPECT_EQ(manager.Open("a.txt", 4, HEAP_TEMP), nullptr);
   EXPECT_TRUE(log.Contains("FileManagerStdio::Open -- invalid options (4) for file \"a.txt\"\n"));

   EXPECT_EQ(manager.Open("missing.txt", FILE_OPEN_READ_WRITE, HEAP_TEMP), nullptr);
   EXPECT_TRUE(log.Contains("FileManagerStdio::Open -- Unable to open file for writing: \"" +
                            folder.Join("missing.txt") + "\"\n"));

   EXPECT_EQ(manager.Open("missing.txt", FILE_OPEN_READ, HEAP_TEMP), nullptr);
   EXPECT_TRUE(log.Contains("FileManagerStdio::Open -- Unable to open file for reading: \"" +
                            folder.Join("missing.txt") + "\"\n"));

   // A folder is no file, though Linux would open it for reading.
   folder.FileWrite("sub/x", "x");
   EXPECT_EQ(manager.Open("sub", FILE_OPEN_READ, HEAP_TEMP), nullptr);
}

TEST_F(FileManagerStdioTest, WrittenFileReadsBackWholeAndPositionsHold)
{
   File* file = manager.Open("data.bin", FILE_OPEN_WRITE, HEAP_DEFAULT);
   ASSERT_NE(file, nullptr);
   const std::string bytes = PatternBytes(20000, 7);
   EXPECT_EQ(file->Write(bytes.data(), static_cast<u32>(bytes.size())), bytes.size());
   EXPECT_TRUE(file->Flush());
   EXPECT_TRUE(manager.Close(file));

   file = manager.Open("data.bin", FILE_OPEN_READ, HEAP_DEFAULT);
   ASSERT_NE(file, nullptr);
   ASSERT_TRUE(file->PositionSet(100, FILE_ORIGIN_START));
   EXPECT_EQ(file->SizeGet(), 20000);
   EXPECT_EQ(file->PositionGet(), 100);

   char piece[16];
   EXPECT_TRUE(file->ReadAt(piece, sizeof(piece), 5000));
   EXPECT_EQ(std::string(piece, sizeof(piece)), bytes.substr(5000, sizeof(piece)));
   EXPECT_EQ(file->PositionGet(), 100);
   // Fewer bytes than asked for is a failure, and the position still comes back.
   EXPECT_FALSE(file->ReadAt(piece, sizeof(piece), 19990));
   EXPECT_EQ(file->PositionGet(), 100);

   ASSERT_TRUE(file->PositionSet(-10, FILE_ORIGIN_END));
   EXPECT_EQ(file->Read(piece, sizeof(piece)), 10u);
   EXPECT_TRUE(file->EndCheck());
   EXPECT_TRUE(manager.Close(file));

   u32 size = 0;
   void* contents = manager.FileContentsGet("data.bin", &size, 16, HEAP_DEFAULT, 3);
   ASSERT_NE(contents, nullptr);
   EXPECT_EQ(size, 20000u);
   EXPECT_EQ(memcmp(contents, bytes.data(), bytes.size()), 0);
   EXPECT_EQ(reinterpret_cast<uptr>(contents) % 16, 0u);
   manager.FileContentsFree(contents);

   contents = manager.FileContentsGet("data.bin", &size, allocatorDefault, 0);
   ASSERT_NE(contents, nullptr);
   EXPECT_EQ(memcmp(contents, bytes.data(), bytes.size()), 0);
   allocatorDefault->Free(contents);
}

TEST_F(FileManagerStdioTest, WholeFileReadersRefuseEmptyFilesAndCutMalformedText)
{
   folder.FileWrite("empty.txt", "");
   u32 size = 99;
   EXPECT_EQ(manager.FileContentsGet("empty.txt", &size, 4, HEAP_DEFAULT, 0), nullptr);
   EXPECT_EQ(manager.FileTextGet("empty.txt", &size, 4, HEAP_DEFAULT, HEAP_TEMP), nullptr);
   EXPECT_EQ(size, 99u);
   EXPECT_EQ(manager.FileContentsGet("missing.txt", &size, 4, HEAP_DEFAULT, 0), nullptr);

   folder.FileWrite("text.txt", "ab\xC3\xA9"
                                "cd\xFFgh");
   char* text = manager.FileTextGet("text.txt", &size, 4, HEAP_DEFAULT, HEAP_TEMP);
   ASSERT_NE(text, nullptr);
   EXPECT_STREQ(text, "ab\xC3\xA9"
                      "cd");
   EXPECT_EQ(size, 9u);
   manager.FileTextFree(text);

   folder.FileWrite("plain.txt", "hello");
   text = manager.FileTextGet("plain.txt", nullptr, 4, HEAP_DEFAULT, HEAP_TEMP);
   ASSERT_NE(text, nullptr);
   EXPECT_STREQ(text, "hello");
   manager.FileTextFree(text);
}

TEST_F(FileManagerStdioTest, CloseRefusesNullAndOtherKindsOfFile)
{
   EXPECT_FALSE(manager.Close(nullptr));
   LogCapture other;
   EXPECT_FALSE(manager.Close(&other));
   // A stream already closed gives false but the object still goes.
   FileStdio* file = MemoryNew<FileStdio>(HEAP_DEFAULT);
   EXPECT_FALSE(manager.Close(file));
}

TEST_F(FileManagerStdioTest, ChecksTellFilesFromFolders)
{
   folder.FileWrite("sub/file.txt", "x");
   struct Case
   {
      const char* path;
      bool exists, file, folder;
   };
   const Case cases[] = {
       {"sub/file.txt", true, true, false},
       {"sub", true, false, true},
       {"", true, false, true},
       {"nothing", false, false, false},
       {"sub/file.txt/below", false, false, false},
   };
   for (const Case& c : cases)
   {
      EXPECT_EQ(manager.Exists(c.path), c.exists) << c.path;
      EXPECT_EQ(manager.FileCheck(c.path), c.file) << c.path;
      EXPECT_EQ(manager.FolderCheck(c.path), c.folder) << c.path;
   }
   EXPECT_FALSE(manager.Exists(nullptr));
}

TEST_F(FileManagerStdioTest, FolderListingNamesEveryEntryButDots)
{
   folder.FileWrite("list/a.json", "1");
   folder.FileWrite("list/b.png", "2");
   folder.FileWrite("list/inner/c", "3");
   Table<char*>* table = manager.FolderContentsGet("list", HEAP_TEMP, 0);
   ASSERT_NE(table, nullptr);
   EXPECT_EQ(table->allocator, allocatorHeaps[HEAP_TEMP]);
   std::set<std::string> names;
   for (i32 i = 0; i < table->count; ++i)
   {
      names.insert(table->data[i]);
   }
   EXPECT_EQ(names, (std::set<std::string>{"a.json", "b.png", "inner"}));
   manager.FolderContentsFree(table);

   table = manager.FolderContentsGet("no/such/folder", HEAP_DEFAULT, 0);
   ASSERT_NE(table, nullptr);
   EXPECT_EQ(table->count, 0);
   manager.FolderContentsFree(table);

   // The base folder itself, and a path that is a file.
   table = manager.FolderContentsGet("", HEAP_DEFAULT, 0);
   ASSERT_NE(table, nullptr);
   EXPECT_EQ(table->count, 1);
   manager.FolderContentsFree(table);
   EXPECT_EQ(manager.FolderContentsGet("list/a.json", HEAP_DEFAULT, 0), nullptr);
   EXPECT_EQ(manager.FolderContentsGet(nullptr, HEAP_DEFAULT, 0), nullptr);
   manager.FolderContentsFree(nullptr);
}

TEST_F(FileManagerStdioTest, FolderCreateDeleteAndRenameTakeTheNewNameFirst)
{
   EXPECT_TRUE(manager.FolderCreate("made"));
   EXPECT_FALSE(manager.FolderCreate("made"));
   EXPECT_FALSE(manager.FolderCreate("two/levels"));
   EXPECT_TRUE(manager.FolderRename("renamed", "made"));
   EXPECT_TRUE(manager.FolderCheck("renamed"));
   EXPECT_FALSE(manager.FolderCheck("made"));

   folder.FileWrite("renamed/old.txt", "contents");
   EXPECT_FALSE(manager.FolderDelete("renamed"));
   EXPECT_FALSE(manager.FileDelete("renamed"));
   EXPECT_TRUE(manager.FileRename("renamed/new.txt", "renamed/old.txt"));
   EXPECT_FALSE(manager.Exists("renamed/old.txt"));
   EXPECT_EQ(folder.FileRead("renamed/new.txt"), "contents");
   EXPECT_FALSE(manager.FileRename("renamed/new.txt", "renamed/old.txt"));

   EXPECT_TRUE(manager.FileDelete("renamed/new.txt"));
   EXPECT_FALSE(manager.FileDelete("renamed/new.txt"));
   EXPECT_TRUE(manager.FolderDelete("renamed"));
   EXPECT_FALSE(manager.FolderCheck("renamed"));
}

TEST_F(FileManagerStdioTest, ModificationTimeIsTheFilesOwn)
{
   folder.FileWrite("dated.txt", "x");
   utimbuf times = {1000000000, 1234567890};
   ASSERT_EQ(utime(folder.Join("dated.txt").c_str(), &times), 0);
   EXPECT_EQ(manager.FileModificationTimeGet("dated.txt"), 1234567890u);
   EXPECT_EQ(manager.FileModificationTimeGet("missing.txt"), 0u);
}

TEST_F(FileManagerStdioTest, CopyOfALargeFileIsByteExact)
{
   // Not a multiple of the copy's piece size, so the last piece is short.
   const std::string bytes = PatternBytes(8192 * 40 + 123, 3);
   folder.FileWrite("big.bin", bytes);
   EXPECT_TRUE(manager.FileCopy("copy.bin", "big.bin", HEAP_TEMP));
   EXPECT_EQ(folder.FileRead("copy.bin"), bytes);
   EXPECT_TRUE(manager.FileRename("moved.bin", "copy.bin"));
   EXPECT_EQ(folder.FileRead("moved.bin"), bytes);

   folder.FileWrite("empty.bin", "");
   EXPECT_TRUE(manager.FileCopy("empty-copy.bin", "empty.bin", HEAP_TEMP));
   EXPECT_TRUE(manager.FileCheck("empty-copy.bin"));

   EXPECT_FALSE(manager.FileCopy("never.bin", "missing.bin", HEAP_TEMP));
   EXPECT_FALSE(manager.Exists("never.bin"));
   EXPECT_FALSE(manager.FileCopy("no/folder/copy.bin", "big.bin", HEAP_TEMP));
}

// A file that stops after a set number of bytes, read or written.
class ShortFile : public FileStdio
{
 public:
   u32 Read(void* buffer, u32 count) override { return FileStdio::Read(buffer, Allow(count)); }
   u32 Write(const void* buffer, u32 count) override { return FileStdio::Write(buffer, Allow(count)); }

   u32 Allow(u32 count)
   {
      const u32 allowed = count < budget ? count : budget;
      budget -= allowed;
      return allowed;
   }
   u32 budget = 0;
};

// Hands out ShortFile objects for the chosen open option.
class ShortFileManager : public FileManagerStdio
{
 public:
   File* Open(const char* path, i32 options, i32 heapId) override
   {
      char fullPath[FILE_PATH_SIZE];
      if (options != shortOption || !FullPathForm(fullPath, FILE_PATH_SIZE, path))
      {
         return FileManagerStdio::Open(path, options, heapId);
      }
      ShortFile* file = MemoryNew<ShortFile>(heapId);
      file->stream = fopen(fullPath, options == FILE_OPEN_READ ? "rb" : "wb");
      file->budget = budget;
      return file;
   }
   i32 shortOption = FILE_OPEN_READ;
   u32 budget = 0;
};

TEST_F(FileManagerStdioTest, CopyThatStopsShortFailsAndLeavesNoTarget)
{
   folder.FileWrite("source.bin", PatternBytes(50000, 9));
   for (i32 option : {FILE_OPEN_READ, FILE_OPEN_WRITE})
   {
      ShortFileManager shortManager;
      shortManager.BaseFolderSet(folder.path.c_str());
      shortManager.shortOption = option;
      shortManager.budget = 20000;
      EXPECT_FALSE(shortManager.FileCopy("target.bin", "source.bin", HEAP_TEMP)) << option;
      EXPECT_FALSE(shortManager.Exists("target.bin")) << option;
   }
}

class PersistenceTest : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      const char* old = getenv("XDG_DATA_HOME");
      hadDataHome = old != nullptr;
      oldDataHome = old ? old : "";
   }
   void TearDown() override
   {
      if (hadDataHome)
      {
         setenv("XDG_DATA_HOME", oldDataHome.c_str(), 1);
      }
      else
      {
         unsetenv("XDG_DATA_HOME");
      }
      fileManagerPersistence = nullptr;
   }

   TempFolder folder;
   LogCapture log;
   bool hadDataHome = false;
   std::string oldDataHome;
};

TEST_F(PersistenceTest, SaveDataFolderIsMadeWithItsMissingParents)
{
   const std::string dataHome = folder.Join("home/.local/share");
   setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
   ASSERT_TRUE(FileManagersPersistenceInit("Corvale", "CardGames"));
   ASSERT_EQ(fileManagerPersistence, &fileManagerStdioPersistence);
   EXPECT_EQ(std::string(fileManagerPersistence->BaseFolderGet()), dataHome + "/Corvale/CardGames/");
   EXPECT_TRUE(std::filesystem::is_directory(dataHome + "/Corvale/CardGames"));

   // A second start finds everything in place; saves land in the folder.
   ASSERT_TRUE(FileManagersPersistenceInit("Corvale", "CardGames"));
   File* file = fileManagerPersistence->Open("Settings.json", FILE_OPEN_WRITE, HEAP_TEMP);
   ASSERT_NE(file, nullptr);
   file->Write("{}", 2);
   EXPECT_TRUE(fileManagerPersistence->Close(file));
   EXPECT_EQ(folder.FileRead("home/.local/share/Corvale/CardGames/Settings.json"), "{}");
}

TEST_F(PersistenceTest, FailuresLeaveNoPersistenceManager)
{
   fileManagerPersistence = &fileManagerStdioPersistence;
   EXPECT_FALSE(FileManagerStdio::PersistenceFileManagerInit(folder.path.c_str(), nullptr, "CardGames"));
   EXPECT_EQ(fileManagerPersistence, nullptr);

   folder.FileWrite("blocker", "a file where the folder should be");
   const std::string blocked = folder.Join("blocker");
   EXPECT_FALSE(FileManagerStdio::PersistenceFileManagerInit(folder.path.c_str(), "blocker", "CardGames"));
   EXPECT_TRUE(
       log.Contains("FileManagerStdio::PersistenceFileManagerInit -- Failed to create the parent of the "
                    "game's persistence folder: \"" +
                    blocked + "\""));
   EXPECT_FALSE(FileManagerStdio::PersistenceFileManagerInit(blocked.c_str(), "Corvale", "CardGames"));
   EXPECT_TRUE(log.Contains("Failed to create the grandparent of the game's persistence folder"));
   EXPECT_EQ(fileManagerPersistence, nullptr);
}

TEST_F(PersistenceTest, ApplicationDataFolderFollowsTheDataHomeOrHome)
{
   char destination[FILE_PATH_SIZE];
   setenv("XDG_DATA_HOME", "/srv/data", 1);
   ASSERT_TRUE(FileManagerStdio::ApplicationDataFolderGet(destination, FILE_PATH_SIZE));
   EXPECT_STREQ(destination, "/srv/data");

   // A relative data home is not to be used.
   setenv("XDG_DATA_HOME", "relative", 1);
   const char* home = getenv("HOME");
   if (home && home[0])
   {
      ASSERT_TRUE(FileManagerStdio::ApplicationDataFolderGet(destination, FILE_PATH_SIZE));
      EXPECT_EQ(std::string(destination), std::string(home) + "/.local/share");
   }
}
} // namespace
