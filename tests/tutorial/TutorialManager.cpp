// The tutorial manager on small tutorials written by the test: the exact halt at a narrated line
// and the resume once it is over, Escape, "Back", the sound entries, the language skins, and each
// failed start given back whole.
#include "tests/platform/SoundTestSupport.h"

#include <fstream>
#include <string>

#include "core/Event.h"
#include "core/TextManager.h"
#include "gui/dialog/DialogManager.h"
#include "gui/widgets/LayerWidget.h"
#include "gui/widgets/PressButtonWidget.h"
#include "platform/input/Keyboard.h"
#include "platform/input/PlatformKeys.h"
#include "platform/image/TextureManagerOpenGL.h"
#include "tests/core/JSONTestSupport.h"
#include "tests/gui/DialogTestSupport.h"
#include "tests/tutorial/TutorialTestSupport.h"
#include "tutorial/TutorialManager.h"
#include "tutorial/skeleton/skSkeleton.h"
#include "tutorial/skeleton/skSkin.h"

namespace Corvale
{
namespace
{
using tutorial_test_support::TutorialDrawingTest;

// A line at 3.2 s, a sound at 1 s, and a bone key at 6 s that sets the length.
const char* const skeletonText = R"({
"bones": [ { "name": "root", "x": 100, "y": 100 } ],
"slots": [ { "name": "s", "bone": "root", "attachment": "card" } ],
"skins": {
  "English": { "s": { "card": { "name": "white", "width": 40, "height": 40 } } },
  "French": { "s": { "card": { "name": "green", "width": 40, "height": 40 } } } },
"events": { "line": {}, "beep": {}, "odd": {}, "music": {}, "speech": {} },
"animations": { "animation": {
  "bones": { "root": { "rotate": [ { "time": 0, "angle": 0 }, { "time": 6, "angle": 90 } ] } },
  "events": [ { "time": 1, "name": "beep" }, { "time": 3.2, "name": "line" } ] } }
})";

const char* const tutorialText = R"({ "Events": {
  "line": { "Type": "Dialog", "Dialog": "Line", "TextColor": "255|0|0|255" },
  "beep": { "Type": "Sound", "Filename": "Sounds/Beep" },
  "odd": { "Type": "Sound", "Filename": "Sounds/Beep", "Usage": "Voice" },
  "music": { "Type": "Sound", "Filename": "Sounds/Tune", "Usage": "Music", "Loop": true },
  "speech": { "Type": "Sound", "Filename": "Sounds/Said", "Usage": "Speech" },
  "plain": { "Type": "Dialog", "Dialog": "Line" },
  "other": { "Type": "Picture", "Dialog": "Line" } } })";

class TutorialManagerTest : public TutorialDrawingTest
{
 protected:
   void SetUp() override
   {
      TutorialDrawingTest::SetUp();
      TextWrite("Graphics/GUI/Tutorial/Widgets.json",
                R"({ "Children": [ { "Type": "NumberLabel", "Name": "Timestamp" },
                     { "Type": "Container", "Name": "MenuBar",
                       "Children": [ { "Type": "PressButton", "Name": "Back" } ] } ] })");
      TextWrite("Text/English/Text.json", R"({ "LineText": "Here is the stock." })");
      TextWrite("Text/French/Text.json", R"({ "LineText": "Voici la pioche." })");
      GUIStart();
      textManager.LanguageSet(&language);
      textManager.FileNameAppend("Text");
      textManager.Init();
      textManager.OnLanguageChange();
      constants = JSONTest::TextParse(R"({ "Dialogs": { "Line": { "TextKey": "LineText" } },
                                           "DialogWidget": { "TextBounds": "0|0|300|64" } })");
      ASSERT_TRUE(constants);
      dialogManager.Init(constants.get(), &language);
      keyboardState.current[VK_ESCAPE] = 0;
      keyboardState.previous[VK_ESCAPE] = 0;
   }

   void TearDown() override
   {
      tutorialManager.Deinit();
      EXPECT_EQ(SkeletonManager::atlasCache.map.count, 0) << "the atlas was left";
      EXPECT_EQ(textureManager.cache.map.count, 0) << "a page texture was left";
      dialogManager.Deinit();
      textManager.Deinit();
      TutorialDrawingTest::TearDown();
   }

   void Start(const std::string& skeleton = skeletonText, const std::string& tutorial = tutorialText)
   {
      TutorialFilesWrite("t", skeleton);
      if (!tutorial.empty())
      {
         TextWrite("Graphics/Tutorials/t/Tutorial.json", tutorial);
      }
      tutorialManager.Init("t");
      if (tutorialManager.layer)
      {
         tutorialManager.layer->FontSet(&font);
      }
   }

   void LanguageChange(u32 index)
   {
      language = index;
      Event::SystemUpdate();
      Event::Trigger("OnLanguageChange", nullptr);
   }

   const char* SkinName()
   {
      return tutorialManager.skeleton->skin ? tutorialManager.skeleton->skin->name : nullptr;
   }

   u32 language = 0;
   DialogTest::FixedFont font{10.0f, 12.0f, 4.0f};
   JSONTest::ValuePointer constants;
};

