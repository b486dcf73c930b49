// The portrait widget over the face art the build drew: faces from descriptions and profiles,
// the animation references it holds, blinking, talking, and a drawn face.
#include "app/profile/PortraitModel.h"
#include "app/profile/PortraitWidget.h"
#include "app/profile/ProfileStore.h"
#include "core/JSONParser.h"
#include "core/JSONValue.h"
#include "core/Random.h"
#include "gui/widgets/SpriteWidget.h"
#include "gui/widgets/WidgetChildSprite.h"
#include "platform/sprite/SpriteAnimation.h"
#include "platform/sprite/SpriteResourceFile.h"
#include "tests/app/profile/ProfileTestSupport.h"
#include "tests/app/ProfileDataLayersTestSupport.h"

using namespace DataLayersTestSupport;

namespace
{
class PortraitWidgetTest : public ProfileDataLayersTest
{
 protected:
   void SetUp() override
   {
      ProfileDataLayersTest::SetUp();
      PortraitTablesInit();
      portrait = MemoryNew<PortraitWidget>(HEAP_DEFAULT);
      portrait->InitWithoutSpecification("Face", nullptr);
   }

   void TearDown() override
   {
      if (portrait)
      {
         portrait->Deinit();
         MemoryDelete(portrait);
      }
      PortraitTablesDeinit();
      ProfileDataLayersTest::TearDown();
   }

   static JSONValue* Parse(const std::string& text) { return ProfileTest::TextParse(text); }

   // References held on an animation of a part file; 0 when it is not loaded.
   static i32 References(i32 part, const char* animation)
   {
      SpriteResourceFile* file = SpriteManager::ResourceFileGet(portraitPartFolders[part]);
      SpriteAnimation* loaded = file ? file->AnimationLoadedGet(animation) : nullptr;
      return loaded ? loaded->referenceCount : 0;
   }

   // What a part plays now, "" for nothing.
   std::string Playing(i32 part)
   {
      SpriteWidget* child = portrait->PartWidgetGet(part);
      return child && child->sprite && child->sprite->animation ? child->sprite->animation->name : "";
   }

   PortraitWidget* portrait = nullptr;
};

TEST_F(PortraitWidgetTest, DescriptionsFallBackPartByPart)
{
   JSONValue* description = Parse(R"({"SkinType": "Olive", "Gender": "Female", "Parts": {
      "HairFront": {"ID": 0, "Position": "3|4"},
      "FacialHair": {"ID": 0},
      "HeadBase": {"ID": -1},
      "Mouth": {"ID": 27, "Position": "12.5|-2"},
      "Nose": {"ID": 999},
      "EyeLeft": "not an object"}})");
   portrait->DescriptionLoad(description);
   EXPECT_EQ(portrait->skinType, SKIN_TYPE_OLIVE);
   EXPECT_EQ(portrait->gender, GENDER_FEMALE);
   const i32 olive = SKIN_TYPE_OLIVE;
   EXPECT_EQ(portrait->PartSpriteGet(PORTRAIT_PART_HAIR_FRONT), 1);
   EXPECT_EQ(portrait->PartPositionGet(PORTRAIT_PART_HAIR_FRONT).x, 3.0f);
   EXPECT_EQ(portrait->PartSpriteGet(PORTRAIT_PART_FACIAL_HAIR), -1);
   EXPECT_EQ(portrait->PartSpriteGet(PORTRAIT_PART_HEAD_BASE), -1);
   EXPECT_EQ(Playing(PORTRAIT_PART_HEAD_BASE), "");
   EXPECT_EQ(portrait->PartSpriteGet(PORTRAIT_PART_MOUTH), 27);
   EXPECT_EQ(Playing(PORTRAIT_PART_MOUTH), "027_Rest");
   EXPECT_EQ(portrait->PartPositionGet(PORTRAIT_PART_MOUTH).x, 12.5f);
   EXPECT_EQ(portrait->PartPositionGet(PORTRAIT_PART_MOUTH).y, -2.0f);
   // Out of range: the default of the part for the face's skin.
   EXPECT_EQ(portrait->PartSpriteGet(PORTRAIT_PART_NOSE),
             PortraitDefaultSpriteGet(PORTRAIT_PART_NOSE, olive, 1));
   // Missing or ill-typed: the default at (0, 0).
   EXPECT_EQ(portrait->PartSpriteGet(PORTRAIT_PART_EYE_LEFT),
             PortraitDefaultSpriteGet(PORTRAIT_PART_EYE_LEFT, olive, 1));
   EXPECT_EQ(portrait->PartSpriteGet(PORTRAIT_PART_ACCESSORY_FRONT), -1);
   EXPECT_EQ(portrait->PartPositionGet(PORTRAIT_PART_EYE_LEFT).x, 0.0f);
   MemoryDelete(description);

   portrait->DescriptionLoad(nullptr);
   EXPECT_EQ(portrait->skinType, SKIN_TYPE_FAIR);
   EXPECT_EQ(portrait->gender, GENDER_MALE);
   EXPECT_EQ(portrait->PartSpriteGet(PORTRAIT_PART_HEAD_BASE),
             PortraitDefaultSpriteGet(PORTRAIT_PART_HEAD_BASE, 2, 0));
   EXPECT_EQ(portrait->PartPositionGet(PORTRAIT_PART_MOUTH).x, 0.0f);
}

