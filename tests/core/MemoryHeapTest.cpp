// The expandable heap's block cores: splitting, coalescing, free-list order, the two ends, the
// temporary view and block tracking.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <random>
#include <vector>

#include "core/HeapDelegateExpandable.h"
#include "core/HeapDelegateTemp.h"
#include "core/Memory.h"

using namespace Corvale;

namespace
{
// A heap over its own malloc region: two pools plus a large core of largeBytes.
template <u32 N> struct TestHeap
{
   explicit TestHeap(u32 largeBytes = 0x10000) : size(N * HEAP_POOL_SIZE + largeBytes)
   {
      region = std::malloc(size);
      heap.Init(region, 1, size);
   }
   ~TestHeap()
   {
      heap.Deinit();
      std::free(region);
   }
   u32 size;
   void* region;
   HeapDelegateExpandable<N> heap;
};

// Walks a core's blocks in memory and its free list, and checks everything that must hold
// between any two operations.
template <class Core> void CoreCheck(const Core& core, const char* name)
{
   SCOPED_TRACE(name);
   typedef decltype(core.freeHead) Link;
   std::vector<Link> freeInMemory;
   u32 freeUnits = 0;
   Link previous = 0;
   bool previousFree = false;
   uptr expected = reinterpret_cast<uptr>(core.HeaderGet(core.FirstLinkGet()));
   for (Link link = core.FirstLinkGet(); link; link = core.HeaderGet(link)->next)
   {
      auto* header = core.HeaderGet(link);
      ASSERT_EQ(reinterpret_cast<uptr>(header), expected) << "blocks must tile the core";
      ASSERT_EQ(header->previous, previous);
      bool isFree = header->used == 0;
      ASSERT_FALSE(isFree && previousFree) << "adjacent free blocks were not coalesced";
      if (isFree)
      {
         freeInMemory.push_back(link);
         freeUnits += header->size;
      }
      expected =
          reinterpret_cast<uptr>(core.PayloadGet(link)) + header->size * (sizeof(header->size) == 2 ? 4 : 1);
      previous = link;
      previousFree = isFree;
   }
   if (core.FirstLinkGet())
   {
      ASSERT_EQ(expected, core.end) << "the last block must end at the core's end";
   }
   std::vector<Link> freeList;
   Link previousFreeLink = 0;
   for (Link link = core.freeHead; link; link = core.FreeLinksGet(link)->nextFree)
   {
      ASSERT_EQ(core.FreeLinksGet(link)->previousFree, previousFreeLink);
      freeList.push_back(link);
      previousFreeLink = link;
      ASSERT_LE(freeList.size(), freeInMemory.size() + 1);
   }
   ASSERT_EQ(core.freeTail, previousFreeLink);
   ASSERT_EQ(freeList, freeInMemory) << "free list must hold exactly the free blocks, in address order";
   ASSERT_EQ(core.freeAmount, freeUnits);
}

template <u32 N> void HeapCheck(HeapDelegateExpandable<N>& heap)
{
   for (u32 i = 0; i < N; i++)
   {
      CoreCheck(heap.pools[i], "pool");
   }
   CoreCheck(heap.large, "large");
}
} // namespace

TEST(MemoryHeap, NewCoresHoldOneFreeBlock)
{
   TestHeap<2> test(0x10000);
   HeapCheck(test.heap);
   // (0x3FC00 - 4) / 4 - 2: the one block that fits between the first index and the end.
   EXPECT_EQ(test.heap.pools[0].HeaderGet(test.heap.pools[0].freeHead)->size, 65277u);
   EXPECT_EQ(test.heap.pools[1].freeAmount, 65277u);
   EXPECT_EQ(test.heap.large.freeAmount, 0x10000u - 16);
   EXPECT_EQ(test.heap.TotalSizeGet(), test.size);
   EXPECT_EQ(test.heap.FreeBlockCountGet(), 3u);
   EXPECT_EQ(test.heap.FreeSizeGet(), 2 * 65277u * 4 + 0x10000u - 16);
   EXPECT_EQ(test.heap.UsedSizeGet(), test.size - test.heap.FreeSizeGet());
}