TEST_F(TutorialManagerTest, ALineHaltsTheAnimationExactlyOnItsTimeUntilItIsOver)
{
   Start();
   ASSERT_FALSE(tutorialManager.finished);
   ASSERT_NE(tutorialManager.skeleton, nullptr);
   ASSERT_EQ(tutorialManager.dialogTimes.count, 1);
   for (int frame = 0; frame < 200 && tutorialManager.dialogTimeNext == 0; ++frame)
   {
      tutorialManager.Update(50);
   }
   EXPECT_EQ(tutorialManager.elapsed, 3.2f);
   EXPECT_FALSE(dialogManager.IdleCheck()) << "the line's event fired in the halting frame";
   for (int frame = 0; frame < 20; ++frame)
   {
      tutorialManager.Update(50);
   }
   EXPECT_EQ(tutorialManager.elapsed, 3.2f);
   EXPECT_FALSE(tutorialManager.finished);

   dialogManager.Stop();
   tutorialManager.Update(50);
   EXPECT_NEAR(tutorialManager.elapsed, 3.25f, 1e-4f);
   for (int frame = 0; frame < 200 && !tutorialManager.finished; ++frame)
   {
      tutorialManager.Update(50);
   }
   EXPECT_TRUE(tutorialManager.finished) << "the animation's completion ends the tutorial";
   EXPECT_NEAR(tutorialManager.elapsed, 6.0f, 0.06f);
}

TEST_F(TutorialManagerTest, OnlyANewPressOfEscapeOrBackEndsIt)
{
   Start();
   keyboardState.current[VK_ESCAPE] = 1;
   keyboardState.previous[VK_ESCAPE] = 1;
   tutorialManager.Update(16);
   EXPECT_FALSE(tutorialManager.finished) << "held from before";
   keyboardState.previous[VK_ESCAPE] = 0;
   tutorialManager.Update(16);
   EXPECT_TRUE(tutorialManager.finished);

   tutorialManager.Deinit();
   keyboardState.current[VK_ESCAPE] = 0;
   Start();
   ASSERT_FALSE(tutorialManager.finished);
   PressButtonWidget* back = Find<PressButtonWidget>("Tutorial.MenuBar.Back");
   ASSERT_NE(back, nullptr);
   ASSERT_NE(back->onClick, nullptr);
   back->onClick(back, back->onClickUserData);
   EXPECT_TRUE(tutorialManager.finished);
}

TEST_F(TutorialManagerTest, EventEntriesGiveTheirSoundsAndLines)
{
   Start();
   struct Case
   {
      const char* event;
      bool found;
      const char* file;
      i32 usage;
      bool loop;
   };
   for (const Case& c :
        {Case{"beep", true, "Sounds/Beep", 0, false}, Case{"music", true, "Sounds/Tune", 1, true},
         Case{"speech", true, "Sounds/Said", 2, false}, Case{"odd", false, "", 0, false},
         Case{"line", false, "", 0, false}, Case{"missing", false, "", 0, false}})
   {
      TestSupport::LogCapture log;
      char file[TUTORIAL_PATH_SIZE] = "";
      i32 usage = -1;
      bool loop = false;
      ASSERT_EQ(tutorialManager.EventSoundParametersGet(c.event, file, &usage, &loop), c.found) << c.event;
      EXPECT_EQ(
          log.Contains("TutorialManager::EventSoundParametersGet -- Unrecognized sound usage type: Voice\n"),
          std::string(c.event) == "odd")
          << c.event;
      if (c.found)
      {
         EXPECT_STREQ(file, c.file) << c.event;
         EXPECT_EQ(usage, c.usage) << c.event;
         EXPECT_EQ(loop, c.loop) << c.event;
      }
   }
   const char* key = nullptr;
   bool hasColor = false;
   ColorRGBA8 color;
   ASSERT_TRUE(tutorialManager.EventDialogGet("line", &key, &hasColor, &color));
   EXPECT_STREQ(key, "Line");
   EXPECT_TRUE(hasColor);
   EXPECT_EQ(color.r, 255);
   EXPECT_EQ(color.g, 0);
   ASSERT_TRUE(tutorialManager.EventDialogGet("plain", &key, &hasColor, &color));
   EXPECT_FALSE(hasColor);
   EXPECT_FALSE(tutorialManager.EventDialogGet("other", &key, &hasColor, &color));
   EXPECT_FALSE(tutorialManager.EventDialogGet("beep", &key, &hasColor, &color));
}

