// The face creator: the popup in which the player of the current profile composes a face from the
// portrait parts, pages through each category's options, moves parts, changes skin and gender,
// makes random faces, and saves, loads and deletes faces in the profile (with the save question
// before anything that would lose an edited face).
#pragma once

#include "app/profile/PortraitModel.h"
#include "core/Point.h"
#include "gui/popup/Popup.h"

namespace Corvale
{
class PortraitWidget;
class PressButtonWidget;
class RadioButtonWidget;
class Widget;

constexpr i32 FACE_CREATOR_PAGE_SIZE = 18;
constexpr i32 FACE_CREATOR_SKIN_BUTTON_COUNT = 10;

// What runs after the save question has been answered (and the face saved, when it was).
enum FaceCreatorContinuation : i32
{
   FACE_CREATOR_CONTINUATION_NONE = 0,
   FACE_CREATOR_CONTINUATION_CLOSE = 1,
   FACE_CREATOR_CONTINUATION_RANDOM_FACE = 2,
   FACE_CREATOR_CONTINUATION_FACE_SELECT = 3
};

// The face as last opened, loaded, saved or randomised: what "changed" is measured against.
struct FaceRecord
{
   Point2F positions[PORTRAIT_PART_COUNT];
   i32 sprites[PORTRAIT_PART_COUNT] = {};
   i32 skinType = SKIN_TYPE_DEFAULT;
   i32 gender = GENDER_DEFAULT;
};

// Told when the face creator goes, so that a menu showing the profile's face can refresh it.
typedef void (*FaceCreatorDeinitCallback)(void* userData);

class FaceCreator : public Popup
{
 public:
   FaceCreator() = default;

   // Opens on the current profile's chosen face, category Body.
   void Open() override;
   void LayerInit(LayerWidget* pushedLayer) override;
   void Deinit() override;
   const char* NameGet() const { return "FaceCreator"; }

   // Editing the main portrait.
   void CategorySelect(i32 part);
   void OptionChoose(i32 slot);
   void PartClear(i32 part);
   void PartCenter();
   void PartMove(float dx, float dy);
   void SkinSelect(i32 skin);
   void GenderSelect(i32 genderNew);
   void RandomFaceMake();

   // Pages of options.
   void PageSet(i32 pageNew);
   i32 PageCountGet();
   void OptionsRefresh();
   void SelectionRefresh();
   void ControlsRefresh();

   // Saving and the save question.
   bool FaceChangedCheck();
   void ReferenceFaceRecord();
   // Into the profile's "Portraits": in place at index, or as a new face at the front.
   void FaceSave(i32 index);
   void AskSaveFaceShow();
   void ContinuationRun();

   // The buttons that may ask first.
   void ExitRequest();
   void SaveRequest();
   void LoadRequest();
   void RandomRequest();

   i32 pageSprites[FACE_CREATOR_PAGE_SIZE] = {};
   PressButtonWidget* optionButtons[FACE_CREATOR_PAGE_SIZE] = {};
   PortraitWidget* optionPortraits[FACE_CREATOR_PAGE_SIZE] = {};
   Widget* selectionSprite = nullptr;
   FaceRecord referenceFace;
   PortraitWidget* portrait = nullptr;
   RadioButtonWidget* toggleBoth = nullptr;
   RadioButtonWidget* toggleLeft = nullptr;
   RadioButtonWidget* toggleRight = nullptr;
   RadioButtonWidget* skinButtons[FACE_CREATOR_SKIN_BUTTON_COUNT] = {};
   RadioButtonWidget* genderButtons[GENDER_COUNT] = {};
   i32 currentFace = -1;
   i32 selectedPart = PORTRAIT_PART_BODY_FRONT;
   i32 page = 0;
   bool linked = false;
   i32 continuation = FACE_CREATOR_CONTINUATION_NONE;
   PressButtonWidget* pagePrevious = nullptr;
   PressButtonWidget* pageNext = nullptr;
   PressButtonWidget* loadButton = nullptr;
   FaceCreatorDeinitCallback onDeinit = nullptr;
   void* onDeinitUserData = nullptr;
};

// Before and after, with Add, Update and Cancel: what "Yes" to the save question opens.
class CustomFaceAddUpdatePopup : public Popup
{
 public:
   CustomFaceAddUpdatePopup() = default;

   void Open() override;
   void LayerInit(LayerWidget* pushedLayer) override;
   void Deinit() override;

   void AddChoose();
   void UpdateChoose();
   void CancelChoose();

   PressButtonWidget* addButton = nullptr;
   PressButtonWidget* updateButton = nullptr;
   PressButtonWidget* cancelButton = nullptr;
   PortraitWidget* portraitOld = nullptr;
   PortraitWidget* portraitNew = nullptr;
};

constexpr i32 FACE_SELECT_PAGE_SIZE = 6;

// The profile's saved faces, six a page, to load into the face creator or delete.
class FaceSelectPopup : public Popup
{
 public:
   FaceSelectPopup() = default;

   void Open() override;
   void LayerInit(LayerWidget* pushedLayer) override;
   void Deinit() override;
   void Refresh();

   void OptionChoose(i32 slot);
   void PagePreviousChoose();
   void PageNextChoose();
   void LoadChoose();
   void DeleteChoose();
   void CancelChoose();

   i32 selectedFace = 0;
   i32 page = 0;
   i32 pageCount = 0;
   PressButtonWidget* optionButtons[FACE_SELECT_PAGE_SIZE] = {};
   PortraitWidget* optionPortraits[FACE_SELECT_PAGE_SIZE] = {};
   Widget* selectionSprite = nullptr;
};

// The single instances, for the whole run.
extern FaceCreator faceCreator;
extern CustomFaceAddUpdatePopup customFaceAddUpdatePopup;
extern FaceSelectPopup faceSelectPopup;
} // namespace Corvale
