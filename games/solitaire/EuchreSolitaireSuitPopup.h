// Euchre solitaire's trump choice: pick up the turned-up card's suit or pass and name another,
// with the stake doubled or not.
#pragma once

#include "core/Types.h"
#include "gui/popup/Popup.h"

namespace Corvale
{
class EuchreSolitaire;
class PressButtonWidget;
class ToggleButtonWidget;

constexpr u32 EUCHRE_CALL_TRUMP_TEXT_SIZE = 256;

class EuchreSolitaireSuitPopup : public Popup
{
 public:
   EuchreSolitaireSuitPopup();

   static EuchreSolitaireSuitPopup instance;

   void LayerInit(LayerWidget* pushedLayer) override;
   void Deinit() override;
   // The question is made here, so a new language makes it again.
   void TextsRefresh() override;

   // The question naming the suit, from the translators' "EuchreCallTrump"; the suit's name alone
   // (with one log line) when that text is not a format with exactly one %s.
   static void CallTrumpTextFormat(i32 suit, char* buffer, u32 size);
   // A printf format whose only conversion is exactly one %s ("%%" allowed).
   static bool CallTrumpFormatCheck(const char* format);
   // The text key of the suit's name; null outside the four suits.
   static const char* SuitTextKeyGet(i32 suit);

   // The buttons' work, also driven by tests without the layer.
   void PickUp();
   void Pass();
   void SuitChoose(i32 suit);
   bool DoubleDownGet();

   static void OnPickUpClick(PressButtonWidget* button, void* popup);
   static void OnPassClick(PressButtonWidget* button, void* popup);
   static void OnSuitClick(PressButtonWidget* button, void* popup);

   EuchreSolitaire* game = nullptr;

 private:
   void WidgetShow(const char* path, bool visible);
   void QuestionShow();
   // Once a suit is named the popup leaves, and only once.
   void Leave();
   ToggleButtonWidget* doubleDown = nullptr;
   // After a pass the popup asks for a suit instead.
   bool passed = false;
};
} // namespace Corvale
