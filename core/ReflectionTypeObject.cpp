// Saving and loading of reflected classes: one JSON object per instance holding the fields of the
// class and of its reflected bases, plus "___Type" for classes that have a base.
#include "core/ReflectionTypeObject.h"

#include <cstring>

#include "core/JSONValue.h"

namespace Corvale
{
namespace
{
const char* const TYPE_KEY = "___Type";

ReflectionTypeObject* ObjectRecordGet(const char* typeName)
{
   return dynamic_cast<ReflectionTypeObject*>(ReflectionManager::TypeGet(typeName));
}
} // namespace

ReflectionTypeObject::ReflectionTypeObject()
{
   Memory::FirstUse();
   fields.allocator = allocatorDefault;
   baseTypeNames.allocator = allocatorDefault;
}

void ReflectionTypeObject::Deinit()
{
   for (i32 i = 0; i < fields.count; i++)
   {
      if (fields[i])
      {
         fields[i]->Deinit();
         MemoryDelete(fields[i]);
      }
   }
   for (i32 i = 0; i < baseTypeNames.count; i++)
   {
      MemoryFree(baseTypeNames[i]);
   }
   fields = Table<ReflectionField*>(allocatorDefault);
   baseTypeNames = Table<char*>(allocatorDefault);
   ReflectionType::Deinit();
}

bool ReflectionTypeObject::BaseAdd(const char* baseTypeName)
{
   char* copy = StringDuplicate(baseTypeName, HEAP_DEFAULT);
   if (!copy || !baseTypeNames.Insert(copy, baseTypeNames.count))
   {
      WarningPrintf("ReflectionTypeObject::BaseAdd -- unable to add a base to %s\n", name ? name : "");
      MemoryFree(copy);
      return false;
   }
   return true;
}

bool ReflectionTypeObject::FieldsSave(void* instance, JSONValue* value, const ReflectionContext& context)
{
   bool ok = true;
   for (i32 i = 0; i < baseTypeNames.count; i++)
   {
      // Unreflected bases (the game base's menu state) have nothing to save.
      ReflectionTypeObject* base = ObjectRecordGet(baseTypeNames[i]);
      if (base && base != this)
      {
         ok = base->FieldsSave(instance, value, context) && ok;
      }
   }
   for (i32 i = 0; i < fields.count; i++)
   {
      ReflectionField* field = fields[i];
      if (!field || !field->name)
      {
         continue;
      }
      JSONValue* item = value->ItemEnsure(field->name);
      ok = field->JSONSave(instance, item, context) && ok;
   }
   return ok;
}

bool ReflectionTypeObject::JSONSave(void* instance, JSONValue* value, const ReflectionContext& context)
{
   if (!instance || !value)
   {
      return false;
   }
   bool shared = value == &JSONValue::nullValue;
   if (TypeOfJSONGet(value) != this && !shared)
   {
      value->Clear();
   }
   if (value->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      value->ObjectSet();
      if (!shared && value->TypeGet() != JSONValue::TYPE_OBJECT)
      {
         WarningPrintf("ReflectionTypeObject::JSONSave -- unable to make an object for %s\n",
                       name ? name : "");
         return false;
      }
   }
   bool ok = FieldsSave(instance, value, context);
   if (baseTypeNames.count > 0)
   {
      JSONValue* typeItem = value->ItemGetOrAdd(TYPE_KEY);
      if (typeItem)
      {
         typeItem->StringSet(name);
      }
      else if (!shared)
      {
         ok = false;
      }
   }
   else
   {
      value->ItemRemove(TYPE_KEY);
   }
   return ok;
}

bool ReflectionTypeObject::JSONLoad(void* instance, JSONValue* value, const ReflectionContext& context)
{
   if (!instance || !value || value->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      return false;
   }
   bool ok = true;
   for (i32 i = 0; i < baseTypeNames.count; i++)
   {
      ReflectionTypeObject* base = ObjectRecordGet(baseTypeNames[i]);
      if (base && base != this)
      {
         ok = base->JSONLoad(instance, value, context) && ok;
      }
   }
   for (i32 i = 0; i < fields.count; i++)
   {
      ReflectionField* field = fields[i];
      if (!field || !field->name)
      {
         ok = false;
         continue;
      }
      // A missing key reads as the shared null value, which fails that field alone.
      ok = field->JSONLoad(instance, value->ItemGet(field->name), context) && ok;
   }
   return ok;
}

ReflectionType* ReflectionTypeObject::TypeOfJSONGet(const JSONValue* value)
{
   if (!value || value->TypeGet() != JSONValue::TYPE_OBJECT || !name)
   {
      return nullptr;
   }
   const char* typeText = value->ItemGet(TYPE_KEY)->StringValueGet();
   if (!typeText)
   {
      return baseTypeNames.count == 0 ? this : nullptr;
   }
   if (std::strcmp(typeText, name) == 0)
   {
      return this;
   }
   return ReflectionManager::TypeByNameGet(typeText);
}

ReflectionType* ReflectionTypeObject::TypeByReflectedNameGet(const char* reflectedName)
{
   if (!reflectedName)
   {
      return this;
   }
   return ReflectionManager::TypeByNameGet(reflectedName);
}
} // namespace Corvale
