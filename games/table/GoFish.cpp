// Go Fish's rules: asking by two card choices, fishing from the stock, books and refills laid when
// the table is idle, the end, and the computer, which remembers what the others asked for.
#include "games/table/GoFish.h"

#include <cstdio>
#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardPile.h"
#include "cardgame/CardSort.h"
#include "cardgame/Command.h"
#include "cardgame/PlayerPanel.h"
#include "cardgame/PlayerPanelWidget.h"
#include "cardgame/RecordSupport.h"
#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/ReflectionManager.h"
#include "games/table/GoFishResultsPopup.h"
#include "gui/popup/PopupManager.h"
#include "gui/widgets/LabelWidget.h"

namespace Corvale
{
GoFish GoFish::instance;

namespace
{
const char* const ASK_LINES[13] = {
    "GO_FISH_I_ASK_FOR_ACES",   "GO_FISH_I_ASK_FOR_TWOS",   "GO_FISH_I_ASK_FOR_THREES",
    "GO_FISH_I_ASK_FOR_FOURS",  "GO_FISH_I_ASK_FOR_FIVES",  "GO_FISH_I_ASK_FOR_SIXES",
    "GO_FISH_I_ASK_FOR_SEVENS", "GO_FISH_I_ASK_FOR_EIGHTS", "GO_FISH_I_ASK_FOR_NINES",
    "GO_FISH_I_ASK_FOR_TENS",   "GO_FISH_I_ASK_FOR_JACKS",  "GO_FISH_I_ASK_FOR_QUEENS",
    "GO_FISH_I_ASK_FOR_KINGS"};
const char* const ANSWER_LINES[4] = {"GO_FISH_I_SAY_GO_FISH", "GO_FISH_I_HAVE_ONE", "GO_FISH_I_HAVE_TWO",
                                     "GO_FISH_I_HAVE_THREE"};
} // namespace

// ---- The player ----

void GoFishPlayer::Clear()
{
   Player::Clear();
   lastAskedRank = RANK_NONE;
   lastAskedPlayerID = -1;
   rankAsks = Table<i32>(allocatorDefault);
   rankAsks.Reserve(GO_FISH_RANK_ASKS_MAX);
}

void GoFishPlayer::Deinit()
{
   rankAsks = Table<i32>();
   Player::Deinit();
}

void GoFishPlayer::ReflectionRegister()
{
   auto* record = ReflectionRecordCreate<ReflectionTypeObjectTyped<GoFishPlayer>>("Corvale::GoFishPlayer");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(Player).name());
   record->initMethod = &GoFishPlayer::Clear;
   record->deinitMethod = &GoFishPlayer::Deinit;
   record->FieldAdd(&GoFishPlayer::lastAskedRank, "lastAskedRank");
   record->FieldAdd(&GoFishPlayer::lastAskedPlayerID, "lastAskedPlayerID");
   record->FieldAdd(&GoFishPlayer::rankAsks, "rankAsks");
   ReflectionManager::TypeRegister(record);
}

void GoFishPlayer::RankAskAdd(i32 rank)
{
   // A loaded record may be longer than the limit; trim it down as well.
   while (rankAsks.count >= GO_FISH_RANK_ASKS_MAX)
   {
      rankAsks.RemoveAt(0);
   }
   rankAsks.Insert(rank, rankAsks.count);
}

bool GoFishPlayer::RankAskedRecentlyCheck(i32 rank, i32 length) const
{
   const i32 first = length < 0 || length > rankAsks.count ? 0 : rankAsks.count - length;
   for (i32 i = first; i < rankAsks.count; ++i)
   {
      if (rankAsks[i] == rank)
      {
         return true;
      }
   }
   return false;
}

// ---- Identity, set-up and texts ----

void GoFish::ReflectionRegister()
{
   auto* record = ReflectionRecordCreate<ReflectionTypeObjectTyped<GoFish>>("Corvale::GoFish");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(NonSolitaireFrontendBasedCardGame).name());
   record->FieldAdd(&GoFish::selectedCardID, "selectedCardID");
   ReflectionManager::TypeRegister(record);
}

Player* GoFish::PlayerCreate()
{
   return MemoryNew<GoFishPlayer>(HEAP_DEFAULT);
}

void GoFish::Init()
{
   selectedCardID = -1;
   nextCardPileID = 0;
   CardGame::Init();
   GameNew();
}

CardPile* GoFish::StockGet()
{
   return CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
}

CardPile* GoFish::BooksGet()
{
   return CardPileGet(CARD_PILE_TYPE_DISCARD, -1, -1);
}

