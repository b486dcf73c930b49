// A widget with an ordered list of children: builds them from JSON by type name, passes updates,
// drawing, transitions and notices down the tree, and finds, inserts, removes and sorts children.
#pragma once

#include <cstring>

#include "core/Log.h"
#include "core/Memory.h"
#include "core/Table.h"
#include "gui/GUIManager.h"
#include "gui/widgets/Widget.h"

namespace Corvale
{
class WidgetChildSprite;

// Orders children for ContainerWidget::ChildrenSort.
class WidgetComparator
{
 public:
   virtual ~WidgetComparator() = default;
   // True when a must come before b.
   virtual bool LessCheck(Widget* a, Widget* b) = 0;
};

class ContainerWidget : public Widget
{
 public:
   ContainerWidget() = default;

   void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification) override;
   void InitWithoutSpecification(const char* widgetName, Widget* parentWidget) override;
   void Deinit() override;
   void Update(u32 elapsed) override;
   void Draw() override;
   const char* TypeNameGet() override { return "ContainerWidget"; }
   void TextsRefresh() override;
   Widget* WidgetAtPointGet(const Point2F& point) override;
   Widget* ChildGetAt(i32 index) override;
   i32 ChildCountGet() override { return children.count; }
   bool ChildRemoveAt(i32 index) override;
   void PressRecordsClear() override;
   void OnRemoveBegin() override;
   void OnRemoved() override;
   bool HoveredByDescendantCheck(MouseState* pointer) override;
   bool DescendantCheck(Widget* widget) override;
   void TransitionStart(const char* transitionName) override;
   bool TransitionRunningCheck() override;
   void TransitionFinish() override;
   void TransitionsApply() override;

   // An index outside 0..count is ignored.
   virtual void ChildInsert(i32 index, Widget* child);
   virtual void ChildAdd(Widget* child) { ChildAddLast(child); }
   virtual void ChildAddFirst(Widget* child);
   virtual void ChildAddLast(Widget* child);
   virtual bool ChildInsertBefore(Widget* existing, Widget* child);
   virtual bool ChildInsertBefore(const char* existingName, Widget* child);
   virtual bool ChildInsertAfter(Widget* existing, Widget* child);
   virtual bool ChildInsertAfter(const char* existingName, Widget* child);
   virtual bool ChildRemoveFirst() { return ChildRemove(ChildFirstGet()); }
   virtual bool ChildRemoveLast();
   // Hands the child to the GUI manager's removed chain for deferred Deinit and destruction.
   virtual bool ChildRemove(Widget* child);
   virtual bool ChildRemove(const char* childName) { return ChildRemove(ChildGetByName(childName)); }
   virtual void ChildrenRemoveAll();
   // Takes the child out without hooks or notices; the caller owns it again.
   virtual bool ChildDetach(Widget* child);
   virtual Widget* ChildFirstGet() { return children.count > 0 ? children[0] : nullptr; }
   virtual Widget* ChildLastGet() { return children.count > 0 ? children[children.count - 1] : nullptr; }
   virtual Widget* ChildGetByName(const char* childName);
   virtual i32 ChildIndexGet(Widget* child) { return children.Find(child); }
   virtual i32 ChildIndexGetByName(const char* childName);
   virtual void ChildrenCapacitySet(i32 count) { children.Reserve(count); }
   // Dotted names, matched exactly.
   virtual Widget* DescendantGetByPath(const char* path);
   // Stable: children the comparator orders neither way keep their order.
   virtual void ChildrenSort(WidgetComparator* comparator);
   virtual Box2F ChildrenBoundsGet();
   // Hooks around adding and removing a child, for subclasses that lay their children out.
   virtual void OnChildAddBegin(Widget* child) { (void)child; }
   virtual void OnChildAdded(Widget* child) { (void)child; }
   virtual void OnChildRemoveBegin(Widget* child) { (void)child; }
   virtual void OnChildRemoved(Widget* child) { (void)child; }

   u8 childrenDrawOrderReverse = 0;
   Table<Widget*> children;

 protected:
   // Each child not removed, in draw order.
   void ChildrenDraw();
   // For containers with one backdrop sprite: it draws under the children, and only its pixels
   // take the pointer.
   void BackdropAndChildrenDraw(WidgetChildSprite* backdrop);
   bool BackdropPixelTest(WidgetChildSprite* backdrop, const Point2F& point);
   // Runs the operation on a copy of the children taken now, skipping those removed meanwhile
   // unless includeRemoved; the GUI manager holds destruction back until the walk ends.
   template <class F> void ChildrenWalk(F operation, bool includeRemoved = false, bool backwards = false);
};
// Room for the children of almost every container without touching a heap.
constexpr i32 CONTAINER_WALK_INLINE_COUNT = 32;

template <class F> void ContainerWidget::ChildrenWalk(F operation, bool includeRemoved, bool backwards)
{
   i32 count = children.count;
   if (count == 0)
   {
      return;
   }
   // A copy of this walk's own: a child may add, remove or re-walk children from inside the call.
   Widget* inlineCopy[CONTAINER_WALK_INLINE_COUNT];
   Widget** copy = inlineCopy;
   if (count > CONTAINER_WALK_INLINE_COUNT)
   {
      copy = static_cast<Widget**>(
          MemoryAllocate(static_cast<u32>(count * sizeof(Widget*)), HEAP_TEMP, MEMORY_ALIGNMENT_MIN));
      if (!copy)
      {
         WarningPrintf("ContainerWidget::ChildrenWalk -- unable to copy %d children\n", count);
         return;
      }
   }
   std::memcpy(copy, children.data, static_cast<size_t>(count) * sizeof(Widget*));
   GUIManager::walkDepth++;
   for (i32 i = 0; i < count; i++)
   {
      Widget* child = copy[backwards ? count - 1 - i : i];
      if (includeRemoved || !child->removed)
      {
         operation(child);
      }
   }
   GUIManager::walkDepth--;
   if (copy != inlineCopy)
   {
      MemoryFree(copy);
   }
}

} // namespace Corvale
