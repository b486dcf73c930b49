// The profile add popup: the name is checked byte for byte against the guest and every known
// profile, then the profile is created on disk and the signed-in profile restored.
#include "app/ProfileAddPopup.h"

#include <cstring>
#include <string>

#include "app/ProfileMenu.h"
#include "app/RootMenu.h"
#include "app/profile/ProfileStore.h"
#include "core/JSONValue.h"
#include "core/StringHelpers.h"
#include "gui/GUIManager.h"
#include "gui/widgets/LabelWidget.h"
#include "gui/widgets/LayerWidget.h"
#include "gui/widgets/PressButtonWidget.h"
#include "gui/widgets/TableWidget.h"
#include "gui/widgets/TextDocumentWidget.h"
#include "gui/widgets/TextEntryWidget.h"

namespace Corvale
{
ProfileAddPopup profileAddPopup;

namespace
{
bool ProfileNameTakenCheck(const char* name)
{
   if (std::strcmp(name, PROFILE_GUEST_NAME) == 0)
   {
      return true;
   }
   const JSONValue* profiles = ProfilesGet();
   for (i32 i = 0; profiles && i < profiles->CountGet(); ++i)
   {
      const char* existing = profiles->ElementGet(i)->ItemGet("Name")->StringValueGet();
      if (existing && std::strcmp(existing, name) == 0)
      {
         return true;
      }
   }
   return false;
}

void ExplanationShow(const char* key)
{
   if (TextDocumentWidget* explanation =
           dynamic_cast<TextDocumentWidget*>(GUIManager::WidgetGetByPath("ProfileAdd.Panel.Explanation")))
   {
      explanation->TextKeySet(key);
   }
}
} // namespace

void ProfileAddPopup::Open()
{
   NultSnprintf(layerName, sizeof(layerName), "%s", "ProfileAdd");
   hasLayer = 1;
   Popup::Open();
}

void ProfileAddPopup::LayerInit(LayerWidget* pushedLayer)
{
   (void)pushedLayer;
   if (TextEntryWidget* entry =
           dynamic_cast<TextEntryWidget*>(GUIManager::WidgetGetByPath("ProfileAdd.Panel.ProfileName")))
   {
      GUIManager::FocusSet(entry);
      entry->onEnterPress = &ProfileAddPopup::OnEnterPress;
      entry->onEnterPressUserData = this;
   }
   PressButtonWidget::OnClickCallbackSet("ProfileAdd.Panel.OK", &ProfileAddPopup::OnOKClick, this);
   PressButtonWidget::OnClickCallbackSet("ProfileAdd.Panel.Cancel", &ProfileAddPopup::OnCancelClick, this);
}

void ProfileAddPopup::Confirm()
{
   if (MenuInputIgnoredCheck())
   {
      return;
   }
   TextEntryWidget* entry =
       dynamic_cast<TextEntryWidget*>(GUIManager::WidgetGetByPath("ProfileAdd.Panel.ProfileName"));
   const char* name = entry && entry->TextGet() ? entry->TextGet() : "";
   if (name[0] == '\0')
   {
      ExplanationShow("ProfileNameEmptyExplanation");
      return;
   }
   if (ProfileNameTakenCheck(name))
   {
      ExplanationShow("ProfileNameTakenExplanation");
      return;
   }
   // Loading the new name creates its entry and document; loading the kept one writes the new
   // profile out and brings back whoever was signed in (nobody, when nobody was).
   const std::string added = name;
   const std::string kept = profileCurrentName ? profileCurrentName : "";
   ProfileLoad(added.c_str());
   ProfileLoad(kept.empty() ? nullptr : kept.c_str());

   if (profileMenu.layer)
   {
      profileMenu.ProfileListFill();
   }
   profileMenu.StatisticsProfileListFill();
   profileMenu.SignInButtonsRefresh();
   if (TableWidget* table = dynamic_cast<TableWidget*>(
           GUIManager::WidgetGetByPath("ProfileMenu.Panel.Submenus.SignIn.Main.Profiles")))
   {
      for (i32 i = 0; i < table->RowCountGet(); ++i)
      {
         LabelWidget* cell = dynamic_cast<LabelWidget*>(table->CellGet(i, 0));
         if (cell && cell->TextGet() && added == cell->TextGet())
         {
            table->SelectionSetByIndex(i, false);
            break;
         }
      }
   }
   Close(true);
}

void ProfileAddPopup::OnEnterPress(TextEntryWidget* entry, void* popup)
{
   (void)entry;
   static_cast<ProfileAddPopup*>(popup)->Confirm();
}

void ProfileAddPopup::OnOKClick(PressButtonWidget* button, void* popup)
{
   (void)button;
   static_cast<ProfileAddPopup*>(popup)->Confirm();
}

void ProfileAddPopup::OnCancelClick(PressButtonWidget* button, void* popup)
{
   (void)button;
   static_cast<ProfileAddPopup*>(popup)->Close(true);
}
} // namespace Corvale
