// Fuzz targets of the picture readers: PNG files, packed ".tex" textures and ".img" images,
// each loaded the way the program loads art and then measured and hit-tested.
#include "core/Allocator.h"
#include "core/FileManager.h"
#include "core/Memory.h"
#include "platform/image/Bitmap.h"
#include "platform/image/BitmapLoaderPNG.h"
#include "platform/image/Image.h"
#include "platform/image/ImageManagerOpenGL.h"
#include "platform/image/TextureManagerOpenGL.h"
#include "tests/fuzz/harness/FuzzEnvironment.h"
#include "tests/fuzz/targets/FuzzTargetList.h"

namespace Corvale
{
namespace Fuzz
{
namespace
{
// Everything the program asks of an image: bounds, visible bounds whole and clipped, hits and a
// sheet cell.
void ImageExercise(Image* image)
{
   Box2F bounds = image->BoundsGet();
   Box2F visible;
   image->VisibleBoundsGet(&visible, nullptr);
   const Box2F clip{bounds.x + 1.0f, bounds.y + 1.0f, bounds.width / 2.0f, bounds.height / 2.0f};
   image->VisibleBoundsGet(&visible, &clip);
   const Point2F points[] = {{0.0f, 0.0f},
                             {bounds.x + bounds.width / 2.0f, bounds.y + bounds.height / 2.0f},
                             {bounds.x + bounds.width - 0.5f, bounds.y + bounds.height - 0.5f}};
   for (const Point2F& point : points)
   {
      image->HitCheck(point);
   }
   Image* cell = Image::SubImageCreate(image, clip, Point2F{-clip.x, -clip.y});
   if (cell)
   {
      imageManager.Release(cell);
   }
}
} // namespace

void FuzzPNG(const u8* data, size_t size)
{
   FuzzEnvironment::Init();
   FuzzInputFile file(data, size);
   Bitmap* bitmap = bitmapLoaderPNG.Load(&file, allocatorTemp, HEAP_DEFAULT, HEAP_TEMP);
   if (bitmap)
   {
      bitmap->BoundsGet(nullptr);
      bitmap->PremultiplyAlpha();
      Bitmap::Destroy(bitmap);
   }
}

void FuzzTex(const u8* data, size_t size)
{
   if (!FuzzEnvironment::ScreenInit() || !FuzzEnvironment::InputWrite("FuzzTexture.tex", data, size))
   {
      return;
   }
   Texture* texture = textureManager.Load("FuzzTexture");
   if (texture)
   {
      textureManager.Release(texture);
   }
}

void FuzzImg(const u8* data, size_t size)
{
   if (!FuzzEnvironment::ScreenInit() || !FuzzEnvironment::InputWrite("FuzzImage.img", data, size))
   {
      return;
   }
   // Kept pixels, as fonts and hit-tested sprites load them, so that every texel path runs.
   Image* image = imageManager.Load("FuzzImage", IMAGE_LOAD_PRIVATE);
   if (image)
   {
      ImageExercise(image);
      imageManager.Release(image);
   }
}
} // namespace Fuzz
} // namespace Corvale
