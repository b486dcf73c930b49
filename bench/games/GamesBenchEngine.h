// The engine as the games' benchmarks need it without a window: the generated data's scripts as
// the resource tree, a profile for the options, the global constants with the game templates.
#pragma once

#include <string>

#include "app/profile/ProfileStore.h"
#include "app/profile/SettingsApply.h"
#include "core/Event.h"
#include "core/FileManagerStdio.h"
#include "core/GraphicsPathManager.h"
#include "core/JSONParser.h"
#include "core/JSONValue.h"
#include "core/Memory.h"
#include "core/StringHelpers.h"
#include "gui/popup/PopupManager.h"

namespace Corvale
{
namespace GamesBench
{
// Once per program; false when the generated data is missing.
inline bool EngineStart()
{
   static bool started = false;
   if (started)
   {
      return true;
   }
   if (!Memory::InitialisedCheck())
   {
      Memory::Init();
      Event::SystemInit();
   }
   const std::string data = CORVALE_BENCH_DATA;
   fileManagerStdioResource.BaseFolderSet((data + "/").c_str());
   fileManagerResource = &fileManagerStdioResource;
   GraphicsPathManager::Set(0, "Graphics");
   JSONParser parser;
   MemoryDelete(consts);
   consts = parser.Load("Scripts/BuildConsts", fileManagerResource, HEAP_DEFAULT);
   if (!consts)
   {
      return false;
   }
   profileCurrent = JSONValue::New(HEAP_DEFAULT);
   profileCurrent->ObjectSet();
   profileCurrentName = StringDuplicate("Player", HEAP_DEFAULT);
   gameSpeed = 50;
   PopupManager::Init();
   started = true;
   return true;
}
} // namespace GamesBench
} // namespace Corvale
