// The profile store over a temporary save-data folder: the first start, loads of existing and new
// names with their folder numbers, signing out, deletions of profiles and their saved games, and
// saves that fail at any step without costing either file.
#include "app/profile/ProfileStore.h"

#include <algorithm>
#include <vector>

#include "tests/app/profile/ProfileTestSupport.h"
#include "tests/core/FileManagerFaulty.h"

using namespace ProfileTest;

namespace
{
class ProfileStore : public ProfileFixture
{
};

// The "Name" and "FolderNumber" of every entry, as "Name:n" ("Name:-" without a number).
std::string EntriesGet()
{
   std::string text;
   JSONValue* profiles = ProfilesGet();
   for (i32 i = 0; profiles && i < profiles->CountGet(); i++)
   {
      JSONValue* entry = profiles->ElementGet(i);
      const JSONValue* number = entry->ItemGet("FolderNumber");
      text += std::string(text.empty() ? "" : " ") + (entry->ItemGet("Name")->StringValueGet() ?: "?") + ":" +
              (number->TypeGet() == JSONValue::TYPE_NUMBER ? std::to_string(number->IntValueGet()) : "-");
   }
   return text;
}
} // namespace

TEST_F(ProfileStore, AFirstStartCreatesAndSignsInTheDefaultProfile)
{
   ProfileStoreInit();
   ASSERT_TRUE(profileCurrent);
   EXPECT_STREQ(profileCurrentName, "Player");
   EXPECT_EQ(TextWrite(profileCurrent), Canonical("{}"));
   EXPECT_EQ(Read("Settings.json"),
             Canonical(R"({"Profile": "Player", "Profiles": [{"FolderNumber": 0, "Name": "Player"}]})"));

   ProfileStoreDeinit();
   EXPECT_FALSE(profileCurrent);
   EXPECT_FALSE(profileCurrentName);
   EXPECT_EQ(Read("Profiles/0/Profile.json"), Canonical("{}"));
   EXPECT_TRUE(std::filesystem::is_directory(folder.Join("Profiles/0/SavedGames")));
}

TEST_F(ProfileStore, SignInFollowsTheSettingsThenTheDefault)
{
   struct Case
   {
      const char* settings;
      const char* consts;
      const char* signedIn;
   };
   const Case cases[] = {
       {R"({"Profile": "Ada", "Profiles": [{"Name": "Ada", "FolderNumber": 4}]})",
        R"({"ProfileNameDefault": "Player"})", "Ada"},
       {R"({"Profile": 7})", R"({"ProfileNameDefault": "Player"})", "Player"},
       {R"({"Profile": ""})", R"({"ProfileNameDefault": "Player"})", "Player"},
       {"{}", R"({"ProfileNameDefault": 3})", nullptr},
   };
   for (const Case& c : cases)
   {
      SCOPED_TRACE(c.settings);
      ConstsSet(c.consts);
      SettingsSet(c.settings);
      ProfileStoreInit();
      EXPECT_STREQ(profileCurrentName, c.signedIn);
      ProfileLoad(nullptr);
   }
}

