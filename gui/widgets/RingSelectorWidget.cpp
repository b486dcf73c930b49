// The ring selector: items placed on the ellipse from the shared sine table with depth scale and
// tint, the eased turn to the chosen item, the wrap-direction fix, and drawing back to front.
#include "gui/widgets/RingSelectorWidget.h"

#include <cmath>

#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/SineTable.h"
#include "core/Table.h"
#include "gui/widgets/SelectorItemWidget.h"

namespace Corvale
{
namespace
{
// Items higher on the screen are further back on the ring.
bool WidgetPositionYLessCheck(Widget* a, Widget* b)
{
   return a->PositionGet().y < b->PositionGet().y;
}

u8 ChannelBlend(u8 back, u8 front, float t)
{
   return static_cast<u8>(static_cast<float>(back) * (1.0f - t) + static_cast<float>(front) * t);
}

void ChildDraw(Widget* child)
{
   child->DrawBegin();
   child->Draw();
   child->DrawEnd();
}
} // namespace

void RingSelectorItemContainerWidget::Draw()
{
   if (!VisibleCheck())
   {
      return;
   }
   Widget::Draw();
   RingSelectorWidget* ring = dynamic_cast<RingSelectorWidget*>(ParentGet());
   // A copy, so the children keep their list order (the item indices) while drawn by depth.
   Table<Widget*> order(allocatorTemp ? allocatorTemp : allocatorDefault);
   if (!order.Reserve(children.count))
   {
      WarningPrintf("RingSelectorItemContainerWidget::Draw -- unable to copy %d children\n", children.count);
      return;
   }
   for (i32 i = 0; i < children.count; i++)
   {
      order.Insert(children[i], order.count);
   }
   order.Sort(&WidgetPositionYLessCheck);
   GUIManager::walkDepth++;
   for (i32 i = 0; i < order.count; i++)
   {
      Widget* child = order[i];
      if (child->removed)
      {
         continue;
      }
      if (ring && ring->itemReflectionVisible)
      {
         // The fields, not the getters: a running transition must not be baked into what is restored.
         Point2F scaleSaved = child->scale;
         ColorRGBA8 colorSaved = child->color;
         child->ScaleSet(scaleSaved.x * ring->itemReflectionScale.x,
                         scaleSaved.y * ring->itemReflectionScale.y);
         child->ColorSet(ColorMultiply(colorSaved, ring->itemReflectionColor));
         ChildDraw(child);
         child->ScaleSet(scaleSaved.x, scaleSaved.y);
         child->ColorSet(colorSaved);
      }
      ChildDraw(child);
   }
   GUIManager::walkDepth--;
}

void RingSelectorWidget::TypeRegister()
{
   GUIManager::WidgetTypeRegister("RingSelector", &WidgetCreate<RingSelectorWidget>);
}

void RingSelectorWidget::Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification)
{
   itemContainer = nullptr;
   SelectorWidget::Init(widgetName, parentWidget, specification);
   if (!specification)
   {
      specification = &JSONValue::nullValue;
   }
   ringAngle = 0.0f;
   const char* typeName = TypeNameGet();
   const char* widgetLabel = name ? name : "";

   const Box2F unitBox{0.0f, 0.0f, 1.0f, 1.0f};
   if (!specification->ItemStringCheck("RingBounds"))
   {
      WarningPrintf("%s::Init -- RingBounds not specified as a string for \"%s\".\n", typeName, widgetLabel);
   }
   specification->Box2FGet(&ringBounds, "RingBounds", &unitBox, typeName, widgetLabel, false);
   const Point2F one{1.0f, 1.0f};
   specification->Point2FGet(&itemFrontScale, "ItemFrontScale", &one, typeName, widgetLabel, false);
   specification->Point2FGet(&itemBackScale, "ItemBackScale", &one, typeName, widgetLabel, false);
   const ColorRGBA8 white{255, 255, 255, 255};
   specification->ColorRGBA8Get(&itemFrontColor, "ItemFrontColor", &white, typeName, widgetLabel, false);
   specification->ColorRGBA8Get(&itemBackColor, "ItemBackColor", &white, typeName, widgetLabel, false);
   bool flag;
   specification->BoolGet(&flag, "ItemReflectionVisible", false);
   itemReflectionVisible = flag ? 1 : 0;
   const Point2F mirror{1.0f, -1.0f};
   specification->Point2FGet(&itemReflectionScale, "ItemReflectionScale", &mirror, typeName, widgetLabel,
                             false);
   specification->ColorRGBA8Get(&itemReflectionColor, "ItemReflectionColor", &white, typeName, widgetLabel,
                                false);
   double speed;
   specification->DoubleGet(&speed, "RingRotationSpeed", 0.97);
   // The remaining turn is scaled by (1 - speed) to a fractional power: outside 0 to 1 the base is
   // negative (a NaN angle) or the ring runs away.
   if (!(speed >= 0.0 && speed <= 1.0))
   {
      WarningPrintf("%s::Init -- RingRotationSpeed %g outside 0 to 1 in widget \"%s\"; clamped\n", typeName,
                    speed, widgetLabel);
      speed = speed > 1.0 ? 1.0 : 0.0;
   }
   ringRotationSpeed = static_cast<float>(speed);

   itemContainer = MemoryNew<RingSelectorItemContainerWidget>(HEAP_DEFAULT);
   if (!ItemsContainerAttach(itemContainer, this))
   {
      return;
   }
   ItemsAddIfGiven(specification);
}

