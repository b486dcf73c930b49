// The local player profiles: their entries in Settings.json, the one current Profile.json held in
// memory, and the loads, saves, switches and deletions of profiles and their saved games.
#pragma once

#include "core/Types.h"

namespace Corvale
{
class JSONValue;

// Relative save-data paths of profiles are built in buffers of this size; one that does not fit
// is not used.
constexpr u32 PROFILE_PATH_SIZE = 260;

// Owned by start-up (ApplicationConsts, ApplicationSettings) and defined here, so that the stores
// below the front end read the same documents: the merged constants, and the user's settings,
// which the store changes in place and writes out.
extern JSONValue* consts;
extern JSONValue* settings;
// Application.h's quit flag, defined here for the same reason.
extern bool quitRequested;
// Set by start-up when a damaged Settings.json could not be set aside: it is then never written
// over.
extern bool settingsSaveRefused;

// The current profile's document (always an object) and name; both null while no profile is
// current. Owned by the store.
extern JSONValue* profileCurrent;
extern char* profileCurrentName;

// Signs in the settings' "Profile", else the constants' "ProfileNameDefault".
void ProfileStoreInit();
// Saves the profile and Settings.json, then lets the profile go.
void ProfileStoreDeinit();
// Saves the current profile, then makes name current (creating its entry and folder number when
// new); none or an empty name signs out. A new folder number is the lowest that no entry uses and
// no folder under "Profiles" has. A damaged Profile.json is set aside and the profile starts empty.
void ProfileLoad(const char* name);
void ProfileSave();
// Records the current profile's name and writes Settings.json.
void SettingsSave();
// Removes the profile's saved games, its file, its folder when empty, and its entries; the
// current profile is dropped unsaved.
void ProfileDelete(const char* name);
// Removes the saved-game files and folders that the profile's own file lists.
void SavedGamesDelete(const char* name);

// The settings' "Profiles", made an empty array first when it is missing or not an array; null
// without settings.
JSONValue* ProfilesGet();
// The first object entry whose "Name" equals name; null for none. Changes nothing.
JSONValue* ProfileEntryGet(const char* name);
// The entry's "FolderNumber" truncated toward zero; -1 without an entry or a number there.
i32 ProfileFolderNumberGet(const char* name);
// "Profiles/<n>/Profile" (without ".json"); false without a folder number or when it does not fit.
bool ProfilePathGet(char* buffer, const char* name);
// Makes "Profiles", "Profiles/<n>" and "Profiles/<n>/SavedGames" as needed, each one durable.
bool ProfileFoldersCreate(const char* name);
// The object of a game's options in the current profile, made when missing; null without a
// current profile or a game.
JSONValue* ProfileMinigameSettingsGet(const char* game);
// Counts the profile loads, so that whoever applies settings can tell that the profile changed.
u32 ProfileLoadCountGet();
} // namespace Corvale
