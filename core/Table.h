// Table<T>: the engine's growable array, and List<T>: a doubly linked list that recycles its nodes.
// Both take their memory from an Allocator so that the owner chooses the heap.
#pragma once

#include <algorithm>
#include <new>
#include <type_traits>
#include <utility>

#include "core/Allocator.h"
#include "core/Log.h"
#include "core/NodePool.h"
#include "core/QuickSort.h"
#include "core/Types.h"

namespace Corvale
{
// Growth rule of a full table: capacity × 2 + 8 until the request fits (0, 8, 24, 56, 120, ...).
template <class T> struct TableExpansionPolicyDefault
{
   static i32 CapacityNext(i32 capacity, i32 needed)
   {
      i64 next = capacity;
      while (next < needed)
      {
         next = next * 2 + 8;
      }
      return next > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<i32>(next);
   }
};

template <class T, class Policy = TableExpansionPolicyDefault<T>> class Table
{
 public:
   i32 count = 0;
   i32 capacity = 0;
   T* data = nullptr;
   Allocator* allocator = allocatorDefault;

   Table() = default;
   explicit Table(Allocator* allocatorUsed) : allocator(allocatorUsed) {}

   // Copies hold their own buffer on the same allocator.
   Table(const Table& other) : allocator(other.allocator) { CopyFrom(other); }
   Table(Table&& other) noexcept
       : count(other.count), capacity(other.capacity), data(other.data), allocator(other.allocator)
   {
      other.count = 0;
      other.capacity = 0;
      other.data = nullptr;
   }
   Table& operator=(const Table& other)
   {
      if (this != &other)
      {
         Release();
         allocator = other.allocator;
         CopyFrom(other);
      }
      return *this;
   }
   Table& operator=(Table&& other) noexcept
   {
      if (this != &other)
      {
         Release();
         count = other.count;
         capacity = other.capacity;
         data = other.data;
         allocator = other.allocator;
         other.count = 0;
         other.capacity = 0;
         other.data = nullptr;
      }
      return *this;
   }

   ~Table()
   {
      Release();
      allocator = nullptr;
   }

   T& operator[](i32 index) { return data[index]; }
   const T& operator[](i32 index) const { return data[index]; }

   // Index count appends; an index outside 0..count does nothing. False when nothing was added.
   bool Insert(const T& item, i32 index)
   {
      if (count < capacity && index >= 0 && index <= count)
      {
         // The item may live in this table's own buffer, which the shift below overwrites.
         T copy(item);
         return ItemsInsert(&copy, 1, index);
      }
      return ItemsInsert(&item, 1, index);
   }

   // Inserts n items at index (0..count) in their order; items may lie in this table's own
   // buffer. False when nothing was added.
   bool ItemsInsert(const T* items, i32 n, i32 index)
   {
      if (index < 0 || index > count || n < 0 || (n > 0 && !items))
      {
         return false;
      }
      if (n == 0)
      {
         return true;
      }
      if (static_cast<i64>(count) + n > 0x7FFFFFFF)
      {
         WarningPrintf("Table::ItemsInsert -- too many items: %d more than %d\n", n, count);
         return false;
      }
      const uptr first = reinterpret_cast<uptr>(items);
      const bool aliased = data && first + sizeof(T) * n > reinterpret_cast<uptr>(data) &&
                           first < reinterpret_cast<uptr>(data + count);
      if (count + n > capacity || aliased)
      {
         // A new buffer: the source stays readable until the old one goes.
         i32 capacityNew = count + n > capacity ? Policy::CapacityNext(capacity, count + n) : capacity;
         T* buffer = BufferAllocate(capacityNew, "Table::ItemsInsert");
         if (!buffer)
         {
            return false;
         }
         for (i32 i = 0; i < index; i++)
         {
            new (buffer + i) T(std::move(data[i]));
         }
         for (i32 i = 0; i < n; i++)
         {
            new (buffer + index + i) T(items[i]);
         }
         for (i32 i = index; i < count; i++)
         {
            new (buffer + i + n) T(std::move(data[i]));
         }
         ItemsDestroy(data, count);
         BufferFree(data);
         data = buffer;
         capacity = capacityNew;
         count += n;
         return true;
      }
      // In place: the tail moves up n places, into raw slots past count or over live items.
      for (i32 i = count - 1; i >= index; i--)
      {
         if (i + n >= count)
         {
            new (data + i + n) T(std::move(data[i]));
         }
         else
         {
            data[i + n] = std::move(data[i]);
         }
      }
      for (i32 i = 0; i < n; i++)
      {
         if (index + i < count)
         {
            data[index + i] = items[i];
         }
         else
         {
            new (data + index + i) T(items[i]);
         }
      }
      count += n;
      return true;
   }

   // Removes the item at index; the later ones move down, keeping their order.
   bool RemoveAt(i32 index)
   {
      if (index < 0 || index >= count)
      {
         return false;
      }
      for (i32 i = index; i < count - 1; i++)
      {
         data[i] = std::move(data[i + 1]);
      }
      count--;
      ItemsDestroy(data + count, 1);
      return true;
   }

   // Removes the last item and returns it; a default item when the table is empty.
   T TakeLast()
   {
      if (count <= 0)
      {
         return T{};
      }
      T last(std::move(data[count - 1]));
      count--;
      ItemsDestroy(data + count, 1);
      return last;
   }

   // Empties the table; the buffer stays for the items to come.
   void Clear()
   {
      ItemsDestroy(data, count);
      count = 0;
   }

   // Moves to a buffer of exactly n items when n exceeds the capacity.
   bool Reserve(i32 n)
   {
      if (n <= capacity)
      {
         return true;
      }
      return CapacitySet(n, "Table::Reserve");
   }

   // Class items beyond the old count are default-constructed so that they are whole objects
   // (virtual operations included) before anyone fills them.
   bool SizeSet(i32 n)
   {
      if (n < 0)
      {
         WarningPrintf("Table::SizeSet -- negative size %d\n", n);
         return false;
      }
      if (n > capacity && !CapacitySet(n, "Table::SizeSet"))
      {
         return false;
      }
      if (n > count)
      {
         for (i32 i = count; i < n; i++)
         {
            new (data + i) T;
         }
      }
      else
      {
         ItemsDestroy(data + n, count - n);
      }
      count = n;
      return true;
   }

   i32 Find(const T& item) const
   {
      for (i32 i = 0; i < count; i++)
      {
         if (data[i] == item)
         {
            return i;
         }
      }
      return -1;
   }

   // Removes the first equal item; the later ones move down, keeping their order.
   bool Remove(const T& item) { return RemoveAt(Find(item)); }

   // Takes the item at from and puts it at to; the items between shift by one place.
   void Move(i32 to, i32 from)
   {
      if (to == from || to < 0 || from < 0 || to >= count || from >= count)
      {
         return;
      }
      if (to < from)
      {
         std::rotate(data + to, data + from, data + from + 1);
      }
      else
      {
         std::rotate(data + from, data + from + 1, data + to + 1);
      }
   }

   // The unstable QuickSort over the items, for lists whose equal items may trade places.
   template <class Less> void QuickSort(Less less)
   {
      if (count >= 2 && data)
      {
         Corvale::QuickSort(data, data + count - 1, less);
      }
   }

   // Stable sort: items that less (a, b) orders neither way keep their order.
   template <class Less> void Sort(Less less)
   {
      if (count < 2 || !data)
      {
         return;
      }
      Allocator* temp = allocatorTemp ? allocatorTemp : AllocatorGet();
      if (!temp || static_cast<u64>(capacity) * sizeof(T) > 0xFFFFFFFFu ||
          static_cast<u64>(count) * sizeof(T*) > 0xFFFFFFFFu)
      {
         WarningPrintf("Table::Sort -- no scratch memory for %d items\n", count);
         return;
      }
      T* scratch = static_cast<T*>(temp->Allocate(static_cast<u32>(capacity * sizeof(T))));
      T** order = static_cast<T**>(temp->Allocate(static_cast<u32>(count * sizeof(T*))));
      if (!scratch || !order)
      {
         WarningPrintf("Table::Sort -- unable to allocate scratch memory for %d items\n", count);
         if (scratch)
         {
            temp->Free(scratch);
         }
         if (order)
         {
            temp->Free(order);
         }
         return;
      }
      for (i32 i = 0; i < count; i++)
      {
         new (scratch + i) T(data[i]);
         order[i] = scratch + i;
      }
      std::stable_sort(order, order + count, [&less](const T* a, const T* b) { return less(*a, *b); });
      for (i32 i = 0; i < count; i++)
      {
         data[i] = *order[i];
      }
      ItemsDestroy(scratch, count);
      temp->Free(scratch);
      temp->Free(order);
   }

   // A buffer of capacityNew items (null for 0) holding copies of the first itemCount items.
   static T* BufferAllocateCopy(const T* old, i32 itemCount, i32 capacityNew, Allocator* allocatorUsed)
   {
      if (capacityNew <= 0)
      {
         return nullptr;
      }
      if (!allocatorUsed || static_cast<u64>(capacityNew) * sizeof(T) > 0xFFFFFFFFu)
      {
         WarningPrintf("Table::BufferAllocateCopy -- cannot allocate %d items\n", capacityNew);
         return nullptr;
      }
      T* buffer = static_cast<T*>(allocatorUsed->Allocate(static_cast<u32>(capacityNew * sizeof(T))));
      if (!buffer)
      {
         WarningPrintf("Table::BufferAllocateCopy -- unable to allocate %d items\n", capacityNew);
         return nullptr;
      }
      for (i32 i = 0; i < itemCount && i < capacityNew; i++)
      {
         new (buffer + i) T(old[i]);
      }
      return buffer;
   }

 private:
   // Tables constructed before the allocators exist (static objects) pick the default one up late.
   Allocator* AllocatorGet()
   {
      if (!allocator)
      {
         allocator = allocatorDefault;
      }
      return allocator;
   }

   T* BufferAllocate(i32 capacityNew, const char* caller)
   {
      Allocator* used = AllocatorGet();
      if (!used || static_cast<u64>(capacityNew) * sizeof(T) > 0xFFFFFFFFu)
      {
         WarningPrintf("%s -- cannot allocate %d items\n", caller, capacityNew);
         return nullptr;
      }
      T* buffer = static_cast<T*>(used->Allocate(static_cast<u32>(capacityNew * sizeof(T))));
      if (!buffer)
      {
         WarningPrintf("%s -- unable to allocate %d items\n", caller, capacityNew);
      }
      return buffer;
   }

   void BufferFree(T* buffer)
   {
      if (buffer && AllocatorGet())
      {
         allocator->Free(buffer);
      }
   }

   bool CapacitySet(i32 capacityNew, const char* caller)
   {
      T* buffer = BufferAllocate(capacityNew, caller);
      if (!buffer)
      {
         return false;
      }
      for (i32 i = 0; i < count; i++)
      {
         new (buffer + i) T(std::move(data[i]));
      }
      ItemsDestroy(data, count);
      BufferFree(data);
      data = buffer;
      capacity = capacityNew;
      return true;
   }

   static void ItemsDestroy(T* items, i32 n)
   {
      if (!std::is_trivially_destructible<T>::value)
      {
         for (i32 i = 0; i < n; i++)
         {
            items[i].~T();
         }
      }
   }

   void CopyFrom(const Table& other)
   {
      count = 0;
      capacity = 0;
      data = nullptr;
      if (other.count > 0)
      {
         data = BufferAllocateCopy(other.data, other.count, other.count, AllocatorGet());
         if (data)
         {
            count = other.count;
            capacity = other.count;
         }
      }
   }

   void Release()
   {
      if (data)
      {
         ItemsDestroy(data, count);
         BufferFree(data);
      }
      count = 0;
      capacity = 0;
      data = nullptr;
   }
};

template <class T> struct ListNode
{
   ListNode* previous;
   ListNode* next;
   T value;
};

// Doubly linked list between two sentinels; spare nodes are kept in a pool up to poolLimit so that
// frame-by-frame insertion does not allocate. The pool chains them through their next links.
template <class T> class List : public NodePool<ListNode<T>, &ListNode<T>::next>
{
 public:
   typedef ListNode<T> Node;
   typedef NodePool<Node, &Node::next> Pool;
   using Pool::NodePoolSizeSet;
   using Pool::poolLimit;

   i32 count = 0;
   // begin.previous and end.next stay null; only their links are used.
   Node begin;
   Node end;

   List() : begin(), end()
   {
      begin.previous = nullptr;
      begin.next = &end;
      end.previous = &begin;
      end.next = nullptr;
   }
   explicit List(Allocator* allocatorUsed) : List() { this->allocator = allocatorUsed; }
   // The sentinels are linked by address, so a list never moves.
   List(const List&) = delete;
   List& operator=(const List&) = delete;

   ~List()
   {
      poolLimit = 0;
      Clear();
      NodePoolSizeSet(0);
   }

   Node* First() { return begin.next; }
   Node* End() { return &end; }

   bool PushBack(const T& value) { return InsertBefore(&end, value) != nullptr; }

   // Links a new node before the given one (the end sentinel appends); null when out of memory.
   Node* InsertBefore(Node* position, const T& value)
   {
      if (!position || position == &begin)
      {
         return nullptr;
      }
      Node* node = this->NodeTake("List::PushBack");
      if (!node)
      {
         return nullptr;
      }
      new (&node->value) T(value);
      node->previous = position->previous;
      node->next = position;
      position->previous->next = node;
      position->previous = node;
      count++;
      return node;
   }

   // Unlinks a node and recycles it; returns the node that followed it.
   Node* Remove(Node* node)
   {
      if (!node || node == &begin || node == &end)
      {
         return &end;
      }
      Node* next = node->next;
      node->previous->next = next;
      next->previous = node->previous;
      count--;
      NodeGive(node);
      return next;
   }

   Node* Find(const T& value)
   {
      for (Node* node = begin.next; node != &end; node = node->next)
      {
         if (node->value == value)
         {
            return node;
         }
      }
      return nullptr;
   }

   // Nodes go to the pool while it has room, the rest back to the heap.
   void Clear()
   {
      Node* node = begin.next;
      begin.next = &end;
      end.previous = &begin;
      while (node != &end)
      {
         Node* next = node->next;
         // Counted out first: a node still counted as in use would make the pool look full.
         count--;
         NodeGive(node);
         node = next;
      }
      count = 0;
   }

 private:
   // The value is destroyed; the node goes to the pool while it has room, else back to the heap.
   void NodeGive(Node* node)
   {
      node->value.~T();
      this->NodeRecycle(node, count);
   }
};
} // namespace Corvale
