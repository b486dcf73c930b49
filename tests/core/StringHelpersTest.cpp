// UTF-8/UTF-16 conversions, bounded copy, append and format, and the small text utilities.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/Memory.h"
#include "core/StringHelpers.h"

using namespace Corvale;

namespace
{
const char* const EURO = "\xE2\x82\xAC";
const char* const GRIN = "\xF0\x9F\x98\x80"; // U+1F600
} // namespace

TEST(StringHelpers, CharacterRoundTrips)
{
   struct Case
   {
      u32 codePoint;
      const char* utf8;
      std::vector<u16> utf16;
   };
   const Case cases[] = {{0x41, "A", {0x41}},
                         {0xE9, "\xC3\xA9", {0xE9}},
                         {0x20AC, EURO, {0x20AC}},
                         {0xFFFF, "\xEF\xBF\xBF", {0xFFFF}},
                         {0x1F600, GRIN, {0xD83D, 0xDE00}},
                         {0x10FFFF, "\xF4\x8F\xBF\xBF", {0xDBFF, 0xDFFF}}};
   for (const Case& c : cases)
   {
      SCOPED_TRACE(c.codePoint);
      u32 decoded = 0;
      i32 length = static_cast<i32>(std::strlen(c.utf8));
      EXPECT_EQ(UTF8CharacterToUnicode(&decoded, c.utf8), length);
      EXPECT_EQ(decoded, c.codePoint);
      char utf8[4];
      ASSERT_EQ(UnicodeCharacterToUTF8(utf8, c.codePoint, 4), length);
      EXPECT_EQ(std::string(utf8, length), c.utf8);
      EXPECT_EQ(UnicodeCharacterToUTF8(utf8, c.codePoint, length - 1), -1) << "room one short";
      u16 units[2] = {};
      i32 bytes = static_cast<i32>(c.utf16.size() * 2);
      ASSERT_EQ(UnicodeCharacterToUTF16(units, c.codePoint, 4), bytes);
      EXPECT_EQ(std::vector<u16>(units, units + c.utf16.size()), c.utf16);
      EXPECT_EQ(UnicodeCharacterToUTF16(units, c.codePoint, bytes - 1), -1);
      u16 source[3] = {c.utf16[0], c.utf16.size() > 1 ? c.utf16[1] : u16(0), 0};
      EXPECT_EQ(UTF16CharacterToUnicode(&decoded, source), bytes);
      EXPECT_EQ(decoded, c.codePoint);
   }
}

TEST(StringHelpers, InvalidCharactersAreRejected)
{
   u32 codePoint = 0;
   for (const char* bad : {"\x80", "\xC3(", "\xE2\x82(", "\xF0\x9F\x98(", "\xF8\x80\x80\x80\x80", "\xC3"})
   {
      EXPECT_EQ(UTF8CharacterToUnicode(&codePoint, bad), -1) << bad;
   }
   EXPECT_EQ(UTF8CharacterToUnicode(nullptr, "a"), -1);
   EXPECT_EQ(UTF8CharacterToUnicode(&codePoint, nullptr), -1);
   const u16 loneHigh[] = {0xD83D, 0x41, 0};
   EXPECT_EQ(UTF16CharacterToUnicode(&codePoint, loneHigh), -1);
   char utf8[4];
   EXPECT_EQ(UnicodeCharacterToUTF8(utf8, 0x110000, 4), -1);
   u16 units[2];
   EXPECT_EQ(UnicodeCharacterToUTF16(units, 0xD800, 4), -1);
   EXPECT_EQ(UnicodeCharacterToUTF16(units, 0x110000, 4), -1);
}

