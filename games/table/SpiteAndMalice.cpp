// Spite and Malice's rules: the deal of goal piles and hands, drops onto the build piles with wild
// Kings, the turn ended by a discard, refills from the draw pile and the recycled completed piles,
// single games and matches; and the computer, which works toward its goal card first.
#include "games/table/SpiteAndMalice.h"

#include <cstdio>
#include <cstring>
#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/Command.h"
#include "cardgame/Player.h"
#include "cardgame/PlayerPanel.h"
#include "cardgame/PlayerPanelWidget.h"
#include "cardgame/RecordSupport.h"
#include "core/Memory.h"
#include "core/ReflectionManager.h"
#include "core/TextManager.h"
#include "games/table/SpiteAndMaliceResultsPopup.h"
#include "gui/popup/PopupManager.h"
#include "gui/widgets/LabelWidget.h"
#include "gui/widgets/LayerWidget.h"
#include "gui/widgets/PressButtonWidget.h"

namespace Corvale
{
SpiteAndMalice SpiteAndMalice::instance;
i32 SpiteAndMalice::discardPileExpandedIndex = -1;

namespace
{
constexpr i32 SPITE_CHAIN_CARDS = 104;
constexpr i32 SPITE_CHAIN_HAND_BITS = 5;
constexpr i32 SPITE_CHAIN_MEMO_SIZE = SPITE_CHAIN_CARDS * 14 * (1 << SPITE_CHAIN_HAND_BITS) * 2;
// The chain searches one decision may make. Lent discard Kings keep some positions out of the memo,
// and a few of those ran to a hundred million calls (half a minute); past the budget no chain is
// found and the computer plays on with its plain plays.
constexpr i32 SPITE_CHAIN_CALL_BUDGET = 50000;
// Where the human's discard piles lie in a row, and how an expanded one fans out.
constexpr float SPITE_ROW_X = 550.0f;
constexpr float SPITE_ROW_STEP = 115.0f;
constexpr float SPITE_ROW_Y = 550.0f;
constexpr float SPITE_FAN_STEP = 35.0f;
// The computer's chance of each goal-directed search, and of skipping the plain plays, by difficulty.
constexpr float SPITE_GOAL_CHANCE[3] = {0.3f, 0.6f, 1.0f};
constexpr float SPITE_SKIP_CHANCE[3] = {0.3f, 0.15f, 0.0f};
} // namespace

// ---- Identity, set-up and texts ----

void SpiteAndMalice::ReflectionRegister()
{
   auto* record =
       ReflectionRecordCreate<ReflectionTypeObjectTyped<SpiteAndMalice>>("Corvale::SpiteAndMalice");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(NonSolitaireFrontendBasedCardGame).name());
   record->FieldAdd(&SpiteAndMalice::kingsID, "kingsID");
   ReflectionManager::TypeRegister(record);
}

void SpiteAndMalice::Init()
{
   nextCardPileID = 0;
   CardGame::Init();
   kingsID = Table<i32>(allocatorDefault);
   for (i32 i = 0; i < SPITE_AND_MALICE_KINGS; ++i)
   {
      kingsID.Insert(-1, kingsID.count);
   }
   GameNew();
}

void SpiteAndMalice::Deinit()
{
   NonSolitaireFrontendBasedCardGame::Deinit();
   kingsID = Table<i32>();
}

template <i32 INDEX> void SpiteAndMalice::OnPileClick(PressButtonWidget* button, void* game)
{
   (void)button;
   SpiteAndMalice* self = static_cast<SpiteAndMalice*>(game);
   if (self)
   {
      self->DiscardPileExpandToggle(INDEX);
   }
}

void SpiteAndMalice::GUIInit(LayerWidget* pushedLayer)
{
   NonSolitaireFrontendBasedCardGame::GUIInit(pushedLayer);
   const char* const names[SPITE_AND_MALICE_DISCARD_PILES] = {"pile1", "pile2", "pile3", "pile4"};
   const PressButtonCallback callbacks[SPITE_AND_MALICE_DISCARD_PILES] = {
       &SpiteAndMalice::OnPileClick<0>, &SpiteAndMalice::OnPileClick<1>, &SpiteAndMalice::OnPileClick<2>,
       &SpiteAndMalice::OnPileClick<3>};
   for (i32 i = 0; pushedLayer && i < SPITE_AND_MALICE_DISCARD_PILES; ++i)
   {
      PressButtonWidget* button =
          dynamic_cast<PressButtonWidget*>(pushedLayer->DescendantGetByPath(names[i]));
      if (button)
      {
         button->onClick = callbacks[i];
         button->onClickUserData = this;
      }
   }
}

