// Bowling solitaire's frames: the turned card, the pin and ball rules, the throws the refresh
// records as balls fill, the bowling score of each frame and the score sheet across the top.
#include "games/solitaire/BowlingSolitaire.h"

#include <cstdio>
#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/RecordSupport.h"
#include "gui/widgets/LabelWidget.h"
#include "gui/widgets/LayerWidget.h"

namespace Corvale
{
BowlingSolitaire BowlingSolitaire::instance;

namespace
{
constexpr i32 TENTH_FRAME_FIRST = 18;
constexpr i32 MARK_SIZE = 16;
} // namespace

BowlingSolitaire::BowlingSolitaire() : throws(allocatorDefault)
{
}

void BowlingSolitaire::ReflectionRegister()
{
   auto* record =
       ReflectionRecordCreate<ReflectionTypeObjectTyped<BowlingSolitaire>>("Corvale::BowlingSolitaire");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(TraditionalSolitaireGame).name());
   record->FieldAdd(&BowlingSolitaire::throws, "throws");
   record->FieldAdd(&BowlingSolitaire::throwIndex, "throwIndex");
   record->FieldAdd(&BowlingSolitaire::firstBall, "firstBall");
   ReflectionManager::TypeRegister(record);
}

void BowlingSolitaire::LabelsForget()
{
   for (LabelWidget*& label : throwLabels)
   {
      label = nullptr;
   }
   for (LabelWidget*& label : frameLabels)
   {
      label = nullptr;
   }
}

void BowlingSolitaire::Init()
{
   // The labels of an earlier visit went with its layer.
   LabelsForget();
   TraditionalSolitaireGame::Init();
   ThrowsReset();
   GameNew();
}

void BowlingSolitaire::Deinit()
{
   TraditionalSolitaireGame::Deinit();
   LabelsForget();
}

void BowlingSolitaire::GUIInit(LayerWidget* pushedLayer)
{
   TraditionalSolitaireGame::GUIInit(pushedLayer);
   char path[32];
   for (i32 i = 0; i < BOWLING_THROW_COUNT; ++i)
   {
      std::snprintf(path, sizeof(path), "Panel.Throw%i", i);
      throwLabels[i] =
          pushedLayer ? dynamic_cast<LabelWidget*>(pushedLayer->DescendantGetByPath(path)) : nullptr;
      if (pushedLayer && !throwLabels[i])
      {
         WarningPrintf("BowlingSolitaire::GUIInit -- the layer has no label %s\n", path);
      }
   }
   for (i32 i = 0; i < BOWLING_FRAME_COUNT; ++i)
   {
      std::snprintf(path, sizeof(path), "Panel.Frame%i", i);
      frameLabels[i] =
          pushedLayer ? dynamic_cast<LabelWidget*>(pushedLayer->DescendantGetByPath(path)) : nullptr;
      if (pushedLayer && !frameLabels[i])
      {
         WarningPrintf("BowlingSolitaire::GUIInit -- the layer has no label %s\n", path);
      }
   }
   ScoreSheetUpdate();
}

i32 BowlingSolitaire::BallSizeGet()
{
   return SettingBoolGet("WasteHoldsTwo") ? 2 : 3;
}

CardPile* BowlingSolitaire::StockGet()
{
   return CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
}

CardPile* BowlingSolitaire::TurnedGet()
{
   return CardPileGet(CARD_PILE_TYPE_FLIP, -1, -1);
}

CardPile* BowlingSolitaire::BallGet(i32 ball)
{
   return CardPileGet(CARD_PILE_TYPE_WASTE, ball, -1);
}

CardPile* BowlingSolitaire::PinGet(i32 pin)
{
   return CardPileGet(CARD_PILE_TYPE_TABLEAU, pin, -1);
}

void BowlingSolitaire::ThrowsReset()
{
   throws.Clear();
   for (i32 i = 0; i < BOWLING_THROW_COUNT; ++i)
   {
      throws.Insert(-1, throws.count);
   }
   throwIndex = 0;
   firstBall = true;
}

void BowlingSolitaire::GameNew()
{
   undoMoveBegins = true;
   UndoHistoryClear();
   TraditionalSolitaireGame::GameNew();
   ThrowsReset();
   for (i32& rank : pinRanks)
   {
      rank = 0;
   }
   ScoreSheetUpdate();
   CardPile* stock = StockGet();
   if (!stock)
   {
      WarningPrintf("BowlingSolitaire::GameNew -- the constants declare no stock pile\n");
      return;
   }
   stock->DecksAdd(1);
   CardPileShuffle(stock);
   ActionTurnBeginPost();
}

