// Base behaviour shared by every type and field record.
#include "core/ReflectionType.h"

#include "core/Log.h"
#include "core/Memory.h"

namespace Corvale
{
namespace
{
void TextFree(char*& text)
{
   MemoryFree(text);
   text = nullptr;
}
} // namespace

bool ReflectionType::NamesSet(const char* nameNew, const char* typeNameNew, const char* pointerTypeNameNew)
{
   if (!nameNew || !typeNameNew || !pointerTypeNameNew)
   {
      WarningPrintf("ReflectionType::NamesSet -- a name is missing\n");
      return false;
   }
   char* nameCopy = StringDuplicate(nameNew, HEAP_DEFAULT);
   char* typeNameCopy = StringDuplicate(typeNameNew, HEAP_DEFAULT);
   char* pointerTypeNameCopy = StringDuplicate(pointerTypeNameNew, HEAP_DEFAULT);
   if (!nameCopy || !typeNameCopy || !pointerTypeNameCopy)
   {
      WarningPrintf("ReflectionType::NamesSet -- unable to copy the names of %s\n", nameNew);
      MemoryFree(nameCopy);
      MemoryFree(typeNameCopy);
      MemoryFree(pointerTypeNameCopy);
      return false;
   }
   TextFree(name);
   TextFree(typeName);
   TextFree(pointerTypeName);
   name = nameCopy;
   typeName = typeNameCopy;
   pointerTypeName = pointerTypeNameCopy;
   return true;
}

void ReflectionType::Deinit()
{
   TextFree(pointerTypeName);
   TextFree(typeName);
   TextFree(name);
}

void ReflectionType::InstanceInit(void*, const ReflectionContext&)
{
}

void ReflectionType::InstanceCleanup(void*, const ReflectionContext&)
{
}

ReflectionType* ReflectionType::TypeOfInstanceGet(void*, const ReflectionContext&)
{
   return this;
}

ReflectionType* ReflectionType::TypeOfJSONGet(const JSONValue*)
{
   return this;
}

void ReflectionField::Deinit()
{
   TextFree(name);
   TextFree(typeName);
}
} // namespace Corvale
