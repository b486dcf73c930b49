// The settings menu on a small layer with the real profile store in a temporary save folder, a
// fake screen and a fake sound side: files written once at the close and only after a change, the
// pages offered by the game behind the menu, the environment page's controls, the choice tables
// and their previews, and the game page built from a fixture game's options.
#include "app/SettingsMenu.h"

#include <filesystem>
#include <fstream>

#include "app/profile/SettingsApply.h"
#include "app/profile/Unlockables.h"
#include "cardgame/CardGame.h"
#include "core/Event.h"
#include "core/FileManagerStdio.h"
#include "core/TextManager.h"
#include "gui/popup/MessageBoxPopup.h"
#include "gui/widgets/LabelWidget.h"
#include "gui/widgets/RadioButtonWidget.h"
#include "gui/widgets/SliderWidget.h"
#include "gui/widgets/SpriteWidget.h"
#include "gui/widgets/StateContainerWidget.h"
#include "gui/widgets/TableWidget.h"
#include "platform/sound/Sound.h"
#include "platform/sprite/SpriteAnimation.h"
#include "platform/sprite/SpriteResourceFile.h"
#include "gui/widgets/WidgetChildSprite.h"
#include "platform/window/ScreenCommon.h"
#include "tests/app/MenuTestSupport.h"

namespace MenuTest
{
namespace
{
// A screen without a window: only the state the menu reads and changes.
class FakeScreen : public ScreenCommon
{
 public:
   void BoxFilledDraw(const Box2F&, const ColorRGBA8&, float, const Box2F*) override {}
   void ViewportUpdate() override { viewportUpdates++; }
   void FrameRead(u8*, i32, i32, i32) override {}
   void FrameEnd() override {}
   i32 viewportUpdates = 0;
};

class FakeSound : public Sound
{
 public:
   void Deinit() override {}
   bool Play(SoundSourceOpenAL*, bool, i32, i32, const float*, const float*) override { return true; }
   void Stop(SoundSourceOpenAL*) override {}
};

class FakeSoundTarget : public SettingsSoundTarget
{
 public:
   bool InitialisedCheck() override { return true; }
   void VolumeSet(i32 usage, i32 volume) override { volumes[usage] = volume; }
   bool StreamExistsCheck(const char* path) override
   {
      (void)path;
      return true;
   }
   void MusicPlay(const char* path, bool loop) override
   {
      (void)loop;
      music = path;
   }
   i32 VolumeGet(i32 usage) override { return volumes[usage]; }
   Sound* EffectLoad(const char* name) override
   {
      loaded = name;
      return &sound;
   }
   void EffectUnload(Sound* unloaded) override { unloads += unloaded == &sound ? 1 : 100; }
   bool EffectPlayingCheck(Sound* playedSound) override
   {
      (void)playedSound;
      return playing;
   }
   void EffectPlay(Sound* played) override
   {
      plays += played == &sound ? 1 : 100;
      playing = true;
   }

   i32 volumes[3] = {80, 70, 60};
   std::string music;
   std::string loaded;
   FakeSound sound;
   i32 unloads = 0;
   i32 plays = 0;
   bool playing = false;
};

// A game of options that counts its new games; its constants are the test's.
class OptionsGame : public PlayableGame
{
 public:
   const char* GameNameGet() override { return "OptionsGame"; }
   void GameNew() override { gameNews++; }
   void RefreshMark() override { refreshes++; }
   i32 gameNews = 0;
   i32 refreshes = 0;
};

// A card game that may or may not offer the card styles.
class StyleGame : public CardGame
{
 public:
   i32 GameNumberGet() override { return 996; }
   const char* GameNameGet() override { return "StyleGame"; }
   i32 PlayersCountGet() override { return 1; }
   i32 PlayersMinimumGet() override { return 1; }
   i32 PlayersMaximumGet() override { return 1; }
   void Init() override { EnterStart(); }
   void Deinit() override { LayerRemove(); }
   void Update(u32 elapsed) override
   {
      (void)elapsed;
      ExitUpdate();
   }
   bool CardStyleChoiceCheck() override { return stylesOffered; }
   bool stylesOffered = true;
};

std::string Slider(const char* name, int y)
{
   return std::string(R"({"Type": "Slider", "Name": ")") + name + R"(", "PositionOffset": "300|)" +
          std::to_string(y) + R"(", "Bounds": "0|0|220|20",
      "Thumb": {"Bounds": "0|0|20|20", "PositionMinimumOffset": "0|0", "PositionMaximumOffset": "200|0"}})";
}

std::string Radio(const char* name, const char* group, int y)
{
   return std::string(R"({"Type": "RadioButton", "Name": ")") + name + R"(", "RadioButtonGroupName": ")" +
          group + R"(", "PositionOffset": "0|)" + std::to_string(y) + R"(", "Bounds": "0|0|40|40"})";
}

std::string Table(const char* name)
{
   return std::string(R"({"Type": "Table", "Name": ")") + name + R"(", "Bounds": "0|0|300|300",
      "ScrollBox": {"Bounds": "0|0|300|300", "Columns": {"Children": []},
                    "ClipContainer": {"ClipArea": "0|0|300|300"}},
      "RowTemplate": {"Bounds": "0|0|300|30", "RowButton": {"Bounds": "0|0|300|30"},
                      "Cells": {"Children": [{"Type": "Label", "Name": "Shown"}, {"Type": "Label", "Name": "Name"}]}}})";
}

