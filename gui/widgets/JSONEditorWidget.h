// A table that edits a JSON document in place, one object or array level at a time, as a schema of
// named types describes it: numbers and strings in text entries, booleans and listed values in
// drop-down lists, nested levels behind edit buttons and a back button.
#pragma once

#include "core/Table.h"
#include "gui/widgets/TableWidget.h"

namespace Corvale
{
class DropDownListItemButtonWidget;
class DropDownListWidget;
class JSONEditorWidget;
class PressButtonWidget;
class TextEntryWidget;

// rowIndex: the row whose value the user changed.
typedef void (*JSONEditorChangeCallback)(JSONEditorWidget* editor, void* argument, i32 rowIndex);

// One shown level: the value (not owned), its schema type name (owned) and the table's scroll
// position, saved while a child level is shown.
struct JSONEditorLevel
{
   JSONValue* value;
   char* typeName;
   Point2F scroll;
};

// What one row edits: a member by key or an element by index of the level it was made for.
struct JSONEditorItem
{
   JSONEditorWidget* editor;
   JSONValue* level;
   // Owned; null for an element.
   char* key;
   i32 index;
   TableRowWidget* row;
   // The "Values" of a listed value (not owned: the schema's).
   const JSONValue* values;
   // What the value's text entry showed last, owned: an entry left unchanged writes nothing.
   char* shownText;
   u8 number;
};

class JSONEditorWidget : public TableWidget
{
 public:
   JSONEditorWidget() = default;
   ~JSONEditorWidget() override;

   // After the table's keys: the five item templates and "BackButton".
   void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification) override;
   void Deinit() override;
   const char* TypeNameGet() override { return "JSONEditorWidget"; }
   // Only clearing: the rows' own buttons select nothing.
   void RowSelect(TableRowWidget* row, bool byUser) override;
   // The rows keep the document's order, which the write-backs do not depend on; only the headers
   // show the choice.
   void Sort(i32 column, bool ascending) override;

   // Fills the rows of the shown level again, keeping the scroll position.
   virtual void DataRefresh();
   virtual void ChangeNotify(i32 rowIndex);

   // Stores the schema (not owned), makes the document the root level of that schema type and
   // fills the rows; false (with the level left empty) when the document does not fit the schema.
   bool DataSet(const JSONValue* schemaObject, JSONValue* document, const char* typeName);
   // Step into a member or element of the shown level; false, with the level and the document
   // unchanged, when it cannot be shown.
   bool DataPush(const char* key);
   bool DataPush(i32 index);
   // Back to the level above; the root level stays.
   bool DataPop();
   // The shown level's value; null without one.
   JSONValue* DataGet();

   // Makes "JSONEditor" known to the widget-type registry.
   static void TypeRegister();

   JSONValue* itemKeyReadOnlyTemplate = nullptr;
   JSONValue* itemStringTemplate = nullptr;
   JSONValue* itemStringReadOnlyTemplate = nullptr;
   JSONValue* itemEditButtonTemplate = nullptr;
   JSONValue* itemEnumerationTemplate = nullptr;
   JSONEditorChangeCallback changeCallback = nullptr;
   void* changeCallbackArgument = nullptr;
   const JSONValue* schema = nullptr;
   Table<JSONEditorLevel> levels;
   PressButtonWidget* backButton = nullptr;
   // The records of the shown rows, owned.
   Table<JSONEditorItem*> items;

 private:
   // Removes every row; false, with the level empty, when the schema does not describe it.
   bool DataSetHelper();
   void ItemWidgetsAdd(const char* key, i32 index, const JSONValue* specification);
   // Appends a record of the child and fills it; on failure the record is dropped again and the
   // rows stay empty until LevelShowAgain.
   bool LevelEnter(JSONValue* child, const char* typeName);
   // The shown level's rows again, at the scroll position saved in its record.
   void LevelShowAgain();
   // LevelEnter, and the level above again when the child cannot be shown.
   bool ChildEnter(JSONValue* child, const char* typeName);
   // The shown level's "Children" when they are of the type (word: "array" or "object").
   const JSONValue* LevelChildrenGet(u32 type, const char* word);
   // "Object" or "Array", the base type of a level to be made; null, with the line, otherwise.
   const char* ContainerBaseGet(const char* typeName);
   void LevelRemoveLast();
   bool RowsFill(const Point2F& scroll);
   Point2F ScrollGet();
   void RowsRemove();
   void ItemsFree();
   void TemplatesFree();
   JSONEditorItem* ItemCreate(const char* key, i32 index);
   Widget* ItemWidgetCreate(Widget* widget, const JSONValue* widgetTemplate, const char* widgetName,
                            TableRowWidget* row);
   // The base type ("Number", "String", "Boolean", "Object", "Array") of a type name, or null;
   // definition: the schema's entry for a named type, or null.
   const char* BaseTypeGet(const char* typeName, const JSONValue** definition);

   static void ItemWriteBack(JSONEditorItem* item, const JSONValue* value);
   static void EntryCommit(TextEntryWidget* entry, void* userData);
   static void EntryFocusLose(TextEntryWidget* entry, void* userData);
   static void ListChoose(DropDownListItemButtonWidget* newItem, DropDownListItemButtonWidget* oldItem,
                          bool byUser, DropDownListWidget* list, void* userData);
   static void RowButtonPress(PressButtonWidget* button, void* userData);
   static void EditButtonPress(PressButtonWidget* button, void* userData);
   static void BackButtonPress(PressButtonWidget* button, void* userData);
};
} // namespace Corvale
