// Loader delegate for "SpriteResourceFile" items: opens a sprite resource file and creates its
// animations one per step, holding a reference on each until the item is released.
#pragma once

#include "core/JSONValue.h"
#include "platform/loader/LoaderIterativeDelegate.h"

namespace Corvale
{
class SpriteResourceFile;

class LoaderIterativeDelegateSpriteResourceFile : public LoaderIterativeDelegate
{
 public:
   void SpecificationSet(JSONValue* item) override;
   void Update() override;
   bool DoneCheck() override { return done != 0; }
   float ProgressGet() override;
   void Unload() override;
   void Release(JSONValue* item) override;
   // The item's "Filename".
   bool FilenameGet(JSONValue* item, char* buffer, u32 size) override;

   // The file being loaded, with the reference of its load; null before the first step.
   SpriteResourceFile* resource = nullptr;
   // Members of the file's document handled so far.
   i32 stepCount = 0;
   // The next member to handle.
   JSONValue::Iterator member;
   u8 done = 0;

 protected:
   // One step on the file that FilenameGet names.
   void SpriteStep();
};
} // namespace Corvale
