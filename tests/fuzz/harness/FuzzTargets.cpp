// The table of fuzz targets and the guard that turns the engine's intended fatal exits into a
// return from the input that caused them.
#include "tests/fuzz/harness/FuzzTargets.h"

#include <csetjmp>
#include <cstring>

#include "core/Log.h"
#include "tests/fuzz/harness/FuzzEnvironment.h"
#include "tests/fuzz/targets/FuzzTargetList.h"

namespace Corvale
{
namespace Fuzz
{
const FuzzTarget fuzzTargets[] = {
    {"png", &FuzzPNG},
    {"tex", &FuzzTex},
    {"img", &FuzzImg},
    {"json", &FuzzJSON},
    {"archive", &FuzzArchive},
    {"wav", &FuzzWAV},
    {"snd", &FuzzSND},
    {"sprite", &FuzzSprite},
    {"font", &FuzzFont},
    {"guilayer", &FuzzGUILayer},
    {"textdocument", &FuzzTextDocument},
    {"dialog", &FuzzDialog},
    {"skeleton", &FuzzSkeleton},
    {"runtimejson", &FuzzRuntimeJSON},
    {"atlas", &FuzzAtlas},
    {nullptr, nullptr},
};

namespace
{
std::jmp_buf fatalReturn;
bool fatalArmed = false;

// The log shows its error box just before it ends the program: that is where we step out.
void MessageBoxCatch(const char*, const char*, bool error)
{
   if (error && fatalArmed)
   {
      fatalArmed = false;
      std::longjmp(fatalReturn, 1);
   }
}
} // namespace

const FuzzTarget* FuzzTargetFind(const char* name)
{
   for (const FuzzTarget* target = fuzzTargets; name && target->name; target++)
   {
      if (std::strcmp(target->name, name) == 0)
      {
         return target;
      }
   }
   return nullptr;
}

bool FuzzInputRun(const FuzzTarget* target, const u8* data, size_t size)
{
   FuzzEnvironment::Init();
   LogMessageBoxFunctionSet(&MessageBoxCatch);
   if (setjmp(fatalReturn) != 0)
   {
      return false;
   }
   fatalArmed = true;
   target->function(data, size);
   fatalArmed = false;
   return true;
}
} // namespace Fuzz
} // namespace Corvale
