// The reflection record of the back-end game base: the card game's fields and none of its own.
#include "cardgame/BackendBasedGame.h"

#include <typeinfo>

#include "cardgame/RecordSupport.h"

namespace Corvale
{
void BackendBasedGame::ReflectionRegister()
{
   auto* record = ReflectionRecordCreate<ReflectionTypeObjectTypedAbstract<BackendBasedGame>>(
       "Corvale::BackendBasedGame");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(CardGame).name());
   ReflectionManager::TypeRegister(record);
}
} // namespace Corvale
