// Map<K,V>: AA-tree invariants under insertion and removal orders, iteration, and node stability.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <random>
#include <vector>

#include "core/Map.h"
#include "core/Memory.h"
#include "tests/TestSupport.h"

using namespace Corvale;

namespace
{
typedef Map<i32, i32> IntMap;

class MapTest : public ::testing::Test
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

// Checks levels, parent links and ordering below node; returns the subtree height.
i32 InvariantsCheck(IntMap& map, IntMap::Node* node, IntMap::Node* parent, i32& nodes)
{
   if (node == map.bottom)
   {
      return 0;
   }
   nodes++;
   EXPECT_EQ(node->parent, parent);
   EXPECT_LT(node->left->level, node->level) << "left child at the same level, key " << node->key;
   EXPECT_LE(node->right->level, node->level);
   EXPECT_LT(node->right->right->level, node->level) << "two right links at one level, key " << node->key;
   if (node->left == map.bottom && node->right == map.bottom)
   {
      EXPECT_EQ(node->level, 1u) << "leaf above level 1, key " << node->key;
   }
   if (node->level > 1)
   {
      EXPECT_NE(node->left, map.bottom);
      EXPECT_NE(node->right, map.bottom);
   }
   if (node->left != map.bottom)
   {
      EXPECT_LT(node->left->key, node->key);
   }
   if (node->right != map.bottom)
   {
      EXPECT_GT(node->right->key, node->key);
   }
   i32 left = InvariantsCheck(map, node->left, node, nodes);
   i32 right = InvariantsCheck(map, node->right, node, nodes);
   return 1 + std::max(left, right);
}

void MapMatches(IntMap& map, const std::map<i32, i32>& expected)
{
   i32 nodes = 0;
   i32 height = InvariantsCheck(map, map.root, map.bottom, nodes);
   ASSERT_EQ(nodes, map.count);
   ASSERT_EQ(static_cast<size_t>(map.count), expected.size());
   if (map.count > 0)
   {
      EXPECT_LE(height, 2 * std::log2(map.count + 1.0) + 1);
   }
   IntMap::Node* node = map.First();
   for (const auto& item : expected)
   {
      ASSERT_NE(node, map.End());
      EXPECT_EQ(node->key, item.first);
      EXPECT_EQ(node->value, item.second);
      node = map.Next(node);
   }
   EXPECT_EQ(node, map.End());
}
} // namespace

TEST_F(MapTest, IncreasingInsertKeysHeightAndInvariants)
{
   IntMap map;
   std::map<i32, i32> expected;
   for (i32 i = 1; i <= 1000; i++)
   {
      ASSERT_TRUE(map.Insert(i, i * 3));
      expected[i] = i * 3;
   }
   MapMatches(map, expected);
   i32 nodes = 0;
   EXPECT_LT(InvariantsCheck(map, map.root, map.bottom, nodes), 2 * std::log2(1001.0));
   map.Clear();
   EXPECT_EQ(map.count, 0);
   EXPECT_EQ(map.First(), map.End());
}

TEST_F(MapTest, InsertAndRemoveInManyOrdersKeepsTheTreeSound)
{
   std::mt19937 generator(12345);
   for (i32 pattern = 0; pattern < 3; pattern++)
   {
      std::vector<i32> keys;
      for (i32 i = 0; i < 600; i++)
      {
         keys.push_back(i * 7);
      }
      if (pattern == 1)
      {
         std::reverse(keys.begin(), keys.end());
      }
      else if (pattern == 2)
      {
         std::shuffle(keys.begin(), keys.end(), generator);
      }
      IntMap map;
      std::map<i32, i32> expected;
      for (i32 key : keys)
      {
         ASSERT_TRUE(map.Insert(key, -key));
         expected[key] = -key;
      }
      MapMatches(map, expected);

      // Random removals, some of absent keys, checked as they go.
      for (i32 step = 0; step < 800; step++)
      {
         i32 key = static_cast<i32>(generator() % 4300);
         bool present = expected.erase(key) > 0;
         ASSERT_EQ(map.Remove(key), present) << "key " << key;
         if (step % 50 == 0)
         {
            MapMatches(map, expected);
         }
      }
      MapMatches(map, expected);
      // Remove the rest in shuffled order down to empty.
      std::vector<i32> rest;
      for (const auto& item : expected)
      {
         rest.push_back(item.first);
      }
      std::shuffle(rest.begin(), rest.end(), generator);
      for (i32 key : rest)
      {
         ASSERT_TRUE(map.Remove(key));
         expected.erase(key);
      }
      MapMatches(map, expected);
      EXPECT_EQ(map.root, map.bottom);
   }
}

TEST_F(MapTest, InsertOfExistingKeyFailsAndKeepsTheOldValue)
{
   IntMap map;
   ASSERT_TRUE(map.Insert(5, 50));
   EXPECT_FALSE(map.Insert(5, 99));
   EXPECT_EQ(map.count, 1);
   EXPECT_EQ(map.Find(5)->value, 50);
   EXPECT_EQ(map.Find(6), map.End());
   EXPECT_FALSE(map.Remove(6));
}

