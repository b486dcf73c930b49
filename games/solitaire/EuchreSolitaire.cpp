// Euchre solitaire's deal, the trump choice, the follow and beat rules with the bowers, the
// computer's search through its stock for an answer, the end of each trick and the hand's score.
#include "games/solitaire/EuchreSolitaire.h"

#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardPile.h"
#include "cardgame/Player.h"
#include "cardgame/RecordSupport.h"
#include "core/JSONValue.h"
#include "core/Log.h"
#include "games/solitaire/EuchreSolitaireResultsPopup.h"
#include "games/solitaire/EuchreSolitaireSuitPopup.h"
#include "gui/popup/PopupManager.h"
#include "gui/widgets/LabelWidget.h"
#include "gui/widgets/LayerWidget.h"
#include "gui/widgets/NumberLabelWidget.h"

namespace Corvale
{
EuchreSolitaire EuchreSolitaire::instance;

namespace
{
struct DisplayKeys
{
   const char* number;
   const char* text;
   const char* included;
   const char* numberPosition;
   const char* textPosition;
};

const DisplayKeys DISPLAY_KEYS[EUCHRE_DISPLAY_COUNT] = {
    {"ScoreNumber", "ScoreText", "ScoreTextIncluded", "ScoreNumberPosition", "ScoreTextPosition"},
    {"AIScoreNumber", "AIScoreText", "AIScoreTextIncluded", "AIScoreNumberPosition", "AIScoreTextPosition"},
    {"RoundNumber", "RoundText", "RoundTextIncluded", "RoundNumberPosition", "RoundTextPosition"},
    {"TricksTakenNumber", "TricksTakenText", "TricksTakenTextIncluded", "TricksTakenNumberPosition",
     "TricksTakenTextPosition"}};

constexpr i32 STATE_PLAYER_TURN = 1 << 8;
constexpr i32 STATE_AI_PLAYING = 1 << 9;

// Hearts and Diamonds, Spades and Clubs.
Suit SameColourSuitGet(i32 suit)
{
   switch (suit)
   {
   case SUIT_HEARTS:
      return SUIT_DIAMONDS;
   case SUIT_DIAMONDS:
      return SUIT_HEARTS;
   case SUIT_SPADES:
      return SUIT_CLUBS;
   case SUIT_CLUBS:
      return SUIT_SPADES;
   default:
      return SUIT_NONE;
   }
}
} // namespace

void EuchreSolitaire::ReflectionRegister()
{
   auto* record =
       ReflectionRecordCreate<ReflectionTypeObjectTyped<EuchreSolitaire>>("Corvale::EuchreSolitaire");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(TraditionalSolitaireGame).name());
   record->FieldAdd(&EuchreSolitaire::playerTurn, "playerTurn");
   record->FieldAdd(&EuchreSolitaire::aiPlaying, "aiPlaying");
   record->FieldAdd(&EuchreSolitaire::tricksTaken, "tricksTaken");
   record->FieldAdd(&EuchreSolitaire::playerScore, "playerScore");
   record->FieldAdd(&EuchreSolitaire::aiScore, "aiScore");
   record->FieldAdd(&EuchreSolitaire::playerScoreChange, "playerScoreChange");
   record->FieldAdd(&EuchreSolitaire::aiScoreChange, "aiScoreChange");
   record->FieldAdd(&EuchreSolitaire::doubleStake, "doubleStake");
   record->FieldAdd(&EuchreSolitaire::roundStart, "roundStart");
   record->FieldAdd(&EuchreSolitaire::secondarySuit, "secondarySuit");
   record->FieldAdd(&EuchreSolitaire::roundIndex, "roundIndex");
   ReflectionManager::TypeRegister(record);
}

void EuchreSolitaire::DisplaysForget()
{
   for (i32 i = 0; i < EUCHRE_DISPLAY_COUNT; ++i)
   {
      displayNumbers[i] = nullptr;
      displayTexts[i] = nullptr;
   }
}

