// The runtime's JSON reader: values, escapes, number ranges, errors, bounded reads, nesting
// depth and allocation failures, with the allocation hook balanced after every case.
#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <string>

#include "tests/tutorial/skeleton/SkeletonTestSupport.h"
#include "tutorial/skeleton/Json.h"

namespace Corvale
{
namespace
{
using skeleton_test_support::HookedTest;
using skeleton_test_support::State;

class JsonTest : public HookedTest
{
 protected:
   // Parses text from a buffer of exactly its length.
   static Json* Parse(const std::string& text)
   {
      std::vector<char> exact = Exact(text);
      return Json_create(exact.data(), static_cast<i32>(exact.size()));
   }
};

TEST_F(JsonTest, StringEscapesDecodeToUTF8)
{
   struct Case
   {
      const char* text;
      std::string bytes;
   };
   const Case cases[] = {
       {R"("\u00e9")", "\xC3\xA9"},
       {R"("\u0041\u07FF\uFFFF")", "A\xDF\xBF\xEF\xBF\xBF"},
       {R"("\ud83d\ude00")", "\xF0\x9F\x98\x80"},
       {R"("a\udc00b")", "ab"},       // lone low surrogate
       {R"("a\u0000b")", "ab"},       // no embedded terminator
       {R"("a\ud800b")", "ab"},       // high surrogate without its pair
       {R"("a\ud800\u0041b")", "ab"}, // high surrogate with a non-low partner: both dropped
       {R"("\b\f\n\r\t\/\"\\\q")", "\b\f\n\r\t/\"\\q"},
       {R"("")", ""},
   };
   for (const Case& c : cases)
   {
      Json* json = Parse(c.text);
      ASSERT_NE(json, nullptr) << c.text;
      EXPECT_EQ(json->type, Json_String);
      EXPECT_EQ(std::string(json->valueString), c.bytes) << c.text;
      Json_dispose(json);
   }
}

TEST_F(JsonTest, NumbersTruncateAndClampToTheirRanges)
{
   struct Case
   {
      const char* text;
      float valueFloat;
      i32 valueInt;
   };
   const Case cases[] = {
       {"1.9", 1.9f, 1},
       {"-2.5", -2.5f, -2},
       {"0", 0.0f, 0},
       {"-.5", -0.5f, 0},
       {"12e", 12.0f, 12}, // the longest number is "12"
       {"2.5E+1x", 25.0f, 25},
       {"1e10", 1e10f, INT_MAX},
       {"-1e10", -1e10f, INT_MIN},
       {"2147483647", 2147483648.0f, INT_MAX},
       {"-2147483648", -2147483648.0f, INT_MIN},
       {"1e39", FLT_MAX, INT_MAX},
       {"-1e39", -FLT_MAX, INT_MIN},
       {"1e99999", FLT_MAX, INT_MAX},
       {"1e-99999", 0.0f, 0},
       {"0.00000000000000000000000000000000000000000000000000000000000000000000000000001e80", 1e3f, 1000},
   };
   for (const Case& c : cases)
   {
      Json* json = Parse(c.text);
      ASSERT_NE(json, nullptr) << c.text;
      EXPECT_EQ(json->type, Json_Number);
      EXPECT_FLOAT_EQ(json->valueFloat, c.valueFloat) << c.text;
      EXPECT_EQ(json->valueInt, c.valueInt) << c.text;
      Json_dispose(json);
   }
}

TEST_F(JsonTest, ObjectsArraysAndLookups)
{
   Json* root = Parse(R"( { "Name" : "bone", "list": [true, false, null, 3], "x": 1.5, "n": 7 } trailing)");
   ASSERT_NE(root, nullptr);
   EXPECT_EQ(Json_getError(), nullptr);
   EXPECT_EQ(root->type, Json_Object);
   EXPECT_EQ(root->size, 4);
   EXPECT_STREQ(Json_getString(root, "NAME", "none"), "bone");
   EXPECT_STREQ(Json_getString(root, "missing", "none"), "none");
   EXPECT_FLOAT_EQ(Json_getFloat(root, "X", 0), 1.5f);
   EXPECT_FLOAT_EQ(Json_getFloat(root, "y", -1), -1.0f);
   EXPECT_EQ(Json_getInt(root, "n", 0), 7);
   EXPECT_EQ(Json_getInt(root, "m", 9), 9);

   Json* list = Json_getItem(root, "list");
   ASSERT_NE(list, nullptr);
   EXPECT_EQ(list->type, Json_Array);
   EXPECT_EQ(list->size, 4);
   const i32 types[] = {Json_True, Json_False, Json_NULL, Json_Number};
   i32 index = 0;
   for (Json* item = list->child; item; item = item->next, ++index)
   {
      ASSERT_LT(index, 4);
      EXPECT_EQ(item->type, types[index]);
      EXPECT_EQ(item->name, nullptr);
   }
   EXPECT_EQ(index, 4);
   EXPECT_EQ(list->child->valueInt, 1); // true
   // Array elements have no key, so a lookup in an array finds nothing.
   EXPECT_EQ(Json_getItem(list, ""), nullptr);
   Json_dispose(root);

   Json* empty = Parse("{ }");
   ASSERT_NE(empty, nullptr);
   EXPECT_EQ(empty->size, 0);
   EXPECT_EQ(empty->child, nullptr);
   Json_dispose(empty);
}

TEST_F(JsonTest, FailuresGiveTheRestOfTheTextFromWhereTheyStopped)
{
   struct Case
   {
      const char* text;
      const char* error;
   };
   const Case cases[] = {
       {R"({"a" 1})", "1}"}, // ':' expected
       {R"({"a":1,})", "}"}, // a key expected
       {R"({a:1})", "a:1}"}, // keys are strings
       {"[1, 2", ""},        // the text ends inside the array
       {"[1 2]", "2]"},
       {"@", "@"},
       {"-", "-"},
       {"tru", "tru"},
       {"nul", "nul"},
       {"", ""},
       {R"(["abc)", R"("abc)"},   // unterminated string
       {R"("ab\)", R"("ab\)"},    // trailing backslash
       {R"("\u12")", R"(\u12")"}, // incomplete \u escape
       {R"("\ud800\u12")", R"(\ud800\u12")"},
   };
   for (const Case& c : cases)
   {
      EXPECT_EQ(Parse(c.text), nullptr) << c.text;
      ASSERT_NE(Json_getError(), nullptr) << c.text;
      EXPECT_STREQ(Json_getError(), c.error) << c.text;
   }
   // The error is a copy, cut to 255 bytes, valid after the text is gone.
   std::string longText = "[1 " + std::string(1000, 'x');
   EXPECT_EQ(Parse(longText), nullptr);
   EXPECT_EQ(std::string(Json_getError()), std::string(255, 'x'));
}

TEST_F(JsonTest, EveryPrefixOfADocumentParsesOrFailsWithinItsBytes)
{
   const std::string document =
       R"({"skeleton":{"hash":"h\"\\","width":-1.5e2},"bones":[{"name":"r\u00e9","x":3},)"
       R"({"name":"\ud83d\ude00","flipX":true,"n":null}],"e":[[],{},false]})";
   Json* whole = Parse(document);
   ASSERT_NE(whole, nullptr);
   Json_dispose(whole);
   // ASan reports any byte read past the prefix's buffer.
   for (size_t length = 0; length < document.size(); ++length)
   {
      Json* json = Parse(document.substr(0, length));
      if (json)
      {
         Json_dispose(json);
      }
      EXPECT_EQ(State().live, 0) << "prefix " << length;
   }
}

