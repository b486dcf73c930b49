// State containers: choosing the first state from JSON and switching between state children.
#include "gui/widgets/StateContainerWidget.h"

#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/ScriptManager.h"

namespace Corvale
{
void StateContainerWidget::TypeRegister()
{
   GUIManager::WidgetTypeRegister("StateContainer", &WidgetCreate<StateContainerWidget>);
}

void StateContainerWidget::Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification)
{
   state = nullptr;
   stateChangeCallback = nullptr;
   stateChangeUserData = nullptr;
   ContainerWidget::Init(widgetName, parentWidget, specification);
   if (!specification)
   {
      specification = &JSONValue::nullValue;
   }
   const char* stateName = specification->ItemGet("State")->StringValueGet();
   if (stateName)
   {
      state = ChildGetByName(stateName);
      if (!state)
      {
         if (name && name[0])
         {
            WarningPrintf("%s::Init -- Invalid \"State\" for widget \"%s\".  \"%s\" is not a child.\n",
                          TypeNameGet(), name, stateName);
         }
         else
         {
            WarningPrintf("%s::Init -- Invalid \"State\".  \"%s\" is not a child.\n", TypeNameGet(),
                          stateName);
         }
      }
   }
   if (!state)
   {
      state = ChildFirstGet();
   }
   for (i32 i = 0; i < children.count; i++)
   {
      Widget* child = children[i];
      child->VisibleSet(child == state);
      child->EnabledSet(child == state);
   }
}

void StateContainerWidget::StateSet(Widget* child)
{
   if (child == state)
   {
      return;
   }
   Widget* old = state;
   state = child;
   if (old)
   {
      old->VisibleSet(false);
      old->EnabledSet(false);
   }
   if (child)
   {
      child->VisibleSet(true);
      child->EnabledSet(true);
   }
   OnStateChange(child, old);
}

void StateContainerWidget::OnChildRemoveBegin(Widget* child)
{
   if (child == state)
   {
      state = nullptr;
   }
}

bool StateContainerWidget::StateSetByName(const char* childName)
{
   Widget* child = ChildGetByName(childName);
   if (!child)
   {
      return false;
   }
   StateSet(child);
   return true;
}

void StateContainerWidget::OnStateChange(Widget* newState, Widget* oldState)
{
   if (GUIManager::scriptingEnabled)
   {
      char* newQuoted = ScriptManager::QuotedStringCreate(newState ? newState->NameGet() : nullptr);
      char* oldQuoted = ScriptManager::QuotedStringCreate(oldState ? oldState->NameGet() : nullptr);
      if (newQuoted && oldQuoted)
      {
         LuaEventCallf("OnStateChange", "%s, %s", newQuoted, oldQuoted);
      }
      MemoryFree(newQuoted);
      MemoryFree(oldQuoted);
   }
   if (stateChangeCallback)
   {
      stateChangeCallback(newState, oldState, this, stateChangeUserData);
   }
}
} // namespace Corvale
