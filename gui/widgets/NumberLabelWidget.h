// A label whose text is a number, formatted again on every change: by a Lua format expression, by a
// format function the program sets, or as "%.2f". Scores, bids and money are shown with it.
#pragma once

#include "gui/widgets/LabelWidget.h"

namespace Corvale
{
// Writes the text of value into buffer (bufferSize bytes with the terminator); false when it cut.
typedef bool (*NumberLabelTextFormatFunction)(double value, char* buffer, u32 bufferSize, void* userData);

// "%d" of the value truncated toward zero.
bool IntegerTextFormat(double value, char* buffer, u32 bufferSize, void* userData);
// "$%d" of the truncated value, "-$%d" of its magnitude below zero.
bool MoneyTextFormat(double value, char* buffer, u32 bufferSize, void* userData);

class NumberLabelWidget : public LabelWidget
{
 public:
   NumberLabelWidget() = default;
   ~NumberLabelWidget() override;

   // After the label's keys: "TextLengthMax", "Value" and "TextFormatExpression".
   void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification) override;
   void Deinit() override;
   const char* TypeNameGet() override { return "NumberLabelWidget"; }
   // Formats the value again.
   void TextsRefresh() override;
   // The number is the only source of the text.
   bool TextKeyUsedCheck() override { return false; }
   bool TextExpressionUsedCheck() override { return false; }

   virtual void ValueSet(double newValue);
   virtual double ValueGet() { return value; }
   virtual const char* TextFormatExpressionGet() { return textFormatExpression; }
   // Drops the format function.
   virtual void TextFormatExpressionSet(const char* expression);
   virtual NumberLabelTextFormatFunction TextFormatFunctionGet() { return textFormatFunction; }
   // Drops the format expression.
   virtual void TextFormatFunctionSet(NumberLabelTextFormatFunction function, void* userData);
   virtual i32 TextLengthMaxGet() { return textLengthMax; }
   // Below 1 counts as 0; the text is cut to the new length at once.
   virtual void TextLengthMaxSet(i32 length);

   // Makes "NumberLabel" known to the widget-type registry.
   static void TypeRegister();

   double value = 0.0;
   char* textFormatExpression = nullptr;
   NumberLabelTextFormatFunction textFormatFunction = nullptr;
   void* textFormatFunctionUserData = nullptr;
   i32 textLengthMax = 32;
   // textLengthMax + 1 bytes: what the format function and the default format write into.
   char* textBuffer = nullptr;

 protected:
   void NumberStateFree();

 private:
   // A buffer of textLengthMax + 1 bytes, made when missing; false when out of memory.
   bool TextBufferEnsure();
};
} // namespace Corvale
