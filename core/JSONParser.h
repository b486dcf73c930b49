// Reads JSON files into JSONValue trees through YAJL, streaming them in small chunks so that
// long-lived trees are built compactly in their own heap.
#pragma once

#include <yajl/yajl_common.h>

#include "core/Memory.h"
#include "core/Table.h"
#include "core/Types.h"

namespace Corvale
{
class File;
class FileManager;
class JSONValue;

// Longest object key the parser accepts, in bytes.
constexpr u32 JSON_PARSER_KEY_LENGTH_MAX = 255;
// Bytes handed to YAJL per call.
constexpr u32 JSON_PARSER_CHUNK_SIZE = 1024;

class JSONParser
{
 public:
   JSONParser();
   ~JSONParser();
   JSONParser(const JSONParser&) = delete;
   JSONParser& operator=(const JSONParser&) = delete;

   // Parses "<name>.json" from the manager into a tree in heapId; null when missing or malformed.
   JSONValue* Load(const char* name, FileManager* fileManager, i32 heapId = HEAP_DEFAULT);
   // The same, with "<name>.json" found along the graphics paths.
   JSONValue* GraphicsPathLoad(const char* name, FileManager* fileManager, i32 heapId = HEAP_DEFAULT);
   // Whether "<name>.json" exists along the graphics paths of the resource manager.
   static bool GraphicsPathExistsCheck(const char* name);
   // Parses an open file; the caller closes it. The tree belongs to the caller.
   JSONValue* Parse(File* file, i32 heapId);

 private:
   static int YAJLNull(void* context);
   static int YAJLBoolean(void* context, int boolean);
   // Every number arrives as its text: integers beyond 64 bits read as doubles, as the writer's
   // "%.20g" produces them for integral values of 2^63 and more.
   static int YAJLNumber(void* context, const char* text, size_t length);
   static int YAJLString(void* context, const unsigned char* text, size_t length);
   static int YAJLMapStart(void* context);
   static int YAJLMapKey(void* context, const unsigned char* key, size_t length);
   static int YAJLMapEnd(void* context);
   static int YAJLArrayStart(void* context);
   static int YAJLArrayEnd(void* context);

   // The value that the next scalar or container becomes: the root, the member at the current
   // key or a new last element; null when the top of the stack can't take one.
   JSONValue* SlotNext();
   JSONValue* ContainerTopGet() const;
   bool ContainerPush(JSONValue* value);

   i32 heap;
   i32 heapTemp;
   char key[JSON_PARSER_KEY_LENGTH_MAX + 1];
   Table<JSONValue*> stack;
   JSONValue* root;
};

// Fills funcs with allocation functions for YAJL that take their blocks from heapId. The
// reallocation keeps realloc's contract: when it fails the old block stays valid.
void JSONYAJLAllocFuncsSet(yajl_alloc_funcs* funcs, i32 heapId);
} // namespace Corvale