TEST_F(JsonTest, NestingDeeperThanOneHundredFailsAtTheBracketTooDeep)
{
   for (const char* brackets : {"[]", "{}"})
   {
      auto nested = [&](int depth)
      {
         std::string text;
         for (int i = 0; i < depth; ++i)
         {
            text += brackets[0] == '[' ? "[" : R"({"a":)";
         }
         text += brackets[0] == '[' ? "" : "1";
         text += std::string(depth, brackets[1]);
         return text;
      };
      Json* deep = Parse(nested(100));
      ASSERT_NE(deep, nullptr) << brackets;
      Json_dispose(deep);

      const std::string tooDeep = nested(101);
      EXPECT_EQ(Parse(tooDeep), nullptr);
      const std::string expected = tooDeep.substr(brackets[0] == '[' ? 100 : 100 * 5).substr(0, 255);
      EXPECT_EQ(std::string(Json_getError()), expected) << brackets;
   }
   // Far deeper input fails the same way, without recursing further.
   EXPECT_EQ(Parse(std::string(1000000, '[')), nullptr);
}

TEST_F(JsonTest, AMillionElementsAreReadAndDisposed)
{
   std::string text = "[";
   text.reserve(2000002);
   for (int i = 0; i < 1000000; ++i)
   {
      text += i ? ",0" : "0";
   }
   text += "]";
   Json* json = Parse(text);
   ASSERT_NE(json, nullptr);
   EXPECT_EQ(json->size, 1000000);
   Json_dispose(json);
}

TEST_F(JsonTest, AFailedAllocationFailsTheParseCleanly)
{
   const std::string document =
       R"({"a":[1,"two",{"b":"c"}],"d":"e","f":12345678901234567890123456789012345678901234567890123456789012345678901234567890})";
   for (long k = 0;; ++k)
   {
      State().allocations = 0;
      State().failAt = k;
      Json* json = Parse(document);
      if (json)
      {
         // Every allocation succeeded: k is past the last one.
         EXPECT_EQ(State().allocations, k);
         Json_dispose(json);
         break;
      }
      EXPECT_EQ(State().live, 0) << "allocation " << k;
      EXPECT_STREQ(Json_getError(), "");
   }
}

TEST_F(JsonTest, TheTerminatedFormMeasuresItsText)
{
   Json* json = Json_create(R"({"a": "b"})");
   ASSERT_NE(json, nullptr);
   EXPECT_STREQ(Json_getString(json, "A", nullptr), "b");
   Json_dispose(json);
   EXPECT_EQ(Json_create(nullptr), nullptr);
   EXPECT_EQ(Json_create("[1]", -1), nullptr);
}
} // namespace
} // namespace Corvale
