// Reads and writes the user's Settings.json and turns it into the screen's start-up settings.
#include "app/ApplicationSettings.h"

#include "app/ApplicationConsts.h"
#include "app/profile/DamagedFile.h"
#include "app/profile/ProfileStore.h"
#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "platform/window/Screen.h"

namespace Corvale
{
// settings itself is defined with the profile store, which changes it and writes it out.

namespace
{
// The settings' own flag when it is a JSON bool, else the constants' default flag.
bool SettingOrDefaultFlagGet(const char* key, const char* defaultKey)
{
   if (settings && settings->MemberIsBool(key))
   {
      return settings->ItemGet(key)->BoolValueGet();
   }
   return ApplicationFlagGet(consts, defaultKey);
}
} // namespace

void ApplicationSettingsLoad()
{
   MemoryDelete(settings);
   // A damaged file is set aside, so that saving over it keeps the program's own keys without
   // losing the player's profiles and statistics.
   settings = SaveDataObjectLoad("Settings", HEAP_DEFAULT, &settingsSaveRefused);
   if (!settings)
   {
      settings = JSONValue::New(HEAP_DEFAULT);
      if (!settings)
      {
         ErrorPrintf("ApplicationSettingsLoad -- unable to allocate the settings\n");
      }
      settings->ObjectSet();
   }
   ProfileStoreInit();
}

void ApplicationSettingsSave()
{
   if (!settings)
   {
      return;
   }
   settings->ItemBoolSet("Fullscreen", screen.fullscreen != 0);
   settings->ItemBoolSet("PreparedAreaWindowedEnabled", screen.preparedAreaWindowedEnabled != 0);
   ProfileStoreDeinit();
   MemoryDelete(settings);
   settings = nullptr;
}

void ApplicationScreenSettingsBuild(ScreenSettings* screenSettings, WindowProcedure procedure)
{
   *screenSettings = ScreenSettings();
   screenSettings->fullscreen = SettingOrDefaultFlagGet("Fullscreen", "FullscreenDefault") ? 1 : 0;
   if (consts && consts->MemberIsBool("KeepAspectRatio"))
   {
      screenSettings->aspectMode = consts->ItemGet("KeepAspectRatio")->BoolValueGet() ? 1 : 0;
   }
   screenSettings->width = 960;
   screenSettings->height = 720;
   screenSettings->title = consts ? consts->ItemGet("WindowTitle")->StringValueGet() : nullptr;
   // Wait for the display's retrace: a still screen need not be redrawn faster than it is shown.
   screenSettings->swapIntervalOn = 1;
   screenSettings->multisampleLevel = 0;
   screenSettings->screenshotKey = 120;
   screenSettings->cursorHide = 0;
   screenSettings->cursorClipMode = 0;
   screenSettings->preparedAreaFullscreenEnabled = 1;
   screenSettings->preparedAreaWindowedEnabled =
       SettingOrDefaultFlagGet("PreparedAreaWindowedEnabled", "PreparedAreaWindowedEnabledDefault") ? 1 : 0;
   screenSettings->preparedArea[0] = -160;
   screenSettings->preparedArea[1] = 0;
   screenSettings->preparedArea[2] = 1280;
   screenSettings->preparedArea[3] = 720;
   screenSettings->desktopOverride = 0;
   screenSettings->iconId = 101;
   screenSettings->windowProcedure = procedure;
   screenSettings->heapId = HEAP_DEFAULT;
}
} // namespace Corvale
