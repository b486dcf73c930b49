// The registry of reflected types and the generic save, load and clean-up through which every
// value of the program reaches JSON: the type record is picked from the value's typeid name.
#pragma once

#include <type_traits>
#include <typeinfo>

#include "core/ReflectionType.h"
#include "core/Table.h"
#include "core/Types.h"

namespace Corvale
{
class JSONValue;

class ReflectionManager
{
 public:
   // Registers the thirteen basic types; does not look for earlier registrations.
   static void Init();
   // Deinitialises and deletes every record, then frees the table.
   static void Deinit();
   static void TypeRegister(ReflectionType* type);

   // First record whose typeName, name or pointerTypeName equals the text; null when none.
   static ReflectionType* TypeGet(const char* typeName);
   static ReflectionType* TypeByNameGet(const char* name);
   static ReflectionType* TypeByPointerNameGet(const char* pointerTypeName);
   // Every record in registration order.
   static const Table<ReflectionType*>& TypesGet() { return types; }

   // Whether the class record of type is base itself or has base among its reflected ancestors.
   static bool TypeDerivesCheck(ReflectionType* type, ReflectionType* base);

   template <class T> static bool JSONSave(T* object, JSONValue* value, const ReflectionContext& context)
   {
      if (!object || !value)
      {
         return false;
      }
      const char* key = KeyGet(object);
      ReflectionType* direct = TypeGet(key);
      if (direct)
      {
         return direct->JSONSave(const_cast<void*>(static_cast<const void*>(object)), value, context);
      }
      return PointerSave(PointerTypeGet<T>(key), PointeeGet(object), value, typeid(T).name(), context);
   }

   // A null value or a written JSON null leaves a pointer null, releasing the object it held; the
   // shared null value (a missing key) fails and leaves it alone.
   template <class T> static bool JSONLoad(T* object, JSONValue* value, const ReflectionContext& context)
   {
      if (!object)
      {
         return false;
      }
      const char* key = KeyGet(object);
      ReflectionType* direct = TypeGet(key);
      if (direct)
      {
         return direct->JSONLoad(const_cast<void*>(static_cast<const void*>(object)), value, context);
      }
      ReflectionType* pointerType = PointerTypeGet<T>(key);
      if constexpr (std::is_pointer<T>::value)
      {
         void* pointee = PointeeGet(object);
         bool result = PointerLoad(pointerType, &pointee, value, typeid(T).name(), context);
         *object = static_cast<T>(pointee);
         return result;
      }
      else
      {
         return PointerLoad(nullptr, nullptr, value, typeid(T).name(), context);
      }
   }

   template <class T> static void InstanceCleanup(T* object, const ReflectionContext& context)
   {
      if (!object)
      {
         return;
      }
      const char* key = KeyGet(object);
      ReflectionType* direct = TypeGet(key);
      if (direct)
      {
         direct->InstanceCleanup(const_cast<void*>(static_cast<const void*>(object)), context);
         return;
      }
      ReflectionType* pointerType = PointerTypeGet<T>(key);
      if (!pointerType)
      {
         UnknownCleanupReport(typeid(T).name());
         return;
      }
      if constexpr (std::is_pointer<T>::value)
      {
         void* pointee = PointeeGet(object);
         PointerCleanup(pointerType, &pointee, context);
         *object = static_cast<T>(pointee);
      }
   }

 private:
   // Classes with virtual operations are looked up by their most derived type.
   template <class T> static const char* KeyGet(T* object)
   {
      if constexpr (std::is_polymorphic<T>::value)
      {
         return typeid(*object).name();
      }
      else
      {
         (void)object;
         return typeid(T).name();
      }
   }

   // A record found by pointer name describes the pointee, which only a pointer value has.
   template <class T> static ReflectionType* PointerTypeGet(const char* key)
   {
      if constexpr (std::is_pointer<T>::value)
      {
         return TypeByPointerNameGet(key);
      }
      else
      {
         (void)key;
         return nullptr;
      }
   }

   template <class T> static void* PointeeGet(T* object)
   {
      if constexpr (std::is_pointer<T>::value)
      {
         return const_cast<void*>(static_cast<const void*>(*object));
      }
      else
      {
         (void)object;
         return nullptr;
      }
   }

   static bool PointerSave(ReflectionType* pointerType, void* pointee, JSONValue* value,
                           const char* staticName, const ReflectionContext& context);
   static bool PointerLoad(ReflectionType* pointerType, void** pointee, JSONValue* value,
                           const char* staticName, const ReflectionContext& context);
   static void PointerCleanup(ReflectionType* pointerType, void** pointee, const ReflectionContext& context);
   static void UnknownCleanupReport(const char* staticName);

   static Table<ReflectionType*> types;
};
} // namespace Corvale
