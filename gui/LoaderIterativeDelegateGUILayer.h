// Loader delegate for "GUILayer" items: creates the layer's sprite animations a step at a time,
// then preloads the layer's widget tree with the GUI manager.
#pragma once

#include "platform/loader/LoaderIterativeDelegateSpriteResourceFile.h"

namespace Corvale
{
class LoaderIterativeDelegateGUILayer : public LoaderIterativeDelegateSpriteResourceFile
{
 public:
   void SpecificationSet(JSONValue* item) override;
   void Update() override;
   bool DoneCheck() override { return layerPreloaded != 0; }
   void Unload() override;
   void Release(JSONValue* item) override;
   // The layer's sprite file, "GUI/<layer>/Sprites".
   bool FilenameGet(JSONValue* item, char* buffer, u32 size) override;
   // The item's "Filename", which names the layer; null (logged) when missing.
   const char* LayerNameGet(JSONValue* item);

   u8 layerPreloaded = 0;
};
} // namespace Corvale
