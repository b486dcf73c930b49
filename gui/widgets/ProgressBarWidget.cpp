// The progress bar: reading its layout, and the fill that clips itself to the value or to the
// sweeping bar of the indeterminate mode.
#include "gui/widgets/ProgressBarWidget.h"

#include <cmath>

#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "gui/GUIManager.h"
#include "gui/widgets/WidgetChildSprite.h"
#include "platform/sprite/SpriteAnimation.h"

namespace Corvale
{
void ProgressBarSpriteWidget::Update(u32 elapsed)
{
   SpriteWidget::Update(elapsed);
   ProgressBarWidget* bar = dynamic_cast<ProgressBarWidget*>(ParentGet());
   if (!sprite || !bar)
   {
      return;
   }
   SpriteAnimation* animation = sprite->animation;
   Point2F size = animation ? animation->SizeGet() : Point2F{0.0f, 0.0f};
   Point2F offset = animation ? animation->offset : Point2F{0.0f, 0.0f};
   const float w = size.x;
   // The clip area lies in the parent's space, like the position.
   Point2F at = PositionGet();
   float x = at.x + offset.x;
   float y = at.y + offset.y;
   float width;
   const float step = bar->PixelStepGet();
   if (!bar->IndeterminateGet())
   {
      const float range = bar->MaximumGet() - bar->MinimumGet();
      width = range != 0.0f ? (bar->ValueGet() - bar->MinimumGet()) * w / range : w;
      if (step != 0.0f)
      {
         width = std::floor(width / step) * step;
      }
   }
   else
   {
      sweepTime += static_cast<float>(elapsed);
      const u32 duration = static_cast<u32>(bar->IndeterminateEffectDurationGet());
      const i32 barWidth = bar->IndeterminateEffectBarWidthGet();
      if (duration == 0)
      {
         sweepTime = 0.0f;
      }
      else
      {
         sweepTime = static_cast<float>(static_cast<u32>(sweepTime) % duration);
         // The bar enters past the left edge and leaves past the right one.
         x += sweepTime / static_cast<float>(duration) * static_cast<float>(barWidth + w) -
              static_cast<float>(barWidth);
      }
      width = static_cast<float>(barWidth);
      if (step != 0.0f)
      {
         width = std::floor(width / step + 0.5f) * step;
         x = std::floor(x / step + 0.5f) * step;
      }
   }
   ClipAreaSet(Box2F{x, y, width, size.y});
}

ProgressBarWidget::~ProgressBarWidget()
{
   // Only a bar destroyed without its Deinit still owns a background here.
   WidgetChildSprite::Destroy(&backgroundSprite);
}

void ProgressBarWidget::TypeRegister()
{
   GUIManager::WidgetTypeRegister("ProgressBar", &WidgetCreate<ProgressBarWidget>);
}

void ProgressBarWidget::Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification)
{
   backgroundSprite = nullptr;
   fill = nullptr;
   ContainerWidget::Init(widgetName, parentWidget, specification);
   if (!specification)
   {
      specification = &JSONValue::nullValue;
   }

   // In this order: MinimumSet re-applies the value once the step is known.
   float stepMinimumRead, maximumRead, minimumRead, valueRead;
   specification->FloatGet(&stepMinimumRead, "StepMinimum", 0.0f);
   StepMinimumSet(stepMinimumRead);
   specification->FloatGet(&maximumRead, "Maximum", 100.0f);
   MaximumSet(maximumRead);
   specification->FloatGet(&minimumRead, "Minimum", 0.0f);
   MinimumSet(minimumRead);
   specification->FloatGet(&valueRead, "Value", 0.0f);
   ValueSet(valueRead);
   if (StepMinimumGet() != 0.0f)
   {
      GridWarn(TypeNameGet(), NameGet(), "Maximum", maximumRead);
      GridWarn(TypeNameGet(), NameGet(), "Value", valueRead);
   }

   float number;
   specification->FloatGet(&number, "PixelStep", 1.0f);
   PixelStepSet(number);
   bool flag;
   specification->BoolGet(&flag, "Indeterminate", false);
   IndeterminateSet(flag);
   specification->FloatGet(&number, "IndeterminateEffectBarWidth", 16.0f);
   IndeterminateEffectBarWidthSet(static_cast<i32>(number));
   specification->FloatGet(&number, "IndeterminateEffectDuration", 1000.0f);
   IndeterminateEffectDurationSet(number);

   backgroundSprite = WidgetChildSprite::Create("BackgroundSprite", specification, this);

   ChildrenCapacitySet(1);
   const JSONValue* item = specification->ItemGet("ProgressSprite");
   if (item->TypeGet() != JSONValue::TYPE_NULL)
   {
      fill = MemoryNew<ProgressBarSpriteWidget>(HEAP_DEFAULT);
      if (fill)
      {
         fill->Init("ProgressSprite", this, item);
         ChildAddLast(fill);
      }
      else
      {
         WarningPrintf("ProgressBarWidget::Init -- unable to allocate \"ProgressSprite\"\n");
      }
   }
}

void ProgressBarWidget::Deinit()
{
   WidgetChildSprite::Destroy(&backgroundSprite);
   ContainerWidget::Deinit();
   fill = nullptr;
}

void ProgressBarWidget::IndeterminateSet(bool on)
{
   indeterminate = on ? 1 : 0;
   if (on && fill)
   {
      fill->SweepTimeSet(0.0f);
   }
}

void ProgressBarWidget::Update(u32 elapsed)
{
   if (backgroundSprite)
   {
      backgroundSprite->Update(elapsed);
   }
   ContainerWidget::Update(elapsed);
}

void ProgressBarWidget::Draw()
{
   BackdropAndChildrenDraw(backgroundSprite);
}

bool ProgressBarWidget::PixelTest(const Point2F& point)
{
   return BackdropPixelTest(backgroundSprite, point);
}
} // namespace Corvale
