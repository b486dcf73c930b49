// Slide's deal, row slides, Talon refill, triples and their score, and the end at the used-up stock.
#include "games/solitaire/SlideSolitaire.h"

#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/RecordSupport.h"
#include "core/JSONValue.h"
#include "core/Log.h"
#include "gui/widgets/LayerWidget.h"
#include "gui/widgets/NumberLabelWidget.h"
#include "gui/widgets/PressButtonWidget.h"

namespace Corvale
{
SlideSolitaire SlideSolitaire::instance;

void SlideSolitaire::ReflectionRegister()
{
   auto* record =
       ReflectionRecordCreate<ReflectionTypeObjectTyped<SlideSolitaire>>("Corvale::SlideSolitaire");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(TraditionalSolitaireGame).name());
   record->FieldAdd(&SlideSolitaire::timesScored, "timesScored");
   record->FieldAdd(&SlideSolitaire::score, "score");
   ReflectionManager::TypeRegister(record);
}

CardPile* SlideSolitaire::GridPileGet(i32 row, i32 column)
{
   if (row < 0 || row >= SLIDE_ROW_COUNT || column < 0 || column >= SLIDE_COLUMN_COUNT)
   {
      return nullptr;
   }
   return CardPileGet(CARD_PILE_TYPE_TABLEAU, row * SLIDE_COLUMN_COUNT + column, -1);
}

void SlideSolitaire::Init()
{
   // The widgets of an earlier visit went with its layer.
   scoreNumber = nullptr;
   scoreText = nullptr;
   TraditionalSolitaireGame::Init();
   GameNew();
}

void SlideSolitaire::Deinit()
{
   TraditionalSolitaireGame::Deinit();
   scoreNumber = nullptr;
   scoreText = nullptr;
}

void SlideSolitaire::GUIInit(LayerWidget* pushedLayer)
{
   TraditionalSolitaireGame::GUIInit(pushedLayer);
   static const char* const names[] = {"L1", "L2", "L3", "L4", "R1", "R2", "R3", "R4"};
   for (const char* name : names)
   {
      PressButtonWidget* button =
          pushedLayer ? dynamic_cast<PressButtonWidget*>(pushedLayer->DescendantGetByPath(name)) : nullptr;
      if (!button)
      {
         WarningPrintf("SlideSolitaire::GUIInit -- the layer has no button %s\n", name);
         continue;
      }
      button->onClick = &SlideSolitaire::SlideButtonClick;
      button->onClickUserData = this;
   }
   ScoreDisplayInit(pushedLayer);
}

void SlideSolitaire::ScoreDisplayInit(LayerWidget* pushedLayer)
{
   scoreNumber = pushedLayer
                     ? dynamic_cast<NumberLabelWidget*>(pushedLayer->DescendantGetByPath("ScoreNumber"))
                     : nullptr;
   scoreText = pushedLayer ? pushedLayer->DescendantGetByPath("ScoreText") : nullptr;
   if (scoreNumber)
   {
      scoreNumber->VisibleSet(false);
   }
   if (scoreText)
   {
      scoreText->VisibleSet(false);
   }
   if (!constants || !ConstFlagGet(constants, "ScoreTextIncluded"))
   {
      return;
   }
   if (scoreNumber)
   {
      if (constants->ItemPoint2FCheck("ScoreNumberPosition"))
      {
         scoreNumber->PositionSet(constants->ItemGet("ScoreNumberPosition")->Point2FValueGet());
      }
      scoreNumber->TextFormatFunctionSet(&IntegerTextFormat, nullptr);
      scoreNumber->ValueSet(static_cast<double>(score));
      scoreNumber->VisibleSet(true);
   }
   if (scoreText)
   {
      if (constants->ItemPoint2FCheck("ScoreTextPosition"))
      {
         scoreText->PositionSet(constants->ItemGet("ScoreTextPosition")->Point2FValueGet());
      }
      scoreText->VisibleSet(true);
   }
}

void SlideSolitaire::ScoreShow()
{
   if (scoreNumber)
   {
      scoreNumber->ValueSet(static_cast<double>(score));
   }
}

