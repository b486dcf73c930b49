// The passing page of Hearts' hand review: each player's passed cards and the direction; while it
// shows, the passed cards among the hand's cards are tinted.
#include "games/tricktaking/HeartsTrickReviewHandPopup.h"

#include <cstdio>
#include <cstring>

#include "cardgame/Card.h"
#include "cardgame/Minigame.h"
#include "games/tricktaking/Hearts.h"
#include "gui/widgets/ContainerWidget.h"
#include "gui/widgets/LabelWidget.h"
#include "gui/widgets/LayerWidget.h"
#include "gui/widgets/SpriteWidget.h"
#include "gui/widgets/ToggleButtonWidget.h"
#include "gui/widgets/WidgetChildSprite.h"
#include "platform/sprite/SpriteAnimation.h"

namespace Corvale
{
namespace
{
const char* AnimationNameGet(SpriteWidget* widget)
{
   return widget && widget->sprite && widget->sprite->animation ? widget->sprite->animation->name : nullptr;
}
} // namespace

void HeartsTrickReviewHandPopup::LayerInit(LayerWidget* pushedLayer)
{
   TrickReviewHandPopup::LayerInit(pushedLayer);
   if (!pushedLayer)
   {
      return;
   }
   passingContainer = dynamic_cast<ContainerWidget*>(pushedLayer->DescendantGetByPath("Panel.Passing"));
   passingButton = dynamic_cast<ToggleButtonWidget*>(pushedLayer->DescendantGetByPath("Panel.PassingButton"));
   if (passingContainer)
   {
      passingContainer->VisibleSet(false);
   }
   Hearts* hearts = dynamic_cast<Hearts*>(game);
   if (!hearts || hearts->passDirection == HEARTS_PASS_NONE)
   {
      if (passingButton)
      {
         passingButton->VisibleSet(false);
      }
      return;
   }
   if (!passingContainer)
   {
      return;
   }
   char file[MINIGAME_PATH_SIZE];
   const bool spriteKnown = CardSpriteFileGet(file, sizeof(file));
   char name[32];
   for (i32 i = 0; i < hearts->players.count; ++i)
   {
      const HeartsPlayer* player = dynamic_cast<HeartsPlayer*>(hearts->players[i]);
      for (i32 j = 0; player && j < player->cardsPassedIDs.count; ++j)
      {
         std::snprintf(name, sizeof(name), "Card%d_%d", i, j);
         SpriteWidget* widget = dynamic_cast<SpriteWidget*>(passingContainer->ChildGetByName(name));
         const Card* card = hearts->CardGet(player->cardsPassedIDs[j]);
         if (widget && card && spriteKnown)
         {
            widget->AnimationSet(file, CardSpriteNameGet(card->rank, card->suit));
         }
      }
   }
   static const char* const directionKeys[] = {"PassLeft", "PassRight", "PassAcross"};
   LabelWidget* direction = dynamic_cast<LabelWidget*>(passingContainer->ChildGetByName("PassDirection"));
   if (direction && hearts->passDirection >= HEARTS_PASS_LEFT && hearts->passDirection <= HEARTS_PASS_ACROSS)
   {
      direction->TextKeySet(directionKeys[hearts->passDirection]);
   }
}

void HeartsTrickReviewHandPopup::Update(u32 elapsed)
{
   TrickReviewHandPopup::Update(elapsed);
   Hearts* hearts = dynamic_cast<Hearts*>(game);
   if (!hearts || !passingContainer || !passingButton || !layer)
   {
      return;
   }
   Widget* trickPage = layer->DescendantGetByPath("Panel.Trick");
   if (passingButton->OnGet())
   {
      passingContainer->VisibleSet(true);
      if (trickPage)
      {
         trickPage->VisibleSet(false);
      }
      for (i32 i = 0; handCardsContainer && i < handCardsContainer->ChildCountGet(); ++i)
      {
         SpriteWidget* widget = dynamic_cast<SpriteWidget*>(handCardsContainer->ChildGetAt(i));
         const char* shown = AnimationNameGet(widget);
         bool passed = false;
         for (i32 p = 0; shown && p < hearts->players.count && !passed; ++p)
         {
            const HeartsPlayer* player = dynamic_cast<HeartsPlayer*>(hearts->players[p]);
            for (i32 j = 0; player && j < player->cardsPassedIDs.count && !passed; ++j)
            {
               const Card* card = hearts->CardGet(player->cardsPassedIDs[j]);
               passed = card && std::strcmp(shown, CardSpriteNameGet(card->rank, card->suit)) == 0;
            }
         }
         if (widget)
         {
            widget->ColorSet(passed ? alreadyPlayedColor : ColorRGBA8{255, 255, 255, 255});
         }
      }
   }
   else if (passingContainer->VisibleCheck())
   {
      passingContainer->VisibleSet(false);
      if (trickPage)
      {
         trickPage->VisibleSet(true);
      }
      TrickSet(trickShown);
   }
}

void HeartsTrickReviewHandPopup::Deinit()
{
   passingContainer = nullptr;
   passingButton = nullptr;
   TrickReviewHandPopup::Deinit();
}
} // namespace Corvale
