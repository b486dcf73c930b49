// The JSON editor: a table whose rows show one level of a document as its schema describes it,
// write the user's edits straight back and step into nested levels and out again.
#include "gui/widgets/JSONEditorWidget.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "gui/GUIManager.h"
#include "gui/widgets/DropDownListWidget.h"
#include "gui/widgets/PressButtonWidget.h"
#include "gui/widgets/TextEntryWidget.h"

namespace Corvale
{
namespace
{
const char* const baseTypes[] = {"Number", "String", "Boolean", "Object", "Array"};

bool BaseTypeCheck(const char* type)
{
   for (const char* base : baseTypes)
   {
      if (std::strcmp(type, base) == 0)
      {
         return true;
      }
   }
   return false;
}

// A whole number inside the 64-bit range as such, anything else with every digit a double holds.
void NumberFormat(double number, char* buffer, size_t size)
{
   if (std::isfinite(number) && number == std::floor(number) && number >= -9223372036854775808.0 &&
       number < 9223372036854775808.0)
   {
      std::snprintf(buffer, size, "%lld", static_cast<long long>(number));
   }
   else
   {
      std::snprintf(buffer, size, "%.20g", number);
   }
}

// True when the whole text, spaces around it allowed, is a finite number: the document must stay
// writable, and "12abc" is not twelve.
bool NumberParse(const char* text, double* number)
{
   if (!text)
   {
      return false;
   }
   char* end = nullptr;
   errno = 0;
   const double parsed = std::strtod(text, &end);
   if (end == text || errno == ERANGE || !std::isfinite(parsed))
   {
      return false;
   }
   while (*end == ' ' || *end == '\t')
   {
      end++;
   }
   if (*end != '\0')
   {
      return false;
   }
   *number = parsed;
   return true;
}

// The value's text as a row shows it; empty for anything that is not a number or a string.
void ValueTextGet(const JSONValue* value, char* buffer, size_t size)
{
   buffer[0] = '\0';
   if (!value)
   {
      return;
   }
   if (value->TypeGet() == JSONValue::TYPE_NUMBER)
   {
      NumberFormat(value->DoubleValueGet(), buffer, size);
   }
   else if (value->StringValueGet())
   {
      std::snprintf(buffer, size, "%s", value->StringValueGet());
   }
}

// key of a specification, else of the type definition.
const JSONValue* SpecificationItemGet(const JSONValue* specification, const JSONValue* definition,
                                      const char* key)
{
   const JSONValue* value = specification->ItemFind(key);
   if (!value && definition)
   {
      value = definition->ItemFind(key);
   }
   return value;
}
} // namespace

void JSONEditorWidget::TypeRegister()
{
   GUIManager::WidgetTypeRegister("JSONEditor", &WidgetCreate<JSONEditorWidget>);
}

JSONEditorWidget::~JSONEditorWidget()
{
   // Deinit normally ran; the records and copies are ours either way.
   ItemsFree();
   while (levels.count > 0)
   {
      LevelRemoveLast();
   }
   TemplatesFree();
}

void JSONEditorWidget::Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification)
{
   changeCallback = nullptr;
   changeCallbackArgument = nullptr;
   TableWidget::Init(widgetName, parentWidget, specification);
   if (!specification)
   {
      specification = &JSONValue::nullValue;
   }
   // The layer's specification is gone once the layer is made: the templates are our copies.
   TemplatesFree();
   const struct
   {
      const char* key;
      JSONValue** field;
   } templates[] = {
       {"ItemKeyReadOnlyTemplate", &itemKeyReadOnlyTemplate},
       {"ItemStringTemplate", &itemStringTemplate},
       {"ItemStringReadOnlyTemplate", &itemStringReadOnlyTemplate},
       {"ItemEditButtonTemplate", &itemEditButtonTemplate},
       {"ItemEnumerationTemplate", &itemEnumerationTemplate},
   };
   for (const auto& entry : templates)
   {
      const JSONValue* value = specification->ItemFind(entry.key);
      if (value && value->TypeGet() == JSONValue::TYPE_OBJECT)
      {
         *entry.field = value->Clone(HEAP_DEFAULT);
      }
   }
   const JSONValue* back = specification->ItemFind("BackButton");
   if (back && back->TypeGet() == JSONValue::TYPE_OBJECT)
   {
      backButton = static_cast<PressButtonWidget*>(
          ItemWidgetCreate(MemoryNew<PressButtonWidget>(HEAP_DEFAULT), back, "BackButton", nullptr));
      if (backButton)
      {
         backButton->onPress = &BackButtonPress;
         backButton->onPressUserData = this;
      }
   }
   levels = Table<JSONEditorLevel>(allocatorDefault);
   items = Table<JSONEditorItem*>(allocatorDefault);
}

