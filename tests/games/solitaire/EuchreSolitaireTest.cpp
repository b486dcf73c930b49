// Euchre solitaire: the bowers in the beat and follow rules, the hand's score, scripted hands on
// stacked decks (pick-up, pass, the computer's search, the end at 10), and the undo, the one card
// on the trick, a load before trump and the translators' question.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cardgame/Player.h"
#include "core/Log.h"
#include "core/TextManager.h"
#include "platform/input/PlatformKeys.h"
#include "tests/games/solitaire/EuchreSolitaireHarness.h"

namespace Corvale
{
namespace
{
using TestSupport::EuchreSolitaireHarness;

class EuchreSolitaireTest : public ::testing::Test
{
 protected:
   void Enter() { ASSERT_NO_FATAL_FAILURE(harness.Enter(&game)); }

   // A hand of five, the turned-up card and the stock's top cards (the last named on top), with
   // the popup still to come.
   void Deal(const std::vector<std::string>& hand, const std::string& turnUp,
             const std::vector<std::string>& stockTop)
   {
      harness.TableClear();
      PopupManager::Close(&EuchreSolitaireSuitPopup::instance);
      for (i32 i = 0; i < static_cast<i32>(hand.size()); ++i)
      {
         harness.CardsPlace(harness.Hand(i), {hand[i] + "*"});
      }
      harness.CardsPlace(harness.Flip(), {turnUp + "*"});
      harness.CardsPlace(harness.Stock(), stockTop);
      game.trumpIndication = TRUMP_INDICATION_NONE;
      game.playerTurn = true;
      game.aiPlaying = false;
      game.tricksTaken = 0;
      game.doubleStake = false;
      game.roundStart = true;
      game.RefreshMark();
      harness.Settle();
   }

   // Trump and its partner suit set directly, for the rule tables.
   void TrumpSet(i32 suit)
   {
      game.trumpSuit = suit;
      game.secondarySuit = suit == SUIT_HEARTS     ? SUIT_DIAMONDS
                           : suit == SUIT_DIAMONDS ? SUIT_HEARTS
                           : suit == SUIT_SPADES   ? SUIT_CLUBS
                                                   : SUIT_SPADES;
   }

   Card* Named(const std::string& name)
   {
      static const std::string ranks = "XA23456789TJQK";
      static const std::string suits = "HSDC";
      return harness.CardFind(static_cast<i32>(ranks.find(name[0])), static_cast<i32>(suits.find(name[1])));
   }

   // The player's card to the trick by a drop, then everything it sets off.
   bool Play(const std::string& name)
   {
      Card* card = Named(name);
      const bool taken = harness.Drop(card, harness.Foundation());
      harness.Settle();
      return taken;
   }

