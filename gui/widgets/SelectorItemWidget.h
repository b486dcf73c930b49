// One item of a selector: a radio button that carries a detail text and chooses itself through its
// selector when it is switched on.
#pragma once

#include "gui/widgets/RadioButtonWidget.h"

namespace Corvale
{
class SelectorWidget;

// How an item's detail text reaches the detail document.
enum SelectorDetailKind : i32
{
   SELECTOR_DETAIL_TEXT = 0,
   SELECTOR_DETAIL_TEXT_KEY = 1,
   SELECTOR_DETAIL_TEXT_EXPRESSION = 2,
   SELECTOR_DETAIL_TEXT_FILENAME = 3
};

class SelectorItemWidget : public RadioButtonWidget
{
 public:
   SelectorItemWidget() = default;
   ~SelectorItemWidget() override;

   // Items are made by their selector, through the Init that names it.
   void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification) override;
   void Deinit() override;
   const char* TypeNameGet() override { return "SelectorItemWidget"; }
   // Switching on goes through the selector, whatever switched it.
   void OnSet(bool value) override;
   void OnClick() override;
   bool EventHandlerTableWantedCheck() override { return false; }

   // The detail from "DetailTextFilename", else the first of "DetailTextKey",
   // "DetailTextExpression" and "DetailText".
   virtual void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification,
                     SelectorWidget* owner);
   // kind is a SelectorDetailKind; a chosen item shows the new text at once.
   virtual void DetailTextSet(const char* text, i32 kind);
   virtual const char* DetailTextGet() { return detailText; }
   virtual i32 DetailKindGet() { return detailKind; }

   SelectorWidget* selector = nullptr;
   char* detailText = nullptr;
   i32 detailKind = SELECTOR_DETAIL_TEXT;
};
} // namespace Corvale
