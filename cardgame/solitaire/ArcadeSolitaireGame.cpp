// The arcade solitaires' rounds: the countdown runs only once the game starts it, and the
// results popup between rounds decides from the game's result whether a round or a game follows.
#include "cardgame/solitaire/ArcadeSolitaireGame.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/Player.h"
#include "cardgame/RecordSupport.h"
#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/StringHelpers.h"
#include "gui/popup/PopupManager.h"
#include "gui/state/GameStateManager.h"
#include "gui/widgets/LabelWidget.h"
#include "gui/widgets/LayerWidget.h"
#include "gui/widgets/NumberLabelWidget.h"
#include "gui/widgets/PressButtonWidget.h"

namespace Corvale
{
void ArcadeSolitaireGame::ReflectionRegister()
{
   auto* record = ReflectionRecordCreate<ReflectionTypeObjectTypedAbstract<ArcadeSolitaireGame>>(
       "Corvale::ArcadeSolitaireGame");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(SolitaireGame).name());
   record->FieldAdd(&ArcadeSolitaireGame::countdownTimer, "countdownTimer");
   record->FieldAdd(&ArcadeSolitaireGame::countdownTimerStarted, "countdownTimerStarted");
   record->FieldAdd(&ArcadeSolitaireGame::roundIndex, "roundIndex");
   record->FieldAdd(&ArcadeSolitaireGame::roundOver, "roundOver");
   ReflectionManager::TypeRegister(record);
}

void ArcadeSolitaireGame::Init()
{
   countdownTimer = TimeLimitGet();
   countdownTimerStarted = false;
   roundIndex = -1;
   roundOver = false;
   pileValueLabels.Clear();
   pileValueLabels.Reserve(ARCADE_PILE_VALUE_LABELS_COUNT);
   nextCardPileID = 0;
   SolitaireGame::Init();
}

void ArcadeSolitaireGame::Deinit()
{
   scoreText = miscText = misc2Text = roundText = timeLeftText = nullptr;
   scoreNumber = miscNumber = misc2Number = roundNumber = timeLeftNumber = nullptr;
   takeScoreButton = nullptr;
   pileValueLabels = Table<NumberLabelWidget*>();
   SolitaireGame::Deinit();
}

i32 ArcadeSolitaireGame::ScoreGet()
{
   return players.count > 0 && players[0] ? players[0]->minigameScore : 0;
}

void ArcadeSolitaireGame::ScoreNumberRefresh()
{
   if (scoreNumber)
   {
      scoreNumber->ValueSet(ScoreGet());
   }
}

void ArcadeSolitaireGame::RoundNumberRefresh()
{
   if (roundNumber)
   {
      roundNumber->ValueSet(roundIndex + 1 > 0 ? roundIndex + 1 : 0);
   }
}

bool ArcadeSolitaireGame::RoundRunningCheck()
{
   return gameResult == MINIGAME_RESULT_RUNNING && !subgameOver;
}

void ArcadeSolitaireGame::ScoreAdd(i32 points)
{
   if (players.count > 0 && players[0])
   {
      const i64 sum = static_cast<i64>(players[0]->minigameScore) + points;
      players[0]->minigameScore =
          static_cast<i32>(sum > INT32_MAX ? INT32_MAX : (sum < INT32_MIN ? INT32_MIN : sum));
   }
   ScoreNumberRefresh();
}

i32 ArcadeSolitaireGame::TimeBonusGet()
{
   return static_cast<i32>((countdownTimer + 999) / 1000) * 100;
}

bool ArcadeSolitaireGame::TimeLeftFormat(double seconds, char* buffer, u32 bufferSize, void* userData)
{
   (void)userData;
   if (!buffer || bufferSize == 0)
   {
      return false;
   }
   // Rounded to whole milliseconds first, so that a floating-point excess in value × 10 never adds a tenth.
   const double tenths = std::ceil(std::round(seconds * 10000.0) / 1000.0);
   const int written = std::snprintf(buffer, bufferSize, "%.1f", tenths / 10.0);
   return written >= 0 && static_cast<u32>(written) < bufferSize;
}

