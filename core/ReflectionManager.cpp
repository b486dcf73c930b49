// The registry of reflected types and the pointer half of the generic save, load and clean-up.
#include "core/ReflectionManager.h"

#include <cstring>

#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/ReflectionTypeBasic.h"
#include "core/ReflectionTypeObject.h"

namespace Corvale
{
Table<ReflectionType*> ReflectionManager::types;

namespace
{
template <class R> void BasicRegister(const char* name)
{
   R* record = MemoryNew<R>(HEAP_DEFAULT);
   if (!record)
   {
      WarningPrintf("ReflectionManager::Init -- unable to create the type %s\n", name);
      return;
   }
   if (!record->template TypeNamesSet<typename R::ValueType>(name))
   {
      MemoryDelete(record);
      return;
   }
   ReflectionManager::TypeRegister(record);
}

bool TextEqual(const char* a, const char* b)
{
   return a && b && std::strcmp(a, b) == 0;
}
} // namespace

void ReflectionManager::Init()
{
   Memory::FirstUse();
   types.allocator = allocatorDefault;
   BasicRegister<ReflectionTypeBool>("bool");
   BasicRegister<ReflectionTypeInt>("int");
   BasicRegister<ReflectionTypeUnsignedInt>("unsigned int");
   BasicRegister<ReflectionTypeFloat>("float");
   BasicRegister<ReflectionTypeDouble>("double");
   BasicRegister<ReflectionTypeCString>("const char*");
   BasicRegister<ReflectionTypePoint2I>("Corvale::Point2I");
   BasicRegister<ReflectionTypePoint2F>("Corvale::Point2F");
   BasicRegister<ReflectionTypePoint3F>("Corvale::Point3F");
   BasicRegister<ReflectionTypeBox2F>("Corvale::Box2F");
   BasicRegister<ReflectionTypeBox3F>("Corvale::Box3F");
   BasicRegister<ReflectionTypeColorRGBA8>("Corvale::ColorRGBA8");
   BasicRegister<ReflectionTypeJSONValue>("Corvale::JSONValue");
}

void ReflectionManager::Deinit()
{
   for (i32 i = 0; i < types.count; i++)
   {
      ReflectionType* type = types[i];
      if (type)
      {
         type->Deinit();
         MemoryDelete(type);
      }
      types[i] = nullptr;
   }
   // Buffer, count and allocator all go, as before Init.
   types = Table<ReflectionType*>(static_cast<Allocator*>(nullptr));
}

void ReflectionManager::TypeRegister(ReflectionType* type)
{
   if (!type)
   {
      WarningPrintf("ReflectionManager::TypeRegister -- no type given\n");
      return;
   }
   if (!types.Insert(type, types.count))
   {
      WarningPrintf("ReflectionManager::TypeRegister -- unable to register %s\n",
                    type->name ? type->name : "");
   }
}

ReflectionType* ReflectionManager::TypeGet(const char* typeName)
{
   for (i32 i = 0; i < types.count; i++)
   {
      if (types[i] && TextEqual(types[i]->typeName, typeName))
      {
         return types[i];
      }
   }
   return nullptr;
}

ReflectionType* ReflectionManager::TypeByNameGet(const char* name)
{
   for (i32 i = 0; i < types.count; i++)
   {
      if (types[i] && TextEqual(types[i]->name, name))
      {
         return types[i];
      }
   }
   return nullptr;
}

ReflectionType* ReflectionManager::TypeByPointerNameGet(const char* pointerTypeName)
{
   for (i32 i = 0; i < types.count; i++)
   {
      if (types[i] && TextEqual(types[i]->pointerTypeName, pointerTypeName))
      {
         return types[i];
      }
   }
   return nullptr;
}

bool ReflectionManager::TypeDerivesCheck(ReflectionType* type, ReflectionType* base)
{
   if (!type || !base)
   {
      return false;
   }
   if (type == base)
   {
      return true;
   }
   ReflectionTypeObject* object = dynamic_cast<ReflectionTypeObject*>(type);
   if (!object)
   {
      return false;
   }
   for (i32 i = 0; i < object->baseTypeNames.count; i++)
   {
      ReflectionType* parent = TypeGet(object->baseTypeNames[i]);
      // A class registered as its own base would loop for ever.
      if (parent != type && TypeDerivesCheck(parent, base))
      {
         return true;
      }
   }
   return false;
}

bool ReflectionManager::PointerSave(ReflectionType* pointerType, void* pointee, JSONValue* value,
                                    const char* staticName, const ReflectionContext& context)
{
   ReflectionType* dynamicType = pointerType ? pointerType->TypeOfInstanceGet(pointee, context) : nullptr;
   if (dynamicType)
   {
      if (!pointee)
      {
         value->NullSet();
         return true;
      }
      return dynamicType->JSONSave(pointee, value, context);
   }
   WarningPrintf("ReflectionManager::JSONSave -- Unable to save object of type: %s\n", staticName);
   if (value != &JSONValue::nullValue)
   {
      value->Clear();
   }
   return false;
}

bool ReflectionManager::PointerLoad(ReflectionType* pointerType, void** pointee, JSONValue* value,
                                    const char* staticName, const ReflectionContext& context)
{
   ReflectionType* current = pointerType ? pointerType->TypeOfInstanceGet(*pointee, context) : nullptr;
   if (current && value == &JSONValue::nullValue)
   {
      // A missing key: the member keeps what it holds, as every other field does.
      return false;
   }
   if (current)
   {
      // A null pointer saves as JSON null, so JSON null must give the null pointer back.
      if (!value || value->TypeGet() == JSONValue::TYPE_NULL)
      {
         if (*pointee)
         {
            current->InstanceCleanup(*pointee, context);
            current->InstanceDelete(pointee, context);
         }
         return true;
      }
      ReflectionType* wanted = pointerType->TypeOfJSONGet(value);
      if (wanted && !TypeDerivesCheck(wanted, pointerType))
      {
         // An unrelated class in the slot would be used through the wrong type later.
         WarningPrintf("ReflectionManager::JSONLoad -- Refused type %s for object of type: %s\n",
                       wanted->name ? wanted->name : "", staticName);
         return false;
      }
      if (wanted)
      {
         if (*pointee && wanted != current)
         {
            current->InstanceCleanup(*pointee, context);
            current->InstanceDelete(pointee, context);
         }
         if (*pointee)
         {
            return wanted->JSONLoad(*pointee, value, context);
         }
         *pointee = wanted->InstanceNew(HEAP_DEFAULT, context);
         if (*pointee)
         {
            wanted->InstanceInit(*pointee, context);
            return wanted->JSONLoad(*pointee, value, context);
         }
      }
   }
   WarningPrintf("ReflectionManager::JSONLoad -- Unable to load object of type: %s\n", staticName);
   return false;
}

void ReflectionManager::PointerCleanup(ReflectionType* pointerType, void** pointee,
                                       const ReflectionContext& context)
{
   if (!*pointee)
   {
      return;
   }
   // The most derived record releases and destroys the object whole.
   ReflectionType* current = pointerType->TypeOfInstanceGet(*pointee, context);
   if (!current)
   {
      current = pointerType;
   }
   current->InstanceCleanup(*pointee, context);
   current->InstanceDelete(pointee, context);
}

void ReflectionManager::UnknownCleanupReport(const char* staticName)
{
   WarningPrintf("ReflectionManager::InstanceCleanup -- Unrecognized type: %s\n", staticName);
}
} // namespace Corvale
