// The two-level log: warnings are appended to Log.txt (the first one of a run also shows a box),
// errors are appended, shown and end the program.
#pragma once

#include <cstdarg>

#include "core/Types.h"

namespace Corvale
{
class File;

void WarningPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
[[noreturn]] void ErrorPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
void WarningVprintf(const char* format, va_list arguments);
[[noreturn]] void ErrorVprintf(const char* format, va_list arguments);
// Debug trace: discards its text in this program.
void DebugTracePrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The open Log.txt (null while closed); the application opens and closes it. Lines kept since
// LogHoldBegin go to the file first; setting null instead sends them to standard error. Either
// way, lines raised while no file is set are dropped from then on.
void LogFileSet(File* file);
File* LogFileGet();
// Start-up reads files, and may warn about them, before it can open Log.txt: from here until a
// file is set, lines are kept in memory rather than dropped.
void LogHoldBegin();
// For a run whose Log.txt can't be opened: the kept lines, and every later one while no file is
// set, go to standard error.
void LogStandardErrorUse();

// Shows a message box; installed by the platform layer. Until then, and whenever no display
// exists, boxes are not shown (the log line is still written).
typedef void (*LogMessageBoxFunction)(const char* title, const char* text, bool error);
void LogMessageBoxFunctionSet(LogMessageBoxFunction function);
} // namespace Corvale
