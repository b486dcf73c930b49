// Undo history, game end and results of the untimed solitaires. Undo replays through the piles'
// and cards' own operations, never through the recording wrappers, so taking back records nothing.
#include "cardgame/solitaire/TraditionalSolitaireGame.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <typeinfo>

#include "app/profile/ProfileStore.h"
#include "app/profile/StatisticsStore.h"
#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/CardWidget.h"
#include "cardgame/Player.h"
#include "cardgame/RecordSupport.h"
#include "core/Memory.h"
#include "core/TextManager.h"
#include "gui/GUIManager.h"
#include "gui/state/GameStateManager.h"
#include "gui/widgets/LabelWidget.h"
#include "gui/widgets/LayerWidget.h"
#include "gui/widgets/NumberLabelWidget.h"
#include "platform/input/Keyboard.h"
#include "platform/input/PlatformKeys.h"

namespace Corvale
{
namespace
{
constexpr u32 KEY_Z = 'Z';
constexpr const char* RESULTS_LAYER = "TraditionalSolitaireResults";
constexpr const char* RESULTS_LAYER_WITH_SCORE = "TraditionalSolitaireResultsWithScore";

} // namespace

Widget* DescendantByNameFind(ContainerWidget* container, const char* name)
{
   for (i32 i = 0; container && name && i < container->children.count; ++i)
   {
      Widget* child = container->children[i];
      const char* childName = child ? child->NameGet() : nullptr;
      if (childName && std::strcmp(childName, name) == 0)
      {
         return child;
      }
      Widget* found = DescendantByNameFind(dynamic_cast<ContainerWidget*>(child), name);
      if (found)
      {
         return found;
      }
   }
   return nullptr;
}

// ---- UndoHistory ----

UndoHistory::~UndoHistory()
{
   CapacitySet(0);
}

void UndoHistory::CapacitySet(i32 capacityNew)
{
   Clear();
   while (freeNodes)
   {
      Node* next = freeNodes->older;
      MemoryDelete(freeNodes);
      freeNodes = next;
   }
   freeCount = 0;
   capacity = capacityNew > 0 ? capacityNew : 0;
   for (i32 i = 0; i < capacity; ++i)
   {
      Node* node = MemoryNew<Node>(HEAP_DEFAULT);
      if (!node)
      {
         break;
      }
      node->older = freeNodes;
      freeNodes = node;
      freeCount++;
   }
}

void UndoHistory::NodeRelease(Node* node)
{
   if (freeCount + count < capacity)
   {
      node->newer = nullptr;
      node->older = freeNodes;
      freeNodes = node;
      freeCount++;
   }
   else
   {
      MemoryDelete(node);
   }
}

void UndoHistory::Clear()
{
   while (newest)
   {
      NewestRemove();
   }
}

void UndoHistory::Push(const UndoRecord& record)
{
   if (capacity <= 0)
   {
      return;
   }
   if (count >= capacity && oldest)
   {
      NodeUnlink(oldest);
   }
   Node* node = freeNodes;
   if (node)
   {
      freeNodes = node->older;
      freeCount--;
   }
   else
   {
      node = MemoryNew<Node>(HEAP_DEFAULT);
      if (!node)
      {
         return;
      }
   }
   node->record = record;
   node->newer = nullptr;
   node->older = newest;
   if (newest)
   {
      newest->newer = node;
   }
   newest = node;
   if (!oldest)
   {
      oldest = node;
   }
   count++;
}

void UndoHistory::NewestRemove()
{
   if (newest)
   {
      NodeUnlink(newest);
   }
}

void UndoHistory::NodeUnlink(Node* node)
{
   (node->newer ? node->newer->older : newest) = node->older;
   (node->older ? node->older->newer : oldest) = node->newer;
   count--;
   NodeRelease(node);
}

bool UndoHistory::MoveBeginsAnyCheck() const
{
   for (const Node* node = newest; node; node = node->older)
   {
      if (node->record.moveBegins)
      {
         return true;
      }
   }
   return false;
}

// ---- TraditionalSolitaireGame ----

void TraditionalSolitaireGame::ReflectionRegister()
{
   auto* record = ReflectionRecordCreate<ReflectionTypeObjectTypedAbstract<TraditionalSolitaireGame>>(
       "Corvale::TraditionalSolitaireGame");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(SolitaireGame).name());
   ReflectionManager::TypeRegister(record);
}

void TraditionalSolitaireGame::Init()
{
   undoHistory.Clear();
   undoHistory.CapacitySet(UNDO_HISTORY_CAPACITY);
   undoMoveBegins = false;
   nextCardPileID = 0;
   SolitaireGame::Init();
}

