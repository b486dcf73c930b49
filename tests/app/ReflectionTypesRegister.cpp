// The registration of the card games' types: what is registered follows the one fixed order of
// enumerations, table types and classes, each record with its kind and operations; a table type
// registered elsewhere is kept; and records saved through it load back.
#include "app/ReflectionTypesRegister.h"

#include <iterator>
#include <string>
#include <typeinfo>
#include <utility>
#include <vector>

#include "cardgame/Action.h"
#include "cardgame/BackendBasedGame.h"
#include "cardgame/CardNames.h"
#include "cardgame/FrontendBasedCardGame.h"
#include "cardgame/GinRummyHistoryItem.h"
#include "cardgame/NonSolitaireFrontendBasedCardGame.h"
#include "cardgame/Player.h"
#include "cardgame/Team.h"
#include "cardgame/TrickTakingGamePlayerHistoryEntry.h"
#include "cardgame/solitaire/ArcadeSolitaireGame.h"
#include "cardgame/solitaire/TalonSolitaire.h"
#include "core/ReflectionManager.h"
#include "core/ReflectionTypeObject.h"
#include "core/ReflectionTypeTable.h"
#include "games/solitaire/KlondikeSolitaire.h"
#include "gui/state/MenuState.h"
#include "tests/app/AppTestSupport.h"
#include "tests/cardgame/TestGame.h"
#include "tests/core/JSONTestSupport.h"
#include "tests/core/ReflectionTestRecords.h"

using namespace Corvale;

namespace
{
const ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new CorvaleTest::AppEnvironment);

