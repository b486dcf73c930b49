// The loading screen: it loads only while nothing animates, shows the progress, leaves with the
// bar full through the exit transition and the fade, and a load cut short (also by shutdown)
// gives everything back; and the first states it runs among.
#include "app/LoadingScreen.h"

#include <vector>

#include "app/Application.h"
#include "app/ApplicationConsts.h"
#include "app/SplashScreen.h"
#include "gui/widgets/ProgressBarWidget.h"
#include "platform/loader/LoaderIterative.h"
#include "platform/loader/LoaderIterativeDelegate.h"
#include "tests/core/JSONTestSupport.h"
#include "tests/gui/GUIManagerTestSupport.h"

using namespace GUIManagerTest;

namespace
{
const char* const layer = R"({"Children": [{"Type": "Container", "Name": "MenuPanel",
   "Transitions": {"Enter": {"Type": "FromBottom", "Duration": 100}, "Exit": {"Type": "ToTop", "Duration": 100}},
   "Children": [{"Type": "ProgressBar", "Name": "ProgressBar"}]}]})";

class LoadingScreenTest : public GUIManagerFixture
{
 protected:
   void SetUp() override
   {
      GUIManagerFixture::SetUp();
      LayerWrite("LoadingScreen", layer);
      list = JSONValue::New(HEAP_DEFAULT);
      list->ArraySet();
      std::filesystem::create_directories(folder + "/Graphics/Lists");
      for (const char* name : {"A", "B", "C", "D"})
      {
         std::ofstream(folder + "/Graphics/Lists/" + name + ".json") << "{}";
      }
      GameStateManager::Init(&below);
   }

   void TearDown() override
   {
      GameStateManager::Deinit();
      loader.UnloadAll();
      loader.Deinit();
      MemoryDelete(list);
      GUIManagerFixture::TearDown();
   }

   // The loader with one list of n sprite files, one step an update; then the screen entered.
   void Enter(i32 n)
   {
      for (i32 i = 0; i < n; i++)
      {
         JSONValue* item = list->ElementAdd();
         item->ObjectSet();
         item->ItemStringSet("Type", "SpriteResourceFile");
         item->ItemStringSet("Filename", (std::string("Lists/") + static_cast<char>('A' + i)).c_str());
      }
      loader.Init();
      loader.timeBudget = 0;
      if (n > 0)
      {
         loader.ListAdd(list);
      }
      screen.loader = &loader;
      screen.loadedFlag = &loaded;
      GameStateManager::Push(&screen);
      Step(0);
      ASSERT_EQ(GameStateManager::current, &screen);
   }

   // One frame in the order of the program's.
   void Step(u32 elapsed = 16)
   {
      GameStateManager::Update();
      FadeManager::Update(elapsed);
      GUIManager::Update(elapsed);
      if (GameStateManager::current)
      {
         GameStateManager::current->Update(elapsed);
      }
   }

   // The list's sprite files loaded now (the layer's own sprite file is not one of them).
   i32 ListsLoadedGet()
   {
      i32 count = 0;
      for (const char* name : {"Lists/A", "Lists/B", "Lists/C", "Lists/D"})
      {
         count += SpriteManager::ResourceFileGet(name) ? 1 : 0;
      }
      return count;
   }

   float BarValueGet() { return screen.progressBar ? screen.progressBar->ValueGet() : -1.0f; }

   GameState below;
   LoadingScreen screen;
   LoaderIterative loader;
   JSONValue* list = nullptr;
   bool loaded = false;
};

TEST_F(LoadingScreenTest, LoadsOnceShownAndLeavesWithTheBarFull)
{
   Enter(4);
   ASSERT_NE(screen.progressBar, nullptr);
   // Nothing loads while the panel comes in.
   Step();
   EXPECT_GT(GUIManager::transitionsRunning, 0);
   EXPECT_EQ(ListsLoadedGet(), 0);

   float last = 0.0f;
   i32 frames = 0;
   while (!loaded && frames++ < 200)
   {
      Step();
      EXPECT_GE(BarValueGet(), last);
      last = BarValueGet();
      if (ListsLoadedGet() == 2 && !FadeManager::fading)
      {
         // Nor while a fade runs.
         FadeManager::FadeStart(ColorRGBA8{0, 0, 0, 0});
         Step();
         EXPECT_EQ(ListsLoadedGet(), 2);
         while (FadeManager::fading)
         {
            Step(100);
         }
      }
   }
   ASSERT_TRUE(loaded);
   EXPECT_EQ(ListsLoadedGet(), 4);
   // Full in the frame that starts the exit.
   EXPECT_FLOAT_EQ(BarValueGet(), 100.0f);
   EXPECT_TRUE(screen.exiting);
   EXPECT_EQ(GameStateManager::switchHoldCount, 1);

   // The exit transition, then the fade to black, then the switch to the state below.
   for (frames = 0; GameStateManager::current != &below && frames < 200; frames++)
   {
      Step();
   }
   EXPECT_EQ(GameStateManager::current, &below);
   EXPECT_EQ(FadeManager::endColor.a, 255);
   EXPECT_EQ(GameStateManager::switchHoldCount, 0);
   EXPECT_EQ(GUIManager::LayerNameCountGet("LoadingScreen"), 0);
   // A finished loader stays up, so that shutdown gives back what it loaded.
   EXPECT_TRUE(loader.initialised);
   EXPECT_EQ(ListsLoadedGet(), 4);
}

