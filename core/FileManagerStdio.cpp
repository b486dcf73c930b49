// The file manager over the operating system's folders, and the set-up of the save-data folder.
#include "core/FileManagerStdio.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include "core/Allocator.h"
#include "core/FileStdio.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/StringHelpers.h"
#include "core/Table.h"

namespace Corvale
{
FileManagerStdio fileManagerStdioResource;
FileManagerStdio fileManagerStdioPersistence;

namespace
{
constexpr u32 FILE_COPY_PIECE_SIZE = 8192;
// Folder listings form their paths one byte shorter than the other operations.
constexpr u32 FOLDER_PATH_SIZE = FILE_FULL_PATH_SIZE - 1;

// False unless the path exists; then whether it is a folder.
bool StatFolderGet(const char* path, bool* folder)
{
   struct stat status;
   if (stat(path, &status) != 0)
   {
      return false;
   }
   *folder = S_ISDIR(status.st_mode);
   return true;
}
} // namespace

File* FileManagerStdio::Open(const char* path, i32 options, i32 heapId)
{
   const char* mode = options == FILE_OPEN_READ         ? "rb"
                      : options == FILE_OPEN_WRITE      ? "wb"
                      : options == FILE_OPEN_READ_WRITE ? "r+b"
                                                        : nullptr;
   if (!mode)
   {
      WarningPrintf("FileManagerStdio::Open -- invalid options (%d) for file \"%s\"\n", options,
                    path ? path : "");
      return nullptr;
   }
   char fullPath[FILE_FULL_PATH_SIZE];
   if (!FullPathForm(fullPath, FILE_FULL_PATH_SIZE, path))
   {
      return nullptr;
   }
   FileStdio* file = MemoryNew<FileStdio>(heapId);
   if (!file)
   {
      return nullptr;
   }
   file->stream = fopen(fullPath, mode);
   // Linux opens a folder for reading; it is no file, and reading it would fail later.
   bool folder = false;
   if (file->stream && StatFolderGet(fullPath, &folder) && folder)
   {
      fclose(file->stream);
      file->stream = nullptr;
   }
   if (!file->stream)
   {
      if (options == FILE_OPEN_READ)
      {
         WarningPrintf("FileManagerStdio::Open -- Unable to open file for reading: \"%s\"\n", fullPath);
      }
      else
      {
         WarningPrintf("FileManagerStdio::Open -- Unable to open file for writing: \"%s\"\n", fullPath);
      }
      MemoryDelete(file);
      return nullptr;
   }
   return file;
}

bool FileManagerStdio::Close(File* file)
{
   FileStdio* fileStdio = dynamic_cast<FileStdio*>(file);
   if (!fileStdio)
   {
      return false;
   }
   bool result = false;
   if (fileStdio->stream)
   {
      result = fclose(fileStdio->stream) == 0;
      fileStdio->stream = nullptr;
   }
   MemoryDelete(fileStdio);
   return result;
}

bool FileManagerStdio::Exists(const char* path)
{
   char fullPath[FILE_FULL_PATH_SIZE];
   return FullPathForm(fullPath, FILE_FULL_PATH_SIZE, path) && access(fullPath, F_OK) == 0;
}

bool FileManagerStdio::FileCheck(const char* path)
{
   char fullPath[FILE_FULL_PATH_SIZE];
   bool folder = false;
   return FullPathForm(fullPath, FILE_FULL_PATH_SIZE, path) && StatFolderGet(fullPath, &folder) && !folder;
}

bool FileManagerStdio::FolderCheck(const char* path)
{
   char fullPath[FILE_FULL_PATH_SIZE];
   bool folder = false;
   return FullPathForm(fullPath, FILE_FULL_PATH_SIZE, path) && StatFolderGet(fullPath, &folder) && folder;
}

bool FileManagerStdio::FileDelete(const char* path)
{
   char fullPath[FILE_FULL_PATH_SIZE];
   // unlink, not remove: a folder must not go by the file operation.
   return FullPathForm(fullPath, FILE_FULL_PATH_SIZE, path) && unlink(fullPath) == 0;
}

bool FileManagerStdio::FolderDelete(const char* path)
{
   char fullPath[FILE_FULL_PATH_SIZE];
   return FullPathForm(fullPath, FILE_FULL_PATH_SIZE, path) && rmdir(fullPath) == 0;
}

bool FileManagerStdio::FileRename(const char* newPath, const char* oldPath)
{
   char fullNewPath[FILE_FULL_PATH_SIZE];
   char fullOldPath[FILE_FULL_PATH_SIZE];
   return FullPathForm(fullNewPath, FILE_FULL_PATH_SIZE, newPath) &&
          FullPathForm(fullOldPath, FILE_FULL_PATH_SIZE, oldPath) && rename(fullOldPath, fullNewPath) == 0;
}

bool FileManagerStdio::FolderRename(const char* newPath, const char* oldPath)
{
   return FileRename(newPath, oldPath);
}

bool FileManagerStdio::FileCopy(const char* destination, const char* source, i32 heapId)
{
   File* sourceFile = Open(source, FILE_OPEN_READ, heapId);
   if (!sourceFile)
   {
      return false;
   }
   File* targetFile = Open(destination, FILE_OPEN_WRITE, heapId);
   if (!targetFile)
   {
      Close(sourceFile);
      return false;
   }
   u8* buffer = static_cast<u8*>(MemoryAllocate(FILE_COPY_PIECE_SIZE, heapId, 4));
   if (!buffer)
   {
      Close(targetFile);
      Close(sourceFile);
      return false;
   }
   i64 remaining = sourceFile->SizeGet();
   bool complete = remaining >= 0;
   while (complete && remaining > 0)
   {
      const u32 piece = remaining < FILE_COPY_PIECE_SIZE ? static_cast<u32>(remaining) : FILE_COPY_PIECE_SIZE;
      complete = sourceFile->Read(buffer, piece) == piece && targetFile->Write(buffer, piece) == piece;
      remaining -= piece;
   }
   MemoryFree(buffer);
   // Buffered bytes that can't be written show up only at the close.
   complete = Close(targetFile) && complete;
   Close(sourceFile);
   if (!complete)
   {
      // A half copy must not pass for the file.
      FileDelete(destination);
      WarningPrintf("FileManagerStdio::FileCopy -- copy of \"%s\" to \"%s\" stopped short\n", source,
                    destination);
   }
   return complete;
}

bool FileManagerStdio::FolderCreate(const char* path)
{
   char fullPath[FILE_FULL_PATH_SIZE];
   return FullPathForm(fullPath, FILE_FULL_PATH_SIZE, path) && mkdir(fullPath, 0777) == 0;
}

bool FileManagerStdio::FolderSync(const char* path)
{
   char fullPath[FILE_FULL_PATH_SIZE];
   if (!FullPathForm(fullPath, FILE_FULL_PATH_SIZE, path))
   {
      return false;
   }
   const int folder = open(fullPath[0] ? fullPath : ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
   if (folder < 0)
   {
      return false;
   }
   // Some file systems can't sync a folder at all; there is nothing more to be done there.
   const bool synced = fsync(folder) == 0 || errno == EINVAL;
   close(folder);
   return synced;
}

Table<char*>* FileManagerStdio::FolderContentsGet(const char* path, i32 heapId, u32 /*option*/)
{
   if (!path)
   {
      return nullptr;
   }
   char fullPath[FOLDER_PATH_SIZE];
   if (!FullPathForm(fullPath, FOLDER_PATH_SIZE, path))
   {
      WarningPrintf("FileManagerStdio::FolderContentsGet -- path is too long or otherwise invalid: %s\n",
                    path);
      return nullptr;
   }
   if (fullPath[0] == '\0')
   {
      fullPath[0] = '.';
      fullPath[1] = '\0';
   }
   if (heapId < 0 || heapId >= HEAP_COUNT)
   {
      return nullptr;
   }
   Table<char*>* table = MemoryNew<Table<char*>>(heapId);
   if (!table)
   {
      return nullptr;
   }
   table->allocator = allocatorHeaps[heapId];
   DIR* folder = opendir(fullPath);
   if (!folder)
   {
      // A missing folder holds nothing; any other failure is no answer at all.
      if (errno == ENOENT)
      {
         return table;
      }
      MemoryDelete(table);
      return nullptr;
   }
   while (const dirent* entry = readdir(folder))
   {
      if (strcmp(entry->d_name, ".") == 0 || strcmp(entry->d_name, "..") == 0)
      {
         continue;
      }
      char* name = StringDuplicate(entry->d_name, heapId);
      if (name)
      {
         table->Insert(name, table->count);
      }
   }
   closedir(folder);
   return table;
}

void FileManagerStdio::FolderContentsFree(Table<char*>* table)
{
   if (!table)
   {
      return;
   }
   for (i32 i = 0; i < table->count; ++i)
   {
      MemoryFree(table->data[i]);
   }
   MemoryDelete(table);
}

u64 FileManagerStdio::FileModificationTimeGet(const char* path)
{
   char fullPath[FILE_FULL_PATH_SIZE];
   struct stat status;
   if (!FullPathForm(fullPath, FILE_FULL_PATH_SIZE, path) || stat(fullPath, &status) != 0)
   {
      return 0;
   }
   return static_cast<u64>(status.st_mtime);
}

bool FileManagerStdio::ApplicationDataFolderGet(char* destination, u32 destinationSize)
{
   const char* dataHome = getenv("XDG_DATA_HOME");
   if (dataHome && dataHome[0] == '/')
   {
      return NultStrncpy(destination, dataHome, destinationSize);
   }
   const char* home = getenv("HOME");
   if (!home || home[0] == '\0')
   {
      WarningPrintf("FileManagerStdio::ApplicationDataFolderGet -- neither XDG_DATA_HOME nor HOME is set\n");
      return false;
   }
   return NultSnprintf(destination, destinationSize, "%s/.local/share", home);
}

namespace
{
// Makes folder and, unlike a Windows application-data folder, any of its missing parents: a
// fresh account may have no ~/.local yet.
bool FolderMakeAll(FileManagerStdio& manager, const char* folder)
{
   if (manager.FolderCheck(folder))
   {
      return true;
   }
   char path[FILE_FULL_PATH_SIZE];
   if (!NultStrncpy(path, folder, FILE_FULL_PATH_SIZE))
   {
      return false;
   }
   for (char* c = path + 1; *c; ++c)
   {
      if (*c == '/')
      {
         *c = '\0';
         if (!manager.FolderCheck(path))
         {
            manager.FolderCreate(path);
         }
         *c = '/';
      }
   }
   return manager.FolderCheck(path) || manager.FolderCreate(path);
}
} // namespace

bool FileManagerStdio::PersistenceFileManagerInit(const char* applicationDataFolder,
                                                  const char* developerFolder, const char* projectFolder)
{
   fileManagerPersistence = nullptr;
   if (!applicationDataFolder || !developerFolder || !projectFolder)
   {
      return false;
   }
   FileManagerStdio manager;
   if (!FolderMakeAll(manager, applicationDataFolder))
   {
      WarningPrintf("FileManagerStdio::PersistenceFileManagerInit -- Failed to create the grandparent of the "
                    "game's persistence folder: \"%s\"\n",
                    applicationDataFolder);
      return false;
   }
   char folder[FILE_FULL_PATH_SIZE];
   if (!NultSnprintf(folder, FILE_FULL_PATH_SIZE, "%s/%s", applicationDataFolder, developerFolder))
   {
      return false;
   }
   if (!manager.FolderCheck(folder) && !manager.FolderCreate(folder))
   {
      WarningPrintf(
          "FileManagerStdio::PersistenceFileManagerInit -- Failed to create the parent of the game's "
          "persistence folder: \"%s\"\n",
          folder);
      return false;
   }
   if (!NultSnprintf(folder, FILE_FULL_PATH_SIZE, "%s/%s/%s", applicationDataFolder, developerFolder,
                     projectFolder))
   {
      return false;
   }
   if (!manager.FolderCheck(folder) && !manager.FolderCreate(folder))
   {
      WarningPrintf(
          "FileManagerStdio::PersistenceFileManagerInit -- Failed to create the the game's persistence "
          "folder: \"%s\"\n",
          folder);
      return false;
   }
   fileManagerStdioPersistence.BaseFolderSet(nullptr);
   fileManagerStdioPersistence.BaseFolderSet(folder);
   fileManagerPersistence = &fileManagerStdioPersistence;
   return true;
}
} // namespace Corvale
