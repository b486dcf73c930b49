// The iterative loader's walk over resource lists, with a scripted delegate and a fake clock:
// progress, bad items, the time budget, cancelling and unloading.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Clock.h"
#include "core/JSONParser.h"
#include "core/JSONValue.h"
#include "core/Memory.h"
#include "platform/loader/LoaderIterative.h"
#include "tests/platform/BitmapTestSupport.h"

using namespace Corvale;
using testing_support::LogCapture;
using testing_support::MemoryFile;

namespace
{
class FakeClock : public ClockCommon
{
 public:
   u32 TimeGet() override { return now; }
   u32 now = 1000;
};

// Records what the loader asks of it; an item takes "Steps" steps (1 by default), each costing
// stepCost milliseconds of the fake clock.
class ScriptedDelegate : public LoaderIterativeDelegate
{
 public:
   void SpecificationSet(JSONValue* item) override
   {
      LoaderIterativeDelegate::SpecificationSet(item);
      steps = 0;
      JSONValue* wanted = item->ItemFind("Steps");
      stepsNeeded = wanted ? wanted->IntValueGet() : 1;
   }
   void Update() override
   {
      steps++;
      clock->now += stepCost;
      events.push_back("step " + Name(specification));
   }
   bool DoneCheck() override { return steps >= stepsNeeded; }
   float ProgressGet() override
   {
      return 100.0f * static_cast<float>(steps) / static_cast<float>(stepsNeeded);
   }
   void Unload() override
   {
      events.push_back("unload " + Name(specification) + " after " + std::to_string(steps));
      steps = 0;
   }
   void Release(JSONValue* item) override { events.push_back("release " + Name(item)); }

   static std::string Name(const JSONValue* item)
   {
      const char* name = FilenameFind(item);
      return name ? name : "?";
   }
   // Events other than steps, in order.
   std::vector<std::string> Undone() const
   {
      std::vector<std::string> out;
      for (const std::string& event : events)
      {
         if (event.compare(0, 5, "step ") != 0)
         {
            out.push_back(event);
         }
      }
      return out;
   }
   i32 StepsCount() const { return static_cast<i32>(events.size() - Undone().size()); }

   FakeClock* clock = nullptr;
   u32 stepCost = 20;
   i32 steps = 0;
   i32 stepsNeeded = 1;
   std::vector<std::string> events;
};

class LoaderIterativeTest : public ::testing::Test
{
 protected:
   static void SetUpTestSuite()
   {
      if (!Memory::InitialisedCheck())
      {
         Memory::Init();
      }
   }

   void SetUp() override
   {
      scripted.clock = &clock;
      // The scripted delegate stands in the slot that the GUI fills in the program.
      loader.delegateGUILayer = &scripted;
      loader.Init();
      loader.clock = &clock;
   }

   void TearDown() override
   {
      loader.Deinit();
      for (JSONValue* value : parsed)
      {
         MemoryDelete(value);
      }
   }

   JSONValue* Parse(const std::string& text)
   {
      MemoryFile file(std::vector<u8>(text.begin(), text.end()));
      JSONParser parser;
      JSONValue* value = parser.Parse(file.Get(), HEAP_DEFAULT);
      EXPECT_NE(value, nullptr) << text;
      parsed.push_back(value);
      return value;
   }

   // A list of scripted items "name" or "name:steps".
   JSONValue* List(const std::vector<std::string>& items)
   {
      std::string text = "[";
      for (const std::string& item : items)
      {
         size_t colon = item.find(':');
         std::string name = item.substr(0, colon);
         std::string steps = colon == std::string::npos ? "1" : item.substr(colon + 1);
         text += std::string(text.size() > 1 ? "," : "") + R"({"Type": "GUILayer", "Filename": ")" + name +
                 R"(", "Steps": )" + steps + "}";
      }
      return Parse(text + "]");
   }

   void UpdateUntilDone()
   {
      for (int i = 0; i < 1000 && !loader.DoneCheck(); ++i)
      {
         loader.Update();
      }
      ASSERT_TRUE(loader.DoneCheck());
   }

   FakeClock clock;
   ScriptedDelegate scripted;
   LoaderIterative loader;
   std::vector<JSONValue*> parsed;
};

