// The table games' base adds no saved state of its own; its record only places it in the chain.
#include "cardgame/NonSolitaireFrontendBasedCardGame.h"

#include <typeinfo>

#include "cardgame/RecordSupport.h"

namespace Corvale
{
void NonSolitaireFrontendBasedCardGame::ReflectionRegister()
{
   auto* record =
       ReflectionRecordCreate<ReflectionTypeObjectTypedAbstract<NonSolitaireFrontendBasedCardGame>>(
           "Corvale::NonSolitaireFrontendBasedCardGame");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(FrontendBasedCardGame).name());
   ReflectionManager::TypeRegister(record);
}
} // namespace Corvale
