// Frame cost of a busy particle effect: 2,000 pooled particles moving, dying and coming back,
// with the colour, additive and scale modifiers running on every live one.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/FileManagerStdio.h"
#include "core/GraphicsPathManager.h"
#include "core/JSONParser.h"
#include "core/JSONValue.h"
#include "core/Memory.h"
#include "core/ProgressionManager.h"
#include "platform/particle/ParticleEffect2D.h"
#include "platform/particle/ParticleEffectEmitter2D.h"
#include "platform/particle/ParticleManager2D.h"
#include "platform/sprite/SpriteManager.h"

using namespace Corvale;

namespace
{
const char* const effectText =
    R"([{"SpriteResourceFilename": "Spark", "Animation": "Spark", "ParticleCountMax": 2000,)"
    R"( "EmissionFrequency": 4000, "EmitterType": "BoxFilled", "EmissionBox": "0|0|960|720",)"
    R"( "LinearSpeedMin": 20, "LinearSpeedMax": 120, "LinearVelocityAngleMin": 0, "LinearVelocityAngleMax": 360,)"
    R"( "LinearDamping": 0.2, "AngularVelocity": 90, "LifeDurationMin": 200, "LifeDurationMax": 800,)"
    R"( "LifeBounds": "-100|-100|1160|920", "Modifiers": [{"Type": "ColorLinear", "ColorEnd": "0|0|0|0"},)"
    R"( {"Type": "AdditiveBlendingLinear", "AdditiveBlendingEnd": 1},)"
    R"( {"Type": "ScaleLinear", "ScaleBegin": "1|1", "ScaleEnd": "0|0", "Progression": "SmoothStop"}]}])";

void BM_ParticleEffectFrame(benchmark::State& state)
{
   Memory::Init();
   ProgressionManager::Init();
   ParticleManager2D::Init();
   char pattern[] = "/tmp/corvale-particles-XXXXXX";
   std::string folder = mkdtemp(pattern);
   std::filesystem::create_directories(folder + "/Graphics");
   FILE* stream = std::fopen((folder + "/Graphics/Spark.json").c_str(), "wb");
   std::fputs(R"({"Spark": {"Filename": "Spark", "FrameCount": 4, "FrameDuration": 40}})", stream);
   std::fclose(stream);
   stream = std::fopen((folder + "/Graphics/Burst.json").c_str(), "wb");
   std::fputs(effectText, stream);
   std::fclose(stream);
   FileManagerStdio manager;
   manager.BaseFolderSet(folder.c_str());
   FileManager* previous = fileManagerResource;
   fileManagerResource = &manager;
   GraphicsPathManager::Set(0, "Graphics");

   ParticleEffect2D effect;
   effect.Init("Burst");
   ParticleEffectEmitter2D* emitter = effect.emitters[0];
   for (i32 i = 0; i < 60; i++)
   {
      emitter->Update(16);
   }
   for (auto _ : state)
   {
      emitter->Update(16);
      benchmark::DoNotOptimize(emitter->live.count);
   }
   state.counters["live"] = static_cast<double>(emitter->live.count);
   effect.Deinit();
   SpriteManager::Deinit();
   fileManagerResource = previous;
   std::filesystem::remove_all(folder);
}
BENCHMARK(BM_ParticleEffectFrame);
} // namespace
