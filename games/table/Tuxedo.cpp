// Tuxedo's rules: the deal and redeals of four, matches that may go on with the same hand card,
// builds, discards when nothing else is possible, the sweep and Heart-and-Diamond bonuses, and the
// computer, which captures the most cards it can.
#include "games/table/Tuxedo.h"

#include <cstdio>
#include <cstring>
#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/CardSort.h"
#include "cardgame/Command.h"
#include "cardgame/PlayerPanel.h"
#include "cardgame/PlayerPanelWidget.h"
#include "cardgame/RecordSupport.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/ReflectionManager.h"
#include "core/TextManager.h"
#include "games/table/TuxedoResultsPopup.h"
#include "gui/popup/PopupManager.h"
#include "gui/widgets/LabelWidget.h"
#include "gui/widgets/LayerWidget.h"
#include "gui/widgets/PressButtonWidget.h"

namespace Corvale
{
Tuxedo Tuxedo::instance;

namespace
{
constexpr i32 TUXEDO_HAND_CARDS = 4;
constexpr i32 TUXEDO_TABLE_CARDS = 4;
constexpr i32 TUXEDO_RANK_MAX = 10;
// The sweep bonus is larger when the table held at least this many cards at the turn's start.
constexpr i32 TUXEDO_SWEEP_TABLE_CARDS = 4;
constexpr i32 TUXEDO_SWEEP_SMALL = 5;
constexpr i32 TUXEDO_SWEEP_BIG = 10;
constexpr i32 TUXEDO_RED_SUITS_BONUS = 10;
constexpr i32 TUXEDO_SEARCH_CARDS_MAX = 64;
constexpr i32 TUXEDO_SEARCH_SUM_MAX = 64;
// Sort types of the human's hand: rank ascending or descending, the ace as 1, then suit.
constexpr i32 TUXEDO_SORT_ASCENDING = 7;
constexpr i32 TUXEDO_SORT_DESCENDING = 4;

// The depth-first search for table cards adding up to a target, in table order. Sub-searches that
// failed are remembered by (partial sum, index): the same question always fails again, so the
// first combination found stays the one the plain search finds, without its exponential cost.
struct SumSearch
{
   const CardPile* table = nullptr;
   i32 target = 0;
   u64 failed[TUXEDO_SEARCH_SUM_MAX] = {};
   i32 picks[TUXEDO_SEARCH_CARDS_MAX] = {};
   i32 pickCount = 0;

   bool Find(i32 partial, i32 j)
   {
      const bool remembered = partial >= 0 && partial < TUXEDO_SEARCH_SUM_MAX && j < TUXEDO_SEARCH_CARDS_MAX;
      if (remembered && (failed[partial] >> j & 1u))
      {
         return false;
      }
      const i32 sum = partial + table->cards[j]->rank;
      if (sum == target)
      {
         picks[pickCount++] = j;
         return true;
      }
      if (sum < target)
      {
         for (i32 k = j + 1; k < table->cards.count; ++k)
         {
            if (Find(sum, k))
            {
               picks[pickCount++] = j;
               return true;
            }
         }
      }
      if (remembered)
      {
         failed[partial] |= u64{1} << j;
      }
      return false;
   }
};

bool SumSearchRun(SumSearch& search, i32 target, i32 partial, const CardPile* table, i32 j)
{
   if (!table || j < 0 || j >= table->cards.count || table->cards.count > TUXEDO_SEARCH_CARDS_MAX)
   {
      return false;
   }
   search.table = table;
   search.target = target;
   return search.Find(partial, j);
}
} // namespace

// ---- The player ----

void TuxedoPlayer::ReflectionRegister()
{
   auto* record = ReflectionRecordCreate<ReflectionTypeObjectTyped<TuxedoPlayer>>("Corvale::TuxedoPlayer");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(Player).name());
   ReflectionManager::TypeRegister(record);
}

// ---- Identity, set-up and texts ----

