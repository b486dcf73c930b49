// The tutorial player: loading, the frame step with its exact halts at narrated lines, the
// animation's events as lines and sounds, and the release of everything at the end.
#include "tutorial/TutorialManager.h"

#include <cstdio>
#include <cstring>

#include "cardgame/Minigame.h"
#include "core/Event.h"
#include "core/FileManager.h"
#include "core/JSONParser.h"
#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/StringHelpers.h"
#include "core/TextManager.h"
#include "gui/GUIManager.h"
#include "gui/dialog/DialogManager.h"
#include "gui/state/GameStateManager.h"
#include "gui/widgets/ContainerWidget.h"
#include "gui/widgets/LayerWidget.h"
#include "gui/widgets/NumberLabelWidget.h"
#include "gui/widgets/PressButtonWidget.h"
#include "platform/input/Keyboard.h"
#include "platform/input/PlatformKeys.h"
#include "platform/sound/Sound.h"
#include "platform/sound/SoundManagerOpenAL.h"
#include "tutorial/SkeletonManager.h"
#include "tutorial/skeleton/skAnimation.h"
#include "tutorial/skeleton/skAnimationState.h"
#include "tutorial/skeleton/skAnimationStateData.h"
#include "tutorial/skeleton/skEventData.h"
#include "tutorial/skeleton/skSkeleton.h"
#include "tutorial/skeleton/skSkeletonData.h"
#include "tutorial/skeleton/skSkeletonJson.h"
#include "tutorial/skeleton/skSkin.h"
#include "tutorial/skeleton/skTimeline.h"

