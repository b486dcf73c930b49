// Column titles of a table: a click sorts the table by the title's column, and the comparators
// that order rows by a label or number cell of that column.
#pragma once

#include "gui/widgets/ContainerWidget.h"
#include "gui/widgets/PressButtonWidget.h"

namespace Corvale
{
class TableWidget;

// Orders table rows by their cell of one column; lives for one sort.
class TableRowWidgetComparator : public WidgetComparator
{
 public:
   TableRowWidgetComparator(i32 columnIndex, bool isAscending) : column(columnIndex), ascending(isAscending)
   {
   }

   // The comparator for the kind of the given cell (the first row's): number labels by value,
   // labels by text; null for any other cell, which leaves the order alone.
   static TableRowWidgetComparator* Create(Widget* cell, i32 columnIndex, bool isAscending);

   i32 column;
   bool ascending;

 protected:
   // The row's cell of the column.
   Widget* CellGet(Widget* row);
};

// Byte by byte, so "10" < "100" < "9"; rows without text go last in both directions.
class LabelComparator : public TableRowWidgetComparator
{
 public:
   using TableRowWidgetComparator::TableRowWidgetComparator;
   bool LessCheck(Widget* a, Widget* b) override;
};

class NumberLabelComparator : public TableRowWidgetComparator
{
 public:
   using TableRowWidgetComparator::TableRowWidgetComparator;
   bool LessCheck(Widget* a, Widget* b) override;
};

// Sits in a state of a column header: table, scroll box, columns container, header, state, button.
class TableColumnTitleButtonWidget : public PressButtonWidget
{
 public:
   void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification) override;
   const char* TypeNameGet() override { return "TableColumnTitleButtonWidget"; }
   void OnClick() override;
   bool EventHandlerTableWantedCheck() override { return false; }
   bool LuaEventsEnabledCheck() override { return false; }

   // Finds the table and the column from the button's place; placement errors are logged.
   virtual void AncestorsCache();

   // Makes "TableColumnTitleButton" known to the widget-type registry.
   static void TypeRegister();

   TableWidget* table = nullptr;
   i32 column = -1;
   u8 ancestorsCached = 0;
};
} // namespace Corvale
