// Tuxedo in the running program: from the main menu to the table, where on the human's first turn
// the human's four cards show their faces and the table's cards lie where the built constants put
// them, with Match, Build and Discard all disabled; a click on a hand card raises it.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/JSONValue.h"
#include "tests/app/CardTableShots.h"
#include "tests/app/MainMenuGameFixture.h"

namespace
{
using namespace ProgramTestSupport;
using Corvale::JSONValue;

// A pile's constants by type and owner, as the rules find it.
const JSONValue* PileGet(const JSONValue* game, const char* type, int owner)
{
   const JSONValue* piles = game->ItemGet("CardPiles");
   for (int i = 0; i < piles->CountGet(); i++)
   {
      const JSONValue* pile = piles->ElementGet(i);
      const char* pileType = pile->ItemGet("Type")->StringValueGet();
      const int id = pile->ItemNumberCheck("OwnerID") ? pile->ItemGet("OwnerID")->IntValueGet() : -1;
      if (pileType && std::string(pileType) == type && id == owner)
      {
         return pile;
      }
   }
   ADD_FAILURE() << "no pile " << type << " of " << owner;
   return nullptr;
}

Corvale::Point2F PointGet(const JSONValue* value, const char* key)
{
   return value ? value->ItemGet(key)->Point2FValueGet() : Corvale::Point2F{0, 0};
}

// The centre of card index of count in a centred row pile: the first row only.
Point RowCardGet(const JSONValue* pile, int index, int count, int perRow)
{
   const Corvale::Point2F at = PointGet(pile, "Position");
   const Corvale::Point2F offset = PointGet(pile, "CardPositionOffset");
   const int inRow = count < perRow ? count : perRow;
   const float x =
       at.x + offset.x * static_cast<float>(index) - offset.x * static_cast<float>(inRow - 1) / 2.0f;
   return Point{static_cast<int>(x), static_cast<int>(at.y)};
}

// The number of face-up cards in the table's first row: every card's face shows at its place and
// the felt beyond both ends (a swept table: felt at its place); -1 when no count fits.
int TableCountGet(const Snapshot& shot, const JSONValue* table)
{
   if (WhiteShareGet(shot, RowCardGet(table, 0, 1, 8), 30, 40) < 0.05)
   {
      return 0;
   }
   for (int count = 1; count <= 8; ++count)
   {
      bool fits = true;
      for (int i = 0; fits && i < count; ++i)
      {
         fits = WhiteShareGet(shot, RowCardGet(table, i, count, 8), 20, 40) > 0.35;
      }
      const Point first = RowCardGet(table, 0, count, 8);
      const Point last = RowCardGet(table, count - 1, count, 8);
      fits = fits && WhiteShareGet(shot, Point{first.x - 60, first.y}, 10, 30) < 0.05 &&
             WhiteShareGet(shot, Point{last.x + 60, last.y}, 10, 30) < 0.05;
      if (fits)
      {
         return count;
      }
   }
   return -1;
}

// The white border down the right edge of a card centred at the point, whatever the felt.
bool RightEdgeCheck(const Snapshot& shot, Point centre)
{
   return WhiteShareGet(shot, Point{centre.x + 38, centre.y}, 1, 30) > 0.6;
}

// The share of clearly blue pixels in the button's left end (clear of its caption): enabled art is
// blue, disabled art grey.
double ButtonBlueShareGet(const Snapshot& shot, Corvale::Point2F topLeft)
{
   int blue = 0, all = 0;
   for (int y = static_cast<int>(topLeft.y) + 8; y < static_cast<int>(topLeft.y) + 32; y += 2)
   {
      for (int x = static_cast<int>(topLeft.x) + 6; x < static_cast<int>(topLeft.x) + 22; x += 2)
      {
         const Rgb c = shot.At(x, y);
         blue += c.b > c.r + 50 ? 1 : 0;
         all++;
      }
   }
   return all > 0 ? static_cast<double>(blue) / all : 0.0;
}

class TuxedoEndToEnd : public MainMenuGameFixture
{
 protected:
   std::unique_ptr<JSONValue, void (*)(JSONValue*)> tuxedo = DocumentLoad("Scripts/Minigames/Tuxedo");
   std::unique_ptr<JSONValue, void (*)(JSONValue*)> layer = DocumentLoad("Graphics/GUI/Tuxedo/Widgets");
   std::unique_ptr<JSONValue, void (*)(JSONValue*)> buildConsts = DocumentLoad("Scripts/BuildConsts");
};

TEST_F(TuxedoEndToEnd, TheHumansTurnShowsItsHandAndTheTableAndAClickRaisesACard)
{
   if (!x11.fakeKeyEvent || !x11.fakeButtonEvent)
   {
      GTEST_SKIP() << "XTest is not available to press keys and buttons";
   }
   deadline = std::chrono::steady_clock::now() + std::chrono::seconds(150);
   ASSERT_TRUE(tuxedo && layer && buildConsts);
   const std::string screens = ScreensFolderGet();
   const JSONValue* table = PileGet(tuxedo.get(), "Take", -1);
   const JSONValue* human = PileGet(tuxedo.get(), "Hand", 0);
   const JSONValue* computer = PileGet(tuxedo.get(), "Hand", 1);
   ASSERT_TRUE(table && human && computer);
   std::vector<Corvale::Point2F> buttons = {PointGet(tuxedo.get(), "DiscardButtonPosition")};
   const JSONValue* children = layer->ItemGet("Children");
   for (int i = 0; i < children->CountGet(); i++)
   {
      const char* name = children->ElementGet(i)->ItemGet("Name")->StringValueGet();
      if (name && (std::string(name) == "Build" || std::string(name) == "Match"))
      {
         buttons.push_back(PointGet(children->ElementGet(i), "PositionOffset"));
      }
   }
   ASSERT_EQ(buttons.size(), 3u);

   // The human's first turn: the human's four faces, the human's panel framed as the player on
   // turn and the computer's not. Either may lead (the first player is drawn), so the computer
   // holds three cards or four.
   const Corvale::JSONValue* panels = buildConsts->ItemGet("MinigameConstsTemplates")
                                          ->ItemGet("TableGame2Players")
                                          ->ItemGet("PlayerPanelPositions");
   ASSERT_TRUE(panels && panels->CountGet() == 2);
   auto panelFrameGet = [&](int seat)
   {
      const Corvale::Point2F at = panels->ElementGet(seat)->Point2FValueGet();
      return Point{static_cast<int>(at.x) + 150, static_cast<int>(at.y) + 2};
   };
   auto framedCheck = [&](const Snapshot& seen, int seat)
   {
      const Point top = panelFrameGet(seat);
      const Rgb c = seen.At(top.x, top.y);
      return c.r > 200 && c.g > 170 && c.b < 150;
   };
   auto humanTurnCheck = [&](const Snapshot& seen)
   {
      for (int i = 0; i < 4; ++i)
      {
         if (WhiteShareGet(seen, RowCardGet(human, i, 4, 4), 10, 40) < 0.35)
         {
            return false;
         }
      }
      return framedCheck(seen, 0) && !framedCheck(seen, 1) &&
             (RightEdgeCheck(seen, RowCardGet(computer, 2, 3, 3)) ||
              RightEdgeCheck(seen, RowCardGet(computer, 3, 4, 4))) &&
             TableCountGet(seen, table) >= 0;
   };
   ASSERT_NO_FATAL_FAILURE(MainMenuReach());
   // Tuxedo is the eleventh entry of the main menu's games.
   ASSERT_NO_FATAL_FAILURE(SelectorStep(10));
   std::unique_ptr<Snapshot> shot;
   ASSERT_NO_FATAL_FAILURE(PlayUntil(humanTurnCheck, &shot, "TuxedoNotShown.png"));
   // Settled: the same table twice a second apart.
   int count = -1;
   for (int last = -2; window && std::chrono::steady_clock::now() < deadline;)
   {
      std::this_thread::sleep_for(std::chrono::milliseconds(1000));
      shot = Snap();
      ASSERT_NE(shot->bitmap, nullptr);
      count = humanTurnCheck(*shot) ? TableCountGet(*shot, table) : -1;
      if (count >= 0 && count == last)
      {
         break;
      }
      last = count;
   }
   ScreenKeep(lastShot, screens + "/TuxedoHumanTurn.png", 960);
   ASSERT_GE(count, 0) << "the table's cards are not where the constants put them";
   for (const Corvale::Point2F& button : buttons)
   {
      EXPECT_LT(ButtonBlueShareGet(*shot, button), 0.2)
          << "a button enabled at " << button.x << "|" << button.y;
   }

   // A click on the human's last card lifts it by the pile's selected offset.
   const Point card = RowCardGet(human, 3, 4, 4);
   const int lift = static_cast<int>(-PointGet(human, "CardSelectedPositionOffset").y);
   ASSERT_GT(lift, 10);
   const Point above{card.x, card.y - 56 - lift / 2};
   ASSERT_LT(WhiteShareGet(*shot, above, 20, lift / 2 - 4), 0.05) << "felt above the card before the click";
   bool raised = false;
   for (int look = 0; !raised && window && std::chrono::steady_clock::now() < deadline; ++look)
   {
      if (look % 10 == 0)
      {
         x11.Click(window, card.x, card.y);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
      shot = Snap();
      ASSERT_NE(shot->bitmap, nullptr);
      raised = WhiteShareGet(*shot, above, 20, lift / 2 - 4) > 0.5;
   }
   ScreenKeep(lastShot, screens + "/TuxedoCardRaised.png", 960);
   EXPECT_TRUE(raised) << "the clicked card did not rise";
   Stop();
   EXPECT_EQ(FileRead(saveFolder + "/Log.txt"), "") << "the run logged a problem";
}
} // namespace
