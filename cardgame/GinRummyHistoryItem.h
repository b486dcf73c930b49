// One draw or discard of a hand of Gin Rummy, as its computer players remember it.
#pragma once

#include "core/Types.h"

namespace Corvale
{
enum GinRummyHistoryItemType : i32
{
   // The upcard was declined: discardCardID is that card.
   GIN_RUMMY_HISTORY_ITEM_PASS = 0,
   // drawnCardID came from the stock; discardCardID was then on the discard pile (-1 empty).
   GIN_RUMMY_HISTORY_ITEM_STOCK_DRAW = 1,
   // drawnCardID was taken from the discard pile.
   GIN_RUMMY_HISTORY_ITEM_DISCARD_TAKE = 2,
   // discardCardID was discarded.
   GIN_RUMMY_HISTORY_ITEM_DISCARD = 3
};

class GinRummyHistoryItem
{
 public:
   static void ReflectionRegister();

   i32 playerID = -1;
   GinRummyHistoryItemType type = GIN_RUMMY_HISTORY_ITEM_PASS;
   i32 discardCardID = -1;
   i32 drawnCardID = -1;
};
} // namespace Corvale
