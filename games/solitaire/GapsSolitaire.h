// Gaps: the deck in four rows of thirteen, the Aces taken out as gaps; a card fills a gap beside
// its own suit's next lower (or, allowed, next higher) card, and up to three reshuffles of the
// unfinished parts of the rows.
#pragma once

#include "cardgame/solitaire/TalonSolitaire.h"

namespace Corvale
{
constexpr i32 GAPS_ROW_COUNT = 4;
constexpr i32 GAPS_ROW_LENGTH = 13;
constexpr i32 GAPS_RESETS_MAX = 3;

class GapsSolitaire : public TalonSolitaire
{
 public:
   static void ReflectionRegister();

   // Identity.
   i32 GameNumberGet() override { return 64; }
   const char* GameNameGet() override { return "GapsSolitaire"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::GapsSolitaire"; }

   void Init() override;
   void TextsRefresh() override;
   bool Load(JSONValue* document) override;
   void GameNew() override;
   void Refresh() override;
   void CardChoose(Card* card) override;
   bool CardChooseOnClickCheck(Card* card) override { return card != nullptr; }
   bool CardPickUpCheck(Card* card) override;
   bool CardDropCheck(CardPile* pile, Card* card) override;
   bool CardPlayableCheck(Card* card) override;
   i32 ScoreGet() override;
   void TalonReset() override;
   void Undo() override;

   // Whether the selected card may fill the gap under the move rule.
   bool MoveLegalCheck(const Card* selected, const Card* gap);
   // Two to King of one suit in order, from column 0 or from column 1.
   bool RowFinishedCheck(const CardPile* row);
   // Shows the reshuffle button with the resets left, or hides it when none remain.
   void ResetButtonLabelRefresh();
   CardPile* RowGet(i32 row);

   // Saved: the ID of the selected card, 0 for none.
   i32 clicked = 0;

 private:
   void SelectionClear();
};

// The reshuffle button's caption: the translators' format with the count when it holds exactly one
// "%d" and no other conversion, else the bare count. False when the buffer cannot hold it.
bool GapsResetCaptionFormat(const char* format, i32 count, char* buffer, u32 bufferSize);

extern GapsSolitaire gapsSolitaire;
} // namespace Corvale
