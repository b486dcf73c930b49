// Column title buttons: finding their table and column, sorting on a click, and the row
// comparators by label text and by number.
#include "gui/widgets/TableColumnTitleButtonWidget.h"

#include <cstring>

#include "core/Log.h"
#include "core/Memory.h"
#include "gui/widgets/LabelWidget.h"
#include "gui/widgets/NumberLabelWidget.h"
#include "gui/widgets/StateContainerWidget.h"
#include "gui/widgets/TableWidget.h"

namespace Corvale
{
// ---------------------------------------------------------------------------------------------
// Comparators

TableRowWidgetComparator* TableRowWidgetComparator::Create(Widget* cell, i32 columnIndex, bool isAscending)
{
   // A number label is a label too: it is asked first.
   if (dynamic_cast<NumberLabelWidget*>(cell))
   {
      return MemoryNew<NumberLabelComparator>(HEAP_DEFAULT, columnIndex, isAscending);
   }
   if (dynamic_cast<LabelWidget*>(cell))
   {
      return MemoryNew<LabelComparator>(HEAP_DEFAULT, columnIndex, isAscending);
   }
   return nullptr;
}

Widget* TableRowWidgetComparator::CellGet(Widget* row)
{
   TableRowWidget* tableRow = dynamic_cast<TableRowWidget*>(row);
   if (!tableRow || !tableRow->CellsGet())
   {
      return nullptr;
   }
   return tableRow->CellsGet()->ChildGetAt(column);
}

bool LabelComparator::LessCheck(Widget* a, Widget* b)
{
   LabelWidget* labelA = dynamic_cast<LabelWidget*>(CellGet(a));
   LabelWidget* labelB = dynamic_cast<LabelWidget*>(CellGet(b));
   const char* textA = labelA ? labelA->TextGet() : nullptr;
   const char* textB = labelB ? labelB->TextGet() : nullptr;
   if (!textA)
   {
      return false;
   }
   if (!textB)
   {
      return true;
   }
   // strcmp compares as unsigned bytes.
   return ascending ? std::strcmp(textA, textB) < 0 : std::strcmp(textB, textA) < 0;
}

bool NumberLabelComparator::LessCheck(Widget* a, Widget* b)
{
   NumberLabelWidget* cellA = dynamic_cast<NumberLabelWidget*>(CellGet(a));
   NumberLabelWidget* cellB = dynamic_cast<NumberLabelWidget*>(CellGet(b));
   const double valueA = cellA ? cellA->value : 0.0;
   const double valueB = cellB ? cellB->value : 0.0;
   return ascending ? valueA < valueB : valueA > valueB;
}

// ---------------------------------------------------------------------------------------------
// Title button

void TableColumnTitleButtonWidget::TypeRegister()
{
   GUIManager::WidgetTypeRegister("TableColumnTitleButton", &WidgetCreate<TableColumnTitleButtonWidget>);
}

void TableColumnTitleButtonWidget::Init(const char* widgetName, Widget* parentWidget,
                                        const JSONValue* specification)
{
   table = nullptr;
   column = -1;
   ancestorsCached = 0;
   PressButtonWidget::Init(widgetName, parentWidget, specification);
}

void TableColumnTitleButtonWidget::OnClick()
{
   PressButtonWidget::OnClick();
   if (!VisibleCheck() || !EnabledCheck())
   {
      return;
   }
   if (!ancestorsCached)
   {
      AncestorsCache();
   }
   if (table)
   {
      table->SortByColumn(column);
   }
}

void TableColumnTitleButtonWidget::AncestorsCache()
{
   ancestorsCached = 1;
   const char* typeName = TypeNameGet();
   const char* buttonName = NameGet() ? NameGet() : "";
   Widget* ancestor = this;
   for (i32 level = 1; level <= 5; level++)
   {
      ancestor = ancestor->ParentGet();
      if (!ancestor)
      {
         if (NameGet())
         {
            WarningPrintf(
                "%s::AncestorsCache -- Incorrect placement of \"%s\" in a TableWidget's tree of widgets.",
                typeName, buttonName);
         }
         else
         {
            WarningPrintf(
                "%s::AncestorsCache -- Incorrect placement of widget in a TableWidget's tree of widgets.",
                typeName);
         }
         return;
      }
      if (level == 2)
      {
         StateContainerWidget* header = dynamic_cast<StateContainerWidget*>(ancestor);
         ContainerWidget* columns = header ? dynamic_cast<ContainerWidget*>(header->ParentGet()) : nullptr;
         const i32 index = columns ? columns->ChildIndexGet(header) : -1;
         if (!header)
         {
            WarningPrintf("%s::AncestorsCache -- Can't find corresonding column for \"%s\"", typeName,
                          buttonName);
         }
         else if (!columns)
         {
            WarningPrintf("%s::AncestorsCache -- Can't find corresonding column container for \"%s\"",
                          typeName, buttonName);
         }
         else if (index < 0)
         {
            WarningPrintf(
                "%s::AncestorsCache -- Can't find corresonding column in column container for \"%s\"",
                typeName, buttonName);
         }
         else
         {
            column = index;
         }
      }
      else if (level == 5)
      {
         table = dynamic_cast<TableWidget*>(ancestor);
         if (!table)
         {
            WarningPrintf("%s::AncestorsCache -- Can't find corresonding TableWidget for \"%s\"", typeName,
                          buttonName);
         }
      }
   }
}
} // namespace Corvale
