// JSONValue: member order, the shared null value, setters and getters with their defaults and
// messages, the text forms, arrays, Clone and ItemsMerge.
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/core/JSONTestSupport.h"

using namespace JSONTest;

namespace
{
std::vector<std::string> KeysGet(const JSONValue* value)
{
   std::vector<std::string> keys;
   for (JSONValue::Iterator it = value->ItemsBegin(); it.ValidCheck(); it.Next())
   {
      keys.push_back(it.node->key);
   }
   return keys;
}

ValuePointer ObjectNew(i32 heapId = HEAP_DEFAULT)
{
   ValuePointer value(JSONValue::New(heapId));
   value->ObjectSet();
   return value;
}
} // namespace

TEST(JSONValue, MembersIterateInByteOrderOfTheirKeys)
{
   ValuePointer object = ObjectNew();
   for (const char* key : {"b", "a", "c", "B", "\xc3\xa9", "aa", ""})
   {
      object->ItemNumberSet(key, 1);
   }
   // Upper case before lower case, and UTF-8 lead bytes (unsigned) after ASCII.
   std::vector<std::string> expected = {"", "B", "a", "aa", "b", "c", "\xc3\xa9"};
   EXPECT_EQ(KeysGet(object.get()), expected);
   EXPECT_EQ(object->CountGet(), 7);

   object->ItemRemove("aa");
   object->ItemRemove("missing");
   expected.erase(expected.begin() + 3);
   EXPECT_EQ(KeysGet(object.get()), expected);
   EXPECT_FALSE(JSONValue::nullValue.ItemsBegin().ValidCheck());
}

TEST(JSONValue, LookupsThatMissGiveTheSharedNullValue)
{
   JSONValue* null = &JSONValue::nullValue;
   ValuePointer object = ObjectNew();
   object->ItemArraySet("array")->ElementNumberAdd(4.0);
   object->ItemNumberSet("number", 7);

   JSONValue* array = object->ItemGet("array");
   EXPECT_EQ(array->ItemGet("x"), null);
   EXPECT_EQ(object->ItemGet("number")->ItemGet("x"), null);
   EXPECT_EQ(object->ItemGet("missing")->ItemGet("deeper")->ItemGet("still"), null);
   EXPECT_EQ(object->ItemFind("missing"), nullptr);
   EXPECT_EQ(array->ElementGet(1), null);
   EXPECT_EQ(array->ElementGet(-1), null);
   EXPECT_EQ(array->ElementFind(1), nullptr);
   EXPECT_EQ(object->ElementGet(0), null);
   EXPECT_EQ(null->ItemGetOrAdd("x"), nullptr);
   EXPECT_EQ(object->ItemGet(nullptr), null);

   // Nothing changes the shared value, whatever it is asked.
   EXPECT_EQ(null->StringSet("text"), null);
   EXPECT_EQ(null->ObjectSet(), null);
   EXPECT_EQ(null->ItemObjectSet("x"), null);
   EXPECT_EQ(null->ItemStringSet("x", "y"), null);
   EXPECT_EQ(null->ElementAdd(), null);
   null->NumberSet(3.0);
   null->Point2FSet(Point2F{1.0f, 2.0f});
   null->CountSet(3);
   EXPECT_EQ(null->TypeGet(), JSONValue::TYPE_NULL);
   EXPECT_EQ(null->CountGet(), 0);

   // Storing it in a tree would free a static object one day.
   EXPECT_EQ(object->ItemSet("n", null), null);
   EXPECT_EQ(array->ElementSet(0, null), null);
   EXPECT_EQ(object->ItemFind("n"), nullptr);
   EXPECT_EQ(array->ElementGet(0)->DoubleValueGet(), 4.0);
}