void BowlingSolitaire::ThrowsRepair()
{
   bool repaired = throws.count != BOWLING_THROW_COUNT || throwIndex < 0 || throwIndex > BOWLING_THROW_COUNT;
   while (throws.count > BOWLING_THROW_COUNT)
   {
      throws.RemoveAt(throws.count - 1);
   }
   while (throws.count < BOWLING_THROW_COUNT)
   {
      throws.Insert(-1, throws.count);
   }
   for (i32 i = 0; i < throws.count; ++i)
   {
      if (throws[i] < -1 || throws[i] > BOWLING_PIN_COUNT)
      {
         throws[i] = -1;
         repaired = true;
      }
   }
   throwIndex = throwIndex < 0 ? 0 : (throwIndex > BOWLING_THROW_COUNT ? BOWLING_THROW_COUNT : throwIndex);
   if (repaired)
   {
      WarningPrintf(
          "BowlingSolitaire::Load -- the saved throws were damaged; unreadable entries are cleared\n");
   }
}

bool BowlingSolitaire::Load(JSONValue* document)
{
   const bool loaded = TraditionalSolitaireGame::Load(document);
   ThrowsRepair();
   ScoreSheetUpdate();
   return loaded;
}

bool BowlingSolitaire::CardChooseOnClickCheck(Card* card)
{
   const CardPile* turned = TurnedGet();
   return card && card->pile && card->pile->type == CARD_PILE_TYPE_DRAW && turned && turned->cards.count == 0;
}

void BowlingSolitaire::CardChoose(Card* card)
{
   CardPile* stock = StockGet();
   CardPile* turned = TurnedGet();
   if (card && stock && turned && card->pile == stock && turned->cards.count == 0)
   {
      undoMoveBegins = true;
      CardsDealToPile(turned, stock, 1, true);
      return;
   }
   TraditionalSolitaireGame::CardChoose(card);
}

bool BowlingSolitaire::CardPickUpCheck(Card* card)
{
   const CardPile* pile = card ? card->pile : nullptr;
   return pile && pile->type == CARD_PILE_TYPE_FLIP && pile->CardTopGet() == card;
}

bool BowlingSolitaire::CardDropCheck(CardPile* pile, Card* card)
{
   if (!pile || !card)
   {
      return false;
   }
   const i32 size = BallSizeGet();
   if (pile->type == CARD_PILE_TYPE_WASTE)
   {
      const CardPile* first = BallGet(0);
      if (pile->secondaryID == 0)
      {
         return pile->cards.count < size;
      }
      return pile->secondaryID == 1 && first && first->cards.count == size && pile->cards.count < size;
   }
   if (pile->type != CARD_PILE_TYPE_TABLEAU || pile->secondaryID < 0 ||
       pile->secondaryID >= BOWLING_PIN_COUNT)
   {
      return false;
   }
   const Card* top = pile->CardTopGet();
   if (top)
   {
      return card->rank == top->rank;
   }
   // The standing pins keep their ranks strictly ascending from pin 0 to pin 9.
   for (i32 pin = 0; pin < BOWLING_PIN_COUNT; ++pin)
   {
      const CardPile* other = PinGet(pin);
      const Card* otherTop = other ? other->CardTopGet() : nullptr;
      if (!otherTop || pin == pile->secondaryID)
      {
         continue;
      }
      if ((pin < pile->secondaryID && card->rank <= otherTop->rank) ||
          (pin > pile->secondaryID && card->rank >= otherTop->rank))
      {
         return false;
      }
   }
   return true;
}

void BowlingSolitaire::ThrowWrite(i32 entry, i32 pins)
{
   if (entry < 0 || entry >= throws.count)
   {
      WarningPrintf("BowlingSolitaire::ThrowWrite -- throw %d is past the score sheet\n", entry);
      return;
   }
   UndoRecordTyped(UNDO_RECORD_BOWLING_THROW, entry, throws[entry], throwIndex, firstBall);
   throws[entry] = pins;
}

