// Writes JSONValue trees as indented JSON text through YAJL's generator, and saves documents
// into the save-data folder without ever losing the file that was there.
#include "core/JSONWriter.h"

#include <cmath>
#include <cstring>

#include "core/File.h"
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
// "%.20g" of any double fits, sign and exponent included.
constexpr u32 JSON_NUMBER_TEXT_SIZE = 32;
} // namespace

JSONWriter::JSONWriter() : file(nullptr), fileName(nullptr), writeFailed(false), generator(nullptr)
{
}

bool JSONWriter::Write(File* fileUsed, const JSONValue* value, const char* fileNameUsed)
{
   if (!fileUsed || !value)
   {
      WarningPrintf("JSONWriter::Write -- no file or no value to write\n");
      return false;
   }
   file = fileUsed;
   fileName = fileNameUsed;
   writeFailed = false;

   yajl_alloc_funcs funcs;
   JSONYAJLAllocFuncsSet(&funcs, HEAP_TEMP);
   generator = yajl_gen_alloc(&funcs);
   bool result = false;
   if (!generator)
   {
      WarningPrintf("JSONWriter::Write -- unable to create the YAJL generator\n");
   }
   else
   {
      yajl_gen_config(generator, yajl_gen_beautify, 1);
      yajl_gen_config(generator, yajl_gen_indent_string, "   ");
      yajl_gen_config(generator, yajl_gen_print_callback, &JSONWriter::YAJLFileWrite, this);
      result = ValueWrite(value);
      yajl_gen_free(generator);
   }
   file = nullptr;
   fileName = nullptr;
   generator = nullptr;
   return result;
}

bool JSONWriter::PersistenceSave(const char* name, const JSONValue* value)
{
   FileManager* manager = fileManagerPersistence;
   if (!name || !value || !manager)
   {
      return false;
   }
   char path[FILE_PATH_SIZE];
   char pathTemporary[FILE_PATH_SIZE];
   char folder[FILE_PATH_SIZE];
   if (!NultSnprintf(path, FILE_PATH_SIZE, "%s.json", name) ||
       !NultSnprintf(pathTemporary, FILE_PATH_SIZE, "%s.json.tmp", name) ||
       !NultStrncpy(folder, path, FILE_PATH_SIZE))
   {
      return false;
   }
   // The folder whose list of names the rename changes: everything up to the last '/'.
   char* slash = strrchr(folder, '/');
   *(slash ? slash + 1 : folder) = '\0';

   // The old file is replaced only by a complete new one that is on the disk: a full disk, a
   // crash mid-write or a power cut must not cost the player a profile or their settings.
   File* fileTemporary = manager->Open(pathTemporary, FILE_OPEN_WRITE, HEAP_TEMP);
   if (!fileTemporary)
   {
      return false;
   }
   JSONWriter writer;
   bool result = writer.Write(fileTemporary, value, path);
   if (result && !fileTemporary->Flush())
   {
      WarningPrintf("JSONWriter::PersistenceSave -- Failed to flush file: %s\n", pathTemporary);
      result = false;
   }
   if (result && !fileTemporary->Sync())
   {
      WarningPrintf("JSONWriter::PersistenceSave -- Failed to sync file: %s\n", pathTemporary);
      result = false;
   }
   if (!manager->Close(fileTemporary) && result)
   {
      WarningPrintf("JSONWriter::PersistenceSave -- Failed to close file: %s\n", pathTemporary);
      result = false;
   }
   if (result && !manager->FileRename(path, pathTemporary))
   {
      WarningPrintf("JSONWriter::PersistenceSave -- Failed to replace file: %s\n", path);
      result = false;
   }
   if (!result)
   {
      manager->FileDelete(pathTemporary);
      return false;
   }
   // The new file is in place; only whether the rename itself survives a power cut is unknown,
   // and a save that may not last is not reported as done.
   if (!manager->FolderSync(folder))
   {
      WarningPrintf("JSONWriter::PersistenceSave -- Failed to sync the folder of file: %s\n", path);
      return false;
   }
   return true;
}

