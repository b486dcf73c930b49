// Behaviour shared by every file manager: whole-file readers, the graphics-path search, the base
// folder, and the choice of the program's resource and persistence managers.
#include "core/FileManager.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include "core/Allocator.h"
#include "core/File.h"
#include "core/FileManagerDat.h"
#include "core/FileManagerStdio.h"
#include "core/GraphicsPathManager.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/StringHelpers.h"

namespace Corvale
{
FileManager* fileManagerResource = nullptr;
FileManager* fileManagerPersistence = nullptr;

FileManager::FileManager() : baseFolder{}
{
}

void FileManager::Deinit()
{
}

bool FileManager::FullPathForm(char* destination, u32 destinationSize, const char* path) const
{
   if (!path)
   {
      return false;
   }
   return NultSnprintf(destination, destinationSize, "%s%s", baseFolder, path);
}

void* FileManager::FileContentsRead(u32* sizeOut, Allocator* allocator, i32 alignment, i32 heapId,
                                    u32 extraBytes, File* file)
{
   const i64 size = file->SizeGet();
   // An empty file can't be read whole: callers take null as "nothing there".
   if (size <= 0 || static_cast<u64>(size) + extraBytes > 0xFFFFFFFFull)
   {
      Close(file);
      return nullptr;
   }
   const u32 total = static_cast<u32>(size) + extraBytes;
   void* buffer =
       allocator ? allocator->Allocate(total) : MemoryAllocate(total, heapId, alignment < 4 ? 4 : alignment);
   if (!buffer)
   {
      Close(file);
      return nullptr;
   }
   const bool complete = file->Read(buffer, static_cast<u32>(size)) == static_cast<u32>(size);
   const bool closed = Close(file);
   if (!complete || !closed)
   {
      if (allocator)
      {
         allocator->Free(buffer);
      }
      else
      {
         MemoryFree(buffer);
      }
      return nullptr;
   }
   if (sizeOut)
   {
      *sizeOut = static_cast<u32>(size);
   }
   return buffer;
}

void* FileManager::FileContentsGet(const char* path, u32* sizeOut, Allocator* allocator, u32 extraBytes)
{
   if (!allocator)
   {
      return nullptr;
   }
   File* file = Open(path, FILE_OPEN_READ, HEAP_TEMP);
   if (!file)
   {
      return nullptr;
   }
   return FileContentsRead(sizeOut, allocator, 4, HEAP_DEFAULT, extraBytes, file);
}

void* FileManager::FileContentsGet(const char* path, u32* sizeOut, i32 alignment, i32 heapId, u32 extraBytes)
{
   File* file = Open(path, FILE_OPEN_READ, HEAP_TEMP);
   if (!file)
   {
      return nullptr;
   }
   return FileContentsRead(sizeOut, nullptr, alignment, heapId, extraBytes, file);
}

void FileManager::FileContentsFree(void* buffer)
{
   MemoryFree(buffer);
}

char* FileManager::FileTextGet(const char* path, u32* sizeOut, i32 alignment, i32 heapId, i32 fileHeapId)
{
   File* file = Open(path, FILE_OPEN_READ, fileHeapId);
   if (!file)
   {
      return nullptr;
   }
   u32 size = 0;
   char* text = static_cast<char*>(FileContentsRead(&size, nullptr, alignment, heapId, 1, file));
   if (!text)
   {
      return nullptr;
   }
   text[size] = '\0';
   // A malformed sequence ends the text; the size reported stays that of the file.
   UTF8Truncate(text, size + 1);
   if (sizeOut)
   {
      *sizeOut = size;
   }
   return text;
}

void FileManager::FileTextFree(char* text)
{
   MemoryFree(text);
}

bool FileManager::FileCheck(const char* /*path*/)
{
   return false;
}

bool FileManager::FolderCheck(const char* /*path*/)
{
   return false;
}

bool FileManager::FileDelete(const char* /*path*/)
{
   return false;
}

bool FileManager::FolderDelete(const char* /*path*/)
{
   return false;
}

bool FileManager::FileRename(const char* /*newPath*/, const char* /*oldPath*/)
{
   return false;
}

bool FileManager::FolderRename(const char* /*newPath*/, const char* /*oldPath*/)
{
   return false;
}

bool FileManager::FileCopy(const char* /*destination*/, const char* /*source*/, i32 /*heapId*/)
{
   return false;
}

bool FileManager::FolderCreate(const char* /*path*/)
{
   return false;
}

bool FileManager::FolderSync(const char* /*path*/)
{
   return false;
}

Table<char*>* FileManager::FolderContentsGet(const char* /*path*/, i32 /*heapId*/, u32 /*option*/)
{
   return nullptr;
}

void FileManager::FolderContentsFree(Table<char*>* /*table*/)
{
}

u64 FileManager::FileModificationTimeGet(const char* /*path*/)
{
   return 0;
}

bool FileManager::GraphicsPathSearch(const char* name, char* foundPath, u32 foundPathSize)
{
   const i32 count = GraphicsPathManager::CountGet();
   if (!name || count == 0)
   {
      return false;
   }
   char path[GRAPHICS_PATH_SIZE];
   for (i32 i = 0; i < count; ++i)
   {
      if (!NultSnprintf(path, GRAPHICS_PATH_SIZE, "%s%s", GraphicsPathManager::Get(i), name))
      {
         continue;
      }
      if (Exists(path))
      {
         if (!foundPath)
         {
            return true;
         }
         return NultStrncpy(foundPath, path, foundPathSize);
      }
   }
   return false;
}

File* FileManager::GraphicsPathOpen(const char* name)
{
   char path[GRAPHICS_PATH_SIZE];
   File* file = nullptr;
   if (GraphicsPathSearch(name, path, GRAPHICS_PATH_SIZE))
   {
      file = Open(path, FILE_OPEN_READ, HEAP_TEMP);
   }
   if (!file)
   {
      WarningPrintf("FileManager::GraphicsPathOpen -- Unable to open file for reading: \"%s\"\n",
                    name ? name : "");
   }
   return file;
}

File* FileManager::GraphicsPathContentsOpen(const char* name, i32 fileHeapId, char* foundPath,
                                            u32 foundPathSize)
{
   char path[GRAPHICS_PATH_SIZE];
   if (!GraphicsPathSearch(name, path, GRAPHICS_PATH_SIZE))
   {
      return nullptr;
   }
   if (foundPath && foundPathSize != 0 && !NultStrncpy(foundPath, path, foundPathSize))
   {
      return nullptr;
   }
   return Open(path, FILE_OPEN_READ, fileHeapId);
}

void* FileManager::GraphicsPathFileContentsGet(const char* name, u32* sizeOut, Allocator* allocator,
                                               i32 fileHeapId, char* foundPath, u32 foundPathSize)
{
   if (!allocator)
   {
      return nullptr;
   }
   File* file = GraphicsPathContentsOpen(name, fileHeapId, foundPath, foundPathSize);
   if (!file)
   {
      return nullptr;
   }
   return FileContentsRead(sizeOut, allocator, 4, HEAP_DEFAULT, 0, file);
}

void* FileManager::GraphicsPathFileContentsGet(const char* name, u32* sizeOut, i32 alignment, i32 heapId,
                                               i32 fileHeapId, char* foundPath, u32 foundPathSize)
{
   File* file = GraphicsPathContentsOpen(name, fileHeapId, foundPath, foundPathSize);
   if (!file)
   {
      return nullptr;
   }
   return FileContentsRead(sizeOut, nullptr, alignment, heapId, 0, file);
}

bool FileManager::BaseFolderSet(const char* folder)
{
   if (!folder || folder[0] == '\0')
   {
      baseFolder[0] = '\0';
      return true;
   }
   const size_t length = strlen(folder);
   // Room for the '/' that may be appended and the terminator.
   if (length >= FILE_FULL_PATH_SIZE - 3)
   {
      return false;
   }
   if (folder[length - 1] == '/')
   {
      return NultStrncpy(baseFolder, folder, FILE_FULL_PATH_SIZE);
   }
   return NultSnprintf(baseFolder, FILE_FULL_PATH_SIZE, "%s/", folder);
}

void FileManagersInit()
{
   fileManagerStdioResource.BaseFolderSet(nullptr);
   fileManagerResource = &fileManagerStdioResource;
   char path[FILE_FULL_PATH_SIZE];
   if (NultSnprintf(path, FILE_FULL_PATH_SIZE, "%s%s", fileManagerStdioResource.BaseFolderGet(),
                    "resource.dat") &&
       access(path, F_OK) == 0)
   {
      // With the archive present nothing is read from the folders, so the two never mix.
      fileManagerDatResource.Init();
      fileManagerResource = &fileManagerDatResource;
   }
}

bool FileManagersPersistenceInit(const char* developerFolder, const char* projectFolder)
{
   char folder[FILE_FULL_PATH_SIZE];
   if (!FileManagerStdio::ApplicationDataFolderGet(folder, FILE_FULL_PATH_SIZE))
   {
      fileManagerPersistence = nullptr;
      return false;
   }
   return FileManagerStdio::PersistenceFileManagerInit(folder, developerFolder, projectFolder);
}

void FileManagersDeinit()
{
   if (fileManagerResource == &fileManagerDatResource)
   {
      fileManagerDatResource.Deinit();
   }
   fileManagerResource = nullptr;
   fileManagerPersistence = nullptr;
}
} // namespace Corvale
