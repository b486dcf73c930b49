// The card game's moves: queued card actions and their execution, command posters, deals, the
// wrappers every card change goes through, pointer input on cards, the move sound and help labels.
#include "cardgame/CardGame.h"

#include "app/profile/ProfileStore.h"
#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/CardPileWidget.h"
#include "cardgame/CardSort.h"
#include "cardgame/CardWidget.h"
#include "cardgame/Player.h"
#include "core/JSONValue.h"
#include "core/Random.h"
#include "gui/GUIManager.h"
#include "gui/state/GameStateManager.h"
#include "gui/widgets/ContainerWidget.h"
#include "platform/input/MouseState.h"
#include "platform/sound/Sound.h"
#include "platform/sound/SoundSourceOpenAL.h"

namespace Corvale
{
namespace
{
// The card widget that widget is, or lies inside.
CardWidget* CardWidgetOfGet(Widget* widget)
{
   for (; widget; widget = widget->ParentGet())
   {
      CardWidget* cardWidget = dynamic_cast<CardWidget*>(widget);
      if (cardWidget)
      {
         return cardWidget;
      }
   }
   return nullptr;
}

CardPileWidget* CardPileWidgetOfGet(Widget* widget)
{
   for (; widget; widget = widget->ParentGet())
   {
      CardPileWidget* pileWidget = dynamic_cast<CardPileWidget*>(widget);
      if (pileWidget)
      {
         return pileWidget;
      }
   }
   return nullptr;
}
} // namespace

// ---- Queue ----

void CardGame::ActionPush(const Action& action, i32 index)
{
   const bool wasEmpty = actionQueue.count == 0;
   Minigame::ActionPush(action, index);
   if (wasEmpty)
   {
      CardsDraggableUpdate();
   }
   cardsDraggableRefreshPending = true;
}

void CardGame::ActionCardPush(i32 type, u32 delay, i32 int0, i32 int1, i32 int2, bool bool0)
{
   Action action;
   action.Clear();
   action.type = type;
   action.startDelay = delay;
   action.int0 = int0;
   action.int1 = int1;
   action.int2 = int2;
   action.bool0 = bool0;
   ActionPush(action, 0);
}

bool CardGame::ActionExecute(const Action& action)
{
   switch (action.type)
   {
   case ACTION_CARD_MOVE:
   case ACTION_CARD_MOVE_BOTTOM:
   {
      Card* card = CardGet(action.int1);
      CardPile* pile = CardPileByIDGet(action.int2);
      if (card && pile)
      {
         CardFaceUpSet(card, action.bool0, true);
         if (action.type == ACTION_CARD_MOVE)
         {
            CardAdd(pile, card);
         }
         else
         {
            CardAddToBottom(pile, card);
         }
      }
      return true;
   }
   case ACTION_CARD_MOVE_TOP:
   {
      CardPile* source = CardPileByIDGet(action.int0);
      Card* card = source ? source->CardTopGet() : nullptr;
      CardPile* destination = CardPileByIDGet(action.int2);
      if (card && destination)
      {
         CardFaceUpSet(card, action.bool0, true);
         CardAdd(destination, card);
      }
      return true;
   }
   case ACTION_CARDS_ANIMATING_WAIT:
      return !CardsAnimatingCheck() && Minigame::ActionExecute(action);
   case ACTION_CARD_FLIP:
      CardFaceUpSet(CardGet(action.int1), action.bool0, true);
      return true;
   case ACTION_PILE_FLIP:
   {
      const CardPile* pile = CardPileByIDGet(action.int2);
      if (!pile)
      {
         return true;
      }
      // Every turn goes just behind this action, at the same place, so the bottom card turns first.
      const i32 position = actionQueue.count > 0 ? actionQueue.count - 1 : 0;
      for (i32 i = 0; i < pile->cards.count; ++i)
      {
         const Card* card = pile->cards[i];
         if (card->faceUp != action.bool0)
         {
            Action turn;
            turn.Clear();
            turn.type = ACTION_CARD_FLIP;
            turn.startDelay = static_cast<u32>(delayCardFlip > 0 ? delayCardFlip : 0);
            turn.int1 = card->id;
            turn.bool0 = action.bool0;
            ActionPush(turn, position);
         }
      }
      return true;
   }
   case ACTION_PILE_SHUFFLE:
      CardPileShuffle(CardPileByIDGet(action.int2));
      return true;
   case ACTION_TOP_CARD_FLIP:
   {
      CardPile* pile = CardPileByIDGet(action.int2);
      CardFaceUpSet(pile ? pile->CardTopGet() : nullptr, action.bool0, true);
      return true;
   }
   case ACTION_PILE_SORT:
   {
      CardPile* pile = CardPileByIDGet(action.int2);
      if (pile)
      {
         pile->SortOnce(action.int1);
      }
      return true;
   }
   case ACTION_HANDS_SORT:
      HandsSort();
      return true;
   case ACTION_PILE_SHOW:
   {
      CardPile* pile = CardPileByIDGet(action.int2);
      if (pile)
      {
         pile->VisibleSet(action.bool0);
      }
      return true;
   }
   default:
      return Minigame::ActionExecute(action);
   }
}

bool CardGame::CommandExecute(const Command& command)
{
   if (command.type == COMMAND_CARD_CHOOSE)
   {
      Card* card = CardGet(command.intParam0);
      if (card)
      {
         CardChoose(card);
      }
   }
   else if (command.type == COMMAND_CARD_DROP)
   {
      Card* card = CardGet(command.intParam1);
      CardPile* pile = CardPileByIDGet(command.intParam0);
      if (card && pile)
      {
         CardAddAndNotify(pile, card);
      }
   }
   return true;
}

void CardGame::CardMoveQueue(CardPile* pile, Card* card, u32 delay, bool faceUp)
{
   if (pile && card)
   {
      ActionCardPush(ACTION_CARD_MOVE, delay, -1, card->id, pile->id, faceUp);
   }
}

void CardGame::CardPileTopCardMoveQueue(CardPile* destination, CardPile* source, u32 delay, bool faceUp)
{
   if (destination && source)
   {
      ActionCardPush(ACTION_CARD_MOVE_TOP, delay, source->id, -1, destination->id, faceUp);
   }
}

void CardGame::CardMoveToBottomQueue(CardPile* pile, Card* card, u32 delay)
{
   if (pile && card)
   {
      ActionCardPush(ACTION_CARD_MOVE_BOTTOM, delay, -1, card->id, pile->id, false);
   }
}

void CardGame::CardFaceDownQueue(Card* card)
{
   if (card)
   {
      ActionCardPush(ACTION_CARD_FLIP, 0, 0, card->id, 0, false);
   }
}

void CardGame::CardPileFaceUpQueue(CardPile* pile, u32 delay)
{
   if (pile)
   {
      ActionCardPush(ACTION_PILE_FLIP, delay, 0, 0, pile->id, true);
   }
}

void CardGame::CardPileTopCardFaceUpQueue(CardPile* pile, u32 delay)
{
   if (pile)
   {
      ActionCardPush(ACTION_TOP_CARD_FLIP, delay, 0, 0, pile->id, true);
   }
}

void CardGame::CardPileVisibleQueue(CardPile* pile, bool visible)
{
   if (pile)
   {
      ActionCardPush(ACTION_PILE_SHOW, 0, 0, 0, pile->id, visible);
   }
}

void CardGame::CardPileShuffleQueue(CardPile* pile)
{
   if (pile)
   {
      ActionCardPush(ACTION_PILE_SHUFFLE, 0, 0, 0, pile->id, false);
   }
}

void CardGame::HandsSortQueue()
{
   ActionCardPush(ACTION_HANDS_SORT, 0, 0, 0, 0, false);
}

void CardGame::HandsFaceUpQueue(bool human)
{
   for (i32 i = 0; i < cardPiles.count; ++i)
   {
      CardPile* pile = cardPiles[i];
      if (pile->type != CARD_PILE_TYPE_HAND)
      {
         continue;
      }
      const Player* owner = PlayerGet(pile->ownerID);
      const bool humanLocal = owner && owner->human && owner->local;
      if (human ? humanLocal : (owner && !owner->human))
      {
         CardPileFaceUpQueue(pile, static_cast<u32>(delayCardFlip > 0 ? delayCardFlip : 0));
      }
   }
}

void CardGame::HumanHandsFaceUpQueue()
{
   HandsFaceUpQueue(true);
}

void CardGame::ComputerHandsFaceUpQueue()
{
   HandsFaceUpQueue(false);
}

// ---- Commands ----

void CardGame::CardChooseCommandQueue(Card* card, u32 delay)
{
   if (!card)
   {
      return;
   }
   Command command;
   command.type = COMMAND_CARD_CHOOSE;
   command.intParam0 = card->id;
   command.intParam1 = 0;
   CommandPost(command, delay);
}

void CardGame::CardDropCommandQueue(CardPile* pile, Card* card, u32 delay)
{
   if (!pile || !card)
   {
      return;
   }
   Command command;
   command.type = COMMAND_CARD_DROP;
   command.intParam0 = pile->id;
   command.intParam1 = card->id;
   CommandPost(command, delay);
}

void CardGame::Command12Post(i32 value, u32 delay)
{
   Command command;
   command.type = COMMAND_12;
   command.intParam0 = value;
   command.intParam1 = 0;
   CommandPost(command, delay);
}

// ---- Deals ----

void CardGame::CardsDealToPile(CardPile* destination, CardPile* source, i32 count, bool faceUp)
{
   for (i32 i = 0; i < count; ++i)
   {
      CardPileTopCardMoveQueue(destination, source, static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0),
                               faceUp);
   }
}