TEST(JSONValue, SettersReplaceAndCopyTheirText)
{
   ValuePointer value(JSONValue::New(HEAP_TEMP));
   value->StringSet("hello");
   const char* stored = value->StringValueGet();
   value->StringSet("hello");
   EXPECT_EQ(value->StringValueGet(), stored) << "an equal text must not be copied again";

   // A text inside the value's own string is copied before the old one goes.
   value->StringSet(value->StringValueGet() + 2);
   EXPECT_STREQ(value->StringValueGet(), "llo");

   value->StringSet(nullptr);
   EXPECT_EQ(value->TypeGet(), JSONValue::TYPE_STRING);
   EXPECT_EQ(value->StringValueGet(), nullptr);
   value->StringSet(nullptr);
   EXPECT_EQ(value->TypeGet(), JSONValue::TYPE_STRING);

   ValuePointer object = ObjectNew(HEAP_TEMP);
   JSONValue* child = object->ItemObjectSet("child");
   EXPECT_EQ(child->HeapGet(), HEAP_TEMP);
   child->ItemStringSet("name", "x");
   EXPECT_EQ(object->ItemObjectSet("child"), child);
   EXPECT_EQ(child->CountGet(), 0) << "ItemObjectSet makes the member an empty object";

   EXPECT_EQ(object->ItemEnsure("child"), child);
   object->ItemBoolSet("flag", true);
   JSONValue* cleared = object->ItemClear("flag");
   EXPECT_EQ(cleared->TypeGet(), JSONValue::TYPE_NULL);
   EXPECT_TRUE(object->MemberIsNull("flag"));
   EXPECT_TRUE(object->MemberIsNull("missing"));
   EXPECT_FALSE(object->MemberIsNull("child"));

   JSONValue* replacement = JSONValue::New(HEAP_TEMP);
   replacement->NumberSet(2.5);
   EXPECT_EQ(object->ItemSet("child", replacement), replacement);
   EXPECT_TRUE(object->ItemNumberCheck("child"));

   object->ItemsClear();
   EXPECT_EQ(object->TypeGet(), JSONValue::TYPE_OBJECT);
   EXPECT_EQ(object->CountGet(), 0);
}

TEST(JSONValue, TypedGettersAcceptOnlyTheirOwnType)
{
   ValuePointer object = ObjectNew();
   object->ItemNumberSet("number", 3);
   object->ItemBoolSet("true", true);
   object->ItemStringSet("text", "1");
   object->ItemGetOrAdd("null");

   struct Case
   {
      const char* key;
      bool floatFound;
      bool boolFound;
   };
   for (const Case& c : {Case{"number", true, false}, Case{"true", false, true}, Case{"text", false, false},
                         Case{"null", false, false}, Case{"missing", false, false}})
   {
      SCOPED_TRACE(c.key);
      float f = 0.0f;
      double d = 0.0;
      bool b = false;
      EXPECT_EQ(object->FloatGet(&f, c.key, -1.0f), c.floatFound);
      EXPECT_EQ(f, c.floatFound ? 3.0f : -1.0f);
      EXPECT_EQ(object->DoubleGet(&d, c.key, -2.0), c.floatFound);
      EXPECT_EQ(d, c.floatFound ? 3.0 : -2.0);
      EXPECT_EQ(object->BoolGet(&b, c.key, false), c.boolFound);
      EXPECT_EQ(b, c.boolFound);
   }
   float f = 0.0f;
   EXPECT_FALSE(JSONValue::nullValue.FloatGet(&f, "number", 9.0f));
   EXPECT_EQ(f, 9.0f);
}

TEST(JSONValue, ConversionsOfNumbersAndBools)
{
   const double nan = std::numeric_limits<double>::quiet_NaN();
   struct Case
   {
      double number;
      bool boolean;
      i32 integer;
      u32 unsignedInteger;
   };
   for (const Case& c :
        {Case{0.0, false, 0, 0u}, Case{-0.0, false, 0, 0u}, Case{2.9, true, 2, 2u},
         Case{-2.9, true, -2, 0xFFFFFFFEu}, Case{nan, true, 0, 0u}, Case{1e12, true, 2147483647, 0xFFFFFFFFu},
         Case{-1e12, true, -2147483647 - 1, 0x80000000u}, Case{3000000000.0, true, 2147483647, 3000000000u}})
   {
      SCOPED_TRACE(c.number);
      JSONValue value;
      value.NumberSet(c.number);
      EXPECT_EQ(value.BoolValueGet(), c.boolean);
      EXPECT_EQ(value.IntValueGet(), c.integer);
      EXPECT_EQ(value.UnsignedIntValueGet(), c.unsignedInteger);
   }
   JSONValue value;
   value.BoolSet(true);
   EXPECT_EQ(value.IntValueGet(), 1);
   EXPECT_EQ(value.FloatValueGet(), 1.0f);
   EXPECT_EQ(value.DoubleValueGet(), 1.0);
   value.StringSet("1");
   EXPECT_FALSE(value.BoolValueGet());
   EXPECT_EQ(value.IntValueGet(), 0);
   EXPECT_EQ(value.DoubleValueGet(), 0.0);
}

