// Reading one animation's specification, loading its frames through the image manager, and
// choosing and drawing the frame for a time.
#include "platform/sprite/SpriteAnimation.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/StringHelpers.h"
#include "platform/image/Image.h"
#include "platform/image/ImageManagerOpenGL.h"
#include "platform/sprite/SpriteResourceFile.h"

namespace Corvale
{
namespace
{
// Members holding null are treated as if they were not there.
JSONValue* MemberGet(const JSONValue* spec, const char* key)
{
   JSONValue* value = spec->ItemFind(key);
   return value && value->TypeGet() != JSONValue::TYPE_NULL ? value : nullptr;
}

const char* FileNameGet(const SpriteResourceFile* file)
{
   return file && file->name ? file->name : "";
}

struct NamedOrigin
{
   const char* name;
   // Fractions of the bounds' width and height that the origin lies at.
   float fx;
   float fy;
};

// A sheet frame narrower or lower than a pixel is no frame at all, and the column count it gives
// would overflow: refused with one line (sheet null: nothing to check).
bool FrameSizeCheck(const Point2F& frameSize, const char* sheet)
{
   if (!sheet || !((frameSize.x > 0.0f && frameSize.x < 1.0f) || (frameSize.y > 0.0f && frameSize.y < 1.0f)))
   {
      return true;
   }
   WarningPrintf(
       "SpriteAnimation::FrameLoad -- frame size is too small.  frame size: (%g,%g), image filename: "
       "%s\n",
       frameSize.x, frameSize.y, sheet);
   return false;
}

const NamedOrigin namedOrigins[] = {
    {"Center", 0.5f, 0.5f},     {"TopLeft", 0.0f, 0.0f}, {"Top", 0.5f, 0.0f},
    {"TopRight", 1.0f, 0.0f},   {"Left", 0.0f, 0.5f},    {"Right", 1.0f, 0.5f},
    {"BottomLeft", 0.0f, 1.0f}, {"Bottom", 0.5f, 1.0f},  {"BottomRight", 1.0f, 1.0f},
};
} // namespace

u32 SpriteAnimation::ImageLoadFlagsGet() const
{
   u32 flags = 0;
   if (keepBitmapData)
   {
      flags |= IMAGE_LOAD_PRIVATE;
   }
   if (!preMultiplyAlpha)
   {
      flags |= IMAGE_LOAD_NO_PREMULTIPLY;
   }
   return flags;
}

void SpriteAnimation::Init(const char* animationName, JSONValue* spec, SpriteResourceFile* file)
{
   resourceFile = file;
   specification = spec;
   name = StringDuplicate(animationName ? animationName : "", HEAP_DEFAULT);
   referenceCount = 1;
   frameCount = 0;
   duration = 0;
   playType = SPRITE_PLAY_LOOP;
   offset = Point2F();
   keepBitmapData = 0;
   preMultiplyAlpha = 1;
   if (!spec)
   {
      return;
   }
   const char* fileName = FileNameGet(file);

   u32 frameDuration = 0;
   bool sheet = false;
   Point2F frameSize;
   bool originPending = false;
   JSONValue* sequence = nullptr;
   JSONValue* durations = nullptr;

   if (spec->TypeGet() == JSONValue::TYPE_STRING)
   {
      filename = StringDuplicate(spec->StringValueGet(), HEAP_DEFAULT);
      frameCount = 1;
      frameDuration = SPRITE_FRAME_DURATION_DEFAULT;
   }
   else if (spec->TypeGet() == JSONValue::TYPE_OBJECT)
   {
      JSONValue* filenameValue = MemberGet(spec, "Filename");
      if (!filenameValue || filenameValue->TypeGet() != JSONValue::TYPE_STRING)
      {
         return;
      }
      filename = StringDuplicate(filenameValue->StringValueGet(), HEAP_DEFAULT);

      JSONValue* countValue = MemberGet(spec, "FrameCount");
      frameCount = countValue ? countValue->IntValueGet() : 1;
      if (frameCount == 0)
      {
         frameCount = 1;
      }

      sequence = MemberGet(spec, "ImageSequence");
      if (sequence)
      {
         if (sequence->TypeGet() != JSONValue::TYPE_ARRAY)
         {
            WarningPrintf("SpriteAnimation::Init -- %s should be an array of numbers in animation \"%s\" in "
                          "file \"%s\"\n",
                          "ImageSequence", name, fileName);
            return;
         }
         frameCount = sequence->CountGet();
         if (frameCount == 0)
         {
            WarningPrintf("SpriteAnimation::Init -- %s is empty in animation \"%s\" in file \"%s\"\n",
                          "ImageSequence", name, fileName);
            return;
         }
      }

      JSONValue* rate = MemberGet(spec, "FrameRate");
      JSONValue* durationValue = MemberGet(spec, "FrameDuration");
      if (rate)
      {
         float framesPerSecond = rate->FloatValueGet();
         float milliseconds = framesPerSecond > 0.0f ? std::trunc(1000.0f / framesPerSecond) : -1.0f;
         // A rate of zero or below, or so slow that a frame outlasts any time we count, has no
         // meaningful frame time: fall back to the default.
         if (milliseconds >= 0.0f && milliseconds < 4294967296.0f)
         {
            frameDuration = static_cast<u32>(milliseconds);
         }
         else
         {
            if (framesPerSecond > 0.0f)
            {
               WarningPrintf(
                   "SpriteAnimation::Init -- %s %g is too slow in animation \"%s\" in file \"%s\"\n",
                   "FrameRate", framesPerSecond, name, fileName);
            }
            frameDuration = SPRITE_FRAME_DURATION_DEFAULT;
         }
      }
      else if (durationValue)
      {
         if (durationValue->TypeGet() == JSONValue::TYPE_NUMBER)
         {
            double value = durationValue->DoubleValueGet();
            // A negative time would wrap to an endless frame.
            frameDuration =
                value >= 0.0 ? durationValue->UnsignedIntValueGet() : SPRITE_FRAME_DURATION_DEFAULT;
         }
         else
         {
            WarningPrintf("SpriteAnimation::Init -- %s should be a number (not an array) in animation \"%s\" "
                          "in file \"%s\"\n",
                          "FrameDuration", name, fileName);
         }
      }
      else
      {
         frameDuration = SPRITE_FRAME_DURATION_DEFAULT;
      }

      durations = MemberGet(spec, "FrameDurations");
      if (durations)
      {
         if (durations->TypeGet() != JSONValue::TYPE_ARRAY)
         {
            WarningPrintf("SpriteAnimation::Init -- %s should be an array of numbers in animation \"%s\" in "
                          "file \"%s\"\n",
                          "FrameDurations", name, fileName);
            return;
         }
         if (durations->CountGet() == 0)
         {
            WarningPrintf("SpriteAnimation::Init -- %s is empty in animation \"%s\" in file \"%s\"\n",
                          "FrameDurations", name, fileName);
            return;
         }
         if (durations->CountGet() != frameCount)
         {
            WarningPrintf("SpriteAnimation::Init -- Number of entries in %s does not match the number of "
                          "frames in animation \"%s\" in file \"%s\"\n",
                          "FrameDurations", name, fileName);
            return;
         }
      }

      JSONValue* playTypeValue = MemberGet(spec, "PlayType");
      if (playTypeValue && playTypeValue->TypeGet() == JSONValue::TYPE_STRING)
      {
         const char* text = playTypeValue->StringValueGet();
         if (std::strcmp(text, "Loop") == 0)
         {
            playType = SPRITE_PLAY_LOOP;
         }
         else if (std::strcmp(text, "OneShot") == 0)
         {
            playType = SPRITE_PLAY_ONE_SHOT;
         }
         else if (std::strcmp(text, "PingPongLoop") == 0)
         {
            playType = SPRITE_PLAY_PING_PONG_LOOP;
         }
         else
         {
            WarningPrintf("SpriteAnimation -- Invalid PlayType \"%s\" for animation: %s\n", text, name);
         }
      }

      Point2F origin;
      if (spec->ItemPoint2FCheck("Origin") &&
          Point2FFromString(spec->ItemGet("Origin")->StringValueGet(), &origin))
      {
         offset.x = -origin.x;
         offset.y = -origin.y;
      }
      else
      {
         const Point2F zero;
         spec->Point2FGet(&offset, "Offset", &zero, "SpriteAnimation", name, false);
         originPending = !spec->ItemPoint2FCheck("Offset");
      }

      bool flag = false;
      spec->BoolGet(&flag, "KeepBitmapData", false);
      keepBitmapData = flag ? 1 : 0;
      spec->BoolGet(&flag, "PreMultiplyAlpha", true);
      preMultiplyAlpha = flag ? 1 : 0;

      if (spec->ItemPoint2FCheck("FrameSize"))
      {
         Point2FFromString(spec->ItemGet("FrameSize")->StringValueGet(), &frameSize);
         sheet = true;
      }
   }
   else
   {
      WarningPrintf(
          "SpriteAnimation -- Animation \"%s:%s\" specification is neither a string nor an object\n",
          fileName, name);
      return;
   }

   if (frameCount < 1 || !FrameSizeCheck(frameSize, sheet ? filename : nullptr))
   {
      return;
   }
   if (frameCount > SPRITE_FRAME_COUNT_MAX || !frames.Reserve(frameCount))
   {
      WarningPrintf(
          "SpriteAnimation::Init -- Frame count %d is more than %d in animation \"%s\" in file \"%s\"\n",
          frameCount, SPRITE_FRAME_COUNT_MAX, name, fileName);
      frameCount = 0;
      return;
   }

   if (durations)
   {
      for (i32 i = 0; i < frameCount; ++i)
      {
         duration += durations->ElementGet(i)->UnsignedIntValueGet();
      }
   }
   else
   {
      duration = static_cast<u32>(frameCount) * frameDuration;
   }

   u32 startTime = 0;
   for (i32 i = 0; i < frameCount; ++i)
   {
      if (sheet)
      {
         // Cells count from 1 in the sequence; the smallest number has no cell before it.
         i64 cell = sequence ? static_cast<i64>(sequence->ElementGet(i)->IntValueGet()) - 1 : i;
         FrameLoad(filename, startTime, frameSize, cell < 0 ? -1 : static_cast<i32>(cell));
      }
      else if (sequence)
      {
         FrameLoad(filename, startTime, sequence->ElementGet(i)->IntValueGet());
      }
      else if (frameCount == 1)
      {
         FrameLoad(filename, startTime);
      }
      else
      {
         FrameLoad(filename, startTime, i + 1);
      }
      startTime += durations ? durations->ElementGet(i)->UnsignedIntValueGet() : frameDuration;
   }

   if (originPending && spec->TypeGet() == JSONValue::TYPE_OBJECT)
   {
      JSONValue* originValue = MemberGet(spec, "Origin");
      if (!originValue)
      {
         return;
      }
      const char* text = originValue->StringValueGet();
      for (const NamedOrigin& named : namedOrigins)
      {
         if (text && std::strcmp(text, named.name) == 0)
         {
            Box2F bounds = BoundsGet();
            offset.x = -(bounds.x + bounds.width * named.fx);
            offset.y = -(bounds.y + bounds.height * named.fy);
            return;
         }
      }
      WarningPrintf("SpriteAnimation::Init -- Invalid Origin for animation: %s\n", name);
   }
}

void SpriteAnimation::Deinit()
{
   MemoryFree(name);
   name = nullptr;
   MemoryFree(filename);
   filename = nullptr;
   for (i32 i = 0; i < frames.count; ++i)
   {
      imageManager.Release(frames[i].image);
      imageManager.Release(frames[i].sheetImage);
   }
   frames = Table<SpriteAnimationFrame>();
   specification = nullptr;
}

i32 SpriteAnimation::FrameIndexGet(u32 time) const
{
   if (frames.count == 0)
   {
      return -1;
   }
   // Past the end the second, backward half of a ping-pong is playing.
   u32 t = time > duration ? 2 * duration - time : time;
   i32 low = 0;
   i32 high = frames.count;
   // The last frame whose start is not after t; the first when none qualifies.
   while (low < high)
   {
      i32 middle = (low + high) / 2;
      if (frames[middle].startTime <= t)
      {
         low = middle + 1;
      }
      else
      {
         high = middle;
      }
   }
   return low > 0 ? low - 1 : 0;
}

Point2F SpriteAnimation::SizeGet()
{
   Point2F size;
   i32 index = FrameIndexGet(0);
   if (index >= 0 && frames[index].image)
   {
      Box2F bounds = frames[index].image->BoundsGet();
      size.x = bounds.width;
      size.y = bounds.height;
   }
   return size;
}

Box2F SpriteAnimation::BoundsGet()
{
   Box2F result;
   for (i32 i = 0; i < frames.count; ++i)
   {
      if (!frames[i].image)
      {
         continue;
      }
      Box2F box = frames[i].image->BoundsGet();
      if (box.EmptyCheck())
      {
         continue;
      }
      box.x += offset.x;
      box.y += offset.y;
      result.Include(box);
   }
   return result;
}

void SpriteAnimation::Draw(u32 time, const Box2F* clip, const ColorRGBA8& color, float depth, float additive,
                           float x, float y)
{
   i32 index = FrameIndexGet(time);
   if (index < 0 || !frames[index].image)
   {
      return;
   }
   Image* image = frames[index].image;
   if (!clip)
   {
      image->Draw(Point2F{offset.x + x, offset.y + y}, color, additive, depth);
      return;
   }
   Box2F source{clip->x - offset.x, clip->y - offset.y, clip->width, clip->height};
   image->DrawRegion(source, Point2F{x, y}, color, depth, additive);
}

bool SpriteAnimation::PointTest(const Point2F& point)
{
   i32 index = FrameIndexGet(0);
   if (index < 0 || !frames[index].image)
   {
      return false;
   }
   return frames[index].image->HitCheck(Point2F{point.x - offset.x, point.y - offset.y});
}

void SpriteAnimation::FrameLoad(const char* file, u32 startTime)
{
   SpriteAnimationFrame frame;
   frame.image = imageManager.Load(file, ImageLoadFlagsGet());
   frame.startTime = startTime;
   frames.Insert(frame, frames.count);
}

void SpriteAnimation::FrameLoad(const char* file, u32 startTime, i32 number)
{
   char path[260];
   SpriteAnimationFrame frame;
   if (NultSnprintf(path, sizeof(path), "%s/%03d", file ? file : "", number))
   {
      frame.image = imageManager.Load(path, ImageLoadFlagsGet());
   }
   frame.startTime = startTime;
   frames.Insert(frame, frames.count);
}

void SpriteAnimation::FrameLoad(const char* file, u32 startTime, const Point2F& frameSize, i32 cellIndex)
{
   Image* sheet = imageManager.Load(file, ImageLoadFlagsGet());
   if (!sheet)
   {
      return;
   }
   Box2F bounds = sheet->BoundsGet();
   // A frame size of zero or below would divide by zero; it fits no column either. A frame
   // narrower than a pixel is no frame at all, and its column count would overflow.
   float columnsFitting =
       frameSize.x > 0.0f && frameSize.y > 0.0f && std::isfinite(frameSize.x) && std::isfinite(frameSize.y)
           ? std::trunc(bounds.width / frameSize.x)
           : 0.0f;
   if (!(columnsFitting >= 1.0f))
   {
      WarningPrintf("SpriteAnimation::FrameLoad -- frame size is too wide for this image.  frame size: "
                    "(%d,%d), image size: (%d,%d), image filename: %s\n",
                    DoubleToInt(frameSize.x), DoubleToInt(frameSize.y), DoubleToInt(bounds.width),
                    DoubleToInt(bounds.height), file);
      imageManager.Release(sheet);
      return;
   }
   if (!FrameSizeCheck(frameSize, file))
   {
      imageManager.Release(sheet);
      return;
   }
   i32 columns = DoubleToInt(columnsFitting);
   Image* cell = nullptr;
   if (cellIndex >= 0)
   {
      i32 column = cellIndex % columns;
      i32 row = cellIndex / columns;
      Box2F rectangle{column * frameSize.x, row * frameSize.y, frameSize.x, frameSize.y};
      cell = Image::SubImageCreate(sheet, rectangle, Point2F{-column * frameSize.x, -row * frameSize.y});
   }
   if (!cell)
   {
      // A cell outside the sheet: no frame.
      imageManager.Release(sheet);
      return;
   }
   SpriteAnimationFrame frame;
   frame.image = cell;
   frame.startTime = startTime;
   frame.sheetImage = sheet;
   frames.Insert(frame, frames.count);
}
} // namespace Corvale
