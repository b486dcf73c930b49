// Sum 11's rounds: the pyramid dealt face up, selections that clear at exactly eleven, the
// current card turned from the stock at a cost (the old one refilling the highest gap), the row
// bonuses by height, and the gates after rounds two and three.
#include "games/solitaire/Sum11Solitaire.h"

#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/CardQueries.h"
#include "cardgame/RecordSupport.h"
#include "core/Log.h"
#include "gui/widgets/NumberLabelWidget.h"

namespace Corvale
{
Sum11Solitaire Sum11Solitaire::instance;

const i32 Sum11Solitaire::coveringTable[SUM11_WALL_POSITIONS][2] = {
    {0, 0},   {0, 0},   {1, 0},   {1, 0},   {2, 0},   {2, 0},   {3, 0},   {3, 4},   // 1-8
    {4, 0},   {0, 0},   {5, 0},   {5, 6},   {6, 0},   {7, 8},   {8, 9},   {9, 10},  // 9-16
    {10, 11}, {11, 12}, {12, 13}, {14, 15}, {16, 17}, {18, 19},                     // 17-22
};

void Sum11Solitaire::ReflectionRegister()
{
   auto* record = ReflectionRecordCreate<ReflectionTypeObjectTyped<Sum11Solitaire>>("Corvale::Sum11Solitaire");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(ArcadeSolitaireGame).name());
   record->FieldAdd(&Sum11Solitaire::elevenCount, "elevenCount");
   ReflectionManager::TypeRegister(record);
}

void Sum11Solitaire::Init()
{
   elevenCount = 0;
   ArcadeSolitaireGame::Init();
   // Entering deals, so the table is never empty before New Game.
   GameNew();
}

void Sum11Solitaire::MiscNumberShow()
{
   if (miscNumber)
   {
      miscNumber->ValueSet(elevenCount);
   }
}

void Sum11Solitaire::DeckBuild()
{
   CardPile* stock = StockGet();
   if (!stock)
   {
      WarningPrintf("Sum11Solitaire::DeckBuild -- the constants declare no stock pile\n");
      return;
   }
   for (i32 suit = SUIT_HEARTS; suit <= SUIT_CLUBS; ++suit)
   {
      for (i32 rank = 2; rank <= 10; ++rank)
      {
         stock->CardCreate(rank, suit);
      }
      for (i32 ace = 0; ace < 4; ++ace)
      {
         stock->CardCreate(RANK_ACE, suit);
      }
   }
}

void Sum11Solitaire::GameNew()
{
   SolitaireGame::GameNew();
   ScoreNumberRefresh();
   DeckBuild();
   roundIndex = -1;
   SubgameNew();
}

void Sum11Solitaire::SubgameNew()
{
   elevenCount = 0;
   MiscNumberShow();
   ArcadeSolitaireGame::SubgameNew();
   RoundCardsGather();
   WallDeal(true);
   for (i32 i = 0; i < cards.count; ++i)
   {
      CardSelectedSet(cards[i], false);
   }
   ControlsRefresh();
   PileValuesRefresh();
   ActionTurnBeginPost();
}

bool Sum11Solitaire::Load(JSONValue* document)
{
   const bool loaded = ArcadeSolitaireGame::Load(document);
   MiscNumberShow();
   return loaded;
}

void Sum11Solitaire::Refresh()
{
   PlayableCardsHighlight();
   if (!MayActCheck() || roundOver)
   {
      return;
   }
   CardPile* current = CurrentPileGet();
   CardPile* stock = StockGet();
   if (current && current->cards.count == 0 && stock && stock->cards.count > 0)
   {
      CardsDealToPile(current, stock, 1, true);
   }
   if (WallEmptyCheck())
   {
      // A cleared pyramid ends the round without the round's end: no gate and no time bonus,
      // so the results show none.
      ScoreAdd(SUM11_CLEARED_POINTS);
      countdownTimer = 0;
      RoundOverSet();
      ActionSubgameOverPost();
   }
}

bool Sum11Solitaire::CardChooseOnClickCheck(Card* card)
{
   (void)card;
   return true;
}

void Sum11Solitaire::CardCoveringPilesGet(Card* card, i32* first, i32* second)
{
   WallCoveringPilesGet(card, coveringTable, SUM11_WALL_POSITIONS, first, second);
}

bool Sum11Solitaire::CardAvailableCheck(Card* card)
{
   const CardPile* pile = card ? card->pile : nullptr;
   if (!pile || pile->CardTopGet() != card)
   {
      return false;
   }
   return pile->type == CARD_PILE_TYPE_FOUNDATION || (pile->type == CARD_PILE_TYPE_TABLEAU && !CardCoveredCheck(card));
}

bool Sum11Solitaire::SelectedSumElevenCheck()
{
   i32 sum = 0;
   i32 count = 0;
   for (i32 i = 0; i < cards.count; ++i)
   {
      if (cards[i]->selected)
      {
         sum += cards[i]->rank;
         ++count;
      }
   }
   return count > 0 && sum == SUM11_TARGET;
}

