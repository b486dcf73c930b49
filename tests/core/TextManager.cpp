// Texts by key over a small text tree in a temporary folder: merging order, missing files and
// keys, language changes through the event, and the order in which owners hear of them.
#include "core/TextManager.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/Event.h"
#include "core/File.h"
#include "core/FileManagerStdio.h"
#include "core/Log.h"
#include "tests/TestSupport.h"

using namespace Corvale;

namespace
{
// Another owner of "OnLanguageChange", registered with the ordinary order 0.
struct Listener
{
   TextManager* texts = nullptr;
   std::vector<std::string> seen;

   void OnLanguageChange()
   {
      const char* text = texts->TextGet("Shared");
      seen.push_back(text ? text : "<null>");
   }
};

class TextManagerTest : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      LogFileSet(&log);
      Event::SystemInit(HEAP_DEFAULT);
      char pattern[] = "/tmp/corvale-text-XXXXXX";
      ASSERT_NE(mkdtemp(pattern), nullptr);
      root = pattern;
      Write("Text/English/Text.json", R"({"Shared": "from Text", "OnlyText": "plain", "Count": 3})");
      Write("Text/English/DialogText.json", R"({"Greeting": "Hello", "Shared": "from DialogText"})");
      Write("Text/English/TextNew.json", R"({"Shared": "from TextNew", "Fresh": "new"})");
      // French has no DialogText file.
      Write("Text/French/Text.json", R"({"Shared": "de Text", "OnlyText": "simple"})");
      Write("Text/French/TextNew.json", R"({"Fresh": "nouveau"})");
      // German: a root that is no object, and a file that does not parse.
      Write("Text/German/Text.json", R"(["not", "an", "object"])");
      Write("Text/German/DialogText.json", R"({"Greeting": )");
      Write("Text/German/TextNew.json", R"({"Fresh": "neu"})");
      ASSERT_TRUE(manager.BaseFolderSet(root.c_str()));
      savedResource = fileManagerResource;
      fileManagerResource = &manager;
   }

   void TearDown() override
   {
      texts.Deinit();
      Event::OwnerUnregister(&listener);
      Event::SystemDeinit();
      fileManagerResource = savedResource;
      for (auto it = written.rbegin(); it != written.rend(); ++it)
      {
         std::remove(it->c_str());
      }
      for (const char* folder : {"/Text/English", "/Text/French", "/Text/German", "/Text", ""})
      {
         rmdir((root + folder).c_str());
      }
      LogFileSet(nullptr);
   }

   void Write(const std::string& path, const char* text)
   {
      for (std::size_t slash = path.find('/'); slash != std::string::npos; slash = path.find('/', slash + 1))
      {
         mkdir((root + "/" + path.substr(0, slash)).c_str(), 0700);
      }
      const std::string full = root + "/" + path;
      FILE* file = std::fopen(full.c_str(), "wb");
      ASSERT_NE(file, nullptr);
      std::fputs(text, file);
      std::fclose(file);
      written.push_back(full);
   }

   // The application's start-up sequence.
   void StartUp()
   {
      texts.LanguageSet(&language);
      texts.FileNameAppend("Text");
      texts.Init();
      texts.OnLanguageChange();
      texts.FileAdd("DialogText");
      texts.FileAdd("TextNew");
   }

   std::string Get(const char* key) const
   {
      const char* text = texts.TextGet(key);
      return text ? text : "<null>";
   }

   // Installed as the log file by SetUp, so that tests can see the messages.
   TestSupport::MemoryFile log;
   std::string root;
   std::vector<std::string> written;
   FileManagerStdio manager;
   FileManager* savedResource = nullptr;
   TextManager texts;
   u32 language = 0;
   Listener listener;
};
} // namespace

TEST_F(TextManagerTest, LaterFilesOverrideEarlierKeys)
{
   StartUp();
   const struct
   {
      const char* key;
      const char* text;
   } cases[] = {
       {"Shared", "from TextNew"},
       {"OnlyText", "plain"},
       {"Greeting", "Hello"},
       {"Fresh", "new"},
       // A number is not a text; a missing key is null.
       {"Count", "<null>"},
       {"Missing", "<null>"},
   };
   for (const auto& c : cases)
   {
      EXPECT_EQ(Get(c.key), c.text) << c.key;
   }
   EXPECT_EQ(texts.TextGet(nullptr), nullptr);
   EXPECT_EQ(log.text, "");
}

