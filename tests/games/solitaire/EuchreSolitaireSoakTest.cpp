// Euchre solitaire, seeded games to the end: a random player answers the trump popup and plays
// legal and refused cards; a judge of its own, written from the rules, foretells each trick's
// answer, winner and turn, each hand's score and the game's end from the table before the move.
// The 24 cards are conserved every frame; one game in ten is saved at a random step, loaded into
// a freshly entered game and played on to the same final document.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "tests/games/solitaire/EuchreSolitaireHarness.h"

namespace Corvale
{
namespace
{
using TestSupport::EuchreSolitaireHarness;

#if defined(__SANITIZE_ADDRESS__)
constexpr i32 GAME_COUNT = 100;
#else
constexpr i32 GAME_COUNT = 1000;
#endif
constexpr i32 STEP_CAP = 2000;

struct Seen
{
   i32 rank;
   i32 suit;
};

// The rules as a player of euchre states them, with no help from the game.
struct EuchreJudge
{
   i32 trump = -1;

   i32 Partner() const { return trump ^ 2; }
   bool Left(const Seen& c) const { return c.rank == RANK_JACK && c.suit == Partner(); }
   bool Right(const Seen& c) const { return c.rank == RANK_JACK && c.suit == trump; }
   i32 Effective(const Seen& c) const { return Left(c) ? trump : c.suit; }
   // Trump order: right bower, left bower, Ace, King, Queen, Ten, Nine; plain suits Ace high.
   i32 Strength(const Seen& c) const
   {
      if (Right(c))
      {
         return 100;
      }
      if (Left(c))
      {
         return 99;
      }
      return c.rank == RANK_ACE ? 14 : c.rank;
   }
   bool Beats(const Seen& card, const Seen& led) const
   {
      const bool cardTrump = Effective(card) == trump;
      const bool ledTrump = Effective(led) == trump;
      if (cardTrump != ledTrump)
      {
         return cardTrump;
      }
      if (!cardTrump && card.suit != led.suit)
      {
         return false;
      }
      return Strength(card) > Strength(led);
   }
   bool ComputerMay(const Seen& card, const Seen& led) const
   {
      return Effective(card) == trump || Effective(card) == Effective(led);
   }
};

Seen SeenOf(const Card* card)
{
   return {card->rank, card->suit};
}

std::string CardText(const Card* card)
{
   return card ? std::to_string(card->rank) + "/" + std::to_string(card->suit) : "none";
}

class EuchreSoak
{
 public:
   EuchreSoak(EuchreSolitaireHarness& harnessUsed, std::mt19937& randomUsed)
       : harness(harnessUsed), random(randomUsed)
   {
   }

   EuchreSolitaire* Game() { return harness.euchre; }

   std::vector<Card*> HandGet()
   {
      std::vector<Card*> hand;
      for (i32 i = 0; i < EUCHRE_SOLITAIRE_HAND_SIZE; ++i)
      {
         if (Card* top = harness.Hand(i)->CardTopGet())
         {
            hand.push_back(top);
         }
      }
      return hand;
   }

   bool PlayerMay(const Card* card, const std::vector<Card*>& hand)
   {
      const Card* led = harness.Waste()->CardTopGet();
      if (!led)
      {
         return true;
      }
      const i32 ledSuit = judge.Effective(SeenOf(led));
      if (judge.Effective(SeenOf(card)) == ledSuit)
      {
         return true;
      }
      for (const Card* held : hand)
      {
         if (judge.Effective(SeenOf(held)) == ledSuit)
         {
            return false;
         }
      }
      return true;
   }

