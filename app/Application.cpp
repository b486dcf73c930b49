// The application's start-up and shutdown steps and its one frame; steps whose managers are not
// part of the program yet are kept in their places as comments.
#include "app/Application.h"

#include <chrono>
#include <cstring>

#include "app/ApplicationConsts.h"
#include "app/ApplicationSettings.h"
#include "app/FrameClock.h"
#include "app/LoadingScreen.h"
#include "app/FaceCreator.h"
#include "app/HelpScreen.h"
#include "app/MainMenu.h"
#include "app/MenuBar.h"
#include "app/Minigames.h"
#include "app/MusicPlaylist.h"
#include "app/ProfileMenu.h"
#include "app/ReflectionTypesRegister.h"
#include "app/RootMenu.h"
#include "app/SettingsMenu.h"
#include "app/SplashScreen.h"
#include "app/StartupObserver.h"
#include "cardgame/Card.h"
#include "cardgame/CardWidget.h"
#include "cardgame/ChipPile.h"
#include "cardgame/Minigame.h"
#include "app/profile/PortraitModel.h"
#include "app/profile/PortraitWidget.h"
#include "app/profile/SettingsApply.h"
#include "app/profile/Unlockables.h"
#include "core/Color.h"
#include "core/Event.h"
#include "core/JSONValue.h"
#include "core/Random.h"
#include "core/ReflectionManager.h"
#include "core/TextManager.h"
#include "gui/dialog/DialogManager.h"
#include "gui/state/FadeManager.h"
#include "gui/GUIManager.h"
#include "gui/state/GameState.h"
#include "gui/state/GameStateManager.h"
#include "gui/LoaderIterativeDelegateGUILayer.h"
#include "gui/popup/PopupManager.h"
#include "platform/input/MouseCursor.h"
#include "platform/sprite/AnimatedBackgroundManager.h"
#include "platform/sprite/FontManager.h"
#include "platform/loader/LoaderIterative.h"
#include "platform/window/Screen.h"
#include "platform/sound/SoundManagerOpenAL.h"
#include "platform/sprite/SpriteManager.h"
#include "tutorial/SkeletonHooks.h"
#include "tutorial/SkeletonManager.h"
#include "tutorial/TutorialSkeletonWidget.h"

