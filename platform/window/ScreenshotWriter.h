// The one call through which a captured frame becomes a PNG file in the save-data folder.
#pragma once

#include "core/Types.h"

namespace Corvale
{
class FileManager;

// pixels: width × height RGB bytes, top row first. False when nothing was written.
bool ScreenshotWrite(FileManager* fileManager, const char* name, const u8* pixels, i32 width, i32 height);
} // namespace Corvale