TEST_F(MapTest, RemovalNeverMovesAnotherEntry)
{
   IntMap map;
   std::vector<IntMap::Node*> nodes(200);
   for (i32 i = 0; i < 200; i++)
   {
      ASSERT_TRUE(map.Insert(i, i));
   }
   for (i32 i = 0; i < 200; i++)
   {
      nodes[i] = map.Find(i);
   }
   // Remove inner nodes first (those with two children, which the textbook deletion overwrites).
   std::mt19937 generator(7);
   std::vector<i32> order(200);
   for (i32 i = 0; i < 200; i++)
   {
      order[i] = i;
   }
   std::shuffle(order.begin(), order.end(), generator);
   std::vector<bool> gone(200, false);
   for (i32 key : order)
   {
      ASSERT_TRUE(map.Remove(key));
      gone[key] = true;
      for (i32 other = 0; other < 200; other += 13)
      {
         if (!gone[other])
         {
            ASSERT_EQ(map.Find(other), nodes[other]) << "entry " << other << " moved when " << key << " left";
            ASSERT_EQ(nodes[other]->key, other);
            ASSERT_EQ(nodes[other]->value, other);
         }
      }
   }
}

TEST_F(MapTest, IterationSentinels)
{
   IntMap map;
   EXPECT_EQ(map.First(), map.End());
   EXPECT_EQ(map.Next(map.BeforeBegin()), map.End());
   EXPECT_FALSE(map.Begin().ValidCheck());
   map.Insert(2, 0);
   map.Insert(1, 0);
   map.Insert(3, 0);
   EXPECT_EQ(map.Next(map.BeforeBegin())->key, 1);
   EXPECT_EQ(map.Next(map.Find(3)), map.End());
   EXPECT_EQ(map.Next(map.End()), map.End());
   EXPECT_EQ(map.Next(map.bottom), map.End());
   IntMap::Iterator iterator = map.Begin();
   i32 seen = 0;
   for (; iterator.ValidCheck(); iterator.Next())
   {
      seen++;
   }
   EXPECT_EQ(seen, 3);
   IntMap::Iterator two{map.Find(2), &map};
   EXPECT_TRUE(map.Erase(two));
   EXPECT_EQ(map.Find(2), map.End());
   EXPECT_FALSE(map.Erase(iterator));
}

TEST_F(MapTest, TextKeysCompareBytewiseUnsigned)
{
   Map<const char*, i32> map;
   const char* keys[] = {"b", "a", "\xc3\xa9", "B", "ab", ""};
   for (i32 i = 0; i < 6; i++)
   {
      ASSERT_TRUE(map.Insert(keys[i], i));
   }
   char probe[] = "ab";
   EXPECT_EQ(map.Find(probe)->value, 4);
   std::vector<std::string> walked;
   for (auto* node = map.First(); node != map.End(); node = map.Next(node))
   {
      walked.push_back(node->key);
   }
   std::vector<std::string> expected = {"", "B", "a", "ab", "b", "\xc3\xa9"};
   EXPECT_EQ(walked, expected);
}

TEST_F(MapTest, PoolKeepsNodesUpToItsLimit)
{
   IntMap map;
   map.NodePoolSizeSet(4);
   map.Insert(1, 1);
   map.Insert(2, 2);
   EXPECT_FALSE(map.Insert(2, 3)); // the spare node goes to the pool: 1 + 2 < 4
   EXPECT_EQ(map.poolCount, 1);
   IntMap::Node* spare = map.pool;
   ASSERT_TRUE(map.Insert(3, 3));
   EXPECT_EQ(map.Find(3), spare);
   EXPECT_EQ(map.poolCount, 0);
   map.Clear();
   EXPECT_LE(map.poolCount, 4);
   map.NodePoolSizeSet(0);
   EXPECT_EQ(map.poolCount, 0);
   EXPECT_EQ(map.pool, nullptr);
}

TEST_F(MapTest, ClearKeepsNodesUpToThePoolLimit)
{
   CountingAllocator counting;
   {
      IntMap map(&counting);
      map.NodePoolSizeSet(4);
      for (i32 i = 0; i < 6; i++)
      {
         map.Insert(i, i);
      }
      EXPECT_EQ(counting.allocations, 6);
      map.Clear();
      EXPECT_EQ(map.count, 0);
      EXPECT_EQ(map.First(), map.End());
      EXPECT_EQ(map.poolCount, 4);
      EXPECT_EQ(counting.frees, 2);
      // Refilling up to the limit takes every node from the pool.
      for (i32 i = 0; i < 4; i++)
      {
         map.Insert(i, i);
      }
      EXPECT_EQ(counting.allocations, 6);
      EXPECT_EQ(map.poolCount, 0);
      map.Clear();
      map.NodePoolSizeSet(0);
      EXPECT_EQ(map.pool, nullptr);
   }
   EXPECT_EQ(counting.allocations, counting.frees);
}

TEST_F(MapTest, MoveRelinksTheBottomSentinel)
{
   IntMap source;
   for (i32 i = 0; i < 50; i++)
   {
      source.Insert(i, i);
   }
   IntMap moved(std::move(source));
   EXPECT_EQ(source.count, 0);
   EXPECT_EQ(source.First(), source.End());
   std::map<i32, i32> expected;
   for (i32 i = 0; i < 50; i++)
   {
      expected[i] = i;
   }
   MapMatches(moved, expected);
   moved.Remove(10);
   expected.erase(10);
   moved.Insert(100, 100);
   expected[100] = 100;
   MapMatches(moved, expected);
}

TEST_F(MapTest, MovingAnEmptyMapLeavesAnEmptyUsableMap)
{
   IntMap empty;
   IntMap target;
   target.Insert(1, 1);
   target = std::move(empty);
   EXPECT_EQ(target.count, 0);
   EXPECT_EQ(target.First(), target.End());
   IntMap constructed(std::move(target));
   EXPECT_EQ(constructed.First(), constructed.End());
   constructed.Insert(7, 7);
   MapMatches(constructed, std::map<i32, i32>{{7, 7}});
}
