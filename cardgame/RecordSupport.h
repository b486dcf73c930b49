// What the game records share: their reflection records made from the default heap, and the
// texts they own (a player's name, an action's text key).
#pragma once

#include "core/Log.h"
#include "core/Memory.h"
#include "core/ReflectionManager.h"
#include "core/ReflectionTypeObject.h"

namespace Corvale
{
// A named class record, or null with one log line.
template <class R> R* ReflectionRecordCreate(const char* name)
{
   R* record = MemoryNew<R>(HEAP_DEFAULT);
   if (!record || !record->Init(name))
   {
      WarningPrintf("ReflectionRecordCreate -- unable to create the type record %s\n", name);
      if (record)
      {
         record->Deinit();
         MemoryDelete(record);
      }
      return nullptr;
   }
   return record;
}

// Frees an owned text and nulls it. The memory manager may already be down when a static game's
// records go.
void OwnedTextFree(const char*& text);
// Replaces an owned text with a copy of text (null clears it); false, text kept, when the copy
// fails, logged as caller's.
bool OwnedTextSet(const char*& slot, const char* text, const char* caller);
// a + b clamped to the 32-bit signed range.
inline i32 ScoreSaturatingAdd(i32 a, i32 b)
{
   const i64 sum = static_cast<i64>(a) + b;
   return sum > INT32_MAX ? INT32_MAX : (sum < INT32_MIN ? INT32_MIN : static_cast<i32>(sum));
}
} // namespace Corvale
