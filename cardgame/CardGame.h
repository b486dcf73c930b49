// The base of every game played with cards: its piles and cards, their widgets in four GUI
// containers, the card styles, the move sound pool, the dealer and the trump indicator, the card
// actions of the queue, pointer input on cards and the per-frame work that animates, lays out and
// re-stacks the cards and decides which of them may be dragged.
#pragma once

#include "cardgame/Minigame.h"
#include "core/Point.h"
#include "core/Table.h"
#include "core/Types.h"

namespace Corvale
{
class Card;
class CardPile;
class ContainerWidget;
class JSONValue;
class Sound;
class SoundSourceCommon;
class Widget;

// The states of the trump indicator; -1 shows none.
enum TrumpIndication : i32
{
   TRUMP_INDICATION_NONE = -1,
   TRUMP_INDICATION_HEARTS = 0,
   TRUMP_INDICATION_SPADES = 1,
   TRUMP_INDICATION_DIAMONDS = 2,
   TRUMP_INDICATION_CLUBS = 3,
   TRUMP_INDICATION_HEARTS_BROKEN = 4,
   TRUMP_INDICATION_SPADES_BROKEN = 5,
   TRUMP_INDICATION_NO_TRUMP = 6,
   TRUMP_INDICATION_NO_TRUMP_HIGH = 7,
   TRUMP_INDICATION_NO_TRUMP_LOW = 8
};

constexpr i32 COMMAND_PASS_CARDS = 22;
constexpr i32 COMMAND_12 = 12;

class CardGame : public Minigame
{
 public:
   CardGame() = default;
   ~CardGame() override;

   static void ReflectionRegister();

   // Minigame.
   void Init() override;
   void Deinit() override;
   void Update(u32 elapsed) override;
   void TextsRefresh() override;
   void GUIInit(LayerWidget* pushedLayer) override;
   void GameNew() override;
   bool Load(JSONValue* document) override;
   void GameWin() override;
   void GameLose() override;
   void GameDraw() override;
   void WinnerIconsRefresh() override;
   bool HumanMayActCheck() override;
   const char* ReflectionTypeNameGet() override { return "Corvale::CardGame"; }
   bool BusyCheck() override;
   void ActionPush(const Action& action, i32 index) override;
   bool ActionExecute(const Action& action) override;
   bool CommandExecute(const Command& command) override;

   // The card game's own operations, in their virtual order.
   virtual void HandsSort() {}
   virtual const char* CardFrontStyleGet();
   virtual const char* CardBackStyleGet();
   // Whether the player may choose the card styles; games with their own card art say no.
   virtual bool CardStyleChoiceCheck() { return true; }
   // A yes/no that the base never asks; a game that needs it asks it.
   virtual bool ExtraCheck() { return true; }
   virtual void CardPress(Card* card);
   virtual void CardClick(Card* card);
   virtual void CardMouseEnter(Card* card) { (void)card; }
   virtual void CardRightClick(Card* card);
   virtual void CardDoubleClick(Card* card);
   virtual void CardDrag(Card* card);
   virtual void CardDrop(Card* card);
   virtual void CardPileCardAddedNotify(CardPile* pile, Card* card)
   {
      (void)pile;
      (void)card;
   }
   virtual bool InputAllowedCheck();
   virtual Card* CardCreate(i32 rank, i32 suit);
   virtual CardPile* CardPileCreate(const JSONValue* specification);
   virtual void CardPileShuffle(CardPile* pile);
   virtual void CardInsert(CardPile* pile, i32 index, Card* card);
   virtual void CardAdd(CardPile* pile, Card* card);
   virtual void CardStackAdd(CardPile* pile, Card* card);
   virtual void CardAddToBottom(CardPile* pile, Card* card);
   virtual void CardFaceUpSet(Card* card, bool faceUp, bool animate);
   virtual void CardSelectedSet(Card* card, bool selected);
   virtual void CardChoose(Card* card);
   virtual void CardInsertDoneNotify(CardPile* pile, i32 index, CardPile* oldPile, Card* card);
   virtual void CardAddDoneNotify(CardPile* pile, CardPile* oldPile, Card* card);
   virtual void CardStackAddDoneNotify(CardPile* pile, CardPile* oldPile, Card* card);
   virtual void CardStackAddBeginNotify(CardPile* pile, CardPile* oldPile, Card* card);
   virtual void CardDropRefusedNotify(CardPile* pile, CardPile* oldPile, Card* card);
   virtual void CardPileCardsInsert(CardPile* source, CardPile* destination, i32 count);
   virtual const char* CardContainerTopNameGet() { return "CardContainerTop"; }
   virtual const char* CardContainerBottomNameGet() { return "CardContainerBottom"; }
   virtual const char* CardPileContainerNameGet() { return "CardPileContainer"; }
   virtual const char* HelpLabelContainerNameGet() { return "HelpLabelContainer"; }
   virtual bool CardChooseOnClickCheck(Card* card);
   virtual bool CardPickUpCheck(Card* card);
   virtual bool CardStackPickUpCheck(Card* card);
   virtual bool CardDropCheck(CardPile* pile, Card* card);
   virtual bool CardInsertCheck(CardPile* pile, i32 index, Card* card);
   virtual void CardInsertAndNotify(CardPile* pile, i32 index, Card* card);
   virtual void CardAddAndNotify(CardPile* pile, Card* card);
   virtual void CardStackAddAndNotify(CardPile* pile, Card* card);
   virtual i32 DropTargetCountGet() { return 0; }
   virtual Widget* DropTargetWidgetGet(i32 index);
   virtual CardPile* DropTargetCardPileGet(i32 index);

