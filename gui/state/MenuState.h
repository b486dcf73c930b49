// A game state with a GUI layer: menus and games. Entering pushes the state's layer and plays its
// "Enter" transition; leaving plays "Exit" once and holds the state switch until the front end
// lets it go.
#pragma once

#include "gui/state/GameState.h"

namespace Corvale
{
class LayerWidget;

class MenuState : public GameState
{
 public:
   // Wires the widgets of the state's freshly pushed layer.
   virtual void GUIInit(LayerWidget* pushedLayer) { (void)pushedLayer; }
   // The state's GUI layer; null for none.
   virtual const char* LayerNameGet() { return nullptr; }
   // True: fade in from the current fade colour on entry.
   virtual bool EnterFadeCheck() { return true; }

   void EnterStart();
   void ExitStart();
   // Once a frame while leaving: when the "Exit" transition has ended the fade to black starts,
   // and when that has ended the state switch is let go.
   void ExitUpdate();
   // Takes the layer out of the GUI and forgets it.
   void LayerRemove();
   // The GUI manager's push callback; userData is the state.
   static void LayerOnPush(LayerWidget* pushedLayer, void* userData);

   u8 exiting = 0;
   u8 fadeWaiting = 0;
   u8 fadeOnExit = 1;
   LayerWidget* layer = nullptr;
};
} // namespace Corvale
