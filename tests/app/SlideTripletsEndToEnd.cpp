// Slide and Triplets in one run of the program: from the solitaire menu through the settings menu
// to Slide's dealt grid of 24 faces, where R1 slides the Talon's card into the first row; then back
// through the menu bar to Triplets and its 18 face-up tops. Places come from the built constants
// and layers.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>
#include <algorithm>

#include "core/JSONValue.h"
#include "tests/app/CardTableShots.h"
#include "tests/app/ProgramTestSupport.h"

namespace
{
using namespace ProgramTestSupport;
using Corvale::JSONValue;

// The pixels that differ clearly between the box around a in one shot and the box around b in
// another, both of half size (w, h).
int DifferenceCountGet(const Snapshot& first, Point a, const Snapshot& second, Point b, int w, int h)
{
   int differ = 0;
   for (int dy = -h; dy < h; dy++)
   {
      for (int dx = -w; dx < w; dx++)
      {
         const Rgb p = first.At(a.x + dx, a.y + dy);
         const Rgb q = second.At(b.x + dx, b.y + dy);
         differ += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b) > 60 ? 1 : 0;
      }
   }
   return differ;
}

// The pixels of the box of half size (w, h) around the point, every other one.
std::vector<Rgb> RegionGet(const Snapshot& shot, Point centre, int w, int h)
{
   std::vector<Rgb> pixels;
   for (int dy = -h; dy < h; dy += 2)
   {
      for (int dx = -w; dx < w; dx += 2)
      {
         pixels.push_back(shot.At(centre.x + dx, centre.y + dy));
      }
   }
   return pixels;
}

bool RegionsEqualCheck(const std::vector<Rgb>& a, const std::vector<Rgb>& b)
{
   return a.size() == b.size() &&
          std::equal(a.begin(), a.end(), b.begin(),
                     [](const Rgb& p, const Rgb& q) { return p.r == q.r && p.g == q.g && p.b == q.b; });
}

class SlideTripletsEndToEnd : public ProgramFixture
{
 protected:
   // From the solitaire menu through the game's button and the settings menu's Play to a table
   // that passes the check.
   template <typename Check>
   void TableReach(const char* button, Check dealtCheck, const std::string& keptAs,
                   std::unique_ptr<Snapshot>* shot)
   {
      Point entry{}, gameTab{}, settingsPlay{};
      ASSERT_TRUE(LayerFiles::CentreGet("SolitaireMenu", button, &entry.x, &entry.y));
      ASSERT_TRUE(LayerFiles::CentreGet("SettingsMenu", "Panel.SubmenuButtons.Game", &gameTab.x, &gameTab.y));
      ASSERT_TRUE(LayerFiles::CentreGet("SettingsMenu", "Panel.Submenus.Game.Play", &settingsPlay.x,
                                        &settingsPlay.y));
      const auto solitaireMenuCheck = [&](const Snapshot& seen)
      { return ButtonCheck(seen, entry.x, entry.y); };
      const auto settingsMenuCheck = [&](const Snapshot& seen)
      {
         return GoldCheck(seen.At(gameTab.x, gameTab.y - 14)) &&
                ButtonCheck(seen, settingsPlay.x, settingsPlay.y);
      };
      ASSERT_TRUE(ClickUntil(entry.x, entry.y, settingsMenuCheck, solitaireMenuCheck))
          << button << " opened no settings menu on the game's page";
      ASSERT_TRUE(ClickUntil(settingsPlay.x, settingsPlay.y, dealtCheck, settingsMenuCheck, shot))
          << button << ": the dealt table never showed";
      ScreenKeep(lastShot, keptAs, 960);
   }

   std::unique_ptr<JSONValue, void (*)(JSONValue*)> slide = DocumentLoad("Scripts/Minigames/SlideSolitaire");
   std::unique_ptr<JSONValue, void (*)(JSONValue*)> triplets =
       DocumentLoad("Scripts/Minigames/TripletsSolitaire");
};

