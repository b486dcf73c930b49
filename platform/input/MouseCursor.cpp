// Drawing of the custom mouse cursor: an image, or else a sprite, at its mouse's position.
#include "platform/input/MouseCursor.h"

#include "core/Color.h"
#include "core/Point.h"
#include "platform/image/Image.h"
#include "platform/input/MouseManager.h"
#include "platform/sprite/Sprite.h"

namespace Corvale
{
void MouseCursor::Draw(const MouseCursor* cursor)
{
   if (!cursor || !cursor->enabled)
   {
      return;
   }
   if (cursor->mouseIndex != -1 && (cursor->mouseIndex < 0 || cursor->mouseIndex >= MOUSE_DEVICES_MAX))
   {
      return;
   }
   const MouseState* mouse = cursor->mouseIndex == -1 ? &mouseStateSystem : MouseStateGet(cursor->mouseIndex);
   // A mouse that has gone (or never was) has no place to draw at.
   if (!mouse || mouse->hidden || !mouse->present)
   {
      return;
   }
   Point2F position;
   position.x = static_cast<float>(mouse->x);
   position.y = static_cast<float>(mouse->y);
   if (cursor->image)
   {
      cursor->image->Draw(position, ColorRGBA8{255, 255, 255, 255}, 0.0f, 0.0f);
   }
   else if (cursor->sprite && cursor->sprite->animation)
   {
      cursor->sprite->position = position;
      cursor->sprite->Draw();
   }
}
} // namespace Corvale
