// Sprite resource files, animations, the sprite manager's counts and sprite playback, without a
// GL context: the image files named here do not exist, so frames carry times but no pictures.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/FileManager.h"
#include "core/FileManagerStdio.h"
#include "core/GraphicsPathManager.h"
#include "core/JSONValue.h"
#include "core/Memory.h"
#include "platform/sprite/Sprite.h"
#include "platform/sprite/SpriteAnimation.h"
#include "platform/sprite/SpriteManager.h"
#include "platform/sprite/SpriteResourceFile.h"
#include "tests/platform/BitmapTestSupport.h"

using namespace Corvale;
using testing_support::LogCapture;

namespace
{
const char* const spriteFile = R"({
  "Bare": "Pictures/Bare",
  "ZeroCount": {"Filename": "Pictures/Z", "FrameCount": 0},
  "Numbered": {"Filename": "Pictures/N", "FrameCount": 3},
  "Rate30": {"Filename": "Pictures/R", "FrameCount": 2, "FrameRate": 30},
  "Rate24": {"Filename": "Pictures/R", "FrameCount": 2, "FrameRate": 24},
  "RateZero": {"Filename": "Pictures/R", "FrameCount": 2, "FrameRate": 0},
  "RateTiny": {"Filename": "Pictures/R", "FrameCount": 2, "FrameRate": 1e-30},
  "CountHuge": {"Filename": "Pictures/H", "FrameCount": 2000000000},
  "DurationNegative": {"Filename": "Pictures/R", "FrameCount": 2, "FrameDuration": -5},
  "DurationText": {"Filename": "Pictures/R", "FrameCount": 3, "FrameDuration": "fast"},
  "Durations": {"Filename": "Pictures/D", "FrameCount": 2, "FrameDurations": [100, 50]},
  "DurationsWrongCount": {"Filename": "Pictures/D", "FrameCount": 3, "FrameDurations": [100, 50]},
  "DurationsEmpty": {"Filename": "Pictures/D", "FrameDurations": []},
  "SequenceNotArray": {"Filename": "Pictures/S", "ImageSequence": 4},
  "Sequence": {"Filename": "Pictures/S", "ImageSequence": [4, 2, 9], "FrameDuration": 10},
  "PlayCase": {"Filename": "Pictures/P", "PlayType": "pingpongloop"},
  "OneShot": {"Filename": "Pictures/P", "FrameCount": 4, "FrameDuration": 25, "PlayType": "OneShot"},
  "PingPong": {"Filename": "Pictures/P", "FrameCount": 4, "FrameDuration": 25, "PlayType": "PingPongLoop"},
  "Loop100": {"Filename": "Pictures/P", "FrameCount": 4, "FrameDuration": 25},
  "Short": {"Filename": "Pictures/P", "FrameDuration": 0, "PlayType": "OneShot"},
  "OriginPoint": {"Filename": "Pictures/O", "Origin": "5|7", "Offset": "1|1"},
  "OriginNamedAndOffset": {"Filename": "Pictures/O", "Origin": "Center", "Offset": "3|4"},
  "OriginBad": {"Filename": "Pictures/O", "Origin": "Middle"},
  "NoFilename": {"FrameCount": 2},
  "Number": 12,
  "Nothing": null
})";

class SpriteTest : public ::testing::Test
{
 protected:
   static void SetUpTestSuite()
   {
      if (!Memory::InitialisedCheck())
      {
         Memory::Init();
      }
      char pattern[] = "/tmp/corvale-sprite-XXXXXX";
      folder = mkdtemp(pattern);
      std::filesystem::create_directories(folder + "/Graphics/Sprites");
      std::ofstream(folder + "/Graphics/Sprites/Test.json") << spriteFile;
      std::ofstream(folder + "/Graphics/Sprites/Other.json") << R"({"A": "Pictures/A", "B": "Pictures/B"})";
      fileManagerStdioResource.BaseFolderSet(folder.c_str());
      fileManagerResource = &fileManagerStdioResource;
      GraphicsPathManager::Set(0, "Graphics");
   }
   static void TearDownTestSuite()
   {
      SpriteManager::Deinit();
      fileManagerResource = nullptr;
      std::filesystem::remove_all(folder);
   }
   void TearDown() override { EXPECT_EQ(SpriteManager::resourceFiles.count, 0) << "a reference was left"; }