TEST(MemoryHeap, RegionTooSmallForPoolsGoesToLargeCore)
{
   std::vector<u8> region(1000);
   HeapDelegateExpandable<2> heap;
   heap.Init(region.data(), 0, static_cast<u32>(region.size()));
   EXPECT_EQ(heap.pools[0].FirstLinkGet(), 0);
   void* p = heap.Allocate(16);
   ASSERT_NE(p, nullptr);
   EXPECT_TRUE(heap.large.ContainsCheck(p));
   heap.Free(p);
   HeapCheck(heap);
   heap.Deinit();
}

TEST(MemoryHeap, FreeingThreeAdjacentBlocksCoalescesIntoOne)
{
   // Each order exercises a different pair of the merge cases.
   const int orders[][3] = {{1, 0, 2}, {1, 2, 0}, {0, 1, 2}, {2, 1, 0}, {0, 2, 1}};
   for (const auto& order : orders)
   {
      TestHeap<2> test;
      HeapCoreSmall& pool = test.heap.pools[0];
      u32 initial = pool.freeAmount;
      void* blocks[3];
      for (void*& block : blocks)
      {
         block = test.heap.AllocateLow(20);
         ASSERT_TRUE(pool.ContainsCheck(block));
      }
      EXPECT_EQ(pool.freeAmount, initial - 3 * (5 + 2));
      for (int index : order)
      {
         test.heap.Free(blocks[index]);
         HeapCheck(test.heap);
      }
      EXPECT_EQ(pool.freeAmount, initial);
      EXPECT_EQ(pool.FreeBlockCountGet(), 1u);
      EXPECT_EQ(test.heap.AllocationCountGet(), 0u);
   }
}

TEST(MemoryHeap, SmallSplitLeavesNoBlockTooSmallForItsLinks)
{
   // A free hole of 7 units between used blocks; requests of 7, 5 and 4 units leave 0, 2 and
   // 3 units: only the last splits (a 1-unit free block).
   struct Case
   {
      u32 request;
      u32 handedOut;
      bool split;
   };
   const Case cases[] = {{28, 7, false}, {20, 7, false}, {16, 4, true}};
   for (const Case& c : cases)
   {
      TestHeap<1> test;
      HeapCoreSmall& pool = test.heap.pools[0];
      void* left = test.heap.AllocateLow(4);
      void* hole = test.heap.AllocateLow(28);
      void* right = test.heap.AllocateLow(4);
      test.heap.Free(hole);
      void* p = test.heap.AllocateLow(c.request);
      ASSERT_EQ(p, hole);
      EXPECT_EQ(pool.HeaderGet(pool.LinkGet(p))->size, c.handedOut);
      EXPECT_EQ(pool.FreeBlockCountGet(), c.split ? 2u : 1u);
      HeapCheck(test.heap);
      test.heap.Free(p);
      test.heap.Free(left);
      test.heap.Free(right);
      HeapCheck(test.heap);
   }
}

TEST(MemoryHeap, LargeSplitOnlyWhenTheRestHoldsAHeaderAndEightBytes)
{
   struct Case
   {
      u32 request;
      u32 handedOut;
   };
   // Hole of 400 bytes: a request of 376 leaves exactly 24 (split); 380 leaves 20 (whole).
   const Case cases[] = {{376, 376}, {380, 400}, {1, 8}};
   for (const Case& c : cases)
   {
      TestHeap<1> test(0x1000);
      HeapCoreLarge& large = test.heap.large;
      void* left = test.heap.AllocateLow(300);
      void* hole = test.heap.AllocateLow(400);
      void* right = test.heap.AllocateLow(300);
      ASSERT_TRUE(large.ContainsCheck(hole));
      test.heap.Free(hole);
      u32 before = large.freeAmount;
      void* p = c.request < HEAP_SMALL_BLOCK_LIMIT ? large.AllocateLow(HeapCoreLarge::UnitsGet(c.request))
                                                   : test.heap.AllocateLow(c.request);
      ASSERT_EQ(p, hole);
      EXPECT_EQ(large.HeaderGet(large.LinkGet(p))->size, c.handedOut);
      EXPECT_EQ(before - large.freeAmount, c.handedOut == 400 ? 400 : c.handedOut + 16);
      HeapCheck(test.heap);
      if (c.request < HEAP_SMALL_BLOCK_LIMIT)
      {
         large.Free(p);
      }
      else
      {
         test.heap.Free(p);
      }
      test.heap.Free(left);
      test.heap.Free(right);
      HeapCheck(test.heap);
   }
}

