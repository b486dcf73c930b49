// Start-up from the settings and constants: Settings.json read or made afresh, the language and
// the first-run language choice, the window the screen is asked for, and the settings saved at
// exit, with and without a usable save-data folder.
#include <algorithm>

#include "app/Application.h"
#include "app/ApplicationConsts.h"
#include "app/ApplicationSettings.h"
#include "core/JSONValue.h"
#include "gui/state/FadeManager.h"
#include "platform/window/Screen.h"
#include "tests/app/AppTestSupport.h"

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

TEST_F(StartupFixture, MalformedSettingsStartAfresh)
{
   for (const char* text : {"[1, 2]", "{ not json", ""})
   {
      LogCapture log;
      Start("{}", text);
      ASSERT_NE(settings, nullptr) << text;
      EXPECT_EQ(settings->TypeGet(), JSONValue::TYPE_OBJECT) << text;
      EXPECT_EQ(settings->CountGet(), 0) << text;
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
