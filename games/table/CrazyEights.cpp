// Crazy Eights' rules: the deal, drawing and playing with the penalties of Very Crazy Eights, the
// suit named after an eight, the turn's hand-over with skips and reversals, the automatic pass,
// the end of a hand and its scoring, and the computer player, which plays the first card that
// fits and keeps its eights for when nothing else does.
#include "games/table/CrazyEights.h"

#include <cstdio>
#include <cstring>
#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/CardSort.h"
#include "cardgame/Command.h"
#include "cardgame/Player.h"
#include "cardgame/PlayerPanel.h"
#include "cardgame/PlayerPanelWidget.h"
#include "cardgame/RecordSupport.h"
#include "core/ReflectionManager.h"
#include "core/TextManager.h"
#include "games/table/CrazyEightsPopups.h"
#include "gui/popup/MessageBoxPopup.h"
#include "gui/popup/PopupManager.h"
#include "gui/widgets/LabelWidget.h"

namespace Corvale
{
CrazyEights CrazyEights::instance;

namespace
{
constexpr i32 RANK_EIGHT = 8;
constexpr i32 CARDS_DEALT = 5;
constexpr i32 QUEEN_OF_HEARTS_PENALTY = 5;
constexpr i32 TWO_PENALTY = 2;
constexpr i32 DRAW_MANY = 6;
// The hand orders the "CardSorting" option gives the human's hand.
constexpr i32 SORT_SUIT_ASCENDING_ACE_LOW = 6;
constexpr i32 SORT_SUIT_DESCENDING_ACE_LOW = 2;
constexpr i32 SORT_RANK_ASCENDING_ACE_LOW = 7;

bool QueenOfHeartsCheck(const Card* card)
{
   return card && card->rank == RANK_QUEEN && card->suit == SUIT_HEARTS;
}
} // namespace

void CrazyEights::ReflectionRegister()
{
   auto* record = ReflectionRecordCreate<ReflectionTypeObjectTyped<CrazyEights>>("Corvale::CrazyEights");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(NonSolitaireFrontendBasedCardGame).name());
   record->FieldAdd(&CrazyEights::choosingSuit, "choosingSuit");
   record->FieldAdd(&CrazyEights::consecutivePassCount, "consecutivePassCount");
   record->FieldAdd(&CrazyEights::lastTurnWasPassed, "lastTurnWasPassed");
   record->FieldAdd(&CrazyEights::cardDiscarded, "cardDiscarded");
   record->FieldAdd(&CrazyEights::cardDrawCount, "cardDrawCount");
   record->FieldAdd(&CrazyEights::playProceedsRight, "playProceedsRight");
   record->FieldAdd(&CrazyEights::skipNextPlayer, "skipNextPlayer");
   record->FieldAdd(&CrazyEights::penaltyDrawCount, "penaltyDrawCount");
   record->FieldAdd(&CrazyEights::nextPlayerPenaltyDrawCount, "nextPlayerPenaltyDrawCount");
   record->FieldAdd(&CrazyEights::respondToTwo, "respondToTwo");
   record->FieldAdd(&CrazyEights::nextPlayerRespondToTwo, "nextPlayerRespondToTwo");
   record->FieldAdd(&CrazyEights::respondToQueenOfHearts, "respondToQueenOfHearts");
   record->FieldAdd(&CrazyEights::nextPlayerRespondToQueenOfHearts, "nextPlayerRespondToQueenOfHearts");
   ReflectionManager::TypeRegister(record);
}

// ---- Identity, options and texts ----

const char* CrazyEights::DisplayNameGet()
{
   return VeryCrazyCheck() ? "VeryCrazyEights" : "CrazyEights";
}

bool CrazyEights::VeryCrazyCheck()
{
   const char* variation = SettingStringGet("Variation");
   return variation && std::strcmp(variation, "VeryCrazyEights") == 0;
}