TEST(StringHelpers, StringConversions)
{
   std::string text = std::string("a") + EURO + GRIN + "z";
   u16 wide[16];
   ASSERT_TRUE(UTF8ToUTF16(wide, text.c_str(), sizeof(wide)));
   const std::vector<u16> expected = {'a', 0x20AC, 0xD83D, 0xDE00, 'z', 0};
   EXPECT_EQ(std::vector<u16>(wide, wide + 6), expected);
   char back[16];
   ASSERT_TRUE(UTF16ToUTF8(back, wide, sizeof(back)));
   EXPECT_EQ(text, back);

   EXPECT_EQ(UTF8ToUTF16Size(""), 2);
   EXPECT_EQ(UTF8ToUTF16Size(EURO), 4);
   EXPECT_EQ(UTF8ToUTF16Size(GRIN), 6);
   EXPECT_EQ(UTF8ToUTF16Size(text.c_str()), 12);
   EXPECT_EQ(UTF8ToUTF16Size(nullptr), -1);
   EXPECT_EQ(UTF8ToUTF16Size("\xED\xA0\x80"), -1) << "an encoded surrogate has no UTF-16 form";
   EXPECT_EQ(UTF16ToUTF8Size(wide), static_cast<i32>(text.size() + 1));
   const u16 badPair[] = {0xD800, 0x20, 0};
   EXPECT_EQ(UTF16ToUTF8Size(badPair), -1);
   const u16 beyond[] = {0xDC00, 0xDC00, 0};
   EXPECT_EQ(UTF16ToUTF8Size(beyond), -1) << "decodes above U+10FFFF";

   EXPECT_EQ(UTF8CharacterCount(text.c_str()), 4);
   EXPECT_EQ(UTF8CharacterCount(""), 0);
   EXPECT_EQ(UTF8CharacterCount("a\xC3"), -1);
   EXPECT_EQ(UTF8CharacterCount(nullptr), -1);

   u16* duplicate = UTF8ToUTF16Duplicate(text.c_str());
   ASSERT_NE(duplicate, nullptr);
   char* again = UTF16ToUTF8Duplicate(duplicate, HEAP_DEFAULT);
   ASSERT_NE(again, nullptr);
   EXPECT_EQ(text, again);
   MemoryFree(duplicate);
   MemoryFree(again);
   EXPECT_EQ(UTF8ToUTF16Duplicate("\xFF"), nullptr);
   EXPECT_EQ(UTF16ToUTF8Duplicate(badPair, HEAP_DEFAULT), nullptr);
}

TEST(StringHelpers, ConversionsStopOnWholeCharacters)
{
   // "a" + U+1F600 needs 2 + 4 + 2 bytes: every shorter buffer keeps "a" and a terminator,
   // never half of the surrogate pair.
   std::string text = std::string("a") + GRIN;
   for (u32 size : {4u, 5u, 6u, 7u})
   {
      u16 wide[4] = {0xEEEE, 0xEEEE, 0xEEEE, 0xEEEE};
      EXPECT_FALSE(UTF8ToUTF16(wide, text.c_str(), size)) << size;
      EXPECT_EQ(wide[0], 'a');
      EXPECT_EQ(wide[1], 0);
   }
   u16 wide[4];
   EXPECT_TRUE(UTF8ToUTF16(wide, text.c_str(), 8));
   EXPECT_FALSE(UTF8ToUTF16(wide, text.c_str(), 1));
   EXPECT_FALSE(UTF8ToUTF16(wide, nullptr, 8));
   EXPECT_EQ(wide[0], 0);
   u16 replaced[4] = {0xEEEE, 0xEEEE, 0xEEEE, 0xEEEE};
   EXPECT_FALSE(UTF8ToUTF16(replaced, "ab\xC3(", 8));
   EXPECT_EQ(replaced[2], 0) << "terminated where the bad character began";

   const u16 source[] = {'a', 0x20AC, 0};
   for (u32 size : {2u, 3u, 4u})
   {
      char narrow[8];
      std::memset(narrow, 'x', sizeof(narrow));
      EXPECT_FALSE(UTF16ToUTF8(narrow, source, size)) << size;
      EXPECT_STREQ(narrow, "a");
   }
   char narrow[8];
   EXPECT_TRUE(UTF16ToUTF8(narrow, source, 5));
}

TEST(StringHelpers, UTF8Truncate)
{
   struct Case
   {
      const char* text;
      u32 size;
      bool whole;
      const char* result;
   };
   const Case cases[] = {{"a\xC3\xA9", 3, false, "a"},
                         {"a\xC3\xA9", 4, true, "a\xC3\xA9"},
                         {"", 1, true, ""},
                         {"abc", 3, false, "ab"},
                         {"abc", 4, true, "abc"},
                         {"ab\xC3(", 10, false, "ab"},
                         {"ab\xFF", 10, false, "ab"},
                         {"\xE2\x82\xAC", 3, false, ""}};
   for (const Case& c : cases)
   {
      char buffer[16];
      std::strcpy(buffer, c.text);
      EXPECT_EQ(UTF8Truncate(buffer, c.size), c.whole) << c.text << " " << c.size;
      EXPECT_STREQ(buffer, c.result);
   }
   char buffer[4] = "abc";
   EXPECT_FALSE(UTF8Truncate(buffer, 0));
   EXPECT_FALSE(UTF8Truncate(nullptr, 4));
}

