// The trampolines through which Lua calls bound engine functions: one per signature, converting
// the Lua arguments to the function's types and pushing its result back.
#include "core/ScriptFunction.h"

#include <cfloat>
#include <cmath>
#include <type_traits>
#include <utility>

#include <lua5.1/lua.hpp>

namespace Corvale
{
namespace
{
template <class T> struct ScriptArgument;

template <> struct ScriptArgument<float>
{
   // Non-numbers count as 0 (lua_tonumber); finite values past float's range are held at its
   // ends, since narrowing them is undefined.
   static float Get(lua_State* state, int index)
   {
      const lua_Number number = lua_tonumber(state, index);
      if (number > FLT_MAX && std::isfinite(number))
      {
         return FLT_MAX;
      }
      if (number < -FLT_MAX && std::isfinite(number))
      {
         return -FLT_MAX;
      }
      return static_cast<float>(number);
   }
};

template <> struct ScriptArgument<const char*>
{
   // Strings and numbers (as their text); anything else is null.
   static const char* Get(lua_State* state, int index) { return lua_tolstring(state, index, nullptr); }
};

template <> struct ScriptArgument<bool>
{
   static bool Get(lua_State* state, int index) { return lua_toboolean(state, index) != 0; }
};

void ScriptResultPush(lua_State* state, float result)
{
   lua_pushnumber(state, static_cast<lua_Number>(result));
}

void ScriptResultPush(lua_State* state, const char* result)
{
   if (result)
   {
      lua_pushstring(state, result);
   }
   else
   {
      lua_pushnil(state);
   }
}

void ScriptResultPush(lua_State* state, bool result)
{
   lua_pushboolean(state, result ? 1 : 0);
}

// The function of the bound userdata at argument 1; raises a Lua error (which never returns)
// when argument 1 is not a function bound under this trampoline's signature.
ScriptFunctionAddress ScriptBoundFunctionGet(lua_State* state, i32 signature)
{
   if (lua_type(state, 1) == LUA_TUSERDATA && lua_objlen(state, 1) == sizeof(ScriptBoundFunction) &&
       lua_getmetatable(state, 1))
   {
      const bool proxyMatches = lua_rawequal(state, -1, lua_upvalueindex(1)) != 0;
      lua_pop(state, 1);
      const ScriptBoundFunction* bound = static_cast<const ScriptBoundFunction*>(lua_touserdata(state, 1));
      if (proxyMatches && bound->signature == signature && bound->function)
      {
         return bound->function;
      }
   }
   luaL_error(state, "bound function of signature %s called without its function",
              scriptSignatureLetters[signature]);
   return nullptr;
}

template <class R, class... A, std::size_t... I>
int ScriptCall(lua_State* state, R (*function)(A...), std::index_sequence<I...>)
{
   // Lua argument 1 is the bound userdata; the function's arguments start at 2.
   if constexpr (std::is_void_v<R>)
   {
      function(ScriptArgument<A>::Get(state, static_cast<int>(I) + 2)...);
      return 0;
   }
   else
   {
      ScriptResultPush(state, function(ScriptArgument<A>::Get(state, static_cast<int>(I) + 2)...));
      return 1;
   }
}

template <class R, class... A> int ScriptTrampoline(lua_State* state)
{
   constexpr i32 signature = ScriptSignatureIndexFind(ScriptSignature<R, A...>::letters);
   static_assert(signature >= 0, "not a script function signature");
   const ScriptFunctionAddress address = ScriptBoundFunctionGet(state, signature);
   return ScriptCall(state, reinterpret_cast<R (*)(A...)>(address), std::index_sequence_for<A...>{});
}

typedef float N;
typedef const char* S;

// Listed in the order of scriptSignatureLetters; checked below.
const ScriptTrampolineFunction trampolines[SCRIPT_SIGNATURE_COUNT] = {
    ScriptTrampoline<bool>,
    ScriptTrampoline<bool, S>,
    ScriptTrampoline<N>,
    ScriptTrampoline<N, N>,
    ScriptTrampoline<N, S>,
    ScriptTrampoline<N, S, S>,
    ScriptTrampoline<N, S, S, S>,
    ScriptTrampoline<N, S, S, N>,
    ScriptTrampoline<N, S, N, N>,
    ScriptTrampoline<void>,
    ScriptTrampoline<void, N>,
    ScriptTrampoline<void, N, N>,
    ScriptTrampoline<void, N, N, N>,
    ScriptTrampoline<void, N, N, N, N>,
    ScriptTrampoline<void, N, bool>,
    ScriptTrampoline<void, S>,
    ScriptTrampoline<void, S, S>,
    ScriptTrampoline<void, S, S, S>,
    ScriptTrampoline<void, S, N>,
    ScriptTrampoline<void, S, N, N>,
    ScriptTrampoline<void, S, N, N, N>,
    ScriptTrampoline<void, S, S, N>,
    ScriptTrampoline<void, S, N, N, N, N>,
    ScriptTrampoline<void, S, bool>,
    ScriptTrampoline<void, bool>,
    ScriptTrampoline<void, N, N, S>,
    ScriptTrampoline<N, N, N, S>,
    ScriptTrampoline<S>,
    ScriptTrampoline<S, N>,
    ScriptTrampoline<S, S>,
};

template <class R, class... A> constexpr bool ScriptSignatureAt(i32 index)
{
   return ScriptSignatureIndexFind(ScriptSignature<R, A...>::letters) == index;
}

static_assert(ScriptSignatureAt<bool>(0) && ScriptSignatureAt<bool, S>(1) && ScriptSignatureAt<N>(2) &&
                  ScriptSignatureAt<N, N>(3) && ScriptSignatureAt<N, S>(4) && ScriptSignatureAt<N, S, S>(5) &&
                  ScriptSignatureAt<N, S, S, S>(6) && ScriptSignatureAt<N, S, S, N>(7) &&
                  ScriptSignatureAt<N, S, N, N>(8) && ScriptSignatureAt<void>(9) &&
                  ScriptSignatureAt<void, N>(10) && ScriptSignatureAt<void, N, N>(11) &&
                  ScriptSignatureAt<void, N, N, N>(12) && ScriptSignatureAt<void, N, N, N, N>(13) &&
                  ScriptSignatureAt<void, N, bool>(14) && ScriptSignatureAt<void, S>(15) &&
                  ScriptSignatureAt<void, S, S>(16) && ScriptSignatureAt<void, S, S, S>(17) &&
                  ScriptSignatureAt<void, S, N>(18) && ScriptSignatureAt<void, S, N, N>(19) &&
                  ScriptSignatureAt<void, S, N, N, N>(20) && ScriptSignatureAt<void, S, S, N>(21) &&
                  ScriptSignatureAt<void, S, N, N, N, N>(22) && ScriptSignatureAt<void, S, bool>(23) &&
                  ScriptSignatureAt<void, bool>(24) && ScriptSignatureAt<void, N, N, S>(25) &&
                  ScriptSignatureAt<N, N, N, S>(26) && ScriptSignatureAt<S>(27) &&
                  ScriptSignatureAt<S, N>(28) && ScriptSignatureAt<S, S>(29),
              "trampolines out of step with the signature list");
} // namespace

ScriptTrampolineFunction ScriptTrampolineGet(i32 signature)
{
   if (signature < 0 || signature >= SCRIPT_SIGNATURE_COUNT)
   {
      return nullptr;
   }
   return trampolines[signature];
}

u32 ScriptNumberToUnsigned(float number)
{
   // The negated test also catches NaN.
   if (!(number > 0.0f))
   {
      return 0;
   }
   if (number >= 4294967296.0f)
   {
      return 0xFFFFFFFFu;
   }
   return static_cast<u32>(number);
}
} // namespace Corvale
