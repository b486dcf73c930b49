// ResourceCache<T>: reference counts, contexts as part of the key, release by name and by pointer.
#include <gtest/gtest.h>

#include "core/Memory.h"
#include "core/ResourceCache.h"
#include "core/StringHelpers.h"

using namespace Corvale;

namespace
{
class ResourceCacheTest : public ::testing::Test
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

struct Texture
{
   i32 id;
};

FileManager* const archiveA = reinterpret_cast<FileManager*>(uptr{0x1000});
FileManager* const archiveB = reinterpret_cast<FileManager*>(uptr{0x2000});
FileManager* const archiveC = reinterpret_cast<FileManager*>(uptr{0x3000});
} // namespace

TEST_F(ResourceCacheTest, KeyCRCIsTheStandardOne)
{
   EXPECT_EQ(StringCRC32("123456789"), 0xCBF43926u);
   EXPECT_EQ(StringCRC32(""), 0u);
}

TEST_F(ResourceCacheTest, CountsReferencesAndHandsBackOnTheLastRelease)
{
   ResourceCache<Texture> cache;
   Texture texture{1};
   char name[] = "Sprites/Cards/Back";
   EXPECT_EQ(cache.Get(name, archiveA), nullptr);
   cache.Add(name, archiveA, &texture);
   name[0] = 'X'; // the cache holds its own copy of the name
   EXPECT_EQ(cache.Get("Sprites/Cards/Back", archiveA), &texture);
   EXPECT_EQ(cache.Find("Sprites/Cards/Back", archiveA), &texture);

   ResourceCache<Texture>::Iterator iterator;
   ASSERT_TRUE(cache.ResourceFind(&texture, &iterator));
   EXPECT_EQ(iterator.node->value->referenceCount, 2);
   EXPECT_EQ(iterator.node->value->extra, nullptr);

   EXPECT_EQ(cache.Release("Sprites/Cards/Back", archiveA), nullptr);
   EXPECT_EQ(iterator.node->value->referenceCount, 1);
   EXPECT_EQ(cache.Release("Sprites/Cards/Back", archiveA), &texture);
   EXPECT_EQ(cache.Find("Sprites/Cards/Back", archiveA), nullptr);
   EXPECT_EQ(cache.map.count, 0);
   EXPECT_EQ(cache.Release("Sprites/Cards/Back", archiveA), nullptr);
}

TEST_F(ResourceCacheTest, ContextIsPartOfTheKey)
{
   ResourceCache<Texture> cache;
   Texture a{1};
   Texture b{2};
   cache.Add("Fonts/Main", archiveA, &a);
   cache.Add("Fonts/Main", archiveB, &b);
   EXPECT_EQ(cache.map.count, 2);
   EXPECT_EQ(cache.Get("Fonts/Main", archiveA), &a);
   EXPECT_EQ(cache.Get("Fonts/Main", archiveB), &b);
   EXPECT_EQ(cache.Get("Fonts/Main", archiveC), nullptr);
   EXPECT_EQ(cache.Get("fonts/main", archiveA), nullptr);
   cache.Clear();
   EXPECT_EQ(cache.map.count, 0);
}

TEST_F(ResourceCacheTest, ReleaseByResourceAndIgnoredAdds)
{
   ResourceCache<Texture> cache(HEAP_DEBUG);
   Texture textures[20];
   char name[32];
   for (i32 i = 0; i < 20; i++)
   {
      textures[i].id = i;
      NultSnprintf(name, sizeof(name), "Texture%02d", i);
      cache.Add(name, archiveA, &textures[i]);
   }
   cache.Add(nullptr, archiveA, &textures[0]);
   cache.Add("Null", archiveA, nullptr);
   EXPECT_EQ(cache.map.count, 20);
   EXPECT_EQ(cache.Get(nullptr, archiveA), nullptr);

   cache.Get("Texture07", archiveA);
   EXPECT_EQ(cache.ResourceRelease(&textures[7]), nullptr);
   EXPECT_EQ(cache.ResourceRelease(&textures[7]), &textures[7]);
   Texture stranger{99};
   EXPECT_EQ(cache.ResourceRelease(&stranger), nullptr);
   EXPECT_FALSE(cache.ResourceFind(&textures[7], nullptr));
   // Other entries are untouched by the removal.
   for (i32 i = 0; i < 20; i++)
   {
      NultSnprintf(name, sizeof(name), "Texture%02d", i);
      EXPECT_EQ(cache.Find(name, archiveA), i == 7 ? nullptr : &textures[i]) << name;
   }
   // Releasing everything by pointer empties the cache.
   for (i32 i = 0; i < 20; i++)
   {
      if (i != 7)
      {
         EXPECT_EQ(cache.ResourceRelease(&textures[i]), &textures[i]);
      }
   }
   EXPECT_EQ(cache.map.count, 0);
}