i32 CrazyEights::TargetScoreGet()
{
   const char* condition = SettingStringGet("GameOverCondition");
   static const struct
   {
      const char* value;
      i32 target;
   } targets[] = {{"100Points", 100}, {"200Points", 200}, {"300Points", 300}, {"400Points", 400}};
   for (const auto& entry : targets)
   {
      if (condition && std::strcmp(condition, entry.value) == 0)
      {
         return entry.target;
      }
   }
   return 0;
}

i32 CrazyEights::PlayerPanelNameLineGet()
{
   return TargetScoreGet() > 0 ? 0 : 1;
}

void CrazyEights::FieldsClear()
{
   choosingSuit = false;
   consecutivePassCount = 0;
   lastTurnWasPassed = false;
   playProceedsRight = false;
   skipNextPlayer = false;
   penaltyDrawCount = 0;
   nextPlayerPenaltyDrawCount = 0;
   respondToTwo = false;
   nextPlayerRespondToTwo = false;
   respondToQueenOfHearts = false;
   nextPlayerRespondToQueenOfHearts = false;
}

void CrazyEights::Init()
{
   FieldsClear();
   cardDiscarded = false;
   cardDrawCount = 0;
   nextCardPileID = 0;
   CardGame::Init();
   GameNew();
}

void CrazyEights::Deinit()
{
   PhasePopupsClose();
   if (PopupManager::IndexGet(&CrazyEightsSuitPopup::instance) >= 0)
   {
      PopupManager::Close(&CrazyEightsSuitPopup::instance);
   }
   NonSolitaireFrontendBasedCardGame::Deinit();
}

void CrazyEights::TextsRefresh()
{
   NonSolitaireFrontendBasedCardGame::TextsRefresh();
   if (TargetScoreGet() <= 0)
   {
      return;
   }
   const char* label = textManager.TextGet("Score");
   for (i32 i = 0; i < playerPanels.count; ++i)
   {
      PlayerPanelWidget* widget = playerPanels[i]->widget;
      const Player* player = PlayerGet(playerPanels[i]->playerID);
      if (widget && player && widget->textLines.count > 1 && widget->textLines[1])
      {
         char line[128];
         std::snprintf(line, sizeof(line), "%s: %d", label ? label : "", player->minigameScore);
         widget->textLines[1]->TextSet(line);
      }
   }
}

void CrazyEights::Say(const Player* player, const char* line, float probability)
{
   CharacterDialogRandomSay(player, line, static_cast<u32>(delayDialog), probability);
}

void CrazyEights::MessageShow(const char* textKey)
{
   const Player* active = PlayerActiveGet();
   if (active && active->local && active->human)
   {
      MessageBoxPopup::Show(textKey, "MessageBoxOK");
   }
}

// ---- Piles and cards ----

CardPile* CrazyEights::DrawPileGet()
{
   return CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
}

CardPile* CrazyEights::DiscardPileGet()
{
   return CardPileGet(CARD_PILE_TYPE_DISCARD, -1, -1);
}

CardPile* CrazyEights::ActiveHandGet()
{
   return PlayerHandGet(PlayerActiveGet());
}

i32 CrazyEights::CardValueGet(const Card* card)
{
   if (!card)
   {
      return 0;
   }
   if (card->rank == RANK_EIGHT)
   {
      return 50;
   }
   return card->rank >= RANK_JACK ? 10 : card->rank;
}

void CrazyEights::CardPrintedSuitRestore(Card* card)
{
   // The deck is made suit by suit from ID 0, so the ID tells the suit the card was printed with.
   if (!card || card->rank != RANK_EIGHT || card->id < 0)
   {
      return;
   }
   const i32 printed = (card->id % 52) / 13;
   if (card->suit != printed)
   {
      card->suit = printed;
      card->SpriteUpdate();
   }
}

