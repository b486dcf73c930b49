// A named animation of a sprite resource file: timed frames cut from whole images, numbered
// images or a sprite sheet, with an offset and a play type.
#pragma once

#include "core/Box.h"
#include "core/Color.h"
#include "core/Point.h"
#include "core/Table.h"
#include "core/Types.h"

namespace Corvale
{
class Image;
class JSONValue;
class SpriteResourceFile;

enum SpriteAnimationPlayType : u32
{
   SPRITE_PLAY_LOOP = 0,
   SPRITE_PLAY_ONE_SHOT = 1,
   SPRITE_PLAY_PING_PONG_LOOP = 2
};

// Frame time when a specification gives none.
constexpr u32 SPRITE_FRAME_DURATION_DEFAULT = 33;
// More frames than any animation needs: a larger count is damage, refused before loading.
constexpr i32 SPRITE_FRAME_COUNT_MAX = 65536;

struct SpriteAnimationFrame
{
   // The picture shown; null when its image did not load (nothing is drawn then).
   Image* image = nullptr;
   u32 startTime = 0;
   // For a sheet cell: the whole sheet, whose textures the cell borrows.
   Image* sheetImage = nullptr;
};

class SpriteAnimation
{
 public:
   virtual ~SpriteAnimation() = default;

   // Reads the specification and loads the frames; a refused specification leaves no frames.
   void Init(const char* animationName, JSONValue* spec, SpriteResourceFile* file);
   void Deinit();

   Point2F SizeGet();
   Box2F BoundsGet();
   void Draw(u32 time, const Box2F* clip, const ColorRGBA8& color, float depth, float additive, float x,
             float y);
   bool PointTest(const Point2F& point);

   // A frame showing the whole image.
   void FrameLoad(const char* file, u32 startTime);
   // A frame showing the numbered image "<file>/NNN".
   void FrameLoad(const char* file, u32 startTime, i32 number);
   // A frame cut from cell cellIndex of the sheet file, cells counted row by row.
   void FrameLoad(const char* file, u32 startTime, const Point2F& frameSize, i32 cellIndex);

   // The index of the frame shown at time, or -1 without frames.
   i32 FrameIndexGet(u32 time) const;

   char* name = nullptr;
   char* filename = nullptr;
   SpriteResourceFile* resourceFile = nullptr;
   u8 keepBitmapData = 0;
   u8 preMultiplyAlpha = 1;
   i32 frameCount = 0;
   u32 duration = 0;
   u32 playType = SPRITE_PLAY_LOOP;
   Table<SpriteAnimationFrame> frames;
   Point2F offset;
   i32 referenceCount = 0;
   JSONValue* specification = nullptr;

 private:
   u32 ImageLoadFlagsGet() const;
};
} // namespace Corvale
