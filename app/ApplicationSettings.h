// The user's Settings.json in the save-data folder (window choices, language, profiles), and the
// screen settings that start-up builds from it and from the constants.
#pragma once

#include "platform/window/ScreenSettings.h"

namespace Corvale
{
class JSONValue;

// An object from ApplicationSettingsLoad until ApplicationSettingsSave; null outside.
extern JSONValue* settings;

// Reads Settings.json when there is a save-data folder; else an empty object, also for a file
// that holds no object, which is first set aside as "Settings.json.damaged".
void ApplicationSettingsLoad();
// Records the screen's full-screen and prepared-area choices, writes Settings.json when there is
// a save-data folder, and frees the settings.
void ApplicationSettingsSave();
// The window the program opens: 960 × 720 in a window, or full screen, as settings and constants
// choose.
void ApplicationScreenSettingsBuild(ScreenSettings* screenSettings, WindowProcedure procedure);
} // namespace Corvale
