// The container widget: children built from JSON, walks over a copy of the children, point tests
// topmost first, removal bottom-up through the GUI manager's removed chain, paths and sorting.
#include "gui/widgets/ContainerWidget.h"

#include <cstring>

#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/StringHelpers.h"
#include "gui/GUIManager.h"
#include "gui/widgets/WidgetChildSprite.h"

namespace Corvale
{
void ContainerWidget::InitWithoutSpecification(const char* widgetName, Widget* parentWidget)
{
   Widget::InitWithoutSpecification(widgetName, parentWidget);
   children.allocator = allocatorDefault;
   childrenDrawOrderReverse = 0;
}

void ContainerWidget::Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification)
{
   Widget::Init(widgetName, parentWidget, specification);
   children.allocator = allocatorDefault;
   if (!specification)
   {
      specification = &JSONValue::nullValue;
   }
   bool flag;
   specification->BoolGet(&flag, "ChildrenDrawOrderReverse", false);
   childrenDrawOrderReverse = flag ? 1 : 0;

   const JSONValue* list = specification->ItemFind("Children");
   if (list)
   {
      i32 n = list->CountGet();
      ChildrenCapacitySet(n);
      for (i32 i = 0; i < n; i++)
      {
         // Only an array holds child entries; an object's members all read as the null value.
         const JSONValue* item = list->ElementGet(i);
         const char* childName = item->ItemGet("Name")->StringValueGet();
         const char* type = item->ItemGet("Type")->StringValueGet();
         if (!type)
         {
            if (childName && name)
            {
               WarningPrintf("%s -- Missing type for widget \"%s\" in: %s\n", TypeNameGet(), childName, name);
            }
            else if (childName)
            {
               WarningPrintf("%s -- Missing type for widget \"%s\"\n", TypeNameGet(), childName);
            }
            else
            {
               WarningPrintf("%s -- Missing type for widget\n", TypeNameGet());
            }
            continue;
         }
         WidgetCreateFunction create = GUIManager::WidgetTypeFind(type);
         if (!create)
         {
            WarningPrintf("%s -- Unrecognized widget type name: \"%s\"\n", TypeNameGet(), type);
            continue;
         }
         Widget* child = create(type, HEAP_DEFAULT);
         if (!child)
         {
            WarningPrintf("%s -- Failed to create widget of type: \"%s\"\n", TypeNameGet(), type);
            continue;
         }
         child->Init(childName, this, item);
         ChildAdd(child);
      }
   }

   if (!specification->Box2FTryGet("Bounds", nullptr) && children.count > 0)
   {
      Box2F box;
      for (i32 i = 0; i < children.count; i++)
      {
         Box2F childBox = children[i]->BoundsGet();
         Point2F at = children[i]->PositionGet();
         childBox.x += at.x;
         childBox.y += at.y;
         BoxUnionAdd(&box, childBox, i == 0);
      }
      BoundsSet(box);
   }
}

void ContainerWidget::Deinit()
{
   ChildrenRemoveAll();
   children = Table<Widget*>(allocatorDefault);
   Widget::Deinit();
}

void ContainerWidget::Update(u32 elapsed)
{
   Widget::Update(elapsed);
   ChildrenWalk([elapsed](Widget* child) { child->Update(elapsed); });
}

void ContainerWidget::Draw()
{
   if (!VisibleCheck())
   {
      return;
   }
   Widget::Draw();
   ChildrenDraw();
}

void ContainerWidget::ChildrenDraw()
{
   ChildrenWalk(
       [](Widget* child)
       {
          child->DrawBegin();
          child->Draw();
          child->DrawEnd();
       },
       false, childrenDrawOrderReverse != 0);
}

void ContainerWidget::BackdropAndChildrenDraw(WidgetChildSprite* backdrop)
{
   if (!VisibleCheck())
   {
      return;
   }
   if (backdrop)
   {
      backdrop->Draw();
   }
   ContainerWidget::Draw();
}