void Tuxedo::ReflectionRegister()
{
   auto* record = ReflectionRecordCreate<ReflectionTypeObjectTyped<Tuxedo>>("Corvale::Tuxedo");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(NonSolitaireFrontendBasedCardGame).name());
   record->FieldAdd(&Tuxedo::inTuxedo, "inTuxedo");
   record->FieldAdd(&Tuxedo::mayChooseHandCard, "mayChooseHandCard");
   record->FieldAdd(&Tuxedo::noMove, "noMove");
   record->FieldAdd(&Tuxedo::capturedHeart, "capturedHeart");
   record->FieldAdd(&Tuxedo::capturedDiamond, "capturedDiamond");
   record->FieldAdd(&Tuxedo::tableCountTurnBegin, "tableCountTurnBegin");
   ReflectionManager::TypeRegister(record);
}

Player* Tuxedo::PlayerCreate()
{
   return MemoryNew<TuxedoPlayer>(HEAP_DEFAULT);
}

void Tuxedo::Init()
{
   nextCardPileID = 0;
   CardGame::Init();
   GameNew();
}

void Tuxedo::Deinit()
{
   buildButton = nullptr;
   matchButton = nullptr;
   NonSolitaireFrontendBasedCardGame::Deinit();
}

void Tuxedo::GUIInit(LayerWidget* pushedLayer)
{
   NonSolitaireFrontendBasedCardGame::GUIInit(pushedLayer);
   buildButton =
       pushedLayer ? dynamic_cast<PressButtonWidget*>(pushedLayer->DescendantGetByPath("Build")) : nullptr;
   matchButton =
       pushedLayer ? dynamic_cast<PressButtonWidget*>(pushedLayer->DescendantGetByPath("Match")) : nullptr;
   if (!buildButton || !matchButton)
   {
      WarningPrintf("Tuxedo::GUIInit -- the layer lacks the buttons \"Build\" and \"Match\"\n");
   }
   if (buildButton)
   {
      buildButton->onClick = &Tuxedo::OnBuildClick;
      buildButton->onClickUserData = this;
   }
   if (matchButton)
   {
      matchButton->onClick = &Tuxedo::OnMatchClick;
      matchButton->onClickUserData = this;
   }
   ControlsRefresh();
}

void Tuxedo::TextsRefresh()
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

// ---- Piles ----

CardPile* Tuxedo::DrawPileGet()
{
   return CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
}

CardPile* Tuxedo::TablePileGet()
{
   return CardPileGet(CARD_PILE_TYPE_TAKE, -1, -1);
}

CardPile* Tuxedo::HandGet(i32 seat)
{
   return PlayerHandGet(PlayerByIndexGet(seat));
}

CardPile* Tuxedo::CapturedPileGet(i32 seat)
{
   const Player* player = PlayerByIndexGet(seat);
   return player ? CardPileGet(CARD_PILE_TYPE_DISCARD, player->id, -1) : nullptr;
}

void Tuxedo::DeckCreate(CardPile* pile)
{
   if (!pile)
   {
      return;
   }
   for (i32 rank = RANK_ACE; rank <= TUXEDO_RANK_MAX; ++rank)
   {
      for (i32 suit = SUIT_HEARTS; suit <= SUIT_CLUBS; ++suit)
      {
         pile->CardCreate(rank, suit);
      }
   }
}

// ---- A game ----

void Tuxedo::GameNew()
{
   nextCardID = 0;
   NonSolitaireFrontendBasedCardGame::GameNew();
   mayChooseHandCard = false;
   noMove = false;
   capturedHeart = false;
   capturedDiamond = false;
   tableCountTurnBegin = 0;
   CardPile* draw = DrawPileGet();
   if (!draw || !TablePileGet() || !HandGet(0) || !HandGet(1) || !CapturedPileGet(0) || !CapturedPileGet(1))
   {
      WarningPrintf("Tuxedo::GameNew -- the constants lack the draw pile, the table, a hand or a captured "
                    "pile\n");
      return;
   }
   DeckCreate(draw);
   CardPileShuffle(draw);
   DealerSet(PlayerActiveGet());
   const Player* first = PlayerNextGet(DealerGet());
   if (first)
   {
      playerActiveID = first->id;
   }
   CardsDealToEachPlayer(draw, TUXEDO_HAND_CARDS, playerActiveID);
   HumanHandsFaceUpQueue();
   PlayerPanelFramesRefresh();
   i32 tables = 0;
   for (i32 i = 0; i < cardPiles.count; ++i)
   {
      tables += cardPiles[i]->type == CARD_PILE_TYPE_TAKE ? 1 : 0;
   }
   CardsDeal(CARD_PILE_TYPE_TAKE, draw, TUXEDO_TABLE_CARDS * tables, true, -1);
   HandsSortQueue();
   TextsRefresh();
   ActionTurnBeginPost();
}

