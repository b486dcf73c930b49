// The application's own start-up and shutdown between the engine's (language, texts, fonts, the
// managers of the front end) and the globals that live for the whole run.
#pragma once

#include "core/Types.h"

namespace Corvale
{
class Font;
class LoaderIterative;
class MouseCursor;

// Ends the frame loop after the current pass; menu handlers ignore input while it is set.
extern bool quitRequested;
// Opens the update page once the screen is gone.
extern bool updatePageOpenAtExit;
// Set by the loading screen once its resource lists are loaded; they are unloaded at shutdown.
extern bool loadingScreenResourcesLoaded;
// "AauxProBOutlined", loaded by ApplicationInit.
extern Font* defaultFont;
// The current language, an index into the text manager's languages.
extern u32 languageIndex;
// Several languages exist and the settings named none: the root menu offers the choice.
extern bool languageChoiceFirstRun;
// The loading screen's loader, with the GUI layer delegate; its first list is the constants'
// "LoadingScreenResources".
extern LoaderIterative loadingScreenLoader;
// The front end's custom cursor, drawn over the GUI each frame; null while the system cursor serves.
extern MouseCursor* mouseCursor;

// The index of a language by its folder name, -1 when there is none of that name.
i32 LanguageIndexGet(const char* name);
// The language of the settings' "Language", else the constants' "LanguageDefault"; a change
// fires "OnLanguageChange" with the old and new indices.
void ApplicationLanguageInit();
// Makes index the current language; a change fires "OnLanguageChange" with the old and new indices,
// which reloads the texts and refreshes every text shown.
void LanguageCurrentSet(u32 index);
// Seeds the shared random generator from a 64-bit file time (100 ns ticks since 1601).
void ApplicationRandomSeed(u64 fileTime);

// Resets the fade, sizes and registers it, and starts 500 ms from opaque black to transparent.
void ApplicationFadeInit();

// The first game states: the splash screen when the constants' "SplashScreenImages" is a string,
// with the loading screen below it; else the loading screen alone.
void ApplicationFirstStatesInit();

// The root menu (RootMenuGet) below the loading screen, marked as entered for the first time and
// told of the first-run language choice.
void ApplicationRootMenuInit();

void ApplicationInit();
void ApplicationDeinit();
// One frame: updates, drawing, music and the swap.
void ApplicationUpdate();
} // namespace Corvale
