// The portrait tables and option lists over small constants: gender-exclusive filtering and the
// positions it shifts, the shared eye list, empty parts, ignored extra skin arrays and the
// default past the end of a list.
#include "app/profile/PortraitModel.h"
#include "tests/app/profile/ProfileTestSupport.h"

namespace
{
using namespace Corvale;

class PortraitModelTest : public ProfileTest::ProfileFixture
{
 protected:
   void TearDown() override
   {
      PortraitTablesDeinit();
      ProfileFixture::TearDown();
   }

   // No resource tree: the part files don't load, which the tables shrug off with a log line.
   void TablesLoad(const std::string& text)
   {
      ConstsSet(text);
      TestSupport::LogCapture log;
      PortraitTablesInit();
   }
};

const char* const smallConsts = R"({
   "PortraitPartCounts": {"HairFront": 5, "FacialHair": 3, "Mouth": 9, "EyeLeft": 9, "EyeRight": 9,
                          "BodyFront": true, "Nose": "7"},
   "PortraitSkinSpecificParts": {
      "Fair": [[1, 2], [4, 5, 6], [7, 8], [], [3], [9, 9, 9]],
      "Olive": [[3], [6, 5], [8], "nose", [2]],
      "Green": "not an array"
   },
   "PortraitGenderExclusiveParts": [
      [[], [], [], [], [], [], [5], [], [1, 2, 3], [], [], [], [], [2, 4], []],
      [[], [], [], [], [], [], [], [], [], [], [], [], [], [2, 3], []]
   ]
})";

TEST_F(PortraitModelTest, OptionListsFollowSkinAndGender)
{
   TablesLoad(smallConsts);
   struct Case
   {
      i32 part, skin, gender;
      std::vector<i32> options;
   };
   const Case cases[] = {
       // Sprite 2 is listed for both genders: usable by both. 3 female only, 4 male only.
       {PORTRAIT_PART_HAIR_FRONT, SKIN_TYPE_FAIR, GENDER_MALE, {1, 2, 4, 5}},
       {PORTRAIT_PART_HAIR_FRONT, SKIN_TYPE_FAIR, GENDER_FEMALE, {1, 2, 3, 5}},
       // Every facial hair is male.
       {PORTRAIT_PART_FACIAL_HAIR, SKIN_TYPE_OLIVE, GENDER_MALE, {1, 2, 3}},
       {PORTRAIT_PART_FACIAL_HAIR, SKIN_TYPE_OLIVE, GENDER_FEMALE, {}},
       // A male-only mouth drops out of the female list, shifting the later entries.
       {PORTRAIT_PART_MOUTH, SKIN_TYPE_FAIR, GENDER_MALE, {4, 5, 6}},
       {PORTRAIT_PART_MOUTH, SKIN_TYPE_FAIR, GENDER_FEMALE, {4, 6}},
       {PORTRAIT_PART_MOUTH, SKIN_TYPE_OLIVE, GENDER_FEMALE, {6}},
       // Both eyes read slot 2.
       {PORTRAIT_PART_EYE_LEFT, SKIN_TYPE_FAIR, GENDER_MALE, {7, 8}},
       {PORTRAIT_PART_EYE_RIGHT, SKIN_TYPE_FAIR, GENDER_FEMALE, {7, 8}},
       {PORTRAIT_PART_EYE_RIGHT, SKIN_TYPE_OLIVE, GENDER_MALE, {8}},
       // Neck is slot 4; the sixth array of Fair is ignored.
       {PORTRAIT_PART_NECK, SKIN_TYPE_FAIR, GENDER_MALE, {3}},
       {PORTRAIT_PART_NECK, SKIN_TYPE_OLIVE, GENDER_MALE, {2}},
       // Counts of 0, a bool and a string.
       {PORTRAIT_PART_HAIR_BACK, SKIN_TYPE_FAIR, GENDER_MALE, {}},
       {PORTRAIT_PART_BODY_FRONT, SKIN_TYPE_FAIR, GENDER_MALE, {1}},
       {PORTRAIT_PART_NOSE, SKIN_TYPE_OLIVE, GENDER_MALE, {}},
       // A skin whose value is not an array, and a skin out of range.
       {PORTRAIT_PART_HEAD_BASE, SKIN_TYPE_GREEN, GENDER_MALE, {}},
       {PORTRAIT_PART_HAIR_FRONT, SKIN_TYPE_COUNT, GENDER_MALE, {}},
       {PORTRAIT_PART_HAIR_FRONT, -1, GENDER_MALE, {}},
   };
   for (const Case& c : cases)
   {
      SCOPED_TRACE(testing::Message() << "part " << c.part << " skin " << c.skin << " gender " << c.gender);
      const i32 count = static_cast<i32>(c.options.size());
      EXPECT_EQ(PortraitOptionCountGet(c.part, c.skin, c.gender), count);
      for (i32 i = 0; i < count; ++i)
      {
         EXPECT_EQ(PortraitOptionSpriteGet(i, c.part, c.skin, c.gender), c.options[i]);
         EXPECT_EQ(PortraitOptionIndexGet(c.options[i], c.part, c.skin, c.gender), i);
      }
      const i32 first = count ? c.options[0] : -1;
      EXPECT_EQ(PortraitDefaultSpriteGet(c.part, c.skin, c.gender), first);
      // At and past the end: the default, not -1 (unless the skin itself is out of range).
      const bool skinValid = c.skin >= 0 && c.skin < SKIN_TYPE_COUNT;
      EXPECT_EQ(PortraitOptionSpriteGet(count, c.part, c.skin, c.gender), skinValid ? first : -1);
      EXPECT_EQ(PortraitOptionSpriteGet(-1, c.part, c.skin, c.gender), -1);
   }
   EXPECT_EQ(PortraitOptionIndexGet(4, PORTRAIT_PART_HAIR_FRONT, SKIN_TYPE_FAIR, GENDER_FEMALE), -1);
   EXPECT_EQ(PortraitOptionIndexGet(1, PORTRAIT_PART_HAIR_FRONT, SKIN_TYPE_FAIR, 2), -1);
   EXPECT_EQ(PortraitOptionSpriteGet(0, PORTRAIT_PART_HAIR_FRONT, SKIN_TYPE_FAIR, 2), -1);
}