void SpiteAndMalice::TextsRefresh()
{
   CardGame::TextsRefresh();
   const char* label = textManager.TextGet("Score");
   for (i32 i = 0; i < playerPanels.count; ++i)
   {
      PlayerPanelWidget* widget = playerPanels[i]->widget;
      const Player* player = PlayerGet(playerPanels[i]->playerID);
      if (!widget || !player || widget->textLines.count < 2 || !widget->textLines[1])
      {
         continue;
      }
      char line[128];
      std::snprintf(line, sizeof(line), "%s: %d", label ? label : "", player->minigameScore);
      widget->textLines[1]->TextSet(line);
   }
}

// ---- Piles and ranks ----

CardPile* SpiteAndMalice::DrawPileGet()
{
   return CardPileGet(CARD_PILE_TYPE_DRAW, 0, -1);
}

CardPile* SpiteAndMalice::CompletedPileGet()
{
   return CardPileGet(CARD_PILE_TYPE_DISCARD, -1, -1);
}

CardPile* SpiteAndMalice::GoalPileGet(i32 seat)
{
   return CardPileGet(CARD_PILE_TYPE_RESERVE, seat, -1);
}

CardPile* SpiteAndMalice::BuildPileGet(i32 index)
{
   return CardPileGet(CARD_PILE_TYPE_FOUNDATION, index, -1);
}

CardPile* SpiteAndMalice::DiscardPileGet(i32 seat, i32 index)
{
   return CardPileGet(CARD_PILE_TYPE_TABLEAU, seat * SPITE_AND_MALICE_DISCARD_PILES + index, seat);
}

CardPile* SpiteAndMalice::HandGet(i32 seat)
{
   return CardPileGet(CARD_PILE_TYPE_HAND, -1, seat);
}

i32 SpiteAndMalice::RankAfter(i32 rank)
{
   return rank % RANK_KING + 1;
}

bool SpiteAndMalice::BuildPileFitCheck(i32 rank, i32 index)
{
   const CardPile* build = BuildPileGet(index);
   if (!build)
   {
      return false;
   }
   const Card* top = build->CardTopGet();
   return top ? rank == RankAfter(top->rank) : rank == RANK_ACE;
}

i32 SpiteAndMalice::MatchTargetGet()
{
   const char* variation = SettingStringGet("Variation");
   if (!variation)
   {
      return 0;
   }
   if (std::strcmp(variation, "Match25") == 0)
   {
      return 25;
   }
   if (std::strcmp(variation, "Match50") == 0)
   {
      return 50;
   }
   if (std::strcmp(variation, "Match100") == 0)
   {
      return 100;
   }
   return 0;
}

bool SpiteAndMalice::KingIDCheck(i32 id) const
{
   for (i32 i = 0; i < kingsID.count; ++i)
   {
      if (kingsID[i] == id && id >= 0)
      {
         return true;
      }
   }
   return false;
}

// ---- A game and a hand ----

void SpiteAndMalice::GameNew()
{
   nextCardID = 0;
   NonSolitaireFrontendBasedCardGame::GameNew();
   // The cards are made anew: ids from an earlier deck say nothing about these.
   for (i32 i = 0; i < kingsID.count; ++i)
   {
      kingsID[i] = -1;
   }
   CardPile* draw = DrawPileGet();
   if (draw)
   {
      draw->DecksAdd(2);
   }
   matchTotals[0] = matchTotals[1] = 0;
   SubgameNew();
   TextsRefresh();
}

