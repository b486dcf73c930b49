// A GLSL program: sources gathered per stage, compiled, attributes bound, linked.
#pragma once

#include "core/Table.h"
#include "core/Types.h"

namespace Corvale
{
enum ShaderStage : i32
{
   SHADER_STAGE_VERTEX = 0,
   SHADER_STAGE_FRAGMENT = 1,
   SHADER_STAGE_GEOMETRY = 2,
   SHADER_STAGE_COUNT = 3
};

class ShaderProgramGLSL
{
 public:
   // Needs a current GL context.
   void Init();
   void SourceAdd(i32 stage, const char* text);
   void AttributeLocationBind(const char* name, u32 index);
   bool Compile();
   bool Link();
   void Deinit();

   u32 programName = 0;
   u32 shaderNames[SHADER_STAGE_COUNT] = {0, 0, 0};
   i32 heapId = 0;
   char* name = nullptr;
   Table<char*> sources[SHADER_STAGE_COUNT];

 private:
   bool CompileHelper(i32 stage);
};
} // namespace Corvale