void EuchreSolitaire::Init()
{
   // The labels of an earlier visit went with its layer.
   DisplaysForget();
   TraditionalSolitaireGame::Init();
   GameNew();
}

void EuchreSolitaire::Deinit()
{
   PopupManager::Close(&EuchreSolitaireSuitPopup::instance);
   PopupManager::Close(&EuchreSolitaireResultsPopup::instance);
   DisplaysForget();
   TraditionalSolitaireGame::Deinit();
}

void EuchreSolitaire::GUIInit(LayerWidget* pushedLayer)
{
   TraditionalSolitaireGame::GUIInit(pushedLayer);
   DisplaysForget();
   for (i32 i = 0; i < EUCHRE_DISPLAY_COUNT; ++i)
   {
      const DisplayKeys& keys = DISPLAY_KEYS[i];
      NumberLabelWidget* number =
          pushedLayer ? dynamic_cast<NumberLabelWidget*>(pushedLayer->DescendantGetByPath(keys.number))
                      : nullptr;
      LabelWidget* text =
          pushedLayer ? dynamic_cast<LabelWidget*>(pushedLayer->DescendantGetByPath(keys.text)) : nullptr;
      if (number)
      {
         number->VisibleSet(false);
      }
      if (text)
      {
         text->VisibleSet(false);
      }
      if (!constants || !ConstFlagGet(constants, keys.included))
      {
         continue;
      }
      if (number)
      {
         if (constants->ItemPoint2FCheck(keys.numberPosition))
         {
            number->PositionSet(constants->ItemGet(keys.numberPosition)->Point2FValueGet());
         }
         number->TextFormatFunctionSet(&IntegerTextFormat, nullptr);
         number->VisibleSet(true);
         displayNumbers[i] = number;
      }
      if (text)
      {
         if (constants->ItemPoint2FCheck(keys.textPosition))
         {
            text->PositionSet(constants->ItemGet(keys.textPosition)->Point2FValueGet());
         }
         text->VisibleSet(true);
         displayTexts[i] = text;
      }
   }
   ScoreDisplaysUpdate();
}

void EuchreSolitaire::ScoreDisplaysUpdate()
{
   const i32 values[EUCHRE_DISPLAY_COUNT] = {playerScore, aiScore, roundIndex + 1 < 0 ? 0 : roundIndex + 1,
                                             tricksTaken};
   for (i32 i = 0; i < EUCHRE_DISPLAY_COUNT; ++i)
   {
      if (displayNumbers[i])
      {
         displayNumbers[i]->ValueSet(static_cast<double>(values[i]));
      }
   }
   // The player's score is captioned with the player's name.
   const Player* player = PlayerGet(0);
   if (displayTexts[EUCHRE_DISPLAY_SCORE] && player && player->DisplayNameGet())
   {
      displayTexts[EUCHRE_DISPLAY_SCORE]->TextSet(player->DisplayNameGet());
   }
}

void EuchreSolitaire::GameNew()
{
   UndoHistoryClear();
   TraditionalSolitaireGame::GameNew();
   CardPile* stock = TablePileGet(CARD_PILE_TYPE_DRAW);
   if (!stock)
   {
      WarningPrintf("EuchreSolitaire::GameNew -- the constants declare no stock pile\n");
      return;
   }
   stock->ShortDeckAdd();
   playerScore = 0;
   aiScore = 0;
   playerScoreChange = 0;
   aiScoreChange = 0;
   roundIndex = -1;
   ScoreDisplaysUpdate();
   SubgameNew();
}

