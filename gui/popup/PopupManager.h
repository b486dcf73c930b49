// Keeps the open popups and runs them once a frame, after the GUI and the dialogs. A popup closed
// while the table is being walked is only marked, and leaves once the walk is over.
#pragma once

#include "core/Table.h"
#include "core/Types.h"

namespace Corvale
{
class Popup;

class PopupManager
{
 public:
   static void Init();
   static void Deinit();
   // The popup's Open, then it joins the table.
   static void Open(Popup* popup);
   // Open, unless the popup is null or open already (one instance per popup).
   static void OpenUnlessOpen(Popup* popup);
   // Every open popup's Update, then the closes asked for meanwhile.
   static void Update(u32 elapsed);
   // Out of the table (every entry of it), Deinit, and freed when heap-owned; null does nothing.
   static void Close(Popup* popup);
   static void CloseAll();
   // -1 for null or a popup that is not open.
   static i32 IndexGet(Popup* popup);
   static void OnGameStatePostDeinit();
   static void OnLanguageChange();

   static Table<Popup*> popups;
   // What the walk of Update runs over, so that popups may open and close from inside it.
   static Table<Popup*> popupsIterated;
   static u8 iterating;
};
} // namespace Corvale