const char* const enumerations[] = {
    "Corvale::Rank",
    "Corvale::Suit",
    "Corvale::EuchreTrumpSuit",
    "Corvale::PokerHandType",
    "Corvale::TrumpIndication",
    "Corvale::GinRummyHistoryItemType",
    "Corvale::CanastaState",
    "Corvale::TablePokerPlayerStatus",
    "Corvale::FiveCardDrawPokerState",
    "Corvale::SkatAnnouncementType",
    "Corvale::SkatContractType",
    "Corvale::SkatState",
};
const char* const tableTypes[] = {
    "Table<int>",
    "Table<Player*>",
    "Table<Team*>",
    "Table<Action>",
    "Table<TrickTakingGamePlayerHistoryEntry>",
    "Table<GinRummyHistoryItem>",
    "Table<PinochleMeld*>",
    "Table<PlayerBid>",
};
const char* const classes[] = {
    "Corvale::ArcadeSolitaireGame",
    "Corvale::AcesUpSolitaire",
    "Corvale::BackendBasedGame",
    "Corvale::CardGame",
    "Corvale::FrontendBasedCardGame",
    "Corvale::Command",
    "Corvale::Action",
    "Corvale::Player",
    "Corvale::Team",
    "Corvale::Minigame",
    "Corvale::SolitaireGame",
    // Spider after its base: a record names its base, which must be registered first.
    "Corvale::TraditionalSolitaireGame",
    "Corvale::SpiderSolitaire",
    "Corvale::NonSolitaireFrontendBasedCardGame",
    "Corvale::TrickTakingGamePlayerHistoryEntry",
    "Corvale::TrickTakingGamePlayer",
    "Corvale::TrickTakingGame",
    "Corvale::ScorpionSolitaire",
    "Corvale::TalonSolitaire",
    "Corvale::KlondikeSolitaire",
    "Corvale::FlowerGardenSolitaire",
    "Corvale::CanfieldSolitaire",
    "Corvale::BatsfordSolitaire",
    "Corvale::BaronessSolitaire",
    "Corvale::ColoradoSolitaire",
    "Corvale::StrategySolitaire",
    "Corvale::YukonSolitaire",
    "Corvale::RedAndBlackSolitaire",
    "Corvale::BakersDozenSolitaire",
    "Corvale::FourSeasonsSolitaire",
    "Corvale::EightOffSolitaire",
    "Corvale::EliminatorSolitaire",
    "Corvale::FortressSolitaire",
    "Corvale::EagleWingSolitaire",
    "Corvale::GolfSolitaire",
    "Corvale::FortyThievesSolitaire",
    "Corvale::FourFreeSolitaire",
    "Corvale::SultanSolitaire",
    "Corvale::BetsyRossSolitaire",
    "Corvale::BristolSolitaire",
    "Corvale::NestorSolitaire",
    "Corvale::CalculationSolitaire",
    "Corvale::PenguinSolitaire",
    "Corvale::SpideretteSolitaire",
    "Corvale::SeahavenTowersSolitaire",
    "Corvale::BeleagueredCastleSolitaire",
    "Corvale::ClockSolitaire",
    "Corvale::AlhambraSolitaire",
    "Corvale::PyramidSolitaire",
    "Corvale::MountOlympusSolitaire",
    "Corvale::LaBelleLucieSolitaire",
    "Corvale::ShamrocksSolitaire",
    "Corvale::TerraceSolitaire",
    "Corvale::TripletsSolitaire",
    "Corvale::GapsSolitaire",
    "Corvale::SlideSolitaire",
    "Corvale::AcesAndKingSolitaire",
    "Corvale::OldMaid",
    "Corvale::WarPlayer",
    "Corvale::War",
    "Corvale::CrazyEights",
    "Corvale::SpiteAndMalice",
    "Corvale::GoFishPlayer",
    "Corvale::GoFish",
    "Corvale::FanTan",
    "Corvale::SpadesPlayer",
    "Corvale::SpadesTeam",
    "Corvale::Spades",
    "Corvale::MemoryMatchPlayer",
    "Corvale::MemoryMatch",
    "Corvale::OhHellPlayer",
    "Corvale::OhHell",
    "Corvale::TuxedoPlayer",
    "Corvale::Tuxedo",
    "Corvale::Whist",
    "Corvale::Fast21Solitaire",
    "Corvale::Best21Solitaire",
    "Corvale::GinRummyHistoryItem",
    "Corvale::GinRummyPlayer",
    "Corvale::GinRummy",
    "Corvale::Pick2Solitaire",
    "Corvale::ThreeTowersSolitaire",
    "Corvale::Sum11Solitaire",
    "Corvale::CribbageSquareSolitaire",
    "Corvale::PokerSquareSolitaire",
    "Corvale::HeartsPlayer",
    "Corvale::Hearts",
    "Corvale::CribbagePlayer",
    "Corvale::Cribbage",
    "Corvale::PitchPlayer",
    "Corvale::Pitch",
    "Corvale::EuchreSolitaire",
    "Corvale::BowlingSolitaire",
    "Corvale::CanastaTeam",
    "Corvale::Canasta",
    "Corvale::EuchrePlayer",
    "Corvale::EuchreTeam",
    "Corvale::Euchre",
    "Corvale::Rummy500Player",
    "Corvale::Rummy500",
    "Corvale::PinochleMeld",
    "Corvale::Pinochle4PlayersPlayer",
    "Corvale::Pinochle4PlayersTeam",
    "Corvale::Pinochle4Players",
    "Corvale::TablePokerPlayer",
    "Corvale::TablePokerGame",
    "Corvale::FiveCardDrawPoker",
    "Corvale::SkatPlayer",
    "Corvale::Skat",
    "Corvale::PlayerBid",
    "Corvale::BridgePlayer",
    "Corvale::BridgeTeam",
    "Corvale::Bridge",
};

// A game record with a field of each card enumeration, as Terrace, Euchre and Skat hold them.
struct EnumRecord
{
   Rank rank = RANK_NONE;
   Suit suit = SUIT_NONE;
   TrumpIndication trumpIndication = TRUMP_INDICATION_NONE;
};

