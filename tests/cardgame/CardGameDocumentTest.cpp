// The card games' state document: a game saved mid-hand resumes the same hand in a fresh instance,
// and a malformed or mutated document is refused without changing anything.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <regex>
#include <string>
#include <typeinfo>

#include "app/profile/ProfileStore.h"
#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/Player.h"
#include "core/Random.h"
#include "core/ReflectionManager.h"
#include "core/ReflectionTypeObject.h"
#include "tests/cardgame/CardGameHarness.h"
#include "tests/cardgame/DocumentTestSupport.h"
#include "tests/cardgame/TestCardGame.h"
#include "tests/core/JSONTestSupport.h"

using namespace Corvale;
using namespace Corvale::TestSupport;

namespace
{
const char* const TABLE_CONSTS = R"({
   "DelayCardDeal": 30, "DelayCardFlip": 20,
   "Settings": [{"Name": "ShowHelpLabels", "Default": true}, {"Name": "Rounds", "Default": 3}],
   "CardPiles": [
      {"Type": "Draw", "Position": "0|0"},
      {"Type": "Tableau", "SecondaryID": 0, "Position": "100|0", "CardPositionOffset": "0|20"},
      {"Type": "Tableau", "SecondaryID": 1, "Position": "200|0", "CardPositionOffset": "0|20"},
      {"Type": "Foundation", "Position": "500|0"},
      {"Type": "Hand", "OwnerID": 1, "Position": "0|500", "CardPositionOffset": "20|0"}
   ]})";

class CardGameDocumentTest : public ::testing::Test
{
 protected:
   void SetUp() override { TestCardGameTypesRegister(); }

   void TearDown() override
   {
      harness.Leave();
      ReflectionManager::Deinit();
   }

   // A hand under way: cards dealt to the tableaus, a selected card, a dealer and trump, a hidden
   // pile, and four more cards queued for the hand that no frame has moved yet.
   void MidHandEnter(TestCardGame* entered)
   {
      entered->playerCount = 2;
      harness.CardGameEnter(entered, TABLE_CONSTS);
      entered->CardsDealToEachPile(CARD_PILE_TYPE_TABLEAU, harness.Pile(0), 3, true);
      ASSERT_TRUE(harness.RunUntilSettled(5000));
      harness.Pile(1)->CardTopGet()->SelectedSet(true);
      entered->DealerSet(entered->players[1]);
      entered->TrumpIndicationSet(TRUMP_INDICATION_CLUBS);
      entered->trumpSuit = SUIT_CLUBS;
      harness.Pile(3)->VisibleSet(false);
      ProfileMinigameSettingsGet("TestCardGame")->ItemNumberSet("Rounds", 5);
      entered->CardsDealToPile(harness.Pile(4), harness.Pile(0), 4, false);
   }

   // Everything a refused load must leave alone, as text.
   std::string Everything(TestCardGame* entered)
   {
      const JSONValue* options = profileCurrent->ItemGet("MinigameSettings")->ItemGet("TestCardGame");
      return harness.SavedText(entered) + JSONTest::TextWrite(options) + std::to_string(randomState0) + "/" +
             std::to_string(randomState1) + "/" + std::to_string(entered->actionQueue.count) + "/" +
             std::to_string(entered->cards.count) + "/" + std::to_string(entered->gameResult) +
             (harness.CardsConservedCheck() ? "" : " cards not conserved");
   }

   static std::string TimerCleared(const std::string& text)
   {
      return std::regex_replace(text, std::regex("\"gameTimer\": [0-9]+"), "\"gameTimer\": 0");
   }

   // The pile's cards with their IDs, bottom first.
   static std::string CardsText(const CardPile* pile)
   {
      std::string text = CardGameHarness::PileText(pile) + " /";
      for (i32 i = 0; i < pile->cards.count; i++)
      {
         text += " " + std::to_string(pile->cards[i]->id);
      }
      return text;
   }

   CardGameHarness harness;
   TestCardGame game;
};