void CrazyEights::HandsSort()
{
   const i32 sorting = CardSortingGet();
   i32 order = SORT_SUIT_DESCENDING_ACE_LOW;
   if (sorting == CARD_SORTING_ASCENDING)
   {
      order = SORT_SUIT_ASCENDING_ACE_LOW;
   }
   else if (sorting == CARD_SORTING_UNSORTED)
   {
      order = subgameFirstTurnBegan ? CARD_SORT_TYPE_UNSORTED : SORT_RANK_ASCENDING_ACE_LOW;
   }
   for (i32 i = 0; i < players.count; ++i)
   {
      CardPile* hand = PlayerHandGet(players[i]);
      if (!hand)
      {
         continue;
      }
      // The pile keeps the order, so a drawn card finds its place in the human's hand.
      hand->sortType = players[i]->local && players[i]->human ? order : CARD_SORT_TYPE_UNSORTED;
      if (hand->sortType != CARD_SORT_TYPE_UNSORTED)
      {
         hand->Sort();
      }
   }
}

// ---- A game and its hands ----

void CrazyEights::GameNew()
{
   nextCardID = 0;
   NonSolitaireFrontendBasedCardGame::GameNew();
   CardPile* draw = DrawPileGet();
   if (draw)
   {
      draw->DecksAdd(1);
   }
   SubgameNew();
   TextsRefresh();
}

void CrazyEights::SubgameNew()
{
   NonSolitaireFrontendBasedCardGame::SubgameNew();
   FieldsClear();
   PhasePopupsClose();
   CardPile* draw = DrawPileGet();
   CardPile* discard = DiscardPileGet();
   if (draw && discard)
   {
      for (i32 i = 0; i < cards.count; ++i)
      {
         CardPrintedSuitRestore(cards[i]);
      }
      CardsGatherShuffled(draw);
      ActionAnimationsWaitPost();
      HandsSort();
      const Player* first = PlayerNextInSubgameGet(PlayerActiveGet());
      CardsDealToEachPlayer(draw, CARDS_DEALT, first ? first->id : playerActiveID);
      CardPileTopCardMoveQueue(discard, draw, static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0), true);
      HumanHandsFaceUpQueue();
      ActionTurnBeginPost();
      HandsSortQueue();
   }
   else
   {
      WarningPrintf("CrazyEights::SubgameNew -- the constants lack the Draw or the Discard pile\n");
   }
   WinnerIconsRefresh();
   TextsRefresh();
}

void CrazyEights::TurnBegin()
{
   NonSolitaireFrontendBasedCardGame::TurnBegin();
   penaltyDrawCount = nextPlayerPenaltyDrawCount;
   respondToTwo = nextPlayerRespondToTwo;
   respondToQueenOfHearts = nextPlayerRespondToQueenOfHearts;
   nextPlayerPenaltyDrawCount = 0;
   nextPlayerRespondToTwo = false;
   nextPlayerRespondToQueenOfHearts = false;
   choosingSuit = false;
   cardDiscarded = false;
   cardDrawCount = 0;

   const Player* active = PlayerActiveGet();
   if (respondToQueenOfHearts)
   {
      Say(active, "CRAZY_EIGHTS_QUEEN_PLAYED_ON_ME");
   }
   else if (respondToTwo)
   {
      static const char* const lines[] = {
          "CRAZY_EIGHTS_I_PENALTY_DRAW_TWO", "CRAZY_EIGHTS_I_PENALTY_DRAW_FOUR",
          "CRAZY_EIGHTS_I_PENALTY_DRAW_SIX", "CRAZY_EIGHTS_I_PENALTY_DRAW_EIGHT"};
      if (penaltyDrawCount >= 2 && penaltyDrawCount <= 8 && penaltyDrawCount % 2 == 0)
      {
         Say(active, lines[penaltyDrawCount / 2 - 1]);
      }
   }
   consecutivePassCount = lastTurnWasPassed ? consecutivePassCount + 1 : 0;
   lastTurnWasPassed = false;
}

