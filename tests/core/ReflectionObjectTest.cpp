// Reflected classes, fields and tables: the shape of saved documents, base classes, polymorphic
// pointer tables that are created, replaced or reused on load, and table resizing with clean-up.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/core/ReflectionTestRecords.h"

using namespace Corvale;
using namespace ReflectionTest;

namespace
{
typedef std::unique_ptr<JSONValue, ValueDeleter> ValuePointer;

struct SolitaireDeleter
{
   void operator()(Solitaire* game) const { MemoryDelete(game); }
};
typedef std::unique_ptr<Solitaire, SolitaireDeleter> SolitairePointer;

class ReflectionObjectTest : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      RecordsRegister();
      Action::releases = 0;
   }
   void TearDown() override
   {
      game.reset();
      ReflectionManager::Deinit();
   }

   template <class P> static P* PlayerNew(i32 id, const char* name)
   {
      P* player = MemoryNew<P>(HEAP_DEFAULT);
      player->Init();
      player->id = id;
      player->name = StringDuplicate(name, HEAP_DEFAULT);
      return player;
   }

   // A game as the tests expect it to save: a plain player, a derived one, an empty seat, two actions.
   void GameBuild()
   {
      game.reset(MemoryNew<Solitaire>(HEAP_DEFAULT));
      game->seed1 = 4294967295u;
      game->seed2 = 17;
      game->moveWasAvailable = true;
      game->currentScore = -40;
      game->players.Insert(PlayerNew<Player>(0, "Ann"), 0);
      HeartsPlayer* hearts = PlayerNew<HeartsPlayer>(1, "Bo");
      hearts->pointsTaken = 13;
      hearts->voidSuit = SUIT_CLUBS;
      hearts->passedCardIDs.Insert(5, 0);
      hearts->passedCardIDs.Insert(9, 1);
      game->players.Insert(hearts, 1);
      game->players.Insert(nullptr, 2);
      Action action;
      action.Clear();
      action.type = 3;
      action.startDelay = 250;
      action.string0 = StringDuplicate("deal", HEAP_DEFAULT);
      action.command.type = 7;
      action.command.intParam1 = -1;
      game->actionQueue.Insert(action, 0);
      action.Clear();
      action.applySpeed = false;
      game->actionQueue.Insert(action, 1);
   }

   SolitairePointer game;
};

const char* const GAME_TEXT =
    "{\"___Type\":\"Corvale::KlondikeSolitaire\","
    "\"actionQueue\":["
    "{\"applySpeed\":true,\"bool0\":false,\"command\":{\"intParam0\":0,\"intParam1\":-1,\"type\":7},"
    "\"int0\":0,\"int1\":0,\"int2\":0,\"startDelay\":250,\"string0\":\"deal\",\"type\":3},"
    "{\"applySpeed\":false,\"bool0\":false,\"command\":{\"intParam0\":0,\"intParam1\":0,\"type\":0},"
    "\"int0\":0,\"int1\":0,\"int2\":0,\"startDelay\":0,\"string0\":null,\"type\":0}],"
    "\"currentScore\":-40,\"moveWasAvailable\":true,"
    "\"players\":["
    "{\"human\":false,\"iconWinnerVisible\":false,\"id\":0,\"local\":true,\"minigameIn\":true,"
    "\"minigameScore\":0,\"minigameScoreSubgameBegin\":0,\"minigameWinner\":false,\"name\":\"Ann\","
    "\"subgameIn\":true},"
    "{\"___Type\":\"Corvale::HeartsPlayer\",\"human\":false,\"iconWinnerVisible\":false,\"id\":1,"
    "\"local\":true,\"minigameIn\":true,\"minigameScore\":0,\"minigameScoreSubgameBegin\":0,"
    "\"minigameWinner\":false,\"name\":\"Bo\",\"passedCardIDs\":[5,9],\"pointsTaken\":13,"
    "\"subgameIn\":true,\"voidSuit\":3},"
    "null],"
    "\"seed1\":4294967295,\"seed2\":17}";

