// Loads the resources named in resource lists a few at a time, within a time budget per update,
// so that the loading screen keeps drawing and can show progress; undoes or releases them later.
#pragma once

#include "core/Clock.h"
#include "core/JSONValue.h"
#include "core/Map.h"
#include "core/Table.h"
#include "core/Types.h"
#include "platform/loader/LoaderIterativeDelegateFont.h"
#include "platform/loader/LoaderIterativeDelegateSound.h"
#include "platform/loader/LoaderIterativeDelegateSpriteResourceFile.h"
#include "platform/loader/LoaderIterativeDelegateTexture.h"
#include "platform/loader/LoaderIterativeDelegateTextureResourceFile.h"

namespace Corvale
{
class LoaderIterative
{
 public:
   typedef Map<const char*, LoaderIterativeDelegate*> DelegateMap;

   LoaderIterative();
   ~LoaderIterative();
   LoaderIterative(const LoaderIterative&) = delete;
   LoaderIterative& operator=(const LoaderIterative&) = delete;

   void Init();
   void Deinit();
   // Queues a resource list (a JSON array of items); the caller keeps it alive while it is used.
   void ListAdd(JSONValue* list);
   // Works through the lists until they are done or the time budget is used up.
   void Update();
   bool DoneCheck();
   // Percent of all items of all lists.
   float ProgressGet();
   // Undoes the item in progress, then releases the completed items, last first.
   void Cancel();
   // Releases every completed item, and undoes the one in progress.
   void UnloadAll();
   LoaderIterativeDelegate* DelegateGet(const char* typeName);

   u8 initialised = 0;
   i32 heapId = HEAP_TEMP;
   u32 timeBudget = 16;
   i32 itemIndex = 0;
   i32 listIndex = 0;
   LoaderIterativeDelegate* currentDelegate = nullptr;
   Table<JSONValue*> lists;
   DelegateMap delegates;
   LoaderIterativeDelegateSound delegateSound;
   LoaderIterativeDelegateFont delegateFont;
   LoaderIterativeDelegateSpriteResourceFile delegateSpriteResourceFile;
   LoaderIterativeDelegateTexture delegateTexture;
   LoaderIterativeDelegateTextureResourceFile delegateTextureResourceFile;
   // The "GUILayer" delegate lives with the GUI, which this layer can't name: its owner sets it
   // before Init, and Init registers it.
   LoaderIterativeDelegate* delegateGUILayer = nullptr;
   // The time base of the budget; the application may point it at its own clock.
   ClockCommon* clock;

 private:
   // Registers a delegate under an owned copy of the name; a name already present keeps its own.
   void DelegateRegister(const char* typeName, LoaderIterativeDelegate* delegate);
   // The delegate of an object item with a string "Type", or null.
   LoaderIterativeDelegate* ItemDelegateGet(JSONValue* item);
   // After everything loaded has been given back: nothing is left to release twice.
   void ListsForget();

   Clock clockOwn;
};
} // namespace Corvale