TEST_F(ProfileStore, LoadsFindOrAppendEntriesAndTakeTheLowestFreeFolderNumber)
{
   SettingsSet(R"({"Profiles": [{"Name": "A", "FolderNumber": 0}, "stray", {"Name": "B", "FolderNumber": 1},
      {"Name": "D", "FolderNumber": 3}, {"Name": "S", "FolderNumber": "1"}]})");
   ASSERT_TRUE(folder.FileWrite("Profiles/1/Profile.json", R"({"Song": "B's"})"));

   ProfileLoad("B");
   EXPECT_EQ(TextWrite(profileCurrent), Canonical(R"({"Song": "B's"})"));
   ProfileLoad("C");
   // A string number is no number: S gets a fresh one, and B's folder is not read for it.
   ProfileLoad("S");
   EXPECT_EQ(TextWrite(profileCurrent), Canonical("{}"));
   EXPECT_EQ(EntriesGet(), "A:0 ?:- B:1 D:3 S:4 C:2");

   ProfileDelete("A");
   ProfileLoad("E");
   EXPECT_EQ(EntriesGet(), "?:- B:1 D:3 S:4 C:2 E:0");
   EXPECT_STREQ(settings->ItemGet("Profile")->StringValueGet(), "E");

   // Switching saves the profile that was current.
   profileCurrent->ItemNumberSet("GameSpeed", 80);
   ProfileLoad("B");
   EXPECT_EQ(Read("Profiles/0/Profile.json"), Canonical(R"({"GameSpeed": 80})"));
   // A non-array "Profiles" is replaced by an empty one; the folders the list no longer knows
   // (0, 1, 2 and 4 by now) keep their numbers.
   SettingsSet(R"({"Profiles": {"Name": "B"}})");
   ProfileLoad("Z");
   EXPECT_EQ(EntriesGet(), "Z:3");
}

TEST_F(ProfileStore, AProfileCanBeReloadedByItsOwnName)
{
   ProfileLoad("Ada");
   profileCurrent->ItemNumberSet("GameSpeed", 70);
   ProfileLoad(profileCurrentName);
   EXPECT_STREQ(profileCurrentName, "Ada");
   EXPECT_EQ(TextWrite(profileCurrent), Canonical(R"({"GameSpeed": 70})"));
   EXPECT_EQ(EntriesGet(), "Ada:0");
}

TEST_F(ProfileStore, AnUnreadableProfileIsSetAsideStartsEmptyAndIsReplacedAtItsNextSave)
{
   ProfileLoad("Ada");
   ProfileLoad(nullptr);
   // Each damaged file gets the next free copy name; the earlier copies stay as they were.
   const char* copies[] = {"Profiles/0/Profile.json.damaged", "Profiles/0/Profile.json.damaged-1",
                           "Profiles/0/Profile.json.damaged-2"};
   const char* texts[] = {"[1, 2]", "{\"Song\": ", "\"text\""};
   for (i32 i = 0; i < 3; i++)
   {
      SCOPED_TRACE(texts[i]);
      ASSERT_TRUE(folder.FileWrite("Profiles/0/Profile.json", texts[i]));
      LogCapture log;
      ProfileLoad("Ada");
      EXPECT_EQ(TextWrite(profileCurrent), Canonical("{}"));
      EXPECT_TRUE(log.Contains(
          std::string("DamagedFileSetAside -- \"Profiles/0/Profile.json\" is damaged; it is kept as \"") +
          copies[i] + "\""))
          << log.text;
      profileCurrent->ItemBoolSet("CardsMessy", true);
      ProfileSave();
      EXPECT_EQ(Read("Profiles/0/Profile.json"), Canonical(R"({"CardsMessy": true})"));
      for (i32 k = 0; k <= i; k++)
      {
         EXPECT_EQ(Read(copies[k]), texts[k]);
      }
      ProfileLoad(nullptr);
   }
}

// The copy is on the disk before anything is written in the file's place; a file that can't be
// moved aside is never written over.
TEST_F(ProfileStore, ADamagedProfileIsSetAsideDurablyOrNotWrittenOver)
{
   using namespace Corvale::TestSupport;
   ProfileLoad("Ada");
   ProfileLoad(nullptr);
   FileManagerFaulty faulty;
   faulty.BaseFolderSet(folder.Base().c_str());
   fileManagerPersistence = &faulty;

   ASSERT_TRUE(folder.FileWrite("Profiles/0/Profile.json", "{\"Song\""));
   LogCapture log;
   ProfileLoad("Ada");
   ProfileSave();
   const std::vector<std::string>& steps = faulty.steps;
   const auto at = [&steps](const std::string& step) { return std::find(steps.begin(), steps.end(), step); };
   ASSERT_NE(at("folder sync 'Profiles/0'"), steps.end());
   EXPECT_LT(at("rename Profiles/0/Profile.json Profiles/0/Profile.json.damaged"),
             at("folder sync 'Profiles/0'"));
   EXPECT_LT(at("folder sync 'Profiles/0'"), at("open Profiles/0/Profile.json.tmp"));
   ProfileLoad(nullptr);

   for (FailPoint failPoint : {FAIL_RENAME, FAIL_FOLDER_SYNC})
   {
      SCOPED_TRACE(failPoint);
      ASSERT_TRUE(folder.FileWrite("Profiles/0/Profile.json", "{\"Song\""));
      faulty.failPoint = failPoint;
      ProfileLoad("Ada");
      faulty.failPoint = FAIL_NONE;
      EXPECT_EQ(TextWrite(profileCurrent), Canonical("{}"));
      profileCurrent->ItemBoolSet("CardsMessy", true);
      ProfileSave();
      ProfileLoad("Bob");
      EXPECT_EQ(
          Read(failPoint == FAIL_RENAME ? "Profiles/0/Profile.json" : "Profiles/0/Profile.json.damaged-1"),
          "{\"Song\"");
      EXPECT_FALSE(failPoint == FAIL_FOLDER_SYNC && Exists("Profiles/0/Profile.json"));
      ProfileLoad(nullptr);
   }
   EXPECT_TRUE(log.Contains(
       "DamagedFileSetAside -- \"Profiles/0/Profile.json\" is damaged and could not be set aside"))
       << log.text;
}

// A profile created afresh skips numbers whose folders exist, and makes its new folders durable.
TEST_F(ProfileStore, NewProfilesTakeNoExistingFolderAndSyncTheirParents)
{
   using namespace Corvale::TestSupport;
   ASSERT_TRUE(folder.FileWrite("Profiles/0/Profile.json", R"({"Song": "someone's"})"));
   ASSERT_TRUE(folder.FileWrite("Profiles/2/SavedGames/Klondike/0/SavedGame.json", "{}"));
   FileManagerFaulty faulty;
   faulty.BaseFolderSet(folder.Base().c_str());
   fileManagerPersistence = &faulty;

   ProfileStoreInit();
   ProfileLoad("Ada");
   ProfileLoad("Bob");
   EXPECT_EQ(EntriesGet(), "Player:1 Ada:3 Bob:4");
   EXPECT_EQ(Read("Profiles/0/Profile.json"), R"({"Song": "someone's"})");

   const std::vector<std::string>& steps = faulty.steps;
   const auto after = [&steps](const std::string& step)
   {
      const auto it = std::find(steps.begin(), steps.end(), step);
      return it == steps.end() || it + 1 == steps.end() ? std::string("<none>") : *(it + 1);
   };
   EXPECT_EQ(after("create Profiles/1"), "folder sync 'Profiles'");
   EXPECT_EQ(after("create Profiles/1/SavedGames"), "folder sync 'Profiles/1'");
   EXPECT_EQ(after("create Profiles/3"), "folder sync 'Profiles'");
}

TEST_F(ProfileStore, SigningOutRemovesTheProfileNameUnlessItIsNull)
{
   SettingsSet(R"({"Profile": "Ada"})");
   ProfileLoad("Ada");
   ProfileLoad("");
   EXPECT_FALSE(profileCurrent);
   EXPECT_EQ(Read("Settings.json"), Canonical(R"({"Profiles": [{"FolderNumber": 0, "Name": "Ada"}]})"));
   EXPECT_TRUE(Exists("Profiles/0/Profile.json")) << "the profile was saved before it went";

   SettingsSet(R"({"Profile": null})");
   ProfileLoad(nullptr);
   EXPECT_EQ(Read("Settings.json"), Canonical(R"({"Profile": null})"));
}

TEST_F(ProfileStore, MinigameSettingsAreMadeObjectsOnTheWay)
{
   EXPECT_FALSE(ProfileMinigameSettingsGet("Klondike")) << "no profile";
   ProfileLoad("Ada");
   EXPECT_FALSE(ProfileMinigameSettingsGet(nullptr));
   ProfileSet(R"({"MinigameSettings": {"Klondike": 3, "Spider": {"Suits": 2}}})");
   JSONValue* klondike = ProfileMinigameSettingsGet("Klondike");
   ASSERT_TRUE(klondike);
   klondike->ItemNumberSet("Draw", 3);
   EXPECT_EQ(ProfileMinigameSettingsGet("Spider")->ItemGet("Suits")->IntValueGet(), 2);
   EXPECT_EQ(TextWrite(profileCurrent),
             Canonical(R"({"MinigameSettings": {"Klondike": {"Draw": 3}, "Spider": {"Suits": 2}}})"));
   ProfileSet(R"({"MinigameSettings": []})");
   EXPECT_TRUE(ProfileMinigameSettingsGet("Spider"));
   EXPECT_EQ(TextWrite(profileCurrent), Canonical(R"({"MinigameSettings": {"Spider": {}}})"));
}

// Ada (folder 0) and Bea (folder 1), each with saved games listed in their files and files the
// list does not name.
class ProfileDeletion : public ProfileFixture
{
 protected:
   void SetUp() override
   {
      ProfileFixture::SetUp();
      SettingsSet(R"({"Profiles": [{"Name": "Ada", "FolderNumber": 0}, {"Name": "Bea", "FolderNumber": 1},
         {"Name": "Ada", "FolderNumber": 5}]})");
      const char* listed =
          R"({"SavedGames": {"Klondike": [{"FolderNumber": 0}, {"FolderNumber": 2}, {"FolderNumber": "3"}],
         "Spider": 5, "": [{"FolderNumber": 0}], ".": [{"FolderNumber": 0}], "..": [{"FolderNumber": 0}],
         "x/..": [{"FolderNumber": 0}]}})";
      for (const char* profile : {"Profiles/0", "Profiles/1"})
      {
         const std::string base = profile;
         ASSERT_TRUE(folder.FileWrite(base + "/Profile.json", listed));
         ASSERT_TRUE(folder.FileWrite(base + "/SavedGames/Klondike/0/SavedGame.json", "{}"));
         ASSERT_TRUE(folder.FileWrite(base + "/SavedGames/Klondike/2/SavedGame.json", "{}"));
         ASSERT_TRUE(folder.FileWrite(base + "/SavedGames/Spider/.keep", ""));
      }
      // What a hostile list would reach: the folders beside and above the profile's.
      ASSERT_TRUE(folder.FileWrite("Profiles/0/0/SavedGame.json", "{}"));
      ASSERT_TRUE(folder.FileWrite("Profiles/0/SavedGame.json", "{}"));
      ASSERT_TRUE(std::filesystem::create_directories(folder.Join("Profiles/0/SavedGames/x")));
      ASSERT_TRUE(folder.FileWrite("Profiles/1/Notes.txt", "mine"));
      ProfileLoad("Ada");
      profileCurrent->ItemNumberSet("GameSpeed", 99);
   }
};

TEST_F(ProfileDeletion, DeletingTheCurrentProfileDropsItUnsavedWithEveryFileItListed)
{
   ProfileDelete(profileCurrentName);
   EXPECT_FALSE(profileCurrent);
   EXPECT_FALSE(profileCurrentName);
   EXPECT_EQ(EntriesGet(), "Bea:1");
   EXPECT_EQ(Read("Settings.json"), Canonical(R"({"Profiles": [{"FolderNumber": 1, "Name": "Bea"}]})"));
   EXPECT_FALSE(Exists("Profiles/0/Profile.json"));
   EXPECT_FALSE(Exists("Profiles/0/SavedGames/Klondike"));
   // Only the listed games go; the unsafe names reached nothing outside SavedGames.
   EXPECT_TRUE(Exists("Profiles/0/SavedGames/Spider/.keep"));
   EXPECT_TRUE(Exists("Profiles/0/0/SavedGame.json"));
   EXPECT_TRUE(Exists("Profiles/0/SavedGame.json"));
   EXPECT_TRUE(Exists("Profiles/0/SavedGames/x"));
   // Bea is untouched.
   EXPECT_TRUE(Exists("Profiles/1/SavedGames/Klondike/2/SavedGame.json"));
}

TEST_F(ProfileDeletion, DeletingAnotherProfileKeepsTheCurrentOneAndUnlistedFiles)
{
   ProfileLoad("Cid");
   ProfileLoad("Ada");
   profileCurrent->ItemNumberSet("GameSpeed", 99);
   ProfileDelete("Bea");
   EXPECT_STREQ(profileCurrentName, "Ada");
   EXPECT_EQ(profileCurrent->ItemGet("GameSpeed")->IntValueGet(), 99);
   EXPECT_EQ(EntriesGet(), "Ada:0 Ada:5 Cid:2");
   EXPECT_FALSE(Exists("Profiles/1/Profile.json"));
   EXPECT_FALSE(Exists("Profiles/1/SavedGames/Klondike"));
   EXPECT_TRUE(Exists("Profiles/1/Notes.txt")) << "a folder with other files stays";
   EXPECT_TRUE(Exists("Profiles/1/SavedGames/Spider/.keep"));

   // Without listed saved games nor other files, the whole folder goes.
   ASSERT_TRUE(Exists("Profiles/2/Profile.json"));
   ProfileDelete("Cid");
   EXPECT_FALSE(Exists("Profiles/2"));
   ProfileDelete("");
   ProfileDelete(nullptr);
   EXPECT_EQ(EntriesGet(), "Ada:0 Ada:5");
}

// Every step of a save that can fail leaves Settings.json and Profile.json as they were, and no
// temporary file beside them.
TEST_F(ProfileStore, AFailedSaveCostsNeitherFile)
{
   using namespace Corvale::TestSupport;
   ProfileLoad("Ada");
   profileCurrent->ItemNumberSet("MusicVolume", 40);
   ProfileSave();
   const std::string settingsText = Read("Settings.json");
   const std::string profileText = Read("Profiles/0/Profile.json");
   ASSERT_FALSE(settingsText.empty());
   ASSERT_FALSE(profileText.empty());

   FileManagerFaulty faulty;
   faulty.BaseFolderSet(folder.Base().c_str());
   fileManagerPersistence = &faulty;
   for (FailPoint failPoint : {FAIL_OPEN, FAIL_WRITE, FAIL_FLUSH, FAIL_SYNC, FAIL_CLOSE, FAIL_RENAME})
   {
      SCOPED_TRACE(failPoint);
      faulty.failPoint = failPoint;
      faulty.writeLimit = 8;
      profileCurrent->ItemNumberSet("MusicVolume", 41 + failPoint);
      settings->ItemNumberSet("Noise", failPoint);
      LogCapture log;
      ProfileStoreDeinit();
      EXPECT_EQ(Read("Settings.json"), settingsText);
      EXPECT_EQ(Read("Profiles/0/Profile.json"), profileText);
      EXPECT_FALSE(Exists("Settings.json.tmp"));
      EXPECT_FALSE(Exists("Profiles/0/Profile.json.tmp"));
      // Reads never fail: the profile comes back as the disk has it.
      ProfileLoad("Ada");
      EXPECT_EQ(profileCurrent->ItemGet("MusicVolume")->IntValueGet(), 40);
   }
}