namespace Corvale
{
TutorialManager tutorialManager;

namespace
{
constexpr const char* TUTORIAL_LAYER_NAME = "Tutorial";
constexpr const char* SKIN_FALLBACK_NAME = "English";

// "Time: %03d.%03d": whole seconds, then the thousandths.
bool TimestampFormat(double value, char* buffer, u32 bufferSize, void* userData)
{
   (void)userData;
   const i32 milliseconds = value > 0.0 ? static_cast<i32>(value * 1000.0) : 0;
   return NultSnprintf(buffer, bufferSize, "Time: %03d.%03d", milliseconds / 1000, milliseconds % 1000);
}

template <class T> void DisposeAndNull(T** record, void (*dispose)(T*))
{
   if (*record)
   {
      dispose(*record);
      *record = nullptr;
   }
}

bool FloatLess(const float& a, const float& b)
{
   return a < b;
}
} // namespace

TutorialManager::TutorialManager() : sounds(nullptr), dialogTimes(nullptr)
{
}

void TutorialManager::Init(const char* name)
{
   finished = true;
   sounds = Table<Sound*>(allocatorDefault);
   dialogTimes = Table<float>(allocatorDefault);
   holdTracker = HoldTracker();
   dialogManager.Stop();

   if (!GUIManager::Push(TUTORIAL_LAYER_NAME, &TutorialManager::LayerReady, this) && !GUIManager::initialised)
   {
      WarningPrintf("GUIManager::Push -- GUI layer not found: \"%s\"\n", TUTORIAL_LAYER_NAME);
   }
   elapsed = 0.0f;
   dialogTimeNext = 0;
   if (!name)
   {
      return;
   }

   char path[TUTORIAL_PATH_SIZE];
   if (NultSnprintf(path, sizeof(path), "Tutorials/%s/Tutorial", name) && fileManagerResource &&
       JSONParser::GraphicsPathExistsCheck(path))
   {
      JSONParser parser;
      tutorial = parser.GraphicsPathLoad(path, fileManagerResource);
   }

   // A name too long for its paths names no tutorial: that start fails.
   char atlasPath[TUTORIAL_PATH_SIZE];
   if (!NultSnprintf(path, sizeof(path), "Tutorials/%s/skeleton", name) ||
       !NultSnprintf(atlasPath, sizeof(atlasPath), "%s.atlas", path))
   {
      return;
   }
   if (fileManagerResource && fileManagerResource->GraphicsPathSearch(atlasPath, nullptr, 0) &&
       !SkeletonLoad(name))
   {
      return;
   }

   finished = false;
   EventMethodRegister(this, "OnLanguageChange", &TutorialManager::SkinApply);
}

bool TutorialManager::SkeletonLoad(const char* name)
{
   char path[TUTORIAL_PATH_SIZE];
   if (!NultSnprintf(path, sizeof(path), "Tutorials/%s/skeleton", name))
   {
      return false;
   }
   atlas = SkeletonManager::AtlasLoad(path);
   if (!atlas)
   {
      WarningPrintf("TutorialManager::Init -- SkeletonManager::AtlasLoad failed\n");
      return false;
   }
   skeletonJson = skSkeletonJson_create(atlas);
   if (!skeletonJson)
   {
      WarningPrintf("TutorialManager::Init -- skSkeletonJson_create failed\n");
      return false;
   }
   if (!NultSnprintf(path, sizeof(path), "Tutorials/%s/skeleton.json", name))
   {
      return false;
   }
   skeletonData = skSkeletonJson_readSkeletonDataFile(skeletonJson, path);
   if (skeletonJson->error)
   {
      WarningPrintf("TutorialManager::Init -- skSkeletonJson_readSkeletonDataFile error: %s\n",
                    skeletonJson->error);
   }
   if (!skeletonData)
   {
      WarningPrintf("TutorialManager::Init -- skSkeletonJson_readSkeletonDataFile failed\n");
      return false;
   }
   skeleton = skSkeleton_create(skeletonData);
   if (!skeleton)
   {
      WarningPrintf("TutorialManager::Init -- skSkeleton_create failed\n");
      return false;
   }
   animationStateData = skAnimationStateData_create(skeletonData);
   if (!animationStateData)
   {
      WarningPrintf("TutorialManager::Init -- skAnimationStateData_create failed\n");
      return false;
   }
   animationState = skAnimationState_create(animationStateData);
   if (!animationState)
   {
      WarningPrintf("TutorialManager::Init -- skAnimationState_create failed\n");
      return false;
   }
   animationState->listener = &TutorialManager::AnimationEvent;
   skAnimation* animation = skSkeletonData_findAnimation(skeletonData);
   if (!animation)
   {
      WarningPrintf("TutorialManager::Init -- skSkeletonData_findAnimation failed\n");
      return false;
   }
   skAnimationState_setAnimation(animationState, animation);
   SkinApply();
   SoundsPreload();
   DialogTimesCollect();
   return true;
}

void TutorialManager::SoundsPreload()
{
   const JSONValue* events = tutorial ? tutorial->ItemFind("Events") : nullptr;
   if (!events || events->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      return;
   }
   for (JSONValue::Iterator it = events->ItemsBegin(); it.ValidCheck(); it.Next())
   {
      const JSONValue* entry = it.node->value;
      const char* type = entry ? entry->ItemGet("Type")->StringValueGet() : nullptr;
      const char* fileName = entry ? entry->ItemGet("Filename")->StringValueGet() : nullptr;
      if (!type || std::strcmp(type, "Sound") != 0 || !fileName)
      {
         continue;
      }
      Sound* sound = soundManager.Load(fileName);
      if (sound && !sounds.Insert(sound, sounds.count))
      {
         soundManager.Unload(sound);
      }
   }
}

void TutorialManager::DialogTimesCollect()
{
   for (i32 a = 0; a < skeletonData->animationsCount; ++a)
   {
      const skAnimation* animation = skeletonData->animations[a];
      for (i32 t = 0; animation && t < animation->timelinesCount; ++t)
      {
         const skTimeline* timeline = animation->timelines[t];
         if (!timeline || timeline->type != SK_TIMELINE_EVENT)
         {
            continue;
         }
         const skEventTimeline* events = static_cast<const skEventTimeline*>(timeline);
         for (i32 f = 0; f < events->framesCount; ++f)
         {
            const skEvent* event = events->events[f];
            if (event && event->data && EventEntryGet(event->data->name, "Dialog"))
            {
               dialogTimes.Insert(events->frames[f], dialogTimes.count);
            }
         }
      }
   }
   dialogTimes.Sort(&FloatLess);
}

void TutorialManager::Update(u32 elapsedMilliseconds)
{
   float dt = static_cast<float>(elapsedMilliseconds) / 1000.0f;
   if (timestamp)
   {
      timestamp->ValueSet(elapsed);
   }
   if (!dialogManager.IdleCheck())
   {
      dt = 0.0f;
   }
   // The animation stops exactly on the next line's time: its event fires in that frame.
   bool halting = false;
   if (dialogTimeNext < dialogTimes.count && dt >= dialogTimes[dialogTimeNext] - elapsed)
   {
      const float next = dialogTimes[dialogTimeNext];
      dialogTimeNext++;
      dt = next > elapsed ? next - elapsed : 0.0f;
      // Assigned rather than summed, which can fall an ulp short of the event.
      elapsed = next > elapsed ? next : elapsed;
      halting = true;
   }
   else
   {
      elapsed += dt;
   }
   if (animationState && skeleton)
   {
      skAnimationState_update(animationState, dt);
      if (halting && animationState->tracksCount > 0 && animationState->tracks[0])
      {
         animationState->tracks[0]->time = elapsed;
      }
      skAnimationState_apply(animationState, skeleton);
      skSkeleton_updateWorldTransform(skeleton);
   }
   if (!GameStateManager::switchPending && KeyPressedCheck(VK_ESCAPE))
   {
      finished = true;
   }
}

void TutorialManager::Deinit()
{
   Event::OwnerUnregister(this);
   // Each record only when it exists: Init may have stopped anywhere on the way.
   DisposeAndNull(&animationState, &skAnimationState_dispose);
   DisposeAndNull(&animationStateData, &skAnimationStateData_dispose);
   DisposeAndNull(&skeleton, &skSkeleton_dispose);
   DisposeAndNull(&skeletonData, &skSkeletonData_dispose);
   DisposeAndNull(&skeletonJson, &skSkeletonJson_dispose);
   SkeletonManager::AtlasRelease(atlas);
   atlas = nullptr;
   dialogTimes = Table<float>(dialogTimes.allocator);
   dialogTimeNext = 0;
   for (i32 i = 0; i < sounds.count; ++i)
   {
      soundManager.Unload(sounds[i]);
   }
   sounds = Table<Sound*>(sounds.allocator);
   if (tutorial)
   {
      MemoryDelete(tutorial);
      tutorial = nullptr;
   }

   dialogManager.Stop();
   // The balloon lives in our layer, which is about to go: take it out first, and give it back
   // to a game that is still showing.
   if (layer)
   {
      dialogManager.WidgetRemove();
      Minigame* game = dynamic_cast<Minigame*>(GameStateManager::current);
      if (game && game->layer && !GameStateManager::switchPending)
      {
         dialogManager.WidgetAdd(dynamic_cast<ContainerWidget*>(
             game->layer->DescendantGetByPath(game->DialogContainerNameGet())));
      }
   }
   timestamp = nullptr;
   ContainerWidget* root = GUIManager::root;
   if (layer && root && root->ChildIndexGet(layer) >= 0)
   {
      root->ChildRemove(layer);
   }
   layer = nullptr;
}

void TutorialManager::LayerReady(LayerWidget* pushedLayer, void* userData)
{
   TutorialManager* manager = static_cast<TutorialManager*>(userData);
   if (!manager || !pushedLayer)
   {
      return;
   }
   manager->layer = pushedLayer;
   dialogManager.WidgetRemove();
   dialogManager.WidgetAdd(pushedLayer);
   manager->timestamp = dynamic_cast<NumberLabelWidget*>(pushedLayer->DescendantGetByPath("Timestamp"));
   if (manager->timestamp)
   {
      manager->timestamp->TextFormatFunctionSet(&TimestampFormat, nullptr);
      manager->timestamp->VisibleSet(manager->timestampVisible);
   }
   PressButtonWidget::OnClickCallbackSet("Tutorial.MenuBar.Back", &TutorialManager::BackPress, manager);
}

void TutorialManager::BackPress(PressButtonWidget* button, void* userData)
{
   (void)button;
   TutorialManager* manager = static_cast<TutorialManager*>(userData);
   if (manager)
   {
      manager->finished = true;
   }
}

void TutorialManager::AnimationEvent(skAnimationState* state, i32 trackIndex, skEventType type,
                                     skEvent* event, i32 loopCount)
{
   (void)state;
   (void)trackIndex;
   (void)loopCount;
   TutorialManager* manager = &tutorialManager;
   if (type == SK_ANIMATION_COMPLETE)
   {
      manager->finished = true;
      return;
   }
   if (type != SK_ANIMATION_EVENT || !event || !event->data)
   {
      return;
   }
   const char* eventName = event->data->name;
   char fileName[TUTORIAL_PATH_SIZE];
   i32 usage = SOUND_USAGE_EFFECTS;
   bool loop = false;
   if (manager->EventSoundParametersGet(eventName, fileName, &usage, &loop))
   {
      Sound* sound = soundManager.SoundLoadedGet(fileName);
      if (sound)
      {
         Sound::Play(sound, nullptr, loop, usage);
         return;
      }
   }
   const char* dialogKey = nullptr;
   bool hasColor = false;
   ColorRGBA8 color;
   if (manager->EventDialogGet(eventName, &dialogKey, &hasColor, &color) && dialogKey)
   {
      dialogManager.DialogPlay(dialogKey, nullptr);
   }
}

const JSONValue* TutorialManager::EventEntryGet(const char* eventName, const char* type) const
{
   if (!tutorial || !eventName)
   {
      return nullptr;
   }
   const JSONValue* events = tutorial->ItemFind("Events");
   const JSONValue* entry =
       events && events->TypeGet() == JSONValue::TYPE_OBJECT ? events->ItemFind(eventName) : nullptr;
   if (!entry || entry->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      return nullptr;
   }
   const char* entryType = entry->ItemGet("Type")->StringValueGet();
   return entryType && std::strcmp(entryType, type) == 0 ? entry : nullptr;
}

bool TutorialManager::EventSoundParametersGet(const char* eventName, char* fileName, i32* usage, bool* loop)
{
   const JSONValue* entry = EventEntryGet(eventName, "Sound");
   const char* file = entry ? entry->ItemGet("Filename")->StringValueGet() : nullptr;
   if (!file)
   {
      return false;
   }
   *usage = SOUND_USAGE_EFFECTS;
   const JSONValue* usageValue = entry->ItemFind("Usage");
   const char* usageName = usageValue ? usageValue->StringValueGet() : nullptr;
   if (usageName)
   {
      static const char* const usageNames[] = {"SFX", "Music", "Speech"};
      i32 found = -1;
      for (i32 i = 0; i < 3; ++i)
      {
         if (std::strcmp(usageName, usageNames[i]) == 0)
         {
            found = i;
         }
      }
      if (found < 0)
      {
         WarningPrintf("TutorialManager::EventSoundParametersGet -- Unrecognized sound usage type: %s\n",
                       usageName);
         return false;
      }
      *usage = found;
   }
   if (!NultStrncpy(fileName, file, TUTORIAL_PATH_SIZE))
   {
      return false;
   }
   *loop = entry->ItemGet("Loop")->BoolValueGet();
   return true;
}

bool TutorialManager::EventDialogGet(const char* eventName, const char** dialogKey, bool* hasColor,
                                     ColorRGBA8* color)
{
   const JSONValue* entry = EventEntryGet(eventName, "Dialog");
   const char* key = entry ? entry->ItemGet("Dialog")->StringValueGet() : nullptr;
   if (!key)
   {
      return false;
   }
   *dialogKey = key;
   const char* colorText = entry->ItemGet("TextColor")->StringValueGet();
   *hasColor = colorText && ColorRGBA8FromString(colorText, color);
   return true;
}

void TutorialManager::SkinApply()
{
   if (!skeleton || !skeletonData)
   {
      return;
   }
   // The skins are named after the languages.
   const char* language = textManager.LanguageCurrentNameGet();
   if (!language)
   {
      skSkeleton_setSkin(skeleton, nullptr);
      return;
   }
   skSkin* skin = skSkeletonData_findSkin(skeletonData, language);
   if (!skin)
   {
      skin = skSkeletonData_findSkin(skeletonData, SKIN_FALLBACK_NAME);
   }
   if (skin)
   {
      skSkeleton_setSkin(skeleton, skin);
   }
}
} // namespace Corvale
