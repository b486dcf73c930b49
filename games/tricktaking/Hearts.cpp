// Hearts' rules: passing, the legal play, the end of each trick and hand, scoring, and the
// computer player, which only posts the commands a human's clicks post.
#include "games/tricktaking/Hearts.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/CardQueries.h"
#include "cardgame/Command.h"
#include "cardgame/PlayerPanel.h"
#include "cardgame/PlayerPanelWidget.h"
#include "cardgame/RecordSupport.h"
#include "core/Memory.h"
#include "core/ReflectionManager.h"
#include "core/TextManager.h"
#include "games/tricktaking/HeartsResultsPopup.h"
#include "games/tricktaking/HeartsTrickReviewHandPopup.h"
#include "gui/popup/MessageBoxPopup.h"
#include "gui/popup/PopupManager.h"
#include "gui/widgets/LabelWidget.h"
#include "gui/widgets/PressButtonWidget.h"
#include "platform/sound/Sound.h"
#include "platform/sound/SoundManagerOpenAL.h"
#include "platform/sound/SoundSourceOpenAL.h"

namespace Corvale
{
Hearts Hearts::instance;

namespace
{
i32 RankHigh(const Card* card)
{
   return card->rank == RANK_ACE ? RANK_ACE_HIGH : card->rank;
}

bool QueenOfSpadesCheck(const Card* card)
{
   return card && card->rank == RANK_QUEEN && card->suit == SUIT_SPADES;
}

bool JackOfDiamondsCheck(const Card* card)
{
   return card && card->rank == RANK_JACK && card->suit == SUIT_DIAMONDS;
}

// The cards of the table that pass the filter, in their order.
template <class F> Table<Card*> CardsFiltered(const Table<Card*>& cards, F keep)
{
   Table<Card*> kept(allocatorTemp);
   for (i32 i = 0; i < cards.count; ++i)
   {
      if (keep(cards[i]))
      {
         kept.Insert(cards[i], kept.count);
      }
   }
   return kept;
}
} // namespace

// ---- The player ----

void HeartsPlayer::Clear()
{
   TrickTakingGamePlayer::Clear();
   cardsPassedIDs = Table<i32>(allocatorDefault);
}

void HeartsPlayer::Deinit()
{
   cardsPassedIDs = Table<i32>();
   TrickTakingGamePlayer::Deinit();
}

void HeartsPlayer::ReflectionRegister()
{
   auto* record = ReflectionRecordCreate<ReflectionTypeObjectTyped<HeartsPlayer>>("Corvale::HeartsPlayer");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(TrickTakingGamePlayer).name());
   record->initMethod = &HeartsPlayer::Clear;
   record->deinitMethod = &HeartsPlayer::Deinit;
   record->FieldAdd(&HeartsPlayer::cardsPassedIDs, "cardsPassedIDs");
   ReflectionManager::TypeRegister(record);
}

// ---- Identity, set-up and texts ----

void Hearts::ReflectionRegister()
{
   auto* record = ReflectionRecordCreate<ReflectionTypeObjectTyped<Hearts>>("Corvale::Hearts");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(TrickTakingGame).name());
   record->FieldAdd(&Hearts::passDirection, "passDirection");
   record->FieldAdd(&Hearts::passingComplete, "passingComplete");
   ReflectionManager::TypeRegister(record);
}

Player* Hearts::PlayerCreate()
{
   return MemoryNew<HeartsPlayer>(HEAP_DEFAULT);
}

i32 Hearts::CardPointsGet(const Card* card)
{
   if (!card)
   {
      return 0;
   }
   if (card->suit == SUIT_HEARTS)
   {
      return 1;
   }
   if (QueenOfSpadesCheck(card))
   {
      return 13;
   }
   if (JackOfDiamondsCheck(card) && SettingBoolGet("JackOfDiamondsWorthNegative10Points"))
   {
      return -10;
   }
   return 0;
}

TrickReviewHandPopup* Hearts::TrickReviewHandPopupCreate()
{
   return MemoryNew<HeartsTrickReviewHandPopup>(HEAP_DEFAULT);
}

void Hearts::Init()
{
   TrickTakingGame::Init();
   GameNew();
   glassBreakSound = soundManager.initialised ? soundManager.Load("Sounds/GlassBreak") : nullptr;
}