void JSONEditorWidget::Deinit()
{
   TemplatesFree();
   changeCallback = nullptr;
   changeCallbackArgument = nullptr;
   RowsRemove();
   while (levels.count > 0)
   {
      LevelRemoveLast();
   }
   levels = Table<JSONEditorLevel>();
   items = Table<JSONEditorItem*>();
   schema = nullptr;
   backButton = nullptr;
   TableWidget::Deinit();
}

void JSONEditorWidget::TemplatesFree()
{
   for (JSONValue** field : {&itemKeyReadOnlyTemplate, &itemStringTemplate, &itemStringReadOnlyTemplate,
                             &itemEditButtonTemplate, &itemEnumerationTemplate})
   {
      MemoryDelete(*field);
      *field = nullptr;
   }
}

void JSONEditorWidget::RowSelect(TableRowWidget* row, bool byUser)
{
   if (row)
   {
      return;
   }
   TableWidget::RowSelect(row, byUser);
}

void JSONEditorWidget::Sort(i32 column, bool ascending)
{
   SortColumnSet(column, ascending);
   RowsLayout();
}

void JSONEditorWidget::ChangeNotify(i32 rowIndex)
{
   if (changeCallback)
   {
      changeCallback(this, changeCallbackArgument, rowIndex);
   }
}

JSONValue* JSONEditorWidget::DataGet()
{
   return levels.count > 0 ? levels[levels.count - 1].value : nullptr;
}

bool JSONEditorWidget::DataSet(const JSONValue* schemaObject, JSONValue* document, const char* typeName)
{
   schema = schemaObject;
   RowsRemove();
   while (levels.count > 0)
   {
      LevelRemoveLast();
   }
   if (!document || !typeName)
   {
      return false;
   }
   JSONEditorLevel level = {document, StringDuplicate(typeName, HEAP_DEFAULT), Point2F{0.0f, 0.0f}};
   if (!level.typeName || !levels.Insert(level, levels.count))
   {
      MemoryFree(level.typeName);
      WarningPrintf("JSONEditorWidget::DataSet -- unable to keep the level of %s\n", typeName);
      return false;
   }
   return RowsFill(Point2F{0.0f, 0.0f});
}

void JSONEditorWidget::DataRefresh()
{
   if (levels.count == 0)
   {
      return;
   }
   RowsFill(ScrollGet());
}

Point2F JSONEditorWidget::ScrollGet()
{
   return scrollBox ? scrollBox->ContentOffsetGet() : Point2F{0.0f, 0.0f};
}

bool JSONEditorWidget::RowsFill(const Point2F& scroll)
{
   const bool filled = DataSetHelper();
   if (scrollBox)
   {
      scrollBox->ContentOffsetSet(scroll.x, scroll.y);
   }
   return filled;
}

void JSONEditorWidget::ItemsFree()
{
   for (i32 i = 0; i < items.count; i++)
   {
      MemoryFree(items[i]->key);
      MemoryFree(items[i]->shownText);
      MemoryDelete(items[i]);
   }
   items.Clear();
}

void JSONEditorWidget::RowsRemove()
{
   // The rows' widgets point at the records only until they are removed.
   ItemsFree();
   while (RowCountGet() > 0)
   {
      RowRemoveAt(RowCountGet() - 1);
   }
}

void JSONEditorWidget::LevelRemoveLast()
{
   if (levels.count == 0)
   {
      return;
   }
   MemoryFree(levels[levels.count - 1].typeName);
   levels.RemoveAt(levels.count - 1);
}

