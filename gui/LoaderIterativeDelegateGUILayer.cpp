// GUI layers for the iterative loader: the sprite file first, one animation per step, so that the
// preload that follows finds its animations made already.
#include "gui/LoaderIterativeDelegateGUILayer.h"

#include "core/Log.h"
#include "core/StringHelpers.h"
#include "gui/GUIManager.h"

namespace Corvale
{
const char* LoaderIterativeDelegateGUILayer::LayerNameGet(JSONValue* item)
{
   const char* name = FilenameFind(item);
   if (!name)
   {
      WarningPrintf("LoaderIterativeDelegateGUILayer::LayerNameGet -- GUI layer name not specified.\n");
   }
   return name;
}

bool LoaderIterativeDelegateGUILayer::FilenameGet(JSONValue* item, char* buffer, u32 size)
{
   const char* layer = LayerNameGet(item);
   if (!layer)
   {
      return false;
   }
   char folder[LOADER_FILENAME_SIZE];
   if (!NultSnprintf(folder, sizeof(folder), "GUI/%s", layer) ||
       !NultSnprintf(buffer, size, "%s/Sprites", folder))
   {
      WarningPrintf("LoaderIterativeDelegateGUILayer::FilenameGet -- GUI layer name too long: \"%s\".\n",
                    layer);
      return false;
   }
   return true;
}

void LoaderIterativeDelegateGUILayer::SpecificationSet(JSONValue* item)
{
   LoaderIterativeDelegateSpriteResourceFile::SpecificationSet(item);
   layerPreloaded = 0;
}

void LoaderIterativeDelegateGUILayer::Update()
{
   if (!done)
   {
      SpriteStep();
      return;
   }
   if (!layerPreloaded)
   {
      const char* layer = LayerNameGet(specification);
      if (layer)
      {
         GUIManager::Preload(layer);
      }
      layerPreloaded = 1;
   }
}

void LoaderIterativeDelegateGUILayer::Unload()
{
   if (layerPreloaded)
   {
      GUIManager::UndoPreload(LayerNameGet(specification));
      layerPreloaded = 0;
   }
   LoaderIterativeDelegateSpriteResourceFile::Unload();
}

void LoaderIterativeDelegateGUILayer::Release(JSONValue* item)
{
   const char* layer = LayerNameGet(item);
   if (layer)
   {
      GUIManager::UndoPreload(layer);
   }
   LoaderIterativeDelegateSpriteResourceFile::Release(item);
}
} // namespace Corvale
