// Popups and their manager: the layer wired before its enter transition, closes that wait for
// every transition, closes asked for during the frame walk, a popup listed twice, closing all,
// the events the manager follows, and heap-owned popups freed through their own class.
#include "gui/popup/PopupManager.h"

#include <functional>

#include "tests/gui/GUIManagerTestSupport.h"
#include "gui/popup/Popup.h"

using namespace GUIManagerTest;

namespace
{
std::string popupJournal;
i32 popupsDestroyed = 0;

// A popup that notes every call as "<tag>.<call> " and lets a test act from inside its Update.
class JournalPopup : public Popup
{
 public:
   explicit JournalPopup(const char* name) : tag(name) {}
   ~JournalPopup() override { popupsDestroyed++; }

   void LayerInit(LayerWidget* pushedLayer) override
   {
      Note("LayerInit");
      layerSeen = pushedLayer;
      transitionsAtLayerInit = GUIManager::transitionsRunning;
   }
   void Deinit() override
   {
      Note("Deinit");
      Popup::Deinit();
   }
   void Update(u32 elapsed) override
   {
      Note("Update");
      if (onUpdate)
      {
         onUpdate(this);
      }
      Popup::Update(elapsed);
   }
   void TextsRefresh() override { Note("Texts"); }

   void Note(const char* call) { popupJournal += tag + "." + call + " "; }

   std::string tag;
   std::function<void(JournalPopup*)> onUpdate;
   LayerWidget* layerSeen = nullptr;
   i32 transitionsAtLayerInit = -1;
};

// A panel that slides in over 100 ms and out over 100 ms, or away to the left over 300 ms.
const char* slidingLayer = R"({"Children": [{"Type": "Probe", "Name": "Panel", "Bounds": "0|0|100|100",
   "Transitions": {"Enter": {"Type": "FromTop", "Duration": 100},
                   "Exit": {"Type": "ToTop", "Duration": 100},
                   "Away": {"Type": "ToLeft", "Duration": 300}}}]})";

class PopupTest : public GUIManagerFixture
{
 protected:
   void SetUp() override
   {
      GUIManagerFixture::SetUp();
      PopupManager::Init();
      popupJournal.clear();
      popupsDestroyed = 0;
      LayerWrite("Slide", slidingLayer);
   }

   void TearDown() override
   {
      PopupManager::Deinit();
      EXPECT_EQ(PopupManager::popups.count, 0);
      EXPECT_EQ(PopupManager::iterating, 0);
      GUIManagerFixture::TearDown();
   }

   // A heap-owned popup, with a layer when a name is given.
   static JournalPopup* Make(const char* tag, const char* layerName = nullptr)
   {
      JournalPopup* popup = MemoryNew<JournalPopup>(HEAP_DEFAULT, tag);
      popup->heapOwned = 1;
      if (layerName)
      {
         NultStrncpy(popup->layerName, layerName, sizeof(popup->layerName));
         popup->hasLayer = 1;
      }
      return popup;
   }

   // One frame of the program as far as popups care: the GUI, then the popups.
   static void Tick(u32 elapsed)
   {
      GUIManager::Update(elapsed);
      PopupManager::Update(elapsed);
   }
};

