// Type and field records of the reflection system: a ReflectionType describes how values of one
// type are created, released and written to or read from JSON; a ReflectionField names one member.
#pragma once

#include <typeinfo>

#include "core/Types.h"

namespace Corvale
{
class JSONValue;

// Handed unchanged through every nested save, load, creation and clean-up, and to the init and
// release operations of reflected classes that take it. Nothing reads it yet: callers pass {}.
struct ReflectionContext
{
};

class ReflectionType
{
 public:
   ReflectionType() = default;
   ReflectionType(const ReflectionType&) = delete;
   ReflectionType& operator=(const ReflectionType&) = delete;
   // Does not free the names: Deinit does, before the registry deletes the record.
   virtual ~ReflectionType() = default;

   // Copies the three names into HEAP_DEFAULT; false (names untouched) when a copy fails.
   bool NamesSet(const char* nameNew, const char* typeNameNew, const char* pointerTypeNameNew);
   // The names of T and T* as typeid gives them, under the reflected name.
   template <class T> bool TypeNamesSet(const char* nameNew)
   {
      return NamesSet(nameNew, typeid(T).name(), typeid(T*).name());
   }

   virtual void Deinit();
   virtual void* InstanceNew(i32 heapId, const ReflectionContext& context) = 0;
   virtual void InstanceInit(void* instance, const ReflectionContext& context);
   virtual void InstanceCleanup(void* instance, const ReflectionContext& context);
   // Frees *slot and nulls it.
   virtual void InstanceDelete(void** slot, const ReflectionContext& context) = 0;
   // The record of the most derived type of the instance, or of what the JSON value describes.
   virtual ReflectionType* TypeOfInstanceGet(void* instance, const ReflectionContext& context);
   virtual ReflectionType* TypeOfJSONGet(const JSONValue* value);
   virtual bool JSONSave(void* instance, JSONValue* value, const ReflectionContext& context) = 0;
   virtual bool JSONLoad(void* instance, JSONValue* value, const ReflectionContext& context) = 0;

   // The reflected name, written under "___Type" for classes with a base.
   char* name = nullptr;
   // typeid names of T and T*.
   char* typeName = nullptr;
   char* pointerTypeName = nullptr;
};

class ReflectionField
{
 public:
   ReflectionField() = default;
   ReflectionField(const ReflectionField&) = delete;
   ReflectionField& operator=(const ReflectionField&) = delete;
   virtual ~ReflectionField() = default;

   virtual void Deinit();
   virtual bool JSONSave(void* object, JSONValue* value, const ReflectionContext& context) = 0;
   virtual bool JSONLoad(void* object, JSONValue* value, const ReflectionContext& context) = 0;

   // The JSON key.
   char* name = nullptr;
   // typeid name of the member's type.
   char* typeName = nullptr;
};
} // namespace Corvale
