// The trick-taking base: hands and tricks, the trick piles' order, the default winner rule and the
// trick review button.
#include "cardgame/tricktaking/TrickTakingGame.h"

#include <algorithm>
#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/CardPileWidget.h"
#include "cardgame/RecordSupport.h"
#include "cardgame/tricktaking/TrickReviewPopup.h"
#include "cardgame/tricktaking/TrickTakingGamePlayer.h"
#include "core/JSONValue.h"
#include "gui/popup/PopupManager.h"
#include "gui/state/GameStateManager.h"
#include "gui/widgets/ContainerWidget.h"
#include "gui/widgets/PressButtonWidget.h"

namespace Corvale
{
namespace
{
// Sort types 5 (AscendingSuitRankAceLow) and 1 (DescendingSuitRankAceHigh).
constexpr i32 HAND_SORT_ASCENDING = 5;
constexpr i32 HAND_SORT_DESCENDING = 1;

i32 RankAceHighGet(const Card* card)
{
   return card->rank == RANK_ACE ? RANK_ACE_HIGH : card->rank;
}

bool SuitValidCheck(i32 suit)
{
   return suit >= SUIT_HEARTS && suit <= SUIT_CLUBS;
}
} // namespace

void TrickTakingGame::ReflectionRegister()
{
   auto* record =
       ReflectionRecordCreate<ReflectionTypeObjectTypedAbstract<TrickTakingGame>>("Corvale::TrickTakingGame");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(NonSolitaireFrontendBasedCardGame).name());
   record->FieldAdd(&TrickTakingGame::trickIndexCurrent, "trickIndexCurrent");
   ReflectionManager::TypeRegister(record);
}

void TrickTakingGame::Init()
{
   nextCardPileID = 0;
   NonSolitaireFrontendBasedCardGame::Init();
   delayTrickTake = ConstIntGet(constants, "DelayTrickTake");
}

void TrickTakingGame::GUIInit(LayerWidget* pushedLayer)
{
   NonSolitaireFrontendBasedCardGame::GUIInit(pushedLayer);
   trickReviewPreviousButton =
       ButtonCreate("TrickReviewPreviousButtonIncluded", "TrickReviewPreviousButton",
                    "TrickReviewPreviousButtonPosition", &TrickTakingGame::OnTrickReviewPreviousClick);
   TrickReviewButtonUpdate();
}

void TrickTakingGame::Deinit()
{
   trickReviewPreviousButton = nullptr;
   NonSolitaireFrontendBasedCardGame::Deinit();
}

bool TrickTakingGame::Load(JSONValue* document)
{
   const bool loaded = NonSolitaireFrontendBasedCardGame::Load(document);
   // The document holds the piles' order and visibility; only the drawing order, which it does
   // not hold, follows them. Arranging afresh would change what a save right after writes.
   const Table<CardPile*> piles = TrickPilesGet();
   TrickPileWidgetsOrder(piles);
   for (i32 i = 0; i < piles.count; ++i)
   {
      piles[i]->CardSpritesUpdate();
   }
   cardPilesLayoutPending = true;
   return loaded;
}

void TrickTakingGame::ControlsRefresh()
{
   TrickReviewButtonUpdate();
}

bool TrickTakingGame::BusyCheck()
{
   // The game waits while the player looks back at the tricks.
   return NonSolitaireFrontendBasedCardGame::BusyCheck() || TrickReviewPopup::OpenCheck();
}

bool TrickTakingGame::TrickSeatPlayedCheck(const Player* player)
{
   const TrickTakingGamePlayer* seat = dynamic_cast<const TrickTakingGamePlayer*>(player);
   return seat && seat->HistoryCardGet(trickIndexCurrent) >= 0;
}

bool TrickTakingGame::TrickPlayAllowedCheck(const Player* player)
{
   const TrickTakingGamePlayer* seat = dynamic_cast<const TrickTakingGamePlayer*>(player);
   return seat && seat->HistoryEntryGet(trickIndexCurrent) && seat->HistoryCardGet(trickIndexCurrent) < 0;
}

bool TrickTakingGame::TrickPileTakesCardCheck(const CardPile* pile)
{
   return pile && (pile->type != CARD_PILE_TYPE_TRICK || !TrickSeatPlayedCheck(PlayerGet(pile->ownerID)));
}

