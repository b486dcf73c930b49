// ResourceCache<T>: resources shared by name with reference counts (textures, images, fonts, sounds).
// The key also holds the file manager the resource came from, so one name in two archives gives two
// entries; the last release hands the resource back to its manager for destruction.
#pragma once

#include <cstring>

#include "core/Allocator.h"
#include "core/Map.h"
#include "core/Memory.h"
#include "core/StringHelpers.h"
#include "core/Types.h"

namespace Corvale
{
class FileManager;

struct ResourceCacheKey
{
   u32 crc = 0;
   const char* name = nullptr;
   FileManager* context = nullptr;
};

// CRC first, then the file manager, then the name byte by byte.
inline bool ResourceCacheKeyLess(const ResourceCacheKey* a, const ResourceCacheKey* b)
{
   if (a->crc != b->crc)
   {
      return a->crc < b->crc;
   }
   if (a->context != b->context)
   {
      return reinterpret_cast<uptr>(a->context) < reinterpret_cast<uptr>(b->context);
   }
   return std::strcmp(a->name, b->name) < 0;
}

template <class T> class ResourceCache
{
 public:
   struct Entry
   {
      i32 referenceCount;
      T* resource;
      // A block of the owning manager's own (0 when added); the manager frees it.
      void* extra;
   };
   typedef Map<ResourceCacheKey, Entry*> EntryMap;
   typedef typename EntryMap::Iterator Iterator;

   i32 heapId;
   EntryMap map;

   explicit ResourceCache(i32 heapIdUsed = HEAP_DEFAULT)
       : heapId(heapIdUsed), map(&ResourceCacheKeyLess, allocatorHeaps[heapIdUsed])
   {
   }
   ResourceCache(const ResourceCache&) = delete;
   ResourceCache& operator=(const ResourceCache&) = delete;
   ~ResourceCache() { Clear(); }

   // The resource with one more reference, or null.
   T* Get(const char* name, FileManager* context)
   {
      Entry* entry = EntryFind(name, context);
      if (!entry)
      {
         return nullptr;
      }
      entry->referenceCount++;
      return entry->resource;
   }

   // The resource without touching its count, or null.
   T* Find(const char* name, FileManager* context)
   {
      Entry* entry = EntryFind(name, context);
      return entry ? entry->resource : nullptr;
   }

   // Callers add only after Get failed; the cache keeps its own copy of the name.
   void Add(const char* name, FileManager* context, T* resource)
   {
      if (!name || !resource)
      {
         return;
      }
      if (!map.allocator)
      {
         map.allocator = allocatorHeaps[heapId];
      }
      char* copy = StringDuplicate(name, heapId);
      Entry* entry = static_cast<Entry*>(MemoryAllocate(sizeof(Entry), heapId, MEMORY_ALIGNMENT_MIN));
      if (!copy || !entry)
      {
         WarningPrintf("ResourceCache::Add -- unable to allocate the entry of \"%s\"\n", name);
         MemoryFree(copy);
         MemoryFree(entry);
         return;
      }
      entry->referenceCount = 1;
      entry->resource = resource;
      entry->extra = nullptr;
      ResourceCacheKey key;
      key.crc = StringCRC32(copy);
      key.name = copy;
      key.context = context;
      if (!map.Insert(key, entry))
      {
         // Present already (or out of memory): the caller broke the Get-before-Add rule.
         WarningPrintf("ResourceCache::Add -- unable to add \"%s\"\n", name);
         MemoryFree(copy);
         MemoryFree(entry);
      }
   }

   // Drops one reference; returns the resource when that was the last one (the caller destroys it).
   T* Release(const char* name, FileManager* context)
   {
      if (!name)
      {
         return nullptr;
      }
      ResourceCacheKey key = KeyMake(name, context);
      return NodeRelease(map.Find(key));
   }

   bool ResourceFind(const T* resource, Iterator* iterator)
   {
      for (typename EntryMap::Node* node = map.First(); node != map.End(); node = map.Next(node))
      {
         if (node->value->resource == resource)
         {
            if (iterator)
            {
               iterator->node = node;
               iterator->map = &map;
            }
            return true;
         }
      }
      return false;
   }

   T* ResourceRelease(const T* resource)
   {
      Iterator iterator;
      if (!ResourceFind(resource, &iterator))
      {
         return nullptr;
      }
      return NodeRelease(iterator.node);
   }

   // Frees every name copy and entry; the resources are their managers' to destroy.
   void Clear()
   {
      for (typename EntryMap::Node* node = map.First(); node != map.End(); node = map.Next(node))
      {
         MemoryFree(const_cast<char*>(node->key.name));
         MemoryFree(node->value);
      }
      map.Clear();
   }

 private:
   static ResourceCacheKey KeyMake(const char* name, FileManager* context)
   {
      ResourceCacheKey key;
      key.crc = StringCRC32(name);
      key.name = name;
      key.context = context;
      return key;
   }

   Entry* EntryFind(const char* name, FileManager* context)
   {
      if (!name)
      {
         return nullptr;
      }
      typename EntryMap::Node* node = map.Find(KeyMake(name, context));
      return node == map.End() ? nullptr : node->value;
   }

   T* NodeRelease(typename EntryMap::Node* node)
   {
      if (node == map.End())
      {
         return nullptr;
      }
      Entry* entry = node->value;
      if (--entry->referenceCount > 0)
      {
         return nullptr;
      }
      T* resource = entry->resource;
      // The key still points at the name copy, which must outlive the removal.
      ResourceCacheKey key = node->key;
      map.Remove(key);
      MemoryFree(const_cast<char*>(key.name));
      MemoryFree(entry);
      return resource;
   }
};
} // namespace Corvale