void Hearts::GUIInit(LayerWidget* pushedLayer)
{
   // The base makes the pass button and the previous-trick review button.
   TrickTakingGame::GUIInit(pushedLayer);
   PassButtonUpdate();
}

void Hearts::Deinit()
{
   if (glassBreakSound)
   {
      soundManager.Unload(glassBreakSound);
      glassBreakSound = nullptr;
   }
   TrickTakingGame::Deinit();
}

void Hearts::TextsRefresh()
{
   TrickTakingGame::TextsRefresh();
   for (i32 i = 0; i < playerPanels.count; ++i)
   {
      PlayerPanelWidget* widget = playerPanels[i]->widget;
      const Player* player = PlayerGet(playerPanels[i]->playerID);
      if (widget && player && widget->textLines.count > 1 && widget->textLines[1])
      {
         char score[16];
         std::snprintf(score, sizeof(score), "%d", player->minigameScore);
         widget->textLines[1]->TextSet(score);
      }
   }
   static const char* const passKeys[] = {"PassLeft", "PassRight", "PassAcross"};
   LabelWidget* button = dynamic_cast<LabelWidget*>(passCardsButton);
   if (button && passDirection >= HEARTS_PASS_LEFT && passDirection <= HEARTS_PASS_ACROSS)
   {
      button->TextKeySet(passKeys[passDirection]);
   }
}

void Hearts::HandsSort()
{
   // Only a local human's hand is sorted; the others are face down anyway.
   for (i32 i = 0; i < players.count; ++i)
   {
      CardPile* hand = players[i]->local && players[i]->human ? PlayerHandGet(players[i]) : nullptr;
      if (hand)
      {
         hand->SortOnce(HandSortTypeGet());
      }
   }
}

// ---- A game and its hands ----

void Hearts::GameNew()
{
   const char* passing = SettingStringGet("Passing");
   passDirection = passing && std::strcmp(passing, "AlwaysLeft") == 0 ? HEARTS_PASS_LEFT : HEARTS_PASS_NONE;
   nextCardID = 0;
   TrickTakingGame::GameNew();
   CardPile* draw = CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
   if (draw)
   {
      draw->DecksAdd(1);
   }
   DealerSet(PlayerActiveGet());
   PassButtonUpdate();
   SubgameNew();
   TextsRefresh();
}

void Hearts::SubgameNew()
{
   HandBegin();
   TrumpIndicationSet(TRUMP_INDICATION_HEARTS);
   TrumpIndicatorUpdate();
   for (i32 i = 0; i < players.count; ++i)
   {
      HeartsPlayer* player = dynamic_cast<HeartsPlayer*>(players[i]);
      if (player)
      {
         player->cardsPassedIDs.SizeSet(0);
      }
   }

   Player* dealer = DealerGet();
   DealerSet(dealer ? PlayerNextGet(dealer) : nullptr);
   dealer = DealerGet();
   Player* first = dealer ? PlayerNextGet(dealer) : nullptr;
   if (first)
   {
      playerActiveID = first->id;
   }
   PlayerPanelFramesRefresh();

   const char* passing = SettingStringGet("Passing");
   if (passing && std::strcmp(passing, "AlwaysLeft") == 0)
   {
      passDirection = HEARTS_PASS_LEFT;
   }
   else if (passing && std::strcmp(passing, "Never") == 0)
   {
      passDirection = HEARTS_PASS_NONE;
   }
   else
   {
      passDirection = (passDirection + 1) % 4;
   }
   passingComplete = passDirection == HEARTS_PASS_NONE;

   CardPile* draw = CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
   if (!draw)
   {
      WinnerIconsRefresh();
      return;
   }
   CardsGatherShuffled(draw);
   ActionAnimationsWaitPost();
   HandsSort();
   CardsDealToPlayers(draw, draw->cards.count, playerActiveID);
   HumanHandsFaceUpQueue();
   ActionTurnBeginPost();
   HandsSortQueue();
   WinnerIconsRefresh();
}

