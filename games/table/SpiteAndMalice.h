// Spite and Malice: two players race to empty their 20-card goal piles onto four shared build piles
// that run from Ace to Queen, Kings wild; each turn ends with a hand card laid on an own discard pile.
#pragma once

#include <vector>

#include "cardgame/NonSolitaireFrontendBasedCardGame.h"

namespace Corvale
{
class Card;
class CardPile;
class PressButtonWidget;

constexpr i32 SPITE_AND_MALICE_BUILD_PILES = 4;
constexpr i32 SPITE_AND_MALICE_DISCARD_PILES = 4;
constexpr i32 SPITE_AND_MALICE_GOAL_CARDS = 20;
constexpr i32 SPITE_AND_MALICE_HAND_CARDS = 5;
constexpr i32 SPITE_AND_MALICE_KINGS = 8;

class SpiteAndMalice : public NonSolitaireFrontendBasedCardGame
{
 public:
   static void ReflectionRegister();
   static SpiteAndMalice instance;

   i32 GameNumberGet() override { return 33; }
   const char* GameNameGet() override { return "SpiteAndMalice"; }
   const char* LayerNameGet() override { return "SpiteAndMalice"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::SpiteAndMalice"; }
   i32 PlayersMinimumGet() override { return 2; }
   i32 PlayersMaximumGet() override { return 2; }

   void Init() override;
   void Deinit() override;
   void GUIInit(LayerWidget* pushedLayer) override;
   void TextsRefresh() override;
   void GameNew() override;
   void SubgameNew() override;
   void AITurnTake() override;
   void Refresh() override;
   void ResultsShow() override;
   void ResultsHide() override;
   bool Load(JSONValue* document) override;
   bool CommandExecute(const Command& command) override;
   void CardChoose(Card* card) override;
   void CardAddDoneNotify(CardPile* pile, CardPile* oldPile, Card* card) override;
   bool CardPickUpCheck(Card* card) override;
   bool CardDropCheck(CardPile* pile, Card* card) override;

   // The computer's searches.
   virtual i32 BuildPileForCardFind(Card* card);
   virtual i32 GoalChainFind(Card* target, Table<Card*>& available, bool kingsWild);
   virtual i32 GoalRankPlayFind(Card* goal, Table<Card*>& available);
   virtual i32 HandPlayFind();
   virtual i32 DiscardPlayFind();
   virtual void DiscardChoose();

   CardPile* DrawPileGet();
   CardPile* CompletedPileGet();
   CardPile* GoalPileGet(i32 seat);
   CardPile* BuildPileGet(i32 index);
   CardPile* DiscardPileGet(i32 seat, i32 index);
   CardPile* HandGet(i32 seat);

   // The rank that follows rank on a build pile: Ace after King.
   static i32 RankAfter(i32 rank);
   // Whether a card of that rank may go on build pile index (an Ace on an empty one).
   bool BuildPileFitCheck(i32 rank, i32 index);
   // The match target of the "Variation" option; 0 for a single game.
   i32 MatchTargetGet();

   void HandRefill();
   void DrawPileRefill();
   void DiscardPileExpandToggle(i32 index);

   // The ids of the eight Kings, so that a King that stood for another rank becomes a King again.
   Table<i32> kingsID;
   i32 matchTotals[2] = {0, 0};
   // The human's discard pile shown fanned out, -1 for none; one for the whole program.
   static i32 discardPileExpandedIndex;
   // GoalChainFind calls of the decision being made: bounded by a budget, counted by the benchmarks.
   i32 goalChainCalls = 0;

 private:
   struct GoalChainMemoEntry
   {
      u32 stamp = 0;
      i32 answer = -1;
   };
   std::vector<GoalChainMemoEntry> goalChainMemo;
   u32 goalChainStamp = 0;
   i32 goalChainDepth = 0;
   i32 goalChainKingsLent = 0;
   CardPile* chainBuilds[SPITE_AND_MALICE_BUILD_PILES] = {};
   CardPile* chainDiscards[SPITE_AND_MALICE_DISCARD_PILES] = {};

 protected:
   void HandWon(i32 seat);
   bool KingIDCheck(i32 id) const;
   void MovePost(CardPile* pile, Card* card);
   Card* HandCardFitGet(i32 seat, i32 build);
   Card* DiscardTopFitGet(i32 seat, i32 build);
   i32 GoalChainSearch(Card* target, Table<Card*>& available, bool kingsWild, const CardPile* hand);
   template <i32 INDEX> static void OnPileClick(PressButtonWidget* button, void* game);
};
} // namespace Corvale
