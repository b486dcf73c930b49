// GLSL program building with compile and link logs sent to the log.
#include <epoxy/gl.h>

#include "platform/window/ShaderProgramGLSL.h"

#include "core/Allocator.h"
#include "core/Log.h"
#include "core/Memory.h"

namespace Corvale
{
namespace
{
constexpr i32 LOG_SIZE_MAX = 1024;
const char* const stageNames[SHADER_STAGE_COUNT] = {"vertex", "fragment", "geometry_arb"};
} // namespace

void ShaderProgramGLSL::Init()
{
   heapId = 0;
   name = nullptr;
   for (Table<char*>& table : sources)
   {
      table.allocator = allocatorHeaps[heapId];
   }
   programName = glCreateProgram();
}

void ShaderProgramGLSL::SourceAdd(i32 stage, const char* text)
{
   if (!text || stage < 0 || stage >= SHADER_STAGE_COUNT)
   {
      return;
   }
   char* copy = StringDuplicate(text, heapId);
   if (copy)
   {
      sources[stage].Insert(copy, sources[stage].count);
   }
}

void ShaderProgramGLSL::AttributeLocationBind(const char* attributeName, u32 index)
{
   if (programName != 0)
   {
      glBindAttribLocation(programName, index, attributeName);
   }
}

bool ShaderProgramGLSL::CompileHelper(i32 stage)
{
   if (shaderNames[stage] == 0)
   {
      GLenum type = GL_VERTEX_SHADER;
      if (stage == SHADER_STAGE_FRAGMENT)
      {
         type = GL_FRAGMENT_SHADER;
      }
      else if (stage == SHADER_STAGE_GEOMETRY)
      {
         if (!epoxy_has_gl_extension("GL_ARB_geometry_shader4"))
         {
            return false;
         }
         type = GL_GEOMETRY_SHADER_ARB;
      }
      shaderNames[stage] = glCreateShader(type);
      if (shaderNames[stage] == 0)
      {
         return false;
      }
      glAttachShader(programName, shaderNames[stage]);
   }
   const u32 shader = shaderNames[stage];
   glShaderSource(shader, sources[stage].count, const_cast<const GLchar* const*>(sources[stage].data),
                  nullptr);
   glCompileShader(shader);
   GLint status = 0;
   glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
   if (status)
   {
      return true;
   }
   GLint length = 0;
   glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
   if (length <= 0)
   {
      WarningPrintf("ShaderProgramGLSL::CompileHelper -- %s shader compilation failed.\n", stageNames[stage]);
      return false;
   }
   if (length > LOG_SIZE_MAX)
   {
      length = LOG_SIZE_MAX;
   }
   char* log = static_cast<char*>(MemoryAllocate(static_cast<u32>(length), HEAP_TEMP, MEMORY_ALIGNMENT_MIN));
   if (!log)
   {
      WarningPrintf("ShaderProgramGLSL::CompileHelper -- %s shader compilation failed.  Also unable to "
                    "allocate logInfoBuffer.\n",
                    stageNames[stage]);
      return false;
   }
   glGetShaderInfoLog(shader, length, nullptr, log);
   log[length - 1] = 0;
   WarningPrintf("ShaderProgramGLSL::CompileHelper -- %s shader compilation failed...\n%s\n",
                 stageNames[stage], log);
   MemoryFree(log);
   return false;
}

bool ShaderProgramGLSL::Compile()
{
   if (programName == 0)
   {
      return false;
   }
   for (i32 stage = 0; stage < SHADER_STAGE_COUNT; ++stage)
   {
      if (sources[stage].count > 0 && !CompileHelper(stage))
      {
         return false;
      }
   }
   return true;
}

bool ShaderProgramGLSL::Link()
{
   if (programName == 0)
   {
      return false;
   }
   glLinkProgram(programName);
   GLint status = 0;
   glGetProgramiv(programName, GL_LINK_STATUS, &status);
   if (status)
   {
      return true;
   }
   GLint length = 0;
   glGetProgramiv(programName, GL_INFO_LOG_LENGTH, &length);
   if (length <= 0)
   {
      WarningPrintf("ShaderProgramGLSL::Link -- Linking failed.\n");
      return false;
   }
   if (length > LOG_SIZE_MAX)
   {
      length = LOG_SIZE_MAX;
   }
   char* log = static_cast<char*>(MemoryAllocate(static_cast<u32>(length), HEAP_TEMP, MEMORY_ALIGNMENT_MIN));
   if (!log)
   {
      WarningPrintf("ShaderProgramGLSL::Link -- Linking failed.  Also unable to allocate logInfoBuffer.\n");
      return false;
   }
   glGetProgramInfoLog(programName, length, nullptr, log);
   log[length - 1] = 0;
   WarningPrintf("ShaderProgramGLSL::Link -- Linking failed...\n%s\n", log);
   MemoryFree(log);
   return false;
}

void ShaderProgramGLSL::Deinit()
{
   for (Table<char*>& table : sources)
   {
      for (i32 i = 0; i < table.count; ++i)
      {
         MemoryFree(table[i]);
      }
      table = Table<char*>(table.allocator);
   }
   for (u32& shader : shaderNames)
   {
      if (shader != 0)
      {
         glDeleteShader(shader);
         shader = 0;
      }
   }
   if (programName != 0)
   {
      glDeleteProgram(programName);
      programName = 0;
   }
   if (name)
   {
      MemoryFree(name);
      name = nullptr;
   }
}
} // namespace Corvale
