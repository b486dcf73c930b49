// Plays one tutorial: its skeleton and atlas from "Tutorials/<name>/", its one animation played
// once, halted exactly at each narrated line until the line is over, and its events turned into
// dialog lines and sounds.
#pragma once

#include "core/Color.h"
#include "core/Table.h"
#include "core/Types.h"
#include "platform/input/HoldTracker.h"
#include "tutorial/skeleton/skEvent.h"

namespace Corvale
{
class JSONValue;
class LayerWidget;
class NumberLabelWidget;
class PressButtonWidget;
class Sound;
struct skAnimationState;
struct skAnimationStateData;
struct skAtlas;
struct skSkeleton;
struct skSkeletonData;
struct skSkeletonJson;

// Room for a sound's file name and a tutorial's paths.
constexpr u32 TUTORIAL_PATH_SIZE = 260;

class TutorialManager
{
 public:
   TutorialManager();
   TutorialManager(const TutorialManager&) = delete;
   TutorialManager& operator=(const TutorialManager&) = delete;

   // Loads the tutorial named name; on any failure it stays finished.
   void Init(const char* name);
   // Once a frame while the tutorial plays; elapsed in milliseconds.
   void Update(u32 elapsed);
   // Gives back whatever Init made; safe after a failed Init and twice over.
   void Deinit();

   // The "Tutorial" layer's push callback; userData is the manager.
   static void LayerReady(LayerWidget* pushedLayer, void* userData);
   static void BackPress(PressButtonWidget* button, void* userData);
   // The animation state's listener.
   static void AnimationEvent(skAnimationState* state, i32 trackIndex, skEventType type, skEvent* event,
                              i32 loopCount);

   // The "Sound" entry of the event: its file name (TUTORIAL_PATH_SIZE bytes), usage and loop flag.
   bool EventSoundParametersGet(const char* eventName, char* fileName, i32* usage, bool* loop);
   // The "Dialog" entry of the event: its dialog key, and its "TextColor" when that is valid.
   bool EventDialogGet(const char* eventName, const char** dialogKey, bool* hasColor, ColorRGBA8* color);
   // The skin of the current language, else "English"; none past the known languages.
   void SkinApply();

   bool finished = true;
   bool timestampVisible = false;
   skAtlas* atlas = nullptr;
   skSkeletonJson* skeletonJson = nullptr;
   skSkeletonData* skeletonData = nullptr;
   skSkeleton* skeleton = nullptr;
   skAnimationStateData* animationStateData = nullptr;
   skAnimationState* animationState = nullptr;
   Table<Sound*> sounds;
   Table<float> dialogTimes;
   i32 dialogTimeNext = 0;
   float elapsed = 0.0f;
   JSONValue* tutorial = nullptr;
   LayerWidget* layer = nullptr;
   NumberLabelWidget* timestamp = nullptr;
   HoldTracker holdTracker;

 private:
   // The "Events" member of that name when it is an object of that "Type", else null.
   const JSONValue* EventEntryGet(const char* eventName, const char* type) const;
   // Everything after the atlas; false (logged) at the first failure.
   bool SkeletonLoad(const char* name);
   void SoundsPreload();
   void DialogTimesCollect();
};

// The program's one tutorial manager.
extern TutorialManager tutorialManager;
} // namespace Corvale