void CardGame::CardsDeal(i32 pileType, CardPile* source, i32 count, bool faceUp, i32 firstSecondaryID)
{
   if (!source || count <= 0 || cardPiles.count == 0)
   {
      return;
   }
   i32 index = 0;
   if (firstSecondaryID != -1)
   {
      for (i32 i = 0; i < cardPiles.count; ++i)
      {
         if (cardPiles[i]->type == pileType && cardPiles[i]->secondaryID == firstSecondaryID)
         {
            index = i;
            break;
         }
      }
   }
   for (i32 dealt = 0; dealt < count; ++dealt)
   {
      CardPile* destination = nullptr;
      for (i32 step = 0; step < cardPiles.count && !destination; ++step)
      {
         CardPile* pile = cardPiles[index];
         index = (index + 1) % cardPiles.count;
         if (pile->type == pileType && pile != source)
         {
            destination = pile;
         }
      }
      // No pile of the type but the source: nothing to deal to.
      if (!destination)
      {
         return;
      }
      CardPileTopCardMoveQueue(destination, source, static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0),
                               faceUp);
   }
}

void CardGame::CardsDealToEachPile(i32 pileType, CardPile* source, i32 cardsPerPile, bool faceUp)
{
   i32 piles = 0;
   for (i32 i = 0; i < cardPiles.count; ++i)
   {
      piles += cardPiles[i]->type == pileType ? 1 : 0;
   }
   CardsDeal(pileType, source, piles * cardsPerPile, faceUp, -1);
}

