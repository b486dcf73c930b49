// Tables: rows built from one row template and stacked in a scroll box under a row of column
// headers, one selected row chosen by pointer or keys, sorting by a column, and notices of
// selection, Enter and double click to Lua and to the owner.
#pragma once

#include "gui/widgets/ContainerWidget.h"
#include "gui/widgets/ScrollBoxWidget.h"
#include "gui/widgets/ToggleButtonWidget.h"
#include "platform/input/HoldTracker.h"

namespace Corvale
{
class TableRowButtonWidget;
class TableRowCellsContainerWidget;
class TableRowWidget;
class TableWidget;

// The keys a focused table reads, in the order of its hold trackers.
enum TableKey : i32
{
   TABLE_KEY_UP = 0,
   TABLE_KEY_DOWN = 1,
   TABLE_KEY_PAGE_UP = 2,
   TABLE_KEY_PAGE_DOWN = 3,
   TABLE_KEY_ENTER = 4,
   TABLE_KEY_COUNT = 5
};

typedef void (*TableEnterPressCallback)(TableWidget* table, void* userData);
// byUser: the pointer or the keys, as opposed to a change made by code.
typedef void (*TableSelectionChangeCallback)(TableRowWidget* newRow, TableRowWidget* oldRow, bool byUser,
                                             TableWidget* table, void* userData);
typedef void (*TableRowDoubleClickCallback)(TableRowWidget* row, TableWidget* table, void* userData);

// The table's scroll box: the column headers sit above its content and do not scroll with it.
class TableScrollBoxWidget : public ScrollBoxWidget
{
 public:
   // "Columns" is a required object.
   void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification) override;
   const char* TypeNameGet() override { return "TableScrollBoxWidget"; }

   virtual ContainerWidget* ColumnsContainerGet() { return columnsContainer; }

   ContainerWidget* columnsContainer = nullptr;
};

// What the parts of a row share: their table makes them through the Init that names it, so the
// generic ones do nothing, and they have no Lua handler table of their own.
template <class Base> class TableRowPartWidget : public Base
{
 public:
   void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification) override
   {
      (void)widgetName;
      (void)parentWidget;
      (void)specification;
   }
   void InitWithoutSpecification(const char* widgetName, Widget* parentWidget) override
   {
      (void)widgetName;
      (void)parentWidget;
   }
   bool EventHandlerTableWantedCheck() override { return false; }

   TableWidget* table = nullptr;
};

// One row: an optional row button under the cells.
class TableRowWidget : public TableRowPartWidget<ContainerWidget>
{
 public:
   using TableRowPartWidget<ContainerWidget>::Init;
   const char* TypeNameGet() override { return "TableRowWidget"; }

   // "Cells" is a required object; "RowButton" is optional.
   virtual void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification,
                     TableWidget* owner);
   virtual TableRowButtonWidget* RowButtonGet() { return rowButton; }
   virtual TableRowCellsContainerWidget* CellsGet() { return cells; }
   virtual TableWidget* TableGet() { return table; }

   TableRowButtonWidget* rowButton = nullptr;
   TableRowCellsContainerWidget* cells = nullptr;
};

// The cells of a row, one child per column; their Lua handlers live in the table's table.
class TableRowCellsContainerWidget : public TableRowPartWidget<ContainerWidget>
{
 public:
   using TableRowPartWidget<ContainerWidget>::Init;
   const char* TypeNameGet() override { return "TableRowCellsContainerWidget"; }
   // The row button's font, so that the cells follow the button's state.
   Font* FontGet() override;
   char* EventHandlerTableBuild(i32 spareLength) override;

   virtual void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification,
                     TableWidget* owner);
};

// The button behind a row: a press selects the row, a double click reports it.
class TableRowButtonWidget : public TableRowPartWidget<ToggleButtonWidget>
{
 public:
   using TableRowPartWidget<ToggleButtonWidget>::Init;
   const char* TypeNameGet() override { return "TableRowButtonWidget"; }
   void OnPress() override;
   void OnDoubleClick() override;
   bool LuaEventsEnabledCheck() override { return false; }
   // The on-state shows the selection, which only the table changes: a click must not flip it.
   bool ToggleOnClickDefaultGet() override { return false; }