void SlideSolitaire::GameNew()
{
   UndoHistoryClear();
   TraditionalSolitaireGame::GameNew();
   timesScored = 0;
   score = 0;
   ScoreShow();

   CardPile* stock = CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
   if (!stock)
   {
      WarningPrintf("SlideSolitaire::GameNew -- the constants declare no stock pile\n");
      return;
   }
   stock->DecksAdd(1);
   CardPileShuffle(stock);

   const u32 delay = static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0);
   for (i32 i = 0; i < SLIDE_ROW_COUNT * SLIDE_COLUMN_COUNT; ++i)
   {
      CardPileTopCardMoveQueue(CardPileGet(CARD_PILE_TYPE_TABLEAU, i, -1), stock, delay, true);
   }
   for (i32 i = 0; i < cardPiles.count; ++i)
   {
      if (cardPiles[i]->type == CARD_PILE_TYPE_TALON)
      {
         CardPileTopCardMoveQueue(cardPiles[i], stock, delay, true);
      }
   }
   ActionTurnBeginPost();
}

bool SlideSolitaire::Load(JSONValue* document)
{
   const bool loaded = TraditionalSolitaireGame::Load(document);
   ScoreShow();
   return loaded;
}

bool SlideSolitaire::CardPickUpCheck(Card* card)
{
   return card && card->pile && card->pile->type == CARD_PILE_TYPE_TALON && card->pile->CardTopGet() == card;
}

bool SlideSolitaire::CardDropCheck(CardPile* pile, Card* card)
{
   return pile && card && pile->type == CARD_PILE_TYPE_TABLEAU && pile->cards.count == 0;
}

void SlideSolitaire::SlideButtonClick(PressButtonWidget* button, void* game)
{
   SlideSolitaire* self = static_cast<SlideSolitaire*>(game);
   const char* name = button ? button->NameGet() : nullptr;
   if (!self || !name || !name[0] || !self->MayActCheck())
   {
      return;
   }
   const i32 row = name[1] - '1';
   if (row < 0 || row >= SLIDE_ROW_COUNT)
   {
      WarningPrintf("SlideSolitaire::SlideButtonClick -- no row for the button %s\n", name);
      return;
   }
   if (name[0] == 'L')
   {
      self->RowSlideLeft(row);
   }
   else
   {
      self->RowSlideRight(row);
   }
}

void SlideSolitaire::RowSlideRight(i32 row)
{
   RowSlide(row, 1);
}

void SlideSolitaire::RowSlideLeft(i32 row)
{
   RowSlide(row, -1);
}

void SlideSolitaire::EntryFill(CardPile* entry)
{
   CardPile* talon = CardPileGet(CARD_PILE_TYPE_TALON, -1, -1);
   CardPile* stock = CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
   Card* entering = talon ? talon->CardTopGet() : nullptr;
   if (entering)
   {
      CardAdd(entry, entering);
   }
   CardPile* feeds = CardPileGet(CARD_PILE_TYPE_TALON, entry->secondaryID, -1);
   Card* drawn = stock ? stock->CardTopGet() : nullptr;
   if (feeds && drawn)
   {
      CardAdd(feeds, drawn);
   }
   Card* next = talon ? talon->CardTopGet() : nullptr;
   if (next)
   {
      CardFaceUpSet(next, true, true);
   }
}

