// What the trick tables on screen share: a resource tree of the shipped layers, fonts, sprites and
// texts beside the test's own files, the program's merged global constants, and screenshots.
#pragma once

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>

#include "gui/GUIManager.h"
#include "platform/window/Screen.h"
#include "tests/TestSupport.h"
#include "tests/cardgame/CardGameHarness.h"
#include "tests/platform/ScreenTestSupport.h"
#include "tests/platform/SpriteTestSupport.h"

namespace Corvale
{
namespace TestSupport
{
struct ShotWriter : sprite_test_support::DrawingTest
{
   using DrawingTest::Save;
};

// The GUI drawn on the table's green, saved beside the test program as <name>.png.
inline void TableShot(const char* name)
{
   screen.clearedThisFrame = 0;
   screen.ClearColorSet(ColorRGBA8{16, 72, 40, 255});
   screen.Clear();
   GUIManager::Draw();
   ShotWriter::Save(FrameRead(), ProgramFolderGet() + "/" + name + ".png");
}

inline std::string FileRead(const std::string& path)
{
   std::ifstream file(path);
   return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

// Two JSON objects' members in one object (the second's text appended to the first's).
inline std::string ObjectsJoin(const std::string& first, const std::string& second)
{
   return first.substr(0, first.rfind('}')) + "," + second.substr(second.find('{') + 1);
}

// Links the built fonts, sprites, texts and the named layers into the harness's tree, gives it an
// empty background layer and the global constants as the program merges them.
inline void TrickTableTreeMake(CardGameHarness& harness, std::initializer_list<const char*> layers)
{
   const std::string data = BuildDataFolderGet();
   const std::string base = harness.folder.path;
   std::filesystem::create_directories(base + "/Graphics/GUI/MinigameBackground");
   for (const char* folder : {"Fonts", "Sprites"})
   {
      std::filesystem::create_directory_symlink(data + "/Graphics/" + folder, base + "/Graphics/" + folder);
   }
   for (const char* layer : layers)
   {
      std::filesystem::create_directory_symlink(data + "/Graphics/GUI/" + layer,
                                                base + "/Graphics/GUI/" + layer);
   }
   std::filesystem::create_directory_symlink(data + "/Text", base + "/Text");
   harness.FileWrite("Graphics/GUI/MinigameBackground/Widgets.json", R"({"Children": []})");
   harness.FileWrite("Graphics/GUI/MinigameBackground/Sprites.json", "{}");
   harness.CardGlobalConstsSet(ObjectsJoin(FileRead(data + "/Graphics/GraphicsConsts.json"),
                                           FileRead(data + "/Scripts/BuildConsts.json")));
}
} // namespace TestSupport
} // namespace Corvale
