// The animated background's looping clock, layer drawing and shutdown.
#include "platform/sprite/AnimatedBackgroundManager.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/Allocator.h"
#include "core/Memory.h"

using namespace Corvale;

namespace
{
std::vector<i32> drawn;

class RecordingLayer : public AnimatedBackgroundLayer
{
 public:
   void Draw(i32 timeMs) override { drawn.push_back(timeMs); }
};

TEST(AnimatedBackgroundManagerTest, ClockWrapsAtThePeriodStopsWhenPausedAndDeinitFreesTheLayers)
{
   Memory::Init();
   AnimatedBackgroundManager::Init(ColorRGBA8{1, 2, 3, 4});
   AnimatedBackgroundManager::ClockStep(50); // no background: nothing to step
   AnimatedBackgroundManager::Draw();

   AnimatedBackground* background = MemoryNew<AnimatedBackground>(HEAP_DEFAULT);
   background->period = 1000;
   background->time = 990;
   background->layers = Table<AnimatedBackgroundLayer*>(allocatorDefault);
   background->layers.Insert(MemoryNew<RecordingLayer>(HEAP_DEFAULT), 0);
   background->layers.Insert(MemoryNew<RecordingLayer>(HEAP_DEFAULT), 1);
   AnimatedBackgroundManager::background = background;

   AnimatedBackgroundManager::ClockStep(30);
   EXPECT_EQ(background->time, 20);
   AnimatedBackgroundManager::paused = 1;
   AnimatedBackgroundManager::ClockStep(30);
   EXPECT_EQ(background->time, 20);
   AnimatedBackgroundManager::Draw();
   EXPECT_EQ(drawn, (std::vector<i32>{20, 20}));

   AnimatedBackgroundManager::Deinit();
   EXPECT_EQ(AnimatedBackgroundManager::background, nullptr);
   EXPECT_EQ(AnimatedBackgroundManager::initialised, 0);
}
} // namespace
