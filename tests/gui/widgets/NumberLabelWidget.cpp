// Number labels: the default format and the length limit, the integer and money formats at the
// edges of their range, switching between format function and expression, the Lua expression, and
// the incremental label's jump, approach and pulse.
#include "gui/widgets/NumberLabelWidget.h"

#include <cmath>
#include <limits>
#include <string>

#include "tests/gui/LabelTestSupport.h"
#include "core/ScriptManager.h"
#include "gui/widgets/IncrementalNumberLabelWidget.h"

using namespace WidgetTest;
using LabelTest::FixedFont;

namespace
{
class NumberLabelTest : public GUITest
{
 protected:
   void SetUp() override
   {
      GUITest::SetUp();
      holder = Make<ContainerWidget>("{}", nullptr, "Holder");
      holder->FontSet(&font);
   }

   void TearDown() override
   {
      WidgetDestroy(holder);
      GUITest::TearDown();
   }

   template <class T = NumberLabelWidget> T* Label(const std::string& json)
   {
      T* label = Make<T>(json, holder, "Score");
      holder->ChildAddLast(label);
      return label;
   }

   static std::string Text(LabelWidget* label) { return label->TextGet() ? label->TextGet() : "<null>"; }

   FixedFont font;
   ContainerWidget* holder = nullptr;
};

TEST_F(NumberLabelTest, DefaultFormatAndLengthLimitFromJSON)
{
   const struct
   {
      const char* json;
      const char* text;
   } cases[] = {
       {R"({})", "0.00"},
       {R"({"Value": 3})", "3.00"},
       {R"({"Value": -12.345})", "-12.35"},
       {R"({"Value": 1234, "TextLengthMax": 3})", "123"},
       {R"({"Value": 1234, "TextLengthMax": 0})", ""},
       {R"({"Value": 1234, "TextLengthMax": -5})", ""},
       {R"({"Value": 5, "TextLengthMax": 1e300})", "5.00"},
       // The label's own text sources never reach a number label.
       {R"({"Value": 7, "Text": "seven", "TextKey": "Seven", "TextExpression": "'seven'"})", "7.00"},
   };
   for (const auto& c : cases)
   {
      LogCapture log;
      NumberLabelWidget* label = Label(c.json);
      EXPECT_EQ(Text(label), c.text) << c.json;
      EXPECT_EQ(label->TextKeyGet(), nullptr) << c.json;
      EXPECT_EQ(label->TextExpressionGet(), nullptr) << c.json;
      holder->ChildRemove(label);
   }

   LogCapture log;
   NumberLabelWidget* label = Label(R"({"Value": 1234, "TextLengthMax": 3})");
   EXPECT_EQ(label->TextLengthMaxGet(), 3);
   label->ValueSet(98765);
   EXPECT_EQ(Text(label), "987");
   EXPECT_TRUE(log.Contains("NultVsnprintf -- truncation or error occurred")) << log.text;
}

TEST_F(NumberLabelTest, IntegerAndMoneyFormatsClampToTheIntegerRange)
{
   const double nan = std::numeric_limits<double>::quiet_NaN();
   const struct
   {
      double value;
      const char* integer;
      const char* money;
   } cases[] = {
       {-25.0, "-25", "-$25"},
       {0.0, "0", "$0"},
       {12.9, "12", "$12"},
       {-12.9, "-12", "-$12"},
       {-0.5, "0", "$0"},
       {2147483647.0, "2147483647", "$2147483647"},
       {-2147483648.0, "-2147483648", "-$2147483648"},
       {1e12, "2147483647", "$2147483647"},
       {-1e12, "-2147483648", "-$2147483648"},
       {std::numeric_limits<double>::infinity(), "2147483647", "$2147483647"},
       {nan, "0", "$0"},
   };
   NumberLabelWidget* label = Label("{}");
   for (const auto& c : cases)
   {
      label->TextFormatFunctionSet(&IntegerTextFormat, nullptr);
      label->ValueSet(c.value);
      EXPECT_EQ(Text(label), c.integer) << c.value;
      label->TextFormatFunctionSet(&MoneyTextFormat, nullptr);
      EXPECT_EQ(Text(label), c.money) << c.value;
   }

   // A function is told the buffer's real size and cut by the bounded formatter.
   LogCapture log;
   label->TextLengthMaxSet(4);
   label->ValueSet(-123456);
   EXPECT_EQ(Text(label), "-$12");
   EXPECT_TRUE(log.Contains("NultVsnprintf -- truncation or error occurred")) << log.text;
}

TEST_F(NumberLabelTest, FunctionAndExpressionReplaceEachOther)
{
   NumberLabelWidget* label = Label(R"({"Value": 40, "TextFormatExpression": "function(v) return 'x' end"})");
   ASSERT_STREQ(label->TextFormatExpressionGet(), "function(v) return 'x' end");
   // With GUI scripting off the expression is kept but the default format shows.
   EXPECT_EQ(Text(label), "40.00");

   label->TextFormatFunctionSet(&MoneyTextFormat, nullptr);
   EXPECT_EQ(label->TextFormatExpressionGet(), nullptr);
   EXPECT_EQ(label->TextFormatFunctionGet(), &MoneyTextFormat);
   EXPECT_EQ(Text(label), "$40");

   label->TextFormatExpressionSet("function(v) return 'y' end");
   EXPECT_EQ(label->TextFormatFunctionGet(), nullptr);
   EXPECT_EQ(label->textFormatFunctionUserData, nullptr);
   EXPECT_EQ(Text(label), "40.00");

   label->TextFormatExpressionSet(nullptr);
   EXPECT_EQ(label->TextFormatExpressionGet(), nullptr);
   EXPECT_EQ(Text(label), "40.00");
}

TEST_F(NumberLabelTest, TheExpressionFormatsWhileGUIScriptingIsOn)
{
   ASSERT_TRUE(ScriptManager::Init());
   GUIManager::scriptingEnabled = 1;
   NumberLabelWidget* label = Label(
       R"({"Value": 2.5, "TextLengthMax": 4, "TextFormatExpression": "function(v) return 'Bid: ' .. v end"})");
   // The expression's text is not held to the length limit.
   EXPECT_EQ(Text(label), "Bid: 2.5");
   label->ValueSet(7);
   EXPECT_EQ(Text(label), "Bid: 7");
   EXPECT_EQ(ScriptManager::LuaVarGet("LabelWidgetTempString"), nullptr) << "the temporary is cleared";

   label->TextFormatExpressionSet("function(v) return v * 2 end");
   EXPECT_EQ(Text(label), "<null>") << "a result that is not a string leaves no text";

   // The buffer still fits its limit after an expression's long text.
   label->TextFormatFunctionSet(&IntegerTextFormat, nullptr);
   EXPECT_EQ(Text(label), "7");
   holder->ChildRemove(label);
   GUIManager::RemovedWidgetsDestroy();
   GUIManager::scriptingEnabled = 0;
   ScriptManager::Deinit();
}

TEST_F(NumberLabelTest, TextLengthMaxSetCutsTheTextAtOnce)
{
   NumberLabelWidget* label = Label(R"({"Value": 12345.67})");
   ASSERT_EQ(Text(label), "12345.67");
   label->TextLengthMaxSet(4);
   EXPECT_EQ(Text(label), "1234");
   label->TextLengthMaxSet(10);
   EXPECT_EQ(Text(label), "1234") << "growing keeps what is shown";
   label->ValueSet(9);
   EXPECT_EQ(Text(label), "9.00");
   label->TextLengthMaxSet(-3);
   EXPECT_EQ(label->TextLengthMaxGet(), 0);
   EXPECT_EQ(Text(label), "");

   // A character cut in half goes whole.
   label->TextLengthMaxSet(10);
   label->LabelWidget::TextSet("a\xC3\xA9z");
   label->TextLengthMaxSet(2);
   EXPECT_EQ(Text(label), "a");
}

TEST_F(NumberLabelTest, IncrementalValueSetJumpsWithoutPulse)
{
   auto* label = Label<IncrementalNumberLabelWidget>(R"({"Value": 5, "TextScale": "2|3", "ScaleRate": 4})");
   EXPECT_EQ(Text(label), "5.00");
   EXPECT_FLOAT_EQ(label->currentScale, 2.0f);
   label->ValueSet(500);
   EXPECT_EQ(Text(label), "500.00");
   for (int i = 0; i < 10; i++)
   {
      label->Update(100);
   }
   EXPECT_EQ(Text(label), "500.00");
   EXPECT_DOUBLE_EQ(label->currentValue, 500.0);
   EXPECT_FLOAT_EQ(label->currentScale, 2.0f) << "no pulse after a jump";
   EXPECT_FLOAT_EQ(label->TextScaleGet().x, 2.0f);
   EXPECT_FLOAT_EQ(label->TextScaleGet().y, 2.0f) << "a pulsing label shows its scale on both axes";
}

TEST_F(NumberLabelTest, IncrementalApproachDecaysPerSecondWhateverTheFrames)
{
   const char* json = R"({"IncrementRate": 0, "DifferenceDecaySpeed": 0.5, "ScaleRate": 0.4,
                          "ScaleOffsetMax": 0.5})";
   for (u32 frame : {1000u, 100u, 10u})
   {
      auto* label = Label<IncrementalNumberLabelWidget>(json);
      label->targetValue = 80.0;
      for (u32 t = 0; t < 1000; t += frame)
      {
         label->Update(frame);
      }
      EXPECT_NEAR(label->currentValue, 40.0, 1e-6) << frame;
      EXPECT_EQ(Text(label), "40.00") << frame;
      // 0.4 a second: past 1.5 after 1.25 s, when the rate turns round.
      EXPECT_NEAR(label->TextScaleGet().x, 1.4f, 1e-4) << frame;
      holder->ChildRemove(label);
   }

   auto* label = Label<IncrementalNumberLabelWidget>(R"({"IncrementRate": 10, "ScaleRate": 1,
       "Transitions": {"Spin": {"Type": "Linear", "Duration": 100, "RotationEnd": 90}}})");
   label->targetValue = -15.0;
   label->Update(1000);
   EXPECT_DOUBLE_EQ(label->currentValue, -10.0);
   EXPECT_FLOAT_EQ(label->currentScale, 2.0f);
   label->Update(1000);
   EXPECT_DOUBLE_EQ(label->currentValue, -15.0) << "stops at the target, not past it";
   EXPECT_FLOAT_EQ(label->TextScaleGet().x, 1.0f) << "arrived, the text rests at its own scale";
   EXPECT_EQ(Text(label), "-15.00");

   // While its own transition runs nothing counts, but the transition itself goes on.
   label->targetValue = 0.0;
   label->TransitionStart("Spin");
   label->Update(50);
   EXPECT_DOUBLE_EQ(label->currentValue, -15.0);
   EXPECT_NEAR(label->RotationGet(), 45.0f, 0.01f);
   label->Update(50);
   EXPECT_FALSE(label->TransitionRunningCheck());
   label->Update(500);
   EXPECT_DOUBLE_EQ(label->currentValue, -10.0);
}

