// Fixtures of the particle tests: a resource folder with a sprite file for the particles, effect
// texts built from emitter members, and a heap wrapper that counts allocations.
#pragma once

#include <filesystem>
#include <string>

#include "core/FileManager.h"
#include "core/FileManagerStdio.h"
#include "core/GraphicsPathManager.h"
#include "core/HeapDelegate.h"
#include "core/Memory.h"
#include "core/ProgressionManager.h"
#include "platform/particle/ParticleEffect2D.h"
#include "platform/particle/ParticleEffectEmitter2D.h"
#include "platform/particle/ParticleEffectParticle2D.h"
#include "platform/particle/ParticleManager2D.h"
#include "platform/sprite/SpriteManager.h"
#include "tests/core/JSONTestSupport.h"

namespace ParticleTest
{
using namespace Corvale;

// Graphics/Particles/Spark.json: a two-frame looping animation whose images are absent, which
// is all the simulation needs (frames without images draw nothing).
class ResourceWorld
{
 public:
   ResourceWorld()
   {
      Memory::Init();
      ProgressionManager::Init();
      ParticleManager2D::Init();
      std::filesystem::create_directories(folder.Join("Graphics/Particles"));
      folder.FileWrite("Graphics/Particles/Spark.json",
                       R"({"Spark": {"Filename": "Particles/Spark", "FrameCount": 2, "FrameDuration": 50}})");
      manager.BaseFolderSet(folder.path.c_str());
      previous = fileManagerResource;
      fileManagerResource = &manager;
      GraphicsPathManager::Set(0, "Graphics");
   }
   ~ResourceWorld()
   {
      SpriteManager::Deinit();
      fileManagerResource = previous;
   }

   void FileWrite(const std::string& name, const std::string& contents)
   {
      std::filesystem::create_directories(std::filesystem::path(folder.Join(name)).parent_path());
      folder.FileWrite(name, contents);
   }

   JSONTest::TempFolder folder;
   FileManagerStdio manager;
   FileManager* previous = nullptr;
};

// One emitter of the spark animation with extra members, e.g. "\"ParticleCountMax\": 5".
inline std::string EmitterText(const std::string& members)
{
   return R"({"SpriteResourceFilename": "Particles/Spark", "Animation": "Spark")" +
          (members.empty() ? std::string() : ", " + members) + "}";
}

inline std::string EffectText(const std::string& members)
{
   return "[" + EmitterText(members) + "]";
}

// An effect loaded from text, deinitialised when it goes.
class LoadedEffect
{
 public:
   explicit LoadedEffect(const std::string& text, const char* fileName = nullptr)
   {
      JSONTest::ValuePointer document = JSONTest::TextParse(text);
      effect.SpecificationInit(document.get(), fileName);
   }
   ~LoadedEffect() { effect.Deinit(); }

   ParticleEffectEmitter2D* Emitter(i32 index = 0) { return effect.emitters[index]; }
   ParticleEffectParticle2D* LiveParticle(i32 index, i32 emitterIndex = 0)
   {
      auto* node = Emitter(emitterIndex)->live.First();
      for (i32 i = 0; i < index; i++)
      {
         node = node->next;
      }
      return static_cast<ParticleEffectParticle2D*>(node->value);
   }

   ParticleEffect2D effect;
};

// Forwards every call to the heap it wraps, counting the blocks asked for while installed.
class CountingHeap : public HeapDelegate
{
 public:
   explicit CountingHeap(i32 heapId) : id(heapId), inner(Memory::HeapGet(heapId))
   {
      Memory::HeapSet(id, this);
   }
   ~CountingHeap() override { Memory::HeapSet(id, inner); }

   void* Allocate(u32 size) override
   {
      allocations++;
      return inner->Allocate(size);
   }
   bool Free(void* raw) override { return inner->Free(raw); }
   void* AllocateHigh(u32 size) override
   {
      allocations++;
      return inner->AllocateHigh(size);
   }
   void* AllocateLow(u32 size) override
   {
      allocations++;
      return inner->AllocateLow(size);
   }
   u32 FreeSizeGet() override { return inner->FreeSizeGet(); }
   u32 UsedSizeGet() override { return inner->UsedSizeGet(); }
   u32 TotalSizeGet() override { return inner->TotalSizeGet(); }
   u32 FreeBlockCountGet() override { return inner->FreeBlockCountGet(); }
   u32 FreeBlockLargestGet() override { return inner->FreeBlockLargestGet(); }

   i32 id;
   HeapDelegate* inner;
   u32 allocations = 0;
};
} // namespace ParticleTest
