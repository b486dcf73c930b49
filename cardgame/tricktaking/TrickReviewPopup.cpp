// The trick review popups and the cards of the hand review.
#include "cardgame/tricktaking/TrickReviewPopup.h"

#include "cardgame/Card.h"
#include "cardgame/CardSort.h"
#include "cardgame/tricktaking/TrickTakingGame.h"
#include "cardgame/tricktaking/TrickTakingGamePlayer.h"
#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/StringHelpers.h"
#include "core/TextManager.h"
#include "gui/popup/PopupManager.h"
#include "gui/widgets/ContainerWidget.h"
#include "gui/widgets/LabelWidget.h"
#include "gui/widgets/LayerWidget.h"
#include "gui/widgets/PressButtonWidget.h"

namespace Corvale
{
namespace
{
constexpr u32 TRICK_REVIEW_TEXT_SIZE = 256;
constexpr u32 TRICK_REVIEW_NAME_SIZE = 32;
constexpr i32 HAND_SORT_TYPE_FIRST = 1;
constexpr i32 HAND_SORT_TYPE_LAST = 32;

template <class W> W* ChildFind(ContainerWidget* container, const char* format, i32 index)
{
   char name[TRICK_REVIEW_NAME_SIZE];
   if (!container || !NultSnprintf(name, sizeof(name), format, index))
   {
      return nullptr;
   }
   return dynamic_cast<W*>(container->ChildGetByName(name));
}

template <class W> W* PathFind(LayerWidget* layer, const char* path)
{
   return layer ? dynamic_cast<W*>(layer->DescendantGetByPath(path)) : nullptr;
}

void ButtonWire(LayerWidget* layer, const char* path, PressButtonCallback callback, void* popup)
{
   PressButtonWidget* button = PathFind<PressButtonWidget>(layer, path);
   if (button)
   {
      button->onClick = callback;
      button->onClickUserData = popup;
   }
}

// "%s %d", "%s: %s" and the like with a label text; false (the line kept) without the label.
bool LabelLineSet(LabelWidget* label, const char* text)
{
   if (!label || !text)
   {
      return false;
   }
   label->TextSet(text);
   return true;
}
} // namespace

void TrickReviewPopupOpen(TrickReviewPopup* popup, TrickTakingGame* game, const char* layerName,
                          i32 trickIndex)
{
   if (!popup)
   {
      return;
   }
   // One review at a time: a second request while one is open is dropped.
   if (TrickReviewPopup::OpenCheck())
   {
      MemoryDelete(popup);
      return;
   }
   if (!layerName || !NultSnprintf(popup->layerName, sizeof(popup->layerName), "%s", layerName))
   {
      WarningPrintf("TrickReviewPopupOpen -- unusable layer name\n");
      MemoryDelete(popup);
      return;
   }
   popup->hasLayer = 1;
   popup->heapOwned = 1;
   popup->game = game;
   popup->trickShown = trickIndex;
   // LayerInit (inside the push) shows the trick; TrickSet runs again for games whose layer is
   // missing, which then show nothing.
   PopupManager::Open(popup);
   popup->TrickSet(trickIndex);
}

bool TrickReviewPopup::OpenCheck()
{
   for (i32 i = 0; i < PopupManager::popups.count; ++i)
   {
      if (dynamic_cast<TrickReviewPopup*>(PopupManager::popups[i]))
      {
         return true;
      }
   }
   return false;
}

void TrickReviewPopup::OnDoneClick(PressButtonWidget* button, void* popup)
{
   (void)button;
   if (popup)
   {
      static_cast<TrickReviewPopup*>(popup)->Close(true);
   }
}

void TrickReviewPopup::LayerInit(LayerWidget* pushedLayer)
{
   ButtonWire(pushedLayer, "Panel.Done", &TrickReviewPopup::OnDoneClick, this);
   trickContainer = PathFind<ContainerWidget>(pushedLayer, "Panel.Trick");
   cardsContainer = PathFind<ContainerWidget>(pushedLayer, "Panel.Trick.Cards");
   TrickSet(trickShown);
}

void TrickReviewPopup::Deinit()
{
   game = nullptr;
   trickContainer = nullptr;
   cardsContainer = nullptr;
   Popup::Deinit();
}

void TrickReviewPopup::TrickSet(i32 trickIndex)
{
   trickShown = trickIndex;
   TrickCardsShow();
   TrickTextsUpdate();
}

bool TrickReviewPopup::CardSpriteFileGet(char* path, u32 size)
{
   const char* style = game ? game->CardFrontStyleGet() : nullptr;
   const char* cardSize =
       game && game->constants ? game->constants->ItemGet("TrickReviewCardSize")->StringValueGet() : nullptr;
   return style && cardSize && NultSnprintf(path, size, "Sprites/Cards/Fronts/%s/%s", style, cardSize);
}

void TrickReviewPopup::TrickCardsShow()
{
   Player* leader = game ? game->TrickLeaderGet(trickShown) : nullptr;
   if (!game || !trickContainer || !cardsContainer || !leader || game->players.count == 0)
   {
      return;
   }
   char file[MINIGAME_PATH_SIZE];
   const bool spriteKnown = CardSpriteFileGet(file, sizeof(file));
   const i32 count = game->players.count;
   const i32 leaderIndex = game->PlayerIndexGet(leader);
   Table<Widget*> order(allocatorTemp);
   for (i32 k = 0; k < count; ++k)
   {
      const i32 index = (leaderIndex + k) % count;
      TrickTakingGamePlayer* player = game->TrickPlayerGet(index);
      SpriteWidget* cardWidget = ChildFind<SpriteWidget>(cardsContainer, "Card%d", index);
      const Card* card = game->TrickCardGet(player, trickShown);
      if (cardWidget)
      {
         if (card && spriteKnown)
         {
            cardWidget->AnimationSet(file, CardSpriteNameGet(card->rank, card->suit));
         }
         else
         {
            cardWidget->AnimationClear();
         }
         order.Insert(cardWidget, order.count);
      }
      Widget* leaderIcon = ChildFind<Widget>(trickContainer, "TrickLeaderIcon%d", index);
      Widget* winnerIcon = ChildFind<Widget>(trickContainer, "TrickWinnerIcon%d", index);
      if (leaderIcon)
      {
         leaderIcon->VisibleSet(player && player->HistoryLeaderCheck(trickShown));
      }
      if (winnerIcon)
      {
         winnerIcon->VisibleSet(player && player->HistoryWinnerCheck(trickShown));
      }
   }
   // The leader's card lies lowest, the last card given on top.
   for (i32 i = 0; i < order.count; ++i)
   {
      cardsContainer->ChildDetach(order[i]);
      cardsContainer->ChildAddLast(order[i]);
   }
}

void TrickReviewPopup::TrickTextsUpdate()
{
   if (!game || !layer)
   {
      return;
   }
   char text[TRICK_REVIEW_TEXT_SIZE];
   const char* trickLabel = textManager.TextGet("TrickLabel");
   LabelWidget* number = PathFind<LabelWidget>(layer, "Panel.TrickText.TrickNumber");
   if (trickLabel && NultSnprintf(text, sizeof(text), "%s %d", trickLabel, trickShown + 1))
   {
      LabelLineSet(number, text);
   }
   Player* leader = game->TrickLeaderGet(trickShown);
   const char* leaderLabel = textManager.TextGet("TrickLeaderLabel");
   const char* leaderName = leader ? leader->DisplayNameGet() : nullptr;
   if (leaderLabel && leaderName && NultSnprintf(text, sizeof(text), "%s: %s", leaderLabel, leaderName))
   {
      LabelLineSet(PathFind<LabelWidget>(layer, "Panel.TrickText.TrickLeader"), text);
   }
   Player* winner = game->TrickWinnerGet(trickShown);
   const char* winnerLabel = textManager.TextGet("TrickWinnerLabel");
   const char* winnerName = winner ? winner->DisplayNameGet() : nullptr;
   if (winnerLabel && winnerName && NultSnprintf(text, sizeof(text), "%s: %s", winnerLabel, winnerName))
   {
      LabelLineSet(PathFind<LabelWidget>(layer, "Panel.TrickText.TrickWinner"), text);
   }
   const bool pointsShown = game->TrickPointsShownCheck();
   LabelWidget* points = PathFind<LabelWidget>(layer, "Panel.TrickText.TrickPointsTaken");
   if (points)
   {
      points->VisibleSet(pointsShown);
      const char* pointsLabel = textManager.TextGet("TrickPointsTakenLabel");
      if (pointsShown && pointsLabel &&
          NultSnprintf(text, sizeof(text), "%s: %d", pointsLabel, game->TrickPointsGet(trickShown)))
      {
         points->TextSet(text);
      }
   }
   const char* valueLabel = textManager.TextGet("TrickCardValueLabel");
   for (i32 i = 0; i < game->players.count; ++i)
   {
      const Player* player = game->players[i];
      LabelWidget* name = ChildFind<LabelWidget>(trickContainer, "PlayerName%d", i);
      if (name && player && player->DisplayNameGet())
      {
         name->TextSet(player->DisplayNameGet());
      }
      LabelWidget* value = ChildFind<LabelWidget>(trickContainer, "CardValue%d", i);
      const Card* card = game->TrickCardGet(game->TrickPlayerGet(i), trickShown);
      if (!value)
      {
         continue;
      }
      const bool shown = pointsShown && valueLabel && card &&
                         NultSnprintf(text, sizeof(text), "%d %s", game->CardPointsGet(card), valueLabel);
      if (shown)
      {
         value->TextSet(text);
      }
      value->VisibleSet(shown);
   }
}

void TrickReviewHandPopup::Open()
{
   alreadyPlayedColor = ColorRGBA8{255, 255, 255, 255};
   TrickReviewPopup::Open();
   const JSONValue* color =
       game && game->constants ? game->constants->ItemGet("TrickReviewCardAlreadyPlayedColor") : nullptr;
   if (color && color->TypeGet() != JSONValue::TYPE_NULL)
   {
      alreadyPlayedColor = color->ColorRGBA8ValueGet();
      TrickSet(trickShown);
   }
}

void TrickReviewHandPopup::LayerInit(LayerWidget* pushedLayer)
{
   TrickReviewPopup::LayerInit(pushedLayer);
   ButtonWire(pushedLayer, "Panel.TrickText.TrickPrevious", &TrickReviewHandPopup::OnPreviousClick, this);
   ButtonWire(pushedLayer, "Panel.TrickText.TrickNext", &TrickReviewHandPopup::OnNextClick, this);
   handCardsContainer = PathFind<ContainerWidget>(pushedLayer, "Panel.HandCards");
   HandCardsCreate();
   TrickSet(trickShown);
}

void TrickReviewHandPopup::Deinit()
{
   handCardsContainer = nullptr;
   TrickReviewPopup::Deinit();
}

void TrickReviewHandPopup::OnPreviousClick(PressButtonWidget* button, void* popup)
{
   (void)button;
   TrickReviewHandPopup* self = static_cast<TrickReviewHandPopup*>(popup);
   if (self && self->trickShown > 0)
   {
      self->TrickSet(self->trickShown - 1);
   }
}

void TrickReviewHandPopup::OnNextClick(PressButtonWidget* button, void* popup)
{
   (void)button;
   TrickReviewHandPopup* self = static_cast<TrickReviewHandPopup*>(popup);
   if (self && self->game && self->trickShown < self->game->trickIndexCurrent)
   {
      self->TrickSet(self->trickShown + 1);
   }
}

void TrickReviewHandPopup::TrickSet(i32 trickIndex)
{
   TrickReviewPopup::TrickSet(trickIndex);
   for (i32 i = 0; handCardsContainer && i < handCardsContainer->ChildCountGet(); ++i)
   {
      TrickReviewCardWidget* card = dynamic_cast<TrickReviewCardWidget*>(handCardsContainer->ChildGetAt(i));
      if (card)
      {
         card->ColorSet(card->trickIndex < trickShown ? alreadyPlayedColor : ColorRGBA8{255, 255, 255, 255});
      }
   }
}

void TrickReviewHandPopup::HandCardsCreate()
{
   const JSONValue* hands =
       game && game->constants ? game->constants->ItemGet("TrickReviewHandHands") : nullptr;
   if (!handCardsContainer || !hands || hands->TypeGet() != JSONValue::TYPE_ARRAY)
   {
      return;
   }
   char file[MINIGAME_PATH_SIZE];
   const bool spriteKnown = CardSpriteFileGet(file, sizeof(file));
   const i32 sortType = game->HandSortTypeGet();
   const CardSortFunction sort = sortType >= HAND_SORT_TYPE_FIRST && sortType <= HAND_SORT_TYPE_LAST
                                     ? CardSortFunctionGet(sortType)
                                     : nullptr;
   for (i32 p = 0; p < game->players.count && p < hands->CountGet(); ++p)
   {
      const TrickTakingGamePlayer* player = game->TrickPlayerGet(p);
      const JSONValue* hand = hands->ElementGet(p);
      if (!player || hand->TypeGet() != JSONValue::TYPE_OBJECT)
      {
         continue;
      }
      Table<Card*> cards(allocatorTemp);
      for (i32 t = 0; t < player->trickHistory.count; ++t)
      {
         Card* card = game->TrickCardGet(player, t);
         if (card)
         {
            cards.Insert(card, cards.count);
         }
      }
      if (sort)
      {
         cards.Sort([sort](Card* a, Card* b) { return sort(a, b); });
      }
      const Point2F position = hand->ItemGet("Position")->Point2FValueGet();
      const Point2F offset = hand->ItemGet("CardPositionOffset")->Point2FValueGet();
      const float rotation = hand->ItemGet("CardRotation")->FloatValueGet();
      const float centre = static_cast<float>(cards.count - 1) * 0.5f;
      for (i32 k = 0; k < cards.count; ++k)
      {
         TrickReviewCardWidget* widget = MemoryNew<TrickReviewCardWidget>(HEAP_DEFAULT);
         if (!widget)
         {
            break;
         }
         widget->InitWithoutSpecification("TrickReviewCard", handCardsContainer);
         handCardsContainer->ChildAddLast(widget);
         widget->popup = this;
         for (i32 t = 0; t < player->trickHistory.count; ++t)
         {
            if (player->trickHistory[t].cardID == cards[k]->id)
            {
               widget->trickIndex = t;
            }
         }
         if (spriteKnown)
         {
            widget->AnimationSet(file, CardSpriteNameGet(cards[k]->rank, cards[k]->suit));
            widget->BoundsSet(widget->AnimationBoundsGet());
         }
         const float step = static_cast<float>(k) - centre;
         widget->PositionSet(Point2F{position.x + offset.x * step, position.y + offset.y * step});
         widget->RotationSet(rotation);
      }
   }
}

void TrickReviewCardWidget::OnClick()
{
   SpriteWidget::OnClick();
   if (popup)
   {
      popup->TrickSet(trickIndex);
   }
}

void TrickReviewCardWidget::Deinit()
{
   popup = nullptr;
   SpriteWidget::Deinit();
}
} // namespace Corvale
