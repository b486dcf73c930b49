// The solitaire menu's grid of games, their favourites and starting the chosen game.
#include "app/SolitaireMenu.h"

#include <cstdint>

#include "app/MenuBar.h"
#include "app/Minigames.h"
#include "app/profile/Achievements.h"
#include "app/profile/ProfileStore.h"
#include "cardgame/Minigame.h"
#include "core/JSONValue.h"
#include "core/StringHelpers.h"
#include "gui/GUIManager.h"
#include "gui/popup/PopupManager.h"
#include "gui/state/GameStateManager.h"
#include "gui/widgets/LabelWidget.h"
#include "gui/widgets/LayerWidget.h"
#include "gui/widgets/PressButtonWidget.h"
#include "gui/widgets/ToggleButtonWidget.h"

namespace Corvale
{
SolitaireMenu solitaireMenu;

namespace
{
constexpr u32 CHILD_NAME_SIZE = 128;

// The constants' "SolitaireGames", or null when it is not an array.
const JSONValue* SolitaireGamesGet()
{
   const JSONValue* games = consts ? consts->ItemGet("SolitaireGames") : nullptr;
   return games && games->TypeGet() == JSONValue::TYPE_ARRAY ? games : nullptr;
}

const char* SolitaireGameKeyGet(const JSONValue* games, i32 index)
{
   return games && index >= 0 && index < games->CountGet() ? games->ElementGet(index)->StringValueGet()
                                                           : nullptr;
}

// The profile's "SolitaireFavorites" object, made empty when missing or of another type; null
// when it can't be made.
JSONValue* FavoritesGet()
{
   JSONValue* favorites = profileCurrent->ItemFind("SolitaireFavorites");
   if (favorites && favorites->TypeGet() == JSONValue::TYPE_OBJECT)
   {
      return favorites;
   }
   JSONValue* made = profileCurrent->ItemObjectSet("SolitaireFavorites");
   return made->TypeGet() == JSONValue::TYPE_OBJECT ? made : nullptr;
}
} // namespace

void SolitaireMenu::Init()
{
   EnterStart();
   AchievementsUpdate();
   PopupManager::Open(&menuBar);
   RootMenuFirstEntryPopupsOpen(this);
}

void SolitaireMenu::GUIInit(LayerWidget* pushedLayer)
{
   const JSONValue* games = SolitaireGamesGet();
   ContainerWidget* grid =
       pushedLayer ? dynamic_cast<ContainerWidget*>(pushedLayer->ChildGetByName("Games")) : nullptr;
   if (!games || !grid)
   {
      return;
   }
   for (i32 i = 0; i < SOLITAIRE_MENU_GAMES_MAX; ++i)
   {
      char name[CHILD_NAME_SIZE];
      NultSnprintf(name, sizeof(name), "Game%d", i + 1);
      gameButtons[i] = dynamic_cast<PressButtonWidget*>(grid->ChildGetByName(name));
      NultSnprintf(name, sizeof(name), "Favorite%d", i + 1);
      favoriteToggles[i] = dynamic_cast<ToggleButtonWidget*>(grid->ChildGetByName(name));
      const char* key = SolitaireGameKeyGet(games, i);
      if (key)
      {
         // A game not built yet shows its name, but neither starts nor takes a favourite.
         const bool available = MinigameAvailableCheck(MinigameGetByName(key));
         if (gameButtons[i])
         {
            gameButtons[i]->onClick = &SolitaireMenu::SolitaireMenuGameStart;
            gameButtons[i]->onClickUserData = reinterpret_cast<void*>(static_cast<intptr_t>(i));
            gameButtons[i]->TextKeySet(key);
            gameButtons[i]->EnabledSet(available);
         }
         if (favoriteToggles[i])
         {
            favoriteToggles[i]->VisibleSet(available);
         }
         continue;
      }
      if (gameButtons[i])
      {
         gameButtons[i]->VisibleSet(false);
      }
      if (favoriteToggles[i])
      {
         favoriteToggles[i]->VisibleSet(false);
      }
   }
   const char* titleKey = consts->ItemGet("SolitaireMenuTitleTextKey")->StringValueGet();
   LabelWidget* title = dynamic_cast<LabelWidget*>(pushedLayer->DescendantGetByPath("Panel.Title"));
   if (title && titleKey)
   {
      title->TextKeySet(titleKey);
   }
   SolitaireFavoritesLoad();
   TextsRefresh();
}

void SolitaireMenu::TextsRefresh()
{
   VersionLabelUpdate(dynamic_cast<LabelWidget*>(GUIManager::WidgetGetByPath("SolitaireMenu.Version")));
}

void SolitaireMenu::SolitaireMenuGameStart(PressButtonWidget* button, void* index)
{
   (void)button;
   const i32 at = static_cast<i32>(reinterpret_cast<intptr_t>(index));
   Minigame* game = MinigameGetByName(SolitaireGameKeyGet(SolitaireGamesGet(), at));
   if (!MinigameAvailableCheck(game) || MenuInputIgnoredCheck())
   {
      return;
   }
   solitaireMenu.ExitStart();
   GameStateManager::Push(game);
}

void SolitaireMenu::SolitaireFavoritesLoad()
{
   const JSONValue* games = SolitaireGamesGet();
   if (!profileCurrent || !games)
   {
      return;
   }
   const JSONValue* favorites = FavoritesGet();
   for (i32 i = 0; i < SOLITAIRE_MENU_GAMES_MAX; ++i)
   {
      const char* key = SolitaireGameKeyGet(games, i);
      if (key && favoriteToggles[i])
      {
         favoriteToggles[i]->OnSet(favorites && favorites->ItemGet(key)->BoolValueGet());
      }
   }
}

void SolitaireMenu::SolitaireFavoritesSave()
{
   const JSONValue* games = SolitaireGamesGet();
   if (!profileCurrent || !games)
   {
      return;
   }
   JSONValue* favorites = FavoritesGet();
   for (i32 i = 0; favorites && i < SOLITAIRE_MENU_GAMES_MAX && i < games->CountGet(); ++i)
   {
      const char* key = SolitaireGameKeyGet(games, i);
      if (key && favoriteToggles[i])
      {
         favorites->ItemBoolSet(key, favoriteToggles[i]->OnGet());
      }
   }
   ProfileSave();
   SettingsSave();
}

void SolitaireMenu::Deinit()
{
   SolitaireFavoritesSave();
   for (i32 i = 0; i < SOLITAIRE_MENU_GAMES_MAX; ++i)
   {
      gameButtons[i] = nullptr;
      favoriteToggles[i] = nullptr;
   }
   LayerRemove();
}
} // namespace Corvale
