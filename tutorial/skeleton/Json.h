// The runtime's own small JSON reader: a tree of nodes with case-insensitive member lookup,
// read from a text of known length that need not be terminated.
#pragma once

#include "core/Types.h"

namespace Corvale
{
enum
{
   Json_False = 0,
   Json_True = 1,
   Json_NULL = 2,
   Json_Number = 3,
   Json_String = 4,
   Json_Array = 5,
   Json_Object = 6
};

// Arrays and objects nested deeper than this fail the parse: a small file must not be able to
// exhaust the stack.
constexpr i32 JSON_DEPTH_MAX = 100;

struct Json
{
   Json* next;  // next sibling
   Json* child; // first child of an array or object
   i32 type;
   i32 size; // children of an array or object

   char* valueString;
   i32 valueInt; // the float truncated toward zero, within the int range
   float valueFloat;

   char* name; // key of an object member
};

// Parses one value from the first length bytes of text (bytes after the value are ignored);
// null on failure, with Json_getError telling where.
Json* Json_create(const char* text, i32 length);
// The same over a zero-terminated text.
Json* Json_create(const char* text);
// The text from where the last failed parse stopped to the end of that text (at most 255
// bytes, terminated); empty when an allocation failed; null when the last parse succeeded.
const char* Json_getError();
// Frees the node, its children and the siblings that follow it.
void Json_dispose(Json* self);

// The first member whose key equals key ignoring ASCII case, or null.
Json* Json_getItem(Json* object, const char* key);
const char* Json_getString(Json* object, const char* key, const char* defaultValue);
float Json_getFloat(Json* object, const char* key, float defaultValue);
i32 Json_getInt(Json* object, const char* key, i32 defaultValue);
} // namespace Corvale