void EuchreSolitaire::SubgameNew()
{
   // A new hand chooses trump afresh: a popup still open from the last one goes.
   PopupManager::Close(&EuchreSolitaireSuitPopup::instance);
   TraditionalSolitaireGame::SubgameNew();
   trumpIndication = TRUMP_INDICATION_NONE;
   TrumpIndicatorUpdate();
   CardPile* stock = TablePileGet(CARD_PILE_TYPE_DRAW);
   if (!stock)
   {
      WarningPrintf("EuchreSolitaire::SubgameNew -- the constants declare no stock pile\n");
      return;
   }
   CardsGatherShuffled(stock);
   ActionAnimationsWaitPost();
   CardsDeal(CARD_PILE_TYPE_TABLEAU, stock, EUCHRE_SOLITAIRE_HAND_SIZE, true, 0);
   CardPile* flip = TablePileGet(CARD_PILE_TYPE_FLIP);
   if (flip)
   {
      CardsDealToPile(flip, stock, 1, true);
   }
   roundIndex++;
   playerTurn = true;
   aiPlaying = false;
   tricksTaken = 0;
   doubleStake = false;
   roundStart = true;
   ScoreDisplaysUpdate();
   ActionTurnBeginPost();
}

bool EuchreSolitaire::Load(JSONValue* document)
{
   const bool loaded = TraditionalSolitaireGame::Load(document);
   // A hand saved before trump was chosen asks for it again; the popup would never open otherwise.
   if (loaded && trumpIndication == TRUMP_INDICATION_NONE && gameResult == MINIGAME_RESULT_RUNNING &&
       !subgameOver)
   {
      roundStart = true;
      RefreshMark();
   }
   TrumpIndicatorUpdate();
   ScoreDisplaysUpdate();
   return loaded;
}

void EuchreSolitaire::ResultsShow()
{
   EuchreSolitaireResultsPopup& popup = EuchreSolitaireResultsPopup::instance;
   if (PopupManager::IndexGet(&popup) >= 0)
   {
      return;
   }
   popup.game = this;
   PopupManager::Open(&popup);
   popup.onOK = &EuchreSolitaireResultsPopup::OKPress;
   popup.onOKUserData = this;
}

void EuchreSolitaire::ResultsHide()
{
   if (PopupManager::IndexGet(&EuchreSolitaireResultsPopup::instance) >= 0)
   {
      PopupManager::Close(&EuchreSolitaireResultsPopup::instance);
   }
}

// ---- The trump choice ----

i32 EuchreSolitaire::TurnUpCardSuitGet()
{
   CardPile* flip = TablePileGet(CARD_PILE_TYPE_FLIP);
   const Card* card = flip && flip->cards.count > 0 ? flip->cards[0] : nullptr;
   return card ? card->suit : -1;
}

i32 EuchreSolitaire::TurnUpCardRankGet()
{
   CardPile* flip = TablePileGet(CARD_PILE_TYPE_FLIP);
   const Card* card = flip && flip->cards.count > 0 ? flip->cards[0] : nullptr;
   return card ? card->rank : -1;
}

void EuchreSolitaire::TurnUpCardDispose()
{
   CardPile* flip = TablePileGet(CARD_PILE_TYPE_FLIP);
   Card* card = flip && flip->cards.count > 0 ? flip->cards[0] : nullptr;
   CardPile* destination =
       TablePileGet(card && card->suit == trumpSuit ? CARD_PILE_TYPE_WASTE : CARD_PILE_TYPE_DISCARD);
   if (!card || !destination)
   {
      WarningPrintf("EuchreSolitaire::TurnUpCardDispose -- no turned-up card or no pile to take it\n");
      return;
   }
   CardMoveQueue(destination, card, static_cast<u32>(delayCardDeal), true);
}

bool EuchreSolitaire::TrumpPickUp(bool doubleDown)
{
   return TrumpSuitChoose(TurnUpCardSuitGet(), doubleDown);
}

void EuchreSolitaire::TrumpPass(bool doubleDown)
{
   doubleStake = doubleDown;
}

