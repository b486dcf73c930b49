// The face creator and its two helper popups: editing, options pages, random faces, saving with
// the save question, and the face select popup.
#include "app/FaceCreator.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "app/profile/PortraitWidget.h"
#include "app/profile/ProfileStore.h"
#include "core/JSONValue.h"
#include "core/Random.h"
#include "core/StringHelpers.h"
#include "gui/popup/MessageBoxPopup.h"
#include "gui/popup/PopupManager.h"
#include "gui/widgets/LayerWidget.h"
#include "gui/widgets/PressButtonWidget.h"
#include "gui/widgets/RadioButtonWidget.h"
#include "gui/widgets/SpriteWidget.h"

namespace Corvale
{
FaceCreator faceCreator;
CustomFaceAddUpdatePopup customFaceAddUpdatePopup;
FaceSelectPopup faceSelectPopup;

namespace
{
const char* const skinButtonNames[FACE_CREATOR_SKIN_BUTTON_COUNT] = {
    "skinVeryVeryFair", "skinVeryFair",      "skinFair",       "skinOlive", "skinTanned",
    "skinDarkBrown",    "skinVeryDarkBrown", "skinSunburnRed", "skinGreen", "skinZombieGreen"};
const char* const genderButtonNames[GENDER_COUNT] = {"GenderMale", "GenderFemale"};

struct Category
{
   const char* button;
   i32 part;
};

const Category categories[] = {{"Body", PORTRAIT_PART_BODY_FRONT},
                               {"Head", PORTRAIT_PART_HEAD_BASE},
                               {"Mouth", PORTRAIT_PART_MOUTH},
                               {"Nose", PORTRAIT_PART_NOSE},
                               {"Accessories", PORTRAIT_PART_ACCESSORY_FRONT},
                               {"Eyes", PORTRAIT_PART_EYE_RIGHT},
                               {"Hair", PORTRAIT_PART_HAIR_BACK},
                               {"Eyebrows", PORTRAIT_PART_EYEBROW_RIGHT},
                               {"FacialHair", PORTRAIT_PART_FACIAL_HAIR}};

// How a change of the selected part reaches its partner.
enum PartnerRule : i32
{
   PARTNER_NEVER = 0,
   PARTNER_ALWAYS = 1,
   PARTNER_WHEN_LINKED = 2
};

struct Partner
{
   i32 part;
   i32 choose;
   i32 move;
};

// The other half of a pair; -1 for parts that stand alone.
Partner PartnerGet(i32 part)
{
   switch (part)
   {
   case PORTRAIT_PART_BODY_FRONT:
      return {PORTRAIT_PART_BODY_BACK, PARTNER_ALWAYS, PARTNER_ALWAYS};
   case PORTRAIT_PART_BODY_BACK:
      return {PORTRAIT_PART_BODY_FRONT, PARTNER_ALWAYS, PARTNER_ALWAYS};
   case PORTRAIT_PART_HAIR_BACK:
      return {PORTRAIT_PART_HAIR_FRONT, PARTNER_ALWAYS, PARTNER_ALWAYS};
   case PORTRAIT_PART_HAIR_FRONT:
      return {PORTRAIT_PART_HAIR_BACK, PARTNER_ALWAYS, PARTNER_ALWAYS};
   case PORTRAIT_PART_ACCESSORY_FRONT:
      return {PORTRAIT_PART_ACCESSORY_BACK, PARTNER_NEVER, PARTNER_ALWAYS};
   case PORTRAIT_PART_ACCESSORY_BACK:
      return {PORTRAIT_PART_ACCESSORY_FRONT, PARTNER_NEVER, PARTNER_ALWAYS};
   case PORTRAIT_PART_EYE_RIGHT:
      return {PORTRAIT_PART_EYE_LEFT, PARTNER_WHEN_LINKED, PARTNER_WHEN_LINKED};
   case PORTRAIT_PART_EYE_LEFT:
      return {PORTRAIT_PART_EYE_RIGHT, PARTNER_WHEN_LINKED, PARTNER_WHEN_LINKED};
   case PORTRAIT_PART_EYEBROW_RIGHT:
      return {PORTRAIT_PART_EYEBROW_LEFT, PARTNER_WHEN_LINKED, PARTNER_WHEN_LINKED};
   case PORTRAIT_PART_EYEBROW_LEFT:
      return {PORTRAIT_PART_EYEBROW_RIGHT, PARTNER_WHEN_LINKED, PARTNER_WHEN_LINKED};
   default:
      return {-1, PARTNER_NEVER, PARTNER_NEVER};
   }
}

bool RuleApplies(i32 rule, bool linked)
{
   return rule == PARTNER_ALWAYS || (rule == PARTNER_WHEN_LINKED && linked);
}

bool CloseUpCheck(i32 part)
{
   return part == PORTRAIT_PART_EYE_RIGHT || part == PORTRAIT_PART_EYE_LEFT || part == PORTRAIT_PART_NOSE ||
          part == PORTRAIT_PART_MOUTH || part == PORTRAIT_PART_EYEBROW_RIGHT ||
          part == PORTRAIT_PART_EYEBROW_LEFT;
}

JSONValue* ProfileEntryObjectGet()
{
   JSONValue* entry = ProfileEntryGet(profileCurrentName);
   return entry && entry->TypeGet() == JSONValue::TYPE_OBJECT ? entry : nullptr;
}

// The current profile's faces, or null when it has no "Portraits" array.
JSONValue* FacesGet()
{
   JSONValue* entry = ProfileEntryObjectGet();
   JSONValue* faces = entry ? entry->ItemFind("Portraits") : nullptr;
   return faces && faces->TypeGet() == JSONValue::TYPE_ARRAY ? faces : nullptr;
}

// A number truncated toward zero, a bool as 1 or 0, anything else (or nothing) 0.
i32 IndexRead(const JSONValue* value)
{
   if (!value)
   {
      return 0;
   }
   if (value->TypeGet() == JSONValue::TYPE_NUMBER)
   {
      return DoubleToInt(value->DoubleValueGet());
   }
   return value->TypeGet() == JSONValue::TYPE_BOOL && value->BoolValueGet() ? 1 : 0;
}

float ProbabilityRead(const char* key)
{
   const JSONValue* value = consts ? consts->ItemGet(key) : &JSONValue::nullValue;
   if (value->TypeGet() == JSONValue::TYPE_NUMBER)
   {
      return value->FloatValueGet();
   }
   return value->TypeGet() == JSONValue::TYPE_BOOL && value->BoolValueGet() ? 1.0f : 0.0f;
}

// The nearest integer to a uniform draw in [-deviation, deviation].
float DeviationDraw(float deviation)
{
   return std::floor(RandomFloatGet(0.0f, deviation) + 0.5f);
}

// "%.10g|%.10g" whatever the numeric locale, so that the file reads back everywhere.
void PositionFormat(char* buffer, u32 size, const Point2F& at)
{
   NultSnprintf(buffer, size, "%.10g|%.10g", static_cast<double>(at.x), static_cast<double>(at.y));
   const lconv* conventions = std::localeconv();
   const char point = conventions && conventions->decimal_point ? conventions->decimal_point[0] : '.';
   if (point != '.' && point != '|')
   {
      for (char* c = buffer; *c; ++c)
      {
         *c = *c == point ? '.' : *c;
      }
   }
}

template <class T> T* Find(Widget* layer, const char* path)
{
   ContainerWidget* container = dynamic_cast<ContainerWidget*>(layer);
   return container ? dynamic_cast<T*>(container->DescendantGetByPath(path)) : nullptr;
}

void ClickWire(Widget* layer, const char* path, PressButtonCallback function, void* userData)
{
   PressButtonWidget* button = Find<PressButtonWidget>(layer, path);
   if (button)
   {
      button->onClick = function;
      button->onClickUserData = userData;
   }
}

void ButtonEnable(Widget* button, bool on)
{
   if (button)
   {
      button->EnabledSet(on);
   }
}

void RadioSet(RadioButtonWidget* button, bool on)
{
   if (button && button->OnGet() != on)
   {
      button->OnSet(on);
   }
}

// Moves a selection marker onto a button, where the button is on screen now.
void SelectionPlace(Widget* sprite, Widget* button)
{
   if (!sprite)
   {
      return;
   }
   if (!button)
   {
      sprite->VisibleSet(false);
      return;
   }
   Point2F at = button->PositionAbsoluteGet();
   sprite->PositionAbsoluteSet(at.x, at.y);
   sprite->VisibleSet(true);
}

// The widget positions and sprites of a portrait's parts.
void FaceRead(PortraitWidget* face, Point2F* positions, i32* sprites)
{
   for (i32 part = 0; part < PORTRAIT_PART_COUNT; ++part)
   {
      positions[part] = face ? face->PartPositionGet(part) : Point2F();
      sprites[part] = face ? face->PartSpriteGet(part) : -1;
   }
}

void PartPositionSet(PortraitWidget* face, i32 part, const Point2F& at)
{
   Widget* child = face ? face->PartWidgetGet(part) : nullptr;
   if (child)
   {
      child->PositionSet(at);
   }
}

void MessageBoxYes(MessageBoxPopup* box, PressButtonWidget* button, void* userData)
{
   (void)box;
   (void)button;
   (void)userData;
   PopupManager::Open(&customFaceAddUpdatePopup);
}

void MessageBoxNo(MessageBoxPopup* box, PressButtonWidget* button, void* userData)
{
   (void)box;
   (void)button;
   static_cast<FaceCreator*>(userData)->ContinuationRun();
}
} // namespace

// ----- Face creator: the popup protocol

void FaceCreator::Open()
{
   NultStrncpy(layerName, "FaceCreator", sizeof(layerName));
   hasLayer = 1;
   Popup::Open();
   currentFace = -1;
   selectedPart = PORTRAIT_PART_BODY_FRONT;
   JSONValue* entry = ProfileEntryObjectGet();
   if (entry)
   {
      currentFace = IndexRead(entry->ItemFind("PortraitIndex"));
   }
   if (portrait)
   {
      portrait->ProfilePortraitIndexSet(profileCurrentName, currentFace);
   }
   if (entry)
   {
      entry->ItemNumberSet("PortraitIndex", currentFace);
   }
   ReferenceFaceRecord();
   OptionsRefresh();
   SelectionRefresh();
   ControlsRefresh();
   if (entry)
   {
      entry->ItemBoolSet("FaceCreatorSeen", true);
   }
}

void FaceCreator::LayerInit(LayerWidget* pushedLayer)
{
   if (!pushedLayer)
   {
      return;
   }
   for (i32 slot = 0; slot < FACE_CREATOR_PAGE_SIZE; ++slot)
   {
      char path[64];
      NultSnprintf(path, sizeof(path), "PartOption%d.Button", slot);
      optionButtons[slot] = Find<PressButtonWidget>(pushedLayer, path);
      if (optionButtons[slot])
      {
         optionButtons[slot]->onClick = [](PressButtonWidget* button, void* user)
         {
            FaceCreator* self = static_cast<FaceCreator*>(user);
            for (i32 i = 0; i < FACE_CREATOR_PAGE_SIZE; ++i)
            {
               if (self->optionButtons[i] == button)
               {
                  self->OptionChoose(i);
               }
            }
         };
         optionButtons[slot]->onClickUserData = this;
      }
      NultSnprintf(path, sizeof(path), "PartOption%d.Portrait", slot);
      optionPortraits[slot] = Find<PortraitWidget>(pushedLayer, path);
   }
   selectionSprite = Find<Widget>(pushedLayer, "PartOptionSelectionSprite");
   portrait = Find<PortraitWidget>(pushedLayer, "Portrait");
   if (portrait)
   {
      // The face being edited shows at twice the size of the part box.
      portrait->ScaleSet(2.0f, 2.0f);
   }

   ClickWire(
       pushedLayer, "Clear",
       [](PressButtonWidget*, void* user)
       {
          FaceCreator* self = static_cast<FaceCreator*>(user);
          self->PartClear(self->selectedPart);
       },
       this);
   ClickWire(
       pushedLayer, "Center",
       [](PressButtonWidget*, void* user) { static_cast<FaceCreator*>(user)->PartCenter(); }, this);
   ClickWire(
       pushedLayer, "randomButton",
       [](PressButtonWidget*, void* user) { static_cast<FaceCreator*>(user)->RandomRequest(); }, this);
   ClickWire(
       pushedLayer, "Exit",
       [](PressButtonWidget*, void* user) { static_cast<FaceCreator*>(user)->ExitRequest(); }, this);
   ClickWire(
       pushedLayer, "saveButton",
       [](PressButtonWidget*, void* user) { static_cast<FaceCreator*>(user)->SaveRequest(); }, this);
   ClickWire(
       pushedLayer, "loadButton",
       [](PressButtonWidget*, void* user) { static_cast<FaceCreator*>(user)->LoadRequest(); }, this);
   for (const Category& category : categories)
   {
      ClickWire(
          pushedLayer, category.button,
          [](PressButtonWidget* button, void* user)
          {
             for (const Category& c : categories)
             {
                if (button->name && std::strcmp(button->name, c.button) == 0)
                {
                   static_cast<FaceCreator*>(user)->CategorySelect(c.part);
                }
             }
          },
          this);
   }
   pagePrevious = Find<PressButtonWidget>(pushedLayer, "PagePrevious");
   pageNext = Find<PressButtonWidget>(pushedLayer, "PageNext");
   loadButton = Find<PressButtonWidget>(pushedLayer, "loadButton");
   ClickWire(
       pushedLayer, "PagePrevious",
       [](PressButtonWidget*, void* user)
       {
          FaceCreator* self = static_cast<FaceCreator*>(user);
          self->PageSet(self->page - 1);
          self->ControlsRefresh();
       },
       this);
   ClickWire(
       pushedLayer, "PageNext",
       [](PressButtonWidget*, void* user)
       {
          FaceCreator* self = static_cast<FaceCreator*>(user);
          self->PageSet(self->page + 1);
          self->ControlsRefresh();
       },
       this);
   struct Arrow
   {
      const char* name;
      PressButtonCallback move;
   };
   const Arrow arrows[] = {{"uArrow", [](PressButtonWidget*, void* user)
                            { static_cast<FaceCreator*>(user)->PartMove(0.0f, -1.0f); }},
                           {"dArrow", [](PressButtonWidget*, void* user)
                            { static_cast<FaceCreator*>(user)->PartMove(0.0f, 1.0f); }},
                           {"lArrow", [](PressButtonWidget*, void* user)
                            { static_cast<FaceCreator*>(user)->PartMove(-1.0f, 0.0f); }},
                           {"rArrow", [](PressButtonWidget*, void* user)
                            { static_cast<FaceCreator*>(user)->PartMove(1.0f, 0.0f); }}};
   for (const Arrow& arrow : arrows)
   {
      ClickWire(pushedLayer, arrow.name, arrow.move, this);
   }

   toggleBoth = Find<RadioButtonWidget>(pushedLayer, "toggleBoth");
   toggleLeft = Find<RadioButtonWidget>(pushedLayer, "toggleLeft");
   toggleRight = Find<RadioButtonWidget>(pushedLayer, "toggleRight");
   if (toggleBoth)
   {
      toggleBoth->onClick = [](u8, ToggleButtonWidget*, void* user)
      { static_cast<FaceCreator*>(user)->linked = true; };
      toggleBoth->onClickUserData = this;
   }
   RadioButtonWidget* sides[2] = {toggleLeft, toggleRight};
   for (i32 side = 0; side < 2; ++side)
   {
      if (!sides[side])
      {
         continue;
      }
      sides[side]->onClick = [](u8, ToggleButtonWidget* button, void* user)
      {
         FaceCreator* self = static_cast<FaceCreator*>(user);
         const bool left = button == self->toggleLeft;
         self->linked = false;
         if (self->selectedPart == PORTRAIT_PART_EYE_LEFT || self->selectedPart == PORTRAIT_PART_EYE_RIGHT)
         {
            self->selectedPart = left ? PORTRAIT_PART_EYE_LEFT : PORTRAIT_PART_EYE_RIGHT;
         }
         else if (self->selectedPart == PORTRAIT_PART_EYEBROW_LEFT ||
                  self->selectedPart == PORTRAIT_PART_EYEBROW_RIGHT)
         {
            self->selectedPart = left ? PORTRAIT_PART_EYEBROW_LEFT : PORTRAIT_PART_EYEBROW_RIGHT;
         }
      };
      sides[side]->onClickUserData = this;
   }
   for (i32 skin = 0; skin < FACE_CREATOR_SKIN_BUTTON_COUNT; ++skin)
   {
      skinButtons[skin] = Find<RadioButtonWidget>(pushedLayer, skinButtonNames[skin]);
      if (skinButtons[skin])
      {
         skinButtons[skin]->onClick = [](u8, ToggleButtonWidget* button, void* user)
         {
            FaceCreator* self = static_cast<FaceCreator*>(user);
            for (i32 i = 0; i < FACE_CREATOR_SKIN_BUTTON_COUNT; ++i)
            {
               if (self->skinButtons[i] == button)
               {
                  self->SkinSelect(i);
               }
            }
         };
         skinButtons[skin]->onClickUserData = this;
      }
   }
   for (i32 g = 0; g < GENDER_COUNT; ++g)
   {
      genderButtons[g] = Find<RadioButtonWidget>(pushedLayer, genderButtonNames[g]);
      if (genderButtons[g])
      {
         genderButtons[g]->onClick = [](u8, ToggleButtonWidget* button, void* user)
         {
            FaceCreator* self = static_cast<FaceCreator*>(user);
            self->GenderSelect(button == self->genderButtons[GENDER_FEMALE] ? GENDER_FEMALE : GENDER_MALE);
         };
         genderButtons[g]->onClickUserData = this;
      }
   }
}

void FaceCreator::Deinit()
{
   for (i32 slot = 0; slot < FACE_CREATOR_PAGE_SIZE; ++slot)
   {
      optionButtons[slot] = nullptr;
      optionPortraits[slot] = nullptr;
   }
   for (RadioButtonWidget*& button : skinButtons)
   {
      button = nullptr;
   }
   genderButtons[0] = genderButtons[1] = nullptr;
   selectionSprite = nullptr;
   portrait = nullptr;
   toggleBoth = toggleLeft = toggleRight = nullptr;
   pagePrevious = pageNext = loadButton = nullptr;
   continuation = FACE_CREATOR_CONTINUATION_NONE;
   if (onDeinit)
   {
      onDeinit(onDeinitUserData);
   }
   Popup::Deinit();
}

// ----- Editing

void FaceCreator::CategorySelect(i32 part)
{
   selectedPart = part;
   linked = part >= PORTRAIT_PART_EYE_LEFT && part <= PORTRAIT_PART_EYEBROW_LEFT;
   ControlsRefresh();
   PageSet(0);
}

void FaceCreator::OptionChoose(i32 slot)
{
   if (slot < 0 || slot >= FACE_CREATOR_PAGE_SIZE || !portrait)
   {
      return;
   }
   const i32 sprite = pageSprites[slot];
   if (sprite < 0 || sprite > PortraitPartCountGet(selectedPart))
   {
      return;
   }
   portrait->PartSet(selectedPart, sprite);
   const Partner partner = PartnerGet(selectedPart);
   if (partner.part >= 0 && RuleApplies(partner.choose, linked))
   {
      portrait->PartSet(partner.part, sprite);
   }
   SelectionRefresh();
}

void FaceCreator::PartClear(i32 part)
{
   if (!portrait)
   {
      return;
   }
   portrait->PartClear(part);
   const Partner partner = PartnerGet(part);
   if (partner.part >= 0 && RuleApplies(partner.choose, linked))
   {
      portrait->PartClear(partner.part);
   }
   SelectionRefresh();
}

void FaceCreator::PartCenter()
{
   PartPositionSet(portrait, selectedPart, Point2F());
   const Partner partner = PartnerGet(selectedPart);
   if (partner.part >= 0 && RuleApplies(partner.move, linked))
   {
      PartPositionSet(portrait, partner.part, Point2F());
   }
   OptionsRefresh();
}

void FaceCreator::PartMove(float dx, float dy)
{
   if (!portrait)
   {
      return;
   }
   WidgetPositionOffset(Point2F{dx, dy}, portrait->PartWidgetGet(selectedPart));
   const Partner partner = PartnerGet(selectedPart);
   if (partner.part >= 0 && RuleApplies(partner.move, linked))
   {
      WidgetPositionOffset(Point2F{dx, dy}, portrait->PartWidgetGet(partner.part));
   }
   OptionsRefresh();
}

void FaceCreator::SkinSelect(i32 skin)
{
   if (!portrait)
   {
      return;
   }
   const i32 parts[] = {PORTRAIT_PART_EYE_RIGHT, PORTRAIT_PART_EYE_LEFT, PORTRAIT_PART_MOUTH,
                        PORTRAIT_PART_HEAD_BASE, PORTRAIT_PART_NOSE,     PORTRAIT_PART_NECK};
   i32 mapped[6];
   for (i32 i = 0; i < 6; ++i)
   {
      mapped[i] = PortraitOptionMap(portrait->PartSpriteGet(parts[i]), parts[i], portrait->skinType,
                                    portrait->gender, skin, portrait->gender);
   }
   portrait->skinType = skin;
   for (i32 i = 0; i < 6; ++i)
   {
      portrait->PartSet(parts[i], mapped[i]);
   }
   PageSet(0);
}

void FaceCreator::GenderSelect(i32 genderNew)
{
   if (!portrait)
   {
      return;
   }
   const i32 genderOld = portrait->gender;
   portrait->gender = genderNew;
   for (i32 part = 0; part < PORTRAIT_PART_COUNT; ++part)
   {
      const i32 sprite = portrait->PartSpriteGet(part);
      if (PortraitSpriteUsableCheck(part, sprite, genderNew))
      {
         continue;
      }
      const i32 mapped =
          PortraitOptionMap(sprite, part, portrait->skinType, genderOld, portrait->skinType, genderNew);
      if (mapped == -1)
      {
         portrait->PartClear(part);
      }
      else
      {
         portrait->PartSet(part, mapped);
      }
   }
   PageSet(0);
}

void FaceCreator::RandomFaceMake()
{
   if (!portrait)
   {
      return;
   }
   const i32 skin = portrait->skinType;
   const i32 gender = portrait->gender;
   const i32 order[] = {PORTRAIT_PART_NECK,           PORTRAIT_PART_BODY_FRONT,    PORTRAIT_PART_HEAD_BASE,
                        PORTRAIT_PART_MOUTH,          PORTRAIT_PART_NOSE,          PORTRAIT_PART_FACIAL_HAIR,
                        PORTRAIT_PART_EYE_RIGHT,      PORTRAIT_PART_EYEBROW_RIGHT, PORTRAIT_PART_HAIR_FRONT,
                        PORTRAIT_PART_ACCESSORY_FRONT};
   Point2F deviation;
   if (consts && consts->ItemPoint2FCheck("FaceCreatorRandomEyePositionDeviation"))
   {
      Point2FFromString(consts->ItemGet("FaceCreatorRandomEyePositionDeviation")->StringValueGet(),
                        &deviation);
   }
   for (i32 part : order)
   {
      const i32 n = PortraitOptionCountGet(part, skin, gender);
      i32 sprite = n > 0 ? PortraitOptionSpriteGet(static_cast<i32>(RandomIntegerGet(static_cast<u32>(n))),
                                                   part, skin, gender)
                         : -1;
      const char* probabilityKey = nullptr;
      if (part == PORTRAIT_PART_ACCESSORY_FRONT)
      {
         probabilityKey = "FaceCreatorRandomAccessoryProbability";
      }
      else if (gender == GENDER_MALE && part == PORTRAIT_PART_HAIR_FRONT)
      {
         probabilityKey = "FaceCreatorRandomMaleHairProbability";
      }
      else if (gender == GENDER_MALE && part == PORTRAIT_PART_FACIAL_HAIR)
      {
         probabilityKey = "FaceCreatorRandomMaleFacialHairProbability";
      }
      if (probabilityKey)
      {
         const float q = 1.0f - ProbabilityRead(probabilityKey);
         if (q != 0.0f && RandomUnitFloatGet() < q)
         {
            sprite = 0;
         }
      }
      const i32 partner = PartnerGet(part).part;
      if (sprite == -1)
      {
         portrait->PartClear(part);
         PartPositionSet(portrait, part, Point2F());
         if (partner >= 0)
         {
            portrait->PartClear(partner);
            PartPositionSet(portrait, partner, Point2F());
         }
         continue;
      }
      portrait->PartSet(part, sprite);
      switch (part)
      {
      case PORTRAIT_PART_HAIR_FRONT:
      case PORTRAIT_PART_BODY_FRONT:
      case PORTRAIT_PART_ACCESSORY_FRONT:
         portrait->PartSet(partner, sprite);
         PartPositionSet(portrait, part, Point2F());
         PartPositionSet(portrait, partner, Point2F());
         break;
      case PORTRAIT_PART_EYE_RIGHT:
         portrait->PartSet(partner, sprite);
         break;
      case PORTRAIT_PART_EYEBROW_RIGHT:
      {
         portrait->PartSet(partner, sprite);
         const float x = DeviationDraw(deviation.x);
         const float y = DeviationDraw(deviation.y);
         PartPositionSet(portrait, PORTRAIT_PART_EYEBROW_RIGHT, Point2F{-x, y});
         PartPositionSet(portrait, PORTRAIT_PART_EYEBROW_LEFT, Point2F{x, y});
         PartPositionSet(portrait, PORTRAIT_PART_EYE_RIGHT, Point2F{-x, y});
         PartPositionSet(portrait, PORTRAIT_PART_EYE_LEFT, Point2F{x, y});
         break;
      }
      case PORTRAIT_PART_MOUTH:
      {
         const float x = DeviationDraw(deviation.x);
         const float y = DeviationDraw(deviation.y);
         PartPositionSet(portrait, part, Point2F{x, y});
         break;
      }
      default:
         PartPositionSet(portrait, part, Point2F());
         break;
      }
   }
   ReferenceFaceRecord();
   OptionsRefresh();
   SelectionRefresh();
}

// ----- Pages

i32 FaceCreator::PageCountGet()
{
   const i32 options =
       portrait ? PortraitOptionCountGet(selectedPart, portrait->skinType, portrait->gender) : 0;
   const i32 pages = options / FACE_CREATOR_PAGE_SIZE + (options % FACE_CREATOR_PAGE_SIZE ? 1 : 0);
   return pages > 1 ? pages : 1;
}

void FaceCreator::PageSet(i32 pageNew)
{
   const i32 pages = PageCountGet();
   page = pageNew < 0 ? 0 : pageNew > pages - 1 ? pages - 1 : pageNew;
   OptionsRefresh();
}

void FaceCreator::OptionsRefresh()
{
   for (i32& sprite : pageSprites)
   {
      sprite = -1;
   }
   const i32 skin = portrait ? portrait->skinType : SKIN_TYPE_DEFAULT;
   const i32 gender = portrait ? portrait->gender : GENDER_DEFAULT;
   const i32 count = PortraitOptionCountGet(selectedPart, skin, gender);
   for (i32 slot = 0; slot < FACE_CREATOR_PAGE_SIZE; ++slot)
   {
      const i32 option = page * FACE_CREATOR_PAGE_SIZE + slot;
      if (option < count)
      {
         pageSprites[slot] = PortraitOptionSpriteGet(option, selectedPart, skin, gender);
      }
   }
   Point2F positions[PORTRAIT_PART_COUNT];
   i32 sprites[PORTRAIT_PART_COUNT];
   FaceRead(portrait, positions, sprites);
   const i32 previewPartner = PartnerGet(selectedPart).part;
   const bool closeUp = CloseUpCheck(selectedPart);
   for (i32 slot = 0; slot < FACE_CREATOR_PAGE_SIZE; ++slot)
   {
      PortraitWidget* preview = optionPortraits[slot];
      ButtonEnable(optionButtons[slot], pageSprites[slot] != -1);
      if (!preview)
      {
         continue;
      }
      if (pageSprites[slot] == -1)
      {
         preview->PartsClear();
      }
      else
      {
         preview->PartsSet(positions, sprites, skin, gender);
         preview->PartSet(selectedPart, pageSprites[slot]);
         if (previewPartner >= 0)
         {
            preview->PartSet(previewPartner, pageSprites[slot]);
         }
      }
      preview->ScaleSet(closeUp ? 1.0f : 0.5f, closeUp ? 1.0f : 0.5f);
      preview->PositionSet(closeUp ? Point2F{-32.0f, -48.0f} : Point2F());
   }
   SelectionRefresh();
}

void FaceCreator::SelectionRefresh()
{
   if (selectionSprite)
   {
      selectionSprite->VisibleSet(false);
   }
   const i32 sprite = portrait ? portrait->PartSpriteGet(selectedPart) : -1;
   if (sprite == -1)
   {
      return;
   }
   for (i32 slot = 0; slot < FACE_CREATOR_PAGE_SIZE; ++slot)
   {
      if (pageSprites[slot] == sprite)
      {
         SelectionPlace(selectionSprite, optionButtons[slot]);
         return;
      }
   }
}

void FaceCreator::ControlsRefresh()
{
   const i32 skin = portrait ? portrait->skinType : -1;
   const i32 gender = portrait ? portrait->gender : -1;
   // All ten: a face of any skin shows its own swatch selected.
   for (i32 i = 0; i < FACE_CREATOR_SKIN_BUTTON_COUNT; ++i)
   {
      RadioSet(skinButtons[i], i == skin);
   }
   for (i32 g = 0; g < GENDER_COUNT; ++g)
   {
      RadioSet(genderButtons[g], g == gender);
   }
   RadioButtonWidget* toggles[3] = {toggleBoth, toggleLeft, toggleRight};
   const bool eyeOrBrow =
       selectedPart >= PORTRAIT_PART_EYE_LEFT && selectedPart <= PORTRAIT_PART_EYEBROW_LEFT;
   for (RadioButtonWidget* toggle : toggles)
   {
      if (toggle)
      {
         toggle->VisibleSet(eyeOrBrow);
      }
   }
   if (!eyeOrBrow || linked)
   {
      RadioSet(toggleBoth, true);
   }
   else if (selectedPart == PORTRAIT_PART_EYE_LEFT || selectedPart == PORTRAIT_PART_EYEBROW_LEFT)
   {
      RadioSet(toggleLeft, true);
   }
   else
   {
      RadioSet(toggleRight, true);
   }
   ButtonEnable(pagePrevious, page > 0);
   ButtonEnable(pageNext, page < PageCountGet() - 1);
   ButtonEnable(loadButton, FacesGet() != nullptr);
}

// ----- Saving

bool FaceCreator::FaceChangedCheck()
{
   if (!portrait)
   {
      return false;
   }
   if (portrait->skinType != referenceFace.skinType || portrait->gender != referenceFace.gender)
   {
      return true;
   }
   for (i32 part = 0; part < PORTRAIT_PART_COUNT; ++part)
   {
      const Point2F at = portrait->PartPositionGet(part);
      if (at.x != referenceFace.positions[part].x || at.y != referenceFace.positions[part].y ||
          portrait->PartSpriteGet(part) != referenceFace.sprites[part])
      {
         return true;
      }
   }
   return false;
}

void FaceCreator::ReferenceFaceRecord()
{
   referenceFace.skinType = portrait ? portrait->skinType : SKIN_TYPE_DEFAULT;
   referenceFace.gender = portrait ? portrait->gender : GENDER_DEFAULT;
   FaceRead(portrait, referenceFace.positions, referenceFace.sprites);
}

void FaceCreator::FaceSave(i32 index)
{
   JSONValue* entry = ProfileEntryObjectGet();
   if (!entry)
   {
      return;
   }
   JSONValue* faces = entry->ItemFind("Portraits");
   if (!faces || faces->TypeGet() != JSONValue::TYPE_ARRAY)
   {
      faces = entry->ItemArraySet("Portraits");
      if (!faces)
      {
         return;
      }
   }
   JSONValue* face = nullptr;
   if (index >= 0 && index < faces->CountGet())
   {
      face = faces->ElementGet(index);
      if (face->TypeGet() != JSONValue::TYPE_OBJECT)
      {
         return;
      }
      face->ObjectSet();
      face->ItemsClear();
   }
   else
   {
      // The newest face goes first: the array is rebuilt with it in front.
      JSONValue* rebuilt = JSONValue::New(faces->HeapGet());
      if (!rebuilt)
      {
         return;
      }
      rebuilt->ArraySet();
      face = rebuilt->ElementAdd();
      for (i32 i = 0; face && i < faces->CountGet(); ++i)
      {
         JSONValue* slot = rebuilt->ElementAdd();
         if (slot)
         {
            faces->ElementGet(i)->Clone(rebuilt->HeapGet(), slot);
         }
      }
      if (!face || !entry->ItemSet("Portraits", rebuilt))
      {
         MemoryDelete(rebuilt);
         return;
      }
      face->ObjectSet();
      index = 0;
   }
   const i32 skin = portrait ? portrait->skinType : SKIN_TYPE_DEFAULT;
   const i32 gender = portrait ? portrait->gender : GENDER_DEFAULT;
   face->ItemStringSet("SkinType", skin >= 0 && skin < SKIN_TYPE_COUNT ? skinTypeNames[skin] : "");
   face->ItemStringSet("Gender", gender >= 0 && gender < GENDER_COUNT ? genderNames[gender] : "");
   JSONValue* parts = face->ItemObjectSet("Parts");
   for (i32 part = 0; parts && part < PORTRAIT_PART_COUNT; ++part)
   {
      JSONValue* member = parts->ItemObjectSet(portraitPartNames[part]);
      if (!member)
      {
         continue;
      }
      member->ItemNumberSet("ID", portrait ? portrait->PartSpriteGet(part) : -1);
      char text[64];
      PositionFormat(text, sizeof(text), portrait ? portrait->PartPositionGet(part) : Point2F());
      member->ItemStringSet("Position", text);
   }
   currentFace = index;
   entry->ItemNumberSet("PortraitIndex", index);
   ProfileSave();
   SettingsSave();
   ReferenceFaceRecord();
}

void FaceCreator::AskSaveFaceShow()
{
   MessageBoxPopup* box = MessageBoxPopup::Show("AskSaveFace", "MessageBoxYesNoCancel");
   if (!box)
   {
      return;
   }
   box->onYes = &MessageBoxYes;
   box->onYesUserData = this;
   box->onNo = &MessageBoxNo;
   box->onNoUserData = this;
}

void FaceCreator::ContinuationRun()
{
   const i32 run = continuation;
   continuation = FACE_CREATOR_CONTINUATION_NONE;
   switch (run)
   {
   case FACE_CREATOR_CONTINUATION_CLOSE:
      Close(true);
      break;
   case FACE_CREATOR_CONTINUATION_RANDOM_FACE:
      RandomFaceMake();
      break;
   case FACE_CREATOR_CONTINUATION_FACE_SELECT:
      PopupManager::Open(&faceSelectPopup);
      break;
   default:
      break;
   }
}

void FaceCreator::ExitRequest()
{
   if (FaceChangedCheck())
   {
      continuation = FACE_CREATOR_CONTINUATION_CLOSE;
      AskSaveFaceShow();
      return;
   }
   Close(true);
}

void FaceCreator::SaveRequest()
{
   FaceSave(-1);
}

void FaceCreator::LoadRequest()
{
   if (!FacesGet())
   {
      return;
   }
   if (FaceChangedCheck())
   {
      continuation = FACE_CREATOR_CONTINUATION_FACE_SELECT;
      AskSaveFaceShow();
      return;
   }
   PopupManager::Open(&faceSelectPopup);
}

void FaceCreator::RandomRequest()
{
   if (FaceChangedCheck())
   {
      continuation = FACE_CREATOR_CONTINUATION_RANDOM_FACE;
      AskSaveFaceShow();
      return;
   }
   RandomFaceMake();
}

// ----- Add, update or cancel

void CustomFaceAddUpdatePopup::Open()
{
   NultStrncpy(layerName, "FaceCreatorAddUpdateCancel", sizeof(layerName));
   hasLayer = 1;
   Popup::Open();
}

void CustomFaceAddUpdatePopup::LayerInit(LayerWidget* pushedLayer)
{
   if (!pushedLayer)
   {
      return;
   }
   addButton = Find<PressButtonWidget>(pushedLayer, "Panel.Add");
   updateButton = Find<PressButtonWidget>(pushedLayer, "Panel.Update");
   cancelButton = Find<PressButtonWidget>(pushedLayer, "Panel.Cancel");
   portraitOld = Find<PortraitWidget>(pushedLayer, "Panel.PortraitOld");
   portraitNew = Find<PortraitWidget>(pushedLayer, "Panel.PortraitNew");
   ClickWire(
       pushedLayer, "Panel.Add",
       [](PressButtonWidget*, void* user) { static_cast<CustomFaceAddUpdatePopup*>(user)->AddChoose(); },
       this);
   ClickWire(
       pushedLayer, "Panel.Update",
       [](PressButtonWidget*, void* user) { static_cast<CustomFaceAddUpdatePopup*>(user)->UpdateChoose(); },
       this);
   ClickWire(
       pushedLayer, "Panel.Cancel",
       [](PressButtonWidget*, void* user) { static_cast<CustomFaceAddUpdatePopup*>(user)->CancelChoose(); },
       this);
   const FaceRecord& before = faceCreator.referenceFace;
   if (portraitOld)
   {
      portraitOld->PartsSet(before.positions, before.sprites, before.skinType, before.gender);
   }
   if (portraitNew && faceCreator.portrait)
   {
      FaceRecord now;
      FaceRead(faceCreator.portrait, now.positions, now.sprites);
      portraitNew->PartsSet(now.positions, now.sprites, faceCreator.portrait->skinType,
                            faceCreator.portrait->gender);
   }
}

void CustomFaceAddUpdatePopup::Deinit()
{
   addButton = updateButton = cancelButton = nullptr;
   portraitOld = portraitNew = nullptr;
   Popup::Deinit();
}

void CustomFaceAddUpdatePopup::AddChoose()
{
   faceCreator.FaceSave(-1);
   Close(true);
   faceCreator.ContinuationRun();
}

void CustomFaceAddUpdatePopup::UpdateChoose()
{
   faceCreator.FaceSave(faceCreator.currentFace);
   Close(true);
   faceCreator.ContinuationRun();
}

void CustomFaceAddUpdatePopup::CancelChoose()
{
   Close(true);
}

// ----- Face select

void FaceSelectPopup::Open()
{
   NultStrncpy(layerName, "FaceSelect", sizeof(layerName));
   hasLayer = 1;
   Popup::Open();
}

void FaceSelectPopup::LayerInit(LayerWidget* pushedLayer)
{
   if (!pushedLayer)
   {
      return;
   }
   const JSONValue* faces = FacesGet();
   const i32 count = faces ? faces->CountGet() : 0;
   pageCount = count / FACE_SELECT_PAGE_SIZE + (count % FACE_SELECT_PAGE_SIZE ? 1 : 0);
   ClickWire(
       pushedLayer, "Panel.Cancel",
       [](PressButtonWidget*, void* user) { static_cast<FaceSelectPopup*>(user)->CancelChoose(); }, this);
   ClickWire(
       pushedLayer, "Panel.Delete",
       [](PressButtonWidget*, void* user) { static_cast<FaceSelectPopup*>(user)->DeleteChoose(); }, this);
   ClickWire(
       pushedLayer, "Panel.Load",
       [](PressButtonWidget*, void* user) { static_cast<FaceSelectPopup*>(user)->LoadChoose(); }, this);
   ClickWire(
       pushedLayer, "Panel.PagePrevious",
       [](PressButtonWidget*, void* user) { static_cast<FaceSelectPopup*>(user)->PagePreviousChoose(); },
       this);
   ClickWire(
       pushedLayer, "Panel.PageNext",
       [](PressButtonWidget*, void* user) { static_cast<FaceSelectPopup*>(user)->PageNextChoose(); }, this);
   for (i32 slot = 0; slot < FACE_SELECT_PAGE_SIZE; ++slot)
   {
      char path[64];
      NultSnprintf(path, sizeof(path), "Panel.FaceOption%d.Button", slot);
      optionButtons[slot] = Find<PressButtonWidget>(pushedLayer, path);
      if (optionButtons[slot])
      {
         optionButtons[slot]->onClick = [](PressButtonWidget* button, void* user)
         {
            FaceSelectPopup* self = static_cast<FaceSelectPopup*>(user);
            for (i32 i = 0; i < FACE_SELECT_PAGE_SIZE; ++i)
            {
               if (self->optionButtons[i] == button)
               {
                  self->OptionChoose(i);
               }
            }
         };
         optionButtons[slot]->onClickUserData = this;
      }
      NultSnprintf(path, sizeof(path), "Panel.FaceOption%d.Portrait", slot);
      optionPortraits[slot] = Find<PortraitWidget>(pushedLayer, path);
   }
   selectionSprite = Find<Widget>(pushedLayer, "Panel.FaceOptionSelectionSprite");
   Refresh();
}

void FaceSelectPopup::Deinit()
{
   for (i32 slot = 0; slot < FACE_SELECT_PAGE_SIZE; ++slot)
   {
      optionButtons[slot] = nullptr;
      optionPortraits[slot] = nullptr;
   }
   selectionSprite = nullptr;
   Popup::Deinit();
}

void FaceSelectPopup::Refresh()
{
   JSONValue* faces = FacesGet();
   const i32 count = faces ? faces->CountGet() : 0;
   for (i32 slot = 0; slot < FACE_SELECT_PAGE_SIZE; ++slot)
   {
      const i32 face = page * FACE_SELECT_PAGE_SIZE + slot;
      PortraitWidget* preview = optionPortraits[slot];
      if (face < count)
      {
         if (preview)
         {
            preview->DescriptionLoad(faces->ElementGet(face));
            preview->ScaleSet(0.5f, 0.5f);
            preview->PositionSet(Point2F());
         }
         ButtonEnable(optionButtons[slot], true);
      }
      else
      {
         if (preview)
         {
            preview->PartsClear();
         }
         ButtonEnable(optionButtons[slot], false);
      }
   }
   const i32 slot = selectedFace - page * FACE_SELECT_PAGE_SIZE;
   if (selectedFace == -1 || slot < 0 || slot >= FACE_SELECT_PAGE_SIZE)
   {
      if (selectionSprite)
      {
         selectionSprite->VisibleSet(false);
      }
      return;
   }
   SelectionPlace(selectionSprite, optionButtons[slot]);
}

void FaceSelectPopup::OptionChoose(i32 slot)
{
   selectedFace = page * FACE_SELECT_PAGE_SIZE + slot;
   Refresh();
}

void FaceSelectPopup::PagePreviousChoose()
{
   if (page > 0)
   {
      --page;
   }
   Refresh();
}

void FaceSelectPopup::PageNextChoose()
{
   if (page < pageCount - 1)
   {
      ++page;
   }
   Refresh();
}

void FaceSelectPopup::LoadChoose()
{
   faceCreator.currentFace = selectedFace;
   if (faceCreator.portrait)
   {
      faceCreator.portrait->ProfilePortraitIndexSet(profileCurrentName, selectedFace);
   }
   JSONValue* entry = ProfileEntryObjectGet();
   if (entry)
   {
      entry->ItemNumberSet("PortraitIndex", selectedFace);
   }
   faceCreator.ReferenceFaceRecord();
   faceCreator.OptionsRefresh();
   faceCreator.SelectionRefresh();
   faceCreator.ControlsRefresh();
   Close(true);
}

void FaceSelectPopup::DeleteChoose()
{
   JSONValue* faces = FacesGet();
   if (!faces || faces->CountGet() <= 1)
   {
      MessageBoxPopup::Show("CanNotDeleteFace", "MessageBoxOK");
      return;
   }
   const i32 deleted = selectedFace;
   if (deleted < 0 || deleted >= faces->CountGet())
   {
      return;
   }
   faces->ElementRemove(deleted);
   // Numbers that pointed past the removed face follow it forward, and the face being edited, if
   // it was the one removed, is no longer saved anywhere: a later "Update" must not overwrite
   // whichever face took its place.
   JSONValue* entry = ProfileEntryObjectGet();
   JSONValue* shown = entry ? entry->ItemFind("PortraitIndex") : nullptr;
   if (shown && shown->TypeGet() == JSONValue::TYPE_NUMBER && IndexRead(shown) > deleted)
   {
      entry->ItemNumberSet("PortraitIndex", IndexRead(shown) - 1);
   }
   if (faceCreator.currentFace > deleted)
   {
      --faceCreator.currentFace;
   }
   else if (faceCreator.currentFace == deleted)
   {
      faceCreator.currentFace = -1;
   }
   if (selectedFace >= faces->CountGet())
   {
      selectedFace = faces->CountGet() - 1;
   }
   Refresh();
}

void FaceSelectPopup::CancelChoose()
{
   Close(true);
}
} // namespace Corvale
