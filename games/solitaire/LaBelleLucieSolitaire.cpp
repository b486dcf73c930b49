// La Belle Lucie's deal, its fans and foundations, the redeals and the end of game.
#include "games/solitaire/LaBelleLucieSolitaire.h"

#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/RecordSupport.h"
#include "core/Allocator.h"
#include "core/Log.h"

namespace Corvale
{
LaBelleLucieSolitaire LaBelleLucieSolitaire::instance;

void LaBelleLucieSolitaire::ReflectionRegister()
{
   auto* record = ReflectionRecordCreate<ReflectionTypeObjectTyped<LaBelleLucieSolitaire>>(
       "Corvale::LaBelleLucieSolitaire");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(TalonSolitaire).name());
   ReflectionManager::TypeRegister(record);
}

namespace
{
constexpr i32 FANS = 16;
constexpr i32 FAN_CARDS = 3;
constexpr i32 FAN_CARDS_MAX = 7;
constexpr i32 REDEALS = 3;
constexpr i32 REDEALS_SHORT = 2;
} // namespace

void LaBelleLucieSolitaire::Init()
{
   TalonSolitaire::Init();
   GameNew();
}

void LaBelleLucieSolitaire::GameNew()
{
   undoMoveBegins = true;
   UndoHistoryClear();
   TalonSolitaire::GameNew();
   CardPile* stock = CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
   if (!stock)
   {
      WarningPrintf("LaBelleLucieSolitaire::GameNew -- the constants declare no stock pile\n");
      return;
   }
   stock->DecksAdd(1);
   CardPileShuffle(stock);
   const u32 delay = static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0);
   i32 dealt = 0;
   for (i32 i = 0; i < stock->cards.count; ++i)
   {
      Card* card = stock->cards[i];
      if (card->rank == RANK_ACE)
      {
         CardMoveQueue(CardPileGet(CARD_PILE_TYPE_FOUNDATION, card->suit, -1), card, delay, true);
         continue;
      }
      CardMoveQueue(CardPileGet(CARD_PILE_TYPE_TABLEAU, dealt / FAN_CARDS, -1), card, delay, true);
      ++dealt;
   }
   resetNum = 0;
   maxResets = SettingBoolGet("TwoRedeals") ? REDEALS_SHORT : REDEALS;
   RedealButtonRefresh();
   ActionTurnBeginPost();
}

void LaBelleLucieSolitaire::RedealButtonRefresh()
{
   if (ResetAllowedCheck())
   {
      ResetButtonRefresh();
   }
   else
   {
      ResetButtonShow(false);
   }
}

bool LaBelleLucieSolitaire::Load(JSONValue* document)
{
   const bool loaded = TalonSolitaire::Load(document);
   if (loaded)
   {
      RedealButtonRefresh();
   }
   return loaded;
}

void LaBelleLucieSolitaire::UndoRecordReplay(const UndoRecord& record)
{
   TalonSolitaire::UndoRecordReplay(record);
   RedealButtonRefresh();
}

void LaBelleLucieSolitaire::TalonReset()
{
   if (!ResetAllowedCheck())
   {
      return;
   }
   CardPile* stock = CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
   if (!stock)
   {
      return;
   }
   resetNum++;
   RedealButtonRefresh();
   // Gathered in ID order, so that the shuffle depends on the seed words alone and not on the
   // order a load made the cards in.
   Table<Card*> ordered(allocatorTemp);
   for (i32 i = 0; i < cards.count; ++i)
   {
      const CardPile* pile = cards[i]->pile;
      if (pile && pile->type != CARD_PILE_TYPE_FOUNDATION && pile != stock)
      {
         ordered.Insert(cards[i], ordered.count);
      }
   }
   ordered.Sort([](const Card* a, const Card* b) { return a->id < b->id; });
   for (i32 i = 0; i < ordered.count; ++i)
   {
      CardAdd(stock, ordered[i]);
   }
   CardAnimationsFinish();
   CardPileShuffle(stock);
   const u32 delay = static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0);
   const i32 count = stock->cards.count;
   for (i32 dealt = 0; dealt < count && dealt < FANS * FAN_CARDS; ++dealt)
   {
      CardPileTopCardMoveQueue(CardPileGet(CARD_PILE_TYPE_TABLEAU, dealt % FANS, -1), stock, delay, true);
   }
   // A redeal cannot be taken back.
   UndoHistoryClearPost();
}

bool LaBelleLucieSolitaire::CardPickUpCheck(Card* card)
{
   const CardPile* pile = card ? card->pile : nullptr;
   return pile && card->faceUp && pile->type == CARD_PILE_TYPE_TABLEAU && pile->CardTopGet() == card;
}

bool LaBelleLucieSolitaire::CardDropCheck(CardPile* pile, Card* card)
{
   if (!pile || !card || !card->pile)
   {
      return false;
   }
   const Card* top = pile->CardTopGet();
   if (!top)
   {
      return false;
   }
   switch (pile->type)
   {
   case CARD_PILE_TYPE_TABLEAU:
      return pile->cards.count < FAN_CARDS_MAX && top->FollowsCheck(card, 1, 1, false, false, 1);
   case CARD_PILE_TYPE_FOUNDATION:
      return card->pile->CardTopGet() == card && top->FollowsCheck(card, 0, 1, false, false, 1);
   default:
      return false;
   }
}

void LaBelleLucieSolitaire::Refresh()
{
   PlayableCardsHighlight();
   if (!MayActCheck())
   {
      return;
   }
   const CardPile* stock = CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
   if ((!stock || stock->cards.count == 0) && CardPilesOfTypeEmpty(CARD_PILE_TYPE_TABLEAU))
   {
      GameWin();
   }
   else if (resetNum >= maxResets && !MoveExists())
   {
      GameLose();
   }
}
} // namespace Corvale