void TraditionalSolitaireGame::Deinit()
{
   SolitaireGame::Deinit();
   undoHistory.CapacitySet(0);
}

void TraditionalSolitaireGame::Update(u32 elapsed)
{
   SolitaireGame::Update(elapsed);
   if (GameStateManager::switchPending || (layer && !layer->EnabledCheck()) ||
       GameStateManager::current != this)
   {
      return;
   }
   const bool controlDown = KeyHeldCheck(VK_LCONTROL) || KeyHeldCheck(VK_RCONTROL);
   if (actionQueue.count == 0 && !CardsAnimatingCheck() && controlDown && KeyPressedCheck(KEY_Z))
   {
      Undo();
   }
}

void TraditionalSolitaireGame::TurnBegin()
{
   if (!subgameFirstTurnBegan)
   {
      UndoHistoryClear();
   }
   SolitaireGame::TurnBegin();
}

bool TraditionalSolitaireGame::Load(JSONValue* document)
{
   UndoHistoryClear();
   return SolitaireGame::Load(document);
}

void TraditionalSolitaireGame::UndoHistoryClear()
{
   undoMoveBegins = true;
   undoHistory.Clear();
}

void TraditionalSolitaireGame::UndoHistoryClearPost()
{
   Action action;
   action.Clear();
   action.type = ACTION_UNDO_HISTORY_CLEAR;
   action.startDelay = 0;
   action.applySpeed = true;
   ActionPush(action, 0);
}

void TraditionalSolitaireGame::UndoRecordPush(const UndoRecord* record)
{
   if (!record)
   {
      return;
   }
   UndoRecord stored = *record;
   stored.seed1 = seed1;
   stored.seed2 = seed2;
   stored.moveBegins = undoMoveBegins;
   undoMoveBegins = false;
   undoHistory.Push(stored);
}

void TraditionalSolitaireGame::UndoRecordTyped(i32 type, i32 index, i32 pileID, i32 cardID, bool faceUp)
{
   UndoRecord record;
   record.type = type;
   record.index = index;
   record.pileID = pileID;
   record.cardID = cardID;
   record.faceUp = faceUp;
   UndoRecordPush(&record);
}

void TraditionalSolitaireGame::CardPlacedRecord(const Card* card)
{
   if (card && card->pile)
   {
      UndoRecordTyped(UNDO_RECORD_CARD_PLACED, card->pile->CardIndexGet(card), card->pile->id, card->id,
                      card->faceUp);
   }
}

void TraditionalSolitaireGame::CardPileShuffle(CardPile* pile)
{
   if (pile)
   {
      UndoRecordTyped(UNDO_RECORD_PILE_SHUFFLED, -1, pile->id, -1, false);
   }
   SolitaireGame::CardPileShuffle(pile);
}

void TraditionalSolitaireGame::CardInsert(CardPile* pile, i32 index, Card* card)
{
   if (pile && index >= 0)
   {
      CardPlacedRecord(card);
   }
   SolitaireGame::CardInsert(pile, index, card);
}

void TraditionalSolitaireGame::CardAdd(CardPile* pile, Card* card)
{
   if (pile)
   {
      CardPlacedRecord(card);
   }
   SolitaireGame::CardAdd(pile, card);
}

void TraditionalSolitaireGame::CardAddToBottom(CardPile* pile, Card* card)
{
   if (pile)
   {
      CardPlacedRecord(card);
   }
   SolitaireGame::CardAddToBottom(pile, card);
}

void TraditionalSolitaireGame::CardStackAdd(CardPile* pile, Card* card)
{
   if (pile && card && card->pile)
   {
      UndoRecordTyped(UNDO_RECORD_STACK_MOVED, -1, card->pile->id, card->id, card->faceUp);
   }
   SolitaireGame::CardStackAdd(pile, card);
}

void TraditionalSolitaireGame::CardFaceUpSet(Card* card, bool faceUp, bool animate)
{
   if (card && card->faceUp != faceUp)
   {
      UndoRecordTyped(UNDO_RECORD_CARD_TURNED, -1, card->pile ? card->pile->id : -1, card->id, card->faceUp);
   }
   SolitaireGame::CardFaceUpSet(card, faceUp, animate);
}

void TraditionalSolitaireGame::CardChoose(Card* card)
{
   undoMoveBegins = true;
   SolitaireGame::CardChoose(card);
}

