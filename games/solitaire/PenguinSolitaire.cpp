// Penguin's deal around its starter cards, its runs, cells and foundations, and the end of game.
#include "games/solitaire/PenguinSolitaire.h"

#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardPile.h"
#include "cardgame/CardQueries.h"
#include "cardgame/RecordSupport.h"

namespace Corvale
{
PenguinSolitaire PenguinSolitaire::instance;

void PenguinSolitaire::ReflectionRegister()
{
   auto* record =
       ReflectionRecordCreate<ReflectionTypeObjectTyped<PenguinSolitaire>>("Corvale::PenguinSolitaire");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(TraditionalSolitaireGame).name());
   record->FieldAdd(&PenguinSolitaire::buildRank, "buildRank");
   ReflectionManager::TypeRegister(record);
}

namespace
{
constexpr i32 COLUMNS = 7;
constexpr i32 COLUMN_CARDS_MAX = 18;
const BuildRule COLUMN_BUILD = {BUILD_DOWN, BUILD_SAME_SUIT, true};
const BuildRule FOUNDATION_BUILD = {BUILD_UP, BUILD_SAME_SUIT, true};
} // namespace

void PenguinSolitaire::Deal()
{
   CardPile* stock = StockGet();
   Card* starter = stock->CardTopGet();
   if (!starter)
   {
      return;
   }
   // The starters lie on their foundations before the deal begins.
   CardAdd(FoundationGet(0), starter);
   CardFaceUpSet(starter, true, false);
   buildRank = static_cast<Rank>(starter->rank);
   i32 found = 0;
   for (i32 i = 0; i < stock->cards.count; ++i)
   {
      Card* card = stock->cards[i];
      if (card->rank != buildRank)
      {
         continue;
      }
      if (found < 2)
      {
         ++found;
         CardAdd(FoundationGet(found), card);
         CardFaceUpSet(card, true, false);
         --i;
         continue;
      }
      if (SettingBoolGet("FourthStarterDealtFirst"))
      {
         CardAdd(stock, card);
      }
      break;
   }
   CardsDeal(CARD_PILE_TYPE_TABLEAU, stock, stock->cards.count, true, -1);
}

bool PenguinSolitaire::CardStackPickUpCheck(Card* card)
{
   return card && card->pile && card->pile->type == CARD_PILE_TYPE_TABLEAU;
}

bool PenguinSolitaire::CardPickUpCheck(Card* card)
{
   const CardPile* pile = card ? card->pile : nullptr;
   if (!pile || !card->faceUp || !pile->visible)
   {
      return false;
   }
   switch (pile->type)
   {
   case CARD_PILE_TYPE_RESERVE:
      return pile->CardTopGet() == card;
   case CARD_PILE_TYPE_TABLEAU:
      return CardsSequenceCheck(pile->cards, card, BUILD_DOWN, BUILD_SAME_SUIT, false, true, 1, -1);
   default:
      return false;
   }
}

bool PenguinSolitaire::CardDropCheck(CardPile* pile, Card* card)
{
   if (!pile || !card || !card->pile)
   {
      return false;
   }
   const bool empty = pile->cards.count == 0;
   switch (pile->type)
   {
   case CARD_PILE_TYPE_TABLEAU:
      if (!CountLimitCheck(pile, card, COLUMN_CARDS_MAX))
      {
         return false;
      }
      if (!empty)
      {
         return BuildsOnCheck(pile, card, COLUMN_BUILD);
      }
      if (SettingBoolGet("FillEmptyRestricted"))
      {
         return card->rank == (buildRank == RANK_ACE ? RANK_KING : buildRank - 1);
      }
      return true;
   case CARD_PILE_TYPE_RESERVE:
      return empty && MovingCountGet(card) == 1;
   case CARD_PILE_TYPE_FOUNDATION:
      if (card->pile->CardTopGet() != card)
      {
         return false;
      }
      return empty ? card->rank == buildRank : BuildsOnCheck(pile, card, FOUNDATION_BUILD);
   default:
      return false;
   }
}

void PenguinSolitaire::RefreshSteps()
{
   if (PilesEmptyCheck(CARD_PILE_TYPE_TABLEAU, COLUMNS) && CardPilesOfTypeEmpty(CARD_PILE_TYPE_RESERVE))
   {
      GameWin();
   }
   else if (!MoveExists())
   {
      GameLose();
   }
}
} // namespace Corvale
