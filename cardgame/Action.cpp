// The action record: defaults, owned text and reflection.
#include "cardgame/Action.h"

#include "cardgame/RecordSupport.h"

namespace Corvale
{
namespace
{
const char* TextCopy(const char* text)
{
   const char* copy = nullptr;
   OwnedTextSet(copy, text, "Action::Action");
   return copy;
}
} // namespace

Action::Action(const Action& other)
{
   FieldsCopy(other);
   string0 = TextCopy(other.string0);
}

Action::Action(Action&& other) noexcept
{
   FieldsCopy(other);
   string0 = other.string0;
   other.string0 = nullptr;
}

Action& Action::operator=(const Action& other)
{
   if (this != &other)
   {
      const char* copy = TextCopy(other.string0);
      OwnedTextFree(string0);
      FieldsCopy(other);
      string0 = copy;
   }
   return *this;
}

Action& Action::operator=(Action&& other) noexcept
{
   if (this != &other)
   {
      OwnedTextFree(string0);
      FieldsCopy(other);
      string0 = other.string0;
      other.string0 = nullptr;
   }
   return *this;
}

Action::~Action()
{
   OwnedTextFree(string0);
}

void Action::FieldsCopy(const Action& other)
{
   type = other.type;
   startDelay = other.startDelay;
   applySpeed = other.applySpeed;
   int0 = other.int0;
   int1 = other.int1;
   int2 = other.int2;
   bool0 = other.bool0;
   command.type = other.command.type;
   command.intParam0 = other.command.intParam0;
   command.intParam1 = other.command.intParam1;
}

void Action::Clear()
{
   type = 0;
   startDelay = 0;
   applySpeed = true;
   int0 = 0;
   int1 = 0;
   int2 = 0;
   bool0 = false;
   OwnedTextFree(string0);
   command.type = 0;
   command.intParam0 = 0;
   command.intParam1 = 0;
}

void Action::Deinit()
{
   OwnedTextFree(string0);
}

bool Action::String0Set(const char* text)
{
   return OwnedTextSet(string0, text, "Action::String0Set");
}

void Action::ReflectionRegister()
{
   auto* record = ReflectionRecordCreate<ReflectionTypeObjectTyped<Action>>("Corvale::Action");
   if (!record)
   {
      return;
   }
   record->initMethod = &Action::Clear;
   record->deinitMethod = &Action::Deinit;
   record->FieldAdd(&Action::type, "type");
   record->FieldAdd(&Action::startDelay, "startDelay");
   record->FieldAdd(&Action::applySpeed, "applySpeed");
   record->FieldAdd(&Action::int0, "int0");
   record->FieldAdd(&Action::int1, "int1");
   record->FieldAdd(&Action::int2, "int2");
   record->FieldAdd(&Action::bool0, "bool0");
   record->FieldAdd(&Action::string0, "string0");
   record->FieldAdd(&Action::command, "command");
   ReflectionManager::TypeRegister(record);
}
} // namespace Corvale