TEST_F(TextManagerTest, LanguageChangeReloadsOverEnglish)
{
   StartUp();
   language = 1;
   Event::Trigger("OnLanguageChange", nullptr);
   EXPECT_EQ(Get("Shared"), "de Text");
   EXPECT_EQ(Get("Fresh"), "nouveau");
   // French lacks DialogText: its keys show their English texts, each named once in the log.
   EXPECT_EQ(Get("Greeting"), "Hello");
   EXPECT_EQ(log.text,
             "TextManager::OnLanguageChange -- \"Count\" is missing in French; the English text is shown.\n"
             "TextManager::OnLanguageChange -- \"Greeting\" is missing in French; the English text is "
             "shown.\n");

   // A language without a folder shows English throughout.
   language = 6;
   Event::Trigger("OnLanguageChange", nullptr);
   EXPECT_EQ(Get("Shared"), "from TextNew");
   EXPECT_EQ(Get("Greeting"), "Hello");
   EXPECT_NE(log.text.find("\"Fresh\" is missing in Dutch"), std::string::npos) << log.text;

   // Past the last language nothing is found.
   language = 7;
   Event::Trigger("OnLanguageChange", nullptr);
   EXPECT_EQ(Get("Shared"), "<null>");
   EXPECT_EQ(Get("Fresh"), "<null>");

   // English itself names nothing as missing.
   language = 0;
   log.text.clear();
   Event::Trigger("OnLanguageChange", nullptr);
   EXPECT_EQ(Get("Shared"), "from TextNew");
   EXPECT_EQ(log.text, "");
}

TEST_F(TextManagerTest, TheCurrentLanguageNameFollowsTheApplicationsIndex)
{
   // Before the application hands over its index, files load from the first language.
   EXPECT_STREQ(texts.LanguageCurrentNameGet(), "English");
   texts.LanguageSet(&language);
   language = 5;
   EXPECT_STREQ(texts.LanguageCurrentNameGet(), "Russian");
   language = TEXT_LANGUAGE_COUNT;
   EXPECT_EQ(texts.LanguageCurrentNameGet(), nullptr);
}

TEST_F(TextManagerTest, BadFilesAreSkippedAndTheRestLoads)
{
   language = 4;
   StartUp();
   EXPECT_EQ(Get("Fresh"), "neu");
   EXPECT_EQ(Get("Greeting"), "Hello");
   EXPECT_NE(
       log.text.find("TextManager::OnLanguageChange -- Root of Text/German/Text is not a JSON object.\n"),
       std::string::npos)
       << log.text;
   EXPECT_NE(log.text.find("JSONParser "), std::string::npos) << log.text;
}

TEST_F(TextManagerTest, FileAddReloadsBeforeOtherOwnersHearOfIt)
{
   // The other owner registers first; the text manager still runs ahead of it.
   listener.texts = &texts;
   EventMethodRegister(&listener, "OnLanguageChange", &Listener::OnLanguageChange);
   StartUp();
   EXPECT_EQ(listener.seen, (std::vector<std::string>{"from DialogText", "from TextNew"}));

   // Without texts or a language pointer nothing is loaded, and nothing crashes.
   TextManager bare;
   bare.FileAdd("Text");
   EXPECT_EQ(bare.TextGet("Shared"), nullptr);
   bare.Deinit();
}

TEST_F(TextManagerTest, DeinitLeavesTheEventAndTheTexts)
{
   StartUp();
   texts.Deinit();
   EXPECT_EQ(Get("Shared"), "<null>");
   Event::Trigger("OnLanguageChange", nullptr);
   EXPECT_EQ(Get("Shared"), "<null>");

   // A fresh start works after a shutdown.
   StartUp();
   EXPECT_EQ(Get("Shared"), "from TextNew");
}
