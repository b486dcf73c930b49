// A small game on the game base for the framework's tests: it journals the actions, commands,
// refreshes and computer turns it sees, and can refuse commands or act from inside an action.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cardgame/Minigame.h"
#include "cardgame/Player.h"

namespace Corvale
{
namespace TestSupport
{
// Action types of the test game's own, outside the framework's.
constexpr i32 TEST_ACTION_MARK = 100;

class TestGame : public Minigame
{
 public:
   i32 GameNumberGet() override { return 999; }
   const char* GameNameGet() override { return "TestGame"; }
   i32 PlayersCountGet() override { return playerCount; }
   i32 PlayersMinimumGet() override { return 1; }
   i32 PlayersMaximumGet() override { return playerCount; }
   i32 TeamsCountGet() override { return teamCount; }

   void Refresh() override { journal.push_back("refresh"); }
   void AITurnTake() override
   {
      journal.push_back("ai");
      if (onAITurn)
      {
         onAITurn(this);
      }
   }
   void ResultsShow() override { journal.push_back("results"); }
   bool ActionExecute(const Action& action) override
   {
      if (action.type == TEST_ACTION_MARK)
      {
         journal.push_back("mark" + std::to_string(action.int0) + "@" + std::to_string(frameNow ? *frameNow : -1));
         if (onMark)
         {
            onMark(this, action.int0);
         }
         return true;
      }
      return Minigame::ActionExecute(action);
   }
   bool CommandExecute(const Command& command) override
   {
      if (refuseCommands)
      {
         return false;
      }
      journal.push_back("command" + std::to_string(command.type));
      return true;
   }

   // Queues a mark action carrying number.
   void MarkPost(i32 number, u32 delay = 0, bool applySpeed = true)
   {
      Action action;
      action.Clear();
      action.type = TEST_ACTION_MARK;
      action.int0 = number;
      action.startDelay = delay;
      action.applySpeed = applySpeed;
      ActionPush(action, 0);
   }

   i32 playerCount = 1;
   i32 teamCount = 0;
   bool refuseCommands = false;
   const i32* frameNow = nullptr;
   std::vector<std::string> journal;
   std::function<void(TestGame*, i32)> onMark;
   std::function<void(TestGame*)> onAITurn;
};
} // namespace TestSupport
} // namespace Corvale
