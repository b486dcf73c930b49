// A traditional solitaire played headless with its own constants file and the constants
// templates of the data tree: a fresh deal, the options in the profile, a table emptied into the
// stock for fixtures, the player's choices and drops, and the reflected types a save needs.
#pragma once

#include <string>

#include "app/profile/ProfileStore.h"
#include "cardgame/solitaire/SolitaireGame.h"
#include "cardgame/solitaire/TraditionalSolitaireGame.h"
#include "games/solitaire/SlideSolitaire.h"
#include "games/solitaire/TripletsSolitaire.h"
#include "tests/games/solitaire/KlondikeHarness.h"

namespace Corvale
{
namespace TestSupport
{
class TraditionalSolitaireHarness : public KlondikeHarness
{
 public:
   // key names the game's constants file, "SlideSolitaire" or "TripletsSolitaire".
   explicit TraditionalSolitaireHarness(const char* key) : gameKey(key)
   {
      SlideSolitaire::ReflectionRegister();
      TripletsSolitaire::ReflectionRegister();
      gameConsts = SourceFileRead(std::string("data/Scripts/Minigames/") + key + ".json");
      FileWrite(std::string("Scripts/Minigames/") + key + ".json", gameConsts);
   }

   void OptionSet(const char* name, bool value)
   {
      ProfileMinigameSettingsGet(gameKey.c_str())->ItemBoolSet(name, value);
   }

   // Enters the game, which deals, and lets the deal finish.
   void SolitaireEnter(TraditionalSolitaireGame* entered, u32 seed0 = 12345, u32 seed1 = 67890)
   {
      Enter(entered, seed0, seed1);
      cardGame = entered;
      solitaire = entered;
      decks = 1;
      enteredConsts = gameConsts;
      ASSERT_TRUE(RunUntilSettled(20000));
      ASSERT_TRUE(RunUntilIdle(1000));
   }

   CardPile* Typed(i32 type, i32 secondaryID = -1) { return solitaire->CardPileGet(type, secondaryID, -1); }

   // Every card in the Draw pile, face down, with no history.
   void SolitaireTableClear()
   {
      CardPile* stock = Typed(CARD_PILE_TYPE_DRAW);
      for (i32 i = 0; i < solitaire->cards.count; ++i)
      {
         Card* card = solitaire->cards[i];
         if (card->pile != stock)
         {
            stock->CardInsert(stock->cards.count, card);
         }
         card->FaceUpSet(false, false);
         card->SelectedSet(false);
      }
      solitaire->CardAnimationsFinish();
      solitaire->UndoHistoryClear();
   }

   // Runs until nothing is queued or moves and no refresh waits.
   void Settle()
   {
      ASSERT_TRUE(RunUntilSettled(5000));
      ASSERT_TRUE(RunUntilIdle(2000));
      ASSERT_TRUE(RunUntilSettled(5000));
   }

   // The game saved, fresh entered (it deals a game of its own) and loaded from the document:
   // fresh must save the same document and hold every card once. fresh becomes the game.
   ::testing::AssertionResult SolitaireRoundTrip(TraditionalSolitaireGame* fresh)
   {
      const std::string saved = SavedText(solitaire);
      JSONTest::ValuePointer parsed = JSONTest::TextParse(saved);
      SolitaireEnter(fresh, 999, 1000);
      if (!parsed || !fresh->Load(parsed.get()))
      {
         return ::testing::AssertionFailure() << "the fresh game refuses the document";
      }
      const std::string loaded = SavedText(fresh);
      if (loaded != saved)
      {
         return ::testing::AssertionFailure() << "saved:\n" << saved << "\nafter the load:\n" << loaded;
      }
      return CardsConservedCheck();
   }

   std::string gameKey;
   TraditionalSolitaireGame* solitaire = nullptr;
};
} // namespace TestSupport
} // namespace Corvale