TEST(JSONValue, TextFormsAreWrittenAndReadInTheirFormats)
{
   JSONValue value;
   struct WriteCase
   {
      Point2F point;
      const char* text;
   };
   for (const WriteCase& c : {WriteCase{{0.5f, 2.0f}, "0.5|2"}, WriteCase{{0.1f, 2.0f}, "0.1000000015|2"},
                              WriteCase{{-3.0f, 1e20f}, "-3|1.00000002e+20"}})
   {
      value.Point2FSet(c.point);
      EXPECT_STREQ(value.StringValueGet(), c.text);
   }
   value.Point2ISet(Point2I{-4, 17});
   EXPECT_STREQ(value.StringValueGet(), "-4|17");
   value.Point3FSet(Point3F{1.0f, 2.5f, -3.0f});
   EXPECT_STREQ(value.StringValueGet(), "1|2.5|-3");
   value.Box2FSet(Box2F{1.0f, 2.0f, 30.0f, 40.5f});
   EXPECT_STREQ(value.StringValueGet(), "1|2|30|40.5");
   value.Box3FSet(Box3F{1.0f, 2.0f, 3.0f, 4.0f, 5.0f, 6.0f});
   EXPECT_STREQ(value.StringValueGet(), "1|2|3|4|5|6");
   EXPECT_TRUE(value.Box3FCheck());
   value.ColorRGBA8Set(ColorRGBA8{255, 128, 0, 7});
   EXPECT_STREQ(value.StringValueGet(), "255|128|0|7");

   // "%i" reads hexadecimal and octal; text after the last field is ignored.
   value.StringSet("0x10|010");
   EXPECT_EQ(value.Point2IValueGet().x, 16);
   EXPECT_EQ(value.Point2IValueGet().y, 8);
   value.StringSet(" 1.5|2junk");
   EXPECT_EQ(value.Point2FValueGet().x, 1.5f);
   EXPECT_EQ(value.Point2FValueGet().y, 2.0f);
   value.StringSet("1|2|3|4|5");
   EXPECT_FALSE(value.Box3FCheck());

   // Anything that does not read whole gives zeros, never a half-read point.
   for (const char* text : {"3,4", "3|", "x|y", ""})
   {
      SCOPED_TRACE(text);
      value.StringSet(text);
      EXPECT_EQ(value.Point2FValueGet().x, 0.0f);
      EXPECT_EQ(value.Point2IValueGet().x, 0);
      EXPECT_EQ(value.Box2FValueGet().x, 0.0f);
      EXPECT_EQ(value.Point3FValueGet().x, 0.0f);
   }
   value.NumberSet(3.0);
   EXPECT_EQ(value.Point2FValueGet().x, 0.0f);

   struct ColorCase
   {
      const char* text;
      u8 r, g, b, a;
   };
   for (const ColorCase& c :
        {ColorCase{"255|128|0|255", 255, 128, 0, 255}, ColorCase{"255|0|0|300", 0, 0, 0, 255},
         ColorCase{"-1|0|0|0", 0, 0, 0, 255}, ColorCase{"1|2|3", 0, 0, 0, 255}})
   {
      SCOPED_TRACE(c.text);
      value.StringSet(c.text);
      ColorRGBA8 color = value.ColorRGBA8ValueGet();
      EXPECT_EQ(color.r, c.r);
      EXPECT_EQ(color.g, c.g);
      EXPECT_EQ(color.b, c.b);
      EXPECT_EQ(color.a, c.a);
   }
}

