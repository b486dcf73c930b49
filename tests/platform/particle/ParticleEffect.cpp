// Particle effects without a window: loading, the emission clock, pooling, motion, death, seeds,
// pre-simulation and the promise that a running effect never allocates.
#include "platform/particle/ParticleEffect2D.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "core/Random.h"
#include "tests/platform/ParticleTestSupport.h"

using namespace Corvale;
using namespace ParticleTest;

namespace
{
class ParticleEffectTest : public ::testing::Test
{
 protected:
   ResourceWorld world;
   JSONTest::LogCapture log;
};

TEST_F(ParticleEffectTest, AccumulatorEmitsWholeAttemptsAndAnExactOneWaits)
{
   LoadedEffect loaded(
       EffectText(R"("ParticleCountMax": 100, "EmissionFrequency": 10, "LifeDuration": 100000)"));
   ParticleEffectEmitter2D* emitter = loaded.Emitter();
   ASSERT_EQ(emitter->free.count, 100);
   // 2.5 attempts a frame: 2 (0.5 left), 2 (exactly 1 left, which waits), 3.
   const i32 expected[] = {2, 4, 7};
   for (i32 count : expected)
   {
      emitter->Update(250);
      EXPECT_EQ(emitter->live.count, count);
      EXPECT_EQ(emitter->live.count + emitter->free.count, 100);
   }
   EXPECT_FLOAT_EQ(emitter->accumulator, 0.5f);
}

TEST_F(ParticleEffectTest, ChanceDecidesEachAttempt)
{
   struct Case
   {
      const char* chance;
      i32 live;
   };
   const Case cases[] = {{"0", 0}, {"1", 20}, {"-1", 0}};
   for (const Case& c : cases)
   {
      LoadedEffect loaded(EffectText(std::string(R"("ParticleCountMax": 50, "EmissionFrequency": 10.5, )") +
                                     R"("LifeDuration": 100000, "EmissionChance": )" + c.chance));
      for (i32 frame = 0; frame < 2; frame++)
      {
         loaded.Emitter()->Update(1000);
      }
      EXPECT_EQ(loaded.Emitter()->live.count, c.live) << "chance " << c.chance;
   }
}

TEST_F(ParticleEffectTest, AFullPoolEmitsNothingUntilAParticleDiesAndComesBack)
{
   LoadedEffect loaded(
       EffectText(R"("ParticleCountMax": 5, "EmissionFrequency": 100, "LifeDuration": 1000)"));
   ParticleEffectEmitter2D* emitter = loaded.Emitter();
   emitter->Update(100);
   EXPECT_EQ(emitter->live.count, 5);
   EXPECT_EQ(emitter->free.count, 0);
   std::vector<Particle2D*> first;
   for (auto* node = emitter->live.First(); node != emitter->live.End(); node = node->next)
   {
      first.push_back(node->value);
      EXPECT_TRUE(node->value->alive);
   }
   emitter->Update(500);
   EXPECT_EQ(emitter->live.count, 5);
   // They reach their life of 1000 ms in this update: all die, go back and are emitted again.
   emitter->Update(500);
   EXPECT_EQ(emitter->live.count, 5);
   for (Particle2D* particle : first)
   {
      EXPECT_NE(emitter->live.Find(particle), nullptr);
      EXPECT_EQ(particle->age, 0);
      EXPECT_TRUE(particle->alive);
   }
}

TEST_F(ParticleEffectTest, ActiveDurationStopsEmissionAndRestartResumesIt)
{
   LoadedEffect loaded(
       EffectText(R"("ParticleCountMax": 100, "EmissionFrequency": 10.5, "LifeDuration": 100000, )"
                  R"("EmissionActiveDuration": 1000)"));
   ParticleEffectEmitter2D* emitter = loaded.Emitter();
   EXPECT_TRUE(emitter->ActiveCheck());
   emitter->Update(600);
   EXPECT_TRUE(emitter->ActiveCheck());
   emitter->Update(600);
   EXPECT_FALSE(emitter->ActiveCheck());
   i32 emitted = emitter->live.count;
   EXPECT_EQ(emitted, 6);
   emitter->Update(5000);
   EXPECT_EQ(emitter->live.count, emitted);

   emitter->Restart();
   EXPECT_EQ(emitter->remaining, 1000);
   emitter->Update(500);
   EXPECT_GT(emitter->live.count, emitted);
   emitter->Stop();
   EXPECT_FALSE(emitter->ActiveCheck());

   LoadedEffect forever(
       EffectText(R"("ParticleCountMax": 1000, "EmissionFrequency": 1.5, "LifeDuration": 1000000)"));
   for (i32 frame = 0; frame < 100; frame++)
   {
      forever.Emitter()->Update(1000);
   }
   EXPECT_EQ(forever.Emitter()->remaining, -1);
   // 150 attempts' worth, less the exact 1 that keeps waiting.
   EXPECT_EQ(forever.Emitter()->live.count, 149);
}

TEST_F(ParticleEffectTest, ParticlesMoveDampAndSpinBySimpleIntegration)
{
   struct Case
   {
      const char* members;
      float x;
      float y;
      float rotation;
   };
   const Case cases[] = {
       // 90 degrees points straight up the screen.
       {R"("LinearSpeed": 100, "LinearVelocityAngle": 90)", 0.0f, -100.0f, 0.0f},
       {R"("LinearSpeed": 100, "LinearVelocityAngle": 0)", 100.0f, 0.0f, 0.0f},
       {R"("LinearVelocity": "30|40")", 30.0f, 40.0f, 0.0f},
       // The acceleration is added before the move; a damping of 1.5 is used as 1 and stops it.
       {R"("LinearVelocity": "30|40", "LinearAcceleration": "10|0")", 40.0f, 40.0f, 0.0f},
       {R"("LinearAccelerationMagnitude": 20, "LinearAccelerationAngle": 270)", 0.0f, 20.0f, 0.0f},
       {R"("LinearVelocity": "30|40", "LinearDamping": 1.5)", 0.0f, 0.0f, 0.0f},
       {R"("LinearVelocity": "100|0", "LinearDamping": 0.75)", 25.0f, 0.0f, 0.0f},
       {R"("Rotation": 10, "AngularVelocity": 90, "AngularDamping": 0.5)", 0.0f, 0.0f, 55.0f},
   };
   for (const Case& c : cases)
   {
      // 1.5 attempts a second: one particle in the first frame, which moves in the second.
      LoadedEffect loaded(EffectText(std::string(R"("ParticleCountMax": 1, "EmissionFrequency": 1.5, )") +
                                     R"("LifeDuration": 100000, "EmissionPoint": "0|0", )" + c.members));
      loaded.Emitter()->Update(1000);
      ASSERT_EQ(loaded.Emitter()->live.count, 1) << c.members;
      loaded.Emitter()->Update(1000);
      ParticleEffectParticle2D* particle = loaded.LiveParticle(0);
      EXPECT_NEAR(particle->position.x, c.x, 1e-3f) << c.members;
      EXPECT_NEAR(particle->position.y, c.y, 1e-3f) << c.members;
      EXPECT_NEAR(particle->rotation, c.rotation, 1e-3f) << c.members;
      EXPECT_EQ(particle->age, 1000);
   }
}

TEST_F(ParticleEffectTest, LifeBoundsKillInTheSameUpdateAndTheFarEdgesAreOutside)
{
   struct Case
   {
      u32 elapsed;
      bool alive;
   };
   // From x = 50 at 50 per second in a box 0..100: x = 99.95 is inside, x = 100 on the edge is not.
   const Case cases[] = {{999, true}, {1000, false}, {2000, false}};
   for (const Case& c : cases)
   {
      LoadedEffect loaded(
          EffectText(R"("ParticleCountMax": 1, "EmissionFrequency": 1.5, "EmissionPoint": "50|50", )"
                     R"("LinearVelocity": "50|0", "LifeBounds": "0|0|100|100")"));
      ParticleEffectEmitter2D* emitter = loaded.Emitter();
      EXPECT_TRUE(log.text.find("No parameters specified") == std::string::npos);
      emitter->Update(1000);
      ASSERT_EQ(emitter->live.count, 1);
      Particle2D* particle = emitter->live.First()->value;
      emitter->frequency = 0.0f;
      emitter->Update(c.elapsed);
      EXPECT_EQ(particle->alive != 0, c.alive) << c.elapsed;
      EXPECT_EQ(emitter->live.count, c.alive ? 1 : 0) << c.elapsed;
      EXPECT_EQ(emitter->free.count, c.alive ? 0 : 1) << c.elapsed;
   }
}

TEST_F(ParticleEffectTest, ShapesPlaceNewParticlesRelativeToTheEffect)
{
   LoadedEffect loaded(
       "[" +
       EmitterText(R"("ParticleCountMax": 50, "EmitterType": "Line", "LifeDuration": 100000, )"
                   R"("EmissionLinePointA": "0|0", "EmissionLinePointB": "100|50")") +
       "," +
       EmitterText(R"("ParticleCountMax": 50, "EmitterType": "BoxFilled", "LifeDuration": 100000, )"
                   R"("EmissionBox": "10|20|30|40")") +
       "," + EmitterText(R"("ParticleCountMax": 5, "EmissionPoint": "7|8", "LifeDuration": 1000)") + "]");
   loaded.effect.position = Point2F{1000.0f, 2000.0f};
   for (i32 i = 0; i < 3; i++)
   {
      loaded.Emitter(i)->frequency = 50.5f;
      loaded.Emitter(i)->Update(1000);
   }
   ASSERT_EQ(loaded.Emitter(0)->live.count, 50);
   for (auto* node = loaded.Emitter(0)->live.First(); node != loaded.Emitter(0)->live.End();
        node = node->next)
   {
      Point2F p = node->value->position;
      EXPECT_GE(p.x, 1000.0f);
      EXPECT_LE(p.x, 1100.0f);
      EXPECT_NEAR(p.y - 2000.0f, (p.x - 1000.0f) / 2.0f, 1e-2f);
   }
   for (auto* node = loaded.Emitter(1)->live.First(); node != loaded.Emitter(1)->live.End();
        node = node->next)
   {
      Point2F p = node->value->position;
      EXPECT_GE(p.x, 1010.0f);
      EXPECT_LE(p.x, 1040.0f);
      EXPECT_GE(p.y, 2020.0f);
      EXPECT_LE(p.y, 2060.0f);
   }
   Point2F p = loaded.LiveParticle(0, 2)->position;
   EXPECT_FLOAT_EQ(p.x, 1007.0f);
   EXPECT_FLOAT_EQ(p.y, 2008.0f);
}

// The start values of every live particle, for comparing two runs.
std::vector<float> ParticleStates(ParticleEffect2D* effect)
{
   std::vector<float> states;
   for (i32 i = 0; i < effect->emitters.count; i++)
   {
      List<Particle2D*>& live = effect->emitters[i]->live;
      for (auto* node = live.First(); node != live.End(); node = node->next)
      {
         Particle2D* p = node->value;
         states.insert(states.end(), {p->position.x, p->position.y, p->velocity.x, p->velocity.y, p->rotation,
                                      p->scale.x, static_cast<float>(p->life)});
      }
   }
   return states;
}

TEST_F(ParticleEffectTest, SeededEmittersRepeatTheirSequenceAndLeaveItInTheSharedGenerator)
{
   const std::string members =
       R"("ParticleCountMax": 20, "EmissionFrequency": 20.5, "EmitterType": "BoxFilled", "EmissionBox": "0|0|100|100", )"
       R"("LinearSpeedMin": 10, "LinearSpeedMax": 50, "LinearVelocityAngleMin": 0, "LinearVelocityAngleMax": 360, )"
       R"("RotationMin": 0, "RotationMax": 90, "ScaleMin": "1|1", "ScaleMax": "2|2", )"
       R"("LifeDurationMin": 500, "LifeDurationMax": 1500, "Seed": 1234)";
   std::vector<float> runs[2];
   for (u32 i = 0; i < 2; i++)
   {
      std::vector<float>& run = runs[i];
      // Whatever the shared generator holds, a seeded emitter starts from its seed.
      randomState0 = 99 + i * 7;
      randomState1 = 5 * i;
      LoadedEffect loaded("[" + EmitterText(members) + "," + EmitterText(members) + "]");
      loaded.Emitter(0)->Update(1000);
      loaded.Emitter(1)->Update(1000);
      run = ParticleStates(&loaded.effect);
      EXPECT_EQ(randomState0, loaded.Emitter(1)->seed0);
      EXPECT_EQ(randomState1, loaded.Emitter(1)->seed1);
   }
   ASSERT_EQ(runs[0].size(), 2u * 20u * 7u);
   EXPECT_EQ(runs[0], runs[1]);
   // Both emitters share the seed, so both emitted the same particles.
   EXPECT_TRUE(std::equal(runs[0].begin(), runs[0].begin() + 140, runs[0].begin() + 140));

   // An unseeded emitter steps the shared words: one draw for the chance, one per ranged value.
   randomState0 = 11;
   randomState1 = 22;
   LoadedEffect unseeded(
       EffectText(R"("ParticleCountMax": 1, "EmissionFrequency": 1.5, "LifeDuration": 100)"));
   unseeded.Emitter()->Update(1000);
   u32 expected0 = 11;
   u32 expected1 = 22;
   std::swap(expected0, randomState0);
   std::swap(expected1, randomState1);
   // chance, linear damping, rotation, angular velocity, angular acceleration, angular damping,
   // scale, life.
   for (i32 i = 0; i < 8; i++)
   {
      RandomNumberGet();
   }
   EXPECT_EQ(randomState0, expected0);
   EXPECT_EQ(randomState1, expected1);
}

TEST_F(ParticleEffectTest, PreSimulationRunsWholeStepsAtLoadWhenAsked)
{
   struct Case
   {
      const char* members;
      i32 live;
   };
   // 10 per second over 3 steps of 330 ms (990 ms): 3.3 + 3.3 + 3.3 attempts.
   const Case cases[] = {
       {R"("PreSimulateDuration": 1000, "PreSimulateStepSize": 330)", 9},
       {R"("PreSimulateDuration": 1000, "PreSimulateStepSize": 330, "PreSimulateOnInit": false)", 0},
       {R"("PreSimulateDuration": 1000, "PreSimulateStepSize": 0)", 0},
       {R"("PreSimulateDuration": -1000, "PreSimulateStepSize": 330)", 0},
   };
   for (const Case& c : cases)
   {
      LoadedEffect loaded(EffectText(std::string(R"("ParticleCountMax": 50, "EmissionFrequency": 10, )") +
                                     R"("LifeDuration": 100000, )" + c.members));
      EXPECT_EQ(loaded.Emitter()->live.count, c.live) << c.members;
   }
   LoadedEffect restarted(
       EffectText(R"("ParticleCountMax": 50, "EmissionFrequency": 10, "LifeDuration": 100000, )"
                  R"("PreSimulateDuration": 1000, "PreSimulateStepSize": 330, )"
                  R"("PreSimulateOnInit": false, "EmissionActiveDuration": 2000)"));
   restarted.Emitter()->Restart();
   EXPECT_EQ(restarted.Emitter()->live.count, 9);
   EXPECT_EQ(restarted.Emitter()->remaining, 1010);
}

TEST_F(ParticleEffectTest, RangesFollowTheirKeyPatterns)
{
   LoadedEffect loaded(
       "[" +
       EmitterText(
           R"("LinearSpeed": 10, "LinearSpeedDeviation": 2, "LinearSpeedMin": 0, "LinearSpeedMax": 1, )"
           R"("LinearVelocityAngle": 45, "LinearVelocityAngleMin": 5, "LinearVelocityAngleMax": 6, )"
           R"("Rotation": 30, "RotationDeviation": 10, "LifeDuration": 100, "LifeDurationDeviation": 300, )"
           R"("LinearDampingMin": -1, "LinearDampingMax": 2, "ScaleMin": "1|2")") +
       "," +
       EmitterText(R"("LinearSpeedMin": 3, "LinearSpeedMax": 4, "LinearAccelerationMagnitudeMin": 1, )"
                   R"("LifeDurationMin": -5, "LifeDurationMax": 20.7, "Scale": "3|4", "Seed": 7)") +
       "]");
   ParticleEffectEmitter2D* a = loaded.Emitter(0);
   EXPECT_FALSE(a->velocityIsVector);
   EXPECT_FLOAT_EQ(a->speedRange[0], 8.0f);
   EXPECT_FLOAT_EQ(a->speedRange[1], 12.0f);
   EXPECT_FLOAT_EQ(a->angleRange[0], 5.0f);
   EXPECT_FLOAT_EQ(a->angleRange[1], 6.0f);
   EXPECT_FLOAT_EQ(a->rotationRange[0], 20.0f);
   EXPECT_FLOAT_EQ(a->rotationRange[1], 40.0f);
   EXPECT_EQ(a->lifeRange[0], 0);
   EXPECT_EQ(a->lifeRange[1], 400);
   EXPECT_FLOAT_EQ(a->linearDampingRange[0], 0.0f);
   EXPECT_FLOAT_EQ(a->linearDampingRange[1], 1.0f);
   EXPECT_TRUE(a->accelerationIsVector);
   // ScaleMin alone is not a range.
   EXPECT_FLOAT_EQ(a->scaleRange[0].y, 1.0f);
   EXPECT_FALSE(a->seeded);

   ParticleEffectEmitter2D* b = loaded.Emitter(1);
   EXPECT_FLOAT_EQ(b->speedRange[0], 3.0f);
   EXPECT_FLOAT_EQ(b->speedRange[1], 4.0f);
   EXPECT_TRUE(b->accelerationIsVector);
   EXPECT_EQ(b->lifeRange[0], 0);
   EXPECT_EQ(b->lifeRange[1], 20);
   EXPECT_FLOAT_EQ(b->scaleRange[1].x, 3.0f);
   EXPECT_FLOAT_EQ(b->scaleRange[1].y, 4.0f);
   EXPECT_TRUE(b->seeded);
   EXPECT_EQ(b->seed0, 7u);
   EXPECT_EQ(b->seed1, 7u);
}

TEST_F(ParticleEffectTest, BadSpecificationsAreReportedAndLeaveQuietEmitters)
{
   struct Case
   {
      std::string text;
      const char* fileName;
      const char* message;
      i32 emitters;
      i32 pool;
   };
   const Case cases[] = {
       {"{}", "Fx",
        "ParticleEffect2D::Init -- Particle effect specifications needs to be an array of emitters.  "
        "filename: Fx\n",
        0, 0},
       {"3", nullptr,
        "ParticleEffect2D::Init -- Particle effect specifications needs to be an array of emitters.\n", 0, 0},
       {"[1, " + EmitterText(R"("ParticleCountMax": 2, "LifeDuration": 5)") + "]", "Fx",
        "ParticleEffect2D::Init -- Emitters must be specified as JSON objects.  filename: Fx\n", 1, 2},
       {EffectText(R"("ParticleCountMax": -1)"), "Fx",
        "ParticleEffectEmitter2D::Init -- Invalid or missing ParticleCountMax in Fx.\n", 1, 0},
       {EffectText(R"("ParticleCountMax": -1)"), nullptr,
        "ParticleEffectEmitter2D::Init -- Invalid or missing ParticleCountMax.\n", 1, 0},
       {R"([{"Animation": "Spark", "ParticleCountMax": 3}])", "Fx",
        "ParticleEffectEmitter2D::Init -- Missing SpriteResourceFilename in Fx.\n", 1, 0},
       {R"([{"SpriteResourceFilename": "Particles/Spark", "ParticleCountMax": 3}])", nullptr,
        "ParticleEffectEmitter2D::Init -- Missing Animation.\n", 1, 0},
       {EffectText(R"("ParticleCountMax": 3, "EmitterType": "point", "LifeDuration": 5)"), "Fx",
        "ParticleEffectEmitter2D::Init -- Unrecognized EmitterType: point.  filename: Fx\n", 1, 3},
       {EffectText(R"("ParticleCountMax": true)"), "Fx",
        "ParticleEffectEmitter2D::Init -- No parameters specified to limit the life of the particles.  "
        "filename: Fx\n",
        1, 1},
       {EffectText(R"("ParticleCountMax": 2, "LifeDuration": 5, "Modifiers": [{"Begin": 1}])"), nullptr,
        "ParticleEffectEmitter2D::Init -- Modifier missing Type.\n", 1, 2},
   };
   for (const Case& c : cases)
   {
      log.text.clear();
      LoadedEffect loaded(c.text, c.fileName);
      EXPECT_TRUE(log.Contains(c.message)) << c.text << "\n" << log.text;
      ASSERT_EQ(loaded.effect.emitters.count, c.emitters) << c.text;
      if (c.emitters > 0)
      {
         ParticleEffectEmitter2D* emitter = loaded.Emitter(c.emitters - 1);
         EXPECT_EQ(emitter->free.count, c.pool) << c.text;
         emitter->frequency = 100.0f;
         emitter->Update(1000);
         EXPECT_EQ(emitter->live.count, c.pool) << c.text;
      }
   }
}

TEST_F(ParticleEffectTest, InitFindsTheEffectFileAlongTheGraphicsPaths)
{
   world.FileWrite("Graphics/Effects/Sparkle.json",
                   "[" + EmitterText(R"("ParticleCountMax": 4, "LifeDuration": 50)") + "]");
   world.FileWrite("Graphics/Effects/Broken.json", "[{");
   {
      ParticleEffect2D effect;
      ASSERT_TRUE(effect.Init("Effects/Sparkle"));
      ASSERT_EQ(effect.emitters.count, 1);
      EXPECT_EQ(effect.emitters[0]->free.count, 4);
      EXPECT_EQ(effect.emitters[0]->effect, &effect);
      effect.Deinit();
      EXPECT_EQ(effect.emitters.count, 0);
   }
   ParticleEffect2D missing;
   EXPECT_FALSE(missing.Init("Effects/Missing"));
   EXPECT_TRUE(
       log.Contains("ParticleEffect2D::Init -- unable to find particle effect: \"Effects/Missing\"\n"));
   EXPECT_FALSE(missing.Init("Effects/Broken"));
   EXPECT_TRUE(
       log.Contains("ParticleEffect2D::Init -- failed to load particle effect: \"Effects/Broken\"\n"));
   EXPECT_EQ(missing.emitters.count, 0);
}

TEST_F(ParticleEffectTest, ParticlesLeaveAndJoinThePoolByHand)
{
   LoadedEffect loaded(EffectText(R"("ParticleCountMax": 3, "LifeDuration": 50)"));
   ParticleEffectEmitter2D* emitter = loaded.Emitter();
   Particle2D* particle = emitter->free.First()->value;
   EXPECT_EQ(particle->emitter, emitter);
   ASSERT_TRUE(emitter->ParticleRemove(particle));
   EXPECT_EQ(particle->emitter, nullptr);
   EXPECT_EQ(emitter->free.count, 2);
   EXPECT_FALSE(emitter->ParticleRemove(particle));
   emitter->ParticleAdd(particle);
   EXPECT_EQ(particle->emitter, emitter);
   EXPECT_EQ(emitter->free.count, 3);
   EXPECT_EQ(emitter->free.End()->previous->value, particle);
}

TEST_F(ParticleEffectTest, ARunningEffectNeverAllocates)
{
   LoadedEffect loaded(
       "[" +
       EmitterText(R"("ParticleCountMax": 40, "EmissionFrequency": 200, "EmissionChance": 0.7, )"
                   R"("EmitterType": "BoxFilled", "EmissionBox": "0|0|200|200", "LinearSpeedMin": 20, )"
                   R"("LinearSpeedMax": 90, "LinearVelocityAngleMax": 360, "LinearVelocityAngleMin": 0, )"
                   R"("LifeDurationMin": 100, "LifeDurationMax": 700, "LifeBounds": "-50|-50|300|300", )"
                   R"("Modifiers": [{"Type": "ColorLinear", "ColorEnd": "0|0|0|0"}, )"
                   R"({"Type": "AdditiveBlendingLinear", "AdditiveBlendingEnd": 1}, )"
                   R"({"Type": "ScaleLinear", "ScaleBeginMin": "1|1", "ScaleBeginMax": "2|2", )"
                   R"("ScaleEndMin": "0|0", "ScaleEndMax": "0.5|0.5", "Progression": "Smooth"}])") +
       "," +
       EmitterText(R"("ParticleCountMax": 10, "EmissionFrequency": 30, "LifeDuration": 250, "Seed": 3)") +
       "]");
   std::vector<std::unique_ptr<CountingHeap>> heaps;
   for (i32 id = 0; id < HEAP_COUNT; id++)
   {
      if (Memory::HeapGet(id))
      {
         heaps.push_back(std::make_unique<CountingHeap>(id));
      }
   }
   i32 emitted = 0;
   for (i32 frame = 0; frame < 1000; frame++)
   {
      i32 freeBefore = loaded.Emitter(0)->free.count;
      for (i32 i = 0; i < 2; i++)
      {
         loaded.Emitter(i)->Update(16 + frame % 3);
      }
      emitted += freeBefore > loaded.Emitter(0)->free.count ? freeBefore - loaded.Emitter(0)->free.count : 0;
      if (frame == 500)
      {
         loaded.Emitter(1)->Stop();
         loaded.Emitter(1)->Restart();
      }
   }
   u32 allocations = 0;
   while (!heaps.empty())
   {
      allocations += heaps.back()->allocations;
      heaps.pop_back();
   }
   EXPECT_EQ(allocations, 0u);
   EXPECT_GT(emitted, 200);
   EXPECT_EQ(loaded.Emitter(0)->live.count + loaded.Emitter(0)->free.count, 40);
}
} // namespace