void BowlingSolitaire::Refresh()
{
   PlayableCardsHighlight();
   if (!MayActCheck() || gameResult != MINIGAME_RESULT_RUNNING)
   {
      return;
   }
   i32 knocked = 0;
   for (i32 pin = 0; pin < BOWLING_PIN_COUNT; ++pin)
   {
      const CardPile* pile = PinGet(pin);
      const Card* top = pile ? pile->CardTopGet() : nullptr;
      pinRanks[pin] = top ? top->rank : 0;
      knocked += top ? 1 : 0;
   }
   const CardPile* first = BallGet(0);
   const CardPile* second = BallGet(1);
   const i32 size = BallSizeGet();
   i32 n = throwIndex;
   // The last throw of the frame; throws reach 21 after a tenth frame with a bonus ball, 20 without.
   bool frameDone = false;
   bool over = false;
   if (n >= BOWLING_THROW_COUNT)
   {
      over = true;
   }
   else if (knocked == BOWLING_PIN_COUNT)
   {
      // A strike is tested first: on a spare ball 1 is full and its throw is the one before.
      if (first && first->cards.count >= size && n > 0)
      {
         ThrowWrite(n, BOWLING_PIN_COUNT - throws[n - 1]);
         n += 1;
      }
      else
      {
         ThrowWrite(n, BOWLING_PIN_COUNT);
         n += n < TENTH_FRAME_FIRST ? 2 : 1;
      }
      frameDone = true;
      over = n >= BOWLING_THROW_COUNT;
   }
   else if (first && first->cards.count >= size && firstBall)
   {
      ThrowWrite(n, knocked);
      n += 1;
      firstBall = false;
      over = n >= BOWLING_THROW_COUNT;
   }
   else if (second && second->cards.count >= size && n > 0)
   {
      ThrowWrite(n, knocked - throws[n - 1]);
      n += 1;
      frameDone = true;
      over = n >= BOWLING_THROW_COUNT - 1;
   }
   else
   {
      // Nothing thrown; with an empty stock and no move the table simply waits.
      return;
   }
   throwIndex = n;
   if (over)
   {
      // The last frame shows before the results.
      ScoreSheetUpdate();
      GameOver();
      return;
   }
   if (!frameDone)
   {
      ScoreSheetUpdate();
      return;
   }
   ScoreSheetUpdate();
   firstBall = true;
   CardPile* stock = StockGet();
   if (!stock)
   {
      return;
   }
   // Gathered in card order, so the next rack depends on the seeds alone, also after a load.
   CardsGatherShuffled(stock);
   ActionAnimationsWaitPost();
   undoMoveBegins = true;
}

void BowlingSolitaire::GameOver()
{
   if (ScoreGet() >= BOWLING_WIN_SCORE)
   {
      GameWin();
   }
   else
   {
      GameLose();
   }
}

i32 BowlingSolitaire::FrameScoreCompute(const i32* t, i32 n, i32 frame)
{
   if (!t || frame < 1 || frame > BOWLING_FRAME_COUNT)
   {
      return BOWLING_FRAME_INCOMPLETE;
   }
   i32 own = 0;
   if (frame < BOWLING_FRAME_COUNT)
   {
      const i32 i = 2 * frame - 2;
      if (!(i < n - 1))
      {
         return BOWLING_FRAME_INCOMPLETE;
      }
      const i32 a = t[i];
      const i32 b = t[i + 1];
      if (a == BOWLING_PIN_COUNT)
      {
         // A strike leaves its second entry at -1, so it is told apart before the open frame.
         if (!(2 * frame < n - 1))
         {
            own = BOWLING_FRAME_BONUS_PENDING;
         }
         else if (t[2 * frame] < BOWLING_PIN_COUNT)
         {
            own = 10 + t[2 * frame] + t[2 * frame + 1];
         }
         else if (frame == BOWLING_FRAME_COUNT - 1)
         {
            own = n > 20 ? 20 + t[19] : BOWLING_FRAME_BONUS_PENDING;
         }
         else
         {
            own = 2 * frame + 2 < n - 1 ? 20 + t[2 * frame + 2] : BOWLING_FRAME_BONUS_PENDING;
         }
      }
      else if (a + b < BOWLING_PIN_COUNT)
      {
         own = a + b;
      }
      else
      {
         own = 2 * frame < n - 1 ? 10 + t[2 * frame] : BOWLING_FRAME_BONUS_PENDING;
      }
   }
   else
   {
      if (n < 20)
      {
         return BOWLING_FRAME_INCOMPLETE;
      }
      const i32 a = t[18];
      const i32 b = t[19];
      // A strike or a spare in the tenth frame waits for its bonus ball.
      if (n < BOWLING_THROW_COUNT && (a == BOWLING_PIN_COUNT || a + b >= BOWLING_PIN_COUNT))
      {
         own = BOWLING_FRAME_BONUS_PENDING;
      }
      else
      {
         own = (a > 0 ? a : 0) + (b > 0 ? b : 0) + (t[20] > 0 ? t[20] : 0);
      }
   }
   if (own < 0)
   {
      return own;
   }
   const i32 previous = frame > 1 ? FrameScoreCompute(t, n, frame - 1) : 0;
   return previous < 0 ? BOWLING_FRAME_BONUS_PENDING : previous + own;
}

