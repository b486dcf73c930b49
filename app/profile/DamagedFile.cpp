// Moves damaged save-data documents aside before anything writes a new one in their place.
#include "app/profile/DamagedFile.h"

#include <cstring>

#include "core/FileManager.h"
#include "core/JSONParser.h"
#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/StringHelpers.h"

namespace Corvale
{
namespace
{
// Copies kept side by side before the player is expected to have noticed them.
constexpr i32 DAMAGED_COPY_COUNT = 1000;
} // namespace

bool DamagedFileSetAside(FileManager* manager, const char* path)
{
   if (!manager || !path)
   {
      return false;
   }
   char copy[FILE_PATH_SIZE];
   bool found = false;
   for (i32 k = 0; k < DAMAGED_COPY_COUNT && !found; k++)
   {
      const bool formed = k == 0 ? NultSnprintf(copy, sizeof(copy), "%s.damaged", path)
                                 : NultSnprintf(copy, sizeof(copy), "%s.damaged-%d", path, k);
      if (!formed)
      {
         break;
      }
      found = !manager->Exists(copy);
   }
   if (!found || !manager->FileRename(copy, path))
   {
      WarningPrintf(
          "DamagedFileSetAside -- \"%s\" is damaged and could not be set aside; it is left as it is\n", path);
      return false;
   }
   // The folder whose list of names the rename changed: everything up to the last '/'.
   char folder[FILE_PATH_SIZE];
   NultStrncpy(folder, path, sizeof(folder));
   char* slash = std::strrchr(folder, '/');
   *(slash ? slash : folder) = '\0';
   if (!manager->FolderSync(folder))
   {
      WarningPrintf("DamagedFileSetAside -- \"%s\" is damaged; its copy \"%s\" may not survive a power cut\n",
                    path, copy);
      return false;
   }
   WarningPrintf("DamagedFileSetAside -- \"%s\" is damaged; it is kept as \"%s\" and a new one is started\n",
                 path, copy);
   return true;
}

JSONValue* SaveDataObjectLoad(const char* name, i32 heapId, bool* keptInPlace)
{
   *keptInPlace = false;
   FileManager* manager = fileManagerPersistence;
   char path[FILE_PATH_SIZE];
   if (!manager || !name || !NultSnprintf(path, sizeof(path), "%s.json", name) || !manager->Exists(path))
   {
      return nullptr;
   }
   JSONParser parser;
   JSONValue* document = parser.Load(name, manager, heapId);
   if (document && document->TypeGet() == JSONValue::TYPE_OBJECT)
   {
      return document;
   }
   MemoryDelete(document);
   *keptInPlace = !DamagedFileSetAside(manager, path);
   return nullptr;
}
} // namespace Corvale
