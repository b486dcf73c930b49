// The table of loaded sprite resource files and the counting rules between files and animations.
#include "platform/sprite/SpriteManager.h"

#include <cstring>

#include "core/FileManager.h"
#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/StringHelpers.h"
#include "platform/sprite/SpriteAnimation.h"
#include "platform/sprite/SpriteResourceFile.h"

namespace Corvale
{
Table<SpriteResourceFile*> SpriteManager::resourceFiles;

SpriteResourceFile* SpriteManager::ResourceFileGet(const char* name)
{
   if (!name)
   {
      return nullptr;
   }
   for (i32 i = 0; i < resourceFiles.count; ++i)
   {
      if (resourceFiles[i]->name && std::strcmp(resourceFiles[i]->name, name) == 0)
      {
         return resourceFiles[i];
      }
   }
   return nullptr;
}

SpriteResourceFile* SpriteManager::ResourceFileLoad(const char* name)
{
   SpriteResourceFile* file = ResourceFileGet(name);
   if (file)
   {
      file->referenceCount++;
      return file;
   }
   file = MemoryNew<SpriteResourceFile>(HEAP_DEFAULT);
   if (!file)
   {
      WarningPrintf("SpriteManager::ResourceFileLoad -- out of memory for \"%s\"\n", name ? name : "");
      return nullptr;
   }
   if (!file->Init(name) || !resourceFiles.Insert(file, resourceFiles.count))
   {
      file->Deinit();
      MemoryDelete(file);
      return nullptr;
   }
   return file;
}

void SpriteManager::ResourceFileRemove(SpriteResourceFile* file)
{
   if (!file || resourceFiles.Find(file) < 0)
   {
      return;
   }
   resourceFiles.Remove(file);
   file->Deinit();
   MemoryDelete(file);
}

void SpriteManager::ResourceFileReferenceDrop(SpriteResourceFile* file)
{
   if (file && --file->referenceCount < 1)
   {
      ResourceFileRemove(file);
   }
}

SpriteAnimation* SpriteManager::AnimationGet(const char* fileName, const char* animationName)
{
   if (!fileName || !animationName)
   {
      return nullptr;
   }
   SpriteResourceFile* file = ResourceFileLoad(fileName);
   if (!file)
   {
      return nullptr;
   }
   SpriteAnimation* animation = file->AnimationGet(animationName);
   if (!animation)
   {
      WarningPrintf("SpriteManager -- Unable to find sprite animation \"%s\" in resource file \"%s\"\n",
                    animationName, fileName);
      ResourceFileReferenceDrop(file);
   }
   return animation;
}

void SpriteManager::AnimationRelease(SpriteAnimation* animation)
{
   if (!animation || !animation->resourceFile)
   {
      return;
   }
   SpriteResourceFile* file = animation->resourceFile;
   file->AnimationRelease(animation);
   ResourceFileReferenceDrop(file);
}

bool SpriteManager::AnimationExistsCheck(const char* fileName, const char* animationName)
{
   if (!fileName || !fileManagerResource)
   {
      return false;
   }
   char path[FILE_PATH_SIZE];
   if (!NultSnprintf(path, sizeof(path), "%s.json", fileName) ||
       !fileManagerResource->GraphicsPathSearch(path, nullptr, 0))
   {
      return false;
   }
   SpriteResourceFile* file = ResourceFileLoad(fileName);
   if (!file)
   {
      return false;
   }
   bool exists = false;
   if (animationName && file->document && file->document->TypeGet() == JSONValue::TYPE_OBJECT)
   {
      JSONValue* member = file->document->ItemFind(animationName);
      exists = member && member->TypeGet() != JSONValue::TYPE_NULL;
   }
   ResourceFileReferenceDrop(file);
   return exists;
}

void SpriteManager::UndoPreload(const char* name)
{
   SpriteResourceFile* file = ResourceFileGet(name);
   if (!file)
   {
      return;
   }
   file->UndoPreload();
   ResourceFileReferenceDrop(file);
}

void SpriteManager::Deinit()
{
   for (i32 i = 0; i < resourceFiles.count; ++i)
   {
      resourceFiles[i]->Deinit();
      MemoryDelete(resourceFiles[i]);
   }
   resourceFiles = Table<SpriteResourceFile*>();
}
} // namespace Corvale