GoFishPlayer* GoFish::GoFishPlayerGet(i32 playerID)
{
   return dynamic_cast<GoFishPlayer*>(PlayerGet(playerID));
}

Card* GoFish::SelectedCardGet()
{
   return selectedCardID >= 0 ? CardGet(selectedCardID) : nullptr;
}

void GoFish::SelectionClear()
{
   Card* selected = SelectedCardGet();
   if (selected)
   {
      CardSelectedSet(selected, false);
   }
   selectedCardID = -1;
}

i32 GoFish::AIHistoryLengthGet()
{
   const JSONValue* lengths = constants ? constants->ItemGet("AIHistoryLengths") : nullptr;
   if (!lengths || lengths->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      return 0;
   }
   static const char* const keys[] = {"Easy", "Medium", "Hard"};
   return ConstIntGet(lengths, keys[DifficultyGet()]);
}

void GoFish::TextsRefresh()
{
   CardGame::TextsRefresh();
   for (i32 i = 0; i < playerPanels.count; ++i)
   {
      PlayerPanelWidget* widget = playerPanels[i]->widget;
      const Player* player = PlayerGet(playerPanels[i]->playerID);
      if (widget && player && widget->textLines.count > 1 && widget->textLines[1])
      {
         char books[16];
         std::snprintf(books, sizeof(books), "%d", player->minigameScore);
         widget->textLines[1]->TextSet(books);
      }
   }
}

void GoFish::HandsSort()
{
   const i32 order = CardSortingDirectionGet() == 0 ? GO_FISH_SORT_ASCENDING : GO_FISH_SORT_DESCENDING;
   for (i32 i = 0; i < players.count; ++i)
   {
      CardPile* hand = PlayerHandGet(players[i]);
      if (!hand)
      {
         continue;
      }
      // The order is kept, so that cards received later join the human's hand in place.
      hand->sortType = players[i]->local && players[i]->human ? order : CARD_SORT_TYPE_UNSORTED;
      hand->SortOnce(hand->sortType);
   }
}

// ---- A game ----

void GoFish::GameNew()
{
   nextCardID = 0;
   NonSolitaireFrontendBasedCardGame::GameNew();
   CardPile* stock = StockGet();
   if (stock && BooksGet())
   {
      stock->DecksAdd(1);
      CardPileShuffle(stock);
   }
   else
   {
      WarningPrintf("GoFish::GameNew -- the constants lack the stock or the books pile\n");
   }
   SelectionClear();
   HandsSort();
   const Player* first = PlayerNextGet(PlayerActiveGet());
   if (stock && first)
   {
      CardsDealToEachPlayer(stock, GO_FISH_HAND_SIZE, first->id);
   }
   HumanHandsFaceUpQueue();
   ActionTurnBeginPost();
   HandsSortQueue();
   TextsRefresh();
}

void GoFish::TurnBegin()
{
   NonSolitaireFrontendBasedCardGame::TurnBegin();
   SelectionClear();
   GoFishPlayer* active = dynamic_cast<GoFishPlayer*>(PlayerActiveGet());
   if (active)
   {
      active->lastAskedRank = RANK_NONE;
      active->lastAskedPlayerID = -1;
   }
   TextsRefresh();
}

bool GoFish::CommandExecute(const Command& command)
{
   if (command.type == COMMAND_PASS)
   {
      ActionPlayerAdvancePost();
      return true;
   }
   return NonSolitaireFrontendBasedCardGame::CommandExecute(command);
}

// ---- Asking ----

bool GoFish::CardChooseOnClickCheck(Card* card)
{
   return card && card->pile && card->pile->type == CARD_PILE_TYPE_HAND;
}

void GoFish::CardChoose(Card* card)
{
   NonSolitaireFrontendBasedCardGame::CardChoose(card);
   const Player* active = PlayerActiveGet();
   CardPile* pile = card ? card->pile : nullptr;
   if (!active || !pile || pile->type != CARD_PILE_TYPE_HAND || gameResult != MINIGAME_RESULT_RUNNING)
   {
      return;
   }
   if (pile->ownerID == active->id)
   {
      SelectionClear();
      CardSelectedSet(card, true);
      selectedCardID = card->id;
      return;
   }
   const Card* selected = SelectedCardGet();
   // The rank asked for is one the asker still holds.
   if (selected && selected->pile == PlayerHandGet(active))
   {
      AskResolve(pile->ownerID, selected->rank);
   }
}

