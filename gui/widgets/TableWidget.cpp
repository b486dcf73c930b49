// Tables: building rows from the template, the selection and its notices, keys with hold repeat,
// row paths, sorting by a column and the parts of a row.
#include "gui/widgets/TableWidget.h"

#include <cstdio>
#include <cstring>

#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "gui/GUIManager.h"
#include "gui/widgets/LabelWidget.h"
#include "gui/widgets/StateContainerWidget.h"
#include "gui/widgets/TableColumnTitleButtonWidget.h"
#include "platform/input/Keyboard.h"
#include "platform/input/PlatformKeys.h"

namespace Corvale
{
namespace
{
const u8 tableKeys[TABLE_KEY_COUNT] = {VK_UP, VK_DOWN, VK_PRIOR, VK_NEXT, VK_RETURN};

bool KeyHeldCheck(u8 key)
{
   return keyboardState.current[key] != 0;
}

// A required part missing is a broken layer file: the program stops with the layer's name.
void RequiredObjectCheck(Widget* widget, const JSONValue* specification, const char* key, const char* what)
{
   if (specification->ItemGet(key)->TypeGet() == JSONValue::TYPE_OBJECT)
   {
      return;
   }
   if (widget->NameGet())
   {
      ErrorPrintf("%s::Init -- Missing \"%s\"%s for widget \"%s\"\n", widget->TypeNameGet(), key, what,
                  widget->NameGet());
   }
   ErrorPrintf("%s::Init -- Missing \"%s\"%s\n", widget->TypeNameGet(), key, what);
}

template <class T> T* PartCreate(Widget* owner, const char* part)
{
   T* widget = MemoryNew<T>(HEAP_DEFAULT);
   if (!widget)
   {
      ErrorPrintf("%s::Init -- unable to allocate the \"%s\" of widget \"%s\"\n", owner->TypeNameGet(), part,
                  owner->NameGet() ? owner->NameGet() : "");
   }
   return widget;
}
} // namespace

// ---------------------------------------------------------------------------------------------
// Scroll box

void TableScrollBoxWidget::Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification)
{
   columnsContainer = nullptr;
   ScrollBoxWidget::Init(widgetName, parentWidget, specification);
   if (!specification)
   {
      specification = &JSONValue::nullValue;
   }
   RequiredObjectCheck(this, specification, "Columns", "");
   ContainerWidget* columns = PartCreate<ContainerWidget>(this, "Columns");
   columns->Init("Columns", this, specification->ItemGet("Columns"));
   ChildInsertBefore("ClipContainer", columns);
   columnsContainer = columns;
}

// ---------------------------------------------------------------------------------------------
// Row parts

void TableRowWidget::Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification,
                          TableWidget* owner)
{
   table = owner;
   rowButton = nullptr;
   cells = nullptr;
   ContainerWidget::Init(widgetName, parentWidget, specification);
   if (!specification)
   {
      specification = &JSONValue::nullValue;
   }
   const JSONValue* item = specification->ItemGet("RowButton");
   if (item->TypeGet() == JSONValue::TYPE_OBJECT)
   {
      TableRowButtonWidget* button = PartCreate<TableRowButtonWidget>(this, "RowButton");
      button->Init("RowButton", this, item, owner);
      ChildAddLast(button);
      rowButton = button;
   }
   RequiredObjectCheck(this, specification, "Cells", " container");
   TableRowCellsContainerWidget* made = PartCreate<TableRowCellsContainerWidget>(this, "Cells");
   made->Init("Cells", this, specification->ItemGet("Cells"), owner);
   ChildAddLast(made);
   cells = made;
}

void TableRowCellsContainerWidget::Init(const char* widgetName, Widget* parentWidget,
                                        const JSONValue* specification, TableWidget* owner)
{
   // Set first: the cells build their Lua handler tables through it.
   table = owner;
   ContainerWidget::Init(widgetName, parentWidget, specification);
}

