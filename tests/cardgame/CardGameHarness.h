// The game harness for card games: card motion constants, a running hand with the human to act,
// cards placed by rank, suit and face, Commands 16 and 17 posted as card widgets post them, the
// drop decision the pointer path runs, and the check that no card is lost or doubled.
#pragma once

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "cardgame/Card.h"
#include "cardgame/CardGame.h"
#include "cardgame/CardPile.h"
#include "tests/cardgame/GameHarness.h"
#include "tests/core/JSONTestSupport.h"

namespace Corvale
{
namespace TestSupport
{
// Motion constants that make every move take some frames.
constexpr const char* CARD_GAME_HARNESS_CONSTS =
    R"({"CardLinearSpeed": 2000, "CardLinearMoveDurationMax": 200, "CardAngularSpeed": 720,
        "CardFlipDuration": 100, "CardPileTemplates": {}})";

class CardGameHarness : public GameHarness
{
 public:
   CardGameHarness() { CardGlobalConstsSet(CARD_GAME_HARNESS_CONSTS); }
   ~CardGameHarness() { Card::ConstsLoad(nullptr); }

   // The global constants; the cards read their motion from them.
   void CardGlobalConstsSet(const std::string& text)
   {
      GlobalConstsSet(text);
      Card::ConstsLoad(consts);
   }

   // Enters the card game with its constants and starts a hand with the first player (human) to
   // act; decks of 52 cards are made in the first pile.
   void CardGameEnter(CardGame* enteredGame, const std::string& gameConsts, i32 deckCount = 1)
   {
      FileWrite(std::string("Scripts/Minigames/") + enteredGame->GameNameGet() + ".json", gameConsts);
      enteredConsts = gameConsts;
      Enter(enteredGame, 12345, 67890);
      cardGame = enteredGame;
      decks = deckCount;
      cardGame->GameNew();
      if (cardGame->cardPiles.count > 0)
      {
         cardGame->cardPiles[0]->DecksAdd(deckCount);
      }
      cardGame->subgameFirstTurnBegan = true;
      cardGame->refreshPending = false;
   }

   CardPile* Pile(i32 index) { return cardGame->cardPiles[index]; }

   // The nth card (in creation order) of that rank and suit; null when none.
   Card* CardFind(i32 rank, i32 suit, i32 nth = 0)
   {
      for (i32 i = 0; i < cardGame->cards.count; ++i)
      {
         Card* card = cardGame->cards[i];
         if (card->rank == rank && card->suit == suit && nth-- == 0)
         {
            return card;
         }
      }
      return nullptr;
   }

   // Puts the cards, named "AH", "TS", "KD*" (a star: face up), on top of the pile in that
   // order, at once; each is the first of its rank and suit not already placed by this call.
   void CardsPlace(CardPile* pile, const std::vector<std::string>& names)
   {
      static const std::string ranks = "XA23456789TJQK";
      static const std::string suits = "HSDC";
      std::set<Card*> placed;
      for (const std::string& name : names)
      {
         ASSERT_GE(name.size(), 2u) << name;
         const i32 rank = static_cast<i32>(ranks.find(name[0]));
         const i32 suit = static_cast<i32>(suits.find(name[1]));
         Card* card = nullptr;
         for (i32 nth = 0; (card = CardFind(rank, suit, nth)) && placed.count(card); ++nth)
         {
         }
         ASSERT_NE(card, nullptr) << name;
         placed.insert(card);
         pile->CardInsert(pile->cards.count, card);
         card->FaceUpSet(name.size() > 2 && name[2] == '*', false);
      }
      cardGame->CardAnimationsFinish();
   }

   // The pile's cards as "AH*" style names, bottom first.
   static std::string PileText(const CardPile* pile)
   {
      static const char ranks[] = "XA23456789TJQK";
      static const char suits[] = "HSDC";
      std::string text;
      for (i32 i = 0; i < pile->cards.count; ++i)
      {
         const Card* card = pile->cards[i];
         text += text.empty() ? "" : " ";
         text += ranks[card->rank];
         text += suits[card->suit];
         text += card->faceUp ? "*" : "";
      }
      return text;
   }

   // Command 16 as a card widget's choice posts it.
   void ChoosePost(Card* card) { cardGame->CardChooseCommandQueue(card, 0); }
   // Command 17 as a drop posts it.
   void DropPost(CardPile* pile, Card* card) { cardGame->CardDropCommandQueue(pile, card, 0); }

