// The sprite of one chip on the table.
#pragma once

#include "gui/widgets/SpriteWidget.h"

namespace Corvale
{
class Chip;

class ChipWidget : public SpriteWidget
{
 public:
   // The chip forgets its widget before the sprite goes.
   void Deinit() override;
   const char* TypeNameGet() override { return "ChipWidget"; }

   Chip* chip = nullptr;
};
} // namespace Corvale
