// The profile menu and the profile add popup on small layers with the real profile store in a
// temporary save folder: names refused and accepted, the profile limit, removal, signing in, the
// guest, the face creator after the close, the pages offered during a game, and the statistics
// page's formatting, aliases and columns.
#include "app/ProfileMenu.h"

#include <climits>

#include "app/ProfileAddPopup.h"
#include "app/profile/StatisticsStore.h"
#include "core/FileManagerStdio.h"
#include "gui/popup/MessageBoxPopup.h"
#include "gui/widgets/DropDownListWidget.h"
#include "gui/widgets/LabelWidget.h"
#include "gui/widgets/StateContainerWidget.h"
#include "gui/widgets/TableWidget.h"
#include "gui/widgets/TextDocumentWidget.h"
#include "gui/widgets/TextEntryWidget.h"
#include "tests/app/MenuTestSupport.h"

namespace MenuTest
{
namespace
{
std::string Button(const char* name, int y)
{
   return std::string(R"({"Type": "PressButton", "Name": ")") + name + R"(", "PositionOffset": "500|)" +
          std::to_string(y) + R"(", "Bounds": "0|0|40|40"})";
}

std::string List(const char* name, int x)
{
   return std::string(R"({"Type": "DropDownList", "Name": ")") + name + R"(", "PositionOffset": ")" +
          std::to_string(x) + R"(|0", "Bounds": "0|0|100|30",
      "ScrollBox": {"Position": "0|30", "Bounds": "0|0|100|100", "ClipContainer": {"ClipArea": "0|0|100|100"}},
      "OpenButton": {"Bounds": "0|0|100|30"}, "ItemTemplate": {"Bounds": "0|0|100|20"}})";
}

const char* const menuConsts = R"({"ProfileCountMax": 3, "SignInMainPositionOffset": "15|25",
   "Languages": ["English"], "FaceCreatorIncluded": true, "SignInURLButtonsIncluded": false,
   "SolitaireGames": ["AcesUpSolitaire", "KlondikeSolitaire"],
   "StatisticsScreenGames": ["General", "Solitaire", "Playable"],
   "Statistics": {"General": [{"Type": "Int", "TextKey": "Played", "GeneralStatistic": "GamesPlayed"}],
      "Solo": [{"Type": "IntWithPercentage", "TextKey": "Won", "GameStatistic": "GamesWon",
                "DenominatorGameStatistic": "GamesPlayed"},
               {"Type": "TimeFromSeconds", "TextKey": "Best", "GameStatistic": "BestWinTimeSeconds",
                "ValueVisibleConditionNonZeroGameStatistic": "BestWinTimeSecondsDefined"},
               {"TextKey": "NoType"},
               {"Type": "IntMoney", "TextKey": "Money", "GameStatistic": "MoneyWon"}],
      "AcesUpSolitaire": "Solo", "KlondikeSolitaire": "Solo", "Playable": "General"},
   "StatisticsWidget": {"Bounds": "0|0|100|40", "Children": [{"Type": "Label", "Name": "Label"},
      {"Type": "Label", "Name": "Value"}]},
   "StatisticsWidgetSpacingY": 10})";

