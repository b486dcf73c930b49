// One card on the table and the pointer events it forwards to the card's game; the pile widget
// with its highlight box; the widget types of both.
#include "cardgame/CardWidget.h"

#include "cardgame/Card.h"
#include "cardgame/CardGame.h"
#include "cardgame/CardPile.h"
#include "cardgame/CardPileHelpLabel.h"
#include "cardgame/CardPileWidget.h"
#include "cardgame/PlayerPanelWidget.h"
#include "gui/GUIManager.h"
#include "gui/widgets/SpriteWidget.h"
#include "gui/widgets/WidgetChildSprite.h"
#include "platform/window/Screen.h"

namespace Corvale
{
namespace
{
SpriteWidget* ChildSpriteCreate(ContainerWidget* parent, const char* name)
{
   SpriteWidget* sprite = MemoryNew<SpriteWidget>(HEAP_DEFAULT);
   if (!sprite)
   {
      WarningPrintf("%s::ChildrenCreate -- unable to allocate \"%s\"\n", parent->TypeNameGet(), name);
      return nullptr;
   }
   sprite->InitWithoutSpecification(name, parent);
   sprite->ClippingAffectsDrawingSet(false);
   parent->ChildAddLast(sprite);
   return sprite;
}
} // namespace

void CardWidgetTypesRegister()
{
   GUIManager::WidgetTypeRegister("Card", &WidgetCreate<CardWidget>);
   GUIManager::WidgetTypeRegister("CardPile", &WidgetCreate<CardPileWidget>);
   GUIManager::WidgetTypeRegister("CardPileHelpLabel", &WidgetCreate<CardPileHelpLabelWidget>);
   PlayerPanelWidget::TypeRegister();
}

void CardWidget::Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification)
{
   ContainerWidget::Init(widgetName, parentWidget, specification);
   ChildrenCreate();
}

void CardWidget::InitWithoutSpecification(const char* widgetName, Widget* parentWidget)
{
   ContainerWidget::InitWithoutSpecification(widgetName, parentWidget);
   // A card follows the pointer anywhere on the table: its containers only keep the drawing
   // order and have no area of their own to hold it in.
   dragAreaInForce = 0;
   ChildrenCreate();
}

void CardWidget::ChildrenCreate()
{
   // The highlight draws over the face and the selection over both.
   cardSprite = ChildSpriteCreate(this, "CardSprite");
   highlightedSprite = ChildSpriteCreate(this, "CardHighlightedSprite");
   selectedSprite = ChildSpriteCreate(this, "CardSelectedSprite");
}

void CardWidget::Deinit()
{
   if (card && card->widget == this)
   {
      card->widget = nullptr;
   }
   card = nullptr;
   cardSprite = selectedSprite = highlightedSprite = nullptr;
   ContainerWidget::Deinit();
}

bool CardWidget::GameInputCheck()
{
   return card && card->game && card->game->HumanMayActCheck() && card->game->InputAllowedCheck();
}

void CardWidget::OnPress()
{
   ContainerWidget::OnPress();
   if (GameInputCheck())
   {
      card->game->CardPress(card);
   }
}

void CardWidget::OnDoubleClick()
{
   if (GameInputCheck())
   {
      card->game->CardDoubleClick(card);
   }
}

void CardWidget::OnClick()
{
   ContainerWidget::OnClick();
   if (GameInputCheck() && !card->dragLead)
   {
      card->game->CardClick(card);
   }
}

void CardWidget::OnMouseOver()
{
   ContainerWidget::OnMouseOver();
   if (card && card->game)
   {
      card->game->CardMouseEnter(card);
   }
}

void CardWidget::OnDrag()
{
   ContainerWidget::OnDrag();
   if (card && card->game)
   {
      card->game->CardDrag(card);
   }
}

void CardWidget::OnDragEnd()
{
   if (card && card->game)
   {
      card->game->CardDrop(card);
   }
}

void CardWidget::OnRightClick()
{
   if (GameInputCheck())
   {
      card->game->CardRightClick(card);
   }
}

void CardPileWidget::Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification)
{
   ContainerWidget::Init(widgetName, parentWidget, specification);
   ChildrenCreate();
}

void CardPileWidget::InitWithoutSpecification(const char* widgetName, Widget* parentWidget)
{
   ContainerWidget::InitWithoutSpecification(widgetName, parentWidget);
   ChildrenCreate();
}

void CardPileWidget::ChildrenCreate()
{
   sprite = ChildSpriteCreate(this, "CardPileSprite");
}

void CardPileWidget::Deinit()
{
   if (pile && pile->widget == this)
   {
      pile->widget = nullptr;
   }
   pile = nullptr;
   sprite = nullptr;
   ContainerWidget::Deinit();
}

void CardPileWidget::Draw()
{
   if (pile && pile->highlighted && pile->game)
   {
      Box2F box;
      if (pile->boundsGiven)
      {
         box.Include(pile->bounds);
      }
      if (sprite && sprite->sprite && sprite->sprite->animation)
      {
         box.Include(sprite->AnimationBoundsGet());
      }
      // Only the cards resting on the pile: dragged and flying cards leave the box.
      const Point2F origin = PositionAbsoluteGet();
      for (i32 i = 0; i < pile->cards.count; ++i)
      {
         CardWidget* cardWidget = pile->cards[i]->widget;
         if (!cardWidget || cardWidget->ParentGet() != pile->game->cardContainerBottom)
         {
            continue;
         }
         const Point2F at = cardWidget->PositionAbsoluteGet();
         Box2F cardBox = cardWidget->BoundsGet();
         cardBox.x += at.x - origin.x;
         cardBox.y += at.y - origin.y;
         box.Include(cardBox);
      }
      if (box.width != 0.0f && box.height != 0.0f)
      {
         const float padding = static_cast<float>(pile->highlightPadding);
         box.x -= padding;
         box.y -= padding;
         box.width += 2.0f * padding;
         box.height += 2.0f * padding;
         Box2F clip = ClipAreaEffectiveGet(false);
         screen.BoxFilledDraw(box, pile->highlightColor, 0.0f, &clip);
      }
   }
   ContainerWidget::Draw();
}
} // namespace Corvale