void TrickTakingGame::CardInsertAndNotify(CardPile* pile, i32 index, Card* card)
{
   if (TrickPileTakesCardCheck(pile))
   {
      NonSolitaireFrontendBasedCardGame::CardInsertAndNotify(pile, index, card);
   }
}

void TrickTakingGame::CardAddAndNotify(CardPile* pile, Card* card)
{
   if (TrickPileTakesCardCheck(pile))
   {
      NonSolitaireFrontendBasedCardGame::CardAddAndNotify(pile, card);
   }
}

void TrickTakingGame::CardStackAddAndNotify(CardPile* pile, Card* card)
{
   if (TrickPileTakesCardCheck(pile))
   {
      NonSolitaireFrontendBasedCardGame::CardStackAddAndNotify(pile, card);
   }
}

void TrickTakingGame::OnTrickReviewPreviousClick(PressButtonWidget* button, void* game)
{
   (void)button;
   if (game && !GameStateManager::switchPending)
   {
      static_cast<TrickTakingGame*>(game)->TrickReviewShow();
   }
}

TrickTakingGamePlayer* TrickTakingGame::TrickPlayerGet(i32 index)
{
   return index >= 0 && index < players.count ? dynamic_cast<TrickTakingGamePlayer*>(players[index])
                                              : nullptr;
}

Card* TrickTakingGame::TrickCardGet(const TrickTakingGamePlayer* player, i32 trickIndex)
{
   return player ? CardGet(player->HistoryCardGet(trickIndex)) : nullptr;
}

void TrickTakingGame::HandBegin()
{
   const i32 tricks = std::max(TricksPerHandGet(), 0);
   for (i32 i = 0; i < players.count; ++i)
   {
      TrickTakingGamePlayer* player = TrickPlayerGet(i);
      if (player)
      {
         player->trickHistory = Table<TrickTakingGamePlayerHistoryEntry>(allocatorDefault);
         player->trickHistory.Reserve(tricks);
      }
   }
   trickIndexCurrent = -1;
   NonSolitaireFrontendBasedCardGame::SubgameNew();
   TrickPilesArrange();
   TrickReviewButtonUpdate();
}

void TrickTakingGame::TrickBegin()
{
   trickIndexCurrent++;
   for (i32 i = 0; i < players.count; ++i)
   {
      TrickTakingGamePlayer* player = TrickPlayerGet(i);
      if (player)
      {
         TrickTakingGamePlayerHistoryEntry entry;
         entry.leader = player->id == playerActiveID;
         player->trickHistory.Insert(entry, player->trickHistory.count);
      }
   }
   TrickPilesArrange();
   TrickReviewButtonUpdate();
}

i32 TrickTakingGame::TrickPointsGet(i32 trickIndex)
{
   i32 points = 0;
   for (i32 i = 0; i < players.count; ++i)
   {
      const Card* card = TrickCardGet(TrickPlayerGet(i), trickIndex);
      if (card)
      {
         points += CardPointsGet(card);
      }
   }
   return points;
}

i32 TrickTakingGame::HandSortTypeGet()
{
   return CardSortingGet() == CARD_SORTING_ASCENDING ? HAND_SORT_ASCENDING : HAND_SORT_DESCENDING;
}

bool TrickTakingGame::TrickCompleteCheck()
{
   for (i32 i = 0; i < players.count; ++i)
   {
      TrickTakingGamePlayer* player = TrickPlayerGet(i);
      if (player && player->HistoryCardGet(trickIndexCurrent) < 0)
      {
         return false;
      }
   }
   return true;
}

void TrickTakingGame::TrickWinnerDetermine(Player** playerOut, Card** cardOut)
{
   const Card* lead = TrickLeadCardGet();
   const i32 ledSuit = lead ? lead->suit : SUIT_NONE;
   const i32 trump = SuitValidCheck(trumpSuit) ? trumpSuit : SUIT_NONE;
   Player* bestPlayer = nullptr;
   Card* best = nullptr;
   for (i32 i = 0; i < players.count; ++i)
   {
      TrickTakingGamePlayer* player = TrickPlayerGet(i);
      Card* card = TrickCardGet(player, trickIndexCurrent);
      if (!card)
      {
         continue;
      }
      bool better = !best;
      if (best)
      {
         const bool bestTrump = trump != SUIT_NONE && best->suit == trump;
         const bool cardTrump = trump != SUIT_NONE && card->suit == trump;
         better = (card->suit == best->suit && RankAceHighGet(card) > RankAceHighGet(best)) ||
                  (cardTrump && !bestTrump) ||
                  (ledSuit != SUIT_NONE && card->suit == ledSuit && !bestTrump && best->suit != ledSuit);
      }
      if (better)
      {
         best = card;
         bestPlayer = player;
      }
   }
   if (playerOut)
   {
      *playerOut = bestPlayer;
   }
   if (cardOut)
   {
      *cardOut = best;
   }
}

