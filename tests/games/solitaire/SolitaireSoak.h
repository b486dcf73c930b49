// A seeded random player for the traditional solitaires, judged by rules written apart from the
// game's: every pick-up and drop it tries must be answered as the rules answer it, a double-click
// must send the card where the rules say, the idle table must keep the game's invariants, and the
// game must end exactly when the rules say. The cards are conserved in every frame. A game can be
// saved at a chosen step, loaded into a fresh game and played on by the same player.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "tests/games/solitaire/SolitaireHarness.h"

namespace Corvale
{
namespace TestSupport
{
// One game's rules, as the player's judge sees them.
class SoakRules
{
 public:
   virtual ~SoakRules() = default;
   virtual bool PickUpLegal(const Card* card) = 0;
   virtual bool DropLegal(const CardPile* target, const Card* card) = 0;
   // What must hold on an idle table; empty when it does, else what is wrong.
   virtual std::string IdleFault() = 0;
   // MINIGAME_RESULT_RUNNING, _WON or _LOST as the rules decide on an idle table.
   virtual i32 ResultExpected() = 0;
   // A click on the stock (or the reset) when the rules allow one; false when none.
   virtual bool StockAct(std::mt19937& random) = 0;
   // Whether a complete run leaves for the Foundation as soon as it forms, moved card and all.
   virtual bool RunsLeaveCheck() { return false; }
   // Whether a card that reached target has already gone on from there by the game's own move.
   virtual bool MovedOnCheck(const Card* card, const CardPile* target)
   {
      (void)card;
      (void)target;
      return false;
   }
};

inline std::string SoakTimersCleared(const std::string& text)
{
   return std::regex_replace(text, std::regex("\"(gameTimer|gameTimeFrozen)\": [0-9]+"), "\"$1\": 0");
}

class SolitaireSoak
{
 public:
   SolitaireSoak(SolitaireHarness& harnessUsed, SoakRules& rulesUsed) : harness(harnessUsed), rules(rulesUsed)
   {
   }

   // The cards the player may try: the face-up cards of every pile but the stock, in pile order.
   std::vector<Card*> CandidatesGet()
   {
      std::vector<Card*> found;
      TraditionalSolitaireGame* game = harness.solitaire;
      for (i32 p = 0; p < game->cardPiles.count; ++p)
      {
         const CardPile* pile = game->cardPiles[p];
         for (i32 i = 0; pile->type != CARD_PILE_TYPE_DRAW && i < pile->cards.count; ++i)
         {
            if (pile->cards[i]->faceUp)
            {
               found.push_back(pile->cards[i]);
            }
         }
      }
      return found;
   }

   std::vector<CardPile*> LegalTargetsGet(const Card* card)
   {
      std::vector<CardPile*> targets;
      TraditionalSolitaireGame* game = harness.solitaire;
      for (i32 p = 0; p < game->cardPiles.count; ++p)
      {
         if (game->cardPiles[p] != card->pile && rules.DropLegal(game->cardPiles[p], card))
         {
            targets.push_back(game->cardPiles[p]);
         }
      }
      return targets;
   }

   // One action of the player, then the table settles and is judged. False once the test failed.
   bool Step()
   {
      TraditionalSolitaireGame* game = harness.solitaire;
      const u32 roll = random() % 100;
      if (roll < 4 && undoAllowed && game->undoHistory.count > 0)
      {
         game->CommandCodePost(COMMAND_UNDO, 0);
         harness.Settle();
         return Judge("after an undo");
      }
      if (roll < 22 && rules.StockAct(random))
      {
         harness.Settle();
         return Judge("after a stock click");
      }
      std::vector<Card*> candidates = CandidatesGet();
      if (candidates.empty())
      {
         return rules.StockAct(random) ? (harness.Settle(), Judge("after a stock click")) : true;
      }
      // Mostly a card that can go somewhere, so that games get somewhere.
      std::vector<Card*> movable;
      for (Card* card : candidates)
      {
         if (rules.PickUpLegal(card) && !LegalTargetsGet(card).empty())
         {
            movable.push_back(card);
         }
      }
      // A card a foundation takes goes there more often than not.
      std::vector<Card*> founding;
      for (Card* card : movable)
      {
         for (CardPile* target : LegalTargetsGet(card))
         {
            if (target->type == CARD_PILE_TYPE_FOUNDATION)
            {
               founding.push_back(card);
               break;
            }
         }
      }
      const u32 pick = random() % 100;
      Card* card = !founding.empty() && pick < 60  ? founding[random() % founding.size()]
                   : !movable.empty() && pick < 85 ? movable[random() % movable.size()]
                                                   : candidates[random() % candidates.size()];
      const bool pickUp = rules.PickUpLegal(card);
      EXPECT_EQ(game->CardPickUpCheck(card), pickUp) << CardText(card);
      if (!pickUp)
      {
         return !::testing::Test::HasFailure();
      }
      const std::vector<CardPile*> legal = LegalTargetsGet(card);
      if (random() % 100 < 25)
      {
         // A double-click: the first pile that takes it, in the constants' order.
         CardPile* expected = legal.empty() ? card->pile : legal.front();
         harness.ChoosePost(card);
         EXPECT_TRUE(harness.RunUntilSettled(20000));
         const bool runLeft = rules.RunsLeaveCheck() && card->pile->type == CARD_PILE_TYPE_FOUNDATION;
         EXPECT_TRUE(card->pile == expected || runLeft || rules.MovedOnCheck(card, expected))
             << "double-click on " << CardText(card) << ", now in a pile of type " << card->pile->type;
         harness.Settle();
         return Judge("after a double-click");
      }
      CardPile* target = !legal.empty() && random() % 100 < 70
                             ? legal[random() % legal.size()]
                             : game->cardPiles[static_cast<i32>(random() % game->cardPiles.count)];
      const bool expected = target != card->pile && rules.DropLegal(target, card);
      EXPECT_EQ(harness.Drop(card, target), expected) << CardText(card) << " onto pile " << target->id;
      harness.Settle();
      return Judge("after a drop");
   }

