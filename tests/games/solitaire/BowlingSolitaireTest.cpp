// Bowling solitaire's rules: frame scores and sheet marks from the bowling rules, the pin and ball
// rules, the frames the refresh records as card sequences (strike, spare, an open tenth frame,
// two-card balls), the win at 230, and the throws kept through a reload and taken back by Undo.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/games/solitaire/ScoreSheetHarness.h"

namespace Corvale
{
namespace TestSupport
{
namespace
{
// The game's 21 throw entries and throw index for a list of balls in bowling order: a strike in
// frames 1-9 fills its first entry and skips the second.
struct Sheet
{
   std::vector<i32> throws = std::vector<i32>(BOWLING_THROW_COUNT, -1);
   i32 index = 0;
};

Sheet SheetFromBalls(const std::vector<i32>& balls)
{
   Sheet sheet;
   bool second = false;
   for (i32 ball : balls)
   {
      sheet.throws[sheet.index] = ball;
      if (sheet.index < 18 && !second && ball == 10)
      {
         sheet.index += 2;
         continue;
      }
      sheet.index += 1;
      second = sheet.index < 18 ? !second : false;
   }
   return sheet;
}

const i32 PENDING = BOWLING_FRAME_BONUS_PENDING;
const i32 OPEN = BOWLING_FRAME_INCOMPLETE;

TEST(BowlingScoreTest, FramesScoreByTheBowlingRules)
{
   const struct
   {
      const char* name;
      std::vector<i32> balls;
      std::vector<i32> frames;
   } cases[] = {
       {"a perfect game", std::vector<i32>(12, 10), {30, 60, 90, 120, 150, 180, 210, 240, 270, 300}},
       {"open frames",
        {3, 4, 3, 4, 3, 4, 3, 4, 3, 4, 3, 4, 3, 4, 3, 4, 3, 4, 3, 4},
        {7, 14, 21, 28, 35, 42, 49, 56, 63, 70}},
       {"all spares",
        {9, 1, 9, 1, 9, 1, 9, 1, 9, 1, 9, 1, 9, 1, 9, 1, 9, 1, 9, 1, 9},
        {19, 38, 57, 76, 95, 114, 133, 152, 171, 190}},
       {"a spare in the tenth with its bonus",
        {10, 10, 10, 10, 10, 10, 10, 10, 10, 9, 1, 5},
        {30, 60, 90, 120, 150, 180, 210, 239, 259, 274}},
       {"exactly 230",
        {10, 10, 10, 10, 10, 10, 10, 9, 1, 8, 1, 2, 2},
        {30, 60, 90, 120, 150, 179, 199, 217, 226, 230}},
       {"229",
        {10, 10, 10, 10, 10, 10, 10, 9, 1, 8, 1, 2, 1},
        {30, 60, 90, 120, 150, 179, 199, 217, 226, 229}},
       // A strike is no open nine though its second entry stays -1.
       {"a strike waits for two balls", {10}, {PENDING, OPEN}},
       {"one ball after a strike", {10, 3}, {PENDING, OPEN}},
       {"two balls after a strike", {10, 3, 4}, {17, 24, OPEN}},
       {"a spare waits for the frame after it", {7, 3, 4}, {PENDING, OPEN}},
       {"a spare and the next frame", {7, 3, 4, 2}, {14, 20, OPEN}},
       {"two strikes wait for a third ball", {10, 10}, {PENDING, PENDING, OPEN}},
       {"a frame after an unknown one", {10, 10, 3, 4}, {23, 40, 47, OPEN}},
       // The tenth frame: open after two balls, or waiting for its bonus. A total shows once the
       // frame after it has ended, so the ninth waits for the tenth frame's last ball too.
       {"an open tenth",
        {10, 10, 10, 10, 10, 10, 10, 10, 10, 3, 4},
        {30, 60, 90, 120, 150, 180, 210, 233, 250, 257}},
       {"a tenth-frame strike waits",
        {10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 3},
        {30, 60, 90, 120, 150, 180, 210, 240, PENDING, PENDING}},
   };
   for (const auto& c : cases)
   {
      const Sheet sheet = SheetFromBalls(c.balls);
      for (size_t f = 0; f < c.frames.size(); ++f)
      {
         EXPECT_EQ(
             BowlingSolitaire::FrameScoreCompute(sheet.throws.data(), sheet.index, static_cast<i32>(f + 1)),
             c.frames[f])
             << c.name << ", frame " << f + 1;
      }
   }
}

TEST(BowlingScoreTest, TheSheetMarksStrikesSparesAndTheTenthFramesBalls)
{
   const struct
   {
      const char* name;
      std::vector<i32> balls;
      std::vector<std::string> marks;
   } cases[] = {
       {"a strike, a spare, an open frame, a first ball",
        {10, 7, 3, 0, 9, 4},
        {"X", "-", "7", "/", "0", "9", "4", ""}},
       {"a perfect tenth", std::vector<i32>(12, 10), {"X", "-", "X", "-", "X", "-", "X", "-", "X", "-", "X",
                                                      "-", "X", "-", "X", "-", "X", "-", "X", "X", "X"}},
       {"a tenth strike then a spare",
        {3, 4, 3, 4, 3, 4, 3, 4, 3, 4, 3, 4, 3, 4, 3, 4, 3, 4, 10, 6, 4},
        {"3", "4", "3", "4", "3", "4", "3", "4", "3", "4", "3",
         "4", "3", "4", "3", "4", "3", "4", "X", "6", "/"}},
       {"a tenth spare then a strike",
        {3, 4, 3, 4, 3, 4, 3, 4, 3, 4, 3, 4, 3, 4, 3, 4, 3, 4, 0, 10, 10},
        {"3", "4", "3", "4", "3", "4", "3", "4", "3", "4", "3",
         "4", "3", "4", "3", "4", "3", "4", "0", "/", "X"}},
       {"an open tenth leaves its third box empty",
        {3, 4, 3, 4, 3, 4, 3, 4, 3, 4, 3, 4, 3, 4, 3, 4, 3, 4, 2, 5},
        {"3", "4", "3", "4", "3", "4", "3", "4", "3", "4", "3",
         "4", "3", "4", "3", "4", "3", "4", "2", "5", ""}},
   };
   for (const auto& c : cases)
   {
      const Sheet sheet = SheetFromBalls(c.balls);
      for (size_t i = 0; i < BOWLING_THROW_COUNT; ++i)
      {
         char mark[16];
         BowlingSolitaire::ThrowMarkGet(sheet.throws.data(), sheet.index, static_cast<i32>(i), mark,
                                        sizeof(mark));
         EXPECT_EQ(mark, i < c.marks.size() ? c.marks[i] : std::string()) << c.name << ", box " << i;
      }
   }
}

class BowlingTest : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      ScoreSheetHarness::OptionSet("BowlingSolitaire", "WasteHoldsTwo", false);
      ASSERT_NO_FATAL_FAILURE(harness.GameEnter(&game));
   }