const char* JSONEditorWidget::BaseTypeGet(const char* typeName, const JSONValue** definition)
{
   *definition = nullptr;
   if (!typeName)
   {
      return nullptr;
   }
   if (BaseTypeCheck(typeName))
   {
      return typeName;
   }
   const JSONValue* entry = schema ? schema->ItemFind(typeName) : nullptr;
   if (!entry || entry->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      return nullptr;
   }
   *definition = entry;
   const char* base = entry->ItemGet("Type")->StringValueGet();
   return base && BaseTypeCheck(base) ? base : nullptr;
}

bool JSONEditorWidget::DataSetHelper()
{
   RowsRemove();
   JSONValue* level = DataGet();
   const char* typeName = levels.count > 0 ? levels[levels.count - 1].typeName : nullptr;
   if (!level || !typeName || !schema)
   {
      return false;
   }
   const JSONValue* definition = schema->ItemFind(typeName);
   if (!definition || definition->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      WarningPrintf("JSONEditorWidget::DataSetHelper -- type not defined in schema: %s\n", typeName);
      return false;
   }
   const char* type = definition->ItemGet("Type")->StringValueGet();
   if (!type)
   {
      WarningPrintf("JSONEditorWidget::DataSetHelper -- \"Type\" not defined in schema for %s\n", typeName);
      return false;
   }
   const JSONValue* children = definition->ItemGet("Children");
   if (std::strcmp(type, "Object") == 0 && level->TypeGet() == JSONValue::TYPE_OBJECT)
   {
      if (children->TypeGet() != JSONValue::TYPE_ARRAY)
      {
         WarningPrintf("JSONEditorWidget::DataSetHelper -- Children array not defined for %s.\n", typeName);
         return false;
      }
      for (i32 i = 0; i < children->CountGet(); i++)
      {
         const JSONValue* member = children->ElementGet(i);
         const char* key = member->ItemGet("Name")->StringValueGet();
         if (member->TypeGet() == JSONValue::TYPE_OBJECT && key && RowAdd())
         {
            ItemWidgetsAdd(key, -1, member);
         }
      }
      return true;
   }
   if (std::strcmp(type, "Array") == 0 && level->TypeGet() == JSONValue::TYPE_ARRAY)
   {
      if (children->TypeGet() != JSONValue::TYPE_OBJECT)
      {
         WarningPrintf("JSONEditorWidget::DataSetHelper -- Children object not defined for %s.\n", typeName);
         return false;
      }
      for (i32 i = 0; i < level->CountGet(); i++)
      {
         if (RowAdd())
         {
            ItemWidgetsAdd(nullptr, i, children);
         }
      }
      return true;
   }
   WarningPrintf(
       "JSONEditorWidget::DataSetHelper -- Declared \"Type\" for %s does not match JSONValue type.\n",
       typeName);
   return false;
}

JSONEditorItem* JSONEditorWidget::ItemCreate(const char* key, i32 index)
{
   JSONEditorItem* item = MemoryNew<JSONEditorItem>(HEAP_DEFAULT);
   if (!item)
   {
      return nullptr;
   }
   *item = JSONEditorItem{this,
                          DataGet(),
                          key ? StringDuplicate(key, HEAP_DEFAULT) : nullptr,
                          index,
                          RowGet(RowCountGet() - 1),
                          nullptr,
                          nullptr,
                          0};
   if ((key && !item->key) || !items.Insert(item, items.count))
   {
      MemoryFree(item->key);
      MemoryDelete(item);
      return nullptr;
   }
   return item;
}

Widget* JSONEditorWidget::ItemWidgetCreate(Widget* widget, const JSONValue* widgetTemplate,
                                           const char* widgetName, TableRowWidget* row)
{
   if (!widget)
   {
      WarningPrintf("JSONEditorWidget::ItemWidgetsAdd -- unable to allocate the widget \"%s\"\n", widgetName);
      return nullptr;
   }
   ContainerWidget* parent = row ? static_cast<ContainerWidget*>(row) : this;
   widget->Init(widgetName, parent, widgetTemplate);
   parent->ChildAddLast(widget);
   return widget;
}

