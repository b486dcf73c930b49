// Loads and releases the font named by a resource-list item.
#include "platform/loader/LoaderIterativeDelegateFont.h"

#include "platform/sprite/FontManager.h"

namespace Corvale
{
void LoaderIterativeDelegateFont::NameLoad(const char* name)
{
   // The reference is the loader's until Release; a failed load is logged by the manager.
   FontManager::Load(name);
}

void LoaderIterativeDelegateFont::Release(JSONValue* item)
{
   const char* name = FilenameFind(item);
   if (!name)
   {
      return;
   }
   // Get takes no reference; Release destroys the font with its last one.
   FontManager::Release(FontManager::Get(name));
}
} // namespace Corvale
