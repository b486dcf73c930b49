// A picture made of textured rectangles cut from texture pages, so that art larger than one
// texture, or packed into shared sheets, still draws as one thing.
#pragma once

#include "core/Box.h"
#include "core/Color.h"
#include "core/Point.h"
#include "core/Types.h"

namespace Corvale
{
class Allocator;
class Texture;

struct ImagePart
{
   // The page the part is cut from; null for an empty part.
   Texture* texture = nullptr;
   // The rectangle on the page, in texels.
   float sourceX = 0.0f;
   float sourceY = 0.0f;
   float width = 0.0f;
   float height = 0.0f;
   // Where the rectangle lies relative to the image's origin.
   float offsetX = 0.0f;
   float offsetY = 0.0f;
   // Set: the texture goes back to the texture manager with the image.
   u8 ownsTexture = 0;
};

class Image
{
 public:
   bool PartsAllocate(i32 count);
   // PartsAllocate and an empty pixel block.
   bool Init(i32 count);
   void PartSet(const ImagePart& part, i32 index);
   // The union of the parts' boxes, recomputed after a part changed.
   Box2F BoundsGet();
   void Draw(const Point2F& position, const ColorRGBA8& color, float additive, float depth);
   // Draws what lies inside source, with source's corner placed at destination.
   void DrawRegion(const Box2F& source, const Point2F& destination, const ColorRGBA8& color, float depth,
                   float additive);
   // The box of the visible (non-zero alpha) texels inside clip, or of the whole image.
   void VisibleBoundsGet(Box2F* out, const Box2F* clip);
   bool HitCheck(const Point2F& point);
   void TexturesRelease();
   void Clear();
   void Deinit();
   // A new image of the parts that overlap rectangle, cut to it and moved by offset; the
   // textures are shared, not owned. Null when no part overlaps.
   static Image* SubImageCreate(const Image* image, const Box2F& rectangle, const Point2F& offset);

   // The four vertices {x, y, depth, u, t} that draw the part of a part inside region (in
   // image coordinates), moved by position; false when nothing of it is inside or the part has
   // no page.
   static bool PartQuadGet(const ImagePart& part, const Box2F* region, const Point2F& position, float depth,
                           float vertices[20]);

   i32 partCount = 0;
   ImagePart* parts = nullptr;
   u8 boundsChanged = 0;
   Box2F bounds;
   void* data = nullptr;
   Allocator* dataAllocator = nullptr;
};
} // namespace Corvale
