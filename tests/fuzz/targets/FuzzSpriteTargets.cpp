// Fuzz targets of the sprite resource files and the font files: every animation of a file is
// made, measured, drawn and hit-tested; a font is loaded and measures and draws a text.
#include "core/JSONValue.h"
#include "platform/sprite/Font.h"
#include "platform/sprite/FontManager.h"
#include "platform/sprite/SpriteAnimation.h"
#include "platform/sprite/SpriteManager.h"
#include "platform/sprite/SpriteResourceFile.h"
#include "tests/fuzz/harness/FuzzEnvironment.h"
#include "tests/fuzz/targets/FuzzTargetList.h"

namespace Corvale
{
namespace Fuzz
{
namespace
{
void AnimationExercise(SpriteAnimation* animation)
{
   animation->SizeGet();
   Box2F bounds = animation->BoundsGet();
   const ColorRGBA8 white{255, 255, 255, 255};
   const u32 times[] = {0u, animation->duration / 2u, animation->duration, animation->duration + 1u};
   for (u32 time : times)
   {
      animation->Draw(time, nullptr, white, 0.0f, 0.0f, 10.0f, 10.0f);
   }
   animation->Draw(0, &bounds, white, 0.0f, 0.0f, 10.0f, 10.0f);
   animation->PointTest(Point2F{bounds.x + bounds.width / 2.0f, bounds.y + bounds.height / 2.0f});
}

// A text with blanks, a tab, a line feed, a byte-order mark, a missing glyph and a bad byte.
const char fontText[] = "Ab 9\t?\n\xEF\xBB\xBFz\xE2\x82\xAC~\xC3";
} // namespace

void FuzzSprite(const u8* data, size_t size)
{
   if (!FuzzEnvironment::ScreenInit() || !FuzzEnvironment::InputWrite("FuzzSprites.json", data, size))
   {
      return;
   }
   SpriteResourceFile* file = SpriteManager::ResourceFileLoad("FuzzSprites");
   if (file && file->document)
   {
      file->Preload();
      for (JSONValue::Iterator it = file->document->ItemsBegin(); it.ValidCheck(); it.Next())
      {
         SpriteAnimation* animation = file->AnimationLoadedGet(it.node->key);
         if (animation)
         {
            AnimationExercise(animation);
         }
      }
   }
   // Every file goes, whatever its count: the next input starts from nothing.
   SpriteManager::Deinit();
}

void FuzzFont(const u8* data, size_t size)
{
   if (!FuzzEnvironment::ScreenInit() || !FuzzEnvironment::InputWrite("Fonts/FuzzFont.json", data, size))
   {
      return;
   }
   Font* font = FontManager::Load("FuzzFont");
   if (!font)
   {
      return;
   }
   Box2F bounds;
   font->TextBoundsGet(&bounds, fontText, true);
   Point2F position;
   font->TextPositionGet(&position, fontText, Box2F{0.0f, 0.0f, 200.0f, 100.0f}, 1 | 4, false,
                         Point2F{1.0f, 1.0f});
   const ColorRGBA8 white{255, 255, 255, 255};
   const Box2F clip{5.0f, 5.0f, 40.0f, 20.0f};
   font->TextDraw(fontText, position, &clip, white, Point2F{2.0f, 0.5f}, 0.0f, 0.0f);
   FontManager::Release(font);
}
} // namespace Fuzz
} // namespace Corvale
