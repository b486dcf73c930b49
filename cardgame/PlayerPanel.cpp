// The panel record of a seat. Panel widgets come with the player-panel widget type; until a game
// has one, every widget step finds none and does nothing.
#include "cardgame/PlayerPanel.h"

namespace Corvale
{
void PlayerPanel::Init(Minigame* owner)
{
   game = owner;
   position = Point2F();
   visible = true;
   playerID = -1;
   active = false;
   dealerIconShown = false;
   winnerIconShown = false;
   cribbagePegRedShown = false;
   cribbagePegBlueShown = false;
   WidgetCreate();
   Refresh();
}

void PlayerPanel::Deinit()
{
   widget = nullptr;
   game = nullptr;
}

void PlayerPanel::WidgetCreate() {}

void PlayerPanel::Refresh() {}

void PlayerPanel::PortraitUpdate() {}

DialogPortraitWidget* PlayerPanel::PortraitGet()
{
   return nullptr;
}
} // namespace Corvale
