// The particle effect widget without a window: the warning for a missing or malformed effect name,
// and the effect following the widget's position.
#include "tests/gui/WidgetTestSupport.h"

#include "gui/widgets/ParticleEffectWidget.h"
#include "platform/particle/ParticleEffect2D.h"

using namespace WidgetTest;

namespace
{
using ParticleEffectWidgetTest = GUITest;

TEST_F(ParticleEffectWidgetTest, WithoutAnEffectNameItWarnsOnceAndStaysAPlainWidget)
{
   const char* const warning =
       "ParticleEffectWidget::Init -- ParticleEffect can only be a string that specifies "
       "the file containing the details of the effect.\n";
   struct Case
   {
      const char* json;
      const char* log;
   };
   const Case cases[] = {
       {R"({"Position": "5|6"})", warning},
       {R"({"Position": "5|6", "ParticleEffect": 3})", warning},
       {R"({"Position": "5|6", "ParticleEffect": null})", warning},
       {R"(7)", warning},
   };
   for (const Case& c : cases)
   {
      LogCapture log;
      auto* widget = Make<ParticleEffectWidget>(c.json);
      EXPECT_EQ(log.text, c.log) << c.json;
      EXPECT_EQ(widget->effect, nullptr) << c.json;
      widget->PositionSet(Point2F{1.0f, 2.0f});
      EXPECT_EQ(widget->PositionGet().x, 1.0f);
      widget->Update(16);
      WidgetDestroy(widget);
   }
   // A null specification is a widget made in code: no warning.
   LogCapture log;
   auto* widget = MemoryNew<ParticleEffectWidget>(HEAP_DEFAULT);
   widget->Init("W", nullptr, nullptr);
   EXPECT_EQ(log.text, "");
   WidgetDestroy(widget);
}

TEST_F(ParticleEffectWidgetTest, TheEffectFollowsThePosition)
{
   auto* widget = Make<ParticleEffectWidget>(R"({"Position": "5|6"})");
   widget->effect = MemoryNew<ParticleEffect2D>(HEAP_DEFAULT);
   widget->PositionSet(Point2F{30.0f, 40.0f});
   EXPECT_EQ(widget->effect->position.x, 30.0f);
   EXPECT_EQ(widget->effect->position.y, 40.0f);
   EXPECT_EQ(widget->PositionGet().y, 40.0f);
   WidgetDestroy(widget);
}
} // namespace
