// The number label: its value and format, the two format functions games set, and the text buffer
// that formatting writes into.
#include "gui/widgets/NumberLabelWidget.h"

#include <cmath>
#include <cstring>

#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/ScriptManager.h"
#include "core/StringHelpers.h"
#include "gui/GUIManager.h"

namespace Corvale
{
namespace
{
// Clamped into the 32-bit range first: converting a value beyond it is undefined, and NaN is 0.
i64 TruncatedInt32Get(double value)
{
   if (!(value == value))
   {
      return 0;
   }
   if (value >= 2147483647.0)
   {
      return 2147483647;
   }
   if (value <= -2147483648.0)
   {
      return -2147483648LL;
   }
   return static_cast<i64>(value);
}
} // namespace

bool IntegerTextFormat(double value, char* buffer, u32 bufferSize, void* userData)
{
   (void)userData;
   return NultSnprintf(buffer, bufferSize, "%lld", static_cast<long long>(TruncatedInt32Get(value)));
}

bool MoneyTextFormat(double value, char* buffer, u32 bufferSize, void* userData)
{
   (void)userData;
   // The sign follows the whole amount shown, so -0.5 is "$0" rather than "-$0"; the magnitude of
   // -2147483648 needs 64 bits.
   i64 amount = TruncatedInt32Get(value);
   if (amount >= 0)
   {
      return NultSnprintf(buffer, bufferSize, "$%lld", static_cast<long long>(amount));
   }
   return NultSnprintf(buffer, bufferSize, "-$%lld", static_cast<long long>(-amount));
}

void NumberLabelWidget::TypeRegister()
{
   GUIManager::WidgetTypeRegister("NumberLabel", &WidgetCreate<NumberLabelWidget>);
}

NumberLabelWidget::~NumberLabelWidget()
{
   NumberStateFree();
}

void NumberLabelWidget::NumberStateFree()
{
   MemoryFree(textFormatExpression);
   textFormatExpression = nullptr;
   textFormatFunction = nullptr;
   textFormatFunctionUserData = nullptr;
   MemoryFree(textBuffer);
   textBuffer = nullptr;
}

void NumberLabelWidget::Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification)
{
   // The label's Init already refreshes the text through our TextsRefresh: start from the defaults.
   NumberStateFree();
   value = 0.0;
   textLengthMax = 32;
   LabelWidget::Init(widgetName, parentWidget, specification);
   if (!specification)
   {
      specification = &JSONValue::nullValue;
   }
   double number;
   specification->DoubleGet(&number, "TextLengthMax", 32.0);
   // Clamped before the conversion: a NaN or out-of-range length would be undefined.
   number = number == number ? number : 0.0;
   number = number > 2147483646.0 ? 2147483646.0 : (number < 0.0 ? 0.0 : number);
   TextLengthMaxSet(static_cast<i32>(number));
   specification->DoubleGet(&number, "Value", 0.0);
   ValueSet(number);
   TextFormatExpressionSet(specification->ItemGet("TextFormatExpression")->StringValueGet());
}

void NumberLabelWidget::Deinit()
{
   NumberStateFree();
   LabelWidget::Deinit();
}

bool NumberLabelWidget::TextBufferEnsure()
{
   if (textBuffer)
   {
      return true;
   }
   textBuffer = static_cast<char*>(MemoryAllocate(static_cast<u32>(textLengthMax) + 1, HEAP_DEFAULT, 4));
   if (!textBuffer)
   {
      WarningPrintf("NumberLabelWidget::TextBufferEnsure -- unable to allocate %d bytes for widget \"%s\"\n",
                    textLengthMax + 1, name ? name : "");
      return false;
   }
   textBuffer[0] = 0;
   return true;
}

void NumberLabelWidget::ValueSet(double newValue)
{
   value = newValue;
   TextsRefresh();
}

void NumberLabelWidget::TextFormatExpressionSet(const char* expression)
{
   char* copy = expression ? StringDuplicate(expression, HEAP_DEFAULT) : nullptr;
   textFormatFunction = nullptr;
   textFormatFunctionUserData = nullptr;
   MemoryFree(textFormatExpression);
   textFormatExpression = copy;
   TextsRefresh();
}

void NumberLabelWidget::TextFormatFunctionSet(NumberLabelTextFormatFunction function, void* userData)
{
   MemoryFree(textFormatExpression);
   textFormatExpression = nullptr;
   textFormatFunction = function;
   textFormatFunctionUserData = userData;
   TextsRefresh();
}

void NumberLabelWidget::TextLengthMaxSet(i32 length)
{
   textLengthMax = length < 1 ? 0 : length;
   MemoryFree(textBuffer);
   textBuffer = nullptr;
   if (!TextBufferEnsure())
   {
      return;
   }
   const char* shown = TextGet();
   if (!shown)
   {
      return;
   }
   size_t kept = strnlen(shown, static_cast<size_t>(textLengthMax));
   std::memcpy(textBuffer, shown, kept);
   textBuffer[kept] = 0;
   // A character cut in half goes whole, so the text stays valid UTF-8.
   UTF8Truncate(textBuffer, static_cast<u32>(textLengthMax) + 1);
   LabelWidget::TextSet(textBuffer);
}

void NumberLabelWidget::TextsRefresh()
{
   if (textFormatExpression && GUIManager::scriptingEnabled)
   {
      // The expression is a function of one number that returns the text.
      ScriptManager::Executef("LuaVar.LabelWidgetTempString=(%s)(%.20g)", textFormatExpression, value);
      LabelWidget::TextSet(ScriptManager::LuaVarGet("LabelWidgetTempString"));
      ScriptManager::TableFieldClear("LuaVar", "LabelWidgetTempString");
   }
   else if (TextBufferEnsure())
   {
      u32 size = static_cast<u32>(textLengthMax) + 1;
      if (textFormatFunction)
      {
         textFormatFunction(value, textBuffer, size, textFormatFunctionUserData);
      }
      else
      {
         NultSnprintf(textBuffer, size, "%.2f", value);
      }
      LabelWidget::TextSet(textBuffer);
   }
   LabelWidget::TextsRefresh();
}
} // namespace Corvale
