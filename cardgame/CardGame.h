// The base of every game played with cards, as far as cards and piles call it: the pending layout
// flags, the card factory, the card containers, the card styles, the random state words and the
// hooks a card or pile change raises. The game base fills in the rest of the class.
#pragma once

#include "core/Table.h"
#include "core/Types.h"

namespace Corvale
{
class Card;
class CardPile;
class ContainerWidget;
class JSONValue;

class CardGame
{
 public:
   virtual ~CardGame() = default;

   // A new card of that rank and suit with the next ID, its sprite chosen and its widget made,
   // appended to the game's cards; null when it cannot be allocated.
   Card* CardCreate(i32 rank, i32 suit);
   // Frees every card of the game.
   void CardsFree();

   // Which cards may be dragged now.
   virtual void CardsDraggableUpdate() {}
   // One card move sound, subject to the game's cooldown.
   virtual void CardMoveSoundPlay() {}
   // A card has joined a pile.
   virtual void CardPileCardAddedNotify(CardPile* pile, Card* card)
   {
      (void)pile;
      (void)card;
   }

   // The player's card styles; the constants' defaults until profiles choose them. Null when none.
   virtual const char* CardFrontStyleGet();
   virtual const char* CardBackStyleGet();
   // The player's messy-cards setting.
   virtual bool CardsMessyCheck() { return false; }
   // The game's own constants (its "CardPileTemplates" among them); null when it has none.
   virtual const JSONValue* ConstsGet() { return nullptr; }

   // The card widgets move between the containers and the piles lay out on the next frame.
   bool cardLayersPending = false;
   bool cardPilesLayoutPending = false;
   Table<Card*> cards;
   // Cards in motion or dragged sit in the top container, the rest in the bottom one.
   ContainerWidget* cardContainerTop = nullptr;
   ContainerWidget* cardContainerBottom = nullptr;
   ContainerWidget* cardPileContainer = nullptr;
   // The game's own random state, swapped into the engine's generator for each shuffle.
   u32 seed1 = 0;
   u32 seed2 = 0;
   i32 nextCardID = 0;
};
} // namespace Corvale
