// Gaps' deal, its select-and-swap play, the finished rows, the score and the reshuffles.
#include "games/solitaire/GapsSolitaire.h"

#include <cstdio>
#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/CribbageHandScorer.h"
#include "cardgame/RecordSupport.h"
#include "core/TextManager.h"
#include "gui/widgets/PressButtonWidget.h"

namespace Corvale
{
GapsSolitaire gapsSolitaire;

namespace
{
constexpr u32 RESET_CAPTION_SIZE = 128;

bool GapCheck(const Card* card)
{
   return card && card->rank == RANK_ACE;
}

i32 RankAceHighGet(const Card* card)
{
   return card->rank == RANK_ACE ? RANK_ACE_HIGH : card->rank;
}
} // namespace

bool GapsResetCaptionFormat(const char* format, i32 count, char* buffer, u32 bufferSize)
{
   if (!buffer || bufferSize == 0)
   {
      return false;
   }
   i32 written = 0;
   if (CribbageLineFormatCheck(format))
   {
      written = std::snprintf(buffer, bufferSize, format, count);
   }
   else
   {
      WarningPrintf(
          "GapsSolitaire::ResetButtonLabelRefresh -- \"ShuffleWithNumber\" is not a format with one "
          "%%d: %s\n",
          format ? format : "(missing)");
      written = std::snprintf(buffer, bufferSize, "%d", count);
   }
   return written >= 0 && static_cast<u32>(written) < bufferSize;
}

void GapsSolitaire::ReflectionRegister()
{
   auto* record = ReflectionRecordCreate<ReflectionTypeObjectTyped<GapsSolitaire>>("Corvale::GapsSolitaire");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(TalonSolitaire).name());
   record->FieldAdd(&GapsSolitaire::clicked, "clicked");
   ReflectionManager::TypeRegister(record);
}

CardPile* GapsSolitaire::RowGet(i32 row)
{
   return CardPileGet(CARD_PILE_TYPE_TABLEAU, row, -1);
}

void GapsSolitaire::Init()
{
   TalonSolitaire::Init();
   GameNew();
}

void GapsSolitaire::TextsRefresh()
{
   TalonSolitaire::TextsRefresh();
   // The caption is formatted from a text, so a new language needs it formatted again.
   ResetButtonLabelRefresh();
}

bool GapsSolitaire::Load(JSONValue* document)
{
   const bool loaded = TalonSolitaire::Load(document);
   if (loaded)
   {
      // The stock of Gaps is empty in play, which the talon games read as a reset to offer; here
      // the loaded count alone decides.
      ResetButtonLabelRefresh();
   }
   return loaded;
}

void GapsSolitaire::ResetButtonLabelRefresh()
{
   if (!resetButton)
   {
      return;
   }
   if (!ResetAllowedCheck())
   {
      ResetButtonShow(false);
      return;
   }
   char caption[RESET_CAPTION_SIZE];
   if (!GapsResetCaptionFormat(textManager.TextGet("ShuffleWithNumber"), maxResets - resetNum, caption,
                               sizeof(caption)))
   {
      WarningPrintf("GapsSolitaire::ResetButtonLabelRefresh -- the caption was cut\n");
   }
   resetButton->TextSet(caption);
   resetButton->EnabledSet(true);
   ResetButtonShow(true);
}

