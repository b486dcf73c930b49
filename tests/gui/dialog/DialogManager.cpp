// The dialog manager against a running sound manager and a small text tree: speech or balloon
// text per language, the speaker's talking, group rotation, replays on a language change, and the
// balloon's life inside its container.
#include "tests/platform/SoundTestSupport.h"

#include "tests/core/JSONTestSupport.h"
#include "tests/gui/DialogTestSupport.h"
#include "core/Random.h"
#include "core/TextManager.h"
#include "gui/dialog/DialogManager.h"
#include "gui/dialog/DialogPortraitWidget.h"
#include "gui/GUIManager.h"

using namespace CorvaleTest;
using DialogTest::FixedFont;
using DialogTest::LineText;

namespace
{
// Counts what the manager asks of a face.
class StandInPortrait : public DialogPortraitWidget
{
 public:
   void TalkStart() override
   {
      starts++;
      talking = true;
   }
   void TalkStop() override
   {
      stops++;
      talking = false;
   }

   int starts = 0;
   int stops = 0;
   bool talking = false;
};

const std::string LONG_NAME(64, 'n');

Bytes TextBytes(const std::string& text)
{
   return Bytes(text.begin(), text.end());
}

class DialogManagerTest : public SoundFixture
{
 protected:
   void SetUp() override
   {
      SoundFixture::SetUp();
      DialogTest::SystemClickSet(false);
      GUIManager::initialised = 1;
      GUIManager::removedChain = nullptr;
      folder.Write("Text/English/DialogText.json",
                   TextBytes(R"({"HelloText": "Hello there", "PlainText": "Plain words",
                                 "OtherText": "Other words"})"));
      folder.Write("Text/French/DialogText.json",
                   TextBytes(R"({"HelloText": "Bonjour", "PlainText": "Mots simples",
                                 "OtherText": "Autres mots"})"));
      folder.Write("Speech/English/hello.snd", StreamMake(100));
      textManager.LanguageSet(&language);
      textManager.FileNameAppend("DialogText");
      textManager.Init();
      textManager.OnLanguageChange();

      constants = JSONTest::TextParse(R"({
         "DialogGroups": {"Three": ["a", "b", "c"], "Empty": [], "NotArray": "x", "Mixed": [1, "b"]},
         "Dialogs": {
            "Hello": {"Speech": "hello", "TextKey": "HelloText"},
            "Plain": {"TextKey": "PlainText"},
            "Other": {"TextKey": "OtherText"},
            "Mute": {"TextKey": "Missing"},
            "Broken": "not an object",
            ")" + LONG_NAME + R"(": {"TextKey": "PlainText"}
         },
         "DialogWidget": {"TextBounds": "0|0|300|64"}
      })");
      ASSERT_TRUE(constants);
      container = MemoryNew<ContainerWidget>(HEAP_DEFAULT);
      container->InitWithoutSpecification("DialogContainer", nullptr);
      container->FontSet(&font);
      manager.Init(constants.get(), &language);
      manager.position = Point2F{100.0f, 50.0f};
      manager.WidgetAdd(container);
   }

   void TearDown() override
   {
      manager.Deinit();
      container->Deinit();
      MemoryDelete(container);
      GUIManager::RemovedWidgetsDestroy();
      GUIManager::initialised = 0;
      textManager.Deinit();
      SoundFixture::TearDown();
   }

   void LanguageChange(u32 index)
   {
      language = index;
      Event::SystemUpdate();
      Event::Trigger("OnLanguageChange", nullptr);
   }

   bool SpeechPlaying() { return manager.speechSource->StreamActiveCheck(); }

   u32 language = 0;
   FixedFont font{10.0f, 12.0f, 4.0f};
   JSONTest::ValuePointer constants;
   ContainerWidget* container = nullptr;
   DialogManager manager;
};

