// The animation state: the order of start, event, complete and end notifications, replacing the
// animation, time scales, loops, cross-fades, and listeners that change the track from inside
// any notification.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/tutorial/skeleton/SkeletonFiles.h"
#include "tests/tutorial/skeleton/SkeletonTestSupport.h"
#include "tutorial/skeleton/skAnimation.h"
#include "tutorial/skeleton/skAnimationState.h"
#include "tutorial/skeleton/skAnimationStateData.h"
#include "tutorial/skeleton/skBone.h"
#include "tutorial/skeleton/skEventData.h"
#include "tutorial/skeleton/skSkeleton.h"

namespace Corvale
{
namespace
{
using skeleton_test_support::HookedTest;
using skeleton_test_support::LoadedSkeleton;
using skeleton_test_support::State;

// "animation" turns the root from 0 to 90 degrees over a second and fires a at 0.25, b and c
// at 0.5; "instant" lasts 0 seconds and fires a; "turn" holds the root at 180 degrees.
const char* const stateFileText = R"({
"bones": [ { "name": "root" } ],
"events": { "a": {}, "b": {}, "c": {} },
"animations": {
  "animation": { "bones": { "root": { "rotate": [ { "time": 0, "angle": 0 }, { "time": 1, "angle": 90 } ] } },
                 "events": [ { "time": 0.25, "name": "a" }, { "time": 0.5, "name": "b" }, { "time": 0.5, "name": "c" } ] },
  "instant": { "events": [ { "time": 0, "name": "a" } ] },
  "turn": { "bones": { "root": { "rotate": [ { "time": 0, "angle": 180 }, { "time": 4, "angle": 180 } ] } } }
}
})";

// What the listeners heard, and what the current test's listener should do about it.
struct Heard
{
   std::vector<std::string> log;
   // Replaces the track's animation with this one (or clears the track when "clear") on the
   // first notification whose log text equals trigger.
   std::string trigger;
   skAnimation* replacement = nullptr;
   bool clear = false;
   int replaced = 0;
   int replacementsMax = 1;
};

Heard& Ears()
{
   static Heard heard;
   return heard;
}

std::string Describe(skEventType type, skEvent* event, i32 loopCount)
{
   switch (type)
   {
   case SK_ANIMATION_START:
      return "start";
   case SK_ANIMATION_END:
      return "end";
   case SK_ANIMATION_COMPLETE:
      return "complete " + std::to_string(loopCount);
   case SK_ANIMATION_EVENT:
      return std::string("event ") + event->data->name;
   }
   return "?";
}

void Listen(const char* who, skAnimationState* state, i32 trackIndex, skEventType type, skEvent* event,
            i32 loopCount)
{
   Heard& heard = Ears();
   const std::string text = who + Describe(type, event, loopCount);
   heard.log.push_back(text);
   if (text == heard.trigger && heard.replaced < heard.replacementsMax)
   {
      heard.replaced++;
      if (heard.clear)
      {
         skAnimationState_clearTrack(state, trackIndex);
      }
      else
      {
         skAnimationState_setAnimation(state, heard.replacement);
      }
   }
}

void EntryListener(skAnimationState* state, i32 trackIndex, skEventType type, skEvent* event, i32 loopCount)
{
   Listen("entry ", state, trackIndex, type, event, loopCount);
}

void StateListener(skAnimationState* state, i32 trackIndex, skEventType type, skEvent* event, i32 loopCount)
{
   Listen("state ", state, trackIndex, type, event, loopCount);
}

class AnimationStateTest : public HookedTest
{
 protected:
   void SetUp() override
   {
      HookedTest::SetUp();
      Ears() = Heard();
      loaded = new LoadedSkeleton(stateFileText);
      ASSERT_NE(loaded->data, nullptr) << loaded->Error();
      skeleton = skSkeleton_create(loaded->data);
      stateData = skAnimationStateData_create(loaded->data);
      state = skAnimationState_create(stateData);
      ASSERT_TRUE(skeleton && stateData && state);
      state->listener = StateListener;
      animation = Find("animation");
      instant = Find("instant");
      turn = Find("turn");
   }

   void TearDown() override
   {
      skAnimationState_dispose(state);
      skAnimationStateData_dispose(stateData);
      skSkeleton_dispose(skeleton);
      delete loaded;
      HookedTest::TearDown();
   }

