// One seat's panel on a multi-player table: where it stands, whose it is and which of its frame
// and icons show. The record keeps the state; its widget, when there is one, shows it.
#pragma once

#include "core/Point.h"
#include "core/Types.h"

namespace Corvale
{
class DialogPortraitWidget;
class Minigame;
class PlayerPanelWidget;

class PlayerPanel
{
 public:
   // Defaults for the game, then the widget when the game's GUI is there.
   void Init(Minigame* owner);
   void Deinit();
   // Builds the widget when the game has its panel container and the constants describe one.
   void WidgetCreate();
   // Pushes position, visibility, icons and frame to the widget.
   void Refresh();
   // The seat's player's face on the widget's portrait.
   void PortraitUpdate();
   // The portrait that talks for this seat, or null.
   DialogPortraitWidget* PortraitGet();

   Minigame* game = nullptr;
   Point2F position;
   bool visible = true;
   PlayerPanelWidget* widget = nullptr;
   i32 playerID = -1;
   bool active = false;
   bool dealerIconShown = false;
   bool winnerIconShown = false;
   bool cribbagePegRedShown = false;
   bool cribbagePegBlueShown = false;
};
} // namespace Corvale
