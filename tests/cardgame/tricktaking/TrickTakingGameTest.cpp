// The trick-taking base headless: the default winner rule, the trick piles' order, the trick
// questions, whole hands of the test trick game over many seeds with a save in the middle, deals
// from the seed alone, documents saved back as loaded, and one card per seat and trick.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "cardgame/CardNames.h"
#include "tests/cardgame/CardGameHarness.h"
#include "tests/cardgame/tricktaking/TestTrickGame.h"

namespace Corvale
{
namespace TestSupport
{
namespace
{
class TrickTakingGameTest : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      TestTrickGameTypesRegister();
      harness.CardGameEnter(&game, TestTrickGameConsts());
   }

   // The game is left while it still stands: the harness goes after it.
   void TearDown() override
   {
      harness.Leave();
      ReflectionManager::Deinit();
   }

   TrickTakingGamePlayer* Seat(i32 index) { return game.TrickPlayerGet(index); }

   // A hand begun and one trick opened by the leader, without dealing.
   void TrickOpen(i32 leaderID)
   {
      game.HandBegin();
      game.playerActiveID = leaderID;
      game.TrickBegin();
   }

   // Gives the cards ("AH", "-" for none) of the current trick in table order; each card is the
   // first of its rank and suit.
   void TrickCardsGive(const std::vector<std::string>& names)
   {
      static const std::string ranks = "XA23456789TJQK";
      static const std::string suits = "HSDC";
      for (size_t i = 0; i < names.size(); ++i)
      {
         if (names[i] == "-")
         {
            continue;
         }
         Card* card = harness.CardFind(static_cast<i32>(ranks.find(names[i][0])),
                                       static_cast<i32>(suits.find(names[i][1])));
         ASSERT_NE(card, nullptr) << names[i];
         Seat(static_cast<i32>(i))->HistoryCardSet(game.trickIndexCurrent, card);
      }
   }

