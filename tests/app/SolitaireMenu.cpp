// The solitaire menu: buttons for at most 50 games, hidden ones for what is not a game key,
// games not built yet shown disabled without a favourite, and the favourites loaded from and
// saved to the profile, also when the menu is left by starting a game.
#include "app/SolitaireMenu.h"

#include "gui/widgets/LabelWidget.h"
#include "gui/widgets/PressButtonWidget.h"
#include "gui/widgets/ToggleButtonWidget.h"
#include "tests/app/MenuTestSupport.h"

namespace MenuTest
{
namespace
{
class SolitaireMenuTest : public MenuFixture
{
 protected:
   void SetUp() override
   {
      MenuFixture::SetUp();
      std::string games;
      for (int n = 1; n <= SOLITAIRE_MENU_GAMES_MAX; n++)
      {
         games += std::string(n > 1 ? ", " : "") + R"({"Type": "PressButton", "Name": "Game)" +
                  std::to_string(n) +
                  R"(", "Bounds": "0|0|40|40"}, {"Type": "ToggleButton", "Name": "Favorite)" +
                  std::to_string(n) + R"(", "Bounds": "0|0|20|20"})";
      }
      LayerWrite("SolitaireMenu", std::string(R"({"Children": [{"Type": "Container", "Name": "Panel", )") +
                                      transitions + R"(, "Children": [{"Type": "Label", "Name": "Title"}]},
         {"Type": "Container", "Name": "Games", "Children": [)" +
                                      games + R"(]}, {"Type": "Label", "Name": "Version"}]})");
   }

   // Constants whose "SolitaireGames" holds the given elements.
   void GamesSet(const std::string& elements)
   {
      ConstsSet(R"({"SolitaireMenuTitleTextKey": "SolitaireTitle", "SolitaireGames": [)" + elements + "]}");
   }

   PressButtonWidget* Button(int n) { return solitaireMenu.gameButtons[n - 1]; }
   ToggleButtonWidget* Favorite(int n) { return solitaireMenu.favoriteToggles[n - 1]; }
};

TEST_F(SolitaireMenuTest, ShowsTheFirstFiftyKeysAndHidesWhatIsNoKey)
{
   std::string elements = R"("Playable", 7, "GinRummy")";
   for (int i = 0; i < 60; i++)
   {
      elements += R"(, "Playable")";
   }
   GamesSet(elements);
   ProfileSet("{}");
   Enter(&solitaireMenu);
   ASSERT_TRUE(Button(1) && Button(2) && Button(3) && Button(50) && Favorite(50));
   EXPECT_STREQ(Button(1)->TextKeyGet(), "Playable");
   EXPECT_TRUE(Button(1)->EnabledCheck());
   EXPECT_TRUE(Favorite(1)->VisibleCheck());
   EXPECT_FALSE(Button(2)->VisibleCheck());
   EXPECT_FALSE(Favorite(2)->VisibleCheck());
   // Not built yet: the name shows, disabled, without a favourite.
   EXPECT_TRUE(Button(3)->VisibleCheck());
   EXPECT_STREQ(Button(3)->TextKeyGet(), "GinRummy");
   EXPECT_FALSE(Button(3)->EnabledCheck());
   EXPECT_FALSE(Favorite(3)->VisibleCheck());
   EXPECT_TRUE(Button(50)->VisibleCheck());
   EXPECT_STREQ(WidgetAt<LabelWidget>("SolitaireMenu.Panel.Title")->TextKeyGet(), "SolitaireTitle");

   // A click on the unbuilt game's button starts nothing.
   Button(3)->onClick(Button(3), Button(3)->onClickUserData);
   EXPECT_FALSE(GameStateManager::switchPending);
   // Leaving writes one bool per shown game key, the unbuilt one's as well.
   GameStateManager::Deinit();
   const JSONValue* favorites = profileCurrent->ItemGet("SolitaireFavorites");
   EXPECT_EQ(TextWrite(favorites),
             TextWrite(TextParse(R"({"GinRummy": false, "Playable": false})").get()));
}

TEST_F(SolitaireMenuTest, AProfileWithoutFavoritesGetsAnEmptyObjectOnLoading)
{
   GamesSet(R"("Playable", "GinRummy")");
   ProfileSet(R"({"SolitaireFavorites": 5})");
   Enter(&solitaireMenu);
   const JSONValue* favorites = profileCurrent->ItemGet("SolitaireFavorites");
   EXPECT_EQ(favorites->TypeGet(), JSONValue::TYPE_OBJECT);
   EXPECT_EQ(favorites->CountGet(), 0) << "loading wrote favourites";
   EXPECT_FALSE(Favorite(1)->OnGet());
}

TEST_F(SolitaireMenuTest, FavoritesLoadAndAreSavedBeforeTheStartedGameRuns)
{
   GamesSet(R"("GinRummy", "Playable")");
   ProfileSet(R"({"SolitaireFavorites": {"Playable": 1, "Other": true}})");
   Enter(&solitaireMenu);
   EXPECT_TRUE(Favorite(2)->OnGet());
   Favorite(2)->OnSet(false);
   Button(2)->onClick(Button(2), Button(2)->onClickUserData);
   Button(2)->onClick(Button(2), Button(2)->onClickUserData);
   Settle();
   ASSERT_EQ(GameStateManager::current, &game);
   EXPECT_EQ(game.inits, 1);
   EXPECT_EQ(game.favoritesOnEntry,
             TextWrite(TextParse(R"({"GinRummy": false, "Other": true, "Playable": false})").get()));
   EXPECT_EQ(Button(2), nullptr) << "the buttons were not forgotten";
}

TEST_F(SolitaireMenuTest, WithoutAGameListOrAProfileNothingIsWired)
{
   ConstsSet("{}");
   Enter(&solitaireMenu);
   EXPECT_EQ(Button(1), nullptr);
   GameStateManager::Deinit();
   EXPECT_EQ(profileCurrent, nullptr);
}
} // namespace
} // namespace MenuTest
