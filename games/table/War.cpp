// War's rules: the play of the top card, the battle and the war decided when the table is idle,
// the war limit, and the computer, which plays as a click on its own pile would.
#include "games/table/War.h"

#include <cstdio>
#include <cstring>
#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/PlayerPanel.h"
#include "cardgame/PlayerPanelWidget.h"
#include "cardgame/RecordSupport.h"
#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/ReflectionManager.h"
#include "core/TextManager.h"
#include "games/table/WarResultsPopup.h"
#include "gui/popup/PopupManager.h"
#include "gui/widgets/LabelWidget.h"

namespace Corvale
{
War War::instance;

// ---- The player ----

void WarPlayer::Clear()
{
   Player::Clear();
   warsWon = 0;
}

void WarPlayer::ReflectionRegister()
{
   auto* record = ReflectionRecordCreate<ReflectionTypeObjectTyped<WarPlayer>>("Corvale::WarPlayer");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(Player).name());
   record->initMethod = &WarPlayer::Clear;
   record->FieldAdd(&WarPlayer::warsWon, "warsWon");
   ReflectionManager::TypeRegister(record);
}

// ---- Identity, set-up and texts ----

void War::ReflectionRegister()
{
   auto* record = ReflectionRecordCreate<ReflectionTypeObjectTyped<War>>("Corvale::War");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(NonSolitaireFrontendBasedCardGame).name());
   record->FieldAdd(&War::inWar, "inWar");
   ReflectionManager::TypeRegister(record);
}

Player* War::PlayerCreate()
{
   return MemoryNew<WarPlayer>(HEAP_DEFAULT);
}

void War::Init()
{
   nextCardPileID = 0;
   CardGame::Init();
   const JSONValue* value = constants ? constants->ItemGet("DelayShowCards") : nullptr;
   if (value && (value->TypeGet() == JSONValue::TYPE_NUMBER || value->TypeGet() == JSONValue::TYPE_BOOL))
   {
      delayShowCards = ConstIntGet(constants, "DelayShowCards");
   }
   GameNew();
}

CardPile* War::DrawPileGet(i32 seat)
{
   return CardPileGet(CARD_PILE_TYPE_DRAW, seat, -1);
}

CardPile* War::TrickPileGet(i32 seat)
{
   return CardPileGet(CARD_PILE_TYPE_TRICK, seat, -1);
}

i32 War::WarsWonGet(i32 seat)
{
   const WarPlayer* player = dynamic_cast<WarPlayer*>(PlayerByIndexGet(seat));
   return player ? player->warsWon : 0;
}

i32 War::WarCardsGet()
{
   return SettingBoolGet("WarPeace") ? 5 : 3;
}

i32 War::WarLimitGet()
{
   const char* condition = SettingStringGet("GameEndCondition");
   if (!condition)
   {
      return 0;
   }
   static const struct
   {
      const char* value;
      i32 limit;
   } limits[] = {{"3Wars", 3}, {"6Wars", 6}, {"9Wars", 9}};
   for (const auto& entry : limits)
   {
      if (std::strcmp(condition, entry.value) == 0)
      {
         return entry.limit;
      }
   }
   return 0;
}

i32 War::BattleWinnerGet(i32 rank0, i32 rank1)
{
   const i32 high0 = rank0 == RANK_ACE ? RANK_ACE_HIGH : rank0;
   const i32 high1 = rank1 == RANK_ACE ? RANK_ACE_HIGH : rank1;
   if (high0 == high1)
   {
      return -1;
   }
   // In peace the lower card wins, but the ace stays the highest card, so it always loses.
   const bool zeroHigher = high0 > high1;
   return zeroHigher != SettingBoolGet("WarPeace") ? 0 : 1;
}

i32 War::WinnerSeatGet()
{
   const CardPile* draw0 = DrawPileGet(0);
   const CardPile* draw1 = DrawPileGet(1);
   const i32 limit = WarLimitGet();
   if ((draw0 && draw0->cards.count == 0) || (limit > 0 && WarsWonGet(1) >= limit))
   {
      return 1;
   }
   if ((draw1 && draw1->cards.count == 0) || (limit > 0 && WarsWonGet(0) >= limit))
   {
      return 0;
   }
   return -1;
}

