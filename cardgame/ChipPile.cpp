// Chip piles: their specification with templates, the chips that show an amount, and where each
// chip rests.
#include "cardgame/ChipPile.h"

#include <cmath>
#include <cstring>

#include "app/profile/ProfileStore.h"
#include "cardgame/Chip.h"
#include "cardgame/ChipWidget.h"
#include "cardgame/Minigame.h"
#include "cardgame/TemplateInheritance.h"
#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/Random.h"
#include "core/SineTable.h"
#include "core/StringHelpers.h"
#include "gui/widgets/ContainerWidget.h"
#include "platform/sprite/SpriteManager.h"
#include "platform/sprite/SpriteResourceFile.h"

namespace Corvale
{
namespace
{
const TemplateInheritanceNames CHIP_TEMPLATE_NAMES = {"ChipPile::SpecificationInheritanceHelper", "chip pile",
                                                      "Chip pile"};

// The member as an owned copy of its text, or of fallback's when it is not a string.
char* TextCopyGet(const JSONValue* specification, const char* key, const JSONValue* fallback)
{
   const char* text = specification->ItemGet(key)->StringValueGet();
   if (!text && fallback)
   {
      text = fallback->StringValueGet();
   }
   return text ? StringDuplicate(text, HEAP_DEFAULT) : nullptr;
}

// A number as a float, true as 1; else the default.
float FloatMemberGet(const JSONValue* specification, const char* key, float defaultValue)
{
   const JSONValue* value = specification->ItemGet(key);
   if (value->TypeGet() == JSONValue::TYPE_NUMBER)
   {
      return value->FloatValueGet();
   }
   if (value->TypeGet() == JSONValue::TYPE_BOOL)
   {
      return value->BoolValueGet() ? 1.0f : 0.0f;
   }
   return defaultValue;
}

i32 IntMemberGet(const JSONValue* specification, const char* key, i32 defaultValue)
{
   const JSONValue* value = specification->ItemGet(key);
   return value->TypeGet() == JSONValue::TYPE_NUMBER ? value->IntValueGet() : defaultValue;
}

Point2F PointMemberGet(const JSONValue* specification, const char* key)
{
   Point2F point;
   const Point2F origin;
   specification->Point2FGet(&point, key, &origin, nullptr, nullptr, false);
   return point;
}

float FloatConstGet(const JSONValue* globalConsts, const char* key)
{
   const JSONValue* value = globalConsts ? globalConsts->ItemGet(key) : &JSONValue::nullValue;
   if (value->TypeGet() == JSONValue::TYPE_BOOL)
   {
      return value->BoolValueGet() ? 1.0f : 0.0f;
   }
   return value->TypeGet() == JSONValue::TYPE_NUMBER ? value->FloatValueGet() : 0.0f;
}
} // namespace

i32 ChipPileTypeFromName(const char* name)
{
   static const char* const NAMES[] = {"Pot", "Bet", "Bankroll"};
   for (i32 i = 0; name && i < 3; ++i)
   {
      if (std::strcmp(name, NAMES[i]) == 0)
      {
         return i;
      }
   }
   return -1;
}

ChipPile::~ChipPile()
{
   Deinit();
}

void ChipPile::ConstsLoad(const JSONValue* globalConsts)
{
   Chip::angularSpeed = FloatConstGet(globalConsts, "ChipAngularSpeed");
   Chip::linearSpeed = FloatConstGet(globalConsts, "ChipLinearSpeed");
   const float durationMax = FloatConstGet(globalConsts, "ChipLinearMoveDurationMax");
   Chip::linearMoveDurationMax = durationMax > 0.0f ? static_cast<u32>(durationMax) : 0;
}

void ChipPile::Init(Minigame* owner, const JSONValue* specification)
{
   Deinit();
   game = owner;
   if (!specification || specification->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      WarningPrintf("ChipPile::Init -- specifications must be a JSON object.\n");
      return;
   }
   JSONValue* resolved = nullptr;
   const char* inherited = specification->ItemGet("Inherited")->StringValueGet();
   if (inherited)
   {
      const JSONValue* gameTemplates = owner && owner->constants ? owner->constants->ItemGet("ChipPileTemplates")
                                                                 : nullptr;
      resolved = TemplateInheritanceResolve(specification, inherited, gameTemplates,
                                            consts ? consts->ItemGet("ChipPileTemplates") : nullptr,
                                            CHIP_TEMPLATE_NAMES, HEAP_TEMP);
      if (resolved)
      {
         specification = resolved;
      }
   }

   type = ChipPileTypeFromName(specification->ItemGet("Type")->StringValueGet());
   if (type < 0)
   {
      WarningPrintf("ChipPile::Init -- Chip pile type is unspecified or invalid.\n");
   }
   ownerID = IntMemberGet(specification, "OwnerID", -1);
   secondaryID = IntMemberGet(specification, "SecondaryID", -1);
   position = PointMemberGet(specification, "Position");
   chipStyle = TextCopyGet(specification, "ChipStyle", consts ? consts->ItemGet("ChipStyleDefault") : nullptr);
   chipSize = TextCopyGet(specification, "ChipSize", consts ? consts->ItemGet("ChipSizeDefault") : nullptr);
   chipRotation = FloatMemberGet(specification, "ChipRotation", 0.0f);
   chipRotationDeviation = FloatMemberGet(specification, "ChipRotationDeviation", 0.0f);
   chipPositionOffset = PointMemberGet(specification, "ChipPositionOffset");
   chipPositionOffsetRandomLengthMin = FloatMemberGet(specification, "ChipPositionOffsetRandomLengthMin", 0.0f);
   chipPositionOffsetRandomLengthMax = FloatMemberGet(specification, "ChipPositionOffsetRandomLengthMax", 0.0f);
   chipsSpanLengthMax = FloatMemberGet(specification, "ChipsSpanLengthMax", -1.0f);
   chipCountMax = IntMemberGet(specification, "ChipCountMax", -1);
   if (resolved)
   {
      MemoryDelete(resolved);
   }
   SpriteResourceLoad();
}

void ChipPile::Deinit()
{
   chips = Table<Chip*>();
   SpriteResourceRelease();
   MemoryFree(chipSize);
   chipSize = nullptr;
   MemoryFree(chipStyle);
   chipStyle = nullptr;
}

void ChipPile::SpriteResourceRelease()
{
   if (spritePath[0])
   {
      SpriteManager::UndoPreload(spritePath);
      spritePath[0] = '\0';
   }
}

void ChipPile::SpriteResourceLoad()
{
   SpriteResourceRelease();
   if (!game || !chipStyle || !chipSize ||
       !NultSnprintf(spritePath, sizeof(spritePath), "Sprites/Chips/%s/%s", chipStyle, chipSize))
   {
      spritePath[0] = '\0';
      return;
   }
   SpriteResourceFile* file = SpriteManager::ResourceFileLoad(spritePath);
   if (!file)
   {
      spritePath[0] = '\0';
      return;
   }
   file->Preload();
}

Chip* ChipPile::ChipAdd(i32 denominationValue)
{
   if (!game)
   {
      return nullptr;
   }
   if (chipCountMax != -1 && chips.count >= chipCountMax && chips.count > 0)
   {
      Chip* bottom = chips[0];
      chips.Remove(bottom);
      bottom->pile = nullptr;
      game->ChipRelease(bottom);
   }
   Chip* chip = game->ChipCreate(denominationValue);
   if (!chip || !chips.Insert(chip, chips.count))
   {
      return nullptr;
   }
   chip->pile = this;
   OnChipAdd(chip);
   ChipsPositionUpdate(false);
   game->chipsReparentPending = true;
   chip->AnimationsFinish();
   game->ChipMoveSoundPlay();
   return chip;
}

void ChipPile::OnChipAdd(Chip* chip)
{
   value += chip->denomination;
   const float u1 = static_cast<float>(RandomNumberGet()) / 65535.0f;
   chip->RotationSet((chipRotation - chipRotationDeviation) + u1 * 2.0f * chipRotationDeviation);
   const float angle = RandomUnitFloatGet() * 360.0f;
   const float length = chipPositionOffsetRandomLengthMin +
                        RandomUnitFloatGet() * (chipPositionOffsetRandomLengthMax - chipPositionOffsetRandomLengthMin);
   chip->randomOffset = Point2F{SineTable::CosineGet(angle) * length, SineTable::SineGet(angle) * length};
   chip->SpriteUpdate();
}

void ChipPile::ValueAdd(i32 amount)
{
   if (!chipStyle || !consts)
   {
      return;
   }
   const JSONValue* style = consts->ItemGet("ChipStyles")->ItemGet(chipStyle);
   const JSONValue* denominations = style->ItemGet("Denominations");
   if (denominations->TypeGet() != JSONValue::TYPE_ARRAY)
   {
      return;
   }
   for (i32 i = denominations->CountGet() - 1; i >= 0; --i)
   {
      const i32 d = denominations->ElementGet(i)->IntValueGet();
      while (d > 0 && d <= amount)
      {
         if (!ChipAdd(d))
         {
            return;
         }
         amount -= d;
      }
   }
}

void ChipPile::Clear()
{
   if (!game)
   {
      return;
   }
   for (i32 i = chips.count - 1; i >= 0; --i)
   {
      Chip* chip = chips[i];
      chip->pile = nullptr;
      game->ChipRelease(chip);
   }
   chips.count = 0;
   value = 0;
}

Point2F ChipPile::ChipPositionGet(i32 index) const
{
   if (index < 0 || index >= chips.count || !chips[index])
   {
      return position;
   }
   Point2F d{index * chipPositionOffset.x, index * chipPositionOffset.y};
   const float length = std::sqrt(chipPositionOffset.x * chipPositionOffset.x +
                                  chipPositionOffset.y * chipPositionOffset.y);
   if (chipsSpanLengthMax != -1.0f && length != 0.0f)
   {
      const float span = static_cast<float>(chips.count - 1) * length;
      if (span > chipsSpanLengthMax)
      {
         // d lies along the offset, so scaling its component there scales d.
         const float scale = chipsSpanLengthMax / span;
         d.x *= scale;
         d.y *= scale;
      }
   }
   const Chip* chip = chips[index];
   return Point2F{position.x + d.x + chip->randomOffset.x, position.y + d.y + chip->randomOffset.y};
}

void ChipPile::ChipsPositionUpdate(bool animate)
{
   for (i32 i = 0; i < chips.count; ++i)
   {
      if (chips[i])
      {
         chips[i]->PositionSet(ChipPositionGet(i), animate);
      }
   }
}
} // namespace Corvale
