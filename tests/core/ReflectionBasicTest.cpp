// The reflection registry, the generic save/load/clean-up and the JSON forms of the basic types.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "tests/core/ReflectionTestRecords.h"

using namespace Corvale;
using namespace ReflectionTest;

namespace
{
typedef std::unique_ptr<JSONValue, ValueDeleter> ValuePointer;

// The one element of "[text]", so that scalars parse as they appear inside documents.
struct Element
{
   explicit Element(const std::string& text) : array(Parse("[" + text + "]")) {}
   JSONValue* Get() const { return array ? array->ElementGet(0) : nullptr; }
   ValuePointer array;
};

struct Unregistered
{
   int x = 0;
};

class ReflectionBasicTest : public ::testing::Test
{
 protected:
   void SetUp() override { ReflectionManager::Init(); }
   void TearDown() override { ReflectionManager::Deinit(); }

   ValuePointer fresh{JSONValue::New(HEAP_DEFAULT)};
};

TEST(ReflectionRegistryTest, LookupsBeforeInitAfterDeinitAndOnDoubleRegistration)
{
   EXPECT_EQ(ReflectionManager::TypeGet(typeid(int).name()), nullptr);
   ReflectionManager::Init();

   const char* const names[] = {"bool",
                                "int",
                                "unsigned int",
                                "float",
                                "double",
                                "const char*",
                                "Corvale::Point2I",
                                "Corvale::Point2F",
                                "Corvale::Point3F",
                                "Corvale::Box2F",
                                "Corvale::Box3F",
                                "Corvale::ColorRGBA8",
                                "Corvale::JSONValue"};
   for (const char* name : names)
   {
      ReflectionType* type = ReflectionManager::TypeByNameGet(name);
      ASSERT_NE(type, nullptr) << name;
      EXPECT_EQ(ReflectionManager::TypeGet(type->typeName), type) << name;
      EXPECT_EQ(ReflectionManager::TypeByPointerNameGet(type->pointerTypeName), type) << name;
      EXPECT_STRNE(type->typeName, type->pointerTypeName) << name;
   }
   EXPECT_STREQ(ReflectionManager::TypeGet(typeid(u32).name())->name, "unsigned int");
   EXPECT_STREQ(ReflectionManager::TypeByPointerNameGet(typeid(const char**).name())->name, "const char*");

   // A second registration under the same names never wins a lookup.
   ReflectionType* first = ReflectionManager::TypeGet(typeid(int).name());
   auto* again = MemoryNew<ReflectionTypeInt>(HEAP_DEFAULT);
   ASSERT_TRUE(again->TypeNamesSet<int>("int"));
   ReflectionManager::TypeRegister(again);
   EXPECT_EQ(ReflectionManager::TypeGet(typeid(int).name()), first);
   EXPECT_EQ(ReflectionManager::TypeByNameGet("int"), first);

   ReflectionManager::Deinit();
   EXPECT_EQ(ReflectionManager::TypeByNameGet("int"), nullptr);
}

TEST_F(ReflectionBasicTest, NumbersAndBoolsLoadOnlyFromTheirJSONType)
{
   struct Case
   {
      const char* json;
      bool ok;
      double expected; // the value after the load; the old value is 7
   };
   const Case intCases[] = {{"2.9", true, 2},
                            {"-2.9", true, -2},
                            {"\"5\"", false, 7},
                            {"true", false, 7},
                            {"null", false, 7},
                            {"2147483647", true, 2147483647},
                            {"-2147483648.5", true, -2147483648.0},
                            {"2147483648", false, 7},
                            {"-3e10", false, 7}};
   for (const Case& c : intCases)
   {
      i32 value = 7;
      Element element(c.json);
      EXPECT_EQ(ReflectionManager::JSONLoad(&value, element.Get(), {}), c.ok) << c.json;
      EXPECT_EQ(value, static_cast<i32>(c.expected)) << c.json;
   }
   const Case unsignedCases[] = {
       {"4294967295", true, 4294967295.0}, {"0.99", true, 0},  {"-0.5", true, 0}, {"-1", false, 7},
       {"4294967296", false, 7},           {"\"1\"", false, 7}};
   for (const Case& c : unsignedCases)
   {
      u32 value = 7;
      Element element(c.json);
      EXPECT_EQ(ReflectionManager::JSONLoad(&value, element.Get(), {}), c.ok) << c.json;
      EXPECT_EQ(value, static_cast<u32>(c.expected)) << c.json;
   }

   bool flag = true;
   Element number("1");
   EXPECT_FALSE(ReflectionManager::JSONLoad(&flag, number.Get(), {}));
   Element falseValue("false");
   EXPECT_TRUE(ReflectionManager::JSONLoad(&flag, falseValue.Get(), {}));
   EXPECT_FALSE(flag);

   float single = 1.0f;
   double wide = 1.0;
   Element fraction("0.1");
   EXPECT_TRUE(ReflectionManager::JSONLoad(&single, fraction.Get(), {}));
   EXPECT_TRUE(ReflectionManager::JSONLoad(&wide, fraction.Get(), {}));
   EXPECT_EQ(single, 0.1f);
   EXPECT_EQ(wide, 0.1);
   Element text("\"0.1\"");
   EXPECT_FALSE(ReflectionManager::JSONLoad(&wide, text.Get(), {}));
   EXPECT_FALSE(ReflectionManager::JSONLoad(&wide, nullptr, {}));
}

TEST_F(ReflectionBasicTest, NumbersSaveExactlyAndLeaveTheSharedNullValueAlone)
{
   u32 largest = 4294967295u;
   ASSERT_TRUE(ReflectionManager::JSONSave(&largest, fresh.get(), {}));
   EXPECT_EQ(Compact(fresh.get()), "4294967295");
   u32 back = 0;
   EXPECT_TRUE(ReflectionManager::JSONLoad(&back, fresh.get(), {}));
   EXPECT_EQ(back, 4294967295u);

   // A number replaces whatever the target held.
   fresh->ObjectSet()->ItemStringSet("a", "b");
   i32 negative = -5;
   ASSERT_TRUE(ReflectionManager::JSONSave(&negative, fresh.get(), {}));
   EXPECT_EQ(Compact(fresh.get()), "-5");
   float single = 0.1f;
   ASSERT_TRUE(ReflectionManager::JSONSave(&single, fresh.get(), {}));
   EXPECT_EQ(fresh->DoubleValueGet(), static_cast<double>(0.1f));
   bool flag = true;
   ASSERT_TRUE(ReflectionManager::JSONSave(&flag, fresh.get(), {}));
   EXPECT_EQ(Compact(fresh.get()), "true");

   EXPECT_TRUE(ReflectionManager::JSONSave(&negative, &JSONValue::nullValue, {}));
   EXPECT_TRUE(ReflectionManager::JSONSave(&flag, &JSONValue::nullValue, {}));
   EXPECT_EQ(JSONValue::nullValue.TypeGet(), static_cast<u32>(JSONValue::TYPE_NULL));
   EXPECT_FALSE(ReflectionManager::JSONSave(&negative, static_cast<JSONValue*>(nullptr), {}));
   EXPECT_FALSE(ReflectionManager::JSONSave(static_cast<i32*>(nullptr), fresh.get(), {}));
}

TEST_F(ReflectionBasicTest, TextFormsSaveAndLoadAllItemsOrNothing)
{
   Point2I point{16, -3};
   ASSERT_TRUE(ReflectionManager::JSONSave(&point, fresh.get(), {}));
   EXPECT_STREQ(fresh->StringValueGet(), "16|-3");
   fresh->StringSet("0x10|010 and more");
   ASSERT_TRUE(ReflectionManager::JSONLoad(&point, fresh.get(), {}));
   EXPECT_EQ(point.x, 16);
   EXPECT_EQ(point.y, 8);
   fresh->StringSet("4");
   EXPECT_FALSE(ReflectionManager::JSONLoad(&point, fresh.get(), {}));
   EXPECT_EQ(point.x, 16);

   Point2F pointF{1.5f, -0.25f};
   Point3F point3{1, 2, 3.5f};
   Box2F box{0, 1, 2, 3};
   Box3F box3{1, 2, 3, 4, 5, 6};
   ReflectionManager::JSONSave(&pointF, fresh.get(), {});
   EXPECT_STREQ(fresh->StringValueGet(), "1.5|-0.25");
   ReflectionManager::JSONSave(&point3, fresh.get(), {});
   EXPECT_STREQ(fresh->StringValueGet(), "1|2|3.5");
   ReflectionManager::JSONSave(&box, fresh.get(), {});
   EXPECT_STREQ(fresh->StringValueGet(), "0|1|2|3");
   ReflectionManager::JSONSave(&box3, fresh.get(), {});
   EXPECT_STREQ(fresh->StringValueGet(), "1|2|3|4|5|6");

   fresh->StringSet("9|8|7|6|5");
   EXPECT_FALSE(ReflectionManager::JSONLoad(&box3, fresh.get(), {}));
   EXPECT_EQ(box3.depth, 6.0f);
   EXPECT_TRUE(ReflectionManager::JSONLoad(&box, fresh.get(), {}));
   EXPECT_EQ(box.x, 9.0f);
   EXPECT_EQ(box.height, 6.0f);
   EXPECT_TRUE(ReflectionManager::JSONLoad(&point3, fresh.get(), {}));
   EXPECT_EQ(point3.z, 7.0f);
   fresh->NumberSet(1);
   EXPECT_FALSE(ReflectionManager::JSONLoad(&pointF, fresh.get(), {}));

   struct ColorCase
   {
      const char* text;
      bool ok;
   };
   const ColorCase colors[] = {{"10|20|30|40", true},
                               {"10|20|300|40", false},
                               {"10|20|30", false},
                               {"-1|20|30|40", false},
                               {"a|b|c|d", false}};
   for (const ColorCase& c : colors)
   {
      ColorRGBA8 color{1, 2, 3, 4};
      fresh->StringSet(c.text);
      EXPECT_EQ(ReflectionManager::JSONLoad(&color, fresh.get(), {}), c.ok) << c.text;
      const u8 expected[4] = {c.ok ? u8(10) : u8(1), c.ok ? u8(20) : u8(2), c.ok ? u8(30) : u8(3),
                              c.ok ? u8(40) : u8(4)};
      EXPECT_EQ(color.r, expected[0]) << c.text;
      EXPECT_EQ(color.g, expected[1]) << c.text;
      EXPECT_EQ(color.b, expected[2]) << c.text;
      EXPECT_EQ(color.a, expected[3]) << c.text;
   }
   ColorRGBA8 color{255, 0, 128, 7};
   ReflectionManager::JSONSave(&color, fresh.get(), {});
   EXPECT_STREQ(fresh->StringValueGet(), "255|0|128|7");
}

TEST_F(ReflectionBasicTest, TextsRoundTripIncludingTheNullText)
{
   const char* text = nullptr;
   ASSERT_TRUE(ReflectionManager::JSONSave(&text, fresh.get(), {}));
   EXPECT_EQ(fresh->TypeGet(), static_cast<u32>(JSONValue::TYPE_STRING));
   EXPECT_EQ(fresh->StringValueGet(), nullptr);
   TextFile written;
   JSONWriter writer;
   ASSERT_TRUE(writer.Write(&written, fresh.get(), nullptr));
   EXPECT_EQ(written.text.substr(0, 4), "null");

   Element hello("\"hello\"");
   ASSERT_TRUE(ReflectionManager::JSONLoad(&text, hello.Get(), {}));
   ASSERT_NE(text, nullptr);
   EXPECT_STREQ(text, "hello");
   EXPECT_NE(text, hello.Get()->StringValueGet());

   Element number("3");
   EXPECT_FALSE(ReflectionManager::JSONLoad(&text, number.Get(), {}));
   EXPECT_STREQ(text, "hello");

   ASSERT_TRUE(ReflectionManager::JSONSave(&text, fresh.get(), {}));
   EXPECT_STREQ(fresh->StringValueGet(), "hello");

   // JSON null frees the old text and leaves a null pointer.
   Element null("null");
   ASSERT_TRUE(ReflectionManager::JSONLoad(&text, null.Get(), {}));
   EXPECT_EQ(text, nullptr);
}

TEST_F(ReflectionBasicTest, JSONValuesAreDeepCopiedBothWays)
{
   ValuePointer held(JSONValue::New(HEAP_DEFAULT));
   ValuePointer source(Parse("{\"a\":[1,{\"b\":\"c\"}],\"d\":true}"));
   ASSERT_TRUE(ReflectionManager::JSONLoad(held.get(), source.get(), {}));
   source->ItemRemove("a");
   EXPECT_EQ(Compact(held.get()), "{\"a\":[1,{\"b\":\"c\"}],\"d\":true}");

   Element null("null");
   EXPECT_FALSE(ReflectionManager::JSONLoad(held.get(), null.Get(), {}));
   EXPECT_EQ(held->CountGet(), 2);

   ASSERT_TRUE(ReflectionManager::JSONSave(held.get(), fresh.get(), {}));
   held->Clear();
   EXPECT_EQ(Compact(fresh.get()), "{\"a\":[1,{\"b\":\"c\"}],\"d\":true}");
}

TEST_F(ReflectionBasicTest, PointersToBasicValuesAreCreatedAndReleasedByLoad)
{
   i32* pointer = nullptr;
   ASSERT_TRUE(ReflectionManager::JSONSave(&pointer, fresh.get(), {}));
   EXPECT_EQ(Compact(fresh.get()), "null");

   Element number("12");
   ASSERT_TRUE(ReflectionManager::JSONLoad(&pointer, number.Get(), {}));
   ASSERT_NE(pointer, nullptr);
   EXPECT_EQ(*pointer, 12);
   i32* kept = pointer;
   Element other("13");
   ASSERT_TRUE(ReflectionManager::JSONLoad(&pointer, other.Get(), {}));
   EXPECT_EQ(pointer, kept);
   EXPECT_EQ(*pointer, 13);
   ASSERT_TRUE(ReflectionManager::JSONSave(&pointer, fresh.get(), {}));
   EXPECT_EQ(Compact(fresh.get()), "13");

   // JSON null deletes the value (LeakSanitizer would see it otherwise).
   Element null("null");
   ASSERT_TRUE(ReflectionManager::JSONLoad(&pointer, null.Get(), {}));
   EXPECT_EQ(pointer, nullptr);

   ASSERT_TRUE(ReflectionManager::JSONLoad(&pointer, number.Get(), {}));
   ReflectionManager::InstanceCleanup(&pointer, {});
   EXPECT_EQ(pointer, nullptr);
}

TEST_F(ReflectionBasicTest, EnumerationsAreIntegersUnderTheirOwnName)
{
   ReflectionTypeInt* record = ReflectionTypeInt::EnumerationRegister<Suit>("Corvale::Suit");
   ASSERT_NE(record, nullptr);
   EXPECT_EQ(ReflectionManager::TypeGet(typeid(Suit).name()), record);

   Suit suit = SUIT_DIAMONDS;
   ASSERT_TRUE(ReflectionManager::JSONSave(&suit, fresh.get(), {}));
   EXPECT_EQ(Compact(fresh.get()), "2");
   Element number("3.9");
   ASSERT_TRUE(ReflectionManager::JSONLoad(&suit, number.Get(), {}));
   EXPECT_EQ(suit, SUIT_CLUBS);
}

TEST_F(ReflectionBasicTest, UnknownTypesAreReportedAndFail)
{
   LogCapture log;
   Unregistered value;
   fresh->StringSet("old");
   EXPECT_FALSE(ReflectionManager::JSONSave(&value, fresh.get(), {}));
   EXPECT_EQ(fresh->TypeGet(), static_cast<u32>(JSONValue::TYPE_NULL));
   EXPECT_FALSE(ReflectionManager::JSONLoad(&value, fresh.get(), {}));
   ReflectionManager::InstanceCleanup(&value, {});
   Unregistered* pointer = &value;
   EXPECT_FALSE(ReflectionManager::JSONSave(&pointer, &JSONValue::nullValue, {}));

   std::string name = typeid(Unregistered).name();
   EXPECT_TRUE(log.Contains("ReflectionManager::JSONSave -- Unable to save object of type: " + name + "\n"));
   EXPECT_TRUE(log.Contains("ReflectionManager::JSONLoad -- Unable to load object of type: " + name + "\n"));
   EXPECT_TRUE(log.Contains("ReflectionManager::InstanceCleanup -- Unrecognized type: " + name + "\n"));
   EXPECT_TRUE(log.Contains("Unable to save object of type: " + std::string(typeid(Unregistered*).name())));
}
} // namespace