void War::TextsRefresh()
{
   CardGame::TextsRefresh();
   const char* label = textManager.TextGet("WarsLabelShort");
   for (i32 i = 0; i < playerPanels.count; ++i)
   {
      PlayerPanelWidget* widget = playerPanels[i]->widget;
      const Player* player = PlayerGet(playerPanels[i]->playerID);
      const i32 seat = PlayerIndexGet(player);
      if (!widget || !player || seat < 0)
      {
         continue;
      }
      const CardPile* draw = DrawPileGet(seat);
      char line[128];
      for (i32 l = 0; l < widget->textLines.count && l < 3; ++l)
      {
         LabelWidget* text = widget->textLines[l];
         if (!text)
         {
            continue;
         }
         if (l == 0)
         {
            const char* shown = player->DisplayNameGet();
            text->TextSet(shown ? shown : "");
            continue;
         }
         if (l == 1)
         {
            std::snprintf(line, sizeof(line), "%d", draw ? draw->cards.count : 0);
         }
         else
         {
            std::snprintf(line, sizeof(line), "%s: %d", label ? label : "", WarsWonGet(seat));
         }
         text->TextSet(line);
      }
   }
}

// ---- A game ----

void War::GameNew()
{
   nextCardID = 0;
   NonSolitaireFrontendBasedCardGame::GameNew();
   CardPile* draw0 = DrawPileGet(0);
   CardPile* draw1 = DrawPileGet(1);
   if (draw0 && draw1)
   {
      draw0->DecksAdd(1);
      CardPileShuffle(draw0);
      for (i32 i = 0; i < 26 && draw0->cards.count > 0; ++i)
      {
         Card* card = draw0->cards[0];
         CardFaceUpSet(card, false, false);
         CardAddToBottom(draw1, card);
      }
   }
   else
   {
      WarningPrintf("War::GameNew -- the constants lack a draw pile of each player\n");
   }
   inWar = false;
   for (i32 i = 0; i < players.count; ++i)
   {
      WarPlayer* player = dynamic_cast<WarPlayer*>(players[i]);
      if (player)
      {
         player->warsWon = 0;
      }
   }
   ActionTurnBeginPost();
   TextsRefresh();
}

void War::TurnBegin()
{
   NonSolitaireFrontendBasedCardGame::TurnBegin();
   TextsRefresh();
}

// ---- Playing ----

Card* War::PlayableCardGet()
{
   const i32 seat = PlayerIndexGet(PlayerActiveGet());
   CardPile* draw = DrawPileGet(seat);
   const CardPile* trick = TrickPileGet(seat);
   if (!draw || !trick || gameResult != MINIGAME_RESULT_RUNNING)
   {
      return nullptr;
   }
   const Card* top = trick->CardTopGet();
   // A face-up card on top: this player has already played this round.
   if (top && top->faceUp)
   {
      return nullptr;
   }
   return draw->CardTopGet();
}

bool War::CardChooseOnClickCheck(Card* card)
{
   (void)card;
   return true;
}

void War::CardChoose(Card* card)
{
   if (!card || card != PlayableCardGet())
   {
      return;
   }
   CardMoveQueue(TrickPileGet(PlayerIndexGet(PlayerActiveGet())), card, static_cast<u32>(delayCardDeal),
                 true);
}

void War::AITurnTake()
{
   Card* card = PlayableCardGet();
   if (card)
   {
      CardChooseCommandQueue(card, static_cast<u32>(delayAIAction));
   }
}

