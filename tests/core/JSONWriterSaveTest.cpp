// The save into the save-data folder: the temporary file is on the disk before it replaces the
// old one, the folder after; any failure leaves the old file whole and no temporary file, and a
// process killed at any moment of a save leaves the old or the new document.
#include <csignal>
#include <random>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "tests/core/FileManagerFaulty.h"
#include "tests/core/JSONTestSupport.h"

using namespace JSONTest;
using namespace Corvale::TestSupport;

namespace
{
class JSONWriterSave : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      managerOld = fileManagerPersistence;
      manager.BaseFolderSet(folder.Base().c_str());
      fileManagerPersistence = &manager;
   }
   void TearDown() override { fileManagerPersistence = managerOld; }

   TempFolder folder{"save"};
   FileManagerFaulty manager;
   FileManager* managerOld = nullptr;
};
} // namespace

TEST_F(JSONWriterSave, TheFileIsOnTheDiskBeforeTheRenameAndTheFolderAfterIt)
{
   ValuePointer value = TextParse(R"({"Name": "Ada"})");
   ASSERT_TRUE(folder.FileWrite("Profiles/0/.keep", ""));
   ASSERT_TRUE(JSONWriter::PersistenceSave("Profiles/0/Profile", value.get()));
   const std::vector<std::string> expected = {"open Profiles/0/Profile.json.tmp",
                                              "flush",
                                              "sync",
                                              "close",
                                              "rename Profiles/0/Profile.json.tmp Profiles/0/Profile.json",
                                              "folder sync 'Profiles/0/'"};
   EXPECT_EQ(manager.steps, expected);
   EXPECT_EQ(folder.FileRead("Profiles/0/Profile.json"), TextWrite(value.get()));

   // A name without a folder syncs the save-data folder itself.
   manager.steps.clear();
   ASSERT_TRUE(JSONWriter::PersistenceSave("Settings", value.get()));
   EXPECT_EQ(manager.steps.back(), "folder sync ''");
}

TEST_F(JSONWriterSave, AnyFailedStepLeavesTheOldFileWholeAndNoTemporaryFile)
{
   ValuePointer oldValue = TextParse(R"({"Wins": 12, "Name": "Ada"})");
   ValuePointer newValue = TextParse(R"({"Wins": 13, "Name": "Ada", "Songs": ["Dawn", "Dusk"]})");
   ASSERT_TRUE(JSONWriter::PersistenceSave("Profile", oldValue.get()));
   const std::string oldText = folder.FileRead("Profile.json");

   struct Case
   {
      FailPoint failPoint;
      const char* logLine;
   };
   const Case cases[] = {
       {FAIL_OPEN, nullptr},
       {FAIL_WRITE, "JSONWriter::YAJLFileWrite -- Failed to write "},
       {FAIL_FLUSH, "JSONWriter::PersistenceSave -- Failed to flush file: Profile.json.tmp\n"},
       {FAIL_SYNC, "JSONWriter::PersistenceSave -- Failed to sync file: Profile.json.tmp\n"},
       {FAIL_CLOSE, "JSONWriter::PersistenceSave -- Failed to close file: Profile.json.tmp\n"},
       {FAIL_RENAME, "JSONWriter::PersistenceSave -- Failed to replace file: Profile.json\n"},
   };
   for (const Case& c : cases)
   {
      SCOPED_TRACE(c.failPoint);
      manager.failPoint = c.failPoint;
      manager.writeLimit = 10;
      LogCapture log;
      EXPECT_FALSE(JSONWriter::PersistenceSave("Profile", newValue.get()));
      EXPECT_EQ(folder.FileRead("Profile.json"), oldText);
      EXPECT_FALSE(std::filesystem::exists(folder.Join("Profile.json.tmp")));
      if (c.logLine)
      {
         EXPECT_EQ(log.text.find(c.logLine), 0u) << log.text;
      }
   }

   // Past the rename the new file is in place, but a save that may not survive a power cut is
   // not reported as done.
   manager.failPoint = FAIL_FOLDER_SYNC;
   LogCapture log;
   EXPECT_FALSE(JSONWriter::PersistenceSave("Profile", newValue.get()));
   EXPECT_EQ(log.text, "JSONWriter::PersistenceSave -- Failed to sync the folder of file: Profile.json\n");
   EXPECT_EQ(folder.FileRead("Profile.json"), TextWrite(newValue.get()));
   EXPECT_FALSE(std::filesystem::exists(folder.Join("Profile.json.tmp")));
}