TEST(JSONValue, CheckedGettersReportMalformedTextsAndFallBack)
{
   ValuePointer object = ObjectNew();
   object->ItemStringSet("good", "3|4");
   object->ItemStringSet("comma", "3,4");
   object->ItemStringSet("box", "1|2|3|4");
   object->ItemStringSet("colour", "1|2|3|4");
   object->ItemNumberSet("number", 5);
   const Point2F pointDefault{-1.0f, -1.0f};
   const Box2F boxDefault{-1.0f, -1.0f, -1.0f, -1.0f};
   const ColorRGBA8 colourDefault{9, 9, 9, 9};

   struct Case
   {
      const char* key;
      const char* context;
      float x;
      const char* message; // null: nothing logged
   };
   for (const Case& c :
        {Case{"good", nullptr, 3.0f, nullptr}, Case{"missing", nullptr, -1.0f, nullptr},
         Case{"number", nullptr, -1.0f, nullptr},
         Case{"comma", nullptr, -1.0f,
              "JSONValue::Point2FGet -- Incorrect format for \"comma\".  Correct format is \"x|y\" with no "
              "spaces.\n"},
         Case{"comma", "Sprite", -1.0f,
              "Sprite -- Incorrect comma format for \"Card\".  Correct format is \"x|y\" with no spaces.\n"}})
   {
      SCOPED_TRACE(std::string(c.key) + (c.context ? " named" : ""));
      LogCapture log;
      Point2F point{0.0f, 0.0f};
      object->Point2FGet(&point, c.key, &pointDefault, c.context, c.context ? "Card" : nullptr, false);
      EXPECT_EQ(point.x, c.x);
      EXPECT_EQ(log.text, c.message ? c.message : "");
   }

   {
      LogCapture log;
      Box2F box;
      object->Box2FGet(&box, "box", &boxDefault, nullptr, nullptr, false);
      EXPECT_EQ(box.width, 3.0f);
      object->Box2FGet(&box, "comma", &boxDefault, nullptr, nullptr, false);
      EXPECT_EQ(box.width, -1.0f);
      EXPECT_EQ(log.text, "JSONValue::Box2FGet -- Incorrect format at key \"comma\".  Correct format is "
                          "\"x|y|width|height\" with no spaces.\n");
      EXPECT_TRUE(object->Box2FTryGet("box", &box));
      EXPECT_FALSE(object->Box2FTryGet("comma", &box));
   }
   {
      LogCapture log;
      ColorRGBA8 colour;
      EXPECT_TRUE(object->ColorRGBA8Get(&colour, "colour", &colourDefault, nullptr, nullptr, true));
      EXPECT_EQ(colour.a, 4);
      EXPECT_FALSE(object->ColorRGBA8Get(&colour, "missing", &colourDefault, nullptr, nullptr, true));
      EXPECT_EQ(colour.a, 9);
      EXPECT_EQ(log.text, "") << "a missing colour is silent even when required";
      colour.a = 0;
      EXPECT_FALSE(object->ColorRGBA8Get(&colour, "box|", &colourDefault, nullptr, nullptr, false));
      object->ItemStringSet("red", "255|0|0|256");
      EXPECT_FALSE(object->ColorRGBA8Get(&colour, "red", &colourDefault, "Label", "Title", true));
      EXPECT_EQ(colour.a, 9);
      EXPECT_EQ(log.text,
                "Label -- Incorrect red format for \"Title\".  Correct format is \"red|green|blue|alpha\" "
                "with no spaces and each value between 0 and 255 (inclusive).\n");
   }
}

TEST(JSONValueDeathTest, RequiredItemsThatDoNotReadEndTheProgram)
{
   ValuePointer object = ObjectNew();
   object->ItemStringSet("comma", "3,4");
   Point2F point;
   Box2F box;
   auto fatal = [&](auto call)
   {
      LogToStderr log;
      LogFileSet(&log);
      call();
   };
   EXPECT_DEATH(fatal([&] { object->Point2FGet(&point, "comma", nullptr, nullptr, nullptr, true); }),
                "JSONValue::Point2FGet -- Incorrect format for \"comma\"");
   EXPECT_DEATH(fatal([&] { object->Point2FGet(&point, "missing", nullptr, nullptr, nullptr, true); }),
                "JSONValue::Point2FGet -- Required item at key \"missing\" not specified as a string\n");
   EXPECT_DEATH(fatal([&] { object->Box2FGet(&box, "missing", nullptr, "Widget", "Panel", true); }),
                "Widget -- missing not specified as a string for \"Panel\".\n");
   EXPECT_DEATH(fatal([&] { object->Box2FGet(&box, "missing", nullptr, nullptr, nullptr, true); }),
                "JSONValue::Box2FGet -- Required item at key \"missing\" not specified as a string.\n");
}

