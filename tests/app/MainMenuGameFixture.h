// The walk from the main menu to a game's table that the games' end-to-end tests share: the
// selector stepped down to the game, then Play (and the settings' Play of a game entered the first
// time) until the table shows.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "tests/app/CardTableShots.h"
#include "tests/app/ProgramTestSupport.h"

namespace ProgramTestSupport
{
class MainMenuGameFixture : public ProgramFixture
{
 protected:
   // The main menu's selector steps down that many games; each step must show before the next.
   void SelectorStep(int steps)
   {
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
      for (int step = 0; step < steps; ++step)
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
   }

   // Play, then the settings' Play of a game entered the first time, until the table shows.
   void PlayUntil(const std::function<bool(const Snapshot&)>& shown, std::unique_ptr<Snapshot>* shot,
                  const std::string& notShownName = "TableGamesNotShown.png")
   {
      int x = 0, y = 0, playX = 0, playY = 0;
      ASSERT_TRUE(LayerFiles::CentreGet("MainMenu", "MenuPanel.Play", &x, &y));
      ASSERT_TRUE(LayerFiles::CentreGet("SettingsMenu", "Panel.Submenus.Game.Play", &playX, &playY));
      bool seen = false;
      std::string lastRead;
      for (int look = 0; !seen && window && std::chrono::steady_clock::now() < deadline; ++look)
      {
         if (look % 20 == 0)
         {
            x11.Click(window, x, y);
         }
         else if (look % 20 == 10)
         {
            x11.Click(window, playX - 50, playY);
         }
         *shot = Snap();
         if (!(*shot)->bitmap)
         {
            break;
         }
         lastRead = lastShot;
         seen = shown(**shot);
      }
      if (!seen && !lastRead.empty())
      {
         ScreenKeep(lastRead, ScreensFolderGet() + "/" + notShownName, 960);
      }
      ASSERT_TRUE(seen) << "the table never showed";
   }
};
} // namespace ProgramTestSupport