TEST_F(LoaderIterativeTest, InitRegistersEveryTypeAndDeinitForgetsThem)
{
   EXPECT_EQ(loader.DelegateGet("Sound"), &loader.delegateSound);
   EXPECT_EQ(loader.DelegateGet("Font"), &loader.delegateFont);
   EXPECT_EQ(loader.DelegateGet("SpriteResourceFile"), &loader.delegateSpriteResourceFile);
   EXPECT_EQ(loader.DelegateGet("GUILayer"), &scripted);
   EXPECT_EQ(loader.DelegateGet("Texture"), &loader.delegateTexture);
   EXPECT_EQ(loader.DelegateGet("TextureResourceFile"), &loader.delegateTextureResourceFile);
   EXPECT_EQ(loader.DelegateGet("Music"), nullptr);
   EXPECT_EQ(loader.DelegateGet(nullptr), nullptr);
   EXPECT_EQ(loader.delegates.count, 6);

   // A second Init starts afresh: the lists are gone and the types registered once.
   loader.ListAdd(List({"a"}));
   loader.Init();
   EXPECT_EQ(loader.lists.count, 0);
   EXPECT_EQ(loader.delegates.count, 6);

   loader.Deinit();
   EXPECT_EQ(loader.DelegateGet("Sound"), nullptr);
   EXPECT_TRUE(loader.DoneCheck());
   EXPECT_FLOAT_EQ(loader.ProgressGet(), 100.0f);
   loader.ListAdd(List({"a"}));
   EXPECT_EQ(loader.lists.count, 0) << "nothing is added while not initialised";
   loader.Update();
   loader.Cancel();
   loader.UnloadAll();
   EXPECT_TRUE(scripted.events.empty());
}

TEST_F(LoaderIterativeTest, ProgressCountsItemsOfAllListsAndThePartOfTheCurrentOne)
{
   EXPECT_FLOAT_EQ(loader.ProgressGet(), 100.0f) << "no lists";
   loader.ListAdd(List({"a:2", "b", "c"}));
   loader.ListAdd(List({}));
   loader.ListAdd(List({"d"}));
   EXPECT_FALSE(loader.DoneCheck());
   EXPECT_FLOAT_EQ(loader.ProgressGet(), 0.0f);

   // Each step costs more than the budget, so each update ends after its first step.
   const float expected[] = {12.5f, 25.0f, 50.0f, 75.0f, 100.0f};
   for (float percent : expected)
   {
      loader.Update();
      EXPECT_FLOAT_EQ(loader.ProgressGet(), percent);
   }
   EXPECT_TRUE(loader.DoneCheck());
   EXPECT_EQ(scripted.events, (std::vector<std::string>{"step a", "step a", "step b", "step c", "step d"}));

   // The second of four items current and not yet stepped.
   loader.Init();
   loader.clock = &clock;
   loader.ListAdd(List({"a", "b", "c"}));
   loader.ListAdd(List({"d"}));
   loader.Update();
   EXPECT_EQ(loader.itemIndex, 1);
   ASSERT_EQ(loader.currentDelegate, &scripted);
   EXPECT_EQ(scripted.steps, 0);
   EXPECT_FLOAT_EQ(loader.ProgressGet(), 25.0f);
}

TEST_F(LoaderIterativeTest, BadItemsAreLoggedAndLoadingGoesOn)
{
   LogCapture log;
   loader.ListAdd(Parse(R"({"Type": "GUILayer", "Filename": "x"})"));
   EXPECT_TRUE(log.Has("LoaderIterative::ListAdd -- Resource lists must be JSON arrays.\n"));
   EXPECT_EQ(loader.lists.count, 0);
   loader.ListAdd(nullptr);
   EXPECT_EQ(loader.lists.count, 0);

   loader.ListAdd(Parse(R"([{"Type": "Music", "Filename": "m"}, {"Filename": "untyped"}, {"Type": 5},
                            7, null, "text", [], {"Type": "GUILayer", "Filename": "good"}])"));
   UpdateUntilDone();
   EXPECT_EQ(scripted.events, (std::vector<std::string>{"step good"}));
   const struct
   {
      const char* line;
      size_t count;
   } expected[] = {
       {"LoaderIterative::Update -- No LoaderIterativeDelegate found for type: \"Music\".\n", 1},
       {"LoaderIterative::Update -- Resource type missing.\n", 2},
       {"LoaderIterative::Update -- Items in a resource list must be JSON objects.\n", 4},
   };
   for (const auto& e : expected)
   {
      size_t count = 0;
      for (size_t at = log.text.find(e.line); at != std::string::npos; at = log.text.find(e.line, at + 1))
      {
         count++;
      }
      EXPECT_EQ(count, e.count) << e.line;
   }

   // Bad items hold nothing, so undoing passes over them.
   scripted.events.clear();
   loader.Init();
   loader.clock = &clock;
   loader.ListAdd(parsed.back());
   UpdateUntilDone();
   scripted.events.clear();
   loader.UnloadAll();
   EXPECT_EQ(scripted.Undone(), (std::vector<std::string>{"release good"}));
}