Font* TableRowCellsContainerWidget::FontGet()
{
   TableRowWidget* row = dynamic_cast<TableRowWidget*>(ParentGet());
   if (row && row->RowButtonGet())
   {
      return row->RowButtonGet()->FontGet();
   }
   return ContainerWidget::FontGet();
}

char* TableRowCellsContainerWidget::EventHandlerTableBuild(i32 spareLength)
{
   if (!table)
   {
      if (NameGet())
      {
         ErrorPrintf("%s::EventHandlerTableBuild ancestor TableWidget not defined for widget \"%s\".",
                     TypeNameGet(), NameGet());
      }
      ErrorPrintf("%s::EventHandlerTableBuild ancestor TableWidget not defined.", TypeNameGet());
   }
   return table->EventHandlerTableBuild(spareLength);
}

void TableRowButtonWidget::Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification,
                                TableWidget* owner)
{
   table = nullptr;
   ToggleButtonWidget::Init(widgetName, parentWidget, specification);
   table = owner;
}

void TableRowButtonWidget::OnPress()
{
   // The plain press: the toggle's own press handling would answer to Lua and the owner.
   Widget::OnPress();
   if (VisibleCheck() && EnabledCheck() && table)
   {
      table->RowSelect(dynamic_cast<TableRowWidget*>(ParentGet()), true);
   }
}

void TableRowButtonWidget::OnDoubleClick()
{
   TableRowWidget* row = dynamic_cast<TableRowWidget*>(ParentGet());
   if (row && table)
   {
      table->OnRowDoubleClick(row);
   }
}

// ---------------------------------------------------------------------------------------------
// Table

void TableWidget::TypeRegister()
{
   GUIManager::WidgetTypeRegister("Table", &WidgetCreate<TableWidget>);
}

TableWidget::~TableWidget()
{
   // Only a table destroyed without its Deinit still owns its template here.
   MemoryDelete(rowTemplate);
   rowTemplate = nullptr;
}

void TableWidget::CallbacksClear()
{
   onEnterPress = nullptr;
   onEnterPressUserData = nullptr;
   onSelectionChange = nullptr;
   onSelectionChangeUserData = nullptr;
   onRowDoubleClick = nullptr;
   onRowDoubleClickUserData = nullptr;
}

void TableWidget::Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification)
{
   selectedRow = nullptr;
   scrollBox = nullptr;
   MemoryDelete(rowTemplate);
   rowTemplate = nullptr;
   sortColumn = -1;
   sortAscending = 0;
   CallbacksClear();
   ContainerWidget::Init(widgetName, parentWidget, specification);
   ChildrenCapacitySet(children.count + 2);
   if (!specification)
   {
      specification = &JSONValue::nullValue;
   }

   RequiredObjectCheck(this, specification, "ScrollBox", "");
   TableScrollBoxWidget* box = PartCreate<TableScrollBoxWidget>(this, "ScrollBox");
   box->Init("ScrollBox", this, specification->ItemGet("ScrollBox"));
   ChildAddLast(box);
   scrollBox = box;

   RequiredObjectCheck(this, specification, "RowTemplate", "");
   rowTemplate = specification->ItemGet("RowTemplate")->Clone(HEAP_DEFAULT);
   if (!rowTemplate)
   {
      ErrorPrintf("%s::Init -- unable to copy the \"RowTemplate\" of widget \"%s\"\n", TypeNameGet(),
                  NameGet() ? NameGet() : "");
   }
   // One row built and dropped at once: a template without "Cells" stops the program while its
   // layer loads, not when the first row is added.
   RowAdd();
   RowRemoveAt(0);

   bool flag;
   specification->BoolGet(&flag, "ShiftDownOnEnter", false);
   ShiftDownOnEnterSet(flag);

   for (HoldTracker& tracker : keyTrackers)
   {
      tracker = HoldTracker();
      tracker.fireOnStart = true;
      tracker.startDelay = HoldStartDelayGet();
      tracker.interval = HoldIntervalDurationGet();
   }
}