void GoFish::AskResolve(i32 askedPlayerID, i32 rank)
{
   GoFishPlayer* asker = dynamic_cast<GoFishPlayer*>(PlayerActiveGet());
   GoFishPlayer* asked = GoFishPlayerGet(askedPlayerID);
   CardPile* askerHand = PlayerHandGet(asker);
   CardPile* askedHand = PlayerHandGet(asked);
   if (!asker || !asked || asker == asked || !askerHand || !askedHand || rank < RANK_ACE || rank > RANK_KING)
   {
      return;
   }
   asker->RankAskAdd(rank);
   for (i32 i = 0; i < asked->rankAsks.count; ++i)
   {
      if (asked->rankAsks[i] == rank)
      {
         asked->rankAsks[i] = -1;
      }
   }

   const u32 dialogDelay = static_cast<u32>(delayDialog > 0 ? delayDialog : 0);
   CharacterAddressDialogSay(asker, asked, dialogDelay);
   CharacterDialogRandomSay(asker, ASK_LINES[rank - 1], dialogDelay, 1.0f);
   Table<Card*> given(allocatorTemp);
   for (i32 i = 0; i < askedHand->cards.count; ++i)
   {
      if (askedHand->cards[i]->rank == rank)
      {
         given.Insert(askedHand->cards[i], given.count);
      }
   }
   CharacterDialogRandomSay(asked, ANSWER_LINES[given.count < 3 ? given.count : 3], dialogDelay, 1.0f);

   const u32 dealDelay = static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0);
   for (i32 i = 0; i < given.count; ++i)
   {
      CardMoveQueue(askerHand, given[i], dealDelay, false);
      HumanHandsFaceUpQueue();
   }
   if (given.count > 0)
   {
      return;
   }
   CardPile* stock = StockGet();
   Card* drawn = stock ? stock->CardTopGet() : nullptr;
   if (drawn)
   {
      CardMoveQueue(askerHand, drawn, 0, asker->local && asker->human);
   }
   if (!drawn || drawn->rank != rank)
   {
      ActionPlayerAdvancePost();
   }
}

// ---- Books, refills and the end ----

i32 GoFish::BookRankFind(const CardPile* hand)
{
   for (i32 i = 0; i < hand->cards.count; ++i)
   {
      if (hand->CardsOfRankCount(hand->cards[i]->rank) >= 4)
      {
         return hand->cards[i]->rank;
      }
   }
   return RANK_NONE;
}

void GoFish::Refresh()
{
   TextsRefresh();
   CardPile* stock = StockGet();
   CardPile* books = BooksGet();
   if (!stock || !books)
   {
      return;
   }
   const u32 dealDelay = static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0);
   // Refills are queued, so the next empty hand takes the cards above those already promised.
   i32 stockTaken = 0;
   for (i32 i = 0; i < players.count; ++i)
   {
      Player* player = players[i];
      CardPile* hand = PlayerHandGet(player);
      if (!hand)
      {
         continue;
      }
      if (hand->cards.count == 0)
      {
         const i32 taken = stockTaken;
         for (i32 k = 0; k < GO_FISH_HAND_SIZE && stockTaken < stock->cards.count; ++k)
         {
            CardMoveQueue(hand, stock->cards[stockTaken++], dealDelay, false);
         }
         if (stockTaken > taken && player->local && player->human)
         {
            HumanHandsFaceUpQueue();
         }
         continue;
      }
      const i32 rank = BookRankFind(hand);
      if (rank == RANK_NONE)
      {
         continue;
      }
      player->MinigameScoreAdd(1);
      TextsRefresh();
      Table<Card*> book(allocatorTemp);
      for (i32 c = 0; c < hand->cards.count; ++c)
      {
         if (hand->cards[c]->rank == rank)
         {
            book.Insert(hand->cards[c], book.count);
         }
      }
      for (i32 c = 0; c < book.count; ++c)
      {
         CardFaceUpSet(book[c], true, true);
         CardMoveQueue(books, book[c], dealDelay, true);
      }
      SelectionClear();
   }

   bool cardsLeft = stock->cards.count > 0;
   for (i32 i = 0; i < players.count && !cardsLeft; ++i)
   {
      const CardPile* hand = PlayerHandGet(players[i]);
      cardsLeft = hand && hand->cards.count > 0;
   }
   if (cardsLeft)
   {
      const CardPile* activeHand = PlayerHandGet(PlayerActiveGet());
      if (activeHand && activeHand->cards.count == 0)
      {
         ActionPlayerAdvancePost();
      }
      return;
   }
   GameEndCheck();
}