   static std::string folder;
};
std::string SpriteTest::folder;

struct FrameCase
{
   const char* animation;
   i32 frames;
   u32 duration;
   std::vector<u32> startTimes;
   const char* message;
};

TEST_F(SpriteTest, SpecificationsGiveFramesTimesAndMessages)
{
   const FrameCase cases[] = {
       {"Bare", 1, 33, {0}, nullptr},
       {"ZeroCount", 1, 33, {0}, nullptr},
       {"Numbered", 3, 99, {0, 33, 66}, "Unable to load image: Pictures/N/003"},
       {"Rate30", 2, 66, {0, 33}, nullptr},
       {"Rate24", 2, 82, {0, 41}, nullptr},
       {"RateZero", 2, 66, {0, 33}, nullptr},
       {"RateTiny",
        2,
        66,
        {0, 33},
        "SpriteAnimation::Init -- FrameRate 1e-30 is too slow in animation \"RateTiny\""},
       {"CountHuge",
        0,
        0,
        {},
        "SpriteAnimation::Init -- Frame count 2000000000 is more than 65536 in animation"},
       {"DurationNegative", 2, 66, {0, 33}, nullptr},
       {"DurationText", 3, 0, {0, 0, 0}, "FrameDuration should be a number (not an array) in animation"},
       {"Durations", 2, 150, {0, 100}, nullptr},
       {"DurationsWrongCount",
        0,
        0,
        {},
        "Number of entries in FrameDurations does not match the number of frames in animation "
        "\"DurationsWrongCount\" in file \"Sprites/Test\""},
       {"DurationsEmpty", 0, 0, {}, "FrameDurations is empty in animation"},
       {"SequenceNotArray", 0, 0, {}, "ImageSequence should be an array of numbers"},
       {"Sequence", 3, 30, {0, 10, 20}, "Unable to load image: Pictures/S/009"},
       {"NoFilename", 0, 0, {}, nullptr},
       {"Number",
        0,
        0,
        {},
        "Animation \"Sprites/Test:Number\" specification is neither a string nor an object"},
   };
   for (const FrameCase& c : cases)
   {
      SCOPED_TRACE(c.animation);
      LogCapture log;
      SpriteAnimation* animation = SpriteManager::AnimationGet("Sprites/Test", c.animation);
      ASSERT_NE(animation, nullptr);
      EXPECT_EQ(animation->frames.count, c.frames);
      if (c.frames > 0)
      {
         EXPECT_EQ(animation->duration, c.duration);
      }
      for (i32 i = 0; i < animation->frames.count && i < static_cast<i32>(c.startTimes.size()); ++i)
      {
         EXPECT_EQ(animation->frames[i].startTime, c.startTimes[i]) << "frame " << i;
         EXPECT_EQ(animation->frames[i].image, nullptr);
      }
      if (c.message)
      {
         EXPECT_TRUE(log.Has(c.message)) << log.text;
      }
      // Nothing to draw and nothing to hit, whatever was refused.
      EXPECT_EQ(animation->SizeGet().x, 0.0f);
      EXPECT_TRUE(animation->BoundsGet().EmptyCheck());
      EXPECT_FALSE(animation->PointTest(Point2F{0, 0}));
      SpriteManager::AnimationRelease(animation);
   }
}

