// Descending runs on the Tableau: lifting, dropping, the pile limit and the runs that leave.
#include "cardgame/solitaire/TableauRuns.h"

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/CardQueries.h"
#include "cardgame/solitaire/TraditionalSolitaireGame.h"

namespace Corvale
{
bool TableauRunPickUpCheck(const Card* card, i32 suitRule)
{
   const CardPile* pile = card ? card->pile : nullptr;
   return pile && pile->type == CARD_PILE_TYPE_TABLEAU && card->faceUp &&
          CardsSequenceCheck(pile->cards, card, 1, suitRule, false, false, 1, -1);
}

bool TableauRunDropCheck(const CardPile* pile, const Card* card, i32 pileCardsMax)
{
   if (!pile || !card || pile->type != CARD_PILE_TYPE_TABLEAU)
   {
      return false;
   }
   const i32 index = card->pile ? card->pile->CardIndexGet(card) : -1;
   const i32 moving = index >= 0 ? card->pile->cards.count - index : 1;
   if (pile->cards.count + moving > pileCardsMax)
   {
      return false;
   }
   const Card* top = pile->CardTopGet();
   return !top || card->rank + 1 == top->rank;
}

bool TableauPilesBelowCheck(TraditionalSolitaireGame* game, i32 pileCount, i32 pileCardsMax)
{
   for (i32 id = 0; id < pileCount; ++id)
   {
      const CardPile* pile = game->CardPileGet(CARD_PILE_TYPE_TABLEAU, id, -1);
      if (pile && pile->cards.count >= pileCardsMax)
      {
         return false;
      }
   }
   return true;
}

bool TableauPileEmptyCheck(TraditionalSolitaireGame* game, i32 pileCount)
{
   for (i32 id = 0; id < pileCount; ++id)
   {
      const CardPile* pile = game->CardPileGet(CARD_PILE_TYPE_TABLEAU, id, -1);
      if (pile && pile->cards.count == 0)
      {
         return true;
      }
   }
   return false;
}

bool TableauRunsTidy(TraditionalSolitaireGame* game, i32 pileCount, i32 suitRule)
{
   bool turned = false;
   for (i32 id = 0; id < pileCount; ++id)
   {
      CardPile* pile = game->CardPileGet(CARD_PILE_TYPE_TABLEAU, id, -1);
      Card* top = pile ? pile->CardTopGet() : nullptr;
      if (top && !top->faceUp)
      {
         game->CardFaceUpSet(top, true, true);
         turned = true;
      }
   }
   CardPile* foundation = game->CardPileGet(CARD_PILE_TYPE_FOUNDATION, -1, -1);
   if (turned || !foundation)
   {
      return turned;
   }
   bool moved = false;
   for (i32 i = 0; i < game->cards.count; ++i)
   {
      Card* card = game->cards[i];
      const CardPile* pile = card->pile;
      if (card->faceUp && pile && pile->type == CARD_PILE_TYPE_TABLEAU &&
          CardsFullRunCheck(pile->cards, card, suitRule))
      {
         game->CardStackAdd(foundation, card);
         moved = true;
      }
   }
   return moved;
}
} // namespace Corvale