void CrazyEights::PlayerActiveAdvance()
{
   Player* active = PlayerActiveGet();
   auto step = [this](const Player* from)
   { return playProceedsRight ? PlayerPreviousInSubgameGet(from) : PlayerNextInSubgameGet(from); };
   Player* next = active ? step(active) : nullptr;
   if (next && skipNextPlayer)
   {
      Say(next, "CRAZY_EIGHTS_JACK_PLAYED_ON_ME");
      next = step(next);
   }
   if (next)
   {
      playerActiveID = next->id;
   }
   RefreshMark();
   PlayerPanelFramesRefresh();
   skipNextPlayer = false;
   TurnBegin();
}

// ---- Drawing and playing ----

bool CrazyEights::DrawAllowedCheck()
{
   const CardPile* draw = DrawPileGet();
   if (!draw || draw->cards.count == 0 || choosingSuit || cardDiscarded || !ActiveHandGet())
   {
      return false;
   }
   if (SettingBoolGet("OnlyDrawIfNecessary") && !respondToTwo && PlayChoose() != draw->CardTopGet())
   {
      return false;
   }
   // One card a turn, but a penalty is always drawn whole.
   const bool penaltyOutstanding = cardDrawCount < penaltyDrawCount;
   return !(SettingBoolGet("DrawOneOnly") && cardDrawCount > 0 && !respondToTwo && !penaltyOutstanding);
}

void CrazyEights::CardChoose(Card* card)
{
   CardPile* hand = ActiveHandGet();
   CardPile* draw = DrawPileGet();
   if (!card || !hand || choosingSuit || cardDiscarded || gameResult != MINIGAME_RESULT_RUNNING ||
       subgameOver)
   {
      return;
   }
   if (card->pile == draw)
   {
      if (card != draw->CardTopGet() || !DrawAllowedCheck())
      {
         return;
      }
      const Player* active = PlayerActiveGet();
      CardAdd(hand, card);
      cardDrawCount++;
      CardFaceUpSet(card, active->local && active->human, true);
      if (cardDrawCount >= DRAW_MANY)
      {
         Say(active, "CRAZY_EIGHTS_I_DRAW_MANY");
      }
      return;
   }
   if (card->pile != hand)
   {
      return;
   }
   if (cardDrawCount < penaltyDrawCount)
   {
      if (respondToTwo && cardDrawCount == 0)
      {
         if (card->rank == RANK_TWO)
         {
            NonSolitaireFrontendBasedCardGame::CardChoose(card);
         }
         else
         {
            MessageShow("PlayATwoOrDraw");
         }
      }
      else
      {
         MessageShow("YouMustDrawAPenaltyCard");
      }
      return;
   }
   NonSolitaireFrontendBasedCardGame::CardChoose(card);
}

bool CrazyEights::CardChooseOnClickCheck(Card* card)
{
   const CardPile* draw = DrawPileGet();
   const Player* active = PlayerActiveGet();
   // Only the human on turn draws by a click; computers post their own choices.
   return card && draw && card == draw->CardTopGet() && active && active->local && active->human &&
          DrawAllowedCheck();
}

bool CrazyEights::CardPickUpCheck(Card* card)
{
   const CardPile* hand = ActiveHandGet();
   return card && hand && card->pile == hand && !cardDiscarded && !choosingSuit;
}

bool CrazyEights::CardDropCheck(CardPile* pile, Card* card)
{
   const CardPile* discard = DiscardPileGet();
   const Card* top = discard ? discard->CardTopGet() : nullptr;
   if (!pile || pile != discard || !top || !CardPickUpCheck(card) || respondToQueenOfHearts)
   {
      return false;
   }
   if (cardDrawCount >= penaltyDrawCount)
   {
      return card->rank == top->rank || card->suit == top->suit || card->rank == RANK_EIGHT;
   }
   return card->rank == RANK_TWO && respondToTwo && cardDrawCount == 0;
}

