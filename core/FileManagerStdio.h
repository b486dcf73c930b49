// The file manager over the operating system's folders: the resource tree when no archive is
// shipped, and the save-data folder.
#pragma once

#include "core/FileManager.h"

namespace Corvale
{
class FileManagerStdio : public FileManager
{
 public:
   File* Open(const char* path, i32 options, i32 heapId) override;
   bool Close(File* file) override;
   bool Exists(const char* path) override;
   bool FileCheck(const char* path) override;
   bool FolderCheck(const char* path) override;
   bool FileDelete(const char* path) override;
   bool FolderDelete(const char* path) override;
   bool FileRename(const char* newPath, const char* oldPath) override;
   bool FolderRename(const char* newPath, const char* oldPath) override;
   bool FileCopy(const char* destination, const char* source, i32 heapId) override;
   bool FolderCreate(const char* path) override;
   bool FolderSync(const char* path) override;
   Table<char*>* FolderContentsGet(const char* path, i32 heapId, u32 option) override;
   void FolderContentsFree(Table<char*>* table) override;
   u64 FileModificationTimeGet(const char* path) override;

   // Makes applicationDataFolder/developerFolder/projectFolder as needed and roots the
   // persistence manager there; false leaves fileManagerPersistence null.
   static bool PersistenceFileManagerInit(const char* applicationDataFolder, const char* developerFolder,
                                          const char* projectFolder);
   // The user's data folder: $XDG_DATA_HOME when it is absolute, else $HOME/.local/share.
   static bool ApplicationDataFolderGet(char* destination, u32 destinationSize);
};

// Reads the resource tree from the working folder; also opens resource.dat for the archive.
extern FileManagerStdio fileManagerStdioResource;
// Rooted in the save-data folder by PersistenceFileManagerInit.
extern FileManagerStdio fileManagerStdioPersistence;
} // namespace Corvale
