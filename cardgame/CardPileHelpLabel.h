// A short text next to a pile (how many cards the stock holds, what goes where), shown while the
// pointer is over the pile and the player wants help labels.
#pragma once

#include "core/Point.h"
#include "gui/widgets/ContainerWidget.h"

namespace Corvale
{
class CardPile;
class CardPileHelpLabelWidget;
class JSONValue;
class LabelWidget;

class CardPileHelpLabel
{
 public:
   void Init(CardPile* pileUsed, const JSONValue* specification);
   void Deinit();
   void WidgetCreate();
   void TextUpdate();
   void PositionUpdate();
   // Visibility.
   void Update();

   CardPile* pile = nullptr;
   CardPileHelpLabelWidget* widget = nullptr;
   bool enabled = false;
   char* text = nullptr;
   char* textKey = nullptr;
   char* textProcedure = nullptr;
   Point2F position;
   bool relative = true;
};

class CardPileHelpLabelWidget : public ContainerWidget
{
 public:
   void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification) override;
   void Deinit() override;
   const char* TypeNameGet() override { return "CardPileHelpLabel"; }

   CardPileHelpLabel* label = nullptr;
   LabelWidget* text = nullptr;
};
} // namespace Corvale
