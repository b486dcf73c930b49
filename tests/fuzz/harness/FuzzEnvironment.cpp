// The fuzz targets' surroundings, made once per process: a temporary resource folder holding the
// fuzzed files under "Fuzz/" and a link to the generated art under "Graphics/".
#include "tests/fuzz/harness/FuzzEnvironment.h"

#include <cstdlib>
#include <filesystem>

#include "core/Event.h"
#include "core/FileManager.h"
#include "core/FileManagerStdio.h"
#include "core/GraphicsPathManager.h"
#include "core/Memory.h"
#include "platform/window/Screen.h"
#include "tests/TestSupport.h"
#include "tests/platform/ScreenTestSupport.h"

namespace Corvale
{
namespace Fuzz
{
namespace
{
TestSupport::TempFolder* folder = nullptr;
bool screenTried = false;
bool screenOpen = false;

void EnvironmentEnd()
{
   FuzzEnvironment::Deinit();
}

bool BytesWrite(const std::string& name, const u8* data, size_t size)
{
   return folder && folder->FileWrite(name, std::string(reinterpret_cast<const char*>(data), size));
}
} // namespace

void FuzzEnvironment::Init()
{
   if (folder)
   {
      return;
   }
   if (!Memory::InitialisedCheck())
   {
      Memory::Init();
      Event::SystemInit();
   }
   folder = new TestSupport::TempFolder("fuzz");
   std::atexit(&EnvironmentEnd);
   std::error_code ignored;
   std::filesystem::create_directories(folder->Join("Fuzz"), ignored);
   // The generated art, fonts and layers that seeds refer to.
   const char* data = std::getenv("CORVALE_FUZZ_DATA");
   std::filesystem::create_directory_symlink(std::string(data && data[0] ? data : CORVALE_GENERATED_DATA) +
                                                 "/Graphics",
                                             folder->Join("Graphics"), ignored);
   fileManagerStdioResource.BaseFolderSet(folder->Base().c_str());
   fileManagerResource = &fileManagerStdioResource;
   GraphicsPathManager::Set(0, "Fuzz");
   GraphicsPathManager::Set(1, "Graphics");
}

bool FuzzEnvironment::ScreenInit()
{
   Init();
   if (!screenTried)
   {
      screenTried = true;
      screenOpen = screen.Init(TestSupport::WindowSettingsGet(TestSupport::WindowProcedureScreen));
   }
   return screenOpen;
}

void FuzzEnvironment::Deinit()
{
   if (screenOpen)
   {
      screen.Deinit();
      screenOpen = false;
   }
   delete folder;
   folder = nullptr;
}

bool FuzzEnvironment::InputWrite(const char* path, const u8* data, size_t size)
{
   Init();
   return BytesWrite(std::string("Fuzz/") + path, data, size);
}

bool FuzzEnvironment::RootFileWrite(const char* path, const u8* data, size_t size)
{
   Init();
   return BytesWrite(path, data, size);
}

std::string FuzzEnvironment::TextGet(const u8* data, size_t size)
{
   return std::string(reinterpret_cast<const char*>(data), size);
}
} // namespace Fuzz
} // namespace Corvale