void Hearts::FirstTrickLeaderSet()
{
   const char* leader = SettingStringGet("FirstTrickLeader");
   if (leader && std::strcmp(leader, "LeftOfDealer") == 0)
   {
      const Player* next = PlayerNextGet(DealerGet());
      if (next)
      {
         playerActiveID = next->id;
      }
   }
   else
   {
      for (i32 i = 0; i < cards.count; ++i)
      {
         const Card* card = cards[i];
         if (card->rank == RANK_TWO && card->suit == SUIT_CLUBS && card->pile)
         {
            playerActiveID = card->pile->ownerID;
            break;
         }
      }
   }
   PlayerPanelFramesRefresh();
}

void Hearts::TurnBegin()
{
   if (!subgameFirstTurnBegan && passDirection == HEARTS_PASS_NONE)
   {
      FirstTrickLeaderSet();
   }
   TrickTakingGame::TurnBegin();
   TrickPilesArrange();
   if (!passingComplete && PassingSelectionsCompleteCheck())
   {
      PassExchange();
      passingComplete = true;
      // The cards received join the human's hand in its order.
      HandsSortQueue();
      FirstTrickLeaderSet();
   }
   PassButtonUpdate();
   if (passingComplete && (trickIndexCurrent < 0 || TrickCompleteCheck()))
   {
      TrickBegin();
   }
}

// ---- Passing ----

bool Hearts::PassingSelectionsCompleteCheck()
{
   for (i32 i = 0; i < players.count; ++i)
   {
      const CardPile* hand = PlayerHandGet(players[i]);
      if (!hand || hand->CardsSelectedCount() == 0)
      {
         return false;
      }
   }
   return players.count > 0;
}

Player* Hearts::PassTargetGet(Player* player)
{
   switch (passDirection)
   {
   case HEARTS_PASS_LEFT:
      return PlayerNextGet(player);
   case HEARTS_PASS_RIGHT:
      return PlayerPreviousGet(player);
   case HEARTS_PASS_ACROSS:
      return players.count == 4 ? PlayerNextGet(PlayerNextGet(player)) : player;
   default:
      return player;
   }
}

void Hearts::PassExchange()
{
   for (i32 i = 0; i < players.count; ++i)
   {
      CardPile* hand = PlayerHandGet(players[i]);
      const Player* target = PassTargetGet(players[i]);
      CardPile* targetHand = target ? PlayerHandGet(target) : nullptr;
      if (!hand || !targetHand)
      {
         continue;
      }
      for (i32 c = hand->cards.count - 1; c >= 0; --c)
      {
         Card* card = hand->cards[c];
         if (!card->selected)
         {
            continue;
         }
         CardSelectedSet(card, false);
         CardFaceUpSet(card, target->local && target->human, true);
         CardAdd(targetHand, card);
      }
   }
}

void Hearts::PassButtonUpdate()
{
   if (!passCardsButton)
   {
      return;
   }
   const Player* active = PlayerActiveGet();
   const bool shown = gameResult == MINIGAME_RESULT_RUNNING && !subgameOver && !passingComplete && active &&
                      active->local && active->human;
   const CardPile* hand = PlayerHandGet(active);
   passCardsButton->VisibleSet(shown);
   passCardsButton->EnabledSet(shown && hand && hand->CardsSelectedCount() == 3);
}

void Hearts::ControlsRefresh()
{
   TrickTakingGame::ControlsRefresh();
   // Also after a load in the passing turn, which no turn start follows.
   PassButtonUpdate();
}

bool Hearts::CommandExecute(const Command& command)
{
   if (command.type != COMMAND_PASS_CARDS)
   {
      return TrickTakingGame::CommandExecute(command);
   }
   HeartsPlayer* active = dynamic_cast<HeartsPlayer*>(PlayerActiveGet());
   const CardPile* hand = PlayerHandGet(active);
   // Only a full choice passes: fewer cards would leave the exchange short.
   if (passingComplete || !active || !hand || hand->CardsSelectedCount() != 3)
   {
      return true;
   }
   active->cardsPassedIDs.SizeSet(0);
   for (i32 i = 0; i < hand->cards.count; ++i)
   {
      if (hand->cards[i]->selected)
      {
         active->cardsPassedIDs.Insert(hand->cards[i]->id, active->cardsPassedIDs.count);
      }
   }
   ActionPlayerAdvancePost();
   return true;
}

