// The application's start-up and shutdown steps and its one frame; steps whose managers are not
// part of the program yet are kept in their places as comments.
#include "app/Application.h"

#include <chrono>
#include <cstring>

#include "app/ApplicationConsts.h"
#include "app/ApplicationSettings.h"
#include "app/FrameClock.h"
#include "app/MusicPlaylist.h"
#include "core/Color.h"
#include "core/Event.h"
#include "core/JSONValue.h"
#include "core/Random.h"
#include "core/TextManager.h"
#include "platform/AnimatedBackgroundManager.h"
#include "platform/FontManager.h"
#include "platform/Screen.h"
#include "platform/SoundManagerOpenAL.h"
#include "platform/SpriteManager.h"

namespace Corvale
{
bool quitRequested = false;
bool updatePageOpenAtExit = false;
bool loadingScreenResourcesLoaded = false;
Font* defaultFont = nullptr;
u32 languageIndex = 0;
bool languageChoiceFirstRun = false;

namespace
{
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
   if (index >= 0 && static_cast<u32>(index) != languageIndex)
   {
      LanguageChange change = {languageIndex, static_cast<u32>(index)};
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

void ApplicationInit()
{
   // Profile settings step: game speed 50 and cards not messy, until the profile applies its own.
   quitRequested = false;
   frameClock.resetPending = 1;

   ApplicationLanguageInit();

   textManager.LanguageSet(&languageIndex);
   textManager.FileNameAppend("Text");
   textManager.Init();
   textManager.OnLanguageChange();
   textManager.FileAdd("DialogText");
   textManager.FileAdd("TextNew");

   // Reflection step: every game type is registered (ReflectionTypesRegister).

   ApplicationRandomSeed(FileTimeNowGet());
   // Skeletal-animation step: the runtime's memory hooks and its atlas cache.

   // Fade step: the fade manager is reset, sized to the visible area, registered for
   // "OnWindowChange", and a 500 ms fade from opaque black starts (FadeManager).

   AnimatedBackgroundManager::Init(ColorRGBA8{255, 255, 255, 255});

   ApplicationGraphicsConstsLoad();
   // Card-game step: the chip and card constants (ChipPile::ConstsLoad, Card::ConstsLoad).

   defaultFont = FontManager::Load("AauxProBOutlined");

   // GUI step: GUIManager::Init, then the widget types "Portrait" and "TutorialSkeleton".
   // Front-end step: PopupManager::Init, PortraitTablesInit, SettingsApply, MinigamesRegister,
   // DialogManager::Init.
   // Loading step: the loading screen's LoaderIterative with "LoadingScreenResources".
   loadingScreenResourcesLoaded = false;
   // Game-state step: the splash screen (with "SplashScreenImages") or the loading screen becomes
   // the first state (GameStateManager::Init), and the root menu (RootMenuGet) follows it, told
   // of languageChoiceFirstRun.
}

void ApplicationDeinit()
{
   if (loadingScreenResourcesLoaded)
   {
      // Loading step: everything "LoadingScreenResources" names is unloaded.
      loadingScreenResourcesLoaded = false;
   }
   // Game-state step: GameStateManager::Deinit, DialogManager::Deinit, UnlockMessagesClear.
   // Registry step: the registry of games is freed.
   // Front-end step: PortraitTablesDeinit, PopupManager::Deinit, GUIManager::Deinit.

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

   // Fade step: FadeManager::EventUnregister. Skeletal-animation step: SkeletonManagerCommon::Deinit.
   SpriteManager::Deinit();
   // Reflection step: ReflectionManager::Deinit.
   textManager.Deinit();
}

void ApplicationUpdate()
{
   const u32 elapsed = frameClock.elapsed;
   // Game-state step: a pending switch, then the current state's FrameUpdate (GameStateManager::Update).
   // Fade step: the fade advances by elapsed.
   AnimatedBackgroundManager::ClockStep(static_cast<i32>(elapsed));
   // Unlockables step: queued unlock messages are served (UnlockMessagesServe).
   // GUI step: GUIManager::Update(elapsed).
   // Dialog step: DialogManager::Update().
   // Popup step: PopupManager::Update(elapsed).
   // Game-state step: the current state's Update(elapsed).

   screen.Clear();
   AnimatedBackgroundManager::Draw();
   // Game-state step: the current state's Draw.
   // GUI step: when the GUI is initialised, the root's DrawBegin, Draw and DrawEnd.

   musicPlaylist.Update(consts);

   // Fade step: the fade colour over the fade rectangle when its alpha is not 0.

   screen.clearedThisFrame = 0;
   // The screenshot comes from the finished back buffer, so before the swap.
   if (screen.screenshotRequested)
   {
      screen.ScreenshotSave();
   }
   screen.BuffersSwap();
}
} // namespace Corvale
