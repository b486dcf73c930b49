// Spiderette's opening deals, its row deals from the stock, move rules and end of game.
#include "games/solitaire/SpideretteSolitaire.h"

#include <cstring>
#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/RecordSupport.h"
#include "cardgame/solitaire/TableauRuns.h"

namespace Corvale
{
SpideretteSolitaire spideretteSolitaire;

void SpideretteSolitaire::ReflectionRegister()
{
   auto* record =
       ReflectionRecordCreate<ReflectionTypeObjectTyped<SpideretteSolitaire>>("Corvale::SpideretteSolitaire");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(TraditionalSolitaireGame).name());
   ReflectionManager::TypeRegister(record);
}

i32 SpideretteSolitaire::DealStyleGet()
{
   const char* name = SettingStringGet("DealStlye");
   if (name && std::strcmp(name, "ThreeDown") == 0)
   {
      return 3;
   }
   if (name && std::strcmp(name, "Klondike") == 0)
   {
      return 0;
   }
   return 2;
}

bool SpideretteSolitaire::DealPossibleCheck()
{
   const CardPile* stock = CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
   return stock && stock->cards.count > 0 &&
          TableauPilesBelowCheck(this, SPIDERETTE_COLUMN_COUNT, SPIDERETTE_PILE_CARDS_MAX);
}

void SpideretteSolitaire::Init()
{
   TraditionalSolitaireGame::Init();
   GameNew();
}

void SpideretteSolitaire::GameNew()
{
   undoMoveBegins = true;
   UndoHistoryClear();
   TraditionalSolitaireGame::GameNew();

   CardPile* stock = CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
   if (!stock)
   {
      WarningPrintf("SpideretteSolitaire::GameNew -- the constants declare no stock pile\n");
      return;
   }
   stock->DecksAdd(1);
   CardPileShuffle(stock);
   const i32 down = DealStyleGet();
   if (down > 0)
   {
      CardsDeal(CARD_PILE_TYPE_TABLEAU, stock, down * SPIDERETTE_COLUMN_COUNT, false, 0);
      CardsDeal(CARD_PILE_TYPE_TABLEAU, stock, SPIDERETTE_COLUMN_COUNT, true, 0);
   }
   else
   {
      // As in Klondike: column i gets i face-down cards under one face-up card.
      const u32 delay = static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0);
      for (i32 row = 0; row < SPIDERETTE_COLUMN_COUNT; ++row)
      {
         CardPileTopCardMoveQueue(CardPileGet(CARD_PILE_TYPE_TABLEAU, row, -1), stock, delay, true);
         for (i32 column = row + 1; column < SPIDERETTE_COLUMN_COUNT; ++column)
         {
            CardPileTopCardMoveQueue(CardPileGet(CARD_PILE_TYPE_TABLEAU, column, -1), stock, delay, false);
         }
      }
   }
   ActionTurnBeginPost();
}

bool SpideretteSolitaire::CardChooseOnClickCheck(Card* card)
{
   return card && card->pile && card->pile->type == CARD_PILE_TYPE_DRAW && DealPossibleCheck();
}

void SpideretteSolitaire::CardChoose(Card* card)
{
   undoMoveBegins = true;
   CardPile* stock = CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
   if (!card || !stock || card->pile != stock)
   {
      TraditionalSolitaireGame::CardChoose(card);
      return;
   }
   if (!DealPossibleCheck())
   {
      return;
   }
   CardsDealToEachPile(CARD_PILE_TYPE_TABLEAU, stock, 1, true);
}

bool SpideretteSolitaire::CardStackPickUpCheck(Card* card)
{
   (void)card;
   return true;
}

bool SpideretteSolitaire::CardPickUpCheck(Card* card)
{
   return TableauRunPickUpCheck(card, TABLEAU_RUN_ANY_SUIT);
}

bool SpideretteSolitaire::CardDropCheck(CardPile* pile, Card* card)
{
   return TableauRunDropCheck(pile, card, SPIDERETTE_PILE_CARDS_MAX);
}

void SpideretteSolitaire::Refresh()
{
   PlayableCardsHighlight();
   if (!MayActCheck() || TableauRunsTidy(this, SPIDERETTE_COLUMN_COUNT, TABLEAU_RUN_ANY_SUIT))
   {
      return;
   }
   const CardPile* stock = CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
   if ((!stock || stock->cards.count == 0) && CardPilesOfTypeEmpty(CARD_PILE_TYPE_TABLEAU))
   {
      GameWin();
   }
   else if (!DealPossibleCheck() && !MoveExists())
   {
      GameLose();
   }
}
} // namespace Corvale
