// Shamrocks' deal, the fans' and foundations' rules, the base rank and the end.
#include "games/solitaire/ShamrocksSolitaire.h"

#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardPile.h"
#include "cardgame/RecordSupport.h"

namespace Corvale
{
ShamrocksSolitaire ShamrocksSolitaire::instance;

void ShamrocksSolitaire::ReflectionRegister()
{
   auto* record =
       ReflectionRecordCreate<ReflectionTypeObjectTyped<ShamrocksSolitaire>>("Corvale::ShamrocksSolitaire");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(TraditionalSolitaireGame).name());
   record->FieldAdd(&ShamrocksSolitaire::buildRank, "buildRank");
   ReflectionManager::TypeRegister(record);
}

Rank ShamrocksSolitaire::BuildRankFreeGet()
{
   return SettingBoolGet("OnlyAcesStart") ? RANK_ACE : RANK_NONE;
}

void ShamrocksSolitaire::Init()
{
   TraditionalSolitaireGame::Init();
   GameNew();
}

void ShamrocksSolitaire::GameNew()
{
   undoMoveBegins = true;
   UndoHistoryClear();
   TraditionalSolitaireGame::GameNew();
   buildRank = BuildRankFreeGet();
   CardPile* stock = StockGet();
   if (!stock)
   {
      WarningPrintf("ShamrocksSolitaire::GameNew -- the constants declare no stock pile\n");
      return;
   }
   stock->DecksAdd(1);
   CardPileShuffle(stock);
   // The stock's cards in list order: three to a fan, one to the short fan.
   const u32 delay = static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0);
   i32 next = 0;
   for (i32 fan = 0; fan < SHAMROCKS_FAN_COUNT; ++fan)
   {
      CardPile* pile = CardPileGet(CARD_PILE_TYPE_TABLEAU, fan, -1);
      const i32 count = fan == SHAMROCKS_SHORT_FAN ? 1 : SHAMROCKS_FAN_CARDS_LIMIT;
      for (i32 i = 0; i < count && next < stock->cards.count; ++i)
      {
         Card* card = stock->cards[next++];
         if (pile)
         {
            CardMoveQueue(pile, card, delay, true);
         }
      }
   }
   ActionTurnBeginPost();
}

CardPile* ShamrocksSolitaire::StockGet()
{
   return CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
}

bool ShamrocksSolitaire::CardPickUpCheck(Card* card)
{
   const CardPile* pile = card ? card->pile : nullptr;
   return pile && card->faceUp && pile->type == CARD_PILE_TYPE_TABLEAU && pile->CardTopGet() == card;
}

bool ShamrocksSolitaire::CardDropCheck(CardPile* pile, Card* card)
{
   if (!pile || !card)
   {
      return false;
   }
   const Card* top = pile->CardTopGet();
   switch (pile->type)
   {
   case CARD_PILE_TYPE_TABLEAU:
      // An emptied fan stays empty.
      return top && pile->cards.count < SHAMROCKS_FAN_CARDS_LIMIT &&
             CardRanksNeighbourCheck(card->rank, top->rank);
   case CARD_PILE_TYPE_FOUNDATION:
      if (!top)
      {
         return buildRank == RANK_NONE || card->rank == buildRank;
      }
      return top->suit == card->suit && card->rank == CardRankAdd(top->rank, 1, false, nullptr);
   default:
      return false;
   }
}

void ShamrocksSolitaire::Refresh()
{
   PlayableCardsHighlight();
   if (!MayActCheck())
   {
      return;
   }
   const Card* based = nullptr;
   for (i32 f = 0; f < SHAMROCKS_FOUNDATION_COUNT && !based; ++f)
   {
      const CardPile* pile = CardPileGet(CARD_PILE_TYPE_FOUNDATION, f, -1);
      based = pile ? pile->CardTopGet() : nullptr;
   }
   if (based && buildRank == RANK_NONE)
   {
      buildRank = static_cast<Rank>(based->rank);
      // The new base changes which moves exist: judge the end on the next refresh.
      RefreshMark();
      return;
   }
   if (!based)
   {
      buildRank = BuildRankFreeGet();
   }
   if (CardPilesOfTypeEmpty(CARD_PILE_TYPE_TABLEAU))
   {
      GameWin();
   }
   else if (!MoveExists())
   {
      GameLose();
   }
}
} // namespace Corvale
