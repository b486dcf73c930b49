// Hooks for the runtime tests: a counting allocator that can fail its k-th allocation, files
// served from memory and a page texture of a fixed size that can be made to fail.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "tutorial/skeleton/skAtlas.h"
#include "tutorial/skeleton/skHooks.h"

namespace Corvale
{
namespace skeleton_test_support
{
struct HookState
{
   long allocations = 0; // attempts, failed ones included
   long live = 0;
   long failAt = -1;   // the attempt (0-based) that returns null; -1 for none
   size_t largest = 0; // the largest block asked for
   std::map<std::string, std::string> files;
   std::vector<std::string> readPaths;
   std::vector<std::string> texturePaths;
   int textureWidth = 64;
   int textureHeight = 32;
   bool textureFails = false;
   long texturesLive = 0;
};

inline HookState& State()
{
   static HookState state;
   return state;
}

inline void* CountingMalloc(size_t size)
{
   HookState& state = State();
   state.largest = size > state.largest ? size : state.largest;
   if (state.allocations++ == state.failAt)
   {
      return nullptr;
   }
   void* block = std::malloc(size ? size : 1);
   state.live += block ? 1 : 0;
   return block;
}

inline void CountingFree(void* block)
{
   State().live--;
   std::free(block);
}

// Exactly the file's bytes in a block of its own size, so that ASan sees any read past them.
inline char* MemoryReadFile(const char* path, i32* length)
{
   HookState& state = State();
   state.readPaths.push_back(path);
   auto found = state.files.find(path);
   if (found == state.files.end())
   {
      return nullptr;
   }
   char* text = static_cast<char*>(_skMalloc(found->second.size(), __FILE__, __LINE__));
   if (text)
   {
      std::memcpy(text, found->second.data(), found->second.size());
      *length = static_cast<i32>(found->second.size());
   }
   return text;
}

inline void FixedCreateTexture(skAtlasPage* page, const char* path)
{
   HookState& state = State();
   state.texturePaths.push_back(path);
   if (state.textureFails)
   {
      return;
   }
   static int token;
   page->rendererObject = &token;
   page->width = state.textureWidth;
   page->height = state.textureHeight;
   state.texturesLive++;
}

inline void FixedDisposeTexture(skAtlasPage* page)
{
   if (page->rendererObject)
   {
      State().texturesLive--;
   }
}

// Installs the hooks for each test and checks after it that every block and texture was given
// back, whatever path the test took.
class HookedTest : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      State() = HookState();
      skHooks_setMalloc(CountingMalloc);
      skHooks_setDebugMalloc(nullptr);
      skHooks_setFree(CountingFree);
      skHooks_setReadFile(MemoryReadFile);
      skHooks_setCreateTexture(FixedCreateTexture);
      skHooks_setDisposeTexture(FixedDisposeTexture);
   }

   void TearDown() override
   {
      EXPECT_EQ(State().live, 0) << "runtime blocks left allocated";
      EXPECT_EQ(State().texturesLive, 0) << "page textures left";
   }

   // A copy of text in a heap block of exactly its length, no terminator.
   static std::vector<char> Exact(const std::string& text)
   {
      return std::vector<char>(text.begin(), text.end());
   }
};
} // namespace skeleton_test_support
} // namespace Corvale