   CardPile* Turned() { return harness.PileGet(CARD_PILE_TYPE_FLIP); }
   CardPile* Ball(i32 i) { return harness.PileGet(CARD_PILE_TYPE_WASTE, i); }
   CardPile* Pin(i32 i) { return harness.PileGet(CARD_PILE_TYPE_TABLEAU, i); }

   // Turns the stock's top card and drops it on the pile.
   void Bowl(CardPile* pile)
   {
      ASSERT_EQ(Turned()->cards.count, 0);
      harness.ChooseAndSettle(harness.Stock()->CardTopGet());
      Card* card = Turned()->CardTopGet();
      ASSERT_NE(card, nullptr);
      ASSERT_TRUE(harness.DropAndSettle(card, pile)) << "pile " << pile->id;
   }

   std::vector<i32> Throws()
   {
      return std::vector<i32>(game.throws.data, game.throws.data + game.throws.count);
   }

   BowlingSolitaire game;
   // A second game to load into; it outlives the harness, which leaves it.
   BowlingSolitaire fresh;
   ScoreSheetHarness harness;
};

TEST_F(BowlingTest, PinsStayAscendingAndBallsFillInTurn)
{
   harness.StockStack({"KS", "8D", "7C", "6H", "9S", "5D"});
   harness.CardsPlace(Pin(2), {"5D*"});
   harness.CardsPlace(Pin(6), {"9S*"});
   harness.CardsPlace(Ball(0), {"KS*", "8D*"});
   harness.CardsPlace(Turned(), {"6H*"});
   const struct
   {
      const char* card;
      CardPile* pile;
      bool taken;
   } cases[] = {
       {"6H", Pin(3), true},  {"7C", Pin(4), true},   {"8D", Pin(5), true},    {"5D", Pin(3), false},
       {"9S", Pin(5), false}, {"AS", Pin(0), true},   {"AS", Pin(7), false},   {"TS", Pin(7), true},
       {"5H", Pin(2), true},  {"6H", Pin(2), false},  {"4C", Pin(1), true},    {"6H", Pin(1), false},
       {"6H", Ball(0), true}, {"6H", Ball(1), false}, {"6H", Turned(), false}, {"6H", harness.Stock(), false},
   };
   for (const auto& c : cases)
   {
      Card* card = harness.CardFind(std::string("XA23456789TJQK").find(c.card[0]),
                                    std::string("HSDC").find(c.card[1]));
      EXPECT_EQ(game.CardDropCheck(c.pile, card), c.taken) << c.card << " on pile " << c.pile->id;
   }
   // Only the turned card is picked up.
   EXPECT_TRUE(game.CardPickUpCheck(Turned()->CardTopGet()));
   EXPECT_FALSE(game.CardPickUpCheck(Pin(2)->CardTopGet()));
   EXPECT_FALSE(game.CardPickUpCheck(harness.Stock()->CardTopGet()));
   // A press on the stock turns a card only while the turned-card pile is empty.
   EXPECT_FALSE(game.CardChooseOnClickCheck(harness.Stock()->CardTopGet()));
   const i32 stock = harness.Stock()->cards.count;
   harness.ChooseAndSettle(harness.Stock()->CardTopGet());
   EXPECT_EQ(harness.Stock()->cards.count, stock);
   EXPECT_EQ(Turned()->cards.count, 1);
   ASSERT_TRUE(harness.DropAndSettle(Turned()->CardTopGet(), Ball(0)));
   Card* top = harness.Stock()->CardTopGet();
   EXPECT_TRUE(game.CardChooseOnClickCheck(top));
   harness.ChooseAndSettle(top);
   EXPECT_EQ(Turned()->CardTopGet(), top);
   EXPECT_TRUE(top->faceUp);
   // Ball 1 is full, so ball 2 takes cards.
   EXPECT_TRUE(game.CardDropCheck(Ball(1), top));
   EXPECT_FALSE(game.CardDropCheck(Ball(0), top));
}

TEST_F(BowlingTest, TenPinsBeforeTheFirstBallIsFullAreAStrikeAndTheFrameStartsAgain)
{
   harness.StockStack({"TC", "9C", "8C", "7C", "6C", "5C", "4C", "3C", "2C", "AC"});
   for (i32 pin = 0; pin < 10; ++pin)
   {
      ASSERT_NO_FATAL_FAILURE(Bowl(Pin(pin)));
   }
   std::vector<i32> expected(BOWLING_THROW_COUNT, -1);
   expected[0] = 10;
   EXPECT_EQ(Throws(), expected);
   EXPECT_EQ(game.throwIndex, 2);
   EXPECT_TRUE(game.firstBall);
   // Gathered, face down and shuffled for the next frame.
   EXPECT_EQ(harness.Stock()->cards.count, 52);
   for (i32 i = 0; i < 52; ++i)
   {
      EXPECT_FALSE(harness.Stock()->cards[i]->faceUp);
   }
   // Undo takes back the last pin and the strike it made.
   harness.UndoAndSettle();
   EXPECT_EQ(Throws(), std::vector<i32>(BOWLING_THROW_COUNT, -1));
   EXPECT_EQ(game.throwIndex, 0);
   EXPECT_TRUE(game.firstBall);
   EXPECT_EQ(Pin(9)->cards.count, 0);
   EXPECT_EQ(Pin(8)->cards.count, 1);
   ASSERT_EQ(Turned()->cards.count, 1);
   EXPECT_EQ(Turned()->CardTopGet()->rank, 10);
   // Played again, the strike is recorded once.
   ASSERT_TRUE(harness.DropAndSettle(Turned()->CardTopGet(), Pin(9)));
   EXPECT_EQ(Throws(), expected);
   EXPECT_EQ(game.throwIndex, 2);
   EXPECT_TRUE(harness.CardsConservedCheck());
}

TEST_F(BowlingTest, AFullFirstBallCountsItsPinsAndTheRestAreASpare)
{
   harness.StockStack({"TC", "9C", "8C", "KD", "QD", "KH", "7C", "6C", "5C", "4C", "3C", "2C", "AC"});
   for (i32 pin = 0; pin < 7; ++pin)
   {
      ASSERT_NO_FATAL_FAILURE(Bowl(Pin(pin)));
   }
   for (i32 card = 0; card < 2; ++card)
   {
      ASSERT_NO_FATAL_FAILURE(Bowl(Ball(0)));
   }
   EXPECT_EQ(game.throws[0], -1) << "a ball is thrown only when full";
   ASSERT_NO_FATAL_FAILURE(Bowl(Ball(0)));
   EXPECT_EQ(game.throws[0], 7);
   EXPECT_FALSE(game.firstBall);
   // Taken back, the throw and the flag return; filled again, the throw is recorded once.
   harness.UndoAndSettle();
   EXPECT_EQ(game.throws[0], -1);
   EXPECT_TRUE(game.firstBall);
   EXPECT_EQ(game.throwIndex, 0);
   ASSERT_TRUE(harness.DropAndSettle(Turned()->CardTopGet(), Ball(0)));
   EXPECT_EQ(game.throws[0], 7);
   EXPECT_EQ(game.throwIndex, 1);
   for (i32 pin = 7; pin < 10; ++pin)
   {
      ASSERT_NO_FATAL_FAILURE(Bowl(Pin(pin)));
   }
   EXPECT_EQ(game.throws[1], 3);
   EXPECT_EQ(game.throwIndex, 2);
   EXPECT_TRUE(game.firstBall);
   EXPECT_EQ(harness.Stock()->cards.count, 52);
}

TEST_F(BowlingTest, WithTwoCardBallsAFrameEndsAfterFourBallCards)
{
   ScoreSheetHarness::OptionSet("BowlingSolitaire", "WasteHoldsTwo", true);
   game.GameNew();
   harness.Settle();
   harness.StockStack({"KD", "QD", "JD", "5C", "KH", "QH", "AC"});
   ASSERT_NO_FATAL_FAILURE(Bowl(Pin(0)));
   ASSERT_NO_FATAL_FAILURE(Bowl(Ball(0)));
   ASSERT_NO_FATAL_FAILURE(Bowl(Ball(0)));
   EXPECT_EQ(game.throws[0], 1);
   ASSERT_NO_FATAL_FAILURE(Bowl(Pin(5)));
   ASSERT_NO_FATAL_FAILURE(Bowl(Ball(1)));
   EXPECT_EQ(game.throws[1], -1);
   ASSERT_NO_FATAL_FAILURE(Bowl(Ball(1)));
   EXPECT_EQ(game.throws[1], 1);
   EXPECT_EQ(game.throwIndex, 2);
   EXPECT_EQ(harness.Stock()->cards.count, 52);
}

TEST_F(BowlingTest, AnOpenTenthFrameEndsTheGameAfterItsSecondBall)
{
   const Sheet nine = SheetFromBalls({3, 4, 3, 4, 3, 4, 3, 4, 3, 4, 3, 4, 3, 4, 3, 4, 3, 4});
   for (i32 i = 0; i < BOWLING_THROW_COUNT; ++i)
   {
      game.throws[i] = nine.throws[i];
   }
   game.throwIndex = nine.index;
   harness.StockStack({"KD", "QD", "JD", "KH", "QH", "JH", "9C", "5C", "2C"});
   ASSERT_NO_FATAL_FAILURE(Bowl(Pin(1)));
   ASSERT_NO_FATAL_FAILURE(Bowl(Pin(4)));
   for (i32 card = 0; card < 3; ++card)
   {
      ASSERT_NO_FATAL_FAILURE(Bowl(Ball(0)));
   }
   EXPECT_EQ(game.throws[18], 2);
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_RUNNING);
   ASSERT_NO_FATAL_FAILURE(Bowl(Pin(9)));
   for (i32 card = 0; card < 3; ++card)
   {
      ASSERT_NO_FATAL_FAILURE(Bowl(Ball(1)));
   }
   EXPECT_EQ(game.throws[19], 1);
   EXPECT_EQ(game.throws[20], -1);
   EXPECT_EQ(game.throwIndex, 20);
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_LOST);
   EXPECT_EQ(game.ScoreGet(), 9 * 7 + 3);
   EXPECT_EQ(game.players[0]->minigameScore, 66);
}