void CrazyEights::CardDropRefusedNotify(CardPile* pile, CardPile* oldPile, Card* card)
{
   (void)oldPile;
   (void)card;
   if (!pile || pile != DiscardPileGet())
   {
      return;
   }
   if (respondToTwo && cardDrawCount == 0 && cardDrawCount < penaltyDrawCount)
   {
      MessageShow("PlayATwoOrDraw");
   }
   else if (cardDrawCount < penaltyDrawCount)
   {
      MessageShow("YouMustDrawAPenaltyCard");
   }
}

void CrazyEights::CardDoubleClick(Card* card)
{
   if (HumanMayActCheck())
   {
      NonSolitaireFrontendBasedCardGame::CardDoubleClick(card);
   }
}

void CrazyEights::CardRightClick(Card* card)
{
   // A right click plays as a double click does, and only the human's own cards.
   CardDoubleClick(card);
}

void CrazyEights::CardAddDoneNotify(CardPile* pile, CardPile* oldPile, Card* card)
{
   (void)oldPile;
   if (!pile || !card || pile != DiscardPileGet())
   {
      return;
   }
   const Player* active = PlayerActiveGet();
   const CardPile* hand = ActiveHandGet();
   CardFaceUpSet(card, true, true);
   cardDiscarded = true;
   RefreshMark();
   if (card->rank == RANK_EIGHT && hand && hand->cards.count > 0)
   {
      choosingSuit = true;
      return;
   }
   if (!VeryCrazyCheck())
   {
      return;
   }
   if (card->rank == RANK_TWO)
   {
      nextPlayerRespondToTwo = true;
      nextPlayerPenaltyDrawCount =
          respondToTwo && cardDrawCount == 0 ? penaltyDrawCount + TWO_PENALTY : TWO_PENALTY;
   }
   else if (card->rank == RANK_JACK)
   {
      skipNextPlayer = true;
      Say(active, "CRAZY_EIGHTS_JACK_PLAYED_ON_YOU");
   }
   else if (QueenOfHeartsCheck(card))
   {
      nextPlayerRespondToQueenOfHearts = true;
      nextPlayerPenaltyDrawCount = QUEEN_OF_HEARTS_PENALTY;
      Say(active, "CRAZY_EIGHTS_QUEEN_PLAYED_ON_YOU");
   }
   else if (card->rank == RANK_KING)
   {
      playProceedsRight = !playProceedsRight;
   }
}

bool CrazyEights::CommandExecute(const Command& command)
{
   switch (command.type)
   {
   case COMMAND_CRAZY_EIGHTS_SUIT:
   {
      const CardPile* discard = DiscardPileGet();
      Card* top = discard ? discard->CardTopGet() : nullptr;
      if (!choosingSuit || !top || command.intParam0 < SUIT_HEARTS || command.intParam0 > SUIT_CLUBS)
      {
         return true;
      }
      top->suit = command.intParam0;
      top->SpriteUpdate();
      static const char* const lines[] = {"CRAZY_EIGHTS_I_CHOOSE_RED", "CRAZY_EIGHTS_I_CHOOSE_YELLOW",
                                          "CRAZY_EIGHTS_I_CHOOSE_GREEN", "CRAZY_EIGHTS_I_CHOOSE_BLUE"};
      Say(PlayerActiveGet(), lines[command.intParam0], 1.0f);
      choosingSuit = false;
      RefreshMark();
      return true;
   }
   case COMMAND_CRAZY_EIGHTS_SUIT_CANCEL:
   {
      CardPile* discard = DiscardPileGet();
      CardPile* hand = ActiveHandGet();
      const Player* active = PlayerActiveGet();
      if (!choosingSuit || !discard || !hand || !discard->CardTopGet())
      {
         return true;
      }
      CardMoveQueue(hand, discard->CardTopGet(), static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0),
                    active->local && active->human);
      choosingSuit = false;
      TurnBegin();
      return true;
   }
   case COMMAND_PASS:
      if (!choosingSuit && !cardDiscarded)
      {
         ActionPlayerAdvancePost();
      }
      return true;
   case COMMAND_CARD_DROP:
   {
      // A drop is checked again when it runs: the table may have changed since the drag.
      Card* card = CardGet(command.intParam1);
      CardPile* pile = CardPileByIDGet(command.intParam0);
      if (!card || !pile || !CardDropCheck(pile, card))
      {
         return true;
      }
      return NonSolitaireFrontendBasedCardGame::CommandExecute(command);
   }
   default:
      return NonSolitaireFrontendBasedCardGame::CommandExecute(command);
   }
}