void GoFish::GameEndCheck()
{
   i32 most = -1;
   i32 holders = 0;
   for (i32 i = 0; i < players.count; ++i)
   {
      if (players[i]->minigameScore > most)
      {
         most = players[i]->minigameScore;
         holders = 0;
      }
      holders += players[i]->minigameScore == most ? 1 : 0;
   }
   bool humanWins = false;
   for (i32 i = 0; i < players.count; ++i)
   {
      // Shared most books: nobody wins.
      players[i]->minigameWinner = holders == 1 && players[i]->minigameScore == most;
      humanWins = humanWins || (players[i]->minigameWinner && players[i]->local && players[i]->human);
   }
   WinnerIconsRefresh();
   if (humanWins)
   {
      ActionGameWinPost();
   }
   else
   {
      ActionGameLosePost();
   }
}

// ---- The computer ----

void GoFish::AITurnTake()
{
   GoFishPlayer* self = dynamic_cast<GoFishPlayer*>(PlayerActiveGet());
   CardPile* hand = PlayerHandGet(self);
   if (!self || !hand)
   {
      return;
   }
   if (hand->cards.count == 0)
   {
      ActionPlayerAdvancePost();
      return;
   }

   Card* card = nullptr;
   GoFishPlayer* target = nullptr;
   // Memory first: someone who asked lately for a rank of this hand still holds it.
   const i32 length = AIHistoryLengthGet();
   for (i32 c = 0; c < hand->cards.count && !target; ++c)
   {
      for (i32 p = 0; p < players.count; ++p)
      {
         GoFishPlayer* other = dynamic_cast<GoFishPlayer*>(players[p]);
         const CardPile* otherHand = PlayerHandGet(other);
         if (other && other != self && otherHand && otherHand->cards.count > 0 &&
             other->RankAskedRecentlyCheck(hand->cards[c]->rank, length))
         {
            card = hand->cards[c];
            target = other;
            break;
         }
      }
   }

   if (!target)
   {
      Table<GoFishPlayer*> holders(allocatorTemp);
      Table<GoFishPlayer*> eligible(allocatorTemp);
      for (i32 p = 0; p < players.count; ++p)
      {
         GoFishPlayer* other = dynamic_cast<GoFishPlayer*>(players[p]);
         const CardPile* otherHand = PlayerHandGet(other);
         if (!other || other == self || !otherHand || otherHand->cards.count == 0)
         {
            continue;
         }
         holders.Insert(other, holders.count);
         if (other->id != self->lastAskedPlayerID)
         {
            eligible.Insert(other, eligible.count);
         }
      }
      const Table<GoFishPlayer*>& from = eligible.count > 0 ? eligible : holders;
      if (from.count == 0)
      {
         return;
      }
      target = from[static_cast<i32>(RandomIntGet(static_cast<u32>(from.count)))];

      Table<Card*> cardsEligible(allocatorTemp);
      for (i32 c = 0; c < hand->cards.count; ++c)
      {
         if (hand->cards[c]->rank != self->lastAskedRank)
         {
            cardsEligible.Insert(hand->cards[c], cardsEligible.count);
         }
      }
      const i32 n = cardsEligible.count > 0 ? cardsEligible.count : hand->cards.count;
      const i32 index = static_cast<i32>(RandomIntGet(static_cast<u32>(n)));
      card = cardsEligible.count > 0 ? cardsEligible[index] : hand->cards[index];
   }

   CardPile* targetHand = PlayerHandGet(target);
   Card* top = targetHand ? targetHand->CardTopGet() : nullptr;
   if (!top || !card)
   {
      return;
   }
   self->lastAskedRank = static_cast<Rank>(card->rank);
   self->lastAskedPlayerID = target->id;
   const u32 delay = static_cast<u32>(delayAIAction > 0 ? delayAIAction : 0);
   CardChooseCommandQueue(card, delay);
   CardChooseCommandQueue(top, delay);
}

// ---- Results ----

void GoFish::ResultsShow()
{
   GoFishResultsPopup& popup = GoFishResultsPopup::instance;
   if (PopupManager::IndexGet(&popup) >= 0)
   {
      return;
   }
   popup.game = this;
   PopupManager::Open(&popup);
   // Set after the open: a closed box forgets its answers.
   popup.onOK = &GoFishResultsPopup::OnOK;
   popup.onOKUserData = this;
}

void GoFish::ResultsHide()
{
   if (PopupManager::IndexGet(&GoFishResultsPopup::instance) >= 0)
   {
      PopupManager::Close(&GoFishResultsPopup::instance);
   }
}
} // namespace Corvale
