// The loader's real delegates over a resource tree on disk (with a GL context for the textures):
// texture resource files, textures, sprite resource files and fonts load, undo and release so that
// every cache ends empty.
#include <string>

#include "core/GraphicsPathManager.h"
#include "core/JSONParser.h"
#include "core/JSONValue.h"
#include "platform/sprite/Font.h"
#include "platform/sprite/FontManager.h"
#include "platform/loader/LoaderIterative.h"
#include "platform/sprite/SpriteAnimation.h"
#include "platform/sprite/SpriteManager.h"
#include "platform/sprite/SpriteResourceFile.h"
#include "platform/image/Texture.h"
#include "tests/platform/BitmapTestSupport.h"
#include "tests/platform/SpriteTestSupport.h"

using namespace Corvale;
using sprite_test_support::DrawingTest;
using testing_support::LogCapture;
using testing_support::MemoryFile;

namespace
{
// The budget test has its own fake clock; here a clock that never moves with a budget of 0 makes
// every update exactly one pass.
class FrozenClock : public ClockCommon
{
 public:
   u32 TimeGet() override { return 0; }
};

class LoaderDelegatesTest : public DrawingTest
{
 protected:
   void SetUp() override
   {
      DrawingTest::SetUp();
      GraphicsPathManager::Set(0, "Graphics");
      auto white = [](int, int, u8* p) { p[0] = p[1] = p[2] = p[3] = 255; };
      PNGWrite("Graphics/Art/One.png", 2, 2, white);
      for (int i = 1; i <= 12; ++i)
      {
         char name[64];
         std::snprintf(name, sizeof(name), "Graphics/Art/Seq/%03d.png", i);
         PNGWrite(name, 2, 2, white);
      }
      // Members in key order: Empty, Seq, Single, Zero.
      TextWrite("Graphics/Lists/Art.json", R"({
        "Single": "Art/One",
        "Seq": {"Filename": "Art/Seq", "FrameCount": 12},
        "Zero": {"Filename": "Art/Z", "FrameCount": 0},
        "Empty": {"FrameCount": 2}
      })");
      TextWrite("Graphics/Sprites/Cards.json", R"({
        "A": "Art/One",
        "B": {"Filename": "Art/Seq", "FrameCount": 2},
        "C": null
      })");
      // One sheet cell of 2 x 2 for the character 'A'.
      TextWrite("Graphics/Fonts/Tiny.json", R"({"Width": 2, "Height": 2, "Ascent": 2, "LineSpacing": 3,
        "CharacterSpacing": 1, "BlankSpaceWidth": 2, "Bitmaps": [{"Name": "Tiny", "Lines": ["A"]}]})");
      PNGWrite("Graphics/Fonts/Tiny.png", 2, 2, white);

      loader.Init();
      loader.clock = &clock;
      loader.timeBudget = 0;
   }

   void TearDown() override
   {
      loader.Deinit();
      for (JSONValue* value : parsed)
      {
         MemoryDelete(value);
      }
      EXPECT_EQ(textureManager.cache.map.count, 0) << "a texture reference was left";
      EXPECT_EQ(SpriteManager::resourceFiles.count, 0) << "a sprite resource file was left";
      EXPECT_EQ(FontManager::cache.map.count, 0) << "a font reference was left";
      FontManager::Deinit();
      SpriteManager::Deinit();
      DrawingTest::TearDown();
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

   void UpdateTimes(int n)
   {
      for (int i = 0; i < n; ++i)
      {
         loader.Update();
      }
   }

   void UpdateUntilDone()
   {
      for (int i = 0; i < 1000 && !loader.DoneCheck(); ++i)
      {
         loader.Update();
      }
      ASSERT_TRUE(loader.DoneCheck());
   }

   static i32 TextureCountGet(const char* name)
   {
      ResourceCache<Texture>::EntryMap::Node* node =
          textureManager.cache.map.Find(ResourceCacheKey{StringCRC32(name), name, fileManagerResource});
      return node == textureManager.cache.map.End() ? 0 : node->value->referenceCount;
   }

   FrozenClock clock;
   LoaderIterative loader;
   std::vector<JSONValue*> parsed;
};

