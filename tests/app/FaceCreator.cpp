// The face creator over the data's layers and face art: opening on the profile's face, pages,
// skin and gender changes, moves, random faces for a fixed generator state, saving with the save
// question, and the face select popup with its deletions. With CORVALE_SCREENSHOT_DIR set, a
// seeded random face is saved as a PNG there for a person to look at.
#include <cstdlib>

#include "app/FaceCreator.h"
#include "app/profile/PortraitWidget.h"
#include "app/profile/ProfileStore.h"
#include "core/JSONParser.h"
#include "core/JSONValue.h"
#include "core/Random.h"
#include "gui/widgets/RadioButtonWidget.h"
#include "gui/widgets/SpriteWidget.h"
#include "tests/app/profile/ProfileTestSupport.h"
#include "tests/app/ProfileDataLayersTestSupport.h"

using namespace DataLayersTestSupport;

namespace
{
class FaceCreatorTest : public ProfileDataLayersTest
{
 protected:
   void SetUp() override
   {
      ProfileDataLayersTest::SetUp();
      ProfileLoad("Ann");
      GUIManager::WidgetTypeRegister("Portrait", &PortraitWidgetCreate);
      PortraitTablesInit();
      faceCreator = FaceCreator();
      faceSelectPopup = FaceSelectPopup();
   }

   void TearDown() override
   {
      PopupManager::CloseAll();
      Tick(0);
      PortraitTablesDeinit();
      ProfileDataLayersTest::TearDown();
   }

   static JSONValue* Entry() { return ProfileEntryGet("Ann"); }

   // Faces given as a JSON array text, in the profile entry.
   static void FacesSet(const std::string& text, i32 index)
   {
      Entry()->ItemSet("Portraits", ProfileTest::TextParse(text));
      Entry()->ItemNumberSet("PortraitIndex", index);
   }

   // n faces told apart by their mouth sprite (17 + i, all Fair mouths).
   static std::string FacesText(i32 n)
   {
      std::string text = "[";
      for (i32 i = 0; i < n; ++i)
      {
         text += (i ? "," : "") +
                 std::string(R"({"SkinType": "Fair", "Gender": "Male", "Parts": {"Mouth": {"ID": )") +
                 std::to_string(17 + (i % 8)) + R"(, "Position": ")" + std::to_string(i) + R"(|0"}}})";
      }
      return text + "]";
   }

   static i32 FaceMouth(i32 index)
   {
      return Entry()
          ->ItemGet("Portraits")
          ->ElementGet(index)
          ->ItemGet("Parts")
          ->ItemGet("Mouth")
          ->ItemGet("ID")
          ->IntValueGet();
   }

   static std::string FacePosition(i32 index, const char* part)
   {
      const char* text = Entry()
                             ->ItemGet("Portraits")
                             ->ElementGet(index)
                             ->ItemGet("Parts")
                             ->ItemGet(part)
                             ->ItemGet("Position")
                             ->StringValueGet();
      return text ? text : "";
   }

   void Open()
   {
      PopupManager::Open(&faceCreator);
      Tick(1000);
      ASSERT_TRUE(faceCreator.portrait);
   }

   static void Click(const char* path)
   {
      PressButtonWidget* button = dynamic_cast<PressButtonWidget*>(GUIManager::WidgetGetByPath(path));
      ASSERT_TRUE(button) << path;
      ASSERT_TRUE(button->onClick) << path;
      button->onClick(button, button->onClickUserData);
      Tick(1000);
   }

   static void Choose(const char* path)
   {
      RadioButtonWidget* button = dynamic_cast<RadioButtonWidget*>(GUIManager::WidgetGetByPath(path));
      ASSERT_TRUE(button) << path;
      button->OnSet(true);
      button->onClick(1, button, button->onClickUserData);
      Tick(1000);
   }

   static bool Open(Popup* popup) { return PopupManager::IndexGet(popup) >= 0; }

   // Draws the screen and, with CORVALE_SCREENSHOT_DIR set, saves it under the name.
   std::vector<u8> Shown(const std::string& name)
   {
      Clear();
      GUIManager::Draw();
      std::vector<u8> frame = Frame();
      const char* folder = std::getenv("CORVALE_SCREENSHOT_DIR");
      if (folder)
      {
         Save(frame, std::string(folder) + "/" + name + ".png");
      }
      return frame;
   }

