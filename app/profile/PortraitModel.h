// The vocabulary of faces: the fifteen parts and their draw order, skin types and genders, the
// tables read from the constants at start-up, and the rules that give each part its options.
#pragma once

#include "core/Types.h"

namespace Corvale
{
class JSONValue;

// Part numbers in draw order, back to front; a part's number is also its child index in a portrait.
enum PortraitPart : i32
{
   PORTRAIT_PART_ACCESSORY_BACK = 0,
   PORTRAIT_PART_HAIR_BACK = 1,
   PORTRAIT_PART_BODY_BACK = 2,
   PORTRAIT_PART_NECK = 3,
   PORTRAIT_PART_BODY_FRONT = 4,
   PORTRAIT_PART_HEAD_BASE = 5,
   PORTRAIT_PART_MOUTH = 6,
   PORTRAIT_PART_NOSE = 7,
   PORTRAIT_PART_FACIAL_HAIR = 8,
   PORTRAIT_PART_EYE_LEFT = 9,
   PORTRAIT_PART_EYE_RIGHT = 10,
   PORTRAIT_PART_EYEBROW_RIGHT = 11,
   PORTRAIT_PART_EYEBROW_LEFT = 12,
   PORTRAIT_PART_HAIR_FRONT = 13,
   PORTRAIT_PART_ACCESSORY_FRONT = 14,
   PORTRAIT_PART_COUNT = 15
};

enum SkinType : i32
{
   SKIN_TYPE_VERY_VERY_FAIR = 0,
   SKIN_TYPE_VERY_FAIR = 1,
   SKIN_TYPE_FAIR = 2,
   SKIN_TYPE_OLIVE = 3,
   SKIN_TYPE_TAN = 4,
   SKIN_TYPE_DARK_BROWN = 5,
   SKIN_TYPE_VERY_DARK_BROWN = 6,
   SKIN_TYPE_SUNBURN_RED = 7,
   SKIN_TYPE_GREEN = 8,
   SKIN_TYPE_ZOMBIE_GREEN = 9,
   SKIN_TYPE_COUNT = 10,
   SKIN_TYPE_DEFAULT = SKIN_TYPE_FAIR
};

enum Gender : i32
{
   GENDER_MALE = 0,
   GENDER_FEMALE = 1,
   GENDER_COUNT = 2,
   GENDER_DEFAULT = GENDER_MALE
};

// A skin's lists: HeadBase, Mouth, Eyes (both eyes), Nose, Neck.
constexpr i32 PORTRAIT_SKIN_SLOT_COUNT = 5;

// JSON keys of the parts, and the sprite resource file (folder) of each.
extern const char* const portraitPartNames[PORTRAIT_PART_COUNT];
extern const char* const portraitPartFolders[PORTRAIT_PART_COUNT];
extern const char* const skinTypeNames[SKIN_TYPE_COUNT];
extern const char* const genderNames[GENDER_COUNT];

// Builds the tables from `consts` and keeps every part's sprite file loaded; once at start-up.
void PortraitTablesInit();
// Lets the part files go and empties the tables; once at shutdown.
void PortraitTablesDeinit();

i32 PortraitSkinTypeFromName(const char* name);
i32 PortraitGenderFromName(const char* name);
// AccessoryBack, FacialHair and AccessoryFront: their default is no sprite.
bool PortraitPartOptionalCheck(i32 part);
bool PortraitPartSkinSpecificCheck(i32 part);
i32 PortraitSkinSpecificSlotGet(i32 part);
// The part's "PortraitPartCounts"; 0 outside 0-14.
i32 PortraitPartCountGet(i32 part);
i32 PortraitSkinSpriteCountGet(i32 skin, i32 part);
i32 PortraitSkinSpriteGet(i32 skin, i32 part, i32 n);
bool PortraitSpriteSharedCheck(i32 part, i32 sprite);
bool PortraitSpriteGenderExclusiveCheck(i32 part, i32 sprite, i32 gender);
// Shared, or exclusive to the gender.
bool PortraitSpriteUsableCheck(i32 part, i32 sprite, i32 gender);
i32 PortraitDefaultSpriteGet(i32 part, i32 skin, i32 gender);
i32 PortraitOptionCountGet(i32 part, i32 skin, i32 gender);
i32 PortraitOptionIndexGet(i32 sprite, i32 part, i32 skin, i32 gender);
i32 PortraitOptionSpriteGet(i32 option, i32 part, i32 skin, i32 gender);
// The same position in another skin's or gender's list (past its end: that list's default).
i32 PortraitOptionMap(i32 sprite, i32 part, i32 skinOld, i32 genderOld, i32 skinNew, i32 genderNew);
} // namespace Corvale