void CardGame::CardsDealToPlayers(CardPile* source, i32 count, i32 firstPlayerID)
{
   if (!source || count <= 0)
   {
      return;
   }
   i32 start = -1;
   bool anyHand = false;
   for (i32 i = 0; i < players.count; ++i)
   {
      const Player* player = players[i];
      anyHand = anyHand || (player->minigameIn && player->subgameIn && PlayerHandGet(player));
      if (start < 0 && player->id == firstPlayerID)
      {
         start = i;
      }
   }
   if (!anyHand || start < 0)
   {
      return;
   }
   for (i32 dealt = 0, i = start; dealt < count; i = (i + 1) % players.count)
   {
      const Player* player = players[i];
      CardPile* hand = player->minigameIn && player->subgameIn ? PlayerHandGet(player) : nullptr;
      if (hand)
      {
         CardPileTopCardMoveQueue(hand, source, static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0),
                                  false);
         dealt++;
      }
   }
}

void CardGame::CardsDealToEachPlayer(CardPile* source, i32 cardsPerPlayer, i32 firstPlayerID)
{
   i32 inPlay = 0;
   for (i32 i = 0; i < players.count; ++i)
   {
      const Player* player = players[i];
      inPlay += player->minigameIn && player->subgameIn && PlayerHandGet(player) ? 1 : 0;
   }
   CardsDealToPlayers(source, inPlay * cardsPerPlayer, firstPlayerID);
}

// ---- Wrappers ----

void CardGame::CardPileShuffle(CardPile* pile)
{
   if (pile)
   {
      refreshPending = true;
      pile->Shuffle();
   }
}

void CardGame::CardInsert(CardPile* pile, i32 index, Card* card)
{
   if (pile && card && index >= 0)
   {
      refreshPending = true;
      pile->CardInsert(index, card);
   }
}

