// Terrace's deal, the choice of the base rank, the move rules, the column refills and the end.
#include "games/solitaire/TerraceSolitaire.h"

#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardPile.h"
#include "cardgame/RecordSupport.h"

namespace Corvale
{
TerraceSolitaire TerraceSolitaire::instance;

void TerraceSolitaire::ReflectionRegister()
{
   auto* record =
       ReflectionRecordCreate<ReflectionTypeObjectTyped<TerraceSolitaire>>("Corvale::TerraceSolitaire");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(TraditionalSolitaireGame).name());
   record->FieldAdd(&TerraceSolitaire::buildRank, "buildRank");
   ReflectionManager::TypeRegister(record);
}

void TerraceSolitaire::Init()
{
   TraditionalSolitaireGame::Init();
   GameNew();
}

void TerraceSolitaire::GameNew()
{
   undoMoveBegins = true;
   UndoHistoryClear();
   TraditionalSolitaireGame::GameNew();
   buildRank = RANK_NONE;
   CardPile* stock = StockGet();
   if (!stock || !ReserveGet() || !TalonGet())
   {
      WarningPrintf("TerraceSolitaire::GameNew -- the constants lack the stock, the talon or the reserve\n");
      return;
   }
   stock->DecksAdd(2);
   CardPileShuffle(stock);
   CardsDealToEachPile(CARD_PILE_TYPE_RESERVE, stock, TERRACE_RESERVE_SIZE, true);
   const u32 delay = static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0);
   for (i32 column = 0; column < TERRACE_CHOICE_COLUMN_COUNT; ++column)
   {
      CardPileTopCardMoveQueue(CardPileGet(CARD_PILE_TYPE_TABLEAU, column, -1), stock, delay, true);
   }
   ActionTurnBeginPost();
}

bool TerraceSolitaire::CardChooseOnClickCheck(Card* card)
{
   return buildRank != RANK_NONE && card && card->pile && card->pile == StockGet();
}

void TerraceSolitaire::CardChoose(Card* card)
{
   undoMoveBegins = true;
   CardPile* stock = StockGet();
   if (card && stock && card->pile == stock)
   {
      // The stock waits until the base rank is chosen.
      if (buildRank != RANK_NONE)
      {
         CardsDealToEachPile(CARD_PILE_TYPE_TALON, stock, 1, true);
      }
      return;
   }
   TraditionalSolitaireGame::CardChoose(card);
}

bool TerraceSolitaire::CardPickUpCheck(Card* card)
{
   const CardPile* pile = card ? card->pile : nullptr;
   if (!pile || !card->faceUp || pile->CardTopGet() != card)
   {
      return false;
   }
   return pile->type == CARD_PILE_TYPE_TABLEAU || pile->type == CARD_PILE_TYPE_TALON ||
          (pile->type == CARD_PILE_TYPE_RESERVE && buildRank != RANK_NONE);
}

bool TerraceSolitaire::CardDropCheck(CardPile* pile, Card* card)
{
   if (!pile || !card || !card->pile)
   {
      return false;
   }
   const Card* top = pile->CardTopGet();
   switch (pile->type)
   {
   case CARD_PILE_TYPE_FOUNDATION:
      if (!top)
      {
         return buildRank == RANK_NONE || card->rank == buildRank;
      }
      // Up in alternating colours, the Ace after the King.
      return pile->cards.count < TERRACE_FOUNDATION_CARDS_LIMIT &&
             !CardSuitColorsMatchCheck(card->suit, top->suit) &&
             card->rank == CardRankAdd(top->rank, 1, false, nullptr);
   case CARD_PILE_TYPE_TABLEAU:
      if (buildRank == RANK_NONE ||
          (card->pile->type != CARD_PILE_TYPE_TABLEAU && card->pile->type != CARD_PILE_TYPE_TALON))
      {
         return false;
      }
      return !top || (pile->cards.count < TERRACE_COLUMN_CARDS_LIMIT &&
                      !CardSuitColorsMatchCheck(card->suit, top->suit) &&
                      card->rank == CardRankAdd(top->rank, -1, false, nullptr));
   default:
      return false;
   }
}

void TerraceSolitaire::Refresh()
{
   PlayableCardsHighlight();
   if (!MayActCheck())
   {
      return;
   }
   // The first foundation card fixes the base; with every foundation empty again (an undo) the
   // choice is free again.
   const Card* based = nullptr;
   for (i32 f = 0; f < TERRACE_FOUNDATION_COUNT && !based; ++f)
   {
      const CardPile* pile = CardPileGet(CARD_PILE_TYPE_FOUNDATION, f, -1);
      based = pile ? pile->CardTopGet() : nullptr;
   }
   if (!based)
   {
      buildRank = RANK_NONE;
   }
   else if (buildRank == RANK_NONE)
   {
      buildRank = static_cast<Rank>(based->rank);
   }

   CardPile* stock = StockGet();
   CardPile* talon = TalonGet();
   const CardPile* reserve = ReserveGet();
   if (!stock || !talon || !reserve)
   {
      return;
   }
   i32 talonLeft = talon->cards.count;
   i32 stockLeft = stock->cards.count;
   bool refilled = false;
   const i32 columns = buildRank == RANK_NONE ? TERRACE_CHOICE_COLUMN_COUNT : TERRACE_COLUMN_COUNT;
   const u32 delay = static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0);
   for (i32 column = 0; column < columns; ++column)
   {
      CardPile* pile = CardPileGet(CARD_PILE_TYPE_TABLEAU, column, -1);
      if (!pile || pile->cards.count > 0 || talonLeft + stockLeft == 0)
      {
         continue;
      }
      CardPileTopCardMoveQueue(pile, talonLeft > 0 ? talon : stock, delay, true);
      (talonLeft > 0 ? talonLeft : stockLeft)--;
      refilled = true;
   }
   if (refilled)
   {
      return;
   }
   if (stockLeft == 0 && talonLeft == 0 && reserve->cards.count == 0 &&
       CardPilesOfTypeEmpty(CARD_PILE_TYPE_TABLEAU))
   {
      GameWin();
      return;
   }
   if (stockLeft == 0 && !MoveExists())
   {
      GameLose();
   }
}
} // namespace Corvale
