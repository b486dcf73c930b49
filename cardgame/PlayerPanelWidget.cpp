// The player panel widget: its children found once built, and the record told when it goes.
#include "cardgame/PlayerPanelWidget.h"

#include "app/profile/PortraitWidget.h"
#include "cardgame/PlayerPanel.h"
#include "core/Memory.h"
#include "core/StringHelpers.h"
#include "gui/GUIManager.h"
#include "gui/widgets/LabelWidget.h"
#include "gui/widgets/SpriteWidget.h"

namespace Corvale
{
void PlayerPanelWidget::TypeRegister()
{
   GUIManager::WidgetTypeRegister("PlayerPanel", &WidgetCreate<PlayerPanelWidget>);
}

void PlayerPanelWidget::Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification)
{
   ContainerWidget::Init(widgetName, parentWidget, specification);
   ChildrenWire();
}

void PlayerPanelWidget::InitWithoutSpecification(const char* widgetName, Widget* parentWidget)
{
   ContainerWidget::InitWithoutSpecification(widgetName, parentWidget);
   ChildrenWire();
}

void PlayerPanelWidget::ChildrenWire()
{
   plaque = dynamic_cast<ContainerWidget*>(ChildGetByName("Plaque"));
   frame = dynamic_cast<SpriteWidget*>(DescendantGetByPath("Plaque.Frame"));
   background = dynamic_cast<SpriteWidget*>(DescendantGetByPath("Plaque.Background"));
   portraitContainer = dynamic_cast<ContainerWidget*>(ChildGetByName("PortraitContainer"));
   portrait = portraitContainer ? dynamic_cast<PortraitWidget*>(portraitContainer->ChildGetByName("Portrait"))
                                : nullptr;
   textLines = Table<LabelWidget*>(allocatorDefault);
   textLines.Reserve(PLAYER_PANEL_TEXT_LINES);
   for (i32 i = 0; i < PLAYER_PANEL_TEXT_LINES; ++i)
   {
      char name[8];
      NultSnprintf(name, sizeof(name), "Text%d", i);
      textLines.Insert(plaque ? dynamic_cast<LabelWidget*>(plaque->ChildGetByName(name)) : nullptr,
                       textLines.count);
   }
}

void PlayerPanelWidget::Deinit()
{
   // The record and its widget forget each other, whichever goes first.
   if (owner && owner->widget == this)
   {
      owner->widget = nullptr;
   }
   owner = nullptr;
   plaque = nullptr;
   frame = nullptr;
   background = nullptr;
   portraitContainer = nullptr;
   portrait = nullptr;
   textLines = Table<LabelWidget*>();
   ContainerWidget::Deinit();
}
} // namespace Corvale
