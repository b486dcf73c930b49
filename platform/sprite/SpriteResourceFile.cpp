// Sprite resource files: the document, and the animations created from it on demand.
#include "platform/sprite/SpriteResourceFile.h"

#include "core/FileManager.h"
#include "core/JSONParser.h"
#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "platform/sprite/SpriteAnimation.h"

namespace Corvale
{
bool SpriteResourceFile::Init(const char* fileName)
{
   referenceCount = 1;
   if (!fileName)
   {
      WarningPrintf("SpriteResourceFile::Init -- failed to load sprite resource file: \"%s\"\n", "");
      return false;
   }
   JSONParser parser;
   document = parser.GraphicsPathLoad(fileName, fileManagerResource);
   if (!document)
   {
      WarningPrintf("SpriteResourceFile::Init -- failed to load sprite resource file: \"%s\"\n", fileName);
      return false;
   }
   name = StringDuplicate(fileName, HEAP_DEFAULT);
   return true;
}

void SpriteResourceFile::AnimationDestroy(AnimationMap::Node* node)
{
   SpriteAnimation* animation = node->value;
   // The key is our copy, still needed by the removal itself.
   const char* key = node->key;
   animations.Remove(key);
   MemoryFree(const_cast<char*>(key));
   animation->Deinit();
   MemoryDelete(animation);
}

void SpriteResourceFile::Deinit()
{
   for (AnimationMap::Node* node = animations.First(); node != animations.End(); node = animations.Next(node))
   {
      node->value->Deinit();
      MemoryDelete(node->value);
      MemoryFree(const_cast<char*>(node->key));
   }
   animations.Clear();
   MemoryFree(name);
   name = nullptr;
   if (document)
   {
      MemoryDelete(document);
   }
   document = nullptr;
}

SpriteAnimation* SpriteResourceFile::AnimationGet(const char* animationName)
{
   if (!animationName || !document)
   {
      return nullptr;
   }
   AnimationMap::Node* node = animations.Find(animationName);
   if (node != animations.End())
   {
      node->value->referenceCount++;
      referenceCount++;
      return node->value;
   }
   JSONValue* spec = document->ItemFind(animationName);
   if (!spec || spec->TypeGet() == JSONValue::TYPE_NULL)
   {
      return nullptr;
   }
   SpriteAnimation* animation = MemoryNew<SpriteAnimation>(HEAP_DEFAULT);
   char* key = StringDuplicate(animationName, HEAP_DEFAULT);
   if (!animation || !key)
   {
      WarningPrintf("SpriteResourceFile::AnimationGet -- out of memory for animation \"%s\"\n",
                    animationName);
      MemoryDelete(animation);
      MemoryFree(key);
      return nullptr;
   }
   animation->Init(animationName, spec, this);
   if (!animations.Insert(key, animation))
   {
      WarningPrintf("SpriteResourceFile::AnimationGet -- unable to add animation \"%s\"\n", animationName);
      animation->Deinit();
      MemoryDelete(animation);
      MemoryFree(key);
      return nullptr;
   }
   referenceCount++;
   return animation;
}

SpriteAnimation* SpriteResourceFile::AnimationLoadedGet(const char* animationName)
{
   if (!animationName)
   {
      return nullptr;
   }
   AnimationMap::Node* node = animations.Find(animationName);
   return node != animations.End() ? node->value : nullptr;
}

void SpriteResourceFile::AnimationRelease(SpriteAnimation* animation)
{
   if (!animation)
   {
      return;
   }
   referenceCount--;
   if (--animation->referenceCount > 0)
   {
      return;
   }
   for (AnimationMap::Node* node = animations.First(); node != animations.End(); node = animations.Next(node))
   {
      if (node->value == animation)
      {
         AnimationDestroy(node);
         return;
      }
   }
}

void SpriteResourceFile::Preload()
{
   if (!document)
   {
      return;
   }
   for (JSONValue::Iterator it = document->ItemsBegin(); it.ValidCheck(); it.Next())
   {
      // The preload's own count on the file is only taken for an animation that exists;
      // otherwise nothing would ever give it back.
      if (AnimationGet(it.node->key))
      {
         referenceCount++;
      }
   }
}

void SpriteResourceFile::UndoPreload()
{
   AnimationMap::Node* node = animations.First();
   while (node != animations.End())
   {
      // Nodes stay where they are while others leave the map, so the next one is safe to keep.
      AnimationMap::Node* next = animations.Next(node);
      referenceCount -= 2;
      if (--node->value->referenceCount <= 0)
      {
         AnimationDestroy(node);
      }
      node = next;
   }
}
} // namespace Corvale