   skAnimation* Find(const char* name)
   {
      for (i32 i = 0; i < loaded->data->animationsCount; ++i)
      {
         if (std::string(loaded->data->animations[i]->name) == name)
         {
            return loaded->data->animations[i];
         }
      }
      ADD_FAILURE() << name;
      return nullptr;
   }

   // One frame as the tutorial runs it; returns what the listeners heard in it.
   std::vector<std::string> Frame(float delta)
   {
      Ears().log.clear();
      skAnimationState_update(state, delta);
      skAnimationState_apply(state, skeleton);
      skSkeleton_updateWorldTransform(skeleton);
      return Ears().log;
   }

   // Sets the animation with the entry listener on; returns what was heard.
   std::vector<std::string> Set(skAnimation* played)
   {
      Ears().log.clear();
      skTrackEntry* entry = skAnimationState_setAnimation(state, played);
      if (entry)
      {
         entry->listener = EntryListener;
      }
      return Ears().log;
   }

   float Rotation() { return skeleton->bones[0]->rotation; }

   LoadedSkeleton* loaded = nullptr;
   skSkeleton* skeleton = nullptr;
   skAnimationStateData* stateData = nullptr;
   skAnimationState* state = nullptr;
   skAnimation* animation = nullptr;
   skAnimation* instant = nullptr;
   skAnimation* turn = nullptr;
};

using Log = std::vector<std::string>;

TEST_F(AnimationStateTest, APlayStartsFiresCompletesOnceAndEndsAtTheNextUpdate)
{
   EXPECT_EQ(state->tracksCount, 0);
   EXPECT_EQ(skAnimationStateData_getMix(stateData, animation, instant), 0);
   EXPECT_EQ(Set(animation), Log({"state start"}));
   ASSERT_EQ(state->tracksCount, 1);
   const skTrackEntry* entry = state->tracks[0];
   EXPECT_EQ(std::vector<float>({entry->time, entry->lastTime, entry->endTime, entry->timeScale, entry->mix}),
             std::vector<float>({0, -1, 1, 1, 1}));
   EXPECT_EQ(entry->loop, 0);

   EXPECT_EQ(Frame(0), Log());
   EXPECT_EQ(Frame(0.25f), Log({"entry event a", "state event a"}));
   EXPECT_FLOAT_EQ(Rotation(), 22.5f);
   EXPECT_EQ(Frame(0.25f), Log({"entry event b", "state event b", "entry event c", "state event c"}));
   EXPECT_EQ(Frame(0.25f), Log());
   EXPECT_EQ(Frame(0.25f), Log({"entry complete 1", "state complete 1"}));
   EXPECT_FLOAT_EQ(Rotation(), 90);
   EXPECT_EQ(Frame(0.25f), Log({"entry end", "state end"}));
   EXPECT_EQ(state->tracks[0], nullptr);
   EXPECT_EQ(Frame(0.25f), Log());
   skAnimationState_clearTrack(state, 0);
   skAnimationState_clearTrack(state, 5);
   EXPECT_EQ(Ears().log, Log());
}

TEST_F(AnimationStateTest, CompletionComesInTheApplyThatFirstReachesTheEndOnly)
{
   Set(animation);
   EXPECT_EQ(Frame(0.9f), Log({"entry event a", "state event a", "entry event b", "state event b",
                               "entry event c", "state event c"}));
   // Past the end at once: time is held at the end, complete once, end at the next update.
   EXPECT_EQ(Frame(5), Log({"entry complete 1", "state complete 1"}));
   EXPECT_FLOAT_EQ(Rotation(), 90);
   EXPECT_EQ(Frame(0), Log({"entry end", "state end"}));
}

TEST_F(AnimationStateTest, AnAnimationOfNoDurationCompletesAtOnce)
{
   Set(instant);
   EXPECT_EQ(Frame(0), Log({"entry event a", "state event a", "entry complete 0", "state complete 0"}));
   EXPECT_EQ(Frame(0), Log({"entry end", "state end"}));
}

TEST_F(AnimationStateTest, SettingABusyTrackEndsTheOldEntryAndStartsTheNewWithoutACrossFade)
{
   Set(animation);
   Frame(0.5f);
   EXPECT_EQ(Set(turn), Log({"entry end", "state end", "state start"}));
   const skTrackEntry* entry = state->tracks[0];
   ASSERT_NE(entry, nullptr);
   EXPECT_EQ(entry->animation, turn);
   EXPECT_EQ(entry->previous, nullptr);
   EXPECT_EQ(entry->mixDuration, 0);
   EXPECT_EQ(Frame(0.1f), Log());
   EXPECT_FLOAT_EQ(Rotation(), 180) << "the new animation alone";
}

