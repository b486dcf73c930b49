// The loader's sound items through the running sound manager: each item holds one reference on
// the cached sound, given back by cancelling or unloading.
#include "tests/platform/SoundTestSupport.h"

#include "core/JSONValue.h"
#include "platform/loader/LoaderIterative.h"

using namespace CorvaleTest;

namespace
{
class FrozenClock : public ClockCommon
{
 public:
   u32 TimeGet() override { return 0; }
};

class LoaderSound : public SoundFixture
{
 protected:
   void SetUp() override
   {
      SoundFixture::SetUp();
      folder.Write("Sounds/Flip.wav", WavMake(WavSpec()));
      folder.Write("Sounds/Deal.wav", WavMake(WavSpec()));
      list = JSONValue::New(HEAP_DEFAULT);
      list->ArraySet();
      for (const char* name : {"Sounds/Flip", "Sounds/Deal", "Sounds/Flip", "Sounds/Missing"})
      {
         JSONValue* item = list->ElementAdd();
         item->ObjectSet();
         item->ItemStringSet("Type", "Sound");
         item->ItemStringSet("Filename", name);
      }
      loader.Init();
      loader.clock = &clock;
      // One pass per update.
      loader.timeBudget = 0;
      loader.ListAdd(list);
   }
   void TearDown() override
   {
      loader.Deinit();
      MemoryDelete(list);
      EXPECT_EQ(soundManager.soundCache.map.count, 0) << "a sound reference was left";
      SoundFixture::TearDown();
   }

   i32 CountGet(const char* name)
   {
      ResourceCache<Sound>::EntryMap::Node* node =
          soundManager.soundCache.map.Find(ResourceCacheKey{StringCRC32(name), name, fileManagerResource});
      return node == soundManager.soundCache.map.End() ? 0 : node->value->referenceCount;
   }

   FrozenClock clock;
   LoaderIterative loader;
   JSONValue* list = nullptr;
};

TEST_F(LoaderSound, ItemsHoldOneReferenceEachUntilUnloadAll)
{
   for (int i = 0; i < 20 && !loader.DoneCheck(); ++i)
   {
      loader.Update();
   }
   ASSERT_TRUE(loader.DoneCheck());
   EXPECT_EQ(CountGet("Sounds/Flip"), 2);
   EXPECT_EQ(CountGet("Sounds/Deal"), 1);
   EXPECT_TRUE(log.Contains("unable to find sound file: \"Sounds/Missing.wav\""));

   loader.UnloadAll();
   EXPECT_EQ(soundManager.soundCache.map.count, 0);
}

TEST_F(LoaderSound, CancelGivesBackTheSoundsLoadedSoFar)
{
   // Take Flip, load it and take Deal, load it and take the second Flip.
   for (int i = 0; i < 3; ++i)
   {
      loader.Update();
   }
   EXPECT_EQ(CountGet("Sounds/Flip"), 1);
   EXPECT_EQ(CountGet("Sounds/Deal"), 1);
   loader.Cancel();
   EXPECT_EQ(soundManager.soundCache.map.count, 0);
}
} // namespace
