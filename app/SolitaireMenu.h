// The solitaire menu: up to 50 solitaire games as buttons, each with a favourite toggle kept in the
// current profile's "SolitaireFavorites".
#pragma once

#include "app/RootMenu.h"

namespace Corvale
{
class PressButtonWidget;
class ToggleButtonWidget;

constexpr i32 SOLITAIRE_MENU_GAMES_MAX = 50;

class SolitaireMenu : public RootMenu
{
 public:
   void Init() override;
   void Deinit() override;
   void TextsRefresh() override;
   void GUIInit(LayerWidget* pushedLayer) override;
   const char* LayerNameGet() override { return "SolitaireMenu"; }

   void SolitaireFavoritesLoad();
   void SolitaireFavoritesSave();
   // The click of gameButtons[index]; the user data is the index.
   static void SolitaireMenuGameStart(PressButtonWidget* button, void* index);

   PressButtonWidget* gameButtons[SOLITAIRE_MENU_GAMES_MAX] = {};
   ToggleButtonWidget* favoriteToggles[SOLITAIRE_MENU_GAMES_MAX] = {};
};

extern SolitaireMenu solitaireMenu;
} // namespace Corvale