TEST_F(AnimationStateTest, WithADefaultMixTheOldEntryFadesOutAndIsDropped)
{
   stateData->defaultMix = 0.5f;
   Set(turn);
   Frame(0);
   Set(animation);
   const skTrackEntry* entry = state->tracks[0];
   ASSERT_NE(entry->previous, nullptr);
   EXPECT_EQ(entry->previous->animation, turn);
   EXPECT_EQ(entry->mixDuration, 0.5f);
   Frame(0.25f);
   // Half way: the turn holds 180 and the new animation mixes in half of its 22.5 degrees.
   EXPECT_FLOAT_EQ(Rotation(), 180 + (22.5f - 180) * 0.5f);
   ASSERT_NE(entry->previous, nullptr);
   Frame(0.25f);
   EXPECT_EQ(entry->previous, nullptr);
   EXPECT_FLOAT_EQ(Rotation(), 45);
}

TEST_F(AnimationStateTest, ANewEntryDuringAnEarlyMixTakesOverTheOldestEntry)
{
   stateData->defaultMix = 0.5f;
   Set(turn);
   Set(animation);
   const skTrackEntry* mixing = state->tracks[0];
   ASSERT_NE(mixing->previous, nullptr);
   Frame(0.1f);
   // The middle entry had mixed in less than half: it is dropped and the first one mixes out.
   Set(instant);
   ASSERT_NE(state->tracks[0]->previous, nullptr);
   EXPECT_EQ(state->tracks[0]->previous->animation, turn);
   Frame(0.3f);
   Set(animation);
   ASSERT_NE(state->tracks[0]->previous, nullptr);
   EXPECT_EQ(state->tracks[0]->previous->animation, instant) << "past half way the mixing entry mixes out";
}

TEST_F(AnimationStateTest, AQueuedEntryTakesOverOnceItsDelayHasPassed)
{
   Set(turn);
   skTrackEntry* next = state->_createTrackEntry(state);
   ASSERT_NE(next, nullptr);
   next->animation = instant;
   next->delay = 0.5f;
   state->tracks[0]->next = next;
   EXPECT_EQ(Frame(0.25f), Log());
   EXPECT_EQ(Frame(0.25f), Log());
   // The update after lastTime reached the delay.
   EXPECT_EQ(Frame(0.25f),
             Log({"entry end", "state end", "state start", "state event a", "state complete 0"}));
   EXPECT_EQ(state->tracks[0], next);
   EXPECT_EQ(next->time, 0);
}

TEST_F(AnimationStateTest, TheStatesAndTheEntrysTimeScalesMultiply)
{
   Set(turn);
   state->timeScale = 2;
   state->tracks[0]->timeScale = 0.25f;
   Frame(1);
   EXPECT_FLOAT_EQ(state->tracks[0]->time, 0.5f);
   state->tracks[0]->timeScale = 3;
   Frame(0.5f);
   EXPECT_FLOAT_EQ(state->tracks[0]->time, 3.5f);
}

TEST_F(AnimationStateTest, ALoopingEntryCompletesEachLapAndNeverEnds)
{
   Set(animation);
   state->tracks[0]->loop = 1;
   EXPECT_EQ(Frame(0.75f).size(), 6u);
   // A wrap tells the keys from the start of the lap after the completion of the last.
   EXPECT_EQ(Frame(0.5f), Log({"entry event a", "state event a", "entry complete 1", "state complete 1"}));
   EXPECT_EQ(Frame(0.5f), Log({"entry event b", "state event b", "entry event c", "state event c"}));
   EXPECT_EQ(Frame(0.5f), Log({"entry event a", "state event a", "entry complete 2", "state complete 2"}));
   EXPECT_NE(state->tracks[0], nullptr);
}

