// The panel record of a seat and the widget it keeps up to date.
#include "cardgame/PlayerPanel.h"

#include "app/profile/PortraitWidget.h"
#include "app/profile/ProfileStore.h"
#include "cardgame/Minigame.h"
#include "cardgame/Player.h"
#include "cardgame/PlayerPanelWidget.h"
#include "core/JSONValue.h"
#include "core/Memory.h"
#include "gui/widgets/SpriteWidget.h"

namespace Corvale
{
namespace
{
void IconShow(PlayerPanelWidget* widget, const char* name, bool shown)
{
   Widget* icon = widget->plaque ? widget->plaque->ChildGetByName(name) : nullptr;
   if (icon)
   {
      icon->VisibleSet(shown);
   }
}
} // namespace

void PlayerPanel::Init(Minigame* owner)
{
   game = owner;
   position = Point2F();
   visible = true;
   playerID = -1;
   active = false;
   dealerIconShown = false;
   winnerIconShown = false;
   cribbagePegRedShown = false;
   cribbagePegBlueShown = false;
   WidgetCreate();
   Refresh();
}

void PlayerPanel::Deinit()
{
   if (widget)
   {
      widget->owner = nullptr;
      ContainerWidget* parent = dynamic_cast<ContainerWidget*>(widget->ParentGet());
      if (parent)
      {
         parent->ChildRemove(widget);
      }
   }
   widget = nullptr;
   game = nullptr;
}

void PlayerPanel::WidgetCreate()
{
   const JSONValue* specification = consts ? consts->ItemGet("PlayerPanelWidget") : nullptr;
   ContainerWidget* container = game ? game->playerPanelContainer : nullptr;
   if (widget || !container || !specification || specification->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      return;
   }
   PlayerPanelWidget* created = MemoryNew<PlayerPanelWidget>(HEAP_DEFAULT);
   if (!created)
   {
      return;
   }
   created->Init("PlayerPanel", container, specification);
   created->owner = this;
   container->ChildAddLast(created);
   widget = created;
   widget->VisibleSet(visible);
   PortraitUpdate();
   Refresh();
}

void PlayerPanel::Refresh()
{
   if (!widget)
   {
      return;
   }
   widget->PositionSet(position);
   widget->VisibleSet(visible);
   IconShow(widget, "IconDealer", dealerIconShown);
   IconShow(widget, "IconWinner", winnerIconShown);
   IconShow(widget, "IconCribbagePegRed", cribbagePegRedShown);
   IconShow(widget, "IconCribbagePegBlue", cribbagePegBlueShown);
   if (widget->frame)
   {
      widget->frame->AnimationSet(nullptr, active ? "FrameOn" : "FrameOff");
   }
}

void PlayerPanel::PortraitUpdate()
{
   const Player* player = game ? game->PlayerGet(playerID) : nullptr;
   PortraitWidget* portrait = widget ? widget->portrait : nullptr;
   if (!portrait || !player || !player->name)
   {
      return;
   }
   if (player->human)
   {
      portrait->ProfilePortraitSet(player->name);
      return;
   }
   const JSONValue* characters = consts ? consts->ItemGet("Characters") : nullptr;
   const JSONValue* character = characters ? characters->ItemGet(player->name) : nullptr;
   if (!character || character->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      portrait->DefaultPartsSet();
      return;
   }
   portrait->DescriptionLoad(character->ItemGet("Portrait"));
}

DialogPortraitWidget* PlayerPanel::PortraitGet()
{
   return widget ? widget->portrait : nullptr;
}
} // namespace Corvale
