// Loads and releases the texture named by a resource-list item.
#include "platform/loader/LoaderIterativeDelegateTexture.h"

#include "platform/image/TextureManagerOpenGL.h"

namespace Corvale
{
void LoaderIterativeDelegateTexture::NameLoad(const char* name)
{
   // The reference is the loader's until Release; a failed load is logged by the manager.
   textureManager.Load(name);
}

void LoaderIterativeDelegateTexture::Release(JSONValue* item)
{
   const char* name = FilenameFind(item);
   if (!name)
   {
      return;
   }
   textureManager.NameRelease(name);
}
} // namespace Corvale
