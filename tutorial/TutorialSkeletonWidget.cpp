// Drawing the tutorial manager's skeleton in the widget's transform.
#include "tutorial/TutorialSkeletonWidget.h"

#include "gui/GUIManager.h"
#include "platform/window/Screen.h"
#include "tutorial/SkeletonManager.h"
#include "tutorial/TutorialManager.h"

namespace Corvale
{
void TutorialSkeletonWidget::Draw()
{
   SpriteWidget::Draw();
   if (!VisibleCheck() || !tutorialManager.skeleton)
   {
      return;
   }
   // The skeleton's Y grows upwards, the screen's downwards.
   screen.MatrixPush();
   screen.MatrixScale(1.0f, -1.0f);
   SkeletonManager::SkeletonDraw(tutorialManager.skeleton);
   screen.MatrixPop();
}

Widget* TutorialSkeletonWidgetCreate(const char* typeName, i32 heapId)
{
   return WidgetCreate<TutorialSkeletonWidget>(typeName, heapId);
}
} // namespace Corvale
