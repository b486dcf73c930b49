// Spider's deal and suits, its row deals from the stock, move rules and end of game.
#include "games/solitaire/SpiderSolitaire.h"

#include <cstring>
#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/RecordSupport.h"
#include "cardgame/solitaire/TableauRuns.h"

namespace Corvale
{
SpiderSolitaire spiderSolitaire;

void SpiderSolitaire::ReflectionRegister()
{
   auto* record =
       ReflectionRecordCreate<ReflectionTypeObjectTyped<SpiderSolitaire>>("Corvale::SpiderSolitaire");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(TraditionalSolitaireGame).name());
   ReflectionManager::TypeRegister(record);
}

i32 SpiderSolitaire::SuitCountGet()
{
   const char* name = SettingStringGet("SuitNumber");
   if (name && std::strcmp(name, "TwoSuits") == 0)
   {
      return SPIDER_TWO_SUITS;
   }
   if (name && std::strcmp(name, "FourSuits") == 0)
   {
      return SPIDER_FOUR_SUITS;
   }
   return SPIDER_ONE_SUIT;
}

bool SpiderSolitaire::DealPossibleCheck()
{
   const CardPile* stock = CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
   return stock && stock->cards.count > 0 &&
          TableauPilesBelowCheck(this, SPIDER_COLUMN_COUNT, SPIDER_PILE_CARDS_MAX);
}

void SpiderSolitaire::Init()
{
   TraditionalSolitaireGame::Init();
   GameNew();
}

void SpiderSolitaire::GameNew()
{
   undoMoveBegins = true;
   UndoHistoryClear();
   TraditionalSolitaireGame::GameNew();

   CardPile* stock = CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
   if (!stock)
   {
      WarningPrintf("SpiderSolitaire::GameNew -- the constants declare no stock pile\n");
      return;
   }
   stock->DecksAdd(2);
   const i32 suits = SuitCountGet();
   for (i32 i = 0; suits != SPIDER_FOUR_SUITS && i < stock->cards.count; ++i)
   {
      Card* card = stock->cards[i];
      const i32 old = card->suit;
      if (suits == SPIDER_ONE_SUIT)
      {
         card->suit = SUIT_HEARTS;
      }
      else if (card->suit == SUIT_DIAMONDS || card->suit == SUIT_CLUBS)
      {
         card->suit = card->suit == SUIT_DIAMONDS ? SUIT_HEARTS : SUIT_SPADES;
      }
      if (card->suit != old)
      {
         card->SpriteUpdate();
      }
   }
   CardPileShuffle(stock);
   // Five cards under each of the first four columns, four under the others, then a face-up row.
   CardsDeal(CARD_PILE_TYPE_TABLEAU, stock, 44, false, 0);
   CardsDeal(CARD_PILE_TYPE_TABLEAU, stock, SPIDER_COLUMN_COUNT, true, 0);
   ActionTurnBeginPost();
}

bool SpiderSolitaire::CardChooseOnClickCheck(Card* card)
{
   return card && card->pile && card->pile->type == CARD_PILE_TYPE_DRAW && DealPossibleCheck();
}

void SpiderSolitaire::CardChoose(Card* card)
{
   undoMoveBegins = true;
   CardPile* stock = CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
   if (!card || !stock || card->pile != stock)
   {
      TraditionalSolitaireGame::CardChoose(card);
      return;
   }
   if (!DealPossibleCheck() ||
       (!SettingBoolGet("CanDealWithEmptyColumns") && TableauPileEmptyCheck(this, SPIDER_COLUMN_COUNT)))
   {
      return;
   }
   CardsDealToEachPile(CARD_PILE_TYPE_TABLEAU, stock, 1, true);
}

bool SpiderSolitaire::CardStackPickUpCheck(Card* card)
{
   (void)card;
   return true;
}

bool SpiderSolitaire::CardPickUpCheck(Card* card)
{
   return TableauRunPickUpCheck(card, TABLEAU_RUN_SAME_SUIT);
}

bool SpiderSolitaire::CardDropCheck(CardPile* pile, Card* card)
{
   return TableauRunDropCheck(pile, card, SPIDER_PILE_CARDS_MAX);
}

void SpiderSolitaire::Refresh()
{
   PlayableCardsHighlight();
   if (!MayActCheck() || TableauRunsTidy(this, SPIDER_COLUMN_COUNT, TABLEAU_RUN_SAME_SUIT))
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
