// QuickSort: the unstable in-place quicksort whose exact steps decide the order of equal items
// (event registrations of the same order value rely on it), so it must not be swapped for another.
#pragma once

#include <utility>

namespace Corvale
{
// Sorts the inclusive range [first, last] so that less (a, b) puts a before b.
template <class T, class Less> void QuickSort(T* first, T* last, Less less)
{
   while (first < last)
   {
      T* mid = first + (last - first) / 2;
      if (first == mid)
      {
         if (less(*last, *first))
         {
            std::swap(*first, *last);
         }
         return;
      }
      if (less(*first, *mid))
      {
         std::swap(*first, *mid);
      }
      if (less(*last, *first))
      {
         std::swap(*first, *last);
      }
      T* i = first;
      T* j = last;
      // The pivot stays at first until the partition ends; the scans below never pass it.
      for (;;)
      {
         if (less(*first, *j))
         {
            do
            {
               j--;
            } while (j > first && less(*first, *j));
         }
         bool crossed = false;
         do
         {
            i++;
            if (i >= j)
            {
               crossed = true;
               break;
            }
         } while (less(*i, *first));
         if (crossed)
         {
            break;
         }
         std::swap(*i, *j);
         j--;
      }
      std::swap(*first, *j);
      if (j > first)
      {
         QuickSort(first, j - 1, less);
      }
      first = j + 1;
   }
}
} // namespace Corvale
