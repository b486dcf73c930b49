// The current profile's unlocked items and the unlock message queue with its message boxes.
#include "app/profile/Unlockables.h"

#include "app/profile/MessageBoxItemUnlockPopup.h"
#include "app/profile/ProfileStore.h"
#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/StringHelpers.h"
#include "gui/popup/PopupManager.h"
#include "gui/state/GameStateManager.h"

namespace Corvale
{
Table<UnlockMessage> unlockMessages;

namespace
{
// Item-name keys are formed in buffers of this size.
constexpr u32 ITEM_NAME_KEY_SIZE = 256;
// Item names made of numbers.
constexpr u32 ITEM_NUMBER_NAME_SIZE = 260;

void UnlockMessageFree(UnlockMessage* message)
{
   MemoryFree(message->messageKey);
   MemoryFree(message->itemNameKey);
   message->messageKey = nullptr;
   message->itemNameKey = nullptr;
}

void UnlockMessageQueue(const char* messageKey, const char* itemNameKey)
{
   UnlockMessage message = {StringDuplicate(messageKey, HEAP_DEFAULT),
                            itemNameKey ? StringDuplicate(itemNameKey, HEAP_DEFAULT) : nullptr};
   if (!message.messageKey || (itemNameKey && !message.itemNameKey) || !unlockMessages.Insert(message, 0))
   {
      WarningPrintf("UnlockMessageQueue -- unable to queue the message \"%s\"\n", messageKey);
      UnlockMessageFree(&message);
   }
}

// Stores true under the name; false when there is nothing to unlock or it was unlocked already.
bool ItemStore(const char* type, const char* name)
{
   if (!type || !name || !profileCurrent)
   {
      return false;
   }
   JSONValue* items = UnlockablesTypeGetOrAdd(type);
   if (!items || items->ItemGet(name)->BoolValueGet())
   {
      return false;
   }
   return items->ItemBoolSet(name, true) != &JSONValue::nullValue;
}

// The message key of the type, or null when the constants give none.
const char* UnlockMessageKeyGet(const char* type)
{
   return consts ? consts->ItemGet("ItemTypeUnlockMessages")->ItemGet(type)->StringValueGet() : nullptr;
}

// The box's OK: the entry it showed is the last one.
void OnUnlockMessageOK(MessageBoxPopup*, PressButtonWidget*, void*)
{
   if (unlockMessages.count > 0)
   {
      UnlockMessageFree(&unlockMessages[unlockMessages.count - 1]);
      unlockMessages.SizeSet(unlockMessages.count - 1);
   }
}

bool MessageBoxOpenCheck()
{
   for (i32 i = 0; i < PopupManager::popups.count; i++)
   {
      if (dynamic_cast<MessageBoxPopup*>(PopupManager::popups[i]))
      {
         return true;
      }
   }
   return false;
}
} // namespace

JSONValue* UnlockablesTypeGet(const char* type)
{
   const JSONValue* unlockables = profileCurrent ? profileCurrent->ItemGet("Unlockables") : nullptr;
   JSONValue* items = unlockables && type ? unlockables->ItemFind(type) : nullptr;
   return items && items->TypeGet() == JSONValue::TYPE_OBJECT ? items : nullptr;
}

JSONValue* UnlockablesTypeGetOrAdd(const char* type)
{
   if (!profileCurrent || !type)
   {
      return nullptr;
   }
   JSONValue* unlockables = profileCurrent->ItemFind("Unlockables");
   if (!unlockables || unlockables->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      unlockables = profileCurrent->ItemObjectSet("Unlockables");
   }
   JSONValue* items = unlockables->ItemFind(type);
   if (!items || items->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      items = unlockables->ItemObjectSet(type);
   }
   return items->TypeGet() == JSONValue::TYPE_OBJECT ? items : nullptr;
}

bool ItemUnlockedCheck(const char* type, const char* name)
{
   const JSONValue* items = name ? UnlockablesTypeGet(type) : nullptr;
   return items && items->ItemGet(name)->BoolValueGet();
}

bool SongUnlockedCheck(const char* name)
{
   return ItemUnlockedCheck("Song", name);
}

bool CardFrontStyleUnlockedCheck(const char* name)
{
   return ItemUnlockedCheck("CardFrontStyle", name);
}

bool CardBackStyleUnlockedCheck(const char* name)
{
   return ItemUnlockedCheck("CardBackStyle", name);
}

void ItemUnlock(const char* type, const char* name)
{
   if (!ItemStore(type, name))
   {
      return;
   }
   const char* messageKey = UnlockMessageKeyGet(type);
   const JSONValue* prefixes = consts ? consts->ItemGet("ItemNameTextKeyPrefixes") : &JSONValue::nullValue;
   if (!messageKey || prefixes->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      return;
   }
   const char* prefix = prefixes->ItemGet(type)->StringValueGet();
   char itemNameKey[ITEM_NAME_KEY_SIZE];
   const bool named = prefix && NultSnprintf(itemNameKey, sizeof(itemNameKey), "%s%s", prefix, name);
   UnlockMessageQueue(messageKey, named ? itemNameKey : nullptr);
}

void ItemUnlockByNumber(const char* type, i32 number)
{
   char name[ITEM_NUMBER_NAME_SIZE];
   if (!NultSnprintf(name, sizeof(name), "%d", number) || !ItemStore(type, name))
   {
      return;
   }
   const char* messageKey = UnlockMessageKeyGet(type);
   if (messageKey)
   {
      UnlockMessageQueue(messageKey, nullptr);
   }
}

void UnlockMessagesServe()
{
   if (GameStateManager::switchPending || quitRequested || unlockMessages.count == 0 || MessageBoxOpenCheck())
   {
      return;
   }
   const UnlockMessage& message = unlockMessages[unlockMessages.count - 1];
   if (!message.messageKey)
   {
      return;
   }
   MessageBoxPopup* box = nullptr;
   if (!message.itemNameKey)
   {
      box = MessageBoxPopup::Show(message.messageKey, "MessageBoxOKUnlock");
   }
   else
   {
      MessageBoxItemUnlockPopup* named = MemoryNew<MessageBoxItemUnlockPopup>(HEAP_DEFAULT);
      if (named)
      {
         NultStrncpy(named->layerName, "MessageBoxOKUnlockNamed", sizeof(named->layerName));
         named->hasLayer = 1;
         named->heapOwned = 1;
         PopupManager::Open(named);
         named->TextSet(message.messageKey, MESSAGE_BOX_TEXT_KEY);
         named->ItemTextSet(message.itemNameKey);
      }
      box = named;
   }
   if (box)
   {
      box->onOK = &OnUnlockMessageOK;
   }
}

void UnlockMessagesClear()
{
   for (i32 i = 0; i < unlockMessages.count; i++)
   {
      UnlockMessageFree(&unlockMessages[i]);
   }
   // Moving an empty table in gives the buffer back.
   unlockMessages = Table<UnlockMessage>();
}
} // namespace Corvale
