// Best 21's rounds: the turned card, the five hands and the discard, the score recounted from the
// hands after each placement, and the gates after the third and fourth rounds.
#include "games/solitaire/Best21Solitaire.h"

#include <cstdint>
#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/CardQueries.h"
#include "cardgame/Player.h"
#include "cardgame/RecordSupport.h"

namespace Corvale
{
Best21Solitaire Best21Solitaire::instance;

void Best21Solitaire::ReflectionRegister()
{
   auto* record =
       ReflectionRecordCreate<ReflectionTypeObjectTyped<Best21Solitaire>>("Corvale::Best21Solitaire");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(ArcadeSolitaireGame).name());
   ReflectionManager::TypeRegister(record);
}

i32 Best21Solitaire::HandScoreGet(i32 value)
{
   return value * 100 + (value == 21 ? 10000 : 0);
}

void Best21Solitaire::Init()
{
   ArcadeSolitaireGame::Init();
   GameNew();
}

void Best21Solitaire::SubgameNew()
{
   ArcadeSolitaireGame::SubgameNew();
   RoundCardsGather();
   ControlsRefresh();
   PileValuesRefresh();
   ActionTurnBeginPost();
}

void Best21Solitaire::Refresh()
{
   PlayableCardsHighlight();
   if (!MayActCheck() || roundOver)
   {
      return;
   }
   if (TurnedCardRefill())
   {
      ScoreTakeOnce();
   }
}

bool Best21Solitaire::CardDropCheck(CardPile* pile, Card* card)
{
   if (!pile || !card)
   {
      return false;
   }
   switch (pile->type)
   {
   case CARD_PILE_TYPE_TABLEAU:
      return true;
   case CARD_PILE_TYPE_WASTE:
      return pile->cards.count == 0;
   default:
      return false;
   }
}

void Best21Solitaire::CardAddDoneNotify(CardPile* pile, CardPile* oldPile, Card* card)
{
   ArcadeSolitaireGame::CardAddDoneNotify(pile, oldPile, card);
   CountdownStart();
   if (!pile || pile->type != CARD_PILE_TYPE_TABLEAU)
   {
      return;
   }
   ScoreRecompute();
   PileValuesRefresh();
   if (pile->cards.count > 0 && CardsTwentyOneValueGet(pile->cards) == 0)
   {
      ScoreTakeOnce();
   }
}

void Best21Solitaire::ScoreRecompute()
{
   if (players.count == 0 || !players[0])
   {
      return;
   }
   i64 score = players[0]->minigameScoreSubgameBegin;
   for (i32 hand = 0; hand < BEST21_HAND_COUNT; ++hand)
   {
      const CardPile* pile = CardPileGet(CARD_PILE_TYPE_TABLEAU, hand, -1);
      score += pile ? HandScoreGet(CardsTwentyOneValueGet(pile->cards)) : 0;
   }
   // Through ScoreAdd, which saturates and shows the score.
   const i64 change = score - players[0]->minigameScore;
   ScoreAdd(static_cast<i32>(change > INT32_MAX ? INT32_MAX : (change < INT32_MIN ? INT32_MIN : change)));
}

void Best21Solitaire::ScoreTake()
{
   ScoreAdd(TimeBonusGet());
   RoundOutcomePost(BEST21_ROUND_COUNT, BEST21_GATE_SCORE, BEST21_WIN_SCORE);
}

void Best21Solitaire::PileValuesRefresh()
{
   for (i32 hand = 0; hand < BEST21_HAND_COUNT; ++hand)
   {
      const CardPile* pile = CardPileGet(CARD_PILE_TYPE_TABLEAU, hand, -1);
      PileValueShow(hand, pile ? CardsTwentyOneValueGet(pile->cards) : 0);
   }
}
} // namespace Corvale
