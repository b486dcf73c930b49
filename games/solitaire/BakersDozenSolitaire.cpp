// Baker's Dozen's deal, the King pass before play, its move rules and end of game.
#include "games/solitaire/BakersDozenSolitaire.h"

#include <cstring>
#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/RecordSupport.h"

namespace Corvale
{
BakersDozenSolitaire BakersDozenSolitaire::instance;

void BakersDozenSolitaire::ReflectionRegister()
{
   auto* record = ReflectionRecordCreate<ReflectionTypeObjectTyped<BakersDozenSolitaire>>(
       "Corvale::BakersDozenSolitaire");
   if (!record)
   {
      return;
   }
   // The shared skeleton keeps nothing of its own in the document.
   record->BaseAdd(typeid(TraditionalSolitaireGame).name());
   record->FieldAdd(&BakersDozenSolitaire::checkForKings, "checkForKings");
   ReflectionManager::TypeRegister(record);
}

namespace
{
constexpr i32 COLUMNS = 13;
constexpr i32 PILE_CARDS_MAX = 25;
const BuildRule COLUMN_BUILD = {BUILD_DOWN, BUILD_ANY_SUIT, true};
const BuildRule FOUNDATION_BUILD = {BUILD_UP, BUILD_SAME_SUIT, true};
} // namespace

i32 BakersDozenSolitaire::CardsFaceDownGet()
{
   const char* value = SettingStringGet("CardsFaceDown");
   if (value && std::strcmp(value, "None") == 0)
   {
      return 0;
   }
   return value && std::strcmp(value, "Two") == 0 ? 2 : 1;
}

void BakersDozenSolitaire::Deal()
{
   CardPile* stock = StockGet();
   const i32 faceDown = CardsFaceDownGet();
   CardsDeal(CARD_PILE_TYPE_TABLEAU, stock, COLUMNS * faceDown, false, -1);
   CardsDeal(CARD_PILE_TYPE_TABLEAU, stock, 52 - COLUMNS * faceDown, true, -1);
   // The refresh waits for the deal to come to rest, so the pass sees every card in place.
   checkForKings = true;
}

bool BakersDozenSolitaire::PilePickUpCheck(const CardPile* pile)
{
   return pile->type != CARD_PILE_TYPE_DRAW;
}

bool BakersDozenSolitaire::CardDropCheck(CardPile* pile, Card* card)
{
   if (!pile || !card || !CountLimitCheck(pile, card, PILE_CARDS_MAX))
   {
      return false;
   }
   const bool empty = pile->cards.count == 0;
   switch (pile->type)
   {
   case CARD_PILE_TYPE_TABLEAU:
      return empty ? card->rank == RANK_KING : BuildsOnCheck(pile, card, COLUMN_BUILD);
   case CARD_PILE_TYPE_FOUNDATION:
      return empty ? card->rank == RANK_ACE : BuildsOnCheck(pile, card, FOUNDATION_BUILD);
   default:
      return false;
   }
}

void BakersDozenSolitaire::KingsToBottom()
{
   const i32 position = CardsFaceDownGet() == 2 ? 2 : 1;
   for (i32 column = 0; column < COLUMNS; ++column)
   {
      CardPile* pile = ColumnGet(column);
      if (!pile)
      {
         continue;
      }
      Card* kings[4] = {};
      i32 kingCount = 0;
      for (i32 i = 1; i < pile->cards.count && kingCount < 4; ++i)
      {
         if (pile->cards[i]->rank == RANK_KING && pile->cards[i]->faceUp)
         {
            kings[kingCount++] = pile->cards[i];
         }
      }
      for (i32 k = 0; k < kingCount; ++k)
      {
         CardInsert(pile, 0, kings[k]);
      }
      if (pile->cards.count > position)
      {
         CardFaceUpSet(pile->cards[position], true, true);
      }
   }
}

void BakersDozenSolitaire::RefreshSteps()
{
   if (checkForKings)
   {
      checkForKings = false;
      KingsToBottom();
      // The pass belongs to the deal: an undo must not put the Kings back on top.
      UndoHistoryClear();
   }
   if (ColumnTopsTurn(COLUMNS))
   {
      return;
   }
   const CardPile* stock = StockGet();
   if ((!stock || stock->cards.count == 0) && PilesEmptyCheck(CARD_PILE_TYPE_TABLEAU, COLUMNS))
   {
      GameWin();
   }
   else if (!MoveExists())
   {
      GameLose();
   }
}
} // namespace Corvale