void SpiteAndMalice::SubgameNew()
{
   NonSolitaireFrontendBasedCardGame::SubgameNew();
   CardPile* draw = DrawPileGet();
   if (!draw)
   {
      return;
   }
   for (i32 i = 0; i < kingsID.count; ++i)
   {
      Card* king = CardGet(kingsID[i]);
      if (king && kingsID[i] >= 0)
      {
         king->rank = RANK_KING;
         king->SpriteUpdate();
      }
   }
   CardsGatherShuffled(draw);
   ActionAnimationsWaitPost();
   i32 kings = 0;
   for (i32 i = 0; i < draw->cards.count && kings < kingsID.count; ++i)
   {
      if (draw->cards[i]->rank == RANK_KING)
      {
         kingsID[kings++] = draw->cards[i]->id;
      }
   }
   for (i32 seat = 0; seat < 2; ++seat)
   {
      CardPile* goal = GoalPileGet(seat);
      if (goal)
      {
         CardsDealToPile(goal, draw, SPITE_AND_MALICE_GOAL_CARDS, false);
      }
   }
   const Player* first = PlayerNextInSubgameGet(PlayerActiveGet());
   if (first)
   {
      CardsDealToPlayers(draw, SPITE_AND_MALICE_HAND_CARDS * PlayersInSubgameCount(), first->id);
   }
   HumanHandsFaceUpQueue();
   ActionTurnBeginPost();
}

bool SpiteAndMalice::Load(JSONValue* document)
{
   if (!NonSolitaireFrontendBasedCardGame::Load(document))
   {
      return false;
   }
   // The match totals are kept equal to the scores, which the document holds.
   for (i32 seat = 0; seat < 2; ++seat)
   {
      const Player* player = PlayerGet(seat);
      matchTotals[seat] = player ? player->minigameScore : 0;
   }
   return true;
}

void SpiteAndMalice::HandWon(i32 seat)
{
   Player* winner = PlayerGet(seat);
   Player* loser = PlayerGet(1 - seat);
   if (!winner || !loser)
   {
      return;
   }
   const u32 delay = static_cast<u32>(delayDialog > 0 ? delayDialog : 0);
   const i32 target = MatchTargetGet();
   if (target > 0)
   {
      const CardPile* left = GoalPileGet(1 - seat);
      matchTotals[seat] += 5 + (left ? left->cards.count : 0);
      winner->minigameScore = matchTotals[seat];
      if (matchTotals[seat] < target)
      {
         SubgameNew();
         CharacterDialogRandomSay(winner, "CARD_SHARED_I_WIN_HAND", delay, 0.5f);
         TextsRefresh();
         return;
      }
   }
   winner->minigameWinner = true;
   loser->minigameWinner = false;
   if (seat == 0)
   {
      ActionGameWinPost();
   }
   else
   {
      ActionGameLosePost();
   }
   CharacterDialogRandomSay(winner, "CARD_SHARED_I_WIN_CLOSE_GAME", delay, 0.5f);
   TextsRefresh();
}

void SpiteAndMalice::Refresh()
{
   for (i32 seat = 0; seat < 2; ++seat)
   {
      const CardPile* goal = GoalPileGet(seat);
      if (goal && goal->cards.count == 0)
      {
         HandWon(seat);
         return;
      }
   }
   for (i32 seat = 0; seat < 2; ++seat)
   {
      CardPile* goal = GoalPileGet(seat);
      Card* top = goal ? goal->CardTopGet() : nullptr;
      if (top && !top->faceUp)
      {
         CardFaceUpSet(top, true, true);
      }
   }
   bool cleared = false;
   CardPile* completed = CompletedPileGet();
   for (i32 i = 0; i < SPITE_AND_MALICE_BUILD_PILES && completed; ++i)
   {
      const CardPile* build = BuildPileGet(i);
      const Card* top = build ? build->CardTopGet() : nullptr;
      if (!top || top->rank != RANK_QUEEN)
      {
         continue;
      }
      for (i32 c = 0; c < build->cards.count; ++c)
      {
         CardMoveQueue(completed, build->cards[c], static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0),
                       true);
      }
      cleared = true;
   }
   const i32 active = playerActiveID;
   const CardPile* hand = HandGet(active);
   if (!hand || hand->cards.count > 0)
   {
      return;
   }
   // With both hands empty and nothing left to draw nobody can move again: the turn would pass
   // back and forth for ever. The hand ends with no winner.
   const CardPile* other = HandGet(1 - active);
   const CardPile* draw = DrawPileGet();
   if (!cleared && (!other || other->cards.count == 0) && (!draw || draw->cards.count == 0) &&
       (!completed || completed->cards.count == 0))
   {
      if (MatchTargetGet() > 0)
      {
         SubgameNew();
      }
      else
      {
         for (i32 i = 0; i < players.count; ++i)
         {
            players[i]->minigameWinner = false;
         }
         ActionGameDrawPost();
      }
      TextsRefresh();
      return;
   }
   HandRefill();
   ActionPlayerAdvancePost();
}

