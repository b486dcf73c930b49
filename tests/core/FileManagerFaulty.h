// A save-data manager for tests of saving: it records every step of a save (open, flush, sync,
// close, rename, folder creation, folder sync) and fails the one it is told to, a write after
// writeLimit bytes.
#pragma once

#include <string>
#include <vector>

#include "core/FileManagerStdio.h"
#include "core/FileStdio.h"

namespace Corvale
{
namespace TestSupport
{
enum FailPoint
{
   FAIL_NONE,
   FAIL_OPEN,
   FAIL_WRITE,
   FAIL_FLUSH,
   FAIL_SYNC,
   FAIL_CLOSE,
   FAIL_RENAME,
   FAIL_FOLDER_SYNC
};

// Reads are never failed.
class FileManagerFaulty : public FileManagerStdio
{
 public:
   class FileFaulty : public FileStdio
   {
    public:
      FileFaulty(FileManagerFaulty* owner, FileStdio* inner)
          : FileStdio(inner->stream), owner(owner), inner(inner)
      {
      }
      u32 Write(const void* buffer, u32 count) override
      {
         // Half of the text reaches the file, as on a disk that fills up mid-save.
         if (owner->failPoint == FAIL_WRITE && written + count > owner->writeLimit)
         {
            u32 room = written < owner->writeLimit ? owner->writeLimit - written : 0;
            written += FileStdio::Write(buffer, room);
            return room;
         }
         written += count;
         return FileStdio::Write(buffer, count);
      }
      bool Flush() override
      {
         owner->steps.push_back("flush");
         return owner->failPoint != FAIL_FLUSH && FileStdio::Flush();
      }
      bool Sync() override
      {
         owner->steps.push_back("sync");
         return owner->failPoint != FAIL_SYNC && FileStdio::Sync();
      }
      FileManagerFaulty* owner;
      FileStdio* inner;
      u32 written = 0;
   };

   File* Open(const char* path, i32 options, i32 heapId) override
   {
      steps.push_back(std::string("open ") + path);
      if (failPoint == FAIL_OPEN && options != FILE_OPEN_READ)
      {
         return nullptr;
      }
      FileStdio* inner = static_cast<FileStdio*>(FileManagerStdio::Open(path, options, heapId));
      return inner ? new FileFaulty(this, inner) : nullptr;
   }
   bool Close(File* file) override
   {
      steps.push_back("close");
      FileFaulty* faulty = static_cast<FileFaulty*>(file);
      const bool closed = FileManagerStdio::Close(faulty->inner);
      faulty->stream = nullptr;
      delete faulty;
      return closed && failPoint != FAIL_CLOSE;
   }
   bool FileRename(const char* newPath, const char* oldPath) override
   {
      steps.push_back(std::string("rename ") + oldPath + " " + newPath);
      return failPoint != FAIL_RENAME && FileManagerStdio::FileRename(newPath, oldPath);
   }
   bool FolderCreate(const char* path) override
   {
      steps.push_back(std::string("create ") + path);
      return FileManagerStdio::FolderCreate(path);
   }
   bool FolderSync(const char* path) override
   {
      steps.push_back(std::string("folder sync '") + path + "'");
      return failPoint != FAIL_FOLDER_SYNC && FileManagerStdio::FolderSync(path);
   }

   FailPoint failPoint = FAIL_NONE;
   u32 writeLimit = 0;
   std::vector<std::string> steps;
};
} // namespace TestSupport
} // namespace Corvale
