// The card factory and the card styles of the card game.
#include "cardgame/CardGame.h"

#include "cardgame/Card.h"
#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"

namespace Corvale
{
Card* CardGame::CardCreate(i32 rank, i32 suit)
{
   Card* card = MemoryNew<Card>(HEAP_DEFAULT);
   if (!card)
   {
      WarningPrintf("CardGame::CardCreate -- unable to allocate a card\n");
      return nullptr;
   }
   card->id = nextCardID++;
   card->game = this;
   card->suit = suit;
   card->rank = rank;
   card->SpriteUpdate();
   card->WidgetCreate();
   if (!cards.Insert(card, cards.count))
   {
      WarningPrintf("CardGame::CardCreate -- unable to keep the card\n");
      MemoryDelete(card);
      return nullptr;
   }
   return card;
}

void CardGame::CardsFree()
{
   for (i32 i = 0; i < cards.count; i++)
   {
      MemoryDelete(cards[i]);
   }
   cards.SizeSet(0);
}

const char* CardGame::CardFrontStyleGet()
{
   return Card::consts ? Card::consts->ItemGet("CardFrontStyleDefault")->StringValueGet() : nullptr;
}

const char* CardGame::CardBackStyleGet()
{
   return Card::consts ? Card::consts->ItemGet("CardBackStyleDefault")->StringValueGet() : nullptr;
}
} // namespace Corvale