TEST_F(CardGameDocumentTest, AHandSavedMidwayResumesTheSameInAFreshGame)
{
   MidHandEnter(&game);
   const std::string midway = harness.SavedText(&game);
   ASSERT_NE(midway, "<failed>");
   JSONTest::ValuePointer document = JSONTest::TextParse(midway);
   const JSONValue* piles = document->ItemGet("Frontend")->ItemGet("CardPiles");
   ASSERT_EQ(piles->CountGet(), 5);
   EXPECT_STREQ(piles->ElementGet(4)->ItemGet("Type")->StringValueGet(), "Hand");
   EXPECT_EQ(piles->ElementGet(4)->ItemGet("OwnerID")->IntValueGet(), 1);
   EXPECT_FALSE(piles->ElementGet(3)->ItemGet("Visible")->BoolValueGet());
   const JSONValue* fields = document->ItemGet("Frontend")->ItemGet("Minigame");
   EXPECT_EQ(fields->ItemGet("nextCardID")->IntValueGet(), 52);
   EXPECT_EQ(fields->ItemGet("nextCardPileID")->IntValueGet(), 5);
   EXPECT_EQ(fields->ItemGet("dealerPlayerID")->IntValueGet(), 1);
   EXPECT_EQ(fields->ItemGet("trumpSuit")->IntValueGet(), SUIT_CLUBS);
   EXPECT_EQ(fields->ItemGet("trumpIndication")->IntValueGet(), TRUMP_INDICATION_CLUBS);

   // Where the original goes from here: the rest of the queue, the next shuffle and card ID.
   ASSERT_TRUE(harness.RunUntilSettled(5000));
   const std::string settled = harness.SavedText(&game);
   game.CardPileShuffle(harness.Pile(0));
   const std::string shuffled = CardsText(harness.Pile(0));
   const i32 nextID = game.CardCreate(RANK_ACE, SUIT_HEARTS)->id;
   EXPECT_EQ(nextID, 52);

   // Back to midway in the same game (the extra card goes), then into a fresh one.
   ASSERT_TRUE(game.Load(document.get()));
   ASSERT_EQ(harness.SavedText(&game), midway);
   TestCardGame fresh;
   fresh.playerCount = 2;
   ASSERT_TRUE(harness.RoundTripCheck(&fresh));
   EXPECT_TRUE(harness.Pile(1)->CardTopGet()->selected);
   EXPECT_EQ(fresh.DealerGet(), fresh.players[1]);

   const i32 queued = fresh.actionQueue.count;
   ASSERT_EQ(queued, 4);
   harness.Frame();
   EXPECT_EQ(fresh.actionQueue.count, queued - 1) << "the head runs on the first frame";
   ASSERT_TRUE(harness.RunUntilSettled(5000));
   // The delay the original's head still waited is not saved: the loaded game is a frame ahead.
   EXPECT_EQ(TimerCleared(harness.SavedText(&fresh)), TimerCleared(settled));
   fresh.CardPileShuffle(harness.Pile(0));
   EXPECT_EQ(CardsText(harness.Pile(0)), shuffled);
   EXPECT_EQ(fresh.CardCreate(RANK_ACE, SUIT_HEARTS)->id, nextID);
   // fresh goes before the fixture's teardown leaves the current game.
   harness.Leave();
}

TEST_F(CardGameDocumentTest, DocumentsThatLoadWithFewerCardsOrNoSuit)
{
   MidHandEnter(&game);
   ASSERT_TRUE(harness.RunUntilSettled(5000));
   JSONTest::ValuePointer document(JSONValue::New(HEAP_DEFAULT));
   ASSERT_TRUE(game.Save(document.get()));

   // A card without a suit (null, or written without text) loads as one.
   JSONValue* piles = document->ItemGet("Frontend")->ItemGet("CardPiles");
   JSONValue* cards = piles->ElementGet(1)->ItemGet("Cards");
   cards->ElementGet(0)->ItemGet("Suit")->NullSet();
   cards->ElementGet(1)->ItemGet("Suit")->StringSet("");
   cards->ElementGet(1)->ItemGet("Rank")->StringSet("Joker");
   ASSERT_TRUE(game.Load(document.get()));
   EXPECT_EQ(harness.Pile(1)->cards[0]->suit, SUIT_NONE);
   EXPECT_EQ(harness.Pile(1)->cards[1]->suit, SUIT_NONE);
   EXPECT_EQ(harness.Pile(1)->cards[1]->rank, RANK_JOKER);
   JSONTest::ValuePointer again(JSONValue::New(HEAP_DEFAULT));
   ASSERT_TRUE(game.Save(again.get()));
   EXPECT_STREQ(again->ItemGet("Frontend")
                    ->ItemGet("CardPiles")
                    ->ElementGet(1)
                    ->ItemGet("Cards")
                    ->ElementGet(1)
                    ->ItemGet("Suit")
                    ->StringValueGet(),
                "")
       << "no suit is written without text";

   // No piles listed: a game without cards, its piles as they were built.
   piles->CountSet(0);
   ASSERT_TRUE(game.Load(document.get()));
   EXPECT_EQ(game.cards.count, 0);
   EXPECT_EQ(game.cardPiles.count, 5);
   EXPECT_EQ(game.CardCreate(RANK_TWO, SUIT_SPADES)->id, 52) << "the next ID is the saved one";
}

