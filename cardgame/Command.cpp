// The command record's reflection.
#include "cardgame/Command.h"

#include "cardgame/RecordSupport.h"

namespace Corvale
{
void Command::ReflectionRegister()
{
   auto* record = ReflectionRecordCreate<ReflectionTypeObjectTyped<Command>>("Corvale::Command");
   if (!record)
   {
      return;
   }
   record->FieldAdd(&Command::type, "type");
   record->FieldAdd(&Command::intParam0, "intParam0");
   record->FieldAdd(&Command::intParam1, "intParam1");
   ReflectionManager::TypeRegister(record);
}
} // namespace Corvale
