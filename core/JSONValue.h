// The in-memory JSON tree behind every configuration, layout, text table, profile and saved game.
// Lookups never fail: whatever is missing or mistyped reads as the shared null value.
#pragma once

#include "core/Box.h"
#include "core/Color.h"
#include "core/Map.h"
#include "core/Memory.h"
#include "core/Point.h"
#include "core/Table.h"
#include "core/Types.h"

namespace Corvale
{
class JSONParser;

// Text forms are formatted into buffers of this size.
constexpr u32 JSON_VALUE_TEXT_SIZE = 256;

// Saturating conversions: a number from a file must never turn into undefined behaviour (NaN
// gives 0; a negative number wraps in DoubleToUnsignedInt as a two's-complement cast would).
i32 DoubleToInt(double number);
u32 DoubleToUnsignedInt(double number);

class JSONValue
{
 public:
   enum Type : u32
   {
      TYPE_NULL = 0,
      TYPE_BOOL = 1,
      TYPE_NUMBER = 2,
      TYPE_STRING = 3,
      TYPE_OBJECT = 4,
      TYPE_ARRAY = 5
   };

   // Members keyed by their own copies of the key texts, in byte order.
   typedef Map<const char*, JSONValue*> MemberMap;
   typedef MemberMap::Iterator Iterator;
   typedef Table<JSONValue*> ElementTable;

   constexpr JSONValue() : type(TYPE_NULL), payload(), heap(HEAP_DEFAULT) {}
   explicit constexpr JSONValue(i32 heapId) : type(TYPE_NULL), payload(), heap(heapId) {}
   ~JSONValue() { Clear(); }
   JSONValue(const JSONValue&) = delete;
   JSONValue& operator=(const JSONValue&) = delete;

   // The value every failed lookup returns; nothing ever changes it.
   static JSONValue nullValue;
   // A new null value allocated in heapId that allocates its children there too.
   static JSONValue* New(i32 heapId);

   u32 TypeGet() const { return type; }
   i32 HeapGet() const { return heap; }
   // Only for an empty value: the heap of what it will own.
   void HeapSet(i32 heapId)
   {
      if (this != &nullValue)
      {
         heap = heapId;
      }
   }
   // The text of a string value, null for anything else.
   const char* StringValueGet() const { return type == TYPE_STRING ? payload.string : nullptr; }

   JSONValue* NullSet();
   JSONValue* BoolSet(bool value);
   JSONValue* NumberSet(double value);
   JSONValue* StringSet(const char* text);
   JSONValue* ObjectSet();
   JSONValue* ArraySet();
   void Clear();
   void ItemsClear();
   JSONValue* Clone(i32 heapId, JSONValue* destination = nullptr) const;
   // Moves every member of other into this object and frees other; false (and nothing moved)
   // unless both are objects other than the shared null value.
   bool ItemsMerge(JSONValue* other);
   i32 CountGet() const;
   void CountSet(i32 count);

   // Objects.
   JSONValue* ItemGet(const char* key) const;
   JSONValue* ItemFind(const char* key) const;
   JSONValue* ItemGetOrAdd(const char* key);
   JSONValue* ItemClear(const char* key);
   JSONValue* ItemEnsure(const char* key);
   // Takes ownership of value on success (the result is value); on failure the caller keeps it.
   JSONValue* ItemSet(const char* key, JSONValue* value);
   JSONValue* ItemObjectSet(const char* key);
   JSONValue* ItemArraySet(const char* key);
   JSONValue* ItemBoolSet(const char* key, bool value);
   JSONValue* ItemStringSet(const char* key, const char* text);
   JSONValue* ItemNumberSet(const char* key, i32 value);
   void ItemRemove(const char* key);
   // The first member in key order; walk on with MemberMap::Next.
   Iterator ItemsBegin() const;
   bool MemberIsNull(const char* key) const;
   bool MemberIsBool(const char* key) const;
   bool ItemNumberCheck(const char* key) const;
   bool ItemStringCheck(const char* key) const;
   bool ItemArrayCheck(const char* key) const;
   bool MemberObjectCheck(const char* key) const;
   bool ItemPoint2FCheck(const char* key) const;

