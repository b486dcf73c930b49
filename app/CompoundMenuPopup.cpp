// Pages and their radio buttons in the compound menus; the page shown last is shown again on the
// next opening.
#include "app/CompoundMenuPopup.h"

#include <cstring>

#include "app/RootMenu.h"
#include "app/profile/ProfileStore.h"
#include "core/JSONValue.h"
#include "gui/widgets/LayerWidget.h"
#include "gui/widgets/PressButtonWidget.h"
#include "gui/widgets/RadioButtonWidget.h"
#include "gui/widgets/StateContainerWidget.h"

namespace Corvale
{
namespace
{
template <class T> T* LayerWidgetGet(LayerWidget* layer, const char* path)
{
   return layer ? dynamic_cast<T*>(layer->DescendantGetByPath(path)) : nullptr;
}
} // namespace

void CompoundMenuPopup::SubmenusInit()
{
   if (!layer)
   {
      return;
   }
   if (PressButtonWidget* close = LayerWidgetGet<PressButtonWidget>(layer, "Panel.Close"))
   {
      close->onClick = &CompoundMenuPopup::OnCloseClick;
      close->onClickUserData = this;
   }
   if (ContainerWidget* buttons = LayerWidgetGet<ContainerWidget>(layer, "Panel.SubmenuButtons"))
   {
      for (i32 i = 0; i < buttons->ChildCountGet(); ++i)
      {
         if (RadioButtonWidget* button = dynamic_cast<RadioButtonWidget*>(buttons->ChildGetAt(i)))
         {
            button->onClick = &CompoundMenuPopup::OnSubmenuButtonClick;
            button->onClickUserData = this;
         }
      }
   }
   StateContainerWidget* pages = LayerWidgetGet<StateContainerWidget>(layer, "Panel.Submenus");
   if (!pages)
   {
      return;
   }
   // Removing a button reorders only the buttons, so the pages can be walked as they stand.
   for (i32 i = 0; i < pages->ChildCountGet(); ++i)
   {
      const char* name = pages->ChildGetAt(i)->NameGet();
      if (name && !SubmenuAvailableCheck(name))
      {
         SubmenuButtonRemove(name);
      }
   }
   if (submenuIndex == -1)
   {
      return;
   }
   auto shownCheck = [this](Widget* page)
   { return page && page->NameGet() && SubmenuAvailableCheck(page->NameGet()); };
   Widget* remembered = submenuIndex < pages->ChildCountGet() ? pages->ChildGetAt(submenuIndex) : nullptr;
   if (shownCheck(remembered))
   {
      SubmenuShow(remembered->NameGet());
      return;
   }
   for (i32 i = 0; i < pages->ChildCountGet(); ++i)
   {
      if (shownCheck(pages->ChildGetAt(i)))
      {
         SubmenuShow(pages->ChildGetAt(i)->NameGet());
         return;
      }
   }
}

void CompoundMenuPopup::SubmenuShow(const char* name)
{
   if (!name || !layer)
   {
      return;
   }
   if (StateContainerWidget* pages = LayerWidgetGet<StateContainerWidget>(layer, "Panel.Submenus"))
   {
      pages->StateSetByName(name);
      if (Widget* shown = pages->StateGet())
      {
         submenuIndex = pages->ChildIndexGet(shown);
      }
   }
   ContainerWidget* buttons = LayerWidgetGet<ContainerWidget>(layer, "Panel.SubmenuButtons");
   RadioButtonWidget* button =
       buttons ? dynamic_cast<RadioButtonWidget*>(buttons->ChildGetByName(name)) : nullptr;
   if (button)
   {
      button->OnSet(true);
   }
}

void CompoundMenuPopup::SubmenuButtonRemove(const char* name)
{
   ContainerWidget* buttons = LayerWidgetGet<ContainerWidget>(layer, "Panel.SubmenuButtons");
   const i32 index = buttons && name ? buttons->ChildIndexGetByName(name) : -1;
   if (index < 0)
   {
      return;
   }
   Widget* removed = buttons->ChildGetAt(index);
   removed->VisibleSet(false);
   // Each later button moves into the place of the one before it; the hidden one goes last.
   const i32 last = buttons->ChildCountGet() - 1;
   const Point2F lastPosition = buttons->ChildGetAt(last)->PositionGet();
   for (i32 i = last; i > index; --i)
   {
      buttons->ChildGetAt(i)->PositionSet(buttons->ChildGetAt(i - 1)->PositionGet());
   }
   removed->PositionSet(lastPosition);
   if (buttons->ChildDetach(removed))
   {
      buttons->ChildAddLast(removed);
   }
   StateContainerWidget* pages = LayerWidgetGet<StateContainerWidget>(layer, "Panel.Submenus");
   const char* shown = pages ? pages->StateNameGet() : nullptr;
   if (shown && std::strcmp(shown, name) == 0)
   {
      pages->StateSet(nullptr);
   }
}

void CompoundMenuPopup::OnCloseClick(PressButtonWidget* button, void* popup)
{
   (void)button;
   CompoundMenuPopup* self = static_cast<CompoundMenuPopup*>(popup);
   if (self && !MenuInputIgnoredCheck())
   {
      self->Close(true);
   }
}

void CompoundMenuPopup::OnSubmenuButtonClick(u8 on, ToggleButtonWidget* button, void* popup)
{
   CompoundMenuPopup* self = static_cast<CompoundMenuPopup*>(popup);
   if (self && on && button)
   {
      self->SubmenuShow(button->NameGet());
   }
}

void GameListFill(DropDownListWidget* list, const char* constsKey, bool (*included)(const char* game),
                  i32 index, DropDownListSelectionCallback callback, void* userData)
{
   if (!list)
   {
      return;
   }
   list->onSelectionChange = nullptr;
   list->ItemsRemoveAll();
   const JSONValue* games = consts ? consts->ItemGet(constsKey) : &JSONValue::nullValue;
   for (i32 i = 0; games->TypeGet() == JSONValue::TYPE_ARRAY && i < games->CountGet(); ++i)
   {
      const char* game = games->ElementGet(i)->StringValueGet();
      if (game && (!included || included(game)))
      {
         list->ItemAdd(game, game, DROP_DOWN_LIST_TEXT_KEY);
      }
   }
   list->SelectionSetByIndex(index, false);
   list->onSelectionChange = callback;
   list->onSelectionChangeUserData = userData;
}

void GameListsPreselect(DropDownListWidget* games, DropDownListWidget* solitaires, const char* gamesKey,
                        const char* game)
{
   const JSONValue* solitaireGames = consts ? consts->ItemGet("SolitaireGames") : &JSONValue::nullValue;
   const JSONValue* listed = consts ? consts->ItemGet(gamesKey) : &JSONValue::nullValue;
   const bool solitaire = game && solitaireGames->TypeGet() == JSONValue::TYPE_ARRAY &&
                          solitaireGames->ElementStringFind(game) >= 0 &&
                          listed->TypeGet() == JSONValue::TYPE_ARRAY &&
                          listed->ElementStringFind("Solitaire") >= 0;
   // Chosen by code: the lists' callbacks stay quiet.
   for (DropDownListWidget* list : {games, solitaires})
   {
      if (!list || (list == solitaires && !solitaire))
      {
         continue;
      }
      DropDownListSelectionCallback callback = list->onSelectionChange;
      list->onSelectionChange = nullptr;
      list->SelectionSetByName(list == games && solitaire ? "Solitaire" : game, false);
      list->onSelectionChange = callback;
   }
}

void ColumnsLayOut(ContainerWidget* container, float gap)
{
   if (!container)
   {
      return;
   }
   const Box2F area = container->BoundsGet();
   const float step = area.width * 0.5f;
   float x = area.x;
   float y = area.y;
   for (i32 i = 0; i < container->ChildCountGet(); ++i)
   {
      Widget* child = container->ChildGetAt(i);
      const float height = child->BoundsGet().height;
      // The container's bounds start at its own origin, so a new column starts at 0.
      if (y + height > area.height)
      {
         x += step;
         y = 0.0f;
      }
      child->PositionSet(Point2F{x, y});
      y += height + gap;
   }
}
} // namespace Corvale
