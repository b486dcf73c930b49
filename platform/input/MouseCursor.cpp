// Drawing of the custom mouse cursor.
#include "platform/input/MouseCursor.h"

#include "core/Color.h"
#include "core/Point.h"
#include "platform/image/Image.h"
#include "platform/input/MouseManager.h"

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
   if (!mouse)
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
}
} // namespace Corvale
