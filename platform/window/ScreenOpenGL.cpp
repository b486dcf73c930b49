// OpenGL 2.0 drawing through two tiny GLSL programs, premultiplied blending, client-side arrays
// and an affine matrix stack. Redundant state changes are skipped: the program, the colour, the
// model-view matrix and the attribute arrays are only sent when they change.
#include <epoxy/gl.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "platform/window/ScreenOpenGL.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "core/Allocator.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "platform/window/ShaderProgramGLSL.h"
#include "platform/image/Texture.h"

namespace Corvale
{
namespace
{
const char texturedVertexSource[] = "#version 110\n"
                                    "attribute vec3 attributePosition;\n"
                                    "attribute vec2 attributeTexCoord0;\n"
                                    "#define varyingPosition gl_Position\n"
                                    "varying vec2 varyingTexCoord0;\n"
                                    "uniform mat4 modelViewMatrix;\n"
                                    "uniform mat4 projectionMatrix;\n"
                                    "void main()\n"
                                    "{\n"
                                    "   varyingTexCoord0 = attributeTexCoord0;\n"
                                    "   varyingPosition = (projectionMatrix * modelViewMatrix) * "
                                    "vec4(attributePosition, 1.0);\n"
                                    "}";

const char texturedFragmentSource[] = "#version 110\n"
                                      "varying vec2 varyingTexCoord0;\n"
                                      "#define fragmentColor gl_FragColor\n"
                                      "uniform vec4 colorModulative;\n"
                                      "uniform sampler2D diffuseTexture;\n"
                                      "void main()\n"
                                      "{\n"
                                      "   fragmentColor = colorModulative * texture2D(diffuseTexture, "
                                      "varyingTexCoord0);\n"
                                      "}";

const char flatVertexSource[] = "#version 110\n"
                                "attribute vec3 attributePosition;\n"
                                "#define varyingPosition gl_Position\n"
                                "uniform mat4 modelViewMatrix;\n"
                                "uniform mat4 projectionMatrix;\n"
                                "void main()\n"
                                "{\n"
                                "   varyingPosition = (projectionMatrix * modelViewMatrix) * "
                                "vec4(attributePosition, 1.0);\n"
                                "}";

const char flatFragmentSource[] = "#version 110\n"
                                  "#define fragmentColor gl_FragColor\n"
                                  "uniform vec4 colorModulative;\n"
                                  "void main()\n"
                                  "{\n"
                                  "   fragmentColor = colorModulative;\n"
                                  "}";

bool ColorsEqual(const ColorRGBA8& a, const ColorRGBA8& b)
{
   return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
}

// Largest square proxy texture of one dimension that GL accepts, from the reported maximum down.
i32 ProxySizeProbe()
{
   GLint reported = 0;
   glGetIntegerv(GL_MAX_TEXTURE_SIZE, &reported);
   if (reported <= 0)
   {
      return 0;
   }
   for (i32 size = PowerOfTwoCeil(reported); size > 0; size /= 2)
   {
      glTexImage2D(GL_PROXY_TEXTURE_2D, 0, GL_RGBA, size, size, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
      GLint width = 0;
      glGetTexLevelParameteriv(GL_PROXY_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
      if (width != 0)
      {
         return size;
      }
   }
   return 0;
}

// A software renderer (Mesa's llvmpipe) records each frame's commands in blocks that it mallocs
// and frees again once the frame is drawn, with a state record of some 32 KB for every texture
// change. Under glibc's default trim threshold the freed top of the heap went back to the kernel
// at the end of every frame and was faulted in again page by page in the next, which cost far
// more than the drawing: a face-creator frame, some 300 texture changes, took about 95 ms of CPU
// that way and under 3 ms with the memory kept in the process.
constexpr int FRAME_MEMORY_KEPT = 64 << 20;

void FreedFrameMemoryKeep()
{
#ifdef __GLIBC__
   mallopt(M_TRIM_THRESHOLD, FRAME_MEMORY_KEPT);
#endif
}
} // namespace

const char* const shaderSourcesDefault[4] = {texturedVertexSource, texturedFragmentSource, flatVertexSource,
                                             flatFragmentSource};

i32 PowerOfTwoCeil(i32 n)
{
   i32 power = 1;
   while (power < n && power < (1 << 30))
   {
      power <<= 1;
   }
   return power;
}

ShaderProgramGLSL* ScreenOpenGL::ProgramCreate(const char* vertex, const char* fragment, bool textured)
{
   ShaderProgramGLSL* program = MemoryNew<ShaderProgramGLSL>(heapId);
   if (!program)
   {
      return nullptr;
   }
   program->Init();
   program->SourceAdd(SHADER_STAGE_VERTEX, vertex);
   program->SourceAdd(SHADER_STAGE_FRAGMENT, fragment);
   // Failures are logged by the program; drawing goes on without it.
   program->Compile();
   program->AttributeLocationBind("attributePosition", 0);
   if (textured)
   {
      program->AttributeLocationBind("attributeTexCoord0", 1);
   }
   program->Link();
   return program;
}

void ScreenOpenGL::GraphicsInit(const ScreenSettings& settings)
{
   FreedFrameMemoryKeep();
   if (epoxy_gl_version() < 20)
   {
      ErrorPrintf("OpenGL 2.0 does not seem to be supported by this system.  You may need to update your "
                  "graphics drivers to use this software.\n");
   }
   if (MaxTextureSizeProbe() < 1024)
   {
      ErrorPrintf("This system does not seem to support the required texture size (%dx%d).You may need to "
                  "update your graphics drivers to use this software.\n",
                  1024, 1024);
   }
   const char* version = reinterpret_cast<const char*>(glGetString(GL_SHADING_LANGUAGE_VERSION));
   if (!version || std::sscanf(version, "%d.%d", &glslVersionMajor, &glslVersionMinor) != 2)
   {
      glslVersionMajor = 1;
      glslVersionMinor = 10;
   }
   anisotropyCurrent = anisotropyMax = 1;
   if (epoxy_has_gl_extension("GL_EXT_texture_filter_anisotropic"))
   {
      GLfloat maximum = 1.0f;
      glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &maximum);
      anisotropyCurrent = anisotropyMax = std::max(1, static_cast<i32>(std::floor(maximum + 0.5f)));
   }
   positionArrayEnabled = 0;
   texCoordArrayEnabled = 0;
   glDisableVertexAttribArray(0);
   glDisableVertexAttribArray(1);
   currentProgramTextured = 0;
   currentProgramName = 0;
   ClearColorSet(ColorRGBA8{0, 0, 0, 0});
   MatrixEntry identity;
   MatrixIdentitySet(&identity);
   MatrixTo4x4(identity, projection);

   const char* const* replacements = settings.shaderSources;
   texturedProgram = ProgramCreate(replacements[0] ? replacements[0] : shaderSourcesDefault[0],
                                   replacements[1] ? replacements[1] : shaderSourcesDefault[1], true);
   flatProgram = ProgramCreate(replacements[2] ? replacements[2] : shaderSourcesDefault[2],
                               replacements[3] ? replacements[3] : shaderSourcesDefault[3], false);

   glEnable(GL_BLEND);
   glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
   ViewportUpdate();
}

void ScreenOpenGL::ShadersDestroy()
{
   ShaderProgramGLSL* programs[2] = {texturedProgram, flatProgram};
   for (ShaderProgramGLSL* program : programs)
   {
      if (program)
      {
         program->Deinit();
         MemoryDelete(program);
      }
   }
   texturedProgram = nullptr;
   flatProgram = nullptr;
   currentProgramName = 0;
}

void ScreenOpenGL::ColorUpload()
{
   const float a = currentColor.a / 255.0f;
   glUniform4f(uniformColor, currentColor.r / 255.0f * a, currentColor.g / 255.0f * a,
               currentColor.b / 255.0f * a, (1.0f - currentAdditive) * a);
}

void ScreenOpenGL::ShaderProgramSet(bool textured, bool force)
{
   ShaderProgramGLSL* program = textured ? texturedProgram : flatProgram;
   const u32 programName = program ? program->programName : 0;
   if (!force && (currentProgramTextured != 0) == textured && currentProgramName == programName)
   {
      return;
   }
   currentProgramTextured = textured ? 1 : 0;
   if (programName != currentProgramName)
   {
      glUseProgram(programName);
      currentProgramName = programName;
   }
   if (programName == 0)
   {
      uniformModelView = uniformProjection = uniformColor = -1;
      return;
   }
   uniformModelView = glGetUniformLocation(programName, "modelViewMatrix");
   uniformProjection = glGetUniformLocation(programName, "projectionMatrix");
   uniformColor = glGetUniformLocation(programName, "colorModulative");
   ColorUpload();
   ModelViewMatrixUpload(true);
   glUniformMatrix4fv(uniformProjection, 1, GL_FALSE, projection);
   if (textured)
   {
      glUniform1i(glGetUniformLocation(programName, "diffuseTexture"), 0);
   }
}

void ScreenOpenGL::ColorSet(const ColorRGBA8& color, bool force, float additive)
{
   if (!force && ColorsEqual(color, currentColor) && additive == currentAdditive)
   {
      return;
   }
   currentColor = color;
   currentAdditive = additive;
   ColorUpload();
}

void ScreenOpenGL::ModelViewMatrixUpload(bool force)
{
   if (!matricesChanged && !force)
   {
      return;
   }
   matricesChanged = 0;
   if (matrixStack.count == 0)
   {
      return;
   }
   float matrix[16];
   MatrixTo4x4(MatrixTopGet(), matrix);
   glUniformMatrix4fv(uniformModelView, 1, GL_FALSE, matrix);
}

void ScreenOpenGL::ProjectionMatrixSet(const float matrix[16])
{
   std::memcpy(projection, matrix, sizeof(projection));
   glUniformMatrix4fv(uniformProjection, 1, GL_FALSE, projection);
}

void ScreenOpenGL::VertexAttributeArraysSet(u32 bits)
{
   const u8 position = (bits & VERTEX_ARRAY_POSITION) ? 1 : 0;
   const u8 texCoord = (bits & VERTEX_ARRAY_TEXCOORD) ? 1 : 0;
   if (position != positionArrayEnabled)
   {
      position ? glEnableVertexAttribArray(0) : glDisableVertexAttribArray(0);
      positionArrayEnabled = position;
   }
   if (texCoord != texCoordArrayEnabled)
   {
      texCoord ? glEnableVertexAttribArray(1) : glDisableVertexAttribArray(1);
      texCoordArrayEnabled = texCoord;
   }
}

void ScreenOpenGL::ViewportUpdate()
{
   ShaderProgramSet(true, true);
   const ColorRGBA8 white{255, 255, 255, 255};
   if (!ColorsEqual(currentColor, white) || currentAdditive != 0.0f)
   {
      ColorSet(white, true, 0.0f);
   }
   glViewport(0, 0, clientWidth, clientHeight);

   float sx = 1.0f, sy = 1.0f;
   const bool aspect = AspectCorrectionCheck();
   if (aspect)
   {
      AspectScaleGet(&sx, &sy);
   }
   // Orthographic projection of the virtual area, y growing downwards, scaled into the letterbox.
   const PlatformRect area = VirtualAreaGet();
   const float left = static_cast<float>(area.x);
   const float right = static_cast<float>(area.x + area.width);
   const float top = static_cast<float>(area.y);
   const float bottom = static_cast<float>(area.y + area.height);
   float matrix[16] = {};
   matrix[0] = sx * 2.0f / (right - left);
   matrix[5] = sy * 2.0f / (top - bottom);
   matrix[10] = -1.0f;
   matrix[12] = sx * -(right + left) / (right - left);
   matrix[13] = sy * -(top + bottom) / (top - bottom);
   matrix[15] = 1.0f;
   ProjectionMatrixSet(matrix);

   if (scissorDisabled)
   {
      glDisable(GL_SCISSOR_TEST);
   }
   else
   {
      float factorX = sx, factorY = sy;
      if (aspect && PreparedAreaEnabledCheck())
      {
         const PlatformRect box = PreparedAreaVisibleBoxGet();
         i32 desktopW = 0, desktopH = 0;
         DesktopSizeGet(&desktopW, &desktopH);
         if (box.height != 0 && desktopW != 0 && desktopH != 0)
         {
            const float r = (static_cast<float>(box.width) / static_cast<float>(box.height)) /
                            (static_cast<float>(desktopW) / static_cast<float>(desktopH));
            const float s = std::max(1.0f, r);
            factorX = r / s;
            factorY = 1.0f / s;
         }
      }
      const i32 width = static_cast<i32>(std::floor(clientWidth * factorX));
      const i32 height = static_cast<i32>(std::floor(clientHeight * factorY));
      const i32 x = static_cast<i32>(std::ceil((clientWidth - width) / 2.0f));
      const i32 y = static_cast<i32>(std::ceil((clientHeight - height) / 2.0f));
      glScissor(x, y, width, height);
      glEnable(GL_SCISSOR_TEST);
   }
   glDepthMask(GL_FALSE);
   glDisable(GL_DEPTH_TEST);
}

void ScreenOpenGL::Clear()
{
   if (clearedThisFrame)
   {
      return;
   }
   clearedThisFrame = 1;
   trianglesPeak = std::max(trianglesPeak, trianglesThisFrame);
   trianglesThisFrame = 0;
   const GLboolean scissor = glIsEnabled(GL_SCISSOR_TEST);
   glDisable(GL_SCISSOR_TEST);
   // Colour only: nothing tests depth, and clearing the depth of a buffer that shares its bytes with
   // the stencil is a slow masked pass in a software renderer.
   glClear(GL_COLOR_BUFFER_BIT);
   if (scissor)
   {
      glEnable(GL_SCISSOR_TEST);
   }
}

void ScreenOpenGL::FrameEnd()
{
   if (!clearedThisFrame)
   {
      return;
   }
   clearedThisFrame = 0;
   glFinish();
}

void ScreenOpenGL::ClearColorSet(const ColorRGBA8& color)
{
   glClearColor(color.r / 255.0f, color.g / 255.0f, color.b / 255.0f, color.a / 255.0f);
}

void ScreenOpenGL::BoxFilledDraw(const Box2F& boxGiven, const ColorRGBA8& color, float additive,
                                 const Box2F* clip)
{
   Box2F box = boxGiven;
   if (clip)
   {
      const float left = std::max(box.x, clip->x);
      const float top = std::max(box.y, clip->y);
      const float right = std::min(box.x + box.width, clip->x + clip->width);
      const float bottom = std::min(box.y + box.height, clip->y + clip->height);
      if (right <= left || bottom <= top)
      {
         return;
      }
      box = Box2F{left, top, right - left, bottom - top};
   }
   if (!(box.width > 0.0f) || !(box.height > 0.0f))
   {
      return;
   }
   ShaderProgramSet(false, false);
   ModelViewMatrixUpload(false);
   ColorSet(color, false, additive);
   VertexAttributeArraysSet(VERTEX_ARRAY_POSITION);
   const float vertices[12] = {box.x,
                               box.y,
                               0.0f,
                               box.x,
                               box.y + box.height,
                               0.0f,
                               box.x + box.width,
                               box.y,
                               0.0f,
                               box.x + box.width,
                               box.y + box.height,
                               0.0f};
   glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 12, vertices);
   // An opaque colour replaces what lies below exactly as blending would; without blending the
   // renderer need not read the pixels it covers, which a software renderer feels on a backdrop.
   const bool opaque = color.a == 255 && additive == 0.0f;
   if (opaque)
   {
      glDisable(GL_BLEND);
   }
   glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
   if (opaque)
   {
      glEnable(GL_BLEND);
   }
   trianglesThisFrame += 2;
}

void ScreenOpenGL::TexturedQuadDraw(Texture* texture, const float vertices[20], const ColorRGBA8& color,
                                    float additive)
{
   ShaderProgramSet(true, false);
   ModelViewMatrixUpload(false);
   ColorSet(color, false, additive);
   VertexAttributeArraysSet(VERTEX_ARRAY_POSITION | VERTEX_ARRAY_TEXCOORD);
   glBindTexture(GL_TEXTURE_2D, texture ? texture->name : 0);
   Texture::ParametersApply();
   glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 20, vertices);
   glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, 20, vertices + 3);
   // An opaque texture in an opaque colour replaces what lies below exactly as blending would.
   const bool opaque = texture && texture->opaque && color.a == 255 && additive == 0.0f;
   if (opaque)
   {
      glDisable(GL_BLEND);
   }
   glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
   if (opaque)
   {
      glEnable(GL_BLEND);
   }
   trianglesThisFrame += 2;
}