void JSONEditorWidget::ItemWidgetsAdd(const char* key, i32 index, const JSONValue* specification)
{
   const char* type = specification->ItemGet("Type")->StringValueGet();
   if (!type)
   {
      WarningPrintf("JSONEditorWidget::ItemWidgetsAdd -- item type not specified.\n");
      return;
   }
   const JSONValue* definition = nullptr;
   const char* base = BaseTypeGet(type, &definition);
   if (!base)
   {
      const char* declared = definition ? definition->ItemGet("Type")->StringValueGet() : nullptr;
      if (declared)
      {
         WarningPrintf("JSONEditorWidget::ItemWidgetsAdd -- unrecognized type: %s\n", declared);
      }
      else
      {
         WarningPrintf("JSONEditorWidget::ItemWidgetsAdd -- base type not specified.\n");
      }
      return;
   }
   if (!itemKeyReadOnlyTemplate)
   {
      WarningPrintf("JSONEditorWidget::ItemWidgetsAdd -- ItemKeyReadOnlyTemplate not specified.\n");
      return;
   }
   JSONEditorItem* item = ItemCreate(key, index);
   if (!item || !item->row)
   {
      return;
   }
   JSONValue* level = item->level;
   const JSONValue* current = key ? level->ItemFind(key) : level->ElementFind(index);

   // The key: the member's name, or an element's index unless its primary key names it.
   char text[256];
   if (key)
   {
      std::snprintf(text, sizeof(text), "%s", key);
   }
   else
   {
      std::snprintf(text, sizeof(text), "%d", index);
      const JSONValue* primaryKeyValue = SpecificationItemGet(specification, definition, "PrimaryKey");
      const char* primaryKey = primaryKeyValue ? primaryKeyValue->StringValueGet() : nullptr;
      const char* label = primaryKey && current ? current->ItemGet(primaryKey)->StringValueGet() : nullptr;
      if (std::strcmp(base, "Object") == 0 && label)
      {
         std::snprintf(text, sizeof(text), "%s", label);
      }
   }
   auto* keyButton = static_cast<PressButtonWidget*>(ItemWidgetCreate(
       MemoryNew<PressButtonWidget>(HEAP_DEFAULT), itemKeyReadOnlyTemplate, "Key", item->row));
   if (!keyButton)
   {
      return;
   }
   keyButton->TextSet(text);
   keyButton->onPress = &RowButtonPress;
   keyButton->onPressUserData = item;

   const JSONValue* readOnlyValue = SpecificationItemGet(specification, definition, "ReadOnly");
   const bool readOnly =
       readOnlyValue && readOnlyValue->TypeGet() == JSONValue::TYPE_BOOL && readOnlyValue->BoolValueGet();
   const JSONValue* defaultValue = SpecificationItemGet(specification, definition, "Default");
   const JSONValue* values = SpecificationItemGet(specification, definition, "Values");
   if (values && values->TypeGet() != JSONValue::TYPE_ARRAY)
   {
      values = nullptr;
   }

   const bool number = std::strcmp(base, "Number") == 0;
   const bool boolean = std::strcmp(base, "Boolean") == 0;
   if (!number && !boolean && std::strcmp(base, "String") != 0)
   {
      // An object or an array: a button into it.
      if (itemEditButtonTemplate)
      {
         Widget* edit = ItemWidgetCreate(MemoryNew<PressButtonWidget>(HEAP_DEFAULT), itemEditButtonTemplate,
                                         "Value", item->row);
         if (edit)
         {
            static_cast<PressButtonWidget*>(edit)->onPress = &EditButtonPress;
            static_cast<PressButtonWidget*>(edit)->onPressUserData = item;
         }
      }
      return;
   }

   // What the document holds when it is of the row's type, else the default.
   const u32 wanted = number    ? JSONValue::TYPE_NUMBER
                      : boolean ? JSONValue::TYPE_BOOL
                                : JSONValue::TYPE_STRING;
   const JSONValue* shown = current && current->TypeGet() == wanted ? current : defaultValue;
   if (shown && shown->TypeGet() != wanted)
   {
      shown = nullptr;
   }
   item->number = number ? 1 : 0;

   if (readOnly)
   {
      if (boolean)
      {
         std::snprintf(text, sizeof(text), "%s", shown ? (shown->BoolValueGet() ? "true" : "false") : "");
      }
      else
      {
         ValueTextGet(shown, text, sizeof(text));
      }
      if (itemStringReadOnlyTemplate)
      {
         auto* label = static_cast<PressButtonWidget*>(ItemWidgetCreate(
             MemoryNew<PressButtonWidget>(HEAP_DEFAULT), itemStringReadOnlyTemplate, "Value", item->row));
         if (label)
         {
            label->TextSet(text);
            label->onPress = &RowButtonPress;
            label->onPressUserData = item;
         }
      }
      return;
   }

   if (boolean || values)
   {
      if (!itemEnumerationTemplate)
      {
         return;
      }
      auto* list = static_cast<DropDownListWidget*>(ItemWidgetCreate(
          MemoryNew<DropDownListWidget>(HEAP_DEFAULT), itemEnumerationTemplate, "Value", item->row));
      if (!list)
      {
         return;
      }
      if (boolean)
      {
         list->ItemAdd("false", "false", DROP_DOWN_LIST_TEXT_PLAIN);
         list->ItemAdd("true", "true", DROP_DOWN_LIST_TEXT_PLAIN);
         if (shown)
         {
            list->SelectionSetByName(shown->BoolValueGet() ? "true" : "false", false);
         }
      }
      else
      {
         item->values = values;
         for (i32 i = 0; i < values->CountGet(); i++)
         {
            ValueTextGet(values->ElementGet(i), text, sizeof(text));
            list->ItemAdd(text, text, DROP_DOWN_LIST_TEXT_PLAIN);
         }
         ValueTextGet(shown, text, sizeof(text));
         if (shown)
         {
            list->SelectionSetByName(text, false);
         }
      }
      // Every choice of the user, also of the value already shown, is an edit.
      list->onSelection = &ListChoose;
      list->onSelectionUserData = item;
      return;
   }

   if (!itemStringTemplate)
   {
      return;
   }
   auto* entry = static_cast<TextEntryWidget*>(
       ItemWidgetCreate(MemoryNew<TextEntryWidget>(HEAP_DEFAULT), itemStringTemplate, "Value", item->row));
   if (!entry)
   {
      return;
   }
   ValueTextGet(shown, text, sizeof(text));
   entry->TextSet(text);
   item->shownText = StringDuplicate(entry->TextGet() ? entry->TextGet() : "", HEAP_DEFAULT);
   entry->onEnterPress = &EntryCommit;
   entry->onEnterPressUserData = item;
   entry->onFocusLose = &EntryFocusLose;
   entry->onFocusLoseUserData = item;
}

