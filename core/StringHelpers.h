// UTF-8 and UTF-16 conversions, bounded copy, append and format helpers that never leave a
// buffer unterminated or cut a character in half, and a few string utilities.
#pragma once

#include <cstdarg>

#include "core/Color.h"
#include "core/Point.h"
#include "core/Types.h"

namespace Corvale
{
// Token buffer size of UTF8Strtok.
constexpr u32 UTF8_STRTOK_TOKEN_SIZE = 260;

// Characters: each returns the number of bytes read or written, or -1 after a warning.
i32 UTF8CharacterToUnicode(u32* codePoint, const char* text);
i32 UTF16CharacterToUnicode(u32* codePoint, const u16* units);
i32 UnicodeCharacterToUTF8(char* buffer, u32 codePoint, u32 room);
// room in bytes.
i32 UnicodeCharacterToUTF16(u16* buffer, u32 codePoint, u32 room);

// Strings; UTF-16 sizes are in bytes and include the terminating unit.
bool UTF8ToUTF16(u16* destination, const char* source, u32 destinationSize);
bool UTF16ToUTF8(char* destination, const u16* source, u32 destinationSize);
i32 UTF8ToUTF16Size(const char* text);
i32 UTF16ToUTF8Size(const u16* units);
// A HEAP_TEMP block; null on any failure.
u16* UTF8ToUTF16Duplicate(const char* text);
char* UTF16ToUTF8Duplicate(const u16* units, i32 heapId);
i32 UTF8CharacterCount(const char* text);
// Cuts the text before the first character that does not fit the buffer with its terminator or
// is malformed; false when it cut.
bool UTF8Truncate(char* text, u32 bufferSize);
// Tokens separated by '|'; token must hold UTF8_STRTOK_TOKEN_SIZE bytes. Returns the position of
// the delimiter or terminator that ended the token, null when no token remains.
const char* UTF8Strtok(const char* text, char* token, const char* ignored, bool* complete);

bool NultVsnprintf(char* buffer, u32 size, const char* format, va_list arguments);
bool NultSnprintf(char* buffer, u32 size, const char* format, ...) __attribute__((format(printf, 3, 4)));
bool NultStrncpy(char* destination, const char* source, u32 destinationSize);
bool NultStrncat(char* destination, const char* source, u32 destinationSize);
bool NultStrncatTruncate(char* destination, const char* source, u32 destinationSize);

char* StringDuplicateN(const char* text, u32 length, i32 heapId);
char* StringUpperCaseASCII(char* text);
bool StringLess(const char* a, const char* b);
u32 StringCRC32(const char* text);

// The event-name key: a hash and the text.
struct HashedString
{
   u32 hash = 0;
   const char* text = nullptr;
};
bool HashedStringLess(const HashedString& a, const HashedString& b);

bool Point2FFromString(const char* text, Point2F* point);
bool ColorRGBA8FromString(const char* text, ColorRGBA8* color);

// True when the text is a printf format whose only conversions are exactly count "%d" ("%%"
// allowed): translated formats must not read arguments that are not there.
bool IntegerFormatCheck(const char* format, i32 count);
} // namespace Corvale
