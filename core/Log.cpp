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

// The sound thread logs too; the lock is re-entrant because formatting trouble is itself logged.
std::recursive_mutex& LogLock()
{
   static std::recursive_mutex* lock = new std::recursive_mutex();
   return *lock;
}

File* logFile = nullptr;
bool firstWarningShown = false;
LogMessageBoxFunction messageBoxFunction = nullptr;

// Formats into buffer and writes the text to Log.txt when it is open.
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
      char buffer[LOG_BUFFER_SIZE];
      LogFormatAndWrite(buffer, format, arguments);
      // Before the log opens (or without a save-data folder) the one place left to say why the
      // program ends is the terminal.
      if (!logFile)
      {
         std::fputs(buffer, stderr);
         std::fflush(stderr);
      }
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
   logFile = file;
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
