// Sultan's deal, move rules, stock turns with two redeals, and its end.
#include "games/solitaire/SultanSolitaire.h"

#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardPile.h"
#include "cardgame/RecordSupport.h"

namespace Corvale
{
SultanSolitaire SultanSolitaire::instance;

namespace
{
// The foundations of each suit's Kings, the first King found first.
constexpr i32 KING_FOUNDATIONS[4][2] = {
    {7, 4}, // Hearts
    {2, 0}, // Spades
    {5, 3}, // Diamonds
    {8, 6}, // Clubs
};
} // namespace

void SultanSolitaire::ReflectionRegister()
{
   auto* record =
       ReflectionRecordCreate<ReflectionTypeObjectTyped<SultanSolitaire>>("Corvale::SultanSolitaire");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(TalonSolitaire).name());
   record->FieldAdd(&SultanSolitaire::buildRank, "buildRank");
   ReflectionManager::TypeRegister(record);
}

void SultanSolitaire::Init()
{
   TalonSolitaire::Init();
   GameNew();
}

void SultanSolitaire::GameNew()
{
   undoMoveBegins = true;
   UndoHistoryClear();
   TalonSolitaire::GameNew();
   ResetButtonShow(false);
   resetNum = 0;
   maxResets = -1;

   CardPile* stock = StockGet();
   if (!stock || !TalonGet())
   {
      WarningPrintf("SultanSolitaire::GameNew -- the constants lack the stock or the talon\n");
      return;
   }
   stock->DecksAdd(2);
   CardPileShuffle(stock);
   const Card* first = stock->CardTopGet();
   buildRank = first ? static_cast<Rank>(first->rank) : RANK_ACE;

   const u32 delay = static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0);
   bool aceFound = false;
   i32 kingsFound[4] = {0, 0, 0, 0};
   for (i32 i = stock->cards.count - 1; i >= 0; --i)
   {
      Card* card = stock->cards[i];
      i32 target = -1;
      if (card->rank == RANK_ACE && card->suit == SUIT_HEARTS && !aceFound)
      {
         aceFound = true;
         target = SULTAN_ACE_FOUNDATION;
      }
      else if (card->rank == RANK_KING && card->suit >= 0 && card->suit < 4 && kingsFound[card->suit] < 2)
      {
         target = KING_FOUNDATIONS[card->suit][kingsFound[card->suit]++];
      }
      if (target >= 0)
      {
         CardMoveQueue(CardPileGet(CARD_PILE_TYPE_FOUNDATION, target, -1), card, delay, true);
      }
   }
   CardsDealToEachPile(CARD_PILE_TYPE_TABLEAU, stock, 1, true);
   maxResets = SULTAN_MAX_RESETS;
   ActionTurnBeginPost();
}

bool SultanSolitaire::CardChooseOnClickCheck(Card* card)
{
   return card && card->pile && card->pile == StockGet();
}

void SultanSolitaire::CardChoose(Card* card)
{
   undoMoveBegins = true;
   if (card && card->pile && card->pile == StockGet())
   {
      StockCardsTurn(1);
      return;
   }
   TalonSolitaire::CardChoose(card);
}

bool SultanSolitaire::CardPickUpCheck(Card* card)
{
   const CardPile* pile = card ? card->pile : nullptr;
   return pile && card->faceUp &&
          (pile->type == CARD_PILE_TYPE_TABLEAU || pile->type == CARD_PILE_TYPE_TALON);
}

bool SultanSolitaire::CardDropCheck(CardPile* pile, Card* card)
{
   if (!pile || !card || !card->pile)
   {
      return false;
   }
   const Card* top = pile->CardTopGet();
   switch (pile->type)
   {
   case CARD_PILE_TYPE_FOUNDATION:
      // The ranks wrap: the Ace follows the King.
      return pile->secondaryID != SULTAN_CENTRE_FOUNDATION && card->pile->CardTopGet() == card && top &&
             top->suit == card->suit && card->rank == CardRankAdd(top->rank, 1, false, nullptr) &&
             pile->cards.count < SULTAN_FOUNDATION_CARDS_LIMIT;
   case CARD_PILE_TYPE_TABLEAU:
      return !top;
   default:
      return false;
   }
}

void SultanSolitaire::Refresh()
{
   PlayableCardsHighlight();
   if (!MayActCheck())
   {
      return;
   }
   bool turned = false;
   bool tableauHolds = false;
   for (i32 column = 0; column < SULTAN_COLUMN_COUNT; ++column)
   {
      CardPile* pile = CardPileGet(CARD_PILE_TYPE_TABLEAU, column, -1);
      Card* top = pile ? pile->CardTopGet() : nullptr;
      if (top && !top->faceUp)
      {
         CardFaceUpSet(top, true, true);
         turned = true;
      }
      tableauHolds = tableauHolds || top;
   }
   if (turned)
   {
      return;
   }
   const CardPile* stock = StockGet();
   const CardPile* talon = TalonGet();
   const i32 stockLeft = stock ? stock->cards.count : 0;
   const i32 talonLeft = talon ? talon->cards.count : 0;
   if (!tableauHolds && stockLeft == 0 && talonLeft == 0)
   {
      GameWin();
      return;
   }
   // A redeal of an empty talon brings nothing back, so a redeal left keeps play open only while
   // the talon holds cards.
   if (stockLeft > 0 || MoveExists() || (resetNum < SULTAN_MAX_RESETS && talonLeft > 0))
   {
      return;
   }
   GameLose();
}
} // namespace Corvale
