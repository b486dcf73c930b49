// The modifier registry and the three built-in modifiers acting on particles over their lives.
#include "platform/particle/ParticleManager2D.h"

#include <gtest/gtest.h>

#include <string>

#include "core/Progression.h"
#include "platform/particle/ParticleEmitterModifierAdditiveBlendingLinear2D.h"
#include "platform/particle/ParticleEmitterModifierColorLinear2D.h"
#include "platform/particle/ParticleModifierScaleLinear2D.h"
#include "tests/platform/ParticleTestSupport.h"

using namespace Corvale;
using namespace ParticleTest;

namespace
{
void FactoryNothing(const char*, ParticleEffectEmitter2D*, const JSONValue*, i32, u32, const char*)
{
}

// The registry is process-wide, so its whole life, from before Init to after Deinit, is one test.
TEST(ParticleManager2DTest, RegistryKeepsTheFirstFactoryOfANameAndReportsMisses)
{
   Memory::Init();
   JSONTest::LogCapture log;
   EXPECT_EQ(ParticleManager2D::ModifierInitializerGet("ColorLinear"), nullptr);
   EXPECT_TRUE(log.Contains("ParticleManager2D::ModifierInitializerGet::Get -- Not initialized."));
   ParticleManager2D::ModifierInitializerRegister("Early", &FactoryNothing);
   EXPECT_TRUE(log.Contains("ParticleManager2D::ModifierInitializerRegister -- Not initialized.\n"));

   ParticleManager2D::Init();
   EXPECT_EQ(ParticleManager2D::ModifierInitializerGet("ColorLinear"),
             &ParticleEmitterModifierColorLinear2D::Create);
   EXPECT_EQ(ParticleManager2D::ModifierInitializerGet("AdditiveBlendingLinear"),
             &ParticleEmitterModifierAdditiveBlendingLinear2D::Create);
   EXPECT_EQ(ParticleManager2D::ModifierInitializerGet("ScaleLinear"),
             &ParticleModifierScaleLinear2D::Create);

   ParticleManager2D::ModifierInitializerRegister("ColorLinear", &FactoryNothing);
   EXPECT_TRUE(
       log.Contains("ParticleManager2D::ModifierInitializerRegister -- There is already an initializer "
                    "registered with the name ColorLinear\n."));
   EXPECT_EQ(ParticleManager2D::ModifierInitializerGet("ColorLinear"),
             &ParticleEmitterModifierColorLinear2D::Create);

   char name[] = "Custom";
   ParticleManager2D::ModifierInitializerRegister(name, &FactoryNothing);
   name[0] = 'X';
   EXPECT_EQ(ParticleManager2D::ModifierInitializerGet("Custom"), &FactoryNothing);

   log.text.clear();
   EXPECT_EQ(ParticleManager2D::ModifierInitializerGet("colorlinear"), nullptr);
   EXPECT_EQ(log.text, "ParticleManager2D::Get -- Unrecognized ModifierInitializer name: colorlinear.");

   ParticleManager2D::Deinit();
   EXPECT_EQ(ParticleManager2D::ModifierInitializerGet("ScaleLinear"), nullptr);
}

class ParticleModifierTest : public ::testing::Test
{
 protected:
   // One particle emitted in the first 1000 ms frame, then aged by the given time.
   static ParticleEffectParticle2D* Aged(LoadedEffect* loaded, u32 elapsed)
   {
      loaded->Emitter()->Update(1000);
      loaded->Emitter()->frequency = 0.0f;
      if (elapsed)
      {
         loaded->Emitter()->Update(elapsed);
      }
      return loaded->LiveParticle(0);
   }

