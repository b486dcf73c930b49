// The two-level log: warnings and errors appended unchanged to Log.txt, message boxes through a
// hook that the platform layer installs, and the fatal error that ends the program.
#include "core/Log.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "core/File.h"
#include "core/FileManager.h"
#include "core/StringHelpers.h"

namespace Corvale
{
namespace
{
constexpr u32 LOG_BUFFER_SIZE = 2048;
// Room for the lines of a start-up that can't reach the log yet; enough for dozens of warnings.
constexpr u32 LOG_HOLD_SIZE = 16384;

// Where a line goes while no log file is set.
enum LogTarget
{
   LOG_TARGET_NONE,
   LOG_TARGET_HOLD,
   LOG_TARGET_STANDARD_ERROR
};

// The sound thread logs too; the lock is re-entrant because formatting trouble is itself logged.
std::recursive_mutex& LogLock()
{
   static std::recursive_mutex* lock = new std::recursive_mutex();
   return *lock;
}

File* logFile = nullptr;
bool firstWarningShown = false;
LogMessageBoxFunction messageBoxFunction = nullptr;
LogTarget logTarget = LOG_TARGET_NONE;
char logHold[LOG_HOLD_SIZE];
u32 logHoldLength = 0;
bool logHoldOverflow = false;

// A line that does not fit whole is left out, so the kept text never ends mid-line.
void LogHoldAppend(const char* text)
{
   const u32 length = static_cast<u32>(std::strlen(text));
   if (logHoldLength + length > LOG_HOLD_SIZE)
   {
      logHoldOverflow = true;
      return;
   }
   std::memcpy(logHold + logHoldLength, text, length);
   logHoldLength += length;
}

// Hands the kept lines to the file, or to standard error without one, and stops keeping.
void LogHoldRelease(File* file)
{
   static const char overflowLine[] =
       "LogHoldRelease -- later lines of the start-up did not fit and are lost\n";
   if (file)
   {
      file->Write(logHold, logHoldLength);
      if (logHoldOverflow)
      {
         file->Write(overflowLine, sizeof(overflowLine) - 1);
      }
   }
   else
   {
      std::fwrite(logHold, 1, logHoldLength, stderr);
      if (logHoldOverflow)
      {
         std::fputs(overflowLine, stderr);
      }
      std::fflush(stderr);
   }
   logHoldLength = 0;
   logHoldOverflow = false;
}

// Formats into buffer and writes the text to Log.txt when it is open; else it is kept, sent to
// standard error or dropped, as the target says.
void LogFormatAndWrite(char* buffer, const char* format, va_list arguments)
{
   buffer[0] = 0;
   if (format)
   {
      va_list copy;
      va_copy(copy, arguments);
      int result = std::vsnprintf(buffer, LOG_BUFFER_SIZE, format, copy);
      va_end(copy);
      if (result < 0 || static_cast<u32>(result) >= LOG_BUFFER_SIZE)
      {
         if (result < 0)
         {
            buffer[0] = 0;
         }
         WarningPrintf("NultVsnprintf -- truncation or error occurred\n   bufferSize: %d\n   format: %s\n",
                       static_cast<i32>(LOG_BUFFER_SIZE), format);
      }
   }
   UTF8Truncate(buffer, LOG_BUFFER_SIZE);
   if (logFile)
   {
      logFile->Write(buffer, static_cast<u32>(std::strlen(buffer)));
   }
   else if (logTarget == LOG_TARGET_HOLD)
   {
      LogHoldAppend(buffer);
   }
   else if (logTarget == LOG_TARGET_STANDARD_ERROR)
   {
      std::fputs(buffer, stderr);
      std::fflush(stderr);
   }
}
} // namespace

void WarningPrintf(const char* format, ...)
{
   va_list arguments;
   va_start(arguments, format);
   WarningVprintf(format, arguments);
   va_end(arguments);
}

void ErrorPrintf(const char* format, ...)
{
   va_list arguments;
   va_start(arguments, format);
   ErrorVprintf(format, arguments);
}

void WarningVprintf(const char* format, va_list arguments)
{
   std::lock_guard<std::recursive_mutex> guard(LogLock());
   char buffer[LOG_BUFFER_SIZE];
   LogFormatAndWrite(buffer, format, arguments);
   if (!firstWarningShown)
   {
      firstWarningShown = true;
      if (messageBoxFunction)
      {
         messageBoxFunction("Warning", buffer, false);
      }
   }
}

void ErrorVprintf(const char* format, va_list arguments)
{
   {
      std::lock_guard<std::recursive_mutex> guard(LogLock());
      // Before the log opens (or without a save-data folder) the one place left to say why the
      // program ends, and what led there, is the terminal.
      if (!logFile)
      {
         LogStandardErrorUse();
      }
      char buffer[LOG_BUFFER_SIZE];
      LogFormatAndWrite(buffer, format, arguments);
      if (messageBoxFunction)
      {
         messageBoxFunction("Error", buffer, true);
      }
      if (logFile && fileManagerPersistence)
      {
         fileManagerPersistence->Close(logFile);
         logFile = nullptr;
      }
   }
   std::abort();
}

void DebugTracePrintf(const char*, ...)
{
}

void LogFileSet(File* file)
{
   std::lock_guard<std::recursive_mutex> guard(LogLock());
   if (logTarget == LOG_TARGET_HOLD)
   {
      LogHoldRelease(file);
   }
   logTarget = LOG_TARGET_NONE;
   logFile = file;
}

void LogHoldBegin()
{
   std::lock_guard<std::recursive_mutex> guard(LogLock());
   logTarget = LOG_TARGET_HOLD;
}

void LogStandardErrorUse()
{
   std::lock_guard<std::recursive_mutex> guard(LogLock());
   if (logTarget == LOG_TARGET_HOLD)
   {
      LogHoldRelease(nullptr);
   }
   logTarget = LOG_TARGET_STANDARD_ERROR;
}

File* LogFileGet()
{
   std::lock_guard<std::recursive_mutex> guard(LogLock());
   return logFile;
}

void LogMessageBoxFunctionSet(LogMessageBoxFunction function)
{
   std::lock_guard<std::recursive_mutex> guard(LogLock());
   messageBoxFunction = function;
}
} // namespace Corvale
