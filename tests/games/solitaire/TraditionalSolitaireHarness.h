// A traditional solitaire played headless with its own constants file and the data tree's
// templates: options set in the profile, piles by role, fixtures laid card by card, clicks posted
// as Command 16 and run until the game is idle again.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <string>

#include "app/profile/ProfileStore.h"
#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "games/solitaire/PokerSquareSolitaire.h"
#include "games/solitaire/PyramidSolitaire.h"
#include "tests/cardgame/CardGameHarness.h"
#include "tests/games/solitaire/KlondikeHarness.h"

namespace Corvale
{
namespace TestSupport
{
class TraditionalSolitaireHarness : public CardGameHarness
{
 public:
   explicit TraditionalSolitaireHarness(const std::string& gameKey) : key(gameKey)
   {
      FrameworkTypesRegister();
      SolitaireGame::ReflectionRegister();
      TraditionalSolitaireGame::ReflectionRegister();
      PyramidSolitaire::ReflectionRegister();
      PokerSquareSolitaire::ReflectionRegister();
      CardGlobalConstsSet(ConstsWithTemplatesGet(CARD_GAME_HARNESS_CONSTS));
      gameConsts = SourceFileRead("data/Scripts/Minigames/" + key + ".json");
      FileWrite("Scripts/Minigames/" + key + ".json", gameConsts);
   }

   ~TraditionalSolitaireHarness()
   {
      Leave();
      ReflectionManager::Deinit();
   }

   // The option in the profile, as the settings page writes it.
   void OptionSet(const char* name, bool value)
   {
      ProfileMinigameSettingsGet(key.c_str())->ItemBoolSet(name, value);
   }

   // Enters the game, which deals, and lets the deal and its refresh finish.
   void GameEnter(TraditionalSolitaireGame* entered, u32 seed0 = 12345, u32 seed1 = 67890)
   {
      Enter(entered, seed0, seed1);
      cardGame = entered;
      solitaire = entered;
      decks = 1;
      enteredConsts = gameConsts;
      Settle();
   }

   void Settle()
   {
      ASSERT_TRUE(RunUntilSettled(20000));
      ASSERT_TRUE(RunUntilIdle(2000));
      ASSERT_TRUE(RunUntilSettled(20000));
   }

   CardPile* PileGet(i32 type, i32 secondaryID = -1) { return solitaire->CardPileGet(type, secondaryID, -1); }

   // Every card back in the stock face down, with no history and nothing pending: a table for
   // fixtures.
   void TableClear()
   {
      CardPile* stock = PileGet(CARD_PILE_TYPE_DRAW);
      for (i32 i = 0; i < solitaire->cards.count; ++i)
      {
         Card* card = solitaire->cards[i];
         stock->CardInsert(stock->cards.count, card);
         card->FaceUpSet(false, false);
         card->SelectedSet(false);
      }
      solitaire->CardAnimationsFinish();
      solitaire->UndoHistoryClear();
      solitaire->refreshPending = false;
   }

   // A player's click on the card, run until the game is idle again.
   void Choose(Card* card)
   {
      ASSERT_NE(card, nullptr);
      ChoosePost(card);
      Settle();
   }

   // An Undo as the button posts it, run until idle; false when the button would refuse.
   bool UndoPress()
   {
      if (!solitaire->UndoAllowedCheck())
      {
         return false;
      }
      solitaire->CommandCodePost(COMMAND_UNDO, 0);
      Settle();
      return true;
   }

   std::string key;
   std::string gameConsts;
   TraditionalSolitaireGame* solitaire = nullptr;
};

// Leaves the harness's game on the way out of a scope, before a game local to it is destroyed.
struct GameLeaveOnExit
{
   GameHarness& harness;
   ~GameLeaveOnExit() { harness.Leave(); }
};

// The finished game's document without its clock, which a load's shorter run changes.
inline std::string FinalDocumentGet(TraditionalSolitaireGame& game)
{
   JSONTest::ValuePointer document(JSONValue::New(HEAP_DEFAULT));
   if (!game.Save(document.get()))
   {
      return "<failed>";
   }
   document->ItemGet("Frontend")->ItemGet("Minigame")->ItemRemove("gameTimer");
   return JSONTest::TextWrite(document.get());
}

// Seeded games of one solitaire, cards conserved every frame. optionsSet (harness, seed) sets the
// seed's options; play (game, random, undo allowed, stopAt, stopped) plays through the player's
// commands to the end (true), or stops at its idle step stopAt (true, stopped set), false when
// stuck. One game in ten is played again without undo (a loaded game has no history), saved at an
// idle step drawn from the seed, loaded into a freshly entered game and played on to the same final
// document. Prints the games a second.
template <class Game, class OptionsSet, class Play>
void SeededGamesPlay(TraditionalSolitaireHarness& harness, i32 games, OptionsSet optionsSet, Play play)
{
   Game game;
   const GameLeaveOnExit leaveGame{harness};
   ASSERT_NO_FATAL_FAILURE(harness.GameEnter(&game));
   harness.ConservedEveryFrame();
   // A card's move ends within one long frame.
   harness.frameMilliseconds = 250;
   i32 wins = 0;
   i32 reloads = 0;
   const auto start = std::chrono::steady_clock::now();
   for (i32 seed = 1; seed <= games; ++seed)
   {
      SCOPED_TRACE(seed);
      const bool reloaded = seed % 10 == 0;
      auto begin = [&](Game& which, std::mt19937& random)
      {
         optionsSet(harness, seed);
         which.seed1 = static_cast<u32>(seed) * 7919u;
         which.seed2 = static_cast<u32>(seed) * 104729u;
         which.GameNew();
         harness.Settle();
         random.seed(static_cast<u32>(seed));
      };
      std::mt19937 random;
      ASSERT_NO_FATAL_FAILURE(begin(game, random));
      ASSERT_TRUE(play(game, random, !reloaded, -1, nullptr)) << "the game got stuck";
      wins += game.gameResult == MINIGAME_RESULT_WON;
      if (!reloaded)
      {
         continue;
      }
      const std::string uninterrupted = FinalDocumentGet(game);
      ASSERT_NO_FATAL_FAILURE(begin(game, random));
      bool stopped = false;
      ASSERT_TRUE(play(game, random, false, 1 + (seed * 7919) % 30, &stopped));
      if (!stopped)
      {
         continue;
      }
      JSONTest::ValuePointer saved(JSONValue::New(HEAP_DEFAULT));
      ASSERT_TRUE(game.Save(saved.get()));
      {
         Game fresh;
         const GameLeaveOnExit leaveFresh{harness};
         ASSERT_NO_FATAL_FAILURE(harness.GameEnter(&fresh, 99, 98));
         ASSERT_TRUE(fresh.Load(saved.get()));
         ASSERT_NO_FATAL_FAILURE(harness.Settle());
         ASSERT_TRUE(play(fresh, random, false, -1, nullptr)) << "the loaded game got stuck";
         EXPECT_EQ(FinalDocumentGet(fresh), uninterrupted);
         reloads++;
      }
      ASSERT_NO_FATAL_FAILURE(harness.GameEnter(&game));
   }
   EXPECT_GE(reloads, games / 20);
   const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
   std::printf("%d games, %d won, %d reloads, %.1f games per second\n", games, wins, reloads,
               games / seconds);
}
} // namespace TestSupport
} // namespace Corvale
