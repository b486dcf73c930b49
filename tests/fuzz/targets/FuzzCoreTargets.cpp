// Fuzz targets of the core readers: JSON documents (parsed, walked with every conversion and
// written back) and the resource archive (its table read, then every entry opened and read).
#include "core/FileManagerDat.h"
#include "core/FileManagerStdio.h"
#include "core/JSONParser.h"
#include "core/JSONValue.h"
#include "core/JSONWriter.h"
#include "core/Memory.h"
#include "tests/TestSupport.h"
#include "tests/fuzz/harness/FuzzEnvironment.h"
#include "tests/fuzz/targets/FuzzTargetList.h"

namespace Corvale
{
namespace Fuzz
{
namespace
{
// Every conversion of every value, to the depth the parser allows.
void ValueWalk(const JSONValue* value)
{
   value->BoolValueGet();
   value->IntValueGet();
   value->UnsignedIntValueGet();
   value->FloatValueGet();
   value->Point2IValueGet();
   value->Point2FValueGet();
   value->Point3FValueGet();
   value->Box2FValueGet();
   value->Box3FValueGet();
   value->ColorRGBA8ValueGet();
   if (value->TypeGet() == JSONValue::TYPE_ARRAY)
   {
      for (i32 i = 0; i < value->CountGet(); i++)
      {
         ValueWalk(value->ElementGet(i));
      }
   }
   else if (value->TypeGet() == JSONValue::TYPE_OBJECT)
   {
      for (JSONValue::Iterator it = value->ItemsBegin(); it.ValidCheck(); it.Next())
      {
         ValueWalk(it.node->value);
      }
   }
}
} // namespace

void FuzzJSON(const u8* data, size_t size)
{
   FuzzEnvironment::Init();
   FuzzInputFile file(data, size);
   JSONParser parser;
   JSONValue* root = parser.Parse(&file, HEAP_DEFAULT);
   if (!root)
   {
      return;
   }
   ValueWalk(root);
   TestSupport::MemoryFile written;
   JSONWriter writer;
   writer.Write(&written, root, "Fuzz");
   MemoryDelete(root);
}

void FuzzArchive(const u8* data, size_t size)
{
   if (!FuzzEnvironment::RootFileWrite("resource.dat", data, size))
   {
      return;
   }
   FileManagerDat archive;
   if (archive.Init())
   {
      for (u32 i = 0; i < archive.entryCount; i++)
      {
         u32 length = 0;
         void* contents = archive.FileContentsGet(archive.entries[i].firstName, &length, 4, HEAP_TEMP, 1);
         if (contents)
         {
            archive.FileContentsFree(contents);
         }
      }
   }
   archive.Deinit();
}
} // namespace Fuzz
} // namespace Corvale