// ---- The end of a turn and of a hand ----

void CrazyEights::Refresh()
{
   CardPile* hand = ActiveHandGet();
   CardPile* draw = DrawPileGet();
   CardPile* discard = DiscardPileGet();
   if (!hand || !draw || !discard || choosingSuit)
   {
      return;
   }
   if (cardDiscarded)
   {
      if (hand->cards.count > 0)
      {
         ActionPlayerAdvancePost();
      }
      else
      {
         HandEnd();
      }
      return;
   }
   if (respondToQueenOfHearts && cardDrawCount >= penaltyDrawCount)
   {
      ActionPlayerAdvancePost();
      return;
   }
   if (SettingBoolGet("ReshuffleDiscards") && draw->cards.count == 0 && discard->cards.count > 1)
   {
      while (discard->cards.count > 1)
      {
         Card* card = discard->cards[0];
         CardPrintedSuitRestore(card);
         CardFaceUpSet(card, false, false);
         CardAdd(draw, card);
      }
      CardPileShuffleQueue(draw);
      return;
   }
   Card* choice = PlayChoose();
   const Player* active = PlayerActiveGet();
   if (choice)
   {
      const char* drawing = SettingStringGet("CardDrawing");
      if (choice == draw->CardTopGet() && active->local && active->human && drawing &&
          std::strcmp(drawing, "Automatic") == 0)
      {
         CardChooseCommandQueue(choice, static_cast<u32>(delayAIAction));
      }
      return;
   }
   // Blocked only when nobody could play for a whole round and no card is left to draw.
   if (consecutivePassCount >= PlayersInSubgameCount() && draw->cards.count == 0)
   {
      HandEnd();
      return;
   }
   lastTurnWasPassed = true;
   CommandPassPost(static_cast<u32>(delayAIAction));
}

void CrazyEights::HandEnd()
{
   Player* winner = nullptr;
   i32 left = 0;
   for (i32 i = 0; i < players.count; ++i)
   {
      CardPile* hand = PlayerHandGet(players[i]);
      if (!hand)
      {
         continue;
      }
      CardPileFaceUpQueue(hand, static_cast<u32>(delayCardFlip > 0 ? delayCardFlip : 0));
      if (!winner && hand->cards.count == 0)
      {
         winner = players[i];
      }
      for (i32 c = 0; c < hand->cards.count; ++c)
      {
         left += CardValueGet(hand->cards[c]);
      }
   }
   const i32 target = TargetScoreGet();
   if (target > 0 && winner)
   {
      winner->MinigameScoreAdd(left);
   }
   for (i32 i = 0; i < players.count; ++i)
   {
      players[i]->iconWinnerVisible = players[i] == winner;
   }
   if (target <= 0 || (winner && winner->minigameScore >= target))
   {
      for (i32 i = 0; i < players.count; ++i)
      {
         players[i]->minigameWinner = players[i] == winner;
      }
      if (!winner)
      {
         ActionGameDrawPost();
      }
      else if (winner->local && winner->human)
      {
         ActionGameWinPost();
      }
      else
      {
         ActionGameLosePost();
      }
   }
   else
   {
      ActionSubgameOverPost();
   }
   WinnerIconsRefresh();
   TextsRefresh();
}

