// A small card game for the framework's tests: piles from its constants, one full deck dealt by
// the harness, and move rules a test sets as functions. It journals the notifications it gets.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cardgame/Card.h"
#include "cardgame/FrontendBasedCardGame.h"
#include "cardgame/CardPile.h"

namespace Corvale
{
namespace TestSupport
{
class TestCardGame : public FrontendBasedCardGame
{
 public:
   i32 GameNumberGet() override { return 997; }
   const char* GameNameGet() override { return "TestCardGame"; }
   i32 PlayersCountGet() override { return playerCount; }
   i32 PlayersMinimumGet() override { return 1; }
   i32 PlayersMaximumGet() override { return playerCount; }
   // No layer headless; the window tests name theirs.
   const char* LayerNameGet() override { return layerName; }

   void Init() override
   {
      nextCardPileID = 0;
      FrontendBasedCardGame::Init();
   }
   void GameNew() override
   {
      nextCardID = 0;
      FrontendBasedCardGame::GameNew();
   }

   bool CardChooseOnClickCheck(Card* card) override { return chooseOnClick ? chooseOnClick(card) : false; }
   bool CardPickUpCheck(Card* card) override { return pickUp ? pickUp(card) : false; }
   bool CardStackPickUpCheck(Card* card) override { return stackPickUp ? stackPickUp(card) : false; }
   bool CardDropCheck(CardPile* pile, Card* card) override { return drop ? drop(pile, card) : false; }
   bool CardInsertCheck(CardPile* pile, i32 index, Card* card) override
   {
      return insert ? insert(pile, index, card) : false;
   }
   void CardInsertDoneNotify(CardPile* pile, i32 index, CardPile*, Card*) override
   {
      journal.push_back("inserted " + std::to_string(pile->id) + "@" + std::to_string(index));
   }
   void CardAddDoneNotify(CardPile* pile, CardPile*, Card*) override
   {
      journal.push_back("added " + std::to_string(pile->id));
   }
   void CardStackAddDoneNotify(CardPile* pile, CardPile*, Card*) override
   {
      journal.push_back("stacked " + std::to_string(pile->id));
   }
   void CardDropRefusedNotify(CardPile* pile, CardPile*, Card*) override
   {
      journal.push_back("refused " + std::to_string(pile->id));
   }
   void CardMoveSoundPlay() override
   {
      moveSoundCalls++;
      FrontendBasedCardGame::CardMoveSoundPlay();
   }
   bool CommandExecute(const Command& command) override
   {
      journal.push_back("command" + std::to_string(command.type));
      return FrontendBasedCardGame::CommandExecute(command);
   }

   i32 playerCount = 1;
   const char* layerName = nullptr;
   i32 moveSoundCalls = 0;
   std::vector<std::string> journal;
   std::function<bool(Card*)> chooseOnClick;
   std::function<bool(Card*)> pickUp;
   std::function<bool(Card*)> stackPickUp;
   std::function<bool(CardPile*, Card*)> drop;
   std::function<bool(CardPile*, i32, Card*)> insert;
};
} // namespace TestSupport
} // namespace Corvale
