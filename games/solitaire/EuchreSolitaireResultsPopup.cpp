// Euchre solitaire's hand results: the player's row and the computer's, and the next step.
#include "games/solitaire/EuchreSolitaireResultsPopup.h"

#include <cstdio>

#include "cardgame/Player.h"
#include "core/StringHelpers.h"
#include "games/solitaire/EuchreSolitaire.h"
#include "gui/widgets/LabelWidget.h"
#include "gui/widgets/LayerWidget.h"

namespace Corvale
{
EuchreSolitaireResultsPopup EuchreSolitaireResultsPopup::instance;

namespace
{
constexpr u32 RESULTS_CELL_SIZE = 32;

void CellSet(LayerWidget* layer, const char* row, const char* cell, const char* format, i32 value)
{
   char path[MINIGAME_PATH_SIZE];
   if (!NultSnprintf(path, sizeof(path), "%s.%s", row, cell))
   {
      return;
   }
   LabelWidget* label = dynamic_cast<LabelWidget*>(layer->DescendantGetByPath(path));
   char text[RESULTS_CELL_SIZE];
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
   if (label && std::snprintf(text, sizeof(text), format, value) > 0)
#pragma GCC diagnostic pop
   {
      label->TextSet(text);
   }
}
} // namespace

EuchreSolitaireResultsPopup::EuchreSolitaireResultsPopup()
{
   NultStrncpy(layerName, "EuchreSolitaireResults", sizeof(layerName));
   hasLayer = 1;
   customEnter = 1;
   NultStrncpy(enterTransition, "Enter", sizeof(enterTransition));
   customExit = 1;
   NultStrncpy(exitTransition, "Exit", sizeof(exitTransition));
}

void EuchreSolitaireResultsPopup::LayerInit(LayerWidget* pushedLayer)
{
   MessageBoxPopup::LayerInit(pushedLayer);
   RowsFill(pushedLayer);
}

void EuchreSolitaireResultsPopup::RowsFill(LayerWidget* pushedLayer)
{
   if (!pushedLayer || !game)
   {
      return;
   }
   const struct
   {
      const char* row;
      i32 tricks;
      i32 score;
      i32 change;
   } rows[] = {{"Panel.Player1", game->TricksTakenGet(), game->playerScore, game->PlayerScoreChangeGet()},
               {"Panel.Player0", 5 - game->TricksTakenGet(), game->AIScoreGet(), game->AIScoreChangeGet()}};
   for (const auto& row : rows)
   {
      CellSet(pushedLayer, row.row, "TricksTaken", "%i", row.tricks);
      CellSet(pushedLayer, row.row, "GameScore", "%i", row.score);
      CellSet(pushedLayer, row.row, "ScoreChange", "+%i", row.change);
   }
   LabelWidget* name =
       dynamic_cast<LabelWidget*>(pushedLayer->DescendantGetByPath("Panel.Player1.PlayerName"));
   const Player* player = game->PlayerGet(0);
   if (name && player && player->DisplayNameGet())
   {
      name->TextSet(player->DisplayNameGet());
   }
}

void EuchreSolitaireResultsPopup::OKPress(MessageBoxPopup* popup, PressButtonWidget* button, void* game)
{
   (void)popup;
   (void)button;
   EuchreSolitaire* euchre = static_cast<EuchreSolitaire*>(game);
   if (!euchre)
   {
      return;
   }
   if (euchre->GameRunningCheck())
   {
      euchre->SubgameNew();
   }
   else
   {
      euchre->GameNew();
   }
}
} // namespace Corvale
