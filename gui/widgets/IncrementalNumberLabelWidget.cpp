// The incremental number label: the approach of the shown value to its target, the pulse of the
// text scale and the increment sound.
#include "gui/widgets/IncrementalNumberLabelWidget.h"

#include <cmath>

#include "core/JSONValue.h"
#include "core/Log.h"
#include "gui/GUIManager.h"
#include "platform/sound/Sound.h"
#include "platform/sound/SoundManagerOpenAL.h"

namespace Corvale
{
void IncrementalNumberLabelWidget::TypeRegister()
{
   GUIManager::WidgetTypeRegister("IncrementalNumberLabel", &WidgetCreate<IncrementalNumberLabelWidget>);
}

IncrementalNumberLabelWidget::~IncrementalNumberLabelWidget()
{
   IncrementSoundRelease();
}

void IncrementalNumberLabelWidget::IncrementSoundRelease()
{
   // The sound manager's shutdown destroys every cached sound, so one no longer cached is not ours.
   if (incrementSound && soundManager.initialised &&
       soundManager.soundCache.ResourceFind(incrementSound, nullptr))
   {
      soundManager.Unload(incrementSound);
   }
   incrementSound = nullptr;
}

void IncrementalNumberLabelWidget::Init(const char* widgetName, Widget* parentWidget,
                                        const JSONValue* specification)
{
   IncrementSoundRelease();
   NumberLabelWidget::Init(widgetName, parentWidget, specification);
   if (!specification)
   {
      specification = &JSONValue::nullValue;
   }
   double number;
   specification->DoubleGet(&number, "IncrementRate", 1.0);
   incrementRate = static_cast<float>(number);
   specification->DoubleGet(&number, "DifferenceDecaySpeed", 0.0);
   // The gap is scaled by (1 - speed) to a fractional power: a negative base would make it NaN.
   if (!(number >= 0.0 && number <= 1.0))
   {
      WarningPrintf("IncrementalNumberLabelWidget::Init -- DifferenceDecaySpeed %g outside 0 to 1 in widget "
                    "\"%s\"; clamped\n",
                    number, name ? name : "");
      number = number > 1.0 ? 1.0 : 0.0;
   }
   differenceDecaySpeed = static_cast<float>(number);
   specification->DoubleGet(&number, "ScaleRate", 1.0);
   scaleRate = static_cast<float>(number);
   specification->DoubleGet(&number, "ScaleOffsetMax", 1.3);
   scaleOffsetMax = static_cast<float>(number);

   bool flag = true;
   const JSONValue* item = specification->ItemGet("Pulse");
   if (item->TypeGet() == JSONValue::TYPE_NUMBER)
   {
      flag = item->DoubleValueGet() != 0.0;
   }
   else
   {
      specification->BoolGet(&flag, "Pulse", true);
   }
   pulse = flag ? 1 : 0;

   const char* soundName = specification->ItemGet("IncrementSound")->StringValueGet();
   if (soundName && soundManager.initialised)
   {
      incrementSound = soundManager.Load(soundName);
   }

   targetValue = value;
   currentValue = value;
   baseScale = TextScaleGet();
   currentScale = baseScale.x;
}

void IncrementalNumberLabelWidget::Deinit()
{
   IncrementSoundRelease();
   NumberLabelWidget::Deinit();
}

void IncrementalNumberLabelWidget::ValueSet(double newValue)
{
   targetValue = newValue;
   currentValue = newValue;
   NumberLabelWidget::ValueSet(newValue);
}

void IncrementalNumberLabelWidget::Update(u32 elapsed)
{
   // The widget's own transition still has to advance; only the counting waits for it.
   if (TransitionRunningCheck())
   {
      Widget::Update(elapsed);
      return;
   }
   double seconds = static_cast<double>(elapsed) / 1000.0;
   if (currentValue != targetValue)
   {
      bool up = targetValue > currentValue;
      currentValue =
          targetValue - std::pow(1.0 - differenceDecaySpeed, seconds) * (targetValue - currentValue);
      currentValue += up ? incrementRate * seconds : -incrementRate * seconds;
      if (up ? currentValue >= targetValue : currentValue <= targetValue)
      {
         // Arrived: the text comes to rest at its own scale.
         currentValue = targetValue;
         currentScale = baseScale.x;
      }
      else
      {
         currentScale += scaleRate * static_cast<float>(seconds);
         if ((currentScale > baseScale.x + scaleOffsetMax && scaleRate > 0.0f) ||
             (currentScale < baseScale.x && scaleRate < 0.0f))
         {
            scaleRate = -scaleRate;
         }
      }
      if (incrementSound && soundManager.initialised)
      {
         Sound::Play(incrementSound, nullptr, false, SOUND_USAGE_EFFECTS);
      }
   }
   value = currentValue;
   TextsRefresh();
   if (pulse)
   {
      TextScaleSet(Point2F{currentScale, currentScale});
   }
   LabelWidget::Update(elapsed);
}
} // namespace Corvale