TEST_F(PortraitWidgetTest, ProfileFacesAndTheDefaultPastTheEnd)
{
   JSONValue* profiles = settings->ItemArraySet("Profiles");
   JSONValue* entry = profiles->ElementAdd();
   entry->ObjectSet();
   entry->ItemStringSet("Name", "Ann");
   JSONValue* faces = Parse(R"([{"SkinType": "Tan", "Gender": "Female"}, {"SkinType": "Green"}])");
   entry->ItemSet("Portraits", faces);
   entry->ItemNumberSet("PortraitIndex", 1);
   portrait->ProfilePortraitSet("Ann");
   EXPECT_EQ(portrait->skinType, SKIN_TYPE_GREEN);
   entry->ItemBoolSet("PortraitIndex", false);
   portrait->ProfilePortraitSet("Ann");
   EXPECT_EQ(portrait->skinType, SKIN_TYPE_TAN);
   EXPECT_EQ(portrait->gender, GENDER_FEMALE);
   entry->ItemNumberSet("PortraitIndex", 2);
   portrait->ProfilePortraitSet("Ann");
   EXPECT_EQ(portrait->skinType, SKIN_TYPE_FAIR);
   EXPECT_EQ(portrait->gender, GENDER_MALE);
   portrait->ProfilePortraitIndexSet("Ann", 0);
   EXPECT_EQ(portrait->skinType, SKIN_TYPE_TAN);
   portrait->ProfilePortraitSet("Nobody");
   EXPECT_EQ(portrait->skinType, SKIN_TYPE_FAIR);
}

TEST_F(PortraitWidgetTest, AnimationReferencesReturnToTheirBaseline)
{
   const i32 mouth = PORTRAIT_PART_MOUTH;
   portrait->PartSet(mouth, 7);
   // The portrait's own reference on each animation, and the part widget's on the one it plays.
   EXPECT_EQ(References(mouth, "007_Rest"), 2);
   EXPECT_EQ(References(mouth, "007_Talk"), 1);
   portrait->PartSet(mouth, 7);
   EXPECT_EQ(References(mouth, "007_Rest"), 2);
   EXPECT_EQ(Playing(mouth), "007_Rest");
   portrait->PartSet(mouth, 8);
   EXPECT_EQ(References(mouth, "007_Rest"), 0);
   EXPECT_EQ(References(mouth, "008_Talk"), 1);
   portrait->PartClear(mouth);
   EXPECT_EQ(References(mouth, "008_Rest"), 0);
   EXPECT_EQ(References(mouth, "008_Talk"), 0);
   EXPECT_EQ(portrait->PartSpriteGet(mouth), -1);

   JSONValue* description = Parse(R"({"Parts": {"Mouth": {"ID": 3}}})");
   portrait->DescriptionLoad(description);
   portrait->DescriptionLoad(description);
   MemoryDelete(description);
   EXPECT_EQ(References(mouth, "003_Rest"), 2);
   portrait->PartsClear();
   for (i32 part = 0; part < PORTRAIT_PART_COUNT; ++part)
   {
      SpriteResourceFile* file = SpriteManager::ResourceFileGet(portraitPartFolders[part]);
      ASSERT_TRUE(file) << part;
      EXPECT_EQ(file->animations.count, 0) << portraitPartNames[part];
   }
   portrait->DefaultPartsSet();
   portrait->Deinit();
   MemoryDelete(portrait);
   portrait = nullptr;
   // The part widgets leave through the GUI manager's removed chain.
   Tick(0);
   for (i32 part = 0; part < PORTRAIT_PART_COUNT; ++part)
   {
      SpriteResourceFile* file = SpriteManager::ResourceFileGet(portraitPartFolders[part]);
      ASSERT_TRUE(file) << part;
      EXPECT_EQ(file->animations.count, 0) << portraitPartNames[part];
      // Only the tables' own reference is left.
      EXPECT_EQ(file->referenceCount, 1) << portraitPartNames[part];
   }
}

TEST_F(PortraitWidgetTest, BlinksWhenTheCountdownRunsOut)
{
   randomState0 = 7;
   randomState1 = 11;
   portrait->DefaultPartsSet();
   portrait->BlinkTimerReset();
   const u32 countdown = portrait->blinkCountdown;
   EXPECT_GE(countdown, 2000u);
   EXPECT_LT(countdown, 6000u);
   portrait->Update(countdown - 1);
   EXPECT_EQ(portrait->blinkCountdown, 1u);
   const i32 eye = portrait->PartSpriteGet(PORTRAIT_PART_EYE_LEFT);
   char blink[16], rest[16];
   std::snprintf(blink, sizeof(blink), "%03d_Blink", eye);
   std::snprintf(rest, sizeof(rest), "%03d_Rest", eye);
   EXPECT_EQ(Playing(PORTRAIT_PART_EYE_LEFT), rest);
   portrait->Update(1);
   EXPECT_EQ(Playing(PORTRAIT_PART_EYE_LEFT), blink);
   EXPECT_EQ(Playing(PORTRAIT_PART_EYE_RIGHT), blink);
   EXPECT_GE(portrait->blinkCountdown, 2000u);
   // The blink is about 150 ms; then the queued rest plays.
   portrait->Update(200);
   EXPECT_EQ(Playing(PORTRAIT_PART_EYE_LEFT), rest);
}