TEST_F(DialogManagerTest, GroupsRotateFromARandomStart)
{
   manager.Deinit();
   randomState0 = 12345;
   randomState1 = 67890;
   // Groups are met in key order; only non-empty arrays draw a start.
   RandomIntegerGet(2);
   const u32 start = RandomIntegerGet(3);
   randomState0 = 12345;
   randomState1 = 67890;
   manager.Init(constants.get(), &language);

   const char* names[] = {"a", "b", "c"};
   for (u32 i = 0; i < 4; i++)
   {
      const char* got = manager.GroupDialogNameGet("Three");
      ASSERT_NE(got, nullptr);
      EXPECT_STREQ(got, names[(start + i) % 3]);
   }

   *manager.groupCounters.Find("Three")->value = 2;
   for (const char* expected : {"c", "a", "b", "c"})
   {
      EXPECT_STREQ(manager.GroupDialogNameGet("Three"), expected);
   }

   for (const char* group : {static_cast<const char*>(nullptr), "Empty", "NotArray", "Nope"})
   {
      EXPECT_EQ(manager.GroupDialogNameGet(group), nullptr) << (group ? group : "null");
   }
   *manager.groupCounters.Find("Mixed")->value = 0;
   EXPECT_EQ(manager.GroupDialogNameGet("Mixed"), nullptr) << "a number is not a dialog name";
   EXPECT_STREQ(manager.GroupDialogNameGet("Mixed"), "b");
}

TEST_F(DialogManagerTest, SpeechWhereTheLanguageHasItTextWhereItDoesNot)
{
   ASSERT_NE(manager.balloon, nullptr);
   StandInPortrait portrait;
   manager.DialogPlay("Hello", &portrait);
   EXPECT_FALSE(manager.IdleCheck()) << "busy from the frame the line was asked for";
   EXPECT_TRUE(WaitFor([&] { return SpeechPlaying(); }));
   EXPECT_EQ(manager.balloon->StateGet(), DIALOG_STATE_EMPTY) << "no text while speaking";
   EXPECT_TRUE(portrait.talking);
   EXPECT_EQ(portrait.dialogManager, &manager);
   EXPECT_FALSE(manager.IdleCheck());
   manager.Update();
   EXPECT_TRUE(portrait.talking);

   // A click skips the speech and the portrait rests.
   DialogTest::SystemClickSet(true);
   manager.Update();
   DialogTest::SystemClickSet(false);
   manager.Update();
   EXPECT_FALSE(SpeechPlaying());
   EXPECT_FALSE(portrait.talking);
   EXPECT_TRUE(manager.IdleCheck());

   LanguageChange(1);
   StandInPortrait french;
   manager.DialogPlay("Hello", &french);
   EXPECT_FALSE(SpeechPlaying());
   EXPECT_EQ(manager.balloon->StateGet(), DIALOG_STATE_REVEALING);
   EXPECT_EQ(LineText(manager.balloon, 0), "Bonjour");
   EXPECT_TRUE(french.talking);
   EXPECT_FALSE(manager.IdleCheck());
   DialogTest::RevealToRest(manager.balloon);
   manager.Update();
   EXPECT_FALSE(french.talking) << "the portrait rests once the text is out";
   manager.Stop();
   EXPECT_TRUE(manager.IdleCheck());
}

TEST_F(DialogManagerTest, ALanguageChangeReplaysTheVisibleLine)
{
   manager.DialogPlay("Plain", nullptr);
   manager.balloon->Update(20);
   manager.balloon->Update(20);
   EXPECT_EQ(LineText(manager.balloon, 0), "Plain words");

   LanguageChange(1);
   EXPECT_EQ(LineText(manager.balloon, 0), "Mots simples");
   EXPECT_EQ(manager.balloon->LineCountGet(), 1);
   EXPECT_EQ(manager.balloon->revealBytes, 0) << "replayed from its start";
   EXPECT_EQ(manager.balloon->StateGet(), DIALOG_STATE_REVEALING);

   // Once the balloon is empty a change shows nothing again.
   manager.balloon->TextClear();
   LanguageChange(0);
   EXPECT_EQ(manager.balloon->LineCountGet(), 0);
}

