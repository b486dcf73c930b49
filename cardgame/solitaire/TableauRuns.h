// Rules shared by the solitaires that build descending runs on their Tableau piles and send each
// complete run from King to Ace off to a Foundation by itself.
#pragma once

#include "core/Types.h"

namespace Corvale
{
class Card;
class CardPile;
class TraditionalSolitaireGame;

// The suit rules of CardsSequenceCheck that runs use.
constexpr i32 TABLEAU_RUN_ANY_SUIT = 0;
constexpr i32 TABLEAU_RUN_SAME_SUIT = 1;

// A face-up Tableau card heading a run down to its pile's top, one rank at a time, no wrap.
bool TableauRunPickUpCheck(const Card* card, i32 suitRule);
// Onto a Tableau pile only: on a card one rank higher (any suit), or on an empty pile; the pile
// holds at most pileCardsMax cards afterwards.
bool TableauRunDropCheck(const CardPile* pile, const Card* card, i32 pileCardsMax);
// Whether each of the Tableau piles 0 to pileCount - 1 that exists holds fewer than pileCardsMax.
bool TableauPilesBelowCheck(TraditionalSolitaireGame* game, i32 pileCount, i32 pileCardsMax);
// Whether any of those piles exists and is empty.
bool TableauPileEmptyCheck(TraditionalSolitaireGame* game, i32 pileCount);
// The idle table's housekeeping: face-down top cards turn up; failing that, every complete run
// moves onto the Foundation pile. True when anything changed, so the caller waits for it.
bool TableauRunsTidy(TraditionalSolitaireGame* game, i32 pileCount, i32 suitRule);
} // namespace Corvale
