// Seeded games of Pyramid, options drawn per seed, played by a random player through clicks and
// now and then an Undo. The test's own covering rows judge every removal (a free King, or two free
// cards of different piles adding up to 13) and when the game must end; no card is lost or doubled
// in any frame, and a game saved and loaded midway ends in the same document.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

#include "tests/games/solitaire/TraditionalSolitaireHarness.h"

namespace Corvale
{
namespace TestSupport
{
namespace
{
// The test's own reading of the rules, from pile roles and the pyramid's shape alone.
struct PyramidRules
{
   TraditionalSolitaireHarness& harness;

   bool TableauCoveredCheck(i32 id)
   {
      i32 row = 0;
      while ((row + 1) * (row + 2) / 2 <= id)
      {
         ++row;
      }
      if (row == PYRAMID_ROW_COUNT - 1)
      {
         return false;
      }
      const i32 below = (row + 1) * (row + 2) / 2 + id - row * (row + 1) / 2;
      return harness.PileGet(CARD_PILE_TYPE_TABLEAU, below)->cards.count > 0 ||
             harness.PileGet(CARD_PILE_TYPE_TABLEAU, below + 1)->cards.count > 0;
   }

   bool FreeCheck(const Card* card)
   {
      const CardPile* pile = card->pile;
      switch (pile->type)
      {
      case CARD_PILE_TYPE_RESERVE:
         return true;
      case CARD_PILE_TYPE_FLIP:
      case CARD_PILE_TYPE_WASTE:
         return pile->CardTopGet() == card;
      case CARD_PILE_TYPE_TABLEAU:
         return !TableauCoveredCheck(pile->secondaryID);
      default:
         return false;
      }
   }

   // The free cards in pile order, so that a loaded game offers the same choices.
   std::vector<Card*> FreeCardsGet(CardGame& game)
   {
      std::vector<Card*> free;
      for (i32 p = 0; p < game.cardPiles.count; ++p)
      {
         for (i32 i = 0; i < game.cardPiles[p]->cards.count; ++i)
         {
            if (FreeCheck(game.cardPiles[p]->cards[i]))
            {
               free.push_back(game.cardPiles[p]->cards[i]);
            }
         }
      }
      return free;
   }

