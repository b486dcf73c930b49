// The open tableau solitaires' common steps: the deal's frame, top-card pick-ups, stock clicks as
// moves of their own, and the small rule helpers every member's table is written with.
#include "games/solitaire/OpenTableauSolitaire.h"

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "core/Log.h"

namespace Corvale
{
void OpenTableauSolitaire::Init()
{
   TraditionalSolitaireGame::Init();
   GameNew();
}

void OpenTableauSolitaire::GameNew()
{
   undoMoveBegins = true;
   UndoHistoryClear();
   TraditionalSolitaireGame::GameNew();
   CardPile* stock = StockGet();
   if (!stock)
   {
      WarningPrintf("OpenTableauSolitaire::GameNew -- the constants declare no stock pile\n");
      return;
   }
   stock->DecksAdd(DecksCountGet());
   CardPileShuffle(stock);
   Deal();
   ActionTurnBeginPost();
}

void OpenTableauSolitaire::Refresh()
{
   PlayableCardsHighlight();
   if (!MayActCheck())
   {
      return;
   }
   RefreshSteps();
}

bool OpenTableauSolitaire::CardChooseOnClickCheck(Card* card)
{
   return card && card->pile && card->pile == StockGet() && StockClickActsCheck();
}

void OpenTableauSolitaire::CardChoose(Card* card)
{
   if (card && card->pile && card->pile == StockGet())
   {
      if (StockClickActsCheck())
      {
         undoMoveBegins = true;
         StockClick();
      }
      return;
   }
   TraditionalSolitaireGame::CardChoose(card);
}

bool OpenTableauSolitaire::CardStackPickUpCheck(Card* card)
{
   (void)card;
   return false;
}

bool OpenTableauSolitaire::PilePickUpCheck(const CardPile* pile)
{
   return pile->type == CARD_PILE_TYPE_TABLEAU || pile->type == CARD_PILE_TYPE_RESERVE;
}

bool OpenTableauSolitaire::CardPickUpCheck(Card* card)
{
   const CardPile* pile = card ? card->pile : nullptr;
   return pile && card->faceUp && pile->visible && pile->CardTopGet() == card && PilePickUpCheck(pile);
}

CardPile* OpenTableauSolitaire::StockGet()
{
   return CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
}

CardPile* OpenTableauSolitaire::ColumnGet(i32 index)
{
   return CardPileGet(CARD_PILE_TYPE_TABLEAU, index, -1);
}

CardPile* OpenTableauSolitaire::FoundationGet(i32 index)
{
   return CardPileGet(CARD_PILE_TYPE_FOUNDATION, index, -1);
}

CardPile* OpenTableauSolitaire::ReserveGet(i32 index)
{
   return CardPileGet(CARD_PILE_TYPE_RESERVE, index, -1);
}

i32 OpenTableauSolitaire::PilesOfTypeCountGet(i32 type)
{
   i32 count = 0;
   for (i32 i = 0; i < cardPiles.count; ++i)
   {
      count += cardPiles[i]->type == type && cardPiles[i]->ownerID == -1 ? 1 : 0;
   }
   return count;
}

i32 OpenTableauSolitaire::MovingCountGet(const Card* card)
{
   const CardPile* from = card->pile;
   const i32 index = from ? from->CardIndexGet(card) : -1;
   if (index < 0 || !CardStackPickUpCheck(const_cast<Card*>(card)))
   {
      return 1;
   }
   return from->cards.count - index;
}

bool OpenTableauSolitaire::CountLimitCheck(const CardPile* pile, const Card* card, i32 limit)
{
   return pile->cards.count + MovingCountGet(card) <= limit;
}

bool OpenTableauSolitaire::BuildsOnCheck(const CardPile* pile, const Card* card, const BuildRule& rule)
{
   const Card* top = pile->CardTopGet();
   return top && top->FollowsCheck(card, rule.direction, rule.suitRule, false, rule.wrap, 1);
}

bool OpenTableauSolitaire::ColumnTopsTurn(i32 count)
{
   bool turned = false;
   for (i32 column = 0; column < count; ++column)
   {
      CardPile* pile = ColumnGet(column);
      Card* top = pile ? pile->CardTopGet() : nullptr;
      if (top && !top->faceUp)
      {
         CardFaceUpSet(top, true, true);
         turned = true;
      }
   }
   return turned;
}

bool OpenTableauSolitaire::PilesEmptyCheck(i32 type, i32 count)
{
   for (i32 id = 0; id < count; ++id)
   {
      const CardPile* pile = CardPileGet(type, id, -1);
      if (pile && pile->cards.count > 0)
      {
         return false;
      }
   }
   return true;
}
} // namespace Corvale