void CardGame::CardAdd(CardPile* pile, Card* card)
{
   if (pile && card)
   {
      refreshPending = true;
      pile->CardInsert(pile->cards.count, card);
   }
}

void CardGame::CardStackAdd(CardPile* pile, Card* card)
{
   if (pile && card)
   {
      refreshPending = true;
      pile->CardStackAdd(card);
   }
}

void CardGame::CardAddToBottom(CardPile* pile, Card* card)
{
   if (pile && card)
   {
      refreshPending = true;
      pile->CardInsert(0, card);
   }
}

void CardGame::CardFaceUpSet(Card* card, bool faceUp, bool animate)
{
   if (card)
   {
      refreshPending = true;
      card->FaceUpSet(faceUp, animate);
   }
}

void CardGame::CardSelectedSet(Card* card, bool selected)
{
   if (card)
   {
      refreshPending = true;
      card->SelectedSet(selected);
   }
}

void CardGame::CardInsertAndNotify(CardPile* pile, i32 index, Card* card)
{
   CardPile* oldPile = card ? card->pile : nullptr;
   CardInsert(pile, index, card);
   CardInsertDoneNotify(pile, index, oldPile, card);
}

void CardGame::CardAddAndNotify(CardPile* pile, Card* card)
{
   CardPile* oldPile = card ? card->pile : nullptr;
   CardAdd(pile, card);
   CardAddDoneNotify(pile, oldPile, card);
}

void CardGame::CardStackAddAndNotify(CardPile* pile, Card* card)
{
   CardPile* oldPile = card ? card->pile : nullptr;
   CardStackAddBeginNotify(pile, oldPile, card);
   CardStackAdd(pile, card);
   CardStackAddDoneNotify(pile, oldPile, card);
}

void CardGame::CardInsertDoneNotify(CardPile* pile, i32 index, CardPile* oldPile, Card* card)
{
   (void)pile;
   (void)index;
   (void)oldPile;
   (void)card;
}

void CardGame::CardAddDoneNotify(CardPile* pile, CardPile* oldPile, Card* card)
{
   (void)pile;
   (void)oldPile;
   (void)card;
}

void CardGame::CardStackAddDoneNotify(CardPile* pile, CardPile* oldPile, Card* card)
{
   (void)pile;
   (void)oldPile;
   (void)card;
}

void CardGame::CardStackAddBeginNotify(CardPile* pile, CardPile* oldPile, Card* card)
{
   (void)pile;
   (void)oldPile;
   (void)card;
}

void CardGame::CardDropRefusedNotify(CardPile* pile, CardPile* oldPile, Card* card)
{
   (void)pile;
   (void)oldPile;
   (void)card;
}

bool CardGame::CardChooseOnClickCheck(Card* card)
{
   (void)card;
   return false;
}

bool CardGame::CardPickUpCheck(Card* card)
{
   (void)card;
   return false;
}

bool CardGame::CardStackPickUpCheck(Card* card)
{
   (void)card;
   return false;
}

bool CardGame::CardDropCheck(CardPile* pile, Card* card)
{
   (void)pile;
   (void)card;
   return false;
}

bool CardGame::CardInsertCheck(CardPile* pile, i32 index, Card* card)
{
   (void)pile;
   (void)index;
   (void)card;
   return false;
}

Widget* CardGame::DropTargetWidgetGet(i32 index)
{
   (void)index;
   return nullptr;
}

CardPile* CardGame::DropTargetCardPileGet(i32 index)
{
   (void)index;
   return nullptr;
}

// ---- Immediate operations ----

void CardGame::CardsGather(CardPile* pile)
{
   if (!pile)
   {
      return;
   }
   for (i32 i = 0; i < cards.count; ++i)
   {
      if (cards[i]->pile != pile)
      {
         CardAdd(pile, cards[i]);
      }
   }
}

void CardGame::CardsGatherShuffled(CardPile* pile)
{
   if (!pile)
   {
      return;
   }
   Table<Card*> ordered(allocatorTemp);
   for (i32 i = 0; i < cards.count; ++i)
   {
      ordered.Insert(cards[i], ordered.count);
   }
   ordered.Sort([](const Card* a, const Card* b) { return a->id < b->id; });
   for (i32 i = 0; i < ordered.count; ++i)
   {
      ordered[i]->SelectedSet(false);
      CardAdd(pile, ordered[i]);
   }
   CardPileFaceUpSet(pile, false, false);
   CardPileShuffle(pile);
}

