// Texture resource files for the iterative loader. A member's value is either a texture name or
// {"Filename", "FrameCount"}: the numbered textures "<Filename>/001" onwards, loaded as one step.
#include "platform/loader/LoaderIterativeDelegateTextureResourceFile.h"

#include "core/FileManager.h"
#include "core/JSONParser.h"
#include "core/Log.h"
#include "core/StringHelpers.h"
#include "platform/image/TextureManagerOpenGL.h"

namespace Corvale
{
namespace
{
// The parsed file lives only while its item loads: temporary heap.
constexpr i32 PARSE_HEAP = HEAP_TEMP;

// Calls action with each texture name of an entry; report logs a sequence without a name (once,
// when it is loaded, not again when it is released).
template <class Action> void EntryNamesVisit(const JSONValue* entry, bool report, Action action)
{
   if (!entry)
   {
      return;
   }
   if (entry->TypeGet() == JSONValue::TYPE_STRING)
   {
      action(entry->StringValueGet());
      return;
   }
   if (entry->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      return;
   }
   const JSONValue* base = entry->ItemFind("Filename");
   const JSONValue* frames = entry->ItemFind("FrameCount");
   if (!base || !base->StringValueGet())
   {
      if (report)
      {
         WarningPrintf("LoaderIterativeDelegateTextureResourceFile::Update -- Texture sequence without a "
                       "filename.\n");
      }
      return;
   }
   i32 frameCount = frames && frames->TypeGet() == JSONValue::TYPE_NUMBER ? frames->IntValueGet() : 0;
   for (i32 i = 1; i <= frameCount; ++i)
   {
      char name[LOADER_FILENAME_SIZE];
      if (NultSnprintf(name, sizeof(name), "%s/%03u", base->StringValueGet(), static_cast<u32>(i)))
      {
         action(name);
      }
   }
}
} // namespace

LoaderIterativeDelegateTextureResourceFile::~LoaderIterativeDelegateTextureResourceFile()
{
   ResourceFree();
}

void LoaderIterativeDelegateTextureResourceFile::SpecificationSet(JSONValue* item)
{
   LoaderIterativeDelegate::SpecificationSet(item);
   // A file left over from an item that was never finished or undone.
   ResourceFree();
   stepCount = 0;
   done = 0;
}

bool LoaderIterativeDelegateTextureResourceFile::FilenameGet(JSONValue* item, char* buffer, u32 size)
{
   const char* name = FilenameFind(item);
   if (!name)
   {
      WarningPrintf("LoaderIterativeDelegateTextureResourceFile::FilenameGet -- Texture resource filename "
                    "not specified.\n");
      return false;
   }
   if (!NultStrncpy(buffer, name, size))
   {
      WarningPrintf("LoaderIterativeDelegateTextureResourceFile::FilenameGet -- Texture resource filename "
                    "too long: \"%s\".\n",
                    name);
      return false;
   }
   return true;
}

JSONValue* LoaderIterativeDelegateTextureResourceFile::FileParse(const char* name)
{
   JSONParser parser;
   return fileManagerResource ? parser.GraphicsPathLoad(name, fileManagerResource, PARSE_HEAP) : nullptr;
}

void LoaderIterativeDelegateTextureResourceFile::EntryLoad(const JSONValue* entry)
{
   // The references stay with the loader until Release.
   EntryNamesVisit(entry, true, [](const char* name) { textureManager.Load(name); });
}

void LoaderIterativeDelegateTextureResourceFile::EntryRelease(const JSONValue* entry)
{
   EntryNamesVisit(entry, false, [](const char* name) { textureManager.NameRelease(name); });
}

void LoaderIterativeDelegateTextureResourceFile::ResourceFree()
{
   if (resource)
   {
      MemoryDelete(resource);
      resource = nullptr;
   }
   member = JSONValue::Iterator();
}

void LoaderIterativeDelegateTextureResourceFile::Update()
{
   if (done)
   {
      return;
   }
   if (!resource)
   {
      char name[LOADER_FILENAME_SIZE];
      if (FilenameGet(specification, name, sizeof(name)))
      {
         resource = FileParse(name);
         if (resource)
         {
            member = resource->ItemsBegin();
            return;
         }
         WarningPrintf("LoaderIterativeDelegateTextureResourceFile::Update -- Unable to get texture file "
                       "specifications.\n");
      }
      done = 1;
      return;
   }
   if (member.ValidCheck())
   {
      EntryLoad(member.node->value);
      stepCount++;
      member.Next();
   }
   if (!member.ValidCheck())
   {
      done = 1;
      ResourceFree();
   }
}

float LoaderIterativeDelegateTextureResourceFile::ProgressGet()
{
   if (!resource)
   {
      return done ? 100.0f : 0.0f;
   }
   i32 total = resource->TypeGet() == JSONValue::TYPE_OBJECT ? resource->CountGet() : 0;
   if (total <= 0)
   {
      return 100.0f;
   }
   return static_cast<float>(stepCount) / static_cast<float>(total) * 100.0f;
}

void LoaderIterativeDelegateTextureResourceFile::Unload()
{
   if (resource)
   {
      // The handled entries are the first stepCount in key order.
      JSONValue::Iterator handled = resource->ItemsBegin();
      for (i32 i = 0; i < stepCount && handled.ValidCheck(); ++i, handled.Next())
      {
         EntryRelease(handled.node->value);
      }
      ResourceFree();
   }
   stepCount = 0;
   done = 0;
}

void LoaderIterativeDelegateTextureResourceFile::Release(JSONValue* item)
{
   char name[LOADER_FILENAME_SIZE];
   if (!FilenameGet(item, name, sizeof(name)))
   {
      return;
   }
   JSONValue* parsed = FileParse(name);
   if (!parsed)
   {
      WarningPrintf("LoaderIterativeDelegateTextureResourceFile::Release -- Unable to get texture file "
                    "specifications.\n");
      return;
   }
   for (JSONValue::Iterator entry = parsed->ItemsBegin(); entry.ValidCheck(); entry.Next())
   {
      EntryRelease(entry.node->value);
   }
   MemoryDelete(parsed);
}
} // namespace Corvale
