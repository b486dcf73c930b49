// A traditional solitaire played headless with its own constants file and the data tree's
// templates: options set in the profile, piles by role, fixtures laid card by card, clicks posted
// as Command 16 and run until the game is idle again.
#pragma once

#include <gtest/gtest.h>

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
} // namespace TestSupport
} // namespace Corvale
