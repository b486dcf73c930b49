// The screen's OpenGL drawing state: the textured and flat GLSL programs, the modulating colour
// with its additive amount, the projection and model-view matrix stack, filled boxes and quads.
#pragma once

#include "core/Color.h"
#include "core/Table.h"
#include "platform/window/MatrixEntry.h"
#include "platform/window/ScreenCommon.h"

namespace Corvale
{
class ShaderProgramGLSL;
class Texture;

// Vertex array bits of VertexAttributeArraysSet.
enum : u32
{
   VERTEX_ARRAY_POSITION = 1,
   VERTEX_ARRAY_TEXCOORD = 2
};

// The built-in sources: textured vertex, textured fragment, flat vertex, flat fragment.
extern const char* const shaderSourcesDefault[4];

i32 PowerOfTwoCeil(i32 n);

class ScreenOpenGL : public ScreenCommon
{
 public:
   void GraphicsInit(const ScreenSettings& settings);
   void ShadersDestroy();
   void ShaderProgramSet(bool textured, bool force);
   void ColorSet(const ColorRGBA8& color, bool force, float additive);
   void ModelViewMatrixUpload(bool force);
   void ProjectionMatrixSet(const float matrix[16]);
   void VertexAttributeArraysSet(u32 bits);
   void ViewportUpdate() override;
   void Clear();
   void ClearColorSet(const ColorRGBA8& color);
   void BoxFilledDraw(const Box2F& box, const ColorRGBA8& color, float additive, const Box2F* clip) override;
   // The path of every sprite, image, glyph and particle: four vertices of (x, y, z, u, v) in the
   // order top-left, bottom-left, top-right, bottom-right.
   void TexturedQuadDraw(Texture* texture, const float vertices[20], const ColorRGBA8& color, float additive);
   void FrameRead(u8* pixels, i32 width, i32 height, i32 format) override;
   void FrameEnd() override;

   // The matrix stack; the top entry is the model-view matrix.
   void MatrixStackInit();
   void MatrixStackDeinit();
   MatrixEntry& MatrixTopGet() { return matrixStack[matrixStack.count - 1]; }
   void MatrixPush();
   void MatrixPop();
   void MatrixRotate(const float quaternion[4]);
   void MatrixTranslate(float x, float y);
   void MatrixScale(float sx, float sy);
   i32 MaxTextureSizeProbe();

   u8 matricesChanged = 0;
   Table<MatrixEntry> matrixStack;
   i32 trianglesThisFrame = 0;
   i32 trianglesPeak = 0;
   u8 currentProgramTextured = 0;
   ColorRGBA8 currentColor{255, 255, 255, 255};
   float currentAdditive = 0.0f;
   i32 anisotropyCurrent = 1;
   i32 anisotropyMax = 1;
   float projection[16] = {};
   u8 positionArrayEnabled = 0;
   u8 texCoordArrayEnabled = 0;
   i32 glslVersionMajor = 1;
   i32 glslVersionMinor = 10;
   u32 currentProgramName = 0;
   ShaderProgramGLSL* texturedProgram = nullptr;
   ShaderProgramGLSL* flatProgram = nullptr;
   i32 uniformModelView = -1;
   i32 uniformProjection = -1;
   i32 uniformColor = -1;
   i32 maxTextureWidth = 0;
   i32 maxTextureHeight = 0;

 private:
   void ColorUpload();
   ShaderProgramGLSL* ProgramCreate(const char* vertex, const char* fragment, bool textured);
};
} // namespace Corvale