   // The popup: pick up or pass, a suit other than the turned-up one, doubled or not.
   bool TrumpStep()
   {
      EuchreSolitaire* game = Game();
      const Card* turnUp = harness.Flip()->CardTopGet();
      EXPECT_NE(turnUp, nullptr);
      if (!turnUp)
      {
         return false;
      }
      const i32 turnUpSuit = turnUp->suit;
      const bool pickUp = random() % 2 == 0;
      const bool doubled = random() % 3 == 0;
      i32 suit = turnUpSuit;
      if (!pickUp)
      {
         suit = (turnUpSuit + 1 + static_cast<i32>(random() % 3)) % 4;
      }
      harness.TrumpAnswer(pickUp, suit, doubled);
      judge.trump = suit;
      EXPECT_EQ(game->trumpSuit, suit);
      EXPECT_EQ(game->doubleStake, doubled);
      doubleStake = doubled;
      // Picked up, the card is the one to answer; passed, it is out of play.
      EXPECT_EQ((pickUp ? harness.Waste() : harness.Discard())->CardTopGet(), turnUp);
      return !::testing::Test::HasFailure();
   }

   // The expected end of the hand: the points from the tricks as the rules count them.
   void HandScoreExpect(i32 tricks)
   {
      EuchreSolitaire* game = Game();
      i32 player = 0;
      i32 computer = 0;
      if (tricks >= 5)
      {
         player = doubleStake ? 4 : 2;
      }
      else if (tricks >= 3)
      {
         (doubleStake ? computer : player) = doubleStake ? 4 : 1;
      }
      else
      {
         computer = doubleStake ? 4 : 2;
      }
      playerScore += player;
      aiScore += computer;
      EXPECT_EQ(game->tricksTaken, tricks);
      EXPECT_EQ(game->playerScoreChange, player);
      EXPECT_EQ(game->aiScoreChange, computer);
      EXPECT_EQ(game->playerScore, playerScore);
      EXPECT_EQ(game->aiScore, aiScore);
      const i32 result = playerScore >= 10 ? MINIGAME_RESULT_WON
                         : aiScore >= 10   ? MINIGAME_RESULT_DRAWN
                                           : MINIGAME_RESULT_RUNNING;
      EXPECT_EQ(game->gameResult, result);
      EXPECT_TRUE(EuchreSolitaireHarness::ResultsOpenCheck());
      handsScored++;
   }

   // One card of the player's, foretold and then judged.
   bool PlayStep()
   {
      EuchreSolitaire* game = Game();
      std::vector<Card*> hand = HandGet();
      EXPECT_FALSE(hand.empty());
      if (hand.empty())
      {
         return false;
      }
      std::vector<Card*> legal;
      for (Card* card : hand)
      {
         const bool may = PlayerMay(card, hand);
         EXPECT_EQ(game->CardPickUpCheck(card), true);
         EXPECT_EQ(game->CardDropCheck(harness.Foundation(), card), may) << CardText(card);
         if (may)
         {
            legal.push_back(card);
         }
      }
      if (legal.size() < hand.size() && random() % 8 == 0)
      {
         // A card that may not follow is refused and changes nothing.
         Card* refused = nullptr;
         for (Card* card : hand)
         {
            if (!PlayerMay(card, hand))
            {
               refused = card;
            }
         }
         CardPile* before = refused->pile;
         EXPECT_FALSE(harness.Drop(refused, harness.Foundation()));
         harness.Settle();
         EXPECT_EQ(refused->pile, before);
         EXPECT_EQ(harness.Foundation()->cards.count, 0);
         return !::testing::Test::HasFailure();
      }
      Card* card = legal[random() % legal.size()];
      if (greedy && random() % 4 != 0)
      {
         // The strongest card: games where the player reaches 10 as well.
         for (Card* other : legal)
         {
            if (Rank(other) > Rank(card))
            {
               card = other;
            }
         }
      }
      // Foretell: who answers with what, who wins, and whether the hand ends.
      const bool playerLeads = game->playerTurn;
      const Card* waiting = harness.Waste()->CardTopGet();
      std::vector<Card*> stock;
      for (i32 i = harness.Stock()->cards.count - 1; i >= 0; --i)
      {
         stock.push_back(harness.Stock()->cards[i]);
      }
      const i32 flipBefore = harness.Flip()->cards.count;
      i32 tricks = game->tricksTaken;
      const i32 leftInHand = static_cast<i32>(hand.size()) - 1;
      size_t taken = 0;
      const Card* answer = waiting;
      i32 passedOver = 0;
      if (!answer)
      {
         while (taken < stock.size() && !judge.ComputerMay(SeenOf(stock[taken]), SeenOf(card)))
         {
            taken++;
            passedOver++;
         }
         answer = taken < stock.size() ? stock[taken] : nullptr;
         taken += answer ? 1 : 0;
      }
      const std::string text = CardText(card);
      if (random() % 4 == 0)
      {
         harness.ChoosePost(card);
      }
      else
      {
         EXPECT_TRUE(harness.Drop(card, harness.Foundation()));
      }
      harness.Settle();
      EXPECT_EQ(harness.Flip()->cards.count, flipBefore + passedOver) << text;
      if (!answer)
      {
         // The stock ran out: the card on the trick and the hand's cards count for the player.
         HandScoreExpect(tricks + 1 + leftInHand);
         return !::testing::Test::HasFailure();
      }
      const bool playerWins = playerLeads ? !judge.Beats(SeenOf(answer), SeenOf(card))
                                          : judge.Beats(SeenOf(card), SeenOf(answer));
      tricks += playerWins ? 1 : 0;
      EXPECT_EQ(answer->pile, harness.Discard()) << text;
      EXPECT_EQ(card->pile, harness.Discard()) << text;
      const bool stockEmpty = taken >= stock.size();
      if (stockEmpty || leftInHand == 0)
      {
         HandScoreExpect(tricks + (stockEmpty ? leftInHand : 0));
         return !::testing::Test::HasFailure();
      }
      EXPECT_EQ(game->tricksTaken, tricks) << text;
      EXPECT_EQ(game->playerTurn, playerWins) << text;
      // The computer leads its next card when it took the trick.
      EXPECT_EQ(harness.Waste()->CardTopGet(), playerWins ? nullptr : stock[taken]) << text;
      return !::testing::Test::HasFailure();
   }