void SlideSolitaire::RowSlide(i32 row, i32 step)
{
   const i32 entryColumn = step > 0 ? 0 : SLIDE_COLUMN_COUNT - 1;
   const i32 farColumn = SLIDE_COLUMN_COUNT - 1 - entryColumn;
   CardPile* entry = GridPileGet(row, entryColumn);
   CardPile* far = GridPileGet(row, farColumn);
   if (!entry || !far)
   {
      WarningPrintf("SlideSolitaire::RowSlide -- the constants lack a pile of row %d\n", row);
      return;
   }
   undoMoveBegins = true;

   Card* farCard = far->CardGet(0);
   const i32 leavingRank = farCard ? farCard->rank : -1;
   bool rankStays = false;
   for (i32 i = 0; i < SLIDE_COLUMN_COUNT - 1; ++i)
   {
      CardPile* from = GridPileGet(row, entryColumn + i * step);
      CardPile* to = GridPileGet(row, entryColumn + (i + 1) * step);
      if (!from || !to)
      {
         return;
      }
      Card* moving = from->CardGet(0);
      if (to->cards.count == 0 || (i == 0 && !moving))
      {
         // The shift stops at the first gap and nothing leaves the row.
         if (moving)
         {
            CardAdd(to, moving);
         }
         EntryFill(entry);
         return;
      }
      CardAdd(to, moving);
      rankStays = rankStays || moving->rank == leavingRank;
   }

   CardPile* talon = CardPileGet(CARD_PILE_TYPE_TALON, -1, -1);
   const Card* entering = talon ? talon->CardTopGet() : nullptr;
   rankStays = rankStays || (entering && entering->rank == leavingRank);
   EntryFill(entry);
   if (!farCard)
   {
      return;
   }
   CardPile* waste = CardPileGet(CARD_PILE_TYPE_WASTE, -1, -1);
   CardPile* stock = CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
   if ((!rankStays || SettingBoolGet("AllSlideToWaste")) && waste)
   {
      CardAdd(waste, farCard);
   }
   else if (stock)
   {
      CardFaceUpSet(farCard, false, true);
      CardInsert(stock, 0, farCard);
   }
}

bool SlideSolitaire::TripleScore()
{
   CardPile* foundation = CardPileGet(CARD_PILE_TYPE_FOUNDATION, -1, -1);
   if (!foundation)
   {
      return false;
   }
   for (i32 column = 0; column < SLIDE_COLUMN_COUNT; ++column)
   {
      i32 lastRank = -1;
      i32 count = 0;
      for (i32 row = 0; row < SLIDE_ROW_COUNT; ++row)
      {
         CardPile* pile = GridPileGet(row, column);
         const Card* top = pile ? pile->CardTopGet() : nullptr;
         if (!top)
         {
            // A gap ends the run: only cards in consecutive rows make a triple.
            count = 0;
            lastRank = -1;
            continue;
         }
         if (top->rank != lastRank)
         {
            count = 0;
            lastRank = top->rank;
            continue;
         }
         if (++count < 2)
         {
            continue;
         }
         // Undo must take the points back with the cards.
         UndoRecordTyped(UNDO_RECORD_SLIDE_SCORE, timesScored, score, -1, false);
         const u32 delay = static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0);
         for (i32 r = row - 2; r <= row; ++r)
         {
            CardPile* source = GridPileGet(r, column);
            Card* card = source ? source->CardTopGet() : nullptr;
            if (card)
            {
               CardMoveQueue(foundation, card, delay, true);
            }
         }
         timesScored++;
         score += timesScored * lastRank;
         return true;
      }
   }
   return false;
}

void SlideSolitaire::Refresh()
{
   PlayableCardsHighlight();
   if (!MayActCheck())
   {
      return;
   }
   CardPile* stock = CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
   if (CardPilesOfTypeEmpty(CARD_PILE_TYPE_TALON) && stock && stock->cards.count > 0)
   {
      CardsDealToEachPile(CARD_PILE_TYPE_TALON, stock, 1, true);
   }
   if (TripleScore())
   {
      return;
   }
   ScoreShow();
   if ((!stock || stock->cards.count == 0) && !MoveExists() && CardPilesOfTypeEmpty(CARD_PILE_TYPE_TALON))
   {
      if (score >= SLIDE_WIN_SCORE)
      {
         GameWin();
      }
      else
      {
         GameLose();
      }
   }
}

void SlideSolitaire::UndoRecordReplay(const UndoRecord& record)
{
   if (record.type == UNDO_RECORD_SLIDE_SCORE)
   {
      timesScored = record.index;
      score = record.pileID;
      ScoreShow();
   }
   TraditionalSolitaireGame::UndoRecordReplay(record);
}
} // namespace Corvale
