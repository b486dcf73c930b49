// Tests of the graphics paths and of the file managers' search along them, over folders and over
// the archive alike.
#include "core/GraphicsPathManager.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/File.h"
#include "core/FileDatWriter.h"
#include "core/FileManagerDat.h"
#include "core/FileManagerStdio.h"
#include "core/Memory.h"
#include "tests/core/FileTestSupport.h"

using namespace Corvale;
using namespace CorvaleTest;

namespace
{
// The paths are process-wide and never cleared, so their whole life is one test.
TEST(GraphicsPathManagerTest, SlotsFillInOrderAndLongPathsLeaveThemEmpty)
{
   LogCapture log;
   TempFolder folder;
   FileManagerStdio manager;
   manager.BaseFolderSet(folder.path.c_str());
   folder.FileWrite("Sprite.json", "root");
   folder.FileWrite("Second/Sprite.json", "second");
   folder.FileWrite("Second/Only.json", "only");
   folder.FileWrite("First/Sprite.json", "first");

   EXPECT_EQ(GraphicsPathManager::CountGet(), 0);
   EXPECT_FALSE(manager.GraphicsPathSearch("Sprite.json", nullptr, 0));

   // A later slot first: the slots below it are empty prefixes, searched first.
   GraphicsPathManager::Set(1, "Second");
   EXPECT_EQ(GraphicsPathManager::CountGet(), 2);
   EXPECT_STREQ(GraphicsPathManager::Get(0), "");
   EXPECT_STREQ(GraphicsPathManager::Get(1), "Second/");
   char found[GRAPHICS_PATH_SIZE];
   ASSERT_TRUE(manager.GraphicsPathSearch("Sprite.json", found, sizeof(found)));
   EXPECT_STREQ(found, "Sprite.json");

   GraphicsPathManager::Set(0, "First");
   EXPECT_EQ(GraphicsPathManager::CountGet(), 2);
   ASSERT_TRUE(manager.GraphicsPathSearch("Sprite.json", found, sizeof(found)));
   EXPECT_STREQ(found, "First/Sprite.json");
   ASSERT_TRUE(manager.GraphicsPathSearch("Only.json", found, sizeof(found)));
   EXPECT_STREQ(found, "Second/Only.json");
   EXPECT_TRUE(manager.GraphicsPathSearch("Only.json", nullptr, 0));
   EXPECT_FALSE(manager.GraphicsPathSearch("Missing.json", found, sizeof(found)));
   EXPECT_FALSE(manager.GraphicsPathSearch("Only.json", found, 5));

   GraphicsPathManager::Set(3, "Third");
   EXPECT_TRUE(
       log.Contains("GraphicsPathManager::Set -- pathIndex (3) is too high.  GRAPHICS_PATHS_COUNT_MAX: 3\n"));
   GraphicsPathManager::Set(-1, "Negative");
   GraphicsPathManager::Set(2, nullptr);
   EXPECT_EQ(GraphicsPathManager::CountGet(), 2);
   EXPECT_STREQ(GraphicsPathManager::Get(-1), "");

   const std::string fits(258, 'g');
   GraphicsPathManager::Set(2, fits.c_str());
   EXPECT_EQ(GraphicsPathManager::CountGet(), 3);
   EXPECT_EQ(std::string(GraphicsPathManager::Get(2)), fits + "/");
   const std::string tooLong(259, 'g');
   GraphicsPathManager::Set(2, tooLong.c_str());
   EXPECT_STREQ(GraphicsPathManager::Get(2), "");
   GraphicsPathManager::Set(2, "");
   EXPECT_STREQ(GraphicsPathManager::Get(2), "");

   // Whole-file reads and opens along the paths.
   u32 size = 0;
   void* contents = manager.GraphicsPathFileContentsGet("Only.json", &size, 4, HEAP_DEFAULT, HEAP_TEMP, found,
                                                        sizeof(found));
   ASSERT_NE(contents, nullptr);
   EXPECT_EQ(std::string(static_cast<char*>(contents), size), "only");
   EXPECT_STREQ(found, "Second/Only.json");
   manager.FileContentsFree(contents);
   contents =
       manager.GraphicsPathFileContentsGet("Sprite.json", &size, allocatorDefault, HEAP_TEMP, nullptr, 0);
   ASSERT_NE(contents, nullptr);
   EXPECT_EQ(std::string(static_cast<char*>(contents), size), "first");
   allocatorDefault->Free(contents);
   EXPECT_EQ(manager.GraphicsPathFileContentsGet("Sprite.json", &size, nullptr, HEAP_TEMP, nullptr, 0),
             nullptr);
   EXPECT_EQ(manager.GraphicsPathFileContentsGet("Only.json", &size, 4, HEAP_DEFAULT, HEAP_TEMP, found, 4),
             nullptr);

   File* file = manager.GraphicsPathOpen("Only.json");
   ASSERT_NE(file, nullptr);
   EXPECT_EQ(file->SizeGet(), 4);
   EXPECT_TRUE(manager.Close(file));
   EXPECT_EQ(manager.GraphicsPathOpen("Missing.json"), nullptr);
   EXPECT_TRUE(
       log.Contains("FileManager::GraphicsPathOpen -- Unable to open file for reading: \"Missing.json\"\n"));

   // The archive of the same tree answers the same search.
   FileManagerStdio output;
   output.BaseFolderSet(folder.path.c_str());
   File* archiveFile = output.Open("resource.dat", FILE_OPEN_WRITE, HEAP_TEMP);
   ASSERT_NE(archiveFile, nullptr);
   FileDatWriter writer(archiveFile, 0x3C);
   for (const char* name : {"Sprite.json", "Second/Sprite.json", "Second/Only.json", "First/Sprite.json"})
   {
      const std::string bytes = folder.FileRead(name);
      ASSERT_TRUE(writer.EntryAdd(name, name, bytes.data(), static_cast<u32>(bytes.size()), 0x11));
   }
   ASSERT_TRUE(writer.End());
   ASSERT_TRUE(output.Close(archiveFile));
   fileManagerStdioResource.BaseFolderSet(folder.path.c_str());
   FileManagerDat archive;
   ASSERT_TRUE(archive.Init());
   for (const char* name : {"Sprite.json", "Only.json"})
   {
      char fromFolders[GRAPHICS_PATH_SIZE];
      char fromArchive[GRAPHICS_PATH_SIZE];
      ASSERT_TRUE(manager.GraphicsPathSearch(name, fromFolders, sizeof(fromFolders)));
      ASSERT_TRUE(archive.GraphicsPathSearch(name, fromArchive, sizeof(fromArchive)));
      EXPECT_STREQ(fromFolders, fromArchive);
   }
   archive.Deinit();
   fileManagerStdioResource.BaseFolderSet(nullptr);
}
} // namespace
