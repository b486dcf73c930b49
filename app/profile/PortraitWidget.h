// One face drawn as fifteen stacked part sprites, blinking at random intervals and talking while
// a dialog line plays through it. GUI layers make it under the type name "Portrait".
#pragma once

#include "app/profile/PortraitModel.h"
#include "core/Point.h"
#include "gui/dialog/DialogPortraitWidget.h"

namespace Corvale
{
class SpriteWidget;

class PortraitWidget : public DialogPortraitWidget
{
 public:
   PortraitWidget() = default;

   void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification) override;
   void InitWithoutSpecification(const char* widgetName, Widget* parentWidget) override;
   void Deinit() override;
   // The children, then the blink step.
   void Update(u32 elapsed) override;
   const char* TypeNameGet() override { return "Portrait"; }

   void TalkStart() override;
   void TalkStop() override;

   // A sprite out of the part's range becomes the part's default; -1 always clears the part.
   void PartSet(i32 part, i32 sprite);
   void PartClear(i32 part);
   void PartsClear();
   // 15 positions and 15 sprites in part order.
   void PartsSet(const Point2F* positions, const i32* sprites, i32 skin, i32 genderNew);
   // A null description, or one that is not an object, gives the default face.
   void DescriptionLoad(const JSONValue* description);
   void DefaultPartsSet();
   void ProfilePortraitIndexSet(const char* profileName, i32 index);
   void ProfilePortraitSet(const char* profileName);

   // Plays "NNN_<animation>" on the part at once, when its file has it.
   void PartAnimationSet(i32 part, const char* animation);
   // Queues the part's "NNN_Rest" after what it plays.
   void PartRestQueue(i32 part);
   void BlinkTimerReset();

   // The part's child, null outside 0-14 or before Init.
   SpriteWidget* PartWidgetGet(i32 part);
   // The part child's position; (0, 0) without the child.
   Point2F PartPositionGet(i32 part);
   i32 PartSpriteGet(i32 part) const;

   i32 gender = GENDER_DEFAULT;
   i32 skinType = SKIN_TYPE_DEFAULT;
   u32 blinkCountdown = 0;
   SpriteWidget* mouth = nullptr;
   SpriteWidget* eyeRight = nullptr;
   SpriteWidget* eyeLeft = nullptr;
   SpriteWidget* eyebrowRight = nullptr;
   SpriteWidget* eyebrowLeft = nullptr;
   i32 partSprites[PORTRAIT_PART_COUNT] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};

 private:
   void PartsCreate();
   // Takes (take true) or gives back one reference on every animation "NNN_..." of the sprite.
   void AnimationReferencesChange(i32 part, i32 sprite, bool take);
};

// The creation function registered for the type name "Portrait".
Widget* PortraitWidgetCreate(const char* typeName, i32 heapId);
// Moves a widget by adding offset to its position.
void WidgetPositionOffset(const Point2F& offset, Widget* widget);
} // namespace Corvale