TEST(StringHelpers, NultStrncpy)
{
   char buffer[8];
   EXPECT_FALSE(NultStrncpy(buffer, "0123456789", 8));
   EXPECT_STREQ(buffer, "0123456");
   // Byte 7 would split the euro sign: the copy ends before it.
   EXPECT_FALSE(NultStrncpy(buffer, "abcde\xE2\x82\xAC", 8));
   EXPECT_STREQ(buffer, "abcde");
   EXPECT_TRUE(NultStrncpy(buffer, "abcd\xE2\x82\xAC", 8));
   EXPECT_STREQ(buffer, "abcd\xE2\x82\xAC");
   EXPECT_FALSE(NultStrncpy(buffer, nullptr, 8));
   EXPECT_STREQ(buffer, "");
   EXPECT_FALSE(NultStrncpy(buffer, "a", 0));
}

TEST(StringHelpers, NultStrncat)
{
   char buffer[8] = "ab";
   EXPECT_TRUE(NultStrncat(buffer, "cd", 8));
   EXPECT_STREQ(buffer, "abcd");
   EXPECT_FALSE(NultStrncat(buffer, "efgh", 8));
   EXPECT_STREQ(buffer, "abcdefg");
   EXPECT_FALSE(NultStrncat(buffer, nullptr, 8));
   EXPECT_STREQ(buffer, "abcdefg");

   char unterminated[4] = {'w', 'x', 'y', 'z'};
   EXPECT_FALSE(NultStrncat(unterminated, "a", 4));
   EXPECT_STREQ(unterminated, "wxy");

   char split[8] = "abcde";
   EXPECT_FALSE(NultStrncatTruncate(split, EURO, 8));
   EXPECT_STREQ(split, "abcde") << "half a euro sign is cut away";
   char fits[8] = "abcd";
   EXPECT_TRUE(NultStrncatTruncate(fits, EURO, 8));
}

TEST(StringHelpers, NultSnprintf)
{
   char buffer[8];
   EXPECT_TRUE(NultSnprintf(buffer, sizeof(buffer), "%d-%s", 42, "ab"));
   EXPECT_STREQ(buffer, "42-ab");
   EXPECT_FALSE(NultSnprintf(buffer, sizeof(buffer), "%s", "0123456789"));
   EXPECT_STREQ(buffer, "0123456");
   EXPECT_FALSE(NultSnprintf(buffer, sizeof(buffer), "%s", "abcdef\xC3\xA9"));
   EXPECT_STREQ(buffer, "abcdef");
   EXPECT_TRUE(NultSnprintf(buffer, 8, "%s", "abcdefg")) << "7 bytes and the terminator fit";
   EXPECT_FALSE(NultSnprintf(buffer, 8, "%s", "abcdefgh")) << "the would-be length 8 is a cut";
   EXPECT_STREQ(buffer, "abcdefg");
}

TEST(StringHelpers, NultSnprintfEdges)
{
   char buffer[8];
   EXPECT_TRUE(NultSnprintf(buffer, 8, "%s", "abcdef"));
   EXPECT_FALSE(NultSnprintf(buffer, 0, "%s", "a"));
   EXPECT_FALSE(NultSnprintf(nullptr, 8, "%s", "a"));
   std::strcpy(buffer, "zz");
   EXPECT_FALSE(NultSnprintf(buffer, 8, nullptr));
   EXPECT_STREQ(buffer, "");
   EXPECT_TRUE(NultSnprintf(buffer, 8, "%.2f", 1.5)) << "C numeric locale";
   EXPECT_STREQ(buffer, "1.50");
}

