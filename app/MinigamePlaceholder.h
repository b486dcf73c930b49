// The stand-in for a game not built yet: it answers to the game's key, and entered anyway it
// tells the player that the game is not available and leaves again.
#pragma once

#include "cardgame/Minigame.h"

namespace Corvale
{
class MinigamePlaceholder : public Minigame
{
 public:
   // key must outlive the placeholder (a literal).
   explicit MinigamePlaceholder(const char* keyUsed) : key(keyUsed) {}

   i32 GameNumberGet() override { return -1; }
   const char* GameNameGet() override { return key; }
   i32 PlayersCountGet() override { return 0; }
   i32 PlayersMinimumGet() override { return 0; }
   i32 PlayersMaximumGet() override { return 0; }

   // Shows "GameNotAvailable"; nothing of the game base is set up.
   void Init() override;
   void Deinit() override;
   // Pops the placeholder once the message box has gone.
   void Update(u32 elapsed) override;
   void TextsRefresh() override {}

 private:
   const char* key;
   bool leaving = false;
};
} // namespace Corvale
