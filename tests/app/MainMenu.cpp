// The main menu: the switch held until the exit fade ends, one switch for a double Play, input
// ignored while switching or quitting, Exit quitting only once the menu is left, the selection
// restored from the profile, the keyboard, games not built yet, and the link buttons.
#include "app/MainMenu.h"

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "app/Application.h"
#include "app/LoadingScreen.h"
#include "core/TextManager.h"
#include "gui/widgets/LabelWidget.h"
#include "gui/widgets/LinearSelectorWidget.h"
#include "gui/widgets/PressButtonWidget.h"
#include "tests/app/MenuTestSupport.h"

namespace MenuTest
{
namespace
{
constexpr u32 KEY_RETURN = 13;
constexpr u32 KEY_UP = 38;
constexpr u32 KEY_DOWN = 40;
constexpr u32 KEY_ALT_LEFT = 164;

class MainMenuTest : public MenuFixture
{
};

TEST_F(MainMenuTest, PlayHoldsTheSwitchUntilTheExitFadeEndsAndTwoPressesSwitchOnce)
{
   Enter(&mainMenu);
   ASSERT_TRUE(mainMenu.gameSelector);
   ASSERT_TRUE(mainMenu.gameSelector->SelectionSetByName("Playable", false));
   Click("MainMenu.MenuPanel.Play");
   Click("MainMenu.MenuPanel.Play");
   EXPECT_EQ(GameStateManager::switchHoldCount, 1);
   EXPECT_EQ(GameStateManager::states.count, 2) << "the second press pushed a second game";
   // The exit transition, then the fade: the switch waits for both.
   Step(50);
   EXPECT_EQ(GameStateManager::current, &mainMenu);
   i32 frames = 0;
   while (GameStateManager::current == &mainMenu && frames++ < 100)
   {
      EXPECT_TRUE(GameStateManager::switchHoldCount > 0 || !FadeManager::fading);
      Step(50);
   }
   EXPECT_EQ(GameStateManager::current, &game);
   EXPECT_EQ(game.inits, 1);
   EXPECT_FALSE(FadeManager::fading && GameStateManager::switchHoldCount > 0);
   EXPECT_EQ(mainMenu.gameSelector, nullptr);
}

TEST_F(MainMenuTest, HandlersIgnoreInputWhileSwitchingOrQuitting)
{
   Enter(&mainMenu);
   mainMenu.gameSelector->SelectionSetByName("Playable", false);
   quitRequested = true;
   Click("MainMenu.MenuPanel.Play");
   Click("MainMenu.Exit");
   MainMenuGameStart("Solitaire");
   EXPECT_FALSE(GameStateManager::switchPending);
   EXPECT_FALSE(mainMenu.quitOnDeinit);
   quitRequested = false;

   GameStateManager::switchPending = 1;
   Click("MainMenu.MenuPanel.CurrentGameButton");
   EXPECT_EQ(GameStateManager::states.count, 1);
   GameStateManager::switchPending = 0;
}

TEST_F(MainMenuTest, ExitQuitsOnlyOnceTheMenuIsLeft)
{
   Enter(&mainMenu);
   Click("MainMenu.Exit");
   EXPECT_TRUE(mainMenu.quitOnDeinit);
   EXPECT_FALSE(quitRequested) << "quit before the exit transition and fade";
   Step(50);
   EXPECT_FALSE(quitRequested);
   Settle();
   EXPECT_TRUE(quitRequested);
   EXPECT_EQ(GameStateManager::current, nullptr);
}

struct RestoreCase
{
   const char* name;
   const char* profile;
   const char* selected;
};

class MainMenuRestore : public MainMenuTest, public ::testing::WithParamInterface<RestoreCase>
{
};

TEST_P(MainMenuRestore, SelectsTheMostRecentGame)
{
   ProfileSet(GetParam().profile);
   Enter(&mainMenu);
   EXPECT_STREQ(mainMenu.SelectedNameGet(), GetParam().selected);
}

INSTANTIATE_TEST_SUITE_P(
    Profiles, MainMenuRestore,
    ::testing::Values(
        RestoreCase{"AnItem", R"({"MinigameMostRecent": "OldMaid"})", "OldMaid"},
        RestoreCase{"ASolitaireThatIsNoItem", R"({"MinigameMostRecent": "AcesUpSolitaire"})", "Solitaire"},
        RestoreCase{"NeitherItemNorSolitaire", R"({"MinigameMostRecent": "Bridge"})", "Solitaire"},
        RestoreCase{"Missing", R"({})", "Solitaire"},
        RestoreCase{"NotAString", R"({"MinigameMostRecent": 3})", "Solitaire"}),
    [](const ::testing::TestParamInfo<RestoreCase>& info) { return std::string(info.param.name); });

struct KeyCase
{
   const char* name;
   bool wrap;
   const char* from;
   u32 key;
   const char* to;
};

class MainMenuKeys : public MainMenuTest, public ::testing::WithParamInterface<KeyCase>
{
};

TEST_P(MainMenuKeys, UpAndDownMoveTheSelection)
{
   MainMenuLayerWrite(GetParam().wrap);
   Enter(&mainMenu);
   mainMenu.gameSelector->SelectionSetByName(GetParam().from, false);
   KeyPress(GetParam().key);
   Step();
   EXPECT_STREQ(mainMenu.SelectedNameGet(), GetParam().to);
   EXPECT_FALSE(GameStateManager::switchPending);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, MainMenuKeys,
    ::testing::Values(KeyCase{"DownSteps", false, "Solitaire", KEY_DOWN, "Playable"},
                      KeyCase{"UpSteps", false, "OldMaid", KEY_UP, "Playable"},
                      KeyCase{"UpStopsAtTheFirst", false, "Solitaire", KEY_UP, "Solitaire"},
                      KeyCase{"DownStopsAtTheLast", false, "OldMaid", KEY_DOWN, "OldMaid"},
                      KeyCase{"UpWrapsToTheLast", true, "Solitaire", KEY_UP, "OldMaid"},
                      KeyCase{"DownWrapsToTheFirst", true, "OldMaid", KEY_DOWN, "Solitaire"}),
    [](const ::testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

TEST_F(MainMenuTest, EnterStartsTheSelectedGameButAltEnterDoesNot)
{
   Enter(&mainMenu);
   mainMenu.gameSelector->SelectionSetByName("Playable", false);
   KeyPress(KEY_ALT_LEFT);
   KeyPress(KEY_RETURN);
   Step();
   EXPECT_FALSE(GameStateManager::switchPending);
   keyboardState.current[KEY_ALT_LEFT] = 0;
   keyboardState.current[KEY_RETURN] = 0;
   Step();
   KeyPress(KEY_RETURN);
   Step();
   EXPECT_TRUE(GameStateManager::switchPending);
   EXPECT_EQ(GameStateManager::TopGet(), &game);
}

TEST_F(MainMenuTest, SolitaireOpensTheSolitaireMenu)
{
   Enter(&mainMenu);
   KeyPress(KEY_RETURN);
   Step();
   Settle();
   EXPECT_EQ(GameStateManager::current, &solitaireMenu);
   EXPECT_EQ(GameStateManager::states.count, 2);
}

TEST_F(MainMenuTest, AGameNotBuiltYetIsShownButNeverStarts)
{
   Enter(&mainMenu);
   PressButtonWidget* play = WidgetAt<PressButtonWidget>("MainMenu.MenuPanel.Play");
   PressButtonWidget* current = WidgetAt<PressButtonWidget>("MainMenu.MenuPanel.CurrentGameButton");
   LabelWidget* notAvailable = WidgetAt<LabelWidget>("MainMenu.MenuPanel.GameNotAvailable");
   ASSERT_TRUE(play && current && notAvailable);
   EXPECT_TRUE(play->EnabledCheck());
   EXPECT_FALSE(notAvailable->VisibleCheck());

   mainMenu.gameSelector->SelectionSetByName("OldMaid", false);
   EXPECT_FALSE(play->EnabledCheck());
   EXPECT_FALSE(current->EnabledCheck());
   EXPECT_TRUE(notAvailable->VisibleCheck());
   EXPECT_STREQ(WidgetAt<LabelWidget>("MainMenu.MenuPanel.SelectedGameName")->TextKeyGet(), "OldMaid");
   KeyPress(KEY_RETURN);
   Step();
   MainMenuGameStart("OldMaid");
   MainMenuGameStart("NoSuchGame");
   MainMenuGameStart(nullptr);
   EXPECT_FALSE(GameStateManager::switchPending);
   EXPECT_EQ(GameStateManager::states.count, 1);

   mainMenu.gameSelector->SelectionSetByName("Playable", false);
   EXPECT_TRUE(play->EnabledCheck());
   EXPECT_FALSE(notAvailable->VisibleCheck());
}

TEST_F(MainMenuTest, TheFaceCreatorOpensOnceAndOnlyWhenIncluded)
{
   CountingPopup faces("Settings");
   mainMenu.faceCreatorPopup = &faces;
   Enter(&mainMenu);
   EXPECT_FALSE(WidgetAt<PressButtonWidget>("MainMenu.MenuPanel.FaceCreator")->VisibleCheck());
   GameStateManager::Deinit();

   ConstsSet(
       R"({"FaceCreatorIncluded": 1, "MainMenuGames": [{"Name": "Solitaire", "TextKey": "Solitaire"}]})");
   Enter(&mainMenu);
   EXPECT_TRUE(WidgetAt<PressButtonWidget>("MainMenu.MenuPanel.FaceCreator")->VisibleCheck());
   Click("MainMenu.MenuPanel.FaceCreator");
   Click("MainMenu.MenuPanel.FaceCreator");
   EXPECT_EQ(faces.opens, 1);
   // Leaving the menu closes the popup while it still exists.
   GameStateManager::Deinit();
}

TEST_F(MainMenuTest, TheGuestProfileShowsTheGuestText)
{
   char guest[] = "<Guest>";
   profileCurrentName = guest;
   Enter(&mainMenu);
   profileCurrentName = nullptr;
   EXPECT_STREQ(WidgetAt<LabelWidget>("MainMenu.MenuPanel.ProfileName")->TextKeyGet(), "Guest");
}

// Link buttons and the version label.

class MainMenuLinks : public MainMenuTest
{
 protected:
   void TearDown() override
   {
      if (!pathBefore.empty())
      {
         setenv("PATH", pathBefore.c_str(), 1);
      }
      MainMenuTest::TearDown();
   }

   // A fake xdg-open first on PATH that writes its arguments, one a line, to a file.
   std::string FakeOpenerInstall()
   {
      const std::string bin = folder + "/bin";
      std::filesystem::create_directories(bin);
      const std::string script = bin + "/xdg-open";
      std::ofstream(script) << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" << folder
                            << "/opened.tmp\"\nmv \"" << folder << "/opened.tmp\" \"" << folder
                            << "/opened\"\n";
      chmod(script.c_str(), 0755);
      pathBefore = std::getenv("PATH") ? std::getenv("PATH") : "";
      setenv("PATH", (bin + ":" + pathBefore).c_str(), 1);
      return folder + "/opened";
   }

   // What the fake opener was given; empty when it never ran.
   std::string OpenedWait(const std::string& path)
   {
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
      while (!std::filesystem::exists(path) && std::chrono::steady_clock::now() < deadline)
      {
         std::this_thread::sleep_for(std::chrono::milliseconds(20));
      }
      std::ifstream in(path);
      return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
   }

   std::string pathBefore;
};

TEST_F(MainMenuLinks, WithoutAddressesBothLinksAreHidden)
{
   Enter(&mainMenu);
   EXPECT_FALSE(WidgetAt<Widget>("MainMenu.MenuPanel.URLButton1Container")->VisibleCheck());
   EXPECT_FALSE(WidgetAt<Widget>("MainMenu.MenuPanel.URLButton2Container")->VisibleCheck());
   EXPECT_EQ(UpdateURLGet(), nullptr);
   UpdatePageOpen();
}

TEST_F(MainMenuLinks, AnAddressReachesTheOpenerAsOneArgument)
{
   const std::string opened = FakeOpenerInstall();
   const char* address = "https://example.invalid/a b?q=\"x\";touch /tmp/corvale-link-injected";
   ValuePointer built = TextParse("{}");
   built->ItemStringSet("MainURLButton1URL", address);
   consts = built.get();
   Enter(&mainMenu);
   ASSERT_TRUE(WidgetAt<Widget>("MainMenu.MenuPanel.URLButton1Container")->VisibleCheck());
   EXPECT_FALSE(WidgetAt<Widget>("MainMenu.MenuPanel.URLButton2Container")->VisibleCheck());
   Click("MainMenu.MenuPanel.URLButton1Container.Button");
   EXPECT_EQ(OpenedWait(opened), std::string(address) + "\n");
   EXPECT_FALSE(std::filesystem::exists("/tmp/corvale-link-injected"));
   GameStateManager::Deinit();
   consts = nullptr;
}

TEST_F(MainMenuLinks, UpdateYesQuitsAndTheUpdatePageOpensAfterwards)
{
   const std::string opened = FakeOpenerInstall();
   ConstsSet(R"({"UpdateURLWindows": "https://example.invalid/update"})");
   Enter(&mainMenu);
   ASSERT_TRUE(WidgetAt<Widget>("MainMenu.MenuPanel.URLButton2Container")->VisibleCheck());
   EXPECT_TRUE(
       WidgetAt<Widget>("MainMenu.MenuPanel.URLButton2Container.UpdateCheckIndicator")->VisibleCheck());
   Click("MainMenu.MenuPanel.URLButton2Container.Button");
   Step();
   Click("MessageBoxYesNo.Panel.Yes");
   EXPECT_TRUE(quitRequested);
   EXPECT_TRUE(updatePageOpenAtExit);
   EXPECT_FALSE(std::filesystem::exists(opened)) << "the page opened before shutdown";
   UpdatePageOpen();
   EXPECT_FALSE(updatePageOpenAtExit);
   EXPECT_EQ(OpenedWait(opened), "https://example.invalid/update\n");
}

TEST_F(MainMenuTest, TheVersionLabelShowsTheVersionUnlessTooLongOrMissing)
{
   std::filesystem::create_directories(folder + "/Text/English");
   std::ofstream(folder + "/Text/English/Text.json") << R"({"Version": "Version"})";
   u32 english = 0;
   textManager.LanguageSet(&english);
   textManager.FileNameAppend("Text");
   textManager.Init();
   textManager.OnLanguageChange();
   LabelWidget label;
   label.InitWithoutSpecification("Version", nullptr);
   const struct
   {
      std::string version;
      bool shown;
   } cases[] = {{"1.2", true}, {std::string(247, '9'), true}, {std::string(248, '9'), false}, {"", false}};
   for (const auto& testCase : cases)
   {
      ValuePointer built = TextParse("{}");
      if (!testCase.version.empty())
      {
         built->ItemStringSet("VersionDisplayed", testCase.version.c_str());
      }
      consts = built.get();
      label.VisibleSet(!testCase.shown);
      VersionLabelUpdate(&label);
      EXPECT_EQ(label.VisibleCheck(), testCase.shown) << testCase.version.size();
      if (testCase.shown)
      {
         EXPECT_EQ(std::string(label.TextGet()), "Version " + testCase.version);
      }
      consts = nullptr;
   }
   label.Deinit();
   textManager.Deinit();
}
} // namespace
} // namespace MenuTest

namespace MenuTest
{
namespace
{
// The root menu: which menu it is, its place below the loading screen, and the popups of the
// first entry, opened once.
class RootMenuTest : public MenuFixture
{
};

TEST_F(RootMenuTest, TheConstantsChooseTheRootMenu)
{
   const struct
   {
      const char* consts;
      RootMenu* root;
   } cases[] = {{R"({"RootMenu": "SolitaireMenu"})", &solitaireMenu},
                {R"({"RootMenu": "MainMenu"})", &mainMenu},
                {R"({"RootMenu": "solitairemenu"})", &mainMenu},
                {R"({"RootMenu": 3})", &mainMenu},
                {"{}", &mainMenu}};
   for (const auto& testCase : cases)
   {
      ConstsSet(testCase.consts);
      EXPECT_EQ(RootMenuGet(), testCase.root) << testCase.consts;
   }
}

TEST_F(RootMenuTest, StartUpPutsTheRootBelowTheLoadingScreenMarkedForTheFirstEntry)
{
   // The loading screen's place, without entering it.
   GameStateManager::Init(nullptr);
   GameStateManager::states.Insert(&loadingScreen, 0);
   for (bool choice : {true, false})
   {
      languageChoiceFirstRun = choice;
      mainMenu.firstEntry = false;
      ApplicationRootMenuInit();
      EXPECT_TRUE(mainMenu.firstEntry);
      EXPECT_EQ(mainMenu.languageChoice, choice);
   }
   languageChoiceFirstRun = false;
   mainMenu.languageChoice = false;
   mainMenu.firstEntry = false;
   ASSERT_EQ(GameStateManager::states.count, 3);
   EXPECT_EQ(GameStateManager::states[0], &mainMenu);
   EXPECT_EQ(GameStateManager::states[1], &mainMenu);
   EXPECT_EQ(GameStateManager::TopGet(), &loadingScreen);
   GameStateManager::states.SizeSet(0);
}

TEST_F(RootMenuTest, TheFirstEntryOpensTheProfileAndLanguageMenusOnce)
{
   CountingPopup profile("Settings");
   CountingPopup language("Settings");
   profileMenuPopup = &profile;
   languageMenuPopup = &language;
   mainMenu.firstEntry = true;
   mainMenu.languageChoice = true;
   Enter(&mainMenu);
   EXPECT_EQ(profile.opens, 1);
   EXPECT_EQ(language.opens, 1);
   EXPECT_FALSE(mainMenu.firstEntry || mainMenu.languageChoice);
   GameStateManager::Deinit();
   Enter(&mainMenu);
   EXPECT_EQ(profile.opens, 1);
   EXPECT_EQ(language.opens, 1);
   GameStateManager::Deinit();
   profileMenuPopup = nullptr;
   languageMenuPopup = nullptr;
}
} // namespace
} // namespace MenuTest
