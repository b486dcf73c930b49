// Crazy Eights' results (names, the hand's change and the total in a points game) and the suit
// choice with the human's counts per suit.
#include "games/table/CrazyEightsPopups.h"

#include <cstdio>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/Command.h"
#include "cardgame/Player.h"
#include "core/StringHelpers.h"
#include "core/TextManager.h"
#include "games/table/CrazyEights.h"
#include "gui/widgets/LabelWidget.h"
#include "gui/widgets/LayerWidget.h"
#include "gui/widgets/NumberLabelWidget.h"
#include "gui/widgets/PressButtonWidget.h"

namespace Corvale
{
CrazyEightsResultsPopup CrazyEightsResultsPopup::instance;
CrazyEightsSuitPopup CrazyEightsSuitPopup::instance;

namespace
{
template <class W> W* PathFind(LayerWidget* layer, const char* path)
{
   return layer ? dynamic_cast<W*>(layer->DescendantGetByPath(path)) : nullptr;
}

void NumberSet(LayerWidget* layer, const char* format, i32 index, i32 value)
{
   char path[64];
   std::snprintf(path, sizeof(path), format, index);
   NumberLabelWidget* number = PathFind<NumberLabelWidget>(layer, path);
   if (number)
   {
      number->TextFormatFunctionSet(&IntegerTextFormat, nullptr);
      number->ValueSet(value);
   }
}

// "<name> wins!" for the first winner; false without one.
bool WinnerLineGet(CrazyEights* game, char* line, u32 size)
{
   for (i32 i = 0; game && i < game->players.count; ++i)
   {
      const Player* player = game->players[i];
      const char* name = player->minigameWinner ? player->DisplayNameGet() : nullptr;
      if (name)
      {
         const char* wins = textManager.TextGet("DefaultWins");
         std::snprintf(line, size, "%s%s", name, wins ? wins : "");
         return true;
      }
   }
   return false;
}

const i32 suitData[4] = {SUIT_HEARTS, SUIT_SPADES, SUIT_DIAMONDS, SUIT_CLUBS};
} // namespace

// ---- Results ----

CrazyEightsResultsPopup::CrazyEightsResultsPopup()
{
   NultStrncpy(layerName, "MessageBoxOKResults", sizeof(layerName));
   hasLayer = 1;
   customEnter = 1;
   NultStrncpy(enterTransition, "Enter", sizeof(enterTransition));
   customExit = 1;
   NultStrncpy(exitTransition, "Exit", sizeof(exitTransition));
}

void CrazyEightsResultsPopup::Open()
{
   const bool points = game && game->TargetScoreGet() > 0;
   NultStrncpy(layerName, points ? "CrazyEightsResultsScoring" : "MessageBoxOKResults", sizeof(layerName));
   hasLayer = 1;
   MessageBoxPopup::Open();
   // Set after the open: a closed box forgets its answers.
   onOK = &CrazyEightsResultsPopup::ResultsContinue;
   onOKUserData = game;
}

void CrazyEightsResultsPopup::LayerInit(LayerWidget* pushedLayer)
{
   MessageBoxPopup::LayerInit(pushedLayer);
   if (!pushedLayer || !game)
   {
      return;
   }
   if (game->TargetScoreGet() > 0)
   {
      for (i32 i = 0; i < game->players.count; ++i)
      {
         const Player* player = game->players[i];
         NumberSet(pushedLayer, "Panel.ScoreChange%d", player->id,
                   player->minigameScore - player->minigameScoreSubgameBegin);
         NumberSet(pushedLayer, "Panel.Score%d", player->id, player->minigameScore);
      }
   }
   TextsRefresh();
}

void CrazyEightsResultsPopup::TextsRefresh()
{
   if (!layer || !game)
   {
      return;
   }
   char line[256];
   if (game->TargetScoreGet() <= 0)
   {
      if (WinnerLineGet(game, line, sizeof(line)))
      {
         TextSet(line, MESSAGE_BOX_TEXT_PLAIN);
      }
      else
      {
         TextSet("DefaultDraw", MESSAGE_BOX_TEXT_KEY);
      }
      return;
   }
   LabelWidget* title = PathFind<LabelWidget>(layer, "Panel.Title");
   if (title)
   {
      if (game->gameResult != MINIGAME_RESULT_RUNNING && WinnerLineGet(game, line, sizeof(line)))
      {
         title->TextSet(line);
      }
      else
      {
         title->TextKeySet("Scores");
      }
   }
   for (i32 i = 0; i < game->players.count; ++i)
   {
      char path[32];
      std::snprintf(path, sizeof(path), "Panel.Name%d", game->players[i]->id);
      LabelWidget* name = PathFind<LabelWidget>(layer, path);
      const char* shown = game->players[i]->DisplayNameGet();
      if (name)
      {
         name->TextSet(shown ? shown : "");
      }
   }
}

void CrazyEightsResultsPopup::ResultsContinue(MessageBoxPopup* popup, PressButtonWidget* button, void* game)
{
   (void)popup;
   (void)button;
   CrazyEights* crazyEights = static_cast<CrazyEights*>(game);
   if (!crazyEights)
   {
      return;
   }
   if (crazyEights->gameResult != MINIGAME_RESULT_RUNNING)
   {
      crazyEights->GameNew();
   }
   else
   {
      crazyEights->SubgameNew();
   }
}

// ---- The suit ----

CrazyEightsSuitPopup::CrazyEightsSuitPopup()
{
   NultStrncpy(layerName, "CrazyEightsSuit", sizeof(layerName));
   hasLayer = 1;
   customEnter = 1;
   NultStrncpy(enterTransition, "Enter", sizeof(enterTransition));
}

void CrazyEightsSuitPopup::LayerInit(LayerWidget* pushedLayer)
{
   if (!pushedLayer)
   {
      return;
   }
   static const char* const buttons[4] = {"Panel.Hearts", "Panel.Spades", "Panel.Diamonds", "Panel.Clubs"};
   static const char* const numbers[4] = {"Panel.HeartsNumber", "Panel.SpadesNumber", "Panel.DiamondsNumber",
                                          "Panel.ClubsNumber"};
   const CardPile* hand = game ? game->ActiveHandGet() : nullptr;
   for (i32 suit = 0; suit < 4; ++suit)
   {
      PressButtonWidget* button = PathFind<PressButtonWidget>(pushedLayer, buttons[suit]);
      if (button)
      {
         button->onClick = &CrazyEightsSuitPopup::SuitChoose;
         button->onClickUserData = const_cast<i32*>(&suitData[suit]);
      }
      NumberLabelWidget* number = PathFind<NumberLabelWidget>(pushedLayer, numbers[suit]);
      if (number)
      {
         number->TextFormatFunctionSet(&IntegerTextFormat, nullptr);
         number->ValueSet(CrazyEights::SuitCountGet(hand, suit));
      }
   }
   PressButtonWidget* cancel = PathFind<PressButtonWidget>(pushedLayer, "Panel.Cancel");
   if (cancel)
   {
      cancel->onClick = &CrazyEightsSuitPopup::Cancel;
      cancel->onClickUserData = this;
   }
}

void CrazyEightsSuitPopup::Leave()
{
   if (!closing)
   {
      Close(true);
   }
}

void CrazyEightsSuitPopup::SuitChoose(PressButtonWidget* button, void* suit)
{
   (void)button;
   CrazyEightsSuitPopup& popup = instance;
   if (popup.game && suit)
   {
      popup.game->Command12Post(*static_cast<const i32*>(suit), 0);
   }
   popup.Leave();
}

void CrazyEightsSuitPopup::Cancel(PressButtonWidget* button, void* popup)
{
   (void)button;
   CrazyEightsSuitPopup* suitPopup = static_cast<CrazyEightsSuitPopup*>(popup);
   if (!suitPopup)
   {
      return;
   }
   if (suitPopup->game)
   {
      suitPopup->game->CommandCodePost(COMMAND_CRAZY_EIGHTS_SUIT_CANCEL, 0);
   }
   suitPopup->Leave();
}
} // namespace Corvale
