// Owned texts of the game records.
#include "cardgame/RecordSupport.h"

namespace Corvale
{
void OwnedTextFree(const char*& text)
{
   if (text && Memory::InitialisedCheck())
   {
      MemoryFree(const_cast<char*>(text));
   }
   text = nullptr;
}

bool OwnedTextSet(const char*& slot, const char* text, const char* caller)
{
   const char* copy = nullptr;
   if (text)
   {
      copy = StringDuplicate(text, HEAP_DEFAULT);
      if (!copy)
      {
         WarningPrintf("%s -- unable to copy the text %s\n", caller, text);
         return false;
      }
   }
   OwnedTextFree(slot);
   slot = copy;
   return true;
}
} // namespace Corvale