void GapsSolitaire::GameNew()
{
   UndoHistoryClear();
   TalonSolitaire::GameNew();
   ResetButtonShow(false);
   resetNum = 0;
   maxResets = -1;

   CardPile* stock = CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
   if (!stock)
   {
      WarningPrintf("GapsSolitaire::GameNew -- the constants declare no stock pile\n");
      return;
   }
   stock->DecksAdd(1);
   CardPileShuffle(stock);

   const u32 delay = static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0);
   const bool twosFirst = SettingBoolGet("TwosAlwaysBeginRows");
   if (twosFirst)
   {
      i32 row = 0;
      for (i32 i = 0; i < stock->cards.count; ++i)
      {
         if (stock->cards[i]->rank == RANK_TWO)
         {
            CardMoveQueue(RowGet(row++), stock->cards[i], delay, true);
         }
      }
   }
   i32 row = 0;
   i32 column = twosFirst ? 1 : 0;
   for (i32 i = 0; i < stock->cards.count; ++i)
   {
      Card* card = stock->cards[i];
      if (twosFirst && card->rank == RANK_TWO)
      {
         continue;
      }
      CardMoveQueue(RowGet(row), card, delay, card->rank != RANK_ACE);
      if (++column == GAPS_ROW_LENGTH)
      {
         column = twosFirst ? 1 : 0;
         row++;
      }
   }

   clicked = 0;
   if (SettingBoolGet("AllowResets"))
   {
      maxResets = GAPS_RESETS_MAX;
   }
   ResetButtonLabelRefresh();
   ActionTurnBeginPost();
}

void GapsSolitaire::SelectionClear()
{
   Card* selected = clicked > 0 ? CardGet(clicked) : nullptr;
   if (selected)
   {
      CardSelectedSet(selected, false);
   }
   clicked = 0;
}

bool GapsSolitaire::MoveLegalCheck(const Card* selected, const Card* gap)
{
   const CardPile* row = gap ? gap->pile : nullptr;
   if (!selected || !row || !GapCheck(gap) || GapCheck(selected))
   {
      return false;
   }
   const i32 column = row->CardIndexGet(gap);
   const Card* left = column > 0 ? row->cards[column - 1] : nullptr;
   // Plain arithmetic: a Two fits right of its own suit's gap Ace.
   if (left && left->suit == selected->suit && left->rank + 1 == selected->rank)
   {
      return true;
   }
   if (SettingBoolGet("LeftHighOnly"))
   {
      return false;
   }
   const Card* right = column + 1 < row->cards.count ? row->cards[column + 1] : nullptr;
   return right && right->suit == selected->suit && right->rank == selected->rank + 1;
}

void GapsSolitaire::CardChoose(Card* card)
{
   if (!card || !card->pile || card->pile->type != CARD_PILE_TYPE_TABLEAU)
   {
      return;
   }
   if (!GapCheck(card))
   {
      SelectionClear();
      clicked = card->id;
      CardSelectedSet(card, true);
      return;
   }
   Card* selected = clicked > 0 ? CardGet(clicked) : nullptr;
   if (!selected)
   {
      return;
   }
   SelectionClear();
   if (!MoveLegalCheck(selected, card))
   {
      return;
   }
   CardPile* gapRow = card->pile;
   CardPile* selectedRow = selected->pile;
   const i32 gapColumn = gapRow->CardIndexGet(card);
   const i32 selectedColumn = selectedRow->CardIndexGet(selected);
   undoMoveBegins = true;
   CardInsert(gapRow, gapColumn, selected);
   CardInsert(selectedRow, selectedColumn, card);
}

bool GapsSolitaire::CardPickUpCheck(Card* card)
{
   (void)card;
   return false;
}

bool GapsSolitaire::CardDropCheck(CardPile* pile, Card* card)
{
   (void)pile;
   (void)card;
   return false;
}

bool GapsSolitaire::CardPlayableCheck(Card* card)
{
   if (!card || GapCheck(card) || !card->pile || card->pile->type != CARD_PILE_TYPE_TABLEAU)
   {
      return false;
   }
   const bool leftOnly = SettingBoolGet("LeftHighOnly");
   for (i32 r = 0; r < GAPS_ROW_COUNT; ++r)
   {
      const CardPile* row = RowGet(r);
      for (i32 c = 0; row && c < row->cards.count; ++c)
      {
         if (!GapCheck(row->cards[c]))
         {
            continue;
         }
         const Card* left = c > 0 ? row->cards[c - 1] : nullptr;
         if (left && !GapCheck(left) && left->suit == card->suit &&
             RankAceHighGet(left) + 1 == RankAceHighGet(card))
         {
            return true;
         }
         const Card* right = c + 1 < row->cards.count ? row->cards[c + 1] : nullptr;
         if (!leftOnly && right && !GapCheck(right) && right->suit == card->suit &&
             RankAceHighGet(right) == RankAceHighGet(card) + 1)
         {
            return true;
         }
      }
   }
   return false;
}