std::string Button(const char* name)
{
   return std::string(R"({"Type": "PressButton", "Name": ")") + name + R"(", "Bounds": "0|0|40|40"})";
}

const char* const menuConsts = R"({"SoundVolumeTestSound": "Sounds/Chime",
   "Songs": ["Meadow", "Harbour", "Lantern", "Tune"], "SongsUnlockable": true, "SongsUnlocked": ["Tune"],
   "SongDefault": "Tune",
   "MinigameBackgrounds": ["FeltGreen", "FeltBlue", "FeltRed"], "MinigameBackgroundsUnlockable": false,
   "MinigameBackgroundsUnlocked": [], "MinigameBackgroundDefault": "<Random>",
   "CardFrontStyles": ["Classic", "FourColor"], "CardFrontStylesUnlockable": 1, "CardFrontStylesUnlocked": ["Classic"],
   "CardBackStyles": ["Blue", "Red"], "CardBackStylesUnlockable": false, "CardBackStyleDefault": "Red",
   "CardFrontStyleDefault": "Classic", "CardSizeDefault": "Medium",
   "MinigameSettingsWidgets": {"Checkbox": {"Bounds": "0|0|100|30"}, "Heading": {"Bounds": "0|0|100|20"},
                               "RadioButton": {"Bounds": "0|0|100|25"}},
   "MinigameSettingsWidgetSpacingY": 10, "MinigameSettingsRadioButtonSpacingY": 5})";

// Shown texts that sort otherwise than the names do.
const char* const englishTexts =
    R"({"SongMeadow": "Meadow", "SongHarbour": "Harbour", "SongLantern": "Lantern",
   "SongTune": "Card Table", "BackgroundRandom": "Random", "BackgroundFeltGreen": "Green Felt",
   "BackgroundFeltBlue": "Blue Felt", "BackgroundFeltRed": "Red Felt", "CardFrontStyleClassic": "Classic",
   "CardFrontStyleFourColor": "Four colours", "CardBackStyleBlue": "Blue", "CardBackStyleRed": "Red"})";

constexpr const char* PAGES = "SettingsMenu.Panel.Submenus";
constexpr const char* ENVIRONMENT = "SettingsMenu.Panel.Submenus.Environment.";