void EnumRecordRegister()
{
   auto* record = MemoryNew<ReflectionTypeObjectTyped<EnumRecord>>(HEAP_DEFAULT);
   ASSERT_TRUE(record->Init("Corvale::EnumRecord"));
   ASSERT_TRUE(record->FieldAdd(&EnumRecord::rank, "rank"));
   ASSERT_TRUE(record->FieldAdd(&EnumRecord::suit, "suit"));
   ASSERT_TRUE(record->FieldAdd(&EnumRecord::trumpIndication, "trumpIndication"));
   ReflectionManager::TypeRegister(record);
}

// The records ReflectionManager::Init makes itself, ahead of the game types.
i32 BasicTypeCountGet()
{
   ReflectionManager::Init();
   const i32 count = ReflectionManager::TypesGet().count;
   ReflectionManager::Deinit();
   return count;
}

// Whether the class record of X runs an operation on made instances and before freeing them;
// false, false for a record that makes no instances.
template <class X> std::pair<bool, bool> OperationsGet(const char* name)
{
   auto* record = dynamic_cast<ReflectionTypeObjectTyped<X>*>(ReflectionManager::TypeByNameGet(name));
   if (!record)
   {
      return {false, false};
   }
   return {record->initMethod != nullptr, record->deinitMethod != nullptr};
}

class ReflectionTypesRegisterTest : public ::testing::Test
{
 protected:
   void TearDown() override { ReflectionManager::Deinit(); }
};