void JSONEditorWidget::ItemWriteBack(JSONEditorItem* item, const JSONValue* value)
{
   JSONValue* level = item->level;
   JSONValue* slot = nullptr;
   if (item->key)
   {
      slot = level->ItemGetOrAdd(item->key);
   }
   else if (item->index >= 0 && level->TypeGet() == JSONValue::TYPE_ARRAY)
   {
      if (item->index >= level->CountGet())
      {
         level->CountSet(item->index + 1);
      }
      slot = level->ElementFind(item->index);
   }
   if (!slot)
   {
      WarningPrintf("JSONEditorWidget::ItemWriteBack -- unable to store the value\n");
      return;
   }
   value->Clone(level->HeapGet(), slot);
   // Last: the owner may refill the rows, and this record with them.
   JSONEditorWidget* editor = item->editor;
   editor->ChangeNotify(editor->RowIndexGet(item->row));
}

void JSONEditorWidget::EntryCommit(TextEntryWidget* entry, void* userData)
{
   auto* item = static_cast<JSONEditorItem*>(userData);
   const char* typed = entry->TextGet() ? entry->TextGet() : "";
   if (item->shownText && std::strcmp(typed, item->shownText) == 0)
   {
      return;
   }
   JSONValue value(HEAP_TEMP);
   if (item->number)
   {
      double number = 0.0;
      if (!NumberParse(typed, &number))
      {
         // Nothing is written: the entry shows the document's value again.
         entry->TextSet(item->shownText);
         return;
      }
      value.NumberSet(number);
      char text[256];
      NumberFormat(number, text, sizeof(text));
      entry->TextSet(text);
   }
   else
   {
      value.StringSet(typed);
   }
   char* shown = StringDuplicate(entry->TextGet() ? entry->TextGet() : "", HEAP_DEFAULT);
   if (shown)
   {
      MemoryFree(item->shownText);
      item->shownText = shown;
   }
   ItemWriteBack(item, &value);
}

