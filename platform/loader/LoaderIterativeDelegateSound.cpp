// Loads and releases the sound named by a resource-list item.
#include "platform/loader/LoaderIterativeDelegateSound.h"

#include "platform/sound/SoundManagerOpenAL.h"

namespace Corvale
{
void LoaderIterativeDelegateSound::NameLoad(const char* name)
{
   // The reference is the loader's until Release; a failed load is logged by the manager.
   soundManager.Load(name);
}

void LoaderIterativeDelegateSound::Release(JSONValue* item)
{
   const char* name = FilenameFind(item);
   if (!name)
   {
      return;
   }
   // The last reference stops the sound and destroys it.
   soundManager.NameUnload(name);
}
} // namespace Corvale
