// JSONParser: documents into trees, comments, chunk borders, the error paths that must free the
// partial tree, loading through file managers and the graphics paths, and YAJL's allocator.
#include <cstring>
#include <string>

#include <gtest/gtest.h>
#include <yajl/yajl_common.h>

#include "core/FileManagerStdio.h"
#include "core/GraphicsPathManager.h"
#include "tests/core/JSONTestSupport.h"

using namespace JSONTest;

TEST(JSONParser, BuildsTreesOfEveryType)
{
   ValuePointer root = TextParse(R"(
      // a line comment
      {"number": -12, "double": 2.5e-3, "text": "caf\u00e9 \"q\"", "yes": true, "no": false,
       "none": null, /* a block comment */ "list": [1, [2, []], {}], "object": {"inner": "x"},
       "dup": 1, "dup": "later"})");
   ASSERT_TRUE(root);
   EXPECT_EQ(root->ItemGet("number")->DoubleValueGet(), -12.0);
   EXPECT_EQ(root->ItemGet("double")->DoubleValueGet(), 2.5e-3);
   EXPECT_STREQ(root->ItemGet("text")->StringValueGet(), "caf\xc3\xa9 \"q\"");
   EXPECT_TRUE(root->MemberIsBool("yes"));
   EXPECT_TRUE(root->ItemGet("yes")->BoolValueGet());
   EXPECT_FALSE(root->ItemGet("no")->BoolValueGet());
   EXPECT_NE(root->ItemFind("none"), nullptr);
   EXPECT_TRUE(root->MemberIsNull("none"));
   JSONValue* list = root->ItemGet("list");
   EXPECT_EQ(list->CountGet(), 3);
   EXPECT_EQ(list->ElementGet(1)->ElementGet(0)->DoubleValueGet(), 2.0);
   EXPECT_EQ(list->ElementGet(1)->ElementGet(1)->TypeGet(), JSONValue::TYPE_ARRAY);
   EXPECT_EQ(list->ElementGet(2)->TypeGet(), JSONValue::TYPE_OBJECT);
   EXPECT_STREQ(root->ItemGet("object")->ItemGet("inner")->StringValueGet(), "x");
   EXPECT_STREQ(root->ItemGet("dup")->StringValueGet(), "later") << "a duplicated key keeps the later value";

   for (const char* text : {"42", "\"just text\"", "null", "[]"})
   {
      SCOPED_TRACE(text);
      EXPECT_TRUE(TextParse(text));
   }
   EXPECT_EQ(TextParse("42")->DoubleValueGet(), 42.0);
}

TEST(JSONParser, TreesLiveInTheHeapOfTheParse)
{
   for (i32 heapId : {HEAP_DEFAULT, HEAP_TEMP, HEAP_DEBUG})
   {
      SCOPED_TRACE(heapId);
      ValuePointer root = TextParse("{\"a\": [1, 2, 3, 4, 5, 6, 7, 8, 9, 10], \"e\": []}", heapId);
      ASSERT_TRUE(root);
      JSONValue* array = root->ItemGet("a");
      EXPECT_EQ(array->HeapGet(), heapId);
      EXPECT_EQ(array->ElementGet(9)->HeapGet(), heapId);
      EXPECT_EQ(array->ElementGet(9)->DoubleValueGet(), 10.0);
      EXPECT_EQ(root->ItemGet("e")->CountGet(), 0);
   }
}

TEST(JSONParser, ValuesSplitAcrossChunkBordersArriveWhole)
{
   // Pads so that a key, a long string and a number straddle the 1024- and 2048-byte borders.
   for (size_t shift = 0; shift < 12; shift += 3)
   {
      SCOPED_TRACE(shift);
      std::string text = "{\"pad\": \"" + std::string(1000 + shift, 'p') + "\", \"straddling key\": ";
      text += "\"" + std::string(1500, 's') + "\", \"n\": 123456.789}";
      MemoryFile file(text);
      JSONParser parser;
      ValuePointer root(parser.Parse(&file, HEAP_DEFAULT));
      ASSERT_TRUE(root);
      EXPECT_EQ(std::strlen(root->ItemGet("straddling key")->StringValueGet()), 1500u);
      EXPECT_EQ(root->ItemGet("n")->DoubleValueGet(), 123456.789);
      EXPECT_EQ(file.reads, static_cast<int>(text.size() / JSON_PARSER_CHUNK_SIZE) + 2)
          << "read in 1024-byte chunks until a read returns nothing";
   }
}