namespace Corvale
{
// quitRequested itself is defined with the profile store, whose unlock messages wait on it.
bool updatePageOpenAtExit = false;
bool loadingScreenResourcesLoaded = false;
Font* defaultFont = nullptr;
u32 languageIndex = 0;
bool languageChoiceFirstRun = false;
LoaderIterative loadingScreenLoader;
MouseCursor* mouseCursor = nullptr;

namespace
{
LoaderIterativeDelegateGUILayer loadingScreenGUILayerDelegate;

// The pair handed to "OnLanguageChange".
struct LanguageChange
{
   u32 indexOld;
   u32 indexNew;
};

// 1970-01-01 as a file time: 100 ns ticks since 1601-01-01.
constexpr u64 FILE_TIME_UNIX_EPOCH = 116444736000000000ull;

u64 FileTimeNowGet()
{
   const auto since = std::chrono::system_clock::now().time_since_epoch();
   const auto ticks = std::chrono::duration_cast<std::chrono::nanoseconds>(since).count() / 100;
   return FILE_TIME_UNIX_EPOCH + static_cast<u64>(ticks);
}
} // namespace

i32 LanguageIndexGet(const char* name)
{
   if (!name)
   {
      return -1;
   }
   for (u32 i = 0; i < TEXT_LANGUAGE_COUNT; ++i)
   {
      if (std::strcmp(TextManager::LanguageNameGet(i), name) == 0)
      {
         return static_cast<i32>(i);
      }
   }
   return -1;
}

void ApplicationLanguageInit()
{
   languageChoiceFirstRun = false;
   i32 index = LanguageIndexGet(settings ? settings->ItemGet("Language")->StringValueGet() : nullptr);
   if (index < 0)
   {
      index = LanguageIndexGet(consts ? consts->ItemGet("LanguageDefault")->StringValueGet() : nullptr);
      const JSONValue* languages = consts ? consts->ItemGet("Languages") : &JSONValue::nullValue;
      languageChoiceFirstRun = languages->TypeGet() == JSONValue::TYPE_ARRAY && languages->CountGet() > 1;
   }
   if (index >= 0)
   {
      LanguageCurrentSet(static_cast<u32>(index));
   }
}

void LanguageCurrentSet(u32 index)
{
   if (index < TEXT_LANGUAGE_COUNT && index != languageIndex)
   {
      LanguageChange change = {languageIndex, index};
      languageIndex = change.indexNew;
      Event::Trigger("OnLanguageChange", &change);
   }
}

void ApplicationRandomSeed(u64 fileTime)
{
   // One step of the shared generator from s0 = s1 = t.
   const u32 t = static_cast<u32>(fileTime);
   randomState0 = (t + 46906481u) ^ t;
   randomState1 = (((t << 3) | (t >> 29)) + 103995407u) ^ randomState0;
}

void ApplicationFadeInit()
{
   FadeManager::Reset();
   FadeManager::BoundsUpdate();
   FadeManager::EventRegister();
   // A fade starts from the colour shown now: show opaque black first, then fade it away.
   FadeManager::endColor = ColorRGBA8{0, 0, 0, 255};
   FadeManager::FadeStart(ColorRGBA8{0, 0, 0, 0});
}

void ApplicationFirstStatesInit()
{
   // The last entry of the state table runs first: the splash screen, then the loading screen.
   const char* splashImages = consts ? consts->ItemGet("SplashScreenImages")->StringValueGet() : nullptr;
   if (splashImages)
   {
      splashScreen.ImageNamesSet(splashImages);
      GameStateManager::Init(&splashScreen);
      GameStateManager::InsertBefore(&loadingScreen, &splashScreen);
   }
   else
   {
      GameStateManager::Init(&loadingScreen);
   }
}

void ApplicationRootMenuInit()
{
   // Below the loading screen, so that it runs once loading is done.
   RootMenu* root = RootMenuGet();
   GameStateManager::InsertBefore(root, &loadingScreen);
   root->firstEntry = true;
   root->languageChoice = languageChoiceFirstRun;
}

void ApplicationInit()
{
   // Until the profile applies its own.
   gameSpeed = 50;
   cardsMessy = false;
   quitRequested = false;
   frameClock.resetPending = 1;

   ApplicationLanguageInit();

   textManager.LanguageSet(&languageIndex);
   textManager.FileNameAppend("Text");
   textManager.Init();
   textManager.OnLanguageChange();
   textManager.FileAdd("DialogText");
   textManager.FileAdd("TextNew");

   ReflectionTypesRegister();

   ApplicationRandomSeed(FileTimeNowGet());
   // Skeletal-animation step: the runtime's memory hooks and its atlas cache.
   SkeletonHooksInstall();

   ApplicationFadeInit();

   AnimatedBackgroundManager::Init(ColorRGBA8{255, 255, 255, 255});

   ApplicationGraphicsConstsLoad();
   // Card-game step: the chip and card constants.
   ChipPile::ConstsLoad(consts);
   Card::ConstsLoad(consts);

   defaultFont = FontManager::Load("AauxProBOutlined");

   GUIManager::Init();
   // Card-game step: the card, pile and help label widget types.
   CardWidgetTypesRegister();
   // The game base opens the menu bar without knowing the front end.
   Minigame::menuBarPopup = &menuBar;
   Minigame::settingsMenuPopup = &settingsMenu;
   mainMenu.faceCreatorPopup = &faceCreator;
   profileMenuPopup = &profileMenu;
   helpScreenPopup = &helpScreen;
   // Front-end step: the widget types "Portrait" and "TutorialSkeleton" are registered.
   GUIManager::WidgetTypeRegister("Portrait", &PortraitWidgetCreate);
   GUIManager::WidgetTypeRegister("TutorialSkeleton", &TutorialSkeletonWidgetCreate);
   PopupManager::Init();
   PortraitTablesInit();
   SettingsApply();
   MinigamesRegister();
   dialogManager.Init(consts, &languageIndex);

   // The GUI delegate must be in place before Init registers the loader's delegates.
   loadingScreenLoader.delegateGUILayer = &loadingScreenGUILayerDelegate;
   loadingScreenLoader.Init();
   // Its time budget is measured on the frame's own clock.
   loadingScreenLoader.clock = &frameClock.clock;
   JSONValue* resources = consts ? consts->ItemFind("LoadingScreenResources") : nullptr;
   if (resources && resources->TypeGet() == JSONValue::TYPE_ARRAY)
   {
      loadingScreenLoader.ListAdd(resources);
   }
   loadingScreenResourcesLoaded = false;
   loadingScreen.loader = &loadingScreenLoader;
   loadingScreen.loadedFlag = &loadingScreenResourcesLoaded;

   ApplicationFirstStatesInit();
   ApplicationRootMenuInit();
}

void ApplicationDeinit()
{
   // The states go first: a loading screen left mid-load cancels its loader itself, which gives
   // back what it had loaded so far.
   GameStateManager::Deinit();
   // The loader itself knows what it loaded, so it gives back exactly that.
   if (loadingScreenResourcesLoaded)
   {
      loadingScreenLoader.UnloadAll();
      loadingScreenResourcesLoaded = false;
   }
   loadingScreenLoader.Deinit();

   dialogManager.Deinit();
   UnlockMessagesClear();
   MinigamesUnregister();
   PortraitTablesDeinit();
   PopupManager::Deinit();
   GUIManager::Deinit();

   // Stopping the song goes through the sound thread; with that thread gone there is nothing to
   // wait for.
   if (soundManager.initialised && soundManager.SoundThreadRunningCheck())
   {
      soundManager.musicSource.Stop();
      soundManager.CommandQueueWait();
   }

   if (AnimatedBackgroundManager::initialised)
   {
      AnimatedBackgroundManager::Deinit();
   }

   if (defaultFont)
   {
      FontManager::Release(defaultFont);
      defaultFont = nullptr;
   }

   FadeManager::EventUnregister();
   // Skeletal-animation step: the atlases the tutorials left in the cache.
   SkeletonManagerCommon::Deinit();
   SpriteManager::Deinit();
   ReflectionManager::Deinit();
   textManager.Deinit();
}

void ApplicationUpdate()
{
   const u32 elapsed = frameClock.elapsed;
   GameStateManager::Update();
   FadeManager::Update(elapsed);
   AnimatedBackgroundManager::ClockStep(static_cast<i32>(elapsed));
   UnlockMessagesServe();
   GUIManager::Update(elapsed);
   dialogManager.Update();
   PopupManager::Update(elapsed);
   if (GameStateManager::current)
   {
      GameStateManager::current->Update(elapsed);
   }

   screen.Clear();
   AnimatedBackgroundManager::Draw();
   if (GameStateManager::current)
   {
      GameStateManager::current->Draw();
   }
   GUIManager::Draw();
   MouseCursor::Draw(mouseCursor);

   musicPlaylist.Update(consts);

   FadeManager::Draw();

   screen.FrameEnd();
   // The screenshot comes from the finished back buffer, so before the swap.
   if (screen.screenshotRequested)
   {
      screen.ScreenshotSave();
   }
   screen.BuffersSwap();
   if (startupObserver)
   {
      startupObserver->FrameSwapped();
   }
}
} // namespace Corvale