   CardGameHarness harness;
   TestTrickGame game;
};

TEST_F(TrickTakingGameTest, DefaultWinnerRuleTable)
{
   struct Case
   {
      const char* what;
      i32 leaderID;
      i32 trump;
      std::vector<std::string> cards;
      i32 winnerID;
   };
   const Case cases[] = {
       {"all follow, the ace counts high", 0, SUIT_NONE, {"5H", "AH", "KH", "2H"}, 1},
       {"nobody follows or trumps: the leader", 2, SUIT_SPADES, {"AD", "KC", "3H", "QD"}, 2},
       {"a low trump beats a high led card", 0, SUIT_CLUBS, {"AH", "KH", "2C", "QH"}, 2},
       {"the higher of two trumps", 1, SUIT_CLUBS, {"3C", "AS", "KH", "9C"}, 3},
       {"without trumps a discard never wins", 0, SUIT_NONE, {"2H", "AS", "AC", "3H"}, 3},
       {"a trump value that is no suit means none", 0, 7, {"2H", "AS", "AC", "3H"}, 3},
       {"a discard first in table order loses to the led suit", 1, SUIT_NONE, {"AC", "2D", "KS", "4D"}, 3},
       {"a player without a card is skipped", 0, SUIT_NONE, {"9S", "-", "JS", "TS"}, 2},
   };
   for (const Case& c : cases)
   {
      SCOPED_TRACE(c.what);
      TrickOpen(c.leaderID);
      game.trumpSuit = c.trump;
      TrickCardsGive(c.cards);
      Player* winner = nullptr;
      Card* best = nullptr;
      game.TrickWinnerDetermine(&winner, &best);
      ASSERT_NE(winner, nullptr);
      EXPECT_EQ(winner->id, c.winnerID);
      EXPECT_EQ(best ? best->id : -2, Seat(c.winnerID)->HistoryCardGet(0));
   }

   // Equal cards (two decks' worth is not at hand: the same card given twice): the earlier player
   // in the table keeps the trick.
   TrickOpen(3);
   Card* queen = harness.CardFind(RANK_QUEEN, SUIT_HEARTS);
   for (i32 i = 0; i < 4; ++i)
   {
      Seat(i)->HistoryCardSet(0, queen);
   }
   Player* winner = nullptr;
   game.TrickWinnerDetermine(&winner, nullptr);
   ASSERT_NE(winner, nullptr);
   EXPECT_EQ(winner->id, 0);

   // Nobody has played: no winner and no card.
   TrickOpen(0);
   Card* best = queen;
   winner = game.players[0];
   game.TrickWinnerDetermine(&winner, &best);
   EXPECT_EQ(winner, nullptr);
   EXPECT_EQ(best, nullptr);
}

TEST_F(TrickTakingGameTest, TrickQuestionsFollowTheHistories)
{
   game.HandBegin();
   EXPECT_EQ(game.trickIndexCurrent, -1);
   EXPECT_FALSE(game.TrickCompleteCheck()) << "no entries right after the hand begins";
   game.TrickReviewShow();
   EXPECT_EQ(PopupManager::popups.count, 0) << "no review before the first trick";
   EXPECT_EQ(game.TrickLeadCardGet(), nullptr);

   game.playerActiveID = 2;
   game.TrickBegin();
   EXPECT_EQ(game.trickIndexCurrent, 0);
   game.TrickReviewShow();
   EXPECT_EQ(PopupManager::popups.count, 0) << "no review during the first trick";
   EXPECT_EQ(game.TrickLeaderGet(0), game.players[2]);
   EXPECT_EQ(game.TrickLeadCardGet(), nullptr) << "the leader has not played yet";
   TrickCardsGive({"-", "5C", "-", "-"});
   EXPECT_EQ(game.TrickLeadCardGet(), nullptr);
   EXPECT_EQ(game.TrickCardsPlayedCount(), 1);
   TrickCardsGive({"-", "-", "7D", "-"});
   ASSERT_NE(game.TrickLeadCardGet(), nullptr);
   EXPECT_EQ(game.TrickLeadCardGet()->rank, 7);
   EXPECT_FALSE(game.TrickCompleteCheck());
   TrickCardsGive({"9D", "-", "-", "KD"});
   EXPECT_TRUE(game.TrickCompleteCheck());
   EXPECT_TRUE(game.SuitPlayedCheck(SUIT_CLUBS));
   EXPECT_FALSE(game.SuitPlayedCheck(SUIT_HEARTS));
   EXPECT_TRUE(game.CardPlayedCheck(RANK_KING, SUIT_DIAMONDS));
   EXPECT_FALSE(game.CardPlayedCheck(RANK_KING, SUIT_CLUBS));

   game.TrickTake(game.players[3]);
   EXPECT_EQ(game.TrickWinnerGet(0), game.players[3]);
   EXPECT_EQ(Seat(3)->TricksTakenCount(), 1);
   EXPECT_EQ(game.TrickWinnerGet(1), nullptr);
   EXPECT_EQ(game.TrickLeaderGet(-1), nullptr);

   // Outside the history a player counts nothing and answers no.
   EXPECT_EQ(Seat(0)->HistoryCardGet(5), -1);
   EXPECT_FALSE(Seat(0)->HistoryLeaderCheck(5));
   Seat(0)->HistoryCardSet(5, harness.CardFind(RANK_ACE, SUIT_SPADES));
   EXPECT_EQ(Seat(0)->trickHistory.count, 1);
   EXPECT_EQ(game.TrickPointsGet(0), 0) << "no card counts in the base";
   EXPECT_EQ(game.TrickPointsGet(4), 0);
}

TEST_F(TrickTakingGameTest, FollowingSuitAsksTheActivePlayersHand)
{
   TrickOpen(1);
   CardPile* hand = game.PlayerHandGet(game.players[0]);
   harness.CardsPlace(hand, {"2H", "9S"});
   harness.CardsPlace(game.PlayerHandGet(game.players[1]), {"4S"});
   game.playerActiveID = 0;
   EXPECT_TRUE(game.TrickCardFollowsSuitCheck(harness.CardFind(2, SUIT_HEARTS))) << "nothing is led";
   EXPECT_FALSE(game.TrickCardFollowsSuitCheck(harness.CardFind(4, SUIT_SPADES))) << "not in the hand";
   EXPECT_FALSE(game.TrickCardFollowsSuitCheck(nullptr));
   TrickCardsGive({"-", "4S", "-", "-"});
   EXPECT_FALSE(game.TrickCardFollowsSuitCheck(harness.CardFind(2, SUIT_HEARTS)));
   EXPECT_TRUE(game.TrickCardFollowsSuitCheck(harness.CardFind(9, SUIT_SPADES)));
   harness.CardsPlace(game.CardPileGet(CARD_PILE_TYPE_TAKE, -1, 0), {"9S"});
   EXPECT_TRUE(game.TrickCardFollowsSuitCheck(harness.CardFind(2, SUIT_HEARTS))) << "no spade left to follow";
}

TEST_F(TrickTakingGameTest, TrickPilesFollowTheLeaderAndShowOnePlaceToPlay)
{
   auto order = [this]()
   {
      std::vector<i32> owners;
      std::vector<bool> shown;
      for (i32 i = 0; i < game.cardPiles.count; ++i)
      {
         if (game.cardPiles[i]->type == CARD_PILE_TYPE_TRICK)
         {
            owners.push_back(game.cardPiles[i]->ownerID);
         }
      }
      return owners;
   };
   auto visible = [this](i32 owner) { return game.CardPileGet(CARD_PILE_TYPE_TRICK, -1, owner)->visible; };

   game.HandBegin();
   EXPECT_EQ(order(), (std::vector<i32>{0, 1, 2, 3})) << "no leader: the order stands";
   TrickOpen(2);
   EXPECT_EQ(order(), (std::vector<i32>{2, 3, 0, 1}));
   EXPECT_TRUE(visible(2));
   EXPECT_FALSE(visible(3)) << "only the first empty pile shows";

   harness.CardsPlace(game.CardPileGet(CARD_PILE_TYPE_TRICK, -1, 2), {"AH*"});
   game.players[3]->subgameIn = false;
   game.TrickPilesArrange();
   EXPECT_TRUE(visible(2)) << "a pile with a card shows";
   EXPECT_FALSE(visible(3)) << "a player out of the hand has no place";
   EXPECT_TRUE(visible(0));
   EXPECT_FALSE(visible(1));

   // Without a leader (a new hand) the last order stands.
   game.HandBegin();
   EXPECT_EQ(order(), (std::vector<i32>{2, 3, 0, 1}));
   TrickOpen(3);
   EXPECT_EQ(order(), (std::vector<i32>{3, 0, 1, 2}));
}

// One hand of the test game with the human giving random legal cards too; after each trick its
// four cards lie in the winner's Take pile and the winner matches a rule written apart.
void HandPlay(CardGameHarness& harness, TestTrickGame& game, i32 stopAfterTricks = 13)
{
   game.SubgameNew();
   i32 takenChecked = 0;
   for (i32 frame = 0; frame < 40000 && !(game.handsCompleted > 0 && game.actionQueue.count == 0); ++frame)
   {
      if (game.HumanMayActCheck())
      {
         harness.ChoosePost(game.LegalCardRandomGet());
      }
      harness.Frame();
      const i32 finished = game.trickIndexCurrent - (game.TrickWinnerGet(game.trickIndexCurrent) ? 0 : 1);
      if (finished >= takenChecked && game.actionQueue.count == 0)
      {
         const Player* winner = game.TrickWinnerGet(takenChecked);
         ASSERT_NE(winner, nullptr);
         // The independent rule: the highest card of the led suit (ace high), no trumps here.
         const Card* lead =
             game.CardGet(game.TrickPlayerGet(game.PlayerIndexGet(game.TrickLeaderGet(takenChecked)))
                              ->HistoryCardGet(takenChecked));
         ASSERT_NE(lead, nullptr);
         i32 bestID = -1;
         i32 bestRank = 0;
         std::set<i32> trickCards;
         for (i32 p = 0; p < 4; ++p)
         {
            const Card* card = game.CardGet(game.TrickPlayerGet(p)->HistoryCardGet(takenChecked));
            ASSERT_NE(card, nullptr);
            trickCards.insert(card->id);
            const i32 rank = card->rank == RANK_ACE ? 14 : card->rank;
            if (card->suit == lead->suit && rank > bestRank)
            {
               bestRank = rank;
               bestID = p;
            }
         }
         EXPECT_EQ(winner->id, bestID) << "trick " << takenChecked;
         const CardPile* take = game.CardPileGet(CARD_PILE_TYPE_TAKE, -1, winner->id);
         i32 inTake = 0;
         for (i32 id : trickCards)
         {
            inTake += game.CardGet(id)->pile == take ? 1 : 0;
         }
         EXPECT_EQ(inTake, 4) << "trick " << takenChecked;
         takenChecked++;
         if (takenChecked == stopAfterTricks)
         {
            return;
         }
      }
   }
   EXPECT_EQ(takenChecked, 13);
}

TEST_F(TrickTakingGameTest, WholeHandsOverManySeeds)
{
   harness.ConservedEveryFrame();
   for (u32 seed = 1; seed <= 12; ++seed)
   {
      SCOPED_TRACE(seed);
      game.seed1 = seed * 7919u;
      game.seed2 = seed * 104729u;
      game.handsCompleted = 0;
      HandPlay(harness, game);
      ASSERT_EQ(game.handsCompleted, 1);
      ASSERT_TRUE(game.subgameOver);
      std::set<i32> given;
      for (i32 p = 0; p < 4; ++p)
      {
         ASSERT_EQ(game.TrickPlayerGet(p)->trickHistory.count, 13);
         for (i32 t = 0; t < 13; ++t)
         {
            given.insert(game.TrickPlayerGet(p)->HistoryCardGet(t));
         }
      }
      EXPECT_EQ(given.size(), 52u) << "every card given exactly once";
      EXPECT_EQ(given.count(-1), 0u);
      i32 taken = 0;
      for (i32 p = 0; p < 4; ++p)
      {
         taken += game.CardPileGet(CARD_PILE_TYPE_TAKE, -1, p)->cards.count;
         EXPECT_EQ(game.CardPileGet(CARD_PILE_TYPE_TAKE, -1, p)->cards.count,
                   4 * game.TrickPlayerGet(p)->TricksTakenCount());
      }
      EXPECT_EQ(taken, 52);
      game.subgameOver = false;
   }
}

TEST_F(TrickTakingGameTest, MidHandSaveLoadsIntoAFreshGame)
{
   HandPlay(harness, game, 5);
   // Into the sixth trick: two cards given.
   for (i32 frame = 0; frame < 5000 && game.TrickCardsPlayedCount() < 2; ++frame)
   {
      if (game.HumanMayActCheck())
      {
         harness.ChoosePost(game.LegalCardRandomGet());
      }
      harness.Frame();
   }
   ASSERT_TRUE(harness.RunUntilSettled(5000));
   ASSERT_EQ(game.trickIndexCurrent, 5);
   std::vector<i32> trickOrder;
   for (i32 i = 0; i < game.cardPiles.count; ++i)
   {
      if (game.cardPiles[i]->type == CARD_PILE_TYPE_TRICK)
      {
         trickOrder.push_back(game.cardPiles[i]->ownerID);
      }
   }

   // The entered game is left by the round trip: what it held is kept here.
   std::vector<std::vector<i32>> cards(4);
   std::vector<std::vector<bool>> winners(4);
   std::vector<std::string> names;
   for (i32 p = 0; p < 4; ++p)
   {
      for (i32 t = 0; t < game.TrickPlayerGet(p)->trickHistory.count; ++t)
      {
         cards[p].push_back(game.TrickPlayerGet(p)->HistoryCardGet(t));
         winners[p].push_back(game.TrickPlayerGet(p)->HistoryWinnerCheck(t));
      }
      names.push_back(game.players[p]->name ? game.players[p]->name : "");
   }

   TestTrickGame fresh;
   ASSERT_TRUE(harness.RoundTripCheck(&fresh));
   EXPECT_EQ(fresh.trickIndexCurrent, 5);
   std::vector<i32> freshOrder;
   for (i32 i = 0; i < fresh.cardPiles.count; ++i)
   {
      if (fresh.cardPiles[i]->type == CARD_PILE_TYPE_TRICK)
      {
         freshOrder.push_back(fresh.cardPiles[i]->ownerID);
      }
   }
   EXPECT_EQ(freshOrder, trickOrder);
   for (i32 p = 0; p < 4; ++p)
   {
      ASSERT_NE(fresh.TrickPlayerGet(p), nullptr);
      ASSERT_EQ(fresh.TrickPlayerGet(p)->trickHistory.count, 6);
      ASSERT_EQ(cards[p].size(), 6u);
      for (i32 t = 0; t < 6; ++t)
      {
         EXPECT_EQ(fresh.TrickPlayerGet(p)->HistoryCardGet(t), cards[p][t]);
         EXPECT_EQ(fresh.TrickPlayerGet(p)->HistoryWinnerCheck(t), winners[p][t]);
      }
      EXPECT_EQ(fresh.players[p]->name ? fresh.players[p]->name : "", names[p]);
   }

   // The loaded game plays the hand out.
   fresh.handsCompleted = 0;
   for (i32 frame = 0; frame < 40000 && !(fresh.handsCompleted > 0 && fresh.actionQueue.count == 0); ++frame)
   {
      if (fresh.HumanMayActCheck())
      {
         harness.ChoosePost(fresh.LegalCardRandomGet());
      }
      harness.Frame();
   }
   EXPECT_EQ(fresh.handsCompleted, 1);
   EXPECT_TRUE(harness.CardsConservedCheck());
   // fresh goes before the harness.
   harness.Leave();
}
TEST_F(TrickTakingGameTest, DealsFromTheSameSeedWordsMatchWhateverCameBefore)
{
   // The hands after a deal from the seed words, the deal passing from seat 2 to seat 3.
   auto dealHands = [this](TestTrickGame& which)
   {
      which.seed1 = 0xC0FFEEu;
      which.seed2 = 0xBEEFu;
      which.DealerSet(which.players[2]);
      which.SubgameNew();
      for (i32 frame = 0; frame < 5000 && which.CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1)->cards.count > 0;
           ++frame)
      {
         harness.Frame();
      }
      std::vector<std::vector<i32>> hands(4);
      for (i32 p = 0; p < 4; ++p)
      {
         const CardPile* hand = which.PlayerHandGet(which.players[p]);
         for (i32 i = 0; i < hand->cards.count; ++i)
         {
            hands[p].push_back(hand->cards[i]->id);
         }
         EXPECT_EQ(hand->cards.count, 13);
      }
      return hands;
   };
   const std::vector<std::vector<i32>> first = dealHands(game);

