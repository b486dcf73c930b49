// The one embedded Lua interpreter: a sandboxed state on engine memory, bound engine functions,
// and running chunks, files and formatted commands.
#pragma once

#include <cstdarg>
#include <cstddef>

#include "core/ScriptFunction.h"
#include "core/Types.h"

struct lua_State;

namespace Corvale
{
class FileManager;

// Size of a formatted command, terminator included.
constexpr u32 SCRIPT_COMMAND_SIZE = 512;

class ScriptManager
{
 public:
   // Creates the state, the proxies and the prologue, then binds "Random"; false when the state
   // can't be made.
   static bool Init();
   // Closes the state at shutdown.
   static void Deinit();
   static lua_State* StateGet() { return state; }

   // Binds a function of one of the thirty signatures as the global name. Lambdas need a unary
   // + to become function pointers.
   template <class R, class... A> static bool FunctionRegister(const char* name, R (*function)(A...))
   {
      constexpr i32 signature = ScriptSignatureIndexFind(ScriptSignature<R, A...>::letters);
      static_assert(signature >= 0, "not a script function signature");
      return FunctionBind(name, reinterpret_cast<ScriptFunctionAddress>(function), signature);
   }

   static bool Execute(const char* text);
   // Runs a script file read through the file manager (the archive when it is in use).
   static bool FileExecute(const char* fileName);
   // The name later code runs a script file by; the same operation.
   static bool NamedExecute(const char* path) { return FileExecute(path); }
   // A command that does not fit SCRIPT_COMMAND_SIZE is never run.
   static bool Executef(const char* format, ...) __attribute__((format(printf, 1, 2)));
   static bool Vexecutef(const char* format, va_list arguments);
   // True when the formatted Lua expression is nil, or could not be evaluated.
   static bool ExpressionNilCheckf(const char* format, ...) __attribute__((format(printf, 1, 2)));
   static bool VexpressionNilCheckf(const char* format, va_list arguments);

   // LuaVar[name] when it is a string (Lua's own copy, valid while LuaVar keeps it), else null.
   static const char* LuaVarGet(const char* name);
   static void TableFieldClear(const char* tableName, const char* key);
   // The text as a Lua string literal (or "nil" for null), in HEAP_TEMP; the caller frees it.
   static char* QuotedStringCreate(const char* text);

 private:
   static bool FunctionBind(const char* name, ScriptFunctionAddress function, i32 signature);
   // Lua's allocation function on the script heap.
   static void* Allocate(void* userData, void* block, std::size_t oldSize, std::size_t newSize);
   // Pushes the loaded chunk, or an error message; returns Lua's load status.
   static int ChunkLoad(lua_State* luaState, const char* fileName);
   // Replacements for the base library's loadfile and dofile.
   static int LuaLoadFile(lua_State* luaState);
   static int LuaDoFile(lua_State* luaState);

   static lua_State* state;
   static i32 heap;
   static FileManager* fileManager;
};
} // namespace Corvale