   i32 Rank(const Card* card) const
   {
      return judge.Strength(SeenOf(card)) + (judge.Effective(SeenOf(card)) == judge.trump ? 200 : 0);
   }

   // One step of the player; false once the test has failed.
   bool Step()
   {
      EuchreSolitaire* game = Game();
      if (EuchreSolitaireHarness::ResultsOpenCheck())
      {
         if (game->gameResult != MINIGAME_RESULT_RUNNING)
         {
            finished = true;
            return true;
         }
         harness.ResultsContinue();
         return !::testing::Test::HasFailure();
      }
      if (EuchreSolitaireHarness::SuitPopupOpenCheck())
      {
         return TrumpStep();
      }
      // Now and then a trick taken back and played again: the table returns exactly.
      if (undoing && random() % 20 == 0 && harness.Foundation()->cards.count == 0)
      {
         const std::string before = TestSupport::FinalDocumentGet(*game);
         const i32 scored = handsScored;
         std::mt19937 saved = random;
         EuchreJudge judgeSaved = judge;
         const i32 playerSaved = playerScore;
         const i32 aiSaved = aiScore;
         if (!PlayStep())
         {
            return false;
         }
         // A refused card left nothing to take back.
         if (handsScored == scored && TestSupport::FinalDocumentGet(*game) != before)
         {
            EXPECT_TRUE(harness.UndoPress());
            EXPECT_EQ(TestSupport::FinalDocumentGet(*game), before);
            random = saved;
            judge = judgeSaved;
            playerScore = playerSaved;
            aiScore = aiSaved;
         }
         return !::testing::Test::HasFailure();
      }
      return PlayStep();
   }

   // The game to its end, or to its step stopAt (stopped set); false when stuck or failed.
   bool Play(i32 stopAt, bool* stopped)
   {
      for (i32 step = 0; step < STEP_CAP; ++step)
      {
         if (finished)
         {
            return true;
         }
         if (step == stopAt && !EuchreSolitaireHarness::ResultsOpenCheck())
         {
            *stopped = true;
            return true;
         }
         if (!Step())
         {
            return false;
         }
      }
      ADD_FAILURE() << "no end after " << STEP_CAP << " steps";
      return false;
   }