   static MessageBoxPopup* Box()
   {
      for (i32 i = 0; i < PopupManager::popups.count; ++i)
      {
         MessageBoxPopup* box = dynamic_cast<MessageBoxPopup*>(PopupManager::popups[i]);
         if (box)
         {
            return box;
         }
      }
      return nullptr;
   }

   // Answers the open message box with its button of that name.
   static void Answer(const char* button)
   {
      MessageBoxPopup* box = Box();
      ASSERT_TRUE(box);
      Click((std::string(box->layerName) + ".Panel." + button).c_str());
   }

   // How many 16-bit draws led from one generator state to the next.
   static i32 DrawsBetween(u32 s0, u32 s1, u32 e0, u32 e1)
   {
      randomState0 = s0;
      randomState1 = s1;
      for (i32 n = 0; n < 100; ++n)
      {
         if (randomState0 == e0 && randomState1 == e1)
         {
            return n;
         }
         RandomNumberGet();
      }
      return -1;
   }
};

TEST_F(FaceCreatorTest, OpensOnTheProfileFaceAndMarksItSeen)
{
   FacesSet(FacesText(3), 1);
   Open();
   EXPECT_EQ(faceCreator.currentFace, 1);
   EXPECT_EQ(faceCreator.portrait->PartSpriteGet(PORTRAIT_PART_MOUTH), 18);
   EXPECT_EQ(faceCreator.selectedPart, PORTRAIT_PART_BODY_FRONT);
   EXPECT_TRUE(Entry()->ItemGet("FaceCreatorSeen")->BoolValueGet());
   EXPECT_FALSE(faceCreator.FaceChangedCheck());
   // Ten outfits on one page; the chosen one is marked.
   EXPECT_EQ(faceCreator.PageCountGet(), 1);
   EXPECT_TRUE(faceCreator.selectionSprite->VisibleCheck());
   EXPECT_TRUE(faceCreator.optionButtons[9]->EnabledCheck());
   EXPECT_FALSE(faceCreator.optionButtons[10]->EnabledCheck());
   EXPECT_TRUE(faceCreator.loadButton->EnabledCheck());
   // A face of the tenth skin shows its own swatch on.
   faceCreator.SkinSelect(SKIN_TYPE_ZOMBIE_GREEN);
   faceCreator.ControlsRefresh();
   EXPECT_TRUE(faceCreator.skinButtons[SKIN_TYPE_ZOMBIE_GREEN]->OnGet());
   EXPECT_FALSE(faceCreator.skinButtons[SKIN_TYPE_FAIR]->OnGet());
}

TEST_F(FaceCreatorTest, PagesFollowTheOptionCount)
{
   Open();
   struct Case
   {
      i32 count, pages;
   };
   for (const Case c : {Case{37, 3}, Case{36, 2}, Case{0, 1}})
   {
      consts->ItemGet("PortraitPartCounts")->ItemNumberSet("BodyFront", c.count);
      PortraitTablesInit();
      faceCreator.CategorySelect(PORTRAIT_PART_BODY_FRONT);
      EXPECT_EQ(faceCreator.PageCountGet(), c.pages) << c.count;
      faceCreator.PageSet(99);
      faceCreator.ControlsRefresh();
      EXPECT_EQ(faceCreator.page, c.pages - 1) << c.count;
      EXPECT_EQ(faceCreator.pagePrevious->EnabledCheck(), c.pages > 1) << c.count;
      EXPECT_FALSE(faceCreator.pageNext->EnabledCheck()) << c.count;
      // The last page of 37 holds the 37th option alone.
      const i32 onLastPage = c.count - (c.pages - 1) * FACE_CREATOR_PAGE_SIZE;
      for (i32 slot = 0; slot < FACE_CREATOR_PAGE_SIZE; ++slot)
      {
         EXPECT_EQ(faceCreator.optionButtons[slot]->EnabledCheck(), slot < onLastPage)
             << c.count << " " << slot;
      }
   }
}

TEST_F(FaceCreatorTest, SkinAndGenderCarryChoicesOverByPosition)
{
   Open();
   // The third Fair mouth becomes the third Tan mouth; the neck follows the skin.
   faceCreator.portrait->PartSet(PORTRAIT_PART_MOUTH, 19);
   faceCreator.SkinSelect(SKIN_TYPE_TAN);
   EXPECT_EQ(faceCreator.portrait->PartSpriteGet(PORTRAIT_PART_MOUTH), 35);
   EXPECT_EQ(faceCreator.portrait->PartSpriteGet(PORTRAIT_PART_NECK), 5);
   EXPECT_EQ(faceCreator.portrait->PartSpriteGet(PORTRAIT_PART_EYE_LEFT),
             faceCreator.portrait->PartSpriteGet(PORTRAIT_PART_EYE_RIGHT));

   // Female to male: a female-only hair (the 37th) goes to the 37th place of the male list, past
   // its end: the male default; shared parts stay; facial hair has no female place.
   faceCreator.GenderSelect(GENDER_FEMALE);
   faceCreator.portrait->PartSet(PORTRAIT_PART_HAIR_FRONT, 40);
   faceCreator.portrait->PartSet(PORTRAIT_PART_BODY_FRONT, 7);
   faceCreator.GenderSelect(GENDER_MALE);
   EXPECT_EQ(faceCreator.portrait->PartSpriteGet(PORTRAIT_PART_HAIR_FRONT), 1);
   EXPECT_EQ(faceCreator.portrait->PartSpriteGet(PORTRAIT_PART_BODY_FRONT), 7);
   faceCreator.portrait->PartSet(PORTRAIT_PART_FACIAL_HAIR, 5);
   faceCreator.GenderSelect(GENDER_FEMALE);
   EXPECT_EQ(faceCreator.portrait->PartSpriteGet(PORTRAIT_PART_FACIAL_HAIR), -1);
   EXPECT_EQ(faceCreator.portrait->gender, GENDER_FEMALE);
}

TEST_F(FaceCreatorTest, MovesFollowTheLinkedFlag)
{
   Open();
   Click("FaceCreator.Eyes");
   EXPECT_TRUE(faceCreator.linked);
   Click("FaceCreator.rArrow");
   EXPECT_EQ(faceCreator.portrait->PartPositionGet(PORTRAIT_PART_EYE_LEFT).x, 1.0f);
   EXPECT_EQ(faceCreator.portrait->PartPositionGet(PORTRAIT_PART_EYE_RIGHT).x, 1.0f);
   Choose("FaceCreator.toggleLeft");
   EXPECT_FALSE(faceCreator.linked);
   EXPECT_EQ(faceCreator.selectedPart, PORTRAIT_PART_EYE_LEFT);
   Click("FaceCreator.dArrow");
   EXPECT_EQ(faceCreator.portrait->PartPositionGet(PORTRAIT_PART_EYE_LEFT).y, 1.0f);
   EXPECT_EQ(faceCreator.portrait->PartPositionGet(PORTRAIT_PART_EYE_RIGHT).y, 0.0f);
   // Choosing an option changes only the selected eye now.
   const i32 right = faceCreator.portrait->PartSpriteGet(PORTRAIT_PART_EYE_RIGHT);
   faceCreator.OptionChoose(3);
   EXPECT_EQ(faceCreator.portrait->PartSpriteGet(PORTRAIT_PART_EYE_LEFT), faceCreator.pageSprites[3]);
   EXPECT_EQ(faceCreator.portrait->PartSpriteGet(PORTRAIT_PART_EYE_RIGHT), right);
   Click("FaceCreator.Center");
   EXPECT_EQ(faceCreator.portrait->PartPositionGet(PORTRAIT_PART_EYE_LEFT).y, 0.0f);
   EXPECT_EQ(faceCreator.portrait->PartPositionGet(PORTRAIT_PART_EYE_RIGHT).x, 1.0f);
   // Body is always a pair.
   Click("FaceCreator.Body");
   Click("FaceCreator.Clear");
   EXPECT_EQ(faceCreator.portrait->PartSpriteGet(PORTRAIT_PART_BODY_FRONT), -1);
   EXPECT_EQ(faceCreator.portrait->PartSpriteGet(PORTRAIT_PART_BODY_BACK), -1);
}

TEST_F(FaceCreatorTest, RandomFacesDrawInAFixedOrder)
{
   Open();
   struct Case
   {
      i32 gender;
      const char* accessory;
      i32 draws;
   };
   // Neck, body, head, nose, eye: one draw each; mouth and eyebrows one and two for the
   // position; hair one, plus a fraction for a man; facial hair none for a woman (no options),
   // two for a man; the accessory one, plus a fraction unless its probability is 1.
   const Case cases[] = {{GENDER_FEMALE, "0.3", 14}, {GENDER_MALE, "0.3", 17}, {GENDER_MALE, "1", 16}};
   for (const Case& c : cases)
   {
      consts->ItemSet("FaceCreatorRandomAccessoryProbability", ProfileTest::TextParse(c.accessory));
      faceCreator.GenderSelect(c.gender);
      randomState0 = 0x1234;
      randomState1 = 0x5678;
      faceCreator.RandomFaceMake();
      const u32 end0 = randomState0, end1 = randomState1;
      EXPECT_EQ(DrawsBetween(0x1234, 0x5678, end0, end1), c.draws) << c.gender << " " << c.accessory;
      // Replaying the first draws gives the same neck and outfit.
      randomState0 = 0x1234;
      randomState1 = 0x5678;
      const i32 skin = faceCreator.portrait->skinType;
      const i32 neck = PortraitOptionSpriteGet(
          static_cast<i32>(RandomIntegerGet(PortraitOptionCountGet(PORTRAIT_PART_NECK, skin, c.gender))),
          PORTRAIT_PART_NECK, skin, c.gender);
      const i32 body = PortraitOptionSpriteGet(static_cast<i32>(RandomIntegerGet(PortraitOptionCountGet(
                                                   PORTRAIT_PART_BODY_FRONT, skin, c.gender))),
                                               PORTRAIT_PART_BODY_FRONT, skin, c.gender);
      EXPECT_EQ(faceCreator.portrait->PartSpriteGet(PORTRAIT_PART_NECK), neck);
      EXPECT_EQ(faceCreator.portrait->PartSpriteGet(PORTRAIT_PART_BODY_FRONT), body);
      EXPECT_EQ(faceCreator.portrait->PartSpriteGet(PORTRAIT_PART_BODY_BACK), body);
      EXPECT_EQ(faceCreator.portrait->PartSpriteGet(PORTRAIT_PART_HAIR_BACK),
                faceCreator.portrait->PartSpriteGet(PORTRAIT_PART_HAIR_FRONT));
      if (c.gender == GENDER_FEMALE)
      {
         EXPECT_EQ(faceCreator.portrait->PartSpriteGet(PORTRAIT_PART_FACIAL_HAIR), -1);
      }
      if (std::string(c.accessory) == "1")
      {
         EXPECT_NE(faceCreator.portrait->PartSpriteGet(PORTRAIT_PART_ACCESSORY_FRONT), -1);
      }
      // The eyes and eyebrows move as mirror pairs.
      EXPECT_EQ(faceCreator.portrait->PartPositionGet(PORTRAIT_PART_EYE_LEFT).x,
                -faceCreator.portrait->PartPositionGet(PORTRAIT_PART_EYE_RIGHT).x);
      // A random face counts as unchanged: leaving asks nothing.
      EXPECT_FALSE(faceCreator.FaceChangedCheck());
   }
   Click("FaceCreator.Exit");
   EXPECT_FALSE(Box());
   EXPECT_FALSE(Open(&faceCreator));
}

TEST_F(FaceCreatorTest, SavingTwiceStoresTwoFacesNewestFirst)
{
   Open();
   faceCreator.portrait->PartSet(PORTRAIT_PART_EYEBROW_LEFT, -1);
   faceCreator.portrait->PartSet(PORTRAIT_PART_EYEBROW_RIGHT, -1);
   WidgetPositionOffset(Point2F{12.5f, -3.0f}, faceCreator.portrait->PartWidgetGet(PORTRAIT_PART_NOSE));
   Click("FaceCreator.saveButton");
   Click("FaceCreator.saveButton");
   const JSONValue* faces = Entry()->ItemGet("Portraits");
   ASSERT_EQ(faces->CountGet(), 2);
   EXPECT_EQ(ProfileTest::TextWrite(faces->ElementGet(0)), ProfileTest::TextWrite(faces->ElementGet(1)));
   EXPECT_EQ(Entry()->ItemGet("PortraitIndex")->IntValueGet(), 0);
   EXPECT_EQ(faceCreator.currentFace, 0);
   EXPECT_EQ(FacePosition(0, "Nose"), "12.5|-3");
   EXPECT_EQ(faces->ElementGet(0)->ItemGet("Parts")->ItemGet("EyebrowLeft")->ItemGet("ID")->IntValueGet(),
             -1);
   // Reloaded: no eyebrows, and the nose where it was.
   PortraitWidget* again = MemoryNew<PortraitWidget>(HEAP_DEFAULT);
   again->InitWithoutSpecification(nullptr, nullptr);
   again->ProfilePortraitSet("Ann");
   EXPECT_EQ(again->PartSpriteGet(PORTRAIT_PART_EYEBROW_RIGHT), -1);
   EXPECT_EQ(again->PartPositionGet(PORTRAIT_PART_NOSE).x, 12.5f);
   again->Deinit();
   MemoryDelete(again);
}

TEST_F(FaceCreatorTest, UpdateRewritesTheLoadedFaceAndAddInsertsInFront)
{
   FacesSet(FacesText(5), 2);
   Open();
   faceCreator.portrait->PartSet(PORTRAIT_PART_MOUTH, 24);
   Click("FaceCreator.Exit");
   ASSERT_TRUE(Box());
   Answer("Yes");
   ASSERT_TRUE(Open(&customFaceAddUpdatePopup));
   Shown("FaceCreatorAddUpdateCancel");
   EXPECT_EQ(customFaceAddUpdatePopup.portraitOld->PartSpriteGet(PORTRAIT_PART_MOUTH), 19);
   EXPECT_EQ(customFaceAddUpdatePopup.portraitNew->PartSpriteGet(PORTRAIT_PART_MOUTH), 24);
   Click("FaceCreatorAddUpdateCancel.Panel.Update");
   EXPECT_EQ(Entry()->ItemGet("Portraits")->CountGet(), 5);
   EXPECT_EQ(FaceMouth(2), 24);
   // Saved, then the exit went on.
   EXPECT_FALSE(Open(&faceCreator));

   Open();
   faceCreator.portrait->PartSet(PORTRAIT_PART_MOUTH, 23);
   Click("FaceCreator.Exit");
   Answer("Yes");
   Click("FaceCreatorAddUpdateCancel.Panel.Add");
   ASSERT_EQ(Entry()->ItemGet("Portraits")->CountGet(), 6);
   EXPECT_EQ(FaceMouth(0), 23);
   EXPECT_EQ(FaceMouth(3), 24);
   EXPECT_EQ(Entry()->ItemGet("PortraitIndex")->IntValueGet(), 0);
}

TEST_F(FaceCreatorTest, TheSaveQuestionsNoAndCancel)
{
   FacesSet(FacesText(2), 0);
   Open();
   faceCreator.portrait->PartSet(PORTRAIT_PART_MOUTH, 24);
   Click("FaceCreator.Exit");
   Answer("Cancel");
   EXPECT_TRUE(Open(&faceCreator));
   EXPECT_EQ(faceCreator.portrait->PartSpriteGet(PORTRAIT_PART_MOUTH), 24);
   // Yes, then Cancel in the add/update popup: still open, nothing saved.
   Click("FaceCreator.Exit");
   Answer("Yes");
   Click("FaceCreatorAddUpdateCancel.Panel.Cancel");
   EXPECT_TRUE(Open(&faceCreator));
   EXPECT_EQ(FaceMouth(0), 17);
   // No: closes without saving.
   Click("FaceCreator.Exit");
   Answer("No");
   EXPECT_FALSE(Open(&faceCreator));
   EXPECT_EQ(FaceMouth(0), 17);
   EXPECT_EQ(Entry()->ItemGet("Portraits")->CountGet(), 2);

   // Random after a change asks, and "No" makes the random face.
   Open();
   faceCreator.portrait->PartSet(PORTRAIT_PART_MOUTH, 22);
   Click("FaceCreator.randomButton");
   ASSERT_TRUE(Box());
   Answer("No");
   EXPECT_FALSE(faceCreator.FaceChangedCheck());
}

TEST_F(FaceCreatorTest, FaceSelectPagesLoadsAndDeletes)
{
   FacesSet(FacesText(7), 0);
   Open();
   Click("FaceCreator.loadButton");
   ASSERT_TRUE(Open(&faceSelectPopup));
   Shown("FaceSelect");
   EXPECT_EQ(faceSelectPopup.pageCount, 2);
   for (i32 slot = 0; slot < FACE_SELECT_PAGE_SIZE; ++slot)
   {
      EXPECT_TRUE(faceSelectPopup.optionButtons[slot]->EnabledCheck());
   }
   Click("FaceSelect.Panel.PageNext");
   EXPECT_EQ(faceSelectPopup.page, 1);
   EXPECT_TRUE(faceSelectPopup.optionButtons[0]->EnabledCheck());
   EXPECT_FALSE(faceSelectPopup.optionButtons[1]->EnabledCheck());
   Click("FaceSelect.Panel.FaceOption0.Button");
   EXPECT_EQ(faceSelectPopup.selectedFace, 6);
   EXPECT_TRUE(faceSelectPopup.selectionSprite->VisibleCheck());
   Click("FaceSelect.Panel.Load");
   EXPECT_FALSE(Open(&faceSelectPopup));
   EXPECT_EQ(faceCreator.currentFace, 6);
   EXPECT_EQ(faceCreator.portrait->PartSpriteGet(PORTRAIT_PART_MOUTH), 17 + 6 % 8);
   EXPECT_EQ(Entry()->ItemGet("PortraitIndex")->IntValueGet(), 6);

   // Deleting the last face while it is selected selects the new last one.
   Click("FaceCreator.loadButton");
   Click("FaceSelect.Panel.Delete");
   EXPECT_EQ(Entry()->ItemGet("Portraits")->CountGet(), 6);
   EXPECT_EQ(faceSelectPopup.selectedFace, 5);
   // The deleted face was the one being edited: it is no longer saved anywhere.
   EXPECT_EQ(faceCreator.currentFace, -1);
   Click("FaceSelect.Panel.Cancel");
}

TEST_F(FaceCreatorTest, DeletingAnEarlierFaceKeepsUpdateOnTheEditedFace)
{
   FacesSet(FacesText(4), 2);
   Open();
   Click("FaceCreator.loadButton");
   Click("FaceSelect.Panel.FaceOption0.Button");
   Click("FaceSelect.Panel.Delete");
   EXPECT_EQ(faceCreator.currentFace, 1);
   EXPECT_EQ(Entry()->ItemGet("PortraitIndex")->IntValueGet(), 1);
   Click("FaceSelect.Panel.Cancel");
   // The edited face (mouth 19, now element 1) is rewritten, not the face that moved into 2.
   faceCreator.portrait->PartSet(PORTRAIT_PART_MOUTH, 24);
   Click("FaceCreator.Exit");
   Answer("Yes");
   Click("FaceCreatorAddUpdateCancel.Panel.Update");
   EXPECT_EQ(FaceMouth(1), 24);
   EXPECT_EQ(FaceMouth(2), 20);
}

TEST_F(FaceCreatorTest, TheOnlyFaceCannotBeDeleted)
{
   FacesSet(FacesText(1), 0);
   Open();
   Click("FaceCreator.loadButton");
   Click("FaceSelect.Panel.Delete");
   MessageBoxPopup* box = Box();
   ASSERT_TRUE(box);
   EXPECT_STREQ(box->layerName, "MessageBoxOK");
   EXPECT_STREQ(box->text, "CanNotDeleteFace");
   EXPECT_EQ(Entry()->ItemGet("Portraits")->CountGet(), 1);
}

TEST_F(FaceCreatorTest, ASeededRandomFaceIsDrawn)
{
   Open();
   randomState0 = 2026;
   randomState1 = 1210;
   Click("FaceCreator.Hair");
   Click("FaceCreator.randomButton");
   std::vector<u8> frame = Shown("FaceCreator");
   // The face's skin in the middle of the main portrait, and previews lit in the first slot.
   const Point2F at = faceCreator.portrait->PositionAbsoluteGet();
   const Pixel cheek = At(frame, static_cast<int>(at.x + 128), static_cast<int>(at.y + 150));
   EXPECT_GT(cheek.r + cheek.g + cheek.b, 200);
   int distinct = 0;
   Pixel previous{};
   for (int x = 0; x < 960; x += 7)
   {
      const Pixel p = At(frame, x, 200);
      distinct += p.r != previous.r || p.g != previous.g || p.b != previous.b ? 1 : 0;
      previous = p;
   }
   EXPECT_GT(distinct, 40);
}
} // namespace