TEST_F(ReflectionObjectTest, GameRoundTripsThroughJSONTextExactly)
{
   GameBuild();
   ValuePointer saved(JSONValue::New(HEAP_DEFAULT));
   // The game is saved by its dynamic type, as the game's own save does through its base.
   Minigame* base = game.get();
   ASSERT_TRUE(ReflectionManager::JSONSave(base, saved.get(), {}));
   EXPECT_EQ(Compact(saved.get()), GAME_TEXT);

   TextFile file;
   JSONWriter writer;
   ASSERT_TRUE(writer.Write(&file, saved.get(), nullptr));
   ValuePointer parsed(Parse(file.text));
   ASSERT_NE(parsed, nullptr);

   SolitairePointer loaded(MemoryNew<Solitaire>(HEAP_DEFAULT));
   ASSERT_TRUE(ReflectionManager::JSONLoad(loaded.get(), parsed.get(), {}));
   EXPECT_EQ(loaded->seed1, 4294967295u);
   EXPECT_EQ(loaded->currentScore, -40);
   ASSERT_EQ(loaded->players.count, 3);
   EXPECT_EQ(dynamic_cast<HeartsPlayer*>(loaded->players[0]), nullptr);
   HeartsPlayer* hearts = dynamic_cast<HeartsPlayer*>(loaded->players[1]);
   ASSERT_NE(hearts, nullptr);
   EXPECT_STREQ(hearts->name, "Bo");
   EXPECT_EQ(hearts->voidSuit, SUIT_CLUBS);
   EXPECT_EQ(loaded->players[2], nullptr);
   ASSERT_EQ(loaded->actionQueue.count, 2);
   EXPECT_STREQ(loaded->actionQueue[0].string0, "deal");
   EXPECT_EQ(loaded->actionQueue[0].command.intParam1, -1);

   ValuePointer again(JSONValue::New(HEAP_DEFAULT));
   ASSERT_TRUE(ReflectionManager::JSONSave(loaded.get(), again.get(), {}));
   EXPECT_EQ(Compact(again.get()), GAME_TEXT);
}

TEST_F(ReflectionObjectTest, TypeKeyIsWrittenOnlyForClassesWithABaseAndOldContentsFollowTheType)
{
   Command command;
   ValuePointer value(Parse("{\"___Type\":\"Corvale::Command\",\"extra\":1}"));
   ASSERT_TRUE(ReflectionManager::JSONSave(&command, value.get(), {}));
   EXPECT_EQ(Compact(value.get()), "{\"extra\":1,\"intParam0\":0,\"intParam1\":0,\"type\":0}");

   // A value that describes another class is cleared first; one of this class keeps its extra keys.
   HeartsPlayer* hearts = PlayerNew<HeartsPlayer>(2, "Cy");
   ValuePointer other(Parse("{\"___Type\":\"Corvale::Player\",\"extra\":1}"));
   ASSERT_TRUE(ReflectionManager::JSONSave(hearts, other.get(), {}));
   EXPECT_EQ(other->ItemFind("extra"), nullptr);
   EXPECT_STREQ(other->ItemGet("___Type")->StringValueGet(), "Corvale::HeartsPlayer");
   other->ItemNumberSet("extra", 2);
   ASSERT_TRUE(ReflectionManager::JSONSave(hearts, other.get(), {}));
   EXPECT_EQ(other->ItemGet("extra")->IntValueGet(), 2);

   Player* plain = PlayerNew<Player>(3, "Di");
   ValuePointer plainValue(JSONValue::New(HEAP_DEFAULT));
   ASSERT_TRUE(ReflectionManager::JSONSave(plain, plainValue.get(), {}));
   EXPECT_EQ(plainValue->ItemFind("___Type"), nullptr);

   for (Player* player : {static_cast<Player*>(hearts), plain})
   {
      ReflectionManager::InstanceCleanup(&player, {});
      EXPECT_EQ(player, nullptr);
   }
}

// A derived class whose field shares its key with a base field: the base writes first, so the
// derived value is the one saved, and both members read the same item on load.
class ShadowPlayer : public Player
{
 public:
   const char* ReflectionTypeNameGet() const override { return "Corvale::ShadowPlayer"; }
   i32 shadowScore = 0;
};