void ArcadeSolitaireGame::GUIInit(LayerWidget* pushedLayer)
{
   SolitaireGame::GUIInit(pushedLayer);
   takeScoreButton = nullptr;
   struct Pair
   {
      NumberLabelWidget** number;
      LabelWidget** text;
      const char* numberName;
      const char* textName;
      const char* includedKey;
      const char* numberPositionKey;
      const char* textPositionKey;
      NumberLabelTextFormatFunction format;
   };
   const Pair pairs[] = {
       {&scoreNumber, &scoreText, "ScoreNumber", "ScoreText", "ScoreTextIncluded", "ScoreNumberPosition",
        "ScoreTextPosition", &IntegerTextFormat},
       {&miscNumber, &miscText, "MiscNumber", "MiscText", "MiscTextIncluded", "MiscNumberPosition",
        "MiscTextPosition", &IntegerTextFormat},
       {&misc2Number, &misc2Text, "Misc2Number", "Misc2Text", "Misc2TextIncluded", "Misc2NumberPosition",
        "Misc2TextPosition", &IntegerTextFormat},
       {&roundNumber, &roundText, "RoundNumber", "RoundText", "RoundTextIncluded", "RoundNumberPosition",
        "RoundTextPosition", &IntegerTextFormat},
       {&timeLeftNumber, &timeLeftText, "TimeLeftNumber", "TimeLeftText", "TimeLeftTextIncluded",
        "TimeLeftNumberPosition", "TimeLeftTextPosition", &ArcadeSolitaireGame::TimeLeftFormat},
   };
   auto pointPlace = [this](Widget* widget, const char* key)
   {
      if (widget && constants && constants->ItemPoint2FCheck(key))
      {
         widget->PositionSet(constants->ItemGet(key)->Point2FValueGet());
      }
   };
   for (const Pair& pair : pairs)
   {
      *pair.number = pushedLayer
                         ? dynamic_cast<NumberLabelWidget*>(pushedLayer->DescendantGetByPath(pair.numberName))
                         : nullptr;
      *pair.text =
          pushedLayer ? dynamic_cast<LabelWidget*>(pushedLayer->DescendantGetByPath(pair.textName)) : nullptr;
      if (*pair.number)
      {
         (*pair.number)->VisibleSet(false);
      }
      if (*pair.text)
      {
         (*pair.text)->VisibleSet(false);
      }
      if (!constants || !ConstFlagGet(constants, pair.includedKey))
      {
         continue;
      }
      if (*pair.number)
      {
         pointPlace(*pair.number, pair.numberPositionKey);
         (*pair.number)->VisibleSet(true);
         (*pair.number)->TextFormatFunctionSet(pair.format, nullptr);
      }
      if (*pair.text)
      {
         pointPlace(*pair.text, pair.textPositionKey);
         (*pair.text)->VisibleSet(true);
      }
   }
   const struct
   {
      LabelWidget* label;
      const char* key;
   } textKeys[] = {{miscText, "MiscTextKey"}, {misc2Text, "Misc2TextKey"}};
   for (const auto& textKey : textKeys)
   {
      if (textKey.label)
      {
         textKey.label->TextKeySet(constants ? constants->ItemGet(textKey.key)->StringValueGet() : nullptr);
      }
   }

   pileValueLabels.Clear();
   char name[32];
   for (i32 i = 0; i < ARCADE_PILE_VALUE_LABELS_COUNT; ++i)
   {
      std::snprintf(name, sizeof(name), "PileValue%d", i);
      NumberLabelWidget* label =
          pushedLayer ? dynamic_cast<NumberLabelWidget*>(pushedLayer->DescendantGetByPath(name)) : nullptr;
      pileValueLabels.Insert(label, pileValueLabels.count);
      if (!label)
      {
         continue;
      }
      std::snprintf(name, sizeof(name), "PileValue%dIncluded", i);
      label->VisibleSet(constants && ConstFlagGet(constants, name));
      std::snprintf(name, sizeof(name), "PileValue%dPosition", i);
      pointPlace(label, name);
      label->TextFormatFunctionSet(&IntegerTextFormat, nullptr);
   }

   if (pushedLayer && constants && ConstFlagGet(constants, "TakeScoreButtonIncluded") &&
       constants->ItemGet("TakeScoreButton")->TypeGet() == JSONValue::TYPE_OBJECT &&
       constants->ItemPoint2FCheck("TakeScoreButtonPosition"))
   {
      PressButtonWidget* button = MemoryNew<PressButtonWidget>(HEAP_DEFAULT);
      if (button)
      {
         button->Init("TakeScoreButton", pushedLayer, constants->ItemGet("TakeScoreButton"));
         pushedLayer->ChildAddLast(button);
         button->PositionSet(constants->ItemGet("TakeScoreButtonPosition")->Point2FValueGet());
         button->onClick = &ArcadeSolitaireGame::OnTakeScoreClick;
         button->onClickUserData = this;
         takeScoreButton = button;
      }
   }

   ScoreNumberRefresh();
   RoundNumberRefresh();
   PileValuesRefresh();
}

