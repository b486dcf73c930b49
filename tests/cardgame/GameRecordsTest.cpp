// The game records: defaults, owned texts across copies, and the shape of their saved documents.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <typeinfo>

#include "cardgame/Action.h"
#include "cardgame/Command.h"
#include "cardgame/GinRummyHistoryItem.h"
#include "cardgame/Player.h"
#include "cardgame/Team.h"
#include "cardgame/TrickTakingGamePlayerHistoryEntry.h"
#include "core/ReflectionTypeBasic.h"
#include "core/ReflectionTypeTable.h"
#include "tests/core/ReflectionTestRecords.h"

using namespace Corvale;
using ReflectionTest::Compact;
using ReflectionTest::Parse;
using ReflectionTest::ValueDeleter;

namespace
{
typedef std::unique_ptr<JSONValue, ValueDeleter> ValuePointer;

template <class T> void TableTypeRegister(const char* name)
{
   auto* table = MemoryNew<ReflectionTypeTable<T>>(HEAP_DEFAULT);
   table->Init(name);
   ReflectionManager::TypeRegister(table);
}

// A player of a game whose type runs only Clear on made instances, as many games' players do.
class ClearOnlyPlayer : public Player
{
 public:
   void Deinit() override
   {
      deinitCalls++;
      Player::Deinit();
   }
   const char* ReflectionTypeNameGet() const override { return "Corvale::ClearOnlyPlayer"; }

   static void ReflectionRegister()
   {
      auto* record = MemoryNew<ReflectionTypeObjectTyped<ClearOnlyPlayer>>(HEAP_DEFAULT);
      record->Init("Corvale::ClearOnlyPlayer");
      record->BaseAdd(typeid(Player).name());
      record->initMethod = &ClearOnlyPlayer::Clear;
      record->FieldAdd(&ClearOnlyPlayer::bid, "bid");
      ReflectionManager::TypeRegister(record);
   }

