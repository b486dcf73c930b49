// Any traditional solitaire played headless with its own constants file and the data tree's
// templates: options set in the profile, a table cleared for fixtures, and the player's choices
// and drops posted as the card widgets post them.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "app/profile/ProfileStore.h"
#include "core/ReflectionTypeBasic.h"
#include "cardgame/CardNames.h"
#include "games/solitaire/AlhambraSolitaire.h"
#include "games/solitaire/BetsyRossSolitaire.h"
#include "games/solitaire/CalculationSolitaire.h"
#include "games/solitaire/CanfieldSolitaire.h"
#include "games/solitaire/ClockSolitaire.h"
#include "games/solitaire/EagleWingSolitaire.h"
#include "games/solitaire/SpiderSolitaire.h"
#include "games/solitaire/SpideretteSolitaire.h"
#include "tests/games/solitaire/KlondikeHarness.h"

namespace Corvale
{
namespace TestSupport
{
class SolitaireHarness : public KlondikeHarness
{
 public:
   SolitaireHarness()
   {
      ReflectionTypeInt::EnumerationRegister<Rank>("Corvale::Rank");
      CanfieldSolitaire::ReflectionRegister();
      SpiderSolitaire::ReflectionRegister();
      SpideretteSolitaire::ReflectionRegister();
      ClockSolitaire::ReflectionRegister();
      CalculationSolitaire::ReflectionRegister();
      EagleWingSolitaire::ReflectionRegister();
      BetsyRossSolitaire::ReflectionRegister();
      AlhambraSolitaire::ReflectionRegister();
   }

   static void OptionSet(const char* key, const char* name, const char* value)
   {
      ProfileMinigameSettingsGet(key)->ItemStringSet(name, value);
   }
   static void OptionSet(const char* key, const char* name, bool value)
   {
      ProfileMinigameSettingsGet(key)->ItemBoolSet(name, value);
   }

   // Enters the game, which deals, and lets the deal finish.
   void SolitaireEnter(TraditionalSolitaireGame* entered, i32 deckCount = 1, u32 seed0 = 12345,
                       u32 seed1 = 67890)
   {
      const std::string text =
          SourceFileRead(std::string("data/Scripts/Minigames/") + entered->GameNameGet() + ".json");
      FileWrite(std::string("Scripts/Minigames/") + entered->GameNameGet() + ".json", text);
      Enter(entered, seed0, seed1);
      cardGame = entered;
      solitaire = entered;
      decks = deckCount;
      enteredConsts = text;
      ASSERT_TRUE(RunUntilSettled(40000));
      ASSERT_TRUE(RunUntilIdle(1000));
      ASSERT_TRUE(RunUntilSettled(5000));
   }

   CardPile* StockGet() { return solitaire->CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1); }
   CardPile* TalonGet() { return solitaire->CardPileGet(CARD_PILE_TYPE_TALON, -1, -1); }
   CardPile* FoundationGet(i32 i) { return solitaire->CardPileGet(CARD_PILE_TYPE_FOUNDATION, i, -1); }
   CardPile* ColumnGet(i32 i) { return solitaire->CardPileGet(CARD_PILE_TYPE_TABLEAU, i, -1); }
   CardPile* PileGet(i32 type, i32 i) { return solitaire->CardPileGet(type, i, -1); }

   // Every card back in the stock, face down, with no history: a table for fixtures.
   void TableEmpty()
   {
      CardPile* stock = StockGet();
      for (i32 i = 0; i < solitaire->cards.count; ++i)
      {
         Card* card = solitaire->cards[i];
         if (card->pile != stock)
         {
            stock->CardInsert(stock->cards.count, card);
         }
         card->FaceUpSet(false, false);
      }
      solitaire->CardAnimationsFinish();
      solitaire->UndoHistoryClear();
   }

   // Lets queued moves, the refresh and what it queues run out.
   void Settle()
   {
      ASSERT_TRUE(RunUntilSettled(20000));
      ASSERT_TRUE(RunUntilIdle(1000));
      ASSERT_TRUE(RunUntilSettled(20000));
   }

   // A player's choice of the card (a click on the stock, a double-click elsewhere).
   void Pick(Card* card)
   {
      ChoosePost(card);
      Settle();
   }

   // A drop through the pointer path; true when the game took it.
   bool DropAndSettle(Card* card, CardPile* target)
   {
      const bool dropped = Drop(card, target);
      Settle();
      return dropped;
   }

   TraditionalSolitaireGame* solitaire = nullptr;
};
} // namespace TestSupport
} // namespace Corvale
