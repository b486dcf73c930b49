// The dialog player: speech or balloon text per line, the speaker's talking animation, group
// rotation, and the replay of the visible line when the language changes.
#include "gui/dialog/DialogManager.h"

#include <mutex>

#include "core/Event.h"
#include "core/FileManager.h"
#include "core/JSONValue.h"
#include "core/Memory.h"
#include "core/Random.h"
#include "core/StringHelpers.h"
#include "core/TextManager.h"
#include "gui/widgets/ContainerWidget.h"
#include "gui/dialog/DialogPortraitWidget.h"
#include "gui/dialog/DialogWidget.h"
#include "gui/GUIManager.h"
#include "platform/input/MouseManager.h"
#include "platform/sound/SoundManagerOpenAL.h"
#include "platform/sound/SoundSourceCommon.h"
#include "platform/sound/SoundStreamSource.h"

namespace Corvale
{
DialogManager dialogManager;

DialogManager::DialogManager() : groupCounters(nullptr)
{
}

const JSONValue* DialogManager::ConstantsObjectGet(const char* key) const
{
   if (!constants)
   {
      return nullptr;
   }
   const JSONValue* value = constants->ItemFind(key);
   return value && value->TypeGet() == JSONValue::TYPE_OBJECT ? value : nullptr;
}

void DialogManager::Init(const JSONValue* constantsUsed, const u32* languageIndex)
{
   GroupCountersClear();
   groupCounters.allocator = allocatorDefault;
   constants = constantsUsed;
   language = languageIndex;
   position = Point2F{0.0f, 0.0f};
   speakerTalking = 0;
   currentDialogName[0] = '\0';

   speechSource = MemoryNew<SoundStreamSource>(HEAP_DEFAULT);
   if (speechSource)
   {
      speechSource->volume = 100;
   }
   else
   {
      WarningPrintf("DialogManager::Init -- unable to allocate the speech source\n");
   }

   // Each group starts at a random line, so a run does not always open with the same remark.
   const JSONValue* groups = ConstantsObjectGet("DialogGroups");
   if (groups)
   {
      for (JSONValue::Iterator it = groups->ItemsBegin(); it.ValidCheck(); it.Next())
      {
         const char* groupName = it.node->key;
         const JSONValue* lines = it.node->value;
         if (!lines || lines->TypeGet() != JSONValue::TYPE_ARRAY || lines->CountGet() < 1)
         {
            continue;
         }
         char* name = StringDuplicate(groupName, HEAP_DEFAULT);
         i32* counter = static_cast<i32*>(MemoryAllocate(sizeof(i32), HEAP_DEFAULT, MEMORY_ALIGNMENT_MIN));
         if (!name || !counter)
         {
            WarningPrintf("DialogManager::Init -- unable to allocate the counter of group \"%s\"\n",
                          groupName);
            MemoryFree(name);
            MemoryFree(counter);
            continue;
         }
         *counter = static_cast<i32>(RandomIntegerGet(static_cast<u32>(lines->CountGet())));
         if (!groupCounters.Insert(name, counter))
         {
            MemoryFree(name);
            MemoryFree(counter);
         }
      }
   }

   EventRegister("OnLanguageChange", &DialogManager::OnLanguageChange);
}

void DialogManager::EventRegister(const char* key, void (DialogManager::*method)())
{
   EventMethodRegister(this, key, method, 0);
}

void DialogManager::GroupCountersClear()
{
   using Node = GroupCounterMap::Node;
   for (Node* node = groupCounters.First(); node != groupCounters.End(); node = groupCounters.Next(node))
   {
      MemoryFree(const_cast<char*>(node->key));
      MemoryFree(node->value);
   }
   groupCounters.Clear();
}

void DialogManager::Deinit()
{
   Event::OwnerUnregister(this);
   Stop();
   WidgetRemove();
   SpeakerClear();
   if (speechSource)
   {
      if (soundManager.SoundThreadRunningCheck())
      {
         speechSource->Stop();
      }
      MemoryDelete(speechSource);
      speechSource = nullptr;
   }
   GroupCountersClear();
   constants = nullptr;
   language = nullptr;
}

bool DialogManager::SpeechPlayingCheck()
{
   if (!speechSource)
   {
      return false;
   }
   // A play still queued for the sound thread counts too: the line must hold the game from the
   // frame it was asked for, not from the frame the thread gets to it.
   std::lock_guard<std::mutex> guard(speechSource->lock);
   return speechSource->stream != nullptr || speechSource->state != SOUND_SOURCE_IDLE;
}

void DialogManager::SpeakerClear()
{
   if (!speaker)
   {
      return;
   }
   DialogPortraitWidget* portrait = speaker;
   speaker = nullptr;
   portrait->DialogManagerSet(nullptr);
   if (speakerTalking)
   {
      portrait->TalkStop();
   }
}

void DialogManager::SpeakerRelease(DialogPortraitWidget* portrait)
{
   if (portrait && portrait == speaker)
   {
      speaker = nullptr;
      speakerTalking = 0;
   }
}

void DialogManager::Stop()
{
   if (balloon)
   {
      balloon->TextClear();
   }
   // Without a sound thread nothing can be playing, and the wait would have no one to answer it.
   if (speechSource && soundManager.SoundThreadRunningCheck())
   {
      speechSource->Stop();
   }
   SpeakerClear();
   speakerTalking = 0;
}

bool DialogManager::IdleCheck()
{
   return !SpeechPlayingCheck() && (!balloon || balloon->StateGet() == DIALOG_STATE_EMPTY);
}

const char* DialogManager::GroupDialogNameGet(const char* group)
{
   if (!group)
   {
      return nullptr;
   }
   const JSONValue* groups = ConstantsObjectGet("DialogGroups");
   const JSONValue* lines = groups ? groups->ItemFind(group) : nullptr;
   if (!lines || lines->TypeGet() != JSONValue::TYPE_ARRAY || lines->CountGet() < 1)
   {
      return nullptr;
   }
   GroupCounterMap::Node* node = groupCounters.Find(group);
   if (node == groupCounters.End())
   {
      return nullptr;
   }
   const i32 count = lines->CountGet();
   // The constants may hold fewer lines than when the counter was set.
   const i32 index = *node->value >= 0 && *node->value < count ? *node->value : 0;
   *node->value = (index + 1) % count;
   return lines->ElementGet(index)->StringValueGet();
}

void DialogManager::DialogPlay(const char* dialogName, DialogPortraitWidget* portrait)
{
   if (!dialogName || !balloon)
   {
      return;
   }
   const JSONValue* dialogs = ConstantsObjectGet("Dialogs");
   const JSONValue* dialog = dialogs ? dialogs->ItemFind(dialogName) : nullptr;
   if (!dialog || dialog->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      return;
   }
   Stop();
   if (!NultStrncpy(currentDialogName, dialogName, sizeof(currentDialogName)))
   {
      currentDialogName[0] = '\0';
      return;
   }

   bool speaking = false;
   const char* speech = dialog->ItemGet("Speech")->StringValueGet();
   const char* languageName = language ? TextManager::LanguageNameGet(*language) : nullptr;
   char path[DIALOG_SPEECH_PATH_SIZE];
   // Without a running sound thread a stream never starts: the line shows as a balloon instead.
   if (speech && languageName && speechSource && fileManagerResource && soundManager.SoundThreadRunningCheck() &&
       NultSnprintf(path, sizeof(path), "Speech/%s/%s", languageName, speech) &&
       soundManager.StreamExistsCheck(path))
   {
      soundManager.StreamPlay(path, speechSource, false, DIALOG_SPEECH_USAGE, fileManagerResource);
      speaking = true;
   }
   if (!speaking)
   {
      const char* key = dialog->ItemGet("TextKey")->StringValueGet();
      const char* text = key ? textManager.TextGet(key) : nullptr;
      if (!text)
      {
         return;
      }
      balloon->TextAppend(text, &balloon->textColor);
   }

   if (portrait)
   {
      speaker = portrait;
      portrait->DialogManagerSet(this);
      portrait->TalkStart();
      speakerTalking = 1;
   }
}

void DialogManager::Update()
{
   if (mouseStateSystem.PressedCheck(MOUSE_BUTTON_LEFT) && GUIManager::InputAllowedCheck() &&
       SpeechPlayingCheck())
   {
      speechSource->Stop();
   }
   if (!speaker)
   {
      return;
   }
   const bool speaking = (balloon && balloon->StateGet() == DIALOG_STATE_REVEALING) || SpeechPlayingCheck();
   if (!speakerTalking && speaking)
   {
      speaker->TalkStart();
   }
   else if (speakerTalking && !speaking)
   {
      speaker->TalkStop();
   }
   speakerTalking = speaking ? 1 : 0;
}

void DialogManager::OnLanguageChange()
{
   if (!balloon || balloon->StateGet() == DIALOG_STATE_EMPTY || currentDialogName[0] == '\0')
   {
      return;
   }
   char name[DIALOG_NAME_SIZE];
   if (NultStrncpy(name, currentDialogName, sizeof(name)))
   {
      DialogPlay(name, speaker);
   }
}

void DialogManager::WidgetAdd(ContainerWidget* container)
{
   if (balloon || !container)
   {
      return;
   }
   const JSONValue* specification = ConstantsObjectGet("DialogWidget");
   if (!specification)
   {
      return;
   }
   DialogWidget* widget = MemoryNew<DialogWidget>(HEAP_DEFAULT);
   if (!widget)
   {
      WarningPrintf("DialogManager::WidgetAdd -- unable to allocate the balloon\n");
      return;
   }
   widget->Init("Dialog", container, specification);
   widget->manager = this;
   container->ChildAddLast(widget);
   balloon = widget;
   WidgetPositionApply();
}

void DialogManager::WidgetRemove()
{
   Stop();
   if (!balloon)
   {
      return;
   }
   DialogWidget* widget = balloon;
   balloon = nullptr;
   widget->manager = nullptr;
   if (widget->removed)
   {
      // Its container went first: the GUI manager's removed chain ends it.
      return;
   }
   ContainerWidget* container = static_cast<ContainerWidget*>(widget->ParentGet());
   if (!container || !container->ChildRemove(widget))
   {
      // Taken out of its container by hand: nobody else will end it.
      widget->Deinit();
      MemoryDelete(widget);
   }
}

void DialogManager::WidgetPositionApply()
{
   if (balloon)
   {
      balloon->PositionAbsoluteSet(position.x, position.y);
   }
}
} // namespace Corvale