   ResourceWorld world;
   JSONTest::LogCapture log;
};

std::string OneParticle(const std::string& life, const std::string& modifiers)
{
   return EffectText(R"("ParticleCountMax": 1, "EmissionFrequency": 1.5, "Color": "10|20|30|40", )"
                     R"("AdditiveBlending": 0.9, "Scale": "5|5", )" +
                     life + R"(, "Modifiers": [)" + modifiers + "]");
}

TEST_F(ParticleModifierTest, ColorAndAdditiveBlendOverTheLifeFromTheirBeginValues)
{
   const std::string modifiers =
       R"({"Type": "ColorLinear", "ColorBegin": "255|255|0|255", "ColorEnd": "0|100|0|0"},)"
       R"({"Type": "AdditiveBlendingLinear", "AdditiveBlendingBegin": 0.25, )"
       R"("AdditiveBlendingEnd": 0.75})";
   struct Case
   {
      u32 age;
      ColorRGBA8 color;
      float additive;
   };
   const Case cases[] = {
       {0, {255, 255, 0, 255}, 0.25f},
       {500, {127, 177, 0, 127}, 0.5f},
       {750, {63, 138, 0, 63}, 0.625f},
   };
   for (const Case& c : cases)
   {
      LoadedEffect loaded(OneParticle(R"("LifeDuration": 1000)", modifiers));
      ParticleEffectParticle2D* particle = Aged(&loaded, c.age);
      EXPECT_EQ(particle->color.r, c.color.r) << c.age;
      EXPECT_EQ(particle->color.g, c.color.g) << c.age;
      EXPECT_EQ(particle->color.b, c.color.b) << c.age;
      EXPECT_EQ(particle->color.a, c.color.a) << c.age;
      EXPECT_FLOAT_EQ(particle->additive, c.additive) << c.age;
   }

   // Without a life the begin values set at the start stay.
   LoadedEffect unlimited(OneParticle(R"("LifeBounds": "-1000|-1000|2000|2000")", modifiers));
   ParticleEffectParticle2D* particle = Aged(&unlimited, 5000);
   EXPECT_EQ(particle->color.r, 255);
   EXPECT_EQ(particle->color.g, 255);
   EXPECT_EQ(particle->color.a, 255);
   EXPECT_FLOAT_EQ(particle->additive, 0.25f);
}

TEST_F(ParticleModifierTest, ModifiersUseTheirCurveAndDefaults)
{
   LoadedEffect smooth(OneParticle(R"("LifeDuration": 1000)",
                                   R"({"Type": "AdditiveBlendingLinear", "AdditiveBlendingEnd": 1, )"
                                   R"("Progression": "SmoothStart"}, {"Type": "ColorLinear"})"));
   ParticleEffectParticle2D* particle = Aged(&smooth, 300);
   EXPECT_FLOAT_EQ(particle->additive, progressionSmoothStart.ValueGet(0.3f));
   // Both colours default to opaque white, which replaces the emitter's colour.
   EXPECT_EQ(particle->color.r, 255);
   EXPECT_EQ(particle->color.a, 255);

   // A zero life is over at once rather than a division by zero.
   LoadedEffect instant(
       OneParticle(R"("LifeDuration": 0)", R"({"Type": "ColorLinear", "ColorEnd": "0|0|0|0"})"));
   instant.Emitter()->Update(1000);
   EXPECT_EQ(instant.LiveParticle(0)->color.r, 0);
}

TEST_F(ParticleModifierTest, ScaleLinearDrawsEachParticlesBeginAndEnd)
{
   LoadedEffect same(OneParticle(R"("LifeDuration": 1000)",
                                 R"({"Type": "ScaleLinear", "ScaleBegin": "2|2", "ScaleEnd": "0|0"})"));
   ASSERT_EQ(same.Emitter()->free.First()->value != nullptr, true);
   auto* first = static_cast<ParticleEffectParticle2D*>(same.Emitter()->free.First()->value);
   EXPECT_EQ(first->modifiers.count, 1);
   ParticleEffectParticle2D* particle = Aged(&same, 0);
   // The modifier's begin replaces the emitter's scale at the start.
   EXPECT_FLOAT_EQ(particle->scale.x, 2.0f);
   same.Emitter()->Update(250);
   EXPECT_FLOAT_EQ(particle->scale.x, 1.5f);
   EXPECT_FLOAT_EQ(particle->scale.y, 1.5f);

   LoadedEffect ranged(EffectText(
       R"("ParticleCountMax": 30, "EmissionFrequency": 30.5, "LifeDuration": 1000, "Seed": 77, "Modifiers": [)"
       R"({"Type": "ScaleLinear", "ScaleBeginMin": "1|2", "ScaleBeginMax": "3|4", "ScaleEndMin": "5|6", )"
       R"("ScaleEndMax": "7|8"}])"));
   ranged.Emitter()->Update(1000);
   ASSERT_EQ(ranged.Emitter()->live.count, 30);
   bool differ = false;
   for (i32 i = 0; i < 30; i++)
   {
      auto* scale = static_cast<ParticleModifierScaleLinear2D*>(ranged.LiveParticle(i)->modifiers[0]);
      EXPECT_GE(scale->begin.x, 1.0f);
      EXPECT_LE(scale->begin.x, 3.0f);
      EXPECT_GE(scale->begin.y, 2.0f);
      EXPECT_LE(scale->begin.y, 4.0f);
      EXPECT_GE(scale->end.x, 5.0f);
      EXPECT_LE(scale->end.y, 8.0f);
      EXPECT_FLOAT_EQ(ranged.LiveParticle(i)->scale.x, scale->begin.x);
      differ = differ || scale->begin.x != scale->begin.y - 1.0f;
   }
   // The four components are drawn separately.
   EXPECT_TRUE(differ);
}

TEST_F(ParticleModifierTest, BadModifierElementsAreReportedAndAddNothing)
{
   struct Case
   {
      const char* fileName;
      const char* modifiers;
      const char* message;
   };
   const Case cases[] = {
       {"Fx", R"({"Type": "Wobble"})",
        "ParticleManager2D::Get -- Unrecognized ModifierInitializer name: Wobble."},
       {"Fx", R"({"Type": 3})", "ParticleEffectEmitter2D::Init -- Modifier missing Type in Fx.\n"},
       {"Fx", R"({"Type": "ScaleLinear", "ScaleBeginMin": "1 1"})",
        "ScaleLinear -- Incorrect ScaleBeginMin format for \"Fx\".  Correct format is \"x|y\" with no "
        "spaces.\n"},
       {nullptr, R"({"Type": "ScaleLinear", "ScaleBeginMin": "wide"})",
        "JSONValue::Point2FGet -- Incorrect format for \"ScaleBeginMin\".  Correct format is \"x|y\" with no "
        "spaces.\n"},
   };
   for (const Case& c : cases)
   {
      log.text.clear();
      LoadedEffect loaded(OneParticle(R"("LifeDuration": 1000)", c.modifiers), c.fileName);
      EXPECT_TRUE(log.Contains(c.message)) << c.modifiers << "\n" << log.text;
      EXPECT_EQ(loaded.Emitter()->emitterModifiers.count, 0);
   }
   // A malformed ScaleBeginMin falls back to ScaleBegin and ScaleEnd (1, 1).
   LoadedEffect fallback(
       OneParticle(R"("LifeDuration": 1000)", R"({"Type": "ScaleLinear", "ScaleBeginMin": "x"})"));
   EXPECT_FLOAT_EQ(Aged(&fallback, 500)->scale.x, 1.0f);
}
} // namespace
