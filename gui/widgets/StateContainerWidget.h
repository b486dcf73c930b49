// A container whose children are alternative states of one screen area: only the current state
// child is shown and enabled, and a switch is reported to Lua and to an optional callback.
#pragma once

#include "gui/widgets/ContainerWidget.h"

namespace Corvale
{
class StateContainerWidget;

typedef void (*StateChangeCallback)(Widget* newState, Widget* oldState, StateContainerWidget* container,
                                    void* userData);

class StateContainerWidget : public ContainerWidget
{
 public:
   StateContainerWidget() = default;

   // After the children: "State" names the child shown first, else the first child is.
   void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification) override;
   const char* TypeNameGet() override { return "StateContainerWidget"; }
   bool LuaEventsEnabledCheck() override { return true; }
   // A state child that is removed is forgotten, so that no later switch touches it.
   void OnChildRemoveBegin(Widget* child) override;

   // The child need not be one of ours; null hides the current state and shows nothing.
   virtual void StateSet(Widget* child);
   // False, and nothing changes, when no direct child has that name.
   virtual bool StateSetByName(const char* childName);
   virtual Widget* StateGet() { return state; }
   virtual const char* StateNameGet() { return state ? state->NameGet() : nullptr; }
   virtual void OnStateChange(Widget* newState, Widget* oldState);

   // Makes "StateContainer" known to the widget-type registry.
   static void TypeRegister();

   Widget* state = nullptr;
   StateChangeCallback stateChangeCallback = nullptr;
   void* stateChangeUserData = nullptr;
};
} // namespace Corvale