void SpiteAndMalice::HandRefill()
{
   CardPile* hand = HandGet(playerActiveID);
   CardPile* draw = DrawPileGet();
   if (!hand || !draw)
   {
      return;
   }
   const i32 need = SPITE_AND_MALICE_HAND_CARDS - hand->cards.count;
   Card* requested[SPITE_AND_MALICE_HAND_CARDS] = {};
   for (i32 taken = 0; taken < need; ++taken)
   {
      Card* next = nullptr;
      for (i32 attempt = 0; attempt < 2 && !next; ++attempt)
      {
         for (i32 i = 0; i < draw->cards.count && !next; ++i)
         {
            bool asked = false;
            for (i32 k = 0; k < taken; ++k)
            {
               asked = asked || requested[k] == draw->cards[i];
            }
            next = asked ? nullptr : draw->cards[i];
         }
         if (!next && attempt == 0)
         {
            const CardPile* completed = CompletedPileGet();
            if (!completed || completed->cards.count == 0)
            {
               return;
            }
            DrawPileRefill();
         }
      }
      if (!next)
      {
         return;
      }
      requested[taken] = next;
      CardDropCommandQueue(hand, next, static_cast<u32>(delayAIAction > 0 ? delayAIAction : 0));
   }
}

void SpiteAndMalice::DrawPileRefill()
{
   CardPile* draw = DrawPileGet();
   CardPile* completed = CompletedPileGet();
   if (!draw || !completed)
   {
      return;
   }
   while (completed->cards.count > 0)
   {
      Card* card = completed->cards[0];
      if (card->faceUp)
      {
         CardFaceUpSet(card, false, false);
      }
      if (KingIDCheck(card->id))
      {
         card->rank = RANK_KING;
         card->SpriteUpdate();
      }
      CardAdd(draw, card);
   }
   CardPileShuffle(draw);
}

void SpiteAndMalice::DiscardPileExpandToggle(i32 index)
{
   if (index < 0 || index >= SPITE_AND_MALICE_DISCARD_PILES)
   {
      return;
   }
   if (index == discardPileExpandedIndex)
   {
      for (i32 j = 0; j < SPITE_AND_MALICE_DISCARD_PILES; ++j)
      {
         CardPile* pile = DiscardPileGet(0, j);
         if (pile)
         {
            pile->cardPositionOffset = Point2F{0.0f, 0.0f};
            pile->PositionSet(Point2F{SPITE_ROW_X + SPITE_ROW_STEP * static_cast<float>(j), SPITE_ROW_Y});
            pile->VisibleSet(true);
         }
      }
      discardPileExpandedIndex = -1;
      cardLayersPending = true;
      return;
   }
   for (i32 j = 0; j < SPITE_AND_MALICE_DISCARD_PILES; ++j)
   {
      CardPile* pile = DiscardPileGet(0, j);
      if (pile)
      {
         pile->HelpLabelsEnabledSet(false);
         pile->VisibleSet(false);
      }
   }
   CardPile* chosen = DiscardPileGet(0, index);
   if (chosen)
   {
      chosen->cardPositionOffset = Point2F{SPITE_FAN_STEP, 0.0f};
      chosen->PositionSet(Point2F{SPITE_ROW_X, SPITE_ROW_Y});
      chosen->VisibleSet(true);
   }
   discardPileExpandedIndex = index;
   cardLayersPending = true;
}

// ---- Moves ----

bool SpiteAndMalice::CardPickUpCheck(Card* card)
{
   const CardPile* pile = card ? card->pile : nullptr;
   if (!pile)
   {
      return false;
   }
   if (pile->ownerID == playerActiveID && (pile->type == CARD_PILE_TYPE_HAND || pile->CardTopGet() == card))
   {
      return true;
   }
   return pile->type == CARD_PILE_TYPE_RESERVE && pile->secondaryID == playerActiveID;
}

