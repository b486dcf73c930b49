// The look back at the tricks of the hand: one trick with who led, who won and (where cards count)
// its points; the hand popup also lays out every card each player has given, and a click on one
// shows its trick. Both read the game's trick histories and change nothing.
#pragma once

#include "core/Color.h"
#include "core/Types.h"
#include "gui/popup/Popup.h"
#include "gui/widgets/SpriteWidget.h"

namespace Corvale
{
class Card;
class ContainerWidget;
class PressButtonWidget;
class TrickTakingGame;

class TrickReviewPopup : public Popup
{
 public:
   void LayerInit(LayerWidget* pushedLayer) override;
   void Deinit() override;
   void TextsRefresh() override { TrickTextsUpdate(); }
   // The trick's lines: its number, leader, winner, points and the players' names.
   virtual void TrickTextsUpdate();
   virtual void TrickSet(i32 trickIndex);

   // Whether some review popup is open: the game waits meanwhile.
   static bool OpenCheck();
   static void OnDoneClick(PressButtonWidget* button, void* popup);

   TrickTakingGame* game = nullptr;
   i32 trickShown = 0;
   ContainerWidget* trickContainer = nullptr;
   ContainerWidget* cardsContainer = nullptr;

 protected:
   // The cards of the trick shown, the leader's lowest, with the leader and winner marks.
   void TrickCardsShow();
   // The sprite file of a review card's front, or false without a style or size.
   bool CardSpriteFileGet(char* path, u32 size);
};

class TrickReviewHandPopup : public TrickReviewPopup
{
 public:
   void Open() override;
   void LayerInit(LayerWidget* pushedLayer) override;
   void Deinit() override;
   void TrickSet(i32 trickIndex) override;

   static void OnPreviousClick(PressButtonWidget* button, void* popup);
   static void OnNextClick(PressButtonWidget* button, void* popup);

   ContainerWidget* handCardsContainer = nullptr;
   ColorRGBA8 alreadyPlayedColor{255, 255, 255, 255};

 protected:
   void HandCardsCreate();
};

// A card of the hand popup: a click shows the trick it was played in.
class TrickReviewCardWidget : public SpriteWidget
{
 public:
   void Deinit() override;
   void OnClick() override;
   const char* TypeNameGet() override { return "TrickReviewCard"; }

   i32 trickIndex = 0;
   TrickReviewPopup* popup = nullptr;
};

// Opens a heap-owned review popup over the layer showing that trick; a null popup does nothing.
void TrickReviewPopupOpen(TrickReviewPopup* popup, TrickTakingGame* game, const char* layerName,
                          i32 trickIndex);
} // namespace Corvale