   // Another history: part of a hand played, the game saved and loaded into a fresh one (whose
   // cards are made in the saved piles' order), some cards chosen and left selected.
   HandPlay(harness, game, 5);
   TestTrickGame fresh;
   ASSERT_TRUE(harness.RoundTripCheck(&fresh));
   fresh.CardSelectedSet(fresh.PlayerHandGet(fresh.players[1])->cards[0], true);
   fresh.CardPileShuffle(fresh.PlayerHandGet(fresh.players[2]));
   EXPECT_EQ(dealHands(fresh), first);
   for (i32 i = 0; i < fresh.cards.count; ++i)
   {
      EXPECT_FALSE(fresh.cards[i]->selected);
   }
   harness.Leave();
}

TEST_F(TrickTakingGameTest, ALoadedGameSavesWhatItLoadedBetweenTricksAndDuringADeal)
{
   // A trick taken, its cards gone to the winner, the next not begun: all four Trick piles empty
   // and shown, as they stay until the next trick begins.
   game.SubgameNew();
   bool between = false;
   for (i32 frame = 0; frame < 40000 && !between; ++frame)
   {
      if (game.HumanMayActCheck())
      {
         harness.ChoosePost(game.LegalCardRandomGet());
      }
      harness.Frame();
      between = game.trickIndexCurrent >= 0 && game.TrickWinnerGet(game.trickIndexCurrent) &&
                game.CardPilesOfTypeEmpty(CARD_PILE_TYPE_TRICK);
   }
   ASSERT_TRUE(between);
   i32 shown = 0;
   for (i32 p = 0; p < 4; ++p)
   {
      shown += game.CardPileGet(CARD_PILE_TYPE_TRICK, -1, p)->visible ? 1 : 0;
   }
   ASSERT_GT(shown, 1) << "the state asked for: more than the one place to play shown";
   TestTrickGame fresh;
   EXPECT_TRUE(harness.RoundTripCheck(&fresh));

   // The next deal, its Trick piles still in the last leader's order, which a fresh game's table
   // does not have.
   auto firstTrickOwner = [&fresh]()
   {
      for (i32 i = 0; i < fresh.cardPiles.count; ++i)
      {
         if (fresh.cardPiles[i]->type == CARD_PILE_TYPE_TRICK)
         {
            return fresh.cardPiles[i]->ownerID;
         }
      }
      return -1;
   };
   for (i32 hand = 0; hand < 8 && firstTrickOwner() <= 0; ++hand)
   {
      HandPlay(harness, fresh, 13);
      ASSERT_TRUE(harness.RunUntilSettled(5000));
   }
   fresh.SubgameNew();
   ASSERT_GT(firstTrickOwner(), 0);
   TestTrickGame other;
   EXPECT_TRUE(harness.RoundTripCheck(&other));
   harness.Leave();
}