TEST(MemoryHeap, LowAndHighEndsAndTheTemporaryView)
{
   TestHeap<2> test(0x10000);
   HeapDelegateTemp temp;
   temp.Init(1, &test.heap);
   void* high = test.heap.Allocate(40);
   void* low = temp.Allocate(40);
   // Small requests: the high end is the last pool's top, the low end the first pool's bottom.
   EXPECT_TRUE(test.heap.pools[1].ContainsCheck(high));
   EXPECT_TRUE(test.heap.pools[0].ContainsCheck(low));
   EXPECT_LT(low, high);
   void* largeHigh = test.heap.Allocate(1000);
   void* largeLow = temp.AllocateLow(1000);
   EXPECT_EQ(largeLow, test.heap.large.PayloadGet(test.heap.large.FirstLinkGet()));
   EXPECT_LT(largeLow, largeHigh);
   EXPECT_TRUE(temp.TemporaryCheck());
   EXPECT_FALSE(test.heap.TemporaryCheck());
   EXPECT_EQ(temp.AllocationCountGet(), 4u);
   EXPECT_EQ(temp.UsedSizeGet(), test.heap.UsedSizeGet());
   for (void* p : {high, low, largeHigh, largeLow})
   {
      EXPECT_TRUE(temp.Free(p));
   }
   HeapCheck(test.heap);
   EXPECT_EQ(test.heap.AllocationCountGet(), 0u);
   EXPECT_EQ(test.heap.AllocationCountPeakGet(), 4u);
   EXPECT_GT(test.heap.UsedSizePeakGet(), 0u);

   HeapDelegateTemp orphan;
   orphan.Init(0, nullptr);
   EXPECT_EQ(orphan.Allocate(10), nullptr);
   EXPECT_FALSE(orphan.Free(high));
   EXPECT_EQ(orphan.TotalSizeGet(), 0u);
}

TEST(MemoryHeap, ExhaustedCoresOverflowToTheCLibraryHeap)
{
   TestHeap<1> test(0x100);
   void* big = test.heap.Allocate(0x1000);
   ASSERT_NE(big, nullptr);
   EXPECT_FALSE(test.heap.large.ContainsCheck(big));
   EXPECT_FALSE(test.heap.pools[0].ContainsCheck(big));
   std::memset(big, 0xAB, 0x1000);
   EXPECT_EQ(test.heap.AllocationCountGet(), 1u);
   EXPECT_TRUE(test.heap.Free(big));
   EXPECT_EQ(test.heap.AllocationCountGet(), 0u);
}

TEST(MemoryHeap, DoubleFreeIsRefused)
{
   TestHeap<1> test;
   void* a = test.heap.AllocateLow(16);
   void* b = test.heap.AllocateLow(16);
   EXPECT_TRUE(test.heap.Free(a));
   EXPECT_FALSE(test.heap.Free(a));
   HeapCheck(test.heap);
   EXPECT_EQ(test.heap.AllocationCountGet(), 1u);
   test.heap.Free(b);
}

