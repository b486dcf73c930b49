// The team record: defaults, its table of player IDs and reflection.
#include "cardgame/Team.h"

#include "cardgame/RecordSupport.h"

namespace Corvale
{
void Team::Clear()
{
   id = -1;
   minigameWinner = false;
   minigameScore = 0;
   minigameScoreSubgameBegin = 0;
   playerIDs.allocator = allocatorDefault;
}

void Team::Deinit()
{
   playerIDs = Table<int>(static_cast<Allocator*>(nullptr));
}

void Team::ReflectionRegister()
{
   auto* record = ReflectionRecordCreate<ReflectionTypeObjectTyped<Team>>("Corvale::Team");
   if (!record)
   {
      return;
   }
   record->initMethod = &Team::Clear;
   record->deinitMethod = &Team::Deinit;
   record->FieldAdd(&Team::id, "id");
   record->FieldAdd(&Team::minigameWinner, "minigameWinner");
   record->FieldAdd(&Team::minigameScore, "minigameScore");
   record->FieldAdd(&Team::minigameScoreSubgameBegin, "minigameScoreSubgameBegin");
   record->FieldAdd(&Team::playerIDs, "playerIDs");
   ReflectionManager::TypeRegister(record);
}
void Team::MinigameScoreAdd(i32 amount)
{
   minigameScore = ScoreSaturatingAdd(minigameScore, amount);
}
} // namespace Corvale
