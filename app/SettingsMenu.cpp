// The settings menu's pages: each control stores its value in the current profile and applies it
// at once; the files are written when the menu closes after a change.
#include "app/SettingsMenu.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "app/RootMenu.h"
#include "app/profile/ProfileStore.h"
#include "app/profile/SettingsApply.h"
#include "app/profile/Unlockables.h"
#include "cardgame/CardGame.h"
#include "cardgame/Minigame.h"
#include "core/Event.h"
#include "core/JSONValue.h"
#include "core/Memory.h"
#include "core/StringHelpers.h"
#include "gui/popup/MessageBoxPopup.h"
#include "gui/state/GameStateManager.h"
#include "gui/widgets/LabelWidget.h"
#include "gui/widgets/LayerWidget.h"
#include "gui/widgets/PressButtonWidget.h"
#include "gui/widgets/RadioButtonWidget.h"
#include "gui/widgets/SliderWidget.h"
#include "gui/widgets/SpriteWidget.h"
#include "gui/widgets/TableWidget.h"
#include "platform/window/Screen.h"

namespace Corvale
{
SettingsMenu settingsMenu;
ScreenCommon* settingsMenuScreen = &screen;

namespace
{
constexpr const char* ENVIRONMENT = "Panel.Submenus.Environment.";
constexpr const char* SONGS = "Panel.Submenus.Environment.Songs";
constexpr const char* BACKGROUNDS = "Panel.Submenus.Backgrounds.Backgrounds";
constexpr const char* THUMBNAIL = "Panel.Submenus.Backgrounds.Thumbnail";
constexpr const char* FRONT_STYLES = "Panel.Submenus.Cards.CardFrontStyles";
constexpr const char* BACK_STYLES = "Panel.Submenus.Cards.CardBackStyles";
constexpr const char* GAME_SETTINGS = "Panel.Submenus.Game.Settings";
constexpr const char* BACKGROUND_RANDOM = "<Random>";
constexpr u32 CHOICE_TEXT_KEY_SIZE = 256;
constexpr u32 CARD_SPRITES_PATH_SIZE = 260;

const JSONValue* ConstGet(const char* key)
{
   return consts ? consts->ItemGet(key) : &JSONValue::nullValue;
}

// A bool true or a number other than 0.
bool ConstFlagCheck(const char* key)
{
   const JSONValue* value = ConstGet(key);
   return value->TypeGet() == JSONValue::TYPE_NUMBER ? value->FloatValueGet() != 0.0f : value->BoolValueGet();
}

bool StringsEqualCheck(const char* a, const char* b)
{
   return a && b && std::strcmp(a, b) == 0;
}

bool ProfileObjectCheck()
{
   return profileCurrent && profileCurrent->TypeGet() == JSONValue::TYPE_OBJECT;
}

Minigame* MinigameCurrentGet()
{
   return dynamic_cast<Minigame*>(GameStateManager::current);
}

// A list the player chooses one entry of, and where the choice is kept.
struct ChoiceList
{
   const char* list;
   const char* unlockableFlag;
   const char* unlockedList;
   const char* defaultKey;
   const char* itemType;
   const char* profileKey;
};

const ChoiceList SONG_CHOICES = {"Songs", "SongsUnlockable", "SongsUnlocked", "SongDefault", "Song", "Song"};
const ChoiceList BACKGROUND_CHOICES = {"MinigameBackgrounds",
                                       "MinigameBackgroundsUnlockable",
                                       "MinigameBackgroundsUnlocked",
                                       "MinigameBackgroundDefault",
                                       "Background",
                                       "MinigameBackground"};
const ChoiceList FRONT_STYLE_CHOICES = {"CardFrontStyles",         "CardFrontStylesUnlockable",
                                        "CardFrontStylesUnlocked", "CardFrontStyleDefault",
                                        "CardFrontStyle",          "CardFrontStyle"};
const ChoiceList BACK_STYLE_CHOICES = {"CardBackStyles",         "CardBackStylesUnlockable",
                                       "CardBackStylesUnlocked", "CardBackStyleDefault",
                                       "CardBackStyle",          "CardBackStyle"};

// Adds a row showing the text of the key and holding the name; false when the row is not to be had.
bool ChoiceRowAdd(TableWidget* table, const char* textKey, const char* name)
{
   if (!table->RowAdd())
   {
      return false;
   }
   const i32 row = table->RowCountGet() - 1;
   LabelWidget* shown = dynamic_cast<LabelWidget*>(table->CellGet(row, 0));
   LabelWidget* held = dynamic_cast<LabelWidget*>(table->CellGet(row, 1));
   if (shown)
   {
      shown->TextKeySet(textKey);
   }
   if (held)
   {
      held->TextSet(name);
   }
   return true;
}

// Lists the eligible choices (the "<Random>" row first when asked), selects the current one and
// sorts by the shown text.
void ChoiceTableFill(TableWidget* table, const ChoiceList& choices, bool randomRow)
{
   const char* current =
       ProfileObjectCheck() ? profileCurrent->ItemGet(choices.profileKey)->StringValueGet() : nullptr;
   if (!current)
   {
      current = ConstGet(choices.defaultKey)->StringValueGet();
   }
   const JSONValue* list = ConstGet(choices.list);
   const bool unlockable = ConstFlagCheck(choices.unlockableFlag);
   const JSONValue* unlocked = ConstGet(choices.unlockedList);
   if (!table || list->TypeGet() != JSONValue::TYPE_ARRAY ||
       (unlockable && unlocked->TypeGet() != JSONValue::TYPE_ARRAY))
   {
      return;
   }
   table->SelectionClear();
   while (table->RowCountGet() > 0)
   {
      table->RowRemoveAt(table->RowCountGet() - 1);
   }
   i32 remembered = -1;
   if (randomRow && ChoiceRowAdd(table, "BackgroundRandom", BACKGROUND_RANDOM) &&
       StringsEqualCheck(current, BACKGROUND_RANDOM))
   {
      remembered = table->RowCountGet() - 1;
   }
   for (i32 i = 0; i < list->CountGet(); ++i)
   {
      const char* name = list->ElementGet(i)->StringValueGet();
      if (!name ||
          (unlockable && unlocked->ElementStringFind(name) < 0 && !ItemUnlockedCheck(choices.itemType, name)))
      {
         continue;
      }
      char textKey[CHOICE_TEXT_KEY_SIZE];
      if (!NultSnprintf(textKey, sizeof(textKey), "%s%s", choices.itemType, name))
      {
         continue;
      }
      if (ChoiceRowAdd(table, textKey, name) && StringsEqualCheck(name, current))
      {
         remembered = table->RowCountGet() - 1;
      }
   }
   if (remembered >= 0)
   {
      table->SelectionSetByIndex(remembered, false);
   }
   table->Sort(0, true);
   // The random choice heads the list whatever its name sorts as.
   ContainerWidget* rows = randomRow ? table->RowsContainerGet() : nullptr;
   for (i32 i = 0; rows && i < table->RowCountGet(); ++i)
   {
      LabelWidget* held = dynamic_cast<LabelWidget*>(table->CellGet(i, 1));
      TableRowWidget* row = table->RowGet(i);
      if (i > 0 && held && StringsEqualCheck(held->TextGet(), BACKGROUND_RANDOM) && rows->ChildDetach(row))
      {
         rows->ChildAddFirst(row);
         table->RowsLayout();
         break;
      }
   }
}

// The options of a game that the page knows: objects with a string "Type" and "Name".
bool OptionReadCheck(const JSONValue* option, const char** type, const char** name)
{
   if (option->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      return false;
   }
   *type = option->ItemGet("Type")->StringValueGet();
   *name = option->ItemGet("Name")->StringValueGet();
   return *type && *name;
}

// The selected button of a radio group's "RadioButtons"; null for none.
RadioButtonWidget* RadioSelectedGet(ContainerWidget* option)
{
   ContainerWidget* buttons =
       option ? dynamic_cast<ContainerWidget*>(option->ChildGetByName("RadioButtons")) : nullptr;
   for (i32 i = 0; buttons && i < buttons->ChildCountGet(); ++i)
   {
      RadioButtonWidget* button = dynamic_cast<RadioButtonWidget*>(buttons->ChildGetAt(i));
      if (button && button->OnGet())
      {
         return button;
      }
   }
   return nullptr;
}

template <class T>
T* WidgetFromTemplateCreate(const char* name, ContainerWidget* parent, const JSONValue* specification)
{
   T* widget = MemoryNew<T>(HEAP_DEFAULT);
   if (!widget)
   {
      WarningPrintf("SettingsMenu::GamePageInit -- unable to allocate the widget of \"%s\"\n",
                    name ? name : "");
      return nullptr;
   }
   widget->Init(name, parent, specification);
   parent->ChildAddLast(widget);
   return widget;
}

// A checkbox option's control; null when its widget is missing.
ToggleButtonWidget* CheckboxGet(ContainerWidget* page, const char* name)
{
   return dynamic_cast<ToggleButtonWidget*>(page->ChildGetByName(name));
}

ContainerWidget* RadioGroupGet(ContainerWidget* page, const char* name)
{
   return dynamic_cast<ContainerWidget*>(page->ChildGetByName(name));
}

// The profile key of each slider.
const char* SliderKeyGet(const char* name)
{
   static const char* const keys[][2] = {{"GameSpeed", "GameSpeed"},
                                         {"MusicVolume", "MusicVolume"},
                                         {"SoundVolume", "SFXVolume"},
                                         {"SpeechVolume", "SpeechVolume"}};
   for (const auto& key : keys)
   {
      if (StringsEqualCheck(name, key[0]))
      {
         return key[1];
      }
   }
   return nullptr;
}
} // namespace

template <class T> T* SettingsMenu::WidgetGet(const char* path)
{
   return layer ? dynamic_cast<T*>(layer->DescendantGetByPath(path)) : nullptr;
}

const char* SettingsMenu::SelectedNameGet(const char* tablePath)
{
   TableWidget* table = WidgetGet<TableWidget>(tablePath);
   const i32 row = table && table->SelectedRowGet() ? table->SelectionGet() : -1;
   LabelWidget* held = row >= 0 ? dynamic_cast<LabelWidget*>(table->CellGet(row, 1)) : nullptr;
   return held ? held->TextGet() : nullptr;
}

bool SettingsMenu::BackgroundUnlockedCheck(const char* name)
{
   return ItemUnlockedCheck("Background", name);
}

void SettingsMenu::Open()
{
   changed = false;
   gameRestartConfirmed = false;
   closeAfterApply = false;
   NultSnprintf(layerName, sizeof(layerName), "%s", "SettingsMenu");
   hasLayer = 1;
   Popup::Open();
   const char* testSoundName = ConstGet("SoundVolumeTestSound")->StringValueGet();
   if (testSoundName && settingsSoundTarget && !testSound)
   {
      testSound = settingsSoundTarget->EffectLoad(testSoundName);
   }
   if (SubmenuAvailableCheck("Game"))
   {
      SubmenuShow("Game");
   }
   else if (SubmenuAvailableCheck("Cards"))
   {
      SubmenuShow("Cards");
   }
   EventMethodRegister(this, "OnWindowChange", &SettingsMenu::WindowModeRefresh, 0);
}

void SettingsMenu::LayerInit(LayerWidget* pushedLayer)
{
   (void)pushedLayer;
   SubmenusInit();
   if (!layer)
   {
      return;
   }
   EnvironmentPageInit();
   for (const char* page : {"Backgrounds", "Cards", "Game"})
   {
      for (const char* name : {"Play", "Apply"})
      {
         char path[POPUP_NAME_SIZE];
         PressButtonWidget* button = NultSnprintf(path, sizeof(path), "Panel.Submenus.%s.%s", page, name)
                                         ? WidgetGet<PressButtonWidget>(path)
                                         : nullptr;
         if (button)
         {
            button->onClick = &SettingsMenu::OnPageApplyClick;
            button->onClickUserData = this;
         }
      }
   }
   for (const char* path : {BACKGROUNDS, FRONT_STYLES, BACK_STYLES})
   {
      if (TableWidget* table = WidgetGet<TableWidget>(path))
      {
         table->onSelectionChange = &SettingsMenu::OnPreviewedSelectionChange;
         table->onSelectionChangeUserData = this;
      }
   }
   BackgroundsFill();
   CardStylesFill();
   GamePageInit();
}

void SettingsMenu::Deinit()
{
   if (changed)
   {
      ProfileSave();
      SettingsSave();
   }
   if (gameRestartConfirmed && !GameStateManager::switchPending)
   {
      if (Minigame* game = MinigameCurrentGet())
      {
         game->GameNew();
      }
   }
   changed = false;
   gameRestartConfirmed = false;
   if (testSound && settingsSoundTarget)
   {
      settingsSoundTarget->EffectUnload(testSound);
   }
   testSound = nullptr;
   Event::OwnerEventUnregister("OnWindowChange", this);
   Popup::Deinit();
}

bool SettingsMenu::SubmenuAvailableCheck(const char* name)
{
   if (!name)
   {
      return false;
   }
   Minigame* game = MinigameCurrentGet();
   if (std::strcmp(name, "Backgrounds") == 0)
   {
      return game && game->BackgroundChoiceCheck();
   }
   if (std::strcmp(name, "Cards") == 0)
   {
      CardGame* cardGame = dynamic_cast<CardGame*>(game);
      return cardGame && cardGame->CardStyleChoiceCheck();
   }
   if (std::strcmp(name, "Game") == 0)
   {
      const JSONValue* options = game ? game->SettingsGet() : nullptr;
      return options && options->TypeGet() == JSONValue::TYPE_ARRAY && options->CountGet() > 0;
   }
   return true;
}

void SettingsMenu::EnvironmentPageInit()
{
   char path[POPUP_NAME_SIZE];
   auto widgetFind = [&](const char* name) -> Widget*
   {
      return NultSnprintf(path, sizeof(path), "%s%s", ENVIRONMENT, name) ? layer->DescendantGetByPath(path)
                                                                         : nullptr;
   };

   if (PressButtonWidget* play = dynamic_cast<PressButtonWidget*>(widgetFind("Play")))
   {
      play->onClick = &SettingsMenu::OnPlayClick;
      play->onClickUserData = this;
   }
   for (const char* name : {"Fullscreen", "WideWindow", "NarrowWindow"})
   {
      if (RadioButtonWidget* button = dynamic_cast<RadioButtonWidget*>(widgetFind(name)))
      {
         button->onClick = &SettingsMenu::OnWindowModeClick;
         button->onClickUserData = this;
      }
   }
   WindowModeRefresh();
   const char* const layouts[2] = {"CardsOrganized", "CardsNatural"};
   for (uintptr_t value = 0; value < 2; ++value)
   {
      if (RadioButtonWidget* button = dynamic_cast<RadioButtonWidget*>(widgetFind(layouts[value])))
      {
         button->onClick = &SettingsMenu::OnCardsLayoutClick;
         button->onClickUserData = reinterpret_cast<void*>(value);
         if ((value == 1) == cardsMessy)
         {
            button->OnSet(true);
         }
      }
   }
   const i32 volumeUsages[3] = {1, 0, 2};
   const char* const sliders[4] = {"GameSpeed", "MusicVolume", "SoundVolume", "SpeechVolume"};
   for (i32 i = 0; i < 4; ++i)
   {
      SliderWidget* slider = dynamic_cast<SliderWidget*>(widgetFind(sliders[i]));
      if (!slider)
      {
         continue;
      }
      const i32 value = i == 0                ? gameSpeed
                        : settingsSoundTarget ? settingsSoundTarget->VolumeGet(volumeUsages[i - 1])
                                              : 100;
      slider->ValueSet(static_cast<float>(value), false);
      slider->valueChangeCallback = &SettingsMenu::OnSliderValueChange;
      slider->valueChangeCallbackData = this;
   }
   SongsFill();
   if (TableWidget* songs = WidgetGet<TableWidget>(SONGS))
   {
      songs->onSelectionChange = &SettingsMenu::OnSongSelectionChange;
      songs->onSelectionChangeUserData = this;
   }
}

void SettingsMenu::WindowModeRefresh()
{
   ScreenCommon* target = settingsMenuScreen;
   if (!layer || !target)
   {
      return;
   }
   const char* mode = target->fullscreen                    ? "Fullscreen"
                      : target->preparedAreaWindowedEnabled ? "WideWindow"
                                                            : "NarrowWindow";
   char path[POPUP_NAME_SIZE];
   if (!NultSnprintf(path, sizeof(path), "%s%s", ENVIRONMENT, mode))
   {
      return;
   }
   if (RadioButtonWidget* button = WidgetGet<RadioButtonWidget>(path))
   {
      button->OnSet(true);
   }
}

void SettingsMenu::SongsFill()
{
   ChoiceTableFill(WidgetGet<TableWidget>(SONGS), SONG_CHOICES, false);
}

void SettingsMenu::BackgroundsFill()
{
   ChoiceTableFill(WidgetGet<TableWidget>(BACKGROUNDS), BACKGROUND_CHOICES, true);
   ThumbnailUpdate();
}

void SettingsMenu::CardStylesFill()
{
   ChoiceTableFill(WidgetGet<TableWidget>(FRONT_STYLES), FRONT_STYLE_CHOICES, false);
   ChoiceTableFill(WidgetGet<TableWidget>(BACK_STYLES), BACK_STYLE_CHOICES, false);
   CardPreviewsUpdate();
}

void SettingsMenu::ThumbnailUpdate()
{
   SpriteWidget* thumbnail = WidgetGet<SpriteWidget>(THUMBNAIL);
   if (!thumbnail)
   {
      return;
   }
   const char* name = SelectedNameGet(BACKGROUNDS);
   if (name && !StringsEqualCheck(name, BACKGROUND_RANDOM))
   {
      thumbnail->AnimationSet(nullptr, name);
   }
   else
   {
      thumbnail->AnimationClear();
   }
}

void SettingsMenu::CardPreviewsUpdate()
{
   const char* size = ConstGet("CardSizeDefault")->StringValueGet();
   if (!size)
   {
      return;
   }
   struct Preview
   {
      const char* path;
      const char* table;
      const char* format;
      const char* animation;
   };
   const Preview previews[2] = {
       {"Panel.Submenus.Cards.CardFrontPreview", FRONT_STYLES, "Sprites/Cards/Fronts/%s/%s", "S_1"},
       {"Panel.Submenus.Cards.CardBackPreview", BACK_STYLES, "Sprites/Cards/Backs/%s/%s", "Back"}};
   for (const Preview& preview : previews)
   {
      SpriteWidget* sprite = WidgetGet<SpriteWidget>(preview.path);
      if (!sprite)
      {
         continue;
      }
      const char* style = SelectedNameGet(preview.table);
      char resource[CARD_SPRITES_PATH_SIZE];
      if (style && NultSnprintf(resource, sizeof(resource), preview.format, style, size))
      {
         sprite->AnimationSet(resource, preview.animation);
      }
      else
      {
         sprite->AnimationClear();
      }
   }
}

void SettingsMenu::BackgroundsApply()
{
   const char* name = SelectedNameGet(BACKGROUNDS);
   if (!name)
   {
      return;
   }
   if (ProfileObjectCheck())
   {
      profileCurrent->ItemStringSet("MinigameBackground", name);
   }
   changed = true;
   if (Minigame* game = MinigameCurrentGet())
   {
      game->BackgroundApply();
   }
}

void SettingsMenu::CardsApply()
{
   if (!ProfileObjectCheck())
   {
      return;
   }
   if (const char* front = SelectedNameGet(FRONT_STYLES))
   {
      profileCurrent->ItemStringSet("CardFrontStyle", front);
   }
   if (const char* back = SelectedNameGet(BACK_STYLES))
   {
      profileCurrent->ItemStringSet("CardBackStyle", back);
   }
   changed = true;
   if (CardGame* game = dynamic_cast<CardGame*>(GameStateManager::current))
   {
      game->CardSpritesReload();
   }
}

void SettingsMenu::GamePageInit()
{
   Minigame* game = MinigameCurrentGet();
   const JSONValue* options = game ? game->SettingsGet() : nullptr;
   ContainerWidget* page = WidgetGet<ContainerWidget>(GAME_SETTINGS);
   if (!options || options->TypeGet() != JSONValue::TYPE_ARRAY || !page)
   {
      return;
   }
   const JSONValue* templates = ConstGet("MinigameSettingsWidgets");
   const JSONValue* checkbox = templates->ItemGet("Checkbox");
   const JSONValue* heading = templates->ItemGet("Heading");
   const JSONValue* radioButton = templates->ItemGet("RadioButton");
   const float radioSpacing = ConstGet("MinigameSettingsRadioButtonSpacingY")->FloatValueGet();
   for (i32 i = 0; i < options->CountGet(); ++i)
   {
      const JSONValue* option = options->ElementGet(i);
      const char* type = nullptr;
      const char* name = nullptr;
      if (!OptionReadCheck(option, &type, &name))
      {
         continue;
      }
      const char* textKey = option->ItemGet("TextKey")->StringValueGet();
      if (std::strcmp(type, "Checkbox") == 0)
      {
         if (checkbox->TypeGet() != JSONValue::TYPE_OBJECT)
         {
            continue;
         }
         ToggleButtonWidget* toggle = WidgetFromTemplateCreate<ToggleButtonWidget>(name, page, checkbox);
         if (toggle)
         {
            toggle->OnSet(game->SettingBoolGet(name));
            if (textKey)
            {
               toggle->TextKeySet(textKey);
            }
         }
         continue;
      }
      const JSONValue* values = option->ItemGet("Values");
      const char* current = game->SettingStringGet(name);
      if (std::strcmp(type, "StringRadioButtons") != 0 || radioButton->TypeGet() != JSONValue::TYPE_OBJECT ||
          heading->TypeGet() != JSONValue::TYPE_OBJECT || values->TypeGet() != JSONValue::TYPE_ARRAY ||
          values->CountGet() == 0 || !current)
      {
         continue;
      }
      ContainerWidget* group = WidgetFromTemplateCreate<ContainerWidget>(name, page, &JSONValue::nullValue);
      LabelWidget* title = group ? WidgetFromTemplateCreate<LabelWidget>(nullptr, group, heading) : nullptr;
      ContainerWidget* buttons = title ? WidgetFromTemplateCreate<RadioButtonContainerWidget>(
                                             "RadioButtons", group, &JSONValue::nullValue)
                                       : nullptr;
      if (!buttons)
      {
         continue;
      }
      if (textKey)
      {
         title->TextKeySet(textKey);
      }
      Box2F covered = title->BoundsGet();
      float y = covered.height + radioSpacing;
      for (i32 j = 0; j < values->CountGet(); ++j)
      {
         const JSONValue* choice = values->ElementGet(j);
         const char* value = choice->ItemGet("Value")->StringValueGet();
         const char* choiceKey = choice->ItemGet("TextKey")->StringValueGet();
         if (choice->TypeGet() != JSONValue::TYPE_OBJECT || !value || !choiceKey)
         {
            continue;
         }
         RadioButtonWidget* button = WidgetFromTemplateCreate<RadioButtonWidget>(value, buttons, radioButton);
         if (!button)
         {
            continue;
         }
         button->TextKeySet(choiceKey);
         button->PositionSet(Point2F{0.0f, y});
         Box2F bounds = button->BoundsGet();
         bounds.y += y;
         covered.Include(bounds);
         y += bounds.height + radioSpacing;
         if (std::strcmp(value, current) == 0)
         {
            button->OnSet(true);
         }
      }
      group->BoundsSet(covered);
   }
   ColumnsLayOut(page, ConstGet("MinigameSettingsWidgetSpacingY")->FloatValueGet());
}

void SettingsMenu::GameSettingsApply(bool close)
{
   closeAfterApply = close;
   Minigame* game = MinigameCurrentGet();
   const JSONValue* options = game ? game->SettingsGet() : nullptr;
   ContainerWidget* page = WidgetGet<ContainerWidget>(GAME_SETTINGS);
   if (!options || options->TypeGet() != JSONValue::TYPE_ARRAY || !page)
   {
      return;
   }
   bool restartChange = false;
   for (i32 i = 0; i < options->CountGet() && !restartChange; ++i)
   {
      const JSONValue* option = options->ElementGet(i);
      const char* type = nullptr;
      const char* name = nullptr;
      if (!OptionReadCheck(option, &type, &name) ||
          !option->ItemGet("RequiresMinigameRestart")->BoolValueGet())
      {
         continue;
      }
      if (std::strcmp(type, "Checkbox") == 0)
      {
         ToggleButtonWidget* toggle = CheckboxGet(page, name);
         restartChange = toggle && toggle->OnGet() != game->SettingBoolGet(name);
      }
      else if (std::strcmp(type, "StringRadioButtons") == 0)
      {
         RadioButtonWidget* selected = RadioSelectedGet(RadioGroupGet(page, name));
         restartChange = selected && !StringsEqualCheck(selected->NameGet(), game->SettingStringGet(name));
      }
   }
   if (!restartChange || gameRestartConfirmed)
   {
      GameSettingsSave();
      return;
   }
   if (MessageBoxPopup* box = MessageBoxPopup::Show("SettingsConfirmGameRestart", "MessageBoxYesNo"))
   {
      box->onYes = &SettingsMenu::OnGameRestartYes;
      box->onYesUserData = this;
   }
}

void SettingsMenu::GameSettingsSave()
{
   Minigame* game = MinigameCurrentGet();
   JSONValue* stored = game ? ProfileMinigameSettingsGet(game->GameNameGet()) : nullptr;
   const JSONValue* options = game ? game->SettingsGet() : nullptr;
   ContainerWidget* page = WidgetGet<ContainerWidget>(GAME_SETTINGS);
   if (!stored || stored->TypeGet() != JSONValue::TYPE_OBJECT || !options ||
       options->TypeGet() != JSONValue::TYPE_ARRAY || !page)
   {
      return;
   }
   for (i32 i = 0; i < options->CountGet(); ++i)
   {
      const char* type = nullptr;
      const char* name = nullptr;
      if (!OptionReadCheck(options->ElementGet(i), &type, &name))
      {
         continue;
      }
      if (std::strcmp(type, "Checkbox") == 0)
      {
         if (ToggleButtonWidget* toggle = CheckboxGet(page, name))
         {
            stored->ItemBoolSet(name, toggle->OnGet());
         }
      }
      else if (std::strcmp(type, "StringRadioButtons") == 0)
      {
         if (RadioButtonWidget* selected = RadioSelectedGet(RadioGroupGet(page, name)))
         {
            stored->ItemStringSet(name, selected->NameGet());
         }
      }
   }
   game->RefreshMark();
   changed = true;
   if (closeAfterApply)
   {
      closeAfterApply = false;
      Close(true);
   }
}

void SettingsMenu::OnPlayClick(PressButtonWidget* button, void* menu)
{
   (void)button;
   if (SettingsMenu* self = static_cast<SettingsMenu*>(menu))
   {
      self->Close(true);
   }
}

void SettingsMenu::OnWindowModeClick(u8 on, ToggleButtonWidget* button, void* menu)
{
   ScreenCommon* target = settingsMenuScreen;
   if (!on || !button || !menu || !target || GameStateManager::switchPending)
   {
      return;
   }
   if (std::strcmp(button->NameGet(), "Fullscreen") == 0)
   {
      target->FullscreenSet(true);
      return;
   }
   const bool wide = std::strcmp(button->NameGet(), "WideWindow") == 0;
   target->FullscreenSet(false);
   if ((target->preparedAreaWindowedEnabled != 0) == wide)
   {
      return;
   }
   target->preparedAreaWindowedEnabled = wide ? 1 : 0;
   if (!target->WindowedCheck())
   {
      return;
   }
   const i32 width = wide ? target->preparedArea.width : target->virtualWidth;
   const i32 height = wide ? target->preparedArea.height : target->virtualHeight;
   // Leaving full screen later restores this size, not the one the window had at start-up.
   target->windowedWidth = width;
   target->windowedHeight = height;
   target->WindowSizeSet(width, height);
   target->ViewportUpdate();
   Event::Trigger("OnWindowChange", 0);
}

void SettingsMenu::OnCardsLayoutClick(u8 on, ToggleButtonWidget* button, void* value)
{
   (void)button;
   if (!on)
   {
      return;
   }
   if (ProfileObjectCheck())
   {
      profileCurrent->ItemBoolSet("CardsMessy", reinterpret_cast<uintptr_t>(value) == 1);
   }
   settingsMenu.changed = true;
   SettingsApply();
}

void SettingsMenu::OnSliderValueChange(float newValue, float oldValue, bool byUser, SliderWidget* slider,
                                       void* menu)
{
   (void)oldValue;
   SettingsMenu* self = static_cast<SettingsMenu*>(menu);
   const char* key = slider ? SliderKeyGet(slider->NameGet()) : nullptr;
   if (!byUser || !self || !key)
   {
      return;
   }
   if (ProfileObjectCheck())
   {
      profileCurrent->ItemNumberSet(key, static_cast<i32>(newValue));
   }
   self->changed = true;
   SettingsApply();
   const bool testSoundWanted = std::strcmp(key, "SFXVolume") == 0 || std::strcmp(key, "SpeechVolume") == 0;
   SettingsSoundTarget* sound = settingsSoundTarget;
   if (testSoundWanted && sound && self->testSound && !sound->EffectPlayingCheck(self->testSound))
   {
      sound->EffectPlay(self->testSound);
   }
}

void SettingsMenu::OnSongSelectionChange(TableRowWidget* newRow, TableRowWidget* oldRow, bool byUser,
                                         TableWidget* table, void* menu)
{
   (void)newRow;
   (void)oldRow;
   (void)table;
   SettingsMenu* self = static_cast<SettingsMenu*>(menu);
   const char* name = self && byUser ? self->SelectedNameGet(SONGS) : nullptr;
   if (!name)
   {
      return;
   }
   if (ProfileObjectCheck())
   {
      profileCurrent->ItemStringSet("Song", name);
   }
   self->changed = true;
   SettingsApply();
}

void SettingsMenu::OnPreviewedSelectionChange(TableRowWidget* newRow, TableRowWidget* oldRow, bool byUser,
                                              TableWidget* table, void* menu)
{
   (void)newRow;
   (void)oldRow;
   (void)byUser;
   (void)table;
   if (SettingsMenu* self = static_cast<SettingsMenu*>(menu))
   {
      self->ThumbnailUpdate();
      self->CardPreviewsUpdate();
   }
}

void SettingsMenu::OnPageApplyClick(PressButtonWidget* button, void* menu)
{
   SettingsMenu* self = static_cast<SettingsMenu*>(menu);
   Widget* page = button ? button->ParentGet() : nullptr;
   const char* pageName = page ? page->NameGet() : nullptr;
   if (!self || !pageName)
   {
      return;
   }
   // Play is Apply, then the close.
   const bool close = StringsEqualCheck(button->NameGet(), "Play");
   if (std::strcmp(pageName, "Game") == 0)
   {
      // Its close waits for the restart question.
      self->GameSettingsApply(close);
      return;
   }
   if (std::strcmp(pageName, "Backgrounds") == 0)
   {
      self->BackgroundsApply();
   }
   else if (std::strcmp(pageName, "Cards") == 0)
   {
      self->CardsApply();
   }
   if (close)
   {
      self->Close(true);
   }
}

void SettingsMenu::OnGameRestartYes(MessageBoxPopup* box, PressButtonWidget* button, void* menu)
{
   (void)box;
   (void)button;
   if (SettingsMenu* self = static_cast<SettingsMenu*>(menu))
   {
      self->gameRestartConfirmed = true;
      self->GameSettingsSave();
   }
}
} // namespace Corvale
