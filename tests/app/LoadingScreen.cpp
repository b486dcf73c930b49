// The loading screen: it loads only while nothing animates, shows the progress, leaves with the
// bar full through the exit transition and the fade, and a load cut short gives everything back.
#include "app/LoadingScreen.h"

#include "gui/widgets/ProgressBarWidget.h"
#include "platform/loader/LoaderIterative.h"
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
} // namespace
