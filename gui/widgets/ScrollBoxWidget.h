// A window onto content larger than itself: the content lives in a clip container that is moved to
// scroll, optional scroll bars follow it, the wheel scrolls vertically, and callers can bring a
// box of the content into view at once or with an eased motion.
#pragma once

#include "core/ProgressionTrack.h"
#include "gui/widgets/ContainerWidget.h"

namespace Corvale
{
class Progression;
class ScrollbarWidget;
class WidgetChildSprite;

// Holds the content; its clip area is the visible window and its position the scroll.
class ScrollBoxClipContainerWidget : public ContainerWidget
{
 public:
   const char* TypeNameGet() override { return "ScrollBoxClipContainerWidget"; }
   // Both keep the scroll bars of the owning box in step.
   void BoundsSet(const Box2F& box) override;
   using Widget::BoundsSet;
   void ClipAreaSet(const Box2F& box) override;
   // The content shares the scroll box's Lua handler table.
   char* EventHandlerTableBuild(i32 spareLength) override;
   bool EventHandlerTableWantedCheck() override { return false; }

   // How far a page key moves through children as high as the first: the whole ones the clip
   // area shows, less one, at least 1; 0 without children or clip height.
   virtual i32 PageStepGet();
};

class ScrollBoxWidget : public ContainerWidget
{
 public:
   ScrollBoxWidget();
   ~ScrollBoxWidget() override;

   void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification) override;
   void Deinit() override;
   void Update(u32 elapsed) override;
   void Draw() override;
   const char* TypeNameGet() override { return "ScrollBoxWidget"; }
   bool PixelTest(const Point2F& point) override;
   void OnMouseScroll(i32 notches) override;
   bool MouseScrollTargetCheck() override { return true; }
   // Paths below a scroll box name the content's widgets directly.
   Widget* DescendantGetByPath(const char* path) override;

   // Brings the scroll bars in step with the content bounds and the offset.
   virtual void LayoutUpdate();
   // The content point shown at the clip area's top-left corner; not clamped.
   virtual void ContentOffsetSet(float x, float y);
   virtual Point2F ContentOffsetGet();
   virtual ScrollBoxClipContainerWidget* ClipContainerGet() { return clipContainer; }
   virtual void ScrollToShowAnimated(float x, float y, float width, float height, u32 duration,
                                     const Progression* curve);
   virtual void ScrollToShow(float x, float y, float width, float height);

   // Makes "ScrollBox" known to the widget-type registry.
   static void TypeRegister();

   WidgetChildSprite* backgroundSprite = nullptr;
   ScrollbarWidget* verticalScrollbar = nullptr;
   ScrollbarWidget* horizontalScrollbar = nullptr;
   ScrollBoxClipContainerWidget* clipContainer = nullptr;
   ProgressionTrack scrollMotion;

 protected:
   // The least movement of the offset that shows the box; false when the box cannot be shown.
   bool ScrollOffsetForBox(float x, float y, float width, float height, Point2F* offset);
   // Creates and appends one scroll bar from its key, null when the key holds no object.
   ScrollbarWidget* ScrollbarCreate(const char* key, const JSONValue* specification, bool vertical);
};
} // namespace Corvale
