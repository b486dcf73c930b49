// Save-data documents that can't be read are kept, not written over: the player's statistics, faces
// and settings may still be recovered from the copy.
#pragma once

#include "core/Types.h"

namespace Corvale
{
class FileManager;
class JSONValue;

// Renames the file at path to "<path>.damaged", or "<path>.damaged-<k>" with the lowest k free,
// and has the rename reach the disk; logs one line naming the file and its copy. False (also
// logged) when the file stays where it is, or its new name may not survive a power cut.
bool DamagedFileSetAside(FileManager* manager, const char* path);

// Reads "<name>.json" from the save-data folder as an object; null when the file is missing. A
// file that is there but can't be read or holds no object is set aside, and null returned;
// *keptInPlace becomes true only when that failed, and the caller must then never write over it.
JSONValue* SaveDataObjectLoad(const char* name, i32 heapId, bool* keptInPlace);
} // namespace Corvale
