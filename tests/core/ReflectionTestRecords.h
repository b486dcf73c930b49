// Fixtures of the reflection tests and benchmark: small record classes shaped like the card
// games' commands, actions and players, a game base and a game, their registration, a log sink
// and JSON helpers (parse a text, print a tree compactly with keys in order).
#pragma once

#include <cstdio>
#include <string>

#include "core/File.h"
#include "core/JSONParser.h"
#include "core/JSONWriter.h"
#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/ReflectionManager.h"
#include "core/ReflectionTypeBasic.h"
#include "core/ReflectionTypeObject.h"
#include "core/ReflectionTypeTable.h"
#include "core/StringHelpers.h"
#include "tests/TestSupport.h"

namespace ReflectionTest
{
using namespace Corvale;

enum Suit
{
   SUIT_HEARTS = 0,
   SUIT_SPADES = 1,
   SUIT_DIAMONDS = 2,
   SUIT_CLUBS = 3
};

class Command
{
 public:
   virtual const char* ReflectionTypeNameGet() const { return "Corvale::Command"; }

   i32 type = 0;
   i32 intParam0 = 0;
   i32 intParam1 = 0;
};

class Action
{
 public:
   virtual void Clear()
   {
      type = 0;
      startDelay = 0;
      applySpeed = true;
      int0 = int1 = int2 = 0;
      bool0 = false;
      string0 = nullptr;
      command = Command();
   }
   virtual void Release()
   {
      MemoryFree(const_cast<char*>(string0));
      string0 = nullptr;
      releases++;
   }
   virtual const char* ReflectionTypeNameGet() const { return "Corvale::Action"; }

   i32 type = 0;
   i32 startDelay = 0;
   bool applySpeed = false;
   i32 int0 = 0;
   i32 int1 = 0;
   i32 int2 = 0;
   bool bool0 = false;
   const char* string0 = nullptr;
   Command command;

   static int releases;
};
inline int Action::releases = 0;

class Player
{
 public:
   virtual ~Player() = default;
   virtual void Init()
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
   virtual void Release()
   {
      MemoryFree(const_cast<char*>(name));
      name = nullptr;
   }
   virtual const char* ReflectionTypeNameGet() const { return "Corvale::Player"; }

   i32 id = 0;
   const char* name = nullptr;
   bool human = false;
   bool local = false;
   bool minigameWinner = false;
   i32 minigameScore = 0;
   i32 minigameScoreSubgameBegin = 0;
   bool minigameIn = false;
   bool subgameIn = false;
   bool iconWinnerVisible = false;
};

class HeartsPlayer : public Player
{
 public:
   void Init() override
   {
      Player::Init();
      pointsTaken = 0;
      voidSuit = SUIT_HEARTS;
      passedCardIDs = Table<int>(allocatorDefault);
   }
   void Release() override
   {
      passedCardIDs = Table<int>(allocatorDefault);
      Player::Release();
   }
   const char* ReflectionTypeNameGet() const override { return "Corvale::HeartsPlayer"; }

   i32 pointsTaken = 0;
   Suit voidSuit = SUIT_HEARTS;
   Table<int> passedCardIDs;
};

// Not reflected, like the game base's menu state.
class MenuState
{
 public:
   virtual ~MenuState() = default;
};

class Minigame : public MenuState
{
 public:
   virtual const char* ReflectionTypeNameGet() const { return "Corvale::Minigame"; }
   ~Minigame() override
   {
      // Players belong to the game.
      for (i32 i = 0; i < players.count; i++)
      {
         ReflectionManager::InstanceCleanup(&players[i], ReflectionContext());
      }
      for (i32 i = 0; i < actionQueue.count; i++)
      {
         actionQueue[i].Release();
      }
   }

   u32 seed1 = 0;
   u32 seed2 = 0;
   Table<Player*> players;
   Table<Action> actionQueue;
};

class Solitaire : public Minigame
{
 public:
   const char* ReflectionTypeNameGet() const override { return "Corvale::KlondikeSolitaire"; }

