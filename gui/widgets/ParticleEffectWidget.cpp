// The particle effect widget: loading the named effect, moving it with the widget, and running and
// drawing its emitters.
#include "gui/widgets/ParticleEffectWidget.h"

#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "gui/GUIManager.h"
#include "platform/particle/ParticleEffect2D.h"
#include "platform/particle/ParticleEffectEmitter2D.h"

namespace Corvale
{
void ParticleEffectWidget::TypeRegister()
{
   GUIManager::WidgetTypeRegister("ParticleEffect", &WidgetCreate<ParticleEffectWidget>);
}

ParticleEffectWidget::~ParticleEffectWidget()
{
   // Only a widget destroyed without its Deinit still owns its effect here.
   EffectDestroy();
}

void ParticleEffectWidget::EffectDestroy()
{
   if (effect)
   {
      effect->Deinit();
      MemoryDelete(effect);
      effect = nullptr;
   }
}

void ParticleEffectWidget::InitWithoutSpecification(const char* widgetName, Widget* parentWidget)
{
   EffectDestroy();
   Widget::InitWithoutSpecification(widgetName, parentWidget);
}

void ParticleEffectWidget::Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification)
{
   EffectDestroy();
   Widget::Init(widgetName, parentWidget, specification);
   if (!specification)
   {
      return;
   }
   const char* effectName = specification->ItemGet("ParticleEffect")->StringValueGet();
   if (!effectName)
   {
      WarningPrintf(
          "ParticleEffectWidget::Init -- %s can only be a string that specifies the file containing the "
          "details of the effect.\n",
          "ParticleEffect");
      return;
   }
   effect = MemoryNew<ParticleEffect2D>(HEAP_DEFAULT);
   if (!effect)
   {
      WarningPrintf("ParticleEffectWidget::Init -- unable to allocate the effect \"%s\"\n", effectName);
      return;
   }
   // Placed before loading, so that particles made ahead of time already start at the widget.
   effect->position = PositionGet();
   effect->Init(effectName);
}

void ParticleEffectWidget::Deinit()
{
   EffectDestroy();
   Widget::Deinit();
}

void ParticleEffectWidget::PositionSet(const Point2F& point)
{
   Widget::PositionSet(point);
   if (effect)
   {
      effect->position = point;
   }
}

void ParticleEffectWidget::Update(u32 elapsed)
{
   Widget::Update(elapsed);
   if (!effect)
   {
      return;
   }
   for (i32 i = 0; i < effect->emitters.count; i++)
   {
      effect->emitters[i]->Update(elapsed);
   }
}

void ParticleEffectWidget::Draw()
{
   if (!VisibleCheck())
   {
      return;
   }
   Widget::Draw();
}

void ParticleEffectWidget::DrawEnd()
{
   Widget::DrawEnd();
   if (!effect || !VisibleCheck())
   {
      return;
   }
   for (i32 i = 0; i < effect->emitters.count; i++)
   {
      effect->emitters[i]->Draw();
   }
}
} // namespace Corvale
