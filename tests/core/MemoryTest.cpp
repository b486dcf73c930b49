// The memory manager's front end and the allocator objects: block headers, guards, alignment,
// heap fallback, size limits and reallocation.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "core/Allocator.h"
#include "core/HeapDelegate.h"
#include "core/Memory.h"

using namespace Corvale;

namespace
{
MemoryBlockHeader HeaderRead(const void* p)
{
   MemoryBlockHeader header;
   std::memcpy(&header, static_cast<const u8*>(p) - sizeof(header), sizeof(header));
   return header;
}

} // namespace

TEST(Memory, HeaderGuardsAndAlignmentForEachRequest)
{
   struct Case
   {
      i32 alignment;
      i32 heapId;
      u32 expectedAlignment;
      u16 expectedHeapId;
   };
   const Case cases[] = {
       {0, HEAP_DEFAULT, 16, 0},  {1, HEAP_DEFAULT, 16, 0},    {3, HEAP_DEFAULT, 16, 0},
       {4, HEAP_DEFAULT, 16, 0},  {-8, HEAP_DEFAULT, 16, 0},   {16, HEAP_DEFAULT, 16, 0},
       {64, HEAP_TEMP, 64, 1},    {4096, HEAP_DEBUG, 4096, 2}, {0, HEAP_SOUND_THREAD, 16, 9},
       {0, HEAP_WII_MEM2, 16, 0}, {32, HEAP_WIIU_FG, 32, 0},   {0, 42, 16, 0},
   };
   for (const Case& c : cases)
   {
      for (u32 size : {0u, 1u, 13u, 300u, 100000u})
      {
         SCOPED_TRACE(testing::Message()
                      << "alignment " << c.alignment << " heap " << c.heapId << " size " << size);
         void* p = Memory::Allocate(size, c.heapId, c.alignment);
         ASSERT_NE(p, nullptr);
         EXPECT_EQ(reinterpret_cast<uptr>(p) % c.expectedAlignment, 0u);
         MemoryBlockHeader header = HeaderRead(p);
         EXPECT_EQ(header.size, size);
         EXPECT_EQ(header.heapId, c.expectedHeapId) << "an empty heap id falls back to 0";
         EXPECT_EQ(header.guard, MEMORY_GUARD_BEFORE);
         EXPECT_GE(header.offset, sizeof(MemoryBlockHeader));
         EXPECT_LT(header.offset, sizeof(MemoryBlockHeader) + c.expectedAlignment);
         EXPECT_EQ(MemoryGuardAfterRead(p, size), MEMORY_GUARD_AFTER);
         std::memset(p, 0x5A, size);
         Memory::Free(p);
      }
   }
}

TEST(Memory, InstalledHeapsAndNames)
{
   Memory::FirstUse();
   EXPECT_TRUE(Memory::InitialisedCheck());
   for (i32 id : {HEAP_DEFAULT, HEAP_TEMP, HEAP_DEBUG, HEAP_SOUND_THREAD})
   {
      EXPECT_NE(Memory::HeapGet(id), nullptr) << Memory::HeapNameGet(id);
   }
   for (i32 id : {HEAP_WII_MEM2, HEAP_WII_MEM2_TEMP, HEAP_3DS_DEVICE_MEMORY, HEAP_WIIU_MEM1})
   {
      EXPECT_EQ(Memory::HeapGet(id), nullptr) << Memory::HeapNameGet(id);
   }
   EXPECT_TRUE(Memory::HeapGet(HEAP_TEMP)->TemporaryCheck());
   EXPECT_STREQ(Memory::HeapNameGet(HEAP_3DS_DEVICE_MEMORY_TEMP), "HEAP_3DS_DEVICE_MEMORY_TEMP");
   EXPECT_STREQ(Memory::HeapNameGet(HEAP_SOUND_THREAD), "HEAP_SOUND_THREAD");
   EXPECT_EQ(allocatorImage, allocatorDefault);
   EXPECT_EQ(allocatorSound, allocatorDefault);

   // The default heap counts the blocks of its delegate.
   HeapDelegate* heap = Memory::HeapGet(HEAP_DEFAULT);
   u32 before = heap->AllocationCountGet();
   void* p = MemoryAllocateDefault(24);
   EXPECT_EQ(heap->AllocationCountGet(), before + 1);
   MemoryFree(p);
   EXPECT_EQ(heap->AllocationCountGet(), before);
}