TEST_F(BowlingTest, TheGameIsWonFromExactly230)
{
   const struct
   {
      std::vector<i32> balls;
      i32 result;
   } cases[] = {{{10, 10, 10, 10, 10, 10, 10, 9, 1, 8, 1, 2, 2}, MINIGAME_RESULT_WON},
                {{10, 10, 10, 10, 10, 10, 10, 9, 1, 8, 1, 2, 1}, MINIGAME_RESULT_LOST}};
   for (const auto& c : cases)
   {
      game.GameNew();
      harness.Settle();
      const Sheet sheet = SheetFromBalls(c.balls);
      for (i32 i = 0; i < BOWLING_THROW_COUNT; ++i)
      {
         game.throws[i] = sheet.throws[i];
      }
      game.throwIndex = sheet.index;
      game.GameOver();
      EXPECT_EQ(game.gameResult, c.result);
      harness.Settle();
   }
}

TEST_F(BowlingTest, AReloadedGameKeepsItsThrowsAndRecordsTheNextBallRight)
{
   harness.StockStack({"KD", "QD", "7C", "KH", "QH", "JH", "2C", "AC"});
   ASSERT_NO_FATAL_FAILURE(Bowl(Pin(0)));
   ASSERT_NO_FATAL_FAILURE(Bowl(Pin(1)));
   for (i32 card = 0; card < 3; ++card)
   {
      ASSERT_NO_FATAL_FAILURE(Bowl(Ball(0)));
   }
   ASSERT_EQ(game.throws[0], 2);
   ASSERT_TRUE(harness.RoundTripCheck(&fresh));
   harness.solitaire = &fresh;
   EXPECT_EQ(std::vector<i32>(fresh.throws.data, fresh.throws.data + fresh.throws.count), Throws());
   EXPECT_EQ(fresh.throwIndex, 1);
   EXPECT_FALSE(fresh.firstBall);
   harness.Settle();
   CardPile* stock = fresh.CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
   CardPile* turned = fresh.CardPileGet(CARD_PILE_TYPE_FLIP, -1, -1);
   for (CardPile* pile :
        {fresh.CardPileGet(CARD_PILE_TYPE_TABLEAU, 2, -1), fresh.CardPileGet(CARD_PILE_TYPE_WASTE, 1, -1),
         fresh.CardPileGet(CARD_PILE_TYPE_WASTE, 1, -1), fresh.CardPileGet(CARD_PILE_TYPE_WASTE, 1, -1)})
   {
      harness.ChooseAndSettle(stock->CardTopGet());
      ASSERT_TRUE(harness.DropAndSettle(turned->CardTopGet(), pile));
   }
   EXPECT_EQ(fresh.throws[1], 1);
   EXPECT_EQ(fresh.throwIndex, 2);
   EXPECT_TRUE(fresh.firstBall);
}