// ---- Playing ----

bool Hearts::HeartsBrokenCheck()
{
   return SuitPlayedCheck(SUIT_HEARTS) ||
          (SettingBoolGet("QueenOfSpadesBreaksHearts") && CardPlayedCheck(RANK_QUEEN, SUIT_SPADES));
}

bool Hearts::CardLegalStrictCheck(const Card* card)
{
   const CardPile* hand = PlayerHandGet(PlayerActiveGet());
   if (!card || !hand || card->pile != hand)
   {
      return false;
   }
   if (trickIndexCurrent == 0 && !SettingBoolGet("CanPlayPointsInFirstTrick") &&
       (card->suit == SUIT_HEARTS || QueenOfSpadesCheck(card)))
   {
      return false;
   }
   const Card* lead = TrickLeadCardGet();
   if (lead)
   {
      return card->suit == lead->suit || CardsSuitCount(hand->cards, lead->suit) == 0;
   }
   const char* leader = SettingStringGet("FirstTrickLeader");
   if (trickIndexCurrent == 0 && !(leader && std::strcmp(leader, "LeftOfDealer") == 0))
   {
      return card->rank == RANK_TWO && card->suit == SUIT_CLUBS;
   }
   return card->suit != SUIT_HEARTS || HeartsBrokenCheck() ||
          CardsSuitCount(hand->cards, SUIT_HEARTS) == hand->cards.count;
}

bool Hearts::CardLegalCheck(const Card* card)
{
   if (CardLegalStrictCheck(card))
   {
      return true;
   }
   const CardPile* hand = PlayerHandGet(PlayerActiveGet());
   if (!card || !hand || card->pile != hand)
   {
      return false;
   }
   for (i32 i = 0; i < hand->cards.count; ++i)
   {
      if (CardLegalStrictCheck(hand->cards[i]))
      {
         return false;
      }
   }
   return true;
}

bool Hearts::CardChooseOnClickCheck(Card* card)
{
   (void)card;
   return !passingComplete;
}

bool Hearts::CardPickUpCheck(Card* card)
{
   const Player* active = PlayerActiveGet();
   const CardPile* hand = PlayerHandGet(active);
   return passingComplete && card && hand && card->pile == hand && TrickPlayAllowedCheck(active);
}

bool Hearts::CardDropCheck(CardPile* pile, Card* card)
{
   return pile && pile->type == CARD_PILE_TYPE_TRICK && pile->ownerID == playerActiveID &&
          CardPickUpCheck(card) && CardLegalCheck(card);
}

void Hearts::CardChoose(Card* card)
{
   if (!card)
   {
      return;
   }
   const Player* active = PlayerActiveGet();
   CardPile* hand = PlayerHandGet(active);
   if (!passingComplete)
   {
      if (hand && card->pile == hand)
      {
         if (card->selected)
         {
            CardSelectedSet(card, false);
         }
         else if (hand->CardsSelectedCount() < 3)
         {
            CardSelectedSet(card, true);
         }
         PassButtonUpdate();
      }
      return;
   }
   CardPile* trick = active ? CardPileGet(CARD_PILE_TYPE_TRICK, -1, active->id) : nullptr;
   if (trick && CardDropCheck(trick, card))
   {
      CardAddAndNotify(trick, card);
   }
   else if (hand && card->pile == hand)
   {
      CardDropRefusedNotify(trick, hand, card);
   }
}

void Hearts::CardAddDoneNotify(CardPile* pile, CardPile* oldPile, Card* card)
{
   (void)oldPile;
   TrickTakingGamePlayer* active = dynamic_cast<TrickTakingGamePlayer*>(PlayerActiveGet());
   if (!pile || !card || pile->type != CARD_PILE_TYPE_TRICK || !active)
   {
      return;
   }
   CardFaceUpSet(card, true, true);
   active->HistoryCardSet(trickIndexCurrent, card);
   TrickPilesArrange();
   if (trumpIndication != TRUMP_INDICATION_HEARTS_BROKEN && HeartsBrokenCheck())
   {
      trumpIndication = TRUMP_INDICATION_HEARTS_BROKEN;
      TrumpIndicatorUpdate();
      GlassBreakPlay();
   }
   RefreshMark();
}