TEST_F(LoaderDelegatesTest, TextureResourceFileLoadsAnEntryPerStepAndSequencesAsNumberedNames)
{
   LogCapture log;
   loader.ListAdd(Parse(R"([{"Type": "TextureResourceFile", "Filename": "Lists/Art"}])"));
   LoaderIterativeDelegateTextureResourceFile& delegate = loader.delegateTextureResourceFile;

   // Pass 1 takes the item, pass 2 parses the file; then one member per pass.
   UpdateTimes(2);
   ASSERT_NE(delegate.resource, nullptr);
   EXPECT_FLOAT_EQ(loader.ProgressGet(), 0.0f);
   const struct
   {
      i32 textures;
      float percent;
   } steps[] = {{0, 25.0f}, {12, 50.0f}, {13, 75.0f}};
   for (const auto& step : steps)
   {
      loader.Update();
      EXPECT_EQ(textureManager.cache.map.count, step.textures);
      EXPECT_FLOAT_EQ(delegate.ProgressGet(), step.percent);
      EXPECT_FLOAT_EQ(loader.ProgressGet(), step.percent);
   }
   // "Zero" loads nothing and still counts as one handled member.
   loader.Update();
   EXPECT_TRUE(loader.DoneCheck());
   EXPECT_EQ(delegate.stepCount, 4);
   EXPECT_EQ(delegate.resource, nullptr) << "the parsed file is freed once loaded";
   EXPECT_EQ(textureManager.cache.map.count, 13);
   for (const char* name : {"Art/One", "Art/Seq/001", "Art/Seq/009", "Art/Seq/012"})
   {
      EXPECT_EQ(TextureCountGet(name), 1) << name;
   }
   EXPECT_EQ(TextureCountGet("Art/Seq/013"), 0);
   EXPECT_TRUE(log.Has("Texture sequence without a filename"));

   loader.UnloadAll();
   EXPECT_EQ(textureManager.cache.map.count, 0);
}

TEST_F(LoaderDelegatesTest, CancelInsideATextureResourceFileReleasesItsTexturesThenTheItemsBefore)
{
   // "Art/One" is held by the single texture item and by the file's "Single" member.
   loader.ListAdd(Parse(R"([{"Type": "Texture", "Filename": "Art/One"},
                            {"Type": "TextureResourceFile", "Filename": "Lists/Art"}])"));
   // Take the texture item, load it and take the file item, parse, "Empty", "Seq", "Single".
   UpdateTimes(6);
   ASSERT_EQ(loader.currentDelegate, &loader.delegateTextureResourceFile);
   EXPECT_EQ(loader.delegateTextureResourceFile.stepCount, 3);
   EXPECT_EQ(textureManager.cache.map.count, 13);
   EXPECT_EQ(TextureCountGet("Art/One"), 2);

   loader.Cancel();
   EXPECT_EQ(textureManager.cache.map.count, 0);
   EXPECT_EQ(loader.delegateTextureResourceFile.resource, nullptr);
   EXPECT_FALSE(loader.delegateTextureResourceFile.DoneCheck());
}

TEST_F(LoaderDelegatesTest, MissingFilesAndNamesAreReportedAndCountAsDone)
{
   LogCapture log;
   loader.ListAdd(Parse(R"([{"Type": "Texture", "Filename": "Art/Nowhere"},
                            {"Type": "Texture"},
                            {"Type": "TextureResourceFile", "Filename": "Lists/Nowhere"},
                            {"Type": "TextureResourceFile"},
                            {"Type": "SpriteResourceFile", "Filename": "Sprites/Nowhere"},
                            {"Type": "SpriteResourceFile"},
                            {"Type": "Font", "Filename": "Nowhere"},
                            {"Type": "Texture", "Filename": "Art/One"}])"));
   UpdateUntilDone();
   const char* const lines[] = {
       "TextureManagerOpenGL::Load -- Unable to load texture: Art/Nowhere",
       "LoaderIterativeDelegateTextureResourceFile::Update -- Unable to get texture file specifications.\n",
       "LoaderIterativeDelegateTextureResourceFile::FilenameGet -- Texture resource filename not "
       "specified.\n",
       "LoaderIterativeDelegateSpriteResourceFile::FilenameGet -- Sprite resource filename not specified.\n",
       "FontManager::Load -- unable to load font file",
   };
   for (const char* line : lines)
   {
      EXPECT_TRUE(log.Has(line)) << line;
   }
   EXPECT_EQ(textureManager.cache.map.count, 1);
   loader.UnloadAll();
}