TEST_F(BowlingTest, DamagedSavedThrowsAreRepairedOnLoad)
{
   JSONTest::ValuePointer document(JSONValue::New(HEAP_DEFAULT));
   ASSERT_TRUE(game.Save(document.get()));
   std::string text = JSONTest::TextWrite(document.get());
   JSONTest::ValuePointer damaged = JSONTest::TextParse(text);
   JSONValue* minigame = damaged->ItemGet("Frontend")->ItemGet("Minigame");
   JSONValue* throws = minigame->ItemArraySet("throws");
   for (i32 value : {4, 99, -7})
   {
      throws->ElementAdd()->NumberSet(value);
   }
   minigame->ItemNumberSet("throwIndex", 400);
   harness.CardGameEnter(&fresh, harness.enteredConsts);
   fresh.Load(damaged.get());
   ASSERT_EQ(fresh.throws.count, BOWLING_THROW_COUNT);
   EXPECT_EQ(fresh.throws[0], 4);
   EXPECT_EQ(fresh.throws[1], -1);
   EXPECT_EQ(fresh.throws[2], -1);
   EXPECT_EQ(fresh.throwIndex, BOWLING_THROW_COUNT);
   // The sheet and the score read the repaired throws without going past them.
   EXPECT_GE(fresh.FrameScoreGet(BOWLING_FRAME_COUNT), BOWLING_FRAME_BONUS_PENDING);
}
} // namespace
} // namespace TestSupport
} // namespace Corvale