bool EuchreSolitaire::TrumpSuitChoose(i32 suit, bool doubleDown)
{
   if (trumpIndication != TRUMP_INDICATION_NONE || suit < SUIT_HEARTS || suit > SUIT_CLUBS)
   {
      return false;
   }
   doubleStake = doubleDown;
   trumpSuit = suit;
   TrumpIndicationSet(suit);
   secondarySuit = SameColourSuitGet(suit);
   TurnUpCardDispose();
   // Trump once named stays named: an undo must not put the turned-up card back under a chosen trump.
   UndoHistoryClearPost();
   RefreshMark();
   return true;
}

// ---- The rules ----

bool EuchreSolitaire::RightBowerCheck(const Card* card)
{
   return card && card->rank == RANK_JACK && card->suit == trumpSuit;
}

bool EuchreSolitaire::LeftBowerCheck(const Card* card)
{
   return card && card->rank == RANK_JACK && secondarySuit != SUIT_NONE && card->suit == secondarySuit;
}

i32 EuchreSolitaire::EffectiveSuitGet(const Card* card)
{
   if (!card)
   {
      return -1;
   }
   return LeftBowerCheck(card) ? trumpSuit : card->suit;
}

bool EuchreSolitaire::HandHoldsSuitCheck(i32 suit)
{
   for (i32 id = 0; id < EUCHRE_SOLITAIRE_HAND_SIZE; ++id)
   {
      const CardPile* pile = CardPileGet(CARD_PILE_TYPE_TABLEAU, id, -1);
      const Card* top = pile ? pile->CardTopGet() : nullptr;
      if (top && EffectiveSuitGet(top) == suit)
      {
         return true;
      }
   }
   return false;
}

bool EuchreSolitaire::HandEmptyCheck()
{
   for (i32 id = 0; id < EUCHRE_SOLITAIRE_HAND_SIZE; ++id)
   {
      const CardPile* pile = CardPileGet(CARD_PILE_TYPE_TABLEAU, id, -1);
      if (pile && pile->cards.count > 0)
      {
         return false;
      }
   }
   return true;
}

bool EuchreSolitaire::PlayerMayFollowCheck(Card* card)
{
   CardPile* waste = TablePileGet(CARD_PILE_TYPE_WASTE);
   const Card* led = waste ? waste->CardTopGet() : nullptr;
   if (!card)
   {
      return false;
   }
   if (!led)
   {
      return true;
   }
   const i32 ledSuit = EffectiveSuitGet(led);
   return EffectiveSuitGet(card) == ledSuit || !HandHoldsSuitCheck(ledSuit);
}

bool EuchreSolitaire::ComputerMayFollowCheck(Card* card)
{
   CardPile* foundation = TablePileGet(CARD_PILE_TYPE_FOUNDATION);
   const Card* led = foundation ? foundation->CardTopGet() : nullptr;
   if (!card)
   {
      return false;
   }
   if (!led || LeftBowerCheck(card))
   {
      return true;
   }
   if (LeftBowerCheck(led))
   {
      return card->suit == trumpSuit;
   }
   return card->suit == trumpSuit || card->suit == led->suit;
}

bool EuchreSolitaire::CardBeatsCheck(Card* card, Card* led)
{
   if (!card || !led)
   {
      return false;
   }
   if (RightBowerCheck(card))
   {
      return true;
   }
   if (RightBowerCheck(led))
   {
      return false;
   }
   if (LeftBowerCheck(card))
   {
      return true;
   }
   if (LeftBowerCheck(led))
   {
      return false;
   }
   const bool cardTrump = card->suit == trumpSuit;
   const bool ledTrump = led->suit == trumpSuit;
   if (cardTrump != ledTrump)
   {
      return cardTrump;
   }
   if (card->suit != led->suit)
   {
      return false;
   }
   if (card->rank == RANK_ACE || led->rank == RANK_ACE)
   {
      return card->rank == RANK_ACE;
   }
   return card->rank > led->rank;
}

