// Fixtures of the card tests: a card game that counts what cards and piles ask of it, JSON from
// text, and cards made by hand.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "cardgame/Card.h"
#include "cardgame/CardGame.h"
#include "cardgame/CardPile.h"
#include "core/JSONParser.h"
#include "core/JSONValue.h"
#include "core/Memory.h"
#include "tests/TestSupport.h"

namespace CardTest
{
using namespace Corvale;

struct ValueDeleter
{
   void operator()(JSONValue* value) const { MemoryDelete(value); }
};
typedef std::unique_ptr<JSONValue, ValueDeleter> ValuePointer;

inline ValuePointer Parse(const std::string& text)
{
   TestSupport::MemoryFile file(text);
   JSONParser parser;
   return ValuePointer(parser.Parse(&file, HEAP_DEFAULT));
}

// Never entered: it only hands out cards with IDs and counts what the cards and piles ask of it
// through its virtual operations.
class CountingGame : public CardGame
{
 public:
   ~CountingGame() override
   {
      // The constants are the fixture's own.
      constants = nullptr;
      CardsDelete();
   }
   i32 GameNumberGet() override { return 998; }
   const char* GameNameGet() override { return "CountingGame"; }
   i32 PlayersCountGet() override { return 0; }
   i32 PlayersMinimumGet() override { return 0; }
   i32 PlayersMaximumGet() override { return 0; }
   Card* CardCreate(i32 rank, i32 suit) override
   {
      constants = gameConsts.get();
      Card* card = CardGame::CardCreate(rank, suit);
      if (card)
      {
         card->id = nextCardID++;
      }
      return card;
   }
   void CardMoveSoundPlay() override { moveSounds++; }
   void CardPileCardAddedNotify(CardPile*, Card*) override { cardsAdded++; }

   int moveSounds = 0;
   int cardsAdded = 0;
   i32 nextCardID = 0;
   ValuePointer gameConsts;
};

// A card of that rank and suit (letters "H", "S", "D", "C"), not in any game.
struct LooseCards
{
   std::vector<std::unique_ptr<Card>> owned;

   Card* Make(i32 rank, i32 suit)
   {
      owned.emplace_back(new Card);
      owned.back()->rank = rank;
      owned.back()->suit = suit;
      owned.back()->id = static_cast<i32>(owned.size()) - 1;
      return owned.back().get();
   }
};

// "KH" style names: rank A 2-9 T J Q K (X for the joker), suit H S D C.
inline std::string CardName(const Card* card)
{
   static const char ranks[] = "XA23456789TJQK";
   static const char suits[] = "HSDC";
   std::string name;
   name += card->rank >= 0 && card->rank <= 13 ? ranks[card->rank] : '?';
   name += card->suit >= 0 && card->suit <= 3 ? suits[card->suit] : '?';
   return name;
}

inline i32 RankOf(char c)
{
   static const std::string ranks = "XA23456789TJQK";
   return static_cast<i32>(ranks.find(c));
}

inline i32 SuitOf(char c)
{
   static const std::string suits = "HSDC";
   return static_cast<i32>(suits.find(c));
}
} // namespace CardTest