class SettingsMenuTest : public MenuFixture
{
 protected:
   void SetUp() override
   {
      MenuFixture::SetUp();
      SaveFolderUse();
      ConstsSet(menuConsts);
      std::filesystem::create_directories(folder + "/Text/English");
      std::ofstream(folder + "/Text/English/Text.json") << englishTexts;
      textManager.LanguageSet(&english);
      textManager.FileNameAppend("Text");
      textManager.Init();
      textManager.OnLanguageChange();
      LayerWrite("SettingsMenu",
                 R"({"Children": [{"Type": "Container", "Name": "Panel", )" + std::string(transitions) +
                     R"(, "Children": [)" + Button("Close") + R"(,
         {"Type": "RadioButtonContainer", "Name": "SubmenuButtons", "Children": [
            {"Type": "RadioButton", "Name": "Environment", "Bounds": "0|0|40|40"},
            {"Type": "RadioButton", "Name": "Backgrounds", "PositionOffset": "50|0", "Bounds": "0|0|40|40"},
            {"Type": "RadioButton", "Name": "Cards", "PositionOffset": "100|0", "Bounds": "0|0|40|40"},
            {"Type": "RadioButton", "Name": "Game", "PositionOffset": "150|0", "Bounds": "0|0|40|40"}]},
         {"Type": "StateContainer", "Name": "Submenus", "Children": [
            {"Type": "Container", "Name": "Environment", "Children": [)" +
                     Button("Play") + "," + Radio("Fullscreen", "Window", 0) + "," +
                     Radio("WideWindow", "Window", 50) + "," + Radio("NarrowWindow", "Window", 100) + "," +
                     Radio("CardsOrganized", "Layout", 150) + "," + Radio("CardsNatural", "Layout", 200) +
                     "," + Slider("GameSpeed", 0) + "," + Slider("MusicVolume", 50) + "," +
                     Slider("SoundVolume", 100) + "," + Slider("SpeechVolume", 150) + "," + Table("Songs") +
                     R"(]},
            {"Type": "Container", "Name": "Backgrounds", "Children": [)" +
                     Button("Play") + "," + Button("Apply") + "," + Table("Backgrounds") + R"(,
               {"Type": "Sprite", "Name": "Thumbnail"}]},
            {"Type": "Container", "Name": "Cards", "Children": [)" +
                     Button("Play") + "," + Button("Apply") + "," + Table("CardFrontStyles") + "," +
                     Table("CardBackStyles") + R"(,
               {"Type": "Sprite", "Name": "CardFrontPreview"}, {"Type": "Sprite", "Name": "CardBackPreview"}]},
            {"Type": "Container", "Name": "Game", "Children": [)" +
                     Button("Play") + "," + Button("Apply") + R"(,
               {"Type": "Container", "Name": "Settings", "Bounds": "0|0|400|100"}]}]}]}]})");
      // Thumbnails and card sprites: one picture each, named as the menu asks for them.
      std::ofstream(folder + "/Graphics/GUI/SettingsMenu/Sprites.json")
          << R"({"FeltGreen": "Pixel", "FeltBlue": "Pixel", "FeltRed": "Pixel"})";
      for (const char* path :
           {"/Graphics/Sprites/Cards/Fronts/Classic", "/Graphics/Sprites/Cards/Fronts/FourColor",
            "/Graphics/Sprites/Cards/Backs/Blue", "/Graphics/Sprites/Cards/Backs/Red"})
      {
         std::filesystem::create_directories(folder + path);
         std::ofstream(folder + path + "/Medium.json") << R"({"S_1": "Pixel", "Back": "Pixel"})";
      }
      PixelWrite("Pixel");
      LayerWrite("MessageBoxYesNo", R"({"Children": [{"Type": "Container", "Name": "Panel", "Children": [
         {"Type": "PressButton", "Name": "Yes", "Bounds": "0|0|40|40"},
         {"Type": "PressButton", "Name": "No", "PositionOffset": "50|0", "Bounds": "0|0|40|40"}]}]})");
      settings = TextParse("{}").release();
      ProfileLoad("Player");
      screenBefore = settingsMenuScreen;
      settingsMenuScreen = &fakeScreen;
      fakeScreen.virtualWidth = 960;
      fakeScreen.virtualHeight = 720;
      fakeScreen.preparedArea = PlatformRect{-160, 0, 1280, 720};
      fakeScreen.displayModeFound = 1;
      soundBefore = settingsSoundTarget;
      settingsSoundTarget = &sound;
      settingsMenu.submenuIndex = 0;
      cardsMessy = false;
      gameSpeed = 50;
   }

   void TearDown() override
   {
      PopupManager::CloseAll();
      GameStateManager::Deinit();
      optionsGame.constants = nullptr;
      fileManagerPersistence = nullptr;
      ProfileLoad(nullptr);
      MemoryDelete(settings);
      settings = nullptr;
      settingsMenuScreen = screenBefore;
      settingsSoundTarget = soundBefore;
      textManager.Deinit();
      MenuFixture::TearDown();
   }

   void PixelWrite(const char* name)
   {
      // A 1 x 1 PNG, enough for a sprite to load.
      static const unsigned char png[] = {
          0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48,
          0x44, 0x52, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x06, 0x00, 0x00,
          0x00, 0x1F, 0x15, 0xC4, 0x89, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x44, 0x41, 0x54, 0x78,
          0x9C, 0x63, 0xF8, 0xCF, 0xC0, 0xF0, 0x1F, 0x00, 0x05, 0x00, 0x01, 0xFF, 0x89, 0x99,
          0x3D, 0x1D, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};
      std::ofstream(folder + "/Graphics/" + name + ".png", std::ios::binary)
          .write(reinterpret_cast<const char*>(png), sizeof(png));
   }

   void Open()
   {
      PopupManager::OpenUnlessOpen(&settingsMenu);
      Settle();
   }

   void CloseMenu()
   {
      Click("SettingsMenu.Panel.Close");
      Settle();
      ASSERT_LT(PopupManager::IndexGet(&settingsMenu), 0);
   }

   // The game entered as the current state, with these constants.
   void GameEnter(Minigame* game, const char* constants)
   {
      if (constants)
      {
         gameConstants = TextParse(constants);
         game->constants = gameConstants.get();
      }
      GameStateManager::Init(nullptr);
      GameStateManager::Push(game);
      Settle();
      ASSERT_EQ(GameStateManager::current, game);
   }

   // The sprite's animation, after its resource file when that is not the layer's own.
   std::string Animation(SpriteWidget* widget)
   {
      SpriteAnimation* animation = widget->sprite ? widget->sprite->animation : nullptr;
      if (!animation || !animation->name)
      {
         return "";
      }
      const char* file = animation->resourceFile ? animation->resourceFile->name : nullptr;
      const bool own = !file || std::string(file).find("GUI/SettingsMenu") != std::string::npos;
      return own ? animation->name : std::string(file) + " " + animation->name;
   }

   bool QuestionShown() { return WidgetAt<Widget>("MessageBoxYesNo.Panel.Yes") != nullptr; }

   std::string Shown()
   {
      auto* pages = WidgetAt<StateContainerWidget>(PAGES);
      return pages && pages->StateNameGet() ? pages->StateNameGet() : "";
   }

   std::string Disk(const char* name)
   {
      std::ifstream in(folder + "/Save/" + name);
      return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
   }

   template <class T> T* Environment(const char* name)
   {
      return WidgetAt<T>((std::string(ENVIRONMENT) + name).c_str());
   }

   // The shown texts of the table's rows, "*" before the selected one.
   std::string Rows(const char* path)
   {
      auto* table = WidgetAt<TableWidget>(path);
      std::string rows;
      for (i32 i = 0; table && i < table->RowCountGet(); ++i)
      {
         auto* shown = dynamic_cast<LabelWidget*>(table->CellGet(i, 0));
         rows += std::string(rows.empty() ? "" : ",") + (table->SelectionGet() == i ? "*" : "") +
                 (shown && shown->TextGet() ? shown->TextGet() : "?");
      }
      return rows;
   }

   void RowSelect(const char* path, const char* shownText)
   {
      auto* table = WidgetAt<TableWidget>(path);
      ASSERT_TRUE(table) << path;
      for (i32 i = 0; i < table->RowCountGet(); ++i)
      {
         auto* shown = dynamic_cast<LabelWidget*>(table->CellGet(i, 0));
         if (shown && shown->TextGet() && std::string(shown->TextGet()) == shownText)
         {
            table->SelectionSetByIndex(i, true);
            return;
         }
      }
      ADD_FAILURE() << "no row " << shownText << " in " << path;
   }

   FakeScreen fakeScreen;
   ScreenCommon* screenBefore = nullptr;
   FakeSoundTarget sound;
   SettingsSoundTarget* soundBefore = nullptr;
   u32 english = 0;
   OptionsGame optionsGame;
   ValuePointer gameConstants;
};

