// The file-system interface: turns paths relative to a base folder into open files, reads whole
// files, and manages folders. The program's two managers in use are named by the globals below.
#pragma once

#include <climits>

#include "core/Table.h"
#include "core/Types.h"

namespace Corvale
{
class Allocator;
class File;

// Paths relative to a manager's base folder are formed into buffers of this size; a path that does
// not fit fails.
constexpr u32 FILE_PATH_SIZE = 261;
// Base folders, and the full paths joined to them, have the system's limit: the save-data folder
// may lie deep inside a home folder.
constexpr u32 FILE_FULL_PATH_SIZE = PATH_MAX;

class FileManager
{
 public:
   FileManager();
   virtual ~FileManager() = default;

   virtual void Deinit();
   // options: FILE_OPEN_READ, FILE_OPEN_WRITE or FILE_OPEN_READ_WRITE; the File object comes
   // from heapId and is released by Close.
   virtual File* Open(const char* path, i32 options, i32 heapId) = 0;
   virtual bool Close(File* file) = 0;

   // Whole-file readers: null for a missing or empty file. extraBytes more are allocated after
   // the contents and left for the caller.
   virtual void* FileContentsGet(const char* path, u32* sizeOut, Allocator* allocator, u32 extraBytes);
   virtual void* FileContentsGet(const char* path, u32* sizeOut, i32 alignment, i32 heapId, u32 extraBytes);
   virtual void FileContentsFree(void* buffer);
   // The contents followed by a 0, cut before the first malformed UTF-8 sequence; sizeOut
   // receives the file size.
   virtual char* FileTextGet(const char* path, u32* sizeOut, i32 alignment, i32 heapId, i32 fileHeapId);
   virtual void FileTextFree(char* text);

   virtual bool Exists(const char* path) = 0;
   virtual bool FileCheck(const char* path);
   virtual bool FolderCheck(const char* path);
   virtual bool FileDelete(const char* path);
   virtual bool FolderDelete(const char* path);
   // The first argument is the name the file gets, the second the one it has.
   virtual bool FileRename(const char* newPath, const char* oldPath);
   virtual bool FolderRename(const char* newPath, const char* oldPath);
   virtual bool FileCopy(const char* destination, const char* source, i32 heapId);
   virtual bool FolderCreate(const char* path);
   // Has the system put the folder's list of names on the disk, so that a rename inside it
   // survives a power cut; an empty path is the base folder.
   virtual bool FolderSync(const char* path);
   // The names in a folder (no "." or ".."), each a copy in heapId, in the table made there.
   virtual Table<char*>* FolderContentsGet(const char* path, i32 heapId, u32 option);
   virtual void FolderContentsFree(Table<char*>* table);
   // Seconds since 1970-01-01 UTC; 0 when unknown.
   virtual u64 FileModificationTimeGet(const char* path);

   // Whole-file readers that look the name up along the graphics paths; the path found is
   // copied to foundPath when foundPathSize is not 0.
   virtual void* GraphicsPathFileContentsGet(const char* name, u32* sizeOut, Allocator* allocator,
                                             i32 fileHeapId, char* foundPath, u32 foundPathSize);
   virtual void* GraphicsPathFileContentsGet(const char* name, u32* sizeOut, i32 alignment, i32 heapId,
                                             i32 fileHeapId, char* foundPath, u32 foundPathSize);
   // Null or empty clears the base folder; a '/' is appended when missing.
   virtual bool BaseFolderSet(const char* folder);

   // The first graphics path under which name exists, copied to foundPath when one is given.
   bool GraphicsPathSearch(const char* name, char* foundPath, u32 foundPathSize);
   File* GraphicsPathOpen(const char* name);
   const char* BaseFolderGet() const { return baseFolder; }

 protected:
   // Forms baseFolder followed by path; false when it does not fit.
   bool FullPathForm(char* destination, u32 destinationSize, const char* path) const;
   // Opens for reading the file that name finds along the graphics paths, copying the path found
   // to foundPath when foundPathSize is not 0; null when it is missing or the path does not fit.
   File* GraphicsPathContentsOpen(const char* name, i32 fileHeapId, char* foundPath, u32 foundPathSize);
   // Reads an open file whole and closes it, whatever happens.
   void* FileContentsRead(u32* sizeOut, Allocator* allocator, i32 alignment, i32 heapId, u32 extraBytes,
                          File* file);

   char baseFolder[FILE_FULL_PATH_SIZE];
};

// The manager resources are read through: the archive's when resource.dat exists, else the
// folder tree's.
extern FileManager* fileManagerResource;
// The save-data manager; null when the save-data folder is missing and can't be made.
extern FileManager* fileManagerPersistence;

// Chooses the resource manager: the archive when "resource.dat" is in the working folder.
void FileManagersInit();
// Roots the persistence manager in the save-data folder under the two folder names of the
// constants; run once the constants are loaded. False leaves fileManagerPersistence null.
bool FileManagersPersistenceInit(const char* developerFolder, const char* projectFolder);
void FileManagersDeinit();
} // namespace Corvale