TEST(Memory, SizesAndAlignmentsThatCannotBeServedAreRefused)
{
   EXPECT_EQ(Memory::Allocate(0xFFFFFFFFu, HEAP_DEFAULT, 0), nullptr);
   EXPECT_EQ(Memory::Allocate(0xFFFFFFF0u, HEAP_DEFAULT, 16), nullptr);
   EXPECT_EQ(Memory::Allocate(0xFFFFFFFFu - 100, HEAP_DEFAULT, 4096), nullptr);
   EXPECT_EQ(Memory::Allocate(10, HEAP_DEFAULT, 48), nullptr) << "not a power of two";
   EXPECT_EQ(Memory::Allocate(10, HEAP_DEFAULT, 0x10000), nullptr) << "offset would not fit 16 bits";
   void* p = Memory::Allocate(10, HEAP_DEFAULT, 0x8000);
   ASSERT_NE(p, nullptr);
   EXPECT_EQ(reinterpret_cast<uptr>(p) % 0x8000, 0u);
   Memory::Free(p);
}

TEST(Memory, Reallocate)
{
   char* p = static_cast<char*>(Memory::Allocate(10, HEAP_DEFAULT, 0));
   std::memcpy(p, "abcdefghij", 10);

   char* smaller = static_cast<char*>(Memory::Reallocate(p, 4, HEAP_DEFAULT, 0));
   ASSERT_NE(smaller, nullptr);
   EXPECT_EQ(std::string(smaller, 4), "abcd");
   EXPECT_EQ(HeaderRead(smaller).size, 4u);

   char* larger = static_cast<char*>(Memory::Reallocate(smaller, 1000, HEAP_TEMP, 64));
   ASSERT_NE(larger, nullptr);
   EXPECT_EQ(std::string(larger, 4), "abcd");
   EXPECT_EQ(HeaderRead(larger).heapId, HEAP_TEMP);
   EXPECT_EQ(reinterpret_cast<uptr>(larger) % 64, 0u);

   EXPECT_EQ(Memory::Reallocate(larger, 0, HEAP_DEFAULT, 0), nullptr);

   void* fresh = Memory::Reallocate(nullptr, 8, HEAP_DEFAULT, 0);
   ASSERT_NE(fresh, nullptr);
   // A failed reallocation frees the old block (the engine's callers rely on it).
   EXPECT_EQ(Memory::Reallocate(fresh, 0xFFFFFFFFu, HEAP_DEFAULT, 0), nullptr);
}

TEST(Memory, FreeFrontEndsToleratesNull)
{
   MemoryFree(nullptr);
   Memory::Free(nullptr);
   allocatorDefault->Free(nullptr);
   allocatorTemp->Free(nullptr);
   allocatorHeaps[HEAP_WII_MEM2]->Free(nullptr);
   allocatorDebugUnlogged->Free(nullptr);
}

TEST(Memory, FreeAndNullLeavesTheOwnerNull)
{
   Memory::FirstUse();
   char* text = StringDuplicate("owned", HEAP_DEFAULT);
   ASSERT_NE(text, nullptr);
   Memory::FreeAndNull(text);
   EXPECT_EQ(text, nullptr);
   // A second release finds nothing to free.
   Memory::FreeAndNull(text);
   const i32* numbers = static_cast<const i32*>(Memory::Allocate(16, HEAP_TEMP, 4));
   Memory::FreeAndNull(numbers);
   EXPECT_EQ(numbers, nullptr);
}

TEST(Memory, StringDuplicate)
{
   EXPECT_EQ(StringDuplicate(nullptr, HEAP_DEFAULT), nullptr);
   char* copy = StringDuplicate("h\xC3\xA9llo", HEAP_TEMP);
   ASSERT_NE(copy, nullptr);
   EXPECT_STREQ(copy, "h\xC3\xA9llo");
   EXPECT_EQ(HeaderRead(copy).heapId, HEAP_TEMP);
   MemoryFree(copy);
   char* empty = StringDuplicate("", HEAP_DEFAULT);
   ASSERT_NE(empty, nullptr);
   EXPECT_STREQ(empty, "");
   MemoryFree(empty);
}