TEST(JSONValue, ArraysGrowWithNullsAndCloseGapsOnRemoval)
{
   ValuePointer array(JSONValue::New(HEAP_DEFAULT));
   array->ArraySet();
   JSONValue* fifth = array->ElementNumberSet(5, 1.5);
   EXPECT_EQ(array->CountGet(), 6);
   EXPECT_EQ(array->ElementGet(5), fifth);
   for (i32 i = 0; i < 5; i++)
   {
      EXPECT_EQ(array->ElementGet(i)->TypeGet(), JSONValue::TYPE_NULL);
   }
   array->ElementGet(1)->StringSet("one");
   array->ElementGet(3)->StringSet("three");
   array->ElementBoolSet(7, true);
   EXPECT_EQ(array->CountGet(), 8);
   EXPECT_EQ(array->ElementStringFind("three"), 3);
   EXPECT_EQ(array->ElementStringFind("four"), -1);
   EXPECT_EQ(array->ElementStringFind(nullptr), -1);
   EXPECT_TRUE(array->ElementStringCheck(1));
   EXPECT_FALSE(array->ElementStringCheck(2));

   array->ElementRemove(1);
   EXPECT_EQ(array->CountGet(), 7);
   EXPECT_EQ(array->ElementStringFind("three"), 2);
   EXPECT_EQ(array->ElementGet(4), fifth);
   array->ElementRemove(7);
   array->ElementRemove(-1);
   EXPECT_EQ(array->CountGet(), 7);

   array->CountSet(3);
   EXPECT_EQ(array->CountGet(), 3);
   array->CountSet(-1);
   EXPECT_EQ(array->CountGet(), 3);
   array->ElementNumberAdd(9.0);
   EXPECT_EQ(array->ElementGet(3)->DoubleValueGet(), 9.0);
   JSONValue* added = array->ElementAdd();
   EXPECT_EQ(added->TypeGet(), JSONValue::TYPE_NULL);
   EXPECT_EQ(array->CountGet(), 5);

   JSONValue* replacement = JSONValue::New(HEAP_DEFAULT);
   EXPECT_EQ(array->ElementSet(2, replacement), replacement);
   EXPECT_EQ(array->ElementGet(2), replacement);
   EXPECT_EQ(array->ElementSet(-1, replacement), &JSONValue::nullValue);

   array->ItemsClear();
   EXPECT_EQ(array->TypeGet(), JSONValue::TYPE_ARRAY);
   EXPECT_EQ(array->CountGet(), 0);
   ValuePointer number(JSONValue::New(HEAP_DEFAULT));
   number->NumberSet(1.0);
   number->ElementNumberAdd(2.0);
   EXPECT_EQ(number->CountGet(), 0);
}

TEST(JSONValue, CloneCopiesDeeplyAndPrunesTheDestination)
{
   ValuePointer source = TextParse(R"({"a": 1, "b": {"c": [1, "two", null, {"d": true}]}, "s": "text"})");
   ASSERT_TRUE(source);
   ValuePointer destination = TextParse(R"({"a": "old", "extra": 5, "b": {"gone": 1}})");
   ASSERT_TRUE(destination);

   EXPECT_EQ(source->Clone(HEAP_DEFAULT, destination.get()), destination.get());
   EXPECT_EQ(KeysGet(destination.get()), (std::vector<std::string>{"a", "b", "s"}));
   EXPECT_EQ(TextWrite(destination.get()), TextWrite(source.get()));

   // The copy shares nothing with its source.
   source->ItemGet("b")->ItemGet("c")->ElementGet(1)->StringSet("changed");
   EXPECT_STREQ(destination->ItemGet("b")->ItemGet("c")->ElementGet(1)->StringValueGet(), "two");

   ValuePointer fresh(source->Clone(HEAP_TEMP));
   EXPECT_EQ(fresh->HeapGet(), HEAP_TEMP);
   EXPECT_EQ(TextWrite(fresh.get()), TextWrite(source.get()));

   JSONValue::nullValue.Clone(HEAP_DEFAULT, fresh.get());
   EXPECT_EQ(fresh->TypeGet(), JSONValue::TYPE_NULL);
}

TEST(JSONValue, ItemsMergeMovesMembersAndFreesTheOther)
{
   ValuePointer target = TextParse(R"({"a": 1, "b": 2})");
   JSONValue* other = TextParse(R"({"b": "replaced", "c": [3]})").release();
   JSONValue* moved = other->ItemGet("c");

   EXPECT_TRUE(target->ItemsMerge(other));
   EXPECT_EQ(target->ItemGet("c"), moved) << "members are moved, not copied";
   EXPECT_STREQ(target->ItemGet("b")->StringValueGet(), "replaced");
   EXPECT_EQ(target->CountGet(), 3);

   ValuePointer array = TextParse("[1]");
   EXPECT_FALSE(target->ItemsMerge(array.get()));
   EXPECT_FALSE(target->ItemsMerge(&JSONValue::nullValue));
   EXPECT_FALSE(target->ItemsMerge(target.get()));
   EXPECT_EQ(array->CountGet(), 1) << "a refused merge leaves the other value to its owner";
}
