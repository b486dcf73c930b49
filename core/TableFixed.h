// A table of at most N items kept inside its owner, for places that must never allocate (the
// sound thread) or that have a fixed limit (dialog lines and runs). An add beyond N is refused.
#pragma once

#include "core/Types.h"

namespace Corvale
{
template <class T, i32 N> class TableFixed
{
 public:
   i32 count = 0;
   T items[N] = {};

   bool Insert(const T& item, i32 index)
   {
      if (index < 0 || index > count || count >= N)
      {
         return false;
      }
      for (i32 i = count; i > index; i--)
      {
         items[i] = items[i - 1];
      }
      items[index] = item;
      count++;
      return true;
   }
   bool Add(const T& item) { return Insert(item, count); }
   i32 Find(const T& item) const
   {
      for (i32 i = 0; i < count; i++)
      {
         if (items[i] == item)
         {
            return i;
         }
      }
      return -1;
   }
   // Keeps the order of the rest.
   void RemoveAt(i32 index)
   {
      if (index < 0 || index >= count)
      {
         return;
      }
      for (i32 i = index; i + 1 < count; i++)
      {
         items[i] = items[i + 1];
      }
      count--;
   }
   bool Remove(const T& item)
   {
      i32 index = Find(item);
      if (index < 0)
      {
         return false;
      }
      RemoveAt(index);
      return true;
   }
   // A value-initialised item when empty.
   T TakeLast() { return count > 0 ? items[--count] : T{}; }
   T& Last() { return items[count - 1]; }
   T& operator[](i32 index) { return items[index]; }
   void Clear() { count = 0; }
};
} // namespace Corvale
