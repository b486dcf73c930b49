// The fuzz targets' surroundings, made once per process: a temporary resource folder holding the
// fuzzed files under "Fuzz/" and a link to the generated art under "Graphics/".
#include "tests/fuzz/harness/FuzzEnvironment.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "core/Event.h"
#include "core/FileManager.h"
#include "core/FileManagerStdio.h"
#include "core/GraphicsPathManager.h"
#include "core/Log.h"
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

// The log on the standard error, for looking into what a target does with an input.
class LogToStandardError : public TestSupport::MemoryFile
{
 public:
   u32 Write(const void* buffer, u32 count) override
   {
      return static_cast<u32>(std::fwrite(buffer, 1, count, stderr));
   }
};
LogToStandardError logToStandardError;

// The fuzzed files first, the generated art after them.
void GraphicsPathsSet()
{
   GraphicsPathManager::Set(0, "Fuzz");
   GraphicsPathManager::Set(1, "Graphics");
}

bool BytesWrite(const std::string& name, const u8* data, size_t size)
{
   return folder && folder->FileWrite(name, std::string(reinterpret_cast<const char*>(data), size));
}
} // namespace

u32 FuzzInputFile::Read(void* buffer, u32 count)
{
   i64 left = length - position;
   u32 got = left <= 0 ? 0 : (left < count ? static_cast<u32>(left) : count);
   std::memcpy(buffer, bytes + position, got);
   position += got;
   return got;
}

bool FuzzInputFile::PositionSet(i64 offset, i32 origin)
{
   i64 base = origin == FILE_ORIGIN_CURRENT ? position : (origin == FILE_ORIGIN_END ? length : 0);
   if (offset > length - base || offset < -base)
   {
      return false;
   }
   position = base + offset;
   return true;
}

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
   const char* logged = std::getenv("CORVALE_FUZZ_LOG");
   if (logged && logged[0] == '1')
   {
      LogFileSet(&logToStandardError);
   }
   folder = new TestSupport::TempFolder("fuzz");
   std::atexit(&EnvironmentEnd);
   std::error_code ignored;
   std::filesystem::create_directories(folder->Join("Fuzz"), ignored);
   // The generated art, fonts and layers that seeds refer to.
   const char* data = std::getenv("CORVALE_FUZZ_DATA");
   const std::filesystem::path generated =
       std::filesystem::absolute(data && data[0] ? data : CORVALE_GENERATED_DATA, ignored) / "Graphics";
   std::filesystem::create_directory_symlink(generated, folder->Join("Graphics"), ignored);
   fileManagerStdioResource.BaseFolderSet(folder->Base().c_str());
   fileManagerResource = &fileManagerStdioResource;
   GraphicsPathsSet();
}

bool FuzzEnvironment::ScreenInit()
{
   Init();
   if (!screenTried)
   {
      screenTried = true;
      screenOpen = screen.Init(TestSupport::WindowSettingsGet(TestSupport::WindowProcedureScreen));
      // The screen sets the program's own graphics paths.
      GraphicsPathsSet();
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