void TrickTakingGame::TrickTake(Player* player)
{
   TrickTakingGamePlayer* winner = dynamic_cast<TrickTakingGamePlayer*>(player);
   TrickTakingGamePlayerHistoryEntry* entry = winner ? winner->HistoryEntryGet(trickIndexCurrent) : nullptr;
   if (entry)
   {
      entry->winner = true;
   }
   ActionDelayPost(static_cast<u32>(std::max(delayTrickTake, 0)), true);
   CardPile* take = player ? CardPileGet(CARD_PILE_TYPE_TAKE, -1, player->id) : nullptr;
   if (!take)
   {
      return;
   }
   for (i32 p = 0; p < cardPiles.count; ++p)
   {
      const CardPile* pile = cardPiles[p];
      if (pile->type != CARD_PILE_TYPE_TRICK)
      {
         continue;
      }
      for (i32 c = 0; c < pile->cards.count; ++c)
      {
         CardMoveQueue(take, pile->cards[c], 0, true);
      }
   }
}

Player* TrickTakingGame::TrickLeaderGet(i32 trickIndex)
{
   return TrickFlaggedPlayerGet(trickIndex, &TrickTakingGamePlayerHistoryEntry::leader);
}

Player* TrickTakingGame::TrickWinnerGet(i32 trickIndex)
{
   return TrickFlaggedPlayerGet(trickIndex, &TrickTakingGamePlayerHistoryEntry::winner);
}

Player* TrickTakingGame::TrickFlaggedPlayerGet(i32 trickIndex, bool TrickTakingGamePlayerHistoryEntry::*flag)
{
   for (i32 i = 0; i < players.count; ++i)
   {
      TrickTakingGamePlayer* player = TrickPlayerGet(i);
      const TrickTakingGamePlayerHistoryEntry* entry = player ? player->HistoryEntryGet(trickIndex) : nullptr;
      if (entry && entry->*flag)
      {
         return player;
      }
   }
   return nullptr;
}

Card* TrickTakingGame::TrickLeadCardGet()
{
   return TrickCardGet(dynamic_cast<TrickTakingGamePlayer*>(TrickLeaderGet(trickIndexCurrent)),
                       trickIndexCurrent);
}

i32 TrickTakingGame::TrickCardsPlayedCount()
{
   i32 count = 0;
   for (i32 i = 0; i < players.count; ++i)
   {
      const TrickTakingGamePlayer* player = TrickPlayerGet(i);
      count += player && player->HistoryCardGet(trickIndexCurrent) >= 0 ? 1 : 0;
   }
   return count;
}

bool TrickTakingGame::SuitPlayedCheck(i32 suit)
{
   return CardOfHandPlayedCheck(RANK_NONE, suit);
}

bool TrickTakingGame::CardPlayedCheck(i32 rank, i32 suit)
{
   return CardOfHandPlayedCheck(rank, suit);
}

bool TrickTakingGame::CardOfHandPlayedCheck(i32 rank, i32 suit)
{
   for (i32 i = 0; i < players.count; ++i)
   {
      const TrickTakingGamePlayer* player = TrickPlayerGet(i);
      for (i32 t = 0; player && t <= trickIndexCurrent; ++t)
      {
         const Card* card = TrickCardGet(player, t);
         if (card && card->suit == suit && (rank == RANK_NONE || card->rank == rank))
         {
            return true;
         }
      }
   }
   return false;
}

bool TrickTakingGame::TrickCardFollowsSuitCheck(const Card* card)
{
   const CardPile* hand = PlayerHandGet(PlayerActiveGet());
   if (!card || !hand || card->pile != hand)
   {
      return false;
   }
   const Card* lead = TrickLeadCardGet();
   return !lead || card->suit == lead->suit || hand->CardsOfSuitCount(lead->suit) == 0;
}