TEST_F(SlideTripletsEndToEnd, SlideDealsAndSlidesARowThenTripletsDeals)
{
   if (!x11.fakeKeyEvent || !x11.fakeButtonEvent)
   {
      GTEST_SKIP() << "XTest is not available to press keys and buttons";
   }
   deadline = std::chrono::steady_clock::now() + std::chrono::seconds(400);
   ASSERT_TRUE(slide && triplets);
   const std::string screens = ScreensFolderGet();
   ASSERT_NO_FATAL_FAILURE(MainMenuReach());
   Point play{}, slideButton{};
   ASSERT_TRUE(LayerFiles::CentreGet("MainMenu", "MenuPanel.Play", &play.x, &play.y));
   ASSERT_TRUE(LayerFiles::CentreGet("SolitaireMenu", "Games.Game38", &slideButton.x, &slideButton.y));
   ASSERT_TRUE(ClickUntil(
       play.x, play.y, [&](const Snapshot& seen) { return ButtonCheck(seen, slideButton.x, slideButton.y); },
       [&](const Snapshot& seen) { return MainMenuCheck(seen) && ButtonCheck(seen, play.x, play.y); }))
       << "the main menu's Play opened no solitaire menu";

   // Slide: 24 faces in the grid, a face on the Talon and the stock's back (its top leans by the
   // pile's quarter-unit offsets).
   const auto cell = [&](int row, int column)
   { return PilePointGet(slide.get(), "Tableau", row * 6 + column); };
   const Point talon = PilePointGet(slide.get(), "Talon", -1);
   Point stock = PilePointGet(slide.get(), "Draw", -1);
   stock.x += 6;
   stock.y += 6;
   const auto slideDealt = [&](const Snapshot& seen)
   {
      for (int i = 0; i < 24; i++)
      {
         if (WhiteShareGet(seen, cell(i / 6, i % 6), 32, 46) < 0.35)
         {
            return false;
         }
      }
      return WhiteShareGet(seen, talon, 32, 46) > 0.35 && WhiteShareGet(seen, stock, 24, 36) < 0.1;
   };
   std::unique_ptr<Snapshot> dealt;
   ASSERT_NO_FATAL_FAILURE(TableReach("Games.Game38", slideDealt, screens + "/SlideDealt.png", &dealt));

   // The deal has ended when the Talon's card lies still: two looks in a row see it alike.
   std::vector<Rgb> talonLast;
   std::unique_ptr<Snapshot> settled;
   ASSERT_TRUE(ScreenWait(
       [&](const Snapshot& seen)
       {
          std::vector<Rgb> talonNow = RegionGet(seen, talon, 32, 46);
          const bool still = RegionsEqualCheck(talonNow, talonLast);
          talonLast = std::move(talonNow);
          return still && slideDealt(seen);
       },
       &settled))
       << "the Talon's card never came to rest";

   // R1, pressed again only while the first row stays as dealt: the row moves one place right and
   // the Talon's former card enters at column 0.
   float box[4];
   ASSERT_TRUE(LayerFiles::BoxGet("SlideSolitaireGame", "R1", box));
   const Point r1{static_cast<int>(box[0] + box[2] / 2), static_cast<int>(box[1] + box[3] / 2)};
   std::unique_ptr<Snapshot> slid;
   const bool moved = ClickUntil(
       r1.x, r1.y,
       [&](const Snapshot& seen)
       {
          return DifferenceCountGet(*settled, talon, seen, cell(0, 0), 32, 46) < 40 &&
                 DifferenceCountGet(*settled, cell(0, 0), seen, cell(0, 1), 32, 46) < 40;
       },
       [&](const Snapshot& seen)
       { return DifferenceCountGet(*settled, cell(0, 0), seen, cell(0, 0), 32, 46) < 40; },
       &slid);
   // The refresh refills the Talon from the stock.
   EXPECT_TRUE(ScreenWait([&](const Snapshot& seen) { return WhiteShareGet(seen, talon, 32, 46) > 0.35; }))
       << "the Talon was not refilled";
   ScreenKeep(lastShot, screens + "/SlideRowSlid.png", 960);
   EXPECT_TRUE(moved) << "after R1 the first row does not begin with the Talon's former card";

   // Back to the solitaire menu through the menu bar and the question it asks.
   Point back{}, yes{}, tripletsButton{};
   ASSERT_TRUE(LayerFiles::CentreGet("MenuBar", "Panel.Back", &back.x, &back.y));
   ASSERT_TRUE(LayerFiles::CentreGet("MessageBoxYesNo", "Panel.Yes", &yes.x, &yes.y));
   ASSERT_TRUE(LayerFiles::CentreGet("SolitaireMenu", "Games.Game36", &tripletsButton.x, &tripletsButton.y));
   const auto asked = [&](const Snapshot& seen) { return ButtonCheck(seen, yes.x, yes.y); };
   ASSERT_TRUE(ClickUntil(back.x, back.y, asked, [&](const Snapshot& seen) { return !asked(seen); }))
       << "Back asked nothing";
   ASSERT_TRUE(ClickUntil(
       yes.x, yes.y,
       [&](const Snapshot& seen) { return ButtonCheck(seen, tripletsButton.x, tripletsButton.y); }, asked))
       << "Yes led to no solitaire menu";

   // Triplets: the top card of each of the 18 piles, fanned down by its cards' offsets, shows its face.
   const auto tripletsDealt = [&](const Snapshot& seen)
   {
      for (int i = 0; i < 18; i++)
      {
         Point top = PilePointGet(triplets.get(), "Tableau", i);
         top.y += (i == 11 || i == 17 ? 1 : 2) * 19;
         if (WhiteShareGet(seen, top, 30, 40) < 0.35)
         {
            return false;
         }
      }
      return true;
   };
   std::unique_ptr<Snapshot> tripletsShot;
   ASSERT_NO_FATAL_FAILURE(
       TableReach("Games.Game36", tripletsDealt, screens + "/TripletsDealt.png", &tripletsShot));
   // The last piles dealt lie still: the deal has ended.
   const Point last = PilePointGet(triplets.get(), "Tableau", 17);
   std::vector<Rgb> lastSeen;
   ASSERT_TRUE(ScreenWait(
       [&](const Snapshot& seen)
       {
          std::vector<Rgb> now = RegionGet(seen, Point{last.x, last.y + 19}, 40, 70);
          const bool still = RegionsEqualCheck(now, lastSeen);
          lastSeen = std::move(now);
          return still && tripletsDealt(seen);
       }))
       << "the Triplets deal never came to rest";
   ScreenKeep(lastShot, screens + "/TripletsDealt.png", 960);
   Stop();
   EXPECT_EQ(FileRead(saveFolder + "/Log.txt"), "") << "the run logged a problem";
}
} // namespace
