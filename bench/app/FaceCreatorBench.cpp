// The face creator's cost on the data's layers and face art (run under Xvfb with Mesa): a full
// page of option previews refreshed (18 portraits, 270 part sprites with their animation
// references), and one whole frame of the open face creator, each in CPU milliseconds against
// the 4 ms a frame may spend (the CPU column is the main thread's: Mesa renders on threads of its own).
#include <benchmark/benchmark.h>

#include "app/FaceCreator.h"
#include "app/profile/PortraitWidget.h"
#include "app/profile/ProfileStore.h"
#include "core/Event.h"
#include "core/FileManagerStdio.h"
#include "core/GraphicsPathManager.h"
#include "core/JSONParser.h"
#include "core/JSONValue.h"
#include "core/Memory.h"
#include "core/ProgressionManager.h"
#include "core/TextManager.h"
#include "gui/GUIManager.h"
#include "gui/popup/PopupManager.h"
#include "platform/image/ImageManagerOpenGL.h"
#include "platform/image/TextureManagerOpenGL.h"
#include "platform/sprite/FontManager.h"
#include "platform/sprite/SpriteManager.h"
#include "platform/window/Screen.h"
#include "tests/platform/ScreenTestSupport.h"

namespace Corvale
{
namespace
{
constexpr double FRAME_TARGET_MS = 4.0;

// The face creator open on the current profile, with the hair category's first full page.
class FaceCreatorScene
{
 public:
   bool Open()
   {
      if (!Memory::InitialisedCheck())
      {
         Memory::Init();
      }
      Event::SystemInit();
      if (!screen.Init(TestSupport::WindowSettingsGet(nullptr)))
      {
         return false;
      }
      windowOpen = true;
      fileManagerStdioResource.BaseFolderSet(CORVALE_BENCH_DATA);
      fileManagerResource = &fileManagerStdioResource;
      GraphicsPathManager::Set(0, "Graphics");
      textManager.LanguageSet(&language);
      textManager.FileNameAppend("Text");
      textManager.OnLanguageChange();
      ProgressionManager::Init();
      GUIManager::Init();
      GUIManager::WidgetTypeRegister("Portrait", &PortraitWidgetCreate);
      PopupManager::Init();
      JSONParser parser;
      consts = parser.Load("Scripts/BuildConsts", &fileManagerStdioResource);
      settings = JSONValue::New(HEAP_DEFAULT);
      if (!consts || !settings)
      {
         return false;
      }
      settings->ObjectSet();
      fileManagerPersistence = nullptr;
      ProfileLoad("Bench");
      PortraitTablesInit();
      PopupManager::Open(&faceCreator);
      Tick(1000);
      faceCreator.CategorySelect(PORTRAIT_PART_HAIR_BACK);
      return faceCreator.portrait && faceCreator.optionPortraits[FACE_CREATOR_PAGE_SIZE - 1] &&
             faceCreator.pageSprites[FACE_CREATOR_PAGE_SIZE - 1] != -1;
   }

   void Close()
   {
      PopupManager::CloseAll();
      Tick(0);
      PortraitTablesDeinit();
      ProfileLoad(nullptr);
      MemoryDelete(settings);
      settings = nullptr;
      MemoryDelete(consts);
      consts = nullptr;
      PopupManager::Deinit();
      GUIManager::Deinit();
      ProgressionManager::Deinit();
      SpriteManager::Deinit();
      FontManager::Deinit();
      textManager.Deinit();
      imageManager.Deinit();
      textureManager.Deinit();
      if (windowOpen)
      {
         screen.Deinit();
      }
      fileManagerResource = nullptr;
      Event::SystemDeinit();
   }

   static void Tick(u32 elapsed)
   {
      GUIManager::Update(elapsed);
      PopupManager::Update(elapsed);
   }

   u32 language = 0;
   bool windowOpen = false;
};

void FrameShareSet(benchmark::State& state)
{
   state.counters["frame_share"] =
       benchmark::Counter(static_cast<double>(state.iterations()) * FRAME_TARGET_MS * 1e-3,
                          benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Runs step once per iteration with the face creator open, then reports the frame share.
template <class Step> void SceneRun(benchmark::State& state, Step step)
{
   FaceCreatorScene scene;
   if (!scene.Open())
   {
      state.SkipWithError("no window, data or face creator (build the data, run under xvfb-run)");
      scene.Close();
      return;
   }
   for (auto _ : state)
   {
      step();
   }
   FrameShareSet(state);
   scene.Close();
}

void FaceCreatorOptionsRefresh(benchmark::State& state)
{
   SceneRun(state, [] { faceCreator.OptionsRefresh(); });
}
BENCHMARK(FaceCreatorOptionsRefresh)->Unit(benchmark::kMillisecond);

void FaceCreatorFrame(benchmark::State& state)
{
   SceneRun(state,
            []
            {
               FaceCreatorScene::Tick(16);
               screen.clearedThisFrame = 0;
               screen.Clear();
               GUIManager::Draw();
               screen.BuffersSwap();
            });
}
BENCHMARK(FaceCreatorFrame)->Unit(benchmark::kMillisecond);
} // namespace
} // namespace Corvale