void ScreenOpenGL::FrameRead(u8* pixels, i32 width, i32 height, i32 format)
{
   if (!pixels || width != clientWidth || height != clientHeight || (format != 0 && format != 1))
   {
      return;
   }
   glFinish();
   // The back buffer of the finished frame: after a swap the front buffer may read as zeros.
   glReadBuffer(GL_BACK);
   glPixelStorei(GL_PACK_ALIGNMENT, 4);
   glPixelStorei(GL_PACK_ROW_LENGTH, 0);
   glPixelStorei(GL_PACK_SKIP_ROWS, 0);
   glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
   const i32 bytesPerPixel = format == 0 ? 3 : 4;
   const GLenum glFormat = format == 0 ? GL_RGB : GL_RGBA;
   for (i32 row = 0; row < height; ++row)
   {
      glReadPixels(0, height - 1 - row, width, 1, glFormat, GL_UNSIGNED_BYTE,
                   pixels + static_cast<size_t>(row) * width * bytesPerPixel);
   }
}

void ScreenOpenGL::MatrixStackInit()
{
   matrixStack = Table<MatrixEntry>(allocatorHeaps[heapId]);
   if (matrixStack.capacity < 32)
   {
      matrixStack.Reserve(32);
   }
   MatrixEntry identity;
   MatrixIdentitySet(&identity);
   matrixStack.Insert(identity, matrixStack.count);
   matricesChanged = 1;
}

