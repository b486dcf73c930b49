// The widget of a seat's panel: a plaque with a frame lit for the active player, a portrait, three
// lines of text and the dealer, winner and two peg icons. Its record pushes the state to it.
#pragma once

#include "core/Table.h"
#include "gui/widgets/ContainerWidget.h"

namespace Corvale
{
class LabelWidget;
class PlayerPanel;
class PortraitWidget;
class SpriteWidget;

constexpr i32 PLAYER_PANEL_TEXT_LINES = 3;

class PlayerPanelWidget : public ContainerWidget
{
 public:
   void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification) override;
   void InitWithoutSpecification(const char* widgetName, Widget* parentWidget) override;
   void Deinit() override;
   const char* TypeNameGet() override { return "PlayerPanel"; }
   // Finds the plaque, frame, background, portrait and text lines among the children.
   virtual void ChildrenWire();

   static void TypeRegister();

   PlayerPanel* owner = nullptr;
   ContainerWidget* plaque = nullptr;
   SpriteWidget* frame = nullptr;
   SpriteWidget* background = nullptr;
   ContainerWidget* portraitContainer = nullptr;
   PortraitWidget* portrait = nullptr;
   Table<LabelWidget*> textLines;
};
} // namespace Corvale