void CrazyEights::ResultsShow()
{
   CrazyEightsResultsPopup& popup = CrazyEightsResultsPopup::instance;
   if (PopupManager::IndexGet(&popup) >= 0)
   {
      return;
   }
   popup.game = this;
   PopupManager::Open(&popup);
}

void CrazyEights::ResultsHide()
{
   if (PopupManager::IndexGet(&CrazyEightsResultsPopup::instance) >= 0)
   {
      PopupManager::Close(&CrazyEightsResultsPopup::instance);
   }
}

bool CrazyEights::HumanSuitChoiceCheck()
{
   const Player* active = PlayerActiveGet();
   return choosingSuit && active && active->local && active->human && gameResult == MINIGAME_RESULT_RUNNING &&
          !subgameOver;
}

void CrazyEights::ControlsRefresh()
{
   NonSolitaireFrontendBasedCardGame::ControlsRefresh();
   CrazyEightsSuitPopup::instance.game = this;
   PhasePopupUpdate(&CrazyEightsSuitPopup::instance, HumanSuitChoiceCheck());
}

// ---- The computer player ----

Card* CrazyEights::PlayChoose()
{
   CardPile* hand = ActiveHandGet();
   CardPile* draw = DrawPileGet();
   const CardPile* discard = DiscardPileGet();
   const Card* top = discard ? discard->CardTopGet() : nullptr;
   if (!hand || !draw || !top || choosingSuit || cardDiscarded)
   {
      return nullptr;
   }
   Card* drawTop = draw->CardTopGet();
   if (cardDrawCount < penaltyDrawCount)
   {
      if (respondToTwo && cardDrawCount == 0)
      {
         for (i32 i = 0; i < hand->cards.count; ++i)
         {
            if (hand->cards[i]->rank == RANK_TWO)
            {
               return hand->cards[i];
            }
         }
      }
      return drawTop;
   }
   // The Queen of Hearts allows no play once her cards are drawn; the turn passes on.
   if (respondToQueenOfHearts)
   {
      return nullptr;
   }
   for (i32 i = 0; i < hand->cards.count; ++i)
   {
      const Card* card = hand->cards[i];
      if (card->rank != RANK_EIGHT && (card->rank == top->rank || card->suit == top->suit))
      {
         return hand->cards[i];
      }
   }
   for (i32 i = 0; i < hand->cards.count; ++i)
   {
      if (hand->cards[i]->rank == RANK_EIGHT)
      {
         return hand->cards[i];
      }
   }
   if (SettingBoolGet("DrawOneOnly") && cardDrawCount > 0 && !respondToTwo)
   {
      return nullptr;
   }
   return drawTop;
}

i32 CrazyEights::SuitCountGet(const CardPile* hand, i32 suit)
{
   i32 count = 0;
   for (i32 i = 0; hand && i < hand->cards.count; ++i)
   {
      count += hand->cards[i]->suit == suit && hand->cards[i]->rank != RANK_EIGHT ? 1 : 0;
   }
   return count;
}

i32 CrazyEights::SuitChoiceGet()
{
   const CardPile* hand = ActiveHandGet();
   i32 counts[4] = {0, 0, 0, 0};
   for (i32 i = 0; hand && i < hand->cards.count; ++i)
   {
      const i32 suit = hand->cards[i]->suit;
      if (suit >= SUIT_HEARTS && suit <= SUIT_CLUBS)
      {
         counts[suit]++;
      }
   }
   i32 best = SUIT_HEARTS;
   for (i32 suit = SUIT_SPADES; suit <= SUIT_CLUBS; ++suit)
   {
      best = counts[suit] > counts[best] ? suit : best;
   }
   return best;
}

void CrazyEights::AITurnTake()
{
   if (choosingSuit)
   {
      Command12Post(SuitChoiceGet(), static_cast<u32>(delayAIAction));
      return;
   }
   Card* card = PlayChoose();
   if (card)
   {
      CardChooseCommandQueue(card, static_cast<u32>(delayAIAction));
   }
}
} // namespace Corvale