void Hearts::CardDropRefusedNotify(CardPile* pile, CardPile* oldPile, Card* card)
{
   (void)pile;
   (void)oldPile;
   (void)card;
   const char* leader = SettingStringGet("FirstTrickLeader");
   if (passingComplete && !TrickLeadCardGet() && trickIndexCurrent == 0 &&
       !(leader && std::strcmp(leader, "LeftOfDealer") == 0))
   {
      MessageBoxPopup::Show("HeartsLeadTwoOfClubs", "MessageBoxOK");
   }
}

void Hearts::GlassBreakPlay()
{
   if (!glassBreakSound)
   {
      return;
   }
   for (i32 i = 0; i < cardMoveSoundSources.count; ++i)
   {
      if (cardMoveSoundSources[i]->StateGet() == SOUND_SOURCE_IDLE)
      {
         Sound::Play(glassBreakSound, static_cast<SoundSourceOpenAL*>(cardMoveSoundSources[i]), false,
                     SOUND_USAGE_EFFECTS);
         return;
      }
   }
}

void Hearts::Refresh()
{
   const TrickTakingGamePlayer* active = dynamic_cast<TrickTakingGamePlayer*>(PlayerActiveGet());
   if (!passingComplete || !active || trickIndexCurrent < 0 ||
       active->HistoryCardGet(trickIndexCurrent) < 0 || TrickWinnerGet(trickIndexCurrent))
   {
      return;
   }
   if (!TrickCompleteCheck())
   {
      ActionPlayerAdvancePost();
      return;
   }
   Player* winner = nullptr;
   Card* best = nullptr;
   TrickWinnerDetermine(&winner, &best);
   if (!winner)
   {
      return;
   }
   TrickTake(winner);
   TextsRefresh();
   bool cardsLeft = false;
   for (i32 i = 0; i < players.count && !cardsLeft; ++i)
   {
      const CardPile* hand = PlayerHandGet(players[i]);
      cardsLeft = hand && hand->cards.count > 0;
   }
   if (cardsLeft)
   {
      playerActiveID = winner->id;
      PlayerPanelFramesRefresh();
      ActionTurnBeginPost();
   }
   else
   {
      HandScore();
   }
}

// ---- Scoring ----

void Hearts::HandScore()
{
   const bool jackOption = SettingBoolGet("JackOfDiamondsWorthNegative10Points");
   for (i32 p = 0; p < players.count; ++p)
   {
      const TrickTakingGamePlayer* player = TrickPlayerGet(p);
      if (!player)
      {
         continue;
      }
      i32 hearts = 0;
      bool queen = false;
      bool jack = false;
      for (i32 t = 0; t < player->trickHistory.count; ++t)
      {
         if (!player->HistoryWinnerCheck(t))
         {
            continue;
         }
         for (i32 o = 0; o < players.count; ++o)
         {
            const TrickTakingGamePlayer* other = TrickPlayerGet(o);
            const Card* card = other ? TrickCardGet(other, t) : nullptr;
            hearts += card && card->suit == SUIT_HEARTS ? 1 : 0;
            queen = queen || QueenOfSpadesCheck(card);
            jack = jack || JackOfDiamondsCheck(card);
         }
      }
      i64 points = 0;
      if (queen && hearts > 12)
      {
         for (i32 o = 0; o < players.count; ++o)
         {
            if (o != p)
            {
               const i64 raised = static_cast<i64>(players[o]->minigameScore) + 26;
               players[o]->minigameScore = raised > INT_MAX ? INT_MAX : static_cast<i32>(raised);
            }
         }
      }
      else
      {
         points = hearts + (queen ? 13 : 0);
      }
      if (jackOption && jack)
      {
         points -= 10;
      }
      const i64 total = static_cast<i64>(players[p]->minigameScore) + points;
      players[p]->minigameScore =
          total > INT_MAX ? INT_MAX : (total < INT_MIN ? INT_MIN : static_cast<i32>(total));
   }

   const Player* lowest = nullptr;
   i32 lowestCount = 0;
   bool over = false;
   for (i32 i = 0; i < players.count; ++i)
   {
      const i32 score = players[i]->minigameScore;
      over = over || score > 99;
      if (!lowest || score < lowest->minigameScore)
      {
         lowest = players[i];
         lowestCount = 1;
      }
      else if (score == lowest->minigameScore)
      {
         lowestCount++;
      }
   }
   TextsRefresh();
   // Each poster below waits for the cards and then DelayGameOver itself.
   if (!over)
   {
      ActionSubgameOverPost();
      return;
   }
   for (i32 i = 0; i < players.count; ++i)
   {
      players[i]->minigameWinner = lowestCount == 1 && players[i] == lowest;
   }
   WinnerIconsRefresh();
   if (LocalHumanWinnerCheck())
   {
      ActionGameWinPost();
   }
   else if (lowestCount == 1)
   {
      ActionGameLosePost();
   }
   else
   {
      ActionGameDrawPost();
   }
}