bool SpiteAndMalice::CardDropCheck(CardPile* pile, Card* card)
{
   const CardPile* source = card ? card->pile : nullptr;
   if (!pile || !source)
   {
      return false;
   }
   if (source->type == CARD_PILE_TYPE_TABLEAU && pile->type != CARD_PILE_TYPE_FOUNDATION)
   {
      return false;
   }
   if (pile->type == CARD_PILE_TYPE_FOUNDATION)
   {
      const Card* top = pile->CardTopGet();
      return card->rank == RANK_KING || (top ? card->rank == top->rank + 1 : card->rank == RANK_ACE);
   }
   if (source->type == CARD_PILE_TYPE_RESERVE)
   {
      return false;
   }
   return pile->type == CARD_PILE_TYPE_TABLEAU && pile->ownerID == playerActiveID;
}

void SpiteAndMalice::CardChoose(Card* card)
{
   // A double click reaches here when the queue is empty, which it also is on the computer's turn.
   const Player* active = PlayerActiveGet();
   if (active && active->human && active->local && gameResult == MINIGAME_RESULT_RUNNING)
   {
      NonSolitaireFrontendBasedCardGame::CardChoose(card);
   }
}

bool SpiteAndMalice::CommandExecute(const Command& command)
{
   if (command.type != COMMAND_CARD_DROP)
   {
      return NonSolitaireFrontendBasedCardGame::CommandExecute(command);
   }
   Card* card = CardGet(command.intParam1);
   CardPile* pile = CardPileByIDGet(command.intParam0);
   if (!card || !pile || gameResult != MINIGAME_RESULT_RUNNING)
   {
      return true;
   }
   // Drawing into the active hand, or a move the player on turn may make: the same checks for the
   // human's drops and the computer's moves; anything else changes nothing.
   const bool draw =
       pile->type == CARD_PILE_TYPE_HAND && pile->ownerID == playerActiveID && card->pile == DrawPileGet();
   if (draw || (CardPickUpCheck(card) && CardDropCheck(pile, card)))
   {
      CardAddAndNotify(pile, card);
   }
   return true;
}

void SpiteAndMalice::CardAddDoneNotify(CardPile* pile, CardPile* oldPile, Card* card)
{
   (void)oldPile;
   if (!pile || !card)
   {
      return;
   }
   if (pile->type != CARD_PILE_TYPE_HAND || playerActiveID == 0)
   {
      CardFaceUpSet(card, true, true);
   }
   if (pile->type == CARD_PILE_TYPE_FOUNDATION && card->rank == RANK_KING)
   {
      const Card* below = pile->CardGet(pile->cards.count - 2);
      card->rank = below ? RankAfter(below->rank) : RANK_ACE;
      card->SpriteUpdate();
   }
   if (pile->type == CARD_PILE_TYPE_TABLEAU)
   {
      HandRefill();
      ActionPlayerAdvancePost();
   }
}

// ---- The computer ----

i32 SpiteAndMalice::BuildPileForCardFind(Card* card)
{
   if (!card)
   {
      return -1;
   }
   if (card->rank == RANK_KING)
   {
      return static_cast<i32>(RandomIntGet(SPITE_AND_MALICE_BUILD_PILES));
   }
   for (i32 i = 0; i < SPITE_AND_MALICE_BUILD_PILES; ++i)
   {
      if (BuildPileFitCheck(card->rank, i))
      {
         return i;
      }
   }
   return -1;
}