TEST_F(SettingsMenuTest, FilesAreWrittenOnceAtTheCloseAndOnlyAfterAChange)
{
   ProfileSave();
   const std::string profilePath = folder + "/Save/Profiles/0/Profile.json";
   const std::string profileBefore = Disk("Profiles/0/Profile.json");
   const std::string settingsBefore = Disk("Settings.json");
   ASSERT_FALSE(profileBefore.empty());
   const auto profileTime = std::filesystem::last_write_time(profilePath);
   const auto settingsTime = std::filesystem::last_write_time(folder + "/Save/Settings.json");

   // Opened and closed untouched: the set-up of the controls stores nothing.
   Open();
   EXPECT_EQ(Shown(), "Environment");
   EXPECT_FALSE(settingsMenu.changed);
   CloseMenu();
   EXPECT_EQ(Disk("Profiles/0/Profile.json"), profileBefore);
   EXPECT_EQ(Disk("Settings.json"), settingsBefore);
   EXPECT_EQ(std::filesystem::last_write_time(profilePath), profileTime);
   EXPECT_EQ(std::filesystem::last_write_time(folder + "/Save/Settings.json"), settingsTime);

   // Changes wait for the close, then both files are written.
   Open();
   auto* music = Environment<SliderWidget>("MusicVolume");
   ASSERT_TRUE(music);
   music->ValueSet(71.0f, true);
   music->ValueSet(72.0f, true);
   EXPECT_EQ(Disk("Profiles/0/Profile.json"), profileBefore);
   EXPECT_EQ(std::filesystem::last_write_time(folder + "/Save/Settings.json"), settingsTime);
   Click("SettingsMenu.Panel.Submenus.Environment.Play");
   Settle();
   EXPECT_LT(PopupManager::IndexGet(&settingsMenu), 0);
   EXPECT_NE(Disk("Profiles/0/Profile.json").find("\"MusicVolume\": 72"), std::string::npos)
       << Disk("Profiles/0/Profile.json");
   EXPECT_NE(std::filesystem::last_write_time(folder + "/Save/Settings.json"), settingsTime);
   EXPECT_NE(Disk("Settings.json").find("\"Profile\": \"Player\""), std::string::npos);
}

TEST_F(SettingsMenuTest, TheFirstPageAndTheOfferedPagesFollowTheGameBehindTheMenu)
{
   // Outside a game: only the environment page, the other buttons hidden.
   Open();
   EXPECT_EQ(Shown(), "Environment");
   for (const char* name : {"Backgrounds", "Cards", "Game"})
   {
      auto* button = WidgetAt<Widget>((std::string("SettingsMenu.Panel.SubmenuButtons.") + name).c_str());
      ASSERT_TRUE(button);
      EXPECT_FALSE(button->VisibleCheck()) << name;
   }
   CloseMenu();

   // A game with options opens on its options.
   GameEnter(&optionsGame, R"({"Settings": [{"Type": "Checkbox", "Name": "Hints", "Default": true}]})");
   Open();
   EXPECT_EQ(Shown(), "Game");
   EXPECT_TRUE(settingsMenu.SubmenuAvailableCheck("Backgrounds"));
   EXPECT_FALSE(settingsMenu.SubmenuAvailableCheck("Cards"));
   CloseMenu();
   GameStateManager::Deinit();

   // An empty option list offers no game page.
   GameEnter(&optionsGame, R"({"Settings": []})");
   EXPECT_FALSE(settingsMenu.SubmenuAvailableCheck("Game"));
   GameStateManager::Deinit();

   // A card game without options: its card page, unless it keeps its own card art.
   StyleGame cards;
   GameEnter(&cards, nullptr);
   settingsMenu.submenuIndex = 0;
   Open();
   EXPECT_EQ(Shown(), "Cards");
   CloseMenu();
   cards.stylesOffered = false;
   settingsMenu.submenuIndex = 0;
   Open();
   EXPECT_EQ(Shown(), "Environment");
   EXPECT_FALSE(WidgetAt<Widget>("SettingsMenu.Panel.SubmenuButtons.Cards")->VisibleCheck());
   CloseMenu();
   GameStateManager::Deinit();
}

