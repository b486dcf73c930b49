// The portrait tables and the option-list rules every face user shares.
#include "app/profile/PortraitModel.h"

#include <cstring>

#include "app/profile/ProfileStore.h"
#include "core/JSONValue.h"
#include "core/Table.h"
#include "platform/sprite/SpriteManager.h"
#include "platform/sprite/SpriteResourceFile.h"

namespace Corvale
{
const char* const portraitPartNames[PORTRAIT_PART_COUNT] = {
    "AccessoryBack", "HairBack",     "BodyBack",    "Neck",       "BodyFront",
    "HeadBase",      "Mouth",        "Nose",        "FacialHair", "EyeLeft",
    "EyeRight",      "EyebrowRight", "EyebrowLeft", "HairFront",  "AccessoryFront"};

const char* const portraitPartFolders[PORTRAIT_PART_COUNT] = {
    "Sprites/FaceCreator/Accessory/Back/Sprites", "Sprites/FaceCreator/Hair/Back/Sprites",
    "Sprites/FaceCreator/Body/Back/Sprites",      "Sprites/FaceCreator/Neck/Sprites",
    "Sprites/FaceCreator/Body/Front/Sprites",     "Sprites/FaceCreator/Head/Sprites",
    "Sprites/FaceCreator/Mouth/Sprites",          "Sprites/FaceCreator/Nose/Sprites",
    "Sprites/FaceCreator/FacialHair/Sprites",     "Sprites/FaceCreator/Eyes/Left/Sprites",
    "Sprites/FaceCreator/Eyes/Right/Sprites",     "Sprites/FaceCreator/Eyebrows/Right/Sprites",
    "Sprites/FaceCreator/Eyebrows/Left/Sprites",  "Sprites/FaceCreator/Hair/Front/Sprites",
    "Sprites/FaceCreator/Accessory/Front/Sprites"};

const char* const skinTypeNames[SKIN_TYPE_COUNT] = {
    "VeryVeryFair", "VeryFair",      "Fair",       "Olive", "Tan",
    "DarkBrown",    "VeryDarkBrown", "SunburnRed", "Green", "ZombieGreen"};

const char* const genderNames[GENDER_COUNT] = {"Male", "Female"};

namespace
{
i32 partCounts[PORTRAIT_PART_COUNT] = {};
Table<i32> skinLists[SKIN_TYPE_COUNT][PORTRAIT_SKIN_SLOT_COUNT];
SpriteResourceFile* partFiles[PORTRAIT_PART_COUNT] = {};

bool PartValidCheck(i32 part)
{
   return part >= 0 && part < PORTRAIT_PART_COUNT;
}

bool SkinValidCheck(i32 skin)
{
   return skin >= 0 && skin < SKIN_TYPE_COUNT;
}

// Numbers truncated toward zero, bools as 1 or 0, anything else 0.
i32 TableNumberRead(const JSONValue* value)
{
   if (!value)
   {
      return 0;
   }
   if (value->TypeGet() == JSONValue::TYPE_NUMBER)
   {
      return DoubleToInt(value->DoubleValueGet());
   }
   if (value->TypeGet() == JSONValue::TYPE_BOOL)
   {
      return value->BoolValueGet() ? 1 : 0;
   }
   return 0;
}

i32 NameIndexGet(const char* name, const char* const* names, i32 count)
{
   if (!name)
   {
      return -1;
   }
   for (i32 i = 0; i < count; ++i)
   {
      if (std::strcmp(name, names[i]) == 0)
      {
         return i;
      }
   }
   return -1;
}

// Walks the option list of a part in order; visit (position, sprite) returns true to stop there.
// Returns the number of options visited.
template <class Visit> i32 OptionsWalk(i32 part, i32 skin, i32 gender, Visit visit)
{
   if (!PartValidCheck(part) || !SkinValidCheck(skin))
   {
      return 0;
   }
   i32 position = 0;
   i32 slot = PortraitSkinSpecificSlotGet(part);
   if (slot >= 0)
   {
      const Table<i32>& list = skinLists[skin][slot];
      for (i32 i = 0; i < list.count; ++i)
      {
         if (PortraitSpriteUsableCheck(part, list[i], gender))
         {
            if (visit(position, list[i]))
            {
               return position + 1;
            }
            ++position;
         }
      }
      return position;
   }
   for (i32 sprite = 1; sprite <= partCounts[part]; ++sprite)
   {
      if (PortraitSpriteUsableCheck(part, sprite, gender))
      {
         if (visit(position, sprite))
         {
            return position + 1;
         }
         ++position;
      }
   }
   return position;
}
} // namespace

void PortraitTablesInit()
{
   PortraitTablesDeinit();
   for (i32 part = 0; part < PORTRAIT_PART_COUNT; ++part)
   {
      partFiles[part] = SpriteManager::ResourceFileLoad(portraitPartFolders[part]);
   }
   if (!consts || consts->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      return;
   }
   const JSONValue* counts = consts->ItemGet("PortraitPartCounts");
   if (counts->TypeGet() == JSONValue::TYPE_OBJECT)
   {
      for (i32 part = 0; part < PORTRAIT_PART_COUNT; ++part)
      {
         partCounts[part] = TableNumberRead(counts->ItemFind(portraitPartNames[part]));
      }
   }
   const JSONValue* skins = consts->ItemGet("PortraitSkinSpecificParts");
   if (skins->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      return;
   }
   for (i32 skin = 0; skin < SKIN_TYPE_COUNT; ++skin)
   {
      const JSONValue* lists = skins->ItemGet(skinTypeNames[skin]);
      if (lists->TypeGet() != JSONValue::TYPE_ARRAY)
      {
         continue;
      }
      for (i32 slot = 0; slot < PORTRAIT_SKIN_SLOT_COUNT && slot < lists->CountGet(); ++slot)
      {
         const JSONValue* list = lists->ElementGet(slot);
         if (list->TypeGet() != JSONValue::TYPE_ARRAY)
         {
            continue;
         }
         Table<i32>& target = skinLists[skin][slot];
         if (!target.SizeSet(list->CountGet()))
         {
            target.SizeSet(0);
            continue;
         }
         for (i32 i = 0; i < list->CountGet(); ++i)
         {
            target[i] = TableNumberRead(list->ElementGet(i));
         }
      }
   }
}

void PortraitTablesDeinit()
{
   for (i32 part = 0; part < PORTRAIT_PART_COUNT; ++part)
   {
      partCounts[part] = 0;
      SpriteResourceFile* file = partFiles[part];
      partFiles[part] = nullptr;
      // The file may have gone already when the sprite manager was torn down first.
      if (file && SpriteManager::resourceFiles.Find(file) >= 0 && --file->referenceCount < 1)
      {
         SpriteManager::ResourceFileRemove(file);
      }
   }
   for (i32 skin = 0; skin < SKIN_TYPE_COUNT; ++skin)
   {
      for (i32 slot = 0; slot < PORTRAIT_SKIN_SLOT_COUNT; ++slot)
      {
         skinLists[skin][slot] = Table<i32>();
      }
   }
}

i32 PortraitSkinTypeFromName(const char* name)
{
   return NameIndexGet(name, skinTypeNames, SKIN_TYPE_COUNT);
}

i32 PortraitGenderFromName(const char* name)
{
   return NameIndexGet(name, genderNames, GENDER_COUNT);
}

bool PortraitPartOptionalCheck(i32 part)
{
   return part == PORTRAIT_PART_ACCESSORY_BACK || part == PORTRAIT_PART_FACIAL_HAIR ||
          part == PORTRAIT_PART_ACCESSORY_FRONT;
}

bool PortraitPartSkinSpecificCheck(i32 part)
{
   return PortraitSkinSpecificSlotGet(part) >= 0;
}

i32 PortraitSkinSpecificSlotGet(i32 part)
{
   switch (part)
   {
   case PORTRAIT_PART_HEAD_BASE:
      return 0;
   case PORTRAIT_PART_MOUTH:
      return 1;
   case PORTRAIT_PART_EYE_LEFT:
   case PORTRAIT_PART_EYE_RIGHT:
      return 2;
   case PORTRAIT_PART_NOSE:
      return 3;
   case PORTRAIT_PART_NECK:
      return 4;
   default:
      return -1;
   }
}

i32 PortraitPartCountGet(i32 part)
{
   return PartValidCheck(part) ? partCounts[part] : 0;
}

i32 PortraitSkinSpriteCountGet(i32 skin, i32 part)
{
   i32 slot = PortraitSkinSpecificSlotGet(part);
   return SkinValidCheck(skin) && slot >= 0 ? skinLists[skin][slot].count : 0;
}

i32 PortraitSkinSpriteGet(i32 skin, i32 part, i32 n)
{
   if (n < 0 || n >= PortraitSkinSpriteCountGet(skin, part))
   {
      return -1;
   }
   return skinLists[skin][PortraitSkinSpecificSlotGet(part)][n];
}

bool PortraitSpriteGenderExclusiveCheck(i32 part, i32 sprite, i32 gender)
{
   if (!PartValidCheck(part) || gender < 0 || gender >= GENDER_COUNT || !consts)
   {
      return false;
   }
   const JSONValue* lists = consts->ItemGet("PortraitGenderExclusiveParts");
   if (lists->TypeGet() != JSONValue::TYPE_ARRAY)
   {
      return false;
   }
   const JSONValue* parts = lists->ElementGet(gender);
   if (parts->TypeGet() != JSONValue::TYPE_ARRAY)
   {
      return false;
   }
   const JSONValue* sprites = parts->ElementGet(part);
   if (sprites->TypeGet() != JSONValue::TYPE_ARRAY)
   {
      return false;
   }
   for (i32 i = 0; i < sprites->CountGet(); ++i)
   {
      if (TableNumberRead(sprites->ElementGet(i)) == sprite)
      {
         return true;
      }
   }
   return false;
}

bool PortraitSpriteSharedCheck(i32 part, i32 sprite)
{
   return !PortraitSpriteGenderExclusiveCheck(part, sprite, GENDER_MALE) &&
          !PortraitSpriteGenderExclusiveCheck(part, sprite, GENDER_FEMALE);
}

bool PortraitSpriteUsableCheck(i32 part, i32 sprite, i32 gender)
{
   return PortraitSpriteSharedCheck(part, sprite) || PortraitSpriteGenderExclusiveCheck(part, sprite, gender);
}

i32 PortraitDefaultSpriteGet(i32 part, i32 skin, i32 gender)
{
   i32 first = -1;
   OptionsWalk(part, skin, gender,
               [&](i32, i32 sprite)
               {
                  first = sprite;
                  return true;
               });
   return first;
}

i32 PortraitOptionCountGet(i32 part, i32 skin, i32 gender)
{
   return OptionsWalk(part, skin, gender, [](i32, i32) { return false; });
}

i32 PortraitOptionIndexGet(i32 sprite, i32 part, i32 skin, i32 gender)
{
   if (gender < 0 || gender >= GENDER_COUNT)
   {
      return -1;
   }
   i32 found = -1;
   OptionsWalk(part, skin, gender,
               [&](i32 position, i32 option)
               {
                  if (option != sprite)
                  {
                     return false;
                  }
                  found = position;
                  return true;
               });
   return found;
}

i32 PortraitOptionSpriteGet(i32 option, i32 part, i32 skin, i32 gender)
{
   if (option < 0 || !SkinValidCheck(skin) || gender < 0 || gender >= GENDER_COUNT)
   {
      return -1;
   }
   i32 found = -1;
   bool inside = false;
   OptionsWalk(part, skin, gender,
               [&](i32 position, i32 sprite)
               {
                  if (position != option)
                  {
                     return false;
                  }
                  found = sprite;
                  inside = true;
                  return true;
               });
   return inside ? found : PortraitDefaultSpriteGet(part, skin, gender);
}

i32 PortraitOptionMap(i32 sprite, i32 part, i32 skinOld, i32 genderOld, i32 skinNew, i32 genderNew)
{
   return PortraitOptionSpriteGet(PortraitOptionIndexGet(sprite, part, skinOld, genderOld), part, skinNew,
                                  genderNew);
}
} // namespace Corvale