TEST_F(PopupTest, TheLayerIsWiredBeforeItsEnterAndThePopupLeavesOnlyAfterItsExit)
{
   JournalPopup* popup = Make("A", "Slide");
   PopupManager::Open(popup);
   ASSERT_NE(popup->layer, nullptr);
   EXPECT_EQ(popup->layerSeen, popup->layer);
   EXPECT_EQ(GUIManager::root->ChildLastGet(), popup->layer);
   EXPECT_EQ(popup->transitionsAtLayerInit, 0) << "LayerInit ran after the enter transition started";
   EXPECT_EQ(GUIManager::transitionsRunning, 1);
   EXPECT_EQ(PopupManager::IndexGet(popup), 0);
   EXPECT_FALSE(popup->ClosingCheck());
   Tick(60);
   Tick(60);
   ASSERT_EQ(GUIManager::transitionsRunning, 0);

   popup->Close(true);
   EXPECT_TRUE(popup->ClosingCheck());
   EXPECT_EQ(GUIManager::transitionsRunning, 1);
   // A second request while closing changes nothing: the exit is not restarted.
   Tick(60);
   popup->Close(true);
   EXPECT_EQ(GUIManager::transitionsRunning, 1);
   Tick(30);
   EXPECT_EQ(PopupManager::IndexGet(popup), 0) << "left while its exit transition ran";
   EXPECT_EQ(popupsDestroyed, 0);
   Tick(30);
   EXPECT_EQ(PopupManager::IndexGet(popup), -1);
   EXPECT_EQ(popupsDestroyed, 1);
   EXPECT_EQ(popupJournal, "A.LayerInit A.Update A.Update A.Update A.Update A.Update A.Deinit ");
   // The layer leaves the tree with the popup.
   GUIManager::Update(0);
   EXPECT_EQ(GUIManager::root->ChildCountGet(), 0);
   EXPECT_EQ(GUIManager::LayerNameCountGet("Slide"), 0);
}

TEST_F(PopupTest, CustomTransitionNamesStandInForEnterAndExit)
{
   JournalPopup* popup = Make("A", "Slide");
   popup->customEnter = 1;
   NultStrncpy(popup->enterTransition, "Appear", sizeof(popup->enterTransition));
   popup->customExit = 1;
   NultStrncpy(popup->exitTransition, "Away", sizeof(popup->exitTransition));
   PopupManager::Open(popup);
   EXPECT_EQ(GUIManager::transitionsRunning, 0) << "the layer has no \"Appear\", so nothing enters";

   popup->Close(true);
   EXPECT_EQ(GUIManager::transitionsRunning, 1);
   Tick(150);
   EXPECT_EQ(PopupManager::IndexGet(popup), 0) << "\"Exit\" ran instead of \"Away\"";
   Tick(160);
   EXPECT_EQ(PopupManager::IndexGet(popup), -1);
}

TEST_F(PopupTest, APopupWithoutLayerShowsNothingAndItsCloseWaitsForEveryTransition)
{
   JournalPopup* bare = Make("Bare");
   JournalPopup* lost = Make("Lost", "Nowhere");
   LogCapture log;
   PopupManager::Open(bare);
   PopupManager::Open(lost);
   EXPECT_TRUE(log.Has("GUIManager::Push -- GUI layer not found: \"Nowhere\"\n"));
   EXPECT_EQ(bare->layer, nullptr);
   EXPECT_EQ(lost->layer, nullptr);
   EXPECT_EQ(GUIManager::root->ChildCountGet(), 0);
   EXPECT_EQ(popupJournal, "") << "LayerInit ran without a layer";

   // Another popup's enter transition holds both closes back: any running transition counts.
   JournalPopup* sliding = Make("S", "Slide");
   PopupManager::Open(sliding);
   bare->Close(true);
   lost->Close(true);
   Tick(50);
   EXPECT_EQ(PopupManager::popups.count, 3);
   Tick(60);
   EXPECT_EQ(PopupManager::popups.count, 1);
   EXPECT_EQ(PopupManager::IndexGet(sliding), 0);
   EXPECT_EQ(popupsDestroyed, 2);
}

