// Particles drawn under a GL context (run under Xvfb): live particles appear at their place with
// their colour and scale, and dead ones are not drawn.
#include "tests/platform/SpriteTestSupport.h"

#include "core/GraphicsPathManager.h"
#include "platform/particle/ParticleEffect2D.h"
#include "platform/particle/ParticleEffectEmitter2D.h"
#include "platform/sprite/SpriteManager.h"
#include "tests/core/JSONTestSupport.h"

using namespace Corvale;
using sprite_test_support::DrawingTest;
using sprite_test_support::Pixel;

namespace
{
class ParticleDrawTest : public DrawingTest
{
};

void ExpectPixel(const Pixel& seen, const Pixel& wanted, const char* what)
{
   EXPECT_NEAR(seen.r, wanted.r, 2) << what;
   EXPECT_NEAR(seen.g, wanted.g, 2) << what;
   EXPECT_NEAR(seen.b, wanted.b, 2) << what;
}

TEST_F(ParticleDrawTest, LiveParticlesDrawWithTheirColourAndScale)
{
   GraphicsPathManager::Set(0, "Graphics");
   PNGWrite("Graphics/Pictures/Dot.png", 10, 10, [](int, int, u8* p) { p[0] = p[1] = p[2] = p[3] = 255; });
   TextWrite("Graphics/Sprites/Dot.json", R"({"Dot": {"Filename": "Pictures/Dot", "Origin": "Center"}})");
   JSONTest::ValuePointer document = JSONTest::TextParse(R"([
      {"SpriteResourceFilename": "Sprites/Dot", "Animation": "Dot", "ParticleCountMax": 1,
       "EmissionFrequency": 1.5, "EmissionPoint": "100|100", "LifeDuration": 100000},
      {"SpriteResourceFilename": "Sprites/Dot", "Animation": "Dot", "ParticleCountMax": 1,
       "EmissionFrequency": 1.5, "EmissionPoint": "300|100", "LifeDuration": 500},
      {"SpriteResourceFilename": "Sprites/Dot", "Animation": "Dot", "ParticleCountMax": 1,
       "EmissionFrequency": 1.5, "EmissionPoint": "500|100", "LifeDuration": 100000,
       "LinearVelocity": "0|100", "Scale": "3|3", "Color": "255|0|0|255"}
   ])");
   ParticleEffect2D effect;
   effect.SpecificationInit(document.get(), "Dots");
   ASSERT_EQ(effect.emitters.count, 3);
   for (i32 i = 0; i < 3; i++)
   {
      effect.emitters[i]->Update(1000);
      ASSERT_EQ(effect.emitters[i]->live.count, 1);
      effect.emitters[i]->Stop();
      effect.emitters[i]->Update(500);
      effect.emitters[i]->Draw();
   }
   EXPECT_EQ(effect.emitters[1]->live.count, 0);

   const std::vector<u8> frame = Frame();
   const Pixel black{0, 0, 0};
   ExpectPixel(At(frame, 100, 100), Pixel{255, 255, 255}, "the first particle");
   ExpectPixel(At(frame, 106, 100), black, "beside the first particle");
   ExpectPixel(At(frame, 300, 100), black, "the particle that died");
   ExpectPixel(At(frame, 500, 150), Pixel{255, 0, 0}, "the moved particle");
   ExpectPixel(At(frame, 513, 163), Pixel{255, 0, 0}, "the moved particle is three times as large");
   ExpectPixel(At(frame, 500, 100), black, "where the moved particle started");
   EXPECT_EQ(screen.matrixStack.count, 1) << "every push is popped";

   effect.Deinit();
   EXPECT_EQ(SpriteManager::resourceFiles.count, 0);
}
} // namespace
