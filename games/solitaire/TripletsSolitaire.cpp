// Triplets' deal, the three-click choice of a run, the playable highlight and the end of the game.
#include "games/solitaire/TripletsSolitaire.h"

#include <algorithm>
#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/RecordSupport.h"
#include "core/Log.h"

namespace Corvale
{
TripletsSolitaire TripletsSolitaire::instance;

namespace
{
// Piles 11 and 17 take two cards, the others three: 16 x 3 + 2 x 2 = 52.
i32 DealCountGet(i32 pile)
{
   return pile == 11 || pile == 17 ? 2 : 3;
}

i32 RankWrap(i32 rank)
{
   return rank > RANK_KING ? RANK_ACE : (rank < RANK_ACE ? RANK_KING : rank);
}
} // namespace

void TripletsSolitaire::ReflectionRegister()
{
   auto* record =
       ReflectionRecordCreate<ReflectionTypeObjectTyped<TripletsSolitaire>>("Corvale::TripletsSolitaire");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(TraditionalSolitaireGame).name());
   record->FieldAdd(&TripletsSolitaire::first, "first");
   record->FieldAdd(&TripletsSolitaire::second, "second");
   ReflectionManager::TypeRegister(record);
}

void TripletsSolitaire::Init()
{
   TraditionalSolitaireGame::Init();
   GameNew();
}

void TripletsSolitaire::GameNew()
{
   UndoHistoryClear();
   TraditionalSolitaireGame::GameNew();
   first = -1;
   second = -1;

   CardPile* stock = CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
   if (!stock)
   {
      WarningPrintf("TripletsSolitaire::GameNew -- the constants declare no Draw pile\n");
      return;
   }
   stock->DecksAdd(1);
   CardPileShuffle(stock);

   // Dealt from the bottom of the deck up, so the queued moves never wait on one another.
   Card* deck[52] = {};
   const i32 count = std::min(stock->cards.count, 52);
   for (i32 i = 0; i < count; ++i)
   {
      deck[i] = stock->cards[i];
   }
   const u32 delay = static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0);
   i32 next = 0;
   for (i32 pile = 0; pile < TRIPLETS_PILE_COUNT; ++pile)
   {
      CardPile* tableau = CardPileGet(CARD_PILE_TYPE_TABLEAU, pile, -1);
      if (!tableau)
      {
         WarningPrintf("TripletsSolitaire::GameNew -- the constants lack Tableau pile %d\n", pile);
         continue;
      }
      for (i32 i = 0; i < DealCountGet(pile) && next < count; ++i)
      {
         CardMoveQueue(tableau, deck[next++], delay, true);
      }
   }
   ActionTurnBeginPost();
}

bool TripletsSolitaire::DifferentSuitsCheck()
{
   return SettingBoolGet("ThreeDifferentSuits");
}

i32 TripletsSolitaire::TopCardsGet(Card** tops)
{
   i32 count = 0;
   for (i32 i = 0; i < cardPiles.count && count < TRIPLETS_PILE_COUNT; ++i)
   {
      const CardPile* pile = cardPiles[i];
      Card* top = pile->type == CARD_PILE_TYPE_TABLEAU ? pile->CardTopGet() : nullptr;
      if (top)
      {
         tops[count++] = top;
      }
   }
   return count;
}

bool TripletsSolitaire::RanksRunCheck(i32 rank0, i32 rank1, i32 rank2)
{
   i32 ranks[3] = {rank0, rank1, rank2};
   std::sort(ranks, ranks + 3);
   if (ranks[0] == ranks[1] || ranks[1] == ranks[2])
   {
      return false;
   }
   const i32 lowGap = ranks[1] - ranks[0];
   const i32 highGap = ranks[2] - ranks[1];
   // A gap of 11 or more can only be Queen-King-Ace or King-Ace-Two read round the corner.
   return (lowGap == 1 && highGap == 1) || lowGap >= 11 || highGap >= 11;
}

bool TripletsSolitaire::TripleCheck(const Card* a, const Card* b, const Card* c, bool differentSuits)
{
   if (!a || !b || !c || !RanksRunCheck(a->rank, b->rank, c->rank))
   {
      return false;
   }
   return !differentSuits || (a->suit != b->suit && a->suit != c->suit && b->suit != c->suit);
}

bool TripletsSolitaire::RunWithCardExists(const Card* card)
{
   // The option is read once: the highlight asks this for every card after every move.
   const bool differentSuits = DifferentSuitsCheck();
   Card* tops[TRIPLETS_PILE_COUNT];
   const i32 count = TopCardsGet(tops);
   for (i32 i = 0; i < count; ++i)
   {
      for (i32 j = i + 1; j < count; ++j)
      {
         if (tops[i] != card && tops[j] != card && TripleCheck(card, tops[i], tops[j], differentSuits))
         {
            return true;
         }
      }
   }
   return false;
}

