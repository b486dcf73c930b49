// The runtime's JSON reader: one recursive pass over a bounded text. Every read checks the end
// of the text, nesting is bounded, and disposal walks siblings in a loop.
#include "tutorial/skeleton/Json.h"

#include <cfloat>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "tutorial/skeleton/skHooks.h"

namespace Corvale
{
namespace
{
constexpr size_t JSON_ERROR_SIZE = 256;

char errorText[JSON_ERROR_SIZE];
bool errorSet = false;

struct Parser
{
   const char* end;
   const char* error; // where the parse failed; null for a failed allocation
   i32 depth;
};

const char* Fail(Parser* parser, const char* at)
{
   parser->error = at;
   return nullptr;
}

const char* Skip(const char* p, const char* end)
{
   while (p < end && static_cast<unsigned char>(*p) >= 1 && static_cast<unsigned char>(*p) <= 32)
   {
      ++p;
   }
   return p;
}

Json* NodeCreate()
{
   return SK_ALLOC(Json, 1);
}

const char* ValueParse(Json* item, const char* p, Parser* parser);

// Four hexadecimal digits before end into value; false when there aren't four.
bool Hex4Read(const char* p, const char* end, u32* value)
{
   if (end - p < 4)
   {
      return false;
   }
   u32 result = 0;
   for (int i = 0; i < 4; ++i)
   {
      const char c = p[i];
      u32 digit;
      if (c >= '0' && c <= '9')
      {
         digit = static_cast<u32>(c - '0');
      }
      else if (c >= 'a' && c <= 'f')
      {
         digit = static_cast<u32>(c - 'a' + 10);
      }
      else if (c >= 'A' && c <= 'F')
      {
         digit = static_cast<u32>(c - 'A' + 10);
      }
      else
      {
         return false;
      }
      result = result << 4 | digit;
   }
   *value = result;
   return true;
}

char* UTF8Write(char* out, u32 code)
{
   if (code < 0x80)
   {
      *out++ = static_cast<char>(code);
   }
   else if (code < 0x800)
   {
      *out++ = static_cast<char>(0xC0 | code >> 6);
      *out++ = static_cast<char>(0x80 | (code & 0x3F));
   }
   else if (code < 0x10000)
   {
      *out++ = static_cast<char>(0xE0 | code >> 12);
      *out++ = static_cast<char>(0x80 | (code >> 6 & 0x3F));
      *out++ = static_cast<char>(0x80 | (code & 0x3F));
   }
   else
   {
      *out++ = static_cast<char>(0xF0 | code >> 18);
      *out++ = static_cast<char>(0x80 | (code >> 12 & 0x3F));
      *out++ = static_cast<char>(0x80 | (code >> 6 & 0x3F));
      *out++ = static_cast<char>(0x80 | (code & 0x3F));
   }
   return out;
}

// A \u escape whose digits start at p (before close); returns the position after it, or null
// when its digits are incomplete. Surrogate halves that don't pair write nothing.
const char* UnicodeEscapeDecode(const char* p, const char* close, char** out)
{
   u32 code;
   if (!Hex4Read(p, close, &code))
   {
      return nullptr;
   }
   p += 4;
   if ((code >= 0xDC00 && code <= 0xDFFF) || code == 0)
   {
      return p;
   }
   if (code >= 0xD800 && code <= 0xDBFF)
   {
      if (close - p < 2 || p[0] != '\\' || p[1] != 'u')
      {
         return p;
      }
      u32 low;
      if (!Hex4Read(p + 2, close, &low))
      {
         return nullptr;
      }
      p += 6;
      if (low < 0xDC00 || low > 0xDFFF)
      {
         return p;
      }
      code = 0x10000 + ((code & 0x3FF) << 10 | (low & 0x3FF));
   }
   *out = UTF8Write(*out, code);
   return p;
}

// A string from the quote at p into item's valueString.
const char* StringParse(Json* item, const char* p, Parser* parser)
{
   const char* close = p + 1;
   while (close < parser->end && *close != '"')
   {
      // A backslash takes the next byte with it, unless the text ends there.
      if (*close == '\\' && close + 1 < parser->end)
      {
         ++close;
      }
      ++close;
   }
   if (close >= parser->end)
   {
      return Fail(parser, p);
   }
   // No escape writes more bytes than it reads.
   char* text = static_cast<char*>(_skMalloc(static_cast<size_t>(close - p), __FILE__, __LINE__));
   if (!text)
   {
      return Fail(parser, nullptr);
   }
   char* out = text;
   const char* s = p + 1;
   while (s < close)
   {
      if (*s != '\\')
      {
         *out++ = *s++;
         continue;
      }
      const char* escape = s;
      ++s;
      switch (*s)
      {
      case 'b':
         *out++ = '\b';
         break;
      case 'f':
         *out++ = '\f';
         break;
      case 'n':
         *out++ = '\n';
         break;
      case 'r':
         *out++ = '\r';
         break;
      case 't':
         *out++ = '\t';
         break;
      case 'u':
         s = UnicodeEscapeDecode(s + 1, close, &out);
         if (!s)
         {
            SK_FREE(text);
            return Fail(parser, escape);
         }
         continue;
      default:
         *out++ = *s;
         break;
      }
      ++s;
   }
   *out = 0;
   item->valueString = text;
   item->type = Json_String;
   return close + 1;
}

// The longest decimal floating-point prefix at p; its end, or p when there is none.
const char* NumberScan(const char* p, const char* end)
{
   const char* s = p;
   if (s < end && *s == '-')
   {
      ++s;
   }
   const char* digits = s;
   while (s < end && *s >= '0' && *s <= '9')
   {
      ++s;
   }
   bool any = s > digits;
   if (s < end && *s == '.')
   {
      const char* fraction = s + 1;
      const char* f = fraction;
      while (f < end && *f >= '0' && *f <= '9')
      {
         ++f;
      }
      if (any || f > fraction)
      {
         any = true;
         s = f;
      }
   }
   if (!any)
   {
      return p;
   }
   if (s < end && (*s == 'e' || *s == 'E'))
   {
      const char* e = s + 1;
      if (e < end && (*e == '+' || *e == '-'))
      {
         ++e;
      }
      const char* exponent = e;
      while (e < end && *e >= '0' && *e <= '9')
      {
         ++e;
      }
      if (e > exponent)
      {
         s = e;
      }
   }
   return s;
}

const char* NumberParse(Json* item, const char* p, Parser* parser)
{
   const char* numberEnd = NumberScan(p, parser->end);
   if (numberEnd == p)
   {
      return Fail(parser, p);
   }
   // strtod wants a terminated text: copy the number, on the heap only when it is very long.
   const size_t length = static_cast<size_t>(numberEnd - p);
   char local[64];
   char* copy =
       length < sizeof(local) ? local : static_cast<char*>(_skMalloc(length + 1, __FILE__, __LINE__));
   if (!copy)
   {
      return Fail(parser, nullptr);
   }
   std::memcpy(copy, p, length);
   copy[length] = 0;
   const double value = std::strtod(copy, nullptr);
   if (copy != local)
   {
      SK_FREE(copy);
   }
   // Beyond the float and int ranges the plain conversions are undefined: clamp.
   float valueFloat;
   if (value > FLT_MAX)
   {
      valueFloat = FLT_MAX;
   }
   else if (value < -FLT_MAX)
   {
      valueFloat = -FLT_MAX;
   }
   else
   {
      valueFloat = static_cast<float>(value);
   }
   if (valueFloat >= 2147483648.0f)
   {
      item->valueInt = INT_MAX;
   }
   else if (valueFloat < -2147483648.0f)
   {
      item->valueInt = INT_MIN;
   }
   else
   {
      item->valueInt = static_cast<i32>(valueFloat);
   }
   item->valueFloat = valueFloat;
   item->type = Json_Number;
   return numberEnd;
}

// The elements of an array or the members of an object from the bracket at p to its closing
// bracket; members read a key and ':' before each value.
const char* ContainerParse(Json* item, const char* p, Parser* parser, bool members)
{
   if (parser->depth >= JSON_DEPTH_MAX)
   {
      return Fail(parser, p);
   }
   const char close = members ? '}' : ']';
   item->type = members ? Json_Object : Json_Array;
   p = Skip(p + 1, parser->end);
   if (p < parser->end && *p == close)
   {
      return p + 1;
   }
   parser->depth++;
   Json* last = nullptr;
   while (true)
   {
      Json* child = NodeCreate();
      if (!child)
      {
         return Fail(parser, nullptr);
      }
      if (last)
      {
         last->next = child;
      }
      else
      {
         item->child = child;
      }
      last = child;
      item->size++;
      if (members)
      {
         if (p >= parser->end || *p != '"')
         {
            return Fail(parser, p);
         }
         p = StringParse(child, p, parser);
         if (!p)
         {
            return nullptr;
         }
         child->name = child->valueString;
         child->valueString = nullptr;
         p = Skip(p, parser->end);
         if (p >= parser->end || *p != ':')
         {
            return Fail(parser, p);
         }
         p = Skip(p + 1, parser->end);
      }
      p = ValueParse(child, p, parser);
      if (!p)
      {
         return nullptr;
      }
      p = Skip(p, parser->end);
      if (p >= parser->end || *p != ',')
      {
         break;
      }
      p = Skip(p + 1, parser->end);
   }
   parser->depth--;
   if (p >= parser->end || *p != close)
   {
      return Fail(parser, p);
   }
   return p + 1;
}

// Compares the word after the first letter at p; true when all of it lies before end.
bool WordMatch(const char* p, const char* end, const char* rest)
{
   const size_t length = std::strlen(rest);
   return static_cast<size_t>(end - p) > length && std::memcmp(p + 1, rest, length) == 0;
}

const char* ValueParse(Json* item, const char* p, Parser* parser)
{
   if (p >= parser->end)
   {
      return Fail(parser, p);
   }
   switch (*p)
   {
   case '"':
      return StringParse(item, p, parser);
   case '[':
      return ContainerParse(item, p, parser, false);
   case '{':
      return ContainerParse(item, p, parser, true);
   case 'f':
      if (WordMatch(p, parser->end, "alse"))
      {
         item->type = Json_False;
         return p + 5;
      }
      break;
   case 'n':
      if (WordMatch(p, parser->end, "ull"))
      {
         item->type = Json_NULL;
         return p + 4;
      }
      break;
   case 't':
      if (WordMatch(p, parser->end, "rue"))
      {
         item->type = Json_True;
         item->valueInt = 1;
         return p + 4;
      }
      break;
   default:
      if (*p == '-' || (*p >= '0' && *p <= '9'))
      {
         return NumberParse(item, p, parser);
      }
      break;
   }
   return Fail(parser, p);
}

bool KeyEqual(const char* a, const char* b)
{
   for (;; ++a, ++b)
   {
      char x = *a;
      char y = *b;
      x = (x >= 'A' && x <= 'Z') ? static_cast<char>(x - 'A' + 'a') : x;
      y = (y >= 'A' && y <= 'Z') ? static_cast<char>(y - 'A' + 'a') : y;
      if (x != y)
      {
         return false;
      }
      if (!x)
      {
         return true;
      }
   }
}
} // namespace

Json* Json_create(const char* text, i32 length)
{
   errorSet = false;
   errorText[0] = 0;
   if (!text || length < 0)
   {
      errorSet = true;
      return nullptr;
   }
   Parser parser{text + length, nullptr, 0};
   Json* root = NodeCreate();
   const char* p = root ? ValueParse(root, Skip(text, parser.end), &parser) : nullptr;
   if (p)
   {
      return root;
   }
   // The text may be freed before the error is read, and need not be terminated: keep a copy.
   errorSet = true;
   if (parser.error)
   {
      size_t count = static_cast<size_t>(parser.end - parser.error);
      count = count < JSON_ERROR_SIZE - 1 ? count : JSON_ERROR_SIZE - 1;
      std::memcpy(errorText, parser.error, count);
      errorText[count] = 0;
   }
   if (root)
   {
      Json_dispose(root);
   }
   return nullptr;
}

Json* Json_create(const char* text)
{
   const size_t length = text ? std::strlen(text) : 0;
   if (length > INT_MAX)
   {
      errorSet = true;
      errorText[0] = 0;
      return nullptr;
   }
   return Json_create(text, static_cast<i32>(length));
}

const char* Json_getError()
{
   return errorSet ? errorText : nullptr;
}

void Json_dispose(Json* self)
{
   while (self)
   {
      Json* next = self->next;
      if (self->child)
      {
         Json_dispose(self->child);
      }
      SK_FREE(self->valueString);
      SK_FREE(self->name);
      SK_FREE(self);
      self = next;
   }
}

Json* Json_getItem(Json* object, const char* key)
{
   for (Json* child = object->child; child; child = child->next)
   {
      if (child->name && KeyEqual(child->name, key))
      {
         return child;
      }
   }
   return nullptr;
}

const char* Json_getString(Json* object, const char* key, const char* defaultValue)
{
   Json* item = Json_getItem(object, key);
   return item ? item->valueString : defaultValue;
}

float Json_getFloat(Json* object, const char* key, float defaultValue)
{
   Json* item = Json_getItem(object, key);
   return item ? item->valueFloat : defaultValue;
}

i32 Json_getInt(Json* object, const char* key, i32 defaultValue)
{
   Json* item = Json_getItem(object, key);
   return item ? item->valueInt : defaultValue;
}
} // namespace Corvale
