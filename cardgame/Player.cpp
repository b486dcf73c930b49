// The player record: defaults, owned name and reflection.
#include "cardgame/Player.h"

#include <cstring>

#include "cardgame/RecordSupport.h"
#include "core/TextManager.h"

namespace Corvale
{
Player::~Player()
{
   Player::Deinit();
}

void Player::Clear()
{
   id = -1;
   human = false;
   local = true;
   minigameWinner = false;
   minigameScore = 0;
   minigameScoreSubgameBegin = 0;
   minigameIn = true;
   subgameIn = true;
   iconWinnerVisible = false;
}

void Player::Deinit()
{
   OwnedTextFree(name);
}

bool Player::NameSet(const char* text)
{
   return OwnedTextSet(name, text, "Player::NameSet");
}

void Player::ReflectionRegister()
{
   auto* record = ReflectionRecordCreate<ReflectionTypeObjectTyped<Player>>("Corvale::Player");
   if (!record)
   {
      return;
   }
   record->initMethod = &Player::Clear;
   record->deinitMethod = &Player::Deinit;
   record->FieldAdd(&Player::id, "id");
   record->FieldAdd(&Player::name, "name");
   record->FieldAdd(&Player::human, "human");
   record->FieldAdd(&Player::local, "local");
   record->FieldAdd(&Player::minigameWinner, "minigameWinner");
   record->FieldAdd(&Player::minigameScore, "minigameScore");
   record->FieldAdd(&Player::minigameScoreSubgameBegin, "minigameScoreSubgameBegin");
   record->FieldAdd(&Player::minigameIn, "minigameIn");
   record->FieldAdd(&Player::subgameIn, "subgameIn");
   record->FieldAdd(&Player::iconWinnerVisible, "iconWinnerVisible");
   ReflectionManager::TypeRegister(record);
}
const char* Player::DisplayNameGet() const
{
   if (!name)
   {
      return nullptr;
   }
   if (!human)
   {
      return textManager.TextGet(name);
   }
   if (std::strcmp(name, "<Guest>") == 0)
   {
      return textManager.TextGet("Guest");
   }
   return name;
}
void Player::MinigameScoreAdd(i32 amount)
{
   minigameScore = ScoreSaturatingAdd(minigameScore, amount);
}
} // namespace Corvale