bool TripletsSolitaire::RunExtends(Card* card, i32 direction, i32 depth)
{
   if (!card)
   {
      return false;
   }
   const i32 wanted = RankWrap(card->rank + direction);
   Card* tops[TRIPLETS_PILE_COUNT];
   const i32 count = TopCardsGet(tops);
   for (i32 i = 0; i < count; ++i)
   {
      if (tops[i]->rank == wanted)
      {
         return depth < 1 || RunExtends(tops[i], direction, depth - 1);
      }
   }
   return false;
}

bool TripletsSolitaire::RunExists()
{
   Card* tops[TRIPLETS_PILE_COUNT];
   const i32 count = TopCardsGet(tops);
   for (i32 i = 0; i < count; ++i)
   {
      if (RunExtends(tops[i], 1, 1) || RunExtends(tops[i], -1, 1))
      {
         return true;
      }
   }
   return false;
}

bool TripletsSolitaire::CardChooseOnClickCheck(Card* card)
{
   (void)card;
   return true;
}

bool TripletsSolitaire::CardPlayableCheck(Card* card)
{
   if (!card || !card->pile || card->pile->type != CARD_PILE_TYPE_TABLEAU || card->pile->CardTopGet() != card)
   {
      return false;
   }
   return RunWithCardExists(card);
}

void TripletsSolitaire::SelectionClear()
{
   CardSelectedSet(CardGet(first), false);
   CardSelectedSet(CardGet(second), false);
   first = -1;
   second = -1;
}

void TripletsSolitaire::CardChoose(Card* card)
{
   if (!card || !card->pile || card->pile->type != CARD_PILE_TYPE_TABLEAU || card->pile->CardTopGet() != card)
   {
      return;
   }
   if (card->id == first)
   {
      CardSelectedSet(card, false);
      first = second;
      second = -1;
      return;
   }
   if (card->id == second)
   {
      CardSelectedSet(card, false);
      second = -1;
      return;
   }
   Card* firstCard = CardGet(first);
   if (!firstCard)
   {
      first = card->id;
      CardSelectedSet(card, true);
      return;
   }
   Card* secondCard = CardGet(second);
   if (!secondCard)
   {
      if (DifferentSuitsCheck() && card->suit == firstCard->suit)
      {
         return;
      }
      if (firstCard->rank <= card->rank)
      {
         second = card->id;
      }
      else
      {
         second = first;
         first = card->id;
      }
      CardSelectedSet(card, true);
      return;
   }
   if (TripleCheck(firstCard, secondCard, card, DifferentSuitsCheck()))
   {
      undoMoveBegins = true;
      CardPile* foundation = CardPileGet(CARD_PILE_TYPE_FOUNDATION, -1, -1);
      const u32 delay = static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0);
      if (foundation)
      {
         CardMoveQueue(foundation, firstCard, delay, true);
         CardMoveQueue(foundation, secondCard, delay, true);
         CardMoveQueue(foundation, card, delay, true);
      }
      else
      {
         WarningPrintf("TripletsSolitaire::CardChoose -- the constants declare no Foundation pile\n");
      }
   }
   SelectionClear();
}

void TripletsSolitaire::Undo()
{
   const bool undoes = undoHistory.count > 0 && undoHistory.MoveBeginsAnyCheck();
   TraditionalSolitaireGame::Undo();
   if (undoes)
   {
      // The marks went with the base's deselection; the IDs may now name covered cards.
      first = -1;
      second = -1;
   }
}

void TripletsSolitaire::Refresh()
{
   PlayableCardsHighlight();
   if (!MayActCheck())
   {
      return;
   }
   i32 left = 0;
   for (i32 i = 0; i < cardPiles.count && left < 2; ++i)
   {
      left += cardPiles[i]->type == CARD_PILE_TYPE_TABLEAU ? cardPiles[i]->cards.count : 0;
   }
   if (left == 1)
   {
      GameWin();
      return;
   }
   // With the suit rule on, runs it refuses cannot be played, so they do not keep the game alive.
   bool playable = false;
   if (DifferentSuitsCheck())
   {
      Card* tops[TRIPLETS_PILE_COUNT];
      const i32 count = TopCardsGet(tops);
      for (i32 i = 0; i < count && !playable; ++i)
      {
         playable = RunWithCardExists(tops[i]);
      }
   }
   else
   {
      playable = RunExists();
   }
   if (!playable)
   {
      GameLose();
   }
}
} // namespace Corvale