void TableWidget::Deinit()
{
   MemoryDelete(rowTemplate);
   rowTemplate = nullptr;
   ContainerWidget::Deinit();
   selectedRow = nullptr;
   scrollBox = nullptr;
   CallbacksClear();
}

void TableWidget::Update(u32 elapsed)
{
   ContainerWidget::Update(elapsed);

   i32 key = -1;
   if (InputAcceptableCheck() && FocusCheck() && scrollBox)
   {
      for (i32 i = 0; i < TABLE_KEY_COUNT && key < 0; i++)
      {
         if (KeyHeldCheck(tableKeys[i]))
         {
            key = i;
         }
      }
      // Alt+Enter belongs to the window (full screen), not to the table.
      if (key == TABLE_KEY_ENTER && (KeyHeldCheck(VK_LMENU) || KeyHeldCheck(VK_RMENU)))
      {
         key = -1;
      }
   }

   for (i32 i = 0; i < TABLE_KEY_COUNT; i++)
   {
      if (!keyTrackers[i].Step(key == i, elapsed))
      {
         continue;
      }
      switch (i)
      {
      case TABLE_KEY_UP:
         SelectionMove(-1, false, true);
         break;
      case TABLE_KEY_DOWN:
         SelectionMove(1, false, true);
         break;
      case TABLE_KEY_PAGE_UP:
         SelectionMove(-RowsPerPageGet(), false, true);
         break;
      case TABLE_KEY_PAGE_DOWN:
         SelectionMove(RowsPerPageGet(), false, true);
         break;
      default:
         // Enter is reported once per hold; the selection may keep moving while it is held.
         if (keyTrackers[i].count == 1)
         {
            OnEnterPress();
         }
         if (shiftDownOnEnter)
         {
            SelectionMove(1, true, true);
         }
         break;
      }
   }
}

ContainerWidget* TableWidget::RowsContainerGet()
{
   return scrollBox ? scrollBox->ClipContainerGet() : nullptr;
}

TableRowWidget* TableWidget::RowCreate(ContainerWidget* rowsParent)
{
   if (!rowTemplate)
   {
      return nullptr;
   }
   TableRowWidget* row = MemoryNew<TableRowWidget>(HEAP_DEFAULT);
   if (!row)
   {
      WarningPrintf("TableWidget::RowCreate -- unable to allocate a row of widget \"%s\"\n",
                    name ? name : "");
      return nullptr;
   }
   row->Init("Row", rowsParent, rowTemplate, this);
   return row;
}

bool TableWidget::RowAdd()
{
   ContainerWidget* rows = RowsContainerGet();
   if (!rows)
   {
      return false;
   }
   TableRowWidget* row = RowCreate(rows);
   if (!row)
   {
      return false;
   }
   rows->ChildAddLast(row);
   RowsLayout();
   return true;
}

void TableWidget::RowRemove(TableRowWidget* row)
{
   ContainerWidget* rows = RowsContainerGet();
   if (!row || !rows)
   {
      return;
   }
   if (row == selectedRow)
   {
      SelectionClear();
   }
   rows->ChildRemove(row);
   RowsLayout();
}

bool TableWidget::RowRemoveAt(i32 index)
{
   TableRowWidget* row = RowGet(index);
   if (!row)
   {
      return false;
   }
   RowRemove(row);
   return true;
}

TableRowWidget* TableWidget::RowGet(i32 index)
{
   ContainerWidget* rows = RowsContainerGet();
   return rows ? dynamic_cast<TableRowWidget*>(rows->ChildGetAt(index)) : nullptr;
}

i32 TableWidget::RowIndexGet(TableRowWidget* row)
{
   ContainerWidget* rows = RowsContainerGet();
   return rows && row ? rows->ChildIndexGet(row) : -1;
}

i32 TableWidget::RowCountGet()
{
   ContainerWidget* rows = RowsContainerGet();
   return rows ? rows->ChildCountGet() : 0;
}