TEST_F(ReflectionObjectTest, BaseFieldsAreWrittenAndReadBeforeDerivedOnes)
{
   auto* record = MemoryNew<ReflectionTypeObjectTyped<ShadowPlayer>>(HEAP_DEFAULT);
   record->Init("Corvale::ShadowPlayer");
   record->BaseAdd(typeid(Player).name());
   record->FieldAdd(&ShadowPlayer::shadowScore, "minigameScore");
   ReflectionManager::TypeRegister(record);

   ShadowPlayer player;
   player.Init();
   player.minigameScore = 1;
   player.shadowScore = 2;
   ValuePointer value(JSONValue::New(HEAP_DEFAULT));
   ASSERT_TRUE(ReflectionManager::JSONSave(&player, value.get(), {}));
   EXPECT_EQ(value->ItemGet("minigameScore")->IntValueGet(), 2);
   EXPECT_STREQ(value->ItemGet("___Type")->StringValueGet(), "Corvale::ShadowPlayer");

   value->ItemNumberSet("minigameScore", 5);
   ASSERT_TRUE(ReflectionManager::JSONLoad(&player, value.get(), {}));
   EXPECT_EQ(player.minigameScore, 5);
   EXPECT_EQ(player.shadowScore, 5);
}

TEST_F(ReflectionObjectTest, PlayerSlotsAreCreatedReplacedOrReusedByTheirTypeKey)
{
   // Slots: empty, a plain player where a derived one is described, a derived one kept, a derived
   // one replaced by a plain one, a player removed by JSON null.
   Table<Player*> players;
   players.Insert(nullptr, 0);
   players.Insert(PlayerNew<Player>(10, "Old"), 1);
   HeartsPlayer* reused = PlayerNew<HeartsPlayer>(11, "Keep");
   players.Insert(reused, 2);
   players.Insert(PlayerNew<HeartsPlayer>(12, "Gone"), 3);
   players.Insert(PlayerNew<Player>(13, "Null"), 4);

   ValuePointer value(Parse("["
                            "{\"___Type\":\"Corvale::HeartsPlayer\",\"id\":0,\"pointsTaken\":1},"
                            "{\"___Type\":\"Corvale::HeartsPlayer\",\"id\":1,\"pointsTaken\":2},"
                            "{\"___Type\":\"Corvale::HeartsPlayer\",\"id\":2,\"pointsTaken\":3},"
                            "{\"id\":3},"
                            "null]"));
   // The documents lack most keys, so the load reports false but fills what it can.
   EXPECT_FALSE(ReflectionManager::JSONLoad(&players, value.get(), {}));
   ASSERT_EQ(players.count, 5);
   for (i32 i = 0; i < 3; i++)
   {
      HeartsPlayer* hearts = dynamic_cast<HeartsPlayer*>(players[i]);
      ASSERT_NE(hearts, nullptr) << i;
      EXPECT_EQ(hearts->id, i);
      EXPECT_EQ(hearts->pointsTaken, i + 1);
   }
   EXPECT_EQ(players[2], reused);
   EXPECT_STREQ(players[2]->name, "Keep");
   // A created player was initialised before its load.
   EXPECT_TRUE(players[0]->local);
   EXPECT_EQ(players[0]->name, nullptr);
   ASSERT_NE(players[3], nullptr);
   EXPECT_EQ(dynamic_cast<HeartsPlayer*>(players[3]), nullptr);
   EXPECT_EQ(players[3]->id, 3);
   EXPECT_EQ(players[4], nullptr);

   // Saving writes the empty seat back as null.
   ValuePointer saved(JSONValue::New(HEAP_DEFAULT));
   ASSERT_TRUE(ReflectionManager::JSONSave(&players, saved.get(), {}));
   EXPECT_EQ(Compact(saved->ElementGet(4)), "null");
   EXPECT_STREQ(saved->ElementGet(1)->ItemGet("___Type")->StringValueGet(), "Corvale::HeartsPlayer");

   ReflectionManager::InstanceCleanup(&players, {});
   EXPECT_EQ(players.count, 0);
   EXPECT_EQ(players.data, nullptr);
}