TEST_F(LoadingScreenTest, WithoutResourcesItMarksThemLoadedAndLeavesAtOnce)
{
   Enter(0);
   // The 100 ms entry first; then, in one frame, the flag, the full bar and the exit.
   i32 frames = 0;
   while (!loaded && frames++ < 100)
   {
      EXPECT_FALSE(screen.exiting);
      Step();
   }
   EXPECT_GE(frames, 100 / 16);
   EXPECT_TRUE(loaded);
   EXPECT_TRUE(screen.exiting);
   EXPECT_FLOAT_EQ(BarValueGet(), 100.0f);
}

TEST_F(LoadingScreenTest, LeavingMidLoadGivesEveryReferenceBack)
{
   Enter(4);
   for (i32 frames = 0; ListsLoadedGet() < 2 && frames < 200; frames++)
   {
      Step();
   }
   ASSERT_EQ(ListsLoadedGet(), 2);
   // Shutdown leaves the states before it releases the loader.
   GameStateManager::Deinit();
   EXPECT_EQ(ListsLoadedGet(), 0);
   EXPECT_EQ(SpriteManager::resourceFiles.count, 0);
   EXPECT_FALSE(loaded);
   EXPECT_FALSE(loader.initialised);
   EXPECT_EQ(screen.loadedFlag, nullptr);
}

// Loads an item in one step and counts what it holds.
class CountingDelegate : public LoaderIterativeDelegate
{
 public:
   void SpecificationSet(JSONValue* item) override
   {
      LoaderIterativeDelegate::SpecificationSet(item);
      done = false;
   }
   void Update() override
   {
      held++;
      done = true;
   }
   bool DoneCheck() override { return done; }
   float ProgressGet() override { return done ? 100.0f : 0.0f; }
   void Unload() override
   {
      held -= done ? 1 : 0;
      done = false;
   }
   void Release(JSONValue* item) override
   {
      (void)item;
      held--;
   }

   i32 held = 0;
   bool done = false;
};

TEST_F(LoadingScreenTest, ShutdownMidLoadGivesBackWhatTheApplicationsLoaderLoaded)
{
   CountingDelegate counting;
   for (i32 i = 0; i < 4; i++)
   {
      list->ElementAdd()->ObjectSet()->ItemStringSet("Type", "GUILayer");
   }
   loadingScreenLoader.delegateGUILayer = &counting;
   loadingScreenLoader.Init();
   loadingScreenLoader.timeBudget = 0;
   loadingScreenLoader.ListAdd(list);
   loadingScreenResourcesLoaded = false;
   loadingScreen.loader = &loadingScreenLoader;
   loadingScreen.loadedFlag = &loadingScreenResourcesLoaded;
   GameStateManager::Push(&loadingScreen);
   for (i32 frames = 0; counting.held < 2 && frames < 200; frames++)
   {
      Step();
   }
   ASSERT_EQ(counting.held, 2);

   ApplicationDeinit();
   EXPECT_EQ(counting.held, 0) << "the load was cut short after the loader was released";
   EXPECT_FALSE(loadingScreenResourcesLoaded);
   EXPECT_FALSE(loadingScreenLoader.initialised);
   loadingScreenLoader.delegateGUILayer = nullptr;
}

TEST_F(LoadingScreenTest, TheSplashRunsFirstOnlyWhenTheConstantsNameItsImages)
{
   GameStateManager::Deinit();
   JSONValue* saved = consts;
   struct Case
   {
      const char* constants;
      std::vector<GameState*> states;
   } cases[] = {
       {R"({"SplashScreenImages": "Splash/Title"})", {&loadingScreen, &splashScreen}},
       {R"({"SplashScreenImages": ["Splash/Title"]})", {&loadingScreen}},
       {"{}", {&loadingScreen}},
   };
   for (const Case& c : cases)
   {
      JSONTest::ValuePointer document = JSONTest::TextParse(c.constants);
      consts = document.get();
      loadingScreen.loader = nullptr;
      ApplicationFirstStatesInit();
      EXPECT_EQ(GameStateManager::current, c.states.back()) << c.constants;
      ASSERT_EQ(GameStateManager::states.count, static_cast<i32>(c.states.size())) << c.constants;
      for (size_t i = 0; i < c.states.size(); i++)
      {
         EXPECT_EQ(GameStateManager::states[static_cast<i32>(i)], c.states[i]) << c.constants;
      }
      GameStateManager::Deinit();
   }
   consts = saved;
}
} // namespace