TEST_F(AnimationStateTest, AListenerReplacingTheEntryFromAnEventStopsTheRestOfItsEvents)
{
   Set(animation);
   Ears().trigger = "entry event b";
   Ears().replacement = turn;
   // The old entry ends, the new one starts; c is never told and the old entry never completes.
   EXPECT_EQ(Frame(0.75f), Log({"entry event a", "state event a", "entry event b", "entry end", "state end",
                                "state start"}));
   EXPECT_EQ(state->tracks[0]->animation, turn);
   EXPECT_EQ(state->tracks[0]->lastTime, -1) << "the new entry has not played yet";
   EXPECT_EQ(Frame(1), Log());
}

TEST_F(AnimationStateTest, ListenersMayReplaceOrClearTheEntryFromAnyNotification)
{
   const struct
   {
      const char* trigger;
      bool clear;
      Log expected;        // heard over the whole run, from setting the animation on
      const char* playing; // left on the track, or null
   } cases[] = {
       {"state complete 1",
        false,
        {"entry complete 1", "state complete 1", "entry end", "state end", "state start"},
        "turn"},
       {"entry complete 1", true, {"entry complete 1", "entry end", "state end"}, nullptr},
       // Ended by the update: the listener's new entry plays on.
       {"state end",
        false,
        {"entry complete 1", "state complete 1", "entry end", "state end", "state start"},
        "turn"},
       {"entry event a", true, {"entry event a", "entry end", "state end"}, nullptr},
       {"state start", false, {"entry complete 1", "state complete 1", "entry end", "state end"}, nullptr},
   };
   for (const auto& c : cases)
   {
      Ears() = Heard();
      if (state->tracks && state->tracks[0])
      {
         skAnimationState_clearTrack(state, 0);
      }
      Set(animation);
      Ears().log.clear();
      Ears().trigger = c.trigger;
      Ears().clear = c.clear;
      Ears().replacement = turn;
      Log heard;
      for (int frame = 0; frame < 6; ++frame)
      {
         const Log step = Frame(0.25f);
         heard.insert(heard.end(), step.begin(), step.end());
      }
      // Events of the first lap are left out of the expectation where nothing happens to them.
      Log kept;
      for (const std::string& line : heard)
      {
         if (line.find("event") == std::string::npos ||
             std::string(c.trigger).find("event") != std::string::npos)
         {
            kept.push_back(line);
         }
      }
      EXPECT_EQ(kept, c.expected) << c.trigger;
      const skTrackEntry* playing = state->tracks[0];
      EXPECT_EQ(std::string(playing ? playing->animation->name : ""), c.playing ? c.playing : "")
          << c.trigger;
   }
}

TEST_F(AnimationStateTest, AListenerSettingTheAnimationAsTheOldOneEndsHasTheLastWord)
{
   Set(animation);
   Frame(0.25f);
   Ears().trigger = "entry end";
   Ears().replacement = turn;
   Ears().log.clear();
   // The caller's instant is dropped unplayed; the listener's turn stays. The state listener
   // hears of the new start inside the entry listener, before its own end notification.
   EXPECT_EQ(skAnimationState_setAnimation(state, instant), nullptr);
   EXPECT_EQ(Ears().log, Log({"entry end", "state start", "state end"}));
   ASSERT_NE(state->tracks[0], nullptr);
   EXPECT_EQ(state->tracks[0]->animation, turn);

   // A listener that starts the next animation whenever one ends keeps the track busy, one
   // animation per update, without recursing.
   skAnimationState_clearTrack(state, 0);
   Set(instant);
   Ears() = Heard();
   Ears().trigger = "state end";
   Ears().replacement = instant;
   Ears().replacementsMax = 1000;
   for (int frame = 0; frame < 50; ++frame)
   {
      Frame(0.1f);
   }
   EXPECT_EQ(Ears().replaced, 49);
   EXPECT_EQ(state->tracks[0]->animation, instant);
}

TEST_F(AnimationStateTest, FailedAllocationsLeaveNothingBehind)
{
   for (long k = 0; k < 4; ++k)
   {
      State().allocations = 0;
      State().failAt = k;
      skAnimationStateData* data = skAnimationStateData_create(loaded->data);
      skAnimationState* other = data ? skAnimationState_create(data) : nullptr;
      skTrackEntry* entry = other ? skAnimationState_setAnimation(other, animation) : nullptr;
      EXPECT_EQ(entry != nullptr, k >= 4) << k;
      State().failAt = -1;
      if (other)
      {
         skAnimationState_dispose(other);
      }
      if (data)
      {
         skAnimationStateData_dispose(data);
      }
   }
}
} // namespace
} // namespace Corvale
