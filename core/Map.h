// Map<K,V>: the engine's ordered map, an AA tree with parent links for iteration, sentinel nodes
// in place of null links and a pool of recycled nodes. Nodes never move while they are in the map.
#pragma once

#include <cstring>
#include <new>
#include <type_traits>
#include <utility>

#include "core/Allocator.h"
#include "core/Log.h"
#include "core/NodePool.h"
#include "core/Types.h"

namespace Corvale
{
// The less-than a map uses unless its owner passes another: texts byte-wise (unsigned), pointers
// by address, everything else by its own operator<.
template <class K> struct MapLessDefault
{
   static bool Less(const K* a, const K* b) { return *a < *b; }
};
template <> struct MapLessDefault<const char*>
{
   static bool Less(const char* const* a, const char* const* b) { return std::strcmp(*a, *b) < 0; }
};
template <> struct MapLessDefault<char*>
{
   static bool Less(char* const* a, char* const* b) { return std::strcmp(*a, *b) < 0; }
};
template <class P> struct MapLessDefault<P*>
{
   static bool Less(P* const* a, P* const* b)
   {
      return reinterpret_cast<uptr>(*a) < reinterpret_cast<uptr>(*b);
   }
};

template <class K, class V> struct MapNode
{
   K key;
   V value;
   u32 level;
   MapNode* parent;
   MapNode* left;
   MapNode* right;
};

// The pool chains spare nodes through their right links.
template <class K, class V> class Map : public NodePool<MapNode<K, V>, &MapNode<K, V>::right>
{
 public:
   typedef bool (*LessFunction)(const K* a, const K* b);
   typedef MapNode<K, V> Node;
   typedef NodePool<Node, &Node::right> Pool;
   using Pool::allocator;
   using Pool::NodePoolSizeSet;

   // A position in the map; valid while it names an entry rather than a sentinel.
   struct Iterator
   {
      Node* node = nullptr;
      Map* map = nullptr;

      bool ValidCheck() const
      {
         return node && map && node != &map->beforeBegin && node != &map->end && node != map->bottom;
      }
      void Next() { node = map->Next(node); }
   };

   i32 count = 0;
   LessFunction less;
   Node* root;
   Node bottomNode;
   Node* bottom;
   Node beforeBegin;
   Node end;

   explicit Map(Allocator* allocatorUsed = allocatorDefault) : Map(&MapLessDefault<K>::Less, allocatorUsed) {}
   Map(LessFunction lessUsed, Allocator* allocatorUsed)
       : Pool(allocatorUsed), less(lessUsed), bottomNode(), beforeBegin(), end()
   {
      bottom = &bottomNode;
      bottomNode.level = 0;
      bottomNode.parent = bottom;
      bottomNode.left = bottom;
      bottomNode.right = bottom;
      SentinelInit(&beforeBegin);
      SentinelInit(&end);
      root = bottom;
   }

   // Leaves point at this map's own bottom sentinel, so a move relinks them.
   Map(Map&& other) noexcept : Map(other.less, other.allocator) { Take(other); }
   Map& operator=(Map&& other) noexcept
   {
      if (this != &other)
      {
         Clear();
         NodePoolSizeSet(0);
         less = other.less;
         allocator = other.allocator;
         Take(other);
      }
      return *this;
   }
   Map(const Map&) = delete;
   Map& operator=(const Map&) = delete;

   ~Map()
   {
      Clear();
      NodePoolSizeSet(0);
   }

   // False when the key is present already; the stored entry is left as it was.
   bool Insert(const K& key, const V& value)
   {
      Node* node = this->NodeTake("Map::Insert");
      if (!node)
      {
         return false;
      }
      new (&node->key) K(key);
      new (&node->value) V(value);
      node->level = 1;
      node->parent = bottom;
      node->left = bottom;
      node->right = bottom;
      bool inserted = false;
      root = InsertHelper(root, node, inserted);
      root->parent = bottom;
      if (!inserted)
      {
         NodeGive(node);
         return false;
      }
      count++;
      return true;
   }

   bool Remove(const K& key)
   {
      RemoveContext context;
      context.key = &key;
      context.last = bottom;
      context.candidate = bottom;
      context.removed = nullptr;
      context.replacement = nullptr;
      root = RemoveHelper(root, context);
      if (root != bottom)
      {
         root->parent = bottom;
      }
      if (!context.removed)
      {
         return false;
      }
      count--;
      NodeGive(context.removed);
      return true;
   }

   // Removes the entry that the iterator names; the iterator is invalid afterwards.
   bool Erase(const Iterator& iterator)
   {
      if (!iterator.ValidCheck() || iterator.map != this)
      {
         return false;
      }
      return Remove(iterator.node->key);
   }

   Node* Find(const K& key) const { return Find(key, root); }
   Node* Find(const K& key, Node* start) const
   {
      Node* node = start;
      while (node != bottom)
      {
         if (less(&key, &node->key))
         {
            node = node->left;
         }
         else if (less(&node->key, &key))
         {
            node = node->right;
         }
         else
         {
            return node;
         }
      }
      return const_cast<Node*>(&end);
   }

   Node* First()
   {
      if (root == bottom)
      {
         return &end;
      }
      Node* node = root;
      while (node->left != bottom)
      {
         node = node->left;
      }
      return node;
   }

   Node* Next(Node* node)
   {
      if (node == &beforeBegin)
      {
         return First();
      }
      if (!node || node == bottom || node == &end || root == bottom)
      {
         return &end;
      }
      if (node->right != bottom)
      {
         node = node->right;
         while (node->left != bottom)
         {
            node = node->left;
         }
         return node;
      }
      Node* parent = node->parent;
      while (parent != bottom && node == parent->right)
      {
         node = parent;
         parent = parent->parent;
      }
      return parent == bottom ? &end : parent;
   }

   Node* End() { return &end; }
   Node* BeforeBegin() { return &beforeBegin; }
   Iterator Begin() { return Iterator{First(), this}; }

   void Clear()
   {
      Node* node = PostOrderFirst(root);
      while (node != bottom)
      {
         Node* next = PostOrderNext(node);
         // Counted out first: a node still counted as in use would make the pool look full.
         count--;
         NodeGive(node);
         node = next;
      }
      count = 0;
      root = bottom;
   }

   // Post-order walk: every child before its parent, so nodes can be released as they are met.
   Node* PostOrderFirst(Node* node) const
   {
      if (node == bottom)
      {
         return bottom;
      }
      for (;;)
      {
         if (node->left != bottom)
         {
            node = node->left;
         }
         else if (node->right != bottom)
         {
            node = node->right;
         }
         else
         {
            return node;
         }
      }
   }
   Node* PostOrderNext(Node* node) const
   {
      Node* parent = node->parent;
      if (parent == bottom)
      {
         return bottom;
      }
      if (node == parent->left && parent->right != bottom)
      {
         return PostOrderFirst(parent->right);
      }
      return parent;
   }

   Node* Skew(Node* node)
   {
      if (node == bottom || node->left->level != node->level)
      {
         return node;
      }
      Node* left = node->left;
      node->left = left->right;
      if (left->right != bottom)
      {
         left->right->parent = node;
      }
      left->right = node;
      left->parent = node->parent;
      node->parent = left;
      return left;
   }

   Node* Split(Node* node)
   {
      if (node == bottom || node->right->right->level != node->level)
      {
         return node;
      }
      Node* right = node->right;
      node->right = right->left;
      if (right->left != bottom)
      {
         right->left->parent = node;
      }
      right->left = node;
      right->parent = node->parent;
      node->parent = right;
      right->level++;
      return right;
   }

 private:
   struct RemoveContext
   {
      const K* key;
      Node* last;        // the deepest node visited
      Node* candidate;   // where the search last went right
      Node* removed;     // the node that left the tree
      Node* replacement; // the node that took its place, or null when it was a leaf
   };

   static void SentinelInit(Node* node)
   {
      node->level = 1;
      node->parent = nullptr;
      node->left = nullptr;
      node->right = nullptr;
   }

   Node* InsertHelper(Node* node, Node* inserted, bool& done)
   {
      if (node == bottom)
      {
         done = true;
         return inserted;
      }
      if (less(&inserted->key, &node->key))
      {
         node->left = InsertHelper(node->left, inserted, done);
         node->left->parent = node;
      }
      else if (less(&node->key, &inserted->key))
      {
         node->right = InsertHelper(node->right, inserted, done);
         node->right->parent = node;
      }
      else
      {
         done = false;
         return node;
      }
      node = Skew(node);
      node = Split(node);
      return node;
   }

   // Andersson's deletion, except that the successor is relinked into the removed node's place
   // instead of having its key and value copied there: entries that others point at stay put.
   Node* RemoveHelper(Node* node, RemoveContext& context)
   {
      if (node == bottom)
      {
         return node;
      }
      context.last = node;
      if (less(context.key, &node->key))
      {
         Node* child = RemoveHelper(node->left, context);
         node->left = child;
         if (child != bottom)
         {
            child->parent = node;
         }
      }
      else
      {
         context.candidate = node;
         Node* child = RemoveHelper(node->right, context);
         if (node == context.removed && context.replacement)
         {
            Node* replacement = context.replacement;
            replacement->level = node->level;
            replacement->parent = node->parent;
            replacement->left = node->left;
            if (replacement->left != bottom)
            {
               replacement->left->parent = replacement;
            }
            node = replacement;
         }
         node->right = child;
         if (child != bottom)
         {
            child->parent = node;
         }
      }

      if (node == context.last && context.candidate != bottom && !less(&context.candidate->key, context.key))
      {
         // node is the successor of the candidate (or the candidate itself, then a leaf): it leaves
         // its own place now and takes the candidate's on the way back up.
         context.removed = context.candidate;
         context.replacement = context.candidate != node ? node : nullptr;
         context.candidate = bottom;
         return node->right;
      }
      if (node->left->level < node->level - 1 || node->right->level < node->level - 1)
      {
         node->level--;
         if (node->right->level > node->level)
         {
            node->right->level = node->level;
         }
         node = Skew(node);
         if (node->right != bottom)
         {
            node->right = Skew(node->right);
            if (node->right->right != bottom)
            {
               node->right->right = Skew(node->right->right);
            }
         }
         node = Split(node);
         if (node->right != bottom)
         {
            node->right = Split(node->right);
         }
      }
      return node;
   }

   // Key and value are destroyed; the node is kept for reuse while the pool has room.
   void NodeGive(Node* node)
   {
      node->key.~K();
      node->value.~V();
      this->NodeRecycle(node, count);
   }

   void Take(Map& other)
   {
      count = other.count;
      root = other.root == other.bottom ? bottom : other.root;
      this->PoolTake(other);
      // Walk the other map's tree by its own sentinel (an empty tree is just that sentinel).
      for (Node* node = PostOrderFirstOf(other.root, other.bottom); node != other.bottom;)
      {
         Node* next = node->parent == other.bottom ? other.bottom : PostOrderNextOf(node, other.bottom);
         if (node->left == other.bottom)
         {
            node->left = bottom;
         }
         if (node->right == other.bottom)
         {
            node->right = bottom;
         }
         if (node->parent == other.bottom)
         {
            node->parent = bottom;
         }
         node = next;
      }
      other.count = 0;
      other.root = other.bottom;
   }

   static Node* PostOrderFirstOf(Node* node, Node* sentinel)
   {
      if (node == sentinel)
      {
         return sentinel;
      }
      for (;;)
      {
         if (node->left != sentinel)
         {
            node = node->left;
         }
         else if (node->right != sentinel)
         {
            node = node->right;
         }
         else
         {
            return node;
         }
      }
   }
   static Node* PostOrderNextOf(Node* node, Node* sentinel)
   {
      Node* parent = node->parent;
      if (node == parent->left && parent->right != sentinel)
      {
         return PostOrderFirstOf(parent->right, sentinel);
      }
      return parent;
   }
};
} // namespace Corvale
