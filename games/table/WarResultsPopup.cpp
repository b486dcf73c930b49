// War's results: the winner's name as the message.
#include "games/table/WarResultsPopup.h"

#include <cstdio>

#include "cardgame/Player.h"
#include "core/StringHelpers.h"
#include "core/TextManager.h"
#include "games/table/War.h"

namespace Corvale
{
WarResultsPopup WarResultsPopup::instance;

WarResultsPopup::WarResultsPopup()
{
   NultStrncpy(layerName, "MessageBoxOKResults", sizeof(layerName));
   hasLayer = 1;
   customEnter = 1;
   NultStrncpy(enterTransition, "Enter", sizeof(enterTransition));
   customExit = 1;
   NultStrncpy(exitTransition, "Exit", sizeof(exitTransition));
}

void WarResultsPopup::LayerInit(LayerWidget* pushedLayer)
{
   MessageBoxPopup::LayerInit(pushedLayer);
   if (!pushedLayer || !game)
   {
      return;
   }
   const Player* winner = game->PlayerByIndexGet(game->WinnerSeatGet());
   const char* name = winner ? winner->DisplayNameGet() : nullptr;
   if (!name)
   {
      return;
   }
   char line[256];
   const char* wins = textManager.TextGet("DefaultWins");
   std::snprintf(line, sizeof(line), "%s%s", name, wins ? wins : "");
   TextSet(line, MESSAGE_BOX_TEXT_PLAIN);
}

void WarResultsPopup::OnOK(MessageBoxPopup* popup, PressButtonWidget* button, void* game)
{
   (void)popup;
   (void)button;
   War* war = static_cast<War*>(game);
   if (war)
   {
      war->GameNew();
   }
}
} // namespace Corvale