TEST_F(SettingsMenuTest, SlidersStoreAndApplyEveryUserStepAndTheTestSoundStartsOnce)
{
   gameSpeed = 35;
   Open();
   EXPECT_EQ(sound.loaded, "Sounds/Chime");
   // Set up from the running values, which stores nothing.
   EXPECT_EQ(Environment<SliderWidget>("GameSpeed")->ValueGet(), 35.0f);
   EXPECT_EQ(Environment<SliderWidget>("MusicVolume")->ValueGet(), 70.0f);
   EXPECT_EQ(Environment<SliderWidget>("SoundVolume")->ValueGet(), 80.0f);
   EXPECT_EQ(Environment<SliderWidget>("SpeechVolume")->ValueGet(), 60.0f);
   EXPECT_FALSE(profileCurrent->ItemFind("SFXVolume"));
   EXPECT_FALSE(settingsMenu.changed);

   auto* effects = Environment<SliderWidget>("SoundVolume");
   effects->ValueSet(79.0f, true);
   EXPECT_EQ(profileCurrent->ItemGet("SFXVolume")->IntValueGet(), 79);
   EXPECT_EQ(sound.volumes[0], 79) << "applied at once";
   EXPECT_EQ(sound.plays, 1);
   effects->ValueSet(78.0f, true);
   EXPECT_EQ(sound.volumes[0], 78);
   EXPECT_EQ(sound.plays, 1) << "still playing: not started again";
   sound.playing = false;
   Environment<SliderWidget>("SpeechVolume")->ValueSet(50.0f, true);
   EXPECT_EQ(profileCurrent->ItemGet("SpeechVolume")->IntValueGet(), 50);
   EXPECT_EQ(sound.volumes[2], 50);
   EXPECT_EQ(sound.plays, 2);

   // Music and speed need no test sound.
   sound.playing = false;
   Environment<SliderWidget>("MusicVolume")->ValueSet(20.0f, true);
   Environment<SliderWidget>("GameSpeed")->ValueSet(90.0f, true);
   EXPECT_EQ(sound.volumes[1], 20);
   EXPECT_EQ(gameSpeed, 90);
   EXPECT_EQ(profileCurrent->ItemGet("GameSpeed")->IntValueGet(), 90);
   EXPECT_EQ(sound.plays, 2);
   // A change that is not the user's stores nothing.
   Environment<SliderWidget>("MusicVolume")->ValueSet(5.0f, false);
   EXPECT_EQ(profileCurrent->ItemGet("MusicVolume")->IntValueGet(), 20);
   EXPECT_TRUE(settingsMenu.changed);
   CloseMenu();
   EXPECT_EQ(sound.unloads, 1);
}

TEST_F(SettingsMenuTest, TheCardLayoutButtonsStoreTheMessyFlagByTheirValue)
{
   Open();
   auto* organized = Environment<RadioButtonWidget>("CardsOrganized");
   auto* natural = Environment<RadioButtonWidget>("CardsNatural");
   ASSERT_TRUE(organized && natural);
   EXPECT_TRUE(organized->OnGet());
   EXPECT_FALSE(natural->OnGet());
   natural->OnSet(true);
   natural->onClick(1, natural, natural->onClickUserData);
   EXPECT_TRUE(profileCurrent->ItemGet("CardsMessy")->BoolValueGet());
   EXPECT_TRUE(cardsMessy);
   organized->OnSet(true);
   organized->onClick(1, organized, organized->onClickUserData);
   EXPECT_EQ(profileCurrent->ItemGet("CardsMessy")->TypeGet(), JSONValue::TYPE_BOOL);
   EXPECT_FALSE(cardsMessy);
   EXPECT_TRUE(settingsMenu.changed);
}

TEST_F(SettingsMenuTest, WindowButtonsChangeTheModeAndFollowChangesMadeElsewhere)
{
   Open();
   auto* fullscreen = Environment<RadioButtonWidget>("Fullscreen");
   auto* wide = Environment<RadioButtonWidget>("WideWindow");
   auto* narrow = Environment<RadioButtonWidget>("NarrowWindow");
   ASSERT_TRUE(fullscreen && wide && narrow);
   EXPECT_TRUE(narrow->OnGet());

   wide->OnSet(true);
   wide->onClick(1, wide, wide->onClickUserData);
   EXPECT_TRUE(fakeScreen.preparedAreaWindowedEnabled);
   EXPECT_EQ(fakeScreen.clientWidth, 1280);
   EXPECT_EQ(fakeScreen.clientHeight, 720);
   EXPECT_EQ(fakeScreen.viewportUpdates, 1);
   EXPECT_TRUE(wide->OnGet());

   // Elsewhere (Alt+Enter): the screen goes full screen and the buttons follow; back in a window
   // it has the wide size chosen here, not the one it started with.
   fakeScreen.FullscreenSet(true);
   EXPECT_TRUE(fullscreen->OnGet());
   EXPECT_FALSE(wide->OnGet());
   fakeScreen.FullscreenSet(false);
   EXPECT_EQ(fakeScreen.clientWidth, 1280);
   EXPECT_TRUE(wide->OnGet());
   fakeScreen.FullscreenSet(true);

   narrow->OnSet(true);
   narrow->onClick(1, narrow, narrow->onClickUserData);
   EXPECT_FALSE(fakeScreen.fullscreen);
   EXPECT_FALSE(fakeScreen.preparedAreaWindowedEnabled);
   EXPECT_EQ(fakeScreen.clientWidth, 960);
   EXPECT_EQ(fakeScreen.clientHeight, 720);
   EXPECT_TRUE(narrow->OnGet());

   // Outside the plain windowed case the flag changes but the window keeps its size.
   fakeScreen.desktopOverride = 1;
   wide->OnSet(true);
   wide->onClick(1, wide, wide->onClickUserData);
   EXPECT_TRUE(fakeScreen.preparedAreaWindowedEnabled);
   EXPECT_EQ(fakeScreen.clientWidth, 960);
   fakeScreen.desktopOverride = 0;

   // Closed, the menu no longer listens.
   CloseMenu();
   fakeScreen.preparedAreaWindowedEnabled = 0;
   Event::Trigger("OnWindowChange", 0);
}

