// The Gin Rummy history item's reflection.
#include "cardgame/GinRummyHistoryItem.h"

#include "cardgame/RecordSupport.h"

namespace Corvale
{
void GinRummyHistoryItem::ReflectionRegister()
{
   auto* record =
       ReflectionRecordCreate<ReflectionTypeObjectTyped<GinRummyHistoryItem>>("Corvale::GinRummyHistoryItem");
   if (!record)
   {
      return;
   }
   record->FieldAdd(&GinRummyHistoryItem::playerID, "playerID");
   record->FieldAdd(&GinRummyHistoryItem::type, "type");
   record->FieldAdd(&GinRummyHistoryItem::discardCardID, "discardCardID");
   record->FieldAdd(&GinRummyHistoryItem::drawnCardID, "drawnCardID");
   ReflectionManager::TypeRegister(record);
}
} // namespace Corvale
