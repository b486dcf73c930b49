// Go Fish: each player in turn asks another for a rank he holds and takes every card of it, or
// draws from the stock; sets of four are laid down as books, and the most books win.
#pragma once

#include "cardgame/CardNames.h"
#include "cardgame/NonSolitaireFrontendBasedCardGame.h"
#include "cardgame/Player.h"
#include "core/Table.h"

namespace Corvale
{
class CardPile;

constexpr i32 GO_FISH_RANK_ASKS_MAX = 25;
constexpr i32 GO_FISH_HAND_SIZE = 5;
// Card sort types: ascending and descending by rank with the ace high, ties by suit.
constexpr i32 GO_FISH_SORT_ASCENDING = 8;
constexpr i32 GO_FISH_SORT_DESCENDING = 3;

class GoFishPlayer : public Player
{
 public:
   void Clear() override;
   void Deinit() override;
   const char* ReflectionTypeNameGet() const override { return "Corvale::GoFishPlayer"; }

   static void ReflectionRegister();

   // Appends the rank, dropping the oldest entry when the record is full.
   void RankAskAdd(i32 rank);
   // Whether the rank is among the last length asks; every ask when length is negative.
   bool RankAskedRecentlyCheck(i32 rank, i32 length) const;

   // What this player asked last within the current turn; cleared when a turn begins.
   Rank lastAskedRank = RANK_NONE;
   i32 lastAskedPlayerID = -1;
   // The ranks asked for, oldest first; an entry becomes -1 once this player is asked for it.
   Table<i32> rankAsks;
};

class GoFish : public NonSolitaireFrontendBasedCardGame
{
 public:
   static void ReflectionRegister();
   static GoFish instance;

   i32 GameNumberGet() override { return 13; }
   const char* GameNameGet() override { return "GoFish"; }
   const char* LayerNameGet() override { return "NonSolitaireFrontendBasedCardGame"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::GoFish"; }
   Player* PlayerCreate() override;
   i32 PlayersMinimumGet() override { return 4; }
   i32 PlayersMaximumGet() override { return 4; }

   void Init() override;
   void TextsRefresh() override;
   void GameNew() override;
   void TurnBegin() override;
   void AITurnTake() override;
   void Refresh() override;
   void HandsSort() override;
   bool CommandExecute(const Command& command) override;
   void ResultsShow() override;
   void ResultsHide() override;
   bool CardChooseOnClickCheck(Card* card) override;
   void CardChoose(Card* card) override;

   // The asker is the active player: the asked player's cards of the rank, or a card from the stock.
   void AskResolve(i32 askedPlayerID, i32 rank);
   // The computer's memory of other players' asks for the current difficulty; 0 switches it off.
   i32 AIHistoryLengthGet();

   CardPile* StockGet();
   CardPile* BooksGet();
   GoFishPlayer* GoFishPlayerGet(i32 playerID);
   Card* SelectedCardGet();
   void SelectionClear();

   i32 selectedCardID = -1;

 protected:
   // The first rank held four times in the hand, in hand order; RANK_NONE when none.
   i32 BookRankFind(const CardPile* hand);
   void GameEndCheck();
};
} // namespace Corvale