TEST_F(SettingsMenuTest, TheSongTableListsEligibleSongsSortedAndStoresTheUsersChoice)
{
   ItemUnlock("Song", "Lantern");
   Open();
   EXPECT_EQ(Rows("SettingsMenu.Panel.Submenus.Environment.Songs"), "*Card Table,Lantern");
   RowSelect("SettingsMenu.Panel.Submenus.Environment.Songs", "Lantern");
   EXPECT_STREQ(profileCurrent->ItemGet("Song")->StringValueGet(), "Lantern");
   EXPECT_EQ(sound.music, "Music/Lantern");
   EXPECT_TRUE(settingsMenu.changed);
   CloseMenu();
   Open();
   EXPECT_EQ(Rows("SettingsMenu.Panel.Submenus.Environment.Songs"), "Card Table,*Lantern");
}

TEST_F(SettingsMenuTest, BackgroundsListRandomFirstPreviewTheChoiceAndApplyIt)
{
   GameEnter(&optionsGame, nullptr);
   Open();
   const char* table = "SettingsMenu.Panel.Submenus.Backgrounds.Backgrounds";
   auto* thumbnail = WidgetAt<SpriteWidget>("SettingsMenu.Panel.Submenus.Backgrounds.Thumbnail");
   ASSERT_TRUE(thumbnail);
   EXPECT_EQ(Rows(table), "*Random,Blue Felt,Green Felt,Red Felt");
   EXPECT_EQ(Animation(thumbnail), "") << "random shows no thumbnail";
   RowSelect(table, "Red Felt");
   EXPECT_EQ(Animation(thumbnail), "FeltRed");
   EXPECT_FALSE(settingsMenu.changed) << "a selection alone stores nothing";
   Click("SettingsMenu.Panel.Submenus.Backgrounds.Apply");
   EXPECT_STREQ(profileCurrent->ItemGet("MinigameBackground")->StringValueGet(), "FeltRed");
   EXPECT_TRUE(settingsMenu.changed);
   RowSelect(table, "Random");
   EXPECT_EQ(Animation(thumbnail), "");
   Click("SettingsMenu.Panel.Submenus.Backgrounds.Play");
   EXPECT_STREQ(profileCurrent->ItemGet("MinigameBackground")->StringValueGet(), "<Random>");
   Settle();
   EXPECT_LT(PopupManager::IndexGet(&settingsMenu), 0);

   // Unlockable with nothing unlocked or listed: the random row alone.
   consts->ItemBoolSet("MinigameBackgroundsUnlockable", true);
   Open();
   EXPECT_EQ(Rows(table), "*Random");
}

TEST_F(SettingsMenuTest, CardStyleTablesOfferEligibleStylesPreviewThemAndKeepAStoredStyleNoLongerOffered)
{
   StyleGame cards;
   GameEnter(&cards, nullptr);
   // A front style stored earlier that is no longer unlocked.
   profileCurrent->ItemStringSet("CardFrontStyle", "FourColor");
   Open();
   const char* fronts = "SettingsMenu.Panel.Submenus.Cards.CardFrontStyles";
   const char* backs = "SettingsMenu.Panel.Submenus.Cards.CardBackStyles";
   EXPECT_EQ(Rows(fronts), "Classic");
   EXPECT_EQ(Rows(backs), "Blue,*Red");
   auto* front = WidgetAt<SpriteWidget>("SettingsMenu.Panel.Submenus.Cards.CardFrontPreview");
   auto* back = WidgetAt<SpriteWidget>("SettingsMenu.Panel.Submenus.Cards.CardBackPreview");
   ASSERT_TRUE(front && back);
   EXPECT_EQ(Animation(front), "");
   EXPECT_EQ(Animation(back), "Sprites/Cards/Backs/Red/Medium Back");
   RowSelect(fronts, "Classic");
   EXPECT_EQ(Animation(front), "Sprites/Cards/Fronts/Classic/Medium S_1");
   RowSelect(backs, "Blue");

   Click("SettingsMenu.Panel.Submenus.Cards.Apply");
   EXPECT_STREQ(profileCurrent->ItemGet("CardFrontStyle")->StringValueGet(), "Classic");
   EXPECT_STREQ(profileCurrent->ItemGet("CardBackStyle")->StringValueGet(), "Blue");
   CloseMenu();

   // Without a selection Apply keeps what is stored.
   profileCurrent->ItemStringSet("CardFrontStyle", "FourColor");
   Open();
   EXPECT_EQ(Rows(fronts), "Classic");
   Click("SettingsMenu.Panel.Submenus.Cards.Apply");
   EXPECT_STREQ(profileCurrent->ItemGet("CardFrontStyle")->StringValueGet(), "FourColor");
   CloseMenu();
   GameStateManager::Deinit();
}