TEST_F(CardGameDocumentTest, MalformedDocumentsAreRefusedAndChangeNothing)
{
   MidHandEnter(&game);
   const std::string text = harness.SavedText(&game);

   struct TextCase
   {
      const char* what;
      std::string from, to;
   };
   const TextCase textCases[] = {
       {"not an object", text, "[1, 2]"},
       {"no Frontend", "\"Frontend\"", "\"Backend\""},
       {"settings not an object", "\"MinigameSettings\": {", "\"MinigameSettings\": 3, \"Unused\": {"},
       {"game not an object", "\"Minigame\": {", "\"Minigame\": [], \"Unused\": {"},
       {"no CardPiles", "\"CardPiles\"", "\"CardHeaps\""},
       {"CardPiles not an array", "\"CardPiles\": [", "\"CardPiles\": {}, \"Unused\": ["},
       {"a pile the game lacks", "\"Type\": \"Foundation\"", "\"Type\": \"Crib\""},
       {"an unknown pile type", "\"Type\": \"Foundation\"", "\"Type\": \"Heap\""},
       {"a pile named twice", "\"SecondaryID\": 1", "\"SecondaryID\": 0"},
       {"a mistyped pile member", "\"Visible\": false", "\"Visible\": 0"},
       {"Cards not an array", "\"Cards\": [", "\"Cards\": {}, \"Unused\": ["},
       {"a mistyped card member", "\"FaceUp\": true", "\"FaceUp\": 1"},
       {"a suit as a number", "\"Suit\": \"Clubs\"", "\"Suit\": 3"},
       {"an unknown suit", "\"Suit\": \"Clubs\"", "\"Suit\": \"Stars\""},
       {"an unknown rank", "\"Rank\": \"King\"", "\"Rank\": \"Emperor\""},
       {"a rank without text", "\"Rank\": \"King\"", "\"Rank\": \"\""},
       {"a missing suit", "\"Suit\": ", "\"Suits\": "},
       {"a card that is not an object", "\"Cards\": [", "\"Cards\": [7, "},
       {"an unknown ___Type", "\"Corvale::TestCardGame\"", "\"Corvale::NoSuchGame\""},
       {"a mistyped field", "\"nextCardID\": 52", "\"nextCardID\": \"many\""},
   };
   // Edits that need the tree: IDs copied from elsewhere.
   auto pilesOf = [](JSONValue* document) { return document->ItemGet("Frontend")->ItemGet("CardPiles"); };
   struct TreeCase
   {
      const char* what;
      std::function<void(JSONValue*)> edit;
   };
   const TreeCase treeCases[] = {
       {"a repeated card ID",
        [&](JSONValue* document)
        {
           JSONValue* cards = pilesOf(document)->ElementGet(2)->ItemGet("Cards");
           cards->ElementGet(0)->ItemNumberSet("ID", pilesOf(document)
                                                         ->ElementGet(0)
                                                         ->ItemGet("Cards")
                                                         ->ElementGet(5)
                                                         ->ItemGet("ID")
                                                         ->IntValueGet());
        }},
       {"a repeated card ID within a pile",
        [&](JSONValue* document)
        {
           JSONValue* cards = pilesOf(document)->ElementGet(1)->ItemGet("Cards");
           cards->ElementGet(2)->ItemNumberSet("ID", cards->ElementGet(0)->ItemGet("ID")->IntValueGet());
        }},
       {"a repeated pile ID",
        [&](JSONValue* document) { pilesOf(document)->ElementGet(3)->ItemNumberSet("ID", 1); }},
   };

   const auto refusedCheck = [&](const char* what, JSONValue* document)
   {
      SCOPED_TRACE(what);
      game.seed1 ^= 0x55;
      randomState0 = 99;
      const std::string before = Everything(&game);
      EXPECT_FALSE(game.Load(document));
      EXPECT_EQ(Everything(&game), before);
   };
   for (const TextCase& c : textCases)
   {
      std::string broken = text;
      const size_t at = broken.find(c.from);
      ASSERT_NE(at, std::string::npos) << c.what;
      broken.replace(at, c.from.size(), c.to);
      JSONTest::ValuePointer document = JSONTest::TextParse(broken);
      ASSERT_TRUE(document) << c.what;
      refusedCheck(c.what, document.get());
   }
   for (const TreeCase& c : treeCases)
   {
      JSONTest::ValuePointer document = JSONTest::TextParse(text);
      c.edit(document.get());
      refusedCheck(c.what, document.get());
   }
   refusedCheck("no document", nullptr);
   // The good document still loads after all that.
   JSONTest::ValuePointer good = JSONTest::TextParse(text);
   EXPECT_TRUE(game.Load(good.get()));
}

// Members dropped, retyped and pushed out of range, IDs and counts among them: each variant loads
// whole or changes nothing, and never crashes.
TEST_F(CardGameDocumentTest, MutatedDocumentsLoadWholeOrNotAtAll)
{
   MidHandEnter(&game);
   const std::string text = harness.SavedText(&game);
   JSONTest::ValuePointer good = JSONTest::TextParse(text);
   MutationPass(
       text, 28, 3000, [&](JSONValue* document) { return game.Load(document); },
       [&]() { return Everything(&game); },
       [&]()
       {
          ASSERT_TRUE(game.Load(good.get()));
          ASSERT_EQ(harness.SavedText(&game), text) << "the good document restores the hand";
       });
}
} // namespace