void TrickTakingGame::TrickReviewButtonUpdate()
{
   if (trickReviewPreviousButton)
   {
      trickReviewPreviousButton->VisibleSet(ConstFlagGet(constants, "TrickReviewPreviousButtonIncluded") &&
                                            trickIndexCurrent >= 1);
   }
}

Table<CardPile*> TrickTakingGame::TrickPilesGet()
{
   Table<CardPile*> piles(allocatorTemp);
   for (i32 i = 0; i < cardPiles.count; ++i)
   {
      if (cardPiles[i]->type == CARD_PILE_TYPE_TRICK)
      {
         piles.Insert(cardPiles[i], piles.count);
      }
   }
   return piles;
}

void TrickTakingGame::TrickPileWidgetsOrder(const Table<CardPile*>& piles)
{
   Table<ContainerWidget*> containersDone(allocatorTemp);
   for (i32 i = 0; i < piles.count; ++i)
   {
      CardPileWidget* widget = piles[i]->widget;
      ContainerWidget* container = widget ? dynamic_cast<ContainerWidget*>(widget->ParentGet()) : nullptr;
      if (!container || containersDone.Find(container) >= 0)
      {
         continue;
      }
      containersDone.Insert(container, containersDone.count);
      Table<Widget*> group(allocatorTemp);
      Table<i32> places(allocatorTemp);
      for (i32 j = i; j < piles.count; ++j)
      {
         Widget* other = piles[j]->widget;
         const i32 place = other && other->ParentGet() == container ? container->ChildIndexGet(other) : -1;
         if (place >= 0)
         {
            group.Insert(other, group.count);
            places.Insert(place, places.count);
         }
      }
      places.Sort([](i32 a, i32 b) { return a < b; });
      for (i32 k = 0; k < group.count; ++k)
      {
         container->children[places[k]] = group[k];
      }
   }
}

void TrickTakingGame::TrickPilesArrange()
{
   Table<CardPile*> piles = TrickPilesGet();
   // The game's table keeps the play order, so that without a leader the last one stands.
   const Player* leader = TrickLeaderGet(trickIndexCurrent);
   if (leader)
   {
      Table<i32> slots(allocatorTemp);
      for (i32 i = 0; i < cardPiles.count; ++i)
      {
         if (cardPiles[i]->type == CARD_PILE_TYPE_TRICK)
         {
            slots.Insert(i, slots.count);
         }
      }
      const i32 leaderID = leader->id;
      piles.Sort(
          [leaderID](CardPile* a, CardPile* b)
          {
             const bool aFirst = a->ownerID >= leaderID;
             const bool bFirst = b->ownerID >= leaderID;
             return aFirst != bFirst ? aFirst : a->ownerID < b->ownerID;
          });
      for (i32 i = 0; i < piles.count; ++i)
      {
         cardPiles[slots[i]] = piles[i];
      }
   }

   // The leader's card is drawn first and the last card given on top.
   TrickPileWidgetsOrder(piles);

   bool emptyShown = false;
   for (i32 i = 0; i < piles.count; ++i)
   {
      CardPile* pile = piles[i];
      const Player* owner = PlayerGet(pile->ownerID);
      bool shown = true;
      if (owner && (!owner->minigameIn || !owner->subgameIn))
      {
         shown = false;
      }
      else if (pile->cards.count == 0)
      {
         shown = !emptyShown;
         emptyShown = true;
      }
      pile->VisibleSet(shown);
      pile->CardSpritesUpdate();
   }
   cardPilesLayoutPending = true;
}

TrickReviewHandPopup* TrickTakingGame::TrickReviewHandPopupCreate()
{
   return MemoryNew<TrickReviewHandPopup>(HEAP_DEFAULT);
}

void TrickTakingGame::TrickReviewShow()
{
   const char* layerName = TrickReviewLayerNameGet();
   if (trickIndexCurrent <= 0 || !layerName)
   {
      return;
   }
   TrickReviewPopupOpen(MemoryNew<TrickReviewPopup>(HEAP_DEFAULT), this, layerName, trickIndexCurrent - 1);
}

void TrickTakingGame::TrickReviewHandShow()
{
   const char* layerName = TrickReviewHandLayerNameGet();
   if (!layerName)
   {
      return;
   }
   TrickReviewPopupOpen(TrickReviewHandPopupCreate(), this, layerName, 0);
}
} // namespace Corvale