class ProfileMenuTest : public MenuFixture
{
 protected:
   void SetUp() override
   {
      MenuFixture::SetUp();
      SaveFolderUse();
      ConstsSet(menuConsts);
      LayerWrite("ProfileMenu", R"({"Children": [{"Type": "Container", "Name": "Panel", )" +
                                    std::string(transitions) + R"(, "Children": [
         {"Type": "PressButton", "Name": "Close", "Bounds": "0|0|40|40"},
         {"Type": "RadioButtonContainer", "Name": "SubmenuButtons", "Children": [
            {"Type": "RadioButton", "Name": "SignIn", "Bounds": "0|0|40|40"},
            {"Type": "RadioButton", "Name": "Statistics", "PositionOffset": "50|0", "Bounds": "0|0|40|40"}]},
         {"Type": "StateContainer", "Name": "Submenus", "Children": [
            {"Type": "Container", "Name": "SignIn", "Children": [
               {"Type": "Container", "Name": "Main", "Children": [
                  {"Type": "Table", "Name": "Profiles", "Bounds": "0|0|300|300",
                   "ScrollBox": {"Bounds": "0|0|300|300", "Columns": {"Children": []},
                                 "ClipContainer": {"ClipArea": "0|0|300|300"}},
                   "RowTemplate": {"Bounds": "0|0|300|30", "RowButton": {"Bounds": "0|0|300|30"},
                                   "Cells": {"Children": [{"Type": "Label", "Name": "Name"}]}}},)" +
                                    Button("SignIn", 0) + "," + Button("ProfileAdd", 50) + "," +
                                    Button("ProfileRemove", 100) + "," + Button("PlayAsGuest", 150) + "," +
                                    Button("Language", 200) + "," + Button("FaceCreator", 250) + R"(]},
               {"Type": "Label", "Name": "Version"},
               {"Type": "Container", "Name": "URLButton1Container"},
               {"Type": "Container", "Name": "URLButton2Container"}]},
            {"Type": "Container", "Name": "Statistics", "Children": [
               {"Type": "Container", "Name": "Statistics", "PositionOffset": "0|40", "Bounds": "0|0|400|100"},)" +
                                    List("ProfileList", 0) + "," + List("GameList", 110) + "," +
                                    List("SolitaireGameList", 220) + "]}]}]}]}");
      LayerWrite("ProfileAdd", R"({"Children": [{"Type": "Container", "Name": "Panel", )" +
                                   std::string(transitions) + R"(, "Children": [
         {"Type": "TextEntry", "Name": "ProfileName", "Bounds": "0|0|300|40", "CanHaveFocus": true,
          "TextLengthMax": 24},
         {"Type": "TextDocument", "Name": "Explanation", "PositionOffset": "0|50", "Bounds": "0|0|300|60",
          "ClipContainer": {"ClipArea": "0|0|300|60"}},
         {"Type": "PressButton", "Name": "OK", "PositionOffset": "0|120", "Bounds": "0|0|40|40"},
         {"Type": "PressButton", "Name": "Cancel", "PositionOffset": "50|120", "Bounds": "0|0|40|40"}]}]})");
      profileMenu.faceCreatorPopup = &faces;
      profileMenu.submenuIndex = 0;
      profileMenu.statisticsGameIndex = 0;
      profileMenu.solitaireGameIndex = 0;
   }

   void TearDown() override
   {
      PopupManager::CloseAll();
      fileManagerPersistence = nullptr;
      ProfileLoad(nullptr);
      MemoryDelete(settings);
      settings = nullptr;
      profileMenu.faceCreatorPopup = nullptr;
      MenuFixture::TearDown();
   }

   // Settings.json with these profiles (in order), the first one signed in unless none is named.
   void ProfilesMake(std::initializer_list<const char*> names, const char* current)
   {
      MemoryDelete(settings);
      settings = TextParse("{}").release();
      for (const char* name : names)
      {
         ProfileLoad(name);
      }
      ProfileLoad(current);
   }

   void MenuOpen()
   {
      PopupManager::OpenUnlessOpen(&profileMenu);
      Settle();
   }

   std::string SettingsOnDisk()
   {
      std::ifstream in(folder + "/Save/Settings.json");
      return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
   }

   TableWidget* Table() { return WidgetAt<TableWidget>("ProfileMenu.Panel.Submenus.SignIn.Main.Profiles"); }

   std::string Rows()
   {
      std::string rows;
      for (i32 i = 0; Table() && i < Table()->RowCountGet(); i++)
      {
         rows += std::string(rows.empty() ? "" : ",") +
                 dynamic_cast<LabelWidget*>(Table()->CellGet(i, 0))->TextGet();
      }
      return rows;
   }

   bool Open(Popup* popup) { return PopupManager::IndexGet(popup) >= 0; }

   void NameType(const char* name)
   {
      TextEntryWidget* entry = WidgetAt<TextEntryWidget>("ProfileAdd.Panel.ProfileName");
      ASSERT_NE(entry, nullptr);
      entry->TextSet(name);
   }

   std::string Explanation()
   {
      TextDocumentWidget* text = WidgetAt<TextDocumentWidget>("ProfileAdd.Panel.Explanation");
      return text && text->TextKeyGet() ? text->TextKeyGet() : "";
   }

   // The value texts of the statistics lines, "-" for a hidden one.
   std::string Values()
   {
      ContainerWidget* lines = WidgetAt<ContainerWidget>("ProfileMenu.Panel.Submenus.Statistics.Statistics");
      std::string values;
      for (i32 i = 0; lines && i < lines->ChildCountGet(); i++)
      {
         LabelWidget* value = dynamic_cast<LabelWidget*>(
             dynamic_cast<ContainerWidget*>(lines->ChildGetAt(i))->ChildGetByName("Value"));
         values += std::string(values.empty() ? "" : ",") +
                   (value->visible ? (value->TextGet() ? value->TextGet() : "") : "-");
      }
      return values;
   }