TEST_F(PortraitModelTest, LookupsAndMapping)
{
   TablesLoad(smallConsts);
   EXPECT_EQ(PortraitSkinTypeFromName("ZombieGreen"), SKIN_TYPE_ZOMBIE_GREEN);
   EXPECT_EQ(PortraitSkinTypeFromName("Tan"), SKIN_TYPE_TAN);
   EXPECT_EQ(PortraitSkinTypeFromName("fair"), -1);
   EXPECT_EQ(PortraitSkinTypeFromName(nullptr), -1);
   EXPECT_EQ(PortraitGenderFromName("Female"), GENDER_FEMALE);
   EXPECT_EQ(PortraitGenderFromName("Other"), -1);

   const i32 slots[PORTRAIT_PART_COUNT] = {-1, -1, -1, 4, -1, 0, 1, 3, -1, 2, 2, -1, -1, -1, -1};
   for (i32 part = 0; part < PORTRAIT_PART_COUNT; ++part)
   {
      EXPECT_EQ(PortraitSkinSpecificSlotGet(part), slots[part]) << part;
      EXPECT_EQ(PortraitPartSkinSpecificCheck(part), slots[part] >= 0) << part;
   }
   EXPECT_EQ(PortraitSkinSpecificSlotGet(15), -1);
   EXPECT_EQ(PortraitSkinSpriteCountGet(SKIN_TYPE_FAIR, PORTRAIT_PART_MOUTH), 3);
   EXPECT_EQ(PortraitSkinSpriteGet(SKIN_TYPE_FAIR, PORTRAIT_PART_MOUTH, 2), 6);
   EXPECT_EQ(PortraitSkinSpriteGet(SKIN_TYPE_FAIR, PORTRAIT_PART_MOUTH, 3), -1);
   EXPECT_EQ(PortraitSkinSpriteCountGet(SKIN_TYPE_FAIR, PORTRAIT_PART_HAIR_FRONT), 0);

   EXPECT_TRUE(PortraitSpriteSharedCheck(PORTRAIT_PART_HAIR_FRONT, 1));
   EXPECT_FALSE(PortraitSpriteSharedCheck(PORTRAIT_PART_HAIR_FRONT, 2));
   EXPECT_TRUE(PortraitSpriteGenderExclusiveCheck(PORTRAIT_PART_HAIR_FRONT, 2, GENDER_MALE));
   EXPECT_TRUE(PortraitSpriteGenderExclusiveCheck(PORTRAIT_PART_HAIR_FRONT, 2, GENDER_FEMALE));
   EXPECT_FALSE(PortraitSpriteGenderExclusiveCheck(PORTRAIT_PART_HAIR_FRONT, 3, 2));

   // The third mouth of Fair maps to Olive's list at the same place: past its end, Olive's default.
   EXPECT_EQ(
       PortraitOptionMap(6, PORTRAIT_PART_MOUTH, SKIN_TYPE_FAIR, GENDER_MALE, SKIN_TYPE_OLIVE, GENDER_MALE),
       6);
   EXPECT_EQ(
       PortraitOptionMap(5, PORTRAIT_PART_MOUTH, SKIN_TYPE_FAIR, GENDER_MALE, SKIN_TYPE_OLIVE, GENDER_MALE),
       5);
   EXPECT_EQ(PortraitOptionMap(8, PORTRAIT_PART_EYE_LEFT, SKIN_TYPE_FAIR, GENDER_MALE, SKIN_TYPE_OLIVE,
                               GENDER_MALE),
             8);
   // A male-only hair on a female face: the same position of the female list.
   EXPECT_EQ(PortraitOptionMap(4, PORTRAIT_PART_HAIR_FRONT, SKIN_TYPE_FAIR, GENDER_MALE, SKIN_TYPE_FAIR,
                               GENDER_FEMALE),
             3);
}

TEST_F(PortraitModelTest, MissingOrIllTypedConstantsGiveEmptyLists)
{
   for (const char* text : {"{}", R"({"PortraitPartCounts": [], "PortraitSkinSpecificParts": 3})"})
   {
      TablesLoad(text);
      for (i32 part = 0; part < PORTRAIT_PART_COUNT; ++part)
      {
         EXPECT_EQ(PortraitOptionCountGet(part, SKIN_TYPE_FAIR, GENDER_MALE), 0) << text;
         EXPECT_EQ(PortraitDefaultSpriteGet(part, SKIN_TYPE_FAIR, GENDER_MALE), -1) << text;
      }
   }
   // Tables read again replace the old ones rather than adding to them.
   TablesLoad(smallConsts);
   TablesLoad(smallConsts);
   EXPECT_EQ(PortraitOptionCountGet(PORTRAIT_PART_MOUTH, SKIN_TYPE_FAIR, GENDER_MALE), 3);
   PortraitTablesDeinit();
   EXPECT_EQ(PortraitOptionCountGet(PORTRAIT_PART_MOUTH, SKIN_TYPE_FAIR, GENDER_MALE), 0);
}
} // namespace