void Hearts::ResultsShow()
{
   HeartsResultsPopup& popup = HeartsResultsPopup::instance;
   if (PopupManager::IndexGet(&popup) >= 0)
   {
      return;
   }
   popup.game = this;
   PopupManager::Open(&popup);
   // Set after the open: a closed box forgets its answers.
   popup.onOK = &HeartsResultsPopup::OnContinue;
   popup.onOKUserData = this;
}

void Hearts::ResultsHide()
{
   if (PopupManager::IndexGet(&HeartsResultsPopup::instance) >= 0)
   {
      PopupManager::Close(&HeartsResultsPopup::instance);
   }
}

void Hearts::ResultsContinue()
{
   if (gameResult == MINIGAME_RESULT_RUNNING)
   {
      SubgameNew();
   }
   else
   {
      GameNew();
   }
}

// ---- The computer player ----

void Hearts::AITurnTake()
{
   if (!passingComplete)
   {
      PassingAIChoose();
      return;
   }
   Card* card = PlayAIChoose();
   if (card)
   {
      CardChooseCommandQueue(card, static_cast<u32>(delayAIAction));
   }
}

void Hearts::PassingAIChoose()
{
   CardPile* hand = PlayerHandGet(PlayerActiveGet());
   if (!hand)
   {
      return;
   }
   const u32 delay = static_cast<u32>(delayAIAction);
   for (i32 i = 0; i < hand->cards.count; ++i)
   {
      if (hand->cards[i]->selected)
      {
         CardChooseCommandQueue(hand->cards[i], delay);
      }
   }
   // Highest first, ace high; equal ranks hearts, spades, diamonds, clubs.
   Table<Card*> sorted(allocatorTemp);
   for (i32 i = 0; i < hand->cards.count; ++i)
   {
      Card* card = hand->cards[i];
      i32 at = sorted.count;
      while (at > 0 && (RankHigh(sorted[at - 1]) < RankHigh(card) ||
                        (RankHigh(sorted[at - 1]) == RankHigh(card) && sorted[at - 1]->suit > card->suit)))
      {
         at--;
      }
      sorted.Insert(card, at);
   }
   i32 spades = CardsSuitCount(hand->cards, SUIT_SPADES);
   i32 chosen = 0;
   auto choose = [&](Card* card)
   {
      CardChooseCommandQueue(card, delay);
      sorted.RemoveAt(sorted.Find(card));
      chosen++;
   };
   for (i32 rank : {RANK_ACE, RANK_KING})
   {
      Card* card = CardsCardFind(sorted, rank, SUIT_SPADES);
      if (card)
      {
         choose(card);
         spades--;
      }
   }
   Card* queen = CardsCardFind(sorted, RANK_QUEEN, SUIT_SPADES);
   // With five or more spades to cover it the queen is safe enough to keep.
   const bool queenCovered = queen && spades >= 5;
   if (queen && !queenCovered)
   {
      choose(queen);
   }
   for (i32 i = 0; !queenCovered && i < sorted.count && chosen < 3;)
   {
      if (sorted[i]->suit != SUIT_SPADES)
      {
         choose(sorted[i]);
      }
      else
      {
         ++i;
      }
   }
   while (chosen < 3 && sorted.count > 0)
   {
      choose(sorted[0]);
   }
   CommandCodePost(COMMAND_PASS_CARDS, delay);
}

