// Records of reflected classes: their saved members (fields) and reflected bases, and the templates
// that bind a record to its C++ class. A reflected class and its reflected bases must share their
// address (single inheritance of classes with virtual operations), since fields of every base are
// read through the one instance pointer.
#pragma once

#include <type_traits>
#include <typeinfo>

#include "core/Log.h"
#include "core/Memory.h"
#include "core/ReflectionManager.h"
#include "core/ReflectionType.h"
#include "core/Table.h"

namespace Corvale
{
class JSONValue;

// One saved member of class X, of value type T.
template <class X, class T> class ReflectionFieldTyped : public ReflectionField
{
 public:
   typedef T X::*Member;

   explicit ReflectionFieldTyped(Member memberUsed = nullptr) : member(memberUsed) {}

   void Deinit() override
   {
      member = nullptr;
      ReflectionField::Deinit();
   }

   bool JSONSave(void* object, JSONValue* value, const ReflectionContext& context) override
   {
      if (!object || !member || !value)
      {
         return false;
      }
      return ReflectionManager::JSONSave<T>(&(static_cast<X*>(object)->*member), value, context);
   }

   bool JSONLoad(void* object, JSONValue* value, const ReflectionContext& context) override
   {
      if (!object || !member)
      {
         return false;
      }
      return ReflectionManager::JSONLoad<T>(&(static_cast<X*>(object)->*member), value, context);
   }

   Member member;
};

class ReflectionTypeObject : public ReflectionType
{
 public:
   ReflectionTypeObject();

   void Deinit() override;
   // Keeps a value that already describes this very type, so keys no field writes survive.
   bool JSONSave(void* instance, JSONValue* value, const ReflectionContext& context) override;
   // Base fields load first; "___Type" is not read: the record chosen by the caller decides.
   bool JSONLoad(void* instance, JSONValue* value, const ReflectionContext& context) override;
   // The record that "___Type" names; without one, this record unless it has bases.
   ReflectionType* TypeOfJSONGet(const JSONValue* value) override;

   // typeid name of a reflected base class; every class here registers at most its direct base.
   bool BaseAdd(const char* baseTypeName);

   template <class X, class T> bool FieldAdd(T X::*member, const char* key)
   {
      ReflectionFieldTyped<X, T>* field = MemoryNew<ReflectionFieldTyped<X, T>>(HEAP_DEFAULT, member);
      if (!field)
      {
         WarningPrintf("ReflectionTypeObject::FieldAdd -- unable to create the field %s\n", key ? key : "");
         return false;
      }
      field->name = StringDuplicate(key, HEAP_DEFAULT);
      field->typeName = StringDuplicate(typeid(T).name(), HEAP_DEFAULT);
      if (!field->name || !field->typeName || !fields.Insert(field, fields.count))
      {
         WarningPrintf("ReflectionTypeObject::FieldAdd -- unable to add the field %s\n", key ? key : "");
         field->Deinit();
         MemoryDelete(field);
         return false;
      }
      return true;
   }

   // Saves the fields of the farthest base first, then this record's own, into an object value.
   bool FieldsSave(void* instance, JSONValue* value, const ReflectionContext& context);

   Table<ReflectionField*> fields;
   Table<char*> baseTypeNames;

 protected:
   // The record of the reflected name an instance reports; this record for a null name.
   ReflectionType* TypeByReflectedNameGet(const char* reflectedName);
};

namespace ReflectionDetail
{
// Classes report their reflected name through ReflectionTypeNameGet; one without it is found by
// its dynamic typeid name instead.
template <class X, class = void> struct HasReflectionTypeNameGet : std::false_type
{
};
template <class X>
struct HasReflectionTypeNameGet<X, std::void_t<decltype(std::declval<const X&>().ReflectionTypeNameGet())>>
    : std::true_type
{
};
} // namespace ReflectionDetail

// The record of a class that reflection never creates (an abstract game base).
template <class X> class ReflectionTypeObjectTypedAbstract : public ReflectionTypeObject
{
 public:
   // Names the record (reflected name, typeid names of X and X*).
   bool Init(const char* nameNew) { return TypeNamesSet<X>(nameNew); }

   void* InstanceNew(i32, const ReflectionContext&) override { return nullptr; }
   void InstanceDelete(void**, const ReflectionContext&) override {}

   ReflectionType* TypeOfInstanceGet(void* instance, const ReflectionContext&) override
   {
      if (!instance)
      {
         return this;
      }
      const X* object = static_cast<const X*>(instance);
      if constexpr (ReflectionDetail::HasReflectionTypeNameGet<X>::value)
      {
         return TypeByReflectedNameGet(object->ReflectionTypeNameGet());
      }
      else if constexpr (std::is_polymorphic<X>::value)
      {
         return ReflectionManager::TypeGet(typeid(*object).name());
      }
      else
      {
         return this;
      }
   }
};

// The record of a class that reflection may create, with its optional init and release operations.
template <class X> class ReflectionTypeObjectTyped : public ReflectionTypeObjectTypedAbstract<X>
{
 public:
   typedef void (X::*Method)();
   typedef void (X::*MethodWithContext)(const ReflectionContext&);

   void Deinit() override
   {
      initMethod = nullptr;
      initWithContextMethod = nullptr;
      deinitMethod = nullptr;
      deinitWithContextMethod = nullptr;
      ReflectionTypeObjectTypedAbstract<X>::Deinit();
   }

   void* InstanceNew(i32 heapId, const ReflectionContext&) override { return MemoryNew<X>(heapId); }

   void InstanceInit(void* instance, const ReflectionContext& context) override
   {
      Call(instance, initWithContextMethod, initMethod, context);
   }

   void InstanceCleanup(void* instance, const ReflectionContext& context) override
   {
      Call(instance, deinitWithContextMethod, deinitMethod, context);
   }

   // The release operation has run before this, so the destructor finds nothing left to free.
   void InstanceDelete(void** slot, const ReflectionContext&) override
   {
      if (slot && *slot)
      {
         MemoryDelete(static_cast<X*>(*slot));
         *slot = nullptr;
      }
   }

   Method initMethod = nullptr;
   MethodWithContext initWithContextMethod = nullptr;
   Method deinitMethod = nullptr;
   MethodWithContext deinitWithContextMethod = nullptr;

 private:
   static void Call(void* instance, MethodWithContext withContext, Method without,
                    const ReflectionContext& context)
   {
      if (!instance)
      {
         return;
      }
      X* object = static_cast<X*>(instance);
      if (withContext)
      {
         (object->*withContext)(context);
      }
      else if (without)
      {
         (object->*without)();
      }
   }
};
} // namespace Corvale
