// The Lua GUI functions: global functions through which layer scripts reach widgets by their
// dotted path (the layer's name first) and push, pop and preload layers.
#include "core/Log.h"
#include "core/ScriptManager.h"
#include "gui/GUIManager.h"
#include "gui/widgets/DropDownListWidget.h"
#include "gui/widgets/LabelWidget.h"
#include "gui/widgets/NumberLabelWidget.h"
#include "gui/widgets/ProgressBarWidget.h"
#include "gui/widgets/SliderWidget.h"
#include "gui/widgets/StateContainerWidget.h"
#include "gui/widgets/TableWidget.h"
#include "gui/widgets/TextDocumentWidget.h"
#include "gui/widgets/ToggleButtonWidget.h"

namespace Corvale
{
namespace
{
// The widget at the path, or null; null (and nothing else) without a manager or for a nil path.
Widget* LuaWidgetGet(const char* path)
{
   if (!GUIManager::initialised || !path)
   {
      return nullptr;
   }
   return GUIManager::WidgetGetByPath(path);
}

// The widget at the path as a T (subclasses too); one line naming the function when it is another
// class.
template <class T> T* LuaWidgetGet(const char* function, const char* path, const char* typeWord)
{
   Widget* widget = LuaWidgetGet(path);
   if (!widget)
   {
      return nullptr;
   }
   T* typed = dynamic_cast<T*>(widget);
   if (!typed)
   {
      WarningPrintf("%s -- Widget is not a %s: \"%s\"\n", function, typeWord, path);
   }
   return typed;
}

// A Lua row number truncated to an integer; one that no i32 holds (or NaN) names no row.
i32 LuaIndexGet(float index)
{
   if (!(index > -2147483648.0f && index < 2147483648.0f))
   {
      return 0;
   }
   return static_cast<i32>(index);
}

void GUIDropDownListItemAdd(const char* path, const char* itemName, const char* text)
{
   auto* list = LuaWidgetGet<DropDownListWidget>("GUIDropDownListItemAdd", path, "DropDownList");
   if (list)
   {
      list->ItemAdd(itemName, text, DROP_DOWN_LIST_TEXT_PLAIN);
   }
}

void GUIDropDownListItemExpressionAdd(const char* path, const char* itemName, const char* expression)
{
   auto* list = LuaWidgetGet<DropDownListWidget>("GUIDropDownListItemExpressionAdd", path, "DropDownList");
   if (list)
   {
      list->ItemAdd(itemName, expression, DROP_DOWN_LIST_TEXT_EXPRESSION);
   }
}

void GUIDropDownListItemRemove(const char* path, const char* itemName)
{
   auto* list = LuaWidgetGet<DropDownListWidget>("GUIDropDownListItemRemove", path, "DropDownList");
   if (list && !list->ItemRemoveByName(itemName))
   {
      WarningPrintf("GUIDropDownListItemRemove -- DropDownList \"%s\" does not contain the option \"%s\"\n",
                    path, itemName ? itemName : "(null)");
   }
}

void GUIDropDownListSelectionClear(const char* path)
{
   auto* list = LuaWidgetGet<DropDownListWidget>("GUIDropDownListSelectionClear", path, "DropDownList");
   if (list)
   {
      list->SelectionClear();
   }
}

const char* GUIDropDownListSelectionGet(const char* path)
{
   auto* list = LuaWidgetGet<DropDownListWidget>("GUIDropDownListSelectionGet", path, "DropDownList");
   return list ? list->SelectionNameGet() : nullptr;
}

void GUIDropDownListSelectionSet(const char* path, const char* itemName)
{
   auto* list = LuaWidgetGet<DropDownListWidget>("GUIDropDownListSelectionSet", path, "DropDownList");
   if (list && !list->SelectionSetByName(itemName, false))
   {
      WarningPrintf("GUIDropDownListSelectionSet -- DropDownList \"%s\" does not contain the option \"%s\"\n",
                    path, itemName ? itemName : "(null)");
   }
}

void GUIFocusSet(const char* path)
{
   if (GUIManager::initialised)
   {
      GUIManager::FocusSet(LuaWidgetGet(path));
   }
}

const char* GUILabelTextExpressionGet(const char* path)
{
   auto* label = LuaWidgetGet<LabelWidget>("GUILabelTextExpressionGet", path, "Label");
   return label ? label->TextExpressionGet() : nullptr;
}

void GUILabelTextExpressionSet(const char* path, const char* expression)
{
   auto* label = LuaWidgetGet<LabelWidget>("GUILabelTextExpressionSet", path, "Label");
   if (label)
   {
      label->TextExpressionSet(expression);
   }
}

const char* GUILabelTextGet(const char* path)
{
   auto* label = LuaWidgetGet<LabelWidget>("GUILabelTextGet", path, "Label");
   return label ? label->TextGet() : nullptr;
}

void GUILabelTextSet(const char* path, const char* text)
{
   auto* label = LuaWidgetGet<LabelWidget>("GUILabelTextSet", path, "Label");
   if (label)
   {
      label->TextSet(text);
   }
}

const char* GUINumberLabelTextFormatExpressionGet(const char* path)
{
   auto* label =
       LuaWidgetGet<NumberLabelWidget>("GUINumberLabelTextFormatExpressionGet", path, "NumberLabel");
   return label ? label->TextFormatExpressionGet() : nullptr;
}

void GUINumberLabelTextFormatExpressionSet(const char* path, const char* expression)
{
   auto* label =
       LuaWidgetGet<NumberLabelWidget>("GUINumberLabelTextFormatExpressionSet", path, "NumberLabel");
   if (label)
   {
      label->TextFormatExpressionSet(expression);
   }
}

float GUINumberLabelValueGet(const char* path)
{
   auto* label = LuaWidgetGet<NumberLabelWidget>("GUINumberLabelValueGet", path, "NumberLabel");
   return label ? static_cast<float>(label->ValueGet()) : 0.0f;
}

void GUINumberLabelValueSet(const char* path, float value)
{
   auto* label = LuaWidgetGet<NumberLabelWidget>("GUINumberLabelValueSet", path, "NumberLabel");
   if (label)
   {
      label->ValueSet(static_cast<double>(value));
   }
}

void GUIPop()
{
   GUIManager::Pop();
}

void GUIPreload(const char* layerName)
{
   // Preload does not test the manager itself.
   if (GUIManager::initialised)
   {
      GUIManager::Preload(layerName);
   }
}

bool GUIProgressBarIndeterminateGet(const char* path)
{
   auto* bar = LuaWidgetGet<ProgressBarWidget>("GUIProgressBarIndeterminateGet", path, "progress bar");
   return bar ? bar->IndeterminateGet() : false;
}

void GUIProgressBarIndeterminateSet(const char* path, bool on)
{
   auto* bar = LuaWidgetGet<ProgressBarWidget>("GUIProgressBarIndeterminateSet", path, "progress bar");
   if (bar)
   {
      bar->IndeterminateSet(on);
   }
}

float GUIProgressBarValueGet(const char* path)
{
   auto* bar = LuaWidgetGet<ProgressBarWidget>("GUIProgressBarValueGet", path, "progress bar");
   return bar ? bar->ValueGet() : 0.0f;
}

void GUIProgressBarValueSet(const char* path, float value)
{
   auto* bar = LuaWidgetGet<ProgressBarWidget>("GUIProgressBarValueSet", path, "progress bar");
   if (bar)
   {
      bar->ValueSet(value);
   }
}

void GUIPush(const char* layerName)
{
   GUIManager::Push(layerName, nullptr, nullptr);
}

void GUIRemove(const char* layerName)
{
   GUIManager::Remove(layerName);
}

float GUISliderValueGet(const char* path)
{
   auto* slider = LuaWidgetGet<SliderWidget>("GUISliderValueGet", path, "slider");
   return slider ? slider->ValueGet() : 0.0f;
}

void GUISliderValueSet(const char* path, float value)
{
   auto* slider = LuaWidgetGet<SliderWidget>("GUISliderValueSet", path, "slider");
   if (slider)
   {
      slider->ValueSet(value);
   }
}

const char* GUIStateContainerStateGet(const char* path)
{
   auto* container = LuaWidgetGet<StateContainerWidget>("GUIStateContainerStateGet", path, "StateContainer");
   return container ? container->StateNameGet() : nullptr;
}

void GUIStateContainerStateSet(const char* path, const char* stateName)
{
   auto* container = LuaWidgetGet<StateContainerWidget>("GUIStateContainerStateSet", path, "StateContainer");
   if (!container)
   {
      return;
   }
   if (!stateName)
   {
      WarningPrintf("GUIStateContainerStateSet -- state 'name' not provided.\"%s\"\n", path);
      return;
   }
   if (!container->StateSetByName(stateName))
   {
      WarningPrintf("GUIStateContainerStateSet -- \"%s\" is not a child of \"%s\"\n", stateName, path);
   }
}

// Lua counts rows from 1, the table from 0.
float GUITableEventRowIndexGet(const char* path)
{
   auto* table = LuaWidgetGet<TableWidget>("GUITableEventRowIndexGet", path, "TableWidget");
   return table ? static_cast<float>(table->EventRowIndexGet() + 1) : 0.0f;
}

void GUITableRowAdd(const char* path)
{
   auto* table = LuaWidgetGet<TableWidget>("GUITableRowAdd", path, "TableWidget");
   if (table)
   {
      table->RowAdd();
   }
}

float GUITableRowCountGet(const char* path)
{
   auto* table = LuaWidgetGet<TableWidget>("GUITableRowCountGet", path, "TableWidget");
   return table ? static_cast<float>(table->RowCountGet()) : 0.0f;
}

void GUITableRowRemove(const char* path, float index)
{
   auto* table = LuaWidgetGet<TableWidget>("GUITableRowRemove", path, "TableWidget");
   if (table)
   {
      table->RowRemoveAt(LuaIndexGet(index) - 1);
   }
}

float GUITableSelectionGet(const char* path)
{
   auto* table = LuaWidgetGet<TableWidget>("GUITableSelectionGet", path, "TableWidget");
   return table ? static_cast<float>(table->SelectionGet() + 1) : 0.0f;
}

void GUITableSelectionSet(const char* path, float index)
{
   auto* table = LuaWidgetGet<TableWidget>("GUITableSelectionSet", path, "TableWidget");
   if (table)
   {
      table->SelectionSetByIndex(LuaIndexGet(index) - 1, false);
   }
}

const char* GUITextDocumentTextExpressionGet(const char* path)
{
   auto* document =
       LuaWidgetGet<TextDocumentWidget>("GUITextDocumentTextExpressionGet", path, "TextDocument");
   return document ? document->TextExpressionGet() : nullptr;
}

void GUITextDocumentTextExpressionSet(const char* path, const char* expression)
{
   auto* document =
       LuaWidgetGet<TextDocumentWidget>("GUITextDocumentTextExpressionSet", path, "TextDocument");
   if (document)
   {
      document->TextExpressionSet(expression);
   }
}

const char* GUITextDocumentTextGet(const char* path)
{
   auto* document = LuaWidgetGet<TextDocumentWidget>("GUITextDocumentTextGet", path, "TextDocument");
   return document ? document->TextGet() : nullptr;
}

void GUITextDocumentTextSet(const char* path, const char* text)
{
   auto* document = LuaWidgetGet<TextDocumentWidget>("GUITextDocumentTextSet", path, "TextDocument");
   if (document)
   {
      document->TextSet(text);
   }
}

bool GUIToggleButtonOnGet(const char* path)
{
   auto* button = LuaWidgetGet<ToggleButtonWidget>("GUIToggleButtonOnGet", path, "toggle button");
   return button ? button->OnGet() : false;
}

void GUIToggleButtonOnSet(const char* path, bool on)
{
   auto* button = LuaWidgetGet<ToggleButtonWidget>("GUIToggleButtonOnSet", path, "toggle button");
   if (button)
   {
      button->OnSet(on);
   }
}

void GUIUndoPreload(const char* layerName)
{
   if (GUIManager::initialised)
   {
      GUIManager::UndoPreload(layerName);
   }
}

bool GUIWidgetEnabledCheck(const char* path)
{
   Widget* widget = LuaWidgetGet(path);
   return widget ? widget->EnabledCheck() : false;
}

void GUIWidgetEnabledSet(const char* path, bool on)
{
   Widget* widget = LuaWidgetGet(path);
   if (widget)
   {
      widget->EnabledSet(on);
   }
}
} // namespace

bool GUIManager::LuaFunctionsRegister()
{
   if (!ScriptManager::Execute(
           " \n-- Initialize the table of tables of callback functions sorted by layer name \n"
           "GUI = {}"))
   {
      WarningPrintf("GUIManager::LuaFunctionsRegister -- unable to create the table GUI\n");
      return false;
   }
   bool ok = true;
   ok &= ScriptManager::FunctionRegister("GUIDropDownListItemAdd", &GUIDropDownListItemAdd);
   ok &=
       ScriptManager::FunctionRegister("GUIDropDownListItemExpressionAdd", &GUIDropDownListItemExpressionAdd);
   ok &= ScriptManager::FunctionRegister("GUIDropDownListItemRemove", &GUIDropDownListItemRemove);
   ok &= ScriptManager::FunctionRegister("GUIDropDownListSelectionClear", &GUIDropDownListSelectionClear);
   ok &= ScriptManager::FunctionRegister("GUIDropDownListSelectionGet", &GUIDropDownListSelectionGet);
   ok &= ScriptManager::FunctionRegister("GUIDropDownListSelectionSet", &GUIDropDownListSelectionSet);
   ok &= ScriptManager::FunctionRegister("GUIFocusSet", &GUIFocusSet);
   ok &= ScriptManager::FunctionRegister("GUILabelTextExpressionGet", &GUILabelTextExpressionGet);
   ok &= ScriptManager::FunctionRegister("GUILabelTextExpressionSet", &GUILabelTextExpressionSet);
   ok &= ScriptManager::FunctionRegister("GUILabelTextGet", &GUILabelTextGet);
   ok &= ScriptManager::FunctionRegister("GUILabelTextSet", &GUILabelTextSet);
   ok &= ScriptManager::FunctionRegister("GUINumberLabelTextFormatExpressionGet",
                                         &GUINumberLabelTextFormatExpressionGet);
   ok &= ScriptManager::FunctionRegister("GUINumberLabelTextFormatExpressionSet",
                                         &GUINumberLabelTextFormatExpressionSet);
   ok &= ScriptManager::FunctionRegister("GUINumberLabelValueGet", &GUINumberLabelValueGet);
   ok &= ScriptManager::FunctionRegister("GUINumberLabelValueSet", &GUINumberLabelValueSet);
   ok &= ScriptManager::FunctionRegister("GUIPop", &GUIPop);
   ok &= ScriptManager::FunctionRegister("GUIPreload", &GUIPreload);
   ok &= ScriptManager::FunctionRegister("GUIProgressBarIndeterminateGet", &GUIProgressBarIndeterminateGet);
   ok &= ScriptManager::FunctionRegister("GUIProgressBarIndeterminateSet", &GUIProgressBarIndeterminateSet);
   ok &= ScriptManager::FunctionRegister("GUIProgressBarValueGet", &GUIProgressBarValueGet);
   ok &= ScriptManager::FunctionRegister("GUIProgressBarValueSet", &GUIProgressBarValueSet);
   ok &= ScriptManager::FunctionRegister("GUIPush", &GUIPush);
   ok &= ScriptManager::FunctionRegister("GUIRemove", &GUIRemove);
   ok &= ScriptManager::FunctionRegister("GUISliderValueGet", &GUISliderValueGet);
   ok &= ScriptManager::FunctionRegister("GUISliderValueSet", &GUISliderValueSet);
   ok &= ScriptManager::FunctionRegister("GUIStateContainerStateGet", &GUIStateContainerStateGet);
   ok &= ScriptManager::FunctionRegister("GUIStateContainerStateSet", &GUIStateContainerStateSet);
   ok &= ScriptManager::FunctionRegister("GUITableEventRowIndexGet", &GUITableEventRowIndexGet);
   ok &= ScriptManager::FunctionRegister("GUITableRowAdd", &GUITableRowAdd);
   ok &= ScriptManager::FunctionRegister("GUITableRowCountGet", &GUITableRowCountGet);
   ok &= ScriptManager::FunctionRegister("GUITableRowRemove", &GUITableRowRemove);
   ok &= ScriptManager::FunctionRegister("GUITableSelectionGet", &GUITableSelectionGet);
   ok &= ScriptManager::FunctionRegister("GUITableSelectionSet", &GUITableSelectionSet);
   ok &=
       ScriptManager::FunctionRegister("GUITextDocumentTextExpressionGet", &GUITextDocumentTextExpressionGet);
   ok &=
       ScriptManager::FunctionRegister("GUITextDocumentTextExpressionSet", &GUITextDocumentTextExpressionSet);
   ok &= ScriptManager::FunctionRegister("GUITextDocumentTextGet", &GUITextDocumentTextGet);
   ok &= ScriptManager::FunctionRegister("GUITextDocumentTextSet", &GUITextDocumentTextSet);
   ok &= ScriptManager::FunctionRegister("GUIToggleButtonOnGet", &GUIToggleButtonOnGet);
   ok &= ScriptManager::FunctionRegister("GUIToggleButtonOnSet", &GUIToggleButtonOnSet);
   ok &= ScriptManager::FunctionRegister("GUIUndoPreload", &GUIUndoPreload);
   ok &= ScriptManager::FunctionRegister("GUIWidgetEnabledCheck", &GUIWidgetEnabledCheck);
   ok &= ScriptManager::FunctionRegister("GUIWidgetEnabledSet", &GUIWidgetEnabledSet);
   return ok;
}
} // namespace Corvale