TEST_F(ReflectionObjectTest, ForeignOrUnknownTypeKeysAreRefusedAndKeepTheObject)
{
   struct Case
   {
      const char* json;
      const char* message;
   };
   const Case cases[] = {{"{\"___Type\":\"Corvale::Command\",\"id\":4}",
                          "ReflectionManager::JSONLoad -- Refused type Corvale::Command"},
                         {"{\"___Type\":\"Corvale::KlondikeSolitaire\",\"id\":4}",
                          "ReflectionManager::JSONLoad -- Refused type Corvale::KlondikeSolitaire"},
                         {"{\"___Type\":\"Corvale::Nobody\",\"id\":4}",
                          "ReflectionManager::JSONLoad -- Unable to load object of type: "},
                         {"5", "ReflectionManager::JSONLoad -- Unable to load object of type: "}};
   for (const Case& c : cases)
   {
      LogCapture log;
      Player* player = PlayerNew<Player>(1, "Stays");
      Player* before = player;
      ValuePointer value(Parse(c.json));
      EXPECT_FALSE(ReflectionManager::JSONLoad(&player, value.get(), {})) << c.json;
      EXPECT_EQ(player, before) << c.json;
      EXPECT_EQ(player->id, 1) << c.json;
      EXPECT_TRUE(log.Contains(c.message)) << c.json << "\n" << log.text;
      ReflectionManager::InstanceCleanup(&player, {});
   }

   // A derived slot described without a type key is a plain player: the base record loads it.
   Player* empty = nullptr;
   ValuePointer plain(Parse("{\"id\":8}"));
   EXPECT_FALSE(ReflectionManager::JSONLoad(&empty, plain.get(), {}));
   ASSERT_NE(empty, nullptr);
   EXPECT_EQ(dynamic_cast<HeartsPlayer*>(empty), nullptr);
   EXPECT_EQ(empty->id, 8);
   ReflectionManager::InstanceCleanup(&empty, {});
}

TEST_F(ReflectionObjectTest, TablesShrinkWithCleanUpAndGrowWithInitialisedItems)
{
   Table<Action> actions;
   for (i32 i = 0; i < 3; i++)
   {
      Action action;
      action.Clear();
      action.type = i;
      action.string0 = StringDuplicate("text", HEAP_DEFAULT);
      actions.Insert(action, i);
   }
   ValuePointer two(Parse("[{\"type\":7},{\"type\":8}]"));
   ReflectionManager::JSONLoad(&actions, two.get(), {});
   ASSERT_EQ(actions.count, 2);
   EXPECT_EQ(Action::releases, 1);
   EXPECT_EQ(actions[1].type, 8);
   // Missing keys keep the items' values.
   EXPECT_STREQ(actions[1].string0, "text");

   ValuePointer saved(JSONValue::New(HEAP_DEFAULT));
   ASSERT_TRUE(ReflectionManager::JSONSave(&actions, saved.get(), {}));
   // The fourth item lacks applySpeed, so its value comes from the item's init.
   ValuePointer four(Parse(R"([{"type":1},{"type":2},
      {"type":3,"startDelay":0,"applySpeed":false,"int0":0,"int1":0,"int2":0,"bool0":false,"string0":"new",
       "command":{"type":0,"intParam0":0,"intParam1":0}},
      {"type":4,"startDelay":0,"int0":0,"int1":0,"int2":0,"bool0":false,"string0":null,
       "command":{"type":0,"intParam0":0,"intParam1":0}}])"));
   EXPECT_FALSE(ReflectionManager::JSONLoad(&actions, four.get(), {}));
   ASSERT_EQ(actions.count, 4);
   EXPECT_EQ(actions[0].type, 1);
   EXPECT_STREQ(actions[2].string0, "new");
   EXPECT_FALSE(actions[2].applySpeed);
   EXPECT_TRUE(actions[3].applySpeed);
   EXPECT_EQ(actions[3].string0, nullptr);

   ReflectionManager::InstanceCleanup(&actions, {});
   EXPECT_EQ(Action::releases, 5);
   EXPECT_EQ(actions.count, 0);
   EXPECT_EQ(actions.allocator, nullptr);
}

