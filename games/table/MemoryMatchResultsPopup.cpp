// Memory Match's results: 4 points a pair, 6 a run of three pairs, 2 off for each miss.
#include "games/table/MemoryMatchResultsPopup.h"

#include <cstdio>
#include <cstring>

#include "core/StringHelpers.h"
#include "core/TextManager.h"
#include "games/table/MemoryMatch.h"
#include "gui/widgets/LabelWidget.h"
#include "gui/widgets/LayerWidget.h"
#include "gui/widgets/NumberLabelWidget.h"

namespace Corvale
{
MemoryMatchResultsPopup MemoryMatchResultsPopup::instance;

namespace
{
constexpr u32 SCORE_LINE_SIZE = 260;

const char* OptionTextKeyGet(const char* value, const char* const (*table)[2], i32 count,
                             const char* fallback)
{
   for (i32 i = 0; i < count; ++i)
   {
      if (value && std::strcmp(value, table[i][0]) == 0)
      {
         return table[i][1];
      }
   }
   return fallback;
}

// A line "count x factor = product" in the translation's words; a translation whose conversions
// are not three %d leaves the line as it was.
void ScoreLineSet(LayerWidget* layer, const char* path, i32 count, i32 factor)
{
   LabelWidget* label = layer ? dynamic_cast<LabelWidget*>(layer->DescendantGetByPath(path)) : nullptr;
   const char* format = textManager.TextGet("MultiplyScoreFormat");
   if (!label || !IntegerFormatCheck(format, 3))
   {
      return;
   }
   char line[SCORE_LINE_SIZE];
   const i64 product = static_cast<i64>(count) * factor;
   const i32 shown =
       product > 0x7fffffff ? 0x7fffffff : (product < -0x7fffffff ? -0x7fffffff : static_cast<i32>(product));
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
   std::snprintf(line, sizeof(line), format, count, factor, shown);
#pragma GCC diagnostic pop
   label->TextSet(line);
}
} // namespace

MemoryMatchResultsPopup::MemoryMatchResultsPopup()
{
   NultStrncpy(layerName, "MemoryMatchResults", sizeof(layerName));
   hasLayer = 1;
   customEnter = 1;
   NultStrncpy(enterTransition, "Enter", sizeof(enterTransition));
   customExit = 1;
   NultStrncpy(exitTransition, "Exit", sizeof(exitTransition));
}

void MemoryMatchResultsPopup::LayerInit(LayerWidget* pushedLayer)
{
   MessageBoxPopup::LayerInit(pushedLayer);
   ScoresSet(pushedLayer);
}

void MemoryMatchResultsPopup::ScoresSet(LayerWidget* pushedLayer)
{
   if (!game)
   {
      return;
   }
   static const char* const difficulties[][2] = {
       {"Easy", "Easy"}, {"Medium", "Normal"}, {"Hard", "Hard"}, {"VeryHard", "BrainStrain"}};
   static const char* const sizes[][2] = {{"4|4", "4x4"}, {"6|4", "6x4"}, {"6|6", "6x6"}};
   LabelWidget* difficulty =
       pushedLayer ? dynamic_cast<LabelWidget*>(pushedLayer->DescendantGetByPath("Panel.DeckDifficulty"))
                   : nullptr;
   if (difficulty)
   {
      difficulty->TextKeySet(
          OptionTextKeyGet(game->SettingStringGet("DeckDifficulty"), difficulties, 4, "Normal"));
   }
   LabelWidget* grid =
       pushedLayer ? dynamic_cast<LabelWidget*>(pushedLayer->DescendantGetByPath("Panel.GridSize")) : nullptr;
   if (grid)
   {
      grid->TextKeySet(OptionTextKeyGet(game->SettingStringGet("GridSize"), sizes, 3, "4x4"));
   }
   for (i32 i = 0; i < game->players.count; ++i)
   {
      MemoryMatchPlayer* player = dynamic_cast<MemoryMatchPlayer*>(game->players[i]);
      if (!player)
      {
         continue;
      }
      const i64 misses = static_cast<i64>(player->pairsAttempted) - player->pairsMatched;
      const i32 missCount = misses > 0x7fffffff ? 0x7fffffff : static_cast<i32>(misses);
      ScoreLineSet(pushedLayer, "Panel.MatchesScore", player->pairsMatched, 4);
      ScoreLineSet(pushedLayer, "Panel.TripletsScore", player->triplets, 6);
      ScoreLineSet(pushedLayer, "Panel.MissesScore", missCount, -2);
      const i64 total = 2 * (3 * static_cast<i64>(player->triplets) +
                             2 * static_cast<i64>(player->pairsMatched) - static_cast<i64>(missCount));
      player->minigameScore = total > 0x7fffffff
                                  ? 0x7fffffff
                                  : (total < -0x7fffffff - 1 ? -0x7fffffff - 1 : static_cast<i32>(total));
      NumberLabelWidget* number =
          pushedLayer ? dynamic_cast<NumberLabelWidget*>(pushedLayer->DescendantGetByPath("Panel.ScoreTotal"))
                      : nullptr;
      if (number)
      {
         number->TextFormatFunctionSet(&IntegerTextFormat, nullptr);
         number->ValueSet(player->minigameScore);
      }
   }
}

void MemoryMatchResultsPopup::OKPress(MessageBoxPopup* popup, PressButtonWidget* button, void* game)
{
   (void)popup;
   (void)button;
   MemoryMatch* match = static_cast<MemoryMatch*>(game);
   if (match)
   {
      match->GameNew();
   }
}
} // namespace Corvale
