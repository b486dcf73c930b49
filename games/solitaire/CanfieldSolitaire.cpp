// Canfield's deal, move rules, stock turns, reserve refills and win.
#include "games/solitaire/CanfieldSolitaire.h"

#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardPile.h"
#include "cardgame/RecordSupport.h"

namespace Corvale
{
CanfieldSolitaire canfieldSolitaire;

namespace
{
// The cards that travel when card is lifted: it and every card above it.
i32 MovingCountGet(const Card* card)
{
   const i32 index = card->pile ? card->pile->CardIndexGet(card) : -1;
   return index >= 0 ? card->pile->cards.count - index : 1;
}
} // namespace

void CanfieldSolitaire::ReflectionRegister()
{
   auto* record =
       ReflectionRecordCreate<ReflectionTypeObjectTyped<CanfieldSolitaire>>("Corvale::CanfieldSolitaire");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(TalonSolitaire).name());
   record->FieldAdd(&CanfieldSolitaire::buildRank, "buildRank");
   ReflectionManager::TypeRegister(record);
}

CardPile* CanfieldSolitaire::StockGet()
{
   return CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
}

CardPile* CanfieldSolitaire::ReserveGet()
{
   return CardPileGet(CARD_PILE_TYPE_TABLEAU, CANFIELD_RESERVE_ID, -1);
}

i32 CanfieldSolitaire::ReserveSizeGet()
{
   return SettingBoolGet("ThirteenCardReserve") ? 13 : 10;
}

void CanfieldSolitaire::Init()
{
   TalonSolitaire::Init();
   GameNew();
   maxResets = CANFIELD_MAX_RESETS;
}

void CanfieldSolitaire::GameNew()
{
   undoMoveBegins = true;
   UndoHistoryClear();
   TalonSolitaire::GameNew();

   ResetButtonShow(false);
   resetNum = 0;
   maxResets = CANFIELD_MAX_RESETS;

   CardPile* stock = StockGet();
   CardPile* foundation = CardPileGet(CARD_PILE_TYPE_FOUNDATION, 0, -1);
   if (!stock || !foundation || !ReserveGet())
   {
      WarningPrintf(
          "CanfieldSolitaire::GameNew -- the constants lack the stock, a foundation or the reserve\n");
      return;
   }
   stock->DecksAdd(1);
   CardPileShuffle(stock);

   // The card that goes to the first foundation fixes where every foundation begins.
   const Card* first = stock->CardTopGet();
   buildRank = first ? static_cast<Rank>(first->rank) : RANK_ACE;
   const u32 delay = static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0);
   CardPileTopCardMoveQueue(foundation, stock, delay, true);
   CardsDeal(CARD_PILE_TYPE_TABLEAU, stock, CANFIELD_COLUMN_COUNT, true, 0);
   for (i32 i = ReserveSizeGet(); i > 0; --i)
   {
      CardPileTopCardMoveQueue(ReserveGet(), stock, delay, true);
   }
   ActionTurnBeginPost();
}

bool CanfieldSolitaire::CardChooseOnClickCheck(Card* card)
{
   return card && card->pile && card->pile == StockGet();
}

void CanfieldSolitaire::CardChoose(Card* card)
{
   undoMoveBegins = true;
   CardPile* stock = StockGet();
   if (!card || !stock || card->pile != stock)
   {
      TalonSolitaire::CardChoose(card);
      return;
   }
   StockCardsTurn(CANFIELD_TURN_COUNT);
}

bool CanfieldSolitaire::CardStackPickUpCheck(Card* card)
{
   (void)card;
   return true;
}

bool CanfieldSolitaire::CardPickUpCheck(Card* card)
{
   const CardPile* pile = card ? card->pile : nullptr;
   if (!pile || !card->faceUp)
   {
      return false;
   }
   const bool top = pile->CardTopGet() == card;
   switch (pile->type)
   {
   case CARD_PILE_TYPE_TALON:
      return top;
   case CARD_PILE_TYPE_TABLEAU:
      // A deeper reserve card would carry unordered cards into a column.
      if (pile->secondaryID == CANFIELD_RESERVE_ID)
      {
         return top;
      }
      return top || !SettingBoolGet("MoveOnlyFullBuilds") || pile->CardIndexGet(card) == 0;
   default:
      return false;
   }
}

bool CanfieldSolitaire::CardDropCheck(CardPile* pile, Card* card)
{
   if (!pile || !card)
   {
      return false;
   }
   const Card* top = pile->CardTopGet();
   switch (pile->type)
   {
   case CARD_PILE_TYPE_TABLEAU:
      if (pile->secondaryID < 0 || pile->secondaryID >= CANFIELD_COLUMN_COUNT ||
          MovingCountGet(card) + pile->cards.count >= CANFIELD_PILE_CARDS_LIMIT)
      {
         return false;
      }
      // The ranks wrap: a King goes on an Ace.
      return !top || (!CardSuitColorsMatchCheck(card->suit, top->suit) &&
                      card->rank == CardRankAdd(top->rank, -1, false, nullptr));
   case CARD_PILE_TYPE_FOUNDATION:
      if (!card->pile || card->pile->CardTopGet() != card)
      {
         return false;
      }
      return top ? top->suit == card->suit && card->rank == CardRankAdd(top->rank, 1, false, nullptr)
                 : card->rank == buildRank;
   default:
      return false;
   }
}

void CanfieldSolitaire::Refresh()
{
   PlayableCardsHighlight();
   if (!MayActCheck())
   {
      return;
   }
   CardPile* reserve = ReserveGet();
   i32 reserveLeft = reserve ? reserve->cards.count : 0;
   bool tableauHolds = false;
   const u32 delay = static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0);
   for (i32 id = 0; id <= CANFIELD_RESERVE_ID; ++id)
   {
      CardPile* pile = CardPileGet(CARD_PILE_TYPE_TABLEAU, id, -1);
      if (!pile)
      {
         continue;
      }
      // One reserve card for each empty column while they last.
      if (pile != reserve && pile->cards.count == 0 && reserveLeft > 0)
      {
         CardPileTopCardMoveQueue(pile, reserve, delay, true);
         reserveLeft--;
      }
      tableauHolds = tableauHolds || pile->cards.count > 0;
   }
   const CardPile* stock = StockGet();
   const CardPile* talon = CardPileGet(CARD_PILE_TYPE_TALON, -1, -1);
   if (tableauHolds || (stock && stock->cards.count > 0) || (talon && talon->cards.count > 0))
   {
      return;
   }
   GameWin();
}
} // namespace Corvale
