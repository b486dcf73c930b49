// Reads JSON files into JSONValue trees through YAJL, streaming them in small chunks so that
// long-lived trees are built compactly in their own heap.
#include "core/JSONParser.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include <yajl/yajl_parse.h>

#include "core/Allocator.h"
#include "core/File.h"
#include "core/FileManager.h"
#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/StringHelpers.h"

namespace Corvale
{
namespace
{
// Every block handed to YAJL starts with its size, so that a reallocation can copy the old
// contents into a new block before it lets the old one go.
constexpr u32 YAJL_BLOCK_PREFIX = static_cast<u32>(MEMORY_ALIGNMENT_MIN);
static_assert(YAJL_BLOCK_PREFIX >= sizeof(size_t), "the block prefix must hold a size");

i32 YAJLHeapGet(void* context)
{
   return static_cast<i32>(reinterpret_cast<intptr_t>(context));
}

void* YAJLMalloc(void* context, size_t size)
{
   if (size > 0xFFFFFFFFu - YAJL_BLOCK_PREFIX)
   {
      return nullptr;
   }
   u8* block = static_cast<u8*>(Memory::Allocate(static_cast<u32>(size + YAJL_BLOCK_PREFIX),
                                                 YAJLHeapGet(context), MEMORY_ALIGNMENT_MIN));
   if (!block)
   {
      return nullptr;
   }
   std::memcpy(block, &size, sizeof(size));
   return block + YAJL_BLOCK_PREFIX;
}

void YAJLFree(void*, void* p)
{
   if (p)
   {
      MemoryFree(static_cast<u8*>(p) - YAJL_BLOCK_PREFIX);
   }
}

// Unlike Memory::Reallocate, a failure leaves the old block alive, as YAJL expects of realloc.
void* YAJLRealloc(void* context, void* p, size_t size)
{
   if (!p)
   {
      return YAJLMalloc(context, size);
   }
   void* block = YAJLMalloc(context, size);
   if (!block)
   {
      return nullptr;
   }
   size_t sizeOld;
   std::memcpy(&sizeOld, static_cast<u8*>(p) - YAJL_BLOCK_PREFIX, sizeof(sizeOld));
   std::memcpy(block, p, sizeOld < size ? sizeOld : size);
   YAJLFree(context, p);
   return block;
}
} // namespace

void JSONYAJLAllocFuncsSet(yajl_alloc_funcs* funcs, i32 heapId)
{
   funcs->malloc = &YAJLMalloc;
   funcs->realloc = &YAJLRealloc;
   funcs->free = &YAJLFree;
   funcs->ctx = reinterpret_cast<void*>(static_cast<intptr_t>(heapId));
}

JSONParser::JSONParser() : heap(HEAP_DEFAULT), heapTemp(HEAP_TEMP), key(), stack(), root(nullptr)
{
}

JSONParser::~JSONParser() = default;

JSONValue* JSONParser::Load(const char* name, FileManager* fileManager, i32 heapId)
{
   if (!name || !fileManager)
   {
      return nullptr;
   }
   char path[FILE_PATH_SIZE];
   if (!NultSnprintf(path, FILE_PATH_SIZE, "%s.json", name))
   {
      return nullptr;
   }
   if (!fileManager->Exists(path))
   {
      WarningPrintf("JSONParser::Load -- unable to find file: \"%s\"\n", path);
      return nullptr;
   }
   File* file = fileManager->Open(path, FILE_OPEN_READ, HEAP_TEMP);
   if (!file)
   {
      return nullptr;
   }
   JSONValue* result = Parse(file, heapId);
   fileManager->Close(file);
   return result;
}

JSONValue* JSONParser::GraphicsPathLoad(const char* name, FileManager* fileManager, i32 heapId)
{
   if (!name || !fileManager)
   {
      return nullptr;
   }
   char path[FILE_PATH_SIZE];
   if (!NultSnprintf(path, FILE_PATH_SIZE, "%s.json", name))
   {
      return nullptr;
   }
   if (!fileManager->GraphicsPathSearch(path, nullptr, 0))
   {
      WarningPrintf("JSONParser::GraphicsPathLoad -- unable to find file: \"%s\"\n", path);
      return nullptr;
   }
   File* file = fileManager->GraphicsPathOpen(path);
   if (!file)
   {
      return nullptr;
   }
   JSONValue* result = Parse(file, heapId);
   fileManager->Close(file);
   return result;
}

bool JSONParser::GraphicsPathExistsCheck(const char* name)
{
   char path[FILE_PATH_SIZE];
   return name && fileManagerResource && NultSnprintf(path, FILE_PATH_SIZE, "%s.json", name) &&
          fileManagerResource->GraphicsPathSearch(path, nullptr, 0);
}

JSONValue* JSONParser::Parse(File* file, i32 heapId)
{
   heap = heapId;
   heapTemp = HEAP_TEMP;
   key[0] = '\0';
   root = nullptr;
   stack = Table<JSONValue*>(JSONValue::HeapAllocatorGet(HEAP_TEMP));
   if (!file)
   {
      return nullptr;
   }

   static const yajl_callbacks callbacks = {&JSONParser::YAJLNull,
                                            &JSONParser::YAJLBoolean,
                                            nullptr,
                                            nullptr,
                                            &JSONParser::YAJLNumber,
                                            &JSONParser::YAJLString,
                                            &JSONParser::YAJLMapStart,
                                            &JSONParser::YAJLMapKey,
                                            &JSONParser::YAJLMapEnd,
                                            &JSONParser::YAJLArrayStart,
                                            &JSONParser::YAJLArrayEnd};
   yajl_alloc_funcs funcs;
   JSONYAJLAllocFuncsSet(&funcs, HEAP_TEMP);
   yajl_handle handle = yajl_alloc(&callbacks, &funcs, this);
   if (!handle)
   {
      WarningPrintf("JSONParser::Parse -- unable to create the YAJL parser\n");
      return nullptr;
   }
   yajl_config(handle, yajl_allow_comments, 1);

   unsigned char chunk[JSON_PARSER_CHUNK_SIZE];
   yajl_status status = yajl_status_ok;
   for (;;)
   {
      u32 count = file->Read(chunk, JSON_PARSER_CHUNK_SIZE);
      if (count == 0)
      {
         break;
      }
      status = yajl_parse(handle, chunk, count);
      if (status != yajl_status_ok)
      {
         break;
      }
   }
   if (status == yajl_status_ok)
   {
      status = yajl_complete_parse(handle);
   }
   if (status == yajl_status_error)
   {
      unsigned char* error = yajl_get_error(handle, 0, nullptr, 0);
      WarningPrintf("JSONParser %s", error ? reinterpret_cast<const char*>(error) : "");
      yajl_free_error(handle, error);
   }
   // The tree is the caller's only when it is whole.
   if (status != yajl_status_ok)
   {
      JSONValue::ValueFree(root);
      root = nullptr;
   }
   yajl_free(handle);
   stack = Table<JSONValue*>(JSONValue::HeapAllocatorGet(HEAP_TEMP));

   JSONValue* result = root;
   root = nullptr;
   return result;
}

JSONValue* JSONParser::ContainerTopGet() const
{
   return stack.count > 0 ? stack.data[stack.count - 1] : nullptr;
}

bool JSONParser::ContainerPush(JSONValue* value)
{
   if (!stack.Insert(value, stack.count))
   {
      WarningPrintf("JSONParser::ContainerPush -- unable to grow the container stack\n");
      return false;
   }
   return true;
}

JSONValue* JSONParser::SlotNext()
{
   if (!root)
   {
      root = JSONValue::New(heap);
      if (!root)
      {
         WarningPrintf("JSONParser::SlotNext -- unable to allocate the root value\n");
      }
      return root;
   }
   JSONValue* top = ContainerTopGet();
   JSONValue* slot = nullptr;
   if (top && top->TypeGet() == JSONValue::TYPE_OBJECT)
   {
      slot = top->ItemGetOrAdd(key);
   }
   else if (top && top->TypeGet() == JSONValue::TYPE_ARRAY)
   {
      slot = top->ElementAdd();
      if (slot == &JSONValue::nullValue)
      {
         slot = nullptr;
      }
   }
   if (!slot)
   {
      WarningPrintf("JSONParser::SlotNext -- no place for the next value\n");
   }
   return slot;
}

int JSONParser::YAJLNull(void* context)
{
   JSONValue* slot = static_cast<JSONParser*>(context)->SlotNext();
   if (!slot)
   {
      return 0;
   }
   slot->NullSet();
   return 1;
}

int JSONParser::YAJLBoolean(void* context, int boolean)
{
   JSONValue* slot = static_cast<JSONParser*>(context)->SlotNext();
   if (!slot)
   {
      return 0;
   }
   slot->BoolSet(boolean != 0);
   return 1;
}

int JSONParser::YAJLNumber(void* context, const char* text, size_t length)
{
   // YAJL has checked the lexeme; strtod needs it NUL-terminated. Numbers of more digits than
   // the buffer holds are rare enough to take a temporary block.
   char buffer[128];
   char* copy = buffer;
   if (length >= sizeof(buffer))
   {
      copy = length < 0xFFFFFFFFu
                 ? static_cast<char*>(Memory::Allocate(static_cast<u32>(length + 1), HEAP_TEMP, 4))
                 : nullptr;
      if (!copy)
      {
         WarningPrintf("JSONParser::YAJLNumber -- unable to copy a number of %llu bytes\n",
                       static_cast<unsigned long long>(length));
         return 0;
      }
   }
   std::memcpy(copy, text, length);
   copy[length] = '\0';
   errno = 0;
   const double number = std::strtod(copy, nullptr);
   // Overflow to infinity could never be written back; underflow towards 0 is kept, as before.
   const bool overflow = errno == ERANGE && std::isinf(number);
   if (overflow)
   {
      WarningPrintf("JSONParser::YAJLNumber -- number out of range: %.40s\n", copy);
   }
   if (copy != buffer)
   {
      MemoryFree(copy);
   }
   if (overflow)
   {
      return 0;
   }
   JSONValue* slot = static_cast<JSONParser*>(context)->SlotNext();
   if (!slot)
   {
      return 0;
   }
   slot->NumberSet(number);
   return 1;
}

int JSONParser::YAJLString(void* context, const unsigned char* text, size_t length)
{
   JSONValue* slot = static_cast<JSONParser*>(context)->SlotNext();
   if (!slot)
   {
      return 0;
   }
   if (length > 0xFFFFFFFEu ||
       !slot->StringSetN(reinterpret_cast<const char*>(text), static_cast<u32>(length)))
   {
      WarningPrintf("JSONParser::YAJLString -- unable to copy a string of %llu bytes\n",
                    static_cast<unsigned long long>(length));
      return 0;
   }
   return 1;
}

int JSONParser::YAJLMapStart(void* context)
{
   JSONParser* parser = static_cast<JSONParser*>(context);
   JSONValue* slot = parser->SlotNext();
   if (!slot)
   {
      return 0;
   }
   if (!slot->ObjectSet()->ObjectCheck())
   {
      WarningPrintf("JSONParser::YAJLMapStart -- unable to create an object\n");
      return 0;
   }
   return parser->ContainerPush(slot) ? 1 : 0;
}

int JSONParser::YAJLMapKey(void* context, const unsigned char* text, size_t length)
{
   JSONParser* parser = static_cast<JSONParser*>(context);
   if (length > JSON_PARSER_KEY_LENGTH_MAX)
   {
      WarningPrintf("JSON key length (%d) is greater than the maximum: %d\n", static_cast<int>(length),
                    static_cast<int>(JSON_PARSER_KEY_LENGTH_MAX));
      return 0;
   }
   std::memcpy(parser->key, text, length);
   parser->key[length] = '\0';
   return 1;
}

int JSONParser::YAJLMapEnd(void* context)
{
   JSONParser* parser = static_cast<JSONParser*>(context);
   if (parser->stack.count > 0)
   {
      parser->stack.SizeSet(parser->stack.count - 1);
   }
   return 1;
}

int JSONParser::YAJLArrayStart(void* context)
{
   JSONParser* parser = static_cast<JSONParser*>(context);
   JSONValue* slot = parser->SlotNext();
   if (!slot)
   {
      return 0;
   }
   if (!slot->ArraySet()->ArrayCheck())
   {
      WarningPrintf("JSONParser::YAJLArrayStart -- unable to create an array\n");
      return 0;
   }
   // The array grows in the temporary heap while it is read and moves to its own heap, at its
   // exact size, once it is complete.
   if (parser->heap != HEAP_TEMP)
   {
      JSONValue::ElementTable* table =
          MemoryNew<JSONValue::ElementTable>(HEAP_TEMP, JSONValue::HeapAllocatorGet(HEAP_TEMP));
      if (!table)
      {
         WarningPrintf("JSONParser::YAJLArrayStart -- unable to create an array\n");
         return 0;
      }
      MemoryDelete(slot->payload.array);
      slot->payload.array = table;
   }
   return parser->ContainerPush(slot) ? 1 : 0;
}

int JSONParser::YAJLArrayEnd(void* context)
{
   JSONParser* parser = static_cast<JSONParser*>(context);
   JSONValue* top = parser->ContainerTopGet();
   if (!top)
   {
      return 1;
   }
   if (parser->heap != HEAP_TEMP && top->ArrayCheck())
   {
      JSONValue::ElementTable* temporary = top->payload.array;
      JSONValue::ElementTable* table =
          MemoryNew<JSONValue::ElementTable>(parser->heap, JSONValue::HeapAllocatorGet(parser->heap));
      if (!table || !table->Reserve(temporary->count))
      {
         WarningPrintf("JSONParser::YAJLArrayEnd -- unable to allocate an array of %d elements\n",
                       temporary->count);
         MemoryDelete(table);
         return 0;
      }
      for (i32 i = 0; i < temporary->count; i++)
      {
         table->Insert(temporary->data[i], i);
      }
      top->payload.array = table;
      MemoryDelete(temporary);
   }
   parser->stack.SizeSet(parser->stack.count - 1);
   return 1;
}
} // namespace Corvale
