// corvale-pack <folder> <archive> [key]: writes every file below folder into a resource archive,
// in name order, each entry under its path relative to folder; key (0-255) scrambles the table
// and the contents.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/File.h"
#include "core/FileDatWriter.h"
#include "core/FileManagerStdio.h"
#include "core/Memory.h"
#include "core/StringHelpers.h"
#include "core/Table.h"

using namespace Corvale;

namespace
{
constexpr u8 PACKER_KEY_DEFAULT = 0x5A;

// Appends the files below folder (relative to the manager's base, "" for the root) to paths.
bool FilesCollect(FileManagerStdio& tree, const char* folder, Table<char*>& paths)
{
   Table<char*>* names = tree.FolderContentsGet(folder, HEAP_DEFAULT, 0);
   if (!names)
   {
      fprintf(stderr, "corvale-pack: unable to list \"%s\"\n", folder);
      return false;
   }
   bool result = true;
   for (i32 i = 0; i < names->count && result; ++i)
   {
      // Hidden files are editor and version-control leftovers, and an old archive at the root
      // must not end up inside the new one.
      if (names->data[i][0] == '.' || (folder[0] == '\0' && strcmp(names->data[i], "resource.dat") == 0))
      {
         continue;
      }
      char path[FILE_PATH_SIZE];
      if (!NultSnprintf(path, FILE_PATH_SIZE, "%s%s%s", folder, folder[0] ? "/" : "", names->data[i]))
      {
         fprintf(stderr, "corvale-pack: path too long: \"%s/%s\"\n", folder, names->data[i]);
         result = false;
      }
      else if (tree.FolderCheck(path))
      {
         result = FilesCollect(tree, path, paths);
      }
      else
      {
         char* copy = StringDuplicate(path, HEAP_DEFAULT);
         result = copy && paths.Insert(copy, paths.count);
      }
   }
   tree.FolderContentsFree(names);
   return result;
}

bool EntryPack(FileManagerStdio& tree, const char* path, u8 key, FileDatWriter& writer)
{
   File* file = tree.Open(path, FILE_OPEN_READ, HEAP_TEMP);
   const i64 fileSize = file ? file->SizeGet() : -1;
   tree.Close(file);
   u32 size = 0;
   void* contents = nullptr;
   // The whole-file reader refuses empty files; they still become (empty) entries.
   if (fileSize != 0)
   {
      contents = fileSize > 0 ? tree.FileContentsGet(path, &size, 4, HEAP_DEFAULT, 0) : nullptr;
      if (!contents)
      {
         fprintf(stderr, "corvale-pack: unable to read \"%s\"\n", path);
         return false;
      }
   }
   // Both names alike: an empty second name would answer a lookup of the empty path.
   const bool added = writer.EntryAdd(path, path, contents, size, key);
   tree.FileContentsFree(contents);
   return added;
}
} // namespace

int main(int argc, char** argv)
{
   if (argc < 3 || argc > 4)
   {
      fprintf(stderr, "usage: corvale-pack <folder> <archive> [key 0-255]\n");
      return 2;
   }
   u8 key = PACKER_KEY_DEFAULT;
   if (argc == 4)
   {
      char* end = nullptr;
      const long value = strtol(argv[3], &end, 0);
      if (!end || *end != '\0' || value < 0 || value > 255)
      {
         fprintf(stderr, "corvale-pack: key must be 0 to 255\n");
         return 2;
      }
      key = static_cast<u8>(value);
   }

   FileManagerStdio tree;
   if (!tree.BaseFolderSet(argv[1]) || !tree.FolderCheck(""))
   {
      fprintf(stderr, "corvale-pack: no folder \"%s\"\n", argv[1]);
      return 1;
   }
   Table<char*> paths;
   bool result = FilesCollect(tree, "", paths);
   // Name order makes the archive the same from one run to the next.
   paths.Sort([](char* a, char* b) { return strcmp(a, b) < 0; });

   FileManagerStdio output;
   File* archive = result ? output.Open(argv[2], FILE_OPEN_WRITE, HEAP_DEFAULT) : nullptr;
   if (archive)
   {
      FileDatWriter writer(archive, key);
      for (i32 i = 0; i < paths.count && result; ++i)
      {
         result = EntryPack(tree, paths.data[i], key, writer);
      }
      result = result && writer.End();
      result = output.Close(archive) && result;
      if (!result)
      {
         output.FileDelete(argv[2]);
      }
   }
   else
   {
      result = false;
   }
   for (i32 i = 0; i < paths.count; ++i)
   {
      MemoryFree(paths.data[i]);
   }
   if (result)
   {
      printf("corvale-pack: %d files into %s\n", paths.count, argv[2]);
   }
   return result ? 0 : 1;
}
