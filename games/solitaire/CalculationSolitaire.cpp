// Calculation's deal of the base cards, its one-card turns, the stepped foundations and the end.
#include "games/solitaire/CalculationSolitaire.h"

#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/CardQueries.h"
#include "cardgame/RecordSupport.h"

namespace Corvale
{
CalculationSolitaire calculationSolitaire;

void CalculationSolitaire::ReflectionRegister()
{
   auto* record = ReflectionRecordCreate<ReflectionTypeObjectTyped<CalculationSolitaire>>(
       "Corvale::CalculationSolitaire");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(TraditionalSolitaireGame).name());
   ReflectionManager::TypeRegister(record);
}

CardPile* CalculationSolitaire::StockGet()
{
   return CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
}

CardPile* CalculationSolitaire::TurnedGet()
{
   return CardPileGet(CARD_PILE_TYPE_TALON, -1, -1);
}

void CalculationSolitaire::Init()
{
   TraditionalSolitaireGame::Init();
   GameNew();
}

void CalculationSolitaire::GameNew()
{
   undoMoveBegins = true;
   UndoHistoryClear();
   TraditionalSolitaireGame::GameNew();
   CardPile* stock = StockGet();
   if (!stock || !TurnedGet())
   {
      WarningPrintf(
          "CalculationSolitaire::GameNew -- the constants lack the stock or the turned-card pile\n");
      return;
   }
   stock->DecksAdd(1);
   CardPileShuffle(stock);

   // The first Ace, Two, Three and Four from the top become the bases.
   const u32 delay = static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0);
   bool based[CALCULATION_FOUNDATION_COUNT] = {};
   for (i32 i = stock->cards.count - 1; i >= 0; --i)
   {
      Card* card = stock->cards[i];
      const i32 base = card->rank - 1;
      if (base >= 0 && base < CALCULATION_FOUNDATION_COUNT && !based[base])
      {
         based[base] = true;
         CardMoveQueue(CardPileGet(CARD_PILE_TYPE_RESERVE, base, -1), card, delay, true);
      }
   }
   CardPile* fifth = CardPileGet(CARD_PILE_TYPE_TABLEAU, CALCULATION_COLUMN_COUNT - 1, -1);
   if (fifth)
   {
      fifth->VisibleSet(!SettingBoolGet("FourColumns"));
   }
   cardPilesLayoutPending = true;
   ActionTurnBeginPost();
}

bool CalculationSolitaire::CardChooseOnClickCheck(Card* card)
{
   const CardPile* turned = TurnedGet();
   return card && card->pile && card->pile == StockGet() && turned && turned->cards.count == 0;
}

void CalculationSolitaire::CardChoose(Card* card)
{
   CardPile* stock = StockGet();
   CardPile* turned = TurnedGet();
   if (!card || !stock || card->pile != stock)
   {
      undoMoveBegins = true;
      TraditionalSolitaireGame::CardChoose(card);
      return;
   }
   // One turned card waits at a time.
   if (turned && turned->cards.count == 0)
   {
      undoMoveBegins = true;
      CardsDealToPile(turned, stock, 1, true);
   }
}

bool CalculationSolitaire::CardPickUpCheck(Card* card)
{
   const CardPile* pile = card ? card->pile : nullptr;
   if (!pile || !card->faceUp || pile->CardTopGet() != card)
   {
      return false;
   }
   return pile->type == CARD_PILE_TYPE_TALON || pile->type == CARD_PILE_TYPE_TABLEAU;
}

bool CalculationSolitaire::CardDropCheck(CardPile* pile, Card* card)
{
   if (!pile || !card || !card->pile || !pile->visible)
   {
      return false;
   }
   if (pile->type == CARD_PILE_TYPE_TABLEAU)
   {
      // Cards never move from one waste column to another.
      return card->pile->type == CARD_PILE_TYPE_TALON;
   }
   if (pile->type != CARD_PILE_TYPE_FOUNDATION || pile->secondaryID < 0 ||
       pile->secondaryID >= CALCULATION_FOUNDATION_COUNT)
   {
      return false;
   }
   const i32 step = pile->secondaryID + 1;
   const Card* top = pile->CardTopGet();
   // An empty foundation takes the step after its base card.
   return top ? CardRankStepFollowsCheck(top->rank, card->rank, step) : card->rank == 2 * step;
}

void CalculationSolitaire::Refresh()
{
   PlayableCardsHighlight();
   if (!MayActCheck())
   {
      return;
   }
   bool turnedUp = false;
   bool columnsEmpty = true;
   for (i32 i = 0; i < cardPiles.count; ++i)
   {
      CardPile* pile = cardPiles[i];
      if (pile->type != CARD_PILE_TYPE_TABLEAU)
      {
         continue;
      }
      Card* top = pile->CardTopGet();
      columnsEmpty = columnsEmpty && !top;
      if (top && !top->faceUp)
      {
         CardFaceUpSet(top, true, true);
         turnedUp = true;
      }
   }
   if (turnedUp)
   {
      return;
   }
   const CardPile* stock = StockGet();
   const CardPile* turned = TurnedGet();
   const bool stockEmpty = !stock || stock->cards.count == 0;
   if (columnsEmpty && stockEmpty && (!turned || turned->cards.count == 0))
   {
      GameWin();
   }
   else if (stockEmpty && !MoveExists())
   {
      GameLose();
   }
}
} // namespace Corvale
