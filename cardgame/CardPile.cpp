// Card piles: specification reading with templates, card moves, decks, seeded shuffles and layout.
#include "cardgame/CardPile.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "cardgame/Card.h"
#include "cardgame/CardGame.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPileHelpLabel.h"
#include "cardgame/CardPileWidget.h"
#include "cardgame/CardSort.h"
#include "core/SineTable.h"
#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/Progression.h"
#include "core/Random.h"
#include "gui/widgets/ContainerWidget.h"
#include "gui/widgets/SpriteWidget.h"
#include "gui/widgets/WidgetChildSprite.h"
#include "platform/sprite/SpriteAnimation.h"
#include "platform/sprite/SpriteManager.h"
#include "platform/sprite/SpriteResourceFile.h"

namespace Corvale
{
namespace
{
const ColorRGBA8 COLOR_WHITE{255, 255, 255, 255};
// Longer chains than this can only be cycles of templates.
constexpr i32 TEMPLATE_CHAIN_LENGTH_MAX = 64;

float Dot(const Point2F& a, const Point2F& b)
{
   return a.x * b.x + a.y * b.y;
}

float LengthGet(const Point2F& p)
{
   return std::sqrt(p.x * p.x + p.y * p.y);
}

const JSONValue* TemplatesGet(const JSONValue* consts)
{
   return consts ? consts->ItemFind("CardPileTemplates") : nullptr;
}

// A non-null item of that name in templates that are an object; null otherwise.
const JSONValue* TemplateFind(const JSONValue* templates, const char* name)
{
   if (!templates || templates->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      return nullptr;
   }
   const JSONValue* item = templates->ItemFind(name);
   return item && item->TypeGet() != JSONValue::TYPE_NULL ? item : nullptr;
}

char* TextCopy(const char* text)
{
   return text ? StringDuplicate(text, HEAP_DEFAULT) : nullptr;
}

void TextFree(char*& text)
{
   if (text)
   {
      MemoryFree(text);
   }
   text = nullptr;
}

bool SpritePathFormat(char* path, const char* folder, const char* style, const char* size)
{
   path[0] = '\0';
   if (!style || !size)
   {
      return false;
   }
   i32 written =
       std::snprintf(path, CARD_PILE_SPRITE_PATH_SIZE, "Sprites/Cards/%s/%s/%s", folder, style, size);
   if (written < 0 || written >= CARD_PILE_SPRITE_PATH_SIZE)
   {
      path[0] = '\0';
      return false;
   }
   return true;
}

// A loaded and preloaded sprite resource file keeps its path; any failure leaves the path empty,
// so that the release drops no reference the pile does not hold.
void SpriteFileHold(char* path)
{
   if (!path[0])
   {
      return;
   }
   SpriteResourceFile* file = SpriteManager::ResourceFileLoad(path);
   if (!file)
   {
      path[0] = '\0';
      return;
   }
   file->Preload();
}

} // namespace

CardPile::CardPile()
{
   frontSpritePath[0] = '\0';
   backSpritePath[0] = '\0';
}

CardPile::~CardPile()
{
   TextFree(cardSize);
   TextFree(animation);
}

void CardPile::Reset()
{
   id = -1;
   type = -1;
   ownerID = -1;
   secondaryID = -1;
   sortType = CARD_SORT_TYPE_UNSORTED;
   highlighted = false;
   position = Point2F();
   visible = true;
   cardsPerRowMax = -1;
   cardsFannedMax = -1;
   canDragWithin = false;
   helpLabelsEnabled = false;
   cards.SizeSet(0);
   helpLabels.SizeSet(0);
}

void CardPile::Init(CardGame* gameUsed, const JSONValue* specification)
{
   Reset();
   game = gameUsed;
   if (!specification || specification->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      WarningPrintf("CardPile::Init -- specifications must be a JSON object.\n");
      return;
   }
   if (!game)
   {
      return;
   }
   JSONValue* resolved = nullptr;
   const char* inherited = specification->ItemGet("Inherited")->StringValueGet();
   if (inherited)
   {
      JSONValue* copy = specification->Clone(HEAP_TEMP);
      if (copy)
      {
         const JSONValue* gameConsts = game->constants;
         const JSONValue* gameTemplates = gameConsts && gameConsts->TypeGet() == JSONValue::TYPE_OBJECT
                                              ? TemplatesGet(gameConsts)
                                              : nullptr;
         resolved =
             SpecificationInheritanceHelper(copy, inherited, TemplatesGet(Card::consts), gameTemplates);
      }
      else
      {
         WarningPrintf("CardPile::Init -- unable to copy the specification\n");
      }
   }
   Read(resolved ? resolved : specification);
   if (resolved)
   {
      MemoryDelete(resolved);
   }
   WidgetCreate();
   CardStylesLoad();
}

void CardPile::Read(const JSONValue* specification)
{
   type = CardPileTypeFromName(specification->ItemGet("Type")->StringValueGet());
   if (type == -1)
   {
      WarningPrintf("CardPile::Init -- Card pile type is unspecified or invalid.\n");
   }
   if (specification->ItemNumberCheck("OwnerID"))
   {
      ownerID = specification->ItemGet("OwnerID")->IntValueGet();
   }
   if (specification->ItemNumberCheck("SecondaryID"))
   {
      secondaryID = specification->ItemGet("SecondaryID")->IntValueGet();
   }
   const char* sortName = specification->ItemGet("Sort")->StringValueGet();
   sortType = sortName ? CardSortTypeFromName(sortName) : CARD_SORT_TYPE_UNSORTED;
   const Point2F origin;
   specification->Point2FGet(&position, "Position", &origin, "CardPile::Init", nullptr, false);
   boundsGiven = specification->Box2FTryGet("Bounds", &bounds);
   TextFree(cardSize);
   const char* size = specification->ItemGet("CardSize")->StringValueGet();
   if (!size && Card::consts)
   {
      size = Card::consts->ItemGet("CardSizeDefault")->StringValueGet();
   }
   cardSize = TextCopy(size);
   TextFree(animation);
   animation = TextCopy(specification->ItemGet("Animation")->StringValueGet());
   specification->ColorRGBA8Get(&color, "Color", &COLOR_WHITE, "CardPile::Init", nullptr, false);
   cardRotation = specification->ItemGet("CardRotation")->FloatValueGet();
   cardRotationDeviation = specification->ItemGet("CardRotationDeviation")->FloatValueGet();
   specification->Point2FGet(&cardPositionOffset, "CardPositionOffset", &origin, "CardPile::Init", nullptr,
                             false);
   cardPositionOffsetRandomLengthMin =
       specification->ItemGet("CardPositionOffsetRandomLengthMin")->FloatValueGet();
   cardPositionOffsetRandomLengthMax =
       specification->ItemGet("CardPositionOffsetRandomLengthMax")->FloatValueGet();
   specification->Point2FGet(&cardRowPositionOffset, "CardRowPositionOffset", &origin, "CardPile::Init",
                             nullptr, false);
   if (specification->ItemNumberCheck("CardsPerRowMax"))
   {
      cardsPerRowMax = specification->ItemGet("CardsPerRowMax")->IntValueGet();
   }
   specification->Point2FGet(&cardSelectedPositionOffset, "CardSelectedPositionOffset", &origin,
                             "CardPile::Init", nullptr, false);
   specification->BoolGet(&cardSameRankPositionOffsetEnabled, "CardSameRankPositionOffsetEnabled", false);
   specification->Point2FGet(&cardSameRankPositionOffset, "CardSameRankPositionOffset", &origin,
                             "CardPile::Init", nullptr, false);
   specification->BoolGet(&cardsCentered, "CardsCentered", false);
   specification->FloatGet(&cardsSpanLengthMax, "CardsSpanLengthMax", -1.0f);
   if (specification->ItemNumberCheck("CardsFannedMax"))
   {
      cardsFannedMax = specification->ItemGet("CardsFannedMax")->IntValueGet();
   }
   specification->ColorRGBA8Get(&cardDragColor, "CardDragColor", &COLOR_WHITE, "CardPile::Init", nullptr,
                                false);
   specification->BoolGet(&canDragWithin, "CanDragWithin", false);
   const ColorRGBA8 black{0, 0, 0, 255};
   highlightColor = black;
   highlightPadding = 0;
   if (Card::consts)
   {
      const char* highlight = Card::consts->ItemGet("CardPileHighlightColor")->StringValueGet();
      if (highlight && highlight[0])
      {
         Card::consts->ColorRGBA8Get(&highlightColor, "CardPileHighlightColor", &black, "CardPile::Init",
                                     nullptr, false);
      }
      highlightPadding = Card::consts->ItemGet("CardPileHighlightPadding")->IntValueGet();
   }
   const JSONValue* labels = specification->ItemGet("HelpLabels");
   for (i32 i = 0; labels->TypeGet() == JSONValue::TYPE_ARRAY && i < labels->CountGet(); i++)
   {
      const JSONValue* labelSpecification = labels->ElementGet(i);
      if (labelSpecification->TypeGet() != JSONValue::TYPE_OBJECT)
      {
         continue;
      }
      CardPileHelpLabel* label = MemoryNew<CardPileHelpLabel>(HEAP_DEFAULT);
      if (!label || !helpLabels.Insert(label, helpLabels.count))
      {
         WarningPrintf("CardPile::Init -- unable to keep help label %d\n", i);
         MemoryDelete(label);
         continue;
      }
      label->Init(this, labelSpecification);
   }
}

JSONValue* CardPile::SpecificationInheritanceHelper(JSONValue* specification, const char* templateName,
                                                    const JSONValue* globalTemplates,
                                                    const JSONValue* gameTemplates)
{
   const char* used[TEMPLATE_CHAIN_LENGTH_MAX];
   i32 usedCount = 0;
   const char* name = templateName;
   while (name && specification)
   {
      bool repeated = usedCount == TEMPLATE_CHAIN_LENGTH_MAX;
      for (i32 i = 0; i < usedCount && !repeated; i++)
      {
         repeated = std::strcmp(used[i], name) == 0;
      }
      if (repeated)
      {
         WarningPrintf(
             "CardPile::SpecificationInheritanceHelper -- Card pile template chain returns to: %s\n", name);
         return specification;
      }
      const JSONValue* found = TemplateFind(gameTemplates, name);
      if (!found)
      {
         found = TemplateFind(globalTemplates, name);
      }
      if (!found)
      {
         WarningPrintf("CardPile::SpecificationInheritanceHelper -- Unable to find card pile template: %s\n",
                       name);
         return specification;
      }
      if (found->TypeGet() != JSONValue::TYPE_OBJECT)
      {
         WarningPrintf(
             "CardPile::SpecificationInheritanceHelper -- Card pile templates must be JSON objects: %s\n",
             name);
         return specification;
      }
      JSONValue* merged = found->Clone(HEAP_TEMP);
      if (!merged)
      {
         WarningPrintf("CardPile::SpecificationInheritanceHelper -- unable to copy card pile template: %s\n",
                       name);
         return specification;
      }
      // The merge moves the specification's items over the template's and frees the specification.
      if (!merged->ItemsMerge(specification))
      {
         MemoryDelete(merged);
         return specification;
      }
      specification = merged;
      used[usedCount++] = name;
      // The template's own parent, read from the template itself: the specification's "Inherited"
      // that the merge brought in names the template just applied.
      name = found->ItemGet("Inherited")->StringValueGet();
   }
   return specification;
}

void CardPile::Deinit()
{
   for (i32 i = 0; i < helpLabels.count; i++)
   {
      helpLabels[i]->Deinit();
      MemoryDelete(helpLabels[i]);
   }
   helpLabels = Table<CardPileHelpLabel*>();
   cards = Table<Card*>();
   if (widget)
   {
      CardPileWidget* old = widget;
      widget = nullptr;
      old->pile = nullptr;
      ContainerWidget* parent = dynamic_cast<ContainerWidget*>(old->ParentGet());
      if (parent)
      {
         parent->ChildRemove(old);
      }
   }
   CardStylesRelease();
   TextFree(cardSize);
   TextFree(animation);
}

void CardPile::WidgetCreate()
{
   for (i32 i = 0; i < helpLabels.count; i++)
   {
      helpLabels[i]->WidgetCreate();
   }
   if (widget || !game || !game->cardPileContainer)
   {
      return;
   }
   CardPileWidget* created = MemoryNew<CardPileWidget>(HEAP_DEFAULT);
   if (!created)
   {
      WarningPrintf("CardPile::WidgetCreate -- unable to allocate the widget\n");
      return;
   }
   created->InitWithoutSpecification(nullptr, game->cardPileContainer);
   created->pile = this;
   widget = created;
   game->cardPileContainer->ChildAddLast(created);
   SpriteUpdate();
}

void CardPile::HelpLabelsEnabledSet(bool on)
{
   helpLabelsEnabled = on;
   for (i32 i = 0; i < helpLabels.count; i++)
   {
      helpLabels[i]->Update();
   }
}

void CardPile::HelpLabelTextsUpdate()
{
   for (i32 i = 0; i < helpLabels.count; i++)
   {
      helpLabels[i]->TextUpdate();
   }
}

void CardPile::HelpLabelsRefresh()
{
   for (i32 i = 0; i < helpLabels.count; i++)
   {
      helpLabels[i]->TextUpdate();
      helpLabels[i]->Update();
   }
}

void CardPile::SpriteUpdate()
{
   if (!widget || !widget->sprite)
   {
      return;
   }
   widget->PositionSet(position);
   widget->VisibleSet(visible);
   if (cardSize)
   {
      char path[CARD_PILE_SPRITE_PATH_SIZE];
      i32 written = std::snprintf(path, sizeof(path), "Sprites/CardPiles/%s", cardSize);
      if (written >= 0 && written < static_cast<i32>(sizeof(path)))
      {
         if (animation)
         {
            widget->sprite->AnimationSet(path, animation);
         }
         else
         {
            widget->sprite->AnimationClear();
         }
      }
   }
   widget->sprite->ColorSet(color);
   const bool animated = widget->sprite->sprite && widget->sprite->sprite->animation;
   widget->BoundsSet(boundsGiven || !animated ? bounds : widget->sprite->AnimationBoundsGet());
}

void CardPile::PositionSet(const Point2F& point)
{
   position = point;
   CardsPositionUpdate(true);
   SpriteUpdate();
}

void CardPile::VisibleSet(bool on)
{
   visible = on;
   if (widget)
   {
      widget->VisibleSet(on);
   }
   if (!on)
   {
      for (i32 i = 0; i < helpLabels.count; i++)
      {
         helpLabels[i]->Update();
      }
   }
   CardSpritesUpdate();
}

void CardPile::CardStylesLoad()
{
   CardStylesRelease();
   if (!game || !cardSize)
   {
      return;
   }
   SpritePathFormat(frontSpritePath, "Fronts", game->CardFrontStyleGet(), cardSize);
   SpritePathFormat(backSpritePath, "Backs", game->CardBackStyleGet(), cardSize);
   SpriteFileHold(frontSpritePath);
   SpriteFileHold(backSpritePath);
}

void CardPile::CardStylesRelease()
{
   for (char* path : {frontSpritePath, backSpritePath})
   {
      if (path[0])
      {
         SpriteManager::UndoPreload(path);
         path[0] = '\0';
      }
   }
}

void CardPile::CardSpritesUpdate()
{
   for (i32 i = 0; i < cards.count; i++)
   {
      if (cards[i])
      {
         cards[i]->SpriteUpdate();
      }
   }
}

Card* CardPile::CardGet(i32 index) const
{
   return index >= 0 && index < cards.count ? cards[index] : nullptr;
}

i32 CardPile::CardIndexGet(const Card* card) const
{
   for (i32 i = 0; i < cards.count; i++)
   {
      if (cards[i] == card)
      {
         return i;
      }
   }
   return -1;
}

Card* CardPile::CardTopGet() const
{
   return cards.count > 0 ? cards[cards.count - 1] : nullptr;
}

void CardPile::CardsGet(Table<Card*>& out) const
{
   out.SizeSet(0);
   for (i32 i = 0; i < cards.count; i++)
   {
      if (cards[i])
      {
         out.Insert(cards[i], out.count);
      }
   }
}

void CardPile::DecksAdd(i32 deckCount)
{
   if (!game)
   {
      return;
   }
   for (i32 deck = 0; deck < deckCount; deck++)
   {
      for (i32 suit = SUIT_HEARTS; suit <= SUIT_CLUBS; suit++)
      {
         for (i32 rank = RANK_ACE; rank <= RANK_KING; rank++)
         {
            CardMake(rank, suit);
         }
      }
   }
   CardsCreatedFinish();
}

void CardPile::ShortDeckAdd()
{
   if (!game)
   {
      return;
   }
   for (i32 suit = SUIT_HEARTS; suit <= SUIT_CLUBS; suit++)
   {
      CardMake(RANK_ACE, suit);
      for (i32 rank = RANK_NINE; rank <= RANK_KING; rank++)
      {
         CardMake(rank, suit);
      }
   }
   CardsCreatedFinish();
}

void CardPile::ShortDecksAdd()
{
   ShortDeckAdd();
   ShortDeckAdd();
}

Card* CardPile::CardCreate(i32 rank, i32 suit)
{
   if (!game)
   {
      return nullptr;
   }
   Card* card = CardMake(rank, suit);
   CardsCreatedFinish();
   return card;
}

Card* CardPile::CardMake(i32 rank, i32 suit)
{
   Card* card = game->CardCreate(rank, suit);
   if (card)
   {
      CardLink(card, cards.count);
   }
   return card;
}

void CardPile::CardsCreatedFinish()
{
   if (sortType != CARD_SORT_TYPE_UNSORTED)
   {
      Sort();
   }
   game->cardPilesLayoutPending = true;
   game->cardLayersPending = true;
   CardsPositionUpdate(false);
   game->CardsDraggableUpdate();
}

void CardPile::CardLink(Card* card, i32 index)
{
   if (!cards.Insert(card, index))
   {
      WarningPrintf("CardPile::CardLink -- unable to hold card %d\n", card->id);
      card->pile = nullptr;
      return;
   }
   card->pile = this;
   OnCardAdd(card);
}

void CardPile::ChangedAfterInsert(const CardPile* from)
{
   if (sortType != CARD_SORT_TYPE_UNSORTED)
   {
      Sort();
   }
   if (!game)
   {
      return;
   }
   game->cardPilesLayoutPending = true;
   game->cardLayersPending = true;
   // Melds laid out from the meld movement pile go quietly.
   if (!(from && from->type == CARD_PILE_TYPE_MELD_MOVEMENT && type == CARD_PILE_TYPE_MELD))
   {
      game->CardMoveSoundPlay();
   }
}

void CardPile::CardInsert(i32 index, Card* card)
{
   if (!card || !game)
   {
      return;
   }
   if (index < 0)
   {
      index = 0;
   }
   CardPile* from = card->pile;
   i32 current = CardIndexGet(card);
   if (current < 0)
   {
      if (from)
      {
         i32 oldIndex = from->CardIndexGet(card);
         if (oldIndex >= 0)
         {
            from->cards.Move(from->cards.count - 1, oldIndex);
            from->cards.SizeSet(from->cards.count - 1);
         }
         if (from != this)
         {
            from->OnCardRemove();
         }
      }
      CardLink(card, index > cards.count ? cards.count : index);
   }
   else
   {
      cards.Move(index > cards.count - 1 ? cards.count - 1 : index, current);
   }
   ChangedAfterInsert(from);
}

void CardPile::CardStackAdd(Card* card)
{
   if (!card || !card->pile || card->pile == this || CardIndexGet(card) >= 0)
   {
      return;
   }
   CardPile* from = card->pile;
   i32 start = from->CardIndexGet(card);
   while (start >= 0 && start < from->cards.count)
   {
      Card* moving = from->cards[start];
      from->cards.Move(from->cards.count - 1, start);
      from->cards.SizeSet(from->cards.count - 1);
      from->OnCardRemove();
      if (moving)
      {
         CardLink(moving, cards.count);
      }
   }
   ChangedAfterInsert(from);
}

void CardPile::Sort()
{
   SortBy(sortType);
}

void CardPile::SortOnce(i32 sortTypeUsed)
{
   SortBy(sortTypeUsed);
}

void CardPile::SortBy(i32 sortTypeUsed)
{
   if (!game)
   {
      return;
   }
   CardSortFunction less = CardSortFunctionGet(sortTypeUsed - 1);
   if (less)
   {
      cards.Sort([less](Card* a, Card* b) { return less(a, b); });
   }
   game->cardPilesLayoutPending = true;
   game->cardLayersPending = true;
}

template <class Step> void CardPile::SeededDraw(Step step)
{
   const u32 engine0 = randomState0;
   const u32 engine1 = randomState1;
   randomState0 = game->seed1;
   randomState1 = game->seed2;
   const i32 n = cards.count;
   for (i32 i = 0; i < n; i++)
   {
      step(i, static_cast<i32>((RandomNumberGet() * static_cast<u32>(n)) >> 16));
   }
   game->seed1 = randomState0;
   game->seed2 = randomState1;
   randomState0 = engine0;
   randomState1 = engine1;
}

void CardPile::Shuffle()
{
   if (!game || sortType != CARD_SORT_TYPE_UNSORTED)
   {
      return;
   }
   // Each index swaps with any index: not uniform, but seeded deals and saved games depend on it.
   SeededDraw(
       [this](i32 i, i32 j)
       {
          if (i != j)
          {
             Card* held = cards[i];
             cards[i] = cards[j];
             cards[j] = held;
          }
       });
   game->cardPilesLayoutPending = true;
   game->cardLayersPending = true;
   game->CardsDraggableUpdate();
}

void CardPile::Unshuffle()
{
   if (!game || sortType != CARD_SORT_TYPE_UNSORTED || cards.count == 0)
   {
      return;
   }
   Table<i32> drawn;
   if (!drawn.SizeSet(cards.count))
   {
      WarningPrintf("CardPile::Unshuffle -- unable to hold %d indexes\n", cards.count);
      return;
   }
   SeededDraw([&drawn](i32 i, i32 j) { drawn[i] = j; });
   for (i32 i = cards.count - 1; i >= 0; i--)
   {
      if (i != drawn[i])
      {
         Card* held = cards[i];
         cards[i] = cards[drawn[i]];
         cards[drawn[i]] = held;
      }
   }
}

void CardPile::CardRandomize(Card* card)
{
   if (!card)
   {
      return;
   }
   const bool messy = game && game->CardsMessyCheck();
   const float deviation = messy ? cardRotationDeviation : 0.0f;
   const float u1 = static_cast<float>(RandomNumberGet());
   const float u2 = static_cast<float>(RandomNumberGet());
   const float u3 = static_cast<float>(RandomNumberGet());
   card->RotationSet((cardRotation - deviation) + u1 / 65535.0f * 2.0f * deviation);
   const float angle = u2 / 65535.0f * 360.0f;
   const float length =
       messy ? cardPositionOffsetRandomLengthMin +
                   u3 / 65535.0f * (cardPositionOffsetRandomLengthMax - cardPositionOffsetRandomLengthMin)
             : 0.0f;
   const i32 index = SineTable::IndexGet(angle * 4096.0f / 360.0f);
   card->randomOffset.x = SineTable::ValueGet(index + SineTable::QUARTER) * length;
   card->randomOffset.y = SineTable::ValueGet(index) * length;
}

float CardPile::OffsetLengthGet() const
{
   return LengthGet(cardPositionOffset);
}

i32 CardPile::CardsStackedCountGet() const
{
   if (cardsFannedMax <= 0 || cardSameRankPositionOffsetEnabled || cardsPerRowMax > 0 ||
       cards.count <= cardsFannedMax)
   {
      return 0;
   }
   return cards.count - cardsFannedMax;
}

float CardPile::SpanLengthGet() const
{
   const float length = OffsetLengthGet();
   if (length == 0.0f)
   {
      return 0.0f;
   }
   if (cardSameRankPositionOffsetEnabled)
   {
      i32 changes = 0;
      const Card* previous = nullptr;
      for (i32 i = 0; i < cards.count; i++)
      {
         if (!cards[i])
         {
            continue;
         }
         if (previous && cards[i]->rank != previous->rank)
         {
            changes++;
         }
         previous = cards[i];
      }
      return static_cast<float>(changes) * length;
   }
   if (cardsPerRowMax <= 0)
   {
      return static_cast<float>(cards.count - CardsStackedCountGet() - 1) * length;
   }
   i32 perRow = cardsPerRowMax < cards.count ? cardsPerRowMax : cards.count;
   return static_cast<float>(perRow - 1 > 0 ? perRow - 1 : 0) * length;
}

Point2F CardPile::CenterOffsetGet() const
{
   const float length = OffsetLengthGet();
   if (length == 0.0f)
   {
      return Point2F();
   }
   float span = SpanLengthGet();
   if (cardsSpanLengthMax != -1.0f && span > cardsSpanLengthMax)
   {
      span = cardsSpanLengthMax;
   }
   return Point2F{-cardPositionOffset.x * span / (2.0f * length),
                  -cardPositionOffset.y * span / (2.0f * length)};
}

Point2F CardPile::CardPositionGet(i32 index) const
{
   if (index < 0 || index >= cards.count || !cards[index])
   {
      return position;
   }
   const Point2F& offset = cardPositionOffset;
   const float length = OffsetLengthGet();
   Point2F d;
   if (cardSameRankPositionOffsetEnabled)
   {
      i32 run = 0;
      i32 steps = 0;
      const Card* previous = cards[0];
      for (i32 i = 1; i <= index; i++)
      {
         if (!cards[i])
         {
            continue;
         }
         if (previous && cards[i]->rank == previous->rank)
         {
            run++;
         }
         else
         {
            steps++;
            run = 0;
         }
         previous = cards[i];
      }
      d.x = static_cast<float>(steps) * offset.x + static_cast<float>(run) * cardSameRankPositionOffset.x;
      d.y = static_cast<float>(steps) * offset.y + static_cast<float>(run) * cardSameRankPositionOffset.y;
   }
   else if (cardsPerRowMax <= 0)
   {
      const i32 stacked = CardsStackedCountGet();
      const float step = static_cast<float>(index > stacked ? index - stacked : 0);
      d.x = step * offset.x;
      d.y = step * offset.y;
   }
   else
   {
      const float column = static_cast<float>(index % cardsPerRowMax);
      const float row = static_cast<float>(index / cardsPerRowMax);
      d.x = column * offset.x + row * cardRowPositionOffset.x;
      d.y = column * offset.y + row * cardRowPositionOffset.y;
   }
   if (cardsSpanLengthMax != -1.0f && length != 0.0f)
   {
      const float span = SpanLengthGet();
      if (span > cardsSpanLengthMax)
      {
         const Point2F u{offset.x / length, offset.y / length};
         const float p = Dot(d, u);
         const float along = span == 0.0f ? 0.0f : cardsSpanLengthMax / span * p - p;
         d.x += u.x * along;
         d.y += u.y * along;
      }
   }
   if (cardsCentered)
   {
      const Point2F center = CenterOffsetGet();
      d.x += center.x;
      d.y += center.y;
   }
   const Card* card = cards[index];
   return Point2F{position.x + d.x + card->randomOffset.x, position.y + d.y + card->randomOffset.y};
}

void CardPile::CardsPositionUpdate(bool animate)
{
   for (i32 i = 0; i < cards.count; i++)
   {
      if (cards[i])
      {
         cards[i]->PositionSet(CardPositionGet(i), animate);
      }
   }
}

i32 CardPile::CardIndexAtPointGet(const Point2F& point) const
{
   Point2F q{point.x - position.x, point.y - position.y};
   if (cardsCentered)
   {
      const Point2F center = CenterOffsetGet();
      q.x -= center.x;
      q.y -= center.y;
   }
   const float length = OffsetLengthGet();
   if (length == 0.0f)
   {
      return cards.count;
   }
   const Point2F u{cardPositionOffset.x / length, cardPositionOffset.y / length};
   const float span = SpanLengthGet();
   if (cardsSpanLengthMax != -1.0f && span > cardsSpanLengthMax)
   {
      const float p = Dot(q, u);
      const float along = cardsSpanLengthMax == 0.0f ? 0.0f : span / cardsSpanLengthMax * p - p;
      q.x += u.x * along;
      q.y += u.y * along;
   }
   if (cardsPerRowMax <= 0)
   {
      i32 k = static_cast<i32>(std::ceil(Dot(q, u) / length));
      k = k > 0 ? k + CardsStackedCountGet() : 0;
      return k > cards.count ? cards.count : k;
   }
   const Point2F& rowOffset = cardRowPositionOffset;
   const float rowAlong = Dot(rowOffset, u);
   const Point2F r{rowOffset.x - u.x * rowAlong, rowOffset.y - u.y * rowAlong};
   const float rowLength = LengthGet(r);
   if (rowLength == 0.0f)
   {
      return cards.count;
   }
   const i32 rows = (cards.count + cardsPerRowMax - 1) / cardsPerRowMax;
   i32 row = static_cast<i32>(std::floor(Dot(q, r) / rowLength / rowLength + 0.5f));
   row = row < 0 ? 0 : (row > rows ? rows : row);
   q.x -= static_cast<float>(row) * rowOffset.x;
   q.y -= static_cast<float>(row) * rowOffset.y;
   i32 column = static_cast<i32>(std::ceil(Dot(q, u) / length));
   column = column < 0 ? 0 : (column > cardsPerRowMax ? cardsPerRowMax : column);
   return cardsPerRowMax * row + column;
}

void CardPile::OnCardAdd(Card* card)
{
   CardRandomize(card);
   HelpLabelsRefresh();
   card->SpriteUpdate();
   if (game)
   {
      game->CardsDraggableUpdate();
      game->CardPileCardAddedNotify(this, card);
   }
}

void CardPile::OnCardRemove()
{
   HelpLabelsRefresh();
}

i32 CardPile::CardDepthGet(const Card* card) const
{
   i32 index = CardIndexGet(card);
   return index < 0 ? 0 : cards.count - 1 - index;
}

i32 CardPile::CardsNotOfRankCount(i32 rankUsed) const
{
   i32 n = 0;
   for (i32 i = 0; i < cards.count; i++)
   {
      n += cards[i] && cards[i]->rank != rankUsed ? 1 : 0;
   }
   return n;
}

i32 CardPile::CardsSelectedCount() const
{
   i32 n = 0;
   for (i32 i = 0; i < cards.count; i++)
   {
      n += cards[i] && cards[i]->selected ? 1 : 0;
   }
   return n;
}

Card* CardPile::CardByRankAndSuitGet(i32 rankUsed, i32 suitUsed) const
{
   for (i32 i = 0; i < cards.count; i++)
   {
      if (cards[i] && cards[i]->rank == rankUsed && cards[i]->suit == suitUsed)
      {
         return cards[i];
      }
   }
   return nullptr;
}

Card* CardPile::CardRankFind(i32 rankUsed) const
{
   for (i32 i = 0; i < cards.count; i++)
   {
      if (cards[i] && cards[i]->rank == rankUsed)
      {
         return cards[i];
      }
   }
   return nullptr;
}

i32 CardPile::CardsOfRankCount(i32 rankUsed) const
{
   i32 n = 0;
   for (i32 i = 0; i < cards.count; i++)
   {
      n += cards[i] && cards[i]->rank == rankUsed ? 1 : 0;
   }
   return n;
}

i32 CardPile::CardsOfSuitCount(i32 suitUsed) const
{
   i32 n = 0;
   for (i32 i = 0; i < cards.count; i++)
   {
      n += cards[i] && cards[i]->suit == suitUsed ? 1 : 0;
   }
   return n;
}

i32 CardPile::SuitCardCountGet(i32 excludedRank, i32 suitUsed) const
{
   i32 n = 0;
   for (i32 i = 0; i < cards.count; i++)
   {
      n += cards[i] && cards[i]->suit == suitUsed && cards[i]->rank != excludedRank ? 1 : 0;
   }
   return n;
}

i32 CardPile::CardsNotOfSuitCount(i32 suitUsed) const
{
   i32 n = 0;
   for (i32 i = 0; i < cards.count; i++)
   {
      n += cards[i] && cards[i]->suit != suitUsed ? 1 : 0;
   }
   return n;
}
} // namespace Corvale