i32 SpiteAndMalice::GoalChainFind(Card* target, Table<Card*>& available, bool kingsWild)
{
   goalChainCalls++;
   if (!target || target->rank < 2 || goalChainCalls > SPITE_CHAIN_CALL_BUDGET)
   {
      return -1;
   }
   const i32 seat = playerActiveID;
   const CardPile* hand = HandGet(seat);
   // The answer depends only on the target, its rank, which hand cards are still available and the
   // wild flag while the table stands still, so the same question is answered once per search: the
   // plain recursion asks it again for every build pile at every level.
   if (goalChainDepth == 0)
   {
      for (i32 i = 0; i < SPITE_AND_MALICE_BUILD_PILES; ++i)
      {
         chainBuilds[i] = BuildPileGet(i);
         chainDiscards[i] = DiscardPileGet(seat, i);
      }
      goalChainStamp++;
      if (goalChainMemo.empty())
      {
         goalChainMemo.resize(static_cast<size_t>(SPITE_CHAIN_MEMO_SIZE));
      }
   }
   u32 mask = 0;
   for (i32 h = 0; hand && h < hand->cards.count && h < SPITE_CHAIN_HAND_BITS; ++h)
   {
      mask |= available.Find(hand->cards[h]) >= 0 ? 1u << h : 0u;
   }
   const bool memoUsed = goalChainKingsLent == 0 && target->id >= 0 && target->id < SPITE_CHAIN_CARDS &&
                         target->rank <= RANK_KING && (!hand || hand->cards.count <= SPITE_CHAIN_HAND_BITS);
   const size_t key = memoUsed
                          ? ((static_cast<size_t>(target->id) * 14u + static_cast<size_t>(target->rank)) *
                                 (1u << SPITE_CHAIN_HAND_BITS) +
                             mask) * 2u +
                                (kingsWild ? 1u : 0u)
                          : 0u;
   if (memoUsed && goalChainMemo[key].stamp == goalChainStamp)
   {
      return goalChainMemo[key].answer;
   }
   goalChainDepth++;
   const i32 answer = GoalChainSearch(target, available, kingsWild, hand);
   goalChainDepth--;
   if (memoUsed)
   {
      goalChainMemo[key] = GoalChainMemoEntry{goalChainStamp, answer};
   }
   return answer;
}

i32 SpiteAndMalice::GoalChainSearch(Card* target, Table<Card*>& available, bool kingsWild,
                                    const CardPile* hand)
{
   const i32 below = target->rank - 1;
   const auto effective = [&](const Card* c) { return kingsWild && c->rank == RANK_KING ? below : c->rank; };
   const auto candidate = [&](const Card* c) { return c && c != target && effective(c) == below; };
   // The search under a candidate: a King stands for the rank it would fill while it is searched.
   const auto deeper = [&](Card* c, bool fromHand)
   {
      if (fromHand)
      {
         available.Remove(c);
      }
      const bool king = c->rank == RANK_KING;
      if (king)
      {
         c->rank = below;
      }
      // A discard King standing in changes answers the memo keys do not tell apart.
      const i32 lent = king && !fromHand ? 1 : 0;
      goalChainKingsLent += lent;
      const i32 found = GoalChainFind(c, available, false);
      goalChainKingsLent -= lent;
      if (king)
      {
         c->rank = RANK_KING;
      }
      if (fromHand)
      {
         available.Insert(c, available.count);
      }
      return found;
   };
   i32 result = -1;
   for (i32 i = 0; i < SPITE_AND_MALICE_BUILD_PILES && result == -1; ++i)
   {
      const CardPile* build = chainBuilds[i];
      if (!build)
      {
         continue;
      }
      const Card* top = build->CardTopGet();
      const i32 wanted = top ? RankAfter(top->rank) : RANK_ACE;
      for (i32 h = 0; hand && h < hand->cards.count; ++h)
      {
         Card* c = hand->cards[h];
         if (!candidate(c) || (!top && available.Find(c) < 0))
         {
            continue;
         }
         if (effective(c) == wanted)
         {
            return i;
         }
         result = deeper(c, available.Find(c) >= 0);
      }
      // The discard tops are searched only when the hand gave nothing, then all of them.
      const bool discardsSearched = result == -1;
      for (i32 j = 0; discardsSearched && j < SPITE_AND_MALICE_DISCARD_PILES; ++j)
      {
         const CardPile* discard = chainDiscards[j];
         Card* d = discard ? discard->CardTopGet() : nullptr;
         if (!candidate(d))
         {
            continue;
         }
         if (effective(d) == wanted)
         {
            return i;
         }
         result = deeper(d, false);
      }
   }
   if (result == -1 && !kingsWild)
   {
      return GoalChainFind(target, available, true);
   }
   return result;
}

