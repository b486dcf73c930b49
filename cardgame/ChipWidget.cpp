// The sprite of one chip on the table.
#include "cardgame/ChipWidget.h"

#include "cardgame/Chip.h"

namespace Corvale
{
void ChipWidget::Deinit()
{
   if (chip && chip->widget == this)
   {
      chip->widget = nullptr;
   }
   chip = nullptr;
   SpriteWidget::Deinit();
}
} // namespace Corvale