bool EuchreSolitaire::CardPickUpCheck(Card* card)
{
   const CardPile* pile = card ? card->pile : nullptr;
   return !aiPlaying && pile && pile->type == CARD_PILE_TYPE_TABLEAU && pile->CardTopGet() == card;
}

bool EuchreSolitaire::CardDropCheck(CardPile* pile, Card* card)
{
   // One card at a time: the trick may still be waiting for its resolution when the next frame's
   // input comes.
   return pile && card && !aiPlaying && pile->type == CARD_PILE_TYPE_FOUNDATION && pile->cards.count == 0 &&
          PlayerMayFollowCheck(card);
}

// ---- The play ----

void EuchreSolitaire::StateRecord()
{
   const i32 packed =
       (tricksTaken & 0xff) | (playerTurn ? STATE_PLAYER_TURN : 0) | (aiPlaying ? STATE_AI_PLAYING : 0);
   UndoRecordTyped(UNDO_RECORD_EUCHRE_STATE, packed, playerScore, aiScore, false);
}

void EuchreSolitaire::UndoRecordReplay(const UndoRecord& record)
{
   switch (record.type)
   {
   case UNDO_RECORD_EUCHRE_STATE:
      tricksTaken = record.index & 0xff;
      playerTurn = (record.index & STATE_PLAYER_TURN) != 0;
      aiPlaying = (record.index & STATE_AI_PLAYING) != 0;
      playerScore = record.pileID;
      aiScore = record.cardID;
      ScoreDisplaysUpdate();
      break;
   case UNDO_RECORD_EUCHRE_SCORE_CHANGE:
      playerScoreChange = record.index;
      aiScoreChange = record.pileID;
      if (players.count > 0)
      {
         players[0]->minigameScore = record.cardID;
      }
      break;
   default:
      TraditionalSolitaireGame::UndoRecordReplay(record);
      break;
   }
}

void EuchreSolitaire::TrickResolve(CardPile* waste, CardPile* foundation)
{
   Card* computerCard = waste->CardTopGet();
   Card* playerCard = foundation->CardTopGet();
   const bool computerWins =
       playerTurn ? CardBeatsCheck(computerCard, playerCard) : !CardBeatsCheck(playerCard, computerCard);
   StateRecord();
   if (computerWins)
   {
      playerTurn = false;
   }
   else
   {
      tricksTaken++;
      playerTurn = true;
      ScoreDisplaysUpdate();
   }
   CardPile* discard = TablePileGet(CARD_PILE_TYPE_DISCARD);
   if (!discard)
   {
      WarningPrintf("EuchreSolitaire::Refresh -- the constants declare no discard pile\n");
      return;
   }
   ActionDelayPost(EUCHRE_SOLITAIRE_TRICK_PAUSE, true);
   for (i32 i = waste->cards.count - 1; i >= 0; --i)
   {
      CardMoveQueue(discard, waste->cards[i], static_cast<u32>(delayCardDeal), false);
   }
   CardMoveQueue(discard, playerCard, static_cast<u32>(delayCardDeal), false);
}

