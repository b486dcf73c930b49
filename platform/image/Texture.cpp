// Texture objects: name creation, upload from pixel data, and the sampling parameters.
#include <epoxy/gl.h>

#include "platform/image/Texture.h"

#include <cmath>

#include "core/Allocator.h"
#include "platform/image/Bitmap.h"

namespace Corvale
{
namespace
{
// Asked once: textures are bound for every quad, and the one context never changes version.
i32 GLVersionGet()
{
   static i32 version = 0;
   if (version == 0)
   {
      version = epoxy_gl_version();
   }
   return version;
}

// Whether every texel of the pixels has full alpha; formats without alpha always do.
bool PixelsOpaqueCheck(const void* pixels, i32 width, i32 height, i32 format)
{
   if (format == 0 || format == 3 || format == 5)
   {
      return true;
   }
   if (!pixels || width <= 0 || height <= 0)
   {
      return false;
   }
   const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
   const u8* bytes = static_cast<const u8*>(pixels);
   switch (format)
   {
   case 1:
   case 6:
      for (size_t i = 0; i < count; ++i)
      {
         if (bytes[i * 4 + 3] != 0xFF)
         {
            return false;
         }
      }
      return true;
   case 2:
   {
      // 4-4-4-4 in native shorts: alpha is the low nibble.
      const u16* texels = static_cast<const u16*>(pixels);
      for (size_t i = 0; i < count; ++i)
      {
         if ((texels[i] & 0xF) != 0xF)
         {
            return false;
         }
      }
      return true;
   }
   case 4:
      for (size_t i = 0; i < count; ++i)
      {
         if (bytes[i * 2 + 1] != 0xFF)
         {
            return false;
         }
      }
      return true;
   default:
      return false;
   }
}
} // namespace

bool Texture::NameCreate()
{
   GLuint created = 0;
   glGenTextures(1, &created);
   name = created;
   return name != 0;
}

bool Texture::PixelsUpload(const void* pixels, i32 width, i32 height, i32 format, u32 flags)
{
   const bool gl12 = GLVersionGet() >= 12;
   GLenum glFormat;
   GLenum type;
   switch (format)
   {
   case 0:
   case 5:
      glFormat = GL_RGB;
      type = GL_UNSIGNED_BYTE;
      break;
   case 1:
   case 6:
      glFormat = GL_RGBA;
      type = GL_UNSIGNED_BYTE;
      break;
   case 2:
      glFormat = GL_RGBA;
      type = GL_UNSIGNED_SHORT_4_4_4_4;
      break;
   case 3:
      glFormat = GL_RGB;
      type = GL_UNSIGNED_SHORT_5_6_5;
      break;
   case 4:
      glFormat = GL_LUMINANCE_ALPHA;
      type = GL_UNSIGNED_BYTE;
      break;
   default:
      return false;
   }
   if ((format == 2 || format == 3) && !gl12)
   {
      return false;
   }
   const bool mipmaps =
       (flags & TEXTURE_FLAG_MIPMAPS) != 0 && width == height && width > 0 && (width & (width - 1)) == 0;
   glBindTexture(GL_TEXTURE_2D, name);
   const bool generate = mipmaps && GLVersionGet() >= 14;
   if (generate)
   {
      glTexParameteri(GL_TEXTURE_2D, GL_GENERATE_MIPMAP, GL_TRUE);
   }
   // Rows are packed tightly, whatever their width.
   glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
   glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(glFormat), width, height, 0, glFormat, type, pixels);
   opaque = PixelsOpaqueCheck(pixels, width, height, format) ? 1 : 0;
   levelCount = generate ? static_cast<i32>(std::floor(std::log2(static_cast<double>(width)) + 0.5)) + 1 : 1;
   return true;
}

bool Texture::Upload(Bitmap* source, u32 flags)
{
   if (!source || !PixelsUpload(source->pixels, source->width, source->height, source->format, flags))
   {
      return false;
   }
   bitmap = source;
   return true;
}

void Texture::BitmapRelease()
{
   if (bitmap)
   {
      bitmap->PixelsRelease();
   }
   if (extraData && extraDataAllocator)
   {
      extraDataAllocator->Free(extraData);
   }
   extraData = nullptr;
}

void Texture::Deinit()
{
   if (name != 0)
   {
      GLuint deleted = name;
      glDeleteTextures(1, &deleted);
      name = 0;
   }
   levelCount = 1;
   if (extraData && extraDataAllocator)
   {
      extraDataAllocator->Free(extraData);
   }
   extraData = nullptr;
}

void Texture::ParametersApply()
{
   if (GLVersionGet() >= 12)
   {
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
   }
   else
   {
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
   }
}
} // namespace Corvale
