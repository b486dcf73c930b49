// A pile's help label: its text (fixed, a text key, or the pile's card count), its place beside the
// pile and when it shows.
#include "cardgame/CardPileHelpLabel.h"

#include <cstdio>

#include "cardgame/Card.h"
#include "cardgame/CardGame.h"
#include "cardgame/CardPile.h"
#include "cardgame/CardPileWidget.h"
#include "core/JSONValue.h"
#include "core/StringHelpers.h"
#include "core/TextManager.h"
#include "gui/widgets/LabelWidget.h"
#include "gui/widgets/SpriteWidget.h"
#include "gui/widgets/WidgetChildSprite.h"

namespace Corvale
{
namespace
{
char* TextCopy(const char* text)
{
   return text ? StringDuplicate(text, HEAP_DEFAULT) : nullptr;
}

void TextRelease(char*& text)
{
   MemoryFree(text);
   text = nullptr;
}
} // namespace

void CardPileHelpLabel::Init(CardPile* pileUsed, const JSONValue* specification)
{
   if (!pileUsed || !specification)
   {
      return;
   }
   pile = pileUsed;
   enabled = true;
   const char* key = specification->ItemGet("TextKey")->StringValueGet();
   const char* procedure = specification->ItemGet("TextProcedure")->StringValueGet();
   if (key)
   {
      textKey = TextCopy(key);
   }
   else if (procedure)
   {
      textProcedure = TextCopy(procedure);
   }
   position = Point2F();
   relative = true;
   if (specification->ItemPoint2FCheck("Position"))
   {
      position = specification->ItemGet("Position")->Point2FValueGet();
      relative = false;
   }
   else if (specification->ItemPoint2FCheck("PositionOffset"))
   {
      position = specification->ItemGet("PositionOffset")->Point2FValueGet();
   }
   else if (Card::consts && Card::consts->ItemPoint2FCheck("CardPileHelpLabelPositionOffsetDefault"))
   {
      position = Card::consts->ItemGet("CardPileHelpLabelPositionOffsetDefault")->Point2FValueGet();
   }
   WidgetCreate();
}

void CardPileHelpLabel::Deinit()
{
   if (widget)
   {
      CardPileHelpLabelWidget* old = widget;
      widget = nullptr;
      old->label = nullptr;
      ContainerWidget* parent = dynamic_cast<ContainerWidget*>(old->ParentGet());
      if (parent)
      {
         parent->ChildRemove(old);
      }
   }
   TextRelease(text);
   TextRelease(textKey);
   TextRelease(textProcedure);
   pile = nullptr;
}

void CardPileHelpLabel::WidgetCreate()
{
   const JSONValue* specification = Card::consts ? Card::consts->ItemGet("CardPileHelpLabelWidget") : nullptr;
   if (!pile || widget || !pile->game || !specification ||
       specification->TypeGet() != JSONValue::TYPE_OBJECT || !pile->game->helpLabelContainer)
   {
      return;
   }
   ContainerWidget* container = pile->game->helpLabelContainer;
   CardPileHelpLabelWidget* created = MemoryNew<CardPileHelpLabelWidget>(HEAP_DEFAULT);
   if (!created)
   {
      WarningPrintf("CardPileHelpLabel::WidgetCreate -- unable to allocate the widget\n");
      return;
   }
   created->Init("CardPileHelpLabelWidget", container, specification);
   created->label = this;
   widget = created;
   container->ChildAddLast(created);
   PositionUpdate();
   Update();
   if (!widget->text)
   {
      return;
   }
   if (text)
   {
      widget->text->TextSet(text);
   }
   else if (textKey)
   {
      widget->text->TextKeySet(textKey);
   }
   else if (textProcedure)
   {
      TextUpdate();
   }
}

void CardPileHelpLabel::TextUpdate()
{
   if (!widget || !widget->text)
   {
      return;
   }
   if ((text || textKey) && !textProcedure)
   {
      return;
   }
   widget->text->TextSet("");
   if (!textProcedure || !pile || std::strcmp(textProcedure, "CardCount") != 0)
   {
      return;
   }
   const i32 count = pile->cards.count;
   const char* noun = textManager.TextGet(count == 1 ? "Card" : "Cards");
   if (!noun)
   {
      return;
   }
   char buffer[256];
   std::snprintf(buffer, sizeof(buffer), "%d %s", count, noun);
   widget->text->TextSet(buffer);
}

void CardPileHelpLabel::PositionUpdate()
{
   if (!widget)
   {
      return;
   }
   Point2F at = position;
   if (relative && pile)
   {
      at.x += pile->position.x;
      at.y += pile->position.y;
   }
   widget->PositionSet(at);
}

void CardPileHelpLabel::Update()
{
   if (!widget)
   {
      return;
   }
   bool shown = enabled && pile && pile->visible && pile->helpLabelsEnabled;
   if (shown && pile->cards.count == 0)
   {
      // An empty pile shows its label only beside its empty-pile picture.
      const SpriteWidget* sprite = pile->widget ? pile->widget->sprite : nullptr;
      shown = sprite && sprite->sprite && sprite->sprite->animation;
   }
   widget->VisibleSet(shown);
}

void CardPileHelpLabelWidget::Init(const char* widgetName, Widget* parentWidget,
                                   const JSONValue* specification)
{
   ContainerWidget::Init(widgetName, parentWidget, specification);
   text = dynamic_cast<LabelWidget*>(DescendantGetByPath("Text"));
}

void CardPileHelpLabelWidget::Deinit()
{
   if (label && label->widget == this)
   {
      label->widget = nullptr;
   }
   label = nullptr;
   text = nullptr;
   ContainerWidget::Deinit();
}
} // namespace Corvale