TEST_F(PopupTest, ClosesAskedForDuringTheWalkWaitForItsEnd)
{
   JournalPopup* a = Make("A");
   JournalPopup* b = Make("B");
   JournalPopup* c = Make("C");
   JournalPopup* d = Make("D");
   bool cListedDuringWalk = false;
   a->onUpdate = [&](JournalPopup* self)
   {
      PopupManager::Close(c);
      self->Close(false);
      cListedDuringWalk = PopupManager::IndexGet(c) == 2 && self->ClosingCheck();
      self->onUpdate = nullptr;
   };
   b->onUpdate = [&](JournalPopup* self)
   {
      PopupManager::Open(d);
      self->onUpdate = nullptr;
   };
   for (JournalPopup* popup : {a, b, c})
   {
      PopupManager::Open(popup);
   }

   PopupManager::Update(16);
   EXPECT_TRUE(cListedDuringWalk);
   // C was marked before its turn and is skipped; D joined during the walk and waits a frame.
   EXPECT_EQ(popupJournal, "A.Update B.Update A.Deinit C.Deinit ");
   EXPECT_EQ(popupsDestroyed, 2);
   ASSERT_EQ(PopupManager::popups.count, 2);
   EXPECT_EQ(PopupManager::IndexGet(b), 0);
   EXPECT_EQ(PopupManager::IndexGet(d), 1);
   EXPECT_EQ(b->removalPending, 0);

   // Closing everything from inside the walk marks all; the rest of the walk skips them.
   popupJournal.clear();
   b->onUpdate = [](JournalPopup*) { PopupManager::CloseAll(); };
   PopupManager::Update(16);
   EXPECT_EQ(popupJournal, "B.Update B.Deinit D.Deinit ");
   EXPECT_EQ(PopupManager::popups.count, 0);
   EXPECT_EQ(popupsDestroyed, 4);
}

TEST_F(PopupTest, APopupListedTwiceLeavesBothPlacesWithOneDeinit)
{
   JournalPopup twice("P");
   JournalPopup other("Q");
   PopupManager::Open(&twice);
   PopupManager::Open(&other);
   PopupManager::popups.Insert(&twice, PopupManager::popups.count);

   PopupManager::Close(&twice);
   EXPECT_EQ(popupJournal, "P.Deinit ");
   ASSERT_EQ(PopupManager::popups.count, 1);
   EXPECT_EQ(PopupManager::popups[0], &other);
   EXPECT_EQ(PopupManager::IndexGet(&twice), -1);
   EXPECT_EQ(PopupManager::IndexGet(nullptr), -1);
   EXPECT_EQ(popupsDestroyed, 0) << "a popup that is not heap-owned was freed";

   PopupManager::Close(nullptr);
   PopupManager::Close(&other);
   EXPECT_EQ(PopupManager::popups.count, 0);
}

TEST_F(PopupTest, TheManagerFollowsLanguageAndStateChangesUntilItIsDeinitialised)
{
   for (const char* tag : {"A", "B", "C"})
   {
      PopupManager::Open(Make(tag));
   }
   Event::Trigger("OnLanguageChange", nullptr);
   EXPECT_EQ(popupJournal, "A.Texts B.Texts C.Texts ");

   // Leaving a game state closes every popup, the newest first.
   popupJournal.clear();
   Event::Trigger("GameStatePostDeinit", nullptr);
   EXPECT_EQ(popupJournal, "C.Deinit B.Deinit A.Deinit ");
   EXPECT_EQ(popupsDestroyed, 3);

   // Deinit closes what is still open and stops listening.
   JournalPopup* last = Make("D");
   PopupManager::Open(last);
   popupJournal.clear();
   PopupManager::Deinit();
   EXPECT_EQ(popupJournal, "D.Deinit ");
   EXPECT_EQ(popupsDestroyed, 4);
   JournalPopup quiet("E");
   PopupManager::popups.Insert(&quiet, 0);
   popupJournal.clear();
   Event::Trigger("OnLanguageChange", nullptr);
   Event::Trigger("GameStatePostDeinit", nullptr);
   EXPECT_EQ(popupJournal, "");
   PopupManager::popups.SizeSet(0);

   // A second Init listens once, not twice.
   PopupManager::Init();
   PopupManager::Init();
   PopupManager::Open(&quiet);
   Event::Trigger("OnLanguageChange", nullptr);
   EXPECT_EQ(popupJournal, "E.Texts ");
   PopupManager::Close(&quiet);
}
} // namespace