void JSONEditorWidget::EntryFocusLose(TextEntryWidget* entry, void* userData)
{
   // The focus goes only while this entry still holds it: the manager tells the old widget before
   // it moves the focus on, so the widget just clicked keeps it, and nothing is told twice.
   if (GUIManager::focus == entry)
   {
      GUIManager::focus = nullptr;
   }
   EntryCommit(entry, userData);
}

void JSONEditorWidget::ListChoose(DropDownListItemButtonWidget* newItem,
                                  DropDownListItemButtonWidget* oldItem, bool byUser,
                                  DropDownListWidget* list, void* userData)
{
   (void)oldItem;
   auto* item = static_cast<JSONEditorItem*>(userData);
   // Only the user's choice is an edit; the list's own set-up is not.
   if (!byUser || !newItem)
   {
      return;
   }
   const char* chosen = newItem->NameGet() ? newItem->NameGet() : "";
   JSONValue value(HEAP_TEMP);
   if (!item->values)
   {
      value.BoolSet(std::strcmp(chosen, "true") == 0);
   }
   else if (item->number)
   {
      const i32 at = list->SelectionIndexGet();
      if (at < 0 || at >= item->values->CountGet())
      {
         return;
      }
      value.NumberSet(item->values->ElementGet(at)->IntValueGet());
   }
   else
   {
      value.StringSet(chosen);
   }
   ItemWriteBack(item, &value);
}

void JSONEditorWidget::RowButtonPress(PressButtonWidget* button, void* userData)
{
   (void)button;
   auto* item = static_cast<JSONEditorItem*>(userData);
   item->editor->RowSelect(item->row, true);
}

void JSONEditorWidget::EditButtonPress(PressButtonWidget* button, void* userData)
{
   (void)button;
   auto* item = static_cast<JSONEditorItem*>(userData);
   if (item->key)
   {
      item->editor->DataPush(item->key);
   }
   else
   {
      item->editor->DataPush(item->index);
   }
}

void JSONEditorWidget::BackButtonPress(PressButtonWidget* button, void* userData)
{
   (void)button;
   static_cast<JSONEditorWidget*>(userData)->DataPop();
}

bool JSONEditorWidget::LevelEnter(JSONValue* child, const char* typeName)
{
   levels[levels.count - 1].scroll = ScrollGet();
   RowsRemove();
   JSONEditorLevel level = {child, StringDuplicate(typeName, HEAP_DEFAULT), Point2F{0.0f, 0.0f}};
   if (!level.typeName || !levels.Insert(level, levels.count))
   {
      MemoryFree(level.typeName);
      WarningPrintf("JSONEditorWidget::DataPush -- unable to keep the level of %s\n", typeName);
      return false;
   }
   if (RowsFill(Point2F{0.0f, 0.0f}))
   {
      return true;
   }
   LevelRemoveLast();
   return false;
}

void JSONEditorWidget::LevelShowAgain()
{
   RowsFill(levels[levels.count - 1].scroll);
}

const JSONValue* JSONEditorWidget::LevelChildrenGet(u32 type, const char* word)
{
   if (!DataGet() || !schema)
   {
      return nullptr;
   }
   const char* typeName = levels[levels.count - 1].typeName;
   const JSONValue* children = schema->ItemGet(typeName)->ItemGet("Children");
   if (children->TypeGet() != type)
   {
      WarningPrintf("JSONEditorWidget::DataPush -- Children %s not defined for %s.\n", word, typeName);
      return nullptr;
   }
   return children;
}