TEST(StringHelpers, Strtok)
{
   const char* position = "a||b|";
   char token[UTF8_STRTOK_TOKEN_SIZE];
   bool complete = false;
   std::vector<std::string> tokens;
   while ((position = UTF8Strtok(position, token, nullptr, &complete)) != nullptr)
   {
      EXPECT_TRUE(complete);
      tokens.push_back(token);
   }
   EXPECT_EQ(tokens, (std::vector<std::string>{"a", "b"}));
   EXPECT_TRUE(complete);

   std::string longToken(300, 'x');
   longToken += "|y";
   position = UTF8Strtok(longToken.c_str(), token, nullptr, &complete);
   EXPECT_FALSE(complete);
   EXPECT_EQ(std::strlen(token), 259u);
   ASSERT_NE(position, nullptr);
   EXPECT_EQ(*position, '|');

   // A cut inside a character keeps only whole characters.
   std::string wide(258, 'x');
   wide += EURO;
   UTF8Strtok(wide.c_str(), token, nullptr, &complete);
   EXPECT_FALSE(complete);
   EXPECT_EQ(std::strlen(token), 258u);

   EXPECT_EQ(UTF8Strtok(nullptr, token, nullptr, &complete), nullptr);
   EXPECT_FALSE(complete);
   EXPECT_EQ(UTF8Strtok("|||", token, nullptr, &complete), nullptr);
   EXPECT_TRUE(complete);
}

TEST(StringHelpers, Utilities)
{
   char* copy = StringDuplicateN("abcdef", 3, HEAP_DEFAULT);
   ASSERT_NE(copy, nullptr);
   EXPECT_STREQ(copy, "abc");
   MemoryFree(copy);
   char* shortCopy = StringDuplicateN("ab", 10, HEAP_DEFAULT);
   ASSERT_NE(shortCopy, nullptr);
   EXPECT_STREQ(shortCopy, "ab") << "a text shorter than length is not read past its end";
   MemoryFree(shortCopy);
   EXPECT_EQ(StringDuplicateN(nullptr, 3, HEAP_DEFAULT), nullptr);

   char text[] = "abz\xC3\xA9!";
   EXPECT_STREQ(StringUpperCaseASCII(text), "ABZ\xC3\xA9!");

   EXPECT_TRUE(StringLess("abc", "abd"));
   EXPECT_FALSE(StringLess("abc", "abc"));
   EXPECT_TRUE(StringLess("ab", "abc"));
   EXPECT_TRUE(StringLess("z", "\xC3\xA9")) << "bytes compare unsigned";

   EXPECT_EQ(StringCRC32("abc"), 0x352441C2u);
   EXPECT_EQ(StringCRC32("123456789"), 0xCBF43926u);
   EXPECT_EQ(StringCRC32(""), 0u);

   HashedString a{1, "zzz"};
   HashedString b{2, "aaa"};
   HashedString c{2, "bbb"};
   EXPECT_TRUE(HashedStringLess(a, b));
   EXPECT_TRUE(HashedStringLess(b, c));
   EXPECT_FALSE(HashedStringLess(c, b));
   EXPECT_FALSE(HashedStringLess(b, b));
   HashedString high{0x80000000u, "a"};
   EXPECT_TRUE(HashedStringLess(a, high)) << "hashes compare unsigned";
}

TEST(StringHelpers, PointAndColorFromString)
{
   Point2F point;
   EXPECT_TRUE(Point2FFromString("1.5|-2", &point));
   EXPECT_FLOAT_EQ(point.x, 1.5f);
   EXPECT_FLOAT_EQ(point.y, -2.0f);
   EXPECT_FALSE(Point2FFromString("1.5", &point));
   EXPECT_FALSE(Point2FFromString(nullptr, &point));
   EXPECT_FALSE(Point2FFromString("1|2", nullptr));

   struct Case
   {
      const char* text;
      bool ok;
      ColorRGBA8 color;
   };
   const Case cases[] = {{"255|128|0|255", true, {255, 128, 0, 255}},
                         {"255|0|0|256", false, {}},
                         {"-1|0|0|0", false, {}},
                         {"1|2|3", false, {}},
                         {"junk", false, {}}};
   for (const Case& c : cases)
   {
      ColorRGBA8 color{9, 9, 9, 9};
      EXPECT_EQ(ColorRGBA8FromString(c.text, &color), c.ok) << c.text;
      if (c.ok)
      {
         EXPECT_EQ(color.r, c.color.r);
         EXPECT_EQ(color.g, c.color.g);
         EXPECT_EQ(color.b, c.color.b);
         EXPECT_EQ(color.a, c.color.a);
      }
   }
   ColorRGBA8 color;
   EXPECT_FALSE(ColorRGBA8FromString(nullptr, &color));
}
