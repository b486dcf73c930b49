// GUI layer items of the iterative loader: the layer's sprite animations a step at a time, then
// the layer preloaded; cancelling and unloading leave neither a preload nor a sprite file behind.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/platform/BitmapTestSupport.h"
#include "core/FileManager.h"
#include "core/FileManagerStdio.h"
#include "core/GraphicsPathManager.h"
#include "core/JSONValue.h"
#include "core/Memory.h"
#include "gui/GUIManager.h"
#include "gui/LoaderIterativeDelegateGUILayer.h"
#include "platform/loader/LoaderIterative.h"
#include "platform/sprite/SpriteManager.h"
#include "platform/sprite/SpriteResourceFile.h"

using namespace Corvale;
using testing_support::LogCapture;

namespace
{
// A clock that never moves and a budget of 0: one pass per update.
class FrozenClock : public ClockCommon
{
 public:
   u32 TimeGet() override { return 0; }
};

class LoaderGUILayerTest : public ::testing::Test
{
 protected:
   static void SetUpTestSuite()
   {
      if (!Memory::InitialisedCheck())
      {
         Memory::Init();
      }
   }

   void SetUp() override
   {
      char pattern[] = "/tmp/corvale-loader-gui-XXXXXX";
      folder = mkdtemp(pattern);
      // The picture files do not exist: frames carry no images, and no GL is needed.
      Write("Graphics/GUI/Menu/Widgets.json", R"({"Type": "Container", "Name": "Menu"})");
      Write("Graphics/GUI/Menu/Sprites.json", R"({"Back": "Pictures/Back", "Button": "Pictures/Button"})");
      Write("Graphics/GUI/Bare/Widgets.json", R"({"Type": "Container", "Name": "Bare"})");
      fileManagerStdioResource.BaseFolderSet(folder.c_str());
      fileManagerResource = &fileManagerStdioResource;
      GraphicsPathManager::Set(0, "Graphics");

      list = JSONValue::New(HEAP_DEFAULT);
      list->ArraySet();
      loader.delegateGUILayer = &delegate;
      loader.Init();
      loader.clock = &clock;
      loader.timeBudget = 0;
   }

   void TearDown() override
   {
      loader.Deinit();
      MemoryDelete(list);
      EXPECT_EQ(GUIManager::preloadedLayers.count, 0) << "a preload was left";
      EXPECT_EQ(SpriteManager::resourceFiles.count, 0) << "a sprite resource file was left";
      SpriteManager::Deinit();
      fileManagerResource = nullptr;
      std::filesystem::remove_all(folder);
   }

   void Write(const std::string& path, const std::string& text)
   {
      std::filesystem::create_directories(std::filesystem::path(folder + "/" + path).parent_path());
      std::ofstream(folder + "/" + path) << text;
   }

   void LayerAdd(const char* name)
   {
      JSONValue* item = list->ElementAdd();
      item->ObjectSet();
      item->ItemStringSet("Type", "GUILayer");
      if (name)
      {
         item->ItemStringSet("Filename", name);
      }
   }

   static i32 PreloadCountGet(const char* layer)
   {
      GUIManager::PreloadedLayerMap::Node* node = GUIManager::preloadedLayers.Find(layer);
      return node == GUIManager::preloadedLayers.End() ? 0 : node->value.count;
   }

   std::string folder;
   FrozenClock clock;
   LoaderIterativeDelegateGUILayer delegate;
   LoaderIterative loader;
   JSONValue* list = nullptr;
};

TEST_F(LoaderGUILayerTest, SpritesComeFirstThenThePreloadAndUnloadAllReleasesBoth)
{
   LayerAdd("Menu");
   loader.ListAdd(list);
   // Take the item, open "GUI/Menu/Sprites", then "Back" and "Button" one a pass.
   for (int i = 0; i < 4; ++i)
   {
      loader.Update();
   }
   SpriteResourceFile* file = SpriteManager::ResourceFileGet("GUI/Menu/Sprites");
   ASSERT_NE(file, nullptr);
   EXPECT_EQ(file->animations.count, 2);
   EXPECT_EQ(PreloadCountGet("Menu"), 0) << "the layer waits for its sprites";
   EXPECT_FALSE(loader.DoneCheck());

   loader.Update();
   EXPECT_TRUE(loader.DoneCheck());
   EXPECT_EQ(PreloadCountGet("Menu"), 1);
   // The loader's load and animations, and the preload's.
   EXPECT_EQ(file->referenceCount, (1 + 2 * 2) * 2);

   loader.UnloadAll();
   EXPECT_EQ(PreloadCountGet("Menu"), 0);
   EXPECT_EQ(SpriteManager::resourceFiles.count, 0);
}

TEST_F(LoaderGUILayerTest, CancelPartWayUndoesTheSpritesAndACompletedLayer)
{
   LayerAdd("Bare");
   LayerAdd("Menu");
   loader.ListAdd(list);
   LogCapture log;
   // Take "Bare", find it has no sprite file (reported), preload it and take "Menu"; open
   // "GUI/Menu/Sprites" and create "Back".
   for (int i = 0; i < 5; ++i)
   {
      loader.Update();
   }
   EXPECT_TRUE(log.Has("failed to load sprite resource file: \"GUI/Bare/Sprites\""));
   EXPECT_EQ(PreloadCountGet("Bare"), 1);
   EXPECT_EQ(PreloadCountGet("Menu"), 0);
   ASSERT_NE(SpriteManager::ResourceFileGet("GUI/Menu/Sprites"), nullptr);
   EXPECT_EQ(delegate.stepCount, 1);

   loader.Cancel();
   EXPECT_EQ(PreloadCountGet("Bare"), 0);
   EXPECT_EQ(SpriteManager::resourceFiles.count, 0);
}

TEST_F(LoaderGUILayerTest, ALayerWithoutANameIsReportedAndHoldsNothing)
{
   LayerAdd(nullptr);
   loader.ListAdd(list);
   LogCapture log;
   for (int i = 0; i < 10 && !loader.DoneCheck(); ++i)
   {
      loader.Update();
   }
   EXPECT_TRUE(loader.DoneCheck());
   EXPECT_TRUE(log.Has("LoaderIterativeDelegateGUILayer::LayerNameGet -- GUI layer name not specified.\n"));
   loader.UnloadAll();
}
} // namespace
