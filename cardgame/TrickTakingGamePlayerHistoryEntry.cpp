// The trick history entry's reflection.
#include "cardgame/TrickTakingGamePlayerHistoryEntry.h"

#include "cardgame/RecordSupport.h"

namespace Corvale
{
void TrickTakingGamePlayerHistoryEntry::ReflectionRegister()
{
   auto* record = ReflectionRecordCreate<ReflectionTypeObjectTyped<TrickTakingGamePlayerHistoryEntry>>(
       "Corvale::TrickTakingGamePlayerHistoryEntry");
   if (!record)
   {
      return;
   }
   record->FieldAdd(&TrickTakingGamePlayerHistoryEntry::winner, "winner");
   record->FieldAdd(&TrickTakingGamePlayerHistoryEntry::leader, "leader");
   record->FieldAdd(&TrickTakingGamePlayerHistoryEntry::cardID, "cardID");
   ReflectionManager::TypeRegister(record);
}
} // namespace Corvale