void CardGame::CardPileCardsMove(CardPile* destination, CardPile* source)
{
   CardPileCardsTransfer(destination, source, false);
}

void CardGame::CardPileCardsMoveToBottom(CardPile* destination, CardPile* source)
{
   CardPileCardsTransfer(destination, source, true);
}

void CardGame::CardPileCardsTransfer(CardPile* destination, CardPile* source, bool toBottom)
{
   // With one pile as both ends the source would never empty.
   if (!destination || !source || destination == source)
   {
      return;
   }
   while (source->cards.count > 0)
   {
      const i32 before = source->cards.count;
      if (toBottom)
      {
         CardAddToBottom(destination, source->cards[0]);
      }
      else
      {
         CardAdd(destination, source->cards[0]);
      }
      // A game whose override keeps the card would otherwise hold this loop for ever.
      if (source->cards.count >= before)
      {
         return;
      }
   }
}

void CardGame::CardPileFaceUpSet(CardPile* pile, bool faceUp, bool animate)
{
   if (!pile)
   {
      return;
   }
   for (i32 i = 0; i < pile->cards.count; ++i)
   {
      CardFaceUpSet(pile->cards[i], faceUp, animate);
   }
}

void CardGame::CardPileCardsInsert(CardPile* source, CardPile* destination, i32 count)
{
   if (!source || !destination || count < 1)
   {
      return;
   }
   for (i32 i = 0; i < count; ++i)
   {
      Card* card = source->CardGet(i);
      if (card)
      {
         CardInsert(destination, 0, card);
      }
   }
}

void CardGame::TableauCardsCollect(CardPile* destination, i32 count)
{
   if (!destination || count <= 0)
   {
      return;
   }
   i32 others = 0;
   for (i32 i = 0; i < cardPiles.count; ++i)
   {
      others += cardPiles[i]->type == CARD_PILE_TYPE_TABLEAU && cardPiles[i] != destination ? 1 : 0;
   }
   // No Tableau pile, or the destination is the only one: none to take from.
   if (others == 0)
   {
      return;
   }
   const auto takesCheck = [&](const CardPile* pile)
   { return pile->type == CARD_PILE_TYPE_TABLEAU && pile != destination; };
   i32 index = 0;
   for (i32 passed = 0; passed < count; index = (index + 1) % cardPiles.count)
   {
      passed += takesCheck(cardPiles[index]) ? 1 : 0;
   }
   for (i32 taken = 0; taken < count; ++taken)
   {
      CardPile* pile = nullptr;
      while (!pile)
      {
         CardPile* looked = cardPiles[index];
         index = index == 0 ? cardPiles.count - 1 : index - 1;
         pile = takesCheck(looked) ? looked : nullptr;
      }
      Card* card = pile->CardTopGet();
      if (card)
      {
         CardAdd(destination, card);
         CardFaceUpSet(card, false, false);
      }
   }
}

void CardGame::CardAnimationsFinish()
{
   for (i32 i = 0; i < cards.count; ++i)
   {
      if (cards[i]->MoveRunningCheck())
      {
         cardLayersPending = true;
      }
      cards[i]->AnimationsFinish();
   }
}

bool CardGame::CardsAnimatingCheck()
{
   for (i32 i = 0; i < cards.count; ++i)
   {
      if (cards[i]->AnimatingCheck())
      {
         return true;
      }
   }
   return false;
}

bool CardGame::MoveExists()
{
   for (i32 i = 0; i < cards.count; ++i)
   {
      Card* card = cards[i];
      if (!CardPickUpCheck(card))
      {
         continue;
      }
      if (card->pile && card->pile->CardTopGet() != card && !CardStackPickUpCheck(card))
      {
         continue;
      }
      for (i32 p = 0; p < cardPiles.count; ++p)
      {
         if (cardPiles[p] != card->pile && CardDropCheck(cardPiles[p], card))
         {
            return true;
         }
      }
   }
   return false;
}

// ---- Queries ----

bool CardGame::InputAllowedCheck()
{
   return !GameStateManager::switchPending && SubgameRunningCheck() && actionQueue.count == 0 &&
          !CardsAnimatingCheck();
}

bool CardGame::HumanMayActCheck()
{
   return Minigame::HumanMayActCheck() && !CardsAnimatingCheck();
}

