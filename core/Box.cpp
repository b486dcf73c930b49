// Box union, used where bounds are accumulated.
#include "core/Box.h"

#include <algorithm>

namespace Corvale
{
void Box2F::Include(const Box2F& other)
{
   if (other.EmptyCheck())
   {
      return;
   }
   if (EmptyCheck())
   {
      *this = other;
      return;
   }
   float left = std::min(x, other.x);
   float top = std::min(y, other.y);
   float right = std::max(x + width, other.x + other.width);
   float bottomEdge = std::max(y + height, other.y + other.height);
   x = left;
   y = top;
   width = right - left;
   height = bottomEdge - top;
}
} // namespace Corvale
