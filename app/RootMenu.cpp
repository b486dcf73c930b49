// What the two root menus share: which one is the root, the first-entry popups, the version label.
#include "app/RootMenu.h"

#include <cstring>

#include "app/LanguageMenu.h"
#include "app/MainMenu.h"
#include "app/SolitaireMenu.h"
#include "app/profile/ProfileStore.h"
#include "core/JSONValue.h"
#include "core/StringHelpers.h"
#include "core/TextManager.h"
#include "gui/popup/PopupManager.h"
#include "gui/state/GameStateManager.h"
#include "gui/widgets/LabelWidget.h"

namespace Corvale
{
Popup* profileMenuPopup = nullptr;
Popup* languageMenuPopup = &languageMenu;
Popup* helpScreenPopup = nullptr;

namespace
{
constexpr u32 VERSION_TEXT_SIZE = 256;
} // namespace

RootMenu* RootMenuGet()
{
   const char* root = consts ? consts->ItemGet("RootMenu")->StringValueGet() : nullptr;
   if (root && std::strcmp(root, "SolitaireMenu") == 0)
   {
      return &solitaireMenu;
   }
   return &mainMenu;
}

void RootMenuFirstEntryPopupsOpen(RootMenu* menu)
{
   if (!menu)
   {
      return;
   }
   if (menu->firstEntry)
   {
      menu->firstEntry = false;
      PopupManager::OpenUnlessOpen(profileMenuPopup);
   }
   if (menu->languageChoice)
   {
      menu->languageChoice = false;
      PopupManager::OpenUnlessOpen(languageMenuPopup);
   }
}

void VersionLabelUpdate(LabelWidget* label)
{
   if (!label)
   {
      return;
   }
   const char* version = consts ? consts->ItemGet("VersionDisplayed")->StringValueGet() : nullptr;
   const char* word = textManager.TextGet("Version");
   char text[VERSION_TEXT_SIZE];
   if (version && word && NultSnprintf(text, sizeof(text), "%s %s", word, version))
   {
      label->TextSet(text);
      label->VisibleSet(true);
      return;
   }
   label->VisibleSet(false);
}

bool MenuInputIgnoredCheck()
{
   return GameStateManager::switchPending || quitRequested;
}

bool FaceCreatorIncludedCheck()
{
   return consts && consts->ItemGet("FaceCreatorIncluded")->BoolValueGet();
}
} // namespace Corvale