TEST_F(PortraitWidgetTest, BlinkCountdownForAGeneratorStateAndOddBounds)
{
   struct Case
   {
      const char* min;
      const char* max;
      u32 low, high;
   };
   const Case cases[] = {
       {"1000", "3000", 1000, 3000}, {"3000", "1000", 1000, 3000}, {"-50", "100", 0, 100},
       {"500", "500", 500, 500},     {"true", "\"x\"", 0, 1},
   };
   for (const Case& c : cases)
   {
      consts->ItemSet("PortraitBlinkInvervalMin", Parse(c.min));
      consts->ItemSet("PortraitBlinkInvervalMax", Parse(c.max));
      randomState0 = 1234;
      randomState1 = 5678;
      u32 probe0 = randomState0, probe1 = randomState1;
      const u32 r = RandomNumberGet();
      randomState0 = probe0;
      randomState1 = probe1;
      portrait->BlinkTimerReset();
      const u32 expected = c.low + static_cast<u32>((static_cast<u64>(r) * (c.high - c.low)) >> 16);
      EXPECT_EQ(portrait->blinkCountdown, expected) << c.min << " " << c.max;
   }
}

TEST_F(PortraitWidgetTest, TalkingMovesTheMouthAndLeavesABlinkingEyeAlone)
{
   portrait->DefaultPartsSet();
   const i32 mouthSprite = portrait->PartSpriteGet(PORTRAIT_PART_MOUTH);
   char talk[16], rest[16];
   std::snprintf(talk, sizeof(talk), "%03d_Talk", mouthSprite);
   std::snprintf(rest, sizeof(rest), "%03d_Rest", mouthSprite);
   portrait->PartAnimationSet(PORTRAIT_PART_EYE_LEFT, "Blink");
   const std::string blinking = Playing(PORTRAIT_PART_EYE_LEFT);
   portrait->TalkStart();
   EXPECT_EQ(Playing(PORTRAIT_PART_MOUTH), talk);
   // Parts without a "Talk" keep what they play.
   EXPECT_EQ(Playing(PORTRAIT_PART_EYE_LEFT), blinking);
   EXPECT_NE(Playing(PORTRAIT_PART_HEAD_BASE).find("_Rest"), std::string::npos);
   portrait->TalkStop();
   EXPECT_EQ(Playing(PORTRAIT_PART_MOUTH), rest);
   EXPECT_EQ(Playing(PORTRAIT_PART_EYE_LEFT), blinking);
}

TEST_F(PortraitWidgetTest, EveryCharacterDrawsAFace)
{
   const JSONValue* characters = consts->ItemGet("Characters");
   ASSERT_GE(characters->CountGet(), 8);
   std::vector<PortraitWidget*> faces;
   for (JSONValue::Iterator it = characters->ItemsBegin(); it.ValidCheck(); it.Next())
   {
      PortraitWidget* face = MemoryNew<PortraitWidget>(HEAP_DEFAULT);
      face->InitWithoutSpecification(it.node->key, nullptr);
      face->DescriptionLoad(it.node->value->ItemGet("Portrait"));
      const i32 n = static_cast<i32>(faces.size());
      face->PositionSet(
          Point2F{static_cast<float>(40 + (n % 4) * 200), static_cast<float>(60 + (n / 4) * 200)});
      face->ScaleSet(1.5f, 1.5f);
      faces.push_back(face);
   }
   Clear();
   for (PortraitWidget* face : faces)
   {
      face->DrawBegin();
      face->Draw();
      face->DrawEnd();
   }
   std::vector<u8> frame = Frame();
   const char* folder = std::getenv("CORVALE_SCREENSHOT_DIR");
   if (folder)
   {
      Save(frame, std::string(folder) + "/Characters.png");
   }
   for (PortraitWidget* face : faces)
   {
      // Skin between the eyes and the mouth, and cloth at the bottom of the box.
      const Point2F at = face->PositionGet();
      const Pixel cheek = At(frame, static_cast<int>(at.x + 64 * 1.5f), static_cast<int>(at.y + 74 * 1.5f));
      const Pixel body = At(frame, static_cast<int>(at.x + 30 * 1.5f), static_cast<int>(at.y + 124 * 1.5f));
      EXPECT_GT(cheek.r + cheek.g + cheek.b, 150) << face->name;
      EXPECT_GT(body.r + body.g + body.b, 20) << face->name;
      face->Deinit();
      MemoryDelete(face);
   }
   Tick(0);
}
} // namespace