   // Kings alone, pairs as two cards.
   std::vector<std::vector<Card*>> RemovalsGet(CardGame& game)
   {
      const std::vector<Card*> free = FreeCardsGet(game);
      std::vector<std::vector<Card*>> removals;
      for (std::size_t i = 0; i < free.size(); ++i)
      {
         if (free[i]->rank == RANK_KING)
         {
            removals.push_back({free[i]});
         }
         for (std::size_t j = i + 1; j < free.size(); ++j)
         {
            if (free[i]->pile != free[j]->pile && free[i]->rank + free[j]->rank == 13)
            {
               removals.push_back({free[i], free[j]});
            }
         }
      }
      return removals;
   }
};

bool OptionGet(i32 seed, i32 bit)
{
   return ((seed * 2654435761u) >> (bit + 3)) & 1u;
}

void OptionsSet(TraditionalSolitaireHarness& harness, i32 seed)
{
   harness.OptionSet("ShowCoveredCardsFaceDown", OptionGet(seed, 0));
   harness.OptionSet("NoReserve", OptionGet(seed, 1));
   harness.OptionSet("NoWastePile", OptionGet(seed, 2));
   harness.OptionSet("PlayAllCardsToWin", OptionGet(seed, 3));
   harness.OptionSet("ShowPlayableCards", OptionGet(seed, 4));
}

// One click, judged: what reached the Foundation is a free King or a free pair of different piles.
bool ClickJudged(TraditionalSolitaireHarness& harness, PyramidRules& rules, PyramidSolitaire& game,
                 Card* card)
{
   CardPile* foundation = harness.PileGet(CARD_PILE_TYPE_FOUNDATION);
   std::map<const Card*, std::pair<const CardPile*, bool>> before;
   for (i32 i = 0; i < game.cards.count; ++i)
   {
      before[game.cards[i]] = {game.cards[i]->pile, rules.FreeCheck(game.cards[i])};
   }
   const i32 count = foundation->cards.count;
   harness.Choose(card);
   if (::testing::Test::HasFatalFailure())
   {
      return false;
   }
   std::vector<const Card*> removed;
   for (i32 i = count; i < foundation->cards.count; ++i)
   {
      removed.push_back(foundation->cards[i]);
   }
   for (const Card* gone : removed)
   {
      if (!before[gone].second)
      {
         ADD_FAILURE() << "a card that was not free went to the Foundation";
         return false;
      }
   }
   const bool king = removed.size() == 1 && removed[0]->rank == RANK_KING;
   const bool pair = removed.size() == 2 && removed[0]->rank + removed[1]->rank == 13 &&
                     before[removed[0]].first != before[removed[1]].first;
   if (!removed.empty() && !king && !pair)
   {
      ADD_FAILURE() << removed.size() << " cards went to the Foundation at one click";
      return false;
   }
   return true;
}

// The end as the rules have it: the game must be over exactly when they say.
bool EndJudged(TraditionalSolitaireHarness& harness, PyramidRules& rules, PyramidSolitaire& game,
               bool playAll)
{
   const bool won = playAll ? harness.PileGet(CARD_PILE_TYPE_FOUNDATION)->cards.count == 52
                            : game.CardPilesOfTypeEmpty(CARD_PILE_TYPE_TABLEAU);
   const bool lost =
       !won && harness.PileGet(CARD_PILE_TYPE_DRAW)->cards.count == 0 && rules.RemovalsGet(game).empty();
   const i32 expected = won ? MINIGAME_RESULT_WON : lost ? MINIGAME_RESULT_LOST : MINIGAME_RESULT_RUNNING;
   if (game.gameResult != expected)
   {
      ADD_FAILURE() << "result " << game.gameResult << ", the rules give " << expected;
      return false;
   }
   return true;
}

TEST(PyramidSoakTest, SeededGamesWithOptionsUndoAndAReload)
{
   TraditionalSolitaireHarness harness("PyramidSolitaire");
   PyramidRules rules{harness};
#ifdef __SANITIZE_ADDRESS__
   const i32 games = 100;
#else
   const i32 games = 1000;
#endif
   i32 seedNow = 0;
   auto options = [&seedNow](TraditionalSolitaireHarness& h, i32 seed)
   {
      seedNow = seed;
      OptionsSet(h, seed);
   };
   auto play = [&](PyramidSolitaire& game, std::mt19937& random, bool undoAllowed, i32 stopAt, bool* stopped)
   {
      const bool playAll = OptionGet(seedNow, 3);
      for (i32 step = 0; step < 1000; ++step)
      {
         if (game.gameResult != MINIGAME_RESULT_RUNNING)
         {
            return true;
         }
         if (step == stopAt)
         {
            *stopped = true;
            return true;
         }
         const i32 choice = static_cast<i32>(random() % 100);
         const std::vector<std::vector<Card*>> removals = rules.RemovalsGet(game);
         CardPile* stock = harness.PileGet(CARD_PILE_TYPE_DRAW);
         std::vector<Card*> clicks;
         if (undoAllowed && choice < 4)
         {
            harness.UndoPress();
            if (::testing::Test::HasFatalFailure())
            {
               return false;
            }
         }
         else if (choice < 85 && !removals.empty())
         {
            // Mostly a removal that clears the pyramid, as a player would pick.
            std::vector<std::vector<Card*>> pyramid;
            for (const std::vector<Card*>& removal : removals)
            {
               for (const Card* card : removal)
               {
                  if (card->pile->type == CARD_PILE_TYPE_TABLEAU)
                  {
                     pyramid.push_back(removal);
                     break;
                  }
               }
            }
            const auto& from = !pyramid.empty() && choice < 75 ? pyramid : removals;
            clicks = from[random() % from.size()];
         }
         else if (choice < 95 && stock->cards.count > 0)
         {
            clicks = {stock->CardTopGet()};
         }
         else
         {
            // Any card at all: a covered or spent one does nothing, a free one becomes the choice.
            std::vector<Card*> all;
            for (i32 p = 0; p < game.cardPiles.count; ++p)
            {
               for (i32 i = 0; i < game.cardPiles[p]->cards.count; ++i)
               {
                  all.push_back(game.cardPiles[p]->cards[i]);
               }
            }
            clicks = {all[random() % all.size()]};
         }
         for (Card* card : clicks)
         {
            if (game.gameResult != MINIGAME_RESULT_RUNNING || !ClickJudged(harness, rules, game, card))
            {
               break;
            }
         }
         if (::testing::Test::HasFailure() || !EndJudged(harness, rules, game, playAll))
         {
            return false;
         }
      }
      return game.gameResult != MINIGAME_RESULT_RUNNING;
   };
   SeededGamesPlay<PyramidSolitaire>(harness, games, options, play);
}
} // namespace
} // namespace TestSupport
} // namespace Corvale
