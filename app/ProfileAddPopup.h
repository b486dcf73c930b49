// The popup that asks for a new profile's name, refuses an empty or taken one with a reason, and
// creates the profile without signing in to it.
#pragma once

#include "gui/popup/Popup.h"

namespace Corvale
{
class PressButtonWidget;
class TextEntryWidget;

class ProfileAddPopup : public Popup
{
 public:
   void Open() override;
   void LayerInit(LayerWidget* pushedLayer) override;

   void Confirm();

   static void OnEnterPress(TextEntryWidget* entry, void* popup);
   static void OnOKClick(PressButtonWidget* button, void* popup);
   static void OnCancelClick(PressButtonWidget* button, void* popup);
};

extern ProfileAddPopup profileAddPopup;
} // namespace Corvale