void Tuxedo::HandsDeal(i32 perPlayer)
{
   CardPile* draw = DrawPileGet();
   const i32 seats = players.count > 0 ? players.count : 1;
   const i32 each = draw && draw->cards.count / seats < perPlayer ? draw->cards.count / seats : perPlayer;
   const Player* first = PlayerNextGet(DealerGet());
   if (!draw || each <= 0 || !first)
   {
      return;
   }
   CardsDealToEachPlayer(draw, each, first->id);
   HumanHandsFaceUpQueue();
   HandsSortQueue();
}

void Tuxedo::TurnBegin()
{
   NonSolitaireFrontendBasedCardGame::TurnBegin();
   mayChooseHandCard = true;
   noMove = !MovePossibleCheck();
   ButtonsEnable(false, false, false);
   capturedHeart = false;
   capturedDiamond = false;
   const CardPile* table = TablePileGet();
   tableCountTurnBegin = table ? table->cards.count : 0;
}

i32 Tuxedo::WinnerSeatGet()
{
   const Player* zero = PlayerByIndexGet(0);
   const Player* one = PlayerByIndexGet(1);
   return zero && one && one->minigameScore > zero->minigameScore ? 1 : 0;
}

void Tuxedo::Refresh()
{
   noMove = !MovePossibleCheck();
   for (i32 i = 0; i < players.count; ++i)
   {
      const CardPile* hand = PlayerHandGet(players[i]);
      if (hand && hand->cards.count > 0)
      {
         TextsRefresh();
         return;
      }
   }
   const CardPile* draw = DrawPileGet();
   if (draw && draw->cards.count >= players.count && players.count > 0)
   {
      HandsDeal(TUXEDO_HAND_CARDS);
      TextsRefresh();
      return;
   }

   const i32 winnerSeat = WinnerSeatGet();
   Player* winner = PlayerByIndexGet(winnerSeat);
   const Player* loser = PlayerByIndexGet(1 - winnerSeat);
   if (!winner || !loser)
   {
      return;
   }
   for (i32 i = 0; i < players.count; ++i)
   {
      players[i]->minigameWinner = players[i] == winner;
   }
   WinnerIconsRefresh();
   const u32 delay = static_cast<u32>(delayDialog);
   if (winner->minigameScore - loser->minigameScore < 5)
   {
      CharacterDialogRandomSay(winner, "GENERIC_I_WIN_HAND_SMALL", delay, 0.5f);
   }
   else if (winner->minigameScore < 2 * loser->minigameScore)
   {
      CharacterDialogRandomSay(winner, "CARD_SHARED_I_WIN_HAND", delay, 0.5f);
   }
   else
   {
      CharacterDialogRandomSay(winner, "GENERIC_I_WIN_HAND_BIG", delay, 0.5f);
   }
   if (winner->human)
   {
      ActionGameWinPost();
   }
   else
   {
      ActionGameLosePost();
   }
   TextsRefresh();
}

void Tuxedo::HandsSort()
{
   const i32 humanOrder = CardSortingDirectionGet() == 0 ? TUXEDO_SORT_ASCENDING : TUXEDO_SORT_DESCENDING;
   for (i32 i = 0; i < players.count; ++i)
   {
      CardPile* hand = PlayerHandGet(players[i]);
      if (!hand)
      {
         continue;
      }
      hand->sortType = players[i]->local && players[i]->human ? humanOrder : CARD_SORT_TYPE_UNSORTED;
      if (hand->sortType != CARD_SORT_TYPE_UNSORTED)
      {
         hand->Sort();
         hand->CardsPositionUpdate(true);
      }
   }
}

// ---- Checks ----

