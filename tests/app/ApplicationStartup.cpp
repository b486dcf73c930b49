// Start-up from the settings and constants: Settings.json read or made afresh, the language and
// the first-run language choice, the window the screen is asked for, and the settings saved at
// exit, with and without a usable save-data folder.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "app/Application.h"
#include "app/ApplicationConsts.h"
#include "app/ApplicationSettings.h"
#include "app/profile/ProfileStore.h"
#include "core/JSONParser.h"
#include "core/JSONValue.h"
#include "core/Log.h"
#include "gui/state/FadeManager.h"
#include "platform/window/Screen.h"
#include "tests/app/AppTestSupport.h"
#include "tests/core/FileManagerFaulty.h"

namespace CorvaleTest
{
namespace
{
const ::testing::Environment* const environment = ::testing::AddGlobalTestEnvironment(new AppEnvironment);

// A resource tree with the given BuildConsts, and a save-data folder rooted in a second folder.
class StartupFixture : public ::testing::Test
{
 protected:
   void Start(const std::string& buildConsts, const char* settingsText)
   {
      tree.Write("Scripts/BuildConsts.json", buildConsts);
      ApplicationConstsLoad();
      if (settingsText)
      {
         saveData.FileWrite("Corvale/CardGames/Settings.json", settingsText);
      }
      ASSERT_TRUE(
          FileManagerStdio::PersistenceFileManagerInit(saveData.path.c_str(), "Corvale", "CardGames"));
      ApplicationSettingsLoad();
   }
   void TearDown() override
   {
      MemoryDelete(settings);
      settings = nullptr;
      ApplicationConstsFree();
      fileManagerPersistence = nullptr;
   }

   ResourceTree tree;
   TempFolder saveData;
};

struct LanguageCase
{
   const char* name;
   const char* settingsText;
   const char* languages;
   i32 languageBefore;
   i32 languageAfter;
   bool firstRun;
   bool eventFired;
};

class ApplicationLanguage : public StartupFixture, public ::testing::WithParamInterface<LanguageCase>
{
 public:
   void OnLanguageChange() { ++changes; }
   i32 changes = 0;
};

TEST_P(ApplicationLanguage, ChoosesTheLanguageAndTheFirstRunChoice)
{
   const LanguageCase& testCase = GetParam();
   Start(std::string(R"({"LanguageDefault": "German", "Languages": )") + testCase.languages + "}",
         testCase.settingsText);
   EventMethodRegister<ApplicationLanguage>(this, "OnLanguageChange", &ApplicationLanguage::OnLanguageChange);
   languageIndex = static_cast<u32>(testCase.languageBefore);
   ApplicationLanguageInit();
   Event::OwnerUnregister(this);
   EXPECT_EQ(languageIndex, static_cast<u32>(testCase.languageAfter));
   EXPECT_EQ(languageChoiceFirstRun, testCase.firstRun);
   EXPECT_EQ(changes, testCase.eventFired ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Languages, ApplicationLanguage,
    ::testing::Values(
        // English 0, French 1, German 4.
        LanguageCase{"NoSettingsTakesTheDefaultAndOffersTheChoice", nullptr, R"(["English", "German"])", 0, 4,
                     true, true},
        LanguageCase{"OneLanguageOffersNoChoice", nullptr, R"(["German"])", 0, 4, false, true},
        LanguageCase{"SettingsLanguageSuppressesTheChoice", R"({"Language": "French"})",
                     R"(["English", "French", "German"])", 0, 1, false, true},
        LanguageCase{"UnknownLanguageFallsBackToTheDefault", R"({"Language": "Klingon"})",
                     R"(["English", "German"])", 0, 4, true, true},
        LanguageCase{"SameLanguageFiresNothing", R"({"Language": "German"})", R"(["English", "German"])", 4,
                     4, false, false}),
    [](const ::testing::TestParamInfo<LanguageCase>& info) { return std::string(info.param.name); });

TEST(ApplicationLanguageIndex, NamesMapToTheTextFolders)
{
   EXPECT_EQ(LanguageIndexGet("English"), 0);
   EXPECT_EQ(LanguageIndexGet("Dutch"), 6);
   EXPECT_EQ(LanguageIndexGet("english"), -1);
   EXPECT_EQ(LanguageIndexGet(nullptr), -1);
}

TEST_F(StartupFixture, TheWindowComesFromTheSettingsBeforeTheConstantsDefaults)
{
   const char* buildConsts = R"({"WindowTitle": "Corvale Card Games", "FullscreenDefault": true,
      "KeepAspectRatio": false, "PreparedAreaWindowedEnabledDefault": 1})";
   Start(buildConsts, nullptr);
   ScreenSettings fromDefaults;
   ApplicationScreenSettingsBuild(&fromDefaults, nullptr);
   EXPECT_EQ(fromDefaults.fullscreen, 1);
   EXPECT_EQ(fromDefaults.aspectMode, 0);
   EXPECT_EQ(fromDefaults.preparedAreaWindowedEnabled, 1);
   EXPECT_STREQ(fromDefaults.title, "Corvale Card Games");
   EXPECT_EQ(fromDefaults.width, 960);
   EXPECT_EQ(fromDefaults.height, 720);
   const i32 preparedArea[4] = {-160, 0, 1280, 720};
   EXPECT_TRUE(std::equal(preparedArea, preparedArea + 4, fromDefaults.preparedArea));
   EXPECT_EQ(fromDefaults.screenshotKey, 120);