void ArcadeSolitaireGame::OnTakeScoreClick(PressButtonWidget* button, void* game)
{
   (void)button;
   ArcadeSolitaireGame* self = static_cast<ArcadeSolitaireGame*>(game);
   if (self)
   {
      self->ScoreTakeOnce();
   }
}

void ArcadeSolitaireGame::Update(u32 elapsed)
{
   SolitaireGame::Update(elapsed);
   if (GameStateManager::switchPending || (layer && !layer->EnabledCheck()))
   {
      return;
   }
   bool timeUp = false;
   if (countdownTimer > 0 && countdownTimerStarted && RoundRunningCheck())
   {
      countdownTimer = countdownTimer > elapsed ? countdownTimer - elapsed : 0;
      timeUp = countdownTimer == 0;
   }
   if (timeLeftNumber)
   {
      timeLeftNumber->ValueSet(countdownTimer / 1000.0);
   }
   if (timeUp)
   {
      ScoreTakeOnce();
   }
}

void ArcadeSolitaireGame::RoundOverSet()
{
   roundOver = true;
   countdownTimerStarted = false;
   ControlsRefresh();
}

void ArcadeSolitaireGame::ScoreTakeOnce()
{
   if (!RoundRunningCheck() || roundOver)
   {
      return;
   }
   RoundOverSet();
   ScoreTake();
}

void ArcadeSolitaireGame::ControlsRefresh()
{
   if (takeScoreButton)
   {
      takeScoreButton->EnabledSet(countdownTimerStarted && !roundOver);
   }
}

void ArcadeSolitaireGame::CountdownStart()
{
   if (!roundOver && !countdownTimerStarted)
   {
      countdownTimerStarted = true;
      ControlsRefresh();
   }
}

bool ArcadeSolitaireGame::CardPickUpCheck(Card* card)
{
   const CardPile* pile = card ? card->pile : nullptr;
   return pile && pile->type == CARD_PILE_TYPE_FLIP && pile->CardTopGet() == card;
}

CardPile* ArcadeSolitaireGame::StockGet()
{
   return CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
}

bool ArcadeSolitaireGame::TurnedCardRefill()
{
   CardPile* stock = StockGet();
   CardPile* flip = CardPileGet(CARD_PILE_TYPE_FLIP, -1, -1);
   if (!stock || !flip || flip->cards.count > 0)
   {
      return false;
   }
   Card* next = stock->CardTopGet();
   if (!next)
   {
      return true;
   }
   CardAdd(flip, next);
   CardFaceUpSet(next, true, true);
   return false;
}

void ArcadeSolitaireGame::RoundCardsGather()
{
   CardPile* stock = StockGet();
   if (!stock)
   {
      WarningPrintf("ArcadeSolitaireGame::RoundCardsGather -- the constants declare no stock pile\n");
      return;
   }
   Table<Card*> ordered(allocatorTemp);
   for (i32 i = 0; i < cards.count; ++i)
   {
      i32 at = ordered.count;
      while (at > 0 && ordered[at - 1]->id > cards[i]->id)
      {
         at--;
      }
      ordered.Insert(cards[i], at);
   }
   for (i32 i = 0; i < ordered.count; ++i)
   {
      CardAdd(stock, ordered[i]);
   }
   CardPileFaceUpSet(stock, false, true);
   CardPileShuffle(stock);
   ActionAnimationsWaitPost();
}

