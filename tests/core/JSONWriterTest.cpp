// JSONWriter: the exact indented text, number formatting, failed writes, round trips, and the
// save into the save-data folder that never loses the old file.
#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "core/FileManagerStdio.h"
#include "tests/core/JSONTestSupport.h"

using namespace JSONTest;

namespace
{
// A save-data manager whose files accept only writeLimit bytes, as on a full disk.
class FileManagerFull : public FileManagerStdio
{
 public:
   class FileFull : public MemoryFile
   {
    public:
      explicit FileFull(File* inner) : inner(inner) {}
      u32 Write(const void* buffer, u32 count) override
      {
         u32 room = written < limit ? limit - written : 0;
         u32 accepted = inner->Write(buffer, count < room ? count : room);
         written += accepted;
         return accepted;
      }
      File* inner;
      u32 written = 0;
      u32 limit = 0;
   };

   File* Open(const char* path, i32 options, i32 heapId) override
   {
      File* inner = FileManagerStdio::Open(path, options, heapId);
      if (!inner)
      {
         return nullptr;
      }
      FileFull* file = new FileFull(inner);
      file->limit = writeLimit;
      return file;
   }
   bool Close(File* file) override
   {
      FileFull* full = static_cast<FileFull*>(file);
      bool closed = FileManagerStdio::Close(full->inner);
      delete full;
      return closed;
   }

   u32 writeLimit = 0;
};

class PersistenceFixture : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      managerOld = fileManagerPersistence;
      manager.BaseFolderSet(folder.Base().c_str());
      full.BaseFolderSet(folder.Base().c_str());
      fileManagerPersistence = &manager;
   }
   void TearDown() override { fileManagerPersistence = managerOld; }

   TempFolder folder;
   FileManagerStdio manager;
   FileManagerFull full;
   FileManager* managerOld = nullptr;
};
} // namespace

TEST(JSONWriter, WritesIndentedTextWithKeysInByteOrder)
{
   ValuePointer root(JSONValue::New(HEAP_DEFAULT));
   root->ObjectSet();
   root->ItemStringSet("b", "two \"quoted\"\n");
   JSONValue* a = root->ItemObjectSet("a");
   a->ItemBoolSet("z", false);
   JSONValue* list = a->ItemArraySet("list");
   list->ElementNumberAdd(1.0);
   list->ElementAdd();
   list->ElementAdd()->StringSet(nullptr);
   root->ItemGetOrAdd("A")->NumberSet(-2.5);

   EXPECT_EQ(TextWrite(root.get()), "{\n"
                                    "   \"A\": -2.5,\n"
                                    "   \"a\": {\n"
                                    "      \"list\": [\n"
                                    "         1,\n"
                                    "         null,\n"
                                    "         null\n"
                                    "      ],\n"
                                    "      \"z\": false\n"
                                    "   },\n"
                                    "   \"b\": \"two \\\"quoted\\\"\\n\"\n"
                                    "}\n");
}

TEST(JSONWriter, NumbersAreWrittenWithTwentySignificantDigits)
{
   struct Case
   {
      double number;
      const char* text;
   };
   for (const Case& c :
        {Case{3.0, "3"}, Case{0.1, "0.10000000000000000555"}, Case{1e300, "1.0000000000000000525e+300"},
         Case{-0.0, "-0"}, Case{-123456789012.0, "-123456789012"}, Case{1.5e-7, "1.4999999999999999321e-07"}})
   {
      SCOPED_TRACE(c.text);
      JSONValue value;
      value.NumberSet(c.number);
      EXPECT_EQ(TextWrite(&value), std::string(c.text) + "\n");
   }
   for (double number : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                         -std::numeric_limits<double>::infinity()})
   {
      SCOPED_TRACE(number);
      ValuePointer root(JSONValue::New(HEAP_DEFAULT));
      root->ArraySet()->ElementNumberAdd(number);
      LogCapture log;
      MemoryFile file;
      JSONWriter writer;
      EXPECT_FALSE(writer.Write(&file, root.get(), "Numbers.json"));
      EXPECT_EQ(log.text, "JSONWriter::ValueWrite -- YAJL status (5) while writing to file: Numbers.json\n");
      EXPECT_EQ(TextWrite(root.get()), "<failed>");
   }
}

