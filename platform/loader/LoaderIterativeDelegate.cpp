// The shared parts of every loader delegate.
#include "platform/loader/LoaderIterativeDelegate.h"

#include "core/JSONValue.h"

namespace Corvale
{
void LoaderIterativeDelegate::SpecificationSet(JSONValue* item)
{
   specification = item;
}

void LoaderIterativeDelegate::SpecificationClear()
{
   specification = nullptr;
}

bool LoaderIterativeDelegate::FilenameGet(JSONValue*, char*, u32)
{
   return false;
}

const char* LoaderIterativeDelegate::FilenameFind(const JSONValue* item)
{
   if (!item)
   {
      return nullptr;
   }
   const JSONValue* name = item->ItemFind("Filename");
   return name ? name->StringValueGet() : nullptr;
}
} // namespace Corvale
