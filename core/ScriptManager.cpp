// The Lua state: restricted libraries, engine memory, files through the file manager, the
// prologue of helper functions, bound engine functions and the command helpers.
#include "core/ScriptManager.h"

#include <cstring>

#include <lua5.1/lua.hpp>

#include "core/File.h"
#include "core/FileManager.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/Random.h"
#include "core/StringHelpers.h"

namespace Corvale
{
lua_State* ScriptManager::state = nullptr;
i32 ScriptManager::heap = HEAP_DEFAULT;
FileManager* ScriptManager::fileManager = nullptr;

namespace
{
const char* const PROXY_PREFIX = "__methodproxy";
// The length of "LuaVar.TempIsExpressionNil=".
constexpr u32 NIL_CHECK_PREFIX_LENGTH = 27;
constexpr u32 CHUNK_READ_SIZE = 1024;

const char* const prologue = R"lua(
LuaVar = {}
local tempTableNumberMax = 65536
function GetTempName(table)
   while true do
      local name = "TempTable" .. Random(tempTableNumberMax)
      if table[name] == nil then
         return name
      end
   end
end
local suffix = "_StackTable"
function GlobalTableStackGet(stackName)
   return _G[stackName .. suffix]
end
function GlobalTableStackInit(startTable)
   if startTable == nil then
      return nil
   end
   local name
   repeat
      name = GetTempName(_G)
   until _G[name .. suffix] == nil
   _G[name .. suffix] = {}
   TableStackInit(_G[name .. suffix], startTable)
   _G[name] = startTable
   return name
end
function GlobalTableStackDeinit(stackName)
   _G[stackName] = nil
   _G[stackName .. suffix] = nil
end
function GlobalTableStackPush(stackName, index)
   local stack = _G[stackName .. suffix]
   TableStackPush(stack, index)
   _G[stackName] = TableStackPeek(stack)
end
function GlobalTableStackPop(stackName)
   local stack = _G[stackName .. suffix]
   TableStackPop(stack)
   _G[stackName] = TableStackPeek(stack)
end
function TableStackInit(stack, startTable)
   stack[#stack + 1] = startTable
end
function TableStackPush(stack, index)
   stack[#stack + 1] = stack[#stack][index]
end
function TableStackPop(stack)
   stack[#stack] = nil
end
function TableStackPeek(stack)
   return stack[#stack]
end
)lua";

const char* ErrorMessageGet(lua_State* state)
{
   const char* message = lua_tostring(state, -1);
   return message ? message : "(error object is not a string)";
}

float ScriptRandom(float range)
{
   return static_cast<float>(RandomIntegerGet(ScriptNumberToUnsigned(range)) + 1);
}

struct ChunkReader
{
   File* file;
   char buffer[CHUNK_READ_SIZE];
};

const char* ChunkRead(lua_State*, void* data, std::size_t* size)
{
   ChunkReader* reader = static_cast<ChunkReader*>(data);
   *size = reader->file->Read(reader->buffer, CHUNK_READ_SIZE);
   return *size ? reader->buffer : nullptr;
}

// Everything Init does to the fresh state that may raise a Lua error, run protected.
int StateSetUp(lua_State* state)
{
   // The base library also makes "coroutine"; io, os and package stay out.
   const luaL_Reg libraries[] = {{"", luaopen_base},
                                 {LUA_DBLIBNAME, luaopen_debug},
                                 {LUA_TABLIBNAME, luaopen_table},
                                 {LUA_STRLIBNAME, luaopen_string},
                                 {LUA_MATHLIBNAME, luaopen_math}};
   for (const luaL_Reg& library : libraries)
   {
      lua_pushcfunction(state, library.func);
      lua_pushstring(state, library.name);
      lua_call(state, 1, 0);
   }
   lua_CFunction* replacements = static_cast<lua_CFunction*>(lua_touserdata(state, 1));
   lua_pushcfunction(state, replacements[0]);
   lua_setfield(state, LUA_GLOBALSINDEX, "loadfile");
   lua_pushcfunction(state, replacements[1]);
   lua_setfield(state, LUA_GLOBALSINDEX, "dofile");

   // The proxies are kept in the registry as well, so that a script that replaces the global
   // cannot hand a bound function a metatable of its own making.
   for (i32 i = 0; i < SCRIPT_SIGNATURE_COUNT; ++i)
   {
      lua_pushstring(state, PROXY_PREFIX);
      lua_pushstring(state, scriptSignatureLetters[i]);
      lua_concat(state, 2);
      const int name = lua_gettop(state);
      lua_newtable(state);
      lua_pushvalue(state, -1);
      lua_pushcclosure(state, ScriptTrampolineGet(i), 1);
      lua_setfield(state, -2, "__call");
      lua_pushvalue(state, name);
      lua_pushvalue(state, -2);
      lua_settable(state, LUA_REGISTRYINDEX);
      lua_pushvalue(state, name);
      lua_insert(state, -2);
      lua_settable(state, LUA_GLOBALSINDEX);
      lua_settop(state, name - 1);
   }
   return 0;
}

struct BindRequest
{
   const char* name;
   ScriptFunctionAddress function;
   i32 signature;
};

int BindProtected(lua_State* state)
{
   const BindRequest* request = static_cast<const BindRequest*>(lua_touserdata(state, 1));
   ScriptBoundFunction* bound =
       static_cast<ScriptBoundFunction*>(lua_newuserdata(state, sizeof(ScriptBoundFunction)));
   bound->function = request->function;
   bound->signature = request->signature;
   lua_pushstring(state, PROXY_PREFIX);
   lua_pushstring(state, scriptSignatureLetters[request->signature]);
   lua_concat(state, 2);
   lua_rawget(state, LUA_REGISTRYINDEX);
   if (!lua_istable(state, -1))
   {
      return luaL_error(state, "no proxy for signature %s", scriptSignatureLetters[request->signature]);
   }
   lua_setmetatable(state, -2);
   lua_setfield(state, LUA_GLOBALSINDEX, request->name);
   return 0;
}

enum FieldAccessMode
{
   FIELD_READ,
   FIELD_CLEAR
};

// One field of a global table, read or cleared under a protected call: a script may have put
// anything in place of the table, including a value whose metamethods raise errors.
struct FieldAccess
{
   const char* tableName;
   const char* key;
   FieldAccessMode mode;
   int type;
   const char* text;
};

int FieldAccessProtected(lua_State* state)
{
   FieldAccess* access = static_cast<FieldAccess*>(lua_touserdata(state, 1));
   access->type = LUA_TNONE;
   access->text = nullptr;
   lua_getfield(state, LUA_GLOBALSINDEX, access->tableName);
   if (!lua_istable(state, -1))
   {
      return 0;
   }
   if (access->mode == FIELD_CLEAR)
   {
      lua_pushnil(state);
      lua_setfield(state, -2, access->key);
      return 0;
   }
   lua_getfield(state, -1, access->key);
   access->type = lua_type(state, -1);
   if (access->type == LUA_TSTRING)
   {
      // The table keeps the string alive after this call returns.
      access->text = lua_tostring(state, -1);
   }
   return 0;
}

bool FieldAccessRun(lua_State* state, FieldAccess* access, const char* caller)
{
   if (!state || !access->tableName || !access->key)
   {
      access->type = LUA_TNONE;
      access->text = nullptr;
      return false;
   }
   if (lua_cpcall(state, FieldAccessProtected, access) != 0)
   {
      WarningPrintf("ScriptManager::%s -- %s\n", caller, ErrorMessageGet(state));
      lua_pop(state, 1);
      access->type = LUA_TNONE;
      access->text = nullptr;
      return false;
   }
   return true;
}
} // namespace

void* ScriptManager::Allocate(void*, void* block, std::size_t oldSize, std::size_t newSize)
{
   if (newSize == 0)
   {
      MemoryFree(block);
      return nullptr;
   }
   // Lua expects a failed resize to leave the block alive, and a shrink never to fail, so the old
   // block is only freed once its contents have a new home.
   void* fresh = nullptr;
   if (newSize <= 0xFFFFFFFFu)
   {
      fresh = MemoryAllocate(static_cast<u32>(newSize), heap, MEMORY_ALIGNMENT_MIN);
   }
   if (!fresh)
   {
      return block && newSize <= oldSize ? block : nullptr;
   }
   if (block)
   {
      std::memcpy(fresh, block, oldSize < newSize ? oldSize : newSize);
      MemoryFree(block);
   }
   return fresh;
}

bool ScriptManager::Init()
{
   if (state)
   {
      WarningPrintf("ScriptManager::Init -- already initialized.\n");
      return false;
   }
   heap = HEAP_DEFAULT;
   fileManager = fileManagerResource;
   state = lua_newstate(Allocate, nullptr);
   if (!state)
   {
      WarningPrintf("ScriptManager::Init -- unable to create the Lua state.\n");
      return false;
   }
   lua_CFunction replacements[2] = {LuaLoadFile, LuaDoFile};
   if (lua_cpcall(state, StateSetUp, replacements) != 0)
   {
      WarningPrintf("ScriptManager::Init -- %s\n", ErrorMessageGet(state));
      Deinit();
      return false;
   }
   lua_settop(state, 0);
   Execute(prologue);
   FunctionRegister("Random", ScriptRandom);
   return true;
}

void ScriptManager::Deinit()
{
   if (state)
   {
      lua_close(state);
      state = nullptr;
   }
   fileManager = nullptr;
}

bool ScriptManager::FunctionBind(const char* name, ScriptFunctionAddress function, i32 signature)
{
   if (!state || !name || !function)
   {
      WarningPrintf("ScriptManager::FunctionRegister -- %s\n",
                    !state ? "not initialized." : "no name or no function.");
      return false;
   }
   BindRequest request = {name, function, signature};
   if (lua_cpcall(state, BindProtected, &request) != 0)
   {
      WarningPrintf("ScriptManager::FunctionRegister -- %s: %s\n", name, ErrorMessageGet(state));
      lua_pop(state, 1);
      return false;
   }
   return true;
}

bool ScriptManager::Execute(const char* text)
{
   if (!state || !text)
   {
      WarningPrintf("ScriptManager::Execute -- %s\n", !state ? "not initialized." : "no text.");
      return false;
   }
   if (luaL_loadstring(state, text) != 0 || lua_pcall(state, 0, 0, 0) != 0)
   {
      WarningPrintf("%s\n", ErrorMessageGet(state));
      lua_pop(state, 1);
      return false;
   }
   return true;
}

int ScriptManager::ChunkLoad(lua_State* luaState, const char* fileName)
{
   char chunkName[FILE_PATH_SIZE];
   File* file = nullptr;
   // Asked first so that a missing file is an ordinary load error, as Lua's own loader reports it.
   if (fileManager && fileName && fileManager->Exists(fileName) &&
       NultSnprintf(chunkName, sizeof(chunkName), "@%s", fileName))
   {
      file = fileManager->Open(fileName, FILE_OPEN_READ, heap);
   }
   if (!file)
   {
      lua_pushfstring(luaState, "cannot open %s", fileName ? fileName : "(null)");
      return LUA_ERRFILE;
   }
   ChunkReader reader;
   reader.file = file;
   const int status = lua_load(luaState, ChunkRead, &reader, chunkName);
   fileManager->Close(file);
   return status;
}

int ScriptManager::LuaLoadFile(lua_State* luaState)
{
   const char* fileName = luaL_checkstring(luaState, 1);
   if (ChunkLoad(luaState, fileName) == 0)
   {
      return 1;
   }
   lua_pushnil(luaState);
   lua_insert(luaState, -2);
   return 2;
}

int ScriptManager::LuaDoFile(lua_State* luaState)
{
   const char* fileName = luaL_checkstring(luaState, 1);
   const int base = lua_gettop(luaState);
   if (ChunkLoad(luaState, fileName) != 0)
   {
      return lua_error(luaState);
   }
   lua_call(luaState, 0, LUA_MULTRET);
   return lua_gettop(luaState) - base;
}

bool ScriptManager::FileExecute(const char* fileName)
{
   if (!state)
   {
      WarningPrintf("ScriptManager::FileExecute -- not initialized.\n");
      return false;
   }
   if (ChunkLoad(state, fileName) != 0)
   {
      WarningPrintf("(%s): %s\n", fileName ? fileName : "(null)", ErrorMessageGet(state));
      lua_pop(state, 1);
      return false;
   }
   if (lua_pcall(state, 0, 0, 0) != 0)
   {
      WarningPrintf("%s\n", ErrorMessageGet(state));
      lua_pop(state, 1);
      return false;
   }
   return true;
}

bool ScriptManager::Executef(const char* format, ...)
{
   va_list arguments;
   va_start(arguments, format);
   const bool result = Vexecutef(format, arguments);
   va_end(arguments);
   return result;
}

bool ScriptManager::Vexecutef(const char* format, va_list arguments)
{
   char command[SCRIPT_COMMAND_SIZE];
   if (!NultVsnprintf(command, sizeof(command), format, arguments))
   {
      WarningPrintf("ScriptManager::Vexecutef -- command was truncated and will not be executed.\n");
      return false;
   }
   return Execute(command);
}

bool ScriptManager::ExpressionNilCheckf(const char* format, ...)
{
   va_list arguments;
   va_start(arguments, format);
   const bool result = VexpressionNilCheckf(format, arguments);
   va_end(arguments);
   return result;
}

bool ScriptManager::VexpressionNilCheckf(const char* format, va_list arguments)
{
   char expression[SCRIPT_COMMAND_SIZE - NIL_CHECK_PREFIX_LENGTH];
   if (!NultVsnprintf(expression, sizeof(expression), format, arguments))
   {
      WarningPrintf("ScriptManager::VexpressionNilCheckf -- expression is too long to test whether it is "
                    "nil.  returning true: %s\n",
                    expression);
      return true;
   }
   if (!Executef("LuaVar.TempIsExpressionNil=%s", expression))
   {
      WarningPrintf("ScriptManager::VexpressionNilCheckf -- expression contained Lua error(s).  returning "
                    "true: %s\n",
                    expression);
      TableFieldClear("LuaVar", "TempIsExpressionNil");
      return true;
   }
   FieldAccess access = {"LuaVar", "TempIsExpressionNil", FIELD_READ, LUA_TNONE, nullptr};
   FieldAccessRun(state, &access, "VexpressionNilCheckf");
   // A LuaVar that is no table any more answers none, which counts as nil.
   const bool isNil = access.type == LUA_TNIL || access.type == LUA_TNONE;
   TableFieldClear("LuaVar", "TempIsExpressionNil");
   return isNil;
}

const char* ScriptManager::LuaVarGet(const char* name)
{
   FieldAccess access = {"LuaVar", name, FIELD_READ, LUA_TNONE, nullptr};
   FieldAccessRun(state, &access, "LuaVarGet");
   return access.text;
}

void ScriptManager::TableFieldClear(const char* tableName, const char* key)
{
   FieldAccess access = {tableName, key, FIELD_CLEAR, LUA_TNONE, nullptr};
   FieldAccessRun(state, &access, "TableFieldClear");
}

char* ScriptManager::QuotedStringCreate(const char* text)
{
   if (!text)
   {
      return StringDuplicate("nil", HEAP_TEMP);
   }
   // Quotes and backslashes are escaped and control characters written as three-digit decimal
   // escapes, so the text always stays inside the literal whatever it holds.
   u32 length = 2;
   for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p)
   {
      if (*p == '"' || *p == '\\')
      {
         length += 2;
      }
      else if (*p < 0x20 || *p == 0x7F)
      {
         length += 4;
      }
      else
      {
         length += 1;
      }
   }
   char* quoted = static_cast<char*>(MemoryAllocate(length + 1, HEAP_TEMP, 4));
   if (!quoted)
   {
      WarningPrintf("ScriptManager::QuotedStringCreate -- out of memory.\n");
      return nullptr;
   }
   char* out = quoted;
   *out++ = '"';
   for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p)
   {
      if (*p == '"' || *p == '\\')
      {
         *out++ = '\\';
         *out++ = static_cast<char>(*p);
      }
      else if (*p < 0x20 || *p == 0x7F)
      {
         *out++ = '\\';
         *out++ = static_cast<char>('0' + *p / 100);
         *out++ = static_cast<char>('0' + *p / 10 % 10);
         *out++ = static_cast<char>('0' + *p % 10);
      }
      else
      {
         *out++ = static_cast<char>(*p);
      }
   }
   *out++ = '"';
   *out = '\0';
   return quoted;
}
} // namespace Corvale
