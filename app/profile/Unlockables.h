// Items a profile unlocks by play (songs, backgrounds, card styles), and the queue of unlock
// messages that the frame loop shows one message box at a time.
#pragma once

#include "core/Table.h"
#include "core/Types.h"

namespace Corvale
{
class JSONValue;

// One queued message: the message's text key, and the key of the item's name or none. Both are
// owned copies.
struct UnlockMessage
{
   char* messageKey;
   char* itemNameKey;
};

// Newest first; the last entry is the one shown.
extern Table<UnlockMessage> unlockMessages;

// The current profile's "Unlockables" object of a type, or null where any level is missing or
// not an object.
JSONValue* UnlockablesTypeGet(const char* type);
// The same, making the missing or mistyped levels empty objects; null without a profile.
JSONValue* UnlockablesTypeGetOrAdd(const char* type);
// Whether the current profile unlocked the item: a true or a number other than 0 under its name.
bool ItemUnlockedCheck(const char* type, const char* name);
bool SongUnlockedCheck(const char* name);
bool CardFrontStyleUnlockedCheck(const char* name);
bool CardBackStyleUnlockedCheck(const char* name);

// Unlocks the item and queues the type's message with the item's name; an item unlocked already
// queues nothing.
void ItemUnlock(const char* type, const char* name);
// Unlocks the item named by the number in decimal and queues the type's message alone.
void ItemUnlockByNumber(const char* type, i32 number);

// Once a frame: shows the oldest message when no message box is open and no state switch or
// quit is pending. Its OK takes the entry off the queue.
void UnlockMessagesServe();
// Frees every entry and the table.
void UnlockMessagesClear();
} // namespace Corvale
