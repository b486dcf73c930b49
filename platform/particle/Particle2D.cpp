// Simple per-frame integration of a particle's motion and spin.
#include "platform/particle/Particle2D.h"

#include <cmath>

#include "core/Progression.h"

namespace Corvale
{
void Particle2D::ParticleReset()
{
   alive = 0;
   life = -1;
   age = 0;
   velocity = Point2F();
   acceleration = Point2F();
   angularVelocity = 0.0f;
   angularAcceleration = 0.0f;
   linearDamping = 0.0f;
   angularDamping = 0.0f;
}

void Particle2D::ParticleUpdate(u32 elapsed)
{
   if (!alive)
   {
      return;
   }
   Sprite::Update(elapsed);
   i64 aged = static_cast<i64>(age) + elapsed;
   age = aged > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<i32>(aged);
   if (life != -1 && age >= life)
   {
      Die();
      return;
   }

   float dt = static_cast<float>(elapsed) / 1000.0f;
   velocity.x += acceleration.x * dt;
   velocity.y += acceleration.y * dt;
   if (dt != 0.0f && linearDamping != 0.0f)
   {
      // Damping is a fraction lost per second, so it compounds over the frame's share of one.
      float keep = std::pow(1.0f - linearDamping, dt);
      velocity.x *= keep;
      velocity.y *= keep;
   }
   position.x += velocity.x * dt;
   position.y += velocity.y * dt;

   angularVelocity += angularAcceleration * dt;
   if (dt != 0.0f && angularDamping != 0.0f)
   {
      angularVelocity *= std::pow(1.0f - angularDamping, dt);
   }
   rotation += angularVelocity * dt;

   if (lifeBoundsEnabled)
   {
      bool inside = lifeBounds.x <= position.x && position.x < lifeBounds.x + lifeBounds.width &&
                    lifeBounds.y <= position.y && position.y < lifeBounds.y + lifeBounds.height;
      if (!inside)
      {
         Die();
      }
   }
}

bool Particle2D::LifeProgressGet(const Progression* progression, float* t) const
{
   if (life == -1)
   {
      return false;
   }
   float p = life <= 0 ? 1.0f : static_cast<float>(age) / static_cast<float>(life);
   float value = progression ? progression->ValueGet(p) : progressionLinear.ValueGet(p);
   // NaN falls to 0 with the lower bound.
   if (!(value > 0.0f))
   {
      value = 0.0f;
   }
   else if (value > 1.0f)
   {
      value = 1.0f;
   }
   *t = value;
   return true;
}
} // namespace Corvale