TEST_F(SpriteTest, PlayTypesOriginsAndOffsets)
{
   LogCapture log;
   SpriteAnimation* playCase = SpriteManager::AnimationGet("Sprites/Test", "PlayCase");
   EXPECT_EQ(playCase->playType, SPRITE_PLAY_LOOP);
   EXPECT_TRUE(log.Has("SpriteAnimation -- Invalid PlayType \"pingpongloop\" for animation: PlayCase"));

   SpriteAnimation* point = SpriteManager::AnimationGet("Sprites/Test", "OriginPoint");
   EXPECT_FLOAT_EQ(point->offset.x, -5);
   EXPECT_FLOAT_EQ(point->offset.y, -7);
   SpriteAnimation* both = SpriteManager::AnimationGet("Sprites/Test", "OriginNamedAndOffset");
   EXPECT_FLOAT_EQ(both->offset.x, 3);
   EXPECT_FLOAT_EQ(both->offset.y, 4);
   SpriteAnimation* bad = SpriteManager::AnimationGet("Sprites/Test", "OriginBad");
   EXPECT_TRUE(log.Has("SpriteAnimation::Init -- Invalid Origin for animation: OriginBad"));
   for (SpriteAnimation* animation : {playCase, point, both, bad})
   {
      SpriteManager::AnimationRelease(animation);
   }
}

TEST_F(SpriteTest, FrameChoiceAtTheEndsAndInThePingPongReturn)
{
   LogCapture log;
   SpriteAnimation* animation = SpriteManager::AnimationGet("Sprites/Test", "Loop100");
   ASSERT_EQ(animation->frames.count, 4);
   const struct
   {
      u32 time;
      i32 frame;
   } cases[] = {{0, 0}, {24, 0}, {25, 1}, {99, 3}, {100, 3}, {150, 2}, {176, 0}, {200, 0}};
   for (const auto& c : cases)
   {
      EXPECT_EQ(animation->FrameIndexGet(c.time), c.frame) << "time " << c.time;
   }
   SpriteManager::AnimationRelease(animation);
   // With every frame at 0 the last one shows at all times.
   SpriteAnimation* still = SpriteManager::AnimationGet("Sprites/Test", "DurationText");
   EXPECT_EQ(still->FrameIndexGet(0), 2);
   EXPECT_EQ(still->FrameIndexGet(500), 2);
   SpriteManager::AnimationRelease(still);
}

TEST_F(SpriteTest, ResourceFilesAreSharedAndCountedBackToNothing)
{
   LogCapture log;
   SpriteAnimation* first = SpriteManager::AnimationGet("Sprites/Test", "Bare");
   SpriteAnimation* second = SpriteManager::AnimationGet("Sprites/Test", "Bare");
   ASSERT_EQ(first, second);
   EXPECT_EQ(first->referenceCount, 2);
   SpriteResourceFile* file = SpriteManager::ResourceFileGet("Sprites/Test");
   ASSERT_NE(file, nullptr);
   EXPECT_EQ(file->referenceCount, 4);
   EXPECT_EQ(file->AnimationLoadedGet("Bare"), first);
   EXPECT_EQ(file->AnimationLoadedGet("Numbered"), nullptr);

   EXPECT_EQ(SpriteManager::AnimationGet("Sprites/Test", "Missing"), nullptr);
   EXPECT_TRUE(log.Has("SpriteManager -- Unable to find sprite animation \"Missing\" in resource file "
                       "\"Sprites/Test\""));
   EXPECT_EQ(SpriteManager::AnimationGet("Sprites/Test", "Nothing"), nullptr);
   EXPECT_EQ(file->referenceCount, 4);
   EXPECT_EQ(SpriteManager::AnimationGet("Sprites/Absent", "Bare"), nullptr);
   EXPECT_TRUE(
       log.Has("SpriteResourceFile::Init -- failed to load sprite resource file: \"Sprites/Absent\""));
   EXPECT_EQ(SpriteManager::resourceFiles.count, 1);

   EXPECT_TRUE(SpriteManager::AnimationExistsCheck("Sprites/Test", "Numbered"));
   EXPECT_FALSE(SpriteManager::AnimationExistsCheck("Sprites/Test", "Nothing"));
   EXPECT_FALSE(SpriteManager::AnimationExistsCheck("Sprites/Absent", "Bare"));
   EXPECT_EQ(file->referenceCount, 4);

   SpriteManager::AnimationRelease(first);
   EXPECT_EQ(file->referenceCount, 2);
   SpriteManager::AnimationRelease(second);
   EXPECT_EQ(SpriteManager::resourceFiles.count, 0);
}