const char* const gameOptions = R"({"Settings": [
   {"Type": "Checkbox", "Name": "Hints", "TextKey": "Hints", "Default": true},
   {"Type": "Checkbox", "Name": "Deal3", "TextKey": "Deal3", "Default": false, "RequiresMinigameRestart": true},
   {"Type": "StringRadioButtons", "Name": "Variation", "TextKey": "Variation", "Default": "Vegas",
    "RequiresMinigameRestart": true,
    "Values": [{"Value": "Standard", "TextKey": "Standard"}, {"Value": "Vegas", "TextKey": "Vegas"}]},
   {"Type": "Unknown", "Name": "Ignored"},
   {"Type": "Checkbox", "Name": "Labels", "Default": false}]})";

TEST_F(SettingsMenuTest, TheGamePageIsBuiltFromTheOptionsAndLaidOutInColumns)
{
   GameEnter(&optionsGame, gameOptions);
   Open();
   auto* page = WidgetAt<ContainerWidget>("SettingsMenu.Panel.Submenus.Game.Settings");
   ASSERT_TRUE(page);
   ASSERT_EQ(page->ChildCountGet(), 4);
   auto* hints = dynamic_cast<ToggleButtonWidget*>(page->ChildGetByName("Hints"));
   ASSERT_TRUE(hints);
   EXPECT_TRUE(hints->OnGet());
   EXPECT_STREQ(hints->TextKeyGet(), "Hints");
   auto* variation = dynamic_cast<ContainerWidget*>(page->ChildGetByName("Variation"));
   ASSERT_TRUE(variation);
   auto* vegas = dynamic_cast<RadioButtonWidget*>(variation->DescendantGetByPath("RadioButtons.Vegas"));
   auto* standard = dynamic_cast<RadioButtonWidget*>(variation->DescendantGetByPath("RadioButtons.Standard"));
   ASSERT_TRUE(vegas && standard);
   EXPECT_TRUE(vegas->OnGet());
   EXPECT_FALSE(standard->OnGet());
   // Heading 20, gap 5, two buttons of 25 with a gap of 5 between.
   EXPECT_EQ(standard->PositionGet().y, 25.0f);
   EXPECT_EQ(vegas->PositionGet().y, 55.0f);
   EXPECT_EQ(variation->BoundsGet().height, 80.0f);

   // Page 100 high, spacing 10: 30 + 10 + 30 fit in the first column; the 80-high group moves to the
   // second at half the width, and the last checkbox follows under it.
   EXPECT_EQ(page->ChildGetByName("Hints")->PositionGet().x, 0.0f);
   EXPECT_EQ(page->ChildGetByName("Deal3")->PositionGet().y, 40.0f);
   EXPECT_EQ(variation->PositionGet().x, 200.0f);
   EXPECT_EQ(variation->PositionGet().y, 0.0f);
   EXPECT_EQ(page->ChildGetByName("Labels")->PositionGet().x, 400.0f) << "past the page height again";
}

TEST_F(SettingsMenuTest, OptionsWithoutARestartAreStoredAtOnce)
{
   GameEnter(&optionsGame, gameOptions);
   Open();
   auto* page = WidgetAt<ContainerWidget>("SettingsMenu.Panel.Submenus.Game.Settings");
   dynamic_cast<ToggleButtonWidget*>(page->ChildGetByName("Hints"))->OnSet(false);
   Click("SettingsMenu.Panel.Submenus.Game.Apply");
   EXPECT_FALSE(QuestionShown());
   const JSONValue* stored = ProfileMinigameSettingsGet("OptionsGame");
   EXPECT_EQ(stored->ItemGet("Hints")->TypeGet(), JSONValue::TYPE_BOOL);
   EXPECT_FALSE(stored->ItemGet("Hints")->BoolValueGet());
   EXPECT_STREQ(stored->ItemGet("Variation")->StringValueGet(), "Vegas");
   EXPECT_EQ(optionsGame.refreshes, 1);
   EXPECT_TRUE(settingsMenu.changed);
   Click("SettingsMenu.Panel.Submenus.Game.Play");
   Settle();
   EXPECT_LT(PopupManager::IndexGet(&settingsMenu), 0);
   EXPECT_EQ(optionsGame.gameNews, 0);
}