bool ContainerWidget::BackdropPixelTest(WidgetChildSprite* backdrop, const Point2F& point)
{
   return VisibleCheck() && backdrop && backdrop->PointTest(point);
}

void ContainerWidget::TextsRefresh()
{
   Widget::TextsRefresh();
   ChildrenWalk([](Widget* child) { child->TextsRefresh(); });
}

void ContainerWidget::OnRemoveBegin()
{
   Widget::OnRemoveBegin();
   ChildrenWalk([](Widget* child) { child->OnRemoveBegin(); });
}

void ContainerWidget::OnRemoved()
{
   Widget::OnRemoved();
   ChildrenWalk([](Widget* child) { child->OnRemoved(); }, true);
}

void ContainerWidget::TransitionsApply()
{
   Widget::TransitionsApply();
   ChildrenWalk([](Widget* child) { child->TransitionsApply(); });
}

void ContainerWidget::PressRecordsClear()
{
   Widget::PressRecordsClear();
   for (i32 i = 0; i < children.count; i++)
   {
      children[i]->PressRecordsClear();
   }
}

void ContainerWidget::TransitionStart(const char* transitionName)
{
   Widget::TransitionStart(transitionName);
   ChildrenWalk([transitionName](Widget* child) { child->TransitionStart(transitionName); });
}

bool ContainerWidget::TransitionRunningCheck()
{
   if (Widget::TransitionRunningCheck())
   {
      return true;
   }
   for (i32 i = 0; i < children.count; i++)
   {
      if (children[i]->TransitionRunningCheck())
      {
         return true;
      }
   }
   return false;
}

void ContainerWidget::TransitionFinish()
{
   Widget::TransitionFinish();
   ChildrenWalk([](Widget* child) { child->TransitionFinish(); });
}

Widget* ContainerWidget::WidgetAtPointGet(const Point2F& point)
{
   if (!VisibleCheck() || !PointTestEnabledCheck())
   {
      return nullptr;
   }
   Point2F local = PointToLocal(point);
   // The child drawn on top is asked first.
   for (i32 i = 0; i < children.count; i++)
   {
      i32 index = childrenDrawOrderReverse ? i : children.count - 1 - i;
      Widget* hit = children[index]->WidgetAtPointGet(local);
      if (hit)
      {
         return hit;
      }
   }
   return Widget::WidgetAtPointGet(point);
}

Widget* ContainerWidget::ChildGetAt(i32 index)
{
   return index >= 0 && index < children.count ? children[index] : nullptr;
}

bool ContainerWidget::ChildRemoveAt(i32 index)
{
   if (index < 0 || index >= children.count)
   {
      return false;
   }
   return ChildRemove(ChildGetAt(index));
}

bool ContainerWidget::HoveredByDescendantCheck(MouseState* pointer)
{
   Widget* hovered = GUIManager::WidgetUnderPointerGet(pointer);
   return hovered && DescendantCheck(hovered);
}

bool ContainerWidget::DescendantCheck(Widget* widget)
{
   for (i32 i = 0; i < children.count; i++)
   {
      if (children[i] == widget || children[i]->DescendantCheck(widget))
      {
         return true;
      }
   }
   return false;
}

void ContainerWidget::ChildInsert(i32 index, Widget* child)
{
   if (!child || index < 0 || index > children.count)
   {
      return;
   }
   OnChildAddBegin(child);
   children.Insert(child, index);
   OnChildAdded(child);
}

void ContainerWidget::ChildAddFirst(Widget* child)
{
   ChildInsert(0, child);
}

void ContainerWidget::ChildAddLast(Widget* child)
{
   if (!child)
   {
      return;
   }
   OnChildAddBegin(child);
   children.Insert(child, children.count);
   OnChildAdded(child);
}

bool ContainerWidget::ChildInsertBefore(Widget* existing, Widget* child)
{
   if (!child || children.Find(existing) < 0)
   {
      return false;
   }
   OnChildAddBegin(child);
   // The hook may have moved the children.
   i32 index = children.Find(existing);
   if (index < 0)
   {
      return false;
   }
   children.Insert(child, index);
   OnChildAdded(child);
   return true;
}