   DropDownListWidget* ListAt(const char* name)
   {
      return WidgetAt<DropDownListWidget>(
          (std::string("ProfileMenu.Panel.Submenus.Statistics.") + name).c_str());
   }

   CountingPopup faces{"Settings"};
};

TEST(StatisticsFormat, EachTypeWritesItsText)
{
   const struct
   {
      const char* type;
      i32 value;
      bool denominatorGiven;
      i32 denominator;
      const char* expected;
   } cases[] = {
       {"Int", -7, false, 0, "-7"},
       {"IntWithPercentage", 3, true, 4, "3 (75.00%)"},
       {"IntWithPercentage", 3, true, 0, "3"},
       {"IntWithPercentage", 3, false, 4, "3"},
       {"IntMoney", -25, false, 0, "-$25"},
       {"IntMoney", 0, false, 0, "$0"},
       {"IntMoney", 1500, false, 0, "$1500"},
       {"IntMoney", INT_MIN, false, 0, "-$2147483648"},
       {"TimeFromSeconds", 3725, false, 0, "1:02:05"},
       {"TimeFromSeconds", 59, false, 0, "0:00:59"},
   };
   for (const auto& c : cases)
   {
      char text[STATISTICS_TEXT_SIZE] = "unchanged";
      EXPECT_TRUE(
          StatisticsValueFormat(text, sizeof(text), c.type, c.value, c.denominatorGiven, c.denominator))
          << c.type << " " << c.value;
      EXPECT_STREQ(text, c.expected) << c.type << " " << c.value;
   }
   char text[STATISTICS_TEXT_SIZE] = "unchanged";
   EXPECT_FALSE(StatisticsValueFormat(text, sizeof(text), "Float", 1, false, 0));
   EXPECT_STREQ(text, "unchanged");
}

TEST(StatisticsFormat, AliasesAreFollowedAndACycleGivesNothing)
{
   ValuePointer statistics = TextParse(R"({"Solo": [{"Type": "Int"}], "A": "B", "B": "Solo",
      "Loop1": "Loop2", "Loop2": "Loop1", "Self": "Self", "Missing": "Nowhere", "Number": 3})");
   EXPECT_EQ(StatisticsLinesGet(statistics.get(), "A"), statistics->ItemGet("Solo"));
   EXPECT_EQ(StatisticsLinesGet(statistics.get(), "Solo"), statistics->ItemGet("Solo"));
   for (const char* name : {"Loop1", "Self", "Missing", "Number", "Unknown"})
   {
      EXPECT_EQ(StatisticsLinesGet(statistics.get(), name), nullptr) << name;
   }
}

TEST_F(ProfileMenuTest, ProfileAddRefusesEmptyGuestAndTakenNamesAndWritesNothing)
{
   ProfilesMake({"Ada", "Bob"}, "Ada");
   MenuOpen();
   const std::string before = SettingsOnDisk();
   Click("ProfileMenu.Panel.Submenus.SignIn.Main.ProfileAdd");
   Settle();
   ASSERT_TRUE(Open(&profileAddPopup));
   EXPECT_EQ(GUIManager::focus, WidgetAt<Widget>("ProfileAdd.Panel.ProfileName"));
   const struct
   {
      const char* name;
      const char* explanation;
   } refused[] = {{"", "ProfileNameEmptyExplanation"},
                  {"<Guest>", "ProfileNameTakenExplanation"},
                  {"Bob", "ProfileNameTakenExplanation"}};
   for (const auto& c : refused)
   {
      NameType(c.name);
      Click("ProfileAdd.Panel.OK");
      Settle();
      EXPECT_TRUE(Open(&profileAddPopup)) << c.name;
      EXPECT_EQ(Explanation(), c.explanation) << c.name;
   }
   EXPECT_EQ(SettingsOnDisk(), before);
   EXPECT_EQ(ProfilesGet()->CountGet(), 2);
}

TEST_F(ProfileMenuTest, ANameDifferingInCaseIsAddedOnDiskAndSelectedWhileTheCurrentStays)
{
   ProfilesMake({"Ada", "Bob"}, "Bob");
   MenuOpen();
   Click("ProfileMenu.Panel.Submenus.SignIn.Main.ProfileAdd");
   Settle();
   NameType("ada");
   // Enter in the name field confirms as OK does.
   TextEntryWidget* entry = WidgetAt<TextEntryWidget>("ProfileAdd.Panel.ProfileName");
   ASSERT_TRUE(entry->onEnterPress);
   entry->onEnterPress(entry, entry->onEnterPressUserData);
   Settle();
   EXPECT_FALSE(Open(&profileAddPopup));
   EXPECT_STREQ(profileCurrentName, "Bob");
   ASSERT_GE(ProfileFolderNumberGet("ada"), 0);
   EXPECT_TRUE(std::filesystem::is_regular_file(
       folder + "/Save/Profiles/" + std::to_string(ProfileFolderNumberGet("ada")) + "/Profile.json"));
   EXPECT_NE(SettingsOnDisk().find("\"ada\""), std::string::npos);
   EXPECT_EQ(Rows(), "Ada,Bob,ada");
   EXPECT_STREQ(profileMenu.SelectedProfileNameGet(), "ada");
   EXPECT_EQ(ListAt("ProfileList")->ItemCountGet(), 3);
}

