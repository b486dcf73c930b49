// Seeded mutations of a valid skeleton file and its atlas, read and, when data comes back, posed
// and played through the animation state for some frames with a listener that changes the
// track at random. The sanitizers and the allocation count judge each case; a failure names
// its seed.
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "tests/tutorial/skeleton/Mutations.h"
#include "tests/tutorial/skeleton/SkeletonFiles.h"
#include "tests/tutorial/skeleton/SkeletonTestSupport.h"
#include "tutorial/skeleton/skAnimation.h"
#include "tutorial/skeleton/skAnimationState.h"
#include "tutorial/skeleton/skAnimationStateData.h"
#include "tutorial/skeleton/skAttachment.h"
#include "tutorial/skeleton/skRegionAttachment.h"
#include "tutorial/skeleton/skSkeleton.h"
#include "tutorial/skeleton/skSlot.h"

#ifdef __SANITIZE_ADDRESS__
#include <sanitizer/common_interface_defs.h>
#endif

namespace Corvale
{
namespace
{
using skeleton_test_support::HookedTest;
using skeleton_test_support::Mutate;
using skeleton_test_support::State;

constexpr unsigned CASES = 10000;
constexpr int FRAMES = 24;

// A crash ends the run before any assertion can name the case: report it on the way out.
volatile sig_atomic_t currentSeed = -1;

extern "C" void SeedReport()
{
   char text[64];
   const int length = std::snprintf(text, sizeof(text), "failing seed %d\n", static_cast<int>(currentSeed));
   if (length > 0 && write(STDERR_FILENO, text, static_cast<size_t>(length)) < 0)
   {
      return;
   }
}

extern "C" void CrashReport(int signal)
{
   SeedReport();
   std::signal(signal, SIG_DFL);
   std::raise(signal);
}

void CrashReportInstall()
{
#ifdef __SANITIZE_ADDRESS__
   __sanitizer_set_death_callback(SeedReport);
#endif
   for (int signal : {SIGSEGV, SIGABRT, SIGFPE, SIGBUS})
   {
      std::signal(signal, CrashReport);
   }
}

// The listener's dice and the data it may switch to.
struct Player
{
   std::mt19937 random;
   skSkeletonData* data = nullptr;
   int notifications = 0;
};

Player& Dice()
{
   static Player player;
   return player;
}

skAnimation* AnimationPick(std::mt19937& random, const skSkeletonData* data)
{
   return data->animationsCount > 0
              ? data->animations[random() % static_cast<unsigned>(data->animationsCount)]
              : nullptr;
}

void Listener(skAnimationState* state, i32 trackIndex, skEventType type, skEvent* event, i32)
{
   Player& player = Dice();
   player.notifications++;
   if (type == SK_ANIMATION_EVENT && !event)
   {
      ADD_FAILURE() << "an event notification without its event";
   }
   switch (player.random() % 8)
   {
   case 0:
      if (skAnimation* animation = AnimationPick(player.random, player.data))
      {
         skAnimationState_setAnimation(state, animation);
      }
      break;
   case 1:
      skAnimationState_clearTrack(state, trackIndex);
      break;
   default:
      break;
   }
}

// Poses and plays the data as the tutorial would, with what the drawing reads of regions.
void Play(skSkeletonData* data, std::mt19937& random)
{
   skSkeleton* skeleton = skSkeleton_create(data);
   skAnimationStateData* stateData = skeleton ? skAnimationStateData_create(data) : nullptr;
   skAnimationState* state = stateData ? skAnimationState_create(stateData) : nullptr;
   if (state)
   {
      Dice().random.seed(random());
      Dice().data = data;
      state->listener = Listener;
      skAnimation* animation = skSkeletonData_findAnimation(data);
      animation = animation ? animation : AnimationPick(random, data);
      if (animation)
      {
         skTrackEntry* entry = skAnimationState_setAnimation(state, animation);
         if (entry && random() % 4 == 0)
         {
            entry->loop = 1;
         }
      }
      for (i32 i = 0; i < data->skinsCount && random() % 2; ++i)
      {
         skSkeleton_setSkin(skeleton, data->skins[i]);
      }
      const float deltas[] = {0.016f, 0.1f, 0.5f, 0, 3};
      for (int frame = 0; frame < FRAMES; ++frame)
      {
         skAnimationState_update(state, deltas[random() % 5]);
         skAnimationState_apply(state, skeleton);
         skSkeleton_updateWorldTransform(skeleton);
         for (i32 i = 0; i < skeleton->slotsCount; ++i)
         {
            skSlot* slot = skeleton->drawOrder[i];
            if (slot->attachment && slot->attachment->type == SK_ATTACHMENT_REGION)
            {
               float vertices[8];
               skRegionAttachment_computeWorldVertices(static_cast<skRegionAttachment*>(slot->attachment),
                                                       slot->bone, vertices);
            }
         }
      }
   }
   if (state)
   {
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

class SkeletonFuzzTest : public HookedTest
{
};

TEST_F(SkeletonFuzzTest, MutatedSkeletonFilesAndAtlases)
{
   const std::string skeletonText = skeleton_test_support::SkeletonFileText();
   const std::string atlasText = skeleton_test_support::SkeletonAtlasText();
   int read = 0;
   int played = 0;
   CrashReportInstall();
   const auto start = std::chrono::steady_clock::now();
   for (unsigned seed = 0; seed < CASES; ++seed)
   {
      currentSeed = static_cast<sig_atomic_t>(seed);
      std::mt19937 random(seed);
      const std::vector<char> skeleton =
          Exact(seed % 10 == 9 ? skeletonText : Mutate(skeletonText, random, 8));
      const std::vector<char> atlasBytes = Exact(seed % 8 == 0 ? Mutate(atlasText, random) : atlasText);
      State().allocations = 0;
      State().failAt = seed % 5 == 4 ? static_cast<long>(random() % 400) : -1;
      Dice().notifications = 0;

      skAtlas* atlas = skAtlas_create(atlasBytes.data(), static_cast<i32>(atlasBytes.size()), "");
      skSkeletonJson* json = atlas ? skSkeletonJson_create(atlas) : nullptr;
      if (json)
      {
         json->scale = seed % 3 == 0 ? 0.5f : 1;
         skSkeletonData* data =
             skSkeletonJson_readSkeletonData(json, skeleton.data(), static_cast<i32>(skeleton.size()));
         if (data)
         {
            read++;
            played += data->animationsCount > 0;
            Play(data, random);
            skSkeletonData_dispose(data);
         }
         else if (State().failAt < 0)
         {
            // Only a failed allocation may leave no message.
            EXPECT_NE(json->error, nullptr) << "seed " << seed;
         }
         skSkeletonJson_dispose(json);
      }
      if (atlas)
      {
         skAtlas_dispose(atlas);
      }
      State().failAt = -1;
      ASSERT_EQ(State().live, 0) << "seed " << seed;
      ASSERT_EQ(State().texturesLive, 0) << "seed " << seed;
   }
   currentSeed = -1;
   const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
   std::printf("%u cases, %d read, %d played, in %.2f s\n", CASES, read, played, seconds);
   // Both outcomes must have been exercised for the run to mean anything.
   EXPECT_GT(played, static_cast<int>(CASES) / 10);
   EXPECT_LT(read, static_cast<int>(CASES));
}
} // namespace
} // namespace Corvale
