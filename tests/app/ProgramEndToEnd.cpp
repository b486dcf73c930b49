// Runs the real corvale-cards under the test's X display (Xvfb): it must open its window, run
// frames, save Snap0000.png of the window on F9, and on SIGTERM shut down with status 0, leaving
// Log.txt and Settings.json in the save-data folder; and it must show its splash, skip it on
// Escape and fill the loading screen's bar, then reach the main menu under the profile menu, whose
// Close uncovers it, and whose menu bar closes the program; and its menu bar's settings menu must
// change the music volume and the window for good.
#include <gtest/gtest.h>

#include "tests/app/ProgramTestSupport.h"

namespace
{
using namespace ProgramTestSupport;

using ProgramEndToEnd = ProgramFixture;

TEST_F(ProgramEndToEnd, RunsFramesTakesAScreenshotAndShutsDownCleanly)
{
   const std::string snapshot = saveFolder + "/Snap0000.png";
   while (window && !FileExists(snapshot) && std::chrono::steady_clock::now() < deadline)
   {
      x11.KeyTap(window, XK_F9);
      std::this_thread::sleep_for(std::chrono::milliseconds(400));
   }
   Stop();

   const std::string png = FileRead(snapshot);
   ASSERT_GE(png.size(), 33u) << "no valid " << snapshot;
   EXPECT_EQ(png.compare(0, 8, "\x89PNG\r\n\x1a\n", 8), 0);
   EXPECT_EQ(png.compare(12, 4, "IHDR"), 0);
   EXPECT_EQ(BigEndianRead(png, 16), 960u);
   EXPECT_EQ(BigEndianRead(png, 20), 720u);

   EXPECT_TRUE(FileExists(saveFolder + "/Log.txt"));
   const std::string settingsText = FileRead(saveFolder + "/Settings.json");
   EXPECT_NE(settingsText.find("\"Fullscreen\": false"), std::string::npos) << settingsText;
   EXPECT_NE(settingsText.find("\"PreparedAreaWindowedEnabled\""), std::string::npos) << settingsText;
   // The first start signs in the default profile and saves it at the end.
   EXPECT_NE(settingsText.find("\"Profile\": \"Player\""), std::string::npos) << settingsText;
   EXPECT_NE(settingsText.find("\"FolderNumber\": 0"), std::string::npos) << settingsText;
   EXPECT_TRUE(FileExists(saveFolder + "/Profiles/0/Profile.json"));
}

// The title card first; Escape skips it; the loading screen's bar fills over its felt and the panel leaves
// for the main menu; the program then ends cleanly with nothing logged.
TEST_F(ProgramEndToEnd, SplashSkipsToTheLoadingScreenWhoseBarFills)
{
   if (!x11.fakeKeyEvent)
   {
      GTEST_SKIP() << "XTest is not available to press keys";
   }

   // The title card's felt: green at the centre of the screen, the rest black.
   bool titleSeen = false;
   while (!titleSeen && window && std::chrono::steady_clock::now() < deadline)
   {
      std::unique_ptr<Snapshot> shotRead = Snap();
      ASSERT_NE(shotRead->bitmap, nullptr);
      const Snapshot& shot = *shotRead;
      const Rgb centre = shot.At(480, 600);
      const Rgb felt = shot.At(480, 560);
      titleSeen = centre.r + centre.g + centre.b < 10 && felt.g > felt.r + 20 && felt.g > 40;
   }
   EXPECT_TRUE(titleSeen) << "the splash's title card never showed";

   x11.KeyTap(window, XK_Escape);
   // The splash is black under its title card, which alone reaches x 120; the loading screen's
   // felt fills the whole screen. The loading panel's gold border runs down x 261, and its bar's
   // gold fill reaches x 650 only once everything is loaded.
   bool panelSeen = false, barFull = false, ended = false;
   while (!ended && window && std::chrono::steady_clock::now() < deadline)
   {
      std::unique_ptr<Snapshot> shotRead = Snap();
      ASSERT_NE(shotRead->bitmap, nullptr);
      const Snapshot& shot = *shotRead;
      if (MainMenuCheck(shot) || ProfileMenuCheck(shot) || LanguageMenuCheck(shot))
      {
         ended = panelSeen;
         EXPECT_TRUE(panelSeen) << "the main menu came before the loading screen";
         break;
      }
      const Rgb side = shot.At(120, 360);
      const Rgb below = shot.At(480, 600);
      const bool felt = below.g > below.r + 15 && below.g > 30;
      if (!felt && side.r + side.g + side.b > 30)
      {
         // The title card, or the main menu's backdrop fading in before its menu bar shows.
         continue;
      }
      bool panel = false;
      for (int y = 0; y < 720; y += 2)
      {
         const Rgb fill = shot.At(650, y);
         barFull = barFull || (fill.r > 180 && fill.g > 130 && fill.b < 120);
         const Rgb border = shot.At(261, y);
         panel = panel || (border.r > 150 && border.g > 120);
      }
      panelSeen = panelSeen || panel;
   }
   EXPECT_TRUE(panelSeen) << "the loading screen never showed";
   EXPECT_TRUE(barFull) << "the loading bar never filled";
   EXPECT_TRUE(ended) << "the loading screen never left for the main menu";

   Stop();
   EXPECT_EQ(FileRead(saveFolder + "/Log.txt"), "") << "the run logged a problem";
}
// Past splash and loading the main menu shows under the profile menu; once that is closed, the
// menu bar's Back asks to close the program, and Yes ends it with status 0.
TEST_F(ProgramEndToEnd, ReachesTheMainMenuAndClosesThroughTheMenuBar)
{
   if (!x11.fakeKeyEvent || !x11.fakeButtonEvent)
   {
      GTEST_SKIP() << "XTest is not available to press keys and buttons";
   }
   ASSERT_NO_FATAL_FAILURE(MainMenuReach());
   // Let the entry transitions end, then look again: the panel, the preview and the buttons
   // make far more than one colour.
   std::this_thread::sleep_for(std::chrono::milliseconds(1200));
   std::unique_ptr<Snapshot> shot = Snap();
   ASSERT_NE(shot->bitmap, nullptr);
   EXPECT_TRUE(ManyColoursCheck(*shot, 960)) << "the main menu is nearly one flat colour";

   ASSERT_NO_FATAL_FAILURE(CloseThroughTheMenuBar(0));
   const std::string settingsText = FileRead(saveFolder + "/Settings.json");
   EXPECT_NE(settingsText.find("\"Language\": \"English\""), std::string::npos) << settingsText;
}

// The menu bar's Settings opens the settings menu; the music volume slider's increase button
// raises the volume, the wide window shows the whole prepared area, Play closes the menu, and
// both stay when the program ends. Each screen on the way is kept in "test-screens".
TEST_F(ProgramEndToEnd, TheSettingsMenuRaisesTheMusicAndWidensTheWindowForGood)
{
   if (!x11.fakeKeyEvent || !x11.fakeButtonEvent)
   {
      GTEST_SKIP() << "XTest is not available to press keys and buttons";
   }
   const std::string screens = ScreensFolderGet();
   ASSERT_NO_FATAL_FAILURE(MainMenuReach());
   ScreenKeep(profileMenuShot, screens + "/ProfileMenu.png", 960);
   std::this_thread::sleep_for(std::chrono::milliseconds(1200));
   ASSERT_NE(Snap()->bitmap, nullptr);
   ScreenKeep(lastShot, screens + "/MainMenu.png", 960);

   int x = 0, y = 0;
   ASSERT_TRUE(LayerFiles::CentreGet("MenuBar", "Panel.Settings", &x, &y));
   int tabX = 0, tabY = 0;
   ASSERT_TRUE(LayerFiles::CentreGet("SettingsMenu", "Panel.SubmenuButtons.Environment", &tabX, &tabY));
   // Above the tab's caption.
   tabY -= 14;
   // The settings menu: the environment page's gold tab, where the profile menu has none.
   ASSERT_TRUE(ClickUntil(
       x, y, [&](const Snapshot& shot) { return GoldCheck(shot.At(tabX, tabY)) && !ProfileMenuCheck(shot); },
       [](const Snapshot& shot) { return MainMenuCheck(shot); }))
       << "the menu bar's Settings opened no settings menu";
   std::this_thread::sleep_for(std::chrono::milliseconds(800));
   ASSERT_NE(Snap()->bitmap, nullptr);
   ScreenKeep(lastShot, screens + "/SettingsMenu.png", 960);

   ASSERT_TRUE(LayerFiles::CentreGet("SettingsMenu", "Panel.Submenus.Environment.MusicVolume.IncreaseButton",
                                     &x, &y));
   x11.Click(window, x, y);
   std::this_thread::sleep_for(std::chrono::milliseconds(300));
   ASSERT_TRUE(LayerFiles::CentreGet("SettingsMenu", "Panel.Submenus.Environment.WideWindow", &x, &y));
   x11.Click(window, x, y);
   // The wide window shows the prepared area from x -160: the virtual area moves right by 160.
   const int wide = 160;
   Window widened = 0;
   while (!widened && std::chrono::steady_clock::now() < deadline)
   {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      widened = x11.WindowFind(1280, 720);
   }
   ASSERT_EQ(widened, window) << "the window did not widen to 1280 x 720";
   // The program takes the new size a few frames after X does: screenshots until one is wide.
   bool wideShot = false;
   while (!wideShot && std::chrono::steady_clock::now() < deadline)
   {
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
      ASSERT_NE(Snap()->bitmap, nullptr);
      const std::string png = FileRead(lastShot);
      wideShot = png.size() >= 24 && BigEndianRead(png, 16) == 1280u;
   }
   ScreenKeep(lastShot, screens + "/SettingsMenuWide.png", 1280);

   ASSERT_TRUE(LayerFiles::CentreGet("SettingsMenu", "Panel.Submenus.Environment.Play", &x, &y));
   ASSERT_TRUE(ClickUntil(
       x + wide, y,
       [&](const Snapshot& shot)
       { return MainMenuCheck(shot, wide) && !GoldCheck(shot.At(tabX + wide, tabY)); },
       [&](const Snapshot& shot) { return GoldCheck(shot.At(tabX + wide, tabY)); }))
       << "Play did not close the settings menu";
   std::this_thread::sleep_for(std::chrono::milliseconds(600));

   ASSERT_NO_FATAL_FAILURE(CloseThroughTheMenuBar(wide, screens + "/ConfirmCloseProgram.png"));
   const std::string profileText = FileRead(saveFolder + "/Profiles/0/Profile.json");
   EXPECT_NE(profileText.find("\"MusicVolume\": 71"), std::string::npos) << profileText;
   const std::string settingsText = FileRead(saveFolder + "/Settings.json");
   EXPECT_NE(settingsText.find("\"PreparedAreaWindowedEnabled\": true"), std::string::npos) << settingsText;
   EXPECT_NE(settingsText.find("\"Profile\": \"Player\""), std::string::npos) << settingsText;
}
// Hearts from the main menu: the selector steps down from Solitaire to Hearts, Play starts it, and the
// human's fanned hand lies face up at the bottom of the table; the screen is kept in
// "test-screens".
TEST_F(ProgramEndToEnd, HeartsStartsFromTheMainMenuWithTheHumansHandDealt)
{
   if (!x11.fakeKeyEvent || !x11.fakeButtonEvent)
   {
      GTEST_SKIP() << "XTest is not available to press keys and buttons";
   }
   const std::string screens = BuildFolderGet() + "/test-screens";
   std::filesystem::create_directories(screens);
   ASSERT_NO_FATAL_FAILURE(MainMenuReach());
   // Hearts is the fourteenth entry of the main menu's games. Each step must show (the game's name
   // and the selector above it change) before the next: a key pressed while the menu still slides
   // in is lost on a loaded machine.
   auto headerGet = [](const Snapshot& shot)
   {
      long long sum = 0;
      for (int py = 130; py < 225; py += 3)
      {
         for (int px = 170; px < 790; px += 3)
         {
            const Rgb colour = shot.At(px, py);
            sum += (colour.r * 3 + colour.g * 5 + colour.b * 7) * (px + 7 * py);
         }
      }
      return sum;
   };
   std::this_thread::sleep_for(std::chrono::milliseconds(1200));
   std::unique_ptr<Snapshot> before = Snap();
   ASSERT_NE(before->bitmap, nullptr);
   for (int step = 0; step < 13; ++step)
   {
      const long long previous = headerGet(*before);
      bool moved = false;
      for (int look = 0; !moved && window && std::chrono::steady_clock::now() < deadline; ++look)
      {
         if (look % 10 == 0)
         {
            x11.KeyTap(window, XK_Down);
         }
         std::this_thread::sleep_for(std::chrono::milliseconds(400));
         before = Snap();
         ASSERT_NE(before->bitmap, nullptr);
         moved = headerGet(*before) != previous;
      }
      ASSERT_TRUE(moved) << "the main menu did not move to its next game at step " << step;
      // Let the selector finish its slide: the next step compares settled pictures.
      for (long long last = -1; window && std::chrono::steady_clock::now() < deadline;)
      {
         std::this_thread::sleep_for(std::chrono::milliseconds(300));
         before = Snap();
         ASSERT_NE(before->bitmap, nullptr);
         const long long now = headerGet(*before);
         if (now == last)
         {
            break;
         }
         last = now;
      }
   }
   int x = 0, y = 0;
   ASSERT_TRUE(LayerFiles::CentreGet("MainMenu", "MenuPanel.Play", &x, &y));
   // A game entered the first time opens the settings on its own page; its Play closes them.
   int playX = 0, playY = 0;
   ASSERT_TRUE(LayerFiles::CentreGet("SettingsMenu", "Panel.Submenus.Game.Play", &playX, &playY));
   // The hand: thirteen cards from x 330 on, their white faces along y 690, where the main menu
   // shows only felt.
   bool dealt = false;
   for (int look = 0; !dealt && window && std::chrono::steady_clock::now() < deadline; ++look)
   {
      if (look % 20 == 0)
      {
         x11.Click(window, x, y);
      }
      else if (look % 20 == 10)
      {
         // Left of the centre, well clear of the main menu's Exit below it.
         x11.Click(window, playX - 50, playY);
      }
      std::unique_ptr<Snapshot> shot = Snap();
      ASSERT_NE(shot->bitmap, nullptr);
      int white = 0;
      for (int px = 330; px < 720; ++px)
      {
         const Rgb colour = shot->At(px, 690);
         white += colour.r > 225 && colour.g > 225 && colour.b > 225 ? 1 : 0;
      }
      dealt = white > 250;
   }
   ScreenKeep(lastShot, screens + "/Hearts.png", 960);
   ASSERT_TRUE(dealt) << "no hand dealt face up at the bottom of the table";
   Stop();
}
} // namespace
