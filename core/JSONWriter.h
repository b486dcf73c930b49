// Writes JSONValue trees as indented JSON text through YAJL's generator, and saves documents
// into the save-data folder without ever losing the file that was there.
#pragma once

#include <yajl/yajl_gen.h>

#include "core/Types.h"

namespace Corvale
{
class File;
class JSONValue;

class JSONWriter
{
 public:
   JSONWriter();
   JSONWriter(const JSONWriter&) = delete;
   JSONWriter& operator=(const JSONWriter&) = delete;

   // Writes the tree to the file; true when YAJL reported no error and every byte reached the
   // file. fileName is used only in messages and may be null.
   bool Write(File* file, const JSONValue* value, const char* fileName);
   // Saves the tree as "<name>.json" through the persistence manager. The text goes to a
   // temporary file first, which replaces the old file only once it was written completely.
   static bool PersistenceSave(const char* name, const JSONValue* value);

 private:
   static void YAJLFileWrite(void* context, const char* bytes, size_t length);
   bool ValueWrite(const JSONValue* value);
   // Stops the walk after a failed generator call or a failed write.
   bool StatusCheck(yajl_gen_status status);

   File* file;
   const char* fileName;
   bool writeFailed;
   yajl_gen generator;
};
} // namespace Corvale