// A seeded random run of allocations from both ends and frees, through the memory manager
// (tracked, with headers) and straight from the delegate; every step checks the cores, every
// payload is filled and checked so that overlapping blocks show, and the end has one free block
// per core.
TEST(MemoryHeap, RandomModelKeepsCoresConsistent)
{
   Memory::FirstUse();
   TestHeap<2> test(0x20000);
   ASSERT_EQ(Memory::HeapGet(HEAP_WII_MEM2), nullptr);
   Memory::HeapSet(HEAP_WII_MEM2, &test.heap);
   test.heap.TrackingBegin();

   struct Live
   {
      u32 size;
      u8 fill;
      bool viaMemory;
   };
   std::map<void*, Live> live;
   std::mt19937 random(12345);
   u32 const initialFree = test.heap.FreeSizeGet();

   for (int step = 0; step < 3000; step++)
   {
      bool allocate = live.empty() || random() % 100 < 55;
      if (allocate)
      {
         u32 size = random() % 4 == 0 ? 256 + random() % 6000 : 1 + random() % 240;
         bool viaMemory = random() % 2 == 0;
         void* p = nullptr;
         if (viaMemory)
         {
            p = Memory::Allocate(size, HEAP_WII_MEM2, random() % 3 == 0 ? 64 : 0);
            HeapTrackingRecord record;
            record.address = reinterpret_cast<uptr>(p);
            record.size = size;
            record.heapId = HEAP_WII_MEM2;
            test.heap.TrackingRecordSet(p, record);
         }
         else
         {
            p = random() % 2 ? test.heap.AllocateLow(size) : test.heap.AllocateHigh(size);
         }
         ASSERT_NE(p, nullptr);
         u8 fill = static_cast<u8>(step);
         std::memset(p, fill, size);
         live[p] = {size, fill, viaMemory};
      }
      else
      {
         auto it = live.begin();
         std::advance(it, random() % live.size());
         const u8* bytes = static_cast<const u8*>(it->first);
         for (u32 i = 0; i < it->second.size; i++)
         {
            ASSERT_EQ(bytes[i], it->second.fill) << "block overwritten at step " << step;
         }
         if (it->second.viaMemory)
         {
            EXPECT_TRUE(test.heap.TrackingRecordRemove(it->first));
            Memory::Free(it->first);
         }
         else
         {
            test.heap.Free(it->first);
         }
         live.erase(it);
      }
      ASSERT_TRUE(test.heap.TrackedBlocksVerify()) << "step " << step;
      ASSERT_NO_FATAL_FAILURE(HeapCheck(test.heap)) << "step " << step;
   }
   for (auto& entry : live)
   {
      if (entry.second.viaMemory)
      {
         test.heap.TrackingRecordRemove(entry.first);
         Memory::Free(entry.first);
      }
      else
      {
         test.heap.Free(entry.first);
      }
   }
   test.heap.TrackingEnd();
   HeapCheck(test.heap);
   EXPECT_EQ(test.heap.FreeBlockCountGet(), 3u);
   EXPECT_EQ(test.heap.FreeSizeGet(), initialFree);
   EXPECT_EQ(test.heap.AllocationCountGet(), 0u);
   Memory::HeapSet(HEAP_WII_MEM2, nullptr);
}

TEST(MemoryHeap, TrackedBlocksVerifyFindsBrokenGuards)
{
   Memory::FirstUse();
   TestHeap<1> test;
   Memory::HeapSet(HEAP_WII_MEM2, &test.heap);
   test.heap.TrackingBegin();
   EXPECT_TRUE(test.heap.TrackingCheck());
   u8* p = static_cast<u8*>(Memory::Allocate(10, HEAP_WII_MEM2, 0));
   test.heap.TrackingRecordSet(p,
                               HeapTrackingRecord{reinterpret_cast<uptr>(p), 10, __FILE__, __LINE__, 16, 3});
   EXPECT_TRUE(test.heap.TrackedBlocksVerify());

   struct Corruption
   {
      int offset;
      const char* what;
   };
   const Corruption corruptions[] = {{10, "trailing guard"}, {-4, "leading guard"}, {-6, "heap id"}};
   for (const Corruption& c : corruptions)
   {
      u8 saved = p[c.offset];
      p[c.offset] = 0xEE;
      EXPECT_FALSE(test.heap.TrackedBlocksVerify()) << c.what;
      p[c.offset] = saved;
      EXPECT_TRUE(test.heap.TrackedBlocksVerify()) << c.what;
   }
   EXPECT_TRUE(test.heap.TrackingRecordRemove(p));
   EXPECT_FALSE(test.heap.TrackingRecordRemove(p));
   test.heap.TrackingEnd();
   EXPECT_FALSE(test.heap.TrackingCheck());
   test.heap.TrackingRecordSet(p, HeapTrackingRecord{});
   EXPECT_FALSE(test.heap.TrackingRecordRemove(p)) << "nothing is recorded while tracking is off";
   Memory::Free(p);
   Memory::HeapSet(HEAP_WII_MEM2, nullptr);
}