void EuchreSolitaire::Refresh()
{
   PlayableCardsHighlight();
   if (!MayActCheck())
   {
      return;
   }
   if (roundStart)
   {
      EuchreSolitaireSuitPopup& popup = EuchreSolitaireSuitPopup::instance;
      popup.game = this;
      PopupManager::OpenUnlessOpen(&popup);
      roundStart = false;
   }
   CardPile* stock = TablePileGet(CARD_PILE_TYPE_DRAW);
   CardPile* waste = TablePileGet(CARD_PILE_TYPE_WASTE);
   CardPile* foundation = TablePileGet(CARD_PILE_TYPE_FOUNDATION);
   const bool stockEmpty = !stock || stock->cards.count == 0;
   if (stockEmpty && aiPlaying)
   {
      StateRecord();
      aiPlaying = false;
   }
   if (!waste || !foundation)
   {
      return;
   }
   // The counts from before this pass: the moves it queues have not run yet.
   const i32 wasteCount = waste->cards.count;
   const i32 foundationCount = foundation->cards.count;
   if (wasteCount > 0 && foundationCount > 0 && !aiPlaying)
   {
      TrickResolve(waste, foundation);
   }
   if (foundationCount == 0 && wasteCount == 0 && !playerTurn)
   {
      // The computer leads with the stock's top card.
      Card* lead = stockEmpty ? nullptr : stock->CardTopGet();
      if (lead)
      {
         CardAdd(waste, lead);
         CardFaceUpSet(lead, true, true);
      }
      return;
   }
   if (foundationCount > 0 && wasteCount == 0)
   {
      // The player led: the computer turns its stock until a card may answer.
      if (!aiPlaying)
      {
         StateRecord();
         aiPlaying = true;
      }
      Card* top = stockEmpty ? nullptr : stock->CardTopGet();
      if (top && ComputerMayFollowCheck(top))
      {
         StateRecord();
         aiPlaying = false;
         CardPileTopCardMoveQueue(waste, stock, static_cast<u32>(delayCardDeal), true);
      }
      else if (!top)
      {
         HandScore();
      }
      else
      {
         CardPile* flip = TablePileGet(CARD_PILE_TYPE_FLIP);
         if (flip)
         {
            CardPileTopCardMoveQueue(flip, stock, static_cast<u32>(delayCardDeal), true);
         }
      }
      return;
   }
   if (foundationCount > 0)
   {
      if (stockEmpty || (HandEmptyCheck() && !aiPlaying))
      {
         HandScore();
      }
   }
}

void EuchreSolitaire::HandScore()
{
   UndoRecordTyped(UNDO_RECORD_EUCHRE_SCORE_CHANGE, playerScoreChange, aiScoreChange,
                   players.count > 0 ? players[0]->minigameScore : 0, false);
   StateRecord();
   playerScoreChange = 0;
   aiScoreChange = 0;
   for (i32 id = 0; id < EUCHRE_SOLITAIRE_HAND_SIZE; ++id)
   {
      const CardPile* pile = CardPileGet(CARD_PILE_TYPE_TABLEAU, id, -1);
      if (pile && pile->cards.count > 0)
      {
         tricksTaken++;
      }
   }
   const CardPile* waste = TablePileGet(CARD_PILE_TYPE_WASTE);
   const CardPile* foundation = TablePileGet(CARD_PILE_TYPE_FOUNDATION);
   if (foundation && foundation->cards.count > 0 && (!waste || waste->cards.count == 0))
   {
      tricksTaken++;
   }
   const i32 stake = doubleStake ? 4 : 2;
   if (tricksTaken >= EUCHRE_SOLITAIRE_HAND_SIZE)
   {
      playerScoreChange = stake;
   }
   else if (tricksTaken >= 3)
   {
      if (doubleStake)
      {
         aiScoreChange = 4;
      }
      else
      {
         playerScoreChange = 1;
      }
   }
   else
   {
      aiScoreChange = stake;
   }
   playerScore += playerScoreChange;
   aiScore += aiScoreChange;
   if (players.count > 0)
   {
      players[0]->MinigameScoreAdd(playerScoreChange);
   }
   ScoreDisplaysUpdate();
   if (playerScore >= EUCHRE_SOLITAIRE_TARGET)
   {
      ActionGameWinPost();
   }
   else if (aiScore >= EUCHRE_SOLITAIRE_TARGET)
   {
      // A game ended unwon keeps no record of its end to take back, so nothing before it is.
      UndoHistoryClearPost();
      ActionGameDrawPost();
   }
   else
   {
      // A scored hand is not taken back: the next one deals from the results.
      UndoHistoryClearPost();
      ActionSubgameOverPost();
   }
}
} // namespace Corvale