TEST_F(ReflectionObjectTest, NumberTablesZeroFailedItemsAndEmptyTablesRoundTrip)
{
   // Stale numbers left in the buffer beyond the count must not show through.
   Table<int> numbers;
   for (i32 i = 0; i < 4; i++)
   {
      numbers.Insert(0x5A5A, i);
   }
   numbers.SizeSet(1);
   ValuePointer value(Parse("[1,\"x\",3,null]"));
   EXPECT_FALSE(ReflectionManager::JSONLoad(&numbers, value.get(), {}));
   ASSERT_EQ(numbers.count, 4);
   EXPECT_EQ(numbers[0], 1);
   EXPECT_EQ(numbers[1], 0);
   EXPECT_EQ(numbers[2], 3);
   EXPECT_EQ(numbers[3], 0);

   Table<int> empty;
   ValuePointer saved(Parse("{\"a\":1}"));
   ASSERT_TRUE(ReflectionManager::JSONSave(&empty, saved.get(), {}));
   EXPECT_EQ(Compact(saved.get()), "[]");
   ASSERT_TRUE(ReflectionManager::JSONLoad(&numbers, saved.get(), {}));
   EXPECT_EQ(numbers.count, 0);

   ValuePointer notArray(Parse("{\"a\":1}"));
   EXPECT_FALSE(ReflectionManager::JSONLoad(&numbers, notArray.get(), {}));
}

TEST_F(ReflectionObjectTest, MissingKeyFailsThatFieldAloneAndNullPointersRoundTrip)
{
   GameBuild();
   ValuePointer saved(JSONValue::New(HEAP_DEFAULT));
   ASSERT_TRUE(ReflectionManager::JSONSave(game.get(), saved.get(), {}));
   saved->ItemGet("players")->ElementGet(0)->ItemRemove("human");
   saved->ItemRemove("seed2");
   saved->ItemGet("players")->ElementGet(1)->ItemRemove("name");
   MemoryFree(const_cast<char*>(game->players[1]->name));
   game->players[1]->name = StringDuplicate("Renamed", HEAP_DEFAULT);
   // The saved empty seat must empty a seat that holds a player now.
   Player* extra = PlayerNew<Player>(5, "Eve");
   game->players[2] = extra;
   game->players[0]->human = true;
   game->players[0]->minigameScore = 99;
   game->seed1 = 1;
   game->seed2 = 2;

   EXPECT_FALSE(ReflectionManager::JSONLoad(game.get(), saved.get(), {}));
   EXPECT_EQ(game->seed1, 4294967295u);
   EXPECT_EQ(game->seed2, 2u);
   EXPECT_TRUE(game->players[0]->human);
   EXPECT_EQ(game->players[0]->minigameScore, 0);
   EXPECT_STREQ(game->players[1]->name, "Renamed");
   EXPECT_EQ(game->players[2], nullptr);
}

TEST_F(ReflectionObjectTest, AbstractRecordsCreateNothingAndFieldRecordsAreKept)
{
   ReflectionType* abstract = ReflectionManager::TypeByNameGet("Corvale::Minigame");
   ASSERT_NE(abstract, nullptr);
   EXPECT_EQ(abstract->InstanceNew(HEAP_DEFAULT, {}), nullptr);

   // A pointer to the abstract base loads the game named by its type key.
   GameBuild();
   ValuePointer saved(JSONValue::New(HEAP_DEFAULT));
   ASSERT_TRUE(ReflectionManager::JSONSave(game.get(), saved.get(), {}));
   Minigame* created = nullptr;
   ASSERT_TRUE(ReflectionManager::JSONLoad(&created, saved.get(), {}));
   ASSERT_NE(dynamic_cast<Solitaire*>(created), nullptr);
   EXPECT_EQ(static_cast<Solitaire*>(created)->currentScore, -40);
   ReflectionManager::InstanceCleanup(&created, {});
   EXPECT_EQ(created, nullptr);

   auto* record = dynamic_cast<ReflectionTypeObject*>(ReflectionManager::TypeByNameGet("Corvale::Action"));
   ASSERT_NE(record, nullptr);
   ASSERT_EQ(record->fields.count, 9);
   EXPECT_STREQ(record->fields[8]->name, "command");
   EXPECT_STREQ(record->fields[8]->typeName, typeid(Command).name());
}
} // namespace