bool CardGame::BusyCheck()
{
   return Minigame::BusyCheck() || CardsAnimatingCheck();
}

// ---- Choosing and pointer input ----

void CardGame::CardChoose(Card* card)
{
   if (!card || !CardPickUpCheck(card))
   {
      return;
   }
   const bool onTop = card->pile && card->pile->CardTopGet() == card;
   for (i32 i = 0; i < cardPiles.count; ++i)
   {
      CardPile* pile = cardPiles[i];
      if (pile == card->pile || !CardDropCheck(pile, card))
      {
         continue;
      }
      if (!CardStackPickUpCheck(card) || onTop)
      {
         CardAddAndNotify(pile, card);
      }
      else
      {
         CardStackAddAndNotify(pile, card);
      }
      return;
   }
}

void CardGame::CardPress(Card* card)
{
   if (!card || !card->widget || !card->widget->CanDragGet())
   {
      return;
   }
   card->dragLead = card;
   card->ColorUpdate();
   if (card->pile && CardStackPickUpCheck(card))
   {
      const CardPile* pile = card->pile;
      for (i32 i = pile->CardIndexGet(card) + 1; i < pile->cards.count; ++i)
      {
         Card* above = pile->cards[i];
         above->dragLead = card;
         if (above->widget)
         {
            above->ColorUpdate();
         }
         above->dragOffset =
             Point2F{above->position.x - card->position.x, above->position.y - card->position.y};
      }
   }
   cardLayersPending = true;
}

void CardGame::CardDrag(Card* card)
{
   if (!card)
   {
      return;
   }
   if (CardStackPickUpCheck(card) && card->pile && card->widget)
   {
      const Point2F lead = card->widget->PositionAbsoluteGet();
      const CardPile* pile = card->pile;
      for (i32 i = pile->CardIndexGet(card) + 1; i < pile->cards.count; ++i)
      {
         Card* above = pile->cards[i];
         above->PositionSet(Point2F{lead.x + above->dragOffset.x, lead.y + above->dragOffset.y}, false);
      }
   }
   cardLayersPending = true;
}

void CardGame::CardDrop(Card* card)
{
   if (!card)
   {
      return;
   }
   CardPile* target = nullptr;
   Point2F point;
   const bool allowed = InputAllowedCheck() && card->widget;
   if (allowed)
   {
      const Point2F at = card->widget->PositionAbsoluteGet();
      const Point2F grab = card->widget->DragGrabOffsetGet();
      point = Point2F{at.x - grab.x, at.y - grab.y};
      bool decided = false;
      const i32 extraCount = DropTargetCountGet();
      for (i32 i = 0; i < extraCount && !decided; ++i)
      {
         Widget* widget = DropTargetWidgetGet(i);
         if (!widget)
         {
            continue;
         }
         const Point2F origin = widget->PositionAbsoluteGet();
         const Box2F box = widget->BoundsGet();
         if (point.x >= origin.x + box.x && point.x <= origin.x + box.x + box.width &&
             point.y >= origin.y + box.y && point.y <= origin.y + box.y + box.height)
         {
            decided = true;
            target = DropTargetCardPileGet(i);
         }
      }
      if (!decided)
      {
         target = CardPileUnderPointGet(point);
      }
   }
   // A drop the game may not take still ends the drag, so the cards fly back instead of sticking.
   CardDropOnPile(card, allowed ? target : nullptr, point);
}

bool CardGame::CardDropOnPile(Card* card, CardPile* target, const Point2F& point)
{
   bool dropped = false;
   CardPile* oldPile = card->pile;
   if (target && (!target->canDragWithin || target->sortType != CARD_SORT_TYPE_UNSORTED))
   {
      if (target != oldPile)
      {
         if (CardDropCheck(target, card))
         {
            if (CardStackPickUpCheck(card))
            {
               CardStackAddAndNotify(target, card);
            }
            else
            {
               CardDropCommandQueue(target, card, 0);
            }
            dropped = true;
         }
         else
         {
            CardDropRefusedNotify(target, oldPile, card);
         }
      }
   }
   else if (target)
   {
      i32 index = target->CardIndexAtPointGet(point);
      const i32 oldIndex = oldPile == target ? target->CardIndexGet(card) : -1;
      if (oldIndex >= 0 && oldIndex < index)
      {
         index--;
      }
      if (oldPile == target || CardInsertCheck(target, index, card))
      {
         CardInsertAndNotify(target, index, card);
         dropped = true;
      }
   }
   for (i32 i = 0; i < cards.count; ++i)
   {
      Card* member = cards[i];
      if (member->dragLead == card)
      {
         member->dragLead = nullptr;
         member->ColorUpdate();
      }
   }
   CardsDraggableUpdate();
   cardPilesLayoutPending = true;
   cardLayersPending = true;
   if (!dropped)
   {
      CardMoveSoundPlay();
   }
   return dropped;
}