const char* JSONEditorWidget::ContainerBaseGet(const char* typeName)
{
   const JSONValue* definition = nullptr;
   const char* base = BaseTypeGet(typeName, &definition);
   if (!base || (std::strcmp(base, "Object") != 0 && std::strcmp(base, "Array") != 0))
   {
      WarningPrintf("JSONEditorWidget::DataPush -- Child must be either an object or an array.\n");
      return nullptr;
   }
   return base;
}

bool JSONEditorWidget::ChildEnter(JSONValue* child, const char* typeName)
{
   if (LevelEnter(child, typeName))
   {
      return true;
   }
   LevelShowAgain();
   return false;
}

bool JSONEditorWidget::DataPush(const char* key)
{
   const JSONValue* children = LevelChildrenGet(JSONValue::TYPE_ARRAY, "array");
   if (!children || !key)
   {
      return false;
   }
   const JSONValue* member = nullptr;
   for (i32 i = 0; i < children->CountGet() && !member; i++)
   {
      const char* name = children->ElementGet(i)->ItemGet("Name")->StringValueGet();
      member = name && std::strcmp(name, key) == 0 ? children->ElementGet(i) : nullptr;
   }
   const char* childType = member ? member->ItemGet("Type")->StringValueGet() : nullptr;
   if (!childType)
   {
      WarningPrintf("JSONEditorWidget::DataPush -- \"Type\" not defined in schema for %s\n", key);
      return false;
   }
   JSONValue* level = DataGet();
   JSONValue* child = level->ItemFind(key);
   if (child && child->TypeGet() != JSONValue::TYPE_NULL)
   {
      return ChildEnter(child, childType);
   }
   const char* base = ContainerBaseGet(childType);
   const bool wasNull = child != nullptr;
   child = base ? level->ItemGetOrAdd(key) : nullptr;
   if (!child)
   {
      return false;
   }
   std::strcmp(base, "Object") == 0 ? child->ObjectSet() : child->ArraySet();
   if (LevelEnter(child, childType))
   {
      return true;
   }
   // A level that cannot be shown leaves the document as it was.
   if (wasNull)
   {
      child->NullSet();
   }
   else
   {
      level->ItemRemove(key);
   }
   LevelShowAgain();
   return false;
}

bool JSONEditorWidget::DataPush(i32 index)
{
   const JSONValue* children = LevelChildrenGet(JSONValue::TYPE_OBJECT, "object");
   if (!children)
   {
      return false;
   }
   const char* typeName = levels[levels.count - 1].typeName;
   const char* childType = children->ItemGet("Type")->StringValueGet();
   if (!childType)
   {
      WarningPrintf("JSONEditorWidget::DataPush -- \"Type\" not defined in schema for children of %s\n",
                    typeName);
      return false;
   }
   JSONValue* level = DataGet();
   if (index < 0 || level->TypeGet() != JSONValue::TYPE_ARRAY)
   {
      WarningPrintf("JSONEditorWidget::DataPush -- no element %d in %s\n", index, typeName);
      return false;
   }
   JSONValue* child = level->ElementFind(index);
   if (child && child->TypeGet() != JSONValue::TYPE_NULL)
   {
      return ChildEnter(child, childType);
   }
   const char* base = ContainerBaseGet(childType);
   if (!base)
   {
      return false;
   }
   const i32 countBefore = level->CountGet();
   if (index >= countBefore)
   {
      level->CountSet(index + 1);
   }
   child = level->ElementFind(index);
   if (!child)
   {
      level->CountSet(countBefore);
      return false;
   }
   std::strcmp(base, "Object") == 0 ? child->ObjectSet() : child->ArraySet();
   if (LevelEnter(child, childType))
   {
      return true;
   }
   // A level that cannot be shown leaves the document as it was.
   if (index >= countBefore)
   {
      level->CountSet(countBefore);
   }
   else
   {
      child->NullSet();
   }
   LevelShowAgain();
   return false;
}

bool JSONEditorWidget::DataPop()
{
   if (levels.count <= 1)
   {
      return false;
   }
   LevelRemoveLast();
   LevelShowAgain();
   return true;
}
} // namespace Corvale
