// Loads and merges the program's constants files into the one object `consts`.
#include "app/ApplicationConsts.h"

#include <cstring>

#include "core/FileManager.h"
#include "core/GraphicsPathManager.h"
#include "core/JSONParser.h"
#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/StringHelpers.h"
#include "core/Table.h"

namespace Corvale
{
// consts itself is defined with the profile store, which reads it below the front end.

namespace
{
// A parsed file that is an object, or null (a file of another shape is freed).
JSONValue* ObjectLoad(const char* name, bool alongGraphicsPaths)
{
   if (!fileManagerResource || !name)
   {
      return nullptr;
   }
   JSONParser parser;
   JSONValue* value = alongGraphicsPaths ? parser.GraphicsPathLoad(name, fileManagerResource, HEAP_DEFAULT)
                                         : parser.Load(name, fileManagerResource, HEAP_DEFAULT);
   if (value && value->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      MemoryDelete(value);
      return nullptr;
   }
   return value;
}

// A copy of the object's "Inherited" name in the temporary heap, null when there is none.
char* InheritedNameTake(const JSONValue* object)
{
   const char* name = object->ItemGet("Inherited")->StringValueGet();
   return name ? StringDuplicate(name, HEAP_TEMP) : nullptr;
}

// Merges source into consts (source's keys win) and frees source.
void ConstsMerge(JSONValue* source)
{
   if (source && !consts->ItemsMerge(source))
   {
      MemoryDelete(source);
   }
}
} // namespace

void ApplicationConstsLoad()
{
   ApplicationConstsFree();
   consts = ObjectLoad("Scripts/BuildConsts", false);
   if (!consts)
   {
      // Every reader of the constants expects an object; an empty one gives every key's fallback.
      WarningPrintf("ApplicationConstsLoad -- unable to load \"Scripts/BuildConsts\"\n");
      consts = JSONValue::New(HEAP_DEFAULT);
      if (!consts)
      {
         ErrorPrintf("ApplicationConstsLoad -- unable to allocate the constants\n");
      }
      consts->ObjectSet();
   }

   // Each parent takes the child's members over its own, so the most derived file wins at any
   // depth. Names already visited end the chain: a cycle would otherwise never end.
   Table<char*> visited(allocatorDefault);
   char* name = InheritedNameTake(consts);
   while (name)
   {
      bool seen = false;
      for (i32 i = 0; i < visited.count && !seen; ++i)
      {
         seen = std::strcmp(visited[i], name) == 0;
      }
      if (seen)
      {
         WarningPrintf("ApplicationConstsLoad -- the \"Inherited\" chain returns to \"%s\"; it ends there\n",
                       name);
         MemoryFree(name);
         break;
      }
      if (!visited.Insert(name, visited.count))
      {
         MemoryFree(name);
         break;
      }
      JSONValue* parent = ObjectLoad(name, false);
      if (!parent)
      {
         break;
      }
      name = InheritedNameTake(parent);
      parent->ItemsMerge(consts);
      consts = parent;
   }
   for (i32 i = 0; i < visited.count; ++i)
   {
      MemoryFree(visited[i]);
   }

   ConstsMerge(ObjectLoad("Scripts/DialogConsts", false));
   ApplicationGraphicsConstsLoad();
}

void ApplicationGraphicsConstsLoad()
{
   if (!consts || GraphicsPathManager::CountGet() < 1)
   {
      return;
   }
   ConstsMerge(ObjectLoad("GraphicsConsts", true));
}

void ApplicationConstsFree()
{
   MemoryDelete(consts);
   consts = nullptr;
}

bool ApplicationFlagGet(const JSONValue* object, const char* key)
{
   return object && object->ItemGet(key)->BoolValueGet();
}
} // namespace Corvale