   // Lookups, in creation order; the first match wins.
   Card* CardGet(i32 cardID);
   CardPile* CardPileByIDGet(i32 pileID);
   CardPile* CardPileGet(i32 type, i32 secondaryID, i32 ownerID);
   CardPile* PlayerHandGet(const Player* player);
   Player* DealerGet();
   void DealerSet(const Player* player);
   bool CardPilesOfTypeEmpty(i32 type);
   CardPile* TableauEmptyPileGet();
   void TrumpIndicationSet(i32 value);
   void TrumpIndicatorUpdate();
   void CardSpritesReload();
   void CardOffsetsRandomize();
   void CardsDelete();
   // The application's messy-cards flag, read by the piles when a card joins them.
   bool CardsMessyCheck();

   // Frame work.
   void CardsDraggableUpdate();
   void CardSpritesRefresh();
   void CardLayersUpdate();
   void CardPilesLayOut();

   // Queued card operations (pushed at the end of the line).
   void CardMoveQueue(CardPile* pile, Card* card, u32 delay, bool faceUp);
   void CardPileTopCardMoveQueue(CardPile* destination, CardPile* source, u32 delay, bool faceUp);
   void CardMoveToBottomQueue(CardPile* pile, Card* card, u32 delay);
   void CardFaceDownQueue(Card* card);
   void CardPileFaceUpQueue(CardPile* pile, u32 delay);
   void CardPileTopCardFaceUpQueue(CardPile* pile, u32 delay);
   void CardPileVisibleQueue(CardPile* pile, bool visible);
   void CardPileShuffleQueue(CardPile* pile);
   void HandsSortQueue();
   void HumanHandsFaceUpQueue();
   void ComputerHandsFaceUpQueue();

   // Command posters.
   void CardChooseCommandQueue(Card* card, u32 delay);
   void CardDropCommandQueue(CardPile* pile, Card* card, u32 delay);
   void Command12Post(i32 value, u32 delay);
   static void OnPassCardsClick(PressButtonWidget* button, void* game);

   // Deals, one queued move per card.
   void CardsDealToPile(CardPile* destination, CardPile* source, i32 count, bool faceUp);
   void CardsDeal(i32 pileType, CardPile* source, i32 count, bool faceUp, i32 firstSecondaryID);
   void CardsDealToEachPile(i32 pileType, CardPile* source, i32 cardsPerPile, bool faceUp);
   void CardsDealToPlayers(CardPile* source, i32 count, i32 firstPlayerID);
   void CardsDealToEachPlayer(CardPile* source, i32 cardsPerPlayer, i32 firstPlayerID);

   // Immediate operations.
   void CardsGather(CardPile* pile);
   // The start of every deal: every card of the game onto the pile in ID order, deselected and
   // face down, then shuffled with the game's seed words. So a deal depends on those words alone,
   // not on where the cards lay or in which order a load made them.
   void CardsGatherShuffled(CardPile* pile);
   void CardPileCardsMove(CardPile* destination, CardPile* source);
   void CardPileCardsMoveToBottom(CardPile* destination, CardPile* source);
   void CardPileFaceUpSet(CardPile* pile, bool faceUp, bool animate);
   void TableauCardsCollect(CardPile* destination, i32 count);
   void CardAnimationsFinish();
   bool CardsAnimatingCheck();
   bool MoveExists();

   // The drop decision once the target is known (none: no drop): the move, the queued Command 17
   // or the refusal, then the drag group ends. point gives the index in a pile that takes cards at
   // a position. True when a drop was made.
   bool CardDropOnPile(Card* card, CardPile* target, const Point2F& point);
   CardPile* CardPileUnderPointGet(const Point2F& point);
   // Virtual so that tests can count the sounds asked for.
   virtual void CardMoveSoundPlay();
   void HelpLabelsUpdate();

   i32 dealerPlayerID = -1;
   i32 trumpSuit = -1;
   i32 trumpIndication = TRUMP_INDICATION_NONE;
   bool cardsDraggableRefreshPending = false;
   bool cardPilesLayoutPending = false;
   bool cardLayersPending = false;
   ContainerWidget* cardContainerTop = nullptr;
   ContainerWidget* cardContainerBottom = nullptr;
   ContainerWidget* cardPileContainer = nullptr;
   ContainerWidget* helpLabelContainer = nullptr;
   Table<CardPile*> cardPiles;
   Table<Card*> cards;
   u32 cardMoveSoundCooldown = 0;
   Table<Sound*> cardMoveSounds;
   Table<SoundSourceCommon*> cardMoveSoundSources;
   Widget* passCardsButton = nullptr;
   i32 delayCardDeal = 0;
   i32 delayCardFlip = 0;

 protected:
   void CardSoundsInit();
   void CardSoundsDeinit();
   void CardPilesDelete();
   // A card action naming cards and piles by ID; the card and pile are null when not found.
   void ActionCardPush(i32 type, u32 delay, i32 int0, i32 int1, i32 int2, bool bool0);
   void HandsFaceUpQueue(bool human);
   // Every card of the source, bottom first, onto the destination's top or bottom.
   void CardPileCardsTransfer(CardPile* destination, CardPile* source, bool toBottom);

   bool controlWasDown = false;
};
} // namespace Corvale
