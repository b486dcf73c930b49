// An ordered pile of cards on the table, read from its JSON specification (with templates): it
// holds cards the game owns, keeps its sort order, makes decks, shuffles from the game's seeds,
// moves cards between piles, lays them out and tells the game after every change.
#pragma once

#include "core/Box.h"
#include "core/Color.h"
#include "core/Point.h"
#include "core/Table.h"
#include "core/Types.h"

namespace Corvale
{
class Card;
class CardGame;
class CardPileHelpLabel;
class CardPileWidget;
class JSONValue;

constexpr i32 CARD_PILE_SPRITE_PATH_SIZE = 260;

class CardPile
{
 public:
   CardPile();
   CardPile(const CardPile&) = delete;
   CardPile& operator=(const CardPile&) = delete;
   ~CardPile();

   // Resets the pile and reads the specification, resolving its template chain.
   void Init(CardGame* gameUsed, const JSONValue* specification);
   // The cards stay with the game.
   void Deinit();
   void WidgetCreate();
   void SpriteUpdate();
   void PositionSet(const Point2F& point);
   void VisibleSet(bool on);
   void CardStylesLoad();
   void CardStylesRelease();
   void CardSpritesUpdate();
   // Stores the flag and shows or hides every label accordingly.
   void HelpLabelsEnabledSet(bool on);
   // After a language change.
   void HelpLabelTextsUpdate();
   // A card joined or left: every label's text and visibility.
   void HelpLabelsRefresh();

   // Takes the specification (freed or handed back as the result) and returns it with the template
   // chain of templateName applied: its own items win over the template's. The game's templates
   // hide global ones of the same name; a chain that returns to a template already used stops.
   static JSONValue* SpecificationInheritanceHelper(JSONValue* specification, const char* templateName,
                                                    const JSONValue* globalTemplates,
                                                    const JSONValue* gameTemplates);

   Card* CardGet(i32 index) const;
   i32 CardIndexGet(const Card* card) const;
   Card* CardTopGet() const;
   // Clears out and appends the pile's cards in order.
   void CardsGet(Table<Card*>& out) const;
   void DecksAdd(i32 deckCount);
   // Ace and Nine to King of each suit.
   void ShortDeckAdd();
   void ShortDecksAdd();
   Card* CardCreate(i32 rank, i32 suit);
   // Puts the card at index (clamped), taking it from its old pile, or moves it within this one.
   void CardInsert(i32 index, Card* card);
   // Moves the card and every card above it in its pile onto the top of this pile.
   void CardStackAdd(Card* card);
   void Sort();
   void SortOnce(i32 sortTypeUsed);
   // Seeded from the game's state words, which are left advanced; an unsorted pile only.
   void Shuffle();
   // Undoes a Shuffle made from the game's current state words.
   void Unshuffle();
   // The card's rotation and jitter, drawn from the engine's own generator.
   void CardRandomize(Card* card);

   Point2F CardPositionGet(i32 index) const;
   void CardsPositionUpdate(bool animate);
   // Where a card dropped at point would go; may exceed the count (the insertion clamps).
   i32 CardIndexAtPointGet(const Point2F& point) const;
   float SpanLengthGet() const;
   Point2F CenterOffsetGet() const;
   // Bottom cards that lie under the first spread card because of CardsFannedMax.
   i32 CardsStackedCountGet() const;

   void OnCardAdd(Card* card);
   void OnCardRemove();

   // Cards above the card: 0 for the top card and for a card not here.
   i32 CardDepthGet(const Card* card) const;
   i32 CardsNotOfRankCount(i32 rankUsed) const;
   i32 CardsSelectedCount() const;
   Card* CardByRankAndSuitGet(i32 rankUsed, i32 suitUsed) const;
   // The first card of that rank from the bottom up, or null.
   Card* CardRankFind(i32 rankUsed) const;
   i32 CardsOfRankCount(i32 rankUsed) const;
   i32 CardsOfSuitCount(i32 suitUsed) const;
   i32 CardsNotOfSuitCount(i32 suitUsed) const;
   // Cards of the suit whose rank is not excludedRank (a suit's length without its Jacks).
   i32 SuitCardCountGet(i32 excludedRank, i32 suitUsed) const;

   i32 id = -1;
   i32 type = -1;
   i32 ownerID = -1;
   i32 secondaryID = -1;
   i32 sortType = 0;
   bool highlighted = false;
   Point2F position;
   ColorRGBA8 color{255, 255, 255, 255};
   bool visible = true;
   bool boundsGiven = false;
   Box2F bounds;
   char* cardSize = nullptr;
   char* animation = nullptr;
   float cardRotation = 0.0f;
   float cardRotationDeviation = 0.0f;
   Point2F cardPositionOffset;
   float cardPositionOffsetRandomLengthMin = 0.0f;
   float cardPositionOffsetRandomLengthMax = 0.0f;
   Point2F cardRowPositionOffset;
   i32 cardsPerRowMax = -1;
   Point2F cardSelectedPositionOffset;
   bool cardSameRankPositionOffsetEnabled = false;
   Point2F cardSameRankPositionOffset;
   bool cardsCentered = false;
   // -1: no limit.
   float cardsSpanLengthMax = -1.0f;
   // Only this many top cards spread along the offset, the rest lie under the first of them (a
   // draw-three waste); -1 or less (or 0): every card spreads. Unbroken lines only.
   i32 cardsFannedMax = -1;
   ColorRGBA8 cardDragColor{255, 255, 255, 255};
   bool canDragWithin = false;
   ColorRGBA8 highlightColor{0, 0, 0, 255};
   i32 highlightPadding = 0;
   bool helpLabelsEnabled = false;
   CardPileWidget* widget = nullptr;
   CardGame* game = nullptr;
   // Bottom first; the last is the top card.
   Table<Card*> cards;
   Table<CardPileHelpLabel*> helpLabels;
   // The card sprite resource files the pile holds a reference on; empty when none.
   char frontSpritePath[CARD_PILE_SPRITE_PATH_SIZE];
   char backSpritePath[CARD_PILE_SPRITE_PATH_SIZE];

 private:
   void Reset();
   void Read(const JSONValue* specification);
   // One card from the game's factory on top, without the steps that follow a creation.
   Card* CardMake(i32 rank, i32 suit);
   // Sorted, laid out at once, layout and layers pending, draggable cards updated.
   void CardsCreatedFinish();
   void CardLink(Card* card, i32 index);
   void ChangedAfterInsert(const CardPile* from);
   void SortBy(i32 sortTypeUsed);
   // The game's generator steps drawn for a shuffle of n cards.
   template <class Step> void SeededDraw(Step step);
   float OffsetLengthGet() const;
};
} // namespace Corvale