TEST_F(ProfileMenuTest, AddingWhileSignedOutStaysSignedOut)
{
   ProfilesMake({"Ada"}, nullptr);
   PopupManager::Open(&profileAddPopup);
   Settle();
   NameType("Cy");
   Click("ProfileAdd.Panel.OK");
   Settle();
   EXPECT_EQ(profileCurrent, nullptr);
   EXPECT_EQ(profileCurrentName, nullptr);
   EXPECT_NE(ProfileEntryGet("Cy"), nullptr);
}

TEST_F(ProfileMenuTest, TheProfileLimitHoldsUntilOneIsRemoved)
{
   ProfilesMake({"<Guest>", "Cy", "Ada", "Bob"}, "Bob");
   MenuOpen();
   EXPECT_EQ(Rows(), "Ada,Bob,Cy") << "sorted, without the guest";
   EXPECT_STREQ(profileMenu.SelectedProfileNameGet(), "Bob");
   Click("ProfileMenu.Panel.Submenus.SignIn.Main.ProfileAdd");
   Settle();
   EXPECT_FALSE(Open(&profileAddPopup)) << "three besides the guest is the limit";

   Table()->SelectionSetByIndex(2, true);
   Click("ProfileMenu.Panel.Submenus.SignIn.Main.ProfileRemove");
   Settle();
   Click("MessageBoxYesNo.Panel.Yes");
   Settle();
   EXPECT_EQ(Rows(), "Ada,Bob");
   EXPECT_EQ(ProfileEntryGet("Cy"), nullptr);
   EXPECT_STREQ(profileCurrentName, "Bob");
   Click("ProfileMenu.Panel.Submenus.SignIn.Main.ProfileAdd");
   Settle();
   EXPECT_TRUE(Open(&profileAddPopup));
}

TEST_F(ProfileMenuTest, WithoutASelectionTheRowButtonsAreDisabledAndDoNothing)
{
   ProfilesMake({"<Guest>", "Ada"}, "<Guest>");
   MenuOpen();
   EXPECT_EQ(Rows(), "Ada");
   EXPECT_EQ(Table()->SelectionGet(), -1) << "the guest is never a row";
   for (const char* name : {"SignIn", "ProfileRemove", "FaceCreator"})
   {
      const std::string path = std::string("ProfileMenu.Panel.Submenus.SignIn.Main.") + name;
      EXPECT_FALSE(WidgetAt<Widget>(path.c_str())->EnabledCheck()) << name;
      Click(path.c_str());
   }
   Settle();
   EXPECT_EQ(PopupManager::popups.count, 1) << "no question, no face creator";
   EXPECT_STREQ(profileCurrentName, "<Guest>");
   EXPECT_FALSE(WidgetAt<Widget>("ProfileMenu.Panel.Submenus.SignIn.Main.Language")->VisibleCheck());
   EXPECT_EQ(WidgetAt<Widget>("ProfileMenu.Panel.Submenus.SignIn.Main")->PositionGet().x, 15.0f);

   Table()->SelectionSetByIndex(0, true);
   EXPECT_TRUE(WidgetAt<Widget>("ProfileMenu.Panel.Submenus.SignIn.Main.SignIn")->EnabledCheck());
}

TEST_F(ProfileMenuTest, ClosingSignedOutSignsInTheGuest)
{
   ProfilesMake({"Ada"}, nullptr);
   MenuOpen();
   Click("ProfileMenu.Panel.Close");
   Settle();
   EXPECT_FALSE(Open(&profileMenu));
   EXPECT_STREQ(profileCurrentName, "<Guest>");
}