   virtual void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification,
                     TableWidget* owner);
};

class TableWidget : public ContainerWidget
{
 public:
   TableWidget() = default;
   ~TableWidget() override;

   // "ScrollBox" and "RowTemplate" are required objects; "ShiftDownOnEnter" is optional.
   void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification) override;
   void Deinit() override;
   void Update(u32 elapsed) override;
   const char* TypeNameGet() override { return "TableWidget"; }
   bool LuaEventsEnabledCheck() override { return true; }
   bool CanHaveFocusDefaultGet() override { return true; }
   // "Row<n>.<cell path>" names a cell of row n, counted from 1; "Row<n>" the row itself.
   Widget* DescendantGetByPath(const char* path) override;

   virtual void SelectionClear() { RowSelect(nullptr, false); }
   // Reports only a change, but always brings the row into view.
   virtual void RowSelect(TableRowWidget* row, bool byUser);
   virtual bool SelectionSetByIndex(i32 index, bool byUser);
   virtual TableRowWidget* SelectedRowGet() { return selectedRow; }
   // -1 without a selection.
   virtual i32 SelectionGet();
   virtual Widget* CellGet(i32 rowIndex, i32 columnIndex);
   virtual void OnSelectionChange(TableRowWidget* newRow, TableRowWidget* oldRow, bool byUser);
   virtual void OnEnterPress();
   // Appends a row made from the template; does not sort.
   virtual bool RowAdd();
   virtual void RowRemove(TableRowWidget* row);
   virtual bool RowRemoveAt(i32 index);
   virtual TableRowWidget* RowGet(i32 index);
   virtual i32 RowIndexGet(TableRowWidget* row);
   virtual i32 RowCountGet();
   // Ascending on a new column, the other way on the current one.
   virtual void SortByColumn(i32 column);
   virtual void Sort(i32 column, bool ascending);
   // The row through which the Lua event being handled came; -1 when none.
   virtual i32 EventRowIndexGet();
   virtual void OnRowDoubleClick(TableRowWidget* row);
   // How far Page Up and Page Down move; 0 when nothing can be measured.
   virtual i32 RowsPerPageGet();
   virtual bool ShiftDownOnEnterGet() { return shiftDownOnEnter != 0; }
   virtual void ShiftDownOnEnterSet(bool on) { shiftDownOnEnter = on ? 1 : 0; }
   // Made from the template, not yet added; null without a template.
   virtual TableRowWidget* RowCreate(ContainerWidget* rowsParent);
   // Stacks the rows from the top and sizes the content to them.
   virtual void RowsLayout();
   // Clamped to the rows, or around them with wrap; with nothing selected the first row.
   virtual void SelectionMove(i32 delta, bool wrap, bool byUser);

   // The header of the column shows the state of that name, when it is a state container.
   void ColumnStateSet(i32 column, const char* stateName);
   // The sort column and direction, shown by the headers; the rows are left alone.
   void SortColumnSet(i32 column, bool ascending);
   // The rows' parent: the scroll box's content; null before Init.
   ContainerWidget* RowsContainerGet();

   // Sets the selection callback of the table at a dotted path from the GUI root; false when
   // there is no such widget or it is not a table.
   static bool OnSelectionChangeCallbackSet(const char* path, TableSelectionChangeCallback callback);
   // Makes "Table" known to the widget-type registry.
   static void TypeRegister();

   u8 shiftDownOnEnter = 0;
   u8 sortAscending = 0;
   i32 sortColumn = -1;
   TableRowWidget* selectedRow = nullptr;
   TableScrollBoxWidget* scrollBox = nullptr;
   JSONValue* rowTemplate = nullptr;
   TableEnterPressCallback onEnterPress = nullptr;
   void* onEnterPressUserData = nullptr;
   TableSelectionChangeCallback onSelectionChange = nullptr;
   void* onSelectionChangeUserData = nullptr;
   TableRowDoubleClickCallback onRowDoubleClick = nullptr;
   void* onRowDoubleClickUserData = nullptr;
   HoldTracker keyTrackers[TABLE_KEY_COUNT];

 private:
   void CallbacksClear();
};
} // namespace Corvale
