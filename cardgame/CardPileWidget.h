// The pile's widget as the pile drives it: the empty-pile sprite linked back to the pile. Input and
// the highlight belong to the card widgets.
#pragma once

#include "gui/widgets/Widget.h"

namespace Corvale
{
class CardPile;
class WidgetChildSprite;

class CardPileWidget : public Widget
{
 public:
   CardPile* pile = nullptr;
   WidgetChildSprite* sprite = nullptr;
};
} // namespace Corvale