Card* Hearts::PlayAIChoose()
{
   const CardPile* hand = PlayerHandGet(PlayerActiveGet());
   if (!hand)
   {
      return nullptr;
   }
   const Table<Card*> a =
       CardsFiltered(hand->cards, [this](const Card* card) { return CardLegalCheck(card); });
   const Table<Card*> b = CardsFiltered(a, [](const Card* card) { return !QueenOfSpadesCheck(card); });
   const Table<Card*> c = CardsFiltered(b, [](const Card* card) { return !JackOfDiamondsCheck(card); });
   const bool jackOption = SettingBoolGet("JackOfDiamondsWorthNegative10Points");
   Card* queenLegal = CardsCardFind(a, RANK_QUEEN, SUIT_SPADES);
   Card* jackLegal = CardsCardFind(a, RANK_JACK, SUIT_DIAMONDS);
   const Card* lead = TrickLeadCardGet();

   if (!lead)
   {
      const char* leader = SettingStringGet("FirstTrickLeader");
      Card* two = CardsCardFind(a, RANK_TWO, SUIT_CLUBS);
      if (two && !(leader && std::strcmp(leader, "LeftOfDealer") == 0))
      {
         return two;
      }
      Card* spade = CardsSuitLowestGet(a, SUIT_SPADES);
      if (!CardPlayedCheck(RANK_QUEEN, SUIT_SPADES) && spade && RankHigh(spade) < RANK_QUEEN)
      {
         return spade;
      }
      if (jackOption)
      {
         Card* low = CardsLowestGet(c);
         return low ? low : (jackLegal ? jackLegal : queenLegal);
      }
      Card* low = CardsLowestGet(b);
      return low ? low : CardsLowestGet(a);
   }

   Player* winner = nullptr;
   Card* best = nullptr;
   TrickWinnerDetermine(&winner, &best);
   if (!best)
   {
      return nullptr;
   }
   const i32 led = lead->suit;
   const i32 w = best->rank;
   const bool isVoid = CardsSuitCount(a, led) == 0;
   const bool last = TrickCardsPlayedCount() == PlayersInSubgameCount() - 1;
   bool queenInTrick = false;
   bool jackInTrick = false;
   for (i32 i = 0; i < players.count; ++i)
   {
      const TrickTakingGamePlayer* player = TrickPlayerGet(i);
      const Card* card = player ? TrickCardGet(player, trickIndexCurrent) : nullptr;
      queenInTrick = queenInTrick || QueenOfSpadesCheck(card);
      jackInTrick = jackInTrick || JackOfDiamondsCheck(card);
   }

   if (queenLegal && (isVoid || (led == SUIT_SPADES && RankHigh(best) > RANK_QUEEN)))
   {
      return queenLegal;
   }
   if (jackOption)
   {
      if (jackLegal && last && led == SUIT_DIAMONDS && RankHigh(best) < RANK_JACK && !queenInTrick)
      {
         return jackLegal;
      }
      if (jackInTrick && !queenInTrick && !isVoid)
      {
         Card* card = CardsSuitHighestAboveGet(b, w, led);
         if (card)
         {
            return card;
         }
      }
      if (isVoid)
      {
         Card* card = CardsSuitHighestGet(a, SUIT_HEARTS);
         card = card ? card : CardsHighestGet(c);
         return card ? card : CardsHighestGet(a);
      }
      Card* card = CardsSuitHighestBelowGet(c, w, led);
      card = card ? card : CardsSuitHighestBelowGet(a, w, led);
      if (card)
      {
         return card;
      }
      if (last)
      {
         card = jackLegal ? jackLegal : CardsSuitHighestGet(b, led);
         return card ? card : CardsSuitHighestGet(a, led);
      }
      card = CardsSuitLowestGet(c, led);
      card = card ? card : jackLegal;
      return card ? card : queenLegal;
   }
   if (isVoid)
   {
      return CardsHighestGet(a);
   }
   Card* card = CardsSuitHighestBelowGet(a, w, led);
   if (card)
   {
      return card;
   }
   if (last)
   {
      card = CardsSuitHighestGet(b, led);
      return card ? card : CardsSuitHighestGet(a, led);
   }
   card = CardsSuitLowestGet(b, led);
   return card ? card : CardsSuitLowestGet(a, led);
}
} // namespace Corvale