TEST_F(TutorialManagerTest, EachLanguageWearsItsSkinOrTheEnglishOne)
{
   for (u32 index = 0; index < 8; ++index)
   {
      language = index;
      Start();
      ASSERT_NE(tutorialManager.skeleton, nullptr);
      const char* expected = index == 1 ? "French" : index < 7 ? "English" : nullptr;
      if (expected)
      {
         EXPECT_STREQ(SkinName(), expected) << index;
      }
      else
      {
         EXPECT_EQ(SkinName(), nullptr) << index;
      }
      tutorialManager.Deinit();
   }
   language = 0;
   Start();
   LanguageChange(1);
   EXPECT_STREQ(SkinName(), "French");
   LanguageChange(4);
   EXPECT_STREQ(SkinName(), "English");
   tutorialManager.Deinit();
   LanguageChange(1);
}

TEST_F(TutorialManagerTest, AFailedStartEndsAtOnceAndGivesEverythingBack)
{
   struct Case
   {
      const char* what;
      std::string skeleton;
      bool atlasBroken;
      const char* line;
   };
   const std::string noAnimation =
       std::string(skeletonText)
           .replace(std::string(skeletonText).find("\"animation\""), 11, "\"Animation\"");
   for (const Case& c :
        {Case{"atlas", skeletonText, true, "TutorialManager::Init -- SkeletonManager::AtlasLoad failed\n"},
         Case{"skeleton file", "", false,
              "TutorialManager::Init -- skSkeletonJson_readSkeletonDataFile failed\n"},
         Case{"skeleton", "{ \"bones\": [ { \"name\": \"a\", \"parent\": \"nope\" } ] }", false,
              "TutorialManager::Init -- skSkeletonJson_readSkeletonDataFile error: "},
         Case{"animation", noAnimation, false,
              "TutorialManager::Init -- skSkeletonData_findAnimation failed\n"}})
   {
      std::filesystem::remove_all(folder + "/Graphics/Tutorials");
      TestSupport::LogCapture log;
      Start(c.skeleton);
      if (c.atlasBroken)
      {
         tutorialManager.Deinit();
         TextWrite("Graphics/Tutorials/t/skeleton.atlas", "page.png\nformat: nonsense\nxy\n");
         tutorialManager.Init("t");
      }
      EXPECT_TRUE(tutorialManager.finished) << c.what;
      EXPECT_TRUE(log.Contains(c.line)) << c.what << ": " << log.text;
      tutorialManager.Deinit();
      tutorialManager.Deinit();
      EXPECT_EQ(tutorialManager.atlas, nullptr) << c.what;
      EXPECT_EQ(tutorialManager.skeleton, nullptr) << c.what;
      EXPECT_EQ(SkeletonManager::atlasCache.map.count, 0) << c.what;
      EXPECT_EQ(textureManager.cache.map.count, 0) << c.what;
      EXPECT_EQ(GUIManager::WidgetGetByPath("Tutorial"), nullptr) << c.what;
   }

   // A name too long for its paths names no tutorial.
   tutorialManager.Init(std::string(255, 'n').c_str());
   EXPECT_TRUE(tutorialManager.finished);
   tutorialManager.Deinit();

   // Without an atlas there is nothing to play, but the tutorial runs until the player leaves.
   std::filesystem::remove_all(folder + "/Graphics/Tutorials");
   tutorialManager.Init("t");
   EXPECT_FALSE(tutorialManager.finished);
   EXPECT_EQ(tutorialManager.skeleton, nullptr);
   tutorialManager.Update(50);
   EXPECT_FALSE(tutorialManager.finished);
}
TEST_F(TutorialManagerTest, ItsSoundsAreHeldWhileItPlaysAndGivenBackAfter)
{
   SoundManagerCommon::FocusCheckFunctionSet(&CorvaleTest::FocusYes);
   soundManager.Init(allocatorDefault);
   for (const char* name : {"Sounds/Beep.wav", "Sounds/Tune.wav", "Sounds/Said.wav"})
   {
      const CorvaleTest::Bytes wav = CorvaleTest::WavMake(CorvaleTest::WavSpec());
      std::filesystem::create_directories(folder + "/Sounds");
      std::ofstream(folder + "/" + name, std::ios::binary)
          .write(reinterpret_cast<const char*>(wav.data()), static_cast<std::streamsize>(wav.size()));
   }
   Start();
   // "odd" names the beep again: one sound, held twice.
   EXPECT_EQ(tutorialManager.sounds.count, 4);
   EXPECT_NE(soundManager.SoundLoadedGet("Sounds/Beep"), nullptr);
   EXPECT_NE(soundManager.SoundLoadedGet("Sounds/Tune"), nullptr);
   // Past the beep's key at 1 s: it plays without a fixed voice.
   for (int frame = 0; frame < 30; ++frame)
   {
      tutorialManager.Update(50);
   }
   EXPECT_GT(tutorialManager.elapsed, 1.0f);
   tutorialManager.Deinit();
   EXPECT_EQ(tutorialManager.sounds.count, 0);
   for (const char* name : {"Sounds/Beep", "Sounds/Tune", "Sounds/Said"})
   {
      EXPECT_EQ(soundManager.SoundLoadedGet(name), nullptr) << name;
   }
   soundManager.Deinit();
}
} // namespace
} // namespace Corvale
