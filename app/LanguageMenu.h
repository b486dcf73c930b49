// The language menu: one button per offered language, opened by itself on a first run with several
// languages. Choosing one switches every text of the program at once and keeps the choice.
#pragma once

#include "gui/popup/Popup.h"

namespace Corvale
{
class PressButtonWidget;

class LanguageMenu : public Popup
{
 public:
   void Open() override;
   // Shows the buttons of the offered languages, hides the rest, and centres the shown ones as a
   // column in the panel.
   void LayerInit(LayerWidget* pushedLayer) override;

   // The button's name is its language.
   static void OnLanguageButtonClick(PressButtonWidget* button, void* userData);
};

extern LanguageMenu languageMenu;
} // namespace Corvale
