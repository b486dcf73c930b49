// The portrait widget: part children, the animation references of the shown sprites, faces from
// descriptions and profiles, blinking and talking.
#include "app/profile/PortraitWidget.h"

#include <cstdio>
#include <cstring>

#include "app/profile/ProfileStore.h"
#include "core/JSONValue.h"
#include "core/Memory.h"
#include "core/Random.h"
#include "core/StringHelpers.h"
#include "gui/dialog/DialogManager.h"
#include "gui/widgets/SpriteWidget.h"
#include "gui/widgets/WidgetChildSprite.h"
#include "platform/sprite/SpriteAnimation.h"
#include "platform/sprite/SpriteManager.h"
#include "platform/sprite/SpriteResourceFile.h"

namespace Corvale
{
namespace
{
constexpr i32 PORTRAIT_PART_SIZE = 128;
constexpr i32 ANIMATION_NAME_SIZE = 64;

bool PartValidCheck(i32 part)
{
   return part >= 0 && part < PORTRAIT_PART_COUNT;
}

// The loaded part file, or null (it is kept loaded by the portrait tables).
SpriteResourceFile* PartFileGet(i32 part)
{
   return PartValidCheck(part) ? SpriteManager::ResourceFileGet(portraitPartFolders[part]) : nullptr;
}

bool AnimationNameForm(char* buffer, i32 sprite, const char* animation)
{
   return animation && NultSnprintf(buffer, ANIMATION_NAME_SIZE, "%03d_%s", sprite, animation);
}

bool PartAnimationExistsCheck(i32 part, const char* animationName)
{
   SpriteResourceFile* file = PartFileGet(part);
   if (!file || !file->document || file->document->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      return false;
   }
   JSONValue* member = file->document->ItemFind(animationName);
   return member && member->TypeGet() != JSONValue::TYPE_NULL;
}

// A blink bound: a number truncated toward zero, a bool as 1 or 0, anything else 0; below 0 is 0.
u32 BlinkBoundGet(const char* key)
{
   const JSONValue* value = consts ? consts->ItemGet(key) : &JSONValue::nullValue;
   i32 bound = 0;
   if (value->TypeGet() == JSONValue::TYPE_NUMBER)
   {
      bound = DoubleToInt(value->DoubleValueGet());
   }
   else if (value->TypeGet() == JSONValue::TYPE_BOOL)
   {
      bound = value->BoolValueGet() ? 1 : 0;
   }
   return bound > 0 ? static_cast<u32>(bound) : 0u;
}

// A number truncated toward zero, a bool as 1 or 0, otherwise 0.
i32 IndexRead(const JSONValue* value)
{
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
} // namespace

Widget* PortraitWidgetCreate(const char* typeName, i32 heapId)
{
   (void)typeName;
   return MemoryNew<PortraitWidget>(heapId);
}

void WidgetPositionOffset(const Point2F& offset, Widget* widget)
{
   if (widget)
   {
      Point2F at = widget->position;
      widget->PositionSet(Point2F{at.x + offset.x, at.y + offset.y});
   }
}

void PortraitWidget::Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification)
{
   ContainerWidget::Init(widgetName, parentWidget, specification);
   PartsCreate();
}

void PortraitWidget::InitWithoutSpecification(const char* widgetName, Widget* parentWidget)
{
   ContainerWidget::InitWithoutSpecification(widgetName, parentWidget);
   PartsCreate();
}

void PortraitWidget::PartsCreate()
{
   for (i32 part = 0; part < PORTRAIT_PART_COUNT; ++part)
   {
      partSprites[part] = -1;
   }
   skinType = SKIN_TYPE_DEFAULT;
   gender = GENDER_DEFAULT;
   ChildrenCapacitySet(PORTRAIT_PART_COUNT);
   for (i32 part = 0; part < PORTRAIT_PART_COUNT; ++part)
   {
      SpriteWidget* child = MemoryNew<SpriteWidget>(HEAP_DEFAULT);
      if (!child)
      {
         WarningPrintf("PortraitWidget::Init -- unable to allocate the part \"%s\"\n",
                       portraitPartNames[part]);
         break;
      }
      child->InitWithoutSpecification(nullptr, this);
      child->ClipAreaSet(
          Box2F{0.0f, 0.0f, static_cast<float>(PORTRAIT_PART_SIZE), static_cast<float>(PORTRAIT_PART_SIZE)});
      child->BoundsSet(0, 0, PORTRAIT_PART_SIZE, PORTRAIT_PART_SIZE);
      child->PointTestPerPixelSet(true);
      ChildAddLast(child);
   }
   mouth = PartWidgetGet(PORTRAIT_PART_MOUTH);
   eyeRight = PartWidgetGet(PORTRAIT_PART_EYE_RIGHT);
   eyeLeft = PartWidgetGet(PORTRAIT_PART_EYE_LEFT);
   eyebrowRight = PartWidgetGet(PORTRAIT_PART_EYEBROW_RIGHT);
   eyebrowLeft = PartWidgetGet(PORTRAIT_PART_EYEBROW_LEFT);
   BlinkTimerReset();
}

void PortraitWidget::Deinit()
{
   // Out of the dialog manager first: it must never talk to a face being taken apart.
   if (dialogManager)
   {
      dialogManager->SpeakerRelease(this);
      dialogManager = nullptr;
   }
   for (i32 part = 0; part < PORTRAIT_PART_COUNT; ++part)
   {
      if (partSprites[part] != -1)
      {
         AnimationReferencesChange(part, partSprites[part], false);
         partSprites[part] = -1;
      }
   }
   DialogPortraitWidget::Deinit();
   mouth = eyeRight = eyeLeft = eyebrowRight = eyebrowLeft = nullptr;
}

void PortraitWidget::Update(u32 elapsed)
{
   DialogPortraitWidget::Update(elapsed);
   if (elapsed < blinkCountdown)
   {
      blinkCountdown -= elapsed;
      return;
   }
   PartAnimationSet(PORTRAIT_PART_EYE_LEFT, "Blink");
   PartRestQueue(PORTRAIT_PART_EYE_LEFT);
   PartAnimationSet(PORTRAIT_PART_EYE_RIGHT, "Blink");
   PartRestQueue(PORTRAIT_PART_EYE_RIGHT);
   BlinkTimerReset();
}

void PortraitWidget::BlinkTimerReset()
{
   u32 low = BlinkBoundGet("PortraitBlinkInvervalMin");
   u32 high = BlinkBoundGet("PortraitBlinkInvervalMax");
   if (high < low)
   {
      u32 swap = low;
      low = high;
      high = swap;
   }
   u64 draw = static_cast<u64>(RandomNumberGet()) * (high - low);
   blinkCountdown = low + static_cast<u32>(draw >> 16);
}

SpriteWidget* PortraitWidget::PartWidgetGet(i32 part)
{
   if (!PartValidCheck(part) || part >= children.count)
   {
      return nullptr;
   }
   return dynamic_cast<SpriteWidget*>(children[part]);
}

Point2F PortraitWidget::PartPositionGet(i32 part)
{
   Widget* child = PartValidCheck(part) && part < children.count ? children[part] : nullptr;
   return child ? child->position : Point2F();
}

i32 PortraitWidget::PartSpriteGet(i32 part) const
{
   return PartValidCheck(part) ? partSprites[part] : -1;
}

void PortraitWidget::AnimationReferencesChange(i32 part, i32 sprite, bool take)
{
   SpriteResourceFile* file = PartFileGet(part);
   char prefix[ANIMATION_NAME_SIZE];
   if (!file || !file->document || file->document->TypeGet() != JSONValue::TYPE_OBJECT ||
       !NultSnprintf(prefix, sizeof(prefix), "%03d_", sprite))
   {
      return;
   }
   const size_t length = std::strlen(prefix);
   for (JSONValue::Iterator it = file->document->ItemsBegin(); it.ValidCheck(); it.Next())
   {
      const char* key = it.node->key;
      if (std::strncmp(key, prefix, length) != 0)
      {
         continue;
      }
      if (take)
      {
         SpriteManager::AnimationGet(portraitPartFolders[part], key);
      }
      else
      {
         SpriteManager::AnimationRelease(file->AnimationLoadedGet(key));
      }
   }
}

void PortraitWidget::PartSet(i32 part, i32 sprite)
{
   if (!PartValidCheck(part))
   {
      return;
   }
   if (sprite != -1 && (sprite < 1 || sprite > PortraitPartCountGet(part)))
   {
      sprite = PortraitPartOptionalCheck(part) ? -1 : PortraitDefaultSpriteGet(part, skinType, gender);
   }
   if (partSprites[part] != -1)
   {
      AnimationReferencesChange(part, partSprites[part], false);
   }
   partSprites[part] = sprite;
   SpriteWidget* child = PartWidgetGet(part);
   if (!child)
   {
      return;
   }
   if (sprite != -1)
   {
      AnimationReferencesChange(part, sprite, true);
      PartAnimationSet(part, "Rest");
   }
   else
   {
      child->AnimationClear();
   }
}

void PortraitWidget::PartClear(i32 part)
{
   if (!PartValidCheck(part))
   {
      return;
   }
   if (partSprites[part] != -1)
   {
      AnimationReferencesChange(part, partSprites[part], false);
   }
   partSprites[part] = -1;
   SpriteWidget* child = PartWidgetGet(part);
   if (child)
   {
      child->AnimationClear();
   }
}

void PortraitWidget::PartsClear()
{
   for (i32 part = 0; part < PORTRAIT_PART_COUNT; ++part)
   {
      PartClear(part);
   }
}

void PortraitWidget::PartsSet(const Point2F* positions, const i32* sprites, i32 skin, i32 genderNew)
{
   skinType = skin;
   gender = genderNew;
   for (i32 part = 0; part < PORTRAIT_PART_COUNT; ++part)
   {
      PartSet(part, sprites[part]);
      Widget* child = part < children.count ? children[part] : nullptr;
      if (child)
      {
         child->PositionSet(positions[part]);
      }
   }
}

void PortraitWidget::DefaultPartsSet()
{
   skinType = SKIN_TYPE_DEFAULT;
   gender = GENDER_DEFAULT;
   for (i32 part = 0; part < PORTRAIT_PART_COUNT; ++part)
   {
      Widget* child = part < children.count ? children[part] : nullptr;
      if (child)
      {
         child->PositionSet(Point2F());
      }
      PartSet(part, PortraitPartOptionalCheck(part) ? -1 : PortraitDefaultSpriteGet(part, skinType, gender));
   }
}

void PortraitWidget::DescriptionLoad(const JSONValue* description)
{
   if (!description || description->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      DefaultPartsSet();
      return;
   }
   i32 skin = PortraitSkinTypeFromName(description->ItemGet("SkinType")->StringValueGet());
   skinType = skin >= 0 && skin < SKIN_TYPE_COUNT ? skin : SKIN_TYPE_DEFAULT;
   i32 genderRead = PortraitGenderFromName(description->ItemGet("Gender")->StringValueGet());
   gender = genderRead >= 0 && genderRead < GENDER_COUNT ? genderRead : GENDER_DEFAULT;
   const JSONValue* parts = description->ItemGet("Parts");
   for (i32 part = 0; part < PORTRAIT_PART_COUNT; ++part)
   {
      i32 sprite = PortraitPartOptionalCheck(part) ? -1 : PortraitDefaultSpriteGet(part, skinType, gender);
      Point2F at;
      const JSONValue* entry = parts->TypeGet() == JSONValue::TYPE_OBJECT
                                   ? parts->ItemGet(portraitPartNames[part])
                                   : &JSONValue::nullValue;
      if (entry->TypeGet() == JSONValue::TYPE_OBJECT)
      {
         Point2F read;
         if (entry->ItemPoint2FCheck("Position") &&
             Point2FFromString(entry->ItemGet("Position")->StringValueGet(), &read))
         {
            at = read;
         }
         const JSONValue* id = entry->ItemGet("ID");
         if (id->TypeGet() == JSONValue::TYPE_NUMBER)
         {
            sprite = DoubleToInt(id->DoubleValueGet());
         }
      }
      PartSet(part, sprite);
      Widget* child = part < children.count ? children[part] : nullptr;
      if (child)
      {
         child->PositionSet(at);
      }
   }
}

void PortraitWidget::ProfilePortraitIndexSet(const char* profileName, i32 index)
{
   const JSONValue* entry = ProfileEntryGet(profileName);
   const JSONValue* faces = entry && entry->TypeGet() == JSONValue::TYPE_OBJECT ? entry->ItemGet("Portraits")
                                                                                : &JSONValue::nullValue;
   if (faces->TypeGet() == JSONValue::TYPE_ARRAY && index >= 0 && index < faces->CountGet() &&
       faces->ElementGet(index)->TypeGet() == JSONValue::TYPE_OBJECT)
   {
      DescriptionLoad(faces->ElementGet(index));
      return;
   }
   DefaultPartsSet();
}

void PortraitWidget::ProfilePortraitSet(const char* profileName)
{
   const JSONValue* entry = ProfileEntryGet(profileName);
   if (!entry || entry->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      DefaultPartsSet();
      return;
   }
   ProfilePortraitIndexSet(profileName, IndexRead(entry->ItemGet("PortraitIndex")));
}

void PortraitWidget::PartAnimationSet(i32 part, const char* animation)
{
   SpriteWidget* child = PartWidgetGet(part);
   char animationName[ANIMATION_NAME_SIZE];
   if (!child || !child->sprite || partSprites[part] == -1 ||
       !AnimationNameForm(animationName, partSprites[part], animation) ||
       !PartAnimationExistsCheck(part, animationName))
   {
      return;
   }
   child->AnimationSet(portraitPartFolders[part], animationName);
}

void PortraitWidget::PartRestQueue(i32 part)
{
   SpriteWidget* child = PartWidgetGet(part);
   char animationName[ANIMATION_NAME_SIZE];
   if (!child || !child->sprite || partSprites[part] == -1 ||
       !AnimationNameForm(animationName, partSprites[part], "Rest") ||
       !PartAnimationExistsCheck(part, animationName))
   {
      return;
   }
   child->sprite->AnimationAdd(portraitPartFolders[part], animationName);
}

void PortraitWidget::TalkStart()
{
   for (i32 part = 0; part < PORTRAIT_PART_COUNT; ++part)
   {
      PartAnimationSet(part, "Talk");
   }
}

void PortraitWidget::TalkStop()
{
   for (i32 part = 0; part < PORTRAIT_PART_COUNT; ++part)
   {
      SpriteWidget* child = PartWidgetGet(part);
      char talk[ANIMATION_NAME_SIZE];
      if (!child || !child->sprite || !child->sprite->animation || partSprites[part] == -1 ||
          !AnimationNameForm(talk, partSprites[part], "Talk"))
      {
         continue;
      }
      child->sprite->AnimationRemove(portraitPartFolders[part], talk);
      SpriteAnimation* current = child->sprite->animation;
      if (current->name && std::strcmp(current->name, talk) == 0 && current->resourceFile &&
          current->resourceFile->name &&
          std::strcmp(current->resourceFile->name, portraitPartFolders[part]) == 0)
      {
         PartAnimationSet(part, "Rest");
      }
   }
}
} // namespace Corvale