TEST_F(SettingsMenuTest, ARestartOptionAsksNoStoresNothingAndOneYesCoversTheRestOfTheOpening)
{
   GameEnter(&optionsGame, gameOptions);
   Open();
   auto* page = WidgetAt<ContainerWidget>("SettingsMenu.Panel.Submenus.Game.Settings");
   dynamic_cast<ToggleButtonWidget*>(page->ChildGetByName("Hints"))->OnSet(false);
   dynamic_cast<RadioButtonWidget*>(page->DescendantGetByPath("Variation.RadioButtons.Standard"))
       ->OnSet(true);
   Click("SettingsMenu.Panel.Submenus.Game.Play");
   Settle();
   ASSERT_TRUE(QuestionShown()) << "no question";
   Click("MessageBoxYesNo.Panel.No");
   Settle();
   EXPECT_GE(PopupManager::IndexGet(&settingsMenu), 0) << "No keeps the menu open";
   EXPECT_FALSE(ProfileMinigameSettingsGet("OptionsGame")->ItemFind("Hints")) << "nothing stored";
   EXPECT_FALSE(settingsMenu.changed);

   Click("SettingsMenu.Panel.Submenus.Game.Apply");
   Settle();
   Click("MessageBoxYesNo.Panel.Yes");
   Settle();
   EXPECT_STREQ(ProfileMinigameSettingsGet("OptionsGame")->ItemGet("Variation")->StringValueGet(),
                "Standard");
   EXPECT_FALSE(ProfileMinigameSettingsGet("OptionsGame")->ItemGet("Hints")->BoolValueGet());
   EXPECT_EQ(optionsGame.gameNews, 0) << "the new game waits for the close";

   // Another restart change is stored without a second question.
   dynamic_cast<ToggleButtonWidget*>(page->ChildGetByName("Deal3"))->OnSet(true);
   Click("SettingsMenu.Panel.Submenus.Game.Apply");
   Settle();
   EXPECT_FALSE(QuestionShown());
   EXPECT_TRUE(ProfileMinigameSettingsGet("OptionsGame")->ItemGet("Deal3")->BoolValueGet());
   CloseMenu();
   EXPECT_EQ(optionsGame.gameNews, 1);
   EXPECT_NE(Disk("Profiles/0/Profile.json").find("\"Deal3\": true"), std::string::npos);
}

TEST_F(SettingsMenuTest, ARadioGroupMatchingNoValueShowsNoChoiceAndIsLeftAlone)
{
   GameEnter(&optionsGame, gameOptions);
   ProfileMinigameSettingsGet("OptionsGame")->ItemStringSet("Variation", "Klondike");
   Open();
   auto* page = WidgetAt<ContainerWidget>("SettingsMenu.Panel.Submenus.Game.Settings");
   auto* group = dynamic_cast<ContainerWidget*>(page->ChildGetByName("Variation"));
   ASSERT_TRUE(group);
   for (const char* name : {"RadioButtons.Standard", "RadioButtons.Vegas"})
   {
      EXPECT_FALSE(dynamic_cast<RadioButtonWidget*>(group->DescendantGetByPath(name))->OnGet()) << name;
   }
   Click("SettingsMenu.Panel.Submenus.Game.Apply");
   Settle();
   EXPECT_FALSE(QuestionShown()) << "no selection, no change";
   EXPECT_STREQ(ProfileMinigameSettingsGet("OptionsGame")->ItemGet("Variation")->StringValueGet(),
                "Klondike");
}

// The shipped Hearts options on the game page: three choice groups and three boxes at their
// defaults; a restart option chosen is stored after the question.
TEST_F(SettingsMenuTest, TheHeartsOptionsShowTheirDefaultsAndStoreAChoice)
{
   std::ifstream file(TestSupport::BuildDataFolderGet() + "/Scripts/Minigames/Hearts.json");
   const std::string hearts((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
   ASSERT_FALSE(hearts.empty());
   GameEnter(&optionsGame, hearts.c_str());
   Open();
   auto* page = WidgetAt<ContainerWidget>("SettingsMenu.Panel.Submenus.Game.Settings");
   ASSERT_TRUE(page);
   EXPECT_EQ(page->ChildCountGet(), 6);
   for (const char* path : {"Passing.RadioButtons.Alternates", "FirstTrickLeader.RadioButtons.TwoOfClubs",
                            "CardSorting.RadioButtons.Descending"})
   {
      auto* button = dynamic_cast<RadioButtonWidget*>(page->DescendantGetByPath(path));
      ASSERT_TRUE(button) << path;
      EXPECT_TRUE(button->OnGet()) << path;
   }
   for (const char* name :
        {"QueenOfSpadesBreaksHearts", "JackOfDiamondsWorthNegative10Points", "CanPlayPointsInFirstTrick"})
   {
      auto* box = dynamic_cast<ToggleButtonWidget*>(page->ChildGetByName(name));
      ASSERT_TRUE(box) << name;
      EXPECT_FALSE(box->OnGet()) << name;
   }
   dynamic_cast<RadioButtonWidget*>(page->DescendantGetByPath("Passing.RadioButtons.Never"))->OnSet(true);
   Click("SettingsMenu.Panel.Submenus.Game.Apply");
   Settle();
   ASSERT_TRUE(QuestionShown()) << "passing needs a new game";
   Click("MessageBoxYesNo.Panel.Yes");
   Settle();
   EXPECT_STREQ(ProfileMinigameSettingsGet("OptionsGame")->ItemGet("Passing")->StringValueGet(), "Never");
   CloseMenu();
}
} // namespace
} // namespace MenuTest
