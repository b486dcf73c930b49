// Cribbage square's deal, placing rules, the starter and the scoring of the four rows and four
// columns, and its own results with the time and the score.
#include "games/solitaire/CribbageSquareSolitaire.h"

#include <cstdio>
#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/RecordSupport.h"
#include "gui/GUIManager.h"
#include "gui/widgets/LabelWidget.h"
#include "gui/widgets/LayerWidget.h"
#include "gui/widgets/NumberLabelWidget.h"

namespace Corvale
{
CribbageSquareSolitaire CribbageSquareSolitaire::instance;

namespace
{
constexpr const char* RESULTS_LAYER = "CribbageSquareSolitaireResults";
constexpr i32 RANK_JACK_VALUE = 11;
} // namespace

void CribbageSquareSolitaire::ReflectionRegister()
{
   auto* record = ReflectionRecordCreate<ReflectionTypeObjectTyped<CribbageSquareSolitaire>>(
       "Corvale::CribbageSquareSolitaire");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(TraditionalSolitaireGame).name());
   ReflectionManager::TypeRegister(record);
}

void CribbageSquareSolitaire::Init()
{
   // The labels of an earlier visit went with its layer.
   for (NumberLabelWidget*& label : lineLabels)
   {
      label = nullptr;
   }
   TraditionalSolitaireGame::Init();
   scorer.cards = Table<Card*>(allocatorDefault);
   scorer.starter = nullptr;
   for (Card*& card : scorer.hand)
   {
      card = nullptr;
   }
   GameNew();
}

void CribbageSquareSolitaire::Deinit()
{
   scorer.cards = Table<Card*>(static_cast<Allocator*>(nullptr));
   scorer.starter = nullptr;
   for (Card*& card : scorer.hand)
   {
      card = nullptr;
   }
   TraditionalSolitaireGame::Deinit();
   for (NumberLabelWidget*& label : lineLabels)
   {
      label = nullptr;
   }
}

void CribbageSquareSolitaire::GUIInit(LayerWidget* pushedLayer)
{
   TraditionalSolitaireGame::GUIInit(pushedLayer);
   for (i32 i = 0; i < 2 * CRIBBAGE_SQUARE_SIDE; ++i)
   {
      char name[8];
      std::snprintf(name, sizeof(name), i < CRIBBAGE_SQUARE_SIDE ? "Row%d" : "Col%d",
                    i % CRIBBAGE_SQUARE_SIDE);
      lineLabels[i] =
          pushedLayer ? dynamic_cast<NumberLabelWidget*>(pushedLayer->DescendantGetByPath(name)) : nullptr;
      if (!lineLabels[i])
      {
         if (pushedLayer)
         {
            WarningPrintf("CribbageSquareSolitaire::GUIInit -- the layer has no number label %s\n", name);
         }
         continue;
      }
      lineLabels[i]->TextFormatFunctionSet(&IntegerTextFormat, nullptr);
      lineLabels[i]->ValueSet(0.0);
      lineLabels[i]->VisibleSet(false);
   }
}

CardPile* CribbageSquareSolitaire::CellGet(i32 cell)
{
   return CardPileGet(CARD_PILE_TYPE_TABLEAU, cell, -1);
}

CardPile* CribbageSquareSolitaire::StockGet()
{
   return CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
}

CardPile* CribbageSquareSolitaire::NextCardGet()
{
   return CardPileGet(CARD_PILE_TYPE_RESERVE, -1, -1);
}

CardPile* CribbageSquareSolitaire::DiscardGet()
{
   return CardPileGet(CARD_PILE_TYPE_WASTE, -1, -1);
}

void CribbageSquareSolitaire::LabelsHide()
{
   for (NumberLabelWidget* label : lineLabels)
   {
      if (label)
      {
         label->ValueSet(0.0);
         label->VisibleSet(false);
      }
   }
}

void CribbageSquareSolitaire::GameNew()
{
   undoMoveBegins = true;
   UndoHistoryClear();
   TraditionalSolitaireGame::GameNew();
   CardPile* stock = StockGet();
   if (!stock)
   {
      WarningPrintf("CribbageSquareSolitaire::GameNew -- the constants declare no stock pile\n");
      return;
   }
   stock->DecksAdd(1);
   CardPileShuffle(stock);
   CardsDealToEachPile(CARD_PILE_TYPE_RESERVE, stock, 1, true);
   CardPile* discard = DiscardGet();
   if (discard)
   {
      discard->VisibleSet(!SettingBoolGet("NoWastePile"));
   }
   LabelsHide();
   ActionTurnBeginPost();
}

bool CribbageSquareSolitaire::CardPickUpCheck(Card* card)
{
   return card && card->pile && card->pile->type == CARD_PILE_TYPE_RESERVE;
}