void TraditionalSolitaireGame::CardInsertAndNotify(CardPile* pile, i32 index, Card* card)
{
   undoMoveBegins = true;
   SolitaireGame::CardInsertAndNotify(pile, index, card);
}

void TraditionalSolitaireGame::CardAddAndNotify(CardPile* pile, Card* card)
{
   undoMoveBegins = true;
   SolitaireGame::CardAddAndNotify(pile, card);
}

void TraditionalSolitaireGame::CardStackAddAndNotify(CardPile* pile, Card* card)
{
   undoMoveBegins = true;
   SolitaireGame::CardStackAddAndNotify(pile, card);
}

bool TraditionalSolitaireGame::ActionExecute(const Action& action)
{
   if (action.type == ACTION_UNDO_HISTORY_CLEAR)
   {
      UndoHistoryClear();
      return true;
   }
   return SolitaireGame::ActionExecute(action);
}

bool TraditionalSolitaireGame::CommandExecute(const Command& command)
{
   if (command.type == COMMAND_UNDO)
   {
      Undo();
      return true;
   }
   return SolitaireGame::CommandExecute(command);
}

bool TraditionalSolitaireGame::UndoAllowedCheck()
{
   if (GameStateManager::switchPending || actionQueue.count > 0)
   {
      return false;
   }
   return !CardsAnimatingCheck();
}

void TraditionalSolitaireGame::Undo()
{
   if (undoHistory.count == 0 || !undoHistory.MoveBeginsAnyCheck())
   {
      return;
   }
   while (const UndoRecord* newest = undoHistory.NewestGet())
   {
      const UndoRecord record = *newest;
      UndoRecordReplay(record);
      undoHistory.NewestRemove();
      if (record.moveBegins)
      {
         break;
      }
   }
   for (i32 i = 0; i < cards.count; ++i)
   {
      Card* card = cards[i];
      card->SelectedSet(false);
      if (card->widget)
      {
         card->widget->PositionSet(card->PositionGet());
      }
   }
   RefreshMark();
   CardSpritesRefresh();
   cardPilesLayoutPending = true;
   cardLayersPending = true;
   cardsDraggableRefreshPending = true;
   StatisticGameAdd(1, "UndoUses", StatisticsNameGet(), profileCurrentName);
   StatisticGeneralAdd(1, "UndoUses", profileCurrentName);
   undoMoveBegins = true;
}

void TraditionalSolitaireGame::UndoRecordReplay(const UndoRecord& record)
{
   CardPile* pile = CardPileByIDGet(record.pileID);
   Card* card = CardGet(record.cardID);
   switch (record.type)
   {
   case UNDO_RECORD_CARD_PLACED:
      if (pile && card)
      {
         const i32 index = record.index < 0 ? 0 : record.index;
         pile->CardInsert(index, card);
      }
      break;
   case UNDO_RECORD_STACK_MOVED:
      if (pile && card)
      {
         pile->CardStackAdd(card);
      }
      break;
   case UNDO_RECORD_CARD_TURNED:
      if (card)
      {
         card->FaceUpSet(record.faceUp, true);
      }
      break;
   case UNDO_RECORD_PILE_SHUFFLED:
      if (pile)
      {
         seed1 = record.seed1;
         seed2 = record.seed2;
         pile->Unshuffle();
      }
      break;
   case UNDO_RECORD_GAME_WON:
   case UNDO_RECORD_GAME_LOST:
      if (gameResult == MINIGAME_RESULT_WON || gameResult == MINIGAME_RESULT_LOST)
      {
         gameResult = MINIGAME_RESULT_RUNNING;
         ResultsHide();
         CardsDraggableUpdate();
      }
      break;
   default:
      break;
   }
   refreshPending = true;
   seed1 = record.seed1;
   seed2 = record.seed2;
}

i32 TraditionalSolitaireGame::ScoreGet()
{
   i32 total = 0;
   for (i32 i = 0; i < cardPiles.count; ++i)
   {
      total += cardPiles[i]->type == CARD_PILE_TYPE_FOUNDATION ? cardPiles[i]->cards.count : 0;
   }
   return total;
}

void TraditionalSolitaireGame::GameEndRecord(i32 type, bool won)
{
   UndoRecordTyped(type, -1, -1, -1, false);
   if (players.count > 0)
   {
      players[0]->minigameScore = ScoreGet();
   }
   if (won)
   {
      SolitaireGame::GameWin();
   }
   else
   {
      SolitaireGame::GameLose();
   }
}

void TraditionalSolitaireGame::GameWin()
{
   GameEndRecord(UNDO_RECORD_GAME_WON, true);
}

