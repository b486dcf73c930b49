// The reflected record of Table<T>: a JSON array, one element per item, each item saved and
// loaded through the generic reflection of T.
#pragma once

#include <type_traits>
#include <typeinfo>

#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/ReflectionManager.h"
#include "core/ReflectionType.h"
#include "core/Table.h"

namespace Corvale
{
template <class T> class ReflectionTypeTable : public ReflectionType
{
 public:
   typedef Table<T> TableType;

   // Names the record ("Table<int>") after Table<T> and Table<T>*.
   bool Init(const char* nameNew) { return TypeNamesSet<TableType>(nameNew); }

   // The allocator stays null until InstanceInit picks the default one.
   void* InstanceNew(i32 heapId, const ReflectionContext&) override
   {
      return MemoryNew<TableType>(heapId, static_cast<Allocator*>(nullptr));
   }

   void InstanceInit(void* instance, const ReflectionContext&) override
   {
      if (instance)
      {
         static_cast<TableType*>(instance)->allocator = allocatorDefault;
      }
   }

   void InstanceCleanup(void* instance, const ReflectionContext& context) override
   {
      if (!instance)
      {
         return;
      }
      TableType* table = static_cast<TableType*>(instance);
      for (i32 i = 0; i < table->count; i++)
      {
         ReflectionManager::InstanceCleanup<T>(&(*table)[i], context);
      }
      *table = TableType(static_cast<Allocator*>(nullptr));
   }

   void InstanceDelete(void** slot, const ReflectionContext&) override
   {
      if (slot)
      {
         MemoryDelete(static_cast<TableType*>(*slot));
         *slot = nullptr;
      }
   }

   bool JSONSave(void* instance, JSONValue* value, const ReflectionContext& context) override
   {
      if (!instance || !value)
      {
         return false;
      }
      TableType* table = static_cast<TableType*>(instance);
      if (value->TypeGet() != JSONValue::TYPE_ARRAY)
      {
         value->ArraySet();
      }
      value->CountSet(table->count);
      if (value != &JSONValue::nullValue && value->CountGet() != table->count)
      {
         WarningPrintf("ReflectionTypeTable::JSONSave -- unable to make an array of %d items for %s\n",
                       table->count, name ? name : "");
         return false;
      }
      bool ok = true;
      for (i32 i = 0; i < table->count; i++)
      {
         ok = ReflectionManager::JSONSave<T>(&(*table)[i], value->ElementGet(i), context) && ok;
      }
      return ok;
   }

   bool JSONLoad(void* instance, JSONValue* value, const ReflectionContext& context) override
   {
      if (!instance || !value || value->TypeGet() != JSONValue::TYPE_ARRAY)
      {
         return false;
      }
      TableType* table = static_cast<TableType*>(instance);
      i32 n = value->CountGet();
      i32 old = table->count;
      for (i32 i = n; i < old; i++)
      {
         ReflectionManager::InstanceCleanup<T>(&(*table)[i], context);
      }
      if (!table->SizeSet(n))
      {
         WarningPrintf("ReflectionTypeTable::JSONLoad -- unable to hold %d items for %s\n", n,
                       name ? name : "");
         return false;
      }
      if (n > old)
      {
         if constexpr (std::is_scalar<T>::value)
         {
            // Numbers and pointers start at zero, so that an item whose load fails is still defined.
            for (i32 i = old; i < n; i++)
            {
               (*table)[i] = T();
            }
         }
         else
         {
            ReflectionType* itemType = ReflectionManager::TypeGet(typeid(T).name());
            for (i32 i = old; itemType && i < n; i++)
            {
               itemType->InstanceInit(&(*table)[i], context);
            }
         }
      }
      bool ok = true;
      for (i32 i = 0; i < n; i++)
      {
         ok = ReflectionManager::JSONLoad<T>(&(*table)[i], value->ElementGet(i), context) && ok;
      }
      return ok;
   }
};
} // namespace Corvale