TEST(Memory, AllocatorsServeTheirHeaps)
{
   Memory::FirstUse();
   struct Case
   {
      Allocator* allocator;
      u16 expectedHeapId;
   };
   const Case cases[] = {{allocatorDefault, 0},
                         {allocatorTemp, 1},
                         {allocatorDebugUnlogged, 2},
                         {allocatorHeaps[HEAP_WII_MEM2], 0},
                         {allocatorHeaps[HEAP_SOUND_THREAD], 9}};
   for (const Case& c : cases)
   {
      ASSERT_NE(c.allocator, nullptr);
      void* p = c.allocator->Allocate(40);
      ASSERT_NE(p, nullptr);
      EXPECT_EQ(reinterpret_cast<uptr>(p) % MEMORY_ALIGNMENT_MIN, 0u);
      EXPECT_EQ(HeaderRead(p).heapId, c.expectedHeapId);
      c.allocator->Free(p);
   }
   void* raw = allocatorMallocFree->Allocate(100);
   ASSERT_NE(raw, nullptr);
   allocatorMallocFree->Free(raw);

   for (i32 id = 0; id < HEAP_COUNT; id++)
   {
      EXPECT_EQ(static_cast<AllocatorHeap*>(allocatorHeaps[id])->heapId, id);
   }
   // Running it again only resets the pointers to the same objects.
   Allocator* before = allocatorDefault;
   AllocatorsInit();
   EXPECT_EQ(allocatorDefault, before);
}

TEST(Memory, UnloggedDelegateBlocksAreAlignedAndHeaderless)
{
   AllocatorHeapDelegateUnlogged none;
   EXPECT_EQ(none.Allocate(16), nullptr);
   none.Free(reinterpret_cast<void*>(0x1000)); // nothing to free through

   Memory::FirstUse();
   HeapDelegate* heap = Memory::HeapGet(HEAP_DEFAULT);
   AllocatorHeapDelegateUnlogged unlogged(heap);
   u32 before = heap->AllocationCountGet();
   std::vector<void*> blocks;
   for (u32 size : {1u, 7u, 24u, 100u, 255u, 4000u})
   {
      void* p = unlogged.Allocate(size);
      ASSERT_NE(p, nullptr);
      EXPECT_EQ(reinterpret_cast<uptr>(p) % MEMORY_ALIGNMENT_MIN, 0u) << size;
      std::memset(p, 0x33, size);
      blocks.push_back(p);
   }
   EXPECT_EQ(heap->AllocationCountGet(), before + blocks.size());
   for (void* p : blocks)
   {
      unlogged.Free(p);
   }
   EXPECT_EQ(heap->AllocationCountGet(), before);
   EXPECT_EQ(unlogged.Allocate(0xFFFFFFFFu), nullptr);
}

TEST(Memory, StandardLibraryAdaptor)
{
   std::vector<int, AllocatorStd<int>> numbers;
   for (int i = 0; i < 1000; i++)
   {
      numbers.push_back(i);
   }
   EXPECT_EQ(numbers[999], 999);
   EXPECT_EQ(HeaderRead(numbers.data()).heapId, HEAP_DEFAULT);
   std::basic_string<char, std::char_traits<char>, AllocatorStd<char>> text(
       "a text long enough to leave SSO storage");
   EXPECT_EQ(text.size(), 39u);
}

// Runs last: Deinit takes every heap down and the next allocation brings the manager back.
TEST(Memory, DeinitThenFirstUseAgain)
{
   Memory::FirstUse();
   Memory::Deinit();
   EXPECT_FALSE(Memory::InitialisedCheck());
   EXPECT_EQ(Memory::HeapGet(HEAP_DEFAULT), nullptr);
   void* q = MemoryAllocateAligned4(32, HEAP_TEMP);
   ASSERT_NE(q, nullptr);
   EXPECT_TRUE(Memory::InitialisedCheck());
   EXPECT_NE(Memory::HeapGet(HEAP_TEMP), nullptr);
   MemoryFree(q);
}

#if defined(__SANITIZE_ADDRESS__) && CORVALE_MALLOC_HEAPS
// Each engine block is a block of the C library heap here, and the bytes after the caller's size
// are unaddressable: an overrun of one byte is caught where it happens, not at the next check.
TEST(MemoryDeathTest, OneByteOverrunIsReportedBySanitizer)
{
   struct Case
   {
      u32 size;
      i32 heapId;
      i32 alignment;
   };
   for (const Case& c : {Case{10, HEAP_DEFAULT, 4}, Case{1, HEAP_TEMP, 4}, Case{24, HEAP_SOUND_THREAD, 64},
                         Case{100, HEAP_DEBUG, 16}})
   {
      SCOPED_TRACE(c.size);
      EXPECT_DEATH(
          {
             volatile u8* p = static_cast<u8*>(Memory::Allocate(c.size, c.heapId, c.alignment));
             p[c.size - 1] = 1;
             p[c.size] = 1;
          },
          "AddressSanitizer: (use-after-poison|heap-buffer-overflow)");
      // In bounds stays quiet, and freeing a block whose tail was unaddressable is sound.
      u8* p = static_cast<u8*>(Memory::Allocate(c.size, c.heapId, c.alignment));
      std::memset(p, 0xA5, c.size);
      Memory::Free(p);
   }
}
#endif
