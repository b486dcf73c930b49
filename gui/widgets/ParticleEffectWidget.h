// A widget that shows one particle effect file: the effect lives in the parent's space at the
// widget's position, runs every frame (hidden or not) and is drawn after the widget.
#pragma once

#include "gui/widgets/Widget.h"

namespace Corvale
{
class ParticleEffect2D;

class ParticleEffectWidget : public Widget
{
 public:
   ParticleEffectWidget() = default;
   ~ParticleEffectWidget() override;

   void InitWithoutSpecification(const char* widgetName, Widget* parentWidget) override;
   void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification) override;
   void Deinit() override;
   void Update(u32 elapsed) override;
   void Draw() override;
   // The effect is drawn here, once the widget's own transform is popped: its particles keep to
   // the parent's space, so that those already emitted stay put when the widget moves.
   void DrawEnd() override;
   const char* TypeNameGet() override { return "ParticleEffectWidget"; }
   using Widget::PositionSet;
   void PositionSet(const Point2F& point) override;

   // Makes "ParticleEffect" known to the widget-type registry.
   static void TypeRegister();

   ParticleEffect2D* effect = nullptr;

 private:
   void EffectDestroy();
};
} // namespace Corvale
