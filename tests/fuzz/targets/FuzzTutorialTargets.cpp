// Fuzz targets of the skeletal-animation readers: a skeleton file read against Klondike's tutorial
// atlas and, when it reads, posed and played for some frames; the runtime's own JSON reader, its
// tree walked with every lookup; and an atlas, its regions found and turned into attachments.
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/fuzz/harness/FuzzEnvironment.h"
#include "tests/fuzz/targets/FuzzTargetList.h"
#include "tutorial/skeleton/Json.h"
#include "tutorial/skeleton/skAnimationState.h"
#include "tutorial/skeleton/skAnimationStateData.h"
#include "tutorial/skeleton/skAtlas.h"
#include "tutorial/skeleton/skAtlasAttachmentLoader.h"
#include "tutorial/skeleton/skHooks.h"
#include "tutorial/skeleton/skRegionAttachment.h"
#include "tutorial/skeleton/skSkeleton.h"
#include "tutorial/skeleton/skSkeletonData.h"
#include "tutorial/skeleton/skSkeletonJson.h"
#include "tutorial/skeleton/skSlot.h"

namespace Corvale
{
namespace Fuzz
{
namespace
{
// No GL here: a page keeps the size its atlas gives, else a size of its own.
void PageTextureCreate(skAtlasPage* page, const char*)
{
   page->rendererObject = nullptr;
   page->width = page->width > 0 ? page->width : 1024;
   page->height = page->height > 0 ? page->height : 1024;
}

void PageTextureDispose(skAtlasPage*)
{
}

// The runtime on the C library heap with texture-less pages; files are never read.
void HooksSet()
{
   skHooks_setMalloc(&std::malloc);
   skHooks_setDebugMalloc(nullptr);
   skHooks_setFree(&std::free);
   skHooks_setReadFile(nullptr);
   skHooks_setCreateTexture(&PageTextureCreate);
   skHooks_setDisposeTexture(&PageTextureDispose);
}

// Klondike's tutorial atlas from the generated data, read once; null when it is missing.
skAtlas* TutorialAtlasGet()
{
   static skAtlas* atlas = nullptr;
   static bool tried = false;
   if (!tried)
   {
      tried = true;
      const char* data = std::getenv("CORVALE_FUZZ_DATA");
      const std::string path = std::string(data && data[0] ? data : CORVALE_GENERATED_DATA) +
                               "/Graphics/Tutorials/KlondikeSolitaire/skeleton.atlas";
      std::ifstream stream(path, std::ios::binary);
      const std::string text((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
      atlas = text.empty() ? nullptr : skAtlas_create(text.data(), static_cast<i32>(text.size()), "");
   }
   return atlas;
}

// Poses and plays the data as the tutorial does, over frames of several lengths, with every skin.
void Play(skSkeletonData* data)
{
   skSkeleton* skeleton = skSkeleton_create(data);
   skAnimationStateData* stateData = skeleton ? skAnimationStateData_create(data) : nullptr;
   skAnimationState* state = stateData ? skAnimationState_create(stateData) : nullptr;
   if (state)
   {
      const float deltas[] = {0.0f, 0.016f, 0.25f, 1.5f, 40.0f};
      for (i32 a = 0; a < data->animationsCount; ++a)
      {
         skTrackEntry* entry = skAnimationState_setAnimation(state, data->animations[a]);
         if (entry)
         {
            entry->loop = a % 2;
         }
         if (data->skinsCount > 0)
         {
            skSkeleton_setSkin(skeleton, data->skins[a % data->skinsCount]);
         }
         for (float delta : deltas)
         {
            skAnimationState_update(state, delta);
            skAnimationState_apply(state, skeleton);
            skSkeleton_updateWorldTransform(skeleton);
            for (i32 i = 0; i < skeleton->slotsCount; ++i)
            {
               skSlot* slot = skeleton->drawOrder[i];
               if (slot && slot->attachment && slot->attachment->type == SK_ATTACHMENT_REGION)
               {
                  float vertices[8];
                  skRegionAttachment_computeWorldVertices(static_cast<skRegionAttachment*>(slot->attachment),
                                                          slot->bone, vertices);
               }
            }
         }
      }
      skAnimationState_dispose(state);
   }
   if (stateData)
   {
      skAnimationStateData_dispose(stateData);
   }
   if (skeleton)
   {
      skSkeleton_dispose(skeleton);
   }
}

// Every lookup on every node, to the depth the reader allows.
void JsonWalk(Json* node)
{
   for (; node; node = node->next)
   {
      const char* key = node->name ? node->name : "name";
      Json_getItem(node, key);
      Json_getString(node, key, nullptr);
      Json_getFloat(node, key, 0);
      Json_getInt(node, key, 0);
      JsonWalk(node->child);
   }
}
} // namespace

void FuzzSkeleton(const u8* data, size_t size)
{
   HooksSet();
   skAtlas* atlas = TutorialAtlasGet();
   skSkeletonJson* json = atlas ? skSkeletonJson_create(atlas) : nullptr;
   if (!json)
   {
      return;
   }
   const std::string text = FuzzEnvironment::TextGet(data, size);
   skSkeletonData* skeletonData =
       skSkeletonJson_readSkeletonData(json, text.data(), static_cast<i32>(text.size()));
   if (skeletonData)
   {
      Play(skeletonData);
      skSkeletonData_dispose(skeletonData);
   }
   skSkeletonJson_dispose(json);
}

void FuzzRuntimeJSON(const u8* data, size_t size)
{
   HooksSet();
   // Exactly the input's bytes, without a terminator: the reader must stop at their end.
   const std::string text(reinterpret_cast<const char*>(data), size);
   Json* root = Json_create(text.data(), static_cast<i32>(text.size()));
   if (!root)
   {
      Json_getError();
      return;
   }
   JsonWalk(root);
   Json_dispose(root);
}

void FuzzAtlas(const u8* data, size_t size)
{
   HooksSet();
   const std::string text(reinterpret_cast<const char*>(data), size);
   skAtlas* atlas = skAtlas_create(text.data(), static_cast<i32>(text.size()), "Fuzz");
   if (!atlas)
   {
      return;
   }
   skAtlasAttachmentLoader* loader = skAtlasAttachmentLoader_create(atlas);
   for (skAtlasRegion* region = atlas->regions; loader && region; region = region->next)
   {
      skAtlas_findRegion(atlas, region->name);
      for (skAttachmentType type : {SK_ATTACHMENT_REGION, SK_ATTACHMENT_MESH, SK_ATTACHMENT_SKINNED_MESH})
      {
         skAttachment* attachment =
             skAttachmentLoader_newAttachment(loader, nullptr, type, "fuzz", region->name);
         if (attachment && type == SK_ATTACHMENT_REGION)
         {
            skRegionAttachment_updateOffset(static_cast<skRegionAttachment*>(attachment));
         }
         if (attachment)
         {
            skAttachment_dispose(attachment);
         }
      }
   }
   if (loader)
   {
      skAttachmentLoader_dispose(loader);
   }
   skAtlas_dispose(atlas);
}
} // namespace Fuzz
} // namespace Corvale