bool GapsSolitaire::RowFinishedCheck(const CardPile* row)
{
   if (!row || row->cards.count < 2)
   {
      return false;
   }
   for (i32 start = 0; start < 2; ++start)
   {
      const Card* two = row->cards[start];
      bool ascends = two->rank == RANK_TWO && row->cards.count >= start + 12;
      for (i32 c = 1; ascends && c < 12; ++c)
      {
         const Card* card = row->cards[start + c];
         ascends = card->suit == two->suit && card->rank == RANK_TWO + c;
      }
      if (ascends)
      {
         return true;
      }
   }
   return false;
}

void GapsSolitaire::Refresh()
{
   PlayableCardsHighlight();
   if (!MayActCheck())
   {
      return;
   }
   for (i32 r = 0; r < GAPS_ROW_COUNT; ++r)
   {
      const CardPile* row = RowGet(r);
      if (!row || row->cards.count < 2 || !RowFinishedCheck(row))
      {
         return;
      }
   }
   GameWin();
}

i32 GapsSolitaire::ScoreGet()
{
   i32 total = 0;
   for (i32 r = 0; r < GAPS_ROW_COUNT; ++r)
   {
      const CardPile* row = RowGet(r);
      i32 steps = 0;
      for (i32 c = 1; row && c < row->cards.count; ++c)
      {
         const Card* previous = row->cards[c - 1];
         const Card* card = row->cards[c];
         if (card->suit != previous->suit || RankAceHighGet(card) != RankAceHighGet(previous) + 1)
         {
            break;
         }
         steps++;
      }
      total += steps > 0 ? steps + 1 : 0;
   }
   return total;
}

void GapsSolitaire::TalonReset()
{
   CardPile* stock = CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
   // The button is the only way here, but a loaded or stale one must not grant a fourth.
   if (!stock || !ResetAllowedCheck())
   {
      return;
   }
   SelectionClear();
   resetNum++;
   ResetButtonLabelRefresh();

   i32 kept[GAPS_ROW_COUNT] = {};
   for (i32 r = 0; r < GAPS_ROW_COUNT; ++r)
   {
      const CardPile* row = RowGet(r);
      const Card* first = row && row->cards.count > 0 ? row->cards[0] : nullptr;
      while (first && kept[r] < row->cards.count && row->cards[kept[r]]->suit == first->suit &&
             row->cards[kept[r]]->rank == kept[r] + RANK_TWO)
      {
         kept[r]++;
      }
   }
   undoMoveBegins = true;
   // By card ID: the order of creation, which a loaded game's card table does not keep, so a loaded
   // game reshuffles as the same game played on would.
   for (i32 id = 0; id < nextCardID; ++id)
   {
      Card* card = CardGet(id);
      const CardPile* row = card ? card->pile : nullptr;
      if (!row || row->type != CARD_PILE_TYPE_TABLEAU || row->secondaryID < 0 ||
          row->secondaryID >= GAPS_ROW_COUNT || row->CardIndexGet(card) < kept[row->secondaryID])
      {
         continue;
      }
      CardAdd(stock, card);
      CardFaceUpSet(card, false, true);
   }
   CardPileShuffle(stock);

   const u32 delay = static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0);
   i32 next = 0;
   for (i32 r = 0; r < GAPS_ROW_COUNT; ++r)
   {
      for (i32 c = kept[r]; c < GAPS_ROW_LENGTH && next < stock->cards.count; ++c)
      {
         Card* card = stock->cards[next++];
         CardMoveQueue(RowGet(r), card, delay, card->rank != RANK_ACE);
      }
   }
   UndoHistoryClearPost();
}

void GapsSolitaire::Undo()
{
   // The base deselects every card; the remembered choice goes with its mark.
   TalonSolitaire::Undo();
   clicked = 0;
}
} // namespace Corvale
