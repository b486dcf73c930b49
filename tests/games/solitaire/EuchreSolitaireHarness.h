// Euchre solitaire played headless: the game's own constants, its 24 cards conserved, its piles by
// role, the trump popup answered through the game's operations and its results popup's button.
#pragma once

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/ReflectionTypeBasic.h"
#include "games/solitaire/EuchreSolitaire.h"
#include "games/solitaire/EuchreSolitaireResultsPopup.h"
#include "games/solitaire/EuchreSolitaireSuitPopup.h"
#include "gui/popup/PopupManager.h"
#include "tests/games/solitaire/TraditionalSolitaireHarness.h"

namespace Corvale
{
namespace TestSupport
{
constexpr i32 EUCHRE_DECK_SIZE = 24;

class EuchreSolitaireHarness : public TraditionalSolitaireHarness
{
 public:
   EuchreSolitaireHarness() : TraditionalSolitaireHarness("EuchreSolitaire")
   {
      ReflectionTypeInt::EnumerationRegister<Suit>("Corvale::Suit");
      EuchreSolitaire::ReflectionRegister();
   }

   void Enter(EuchreSolitaire* entered, u32 seed0 = 12345, u32 seed1 = 67890)
   {
      euchre = entered;
      GameEnter(entered, seed0, seed1);
   }

   CardPile* Stock() { return PileGet(CARD_PILE_TYPE_DRAW); }
   CardPile* Flip() { return PileGet(CARD_PILE_TYPE_FLIP); }
   CardPile* Waste() { return PileGet(CARD_PILE_TYPE_WASTE); }
   CardPile* Foundation() { return PileGet(CARD_PILE_TYPE_FOUNDATION); }
   CardPile* Discard() { return PileGet(CARD_PILE_TYPE_DISCARD); }
   CardPile* Hand(i32 id) { return PileGet(CARD_PILE_TYPE_TABLEAU, id); }

   static bool SuitPopupOpenCheck()
   {
      return PopupManager::IndexGet(&EuchreSolitaireSuitPopup::instance) >= 0 &&
             !EuchreSolitaireSuitPopup::instance.closing;
   }
   static bool ResultsOpenCheck()
   {
      return PopupManager::IndexGet(&EuchreSolitaireResultsPopup::instance) >= 0;
   }

   // The popup's Pick Up, or a pass and the suit named, with the stake doubled or not.
   void TrumpAnswer(bool pickUp, i32 suit, bool doubleDown)
   {
      ASSERT_TRUE(SuitPopupOpenCheck());
      bool chosen = false;
      if (pickUp)
      {
         chosen = euchre->TrumpPickUp(doubleDown);
      }
      else
      {
         euchre->TrumpPass(doubleDown);
         chosen = euchre->TrumpSuitChoose(suit, doubleDown);
      }
      ASSERT_TRUE(chosen);
      EuchreSolitaireSuitPopup::instance.Close(true);
      Settle();
   }

   // The results popup's button, as a click on it runs.
   void ResultsContinue()
   {
      ASSERT_TRUE(ResultsOpenCheck());
      EuchreSolitaireResultsPopup& popup = EuchreSolitaireResultsPopup::instance;
      ASSERT_NE(popup.onOK, nullptr);
      popup.onOK(&popup, nullptr, popup.onOKUserData);
      PopupManager::Close(&popup);
      Settle();
   }

   // Every card of the game in exactly one pile, 24 of them.
   ::testing::AssertionResult EuchreCardsConservedCheck()
   {
      std::set<const Card*> seen;
      for (i32 p = 0; p < euchre->cardPiles.count; ++p)
      {
         const CardPile* pile = euchre->cardPiles[p];
         for (i32 i = 0; i < pile->cards.count; ++i)
         {
            if (!seen.insert(pile->cards[i]).second || pile->cards[i]->pile != pile)
            {
               return ::testing::AssertionFailure() << "card " << pile->cards[i]->id << " misplaced";
            }
         }
      }
      if (static_cast<i32>(seen.size()) != EUCHRE_DECK_SIZE || euchre->cards.count != EUCHRE_DECK_SIZE)
      {
         return ::testing::AssertionFailure()
                << seen.size() << " cards in piles, " << euchre->cards.count << " in the game";
      }
      return ::testing::AssertionSuccess();
   }

   EuchreSolitaire* euchre = nullptr;
};
} // namespace TestSupport
} // namespace Corvale