   settings->ItemBoolSet("Fullscreen", false);
   settings->ItemBoolSet("PreparedAreaWindowedEnabled", false);
   ScreenSettings fromSettings;
   ApplicationScreenSettingsBuild(&fromSettings, nullptr);
   EXPECT_EQ(fromSettings.fullscreen, 0);
   EXPECT_EQ(fromSettings.preparedAreaWindowedEnabled, 0);
}

TEST_F(StartupFixture, MissingKeysKeepTheScreenDefaults)
{
   Start(R"({"WindowTitle": 7})", nullptr);
   ScreenSettings built;
   ApplicationScreenSettingsBuild(&built, nullptr);
   EXPECT_EQ(built.fullscreen, 0);
   EXPECT_EQ(built.aspectMode, 1);
   EXPECT_EQ(built.title, nullptr);
}

TEST_F(StartupFixture, SettingsAreReadAndSavedWithTheWindowChoices)
{
   Start("{}", R"({"Language": "French", "Profile": "Ann"})");
   EXPECT_STREQ(settings->ItemGet("Profile")->StringValueGet(), "Ann");
   screen.fullscreen = 1;
   screen.preparedAreaWindowedEnabled = 0;
   ApplicationSettingsSave();
   screen.fullscreen = 0;
   EXPECT_EQ(settings, nullptr);
   const std::string saved = saveData.FileRead("Corvale/CardGames/Settings.json");
   EXPECT_NE(saved.find("\"Fullscreen\": true"), std::string::npos) << saved;
   EXPECT_NE(saved.find("\"PreparedAreaWindowedEnabled\": false"), std::string::npos) << saved;
   EXPECT_NE(saved.find("\"Profile\": \"Ann\""), std::string::npos) << saved;
}

TEST_F(StartupFixture, MalformedSettingsAreSetAsideAndStartAfresh)
{
   const char* texts[] = {"[1, 2]", "{ not json", ""};
   const char* copies[] = {"Settings.json.damaged", "Settings.json.damaged-1", "Settings.json.damaged-2"};
   for (i32 i = 0; i < 3; i++)
   {
      SCOPED_TRACE(texts[i]);
      LogCapture log;
      Start("{}", texts[i]);
      ASSERT_NE(settings, nullptr);
      EXPECT_EQ(settings->TypeGet(), JSONValue::TYPE_OBJECT);
      EXPECT_EQ(settings->CountGet(), 0);
      EXPECT_TRUE(log.Contains(std::string("\"Settings.json\" is damaged; it is kept as \"") + copies[i]))
          << log.text;
      for (i32 k = 0; k <= i; k++)
      {
         EXPECT_EQ(saveData.FileRead(std::string("Corvale/CardGames/") + copies[k]), texts[k]);
      }
   }
}

TEST_F(StartupFixture, SettingsThatCannotBeSetAsideAreNeverWrittenOver)
{
   using namespace Corvale::TestSupport;
   tree.Write("Scripts/BuildConsts.json", R"({"ProfileNameDefault": "Player"})");
   ApplicationConstsLoad();
   saveData.FileWrite("Corvale/CardGames/Settings.json", "{\"Profiles\": [");
   ASSERT_TRUE(FileManagerStdio::PersistenceFileManagerInit(saveData.path.c_str(), "Corvale", "CardGames"));
   FileManagerFaulty faulty;
   faulty.BaseFolderSet(fileManagerPersistence->BaseFolderGet());
   fileManagerPersistence = &faulty;
   faulty.failPoint = FAIL_RENAME;
   LogCapture log;
   ApplicationSettingsLoad();
   faulty.failPoint = FAIL_NONE;
   ProfileLoad("New");
   ApplicationSettingsSave();
   EXPECT_EQ(saveData.FileRead("Corvale/CardGames/Settings.json"), "{\"Profiles\": [");
   EXPECT_TRUE(log.Contains("\"Settings.json\" is damaged and could not be set aside")) << log.text;
   // The profiles are still saved: their folders are not the damaged file's.
   EXPECT_NE(saveData.FileRead("Corvale/CardGames/Profiles/1/Profile.json"), "");
}

namespace
{
// Every file under folder: its path below folder, and its bytes.
std::map<std::string, std::string> FilesRead(const std::string& folder)
{
   std::map<std::string, std::string> files;
   for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
   {
      if (entry.is_regular_file())
      {
         const std::string path = std::filesystem::relative(entry.path(), folder).string();
         std::ifstream in(entry.path(), std::ios::binary);
         files[path].assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
      }
   }
   return files;
}

// "Name:n" of each entry of the Settings.json on the disk.
std::string EntriesRead()
{
   JSONParser parser;
   JSONValue* written = parser.Load("Settings", fileManagerPersistence, HEAP_DEFAULT);
   std::string text;
   const JSONValue* profiles = written ? written->ItemGet("Profiles") : &JSONValue::nullValue;
   for (i32 i = 0; profiles->TypeGet() == JSONValue::TYPE_ARRAY && i < profiles->CountGet(); i++)
   {
      const JSONValue* entry = profiles->ElementGet(i);
      text += std::string(text.empty() ? "" : " ") + (entry->ItemGet("Name")->StringValueGet() ?: "?") + ":" +
              std::to_string(entry->ItemGet("FolderNumber")->IntValueGet());
   }
   MemoryDelete(written);
   return text;
}
} // namespace

// A three-profile save with one file damaged, through a start (whose log opens after the settings
// were read), a new profile and an exit: the damaged bytes are kept and no profile's folder is
// touched or taken over.
TEST_F(StartupFixture, ADamagedSettingsOrProfileFileCostsNoProfile)
{
   const std::string settingsText = R"({"Profile": "Ann", "Language": "French", "Profiles": [
      {"Name": "Ann", "FolderNumber": 0, "Statistics": {"General": {"GamesWon": 12}}},
      {"Name": "Bob", "FolderNumber": 1}, {"Name": "Cy", "FolderNumber": 2}]})";
   const std::string annText = R"({"Song": "Waltz", "SavedGames": {"Klondike": [{"FolderNumber": 0}]}})";
   struct Case
   {
      std::string settings;
      std::string ann;
      const char* damaged;
      const char* entries;
   };
   const Case cases[] = {
       {settingsText.substr(0, settingsText.size() / 2), annText, "Settings.json", "Player:3 New:4"},
       {"[1,2]", annText, "Settings.json", "Player:3 New:4"},
       {settingsText, annText.substr(0, annText.size() / 2), "Profiles/0/Profile.json",
        "Ann:0 Bob:1 Cy:2 New:3"},
   };
   tree.Write("Scripts/BuildConsts.json", R"({"ProfileNameDefault": "Player"})");
   for (const Case& c : cases)
   {
      SCOPED_TRACE(c.settings + " / " + c.ann);
      TempFolder home;
      const std::string root = home.Join("Corvale/CardGames/");
      home.FileWrite("Corvale/CardGames/Settings.json", c.settings);
      home.FileWrite("Corvale/CardGames/Profiles/0/Profile.json", c.ann);
      home.FileWrite("Corvale/CardGames/Profiles/0/SavedGames/Klondike/0/SavedGame.json", R"({"Moves": 31})");
      home.FileWrite("Corvale/CardGames/Profiles/1/Profile.json", R"({"GameSpeed": 80})");
      home.FileWrite("Corvale/CardGames/Profiles/2/Profile.json", R"({"CardsMessy": true})");
      const std::map<std::string, std::string> before = FilesRead(root + "Profiles");
      const std::string damagedText = home.FileRead(std::string("Corvale/CardGames/") + c.damaged);

      ApplicationConstsLoad();
      ASSERT_TRUE(FileManagerStdio::PersistenceFileManagerInit(home.path.c_str(), "Corvale", "CardGames"));
      LogHoldBegin();
      ApplicationSettingsLoad();
      LogCapture log;
      ProfileLoad("New");
      ApplicationSettingsSave();

      const std::string copy = std::string(c.damaged) + ".damaged";
      EXPECT_EQ(home.FileRead("Corvale/CardGames/" + copy), damagedText);
      EXPECT_TRUE(log.Contains("DamagedFileSetAside -- \"" + std::string(c.damaged) +
                               "\" is damaged; it is kept as \"" + copy + "\""))
          << log.text;
      EXPECT_EQ(log.text.find("DamagedFileSetAside"), log.text.rfind("DamagedFileSetAside")) << log.text;
      EXPECT_EQ(EntriesRead(), c.entries);
      const std::map<std::string, std::string> after = FilesRead(root + "Profiles");
      for (const auto& [path, bytes] : before)
      {
         if ("Profiles/" + path != c.damaged)
         {
            EXPECT_EQ(after.count(path) ? after.at(path) : "<gone>", bytes) << path;
         }
      }
      fileManagerPersistence = nullptr;
   }
}

