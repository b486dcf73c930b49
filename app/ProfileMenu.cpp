// The profile menu's two pages: signing in, adding and removing profiles, and the statistics of a
// profile laid out in columns from the lines the constants give per game.
#include "app/ProfileMenu.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/FaceCreator.h"
#include "app/MainMenu.h"
#include "app/ProfileAddPopup.h"
#include "app/RootMenu.h"
#include "app/profile/Achievements.h"
#include "app/profile/ProfileStore.h"
#include "app/profile/SettingsApply.h"
#include "app/profile/StatisticsStore.h"
#include "cardgame/Minigame.h"
#include "core/JSONValue.h"
#include "core/Memory.h"
#include "core/StringHelpers.h"
#include "gui/popup/MessageBoxPopup.h"
#include "gui/popup/PopupManager.h"
#include "gui/state/GameStateManager.h"
#include "gui/widgets/DropDownListWidget.h"
#include "gui/widgets/LabelWidget.h"
#include "gui/widgets/LayerWidget.h"
#include "gui/widgets/PressButtonWidget.h"
#include "gui/widgets/TableWidget.h"

namespace Corvale
{
ProfileMenu profileMenu;

namespace
{
constexpr const char* SIGN_IN_MAIN = "Panel.Submenus.SignIn.Main";

const JSONValue* ConstGet(const char* key)
{
   return consts ? consts->ItemGet(key) : &JSONValue::nullValue;
}

bool ConstFlagCheck(const char* key)
{
   return ConstGet(key)->BoolValueGet();
}

bool StringsEqualCheck(const char* a, const char* b)
{
   return a && b && std::strcmp(a, b) == 0;
}

// A profile entry that the menu lists: an object with a string "Name" other than the guest's.
const char* ListedNameGet(const JSONValue* entry)
{
   const char* name = entry && entry->TypeGet() == JSONValue::TYPE_OBJECT
                          ? entry->ItemGet("Name")->StringValueGet()
                          : nullptr;
   return name && std::strcmp(name, PROFILE_GUEST_NAME) != 0 ? name : nullptr;
}

// A statistic of a line: the per-game key wins over the general one; neither reads 0.
i32 StatisticRead(const JSONValue* line, const char* gameKey, const char* generalKey, const char* game,
                  const char* profile)
{
   if (const char* key = line->ItemGet(gameKey)->StringValueGet())
   {
      return StatisticGameGet(key, game, profile);
   }
   if (const char* key = line->ItemGet(generalKey)->StringValueGet())
   {
      return StatisticGeneralGet(key, profile);
   }
   return 0;
}
} // namespace

const JSONValue* StatisticsLinesGet(const JSONValue* statistics, const char* name)
{
   if (!statistics || statistics->TypeGet() != JSONValue::TYPE_OBJECT || !name)
   {
      return nullptr;
   }
   std::vector<std::string> followed;
   const JSONValue* value = statistics->ItemFind(name);
   followed.push_back(name);
   while (value && value->TypeGet() == JSONValue::TYPE_STRING)
   {
      const char* next = value->StringValueGet();
      for (const std::string& seen : followed)
      {
         if (seen == next)
         {
            return nullptr;
         }
      }
      followed.push_back(next);
      value = statistics->ItemFind(next);
   }
   return value && value->TypeGet() == JSONValue::TYPE_ARRAY ? value : nullptr;
}

bool StatisticsValueFormat(char* buffer, u32 size, const char* type, i32 value, bool denominatorGiven,
                           i32 denominator)
{
   if (!buffer || !type)
   {
      return false;
   }
   if (std::strcmp(type, "Int") == 0 ||
       (std::strcmp(type, "IntWithPercentage") == 0 && (!denominatorGiven || denominator == 0)))
   {
      return NultSnprintf(buffer, size, "%d", value);
   }
   if (std::strcmp(type, "IntWithPercentage") == 0)
   {
      const float percentage = static_cast<float>(value) * 100.0f / static_cast<float>(denominator);
      return NultSnprintf(buffer, size, "%d (%.02f%%)", value, static_cast<double>(percentage));
   }
   if (std::strcmp(type, "IntMoney") == 0)
   {
      // In 64 bits: the smallest int has no 32-bit absolute value.
      const i64 amount = value;
      return value >= 0 ? NultSnprintf(buffer, size, "$%" PRId64, amount)
                        : NultSnprintf(buffer, size, "-$%" PRId64, -amount);
   }
   if (std::strcmp(type, "TimeFromSeconds") == 0)
   {
      return NultSnprintf(buffer, size, "%d:%02d:%02d", value / 3600, (value % 3600) / 60, value % 60);
   }
   return false;
}

void ProfileMenu::Open()
{
   faceCreatorOnClose = false;
   NultSnprintf(layerName, sizeof(layerName), "%s", "ProfileMenu");
   hasLayer = 1;
   Popup::Open();
   if (Minigame* game = dynamic_cast<Minigame*>(GameStateManager::current))
   {
      StatisticsGamePreselect(game->StatisticsNameGet());
   }
   const JSONValue* profiles = ProfilesGet();
   if ((!profiles || profiles->CountGet() == 0) && PopupManager::IndexGet(&profileAddPopup) < 0)
   {
      PopupManager::Open(&profileAddPopup);
   }
}

void ProfileMenu::LayerInit(LayerWidget* pushedLayer)
{
   (void)pushedLayer;
   SubmenusInit();
   if (!layer)
   {
      return;
   }
   SignInPageInit();
   StatisticsPageInit();
   Refresh();
   SignInButtonsRefresh();
}

void ProfileMenu::Deinit()
{
   Popup::Deinit();
   if (faceCreatorOnClose && !MenuInputIgnoredCheck())
   {
      PopupManager::OpenUnlessOpen(faceCreatorPopup ? faceCreatorPopup : &faceCreator);
   }
}

void ProfileMenu::Close(bool withTransition)
{
   if (!profileCurrent)
   {
      SignIn(PROFILE_GUEST_NAME);
   }
   Popup::Close(withTransition);
}

bool ProfileMenu::SubmenuAvailableCheck(const char* name)
{
   if (!name)
   {
      return false;
   }
   return !(std::strcmp(name, "SignIn") == 0 && GameStateManager::states.count >= 2);
}

void ProfileMenu::Refresh()
{
   StatisticsRefresh();
   VersionLabelUpdate(
       layer ? dynamic_cast<LabelWidget*>(layer->DescendantGetByPath("Panel.Submenus.SignIn.Version"))
             : nullptr);
}

void ProfileMenu::SignInButtonsRefresh()
{
   if (!layer)
   {
      return;
   }
   TableWidget* table =
       dynamic_cast<TableWidget*>(layer->DescendantGetByPath("Panel.Submenus.SignIn.Main.Profiles"));
   const bool selected = table && table->SelectedRowGet();
   for (const char* name : {"SignIn", "ProfileRemove", "FaceCreator"})
   {
      const std::string path = std::string(SIGN_IN_MAIN) + "." + name;
      if (Widget* button = layer->DescendantGetByPath(path.c_str()))
      {
         button->EnabledSet(selected);
      }
   }
}

void ProfileMenu::SignInPageInit()
{
   Widget* main = layer ? layer->DescendantGetByPath(SIGN_IN_MAIN) : nullptr;
   if (!main)
   {
      return;
   }
   main->PositionSet(ConstGet("SignInMainPositionOffset")->Point2FValueGet());
   struct Wiring
   {
      const char* name;
      PressButtonCallback callback;
   };
   const Wiring wirings[] = {{"SignIn", &ProfileMenu::OnSignInClick},
                             {"ProfileAdd", &ProfileMenu::OnProfileAddClick},
                             {"ProfileRemove", &ProfileMenu::OnProfileRemoveClick},
                             {"PlayAsGuest", &ProfileMenu::OnPlayAsGuestClick},
                             {"Language", &ProfileMenu::OnLanguageClick},
                             {"FaceCreator", &ProfileMenu::OnFaceCreatorClick}};
   for (const Wiring& wiring : wirings)
   {
      const std::string path = std::string(SIGN_IN_MAIN) + "." + wiring.name;
      if (PressButtonWidget* button =
              dynamic_cast<PressButtonWidget*>(layer->DescendantGetByPath(path.c_str())))
      {
         button->onClick = wiring.callback;
         button->onClickUserData = this;
      }
   }
   const JSONValue* languages = ConstGet("Languages");
   if (Widget* language = layer->DescendantGetByPath("Panel.Submenus.SignIn.Main.Language"))
   {
      language->VisibleSet(languages->TypeGet() == JSONValue::TYPE_ARRAY && languages->CountGet() > 1);
   }
   if (Widget* faces = layer->DescendantGetByPath("Panel.Submenus.SignIn.Main.FaceCreator"))
   {
      faces->VisibleSet(FaceCreatorIncludedCheck());
   }
   const bool links = ConstFlagCheck("SignInURLButtonsIncluded");
   ContainerWidget* link1 = dynamic_cast<ContainerWidget*>(
       layer->DescendantGetByPath("Panel.Submenus.SignIn.URLButton1Container"));
   ContainerWidget* link2 = dynamic_cast<ContainerWidget*>(
       layer->DescendantGetByPath("Panel.Submenus.SignIn.URLButton2Container"));
   for (ContainerWidget* link : {link1, link2})
   {
      if (link)
      {
         link->VisibleSet(links);
      }
   }
   if (links)
   {
      URLButton1Init(link1);
      URLButton2Init(link2);
   }
   if (TableWidget* table =
           dynamic_cast<TableWidget*>(layer->DescendantGetByPath("Panel.Submenus.SignIn.Main.Profiles")))
   {
      table->onRowDoubleClick = &ProfileMenu::OnRowDoubleClick;
      table->onRowDoubleClickUserData = this;
      table->onSelectionChange = &ProfileMenu::OnTableSelectionChange;
      table->onSelectionChangeUserData = this;
   }
   ProfileListFill();
}

void ProfileMenu::ProfileListFill()
{
   TableWidget* table =
       layer ? dynamic_cast<TableWidget*>(layer->DescendantGetByPath("Panel.Submenus.SignIn.Main.Profiles"))
             : nullptr;
   if (!table)
   {
      return;
   }
   table->SelectionClear();
   while (table->RowCountGet() > 0)
   {
      table->RowRemoveAt(table->RowCountGet() - 1);
   }
   const JSONValue* profiles = ProfilesGet();
   TableRowWidget* current = nullptr;
   for (i32 i = 0; profiles && i < profiles->CountGet(); ++i)
   {
      const char* name = ListedNameGet(profiles->ElementGet(i));
      if (!name || !table->RowAdd())
      {
         continue;
      }
      const i32 row = table->RowCountGet() - 1;
      if (LabelWidget* cell = dynamic_cast<LabelWidget*>(table->CellGet(row, 0)))
      {
         cell->TextSet(name);
      }
      if (StringsEqualCheck(name, profileCurrentName))
      {
         current = table->RowGet(row);
      }
   }
   if (current)
   {
      table->RowSelect(current, false);
   }
   table->Sort(0, true);
}

const char* ProfileMenu::SelectedProfileNameGet()
{
   TableWidget* table =
       layer ? dynamic_cast<TableWidget*>(layer->DescendantGetByPath("Panel.Submenus.SignIn.Main.Profiles"))
             : nullptr;
   const i32 selected = table ? table->SelectionGet() : -1;
   LabelWidget* cell = selected >= 0 ? dynamic_cast<LabelWidget*>(table->CellGet(selected, 0)) : nullptr;
   return cell ? cell->TextGet() : nullptr;
}

void ProfileMenu::SignIn(const char* name)
{
   ProfileLoad(name);
   SettingsApply();
   AchievementsUpdate();
   if (GameStateManager::current == &mainMenu)
   {
      mainMenu.ProfileShow();
   }
   const JSONValue* entry = ProfileEntryGet(profileCurrentName);
   if (entry && FaceCreatorIncludedCheck())
   {
      faceCreatorOnClose = !entry->ItemGet("FaceCreatorSeen")->BoolValueGet();
   }
}

void ProfileMenu::SignInAndLeave(const char* name)
{
   if (name)
   {
      SignIn(name);
   }
   if (!profileCurrent)
   {
      SignIn(PROFILE_GUEST_NAME);
   }
   Close(true);
}

void ProfileMenu::StatisticsPageInit()
{
   if (!layer)
   {
      return;
   }
   GameListFill(
       dynamic_cast<DropDownListWidget*>(layer->DescendantGetByPath("Panel.Submenus.Statistics.GameList")),
       "StatisticsScreenGames", nullptr, statisticsGameIndex, &ProfileMenu::OnGameListSelectionChange, this);
   GameListFill(dynamic_cast<DropDownListWidget*>(
                    layer->DescendantGetByPath("Panel.Submenus.Statistics.SolitaireGameList")),
                "SolitaireGames", nullptr, solitaireGameIndex, &ProfileMenu::OnSolitaireListSelectionChange,
                this);
   StatisticsProfileListFill();
   StatisticsRefresh();
}

void ProfileMenu::StatisticsProfileListFill()
{
   DropDownListWidget* list = layer ? dynamic_cast<DropDownListWidget*>(
                                          layer->DescendantGetByPath("Panel.Submenus.Statistics.ProfileList"))
                                    : nullptr;
   if (!list)
   {
      return;
   }
   list->ItemsRemoveAll();
   const JSONValue* profiles = ProfilesGet();
   for (i32 i = 0; profiles && i < profiles->CountGet(); ++i)
   {
      if (const char* name = ListedNameGet(profiles->ElementGet(i)))
      {
         list->ItemAdd(name, name, DROP_DOWN_LIST_TEXT_PLAIN);
      }
   }
   if (profileCurrentName)
   {
      list->SelectionSetByName(profileCurrentName, false);
   }
}

void ProfileMenu::StatisticsRefresh()
{
   if (!layer)
   {
      return;
   }
   DropDownListWidget* profiles =
       dynamic_cast<DropDownListWidget*>(layer->DescendantGetByPath("Panel.Submenus.Statistics.ProfileList"));
   DropDownListWidget* games =
       dynamic_cast<DropDownListWidget*>(layer->DescendantGetByPath("Panel.Submenus.Statistics.GameList"));
   DropDownListWidget* solitaires = dynamic_cast<DropDownListWidget*>(
       layer->DescendantGetByPath("Panel.Submenus.Statistics.SolitaireGameList"));
   ContainerWidget* lines =
       dynamic_cast<ContainerWidget*>(layer->DescendantGetByPath("Panel.Submenus.Statistics.Statistics"));
   if (!profiles || !games || !solitaires || !lines)
   {
      return;
   }
   lines->ChildrenRemoveAll();
   const char* profile = profiles->SelectionNameGet();
   const char* name = games->SelectionNameGet();
   if (!profile || !name)
   {
      return;
   }
   const bool solitaire = std::strcmp(name, "Solitaire") == 0;
   solitaires->VisibleSet(solitaire);
   if (solitaire && !(name = solitaires->SelectionNameGet()))
   {
      return;
   }
   const JSONValue* descriptions = StatisticsLinesGet(ConstGet("Statistics"), name);
   const JSONValue* specification = ConstGet("StatisticsWidget");
   if (!descriptions || specification->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      return;
   }
   for (i32 i = 0; i < descriptions->CountGet(); ++i)
   {
      const JSONValue* line = descriptions->ElementGet(i);
      const char* type = line->ItemGet("Type")->StringValueGet();
      if (line->TypeGet() != JSONValue::TYPE_OBJECT || !type)
      {
         continue;
      }
      ContainerWidget* widget = MemoryNew<ContainerWidget>(HEAP_DEFAULT);
      if (!widget)
      {
         continue;
      }
      widget->Init(nullptr, lines, specification);
      lines->ChildAddLast(widget);
      LabelWidget* label = dynamic_cast<LabelWidget*>(widget->ChildGetByName("Label"));
      const char* textKey = line->ItemGet("TextKey")->StringValueGet();
      if (label && textKey)
      {
         label->TextKeySet(textKey);
      }
      LabelWidget* value = dynamic_cast<LabelWidget*>(widget->ChildGetByName("Value"));
      if (!value)
      {
         continue;
      }
      const char* condition = line->ItemGet("ValueVisibleConditionNonZeroGameStatistic")->StringValueGet();
      if (condition && StatisticGameGet(condition, name, profile) == 0)
      {
         value->VisibleSet(false);
         continue;
      }
      const i32 amount = StatisticRead(line, "GameStatistic", "GeneralStatistic", name, profile);
      const bool denominatorGiven = line->ItemGet("DenominatorGameStatistic")->StringValueGet() ||
                                    line->ItemGet("DenominatorGeneralStatistic")->StringValueGet();
      const i32 denominator =
          StatisticRead(line, "DenominatorGameStatistic", "DenominatorGeneralStatistic", name, profile);
      char text[STATISTICS_TEXT_SIZE];
      if (StatisticsValueFormat(text, sizeof(text), type, amount, denominatorGiven, denominator))
      {
         value->TextSet(text);
      }
   }
   StatisticsLayout();
}

void ProfileMenu::StatisticsLayout()
{
   ContainerWidget* lines = layer ? dynamic_cast<ContainerWidget*>(
                                        layer->DescendantGetByPath("Panel.Submenus.Statistics.Statistics"))
                                  : nullptr;
   if (!lines)
   {
      return;
   }
   ColumnsLayOut(lines, ConstGet("StatisticsWidgetSpacingY")->FloatValueGet());
}

void ProfileMenu::StatisticsGamePreselect(const char* statisticsName)
{
   DropDownListWidget* games = layer ? dynamic_cast<DropDownListWidget*>(
                                           layer->DescendantGetByPath("Panel.Submenus.Statistics.GameList"))
                                     : nullptr;
   DropDownListWidget* solitaires = layer ? dynamic_cast<DropDownListWidget*>(layer->DescendantGetByPath(
                                                "Panel.Submenus.Statistics.SolitaireGameList"))
                                          : nullptr;
   GameListsPreselect(games, solitaires, "StatisticsScreenGames", statisticsName);
   StatisticsRefresh();
}

void ProfileMenu::OnSignInClick(PressButtonWidget* button, void* menu)
{
   (void)button;
   ProfileMenu* self = static_cast<ProfileMenu*>(menu);
   const char* name = self->SelectedProfileNameGet();
   if (name && !MenuInputIgnoredCheck())
   {
      const std::string kept = name;
      self->SignInAndLeave(kept.c_str());
   }
}

void ProfileMenu::OnRowDoubleClick(TableRowWidget* row, TableWidget* table, void* menu)
{
   (void)row;
   (void)table;
   OnSignInClick(nullptr, menu);
}

void ProfileMenu::OnProfileAddClick(PressButtonWidget* button, void* menu)
{
   (void)button;
   (void)menu;
   if (MenuInputIgnoredCheck())
   {
      return;
   }
   const JSONValue* limit = ConstGet("ProfileCountMax");
   const JSONValue* profiles = ProfilesGet();
   if ((limit->TypeGet() == JSONValue::TYPE_NUMBER || limit->TypeGet() == JSONValue::TYPE_BOOL) && profiles)
   {
      // Anything but the guest counts, a malformed entry included.
      i32 count = 0;
      for (i32 i = 0; i < profiles->CountGet(); ++i)
      {
         count +=
             StringsEqualCheck(profiles->ElementGet(i)->ItemGet("Name")->StringValueGet(), PROFILE_GUEST_NAME)
                 ? 0
                 : 1;
      }
      if (count >= limit->IntValueGet())
      {
         return;
      }
   }
   PopupManager::OpenUnlessOpen(&profileAddPopup);
}

void ProfileMenu::OnProfileRemoveClick(PressButtonWidget* button, void* menu)
{
   (void)button;
   ProfileMenu* self = static_cast<ProfileMenu*>(menu);
   if (MenuInputIgnoredCheck() || !self->SelectedProfileNameGet())
   {
      return;
   }
   if (MessageBoxPopup* box = MessageBoxPopup::Show("ProfileRemoveConfirmation", "MessageBoxYesNo"))
   {
      box->onYes = &ProfileMenu::OnProfileRemoveYes;
      box->onYesUserData = self;
   }
}

void ProfileMenu::OnProfileRemoveYes(MessageBoxPopup* box, PressButtonWidget* button, void* menu)
{
   (void)box;
   (void)button;
   ProfileMenu* self = static_cast<ProfileMenu*>(menu);
   const char* name = self->SelectedProfileNameGet();
   if (!name)
   {
      return;
   }
   const std::string removed = name;
   ProfileDelete(removed.c_str());
   self->ProfileListFill();
   self->StatisticsProfileListFill();
   self->SignInButtonsRefresh();
}

void ProfileMenu::OnPlayAsGuestClick(PressButtonWidget* button, void* menu)
{
   (void)button;
   if (!MenuInputIgnoredCheck())
   {
      static_cast<ProfileMenu*>(menu)->SignInAndLeave(PROFILE_GUEST_NAME);
   }
}

void ProfileMenu::OnLanguageClick(PressButtonWidget* button, void* menu)
{
   (void)button;
   (void)menu;
   if (!MenuInputIgnoredCheck())
   {
      PopupManager::OpenUnlessOpen(languageMenuPopup);
   }
}

void ProfileMenu::OnFaceCreatorClick(PressButtonWidget* button, void* menu)
{
   (void)button;
   ProfileMenu* self = static_cast<ProfileMenu*>(menu);
   const char* name = self->SelectedProfileNameGet();
   if (MenuInputIgnoredCheck() || !name)
   {
      return;
   }
   const std::string kept = name;
   ProfileLoad(kept.c_str());
   PopupManager::OpenUnlessOpen(self->faceCreatorPopup ? self->faceCreatorPopup : &faceCreator);
}

void ProfileMenu::OnTableSelectionChange(TableRowWidget* newRow, TableRowWidget* oldRow, bool byUser,
                                         TableWidget* table, void* menu)
{
   (void)newRow;
   (void)oldRow;
   (void)byUser;
   (void)table;
   static_cast<ProfileMenu*>(menu)->SignInButtonsRefresh();
}

namespace
{
void GameListSelectionHandle(DropDownListItemButtonWidget* newItem, bool byUser, DropDownListWidget* list,
                             ProfileMenu* menu, i32* index)
{
   if (!newItem || !list)
   {
      return;
   }
   *index = list->SelectionIndexGet();
   if (byUser)
   {
      menu->StatisticsRefresh();
   }
}
} // namespace

void ProfileMenu::OnGameListSelectionChange(DropDownListItemButtonWidget* newItem,
                                            DropDownListItemButtonWidget* oldItem, bool byUser,
                                            DropDownListWidget* list, void* menu)
{
   (void)oldItem;
   ProfileMenu* self = static_cast<ProfileMenu*>(menu);
   GameListSelectionHandle(newItem, byUser, list, self, &self->statisticsGameIndex);
}

void ProfileMenu::OnSolitaireListSelectionChange(DropDownListItemButtonWidget* newItem,
                                                 DropDownListItemButtonWidget* oldItem, bool byUser,
                                                 DropDownListWidget* list, void* menu)
{
   (void)oldItem;
   ProfileMenu* self = static_cast<ProfileMenu*>(menu);
   GameListSelectionHandle(newItem, byUser, list, self, &self->solitaireGameIndex);
}
} // namespace Corvale