void RingSelectorWidget::Deinit()
{
   itemContainer = nullptr;
   SelectorWidget::Deinit();
}

ContainerWidget* RingSelectorWidget::ItemsContainerGet()
{
   return itemContainer;
}

float RingSelectorWidget::RingAngleTargetGet()
{
   i32 index = ItemIndexGet(selection);
   i32 count = itemContainer ? itemContainer->ChildCountGet() : 0;
   if (index < 0 || count <= 0)
   {
      return ringAngle;
   }
   return -360.0f / static_cast<float>(count) * static_cast<float>(index);
}

void RingSelectorWidget::ItemsLayout()
{
   i32 count = itemContainer ? itemContainer->ChildCountGet() : 0;
   if (count <= 0)
   {
      return;
   }
   float step = 360.0f / static_cast<float>(count);
   Point2F containerAt = itemContainer->PositionGet();
   Point2F centre{ringBounds.x + ringBounds.width / 2.0f - containerAt.x,
                  ringBounds.y + ringBounds.height / 2.0f - containerAt.y};
   Point2F radius{ringBounds.width / 2.0f, ringBounds.height / 2.0f};
   for (i32 i = 0; i < count; i++)
   {
      Widget* child = itemContainer->ChildGetAt(i);
      // 270 puts the chosen item at the bottom of the ellipse, the front.
      float degrees = step * static_cast<float>(i) + ringAngle + 270.0f;
      float position = degrees * 4096.0f / 360.0f;
      float s = SineTable::ValueGet(SineTable::IndexGet(position));
      float c = SineTable::ValueGet(SineTable::IndexGet(position) + SineTable::QUARTER);
      child->PositionSet(Point2F{centre.x + radius.x * c, centre.y - radius.y * s});
      float t = (1.0f - s) / 2.0f;
      t = t < 0.0f ? 0.0f : (t > 1.0f ? 1.0f : t);
      child->ScaleSet(itemBackScale.x * (1.0f - t) + itemFrontScale.x * t,
                      itemBackScale.y * (1.0f - t) + itemFrontScale.y * t);
      child->ColorSet(ColorRGBA8{ChannelBlend(itemBackColor.r, itemFrontColor.r, t),
                                 ChannelBlend(itemBackColor.g, itemFrontColor.g, t),
                                 ChannelBlend(itemBackColor.b, itemFrontColor.b, t),
                                 ChannelBlend(itemBackColor.a, itemFrontColor.a, t)});
   }
}

void RingSelectorWidget::Update(u32 elapsed)
{
   SelectorWidget::Update(elapsed);
   ItemsLayout();
   if (!selection || elapsed == 0 || ItemIndexGet(selection) < 0)
   {
      return;
   }
   float target = RingAngleTargetGet();
   // The same share of the turn is left after a second however the second is cut into frames.
   float remainder = static_cast<float>(std::pow(1.0 - static_cast<double>(ringRotationSpeed),
                                                 static_cast<double>(elapsed) / 1000.0)) *
                     (target - ringAngle);
   ringAngle = std::fabs(remainder) <= 0.1f ? target : target - remainder;
}

void RingSelectorWidget::SelectionStep(i32 delta, bool byUser)
{
   i32 before = ItemIndexGet(selection);
   SelectorWidget::SelectionStep(delta, byUser);
   i32 after = ItemIndexGet(selection);
   if (!wrapAround || before < 0 || after < 0)
   {
      return;
   }
   if (delta < 0 && after > before)
   {
      ringAngle = std::fmod(ringAngle, 360.0f) - 360.0f;
   }
   else if (delta > 0 && after < before)
   {
      ringAngle = std::fmod(ringAngle, 360.0f) + 360.0f;
   }
}

void RingSelectorWidget::TransitionsFinish()
{
   ringAngle = RingAngleTargetGet();
   ItemsLayout();
}
} // namespace Corvale
