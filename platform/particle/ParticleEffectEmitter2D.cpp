// Loading an effect emitter from its JSON object, and starting each particle it emits.
#include "platform/particle/ParticleEffectEmitter2D.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "core/Allocator.h"
#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/Progression.h"
#include "core/ProgressionManager.h"
#include "core/SineTable.h"
#include "platform/particle/ParticleEffect2D.h"
#include "platform/particle/ParticleEffectParticle2D.h"
#include "platform/particle/ParticleEmitterModifier2D.h"
#include "platform/particle/ParticleManager2D.h"

namespace Corvale
{
namespace
{
const char* const contextName = "ParticleEffectEmitter2D";

// One warning line of Init, naming the file when there is one.
void InitWarn(const char* problem, const char* fileName)
{
   if (fileName)
   {
      WarningPrintf("ParticleEffectEmitter2D::Init -- %s in %s.\n", problem, fileName);
   }
   else
   {
      WarningPrintf("ParticleEffectEmitter2D::Init -- %s.\n", problem);
   }
}

i32 MillisecondsTruncate(double value)
{
   if (value != value)
   {
      return 0;
   }
   if (value >= 2147483647.0)
   {
      return 0x7FFFFFFF;
   }
   if (value <= -2147483648.0)
   {
      return -0x7FFFFFFF - 1;
   }
   return static_cast<i32>(value);
}

// A duration in whole ms; a negative one counts as none, so that a stray minus sign can't turn
// into a pre-simulation of weeks at load time.
u32 DurationRead(const JSONValue* specification, const char* key, u32 defaultValue)
{
   JSONValue* value = specification->ItemFind(key);
   if (!value)
   {
      return defaultValue;
   }
   if (value->TypeGet() == JSONValue::TYPE_BOOL)
   {
      return value->BoolValueGet() ? 1u : 0u;
   }
   if (value->TypeGet() != JSONValue::TYPE_NUMBER)
   {
      return defaultValue;
   }
   double number = value->DoubleValueGet();
   if (!(number > 0.0))
   {
      return 0;
   }
   return number >= 4294967295.0 ? 0xFFFFFFFFu : static_cast<u32>(number);
}

void KeyForm(char* buffer, size_t size, const char* key, const char* suffix)
{
   std::snprintf(buffer, size, "%s%s", key, suffix);
}

// The value-first form: "X" (with "XDeviation") wins over "XMin" and "XMax"; false when neither
// form is given.
bool RangeValueFirstRead(const JSONValue* specification, const char* key, float range[2])
{
   char deviationKey[64];
   char minKey[64];
   char maxKey[64];
   KeyForm(deviationKey, sizeof(deviationKey), key, "Deviation");
   KeyForm(minKey, sizeof(minKey), key, "Min");
   KeyForm(maxKey, sizeof(maxKey), key, "Max");
   float value;
   if (specification->FloatGet(&value, key, 0.0f))
   {
      float deviation;
      specification->FloatGet(&deviation, deviationKey, 0.0f);
      range[0] = value - deviation;
      range[1] = value + deviation;
      return true;
   }
   float low;
   float high;
   if (specification->FloatGet(&low, minKey, 0.0f) && specification->FloatGet(&high, maxKey, 0.0f))
   {
      range[0] = low;
      range[1] = high;
      return true;
   }
   return false;
}

// The bounds-first form: "XMin" and "XMax" together win over "X" and "XDeviation" (both 0 when
// absent).
void RangeBoundsFirstRead(const JSONValue* specification, const char* key, float range[2])
{
   char deviationKey[64];
   char minKey[64];
   char maxKey[64];
   KeyForm(deviationKey, sizeof(deviationKey), key, "Deviation");
   KeyForm(minKey, sizeof(minKey), key, "Min");
   KeyForm(maxKey, sizeof(maxKey), key, "Max");
   float low;
   float high;
   if (specification->FloatGet(&low, minKey, 0.0f) && specification->FloatGet(&high, maxKey, 0.0f))
   {
      range[0] = low;
      range[1] = high;
      return;
   }
   float value;
   float deviation;
   specification->FloatGet(&value, key, 0.0f);
   specification->FloatGet(&deviation, deviationKey, 0.0f);
   range[0] = value - deviation;
   range[1] = value + deviation;
}

float UnitClamp(float value)
{
   return value < 0.0f ? 0.0f : (value > 1.0f ? 1.0f : value);
}
} // namespace

ParticleEffectEmitter2D::~ParticleEffectEmitter2D()
{
   ModifiersDestroy();
}

float ParticleEffectEmitter2D::SineGet(float degrees)
{
   return SineTable::SineGet(degrees);
}

float ParticleEffectEmitter2D::CosineGet(float degrees)
{
   // The quarter turn is added before truncation: negative fractions land one entry lower than
   // the shared cosine, as emitter directions always have.
   return SineTable::ValueGet(SineTable::IndexGet(degrees * 4096.0f / 360.0f + 1024.0f));
}

const Progression* ParticleEffectEmitter2D::ProgressionRead(const JSONValue* specification, const char* key)
{
   JSONValue* value = specification->ItemFind(key);
   if (!value)
   {
      return &progressionLinear;
   }
   return ProgressionManager::Get(value->StringValueGet());
}

void ParticleEffectEmitter2D::Init(const JSONValue* specification, ParticleEffect2D* owner, i32 heapId,
                                   u32 effectFlag, const char* fileName)
{
   // A second Init starts from nothing: the old modifiers go here, the old particles in Reset.
   ModifiersDestroy();
   effect = owner;
   if (heapId < 0 || heapId >= HEAP_COUNT)
   {
      heapId = HEAP_DEFAULT;
   }
   Memory::FirstUse();
   Allocator* allocator = allocatorHeaps[heapId] ? allocatorHeaps[heapId] : allocatorDefault;
   emitterModifiers.allocator = allocator;
   if (!specification)
   {
      specification = &JSONValue::nullValue;
   }

   i32 particleCount = specification->ItemGet("ParticleCountMax")->IntValueGet();
   if (particleCount < 0)
   {
      InitWarn("Invalid or missing ParticleCountMax", fileName);
      Reset(0, allocator);
      return;
   }
   Reset(particleCount, allocator);

   emitterType = PARTICLE_EMITTER_POINT;
   const char* typeName = specification->ItemGet("EmitterType")->StringValueGet();
   if (typeName)
   {
      if (std::strcmp(typeName, "Point") == 0)
      {
         emitterType = PARTICLE_EMITTER_POINT;
      }
      else if (std::strcmp(typeName, "Line") == 0)
      {
         emitterType = PARTICLE_EMITTER_LINE;
      }
      else if (std::strcmp(typeName, "BoxFilled") == 0)
      {
         emitterType = PARTICLE_EMITTER_BOX_FILLED;
      }
      else if (fileName)
      {
         WarningPrintf("ParticleEffectEmitter2D::Init -- Unrecognized %s: %s.  filename: %s\n", "EmitterType",
                       typeName, fileName);
      }
      else
      {
         WarningPrintf("ParticleEffectEmitter2D::Init -- Unrecognized %s: %s.\n", "EmitterType", typeName);
      }
   }

   const Point2F origin{0.0f, 0.0f};
   const Box2F noBox;
   specification->Point2FGet(&emissionPoint, "EmissionPoint", &origin, contextName, fileName, false);
   specification->Point2FGet(&linePointA, "EmissionLinePointA", &origin, contextName, fileName, false);
   specification->Point2FGet(&linePointB, "EmissionLinePointB", &origin, contextName, fileName, false);
   specification->Box2FGet(&emissionBox, "EmissionBox", &noBox, contextName, fileName, false);
   specification->FloatGet(&frequency, "EmissionFrequency", 0.0f);
   specification->FloatGet(&chance, "EmissionChance", 1.0f);
   double duration;
   specification->DoubleGet(&duration, "EmissionActiveDuration", -1.0);
   activeDuration = MillisecondsTruncate(duration);
   remaining = activeDuration;

   const char* spriteFile = specification->ItemGet("SpriteResourceFilename")->StringValueGet();
   if (!spriteFile)
   {
      InitWarn("Missing SpriteResourceFilename", fileName);
      return;
   }
   const char* animationName = specification->ItemGet("Animation")->StringValueGet();
   if (!animationName)
   {
      InitWarn("Missing Animation", fileName);
      return;
   }

   velocityIsVector = RangeValueFirstRead(specification, "LinearSpeed", speedRange) ? 0 : 1;
   velocity = origin;
   if (velocityIsVector)
   {
      specification->Point2FGet(&velocity, "LinearVelocity", &origin, contextName, fileName, false);
   }
   RangeBoundsFirstRead(specification, "LinearVelocityAngle", angleRange);
   accelerationIsVector =
       RangeValueFirstRead(specification, "LinearAccelerationMagnitude", accelerationMagnitudeRange) ? 0 : 1;
   acceleration = origin;
   if (accelerationIsVector)
   {
      specification->Point2FGet(&acceleration, "LinearAcceleration", &origin, contextName, fileName, false);
   }
   RangeBoundsFirstRead(specification, "LinearAccelerationAngle", accelerationAngleRange);
   RangeBoundsFirstRead(specification, "LinearDamping", linearDampingRange);
   RangeBoundsFirstRead(specification, "Rotation", rotationRange);
   RangeBoundsFirstRead(specification, "AngularVelocity", angularVelocityRange);
   RangeBoundsFirstRead(specification, "AngularAcceleration", angularAccelerationRange);
   RangeBoundsFirstRead(specification, "AngularDamping", angularDampingRange);
   for (i32 i = 0; i < 2; i++)
   {
      linearDampingRange[i] = UnitClamp(linearDampingRange[i]);
      angularDampingRange[i] = UnitClamp(angularDampingRange[i]);
   }

   specification->Box2FGet(&lifeBounds, "LifeBounds", &noBox, contextName, fileName, false);
   lifeBoundsEnabled = specification->Box2FTryGet("LifeBounds", nullptr) ? 1 : 0;
   double life;
   double lifeLow;
   double lifeHigh;
   if (specification->DoubleGet(&life, "LifeDuration", 0.0))
   {
      double deviation;
      if (specification->DoubleGet(&deviation, "LifeDurationDeviation", 0.0))
      {
         lifeRange[0] = MillisecondsTruncate(life - deviation < 0.0 ? 0.0 : life - deviation);
         lifeRange[1] = MillisecondsTruncate(life + deviation < 0.0 ? 0.0 : life + deviation);
      }
      else
      {
         lifeRange[0] = MillisecondsTruncate(life);
         lifeRange[1] = lifeRange[0];
      }
   }
   else if (specification->DoubleGet(&lifeLow, "LifeDurationMin", 0.0) &&
            specification->DoubleGet(&lifeHigh, "LifeDurationMax", 0.0))
   {
      lifeRange[0] = MillisecondsTruncate(lifeLow < 0.0 ? 0.0 : lifeLow);
      lifeRange[1] = MillisecondsTruncate(lifeHigh < 0.0 ? 0.0 : lifeHigh);
   }
   else
   {
      lifeRange[0] = -1;
      lifeRange[1] = -1;
   }
   if (lifeRange[0] == -1 && !lifeBoundsEnabled)
   {
      if (fileName)
      {
         WarningPrintf("ParticleEffectEmitter2D::Init -- No parameters specified to limit the life of the "
                       "particles.  filename: %s\n",
                       fileName);
      }
      else
      {
         WarningPrintf("ParticleEffectEmitter2D::Init -- No parameters specified to limit the life of the "
                       "particles.\n");
      }
   }

   const Point2F unit{1.0f, 1.0f};
   if (specification->ItemPoint2FCheck("ScaleMin") && specification->ItemPoint2FCheck("ScaleMax"))
   {
      scaleRange[0] = specification->ItemGet("ScaleMin")->Point2FValueGet();
      scaleRange[1] = specification->ItemGet("ScaleMax")->Point2FValueGet();
   }
   else
   {
      specification->Point2FGet(&scaleRange[0], "Scale", &unit, contextName, fileName, false);
      scaleRange[1] = scaleRange[0];
   }
   const ColorRGBA8 white{255, 255, 255, 255};
   specification->ColorRGBA8Get(&color, "Color", &white, contextName, fileName, false);
   specification->FloatGet(&additive, "AdditiveBlending", 0.0f);
   JSONValue* seed = specification->ItemFind("Seed");
   if (seed && seed->TypeGet() == JSONValue::TYPE_NUMBER)
   {
      seeded = 1;
      seed0 = seed->UnsignedIntValueGet();
      seed1 = seed0;
   }
   preSimulateDuration = DurationRead(specification, "PreSimulateDuration", 0);
   preSimulateStep = DurationRead(specification, "PreSimulateStepSize", 33);
   bool preSimulate;
   specification->BoolGet(&preSimulate, "PreSimulateOnInit", true);
   preSimulateOnInit = preSimulate ? 1 : 0;

   for (i32 i = 0; i < particleCount; i++)
   {
      auto* particle = MemoryNew<ParticleEffectParticle2D>(heapId, allocator);
      if (!particle)
      {
         WarningPrintf("ParticleEffectEmitter2D::Init -- out of memory after %d of %d particles.\n", i,
                       particleCount);
         break;
      }
      particle->Sprite::Reset();
      particle->Init(spriteFile, animationName);
      particle->ParticleReset();
      if (lifeBoundsEnabled)
      {
         particle->lifeBoundsEnabled = 1;
         particle->lifeBounds = lifeBounds;
      }
      ParticleAdd(particle);
   }

   ModifiersRead(specification, heapId, effectFlag, fileName);
}

void ParticleEffectEmitter2D::ModifiersRead(const JSONValue* specification, i32 heapId, u32 effectFlag,
                                            const char* fileName)
{
   JSONValue* modifiers = specification->ItemFind("Modifiers");
   if (!modifiers || modifiers->TypeGet() != JSONValue::TYPE_ARRAY)
   {
      return;
   }
   i32 count = modifiers->CountGet();
   emitterModifiers.Reserve(count);
   for (i32 i = 0; i < count; i++)
   {
      JSONValue* element = modifiers->ElementGet(i);
      const char* type = element->ItemGet("Type")->StringValueGet();
      if (!type)
      {
         InitWarn("Modifier missing Type", fileName);
         continue;
      }
      ParticleModifierInitializer initializer = ParticleManager2D::ModifierInitializerGet(type);
      if (initializer)
      {
         initializer(type, this, element, heapId, effectFlag, fileName);
      }
   }
}

void ParticleEffectEmitter2D::ModifiersDestroy()
{
   for (i32 i = 0; i < emitterModifiers.count; i++)
   {
      emitterModifiers[i]->Deinit();
      MemoryDelete(emitterModifiers[i]);
   }
   emitterModifiers.SizeSet(0);
}

void ParticleEffectEmitter2D::Deinit()
{
   ModifiersDestroy();
   ParticleEmitter2D::Deinit();
}

void ParticleEffectEmitter2D::Update(u32 elapsed)
{
   ParticleEmitter2D::Update(elapsed);
   for (i32 i = 0; i < emitterModifiers.count; i++)
   {
      emitterModifiers[i]->Update(elapsed);
   }
}

void ParticleEffectEmitter2D::Emit()
{
   List<Particle2D*>& freeList = root->free;
   if (freeList.count == 0)
   {
      return;
   }
   auto* particle = static_cast<ParticleEffectParticle2D*>(freeList.First()->value);
   freeList.Remove(freeList.First());
   root->live.PushBack(particle);

   Point2F offset;
   switch (emitterType)
   {
   case PARTICLE_EMITTER_LINE:
   {
      float r = UnitClamp(RandomUnitFloatGet());
      offset.x = (1.0f - r) * linePointA.x + r * linePointB.x;
      offset.y = (1.0f - r) * linePointA.y + r * linePointB.y;
      break;
   }
   case PARTICLE_EMITTER_BOX_FILLED:
   {
      float rx = RandomUnitFloatGet();
      float ry = RandomUnitFloatGet();
      offset.x = emissionBox.x + emissionBox.width * rx;
      offset.y = emissionBox.y + emissionBox.height * ry;
      break;
   }
   default:
      offset = emissionPoint;
      break;
   }
   Point2F base = effect ? effect->position : Point2F();
   particle->position.x = base.x + offset.x;
   particle->position.y = base.y + offset.y;

   // Positive angles point up the screen, so the y component is the sine of the negated angle.
   if (velocityIsVector)
   {
      particle->velocity = velocity;
   }
   else
   {
      float speed = RandomRangeGet(speedRange[0], speedRange[1]);
      float angle = RandomRangeGet(angleRange[0], angleRange[1]);
      particle->velocity.x = speed * CosineGet(angle);
      particle->velocity.y = speed * SineGet(-angle);
   }
   if (accelerationIsVector)
   {
      particle->acceleration = acceleration;
   }
   else
   {
      float magnitude = RandomRangeGet(accelerationMagnitudeRange[0], accelerationMagnitudeRange[1]);
      float angle = RandomRangeGet(accelerationAngleRange[0], accelerationAngleRange[1]);
      particle->acceleration.x = magnitude * CosineGet(angle);
      particle->acceleration.y = magnitude * SineGet(-angle);
   }
   particle->linearDamping = RandomRangeGet(linearDampingRange[0], linearDampingRange[1]);
   particle->rotation = RandomRangeGet(rotationRange[0], rotationRange[1]);
   particle->angularVelocity = RandomRangeGet(angularVelocityRange[0], angularVelocityRange[1]);
   particle->angularAcceleration = RandomRangeGet(angularAccelerationRange[0], angularAccelerationRange[1]);
   particle->angularDamping = RandomRangeGet(angularDampingRange[0], angularDampingRange[1]);

   float r = UnitClamp(RandomUnitFloatGet());
   particle->scale.x = (1.0f - r) * scaleRange[0].x + r * scaleRange[1].x;
   particle->scale.y = (1.0f - r) * scaleRange[0].y + r * scaleRange[1].y;
   particle->color = color;
   particle->additive = additive;
   if (lifeRange[0] != -1)
   {
      float lifeDraw = RandomUnitFloatGet();
      double span = static_cast<double>(lifeRange[1]) - static_cast<double>(lifeRange[0]);
      particle->life =
          MillisecondsTruncate(lifeRange[0] + static_cast<double>(static_cast<i64>(lifeDraw * span)));
   }

   for (i32 i = 0; i < emitterModifiers.count; i++)
   {
      emitterModifiers[i]->Start(particle);
   }
   particle->Start();
}
} // namespace Corvale
