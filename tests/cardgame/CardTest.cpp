// The card's motion: capped and instant moves, the selected lift, rotation and the flip's timing.
#include <gtest/gtest.h>

#include "cardgame/CardNames.h"
#include "tests/MemoryEnvironment.h"
#include "tests/cardgame/CardTestSupport.h"

using namespace CardTest;

namespace
{
const ::testing::Environment* const memory =
    ::testing::AddGlobalTestEnvironment(new TestSupport::MemoryEnvironment);

class CardTest : public ::testing::Test
{
 protected:
   void ConstsSet(const char* text)
   {
      consts = Parse(text);
      Card::ConstsLoad(consts.get());
   }
   void TearDown() override { Card::ConstsLoad(nullptr); }

   ValuePointer consts;
   CountingGame game;
};

TEST_F(CardTest, MovesAreCappedAndSpeedlessMovesInstant)
{
   ConstsSet(R"({"CardLinearSpeed": 1000, "CardLinearMoveDurationMax": 300, "CardAngularSpeed": 90,
                 "CardFlipDuration": 200})");
   Card card;
   card.game = &game;
   card.PositionSet(Point2F{0, 0}, false);
   card.PositionSet(Point2F{100, 0}, true);
   EXPECT_EQ(card.moveTrack.end, 100u);
   card.PositionSet(Point2F{100, 0}, true);
   EXPECT_EQ(card.moveTrack.end, 100u);
   EXPECT_TRUE(card.moveTrack.active);
   card.PositionSet(Point2F{1100, 0}, true);
   EXPECT_EQ(card.moveTrack.end, 300u);
   card.Update(299);
   EXPECT_FALSE(card.moveTrack.finished);
   EXPECT_GT(card.PositionGet().x, 100.0f);
   game.cardLayersPending = false;
   card.Update(1);
   EXPECT_TRUE(card.moveTrack.finished);
   EXPECT_TRUE(game.cardLayersPending);
   EXPECT_EQ(card.PositionGet().x, 1100.0f);

   card.RotationSet(45.0f);
   EXPECT_EQ(card.rotationTrack.end, 500u);

   // No speed, a negative speed or none at all: the motion is instant rather than infinite.
   for (const char* text :
        {R"({"CardLinearSpeed": 0, "CardLinearMoveDurationMax": 300})",
         R"({"CardLinearSpeed": -5, "CardLinearMoveDurationMax": 300, "CardAngularSpeed": -1})", R"({})"})
   {
      ConstsSet(text);
      card.PositionSet(Point2F{0, 0}, true);
      EXPECT_EQ(card.moveTrack.end, 0u) << text;
      EXPECT_TRUE(card.moveTrack.finished) << text;
      EXPECT_EQ(card.PositionGet().x, 0.0f) << text;
      card.RotationSet(card.rotation + 30.0f);
      EXPECT_TRUE(card.rotationTrack.finished) << text;
   }
}

TEST_F(CardTest, SelectedCardIsLiftedAlsoWhileMoving)
{
   ConstsSet(R"({"CardLinearSpeed": 100, "CardLinearMoveDurationMax": 10000})");
   CardPile pile;
   ValuePointer specification = Parse(R"({"Type": "Hand", "CardSelectedPositionOffset": "0|-20"})");
   pile.Init(&game, specification.get());
   Card* card = pile.CardCreate(RANK_ACE, SUIT_SPADES);
   card->PositionSet(Point2F{50, 100}, false);
   card->SelectedSet(true);
   EXPECT_EQ(card->PositionGet().y, 80.0f);
   card->PositionSet(Point2F{50, 200}, true);
   card->Update(500);
   const float moving = card->PositionGet().y;
   EXPECT_GT(moving, 80.0f);
   EXPECT_LT(moving, 180.0f);
   card->AnimationsFinish();
   EXPECT_EQ(card->PositionGet().y, 180.0f);
   card->SelectedSet(false);
   EXPECT_EQ(card->PositionGet().y, 200.0f);
   pile.Deinit();
}

TEST_F(CardTest, FlipTimingAndSounds)
{
   ConstsSet(R"({"CardFlipDuration": 200})");
   Card card;
   card.game = &game;
   card.FaceUpSet(false, true);
   EXPECT_EQ(game.moveSounds, 0);
   card.FaceUpSet(true, true);
   EXPECT_EQ(game.moveSounds, 1);
   EXPECT_TRUE(card.flipTrack.active);
   card.Update(99);
   EXPECT_LT(card.flipTrack.ProgressGet(), 0.5f);
   card.Update(1);
   EXPECT_EQ(card.flipTrack.ProgressGet(), 0.5f);
   card.Update(100);
   EXPECT_TRUE(card.flipTrack.finished);

   // A flip of no duration is over at once.
   ConstsSet(R"({"CardFlipDuration": 0})");
   card.FaceUpSet(false, true);
   EXPECT_TRUE(card.flipTrack.finished);
   EXPECT_FALSE(card.faceUp);
   card.FaceUpSet(true, false);
   EXPECT_FALSE(card.flipTrack.active);
   EXPECT_EQ(game.moveSounds, 3);
}

TEST_F(CardTest, SpriteNames)
{
   EXPECT_STREQ(CardSpriteNameGet(1, SUIT_HEARTS), "H_1");
   EXPECT_STREQ(CardSpriteNameGet(13, SUIT_CLUBS), "C_13");
   EXPECT_STREQ(CardSpriteNameGet(0, SUIT_DIAMONDS), "Joker");
   EXPECT_EQ(CardSpriteNameGet(5, -1), nullptr);
   EXPECT_EQ(CardSpriteNameGet(14, SUIT_SPADES), nullptr);
}
} // namespace
