// Widget sounds against a running sound manager: looked up only, reported when missing, and kept
// alive by the widget that names them even after their loader lets go.
#include "tests/platform/SoundTestSupport.h"

#include "tests/core/JSONTestSupport.h"
#include "gui/widgets/Widget.h"

using namespace CorvaleTest;

namespace
{
class WidgetSoundTest : public SoundFixture
{
};

TEST_F(WidgetSoundTest, AWidgetHoldsAReferenceOnEverySoundItNames)
{
   folder.Write("Sounds/Click.wav", WavMake(WavSpec()));
   Sound* loaded = soundManager.Load("Sounds/Click");
   ASSERT_NE(loaded, nullptr);
   JSONTest::ValuePointer spec = JSONTest::TextParse(
       R"({"ClickSound": "Sounds/Click", "ClickSoundEnabled": true, "PressSound": "Sounds/Missing"})");
   Widget* widget = MemoryNew<Widget>(HEAP_DEFAULT);
   widget->Init("Button", nullptr, spec.get());
   EXPECT_TRUE(
       log.Contains("Widget::Init -- In Widget \"Button\", PressSound not found: \"Sounds/Missing\"\n"));
   EXPECT_EQ(widget->ClickSoundGet(), loaded);
   EXPECT_EQ(widget->PressSoundGet(), nullptr);

   // A child without sounds of its own plays its parent's.
   Widget* child = MemoryNew<Widget>(HEAP_DEFAULT);
   child->InitWithoutSpecification("Child", widget);
   EXPECT_EQ(child->ClickSoundGet(), loaded);

   // The loader releases first; the widget's reference keeps the sound until its Deinit.
   soundManager.NameUnload("Sounds/Click");
   EXPECT_EQ(soundManager.SoundLoadedGet("Sounds/Click"), loaded);
   widget->OnClick();
   soundManager.CommandQueueWait();
   child->Deinit();
   MemoryDelete(child);
   widget->Deinit();
   MemoryDelete(widget);
   EXPECT_EQ(soundManager.SoundLoadedGet("Sounds/Click"), nullptr);
}

TEST_F(WidgetSoundTest, ReplacingASoundMovesTheReference)
{
   folder.Write("Sounds/A.wav", WavMake(WavSpec()));
   folder.Write("Sounds/B.wav", WavMake(WavSpec()));
   Sound* a = soundManager.Load("Sounds/A");
   Sound* b = soundManager.Load("Sounds/B");
   Widget* widget = MemoryNew<Widget>(HEAP_DEFAULT);
   widget->InitWithoutSpecification("W", nullptr);
   widget->MouseOverSoundSet(a);
   widget->MouseOverSoundSet(b);
   soundManager.NameUnload("Sounds/A");
   soundManager.NameUnload("Sounds/B");
   EXPECT_EQ(soundManager.SoundLoadedGet("Sounds/A"), nullptr) << "the widget gave its count on A back";
   EXPECT_EQ(soundManager.SoundLoadedGet("Sounds/B"), b);
   widget->Deinit();
   MemoryDelete(widget);
   EXPECT_EQ(soundManager.SoundLoadedGet("Sounds/B"), nullptr);
}
} // namespace
