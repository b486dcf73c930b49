// The table games' base: every seat taken, and the hands' sorting option read one way for all.
#include "cardgame/NonSolitaireFrontendBasedCardGame.h"

#include <cstring>
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

i32 NonSolitaireFrontendBasedCardGame::CardSortingGet()
{
   const char* sorting = SettingStringGet("CardSorting");
   if (sorting && std::strcmp(sorting, "Ascending") == 0)
   {
      return CARD_SORTING_ASCENDING;
   }
   if (sorting && std::strcmp(sorting, "Unsorted") == 0)
   {
      return CARD_SORTING_UNSORTED;
   }
   return CARD_SORTING_DESCENDING;
}

i32 NonSolitaireFrontendBasedCardGame::CardSortingDirectionGet()
{
   const char* sorting = SettingStringGet("CardSorting");
   return sorting && std::strcmp(sorting, "Ascending") == 0 ? 0 : 1;
}
} // namespace Corvale
