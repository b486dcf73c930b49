// One screen of the program (splash, loading screen, a menu, a game, the tutorial player) as the
// game-state manager runs it; every operation is empty here.
#pragma once

#include "core/Types.h"

namespace Corvale
{
class GameState
{
 public:
   GameState() = default;
   virtual ~GameState();
   GameState(const GameState&) = delete;
   GameState& operator=(const GameState&) = delete;

   // The state becomes current.
   virtual void Init() {}
   // The state is left: DeinitBegin, then Deinit.
   virtual void DeinitBegin() {}
   virtual void Deinit() {}
   // Once a frame from the manager, before anything else of the frame.
   virtual void FrameUpdate() {}
   // Once a frame from the main loop, after the GUI, dialogs and popups.
   virtual void Update(u32 elapsed) { (void)elapsed; }
   // Right after the screen is cleared, below the GUI layers.
   virtual void Draw() {}
   // The language changed.
   virtual void TextsRefresh() {}
};
} // namespace Corvale
