// Eagle Wing's deal, its wing and foundation rules, the trunk refilling the wings, and the win.
#include "games/solitaire/EagleWingSolitaire.h"

#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardPile.h"
#include "cardgame/RecordSupport.h"

namespace Corvale
{
EagleWingSolitaire eagleWingSolitaire;

void EagleWingSolitaire::ReflectionRegister()
{
   auto* record =
       ReflectionRecordCreate<ReflectionTypeObjectTyped<EagleWingSolitaire>>("Corvale::EagleWingSolitaire");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(TalonSolitaire).name());
   record->FieldAdd(&EagleWingSolitaire::buildRank, "buildRank");
   ReflectionManager::TypeRegister(record);
}

CardPile* EagleWingSolitaire::StockGet()
{
   return CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
}

CardPile* EagleWingSolitaire::TrunkGet()
{
   return CardPileGet(CARD_PILE_TYPE_RESERVE, -1, -1);
}

i32 EagleWingSolitaire::TrunkSizeGet()
{
   return SettingBoolGet("SeventeenCardReserve") ? 17 : 14;
}

void EagleWingSolitaire::Init()
{
   TalonSolitaire::Init();
   GameNew();
}

void EagleWingSolitaire::GameNew()
{
   undoMoveBegins = true;
   UndoHistoryClear();
   TalonSolitaire::GameNew();
   ResetButtonShow(false);
   resetNum = 0;
   maxResets = -1;

   CardPile* stock = StockGet();
   CardPile* foundation = CardPileGet(CARD_PILE_TYPE_FOUNDATION, 0, -1);
   CardPile* trunk = TrunkGet();
   if (!stock || !foundation || !trunk || !CardPileGet(CARD_PILE_TYPE_TALON, -1, -1))
   {
      WarningPrintf("EagleWingSolitaire::GameNew -- the constants lack the stock, the talon, a foundation or "
                    "the trunk\n");
      return;
   }
   stock->DecksAdd(1);
   CardPileShuffle(stock);

   const Card* first = stock->CardTopGet();
   buildRank = first ? static_cast<Rank>(first->rank) : RANK_ACE;
   const u32 delay = static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0);
   CardPileTopCardMoveQueue(foundation, stock, delay, true);
   CardsDeal(CARD_PILE_TYPE_TABLEAU, stock, EAGLE_WING_WING_COUNT, true, 0);
   for (i32 i = TrunkSizeGet(); i > 0; --i)
   {
      CardPileTopCardMoveQueue(trunk, stock, delay, true);
   }
   maxResets = EAGLE_WING_MAX_RESETS;
   ActionTurnBeginPost();
}

bool EagleWingSolitaire::CardChooseOnClickCheck(Card* card)
{
   return card && card->pile && card->pile == StockGet();
}

void EagleWingSolitaire::CardChoose(Card* card)
{
   undoMoveBegins = true;
   if (card && card->pile && card->pile == StockGet())
   {
      StockCardsTurn(1, CARD_PILE_TYPE_TALON);
      return;
   }
   TalonSolitaire::CardChoose(card);
}

bool EagleWingSolitaire::CardStackPickUpCheck(Card* card)
{
   return card && card->pile && card->pile->type == CARD_PILE_TYPE_TABLEAU;
}

bool EagleWingSolitaire::CardPickUpCheck(Card* card)
{
   const CardPile* pile = card ? card->pile : nullptr;
   if (!pile || !card->faceUp)
   {
      return false;
   }
   switch (pile->type)
   {
   case CARD_PILE_TYPE_TABLEAU:
      return true;
   // A deeper trunk card would carry an unordered card onto a wing.
   case CARD_PILE_TYPE_RESERVE:
   case CARD_PILE_TYPE_TALON:
      return pile->CardTopGet() == card;
   default:
      return false;
   }
}

bool EagleWingSolitaire::CardDropCheck(CardPile* pile, Card* card)
{
   if (!pile || !card || !card->pile)
   {
      return false;
   }
   const Card* top = pile->CardTopGet();
   const bool single = card->pile->CardTopGet() == card;
   switch (pile->type)
   {
   case CARD_PILE_TYPE_TABLEAU:
   {
      const i32 moving = card->pile->type == CARD_PILE_TYPE_TABLEAU
                             ? card->pile->cards.count - card->pile->CardIndexGet(card)
                             : 1;
      if (moving + pile->cards.count > EAGLE_WING_WING_CARDS_MAX)
      {
         return false;
      }
      // The ranks wrap: a King goes on an Ace.
      return !top || (top->suit == card->suit && card->rank == CardRankAdd(top->rank, -1, false, nullptr));
   }
   case CARD_PILE_TYPE_FOUNDATION:
      if (!single)
      {
         return false;
      }
      return top ? top->suit == card->suit && card->rank == CardRankAdd(top->rank, 1, false, nullptr)
                 : card->rank == buildRank;
   default:
      return false;
   }
}

void EagleWingSolitaire::Refresh()
{
   PlayableCardsHighlight();
   if (!MayActCheck())
   {
      return;
   }
   // The trunk's top card fills each empty wing while it lasts.
   CardPile* trunk = TrunkGet();
   const bool wingsHold = EmptyPilesFill(CARD_PILE_TYPE_TABLEAU, 0, EAGLE_WING_WING_COUNT - 1, trunk);
   const CardPile* stock = StockGet();
   const CardPile* talon = CardPileGet(CARD_PILE_TYPE_TALON, -1, -1);
   if ((stock && stock->cards.count > 0) || (talon && talon->cards.count > 0))
   {
      return;
   }
   if (!wingsHold && (!trunk || trunk->cards.count == 0))
   {
      GameWin();
   }
}
} // namespace Corvale