TEST_F(ReflectionTypesRegisterTest, RegisteredTypesFollowTheFixedOrderAndNothingElse)
{
   const i32 basicCount = BasicTypeCountGet();
   ReflectionTypesRegister();

   std::vector<std::string> expected(std::begin(enumerations), std::end(enumerations));
   expected.insert(expected.end(), std::begin(tableTypes), std::end(tableTypes));
   expected.insert(expected.end(), std::begin(classes), std::end(classes));
   ASSERT_EQ(expected.size(), 12u + 8u + 113u);

   // Every record after the basic ones is the next of the fixed list that is registered.
   const Table<ReflectionType*>& types = ReflectionManager::TypesGet();
   size_t next = 0;
   for (i32 i = basicCount; i < types.count; i++)
   {
      ASSERT_NE(types[i], nullptr);
      const std::string name = types[i]->name ? types[i]->name : "";
      size_t found = next;
      while (found < expected.size() && expected[found] != name)
      {
         found++;
      }
      ASSERT_LT(found, expected.size()) << name << " is not expected here (record " << i << ")";
      next = found + 1;
   }

   // What the program holds today is registered.
   for (const char* name : {"Corvale::Rank",
                            "Corvale::Suit",
                            "Corvale::PokerHandType",
                            "Corvale::TrumpIndication",
                            "Corvale::GinRummyHistoryItemType",
                            "Table<int>",
                            "Table<Player*>",
                            "Table<Team*>",
                            "Table<Action>",
                            "Table<TrickTakingGamePlayerHistoryEntry>",
                            "Table<GinRummyHistoryItem>",
                            "Corvale::Command",
                            "Corvale::Action",
                            "Corvale::Player",
                            "Corvale::Team",
                            "Corvale::Minigame",
                            "Corvale::TrickTakingGamePlayerHistoryEntry",
                            "Corvale::GinRummyHistoryItem",
                            "Corvale::BackendBasedGame",
                            "Corvale::CardGame",
                            "Corvale::FrontendBasedCardGame",
                            "Corvale::NonSolitaireFrontendBasedCardGame",
                            "Corvale::HeartsPlayer",
                            "Corvale::Hearts",
                            "Corvale::PyramidSolitaire",
                            "Corvale::PokerSquareSolitaire",
                            "Corvale::WarPlayer",
                            "Corvale::War",
                            "Corvale::MemoryMatchPlayer",
                            "Corvale::MemoryMatch",
                            "Corvale::TuxedoPlayer",
                            "Corvale::Tuxedo"})
   {
      EXPECT_NE(ReflectionManager::TypeByNameGet(name), nullptr) << name;
   }

   // Operations found on the record (run on made instances, before freeing), those expected, and
   // whether instances can be made at all.
   struct Kind
   {
      const char* name;
      std::pair<bool, bool> operations;
      std::pair<bool, bool> expected;
      bool instantiable;
   };
   const std::pair<bool, bool> none = {false, false};
   const std::pair<bool, bool> clearAndDeinit = {true, true};
   const Kind kinds[] = {
       {"Corvale::Command", OperationsGet<Command>("Corvale::Command"), none, true},
       {"Corvale::Action", OperationsGet<Action>("Corvale::Action"), clearAndDeinit, true},
       {"Corvale::Player", OperationsGet<Player>("Corvale::Player"), clearAndDeinit, true},
       {"Corvale::Team", OperationsGet<Team>("Corvale::Team"), clearAndDeinit, true},
       {"Corvale::TrickTakingGamePlayerHistoryEntry",
        OperationsGet<TrickTakingGamePlayerHistoryEntry>("Corvale::TrickTakingGamePlayerHistoryEntry"), none,
        true},
       {"Corvale::GinRummyHistoryItem", OperationsGet<GinRummyHistoryItem>("Corvale::GinRummyHistoryItem"),
        none, true},
       {"Corvale::Minigame", OperationsGet<Minigame>("Corvale::Minigame"), none, false},
       {"Corvale::CardGame", OperationsGet<CardGame>("Corvale::CardGame"), none, false},
       {"Corvale::BackendBasedGame", OperationsGet<BackendBasedGame>("Corvale::BackendBasedGame"), none,
        false},
       {"Corvale::FrontendBasedCardGame",
        OperationsGet<FrontendBasedCardGame>("Corvale::FrontendBasedCardGame"), none, false},
       {"Corvale::NonSolitaireFrontendBasedCardGame",
        OperationsGet<NonSolitaireFrontendBasedCardGame>("Corvale::NonSolitaireFrontendBasedCardGame"), none,
        false},
       {"Corvale::SolitaireGame", OperationsGet<SolitaireGame>("Corvale::SolitaireGame"), none, false},
       {"Corvale::TalonSolitaire", OperationsGet<TalonSolitaire>("Corvale::TalonSolitaire"), none, false},
       {"Corvale::KlondikeSolitaire", OperationsGet<KlondikeSolitaire>("Corvale::KlondikeSolitaire"), none,
        true},
   };
   for (size_t i = 0; i < std::size(kinds); i++)
   {
      EXPECT_EQ(kinds[i].operations, kinds[i].expected) << kinds[i].name;
      ReflectionType* record = ReflectionManager::TypeByNameGet(kinds[i].name);
      ASSERT_NE(record, nullptr);
      void* instance = record->InstanceNew(HEAP_DEFAULT, {});
      EXPECT_EQ(instance != nullptr, kinds[i].instantiable) << kinds[i].name;
      record->InstanceCleanup(instance, {});
      record->InstanceDelete(&instance, {});
   }

   // Each game base's own fields in order, after its one base.
   struct GameBase
   {
      const char* name;
      const char* fields;
      const char* base;
   };
   const GameBase bases[] = {
       {"Corvale::Minigame",
        "seed1 seed2 startingSeed1 startingSeed2 playerActiveID players teams gameTimer "
        "subgameFirstTurnBegan "
        "subgameOver actionQueue nextChipPileID",
        typeid(MenuState).name()},
       {"Corvale::CardGame", "dealerPlayerID trumpSuit trumpIndication", typeid(Minigame).name()},
       {"Corvale::BackendBasedGame", "", typeid(CardGame).name()},
       {"Corvale::FrontendBasedCardGame", "nextCardID nextCardPileID", typeid(CardGame).name()},
       {"Corvale::NonSolitaireFrontendBasedCardGame", "", typeid(FrontendBasedCardGame).name()},
       {"Corvale::SolitaireGame", "", typeid(FrontendBasedCardGame).name()},
       {"Corvale::TraditionalSolitaireGame", "", typeid(SolitaireGame).name()},
       {"Corvale::ArcadeSolitaireGame", "countdownTimer countdownTimerStarted roundIndex roundOver",
        typeid(SolitaireGame).name()},
       {"Corvale::Best21Solitaire", "", typeid(ArcadeSolitaireGame).name()},
       {"Corvale::Fast21Solitaire", "charlieCount twentyOneCount", typeid(ArcadeSolitaireGame).name()},
       {"Corvale::Pick2Solitaire", "charlieCount twentyOneCount selected", typeid(ArcadeSolitaireGame).name()},
       {"Corvale::Sum11Solitaire", "elevenCount", typeid(ArcadeSolitaireGame).name()},
       {"Corvale::ThreeTowersSolitaire", "CurrentRun towerClear twentyOneCount selected",
        typeid(ArcadeSolitaireGame).name()},
       {"Corvale::TalonSolitaire", "resetNum maxResets", typeid(TraditionalSolitaireGame).name()},
       {"Corvale::KlondikeSolitaire", "moveWasAvailable currentScore scoreAtStartOfGame resetOnce",
        typeid(TalonSolitaire).name()},
   };
   for (const GameBase& base : bases)
   {
      auto* game = dynamic_cast<ReflectionTypeObject*>(ReflectionManager::TypeByNameGet(base.name));
      ASSERT_NE(game, nullptr) << base.name;
      std::string fields;
      for (i32 i = 0; i < game->fields.count; i++)
      {
         fields += std::string(i ? " " : "") + game->fields[i]->name;
      }
      EXPECT_EQ(fields, base.fields) << base.name;
      ASSERT_EQ(game->baseTypeNames.count, 1) << base.name;
      EXPECT_STREQ(game->baseTypeNames[0], base.base) << base.name;
   }
}

