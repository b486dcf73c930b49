// Seeded mutations of a valid atlas and a valid JSON document: flipped bytes, cut and doubled
// lines, huge and negative numbers, cut texts and failed allocations. Whatever comes back is
// used and disposed; the sanitizers and the allocation count judge each case, and a failing
// case names its seed.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "tests/tutorial/skeleton/Mutations.h"
#include "tests/tutorial/skeleton/SkeletonTestSupport.h"
#include "tutorial/skeleton/Json.h"
#include "tutorial/skeleton/skAtlas.h"
#include "tutorial/skeleton/skAtlasAttachmentLoader.h"
#include "tutorial/skeleton/skMeshAttachment.h"
#include "tutorial/skeleton/skRegionAttachment.h"

namespace Corvale
{
namespace
{
using skeleton_test_support::HookedTest;
using skeleton_test_support::Mutate;
using skeleton_test_support::State;

constexpr unsigned CASES = 3000;

const char* const atlasText = "page.png\n"
                              "size: 64,32\n"
                              "format: RGBA8888\n"
                              "filter: Linear,Linear\n"
                              "repeat: none\n"
                              "head\n"
                              "  rotate: true\n"
                              "  xy: 2, 4\n"
                              "  size: 16, 8\n"
                              "  split: 1, 2, 3, 4\n"
                              "  pad: 1, 2, 3, 4\n"
                              "  orig: 20, 10\n"
                              "  offset: 1, 2\n"
                              "  index: -1\n"
                              "\n"
                              "two.png\n"
                              "format: RGB\n"
                              "filter: Nearest,MipMap\n"
                              "repeat: x\n"
                              "arm\n"
                              "  rotate: false\n"
                              "  xy: 32, 0\n"
                              "  size: 8, 16\n"
                              "  orig: 8, 16\n"
                              "  offset: 0, 0\n"
                              "  index: 3\n";

const char* const jsonText =
    "{\n"
    "\"skeleton\": { \"hash\": \"a\\\"b\", \"width\": 12.5, \"height\": -3e2 },\n"
    "\"bones\": [ { \"name\": \"root\" }, { \"name\": \"arm\", \"parent\": \"root\",\n"
    "\"x\": 1.25, \"rotation\": 90, \"flipX\": true } ],\n"
    "\"slots\": [ { \"name\": \"s\\u00e9\", \"bone\": \"arm\", \"color\": \"ff00ffaa\" } ],\n"
    "\"events\": { \"talk\": { \"int\": 3, \"string\": \"\\ud83d\\ude00\" } },\n"
    "\"animations\": { \"animation\": { \"bones\": { \"arm\": { \"rotate\": [\n"
    "{ \"time\": 0, \"angle\": 0, \"curve\": [0.25, 0, 0.75, 1] },\n"
    "{ \"time\": 1.5, \"angle\": 180, \"curve\": \"stepped\" } ] } } } },\n"
    "\"list\": [[], {}, null, false, [1, [2, [3]]]]\n"
    "}\n";

// Visits every node as the skeleton reader would, recursing no deeper than the parse allowed.
int JsonWalk(Json* node)
{
   int nodes = 0;
   for (; node; node = node->next)
   {
      nodes++;
      if (node->name)
      {
         Json_getItem(node, node->name);
      }
      if (node->type == Json_Object)
      {
         Json_getString(node, "NAME", nullptr);
         Json_getFloat(node, "x", 0);
         Json_getInt(node, "int", 0);
      }
      nodes += JsonWalk(node->child);
   }
   return nodes;
}

// Makes every attachment kind on every region.
void AtlasUse(skAtlas* atlas)
{
   skAtlasAttachmentLoader* loader = skAtlasAttachmentLoader_create(atlas);
   if (!loader)
   {
      return;
   }
   for (skAtlasRegion* region = atlas->regions; region; region = region->next)
   {
      for (skAttachmentType type : {SK_ATTACHMENT_REGION, SK_ATTACHMENT_MESH})
      {
         skAttachment* attachment =
             skAttachmentLoader_newAttachment(loader, nullptr, type, "a", region->name);
         if (!attachment)
         {
            continue;
         }
         if (type == SK_ATTACHMENT_REGION)
         {
            skRegionAttachment* quad = static_cast<skRegionAttachment*>(attachment);
            quad->width = static_cast<float>(region->width);
            quad->height = static_cast<float>(region->height);
            skRegionAttachment_updateOffset(quad);
         }
         else
         {
            skMeshAttachment* mesh = static_cast<skMeshAttachment*>(attachment);
            mesh->regionUVs = SK_ALLOC(float, 4);
            mesh->verticesCount = mesh->regionUVs ? 4 : 0;
            skMeshAttachment_updateUVs(mesh);
         }
         skAttachment_dispose(attachment);
      }
   }
   skAttachmentLoader_dispose(loader);
}

class FuzzTest : public HookedTest
{
 protected:
   // Mutates text for each seed and hands the exact bytes to read; some cases also fail one
   // allocation.
   template <class Read> void Run(const std::string& text, Read read)
   {
      for (unsigned seed = 0; seed < CASES; ++seed)
      {
         std::mt19937 random(seed);
         const std::vector<char> mutated = Exact(Mutate(text, random));
         State().allocations = 0;
         State().failAt = seed % 4 == 3 ? static_cast<long>(random() % 40) : -1;
         read(mutated);
         State().failAt = -1;
         ASSERT_EQ(State().live, 0) << "seed " << seed;
         ASSERT_EQ(State().texturesLive, 0) << "seed " << seed;
      }
   }
};

TEST_F(FuzzTest, MutatedAtlases)
{
   int read = 0;
   Run(atlasText,
       [&](const std::vector<char>& text)
       {
          skAtlas* atlas = skAtlas_create(text.data(), static_cast<i32>(text.size()), "dir");
          if (atlas)
          {
             read++;
             AtlasUse(atlas);
             skAtlas_dispose(atlas);
          }
       });
   // Both outcomes must have been exercised for the run to mean anything.
   EXPECT_GT(read, 0);
   EXPECT_LT(read, static_cast<int>(CASES));
}

TEST_F(FuzzTest, MutatedJSONDocuments)
{
   int read = 0;
   Run(jsonText,
       [&](const std::vector<char>& text)
       {
          Json* json = Json_create(text.data(), static_cast<i32>(text.size()));
          if (json)
          {
             read++;
             EXPECT_GT(JsonWalk(json), 0);
             Json_dispose(json);
          }
          else
          {
             ASSERT_NE(Json_getError(), nullptr);
          }
       });
   EXPECT_GT(read, 0);
   EXPECT_LT(read, static_cast<int>(CASES));
}
} // namespace
} // namespace Corvale