bool CribbageSquareSolitaire::CardDropCheck(CardPile* pile, Card* card)
{
   if (!pile || !card)
   {
      return false;
   }
   switch (pile->type)
   {
   case CARD_PILE_TYPE_TABLEAU:
      return pile->cards.count == 0;
   case CARD_PILE_TYPE_WASTE:
      return !SettingBoolGet("NoWastePile") && pile->cards.count < CRIBBAGE_SQUARE_DISCARDS_MAX;
   default:
      return false;
   }
}

bool CribbageSquareSolitaire::SquareFullCheck()
{
   for (i32 cell = 0; cell < CRIBBAGE_SQUARE_CELLS; ++cell)
   {
      const CardPile* pile = CellGet(cell);
      if (!pile || pile->cards.count == 0)
      {
         return false;
      }
   }
   return true;
}

void CribbageSquareSolitaire::Refresh()
{
   PlayableCardsHighlight();
   if (!MayActCheck() || gameResult != MINIGAME_RESULT_RUNNING)
   {
      return;
   }
   CardPile* stock = StockGet();
   if (!SquareFullCheck())
   {
      CardPile* next = NextCardGet();
      if (next && next->cards.count == 0 && stock && stock->cards.count > 0)
      {
         CardsDealToPile(next, stock, 1, true);
      }
      return;
   }
   // The square is full: the starter shows, so the player sees what the hands were scored with.
   Card* starter = stock ? stock->CardTopGet() : nullptr;
   if (starter && !starter->faceUp)
   {
      CardFaceUpSet(starter, true, true);
   }
   if (ScoreGet() >= CRIBBAGE_SQUARE_WIN_SCORE)
   {
      ActionGameWinPost();
   }
   else
   {
      ActionGameLosePost();
   }
}

i32 CribbageSquareSolitaire::LineScoreGet(i32 index, bool column)
{
   const CardPile* stock = StockGet();
   scorer.starter = stock ? stock->CardTopGet() : nullptr;
   for (i32 i = 0; i < CRIBBAGE_SQUARE_SIDE; ++i)
   {
      const i32 cell = column ? index + CRIBBAGE_SQUARE_SIDE * i : CRIBBAGE_SQUARE_SIDE * index + i;
      const CardPile* pile = CellGet(cell);
      scorer.hand[i] = pile ? pile->CardTopGet() : nullptr;
   }
   return scorer.Score();
}

i32 CribbageSquareSolitaire::ScoreGet()
{
   i32 total = 0;
   for (i32 i = 0; i < 2 * CRIBBAGE_SQUARE_SIDE; ++i)
   {
      const i32 points = LineScoreGet(i % CRIBBAGE_SQUARE_SIDE, i >= CRIBBAGE_SQUARE_SIDE);
      total += points;
      if (lineLabels[i])
      {
         lineLabels[i]->ValueSet(static_cast<double>(points));
         lineLabels[i]->VisibleSet(true);
      }
   }
   const CardPile* stock = StockGet();
   const Card* starter = stock ? stock->CardTopGet() : nullptr;
   return total + (starter && starter->rank == RANK_JACK_VALUE ? CRIBBAGE_SQUARE_JACK_STARTER_BONUS : 0);
}

void CribbageSquareSolitaire::UndoRecordReplay(const UndoRecord& record)
{
   if (record.type == UNDO_RECORD_GAME_WON || record.type == UNDO_RECORD_GAME_LOST)
   {
      LabelsHide();
   }
   TraditionalSolitaireGame::UndoRecordReplay(record);
}

void CribbageSquareSolitaire::ResultsShow()
{
   if (GUIManager::WidgetGetByPath(RESULTS_LAYER))
   {
      return;
   }
   GUIManager::Push(RESULTS_LAYER, &CribbageSquareSolitaire::ResultsLayerFill, this);
}

void CribbageSquareSolitaire::ResultsLayerFill(LayerWidget* layer, void* game)
{
   CribbageSquareSolitaire* self = static_cast<CribbageSquareSolitaire*>(game);
   if (!layer || !self)
   {
      return;
   }
   LabelWidget* title = dynamic_cast<LabelWidget*>(DescendantByNameFind(layer, "Title"));
   if (title)
   {
      title->TextKeySet(self->gameResult == MINIGAME_RESULT_WON ? "TraditionalSolitaireWin"
                                                                : "TraditionalSolitaireLose");
   }
   NumberLabelWidget* time = dynamic_cast<NumberLabelWidget*>(DescendantByNameFind(layer, "Time"));
   if (time)
   {
      time->TextFormatFunctionSet(&TraditionalSolitaireTimeTextFormat, nullptr);
      time->ValueSet(static_cast<double>(self->gameTimeFrozen) / 1000.0);
   }
   NumberLabelWidget* score = dynamic_cast<NumberLabelWidget*>(DescendantByNameFind(layer, "Score"));
   if (score)
   {
      score->TextFormatFunctionSet(&IntegerTextFormat, nullptr);
      score->ValueSet(static_cast<double>(self->ScoreGet()));
   }
}

void CribbageSquareSolitaire::ResultsHide()
{
   GUIManager::Remove(RESULTS_LAYER);
}
} // namespace Corvale
