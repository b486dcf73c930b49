// Triplets: the whole deck face up in eighteen small piles; three top cards of consecutive ranks
// (King and Ace adjacent), chosen one click at a time, leave for the Foundation. One card left wins.
#pragma once

#include "cardgame/solitaire/TraditionalSolitaireGame.h"

namespace Corvale
{
constexpr i32 TRIPLETS_PILE_COUNT = 18;

class TripletsSolitaire : public TraditionalSolitaireGame
{
 public:
   static void ReflectionRegister();
   static TripletsSolitaire instance;

   i32 GameNumberGet() override { return 88; }
   const char* GameNameGet() override { return "TripletsSolitaire"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::TripletsSolitaire"; }

   void Init() override;
   void GameNew() override;
   void Refresh() override;
   void CardChoose(Card* card) override;
   bool CardChooseOnClickCheck(Card* card) override;
   bool CardPlayableCheck(Card* card) override;
   void Undo() override;

   // The Triplets' own operations, in their virtual order.
   // Whether a top card of rank card.rank + direction (wrapping at King and Ace) exists and, while
   // depth is 1 or more, the run goes on from it.
   virtual bool RunExtends(Card* card, i32 direction, i32 depth);
   // Three top cards of consecutive ranks exist, suits aside.
   virtual bool RunExists();

   // Three distinct ranks in a row, Queen-King-Ace and King-Ace-Two included.
   static bool RanksRunCheck(i32 rank0, i32 rank1, i32 rank2);
   // The three cards form a run, of three different suits when differentSuits asks for it.
   static bool TripleCheck(const Card* a, const Card* b, const Card* c, bool differentSuits);
   // Some two other top cards make a run with the card under the rules in force.
   bool RunWithCardExists(const Card* card);

   // Saved: card IDs of the chosen cards, -1 for none; first holds the lower rank.
   i32 first = -1;
   i32 second = -1;

 private:
   // The Tableau piles' top cards into tops (room for TRIPLETS_PILE_COUNT); returns their number.
   i32 TopCardsGet(Card** tops);
   bool DifferentSuitsCheck();
   void SelectionClear();
};
} // namespace Corvale