TEST_F(LoaderIterativeTest, AnUpdateStepsUntilTheBudgetIsUsedUpAndAlwaysAtLeastOnce)
{
   const struct
   {
      u32 stepCost;
      i32 steps;
   } cases[] = {{5, 4}, {8, 2}, {15, 2}, {16, 1}, {40, 1}, {0, 10}};
   for (const auto& c : cases)
   {
      SCOPED_TRACE(c.stepCost);
      loader.Init();
      loader.clock = &clock;
      loader.ListAdd(List({"long:10"}));
      scripted.events.clear();
      scripted.stepCost = c.stepCost;
      loader.Update();
      EXPECT_EQ(scripted.StepsCount(), c.steps);
   }
   // The budget carries over items: the next item begins within the same update.
   loader.Init();
   loader.clock = &clock;
   loader.ListAdd(List({"a", "b", "c", "d", "e"}));
   scripted.events.clear();
   scripted.stepCost = 5;
   loader.Update();
   EXPECT_EQ(scripted.events, (std::vector<std::string>{"step a", "step b", "step c", "step d"}));
}

TEST_F(LoaderIterativeTest, CancelUndoesThePartialItemThenReleasesTheCompletedOnesLastFirst)
{
   const struct
   {
      const char* title;
      i32 updates;
      std::vector<std::string> undone;
   } cases[] = {
       {"before anything", 0, {}},
       {"first item in progress", 1, {"unload a after 1"}},
       {"inside the third item", 4, {"unload c after 1", "release b", "release a"}},
       {"at the start of the second list", 6, {"release c", "release b", "release a"}},
       {"finished", 7, {"release d", "release c", "release b", "release a"}},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(c.title);
      loader.Init();
      loader.clock = &clock;
      loader.ListAdd(List({"a:2", "b", "c:3"}));
      loader.ListAdd(List({"d"}));
      for (i32 i = 0; i < c.updates; ++i)
      {
         loader.Update();
      }
      scripted.events.clear();
      loader.Cancel();
      EXPECT_EQ(scripted.Undone(), c.undone);
      EXPECT_EQ(loader.currentDelegate, nullptr);

      // Nothing is left to load or to give back a second time.
      EXPECT_TRUE(loader.DoneCheck());
      EXPECT_FLOAT_EQ(loader.ProgressGet(), 100.0f);
      scripted.events.clear();
      loader.Update();
      loader.Cancel();
      loader.UnloadAll();
      EXPECT_TRUE(scripted.events.empty());
   }
}

TEST_F(LoaderIterativeTest, UnloadAllReleasesWhatWasLoadedInListOrder)
{
   loader.ListAdd(List({"a", "b"}));
   loader.ListAdd(List({"c"}));
   UpdateUntilDone();
   scripted.events.clear();
   loader.UnloadAll();
   EXPECT_EQ(scripted.Undone(), (std::vector<std::string>{"release a", "release b", "release c"}));
   scripted.events.clear();
   loader.UnloadAll();
   EXPECT_TRUE(scripted.events.empty()) << "a second UnloadAll releases nothing";

   // Stopped part way (a shutdown during the loading screen): the items never reached are not
   // released, since nothing of theirs is held.
   loader.Init();
   loader.clock = &clock;
   loader.ListAdd(List({"a", "b:3", "c"}));
   loader.ListAdd(List({"d"}));
   loader.Update();
   loader.Update();
   scripted.events.clear();
   loader.UnloadAll();
   EXPECT_EQ(scripted.Undone(), (std::vector<std::string>{"unload b after 1", "release a"}));
}
} // namespace
