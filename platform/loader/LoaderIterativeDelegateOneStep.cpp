// One step per item: load the "Filename" resource, then report done.
#include "platform/loader/LoaderIterativeDelegateOneStep.h"

namespace Corvale
{
void LoaderIterativeDelegateOneStep::SpecificationSet(JSONValue* item)
{
   LoaderIterativeDelegate::SpecificationSet(item);
   done = 0;
}

void LoaderIterativeDelegateOneStep::Update()
{
   if (done)
   {
      return;
   }
   // Without a name nothing loads, but the item still counts as handled.
   const char* name = FilenameFind(specification);
   if (name)
   {
      NameLoad(name);
   }
   done = 1;
}

void LoaderIterativeDelegateOneStep::Unload()
{
   if (done)
   {
      done = 0;
      Release(specification);
   }
}
} // namespace Corvale
