// Plays the named lines of the dialog constants, one at a time: as recorded speech when the
// current language has it, else as text revealed in the balloon, with the speaker's portrait
// talking meanwhile; and hands out the lines of named groups in rotation.
#pragma once

#include "core/Map.h"
#include "core/Point.h"
#include "core/Types.h"

namespace Corvale
{
class ContainerWidget;
class DialogPortraitWidget;
class DialogWidget;
class JSONValue;
class SoundStreamSource;

constexpr u32 DIALOG_NAME_SIZE = 64;
// Room for "Speech/<language>/<speech>" and the ".snd" the sound manager adds.
constexpr u32 DIALOG_SPEECH_PATH_SIZE = 260;
// Sound usage of speech (the speech volume).
constexpr i32 DIALOG_SPEECH_USAGE = 2;

class DialogManager
{
 public:
   typedef Map<const char*, i32*> GroupCounterMap;

   DialogManager();
   DialogManager(const DialogManager&) = delete;
   DialogManager& operator=(const DialogManager&) = delete;

   // constants holds "Dialogs", "DialogGroups" and "DialogWidget" and must outlive the manager;
   // languageIndex is the application's current language, read whenever a line plays.
   void Init(const JSONValue* constants, const u32* languageIndex);
   void Deinit();
   // Once a frame, after the GUI manager.
   void Update();
   // Ends the current line at once.
   void Stop();
   // No speech playing and no balloon, or an empty one.
   bool IdleCheck();
   // The next line of the group, or null.
   const char* GroupDialogNameGet(const char* group);
   // The portrait may be null.
   void DialogPlay(const char* dialogName, DialogPortraitWidget* portrait);
   void WidgetAdd(ContainerWidget* container);
   void WidgetRemove();
   // Moves the balloon to position, in absolute (virtual) coordinates.
   void WidgetPositionApply();
   void OnLanguageChange();
   void EventRegister(const char* key, void (DialogManager::*method)());
   // A portrait that goes away stops being the speaker.
   void SpeakerRelease(DialogPortraitWidget* portrait);

   Point2F position;
   DialogWidget* balloon = nullptr;
   DialogPortraitWidget* speaker = nullptr;
   u8 speakerTalking = 0;
   SoundStreamSource* speechSource = nullptr;
   char currentDialogName[DIALOG_NAME_SIZE] = {};
   GroupCounterMap groupCounters;
   const JSONValue* constants = nullptr;
   const u32* language = nullptr;

 private:
   // The constants' member of that name when it is an object, else null.
   const JSONValue* ConstantsObjectGet(const char* key) const;
   bool SpeechPlayingCheck();
   void SpeakerClear();
   void GroupCountersClear();
};

// The program's one dialog manager.
extern DialogManager dialogManager;
} // namespace Corvale