ArcadeSolitaireGame::RoundOutcome ArcadeSolitaireGame::RoundOutcomeGet(i32 roundIndex, i32 score,
                                                                       i32 roundCount, i32 gate, i32 win)
{
   if (roundIndex == roundCount - 2 && score < gate)
   {
      return ROUND_OUTCOME_DRAW;
   }
   if (roundIndex < roundCount - 1)
   {
      return ROUND_OUTCOME_NEXT;
   }
   return score >= win ? ROUND_OUTCOME_WIN : ROUND_OUTCOME_DRAW;
}

void ArcadeSolitaireGame::RoundOutcomePost(i32 roundCount, i32 gate, i32 win)
{
   switch (RoundOutcomeGet(roundIndex, ScoreGet(), roundCount, gate, win))
   {
   case ROUND_OUTCOME_NEXT:
      ActionSubgameOverPost();
      break;
   case ROUND_OUTCOME_WIN:
      ActionGameWinPost();
      break;
   default:
      ActionGameDrawPost();
      break;
   }
}

void ArcadeSolitaireGame::PileValueShow(i32 index, i32 value)
{
   if (index >= 0 && index < pileValueLabels.count && pileValueLabels[index])
   {
      pileValueLabels[index]->ValueSet(value);
   }
}

CardPile* ArcadeSolitaireGame::CurrentPileGet()
{
   return CardPileGet(CARD_PILE_TYPE_FOUNDATION, -1, -1);
}

void ArcadeSolitaireGame::WallCoveringPilesGet(const Card* card, const i32 (*table)[2], i32 positions,
                                               i32* first, i32* second)
{
   *first = -1;
   *second = -1;
   const CardPile* pile = card ? card->pile : nullptr;
   if (!pile || pile->type != CARD_PILE_TYPE_TABLEAU || pile->ownerID != -1 || pile->secondaryID < 1 ||
       pile->secondaryID > positions)
   {
      return;
   }
   const i32* pair = table[pile->secondaryID - 1];
   *first = pair[0] > 0 ? pair[0] : -1;
   *second = pair[1] > 0 ? pair[1] : -1;
}

void ArcadeSolitaireGame::WallDeal(bool faceUp)
{
   CardPile* stock = StockGet();
   CardsDealToEachPile(CARD_PILE_TYPE_TABLEAU, stock, 1, faceUp);
   CardsDealToEachPile(CARD_PILE_TYPE_FOUNDATION, stock, 1, true);
}

void ArcadeSolitaireGame::CurrentCardReturn(i32 positions)
{
   CardPile* stock = StockGet();
   CardPile* current = CurrentPileGet();
   Card* card = current ? current->CardTopGet() : nullptr;
   if (!stock || !card)
   {
      return;
   }
   CardSelectedSet(card, false);
   CardFaceUpSet(card, false, false);
   CardAddToBottom(stock, card);
   for (i32 position = positions; position >= 1; --position)
   {
      CardPile* pile = CardPileGet(CARD_PILE_TYPE_TABLEAU, position, -1);
      if (pile && pile->cards.count == 0)
      {
         CardMoveQueue(pile, card, 0, true);
         return;
      }
   }
}

bool ArcadeSolitaireGame::WallEmptyCheck()
{
   for (i32 i = 0; i < cardPiles.count; ++i)
   {
      if (cardPiles[i]->type == CARD_PILE_TYPE_TABLEAU && cardPiles[i]->cards.count > 0)
      {
         return false;
      }
   }
   return true;
}

void ArcadeSolitaireGame::GameNew()
{
   SolitaireGame::GameNew();
   roundIndex = -1;
   ScoreNumberRefresh();
   CardPile* stock = StockGet();
   if (stock)
   {
      stock->DecksAdd(1);
   }
   else
   {
      WarningPrintf("ArcadeSolitaireGame::GameNew -- the constants declare no stock pile\n");
   }
   SubgameNew();
}

void ArcadeSolitaireGame::SubgameNew()
{
   SolitaireGame::SubgameNew();
   countdownTimer = TimeLimitGet();
   ++roundIndex;
   countdownTimerStarted = false;
   roundOver = false;
   RoundNumberRefresh();
   ControlsRefresh();
}