void War::Refresh()
{
   TextsRefresh();
   CardPile* trick0 = TrickPileGet(0);
   CardPile* trick1 = TrickPileGet(1);
   CardPile* draw0 = DrawPileGet(0);
   CardPile* draw1 = DrawPileGet(1);
   const i32 seat = PlayerIndexGet(PlayerActiveGet());
   CardPile* own = TrickPileGet(seat);
   if (!trick0 || !trick1 || !draw0 || !draw1 || !own || own->cards.count == 0)
   {
      EndCheck();
      return;
   }
   const Card* c0 = trick0->CardTopGet();
   const Card* c1 = trick1->CardTopGet();
   if (!inWar)
   {
      if (!c0 || !c1)
      {
         ActionPlayerAdvancePost();
         EndCheck();
         return;
      }
   }
   else
   {
      if (own->CardTopGet()->faceUp)
      {
         ActionPlayerAdvancePost();
      }
      // An empty pile waits for its card as a face-down one does.
      if (!c0 || !c1 || !c0->faceUp || !c1->faceUp)
      {
         return;
      }
   }

   ActionDelayPost(static_cast<u32>(delayShowCards), true);
   const i32 winner = BattleWinnerGet(c0->rank, c1->rank);
   if (winner >= 0)
   {
      CardPile* pile = DrawPileGet(winner);
      for (CardPile* trick : {trick0, trick1})
      {
         for (i32 i = 0; i < trick->cards.count; ++i)
         {
            // The war's hidden cards show while the table waits.
            CardFaceUpSet(trick->cards[i], true, true);
            CardMoveToBottomQueue(pile, trick->cards[i], static_cast<u32>(delayCardDeal));
         }
      }
      WarPlayer* player = dynamic_cast<WarPlayer*>(PlayerByIndexGet(winner));
      if (inWar && player)
      {
         player->warsWon++;
      }
      inWar = false;
      TextsRefresh();
      ActionPlayerAdvancePost();
      EndCheck();
      return;
   }

   const i32 d0 = draw0->cards.count;
   const i32 d1 = draw1->cards.count;
   const u32 delay = static_cast<u32>(delayCardDeal);
   if (d0 == 0 || d1 == 0)
   {
      // No card to fight the war with: the cards go home and the war is off.
      for (i32 s = 0; s < 2; ++s)
      {
         CardPile* trick = TrickPileGet(s);
         for (i32 i = trick->cards.count - 1; i >= 0; --i)
         {
            CardMoveToBottomQueue(DrawPileGet(s), trick->cards[i], delay);
         }
      }
      inWar = false;
      return;
   }
   if (d0 == 1 || d1 == 1)
   {
      CardMoveQueue(trick0, draw0->cards[0], delay, true);
      CardMoveQueue(trick1, draw1->cards[0], delay, true);
   }
   i32 n = WarCardsGet();
   n = n < d0 - 1 ? n : d0 - 1;
   n = n < d1 - 1 ? n : d1 - 1;
   for (i32 i = 0; i < n; ++i)
   {
      CardMoveQueue(trick0, draw0->cards[i], delay, false);
      CardMoveQueue(trick1, draw1->cards[i], delay, false);
   }
   inWar = true;
   for (i32 i = 0; i < players.count; ++i)
   {
      CharacterDialogRandomSay(players[i], "WAR_TIME_FOR_WAR", static_cast<u32>(delayDialog), 1.0f);
   }
   ActionPlayerAdvancePost();
}

void War::EndCheck()
{
   const CardPile* trick0 = TrickPileGet(0);
   const CardPile* trick1 = TrickPileGet(1);
   if ((trick0 && trick0->cards.count > 0) || (trick1 && trick1->cards.count > 0))
   {
      return;
   }
   const i32 winner = WinnerSeatGet();
   if (winner < 0)
   {
      return;
   }
   for (i32 i = 0; i < players.count; ++i)
   {
      players[i]->minigameWinner = i == winner;
   }
   WinnerIconsRefresh();
   if (winner == 0)
   {
      ActionGameWinPost();
   }
   else
   {
      ActionGameLosePost();
   }
}

void War::ResultsShow()
{
   WarResultsPopup& popup = WarResultsPopup::instance;
   if (PopupManager::IndexGet(&popup) >= 0)
   {
      return;
   }
   popup.game = this;
   PopupManager::Open(&popup);
   // Set after the open: a closed box forgets its answers.
   popup.onOK = &WarResultsPopup::OnOK;
   popup.onOKUserData = this;
}

void War::ResultsHide()
{
   if (PopupManager::IndexGet(&WarResultsPopup::instance) >= 0)
   {
      PopupManager::Close(&WarResultsPopup::instance);
   }
}
} // namespace Corvale