TEST_F(LoaderDelegatesTest, SpriteResourceFileCreatesAnAnimationPerStepAndGivesBackOnlyItsOwnCounts)
{
   LogCapture log;
   // Somebody else holds animation "A" throughout.
   SpriteAnimation* held = SpriteManager::AnimationGet("Sprites/Cards", "A");
   ASSERT_NE(held, nullptr);
   SpriteResourceFile* file = SpriteManager::ResourceFileGet("Sprites/Cards");
   ASSERT_EQ(file->referenceCount, 2);

   loader.ListAdd(Parse(R"([{"Type": "SpriteResourceFile", "Filename": "Sprites/Cards"}])"));
   LoaderIterativeDelegateSpriteResourceFile& delegate = loader.delegateSpriteResourceFile;
   UpdateTimes(2);
   EXPECT_EQ(delegate.resource, file);
   EXPECT_EQ(file->referenceCount, 3);
   const float percents[] = {100.0f / 3, 200.0f / 3};
   for (float percent : percents)
   {
      loader.Update();
      EXPECT_FLOAT_EQ(delegate.ProgressGet(), percent);
   }
   EXPECT_EQ(file->animations.count, 2);
   EXPECT_EQ(held->referenceCount, 2);
   // "C" is no animation: reported, and it holds nothing.
   loader.Update();
   EXPECT_TRUE(loader.DoneCheck());
   EXPECT_TRUE(log.Has("Unable to find sprite animation \"C\""));
   EXPECT_EQ(file->referenceCount, 2 + 1 + 2 * 2);

   loader.UnloadAll();
   ASSERT_EQ(SpriteManager::ResourceFileGet("Sprites/Cards"), file);
   EXPECT_EQ(file->referenceCount, 2);
   EXPECT_EQ(file->animations.count, 1);
   EXPECT_EQ(held->referenceCount, 1);
   SpriteManager::AnimationRelease(held);
   EXPECT_EQ(imageManager.cache.map.count, 0);
}

TEST_F(LoaderDelegatesTest, CancelInsideASpriteResourceFileDestroysWhatItCreated)
{
   loader.ListAdd(Parse(R"([{"Type": "Font", "Filename": "Tiny"},
                            {"Type": "SpriteResourceFile", "Filename": "Sprites/Cards"}])"));
   // The font, then the file opened and "A" created.
   UpdateTimes(4);
   EXPECT_EQ(FontManager::cache.map.count, 1);
   SpriteResourceFile* file = SpriteManager::ResourceFileGet("Sprites/Cards");
   ASSERT_NE(file, nullptr);
   EXPECT_EQ(file->animations.count, 1);
   EXPECT_EQ(loader.delegateSpriteResourceFile.stepCount, 1);

   loader.Cancel();
   EXPECT_EQ(SpriteManager::resourceFiles.count, 0);
   EXPECT_EQ(FontManager::cache.map.count, 0);
   EXPECT_EQ(imageManager.cache.map.count, 0);
   EXPECT_EQ(loader.delegateSpriteResourceFile.resource, nullptr);
}

TEST_F(LoaderDelegatesTest, UnloadAllEmptiesEveryCacheAfterAMixedLoad)
{
   loader.ListAdd(Parse(R"([{"Type": "Font", "Filename": "Tiny"},
                            {"Type": "Font", "Filename": "Tiny"},
                            {"Type": "Texture", "Filename": "Art/One"}])"));
   loader.ListAdd(Parse(R"([{"Type": "SpriteResourceFile", "Filename": "Sprites/Cards"},
                            {"Type": "TextureResourceFile", "Filename": "Lists/Art"},
                            {"Type": "SpriteResourceFile", "Filename": "Sprites/Cards"}])"));
   loader.timeBudget = 16;
   UpdateUntilDone();
   EXPECT_EQ(FontManager::cache.map.count, 1);
   EXPECT_EQ(SpriteManager::resourceFiles.count, 1);
   EXPECT_EQ(TextureCountGet("Art/One"), 2) << "the texture item and the file's member";
   loader.UnloadAll();
   EXPECT_EQ(FontManager::cache.map.count, 0);
   EXPECT_EQ(SpriteManager::resourceFiles.count, 0);
   EXPECT_EQ(imageManager.cache.map.count, 0);
   EXPECT_EQ(textureManager.cache.map.count, 0);
}
} // namespace
