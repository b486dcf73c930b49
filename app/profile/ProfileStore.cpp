// Loads, saves, switches and deletes the local profiles. Every member read from the documents may
// be missing or mistyped and falls back quietly; only damaged files and folders that can't be made
// durable are logged.
#include "app/profile/ProfileStore.h"

#include <cstring>

#include "app/profile/DamagedFile.h"
#include "core/FileManager.h"
#include "core/JSONParser.h"
#include "core/JSONValue.h"
#include "core/JSONWriter.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/StringHelpers.h"

namespace Corvale
{
JSONValue* consts = nullptr;
JSONValue* settings = nullptr;
bool quitRequested = false;
bool settingsSaveRefused = false;
JSONValue* profileCurrent = nullptr;
char* profileCurrentName = nullptr;

namespace
{
// Folder numbers run from 0 to this, exclusive.
constexpr i32 PROFILE_FOLDER_NUMBER_COUNT = 100000;

u32 profileLoadCount = 0;
// Set while the current profile's damaged file could not be set aside.
bool profileSaveRefused = false;

void ProfileCurrentFree()
{
   MemoryDelete(profileCurrent);
   profileCurrent = nullptr;
   MemoryFree(profileCurrentName);
   profileCurrentName = nullptr;
   profileSaveRefused = false;
}

bool NameEqualCheck(const JSONValue* entry, const char* name)
{
   const char* entryName =
       entry->TypeGet() == JSONValue::TYPE_OBJECT ? entry->ItemGet("Name")->StringValueGet() : nullptr;
   return entryName && std::strcmp(entryName, name) == 0;
}

bool FolderNumberUsedCheck(const JSONValue* profiles, i32 candidate)
{
   for (i32 i = 0; i < profiles->CountGet(); i++)
   {
      const JSONValue* number = profiles->ElementGet(i)->ItemGet("FolderNumber");
      if (number->TypeGet() == JSONValue::TYPE_NUMBER && number->IntValueGet() == candidate)
      {
         return true;
      }
   }
   // A folder the list no longer knows (a damaged Settings.json started afresh, a deletion that
   // left files behind) still holds someone's data.
   char path[PROFILE_PATH_SIZE];
   return fileManagerPersistence && NultSnprintf(path, sizeof(path), "Profiles/%d", candidate) &&
          fileManagerPersistence->Exists(path);
}

// The lowest number that neither an entry nor a folder uses, or -1 when all are taken.
i32 FolderNumberFreeGet(const JSONValue* profiles)
{
   for (i32 candidate = 0; candidate < PROFILE_FOLDER_NUMBER_COUNT; candidate++)
   {
      if (!FolderNumberUsedCheck(profiles, candidate))
      {
         return candidate;
      }
   }
   return -1;
}

// A member name of "SavedGames" becomes a folder name: it must stay one level inside the
// profile's folder whatever the file says.
bool FolderNameSafeCheck(const char* name)
{
   return name && name[0] && std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0 &&
          !std::strchr(name, '/');
}

bool FolderDeleteIfPresent(FileManager* manager, const char* path)
{
   return manager->FolderCheck(path) && manager->FolderDelete(path);
}

bool FileDeleteIfPresent(FileManager* manager, const char* path)
{
   return manager->FileCheck(path) && manager->FileDelete(path);
}

void SavedGameFoldersDelete(FileManager* manager, i32 folderNumber, const char* game,
                            const JSONValue* records)
{
   char path[PROFILE_PATH_SIZE];
   for (i32 i = 0; records->TypeGet() == JSONValue::TYPE_ARRAY && i < records->CountGet(); i++)
   {
      const JSONValue* number = records->ElementGet(i)->ItemGet("FolderNumber");
      if (number->TypeGet() != JSONValue::TYPE_NUMBER)
      {
         continue;
      }
      const i32 savedNumber = number->IntValueGet();
      if (NultSnprintf(path, sizeof(path), "Profiles/%d/SavedGames/%s/%d/SavedGame.json", folderNumber, game,
                       savedNumber))
      {
         FileDeleteIfPresent(manager, path);
      }
      if (NultSnprintf(path, sizeof(path), "Profiles/%d/SavedGames/%s/%d", folderNumber, game, savedNumber))
      {
         FolderDeleteIfPresent(manager, path);
      }
   }
   if (NultSnprintf(path, sizeof(path), "Profiles/%d/SavedGames/%s", folderNumber, game))
   {
      FolderDeleteIfPresent(manager, path);
   }
}
} // namespace

void ProfileStoreInit()
{
   const char* name = settings ? settings->ItemGet("Profile")->StringValueGet() : nullptr;
   if (name)
   {
      ProfileLoad(name);
   }
   if (!profileCurrent)
   {
      ProfileLoad(consts ? consts->ItemGet("ProfileNameDefault")->StringValueGet() : nullptr);
   }
}

void ProfileStoreDeinit()
{
   ProfileSave();
   SettingsSave();
   ProfileCurrentFree();
}

void ProfileLoad(const char* name)
{
   ProfileSave();
   // The name may be the current one (a reload), or live in the settings about to change.
   char* nameCopy = name && name[0] ? StringDuplicate(name, HEAP_DEFAULT) : nullptr;
   ProfileCurrentFree();
   profileLoadCount++;
   if (!nameCopy)
   {
      SettingsSave();
      return;
   }
   profileCurrentName = nameCopy;

   JSONValue* entry = ProfileEntryGet(nameCopy);
   JSONValue* profiles = ProfilesGet();
   if (!entry && profiles)
   {
      entry = profiles->ElementAdd();
      entry->ObjectSet();
      entry->ItemStringSet("Name", nameCopy);
   }
   if (entry && ProfileFolderNumberGet(nameCopy) == -1)
   {
      const i32 number = FolderNumberFreeGet(profiles);
      if (number >= 0)
      {
         entry->ItemNumberSet("FolderNumber", number);
      }
   }

   char path[PROFILE_PATH_SIZE];
   if (ProfilePathGet(path, nameCopy))
   {
      profileCurrent = SaveDataObjectLoad(path, HEAP_DEFAULT, &profileSaveRefused);
   }
   if (!profileCurrent)
   {
      profileCurrent = JSONValue::New(HEAP_DEFAULT);
      if (profileCurrent)
      {
         profileCurrent->ObjectSet();
      }
   }
   SettingsSave();
}

void ProfileSave()
{
   if (!profileCurrent || !profileCurrentName || profileSaveRefused)
   {
      return;
   }
   char path[PROFILE_PATH_SIZE];
   if (ProfileFoldersCreate(profileCurrentName) && ProfilePathGet(path, profileCurrentName))
   {
      JSONWriter::PersistenceSave(path, profileCurrent);
   }
}

void SettingsSave()
{
   if (!settings)
   {
      return;
   }
   if (!profileCurrentName)
   {
      if (settings->ItemFind("Profile") && !settings->MemberIsNull("Profile"))
      {
         settings->ItemRemove("Profile");
      }
   }
   else
   {
      settings->ItemStringSet("Profile", profileCurrentName);
   }
   if (fileManagerPersistence && !settingsSaveRefused)
   {
      JSONWriter::PersistenceSave("Settings", settings);
   }
}

void ProfileDelete(const char* name)
{
   if (!name || !name[0])
   {
      return;
   }
   // The name may be the current one, which is freed below.
   char* nameCopy = StringDuplicate(name, HEAP_DEFAULT);
   if (!nameCopy)
   {
      return;
   }
   const i32 folderNumber = ProfileFolderNumberGet(nameCopy);
   if (profileCurrentName && std::strcmp(profileCurrentName, nameCopy) == 0)
   {
      if (settings)
      {
         settings->ItemRemove("Profile");
      }
      ProfileCurrentFree();
      profileLoadCount++;
   }
   SavedGamesDelete(nameCopy);
   FileManager* manager = fileManagerPersistence;
   char path[PROFILE_PATH_SIZE];
   if (manager && folderNumber != -1)
   {
      if (NultSnprintf(path, sizeof(path), "Profiles/%d/Profile.json", folderNumber))
      {
         FileDeleteIfPresent(manager, path);
      }
      if (NultSnprintf(path, sizeof(path), "Profiles/%d", folderNumber))
      {
         FolderDeleteIfPresent(manager, path);
      }
   }
   JSONValue* profiles = ProfilesGet();
   for (i32 i = profiles ? profiles->CountGet() - 1 : -1; i >= 0; i--)
   {
      if (NameEqualCheck(profiles->ElementGet(i), nameCopy))
      {
         profiles->ElementRemove(i);
      }
   }
   MemoryFree(nameCopy);
   SettingsSave();
}

void SavedGamesDelete(const char* name)
{
   FileManager* manager = fileManagerPersistence;
   const i32 folderNumber = ProfileFolderNumberGet(name);
   char path[PROFILE_PATH_SIZE];
   char file[PROFILE_PATH_SIZE];
   if (!manager || folderNumber == -1 || !ProfilePathGet(path, name) ||
       !NultSnprintf(file, sizeof(file), "%s.json", path) || !manager->Exists(file))
   {
      return;
   }
   JSONParser parser;
   JSONValue* document = parser.Load(path, manager, HEAP_TEMP);
   if (!document)
   {
      return;
   }
   const JSONValue* savedGames = document->ItemGet("SavedGames");
   if (savedGames->TypeGet() == JSONValue::TYPE_OBJECT)
   {
      for (JSONValue::Iterator it = savedGames->ItemsBegin(); it.ValidCheck(); it.Next())
      {
         if (FolderNameSafeCheck(it.node->key))
         {
            SavedGameFoldersDelete(manager, folderNumber, it.node->key, it.node->value);
         }
      }
   }
   if (NultSnprintf(path, sizeof(path), "Profiles/%d/SavedGames", folderNumber))
   {
      FolderDeleteIfPresent(manager, path);
   }
   MemoryDelete(document);
}

JSONValue* ProfilesGet()
{
   if (!settings)
   {
      return nullptr;
   }
   JSONValue* profiles = settings->ItemFind("Profiles");
   if (!profiles || profiles->TypeGet() != JSONValue::TYPE_ARRAY)
   {
      profiles = settings->ItemArraySet("Profiles");
   }
   return profiles->TypeGet() == JSONValue::TYPE_ARRAY ? profiles : nullptr;
}

JSONValue* ProfileEntryGet(const char* name)
{
   // A lookup changes nothing, not even a mistyped "Profiles".
   const JSONValue* profiles = name && settings ? settings->ItemGet("Profiles") : &JSONValue::nullValue;
   for (i32 i = 0; profiles->TypeGet() == JSONValue::TYPE_ARRAY && i < profiles->CountGet(); i++)
   {
      JSONValue* entry = profiles->ElementGet(i);
      if (NameEqualCheck(entry, name))
      {
         return entry;
      }
   }
   return nullptr;
}

i32 ProfileFolderNumberGet(const char* name)
{
   const JSONValue* entry = ProfileEntryGet(name);
   const JSONValue* number = entry ? entry->ItemGet("FolderNumber") : nullptr;
   return number && number->TypeGet() == JSONValue::TYPE_NUMBER ? number->IntValueGet() : -1;
}

bool ProfilePathGet(char* buffer, const char* name)
{
   const i32 number = ProfileFolderNumberGet(name);
   return number != -1 && NultSnprintf(buffer, PROFILE_PATH_SIZE, "Profiles/%d/Profile", number);
}

bool ProfileFoldersCreate(const char* name)
{
   FileManager* manager = fileManagerPersistence;
   const i32 number = ProfileFolderNumberGet(name);
   if (!manager || number == -1)
   {
      return false;
   }
   char folders[3][PROFILE_PATH_SIZE];
   if (!NultSnprintf(folders[0], PROFILE_PATH_SIZE, "Profiles") ||
       !NultSnprintf(folders[1], PROFILE_PATH_SIZE, "Profiles/%d", number) ||
       !NultSnprintf(folders[2], PROFILE_PATH_SIZE, "Profiles/%d/SavedGames", number))
   {
      return false;
   }
   // Each new folder's name must reach the disk in its parent, as the files written into it do.
   const char* parents[3] = {"", folders[0], folders[1]};
   for (i32 i = 0; i < 3; i++)
   {
      if (manager->FolderCheck(folders[i]))
      {
         continue;
      }
      if (!manager->FolderCreate(folders[i]))
      {
         return false;
      }
      if (!manager->FolderSync(parents[i]))
      {
         WarningPrintf("ProfileFoldersCreate -- the new folder \"%s\" may not survive a power cut\n",
                       folders[i]);
      }
   }
   return true;
}

JSONValue* ProfileMinigameSettingsGet(const char* game)
{
   if (!profileCurrent || !game)
   {
      return nullptr;
   }
   JSONValue* all = profileCurrent->ItemFind("MinigameSettings");
   if (!all || all->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      all = profileCurrent->ItemObjectSet("MinigameSettings");
   }
   JSONValue* options = all->ItemFind(game);
   if (!options || options->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      options = all->ItemObjectSet(game);
   }
   return options->TypeGet() == JSONValue::TYPE_OBJECT ? options : nullptr;
}

u32 ProfileLoadCountGet()
{
   return profileLoadCount;
}
} // namespace Corvale
