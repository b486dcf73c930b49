// Table<T> growth, insertion, removal, moves, the stable sort and QuickSort; List<T> linking and its node
// pool.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Memory.h"
#include "core/Table.h"
#include "tests/TestSupport.h"

using namespace Corvale;

namespace
{
class TableTest : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      if (!Memory::InitialisedCheck())
      {
         Memory::Init();
      }
   }
};

using TestSupport::CountingAllocator;

template <class T> std::vector<T> Items(const Table<T>& table)
{
   return std::vector<T>(table.data, table.data + table.count);
}

struct Pair
{
   i32 key;
   i32 tag;
};
} // namespace

TEST_F(TableTest, CapacityGrowsTimesTwoPlusEight)
{
   CountingAllocator counting;
   {
      Table<i32> table(&counting);
      EXPECT_EQ(table.capacity, 0);
      EXPECT_EQ(table.data, nullptr);
      std::vector<i32> capacities;
      for (i32 i = 0; i < 57; i++)
      {
         ASSERT_TRUE(table.Insert(i, table.count));
         if (capacities.empty() || capacities.back() != table.capacity)
         {
            capacities.push_back(table.capacity);
         }
      }
      EXPECT_EQ(capacities, (std::vector<i32>{8, 24, 56, 120}));
      EXPECT_EQ(counting.allocations, 4);
      EXPECT_EQ(counting.frees, 3);
      for (i32 i = 0; i < 57; i++)
      {
         EXPECT_EQ(table[i], i);
      }
   }
   EXPECT_EQ(counting.frees, 4);
}

TEST_F(TableTest, InsertAtEdges)
{
   Table<i32> table;
   EXPECT_FALSE(table.Insert(1, 1));
   EXPECT_FALSE(table.Insert(1, -1));
   EXPECT_EQ(table.count, 0);
   table.Insert(1, 0);
   table.Insert(3, 1);
   table.Insert(0, 0);
   table.Insert(2, 2);
   EXPECT_EQ(Items(table), (std::vector<i32>{0, 1, 2, 3}));
   EXPECT_FALSE(table.Insert(9, 5));
   EXPECT_EQ(table.count, 4);

   // An item taken from the table itself, both while the buffer grows and while it does not.
   Table<i32> full;
   for (i32 i = 0; i < 8; i++)
   {
      full.Insert(i, i);
   }
   ASSERT_EQ(full.capacity, 8);
   full.Insert(full[7], 0);
   EXPECT_EQ(full[0], 7);
   full.Insert(full[8], 1);
   EXPECT_EQ(Items(full), (std::vector<i32>{7, 7, 0, 1, 2, 3, 4, 5, 6, 7}));
}

TEST_F(TableTest, ItemsInsertInPlaceGrownAndFromItself)
{
   struct Case
   {
      const char* start;
      i32 reserve;
      const char* items;
      i32 index;
      bool added;
      const char* expected;
   };
   const Case cases[] = {
       {"", 0, "xyz", 0, true, "xyz"},
       {"abcd", 0, "xy", 2, true, "abxycd"},
       {"abcd", 16, "xy", 2, true, "abxycd"},
       {"abcd", 16, "xyz", 4, true, "abcdxyz"},
       {"abcd", 16, "wxyz", 1, true, "awxyzbcd"},
       {"abcd", 0, "", 1, true, "abcd"},
       {"abcd", 0, "xy", 5, false, "abcd"},
       {"abcd", 0, "xy", -1, false, "abcd"},
   };
   for (const Case& c : cases)
   {
      Table<char> table;
      table.Reserve(c.reserve);
      std::string start(c.start);
      table.ItemsInsert(start.data(), static_cast<i32>(start.size()), 0);
      std::string items(c.items);
      EXPECT_EQ(table.ItemsInsert(items.data(), static_cast<i32>(items.size()), c.index), c.added) << c.items;
      EXPECT_EQ(std::string(table.data, table.count), c.expected)
          << c.start << " + " << c.items << " at " << c.index;
   }

   // The table's own items, with room to spare and without: the source must not be overwritten
   // by the shift before it is read.
   for (i32 reserve : {0, 32})
   {
      Table<std::string> table;
      table.Reserve(reserve);
      for (const char* word : {"alpha", "beta", "gamma", "delta"})
      {
         table.Insert(std::string(word) + std::string(20, '.'), table.count);
      }
      ASSERT_TRUE(table.ItemsInsert(table.data + 1, 3, 1));
      std::vector<std::string> expected;
      for (const char* word : {"alpha", "beta", "gamma", "delta", "beta", "gamma", "delta"})
      {
         expected.push_back(std::string(word) + std::string(20, '.'));
      }
      EXPECT_EQ(Items(table), expected) << "reserve " << reserve;
   }
}

