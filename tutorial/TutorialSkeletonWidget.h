// The widget that shows the playing tutorial's skeleton at its place in the "Tutorial" layer,
// over its own sprite (the felt). Layer files name it "TutorialSkeleton".
#pragma once

#include "gui/widgets/SpriteWidget.h"

namespace Corvale
{
class TutorialSkeletonWidget : public SpriteWidget
{
 public:
   void Draw() override;
   const char* TypeNameGet() override { return "TutorialSkeletonWidget"; }
};

// The widget factory registered under "TutorialSkeleton"; null when the allocation fails.
Widget* TutorialSkeletonWidgetCreate(const char* typeName, i32 heapId);
} // namespace Corvale