TEST_F(NumberLabelTest, IncrementalKeysAndTheirFallbacks)
{
   LogCapture log;
   auto* label = Label<IncrementalNumberLabelWidget>(R"({"Pulse": 0, "DifferenceDecaySpeed": 2})");
   EXPECT_EQ(label->pulse, 0);
   EXPECT_FLOAT_EQ(label->differenceDecaySpeed, 1.0f);
   EXPECT_TRUE(log.Contains("IncrementalNumberLabelWidget::Init -- DifferenceDecaySpeed 2 outside 0 to 1"))
       << log.text;
   label->targetValue = 9.0;
   label->Update(16);
   EXPECT_DOUBLE_EQ(label->currentValue, 9.0) << "a full decay closes the gap in one frame";
   EXPECT_FLOAT_EQ(label->TextScaleGet().x, 1.0f) << "without pulse the scale is left alone";

   auto* defaults = Label<IncrementalNumberLabelWidget>("{}");
   EXPECT_EQ(defaults->pulse, 1);
   EXPECT_FLOAT_EQ(defaults->incrementRate, 1.0f);
   EXPECT_FLOAT_EQ(defaults->scaleRate, 1.0f);
   EXPECT_FLOAT_EQ(defaults->scaleOffsetMax, 1.3f);
   EXPECT_FLOAT_EQ(defaults->differenceDecaySpeed, 0.0f);
   EXPECT_EQ(defaults->incrementSound, nullptr);
}

TEST_F(NumberLabelTest, BothTypesAreRegistered)
{
   GUIManager::WidgetTypesRegister();
   for (const char* type : {"NumberLabel", "IncrementalNumberLabel"})
   {
      WidgetCreateFunction create = GUIManager::WidgetTypeFind(type);
      ASSERT_NE(create, nullptr) << type;
      Widget* widget = create(type, HEAP_DEFAULT);
      EXPECT_NE(dynamic_cast<NumberLabelWidget*>(widget), nullptr) << type;
      MemoryDelete(widget);
   }
}
} // namespace
