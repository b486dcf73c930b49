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

// The open Log.txt (null while closed); the application opens and closes it.
void LogFileSet(File* file);
File* LogFileGet();

// Shows a message box; installed by the platform layer. Until then, and whenever no display
// exists, boxes are not shown (the log line is still written).
typedef void (*LogMessageBoxFunction)(const char* title, const char* text, bool error);
void LogMessageBoxFunctionSet(LogMessageBoxFunction function);
} // namespace Corvale
