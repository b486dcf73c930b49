// Shared pieces of the label and button tests: a font of fixed-width glyphs that records what it
// draws, and a sprite file held in memory whose animations have known sizes.
#pragma once

#include <cstring>
#include <string>

#include "tests/gui/WidgetTestSupport.h"
#include "platform/sprite/Font.h"
#include "platform/image/Image.h"
#include "platform/sprite/SpriteAnimation.h"
#include "platform/sprite/SpriteManager.h"
#include "platform/sprite/SpriteResourceFile.h"
#include "platform/image/Texture.h"

namespace LabelTest
{
using namespace Corvale;

// Every byte is 10 units wide; a line spans 16 above the baseline and 4 below.
class FixedFont : public Font
{
 public:
   FixedFont()
   {
      ascent = 16.0f;
      descent = 4.0f;
   }
   void TextBoundsGet(Box2F* out, const char* text, i32 byteCount, bool includeBlanks) override
   {
      (void)text;
      (void)includeBlanks;
      *out = Box2F{0.0f, -16.0f, 10.0f * static_cast<float>(byteCount), byteCount > 0 ? 20.0f : 0.0f};
   }
   void TextBoundsGet(Box2F* out, const char* text, bool includeBlanks) override
   {
      TextBoundsGet(out, text, static_cast<i32>(std::strlen(text)), includeBlanks);
   }
   void TextDraw(const char* text, i32 byteCount, const Point2F& position, const ColorRGBA8& color,
                 const Point2F& scale, float, float) override
   {
      Record(std::string(text, static_cast<size_t>(byteCount)), position, nullptr, color, scale);
   }
   void TextDraw(const char* text, const Point2F& position, const Box2F* clip, const ColorRGBA8& color,
                 const Point2F& scale, float, float) override
   {
      Record(text, position, clip, color, scale);
   }
   void TextDraw(const char* text, const Point2F& position, const ColorRGBA8& color, const Point2F& scale,
                 float, float) override
   {
      Record(text, position, nullptr, color, scale);
   }

   int draws = 0;
   std::string drawnText;
   Point2F drawnAt;
   Box2F drawnClip;
   ColorRGBA8 drawnColor;
   Point2F drawnScale;

 private:
   void Record(const std::string& text, const Point2F& at, const Box2F* clip, const ColorRGBA8& color,
               const Point2F& scale)
   {
      draws++;
      drawnText = text;
      drawnAt = at;
      drawnClip = clip ? *clip : Box2F();
      drawnColor = color;
      drawnScale = scale;
   }
};

// A sprite resource file "Buttons" already loaded, with the animations "Up" (100×40 at 0|0),
// "Down" (100×40 at 0|5) and "Wide" (200×10 at -50|0). The fixture holds one count on each
// animation so that no widget ever destroys them.
class FakeSpriteFile
{
 public:
   void Build()
   {
      texture.bitmap = nullptr;
      file = MemoryNew<SpriteResourceFile>(HEAP_DEFAULT);
      file->name = StringDuplicate("Buttons", HEAP_DEFAULT);
      file->document = MemoryNew<JSONValue>(HEAP_DEFAULT);
      file->referenceCount = 1;
      Add(0, "Up", 100, 40, Point2F{0.0f, 0.0f});
      Add(1, "Down", 100, 40, Point2F{0.0f, 5.0f});
      Add(2, "Wide", 200, 10, Point2F{-50.0f, 0.0f});
      SpriteManager::resourceFiles.Insert(file, SpriteManager::resourceFiles.count);
   }

   // Every count a widget took must have been given back by now.
   void Destroy()
   {
      EXPECT_EQ(file->referenceCount, 1) << "a sprite kept a reference on the file";
      for (int i = 0; i < 3; i++)
      {
         EXPECT_EQ(animations[i].referenceCount, 1) << "a sprite kept a reference on an animation";
         animations[i].frames = Table<SpriteAnimationFrame>();
         images[i].Clear();
      }
      // The animations are ours, not the file's.
      for (auto* node = file->animations.First(); node != file->animations.End();
           node = file->animations.Next(node))
      {
         MemoryFree(const_cast<char*>(node->key));
      }
      file->animations.Clear();
      SpriteManager::resourceFiles.Remove(file);
      file->Deinit();
      MemoryDelete(file);
   }

   SpriteAnimation* Get(int index) { return &animations[index]; }

   SpriteResourceFile* file = nullptr;

 private:
   void Add(int index, const char* animationName, int width, int height, Point2F offset)
   {
      images[index].Init(1);
      ImagePart part;
      part.texture = &texture;
      part.width = width;
      part.height = height;
      images[index].PartSet(part, 0);
      SpriteAnimationFrame frame;
      frame.image = &images[index];
      SpriteAnimation& animation = animations[index];
      animation.frames.Insert(frame, 0);
      animation.duration = 1;
      animation.offset = offset;
      animation.resourceFile = file;
      animation.referenceCount = 1;
      file->animations.Insert(StringDuplicate(animationName, HEAP_DEFAULT), &animation);
   }

   Texture texture;
   Image images[3];
   SpriteAnimation animations[3];
};
} // namespace LabelTest
