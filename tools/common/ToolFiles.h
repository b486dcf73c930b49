// Writing the art tools' outputs: a bitmap as PNG through our own writer, and a small text file,
// each whole or with one line on standard error naming the file.
#pragma once

#include <cstdio>
#include <string>

#include "core/FileStdio.h"
#include "core/Memory.h"
#include "platform/image/Bitmap.h"
#include "platform/image/BitmapLoaderPNG.h"

namespace Corvale
{
namespace ToolFiles
{
inline bool PNGWrite(const char* tool, const std::string& path, const Bitmap& bitmap)
{
   FileStdio file(std::fopen(path.c_str(), "wb"));
   if (!file.stream)
   {
      std::fprintf(stderr, "%s: unable to create %s\n", tool, path.c_str());
      return false;
   }
   const bool saved = bitmapLoaderPNG.Save(&bitmap, &file, HEAP_TEMP);
   const bool closed = std::fclose(file.stream) == 0;
   file.stream = nullptr;
   if (!saved || !closed)
   {
      std::fprintf(stderr, "%s: unable to write %s\n", tool, path.c_str());
   }
   return saved && closed;
}

inline bool TextWrite(const char* tool, const std::string& path, const std::string& text)
{
   FILE* stream = std::fopen(path.c_str(), "wb");
   if (!stream)
   {
      std::fprintf(stderr, "%s: unable to create %s\n", tool, path.c_str());
      return false;
   }
   const bool written = std::fwrite(text.data(), 1, text.size(), stream) == text.size();
   const bool closed = std::fclose(stream) == 0;
   if (!written || !closed)
   {
      std::fprintf(stderr, "%s: unable to write %s\n", tool, path.c_str());
   }
   return written && closed;
}
} // namespace ToolFiles
} // namespace Corvale
