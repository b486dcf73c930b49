// What the end-to-end tests read off a dealt card table: the built data's constants, a pile's place
// on screen, and whether a card's face or its back shows there.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

#include "core/FileManagerStdio.h"
#include "core/JSONParser.h"
#include "core/JSONValue.h"
#include "core/Memory.h"
#include "tests/app/ProgramTestSupport.h"

namespace ProgramTestSupport
{
// The built data's document, freed with its pointer.
inline std::unique_ptr<Corvale::JSONValue, void (*)(Corvale::JSONValue*)> DocumentLoad(const char* name)
{
   if (!Corvale::Memory::InitialisedCheck())
   {
      Corvale::Memory::Init();
   }
   Corvale::FileManagerStdio manager;
   const std::string data = BuildFolderGet() + "/data";
   manager.BaseFolderSet(data.c_str());
   Corvale::JSONParser parser;
   return std::unique_ptr<Corvale::JSONValue, void (*)(Corvale::JSONValue*)>(
       parser.Load(name, &manager), [](Corvale::JSONValue* v) { Corvale::MemoryDelete(v); });
}

// The "Position" of the game's pile of that type and secondary ID: the centre of its cards.
inline Point PilePointGet(const Corvale::JSONValue* game, const char* type, int secondaryID)
{
   const Corvale::JSONValue* piles = game->ItemGet("CardPiles");
   for (int i = 0; i < piles->CountGet(); i++)
   {
      const Corvale::JSONValue* pile = piles->ElementGet(i);
      const char* pileType = pile->ItemGet("Type")->StringValueGet();
      const int id = pile->ItemNumberCheck("SecondaryID") ? pile->ItemGet("SecondaryID")->IntValueGet() : -1;
      if (pileType && std::string(pileType) == type && id == secondaryID)
      {
         const Corvale::Point2F at = pile->ItemGet("Position")->Point2FValueGet();
         return Point{static_cast<int>(at.x), static_cast<int>(at.y)};
      }
   }
   ADD_FAILURE() << "no pile " << type << " " << secondaryID;
   return Point{0, 0};
}

// The share of nearly white pixels in the box of half size (w, h) around the point: a card's
// face is mostly white, its back is not.
inline double WhiteShareGet(const Snapshot& shot, Point centre, int w, int h)
{
   int white = 0;
   int all = 0;
   for (int y = centre.y - h; y < centre.y + h; y += 2)
   {
      for (int x = centre.x - w; x < centre.x + w; x += 2)
      {
         if (x < 0 || y < 0 || x >= 960 || y >= 720)
         {
            continue;
         }
         const Rgb c = shot.At(x, y);
         white += c.r > 215 && c.g > 215 && c.b > 215 ? 1 : 0;
         all++;
      }
   }
   return all > 0 ? static_cast<double>(white) / all : 0.0;
}

// The pixels that differ clearly between two shots in the box of half size (w, h) around the point.
inline int DifferenceCountGet(const Snapshot& a, const Snapshot& b, Point centre, int w, int h)
{
   int differ = 0;
   for (int y = centre.y - h; y < centre.y + h; y++)
   {
      for (int x = centre.x - w; x < centre.x + w; x++)
      {
         const Rgb p = a.At(x, y);
         const Rgb q = b.At(x, y);
         differ += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b) > 60 ? 1 : 0;
      }
   }
   return differ;
}

// A left-button drag from one point of the window's client area to another, in small steps so
// that the program sees the pointer move while the button is down.
inline void Drag(X11& x11, Window window, Point from, Point to)
{
   XWindowAttributes attributes;
   if (!x11.fakeMotionEvent || !x11.fakeButtonEvent ||
       !x11.windowAttributesGet(x11.display, window, &attributes))
   {
      return;
   }
   x11.fakeMotionEvent(x11.display, -1, attributes.x + from.x, attributes.y + from.y, 0);
   x11.flush(x11.display);
   std::this_thread::sleep_for(std::chrono::milliseconds(150));
   x11.fakeButtonEvent(x11.display, 1, True, 0);
   x11.flush(x11.display);
   const int steps = 12;
   for (int i = 1; i <= steps; i++)
   {
      std::this_thread::sleep_for(std::chrono::milliseconds(40));
      x11.fakeMotionEvent(x11.display, -1, attributes.x + from.x + (to.x - from.x) * i / steps,
                          attributes.y + from.y + (to.y - from.y) * i / steps, 0);
      x11.flush(x11.display);
   }
   std::this_thread::sleep_for(std::chrono::milliseconds(150));
   x11.fakeButtonEvent(x11.display, 1, False, 0);
   x11.flush(x11.display);
}

// Light text pixels (the numbers' gold, the labels' white) in the box: a label shows something.
inline bool TextShownCheck(const Snapshot& shot, int x, int y, int w, int h)
{
   int light = 0;
   for (int j = y; j < y + h; j++)
   {
      for (int i = x; i < x + w; i++)
      {
         const Rgb c = shot.At(i, j);
         light += c.r > 200 && c.g > 180 ? 1 : 0;
      }
   }
   return light > 8;
}
} // namespace ProgramTestSupport
