// The language buttons: which are offered, their column, and the switch they make.
#include "app/LanguageMenu.h"

#include <algorithm>

#include "app/Application.h"
#include "app/ApplicationSettings.h"
#include "app/profile/ProfileStore.h"
#include "core/JSONValue.h"
#include "core/StringHelpers.h"
#include "gui/state/GameStateManager.h"
#include "gui/widgets/LayerWidget.h"
#include "gui/widgets/PressButtonWidget.h"

namespace Corvale
{
LanguageMenu languageMenu;

void LanguageMenu::Open()
{
   NultSnprintf(layerName, sizeof(layerName), "%s", "Language");
   hasLayer = 1;
   Popup::Open();
}

void LanguageMenu::LayerInit(LayerWidget* pushedLayer)
{
   (void)pushedLayer;
   Widget* panel = layer ? layer->DescendantGetByPath("Panel") : nullptr;
   ContainerWidget* buttons =
       layer ? dynamic_cast<ContainerWidget*>(layer->DescendantGetByPath("Panel.LanguageButtons")) : nullptr;
   const JSONValue* languages = consts ? consts->ItemGet("Languages") : &JSONValue::nullValue;
   if (!panel || !buttons || languages->TypeGet() != JSONValue::TYPE_ARRAY)
   {
      return;
   }
   i32 shown = 0;
   float totalHeight = 0.0f;
   for (i32 i = 0; i < buttons->ChildCountGet(); ++i)
   {
      Widget* child = buttons->ChildGetAt(i);
      PressButtonWidget* button = dynamic_cast<PressButtonWidget*>(child);
      const bool offered = button && child->NameGet() && languages->ElementStringFind(child->NameGet()) >= 0;
      if (!offered)
      {
         if (child)
         {
            child->VisibleSet(false);
         }
         continue;
      }
      button->onClick = &LanguageMenu::OnLanguageButtonClick;
      button->onClickUserData = this;
      button->VisibleSet(true);
      ++shown;
      totalHeight += button->BoundsGet().height;
   }
   const JSONValue* spacingValue = consts->ItemGet("LanguageButtonSpacingY");
   const float spacing = spacingValue->TypeGet() == JSONValue::TYPE_BOOL
                             ? (spacingValue->BoolValueGet() ? 1.0f : 0.0f)
                             : spacingValue->FloatValueGet();
   const Box2F area = panel->BoundsGet();
   float top = area.y + area.height / 2.0f -
               (static_cast<float>(std::max(shown - 1, 0)) * spacing + totalHeight) / 2.0f;
   for (i32 i = 0; i < buttons->ChildCountGet(); ++i)
   {
      Widget* button = buttons->ChildGetAt(i);
      if (!button || !button->visible)
      {
         continue;
      }
      const Box2F own = button->BoundsGet();
      button->PositionSet(Point2F{area.x + area.width / 2.0f - (own.width / 2.0f + own.x), top});
      top += own.height + spacing;
   }
}

void LanguageMenu::OnLanguageButtonClick(PressButtonWidget* button, void* userData)
{
   if (GameStateManager::switchPending || !button)
   {
      return;
   }
   const i32 index = LanguageIndexGet(button->NameGet());
   if (index >= 0)
   {
      LanguageCurrentSet(static_cast<u32>(index));
      if (settings)
      {
         settings->ItemStringSet("Language", button->NameGet());
      }
   }
   static_cast<LanguageMenu*>(userData)->Close(true);
}
} // namespace Corvale
