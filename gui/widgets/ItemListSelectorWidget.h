// A selector that lists its items in a scrolling column or row, with a cursor sprite that glides to
// the chosen item and bobs beside it.
#pragma once

#include "core/ProgressionTrack.h"
#include "gui/widgets/SelectorWidget.h"

namespace Corvale
{
class RadioButtonContainerWidget;
class ScrollBoxWidget;
class SpriteWidget;

class ItemListSelectorWidget : public SelectorWidget
{
 public:
   ItemListSelectorWidget() = default;

   // After the selector's keys: "ItemSpacing", "CursorOffsetFromItem", the cursor's position and
   // bobbing keys, "ItemPositioningType", "ScrollBox", "Items" and "CursorSprite".
   void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification) override;
   void Deinit() override;
   void Update(u32 elapsed) override;
   const char* TypeNameGet() override { return "ItemListSelectorWidget"; }
   // Every choice, changed or not, sends the cursor to the item and scrolls the item to the middle.
   void SelectionSet(SelectorItemWidget* item, bool byUser) override;
   void ItemsLayout() override;
   ContainerWidget* ItemsContainerGet() override;
   void TransitionsFinish() override;

   // Makes "ItemListSelector" known to the widget-type registry.
   static void TypeRegister();

   // Null when the layer gave no "ScrollBox": the items then sit in the selector itself.
   ScrollBoxWidget* scrollBox = nullptr;
   RadioButtonContainerWidget* itemContainer = nullptr;
   SpriteWidget* cursor = nullptr;
   u8 vertical = 1;
   Point2F itemSpacing;
   Point2F cursorOffsetFromItem;
   // From the previous item's position to the chosen one's.
   ProgressionTrack cursorPositionTrack;
   // One bob: out towards cursorBobbingOffset and back, the curve's middle point being the offset.
   ProgressionTrack cursorBobbingTrack;
   Point2F cursorBobbingOffset;
};
} // namespace Corvale
