// Sprite resource files for the iterative loader: one animation per step, so that a file of many
// animations does not stall the loading screen.
#include "platform/loader/LoaderIterativeDelegateSpriteResourceFile.h"

#include "core/Log.h"
#include "core/StringHelpers.h"
#include "platform/sprite/SpriteAnimation.h"
#include "platform/sprite/SpriteManager.h"
#include "platform/sprite/SpriteResourceFile.h"

namespace Corvale
{
void LoaderIterativeDelegateSpriteResourceFile::SpecificationSet(JSONValue* item)
{
   LoaderIterativeDelegate::SpecificationSet(item);
   resource = nullptr;
   stepCount = 0;
   member = JSONValue::Iterator();
   done = 0;
}

bool LoaderIterativeDelegateSpriteResourceFile::FilenameGet(JSONValue* item, char* buffer, u32 size)
{
   const char* name = FilenameFind(item);
   if (!name)
   {
      WarningPrintf("LoaderIterativeDelegateSpriteResourceFile::FilenameGet -- Sprite resource filename "
                    "not specified.\n");
      return false;
   }
   // A cut name would load some other file.
   if (!NultStrncpy(buffer, name, size))
   {
      WarningPrintf("LoaderIterativeDelegateSpriteResourceFile::FilenameGet -- Sprite resource filename "
                    "too long: \"%s\".\n",
                    name);
      return false;
   }
   return true;
}

void LoaderIterativeDelegateSpriteResourceFile::Update()
{
   SpriteStep();
}

void LoaderIterativeDelegateSpriteResourceFile::SpriteStep()
{
   if (done)
   {
      return;
   }
   if (!resource)
   {
      char name[LOADER_FILENAME_SIZE];
      if (FilenameGet(specification, name, sizeof(name)))
      {
         // A file that fails to load is reported by the sprite manager.
         resource = SpriteManager::ResourceFileLoad(name);
         if (resource && resource->document)
         {
            member = resource->document->ItemsBegin();
            return;
         }
         if (resource)
         {
            WarningPrintf("LoaderIterativeDelegateSpriteResourceFile::Update -- Unable to get sprite file "
                          "specifications.\n");
         }
      }
      done = 1;
      return;
   }
   if (member.ValidCheck())
   {
      // A member that is no animation is logged by the sprite manager and holds nothing.
      SpriteManager::AnimationGet(resource->name, member.node->key);
      stepCount++;
      member.Next();
   }
   if (!member.ValidCheck())
   {
      done = 1;
   }
}

float LoaderIterativeDelegateSpriteResourceFile::ProgressGet()
{
   if (!resource)
   {
      return done ? 100.0f : 0.0f;
   }
   i32 total = resource->document ? resource->document->CountGet() : 0;
   if (total <= 0)
   {
      return 100.0f;
   }
   return static_cast<float>(stepCount) / static_cast<float>(total) * 100.0f;
}

void LoaderIterativeDelegateSpriteResourceFile::Unload()
{
   if (resource)
   {
      // The handled members are the first stepCount in key order. Each gives back what
      // AnimationGet took (its animation's count and two on the file); the file survives this
      // because the reference of its own load goes last.
      if (resource->document)
      {
         JSONValue::Iterator handled = resource->document->ItemsBegin();
         for (i32 i = 0; i < stepCount && handled.ValidCheck(); ++i, handled.Next())
         {
            SpriteAnimation* animation = resource->AnimationLoadedGet(handled.node->key);
            if (animation)
            {
               SpriteManager::AnimationRelease(animation);
            }
         }
      }
      if (--resource->referenceCount < 1)
      {
         SpriteManager::ResourceFileRemove(resource);
      }
      resource = nullptr;
   }
   member = JSONValue::Iterator();
   done = 0;
   stepCount = 0;
}

void LoaderIterativeDelegateSpriteResourceFile::Release(JSONValue* item)
{
   char name[LOADER_FILENAME_SIZE];
   if (FilenameGet(item, name, sizeof(name)) && SpriteManager::ResourceFileGet(name))
   {
      // A complete load holds every animation of the file once, as a preload does.
      SpriteManager::UndoPreload(name);
   }
}
} // namespace Corvale
