// The emitter of a particle effect file: where and how its particles start (shape, speed and
// direction, acceleration, damping, spin, life, scale, colour) and the modifiers that change
// them over their lives.
#pragma once

#include "core/Box.h"
#include "core/Color.h"
#include "core/Point.h"
#include "core/Table.h"
#include "core/Types.h"
#include "platform/particle/ParticleEmitter2D.h"

namespace Corvale
{
class JSONValue;
class ParticleEffect2D;
class ParticleEmitterModifier2D;
class Progression;

enum ParticleEmitterType : u32
{
   PARTICLE_EMITTER_POINT = 0,
   PARTICLE_EMITTER_LINE = 1,
   PARTICLE_EMITTER_BOX_FILLED = 2
};

class ParticleEffectEmitter2D : public ParticleEmitter2D
{
 public:
   ParticleEffectEmitter2D() = default;
   ~ParticleEffectEmitter2D() override;

   // Reads one emitter object of an effect file and makes its particle pool and modifiers.
   // fileName (may be null) only names the file in messages. Failures are logged and leave an
   // emitter that emits nothing.
   void Init(const JSONValue* specification, ParticleEffect2D* owner, i32 heapId, u32 effectFlag,
             const char* fileName);
   // Also destroys the emitter's modifiers.
   void Deinit() override;
   // Also runs the emitter's modifiers after the particles have moved.
   void Update(u32 elapsed) override;
   void Emit() override;

   // The curve named by key: linear when absent; a present key that is not a name asks the
   // curve registry for no name, which also ends on linear.
   static const Progression* ProgressionRead(const JSONValue* specification, const char* key);
   // The 4096-entry sine table that directions are read from.
   static float SineGet(float degrees);
   static float CosineGet(float degrees);

   ParticleEffect2D* effect = nullptr;
   u32 emitterType = PARTICLE_EMITTER_POINT;
   Point2F emissionPoint;
   Point2F linePointA;
   Point2F linePointB;
   Box2F emissionBox;
   u8 velocityIsVector = 0;
   Point2F velocity;
   float angleRange[2] = {0.0f, 0.0f};
   float speedRange[2] = {0.0f, 0.0f};
   u8 accelerationIsVector = 0;
   Point2F acceleration;
   float accelerationAngleRange[2] = {0.0f, 0.0f};
   float accelerationMagnitudeRange[2] = {0.0f, 0.0f};
   float linearDampingRange[2] = {0.0f, 0.0f};
   float rotationRange[2] = {0.0f, 0.0f};
   float angularVelocityRange[2] = {0.0f, 0.0f};
   float angularAccelerationRange[2] = {0.0f, 0.0f};
   float angularDampingRange[2] = {0.0f, 0.0f};
   u8 lifeBoundsEnabled = 0;
   Box2F lifeBounds;
   i32 lifeRange[2] = {-1, -1};
   Point2F scaleRange[2] = {{1.0f, 1.0f}, {1.0f, 1.0f}};
   ColorRGBA8 color{255, 255, 255, 255};
   float additive = 0.0f;
   Table<ParticleEmitterModifier2D*> emitterModifiers;
   u8 preSimulateOnInit = 1;

 private:
   void ModifiersDestroy();
   void ModifiersRead(const JSONValue* specification, i32 heapId, u32 effectFlag, const char* fileName);
};
} // namespace Corvale
