// Shared by the profile tests: a save-data folder in a temporary folder, constants and settings
// given as JSON texts, and the store emptied again after each test.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/profile/ProfileStore.h"
#include "app/profile/Unlockables.h"
#include "core/Event.h"
#include "core/FileManager.h"
#include "core/FileManagerStdio.h"
#include "core/JSONParser.h"
#include "core/JSONValue.h"
#include "core/JSONWriter.h"
#include "core/Memory.h"
#include "tests/TestSupport.h"

namespace ProfileTest
{
using namespace Corvale;
using TestSupport::LogCapture;
using TestSupport::MemoryFile;
using TestSupport::TempFolder;

inline JSONValue* TextParse(const std::string& text)
{
   MemoryFile file(text);
   JSONParser parser;
   return parser.Parse(&file, HEAP_DEFAULT);
}

inline std::string TextWrite(const JSONValue* value)
{
   MemoryFile file;
   JSONWriter writer;
   return value && writer.Write(&file, value, nullptr) ? file.text : std::string("<none>");
}

// The file as the writer would write its parsed text: compares documents, not spacing.
inline std::string Canonical(const std::string& text)
{
   JSONValue* value = TextParse(text);
   std::string written = TextWrite(value);
   MemoryDelete(value);
   return written;
}

// Lets the profile, the unlock messages and both documents go without writing anything more.
inline void ProfileStoreRelease()
{
   fileManagerPersistence = nullptr;
   ProfileLoad(nullptr);
   UnlockMessagesClear();
   MemoryDelete(settings);
   settings = nullptr;
   MemoryDelete(consts);
   consts = nullptr;
}

class ProfileFixture : public ::testing::Test
{
 protected:
   static void SetUpTestSuite()
   {
      if (!Memory::InitialisedCheck())
      {
         Memory::Init();
         Event::SystemInit();
      }
   }

   void SetUp() override
   {
      manager.BaseFolderSet(folder.Base().c_str());
      fileManagerPersistence = &manager;
      ConstsSet(R"({"ProfileNameDefault": "Player"})");
      SettingsSet("{}");
   }

   void TearDown() override { ProfileStoreRelease(); }

   void ConstsSet(const std::string& text)
   {
      MemoryDelete(consts);
      consts = TextParse(text);
      ASSERT_TRUE(consts) << text;
   }
   void SettingsSet(const std::string& text)
   {
      MemoryDelete(settings);
      settings = TextParse(text);
      ASSERT_TRUE(settings) << text;
   }
   // Replaces the current profile's document (an object).
   void ProfileSet(const std::string& text)
   {
      ASSERT_TRUE(profileCurrent);
      MemoryDelete(profileCurrent);
      profileCurrent = TextParse(text);
      ASSERT_TRUE(profileCurrent) << text;
   }

   bool Exists(const std::string& name) const { return std::filesystem::exists(folder.Join(name)); }
   std::string Read(const std::string& name) const { return folder.FileRead(name); }
   std::string SettingsText() const { return TextWrite(settings); }

   TempFolder folder{"profile"};
   FileManagerStdio manager;
};
} // namespace ProfileTest