Card* Tuxedo::HandCardSelectedGet()
{
   const CardPile* hand = PlayerHandGet(PlayerActiveGet());
   for (i32 i = 0; hand && i < hand->cards.count; ++i)
   {
      if (hand->cards[i]->selected)
      {
         return hand->cards[i];
      }
   }
   return nullptr;
}

bool Tuxedo::SumCombinationFind(i32 target, i32 partial, const CardPile* table, i32 j, i32* counter)
{
   SumSearch search;
   if (!SumSearchRun(search, target, partial, table, j))
   {
      return false;
   }
   if (counter)
   {
      *counter += search.pickCount;
   }
   return true;
}

bool Tuxedo::SumCombinationSelect(i32 target, CardPile* table, i32 j)
{
   SumSearch search;
   if (!SumSearchRun(search, target, 0, table, j))
   {
      return false;
   }
   for (i32 i = 0; i < search.pickCount; ++i)
   {
      CardSelectedSet(table->cards[search.picks[i]], true);
   }
   return true;
}

bool Tuxedo::MatchCheck()
{
   const Card* hand = HandCardSelectedGet();
   const CardPile* table = TablePileGet();
   if (!hand || !table || table->cards.count == 0)
   {
      return false;
   }
   i32 sum = 0;
   for (i32 i = 0; i < table->cards.count; ++i)
   {
      sum += table->cards[i]->selected ? table->cards[i]->rank : 0;
   }
   return sum == hand->rank;
}

bool Tuxedo::BuildCheck()
{
   const Card* card = HandCardSelectedGet();
   const CardPile* table = TablePileGet();
   const CardPile* hand = PlayerHandGet(PlayerActiveGet());
   if (!card || !table || !hand || table->CardsSelectedCount() != 1)
   {
      return false;
   }
   const Card* built = nullptr;
   for (i32 i = 0; i < table->cards.count && !built; ++i)
   {
      built = table->cards[i]->selected ? table->cards[i] : nullptr;
   }
   return hand->CardRankFind(card->rank + built->rank) != nullptr;
}

bool Tuxedo::MovePossibleCheck()
{
   const CardPile* hand = PlayerHandGet(PlayerActiveGet());
   const CardPile* table = TablePileGet();
   if (!hand || !table)
   {
      return false;
   }
   for (i32 a = 0; a < hand->cards.count; ++a)
   {
      for (i32 t = 0; t < table->cards.count; ++t)
      {
         const i32 rank = hand->cards[a]->rank;
         if (hand->CardRankFind(rank + table->cards[t]->rank) ||
             SumCombinationFind(rank, 0, table, t, nullptr))
         {
            return true;
         }
      }
   }
   return false;
}

bool Tuxedo::MatchWithSelectedPossible()
{
   const Card* card = HandCardSelectedGet();
   const CardPile* table = TablePileGet();
   for (i32 j = 0; card && table && j < table->cards.count; ++j)
   {
      if (SumCombinationFind(card->rank, 0, table, j, nullptr))
      {
         return true;
      }
   }
   return false;
}

// ---- The human's choices and the buttons ----

bool Tuxedo::CardChooseOnClickCheck(Card* card)
{
   if (!card || !card->pile)
   {
      return false;
   }
   if (card->pile == TablePileGet())
   {
      return true;
   }
   const Player* owner = card->pile->type == CARD_PILE_TYPE_HAND ? PlayerGet(card->pile->ownerID) : nullptr;
   return owner && owner->human && owner->local;
}

void Tuxedo::CardChoose(Card* card)
{
   Player* active = PlayerActiveGet();
   if (!card || !card->pile || !active || !active->human || !active->local ||
       gameResult != MINIGAME_RESULT_RUNNING)
   {
      return;
   }
   CardPile* hand = PlayerHandGet(active);
   if (card->pile == hand)
   {
      if (!mayChooseHandCard)
      {
         return;
      }
      for (i32 i = 0; i < hand->cards.count; ++i)
      {
         CardSelectedSet(hand->cards[i], hand->cards[i] == card);
      }
   }
   else if (card->pile == TablePileGet())
   {
      CardSelectedSet(card, !card->selected);
   }
   else
   {
      return;
   }
   ButtonsEnable(BuildCheck() && mayChooseHandCard, MatchCheck(), noMove && HandCardSelectedGet());
}