   // What the pointer path does when a card picked up is let go over the pile at point: the drag
   // group (the card alone, or with the cards above it when the game carries them) ends there.
   bool Drop(Card* card, CardPile* target, const Point2F& point)
   {
      card->dragLead = card;
      if (card->pile && cardGame->CardStackPickUpCheck(card))
      {
         for (i32 i = card->pile->CardIndexGet(card) + 1; i < card->pile->cards.count; ++i)
         {
            card->pile->cards[i]->dragLead = card;
         }
      }
      return cardGame->CardDropOnPile(card, target, point);
   }
   bool Drop(Card* card, CardPile* target)
   {
      return Drop(card, target, target ? target->position : Point2F());
   }

   // Every card in exactly one pile that holds it once, its back-link to that pile, unique IDs,
   // and 52 cards for each deck.
   ::testing::AssertionResult CardsConservedCheck()
   {
      std::set<i32> ids;
      std::set<const Card*> seen;
      for (i32 i = 0; i < cardGame->cards.count; ++i)
      {
         const Card* card = cardGame->cards[i];
         if (!ids.insert(card->id).second)
         {
            return ::testing::AssertionFailure() << "card ID " << card->id << " twice";
         }
         if (!card->pile)
         {
            return ::testing::AssertionFailure() << "card " << card->id << " in no pile";
         }
      }
      for (i32 p = 0; p < cardGame->cardPiles.count; ++p)
      {
         const CardPile* pile = cardGame->cardPiles[p];
         for (i32 i = 0; i < pile->cards.count; ++i)
         {
            const Card* card = pile->cards[i];
            if (!seen.insert(card).second)
            {
               return ::testing::AssertionFailure() << "card " << card->id << " held twice";
            }
            if (card->pile != pile)
            {
               return ::testing::AssertionFailure() << "card " << card->id << " links to another pile";
            }
            if (cardGame->cards.Find(const_cast<Card*>(card)) < 0)
            {
               return ::testing::AssertionFailure() << "pile " << pile->id << " holds a card not in the game";
            }
         }
      }
      if (static_cast<i32>(seen.size()) != cardGame->cards.count || cardGame->cards.count != 52 * decks)
      {
         return ::testing::AssertionFailure() << seen.size() << " cards in piles, " << cardGame->cards.count
                                              << " in the game, " << 52 * decks << " expected";
      }
      return ::testing::AssertionSuccess();
   }

   // Runs the conservation check after every frame from now on.
   void ConservedEveryFrame()
   {
      afterFrame = [this]() { EXPECT_TRUE(CardsConservedCheck()) << "after frame " << frames; };
   }

   // Frames until the queue is empty and no card moves; false at the cap.
   bool RunUntilSettled(i32 maxFrames)
   {
      for (i32 i = 0; i < maxFrames; ++i)
      {
         if (cardGame->actionQueue.count == 0 && !cardGame->CardsAnimatingCheck())
         {
            return true;
         }
         Frame();
      }
      return false;
   }

   // The game's document as it saves it now; "<failed>" when the save fails.
   std::string SavedText(CardGame* saved)
   {
      JSONTest::ValuePointer document(JSONValue::New(HEAP_DEFAULT));
      return saved->Save(document.get()) ? JSONTest::TextWrite(document.get()) : std::string("<failed>");
   }

   // The round trip every game's tests run: the game is saved, fresh (a new instance of the same
   // class) is entered with the same constants and a hand of its own, loads the document and is
   // saved again. The two documents must be deep-equal and the loaded game must hold every card
   // once. fresh becomes the harness's game; document keeps what was saved.
   ::testing::AssertionResult RoundTripCheck(CardGame* fresh)
   {
      document.reset(JSONValue::New(HEAP_DEFAULT));
      if (!cardGame->Save(document.get()))
      {
         return ::testing::AssertionFailure() << "the game does not save";
      }
      const std::string first = JSONTest::TextWrite(document.get());
      CardGameEnter(fresh, enteredConsts, decks);
      if (!fresh->Load(document.get()))
      {
         return ::testing::AssertionFailure() << "the fresh game refuses the document";
      }
      const std::string second = SavedText(fresh);
      if (second != first)
      {
         return ::testing::AssertionFailure() << "saved:\n" << first << "\nafter the load:\n" << second;
      }
      return CardsConservedCheck();
   }

   CardGame* cardGame = nullptr;
   i32 decks = 1;
   std::string enteredConsts;
   JSONTest::ValuePointer document;
};
} // namespace TestSupport
} // namespace Corvale