void BowlingSolitaire::ThrowMarkGet(const i32* t, i32 n, i32 entry, char* buffer, u32 bufferSize)
{
   if (!buffer || bufferSize == 0)
   {
      return;
   }
   buffer[0] = '\0';
   if (!t || entry < 0 || entry >= BOWLING_THROW_COUNT)
   {
      return;
   }
   if (entry < TENTH_FRAME_FIRST)
   {
      const i32 i = entry - entry % 2;
      if (i >= n || t[i] < 0)
      {
         return;
      }
      if (t[i] == BOWLING_PIN_COUNT)
      {
         std::snprintf(buffer, bufferSize, "%s", entry == i ? "X" : "-");
      }
      else if (entry == i)
      {
         std::snprintf(buffer, bufferSize, "%i", t[i]);
      }
      else if (t[entry] >= 0 && entry < n)
      {
         std::snprintf(buffer, bufferSize, t[i] + t[entry] == BOWLING_PIN_COUNT ? "/" : "%i", t[entry]);
      }
      return;
   }
   if (entry >= n || t[entry] < 0)
   {
      return;
   }
   // In the tenth frame a ball meets a fresh rack after a strike or a spare, else the rack of the
   // ball before.
   bool fresh = entry == TENTH_FRAME_FIRST;
   if (entry == TENTH_FRAME_FIRST + 1)
   {
      fresh = t[18] == BOWLING_PIN_COUNT;
   }
   else if (entry == TENTH_FRAME_FIRST + 2)
   {
      fresh = t[18] == BOWLING_PIN_COUNT ? t[19] == BOWLING_PIN_COUNT : t[18] + t[19] == BOWLING_PIN_COUNT;
   }
   if (fresh && t[entry] == BOWLING_PIN_COUNT)
   {
      std::snprintf(buffer, bufferSize, "X");
   }
   else if (!fresh && t[entry - 1] + t[entry] == BOWLING_PIN_COUNT)
   {
      std::snprintf(buffer, bufferSize, "/");
   }
   else
   {
      std::snprintf(buffer, bufferSize, "%i", t[entry]);
   }
}

void BowlingSolitaire::ScoreSheetUpdate()
{
   if (throws.count < BOWLING_THROW_COUNT)
   {
      return;
   }
   char text[MARK_SIZE];
   for (i32 i = 0; i < BOWLING_THROW_COUNT; ++i)
   {
      if (throwLabels[i])
      {
         ThrowMarkGet(throws.data, throwIndex, i, text, sizeof(text));
         throwLabels[i]->TextSet(text);
      }
   }
   for (i32 f = 1; f <= BOWLING_FRAME_COUNT; ++f)
   {
      if (!frameLabels[f - 1])
      {
         continue;
      }
      const i32 score = FrameScoreGet(f);
      text[0] = '\0';
      if (score >= 0)
      {
         std::snprintf(text, sizeof(text), "%i", score);
      }
      frameLabels[f - 1]->TextSet(text);
   }
}

i32 BowlingSolitaire::FrameScoreGet(i32 frame)
{
   return throws.count >= BOWLING_THROW_COUNT ? FrameScoreCompute(throws.data, throwIndex, frame)
                                              : BOWLING_FRAME_INCOMPLETE;
}

i32 BowlingSolitaire::ScoreGet()
{
   return FrameScoreGet(BOWLING_FRAME_COUNT);
}

void BowlingSolitaire::UndoRecordReplay(const UndoRecord& record)
{
   if (record.type != UNDO_RECORD_BOWLING_THROW)
   {
      TraditionalSolitaireGame::UndoRecordReplay(record);
      return;
   }
   if (record.index >= 0 && record.index < throws.count)
   {
      throws[record.index] = record.pileID;
   }
   throwIndex = record.cardID;
   firstBall = record.faceUp;
   ScoreSheetUpdate();
   refreshPending = true;
   seed1 = record.seed1;
   seed2 = record.seed2;
}
} // namespace Corvale
