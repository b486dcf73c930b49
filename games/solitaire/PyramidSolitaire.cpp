// Pyramid's deal, its covering rows, the clicks that turn the stock, remove Kings and pair cards to
// 13, and the turn-ups, win and loss of the refresh.
#include "games/solitaire/PyramidSolitaire.h"

#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "core/Log.h"
#include "cardgame/RecordSupport.h"

namespace Corvale
{
PyramidSolitaire PyramidSolitaire::instance;

namespace
{
// The first pile of row k.
i32 RowFirstPileGet(i32 row)
{
   return row * (row + 1) / 2;
}
} // namespace

void PyramidSolitaire::ReflectionRegister()
{
   auto* record =
       ReflectionRecordCreate<ReflectionTypeObjectTyped<PyramidSolitaire>>("Corvale::PyramidSolitaire");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(TraditionalSolitaireGame).name());
   record->FieldAdd(&PyramidSolitaire::selectedCardID, "selectedCardID");
   ReflectionManager::TypeRegister(record);
}

void PyramidSolitaire::Init()
{
   TraditionalSolitaireGame::Init();
   GameNew();
}

bool PyramidSolitaire::Load(JSONValue* document)
{
   const bool loaded = TraditionalSolitaireGame::Load(document);
   if (selectedCardID != -1 && !CardGet(selectedCardID))
   {
      WarningPrintf("PyramidSolitaire::Load -- the selected card %d is not in the game\n", selectedCardID);
      selectedCardID = -1;
   }
   return loaded;
}

void PyramidSolitaire::GameNew()
{
   UndoHistoryClear();
   undoMoveBegins = true;
   TraditionalSolitaireGame::GameNew();
   selectedCardID = -1;

   CardPile* stock = CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
   if (!stock)
   {
      WarningPrintf("PyramidSolitaire::GameNew -- the constants declare no stock pile\n");
      return;
   }
   stock->DecksAdd(1);
   CardPileShuffle(stock);
   if (SettingBoolGet("ShowCoveredCardsFaceDown"))
   {
      const i32 bottomRowFirst = RowFirstPileGet(PYRAMID_ROW_COUNT - 1);
      CardsDeal(CARD_PILE_TYPE_TABLEAU, stock, bottomRowFirst, false, 0);
      CardsDeal(CARD_PILE_TYPE_TABLEAU, stock, PYRAMID_ROW_COUNT, true, bottomRowFirst);
   }
   else
   {
      CardsDealToEachPile(CARD_PILE_TYPE_TABLEAU, stock, 1, true);
   }
   if (!SettingBoolGet("NoReserve"))
   {
      CardsDealToEachPile(CARD_PILE_TYPE_RESERVE, stock, 1, true);
   }
   CardPile* waste = CardPileGet(CARD_PILE_TYPE_WASTE, -1, -1);
   if (waste)
   {
      waste->VisibleSet(!SettingBoolGet("NoWastePile"));
   }
   ActionTurnBeginPost();
}

void PyramidSolitaire::CardCoveringPilesGet(Card* card, i32* first, i32* second)
{
   i32 covering = -1;
   const CardPile* pile = card ? card->pile : nullptr;
   if (pile && pile->type == CARD_PILE_TYPE_TABLEAU && pile->secondaryID >= 0 &&
       pile->secondaryID < RowFirstPileGet(PYRAMID_ROW_COUNT - 1))
   {
      i32 row = 0;
      while (RowFirstPileGet(row + 1) <= pile->secondaryID)
      {
         ++row;
      }
      covering = RowFirstPileGet(row + 1) + pile->secondaryID - RowFirstPileGet(row);
   }
   if (first)
   {
      *first = covering;
   }
   if (second)
   {
      *second = covering < 0 ? -1 : covering + 1;
   }
}

bool PyramidSolitaire::CardAvailableCheck(Card* card)
{
   const CardPile* pile = card ? card->pile : nullptr;
   if (!pile)
   {
      return false;
   }
   switch (pile->type)
   {
   case CARD_PILE_TYPE_RESERVE:
      return true;
   case CARD_PILE_TYPE_WASTE:
   case CARD_PILE_TYPE_FLIP:
      return pile->CardTopGet() == card;
   case CARD_PILE_TYPE_TABLEAU:
      return !CardCoveredCheck(card);
   default:
      return false;
   }
}

