// Spite and Malice's results: the name of the player whose goal pile emptied, or a draw.
#include "games/table/SpiteAndMaliceResultsPopup.h"

#include <cstdio>

#include "cardgame/CardPile.h"
#include "cardgame/Player.h"
#include "core/StringHelpers.h"
#include "core/TextManager.h"
#include "games/table/SpiteAndMalice.h"

namespace Corvale
{
SpiteAndMaliceResultsPopup SpiteAndMaliceResultsPopup::instance;

SpiteAndMaliceResultsPopup::SpiteAndMaliceResultsPopup()
{
   NultStrncpy(layerName, "MessageBoxOKResults", sizeof(layerName));
   hasLayer = 1;
   customEnter = 1;
   NultStrncpy(enterTransition, "Enter", sizeof(enterTransition));
   customExit = 1;
   NultStrncpy(exitTransition, "Exit", sizeof(exitTransition));
}

void SpiteAndMaliceResultsPopup::LayerInit(LayerWidget* pushedLayer)
{
   MessageBoxPopup::LayerInit(pushedLayer);
   if (pushedLayer)
   {
      TextRefresh();
   }
}

void SpiteAndMaliceResultsPopup::TextRefresh()
{
   if (!game)
   {
      return;
   }
   const Player* winner = nullptr;
   for (i32 i = 0; i < game->players.count && !winner; ++i)
   {
      const CardPile* goal = game->GoalPileGet(i);
      winner = goal && goal->cards.count == 0 ? game->players[i] : nullptr;
   }
   if (!winner)
   {
      // A hand where nobody could move any more ends drawn.
      const char* draw = textManager.TextGet("DefaultDraw");
      if (draw && game->gameResult == MINIGAME_RESULT_DRAWN)
      {
         TextSet(draw, MESSAGE_BOX_TEXT_PLAIN);
      }
      return;
   }
   const char* name = winner->DisplayNameGet();
   const char* wins = textManager.TextGet("DefaultWins");
   if (!name || !wins)
   {
      return;
   }
   char line[260];
   std::snprintf(line, sizeof(line), "%s%s", name, wins);
   TextSet(line, MESSAGE_BOX_TEXT_PLAIN);
}

void SpiteAndMaliceResultsPopup::OKPress(MessageBoxPopup* popup, PressButtonWidget* button, void* game)
{
   (void)popup;
   (void)button;
   SpiteAndMalice* spite = static_cast<SpiteAndMalice*>(game);
   if (spite)
   {
      spite->GameNew();
   }
}
} // namespace Corvale