Widget* TableWidget::CellGet(i32 rowIndex, i32 columnIndex)
{
   TableRowWidget* row = RowGet(rowIndex);
   if (!row || !row->CellsGet())
   {
      return nullptr;
   }
   return row->CellsGet()->ChildGetAt(columnIndex);
}

void TableWidget::RowsLayout()
{
   ContainerWidget* rows = RowsContainerGet();
   if (!rows)
   {
      return;
   }
   float y = 0.0f;
   float width = 1.0f;
   for (i32 i = 0; i < rows->ChildCountGet(); i++)
   {
      Widget* row = rows->ChildGetAt(i);
      row->PositionSet(Point2F{0.0f, y});
      const Box2F box = row->BoundsGet();
      if (i == 0)
      {
         width = box.width;
      }
      y += box.height;
   }
   // The scroll box follows the new content size.
   rows->BoundsSet(Box2F{0.0f, 0.0f, width, y});
}

void TableWidget::RowSelect(TableRowWidget* row, bool byUser)
{
   if (row != selectedRow)
   {
      TableRowWidget* old = selectedRow;
      selectedRow = row;
      if (old && old->RowButtonGet())
      {
         old->RowButtonGet()->OnSet(false);
      }
      if (row && row->RowButtonGet())
      {
         row->RowButtonGet()->OnSet(true);
      }
      OnSelectionChange(row, old, byUser);
   }
   else if (row && row->RowButtonGet())
   {
      row->RowButtonGet()->OnSet(true);
   }
   if (scrollBox && row)
   {
      const Point2F at = row->PositionGet();
      const Box2F box = row->BoundsGet();
      scrollBox->ScrollToShow(at.x + box.x, at.y + box.y, box.width, box.height);
   }
}

bool TableWidget::SelectionSetByIndex(i32 index, bool byUser)
{
   TableRowWidget* row = RowGet(index);
   if (!row)
   {
      return false;
   }
   RowSelect(row, byUser);
   return true;
}

i32 TableWidget::SelectionGet()
{
   return selectedRow ? RowIndexGet(selectedRow) : -1;
}

void TableWidget::SelectionMove(i32 delta, bool wrap, bool byUser)
{
   const i32 count = RowCountGet();
   if (count <= 0)
   {
      return;
   }
   i32 target = 0;
   const i32 current = SelectionGet();
   if (current >= 0)
   {
      // In 64 bits: a page step added to an index must not overflow.
      i64 moved = static_cast<i64>(current) + delta;
      if (wrap)
      {
         moved %= count;
         if (moved < 0)
         {
            moved += count;
         }
      }
      else
      {
         moved = moved < 0 ? 0 : (moved > count - 1 ? count - 1 : moved);
      }
      target = static_cast<i32>(moved);
   }
   SelectionSetByIndex(target, byUser);
}

i32 TableWidget::RowsPerPageGet()
{
   ScrollBoxClipContainerWidget* rows = scrollBox ? scrollBox->ClipContainerGet() : nullptr;
   return rows ? rows->PageStepGet() : 0;
}

void TableWidget::OnSelectionChange(TableRowWidget* newRow, TableRowWidget* oldRow, bool byUser)
{
   if (!RowsContainerGet())
   {
      return;
   }
   const i32 newNumber = newRow ? RowIndexGet(newRow) + 1 : 0;
   const i32 oldNumber = oldRow ? RowIndexGet(oldRow) + 1 : 0;
   if (GUIManager::scriptingEnabled)
   {
      LuaEventCallf("OnSelectionChange", "%d,%d,%s", newNumber, oldNumber, byUser ? "true" : "false");
   }
   if (onSelectionChange)
   {
      onSelectionChange(newRow, oldRow, byUser, this, onSelectionChangeUserData);
   }
}

void TableWidget::OnEnterPress()
{
   LuaEventCallf("OnEnterPress", "");
   if (onEnterPress)
   {
      onEnterPress(this, onEnterPressUserData);
   }
}