void TraditionalSolitaireGame::GameLose()
{
   GameEndRecord(UNDO_RECORD_GAME_LOST, false);
}

void TraditionalSolitaireGame::ResultsShow()
{
   const char* name = ScoreShownCheck() ? RESULTS_LAYER_WITH_SCORE : RESULTS_LAYER;
   if (GUIManager::WidgetGetByPath(name))
   {
      return;
   }
   GUIManager::Push(name, &TraditionalSolitaireGame::ResultsLayerFill, this);
}

void TraditionalSolitaireGame::ResultsLayerFill(LayerWidget* layer, void* game)
{
   TraditionalSolitaireGame* self = static_cast<TraditionalSolitaireGame*>(game);
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
   NumberLabelWidget* scoreValue =
       dynamic_cast<NumberLabelWidget*>(DescendantByNameFind(layer, "ScoreValue"));
   Widget* scoreLabel = DescendantByNameFind(layer, "ScoreLabel");
   const bool scoreShown = self->ScoreShownCheck();
   if (scoreValue)
   {
      scoreValue->TextFormatFunctionSet(&IntegerTextFormat, nullptr);
      scoreValue->ValueSet(static_cast<double>(self->ScoreGet()));
      scoreValue->VisibleSet(scoreShown);
   }
   if (scoreLabel)
   {
      scoreLabel->VisibleSet(scoreShown);
   }
}

void TraditionalSolitaireGame::ResultsHide()
{
   GUIManager::Remove(RESULTS_LAYER_WITH_SCORE);
   GUIManager::Remove(RESULTS_LAYER);
}

bool TraditionalSolitaireTimeTextFormat(double seconds, char* buffer, u32 bufferSize, void* userData)
{
   (void)userData;
   if (!buffer || bufferSize == 0)
   {
      return false;
   }
   const char* hoursText = textManager.TextGet("TraditionalSolitaireHours");
   const char* minutesText = textManager.TextGet("TraditionalSolitaireMinutes");
   const char* secondsText = textManager.TextGet("TraditionalSolitaireSeconds");
   if (!hoursText || !minutesText || !secondsText)
   {
      buffer[0] = '\0';
      return false;
   }
   const double rounded = std::ceil(seconds > 0.0 ? seconds : 0.0);
   const long long total = rounded < 2147483647.0 ? static_cast<long long>(rounded) : 2147483647LL;
   const long long hours = total / 3600;
   const long long minutes = (total / 60) % 60;
   const long long rest = total % 60;
   int written = 0;
   if (hours > 0)
   {
      written = std::snprintf(buffer, bufferSize, "%lld %s %lld %s %lld %s", hours, hoursText, minutes,
                              minutesText, rest, secondsText);
   }
   else if (minutes > 0)
   {
      written = std::snprintf(buffer, bufferSize, "%lld %s %lld %s", minutes, minutesText, rest, secondsText);
   }
   else
   {
      written = std::snprintf(buffer, bufferSize, "%lld %s", rest, secondsText);
   }
   return written >= 0 && static_cast<u32>(written) < bufferSize;
}

bool TraditionalSolitaireGame::FoundationNextCheck(const Card* card)
{
   for (i32 i = 0; card && i < cardPiles.count; ++i)
   {
      const CardPile* foundation = cardPiles[i];
      if (foundation->type != CARD_PILE_TYPE_FOUNDATION)
      {
         continue;
      }
      const Card* top = foundation->CardTopGet();
      if (top ? top->suit == card->suit && top->rank + 1 == card->rank : card->rank == RANK_ACE)
      {
         return true;
      }
   }
   return false;
}

bool TraditionalSolitaireGame::UsefulMoveAnyCheck()
{
   for (i32 i = 0; i < cards.count; ++i)
   {
      Card* card = cards[i];
      CardPile* from = card->pile;
      if (!from || !CardPickUpCheck(card) || (from->CardTopGet() != card && !CardStackPickUpCheck(card)))
      {
         continue;
      }
      const i32 index = from->CardIndexGet(card);
      const Card* under = index > 0 ? from->cards[index - 1] : nullptr;
      for (i32 p = 0; p < cardPiles.count; ++p)
      {
         CardPile* to = cardPiles[p];
         if (to == from || !CardDropCheck(to, card))
         {
            continue;
         }
         const Card* destinationTop = to->CardTopGet();
         if (!under ? card->rank != RANK_KING || destinationTop
                    : !destinationTop || under->rank != destinationTop->rank || FoundationNextCheck(under))
         {
            return true;
         }
      }
   }
   return false;
}
} // namespace Corvale
