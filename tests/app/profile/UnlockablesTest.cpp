// Unlocked items and their messages: what an unlock stores and queues, and the frame's serving of
// the queue, one message box at a time, in the order of the unlocks.
#include "app/profile/Unlockables.h"

#include <optional>

#include "app/profile/MessageBoxItemUnlockPopup.h"
#include "app/profile/ProfileStore.h"
#include "core/TextManager.h"
#include "gui/popup/PopupManager.h"
#include "gui/widgets/TextDocumentWidget.h"
#include "tests/app/profile/ProfileTestSupport.h"
#include "tests/gui/GUIManagerTestSupport.h"
#include "tests/gui/LabelTestSupport.h"

using namespace GUIManagerTest;
using LabelTest::FixedFont;

namespace
{
const char* unlockConsts =
    R"({"ItemTypeUnlockMessages": {"Song": "SongUnlocked", "Background": "BackgroundUnlocked",
   "CardBackStyle": 4}, "ItemNameTextKeyPrefixes": {"Song": "Song", "CardBackStyle": "CardBackStyle"}})";

const char* boxLayer = R"({"Children": [{"Type": "Container", "Name": "Panel", "Bounds": "0|0|960|720", %s
   "Children": [
      {"Type": "TextDocument", "Name": "Text", "Bounds": "0|0|400|100", "ClipContainer": {"ClipArea": "0|0|400|100"}},
      {"Type": "TextDocument", "Name": "ItemText", "Bounds": "0|0|400|100", "ClipContainer": {"ClipArea": "0|0|400|100"}},
      {"Type": "PressButton", "Name": "OK", "PositionOffset": "0|200", "Bounds": "0|0|100|40"}]}]})";

std::string Layer(const char* transitions)
{
   char text[2048];
   std::snprintf(text, sizeof(text), boxLayer, transitions);
   return text;
}

// The queue, oldest first, as "message/item" texts.
std::string QueueGet()
{
   std::string text;
   for (i32 i = unlockMessages.count - 1; i >= 0; i--)
   {
      const UnlockMessage& message = unlockMessages[i];
      text += std::string(text.empty() ? "" : " ") + message.messageKey + "/" +
              (message.itemNameKey ? message.itemNameKey : "-");
   }
   return text;
}

class Unlockables : public GUIManagerFixture
{
 protected:
   void SetUp() override
   {
      GUIManagerFixture::SetUp();
      PopupManager::Init();
      GUIManager::root->FontSet(&font);
      LayerWrite("MessageBoxOKUnlock", Layer(R"("Transitions": {"Enter": {"Type": "FromTop", "Duration": 100},
         "Exit": {"Type": "ToTop", "Duration": 100}},)"));
      LayerWrite("MessageBoxOKUnlockNamed", Layer(""));
      LayerWrite("GameBox", Layer(""));
      saveFolder.emplace("unlock");
      saveManager.BaseFolderSet(saveFolder->Base().c_str());
      fileManagerPersistence = &saveManager;
      consts = ProfileTest::TextParse(unlockConsts);
      settings = ProfileTest::TextParse("{}");
      ProfileLoad("Ada");
      GameStateManager::switchPending = 0;
      quitRequested = false;
   }

   void TearDown() override
   {
      ProfileTest::ProfileStoreRelease();
      PopupManager::Deinit();
      GUIManager::root->FontSet(nullptr);
      GUIManagerFixture::TearDown();
      saveFolder.reset();
   }

   static void Tick(u32 elapsed)
   {
      UnlockMessagesServe();
      GUIManager::Update(elapsed);
      PopupManager::Update(elapsed);
   }

   // The one open box, or null; fails the test when there are more.
   static MessageBoxPopup* BoxGet()
   {
      EXPECT_LE(PopupManager::popups.count, 1);
      return PopupManager::popups.count ? dynamic_cast<MessageBoxPopup*>(PopupManager::popups[0]) : nullptr;
   }

   static std::string DocumentKeyGet(MessageBoxPopup* box, const char* path)
   {
      auto* document = dynamic_cast<TextDocumentWidget*>(box->layer->DescendantGetByPath(path));
      return document && document->TextKeyGet() ? document->TextKeyGet() : "-";
   }

   // "<layer> <text key> <item key>" of the box that shows.
   static std::string BoxDescribe(MessageBoxPopup* box)
   {
      if (!box || !box->layer)
      {
         return "none";
      }
      return std::string(box->layerName) + " " + DocumentKeyGet(box, "Panel.Text") + " " +
             DocumentKeyGet(box, "Panel.ItemText");
   }

   FixedFont font;
   std::optional<TestSupport::TempFolder> saveFolder;
   FileManagerStdio saveManager;
};
} // namespace

TEST_F(Unlockables, AnUnlockStoresTheItemAndQueuesItsMessageOnce)
{
   ItemUnlock("Song", "Night");
   ItemUnlock("Song", "Night");
   ItemUnlock("Background", "Felt");
   ItemUnlock("CardBackStyle", "Blue");
   ItemUnlock("CardFrontStyle", "Large");
   ItemUnlockByNumber("Song", 7);
   ItemUnlockByNumber("Song", 7);
   EXPECT_EQ(QueueGet(), "SongUnlocked/SongNight BackgroundUnlocked/- SongUnlocked/-");
   EXPECT_EQ(ProfileTest::TextWrite(profileCurrent->ItemGet("Unlockables")),
             ProfileTest::Canonical(R"({"Background": {"Felt": true}, "CardBackStyle": {"Blue": true},
                "CardFrontStyle": {"Large": true}, "Song": {"7": true, "Night": true}})"));
   EXPECT_TRUE(SongUnlockedCheck("Night"));
   EXPECT_TRUE(ItemUnlockedCheck("Background", "Felt"));
}