TEST_F(TableTest, RemoveAtTakeLastAndClear)
{
   Table<std::string> table;
   for (const char* word : {"a", "b", "c", "d"})
   {
      table.Insert(word, table.count);
   }
   EXPECT_FALSE(table.RemoveAt(4));
   EXPECT_FALSE(table.RemoveAt(-1));
   EXPECT_TRUE(table.RemoveAt(1));
   EXPECT_EQ(Items(table), (std::vector<std::string>{"a", "c", "d"}));
   EXPECT_EQ(table.TakeLast(), "d");
   EXPECT_EQ(table.count, 2);

   const i32 capacity = table.capacity;
   table.Clear();
   EXPECT_EQ(table.count, 0);
   EXPECT_EQ(table.capacity, capacity);
   EXPECT_EQ(table.TakeLast(), "");
   table.Insert("e", 0);
   EXPECT_EQ(Items(table), (std::vector<std::string>{"e"}));
}

TEST_F(TableTest, FindAndRemoveFirstEqual)
{
   Table<i32> table;
   for (i32 value : {4, 5, 4, 6})
   {
      table.Insert(value, table.count);
   }
   EXPECT_EQ(table.Find(4), 0);
   EXPECT_EQ(table.Find(7), -1);
   EXPECT_TRUE(table.Remove(4));
   EXPECT_EQ(Items(table), (std::vector<i32>{5, 4, 6}));
   EXPECT_FALSE(table.Remove(7));
   EXPECT_EQ(table.count, 3);
   Table<i32> empty;
   EXPECT_EQ(empty.Find(0), -1);
   EXPECT_FALSE(empty.Remove(0));
}

TEST_F(TableTest, MoveShiftsTheItemsBetween)
{
   struct Case
   {
      i32 to;
      i32 from;
      const char* expected;
   };
   const Case cases[] = {
       {0, 3, "dabc"}, {3, 0, "bcda"}, {1, 2, "acbd"}, {2, 2, "abcd"}, {4, 0, "abcd"}, {0, -1, "abcd"},
   };
   for (const Case& c : cases)
   {
      Table<char> table;
      for (char item : std::string("abcd"))
      {
         table.Insert(item, table.count);
      }
      table.Move(c.to, c.from);
      EXPECT_EQ(std::string(table.data, table.count), c.expected) << "Move(" << c.to << ", " << c.from << ")";
   }
}

TEST_F(TableTest, SortIsStable)
{
   Table<Pair> table;
   table.Insert({2, 'x'}, 0);
   table.Insert({1, 'y'}, 1);
   table.Insert({2, 'z'}, 2);
   table.Sort([](Pair a, Pair b) { return a.key < b.key; });
   ASSERT_EQ(table.count, 3);
   EXPECT_EQ(table[0].tag, 'y');
   EXPECT_EQ(table[1].tag, 'x');
   EXPECT_EQ(table[2].tag, 'z');

   // Many equal keys, sorted descending: each key's items keep their original order.
   Table<Pair> many;
   for (i32 i = 0; i < 300; i++)
   {
      many.Insert({(i * 37) % 5, i}, many.count);
   }
   many.Sort([](const Pair& a, const Pair& b) { return a.key > b.key; });
   for (i32 i = 1; i < many.count; i++)
   {
      ASSERT_GE(many[i - 1].key, many[i].key);
      if (many[i - 1].key == many[i].key)
      {
         ASSERT_LT(many[i - 1].tag, many[i].tag);
      }
   }
}

TEST_F(TableTest, QuickSortTakesTheQuickSortSteps)
{
   // Tens digit the key, units the tag: equal keys end where the partition leaves them, which is
   // not where the stable sort puts them.
   const auto less = [](i32 a, i32 b) { return a / 10 > b / 10; };
   Table<i32> table;
   for (i32 item : {0, 1, 10, 2})
   {
      table.Insert(item, table.count);
   }
   table.QuickSort(less);
   EXPECT_EQ(Items(table), (std::vector<i32>{10, 2, 0, 1}));

   // Fewer than two items, and no items at all, are left alone.
   Table<i32> one;
   one.Insert(7, 0);
   one.QuickSort(less);
   EXPECT_EQ(Items(one), std::vector<i32>{7});
   Table<i32> none;
   none.QuickSort(less);
   EXPECT_EQ(none.count, 0);
   EXPECT_EQ(none.data, nullptr);
}

