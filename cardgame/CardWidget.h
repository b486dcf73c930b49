// One card on the table: three sprites (face or back, the highlight over it, the selection over
// both) linked back to the card, and the pointer events that go to the card's game.
#pragma once

#include "gui/widgets/ContainerWidget.h"

namespace Corvale
{
class Card;
class SpriteWidget;

class CardWidget : public ContainerWidget
{
 public:
   void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification) override;
   void InitWithoutSpecification(const char* widgetName, Widget* parentWidget) override;
   void Deinit() override;
   const char* TypeNameGet() override { return "Card"; }
   void OnPress() override;
   void OnDoubleClick() override;
   void OnClick() override;
   void OnMouseOver() override;
   void OnDrag() override;
   void OnDragEnd() override;
   void OnRightClick() override;
   virtual void ChildrenCreate();

   Card* card = nullptr;
   SpriteWidget* cardSprite = nullptr;
   SpriteWidget* selectedSprite = nullptr;
   SpriteWidget* highlightedSprite = nullptr;

 private:
   // The game may take input from a human now; false without a game.
   bool GameInputCheck();
};

// "Card", "CardPile" and "CardPileHelpLabel" as widget types of the GUI manager.
void CardWidgetTypesRegister();
} // namespace Corvale