   bool moveWasAvailable = false;
   i32 currentScore = 0;
};

// Registers the basic types, the enumeration, the tables and the classes, as the start-up does.
inline void RecordsRegister()
{
   ReflectionManager::Init();
   ReflectionTypeInt::EnumerationRegister<Suit>("Corvale::Suit");

   if (!ReflectionManager::TypeGet(typeid(Table<int>).name()))
   {
      auto* table = MemoryNew<ReflectionTypeTable<int>>(HEAP_DEFAULT);
      table->Init("Table<int>");
      ReflectionManager::TypeRegister(table);
   }
   if (!ReflectionManager::TypeGet(typeid(Table<Player*>).name()))
   {
      auto* table = MemoryNew<ReflectionTypeTable<Player*>>(HEAP_DEFAULT);
      table->Init("Table<Player*>");
      ReflectionManager::TypeRegister(table);
   }
   if (!ReflectionManager::TypeGet(typeid(Table<Action>).name()))
   {
      auto* table = MemoryNew<ReflectionTypeTable<Action>>(HEAP_DEFAULT);
      table->Init("Table<Action>");
      ReflectionManager::TypeRegister(table);
   }

   auto* command = MemoryNew<ReflectionTypeObjectTyped<Command>>(HEAP_DEFAULT);
   command->Init("Corvale::Command");
   command->FieldAdd(&Command::type, "type");
   command->FieldAdd(&Command::intParam0, "intParam0");
   command->FieldAdd(&Command::intParam1, "intParam1");
   ReflectionManager::TypeRegister(command);

   auto* action = MemoryNew<ReflectionTypeObjectTyped<Action>>(HEAP_DEFAULT);
   action->Init("Corvale::Action");
   action->initMethod = &Action::Clear;
   action->deinitMethod = &Action::Release;
   action->FieldAdd(&Action::type, "type");
   action->FieldAdd(&Action::startDelay, "startDelay");
   action->FieldAdd(&Action::applySpeed, "applySpeed");
   action->FieldAdd(&Action::int0, "int0");
   action->FieldAdd(&Action::int1, "int1");
   action->FieldAdd(&Action::int2, "int2");
   action->FieldAdd(&Action::bool0, "bool0");
   action->FieldAdd(&Action::string0, "string0");
   action->FieldAdd(&Action::command, "command");
   ReflectionManager::TypeRegister(action);

   auto* player = MemoryNew<ReflectionTypeObjectTyped<Player>>(HEAP_DEFAULT);
   player->Init("Corvale::Player");
   player->initMethod = &Player::Init;
   player->deinitMethod = &Player::Release;
   player->FieldAdd(&Player::id, "id");
   player->FieldAdd(&Player::name, "name");
   player->FieldAdd(&Player::human, "human");
   player->FieldAdd(&Player::local, "local");
   player->FieldAdd(&Player::minigameWinner, "minigameWinner");
   player->FieldAdd(&Player::minigameScore, "minigameScore");
   player->FieldAdd(&Player::minigameScoreSubgameBegin, "minigameScoreSubgameBegin");
   player->FieldAdd(&Player::minigameIn, "minigameIn");
   player->FieldAdd(&Player::subgameIn, "subgameIn");
   player->FieldAdd(&Player::iconWinnerVisible, "iconWinnerVisible");
   ReflectionManager::TypeRegister(player);

   auto* minigame = MemoryNew<ReflectionTypeObjectTypedAbstract<Minigame>>(HEAP_DEFAULT);
   minigame->Init("Corvale::Minigame");
   minigame->BaseAdd(typeid(MenuState).name());
   minigame->FieldAdd(&Minigame::seed1, "seed1");
   minigame->FieldAdd(&Minigame::seed2, "seed2");
   minigame->FieldAdd(&Minigame::players, "players");
   minigame->FieldAdd(&Minigame::actionQueue, "actionQueue");
   ReflectionManager::TypeRegister(minigame);

   auto* hearts = MemoryNew<ReflectionTypeObjectTyped<HeartsPlayer>>(HEAP_DEFAULT);
   hearts->Init("Corvale::HeartsPlayer");
   hearts->initMethod = &HeartsPlayer::Init;
   hearts->deinitMethod = &HeartsPlayer::Release;
   hearts->BaseAdd(typeid(Player).name());
   hearts->FieldAdd(&HeartsPlayer::pointsTaken, "pointsTaken");
   hearts->FieldAdd(&HeartsPlayer::voidSuit, "voidSuit");
   hearts->FieldAdd(&HeartsPlayer::passedCardIDs, "passedCardIDs");
   ReflectionManager::TypeRegister(hearts);

   auto* solitaire = MemoryNew<ReflectionTypeObjectTyped<Solitaire>>(HEAP_DEFAULT);
   solitaire->Init("Corvale::KlondikeSolitaire");
   solitaire->BaseAdd(typeid(Minigame).name());
   solitaire->FieldAdd(&Solitaire::moveWasAvailable, "moveWasAvailable");
   solitaire->FieldAdd(&Solitaire::currentScore, "currentScore");
   ReflectionManager::TypeRegister(solitaire);
}

// A file over a string, read from the start, written by appending.
using TextFile = TestSupport::MemoryFile;
using TestSupport::LogCapture;

struct ValueDeleter
{
   void operator()(JSONValue* value) const { MemoryDelete(value); }
};

inline JSONValue* Parse(const std::string& text)
{
   TextFile file(text);
   JSONParser parser;
   return parser.Parse(&file, HEAP_DEFAULT);
}

// One line of JSON with members in key order and numbers in %.17g, for exact comparisons.
inline std::string Compact(const JSONValue* value)
{
   char number[64];
   switch (value->TypeGet())
   {
   case JSONValue::TYPE_BOOL:
      return value->BoolValueGet() ? "true" : "false";
   case JSONValue::TYPE_NUMBER:
      std::snprintf(number, sizeof(number), "%.17g", value->DoubleValueGet());
      return number;
   case JSONValue::TYPE_STRING:
      return value->StringValueGet() ? "\"" + std::string(value->StringValueGet()) + "\"" : "null";
   case JSONValue::TYPE_ARRAY:
   {
      std::string text = "[";
      for (i32 i = 0; i < value->CountGet(); i++)
      {
         text += (i ? "," : "") + Compact(value->ElementGet(i));
      }
      return text + "]";
   }
   case JSONValue::TYPE_OBJECT:
   {
      std::string text = "{";
      bool first = true;
      for (JSONValue::Iterator it = value->ItemsBegin(); it.ValidCheck(); it.Next())
      {
         text += (first ? "\"" : ",\"") + std::string(it.node->key) + "\":" + Compact(it.node->value);
         first = false;
      }
      return text + "}";
   }
   default:
      return "null";
   }
}
} // namespace ReflectionTest
