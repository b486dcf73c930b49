// Loader delegate for "TextureResourceFile" items: a JSON file listing textures (single names and
// numbered sequences), loaded one entry per step.
#pragma once

#include "core/JSONValue.h"
#include "platform/loader/LoaderIterativeDelegate.h"

namespace Corvale
{
class LoaderIterativeDelegateTextureResourceFile : public LoaderIterativeDelegate
{
 public:
   ~LoaderIterativeDelegateTextureResourceFile() override;

   void SpecificationSet(JSONValue* item) override;
   void Update() override;
   bool DoneCheck() override { return done != 0; }
   float ProgressGet() override;
   void Unload() override;
   void Release(JSONValue* item) override;
   // The item's "Filename".
   bool FilenameGet(JSONValue* item, char* buffer, u32 size) override;

   // The parsed file (owned) while its entries are being loaded; null before and after.
   JSONValue* resource = nullptr;
   // Entries handled so far.
   i32 stepCount = 0;
   // The next entry to handle.
   JSONValue::Iterator member;
   u8 done = 0;

 private:
   // Loads or releases every texture of one entry.
   static void EntryLoad(const JSONValue* entry);
   static void EntryRelease(const JSONValue* entry);
   // The parsed file, read from the graphics paths; null (logged) when it can't be read.
   // "<name>.json" along the graphics paths, parsed; null when it can't be read.
   static JSONValue* FileParse(const char* name);
   void ResourceFree();
};
} // namespace Corvale