TEST(ApplicationSaveData, WithoutASaveDataFolderNothingIsReadOrWritten)
{
   // A file where the developer folder should be: the save-data folder can't be made.
   TempFolder saveData;
   saveData.FileWrite("Corvale", "in the way");
   ResourceTree tree;
   tree.Write("Scripts/BuildConsts.json", R"({"FullscreenDefault": true})");
   ApplicationConstsLoad();
   LogCapture log;
   EXPECT_FALSE(FileManagerStdio::PersistenceFileManagerInit(saveData.path.c_str(), "Corvale", "CardGames"));
   EXPECT_EQ(fileManagerPersistence, nullptr);
   ApplicationSettingsLoad();
   ASSERT_NE(settings, nullptr);
   EXPECT_EQ(settings->CountGet(), 0);
   ScreenSettings built;
   ApplicationScreenSettingsBuild(&built, nullptr);
   EXPECT_EQ(built.fullscreen, 1);
   ApplicationSettingsSave();
   EXPECT_EQ(settings, nullptr);
   EXPECT_EQ(saveData.FileRead("Corvale"), "in the way");
   ApplicationConstsFree();
}

TEST(ApplicationFade, TheFirstFramesComeUpOutOfBlackAndTheFadeFollowsTheWindow)
{
   const u8 scissorDisabled = screen.scissorDisabled;
   const Box2F visibleArea = screen.visibleArea;
   screen.scissorDisabled = 1;
   screen.visibleArea = Box2F{0, 0, 960, 720};
   FadeManager::startColor = ColorRGBA8{9, 9, 9, 9};
   ApplicationFadeInit();
   EXPECT_TRUE(FadeManager::fading);
   EXPECT_EQ(FadeManager::duration, 500u);
   ColorRGBA8 color = FadeManager::ColorGet();
   EXPECT_EQ(color.r, 0);
   EXPECT_EQ(color.a, 255) << "the first frame is opaque black";
   FadeManager::Update(250);
   EXPECT_NEAR(FadeManager::ColorGet().a, 127, 1);
   FadeManager::Update(250);
   EXPECT_FALSE(FadeManager::fading);
   EXPECT_EQ(FadeManager::ColorGet().a, 0) << "the fade ends transparent, not black";
   EXPECT_EQ(FadeManager::bounds.width, 960.0f);

   screen.visibleArea = Box2F{-160, 0, 1280, 720};
   Event::Trigger("OnWindowChange", nullptr);
   EXPECT_EQ(FadeManager::bounds.width, 1280.0f);
   FadeManager::EventUnregister();
   screen.visibleArea = Box2F{0, 0, 960, 720};
   Event::Trigger("OnWindowChange", nullptr);
   EXPECT_EQ(FadeManager::bounds.width, 1280.0f) << "unregistered at shutdown";
   FadeManager::Reset();
   screen.scissorDisabled = scissorDisabled;
   screen.visibleArea = visibleArea;
}
} // namespace
} // namespace CorvaleTest
