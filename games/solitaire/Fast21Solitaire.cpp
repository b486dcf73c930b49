// Fast 21's rounds: the turned card, the four hands that clear at 21 or at five cards, the waste
// of three, the charge for a card refused on a hand, and the hands' values added at the round's end.
#include "games/solitaire/Fast21Solitaire.h"

#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/CardQueries.h"
#include "cardgame/RecordSupport.h"
#include "gui/widgets/NumberLabelWidget.h"

namespace Corvale
{
Fast21Solitaire Fast21Solitaire::instance;

void Fast21Solitaire::ReflectionRegister()
{
   auto* record =
       ReflectionRecordCreate<ReflectionTypeObjectTyped<Fast21Solitaire>>("Corvale::Fast21Solitaire");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(ArcadeSolitaireGame).name());
   record->FieldAdd(&Fast21Solitaire::charlieCount, "charlieCount");
   record->FieldAdd(&Fast21Solitaire::twentyOneCount, "twentyOneCount");
   ReflectionManager::TypeRegister(record);
}

i32 Fast21Solitaire::TimeBonusGet()
{
   return static_cast<i32>((countdownTimer + 999) / 1000) * 10;
}

void Fast21Solitaire::Init()
{
   charlieCount = 0;
   twentyOneCount = 0;
   ArcadeSolitaireGame::Init();
   GameNew();
}

void Fast21Solitaire::MiscNumberShow()
{
   if (miscNumber)
   {
      miscNumber->ValueSet(charlieCount);
   }
}

void Fast21Solitaire::Misc2NumberShow()
{
   if (misc2Number)
   {
      misc2Number->ValueSet(twentyOneCount);
   }
}

void Fast21Solitaire::SubgameNew()
{
   charlieCount = 0;
   twentyOneCount = 0;
   MiscNumberShow();
   Misc2NumberShow();
   ArcadeSolitaireGame::SubgameNew();
   RoundCardsGather();
   ControlsRefresh();
   PileValuesRefresh();
   ActionTurnBeginPost();
}

bool Fast21Solitaire::Load(JSONValue* document)
{
   const bool loaded = ArcadeSolitaireGame::Load(document);
   MiscNumberShow();
   Misc2NumberShow();
   return loaded;
}

void Fast21Solitaire::Refresh()
{
   PlayableCardsHighlight();
   if (!MayActCheck() || roundOver)
   {
      return;
   }
   if (!TurnedCardRefill())
   {
      return;
   }
   // The deck is used up; an empty waste earns a bonus before the round's own score.
   const CardPile* waste = CardPileGet(CARD_PILE_TYPE_WASTE, -1, -1);
   if (!waste || waste->cards.count == 0)
   {
      ScoreAdd(FAST21_DECK_CLEARED_POINTS);
   }
   ScoreTakeOnce();
}

bool Fast21Solitaire::CardDropCheck(CardPile* pile, Card* card)
{
   if (!pile || !card)
   {
      return false;
   }
   switch (pile->type)
   {
   case CARD_PILE_TYPE_WASTE:
      return pile->cards.count < FAST21_WASTE_MAX;
   case CARD_PILE_TYPE_TABLEAU:
   {
      Table<Card*> hand(allocatorTemp);
      pile->CardsGet(hand);
      hand.Insert(card, hand.count);
      // The value is 0 once over 21.
      return CardsTwentyOneValueGet(hand) > 0;
   }
   default:
      return false;
   }
}

void Fast21Solitaire::CardAddDoneNotify(CardPile* pile, CardPile* oldPile, Card* card)
{
   ArcadeSolitaireGame::CardAddDoneNotify(pile, oldPile, card);
   CountdownStart();
   if (!pile || pile->type != CARD_PILE_TYPE_TABLEAU)
   {
      return;
   }
   CardPile* cleared = CardPileGet(CARD_PILE_TYPE_FOUNDATION, -1, -1);
   if (CardsTwentyOneValueGet(pile->cards) == 21)
   {
      ScoreAdd(FAST21_TWENTY_ONE_POINTS);
      ++twentyOneCount;
      Misc2NumberShow();
      CardPileCardsMove(cleared, pile);
   }
   else if (pile->cards.count < FAST21_HAND_CARDS_MAX)
   {
      ScoreAdd(FAST21_CARD_POINTS);
   }
   else
   {
      ScoreAdd(FAST21_FIVE_CARDS_POINTS);
      ++charlieCount;
      MiscNumberShow();
      CardPileCardsMove(cleared, pile);
   }
   PileValuesRefresh();
}

void Fast21Solitaire::CardDropRefusedNotify(CardPile* pile, CardPile* oldPile, Card* card)
{
   ArcadeSolitaireGame::CardDropRefusedNotify(pile, oldPile, card);
   if (pile && pile->type == CARD_PILE_TYPE_TABLEAU)
   {
      ScoreAdd(FAST21_REFUSAL_POINTS);
   }
}

void Fast21Solitaire::ScoreTake()
{
   for (i32 hand = 0; hand < FAST21_HAND_COUNT; ++hand)
   {
      const CardPile* pile = CardPileGet(CARD_PILE_TYPE_TABLEAU, hand, -1);
      ScoreAdd(pile ? CardsTwentyOneValueGet(pile->cards) : 0);
   }
   ScoreAdd(TimeBonusGet());
   RoundOutcomePost(FAST21_ROUND_COUNT, FAST21_GATE_SCORE, FAST21_WIN_SCORE);
}

void Fast21Solitaire::PileValuesRefresh()
{
   for (i32 hand = 0; hand < FAST21_HAND_COUNT; ++hand)
   {
      const CardPile* pile = CardPileGet(CARD_PILE_TYPE_TABLEAU, hand, -1);
      PileValueShow(hand, pile ? CardsTwentyOneValueGet(pile->cards) : 0);
   }
}
} // namespace Corvale