TEST_F(DialogManagerTest, ANewLineStopsTheOneBeforeAtOnce)
{
   StandInPortrait first;
   StandInPortrait second;
   manager.DialogPlay("Plain", &first);
   manager.DialogPlay("Other", &second);
   EXPECT_EQ(manager.balloon->LineCountGet(), 1);
   EXPECT_EQ(LineText(manager.balloon, 0), "Other words");
   EXPECT_FALSE(first.talking);
   EXPECT_EQ(first.dialogManager, nullptr);
   EXPECT_EQ(manager.speaker, &second);
   EXPECT_STREQ(manager.currentDialogName, "Other");

   // Speech, too, is cut off by the next line.
   manager.DialogPlay("Hello", nullptr);
   ASSERT_TRUE(WaitFor([&] { return SpeechPlaying(); }));
   manager.DialogPlay("Plain", nullptr);
   EXPECT_FALSE(SpeechPlaying());
   EXPECT_EQ(LineText(manager.balloon, 0), "Plain words");
}

TEST_F(DialogManagerTest, LinesThatCannotBePlayedLeaveEverythingAlone)
{
   StandInPortrait portrait;
   const struct
   {
      const char* name;
      const char* why;
   } cases[] = {
       {nullptr, "no name"},
       {"Nope", "not in the constants"},
       {"Broken", "not an object"},
       {"Mute", "no text for its key"},
       {LONG_NAME.c_str(), "a name of 64 bytes"},
   };
   for (const auto& test : cases)
   {
      manager.DialogPlay(test.name, &portrait);
      EXPECT_EQ(manager.balloon->StateGet(), DIALOG_STATE_EMPTY) << test.why;
      EXPECT_EQ(portrait.starts, 0) << test.why;
      EXPECT_EQ(manager.speaker, nullptr) << test.why;
      EXPECT_FALSE(SpeechPlaying()) << test.why;
   }
   EXPECT_STREQ(manager.currentDialogName, "");
   EXPECT_TRUE(log.Contains("NultStrncpy -- truncation"));
}

TEST_F(DialogManagerTest, APortraitThatGoesWhileSpeakingLeavesTheManager)
{
   StandInPortrait* portrait = MemoryNew<StandInPortrait>(HEAP_DEFAULT);
   portrait->InitWithoutSpecification("Portrait", nullptr);
   manager.DialogPlay("Plain", portrait);
   ASSERT_EQ(manager.speaker, portrait);
   portrait->Deinit();
   MemoryDelete(portrait);
   EXPECT_EQ(manager.speaker, nullptr);
   manager.Update();
   manager.Stop();
}

TEST_F(DialogManagerTest, TheBalloonLivesInItsContainer)
{
   DialogWidget* balloon = manager.balloon;
   ASSERT_NE(balloon, nullptr);
   EXPECT_EQ(container->ChildLastGet(), balloon);
   EXPECT_EQ(balloon->manager, &manager);
   EXPECT_FLOAT_EQ(balloon->PositionGet().x, 100.0f);
   EXPECT_FLOAT_EQ(balloon->PositionGet().y, 50.0f);
   manager.WidgetAdd(container);
   EXPECT_EQ(container->ChildCountGet(), 1) << "one balloon at a time";

   manager.DialogPlay("Plain", nullptr);
   manager.WidgetRemove();
   EXPECT_EQ(manager.balloon, nullptr);
   GUIManager::RemovedWidgetsDestroy();
   EXPECT_EQ(container->ChildCountGet(), 0);
   EXPECT_TRUE(manager.IdleCheck());
   manager.DialogPlay("Other", nullptr);
   EXPECT_STREQ(manager.currentDialogName, "Plain") << "nothing plays without a balloon";

   // A container that goes takes the balloon with it; the manager hears of it.
   ContainerWidget* layer = MemoryNew<ContainerWidget>(HEAP_DEFAULT);
   layer->InitWithoutSpecification("Layer", container);
   container->ChildAddLast(layer);
   manager.WidgetAdd(layer);
   ASSERT_NE(manager.balloon, nullptr);
   container->ChildRemove(layer);
   GUIManager::RemovedWidgetsDestroy();
   EXPECT_EQ(manager.balloon, nullptr);

   // Without a "DialogWidget" object there is no balloon.
   JSONTest::ValuePointer bare = JSONTest::TextParse(R"({"Dialogs": {}})");
   manager.Deinit();
   manager.Init(bare.get(), &language);
   manager.WidgetAdd(container);
   EXPECT_EQ(manager.balloon, nullptr);
   manager.Deinit();
   manager.Init(constants.get(), &language);
}
} // namespace