TEST_F(ReflectionTypesRegisterTest, ATableTypeRegisteredBeforeIsKept)
{
   ReflectionManager::Init();
   auto* own = MemoryNew<ReflectionTypeTable<int>>(HEAP_DEFAULT);
   ASSERT_TRUE(own->Init("Table<int>"));
   ReflectionManager::TypeRegister(own);
   GameTypesRegister();

   i32 tablesOfInt = 0;
   const Table<ReflectionType*>& types = ReflectionManager::TypesGet();
   for (i32 i = 0; i < types.count; i++)
   {
      tablesOfInt += std::string(types[i]->typeName) == typeid(Table<int>).name() ? 1 : 0;
   }
   EXPECT_EQ(tablesOfInt, 1);
   EXPECT_EQ(ReflectionManager::TypeGet(typeid(Table<int>).name()), own);
   // The others are still made.
   EXPECT_NE(ReflectionManager::TypeGet(typeid(Table<Action>).name()), nullptr);
}

TEST_F(ReflectionTypesRegisterTest, AGameSavedThroughTheRegistrationLoadsBack)
{
   ReflectionTypesRegister();
   // A game registers itself on the game base like the real ones.
   auto* testGame = MemoryNew<ReflectionTypeObjectTypedAbstract<TestSupport::TestGame>>(HEAP_DEFAULT);
   ASSERT_TRUE(testGame->Init("Corvale::TestGame"));
   ASSERT_TRUE(testGame->BaseAdd(typeid(Minigame).name()));
   ReflectionManager::TypeRegister(testGame);

   TestSupport::TestGame game;
   game.seed1 = 4000000000u;
   game.seed2 = 7;
   game.playerActiveID = 1;
   game.nextChipPileID = 5;
   game.subgameOver = true;
   Player* player = MemoryNew<Player>(HEAP_DEFAULT);
   player->Clear();
   player->id = 1;
   ASSERT_TRUE(player->NameSet("Ann"));
   game.players.Insert(player, 0);
   Team* team = MemoryNew<Team>(HEAP_DEFAULT);
   team->Clear();
   team->id = 0;
   team->playerIDs.Insert(1, 0);
   team->playerIDs.Insert(3, 1);
   game.teams.Insert(team, 0);
   Action action;
   action.Clear();
   action.type = ACTION_COMMAND;
   action.command.type = COMMAND_CARD_DROP;
   action.command.intParam0 = 2;
   action.command.intParam1 = 51;
   ASSERT_TRUE(action.String0Set("Boast"));
   game.actionQueue.Insert(action, 0);

   JSONTest::ValuePointer saved(JSONValue::New(HEAP_DEFAULT));
   ASSERT_TRUE(ReflectionManager::JSONSave(&game, saved.get(), {}));
   std::string keys;
   for (JSONValue::Iterator it = saved->ItemsBegin(); it.ValidCheck(); it.Next())
   {
      keys += std::string(keys.empty() ? "" : " ") + it.node->key;
   }
   EXPECT_EQ(keys, "___Type actionQueue gameTimer nextChipPileID playerActiveID players seed1 seed2 "
                   "startingSeed1 startingSeed2 subgameFirstTurnBegan subgameOver teams");
   EXPECT_STREQ(saved->ItemGet("___Type")->StringValueGet(), "Corvale::TestGame");
   // The queued action carries its command as an object of its own.
   EXPECT_EQ(ReflectionTest::Compact(saved->ItemGet("actionQueue")->ElementGet(0)->ItemGet("command")),
             "{\"intParam0\":2,\"intParam1\":51,\"type\":17}");
   EXPECT_EQ(ReflectionTest::Compact(saved->ItemGet("teams")->ElementGet(0)->ItemGet("playerIDs")), "[1,3]");

   TestSupport::TestGame loaded;
   ASSERT_TRUE(ReflectionManager::JSONLoad(&loaded, saved.get(), {}));
   EXPECT_EQ(loaded.seed1, 4000000000u);
   EXPECT_EQ(loaded.seed2, 7u);
   EXPECT_EQ(loaded.playerActiveID, 1);
   EXPECT_EQ(loaded.nextChipPileID, 5);
   EXPECT_TRUE(loaded.subgameOver);
   ASSERT_EQ(loaded.players.count, 1);
   EXPECT_STREQ(loaded.players[0]->name, "Ann");
   ASSERT_EQ(loaded.teams.count, 1);
   ASSERT_EQ(loaded.teams[0]->playerIDs.count, 2);
   EXPECT_EQ(loaded.teams[0]->playerIDs[0], 1);
   EXPECT_EQ(loaded.teams[0]->playerIDs[1], 3);
   ASSERT_EQ(loaded.actionQueue.count, 1);
   const Action& back = loaded.actionQueue[0];
   EXPECT_EQ(back.type, ACTION_COMMAND);
   EXPECT_EQ(back.command.type, COMMAND_CARD_DROP);
   EXPECT_EQ(back.command.intParam0, 2);
   EXPECT_EQ(back.command.intParam1, 51);
   EXPECT_STREQ(back.string0, "Boast");
}
TEST_F(ReflectionTypesRegisterTest, CardEnumerationFieldsSaveAndLoadAsNumbers)
{
   ReflectionTypesRegister();
   EnumRecordRegister();
   for (const char* name : {"Corvale::Rank", "Corvale::Suit", "Corvale::TrumpIndication"})
   {
      ASSERT_NE(ReflectionManager::TypeByNameGet(name), nullptr) << name;
   }
   EXPECT_EQ(ReflectionManager::TypeGet(typeid(Suit).name()),
             ReflectionManager::TypeByNameGet("Corvale::Suit"));

   EnumRecord record;
   record.rank = RANK_QUEEN;
   record.suit = SUIT_CLUBS;
   record.trumpIndication = TRUMP_INDICATION_SPADES_BROKEN;
   JSONTest::ValuePointer saved(JSONValue::New(HEAP_DEFAULT));
   ASSERT_TRUE(ReflectionManager::JSONSave(&record, saved.get(), {}));
   EXPECT_EQ(ReflectionTest::Compact(saved.get()), "{\"rank\":12,\"suit\":3,\"trumpIndication\":5}");

   EnumRecord loaded;
   ASSERT_TRUE(ReflectionManager::JSONLoad(&loaded, saved.get(), {}));
   EXPECT_EQ(loaded.rank, RANK_QUEEN);
   EXPECT_EQ(loaded.suit, SUIT_CLUBS);
   EXPECT_EQ(loaded.trumpIndication, TRUMP_INDICATION_SPADES_BROKEN);

   // The values outside the named ones that the games use load too: no suit, the ace counted high.
   JSONTest::ValuePointer edges = JSONTest::TextParse(R"({"rank": 14, "suit": -1, "trumpIndication": -1})");
   ASSERT_TRUE(ReflectionManager::JSONLoad(&loaded, edges.get(), {}));
   EXPECT_EQ(loaded.rank, RANK_ACE_HIGH);
   EXPECT_EQ(loaded.suit, SUIT_NONE);
   EXPECT_EQ(loaded.trumpIndication, TRUMP_INDICATION_NONE);
}

