// Go Fish's results: the first winner's name, or a draw when the most books are shared.
#include "games/table/GoFishResultsPopup.h"

#include "cardgame/Player.h"
#include "core/StringHelpers.h"
#include "core/TextManager.h"
#include "games/table/GoFish.h"

namespace Corvale
{
GoFishResultsPopup GoFishResultsPopup::instance;

GoFishResultsPopup::GoFishResultsPopup()
{
   NultStrncpy(layerName, "MessageBoxOKResults", sizeof(layerName));
   hasLayer = 1;
   customEnter = 1;
   NultStrncpy(enterTransition, "Enter", sizeof(enterTransition));
   customExit = 1;
   NultStrncpy(exitTransition, "Exit", sizeof(exitTransition));
}

void GoFishResultsPopup::LayerInit(LayerWidget* pushedLayer)
{
   MessageBoxPopup::LayerInit(pushedLayer);
   if (pushedLayer)
   {
      TextRefresh();
   }
}

void GoFishResultsPopup::TextRefresh()
{
   if (!game)
   {
      return;
   }
   const Player* winner = nullptr;
   for (i32 i = 0; i < game->players.count && !winner; ++i)
   {
      winner = game->players[i]->minigameWinner ? game->players[i] : nullptr;
   }
   if (!winner)
   {
      TextSet("DefaultDraw", MESSAGE_BOX_TEXT_KEY);
      return;
   }
   const char* name = winner->DisplayNameGet();
   const char* wins = textManager.TextGet("DefaultWins");
   char line[256];
   if (name && wins && NultSnprintf(line, sizeof(line), "%s%s", name, wins))
   {
      TextSet(line, MESSAGE_BOX_TEXT_PLAIN);
   }
}

void GoFishResultsPopup::OnOK(MessageBoxPopup* popup, PressButtonWidget* button, void* game)
{
   (void)popup;
   (void)button;
   GoFish* goFish = static_cast<GoFish*>(game);
   if (goFish)
   {
      goFish->GameNew();
   }
}
} // namespace Corvale