TEST_F(SpriteTest, PreloadHoldsEveryAnimationUntilUndone)
{
   LogCapture log;
   SpriteResourceFile* file = SpriteManager::ResourceFileLoad("Sprites/Other");
   ASSERT_NE(file, nullptr);
   file->Preload();
   EXPECT_EQ(file->animations.count, 2);
   EXPECT_EQ(file->referenceCount, 5);
   SpriteAnimation* held = SpriteManager::AnimationGet("Sprites/Other", "A");
   SpriteManager::UndoPreload("Sprites/Other");
   ASSERT_EQ(SpriteManager::ResourceFileGet("Sprites/Other"), file);
   EXPECT_EQ(file->animations.count, 1) << "B had only the preload's reference";
   EXPECT_EQ(file->referenceCount, 2);
   SpriteManager::AnimationRelease(held);

   // A null member is skipped without leaving a count behind.
   SpriteResourceFile* test = SpriteManager::ResourceFileLoad("Sprites/Test");
   test->Preload();
   SpriteManager::UndoPreload("Sprites/Test");
}

TEST_F(SpriteTest, UpdateFollowsThePlayTypeAndTheQueue)
{
   LogCapture log;
   const struct
   {
      const char* animation;
      u32 elapsed;
      u32 time;
   } cases[] = {{"Loop100", 250, 50},
                {"OneShot", 250, 100},
                {"PingPong", 150, 150},
                {"PingPong", 230, 30},
                {"Short", 5, 1}};
   for (const auto& c : cases)
   {
      Sprite sprite;
      sprite.Reset();
      sprite.Init("Sprites/Test", c.animation);
      sprite.Update(c.elapsed);
      EXPECT_EQ(sprite.time, c.time) << c.animation << " after " << c.elapsed;
      sprite.Deinit();
   }

   Sprite sprite;
   sprite.Reset();
   EXPECT_GE(sprite.queue.capacity, 2);
   sprite.AnimationAdd("Sprites/Test", "Loop100");
   ASSERT_NE(sprite.animation, nullptr);
   sprite.AnimationAdd("Sprites/Test", "OneShot");
   sprite.AnimationAdd("Sprites/Test", "PingPong");
   sprite.AnimationAdd("Sprites/Test", "Missing");
   EXPECT_EQ(sprite.queue.count, 3);
   sprite.AnimationRemove("Sprites/Test", "Loop100");
   EXPECT_EQ(sprite.queue.count, 3) << "the current animation is not in the queue";
   sprite.Update(60);
   EXPECT_STREQ(sprite.animation->name, "Loop100");
   sprite.Update(60);
   EXPECT_STREQ(sprite.animation->name, "OneShot") << "the first queued plays when the loop wraps";
   EXPECT_EQ(sprite.time, 0u) << "the overshoot is dropped";
   EXPECT_EQ(sprite.playType, SPRITE_PLAY_ONE_SHOT);
   sprite.paused = 1;
   sprite.Update(500);
   EXPECT_EQ(sprite.time, 0u);
   sprite.paused = 0;
   sprite.Update(100);
   EXPECT_STREQ(sprite.animation->name, "PingPong");
   sprite.Update(200);
   EXPECT_EQ(sprite.animation, nullptr) << "a missing queued animation leaves the sprite without one";
   sprite.Update(10);
   sprite.Deinit();

   // Removing from the queue releases the matching entries only.
   Sprite other;
   other.Reset();
   other.Init("Sprites/Test", "Loop100");
   other.AnimationAdd("Sprites/Test", "OneShot");
   other.AnimationAdd("Sprites/Other", "A");
   other.AnimationAdd("Sprites/Test", "OneShot");
   other.AnimationRemove("Sprites/Test", "OneShot");
   ASSERT_EQ(other.queue.count, 1);
   EXPECT_STREQ(other.queue[0]->name, "A");
   other.AnimationSetByName("PingPong");
   EXPECT_STREQ(other.animation->name, "PingPong");
   EXPECT_EQ(other.queue.count, 0);
   other.Deinit();
}
} // namespace