void JSONWriter::YAJLFileWrite(void* context, const char* bytes, size_t length)
{
   JSONWriter* writer = static_cast<JSONWriter*>(context);
   // One generator call may print several pieces; the first failure is the one worth a line.
   if (writer->writeFailed)
   {
      return;
   }
   if (writer->file->Write(bytes, static_cast<u32>(length)) < length)
   {
      if (writer->fileName)
      {
         WarningPrintf("JSONWriter::YAJLFileWrite -- Failed to write %d bytes to file: %s.\n",
                       static_cast<int>(length), writer->fileName);
      }
      else
      {
         WarningPrintf("JSONWriter::YAJLFileWrite -- Failed to write %d bytes to file.\n",
                       static_cast<int>(length));
      }
      writer->writeFailed = true;
   }
}

bool JSONWriter::StatusCheck(yajl_gen_status status)
{
   if (writeFailed)
   {
      return false;
   }
   if (status != yajl_gen_status_ok)
   {
      if (fileName)
      {
         WarningPrintf("JSONWriter::ValueWrite -- YAJL status (%d) while writing to file: %s\n",
                       static_cast<int>(status), fileName);
      }
      else
      {
         WarningPrintf("JSONWriter::ValueWrite -- YAJL status (%d)\n", static_cast<int>(status));
      }
      return false;
   }
   return true;
}

bool JSONWriter::ValueWrite(const JSONValue* value)
{
   if (!value)
   {
      value = &JSONValue::nullValue;
   }
   switch (value->TypeGet())
   {
   case JSONValue::TYPE_BOOL:
      return StatusCheck(yajl_gen_bool(generator, value->BoolValueGet() ? 1 : 0));
   case JSONValue::TYPE_NUMBER:
   {
      // Our own formatting: integral numbers get no decimal point, and the digits do not
      // depend on how the library was built.
      double number = value->DoubleValueGet();
      if (!std::isfinite(number))
      {
         return StatusCheck(yajl_gen_invalid_number);
      }
      char text[JSON_NUMBER_TEXT_SIZE];
      if (!NultSnprintf(text, JSON_NUMBER_TEXT_SIZE, "%.20g", number))
      {
         return StatusCheck(yajl_gen_invalid_number);
      }
      return StatusCheck(yajl_gen_number(generator, text, std::strlen(text)));
   }
   case JSONValue::TYPE_STRING:
   {
      const char* text = value->StringValueGet();
      if (!text)
      {
         return StatusCheck(yajl_gen_null(generator));
      }
      return StatusCheck(
          yajl_gen_string(generator, reinterpret_cast<const unsigned char*>(text), std::strlen(text)));
   }
   case JSONValue::TYPE_OBJECT:
   {
      if (!StatusCheck(yajl_gen_map_open(generator)))
      {
         return false;
      }
      for (JSONValue::Iterator it = value->ItemsBegin(); it.ValidCheck(); it.Next())
      {
         const char* key = it.node->key;
         if (!StatusCheck(
                 yajl_gen_string(generator, reinterpret_cast<const unsigned char*>(key), std::strlen(key))) ||
             !ValueWrite(it.node->value))
         {
            return false;
         }
      }
      return StatusCheck(yajl_gen_map_close(generator));
   }
   case JSONValue::TYPE_ARRAY:
   {
      if (!StatusCheck(yajl_gen_array_open(generator)))
      {
         return false;
      }
      i32 count = value->CountGet();
      for (i32 i = 0; i < count; i++)
      {
         if (!ValueWrite(value->ElementGet(i)))
         {
            return false;
         }
      }
      return StatusCheck(yajl_gen_array_close(generator));
   }
   default:
      return StatusCheck(yajl_gen_null(generator));
   }
}
} // namespace Corvale
