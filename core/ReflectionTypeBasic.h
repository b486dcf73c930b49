// The thirteen basic reflected types (numbers, text, points, boxes, colour, JSON) and their JSON
// forms. Enumerations are registered as further ReflectionTypeInt records under their own names.
#pragma once

#include "core/Box.h"
#include "core/Color.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/Point.h"
#include "core/ReflectionManager.h"
#include "core/ReflectionType.h"

namespace Corvale
{
class JSONValue;

// Values of V created in a heap and freed by pointer; V has no virtual operations.
template <class V> class ReflectionTypeValue : public ReflectionType
{
 public:
   typedef V ValueType;

   // Zeroed rather than left undefined, so that a failed load never exposes garbage.
   void* InstanceNew(i32 heapId, const ReflectionContext&) override { return MemoryNew<V>(heapId); }
   void InstanceDelete(void** slot, const ReflectionContext&) override
   {
      if (slot)
      {
         MemoryDelete(static_cast<V*>(*slot));
         *slot = nullptr;
      }
   }
};

class ReflectionTypeBool : public ReflectionTypeValue<bool>
{
 public:
   bool JSONSave(void* instance, JSONValue* value, const ReflectionContext& context) override;
   bool JSONLoad(void* instance, JSONValue* value, const ReflectionContext& context) override;
};

// Also the record of every enumeration, which must be stored in 32 bits.
class ReflectionTypeInt : public ReflectionTypeValue<i32>
{
 public:
   bool JSONSave(void* instance, JSONValue* value, const ReflectionContext& context) override;
   bool JSONLoad(void* instance, JSONValue* value, const ReflectionContext& context) override;

   // Creates and registers the record of enumeration E under name ("Corvale::Suit").
   template <class E> static ReflectionTypeInt* EnumerationRegister(const char* name)
   {
      static_assert(sizeof(E) == sizeof(i32), "reflected enumerations are stored as 32-bit integers");
      ReflectionTypeInt* record = MemoryNew<ReflectionTypeInt>(HEAP_DEFAULT);
      if (!record)
      {
         WarningPrintf("ReflectionTypeInt::EnumerationRegister -- unable to create %s\n", name ? name : "");
         return nullptr;
      }
      if (!record->TypeNamesSet<E>(name))
      {
         MemoryDelete(record);
         return nullptr;
      }
      ReflectionManager::TypeRegister(record);
      return record;
   }
};

class ReflectionTypeUnsignedInt : public ReflectionTypeValue<u32>
{
 public:
   bool JSONSave(void* instance, JSONValue* value, const ReflectionContext& context) override;
   bool JSONLoad(void* instance, JSONValue* value, const ReflectionContext& context) override;
};

class ReflectionTypeFloat : public ReflectionTypeValue<float>
{
 public:
   bool JSONSave(void* instance, JSONValue* value, const ReflectionContext& context) override;
   bool JSONLoad(void* instance, JSONValue* value, const ReflectionContext& context) override;
};

class ReflectionTypeDouble : public ReflectionTypeValue<double>
{
 public:
   bool JSONSave(void* instance, JSONValue* value, const ReflectionContext& context) override;
   bool JSONLoad(void* instance, JSONValue* value, const ReflectionContext& context) override;
};

// Texts are never created or deleted through reflection, only replaced by a load.
class ReflectionTypeCString : public ReflectionType
{
 public:
   typedef const char* ValueType;

   void* InstanceNew(i32 heapId, const ReflectionContext& context) override;
   void InstanceDelete(void** slot, const ReflectionContext& context) override;
   bool JSONSave(void* instance, JSONValue* value, const ReflectionContext& context) override;
   bool JSONLoad(void* instance, JSONValue* value, const ReflectionContext& context) override;
};

class ReflectionTypePoint2I : public ReflectionTypeValue<Point2I>
{
 public:
   bool JSONSave(void* instance, JSONValue* value, const ReflectionContext& context) override;
   bool JSONLoad(void* instance, JSONValue* value, const ReflectionContext& context) override;
};

class ReflectionTypePoint2F : public ReflectionTypeValue<Point2F>
{
 public:
   bool JSONSave(void* instance, JSONValue* value, const ReflectionContext& context) override;
   bool JSONLoad(void* instance, JSONValue* value, const ReflectionContext& context) override;
};

class ReflectionTypePoint3F : public ReflectionTypeValue<Point3F>
{
 public:
   bool JSONSave(void* instance, JSONValue* value, const ReflectionContext& context) override;
   bool JSONLoad(void* instance, JSONValue* value, const ReflectionContext& context) override;
};

class ReflectionTypeBox2F : public ReflectionTypeValue<Box2F>
{
 public:
   bool JSONSave(void* instance, JSONValue* value, const ReflectionContext& context) override;
   bool JSONLoad(void* instance, JSONValue* value, const ReflectionContext& context) override;
};

class ReflectionTypeBox3F : public ReflectionTypeValue<Box3F>
{
 public:
   bool JSONSave(void* instance, JSONValue* value, const ReflectionContext& context) override;
   bool JSONLoad(void* instance, JSONValue* value, const ReflectionContext& context) override;
};

class ReflectionTypeColorRGBA8 : public ReflectionTypeValue<ColorRGBA8>
{
 public:
   bool JSONSave(void* instance, JSONValue* value, const ReflectionContext& context) override;
   bool JSONLoad(void* instance, JSONValue* value, const ReflectionContext& context) override;
};

// A JSON subtree held by value: saved and loaded as a deep copy.
class ReflectionTypeJSONValue : public ReflectionType
{
 public:
   typedef JSONValue ValueType;

   void* InstanceNew(i32 heapId, const ReflectionContext& context) override;
   void InstanceInit(void* instance, const ReflectionContext& context) override;
   void InstanceCleanup(void* instance, const ReflectionContext& context) override;
   void InstanceDelete(void** slot, const ReflectionContext& context) override;
   bool JSONSave(void* instance, JSONValue* value, const ReflectionContext& context) override;
   bool JSONLoad(void* instance, JSONValue* value, const ReflectionContext& context) override;
};
} // namespace Corvale
