// The memory manager: ten heap slots, the block header and guards around every block, and the
// first-use step that every allocation site runs.
#include "core/Memory.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <sanitizer/asan_interface.h>

#include "core/Allocator.h"
#include "core/HeapDelegate.h"
#include "core/HeapDelegateExpandable.h"
#include "core/HeapDelegateMalloc.h"
#include "core/HeapDelegateTemp.h"
#include "core/Log.h"
#include "core/StringHelpers.h"

namespace Corvale
{
namespace
{
struct MemoryManager
{
   bool initialised = false;
   HeapDelegate* heaps[HEAP_COUNT] = {};
};

// Static storage that is never destroyed: blocks may still be freed from other objects'
// destructors at exit, after ordinary statics are gone.
MemoryManager memoryInstance;
MemoryManager* memoryManager = nullptr;

alignas(HeapDelegateMalloc) unsigned char heapSystemStorage[sizeof(HeapDelegateMalloc)];
HeapDelegateMalloc* heapSystemObject = nullptr;
HeapDelegateMalloc* heapSystem = nullptr;

const char* const heapNames[HEAP_COUNT] = {"HEAP_DEFAULT",
                                           "HEAP_TEMP",
                                           "HEAP_DEBUG",
                                           "HEAP_WII_MEM2",
                                           "HEAP_WII_MEM2_TEMP",
                                           "HEAP_3DS_DEVICE_MEMORY",
                                           "HEAP_3DS_DEVICE_MEMORY_TEMP",
                                           "HEAP_WIIU_MEM1",
                                           "HEAP_WIIU_FG",
                                           "HEAP_SOUND_THREAD"};

MemoryBlockHeader* HeaderGet(void* p)
{
   return reinterpret_cast<MemoryBlockHeader*>(static_cast<u8*>(p) - sizeof(MemoryBlockHeader));
}

void GuardAfterWrite(void* p, u32 size, u32 value)
{
   // Not aligned in general.
   std::memcpy(static_cast<u8*>(p) + size, &value, sizeof(value));
}

// A block of the C library heap is known to AddressSanitizer only by its raw bounds: the guard
// and the alignment slack after the caller's bytes are made unaddressable too, so that an overrun
// of even one byte is reported where it happens. Blocks of our own heaps are reused without the
// sanitizer's knowledge and stay as they are. Without the sanitizer these do nothing.
void TailPoison(void* p, u32 size, void* rawEnd)
{
   u8* tail = static_cast<u8*>(p) + size;
   ASAN_POISON_MEMORY_REGION(tail, static_cast<size_t>(static_cast<u8*>(rawEnd) - tail));
}

void TailUnpoison(void* p, u32 size)
{
   ASAN_UNPOISON_MEMORY_REGION(static_cast<u8*>(p) + size, sizeof(u32));
}
} // namespace

// Byte by byte and outside the sanitizer's view: the guard is unaddressable to everyone else.
__attribute__((no_sanitize("address"))) u32 MemoryGuardAfterRead(const void* p, u32 size)
{
   const volatile u8* bytes = static_cast<const volatile u8*>(p) + size;
   u8 raw[sizeof(u32)];
   for (u32 i = 0; i < sizeof(u32); i++)
   {
      raw[i] = bytes[i];
   }
   u32 guard = 0;
   std::memcpy(&guard, raw, sizeof(guard));
   return guard;
}

void Memory::FirstUse()
{
   if (!memoryManager)
   {
      memoryManager = &memoryInstance;
      memoryManager->initialised = false;
   }
   if (!memoryManager->initialised)
   {
      Init();
   }
}

bool Memory::InitialisedCheck()
{
   return memoryManager && memoryManager->initialised;
}

const char* Memory::HeapNameGet(i32 heapId)
{
   if (heapId < 0 || heapId >= HEAP_COUNT)
   {
      return "HEAP_INVALID";
   }
   return heapNames[heapId];
}

HeapDelegate* Memory::HeapGet(i32 heapId)
{
   if (!memoryManager || heapId < 0 || heapId >= HEAP_COUNT)
   {
      return nullptr;
   }
   return memoryManager->heaps[heapId];
}

void Memory::HeapSet(i32 heapId, HeapDelegate* heap)
{
   if (heapId < 0 || heapId >= HEAP_COUNT)
   {
      WarningPrintf("Memory::HeapSet -- invalid heap id: %d\n", heapId);
      return;
   }
   if (InitialisedCheck())
   {
      memoryManager->heaps[heapId] = heap;
   }
}

void* Memory::Allocate(u32 size, i32 heapId, i32 alignment)
{
   FirstUse();
   if (alignment < MEMORY_ALIGNMENT_MIN)
   {
      alignment = MEMORY_ALIGNMENT_MIN;
   }
   // The offset to the raw block must fit the header's 16 bits.
   if ((alignment & (alignment - 1)) != 0 || alignment > 0x8000)
   {
      WarningPrintf("Memory::Allocate -- invalid alignment: %d\n", alignment);
      return nullptr;
   }
   u64 rawSize = static_cast<u64>(size) + MEMORY_BLOCK_OVERHEAD + static_cast<u64>(alignment) - 1;
   if (rawSize > UINT32_MAX)
   {
      WarningPrintf("Memory::Allocate -- size too large: %u\n", size);
      return nullptr;
   }

   i32 headerHeapId = heapId;
   HeapDelegate* heap = (heapId >= 0 && heapId < HEAP_COUNT) ? memoryManager->heaps[heapId] : nullptr;
   if (!heap)
   {
      heap = memoryManager->heaps[HEAP_DEFAULT];
      headerHeapId = HEAP_DEFAULT;
      if (!heap)
      {
         ErrorPrintf("Memory::Allocate -- Requested heap (%s) and default heap not defined.\n",
                     HeapNameGet(heapId));
      }
   }

   void* raw = heap->Allocate(static_cast<u32>(rawSize));
   if (!raw)
   {
      return nullptr;
   }
   uptr address = (reinterpret_cast<uptr>(raw) + sizeof(MemoryBlockHeader) + alignment - 1) &
                  ~static_cast<uptr>(alignment - 1);
   void* p = reinterpret_cast<void*>(address);
   MemoryBlockHeader* header = HeaderGet(p);
   header->size = size;
   header->offset = static_cast<u16>(address - reinterpret_cast<uptr>(raw));
   header->heapId = static_cast<u16>(headerHeapId);
   header->guard = MEMORY_GUARD_BEFORE;
   GuardAfterWrite(p, size, MEMORY_GUARD_AFTER);
   if (heap->SystemHeapCheck())
   {
      TailPoison(p, size, static_cast<u8*>(raw) + rawSize);
   }
   return p;
}

void Memory::Free(void* p)
{
   if (!p || !InitialisedCheck())
   {
      return;
   }
   MemoryBlockHeader* header = HeaderGet(p);
   void* raw = static_cast<u8*>(p) - header->offset;
   u32 heapId = header->heapId;
   header->guard = 0xFFFFFFFFu;
   TailUnpoison(p, header->size);
   GuardAfterWrite(p, header->size, 0xFFFFFFFFu);
   if (heapId >= HEAP_COUNT)
   {
      WarningPrintf("Memory::Free -- corrupt block header: heap id %u\n", heapId);
      return;
   }
   HeapDelegate* heap = memoryManager->heaps[heapId];
   if (heap)
   {
      heap->Free(raw);
   }
}

// Note: like the engine's other callers expect, a failed reallocation frees the old block. This
// is not realloc's contract; adaptors for libraries that rely on realloc must not use it as is.
void* Memory::Reallocate(void* old, u32 newSize, i32 heapId, i32 alignment)
{
   if (newSize == 0)
   {
      if (old && memoryManager)
      {
         Free(old);
      }
      return nullptr;
   }
   void* p = Allocate(newSize, heapId, alignment);
   if (!p)
   {
      if (old && memoryManager)
      {
         Free(old);
      }
      return nullptr;
   }
   if (!old)
   {
      return p;
   }
   u32 oldSize = InitialisedCheck() ? HeaderGet(old)->size : 0;
   std::memcpy(p, old, oldSize < newSize ? oldSize : newSize);
   Free(old);
   return p;
}

void Memory::Init()
{
   if (!memoryManager)
   {
      memoryManager = &memoryInstance;
   }
   if (memoryManager->initialised)
   {
      return;
   }
   memoryManager->initialised = true;
   for (HeapDelegate*& heap : memoryManager->heaps)
   {
      heap = nullptr;
   }
   if (!heapSystemObject)
   {
      heapSystemObject = new (heapSystemStorage) HeapDelegateMalloc();
   }
   heapSystemObject->Init(1);
   heapSystem = heapSystemObject;
   memoryManager->heaps[HEAP_DEFAULT] = heapSystem;
   AllocatorsInit();
   HeapsInit();
}

void Memory::Deinit()
{
   if (!InitialisedCheck())
   {
      return;
   }
   for (HeapDelegate* heap : memoryManager->heaps)
   {
      if (heap)
      {
         heap->TrackingEnd();
      }
   }
   HeapsDeinit();
   for (HeapDelegate*& heap : memoryManager->heaps)
   {
      heap = nullptr;
   }
   if (heapSystem)
   {
      heapSystem->Deinit();
      heapSystem = nullptr;
   }
   memoryManager->initialised = false;
}

namespace
{
template <class T> struct HeapStatic
{
   alignas(T) unsigned char storage[sizeof(T)];
   T* object = nullptr;

   T* Get()
   {
      if (!object)
      {
         object = new (storage) T();
      }
      return object;
   }
};

constexpr u32 HEAP_DEFAULT_REGION_SIZE = 0x4000000;
constexpr u32 HEAP_DEBUG_REGION_SIZE = 0x2000000;
constexpr u32 HEAP_SOUND_REGION_SIZE = 0x2000000;

HeapStatic<HeapDelegateTemp> heapTemp;
#if CORVALE_MALLOC_HEAPS
// Every block goes to the C library heap, so that the sanitizers see each one.
HeapStatic<HeapDelegateMalloc> heapDefault;
HeapStatic<HeapDelegateMalloc> heapDebug;
HeapStatic<HeapDelegateMalloc> heapSound;
#else
HeapStatic<HeapDelegateExpandable<40>> heapDefault;
HeapStatic<HeapDelegateExpandable<2>> heapDebug;
HeapStatic<HeapDelegateExpandable<2>> heapSound;
void* regionDefault = nullptr;
void* regionDebug = nullptr;
void* regionSound = nullptr;

void* RegionAllocate(u32 size, const char* heapName)
{
   void* region = std::malloc(size);
   if (!region)
   {
      // The log file is not open yet at this point.
      std::fprintf(stderr, "Memory::HeapsInit -- could not allocate %u bytes for %s.\n", size, heapName);
      ErrorPrintf("Memory::HeapsInit -- could not allocate %u bytes for %s.\n", size, heapName);
   }
   return region;
}
#endif
} // namespace

void Memory::HeapsInit()
{
#if CORVALE_MALLOC_HEAPS
   heapDefault.Get()->Init(1);
   heapDebug.Get()->Init(1);
   heapSound.Get()->Init(0);
#else
   regionDefault = RegionAllocate(HEAP_DEFAULT_REGION_SIZE, "HEAP_DEFAULT");
   heapDefault.Get()->Init(regionDefault, 1, HEAP_DEFAULT_REGION_SIZE);
   regionDebug = RegionAllocate(HEAP_DEBUG_REGION_SIZE, "HEAP_DEBUG");
   heapDebug.Get()->Init(regionDebug, 1, HEAP_DEBUG_REGION_SIZE);
   regionSound = RegionAllocate(HEAP_SOUND_REGION_SIZE, "HEAP_SOUND_THREAD");
   heapSound.Get()->Init(regionSound, 0, HEAP_SOUND_REGION_SIZE);
#endif
   heapTemp.Get()->Init(1, heapDefault.object);
   HeapSet(HEAP_DEFAULT, heapDefault.object);
   HeapSet(HEAP_DEBUG, heapDebug.object);
   HeapSet(HEAP_TEMP, heapTemp.object);
   HeapSet(HEAP_SOUND_THREAD, heapSound.object);
   allocatorImage = allocatorDefault;
   allocatorSound = allocatorDefault;
}

void Memory::HeapsDeinit()
{
   heapDefault.object->Deinit();
   heapDebug.object->Deinit();
   heapTemp.object->Deinit();
   heapSound.object->Deinit();
#if !CORVALE_MALLOC_HEAPS
   std::free(regionDefault);
   std::free(regionDebug);
   std::free(regionSound);
   regionDefault = nullptr;
   regionDebug = nullptr;
   regionSound = nullptr;
#endif
}

void* MemoryAllocate(u32 size, i32 heapId, i32 alignment)
{
   Memory::FirstUse();
   return Memory::Allocate(size, heapId, alignment);
}

void* MemoryAllocateDefault(u32 size)
{
   Memory::FirstUse();
   return Memory::Allocate(size, HEAP_DEFAULT, MEMORY_ALIGNMENT_MIN);
}

void* MemoryAllocateAligned4(u32 size, i32 heapId)
{
   Memory::FirstUse();
   return Memory::Allocate(size, heapId, MEMORY_ALIGNMENT_MIN);
}

void MemoryFree(void* p)
{
   if (p && memoryManager)
   {
      Memory::Free(p);
   }
}

char* StringDuplicate(const char* text, i32 heapId)
{
   if (!text)
   {
      return nullptr;
   }
   Memory::FirstUse();
   size_t length = std::strlen(text);
   if (length >= UINT32_MAX)
   {
      WarningPrintf("StringDuplicate -- text too long\n");
      return nullptr;
   }
   u32 size = static_cast<u32>(length + 1);
   char* copy = static_cast<char*>(Memory::Allocate(size, heapId, MEMORY_ALIGNMENT_MIN));
   if (!copy)
   {
      return nullptr;
   }
   NultStrncpy(copy, text, size);
   return copy;
}
} // namespace Corvale