void Tuxedo::ButtonsEnable(bool build, bool match, bool discard)
{
   if (buildButton)
   {
      buildButton->EnabledSet(build);
   }
   if (matchButton)
   {
      matchButton->EnabledSet(match);
   }
   if (discardButton)
   {
      discardButton->EnabledSet(discard);
   }
}

void Tuxedo::ControlsRefresh()
{
   NonSolitaireFrontendBasedCardGame::ControlsRefresh();
   if (!HumanMayActCheck())
   {
      ButtonsEnable(false, false, false);
      return;
   }
   ButtonsEnable(BuildCheck() && mayChooseHandCard, MatchCheck(), noMove && HandCardSelectedGet());
}

void Tuxedo::OnBuildClick(PressButtonWidget* button, void* game)
{
   (void)button;
   Tuxedo* self = static_cast<Tuxedo*>(game);
   if (self && self->HumanMayActCheck())
   {
      self->CommandCodePost(TUXEDO_COMMAND_BUILD, 0);
   }
}

void Tuxedo::OnMatchClick(PressButtonWidget* button, void* game)
{
   Tuxedo* self = static_cast<Tuxedo*>(game);
   if (self && self->HumanMayActCheck())
   {
      if (button)
      {
         button->EnabledSet(false);
      }
      self->CommandCodePost(TUXEDO_COMMAND_MATCH, 0);
   }
}

// ---- Moves ----

bool Tuxedo::CommandExecute(const Command& command)
{
   const bool running = gameResult == MINIGAME_RESULT_RUNNING;
   // The same checks for the buttons and the computer: a move the rules refuse changes nothing.
   switch (command.type)
   {
   case TUXEDO_COMMAND_BUILD:
      if (running && mayChooseHandCard && BuildCheck())
      {
         BuildExecute();
      }
      return true;
   case TUXEDO_COMMAND_DISCARD:
      if (running && HandCardSelectedGet() && !MovePossibleCheck())
      {
         DiscardExecute();
      }
      return true;
   case TUXEDO_COMMAND_MATCH:
      if (running && MatchCheck())
      {
         MatchExecute();
      }
      return true;
   default:
      return NonSolitaireFrontendBasedCardGame::CommandExecute(command);
   }
}

void Tuxedo::CaptureCard(Card* card, Player* player)
{
   CardPile* captured = CapturedPileGet(PlayerIndexGet(player));
   if (!card || !captured)
   {
      return;
   }
   CardSelectedSet(card, false);
   CardFaceUpSet(card, true, true);
   CardAdd(captured, card);
}

void Tuxedo::MatchExecute()
{
   mayChooseHandCard = false;
   Card* handCard = HandCardSelectedGet();
   Player* player = PlayerActiveGet();
   CardPile* table = TablePileGet();
   if (!handCard || !player || !table)
   {
      TextsRefresh();
      ActionPlayerAdvancePost();
      return;
   }
   for (i32 i = table->cards.count - 1; i >= 0; --i)
   {
      Card* card = table->cards[i];
      if (!card->selected)
      {
         continue;
      }
      capturedHeart = capturedHeart || card->suit == SUIT_HEARTS;
      capturedDiamond = capturedDiamond || card->suit == SUIT_DIAMONDS;
      CaptureCard(card, player);
      player->MinigameScoreAdd(1);
   }
   if (MatchWithSelectedPossible())
   {
      TextsRefresh();
      return;
   }
   CaptureCard(handCard, player);
   player->MinigameScoreAdd(1);
   if (table->cards.count == 0)
   {
      player->MinigameScoreAdd(tableCountTurnBegin < TUXEDO_SWEEP_TABLE_CARDS ? TUXEDO_SWEEP_SMALL
                                                                              : TUXEDO_SWEEP_BIG);
   }
   if (capturedHeart && capturedDiamond)
   {
      player->MinigameScoreAdd(TUXEDO_RED_SUITS_BONUS);
   }
   TextsRefresh();
   ActionPlayerAdvancePost();
}

