// Nestor's deal, its pairing by clicks and the end of the game.
#include "games/solitaire/NestorSolitaire.h"

#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/RecordSupport.h"

namespace Corvale
{
NestorSolitaire nestorSolitaire;

void NestorSolitaire::ReflectionRegister()
{
   auto* record =
       ReflectionRecordCreate<ReflectionTypeObjectTyped<NestorSolitaire>>("Corvale::NestorSolitaire");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(TraditionalSolitaireGame).name());
   record->FieldAdd(&NestorSolitaire::firstClickedCardID, "firstClickedCardID");
   ReflectionManager::TypeRegister(record);
}

void NestorSolitaire::Init()
{
   TraditionalSolitaireGame::Init();
   GameNew();
}

void NestorSolitaire::GameNew()
{
   UndoHistoryClear();
   TraditionalSolitaireGame::GameNew();
   firstClickedCardID = -1;

   const bool four = SettingBoolGet("OnlyFourReserveCards");
   for (i32 cell = 0; cell < NESTOR_CELL_COUNT; ++cell)
   {
      CardPile* pile = CardPileGet(CARD_PILE_TYPE_RESERVE, cell, -1);
      if (pile)
      {
         pile->VisibleSet(!four || cell < NESTOR_CELL_COUNT_SHORT);
      }
   }
   CardPile* stock = CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
   if (!stock)
   {
      WarningPrintf("NestorSolitaire::GameNew -- the constants declare no stock pile\n");
      return;
   }
   stock->DecksAdd(1);
   CardPileShuffle(stock);
   const u32 delay = static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0);
   const i32 cells = four ? NESTOR_CELL_COUNT_SHORT : NESTOR_CELL_COUNT;
   for (i32 cell = 0; cell < cells; ++cell)
   {
      CardPileTopCardMoveQueue(CardPileGet(CARD_PILE_TYPE_RESERVE, cell, -1), stock, delay, true);
   }
   for (i32 round = 0; round < NESTOR_COLUMN_CARDS; ++round)
   {
      for (i32 column = 0; column < NESTOR_COLUMN_COUNT; ++column)
      {
         CardPileTopCardMoveQueue(CardPileGet(CARD_PILE_TYPE_TABLEAU, column, -1), stock, delay, true);
      }
   }
   ActionTurnBeginPost();
}

bool NestorSolitaire::CardFreeCheck(const Card* card)
{
   const CardPile* pile = card ? card->pile : nullptr;
   if (!pile)
   {
      return false;
   }
   return (pile->type == CARD_PILE_TYPE_TABLEAU && pile->CardTopGet() == card) ||
          pile->type == CARD_PILE_TYPE_RESERVE;
}

void NestorSolitaire::CardChoose(Card* card)
{
   if (!CardFreeCheck(card))
   {
      return;
   }
   if (card->id == firstClickedCardID)
   {
      CardSelectedSet(card, false);
      firstClickedCardID = -1;
      return;
   }
   Card* first = firstClickedCardID >= 0 ? CardGet(firstClickedCardID) : nullptr;
   if (first && !CardFreeCheck(first))
   {
      // A choice that is no longer free (a loaded or stale one) is no choice.
      CardSelectedSet(first, false);
      first = nullptr;
   }
   if (!first)
   {
      firstClickedCardID = card->id;
      CardSelectedSet(card, true);
      return;
   }
   CardSelectedSet(first, false);
   if (first->rank != card->rank)
   {
      firstClickedCardID = card->id;
      CardSelectedSet(card, true);
      return;
   }
   firstClickedCardID = -1;
   undoMoveBegins = true;
   CardPile* foundation = CardPileGet(CARD_PILE_TYPE_FOUNDATION, -1, -1);
   const u32 delay = static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0);
   CardMoveQueue(foundation, first, delay, true);
   CardMoveQueue(foundation, card, delay, true);
}

bool NestorSolitaire::CardPlayableCheck(Card* card)
{
   if (!CardFreeCheck(card))
   {
      return false;
   }
   for (i32 i = 0; i < cardPiles.count; ++i)
   {
      const CardPile* pile = cardPiles[i];
      const Card* top = pile->CardTopGet();
      if (pile != card->pile && top && top->rank == card->rank &&
          (pile->type == CARD_PILE_TYPE_TABLEAU || pile->type == CARD_PILE_TYPE_RESERVE))
      {
         return true;
      }
   }
   return false;
}

bool NestorSolitaire::PairExistsCheck()
{
   i32 tops[RANK_KING + 1] = {};
   for (i32 i = 0; i < cardPiles.count; ++i)
   {
      const CardPile* pile = cardPiles[i];
      const Card* top = pile->CardTopGet();
      if (top && pile->type != CARD_PILE_TYPE_FOUNDATION && top->rank >= 0 && top->rank <= RANK_KING &&
          ++tops[top->rank] >= 2)
      {
         return true;
      }
   }
   return false;
}

void NestorSolitaire::Refresh()
{
   PlayableCardsHighlight();
   if (!MayActCheck())
   {
      return;
   }
   if (CardPilesOfTypeEmpty(CARD_PILE_TYPE_RESERVE) && CardPilesOfTypeEmpty(CARD_PILE_TYPE_TABLEAU))
   {
      GameWin();
   }
   else if (!PairExistsCheck())
   {
      GameLose();
   }
}

void NestorSolitaire::Undo()
{
   // The base deselects every card; a remembered choice would pair a card that may be covered now.
   TraditionalSolitaireGame::Undo();
   firstClickedCardID = -1;
}
} // namespace Corvale
