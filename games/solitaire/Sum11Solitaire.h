// Sum 11: a pyramid of 22 cards from a deck of Twos to Tens and sixteen Aces, cleared by choosing
// free cards whose ranks add up to eleven, the higher rows earning more; three or more rounds of
// 90 seconds.
#pragma once

#include "cardgame/solitaire/ArcadeSolitaireGame.h"

namespace Corvale
{
constexpr i32 SUM11_WALL_POSITIONS = 22;
constexpr i32 SUM11_ROUND_COUNT = 3;
constexpr i32 SUM11_GATE_SCORE = 80000;
constexpr i32 SUM11_WIN_SCORE = 120000;
constexpr i32 SUM11_TARGET = 11;
constexpr i32 SUM11_ELEVEN_POINTS = 1500;
constexpr i32 SUM11_TURN_POINTS = -200;
constexpr i32 SUM11_CLEARED_POINTS = 10000;
// The most free cards the playable highlight searches over.
constexpr i32 SUM11_SEARCH_RANKS_MAX = 20;

class Sum11Solitaire : public ArcadeSolitaireGame
{
 public:
   static void ReflectionRegister();
   static Sum11Solitaire instance;

   // The wall positions that cover each position, 1 to 22; 0 for none.
   static const i32 coveringTable[SUM11_WALL_POSITIONS][2];

   i32 GameNumberGet() override { return 85; }
   const char* GameNameGet() override { return "Sum11Solitaire"; }
   const char* LayerNameGet() override { return "ArcadeSolitaireGame"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::Sum11Solitaire"; }
   u32 TimeLimitGet() override { return 90000; }

   void Init() override;
   void GameNew() override;
   void SubgameNew() override;
   bool Load(JSONValue* document) override;
   void Refresh() override;
   bool CardChooseOnClickCheck(Card* card) override;
   void CardChoose(Card* card) override;
   void CardCoveringPilesGet(Card* card, i32* first, i32* second) override;
   bool CardPlayableCheck(Card* card) override;
   void ScoreTake() override;

   void MiscNumberShow();
   // Ranks 2 to 10 of each suit and four Aces of each suit into the stock.
   void DeckBuild();
   // The selected cards add up to exactly eleven.
   bool SelectedSumElevenCheck();
   // Every selected card to the Discard pile, a Tableau card earning its row's bonus.
   void SelectedCardsRemove();
   // The current card or an uncovered Tableau card: the cards a choice may select.
   bool CardAvailableCheck(Card* card);
   // Whether a subset of ranks[from..count) (entries of -1 skipped) brings sum to exactly eleven.
   static bool ElevenCompletableCheck(i32 sum, const i32* ranks, i32 from, i32 count);
   // The bonus of a Tableau pile at that height of the table; 0 at any other.
   static i32 RowBonusGet(float y);

   // Elevens made in this round.
   i32 elevenCount = 0;
};
} // namespace Corvale