TEST_F(Unlockables, AnItemCountsUnlockedForATrueOrANumberOtherThanZero)
{
   MemoryDelete(profileCurrent);
   profileCurrent =
       ProfileTest::TextParse(R"({"Unlockables": {"Song": {"A": true, "B": 1, "C": 0, "D": "yes"},
      "CardFrontStyle": {"Large": 2}, "CardBackStyle": [], "Background": {"Felt": false}}})");
   struct Case
   {
      bool (*check)(const char*);
      const char* name;
      bool unlocked;
   };
   const Case cases[] = {
       {&SongUnlockedCheck, "A", true},
       {&SongUnlockedCheck, "B", true},
       {&SongUnlockedCheck, "C", false},
       {&SongUnlockedCheck, "D", false},
       {&SongUnlockedCheck, nullptr, false},
       {&CardFrontStyleUnlockedCheck, "Large", true},
       {&CardBackStyleUnlockedCheck, "Large", false},
   };
   for (const Case& c : cases)
   {
      EXPECT_EQ(c.check(c.name), c.unlocked) << (c.name ? c.name : "null");
   }
   EXPECT_FALSE(ItemUnlockedCheck("Background", "Felt"));
   ItemUnlock("Song", "B");
   ItemUnlock("Song", "C");
   ItemUnlock("CardBackStyle", "Blue");
   EXPECT_EQ(QueueGet(), "SongUnlocked/SongC");
   EXPECT_TRUE(UnlockablesTypeGet("CardBackStyle")) << "a mistyped type becomes an object";

   ProfileLoad(nullptr);
   EXPECT_FALSE(SongUnlockedCheck("A"));
   EXPECT_FALSE(UnlockablesTypeGetOrAdd("Song"));
   ItemUnlock("Song", "E");
   EXPECT_EQ(unlockMessages.count, 1);
}

TEST_F(Unlockables, MessagesShowOneBoxAtATimeInTheOrderOfTheUnlocks)
{
   ItemUnlock("Song", "Night");
   ItemUnlock("Background", "Felt");
   Tick(16);
   MessageBoxPopup* first = BoxGet();
   ASSERT_TRUE(dynamic_cast<MessageBoxItemUnlockPopup*>(first));
   EXPECT_EQ(BoxDescribe(first), "MessageBoxOKUnlockNamed SongUnlocked SongNight");
   Tick(16);
   Tick(16);
   EXPECT_EQ(BoxGet(), first) << "one box at a time";

   MessageBoxPopup::OnOKClick(nullptr, first);
   EXPECT_EQ(QueueGet(), "BackgroundUnlocked/-");
   Tick(16);
   Tick(16);
   MessageBoxPopup* second = BoxGet();
   ASSERT_TRUE(second);
   EXPECT_FALSE(dynamic_cast<MessageBoxItemUnlockPopup*>(second));
   EXPECT_EQ(BoxDescribe(second), "MessageBoxOKUnlock BackgroundUnlocked -");
   Tick(200);
   MessageBoxPopup::OnOKClick(nullptr, second);
   for (int i = 0; i < 20 && PopupManager::popups.count; i++)
   {
      Tick(50);
   }
   EXPECT_EQ(PopupManager::popups.count, 0);
   EXPECT_EQ(unlockMessages.count, 0);
}

TEST_F(Unlockables, MessagesWaitForOtherBoxesStateSwitchesAndQuitting)
{
   ItemUnlock("Song", "Night");
   MessageBoxPopup* gameBox = MessageBoxPopup::Show("GameOver", "GameBox");
   ASSERT_TRUE(gameBox);
   Tick(16);
   EXPECT_EQ(PopupManager::popups.count, 1) << "a game's own box holds the message";
   MessageBoxPopup::OnOKClick(nullptr, gameBox);
   Tick(16);
   ASSERT_EQ(PopupManager::popups.count, 0);

   GameStateManager::switchPending = 1;
   Tick(16);
   EXPECT_EQ(PopupManager::popups.count, 0);
   GameStateManager::switchPending = 0;
   quitRequested = true;
   Tick(16);
   EXPECT_EQ(PopupManager::popups.count, 0);
   quitRequested = false;

   // A box closed by a state switch ran no OK: its message shows again in the new state.
   Tick(16);
   ASSERT_EQ(PopupManager::popups.count, 1);
   PopupManager::OnGameStatePostDeinit();
   EXPECT_EQ(PopupManager::popups.count, 0);
   EXPECT_EQ(QueueGet(), "SongUnlocked/SongNight");
   Tick(16);
   EXPECT_EQ(BoxDescribe(BoxGet()), "MessageBoxOKUnlockNamed SongUnlocked SongNight");
}

TEST_F(Unlockables, TheNamedBoxShowsAnItemKeySetAfterItOpened)
{
   ItemUnlock("Song", "Night");
   Tick(16);
   auto* box = dynamic_cast<MessageBoxItemUnlockPopup*>(BoxGet());
   ASSERT_TRUE(box);
   box->ItemTextSet("SongDawn");
   EXPECT_EQ(BoxDescribe(box), "MessageBoxOKUnlockNamed SongUnlocked SongDawn");
   box->ItemTextSet(box->itemTextKey);
   EXPECT_STREQ(box->itemTextKey, "SongDawn");
   box->ItemTextSet(nullptr);
   EXPECT_FALSE(box->itemTextKey);
}
