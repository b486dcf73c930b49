// One tutorial frame of skeletal animation, headless: advancing and applying the animation state
// and updating the world transforms of a generated skeleton of 50 bones (two IK chains) and 60
// region slots, with most bones and half the slots keyed on Bezier curves.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "tutorial/skeleton/skAnimation.h"
#include "tutorial/skeleton/skAnimationState.h"
#include "tutorial/skeleton/skAnimationStateData.h"
#include "tutorial/skeleton/skAtlas.h"
#include "tutorial/skeleton/skBone.h"
#include "tutorial/skeleton/skSkeleton.h"
#include "tutorial/skeleton/skSkeletonData.h"
#include "tutorial/skeleton/skSkeletonJson.h"

namespace
{
using namespace Corvale;

constexpr int BONES = 50;
constexpr int CHAIN = 20; // bones 1..20 and 21..40 form two chains; the last two of each are IK-bent
constexpr int SLOTS = 60;

const char* const atlasText = "page.png\nformat: RGBA8888\nfilter: Linear,Linear\nrepeat: none\n"
                              "r\n  rotate: false\n  xy: 0, 0\n  size: 16, 16\n  orig: 16, 16\n"
                              "  offset: 0, 0\n  index: -1\n";

std::string BoneName(int i)
{
   return "b" + std::to_string(i);
}

int Parent(int i)
{
   if (i == 1 || i == CHAIN + 1 || i > 2 * CHAIN)
   {
      return 0;
   }
   return i - 1;
}

std::string Curve(int i)
{
   return "[ 0.25, " + std::to_string((i % 4) * 0.1) + ", 0.75, 1 ]";
}

std::string SkeletonText()
{
   std::string text = "{ \"bones\": [ { \"name\": \"b0\" }";
   for (int i = 1; i < BONES; ++i)
   {
      text += ", { \"name\": \"" + BoneName(i) + "\", \"parent\": \"" + BoneName(Parent(i)) +
              "\", \"length\": 10, \"x\": 10, \"rotation\": " + std::to_string(i % 7) + " }";
   }
   text += " ], \"ik\": [ { \"name\": \"ikA\", \"bones\": [ \"b19\", \"b20\" ], \"target\": \"b41\" },"
           " { \"name\": \"ikB\", \"bones\": [ \"b39\", \"b40\" ], \"target\": \"b42\", \"bendPositive\": "
           "false } ],"
           " \"slots\": [ ";
   for (int i = 0; i < SLOTS; ++i)
   {
      text += std::string(i ? ", " : "") + "{ \"name\": \"s" + std::to_string(i) + "\", \"bone\": \"" +
              BoneName(i % BONES) + "\", \"attachment\": \"r\" }";
   }
   text += " ], \"skins\": { \"default\": { ";
   for (int i = 0; i < SLOTS; ++i)
   {
      text += std::string(i ? ", " : "") + "\"s" + std::to_string(i) + "\": { \"r\": { \"width\": 16 } }";
   }
   text += " } }, \"animations\": { \"animation\": { \"bones\": { ";
   for (int i = 1; i < 46; ++i)
   {
      text += std::string(i > 1 ? ", " : "") + "\"" + BoneName(i) + "\": { \"rotate\": [ ";
      for (int f = 0; f < 5; ++f)
      {
         text += std::string(f ? ", " : "") + "{ \"time\": " + std::to_string(f) +
                 ", \"angle\": " + std::to_string((f * 37 + i) % 90 - 45) + ", \"curve\": " + Curve(i + f) +
                 " }";
      }
      text += " ], \"translate\": [ { \"time\": 0, \"x\": 0, \"curve\": " + Curve(i) +
              " }, { \"time\": 2, \"x\": 5, \"y\": 3, \"curve\": " + Curve(i + 1) + " }, { \"time\": 4 } ] }";
   }
   text += " }, \"slots\": { ";
   for (int i = 0; i < SLOTS; i += 2)
   {
      text += std::string(i ? ", " : "") + "\"s" + std::to_string(i) +
              "\": { \"color\": [ { \"time\": 0, \"color\": \"ffffffff\", \"curve\": " + Curve(i) +
              " }, { \"time\": 4, \"color\": \"80ff40c0\" } ] }";
   }
   text += " } } } }";
   return text;
}

void BM_SkeletonFrame(benchmark::State& state)
{
   const std::string atlasBytes = atlasText;
   skAtlas* atlas = skAtlas_create(atlasBytes.data(), static_cast<i32>(atlasBytes.size()), "");
   skSkeletonJson* json = skSkeletonJson_create(atlas);
   skSkeletonData* data = skSkeletonJson_readSkeletonData(json, SkeletonText().c_str());
   if (!data || json->error)
   {
      state.SkipWithError(json->error ? json->error : "no skeleton data");
      return;
   }
   skAnimation* animation = skSkeletonData_findAnimation(data);
   if (data->bonesCount != BONES || data->slotsCount != SLOTS || data->ikConstraintsCount != 2 ||
       !animation || animation->timelinesCount != 45 * 2 + SLOTS / 2)
   {
      state.SkipWithError("the generated skeleton is not the one measured");
      return;
   }
   skSkeleton* skeleton = skSkeleton_create(data);
   skAnimationStateData* stateData = skAnimationStateData_create(data);
   skAnimationState* animationState = skAnimationState_create(stateData);
   // Looped, so that every frame keys every timeline.
   skAnimationState_setAnimation(animationState, animation)->loop = 1;

   const auto start = std::chrono::steady_clock::now();
   for (auto _ : state)
   {
      skAnimationState_update(animationState, 1.0f / 60);
      skAnimationState_apply(animationState, skeleton);
      skSkeleton_updateWorldTransform(skeleton);
      benchmark::DoNotOptimize(skeleton->bones[BONES - 1]->worldX);
   }
   const double micros =
       std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count() /
       static_cast<double>(state.iterations());
   state.counters["us_per_frame"] = micros;
   state.counters["share_of_1ms"] = micros / 1000;
   std::printf("skeleton frame: %.2f us, %.1f%% of a 1 ms budget\n", micros, micros / 10);

   skAnimationState_dispose(animationState);
   skAnimationStateData_dispose(stateData);
   skSkeleton_dispose(skeleton);
   skSkeletonData_dispose(data);
   skSkeletonJson_dispose(json);
   skAtlas_dispose(atlas);
}
BENCHMARK(BM_SkeletonFrame);
} // namespace