bool ContainerWidget::ChildInsertBefore(const char* existingName, Widget* child)
{
   return ChildInsertBefore(ChildGetByName(existingName), child);
}

bool ContainerWidget::ChildInsertAfter(Widget* existing, Widget* child)
{
   if (!child || children.Find(existing) < 0)
   {
      return false;
   }
   OnChildAddBegin(child);
   i32 index = children.Find(existing);
   if (index < 0)
   {
      return false;
   }
   children.Insert(child, index + 1);
   OnChildAdded(child);
   return true;
}

bool ContainerWidget::ChildInsertAfter(const char* existingName, Widget* child)
{
   return ChildInsertAfter(ChildGetByName(existingName), child);
}

bool ContainerWidget::ChildRemoveLast()
{
   if (children.count == 0)
   {
      return false;
   }
   return ChildRemove(ChildLastGet());
}

bool ContainerWidget::ChildRemove(Widget* child)
{
   if (!child || children.Find(child) < 0)
   {
      return false;
   }
   // Bottom-up, so that every descendant is notified and queued before its container.
   for (i32 i = child->ChildCountGet() - 1; i >= 0; i--)
   {
      child->ChildRemoveAt(i);
   }
   OnChildRemoveBegin(child);
   child->OnRemoveBegin();
   GUIManager::WidgetReferencesClear(child);
   if (!children.Remove(child))
   {
      return false;
   }
   child->OnRemoved();
   OnChildRemoved(child);
   return true;
}

void ContainerWidget::ChildrenRemoveAll()
{
   while (ChildRemoveLast())
   {
   }
}

bool ContainerWidget::ChildDetach(Widget* child)
{
   return child && children.Remove(child);
}

i32 ContainerWidget::ChildIndexGetByName(const char* childName)
{
   if (!childName)
   {
      return -1;
   }
   for (i32 i = 0; i < children.count; i++)
   {
      const char* candidate = children[i]->NameGet();
      if (candidate && candidate[0] && std::strcmp(candidate, childName) == 0)
      {
         return i;
      }
   }
   return -1;
}

Widget* ContainerWidget::ChildGetByName(const char* childName)
{
   return ChildGetAt(ChildIndexGetByName(childName));
}

Widget* ContainerWidget::DescendantGetByPath(const char* path)
{
   if (!path)
   {
      return nullptr;
   }
   const char* dot = std::strchr(path, '.');
   u32 length = dot ? static_cast<u32>(dot - path) : static_cast<u32>(std::strlen(path));
   char* segment = StringDuplicateN(path, length, HEAP_TEMP);
   if (!segment)
   {
      WarningPrintf("ContainerWidget::DescendantGetByPath -- unable to copy a segment of \"%s\"\n", path);
      return nullptr;
   }
   Widget* child = ChildGetAt(ChildIndexGetByName(segment));
   MemoryFree(segment);
   if (!dot)
   {
      return child;
   }
   ContainerWidget* container = dynamic_cast<ContainerWidget*>(child);
   return container ? container->DescendantGetByPath(dot + 1) : nullptr;
}

void ContainerWidget::ChildrenSort(WidgetComparator* comparator)
{
   if (!comparator)
   {
      return;
   }
   children.Sort([comparator](Widget* a, Widget* b) { return comparator->LessCheck(a, b); });
}

Box2F ContainerWidget::ChildrenBoundsGet()
{
   Box2F result;
   for (i32 i = 0; i < children.count; i++)
   {
      Widget* child = children[i];
      Box2F box = child->BoundsGet();
      ContainerWidget* container = dynamic_cast<ContainerWidget*>(child);
      if (container)
      {
         Box2F inner = container->ChildrenBoundsGet();
         if (inner.width != 0.0f && inner.height != 0.0f)
         {
            BoxUnionAdd(&box, inner, false);
         }
      }
      Point2F at = child->PositionGet();
      box.x += at.x;
      box.y += at.y;
      BoxUnionAdd(&result, box, i == 0);
   }
   return result;
}
} // namespace Corvale
