// JSON forms of the basic reflected types: numbers and bools as JSON scalars, points, boxes and
// colours as "a|b|..." texts, texts as strings (a null text as JSON null).
#include "core/ReflectionTypeBasic.h"

#include <cstdio>

#include "core/JSONValue.h"
#include "core/StringHelpers.h"

namespace Corvale
{
namespace
{
// Scalars leave the shared null value alone: saving into a missing slot is not a failure.
bool ScalarTargetCheck(JSONValue* value, bool* result)
{
   if (!value)
   {
      *result = false;
      return false;
   }
   if (value == &JSONValue::nullValue)
   {
      *result = true;
      return false;
   }
   return true;
}

bool NumberGet(const JSONValue* value, double* number)
{
   if (!value || value->TypeGet() != JSONValue::TYPE_NUMBER)
   {
      return false;
   }
   *number = value->DoubleValueGet();
   return true;
}

const char* TextGet(const JSONValue* value)
{
   return value && value->TypeGet() == JSONValue::TYPE_STRING ? value->StringValueGet() : nullptr;
}
} // namespace

bool ReflectionTypeBool::JSONSave(void* instance, JSONValue* value, const ReflectionContext&)
{
   bool result = false;
   if (instance && ScalarTargetCheck(value, &result))
   {
      value->BoolSet(*static_cast<bool*>(instance));
      result = true;
   }
   return instance && result;
}

bool ReflectionTypeBool::JSONLoad(void* instance, JSONValue* value, const ReflectionContext&)
{
   if (!instance || !value || value->TypeGet() != JSONValue::TYPE_BOOL)
   {
      return false;
   }
   *static_cast<bool*>(instance) = value->BoolValueGet();
   return true;
}

bool ReflectionTypeInt::JSONSave(void* instance, JSONValue* value, const ReflectionContext&)
{
   bool result = false;
   if (instance && ScalarTargetCheck(value, &result))
   {
      value->NumberSet(static_cast<double>(*static_cast<i32*>(instance)));
      result = true;
   }
   return instance && result;
}

bool ReflectionTypeInt::JSONLoad(void* instance, JSONValue* value, const ReflectionContext&)
{
   double number = 0.0;
   // Numbers that truncate outside 32 bits (and NaN) have no integer value to give.
   if (!instance || !NumberGet(value, &number) || !(number > -2147483649.0 && number < 2147483648.0))
   {
      return false;
   }
   *static_cast<i32*>(instance) = static_cast<i32>(number);
   return true;
}

bool ReflectionTypeUnsignedInt::JSONSave(void* instance, JSONValue* value, const ReflectionContext&)
{
   bool result = false;
   if (instance && ScalarTargetCheck(value, &result))
   {
      value->NumberSet(static_cast<double>(*static_cast<u32*>(instance)));
      result = true;
   }
   return instance && result;
}

bool ReflectionTypeUnsignedInt::JSONLoad(void* instance, JSONValue* value, const ReflectionContext&)
{
   double number = 0.0;
   if (!instance || !NumberGet(value, &number) || !(number > -1.0 && number < 4294967296.0))
   {
      return false;
   }
   *static_cast<u32*>(instance) = static_cast<u32>(number);
   return true;
}

bool ReflectionTypeFloat::JSONSave(void* instance, JSONValue* value, const ReflectionContext&)
{
   bool result = false;
   if (instance && ScalarTargetCheck(value, &result))
   {
      value->NumberSet(static_cast<double>(*static_cast<float*>(instance)));
      result = true;
   }
   return instance && result;
}

bool ReflectionTypeFloat::JSONLoad(void* instance, JSONValue* value, const ReflectionContext&)
{
   double number = 0.0;
   if (!instance || !NumberGet(value, &number))
   {
      return false;
   }
   *static_cast<float*>(instance) = static_cast<float>(number);
   return true;
}

bool ReflectionTypeDouble::JSONSave(void* instance, JSONValue* value, const ReflectionContext&)
{
   bool result = false;
   if (instance && ScalarTargetCheck(value, &result))
   {
      value->NumberSet(*static_cast<double*>(instance));
      result = true;
   }
   return instance && result;
}

bool ReflectionTypeDouble::JSONLoad(void* instance, JSONValue* value, const ReflectionContext&)
{
   double number = 0.0;
   if (!instance || !NumberGet(value, &number))
   {
      return false;
   }
   *static_cast<double*>(instance) = number;
   return true;
}

void* ReflectionTypeCString::InstanceNew(i32, const ReflectionContext&)
{
   return nullptr;
}

void ReflectionTypeCString::InstanceDelete(void**, const ReflectionContext&)
{
}

bool ReflectionTypeCString::JSONSave(void* instance, JSONValue* value, const ReflectionContext&)
{
   if (!instance || !value)
   {
      return false;
   }
   // A null text becomes a string without text, which is written as JSON null.
   value->StringSet(*static_cast<const char**>(instance));
   return true;
}

bool ReflectionTypeCString::JSONLoad(void* instance, JSONValue* value, const ReflectionContext&)
{
   // The shared null value stands for a missing key, which keeps the text; a written null clears it.
   if (!instance || !value || value == &JSONValue::nullValue)
   {
      return false;
   }
   const char* text = nullptr;
   if (value->TypeGet() == JSONValue::TYPE_STRING)
   {
      text = value->StringValueGet();
   }
   else if (value->TypeGet() != JSONValue::TYPE_NULL)
   {
      return false;
   }
   char* copy = nullptr;
   if (text)
   {
      copy = StringDuplicate(text, HEAP_DEFAULT);
      if (!copy)
      {
         WarningPrintf("ReflectionTypeCString::JSONLoad -- unable to copy a text\n");
         return false;
      }
   }
   const char** slot = static_cast<const char**>(instance);
   MemoryFree(const_cast<char*>(*slot));
   *slot = copy;
   return true;
}

bool ReflectionTypePoint2I::JSONSave(void* instance, JSONValue* value, const ReflectionContext&)
{
   if (!instance || !value)
   {
      return false;
   }
   value->Point2ISet(*static_cast<Point2I*>(instance));
   return true;
}

bool ReflectionTypePoint2I::JSONLoad(void* instance, JSONValue* value, const ReflectionContext&)
{
   const char* text = TextGet(value);
   Point2I point;
   // %i reads "0x10" as hexadecimal and "010" as octal, as hand-written files expect.
   if (!instance || !text || std::sscanf(text, "%i|%i", &point.x, &point.y) != 2)
   {
      return false;
   }
   *static_cast<Point2I*>(instance) = point;
   return true;
}

bool ReflectionTypePoint2F::JSONSave(void* instance, JSONValue* value, const ReflectionContext&)
{
   if (!instance || !value)
   {
      return false;
   }
   value->Point2FSet(*static_cast<Point2F*>(instance));
   return true;
}

bool ReflectionTypePoint2F::JSONLoad(void* instance, JSONValue* value, const ReflectionContext&)
{
   const char* text = TextGet(value);
   Point2F point;
   if (!instance || !text || std::sscanf(text, "%g|%g", &point.x, &point.y) != 2)
   {
      return false;
   }
   *static_cast<Point2F*>(instance) = point;
   return true;
}

bool ReflectionTypePoint3F::JSONSave(void* instance, JSONValue* value, const ReflectionContext&)
{
   if (!instance || !value)
   {
      return false;
   }
   value->Point3FSet(*static_cast<Point3F*>(instance));
   return true;
}

bool ReflectionTypePoint3F::JSONLoad(void* instance, JSONValue* value, const ReflectionContext&)
{
   const char* text = TextGet(value);
   Point3F point;
   if (!instance || !text || std::sscanf(text, "%g|%g|%g", &point.x, &point.y, &point.z) != 3)
   {
      return false;
   }
   *static_cast<Point3F*>(instance) = point;
   return true;
}

bool ReflectionTypeBox2F::JSONSave(void* instance, JSONValue* value, const ReflectionContext&)
{
   if (!instance || !value)
   {
      return false;
   }
   value->Box2FSet(*static_cast<Box2F*>(instance));
   return true;
}

bool ReflectionTypeBox2F::JSONLoad(void* instance, JSONValue* value, const ReflectionContext&)
{
   const char* text = TextGet(value);
   Box2F box;
   if (!instance || !text || std::sscanf(text, "%g|%g|%g|%g", &box.x, &box.y, &box.width, &box.height) != 4)
   {
      return false;
   }
   *static_cast<Box2F*>(instance) = box;
   return true;
}

bool ReflectionTypeBox3F::JSONSave(void* instance, JSONValue* value, const ReflectionContext&)
{
   if (!instance || !value)
   {
      return false;
   }
   value->Box3FSet(*static_cast<Box3F*>(instance));
   return true;
}

bool ReflectionTypeBox3F::JSONLoad(void* instance, JSONValue* value, const ReflectionContext&)
{
   const char* text = TextGet(value);
   Box3F box;
   if (!instance || !text ||
       std::sscanf(text, "%g|%g|%g|%g|%g|%g", &box.x, &box.y, &box.z, &box.width, &box.height, &box.depth) !=
           6)
   {
      return false;
   }
   *static_cast<Box3F*>(instance) = box;
   return true;
}

bool ReflectionTypeColorRGBA8::JSONSave(void* instance, JSONValue* value, const ReflectionContext&)
{
   if (!instance || !value)
   {
      return false;
   }
   value->ColorRGBA8Set(*static_cast<ColorRGBA8*>(instance));
   return true;
}

bool ReflectionTypeColorRGBA8::JSONLoad(void* instance, JSONValue* value, const ReflectionContext&)
{
   const char* text = TextGet(value);
   ColorRGBA8 color;
   if (!instance || !text || !ColorRGBA8FromString(text, &color))
   {
      return false;
   }
   *static_cast<ColorRGBA8*>(instance) = color;
   return true;
}

void* ReflectionTypeJSONValue::InstanceNew(i32 heapId, const ReflectionContext&)
{
   return JSONValue::New(heapId);
}

void ReflectionTypeJSONValue::InstanceInit(void* instance, const ReflectionContext&)
{
   if (instance)
   {
      static_cast<JSONValue*>(instance)->HeapSet(HEAP_DEFAULT);
   }
}

void ReflectionTypeJSONValue::InstanceCleanup(void* instance, const ReflectionContext&)
{
   if (instance)
   {
      static_cast<JSONValue*>(instance)->Clear();
   }
}

void ReflectionTypeJSONValue::InstanceDelete(void** slot, const ReflectionContext&)
{
   if (slot)
   {
      MemoryDelete(static_cast<JSONValue*>(*slot));
      *slot = nullptr;
   }
}

bool ReflectionTypeJSONValue::JSONSave(void* instance, JSONValue* value, const ReflectionContext&)
{
   if (!instance || !value)
   {
      return false;
   }
   const JSONValue* held = static_cast<const JSONValue*>(instance);
   held->Clone(value->HeapGet(), value);
   return true;
}

bool ReflectionTypeJSONValue::JSONLoad(void* instance, JSONValue* value, const ReflectionContext&)
{
   if (!instance || !value || value->TypeGet() == JSONValue::TYPE_NULL)
   {
      return false;
   }
   JSONValue* held = static_cast<JSONValue*>(instance);
   value->Clone(held->HeapGet(), held);
   return true;
}
} // namespace Corvale