i32 Sum11Solitaire::RowBonusGet(float y)
{
   static const struct
   {
      float y;
      i32 points;
   } rows[] = {{215.0f, 600}, {250.0f, 500}, {290.0f, 400}, {330.0f, 300}, {370.0f, 200}, {410.0f, 100}};
   for (const auto& row : rows)
   {
      if (y == row.y)
      {
         return row.points;
      }
   }
   return 0;
}

void Sum11Solitaire::SelectedCardsRemove()
{
   CardPile* discard = CardPileGet(CARD_PILE_TYPE_DISCARD, -1, -1);
   if (!discard)
   {
      WarningPrintf("Sum11Solitaire::SelectedCardsRemove -- the constants declare no Discard pile\n");
   }
   // In card-ID order: a loaded game holds its cards in the order of its piles, and the Discard
   // pile must end the same either way.
   Table<Card*> chosen(allocatorTemp);
   for (i32 i = 0; i < cards.count; ++i)
   {
      if (!cards[i]->selected)
      {
         continue;
      }
      i32 at = chosen.count;
      while (at > 0 && chosen[at - 1]->id > cards[i]->id)
      {
         at--;
      }
      chosen.Insert(cards[i], at);
   }
   for (i32 i = 0; i < chosen.count; ++i)
   {
      Card* card = chosen[i];
      CardSelectedSet(card, false);
      if (card->pile && card->pile->type == CARD_PILE_TYPE_TABLEAU)
      {
         ScoreAdd(RowBonusGet(card->pile->position.y));
      }
      CardMoveQueue(discard, card, static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0), true);
   }
}

void Sum11Solitaire::CardChoose(Card* card)
{
   if (!card || !card->pile || !RoundRunningCheck() || roundOver)
   {
      return;
   }
   CountdownStart();
   CardPile* stock = StockGet();
   if (card->pile != stock)
   {
      // Only a free card answers: one already discarded must not count in a second eleven.
      if (!CardAvailableCheck(card))
      {
         return;
      }
      CardSelectedSet(card, !card->selected);
      if (SelectedSumElevenCheck())
      {
         ++elevenCount;
         MiscNumberShow();
         SelectedCardsRemove();
         ScoreAdd(SUM11_ELEVEN_POINTS);
      }
      return;
   }
   Card* turned = stock->CardTopGet();
   for (i32 i = 0; i < cards.count; ++i)
   {
      CardSelectedSet(cards[i], false);
   }
   const CardPile* current = CurrentPileGet();
   if (current && current->cards.count > 0)
   {
      ScoreAdd(SUM11_TURN_POINTS);
      CurrentCardReturn(SUM11_WALL_POSITIONS);
   }
   CardMoveQueue(CurrentPileGet(), turned, 0, true);
}

bool Sum11Solitaire::ElevenCompletableCheck(i32 sum, const i32* ranks, i32 from, i32 count)
{
   if (sum >= SUM11_TARGET || from >= count)
   {
      return false;
   }
   for (i32 i = from; i < count; ++i)
   {
      if (ranks[i] == -1)
      {
         continue;
      }
      const i32 next = sum + ranks[i];
      if (next == SUM11_TARGET)
      {
         return true;
      }
      if (next < SUM11_TARGET + 1 && ElevenCompletableCheck(next, ranks, i + 1, count))
      {
         return true;
      }
   }
   return false;
}

bool Sum11Solitaire::CardPlayableCheck(Card* card)
{
   if (!CardAvailableCheck(card))
   {
      return false;
   }
   i32 sum = card->rank;
   for (i32 i = 0; i < cards.count; ++i)
   {
      sum += cards[i]->selected ? cards[i]->rank : 0;
   }
   if (sum >= SUM11_TARGET)
   {
      return sum == SUM11_TARGET;
   }
   i32 ranks[SUM11_SEARCH_RANKS_MAX];
   i32 count = 0;
   for (i32 i = 0; i < cardPiles.count && count < SUM11_SEARCH_RANKS_MAX; ++i)
   {
      Card* other = cardPiles[i]->CardTopGet();
      if (other && other != card && CardAvailableCheck(other))
      {
         ranks[count++] = other->rank;
      }
   }
   return ElevenCompletableCheck(sum, ranks, 0, count);
}

void Sum11Solitaire::ScoreTake()
{
   for (i32 position = 0; position <= 3; ++position)
   {
      const CardPile* pile = CardPileGet(CARD_PILE_TYPE_TABLEAU, position, -1);
      if (pile)
      {
         ScoreAdd(CardsTwentyOneValueGet(pile->cards));
      }
   }
   ScoreAdd(TimeBonusGet());
   RoundOutcomePost(SUM11_ROUND_COUNT, SUM11_GATE_SCORE, SUM11_WIN_SCORE);
}
} // namespace Corvale