   EuchreSolitaireHarness& harness;
   std::mt19937& random;
   EuchreJudge judge;
   bool doubleStake = false;
   bool undoing = true;
   bool greedy = false;
   bool finished = false;
   i32 playerScore = 0;
   i32 aiScore = 0;
   i32 handsScored = 0;
};

TEST(EuchreSolitaireSoak, SeededGamesEndByTheRulesWithTheCardsConserved)
{
   EuchreSolitaireHarness harness;
   EuchreSolitaire game;
   const TestSupport::GameLeaveOnExit leaveGame{harness};
   ASSERT_NO_FATAL_FAILURE(harness.Enter(&game));
   harness.afterFrame = [&harness]()
   { EXPECT_TRUE(harness.EuchreCardsConservedCheck()) << "after frame " << harness.frames; };
   harness.frameMilliseconds = 250;
   i32 wins = 0;
   i32 reloads = 0;
   i32 hands = 0;
   const auto start = std::chrono::steady_clock::now();
   for (i32 seed = 1; seed <= GAME_COUNT && !::testing::Test::HasFailure(); ++seed)
   {
      SCOPED_TRACE(seed);
      const bool reloaded = seed % 10 == 0;
      std::mt19937 random(static_cast<u32>(seed));
      auto begin = [&](EuchreSolitaire& which)
      {
         which.seed1 = static_cast<u32>(seed) * 7919u;
         which.seed2 = static_cast<u32>(seed) * 104729u;
         which.GameNew();
         // The computer takes most hands from a random player: one game in four starts the
         // player near 10, so that the player's wins come too.
         which.playerScore = seed % 4 == 1 ? 8 : 0;
         harness.Settle();
         random.seed(static_cast<u32>(seed));
      };
      ASSERT_NO_FATAL_FAILURE(begin(game));
      EuchreSoak soak(harness, random);
      soak.playerScore = game.playerScore;
      soak.undoing = !reloaded;
      soak.greedy = seed % 2 == 0;
      ASSERT_TRUE(soak.Play(-1, nullptr));
      wins += game.gameResult == MINIGAME_RESULT_WON;
      hands += soak.handsScored;
      if (!reloaded)
      {
         continue;
      }
      // The same game again, saved part-way, loaded into a fresh game and played on.
      const std::string uninterrupted = TestSupport::FinalDocumentGet(game);
      ASSERT_NO_FATAL_FAILURE(begin(game));
      EuchreSoak first(harness, random);
      first.playerScore = game.playerScore;
      first.undoing = false;
      first.greedy = soak.greedy;
      bool stopped = false;
      const i32 stopAt = 1 + static_cast<i32>((static_cast<u32>(seed) * 7919u) % 40);
      ASSERT_TRUE(first.Play(stopAt, &stopped));
      if (!stopped)
      {
         continue;
      }
      JSONTest::ValuePointer saved(JSONValue::New(HEAP_DEFAULT));
      ASSERT_TRUE(game.Save(saved.get()));
      {
         EuchreSolitaire fresh;
         const TestSupport::GameLeaveOnExit leaveFresh{harness};
         ASSERT_NO_FATAL_FAILURE(harness.Enter(&fresh, 99, 98));
         PopupManager::Close(&EuchreSolitaireSuitPopup::instance);
         ASSERT_TRUE(fresh.Load(saved.get()));
         harness.Settle();
         EuchreSoak rest(harness, random);
         rest.undoing = false;
         rest.greedy = first.greedy;
         rest.judge = first.judge;
         rest.doubleStake = first.doubleStake;
         rest.playerScore = first.playerScore;
         rest.aiScore = first.aiScore;
         ASSERT_TRUE(rest.Play(-1, nullptr)) << "the loaded game got stuck";
         EXPECT_EQ(TestSupport::FinalDocumentGet(fresh), uninterrupted);
         reloads++;
      }
      ASSERT_NO_FATAL_FAILURE(harness.Enter(&game));
   }
   EXPECT_GE(reloads, GAME_COUNT / 20);
   const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
   std::printf("%d games, %d won, %d hands, %d reloads, %.1f games per second\n", GAME_COUNT, wins, hands,
               reloads, GAME_COUNT / seconds);
}
} // namespace
} // namespace Corvale
