// Four Seasons' deal, its stock and waste, move rules and end of game.
#include "games/solitaire/FourSeasonsSolitaire.h"

#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardPile.h"
#include "cardgame/RecordSupport.h"

namespace Corvale
{
FourSeasonsSolitaire FourSeasonsSolitaire::instance;

void FourSeasonsSolitaire::ReflectionRegister()
{
   auto* record = ReflectionRecordCreate<ReflectionTypeObjectTyped<FourSeasonsSolitaire>>(
       "Corvale::FourSeasonsSolitaire");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(TraditionalSolitaireGame).name());
   record->FieldAdd(&FourSeasonsSolitaire::buildRank, "buildRank");
   ReflectionManager::TypeRegister(record);
}

namespace
{
constexpr i32 COLUMNS = 5;
constexpr i32 COLUMN_LIMIT = 25;
// King and Ace touch both ways: a column Ace takes a King, a foundation King an Ace.
const BuildRule COLUMN_BUILD = {BUILD_DOWN, BUILD_ANY_SUIT, true};
const BuildRule FOUNDATION_BUILD = {BUILD_UP, BUILD_SAME_SUIT, true};
} // namespace

void FourSeasonsSolitaire::Deal()
{
   CardPile* stock = StockGet();
   CardPile* foundation = FoundationGet(0);
   const Card* first = stock->CardTopGet();
   buildRank = first ? static_cast<Rank>(first->rank) : RANK_ACE;
   if (!foundation)
   {
      WarningPrintf("FourSeasonsSolitaire::Deal -- the constants declare no foundation\n");
      return;
   }
   CardPileTopCardMoveQueue(foundation, stock, static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0), true);
   CardsDeal(CARD_PILE_TYPE_TABLEAU, stock, COLUMNS, true, 0);
}

bool FourSeasonsSolitaire::PilePickUpCheck(const CardPile* pile)
{
   return pile->type == CARD_PILE_TYPE_TABLEAU || pile->type == CARD_PILE_TYPE_TALON;
}

bool FourSeasonsSolitaire::CardDropCheck(CardPile* pile, Card* card)
{
   if (!pile || !card || !card->pile || card->pile->CardTopGet() != card)
   {
      return false;
   }
   const bool empty = pile->cards.count == 0;
   switch (pile->type)
   {
   case CARD_PILE_TYPE_TABLEAU:
      return CountLimitCheck(pile, card, COLUMN_LIMIT) && (empty || BuildsOnCheck(pile, card, COLUMN_BUILD));
   case CARD_PILE_TYPE_FOUNDATION:
      return empty ? card->rank == buildRank : BuildsOnCheck(pile, card, FOUNDATION_BUILD);
   default:
      return false;
   }
}

bool FourSeasonsSolitaire::StockClickActsCheck()
{
   const CardPile* stock = StockGet();
   return stock && stock->cards.count > 0;
}

void FourSeasonsSolitaire::StockClick()
{
   CardsDealToEachPile(CARD_PILE_TYPE_TALON, StockGet(), 1, true);
}

void FourSeasonsSolitaire::RefreshSteps()
{
   if (ColumnTopsTurn(COLUMNS))
   {
      return;
   }
   const CardPile* stock = StockGet();
   const CardPile* waste = CardPileGet(CARD_PILE_TYPE_TALON, -1, -1);
   const bool stockEmpty = !stock || stock->cards.count == 0;
   // Cards left on the waste still wait for their foundation: the game is not won yet.
   if (stockEmpty && (!waste || waste->cards.count == 0) && PilesEmptyCheck(CARD_PILE_TYPE_TABLEAU, COLUMNS))
   {
      GameWin();
   }
   else if (stockEmpty && !MoveExists())
   {
      GameLose();
   }
}
} // namespace Corvale