TEST_F(TableTest, ReserveAndSizeSet)
{
   Table<i32> table;
   EXPECT_TRUE(table.Reserve(32));
   EXPECT_EQ(table.capacity, 32);
   EXPECT_EQ(table.count, 0);
   EXPECT_TRUE(table.Reserve(10));
   EXPECT_EQ(table.capacity, 32);
   EXPECT_TRUE(table.SizeSet(40));
   EXPECT_EQ(table.capacity, 40);
   EXPECT_EQ(table.count, 40);
   i32* buffer = table.data;
   EXPECT_TRUE(table.SizeSet(5));
   EXPECT_EQ(table.data, buffer);
   EXPECT_EQ(table.capacity, 40);
   EXPECT_EQ(table.count, 5);
   EXPECT_FALSE(table.SizeSet(-1));
}

TEST_F(TableTest, ClassItemsAreWholeObjects)
{
   // std::string owns memory: a table that copies bytes or skips construction would corrupt it.
   Table<std::string> table;
   table.SizeSet(3);
   EXPECT_EQ(table[2], "");
   for (i32 i = 0; i < 40; i++)
   {
      table.Insert(std::string(30, static_cast<char>('a' + i % 26)), i % 3);
   }
   table.Remove(std::string(30, 'a'));
   table.Move(0, table.count - 1);
   Table<std::string> copy(table);
   table.Sort([](const std::string& a, const std::string& b) { return a < b; });
   EXPECT_EQ(copy.count, table.count);
   for (i32 i = 1; i < table.count; i++)
   {
      EXPECT_LE(table[i - 1], table[i]);
   }
   table.SizeSet(1);
   Table<std::string> moved(std::move(copy));
   EXPECT_EQ(copy.count, 0);
   EXPECT_EQ(moved.count, 42);
}

TEST_F(TableTest, ListLinksAndRecyclesNodes)
{
   CountingAllocator counting;
   {
      List<i32> list(&counting);
      EXPECT_EQ(list.First(), list.End());
      list.NodePoolSizeSet(4);
      for (i32 i = 0; i < 3; i++)
      {
         list.PushBack(i);
      }
      EXPECT_EQ(list.count, 3);
      // Remove the middle one while walking.
      List<i32>::Node* node = list.First()->next;
      node = list.Remove(node);
      EXPECT_EQ(node->value, 2);
      list.InsertBefore(node, 7);
      std::vector<i32> walked;
      for (auto* n = list.First(); n != list.End(); n = n->next)
      {
         walked.push_back(n->value);
      }
      EXPECT_EQ(walked, (std::vector<i32>{0, 7, 2}));
      EXPECT_EQ(list.end.previous->value, 2);
      EXPECT_EQ(list.begin.previous, nullptr);
      EXPECT_EQ(list.end.next, nullptr);
      EXPECT_EQ(counting.allocations, 3);

      list.Clear(); // a pool of 4 has room for all three
      EXPECT_EQ(list.count, 0);
      EXPECT_EQ(list.poolCount, 3);
      EXPECT_EQ(counting.frees, 0);
      list.PushBack(9);
      EXPECT_EQ(counting.allocations, 3);
      list.NodePoolSizeSet(0);
      EXPECT_EQ(list.poolCount, 0);
   }
   EXPECT_EQ(counting.allocations, counting.frees);
}

TEST_F(TableTest, ListClearKeepsNodesUpToThePoolLimit)
{
   CountingAllocator counting;
   {
      List<i32> list(&counting);
      list.NodePoolSizeSet(5);
      for (i32 i = 0; i < 5; i++)
      {
         list.PushBack(i);
      }
      // A full pool's worth: clearing and refilling must not touch the heap.
      list.Clear();
      EXPECT_EQ(list.count, 0);
      EXPECT_EQ(list.First(), list.End());
      EXPECT_EQ(list.poolCount, 5);
      EXPECT_EQ(counting.frees, 0);
      for (i32 i = 0; i < 5; i++)
      {
         list.PushBack(i);
      }
      EXPECT_EQ(counting.allocations, 5);

      // Past the limit the surplus goes back to the heap.
      list.PushBack(5);
      list.PushBack(6);
      EXPECT_EQ(counting.allocations, 7);
      list.Clear();
      EXPECT_EQ(list.poolCount, 5);
      EXPECT_EQ(counting.frees, 2);
      list.NodePoolSizeSet(0);
   }
   EXPECT_EQ(counting.allocations, counting.frees);
}