void CardGame::CardClick(Card* card)
{
   if (!card || !InputAllowedCheck() || !CardChooseOnClickCheck(card))
   {
      return;
   }
   for (i32 i = 0; i < GUIManager::pointerRecords.count; ++i)
   {
      GUIManager::pointerRecords[i].doubleClickTimer = 0;
   }
   CardChooseCommandQueue(card, 0);
}

void CardGame::CardDoubleClick(Card* card)
{
   if (card && InputAllowedCheck() && !CardChooseOnClickCheck(card))
   {
      CardChooseCommandQueue(card, 0);
   }
}

void CardGame::CardRightClick(Card* card)
{
   if (card && InputAllowedCheck())
   {
      CardChooseCommandQueue(card, 0);
   }
}

CardPile* CardGame::CardPileUnderPointGet(const Point2F& point)
{
   if (cardContainerBottom)
   {
      // Dragged cards and the cards of tricks never hide the pile below them.
      for (i32 i = 0; i < cards.count; ++i)
      {
         const Card* card = cards[i];
         if (card->widget && (card->dragLead || (card->pile && card->pile->type == CARD_PILE_TYPE_TRICK)))
         {
            card->widget->PointTestEnabledSet(false);
         }
      }
      Widget* found = cardContainerBottom->WidgetAtPointGet(point);
      for (i32 i = 0; i < cards.count; ++i)
      {
         const Card* card = cards[i];
         if (card->widget && (card->dragLead || (card->pile && card->pile->type == CARD_PILE_TYPE_TRICK)))
         {
            card->widget->PointTestEnabledSet(true);
         }
      }
      const CardWidget* cardWidget = CardWidgetOfGet(found);
      const Card* card = cardWidget ? cardWidget->card : nullptr;
      if (card && card->pile && !card->dragLead && !card->MoveRunningCheck())
      {
         return card->pile;
      }
   }
   if (!cardPileContainer)
   {
      return nullptr;
   }
   const CardPileWidget* pileWidget = CardPileWidgetOfGet(cardPileContainer->WidgetAtPointGet(point));
   return pileWidget ? pileWidget->pile : nullptr;
}

// ---- Sound and help labels ----

void CardGame::CardMoveSoundPlay()
{
   if (cardMoveSoundCooldown != 0 || cardMoveSounds.count == 0)
   {
      return;
   }
   const u32 draw = RandomNumberGet() & 0xFFFF;
   Sound* sound = cardMoveSounds[static_cast<i32>(draw * static_cast<u32>(cardMoveSounds.count) / 65536u)];
   for (i32 i = 0; i < cardMoveSoundSources.count; ++i)
   {
      if (cardMoveSoundSources[i]->StateGet() == SOUND_SOURCE_IDLE)
      {
         Sound::Play(sound, static_cast<SoundSourceOpenAL*>(cardMoveSoundSources[i]), false,
                     SOUND_USAGE_EFFECTS);
         const i32 cooldown = ConstIntGet(consts, "CardMoveSoundCooldown");
         cardMoveSoundCooldown = static_cast<u32>(cooldown > 0 ? cooldown : 0);
         return;
      }
   }
}

void CardGame::HelpLabelsUpdate()
{
   CardPile* hovered = nullptr;
   for (i32 i = 0; i < GUIManager::pointerRecords.count && !hovered; ++i)
   {
      const MouseState* pointer = GUIManager::pointerRecords[i].mouseState;
      if (pointer && pointer->present)
      {
         hovered =
             CardPileUnderPointGet(Point2F{static_cast<float>(pointer->x), static_cast<float>(pointer->y)});
      }
   }
   const bool shown = SettingBoolGet("ShowHelpLabels");
   for (i32 i = 0; i < cardPiles.count; ++i)
   {
      cardPiles[i]->HelpLabelsEnabledSet(shown && cardPiles[i] == hovered);
   }
}
} // namespace Corvale
