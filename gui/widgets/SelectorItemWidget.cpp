// Selector items: the detail text and its kind, and switching on through the selector.
#include "gui/widgets/SelectorItemWidget.h"

#include "core/JSONValue.h"
#include "core/Memory.h"
#include "gui/widgets/SelectorWidget.h"

namespace Corvale
{
SelectorItemWidget::~SelectorItemWidget()
{
   MemoryFree(detailText);
}

void SelectorItemWidget::Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification)
{
   Init(widgetName, parentWidget, specification, nullptr);
}

void SelectorItemWidget::Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification,
                              SelectorWidget* owner)
{
   // No selector yet while the radio button applies "On": the selector chooses its items itself.
   selector = nullptr;
   MemoryFree(detailText);
   detailText = nullptr;
   detailKind = SELECTOR_DETAIL_TEXT;
   RadioButtonWidget::Init(widgetName, parentWidget, specification);
   selector = owner;
   if (!specification)
   {
      specification = &JSONValue::nullValue;
   }

   const char* text = specification->ItemGet("DetailTextFilename")->StringValueGet();
   i32 kind = SELECTOR_DETAIL_TEXT_FILENAME;
   if (!text)
   {
      static const struct
      {
         const char* key;
         i32 kind;
      } sources[] = {{"DetailTextKey", SELECTOR_DETAIL_TEXT_KEY},
                     {"DetailTextExpression", SELECTOR_DETAIL_TEXT_EXPRESSION},
                     {"DetailText", SELECTOR_DETAIL_TEXT}};
      kind = SELECTOR_DETAIL_TEXT;
      for (const auto& source : sources)
      {
         const JSONValue* item = specification->ItemGet(source.key);
         if (item->TypeGet() != JSONValue::TYPE_NULL)
         {
            text = item->StringValueGet();
            kind = source.kind;
            break;
         }
      }
   }
   DetailTextSet(text, kind);
}

void SelectorItemWidget::Deinit()
{
   MemoryFree(detailText);
   detailText = nullptr;
   RadioButtonWidget::Deinit();
}

void SelectorItemWidget::DetailTextSet(const char* text, i32 kind)
{
   char* copy = text ? StringDuplicate(text, HEAP_DEFAULT) : nullptr;
   MemoryFree(detailText);
   detailText = copy;
   detailKind = kind;
   if (selector && selector->SelectionGet() == this)
   {
      selector->DetailUpdate();
   }
}

void SelectorItemWidget::OnSet(bool value)
{
   RadioButtonWidget::OnSet(value);
   if (value && selector)
   {
      selector->SelectionSet(this, false);
   }
}

void SelectorItemWidget::OnClick()
{
   bool wasSelected = selector && selector->SelectionGet() == this;
   if (UsableCheck())
   {
      if (!on)
      {
         OnSet(true);
      }
      // The toggle's click: a radio button never flips, so this only reports the click.
      ToggleButtonWidget::OnClick();
   }
   if (selector && selector->onItemClick)
   {
      selector->onItemClick(wasSelected, this, selector->onItemClickUserData);
   }
}
} // namespace Corvale