void ScreenOpenGL::MatrixStackDeinit()
{
   matrixStack = Table<MatrixEntry>(matrixStack.allocator);
}

void ScreenOpenGL::MatrixPush()
{
   if (matrixStack.count == 0)
   {
      MatrixEntry identity;
      MatrixIdentitySet(&identity);
      matrixStack.Insert(identity, 0);
      return;
   }
   const MatrixEntry top = MatrixTopGet();
   matrixStack.Insert(top, matrixStack.count);
}

void ScreenOpenGL::MatrixPop()
{
   matricesChanged = 1;
   if (matrixStack.count > 0)
   {
      matrixStack.SizeSet(matrixStack.count - 1);
   }
   // The stack never runs empty: the identity comes back.
   if (matrixStack.count == 0)
   {
      MatrixEntry identity;
      MatrixIdentitySet(&identity);
      matrixStack.Insert(identity, 0);
   }
}

void ScreenOpenGL::MatrixRotate(const float quaternion[4])
{
   MatrixEntry rotation;
   MatrixFromQuaternion(&rotation, quaternion);
   const MatrixEntry top = MatrixTopGet();
   MatrixMultiply(&MatrixTopGet(), top, rotation);
   matricesChanged = 1;
}

void ScreenOpenGL::MatrixTranslate(float x, float y)
{
   MatrixEntry& top = MatrixTopGet();
   for (i32 r = 0; r < 3; ++r)
   {
      top.e[9 + r] += x * top.e[r] + y * top.e[3 + r];
   }
   top.kind &= ~static_cast<u32>(MATRIX_KIND_NO_TRANSLATION);
   matricesChanged = 1;
}

void ScreenOpenGL::MatrixScale(float sx, float sy)
{
   MatrixEntry& top = MatrixTopGet();
   for (i32 r = 0; r < 3; ++r)
   {
      top.e[r] *= sx;
      top.e[3 + r] *= sy;
   }
   top.kind &= ~static_cast<u32>(MATRIX_KIND_UNIT_SCALE);
   matricesChanged = 1;
}

i32 ScreenOpenGL::MaxTextureSizeProbe()
{
   maxTextureWidth = ProxySizeProbe();
   maxTextureHeight = ProxySizeProbe();
   return std::min(maxTextureWidth, maxTextureHeight);
}
} // namespace Corvale