TEST_F(ReflectionTypesRegisterTest, AnEnumerationValueThatIsNoIntegerIsRefused)
{
   ReflectionTypesRegister();
   EnumRecordRegister();
   // Enumerations are stored as numbers: a name, or anything that has no 32-bit integer value,
   // names no value of the enumeration.
   struct Case
   {
      const char* what;
      const char* field;
      const char* value;
   };
   const Case cases[] = {
       {"a suit by name", "suit", "\"Clubs\""},
       {"a rank by name", "rank", "\"Queen\""},
       {"a trump indication by name", "trumpIndication", "\"TrumpHeartsBroken\""},
       {"a number as text", "suit", "\"2\""},
       {"a bool", "rank", "true"},
       {"null", "suit", "null"},
       {"an object", "trumpIndication", "{\"value\": 1}"},
       {"beyond 32 bits", "rank", "4294967296"},
       {"below 32 bits", "suit", "-2147483649"},
       {"missing", "trumpIndication", ""},
   };
   for (const Case& c : cases)
   {
      SCOPED_TRACE(c.what);
      // The field's member is rewritten (or left out); the others keep good values.
      std::string text;
      for (const auto& member : {std::pair<std::string, std::string>{"rank", "12"},
                                 std::pair<std::string, std::string>{"suit", "3"},
                                 std::pair<std::string, std::string>{"trumpIndication", "5"}})
      {
         const std::string value = member.first == c.field ? c.value : member.second;
         if (!value.empty())
         {
            text += (text.empty() ? "{\"" : ", \"") + member.first + "\": " + value;
         }
      }
      text += "}";
      JSONTest::ValuePointer document = JSONTest::TextParse(text);
      ASSERT_TRUE(document) << text;
      EnumRecord record;
      record.rank = RANK_TWO;
      record.suit = SUIT_DIAMONDS;
      record.trumpIndication = TRUMP_INDICATION_NO_TRUMP;
      EXPECT_FALSE(ReflectionManager::JSONLoad(&record, document.get(), {})) << text;
      // The refused field keeps its value.
      const std::string field = c.field;
      EXPECT_TRUE(field != "rank" || record.rank == RANK_TWO);
      EXPECT_TRUE(field != "suit" || record.suit == SUIT_DIAMONDS);
      EXPECT_TRUE(field != "trumpIndication" || record.trumpIndication == TRUMP_INDICATION_NO_TRUMP);
   }
}
} // namespace
