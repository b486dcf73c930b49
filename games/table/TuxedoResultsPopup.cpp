// Tuxedo's results: the winner's name as the message.
#include "games/table/TuxedoResultsPopup.h"

#include <cstdio>

#include "cardgame/Player.h"
#include "core/StringHelpers.h"
#include "core/TextManager.h"
#include "games/table/Tuxedo.h"

namespace Corvale
{
TuxedoResultsPopup TuxedoResultsPopup::instance;

TuxedoResultsPopup::TuxedoResultsPopup()
{
   NultStrncpy(layerName, "MessageBoxOKResults", sizeof(layerName));
   hasLayer = 1;
   customEnter = 1;
   NultStrncpy(enterTransition, "Enter", sizeof(enterTransition));
   customExit = 1;
   NultStrncpy(exitTransition, "Exit", sizeof(exitTransition));
}

void TuxedoResultsPopup::LayerInit(LayerWidget* pushedLayer)
{
   MessageBoxPopup::LayerInit(pushedLayer);
   if (pushedLayer)
   {
      TextRefresh();
   }
}

void TuxedoResultsPopup::TextRefresh()
{
   if (!game)
   {
      return;
   }
   const Player* winner = game->PlayerByIndexGet(game->WinnerSeatGet());
   const char* name = winner ? winner->DisplayNameGet() : nullptr;
   const char* wins = textManager.TextGet("DefaultWins");
   if (!name || !wins)
   {
      return;
   }
   char line[260];
   std::snprintf(line, sizeof(line), "%s%s", name, wins);
   TextSet(line, MESSAGE_BOX_TEXT_PLAIN);
}

void TuxedoResultsPopup::OnOK(MessageBoxPopup* popup, PressButtonWidget* button, void* game)
{
   (void)popup;
   (void)button;
   Tuxedo* tuxedo = static_cast<Tuxedo*>(game);
   if (tuxedo)
   {
      tuxedo->GameNew();
   }
}
} // namespace Corvale
