// NodePool: the spare nodes of a linked container, chained through one of the node's own links so
// that keeping them costs nothing, and handed out again before the allocator is asked.
#pragma once

#include "core/Allocator.h"
#include "core/Log.h"
#include "core/Types.h"

namespace Corvale
{
template <class Node, Node* Node::*link> class NodePool
{
 public:
   // Spare and live nodes together stay within poolLimit; the rest go back to the heap.
   i32 poolLimit = 0;
   i32 poolCount = 0;
   Node* pool = nullptr;
   Allocator* allocator = allocatorDefault;

   NodePool() = default;
   explicit NodePool(Allocator* allocatorUsed) : allocator(allocatorUsed) {}

   void NodePoolSizeSet(i32 n)
   {
      poolLimit = n;
      while (poolCount > poolLimit && pool)
      {
         Node* node = pool;
         pool = node->*link;
         poolCount--;
         NodeFree(node);
      }
   }

 protected:
   // Containers constructed before the allocators exist (static objects) pick the default one up late.
   Allocator* AllocatorGet()
   {
      if (!allocator)
      {
         allocator = allocatorDefault;
      }
      return allocator;
   }

   // Raw memory for a node; its contents are for the caller to construct. The warning names the
   // container operation that ran out of memory.
   Node* NodeTake(const char* failure)
   {
      if (pool)
      {
         Node* node = pool;
         pool = node->*link;
         poolCount--;
         return node;
      }
      Node* node = AllocatorGet() ? static_cast<Node*>(allocator->Allocate(sizeof(Node))) : nullptr;
      if (!node)
      {
         WarningPrintf("%s -- unable to allocate a node\n", failure);
      }
      return node;
   }

   // The node's contents are already destroyed and it no longer counts among the inUse live ones.
   void NodeRecycle(Node* node, i32 inUse)
   {
      if (poolCount + inUse < poolLimit)
      {
         node->*link = pool;
         pool = node;
         poolCount++;
      }
      else
      {
         NodeFree(node);
      }
   }

   void NodeFree(Node* node)
   {
      if (AllocatorGet())
      {
         allocator->Free(node);
      }
   }

   // The other container's spares become ours; it is left with none.
   void PoolTake(NodePool& other)
   {
      pool = other.pool;
      poolCount = other.poolCount;
      poolLimit = other.poolLimit;
      other.pool = nullptr;
      other.poolCount = 0;
   }
};
} // namespace Corvale
