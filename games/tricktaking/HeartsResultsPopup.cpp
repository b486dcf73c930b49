// Hearts' results: the numbers come from the players' scores at the hand's begin and now.
#include "games/tricktaking/HeartsResultsPopup.h"

#include <cstdio>

#include "core/StringHelpers.h"
#include "core/TextManager.h"
#include "games/tricktaking/Hearts.h"
#include "gui/widgets/LabelWidget.h"
#include "gui/widgets/LayerWidget.h"
#include "gui/widgets/NumberLabelWidget.h"
#include "gui/widgets/PressButtonWidget.h"

namespace Corvale
{
HeartsResultsPopup HeartsResultsPopup::instance;

HeartsResultsPopup::HeartsResultsPopup()
{
   NultStrncpy(layerName, "HeartsResults", sizeof(layerName));
   hasLayer = 1;
   customEnter = 1;
   NultStrncpy(enterTransition, "Enter", sizeof(enterTransition));
   customExit = 1;
   NultStrncpy(exitTransition, "Exit", sizeof(exitTransition));
}

void HeartsResultsPopup::LayerInit(LayerWidget* pushedLayer)
{
   MessageBoxPopup::LayerInit(pushedLayer);
   if (!pushedLayer || !game)
   {
      return;
   }
   char path[64];
   for (i32 i = 0; i < game->players.count; ++i)
   {
      const Player* player = game->players[i];
      const struct
      {
         const char* format;
         i32 value;
      } numbers[] = {{"Panel.ScoreChange%d", player->minigameScore - player->minigameScoreSubgameBegin},
                     {"Panel.Score%d", player->minigameScore}};
      for (const auto& number : numbers)
      {
         std::snprintf(path, sizeof(path), number.format, i);
         NumberLabelWidget* label = dynamic_cast<NumberLabelWidget*>(pushedLayer->DescendantGetByPath(path));
         if (label)
         {
            label->TextFormatFunctionSet(&IntegerTextFormat, nullptr);
            label->ValueSet(number.value);
         }
      }
      std::snprintf(path, sizeof(path), "Panel.Name%d", i);
      LabelWidget* name = dynamic_cast<LabelWidget*>(pushedLayer->DescendantGetByPath(path));
      const char* shown = player->DisplayNameGet();
      if (name && shown)
      {
         name->TextSet(shown);
      }
   }
   PressButtonWidget* review =
       dynamic_cast<PressButtonWidget*>(pushedLayer->DescendantGetByPath("Panel.TrickReviewHand"));
   if (review)
   {
      review->onClick = &HeartsResultsPopup::OnTrickReviewHandClick;
      review->onClickUserData = this;
   }
   LabelWidget* title = dynamic_cast<LabelWidget*>(pushedLayer->DescendantGetByPath("Panel.Title"));
   if (!title)
   {
      return;
   }
   const Player* winner = nullptr;
   for (i32 i = 0; i < game->players.count && !winner; ++i)
   {
      winner = game->players[i]->minigameWinner ? game->players[i] : nullptr;
   }
   if (game->gameResult == MINIGAME_RESULT_RUNNING)
   {
      title->TextKeySet("Scores");
   }
   else if (winner && winner->DisplayNameGet())
   {
      char text[256];
      const char* wins = textManager.TextGet("DefaultWins");
      std::snprintf(text, sizeof(text), "%s%s", winner->DisplayNameGet(), wins ? wins : "");
      title->TextSet(text);
   }
   else
   {
      title->TextKeySet("DefaultDraw");
   }
}

void HeartsResultsPopup::OnContinue(MessageBoxPopup* popup, PressButtonWidget* button, void* game)
{
   (void)popup;
   (void)button;
   Hearts* hearts = static_cast<Hearts*>(game);
   if (hearts)
   {
      hearts->ResultsContinue();
   }
}

void HeartsResultsPopup::OnTrickReviewHandClick(PressButtonWidget* button, void* popup)
{
   (void)button;
   HeartsResultsPopup* self = static_cast<HeartsResultsPopup*>(popup);
   if (self && self->game)
   {
      self->game->TrickReviewHandShow();
   }
}
} // namespace Corvale
