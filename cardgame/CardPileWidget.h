// A pile on the table: its empty-pile sprite and, while the pile is highlighted, a filled box
// around it and the cards resting on it.
#pragma once

#include "gui/widgets/ContainerWidget.h"

namespace Corvale
{
class CardPile;
class SpriteWidget;

class CardPileWidget : public ContainerWidget
{
 public:
   void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification) override;
   void InitWithoutSpecification(const char* widgetName, Widget* parentWidget) override;
   void Deinit() override;
   void Draw() override;
   const char* TypeNameGet() override { return "CardPile"; }
   virtual void ChildrenCreate();

   CardPile* pile = nullptr;
   SpriteWidget* sprite = nullptr;
};
} // namespace Corvale