TEST(JSONWriter, EveryWrittenNumberReadsBack)
{
   // Integral values of 2^63 and more are written as 19 to 21 plain digits: the parser must take
   // them as doubles rather than refuse the file.
   const double twoTo63 = 9223372036854775808.0;
   for (double number :
        {1e19, -1e19, twoTo63, -twoTo63, 2 * twoTo63, 99999999999999991611392.0, 9007199254740993.0,
         9007199254740994.0, 5e-324, 0.1, 1.7976931348623157e308, -2.2250738585072014e-308, 123456789.0, 0.0})
   {
      SCOPED_TRACE(testing::Message() << std::hexfloat << number);
      JSONValue value;
      value.NumberSet(number);
      ValuePointer back = TextParse(TextWrite(&value));
      ASSERT_TRUE(back);
      EXPECT_EQ(back->DoubleValueGet(), number);
      EXPECT_EQ(std::signbit(back->DoubleValueGet()), std::signbit(number));
   }
   JSONValue negativeZero;
   negativeZero.NumberSet(-0.0);
   ValuePointer back = TextParse(TextWrite(&negativeZero));
   ASSERT_TRUE(back);
   EXPECT_EQ(back->DoubleValueGet(), 0.0);
}

TEST(JSONWriter, TextsRoundTripByteStable)
{
   const std::string text = "{\n"
                            "   \"Empty\": \"\",\n"
                            "   \"Nested\": [\n"
                            "      [\n"
                            "         0.5,\n"
                            "         -7\n"
                            "      ],\n"
                            "      {\n"
                            "         \"k\": true\n"
                            "      }\n"
                            "   ],\n"
                            "   \"Text\": \"caf\xc3\xa9\"\n"
                            "}\n";
   ValuePointer parsed = TextParse(text);
   ASSERT_TRUE(parsed);
   EXPECT_EQ(TextWrite(parsed.get()), text);
   ValuePointer again = TextParse(TextWrite(parsed.get()), HEAP_TEMP);
   ASSERT_TRUE(again);
   EXPECT_EQ(TextWrite(again.get()), text);
}

TEST(JSONWriter, AShortWriteFailsTheWholeWrite)
{
   ValuePointer root = TextParse(R"({"a": [1, 2, 3], "b": "text"})");
   ASSERT_TRUE(root);
   LogCapture log;
   MemoryFile file;
   file.writeLimit = 10;
   JSONWriter writer;
   EXPECT_FALSE(writer.Write(&file, root.get(), "Short.json"));
   EXPECT_EQ(log.text.rfind("JSONWriter::YAJLFileWrite -- Failed to write ", 0), 0u);
   EXPECT_NE(log.text.find("bytes to file: Short.json.\n"), std::string::npos);
   EXPECT_EQ(log.text.find("JSONWriter", 1), std::string::npos) << "one line, however many pieces follow";

   LogCapture unnamed;
   MemoryFile none;
   none.writeLimit = 0;
   EXPECT_FALSE(writer.Write(&none, root.get(), nullptr));
   EXPECT_EQ(unnamed.text, "JSONWriter::YAJLFileWrite -- Failed to write 1 bytes to file.\n");
}

TEST_F(PersistenceFixture, SavesReplaceTheFileOnlyWhenComplete)
{
   ValuePointer profile = TextParse(R"({"Name": "Ada", "Wins": 12})");
   ASSERT_TRUE(JSONWriter::PersistenceSave("Profile", profile.get()));
   const std::string saved = folder.FileRead("Profile.json");
   EXPECT_EQ(saved, TextWrite(profile.get()));
   EXPECT_FALSE(std::filesystem::exists(folder.Join("Profile.json.tmp")));

   // A disk that fills up mid-save must leave the old profile as it was, and no leftovers.
   profile->ItemNumberSet("Wins", 13);
   fileManagerPersistence = &full;
   full.writeLimit = 20;
   {
      LogCapture log;
      EXPECT_FALSE(JSONWriter::PersistenceSave("Profile", profile.get()));
      EXPECT_NE(log.text.find("Failed to write"), std::string::npos);
   }
   EXPECT_EQ(folder.FileRead("Profile.json"), saved);
   EXPECT_FALSE(std::filesystem::exists(folder.Join("Profile.json.tmp")));

   full.writeLimit = 1u << 20;
   EXPECT_TRUE(JSONWriter::PersistenceSave("Profile", profile.get()));
   EXPECT_EQ(folder.FileRead("Profile.json"), TextWrite(profile.get()));

   // A new file that can't be written completely leaves nothing behind.
   full.writeLimit = 5;
   {
      LogCapture log;
      EXPECT_FALSE(JSONWriter::PersistenceSave("Fresh", profile.get()));
   }
   EXPECT_FALSE(std::filesystem::exists(folder.Join("Fresh.json")));
   EXPECT_FALSE(std::filesystem::exists(folder.Join("Fresh.json.tmp")));
}

TEST_F(PersistenceFixture, SavesNeedANameAValueAndASaveDataFolder)
{
   ValuePointer value = TextParse("{}");
   EXPECT_FALSE(JSONWriter::PersistenceSave(nullptr, value.get()));
   EXPECT_FALSE(JSONWriter::PersistenceSave("Settings", nullptr));
   fileManagerPersistence = nullptr;
   EXPECT_FALSE(JSONWriter::PersistenceSave("Settings", value.get()));
   EXPECT_TRUE(std::filesystem::is_empty(folder.path));
}
