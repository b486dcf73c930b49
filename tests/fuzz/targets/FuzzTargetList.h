// The fuzz target functions, each in the file of its readers' subsystem.
#pragma once

#include <cstddef>

#include "core/Types.h"

namespace Corvale
{
namespace Fuzz
{
void FuzzPNG(const u8* data, size_t size);
void FuzzTex(const u8* data, size_t size);
void FuzzImg(const u8* data, size_t size);
void FuzzJSON(const u8* data, size_t size);
void FuzzArchive(const u8* data, size_t size);
void FuzzWAV(const u8* data, size_t size);
void FuzzSND(const u8* data, size_t size);
void FuzzSprite(const u8* data, size_t size);
void FuzzFont(const u8* data, size_t size);
void FuzzGUILayer(const u8* data, size_t size);
void FuzzTextDocument(const u8* data, size_t size);
void FuzzDialog(const u8* data, size_t size);
void FuzzSkeleton(const u8* data, size_t size);
void FuzzRuntimeJSON(const u8* data, size_t size);
void FuzzAtlas(const u8* data, size_t size);
} // namespace Fuzz
} // namespace Corvale