void Tuxedo::BuildExecute()
{
   Card* handCard = HandCardSelectedGet();
   CardPile* table = TablePileGet();
   Card* built = nullptr;
   for (i32 i = 0; table && i < table->cards.count && !built; ++i)
   {
      built = table->cards[i]->selected ? table->cards[i] : nullptr;
   }
   if (!handCard || !built)
   {
      return;
   }
   CardSelectedSet(built, false);
   built->rank += handCard->rank;
   built->SpriteUpdate();
   CaptureCard(handCard, PlayerActiveGet());
   ActionPlayerAdvancePost();
}

void Tuxedo::DiscardExecute()
{
   Card* handCard = HandCardSelectedGet();
   CardPile* table = TablePileGet();
   if (!handCard || !table)
   {
      return;
   }
   CardSelectedSet(handCard, false);
   for (i32 i = 0; i < table->cards.count; ++i)
   {
      CardSelectedSet(table->cards[i], false);
   }
   CardMoveQueue(table, handCard, 0, true);
   ActionPlayerAdvancePost();
}

// ---- The computer ----

void Tuxedo::AITurnTake()
{
   CardPile* hand = PlayerHandGet(PlayerActiveGet());
   CardPile* table = TablePileGet();
   if (!hand || !table || hand->cards.count == 0)
   {
      return;
   }
   const u32 delay = static_cast<u32>(delayAIAction);
   // Once a match committed the turn's card, only that card may match again.
   Card* committed = mayChooseHandCard ? nullptr : HandCardSelectedGet();
   for (i32 i = 0; i < table->cards.count; ++i)
   {
      CardSelectedSet(table->cards[i], false);
   }
   for (i32 i = 0; i < hand->cards.count; ++i)
   {
      CardSelectedSet(hand->cards[i], hand->cards[i] == committed);
   }

   if (!noMove)
   {
      Card* bestCard = nullptr;
      i32 bestStart = -1;
      i32 bestCount = 0;
      for (i32 i = 0; i < hand->cards.count; ++i)
      {
         Card* card = hand->cards[i];
         if (!mayChooseHandCard && card != committed)
         {
            continue;
         }
         for (i32 j = 0; j < table->cards.count; ++j)
         {
            i32 count = 0;
            if (SumCombinationFind(card->rank, 0, table, j, &count) && count > bestCount)
            {
               bestCard = card;
               bestStart = j;
               bestCount = count;
            }
         }
      }
      if (bestCard)
      {
         CardSelectedSet(bestCard, true);
         SumCombinationSelect(bestCard->rank, table, bestStart);
         CommandCodePost(TUXEDO_COMMAND_MATCH, delay);
         return;
      }
      for (i32 a = 0; a < hand->cards.count; ++a)
      {
         for (i32 t = 0; t < table->cards.count; ++t)
         {
            for (i32 b = 0; b < hand->cards.count; ++b)
            {
               if (hand->cards[a]->rank == hand->cards[b]->rank + table->cards[t]->rank)
               {
                  CardSelectedSet(table->cards[t], true);
                  CardSelectedSet(hand->cards[b], true);
                  CommandCodePost(TUXEDO_COMMAND_BUILD, delay);
                  return;
               }
            }
         }
      }
   }

   Card* discard = nullptr;
   i32 discardCount = 0;
   for (i32 i = 0; i < hand->cards.count; ++i)
   {
      const i32 count = hand->CardsOfRankCount(hand->cards[i]->rank);
      if (count > discardCount)
      {
         discard = hand->cards[i];
         discardCount = count;
      }
   }
   CardSelectedSet(discard, true);
   CommandCodePost(TUXEDO_COMMAND_DISCARD, delay);
}

// ---- Results ----

void Tuxedo::ResultsShow()
{
   TuxedoResultsPopup& popup = TuxedoResultsPopup::instance;
   if (PopupManager::IndexGet(&popup) >= 0)
   {
      return;
   }
   popup.game = this;
   PopupManager::Open(&popup);
   // Set after the open: a closed box forgets its answers.
   popup.onOK = &TuxedoResultsPopup::OnOK;
   popup.onOKUserData = this;
}

void Tuxedo::ResultsHide()
{
   if (PopupManager::IndexGet(&TuxedoResultsPopup::instance) >= 0)
   {
      PopupManager::Close(&TuxedoResultsPopup::instance);
   }
}
} // namespace Corvale
