// The table of open popups, the frame walk over a copy of it and the closes it defers.
#include "gui/popup/PopupManager.h"

#include "core/Event.h"
#include "core/Memory.h"
#include "gui/popup/Popup.h"

namespace Corvale
{
Table<Popup*> PopupManager::popups;
Table<Popup*> PopupManager::popupsIterated;
u8 PopupManager::iterating = 0;

namespace
{
constexpr i32 POPUP_TABLE_RESERVE = 8;

// The event registrations need an owner object; the manager's state is static, so this stands in.
class PopupManagerEvents
{
 public:
   void GameStatePostDeinit() { PopupManager::OnGameStatePostDeinit(); }
   void LanguageChanged() { PopupManager::OnLanguageChange(); }
};
PopupManagerEvents popupManagerEvents;

// Marked popups are unmarked and closed until a pass finds none; a close may open or close others.
void PendingRemovalsClose()
{
   bool found = true;
   while (found)
   {
      found = false;
      for (i32 i = 0; i < PopupManager::popups.count; i++)
      {
         Popup* popup = PopupManager::popups[i];
         if (popup && popup->removalPending)
         {
            popup->removalPending = 0;
            PopupManager::Close(popup);
            found = true;
            break;
         }
      }
   }
}
} // namespace

void PopupManager::Init()
{
   popups.allocator = allocatorDefault;
   popups.Reserve(POPUP_TABLE_RESERVE);
   popupsIterated.allocator = allocatorDefault;
   popupsIterated.Reserve(POPUP_TABLE_RESERVE);
   iterating = 0;
   // A second Init must not leave the manager registered twice.
   Event::OwnerUnregister(&popupManagerEvents);
   EventMethodRegister(&popupManagerEvents, "GameStatePostDeinit", &PopupManagerEvents::GameStatePostDeinit,
                       0);
   EventMethodRegister(&popupManagerEvents, "OnLanguageChange", &PopupManagerEvents::LanguageChanged, 0);
}

void PopupManager::Deinit()
{
   Event::OwnerUnregister(&popupManagerEvents);
   CloseAll();
   popups = Table<Popup*>();
   popupsIterated = Table<Popup*>();
}

void PopupManager::Open(Popup* popup)
{
   if (!popup)
   {
      return;
   }
   popup->Open();
   popups.Insert(popup, popups.count);
}

void PopupManager::OpenUnlessOpen(Popup* popup)
{
   if (popup && IndexGet(popup) < 0)
   {
      Open(popup);
   }
}

void PopupManager::Update(u32 elapsed)
{
   if (popups.count > 0)
   {
      popupsIterated.SizeSet(0);
      for (i32 i = 0; i < popups.count; i++)
      {
         popupsIterated.Insert(popups[i], popupsIterated.count);
      }
      iterating = 1;
      for (i32 i = 0; i < popupsIterated.count; i++)
      {
         Popup* popup = popupsIterated[i];
         if (popup && !popup->removalPending)
         {
            popup->Update(elapsed);
         }
      }
      iterating = 0;
      popupsIterated.SizeSet(0);
   }
   PendingRemovalsClose();
}

void PopupManager::Close(Popup* popup)
{
   if (!popup)
   {
      return;
   }
   if (iterating)
   {
      popup->removalPending = 1;
      return;
   }
   while (popups.Remove(popup))
   {
   }
   popup->Deinit();
   if (popup->heapOwned)
   {
      MemoryDelete(popup);
   }
}

void PopupManager::CloseAll()
{
   if (iterating)
   {
      for (i32 i = 0; i < popups.count; i++)
      {
         if (popups[i])
         {
            popups[i]->removalPending = 1;
         }
      }
      return;
   }
   while (popups.count > 0)
   {
      Popup* last = popups[popups.count - 1];
      if (!last)
      {
         popups.SizeSet(popups.count - 1);
         continue;
      }
      Close(last);
   }
}

i32 PopupManager::IndexGet(Popup* popup)
{
   return popup ? popups.Find(popup) : -1;
}

void PopupManager::OnGameStatePostDeinit()
{
   CloseAll();
}

void PopupManager::OnLanguageChange()
{
   for (i32 i = 0; i < popups.count; i++)
   {
      if (popups[i])
      {
         popups[i]->TextsRefresh();
      }
   }
}
} // namespace Corvale