TEST_F(ProfileMenuTest, SigningInAProfileThatNeverSawTheFaceCreatorOpensItOnceTheMenuHasGone)
{
   ProfilesMake({"Ada", "Bob"}, "Ada");
   ProfileEntryGet("Ada")->ItemBoolSet("FaceCreatorSeen", true);
   MenuOpen();
   Table()->SelectionSetByIndex(1, true);
   Click("ProfileMenu.Panel.Submenus.SignIn.Main.SignIn");
   EXPECT_STREQ(profileCurrentName, "Bob");
   EXPECT_EQ(faces.opens, 0) << "not before the close completes";
   Settle();
   EXPECT_FALSE(Open(&profileMenu));
   EXPECT_EQ(faces.opens, 1);

   PopupManager::CloseAll();
   MenuOpen();
   Table()->SelectionSetByIndex(0, true);
   Click("ProfileMenu.Panel.Submenus.SignIn.Main.SignIn");
   Settle();
   EXPECT_STREQ(profileCurrentName, "Ada");
   EXPECT_EQ(faces.opens, 1) << "Ada has seen it";
}

TEST_F(ProfileMenuTest, DuringAGameOnlyTheStatisticsPageIsOfferedWithTheGamePreselected)
{
   ProfilesMake({"Ada"}, "Ada");
   StatisticGameAdd(2, "GamesPlayed", "Playable", "Ada");
   StatisticGeneralAdd(5, "GamesPlayed", "Ada");
   Enter(&mainMenu);
   GameStateManager::Push(&game);
   Settle();
   ASSERT_EQ(GameStateManager::current, &game);
   MenuOpen();
   EXPECT_FALSE(profileMenu.SubmenuAvailableCheck("SignIn"));
   StateContainerWidget* pages = WidgetAt<StateContainerWidget>("ProfileMenu.Panel.Submenus");
   EXPECT_STREQ(pages->StateNameGet(), "Statistics");
   EXPECT_STREQ(ListAt("GameList")->SelectionNameGet(), "Playable");
   // "Playable" is an alias of "General", whose line reads the general statistic.
   EXPECT_EQ(Values(), "5");
}

TEST_F(ProfileMenuTest, StatisticsShowTheChosenSolitaireThroughItsAliasAndWrapIntoASecondColumn)
{
   ProfilesMake({"Ada"}, "Ada");
   StatisticGameAdd(4, "GamesPlayed", "KlondikeSolitaire", "Ada");
   StatisticGameAdd(3, "GamesWon", "KlondikeSolitaire", "Ada");
   StatisticGameSet(3725, "BestWinTimeSeconds", "KlondikeSolitaire", "Ada");
   StatisticGameAdd(-25, "MoneyWon", "KlondikeSolitaire", "Ada");
   MenuOpen();
   EXPECT_STREQ(ListAt("ProfileList")->SelectionNameGet(), "Ada");
   EXPECT_FALSE(ListAt("SolitaireGameList")->visible) << "General is chosen first";
   ListAt("GameList")->SelectionSetByName("Solitaire", true);
   EXPECT_TRUE(ListAt("SolitaireGameList")->visible);
   ListAt("SolitaireGameList")->SelectionSetByName("KlondikeSolitaire", true);
   EXPECT_EQ(profileMenu.solitaireGameIndex, 1);
   // The time is hidden until a best time is defined; the line without a type is skipped.
   EXPECT_EQ(Values(), "3 (75.00%),-,-$25");
   StatisticGameFlagSet("BestWinTimeSecondsDefined", "KlondikeSolitaire", "Ada");
   profileMenu.StatisticsRefresh();
   EXPECT_EQ(Values(), "3 (75.00%),1:02:05,-$25");
   // Lines of 40 with a gap of 10 in a container 100 high: the third goes to the second column.
   ContainerWidget* lines = WidgetAt<ContainerWidget>("ProfileMenu.Panel.Submenus.Statistics.Statistics");
   ASSERT_EQ(lines->ChildCountGet(), 3);
   EXPECT_EQ(lines->ChildGetAt(1)->PositionGet().y, 50.0f);
   EXPECT_EQ(lines->ChildGetAt(2)->PositionGet().x, 200.0f);
   EXPECT_EQ(lines->ChildGetAt(2)->PositionGet().y, 0.0f);
}

TEST_F(ProfileMenuTest, TheGuestsStatisticsPageStaysEmpty)
{
   ProfilesMake({"Ada", "<Guest>"}, "<Guest>");
   MenuOpen();
   EXPECT_EQ(ListAt("ProfileList")->SelectionGet(), nullptr);
   EXPECT_EQ(ListAt("ProfileList")->ItemCountGet(), 1);
   EXPECT_EQ(Values(), "");
}

TEST_F(ProfileMenuTest, OpeningWithNoProfileAtAllAsksForOne)
{
   ProfilesMake({}, nullptr);
   MenuOpen();
   EXPECT_TRUE(Open(&profileAddPopup));
}
} // namespace
} // namespace MenuTest