void TableWidget::OnRowDoubleClick(TableRowWidget* row)
{
   if (!row)
   {
      return;
   }
   ContainerWidget* rows = dynamic_cast<ContainerWidget*>(row->ParentGet());
   if (rows)
   {
      LuaEventCallf("OnRowDoubleClick", "%d", rows->ChildIndexGet(row) + 1);
   }
   if (onRowDoubleClick)
   {
      onRowDoubleClick(row, this, onRowDoubleClickUserData);
   }
}

i32 TableWidget::EventRowIndexGet()
{
   ContainerWidget* rows = RowsContainerGet();
   if (!rows || !rows->EventSourceChildGet())
   {
      return -1;
   }
   return rows->ChildIndexGet(rows->EventSourceChildGet());
}

Widget* TableWidget::DescendantGetByPath(const char* path)
{
   if (!path)
   {
      return nullptr;
   }
   const char* dot = std::strchr(path, '.');
   const size_t length = dot ? static_cast<size_t>(dot - path) : std::strlen(path);
   char segment[64];
   const size_t kept = length < sizeof(segment) - 1 ? length : sizeof(segment) - 1;
   std::memcpy(segment, path, kept);
   segment[kept] = 0;

   // "Row" and a number, and nothing more.
   i32 number = 0;
   i32 consumed = 0;
   if (length != kept || std::sscanf(segment, "Row%d%n", &number, &consumed) != 1 ||
       static_cast<size_t>(consumed) != kept)
   {
      WarningPrintf("%s::DescendantGetByPath -- Incorrect path for row of TableWidget \"%s\": %s\nThe "
                    "correct pattern is \"RowX\".\n",
                    TypeNameGet(), name ? name : "", segment);
      return nullptr;
   }
   TableRowWidget* row = RowGet(number - 1);
   if (!row || !dot)
   {
      return row;
   }
   return row->CellsGet() ? row->CellsGet()->DescendantGetByPath(dot + 1) : nullptr;
}

void TableWidget::SortByColumn(i32 column)
{
   Sort(column, column == sortColumn ? !sortAscending : true);
}

void TableWidget::ColumnStateSet(i32 column, const char* stateName)
{
   if (!scrollBox || !scrollBox->ColumnsContainerGet())
   {
      return;
   }
   StateContainerWidget* header =
       dynamic_cast<StateContainerWidget*>(scrollBox->ColumnsContainerGet()->ChildGetAt(column));
   if (header)
   {
      header->StateSetByName(stateName);
   }
}

void TableWidget::SortColumnSet(i32 column, bool ascending)
{
   if (sortColumn != -1 && sortColumn != column)
   {
      ColumnStateSet(sortColumn, "Unsorted");
   }
   ColumnStateSet(column, ascending ? "Ascending" : "Descending");
   sortColumn = column;
   sortAscending = ascending ? 1 : 0;
}

void TableWidget::Sort(i32 column, bool ascending)
{
   SortColumnSet(column, ascending);

   ContainerWidget* rows = RowsContainerGet();
   if (rows && rows->ChildCountGet() > 0)
   {
      TableRowWidgetComparator* comparator =
          TableRowWidgetComparator::Create(CellGet(0, column), column, ascending);
      if (comparator)
      {
         rows->ChildrenSort(comparator);
         MemoryDelete(comparator);
      }
   }
   // The selection stays where it is and is not scrolled into view.
   RowsLayout();
}

bool TableWidget::OnSelectionChangeCallbackSet(const char* path, TableSelectionChangeCallback callback)
{
   if (!GUIManager::initialised)
   {
      return false;
   }
   TableWidget* table = dynamic_cast<TableWidget*>(GUIManager::WidgetGetByPath(path));
   if (!table)
   {
      return false;
   }
   table->onSelectionChange = callback;
   table->onSelectionChangeUserData = nullptr;
   return true;
}
} // namespace Corvale
