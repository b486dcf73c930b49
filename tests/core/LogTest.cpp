// The log: text appended to Log.txt exactly as formatted, truncation, message boxes through the
// installed hook, and the fatal error that closes the log and ends the process.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "core/File.h"
#include "core/FileManager.h"
#include "core/Log.h"

using namespace Corvale;

namespace
{
// Collects what the log writes.
class RecordingFile : public File
{
 public:
   u32 Read(void*, u32) override { return 0; }
   u32 Write(const void* buffer, u32 count) override
   {
      text.append(static_cast<const char*>(buffer), count);
      writes++;
      return count;
   }
   i64 SizeGet() override { return static_cast<i64>(text.size()); }
   i64 PositionGet() override { return static_cast<i64>(text.size()); }
   bool PositionSet(i64, i32) override { return false; }
   bool EndCheck() override { return true; }

   std::string text;
   int writes = 0;
};

class ClosingManager : public FileManager
{
 public:
   File* Open(const char*, i32, i32) override { return nullptr; }
   bool Close(File*) override
   {
      std::fprintf(stderr, "log closed\n");
      return true;
   }
   bool Exists(const char*) override { return false; }
};

void BoxToStderr(const char* title, const char* text, bool error)
{
   std::fprintf(stderr, "box %s %d: %s", title, error ? 1 : 0, text);
}
} // namespace

TEST(Log, WarningsAreAppendedExactlyAsFormatted)
{
   RecordingFile file;
   LogFileSet(&file);
   EXPECT_EQ(LogFileGet(), &file);
   WarningPrintf("Class::Method -- %s %d\n", "value", 7);
   WarningPrintf("no line end, %.1f", 2.5);
   WarningPrintf("%s", "");
   LogFileSet(nullptr);
   WarningPrintf("not written\n");
   EXPECT_EQ(file.text, "Class::Method -- value 7\nno line end, 2.5");
}

TEST(Log, LongWarningIsCutOnACharacterAndReported)
{
   RecordingFile file;
   LogFileSet(&file);
   // 2046 ASCII bytes and a euro sign: the euro sign would end past byte 2047.
   std::string text(2046, 'x');
   text += "\xE2\x82\xAC";
   WarningPrintf("%s", text.c_str());
   LogFileSet(nullptr);
   const std::string report =
       "NultVsnprintf -- truncation or error occurred\n   bufferSize: 2048\n   format: %s\n"
       "UTF8Truncate -- truncation occurred.  bufferSize: 2048\n";
   ASSERT_EQ(file.text.substr(0, report.size()), report);
   EXPECT_EQ(file.text.substr(report.size()), std::string(2046, 'x'));
}

TEST(Log, ThreadsWriteWholeLines)
{
   RecordingFile file;
   LogFileSet(&file);
   std::vector<std::thread> threads;
   for (int t = 0; t < 4; t++)
   {
      threads.emplace_back(
          [t]
          {
             for (int i = 0; i < 200; i++)
             {
                WarningPrintf("thread %d line %03d\n", t, i);
             }
          });
   }
   for (std::thread& thread : threads)
   {
      thread.join();
   }
   LogFileSet(nullptr);
   EXPECT_EQ(file.writes, 800);
   EXPECT_EQ(file.text.size(), 800u * std::string("thread 0 line 000\n").size());
}

TEST(LogDeathTest, ErrorShowsItsBoxClosesTheLogAndAborts)
{
   EXPECT_DEATH(
       {
          static RecordingFile file;
          static ClosingManager manager;
          fileManagerPersistence = &manager;
          LogFileSet(&file);
          LogMessageBoxFunctionSet(&BoxToStderr);
          ErrorPrintf("Fatal -- code %d\n", 7);
       },
       "box Error 1: Fatal -- code 7\nlog closed");
}

TEST(LogDeathTest, ErrorBeforeTheLogOpensGoesToStandardError)
{
   // The exact line, and only once: the box hook (here none) is not the only place it lands.
   EXPECT_DEATH(ErrorPrintf("no log %s\n", "open"), "^no log open\n$");
}

// Start-up warns before Log.txt can open: those lines are kept and reach the log first, or the
// terminal when no log ever opens; nothing before the hold begins, or after the log closes, is kept.
TEST(LogHold, KeptLinesReachTheLogFirstOrStandardError)
{
   WarningPrintf("before the hold\n");
   LogHoldBegin();
   WarningPrintf("early %d\n", 1);
   WarningPrintf("early 2\n");
   RecordingFile file;
   LogFileSet(&file);
   WarningPrintf("late\n");
   LogFileSet(nullptr);
   WarningPrintf("after the close\n");
   EXPECT_EQ(file.text, "early 1\nearly 2\nlate\n");

   struct Case
   {
      const char* name;
      bool standardErrorUse;
      const char* expected;
   };
   for (const Case& c : {Case{"no log set", false, "kept\n"}, Case{"no log opens", true, "kept\nlater\n"}})
   {
      SCOPED_TRACE(c.name);
      ::testing::internal::CaptureStderr();
      LogHoldBegin();
      WarningPrintf("kept\n");
      if (c.standardErrorUse)
      {
         LogStandardErrorUse();
         WarningPrintf("later\n");
      }
      LogFileSet(nullptr);
      WarningPrintf("dropped\n");
      EXPECT_EQ(::testing::internal::GetCapturedStderr(), c.expected);
   }
}

TEST(LogHold, LinesBeyondTheRoomAreLeftOutWholeAndReported)
{
   LogHoldBegin();
   const std::string line = std::string(99, 'x') + "\n";
   for (int i = 0; i < 200; i++)
   {
      WarningPrintf("%s", line.c_str());
   }
   RecordingFile file;
   LogFileSet(&file);
   LogFileSet(nullptr);
   const std::string report = "LogHoldRelease -- later lines of the start-up did not fit and are lost\n";
   ASSERT_GT(file.text.size(), report.size());
   const std::string kept = file.text.substr(0, file.text.size() - report.size());
   EXPECT_EQ(file.text.substr(kept.size()), report);
   EXPECT_EQ(kept.size() % line.size(), 0u);
   EXPECT_GT(kept.size(), 100 * line.size());
   EXPECT_EQ(kept.find_first_not_of(line), std::string::npos);
}

TEST(LogDeathTest, AnErrorWhileLinesAreKeptSaysThemFirstOnStandardError)
{
   EXPECT_DEATH(
       {
          LogHoldBegin();
          WarningPrintf("what led there\n");
          ErrorPrintf("fatal\n");
       },
       "^what led there\nfatal\n$");
}
