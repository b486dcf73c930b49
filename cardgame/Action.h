// One timed step of a game's action queue, with its arguments and the command it may carry.
#pragma once

#include "cardgame/Command.h"
#include "core/Types.h"

namespace Corvale
{
// Action codes; a code without a name here is done at once.
enum ActionType : i32
{
   ACTION_CARD_MOVE = 0,
   ACTION_CARD_MOVE_TOP = 1,
   ACTION_CARDS_ANIMATING_WAIT = 3,
   ACTION_WAIT = 4,
   ACTION_CARD_FLIP = 5,
   ACTION_PILE_FLIP = 6,
   ACTION_PLAYER_ADVANCE = 7,
   ACTION_TURN_BEGIN = 8,
   ACTION_GAME_WIN = 9,
   ACTION_GAME_LOSE = 10,
   ACTION_GAME_DRAW = 11,
   ACTION_CARD_MOVE_BOTTOM = 12,
   ACTION_COMMAND = 13,
   ACTION_UNLOCK_MESSAGES_WAIT = 14,
   ACTION_RESULTS_SHOW = 15,
   ACTION_SUBGAME_OVER = 16,
   ACTION_PILE_SHUFFLE = 17,
   ACTION_TOP_CARD_FLIP = 18,
   ACTION_PILE_SORT = 19,
   ACTION_HANDS_SORT = 20,
   ACTION_SUBGAME_STEP = 22,
   ACTION_PILE_SHOW = 23,
   ACTION_SUBGAME_NEW = 24,
   ACTION_SPEAK = 25
};

class Action
{
 public:
   Action() = default;
   // Each record owns its own copy of string0.
   Action(const Action& other);
   Action(Action&& other) noexcept;
   Action& operator=(const Action& other);
   Action& operator=(Action&& other) noexcept;
   virtual ~Action();

   // The defaults every poster starts from; a text the record still owns is freed.
   virtual void Clear();
   // Frees string0.
   virtual void Deinit();
   virtual const char* ReflectionTypeNameGet() const { return "Corvale::Action"; }

   // Replaces string0 with a copy of text (null clears it); false when the copy fails.
   bool String0Set(const char* text);

   static void ReflectionRegister();

   i32 type = 0;
   u32 startDelay = 0;
   // Whether the wait is scaled by the player's game speed.
   bool applySpeed = true;
   // For card actions: source pile ID, card ID or sort type, destination pile ID.
   i32 int0 = 0;
   i32 int1 = 0;
   i32 int2 = 0;
   // For card actions: the face (true = up) or the visibility.
   bool bool0 = false;
   const char* string0 = nullptr;
   Command command;

 private:
   void FieldsCopy(const Action& other);
};
} // namespace Corvale