bool PyramidSolitaire::PairExists()
{
   for (i32 i = 0; i < cards.count; ++i)
   {
      Card* card = cards[i];
      if (!CardAvailableCheck(card))
      {
         continue;
      }
      if (card->rank == RANK_KING)
      {
         return true;
      }
      for (i32 j = i + 1; j < cards.count; ++j)
      {
         Card* other = cards[j];
         if (other->pile != card->pile && card->rank + other->rank == PYRAMID_PAIR_SUM &&
             CardAvailableCheck(other))
         {
            return true;
         }
      }
   }
   return false;
}

bool PyramidSolitaire::CardPlayableCheck(Card* card)
{
   if (!CardAvailableCheck(card))
   {
      return false;
   }
   if (card->rank == RANK_KING)
   {
      return true;
   }
   for (i32 i = 0; i < cardPiles.count; ++i)
   {
      Card* top = cardPiles[i] != card->pile ? cardPiles[i]->CardTopGet() : nullptr;
      if (top && card->rank + top->rank == PYRAMID_PAIR_SUM && CardAvailableCheck(top))
      {
         return true;
      }
   }
   return false;
}

void PyramidSolitaire::SelectionClear()
{
   Card* selected = CardGet(selectedCardID);
   if (selected)
   {
      CardSelectedSet(selected, false);
   }
   selectedCardID = -1;
}

void PyramidSolitaire::FoundationMoveQueue(Card* card)
{
   CardMoveQueue(CardPileGet(CARD_PILE_TYPE_FOUNDATION, -1, -1), card,
                 static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0), true);
}

void PyramidSolitaire::CardChoose(Card* card)
{
   CardPile* pile = card ? card->pile : nullptr;
   CardPile* stock = CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
   if (!pile || gameResult != MINIGAME_RESULT_RUNNING)
   {
      return;
   }
   const u32 delay = static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0);
   if (pile == stock)
   {
      SelectionClear();
      undoMoveBegins = true;
      CardPile* flip = CardPileGet(CARD_PILE_TYPE_FLIP, -1, -1);
      if (!SettingBoolGet("NoWastePile") && flip && flip->cards.count > 0)
      {
         CardPileTopCardMoveQueue(CardPileGet(CARD_PILE_TYPE_WASTE, -1, -1), flip, delay, true);
      }
      CardPileTopCardMoveQueue(flip, stock, delay, true);
      return;
   }
   if (!CardAvailableCheck(card))
   {
      return;
   }
   if (card->rank == RANK_KING)
   {
      undoMoveBegins = true;
      FoundationMoveQueue(card);
      SelectionClear();
      return;
   }
   // A selection the player can no longer reach (a load of a doctored game) pairs with nothing.
   Card* selected = CardGet(selectedCardID);
   if (selected && !CardAvailableCheck(selected))
   {
      SelectionClear();
      selected = nullptr;
   }
   if (!selected)
   {
      CardSelectedSet(card, true);
      selectedCardID = card->id;
      return;
   }
   if (selected != card && selected->rank + card->rank == PYRAMID_PAIR_SUM)
   {
      undoMoveBegins = true;
      FoundationMoveQueue(selected);
      FoundationMoveQueue(card);
      SelectionClear();
      return;
   }
   SelectionClear();
   CardSelectedSet(card, true);
   selectedCardID = card->id;
   if (stock && stock->cards.count == 0 && !PairExists())
   {
      GameLose();
   }
}

void PyramidSolitaire::Refresh()
{
   PlayableCardsHighlight();
   if (!MayActCheck() || gameResult != MINIGAME_RESULT_RUNNING)
   {
      return;
   }
   bool turned = false;
   for (i32 id = 0; id < PYRAMID_PILE_COUNT; ++id)
   {
      CardPile* pile = CardPileGet(CARD_PILE_TYPE_TABLEAU, id, -1);
      Card* top = pile ? pile->CardTopGet() : nullptr;
      if (top && !top->faceUp && !CardCoveredCheck(top))
      {
         CardFaceUpSet(top, true, true);
         turned = true;
      }
   }
   if (turned)
   {
      return;
   }
   const CardPile* foundation = CardPileGet(CARD_PILE_TYPE_FOUNDATION, -1, -1);
   const bool won = SettingBoolGet("PlayAllCardsToWin") ? foundation && foundation->cards.count == 52
                                                        : CardPilesOfTypeEmpty(CARD_PILE_TYPE_TABLEAU);
   if (won)
   {
      GameWin();
      return;
   }
   const CardPile* stock = CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
   if ((!stock || stock->cards.count == 0) && !PairExists())
   {
      GameLose();
   }
}

void PyramidSolitaire::Undo()
{
   TraditionalSolitaireGame::Undo();
   // The base deselected every card; the pair's first card goes with its mark.
   selectedCardID = -1;
}
} // namespace Corvale
