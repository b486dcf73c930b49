// The trick-taking player's history and its reflection.
#include "cardgame/tricktaking/TrickTakingGamePlayer.h"

#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/RecordSupport.h"
#include "core/Memory.h"

namespace Corvale
{
void TrickTakingGamePlayer::Clear()
{
   Player::Clear();
   trickHistory = Table<TrickTakingGamePlayerHistoryEntry>(allocatorDefault);
}

void TrickTakingGamePlayer::Deinit()
{
   trickHistory = Table<TrickTakingGamePlayerHistoryEntry>();
   Player::Deinit();
}

TrickTakingGamePlayerHistoryEntry* TrickTakingGamePlayer::HistoryEntryGet(i32 trickIndex)
{
   return trickIndex >= 0 && trickIndex < trickHistory.count ? &trickHistory[trickIndex] : nullptr;
}

const TrickTakingGamePlayerHistoryEntry* TrickTakingGamePlayer::HistoryEntryGet(i32 trickIndex) const
{
   return trickIndex >= 0 && trickIndex < trickHistory.count ? &trickHistory[trickIndex] : nullptr;
}

void TrickTakingGamePlayer::HistoryCardSet(i32 trickIndex, const Card* card)
{
   TrickTakingGamePlayerHistoryEntry* entry = HistoryEntryGet(trickIndex);
   if (entry)
   {
      entry->cardID = card ? card->id : -1;
   }
}

i32 TrickTakingGamePlayer::HistoryCardGet(i32 trickIndex) const
{
   const TrickTakingGamePlayerHistoryEntry* entry = HistoryEntryGet(trickIndex);
   return entry ? entry->cardID : -1;
}

bool TrickTakingGamePlayer::HistoryWinnerCheck(i32 trickIndex) const
{
   const TrickTakingGamePlayerHistoryEntry* entry = HistoryEntryGet(trickIndex);
   return entry && entry->winner;
}

bool TrickTakingGamePlayer::HistoryLeaderCheck(i32 trickIndex) const
{
   const TrickTakingGamePlayerHistoryEntry* entry = HistoryEntryGet(trickIndex);
   return entry && entry->leader;
}

i32 TrickTakingGamePlayer::TricksTakenCount() const
{
   i32 count = 0;
   for (i32 i = 0; i < trickHistory.count; ++i)
   {
      count += trickHistory[i].winner ? 1 : 0;
   }
   return count;
}

void TrickTakingGamePlayer::ReflectionRegister()
{
   auto* record = ReflectionRecordCreate<ReflectionTypeObjectTyped<TrickTakingGamePlayer>>(
       "Corvale::TrickTakingGamePlayer");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(Player).name());
   record->initMethod = &TrickTakingGamePlayer::Clear;
   record->deinitMethod = &TrickTakingGamePlayer::Deinit;
   record->FieldAdd(&TrickTakingGamePlayer::trickHistory, "trickHistory");
   ReflectionManager::TypeRegister(record);
}
} // namespace Corvale