   bool Judge(const char* when)
   {
      TraditionalSolitaireGame* game = harness.solitaire;
      const std::string fault = rules.IdleFault();
      EXPECT_EQ(fault, "") << when;
      EXPECT_EQ(game->gameResult, rules.ResultExpected()) << when;
      return !::testing::Test::HasFailure();
   }

   // Plays until the game ends or maxSteps; at saveStep the game is saved into saved and play
   // stops there.
   void Play(i32 firstStep, i32 maxSteps, i32 saveStep, JSONTest::ValuePointer* saved)
   {
      TraditionalSolitaireGame* game = harness.solitaire;
      if (!Judge("after the deal"))
      {
         return;
      }
      for (steps = firstStep; steps < maxSteps && game->gameResult == MINIGAME_RESULT_RUNNING; ++steps)
      {
         if (steps == saveStep)
         {
            saved->reset(JSONValue::New(HEAP_DEFAULT));
            ASSERT_TRUE(game->Save(saved->get()));
            return;
         }
         if (!Step())
         {
            return;
         }
      }
   }

   static std::string CardText(const Card* card)
   {
      return std::string("card ") + std::to_string(card->id) + " (rank " + std::to_string(card->rank) +
             ", suit " + std::to_string(card->suit) + ")";
   }

   SolitaireHarness& harness;
   SoakRules& rules;
   std::mt19937 random;
   // A loaded game has no history to take back: the games that are saved and loaded play without undo.
   bool undoAllowed = true;
   i32 steps = 0;
};
// What a soak of one game needs to know of it.
struct SoakSetup
{
   const char* key;
   i32 decks;
   // Draws the seed's options.
   std::function<void(std::mt19937&)> optionsDraw;
   // After the deal settled: what the rules must learn of it.
   std::function<void()> dealt;
};

// A thousand seeded games (a tenth under the sanitizers) of one solitaire, played and judged by the
// rules; one in ten also saved at a random step, loaded into the fresh game and played on to the
// same final document.
template <typename Game>
void SoakRun(SoakRules& rules, SolitaireHarness& harness, Game& game, Game& fresh, const SoakSetup& setup,
             i32 maxSteps)
{
#ifdef __SANITIZE_ADDRESS__
   const u32 games = 100;
#else
   const u32 games = 1000;
#endif
   const auto start = std::chrono::steady_clock::now();
   u32 won = 0;
   u32 lost = 0;
   i64 steps = 0;
   u32 roundTrips = 0;
   for (u32 seed = 1; seed <= games && !::testing::Test::HasFailure(); ++seed)
   {
      SCOPED_TRACE(seed);
      std::mt19937 options(seed);
      setup.optionsDraw(options);
      auto deal = [&]()
      {
         game.seed1 = seed * 7919u;
         game.seed2 = seed * 104729u;
         game.GameNew();
         harness.Settle();
         if (setup.dealt)
         {
            setup.dealt();
         }
      };
      deal();
      SolitaireSoak soak(harness, rules);
      soak.random.seed(seed);
      soak.undoAllowed = seed % 10 != 0;
      soak.Play(0, maxSteps, -1, nullptr);
      steps += soak.steps;
      won += game.gameResult == MINIGAME_RESULT_WON ? 1 : 0;
      lost += game.gameResult == MINIGAME_RESULT_LOST ? 1 : 0;
      if (seed % 10 != 0)
      {
         continue;
      }
      const std::string uninterrupted = SoakTimersCleared(harness.SavedText(&game));
      deal();
      SolitaireSoak resumed(harness, rules);
      resumed.random.seed(seed);
      resumed.undoAllowed = false;
      const i32 saveStep = 1 + static_cast<i32>(options() % 100);
      JSONTest::ValuePointer saved;
      resumed.Play(0, maxSteps, saveStep, &saved);
      if (saved)
      {
         harness.SolitaireEnter(&fresh, setup.decks);
         ASSERT_TRUE(fresh.Load(saved.get()));
         resumed.Play(saveStep, maxSteps, -1, nullptr);
         EXPECT_EQ(SoakTimersCleared(harness.SavedText(&fresh)), uninterrupted);
         roundTrips++;
         harness.SolitaireEnter(&game, setup.decks);
      }
   }
   const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
   std::printf("%s: %u games, %lld steps, %u won, %u lost, %u saved and loaded, %.1f s\n", setup.key, games,
               static_cast<long long>(steps), won, lost, roundTrips, seconds);
   EXPECT_GE(roundTrips, games / 20);
}

} // namespace TestSupport
} // namespace Corvale