i32 SpiteAndMalice::GoalRankPlayFind(Card* goal, Table<Card*>& available)
{
   const i32 seat = playerActiveID;
   const CardPile* hand = HandGet(seat);
   if (!goal || !hand)
   {
      return -1;
   }
   if (goal->rank == RANK_ACE)
   {
      i32 answer = -1;
      for (i32 h = 0; h < hand->cards.count; ++h)
      {
         if (hand->cards[h]->rank == RANK_ACE)
         {
            answer = BuildPileForCardFind(hand->cards[h]);
         }
      }
      for (i32 j = 0; j < SPITE_AND_MALICE_DISCARD_PILES; ++j)
      {
         const CardPile* discard = DiscardPileGet(seat, j);
         Card* d = discard ? discard->CardTopGet() : nullptr;
         if (d && d->rank == RANK_ACE)
         {
            answer = BuildPileForCardFind(d);
         }
      }
      return answer;
   }
   const auto tries = [&](Card* c)
   {
      const i32 direct = BuildPileForCardFind(c);
      return direct != -1 ? direct : GoalChainFind(c, available, false);
   };
   for (i32 h = 0; h < hand->cards.count; ++h)
   {
      const i32 found = hand->cards[h]->rank == goal->rank ? tries(hand->cards[h]) : -1;
      if (found != -1)
      {
         return found;
      }
   }
   for (i32 j = 0; j < SPITE_AND_MALICE_DISCARD_PILES; ++j)
   {
      const CardPile* discard = DiscardPileGet(seat, j);
      Card* d = discard ? discard->CardTopGet() : nullptr;
      const i32 found = d && d->rank == goal->rank ? tries(d) : -1;
      if (found != -1)
      {
         return found;
      }
   }
   return -1;
}

i32 SpiteAndMalice::HandPlayFind()
{
   for (i32 i = 0; i < SPITE_AND_MALICE_BUILD_PILES; ++i)
   {
      if (HandCardFitGet(playerActiveID, i))
      {
         return i;
      }
   }
   return -1;
}

i32 SpiteAndMalice::DiscardPlayFind()
{
   for (i32 i = 0; i < SPITE_AND_MALICE_BUILD_PILES; ++i)
   {
      if (DiscardTopFitGet(playerActiveID, i))
      {
         return i;
      }
   }
   return -1;
}

Card* SpiteAndMalice::HandCardFitGet(i32 seat, i32 build)
{
   const CardPile* hand = HandGet(seat);
   for (i32 h = 0; hand && h < hand->cards.count; ++h)
   {
      if (BuildPileFitCheck(hand->cards[h]->rank, build))
      {
         return hand->cards[h];
      }
   }
   return nullptr;
}

Card* SpiteAndMalice::DiscardTopFitGet(i32 seat, i32 build)
{
   for (i32 j = 0; j < SPITE_AND_MALICE_DISCARD_PILES; ++j)
   {
      const CardPile* discard = DiscardPileGet(seat, j);
      Card* d = discard ? discard->CardTopGet() : nullptr;
      if (d && BuildPileFitCheck(d->rank, build))
      {
         return d;
      }
   }
   return nullptr;
}

void SpiteAndMalice::MovePost(CardPile* pile, Card* card)
{
   CardDropCommandQueue(pile, card, static_cast<u32>(delayAIAction > 0 ? delayAIAction : 0));
}

void SpiteAndMalice::DiscardChoose()
{
   const i32 seat = playerActiveID;
   const CardPile* hand = HandGet(seat);
   if (!hand || hand->cards.count == 0)
   {
      return;
   }
   for (i32 j = 0; j < SPITE_AND_MALICE_DISCARD_PILES; ++j)
   {
      CardPile* discard = DiscardPileGet(seat, j);
      const Card* top = discard ? discard->CardTopGet() : nullptr;
      for (i32 h = 0; top && h < hand->cards.count; ++h)
      {
         if (hand->cards[h]->rank == top->rank)
         {
            MovePost(discard, hand->cards[h]);
            return;
         }
      }
   }
   for (i32 j = 0; j < SPITE_AND_MALICE_DISCARD_PILES; ++j)
   {
      CardPile* discard = DiscardPileGet(seat, j);
      if (!discard || discard->cards.count > 0)
      {
         continue;
      }
      Card* chosen = hand->cards[0];
      for (i32 h = 0; h < hand->cards.count; ++h)
      {
         if (hand->cards[h]->rank > RANK_TEN)
         {
            chosen = hand->cards[h];
            break;
         }
      }
      MovePost(discard, chosen);
      return;
   }
   for (i32 j = 0; j < SPITE_AND_MALICE_DISCARD_PILES; ++j)
   {
      CardPile* discard = DiscardPileGet(seat, j);
      const Card* top = discard ? discard->CardTopGet() : nullptr;
      for (i32 h = 0; top && h < hand->cards.count; ++h)
      {
         if (hand->cards[h]->rank < top->rank)
         {
            MovePost(discard, hand->cards[h]);
            return;
         }
      }
   }
   MovePost(DiscardPileGet(seat, static_cast<i32>(RandomIntGet(SPITE_AND_MALICE_DISCARD_PILES))),
            hand->cards[0]);
}

