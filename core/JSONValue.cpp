// The in-memory JSON tree behind every configuration, layout, text table, profile and saved game.
// Lookups never fail: whatever is missing or mistyped reads as the shared null value.
#include "core/JSONValue.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "core/Allocator.h"
#include "core/Log.h"
#include "core/StringHelpers.h"

namespace Corvale
{
JSONValue JSONValue::nullValue;

i32 DoubleToInt(double number)
{
   if (number != number)
   {
      return 0;
   }
   if (number >= 2147483647.0)
   {
      return 2147483647;
   }
   if (number <= -2147483648.0)
   {
      return -2147483647 - 1;
   }
   return static_cast<i32>(number);
}

// Negative numbers wrap as they do in a two's-complement cast; the magnitude saturates.
u32 DoubleToUnsignedInt(double number)
{
   if (number < 0.0)
   {
      return static_cast<u32>(DoubleToInt(number));
   }
   if (number != number)
   {
      return 0;
   }
   if (number >= 4294967295.0)
   {
      return 0xFFFFFFFFu;
   }
   return static_cast<u32>(number);
}

namespace
{

bool TextEqual(const char* a, const char* b)
{
   if (!a || !b)
   {
      return a == b;
   }
   return std::strcmp(a, b) == 0;
}

const char* KeyText(const char* key)
{
   return key ? key : "";
}

bool Box2FFromString(const char* text, Box2F* box)
{
   return text && std::sscanf(text, "%g|%g|%g|%g", &box->x, &box->y, &box->width, &box->height) == 4;
}

bool Box3FFromString(const char* text, Box3F* box)
{
   return text && std::sscanf(text, "%g|%g|%g|%g|%g|%g", &box->x, &box->y, &box->z, &box->width, &box->height,
                              &box->depth) == 6;
}

// What a text-form reader logs: namedFormat takes the context, the key and the item,
// plainFormat and missingFormat the key alone.
struct TextFormMessages
{
   const char* namedFormat;
   const char* plainFormat;
   const char* missingFormat;
};

// The text-form readers' common path: text is the item's string, or null with isString false
// when the item is missing or not a string. A malformed text is reported (fatally when
// required), a missing one only when required; either way the default is written.
template <class T>
bool TextFormGet(bool isString, const char* text, bool (*parse)(const char*, T*), T* out, const char* key,
                 const T* defaultValue, const char* contextName, const char* itemName, bool required,
                 const TextFormMessages& messages)
{
   bool named = contextName && itemName;
   if (isString)
   {
      T parsed;
      if (text && parse(text, &parsed))
      {
         if (out)
         {
            *out = parsed;
         }
         return true;
      }
      if (named)
      {
         if (required)
         {
            ErrorPrintf(messages.namedFormat, contextName, KeyText(key), itemName);
         }
         WarningPrintf(messages.namedFormat, contextName, KeyText(key), itemName);
      }
      else
      {
         if (required)
         {
            ErrorPrintf(messages.plainFormat, KeyText(key));
         }
         WarningPrintf(messages.plainFormat, KeyText(key));
      }
   }
   else if (required)
   {
      if (named)
      {
         ErrorPrintf("%s -- %s not specified as a string for \"%s\".\n", contextName, KeyText(key), itemName);
      }
      ErrorPrintf(messages.missingFormat, KeyText(key));
   }
   if (out && defaultValue)
   {
      *out = *defaultValue;
   }
   return false;
}
} // namespace

JSONValue* JSONValue::New(i32 heapId)
{
   return MemoryNew<JSONValue>(heapId, heapId);
}

Allocator* JSONValue::HeapAllocatorGet(i32 heapId)
{
   // The allocator objects exist once the memory manager does.
   Memory::FirstUse();
   Allocator* allocator = (heapId >= 0 && heapId < HEAP_COUNT) ? allocatorHeaps[heapId] : nullptr;
   return allocator ? allocator : allocatorDefault;
}

void JSONValue::ValueFree(JSONValue* value)
{
   if (value && value != &nullValue)
   {
      MemoryDelete(value);
   }
}

JSONValue* JSONValue::NullSet()
{
   Clear();
   return this;
}

JSONValue* JSONValue::BoolSet(bool value)
{
   if (this == &nullValue)
   {
      return this;
   }
   Clear();
   type = TYPE_BOOL;
   payload.boolean = value;
   return this;
}

JSONValue* JSONValue::NumberSet(double value)
{
   if (this == &nullValue)
   {
      return this;
   }
   Clear();
   type = TYPE_NUMBER;
   payload.number = value;
   return this;
}

JSONValue* JSONValue::StringSet(const char* text)
{
   if (this == &nullValue || (type == TYPE_STRING && TextEqual(payload.string, text)))
   {
      return this;
   }
   // Copied before clearing: the text may lie inside what this value owns.
   char* copy = nullptr;
   if (text)
   {
      copy = StringDuplicate(text, heap);
      if (!copy)
      {
         WarningPrintf("JSONValue::StringSet -- unable to copy a text of %u bytes\n",
                       static_cast<u32>(std::strlen(text)));
         return this;
      }
   }
   Clear();
   type = TYPE_STRING;
   payload.string = copy;
   return this;
}

bool JSONValue::StringSetN(const char* text, u32 length)
{
   if (this == &nullValue)
   {
      return false;
   }
   char* copy = StringDuplicateN(text, length, heap);
   if (!copy)
   {
      return false;
   }
   Clear();
   type = TYPE_STRING;
   payload.string = copy;
   return true;
}

JSONValue* JSONValue::ObjectSet()
{
   if (this == &nullValue)
   {
      return this;
   }
   Clear();
   MemberMap* map = MemoryNew<MemberMap>(heap, HeapAllocatorGet(heap));
   if (map)
   {
      type = TYPE_OBJECT;
      payload.object = map;
   }
   return this;
}

JSONValue* JSONValue::ArraySet()
{
   if (this == &nullValue)
   {
      return this;
   }
   Clear();
   ElementTable* table = MemoryNew<ElementTable>(heap, HeapAllocatorGet(heap));
   if (table)
   {
      type = TYPE_ARRAY;
      payload.array = table;
   }
   return this;
}

void JSONValue::MembersRelease()
{
   MemberMap* map = payload.object;
   // Keys are compared only while the tree changes, so they can all go before the nodes do.
   for (MemberMap::Node* node = map->First(); node != map->End(); node = map->Next(node))
   {
      ValueFree(node->value);
      MemoryFree(const_cast<char*>(node->key));
   }
   map->Clear();
}

void JSONValue::ElementsRelease()
{
   ElementTable* table = payload.array;
   for (i32 i = table->count - 1; i >= 0; i--)
   {
      ValueFree(table->data[i]);
   }
   table->SizeSet(0);
}

void JSONValue::Clear()
{
   if (this == &nullValue)
   {
      return;
   }
   switch (type)
   {
   case TYPE_STRING:
      MemoryFree(payload.string);
      break;
   case TYPE_OBJECT:
      if (payload.object)
      {
         MembersRelease();
         MemoryDelete(payload.object);
      }
      break;
   case TYPE_ARRAY:
      if (payload.array)
      {
         ElementsRelease();
         MemoryDelete(payload.array);
      }
      break;
   default:
      break;
   }
   type = TYPE_NULL;
   payload.number = 0.0;
}

void JSONValue::ItemsClear()
{
   if (this == &nullValue)
   {
      return;
   }
   if (ObjectCheck())
   {
      MembersRelease();
   }
   else if (ArrayCheck())
   {
      ElementsRelease();
   }
}

JSONValue* JSONValue::Clone(i32 heapId, JSONValue* destination) const
{
   if (!destination)
   {
      destination = New(heapId);
      if (!destination)
      {
         return nullptr;
      }
   }
   if (destination == this || destination == &nullValue)
   {
      return destination;
   }
   switch (type)
   {
   case TYPE_BOOL:
      destination->BoolSet(payload.boolean);
      break;
   case TYPE_NUMBER:
      destination->NumberSet(payload.number);
      break;
   case TYPE_STRING:
      destination->StringSet(payload.string);
      break;
   case TYPE_ARRAY:
   {
      if (!destination->ArrayCheck())
      {
         destination->ArraySet();
      }
      i32 count = CountGet();
      destination->CountSet(count);
      for (i32 i = 0; i < count && i < destination->CountGet(); i++)
      {
         JSONValue* copy = ElementGet(i)->Clone(HEAP_DEFAULT, nullptr);
         if (copy && destination->ElementSet(i, copy) != copy)
         {
            ValueFree(copy);
         }
      }
      break;
   }
   case TYPE_OBJECT:
   {
      if (destination->ObjectCheck())
      {
         MemberMap* map = destination->payload.object;
         MemberMap::Node* node = map->First();
         while (node != map->End())
         {
            MemberMap::Node* next = map->Next(node);
            if (!ObjectCheck() || payload.object->Find(node->key) == payload.object->End())
            {
               destination->ItemRemove(node->key);
            }
            node = next;
         }
      }
      else
      {
         destination->ObjectSet();
      }
      if (!ObjectCheck() || !destination->ObjectCheck())
      {
         break;
      }
      MemberMap* map = payload.object;
      for (MemberMap::Node* node = map->First(); node != map->End(); node = map->Next(node))
      {
         JSONValue* target = destination->ItemGetOrAdd(node->key);
         if (target)
         {
            target->Clear();
            (node->value ? node->value : &nullValue)->Clone(target->heap, target);
         }
      }
      break;
   }
   default:
      destination->Clear();
      break;
   }
   return destination;
}

bool JSONValue::ItemsMerge(JSONValue* other)
{
   if (!other || other == this || this == &nullValue || other == &nullValue || !ObjectCheck() ||
       !other->ObjectCheck())
   {
      return false;
   }
   MemberMap* map = other->payload.object;
   for (MemberMap::Node* node = map->First(); node != map->End(); node = map->Next(node))
   {
      // A member that can't be moved stays in other and is freed with it.
      if (node->value && ItemSet(node->key, node->value) == node->value)
      {
         node->value = nullptr;
      }
   }
   ValueFree(other);
   return true;
}

i32 JSONValue::CountGet() const
{
   if (ObjectCheck())
   {
      return payload.object->count;
   }
   if (ArrayCheck())
   {
      return payload.array->count;
   }
   return 0;
}

void JSONValue::CountSet(i32 count)
{
   if (this == &nullValue || count < 0 || !ArrayCheck())
   {
      return;
   }
   ElementTable* table = payload.array;
   if (count < table->count)
   {
      for (i32 i = table->count - 1; i >= count; i--)
      {
         ValueFree(table->data[i]);
      }
      table->SizeSet(count);
      return;
   }
   table->Reserve(count);
   while (table->count < count)
   {
      JSONValue* value = New(heap);
      if (!value)
      {
         return;
      }
      if (!table->Insert(value, table->count))
      {
         ValueFree(value);
         return;
      }
   }
}

JSONValue* JSONValue::ItemGet(const char* key) const
{
   JSONValue* value = ItemFind(key);
   return value ? value : &nullValue;
}

JSONValue* JSONValue::ItemFind(const char* key) const
{
   if (!key || !ObjectCheck())
   {
      return nullptr;
   }
   MemberMap::Node* node = payload.object->Find(key);
   return node != payload.object->End() ? node->value : nullptr;
}

JSONValue* JSONValue::ItemGetOrAdd(const char* key)
{
   if (this == &nullValue || !key || !ObjectCheck())
   {
      return nullptr;
   }
   MemberMap* map = payload.object;
   MemberMap::Node* node = map->Find(key);
   if (node != map->End())
   {
      if (!node->value)
      {
         node->value = New(heap);
      }
      return node->value;
   }
   char* copy = StringDuplicate(key, heap);
   JSONValue* value = copy ? New(heap) : nullptr;
   if (!value || !map->Insert(copy, value))
   {
      WarningPrintf("JSONValue::ItemGetOrAdd -- unable to add the member \"%s\"\n", key);
      MemoryFree(copy);
      ValueFree(value);
      return nullptr;
   }
   return value;
}

JSONValue* JSONValue::ItemClear(const char* key)
{
   JSONValue* value = ItemGetOrAdd(key);
   if (!value)
   {
      return &nullValue;
   }
   value->Clear();
   return value;
}

JSONValue* JSONValue::ItemEnsure(const char* key)
{
   JSONValue* value = ItemFind(key);
   if (value && value->type != TYPE_NULL)
   {
      return value;
   }
   return ItemClear(key);
}

JSONValue* JSONValue::ItemSet(const char* key, JSONValue* value)
{
   // Storing the shared null value would free it with the tree one day.
   if (!value || value == &nullValue || value == this || this == &nullValue || !key || !ObjectCheck())
   {
      return &nullValue;
   }
   MemberMap* map = payload.object;
   MemberMap::Node* node = map->Find(key);
   if (node != map->End())
   {
      if (node->value != value)
      {
         ValueFree(node->value);
         node->value = value;
      }
      return value;
   }
   char* copy = StringDuplicate(key, heap);
   if (!copy || !map->Insert(copy, value))
   {
      WarningPrintf("JSONValue::ItemSet -- unable to add the member \"%s\"\n", key);
      MemoryFree(copy);
      return &nullValue;
   }
   return value;
}

JSONValue* JSONValue::ItemObjectSet(const char* key)
{
   JSONValue* value = ItemGetOrAdd(key);
   if (!value || !value->ObjectSet()->ObjectCheck())
   {
      return &nullValue;
   }
   return value;
}

JSONValue* JSONValue::ItemArraySet(const char* key)
{
   JSONValue* value = ItemGetOrAdd(key);
   if (!value || !value->ArraySet()->ArrayCheck())
   {
      return &nullValue;
   }
   return value;
}

JSONValue* JSONValue::ItemBoolSet(const char* key, bool state)
{
   JSONValue* value = ItemGetOrAdd(key);
   return value ? value->BoolSet(state) : &nullValue;
}

JSONValue* JSONValue::ItemStringSet(const char* key, const char* text)
{
   JSONValue* value = ItemGetOrAdd(key);
   return value ? value->StringSet(text) : &nullValue;
}

JSONValue* JSONValue::ItemNumberSet(const char* key, i32 number)
{
   JSONValue* value = ItemGetOrAdd(key);
   return value ? value->NumberSet(static_cast<double>(number)) : &nullValue;
}

void JSONValue::ItemRemove(const char* key)
{
   if (this == &nullValue || !key || !ObjectCheck())
   {
      return;
   }
   MemberMap* map = payload.object;
   MemberMap::Node* node = map->Find(key);
   if (node == map->End())
   {
      return;
   }
   JSONValue* value = node->value;
   const char* keyCopy = node->key;
   map->Remove(keyCopy);
   MemoryFree(const_cast<char*>(keyCopy));
   ValueFree(value);
}

JSONValue::Iterator JSONValue::ItemsBegin() const
{
   Iterator iterator;
   if (ObjectCheck())
   {
      iterator.map = payload.object;
      iterator.node = payload.object->First();
   }
   return iterator;
}

bool JSONValue::MemberIsNull(const char* key) const
{
   JSONValue* value = ItemFind(key);
   return !value || value->type == TYPE_NULL;
}

bool JSONValue::MemberIsBool(const char* key) const
{
   JSONValue* value = ItemFind(key);
   return value && value->type == TYPE_BOOL;
}

bool JSONValue::ItemNumberCheck(const char* key) const
{
   JSONValue* value = ItemFind(key);
   return value && value->type == TYPE_NUMBER;
}

bool JSONValue::ItemStringCheck(const char* key) const
{
   JSONValue* value = ItemFind(key);
   return value && value->type == TYPE_STRING;
}

bool JSONValue::ItemArrayCheck(const char* key) const
{
   JSONValue* value = ItemFind(key);
   return value && value->type == TYPE_ARRAY;
}

bool JSONValue::MemberObjectCheck(const char* key) const
{
   JSONValue* value = ItemFind(key);
   return value && value->type == TYPE_OBJECT;
}

bool JSONValue::ItemPoint2FCheck(const char* key) const
{
   JSONValue* value = ItemFind(key);
   Point2F point;
   return value && value->type == TYPE_STRING && value->payload.string &&
          Point2FFromString(value->payload.string, &point);
}

JSONValue* JSONValue::ElementGet(i32 index) const
{
   JSONValue* value = ElementFind(index);
   return value ? value : &nullValue;
}

JSONValue* JSONValue::ElementFind(i32 index) const
{
   if (!ArrayCheck() || index < 0 || index >= payload.array->count)
   {
      return nullptr;
   }
   return payload.array->data[index];
}

JSONValue* JSONValue::ElementSet(i32 index, JSONValue* value)
{
   if (!value || value == &nullValue || value == this || this == &nullValue || index < 0 || !ArrayCheck())
   {
      return &nullValue;
   }
   ElementTable* table = payload.array;
   if (index >= table->count)
   {
      CountSet(index + 1);
      if (index >= table->count)
      {
         return &nullValue;
      }
   }
   if (table->data[index] != value)
   {
      ValueFree(table->data[index]);
      table->data[index] = value;
   }
   return value;
}

JSONValue* JSONValue::ElementSlotGet(i32 index)
{
   if (this == &nullValue || index < 0 || !ArrayCheck())
   {
      return nullptr;
   }
   ElementTable* table = payload.array;
   if (index >= table->count)
   {
      CountSet(index + 1);
      if (index >= table->count)
      {
         return nullptr;
      }
   }
   if (!table->data[index])
   {
      table->data[index] = New(heap);
   }
   return table->data[index];
}

JSONValue* JSONValue::ElementBoolSet(i32 index, bool state)
{
   JSONValue* value = ElementSlotGet(index);
   return value ? value->BoolSet(state) : &nullValue;
}

JSONValue* JSONValue::ElementNumberSet(i32 index, double number)
{
   JSONValue* value = ElementSlotGet(index);
   return value ? value->NumberSet(number) : &nullValue;
}

void JSONValue::ElementNumberAdd(double number)
{
   if (ArrayCheck())
   {
      ElementNumberSet(payload.array->count, number);
   }
}

JSONValue* JSONValue::ElementAdd()
{
   if (this == &nullValue || !ArrayCheck())
   {
      return &nullValue;
   }
   JSONValue* value = New(heap);
   if (!value)
   {
      return &nullValue;
   }
   if (!payload.array->Insert(value, payload.array->count))
   {
      ValueFree(value);
      return &nullValue;
   }
   return value;
}

void JSONValue::ElementRemove(i32 index)
{
   if (this == &nullValue || !ArrayCheck() || index < 0 || index >= payload.array->count)
   {
      return;
   }
   ElementTable* table = payload.array;
   JSONValue* value = table->data[index];
   for (i32 i = index; i < table->count - 1; i++)
   {
      table->data[i] = table->data[i + 1];
   }
   table->SizeSet(table->count - 1);
   ValueFree(value);
}

bool JSONValue::ElementNumberCheck(i32 index) const
{
   JSONValue* value = ElementFind(index);
   return value && value->type == TYPE_NUMBER;
}

bool JSONValue::ElementStringCheck(i32 index) const
{
   JSONValue* value = ElementFind(index);
   return value && value->type == TYPE_STRING;
}

i32 JSONValue::ElementStringFind(const char* text) const
{
   if (!text || !ArrayCheck())
   {
      return -1;
   }
   for (i32 i = 0; i < payload.array->count; i++)
   {
      JSONValue* value = payload.array->data[i];
      if (value && value->type == TYPE_STRING && value->payload.string &&
          std::strcmp(value->payload.string, text) == 0)
      {
         return i;
      }
   }
   return -1;
}

bool JSONValue::BoolValueGet() const
{
   switch (type)
   {
   case TYPE_NUMBER:
      return payload.number != 0.0;
   case TYPE_BOOL:
      return payload.boolean;
   default:
      return false;
   }
}

i32 JSONValue::IntValueGet() const
{
   switch (type)
   {
   case TYPE_NUMBER:
      return DoubleToInt(payload.number);
   case TYPE_BOOL:
      return payload.boolean ? 1 : 0;
   default:
      return 0;
   }
}

u32 JSONValue::UnsignedIntValueGet() const
{
   switch (type)
   {
   case TYPE_NUMBER:
      return DoubleToUnsignedInt(payload.number);
   case TYPE_BOOL:
      return payload.boolean ? 1u : 0u;
   default:
      return 0u;
   }
}

float JSONValue::FloatValueGet() const
{
   switch (type)
   {
   case TYPE_NUMBER:
      return static_cast<float>(payload.number);
   case TYPE_BOOL:
      return payload.boolean ? 1.0f : 0.0f;
   default:
      return 0.0f;
   }
}

double JSONValue::DoubleValueGet() const
{
   switch (type)
   {
   case TYPE_NUMBER:
      return payload.number;
   case TYPE_BOOL:
      return payload.boolean ? 1.0 : 0.0;
   default:
      return 0.0;
   }
}

Point2I JSONValue::Point2IValueGet() const
{
   Point2I point;
   if (type == TYPE_STRING && payload.string && std::sscanf(payload.string, "%i|%i", &point.x, &point.y) == 2)
   {
      return point;
   }
   return Point2I();
}

Point2F JSONValue::Point2FValueGet() const
{
   Point2F point;
   if (type == TYPE_STRING && Point2FFromString(payload.string, &point))
   {
      return point;
   }
   return Point2F();
}

Point3F JSONValue::Point3FValueGet() const
{
   Point3F point;
   if (type == TYPE_STRING && payload.string &&
       std::sscanf(payload.string, "%g|%g|%g", &point.x, &point.y, &point.z) == 3)
   {
      return point;
   }
   return Point3F();
}

Box2F JSONValue::Box2FValueGet() const
{
   Box2F box;
   if (type == TYPE_STRING && Box2FFromString(payload.string, &box))
   {
      return box;
   }
   return Box2F();
}

Box3F JSONValue::Box3FValueGet() const
{
   Box3F box;
   if (type == TYPE_STRING && Box3FFromString(payload.string, &box))
   {
      return box;
   }
   return Box3F();
}

ColorRGBA8 JSONValue::ColorRGBA8ValueGet() const
{
   ColorRGBA8 color;
   if (type == TYPE_STRING && payload.string && ColorRGBA8FromString(payload.string, &color))
   {
      return color;
   }
   ColorRGBA8 black;
   black.a = 255;
   return black;
}

bool JSONValue::Box3FCheck() const
{
   Box3F box;
   return type == TYPE_STRING && Box3FFromString(payload.string, &box);
}

bool JSONValue::Box2FTryGet(const char* key, Box2F* out) const
{
   JSONValue* value = ItemFind(key);
   Box2F box;
   if (!value || value->type != TYPE_STRING || !Box2FFromString(value->payload.string, &box))
   {
      return false;
   }
   if (out)
   {
      *out = box;
   }
   return true;
}

void JSONValue::TextFormSet(const char* format, ...)
{
   if (this == &nullValue)
   {
      return;
   }
   char text[JSON_VALUE_TEXT_SIZE];
   va_list arguments;
   va_start(arguments, format);
   bool formatted = NultVsnprintf(text, JSON_VALUE_TEXT_SIZE, format, arguments);
   va_end(arguments);
   if (formatted)
   {
      StringSet(text);
   }
}

void JSONValue::Point2ISet(const Point2I& point)
{
   TextFormSet("%i|%i", point.x, point.y);
}

void JSONValue::Point2FSet(const Point2F& point)
{
   TextFormSet("%.10g|%.10g", static_cast<double>(point.x), static_cast<double>(point.y));
}

void JSONValue::Point3FSet(const Point3F& point)
{
   TextFormSet("%.10g|%.10g|%.10g", static_cast<double>(point.x), static_cast<double>(point.y),
               static_cast<double>(point.z));
}

void JSONValue::Box2FSet(const Box2F& box)
{
   TextFormSet("%.10g|%.10g|%.10g|%.10g", static_cast<double>(box.x), static_cast<double>(box.y),
               static_cast<double>(box.width), static_cast<double>(box.height));
}

void JSONValue::Box3FSet(const Box3F& box)
{
   TextFormSet("%.10g|%.10g|%.10g|%.10g|%.10g|%.10g", static_cast<double>(box.x), static_cast<double>(box.y),
               static_cast<double>(box.z), static_cast<double>(box.width), static_cast<double>(box.height),
               static_cast<double>(box.depth));
}

void JSONValue::ColorRGBA8Set(const ColorRGBA8& color)
{
   TextFormSet("%hhu|%hhu|%hhu|%hhu", color.r, color.g, color.b, color.a);
}

bool JSONValue::FloatGet(float* out, const char* key, float defaultValue) const
{
   JSONValue* value = ItemFind(key);
   bool found = value && value->type == TYPE_NUMBER;
   if (out)
   {
      *out = found ? static_cast<float>(value->payload.number) : defaultValue;
   }
   return found;
}

bool JSONValue::DoubleGet(double* out, const char* key, double defaultValue) const
{
   JSONValue* value = ItemFind(key);
   bool found = value && value->type == TYPE_NUMBER;
   if (out)
   {
      *out = found ? value->payload.number : defaultValue;
   }
   return found;
}

bool JSONValue::BoolGet(bool* out, const char* key, bool defaultValue) const
{
   JSONValue* value = ItemFind(key);
   bool found = value && value->type == TYPE_BOOL;
   if (out)
   {
      *out = found ? value->payload.boolean : defaultValue;
   }
   return found;
}

void JSONValue::Point2FGet(Point2F* out, const char* key, const Point2F* defaultValue,
                           const char* contextName, const char* itemName, bool required) const
{
   static const TextFormMessages messages = {
       "%s -- Incorrect %s format for \"%s\".  Correct format is \"x|y\" with no spaces.\n",
       "JSONValue::Point2FGet -- Incorrect format for \"%s\".  Correct format is \"x|y\" with no spaces.\n",
       "JSONValue::Point2FGet -- Required item at key \"%s\" not specified as a string\n"};
   JSONValue* value = ItemFind(key);
   bool isString = value && value->type == TYPE_STRING;
   TextFormGet(isString, isString ? value->payload.string : nullptr, &Point2FFromString, out, key,
               defaultValue, contextName, itemName, required, messages);
}

void JSONValue::Box2FGet(Box2F* out, const char* key, const Box2F* defaultValue, const char* contextName,
                         const char* itemName, bool required) const
{
   static const TextFormMessages messages = {
       "%s -- Incorrect %s format for \"%s\".  Correct format is \"x|y|width|height\" with no spaces.\n",
       "JSONValue::Box2FGet -- Incorrect format at key \"%s\".  Correct format is \"x|y|width|height\" with "
       "no spaces.\n",
       "JSONValue::Box2FGet -- Required item at key \"%s\" not specified as a string.\n"};
   JSONValue* value = ItemFind(key);
   bool isString = value && value->type == TYPE_STRING;
   TextFormGet(isString, isString ? value->payload.string : nullptr, &Box2FFromString, out, key, defaultValue,
               contextName, itemName, required, messages);
}

bool JSONValue::ColorRGBA8Get(ColorRGBA8* out, const char* key, const ColorRGBA8* defaultValue,
                              const char* contextName, const char* itemName, bool required) const
{
   // Never fatal: a wrong colour is a cosmetic fault.
   (void)required;
   static const TextFormMessages messages = {
       "%s -- Incorrect %s format for \"%s\".  Correct format is \"red|green|blue|alpha\" with no spaces "
       "and each value between 0 and 255 (inclusive).\n",
       "JSONValue::ColorRGBA8Get -- Incorrect format for item at key \"%s\".  Correct format is "
       "\"red|green|blue|alpha\" with no spaces and each value between 0 and 255 (inclusive).\n",
       nullptr};
   JSONValue* value = ItemFind(key);
   bool isString = value && value->type == TYPE_STRING;
   return TextFormGet(isString, isString ? value->payload.string : nullptr, &ColorRGBA8FromString, out, key,
                      defaultValue, contextName, itemName, false, messages);
}
} // namespace Corvale