   i32 bid = 0;
   static inline i32 deinitCalls = 0;
};

class GameRecordsTest : public ::testing::Test
{
 protected:
   // What the start-up does for these records, in its order.
   void SetUp() override
   {
      ReflectionManager::Init();
      ReflectionTypeInt::EnumerationRegister<GinRummyHistoryItemType>("Corvale::GinRummyHistoryItemType");
      TableTypeRegister<int>("Table<int>");
      TableTypeRegister<Player*>("Table<Player*>");
      TableTypeRegister<Team*>("Table<Team*>");
      TableTypeRegister<Action>("Table<Action>");
      TableTypeRegister<TrickTakingGamePlayerHistoryEntry>("Table<TrickTakingGamePlayerHistoryEntry>");
      TableTypeRegister<GinRummyHistoryItem>("Table<GinRummyHistoryItem>");
      Command::ReflectionRegister();
      Action::ReflectionRegister();
      Player::ReflectionRegister();
      Team::ReflectionRegister();
      TrickTakingGamePlayerHistoryEntry::ReflectionRegister();
      GinRummyHistoryItem::ReflectionRegister();
   }
   void TearDown() override { ReflectionManager::Deinit(); }
};

TEST_F(GameRecordsTest, DefaultsAndClearing)
{
   Action action;
   action.type = 9;
   action.applySpeed = false;
   action.command.intParam1 = 4;
   ASSERT_TRUE(action.String0Set("Hello"));
   action.Clear();
   EXPECT_EQ(action.type, 0);
   // A poster that wants an unscaled wait must say so after clearing.
   EXPECT_TRUE(action.applySpeed);
   EXPECT_EQ(action.command.intParam1, 0);
   EXPECT_EQ(action.string0, nullptr);

   Player player;
   EXPECT_EQ(player.id, -1);
   EXPECT_FALSE(player.human);
   EXPECT_TRUE(player.local);
   EXPECT_TRUE(player.minigameIn);
   EXPECT_TRUE(player.subgameIn);
   ASSERT_TRUE(player.NameSet("Ann"));
   player.human = true;
   player.minigameScore = 12;
   player.Clear();
   EXPECT_FALSE(player.human);
   EXPECT_EQ(player.minigameScore, 0);
   EXPECT_STREQ(player.name, "Ann");
   player.Deinit();
   EXPECT_EQ(player.name, nullptr);

   Team team;
   team.playerIDs.Insert(0, 0);
   team.playerIDs.Insert(2, 1);
   team.minigameScore = 7;
   team.Clear();
   EXPECT_EQ(team.minigameScore, 0);
   EXPECT_EQ(team.playerIDs.count, 2);
   team.Deinit();
   EXPECT_EQ(team.playerIDs.count, 0);
   EXPECT_EQ(team.playerIDs.data, nullptr);
   EXPECT_EQ(team.playerIDs.allocator, nullptr);
}

// Every record owns its text: copies, assignments and moves through a queue never share it, so
// removing a record never frees another's text (ASan watches this).
TEST_F(GameRecordsTest, ActionCopiesOwnTheirText)
{
   Action original;
   original.Clear();
   original.type = ACTION_SPEAK;
   original.int0 = 2;
   ASSERT_TRUE(original.String0Set("GreetingKey"));

   Action copy(original);
   EXPECT_NE(copy.string0, original.string0);
   EXPECT_STREQ(copy.string0, "GreetingKey");
   EXPECT_EQ(copy.int0, 2);

   Action assigned;
   ASSERT_TRUE(assigned.String0Set("Old"));
   assigned = original;
   assigned = static_cast<const Action&>(assigned);
   EXPECT_STREQ(assigned.string0, "GreetingKey");
   original.Deinit();
   EXPECT_STREQ(copy.string0, "GreetingKey");

   Table<Action> queue;
   for (int i = 0; i < 30; i++)
   {
      ASSERT_TRUE(queue.Insert(copy, 0));
   }
   queue.Move(29, 3);
   queue.SizeSet(29);
   Action moved(std::move(queue[0]));
   EXPECT_EQ(queue[0].string0, nullptr);
   EXPECT_STREQ(moved.string0, "GreetingKey");
   EXPECT_STREQ(queue[28].string0, "GreetingKey");
}

TEST_F(GameRecordsTest, SavedRecordsHaveTheirKeysAndLoadBack)
{
   Table<Action> queue;
   Action action;
   action.Clear();
   action.type = ACTION_COMMAND;
   action.startDelay = 4000000000u;
   action.applySpeed = false;
   action.command.type = COMMAND_CARD_DROP;
   action.command.intParam0 = 3;
   action.command.intParam1 = 51;
   queue.Insert(action, 0);
   action.Clear();
   action.type = ACTION_SPEAK;
   action.String0Set("Boast");
   queue.Insert(action, 1);

   ValuePointer saved(JSONValue::New(HEAP_DEFAULT));
   ASSERT_TRUE(ReflectionManager::JSONSave(&queue, saved.get(), {}));
   EXPECT_EQ(
       Compact(saved.get()),
       "[{\"applySpeed\":false,\"bool0\":false,\"command\":{\"intParam0\":3,\"intParam1\":51,\"type\":17},"
       "\"int0\":0,\"int1\":0,\"int2\":0,\"startDelay\":4000000000,\"string0\":null,\"type\":13},"
       "{\"applySpeed\":true,\"bool0\":false,\"command\":{\"intParam0\":0,\"intParam1\":0,\"type\":0},"
       "\"int0\":0,\"int1\":0,\"int2\":0,\"startDelay\":0,\"string0\":\"Boast\",\"type\":25}]");

   // Loading onto a longer queue frees the records beyond the saved ones.
   Table<Action> loaded;
   for (int i = 0; i < 3; i++)
   {
      loaded.Insert(action, 0);
   }
   ASSERT_TRUE(ReflectionManager::JSONLoad(&loaded, saved.get(), {}));
   ASSERT_EQ(loaded.count, 2);
   EXPECT_EQ(loaded[0].startDelay, 4000000000u);
   EXPECT_FALSE(loaded[0].applySpeed);
   EXPECT_EQ(loaded[0].command.intParam1, 51);
   EXPECT_EQ(loaded[0].string0, nullptr);
   EXPECT_STREQ(loaded[1].string0, "Boast");

   // A human remote seat out of the hand keeps exactly its flags.
   Table<Player*> players;
   Player* player = MemoryNew<Player>(HEAP_DEFAULT);
   player->Clear();
   player->id = 1;
   player->NameSet("Bo");
   player->human = true;
   player->local = false;
   player->subgameIn = false;
   players.Insert(player, 0);
   ValuePointer playersSaved(JSONValue::New(HEAP_DEFAULT));
   ASSERT_TRUE(ReflectionManager::JSONSave(&players, playersSaved.get(), {}));
   Table<Player*> playersLoaded;
   ASSERT_TRUE(ReflectionManager::JSONLoad(&playersLoaded, playersSaved.get(), {}));
   ASSERT_EQ(playersLoaded.count, 1);
   Player* back = playersLoaded[0];
   EXPECT_STREQ(back->name, "Bo");
   EXPECT_TRUE(back->human);
   EXPECT_FALSE(back->local);
   EXPECT_TRUE(back->minigameIn);
   EXPECT_FALSE(back->subgameIn);
   ReflectionManager::InstanceCleanup(&players, {});
   ReflectionManager::InstanceCleanup(&playersLoaded, {});

   Table<Team*> teams;
   Team* team = MemoryNew<Team>(HEAP_DEFAULT);
   team->Clear();
   team->id = 0;
   team->playerIDs.Insert(0, 0);
   team->playerIDs.Insert(2, 1);
   teams.Insert(team, 0);
   ValuePointer teamsSaved(JSONValue::New(HEAP_DEFAULT));
   ASSERT_TRUE(ReflectionManager::JSONSave(&teams, teamsSaved.get(), {}));
   EXPECT_EQ(Compact(teamsSaved.get()), "[{\"id\":0,\"minigameScore\":0,\"minigameScoreSubgameBegin\":0,"
                                        "\"minigameWinner\":false,\"playerIDs\":[0,2]}]");
   ReflectionManager::InstanceCleanup(&teams, {});

   Table<TrickTakingGamePlayerHistoryEntry> history;
   TrickTakingGamePlayerHistoryEntry entry;
   entry.leader = true;
   entry.cardID = 40;
   history.Insert(entry, 0);
   Table<GinRummyHistoryItem> ginHistory;
   GinRummyHistoryItem item;
   item.playerID = 1;
   item.type = GIN_RUMMY_HISTORY_ITEM_DISCARD;
   item.discardCardID = 12;
   ginHistory.Insert(item, 0);
   ValuePointer historySaved(JSONValue::New(HEAP_DEFAULT));
   ValuePointer ginSaved(JSONValue::New(HEAP_DEFAULT));
   ASSERT_TRUE(ReflectionManager::JSONSave(&history, historySaved.get(), {}));
   ASSERT_TRUE(ReflectionManager::JSONSave(&ginHistory, ginSaved.get(), {}));
   EXPECT_EQ(Compact(historySaved.get()), "[{\"cardID\":40,\"leader\":true,\"winner\":false}]");
   EXPECT_EQ(Compact(ginSaved.get()),
             "[{\"discardCardID\":12,\"drawnCardID\":-1,\"playerID\":1,\"type\":3}]");
}

TEST_F(GameRecordsTest, AClearOnlyPlayerStillGivesBackItsName)
{
   ClearOnlyPlayer::ReflectionRegister();
   ValuePointer saved(
       Parse(R"([{"___Type": "Corvale::ClearOnlyPlayer", "id": 2, "name": "Ann", "bid": 3}])"));
   ASSERT_NE(saved, nullptr);
   Table<Player*> players;
   // The keys left out fail alone; the player is still made.
   ReflectionManager::JSONLoad(&players, saved.get(), {});
   ASSERT_EQ(players.count, 1);
   auto* player = dynamic_cast<ClearOnlyPlayer*>(players[0]);
   ASSERT_NE(player, nullptr);
   EXPECT_EQ(player->bid, 3);
   EXPECT_STREQ(player->name, "Ann");
   // Made through its type: Clear ran, so the flags it does not save have their defaults.
   EXPECT_TRUE(player->local);

   ClearOnlyPlayer::deinitCalls = 0;
   ReflectionManager::InstanceCleanup(&players, {});
   EXPECT_EQ(ClearOnlyPlayer::deinitCalls, 0);
   // The name went with the player's destructor: the leak checker of the sanitised build says so.
}
} // namespace
