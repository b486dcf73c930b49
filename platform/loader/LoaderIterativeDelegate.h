// The protocol between the iterative loader and the code that loads one kind of resource: take an
// item of a resource list, load it a step at a time, and undo or release what it loaded.
#pragma once

#include "core/Types.h"

namespace Corvale
{
class JSONValue;

// Size of the buffers that FilenameGet fills.
constexpr u32 LOADER_FILENAME_SIZE = 260;

class LoaderIterativeDelegate
{
 public:
   virtual ~LoaderIterativeDelegate() = default;

   // Makes item the current one; subclasses also start their progress afresh.
   virtual void SpecificationSet(JSONValue* item);
   virtual void SpecificationClear();
   // One step of work on the current item.
   virtual void Update() {}
   virtual bool DoneCheck() = 0;
   // Percent of the current item.
   virtual float ProgressGet() = 0;
   // Undoes whatever the current item has loaded so far.
   virtual void Unload() = 0;
   // Releases what a completely loaded item holds.
   virtual void Release(JSONValue* item) = 0;
   // The name of the file behind an item, for the delegates that read one.
   virtual bool FilenameGet(JSONValue* item, char* buffer, u32 size);

   // The item, not owned: the resource list belongs to the loader's caller.
   JSONValue* specification = nullptr;

 protected:
   // The item's "Filename" text, or null when it has none.
   static const char* FilenameFind(const JSONValue* item);
};
} // namespace Corvale
