// The card's widget as the card drives it: three sprites (face or back, the selected overlay, the
// highlight overlay) linked back to the card. Input and drawing belong to the card widgets.
#pragma once

#include "gui/widgets/Widget.h"

namespace Corvale
{
class Card;
class WidgetChildSprite;

class CardWidget : public Widget
{
 public:
   Card* card = nullptr;
   WidgetChildSprite* cardSprite = nullptr;
   WidgetChildSprite* selectedSprite = nullptr;
   WidgetChildSprite* highlightedSprite = nullptr;
};
} // namespace Corvale