   EuchreSolitaire game;
   EuchreSolitaireHarness harness;
};

TEST_F(EuchreSolitaireTest, TheBowersBeatEverythingAndTrumpBeatsPlainSuits)
{
   ASSERT_NO_FATAL_FAILURE(Enter());
   TrumpSet(SUIT_HEARTS);
   const struct
   {
      const char* card;
      const char* led;
      bool beats;
   } cases[] = {
       {"JH", "AH", true},  {"AH", "JH", false}, // the right bower, played and led
       {"JD", "AH", true},  {"AH", "JD", false}, // the left bower, played and led
       {"JH", "JD", true},  {"JD", "JH", false}, // right over left
       {"9H", "AS", true},  {"AS", "9H", false}, // trump against plain
       {"KS", "QC", false}, {"AD", "KC", false}, // different plain suits: the card played loses
       {"AS", "KS", true},  {"9S", "AS", false}, // Ace high
       {"KS", "QS", true},  {"TH", "QH", false},
       {"JS", "TS", true},  {"QD", "9D", true}, // the Diamonds are plain apart from their Jack
   };
   for (const auto& c : cases)
   {
      EXPECT_EQ(game.CardBeatsCheck(Named(c.card), Named(c.led)), c.beats) << c.card << " on " << c.led;
   }
}

TEST_F(EuchreSolitaireTest, TheLeftBowerFollowsTrumpAndAVoidHandPlaysAnything)
{
   ASSERT_NO_FATAL_FAILURE(Enter());
   harness.TableClear();
   TrumpSet(SUIT_SPADES);
   // The Jack of Clubs is a Spade here; the hand holds no other Club.
   harness.CardsPlace(harness.Hand(0), {"JC*"});
   harness.CardsPlace(harness.Hand(1), {"AD*"});
   harness.CardsPlace(harness.Hand(2), {"9H*"});
   harness.CardsPlace(harness.Hand(3), {"KD*"});
   const struct
   {
      const char* led;
      const char* card;
      bool allowed;
   } cases[] = {
       {"AS", "JC", true},  {"AS", "AD", false}, // Spades led: the left bower must follow
       {"AC", "JC", true},  {"AC", "AD", true},  // Clubs led: no Club in hand, so anything
       {"QD", "AD", true},  {"QD", "JC", false},
       {"QD", "9H", false}, {"QS", "9H", false}, // trump led: the left bower in hand must follow
       {"", "9H", true},                         // leading: any card
   };
   for (const auto& c : cases)
   {
      CardPile* waste = harness.Waste();
      while (waste->cards.count > 0)
      {
         harness.Stock()->CardInsert(0, waste->CardTopGet());
      }
      if (*c.led)
      {
         waste->CardInsert(0, Named(c.led));
      }
      EXPECT_EQ(game.PlayerMayFollowCheck(Named(c.card)), c.allowed) << c.card << " on " << c.led;
   }
}

TEST_F(EuchreSolitaireTest, TheComputerMayTrumpWhenItCouldFollow)
{
   ASSERT_NO_FATAL_FAILURE(Enter());
   harness.TableClear();
   TrumpSet(SUIT_CLUBS);
   const struct
   {
      const char* led;
      const char* card;
      bool allowed;
   } cases[] = {
       {"AH", "9C", true},  {"AH", "9H", true}, {"AH", "AD", false}, {"AH", "JS", true},
       {"JS", "QS", false}, {"JS", "9C", true}, // the left bower led: trump only
       {"JC", "AS", false}, {"JC", "AC", true}, {"JC", "JS", true},  {"", "9D", true},
   };
   for (const auto& c : cases)
   {
      CardPile* foundation = harness.Foundation();
      while (foundation->cards.count > 0)
      {
         harness.Stock()->CardInsert(0, foundation->CardTopGet());
      }
      if (*c.led)
      {
         foundation->CardInsert(0, Named(c.led));
      }
      EXPECT_EQ(game.ComputerMayFollowCheck(Named(c.card)), c.allowed) << c.card << " on " << c.led;
   }
}

TEST_F(EuchreSolitaireTest, AHandScoresByTricksWithLeftoverCardsCountedForThePlayer)
{
   ASSERT_NO_FATAL_FAILURE(Enter());
   const struct
   {
      i32 tricks;
      i32 leftInHand;
      bool foundationLeft;
      bool doubled;
      i32 player;
      i32 computer;
   } cases[] = {
       {5, 0, false, false, 2, 0},
       {5, 0, false, true, 4, 0},
       {4, 0, false, false, 1, 0},
       {3, 0, false, false, 1, 0},
       {4, 0, false, true, 0, 4},
       {3, 0, false, true, 0, 4},
       {2, 0, false, false, 0, 2},
       {0, 0, false, true, 0, 4},
       {1, 0, false, false, 0, 2},
       // The stock ran out: two cards in hand and one on the trick make five.
       {2, 2, true, false, 2, 0},
       {1, 2, false, false, 1, 0},
       {0, 2, true, true, 0, 4},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(std::to_string(c.tricks) + " tricks, " + std::to_string(c.leftInHand) + " left");
      harness.TableClear();
      const char* hand[] = {"9H", "TH"};
      for (i32 i = 0; i < c.leftInHand; ++i)
      {
         harness.CardsPlace(harness.Hand(i), {std::string(hand[i]) + "*"});
      }
      if (c.foundationLeft)
      {
         harness.CardsPlace(harness.Foundation(), {"AS*"});
      }
      game.tricksTaken = c.tricks;
      game.doubleStake = c.doubled;
      game.playerScore = 3;
      game.aiScore = 4;
      game.HandScore();
      EXPECT_EQ(game.playerScoreChange, c.player);
      EXPECT_EQ(game.aiScoreChange, c.computer);
      EXPECT_EQ(game.playerScore, 3 + c.player);
      EXPECT_EQ(game.aiScore, 4 + c.computer);
      game.ActionQueueClear();
   }
}

TEST_F(EuchreSolitaireTest, TheDealGivesFiveCardsATurnUpAndEighteenToTheComputer)
{
   ASSERT_NO_FATAL_FAILURE(Enter());
   ASSERT_TRUE(harness.EuchreCardsConservedCheck());
   for (i32 i = 0; i < EUCHRE_SOLITAIRE_HAND_SIZE; ++i)
   {
      ASSERT_EQ(harness.Hand(i)->cards.count, 1);
      EXPECT_TRUE(harness.Hand(i)->CardTopGet()->faceUp);
   }
   ASSERT_EQ(harness.Flip()->cards.count, 1);
   EXPECT_TRUE(harness.Flip()->CardTopGet()->faceUp);
   EXPECT_EQ(harness.Stock()->cards.count, 18);
   for (i32 i = 0; i < game.cards.count; ++i)
   {
      const i32 rank = game.cards[i]->rank;
      EXPECT_TRUE(rank == RANK_ACE || rank >= RANK_NINE) << rank;
   }
   EXPECT_TRUE(EuchreSolitaireHarness::SuitPopupOpenCheck());
   EXPECT_FALSE(game.roundStart);
   EXPECT_EQ(game.roundIndex, 0);
   EXPECT_TRUE(game.playerTurn);
   EXPECT_EQ(game.trumpIndication, TRUMP_INDICATION_NONE);
}

TEST_F(EuchreSolitaireTest, APickUpPutsTheTurnUpOnTheWasteAndThePlayersCardIsJudgedAsLed)
{
   ASSERT_NO_FATAL_FAILURE(Enter());
   // Both plain suits' tops sit in the stock; the computer never answers this trick from it.
   Deal({"KH", "9S", "AC", "TD", "QS"}, "AH", {"9D"});
   ASSERT_NO_FATAL_FAILURE(harness.TrumpAnswer(true, -1, false));
   EXPECT_EQ(game.trumpSuit, SUIT_HEARTS);
   EXPECT_EQ(game.trumpIndication, TRUMP_INDICATION_HEARTS);
   EXPECT_EQ(game.secondarySuit, SUIT_DIAMONDS);
   EXPECT_EQ(harness.PileText(harness.Waste()), "AH*");
   EXPECT_EQ(harness.Flip()->cards.count, 0);
   // Trump was turned: the King of Hearts must answer it; as the card led it loses to the Ace.
   EXPECT_FALSE(game.CardDropCheck(harness.Foundation(), Named("AC")));
   ASSERT_TRUE(Play("KH"));
   EXPECT_EQ(game.tricksTaken, 0);
   EXPECT_FALSE(game.playerTurn);
   EXPECT_EQ(harness.Discard()->cards.count, 2);
   // The computer won and leads its stock's top card.
   EXPECT_EQ(harness.PileText(harness.Waste()), "9D*");
   EXPECT_TRUE(game.CardDropCheck(harness.Foundation(), Named("TD")));
   EXPECT_FALSE(game.CardDropCheck(harness.Foundation(), Named("AC")));
   ASSERT_TRUE(Play("TD"));
   EXPECT_EQ(game.tricksTaken, 1);
   EXPECT_TRUE(game.playerTurn);
   EXPECT_TRUE(harness.EuchreCardsConservedCheck());
}

TEST_F(EuchreSolitaireTest, APassDiscardsTheTurnUpAndItsSuitCannotBeNamed)
{
   ASSERT_NO_FATAL_FAILURE(Enter());
   Deal({"KH", "9S", "AC", "TD", "QS"}, "AH", {});
   EuchreSolitaireSuitPopup& popup = EuchreSolitaireSuitPopup::instance;
   popup.Pass();
   // The suit passed is refused; another suit is taken, doubled.
   popup.SuitChoose(SUIT_HEARTS);
   EXPECT_EQ(game.trumpIndication, TRUMP_INDICATION_NONE);
   EXPECT_FALSE(popup.closing);
   EXPECT_TRUE(game.TrumpSuitChoose(SUIT_CLUBS, true));
   EXPECT_FALSE(game.TrumpSuitChoose(SUIT_SPADES, false)) << "trump is named once a hand";
   harness.Settle();
   EXPECT_EQ(game.trumpSuit, SUIT_CLUBS);
   EXPECT_EQ(game.secondarySuit, SUIT_SPADES);
   EXPECT_TRUE(game.doubleStake);
   EXPECT_EQ(harness.PileText(harness.Discard()), "AH*");
   EXPECT_EQ(harness.Waste()->cards.count, 0);
   // The turned card is gone for good: an undo does not bring it back.
   EXPECT_FALSE(harness.UndoPress() && harness.Flip()->cards.count > 0);
   EXPECT_EQ(harness.Flip()->cards.count, 0);
}

TEST_F(EuchreSolitaireTest, TheComputerSearchesItsStockAndRunsOutIntoTheScore)
{
   ASSERT_NO_FATAL_FAILURE(Enter());
   Deal({"KH", "9S", "AC", "TD", "QS"}, "9H", {});
   // Everything but the hand out of the stock, then a stock of four with no answer to a Club.
   while (harness.Stock()->cards.count > 0)
   {
      harness.Discard()->CardInsert(0, harness.Stock()->CardTopGet());
   }
   harness.CardsPlace(harness.Stock(), {"QD", "KD", "9D"});
   ASSERT_NO_FATAL_FAILURE(harness.TrumpAnswer(false, SUIT_SPADES, false));
   ASSERT_TRUE(Play("AC"));
   // No Club, no Spade and no left bower: all three turned over, then the hand is scored with
   // the trick on the table and the four cards left counted for the player.
   EXPECT_EQ(harness.Stock()->cards.count, 0);
   EXPECT_EQ(harness.PileText(harness.Flip()), "9D* KD* QD*");
   EXPECT_EQ(game.tricksTaken, 5);
   EXPECT_EQ(game.playerScoreChange, 2);
   EXPECT_TRUE(EuchreSolitaireHarness::ResultsOpenCheck());
   EXPECT_TRUE(game.subgameOver);
   // The results' button deals the next hand.
   ASSERT_NO_FATAL_FAILURE(harness.ResultsContinue());
   EXPECT_EQ(game.roundIndex, 1);
   EXPECT_EQ(game.playerScore, 2);
   EXPECT_EQ(harness.Stock()->cards.count, 18);
   EXPECT_TRUE(EuchreSolitaireHarness::SuitPopupOpenCheck());
   EXPECT_TRUE(harness.EuchreCardsConservedCheck());
}

TEST_F(EuchreSolitaireTest, TheComputerAnswersWithTheFirstCardThatMayFollow)
{
   ASSERT_NO_FATAL_FAILURE(Enter());
   // From the top: a Diamond (no), the Queen of Hearts (follows), then the rest.
   Deal({"KH", "9S", "AC", "TD", "QS"}, "9C", {"AS", "QH", "9D"});
   ASSERT_NO_FATAL_FAILURE(harness.TrumpAnswer(false, SUIT_SPADES, false));
   ASSERT_TRUE(Play("KH"));
   EXPECT_EQ(harness.PileText(harness.Flip()), "9D*");
   EXPECT_EQ(game.tricksTaken, 1) << "the King beats the Queen of the suit led";
   EXPECT_TRUE(game.playerTurn);
   EXPECT_EQ(harness.Stock()->CardTopGet(), Named("AS"));
}

TEST_F(EuchreSolitaireTest, TheGameEndsAtTenWithThePlayerTestedFirst)
{
   const struct
   {
      i32 player;
      i32 computer;
      bool doubled;
      i32 result;
   } cases[] = {
       {8, 9, false, MINIGAME_RESULT_WON}, // five tricks: 10 for the player
       {9, 9, true, MINIGAME_RESULT_WON},  // both past 10 is the player's win
       {2, 7, true, MINIGAME_RESULT_WON},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(c.player);
      ASSERT_NO_FATAL_FAILURE(Enter());
      Deal({"KH", "9S", "AC", "TD", "QS"}, "9H", {});
      while (harness.Stock()->cards.count > 0)
      {
         harness.Discard()->CardInsert(0, harness.Stock()->CardTopGet());
      }
      harness.CardsPlace(harness.Stock(), {"QD"});
      game.playerScore = c.player;
      game.aiScore = c.computer;
      ASSERT_NO_FATAL_FAILURE(harness.TrumpAnswer(false, SUIT_SPADES, c.doubled));
      ASSERT_TRUE(Play("AC"));
      EXPECT_EQ(game.gameResult, c.doubled && c.player < 6 ? MINIGAME_RESULT_RUNNING : c.result);
      if (game.gameResult == MINIGAME_RESULT_WON)
      {
         EXPECT_EQ(game.players[0]->minigameScore, game.playerScore);
         EXPECT_TRUE(EuchreSolitaireHarness::ResultsOpenCheck());
         // The results' button starts a new game.
         ASSERT_NO_FATAL_FAILURE(harness.ResultsContinue());
         EXPECT_EQ(game.playerScore, 0);
         EXPECT_EQ(game.roundIndex, 0);
      }
   }
   // The computer reaching 10 ends the game unwon.
   ASSERT_NO_FATAL_FAILURE(Enter());
   Deal({"KH", "9S", "AC", "TD", "QS"}, "9H", {});
   while (harness.Stock()->cards.count > 1)
   {
      harness.Discard()->CardInsert(0, harness.Stock()->cards[0]);
   }
   game.aiScore = 8;
   ASSERT_NO_FATAL_FAILURE(harness.TrumpAnswer(false, SUIT_SPADES, false));
   game.tricksTaken = 0;
   for (i32 i = 0; i < EUCHRE_SOLITAIRE_HAND_SIZE; ++i)
   {
      harness.Discard()->CardInsert(0, harness.Hand(i)->CardTopGet());
   }
   game.HandScore();
   harness.Settle();
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_DRAWN);
   EXPECT_EQ(game.aiScore, 10);
   EXPECT_TRUE(EuchreSolitaireHarness::ResultsOpenCheck());
}

TEST_F(EuchreSolitaireTest, AnUndoTakesTheWholeTrickBackWithItsCountAndTurn)
{
   ASSERT_NO_FATAL_FAILURE(Enter());
   Deal({"KH", "9S", "AC", "TD", "QS"}, "9C", {"AS", "QH", "9D", "AD"});
   ASSERT_NO_FATAL_FAILURE(harness.TrumpAnswer(false, SUIT_SPADES, false));
   // The computer wins this one with a trump and leads the Nine of Diamonds.
   const std::string before = TestSupport::FinalDocumentGet(game);
   ASSERT_TRUE(Play("TD"));
   ASSERT_FALSE(game.playerTurn);
   EXPECT_EQ(game.tricksTaken, 0);
   ASSERT_TRUE(harness.UndoPress());
   EXPECT_EQ(TestSupport::FinalDocumentGet(game), before);
   // The same by the keyboard, after a trick the player wins.
   ASSERT_TRUE(Play("KH"));
   ASSERT_EQ(game.tricksTaken, 1);
   harness.KeyPress(VK_LCONTROL);
   harness.KeyPress('Z');
   harness.Frame();
   harness.KeyRelease(VK_LCONTROL);
   harness.KeyRelease('Z');
   harness.Settle();
   EXPECT_EQ(TestSupport::FinalDocumentGet(game), before);
}

TEST_F(EuchreSolitaireTest, TheTrickTakesOneCardFromThePlayer)
{
   ASSERT_NO_FATAL_FAILURE(Enter());
   Deal({"KH", "9S", "AC", "TD", "QS"}, "9C", {"AS", "QH"});
   ASSERT_NO_FATAL_FAILURE(harness.TrumpAnswer(false, SUIT_DIAMONDS, false));
   ASSERT_TRUE(harness.Drop(Named("KH"), harness.Foundation()));
   for (i32 i = 0; i < 100 && harness.Foundation()->cards.count == 0; ++i)
   {
      harness.Frame();
   }
   ASSERT_EQ(harness.Foundation()->CardTopGet(), Named("KH"));
   // Before the trick is resolved, the next card is refused.
   EXPECT_FALSE(game.CardDropCheck(harness.Foundation(), Named("9S")));
   EXPECT_FALSE(harness.Drop(Named("9S"), harness.Foundation()));
   harness.Settle();
   EXPECT_EQ(harness.Hand(1)->CardTopGet(), Named("9S"));
   EXPECT_TRUE(harness.EuchreCardsConservedCheck());
}

TEST_F(EuchreSolitaireTest, AGameSavedBeforeTrumpAsksForItAgainAfterTheLoad)
{
   ASSERT_NO_FATAL_FAILURE(Enter());
   ASSERT_TRUE(EuchreSolitaireHarness::SuitPopupOpenCheck());
   JSONTest::ValuePointer saved(JSONValue::New(HEAP_DEFAULT));
   ASSERT_TRUE(game.Save(saved.get()));
   EuchreSolitaire fresh;
   const TestSupport::GameLeaveOnExit leave{harness};
   ASSERT_NO_FATAL_FAILURE(harness.Enter(&fresh, 5, 6));
   PopupManager::Close(&EuchreSolitaireSuitPopup::instance);
   ASSERT_TRUE(fresh.Load(saved.get()));
   harness.Settle();
   EXPECT_TRUE(EuchreSolitaireHarness::SuitPopupOpenCheck());
   EXPECT_FALSE(fresh.roundStart);
   // Trump chosen and saved again: the load keeps the table as it was.
   ASSERT_NO_FATAL_FAILURE(harness.TrumpAnswer(true, -1, false));
   saved.reset(JSONValue::New(HEAP_DEFAULT));
   ASSERT_TRUE(fresh.Save(saved.get()));
   const std::string first = harness.SavedText(&fresh);
   ASSERT_NO_FATAL_FAILURE(harness.Enter(&game));
   ASSERT_TRUE(game.Load(saved.get()));
   EXPECT_EQ(harness.SavedText(&game), first);
   EXPECT_FALSE(game.roundStart);
   EXPECT_TRUE(harness.EuchreCardsConservedCheck());
}

TEST_F(EuchreSolitaireTest, TheQuestionIsAFormatWithOneSuitNameOrTheNameAlone)
{
   const struct
   {
      const char* format;
      const char* shown;
      bool logged;
   } cases[] = {
       {"Make %s trump?", "Make Clubs trump?", false},
       {"100%% %s", "100% Clubs", false},
       {"%d trump?", "Clubs", true},
       {"%s or %s?", "Clubs", true},
       {"%s at %n", "Clubs", true},
       {"No suit", "Clubs", true},
   };
   static u32 language = 0;
   for (const auto& c : cases)
   {
      SCOPED_TRACE(c.format);
      textManager.Deinit();
      harness.FileWrite("Text/English/Text.json",
                        std::string("{\"CardSuitClubs\": \"Clubs\", \"EuchreCallTrump\": \"") + c.format +
                            "\"}");
      textManager.LanguageSet(&language);
      textManager.FileNameAppend("Text");
      textManager.Init();
      textManager.OnLanguageChange();
      TestSupport::MemoryFile log;
      LogFileSet(&log);
      char line[EUCHRE_CALL_TRUMP_TEXT_SIZE];
      EuchreSolitaireSuitPopup::CallTrumpTextFormat(SUIT_CLUBS, line, sizeof(line));
      LogFileSet(nullptr);
      EXPECT_STREQ(line, c.shown);
      const std::string expected = "EuchreSolitaireSuitPopup::CallTrumpTextFormat -- text "
                                   "\"EuchreCallTrump\" is not a format with one %s\n";
      EXPECT_EQ(log.text.find(expected) != std::string::npos, c.logged) << log.text;
      EXPECT_EQ(log.text.find('\n') == log.text.rfind('\n'), true) << "one line at most";
   }
   textManager.Deinit();
}
} // namespace
} // namespace Corvale
