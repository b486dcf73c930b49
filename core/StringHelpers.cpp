// UTF-8/UTF-16 conversions, bounded string helpers and small text utilities. Every function
// reports its own trouble through WarningPrintf with a line that starts with its name.
#include "core/StringHelpers.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "core/Log.h"
#include "core/Memory.h"

namespace Corvale
{
namespace
{
constexpr u32 UNICODE_MAX = 0x10FFFF;

bool ContinuationCheck(u8 byte)
{
   return (byte & 0xC0) == 0x80;
}

// Bytes of a UTF-8 character by its first byte; 0 for a byte that cannot start one.
u32 UTF8LengthGet(u8 first)
{
   if (first < 0x80)
   {
      return 1;
   }
   if ((first & 0xE0) == 0xC0)
   {
      return 2;
   }
   if ((first & 0xF0) == 0xE0)
   {
      return 3;
   }
   if ((first & 0xF8) == 0xF0)
   {
      return 4;
   }
   return 0;
}

u32 crcTable[256];
bool crcTableReady = false;

void CRCTableBuild()
{
   for (u32 i = 0; i < 256; i++)
   {
      u32 c = i;
      for (int k = 0; k < 8; k++)
      {
         c = (c & 1) ? (0xEDB88320u ^ (c >> 1)) : (c >> 1);
      }
      crcTable[i] = c;
   }
   crcTableReady = true;
}

struct CRCTableInit
{
   CRCTableInit() { CRCTableBuild(); }
} crcTableInit;
} // namespace

i32 UTF8CharacterToUnicode(u32* codePoint, const char* text)
{
   if (!codePoint || !text)
   {
      return -1;
   }
   const u8* s = reinterpret_cast<const u8*>(text);
   u32 length = UTF8LengthGet(s[0]);
   switch (length)
   {
   case 1:
      *codePoint = s[0];
      return 1;
   case 2:
      if (!ContinuationCheck(s[1]))
      {
         WarningPrintf("UTF8CharacterToUnicode -- invalid continuation byte of 2-byte character.\n");
         return -1;
      }
      *codePoint = (static_cast<u32>(s[0] & 0x1F) << 6) | (s[1] & 0x3F);
      return 2;
   case 3:
      if (!ContinuationCheck(s[1]) || !ContinuationCheck(s[2]))
      {
         WarningPrintf("UTF8CharacterToUnicode -- invalid continuation byte of 3-byte character.\n");
         return -1;
      }
      *codePoint =
          (static_cast<u32>(s[0] & 0x0F) << 12) | (static_cast<u32>(s[1] & 0x3F) << 6) | (s[2] & 0x3F);
      return 3;
   case 4:
      if (!ContinuationCheck(s[1]) || !ContinuationCheck(s[2]) || !ContinuationCheck(s[3]))
      {
         WarningPrintf("UTF8CharacterToUnicode -- invalid continuation byte of 4-byte character.\n");
         return -1;
      }
      *codePoint = (static_cast<u32>(s[0] & 0x07) << 18) | (static_cast<u32>(s[1] & 0x3F) << 12) |
                   (static_cast<u32>(s[2] & 0x3F) << 6) | (s[3] & 0x3F);
      return 4;
   default:
      WarningPrintf("UTF8CharacterToUnicode -- invalid starting byte of UTF-8 character.\n");
      return -1;
   }
}

i32 UTF16CharacterToUnicode(u32* codePoint, const u16* units)
{
   if (!codePoint || !units)
   {
      return -1;
   }
   u32 first = units[0];
   if (first < 0xD800 || first > 0xDFFF)
   {
      *codePoint = first;
      return 2;
   }
   u32 second = units[1];
   if (second < 0xDC00 || second > 0xDFFF)
   {
      WarningPrintf("UTF16CharacterToUnicode -- invalid low surrogate.\n");
      return -1;
   }
   *codePoint = 0x10000 + ((first - 0xD800) << 10) + (second - 0xDC00);
   return 4;
}

i32 UnicodeCharacterToUTF8(char* buffer, u32 codePoint, u32 room)
{
   if (!buffer)
   {
      return -1;
   }
   u8* out = reinterpret_cast<u8*>(buffer);
   if (codePoint < 0x80)
   {
      if (room < 1)
      {
         WarningPrintf("UnicodeCharacterToUTF8 -- not enough room for 1-byte character.\n");
         return -1;
      }
      out[0] = static_cast<u8>(codePoint);
      return 1;
   }
   if (codePoint < 0x800)
   {
      if (room < 2)
      {
         WarningPrintf("UnicodeCharacterToUTF8 -- not enough room for 2-byte character.\n");
         return -1;
      }
      out[0] = static_cast<u8>(0xC0 | (codePoint >> 6));
      out[1] = static_cast<u8>(0x80 | (codePoint & 0x3F));
      return 2;
   }
   if (codePoint < 0x10000)
   {
      if (room < 3)
      {
         WarningPrintf("UnicodeCharacterToUTF8 -- not enough room for 3-byte character.\n");
         return -1;
      }
      out[0] = static_cast<u8>(0xE0 | (codePoint >> 12));
      out[1] = static_cast<u8>(0x80 | ((codePoint >> 6) & 0x3F));
      out[2] = static_cast<u8>(0x80 | (codePoint & 0x3F));
      return 3;
   }
   if (codePoint <= UNICODE_MAX)
   {
      if (room < 4)
      {
         WarningPrintf("UnicodeCharacterToUTF8 -- not enough room for 4-byte character.\n");
         return -1;
      }
      out[0] = static_cast<u8>(0xF0 | (codePoint >> 18));
      out[1] = static_cast<u8>(0x80 | ((codePoint >> 12) & 0x3F));
      out[2] = static_cast<u8>(0x80 | ((codePoint >> 6) & 0x3F));
      out[3] = static_cast<u8>(0x80 | (codePoint & 0x3F));
      return 4;
   }
   WarningPrintf("UnicodeCharacterToUTF8 -- invalid Unicode character number: %d.\n",
                 static_cast<i32>(codePoint));
   return -1;
}

i32 UnicodeCharacterToUTF16(u16* buffer, u32 codePoint, u32 room)
{
   if (!buffer)
   {
      return -1;
   }
   if (codePoint < 0xD800 || (codePoint >= 0xE000 && codePoint <= 0xFFFF))
   {
      if (room < 2)
      {
         WarningPrintf("UnicodeCharacterToUTF16 -- Not enough room for 2-byte character.\n");
         return -1;
      }
      buffer[0] = static_cast<u16>(codePoint);
      return 2;
   }
   if (codePoint >= 0x10000 && codePoint <= UNICODE_MAX)
   {
      if (room < 4)
      {
         WarningPrintf("UnicodeCharacterToUTF16 -- Not enough room for 4-byte character.\n");
         return -1;
      }
      buffer[0] = static_cast<u16>(0xD800 + ((codePoint - 0x10000) >> 10));
      buffer[1] = static_cast<u16>(0xDC00 + (codePoint & 0x3FF));
      return 4;
   }
   WarningPrintf("UnicodeCharacterToUTF8 -- invalid Unicode character number: %d.\n",
                 static_cast<i32>(codePoint));
   return -1;
}

// Two bytes stay reserved for the terminating unit, so that a cut never leaves half a
// surrogate pair or an unterminated buffer.
bool UTF8ToUTF16(u16* destination, const char* source, u32 destinationSize)
{
   if (!destination || destinationSize < 2)
   {
      return false;
   }
   if (!source)
   {
      destination[0] = 0;
      return false;
   }
   u16* out = destination;
   u32 remaining = destinationSize;
   for (;;)
   {
      u32 codePoint = 0;
      i32 read = UTF8CharacterToUnicode(&codePoint, source);
      if (read < 0)
      {
         *out = 0;
         WarningPrintf("UTF8ToUTF16 -- Problem occurred while converting string.\n");
         return false;
      }
      if (codePoint == 0)
      {
         *out = 0;
         return true;
      }
      u32 needed = codePoint >= 0x10000 ? 4 : 2;
      if (remaining < needed + 2)
      {
         *out = 0;
         WarningPrintf("UTF8ToUTF16 -- Truncation occurred while converting string.\n");
         return false;
      }
      i32 written = UnicodeCharacterToUTF16(out, codePoint, remaining - 2);
      if (written < 0)
      {
         *out = 0;
         WarningPrintf("UTF8ToUTF16 -- Problem occurred while converting string.\n");
         return false;
      }
      out += written / 2;
      remaining -= static_cast<u32>(written);
      source += read;
   }
}

bool UTF16ToUTF8(char* destination, const u16* source, u32 destinationSize)
{
   if (!destination || destinationSize < 2)
   {
      return false;
   }
   if (!source)
   {
      destination[0] = 0;
      return false;
   }
   char* out = destination;
   u32 remaining = destinationSize;
   for (;;)
   {
      u32 codePoint = 0;
      i32 read = UTF16CharacterToUnicode(&codePoint, source);
      if (read < 0)
      {
         *out = 0;
         WarningPrintf("UTF16ToUTF8 -- Problem occurred while converting string.\n");
         return false;
      }
      if (codePoint == 0)
      {
         *out = 0;
         return true;
      }
      char encoded[4];
      i32 written = UnicodeCharacterToUTF8(encoded, codePoint, sizeof(encoded));
      if (written < 0)
      {
         *out = 0;
         WarningPrintf("UTF16ToUTF8 -- Problem occurred while converting string.\n");
         return false;
      }
      if (remaining < static_cast<u32>(written) + 1)
      {
         *out = 0;
         WarningPrintf("UTF16ToUTF8 -- Truncation occurred while converting string.\n");
         return false;
      }
      std::memcpy(out, encoded, static_cast<size_t>(written));
      out += written;
      remaining -= static_cast<u32>(written);
      source += read / 2;
   }
}

i32 UTF8ToUTF16Size(const char* text)
{
   if (!text)
   {
      return -1;
   }
   i32 total = 0;
   for (;;)
   {
      u32 codePoint = 0;
      i32 read = UTF8CharacterToUnicode(&codePoint, text);
      u16 units[2];
      // Also rejects code points that UTF-16 cannot carry (surrogates, above U+10FFFF).
      i32 size = read < 0 ? -1 : UnicodeCharacterToUTF16(units, codePoint, sizeof(units));
      if (size < 0)
      {
         WarningPrintf("UTF8ToUTF16Size -- Problem encountered for string.\n");
         return -1;
      }
      total += size;
      if (codePoint == 0)
      {
         return total;
      }
      text += read;
   }
}

i32 UTF16ToUTF8Size(const u16* units)
{
   if (!units)
   {
      return -1;
   }
   i32 total = 0;
   for (;;)
   {
      u32 codePoint = 0;
      i32 read = UTF16CharacterToUnicode(&codePoint, units);
      if (read < 0)
      {
         WarningPrintf("UTF8ToUTF16Size -- Problem encountered while decoding UTF-16.\n");
         return -1;
      }
      char encoded[4];
      i32 size = UnicodeCharacterToUTF8(encoded, codePoint, sizeof(encoded));
      if (size < 0)
      {
         WarningPrintf("UTF8ToUTF16Size -- Problem encountered while encoding UTF-8.\n");
         return -1;
      }
      total += size;
      if (codePoint == 0)
      {
         return total;
      }
      units += read / 2;
   }
}

u16* UTF8ToUTF16Duplicate(const char* text)
{
   i32 size = UTF8ToUTF16Size(text);
   if (size <= 0)
   {
      return nullptr;
   }
   u16* copy = static_cast<u16*>(MemoryAllocate(static_cast<u32>(size), HEAP_TEMP, MEMORY_ALIGNMENT_MIN));
   if (!copy)
   {
      return nullptr;
   }
   if (!UTF8ToUTF16(copy, text, static_cast<u32>(size)))
   {
      MemoryFree(copy);
      return nullptr;
   }
   return copy;
}

char* UTF16ToUTF8Duplicate(const u16* units, i32 heapId)
{
   i32 size = UTF16ToUTF8Size(units);
   if (size <= 0)
   {
      return nullptr;
   }
   char* copy = static_cast<char*>(MemoryAllocate(static_cast<u32>(size), heapId, MEMORY_ALIGNMENT_MIN));
   if (!copy)
   {
      return nullptr;
   }
   if (!UTF16ToUTF8(copy, units, static_cast<u32>(size)))
   {
      MemoryFree(copy);
      return nullptr;
   }
   return copy;
}

i32 UTF8CharacterCount(const char* text)
{
   if (!text)
   {
      return -1;
   }
   i32 count = 0;
   while (*text)
   {
      u32 codePoint = 0;
      i32 read = UTF8CharacterToUnicode(&codePoint, text);
      if (read < 0)
      {
         return -1;
      }
      text += read;
      count++;
   }
   return count;
}

bool UTF8Truncate(char* text, u32 bufferSize)
{
   if (!text || bufferSize == 0)
   {
      return false;
   }
   u8* s = reinterpret_cast<u8*>(text);
   u32 remaining = bufferSize;
   u32 position = 0;
   for (;;)
   {
      if (s[position] == 0)
      {
         return true;
      }
      u32 length = UTF8LengthGet(s[position]);
      // Room for the character and the terminator is checked before any continuation byte is read.
      bool fits = length != 0 && remaining >= length + 1;
      for (u32 i = 1; fits && i < length; i++)
      {
         fits = ContinuationCheck(s[position + i]);
      }
      if (!fits)
      {
         s[position] = 0;
         WarningPrintf("UTF8Truncate -- truncation occurred.  bufferSize: %d\n",
                       static_cast<i32>(bufferSize));
         return false;
      }
      position += length;
      remaining -= length;
   }
}

const char* UTF8Strtok(const char* text, char* token, const char*, bool* complete)
{
   if (!text || !token)
   {
      if (complete)
      {
         *complete = false;
      }
      return nullptr;
   }
   while (*text == '|')
   {
      text++;
   }
   if (*text == 0)
   {
      if (complete)
      {
         *complete = true;
      }
      return nullptr;
   }
   u32 length = 0;
   bool whole = true;
   while (text[length] != 0 && text[length] != '|')
   {
      length++;
   }
   u32 copied = length;
   if (copied > UTF8_STRTOK_TOKEN_SIZE - 1)
   {
      copied = UTF8_STRTOK_TOKEN_SIZE - 1;
      whole = false;
   }
   std::memcpy(token, text, copied);
   token[copied] = 0;
   if (!UTF8Truncate(token, UTF8_STRTOK_TOKEN_SIZE))
   {
      whole = false;
   }
   if (!whole)
   {
      WarningPrintf("UTF8Strtok -- truncation occurred.\n   tokenBufferSize: %d\n   delimiters: %s\n",
                    static_cast<i32>(UTF8_STRTOK_TOKEN_SIZE), "|");
   }
   if (complete)
   {
      *complete = whole;
   }
   return text + length;
}

// vsnprintf returns the length the text would have had: at or over the buffer size it was cut.
bool NultVsnprintf(char* buffer, u32 size, const char* format, va_list arguments)
{
   if (!buffer || size == 0)
   {
      return false;
   }
   if (!format)
   {
      buffer[0] = 0;
      return false;
   }
   int result = std::vsnprintf(buffer, size, format, arguments);
   bool formatted = result >= 0 && static_cast<u32>(result) < size;
   if (!formatted)
   {
      if (result < 0)
      {
         buffer[0] = 0;
      }
      buffer[size - 1] = 0;
      WarningPrintf("NultVsnprintf -- truncation or error occurred\n   bufferSize: %d\n   format: %s\n",
                    static_cast<i32>(size), format);
   }
   bool whole = UTF8Truncate(buffer, size);
   return formatted && whole;
}

bool NultSnprintf(char* buffer, u32 size, const char* format, ...)
{
   va_list arguments;
   va_start(arguments, format);
   bool result = NultVsnprintf(buffer, size, format, arguments);
   va_end(arguments);
   return result;
}

bool NultStrncpy(char* destination, const char* source, u32 destinationSize)
{
   if (!destination || destinationSize == 0)
   {
      WarningPrintf("NultStrncpy -- truncation or error occurred\n   destinationSize: %d\n",
                    static_cast<i32>(destinationSize));
      return false;
   }
   bool copied = true;
   if (!source)
   {
      destination[0] = 0;
      copied = false;
   }
   else
   {
      size_t length = strnlen(source, destinationSize);
      if (length < destinationSize)
      {
         std::memcpy(destination, source, length + 1);
      }
      else
      {
         std::memcpy(destination, source, destinationSize - 1);
         destination[destinationSize - 1] = 0;
         copied = false;
      }
   }
   if (!copied)
   {
      WarningPrintf("NultStrncpy -- truncation or error occurred\n   destinationSize: %d\n",
                    static_cast<i32>(destinationSize));
   }
   bool whole = UTF8Truncate(destination, destinationSize);
   return copied && whole;
}

bool NultStrncat(char* destination, const char* source, u32 destinationSize)
{
   if (!source || !destination || destinationSize == 0)
   {
      return false;
   }
   size_t length = strnlen(destination, destinationSize);
   if (length == destinationSize)
   {
      destination[destinationSize - 1] = 0;
      WarningPrintf(
          "NultStrncat -- destination was not null-terminated.  truncating\n   destinationSize: %d\n",
          static_cast<i32>(destinationSize));
      return false;
   }
   size_t room = destinationSize - length - 1;
   size_t sourceLength = strnlen(source, room + 1);
   if (sourceLength <= room)
   {
      std::memcpy(destination + length, source, sourceLength + 1);
      return true;
   }
   std::memcpy(destination + length, source, room);
   destination[destinationSize - 1] = 0;
   WarningPrintf("NultStrncat -- truncation or error occurred\n   destinationSize: %d\n",
                 static_cast<i32>(destinationSize));
   return false;
}

bool NultStrncatTruncate(char* destination, const char* source, u32 destinationSize)
{
   bool appended = NultStrncat(destination, source, destinationSize);
   bool whole = UTF8Truncate(destination, destinationSize);
   return appended && whole;
}

// Copies at most length bytes, stopping early at a terminator, so that a short text is never
// read past its end.
char* StringDuplicateN(const char* text, u32 length, i32 heapId)
{
   if (!text || length == UINT32_MAX)
   {
      return nullptr;
   }
   char* copy = static_cast<char*>(MemoryAllocate(length + 1, heapId, MEMORY_ALIGNMENT_MIN));
   if (!copy)
   {
      return nullptr;
   }
   size_t copied = strnlen(text, length);
   std::memcpy(copy, text, copied);
   copy[copied] = 0;
   return copy;
}

char* StringUpperCaseASCII(char* text)
{
   if (!text)
   {
      return nullptr;
   }
   for (char* c = text; *c; c++)
   {
      if (*c >= 'a' && *c <= 'z')
      {
         *c = static_cast<char>(*c - 'a' + 'A');
      }
   }
   return text;
}

bool StringLess(const char* a, const char* b)
{
   // strcmp compares as unsigned bytes.
   return std::strcmp(a, b) < 0;
}

u32 StringCRC32(const char* text)
{
   if (!text || !*text)
   {
      return 0;
   }
   if (!crcTableReady)
   {
      CRCTableBuild();
   }
   u32 crc = 0xFFFFFFFFu;
   for (const u8* s = reinterpret_cast<const u8*>(text); *s; s++)
   {
      crc = crcTable[(crc ^ *s) & 0xFF] ^ (crc >> 8);
   }
   return crc ^ 0xFFFFFFFFu;
}

bool HashedStringLess(const HashedString& a, const HashedString& b)
{
   if (a.hash != b.hash)
   {
      return a.hash < b.hash;
   }
   return StringLess(a.text, b.text);
}

bool Point2FFromString(const char* text, Point2F* point)
{
   if (!text || !point)
   {
      return false;
   }
   float x = 0.0f;
   float y = 0.0f;
   if (std::sscanf(text, "%g|%g", &x, &y) != 2)
   {
      return false;
   }
   point->x = x;
   point->y = y;
   return true;
}

bool ColorRGBA8FromString(const char* text, ColorRGBA8* color)
{
   if (!text || !color)
   {
      return false;
   }
   int r = 0;
   int g = 0;
   int b = 0;
   int a = 0;
   if (std::sscanf(text, "%d|%d|%d|%d", &r, &g, &b, &a) != 4)
   {
      return false;
   }
   for (int channel : {r, g, b, a})
   {
      if (channel < 0 || channel > 255)
      {
         return false;
      }
   }
   color->r = static_cast<u8>(r);
   color->g = static_cast<u8>(g);
   color->b = static_cast<u8>(b);
   color->a = static_cast<u8>(a);
   return true;
}

bool IntegerFormatCheck(const char* format, i32 count)
{
   if (!format)
   {
      return false;
   }
   i32 conversions = 0;
   for (const char* c = format; *c; c++)
   {
      if (*c != '%')
      {
         continue;
      }
      if (c[1] == '%')
      {
         c++;
      }
      else if (c[1] == 'd')
      {
         conversions++;
         c++;
      }
      else
      {
         return false;
      }
   }
   return conversions == count;
}
} // namespace Corvale
