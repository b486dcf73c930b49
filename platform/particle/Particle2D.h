// One particle: a sprite with motion (velocity, acceleration, damping, spin), an age and a life,
// owned by the pool of an emitter and moved between its free and live lists.
#pragma once

#include "core/Box.h"
#include "core/Point.h"
#include "core/Types.h"
#include "platform/sprite/Sprite.h"

namespace Corvale
{
class ParticleEmitter2D;
class Progression;

class Particle2D : public Sprite
{
 public:
   // Not alive, unlimited life, no motion; the sprite part is left alone.
   void ParticleReset();
   // Ages and moves a live particle by elapsed ms; it dies at the end of its life or outside its
   // life bounds.
   void ParticleUpdate(u32 elapsed);
   // The curve's value of age / life, clamped to 0..1 (a zero life counts as over); false for a
   // particle without a life, which keeps the values its modifiers started it with.
   bool LifeProgressGet(const Progression* progression, float* t) const;

   virtual void Start() = 0;
   virtual void Die() = 0;

   u8 alive = 0;
   u8 lifeBoundsEnabled = 0;
   i32 life = -1;
   i32 age = 0;
   Point2F velocity;
   Point2F acceleration;
   float angularVelocity = 0.0f;
   float angularAcceleration = 0.0f;
   float linearDamping = 0.0f;
   float angularDamping = 0.0f;
   Box2F lifeBounds;
   ParticleEmitter2D* emitter = nullptr;
};
} // namespace Corvale
