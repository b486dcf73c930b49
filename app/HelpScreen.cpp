// The help screen's two pages, its game lists (only games that are built), the rules document of
// the chosen game and the start of that game's tutorial.
#include "app/HelpScreen.h"

#include <cstring>
#include <string>

#include "app/Minigames.h"
#include "app/RootMenu.h"
#include "app/profile/ProfileStore.h"
#include "cardgame/Minigame.h"
#include "core/JSONValue.h"
#include "core/StringHelpers.h"
#include "gui/popup/MessageBoxPopup.h"
#include "gui/state/GameStateManager.h"
#include "gui/widgets/LayerWidget.h"
#include "gui/widgets/PressButtonWidget.h"
#include "gui/widgets/TextDocumentWidget.h"
#include "tutorial/TutorialState.h"

namespace Corvale
{
HelpScreen helpScreen;

namespace
{
// "HelpGames/<game>" fits the widget's path of 259 characters.
constexpr u32 HELP_DOCUMENT_NAME_SIZE = 248;

const JSONValue* ConstGet(const char* key)
{
   return consts ? consts->ItemGet(key) : &JSONValue::nullValue;
}

bool ListedCheck(const char* key, const char* game)
{
   const JSONValue* list = ConstGet(key);
   return game && list->TypeGet() == JSONValue::TYPE_ARRAY && list->ElementStringFind(game) >= 0;
}

template <class T> T* HelpWidgetGet(LayerWidget* layer, const char* path)
{
   return layer ? dynamic_cast<T*>(layer->DescendantGetByPath(path)) : nullptr;
}

DropDownListWidget* GameListGet(LayerWidget* layer)
{
   return HelpWidgetGet<DropDownListWidget>(layer, "Panel.Submenus.Games.GameList");
}

DropDownListWidget* SolitaireListGet(LayerWidget* layer)
{
   return HelpWidgetGet<DropDownListWidget>(layer, "Panel.Submenus.Games.SolitaireGameList");
}
} // namespace

bool HelpGameListedCheck(const char* game)
{
   if (!game)
   {
      return false;
   }
   if (std::strcmp(game, "Solitaire") != 0)
   {
      return MinigameAvailableCheck(MinigameGetByName(game));
   }
   const JSONValue* solitaires = ConstGet("SolitaireGames");
   for (i32 i = 0; solitaires->TypeGet() == JSONValue::TYPE_ARRAY && i < solitaires->CountGet(); ++i)
   {
      if (MinigameAvailableCheck(MinigameGetByName(solitaires->ElementGet(i)->StringValueGet())))
      {
         return true;
      }
   }
   return false;
}

void HelpScreen::Open()
{
   NultSnprintf(layerName, sizeof(layerName), "%s", "Help");
   hasLayer = 1;
   Popup::Open();
   Minigame* game = dynamic_cast<Minigame*>(GameStateManager::current);
   // A menu without the games page shows the general one even during a game.
   if (!game || !SubmenuAvailableCheck("Games"))
   {
      if (SubmenuAvailableCheck("General"))
      {
         SubmenuShow("General");
      }
      return;
   }
   SubmenuShow("Games");
   DropDownListWidget* games = GameListGet(layer);
   DropDownListWidget* solitaires = SolitaireListGet(layer);
   GameListsPreselect(games, solitaires, "HelpScreenGames", game->HelpNameGet());
   // Kept as if chosen: help opened later from a menu still shows this game.
   gameListIndex = games ? games->SelectionIndexGet() : gameListIndex;
   solitaireListIndex = solitaires ? solitaires->SelectionIndexGet() : solitaireListIndex;
   HelpPageUpdate();
}

void HelpScreen::LayerInit(LayerWidget* pushedLayer)
{
   (void)pushedLayer;
   SubmenusInit();
   if (!layer)
   {
      return;
   }
   GameListFill(GameListGet(layer), "HelpScreenGames", &HelpGameListedCheck, gameListIndex,
                &HelpScreen::OnListSelectionChange, this);
   GameListFill(SolitaireListGet(layer), "SolitaireGames", &HelpGameListedCheck, solitaireListIndex,
                &HelpScreen::OnListSelectionChange, this);
   if (PressButtonWidget* tutorial =
           HelpWidgetGet<PressButtonWidget>(layer, "Panel.Submenus.Games.TutorialButton"))
   {
      tutorial->onClick = &HelpScreen::OnTutorialClick;
      tutorial->onClickUserData = this;
   }
   if (TextDocumentWidget* general = HelpWidgetGet<TextDocumentWidget>(layer, "Panel.Submenus.General.Text"))
   {
      general->TextFilenameSet("HelpGeneral");
   }
   HelpPageUpdate();
}

bool HelpScreen::SubmenuAvailableCheck(const char* name)
{
   const JSONValue* submenus = ConstGet("HelpScreenSubmenus");
   if (submenus->TypeGet() != JSONValue::TYPE_ARRAY)
   {
      return name != nullptr;
   }
   return name && submenus->ElementStringFind(name) >= 0;
}

void HelpScreen::HelpPageUpdate()
{
   DropDownListWidget* games = GameListGet(layer);
   DropDownListWidget* solitaires = SolitaireListGet(layer);
   TextDocumentWidget* document = HelpWidgetGet<TextDocumentWidget>(layer, "Panel.Submenus.Games.Text");
   PressButtonWidget* tutorial =
       HelpWidgetGet<PressButtonWidget>(layer, "Panel.Submenus.Games.TutorialButton");
   if (tutorial)
   {
      tutorial->VisibleSet(false);
   }
   if (!games || !solitaires || !document)
   {
      return;
   }
   const char* selected = games->SelectionNameGet();
   const bool solitaire = selected && std::strcmp(selected, "Solitaire") == 0;
   solitaires->VisibleSet(solitaire);
   if (!selected || (solitaire && !(selected = solitaires->SelectionNameGet())))
   {
      return;
   }
   char name[HELP_DOCUMENT_NAME_SIZE];
   if (!NultSnprintf(name, sizeof(name), "HelpGames/%s", selected))
   {
      return;
   }
   document->TextFilenameSet(name);
   document->ContentOffsetSet(0.0f, 0.0f);
   // Offered only for a game that has a tutorial.
   if (tutorial)
   {
      tutorial->VisibleSet(ListedCheck("Tutorials", selected));
   }
}

const char* HelpScreen::HelpSelectedGameGet()
{
   DropDownListWidget* games = GameListGet(layer);
   DropDownListWidget* solitaires = SolitaireListGet(layer);
   const char* selected = games && solitaires ? games->SelectionNameGet() : nullptr;
   if (selected && std::strcmp(selected, "Solitaire") == 0)
   {
      return solitaires->SelectionNameGet();
   }
   return selected;
}

void HelpScreen::TutorialStart()
{
   const char* selected = HelpSelectedGameGet();
   if (GameStateManager::switchPending || !selected)
   {
      return;
   }
   // Copied: leaving the state closes this popup and its lists.
   const std::string name = selected;
   if (MenuState* menu = dynamic_cast<MenuState*>(GameStateManager::current))
   {
      menu->ExitStart();
   }
   tutorialState.Enqueue(name.c_str());
   GameStateManager::Push(&tutorialState);
}

void HelpScreen::OnListSelectionChange(DropDownListItemButtonWidget* newItem,
                                       DropDownListItemButtonWidget* oldItem, bool byUser,
                                       DropDownListWidget* list, void* screen)
{
   (void)newItem;
   (void)oldItem;
   HelpScreen* self = static_cast<HelpScreen*>(screen);
   (list == GameListGet(self->layer) ? self->gameListIndex : self->solitaireListIndex) =
       list->SelectionIndexGet();
   if (byUser)
   {
      self->HelpPageUpdate();
   }
}

void HelpScreen::OnTutorialClick(PressButtonWidget* button, void* screen)
{
   (void)button;
   HelpScreen* self = static_cast<HelpScreen*>(screen);
   if (GameStateManager::switchPending)
   {
      return;
   }
   if (!dynamic_cast<Minigame*>(GameStateManager::current))
   {
      self->TutorialStart();
      return;
   }
   // Starting the tutorial leaves the game.
   if (MessageBoxPopup* box = MessageBoxPopup::Show("ShowTutorialConfirmation", "MessageBoxYesNo"))
   {
      box->onYes = &HelpScreen::OnTutorialConfirmYes;
      box->onYesUserData = self;
   }
}

void HelpScreen::OnTutorialConfirmYes(MessageBoxPopup* box, PressButtonWidget* button, void* screen)
{
   (void)box;
   (void)button;
   static_cast<HelpScreen*>(screen)->TutorialStart();
}
} // namespace Corvale