bool ArcadeSolitaireGame::Load(JSONValue* document)
{
   const bool loaded = SolitaireGame::Load(document);
   // The displays follow the loaded round rather than the one dealt on entering.
   ScoreNumberRefresh();
   RoundNumberRefresh();
   PileValuesRefresh();
   ControlsRefresh();
   return loaded;
}

void ArcadeSolitaireGame::ResultsShow()
{
   ArcadeSolitaireResultsPopup& popup = ArcadeSolitaireResultsPopup::instance;
   if (PopupManager::IndexGet(&popup) >= 0)
   {
      return;
   }
   popup.game = this;
   PopupManager::Open(&popup);
}

void ArcadeSolitaireGame::ResultsHide()
{
   if (PopupManager::IndexGet(&ArcadeSolitaireResultsPopup::instance) >= 0)
   {
      PopupManager::Close(&ArcadeSolitaireResultsPopup::instance);
   }
}

// ---- ArcadeSolitaireResultsPopup ----

ArcadeSolitaireResultsPopup ArcadeSolitaireResultsPopup::instance;

ArcadeSolitaireResultsPopup::ArcadeSolitaireResultsPopup()
{
   NultStrncpy(layerName, "ArcadeSolitaireResults", sizeof(layerName));
   hasLayer = 1;
   customEnter = 1;
   NultStrncpy(enterTransition, "Enter", sizeof(enterTransition));
   customExit = 1;
   NultStrncpy(exitTransition, "Exit", sizeof(exitTransition));
}

void ArcadeSolitaireResultsPopup::Open()
{
   MessageBoxPopup::Open();
   // Set after the open: a closed box forgets its answers.
   onOK = &ArcadeSolitaireResultsPopup::OnContinue;
   onOKUserData = this;
}

void ArcadeSolitaireResultsPopup::Close(bool withTransition)
{
   MessageBoxPopup::Close(withTransition);
   game = nullptr;
}

// The popup manager's removal goes straight here, past Close.
void ArcadeSolitaireResultsPopup::Deinit()
{
   MessageBoxPopup::Deinit();
   game = nullptr;
}

void ArcadeSolitaireResultsPopup::LayerInit(LayerWidget* pushedLayer)
{
   MessageBoxPopup::LayerInit(pushedLayer);
   if (!pushedLayer || !game)
   {
      return;
   }
   LabelWidget* title = dynamic_cast<LabelWidget*>(pushedLayer->DescendantGetByPath("Panel.Title"));
   if (title)
   {
      title->TextKeySet(game->gameResult == MINIGAME_RESULT_RUNNING ? "RoundOver"
                        : game->gameResult == MINIGAME_RESULT_WON   ? "ArcadeSolitaireWin"
                                                                    : "ArcadeSolitaireLose");
   }
   const Player* player = game->players.count > 0 ? game->players[0] : nullptr;
   const struct
   {
      const char* path;
      bool shown;
      i32 value;
   } numbers[] = {
       {"Panel.TimeBonus", true, game->TimeBonusGet()},
       {"Panel.ScoreThisRound", player != nullptr,
        player ? player->minigameScore - player->minigameScoreSubgameBegin : 0},
       {"Panel.TotalScore", true, player ? player->minigameScore : 0},
   };
   for (const auto& number : numbers)
   {
      NumberLabelWidget* label =
          dynamic_cast<NumberLabelWidget*>(pushedLayer->DescendantGetByPath(number.path));
      if (label && number.shown)
      {
         label->TextFormatFunctionSet(&IntegerTextFormat, nullptr);
         label->ValueSet(number.value);
      }
   }
}

void ArcadeSolitaireResultsPopup::OnContinue(MessageBoxPopup* popup, PressButtonWidget* button, void* self)
{
   (void)popup;
   (void)button;
   ArcadeSolitaireResultsPopup* results = static_cast<ArcadeSolitaireResultsPopup*>(self);
   ArcadeSolitaireGame* game = results ? results->game : nullptr;
   if (!game)
   {
      return;
   }
   if (game->gameResult != MINIGAME_RESULT_RUNNING)
   {
      game->GameNew();
   }
   else
   {
      game->SubgameNew();
   }
}
} // namespace Corvale