// Passes the turn from its refresh, as Hearts does, so the seat that just played stays the active
// one for a frame; and it asks nothing of the trick history (nor of suits) itself.
class LaxTrickGame : public TestTrickGame
{
 public:
   bool CardPickUpCheck(Card* card) override
   {
      const CardPile* hand = PlayerHandGet(PlayerActiveGet());
      return trickIndexCurrent >= 0 && card && hand && card->pile == hand;
   }

   void CardAddDoneNotify(CardPile* pile, CardPile* oldPile, Card* card) override
   {
      (void)oldPile;
      TrickTakingGamePlayer* active = dynamic_cast<TrickTakingGamePlayer*>(PlayerActiveGet());
      if (pile && pile->type == CARD_PILE_TYPE_TRICK && active)
      {
         card->FaceUpSet(true, true);
         active->HistoryCardSet(trickIndexCurrent, card);
         TrickPilesArrange();
         RefreshMark();
      }
   }

   void Refresh() override
   {
      if (trickIndexCurrent >= 0 && !TrickCompleteCheck())
      {
         if (TrickSeatPlayedCheck(PlayerActiveGet()))
         {
            ActionPlayerAdvancePost();
         }
         return;
      }
      TestTrickGame::Refresh();
   }
};

TEST(TrickTakingGuardTest, ASecondCardFromTheSameSeatInTheNextFrameIsRefused)
{
   struct Case
   {
      const char* what;
      bool drop;
   };
   for (const Case& c : {Case{"chosen", false}, Case{"dropped", true}})
   {
      SCOPED_TRACE(c.what);
      TestTrickGameTypesRegister();
      CardGameHarness harness;
      LaxTrickGame game;
      harness.CardGameEnter(&game, TestTrickGameConsts());
      game.SubgameNew();
      // The human's turn in an open trick.
      for (i32 frame = 0; frame < 20000 && !(game.HumanMayActCheck() && game.trickIndexCurrent >= 0); ++frame)
      {
         harness.Frame();
      }
      ASSERT_TRUE(game.HumanMayActCheck());
      TrickTakingGamePlayer* seat = game.TrickPlayerGet(0);
      CardPile* hand = game.PlayerHandGet(seat);
      CardPile* trick = game.CardPileGet(CARD_PILE_TYPE_TRICK, -1, 0);
      // Two cards of the seat's hand asked for at once (a click and a drop, two quick clicks): the
      // first lands in the next frame, the second a frame later, while the seat is still on turn.
      Card* first = hand->cards[0];
      Card* second = hand->cards[1];
      harness.ChoosePost(first);
      if (c.drop)
      {
         harness.DropPost(trick, second);
      }
      else
      {
         harness.ChoosePost(second);
      }
      harness.Frame();
      ASSERT_EQ(first->pile, trick);
      ASSERT_EQ(game.playerActiveID, 0) << "the turn passes only at the refresh";
      harness.Frame();
      EXPECT_EQ(second->pile, hand);
      EXPECT_EQ(trick->cards.count, 1);
      EXPECT_EQ(seat->HistoryCardGet(game.trickIndexCurrent), first->id);

      // The hand still ends, every card given once.
      for (i32 frame = 0; frame < 40000 && game.handsCompleted == 0; ++frame)
      {
         if (game.HumanMayActCheck() && game.TrickPlayAllowedCheck(seat))
         {
            harness.ChoosePost(game.LegalCardRandomGet());
         }
         harness.Frame();
      }
      EXPECT_EQ(game.handsCompleted, 1);
      EXPECT_TRUE(harness.CardsConservedCheck());
      harness.Leave();
      ReflectionManager::Deinit();
   }
}
} // namespace
} // namespace TestSupport
} // namespace Corvale