void SpiteAndMalice::AITurnTake()
{
   const i32 seat = playerActiveID;
   CardPile* hand = HandGet(seat);
   const CardPile* goalPile = GoalPileGet(seat);
   if (!hand)
   {
      return;
   }
   goalChainCalls = 0;
   i32 d = DifficultyGet();
   d = d < 0 ? 0 : (d > 2 ? 2 : d);
   Table<Card*> available(allocatorTemp);
   hand->CardsGet(available);
   Card* goal = goalPile ? goalPile->CardTopGet() : nullptr;

   i32 b = BuildPileForCardFind(goal);
   if (b != -1)
   {
      MovePost(BuildPileGet(b), goal);
      return;
   }
   if (RandomFloatGet() <= SPITE_GOAL_CHANCE[d])
   {
      b = GoalChainFind(goal, available, false);
   }
   if (b != -1)
   {
      Card* play = HandCardFitGet(seat, b);
      play = play ? play : DiscardTopFitGet(seat, b);
      for (i32 h = 0; !play && h < hand->cards.count; ++h)
      {
         play = hand->cards[h]->rank == RANK_KING ? hand->cards[h] : nullptr;
      }
      for (i32 j = 0; !play && j < SPITE_AND_MALICE_DISCARD_PILES; ++j)
      {
         const CardPile* discard = DiscardPileGet(seat, j);
         Card* top = discard ? discard->CardTopGet() : nullptr;
         play = top && top->rank == RANK_KING ? top : nullptr;
      }
      if (play)
      {
         MovePost(BuildPileGet(b), play);
         return;
      }
   }
   if (RandomFloatGet() <= SPITE_GOAL_CHANCE[d])
   {
      b = GoalRankPlayFind(goal, available);
   }
   if (b != -1)
   {
      Card* play = HandCardFitGet(seat, b);
      play = play ? play : DiscardTopFitGet(seat, b);
      if (play)
      {
         MovePost(BuildPileGet(b), play);
         return;
      }
   }
   if (RandomFloatGet() >= SPITE_SKIP_CHANCE[d])
   {
      b = HandPlayFind();
   }
   if (b != -1)
   {
      Card* play = HandCardFitGet(seat, b);
      if (play)
      {
         MovePost(BuildPileGet(b), play);
         return;
      }
   }
   if (RandomFloatGet() >= SPITE_SKIP_CHANCE[d])
   {
      b = DiscardPlayFind();
   }
   if (b != -1)
   {
      Card* play = DiscardTopFitGet(seat, b);
      if (play)
      {
         MovePost(BuildPileGet(b), play);
         return;
      }
   }
   DiscardChoose();
}

// ---- Results ----

void SpiteAndMalice::ResultsShow()
{
   SpiteAndMaliceResultsPopup& popup = SpiteAndMaliceResultsPopup::instance;
   if (PopupManager::IndexGet(&popup) >= 0)
   {
      return;
   }
   popup.game = this;
   PopupManager::Open(&popup);
   // Set after the open: a closed box forgets its answers.
   popup.onOK = &SpiteAndMaliceResultsPopup::OKPress;
   popup.onOKUserData = this;
}

void SpiteAndMalice::ResultsHide()
{
   if (PopupManager::IndexGet(&SpiteAndMaliceResultsPopup::instance) >= 0)
   {
      PopupManager::Close(&SpiteAndMaliceResultsPopup::instance);
   }
}
} // namespace Corvale
