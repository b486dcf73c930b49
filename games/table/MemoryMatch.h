// Memory Match: a grid of face-down cards holding two copies of each; turn two, keep them when
// they are the same card, else they turn back. Scored for pairs and runs of three, minus misses.
#pragma once

#include "cardgame/NonSolitaireFrontendBasedCardGame.h"
#include "cardgame/Player.h"

namespace Corvale
{
class CardPile;

constexpr i32 MEMORY_MATCH_CELLS_MAX = 36;

class MemoryMatchPlayer : public Player
{
 public:
   void Clear() override;
   const char* ReflectionTypeNameGet() const override { return "Corvale::MemoryMatchPlayer"; }

   static void ReflectionRegister();

   i32 pairsMatched = 0;
   // Second cards turned.
   i32 pairsAttempted = 0;
   // Runs of three pairs in a row.
   i32 triplets = 0;
};

class MemoryMatch : public NonSolitaireFrontendBasedCardGame
{
 public:
   static void ReflectionRegister();
   static MemoryMatch instance;

   i32 GameNumberGet() override { return 16; }
   const char* GameNameGet() override { return "MemoryMatch"; }
   const char* LayerNameGet() override { return "NonSolitaireFrontendBasedCardGame"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::MemoryMatch"; }
   Player* PlayerCreate() override;
   i32 PlayersMinimumGet() override { return 1; }
   i32 PlayersMaximumGet() override { return 1; }
   bool GamesWonRecordCheck() override { return players.count > 1; }
   bool CardStyleChoiceCheck() override { return false; }
   const char* CardFrontStyleGet() override;
   const char* CardBackStyleGet() override;

   void Init() override;
   void GameNew() override;
   bool Load(JSONValue* document) override;
   void Refresh() override;
   void RefreshMark() override;
   void ResultsShow() override;
   void ResultsHide() override;
   bool CardChooseOnClickCheck(Card* card) override;
   void CardChoose(Card* card) override;

   // The "GridSize" option as columns and rows; 4 x 4 when it holds no known size.
   void GridSizeGet(i32* columns, i32* rows);
   // Two copies of each card, hearts then spades, diamonds, clubs, ace to king, until there are
   // pairs of them, into the pile.
   void DeckBuild(CardPile* pile, i32 pairs);
   // Places and shows the cells of the grid and hides the others.
   void GridLayOut(i32 columns, i32 rows);
   // The centre of the grid cell, from the constants.
   Point2F CellPositionGet(i32 column, i32 row, i32 columns, i32 rows);
   CardPile* CellGet(i32 index);

   i32 matchesInARow = 0;
   i32 delayCardReveal = 0;
};
} // namespace Corvale
