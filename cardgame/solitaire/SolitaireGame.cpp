// The solitaire base: highlights, legality questions and the one-player end of a game.
#include "cardgame/solitaire/SolitaireGame.h"

#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/CardWidget.h"
#include "cardgame/Player.h"
#include "cardgame/RecordSupport.h"
#include "gui/GUIManager.h"
#include "gui/widgets/LayerWidget.h"
#include "platform/input/MouseState.h"

namespace Corvale
{
void SolitaireGame::ReflectionRegister()
{
   auto* record =
       ReflectionRecordCreate<ReflectionTypeObjectTypedAbstract<SolitaireGame>>("Corvale::SolitaireGame");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(FrontendBasedCardGame).name());
   ReflectionManager::TypeRegister(record);
}

Card* SolitaireGame::CardHeldGet()
{
   for (i32 i = 0; i < GUIManager::pointerRecords.count; ++i)
   {
      const PointerRecord& pointer = GUIManager::pointerRecords[i];
      if (!pointer.mouseState || !pointer.mouseState->present)
      {
         continue;
      }
      const CardWidget* widget = dynamic_cast<CardWidget*>(pointer.pressed);
      if (widget && widget->card)
      {
         return widget->card;
      }
   }
   return nullptr;
}

void SolitaireGame::Update(u32 elapsed)
{
   FrontendBasedCardGame::Update(elapsed);
   DropTargetsHighlight(CardHeldGet());
}

void SolitaireGame::GameNew()
{
   nextCardID = 0;
   FrontendBasedCardGame::GameNew();
   for (i32 i = 0; i < cards.count; ++i)
   {
      cards[i]->highlighted = false;
      cards[i]->SpriteUpdate();
   }
   for (i32 i = 0; i < cardPiles.count; ++i)
   {
      cardPiles[i]->highlighted = false;
   }
}

bool SolitaireGame::Load(JSONValue* document)
{
   const bool loaded = FrontendBasedCardGame::Load(document);
   PlayableCardsHighlight();
   return loaded;
}

void SolitaireGame::Refresh()
{
   PlayableCardsHighlight();
}

void SolitaireGame::PlayerWinnerSet(bool winner)
{
   if (players.count > 0)
   {
      players[0]->minigameWinner = winner;
   }
}

void SolitaireGame::GameWin()
{
   PlayerWinnerSet(true);
   FrontendBasedCardGame::GameWin();
}

void SolitaireGame::GameLose()
{
   PlayerWinnerSet(false);
   FrontendBasedCardGame::GameLose();
}

void SolitaireGame::GameDraw()
{
   PlayerWinnerSet(false);
   FrontendBasedCardGame::GameDraw();
}

bool SolitaireGame::CardPlayableCheck(Card* card)
{
   if (!card || !CardPickUpCheck(card))
   {
      return false;
   }
   for (i32 i = 0; i < cardPiles.count; ++i)
   {
      CardPile* pile = cardPiles[i];
      if (pile != card->pile && pile->type != CARD_PILE_TYPE_WASTE && pile->type != CARD_PILE_TYPE_DISCARD &&
          CardDropCheck(pile, card))
      {
         return true;
      }
   }
   return false;
}

bool SolitaireGame::CardMoveToPileCheck(CardPile* pile, Card* card)
{
   return pile && card && CardPickUpCheck(card) && CardDropCheck(pile, card);
}

void SolitaireGame::CardCoveringPilesGet(Card* card, i32* first, i32* second)
{
   (void)card;
   if (first)
   {
      *first = -1;
   }
   if (second)
   {
      *second = -1;
   }
}

bool SolitaireGame::CardCoveredCheck(Card* card)
{
   if (!card)
   {
      return false;
   }
   i32 covering[2] = {-1, -1};
   CardCoveringPilesGet(card, &covering[0], &covering[1]);
   for (i32 secondaryID : covering)
   {
      const CardPile* pile =
          secondaryID >= 0 ? CardPileGet(CARD_PILE_TYPE_TABLEAU, secondaryID, -1) : nullptr;
      if (pile && pile->cards.count > 0)
      {
         return true;
      }
   }
   return false;
}

void SolitaireGame::PlayableCardsHighlight()
{
   const bool shown = SettingBoolGet("ShowPlayableCards");
   for (i32 i = 0; i < cards.count; ++i)
   {
      Card* card = cards[i];
      const bool highlighted = shown && CardPlayableCheck(card);
      if (card->highlighted != highlighted)
      {
         card->highlighted = highlighted;
         card->SpriteUpdate();
      }
   }
}

void SolitaireGame::DropTargetsHighlight(Card* card)
{
   const bool allowed = card && SettingBoolGet("ShowPlayableCards") && MayActCheck();
   for (i32 i = 0; i < cardPiles.count; ++i)
   {
      cardPiles[i]->highlighted = allowed && CardMoveToPileCheck(cardPiles[i], card);
   }
}

bool SolitaireGame::EmptyPilesFill(i32 type, i32 first, i32 last, CardPile* source)
{
   i32 sourceLeft = source ? source->cards.count : 0;
   bool holds = false;
   const u32 delay = static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0);
   for (i32 id = first; id <= last; ++id)
   {
      CardPile* pile = CardPileGet(type, id, -1);
      if (!pile || pile == source)
      {
         continue;
      }
      if (pile->cards.count == 0 && sourceLeft > 0)
      {
         CardPileTopCardMoveQueue(pile, source, delay, true);
         sourceLeft--;
      }
      holds = holds || pile->cards.count > 0;
   }
   return holds;
}

bool SolitaireGame::MayActCheck()
{
   return (!layer || layer->EnabledCheck()) && HumanMayActCheck();
}
} // namespace Corvale
