// A player of a trick-taking game: the player's record of each trick of the current hand.
#pragma once

#include "cardgame/Player.h"
#include "cardgame/TrickTakingGamePlayerHistoryEntry.h"
#include "core/Table.h"

namespace Corvale
{
class Card;

class TrickTakingGamePlayer : public Player
{
 public:
   void Clear() override;
   void Deinit() override;
   const char* ReflectionTypeNameGet() const override { return "Corvale::TrickTakingGamePlayer"; }

   static void ReflectionRegister();

   // The card given to that trick (-1 for none); an index outside the history is ignored.
   void HistoryCardSet(i32 trickIndex, const Card* card);
   // -1 outside the history.
   i32 HistoryCardGet(i32 trickIndex) const;
   bool HistoryWinnerCheck(i32 trickIndex) const;
   bool HistoryLeaderCheck(i32 trickIndex) const;
   i32 TricksTakenCount() const;
   // The entry of that trick, or null.
   TrickTakingGamePlayerHistoryEntry* HistoryEntryGet(i32 trickIndex);
   const TrickTakingGamePlayerHistoryEntry* HistoryEntryGet(i32 trickIndex) const;

   Table<TrickTakingGamePlayerHistoryEntry> trickHistory;
};
} // namespace Corvale