   // Arrays.
   JSONValue* ElementGet(i32 index) const;
   JSONValue* ElementFind(i32 index) const;
   // Takes ownership of value on success (the result is value); on failure the caller keeps it.
   JSONValue* ElementSet(i32 index, JSONValue* value);
   JSONValue* ElementBoolSet(i32 index, bool value);
   JSONValue* ElementNumberSet(i32 index, double value);
   void ElementNumberAdd(double value);
   JSONValue* ElementAdd();
   void ElementRemove(i32 index);
   bool ElementStringCheck(i32 index) const;
   // False for a value that is not an array and for an index outside it.
   bool ElementNumberCheck(i32 index) const;
   i32 ElementStringFind(const char* text) const;

   // Conversions of this value.
   bool BoolValueGet() const;
   i32 IntValueGet() const;
   u32 UnsignedIntValueGet() const;
   float FloatValueGet() const;
   double DoubleValueGet() const;
   Point2I Point2IValueGet() const;
   Point2F Point2FValueGet() const;
   Point3F Point3FValueGet() const;
   Box2F Box2FValueGet() const;
   Box3F Box3FValueGet() const;
   ColorRGBA8 ColorRGBA8ValueGet() const;
   bool Box3FCheck() const;
   bool Box2FTryGet(const char* key, Box2F* out) const;
   void Point2ISet(const Point2I& point);
   void Point2FSet(const Point2F& point);
   void Point3FSet(const Point3F& point);
   void Box2FSet(const Box2F& box);
   void Box3FSet(const Box3F& box);
   void ColorRGBA8Set(const ColorRGBA8& color);

   // Members of exactly the getter's JSON type; anything else writes the default and gives false.
   bool FloatGet(float* out, const char* key, float defaultValue) const;
   bool DoubleGet(double* out, const char* key, double defaultValue) const;
   bool BoolGet(bool* out, const char* key, bool defaultValue) const;

   // Text-form members. A malformed text is reported (fatally when required); contextName and
   // itemName, when both are given, name the reader and the item in the messages.
   void Point2FGet(Point2F* out, const char* key, const Point2F* defaultValue, const char* contextName,
                   const char* itemName, bool required) const;
   void Box2FGet(Box2F* out, const char* key, const Box2F* defaultValue, const char* contextName,
                 const char* itemName, bool required) const;
   bool ColorRGBA8Get(ColorRGBA8* out, const char* key, const ColorRGBA8* defaultValue,
                      const char* contextName, const char* itemName, bool required) const;

 private:
   friend class JSONParser;

   static Allocator* HeapAllocatorGet(i32 heapId);
   // Clears and frees a child; the shared null value and null are left alone.
   static void ValueFree(JSONValue* value);

   bool ObjectCheck() const { return type == TYPE_OBJECT && payload.object; }
   bool ArrayCheck() const { return type == TYPE_ARRAY && payload.array; }
   // A string of length bytes of text (which need not be terminated); false when out of memory.
   bool StringSetN(const char* text, u32 length);
   // The element at index, growing the array and filling an empty slot; null when it can't.
   JSONValue* ElementSlotGet(i32 index);
   void MembersRelease();
   void ElementsRelease();
   // Formats a text form and stores it; the value is left alone when the text does not fit.
   void TextFormSet(const char* format, ...) __attribute__((format(printf, 2, 3)));

   u32 type;
   union Payload
   {
      constexpr Payload() : number(0.0) {}
      bool boolean;
      double number;
      char* string;
      MemberMap* object;
      ElementTable* array;
   } payload;
   i32 heap;
};
} // namespace Corvale