TEST(JSONParser, MalformedDocumentsGiveNullAndTheParserMessage)
{
   const std::string key255(255, 'k');
   const std::string key256(256, 'k');
   ValuePointer accepted = TextParse("{\"" + key255 + "\": 1}");
   ASSERT_TRUE(accepted);
   EXPECT_EQ(accepted->ItemGet(key255.c_str())->DoubleValueGet(), 1.0);

   struct Case
   {
      std::string text;
      const char* message;
   };
   // Each partial tree must be freed: the sanitizer build checks for leaks.
   for (const Case& c :
        {Case{"{\"a\": [1, {\"b\": 2}], \"" + key256 + "\": 1}",
              "JSON key length (256) is greater than the maximum: 255\n"},
         Case{"{\"a\": 1} {\"b\": 2}", "JSONParser parse error: "},
         Case{"{\"a\": [1, 2}", "JSONParser parse error: "},
         Case{"{\"a\": {\"b\": [1, 2]}", "JSONParser parse error: "},
         Case{"{\"big\": [1, -1e400]}", "JSONParser::YAJLNumber -- number out of range: -1e400\n"},
         Case{"\"\xff\"", "JSONParser lexical error: invalid bytes in UTF8 string"},
         Case{"", "JSONParser parse error: "}})
   {
      SCOPED_TRACE(c.text.substr(0, 40));
      LogCapture log;
      EXPECT_FALSE(TextParse(c.text));
      EXPECT_EQ(log.text.rfind(c.message, 0), 0u) << log.text;
      EXPECT_EQ(log.text.find("JSONParser", 1), std::string::npos) << "one line per failure";
   }
   // Integers beyond 64 bits are numbers like any other, however they are spelt; so are long ones.
   for (const char* text : {"99999999999999999999", "99999999999999999999.0", "99999999999999999999e0"})
   {
      EXPECT_EQ(TextParse(text)->DoubleValueGet(), 1e20) << text;
   }
   EXPECT_EQ(TextParse("-9223372036854775809")->DoubleValueGet(), -9223372036854775808.0);
   EXPECT_EQ(TextParse("0." + std::string(300, '0') + "25")->DoubleValueGet(), 2.5e-301);
   EXPECT_EQ(TextParse("1e-400")->DoubleValueGet(), 0.0);
}

TEST(JSONParser, LoadsThroughFileManagersAndGraphicsPaths)
{
   TempFolder folder;
   folder.FileWrite("Settings.json", "{\"Volume\": 7}");
   std::filesystem::create_directories(folder.Join("Graphics/Sub"));
   folder.FileWrite("Graphics/Sub/Sprites.json", "[\"a\"]");
   FileManagerStdio manager;
   ASSERT_TRUE(manager.BaseFolderSet(folder.Base().c_str()));

   JSONParser parser;
   ValuePointer settings(parser.Load("Settings", &manager, HEAP_DEFAULT));
   ASSERT_TRUE(settings);
   EXPECT_EQ(settings->ItemGet("Volume")->IntValueGet(), 7);
   {
      LogCapture log;
      EXPECT_EQ(parser.Load("Missing", &manager, HEAP_DEFAULT), nullptr);
      EXPECT_EQ(log.text, "JSONParser::Load -- unable to find file: \"Missing.json\"\n");
      EXPECT_EQ(parser.Load(nullptr, &manager, HEAP_DEFAULT), nullptr);
      EXPECT_EQ(parser.Load("Settings", nullptr, HEAP_DEFAULT), nullptr);
   }

   GraphicsPathManager::Set(0, "NotThere");
   GraphicsPathManager::Set(1, "Graphics");
   ValuePointer sprites(parser.GraphicsPathLoad("Sub/Sprites", &manager));
   ASSERT_TRUE(sprites);
   EXPECT_EQ(sprites->ElementStringFind("a"), 0);
   {
      LogCapture log;
      EXPECT_EQ(parser.GraphicsPathLoad("Sub/Missing", &manager), nullptr);
      EXPECT_EQ(log.text, "JSONParser::GraphicsPathLoad -- unable to find file: \"Sub/Missing.json\"\n");
   }

   FileManager* resourceOld = fileManagerResource;
   fileManagerResource = &manager;
   EXPECT_TRUE(JSONParser::GraphicsPathExistsCheck("Sub/Sprites"));
   EXPECT_FALSE(JSONParser::GraphicsPathExistsCheck("Settings"));
   fileManagerResource = resourceOld;
}

TEST(JSONParser, YAJLReallocationKeepsTheOldBlockWhenItFails)
{
   yajl_alloc_funcs funcs;
   JSONYAJLAllocFuncsSet(&funcs, HEAP_TEMP);
   char* block = static_cast<char*>(funcs.malloc(funcs.ctx, 8));
   ASSERT_NE(block, nullptr);
   std::memcpy(block, "1234567", 8);
   block = static_cast<char*>(funcs.realloc(funcs.ctx, block, 4000));
   ASSERT_NE(block, nullptr);
   EXPECT_STREQ(block, "1234567");
   block[3999] = 'z';

   EXPECT_EQ(funcs.realloc(funcs.ctx, block, static_cast<size_t>(-1) / 2), nullptr);
   EXPECT_STREQ(block, "1234567") << "the old block must still be alive and whole";
   block = static_cast<char*>(funcs.realloc(funcs.ctx, block, 4));
   ASSERT_NE(block, nullptr);
   EXPECT_EQ(std::memcmp(block, "1234", 4), 0);
   funcs.free(funcs.ctx, block);
   funcs.free(funcs.ctx, nullptr);
}
