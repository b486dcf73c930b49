// The custom mouse cursor: an image or a sprite drawn at a pointer after the GUI. Nothing in
// the program creates one yet; the frame loop draws it only when one exists.
#pragma once

#include "core/Types.h"

namespace Corvale
{
class Image;
class Sprite;

class MouseCursor
{
 public:
   // Draws the cursor at its mouse's position unless disabled or the mouse is unknown.
   static void Draw(const MouseCursor* cursor);

   u32 enabled = 0;
   // -1 the system mouse, 0 to 7 one of the individual mice.
   i32 mouseIndex = -1;
   Image* image = nullptr;
   Sprite* sprite = nullptr;
};
} // namespace Corvale