TEST_F(JSONWriterSave, FolderSyncNeedsAnExistingFolder)
{
   FileManagerStdio plain;
   plain.BaseFolderSet(folder.Base().c_str());
   EXPECT_TRUE(plain.FolderSync(""));
   EXPECT_FALSE(plain.FolderSync("Missing/"));
   ASSERT_TRUE(folder.FileWrite("Plain.txt", "text"));
   EXPECT_FALSE(plain.FolderSync("Plain.txt"));
}

// A child saves two large documents in turn, forever; it is killed at random moments, each time
// at a different point of some save, and the file left behind must always be one of the two.
TEST_F(JSONWriterSave, AKilledSaveLeavesTheOldOrTheNewDocument)
{
   FileManagerStdio plain;
   plain.BaseFolderSet(folder.Base().c_str());
   fileManagerPersistence = &plain;

   ValuePointer documents[2] = {TextParse("{}"), TextParse("{}")};
   for (int d = 0; d < 2; ++d)
   {
      JSONValue* games = documents[d]->ItemArraySet("Games");
      for (int i = 0; i < 4000; ++i)
      {
         JSONValue* game = games->ElementAdd();
         game->ObjectSet();
         game->ItemNumberSet("Seed", i * 7919 + d);
         game->ItemStringSet("Name", d ? "The second document's game" : "First");
      }
   }
   const std::string texts[2] = {TextWrite(documents[0].get()), TextWrite(documents[1].get())};
   ASSERT_TRUE(JSONWriter::PersistenceSave("Profile", documents[0].get()));

   std::mt19937 random(20261210);
   for (int round = 0; round < 25; ++round)
   {
      const pid_t child = fork();
      ASSERT_GE(child, 0);
      if (child == 0)
      {
         for (u32 i = static_cast<u32>(round);; ++i)
         {
            JSONWriter::PersistenceSave("Profile", documents[i % 2].get());
         }
      }
      usleep(1000 + random() % 30000);
      kill(child, SIGKILL);
      int status = 0;
      waitpid(child, &status, 0);
      ASSERT_TRUE(WIFSIGNALED(status));
      const std::string left = folder.FileRead("Profile.json");
      ASSERT_TRUE(left == texts[0] || left == texts[1])
          << "round " << round << ": " << left.size() << " bytes";
   }
}

// A home folder deep enough that the save-data folder's own path passes 260 bytes must still
// hold the settings and the profiles.
TEST_F(JSONWriterSave, ASaveDataFolderDeepInsideTheHomeFolderStillSaves)
{
   std::string home = folder.path;
   while (home.size() < 400)
   {
      home += "/a-rather-long-folder-name";
   }
   ASSERT_TRUE(FileManagerStdio::PersistenceFileManagerInit(home.c_str(), "Corvale", "CardGames"));
   ASSERT_EQ(fileManagerPersistence, &fileManagerStdioPersistence);
   ValuePointer value = TextParse(R"({"Profile": "Ada"})");
   EXPECT_TRUE(fileManagerPersistence->FolderCreate("Profiles"));
   EXPECT_TRUE(JSONWriter::PersistenceSave("Profiles/Profile", value.get()));
   EXPECT_TRUE(JSONWriter::PersistenceSave("Settings", value.get()));
   const std::string saveFolder = home.substr(folder.path.size() + 1) + "/Corvale/CardGames/";
   EXPECT_EQ(folder.FileRead(saveFolder + "Settings.json"), TextWrite(value.get()));
   EXPECT_TRUE(fileManagerPersistence->FileCheck("Profiles/Profile.json"));
   fileManagerStdioPersistence.BaseFolderSet(nullptr);
}
